#include "platform/framework/YndGameLayer.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/engine/Director.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/Scheduler.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndWebClient.h"
#include "platform/os/OsApiBase.h"

using cocos2d::Director;
using cocos2d::EventMouse;

namespace {
std::string TimerKey(int id) { return "YndGameLayer.timer." + std::to_string(id); }
}  // namespace

YndGameLayer::YndGameLayer(YndLoadingBase* loading) : m_pLoadingBase(loading) { Layer::init(); }

YndGameLayer::~YndGameLayer() {
  if (Director* director = Director::getInstanceIfAlive()) {
    for (int id : m_vcNextFrameHooks) director->removeFrameHook(id);
  }
  m_vcNextFrameHooks.clear();
  RemoveTouchBarrier();
  if (YndWebClient* web = YndWebClient::getInstanceIfAlive()) web->ForgetTarget(this);
}

void YndGameLayer::onEnter() {
  Layer::onEnter();
  if (isMouseEnabled() != m_bMouseEventEnable) setMouseEnabled(m_bMouseEventEnable);
}

void YndGameLayer::onExit() {
  Layer::onExit();
  // Web replies still owed to a layer that left the scene are dropped.
  if (YndWebClient* web = YndWebClient::getInstanceIfAlive()) web->ForgetTarget(this);
}

// ---------------------------------------------------------------- sprite sheets

bool YndGameLayer::AddPlist(const char* plist) {
  if (plist == nullptr || *plist == '\0') return false;
  cocos2d::SpriteFrameCache* cache = cocos2d::SpriteFrameCache::getInstance();
  cache->addSpriteFramesWithFile(plist);  // a sheet already loaded is not read again
  return cache->isSpriteFramesWithFileLoaded(plist);
}

// ---------------------------------------------------------------- timers

void YndGameLayer::SetTimer(int id, float seconds, int repeat) {
  const std::string key = TimerKey(id);
  unschedule(key);
  const unsigned int times = repeat < 0 ? cocos2d::CC_REPEAT_FOREVER : static_cast<unsigned int>(repeat);
  schedule([this, id](float) { OnTimer(id); }, seconds < 0 ? 0.0f : seconds, times, 0.0f, key);
}

void YndGameLayer::KillTimer(int id) { unschedule(TimerKey(id)); }

bool YndGameLayer::IsTimerRunning(int id) const { return isScheduled(TimerKey(id)); }

void YndGameLayer::OnTimer(int) {}

// ---------------------------------------------------------------- next-frame calls

namespace {
// Adds a one-shot hook to the next frame's next-frame phase (a call asked for
// inside a frame waits for the following one). `call` gets the hook's id.
int PostToNextFrame(std::function<void(int hookId)> call) {
  Director* director = Director::getInstance();
  const std::uint64_t requestFrame = director->getTotalFrames();
  const bool duringFrame = director->isInFrame();
  auto hookId = std::make_shared<int>(0);
  *hookId = director->addFrameHook(
      cocos2d::FramePhase::NextFrameCalls, [call = std::move(call), requestFrame, duringFrame, hookId](float) {
        Director* d = Director::getInstance();
        // Asked for inside this very frame: wait for the next one.
        if (duringFrame && d->getTotalFrames() == requestFrame) return;
        d->removeFrameHook(*hookId);
        auto keep = call;  // the hook's own copy dies when the hook is dropped
        keep(*hookId);
      });
  return *hookId;
}
}  // namespace

void YndRunNextFrame(std::function<void()> call) {
  if (!call) return;
  PostToNextFrame([call = std::move(call)](int) { call(); });
}

void YndInstallPlatformAnswers() {
  OsApiBase::shareOsApi()->SetLaterCallPoster([](OsApiBase::LaterCall call) { YndRunNextFrame(std::move(call)); });
}

void YndGameLayer::AddNextFrameToDo(std::function<void()> call) {
  if (!call) return;
  const int hookId = PostToNextFrame([this, call = std::move(call)](int id) {
    m_vcNextFrameHooks.erase(std::remove(m_vcNextFrameHooks.begin(), m_vcNextFrameHooks.end(), id),
                             m_vcNextFrameHooks.end());
    retain();  // the call may remove the last owner of the layer
    call();
    release();
  });
  m_vcNextFrameHooks.push_back(hookId);
}

// ---------------------------------------------------------------- mouse

void YndGameLayer::SetMouseEventEnable(bool enable) {
  m_bMouseEventEnable = enable;
  setMouseEnabled(enable);
}

void YndGameLayer::CallBackHandleMouseEvent(int, EventMouse*) {}

void YndGameLayer::HandleMouse(int kind, EventMouse* event) {
  if (m_bMouseEventEnable) CallBackHandleMouseEvent(kind, event);
}

namespace {
int ButtonKind(EventMouse* event, bool down) {
  switch (event->getMouseButton()) {
    case EventMouse::MouseButton::BUTTON_LEFT: return down ? kYndMouseLeftDown : kYndMouseLeftUp;
    case EventMouse::MouseButton::BUTTON_RIGHT: return down ? kYndMouseRightDown : kYndMouseRightUp;
    case EventMouse::MouseButton::BUTTON_MIDDLE: return down ? kYndMouseMiddleDown : kYndMouseMiddleUp;
    default: return 0;
  }
}
}  // namespace

void YndGameLayer::onMouseDown(EventMouse* event) {
  if (const int kind = ButtonKind(event, true)) HandleMouse(kind, event);
}

void YndGameLayer::onMouseUp(EventMouse* event) {
  if (const int kind = ButtonKind(event, false)) HandleMouse(kind, event);
}

void YndGameLayer::onMouseMove(EventMouse* event) { HandleMouse(kYndMouseMove, event); }

void YndGameLayer::onMouseScroll(EventMouse* event) { HandleMouse(kYndMouseScroll, event); }

// ---------------------------------------------------------------- web client

void YndGameLayer::CallBackAsyncHttpRes(const char*, int, const char*, int, int) {}

// ---------------------------------------------------------------- touch barrier
//
// The barrier is a one-by-one listener on the layer that claims and swallows
// every touch. One-by-one listeners are offered a touch before all-at-once
// ones, so the barrier hands the touches it takes to the layer's own
// all-at-once handlers itself. It is registered after the layer's own
// listener, so a layer in one-by-one mode still sees each touch first.

void YndGameLayer::SetNeedDiableOtherTouch(bool need) {
  m_bNeedDisableOtherTouch = need;
  RefreshTouchBarrier();
}

void YndGameLayer::RemoveTouchBarrier() {
  if (!m_pTouchBarrier) return;
  if (Director* director = Director::getInstanceIfAlive()) {
    director->getEventDispatcher()->removeEventListener(m_pTouchBarrier);
  }
  m_pTouchBarrier->release();
  m_pTouchBarrier = nullptr;
}

void YndGameLayer::RefreshTouchBarrier() {
  RemoveTouchBarrier();
  if (!m_bNeedDisableOtherTouch) return;
  using cocos2d::Touch;
  auto forwardAll = [this]() { return isTouchEnabled() && getTouchMode() == Touch::DispatchMode::ALL_AT_ONCE; };
  auto* barrier = cocos2d::EventListenerTouchOneByOne::create();
  barrier->setSwallowTouches(true);
  barrier->onTouchBegan = [this, forwardAll](Touch* t, cocos2d::Event* e) {
    if (forwardAll()) onTouchesBegan({t}, e);
    return true;
  };
  barrier->onTouchMoved = [this, forwardAll](Touch* t, cocos2d::Event* e) {
    if (forwardAll()) onTouchesMoved({t}, e);
  };
  barrier->onTouchEnded = [this, forwardAll](Touch* t, cocos2d::Event* e) {
    if (forwardAll()) onTouchesEnded({t}, e);
  };
  barrier->onTouchCancelled = [this, forwardAll](Touch* t, cocos2d::Event* e) {
    if (forwardAll()) onTouchesCancelled({t}, e);
  };
  barrier->retain();
  m_pTouchBarrier = barrier;
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(barrier, this);
}

void YndGameLayer::setTouchEnabled(bool enabled) {
  Layer::setTouchEnabled(enabled);
  if (m_pTouchBarrier) RefreshTouchBarrier();
}

void YndGameLayer::setTouchEnabled(bool enabled, bool flag) {
  Layer::setTouchEnabled(enabled, flag);
  if (m_pTouchBarrier) RefreshTouchBarrier();
}

void YndGameLayer::setTouchMode(cocos2d::Touch::DispatchMode mode) {
  Layer::setTouchMode(mode);
  if (m_pTouchBarrier) RefreshTouchBarrier();
}

void YndGameLayer::setSwallowsTouches(bool swallows) {
  Layer::setSwallowsTouches(swallows);
  if (m_pTouchBarrier) RefreshTouchBarrier();
}
