// The classic table when the window goes away and comes back during a hand,
// and when turns, plays and results come that do not fit the hand on the
// table: the real view on the headless stage, raw frames in, the requests,
// the lock, the buttons and the own hand out.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "HandTestSupport.h"
#include "cards/SelfHandCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/ResultLayer.h"

namespace classictest {
namespace {

namespace cm = ddz::classic;

const std::array<std::uint8_t, 3> kBottom{0x2B, 0x2C, 0x2D};
const std::vector<std::uint8_t> kPairOf9{0x29, 0x49};

class StaleTurns : public HandTest {
 protected:
  // The deal of Deal(firstBidder) delivered and dealt out.
  void Dealt(int firstBidder = 0) {
    view->Deliver(Settings(0));
    view->Deliver(Deal(firstBidder));
    RunUntilUnlocked();
    ASSERT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    ASSERT_EQ(Hand()->GetCardCount(), 17);
  }
  // The landlord known, its bottom cards turned and (own landlord) taken in.
  void LandlordIs(int chair) {
    view->Deliver(cm::BuildLandlord(chair, 3, kBottom));
    RunUntilUnlocked();
    tick(50, 0.05f);  // the raised bottom cards come down
    GameViewBase::m_iLockMainMsgTime = 0;
  }
  SelfHandCard* Hand() const { return view->GetSelfHand(); }
  bool Shown(int button) const { return Hand()->GetMainButton(button)->isVisible(); }
  bool AnyButtonShown() const {
    for (int i = 0; i < SelfHandCard::kMainButtons; ++i)
      if (Shown(i)) return true;
    return false;
  }
  int LastRequest() const { return view->server->requests.empty() ? -1 : view->server->requests.back(); }
  // The card count of the last play request (byte 28 of request 24).
  int LastPlayCount() const { return view->server->frames.back().at(28); }
  Frame Result() const {
    cm::HandResultBlocks blocks;
    blocks.scores = {-3, 6, -3};
    blocks.landlordWon = true;
    return cm::BuildHandResult(blocks);
  }
  void DeliverResult(const Frame& f) {
    std::vector<char> copy(f.begin(), f.end());
    view->CallBackGameResultServer(copy.data(), static_cast<int>(copy.size()));
  }
  void Post(const Frame& f) { view->PostGameMessage(f.data(), static_cast<int>(f.size())); }
};

// The window goes away in the middle of the deal with the hand's next turn
// queued, and comes back: the single-player hand goes on where it was.
TEST_F(StaleTurns, ASinglePlayerBackgroundAndForegroundKeepTheHandInPlay) {
  view->Deliver(Settings(0));
  view->Deliver(Deal(1));
  tick(10, 0.05f);
  ASSERT_EQ(GameViewBase::m_iLockMainMsgCount, 1);  // the deal
  Post(cm::BuildBidTurn(1, 0));
  const int startsBefore = view->server->starts;
  SelfHandCard* hand = Hand();
  const int dealtSoFar = hand->GetCardCount();

  // Minimised: nothing runs but the clock; the table is left as it is.
  director->stopAnimation();
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterBackGround();  // told twice, held once
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 2);
  tick(200, 0.05f);
  ASSERT_EQ(Hand(), hand);
  EXPECT_EQ(hand->GetCardCount(), dealtSoFar);
  EXPECT_EQ(view->GetPendingMainMsgCount(), 1u);

  director->startAnimation();
  view->CallBackGameEnterForeGround();
  view->CallBackGameEnterForeGround();  // a second foreground lowers nothing more
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);  // the deal still runs
  EXPECT_FALSE(view->GetStartButton()->isVisible());
  EXPECT_TRUE(view->m_bHandRunning);
  RunUntilUnlocked();
  tick(2, 0.05f);
  // The deal ended, the queued turn reached the same table, nothing restarted.
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  ASSERT_EQ(Hand(), hand);
  EXPECT_EQ(hand->GetCardCount(), 17);
  EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
  EXPECT_TRUE(Shown(SelfHandCard::kBtnBid3));
  EXPECT_EQ(view->server->starts, startsBefore);
  EXPECT_FALSE(view->IsSitRequestPending());
  hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnBid3));
  EXPECT_EQ(view->Requests(), (std::vector<int>{25, 22}));
}

// A hat that cannot make its entrance (its seat widget off the table) or
// that a restore shows never holds the messages.
TEST_F(StaleTurns, AHatShownWhereItsEntranceCannotRunHoldsNothing) {
  struct Case {
    const char* what;
    bool relogin;
  };
  for (const Case c : {Case{"a landlord message for a seat that left", false},
                       Case{"a re-login snapshot after a network foreground", true}}) {
    SCOPED_TRACE(c.what);
    ResetMainMsgLock();
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    view->SendSitReq();
    PlayerGameInfo* seat0 = nullptr;
    if (!c.relogin) {
      Dealt();
      view->CallBackPlayerLeaveTable(0);
      seat0 = view->m_pPlayerGameInfo[0];
      ASSERT_FALSE(seat0->isRunning());
      view->Deliver(cm::BuildLandlord(0, 3, kBottom));
    } else {
      GameViewBase::m_GlobalInfo.iPlayMode = 0;
      view->CallBackGameEnterBackGround();
      view->CallBackGameEnterForeGround();
      GameMsgBox::destroyMessageBox();
      seat0 = view->m_pPlayerGameInfo[0];
      std::vector<char> snapshot(GameViewPC::kReloginSize, 0);
      snapshot[1] = 1;
      view->CallBackAgainLogin(snapshot.data(), static_cast<int>(snapshot.size()));
      EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
      EXPECT_TRUE(view->m_bHandRunning);
    }
    RunUntilUnlocked();
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    // The hat is at rest where it belongs, and the messages flow.
    ASSERT_NE(seat0->GetLandOwner(), nullptr);
    EXPECT_TRUE(seat0->GetLandOwner()->isVisible());
    EXPECT_EQ(seat0->GetLandOwner()->getPosition(), g_ptLandOwner[0]);
    GameViewBase::m_iLockMainMsgTime = 0;  // the landlord's own hold time
    Post(Settings(1));
    tick(2, 0.05f);
    EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
    EXPECT_EQ(view->m_iGameMode, 1);
    view->ResetTable();
  }
}

// The own bid turn is still open when the own play turn opens.
TEST_F(StaleTurns, OpeningAPlayTurnClosesTheBidTurnAndTheTimeOutActsOnThePlayTurn) {
  Dealt();
  view->Deliver(cm::BuildBidTurn(1, 0));
  ASSERT_TRUE(Shown(SelfHandCard::kBtnBid0));
  view->Deliver(cm::BuildPlayTurn(1));
  for (int bid = SelfHandCard::kBtnBid0; bid <= SelfHandCard::kBtnBid3; ++bid) EXPECT_FALSE(Shown(bid));
  EXPECT_TRUE(Shown(SelfHandCard::kBtnPlay));
  EXPECT_TRUE(Hand()->IsWaitingForChoice());
  Hand()->OnAutoOperate();
  EXPECT_EQ(LastRequest(), 24);
  EXPECT_EQ(LastPlayCount(), 1);  // the time-out leads its lowest card
  const std::vector<int> sent = view->Requests();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), 22), 0);

  // And a bid turn closes a play turn that is still open.
  view->Deliver(cm::BuildPlayTurn(1));
  ASSERT_TRUE(Shown(SelfHandCard::kBtnPlay));
  view->Deliver(cm::BuildBidTurn(1, 0));
  EXPECT_FALSE(Shown(SelfHandCard::kBtnPlay));
  EXPECT_FALSE(Shown(SelfHandCard::kBtnPass));
  Hand()->OnAutoOperate();
  EXPECT_EQ(LastRequest(), 22);
}

// A new deal, a table reset and the result each close the open play turn:
// a tap and a press on play afterwards sends nothing and keeps the card.
TEST_F(StaleTurns, ANewDealAResetAndTheResultCloseTheOpenOwnTurn) {
  struct Case {
    const char* what;
    int how;
  };
  for (const Case c : {Case{"a new deal", 0}, Case{"a table reset", 1}, Case{"the result", 2}}) {
    SCOPED_TRACE(c.what);
    view->ResetTable();
    ResetMainMsgLock();
    Dealt();
    view->Deliver(cm::BuildPlayTurn(1));
    ASSERT_TRUE(Shown(SelfHandCard::kBtnPlay));
    const std::size_t sent = view->Requests().size();
    if (c.how == 0) {
      view->Deliver(Deal(0));
    } else if (c.how == 1) {
      view->ResetTable();
    } else {
      DeliverResult(Result());
    }
    EXPECT_FALSE(AnyButtonShown());
    EXPECT_FALSE(Hand()->IsWaitingForChoice());
    if (c.how == 0) {
      RunUntilUnlocked();
      ASSERT_GT(Hand()->GetCardCount(), 0);
    }
    const int held = Hand()->GetCardCount();
    if (held > 0) Hand()->GetCards().back()->bSelected = 1;
    Hand()->OnButtonClick(Hand()->GetMainButton(SelfHandCard::kBtnPlay));
    Hand()->OnAutoOperate();
    EXPECT_EQ(view->Requests().size(), sent + (c.how == 0 ? 1 : 0));  // only the new deal's 25
    EXPECT_EQ(Hand()->GetCardCount(), held);
    if (c.how == 2) {
      // A turn that comes after the result opens nothing.
      view->Deliver(cm::BuildPlayTurn(1));
      EXPECT_FALSE(AnyButtonShown());
      ResultLayer* screen = view->GetResultScreen();
      for (int i = 0; i < 200 && !screen->isRunning(); ++i) tick(1, 1.0f / 60);
      screen->OnBtnContinue();
    }
  }
}

// The server refuses the own play and hands the turn back: the cards stay
// in the hand until its 56 for the own seat takes them.
TEST_F(StaleTurns, ARefusedOwnPlayKeepsItsCardsUntilTheServerTakesAPlay) {
  Dealt();
  LandlordIs(1);
  ASSERT_EQ(Hand()->GetCardCount(), 20);
  view->Deliver(cm::BuildPlayTurn(1));
  Hand()->OnAutoOperate();
  ASSERT_EQ(LastRequest(), 24);
  ASSERT_EQ(LastPlayCount(), 1);
  EXPECT_EQ(Hand()->GetCardCount(), 20) << "the cards wait for the server";
  EXPECT_FALSE(AnyButtonShown());

  view->Deliver(cm::BuildPlayTurn(1));  // refused: the turn comes back
  EXPECT_EQ(Hand()->GetCardCount(), 20);
  EXPECT_TRUE(Shown(SelfHandCard::kBtnPlay));
  EXPECT_TRUE(view->m_TableItem.vcTableCardIndex.empty());

  Hand()->OnAutoOperate();
  const std::uint8_t card = view->server->frames.back().at(8);
  view->Deliver(Played(1, {card}));  // taken
  EXPECT_EQ(Hand()->GetCardCount(), 19);
  EXPECT_EQ(view->m_pSendCard[1]->GetCardCount(), 1);
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, (std::vector<int>{ddz::CardByteToCode(card)}));
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 1);
  const std::vector<int> left = Hand()->HandCodes();
  EXPECT_EQ(std::find(left.begin(), left.end(), ddz::CardByteToCode(card)), left.end());
}

// The table shows a play to beat while the server has the own seat leading:
// the turn must not go back and forth without end.
TEST_F(StaleTurns, TheOwnSeatLeadsWhenTheServerSaysSoAndTheTimeOutNeverPassesThen) {
  struct Case {
    const char* what;
    bool refusedPass;  // else: both other seats passed after an own play the table missed
  };
  for (const Case c : {Case{"a refused pass handed back", true}, Case{"two passes since the last play", false}}) {
    SCOPED_TRACE(c.what);
    view->ResetTable();
    ResetMainMsgLock();
    Dealt();
    LandlordIs(2);
    view->Deliver(cm::BuildPlayTurn(2));
    view->Deliver(Played(2, kPairOf9));
    view->Deliver(cm::BuildPlayTurn(0));
    view->Deliver(Played(0, {}));
    if (c.refusedPass) {
      view->Deliver(cm::BuildPlayTurn(1));
      ASSERT_FALSE(Hand()->GetLastPlay().empty());
      Hand()->OnButtonClick(Hand()->GetMainButton(SelfHandCard::kBtnPass));
      ASSERT_EQ(LastPlayCount(), 0);
    } else {
      // The own play's 56 never reached the table; then both others passed.
      view->Deliver(cm::BuildPlayTurn(2));
      view->Deliver(Played(2, {}));
      view->Deliver(cm::BuildPlayTurn(0));
      view->Deliver(Played(0, {}));
    }
    view->Deliver(cm::BuildPlayTurn(1));
    EXPECT_TRUE(Hand()->GetLastPlay().empty());
    EXPECT_TRUE(view->m_TableItem.vcTableCardIndex.empty());
    EXPECT_FALSE(Hand()->GetMainButton(SelfHandCard::kBtnPass)->isEnabled());
    Hand()->OnAutoOperate();
    EXPECT_EQ(LastRequest(), 24);
    EXPECT_EQ(LastPlayCount(), 1) << "leading, the time-out plays";
  }
}

// A result that comes while the table shows no hand is not settled on it.
TEST_F(StaleTurns, AResultForAHandTheTableNoLongerShowsIsDropped) {
  const int money[3] = {view->GetPlayerNode(0)->iMoney, view->GetPlayerNode(1)->iMoney, view->GetPlayerNode(2)->iMoney};
  const GlobalInfo before = GameViewBase::m_GlobalInfo;
  const int today = view->GetTodayPlayNum();
  struct Case {
    const char* what;
    bool dealt;
  };
  for (const Case c : {Case{"no hand was dealt", false}, Case{"the table was reset after the deal", true}}) {
    SCOPED_TRACE(c.what);
    if (c.dealt) {
      Dealt();
      view->ResetTable();
    }
    cocos2d::Log::clear();
    DeliverResult(Result());
    EXPECT_TRUE(cocos2d::Log::contains("CallBackGameResultServer: no hand runs on the table, result dropped"));
    tick(200, 1.0f / 60);
    EXPECT_FALSE(view->GetResultScreen()->isRunning());
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    EXPECT_FALSE(view->IsResultLockHeld());
    for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(view->GetPlayerNode(seat)->iMoney, money[seat]);
    EXPECT_EQ(view->m_iHandsPlayed, 0);
    EXPECT_EQ(view->GetTodayPlayNum(), today);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iSingleWinNum, before.iSingleWinNum);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iSingleGameAmount, before.iSingleGameAmount);
  }
}

}  // namespace
}  // namespace classictest
