// Plays the own seat of the tournament table through the own hand's buttons,
// one look per frame (OwnHandPress.h). The table quits each result by
// itself, so there is nothing to press between hands. No GoogleTest here;
// the classic table's driver is WholeHandDriver.h beside it.
#pragma once

#include "cards/CompeteSelfHandCard.h"
#include "compete/CompeteGameView.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameViewBase.h"
#include "OwnHandPress.h"

namespace competetest {

class CompeteSeatDriver {
 public:
  // Both borrowed.
  CompeteSeatDriver(CompeteGameView* view, cocos2d::GLView* window) : m_pView(view), m_pWindow(window) {}

  // One look at the table; true when something was pressed.
  bool Step() {
    if (GameViewBase::m_iLockMainMsgCount > 0) return false;
    CompeteSelfHandCard* hand = m_pView->GetSelfHand();
    if (hand == nullptr || !hand->isRunning()) return false;
    switch (ddz::test::PressOwnHand(hand, [this](const cocos2d::Vec2& p) { Tap(p); })) {
      case ddz::test::OwnHandPress::kBid: ++bids; return true;
      case ddz::test::OwnHandPress::kPlay: ++plays; return true;
      case ddz::test::OwnHandPress::kNone: break;
    }
    return false;
  }

  // A tap at a point of the 1280 x 720 window (GL points, y up).
  void Tap(const cocos2d::Vec2& p) {
    m_pWindow->touchBegan(p.x, 720 - p.y);
    m_pWindow->touchEnded(p.x, 720 - p.y);
  }

  int bids = 0;
  int plays = 0;

 private:
  CompeteGameView* m_pView;
  cocos2d::GLView* m_pWindow;
};

}  // namespace competetest
