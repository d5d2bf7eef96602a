// Nodes with special drawing: clipping, vector shapes, progress bars and
// particle systems. Headless, each keeps the facts a test needs (the clip
// area, the shapes, the shown part of a bar, the particle settings).
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Action.h"
#include "platform/engine/Renderer.h"
#include "platform/engine/Sprite.h"

namespace cocos2d {

class DrawNode : public Node {
 public:
  using Shape = DrawShape;  // kind: "polygon", "rect", "solidRect", "dot", "segment"
  static DrawNode* create();
  void drawPolygon(const Vec2* verts, int count, const Color4F& fillColor, float borderWidth,
                   const Color4F& borderColor);
  void drawRect(const Vec2& origin, const Vec2& destination, const Color4F& color);
  void drawSolidRect(const Vec2& origin, const Vec2& destination, const Color4F& color);
  void drawDot(const Vec2& pos, float radius, const Color4F& color);
  void drawSegment(const Vec2& from, const Vec2& to, float radius, const Color4F& color);
  void clear() { _shapes.clear(); }
  const std::vector<Shape>& getShapes() const { return _shapes; }
  // The bounding box of everything drawn, in node space.
  Rect getShapesBounds() const;
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 private:
  DrawNode() = default;
  std::vector<Shape> _shapes;
};

// Shows its children only inside the stencil's shape. The stencil is not a
// child; it is placed in the clipping node's space.
class ClippingNode : public Node {
 public:
  static ClippingNode* create();
  static ClippingNode* create(Node* stencil);
  ~ClippingNode() override;
  void setStencil(Node* stencil);
  Node* getStencil() const { return _stencil; }
  void setAlphaThreshold(float threshold) { _alphaThreshold = threshold; }
  float getAlphaThreshold() const { return _alphaThreshold; }
  void setInverted(bool inverted) { _inverted = inverted; }
  bool isInverted() const { return _inverted; }
  // The stencil's area in world space (a draw node's shapes, else its content box).
  Rect getClipRectInWorld() const;
  // Whether a world point would show a child of this node.
  bool isPointInsideClip(const Vec2& worldPoint) const;

  void onEnter() override;
  void onExit() override;
  void visit(Renderer* renderer, const Mat4& parentTransform, std::uint32_t parentFlags) override;

 private:
  ClippingNode() = default;
  Node* _stencil = nullptr;  // retained
  float _alphaThreshold = 1.0f;
  bool _inverted = false;
};

class ProgressTimer : public Node {
 public:
  enum class Type { RADIAL, BAR };
  static ProgressTimer* create(Sprite* sprite);
  ~ProgressTimer() override;
  void setType(Type type) { _type = type; }
  Type getType() const { return _type; }
  void setPercentage(float percentage);
  float getPercentage() const { return _percentage; }
  void setMidpoint(const Vec2& p) { _midpoint = p; }
  const Vec2& getMidpoint() const { return _midpoint; }
  void setBarChangeRate(const Vec2& r) { _barChangeRate = r; }
  const Vec2& getBarChangeRate() const { return _barChangeRate; }
  void setReverseDirection(bool reverse) { _reverse = reverse; }
  bool isReverseDirection() const { return _reverse; }
  Sprite* getSprite() const { return _sprite; }
  // For a bar: the part of the sprite shown, in node space.
  Rect getShownRect() const;
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 private:
  ProgressTimer() = default;
  Sprite* _sprite = nullptr;  // retained
  Type _type = Type::RADIAL;
  float _percentage = 0;
  Vec2 _midpoint{0.5f, 0.5f};
  Vec2 _barChangeRate{1, 1};
  bool _reverse = false;
};

class ProgressFromTo : public ActionInterval {
 public:
  static ProgressFromTo* create(float duration, float fromPercentage, float toPercentage);
  void update(float t) override;

 protected:
  float _from = 0, _to = 100;
};

class ProgressTo : public ProgressFromTo {
 public:
  static ProgressTo* create(float duration, float percent);
  void startWithTarget(Node* target) override;
};

// A particle system as a node that records its settings; nothing is emitted.
class ParticleSystemQuad : public Node {
 public:
  static ParticleSystemQuad* create();
  static ParticleSystemQuad* createWithTotalParticles(int count);
  ~ParticleSystemQuad() override;
  int getTotalParticles() const { return _total; }
  void setTotalParticles(int n) { _total = n; }
  void setTexture(Texture2D* texture);
  Texture2D* getTexture() const { return _texture; }
  void setBlendFunc(const BlendFunc& f) { _blendFunc = f; }
  const BlendFunc& getBlendFunc() const { return _blendFunc; }
  void setLife(float v) { _life = v; }
  float getLife() const { return _life; }
  void setLifeVar(float v) { _lifeVar = v; }
  float getLifeVar() const { return _lifeVar; }
  void setStartColor(const Color4F& c) { _startColor = c; }
  const Color4F& getStartColor() const { return _startColor; }
  void setEndColor(const Color4F& c) { _endColor = c; }
  const Color4F& getEndColor() const { return _endColor; }
  void setAngle(float v) { _angle = v; }
  void setAngleVar(float v) { _angleVar = v; }
  float getAngleVar() const { return _angleVar; }
  void setDuration(float v) { _duration = v; }
  float getDuration() const { return _duration; }
  void setEmissionRate(float v) { _emissionRate = v; }
  float getEmissionRate() const { return _emissionRate; }
  void setSpeed(float v) { _speed = v; }
  void setSpeedVar(float v) { _speedVar = v; }
  void setStartSize(float v) { _startSize = v; }
  void setEndSize(float v) { _endSize = v; }
  void setPosVar(const Vec2& v) { _posVar = v; }
  void setGravity(const Vec2& v) { _gravity = v; }
  void setAutoRemoveOnFinish(bool v) { _autoRemove = v; }
  void resetSystem() { _active = true; }
  void stopSystem() { _active = false; }
  bool isActive() const { return _active; }

 private:
  ParticleSystemQuad() = default;
  int _total = 0;
  Texture2D* _texture = nullptr;
  BlendFunc _blendFunc = BlendFunc::ALPHA_PREMULTIPLIED;
  float _life = 0, _lifeVar = 0, _angle = 0, _angleVar = 0, _duration = -1, _emissionRate = 0;
  float _speed = 0, _speedVar = 0, _startSize = 0, _endSize = 0;
  Vec2 _posVar, _gravity;
  Color4F _startColor, _endColor;
  bool _autoRemove = false;
  bool _active = true;
};

}  // namespace cocos2d
