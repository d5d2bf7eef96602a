// Tournament hand messages a server can send that no hand can hold: a second
// landlord in one hand, a play the seat cannot have made, card bytes whose
// suit bits name no suit. The first two are dropped with a log line and leave
// the table as it was; a byte of no suit is an empty place wherever the table
// reads cards.
#include <vector>

#include "CompeteTestSupport.h"
#include "support/ImpossibleHandMessages.h"

namespace competetest {
namespace {

using PlayRow = ddz::test::PlayCase<Frame>;

class ImpossibleMessagesTest : public CompeteTest {
 protected:
  // A dealt hand whose landlord (table number `t`) holds the bottom cards.
  void DealAndDecide(int t) {
    DealAndSettle();
    view->Deliver(Landlord(t, 3, {0x41, 0x42, 0x43}));
    RunUntilUnlocked();
  }
  auto Settler() {
    return [this] { RunUntilUnlocked(); };
  }
};

TEST_F(ImpossibleMessagesTest, ASecondLandlordMessageInOneHandIsDropped) {
  ddz::test::ExpectSecondLandlordsDropped<Frame>(
      3, 20,
      {{"the own seat again: its bottom cards a second time", Landlord(1, 3, {0x41, 0x42, 0x43})},
       {"another seat with other bottom cards", Landlord(2, 2, {0x31, 0x32, 0x33})}},
      [this] {
        DealAndDecide(1);
        return view;
      },
      Settler());
}

// Seat 0 is the landlord (20 card backs), seat 2 holds 17. The server's echo
// of the own play is not read: the own play was shown when it was made.
TEST_F(ImpossibleMessagesTest, APlayTheSeatCannotHaveMadeIsDropped) {
  DealAndDecide(0);
  // Twenty-seven bytes of one card: the count says 27, the places hold 20.
  const Frame oneCard = Played(0, std::vector<std::uint8_t>(27, 0x45), 40);
  ddz::test::ExpectPlays<Frame>(
      view, 3,
      {
          PlayRow{"twenty cards for a seat of 17", Played(2, ddz::test::TwentyCards(1, 3)), 2, false},
          PlayRow{"one card in every place", oneCard, 0, false},
          PlayRow{"the landlord names one card twice", Played(0, {0x29, 0x49, 0x29}), 0, false},
          PlayRow{"seat 2: two cards it may hold", Played(2, {0x46, 0x66}), 2, true, 2},
      },
      Settler());
}

// 0xEE and 0xCF are an A and a 2 (v 14 and 15, the hint engine's forms) with
// suit bits 7 and 6, which name no suit: the own block of the deal reads them
// as empty places, as the bottom cards and a play do.
TEST_F(ImpossibleMessagesTest, CardBytesOfNoSuitAreEmptyPlacesInTheDealTheBottomCardsAndAPlay) {
  Frame deal = CompeteDeal();
  deal[35 + 17 + 15] = 0xEE;  // in place of the 3 of suit 1
  deal[35 + 17 + 16] = 0xCF;  // in place of the 4 of suit 1
  view->Deliver(deal);
  RunUntilUnlocked();
  ddz::test::ExpectOwnCards(view, 15, 1, 1);

  view->Deliver(Landlord(2, 3, {0xEE, 0x2B, 0xCF}));
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex, std::vector<int>{15 + 10});  // the J of suit 1
  RunUntilUnlocked();
  view->Deliver(Played(2, {0x46, 0xEE}));
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, std::vector<int>{30 + 5});  // the 6 of suit 2
}

}  // namespace
}  // namespace competetest
