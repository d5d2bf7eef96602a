// Routes input events to listeners.
//
// Order: listeners with a negative fixed priority (lowest first), then
// listeners attached to nodes of the running scene, the top-most node first
// (the one drawn last: highest global z), then positive fixed priorities.
// Listeners of nodes that are not running get nothing.
//
// Touches: every one-by-one listener is offered the touch before the
// all-at-once listeners (as the stock engine does). A one-by-one listener whose
// onTouchBegan returns true claims the touch and then gets its moves and its
// end; when it swallows, no listener after it sees the touch at all.
#pragma once

#include <vector>

#include "platform/engine/Event.h"

namespace cocos2d {

class EventDispatcher : public Ref {
 public:
  EventDispatcher() = default;
  ~EventDispatcher() override;

  void addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node);
  void addEventListenerWithFixedPriority(EventListener* listener, int fixedPriority);
  void removeEventListener(EventListener* listener);
  void removeEventListenersForTarget(Node* target, bool recursive = false);
  void removeAllEventListeners();
  void setEnabled(bool enabled) { _enabled = enabled; }
  bool isEnabled() const { return _enabled; }

  void dispatchEvent(Event* event);
  std::size_t listenerCount() const { return _listeners.size(); }

 private:
  void addListener(EventListener* listener);
  Vector<EventListener*> orderedListeners(EventListener::Type type) const;
  void dispatchTouchEvent(EventTouch* event);
  static bool usable(const EventListener* l);

  std::vector<EventListener*> _listeners;  // each retained
  unsigned long long _nextSerial = 0;
  bool _enabled = true;
};

}  // namespace cocos2d
