// SDL events through the window's event pump reach the engine's dispatch at
// the design points they were made at, whatever the window's size.
#include "WindowTestSupport.h"

#include <memory>
#include <vector>

#include "platform/engine/ui/Widgets.h"

using namespace cocos2d;

namespace {

class InputTest : public windowtest::WindowTest {
 protected:
  // Pushes an SDL event for this window and lets the window pump it.
  void push(SDL_Event e) {
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    view->pollEvents();
  }
  void mouseButton(Uint32 type, Uint8 button, const Vec2& design) {
    const SDL_FPoint p = view->renderer()->toPixels(design);
    SDL_Event e{};
    e.type = type;
    e.button.windowID = view->windowId();
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = static_cast<Sint32>(p.x);
    e.button.y = static_cast<Sint32>(p.y);
    push(e);
  }
  void click(const Vec2& design) {
    mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, design);
    mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, design);
  }
  void windowEvent(Uint8 what, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = view->windowId();
    e.window.event = what;
    e.window.data1 = data1;
    e.window.data2 = data2;
    push(e);
  }
  // A button (the card face) at a design point that counts its clicks.
  ui::Button* button(const Vec2& at, int* clicks) {
    SpriteFrameCache::getInstance()->addSpriteFramesWithFile("CardLayer1.plist");
    auto* b = ui::Button::create("new_card_bg.png", "", "", ui::Widget::TextureResType::PLIST);
    b->setPosition(at);
    b->addClickEventListener([clicks](Ref*) { ++*clicks; });
    scene->addChild(b);
    return b;
  }
};

TEST_F(InputTest, ALeftClickAtADesignPointPressesTheButtonThereAtEveryWindowSize) {
  for (const Size window : {Size(1280, 720), Size(640, 360), Size(1600, 900), Size(1000, 720)}) {
    SCOPED_TRACE(std::to_string(window.width) + "x" + std::to_string(window.height));
    SetUp();
    openWindow(static_cast<int>(window.width), static_cast<int>(window.height));
    if (HasFatalFailure()) return;
    int left = 0, right = 0;
    button(Vec2(200, 150), &left);
    button(Vec2(1000, 550), &right);
    click(Vec2(1000 + 60, 550 - 80));  // near the corner of the right one
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 1);
    click(Vec2(200, 150));
    EXPECT_EQ(left, 1);
    click(Vec2(640, 360));  // between them: nothing
    EXPECT_EQ(left + right, 2);
    TearDown();
  }
}

TEST_F(InputTest, AResizeOrMinimiseKeepsTheMapping) {
  openWindow(1280, 720);
  if (HasFatalFailure()) return;
  int clicks = 0;
  button(Vec2(1000, 550), &clicks);
  windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 360);
  EXPECT_EQ(view->getFrameSize().width, 640);
  // The point the button is at in the smaller window.
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = view->windowId();
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = 500;
  e.button.y = 360 - 275;
  push(e);
  e.type = SDL_MOUSEBUTTONUP;
  push(e);
  EXPECT_EQ(clicks, 1);
  windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 0, 0);  // minimised: no area
  EXPECT_EQ(view->getFrameSize().width, 640);
  EXPECT_EQ(view->windowToGL(500, 85).x, 1000);
}

TEST_F(InputTest, RightButtonMovesWheelAndEscapeArriveAsMouseAndKeyEvents) {
  openWindow(640, 360);
  if (HasFatalFailure()) return;
  std::vector<std::string> seen;
  auto* mouse = EventListenerMouse::create();
  mouse->onMouseDown = [&](EventMouse* m) {
    seen.push_back("down " + std::to_string(static_cast<int>(m->getMouseButton())) + " at " +
                   std::to_string(static_cast<int>(m->getLocation().x)) + "," +
                   std::to_string(static_cast<int>(m->getLocation().y)));
  };
  mouse->onMouseMove = [&](EventMouse*) { seen.push_back("move"); };
  mouse->onMouseScroll = [&](EventMouse* m) { seen.push_back("scroll " + std::to_string(static_cast<int>(m->getScrollY()))); };
  director->getEventDispatcher()->addEventListenerWithFixedPriority(mouse, 1);
  auto* keys = EventListenerKeyboard::create();
  keys->onKeyPressed = [&](EventKeyboard::KeyCode k, Event*) {
    if (k == EventKeyboard::KeyCode::KEY_BACK) seen.push_back("back");
  };
  director->getEventDispatcher()->addEventListenerWithFixedPriority(keys, 1);
  auto* touches = EventListenerTouchOneByOne::create();
  touches->onTouchBegan = [&](Touch*, Event*) {
    seen.push_back("touch");
    return true;
  };
  director->getEventDispatcher()->addEventListenerWithFixedPriority(touches, 1);

  mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, Vec2(400, 300));
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = view->windowId();
  e.motion.x = 10;
  e.motion.y = 10;
  push(e);
  e = SDL_Event{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = view->windowId();
  e.wheel.y = 1;
  push(e);
  e = SDL_Event{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = view->windowId();
  e.key.keysym.sym = SDLK_ESCAPE;
  push(e);
  const int right = static_cast<int>(EventMouse::MouseButton::BUTTON_RIGHT);
  EXPECT_EQ(seen, (std::vector<std::string>{"down " + std::to_string(right) + " at 400,300", "move", "scroll -1",
                                            "back"}))
      << "no touch for the right button";
}

struct RecordingApp : Application {
  std::vector<std::string> calls;
  bool applicationDidFinishLaunching() override { return true; }
  void applicationDidEnterBackground() override { calls.push_back("background"); }
  void applicationWillEnterForeground() override { calls.push_back("foreground"); }
};

TEST_F(InputTest, FocusAndMinimiseNeverReachTheBackgroundChainAndCloseAsksTheHandler) {
  openWindow(640, 360);
  if (HasFatalFailure()) return;
  RecordingApp app;
  int ticks = 0;
  director->getScheduler()->schedule([&](float) { ++ticks; }, this, 0, false, "tick");
  const std::uint64_t framesBefore = director->getTotalFrames();
  windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  EXPECT_FALSE(view->isDrawingPaused()) << "behind another window the table is still drawn";
  windowEvent(SDL_WINDOWEVENT_MINIMIZED);
  EXPECT_TRUE(view->isDrawingPaused());
  frame();
  frame();
  EXPECT_EQ(ticks, 2) << "minimised, the game's frames still run";
  windowEvent(SDL_WINDOWEVENT_RESTORED);
  EXPECT_FALSE(view->isDrawingPaused());
  windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_TRUE(app.calls.empty()) << "no background or foreground for focus or minimising";
  EXPECT_TRUE(view->isWindowActive());
  EXPECT_EQ(director->getTotalFrames(), framesBefore + 2);
  director->getScheduler()->unschedule("tick", this);

  int asked = 0;
  view->setCloseHandler([&] { ++asked; });
  windowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(view->windowShouldClose()) << "the handler decides";
  // A press of the close button: SDL reports the window's close and then,
  // for the last window, the application's quit; the handler is asked once.
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = view->windowId();
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&close), 1);
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  view->pollEvents();
  EXPECT_EQ(asked, 2) << "one question per press of the close button";
  // A quit on its own (the session ending) asks it too.
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  view->pollEvents();
  EXPECT_EQ(asked, 3);
  view->setCloseHandler(nullptr);
  windowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_TRUE(view->windowShouldClose());
}

}  // namespace
