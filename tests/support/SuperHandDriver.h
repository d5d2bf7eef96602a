// Plays the own seat of the Super table through its own hand's controls, one
// look per frame: the highest usable bid button or the first side of an
// answer pair (call, rob, double, show), the hint then the play button (a
// wildcard selection read more than one way plays its first reading), a pass
// when nothing beats the table, and a tap on the result screen's continue
// button once it shows. The classic table's driver stands beside it
// (WholeHandDriver.h).
#pragma once

#include <vector>

#include "cards/SuperSelfHandCard.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameViewBase.h"
#include "variants/SuperGameView.h"
#include "widgets/ResultLayer.h"

namespace supertest {

class SuperSeatDriver {
 public:
  // A ready in `log` (the local server's start of a hand).
  static constexpr int kReady = -1;

  // Both borrowed.
  SuperSeatDriver(SuperGameView* view, cocos2d::GLView* window) : m_pView(view), m_pWindow(window) {}

  bool Step() {
    ResultLayer* screen = m_pView->GetResultScreen();
    if (screen != nullptr && screen->isRunning()) return PressContinue(screen);
    if (GameViewBase::m_iLockMainMsgCount > 0) return false;
    SuperSelfHandCard* hand = m_pView->GetSelfHand();
    if (hand == nullptr) return false;
    for (int bid = SelfHandCard::kBtnBid3; bid >= SelfHandCard::kBtnBid0; --bid) {
      if (!Usable(hand->GetMainButton(bid))) continue;
      hand->OnButtonClick(hand->GetMainButton(bid));
      Note(22);
      ++bids;
      return true;
    }
    // The "yes" side of an answer pair (side 1): a call, rob, double or show.
    for (int pair = SelfHandCard::kPairCall; pair <= SelfHandCard::kPairDouble; ++pair) {
      cocos2d::ui::Button* yes = hand->GetPairButton(pair, 1);
      if (!Usable(yes)) continue;
      Note(pair == SelfHandCard::kPairShowHand ? 23 : 22);
      switch (pair) {
        case SelfHandCard::kPairCall: hand->OnCallPairClick(yes); break;
        case SelfHandCard::kPairRob: hand->OnRobPairClick(yes); break;
        case SelfHandCard::kPairShowHand: hand->OnShowHandPairClick(yes); break;
        default: hand->OnDoublePairClick(yes); break;
      }
      ++bids;
      return true;
    }
    if (!hand->IsWaitingForChoice() || !hand->GetMainButton(SelfHandCard::kBtnPlay)->isVisible()) return false;
    if (Usable(hand->GetMainButton(SelfHandCard::kBtnHint))) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnHint));
    } else if (!hand->GetCards().empty() && hand->SelectedCodes().empty()) {
      // Leading without a hint: a tap on the lowest card.
      const SpriteCardInfo* lowest = hand->GetCards().back();
      Tap(hand->convertToWorldSpace(cocos2d::Vec2(lowest->fX, lowest->fY)) + cocos2d::Vec2(10, 0));
    }
    if (!hand->IsWaitingForChoice()) {  // the hint found nothing and passed
      ++plays;
      return true;
    }
    if (hand->GetLegalGroups().size() > 1) hand->SetLegalGroups({hand->GetLegalGroups().front()});
    if (Usable(hand->GetMainButton(SelfHandCard::kBtnPlay))) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPlay));
    } else if (Usable(hand->GetMainButton(SelfHandCard::kBtnPass))) {
      hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
    } else {
      return false;
    }
    ++plays;
    return true;
  }

  void Tap(const cocos2d::Vec2& p) {
    m_pWindow->touchBegan(p.x, 720 - p.y);
    m_pWindow->touchEnded(p.x, 720 - p.y);
  }

  int bids = 0;
  int plays = 0;
  int continues = 0;
  std::vector<int> lockBeforeContinue;
  std::vector<int> lockAfterContinue;
  // Borrowed: the bids, show-hand answers and readies the presses cause (the
  // plays the view notes itself, as the hand also plays by itself).
  std::vector<int>* log = nullptr;

 private:
  static bool Usable(cocos2d::ui::Button* button) {
    return button != nullptr && button->isVisible() && button->isEnabled();
  }
  void Note(int request) {
    if (log != nullptr) log->push_back(request);
  }

  bool PressContinue(ResultLayer* screen) {
    cocos2d::ui::Button* button = screen->GetButton(ResultLayer::kBtnContinue);
    if (button == nullptr || !button->isVisible() || !button->isEnabled() || screen->HasActed()) return false;
    if (button->getNumberOfRunningActions() > 0) return false;
    const int before = GameViewBase::m_iLockMainMsgCount.Get();
    Tap(button->getParent()->convertToWorldSpace(button->getPosition()));
    if (!screen->HasActed()) return false;
    lockBeforeContinue.push_back(before);
    lockAfterContinue.push_back(GameViewBase::m_iLockMainMsgCount.Get());
    Note(kReady);
    ++continues;
    return true;
  }

  SuperGameView* m_pView;
  cocos2d::GLView* m_pWindow;
};

}  // namespace supertest
