// Plays the own seat of the four-player table through its own controls, one
// look per frame: the highest usable bid button, the first of the two choice
// buttons when the table asks, the hint then the play button (leading
// without a hint: the lowest card), a pass when nothing beats the table, and
// a tap on the result window's continue button once it shows. Shared by the
// end-to-end test and the benchmark (no GoogleTest here); the classic
// driver stands beside it in WholeHandDriver.h.
#pragma once

#include <vector>

#include "cards/SRSelfHandCard.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameViewBase.h"
#include "variants/SRGameView.h"
#include "widgets/SRResultLayer.h"

namespace srtest {

class SROwnSeatDriver {
 public:
  // What the driver pressed, in order, as the request it should cause: 18 a
  // bid, 20 an answer, 17 a play or pass, -1 the continue.
  static constexpr int kContinue = -1;

  // Both borrowed.
  SROwnSeatDriver(SRGameView* view, cocos2d::GLView* window) : m_pView(view), m_pWindow(window) {}

  // One look at the table; true when something was pressed.
  bool Step() {
    SRResultLayer* screen = m_pView->GetResultLayer();
    if (screen != nullptr && screen->isRunning()) return PressContinue(screen);
    if (GameViewBase::m_iLockMainMsgCount > 0) return false;
    SRSelfHandCard* hand = m_pView->GetSelfHand();
    if (hand == nullptr || !hand->isRunning()) return false;
    for (int bid = SelfHandCard::kBtnBid3; bid >= SelfHandCard::kBtnBid0; --bid) {
      if (!Usable(hand->GetMainButton(bid))) continue;
      hand->OnButtonClick(hand->GetMainButton(bid));
      pressed.push_back(18);
      return true;
    }
    if (Usable(hand->GetChoiceButton(SRSelfHandCard::kBtnChoiceFirst))) {
      hand->OnButtonClick(hand->GetChoiceButton(SRSelfHandCard::kBtnChoiceFirst));
      pressed.push_back(20);
      return true;
    }
    if (!hand->IsWaitingForChoice() || !hand->GetMainButton(SelfHandCard::kBtnPlay)->isVisible()) return false;
    if (Usable(hand->GetMainButton(SelfHandCard::kBtnHint))) hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnHint));
    if (hand->SelectedCodes().empty() && hand->GetLastPlay().empty() && !hand->GetCards().empty()) {
      hand->GetCards().back()->bSelected = 1;
      hand->UpdateOutCardButton();
    }
    if (Usable(hand->GetMainButton(SelfHandCard::kBtnPlay))) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPlay));
    } else if (Usable(hand->GetMainButton(SelfHandCard::kBtnPass))) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
    } else {
      return false;
    }
    pressed.push_back(17);
    ++plays;
    return true;
  }

  // A tap at a point of the 1280 x 720 window (GL points, y up).
  void Tap(const cocos2d::Vec2& p) {
    m_pWindow->touchBegan(p.x, 720 - p.y);
    m_pWindow->touchEnded(p.x, 720 - p.y);
  }

  int plays = 0;
  int continues = 0;
  // The message lock just after each continue.
  std::vector<int> lockAfterContinue;
  std::vector<int> pressed;

 private:
  static bool Usable(cocos2d::ui::Button* button) {
    return button != nullptr && button->isVisible() && button->isEnabled();
  }

  bool PressContinue(SRResultLayer* screen) {
    cocos2d::ui::Button* button = screen->GetContinueButton();
    if (!Usable(button) || button->getNumberOfRunningActions() > 0) return false;
    const bool held = m_pView->IsResultLockHeld();
    Tap(button->getParent()->convertToWorldSpace(button->getPosition()));
    if (!held || m_pView->IsResultLockHeld()) return false;  // the tap missed
    pressed.push_back(kContinue);
    lockAfterContinue.push_back(GameViewBase::m_iLockMainMsgCount.Get());
    ++continues;
    return true;
  }

  SRGameView* m_pView;
  cocos2d::GLView* m_pWindow;
};

}  // namespace srtest
