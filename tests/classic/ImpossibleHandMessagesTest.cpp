// Hand messages a server can send that no hand can hold: a second landlord in
// one hand, a play the seat cannot have made, card bytes whose suit bits name
// no suit. The first two are dropped with a log line and leave the table as it
// was; a byte of no suit is an empty place wherever the table reads cards.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "HandTestSupport.h"
#include "support/ImpossibleHandMessages.h"

namespace classictest {
namespace {

namespace cm = ddz::classic;
using PlayRow = ddz::test::PlayCase<Frame>;

class ImpossibleMessagesTest : public HandTest {
 protected:
  // A dealt hand whose landlord (`chair`) holds the bottom cards, nothing held.
  void DealAndDecide(int chair) {
    view->Deliver(Deal(0));
    RunUntilUnlocked();
    view->Deliver(cm::BuildLandlord(chair, 3, {0x2B, 0x2C, 0x2D}));
    RunUntilUnlocked();
    GameViewBase::m_iLockMainMsgTime = 0;
  }
  auto Settler() {
    return [this] { RunUntilUnlocked(); };
  }
};

TEST_F(ImpossibleMessagesTest, ASecondLandlordMessageInOneHandIsDropped) {
  view->Deliver(Settings(0));
  ddz::test::ExpectSecondLandlordsDropped<Frame>(
      3, 20,
      {{"the own seat again: its bottom cards a second time", cm::BuildLandlord(1, 3, {0x2B, 0x2C, 0x2D})},
       {"another seat with other bottom cards", cm::BuildLandlord(2, 2, {0x31, 0x32, 0x33})}},
      [this] {
        DealAndDecide(1);
        return view;
      },
      Settler());
}

// Seat 2 is the landlord (20 card backs), seat 0 holds 17 backs; the own hand
// holds 3..K and A, 2 of suit 0, both jokers and the 3 and 4 of suit 1. The
// server's play is what moves the own cards, measured by the own hand.
TEST_F(ImpossibleMessagesTest, APlayTheSeatCannotHaveMadeIsDroppedTheOwnHandMeasuresTheOwnSeat) {
  view->Deliver(Settings(0));
  DealAndDecide(2);
  // Twenty-seven bytes of one card: the count says 27, the places hold 20.
  Frame oneCard = cm::BuildPlayed(0, {});
  std::fill(oneCard.begin() + 9, oneCard.begin() + 29, std::uint8_t{0x45});
  oneCard[29] = 27;
  ddz::test::ExpectPlays<Frame>(
      view, 3,
      {
          PlayRow{"twenty cards for a seat of 17", Played(0, ddz::test::TwentyCards(2, 3)), 0, false},
          PlayRow{"one card in every place", oneCard, 0, false},
          PlayRow{"the landlord names one card twice", Played(2, {0x29, 0x49, 0x29}), 2, false},
          PlayRow{"the own seat: a card the own hand does not hold", Played(1, {0x45}), 1, false},
          PlayRow{"the own seat: a card it holds once, named twice", Played(1, {0x03, 0x03}), 1, false},
          PlayRow{"the own seat: a joker it holds, as the own hand writes it", Played(1, {16}), 1, true, 1},
          PlayRow{"seat 0: two cards it may hold", Played(0, {0x46, 0x66}), 0, true, 2},
      },
      Settler());
}

// 0xEE and 0xCF are an A and a 2 (v 14 and 15, the hint engine's forms) with
// suit bits 7 and 6, which name no suit; the own block, the bottom cards and
// a play read them as empty places.
TEST_F(ImpossibleMessagesTest, CardBytesOfNoSuitAreEmptyPlacesInTheDealTheBottomCardsAndAPlay) {
  view->Deliver(Settings(0));
  Frame deal = Deal(0);
  deal[8 + 17 + 15] = 0xEE;  // in place of the 3 of suit 1
  deal[8 + 17 + 16] = 0xCF;  // in place of the 4 of suit 1
  view->Deliver(deal);
  RunUntilUnlocked();
  ddz::test::ExpectOwnCards(view, 15, 1, 1);

  view->Deliver(cm::BuildLandlord(2, 3, {0xEE, 0x2B, 0xCF}));
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex, std::vector<int>{15 + 10});  // the J of suit 1
  RunUntilUnlocked();
  view->Deliver(Played(2, {0xEE, 0x46, 0xCF}));
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, std::vector<int>{30 + 5});  // the 6 of suit 2
}

}  // namespace
}  // namespace classictest
