#include "variants/DDZSmallGameClock.h"

#include <gtest/gtest.h>

#include "SmallGameTestSupport.h"

namespace {

const std::string kTick = "ddzSound/15.mp3";

// A listener that writes down each notice: "warn" while the clock runs, "out" after.
class Listener : public DDZSmallGameObserve {
 public:
  explicit Listener(DDZSmallGameClock* c) : clock(c) {}
  void OnClockEvent() override { notices.push_back(clock->IsRunning() ? "warn" : "out"); }
  std::vector<std::string> take() { return std::exchange(notices, {}); }
  DDZSmallGameClock* clock;
  std::vector<std::string> notices;
};

class SmallGameClockTest : public smallgametest::SmallGameTest {
 protected:
  void SetUp() override {
    SmallGameTest::SetUp();
    clock = DDZSmallGameClock::create();
    owner->addChild(clock);
    listener = std::make_unique<Listener>(clock);
    clock->AddObserver(listener.get());
  }
  std::string digits() const { return clock->GetDigits()->getString(); }

  DDZSmallGameClock* clock = nullptr;
  std::unique_ptr<Listener> listener;
};

TEST_F(SmallGameClockTest, TwentySecondsWarnAtNineThenTickEverySecondThenTimeOutOnce) {
  EXPECT_FALSE(clock->IsRunning());
  EXPECT_EQ(digits(), "0");
  clock->StartCountDown(20, 1, 9);
  EXPECT_EQ(digits(), "20");
  EXPECT_TRUE(sounds().empty());
  for (int left = 19; left >= 0; --left) {
    SCOPED_TRACE(left);
    run(1);
    EXPECT_EQ(digits(), std::to_string(left));
    const std::vector<std::string> notices = listener->take();
    if (left > 9) {
      EXPECT_TRUE(notices.empty());
      EXPECT_TRUE(sounds().empty());
    } else {
      EXPECT_EQ(notices, left == 9 ? std::vector<std::string>{"warn"}
                                   : left == 0 ? std::vector<std::string>{"out"} : std::vector<std::string>{});
      EXPECT_EQ(sounds(), std::vector<std::string>{kTick});  // the time-out tick sounds too
    }
  }
  EXPECT_FALSE(clock->IsRunning());
  run(5);
  EXPECT_TRUE(listener->take().empty());
  EXPECT_TRUE(sounds().empty());
}

TEST_F(SmallGameClockTest, AWarningAtOrAboveTheTotalWarnsAtOnce) {
  for (float warnAt : {5.0f, 8.0f}) {
    SCOPED_TRACE(warnAt);
    clock->StartCountDown(5, 1, warnAt);
    EXPECT_EQ(listener->take(), std::vector<std::string>{"warn"});
    EXPECT_EQ(sounds(), std::vector<std::string>{kTick});
    run(1);
    EXPECT_TRUE(listener->take().empty());  // warned once
    EXPECT_EQ(sounds(), std::vector<std::string>{kTick});
    clock->StopCountDown();
    sounds();
  }
}

TEST_F(SmallGameClockTest, StoppingBeforeTheWarningNeverNotifies) {
  clock->StartCountDown(20, 1, 9);
  run(5);
  clock->StopCountDown();
  EXPECT_EQ(digits(), "0");
  EXPECT_TRUE(clock->IsWarned());
  run(30);
  EXPECT_TRUE(listener->take().empty());
  EXPECT_TRUE(sounds().empty());
}

TEST_F(SmallGameClockTest, DigitsShowTheCeilingOfTheSecondsLeft) {
  const struct {
    float total, interval;
    std::vector<std::string> shown;  // at the start, then after each tick
  } cases[] = {
      {3.5f, 1, {"4", "3", "2", "1", "0"}},
      {2, 0.25f, {"2", "2", "2", "2", "1", "1", "1", "1", "0"}},
      {0.4f, 1, {"1", "0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.total);
    clock->StartCountDown(c.total, c.interval, 0);
    std::vector<std::string> shown{digits()};
    while (clock->IsRunning()) {
      run(c.interval);
      shown.push_back(digits());
    }
    EXPECT_EQ(shown, c.shown);
  }
}

TEST_F(SmallGameClockTest, ANewStartRestartsAndANonPositiveTotalChangesNothing) {
  clock->StartCountDown(20, 1, 9);
  run(12);  // warned at 9
  listener->take();
  clock->StartCountDown(0, 1, 9);
  clock->StartCountDown(-3, 1, 9);
  EXPECT_EQ(clock->GetRemaining(), 8);
  clock->StartCountDown(15, 1, 9);
  EXPECT_FALSE(clock->IsWarned());
  EXPECT_EQ(digits(), "15");
  run(6);
  EXPECT_EQ(listener->take(), std::vector<std::string>{"warn"});
}

TEST_F(SmallGameClockTest, AReenteredHelpLayerIsToldOnce) {
  owner->level = 2;
  owner->records = 3;
  DDZSmallGameHelpLayer* help = owner->AddHelpLayer();
  help->retain();
  help->removeFromParentAndCleanup(false);
  owner->addChild(help, 100);
  help->release();
  ASSERT_EQ(help->GetClock()->GetObservers().size(), 1u);
  help->StartClock(2, 1, 0);
  run(3);
  EXPECT_EQ(owner->calls, std::vector<std::string>{"pick"});
}

}  // namespace
