// The director's look at a frame before it is drawn. The recorder keeps the
// last frame it saw (its commands and clips in order) and the scene is
// visited into it: each command or clip is compared, field by field, with the
// one at the same place in the kept frame (everything a backend would draw:
// texts, the label's lines and the draw node's shapes included) and
// overwritten only where it differs. A frame that matches the kept one in
// every place and in length would look like it on the screen and is not
// drawn; else the recorder replays the frame into the real renderer. An
// unchanged frame costs the comparisons and copies nothing.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/engine/Renderer.h"

namespace cocos2d {

class FrameRecorder : public Renderer {
 public:
  void beginFrame() override;
  void submit(const DrawCommand& command) override;
  void pushClip(const Rect& worldRect) override;
  void popClip() override;
  void endFrame() override;

  // After endFrame: true when the frame differs from the one recorded before
  // it (in any command, clip or in length). The first frame differs from the
  // empty one only when it draws something.
  bool changed() const { return _changed; }
  // The recorded frame, from beginFrame to endFrame of `target`.
  void replay(Renderer& target) const;

 private:
  struct Entry {
    enum Kind { Command, Push, Pop } kind = Command;
    DrawCommand command;
    Rect clip;
    // What `command.lines` and `command.shapes` pointed at when recorded: the
    // node owns those and changes them in place.
    std::vector<std::string> lines;
    std::vector<DrawShape> shapes;
  };
  // The entry at the cursor, to be overwritten: a kept one past the frame's
  // length or a new one.
  Entry& next();

  std::vector<Entry> _entries;  // the kept frame is the first _size of them
  std::size_t _size = 0;
  std::size_t _cursor = 0;
  bool _changed = false;
};

}  // namespace cocos2d
