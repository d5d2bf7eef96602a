// Four-player hand messages a server can send that no hand can hold: a second
// landlord (51) in one hand, a play (49) the seat cannot have made, card bytes
// whose suit bits name no suit. The first two are dropped with a log line and
// leave the table as it was; a byte of no suit is an empty place wherever the
// table reads cards. Two decks: one play may name a card twice.
#include <gtest/gtest.h>

#include <vector>

#include "SRTestSupport.h"
#include "support/ImpossibleHandMessages.h"

namespace srtest {
namespace {

using PlayRow = ddz::test::PlayCase<Frame>;

class SRImpossibleMessagesTest : public SRTest {
 protected:
  void Settle() {
    for (int i = 0; i < 200 && Lock() > 0; ++i) tick(1, 0.05f);
    GameViewBase::m_iLockMainMsgTime = 0;
  }
  // A dealt hand whose landlord (`chair`) holds the eight bottom cards.
  void DealAndDecide(int chair) {
    EnterSeated();
    DealAndWait();
    view->Deliver(Landlord(chair, 3, kBottom));
    Settle();
  }
  auto Settler() {
    return [this] { Settle(); };
  }
  const std::vector<std::uint8_t> kBottom = {Card(2, 5), Card(2, 6), Card(2, 7), Card(2, 8),
                                             Card(3, 5), Card(3, 6), Card(3, 7), Card(3, 8)};
};

TEST_F(SRImpossibleMessagesTest, ASecondLandlordMessageInOneHandIsDropped) {
  const std::vector<std::uint8_t> other = {Card(2, 9), Card(2, 10), Card(2, 11), Card(2, 12),
                                           Card(3, 9), Card(3, 10), Card(3, 11), Card(3, 12)};
  ddz::test::ExpectSecondLandlordsDropped<Frame>(
      4, 33,
      {{"the own seat again: its bottom cards a second time", Landlord(1, 3, kBottom)},
       {"another seat with other bottom cards", Landlord(2, 2, other)}},
      [this] {
        DealAndDecide(1);
        return view;
      },
      Settler());
}

// Seat 2 is the landlord (33 card backs), seats 0 and 3 hold 25.
TEST_F(SRImpossibleMessagesTest, APlayTheSeatCannotHaveMadeIsDroppedOneCardTwiceIsTwoDecks) {
  DealAndDecide(2);
  std::vector<std::uint8_t> twentySix = ddz::test::TwentyCards(2, 3);
  for (int v = 11; v <= 13; ++v) twentySix.insert(twentySix.end(), {Card(2, v), Card(3, v)});
  ddz::test::ExpectPlays<Frame>(
      view, 4,
      {
          PlayRow{"twenty-six cards for a seat of 25", Played(0, twentySix), 0, false},
          PlayRow{"one card in all 33 places", Played(2, std::vector<std::uint8_t>(33, Card(3, 4))), 2, false},
          PlayRow{"one card three times", Played(3, {Card(2, 9), Card(2, 9), Card(2, 9)}), 3, false},
          PlayRow{"one card twice: one of each deck", Played(3, {Card(2, 9), Card(2, 9)}), 3, true, 2},
      },
      Settler());
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, (std::vector<int>{38, 38}));
}

// 0xEE and 0xCF are an A and a 2 (v 14 and 15, the hint engine's forms) with
// suit bits 7 and 6, which name no suit: the own block of the deal reads them
// as empty places, as the bottom cards and a play do.
TEST_F(SRImpossibleMessagesTest, CardBytesOfNoSuitAreEmptyPlacesInTheDealTheBottomCardsAndAPlay) {
  EnterSeated();
  DealFields d = DefaultDeal();
  d.own[23] = 0xEE;  // in place of the 2 of suit 1
  d.own[24] = 0xCF;  // in place of the 2 of suit 2
  DealAndWait(d);
  ddz::test::ExpectOwnCards(view, 23, 0, 1);

  std::vector<std::uint8_t> bottom = kBottom;
  bottom[0] = 0xEE;
  bottom[7] = 0xCF;
  view->Deliver(Landlord(2, 3, bottom));
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 6u);
  Settle();
  view->Deliver(Played(2, {Card(2, 6), 0xEE}));
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, std::vector<int>{30 + 5});  // the 6 of suit 2
}

}  // namespace
}  // namespace srtest
