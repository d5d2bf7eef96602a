#include "platform/window/SdlRenderer.h"

#include <SDL_image.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "platform/engine/Director.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Log.h"
#include "platform/window/NineSlice.h"

namespace ddz::window {

using cocos2d::DrawCommand;
using cocos2d::Rect;
using cocos2d::Vec2;

namespace {

SDL_Color Tint(const DrawCommand& c, float alpha = 1.0f) {
  return {c.color.r, c.color.g, c.color.b, static_cast<Uint8>(std::lround(c.opacity * std::clamp(alpha, 0.0f, 1.0f)))};
}

SDL_BlendMode BlendOf(const cocos2d::BlendFunc& f) {
  if (f.src == cocos2d::GL_ONE && f.dst == cocos2d::GL_ZERO) return SDL_BLENDMODE_NONE;
  if (f.dst == cocos2d::GL_ONE) return SDL_BLENDMODE_ADD;
  return SDL_BLENDMODE_BLEND;  // the images are straight alpha: both alpha functions blend alike
}

const int kQuadIndices[6] = {0, 1, 2, 0, 2, 3};

}  // namespace

SdlRenderer::SdlRenderer(std::shared_ptr<SdlDevice> device) : _device(std::move(device)) {}

SDL_FPoint SdlRenderer::toPixels(const Vec2& p) const {
  return {_offsetX + p.x * _scaleX, _outHeight - (_offsetY + p.y * _scaleY)};
}

void SdlRenderer::beginFrame() {
  _commands = 0;
  _clips.clear();
  SDL_Renderer* r = _device->renderer();
  int outW = 1280, outH = 720;
  SDL_GetRendererOutputSize(r, &outW, &outH);
  const cocos2d::GLView* view = cocos2d::Director::getInstance()->getOpenGLView();
  const cocos2d::Size frame = view ? view->getFrameSize() : cocos2d::Size(outW, outH);
  const cocos2d::Size design = view ? view->getDesignResolutionSize() : frame;
  // The view's scale is in window points; the output may have more pixels (high DPI).
  const float dpiX = frame.width > 0 ? outW / frame.width : 1, dpiY = frame.height > 0 ? outH / frame.height : 1;
  _scaleX = (view ? view->getScaleX() : 1) * dpiX;
  _scaleY = (view ? view->getScaleY() : 1) * dpiY;
  _offsetX = (outW - design.width * _scaleX) / 2;
  _offsetY = (outH - design.height * _scaleY) / 2;
  _outHeight = static_cast<float>(outH);
  _drawnOutput = {outW, outH, static_cast<int>(frame.width), static_cast<int>(frame.height)};
  _frameWanted = false;
  SDL_RenderSetClipRect(r, nullptr);
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
}

bool SdlRenderer::wantsFrame() const {
  if (_frameWanted) return true;
  const cocos2d::Director* director = cocos2d::Director::getInstanceIfAlive();
  if (!_screenshotAtEnd.empty() && director && director->isEndRequested()) return true;
  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(_device->renderer(), &outW, &outH);
  const cocos2d::GLView* view = director ? director->getOpenGLView() : nullptr;
  const cocos2d::Size frame = view ? view->getFrameSize() : cocos2d::Size(outW, outH);
  const SDL_Rect now{outW, outH, static_cast<int>(frame.width), static_cast<int>(frame.height)};
  return now.x != _drawnOutput.x || now.y != _drawnOutput.y || now.w != _drawnOutput.w || now.h != _drawnOutput.h;
}

void SdlRenderer::endFrame() {
  if (!_screenshotAtEnd.empty()) {
    const cocos2d::Director* director = cocos2d::Director::getInstanceIfAlive();
    if (director && director->isEndRequested()) {
      saveScreenshot(_screenshotAtEnd);
      _screenshotAtEnd.clear();
    }
  }
  SDL_RenderPresent(_device->renderer());
}

bool SdlRenderer::saveScreenshot(const std::string& path) {
  SDL_Renderer* r = _device->renderer();
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(r, &w, &h);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
  bool ok = s && SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_RGBA32, s->pixels, s->pitch) == 0;
  auto endsWith = [&path](const char* ext) {
    const std::size_t n = std::strlen(ext);
    if (path.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
      if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != ext[i]) return false;
    }
    return true;
  };
  const bool jpeg = endsWith(".jpg") || endsWith(".jpeg");
  ok = ok && (jpeg ? IMG_SaveJPG(s, path.c_str(), 90) : IMG_SavePNG(s, path.c_str())) == 0;
  cocos2d::log(ok ? "screenshot %dx%d written to %s" : "screenshot %dx%d not written to %s (%s)", w, h, path.c_str(),
               SDL_GetError());
  if (s) SDL_FreeSurface(s);
  return ok;
}

// ---------------------------------------------------------------- clipping

void SdlRenderer::pushClip(const Rect& world) {
  const SDL_FPoint a = toPixels(world.origin);
  const SDL_FPoint b = toPixels(Vec2(world.origin.x + world.size.width, world.origin.y + world.size.height));
  SDL_Rect rect{static_cast<int>(std::floor(std::min(a.x, b.x))), static_cast<int>(std::floor(std::min(a.y, b.y))), 0, 0};
  rect.w = static_cast<int>(std::ceil(std::max(a.x, b.x))) - rect.x;
  rect.h = static_cast<int>(std::ceil(std::max(a.y, b.y))) - rect.y;
  if (!_clips.empty()) {
    SDL_Rect inner{};
    if (!SDL_IntersectRect(&rect, &_clips.back(), &inner)) inner = SDL_Rect{rect.x, rect.y, 0, 0};
    rect = inner;
  }
  _clips.push_back(rect);
  applyClip();
}

void SdlRenderer::popClip() {
  if (!_clips.empty()) _clips.pop_back();
  applyClip();
}

void SdlRenderer::applyClip() {
  SDL_Renderer* r = _device->renderer();
  if (_clips.empty()) {
    SDL_RenderSetClipRect(r, nullptr);
  } else if (_clips.back().w <= 0 || _clips.back().h <= 0) {
    const SDL_Rect none{-2, -2, 1, 1};  // an empty clip shows nothing
    SDL_RenderSetClipRect(r, &none);
  } else {
    SDL_RenderSetClipRect(r, &_clips.back());
  }
}

// ---------------------------------------------------------------- commands

void SdlRenderer::submit(const DrawCommand& c) {
  ++_commands;
  if (c.opacity == 0) return;
  switch (c.kind) {
    case cocos2d::DrawKind::Color:
      drawColor(c, Rect(0, 0, c.size.width, c.size.height), Tint(c));
      break;
    case cocos2d::DrawKind::Image:
      if (const LoadedTexture* tex = _device->image(c.texture))
        drawImage(c, *tex, c.quad, c.textureRect, c.rotated, c.flippedX, c.flippedY);
      break;
    case cocos2d::DrawKind::NineSlice:
      drawNineSlice(c);
      break;
    case cocos2d::DrawKind::Text:
      drawText(c);
      break;
    case cocos2d::DrawKind::Atlas:
      drawAtlas(c);
      break;
    case cocos2d::DrawKind::Shapes:
      drawShapes(c);
      break;
  }
}

void SdlRenderer::drawImage(const DrawCommand& c, const LoadedTexture& tex, const Rect& quad, const Rect& src,
                            bool rotated, bool flipX, bool flipY) {
  if (quad.size.width <= 0 || quad.size.height <= 0 || tex.width <= 0 || tex.height <= 0) return;
  // Corners in node space: bottom-left, bottom-right, top-right, top-left.
  const Vec2 corners[4] = {quad.origin, Vec2(quad.origin.x + quad.size.width, quad.origin.y),
                           Vec2(quad.origin.x + quad.size.width, quad.origin.y + quad.size.height),
                           Vec2(quad.origin.x, quad.origin.y + quad.size.height)};
  // Texture corners in pixels (y down) for the same four corners.
  const float x = src.origin.x, y = src.origin.y, w = src.size.width, h = src.size.height;
  SDL_FPoint uv[4];
  if (!rotated) {
    uv[0] = {x, y + h}, uv[1] = {x + w, y + h}, uv[2] = {x + w, y}, uv[3] = {x, y};
  } else {
    // Stored turned clockwise: the frame's top edge is the region's right edge.
    uv[0] = {x, y}, uv[1] = {x, y + w}, uv[2] = {x + h, y + w}, uv[3] = {x + h, y};
  }
  if (flipX) std::swap(uv[0], uv[1]), std::swap(uv[3], uv[2]);
  if (flipY) std::swap(uv[0], uv[3]), std::swap(uv[1], uv[2]);
  const SDL_Color tint = Tint(c);
  SDL_FPoint px[4];
  for (int i = 0; i < 4; ++i) px[i] = toPixels(c.transform.apply(corners[i]));
  SDL_SetTextureBlendMode(tex.texture, BlendOf(c.blend));

  // A quad that is a rectangle on screen (any scale, rotation or mirror, no
  // skew) is a plain copy: exact on every renderer. Skewed ones are triangles.
  const SDL_FPoint ex{px[1].x - px[0].x, px[1].y - px[0].y}, ey{px[3].x - px[0].x, px[3].y - px[0].y};
  const float dw = std::hypot(ex.x, ex.y), dh = std::hypot(ey.x, ey.y);
  if (!rotated && dw > 0 && dh > 0 && std::fabs(ex.x * ey.x + ex.y * ey.y) <= 1e-3f * dw * dh) {
    // Normally the node's up is the screen's up (cross < 0); otherwise the image is mirrored.
    const bool mirrored = ex.x * ey.y - ex.y * ey.x > 0;
    int flip = SDL_FLIP_NONE;
    if (flipX) flip |= SDL_FLIP_HORIZONTAL;
    if (flipY != mirrored) flip |= SDL_FLIP_VERTICAL;
    const SDL_Rect source{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)),
                          static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))};
    const SDL_FPoint centre{px[0].x + (ex.x + ey.x) / 2, px[0].y + (ex.y + ey.y) / 2};
    const SDL_FRect dest{centre.x - dw / 2, centre.y - dh / 2, dw, dh};
    const double angle = std::atan2(ex.y, ex.x) * 180.0 / 3.14159265358979;
    SDL_SetTextureColorMod(tex.texture, tint.r, tint.g, tint.b);
    SDL_SetTextureAlphaMod(tex.texture, tint.a);
    if (flip == SDL_FLIP_NONE && std::fabs(angle) < 1e-3)
      SDL_RenderCopyF(_device->renderer(), tex.texture, &source, &dest);  // the fast path of every renderer
    else
      SDL_RenderCopyExF(_device->renderer(), tex.texture, &source, &dest, angle, nullptr,
                        static_cast<SDL_RendererFlip>(flip));
    return;
  }
  SDL_SetTextureColorMod(tex.texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(tex.texture, 255);
  SDL_Vertex v[4];
  for (int i = 0; i < 4; ++i) {
    v[i].position = px[i];
    v[i].color = tint;
    v[i].tex_coord = {uv[i].x / tex.width, uv[i].y / tex.height};
  }
  SDL_RenderGeometry(_device->renderer(), tex.texture, v, 4, kQuadIndices, 6);
}

void SdlRenderer::drawColor(const DrawCommand& c, const Rect& quad, SDL_Color color) {
  if (quad.size.width <= 0 || quad.size.height <= 0 || color.a == 0) return;
  const Vec2 corners[4] = {quad.origin, Vec2(quad.origin.x + quad.size.width, quad.origin.y),
                           Vec2(quad.origin.x + quad.size.width, quad.origin.y + quad.size.height),
                           Vec2(quad.origin.x, quad.origin.y + quad.size.height)};
  SDL_Vertex v[4];
  for (int i = 0; i < 4; ++i) v[i] = {toPixels(c.transform.apply(corners[i])), color, {0, 0}};
  SDL_SetRenderDrawBlendMode(_device->renderer(), SDL_BLENDMODE_BLEND);
  SDL_RenderGeometry(_device->renderer(), nullptr, v, 4, kQuadIndices, 6);
}

void SdlRenderer::drawPolygon(const DrawCommand& c, const std::vector<Vec2>& points, SDL_Color color) {
  if (points.size() < 3 || color.a == 0) return;
  std::vector<SDL_Vertex> v;
  for (const Vec2& p : points) v.push_back({toPixels(c.transform.apply(p - c.quad.origin)), color, {0, 0}});
  std::vector<int> indices;
  for (int i = 1; i + 1 < static_cast<int>(points.size()); ++i) indices.insert(indices.end(), {0, i, i + 1});
  SDL_RenderGeometry(_device->renderer(), nullptr, v.data(), static_cast<int>(v.size()), indices.data(),
                     static_cast<int>(indices.size()));
}

void SdlRenderer::drawText(const DrawCommand& c) {
  if (!c.lines || c.lines->empty() || c.fontSize <= 0) return;
  // Rendered at the window's scale, so text stays sharp in a large window.
  const float scale = std::max(_scaleY, 0.1f);
  const int px = std::max(1, static_cast<int>(std::lround(c.fontSize * scale)));
  const float pxToDesign = c.fontSize / static_cast<float>(px);
  const float lineHeight = c.lineHeight > 0 ? c.lineHeight : c.fontSize * 1.25f;
  const float total = lineHeight * static_cast<float>(c.lines->size());
  float top = c.size.height;
  if (c.vAlignment == cocos2d::TextVAlignment::CENTER) top = (c.size.height + total) / 2;
  if (c.vAlignment == cocos2d::TextVAlignment::BOTTOM) top = total;
  for (std::size_t i = 0; i < c.lines->size(); ++i) {
    const LoadedTexture* t = _device->text(c.font, px, (*c.lines)[i]);
    if (!t) continue;
    const float w = t->width * pxToDesign, h = t->height * pxToDesign;
    float x = 0;
    if (c.hAlignment == cocos2d::TextHAlignment::CENTER) x = (c.size.width - w) / 2;
    if (c.hAlignment == cocos2d::TextHAlignment::RIGHT) x = c.size.width - w;
    const float lineTop = top - lineHeight * static_cast<float>(i);
    const float y = lineTop - lineHeight / 2 - h / 2;
    drawImage(c, *t, Rect(x, y, w, h), Rect(0, 0, static_cast<float>(t->width), static_cast<float>(t->height)), false,
              false, false);
  }
}

void SdlRenderer::drawAtlas(const DrawCommand& c) {
  const LoadedTexture* tex = _device->image(c.texture);
  if (!tex || c.itemWidth <= 0 || c.itemHeight <= 0) return;
  const int perRow = std::max(1, tex->width / c.itemWidth);
  const float iw = static_cast<float>(c.itemWidth), ih = static_cast<float>(c.itemHeight);
  int k = 0;
  for (unsigned char ch : c.what) {
    const int glyph = static_cast<int>(ch) - c.startChar;
    if (glyph >= 0) {
      const Rect src(static_cast<float>(glyph % perRow) * iw, static_cast<float>(glyph / perRow) * ih, iw, ih);
      if (src.origin.y + ih <= static_cast<float>(tex->height))
        drawImage(c, *tex, Rect(static_cast<float>(k) * iw, 0, iw, ih), src, false, false, false);
    }
    ++k;
  }
}

void SdlRenderer::drawNineSlice(const DrawCommand& c) {
  const LoadedTexture* tex = _device->image(c.texture);
  if (!tex) return;
  const Rect& r = c.textureRect;
  const int W = static_cast<int>(std::lround(r.size.width)), H = static_cast<int>(std::lround(r.size.height));
  const float cw = c.size.width, ch = c.size.height;
  if (c.rotated || W <= 0 || H <= 0) {
    drawImage(c, *tex, c.quad, r, c.rotated, false, false);
    return;
  }
  if (cw <= 0 || ch <= 0) return;
  const NineSliceCaps caps = CapsOf(c.capInsets, W, H);
  const int originX = static_cast<int>(std::lround(r.origin.x)), originY = static_cast<int>(std::lround(r.origin.y));
  // Upright on screen (any scale and place): the pieces are whole-pixel
  // copies between shared lines.
  const SDL_FPoint bl = toPixels(c.transform.apply(Vec2(0, 0)));
  const SDL_FPoint br = toPixels(c.transform.apply(Vec2(cw, 0)));
  const SDL_FPoint tl = toPixels(c.transform.apply(Vec2(0, ch)));
  constexpr float kEps = 1e-3f;
  if (std::fabs(br.y - bl.y) <= kEps && std::fabs(tl.x - bl.x) <= kEps && br.x > bl.x && tl.y < bl.y) {
    const SDL_FRect dest{tl.x, tl.y, br.x - bl.x, bl.y - tl.y};
    const SDL_Color tint = Tint(c);
    SDL_SetTextureBlendMode(tex->texture, BlendOf(c.blend));
    SDL_SetTextureColorMod(tex->texture, tint.r, tint.g, tint.b);
    SDL_SetTextureAlphaMod(tex->texture, tint.a);
    for (const NineSlicePiece& p : NineSlicePieces(W, H, caps, cocos2d::Size(cw, ch), dest)) {
      if (p.source.w <= 0 || p.source.h <= 0 || p.dest.w <= 0 || p.dest.h <= 0) continue;
      const SDL_Rect source{originX + p.source.x, originY + p.source.y, p.source.w, p.source.h};
      SDL_RenderCopy(_device->renderer(), tex->texture, &source, &p.dest);
    }
    return;
  }
  // Turned or skewed: quads on the same shared lines, in node space (y up).
  const NineSliceAxis x = SplitNineSliceAxis(W, caps.left, caps.right, cw);
  const NineSliceAxis y = SplitNineSliceAxis(H, caps.top, caps.bottom, ch);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const Rect quad(x.box[col], ch - y.box[row + 1], x.box[col + 1] - x.box[col], y.box[row + 1] - y.box[row]);
      const Rect src(static_cast<float>(originX + x.source[col]), static_cast<float>(originY + y.source[row]),
                     static_cast<float>(x.source[col + 1] - x.source[col]),
                     static_cast<float>(y.source[row + 1] - y.source[row]));
      if (src.size.width > 0 && src.size.height > 0) drawImage(c, *tex, quad, src, false, false, false);
    }
  }
}

void SdlRenderer::drawShapes(const DrawCommand& c) {
  if (!c.shapes) return;
  auto colour = [&](const cocos2d::Color4F& f) {
    return SDL_Color{static_cast<Uint8>(std::lround(std::clamp(f.r, 0.0f, 1.0f) * 255)),
                     static_cast<Uint8>(std::lround(std::clamp(f.g, 0.0f, 1.0f) * 255)),
                     static_cast<Uint8>(std::lround(std::clamp(f.b, 0.0f, 1.0f) * 255)),
                     static_cast<Uint8>(std::lround(std::clamp(f.a, 0.0f, 1.0f) * c.opacity))};
  };
  // A line as a thin polygon of the given half width.
  auto line = [&](Vec2 a, Vec2 b, float half, SDL_Color col) {
    Vec2 d = b - a;
    const float len = std::hypot(d.x, d.y);
    if (len <= 0) return;
    const Vec2 n(-d.y / len * half, d.x / len * half);
    drawPolygon(c, {a + n, b + n, b - n, a - n}, col);
  };
  SDL_SetRenderDrawBlendMode(_device->renderer(), SDL_BLENDMODE_BLEND);
  for (const cocos2d::DrawShape& s : *c.shapes) {
    if (s.kind == "solidRect" && s.points.size() == 2) {
      const Vec2 a = s.points[0], b = s.points[1];
      drawPolygon(c, {a, Vec2(b.x, a.y), b, Vec2(a.x, b.y)}, colour(s.fill));
    } else if (s.kind == "rect" && s.points.size() == 2) {
      const Vec2 a = s.points[0], b = s.points[1];
      const Vec2 corners[4] = {a, Vec2(b.x, a.y), b, Vec2(a.x, b.y)};
      for (int i = 0; i < 4; ++i) line(corners[i], corners[(i + 1) % 4], 0.5f, colour(s.border));
    } else if (s.kind == "dot" && s.points.size() == 2) {
      const Vec2 centre = (s.points[0] + s.points[1]) * 0.5f;
      const float radius = (s.points[1].x - s.points[0].x) / 2;
      std::vector<Vec2> circle;
      for (int i = 0; i < 24; ++i) {
        const float a = static_cast<float>(i) / 24 * 6.2831853f;
        circle.emplace_back(centre.x + std::cos(a) * radius, centre.y + std::sin(a) * radius);
      }
      drawPolygon(c, circle, colour(s.fill));
    } else if (s.kind == "segment" && s.points.size() == 2) {
      line(s.points[0], s.points[1], std::max(s.borderWidth, 0.5f), colour(s.border));
    } else if (s.kind == "polygon") {
      drawPolygon(c, s.points, colour(s.fill));
      if (s.borderWidth > 0)
        for (std::size_t i = 0; i < s.points.size(); ++i)
          line(s.points[i], s.points[(i + 1) % s.points.size()], s.borderWidth / 2, colour(s.border));
    }
  }
}

}  // namespace ddz::window
