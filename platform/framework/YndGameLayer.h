// The base layer of every widget, card row and screen.
//
// Beyond the engine's layer it offers:
// - numbered timers (SetTimer / KillTimer, delivered to OnTimer), running on
//   the engine's scheduler while the layer runs;
// - calls deferred to the next frame (AddNextFrameToDo), run in the frame
//   loop's next-frame phase of the frame after the request, once;
// - sprite sheets loaded into the frame cache (AddPlist);
// - mouse events as numbered kinds, once the mouse-event switch is on;
// - a touch barrier (SetNeedDiableOtherTouch): the layer then takes every
//   touch, and the layers below it get none;
// - the reply hook of the web client (CallBackAsyncHttpRes).
#pragma once

#include <functional>
#include <map>
#include <type_traits>
#include <vector>

#include "platform/engine/Event.h"
#include "platform/engine/Layer.h"

class YndLoadingBase;

// Kinds handed to CallBackHandleMouseEvent.
enum YndMouseKind {
  kYndMouseLeftDown = 1,
  kYndMouseLeftUp = 2,
  kYndMouseRightDown = 3,  // the right button
  kYndMouseRightUp = 4,
  kYndMouseMiddleDown = 5,
  kYndMouseMiddleUp = 6,
  kYndMouseMove = 7,  // the pointer moved
  kYndMouseScroll = 8,
};

// Runs `call` once in the next frame's next-frame phase, like
// YndGameLayer::AddNextFrameToDo, for work that belongs to no layer.
void YndRunNextFrame(std::function<void()> call);
// Makes the platform services' answers (OsApiBase) arrive in the next frame.
// Start-up calls it once.
void YndInstallPlatformAnswers();

class YndGameLayer : public cocos2d::Layer {
 public:
  // `loading` is the loading screen of a table view, null for widgets. The
  // layer is sized to the window.
  explicit YndGameLayer(YndLoadingBase* loading = nullptr);
  ~YndGameLayer() override;

  // Overrides call these first.
  void onEnter() override;
  void onExit() override;

  YndLoadingBase* GetLoadingBase() const { return m_pLoadingBase; }

  // Loads a sprite sheet into the engine's frame cache (again loading one
  // that is there already does nothing). False when neither the sheet nor the
  // frame manifest knows it.
  bool AddPlist(const char* plist);

  // ---- numbered timers ----
  // Calls OnTimer(id) every `seconds`; `repeat` counts the calls after the
  // first as the engine's schedules do (0: once, n: n + 1 times, -1: without
  // end). Setting a timer that runs restarts it. Timers stop with the layer's
  // cleanup.
  void SetTimer(int id, float seconds, int repeat);
  void KillTimer(int id);
  bool IsTimerRunning(int id) const;
  virtual void OnTimer(int id);

  // ---- next-frame calls ----
  // Runs `call` once, in the next frame's next-frame phase. A call requested
  // during a frame waits for the following frame. Pending calls die with the
  // layer.
  void AddNextFrameToDo(std::function<void()> call);
  template <class T>
  void AddNextFrameToDo(void (T::*member)()) {
    static_assert(std::is_base_of_v<YndGameLayer, T>);
    T* self = static_cast<T*>(this);
    AddNextFrameToDo(std::function<void()>([self, member] { (self->*member)(); }));
  }
  template <class T, class Arg>
  void AddNextFrameToDo(void (T::*member)(Arg), std::type_identity_t<Arg> arg) {
    static_assert(std::is_base_of_v<YndGameLayer, T>);
    T* self = static_cast<T*>(this);
    AddNextFrameToDo(std::function<void()>([self, member, arg] { (self->*member)(arg); }));
  }
  std::size_t PendingNextFrameCalls() const { return m_vcNextFrameHooks.size(); }

  // ---- mouse ----
  // The mouse-event switch; callers set it before onEnter. While on, mouse
  // events reach CallBackHandleMouseEvent with a YndMouseKind.
  void SetMouseEventEnable(bool enable);
  bool IsMouseEventEnable() const { return m_bMouseEventEnable; }
  virtual void CallBackHandleMouseEvent(int kind, cocos2d::EventMouse* event);

  // ---- web client ----
  // Reply of an asynchronous web request made for this layer (error 0: the
  // exchange worked; see YndWebClient). The request text is the address.
  // Replies still owed when the layer leaves the scene or dies are dropped.
  virtual void CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error);

  // ---- touch barrier ----
  void SetNeedDiableOtherTouch(bool need);
  bool GetNeedDiableOtherTouch() const { return m_bNeedDisableOtherTouch; }

  // The touch settings of the engine layer; kept here so that the barrier
  // stays behind the layer's own touch handling.
  void setTouchEnabled(bool enabled) override;
  void setTouchEnabled(bool enabled, bool flag) override;
  void setTouchMode(cocos2d::Touch::DispatchMode mode) override;
  void setSwallowsTouches(bool swallows) override;

  // The modal-layer flag: set by dialogs (true from a room list, false at a
  // table for the settings window). Stored only.
  bool m_bModalFlag = false;

 protected:
  void onMouseDown(cocos2d::EventMouse* event) override;
  void onMouseUp(cocos2d::EventMouse* event) override;
  void onMouseMove(cocos2d::EventMouse* event) override;
  void onMouseScroll(cocos2d::EventMouse* event) override;

  YndLoadingBase* m_pLoadingBase = nullptr;
  bool m_bMouseEventEnable = false;

 private:
  void HandleMouse(int kind, cocos2d::EventMouse* event);
  void RefreshTouchBarrier();
  void RemoveTouchBarrier();

  bool m_bNeedDisableOtherTouch = false;
  cocos2d::EventListenerTouchOneByOne* m_pTouchBarrier = nullptr;
  std::vector<int> m_vcNextFrameHooks;
};
