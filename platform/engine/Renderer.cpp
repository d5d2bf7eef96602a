#include "platform/engine/Renderer.h"

#include <set>

namespace cocos2d {

void HeadlessRenderer::beginFrame() {
  _commands.clear();
  _clips.clear();
  _count = 0;
}

void HeadlessRenderer::submit(const DrawCommand& command) {
  ++_count;
  if (_recording) _commands.push_back(command);
}

DrawCommand& NextDrawCommand(const Node* n, const Mat4& t, const Size& s, GLubyte o, const Color3B& c,
                             std::string_view what, DrawKind k) {
  static DrawCommand command;
  // Every field set anew (as DrawCommand's defaults); clear() keeps a string's buffer.
  command.node = n;
  command.transform = t;
  command.size = s;
  command.opacity = o;
  command.color = c;
  command.what.assign(what);
  command.kind = k;
  command.texture.clear();
  command.textureRect = Rect();
  command.rotated = command.flippedX = command.flippedY = false;
  command.quad = Rect();
  command.blend = BlendFunc::ALPHA_PREMULTIPLIED;
  command.capInsets = Rect();
  command.font.clear();
  command.fontSize = command.lineHeight = 0;
  command.lines = nullptr;
  command.hAlignment = TextHAlignment::LEFT;
  command.vAlignment = TextVAlignment::TOP;
  command.itemWidth = command.itemHeight = command.startChar = 0;
  command.shapes = nullptr;
  return command;
}

namespace {
std::set<GLenum>& EnabledCaps() {
  static std::set<GLenum> caps;
  return caps;
}
}  // namespace

void glEnable(GLenum cap) { EnabledCaps().insert(cap); }
void glDisable(GLenum cap) { EnabledCaps().erase(cap); }
bool glIsEnabled(GLenum cap) { return EnabledCaps().count(cap) != 0; }

}  // namespace cocos2d
