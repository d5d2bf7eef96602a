// Time-driven callbacks of the frame loop.
//
// Semantics the program relies on:
// - a callback scheduled with an interval first runs `interval` seconds after it
//   was scheduled (interval 0: every frame), then every interval; a frame longer
//   than several intervals runs it several times;
// - `scheduleOnce` (repeat 0 with a delay) runs once, after the delay;
// - scheduling a callback that is already scheduled keeps its elapsed time and
//   only changes its interval; unscheduling first and scheduling again restarts;
// - a callback may unschedule itself, schedule others, or remove its own node:
//   the target is retained for the duration of the call;
// - entries added during the scheduler's own pass run from the next frame on.
#pragma once

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/engine/Ref.h"

namespace cocos2d {

constexpr unsigned int CC_REPEAT_FOREVER = UINT_MAX - 1;

class Scheduler : public Ref {
 public:
  static constexpr int PRIORITY_SYSTEM = INT_MIN;
  static constexpr int PRIORITY_NON_SYSTEM_MIN = PRIORITY_SYSTEM + 1;

  Scheduler();
  ~Scheduler() override;

  void update(float dt);

  void schedule(SEL_SCHEDULE selector, Ref* target, float interval, unsigned int repeat, float delay, bool paused);
  void schedule(SEL_SCHEDULE selector, Ref* target, float interval, bool paused);
  void schedule(const std::function<void(float)>& callback, Ref* target, float interval, unsigned int repeat,
                float delay, bool paused, const std::string& key);
  void schedule(const std::function<void(float)>& callback, void* target, float interval, unsigned int repeat,
                float delay, bool paused, const std::string& key);
  void schedule(const std::function<void(float)>& callback, void* target, float interval, bool paused,
                const std::string& key);
  void unschedule(SEL_SCHEDULE selector, Ref* target);
  void unschedule(const std::string& key, void* target);
  bool isScheduled(SEL_SCHEDULE selector, const Ref* target) const;
  bool isScheduled(const std::string& key, const void* target) const;

  // Per-frame update of a target: lower priorities run first, equal ones in
  // the order they were added.
  void scheduleUpdate(Ref* target, int priority, bool paused, const std::function<void(float)>& callback);
  void unscheduleUpdate(const void* target);
  bool isUpdateScheduled(const void* target) const;

  void unscheduleAllForTarget(const void* target);
  void unscheduleAll();

  void pauseTarget(const void* target);
  void resumeTarget(const void* target);
  bool isTargetPaused(const void* target) const;
  // A target that is going away: its timers and its paused mark are dropped
  // (a later object at the same address starts unmarked).
  void forgetTarget(const void* target);

  void setTimeScale(float scale) { _timeScale = scale; }
  float getTimeScale() const { return _timeScale; }

  // Number of live timers and update entries (for tests and diagnostics).
  std::size_t timerCount() const;
  std::size_t updateCount() const;

 private:
  struct Timer;
  struct UpdateEntry;
  Timer* findTimer(const void* target, SEL_SCHEDULE selector, const std::string* key) const;
  // Sets the timing of a new timer and adds it (paused when its target is).
  void addTimer(std::unique_ptr<Timer> timer, float interval, unsigned int repeat, float delay, bool paused);
  void runTimer(Timer& t, float dt);
  void trigger(Timer& t, float dt);
  void sweep();

  std::vector<std::unique_ptr<Timer>> _timers;
  std::vector<std::unique_ptr<UpdateEntry>> _updates;
  std::vector<std::unique_ptr<UpdateEntry>> _pendingUpdates;
  std::unordered_set<const void*> _pausedTargets;
  float _timeScale = 1.0f;
  bool _updating = false;
};

}  // namespace cocos2d
