// Layers: full-window nodes that take touches, keys and mouse events.
//
// Touch input: `setTouchEnabled(true)` registers the layer on its own node's
// scene-graph priority, in the current touch mode. All-at-once (the default)
// calls onTouchesBegan/Moved/Ended with every touch; one-by-one calls
// onTouchBegan, and a layer that returns true claims the touch: it gets its
// moves and its end, and no listener below it sees the touch.
// `setTouchEnabled(enable, flag)` is this engine build's two-argument form;
// the second argument is kept (`getTouchExtraFlag`) and changes nothing.
#pragma once

#include <vector>

#include "platform/engine/Event.h"
#include "platform/engine/Node.h"

namespace cocos2d {

class Layer : public Node {
 public:
  static Layer* create();
  bool init() override;
  ~Layer() override;

  virtual void setTouchEnabled(bool enabled);
  virtual void setTouchEnabled(bool enabled, bool flag);
  virtual bool isTouchEnabled() const { return _touchEnabled; }
  bool getTouchExtraFlag() const { return _touchExtraFlag; }
  virtual void setTouchMode(Touch::DispatchMode mode);
  virtual Touch::DispatchMode getTouchMode() const { return _touchMode; }
  virtual void setSwallowsTouches(bool swallows);
  virtual bool isSwallowsTouches() const { return _swallowsTouches; }
  virtual void setKeyboardEnabled(bool enabled);
  virtual void setKeypadEnabled(bool enabled) { setKeyboardEnabled(enabled); }
  virtual bool isKeyboardEnabled() const { return _keyboardEnabled; }
  virtual void setMouseEnabled(bool enabled);
  virtual bool isMouseEnabled() const { return _mouseEnabled; }

  virtual bool onTouchBegan(Touch* touch, Event* event);
  virtual void onTouchMoved(Touch* touch, Event* event);
  virtual void onTouchEnded(Touch* touch, Event* event);
  virtual void onTouchCancelled(Touch* touch, Event* event);
  virtual void onTouchesBegan(const std::vector<Touch*>& touches, Event* event);
  virtual void onTouchesMoved(const std::vector<Touch*>& touches, Event* event);
  virtual void onTouchesEnded(const std::vector<Touch*>& touches, Event* event);
  virtual void onTouchesCancelled(const std::vector<Touch*>& touches, Event* event);
  virtual void onKeyPressed(EventKeyboard::KeyCode keyCode, Event* event);
  virtual void onKeyReleased(EventKeyboard::KeyCode keyCode, Event* event);
  virtual void onMouseDown(EventMouse* event);
  virtual void onMouseUp(EventMouse* event);
  virtual void onMouseMove(EventMouse* event);
  virtual void onMouseScroll(EventMouse* event);

 protected:
  Layer();
  void updateTouchListener();

  bool _touchEnabled = false;
  bool _touchExtraFlag = true;
  bool _swallowsTouches = true;
  bool _keyboardEnabled = false;
  bool _mouseEnabled = false;
  Touch::DispatchMode _touchMode = Touch::DispatchMode::ALL_AT_ONCE;
  EventListener* _touchListener = nullptr;
  EventListener* _keyboardListener = nullptr;
  EventListener* _mouseListener = nullptr;
};

// A layer filled with one colour (alpha is its opacity).
class LayerColor : public Layer {
 public:
  static LayerColor* create();
  static LayerColor* create(const Color4B& color);
  static LayerColor* create(const Color4B& color, float width, float height);
  bool initWithColor(const Color4B& color, float width, float height);
  void changeWidth(float w) { setContentSize(Size(w, _contentSize.height)); }
  void changeHeight(float h) { setContentSize(Size(_contentSize.width, h)); }
  BlendFunc getBlendFunc() const { return _blendFunc; }
  void setBlendFunc(const BlendFunc& f) { _blendFunc = f; }
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 protected:
  LayerColor() = default;
  BlendFunc _blendFunc = BlendFunc::ALPHA_NON_PREMULTIPLIED;
};

}  // namespace cocos2d
