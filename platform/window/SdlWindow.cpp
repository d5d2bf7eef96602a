#include "platform/window/SdlWindow.h"

#include <cmath>
#include <cstdlib>

#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/window/SdlRenderer.h"

namespace ddz::window {

bool DisplayAvailable() {
  for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

SdlWindow* SdlWindow::create(const Options& options) {
  const int w = std::max(1, static_cast<int>(std::lround(options.frame.width)));
  const int h = std::max(1, static_cast<int>(std::lround(options.frame.height)));
  std::shared_ptr<SdlDevice> device = SdlDevice::open(options.title, w, h, options.hidden);
  if (!device) return nullptr;
  auto* view = new SdlWindow();
  view->_device = std::move(device);
  view->setViewName(options.title);
  view->GLView::setFrameSize(static_cast<float>(w), static_cast<float>(h));
  view->autorelease();
  return view;
}

SdlWindow::~SdlWindow() {
  if (_measuring) cocos2d::SetTextMeasurer(nullptr);
  // The director may still hold the renderer; the device lives on with it.
}

Uint32 SdlWindow::windowId() const { return SDL_GetWindowID(_device->window()); }

void SdlWindow::install() {
  cocos2d::Director* director = cocos2d::Director::getInstance();
  director->setOpenGLView(this);
  auto renderer = std::make_unique<SdlRenderer>(_device);
  _renderer = renderer.get();
  director->setRenderer(std::move(renderer));
  cocos2d::SetTextMeasurer(&_device->fonts());
  _measuring = true;
}

void SdlWindow::setFrameSize(float width, float height) {
  const float before = getFrameSize().width;
  GLView::setFrameSize(width, height);
  if (width > 0 && height > 0 && before != width) {
    int w = 0, h = 0;
    SDL_GetWindowSize(_device->window(), &w, &h);
    if (w != static_cast<int>(width) || h != static_cast<int>(height))
      SDL_SetWindowSize(_device->window(), static_cast<int>(width), static_cast<int>(height));
  }
}

void SdlWindow::pollEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) handleEvent(event);
  // SDL queues the quit together with the close it follows; a later quit is
  // one of its own.
  _quitFollowsClose = false;
}

namespace {
cocos2d::EventMouse::MouseButton ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return cocos2d::EventMouse::MouseButton::BUTTON_LEFT;
    case SDL_BUTTON_RIGHT: return cocos2d::EventMouse::MouseButton::BUTTON_RIGHT;
    case SDL_BUTTON_MIDDLE: return cocos2d::EventMouse::MouseButton::BUTTON_MIDDLE;
    default: return cocos2d::EventMouse::MouseButton::BUTTON_UNSET;
  }
}
}  // namespace

void SdlWindow::handleEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      // SDL follows the last window's close with the application's quit:
      // one press of the close button is one request.
      if (_quitFollowsClose) {
        _quitFollowsClose = false;
        break;
      }
      requestClose();
      break;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != windowId()) break;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          _quitFollowsClose = true;
          requestClose();
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          GLView::setFrameSize(static_cast<float>(e.window.data1), static_cast<float>(e.window.data2));
          break;
        // A desktop game plays on behind other windows and while minimised:
        // neither reaches the application's background path. Minimised,
        // only the drawing pauses.
        case SDL_WINDOWEVENT_MINIMIZED: setDrawingPaused(true); break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN: setDrawingPaused(false); [[fallthrough]];
        case SDL_WINDOWEVENT_EXPOSED:
          if (auto* r = dynamic_cast<SdlRenderer*>(cocos2d::Director::getInstance()->getRenderer())) r->requestFrame();
          break;
        default: break;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.which == SDL_TOUCH_MOUSEID) break;
      mouseDown(ButtonOf(e.button.button), static_cast<float>(e.button.x), static_cast<float>(e.button.y));
      break;
    case SDL_MOUSEBUTTONUP:
      if (e.button.which == SDL_TOUCH_MOUSEID) break;
      mouseUp(ButtonOf(e.button.button), static_cast<float>(e.button.x), static_cast<float>(e.button.y));
      break;
    case SDL_MOUSEMOTION:
      if (e.motion.which == SDL_TOUCH_MOUSEID) break;
      mouseMove(static_cast<float>(e.motion.x), static_cast<float>(e.motion.y));
      break;
    case SDL_MOUSEWHEEL: {
      // At the cursor; wheel up scrolls the content up, as the engine's scroll data has it.
      const float dy = static_cast<float>(e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? e.wheel.y : -e.wheel.y);
      mouseScroll(_lastCursor.x, _lastCursor.y, dy);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      cocos2d::EventKeyboard::KeyCode key;
      if (e.key.keysym.sym == SDLK_ESCAPE) key = cocos2d::EventKeyboard::KeyCode::KEY_ESCAPE;
      else if (e.key.keysym.sym == SDLK_F1) key = cocos2d::EventKeyboard::KeyCode::KEY_F1;
      else break;
      if (e.type == SDL_KEYUP) keyReleased(key);
      else if (!e.key.repeat) keyPressed(key);
      break;
    }
    default:
      break;
  }
}

}  // namespace ddz::window
