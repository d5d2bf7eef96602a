#include <gtest/gtest.h>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/ui/Widgets.h"
#include "widgets/GameClock.h"
#include "widgets/WidgetTestSupport.h"

namespace {

using cocos2d::Vec2;

const std::string kWarning = "ddzSound/2008.mp3";

class GameClockTest : public widgettest::WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    hand = widgettest::CountingHand::create();
    view->addChild(hand);
  }
  GameClock* makeClock(int kind) {
    auto* clock = new GameClock(hand, kind);
    clock->autorelease();
    view->addChild(clock, 4);
    return clock;
  }
  std::string digits(GameClock* clock) { return clock->GetDigits()->getString(); }

  widgettest::CountingHand* hand = nullptr;
};

TEST_F(GameClockTest, StartsHiddenWithItsFaceAndEmptyDigits) {
  GameClock* clock = makeClock(1);
  EXPECT_FALSE(clock->isVisible());
  ASSERT_NE(clock->GetFace(), nullptr);
  EXPECT_FLOAT_EQ(clock->GetFace()->getScale(), 0.9f);
  EXPECT_EQ(digits(clock), "");
}

TEST_F(GameClockTest, OwnSeatCountsDownWarnsAtThreeTwoOneAndActsOnceAtZero) {
  GameClock* clock = makeClock(1);
  clock->ShowClock(5, 1, 2, Vec2(600, 300));
  sounds();
  EXPECT_TRUE(clock->isVisible());
  EXPECT_EQ(digits(clock), "5");
  EXPECT_EQ(clock->GetFace()->getPosition(), Vec2(600, 324));  // the own seat stands higher
  EXPECT_EQ(clock->GetDigits()->getPosition(), Vec2(600, 322));

  // Second by second: seconds left, whether the warning sounded.
  const struct {
    int left;
    bool warned;
  } steps[] = {{4, false}, {3, true}, {2, true}, {1, true}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.left);
    run(1.0f);
    EXPECT_EQ(clock->getClockTime(), step.left);
    EXPECT_EQ(digits(clock), std::to_string(step.left));
    EXPECT_EQ(sounds(), step.warned ? std::vector<std::string>{kWarning} : std::vector<std::string>{});
    EXPECT_EQ(hand->autoOperations, 0);
  }
  run(1.0f);
  EXPECT_EQ(clock->getClockTime(), 0);
  EXPECT_FALSE(clock->isVisible());
  EXPECT_TRUE(sounds().empty());  // no warning at 0
  EXPECT_EQ(hand->autoOperations, 1);
  run(3.0f);
  EXPECT_EQ(hand->autoOperations, 1);
}

TEST_F(GameClockTest, AnotherSeatNeitherWarnsNorActsAndOnlyHides) {
  GameClock* clock = makeClock(1);
  clock->ShowClock(4, 0, 2, Vec2(200, 500));
  EXPECT_EQ(clock->GetFace()->getPosition(), Vec2(200, 500));
  run(4.0f);
  EXPECT_FALSE(clock->isVisible());
  EXPECT_TRUE(sounds().empty());
  EXPECT_EQ(hand->autoOperations, 0);
}

TEST_F(GameClockTest, ZeroSecondsShowsZeroAndNeverTimesOut) {
  GameClock* clock = makeClock(1);
  clock->ShowClock(0, 1, 2, Vec2(600, 300));
  run(3.0f);
  EXPECT_TRUE(clock->isVisible());
  EXPECT_EQ(digits(clock), "0");
  EXPECT_EQ(hand->autoOperations, 0);
}

TEST_F(GameClockTest, ShowingAgainRestartsTheSecond) {
  GameClock* clock = makeClock(1);
  clock->ShowClock(10, 0, 2, Vec2(200, 500));
  run(0.75f);
  clock->ShowClock(10, 2, 2, Vec2(1000, 500));
  run(0.75f);  // 1.5 s after the first show, 0.75 s after the second
  EXPECT_EQ(clock->getClockTime(), 10);
  run(0.35f);
  EXPECT_EQ(clock->getClockTime(), 9);
  EXPECT_EQ(clock->GetTablePos(), 2);
}

TEST_F(GameClockTest, ResetHidesAndStops) {
  GameClock* clock = makeClock(1);
  clock->ShowClock(3, 1, 2, Vec2(600, 300));
  clock->ResetClock();
  run(4.0f);
  EXPECT_FALSE(clock->isVisible());
  EXPECT_EQ(clock->getClockTime(), 0);
  EXPECT_EQ(hand->autoOperations, 0);
}

TEST_F(GameClockTest, KindFiveFixesTheTimeAndShakesAtZeroWithoutActing) {
  const struct {
    int clockType;
    int seconds;
  } cases[] = {{2, 15}, {0, 10}, {3, 10}};
  GameClock* clock = makeClock(5);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clockType);
    clock->ShowClock(20, 1, c.clockType, Vec2(600, 300));
    EXPECT_EQ(clock->getClockTime(), c.seconds);
  }
  clock->ShowClock(20, 1, 0, Vec2(600, 300));
  run(10.0f);
  EXPECT_EQ(clock->getClockTime(), 0);
  EXPECT_TRUE(clock->isVisible());
  EXPECT_EQ(hand->autoOperations, 0);
  EXPECT_GT(clock->GetFace()->getNumberOfRunningActions(), 0u);  // the shake
  run(1.0f / 30);
  EXPECT_NE(clock->GetFace()->getRotation(), 0);

  clock->ShowClock(20, 1, 2, Vec2(600, 300));  // stops the shake, face upright
  EXPECT_EQ(clock->GetFace()->getNumberOfRunningActions(), 0u);
  EXPECT_EQ(clock->GetFace()->getRotation(), 0);
}

TEST_F(GameClockTest, KindEightStandsAtItsOwnPlacesWhateverPointItIsGiven) {
  const Vec2 saved[2] = {g_ptERClock[0], g_ptERClock[1]};
  g_ptERClock[0] = Vec2(640, 280);
  g_ptERClock[1] = Vec2(640, 560);
  GameClock* clock = makeClock(8);
  clock->ShowClock(10, 1, 2, Vec2(1, 1));
  EXPECT_EQ(clock->GetFace()->getPosition(), Vec2(640, 280));  // no rise for the own seat
  clock->ShowClock(10, 0, 2, Vec2(1, 1));
  EXPECT_EQ(clock->GetFace()->getPosition(), Vec2(640, 560));
  EXPECT_EQ(clock->getClockTime(), 10);
  g_ptERClock[0] = saved[0];
  g_ptERClock[1] = saved[1];
}

}  // namespace
