// The director's look at a frame before it is drawn: the scene is visited
// into this recorder, which keeps the frame's commands and clips in order and
// a signature of everything a backend would draw (every field of every
// command, texts and shapes included). When the signature is the previous
// drawn frame's, nothing on the screen would change and the frame is not
// drawn; else the recorder replays the frame into the real renderer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/engine/Renderer.h"

namespace cocos2d {

class FrameRecorder : public Renderer {
 public:
  void beginFrame() override;
  void submit(const DrawCommand& command) override;
  void pushClip(const Rect& worldRect) override;
  void popClip() override;

  std::uint64_t signature() const { return _hash; }
  // The recorded frame, from beginFrame to endFrame of `target`.
  void replay(Renderer& target) const;

 private:
  struct Entry {
    enum Kind { Command, Push, Pop } kind;
    std::size_t command;  // index into _commands
    Rect clip;
  };
  void mix(const void* bytes, std::size_t size);
  template <typename T>
  void mixValue(const T& value) {
    mix(&value, sizeof value);
  }

  std::vector<DrawCommand> _commands;
  std::vector<Entry> _entries;
  std::uint64_t _hash = 0;
};

}  // namespace cocos2d
