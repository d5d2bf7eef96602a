// A seat's head on the table: the game base's head image, and the point above
// it where effects of the seat (the result number, expressions) are placed.
#pragma once

#include "platform/engine/Math.h"
#include "platform/gamebase/NewPlayerHead.h"

class PlayerShow : public NewPlayerHead {
 public:
  static constexpr float kEffectRise = 100;

  explicit PlayerShow(int iTablePos) : NewPlayerHead(iTablePos) {}
  static PlayerShow* create(int iTablePos);

  // From the head image's position, anchor and size: the middle of its top
  // half's edge, raised by kEffectRise (see the source); (0, 0) without a head.
  cocos2d::Vec2 GetHeadCenter() const;
  // The place of the single-player name that goes with the head shown (the
  // computer players' names, see gamedata/RobotHeads.h); 0 for a head
  // without a name of its own.
  int GetSingleNickNameIndex() const;
};
