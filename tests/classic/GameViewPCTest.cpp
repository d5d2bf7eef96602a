// The classic table: what entering builds, the day and night background, the
// day's hand count, the start button and its one sit request, the teardown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "ClassicTestSupport.h"
#include "cardlogic/SingleServerDDZ.h"
#include "cards/BaseCard.h"
#include "cards/SelfHandCard.h"
#include "classic/BottomUIPC.h"
#include "widgets/GameClock.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "support/HeadClicks.h"
#include "platform/engine/ui/Widgets.h"

namespace {

using classictest::ClassicTest;
using classictest::CountingView;
using classictest::LocalTime;

int ZOrderOf(const cocos2d::Node* node) { return node->getLocalZOrder(); }

TEST_F(ClassicTest, EnteringLoadsTheSheetsAndBuildsTheTableInOrder) {
  CountingView* view = Enter();

  // Construction: the texts, the layout file, three players, a clean table.
  EXPECT_TRUE(g_bGameTextLoaded);
  EXPECT_EQ(view->GetPlayerCount(), 3);
  EXPECT_EQ(g_ptBtnStart, cocos2d::Vec2(640, 290));  // from the phone layout file
  EXPECT_EQ(view->m_TableItem.iTimes, 1);

  // Every sheet was asked for, in the table's order: those this build has
  // are loaded, the others are logged as missing.
  cocos2d::SpriteFrameCache* frames = cocos2d::SpriteFrameCache::getInstance();
  std::vector<std::string> missing;
  for (const std::string& line : cocos2d::Log::lines()) {
    const std::string prefix = "SpriteFrameCache: no sheet and no manifest entry for ";
    if (line.rfind(prefix, 0) == 0) missing.push_back(line.substr(prefix.size()));
  }
  std::vector<std::string> asked;
  for (const char* sheet : GameViewPC::TableSheets()) {
    if (!frames->isSpriteFramesWithFileLoaded(sheet)) asked.push_back(sheet);
  }
  EXPECT_EQ(missing, asked);
  for (const char* sheet : {"CardLayer1.plist", "qorvddzpc_all_res.plist", "vellddz_res_btn.plist"}) {
    EXPECT_TRUE(frames->isSpriteFramesWithFileLoaded(sheet)) << sheet;
  }

  // The music starts before anything is drawn; the guide flags are written.
  const auto& calls = SoundManage::shareSoundManage()->GetCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(),
                          [](const SoundManage::Call& c) { return c.op == SoundManage::Op::PlayMusic && c.loop; }));
  EXPECT_TRUE(cocos2d::UserDefault::getInstance()->getBoolForKey(GameViewPC::kUserTaskGuide, false));
  EXPECT_TRUE(cocos2d::UserDefault::getInstance()->getBoolForKey(GameViewPC::kUserCardCounterGuide, false));

  // The built pieces: background, own hand, start button, info label, and
  // the local server of the single-player game. Touches of the view are off.
  ASSERT_NE(view->GetBackground(0), nullptr);
  EXPECT_EQ(ZOrderOf(view->GetBackground(0)), -10);
  EXPECT_EQ(view->GetBackground(0)->getPosition(), cocos2d::Vec2(640, 360));
  ASSERT_NE(view->GetBackground(1), nullptr);
  EXPECT_EQ(view->GetBackground(1)->getPosition(), cocos2d::Vec2(1067, 290));
  EXPECT_EQ(view->GetBackground(2)->getPosition(), cocos2d::Vec2(215, 290));

  SelfHandCard* hand = view->GetSelfHand();
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand->getParent(), view);
  EXPECT_EQ(ZOrderOf(hand), 101);
  EXPECT_EQ(hand->GetOwnerView(), view);
  EXPECT_FLOAT_EQ(hand->getScale(), 0.818182f);
  EXPECT_NEAR(hand->getPosition().x, 1280 * 0.0909f, 0.01f);
  EXPECT_TRUE(hand->isTouchEnabled());

  cocos2d::ui::Button* start = view->GetStartButton();
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->getParent(), view);
  EXPECT_FALSE(start->isVisible());
  EXPECT_EQ(start->getPosition(), g_ptBtnStart);
  EXPECT_EQ(start->getExtraAboveImage(), "qorvddz_btn_word_start.png");

  ASSERT_NE(view->GetInfoLabel(), nullptr);
  EXPECT_EQ(view->GetInfoLabel()->getPosition(), cocos2d::Vec2(670, 55));
  EXPECT_NE(view->GetSingleServer(), nullptr);
  // Off while the table is built, on once it stands.
  EXPECT_TRUE(view->isTouchEnabled());
}

TEST_F(ClassicTest, BackgroundIsDayFromSevenUntilSixInTheEvening) {
  struct Case {
    int hour, minute;
    const char* image;
    const char* right;
  } cases[] = {
      {6, 59, "qorvddz_bg_night.jpg", "qorvddz_bg_you_night.png"},
      {7, 0, "qorvddz_bg_day.jpg", "qorvddz_bg_you.png"},
      {17, 59, "qorvddz_bg_day.jpg", "qorvddz_bg_you.png"},
      {18, 0, "qorvddz_bg_night.jpg", "qorvddz_bg_you_night.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
    SetLocalTime(2026, 3, 14, c.hour, c.minute);
    CountingView* view = Enter();
    ASSERT_NE(view->GetBackground(0), nullptr);
    EXPECT_EQ(view->GetBackground(0)->getDisplayName(), c.image);
    ASSERT_NE(view->GetBackground(1), nullptr);
    EXPECT_EQ(view->GetBackground(1)->getDisplayName(), c.right);
    view->removeFromParent();
  }
}

TEST_F(ClassicTest, TheDaysHandCountRestartsOnANewDateAndIsKeptOnLeaving) {
  // Stored late yesterday: a new date, whatever the hours between.
  Store()->setIntegerForKey(GameViewPC::kKeyTodayPlayNum, 9);
  Store()->setInteger64ForKey(GameViewPC::kKeyTodayPlayTime, LocalTime(2026, 3, 13, 23, 59));
  SetLocalTime(2026, 3, 14, 0, 1);
  CountingView* view = Enter();
  EXPECT_EQ(view->GetTodayPlayNum(), 0);
  EXPECT_EQ(Store()->getInteger64ForKey(GameViewPC::kKeyTodayPlayTime, 0), Now());

  view->m_iTodayPlayNum = 4;
  view->removeFromParent();
  Store()->Reload();  // what reached the file
  EXPECT_EQ(Store()->getIntegerForKey(GameViewPC::kKeyTodayPlayNum, 0), 4);

  // Later the same day the count goes on; the stored time stays.
  const std::int64_t firstEntry = Now();
  SetLocalTime(2026, 3, 14, 23, 30);
  view = Enter();
  EXPECT_EQ(view->GetTodayPlayNum(), 4);
  EXPECT_EQ(Store()->getInteger64ForKey(GameViewPC::kKeyTodayPlayTime, 0), firstEntry);
}

TEST_F(ClassicTest, DaysCompareByDateNotByTwentyFourHoursOrATimeCutToInt) {
  // Twenty-three hours apart but on two dates; a minute apart on one date.
  EXPECT_NE(CountingView::LocalDayOf(LocalTime(2026, 3, 13, 0, 30)),
            CountingView::LocalDayOf(LocalTime(2026, 3, 13, 23, 30) + 3600));
  EXPECT_EQ(CountingView::LocalDayOf(LocalTime(2026, 3, 13, 0, 0)),
            CountingView::LocalDayOf(LocalTime(2026, 3, 13, 23, 59)));
  // Same day and month of another year.
  EXPECT_NE(CountingView::LocalDayOf(LocalTime(2025, 3, 13, 12, 0)),
            CountingView::LocalDayOf(LocalTime(2026, 3, 13, 12, 0)));

  // After 2038 the stored time still names today: no reset on the second entry.
  SetLocalTime(2040, 6, 1, 9, 0);
  Enter()->removeFromParent();
  SetLocalTime(2040, 6, 1, 10, 0);
  Store()->setIntegerForKey(GameViewPC::kKeyTodayPlayNum, 3);
  EXPECT_EQ(Enter()->GetTodayPlayNum(), 3);
}

// ---------------------------------------------------------------- start button

class StartButton : public ClassicTest {
 protected:
  CountingView* EnterWithButtonShown() {
    CountingView* view = Enter();
    view->GetStartButton()->setVisible(true);  // as after the login
    return view;
  }
};

TEST_F(StartButton, OnePressSendsOneSitRequestOneSecondLater) {
  CountingView* view = EnterWithButtonShown();
  const std::uint64_t pressed = ddz::os::Clock().NowMs();
  tap(g_ptBtnStart);

  EXPECT_FALSE(view->GetStartButton()->isVisible());
  EXPECT_EQ(SoundManage::shareSoundManage()->GetPlayedSounds(), std::vector<std::string>{"ddzSound/6.mp3"});
  tick(9);
  EXPECT_TRUE(view->sitTimesMs.empty());
  tick();
  ASSERT_EQ(view->sitTimesMs.size(), 1u);
  EXPECT_EQ(view->sitTimesMs[0] - pressed, 1000u);

  // Pressing where the hidden button was does nothing; no request follows.
  tap(g_ptBtnStart);
  tick(40);
  EXPECT_EQ(view->sitTimesMs.size(), 1u);
  EXPECT_FALSE(view->IsSitRequestPending());
  // The local server dealt at the sit request.
  auto* server = dynamic_cast<ddz::SingleServerDDZ*>(view->GetSingleServer());
  ASSERT_NE(server, nullptr);
  EXPECT_NE(server->GetPhase(), ddz::SingleServerDDZ::Phase::Idle);
}

TEST_F(StartButton, TheLossLimitRefusesThePressWithABoxThatLeavesTheTable) {
  CountingView* view = EnterWithButtonShown();
  view->m_iDayLoseAmount = GameViewPC::kLoseLimit;
  tap(g_ptBtnStart);
  tick(30);

  EXPECT_TRUE(view->sitTimesMs.empty());
  EXPECT_TRUE(view->GetStartButton()->isVisible());
  EXPECT_TRUE(SoundManage::shareSoundManage()->GetPlayedSounds().empty());
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), "您今天输掉的游戏币已达上限，请明天再来。");
}

TEST_F(StartButton, APendingSitRequestDiesWithATableResetOrTeardown) {
  CountingView* view = EnterWithButtonShown();
  view->OnBtnStart();
  tick(5);
  view->ResetTable();
  tick(20);
  EXPECT_TRUE(view->sitTimesMs.empty());

  view->OnBtnStart();
  tick(5);
  view->retain();
  view->removeFromParent();
  scene->addChild(view);  // back on the stage: the old request does not come back
  view->release();
  tick(20);
  EXPECT_TRUE(view->sitTimesMs.empty());
  EXPECT_FALSE(view->IsSitRequestPending());
}

TEST_F(ClassicTest, LeavingTakesTheTableDownAndEnteringAgainBuildsItOnce) {
  CountingView* view = Enter();
  view->retain();
  view->removeFromParent();
  EXPECT_EQ(view->GetSelfHand(), nullptr);
  EXPECT_EQ(view->GetStartButton(), nullptr);
  EXPECT_EQ(view->GetInfoLabel(), nullptr);
  EXPECT_EQ(view->GetBackground(0), nullptr);
  scene->addChild(view);
  view->release();
  int buttons = 0;
  for (cocos2d::Node* child : view->getChildren())
    if (dynamic_cast<cocos2d::ui::Button*>(child) != nullptr) ++buttons;
  EXPECT_EQ(buttons, 1);
  EXPECT_NE(view->GetSelfHand(), nullptr);
}


TEST_F(ClassicTest, TheSeatWidgetsAndRowsAreOnTheTableOnceAndGoWithIt) {
  CountingView* view = Enter();
  for (int seat = 0; seat < 3; ++seat) {
    SCOPED_TRACE(seat);
    ASSERT_NE(view->m_pPlayerShow[seat], nullptr);
    ASSERT_NE(view->m_pPlayerGameInfo[seat], nullptr);
    EXPECT_EQ(view->m_pPlayerShow[seat]->getParent(), view);
    EXPECT_EQ(view->m_pPlayerGameInfo[seat]->getParent(), view);
    EXPECT_EQ(view->m_pSendCard[seat]->getParent(), view);
    EXPECT_EQ(view->m_pMingCard[seat]->getParent(), view);
    EXPECT_EQ(view->m_pHandCard[seat]->getParent(), view);
    EXPECT_EQ(view->m_pOtherPlayerInfo[seat] != nullptr, seat != 1);  // no popup for the own seat
  }
  EXPECT_FALSE(view->m_pPlayerShow[1]->isVisible());  // the own head starts hidden
  EXPECT_EQ(view->m_pPlayerGameInfo[1]->getPosition(), cocos2d::Vec2(0, 52));
  EXPECT_EQ(ZOrderOf(view->m_pPlayerGameInfo[1]), 100);
  EXPECT_EQ(ZOrderOf(view->m_pSendCard[1]), 3);
  ASSERT_NE(view->m_pBaseCard, nullptr);
  EXPECT_EQ(view->m_pBaseCard->getPosition(), g_ptNormalBaseCard + cocos2d::Vec2(0, -30));
  ASSERT_NE(view->m_pGameClock, nullptr);
  EXPECT_EQ(ZOrderOf(view->m_pGameClock), 4);
  EXPECT_NE(view->m_pDealCard, nullptr);

  // Leaving takes every widget down; entering again builds one of each.
  view->retain();
  view->removeFromParent();
  for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(view->m_pPlayerGameInfo[seat], nullptr);
  EXPECT_EQ(view->m_pBaseCard, nullptr);
  scene->addChild(view);
  view->release();
  int clocks = 0;
  for (cocos2d::Node* child : view->getChildren()) clocks += dynamic_cast<GameClock*>(child) != nullptr;
  EXPECT_EQ(clocks, 1);
}

TEST_F(ClassicTest, ATouchOnAnotherPlayersHeadOpensThatPlayersPopupOnly) {
  // The table switches its touches on itself once it is built.
  CountingView* view = Enter();
  PlayerNode players[3];
  for (int seat : {0, 2}) view->m_pPlayerNode[seat] = &players[seat];
  tap(g_ptTipsPlayerInfo[0] + cocos2d::Vec2(20, 20));
  EXPECT_TRUE(view->m_pOtherPlayerInfo[0]->isVisible());
  EXPECT_FALSE(view->m_pOtherPlayerInfo[2]->isVisible());

  // 100 ms later a touch elsewhere is ignored; 101 ms after the first it counts and closes.
  ddz::os::Clock().AdvanceMs(100);
  window->touchBegan(5, 715);
  window->touchEnded(5, 715);
  EXPECT_TRUE(view->m_pOtherPlayerInfo[0]->isVisible());
  ddz::os::Clock().AdvanceMs(1);
  window->touchBegan(5, 715);
  window->touchEnded(5, 715);
  EXPECT_FALSE(view->m_pOtherPlayerInfo[0]->isVisible());
}

// A click anywhere on another player's drawn head opens that player's popup
// at once, its corners as well as its centre.
TEST_F(ClassicTest, AClickAnywhereOnAnotherPlayersHeadOpensItsPopup) {
  CountingView* view = Enter();
  PlayerNode players[3];
  for (int seat : {0, 2}) view->m_pPlayerNode[seat] = &players[seat];
  for (int seat : {0, 2}) ASSERT_GT(view->m_pPlayerShow[seat]->GetHeadImage()->getContentSize().width, 0);
  ddz::test::ExpectEachHeadClickOpensItsPopup(view, {0, 2}, [&](cocos2d::Vec2 at) { tap(at); });
}

// The window frame's help button opens the one rules window of the process
// on the table, over the bottom bar and the card counter strip it opens; a
// second press while it is open adds nothing.
TEST_F(ClassicTest, TheHelpButtonOpensTheOneRulesWindowOnTheTable) {
  CountingView* view = Enter();
  GameRuleLayer* rules = GameViewPC::SharedGameRule();
  ASSERT_NE(rules, nullptr);
  EXPECT_EQ(GameViewPC::SharedGameRule(), rules);
  view->m_pBottomUIPC->OnPanelBtnClick(view->m_pBottomUIPC->GetPanelButton(BottomUIPC::kPanelCounter));
  ASSERT_NE(view->m_pBottomUIPC->GetOpenCardCounter(), nullptr);
  view->OpenGameRule();
  EXPECT_EQ(rules->getParent(), view);
  EXPECT_GT(rules->getLocalZOrder(), view->m_pBottomUIPC->getLocalZOrder());
  EXPECT_EQ(rules->GetGameID(), 62);
  EXPECT_NE(rules->GetBackground(), nullptr);
  view->OpenGameRule();
  int windows = 0;
  for (cocos2d::Node* child : view->getChildren()) windows += child == rules ? 1 : 0;
  EXPECT_EQ(windows, 1);
  rules->removeFromParent();
}

// The single-player game's idle tips: the start button starts them every
// 120 s; the hands' table resets leave them running; leaving the table ends
// them.
TEST_F(ClassicTest, TheStartButtonStartsTheIdleTipsForTheWholeGame) {
  CountingView* view = Enter();
  view->IniMainSocketAuthen();
  TalkTip* tips = view->m_pTalkTip;
  ASSERT_NE(tips, nullptr);
  EXPECT_FALSE(tips->isScheduled("ShowRandomTip"));
  view->OnBtnStart();
  EXPECT_TRUE(tips->isScheduled("ShowRandomTip"));
  for (int i = 0; i < 400 && !view->m_bHandRunning; ++i) tick(1, 0.05f);
  ASSERT_TRUE(view->m_bHandRunning);  // the deal reset the table
  EXPECT_TRUE(tips->isScheduled("ShowRandomTip"));
  tick(1210, 0.1f);
  ASSERT_NE(tips->GetRandomTip(), nullptr);
  // The tip's bubble stands clear of the side seats' card backs (a seam of
  // a point or two aside).
  const auto box = [](cocos2d::Node* n) {
    const cocos2d::Vec2 a = n->convertToWorldSpace(cocos2d::Vec2::ZERO);
    const cocos2d::Vec2 b = n->convertToWorldSpace(cocos2d::Vec2(n->getContentSize().width, n->getContentSize().height));
    return cocos2d::Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
  };
  const cocos2d::Rect tip = box(tips->GetRandomTip());
  int backs = 0;
  for (int seat : {0, 2}) {
    ASSERT_NE(view->m_pHandCard[seat], nullptr);
    for (cocos2d::Node* back : view->m_pHandCard[seat]->getChildren()) {
      if (!back->isVisible() || dynamic_cast<cocos2d::Sprite*>(back) == nullptr) continue;
      ++backs;
      const cocos2d::Rect b = box(back);
      const float across = std::min(tip.getMaxX(), b.getMaxX()) - std::max(tip.getMinX(), b.getMinX());
      const float down = std::min(tip.getMaxY(), b.getMaxY()) - std::max(tip.getMinY(), b.getMinY());
      EXPECT_FALSE(across > 2 && down > 2) << "seat " << seat << "'s backs under the tip";
    }
  }
  EXPECT_GT(backs, 0);
  tips->retain();
  view->removeFromParent();
  EXPECT_FALSE(tips->isScheduled("ShowRandomTip"));
  tips->release();
}

}  // namespace
