// The message lock of the game base: while it is raised, queued game messages
// wait (see GameViewBase, the message pump).
//
// Two parts, both process-wide statics of GameViewBase so that any widget can
// use them without a view:
// - the lock count (GameViewBase::m_iLockMainMsgCount): above 0, no message is
//   delivered. Callers raise and lower it in pairs. It never goes below 0: a
//   lowering past 0 is kept at 0 and logged, so a stray decrement cannot make
//   a later raise ineffective.
// - the hold time (GameViewBase::m_iLockMainMsgTime): a deadline on the
//   virtual clock. Adding n milliseconds holds the messages until n ms after
//   now, or n ms after the current deadline when that lies in the future.
//   Read as an int it gives the milliseconds still to wait.
//
// A widget whose animation holds the messages should raise the count through a
// MsgLockToken: the token lowers the count once, when released or, at the
// latest, when its owner node leaves the scene or dies, so a widget removed
// mid-animation cannot leave the table frozen.
#pragma once

#include <cstdint>

#include "platform/engine/Node.h"

class MainMsgLockCount {
 public:
  operator int() const { return m_iValue; }
  int Get() const { return m_iValue; }
  // A negative value is kept at 0 (logged).
  MainMsgLockCount& operator=(int value);
  MainMsgLockCount& operator+=(int delta);
  MainMsgLockCount& operator-=(int delta) { return *this += -delta; }
  MainMsgLockCount& operator++() { return *this += 1; }
  MainMsgLockCount& operator--() { return *this += -1; }
  int operator++(int) { const int old = m_iValue; *this += 1; return old; }
  int operator--(int) { const int old = m_iValue; *this += -1; return old; }

 private:
  int m_iValue = 0;
};

class MainMsgHoldTime {
 public:
  // Milliseconds until the deadline (0 once it has passed).
  operator int() const { return Remaining(); }
  int Remaining() const;
  bool IsHolding() const { return Remaining() > 0; }
  std::uint64_t Deadline() const { return m_uDeadline; }
  // Holds for `ms` more: from the deadline when it is still ahead, else from
  // now. Zero or less adds nothing.
  MainMsgHoldTime& operator+=(int ms);
  // Shortens the hold by `ms` (never before now).
  MainMsgHoldTime& operator-=(int ms);
  // Holds exactly `ms` from now; 0 or less clears the hold.
  MainMsgHoldTime& operator=(int ms);

 private:
  std::uint64_t m_uDeadline = 0;
};

// Sets the count and the hold to 0 (re-login, a new deal). Tokens raised
// before the reset no longer lower the count when they are released.
void ResetMainMsgLock();
// Changes with every ResetMainMsgLock: a raw raise of the count made before
// a reset must not be lowered after it.
unsigned MainMsgLockGeneration();

// One raise of the lock count, owned by a node.
//
//   MsgLockToken* lock = MsgLockToken::Raise(hat);   // count + 1
//   ... CallFunc at the animation's end: lock->Release();  // count - 1
//
// The token is a hidden child of its owner and lives as long as the owner
// keeps it; a widget that locks again and again may keep one token and Hold
// it again. Release lowers the count only when the token holds it, so a
// second Release, or the token's own release on exit after an explicit one,
// changes nothing.
//
// A token with an owner holds only while it is on the stage: an owner that
// is not running (a seat widget kept off the table, a row not added yet)
// runs no animation and would never lower the count, so Hold there raises
// nothing. A free token (no owner) holds whenever asked.
class MsgLockToken : public cocos2d::Node {
 public:
  // A token attached to `owner` (null: a free token the caller keeps alive),
  // not holding the lock yet.
  static MsgLockToken* Create(cocos2d::Node* owner);
  // Create, then Hold.
  static MsgLockToken* Raise(cocos2d::Node* owner);

  // Raises the count by one; false (nothing changes) when already held, or
  // when the token has an owner and is not on the stage.
  bool Hold();
  // Lowers the count by one; false (nothing changes) when not held, or when
  // the lock was reset since the token raised it.
  bool Release();
  bool IsHeld() const { return m_bHeld; }

  void onExit() override;
  ~MsgLockToken() override;

 private:
  MsgLockToken() = default;
  bool m_bOwned = false;
  bool m_bHeld = false;
  unsigned m_uGeneration = 0;
};
