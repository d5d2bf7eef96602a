#include "platform/engine/Director.h"

#include <algorithm>
#include <cmath>

#include "platform/engine/Action.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Renderer.h"
#include "platform/engine/Scene.h"
#include "platform/engine/Scheduler.h"
#include "platform/engine/Sprite.h"
#include "platform/os/Clock.h"

namespace cocos2d {

namespace {
Director* g_director = nullptr;
constexpr float kDefaultWidth = 1280;
constexpr float kDefaultHeight = 720;
}  // namespace

Director* Director::getInstance() {
  if (!g_director) g_director = new Director();
  return g_director;
}

Director* Director::getInstanceIfAlive() { return g_director; }

Director::Director()
    : _scheduler(new Scheduler()),
      _actionManager(new ActionManager()),
      _eventDispatcher(new EventDispatcher()),
      _renderer(std::make_unique<HeadlessRenderer>()) {}

void Director::setRenderer(std::unique_ptr<Renderer> renderer) {
  _renderer = renderer ? std::move(renderer) : std::make_unique<HeadlessRenderer>();
  _drawnOnce = false;
}

// ---------------------------------------------------------------- frame loop

void Director::mainLoop() { mainLoop(static_cast<float>(_animationInterval)); }

void Director::mainLoop(float dt) {
  if (dt < 0) dt = 0;
  _inFrame = true;
  ++_totalFrames;
  _deltaTime = dt;

  // Whole milliseconds go to the clock; the fraction is carried to the next frame.
  _msRemainder += static_cast<double>(dt) * 1000.0;
  const double whole = std::floor(_msRemainder + 1e-6);
  if (whole > 0) {
    ddz::os::Clock().AdvanceMs(static_cast<std::uint64_t>(whole));
    _msRemainder -= whole;
    if (_msRemainder < 0) _msRemainder = 0;
  }

  if (!_animationStopped) {
    _scheduler->update(dt);
    _actionManager->update(dt);
    runHooks(dt);
    if (_nextScene) setNextScene();
    if (!_openGLView || !_openGLView->isDrawingPaused()) drawScene();
  }

  AutoreleasePool::current().clear();
  _inFrame = false;
}

int Director::addFrameHook(FramePhase phase, FrameHook hook) {
  Hook h{++_nextHookId, phase, std::move(hook)};
  // Keep the list ordered by phase; within a phase, by arrival.
  auto pos = std::upper_bound(_hooks.begin(), _hooks.end(), phase,
                              [](FramePhase p, const Hook& x) { return static_cast<int>(p) < static_cast<int>(x.phase); });
  _hooks.insert(pos, std::move(h));
  return _nextHookId;
}

void Director::removeFrameHook(int id) {
  for (Hook& h : _hooks)
    if (h.id == id) h.removed = true;
}

bool Director::hasFrameHook(int id) const {
  return std::any_of(_hooks.begin(), _hooks.end(), [id](const Hook& h) { return h.id == id && !h.removed; });
}

void Director::runHooks(float dt) {
  // Hooks added while the hooks run start with the next frame.
  std::vector<int> ids;
  ids.reserve(_hooks.size());
  for (const Hook& h : _hooks) ids.push_back(h.id);
  for (int id : ids) {
    auto it = std::find_if(_hooks.begin(), _hooks.end(), [id](const Hook& h) { return h.id == id; });
    if (it == _hooks.end() || it->removed) continue;
    FrameHook fn = it->fn;  // the hook may add or remove hooks
    fn(dt);
  }
  _hooks.erase(std::remove_if(_hooks.begin(), _hooks.end(), [](const Hook& h) { return h.removed; }), _hooks.end());
  runDeferredRemovals();
}

void Director::removeChildLater(Node* child, Node* parent) {
  if (!child || !parent) return;
  for (auto& p : _pendingRemovals)
    if (p.first == child && p.second == parent) return;
  child->retain();
  parent->retain();
  _pendingRemovals.emplace_back(child, parent);
}

void Director::runChildRemoval(Node* child) {
  std::vector<std::pair<Node*, Node*>> mine;
  for (auto it = _pendingRemovals.begin(); it != _pendingRemovals.end();) {
    if (it->first == child) {
      mine.push_back(*it);
      it = _pendingRemovals.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& [node, parent] : mine) {
    if (node->getParent() == parent) parent->removeChild(node, true);
    node->release();
    parent->release();
  }
}

void Director::runDeferredRemovals() {
  // Removals requested by an onExit run in the same pass.
  while (!_pendingRemovals.empty()) {
    auto batch = std::move(_pendingRemovals);
    _pendingRemovals.clear();
    for (auto& [child, parent] : batch) {
      if (child->getParent() == parent) parent->removeChild(child, true);
      child->release();
      parent->release();
    }
  }
}

// ---------------------------------------------------------------- scenes

void Director::runWithScene(Scene* scene) {
  CCASSERT(scene, "runWithScene: scene is null");
  if (!scene) return;
  if (_runningScene) {
    replaceScene(scene);
    return;
  }
  scene->retain();
  _runningScene = scene;
  scene->onEnter();
  scene->onEnterTransitionDidFinish();
}

void Director::replaceScene(Scene* scene) {
  if (!scene) return;
  if (!_runningScene) {
    runWithScene(scene);
    return;
  }
  scene->retain();
  CC_SAFE_RELEASE(_nextScene);
  _nextScene = scene;
}

void Director::setNextScene() {
  Scene* next = _nextScene;
  _nextScene = nullptr;
  if (Scene* old = _runningScene) {
    old->onExitTransitionDidStart();
    old->onExit();
    old->cleanup();
    _runningScene = nullptr;
    old->release();
  }
  _runningScene = next;
  next->onEnter();
  next->onEnterTransitionDidFinish();
}

void Director::drawScene() {
  _recorder.beginFrame();
  if (_runningScene) _runningScene->visit(&_recorder, AffineTransform::IDENTITY, 0);
  _recorder.endFrame();
  if (_drawnOnce && !_recorder.changed() && !_renderer->wantsFrame()) return;
  _drawnOnce = true;
  ++_drawnFrames;
  _recorder.replay(*_renderer);
}

TextureCache* Director::getTextureCache() const { return TextureCache::getInstance(); }

// ---------------------------------------------------------------- window

void Director::setOpenGLView(GLView* view) {
  if (view == _openGLView) return;
  CC_SAFE_RETAIN(view);
  CC_SAFE_RELEASE(_openGLView);
  _openGLView = view;
}

Size Director::getWinSize() const {
  return _openGLView ? _openGLView->getDesignResolutionSize() : Size(kDefaultWidth, kDefaultHeight);
}

Size Director::getVisibleSize() const { return _openGLView ? _openGLView->getVisibleSize() : getWinSize(); }

Vec2 Director::getVisibleOrigin() const { return _openGLView ? _openGLView->getVisibleOrigin() : Vec2::ZERO; }

Vec2 Director::convertToGL(const Vec2& uiPoint) const { return {uiPoint.x, getWinSize().height - uiPoint.y}; }

Vec2 Director::convertToUI(const Vec2& glPoint) const { return {glPoint.x, getWinSize().height - glPoint.y}; }

// ---------------------------------------------------------------- reset

void Director::reset() {
  if (Scene* s = _runningScene) {
    s->onExitTransitionDidStart();
    s->onExit();
    s->cleanup();
    _runningScene = nullptr;
    s->release();
  }
  CC_SAFE_RELEASE_NULL(_nextScene);
  for (auto& [child, parent] : _pendingRemovals) {
    child->release();
    parent->release();
  }
  _pendingRemovals.clear();
  _hooks.clear();
  _scheduler->unscheduleAll();
  _actionManager->removeAllActions();
  _eventDispatcher->removeAllEventListeners();
  AutoreleasePool::current().clear();
  setOpenGLView(nullptr);
  _renderer = std::make_unique<HeadlessRenderer>();
  _drawnOnce = false;
  _animationInterval = 1.0 / 60;
  _msRemainder = 0;
  _deltaTime = 0;
  _contentScaleFactor = 1.0f;
  // The frame count keeps running: it orders work across resets.
  _projection = Projection::DEFAULT;
  _animationStopped = false;
  _endRequested = false;
}

}  // namespace cocos2d
