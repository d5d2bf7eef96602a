// Super table hand messages a server can send that no hand can hold: a second
// landlord in one hand, a play the seat cannot have made, card bytes whose
// suit bits name no suit. The first two are dropped with a log line and leave
// the table as it was; a byte of no suit is an empty place wherever the table
// reads cards. A play is measured by the cards that leave the hand: a joker
// standing for a card the play also holds is two cards.
#include <gtest/gtest.h>

#include <vector>

#include "SuperTestSupport.h"
#include "support/ImpossibleHandMessages.h"

namespace supertest {
namespace {

using PlayRow = ddz::test::PlayCase<Frame>;

class SuperImpossibleMessagesTest : public SuperTest {
 protected:
  // A dealt hand of the three-seat table whose landlord (`chair`) holds the bottom cards.
  void DealAndDecide(int chair) {
    Dealt(0);
    view->Deliver(Landlord(chair, 3));
    RunUntilUnlocked();
    GameViewBase::m_iLockMainMsgTime = 0;
  }
  auto Settler() {
    return [this] { RunUntilUnlocked(); };
  }
};

TEST_F(SuperImpossibleMessagesTest, ASecondLandlordMessageInOneHandIsDropped) {
  ddz::test::ExpectSecondLandlordsDropped<Frame>(
      3, 20,
      {{"the own seat again: its bottom cards a second time", Landlord(1, 3)},
       {"another seat with other bottom cards", Landlord(2, 2, 0x31, 0x32, 0x33)}},
      [this] {
        DealAndDecide(1);
        return view;
      },
      Settler());
}

// Seat 2 is the landlord (20 card backs), seat 0 holds 17. The server's echo
// of the own play is not read: the own play was shown when it was made.
TEST_F(SuperImpossibleMessagesTest, APlayTheSeatCannotHaveMadeIsDropped) {
  DealAndDecide(2);
  ddz::test::ExpectPlays<Frame>(
      view, 3,
      {
          PlayRow{"twenty cards for a seat of 17", Play(0, ddz::test::TwentyCards(1, 2)), 0, false},
          PlayRow{"one card in every place", Play(2, std::vector<std::uint8_t>(20, 0x65)), 2, false},
          PlayRow{"the landlord names one card twice", Play(2, {0x69, 0x49, 0x69}), 2, false},
          PlayRow{"a card and a joker standing for it", Play(2, {0x65, 0x65}, 32, 5, {16}, {0x65}), 2, true, 2},
      },
      Settler());
}

// 0xEE and 0xCF are an A and a 2 (v 14 and 15, the hint engine's forms) with
// suit bits 7 and 6, which name no suit: the own block of the deal, the
// bottom cards and a play read them as empty places.
TEST_F(SuperImpossibleMessagesTest, CardBytesOfNoSuitAreEmptyPlacesInTheDealTheBottomCardsAndAPlay) {
  view->Deliver(ModeMsg(0));
  Frame deal = DealMsg();
  deal[8 + 17 + 15] = 0xEE;  // in place of the 3 of suit 1
  deal[8 + 17 + 16] = 0xCF;  // in place of the 4 of suit 1
  view->Deliver(deal);
  RunUntilUnlocked();
  ddz::test::ExpectOwnCards(view, 15, 1, 1);

  view->Deliver(Landlord(2, 3, 0xEE, 0x2B, 0xCF));
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex, std::vector<int>{15 + 10});  // the J of suit 1
  RunUntilUnlocked();
  view->Deliver(Play(2, {0x46, 0xEE}));
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, std::vector<int>{30 + 5});  // the 6 of suit 2
}

}  // namespace
}  // namespace supertest
