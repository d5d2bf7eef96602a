// Removal of nodes outside the current event dispatch: a touch handler, a
// schedule or an action may ask for its own popup to go; the node leaves its
// parent (with cleanup, so its onExit runs and its schedules and actions stop)
// in the frame loop's deferred-removal phase, after the next-frame calls.
#pragma once

namespace cocos2d {
class Node;
}

class YndRemoveChildManage {
 public:
  static YndRemoveChildManage* sharedRemoveChildManage();

  // Queues the removal of `child` from `parent`; with a null parent, from
  // the parent the child has now. The child is kept alive until then; it is
  // not removed if it has moved to another parent meanwhile. Asking twice
  // removes it once. A child without a parent is left alone.
  void RemoveChild(cocos2d::Node* child, cocos2d::Node* parent);
  // Removes `child` now when its removal is queued (a table left and
  // entered again within one frame leaves first, then enters).
  void RemoveNowIfQueued(cocos2d::Node* child);

 private:
  YndRemoveChildManage() = default;
};
