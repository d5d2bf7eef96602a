// The window object. Headless it has no real window: it keeps the frame size,
// the title, the icon and a native handle, and it is where input enters the
// engine. Input points are in window coordinates (origin top-left, y down) and
// are turned into GL coordinates of the design resolution.
//
// A window backend derives from it (platform/window): it reports the real
// frame size, turns the windowing system's events into the calls below in
// `pollEvents` (which the application loop calls once before every frame), and
// asks to close through `requestClose`.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/engine/Event.h"
#include "platform/engine/Math.h"
#include "platform/engine/Ref.h"

namespace cocos2d {

enum class ResolutionPolicy { EXACT_FIT, NO_BORDER, SHOW_ALL, FIXED_HEIGHT, FIXED_WIDTH, UNKNOWN };

class GLView : public Ref {
 public:
  ~GLView() override;

  virtual void setFrameSize(float width, float height);
  Size getFrameSize() const { return _frameSize; }
  // Without a design resolution the design size is the frame size.
  void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
  Size getDesignResolutionSize() const;
  Size getVisibleSize() const;
  Vec2 getVisibleOrigin() const { return Vec2::ZERO; }
  float getScaleX() const;
  float getScaleY() const;

  void setViewName(const std::string& name) { _viewName = name; }
  const std::string& getViewName() const { return _viewName; }
  void setIcon(const std::string& path) { _iconPath = path; }
  const std::string& getIconPath() const { return _iconPath; }
  void setCursorVisible(bool visible) { _cursorVisible = visible; }
  bool isCursorVisible() const { return _cursorVisible; }

  void setScissorInPoints(float x, float y, float w, float h) { _scissor = Rect(x, y, w, h); }
  Rect getScissorRect() const { return _scissor; }

  // The window handle as the windowing system reports it (an opaque id here).
  std::uintptr_t getNativeHandle() const { return _nativeHandle; }
  void* getWin32Window() const { return reinterpret_cast<void*>(_nativeHandle); }

  bool isOpenGLReady() const { return true; }
  void end() { _shouldClose = true; }
  bool windowShouldClose() const { return _shouldClose; }
  // Dispatches the events that arrived since the last call (headless: none).
  virtual void pollEvents() {}

  // The window's close button. The handler decides (the program asks the
  // table's quit question); without one the window ends.
  using CloseHandler = std::function<void()>;
  void setCloseHandler(CloseHandler handler) { _closeHandler = std::move(handler); }
  void requestClose();
  // The application going to the background (false) and back (true): its
  // background and foreground handlers, once per change. A desktop window
  // does not call it for focus or minimising: the game keeps running.
  void setWindowActive(bool active);
  bool isWindowActive() const { return _active; }
  // A minimised window is not drawn; the frames still run (timers, actions,
  // messages), so nothing of the game stops or restarts.
  void setDrawingPaused(bool paused) { _drawingPaused = paused; }
  bool isDrawingPaused() const { return _drawingPaused; }

  // ---- input (window coordinates) ----
  Vec2 windowToGL(float x, float y) const;
  void handleTouchesBegin(int num, const int ids[], const float xs[], const float ys[]);
  void handleTouchesMove(int num, const int ids[], const float xs[], const float ys[]);
  void handleTouchesEnd(int num, const int ids[], const float xs[], const float ys[]);
  void handleTouchesCancel(int num, const int ids[], const float xs[], const float ys[]);
  // One-finger conveniences.
  void touchBegan(float x, float y, int id = 0) { handleTouchesBegin(1, &id, &x, &y); }
  void touchMoved(float x, float y, int id = 0) { handleTouchesMove(1, &id, &x, &y); }
  void touchEnded(float x, float y, int id = 0) { handleTouchesEnd(1, &id, &x, &y); }
  // A left click also drives touch 0, as a desktop window does.
  void mouseDown(EventMouse::MouseButton button, float x, float y);
  void mouseUp(EventMouse::MouseButton button, float x, float y);
  void mouseMove(float x, float y);
  void mouseScroll(float x, float y, float scrollY);
  void click(float x, float y) {
    mouseDown(EventMouse::MouseButton::BUTTON_LEFT, x, y);
    mouseUp(EventMouse::MouseButton::BUTTON_LEFT, x, y);
  }
  void keyPressed(EventKeyboard::KeyCode code);
  void keyReleased(EventKeyboard::KeyCode code);

 protected:
  GLView();
  void dispatchTouches(EventTouch::EventCode code, int num, const int ids[], const float xs[], const float ys[]);
  void dispatchMouse(EventMouse::MouseEventType type, EventMouse::MouseButton button, float x, float y,
                     float scrollY);

  Size _frameSize{1280, 720};
  Size _designSize;
  ResolutionPolicy _policy = ResolutionPolicy::UNKNOWN;
  std::string _viewName;
  std::string _iconPath;
  bool _cursorVisible = true;
  Rect _scissor;
  std::uintptr_t _nativeHandle;
  bool _shouldClose = false;
  bool _active = true;
  bool _drawingPaused = false;
  CloseHandler _closeHandler;
  bool _leftDown = false;
  Vec2 _lastCursor;
  std::map<int, Touch*> _touches;  // each retained while the finger is down
};

class GLViewImpl : public GLView {
 public:
  static GLViewImpl* create(const std::string& viewName);
  static GLViewImpl* createWithRect(const std::string& viewName, const Rect& rect, float frameZoomFactor = 1.0f);

 protected:
  GLViewImpl() = default;
};

}  // namespace cocos2d
