#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using namespace cocos2d;
using enginetest::EngineTest;

namespace {

// A layer that writes every input it gets into a shared log.
class Recorder : public Layer {
 public:
  static Recorder* create(std::vector<std::string>* log, const std::string& name,
                          Touch::DispatchMode mode = Touch::DispatchMode::ALL_AT_ONCE, bool claims = true) {
    auto* r = new Recorder();
    r->init();
    r->autorelease();
    r->log = log;
    r->label = name;
    r->claims = claims;
    r->setTouchMode(mode);
    r->setTouchEnabled(true, false);
    return r;
  }
  void note(const std::string& what, Touch* t) {
    Vec2 p = t->getLocation();
    log->push_back(label + "." + what + "(" + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + ")");
  }
  bool onTouchBegan(Touch* t, Event*) override {
    note("began", t);
    if (onBegan) onBegan(t);
    return claims;
  }
  void onTouchMoved(Touch* t, Event*) override { note("moved", t); }
  void onTouchEnded(Touch* t, Event*) override { note("ended", t); }
  void onTouchesBegan(const std::vector<Touch*>& ts, Event*) override {
    note("began", ts.front());
    if (onBegan) onBegan(ts.front());
  }
  void onTouchesMoved(const std::vector<Touch*>& ts, Event*) override { note("moved", ts.front()); }
  void onTouchesEnded(const std::vector<Touch*>& ts, Event*) override { note("ended", ts.front()); }
  void onKeyPressed(EventKeyboard::KeyCode k, Event*) override {
    log->push_back(label + ".key" + std::to_string(static_cast<int>(k)));
  }
  void onMouseDown(EventMouse* e) override {
    log->push_back(label + ".down" + std::to_string(static_cast<int>(e->getMouseButton())) + "@" +
                   std::to_string(int(e->getCursorX())) + "," + std::to_string(int(e->getCursorY())));
  }
  void onMouseMove(EventMouse* e) override {
    log->push_back(label + ".move@" + std::to_string(int(e->getLocation().x)) + "," +
                   std::to_string(int(e->getLocation().y)));
  }

  std::vector<std::string>* log = nullptr;
  std::string label;
  bool claims = true;
  std::function<void(Touch*)> onBegan;
};

class InputTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    view = GLViewImpl::create("input");
    director->setOpenGLView(view);
  }
  GLView* view = nullptr;
  std::vector<std::string> log;
};

}  // namespace

TEST_F(InputTest, TouchesReachTheTopMostLayerFirstInGlCoordinates) {
  Node* low = Node::create();
  scene->addChild(low, 1);
  // High local z inside a low parent still draws below the parent's later sibling.
  low->addChild(Recorder::create(&log, "deep"), 999);
  scene->addChild(Recorder::create(&log, "top"), 2);
  scene->addChild(Recorder::create(&log, "bottom"), -5);

  view->touchBegan(100, 700);  // window point near the bottom-left corner
  EXPECT_EQ(log, (std::vector<std::string>{"top.began(100,20)", "deep.began(100,20)", "bottom.began(100,20)"}));
}

TEST_F(InputTest, ClaimingOneByOneListenerSwallowsTheTouchFromLayersBelow) {
  scene->addChild(Recorder::create(&log, "table"), 0);
  Recorder* overlay = Recorder::create(&log, "overlay", Touch::DispatchMode::ONE_BY_ONE, true);
  scene->addChild(overlay, 1000);

  view->touchBegan(10, 10);
  view->touchMoved(20, 10);
  view->touchEnded(30, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"overlay.began(10,710)", "overlay.moved(20,710)", "overlay.ended(30,710)"}));

  // A one-by-one layer that does not claim lets the touch through.
  log.clear();
  overlay->claims = false;
  view->touchBegan(10, 10);
  view->touchEnded(10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"overlay.began(10,710)", "table.began(10,710)", "table.ended(10,710)"}));
}

TEST_F(InputTest, OneByOneListenersAreAskedBeforeAllAtOnceOnes) {
  // As in the stock engine: a claiming one-by-one layer takes the touch even
  // from an all-at-once layer drawn above it.
  scene->addChild(Recorder::create(&log, "above"), 10);
  scene->addChild(Recorder::create(&log, "claimer", Touch::DispatchMode::ONE_BY_ONE), 1);
  view->touchBegan(0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"claimer.began(0,720)"}));
}

TEST_F(InputTest, HitTestThroughScaledAndRotatedParents) {
  Layer* board = Layer::create();
  scene->addChild(board);
  Node* hand = Node::create();
  hand->setPosition(640, 360);
  hand->setScale(0.5f);
  hand->setRotation(90);
  board->addChild(hand);
  std::vector<Node*> cards;
  for (int i = 0; i < 3; ++i) {
    Node* c = Node::create();
    c->setContentSize(Size(100, 140));
    c->setAnchorPoint(Vec2(0.5f, 0.5f));
    c->setPosition(i * 40.0f, 0);
    hand->addChild(c, 100 + i);
    cards.push_back(c);
  }
  int hit = -1;
  Recorder* input = Recorder::create(&log, "hand");
  input->onBegan = [&](Touch* t) {
    Vec2 p = hand->convertToNodeSpace(t->getLocation());
    // Scan from the top-most card down, as the hands do.
    for (int i = static_cast<int>(cards.size()) - 1; i >= 0; --i) {
      if (cards[i]->getBoundingBox().containsPoint(p)) {
        hit = i;
        break;
      }
    }
  };
  scene->addChild(input, 5);

  // Card 2 sits at (80, 0) in the hand: half scale and a quarter turn put it
  // 40 points below the hand's centre, window y 360 + 40.
  view->touchBegan(640, 400);
  view->touchEnded(640, 400);
  EXPECT_EQ(hit, 2);
  hit = -1;
  // 12.5 points below the centre in the window is hand x = 25: cards 0 and 1
  // overlap there, and the top-most (1) wins.
  view->touchBegan(640, 372.5f);
  view->touchEnded(640, 372.5f);
  EXPECT_EQ(hit, 1);
  hit = -1;
  view->touchBegan(700, 360);  // 60 points right is hand y = 120, above the 140-high cards
  view->touchEnded(700, 360);
  EXPECT_EQ(hit, -1);
}

TEST_F(InputTest, RemovalDuringDispatchIsSafeForTheRemovedAndTheRest) {
  Recorder* top = Recorder::create(&log, "top");
  Recorder* middle = Recorder::create(&log, "middle");
  Recorder* bottom = Recorder::create(&log, "bottom");
  scene->addChild(top, 3);
  scene->addChild(middle, 2);
  scene->addChild(bottom, 1);
  top->onBegan = [&](Touch*) {
    middle->removeFromParent();  // immediate: it must not be called any more
    top->removeFromParent();     // and the caller itself stays alive for its call
    log.push_back("top.still-here");
  };
  view->touchBegan(1, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"top.began(1,719)", "top.still-here", "bottom.began(1,719)"}));
}

TEST_F(InputTest, TouchDisabledOrNotRunningLayersGetNothing) {
  Recorder* off = Recorder::create(&log, "off");
  scene->addChild(off);
  off->setTouchEnabled(false);
  Recorder* detached = Recorder::create(&log, "detached");
  detached->retain();
  view->touchBegan(5, 5);
  view->touchEnded(5, 5);
  EXPECT_TRUE(log.empty());
  detached->release();
}

TEST_F(InputTest, KeypadBackIsKeyCodeSix) {
  Recorder* r = Recorder::create(&log, "room");
  r->setKeypadEnabled(true);
  scene->addChild(r);
  view->keyPressed(EventKeyboard::KeyCode::KEY_BACK);
  EXPECT_EQ(log, (std::vector<std::string>{"room.key6"}));
  EXPECT_EQ(static_cast<int>(EventKeyboard::KeyCode::KEY_ESCAPE), 6);
}

TEST_F(InputTest, MouseEventsCarryButtonAndWindowCursor) {
  Recorder* r = Recorder::create(&log, "hand");
  r->setTouchEnabled(false);
  r->setMouseEnabled(true);
  scene->addChild(r);
  view->mouseDown(EventMouse::MouseButton::BUTTON_RIGHT, 300, 200);
  view->mouseMove(310, 220);
  EXPECT_EQ(log, (std::vector<std::string>{"hand.down1@300,200", "hand.move@310,500"}));
}

TEST_F(InputTest, LeftClickAlsoDrivesTouchZero) {
  scene->addChild(Recorder::create(&log, "layer"));
  view->click(50, 60);
  EXPECT_EQ(log, (std::vector<std::string>{"layer.began(50,660)", "layer.ended(50,660)"}));
}

TEST_F(InputTest, DesignResolutionMapsWindowPointsIntoDesignSpace) {
  view->setFrameSize(640, 360);
  view->setDesignResolutionSize(1280, 720, ResolutionPolicy::SHOW_ALL);
  scene->addChild(Recorder::create(&log, "layer"));
  view->touchBegan(320, 90);
  EXPECT_EQ(log, (std::vector<std::string>{"layer.began(640,540)"}));
}
