// The activity bar: one button per type, the layout after a removal, the
// daily window's states across its start, end and midnight, the counted mode,
// the tip's touches and the web countdown that takes its own button away.
#include "ChatWidgetsTestSupport.h"

#include <ctime>

#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"

namespace chattest {
namespace {

using cocos2d::Vec2;

// Seconds since the epoch of a local date and time.
long long Local(int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = 2024 - 1900;
  tm.tm_mon = 2;  // March
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return static_cast<long long>(std::mktime(&tm));
}

class ActivityLayerTest : public ChatWidgetsTest {
 protected:
  void SetUp() override {
    ChatWidgetsTest::SetUp();
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("vellddz_res_activebtn.plist");
    bar = ActivityLayer::create();
    bar->setPosition(60, 650);
    view->addChild(bar, 105);
  }
  void TearDown() override {
    ChatWidgetsTest::TearDown();
    cocos2d::SpriteFrameCache::destroyInstance();
  }

  // Whole seconds, one frame each (the buttons tick once a second).
  void seconds(int n) {
    for (int i = 0; i < n; ++i) director->mainLoop(1.0f);
  }
  CGActiveBtn* window() { return dynamic_cast<CGActiveBtn*>(bar->GetActiveBtn(ActivityLayer::kTypeTimeWindow)); }
  // A daily window from `start` to `end` o'clock at `now`.
  CGActiveBtn* daily(int start, int end, long long now) {
    CGActiveBtn* button = window();
    button->SetActiveInfo(start, end, 0, static_cast<int>(now), view);
    return button;
  }
  void TapAt(Vec2 at) {
    const float windowY = director->getWinSize().height - at.y;
    ChatWidgetsTest::window->touchBegan(at.x, windowY);
    ChatWidgetsTest::window->touchEnded(at.x, windowY);
  }
  void TapTips(ActiveBtnBase* button) {
    cocos2d::Node* tips = button->GetTips();
    TapAt(tips->convertToWorldSpace(Vec2(tips->getContentSize().width / 2, tips->getContentSize().height / 2)));
  }

  ActivityLayer* bar = nullptr;
};

// ---------------------------------------------------------------- buttons and layout

TEST_F(ActivityLayerTest, GetActiveBtnMakesOneButtonPerTypeAndNoneForAnUnknownType) {
  struct Case {
    int type;
    bool (*isKind)(ActiveBtnBase*);
  };
  const Case cases[] = {
      {0, [](ActiveBtnBase* b) { return dynamic_cast<CGActiveBtn*>(b) != nullptr; }},
      {1, [](ActiveBtnBase* b) { return dynamic_cast<TVActiveBtn*>(b) != nullptr; }},
      {2, [](ActiveBtnBase* b) { return dynamic_cast<WEBActiveBtn*>(b) != nullptr; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ActiveBtnBase* first = bar->GetActiveBtn(c.type, 7);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(c.isKind(first));
    EXPECT_EQ(first->GetValue(), 7);
    EXPECT_EQ(bar->GetActiveBtn(c.type, 9), first);
    EXPECT_EQ(bar->FindActiveBtn(c.type), first);
    EXPECT_EQ(first->getParent(), bar);
  }
  EXPECT_EQ(bar->GetButtons().size(), 3u);
  for (int type : {-1, 3, 5}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(bar->GetActiveBtn(type), nullptr);
    EXPECT_EQ(bar->FindActiveBtn(type), nullptr);
  }
  EXPECT_EQ(bar->GetButtons().size(), 3u);
  EXPECT_EQ(bar->getChildrenCount(), 3u);
}

TEST_F(ActivityLayerTest, RemovingTheMiddleButtonMovesTheLastIntoItsPlaceAndTheNodeLeavesAfterTheFrame) {
  ActiveBtnBase* first = bar->GetActiveBtn(2);
  ActiveBtnBase* middle = bar->GetActiveBtn(0);
  ActiveBtnBase* last = bar->GetActiveBtn(1);
  EXPECT_EQ(last->getPosition(), Vec2(200, 0));
  EXPECT_EQ(last->getLocalZOrder(), -2);

  bar->RemoveActiveBtn(0);
  EXPECT_EQ(bar->FindActiveBtn(0), nullptr);
  EXPECT_EQ(first->getPosition(), Vec2(0, 0));
  EXPECT_EQ(first->getLocalZOrder(), 0);
  EXPECT_EQ(last->getPosition(), Vec2(100, 0));
  EXPECT_EQ(last->getLocalZOrder(), -1);
  EXPECT_FALSE(middle->isVisible());
  tick();
  EXPECT_EQ(bar->getChildrenCount(), 2u);

  // Nothing of that type left: the layout stays as it is.
  bar->RemoveActiveBtn(0);
  EXPECT_EQ(last->getPosition(), Vec2(100, 0));
  // A new button of the removed type goes to the end.
  EXPECT_EQ(bar->GetActiveBtn(0)->getPosition(), Vec2(200, 0));

  bar->RemoveAll();
  EXPECT_TRUE(bar->GetButtons().empty());
  tick();
  EXPECT_EQ(bar->getChildrenCount(), 0u);
}

// ---------------------------------------------------------------- the daily window

TEST_F(ActivityLayerTest, TheDailyWindowWaitsRunsAndEndsAtItsHours) {
  // SetActiveInfo ticks once at once: the button's clock is then now + 1.
  struct Case {
    long long now;
    int state;
    const char* timeText;  // the running countdown, when running
  };
  const Case cases[] = {
      {Local(5, 9, 59, 58), CGActiveBtn::kBeforeStart, nullptr},
      {Local(5, 9, 59, 59), CGActiveBtn::kRunning, "02:00:00"},
      {Local(5, 11, 0, 29), CGActiveBtn::kRunning, "00:59:30"},
      {Local(5, 11, 59, 59), CGActiveBtn::kRunning, "00:00:00"},
      {Local(5, 12, 0, 0), CGActiveBtn::kEnded, nullptr},
      {Local(5, 23, 59, 59), CGActiveBtn::kEnded, nullptr},  // midnight itself is still today
      {Local(5, 0, 0, 0), CGActiveBtn::kBeforeStart, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.now - Local(5, 0, 0, 0));
    CGActiveBtn* button = daily(10, 12, c.now);
    EXPECT_EQ(button->GetState(), c.state);
    EXPECT_EQ(button->GetStart(), Local(5, 10, 0, 0));
    EXPECT_EQ(button->GetTimeBg()->isVisible(), c.state == CGActiveBtn::kRunning);
    if (c.timeText != nullptr) {
      EXPECT_EQ(button->GetTimeLabel()->getString(), c.timeText);
    }
    // The tip opens by itself while the window waits or runs.
    EXPECT_EQ(button->GetTips() != nullptr, c.state != CGActiveBtn::kEnded);
    bar->RemoveActiveBtn(0);
    tick();
  }
}

TEST_F(ActivityLayerTest, TheTickMovesTheWindowFromWaitingToRunningAndClosesTheTip) {
  CGActiveBtn* button = daily(10, 12, Local(5, 9, 59, 57));
  ASSERT_NE(button->GetTips(), nullptr);
  EXPECT_EQ(button->TipTexts(), (std::vector<std::string>{GameText(258), "00:00:02"}));
  seconds(1);
  EXPECT_EQ(button->TipTexts(), (std::vector<std::string>{GameText(258), "00:00:01"}));
  seconds(1);
  EXPECT_EQ(button->GetState(), CGActiveBtn::kRunning);
  EXPECT_EQ(button->GetTips(), nullptr);
  EXPECT_TRUE(button->GetTimeBg()->isVisible());
  EXPECT_EQ(button->GetTimeLabel()->getString(), "02:00:00");
  seconds(1);
  EXPECT_EQ(button->GetTimeLabel()->getString(), "01:59:59");
}

TEST_F(ActivityLayerTest, AfterTheEndAndPastMidnightTheWindowCountsDownToTomorrowsStart) {
  CGActiveBtn* button = daily(10, 12, Local(5, 23, 59, 58));
  EXPECT_EQ(button->GetState(), CGActiveBtn::kEnded);
  seconds(1);  // midnight
  EXPECT_EQ(button->GetState(), CGActiveBtn::kEnded);
  seconds(1);
  EXPECT_EQ(button->GetState(), CGActiveBtn::kBeforeStart);
  EXPECT_EQ(button->GetStart(), Local(6, 10, 0, 0));
  EXPECT_EQ(button->GetEnd(), Local(6, 12, 0, 0));
  button->OnClick();
  EXPECT_EQ(button->TipTexts(), (std::vector<std::string>{GameText(258), "09:59:59"}));
}

TEST_F(ActivityLayerTest, AWholeDayWindowShowsItsTextAndKeepsRunningOverMidnight) {
  CGActiveBtn* button = daily(0, 24, Local(5, 23, 59, 57));
  EXPECT_EQ(button->GetState(), CGActiveBtn::kRunning);
  EXPECT_EQ(button->GetTimeLabel()->getString(), GameText(257));
  for (int i = 0; i < 4; ++i) {
    seconds(1);
    EXPECT_EQ(button->GetState(), CGActiveBtn::kRunning);
  }
  EXPECT_EQ(button->GetStart(), Local(6, 0, 0, 0));
  EXPECT_EQ(button->GetTimeLabel()->getString(), GameText(257));
}

// The third argument alone decides between the daily window and the counted
// mode; the first (the start hour) may be anything.
TEST_F(ActivityLayerTest, ANonZeroThirdArgumentGivesTheCountedModeWithoutATick) {
  struct Case {
    int start, end, left;
    int state;
  };
  const Case cases[] = {
      {0, 0, 3, CGActiveBtn::kCounted},
      {8, 20, 3, CGActiveBtn::kCounted},
      {8, 20, -1, CGActiveBtn::kEnded},
      {0, 24, 0, CGActiveBtn::kRunning},
      {8, 20, 0, CGActiveBtn::kRunning},
  };
  const long long now = Local(5, 15, 0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "-" << c.end << " left " << c.left);
    CGActiveBtn* button = window();
    button->SetActiveInfo(c.start, c.end, c.left, static_cast<int>(now), view);
    EXPECT_EQ(button->GetState(), c.state);
    seconds(2);
    EXPECT_EQ(button->GetNow(), c.left == 0 ? now + 3 : now);
    if (c.state == CGActiveBtn::kCounted) {
      button->OnClick();
      EXPECT_EQ(button->TipTexts(), std::vector<std::string>{ddz::FormatText(GameText(249), c.left)});
    }
    bar->RemoveActiveBtn(0);
    tick();
  }
}

TEST_F(ActivityLayerTest, ATouchOnTheOpenTipOpensTheMiniGameOnlyWhileTheWindowWaitsOrRuns) {
  struct Case {
    long long now;
    int opens;
  };
  for (const Case& c : {Case{Local(5, 9, 0, 0), 1}, Case{Local(5, 10, 30, 0), 1}, Case{Local(5, 13, 0, 0), 0}}) {
    SCOPED_TRACE(c.now - Local(5, 0, 0, 0));
    view->smallGameOpens = 0;
    CGActiveBtn* button = daily(10, 12, c.now);
    button->OnClick();
    ASSERT_NE(button->GetTips(), nullptr);
    TapTips(button);
    EXPECT_EQ(view->smallGameOpens, c.opens);
    EXPECT_EQ(button->GetTips() == nullptr, c.opens == 1);  // the bar's tips close with it
    bar->RemoveActiveBtn(0);
    tick();
  }
}

TEST_F(ActivityLayerTest, AnOpenTipClosesOnATouchOutsideItAndByItselfAfterFiveSeconds) {
  ActiveBtnBase* counter = bar->GetActiveBtn(1);
  counter->OnClick();
  ASSERT_NE(counter->GetTips(), nullptr);
  TapAt(Vec2(900, 200));
  EXPECT_EQ(counter->GetTips(), nullptr);

  counter->OnClick();
  run(4.9f);
  EXPECT_NE(counter->GetTips(), nullptr);
  run(0.2f);
  EXPECT_EQ(counter->GetTips(), nullptr);
}

TEST_F(ActivityLayerTest, ClickingOneButtonClosesTheOtherButtonsTips) {
  ActiveBtnBase* counter = bar->GetActiveBtn(1);
  ActiveBtnBase* web = bar->GetActiveBtn(2);
  counter->OnClick();
  web->OnClick();
  EXPECT_EQ(counter->GetTips(), nullptr);
  EXPECT_NE(web->GetTips(), nullptr);
}

// ---------------------------------------------------------------- counter and web

TEST_F(ActivityLayerTest, TheCounterTipFollowsItsCounts) {
  auto* counter = dynamic_cast<TVActiveBtn*>(bar->GetActiveBtn(1));
  counter->SetActiveInfo(3, 1, 4, 0, 2);
  counter->OnClick();
  EXPECT_EQ(counter->TipTexts(), (std::vector<std::string>{ddz::FormatText(GameText(250), 3, 1),
                                                           ddz::FormatText(GameText(251), 4, 2)}));
  counter->AddCount(2);
  counter->DecCount(-5);
  EXPECT_EQ(counter->GetLeftCount(), 0);
  EXPECT_EQ(counter->TipTexts().back(), ddz::FormatText(GameText(251), 6, 0));
}

TEST_F(ActivityLayerTest, TheWebCountdownRemovesItsButtonAfterItsTickThroughTheDeferredRemover) {
  ActiveBtnBase* counter = bar->GetActiveBtn(1);
  auto* web = dynamic_cast<WEBActiveBtn*>(bar->GetActiveBtn(2));
  ActiveBtnBase* daily = bar->GetActiveBtn(0);
  web->ShowWord();
  web->SetCountdown(2);
  web->OnClick();
  EXPECT_EQ(web->TipTexts(), (std::vector<std::string>{GameText(273), "00:00:02"}));
  seconds(1);
  EXPECT_EQ(web->TipTexts().back(), "00:00:01");

  // Between the frame's ticks and its deferred removals: the button has left
  // the bar's list and layout, but the node that ticked is still there.
  struct Seen {
    bool listed = true;
    cocos2d::Node* parent = nullptr;
  };
  std::vector<Seen> seen;
  const int hook = director->addFrameHook(cocos2d::FramePhase::NextFrameCalls, [&](float) {
    seen.push_back({bar->FindActiveBtn(2) != nullptr, web->getParent()});
  });
  seconds(1);
  director->removeFrameHook(hook);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_FALSE(seen[0].listed);
  EXPECT_EQ(seen[0].parent, bar);
  EXPECT_EQ(bar->getChildrenCount(), 2u);  // gone at the frame's end
  EXPECT_EQ(daily->getPosition(), Vec2(100, 0));
  EXPECT_EQ(counter->getPosition(), Vec2(0, 0));
  seconds(2);  // nothing ticks any more
  EXPECT_EQ(bar->GetButtons().size(), 2u);
}

}  // namespace
}  // namespace chattest
