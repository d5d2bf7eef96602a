#include "platform/engine/Layer.h"

#include "platform/engine/Director.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/Renderer.h"

namespace cocos2d {

Layer::Layer() {
  _ignoreAnchorPointForPosition = true;
  _anchorPoint = Vec2(0.5f, 0.5f);
}

Layer::~Layer() {
  for (EventListener** l : {&_touchListener, &_keyboardListener, &_mouseListener}) {
    if (*l) {
      if (Director* d = Director::getInstanceIfAlive()) d->getEventDispatcher()->removeEventListener(*l);
      (*l)->release();
      *l = nullptr;
    }
  }
}

Layer* Layer::create() {
  auto* l = new (std::nothrow) Layer();
  if (l && l->init()) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

bool Layer::init() {
  setContentSize(Director::getInstance()->getWinSize());
  return true;
}

void Layer::updateTouchListener() {
  EventDispatcher* dispatcher = getEventDispatcher();
  if (_touchListener) {
    dispatcher->removeEventListener(_touchListener);
    _touchListener->release();
    _touchListener = nullptr;
  }
  if (!_touchEnabled) return;
  if (_touchMode == Touch::DispatchMode::ALL_AT_ONCE) {
    auto* l = EventListenerTouchAllAtOnce::create();
    l->onTouchesBegan = [this](const std::vector<Touch*>& t, Event* e) { onTouchesBegan(t, e); };
    l->onTouchesMoved = [this](const std::vector<Touch*>& t, Event* e) { onTouchesMoved(t, e); };
    l->onTouchesEnded = [this](const std::vector<Touch*>& t, Event* e) { onTouchesEnded(t, e); };
    l->onTouchesCancelled = [this](const std::vector<Touch*>& t, Event* e) { onTouchesCancelled(t, e); };
    _touchListener = l;
  } else {
    auto* l = EventListenerTouchOneByOne::create();
    l->setSwallowTouches(_swallowsTouches);
    l->onTouchBegan = [this](Touch* t, Event* e) { return onTouchBegan(t, e); };
    l->onTouchMoved = [this](Touch* t, Event* e) { onTouchMoved(t, e); };
    l->onTouchEnded = [this](Touch* t, Event* e) { onTouchEnded(t, e); };
    l->onTouchCancelled = [this](Touch* t, Event* e) { onTouchCancelled(t, e); };
    _touchListener = l;
  }
  _touchListener->retain();
  dispatcher->addEventListenerWithSceneGraphPriority(_touchListener, this);
}

void Layer::setTouchEnabled(bool enabled) {
  if (_touchEnabled == enabled) return;
  _touchEnabled = enabled;
  updateTouchListener();
}

void Layer::setTouchEnabled(bool enabled, bool flag) {
  _touchExtraFlag = flag;
  setTouchEnabled(enabled);
}

void Layer::setTouchMode(Touch::DispatchMode mode) {
  if (_touchMode == mode) return;
  _touchMode = mode;
  if (_touchEnabled) updateTouchListener();
}

void Layer::setSwallowsTouches(bool swallows) {
  if (_swallowsTouches == swallows) return;
  _swallowsTouches = swallows;
  if (_touchEnabled) updateTouchListener();
}

void Layer::setKeyboardEnabled(bool enabled) {
  if (_keyboardEnabled == enabled) return;
  _keyboardEnabled = enabled;
  EventDispatcher* dispatcher = getEventDispatcher();
  if (_keyboardListener) {
    dispatcher->removeEventListener(_keyboardListener);
    _keyboardListener->release();
    _keyboardListener = nullptr;
  }
  if (!enabled) return;
  auto* l = EventListenerKeyboard::create();
  l->onKeyPressed = [this](EventKeyboard::KeyCode k, Event* e) { onKeyPressed(k, e); };
  l->onKeyReleased = [this](EventKeyboard::KeyCode k, Event* e) { onKeyReleased(k, e); };
  l->retain();
  _keyboardListener = l;
  dispatcher->addEventListenerWithSceneGraphPriority(l, this);
}

void Layer::setMouseEnabled(bool enabled) {
  if (_mouseEnabled == enabled) return;
  _mouseEnabled = enabled;
  EventDispatcher* dispatcher = getEventDispatcher();
  if (_mouseListener) {
    dispatcher->removeEventListener(_mouseListener);
    _mouseListener->release();
    _mouseListener = nullptr;
  }
  if (!enabled) return;
  auto* l = EventListenerMouse::create();
  l->onMouseDown = [this](EventMouse* e) { onMouseDown(e); };
  l->onMouseUp = [this](EventMouse* e) { onMouseUp(e); };
  l->onMouseMove = [this](EventMouse* e) { onMouseMove(e); };
  l->onMouseScroll = [this](EventMouse* e) { onMouseScroll(e); };
  l->retain();
  _mouseListener = l;
  dispatcher->addEventListenerWithSceneGraphPriority(l, this);
}

bool Layer::onTouchBegan(Touch*, Event*) { return false; }
void Layer::onTouchMoved(Touch*, Event*) {}
void Layer::onTouchEnded(Touch*, Event*) {}
void Layer::onTouchCancelled(Touch*, Event*) {}
void Layer::onTouchesBegan(const std::vector<Touch*>&, Event*) {}
void Layer::onTouchesMoved(const std::vector<Touch*>&, Event*) {}
void Layer::onTouchesEnded(const std::vector<Touch*>&, Event*) {}
void Layer::onTouchesCancelled(const std::vector<Touch*>&, Event*) {}
void Layer::onKeyPressed(EventKeyboard::KeyCode, Event*) {}
void Layer::onKeyReleased(EventKeyboard::KeyCode, Event*) {}
void Layer::onMouseDown(EventMouse*) {}
void Layer::onMouseUp(EventMouse*) {}
void Layer::onMouseMove(EventMouse*) {}
void Layer::onMouseScroll(EventMouse*) {}

// ---------------------------------------------------------------- LayerColor

LayerColor* LayerColor::create() { return create(Color4B(0, 0, 0, 0)); }

LayerColor* LayerColor::create(const Color4B& color) {
  Size win = Director::getInstance()->getWinSize();
  return create(color, win.width, win.height);
}

LayerColor* LayerColor::create(const Color4B& color, float width, float height) {
  auto* l = new (std::nothrow) LayerColor();
  if (l && l->initWithColor(color, width, height)) {
    l->autorelease();
    return l;
  }
  delete l;
  return nullptr;
}

bool LayerColor::initWithColor(const Color4B& color, float width, float height) {
  if (!Layer::init()) return false;
  _color = Color3B(color.r, color.g, color.b);
  _opacity = color.a;
  setContentSize(Size(width, height));
  return true;
}

void LayerColor::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  renderer->submit(
      NextDrawCommand(this, transform, _contentSize, getDisplayedOpacity(), getDisplayedColor(), "LayerColor"));
}

}  // namespace cocos2d
