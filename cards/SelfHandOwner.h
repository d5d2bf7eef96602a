// What the classic own hand needs of the table around it, as two narrow
// interfaces. The card rows come before the table views in the library order
// (the table links the card rows), so the hand cannot name the table view or
// its bottom bar; the table view and the bottom bar implement these instead.
//
// ISelfHandOwner is written so that the table view base's own virtual
// operations of the same names and arguments (HideGameClock, ShowSelfOutCard,
// ShowSelfClock) are its implementations; the send call and the quit are the
// game base's (GameViewBase::SendMsgToMainSocket, GameViewBase::QuitGame),
// forwarded by the view, as are the single-player flag and the message box.
#pragma once

namespace cocos2d {
class Node;
}

class ISelfHandOwner {
 public:
  // Sends one game message: `buf` starts with the 8-byte frame, `len` counts it.
  virtual void SendHandMessage(void* buf, int type, int len) = 0;
  // Hides the turn clock: the own seat has acted.
  virtual void HideGameClock() = 0;
  // Shows the own play on the table before the server echoes it: `count` card
  // bytes from `cards`; count 0 is a pass.
  virtual void ShowSelfOutCard(const char* cards, int count) = 0;
  // The own clock after the show-hand question: 1 the hand was shown, 0 not.
  virtual void ShowSelfClock(int kind) = 0;
  // Leaves the table.
  virtual void QuitHandTable() = 0;
  // The table asks the call, rob, show-hand and double questions.
  virtual bool IsCallRobMode() const = 0;
  // The single-player game against the local server.
  virtual bool IsSinglePlayerGame() const = 0;
  // Shows `text` in the table's message box of `kind`, owned by `owner`, with
  // no action.
  virtual void ShowHandMessageBox(const char* text, int kind, cocos2d::Node* owner) = 0;

 protected:
  // A hand that outlives its owner (kept by a message box, say) forgets it
  // here, so nothing it does later reaches the owner that went.
  ~ISelfHandOwner();
};

// The bottom bar of the classic table as the own hand uses it: its quick
// buttons and its system message box. The hand keeps a bar that is also a
// cocos2d::Ref alive while it holds it.
class ISelfHandBottomBar {
 public:
  // Quick buttons: triple, straight, pair straight, bomb, and the one that is
  // usable from two cards on (the sort button).
  enum QuickButton { kQuickTriple = 0, kQuickStraight = 1, kQuickPairStraight = 2, kQuickBomb = 3, kQuickSort = 4 };

  virtual ~ISelfHandBottomBar() = default;
  // The bar is on stage.
  virtual bool IsBarRunning() const = 0;
  virtual void SetQuickButtonEnabled(int button, bool enabled) = 0;
  // The system message box is on stage.
  virtual bool IsSysBoxRunning() const = 0;
  // Puts `text` at the front of the system message box.
  virtual void AddSysMessage(const char* text, int kind) = 0;
};
