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
