#include "platform/engine/SpecialNodes.h"

#include <algorithm>

#include "platform/engine/Renderer.h"

namespace cocos2d {

// ---------------------------------------------------------------- DrawNode

DrawNode* DrawNode::create() {
  auto* d = new DrawNode();
  d->autorelease();
  return d;
}

void DrawNode::drawPolygon(const Vec2* verts, int count, const Color4F& fillColor, float borderWidth,
                           const Color4F& borderColor) {
  if (!verts || count <= 0) return;
  _shapes.push_back({"polygon", std::vector<Vec2>(verts, verts + count), fillColor, borderWidth, borderColor});
}

void DrawNode::drawRect(const Vec2& origin, const Vec2& destination, const Color4F& color) {
  _shapes.push_back({"rect", {origin, destination}, Color4F(), 1, color});
}

void DrawNode::drawSolidRect(const Vec2& origin, const Vec2& destination, const Color4F& color) {
  _shapes.push_back({"solidRect", {origin, destination}, color, 0, Color4F()});
}

void DrawNode::drawDot(const Vec2& pos, float radius, const Color4F& color) {
  _shapes.push_back({"dot", {pos - Vec2(radius, radius), pos + Vec2(radius, radius)}, color, 0, Color4F()});
}

void DrawNode::drawSegment(const Vec2& from, const Vec2& to, float radius, const Color4F& color) {
  _shapes.push_back({"segment", {from, to}, Color4F(), radius, color});
}

Rect DrawNode::getShapesBounds() const {
  bool any = false;
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (const Shape& s : _shapes) {
    for (const Vec2& p : s.points) {
      if (!any) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        any = true;
      }
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    }
  }
  return any ? Rect(minX, minY, maxX - minX, maxY - minY) : Rect::ZERO;
}

void DrawNode::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (_shapes.empty()) return;
  const Rect b = getShapesBounds();
  DrawCommand& c = NextDrawCommand(this, transform * AffineTransform{1, 0, 0, 1, b.origin.x, b.origin.y}, b.size,
                                   getDisplayedOpacity(), getDisplayedColor(), "DrawNode", DrawKind::Shapes);
  c.shapes = &_shapes;
  // The shapes are in node space; the backend draws them with the node's own transform.
  c.quad = Rect(b.origin, b.size);
  renderer->submit(c);
}

// ---------------------------------------------------------------- ClippingNode

ClippingNode* ClippingNode::create() {
  auto* c = new ClippingNode();
  c->autorelease();
  return c;
}

ClippingNode* ClippingNode::create(Node* stencil) {
  ClippingNode* c = create();
  c->setStencil(stencil);
  return c;
}

ClippingNode::~ClippingNode() { CC_SAFE_RELEASE(_stencil); }

void ClippingNode::setStencil(Node* stencil) {
  if (stencil == _stencil) return;
  if (_stencil && _running) _stencil->onExit();
  CC_SAFE_RETAIN(stencil);
  CC_SAFE_RELEASE(_stencil);
  _stencil = stencil;
  if (_stencil && _running) _stencil->onEnter();
}

void ClippingNode::onEnter() {
  Node::onEnter();
  if (_stencil && !_stencil->isRunning()) _stencil->onEnter();  // a moving stencil runs its actions
}

void ClippingNode::onExit() {
  if (_stencil && _stencil->isRunning()) _stencil->onExit();
  Node::onExit();
}

Rect ClippingNode::getClipRectInWorld() const {
  if (!_stencil) return Rect::ZERO;
  const AffineTransform t = getNodeToWorldTransform() * _stencil->getNodeToParentTransform();
  Rect local(0, 0, _stencil->getContentSize().width, _stencil->getContentSize().height);
  if (auto* d = dynamic_cast<const DrawNode*>(_stencil)) local = d->getShapesBounds();
  return t.applyToRect(local);
}

bool ClippingNode::isPointInsideClip(const Vec2& worldPoint) const {
  if (!_stencil) return _inverted;
  return getClipRectInWorld().containsPoint(worldPoint) != _inverted;
}

void ClippingNode::visit(Renderer* renderer, const Mat4& parentTransform, std::uint32_t parentFlags) {
  if (!_visible) return;
  renderer->pushClip(getClipRectInWorld());
  Node::visit(renderer, parentTransform, parentFlags);
  renderer->popClip();
}

// ---------------------------------------------------------------- ProgressTimer

ProgressTimer* ProgressTimer::create(Sprite* sprite) {
  auto* p = new ProgressTimer();
  p->setAnchorPoint(Vec2(0.5f, 0.5f));
  if (sprite) {
    sprite->retain();
    p->_sprite = sprite;
    p->setContentSize(sprite->getContentSize());
  }
  p->autorelease();
  return p;
}

ProgressTimer::~ProgressTimer() { CC_SAFE_RELEASE(_sprite); }

void ProgressTimer::setPercentage(float percentage) { _percentage = std::clamp(percentage, 0.0f, 100.0f); }

Rect ProgressTimer::getShownRect() const {
  const float alpha = _percentage / 100.0f;
  const Vec2 half((1.0f - _barChangeRate.x + alpha * _barChangeRate.x) * 0.5f,
                  (1.0f - _barChangeRate.y + alpha * _barChangeRate.y) * 0.5f);
  Vec2 lo = _midpoint - half, hi = _midpoint + half;
  // Keep the shown part inside the sprite, growing from the side the midpoint touches.
  if (lo.x < 0) { hi.x += -lo.x; lo.x = 0; }
  if (hi.x > 1) { lo.x -= hi.x - 1; hi.x = 1; }
  if (lo.y < 0) { hi.y += -lo.y; lo.y = 0; }
  if (hi.y > 1) { lo.y -= hi.y - 1; hi.y = 1; }
  if (_reverse) {  // the bar fills from the other end
    if (_barChangeRate.x != 0) { const float l = 1 - hi.x; hi.x = 1 - lo.x; lo.x = l; }
    if (_barChangeRate.y != 0) { const float l = 1 - hi.y; hi.y = 1 - lo.y; lo.y = l; }
  }
  const Size s = _contentSize;
  return Rect(lo.x * s.width, lo.y * s.height, (hi.x - lo.x) * s.width, (hi.y - lo.y) * s.height);
}

void ProgressTimer::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (!_sprite || _percentage <= 0) return;
  const Rect shown = getShownRect();
  DrawCommand& c = NextDrawCommand(this, transform, shown.size, getDisplayedOpacity(), getDisplayedColor(),
                                   _sprite->getDisplayName());
  _sprite->describeImage(&c);
  // The bar shows the matching part of the sprite's image (radial bars are drawn whole).
  if (_type == Type::BAR && _contentSize.width > 0 && _contentSize.height > 0 && !c.rotated) {
    const Rect& r = c.textureRect;
    const float fx = r.size.width / _contentSize.width, fy = r.size.height / _contentSize.height;
    c.textureRect = Rect(r.origin.x + shown.origin.x * fx,
                         r.origin.y + (_contentSize.height - shown.origin.y - shown.size.height) * fy,
                         shown.size.width * fx, shown.size.height * fy);
    c.quad = shown;
  } else if (_type == Type::BAR) {
    c.quad = shown;
  }
  renderer->submit(c);
}

ProgressFromTo* ProgressFromTo::create(float duration, float fromPercentage, float toPercentage) {
  auto* a = new ProgressFromTo();
  a->initWithDuration(duration);
  a->_from = fromPercentage;
  a->_to = toPercentage;
  a->autorelease();
  return a;
}

void ProgressFromTo::update(float t) {
  if (auto* p = dynamic_cast<ProgressTimer*>(_target)) p->setPercentage(t >= 1.0f ? _to : _from + (_to - _from) * t);
}

ProgressTo* ProgressTo::create(float duration, float percent) {
  auto* a = new ProgressTo();
  a->initWithDuration(duration);
  a->_to = percent;
  a->autorelease();
  return a;
}

void ProgressTo::startWithTarget(Node* target) {
  ProgressFromTo::startWithTarget(target);
  if (auto* p = dynamic_cast<ProgressTimer*>(target)) _from = p->getPercentage();
}

// ---------------------------------------------------------------- ParticleSystemQuad

ParticleSystemQuad* ParticleSystemQuad::create() {
  auto* p = new ParticleSystemQuad();
  p->autorelease();
  return p;
}

ParticleSystemQuad* ParticleSystemQuad::createWithTotalParticles(int count) {
  ParticleSystemQuad* p = create();
  p->_total = count;
  return p;
}

ParticleSystemQuad::~ParticleSystemQuad() { CC_SAFE_RELEASE(_texture); }

void ParticleSystemQuad::setTexture(Texture2D* texture) {
  CC_SAFE_RETAIN(texture);
  CC_SAFE_RELEASE(_texture);
  _texture = texture;
}

}  // namespace cocos2d
