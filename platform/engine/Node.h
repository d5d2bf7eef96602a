// The scene-graph node: a tree of children kept in local z-order (then order of
// arrival), a 2D transform, visibility, opacity and colour, the running state
// between onEnter and onExit, and the node's schedules and actions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/engine/Math.h"
#include "platform/engine/Ref.h"

namespace cocos2d {

class Action;
class ActionManager;
class Scheduler;
class EventDispatcher;
class Renderer;
class Touch;
class Scene;

class Node : public Ref {
 public:
  static constexpr int INVALID_TAG = -1;

  static Node* create();
  virtual bool init();
  ~Node() override;

  // ---- tree ----
  virtual void addChild(Node* child);
  virtual void addChild(Node* child, int localZOrder);
  virtual void addChild(Node* child, int localZOrder, int tag);
  virtual void addChild(Node* child, int localZOrder, const std::string& name);
  virtual Node* getChildByTag(int tag) const;
  virtual Node* getChildByName(const std::string& name) const;
  // Children in drawing order: local z-order, then order of arrival.
  virtual Vector<Node*>& getChildren() { return _children; }
  virtual const Vector<Node*>& getChildren() const { return _children; }
  virtual std::size_t getChildrenCount() const { return _children.size(); }
  virtual void setParent(Node* parent) { _parent = parent; }
  Node* getParent() const { return _parent; }
  virtual void removeFromParent() { removeFromParentAndCleanup(true); }
  virtual void removeFromParentAndCleanup(bool cleanup);
  virtual void removeChild(Node* child, bool cleanup = true);
  virtual void removeChildByTag(int tag, bool cleanup = true);
  virtual void removeChildByName(const std::string& name, bool cleanup = true);
  virtual void removeAllChildren() { removeAllChildrenWithCleanup(true); }
  virtual void removeAllChildrenWithCleanup(bool cleanup);
  virtual void reorderChild(Node* child, int localZOrder);
  virtual void sortAllChildren() {}  // children are always kept sorted

  virtual void setLocalZOrder(int localZOrder);
  virtual int getLocalZOrder() const { return _localZOrder; }
  void setZOrder(int z) { setLocalZOrder(z); }
  int getZOrder() const { return _localZOrder; }
  std::uint64_t getOrderOfArrival() const { return _orderOfArrival; }

  virtual void setTag(int tag) { _tag = tag; }
  virtual int getTag() const { return _tag; }
  virtual void setName(const std::string& name) { _name = name; }
  virtual const std::string& getName() const { return _name; }
  void setUserData(void* data) { _userData = data; }
  void* getUserData() const { return _userData; }
  void setUserObject(Ref* object);
  Ref* getUserObject() const { return _userObject; }

  // ---- geometry ----
  virtual void setPosition(const Vec2& position);
  virtual void setPosition(float x, float y) { setPosition(Vec2(x, y)); }
  virtual const Vec2& getPosition() const { return _position; }
  virtual void getPosition(float* x, float* y) const { *x = _position.x; *y = _position.y; }
  virtual void setPositionX(float x) { setPosition(x, _position.y); }
  virtual void setPositionY(float y) { setPosition(_position.x, y); }
  virtual float getPositionX() const { return _position.x; }
  virtual float getPositionY() const { return _position.y; }
  // Position as a fraction of the parent's content size.
  virtual void setNormalizedPosition(const Vec2& p);
  virtual void setAnchorPoint(const Vec2& anchor) {
    _anchorPoint = anchor;
    _transformDirty = true;
  }
  virtual const Vec2& getAnchorPoint() const { return _anchorPoint; }
  Vec2 getAnchorPointInPoints() const {
    return {_anchorPoint.x * _contentSize.width, _anchorPoint.y * _contentSize.height};
  }
  virtual void setIgnoreAnchorPointForPosition(bool ignore) {
    _ignoreAnchorPointForPosition = ignore;
    _transformDirty = true;
  }
  virtual bool isIgnoreAnchorPointForPosition() const { return _ignoreAnchorPointForPosition; }
  virtual void setContentSize(const Size& size) {
    _contentSize = size;
    _transformDirty = true;
  }
  virtual const Size& getContentSize() const { return _contentSize; }

  virtual void setScale(float scale) {
    _scaleX = _scaleY = scale;
    _transformDirty = true;
  }
  virtual void setScale(float sx, float sy) {
    _scaleX = sx;
    _scaleY = sy;
    _transformDirty = true;
  }
  virtual void setScaleX(float sx) {
    _scaleX = sx;
    _transformDirty = true;
  }
  virtual void setScaleY(float sy) {
    _scaleY = sy;
    _transformDirty = true;
  }
  // The uniform scale (the x scale; the engine's getter asks for sx == sy).
  virtual float getScale() const { return _scaleX; }
  virtual float getScaleX() const { return _scaleX; }
  virtual float getScaleY() const { return _scaleY; }
  // Degrees, clockwise.
  virtual void setRotation(float degrees) {
    _rotation = degrees;
    _transformDirty = true;
  }
  virtual float getRotation() const { return _rotation; }
  // Rotation about the x and y axes (degrees). Drawn flat: a turn about the
  // vertical axis narrows the node by cos(angle), one about the horizontal
  // axis flattens it by cos(angle).
  virtual void setRotation3D(const Vec3& r) {
    _rotationX = r.x;
    _rotationY = r.y;
    _rotation = r.z;
    _transformDirty = true;
  }
  virtual Vec3 getRotation3D() const { return {_rotationX, _rotationY, _rotation}; }
  virtual void setSkewX(float) {}
  virtual void setSkewY(float) {}

  virtual void setVisible(bool visible) { _visible = visible; }
  virtual bool isVisible() const { return _visible; }
  // True when the node and every ancestor are visible and the node is running.
  bool isVisibleOnScreen() const;

  virtual void setOpacity(GLubyte opacity) { _opacity = opacity; }
  virtual GLubyte getOpacity() const { return _opacity; }
  // Opacity as drawn: multiplied down from ancestors that cascade opacity.
  virtual GLubyte getDisplayedOpacity() const;
  virtual void setCascadeOpacityEnabled(bool enabled) { _cascadeOpacityEnabled = enabled; }
  virtual bool isCascadeOpacityEnabled() const { return _cascadeOpacityEnabled; }
  virtual void setColor(const Color3B& color) { _color = color; }
  virtual const Color3B& getColor() const { return _color; }
  virtual Color3B getDisplayedColor() const;
  virtual void setCascadeColorEnabled(bool enabled) { _cascadeColorEnabled = enabled; }
  virtual bool isCascadeColorEnabled() const { return _cascadeColorEnabled; }
  virtual void setOpacityModifyRGB(bool) {}
  virtual bool isOpacityModifyRGB() const { return false; }

  // ---- transforms ----
  // Kept from one call to the next until a setter above changes what it is
  // made of (position, anchor, content size, scales, rotations).
  virtual AffineTransform getNodeToParentTransform() const;
  AffineTransform getParentToNodeTransform() const { return getNodeToParentTransform().inverse(); }
  AffineTransform getNodeToWorldTransform() const;
  AffineTransform getWorldToNodeTransform() const { return getNodeToWorldTransform().inverse(); }
  Vec2 convertToNodeSpace(const Vec2& worldPoint) const;
  Vec2 convertToWorldSpace(const Vec2& nodePoint) const;
  Vec2 convertToNodeSpaceAR(const Vec2& worldPoint) const;
  Vec2 convertToWorldSpaceAR(const Vec2& nodePoint) const;
  Vec2 convertTouchToNodeSpace(Touch* touch) const;
  Vec2 convertTouchToNodeSpaceAR(Touch* touch) const;
  // The content rectangle in the parent's space.
  virtual Rect getBoundingBox() const;

  // ---- lifecycle ----
  virtual void onEnter();
  virtual void onEnterTransitionDidFinish() {}
  virtual void onExitTransitionDidStart() {}
  virtual void onExit();
  // Stops the node's actions and schedules, and those of its children.
  virtual void cleanup();
  virtual bool isRunning() const { return _running; }
  // The scene the node belongs to, or null.
  Scene* getScene() const;

  // ---- drawing ----
  virtual void visit(Renderer* renderer, const Mat4& parentTransform, std::uint32_t parentFlags);
  virtual void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags);

  // ---- schedules ----
  void scheduleUpdate();
  void scheduleUpdateWithPriority(int priority);
  void unscheduleUpdate();
  virtual void update(float dt);
  // First call `interval` seconds after scheduling (every frame for 0).
  void schedule(SEL_SCHEDULE selector);
  void schedule(SEL_SCHEDULE selector, float interval);
  void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
  void scheduleOnce(SEL_SCHEDULE selector, float delay);
  void unschedule(SEL_SCHEDULE selector);
  bool isScheduled(SEL_SCHEDULE selector) const;
  void schedule(const std::function<void(float)>& callback, const std::string& key);
  void schedule(const std::function<void(float)>& callback, float interval, const std::string& key);
  void schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat, float delay,
                const std::string& key);
  void scheduleOnce(const std::function<void(float)>& callback, float delay, const std::string& key);
  void unschedule(const std::string& key);
  bool isScheduled(const std::string& key) const;
  void unscheduleAllCallbacks();
  void unscheduleAllSelectors() { unscheduleAllCallbacks(); }
  virtual void resume();
  virtual void pause();

  // ---- actions ----
  virtual Action* runAction(Action* action);
  void stopAllActions();
  void stopAction(Action* action);
  void stopActionByTag(int tag);
  void stopAllActionsByTag(int tag);
  Action* getActionByTag(int tag);
  std::size_t getNumberOfRunningActions() const;

  Scheduler* getScheduler() const;
  ActionManager* getActionManager() const;
  EventDispatcher* getEventDispatcher() const;

 protected:
  Node();
  void insertChild(Node* child, int z);
  void detachChild(Node* child, bool cleanup);

  Node* _parent = nullptr;
  Vector<Node*> _children;
  int _localZOrder = 0;
  std::uint64_t _orderOfArrival = 0;
  int _tag = INVALID_TAG;
  std::string _name;
  void* _userData = nullptr;
  Ref* _userObject = nullptr;

  Vec2 _position;
  Vec2 _anchorPoint;
  Size _contentSize;
  bool _ignoreAnchorPointForPosition = false;
  float _scaleX = 1, _scaleY = 1;
  float _rotation = 0, _rotationX = 0, _rotationY = 0;
  // A subclass that writes one of the fields above directly sets this.
  mutable bool _transformDirty = true;
  mutable AffineTransform _transform;
  bool _visible = true;
  GLubyte _opacity = 255;
  Color3B _color = Color3B::WHITE;
  bool _cascadeOpacityEnabled = false;
  bool _cascadeColorEnabled = false;
  bool _running = false;
};

}  // namespace cocos2d
