#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using namespace cocos2d;
using enginetest::EngineTest;
using enginetest::Journal;
using enginetest::Probe;

namespace {
class DirectorTest : public EngineTest {
 protected:
  // A headless renderer for the director to draw into (the director owns it).
  HeadlessRenderer* InstallRenderer(bool recording) {
    auto* renderer = new HeadlessRenderer();
    renderer->setRecording(recording);
    director->setRenderer(std::unique_ptr<Renderer>(renderer));
    return renderer;
  }
};
}

TEST_F(DirectorTest, OneFrameRunsItsStepsInTheDocumentedOrder) {
  std::vector<std::string> order;
  Node* n = Node::create();
  scene->addChild(n);
  n->schedule([&](float) { order.push_back("schedule"); }, 0.0f, "s");
  n->runAction(RepeatForever::create(Sequence::create(DelayTime::create(0.01f),
                                                      CallFunc::create([&] { order.push_back("action"); }),
                                                      nullptr)));
  // Hooks are added out of phase order on purpose.
  director->addFrameHook(FramePhase::DeferredRemovals, [&](float) { order.push_back("removals"); });
  director->addFrameHook(FramePhase::NextFrameCalls, [&](float) { order.push_back("next-frame"); });
  director->addFrameHook(FramePhase::MessagePump, [&](float) { order.push_back("pump"); });
  director->addFrameHook(FramePhase::Animations, [&](float) { order.push_back("animations"); });
  director->addFrameHook(FramePhase::MessagePump, [&](float) { order.push_back("pump2"); });

  tick(0.01f);
  EXPECT_EQ(order, (std::vector<std::string>{"schedule", "action", "animations", "pump", "pump2", "next-frame",
                                             "removals"}));
}

TEST_F(DirectorTest, RemovedHookStopsAndHooksAddedDuringAFrameStartNextFrame) {
  int a = 0, b = 0;
  int idA = 0;
  idA = director->addFrameHook(FramePhase::MessagePump, [&](float) {
    ++a;
    if (a == 1) director->addFrameHook(FramePhase::Animations, [&](float) { ++b; });
  });
  tick(0.016f);
  EXPECT_EQ(b, 0);
  tick(0.016f);
  EXPECT_EQ(b, 1);
  director->removeFrameHook(idA);
  tick(0.016f);
  EXPECT_EQ(a, 2);
}

TEST_F(DirectorTest, VirtualClockAdvancesByFrameTimeWithoutDrift) {
  tick(1.0f / 60, 60);
  EXPECT_EQ(ddz::os::Clock().NowMs(), 1000u);
  tick(0.0155f, 2);  // 31 ms
  EXPECT_EQ(ddz::os::Clock().NowMs(), 1031u);
  director->stopAnimation();
  tick(0.5f);  // time passes in the background too
  EXPECT_EQ(ddz::os::Clock().NowMs(), 1531u);
}

TEST_F(DirectorTest, StoppedAnimationHoldsSchedulesAndActions) {
  int calls = 0;
  Node* n = Node::create();
  scene->addChild(n);
  n->schedule([&](float) { ++calls; }, 0.0f, "s");
  n->runAction(MoveTo::create(1.0f, Vec2(100, 0)));
  director->stopAnimation();
  tick(0.5f);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(n->getPositionX(), 0);
  director->startAnimation();
  tick(0.5f);
  EXPECT_EQ(calls, 1);
  EXPECT_FLOAT_EQ(n->getPositionX(), 50);
}

TEST_F(DirectorTest, DeferredRemovalHappensAfterTheEventAndRunsOnExit) {
  auto journal = std::make_shared<Journal>();
  Probe* popup = Probe::create(journal, "popup");
  scene->addChild(popup);

  // A touch handler asks for its own removal.
  class Closer : public Layer {
   public:
    Probe* target = nullptr;
    bool onTouchBegan(Touch*, Event*) override {
      Director::getInstance()->removeChildLater(target, target->getParent());
      target->journal->add("handler-done");
      return true;
    }
  };
  auto* closer = new Closer();
  closer->init();
  closer->autorelease();
  closer->target = popup;
  closer->setTouchMode(Touch::DispatchMode::ONE_BY_ONE);
  closer->setTouchEnabled(true, false);
  scene->addChild(closer);

  director->getOpenGLView();  // no window: inject through a headless one
  auto* view = GLViewImpl::create("test");
  director->setOpenGLView(view);
  view->touchBegan(10, 10);
  EXPECT_EQ(journal->lines, (std::vector<std::string>{"popup.enter", "handler-done"}));
  EXPECT_TRUE(popup->isRunning());

  tick(0.016f);
  EXPECT_TRUE(journal->has("popup.exit"));
  EXPECT_TRUE(journal->has("popup.dtor"));
  EXPECT_EQ(director->pendingRemovals(), 0u);
}

TEST_F(DirectorTest, DeferredRemovalSkipsANodeThatChangedParent) {
  Node* a = Node::create();
  Node* b = Node::create();
  Node* child = Node::create();
  scene->addChild(a);
  scene->addChild(b);
  a->addChild(child);
  director->removeChildLater(child, a);
  child->retain();
  child->removeFromParent();
  b->addChild(child);
  child->release();
  tick(0.016f);
  EXPECT_EQ(child->getParent(), b);
}

TEST_F(DirectorTest, ReplaceSceneTakesOverInTheNextFrame) {
  auto journal = std::make_shared<Journal>();
  Probe* oldChild = Probe::create(journal, "old");
  scene->addChild(oldChild);
  Scene* next = Scene::create();
  Probe* newChild = Probe::create(journal, "new");
  next->addChild(newChild);
  director->replaceScene(next);
  EXPECT_EQ(director->getRunningScene(), scene);
  tick(0.016f);
  EXPECT_EQ(director->getRunningScene(), next);
  EXPECT_TRUE(journal->has("old.exit"));
  EXPECT_TRUE(journal->has("old.dtor"));
  EXPECT_TRUE(newChild->isRunning());
}

TEST_F(DirectorTest, HeadlessRendererSeesOnlyVisibleDrawables) {
  HeadlessRenderer* renderer = InstallRenderer(true);
  LayerColor* shade = LayerColor::create(Color4B(0, 0, 0, 128), 100, 50);
  shade->setPosition(10, 20);
  scene->addChild(shade, 5);
  LayerColor* hidden = LayerColor::create(Color4B(255, 0, 0, 255));
  hidden->setVisible(false);
  scene->addChild(hidden, 9);
  LayerColor* below = LayerColor::create(Color4B(0, 255, 0, 255), 10, 10);
  scene->addChild(below, -1);
  tick(0.016f);
  ASSERT_EQ(renderer->lastFrame().size(), 2u);
  EXPECT_EQ(renderer->lastFrame()[0].node, below);  // drawn first: lowest z
  const DrawCommand& c = renderer->lastFrame()[1];
  EXPECT_EQ(c.node, shade);
  EXPECT_EQ(c.opacity, 128);
  EXPECT_EQ(c.transform.apply(Vec2(0, 0)), Vec2(10, 20));
}

// The nodes draw through one reused command: what one kind of node sets
// (a label's text fields, a sprite's image, an atlas's cells) must not stay
// on the command of the node drawn after it.
TEST_F(DirectorTest, EachCommandCarriesOnlyWhatItsNodeDraws) {
  HeadlessRenderer* renderer = InstallRenderer(true);
  Label* text = Label::createWithSystemFont("9", "Arial", 20);
  text->setAlignment(TextHAlignment::RIGHT);
  scene->addChild(text);
  Sprite* card = Sprite::createWithSpriteFrame(SpriteFrame::create("cards.png", Rect(4, 8, 30, 40), true,
                                                                    Vec2(0, 0), Size(30, 40)));
  card->setFlippedX(true);
  scene->addChild(card);
  LabelAtlas* digits = LabelAtlas::create("12", "digits.png", 10, 14, '0');
  scene->addChild(digits);
  LayerColor* plain = LayerColor::create(Color4B(1, 2, 3, 255), 10, 10);
  scene->addChild(plain);
  tick(0.016f);
  const std::vector<DrawCommand>& frame = renderer->lastFrame();
  ASSERT_EQ(frame.size(), 4u);
  EXPECT_EQ(frame[0].hAlignment, TextHAlignment::RIGHT);
  EXPECT_TRUE(frame[1].rotated && frame[1].flippedX);
  EXPECT_EQ(frame[2].itemWidth, 10);

  const DrawCommand blank;
  const auto carriesNothingElse = [&](const DrawCommand& c, bool image, bool textFields, bool cells) {
    SCOPED_TRACE(c.what);
    if (!image) {
      EXPECT_EQ(c.textureRect, blank.textureRect);
      EXPECT_FALSE(c.rotated || c.flippedX || c.flippedY);
      EXPECT_EQ(c.quad, blank.quad);
    }
    if (!image && !cells) {
      EXPECT_EQ(c.texture, "");
    }
    if (!textFields) {
      EXPECT_EQ(c.font, "");
      EXPECT_EQ(c.fontSize, 0);
      EXPECT_EQ(c.lineHeight, 0);
      EXPECT_EQ(c.lines, nullptr);
      EXPECT_EQ(c.hAlignment, blank.hAlignment);
    }
    if (!cells) {
      EXPECT_EQ(c.itemWidth + c.itemHeight + c.startChar, 0);
    }
    EXPECT_EQ(c.capInsets, blank.capInsets);
    EXPECT_EQ(c.blend, blank.blend);
    EXPECT_EQ(c.shapes, nullptr);
  };
  carriesNothingElse(frame[1], true, false, false);
  carriesNothingElse(frame[2], false, false, true);
  carriesNothingElse(frame[3], false, false, false);
}

TEST_F(DirectorTest, ContentScaleFactorAndWindowDefaults) {
  EXPECT_FLOAT_EQ(director->getContentScaleFactor(), 1.0f);
  EXPECT_EQ(director->getWinSize(), Size(1280, 720));
  auto* view = GLViewImpl::create("t");
  view->setFrameSize(1152, 648);
  director->setOpenGLView(view);
  EXPECT_EQ(director->getOpenGLView()->getFrameSize(), Size(1152, 648));
  EXPECT_NE(view->getNativeHandle(), 0u);
  director->setContentScaleFactor(2.0f);
  EXPECT_FLOAT_EQ(director->getContentScaleFactor(), 2.0f);
}

// An idle scene costs no drawing: a frame that would look like the last one
// drawn is not drawn; any visible change (a move, a node appearing or
// leaving, a fade, a new text or colour, a new drawing order, shapes or clip,
// an action at work) draws exactly that frame.
TEST_F(DirectorTest, AnUnchangedFrameDrawsNothingAndEachVisibleChangeDrawsOneFrame) {
  HeadlessRenderer* renderer = InstallRenderer(false);
  LayerColor* box = LayerColor::create(Color4B(0, 0, 255, 255), 100, 50);
  scene->addChild(box);
  Label* text = Label::createWithSystemFont("7", "Arial", 20);
  scene->addChild(text);
  LayerColor* hidden = LayerColor::create(Color4B(255, 0, 0, 255), 10, 10);
  hidden->setVisible(false);
  scene->addChild(hidden);
  // A drawing inside a parent, and shapes that are redrawn in place.
  Node* parent = Node::create();
  scene->addChild(parent);
  LayerColor* inner = LayerColor::create(Color4B(9, 9, 9, 255), 20, 20);
  parent->addChild(inner);
  DrawNode* shapes = DrawNode::create();
  shapes->drawSolidRect(Vec2(0, 0), Vec2(10, 10), Color4F(1, 0, 0, 1));
  scene->addChild(shapes);
  // A clipped drawing: the stencil moves the clip, nothing else.
  Node* stencil = Node::create();
  stencil->setContentSize(Size(40, 40));
  ClippingNode* clip = ClippingNode::create(stencil);
  clip->addChild(LayerColor::create(Color4B(5, 5, 5, 255), 80, 80));
  scene->addChild(clip);
  LayerColor* added = nullptr;
  tick(0.016f);
  ASSERT_EQ(renderer->framesDrawn(), 1u);
  for (int i = 0; i < 5; ++i) tick(0.016f);
  EXPECT_EQ(renderer->framesDrawn(), 1u) << "an idle scene is drawn again";

  const struct {
    const char* change;
    std::function<void()> apply;
  } changes[] = {
      {"a move", [&] { box->setPosition(30, 40); }},
      {"a scale", [&] { box->setScaleX(2); }},
      {"a turn", [&] { box->setRotation(30); }},
      {"a turn in depth", [&] { box->setRotation3D(Vec3(0, 40, 30)); }},
      {"the anchor out of the position", [&] { box->setIgnoreAnchorPointForPosition(false); }},
      {"a new anchor", [&] { box->setAnchorPoint(Vec2(0, 0)); }},
      {"a new size", [&] { box->setContentSize(Size(60, 50)); }},
      {"a parent's move", [&] { parent->setPosition(5, 5); }},
      {"a node appearing", [&] { hidden->setVisible(true); }},
      {"a fade", [&] { box->setOpacity(100); }},
      {"a new text", [&] { text->setString("8"); }},
      {"a new colour", [&] { box->setColor(Color3B(0, 255, 0)); }},
      {"a new child on top", [&] { scene->addChild(added = LayerColor::create(Color4B(1, 2, 3, 255), 5, 5), 5); }},
      {"a new drawing order", [&] { box->setLocalZOrder(1); }},
      {"shapes redrawn in place",
       [&] {
         shapes->clear();
         shapes->drawSolidRect(Vec2(0, 0), Vec2(10, 10), Color4F(0, 1, 0, 1));
       }},
      {"a moved clip", [&] { stencil->setPosition(10, 0); }},
      {"the last node leaving", [&] { added->removeFromParent(); }},
  };
  for (const auto& c : changes) {
    const auto before = renderer->framesDrawn();
    c.apply();
    tick(0.016f);
    tick(0.016f);
    EXPECT_EQ(renderer->framesDrawn(), before + 1) << c.change;
  }
  // A running action changes the scene every frame; once it ends, drawing stops.
  const auto before = renderer->framesDrawn();
  box->runAction(MoveBy::create(0.1f, Vec2(50, 0)));
  for (int i = 0; i < 20; ++i) tick(0.016f);
  EXPECT_GE(renderer->framesDrawn(), before + 6);
  EXPECT_LE(renderer->framesDrawn(), before + 8);
  // A renderer that asks for a frame gets it (the recording one, every frame).
  renderer->setRecording(true);
  tick(0.016f);
  ASSERT_FALSE(renderer->lastFrame().empty());
}

// The recording renderer the tests read gets every frame whole, changed or
// not, and each command names the node that draws it now, even where a new
// node draws just what a removed one drew.
TEST_F(DirectorTest, ARecordingRendererSeesEveryCommandOfEveryFrame) {
  HeadlessRenderer* renderer = InstallRenderer(true);
  LayerColor* below = LayerColor::create(Color4B(0, 255, 0, 255), 10, 10);
  scene->addChild(below);
  Label* text = Label::createWithSystemFont("score", "Arial", 20);
  scene->addChild(text);
  LayerColor* old = LayerColor::create(Color4B(0, 0, 255, 255), 100, 50);
  scene->addChild(old);
  tick(0.016f);
  tick(0.016f);
  ASSERT_EQ(renderer->framesDrawn(), 2u);
  ASSERT_EQ(renderer->lastFrame().size(), 3u);
  EXPECT_EQ(renderer->lastFrame()[0].node, below);
  EXPECT_EQ(renderer->lastFrame()[1].node, text);
  ASSERT_NE(renderer->lastFrame()[1].lines, nullptr);
  EXPECT_EQ(*renderer->lastFrame()[1].lines, std::vector<std::string>{"score"});

  old->removeFromParent();
  LayerColor* twin = LayerColor::create(Color4B(0, 0, 255, 255), 100, 50);
  scene->addChild(twin);
  tick(0.016f);
  ASSERT_EQ(renderer->lastFrame().size(), 3u);
  EXPECT_EQ(renderer->lastFrame()[2].node, twin);
  EXPECT_EQ(renderer->lastFrame()[2].what, "LayerColor");
}
