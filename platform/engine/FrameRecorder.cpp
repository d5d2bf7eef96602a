#include "platform/engine/FrameRecorder.h"

#include <cstring>
#include <type_traits>

namespace cocos2d {

namespace {

// Fixed-size fields compare by their bits, as a backend would see them (a
// NaN equals itself, so a broken transform does not draw every frame).
template <typename T>
bool Same(const T& a, const T& b) {
  static_assert(std::is_trivially_copyable_v<T>);
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}
static_assert(sizeof(Mat4) == 6 * sizeof(float) && sizeof(Rect) == 4 * sizeof(float) &&
                  sizeof(Color4F) == 4 * sizeof(float) && sizeof(Color3B) == 3,
              "the compared fields have no padding");

// Length first, and no call for an empty text (most fonts and many textures).
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

bool SameShapes(const std::vector<DrawShape>& kept, const std::vector<DrawShape>& now) {
  if (kept.size() != now.size()) return false;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const DrawShape& a = kept[i];
    const DrawShape& b = now[i];
    if (!SameText(a.kind, b.kind) || a.points.size() != b.points.size() || !Same(a.fill, b.fill) ||
        !Same(a.borderWidth, b.borderWidth) || !Same(a.border, b.border))
      return false;
    if (!a.points.empty() && std::memcmp(a.points.data(), b.points.data(), a.points.size() * sizeof(Vec2)) != 0)
      return false;
  }
  return true;
}

}  // namespace

void FrameRecorder::beginFrame() {
  _cursor = 0;
  _changed = false;
}

FrameRecorder::Entry& FrameRecorder::next() {
  _changed = true;
  if (_cursor == _entries.size()) _entries.emplace_back();
  return _entries[_cursor++];
}

void FrameRecorder::submit(const DrawCommand& c) {
  if (_cursor < _size) {
    Entry& e = _entries[_cursor];
    const DrawCommand& k = e.command;
    // The cheap fields first: most differences are a transform or an opacity.
    const bool same =
        e.kind == Entry::Command && k.kind == c.kind && Same(k.transform, c.transform) && Same(k.size, c.size) &&
        k.opacity == c.opacity && Same(k.color, c.color) && Same(k.textureRect, c.textureRect) &&
        Same(k.quad, c.quad) && k.rotated == c.rotated && k.flippedX == c.flippedX && k.flippedY == c.flippedY &&
        Same(k.blend, c.blend) && Same(k.capInsets, c.capInsets) && Same(k.fontSize, c.fontSize) &&
        Same(k.lineHeight, c.lineHeight) && k.hAlignment == c.hAlignment && k.vAlignment == c.vAlignment &&
        k.itemWidth == c.itemWidth && k.itemHeight == c.itemHeight && k.startChar == c.startChar &&
        SameText(k.what, c.what) && SameText(k.texture, c.texture) && SameText(k.font, c.font) &&
        (k.lines == nullptr) == (c.lines == nullptr) && (c.lines == nullptr || e.lines == *c.lines) &&
        (k.shapes == nullptr) == (c.shapes == nullptr) && (c.shapes == nullptr || SameShapes(e.shapes, *c.shapes));
    if (same) {
      // Not drawn, but what the replay hands on: the node and its storage of now.
      e.command.node = c.node;
      e.command.lines = c.lines;
      e.command.shapes = c.shapes;
      ++_cursor;
      return;
    }
  }
  Entry& e = next();
  e.kind = Entry::Command;
  e.command = c;
  if (c.lines != nullptr) e.lines = *c.lines;
  if (c.shapes != nullptr) e.shapes = *c.shapes;
}

void FrameRecorder::pushClip(const Rect& worldRect) {
  if (_cursor < _size && _entries[_cursor].kind == Entry::Push && Same(_entries[_cursor].clip, worldRect)) {
    ++_cursor;
    return;
  }
  Entry& e = next();
  e.kind = Entry::Push;
  e.clip = worldRect;
}

void FrameRecorder::popClip() {
  if (_cursor < _size && _entries[_cursor].kind == Entry::Pop) {
    ++_cursor;
    return;
  }
  next().kind = Entry::Pop;
}

void FrameRecorder::endFrame() {
  if (_cursor != _size) _changed = true;
  _size = _cursor;
}

void FrameRecorder::replay(Renderer& target) const {
  target.beginFrame();
  for (std::size_t i = 0; i < _size; ++i) {
    const Entry& e = _entries[i];
    switch (e.kind) {
      case Entry::Command: target.submit(e.command); break;
      case Entry::Push: target.pushClip(e.clip); break;
      case Entry::Pop: target.popClip(); break;
    }
  }
  target.endFrame();
}

}  // namespace cocos2d
