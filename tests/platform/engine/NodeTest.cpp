#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using namespace cocos2d;
using enginetest::EngineTest;
using enginetest::Journal;
using enginetest::Probe;

namespace {

std::vector<std::string> Labels(Node* parent) {
  std::vector<std::string> out;
  for (Node* c : parent->getChildren()) out.push_back(c->getName());
  return out;
}

Node* Named(const std::string& name) {
  Node* n = Node::create();
  n->setName(name);
  return n;
}

class RefTest : public EngineTest {};
class NodeTreeTest : public EngineTest {};

}  // namespace

TEST_F(RefTest, PoolFreesUnownedObjectsAtFrameEndButNeverOwnedOnes) {
  auto journal = std::make_shared<Journal>();
  Probe* loose = Probe::create(journal, "loose");
  Probe* child = Probe::create(journal, "child");
  Probe* kept = Probe::create(journal, "kept");
  scene->addChild(child);
  kept->retain();
  EXPECT_EQ(loose->getReferenceCount(), 1u);

  // Nothing dies before the frame ends.
  EXPECT_FALSE(journal->has("loose.dtor"));
  tick(0.016f);
  EXPECT_TRUE(journal->has("loose.dtor"));
  EXPECT_FALSE(journal->has("child.dtor"));
  EXPECT_FALSE(journal->has("kept.dtor"));
  EXPECT_EQ(child->getReferenceCount(), 1u);  // held by its parent only

  tick(0.016f);  // a second drain must not release them again
  EXPECT_FALSE(journal->has("kept.dtor"));
  kept->release();
  EXPECT_TRUE(journal->has("kept.dtor"));
  child->removeFromParent();
  EXPECT_TRUE(journal->has("child.dtor"));
}

TEST_F(RefTest, RetainedVectorHoldsAndReleasesItsElements) {
  auto journal = std::make_shared<Journal>();
  {
    Vector<Node*> v;
    v.pushBack(Probe::create(journal, "a"));
    Vector<Node*> copy = v;
    tick(0.016f);
    EXPECT_FALSE(journal->has("a.dtor"));
    EXPECT_EQ(v.at(0)->getReferenceCount(), 2u);
  }
  EXPECT_TRUE(journal->has("a.dtor"));
}

TEST_F(NodeTreeTest, ChildrenFollowLocalZOrderThenArrival) {
  Node* parent = Node::create();
  parent->addChild(Named("a"), 5);
  parent->addChild(Named("b"), 1);
  parent->addChild(Named("c"), 5);
  parent->addChild(Named("d"), -2);
  EXPECT_EQ(Labels(parent), (std::vector<std::string>{"d", "b", "a", "c"}));

  // Reordering to an equal z puts the child after its equals.
  parent->reorderChild(parent->getChildByName("a"), 5);
  EXPECT_EQ(Labels(parent), (std::vector<std::string>{"d", "b", "c", "a"}));
  parent->getChildByName("d")->setLocalZOrder(100);
  EXPECT_EQ(Labels(parent), (std::vector<std::string>{"b", "c", "a", "d"}));
  EXPECT_EQ(parent->getChildByName("d")->getLocalZOrder(), 100);
}

TEST_F(NodeTreeTest, CardRowReorderByPositionKeepsDrawOrder) {
  // A row gives each card z = 100 + index; moving a card re-sorts it.
  Node* row = Node::create();
  for (int i = 0; i < 4; ++i) row->addChild(Named("card" + std::to_string(i)), 100 + i);
  row->reorderChild(row->getChildByName("card0"), 103);
  row->reorderChild(row->getChildByName("card3"), 100);
  EXPECT_EQ(Labels(row), (std::vector<std::string>{"card3", "card1", "card2", "card0"}));
}

TEST_F(NodeTreeTest, TagsFindAndRemoveChildren) {
  Node* parent = Node::create();
  Node* a = Named("a");
  parent->addChild(a, 0, 4810);
  EXPECT_EQ(parent->getChildByTag(4810), a);
  EXPECT_EQ(a->getTag(), 4810);
  parent->removeChildByTag(4810);
  EXPECT_EQ(parent->getChildByTag(4810), nullptr);
  EXPECT_EQ(parent->getChildrenCount(), 0u);
}

TEST_F(NodeTreeTest, EnterAndExitFollowTheRunningScene) {
  auto journal = std::make_shared<Journal>();
  Probe* outer = Probe::create(journal, "outer");
  Probe* inner = Probe::create(journal, "inner");
  outer->addChild(inner);
  EXPECT_FALSE(outer->isRunning());
  EXPECT_TRUE(journal->lines.empty());

  scene->addChild(outer);
  EXPECT_EQ(journal->lines, (std::vector<std::string>{"inner.enter", "outer.enter"}));
  EXPECT_TRUE(outer->isRunning());
  EXPECT_TRUE(inner->isRunning());

  // A node added to a running parent enters at once.
  Probe* late = Probe::create(journal, "late");
  outer->addChild(late);
  EXPECT_TRUE(late->isRunning());

  journal->lines.clear();
  outer->retain();
  outer->removeFromParentAndCleanup(true);
  EXPECT_FALSE(outer->isRunning());
  EXPECT_FALSE(inner->isRunning());
  EXPECT_TRUE(journal->has("outer.exit"));
  EXPECT_TRUE(journal->has("inner.exit"));
  EXPECT_TRUE(journal->has("inner.cleanup"));
  EXPECT_EQ(outer->getParent(), nullptr);
  outer->release();
  tick(0.016f);  // the pool's references from create() go at the end of the frame
  EXPECT_TRUE(journal->has("inner.dtor"));
}

// A node that, when it enters, puts a sibling beside itself (as a widget
// showing a popup on its parent does).
class SiblingMaker : public Node {
 public:
  static SiblingMaker* create(Node* sibling) {
    auto* n = new SiblingMaker();
    n->sibling = sibling;
    n->autorelease();
    return n;
  }
  void onEnter() override {
    Node::onEnter();
    if (sibling->getParent() == nullptr) getParent()->addChild(sibling);
  }
  Node* sibling = nullptr;
};

// A child added to a parent while the parent is entering the stage enters
// too: its schedules run and it counts as running.
TEST_F(NodeTreeTest, AChildAddedWhileItsParentEntersEntersToo) {
  Node* holder = Node::create();
  Node* popup = Node::create();
  int ticks = 0;
  popup->schedule([&ticks](float) { ++ticks; }, "popup.tick");
  holder->addChild(SiblingMaker::create(popup));

  scene->addChild(holder);
  EXPECT_EQ(popup->getParent(), holder);
  EXPECT_TRUE(popup->isRunning());
  tick(0.016f);
  EXPECT_EQ(ticks, 1);

  popup->retain();
  holder->removeFromParentAndCleanup(true);
  EXPECT_FALSE(popup->isRunning());
  popup->release();
}

TEST_F(NodeTreeTest, RemovalWithoutCleanupKeepsActionsAndSchedules) {
  Node* n = Node::create();
  scene->addChild(n);
  n->runAction(DelayTime::create(5));
  n->schedule([](float) {}, 1.0f, "tick");
  n->retain();
  n->removeFromParentAndCleanup(false);
  EXPECT_EQ(n->getNumberOfRunningActions(), 1u);
  EXPECT_TRUE(n->isScheduled("tick"));
  scene->addChild(n);
  n->removeFromParent();  // with cleanup
  EXPECT_EQ(n->getNumberOfRunningActions(), 0u);
  EXPECT_FALSE(n->isScheduled("tick"));
  n->release();
}

TEST_F(NodeTreeTest, DisplayedOpacityCascadesOnlyWhenEnabled) {
  Node* parent = Node::create();
  Node* child = Node::create();
  parent->addChild(child);
  parent->setOpacity(128);
  child->setOpacity(255);
  EXPECT_EQ(child->getDisplayedOpacity(), 255);
  parent->setCascadeOpacityEnabled(true);
  EXPECT_EQ(child->getDisplayedOpacity(), 128);
  child->setOpacity(128);
  EXPECT_EQ(child->getDisplayedOpacity(), 64);
}

TEST_F(NodeTreeTest, VisibilityOnScreenNeedsEveryAncestor) {
  Node* parent = Node::create();
  Node* child = Node::create();
  parent->addChild(child);
  EXPECT_FALSE(child->isVisibleOnScreen());  // not running yet
  scene->addChild(parent);
  EXPECT_TRUE(child->isVisibleOnScreen());
  parent->setVisible(false);
  EXPECT_TRUE(child->isVisible());
  EXPECT_FALSE(child->isVisibleOnScreen());
}

// ---------------------------------------------------------------- transforms

namespace {
void ExpectNear(const Vec2& a, const Vec2& b) {
  EXPECT_NEAR(a.x, b.x, 1e-3f);
  EXPECT_NEAR(a.y, b.y, 1e-3f);
}
}  // namespace

TEST_F(NodeTreeTest, WorldAndNodeSpaceThroughScaledAndRotatedParents) {
  Node* parent = Node::create();
  parent->setPosition(100, 50);
  parent->setScale(2.0f);
  parent->setRotation(90);  // clockwise
  Node* card = Node::create();
  card->setContentSize(Size(40, 60));
  card->setAnchorPoint(Vec2(0.5f, 0.5f));
  card->setPosition(10, 0);
  parent->addChild(card);
  scene->addChild(parent);

  // The card's centre: (10, 0) in the parent, scaled to (20, 0), turned
  // clockwise to (0, -20), moved to (100, 30).
  ExpectNear(card->convertToWorldSpace(Vec2(20, 30)), Vec2(100, 30));
  ExpectNear(card->convertToNodeSpace(Vec2(100, 30)), Vec2(20, 30));
  ExpectNear(card->convertToNodeSpaceAR(Vec2(100, 30)), Vec2(0, 0));

  // Hit test as the hands do: the touch in the parent's space against the
  // card's bounding box.
  Rect box = card->getBoundingBox();
  ExpectNear(box.origin, Vec2(-10, -30));
  EXPECT_TRUE(box.containsPoint(parent->convertToNodeSpace(Vec2(100, 30))));
  // 50 world units right of the centre is 25 units up in the turned parent:
  // inside the 60-high card. 50 units up is 25 units left: outside the 40-wide card.
  EXPECT_TRUE(box.containsPoint(parent->convertToNodeSpace(Vec2(150, 30))));
  EXPECT_FALSE(box.containsPoint(parent->convertToNodeSpace(Vec2(100, 80))));
}

TEST_F(NodeTreeTest, MirroredNodeMapsPointsAcrossItsAnchor) {
  Node* n = Node::create();
  n->setContentSize(Size(100, 20));
  n->setAnchorPoint(Vec2(0.5f, 0.5f));
  n->setPosition(200, 100);
  n->setScaleX(-1);
  ExpectNear(n->convertToWorldSpace(Vec2(0, 0)), Vec2(250, 90));
  ExpectNear(n->convertToNodeSpace(Vec2(150, 110)), Vec2(100, 20));
}

TEST_F(NodeTreeTest, EdgesOfARectangleAreInside) {
  Rect r(10, 10, 20, 20);
  EXPECT_TRUE(r.containsPoint(Vec2(10, 10)));
  EXPECT_TRUE(r.containsPoint(Vec2(30, 30)));
  EXPECT_FALSE(r.containsPoint(Vec2(30.01f, 30)));
}

#ifndef NDEBUG
TEST_F(NodeTreeTest, AddingAChildThatHasAParentIsAProgrammingError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Node* first = Node::create();
  Node* second = Node::create();
  Node* child = Node::create();
  first->addChild(child);
  EXPECT_DEATH(second->addChild(child), "already has a parent");
}
#endif
