#include "platform/engine/GLView.h"

#include <algorithm>
#include <vector>

#include "platform/engine/Application.h"
#include "platform/engine/Director.h"
#include "platform/engine/EventDispatcher.h"

namespace cocos2d {

namespace {
std::uintptr_t g_nextHandle = 0x10000;
}

GLView::GLView() : _nativeHandle(g_nextHandle += 0x10) {}

GLView::~GLView() {
  for (auto& [id, t] : _touches) t->release();
}

void GLView::setFrameSize(float width, float height) {
  // A minimised window reports no area; the last real size keeps the mapping.
  if (width <= 0 || height <= 0) return;
  _frameSize = Size(width, height);
}

void GLView::requestClose() {
  if (_closeHandler) {
    auto handler = _closeHandler;
    handler();
  } else {
    end();
  }
}

void GLView::setWindowActive(bool active) {
  if (active == _active) return;
  _active = active;
  Application* app = Application::getInstance();
  if (!app) return;
  if (active)
    app->enterForeground();
  else
    app->enterBackground();
}

void GLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
  if (width <= 0 || height <= 0) return;
  _designSize = Size(width, height);
  _policy = policy;
}

Size GLView::getDesignResolutionSize() const {
  return (_designSize.width > 0 && _designSize.height > 0) ? _designSize : _frameSize;
}

Size GLView::getVisibleSize() const { return getDesignResolutionSize(); }

float GLView::getScaleX() const {
  Size d = getDesignResolutionSize();
  float sx = _frameSize.width / d.width, sy = _frameSize.height / d.height;
  switch (_policy) {
    case ResolutionPolicy::SHOW_ALL: return std::min(sx, sy);
    case ResolutionPolicy::NO_BORDER: return std::max(sx, sy);
    case ResolutionPolicy::FIXED_HEIGHT: return sy;
    default: return sx;
  }
}

float GLView::getScaleY() const {
  Size d = getDesignResolutionSize();
  float sx = _frameSize.width / d.width, sy = _frameSize.height / d.height;
  switch (_policy) {
    case ResolutionPolicy::SHOW_ALL: return std::min(sx, sy);
    case ResolutionPolicy::NO_BORDER: return std::max(sx, sy);
    case ResolutionPolicy::FIXED_WIDTH: return sx;
    default: return sy;
  }
}

Vec2 GLView::windowToGL(float x, float y) const {
  Size d = getDesignResolutionSize();
  float sx = getScaleX(), sy = getScaleY();
  // The design area is centred in the frame.
  float vx = (_frameSize.width - d.width * sx) / 2, vy = (_frameSize.height - d.height * sy) / 2;
  return {(x - vx) / sx, (_frameSize.height - y - vy) / sy};
}

void GLView::dispatchTouches(EventTouch::EventCode code, int num, const int ids[], const float xs[],
                             const float ys[]) {
  std::vector<Touch*> touches;
  for (int i = 0; i < num; ++i) {
    Vec2 p = windowToGL(xs[i], ys[i]);
    auto it = _touches.find(ids[i]);
    Touch* t = nullptr;
    if (code == EventTouch::EventCode::BEGAN) {
      if (it != _touches.end()) continue;  // that finger is already down
      t = new Touch();
      _touches[ids[i]] = t;
    } else {
      if (it == _touches.end()) continue;  // a move or end of a finger that never went down
      t = it->second;
    }
    t->setTouchInfo(ids[i], p.x, p.y);
    touches.push_back(t);
  }
  if (touches.empty()) return;
  for (Touch* t : touches) t->retain();
  auto* event = new EventTouch();
  event->setEventCode(code);
  event->setTouches(touches);
  Director::getInstance()->getEventDispatcher()->dispatchEvent(event);
  event->release();
  if (code == EventTouch::EventCode::ENDED || code == EventTouch::EventCode::CANCELLED) {
    for (Touch* t : touches) {
      auto it = _touches.find(t->getID());
      if (it != _touches.end() && it->second == t) {
        _touches.erase(it);
        t->release();
      }
    }
  }
  for (Touch* t : touches) t->release();
}

void GLView::handleTouchesBegin(int num, const int ids[], const float xs[], const float ys[]) {
  dispatchTouches(EventTouch::EventCode::BEGAN, num, ids, xs, ys);
}
void GLView::handleTouchesMove(int num, const int ids[], const float xs[], const float ys[]) {
  dispatchTouches(EventTouch::EventCode::MOVED, num, ids, xs, ys);
}
void GLView::handleTouchesEnd(int num, const int ids[], const float xs[], const float ys[]) {
  dispatchTouches(EventTouch::EventCode::ENDED, num, ids, xs, ys);
}
void GLView::handleTouchesCancel(int num, const int ids[], const float xs[], const float ys[]) {
  dispatchTouches(EventTouch::EventCode::CANCELLED, num, ids, xs, ys);
}

void GLView::dispatchMouse(EventMouse::MouseEventType type, EventMouse::MouseButton button, float x, float y,
                           float scrollY) {
  _lastCursor = Vec2(x, y);
  auto* event = new EventMouse(type);
  event->setMouseButton(button);
  event->setCursorPosition(x, y);
  event->setLocation(windowToGL(x, y));
  event->setScrollData(0, scrollY);
  Director::getInstance()->getEventDispatcher()->dispatchEvent(event);
  event->release();
}

void GLView::mouseDown(EventMouse::MouseButton button, float x, float y) {
  dispatchMouse(EventMouse::MouseEventType::MOUSE_DOWN, button, x, y, 0);
  if (button == EventMouse::MouseButton::BUTTON_LEFT && !_leftDown) {
    _leftDown = true;
    touchBegan(x, y, 0);
  }
}

void GLView::mouseUp(EventMouse::MouseButton button, float x, float y) {
  dispatchMouse(EventMouse::MouseEventType::MOUSE_UP, button, x, y, 0);
  if (button == EventMouse::MouseButton::BUTTON_LEFT && _leftDown) {
    _leftDown = false;
    touchEnded(x, y, 0);
  }
}

void GLView::mouseMove(float x, float y) {
  dispatchMouse(EventMouse::MouseEventType::MOUSE_MOVE, EventMouse::MouseButton::BUTTON_UNSET, x, y, 0);
  if (_leftDown) touchMoved(x, y, 0);
}

void GLView::mouseScroll(float x, float y, float scrollY) {
  dispatchMouse(EventMouse::MouseEventType::MOUSE_SCROLL, EventMouse::MouseButton::BUTTON_UNSET, x, y, scrollY);
}

void GLView::keyPressed(EventKeyboard::KeyCode code) {
  auto* event = new EventKeyboard(code, true);
  Director::getInstance()->getEventDispatcher()->dispatchEvent(event);
  event->release();
}

void GLView::keyReleased(EventKeyboard::KeyCode code) {
  auto* event = new EventKeyboard(code, false);
  Director::getInstance()->getEventDispatcher()->dispatchEvent(event);
  event->release();
}

GLViewImpl* GLViewImpl::create(const std::string& viewName) {
  auto* v = new GLViewImpl();
  v->setViewName(viewName);
  v->autorelease();
  return v;
}

GLViewImpl* GLViewImpl::createWithRect(const std::string& viewName, const Rect& rect, float frameZoomFactor) {
  GLViewImpl* v = create(viewName);
  v->setFrameSize(rect.size.width * frameZoomFactor, rect.size.height * frameZoomFactor);
  return v;
}

}  // namespace cocos2d
