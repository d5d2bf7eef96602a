#include "platform/engine/Scheduler.h"

#include <algorithm>

namespace cocos2d {

namespace {
// Tolerance for comparing accumulated frame time against an interval, so that
// frames of 0.1 s reach an interval of 0.3 s after three frames.
constexpr double kEpsilon = 1e-6;
}

struct Scheduler::Timer {
  const void* target = nullptr;
  Ref* ref = nullptr;  // retained during the call when the target is an engine object
  SEL_SCHEDULE selector = nullptr;
  std::string key;
  std::function<void(float)> callback;
  double interval = 0;
  double delay = 0;
  unsigned int repeat = 0;
  bool forever = true;
  bool useDelay = false;
  double elapsed = 0;
  unsigned int timesExecuted = 0;
  bool paused = false;
  bool dead = false;
};

struct Scheduler::UpdateEntry {
  const void* target = nullptr;
  Ref* ref = nullptr;
  int priority = 0;
  std::function<void(float)> callback;
  bool paused = false;
  bool dead = false;
};

Scheduler::Scheduler() = default;
Scheduler::~Scheduler() = default;

Scheduler::Timer* Scheduler::findTimer(const void* target, SEL_SCHEDULE selector, const std::string* key) const {
  for (const auto& t : _timers) {
    if (t->dead || t->target != target) continue;
    if (key ? (t->selector == nullptr && t->key == *key) : (t->selector == selector)) return t.get();
  }
  return nullptr;
}

void Scheduler::addTimer(std::unique_ptr<Timer> timer, float interval, unsigned int repeat, float delay,
                         bool paused) {
  timer->interval = interval;
  timer->delay = delay;
  timer->repeat = repeat;
  timer->forever = repeat == CC_REPEAT_FOREVER;
  timer->useDelay = delay > 0.0f;
  timer->paused = paused;
  if (_pausedTargets.count(timer->target) != 0) timer->paused = true;
  _timers.push_back(std::move(timer));
}

void Scheduler::schedule(SEL_SCHEDULE selector, Ref* target, float interval, unsigned int repeat, float delay,
                         bool paused) {
  CCASSERT(selector && target, "schedule needs a selector and a target");
  if (Timer* t = findTimer(target, selector, nullptr)) {
    t->interval = interval;  // keeps its elapsed time
    return;
  }
  auto t = std::make_unique<Timer>();
  t->target = target;
  t->ref = target;
  t->selector = selector;
  addTimer(std::move(t), interval, repeat, delay, paused);
}

void Scheduler::schedule(SEL_SCHEDULE selector, Ref* target, float interval, bool paused) {
  schedule(selector, target, interval, CC_REPEAT_FOREVER, 0.0f, paused);
}

void Scheduler::schedule(const std::function<void(float)>& callback, Ref* target, float interval,
                         unsigned int repeat, float delay, bool paused, const std::string& key) {
  schedule(callback, static_cast<void*>(target), interval, repeat, delay, paused, key);
  if (Timer* t = findTimer(target, nullptr, &key)) t->ref = target;
}

void Scheduler::schedule(const std::function<void(float)>& callback, void* target, float interval,
                         unsigned int repeat, float delay, bool paused, const std::string& key) {
  CCASSERT(target && !key.empty(), "schedule needs a target and a key");
  if (Timer* t = findTimer(target, nullptr, &key)) {
    t->interval = interval;
    return;
  }
  auto t = std::make_unique<Timer>();
  t->target = target;
  t->key = key;
  t->callback = callback;
  addTimer(std::move(t), interval, repeat, delay, paused);
}

void Scheduler::schedule(const std::function<void(float)>& callback, void* target, float interval, bool paused,
                         const std::string& key) {
  schedule(callback, target, interval, CC_REPEAT_FOREVER, 0.0f, paused, key);
}

void Scheduler::unschedule(SEL_SCHEDULE selector, Ref* target) {
  if (Timer* t = findTimer(target, selector, nullptr)) t->dead = true;
  if (!_updating) sweep();
}

void Scheduler::unschedule(const std::string& key, void* target) {
  if (Timer* t = findTimer(target, nullptr, &key)) t->dead = true;
  if (!_updating) sweep();
}

bool Scheduler::isScheduled(SEL_SCHEDULE selector, const Ref* target) const {
  return findTimer(target, selector, nullptr) != nullptr;
}

bool Scheduler::isScheduled(const std::string& key, const void* target) const {
  return findTimer(target, nullptr, &key) != nullptr;
}

void Scheduler::scheduleUpdate(Ref* target, int priority, bool paused, const std::function<void(float)>& callback) {
  for (auto* list : {&_updates, &_pendingUpdates}) {
    for (auto& e : *list) {
      if (!e->dead && e->target == target) {
        // Already scheduled: only the priority may change. The run order
        // follows it at once, or after the pass when called from inside it.
        const bool moved = e->priority != priority;
        e->priority = priority;
        e->callback = callback;
        if (moved && !_updating) sweep();
        return;
      }
    }
  }
  auto e = std::make_unique<UpdateEntry>();
  e->target = target;
  e->ref = target;
  e->priority = priority;
  e->callback = callback;
  e->paused = paused || _pausedTargets.count(target) != 0;
  if (_updating) {
    _pendingUpdates.push_back(std::move(e));
  } else {
    auto pos = std::upper_bound(_updates.begin(), _updates.end(), priority,
                                [](int p, const std::unique_ptr<UpdateEntry>& x) { return p < x->priority; });
    _updates.insert(pos, std::move(e));
  }
}

void Scheduler::unscheduleUpdate(const void* target) {
  for (auto* list : {&_updates, &_pendingUpdates})
    for (auto& e : *list)
      if (e->target == target) e->dead = true;
  if (!_updating) sweep();
}

bool Scheduler::isUpdateScheduled(const void* target) const {
  for (auto* list : {&_updates, &_pendingUpdates})
    for (auto& e : *list)
      if (!e->dead && e->target == target) return true;
  return false;
}

void Scheduler::unscheduleAllForTarget(const void* target) {
  for (auto& t : _timers)
    if (t->target == target) t->dead = true;
  unscheduleUpdate(target);
}

void Scheduler::unscheduleAll() {
  for (auto& t : _timers) t->dead = true;
  for (auto* list : {&_updates, &_pendingUpdates})
    for (auto& e : *list) e->dead = true;
  if (!_updating) sweep();
}

void Scheduler::pauseTarget(const void* target) {
  _pausedTargets.insert(target);
  for (auto& t : _timers)
    if (t->target == target) t->paused = true;
  for (auto* list : {&_updates, &_pendingUpdates})
    for (auto& e : *list)
      if (e->target == target) e->paused = true;
}

void Scheduler::resumeTarget(const void* target) {
  _pausedTargets.erase(target);
  for (auto& t : _timers)
    if (t->target == target) t->paused = false;
  for (auto* list : {&_updates, &_pendingUpdates})
    for (auto& e : *list)
      if (e->target == target) e->paused = false;
}

bool Scheduler::isTargetPaused(const void* target) const {
  return _pausedTargets.count(target) != 0;
}

void Scheduler::forgetTarget(const void* target) {
  unscheduleAllForTarget(target);
  _pausedTargets.erase(target);
}

std::size_t Scheduler::timerCount() const {
  return static_cast<std::size_t>(
      std::count_if(_timers.begin(), _timers.end(), [](const auto& t) { return !t->dead; }));
}

std::size_t Scheduler::updateCount() const {
  std::size_t n = 0;
  for (auto* list : {&_updates, &_pendingUpdates})
    for (auto& e : *list)
      if (!e->dead) ++n;
  return n;
}

void Scheduler::trigger(Timer& t, float dt) {
  Ref* keep = t.ref;
  if (keep) keep->retain();
  if (t.selector) {
    (t.ref->*t.selector)(dt);
  } else {
    auto cb = t.callback;  // the callback may unschedule (and so replace) itself
    cb(dt);
  }
  if (keep) keep->release();
}

void Scheduler::runTimer(Timer& t, float dt) {
  t.elapsed += dt;
  if (t.useDelay) {
    if (t.elapsed + kEpsilon < t.delay) return;
    t.useDelay = false;
    t.elapsed -= t.delay;
    if (t.elapsed < 0) t.elapsed = 0;
    ++t.timesExecuted;
    trigger(t, static_cast<float>(t.delay));
    if (t.dead) return;
    if (!t.forever && t.timesExecuted > t.repeat) {
      t.dead = true;
      return;
    }
  }
  const double interval = t.interval > 0 ? t.interval : t.elapsed;
  if (interval <= 0) return;
  while (t.elapsed + kEpsilon >= interval) {
    t.elapsed -= interval;
    if (t.elapsed < 0) t.elapsed = 0;
    ++t.timesExecuted;
    trigger(t, static_cast<float>(interval));
    if (t.dead) return;
    if (!t.forever && t.timesExecuted > t.repeat) {
      t.dead = true;
      return;
    }
    if (t.paused) return;  // the callback removed its node from the scene
    if (t.elapsed <= 0) break;
  }
}

void Scheduler::update(float dt) {
  dt *= _timeScale;
  _updating = true;

  const std::size_t updateCount = _updates.size();
  for (std::size_t i = 0; i < updateCount; ++i) {
    UpdateEntry& e = *_updates[i];
    if (e.dead || e.paused) continue;
    Ref* keep = e.ref;
    if (keep) keep->retain();
    auto cb = e.callback;
    cb(dt);
    if (keep) keep->release();
  }

  const std::size_t timerCount = _timers.size();
  for (std::size_t i = 0; i < timerCount; ++i) {
    Timer& t = *_timers[i];
    if (t.dead || t.paused) continue;
    runTimer(t, dt);
  }

  _updating = false;
  sweep();
}

void Scheduler::sweep() {
  _timers.erase(std::remove_if(_timers.begin(), _timers.end(), [](const auto& t) { return t->dead; }),
                _timers.end());
  _updates.erase(std::remove_if(_updates.begin(), _updates.end(), [](const auto& e) { return e->dead; }),
                 _updates.end());
  // A priority changed since the last pass: back into priority order, equal
  // priorities keeping the order they were added in.
  std::stable_sort(_updates.begin(), _updates.end(),
                   [](const std::unique_ptr<UpdateEntry>& x, const std::unique_ptr<UpdateEntry>& y) {
                     return x->priority < y->priority;
                   });
  for (auto& e : _pendingUpdates) {
    if (e->dead) continue;
    auto pos = std::upper_bound(_updates.begin(), _updates.end(), e->priority,
                                [](int p, const std::unique_ptr<UpdateEntry>& x) { return p < x->priority; });
    _updates.insert(pos, std::move(e));
  }
  _pendingUpdates.clear();
}

}  // namespace cocos2d
