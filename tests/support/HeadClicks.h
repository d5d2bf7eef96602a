// Where a player clicks another seat's head: the centre of its drawn picture
// and its four corners, two points inside, in window points (y up).
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Sprite.h"
#include "platform/gamebase/NewPlayerHead.h"

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

}  // namespace ddz::test
