#include <gtest/gtest.h>

#include <cmath>

#include "EngineTestSupport.h"

using namespace cocos2d;
using enginetest::EngineTest;
using enginetest::Journal;
using enginetest::Probe;

namespace {

class ActionTest : public EngineTest {
 protected:
  Node* addNode() {
    Node* n = Node::create();
    scene->addChild(n);
    return n;
  }
};

struct EndState {
  const char* name;
  std::function<Action*()> make;
  float duration;
  std::function<void(Node*)> checkHalf;
  std::function<void(Node*)> checkEnd;
};

}  // namespace

TEST_F(ActionTest, IntervalActionsReachExactEndStatesOnTime) {
  const EndState cases[] = {
      {"MoveTo", [] { return MoveTo::create(0.5f, Vec2(100.3f, -7.1f)); }, 0.5f,
       [](Node* n) { EXPECT_NEAR(n->getPositionX(), 50.15f, 1e-3f); },
       [](Node* n) { EXPECT_EQ(n->getPosition(), Vec2(100.3f, -7.1f)); }},
      {"MoveBy", [] { return MoveBy::create(0.2f, Vec2(0, 130)); }, 0.2f,
       [](Node* n) { EXPECT_NEAR(n->getPositionY(), 65, 1e-3f); },
       [](Node* n) { EXPECT_EQ(n->getPosition(), Vec2(0, 130)); }},
      {"ScaleTo", [] { return ScaleTo::create(0.5f, 0.2f); }, 0.5f,
       [](Node* n) { EXPECT_NEAR(n->getScale(), 0.6f, 1e-4f); },
       [](Node* n) { EXPECT_EQ(n->getScaleX(), 0.2f); EXPECT_EQ(n->getScaleY(), 0.2f); }},
      {"ScaleTo xy", [] { return ScaleTo::create(0.25f, 1.0f, 0.0f); }, 0.25f,
       [](Node* n) { EXPECT_NEAR(n->getScaleY(), 0.5f, 1e-4f); },
       [](Node* n) { EXPECT_EQ(n->getScaleX(), 1.0f); EXPECT_EQ(n->getScaleY(), 0.0f); }},
      {"FadeOut", [] { return FadeOut::create(0.125f); }, 0.125f,
       [](Node* n) { EXPECT_NEAR(n->getOpacity(), 128, 1); },
       [](Node* n) { EXPECT_EQ(n->getOpacity(), 0); }},
      {"FadeTo", [] { return FadeTo::create(0.5833f, 128); }, 0.5833f,
       [](Node* n) { EXPECT_NEAR(n->getOpacity(), 191, 1); },
       [](Node* n) { EXPECT_EQ(n->getOpacity(), 128); }},
      {"RotateBy", [] { return RotateBy::create(1.0f, 90); }, 1.0f,
       [](Node* n) { EXPECT_NEAR(n->getRotation(), 45, 1e-3f); },
       [](Node* n) { EXPECT_EQ(n->getRotation(), 90); }},
      {"RotateTo short way", [] { return RotateTo::create(1.0f, 350); }, 1.0f,
       [](Node* n) { EXPECT_NEAR(n->getRotation(), -5, 1e-3f); },
       [](Node* n) { EXPECT_EQ(n->getRotation(), -10); }},
      {"TintTo", [] { return TintTo::create(0.5f, 0, 0, 0); }, 0.5f,
       [](Node* n) { EXPECT_NEAR(n->getColor().r, 128, 1); },
       [](Node* n) { EXPECT_EQ(n->getColor(), Color3B::BLACK); }},
      {"JumpBy", [] { return JumpBy::create(0.6f, Vec2(30, 0), 20, 3); }, 0.6f,
       [](Node* n) { EXPECT_NEAR(n->getPositionX(), 15, 1e-3f); },
       [](Node* n) { EXPECT_EQ(n->getPosition(), Vec2(30, 0)); }},
      {"EaseIn(BezierTo)",
       [] {
         ccBezierConfig c{Vec2(200, 0), Vec2(50, 100), Vec2(150, 100)};
         return EaseIn::create(BezierTo::create(1.0f, c), 0.6f);
       },
       1.0f, [](Node* n) { EXPECT_GT(n->getPositionY(), 50); },
       [](Node* n) { EXPECT_EQ(n->getPosition(), Vec2(200, 0)); }},
      {"EaseSineOut(MoveBy)", [] { return EaseSineOut::create(MoveBy::create(1.0f, Vec2(100, 0))); }, 1.0f,
       [](Node* n) { EXPECT_NEAR(n->getPositionX(), 100 * std::sin(kPi / 4), 1e-2f); },
       [](Node* n) { EXPECT_EQ(n->getPositionX(), 100); }},
  };
  for (const EndState& c : cases) {
    SCOPED_TRACE(c.name);
    Node* n = addNode();
    if (std::string(c.name).rfind("Fade", 0) == 0 && std::string(c.name) != "FadeIn") n->setOpacity(255);
    Action* a = n->runAction(c.make());
    tick(c.duration / 2);
    c.checkHalf(n);
    EXPECT_FALSE(a->isDone());
    tick(c.duration / 2);
    c.checkEnd(n);
    EXPECT_EQ(n->getNumberOfRunningActions(), 0u);
    n->removeFromParent();
  }
}

TEST_F(ActionTest, FadeInStartsFromTheCurrentOpacity) {
  Node* n = addNode();
  n->setOpacity(0);
  n->runAction(FadeIn::create(0.5f));
  tick(0.25f);
  EXPECT_NEAR(n->getOpacity(), 128, 1);
  tick(0.25f);
  EXPECT_EQ(n->getOpacity(), 255);
}

TEST_F(ActionTest, SequenceRunsStepsInOrderAtTheirTimes) {
  Node* n = addNode();
  std::vector<std::string> log;
  n->runAction(Sequence::create(MoveBy::create(0.5f, Vec2(10, 0)), DelayTime::create(0.5f),
                                CallFunc::create([&] { log.push_back("call@" + std::to_string(n->getPositionX())); }),
                                MoveBy::create(0.25f, Vec2(0, 10)), nullptr));
  tick(0.25f);
  EXPECT_FLOAT_EQ(n->getPositionX(), 5);
  tick(0.25f);
  EXPECT_EQ(n->getPosition(), Vec2(10, 0));
  tick(0.49f);
  EXPECT_TRUE(log.empty());
  tick(0.01f);  // the delay ends: the call runs in the same frame
  EXPECT_EQ(log.size(), 1u);
  tick(0.25f);
  EXPECT_EQ(n->getPosition(), Vec2(10, 10));
  EXPECT_EQ(n->getNumberOfRunningActions(), 0u);
}

TEST_F(ActionTest, CallFuncRunsExactlyOnceEvenWhenAFrameJumpsPastIt) {
  Node* n = addNode();
  int calls = 0;
  n->runAction(Sequence::create(DelayTime::create(0.1f), CallFunc::create([&] { ++calls; }),
                                DelayTime::create(0.1f), nullptr));
  tick(5.0f);
  tick(5.0f);
  EXPECT_EQ(calls, 1);

  calls = 0;
  n->runAction(Repeat::create(CallFunc::create([&] { ++calls; }), 3));
  tick(0.016f, 4);
  EXPECT_EQ(calls, 3);
}

TEST_F(ActionTest, SpawnRunsTogetherAndEndsWithTheLongest) {
  Node* n = addNode();
  n->runAction(Spawn::create(MoveTo::create(0.5f, Vec2(100, 0)), ScaleTo::create(0.25f, 2.0f), nullptr));
  tick(0.25f);
  EXPECT_FLOAT_EQ(n->getPositionX(), 50);
  EXPECT_EQ(n->getScale(), 2.0f);
  EXPECT_EQ(n->getNumberOfRunningActions(), 1u);
  tick(0.25f);
  EXPECT_EQ(n->getPositionX(), 100);
  EXPECT_EQ(n->getNumberOfRunningActions(), 0u);
}

TEST_F(ActionTest, RepeatRunsItsInnerActionTheGivenNumberOfTimes) {
  Node* n = addNode();
  int ends = 0;
  // A shake: seven times right and back.
  n->runAction(Repeat::create(Sequence::create(MoveBy::create(0.05f, Vec2(4, 0)), MoveBy::create(0.05f, Vec2(-4, 0)),
                                               CallFunc::create([&] { ++ends; }), nullptr),
                              7));
  tick(0.05f);
  EXPECT_NEAR(n->getPositionX(), 4, 1e-4f);
  tick(0.05f, 13);
  EXPECT_EQ(ends, 7);
  EXPECT_NEAR(n->getPositionX(), 0, 1e-4f);
  EXPECT_EQ(n->getNumberOfRunningActions(), 0u);
}

TEST_F(ActionTest, RepeatForeverLampBlinksOnFrameTime) {
  // "wait 0.2 s, hide, wait 0.2 s, show", forever.
  Node* lamp = addNode();
  lamp->runAction(RepeatForever::create(
      Sequence::create(DelayTime::create(0.2f), Hide::create(), DelayTime::create(0.2f), Show::create(), nullptr)));
  std::string seen;
  for (int i = 0; i < 8; ++i) {
    tick(0.1f);
    seen += lamp->isVisible() ? 'V' : '-';
  }
  EXPECT_EQ(seen, "V--VV--V");
  EXPECT_EQ(lamp->getNumberOfRunningActions(), 1u);

  // A long frame runs the whole loops it covers.
  int loops = 0;
  Node* n = addNode();
  n->runAction(RepeatForever::create(Sequence::create(DelayTime::create(0.25f), CallFunc::create([&] { ++loops; }), nullptr)));
  tick(1.0f);
  EXPECT_EQ(loops, 4);
}

TEST_F(ActionTest, GlowFadesForeverBetweenTwoOpacities) {
  Node* glow = addNode();
  glow->runAction(RepeatForever::create(
      Sequence::create(FadeTo::create(0.5f, 128), FadeTo::create(0.5f, 255), nullptr)));
  tick(0.5f);
  EXPECT_EQ(glow->getOpacity(), 128);
  tick(0.5f);
  EXPECT_EQ(glow->getOpacity(), 255);
  tick(0.25f);
  EXPECT_NEAR(glow->getOpacity(), 191, 1);
}

TEST_F(ActionTest, ActionsStopOnCleanupAndNeverCallBack) {
  Node* n = addNode();
  int calls = 0;
  n->runAction(Sequence::create(DelayTime::create(0.5f), CallFunc::create([&] { ++calls; }), nullptr));
  n->runAction(RepeatForever::create(RotateBy::create(1.0f, 360)));
  tick(0.25f);
  n->retain();
  n->removeFromParent();
  EXPECT_EQ(n->getNumberOfRunningActions(), 0u);
  scene->addChild(n);
  n->release();
  tick(1.0f);
  EXPECT_EQ(calls, 0);
}

TEST_F(ActionTest, StopAllActionsFromACallbackEndsTheRestOfTheSequence) {
  Node* n = addNode();
  std::vector<int> steps;
  n->runAction(RepeatForever::create(Sequence::create(
      CallFunc::create([&] { steps.push_back(1); }), CallFunc::create([&] {
        steps.push_back(2);
        n->stopAllActions();
      }),
      CallFunc::create([&] { steps.push_back(3); }), Hide::create(), DelayTime::create(1), nullptr)));
  tick(0.1f, 3);
  EXPECT_EQ(steps, (std::vector<int>{1, 2}));
  EXPECT_TRUE(n->isVisible());
}

TEST_F(ActionTest, RemoveSelfEndsTheNodeAfterItsDelay) {
  auto journal = std::make_shared<Journal>();
  Probe* p = Probe::create(journal, "bubble");
  scene->addChild(p);
  p->runAction(Sequence::create(DelayTime::create(2.0f), RemoveSelf::create(), nullptr));
  tick(1.0f);
  EXPECT_TRUE(p->isRunning());
  tick(1.0f);
  EXPECT_TRUE(journal->has("bubble.exit"));
  EXPECT_TRUE(journal->has("bubble.dtor"));
}

TEST_F(ActionTest, TagsFindAndStopActions) {
  Node* n = addNode();
  Action* a = MoveTo::create(1.0f, Vec2(10, 10));
  a->setTag(111);
  n->runAction(a);
  Action* b = DelayTime::create(0.1f);
  b->setTag(222);
  n->runAction(b);
  EXPECT_EQ(n->getActionByTag(111), a);
  EXPECT_EQ(n->getActionByTag(222), b);
  tick(0.1f);
  EXPECT_EQ(n->getActionByTag(222), nullptr);  // done actions are gone
  n->stopActionByTag(111);
  EXPECT_EQ(n->getActionByTag(111), nullptr);
  tick(1.0f);
  EXPECT_NEAR(n->getPositionX(), 1, 1e-4f);  // stopped where it was
}

TEST_F(ActionTest, ActionRunFromAScheduleStartsCountingNextFrame) {
  Node* n = addNode();
  n->scheduleOnce([n](float) { n->runAction(MoveBy::create(1.0f, Vec2(100, 0))); }, 0.5f, "start");
  tick(0.5f);
  EXPECT_EQ(n->getPositionX(), 0);  // this frame's time passed before the action existed
  tick(0.5f);
  EXPECT_FLOAT_EQ(n->getPositionX(), 50);
}

TEST_F(ActionTest, ActionsWaitUntilTheNodeRuns) {
  Node* n = Node::create();
  n->retain();
  n->runAction(MoveTo::create(1.0f, Vec2(100, 0)));
  tick(1.0f);
  EXPECT_EQ(n->getPositionX(), 0);
  scene->addChild(n);
  n->release();
  tick(0.5f);
  EXPECT_FLOAT_EQ(n->getPositionX(), 50);
}

TEST_F(ActionTest, InstantActionsTakeNoTime) {
  Node* n = addNode();
  n->runAction(Sequence::create(ScaleTo::create(0.0f, 6.0f), MoveBy::create(0.0f, Vec2(0, 50)), Hide::create(), nullptr));
  tick(0.016f);
  EXPECT_EQ(n->getScale(), 6.0f);
  EXPECT_EQ(n->getPositionY(), 50);
  EXPECT_FALSE(n->isVisible());
}

TEST_F(ActionTest, OrbitCameraNarrowsTheNodeToAnEdgeAtNinetyDegrees) {
  Node* card = addNode();
  card->setContentSize(Size(100, 140));
  card->runAction(OrbitCamera::create(0.2f, 1, 0, 0, 90, 0, 0));
  tick(0.2f);
  EXPECT_NEAR(card->getBoundingBox().size.width, 0, 1e-3f);
  EXPECT_NEAR(card->getBoundingBox().size.height, 140, 1e-3f);
}
