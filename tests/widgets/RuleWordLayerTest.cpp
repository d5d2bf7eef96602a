// The clipped rule-text scroller: its drag area, the clamp of its content,
// and the clip around its drawing.
#include <gtest/gtest.h>

#include <vector>

#include "RulesTestSupport.h"
#include "platform/engine/cocos2d.h"
#include "widgets/RuleWordLayer.h"

namespace {

// A node that notes whether the scissor test is on while it is drawn.
class ScissorProbe : public cocos2d::Node {
 public:
  static ScissorProbe* create() {
    auto* p = new ScissorProbe();
    p->init();
    p->autorelease();
    return p;
  }
  void draw(cocos2d::Renderer*, const cocos2d::Mat4&, std::uint32_t) override {
    seen.push_back(cocos2d::glIsEnabled(cocos2d::GL_SCISSOR_TEST));
  }
  std::vector<bool> seen;
};

class RuleWordScroller : public rulestest::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    layer = RuleWordLayer::create();
    layer->setPosition(640, 360);
    content = cocos2d::Node::create();
    layer->SetContent(content, -100, 300);
    scene->addChild(layer);
  }
  void TearDown() override {
    director->setContentScaleFactor(1);
    RulesTest::TearDown();
  }
  // Touch points relative to the layer's origin (design points).
  void Begin(float x, float y) { view->touchBegan(640 + x, 360 - y); }
  void Move(float x, float y) { view->touchMoved(640 + x, 360 - y); }
  void End(float x, float y) { view->touchEnded(640 + x, 360 - y); }

  RuleWordLayer* layer = nullptr;
  cocos2d::Node* content = nullptr;
};

TEST_F(RuleWordScroller, DragMovesTheContentWithinItsLimits) {
  content->setPosition(7, 0);
  Begin(0, 0);
  ASSERT_TRUE(layer->IsDragging());
  Move(0, 50);
  EXPECT_EQ(content->getPosition(), cocos2d::Vec2(7, 50));
  Move(0, 1000);
  EXPECT_EQ(content->getPositionY(), 300);
  Move(0, -1000);
  EXPECT_EQ(content->getPositionY(), -100);
  Move(0, -980);
  EXPECT_EQ(content->getPositionY(), -80) << "each move counts from the last point";
  End(0, -980);
  EXPECT_FALSE(layer->IsDragging());
  Move(0, 0);
  EXPECT_EQ(content->getPositionY(), -80);
}

TEST_F(RuleWordScroller, OnlyATouchBegunInsideTheDragAreaDrags) {
  struct Case {
    float x, y, scale;
    bool drags;
  };
  const std::vector<Case> cases = {
      {414, 253, 1, true},  {-414, -253, 1, true}, {415, 0, 1, false},  {0, -254, 1, false},
      {200, 100, 2, true},  {300, 0, 2, false},  // the point counts in pixels
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " x" << c.scale);
    director->setContentScaleFactor(c.scale);
    content->setPositionY(0);
    Begin(c.x, c.y);
    EXPECT_EQ(layer->IsDragging(), c.drags);
    Move(c.x, c.y + 10);
    EXPECT_EQ(content->getPositionY(), c.drags ? 10 * c.scale : 0);
    End(c.x, c.y + 10);
  }
}

TEST_F(RuleWordScroller, ATouchItTakesStillReachesTheButtonBeneath) {
  int clicks = 0;
  auto* button = cocos2d::ui::Button::create();
  button->setContentSize(cocos2d::Size(100, 100));
  button->setPosition(cocos2d::Vec2(640, 360));
  button->addClickEventListener([&clicks](cocos2d::Ref*) { ++clicks; });
  scene->addChild(button, -1);
  Begin(0, 0);
  EXPECT_TRUE(layer->IsDragging());
  End(0, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(RuleWordScroller, DrawsItsContentInsideTheRuleTextClip) {
  auto* probe = ScissorProbe::create();
  layer->SetContent(probe, 0, 0);
  EXPECT_EQ(content->getParent(), nullptr) << "the earlier content went";
  tick();
  EXPECT_EQ(probe->seen, std::vector<bool>{true});
  EXPECT_FALSE(cocos2d::glIsEnabled(cocos2d::GL_SCISSOR_TEST));
  EXPECT_EQ(view->getScissorRect(), cocos2d::Rect(320, 49, 1200, 476));
}

}  // namespace
