// Plays the own seat of the tournament table through the own hand's buttons,
// one look per frame: the highest usable bid button, the hint then the play
// button (leading without a hint: a tap on the lowest card), a pass when
// nothing beats the table. The table quits each result by itself, so there
// is nothing to press between hands. No GoogleTest here; the classic
// table's driver is WholeHandDriver.h beside it.
#pragma once

#include <vector>

#include "cards/CompeteSelfHandCard.h"
#include "compete/CompeteGameView.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameViewBase.h"

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
    for (int bid = SelfHandCard::kBtnBid3; bid >= SelfHandCard::kBtnBid0; --bid) {
      if (!Usable(hand, bid)) continue;
      hand->OnButtonClick(hand->GetMainButton(bid));
      ++bids;
      return true;
    }
    if (!hand->IsWaitingForChoice() || !hand->GetMainButton(SelfHandCard::kBtnPlay)->isVisible()) return false;
    if (Usable(hand, SelfHandCard::kBtnHint)) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnHint));
    } else if (!hand->GetCards().empty() && hand->SelectedCodes().empty()) {
      const SpriteCardInfo* lowest = hand->GetCards().back();
      Tap(hand->convertToWorldSpace(cocos2d::Vec2(lowest->fX, lowest->fY)) + cocos2d::Vec2(10, 0));
    }
    if (Usable(hand, SelfHandCard::kBtnPlay)) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPlay));
    } else if (Usable(hand, SelfHandCard::kBtnPass)) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
    } else {
      return false;
    }
    ++plays;
    return true;
  }

  // A tap at a point of the 1280 x 720 window (GL points, y up).
  void Tap(const cocos2d::Vec2& p) {
    m_pWindow->touchBegan(p.x, 720 - p.y);
    m_pWindow->touchEnded(p.x, 720 - p.y);
  }

  int bids = 0;
  int plays = 0;

 private:
  static bool Usable(SelfHandCard* hand, int index) {
    cocos2d::ui::Button* button = hand->GetMainButton(index);
    return button != nullptr && button->isVisible() && button->isEnabled();
  }

  CompeteGameView* m_pView;
  cocos2d::GLView* m_pWindow;
};

}  // namespace competetest
