// Where a player clicks another seat's head: the centre of its drawn picture
// and its four corners, two points inside, in window points (y up); and the
// check that each such click opens that seat's info popup and no other.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/engine/Sprite.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "platform/os/Clock.h"

namespace ddz::test {

struct HeadClick {
  std::string where;
  cocos2d::Vec2 at;
};

inline std::vector<HeadClick> HeadClicks(const NewPlayerHead* head) {
  const cocos2d::Sprite* image = head != nullptr ? head->GetHeadImage() : nullptr;
  if (image == nullptr) return {};
  const cocos2d::Size size = image->getContentSize();
  const cocos2d::Vec2 low = image->convertToWorldSpace(cocos2d::Vec2::ZERO);
  const cocos2d::Vec2 high = image->convertToWorldSpace(cocos2d::Vec2(size.width, size.height));
  constexpr float kIn = 2;
  return {{"centre", (low + high) * 0.5f},
          {"lower left", {low.x + kIn, low.y + kIn}},
          {"lower right", {high.x - kIn, low.y + kIn}},
          {"upper left", {low.x + kIn, high.y - kIn}},
          {"upper right", {high.x - kIn, high.y - kIn}}};
}

// Clicks each head of `seats` (screen seats of `view`'s other players) at its
// centre and corners through `tap` (a click at a window point, y up), each
// click apart from the last, and expects that seat's popup open and the other
// seats' closed.
template <class View, class Tap>
void ExpectEachHeadClickOpensItsPopup(View* view, const std::vector<int>& seats, Tap&& tap) {
  for (int seat : seats) {
    const std::vector<HeadClick> clicks = HeadClicks(view->m_pPlayerShow[seat]);
    ASSERT_FALSE(clicks.empty()) << "seat " << seat << " shows no head";
    for (const HeadClick& click : clicks) {
      SCOPED_TRACE("seat " + std::to_string(seat) + ", the head's " + click.where);
      for (int s : seats) view->m_pOtherPlayerInfo[s]->setVisible(false);
      ddz::os::Clock().AdvanceMs(200);
      tap(click.at);
      for (int s : seats) EXPECT_EQ(view->m_pOtherPlayerInfo[s]->isVisible(), s == seat) << "seat " << s;
    }
  }
}

}  // namespace ddz::test
