#include "platform/engine/Math.h"

#include <algorithm>

namespace cocos2d {

const Vec2 Vec2::ZERO(0, 0);
const Vec2 Vec2::ONE(1, 1);
const Vec2 Vec2::ANCHOR_MIDDLE(0.5f, 0.5f);
const Vec2 Vec2::ANCHOR_BOTTOM_LEFT(0, 0);
const Vec2 Vec2::ANCHOR_TOP_LEFT(0, 1);
const Vec2 Vec2::ANCHOR_BOTTOM_RIGHT(1, 0);
const Vec2 Vec2::ANCHOR_TOP_RIGHT(1, 1);
const Vec2 Vec2::ANCHOR_MIDDLE_LEFT(0, 0.5f);
const Vec2 Vec2::ANCHOR_MIDDLE_RIGHT(1, 0.5f);
const Vec2 Vec2::ANCHOR_MIDDLE_TOP(0.5f, 1);
const Vec2 Vec2::ANCHOR_MIDDLE_BOTTOM(0.5f, 0);
const Vec3 Vec3::ZERO(0, 0, 0);
const Size Size::ZERO(0, 0);
const Rect Rect::ZERO(0, 0, 0, 0);

const Color3B Color3B::WHITE(255, 255, 255);
const Color3B Color3B::BLACK(0, 0, 0);
const Color3B Color3B::RED(255, 0, 0);
const Color3B Color3B::GREEN(0, 255, 0);
const Color3B Color3B::BLUE(0, 0, 255);
const Color3B Color3B::YELLOW(255, 255, 0);
const Color3B Color3B::ORANGE(255, 127, 0);
const Color3B Color3B::GRAY(166, 166, 166);
const Color4B Color4B::WHITE(255, 255, 255, 255);
const Color4B Color4B::BLACK(0, 0, 0, 255);
const Color4F Color4F::WHITE(1, 1, 1, 1);
const Color4F Color4F::BLACK(0, 0, 0, 1);

Color3B::Color3B(const Color4B& c) : r(c.r), g(c.g), b(c.b) {}

const BlendFunc BlendFunc::DISABLE{GL_ONE, GL_ZERO};
const BlendFunc BlendFunc::ALPHA_PREMULTIPLIED{GL_ONE, GL_ONE_MINUS_SRC_ALPHA};
const BlendFunc BlendFunc::ALPHA_NON_PREMULTIPLIED{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA};
const BlendFunc BlendFunc::ADDITIVE{GL_SRC_ALPHA, GL_ONE};

const AffineTransform AffineTransform::IDENTITY{};

Rect Rect::unionWithRect(const Rect& r) const {
  float minX = std::min(getMinX(), r.getMinX()), minY = std::min(getMinY(), r.getMinY());
  float maxX = std::max(getMaxX(), r.getMaxX()), maxY = std::max(getMaxY(), r.getMaxY());
  return Rect(minX, minY, maxX - minX, maxY - minY);
}

AffineTransform AffineTransform::inverse() const {
  float det = a * d - b * c;
  if (det == 0) return IDENTITY;  // a degenerate transform (scale 0) has no inverse
  float id = 1.0f / det;
  return {id * d, -id * b, -id * c, id * a, id * (c * ty - d * tx), id * (b * tx - a * ty)};
}

Rect AffineTransform::applyToRect(const Rect& r) const {
  Vec2 p[4] = {apply({r.getMinX(), r.getMinY()}), apply({r.getMaxX(), r.getMinY()}),
               apply({r.getMinX(), r.getMaxY()}), apply({r.getMaxX(), r.getMaxY()})};
  float minX = p[0].x, maxX = p[0].x, minY = p[0].y, maxY = p[0].y;
  for (const Vec2& q : p) {
    minX = std::min(minX, q.x); maxX = std::max(maxX, q.x);
    minY = std::min(minY, q.y); maxY = std::max(maxY, q.y);
  }
  return Rect(minX, minY, maxX - minX, maxY - minY);
}

}  // namespace cocos2d
