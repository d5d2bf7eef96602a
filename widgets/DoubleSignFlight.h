// The "x2" sign of a doubling: it pops up at the seat that doubled and flies
// to the multiple on the top bar, holding the game messages while it flies.
// A table view keeps one and calls Show from its ShowDoubleAni.
//
// Every doubling counts: Show multiplies the hand's multiple at once, also
// while a sign is still in flight (only a second sign is not started), and
// the sign shows the multiple as it is when it lands (the view's
// ShowTableMultiple), so no factor is lost.
//
// The sign raises the message lock through a MsgLockToken it carries, so a
// sign taken off the table early (a table reset, the background) lowers the
// lock exactly once.
//
// Where a sign starts depends on the table: beside the three seats' bomb
// targets on the three-seat tables, beside the heads of the side seats on
// the four-player table (kFourSeats), whose top seat's sign starts at the
// table's doubling point.
#pragma once

#include "platform/engine/Sprite.h"

class DDZGameView;
class MsgLockToken;

class DoubleSignFlight {
 public:
  static constexpr const char* kSign = "ddzq_x2.png";
  static constexpr int kZOrder = 300;

  enum Table { kThreeSeats, kFourSeats };

  // `view`: borrowed.
  explicit DoubleSignFlight(DDZGameView* view, Table table = kThreeSeats) : m_pView(view), m_eTable(table) {}
  ~DoubleSignFlight();
  DoubleSignFlight(const DoubleSignFlight&) = delete;
  DoubleSignFlight& operator=(const DoubleSignFlight&) = delete;

  // Multiplies the hand's multiple by `factor` and, unless a sign flies,
  // starts one from `seat` (0-2, 0-3 on the four-player table; another
  // value: the window's centre, the doubling point on four seats).
  void Show(int seat, int factor);
  // The same with an add: the multiple grows by `add` (the two-seat Super
  // table's rob once the multiple is above 1).
  void ShowAdd(int seat, int add);
  bool IsFlying();
  // Takes a flying sign off the table (its lock is lowered).
  void Stop();
  cocos2d::Sprite* GetSign() { return IsFlying() ? m_pDoubleSprite : nullptr; }

  // Where a sign from `seat` starts and how long it flies to the top bar;
  // seat 3 is the two-seat table's opponent at the fourth place.
  static cocos2d::Vec2 StartPoint(int seat);
  static cocos2d::Vec2 FourSeatStartPoint(int seat);
  static float FlightSeconds(int seat);

 private:
  void Fly(int seat);
  void OnLanded();
  void Forget();

  DDZGameView* m_pView;
  Table m_eTable;
  cocos2d::Sprite* m_pDoubleSprite = nullptr;  // retained while held
  MsgLockToken* m_pLock = nullptr;             // a child of the sign
};
