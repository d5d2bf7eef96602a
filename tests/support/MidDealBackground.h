// The window goes away on a network table while the deal just delivered is
// under way, and comes back: what the tables' tests of the deal and the
// background share. `tick(n)` runs n frames of 50 ms; `ownCards()` counts the
// own hand, which holds `fullHand` cards at the deal's end. A deal that is not
// under way when the window goes fails the calling test (check with
// ASSERT_NO_FATAL_FAILURE).
#pragma once

#include <gtest/gtest.h>

#include "platform/gamebase/GameViewBase.h"

namespace ddz::test {

template <class View, class Tick, class OwnCards>
void LeaveAndComeBackMidDeal(View& view, Tick tick, OwnCards ownCards, int fullHand) {
  tick(50);
  ASSERT_GT(ownCards(), 0);
  ASSERT_LT(ownCards(), fullHand) << "the deal is under way";
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  view.CallBackGameEnterBackGround();
  tick(20);
  view.CallBackGameEnterForeGround();
}

}  // namespace ddz::test
