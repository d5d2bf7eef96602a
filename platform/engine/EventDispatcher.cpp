#include "platform/engine/EventDispatcher.h"

#include <algorithm>
#include <unordered_map>

#include "platform/engine/Director.h"
#include "platform/engine/Node.h"
#include "platform/engine/Scene.h"

namespace cocos2d {

// ---------------------------------------------------------------- events

void Touch::setTouchInfo(int id, float x, float y) {
  _id = id;
  _prevPoint = _point;
  _point = Vec2(x, y);
  if (!_started) {
    _started = true;
    _startPoint = _point;
    _prevPoint = _point;
  }
}

EventListenerTouchOneByOne* EventListenerTouchOneByOne::create() {
  auto* l = new EventListenerTouchOneByOne();
  l->autorelease();
  return l;
}

EventListenerTouchAllAtOnce* EventListenerTouchAllAtOnce::create() {
  auto* l = new EventListenerTouchAllAtOnce();
  l->autorelease();
  return l;
}

EventListenerKeyboard* EventListenerKeyboard::create() {
  auto* l = new EventListenerKeyboard();
  l->autorelease();
  return l;
}

EventListenerMouse* EventListenerMouse::create() {
  auto* l = new EventListenerMouse();
  l->autorelease();
  return l;
}

// ---------------------------------------------------------------- dispatcher

EventDispatcher::~EventDispatcher() { removeAllEventListeners(); }

void EventDispatcher::addListener(EventListener* listener) {
  CCASSERT(listener && !listener->_isRegistered, "listener is null or already registered");
  if (!listener || listener->_isRegistered) return;
  listener->retain();
  listener->_isRegistered = true;
  listener->_serial = ++_nextSerial;
  _listeners.push_back(listener);
}

void EventDispatcher::addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node) {
  CCASSERT(node, "scene-graph listener needs a node");
  if (!listener || !node) return;
  listener->_node = node;
  listener->_fixedPriority = 0;
  addListener(listener);
}

void EventDispatcher::addEventListenerWithFixedPriority(EventListener* listener, int fixedPriority) {
  CCASSERT(fixedPriority != 0, "fixed priority 0 is reserved for scene-graph listeners");
  if (!listener) return;
  listener->_node = nullptr;
  listener->_fixedPriority = fixedPriority;
  addListener(listener);
}

void EventDispatcher::removeEventListener(EventListener* listener) {
  auto it = std::find(_listeners.begin(), _listeners.end(), listener);
  if (it == _listeners.end()) return;
  _listeners.erase(it);
  listener->_isRegistered = false;
  listener->_node = nullptr;
  listener->release();
}

void EventDispatcher::removeEventListenersForTarget(Node* target, bool recursive) {
  std::vector<EventListener*> doomed;
  for (EventListener* l : _listeners)
    if (l->_node == target) doomed.push_back(l);
  for (EventListener* l : doomed) removeEventListener(l);
  if (recursive)
    for (Node* child : target->getChildren()) removeEventListenersForTarget(child, true);
}

void EventDispatcher::removeAllEventListeners() {
  std::vector<EventListener*> all;
  all.swap(_listeners);
  for (EventListener* l : all) {
    l->_isRegistered = false;
    l->_node = nullptr;
    l->release();
  }
}

bool EventDispatcher::usable(const EventListener* l) {
  return l->_isRegistered && l->_isEnabled && (l->_node == nullptr || l->_node->isRunning());
}

namespace {
// Visit order of the running scene: children with negative z, the node, then
// the other children. A higher number is drawn later, so it is nearer the top.
void NumberNodes(const Node* node, std::unordered_map<const Node*, int>& order, int& next) {
  const auto& children = node->getChildren();
  std::size_t i = 0;
  for (; i < children.size() && children.at(i)->getLocalZOrder() < 0; ++i) NumberNodes(children.at(i), order, next);
  order[node] = next++;
  for (; i < children.size(); ++i) NumberNodes(children.at(i), order, next);
}
}  // namespace

Vector<EventListener*> EventDispatcher::orderedListeners(EventListener::Type type) const {
  std::vector<EventListener*> fixedLow, graph, fixedHigh;
  for (EventListener* l : _listeners) {
    if (l->_type != type) continue;
    if (l->_node)
      graph.push_back(l);
    else if (l->_fixedPriority < 0)
      fixedLow.push_back(l);
    else
      fixedHigh.push_back(l);
  }
  auto byPriority = [](EventListener* a, EventListener* b) {
    return a->_fixedPriority != b->_fixedPriority ? a->_fixedPriority < b->_fixedPriority : a->_serial < b->_serial;
  };
  std::sort(fixedLow.begin(), fixedLow.end(), byPriority);
  std::sort(fixedHigh.begin(), fixedHigh.end(), byPriority);

  std::unordered_map<const Node*, int> order;
  if (!graph.empty()) {
    if (Scene* scene = Director::getInstance()->getRunningScene()) {
      int next = 0;
      NumberNodes(scene, order, next);
    }
  }
  graph.erase(std::remove_if(graph.begin(), graph.end(), [&](EventListener* l) { return !order.count(l->_node); }),
              graph.end());
  std::sort(graph.begin(), graph.end(), [&](EventListener* a, EventListener* b) {
    int oa = order[a->_node], ob = order[b->_node];
    return oa != ob ? oa > ob : a->_serial < b->_serial;
  });

  Vector<EventListener*> out;
  out.reserve(fixedLow.size() + graph.size() + fixedHigh.size());
  for (auto* group : {&fixedLow, &graph, &fixedHigh})
    for (EventListener* l : *group) out.pushBack(l);
  return out;
}

void EventDispatcher::dispatchEvent(Event* event) {
  if (!_enabled || !event) return;
  event->retain();
  switch (event->getType()) {
    case Event::Type::TOUCH:
      dispatchTouchEvent(static_cast<EventTouch*>(event));
      break;
    case Event::Type::KEYBOARD: {
      auto* key = static_cast<EventKeyboard*>(event);
      Vector<EventListener*> list = orderedListeners(EventListener::Type::KEYBOARD);
      for (EventListener* l : list) {
        if (!usable(l)) continue;
        auto* kl = static_cast<EventListenerKeyboard*>(l);
        auto& cb = key->isPressed() ? kl->onKeyPressed : kl->onKeyReleased;
        if (!cb) continue;
        Node* node = l->_node;
        CC_SAFE_RETAIN(node);
        event->setCurrentTarget(node);
        auto fn = cb;
        fn(key->getKeyCode(), event);
        CC_SAFE_RELEASE(node);
        if (event->isStopped()) break;
      }
      break;
    }
    case Event::Type::MOUSE: {
      auto* mouse = static_cast<EventMouse*>(event);
      Vector<EventListener*> list = orderedListeners(EventListener::Type::MOUSE);
      for (EventListener* l : list) {
        if (!usable(l)) continue;
        auto* ml = static_cast<EventListenerMouse*>(l);
        std::function<void(EventMouse*)>* cb = nullptr;
        switch (mouse->getMouseEventType()) {
          case EventMouse::MouseEventType::MOUSE_DOWN: cb = &ml->onMouseDown; break;
          case EventMouse::MouseEventType::MOUSE_UP: cb = &ml->onMouseUp; break;
          case EventMouse::MouseEventType::MOUSE_MOVE: cb = &ml->onMouseMove; break;
          case EventMouse::MouseEventType::MOUSE_SCROLL: cb = &ml->onMouseScroll; break;
          default: break;
        }
        if (!cb || !*cb) continue;
        Node* node = l->_node;
        CC_SAFE_RETAIN(node);
        event->setCurrentTarget(node);
        auto fn = *cb;
        fn(mouse);
        CC_SAFE_RELEASE(node);
        if (event->isStopped()) break;
      }
      break;
    }
    case Event::Type::CUSTOM:
      break;
  }
  event->release();
}

void EventDispatcher::dispatchTouchEvent(EventTouch* event) {
  const auto code = event->getEventCode();
  std::vector<Touch*> remaining = event->getTouches();

  Vector<EventListener*> oneByOne = orderedListeners(EventListener::Type::TOUCH_ONE_BY_ONE);
  for (Touch* touch : event->getTouches()) {
    for (EventListener* base : oneByOne) {
      auto* l = static_cast<EventListenerTouchOneByOne*>(base);
      auto claimedAt = std::find(l->_claimedTouches.begin(), l->_claimedTouches.end(), touch);
      const bool hadClaim = claimedAt != l->_claimedTouches.end();
      if (!usable(l)) {
        if (hadClaim && code != EventTouch::EventCode::BEGAN && code != EventTouch::EventCode::MOVED)
          l->_claimedTouches.erase(claimedAt);
        continue;
      }
      Node* node = l->_node;
      CC_SAFE_RETAIN(node);
      event->setCurrentTarget(node);
      bool claimed = false;
      switch (code) {
        case EventTouch::EventCode::BEGAN:
          if (l->onTouchBegan) {
            auto fn = l->onTouchBegan;
            claimed = fn(touch, event);
            if (claimed && l->_isRegistered) l->_claimedTouches.push_back(touch);
          }
          break;
        case EventTouch::EventCode::MOVED:
          if (hadClaim) {
            claimed = true;
            if (l->onTouchMoved) { auto fn = l->onTouchMoved; fn(touch, event); }
          }
          break;
        case EventTouch::EventCode::ENDED:
        case EventTouch::EventCode::CANCELLED:
          if (hadClaim) {
            claimed = true;
            l->_claimedTouches.erase(
                std::find(l->_claimedTouches.begin(), l->_claimedTouches.end(), touch));
            auto& cb = code == EventTouch::EventCode::ENDED ? l->onTouchEnded : l->onTouchCancelled;
            if (cb) { auto fn = cb; fn(touch, event); }
          }
          break;
      }
      CC_SAFE_RELEASE(node);
      if (event->isStopped()) return;
      if (claimed && l->_needSwallow) {
        remaining.erase(std::remove(remaining.begin(), remaining.end(), touch), remaining.end());
        break;
      }
    }
  }

  if (remaining.empty()) return;
  Vector<EventListener*> allAtOnce = orderedListeners(EventListener::Type::TOUCH_ALL_AT_ONCE);
  for (EventListener* base : allAtOnce) {
    if (!usable(base)) continue;
    auto* l = static_cast<EventListenerTouchAllAtOnce*>(base);
    std::function<void(const std::vector<Touch*>&, Event*)>* cb = nullptr;
    switch (code) {
      case EventTouch::EventCode::BEGAN: cb = &l->onTouchesBegan; break;
      case EventTouch::EventCode::MOVED: cb = &l->onTouchesMoved; break;
      case EventTouch::EventCode::ENDED: cb = &l->onTouchesEnded; break;
      case EventTouch::EventCode::CANCELLED: cb = &l->onTouchesCancelled; break;
    }
    if (!cb || !*cb) continue;
    Node* node = l->_node;
    CC_SAFE_RETAIN(node);
    event->setCurrentTarget(node);
    auto fn = *cb;
    fn(remaining, event);
    CC_SAFE_RELEASE(node);
    if (event->isStopped()) return;
  }
}

}  // namespace cocos2d
