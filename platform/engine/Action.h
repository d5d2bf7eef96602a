// Actions: changes of a node spread over frame time, and the manager that steps
// them once per frame.
//
// Timing: an action run between frames (from input, test code or a frame
// hook) gets the full time of the next frame; one run during the scheduler or
// action pass of a frame starts counting with the next frame. End states are
// exact: a MoveTo ends exactly on its point, a FadeOut at 0. Each instant
// action inside a sequence, spawn or repeat runs exactly once per pass.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/engine/Node.h"
#include "platform/engine/Ref.h"

namespace cocos2d {

class Action : public Ref {
 public:
  static constexpr int INVALID_TAG = -1;

  virtual bool isDone() const { return true; }
  virtual void startWithTarget(Node* target);
  // Called when the action finishes (not when it is removed early).
  virtual void stop();
  virtual void step(float dt);
  // time runs from 0 to 1.
  virtual void update(float time);

  Node* getTarget() const { return _target; }
  void setTarget(Node* target) { _target = target; }
  Node* getOriginalTarget() const { return _originalTarget; }
  int getTag() const { return _tag; }
  void setTag(int tag) { _tag = tag; }
  // Cuts the action off its target without finishing it (stopAction and the like).
  virtual void detach() { _target = nullptr; }

 protected:
  Action() = default;
  Node* _target = nullptr;
  Node* _originalTarget = nullptr;
  int _tag = INVALID_TAG;
};

class FiniteTimeAction : public Action {
 public:
  float getDuration() const { return _duration; }
  void setDuration(float d) { _duration = d; }

 protected:
  float _duration = 0;
};

class ActionInterval : public FiniteTimeAction {
 public:
  bool isDone() const override;
  void startWithTarget(Node* target) override;
  void step(float dt) override;
  double getElapsed() const { return _elapsed; }
  bool initWithDuration(float d);

 protected:
  double _elapsed = 0;
  bool _firstTick = true;
};

class ActionInstant : public FiniteTimeAction {
 public:
  bool isDone() const override { return _done; }
  void startWithTarget(Node* target) override { FiniteTimeAction::startWithTarget(target); _done = false; }
  void step(float dt) override;

 private:
  bool _done = false;
};

// ---------------------------------------------------------------- manager

class ActionManager : public Ref {
 public:
  ActionManager() = default;
  ~ActionManager() override;

  void addAction(Action* action, Node* target, bool paused);
  void removeAllActions();
  void removeAllActionsFromTarget(Node* target);
  void removeAction(Action* action);
  void removeActionByTag(int tag, Node* target);
  void removeAllActionsByTag(int tag, Node* target);
  Action* getActionByTag(int tag, const Node* target) const;
  std::size_t getNumberOfRunningActionsInTarget(const Node* target) const;
  std::size_t getNumberOfRunningActions() const;
  void pauseTarget(Node* target);
  void resumeTarget(Node* target);
  // A node that is going away: its actions and its paused mark are dropped.
  void forgetTarget(Node* target);
  void update(float dt);

 private:
  struct Entry {
    Action* action;
    Node* target;
    bool paused;
    bool dead = false;
    std::uint64_t skipFrame = 0;  // frame in which it must not be stepped (0: none)
  };
  void kill(Entry& e);
  void sweep();

  std::vector<std::unique_ptr<Entry>> _entries;
  std::unordered_set<const Node*> _pausedTargets;
  std::uint64_t _lastUpdatedFrame = 0;
  bool _updating = false;
};

// ---------------------------------------------------------------- composites

class Sequence : public ActionInterval {
 public:
  template <class... Rest>
  static Sequence* create(FiniteTimeAction* first, Rest... rest) {
    std::vector<FiniteTimeAction*> list{first, AsAction(rest)...};
    return createFromList(list);
  }
  static Sequence* create(const Vector<FiniteTimeAction*>& actions);
  static Sequence* createWithTwoActions(FiniteTimeAction* a, FiniteTimeAction* b);
  ~Sequence() override;
  void detach() override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;

  static FiniteTimeAction* AsAction(FiniteTimeAction* a) { return a; }
  static FiniteTimeAction* AsAction(std::nullptr_t) { return nullptr; }
  static FiniteTimeAction* AsAction(long) { return nullptr; }
  static FiniteTimeAction* AsAction(int) { return nullptr; }

 private:
  static Sequence* createFromList(const std::vector<FiniteTimeAction*>& list);
  std::vector<FiniteTimeAction*> _actions;  // retained
  std::vector<double> _starts;
  std::vector<char> _started, _finished;
};

class Spawn : public ActionInterval {
 public:
  template <class... Rest>
  static Spawn* create(FiniteTimeAction* first, Rest... rest) {
    std::vector<FiniteTimeAction*> list{first, Sequence::AsAction(rest)...};
    return createFromList(list);
  }
  static Spawn* create(const Vector<FiniteTimeAction*>& actions);
  static Spawn* createWithTwoActions(FiniteTimeAction* a, FiniteTimeAction* b);
  ~Spawn() override;
  void detach() override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;

 private:
  static Spawn* createFromList(const std::vector<FiniteTimeAction*>& list);
  std::vector<FiniteTimeAction*> _actions;
  std::vector<char> _finished;
};

class Repeat : public ActionInterval {
 public:
  static Repeat* create(FiniteTimeAction* action, unsigned int times);
  ~Repeat() override;
  void detach() override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;
  FiniteTimeAction* getInnerAction() const { return _inner; }

 private:
  FiniteTimeAction* _inner = nullptr;
  unsigned int _times = 0;
  unsigned int _total = 0;
  bool _innerRunning = false;
};

class RepeatForever : public ActionInterval {
 public:
  static RepeatForever* create(ActionInterval* action);
  ~RepeatForever() override;
  bool isDone() const override { return false; }
  void detach() override;
  void startWithTarget(Node* target) override;
  void step(float dt) override;
  ActionInterval* getInnerAction() const { return _inner; }

 private:
  ActionInterval* _inner = nullptr;
};

// ---------------------------------------------------------------- interval actions

class DelayTime : public ActionInterval {
 public:
  static DelayTime* create(float d);
  void update(float) override {}
};

class MoveBy : public ActionInterval {
 public:
  static MoveBy* create(float duration, const Vec2& delta);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 protected:
  Vec2 _delta, _start, _end;
};

class MoveTo : public MoveBy {
 public:
  static MoveTo* create(float duration, const Vec2& position);
  void startWithTarget(Node* target) override;

 private:
  Vec2 _to;
};

class JumpBy : public ActionInterval {
 public:
  static JumpBy* create(float duration, const Vec2& delta, float height, int jumps);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 protected:
  Vec2 _delta, _start;
  float _height = 0;
  int _jumps = 1;
};

class JumpTo : public JumpBy {
 public:
  static JumpTo* create(float duration, const Vec2& position, float height, int jumps);
  void startWithTarget(Node* target) override;

 private:
  Vec2 _to;
};

class BezierBy : public ActionInterval {
 public:
  static BezierBy* create(float duration, const ccBezierConfig& config);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 protected:
  ccBezierConfig _config;  // relative to the start
  Vec2 _start;
};

class BezierTo : public BezierBy {
 public:
  static BezierTo* create(float duration, const ccBezierConfig& config);
  void startWithTarget(Node* target) override;

 private:
  ccBezierConfig _absolute;
};

class ScaleTo : public ActionInterval {
 public:
  static ScaleTo* create(float duration, float s);
  static ScaleTo* create(float duration, float sx, float sy);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 protected:
  float _startX = 1, _startY = 1, _endX = 1, _endY = 1;
  float _byX = 1, _byY = 1;
  bool _relative = false;
};

class ScaleBy : public ScaleTo {
 public:
  static ScaleBy* create(float duration, float s);
  static ScaleBy* create(float duration, float sx, float sy);
};

class RotateTo : public ActionInterval {
 public:
  static RotateTo* create(float duration, float degrees);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 private:
  float _to = 0, _start = 0, _diff = 0;
};

class RotateBy : public ActionInterval {
 public:
  static RotateBy* create(float duration, float degrees);
  // Angles about the x, y and z axes.
  static RotateBy* create(float duration, const Vec3& degrees);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 private:
  Vec3 _delta, _start;
};

class FadeTo : public ActionInterval {
 public:
  static FadeTo* create(float duration, GLubyte opacity);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 protected:
  GLubyte _from = 255, _to = 255;
};

class FadeIn : public FadeTo {
 public:
  static FadeIn* create(float duration);
};

class FadeOut : public FadeTo {
 public:
  static FadeOut* create(float duration);
};

class TintTo : public ActionInterval {
 public:
  static TintTo* create(float duration, GLubyte r, GLubyte g, GLubyte b);
  static TintTo* create(float duration, const Color3B& color) { return create(duration, color.r, color.g, color.b); }
  void startWithTarget(Node* target) override;
  void update(float t) override;

 private:
  Color3B _to, _from;
};

// Turns the node about its vertical axis (drawn flat: its width follows the
// cosine of the angle), as the engine's orbiting camera does for a card flip.
class OrbitCamera : public ActionInterval {
 public:
  static OrbitCamera* create(float t, float radius, float deltaRadius, float angleZ, float deltaAngleZ,
                             float angleX, float deltaAngleX);
  void startWithTarget(Node* target) override;
  void update(float t) override;

 private:
  float _angleZ = 0, _deltaAngleZ = 0, _angleX = 0, _deltaAngleX = 0;
};

// ---------------------------------------------------------------- easing

class ActionEase : public ActionInterval {
 public:
  ~ActionEase() override;
  void detach() override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;
  ActionInterval* getInnerAction() const { return _inner; }

 protected:
  bool initWithAction(ActionInterval* action);
  virtual float ease(float t) const = 0;
  ActionInterval* _inner = nullptr;
};

class EaseIn : public ActionEase {
 public:
  static EaseIn* create(ActionInterval* action, float rate);
 protected:
  float ease(float t) const override;
  float _rate = 1;
};

class EaseOut : public EaseIn {
 public:
  static EaseOut* create(ActionInterval* action, float rate);
 protected:
  float ease(float t) const override;
};

class EaseInOut : public EaseIn {
 public:
  static EaseInOut* create(ActionInterval* action, float rate);
 protected:
  float ease(float t) const override;
};

class EaseSineIn : public ActionEase {
 public:
  static EaseSineIn* create(ActionInterval* action);
 protected:
  float ease(float t) const override;
};

class EaseSineOut : public ActionEase {
 public:
  static EaseSineOut* create(ActionInterval* action);
 protected:
  float ease(float t) const override;
};

class EaseSineInOut : public ActionEase {
 public:
  static EaseSineInOut* create(ActionInterval* action);
 protected:
  float ease(float t) const override;
};

// ---------------------------------------------------------------- instant actions

class Show : public ActionInstant {
 public:
  static Show* create();
  void update(float) override;
};

class Hide : public ActionInstant {
 public:
  static Hide* create();
  void update(float) override;
};

class ToggleVisibility : public ActionInstant {
 public:
  static ToggleVisibility* create();
  void update(float) override;
};

class RemoveSelf : public ActionInstant {
 public:
  static RemoveSelf* create(bool cleanup = true);
  void update(float) override;

 private:
  bool _cleanup = true;
};

class Place : public ActionInstant {
 public:
  static Place* create(const Vec2& position);
  void update(float) override;

 private:
  Vec2 _position;
};

class CallFunc : public ActionInstant {
 public:
  static CallFunc* create(const std::function<void()>& func);
  static CallFunc* create(Ref* target, SEL_CallFunc selector);
  ~CallFunc() override;
  void update(float) override;

 protected:
  std::function<void()> _function;
  Ref* _selectorTarget = nullptr;  // retained
  SEL_CallFunc _selector = nullptr;
};

class CallFuncN : public ActionInstant {
 public:
  static CallFuncN* create(const std::function<void(Node*)>& func);
  static CallFuncN* create(Ref* target, SEL_CallFuncN selector);
  ~CallFuncN() override;
  void update(float) override;

 private:
  std::function<void(Node*)> _function;
  Ref* _selectorTarget = nullptr;
  SEL_CallFuncN _selector = nullptr;
};

}  // namespace cocos2d
