// The drawing seam. The scene graph draws through this interface; the headless
// renderer draws nothing and only counts (and on request records) what would be
// drawn, so tests can check what the player would see. The window backend
// (platform/window) draws the same commands with SDL2.
//
// A command carries everything a backend needs to draw the node, so no backend
// ever looks at the node itself: the kind of drawing, the image and the part of
// it, the frame's rotation in its sheet, flips and blending, the text with its
// font, the glyph cells of a digit atlas, the caps of a nine-slice box and the
// shapes of a draw node.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/engine/Math.h"

namespace cocos2d {

class Node;

enum class TextHAlignment { LEFT, CENTER, RIGHT };
enum class TextVAlignment { TOP, CENTER, BOTTOM };

enum class DrawKind {
  Color,      // a solid rectangle of `size` (LayerColor, a layout's background)
  Image,      // `quad` filled with `textureRect` of `texture` (sprites, progress bars)
  NineSlice,  // `texture` stretched to `size`, its corners (`capInsets`) kept
  Text,       // `lines` of text in `font` at `fontSize`, aligned in `size`
  Atlas,      // `what` drawn with glyph cells of `texture` (itemWidth x itemHeight)
  Shapes,     // a draw node's `shapes`, in node space
};

// One shape of a draw node: "polygon", "rect", "solidRect", "dot" or "segment".
struct DrawShape {
  std::string kind;
  std::vector<Vec2> points;
  Color4F fill;
  float borderWidth = 0;
  Color4F border;
};

// A field added here is reset in NextDrawCommand too.
struct DrawCommand {
  const Node* node = nullptr;
  Mat4 transform;     // node space to world (GL) space
  Size size;          // the content rectangle drawn, from (0, 0)
  GLubyte opacity = 255;
  Color3B color;
  std::string what;   // frame name, text or kind of primitive
  DrawKind kind = DrawKind::Color;

  // Images. `texture` is the image file (a full path, or a name found through
  // the search paths); "" when the frame has no image (a manifest frame).
  std::string texture;
  Rect textureRect;       // in image pixels, as the sheet stores it
  bool rotated = false;   // the frame lies turned 90 degrees clockwise in the sheet
  bool flippedX = false, flippedY = false;
  Rect quad;              // where the image goes, in node space
  BlendFunc blend = BlendFunc::ALPHA_PREMULTIPLIED;
  Rect capInsets;         // nine-slice caps, in frame pixels (zero: the middle third)

  // Text. `lines` points at the label's wrapped lines (valid while the node lives).
  std::string font;
  float fontSize = 0;
  float lineHeight = 0;
  const std::vector<std::string>* lines = nullptr;
  TextHAlignment hAlignment = TextHAlignment::LEFT;
  TextVAlignment vAlignment = TextVAlignment::TOP;

  // Digit atlases: glyph i is the character startChar + i.
  int itemWidth = 0, itemHeight = 0, startChar = 0;

  // Draw nodes (valid while the node lives).
  const std::vector<DrawShape>* shapes = nullptr;
};

// The command a node's draw fills and submits: one object for every draw, set
// to a default command with the given fields but keeping its strings' storage,
// so drawing a frame allocates nothing once the longest names have been seen.
// Valid until the next call; a renderer keeps a copy of what it keeps.
DrawCommand& NextDrawCommand(const Node* n, const Mat4& t, const Size& s, GLubyte o, const Color3B& c,
                             std::string_view what, DrawKind k = DrawKind::Color);

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
  // Writes the frame drawn last to an image file (JPEG for ".jpg" or
  // ".jpeg", else PNG). False when this renderer keeps no image (headless)
  // or the file cannot be written.
  virtual bool saveFrameImage(const std::string& path) {
    (void)path;
    return false;
  }
  // The director draws a frame that looks like the last drawn one only when
  // the renderer asks for it (its window was resized or uncovered, a test
  // records the frame).
  virtual bool wantsFrame() const { return false; }
};

class HeadlessRenderer : public Renderer {
 public:
  void beginFrame() override;
  void submit(const DrawCommand& command) override;
  void pushClip(const Rect& worldRect) override { _clips.push_back(worldRect); }
  void popClip() override { if (!_clips.empty()) _clips.pop_back(); }
  void endFrame() override { ++_frames; }
  // A recording renderer gets every frame, so the last frame is always now's.
  bool wantsFrame() const override { return _recording; }

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
