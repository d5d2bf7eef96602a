#include "variants/DDZSmallGameHelpLayer.h"

#include <gtest/gtest.h>

#include "SmallGameTestSupport.h"
#include "variants/DDZSmallGameClock.h"

namespace {

using cocos2d::Rect;
using cocos2d::Vec2;

const std::string kClick = "ddzSound/6.mp3";

class SmallGameHelpLayerTest : public smallgametest::SmallGameTest {
 protected:
  void SetUp() override {
    SmallGameTest::SetUp();
    owner->AddButtons();
    help = owner->AddHelpLayer();
  }
  std::vector<bool> buttonsTouch() const {
    return {owner->start->isTouchEnabled(), owner->quit->isTouchEnabled(), owner->back->isTouchEnabled()};
  }
  DDZSmallGameHelpLayer* help = nullptr;
};

TEST_F(SmallGameHelpLayerTest, BuildsItsPiecesAtTheirPlaces) {
  ASSERT_NE(help->GetRulePanel(), nullptr);
  EXPECT_FALSE(help->GetRulePanel()->isVisible());
  EXPECT_EQ(help->GetRulePanel()->getPosition(), g_ptBgDeskPos);
  ASSERT_NE(help->GetStrip(), nullptr);
  EXPECT_EQ(help->GetStrip()->getPosition(), g_ptBgStickPos);
  EXPECT_FALSE(help->GetCloseRuleButton()->isVisible());
  EXPECT_EQ(help->GetCloseRuleButton()->getPosition(), g_ptCloseRuleBtnPos);
  EXPECT_FALSE(help->GetClock()->isVisible());
  EXPECT_EQ(help->GetClock()->getPosition(), g_ptHelpLayerClock);
  ASSERT_NE(help->GetQuestionMark(), nullptr);
  EXPECT_TRUE(help->GetQuestionMark()->isVisible());
  ASSERT_NE(help->GetWarnTip(), nullptr);
  EXPECT_FALSE(help->GetWarnTip()->isVisible());
  EXPECT_EQ(help->GetWarnTip()->getScaleX(), 0.0f);
  EXPECT_EQ(help->GetWarnTip()->getAnchorPoint(), Vec2(1, 0.5f));
}

TEST_F(SmallGameHelpLayerTest, TimeOutActsByTheLevel) {
  const struct {
    int level;
    const char* call;
  } cases[] = {{0, "quit"}, {1, "pick"}, {3, "pick"}, {4, "leave"}, {9, "leave"}};
  owner->records = 3;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    owner->level = c.level;
    owner->calls.clear();
    owner->picked.clear();
    help->StartClock(2, 1, 0);
    run(3);
    EXPECT_EQ(owner->calls, std::vector<std::string>{c.call});
    if (c.call == std::string("pick")) {
      EXPECT_EQ(owner->picked, std::vector<DDZSmallGameCard*>{nullptr});
    }
    EXPECT_TRUE(help->GetQuestionMark()->isVisible());
    EXPECT_FALSE(help->GetClock()->isVisible());
    EXPECT_FALSE(help->GetClock()->IsRunning());
  }
}

TEST_F(SmallGameHelpLayerTest, TheWarningShowsTheDigitsAndTheTipOnlyDuringALevel) {
  owner->records = 3;
  for (int level : {0, 1, 3, 4}) {
    SCOPED_TRACE(level);
    owner->level = level;
    help->StartClock(10, 1, 9);
    EXPECT_TRUE(help->GetQuestionMark()->isVisible());
    EXPECT_FALSE(help->GetClock()->isVisible());
    run(1.6f);  // the warning at 1 s, the tip's growth over 0.5 s
    EXPECT_FALSE(help->GetQuestionMark()->isVisible());
    EXPECT_TRUE(help->GetClock()->isVisible());
    const bool duringLevel = level >= 1 && level <= 3;
    EXPECT_EQ(help->GetWarnTip()->isVisible(), duringLevel);
    EXPECT_EQ(help->GetWarnTip()->getScaleX(), duringLevel ? 1.0f : 0.0f);
    help->StopClock();
    run(0.6f);  // the tip shrinks away
    EXPECT_FALSE(help->GetWarnTip()->isVisible());
    EXPECT_EQ(help->GetWarnTip()->getScaleX(), 0.0f);
    EXPECT_TRUE(help->GetQuestionMark()->isVisible());
    EXPECT_TRUE(owner->calls.empty());  // stopping is not a time-out
  }
}

TEST_F(SmallGameHelpLayerTest, TheStripsTapAreaIncludesItsEdges) {
  // The strip is 240 x 70 at its place.
  const Vec2 at = g_ptBgStickPos;
  EXPECT_EQ(help->GetTapArea(), Rect(at.x - 72, at.y - 7, 192, 42));
  const struct {
    Vec2 touch;
    bool opens;
  } cases[] = {
      {at + Vec2(-72, -7), true},   {at + Vec2(120, 35), true},   {at + Vec2(-72, 35), true},
      {at + Vec2(120, -7), true},   {at + Vec2(-72.5f, 0), false}, {at + Vec2(0, 35.5f), false},
      {at + Vec2(120.5f, 0), false}, {at + Vec2(0, -7.5f), false}, {at + Vec2(-100, 0), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.touch.x << "," << c.touch.y);
    tap(c.touch);
    EXPECT_EQ(help->IsRuleShown(), c.opens);
    help->HideRule(nullptr);
  }
}

TEST_F(SmallGameHelpLayerTest, TheRulesTurnTheOwnersButtonsTouchOffUntilClosed) {
  const Vec2 strip = g_ptBgStickPos;
  tap(strip);
  EXPECT_TRUE(help->IsRuleShown());
  EXPECT_TRUE(help->GetCloseRuleButton()->isVisible());
  EXPECT_EQ(buttonsTouch(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(sounds(), std::vector<std::string>{kClick});

  tap(strip);  // the strip switches them off again
  EXPECT_FALSE(help->IsRuleShown());
  EXPECT_EQ(buttonsTouch(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(sounds(), std::vector<std::string>{kClick});

  tap(strip);
  sounds();
  tap(g_ptCloseRuleBtnPos);  // the close button
  EXPECT_FALSE(help->IsRuleShown());
  EXPECT_FALSE(help->GetCloseRuleButton()->isVisible());
  EXPECT_EQ(buttonsTouch(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(sounds(), std::vector<std::string>{kClick});
}

TEST_F(SmallGameHelpLayerTest, MissingButtonsAreLeftOut) {
  owner->quit = nullptr;
  help->SwitchRule(nullptr);
  EXPECT_FALSE(owner->start->isTouchEnabled());
  EXPECT_FALSE(owner->back->isTouchEnabled());
  help->HideRule(nullptr);
  EXPECT_TRUE(owner->start->isTouchEnabled());
}

TEST_F(SmallGameHelpLayerTest, ATouchOutsideTheStripWithTheRulesHiddenPlaysNothing) {
  tap(Vec2(300, 300));
  EXPECT_FALSE(help->IsRuleShown());
  EXPECT_TRUE(sounds().empty());
  EXPECT_EQ(buttonsTouch(), (std::vector<bool>{true, true, true}));
  help->SwitchRule(nullptr);
  sounds();
  tap(Vec2(300, 300));  // shown: a touch anywhere hides them, with the click, in the next frame
  EXPECT_TRUE(help->IsRuleShown());
  run(2.0f / 60);
  EXPECT_FALSE(help->IsRuleShown());
  EXPECT_EQ(sounds(), std::vector<std::string>{kClick});
}

}  // namespace
