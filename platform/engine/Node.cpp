#include "platform/engine/Node.h"

#include <algorithm>

#include "platform/engine/Action.h"
#include "platform/engine/Director.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/Renderer.h"
#include "platform/engine/Scene.h"
#include "platform/engine/Scheduler.h"
#include "platform/engine/Event.h"

namespace cocos2d {

namespace {
std::uint64_t g_nextArrival = 0;
}

Node::Node() = default;

Node* Node::create() {
  Node* n = new (std::nothrow) Node();
  if (n && n->init()) {
    n->autorelease();
    return n;
  }
  delete n;
  return nullptr;
}

bool Node::init() { return true; }

Node::~Node() {
  Director* d = Director::getInstanceIfAlive();
  if (d) {
    d->getScheduler()->forgetTarget(this);
    d->getActionManager()->forgetTarget(this);
    d->getEventDispatcher()->removeEventListenersForTarget(this);
  }
  for (Node* child : _children) child->_parent = nullptr;
  _children.clear();
  CC_SAFE_RELEASE(_userObject);
}

Scheduler* Node::getScheduler() const { return Director::getInstance()->getScheduler(); }
ActionManager* Node::getActionManager() const { return Director::getInstance()->getActionManager(); }
EventDispatcher* Node::getEventDispatcher() const { return Director::getInstance()->getEventDispatcher(); }

void Node::setUserObject(Ref* object) {
  CC_SAFE_RETAIN(object);
  CC_SAFE_RELEASE(_userObject);
  _userObject = object;
}

// ---------------------------------------------------------------- tree

void Node::insertChild(Node* child, int z) {
  child->_localZOrder = z;
  child->_orderOfArrival = ++g_nextArrival;
  // After every child with the same or a lower z-order: arrival order breaks ties.
  std::size_t pos = _children.size();
  while (pos > 0 && _children.at(pos - 1)->_localZOrder > z) --pos;
  _children.insert(pos, child);
}

void Node::addChild(Node* child) { addChild(child, child ? child->_localZOrder : 0); }

void Node::addChild(Node* child, int localZOrder) { addChild(child, localZOrder, child ? child->_tag : INVALID_TAG); }

void Node::addChild(Node* child, int localZOrder, int tag) {
  CCASSERT(child != nullptr, "addChild: child is null");
  CCASSERT(child->_parent == nullptr, "addChild: child already has a parent");
  CCASSERT(child != this, "addChild: a node cannot be its own child");
  if (!child || child->_parent || child == this) return;
  insertChild(child, localZOrder);
  child->_tag = tag;
  child->setParent(this);
  if (_running) child->onEnter();
}

void Node::addChild(Node* child, int localZOrder, const std::string& name) {
  addChild(child, localZOrder, child ? child->_tag : INVALID_TAG);
  if (child && child->_parent == this) child->_name = name;
}

Node* Node::getChildByTag(int tag) const {
  for (Node* c : _children)
    if (c->_tag == tag) return c;
  return nullptr;
}

Node* Node::getChildByName(const std::string& name) const {
  for (Node* c : _children)
    if (c->_name == name) return c;
  return nullptr;
}

void Node::removeFromParentAndCleanup(bool cleanup) {
  if (_parent) _parent->removeChild(this, cleanup);
}

void Node::detachChild(Node* child, bool doCleanup) {
  child->retain();  // keep it alive through onExit and cleanup
  if (_running) {
    child->onExitTransitionDidStart();
    child->onExit();
  }
  if (doCleanup) child->cleanup();
  child->setParent(nullptr);
  std::ptrdiff_t at = _children.getIndex(child);  // onExit may have reordered siblings
  if (at >= 0) _children.erase(static_cast<std::size_t>(at));
  child->release();
}

void Node::removeChild(Node* child, bool cleanup) {
  if (!child) return;
  if (_children.contains(child)) detachChild(child, cleanup);
}

void Node::removeChildByTag(int tag, bool cleanup) {
  if (Node* c = getChildByTag(tag)) removeChild(c, cleanup);
}

void Node::removeChildByName(const std::string& name, bool cleanup) {
  if (Node* c = getChildByName(name)) removeChild(c, cleanup);
}

void Node::removeAllChildrenWithCleanup(bool cleanup) {
  Vector<Node*> copy = _children;
  for (Node* c : copy)
    if (c->_parent == this) detachChild(c, cleanup);
}

void Node::reorderChild(Node* child, int localZOrder) {
  std::ptrdiff_t index = _children.getIndex(child);
  if (index < 0) return;
  child->retain();
  _children.erase(static_cast<std::size_t>(index));
  insertChild(child, localZOrder);
  child->release();
}

void Node::setLocalZOrder(int localZOrder) {
  if (_parent)
    _parent->reorderChild(this, localZOrder);
  else
    _localZOrder = localZOrder;
}

// ---------------------------------------------------------------- properties

void Node::setPosition(const Vec2& position) {
  _position = position;
  _transformDirty = true;
}

void Node::setNormalizedPosition(const Vec2& p) {
  Size s = _parent ? _parent->getContentSize() : Size::ZERO;
  setPosition(p.x * s.width, p.y * s.height);
}

bool Node::isVisibleOnScreen() const {
  if (!_running) return false;
  for (const Node* n = this; n; n = n->_parent)
    if (!n->isVisible()) return false;
  return true;
}

GLubyte Node::getDisplayedOpacity() const {
  if (_parent && _parent->isCascadeOpacityEnabled())
    return static_cast<GLubyte>(_opacity * _parent->getDisplayedOpacity() / 255);
  return _opacity;
}

Color3B Node::getDisplayedColor() const {
  if (_parent && _parent->isCascadeColorEnabled()) {
    Color3B p = _parent->getDisplayedColor();
    return Color3B(static_cast<GLubyte>(_color.r * p.r / 255), static_cast<GLubyte>(_color.g * p.g / 255),
                   static_cast<GLubyte>(_color.b * p.b / 255));
  }
  return _color;
}

// ---------------------------------------------------------------- transforms

AffineTransform Node::getNodeToParentTransform() const {
  if (!_transformDirty) return _transform;
  const Vec2 ap = getAnchorPointInPoints();
  float x = _position.x, y = _position.y;
  if (_ignoreAnchorPointForPosition) {
    x += ap.x;
    y += ap.y;
  }
  float sx = _scaleX, sy = _scaleY;
  if (_rotationY != 0) sx *= std::cos(DegreesToRadians(_rotationY));
  if (_rotationX != 0) sy *= std::cos(DegreesToRadians(_rotationX));
  float c = 1, s = 0;
  if (_rotation != 0) {
    const float r = -DegreesToRadians(_rotation);  // clockwise on screen
    c = std::cos(r);
    s = std::sin(r);
  }
  AffineTransform t{c * sx, s * sx, -s * sy, c * sy, x, y};
  if (ap.x != 0 || ap.y != 0) {
    t.tx -= t.a * ap.x + t.c * ap.y;
    t.ty -= t.b * ap.x + t.d * ap.y;
  }
  _transform = t;
  _transformDirty = false;
  return t;
}

AffineTransform Node::getNodeToWorldTransform() const {
  AffineTransform t = getNodeToParentTransform();
  for (const Node* p = _parent; p; p = p->_parent) t = p->getNodeToParentTransform() * t;
  return t;
}

Vec2 Node::convertToNodeSpace(const Vec2& worldPoint) const { return getWorldToNodeTransform().apply(worldPoint); }
Vec2 Node::convertToWorldSpace(const Vec2& nodePoint) const { return getNodeToWorldTransform().apply(nodePoint); }
Vec2 Node::convertToNodeSpaceAR(const Vec2& worldPoint) const {
  return convertToNodeSpace(worldPoint) - getAnchorPointInPoints();
}
Vec2 Node::convertToWorldSpaceAR(const Vec2& nodePoint) const {
  return convertToWorldSpace(nodePoint + getAnchorPointInPoints());
}
Vec2 Node::convertTouchToNodeSpace(Touch* touch) const { return convertToNodeSpace(touch->getLocation()); }
Vec2 Node::convertTouchToNodeSpaceAR(Touch* touch) const { return convertToNodeSpaceAR(touch->getLocation()); }

Rect Node::getBoundingBox() const {
  return getNodeToParentTransform().applyToRect(Rect(0, 0, _contentSize.width, _contentSize.height));
}

// ---------------------------------------------------------------- lifecycle

void Node::onEnter() {
  // A child's onEnter may add siblings: they enter as well, each child once.
  Vector<Node*> entered;
  for (bool more = true; more;) {
    more = false;
    Vector<Node*> copy = _children;
    for (Node* c : copy) {
      if (c->_parent != this || c->_running || entered.contains(c)) continue;
      entered.pushBack(c);
      c->onEnter();
      more = true;
    }
  }
  resume();
  _running = true;
}

void Node::onExit() {
  pause();
  _running = false;
  Vector<Node*> copy = _children;
  for (Node* c : copy)
    if (c->_parent == this && c->_running) c->onExit();
}

void Node::cleanup() {
  stopAllActions();
  unscheduleAllCallbacks();
  Vector<Node*> copy = _children;
  for (Node* c : copy) c->cleanup();
}

Scene* Node::getScene() const {
  const Node* n = this;
  while (n->_parent) n = n->_parent;
  return dynamic_cast<Scene*>(const_cast<Node*>(n));
}

// ---------------------------------------------------------------- drawing

void Node::visit(Renderer* renderer, const Mat4& parentTransform, std::uint32_t parentFlags) {
  if (!_visible) return;
  const Mat4 transform = parentTransform * getNodeToParentTransform();
  std::size_t i = 0;
  for (; i < _children.size() && _children.at(i)->_localZOrder < 0; ++i)
    _children.at(i)->visit(renderer, transform, parentFlags);
  draw(renderer, transform, parentFlags);
  for (; i < _children.size(); ++i) _children.at(i)->visit(renderer, transform, parentFlags);
}

void Node::draw(Renderer*, const Mat4&, std::uint32_t) {}

// ---------------------------------------------------------------- schedules

void Node::scheduleUpdate() { scheduleUpdateWithPriority(0); }

void Node::scheduleUpdateWithPriority(int priority) {
  getScheduler()->scheduleUpdate(this, priority, !_running, [this](float dt) { update(dt); });
}

void Node::unscheduleUpdate() { getScheduler()->unscheduleUpdate(this); }

void Node::update(float) {}

void Node::schedule(SEL_SCHEDULE selector) { schedule(selector, 0.0f, CC_REPEAT_FOREVER, 0.0f); }

void Node::schedule(SEL_SCHEDULE selector, float interval) { schedule(selector, interval, CC_REPEAT_FOREVER, 0.0f); }

void Node::schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay) {
  getScheduler()->schedule(selector, this, interval, repeat, delay, !_running);
}

void Node::scheduleOnce(SEL_SCHEDULE selector, float delay) { schedule(selector, 0.0f, 0, delay); }

void Node::unschedule(SEL_SCHEDULE selector) { getScheduler()->unschedule(selector, this); }

bool Node::isScheduled(SEL_SCHEDULE selector) const { return getScheduler()->isScheduled(selector, this); }

void Node::schedule(const std::function<void(float)>& callback, const std::string& key) {
  schedule(callback, 0.0f, CC_REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const std::function<void(float)>& callback, float interval, const std::string& key) {
  schedule(callback, interval, CC_REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat, float delay,
                    const std::string& key) {
  getScheduler()->schedule(callback, static_cast<Ref*>(this), interval, repeat, delay, !_running, key);
}

void Node::scheduleOnce(const std::function<void(float)>& callback, float delay, const std::string& key) {
  schedule(callback, 0.0f, 0, delay, key);
}

void Node::unschedule(const std::string& key) { getScheduler()->unschedule(key, this); }

bool Node::isScheduled(const std::string& key) const { return getScheduler()->isScheduled(key, this); }

void Node::unscheduleAllCallbacks() { getScheduler()->unscheduleAllForTarget(this); }

void Node::resume() {
  getScheduler()->resumeTarget(this);
  getActionManager()->resumeTarget(this);
}

void Node::pause() {
  getScheduler()->pauseTarget(this);
  getActionManager()->pauseTarget(this);
}

// ---------------------------------------------------------------- actions

Action* Node::runAction(Action* action) {
  CCASSERT(action != nullptr, "runAction: action is null");
  if (!action) return nullptr;
  getActionManager()->addAction(action, this, !_running);
  return action;
}

void Node::stopAllActions() { getActionManager()->removeAllActionsFromTarget(this); }
void Node::stopAction(Action* action) { getActionManager()->removeAction(action); }
void Node::stopActionByTag(int tag) { getActionManager()->removeActionByTag(tag, this); }
void Node::stopAllActionsByTag(int tag) { getActionManager()->removeAllActionsByTag(tag, this); }
Action* Node::getActionByTag(int tag) { return getActionManager()->getActionByTag(tag, this); }
std::size_t Node::getNumberOfRunningActions() const {
  return getActionManager()->getNumberOfRunningActionsInTarget(this);
}

}  // namespace cocos2d
