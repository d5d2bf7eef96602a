#include "platform/engine/Action.h"

#include <algorithm>
#include <cmath>

#include "platform/engine/Director.h"

namespace cocos2d {

namespace {
constexpr double kEpsilon = 1e-6;

template <class T>
T* Autoreleased(T* a) {
  a->autorelease();
  return a;
}

GLubyte LerpByte(GLubyte from, GLubyte to, float t) {
  return static_cast<GLubyte>(std::lround(from + (static_cast<float>(to) - from) * t));
}
}  // namespace

// ---------------------------------------------------------------- base classes

void Action::startWithTarget(Node* target) {
  _target = target;
  _originalTarget = target;
}

void Action::stop() { _target = nullptr; }
void Action::step(float) {}
void Action::update(float) {}

bool ActionInterval::initWithDuration(float d) {
  _duration = d < 0 ? 0 : d;
  return true;
}

bool ActionInterval::isDone() const { return _elapsed + kEpsilon >= _duration; }

void ActionInterval::startWithTarget(Node* target) {
  FiniteTimeAction::startWithTarget(target);
  _elapsed = 0;
  _firstTick = true;
}

void ActionInterval::step(float dt) {
  if (_firstTick) {
    _firstTick = false;
    _elapsed = dt;
  } else {
    _elapsed += dt;
  }
  float t = 1.0f;
  if (_duration > 0 && _elapsed + kEpsilon < _duration)
    t = static_cast<float>(std::max(0.0, _elapsed / _duration));
  update(t);
}

void ActionInstant::step(float) {
  _done = true;
  update(1.0f);
}

// ---------------------------------------------------------------- manager

ActionManager::~ActionManager() {
  for (auto& e : _entries)
    if (!e->dead) e->action->release();
}

void ActionManager::addAction(Action* action, Node* target, bool paused) {
  if (!action || !target) return;
  auto e = std::make_unique<Entry>();
  e->action = action;
  e->target = target;
  e->paused = paused || _pausedTargets.count(target) != 0;
  // Run during this frame's scheduler or action pass: this frame's time was
  // spent before the action existed.
  Director* d = Director::getInstanceIfAlive();
  if (d && d->isInFrame() && _lastUpdatedFrame != d->getTotalFrames()) e->skipFrame = d->getTotalFrames();
  action->retain();
  action->startWithTarget(target);
  _entries.push_back(std::move(e));
}

void ActionManager::kill(Entry& e) {
  if (e.dead) return;
  e.dead = true;
  e.action->detach();  // released by the next sweep
}

void ActionManager::sweep() {
  std::vector<Action*> doomed;
  _entries.erase(std::remove_if(_entries.begin(), _entries.end(),
                                [&](const std::unique_ptr<Entry>& e) {
                                  if (e->dead) doomed.push_back(e->action);
                                  return e->dead;
                                }),
                 _entries.end());
  for (Action* a : doomed) a->release();
}

void ActionManager::removeAllActions() {
  for (auto& e : _entries) kill(*e);
  if (!_updating) sweep();
}

void ActionManager::removeAllActionsFromTarget(Node* target) {
  for (auto& e : _entries)
    if (e->target == target) kill(*e);
  if (!_updating) sweep();
}

void ActionManager::removeAction(Action* action) {
  for (auto& e : _entries)
    if (e->action == action) kill(*e);
  if (!_updating) sweep();
}

void ActionManager::removeActionByTag(int tag, Node* target) {
  for (auto& e : _entries) {
    if (!e->dead && e->target == target && e->action->getTag() == tag) {
      kill(*e);
      break;
    }
  }
  if (!_updating) sweep();
}

void ActionManager::removeAllActionsByTag(int tag, Node* target) {
  for (auto& e : _entries)
    if (e->target == target && e->action->getTag() == tag) kill(*e);
  if (!_updating) sweep();
}

Action* ActionManager::getActionByTag(int tag, const Node* target) const {
  for (auto& e : _entries)
    if (!e->dead && e->target == target && e->action->getTag() == tag) return e->action;
  return nullptr;
}

std::size_t ActionManager::getNumberOfRunningActionsInTarget(const Node* target) const {
  std::size_t n = 0;
  for (auto& e : _entries)
    if (!e->dead && e->target == target) ++n;
  return n;
}

std::size_t ActionManager::getNumberOfRunningActions() const {
  std::size_t n = 0;
  for (auto& e : _entries)
    if (!e->dead) ++n;
  return n;
}

void ActionManager::pauseTarget(Node* target) {
  _pausedTargets.insert(target);
  for (auto& e : _entries)
    if (e->target == target) e->paused = true;
}

void ActionManager::forgetTarget(Node* target) {
  removeAllActionsFromTarget(target);
  _pausedTargets.erase(target);
}

void ActionManager::resumeTarget(Node* target) {
  _pausedTargets.erase(target);
  for (auto& e : _entries)
    if (e->target == target) e->paused = false;
}

void ActionManager::update(float dt) {
  Director* d = Director::getInstanceIfAlive();
  const std::uint64_t frame = d ? d->getTotalFrames() : 0;
  _updating = true;
  const std::size_t count = _entries.size();
  for (std::size_t i = 0; i < count; ++i) {
    Entry& e = *_entries[i];
    if (e.dead || e.paused || (e.skipFrame != 0 && e.skipFrame == frame)) continue;
    Action* action = e.action;
    Node* target = e.target;
    action->retain();
    target->retain();
    action->step(dt);
    if (!e.dead && action->isDone()) {
      action->stop();
      e.dead = true;
    }
    target->release();
    action->release();
  }
  _updating = false;
  _lastUpdatedFrame = frame;
  sweep();
}

// ---------------------------------------------------------------- Sequence

Sequence* Sequence::createFromList(const std::vector<FiniteTimeAction*>& list) {
  auto* s = new Sequence();
  double total = 0;
  for (FiniteTimeAction* a : list) {
    if (!a) break;  // the list ends at the first null, as the engine's does
    a->retain();
    s->_actions.push_back(a);
    s->_starts.push_back(total);
    total += a->getDuration();
  }
  s->initWithDuration(static_cast<float>(total));
  s->_started.assign(s->_actions.size(), 0);
  s->_finished.assign(s->_actions.size(), 0);
  return Autoreleased(s);
}

Sequence* Sequence::create(const Vector<FiniteTimeAction*>& actions) {
  std::vector<FiniteTimeAction*> list(actions.begin(), actions.end());
  return createFromList(list);
}

Sequence* Sequence::createWithTwoActions(FiniteTimeAction* a, FiniteTimeAction* b) { return create(a, b); }

Sequence::~Sequence() {
  for (FiniteTimeAction* a : _actions) a->release();
}

void Sequence::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  std::fill(_started.begin(), _started.end(), 0);
  std::fill(_finished.begin(), _finished.end(), 0);
}

void Sequence::stop() {
  for (std::size_t i = 0; i < _actions.size(); ++i)
    if (_started[i] && !_finished[i]) _actions[i]->stop();
  ActionInterval::stop();
}

void Sequence::update(float t) {
  const double now = static_cast<double>(t) * _duration;
  for (std::size_t i = 0; i < _actions.size(); ++i) {
    if (_finished[i]) continue;
    FiniteTimeAction* a = _actions[i];
    const double start = _starts[i];
    const double end = start + a->getDuration();
    const bool reached = t >= 1.0f || now + kEpsilon >= end;
    if (!reached && now + kEpsilon < start) break;
    Node* target = _target;
    if (!target) return;
    if (!_started[i]) {
      _started[i] = 1;
      a->startWithTarget(target);
    }
    if (reached) {
      _finished[i] = 1;
      a->update(1.0f);
      a->stop();
      if (!_target) return;  // the step stopped this sequence
    } else {
      a->update(static_cast<float>((now - start) / a->getDuration()));
      break;
    }
  }
}

// ---------------------------------------------------------------- Spawn

Spawn* Spawn::createFromList(const std::vector<FiniteTimeAction*>& list) {
  auto* s = new Spawn();
  float total = 0;
  for (FiniteTimeAction* a : list) {
    if (!a) break;
    a->retain();
    s->_actions.push_back(a);
    total = std::max(total, a->getDuration());
  }
  s->initWithDuration(total);
  s->_finished.assign(s->_actions.size(), 0);
  return Autoreleased(s);
}

Spawn* Spawn::create(const Vector<FiniteTimeAction*>& actions) {
  std::vector<FiniteTimeAction*> list(actions.begin(), actions.end());
  return createFromList(list);
}

Spawn* Spawn::createWithTwoActions(FiniteTimeAction* a, FiniteTimeAction* b) { return create(a, b); }

Spawn::~Spawn() {
  for (FiniteTimeAction* a : _actions) a->release();
}

void Spawn::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  std::fill(_finished.begin(), _finished.end(), 0);
  for (FiniteTimeAction* a : _actions) a->startWithTarget(target);
}

void Spawn::stop() {
  for (std::size_t i = 0; i < _actions.size(); ++i)
    if (!_finished[i]) _actions[i]->stop();
  ActionInterval::stop();
}

void Spawn::update(float t) {
  const double now = static_cast<double>(t) * _duration;
  for (std::size_t i = 0; i < _actions.size(); ++i) {
    if (_finished[i]) continue;
    if (!_target) return;
    FiniteTimeAction* a = _actions[i];
    const double d = a->getDuration();
    if (t >= 1.0f || d <= 0 || now + kEpsilon >= d) {
      _finished[i] = 1;
      a->update(1.0f);
      a->stop();
    } else {
      a->update(static_cast<float>(now / d));
    }
  }
}

// ---------------------------------------------------------------- Repeat

Repeat* Repeat::create(FiniteTimeAction* action, unsigned int times) {
  if (!action) return nullptr;
  auto* r = new Repeat();
  action->retain();
  r->_inner = action;
  r->_times = times;
  r->initWithDuration(action->getDuration() * static_cast<float>(times));
  return Autoreleased(r);
}

Repeat::~Repeat() { CC_SAFE_RELEASE(_inner); }

void Repeat::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _total = 0;
  _innerRunning = false;
}

void Repeat::stop() {
  if (_innerRunning) _inner->stop();
  _innerRunning = false;
  ActionInterval::stop();
}

void Repeat::update(float t) {
  const double d = _inner->getDuration();
  const double now = static_cast<double>(t) * _duration;
  while (_total < _times) {
    if (!_target) return;
    if (!_innerRunning) {
      _inner->startWithTarget(_target);
      _innerRunning = true;
    }
    const bool loopDone = t >= 1.0f || d <= 0 || now + kEpsilon >= (_total + 1) * d;
    if (!loopDone) {
      _inner->update(static_cast<float>((now - _total * d) / d));
      return;
    }
    _inner->update(1.0f);
    _inner->stop();
    _innerRunning = false;
    ++_total;
  }
}

// ---------------------------------------------------------------- RepeatForever

RepeatForever* RepeatForever::create(ActionInterval* action) {
  if (!action) return nullptr;
  auto* r = new RepeatForever();
  action->retain();
  r->_inner = action;
  return Autoreleased(r);
}

RepeatForever::~RepeatForever() { CC_SAFE_RELEASE(_inner); }

void RepeatForever::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _inner->startWithTarget(target);
}

void RepeatForever::step(float dt) {
  _inner->step(dt);
  const double d = _inner->getDuration();
  // A long frame runs whole loops (their instant steps included), up to a bound.
  for (int loops = 0; _target && _inner->isDone(); ++loops) {
    double over = d > 0 ? _inner->getElapsed() - d : 0;
    if (over < 0) over = 0;
    if (loops >= 1000 && d > 0) over = std::fmod(over, d);
    _inner->stop();
    if (!_target) return;
    _inner->startWithTarget(_target);
    if (d <= 0) break;  // instant-only contents: once per frame
    _inner->step(static_cast<float>(over));
  }
}

void Sequence::detach() {
  for (FiniteTimeAction* a : _actions) a->detach();
  ActionInterval::detach();
}

void Spawn::detach() {
  for (FiniteTimeAction* a : _actions) a->detach();
  ActionInterval::detach();
}

void Repeat::detach() {
  _inner->detach();
  ActionInterval::detach();
}

void RepeatForever::detach() {
  _inner->detach();
  ActionInterval::detach();
}

void ActionEase::detach() {
  _inner->detach();
  ActionInterval::detach();
}

// ---------------------------------------------------------------- interval actions

DelayTime* DelayTime::create(float d) {
  auto* a = new DelayTime();
  a->initWithDuration(d);
  return Autoreleased(a);
}

MoveBy* MoveBy::create(float duration, const Vec2& delta) {
  auto* a = new MoveBy();
  a->initWithDuration(duration);
  a->_delta = delta;
  return Autoreleased(a);
}

void MoveBy::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _start = target->getPosition();
  _end = _start + _delta;
}

void MoveBy::update(float t) {
  if (!_target) return;
  _target->setPosition(t >= 1.0f ? _end : _start + _delta * t);
}

MoveTo* MoveTo::create(float duration, const Vec2& position) {
  auto* a = new MoveTo();
  a->initWithDuration(duration);
  a->_to = position;
  return Autoreleased(a);
}

void MoveTo::startWithTarget(Node* target) {
  _delta = _to - target->getPosition();
  MoveBy::startWithTarget(target);
  _end = _to;
}

JumpBy* JumpBy::create(float duration, const Vec2& delta, float height, int jumps) {
  auto* a = new JumpBy();
  a->initWithDuration(duration);
  a->_delta = delta;
  a->_height = height;
  a->_jumps = jumps;
  return Autoreleased(a);
}

void JumpBy::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _start = target->getPosition();
}

void JumpBy::update(float t) {
  if (!_target) return;
  if (t >= 1.0f) {
    _target->setPosition(_start + _delta);
    return;
  }
  float frac = std::fmod(t * static_cast<float>(_jumps), 1.0f);
  float y = _height * 4 * frac * (1 - frac) + _delta.y * t;
  _target->setPosition(_start + Vec2(_delta.x * t, y));
}

JumpTo* JumpTo::create(float duration, const Vec2& position, float height, int jumps) {
  auto* a = new JumpTo();
  a->initWithDuration(duration);
  a->_to = position;
  a->_height = height;
  a->_jumps = jumps;
  return Autoreleased(a);
}

void JumpTo::startWithTarget(Node* target) {
  JumpBy::startWithTarget(target);
  _delta = _to - _start;
}

namespace {
float BezierAt(float a, float b, float c, float d, float t) {
  return std::pow(1 - t, 3.0f) * a + 3 * t * std::pow(1 - t, 2.0f) * b + 3 * std::pow(t, 2.0f) * (1 - t) * c +
         std::pow(t, 3.0f) * d;
}
}  // namespace

BezierBy* BezierBy::create(float duration, const ccBezierConfig& config) {
  auto* a = new BezierBy();
  a->initWithDuration(duration);
  a->_config = config;
  return Autoreleased(a);
}

void BezierBy::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _start = target->getPosition();
}

void BezierBy::update(float t) {
  if (!_target) return;
  if (t >= 1.0f) {
    _target->setPosition(_start + _config.endPosition);
    return;
  }
  float x = BezierAt(0, _config.controlPoint_1.x, _config.controlPoint_2.x, _config.endPosition.x, t);
  float y = BezierAt(0, _config.controlPoint_1.y, _config.controlPoint_2.y, _config.endPosition.y, t);
  _target->setPosition(_start + Vec2(x, y));
}

BezierTo* BezierTo::create(float duration, const ccBezierConfig& config) {
  auto* a = new BezierTo();
  a->initWithDuration(duration);
  a->_absolute = config;
  return Autoreleased(a);
}

void BezierTo::startWithTarget(Node* target) {
  BezierBy::startWithTarget(target);
  _config.controlPoint_1 = _absolute.controlPoint_1 - _start;
  _config.controlPoint_2 = _absolute.controlPoint_2 - _start;
  _config.endPosition = _absolute.endPosition - _start;
}

ScaleTo* ScaleTo::create(float duration, float s) { return create(duration, s, s); }

ScaleTo* ScaleTo::create(float duration, float sx, float sy) {
  auto* a = new ScaleTo();
  a->initWithDuration(duration);
  a->_endX = sx;
  a->_endY = sy;
  return Autoreleased(a);
}

void ScaleTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _startX = target->getScaleX();
  _startY = target->getScaleY();
  if (_relative) {
    _endX = _startX * _byX;
    _endY = _startY * _byY;
  }
}

void ScaleTo::update(float t) {
  if (!_target) return;
  if (t >= 1.0f)
    _target->setScale(_endX, _endY);
  else
    _target->setScale(_startX + (_endX - _startX) * t, _startY + (_endY - _startY) * t);
}

ScaleBy* ScaleBy::create(float duration, float s) { return create(duration, s, s); }

ScaleBy* ScaleBy::create(float duration, float sx, float sy) {
  auto* a = new ScaleBy();
  a->initWithDuration(duration);
  a->_relative = true;
  a->_byX = sx;
  a->_byY = sy;
  return Autoreleased(a);
}

RotateTo* RotateTo::create(float duration, float degrees) {
  auto* a = new RotateTo();
  a->initWithDuration(duration);
  a->_to = degrees;
  return Autoreleased(a);
}

void RotateTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  // The shorter way round, as the engine turns.
  _start = std::fmod(target->getRotation(), 360.0f);
  _diff = _to - _start;
  if (_diff > 180) _diff -= 360;
  if (_diff < -180) _diff += 360;
}

void RotateTo::update(float t) {
  if (!_target) return;
  _target->setRotation(t >= 1.0f ? _start + _diff : _start + _diff * t);
}

RotateBy* RotateBy::create(float duration, float degrees) { return create(duration, Vec3(0, 0, degrees)); }

RotateBy* RotateBy::create(float duration, const Vec3& degrees) {
  auto* a = new RotateBy();
  a->initWithDuration(duration);
  a->_delta = degrees;
  return Autoreleased(a);
}

void RotateBy::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _start = target->getRotation3D();
}

void RotateBy::update(float t) {
  if (!_target) return;
  _target->setRotation3D(_start + _delta * (t >= 1.0f ? 1.0f : t));
}

FadeTo* FadeTo::create(float duration, GLubyte opacity) {
  auto* a = new FadeTo();
  a->initWithDuration(duration);
  a->_to = opacity;
  return Autoreleased(a);
}

void FadeTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _from = target->getOpacity();
}

void FadeTo::update(float t) {
  if (!_target) return;
  _target->setOpacity(t >= 1.0f ? _to : LerpByte(_from, _to, t));
}

FadeIn* FadeIn::create(float duration) {
  auto* a = new FadeIn();
  a->initWithDuration(duration);
  a->_to = 255;
  return Autoreleased(a);
}

FadeOut* FadeOut::create(float duration) {
  auto* a = new FadeOut();
  a->initWithDuration(duration);
  a->_to = 0;
  return Autoreleased(a);
}

TintTo* TintTo::create(float duration, GLubyte r, GLubyte g, GLubyte b) {
  auto* a = new TintTo();
  a->initWithDuration(duration);
  a->_to = Color3B(r, g, b);
  return Autoreleased(a);
}

void TintTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _from = target->getColor();
}

void TintTo::update(float t) {
  if (!_target) return;
  if (t >= 1.0f)
    _target->setColor(_to);
  else
    _target->setColor(Color3B(LerpByte(_from.r, _to.r, t), LerpByte(_from.g, _to.g, t), LerpByte(_from.b, _to.b, t)));
}

OrbitCamera* OrbitCamera::create(float t, float, float, float angleZ, float deltaAngleZ, float angleX,
                                 float deltaAngleX) {
  auto* a = new OrbitCamera();
  a->initWithDuration(t);
  a->_angleZ = angleZ;
  a->_deltaAngleZ = deltaAngleZ;
  a->_angleX = angleX;
  a->_deltaAngleX = deltaAngleX;
  return Autoreleased(a);
}

void OrbitCamera::startWithTarget(Node* target) { ActionInterval::startWithTarget(target); }

void OrbitCamera::update(float t) {
  if (!_target) return;
  if (t > 1.0f) t = 1.0f;
  Vec3 r = _target->getRotation3D();
  r.y = _angleZ + _deltaAngleZ * t;
  r.x = _angleX + _deltaAngleX * t;
  _target->setRotation3D(r);
}

// ---------------------------------------------------------------- easing

ActionEase::~ActionEase() { CC_SAFE_RELEASE(_inner); }

bool ActionEase::initWithAction(ActionInterval* action) {
  if (!action) return false;
  action->retain();
  _inner = action;
  return initWithDuration(action->getDuration());
}

void ActionEase::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  _inner->startWithTarget(target);
}

void ActionEase::stop() {
  _inner->stop();
  ActionInterval::stop();
}

void ActionEase::update(float t) { _inner->update(t >= 1.0f ? 1.0f : ease(t)); }

EaseIn* EaseIn::create(ActionInterval* action, float rate) {
  auto* a = new EaseIn();
  if (!a->initWithAction(action)) { delete a; return nullptr; }
  a->_rate = rate;
  return Autoreleased(a);
}
float EaseIn::ease(float t) const { return std::pow(t, _rate); }

EaseOut* EaseOut::create(ActionInterval* action, float rate) {
  auto* a = new EaseOut();
  if (!a->initWithAction(action)) { delete a; return nullptr; }
  a->_rate = rate;
  return Autoreleased(a);
}
float EaseOut::ease(float t) const { return std::pow(t, 1.0f / _rate); }

EaseInOut* EaseInOut::create(ActionInterval* action, float rate) {
  auto* a = new EaseInOut();
  if (!a->initWithAction(action)) { delete a; return nullptr; }
  a->_rate = rate;
  return Autoreleased(a);
}
float EaseInOut::ease(float t) const {
  t *= 2;
  if (t < 1) return 0.5f * std::pow(t, _rate);
  return 1.0f - 0.5f * std::pow(2 - t, _rate);
}

EaseSineIn* EaseSineIn::create(ActionInterval* action) {
  auto* a = new EaseSineIn();
  if (!a->initWithAction(action)) { delete a; return nullptr; }
  return Autoreleased(a);
}
float EaseSineIn::ease(float t) const { return 1 - std::cos(t * kPi / 2); }

EaseSineOut* EaseSineOut::create(ActionInterval* action) {
  auto* a = new EaseSineOut();
  if (!a->initWithAction(action)) { delete a; return nullptr; }
  return Autoreleased(a);
}
float EaseSineOut::ease(float t) const { return std::sin(t * kPi / 2); }

EaseSineInOut* EaseSineInOut::create(ActionInterval* action) {
  auto* a = new EaseSineInOut();
  if (!a->initWithAction(action)) { delete a; return nullptr; }
  return Autoreleased(a);
}
float EaseSineInOut::ease(float t) const { return -0.5f * (std::cos(kPi * t) - 1); }

// ---------------------------------------------------------------- instant actions

Show* Show::create() { return Autoreleased(new Show()); }
void Show::update(float) { if (_target) _target->setVisible(true); }

Hide* Hide::create() { return Autoreleased(new Hide()); }
void Hide::update(float) { if (_target) _target->setVisible(false); }

ToggleVisibility* ToggleVisibility::create() { return Autoreleased(new ToggleVisibility()); }
void ToggleVisibility::update(float) { if (_target) _target->setVisible(!_target->isVisible()); }

RemoveSelf* RemoveSelf::create(bool cleanup) {
  auto* a = new RemoveSelf();
  a->_cleanup = cleanup;
  return Autoreleased(a);
}
void RemoveSelf::update(float) { if (_target) _target->removeFromParentAndCleanup(_cleanup); }

Place* Place::create(const Vec2& position) {
  auto* a = new Place();
  a->_position = position;
  return Autoreleased(a);
}
void Place::update(float) { if (_target) _target->setPosition(_position); }

CallFunc* CallFunc::create(const std::function<void()>& func) {
  auto* a = new CallFunc();
  a->_function = func;
  return Autoreleased(a);
}

CallFunc* CallFunc::create(Ref* target, SEL_CallFunc selector) {
  auto* a = new CallFunc();
  CC_SAFE_RETAIN(target);
  a->_selectorTarget = target;
  a->_selector = selector;
  return Autoreleased(a);
}

CallFunc::~CallFunc() { CC_SAFE_RELEASE(_selectorTarget); }

void CallFunc::update(float) {
  if (_function) {
    auto fn = _function;
    fn();
  } else if (_selectorTarget && _selector) {
    (_selectorTarget->*_selector)();
  }
}

CallFuncN* CallFuncN::create(const std::function<void(Node*)>& func) {
  auto* a = new CallFuncN();
  a->_function = func;
  return Autoreleased(a);
}

CallFuncN* CallFuncN::create(Ref* target, SEL_CallFuncN selector) {
  auto* a = new CallFuncN();
  CC_SAFE_RETAIN(target);
  a->_selectorTarget = target;
  a->_selector = selector;
  return Autoreleased(a);
}

CallFuncN::~CallFuncN() { CC_SAFE_RELEASE(_selectorTarget); }

void CallFuncN::update(float) {
  Node* target = _target;
  if (_function) {
    auto fn = _function;
    fn(target);
  } else if (_selectorTarget && _selector) {
    (_selectorTarget->*_selector)(target);
  }
}

}  // namespace cocos2d
