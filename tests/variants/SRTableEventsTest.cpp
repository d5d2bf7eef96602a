// The four-player table's notices from the game base, its re-login snapshot,
// the hand result and the result window's buttons, and the single-player
// game it does not play, on the real view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SRTestSupport.h"
#include "cards/BaseCard.h"
#include "cards/SRShowCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "platform/engine/Label.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/ResultAnis.h"
#include "widgets/SRResultLayer.h"
#include "widgets/SRTopUI.h"
#include "support/HeadClicks.h"
#include "support/MidDealBackground.h"

namespace srtest {
namespace {

template <class T>
std::vector<T*> ChildrenOf(cocos2d::Node* parent) {
  std::vector<T*> out;
  for (cocos2d::Node* child : parent->getChildren())
    if (auto* t = dynamic_cast<T*>(child)) out.push_back(t);
  return out;
}

// A notice frame of `size` bytes with the given bytes set.
Frame Notice(int size, std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
  Frame f = Blank(0, size);
  for (auto [at, v] : bytes) f[static_cast<std::size_t>(at)] = v;
  return f;
}

using SREventsTest = SRTest;

// ---------------------------------------------------------------- seats

// A click anywhere on another player's drawn head opens that player's popup
// at once, its corners as well as its centre.
TEST_F(SREventsTest, AClickAnywhereOnAnotherPlayersHeadOpensItsPopup) {
  EnterSeated();
  ddz::test::ExpectEachHeadClickOpensItsPopup(view, {0, 2, 3}, [&](cocos2d::Vec2 at) { tap(at); });
}

TEST_F(SREventsTest, ASeatKeepsItsHeadFigureThroughLeaveAndJoinUntilTheResult) {
  EnterSeated();
  const int figure = view->m_pPlayerShow[2]->GetHeadID();
  EXPECT_EQ(g_iSeatHeadFigure[2], figure);
  EXPECT_TRUE(view->m_pPlayerShow[2]->isRunning());
  view->CallBackPlayerLeaveTable(2);
  for (cocos2d::Node* w : {static_cast<cocos2d::Node*>(view->m_pPlayerShow[2]), static_cast<cocos2d::Node*>(view->m_pPlayerGameInfo[2]),
                           static_cast<cocos2d::Node*>(view->m_pHandCard[2]), static_cast<cocos2d::Node*>(view->m_pSendCard[2])})
    EXPECT_EQ(w->getParent(), nullptr);
  view->CallBackPlayerLeaveTable(1);
  EXPECT_TRUE(view->m_pHandCard[1]->isRunning()) << "the own seat never leaves";
  view->CallBackPlayerJoinTable(2);
  EXPECT_EQ(view->m_pPlayerShow[2]->GetHeadID(), figure);
  EXPECT_TRUE(view->m_pPlayerShow[2]->isRunning());
  // The result forgets the figures, and so does the login.
  view->Deliver(Result(ResultFields{}));
  for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(g_iSeatHeadFigure[seat], -1) << seat;
  g_iSeatHeadFigure[0] = 5;
  view->CallBackAuthenResOK();
  EXPECT_EQ(g_iSeatHeadFigure[0], -1);
  // Seats out of range change nothing.
  view->CallBackPlayerJoinTable(4);
  view->CallBackPlayerLeaveTable(-1);
  view->CallBackPlayerReady(7);
}

TEST_F(SREventsTest, ReadyAloneAsksForAnotherTableAfter30sUnlessSomeoneJoinsOrTheTableResets) {
  struct Case {
    const char* name;
    std::function<void(SRTestView*)> within;  // during the 30 s
    bool changes;
  } const cases[] = {
      {"alone", [](SRTestView*) {}, true},
      {"a join", [](SRTestView* v) { v->SeatPlayers(1, false), v->CallBackPlayerJoinTable(3); }, false},
      {"a reset", [](SRTestView* v) { v->ResetTable(); }, false},
      {"the background", [](SRTestView* v) { v->CallBackGameEnterBackGround(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    for (int seat : {0, 2, 3}) view->EmptySeat(seat);
    cocos2d::Log::clear();
    view->CallBackPlayerReady(1);
    EXPECT_NE(view->m_pPlayerGameInfo[1]->GetReady(), nullptr);
    EXPECT_TRUE(view->IsAutoChangeDeskPending());
    tick(150, 0.1f);
    c.within(view);
    tick(160, 0.1f);
    EXPECT_EQ(Logged("SendEscapeReq 0"), c.changes);
    EXPECT_FALSE(view->IsAutoChangeDeskPending());
  }
  // Not alone: nothing is armed.
  EnterSeated();
  view->CallBackPlayerReady(1);
  EXPECT_FALSE(view->IsAutoChangeDeskPending());
}

TEST_F(SREventsTest, TheIdleKickShowsTheKickOutBoxAfter120sUnlessTheStartButtonIsPressed) {
  EnterSeated();
  view->OnRoundStart();
  EXPECT_TRUE(view->GetStartButton()->isVisible());
  tick(1199, 0.1f);
  EXPECT_FALSE(GameMsgBox::shareMessageBox()->IsOpen());
  tick(2, 0.1f);
  EXPECT_TRUE(GameMsgBox::shareMessageBox()->IsOpen());
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(16));
  GameMsgBox::shareMessageBox()->CloseDialog(0);

  view->OnRoundStart();
  view->OnBtnStart();
  EXPECT_FALSE(view->GetStartButton()->isVisible());
  EXPECT_FALSE(view->IsIdleKickPending());
  view->OnRoundStart();
  view->CallBackGameEnterBackGround();
  EXPECT_FALSE(view->IsIdleKickPending());
}

TEST_F(SREventsTest, ConnectionNoticesMarkOtherSeatsOnlyAndNotTheFastClockSeatsDelay) {
  EnterSeated();
  view->Player(2)->bShortClock = 1;
  view->CallBackPlayerNetDelay(0, 300);
  view->CallBackPlayerNetDelay(2, 300);  // the server plays for it: no delay sign
  view->CallBackPlayerNetDelay(1, 300);
  EXPECT_NE(view->m_pPlayerGameInfo[0]->GetNetDelay(), nullptr);
  EXPECT_EQ(view->m_pPlayerGameInfo[2]->GetNetDelay(), nullptr);
  EXPECT_EQ(view->m_pPlayerGameInfo[1]->GetNetDelay(), nullptr);
  view->CallBackOtherPlayerDisconnect(0);
  view->CallBackOtherPlayerDisconnect(1);
  EXPECT_NE(view->m_pPlayerGameInfo[0]->GetOffLine(), nullptr);
  EXPECT_EQ(view->m_pPlayerGameInfo[0]->GetNetDelay(), nullptr) << "the offline sign replaces the delay sign";
  EXPECT_EQ(view->m_pPlayerGameInfo[1]->GetOffLine(), nullptr);
  view->CallBackOtherPlayerLoginAgain(0);
  EXPECT_EQ(view->m_pPlayerGameInfo[0]->GetOffLine(), nullptr);
  for (int seat : {-1, 4}) {
    view->CallBackOtherPlayerDisconnect(seat);
    view->CallBackOtherPlayerLoginAgain(seat);
    view->CallBackPlayerNetDelay(seat, 1);
  }
}

TEST_F(SREventsTest, TaskNumbersFillTheTopBarsCountsAndTaskPanel) {
  EnterSeated();
  DealAndWait();
  int values[DDZGameView::kTaskValues] = {9, 8, 7, 6, 5, 40, 41};
  view->UpdateTaskNum(values);
  SRTopUI* top = view->GetTopBar();
  EXPECT_EQ(top->GetGoldNum(0)->getString(), "9");
  EXPECT_EQ(top->GetGoldNum(4)->getString(), "5");
  EXPECT_EQ(top->GetTaskNum(0)->getString(), "40");
  EXPECT_EQ(top->GetTaskNum(1)->getString(), "41");
  view->UpdateTaskNum(nullptr);
  EXPECT_EQ(top->GetTaskNum(1)->getString(), "41");
}

// ---------------------------------------------------------------- jackpot, red packets, escape

TEST_F(SREventsTest, JackpotRedPacketAndEscapeNotices) {
  EnterSeated();
  GameViewBase::m_GlobalInfo.iMoney = 5000;
  GameViewBase::m_GlobalInfo.iYuanBao = 10;
  struct Case {
    const char* name;
    int which;  // 0 jackpot, 1 red packet
    Frame frame;
    int yuanbao, money;
    int guideKind;  // -1 none
    int boxText;    // -1 none
  } const cases[] = {
      {"jackpot 4: yuanbao, big-endian", 0, Notice(16, {{9, 4}, {14, 1}, {15, 2}}), 268, 5000, -1, -1},
      {"jackpot 4 cut short", 0, Notice(15, {{9, 4}, {14, 2}}), 268, 5000, -1, -1},
      {"jackpot 7 changes the yuanbao", 0, Notice(16, {{9, 7}, {15, 9}}), 277, 5000, -1, -1},
      {"jackpot 7 may take yuanbao away", 0, Notice(16, {{9, 7}, {12, 0xff}, {13, 0xff}, {14, 0xff}, {15, 0xfd}}),
       274, 5000, -1, -1},
      {"jackpot 7 of 0: the box", 0, Notice(16, {{9, 7}}), 274, 5000, -1, 105},
      {"jackpot 7 cut short", 0, Notice(15, {{9, 7}, {14, 9}}), 274, 5000, -1, -1},
      {"jackpot of another kind", 0, Notice(16, {{9, 5}, {15, 9}}), 274, 5000, -1, -1},
      {"red packet 3: money and yuanbao", 1, Notice(32, {{8, 2}, {12, 3}, {28, 100}}), 276, 5100, 1, -1},
      {"red packet 3 cut short", 1, Notice(31, {{8, 2}, {12, 3}}), 276, 5100, -1, -1},
      {"red packet 30", 1, Notice(16, {{12, 30}}), 276, 5100, 7, -1},
      {"red packet 31", 1, Notice(16, {{12, 31}}), 276, 5100, 8, -1},
      {"red packet of another kind", 1, Notice(16, {{12, 4}}), 276, 5100, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->GetAniManage()->Clear();
    GameMsgBox::shareMessageBox()->CloseDialog(0);
    std::vector<char> copy(c.frame.begin(), c.frame.end());
    if (c.which == 0) {
      view->CallBackJackPotNotice(copy.data(), static_cast<int>(copy.size()));
    } else {
      view->CallBackHongBaoNotice(copy.data(), static_cast<int>(copy.size()));
    }
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.yuanbao);
    EXPECT_EQ(view->Player(1)->iYuanBao, c.yuanbao);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, c.money);
    EXPECT_EQ(view->m_pBottomUI->GetYBNum(), c.yuanbao) << "the bottom bar shows the yuanbao";
    const auto guides = ChildrenOf<AniPrizeGuide>(view);
    if (c.guideKind < 0) {
      EXPECT_TRUE(guides.empty());
    } else {
      ASSERT_EQ(guides.size(), 1u);
      EXPECT_EQ(guides[0]->m_iPrizeType, c.guideKind);
    }
    EXPECT_EQ(GameMsgBox::shareMessageBox()->IsOpen(), c.boxText >= 0);
    if (c.boxText >= 0) {
      EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(c.boxText));
    }
  }
  // The mini-game's escape code, or any other, changes nothing on this table.
  GameMsgBox::shareMessageBox()->CloseDialog(0);
  cocos2d::Log::clear();
  view->CallBackEscapeNotice(98);
  view->CallBackEscapeNotice(3);
  EXPECT_FALSE(GameMsgBox::shareMessageBox()->IsOpen());
  EXPECT_TRUE(cocos2d::Log::lines().empty());
}

TEST_F(SREventsTest, TheAnnouncementTakesAtMost199BytesAndOnlyKind1ReachesTheStrip) {
  EnterSeated();
  LobbyTopBull* strip = view->GetTopBull();
  auto shown = [&] { return strip->GetLabel() != nullptr ? strip->GetLabel()->getString() : std::string(); };
  Frame full = Notice(209, {{208, 1}});
  for (int i = 8; i < 208; ++i) full[static_cast<std::size_t>(i)] = 'a';  // no zero before byte 208
  struct Case {
    const char* name;
    Frame frame;
  } const cases[] = {
      {"another kind", Notice(209, {{8, 'x'}, {208, 3}})},
      {"cut before the kind", Notice(208, {{8, 'y'}, {207, 1}})},
  };
  std::vector<char> first(full.begin(), full.end());
  view->CallBackShowBullInfo(first.data(), static_cast<int>(first.size()));
  EXPECT_EQ(shown(), std::string(199, 'a')) << "199 bytes, no more";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<char> copy(c.frame.begin(), c.frame.end());
    view->CallBackShowBullInfo(copy.data(), static_cast<int>(copy.size()));
    EXPECT_EQ(shown(), std::string(199, 'a'));
    EXPECT_TRUE(strip->GetQueue().empty());
  }
  // Off the stage nothing is shown.
  view->removeFromParent();
  Frame other = Notice(209, {{8, 'z'}, {208, 1}});
  std::vector<char> copy(other.begin(), other.end());
  view->CallBackShowBullInfo(copy.data(), static_cast<int>(copy.size()));
  EXPECT_EQ(strip->GetQueue().size(), 0u);
}

// ---------------------------------------------------------------- background and foreground

TEST_F(SREventsTest, TheBackgroundTakesEveryHoldOffOnceAndTheForegroundLowersOnlyItsOwn) {
  EnterSeated();
  view->Deliver(Deal(DefaultDeal()));
  view->ShowDoubleAni(1, 2);
  EXPECT_EQ(Lock(), 2) << "the deal and the sign";
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(Lock(), 1) << "only the background's hold";
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(Lock(), 1) << "a second background holds nothing more";
  EXPECT_EQ(view->m_pHandCard[1]->getParent(), nullptr);
  EXPECT_EQ(view->m_pPlayerShow[0]->getParent(), nullptr);
  tick(100, 0.05f);
  EXPECT_EQ(Lock(), 1);

  Vell_SpriteCardManage* oldHand = view->m_pHandCard[1];
  cocos2d::Log::clear();
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(Lock(), 0);
  EXPECT_NE(view->m_pHandCard[1], oldHand) << "a new own hand";
  EXPECT_TRUE(view->m_pHandCard[1]->isRunning());
  EXPECT_TRUE(view->m_pGameClock->isRunning());
  EXPECT_FALSE(Logged("GameViewBase::QuitGame"));

  // Resume flag 0: the foreground leaves the table.
  EnterSeated();
  view->m_bForeGroundFlag = 0;
  view->CallBackGameEnterBackGround();
  cocos2d::Log::clear();
  view->CallBackGameEnterForeGround();
  EXPECT_TRUE(Logged("GameViewBase::QuitGame"));
  EXPECT_EQ(Lock(), 0);
}

// Each foreground builds the own hand, the clock and the deal anew in place
// of the old ones: the view keeps as many widgets after ten trips to the
// background as after one.
TEST_F(SREventsTest, RepeatedBackgroundsKeepOneOwnHandClockAndDeal) {
  EnterSeated();
  std::vector<std::size_t> kept;
  for (int trip = 0; trip < 10; ++trip) {
    view->CallBackGameEnterBackGround();
    view->CallBackGameEnterForeGround();
    kept.push_back(view->KeptWidgets());
  }
  EXPECT_EQ(kept.front(), kept.back());
  EXPECT_EQ(ChildrenOf<SRSelfHandCard>(view).size(), 1u);
  // A foreground without a background replaces them too.
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(view->KeptWidgets(), kept.back());
  EXPECT_EQ(ChildrenOf<SRSelfHandCard>(view).size(), 1u);
  EXPECT_EQ(ChildrenOf<GameClock>(view).size(), 1u);
}

// The window goes away in the middle of the deal: the deal goes with the
// table, and the snapshot alone fills the hands and the bottom cards.
TEST_F(SREventsTest, ABackgroundDuringTheDealLeavesTheHandsToTheSnapshot) {
  EnterSeated();
  view->Deliver(Deal(DefaultDeal()));
  ASSERT_NO_FATAL_FAILURE(ddz::test::LeaveAndComeBackMidDeal(
      *view, [this](int n) { tick(n, 0.05f); }, [this] { return Hand()->GetCardCount(); }, 25));
  ReloginFields r;
  r.own = SomeHand();
  r.counts = {25, 25, 25, 25};
  view->Deliver(Relogin(r));
  tick(300, 0.05f);
  EXPECT_EQ(Hand()->GetCardCount(), 25);
  for (int seat : {0, 2, 3}) EXPECT_EQ(view->m_pHandCard[seat]->GetCardCount(), 25) << seat;
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 8);
  EXPECT_EQ(Lock(), 0);
}

TEST_F(SREventsTest, TheBackgroundWithTheResultOpenLowersTheResultsHoldOnce) {
  EnterSeated();
  view->Deliver(Result(ResultFields{}));
  EXPECT_EQ(Lock(), 1);
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(Lock(), 1) << "the result's hold went, the background's came";
  EXPECT_EQ(view->GetResultLayer()->getParent(), nullptr);
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(Lock(), 0);
  view->OnResultBtnContinue();  // a late click of the gone window
  EXPECT_EQ(Lock(), 0);
  EXPECT_FALSE(Logged("lowered below 0"));
}

// ---------------------------------------------------------------- re-login

TEST_F(SREventsTest, AReloginBeforeTheLandlordShowsTheBidsAndEightFaceDownBottomCards) {
  EnterSeated();
  ReloginFields r;
  r.bids = {2, -1, 0, 1};
  r.own = SomeHand();
  r.own[3] = 0;  // an empty slot
  r.counts = {25, 25, 20, 25};
  r.times = 2;
  r.baseScore = 50;
  r.golden = 13;
  r.gold = {1, 2, 3, 4, 5};
  view->Deliver(Relogin(r));
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, -1);
  EXPECT_EQ(Hand()->GetCardCount(), 24);
  EXPECT_EQ(view->m_pHandCard[2]->GetCardCount(), 20);
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 8);
  for (const BaseCardItem* item : view->m_pBaseCard->GetItems()) EXPECT_TRUE(item->pBackSprite != nullptr && item->pBackSprite->isVisible());
  EXPECT_NE(view->m_pPlayerGameInfo[0]->GetPoint(), nullptr);
  EXPECT_NE(view->m_pPlayerGameInfo[2]->GetPoint(), nullptr);
  EXPECT_EQ(view->m_pPlayerGameInfo[1]->GetPoint(), nullptr) << "no bid yet";
  EXPECT_EQ(view->m_TableItem.iTimes, 2);
  EXPECT_EQ(view->m_TableItem.iBaseScore, 50);
  EXPECT_EQ(Hand()->GetGoldenRank(), 12);
  EXPECT_TRUE(Hand()->isTouchEnabled());
}

TEST_F(SREventsTest, AReloginAfterTheLandlordLaysTheLastPlayAndTheShownHandOut) {
  struct Case {
    const char* name;
    int landlordChair;
    std::vector<std::uint8_t> table;
    int tableChair;
    bool shown;
    int tableSeat;    // whose row holds the play, and iTableCardOwnerPos
    bool openRow;
  } const cases[] = {
      {"a play of another seat on the table", 0, {Card(0, 9), Card(1, 9)}, 3, true, 3, true},
      {"no play: the landlord leads", 2, {}, 3, false, 2, false},
      {"the own landlord's shown hand is not opened", 1, {Card(0, 9)}, 1, true, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    ReloginFields r;
    r.landlordChair = c.landlordChair;
    r.own = SomeHand();
    r.table = c.table;
    r.tableChair = c.tableChair;
    r.shown = c.shown;
    r.shownCards = {Card(0, 3), Card(1, 3), Card(2, 3)};
    r.bottom = {Card(0, 1), 0, Card(1, 1)};
    r.times = 4;
    view->Deliver(Relogin(r));
    EXPECT_EQ(view->m_TableItem.iLandOwnerPos, c.landlordChair);
    PlayerGameInfo* info = view->m_pPlayerGameInfo[c.landlordChair];
    ASSERT_NE(info->GetLandOwner(), nullptr);
    EXPECT_EQ(info->GetLandOwner()->getNumberOfRunningActions(), 0) << "the hat without animation";
    EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, c.tableSeat);
    EXPECT_EQ(view->m_pSendCard[c.tableSeat]->GetCardCount(), static_cast<int>(c.table.size()));
    EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), c.table.size());
    EXPECT_EQ(view->GetShowCard()->getParent() != nullptr, c.openRow);
    EXPECT_EQ(view->m_TableItem.iShowCardTable, c.openRow ? c.landlordChair : -1);
    EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 2u) << "the 0 byte is no card";
    EXPECT_EQ(Hand()->GetRole(), c.landlordChair == 1 ? 2 : 1);
  }
}

// ---------------------------------------------------------------- the result

TEST_F(SREventsTest, TheResultSettlesMoneyAsChangeLessFeeAndFillsTheWindow) {
  EnterSeated();
  DealAndWait();
  view->m_TableItem.iLandOwnerPos = 1;
  view->Player(3)->iMoney = -2147483647 - 1 + 100;  // the fee would run it past the int range
  ResultFields r;
  r.scores = {-300, 900, -300, -300};
  r.fees = {10, 20, 30, 2147483647};
  r.cards[0] = {Card(0, 3), 0, Card(1, 3)};
  r.value = 2;
  view->Deliver(Result(r));
  const int expected[4] = {5000 - 310, 5000 + 880, 5000 - 330, -2147483647 - 1};
  for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(view->Player(seat)->iMoney, expected[seat]) << seat;
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 5880);
  EXPECT_EQ(view->m_pSendCard[0]->GetCardCount(), 2) << "the left seat's cards lie open";
  SRResultLayer* screen = view->GetResultLayer();
  EXPECT_TRUE(screen->isRunning());
  EXPECT_TRUE(screen->bLandOwner);
  EXPECT_EQ(screen->vcResult[1], 900);
  EXPECT_EQ(screen->iSendBombNum, 2);
  EXPECT_TRUE(view->IsResultLockHeld());
  EXPECT_EQ(view->GetAllWinNum(), 1);
}

TEST_F(SREventsTest, TheCapFlagAndTheSpringDoubling) {
  struct Case {
    const char* name;
    int cap, times, base, spring;
    bool capped;
    int timesAfter;
  } const cases[] = {
      {"cap 300 at 100", 300, 1, 100, 0, true, 1},
      {"cap 300 at 99", 300, 1, 99, 0, false, 1},
      {"no cap", 0, 1, 1000, 0, false, 1},
      {"spring", 0, 3, 10, 1, false, 6},
      {"anti-spring", 0, 3, 10, 2, false, 6},
      {"another spring byte", 0, 3, 10, 3, false, 3},
      {"spring reaches the cap", 300, 5, 10, 1, true, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    DealFields d = DefaultDeal();
    d.cap = c.cap;
    d.baseScore = c.base;
    DealAndWait(d);
    view->m_TableItem.iTimes = c.times;
    ResultFields r;
    r.spring = c.spring;
    view->Deliver(Result(r));
    EXPECT_EQ(view->m_TableItem.iTimes, c.timesAfter);
    EXPECT_EQ(view->GetResultLayer()->bFenDing, c.capped);
    EXPECT_EQ(ChildrenOf<AniSpring>(view).size(), c.spring == 1 || c.spring == 2 ? 1u : 0u);
  }
}

TEST_F(SREventsTest, WithTheThirdSwitchTheWindowWaitsForTheResultPause) {
  EnterSeated();
  GameViewBase::m_GlobalInfo.bThirdSwitch = 1;
  ResultFields r;
  r.scores = {1, 2, 3, 4};
  view->Deliver(Result(r));
  EXPECT_FALSE(view->GetResultLayer()->isRunning());
  EXPECT_TRUE(view->IsResultLockHeld());
  tick(70, 1.0f / 60);
  EXPECT_TRUE(view->GetResultLayer()->isRunning());
  EXPECT_EQ(view->GetResultLayer()->vcResult[3], 4);
}

TEST_F(SREventsTest, TheResultCountsDownTheActivitysHands) {
  EnterSeated();
  view->Deliver(Activity(39, 1, 2));
  for (int hand = 0; hand < 2; ++hand) {
    view->Deliver(Result(ResultFields{}));
    view->OnResultBtnContinue();
  }
  EXPECT_EQ(view->GetActivityLayer()->FindActiveBtn(2), nullptr) << "gone below 1";
}

TEST_F(SREventsTest, EachResultButtonActsOnceAndLowersTheResultsHoldOnce) {
  struct Case {
    const char* name;
    std::function<void(SRResultLayer*)> press;
    std::string logged;
    int boxText;  // -1 none
  } const cases[] = {
      {"continue", [](SRResultLayer* s) { s->OnBtnContinue(); }, "SendEscapeReq 0", -1},
      {"quit", [](SRResultLayer* s) { s->OnBtnQuit(); }, "GameViewBase::QuitGame", -1},
      {"the 100 s time-out leaves", [](SRResultLayer*) {}, "GameViewBase::QuitGame", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    GameViewBase::m_iLockMainMsgCount += 1;  // a hold of something else
    view->Deliver(Result(ResultFields{}));
    EXPECT_EQ(Lock(), 2);
    SRResultLayer* screen = view->GetResultLayer();
    cocos2d::Log::clear();
    c.press(screen);
    tick(1010, 0.1f);  // the countdown ends (and acts unless a button did)
    screen->OnBtnContinue();  // a click racing the time-out
    view->OnResultBtnQuit();  // and a second lowering from elsewhere
    EXPECT_EQ(Lock(), 1) << "lowered exactly once";
    EXPECT_TRUE(Logged(c.logged));
    GameViewBase::m_iLockMainMsgCount -= 1;
  }
  // The mini-game button: the escape to the mini-game and the waiting box.
  EnterSeated();
  view->Deliver(Result(ResultFields{}));
  cocos2d::Log::clear();
  view->OnResultBtnSmallGame();
  EXPECT_EQ(Lock(), 0);
  EXPECT_TRUE(Logged("SendEscapeReq 98"));
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(116));
  EXPECT_EQ(view->GetResultLayer()->getParent(), nullptr);
}

// ---------------------------------------------------------------- single-player

TEST_F(SREventsTest, TheSinglePlayerGameShowsTheBoxAndTheOwnTurnsRunNoClock) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  EnterSeated();
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), GameText(SRGameView::kTextNoSinglePlayer));
  EXPECT_NE(box->GetConfirmAction(), nullptr) << "its button leaves";
  EXPECT_FALSE(GameText(SRGameView::kTextNoSinglePlayer).empty());
  EXPECT_EQ(view->GetSingleServer(), nullptr);
  box->CloseDialog(0);
  // The table's single-player branches, on scripted frames.
  DealAndWait();
  struct Case {
    Frame turn;
    bool ownClock;
    int holdMs;
  } const cases[] = {
      {Turn(67, 1), false, 0}, {Turn(67, 0), true, 1000}, {Turn(66, 1), false, 0}, {Turn(66, 3), true, 1000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.turn[1]) * 10 + c.turn[8]);
    GameViewBase::m_iLockMainMsgTime = 0;
    view->Deliver(c.turn);
    EXPECT_EQ(view->m_pGameClock->isVisible(), c.ownClock);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgTime.Remaining(), c.holdMs);
  }
}

}  // namespace
}  // namespace srtest
