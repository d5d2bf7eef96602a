#include "platform/engine/FrameRecorder.h"

#include <cstring>

namespace cocos2d {

namespace {
constexpr std::uint64_t kOffset = 1469598103934665603ULL;
constexpr std::uint64_t kPrime = 1099511628211ULL;
}  // namespace

void FrameRecorder::beginFrame() {
  _commands.clear();
  _entries.clear();
  _hash = kOffset;
}

void FrameRecorder::mix(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i) {
    _hash ^= p[i];
    _hash *= kPrime;
  }
}

void FrameRecorder::submit(const DrawCommand& c) {
  _entries.push_back({Entry::Command, _commands.size(), Rect()});
  _commands.push_back(c);
  mixValue(static_cast<int>(c.kind));
  mixValue(c.transform);
  mixValue(c.size.width);
  mixValue(c.size.height);
  mixValue(c.opacity);
  mixValue(c.color.r);
  mixValue(c.color.g);
  mixValue(c.color.b);
  const auto text = [this](const std::string& s) {
    mixValue(s.size());
    mix(s.data(), s.size());
  };
  text(c.what);
  text(c.texture);
  mixValue(c.textureRect);
  mixValue(c.rotated);
  mixValue(c.flippedX);
  mixValue(c.flippedY);
  mixValue(c.quad);
  mixValue(c.blend.src);
  mixValue(c.blend.dst);
  mixValue(c.capInsets);
  text(c.font);
  mixValue(c.fontSize);
  mixValue(c.lineHeight);
  if (c.lines != nullptr) {
    mixValue(c.lines->size());
    for (const std::string& line : *c.lines) text(line);
  }
  mixValue(static_cast<int>(c.hAlignment));
  mixValue(static_cast<int>(c.vAlignment));
  mixValue(c.itemWidth);
  mixValue(c.itemHeight);
  mixValue(c.startChar);
  if (c.shapes != nullptr) {
    mixValue(c.shapes->size());
    for (const DrawShape& shape : *c.shapes) {
      text(shape.kind);
      for (const Vec2& p : shape.points) mixValue(p);
      mixValue(shape.fill);
      mixValue(shape.borderWidth);
      mixValue(shape.border);
    }
  }
}

void FrameRecorder::pushClip(const Rect& worldRect) {
  _entries.push_back({Entry::Push, 0, worldRect});
  const int tag = 1;
  mixValue(tag);
  mixValue(worldRect);
}

void FrameRecorder::popClip() {
  _entries.push_back({Entry::Pop, 0, Rect()});
  const int tag = 2;
  mixValue(tag);
}

void FrameRecorder::replay(Renderer& target) const {
  target.beginFrame();
  for (const Entry& e : _entries) {
    switch (e.kind) {
      case Entry::Command: target.submit(_commands[e.command]); break;
      case Entry::Push: target.pushClip(e.clip); break;
      case Entry::Pop: target.popClip(); break;
    }
  }
  target.endFrame();
}

}  // namespace cocos2d
