#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using namespace cocos2d;
using enginetest::EngineTest;
using TouchType = ui::Widget::TouchEventType;

namespace {

class WidgetTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SpriteFrameCache::destroyInstance();
    frame("btn_normal.png", 120, 60);
    frame("btn_pressed.png", 120, 60);
    frame("btn_disabled.png", 120, 60);
    frame("word_play.png", 80, 30);
    frame("panel.png", 100, 100);
    view = GLViewImpl::create("widgets");
    director->setOpenGLView(view);
  }
  void TearDown() override {
    EngineTest::TearDown();
    SpriteFrameCache::destroyInstance();
  }
  static void frame(const std::string& name, float w, float h) {
    SpriteFrameCache::getInstance()->addSpriteFrame(SpriteFrame::create("", Rect(0, 0, w, h)), name);
  }
  // Touch at a GL point (the window's y axis points down).
  void press(float x, float y) { view->touchBegan(x, 720 - y); }
  void release(float x, float y) { view->touchEnded(x, 720 - y); }
  void tap(float x, float y) {
    press(x, y);
    release(x, y);
  }
  ui::Button* button(const std::string& name) {
    auto* b = ui::Button::create("btn_normal.png", "btn_pressed.png", "btn_disabled.png",
                                 ui::Widget::TextureResType::PLIST);
    b->setName(name);
    b->setPosition(200, 100);  // centred: covers x 140..260, y 70..130
    b->addClickEventListener([this](Ref* sender) { clicks.push_back(static_cast<Node*>(sender)->getName()); });
    scene->addChild(b, 10);
    return b;
  }

  GLView* view = nullptr;
  std::vector<std::string> clicks;
};

class Below : public Layer {
 public:
  int touches = 0;
  void onTouchesBegan(const std::vector<Touch*>&, Event*) override { ++touches; }
};

}  // namespace

TEST_F(WidgetTest, ButtonClicksOnReleaseInsideAndSwallowsTheTouch) {
  auto* below = new Below();
  below->init();
  below->autorelease();
  below->setTouchEnabled(true, false);
  scene->addChild(below, 0);
  ui::Button* b = button("play");

  std::vector<TouchType> events;
  b->addTouchEventListener([&](Ref*, TouchType t) { events.push_back(t); });
  press(150, 75);
  EXPECT_EQ(b->getShownImage(), "btn_pressed.png");
  EXPECT_EQ(b->getRendererNormal()->getDisplayName(), "btn_pressed.png");
  release(150, 75);
  EXPECT_EQ(clicks, (std::vector<std::string>{"play"}));
  EXPECT_EQ(events, (std::vector<TouchType>{TouchType::BEGAN, TouchType::ENDED}));
  EXPECT_EQ(below->touches, 0);
  EXPECT_EQ(b->getRendererNormal()->getDisplayName(), "btn_normal.png");

  // Released outside: no click.
  press(150, 75);
  release(400, 400);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(events.back(), TouchType::CANCELED);

  // A touch that misses the button reaches the layer below.
  tap(300, 300);
  EXPECT_EQ(below->touches, 1);
}

TEST_F(WidgetTest, DisabledHiddenOrUntouchableButtonsIgnoreTouches) {
  struct Case {
    const char* name;
    std::function<void(ui::Button*)> change;
  } cases[] = {
      {"disabled", [](ui::Button* b) { b->setEnabled(false); }},
      {"hidden", [](ui::Button* b) { b->setVisible(false); }},
      {"parent hidden",
       [](ui::Button* b) {
         b->retain();
         Node* holder = Node::create();
         b->getParent()->addChild(holder, 10);
         b->removeFromParentAndCleanup(false);
         holder->addChild(b);
         b->release();
         holder->setVisible(false);
       }},
      {"touch off", [](ui::Button* b) { b->setTouchEnabled(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui::Button* b = button(c.name);
    c.change(b);
    tap(200, 100);
    EXPECT_TRUE(clicks.empty());
    b->removeFromParent();
  }
  ui::Button* b = button("off");
  b->setEnabled(false);
  EXPECT_EQ(b->getShownImage(), "btn_disabled.png");
  EXPECT_FALSE(b->isBright());
}

TEST_F(WidgetTest, ExtraAboveButtonDrawsItsWordImageOverTheFace) {
  auto* b = ui::Button::createWithExtraAbove("btn_normal.png", "", "", "word_play.png",
                                             ui::Widget::TextureResType::PLIST);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->getContentSize(), Size(120, 60));
  ASSERT_NE(b->getExtraAboveRenderer(), nullptr);
  EXPECT_EQ(b->getExtraAboveImage(), "word_play.png");
  EXPECT_EQ(b->getExtraAboveRenderer()->getPosition(), Vec2(60, 30));
  EXPECT_GT(b->getExtraAboveRenderer()->getLocalZOrder(), b->getRendererNormal()->getLocalZOrder());

  // A missing face leaves an empty button of size zero and a log line.
  auto* missing = ui::Button::create("nope.png", "", "", ui::Widget::TextureResType::PLIST);
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->getContentSize(), Size(0, 0));
  EXPECT_TRUE(Log::contains("Button: image nope.png not found"));
}

TEST_F(WidgetTest, TextAtlasAndScale9Sprite) {
  auto* digits = ui::TextAtlas::create("123", "Lv_num.png", 13, 16, "0");
  EXPECT_EQ(digits->getContentSize(), Size(39, 16));
  digits->setString(":45");
  EXPECT_EQ(digits->getString(), ":45");
  EXPECT_EQ(digits->getRenderer()->getGlyphIndices().front(), 10);

  EXPECT_EQ(ui::Scale9Sprite::createWithSpriteFrameName("unknown.png"), nullptr);
  auto* panel = ui::Scale9Sprite::createWithSpriteFrameName("panel.png", Rect(20, 20, 65, 65));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->getOriginalSize(), Size(100, 100));
  panel->setPreferredSize(Size(572, 338));
  EXPECT_EQ(panel->getContentSize(), Size(572, 338));
  EXPECT_EQ(panel->getCapInsets(), Rect(20, 20, 65, 65));
}

TEST_F(WidgetTest, ListViewStacksItemsAndReportsTheSelectedOne) {
  auto* list = ui::ListView::create();
  list->setDirection(ui::ScrollView::Direction::VERTICAL);
  list->setBounceEnabled(true);
  list->setContentSize(Size(710, 200));
  list->setItemsMargin(10);
  list->setPosition(100, 100);
  scene->addChild(list);
  for (int i = 0; i < 3; ++i) {
    auto* item = ui::Layout::create();
    item->setContentSize(Size(710, 60));
    item->setTouchEnabled(true);
    item->setSwallowTouches(false);
    list->pushBackCustomItem(item);
  }
  // 3 x 60 + 2 x 10 = 200: the items fill the view from the top down.
  EXPECT_EQ(list->getInnerContainerSize(), Size(710, 200));
  EXPECT_EQ(list->getItem(0)->getPosition(), Vec2(0, 140));
  EXPECT_EQ(list->getItem(2)->getPosition(), Vec2(0, 0));

  std::vector<std::pair<ui::ListView::EventType, std::ptrdiff_t>> events;
  list->addEventListener([&](Ref* sender, ui::ListView::EventType e) {
    events.emplace_back(e, static_cast<ui::ListView*>(sender)->getCurSelectedIndex());
  });
  EXPECT_EQ(list->getCurSelectedIndex(), -1);
  tap(300, 270);  // item 0 covers y 240..300 of the window (GL)
  tap(300, 200);  // item 1 covers y 170..230
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0], std::make_pair(ui::ListView::EventType::ON_SELECTED_ITEM_START, std::ptrdiff_t(0)));
  EXPECT_EQ(events[3], std::make_pair(ui::ListView::EventType::ON_SELECTED_ITEM_END, std::ptrdiff_t(1)));

  list->removeAllItems();
  EXPECT_TRUE(list->getItems().empty());
  EXPECT_EQ(list->getCurSelectedIndex(), -1);
}

TEST_F(WidgetTest, ScrollViewDragStaysWithinItsContent) {
  auto* sv = ui::ScrollView::create();
  sv->setContentSize(Size(200, 100));
  sv->setInnerContainerSize(Size(200, 300));
  sv->setPosition(0, 0);
  scene->addChild(sv);
  EXPECT_EQ(sv->getInnerContainerPosition(), Vec2(0, -200));  // top edge shown
  press(50, 50);
  view->touchMoved(50, 720 - 150);  // drag up by 100
  view->touchEnded(50, 720 - 150);
  EXPECT_EQ(sv->getInnerContainerPosition(), Vec2(0, -100));
  press(50, 10);
  view->touchMoved(50, 720 - 500);  // far past the bottom edge
  view->touchEnded(50, 720 - 500);
  EXPECT_EQ(sv->getInnerContainerPosition(), Vec2(0, 0));
}

TEST_F(WidgetTest, ClippingNodeWithADrawNodeStencil) {
  auto* stencil = DrawNode::create();
  Vec2 quad[4] = {Vec2(0, 0), Vec2(300, 0), Vec2(300, 40), Vec2(0, 40)};
  stencil->drawPolygon(quad, 4, Color4F::WHITE, 1, Color4F::WHITE);
  auto* clip = ClippingNode::create(stencil);
  clip->setAlphaThreshold(0.1f);
  clip->setPosition(100, 600);
  scene->addChild(clip);
  EXPECT_EQ(clip->getClipRectInWorld(), Rect(100, 600, 300, 40));
  EXPECT_TRUE(clip->isPointInsideClip(Vec2(150, 620)));
  EXPECT_FALSE(clip->isPointInsideClip(Vec2(450, 620)));

  // A moving stencil sprite runs its actions while the clipping node runs.
  auto* moving = Sprite::createWithSpriteFrameName("panel.png");
  clip->setStencil(moving);
  moving->runAction(MoveBy::create(1.0f, Vec2(50, 0)));
  tick(1.0f);
  EXPECT_EQ(moving->getPositionX(), 50);
}

TEST_F(WidgetTest, ProgressBarShowsItsPercentageFromTheMidpoint) {
  auto* bar = ProgressTimer::create(Sprite::createWithSpriteFrameName("panel.png"));
  bar->setType(ProgressTimer::Type::BAR);
  bar->setMidpoint(Vec2(0, 0.5f));
  bar->setBarChangeRate(Vec2(1, 0));
  bar->setPercentage(25);
  EXPECT_EQ(bar->getShownRect(), Rect(0, 0, 25, 100));
  bar->setPercentage(140);
  EXPECT_EQ(bar->getPercentage(), 100);
  scene->addChild(bar);
  bar->setPercentage(0);
  bar->runAction(ProgressTo::create(1.0f, 80));
  tick(0.5f);
  EXPECT_FLOAT_EQ(bar->getPercentage(), 40);
  tick(0.5f);
  EXPECT_EQ(bar->getPercentage(), 80);
}

TEST_F(WidgetTest, ParticlesAndSkeletonsRecordWhatTheyWereGiven) {
  auto* fire = ParticleSystemQuad::createWithTotalParticles(3000);
  fire->setBlendFunc({GL_SRC_ALPHA, GL_ONE});
  fire->setLife(1.5f);
  fire->setAngleVar(360);
  fire->setStartColor(Color4F(1, 0.5f, 0, 1));
  EXPECT_EQ(fire->getTotalParticles(), 3000);
  EXPECT_EQ(fire->getBlendFunc(), BlendFunc::ADDITIVE);
  EXPECT_EQ(fire->getAngleVar(), 360);

  auto* face = spine::SkeletonAnimation::createWithJsonFile("eff_biaoqing.json", "eff_biaoqing.atlas", 0.6f);
  face->setAnimation(0, "laugh", true);
  face->setScaleX(-1);
  EXPECT_EQ(face->getCurrent(0)->animation, "laugh");
  EXPECT_TRUE(face->getCurrent(0)->loop);
  EXPECT_TRUE(face->isMirrored());
  EXPECT_FALSE(face->hasFiles());
  EXPECT_EQ(face->getAtlasFile(), "eff_biaoqing.atlas");
}
