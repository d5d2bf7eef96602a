// The director: owns the scheduler, the action manager, the event dispatcher
// and the renderer, holds the running scene and runs the frame loop.
//
// One frame (`mainLoop(dt)`), in this fixed order:
//   1. the virtual clock (ddz::os::Clock) advances by dt;
//   2. the scheduler: per-frame updates, then timed callbacks;
//   3. the actions;
//   4. the frame hooks of later layers, phase by phase (see FramePhase), each
//      phase in the order its hooks were added;
//   5. a scene handed to replaceScene takes over;
//   6. the running scene is drawn through the renderer, when it would look
//      different from the frame drawn last (or the renderer asks for a frame);
//   7. the autorelease pool is drained.
// While the animation is stopped (the window is in the background) steps 2 to 6
// are skipped. Input events are dispatched between frames.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/engine/FrameRecorder.h"
#include "platform/engine/Math.h"
#include "platform/engine/Ref.h"

namespace cocos2d {

class ActionManager;
class EventDispatcher;
class GLView;
class Node;
class Renderer;
class Scene;
class Scheduler;
class TextureCache;

// Per-frame work of the layers above the engine, run after the actions.
enum class FramePhase {
  Animations = 0,        // per-frame animation steppers (the game base's animation manager)
  MessagePump = 1,       // delivery of queued game messages
  NextFrameCalls = 2,    // calls deferred to the next frame
  DeferredRemovals = 3,  // nodes removed outside event dispatch (engine queue runs last)
};

class Director {
 public:
  enum class Projection { _2D, _3D, CUSTOM, DEFAULT = _3D };

  static Director* getInstance();
  // The director if it exists, without creating it (for destructors).
  static Director* getInstanceIfAlive();

  // ---- frame loop ----
  void mainLoop();          // one frame of the animation interval
  void mainLoop(float dt);  // one frame of dt seconds
  void setAnimationInterval(double seconds) { _animationInterval = seconds; }
  double getAnimationInterval() const { return _animationInterval; }
  void stopAnimation() { _animationStopped = true; }
  void startAnimation() { _animationStopped = false; }
  bool isAnimationStopped() const { return _animationStopped; }
  float getDeltaTime() const { return _deltaTime; }
  std::uint64_t getTotalFrames() const { return _totalFrames; }
  // Frames that reached the renderer (an unchanged scene is not drawn again).
  std::uint64_t getDrawnFrames() const { return _drawnFrames; }
  bool isInFrame() const { return _inFrame; }

  using FrameHook = std::function<void(float dt)>;
  int addFrameHook(FramePhase phase, FrameHook hook);
  void removeFrameHook(int id);
  // True while the hook is registered (reset drops every hook; ids are never
  // used twice).
  bool hasFrameHook(int id) const;
  // Detaches `child` from `parent` (with cleanup, so its onExit runs) at the
  // end of the deferred-removal phase of the next frame step, unless it has
  // changed parent meanwhile.
  void removeChildLater(Node* child, Node* parent);
  // Runs the queued removals of `child` now, before the frame's pass.
  void runChildRemoval(Node* child);
  std::size_t pendingRemovals() const { return _pendingRemovals.size(); }

  // ---- scenes ----
  // The first scene enters at once; a replacement takes over in the next frame.
  void runWithScene(Scene* scene);
  void replaceScene(Scene* scene);
  Scene* getRunningScene() const { return _runningScene; }

  // ---- window ----
  GLView* getOpenGLView() const { return _openGLView; }
  void setOpenGLView(GLView* view);
  void setProjection(Projection p) { _projection = p; }
  Projection getProjection() const { return _projection; }
  Size getWinSize() const;
  Size getVisibleSize() const;
  Vec2 getVisibleOrigin() const;
  // Window (top-left origin) to GL (bottom-left origin) points and back.
  Vec2 convertToGL(const Vec2& uiPoint) const;
  Vec2 convertToUI(const Vec2& glPoint) const;
  float getContentScaleFactor() const { return _contentScaleFactor; }
  void setContentScaleFactor(float f) { if (f > 0) _contentScaleFactor = f; }

  Scheduler* getScheduler() const { return _scheduler; }
  ActionManager* getActionManager() const { return _actionManager; }
  EventDispatcher* getEventDispatcher() const { return _eventDispatcher; }
  Renderer* getRenderer() const { return _renderer.get(); }
  TextureCache* getTextureCache() const;
  void setRenderer(std::unique_ptr<Renderer> renderer);

  // Asks the application loop to end after the current frame.
  void end() { _endRequested = true; }
  bool isEndRequested() const { return _endRequested; }

  // Drops the scene, every schedule, action, listener, hook and pending
  // removal, drains the pool and restores the defaults. Used between tests
  // and when the application ends.
  void reset();

 private:
  Director();
  void runHooks(float dt);
  void runDeferredRemovals();
  void setNextScene();
  void drawScene();

  struct Hook {
    int id;
    FramePhase phase;
    FrameHook fn;
    bool removed = false;
  };

  Scheduler* _scheduler;
  ActionManager* _actionManager;
  EventDispatcher* _eventDispatcher;
  std::unique_ptr<Renderer> _renderer;
  GLView* _openGLView = nullptr;
  Scene* _runningScene = nullptr;
  Scene* _nextScene = nullptr;
  std::vector<Hook> _hooks;
  int _nextHookId = 0;
  std::vector<std::pair<Node*, Node*>> _pendingRemovals;
  double _animationInterval = 1.0 / 60;
  double _msRemainder = 0;
  float _deltaTime = 0;
  float _contentScaleFactor = 1.0f;
  std::uint64_t _totalFrames = 0;
  std::uint64_t _drawnFrames = 0;
  FrameRecorder _recorder;  // the last frame visited: it looks like the one drawn last
  bool _drawnOnce = false;
  Projection _projection = Projection::DEFAULT;
  bool _animationStopped = false;
  bool _inFrame = false;
  bool _endRequested = false;
};

}  // namespace cocos2d
