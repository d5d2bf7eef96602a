#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/framework/YndRemoveChildManage.h"

using cocos2d::Touch;
using fwtest::FrameworkTest;

namespace {

// A layer that writes down every framework callback it gets.
class RecordingLayer : public YndGameLayer {
 public:
  static RecordingLayer* create(std::vector<std::string>* journal, const std::string& name) {
    auto* l = new RecordingLayer(journal, name);
    l->autorelease();
    return l;
  }
  void OnTimer(int id) override { add("timer" + std::to_string(id)); }
  void CallBackHandleMouseEvent(int kind, cocos2d::EventMouse*) override { add("mouse" + std::to_string(kind)); }
  void onTouchesBegan(const std::vector<Touch*>&, cocos2d::Event*) override { add("touches.began"); }
  void onTouchesEnded(const std::vector<Touch*>&, cocos2d::Event*) override { add("touches.ended"); }
  bool onTouchBegan(Touch*, cocos2d::Event*) override {
    add("touch.began");
    return claim;
  }
  void onExit() override {
    YndGameLayer::onExit();
    add("exit");
  }
  void Step(int n) { add("step" + std::to_string(n)); }
  void Poke() { add("poke"); }
  ~RecordingLayer() override { add("dtor"); }

  bool claim = false;

  RecordingLayer(std::vector<std::string>* journal, std::string name) : journal_(journal), name_(std::move(name)) {}

 private:
  void add(const std::string& s) { journal_->push_back(name_ + "." + s); }
  std::vector<std::string>* journal_;
  std::string name_;
};

class Layers : public FrameworkTest {
 protected:
  RecordingLayer* make(const std::string& name, int z = 0) {
    auto* l = RecordingLayer::create(&journal, name);
    scene->addChild(l, z);
    return l;
  }
  std::vector<std::string> journal;
};

}  // namespace

TEST_F(Layers, ConstructedLayerFillsTheWindowAndKeepsItsLoadingScreen) {
  YndLoadingBase loading;
  YndGameLayer layer(&loading);
  EXPECT_EQ(layer.GetLoadingBase(), &loading);
  EXPECT_EQ(layer.getContentSize(), director->getWinSize());
  loading.SetProNum(30);
  EXPECT_EQ(loading.GetProNum(), 30);
}

TEST_F(Layers, NumberedTimersFireOnTheVirtualClockAndRestartWhenSetAgain) {
  RecordingLayer* layer = make("a");
  layer->SetTimer(1, 1.0f, -1);
  layer->SetTimer(2, 0.25f, 1);  // twice
  tick(0.25f);
  EXPECT_EQ(journal, (std::vector<std::string>{"a.timer2"}));
  tick(0.25f, 3);
  EXPECT_EQ(journal, (std::vector<std::string>{"a.timer2", "a.timer2", "a.timer1"}));
  EXPECT_FALSE(layer->IsTimerRunning(2));
  EXPECT_TRUE(layer->IsTimerRunning(1));

  // Setting timer 1 again counts from now: nothing at 1.5 s, the call at 2.5 s.
  journal.clear();
  tick(0.5f);
  layer->SetTimer(1, 1.0f, -1);
  tick(0.5f);
  EXPECT_TRUE(journal.empty());
  tick(0.5f);
  EXPECT_EQ(journal, (std::vector<std::string>{"a.timer1"}));

  layer->KillTimer(1);
  tick(1.0f, 3);
  EXPECT_EQ(journal.size(), 1u);
  EXPECT_FALSE(layer->IsTimerRunning(1));
}

TEST_F(Layers, TimersStopWithCleanupAndWaitWhileTheLayerIsOff) {
  std::vector<std::string>& j = journal;
  auto* layer = RecordingLayer::create(&journal, "b");
  layer->retain();
  layer->SetTimer(5, 0.5f, -1);  // set before the layer runs: waits
  tick(1.0f);
  EXPECT_TRUE(j.empty());
  scene->addChild(layer);
  tick(0.5f);
  EXPECT_EQ(j, (std::vector<std::string>{"b.timer5"}));
  layer->removeFromParentAndCleanup(true);
  tick(1.0f);
  EXPECT_EQ(j.back(), "b.exit");
  EXPECT_FALSE(layer->IsTimerRunning(5));
  layer->release();
}

TEST_F(Layers, NextFrameCallsRunOnceInTheFollowingFrame) {
  RecordingLayer* layer = make("a");
  layer->AddNextFrameToDo(&RecordingLayer::Poke);
  layer->AddNextFrameToDo(&RecordingLayer::Step, 7);
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(layer->PendingNextFrameCalls(), 2u);
  tick();
  EXPECT_EQ(journal, (std::vector<std::string>{"a.poke", "a.step7"}));
  tick(1.0f / 60, 3);
  EXPECT_EQ(journal.size(), 2u);
  EXPECT_EQ(layer->PendingNextFrameCalls(), 0u);
}

TEST_F(Layers, ACallAskedForDuringAFrameWaitsForTheNextOne) {
  RecordingLayer* layer = make("a");
  // A schedule of this frame asks; the call must not run in the same frame.
  layer->scheduleOnce([layer](float) { layer->AddNextFrameToDo(&RecordingLayer::Step, 1); }, 0.0f, "ask");
  tick();
  EXPECT_TRUE(journal.empty());
  tick();
  EXPECT_EQ(journal, (std::vector<std::string>{"a.step1"}));
  // A call that asks for another: the second runs a frame later.
  journal.clear();
  layer->AddNextFrameToDo(std::function<void()>([layer] { layer->AddNextFrameToDo(&RecordingLayer::Step, 2); }));
  tick();
  EXPECT_TRUE(journal.empty());
  tick();
  EXPECT_EQ(journal, (std::vector<std::string>{"a.step2"}));
}

TEST_F(Layers, PendingCallsDieWithTheLayer) {
  auto* layer = new RecordingLayer(&journal, "gone");
  layer->AddNextFrameToDo(&RecordingLayer::Poke);
  delete layer;  // deleted at once, as a screen that never ran is
  tick(1.0f / 60, 2);
  EXPECT_EQ(journal, (std::vector<std::string>{"gone.dtor"}));
}

TEST_F(Layers, MouseEventsArriveAsKindsOnlyWhileTheSwitchIsOn) {
  RecordingLayer* off = make("off");
  auto* on = RecordingLayer::create(&journal, "on");
  on->SetMouseEventEnable(true);  // switched on before the layer enters
  scene->addChild(on);
  using B = cocos2d::EventMouse::MouseButton;
  view->mouseDown(B::BUTTON_RIGHT, 100, 100);
  view->mouseUp(B::BUTTON_RIGHT, 100, 100);
  view->mouseMove(120, 90);
  view->mouseDown(B::BUTTON_LEFT, 10, 10);
  EXPECT_EQ(journal, (std::vector<std::string>{"on.mouse3", "on.mouse4", "on.mouse7", "on.mouse1"}));
  EXPECT_FALSE(off->IsMouseEventEnable());

  journal.clear();
  on->SetMouseEventEnable(false);
  view->mouseDown(B::BUTTON_RIGHT, 100, 100);
  EXPECT_TRUE(journal.empty());
}

TEST_F(Layers, TouchBarrierTakesEveryTouchFromTheLayersBelow) {
  RecordingLayer* below = make("below", 1);
  below->setTouchEnabled(true);  // all at once
  RecordingLayer* talk = make("talk", 2);
  talk->SetNeedDiableOtherTouch(true);
  talk->setTouchEnabled(true, false);  // its own handlers are all-at-once

  view->touchBegan(640, 360);
  view->touchEnded(640, 360);
  // The barrier layer still gets its own handlers, once each; the layer below nothing.
  EXPECT_EQ(journal, (std::vector<std::string>{"talk.touches.began", "talk.touches.ended"}));

  journal.clear();
  talk->SetNeedDiableOtherTouch(false);
  view->touchBegan(640, 360);
  EXPECT_EQ(journal, (std::vector<std::string>{"talk.touches.began", "below.touches.began"}));
  view->touchEnded(640, 360);

  // Once the barrier layer leaves, the layer below gets touches again.
  journal.clear();
  talk->SetNeedDiableOtherTouch(true);
  talk->removeFromParent();
  view->touchBegan(640, 360);
  EXPECT_EQ(journal, (std::vector<std::string>{"talk.exit", "below.touches.began"}));
  view->touchEnded(640, 360);
}

TEST_F(Layers, TouchBarrierLetsAOneByOneLayerSeeTheTouchFirst) {
  RecordingLayer* below = make("below", 1);
  below->setTouchEnabled(true);
  auto* popup = RecordingLayer::create(&journal, "popup");
  popup->SetNeedDiableOtherTouch(true);  // before the layer's own listener exists
  popup->setTouchMode(Touch::DispatchMode::ONE_BY_ONE);
  popup->setTouchEnabled(true);
  scene->addChild(popup, 2);

  view->touchBegan(10, 10);  // the popup does not claim it: the barrier does
  view->touchEnded(10, 10);
  EXPECT_EQ(journal, (std::vector<std::string>{"popup.touch.began"}));
}

TEST_F(Layers, DeferredRemovalHappensAtFrameEndAfterNextFrameCalls) {
  RecordingLayer* owner = make("owner");
  auto* popup = RecordingLayer::create(&journal, "popup");
  owner->addChild(popup);
  // From inside a touch handler's dispatch: asked twice, removed once.
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(popup, owner);
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(popup, owner);
  owner->AddNextFrameToDo(&RecordingLayer::Poke);
  EXPECT_EQ(popup->getParent(), owner);
  EXPECT_TRUE(journal.empty());
  tick();
  EXPECT_EQ(journal, (std::vector<std::string>{"owner.poke", "popup.exit", "popup.dtor"}));
  EXPECT_TRUE(owner->getChildren().empty());
}

TEST_F(Layers, DeferredRemovalWithoutParentUsesTheCurrentOneAndSkipsMovedNodes) {
  RecordingLayer* a = make("a");
  RecordingLayer* b = make("b");
  auto* view1 = RecordingLayer::create(&journal, "v1");
  auto* view2 = RecordingLayer::create(&journal, "v2");
  a->addChild(view1);
  a->addChild(view2);
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(view1, nullptr);
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(view2, a);
  // view2 moves to b before the frame ends: it stays where it went.
  view2->retain();
  view2->removeFromParentAndCleanup(false);
  b->addChild(view2);
  view2->release();
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(nullptr, a);
  auto* orphan = RecordingLayer::create(&journal, "orphan");
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(orphan, nullptr);
  journal.clear();
  tick();
  EXPECT_EQ(journal, (std::vector<std::string>{"v1.exit", "v1.dtor", "orphan.dtor"}));
  EXPECT_EQ(view2->getParent(), b);
}
