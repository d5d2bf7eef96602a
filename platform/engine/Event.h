// Input events: touches (in GL coordinates, origin bottom-left), keys and the
// mouse, and the listeners that receive them.
#pragma once

#include <functional>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/engine/Ref.h"

namespace cocos2d {

class Node;

class Touch : public Ref {
 public:
  enum class DispatchMode { ALL_AT_ONCE, ONE_BY_ONE };
  Touch() = default;
  void setTouchInfo(int id, float x, float y);
  int getID() const { return _id; }
  // GL coordinates of the design resolution.
  Vec2 getLocation() const { return _point; }
  Vec2 getPreviousLocation() const { return _prevPoint; }
  Vec2 getStartLocation() const { return _startPoint; }
  Vec2 getDelta() const { return _point - _prevPoint; }

 private:
  int _id = 0;
  bool _started = false;
  Vec2 _point, _prevPoint, _startPoint;
};

class Event : public Ref {
 public:
  enum class Type { TOUCH, KEYBOARD, MOUSE, CUSTOM };
  explicit Event(Type t) : _type(t) {}
  Type getType() const { return _type; }
  void stopPropagation() { _isStopped = true; }
  bool isStopped() const { return _isStopped; }
  // The node of the listener being called (null for fixed-priority listeners).
  Node* getCurrentTarget() const { return _currentTarget; }
  void setCurrentTarget(Node* n) { _currentTarget = n; }

 private:
  Type _type;
  bool _isStopped = false;
  Node* _currentTarget = nullptr;
};

class EventTouch : public Event {
 public:
  enum class EventCode { BEGAN, MOVED, ENDED, CANCELLED };
  EventTouch() : Event(Type::TOUCH) {}
  EventCode getEventCode() const { return _eventCode; }
  void setEventCode(EventCode c) { _eventCode = c; }
  const std::vector<Touch*>& getTouches() const { return _touches; }
  void setTouches(const std::vector<Touch*>& t) { _touches = t; }

 private:
  EventCode _eventCode = EventCode::BEGAN;
  std::vector<Touch*> _touches;
};

class EventKeyboard : public Event {
 public:
  // The first codes keep the engine's numbering: the Escape/Back key is 6.
  enum class KeyCode {
    KEY_NONE = 0, KEY_PAUSE, KEY_SCROLL_LOCK, KEY_PRINT, KEY_SYSREQ, KEY_BREAK,
    KEY_ESCAPE, KEY_BACK = KEY_ESCAPE, KEY_BACKSPACE, KEY_TAB, KEY_BACK_TAB, KEY_RETURN,
    KEY_CAPS_LOCK, KEY_SHIFT, KEY_LEFT_SHIFT = KEY_SHIFT, KEY_RIGHT_SHIFT, KEY_CTRL,
    KEY_LEFT_CTRL = KEY_CTRL, KEY_RIGHT_CTRL, KEY_ALT, KEY_LEFT_ALT = KEY_ALT, KEY_RIGHT_ALT,
    KEY_MENU, KEY_HYPER, KEY_INSERT, KEY_HOME, KEY_PG_UP, KEY_DELETE, KEY_END, KEY_PG_DOWN,
    KEY_LEFT_ARROW, KEY_RIGHT_ARROW, KEY_UP_ARROW, KEY_DOWN_ARROW, KEY_NUM_LOCK, KEY_KP_PLUS,
    KEY_KP_MINUS, KEY_KP_MULTIPLY, KEY_KP_DIVIDE, KEY_KP_ENTER, KEY_KP_HOME, KEY_KP_UP,
    KEY_KP_PG_UP, KEY_KP_LEFT, KEY_KP_FIVE, KEY_KP_RIGHT, KEY_KP_END, KEY_KP_DOWN,
    KEY_KP_PG_DOWN, KEY_KP_INSERT, KEY_KP_DELETE, KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5,
    KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11, KEY_F12, KEY_SPACE,
  };
  EventKeyboard(KeyCode code, bool pressed) : Event(Type::KEYBOARD), _keyCode(code), _isPressed(pressed) {}
  KeyCode getKeyCode() const { return _keyCode; }
  bool isPressed() const { return _isPressed; }

 private:
  KeyCode _keyCode;
  bool _isPressed;
};

class EventMouse : public Event {
 public:
  enum class MouseEventType { MOUSE_NONE, MOUSE_DOWN, MOUSE_UP, MOUSE_MOVE, MOUSE_SCROLL };
  enum class MouseButton { BUTTON_UNSET = -1, BUTTON_LEFT = 0, BUTTON_RIGHT = 1, BUTTON_MIDDLE = 2 };
  explicit EventMouse(MouseEventType t) : Event(Type::MOUSE), _mouseEventType(t) {}
  MouseEventType getMouseEventType() const { return _mouseEventType; }
  void setMouseButton(MouseButton b) { _button = b; }
  MouseButton getMouseButton() const { return _button; }
  // Cursor in window coordinates (origin top-left, y down).
  void setCursorPosition(float x, float y) { _x = x; _y = y; }
  float getCursorX() const { return _x; }
  float getCursorY() const { return _y; }
  // The cursor in GL coordinates (origin bottom-left).
  Vec2 getLocation() const { return _glLocation; }
  void setLocation(const Vec2& p) { _glLocation = p; }
  void setScrollData(float x, float y) { _scrollX = x; _scrollY = y; }
  float getScrollX() const { return _scrollX; }
  float getScrollY() const { return _scrollY; }

 private:
  MouseEventType _mouseEventType;
  MouseButton _button = MouseButton::BUTTON_UNSET;
  float _x = 0, _y = 0;
  Vec2 _glLocation;
  float _scrollX = 0, _scrollY = 0;
};

class EventListener : public Ref {
 public:
  enum class Type { UNKNOWN, TOUCH_ONE_BY_ONE, TOUCH_ALL_AT_ONCE, KEYBOARD, MOUSE };
  Type getType() const { return _type; }
  void setEnabled(bool enabled) { _isEnabled = enabled; }
  bool isEnabled() const { return _isEnabled; }
  bool isRegistered() const { return _isRegistered; }
  Node* getAssociatedNode() const { return _node; }
  int getFixedPriority() const { return _fixedPriority; }

 protected:
  explicit EventListener(Type t) : _type(t) {}

 private:
  friend class EventDispatcher;
  Type _type;
  bool _isEnabled = true;
  bool _isRegistered = false;
  Node* _node = nullptr;
  int _fixedPriority = 0;
  unsigned long long _serial = 0;
};

class EventListenerTouchOneByOne : public EventListener {
 public:
  static EventListenerTouchOneByOne* create();
  void setSwallowTouches(bool swallow) { _needSwallow = swallow; }
  bool isSwallowTouches() const { return _needSwallow; }

  std::function<bool(Touch*, Event*)> onTouchBegan;
  std::function<void(Touch*, Event*)> onTouchMoved;
  std::function<void(Touch*, Event*)> onTouchEnded;
  std::function<void(Touch*, Event*)> onTouchCancelled;

 private:
  friend class EventDispatcher;
  EventListenerTouchOneByOne() : EventListener(Type::TOUCH_ONE_BY_ONE) {}
  std::vector<Touch*> _claimedTouches;
  bool _needSwallow = false;
};

class EventListenerTouchAllAtOnce : public EventListener {
 public:
  static EventListenerTouchAllAtOnce* create();
  std::function<void(const std::vector<Touch*>&, Event*)> onTouchesBegan;
  std::function<void(const std::vector<Touch*>&, Event*)> onTouchesMoved;
  std::function<void(const std::vector<Touch*>&, Event*)> onTouchesEnded;
  std::function<void(const std::vector<Touch*>&, Event*)> onTouchesCancelled;

 private:
  EventListenerTouchAllAtOnce() : EventListener(Type::TOUCH_ALL_AT_ONCE) {}
};

class EventListenerKeyboard : public EventListener {
 public:
  static EventListenerKeyboard* create();
  std::function<void(EventKeyboard::KeyCode, Event*)> onKeyPressed;
  std::function<void(EventKeyboard::KeyCode, Event*)> onKeyReleased;

 private:
  EventListenerKeyboard() : EventListener(Type::KEYBOARD) {}
};

class EventListenerMouse : public EventListener {
 public:
  static EventListenerMouse* create();
  std::function<void(EventMouse*)> onMouseDown;
  std::function<void(EventMouse*)> onMouseUp;
  std::function<void(EventMouse*)> onMouseMove;
  std::function<void(EventMouse*)> onMouseScroll;

 private:
  EventListenerMouse() : EventListener(Type::MOUSE) {}
};

}  // namespace cocos2d
