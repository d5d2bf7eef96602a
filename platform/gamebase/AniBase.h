// Animations run by a view's animation manager.
//
// An AniBase is a layer that builds its sprites when it enters the scene. The
// manager adds it to its parent node, calls CallBackAniStart, then UpdateFrame
// once a frame (in the frame loop's animation phase) until it answers true,
// then CallBackAniEnd, and takes it off the scene.
//
// AniManage::ShowAni(ani, bNow, bOwn):
// - bNow false: the animation waits in the manager's queue and starts when the
//   queued animations before it have ended (one queued animation runs at a
//   time); true: it starts at once, beside whatever runs.
// - bOwn true: the manager takes over the caller's reference (an animation
//   made with `new`; an autoreleased one is retained instead) and frees the
//   animation when it is done; false: the caller keeps its reference.
// An animation that was taken off the scene by someone else while it ran (a
// table reset removing all children) is dropped without CallBackAniEnd, so
// the queue behind it goes on. Clear drops everything, also without ends.
#pragma once

#include <deque>
#include <vector>

#include "platform/framework/YndGameLayer.h"

class AniBase : public YndGameLayer {
 public:
  AniBase();
  ~AniBase() override;

  virtual void CallBackAniStart();
  virtual void CallBackAniEnd();
  // One frame of the animation; true when it is over.
  virtual bool UpdateFrame(float dt);
};

class AniManage {
 public:
  // Animations are added to `parent` (the view) at z-order kZOrder.
  static constexpr int kZOrder = 1000;
  explicit AniManage(cocos2d::Node* parent);
  ~AniManage();
  AniManage(const AniManage&) = delete;
  AniManage& operator=(const AniManage&) = delete;

  void ShowAni(AniBase* ani, bool bNow, bool bOwn);
  void Clear();

  // What runs and what waits (tests).
  std::size_t GetRunningCount() const { return m_vcRunning.size(); }
  std::size_t GetQueuedCount() const { return m_queue.size(); }
  bool IsRunning(const AniBase* ani) const;

 private:
  struct Entry {
    AniBase* ani = nullptr;  // one reference held by the manager
    bool queued = false;     // came through the queue
    bool started = false;
  };
  void Start(Entry& entry);
  void Step(float dt);
  void StartNextQueued();
  static void Finish(Entry& entry, bool callEnd);

  cocos2d::Node* m_pParent;
  std::vector<Entry> m_vcRunning;
  std::deque<Entry> m_queue;
  int m_iHook = 0;
};
