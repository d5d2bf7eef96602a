// Value types of the engine: points, sizes, rectangles, colours, blend
// functions and the 2D node transform. Everything is plain float arithmetic so
// the same inputs always give the same results on every machine.
#pragma once

#include <cmath>
#include <cstdint>

namespace cocos2d {

using GLubyte = std::uint8_t;
using GLenum = unsigned int;
using GLint = int;
using GLfloat = float;
using GLsizei = int;

constexpr float kPi = 3.14159265358979323846f;
inline float DegreesToRadians(float d) { return d * kPi / 180.0f; }
inline float RadiansToDegrees(float r) { return r * 180.0f / kPi; }
#define CC_DEGREES_TO_RADIANS(a) ::cocos2d::DegreesToRadians(a)
#define CC_RADIANS_TO_DEGREES(a) ::cocos2d::RadiansToDegrees(a)

struct Vec2 {
  float x = 0, y = 0;
  constexpr Vec2() = default;
  constexpr Vec2(float xx, float yy) : x(xx), y(yy) {}

  Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
  Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
  Vec2 operator-() const { return {-x, -y}; }
  Vec2 operator*(float s) const { return {x * s, y * s}; }
  Vec2 operator/(float s) const { return {x / s, y / s}; }
  Vec2& operator+=(const Vec2& o) { x += o.x; y += o.y; return *this; }
  Vec2& operator-=(const Vec2& o) { x -= o.x; y -= o.y; return *this; }
  Vec2& operator*=(float s) { x *= s; y *= s; return *this; }
  bool operator==(const Vec2& o) const { return x == o.x && y == o.y; }
  bool operator!=(const Vec2& o) const { return !(*this == o); }

  void set(float xx, float yy) { x = xx; y = yy; }
  bool equals(const Vec2& o) const { return *this == o; }
  bool isZero() const { return x == 0 && y == 0; }
  float length() const { return std::sqrt(x * x + y * y); }
  float lengthSquared() const { return x * x + y * y; }
  float distance(const Vec2& o) const { return (*this - o).length(); }
  float distanceSquared(const Vec2& o) const { return (*this - o).lengthSquared(); }
  float dot(const Vec2& o) const { return x * o.x + y * o.y; }
  // Angle of the vector against the x axis, in radians.
  float getAngle() const { return std::atan2(y, x); }
  Vec2 getNormalized() const { float l = length(); return l == 0 ? Vec2() : Vec2(x / l, y / l); }
  Vec2 getMidpoint(const Vec2& o) const { return {(x + o.x) / 2, (y + o.y) / 2}; }

  static const Vec2 ZERO;
  static const Vec2 ONE;
  static const Vec2 ANCHOR_MIDDLE;
  static const Vec2 ANCHOR_BOTTOM_LEFT;
  static const Vec2 ANCHOR_TOP_LEFT;
  static const Vec2 ANCHOR_BOTTOM_RIGHT;
  static const Vec2 ANCHOR_TOP_RIGHT;
  static const Vec2 ANCHOR_MIDDLE_LEFT;
  static const Vec2 ANCHOR_MIDDLE_RIGHT;
  static const Vec2 ANCHOR_MIDDLE_TOP;
  static const Vec2 ANCHOR_MIDDLE_BOTTOM;
};
inline Vec2 operator*(float s, const Vec2& v) { return v * s; }
using Point = Vec2;

struct Vec3 {
  float x = 0, y = 0, z = 0;
  constexpr Vec3() = default;
  constexpr Vec3(float xx, float yy, float zz) : x(xx), y(yy), z(zz) {}
  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
  bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
  static const Vec3 ZERO;
};

struct Size {
  float width = 0, height = 0;
  constexpr Size() = default;
  constexpr Size(float w, float h) : width(w), height(h) {}
  Size operator*(float s) const { return {width * s, height * s}; }
  Size operator/(float s) const { return {width / s, height / s}; }
  Size operator+(const Size& o) const { return {width + o.width, height + o.height}; }
  Size operator-(const Size& o) const { return {width - o.width, height - o.height}; }
  bool operator==(const Size& o) const { return width == o.width && height == o.height; }
  bool operator!=(const Size& o) const { return !(*this == o); }
  bool equals(const Size& o) const { return *this == o; }
  void setSize(float w, float h) { width = w; height = h; }
  static const Size ZERO;
};

struct Rect {
  Vec2 origin;
  Size size;
  constexpr Rect() = default;
  constexpr Rect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}
  constexpr Rect(const Vec2& o, const Size& s) : origin(o), size(s) {}

  float getMinX() const { return origin.x; }
  float getMidX() const { return origin.x + size.width / 2; }
  float getMaxX() const { return origin.x + size.width; }
  float getMinY() const { return origin.y; }
  float getMidY() const { return origin.y + size.height / 2; }
  float getMaxY() const { return origin.y + size.height; }
  // Edges belong to the rectangle.
  bool containsPoint(const Vec2& p) const {
    return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
  }
  bool intersectsRect(const Rect& r) const {
    return !(getMaxX() < r.getMinX() || r.getMaxX() < getMinX() || getMaxY() < r.getMinY() ||
             r.getMaxY() < getMinY());
  }
  Rect unionWithRect(const Rect& r) const;
  bool equals(const Rect& r) const { return origin == r.origin && size == r.size; }
  bool operator==(const Rect& r) const { return equals(r); }
  void setRect(float x, float y, float w, float h) { origin.set(x, y); size.setSize(w, h); }
  static const Rect ZERO;
};

struct Color4B;
struct Color4F;

struct Color3B {
  GLubyte r = 0, g = 0, b = 0;
  constexpr Color3B() = default;
  constexpr Color3B(GLubyte rr, GLubyte gg, GLubyte bb) : r(rr), g(gg), b(bb) {}
  explicit Color3B(const Color4B& c);
  bool operator==(const Color3B& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Color3B& o) const { return !(*this == o); }
  static const Color3B WHITE, BLACK, RED, GREEN, BLUE, YELLOW, ORANGE, GRAY;
};

struct Color4B {
  GLubyte r = 0, g = 0, b = 0, a = 0;
  constexpr Color4B() = default;
  constexpr Color4B(GLubyte rr, GLubyte gg, GLubyte bb, GLubyte aa) : r(rr), g(gg), b(bb), a(aa) {}
  explicit Color4B(const Color3B& c, GLubyte aa = 255) : r(c.r), g(c.g), b(c.b), a(aa) {}
  bool operator==(const Color4B& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  bool operator!=(const Color4B& o) const { return !(*this == o); }
  static const Color4B WHITE, BLACK;
};

struct Color4F {
  float r = 0, g = 0, b = 0, a = 0;
  constexpr Color4F() = default;
  constexpr Color4F(float rr, float gg, float bb, float aa) : r(rr), g(gg), b(bb), a(aa) {}
  bool operator==(const Color4F& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  static const Color4F WHITE, BLACK;
};

// GL enumerants the program passes around (blend factors, capabilities).
constexpr GLenum GL_ZERO = 0;
constexpr GLenum GL_ONE = 1;
constexpr GLenum GL_SRC_COLOR = 0x0300;
constexpr GLenum GL_ONE_MINUS_SRC_COLOR = 0x0301;
constexpr GLenum GL_SRC_ALPHA = 0x0302;
constexpr GLenum GL_ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr GLenum GL_DST_ALPHA = 0x0304;
constexpr GLenum GL_ONE_MINUS_DST_ALPHA = 0x0305;
constexpr GLenum GL_SCISSOR_TEST = 0x0C11;

struct BlendFunc {
  GLenum src = GL_ONE;
  GLenum dst = GL_ONE_MINUS_SRC_ALPHA;
  bool operator==(const BlendFunc& o) const { return src == o.src && dst == o.dst; }
  bool operator!=(const BlendFunc& o) const { return !(*this == o); }
  static const BlendFunc DISABLE, ALPHA_PREMULTIPLIED, ALPHA_NON_PREMULTIPLIED, ADDITIVE;
};

struct ccBezierConfig {
  Vec2 endPosition;
  Vec2 controlPoint_1;
  Vec2 controlPoint_2;
};

// A 2D affine transform: p' = (a*x + c*y + tx, b*x + d*y + ty).
struct AffineTransform {
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  Vec2 apply(const Vec2& p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
  // Composition: (this * o).apply(p) == this->apply(o.apply(p)).
  AffineTransform operator*(const AffineTransform& o) const {
    return {a * o.a + c * o.b, b * o.a + d * o.b, a * o.c + c * o.d, b * o.c + d * o.d,
            a * o.tx + c * o.ty + tx, b * o.tx + d * o.ty + ty};
  }
  AffineTransform inverse() const;
  Rect applyToRect(const Rect& r) const;
  static const AffineTransform IDENTITY;
};
// The node transform type of the draw commands. The engine draws in 2D, so
// the node matrix is an affine transform.
using Mat4 = AffineTransform;

}  // namespace cocos2d
