#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using namespace cocos2d;
using enginetest::EngineTest;

namespace {

// A node with counting selectors, as the program's widgets schedule them.
class Ticker : public Node {
 public:
  static Ticker* create() {
    auto* t = new Ticker();
    t->autorelease();
    return t;
  }
  void onTick(float dt) {
    ++ticks;
    lastDt = dt;
    if (onTickHook) onTickHook(this);
  }
  void onOnce(float) { ++onces; }
  void update(float dt) override {
    ++updates;
    if (onUpdateHook) onUpdateHook(this, dt);
  }

  int ticks = 0, onces = 0, updates = 0;
  float lastDt = 0;
  std::function<void(Ticker*)> onTickHook;
  std::function<void(Ticker*, float)> onUpdateHook;
};

class SchedulerTest : public EngineTest {
 protected:
  Ticker* addTicker() {
    Ticker* t = Ticker::create();
    scene->addChild(t);
    return t;
  }
};

}  // namespace

TEST_F(SchedulerTest, FirstCallComesOneIntervalAfterScheduling) {
  struct Case {
    float interval, frame;
    int frames, expectedTicks;
  } cases[] = {
      {0.2f, 0.1f, 1, 0}, {0.2f, 0.1f, 2, 1}, {0.2f, 0.1f, 5, 2},  // every 0.2 s
      {0.3f, 0.1f, 3, 1},                                           // 0.1 + 0.1 + 0.1 reaches 0.3
      {1.0f, 1.0f / 60, 59, 0}, {1.0f, 1.0f / 60, 60, 1},           // 1 s at 60 frames a second
      {0.0f, 0.05f, 4, 4},                                          // interval 0: every frame
      {0.5f, 2.0f, 1, 4},                                           // a long frame catches up
  };
  for (const Case& c : cases) {
    director->reset();
    scene = Scene::create();
    director->runWithScene(scene);
    Ticker* t = addTicker();
    t->schedule(schedule_selector(Ticker::onTick), c.interval);
    tick(c.frame, c.frames);
    EXPECT_EQ(t->ticks, c.expectedTicks) << "interval " << c.interval << " frame " << c.frame << " x" << c.frames;
  }
}

TEST_F(SchedulerTest, CallbackReceivesTheIntervalAsItsTime) {
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::onTick), 0.25f);
  tick(0.25f);
  EXPECT_FLOAT_EQ(t->lastDt, 0.25f);
}

TEST_F(SchedulerTest, ScheduleOnceFiresExactlyOnce) {
  Ticker* t = addTicker();
  t->scheduleOnce(schedule_selector(Ticker::onOnce), 2.0f);
  tick(0.5f, 3);
  EXPECT_EQ(t->onces, 0);
  tick(0.5f);
  EXPECT_EQ(t->onces, 1);
  tick(1.0f, 5);
  EXPECT_EQ(t->onces, 1);
  EXPECT_FALSE(t->isScheduled(schedule_selector(Ticker::onOnce)));
}

TEST_F(SchedulerTest, RescheduleKeepsElapsedTimeAndOnlyChangesInterval) {
  Ticker* t = addTicker();
  t->scheduleOnce(schedule_selector(Ticker::onOnce), 3.0f);
  tick(2.0f);
  t->scheduleOnce(schedule_selector(Ticker::onOnce), 3.0f);  // again within 3 s: first timing kept
  tick(1.0f);
  EXPECT_EQ(t->onces, 1);

  t->schedule(schedule_selector(Ticker::onTick), 1.0f);
  tick(0.6f);
  t->schedule(schedule_selector(Ticker::onTick), 0.5f);  // 0.6 s already elapsed
  tick(0.0f);
  EXPECT_EQ(t->ticks, 1);
}

TEST_F(SchedulerTest, UnscheduleThenScheduleRestartsTheCount) {
  Ticker* t = addTicker();
  t->scheduleOnce(schedule_selector(Ticker::onOnce), 3.0f);
  tick(2.0f);
  t->unschedule(schedule_selector(Ticker::onOnce));
  t->scheduleOnce(schedule_selector(Ticker::onOnce), 3.0f);
  tick(2.0f);
  EXPECT_EQ(t->onces, 0);
  tick(1.0f);
  EXPECT_EQ(t->onces, 1);
}

TEST_F(SchedulerTest, CallbackMayUnscheduleItself) {
  Ticker* t = addTicker();
  t->onTickHook = [](Ticker* self) {
    if (self->ticks == 3) self->unschedule(schedule_selector(Ticker::onTick));
  };
  t->schedule(schedule_selector(Ticker::onTick), 0.2f);
  tick(1.0f);  // five intervals in one frame: the third stops the rest
  EXPECT_EQ(t->ticks, 3);
  tick(1.0f);
  EXPECT_EQ(t->ticks, 3);
}

TEST_F(SchedulerTest, CallbackMayRemoveAndFreeItsOwnNode) {
  auto journal = std::make_shared<enginetest::Journal>();
  int calls = 0;
  auto* holder = enginetest::Probe::create(journal, "holder");
  scene->addChild(holder);
  tick(0.0f);  // drain the pool: the parent holds the only reference
  holder->schedule(
      [&, holder](float) {
        ++calls;
        holder->removeFromParent();  // the last reference goes; the call must finish safely
        EXPECT_EQ(holder->getReferenceCount(), 1u);  // still held for the call
      },
      0.1f, "self-remove");
  tick(0.5f);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(journal->has("holder.dtor"));
  tick(0.5f);
  EXPECT_EQ(calls, 1);
}

TEST_F(SchedulerTest, UpdateMayUnscheduleItselfAndOthersRunInPriorityOrder) {
  std::vector<std::string> order;
  Ticker* a = addTicker();
  Ticker* b = addTicker();
  a->onUpdateHook = [&](Ticker* self, float) {
    order.push_back("a");
    self->unscheduleUpdate();
  };
  b->onUpdateHook = [&](Ticker*, float) { order.push_back("b"); };
  a->scheduleUpdate();
  b->scheduleUpdateWithPriority(-1);
  tick(0.016f, 3);
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a", "b", "b"}));
}

// Scheduling the update of a target again with another priority moves it in
// the run order, whether it happens between frames or inside the pass (then
// from the next frame on); entries added later still find their place.
TEST_F(SchedulerTest, ANewPriorityMovesTheUpdateInTheRunOrder) {
  std::vector<std::string> order;
  Ticker* a = addTicker();
  Ticker* b = addTicker();
  Ticker* c = addTicker();
  a->onUpdateHook = [&](Ticker*, float) { order.push_back("a"); };
  b->onUpdateHook = [&](Ticker*, float) { order.push_back("b"); };
  c->onUpdateHook = [&](Ticker*, float) { order.push_back("c"); };
  a->scheduleUpdateWithPriority(0);
  b->scheduleUpdateWithPriority(1);
  b->scheduleUpdateWithPriority(-1);  // between frames
  tick(0.016f);
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a"}));

  order.clear();
  b->onUpdateHook = [&](Ticker* self, float) {
    order.push_back("b");
    if (self->updates == 2) {
      self->scheduleUpdateWithPriority(5);  // inside the pass
      c->scheduleUpdateWithPriority(2);
    }
  };
  tick(0.016f, 2);
  EXPECT_EQ(order, (std::vector<std::string>{"b", "a", "a", "c", "b"}));
}

TEST_F(SchedulerTest, SchedulesWaitWhileTheNodeIsNotRunning) {
  Ticker* t = Ticker::create();
  t->retain();
  t->schedule(schedule_selector(Ticker::onTick), 0.5f);
  t->scheduleUpdate();
  tick(1.0f);
  EXPECT_EQ(t->ticks, 0);
  EXPECT_EQ(t->updates, 0);
  scene->addChild(t);
  tick(0.5f);
  EXPECT_EQ(t->ticks, 1);
  EXPECT_EQ(t->updates, 1);
  t->removeFromParentAndCleanup(false);  // paused, not cleaned
  tick(1.0f);
  EXPECT_EQ(t->ticks, 1);
  t->release();
}

// A node that left the stage is marked paused; the mark must go with the
// node, or the marks of every node ever removed pile up for the whole session.
TEST_F(SchedulerTest, ADestroyedNodeLeavesNoPausedMark) {
  Ticker* t = addTicker();
  const void* address = t;
  t->runAction(DelayTime::create(1.0f));
  t->removeFromParent();
  EXPECT_TRUE(director->getScheduler()->isTargetPaused(address));
  director->mainLoop(0.0f);  // the autorelease drain frees it
  EXPECT_FALSE(director->getScheduler()->isTargetPaused(address));
  EXPECT_EQ(director->getActionManager()->getNumberOfRunningActions(), 0u);
}

TEST_F(SchedulerTest, EntriesAddedDuringThePassStartNextFrame) {
  Ticker* t = addTicker();
  int inner = 0;
  t->schedule(
      [&, t](float) {
        t->schedule([&](float) { ++inner; }, 0.0f, "inner");
      },
      0.0f, "outer");
  tick(0.1f);
  EXPECT_EQ(inner, 0);
  tick(0.1f);
  EXPECT_EQ(inner, 1);
}

TEST_F(SchedulerTest, UnscheduleAllCallbacksStopsEverything) {
  Ticker* t = addTicker();
  t->schedule(schedule_selector(Ticker::onTick), 0.1f);
  t->scheduleOnce(schedule_selector(Ticker::onOnce), 0.1f);
  t->scheduleUpdate();
  t->unscheduleAllCallbacks();
  tick(1.0f);
  EXPECT_EQ(t->ticks + t->onces + t->updates, 0);
}
