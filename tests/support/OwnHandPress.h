// One look at the own hand's buttons, pressing as a player would: the
// highest usable bid button; else, on a play turn, the hint (leading without
// a hint: a tap on the lowest card), then the play button, or the pass when
// nothing can be played. The table drivers of tests/support share it.
#pragma once

#include "cards/SelfHandCard.h"
#include "platform/engine/ui/Widgets.h"

namespace ddz::test {

// What PressOwnHand pressed: the request it causes, or nothing.
enum class OwnHandPress { kNone = 0, kBid = 22, kPlay = 24 };

inline bool UsableButton(SelfHandCard* hand, int index) {
  cocos2d::ui::Button* button = hand->GetMainButton(index);
  return button != nullptr && button->isVisible() && button->isEnabled();
}

// `tap` taps a point of the window (GL points).
template <class Tap>
OwnHandPress PressOwnHand(SelfHandCard* hand, Tap&& tap) {
  for (int bid = SelfHandCard::kBtnBid3; bid >= SelfHandCard::kBtnBid0; --bid) {
    if (!UsableButton(hand, bid)) continue;
    hand->OnButtonClick(hand->GetMainButton(bid));
    return OwnHandPress::kBid;
  }
  if (!hand->IsWaitingForChoice() || !hand->GetMainButton(SelfHandCard::kBtnPlay)->isVisible())
    return OwnHandPress::kNone;
  if (UsableButton(hand, SelfHandCard::kBtnHint)) {
    hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnHint));
  } else if (!hand->GetCards().empty() && hand->SelectedCodes().empty()) {
    const SpriteCardInfo* lowest = hand->GetCards().back();
    tap(hand->convertToWorldSpace(cocos2d::Vec2(lowest->fX, lowest->fY)) + cocos2d::Vec2(10, 0));
  }
  if (UsableButton(hand, SelfHandCard::kBtnPlay)) {
    hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPlay));
  } else if (UsableButton(hand, SelfHandCard::kBtnPass)) {
    hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
  } else {
    return OwnHandPress::kNone;
  }
  return OwnHandPress::kPlay;
}

}  // namespace ddz::test
