// The drawing seam. The scene graph draws through this interface; the headless
// renderer draws nothing and only counts (and on request records) what would be
// drawn, so tests can check what the player would see. A window-backed
// renderer plugs in here later.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Math.h"

namespace cocos2d {

class Node;

struct DrawCommand {
  const Node* node = nullptr;
  Mat4 transform;     // node space to world (GL) space
  Size size;          // the content rectangle drawn, from (0, 0)
  GLubyte opacity = 255;
  Color3B color;
  std::string what;   // frame name, text or kind of primitive
};

class Renderer {
 public:
  virtual ~Renderer() = default;
  virtual void beginFrame() {}
  virtual void submit(const DrawCommand& command) = 0;
  // Clipping: everything submitted until the matching pop is clipped to the
  // stencil's area (a world-space rectangle for the headless renderer).
  virtual void pushClip(const Rect& worldRect) { (void)worldRect; }
  virtual void popClip() {}
  virtual void endFrame() {}
};

class HeadlessRenderer : public Renderer {
 public:
  void beginFrame() override;
  void submit(const DrawCommand& command) override;
  void pushClip(const Rect& worldRect) override { _clips.push_back(worldRect); }
  void popClip() override { if (!_clips.empty()) _clips.pop_back(); }
  void endFrame() override { ++_frames; }

  // Recording keeps every command of the last frame (off by default).
  void setRecording(bool on) { _recording = on; }
  const std::vector<DrawCommand>& lastFrame() const { return _commands; }
  std::size_t commandsLastFrame() const { return _count; }
  unsigned long long framesDrawn() const { return _frames; }

 private:
  bool _recording = false;
  std::vector<DrawCommand> _commands;
  std::vector<Rect> _clips;
  std::size_t _count = 0;
  unsigned long long _frames = 0;
};

// Headless stand-ins for the few GL state calls the program makes directly.
void glEnable(GLenum cap);
void glDisable(GLenum cap);
bool glIsEnabled(GLenum cap);

}  // namespace cocos2d
