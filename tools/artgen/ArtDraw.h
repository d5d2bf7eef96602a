// Drawing on the art tool's RGBA32 surfaces: blended pixels, rounded boxes,
// discs, glows, lines, arcs and polygons smoothed at their edges, and the
// little name readers the painters pick a frame's kind with.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace artgen {

struct Rgba {
  Uint8 r, g, b, a;
};

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kCardEdge{120, 120, 130, 255};
constexpr SDL_Color kBlackInk{25, 25, 30, 255};
constexpr SDL_Color kRedInk{200, 20, 30, 255};
constexpr SDL_Color kWildInk{110, 40, 170, 255};
constexpr SDL_Color kWhiteInk{255, 255, 255, 255};
constexpr SDL_Color kGoldInk{255, 215, 90, 255};

// Source-over blend of one pixel of an RGBA32 surface.
inline void Blend(SDL_Surface* s, int x, int y, Rgba c, float coverage = 1.0f) {
  if (x < 0 || y < 0 || x >= s->w || y >= s->h) return;
  auto* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4;
  const float sa = c.a / 255.0f * coverage;
  const float da = p[3] / 255.0f;
  const float oa = sa + da * (1 - sa);
  if (oa <= 0) return;
  auto mix = [&](Uint8 sc, Uint8 dc) {
    return static_cast<Uint8>(std::lround((sc * sa + dc * da * (1 - sa)) / oa));
  };
  p[0] = mix(c.r, p[0]);
  p[1] = mix(c.g, p[1]);
  p[2] = mix(c.b, p[2]);
  p[3] = static_cast<Uint8>(std::lround(oa * 255));
}

inline Rgba Lerp(Rgba a, Rgba b, float t) {
  auto l = [t](Uint8 x, Uint8 y) { return static_cast<Uint8>(std::lround(x + (y - x) * t)); };
  return {l(a.r, b.r), l(a.g, b.g), l(a.b, b.b), l(a.a, b.a)};
}

// A rounded rectangle filled with a vertical gradient (top to bottom) and an
// optional border, anti-aliased at the corners.
inline void RoundRect(SDL_Surface* s, float x, float y, float w, float h, float radius, Rgba top, Rgba bottom,
               Rgba border = {0, 0, 0, 0}, float borderWidth = 0) {
  radius = std::min(radius, std::min(w, h) / 2);
  for (int py = static_cast<int>(y); py < static_cast<int>(std::ceil(y + h)); ++py) {
    const float t = h > 1 ? (py - y) / (h - 1) : 0;
    const Rgba fill = Lerp(top, bottom, std::clamp(t, 0.0f, 1.0f));
    for (int px = static_cast<int>(x); px < static_cast<int>(std::ceil(x + w)); ++px) {
      // Distance from the edge of the rounded shape, positive inside.
      const float cx = std::clamp(px + 0.5f, x + radius, x + w - radius);
      const float cy = std::clamp(py + 0.5f, y + radius, y + h - radius);
      const float d = radius - std::hypot(px + 0.5f - cx, py + 0.5f - cy);
      if (d <= -0.5f) continue;
      const float cover = std::clamp(d + 0.5f, 0.0f, 1.0f);
      Blend(s, px, py, (borderWidth > 0 && d < borderWidth) ? border : fill, cover);
    }
  }
}

inline void Disc(SDL_Surface* s, float cx, float cy, float r, Rgba c) {
  RoundRect(s, cx - r, cy - r, 2 * r, 2 * r, r, c, c);
}

// A soft round glow about (cx, cy): `peak` opacity in the middle, none at
// radius r.
inline void Glow(SDL_Surface* s, float cx, float cy, float r, Rgba c, float peak) {
  for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
    for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      if (d < 1) Blend(s, x, y, {c.r, c.g, c.b, static_cast<Uint8>(255 * peak * (1 - d) * (1 - d))});
    }
}

// An anti-aliased line of width w.
inline void Line(SDL_Surface* s, float x0, float y0, float x1, float y1, float w, Rgba c) {
  const float len = std::max(std::hypot(x1 - x0, y1 - y0), 0.001f);
  const int minX = static_cast<int>(std::min(x0, x1) - w - 1), maxX = static_cast<int>(std::max(x0, x1) + w + 1);
  const int minY = static_cast<int>(std::min(y0, y1) - w - 1), maxY = static_cast<int>(std::max(y0, y1) + w + 1);
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      const float px = x + 0.5f - x0, py = y + 0.5f - y0;
      const float t = std::clamp((px * (x1 - x0) + py * (y1 - y0)) / (len * len), 0.0f, 1.0f);
      const float d = std::hypot(px - t * (x1 - x0), py - t * (y1 - y0));
      const float cover = std::clamp(w / 2 - d + 0.5f, 0.0f, 1.0f);
      if (cover > 0) Blend(s, x, y, c, cover);
    }
}

// An ellipse's outline about (cx, cy), from angle a0 to a1 (radians).
inline void Arc(SDL_Surface* s, float cx, float cy, float rx, float ry, float a0, float a1, float w, Rgba c) {
  const int steps = std::max(8, static_cast<int>((a1 - a0) * std::max(rx, ry) / 3));
  for (int i = 0; i < steps; ++i) {
    const float t0 = a0 + (a1 - a0) * i / steps, t1 = a0 + (a1 - a0) * (i + 1) / steps;
    Line(s, cx + rx * std::cos(t0), cy + ry * std::sin(t0), cx + rx * std::cos(t1), cy + ry * std::sin(t1), w, c);
  }
}

constexpr float kPi = 3.14159265f;

// A filled polygon (convex or not, by the crossing rule), its edges smoothed
// by 4 x 4 samples a pixel.
inline void Polygon(SDL_Surface* s, const std::vector<SDL_FPoint>& points, Rgba c) {
  if (points.size() < 3) return;
  float minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
  for (const SDL_FPoint& p : points) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const auto inside = [&](float x, float y) {
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const SDL_FPoint& a = points[i];
      const SDL_FPoint& b = points[j];
      if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
    }
    return in;
  };
  for (int y = static_cast<int>(minY); y <= static_cast<int>(std::ceil(maxY)); ++y)
    for (int x = static_cast<int>(minX); x <= static_cast<int>(std::ceil(maxX)); ++x) {
      int hits = 0;
      for (int k = 0; k < 16; ++k) hits += inside(x + (k % 4 + 0.5f) / 4, y + (k / 4 + 0.5f) / 4) ? 1 : 0;
      if (hits > 0) Blend(s, x, y, c, hits / 16.0f);
    }
}

// The points of a five-pointed star about (cx, cy), a point upwards.
inline std::vector<SDL_FPoint> StarPoints(float cx, float cy, float outer, float inner) {
  std::vector<SDL_FPoint> points;
  for (int i = 0; i < 10; ++i) {
    const float a = -kPi / 2 + kPi * static_cast<float>(i) / 5;
    const float r = i % 2 == 0 ? outer : inner;
    points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return points;
}

inline bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
inline bool Has(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }
inline bool EndsWith(const std::string& s, const char* suffix) {
  const std::size_t n = std::strlen(suffix);
  return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

// The numbers after a prefix: "new_card_num_1_12.png" -> {1, 12}.
inline int NumberAt(const std::string& s, std::size_t from, std::size_t* end = nullptr) {
  int v = 0;
  std::size_t i = from;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') v = v * 10 + (s[i++] - '0');
  if (end) *end = i;
  return v;
}

}  // namespace artgen
