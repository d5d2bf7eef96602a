// The program's real window: a view of the engine on an SDL2 window.
//
// `install` makes it the director's view and its renderer the director's
// renderer, and gives labels the real font's widths. Each `pollEvents` (the
// application loop calls it before every frame) turns the window's events
// into the engine's input:
//   - the left button: touches (began, moved while held, ended) and mouse events;
//   - the right and middle buttons, moves and the wheel: mouse events;
//   - Escape: the keypad back key (pressed and released); F1: the window
//     frame's help button (the same key events);
//   - the close button: `requestClose` (the program's quit path);
//   - focus lost or gained: nothing (the game plays on behind other windows);
//   - minimised / restored: the drawing pauses / resumes, the frames run on;
//   - a new window size: the frame size, so touches keep mapping to design points.
#pragma once

#include <memory>
#include <string>

#include "platform/engine/GLView.h"
#include "platform/window/SdlDevice.h"

namespace ddz::window {

class SdlRenderer;

class SdlWindow : public cocos2d::GLView {
 public:
  struct Options {
    std::string title;
    cocos2d::Size frame{1280, 720};
    bool hidden = false;  // tests: the window is never shown
  };
  // Autoreleased; null (logged) when SDL has no window for us.
  static SdlWindow* create(const Options& options);
  ~SdlWindow() override;

  // The director draws through this window from now on; labels measure with its fonts.
  void install();
  void pollEvents() override;
  // Handles one SDL event (pollEvents calls it for each pending one).
  void handleEvent(const SDL_Event& event);
  void setFrameSize(float width, float height) override;

  SdlDevice& device() { return *_device; }
  // The renderer `install` handed to the director (owned by the director).
  SdlRenderer* renderer() const { return _renderer; }
  Uint32 windowId() const;

 private:
  SdlWindow() = default;
  std::shared_ptr<SdlDevice> _device;
  SdlRenderer* _renderer = nullptr;
  bool _measuring = false;
  bool _quitFollowsClose = false;  // in this poll the window's close came; SDL's quit for it follows
};

// True when a window can be opened: SDL_VIDEODRIVER names a driver, or an X
// or Wayland display is set.
bool DisplayAvailable();

}  // namespace ddz::window
