// Plays the own seat of the single-player game through the table's own
// controls, one look per frame: the highest usable bid button, the hint then
// the play button (leading without a hint: a tap on the lowest card), a pass
// when nothing beats the table, and a tap on the result screen's continue
// button once it shows. Shared by the end-to-end test and the benchmark of
// whole hands (no GoogleTest here). The other tables' own-seat drivers stand
// beside it in tests/support/.
#pragma once

#include <vector>

#include "cards/SelfHandCard.h"
#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameViewBase.h"
#include "OwnHandPress.h"
#include "widgets/ResultLayer.h"

namespace classictest {

class OwnSeatDriver {
 public:
  // What the driver pressed, in order, as the request it should cause: 22 a
  // bid, 24 a play or pass, -1 the continue (a ready: the local server
  // starts a hand). The bids and readies also go to `log` when one is set.
  static constexpr int kReady = -1;

  // Both borrowed.
  OwnSeatDriver(GameViewPC* view, cocos2d::GLView* window) : m_pView(view), m_pWindow(window) {}

  // One look at the table; true when something was pressed.
  bool Step() {
    ResultLayer* screen = m_pView->GetResultScreen();
    if (screen != nullptr && screen->isRunning()) return PressContinue(screen);
    if (GameViewBase::m_iLockMainMsgCount > 0) return false;
    SelfHandCard* hand = m_pView->GetSelfHand();
    if (hand == nullptr) return false;
    switch (ddz::test::PressOwnHand(hand, [this](const cocos2d::Vec2& p) { Tap(p); })) {
      case ddz::test::OwnHandPress::kBid:
        pressed.push_back(22);
        if (log != nullptr) log->push_back(22);
        ++bids;
        return true;
      case ddz::test::OwnHandPress::kPlay:
        pressed.push_back(24);
        ++plays;
        return true;
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
  int continues = 0;
  // The message lock just before and just after each continue.
  std::vector<int> lockBeforeContinue;
  std::vector<int> lockAfterContinue;
  std::vector<int> pressed;
  std::vector<int>* log = nullptr;  // borrowed

 private:
  bool PressContinue(ResultLayer* screen) {
    cocos2d::ui::Button* button = screen->GetButton(ResultLayer::kBtnContinue);
    if (button == nullptr || !button->isVisible() || !button->isEnabled() || screen->HasActed()) return false;
    if (button->getNumberOfRunningActions() > 0) return false;
    lockBeforeContinue.push_back(GameViewBase::m_iLockMainMsgCount.Get());
    pressed.push_back(kReady);
    if (log != nullptr) log->push_back(kReady);
    Tap(button->getParent()->convertToWorldSpace(button->getPosition()));
    if (!screen->HasActed()) {
      pressed.pop_back();
      if (log != nullptr) log->pop_back();
      lockBeforeContinue.pop_back();
      return false;
    }
    lockAfterContinue.push_back(GameViewBase::m_iLockMainMsgCount.Get());
    ++continues;
    return true;
  }

  GameViewPC* m_pView;
  cocos2d::GLView* m_pWindow;
};

}  // namespace classictest
