#include "widgets/PlayerShow.h"

#include "gamedata/RobotHeads.h"
#include "platform/engine/Sprite.h"

PlayerShow* PlayerShow::create(int iTablePos) {
  auto* head = new PlayerShow(iTablePos);
  head->autorelease();
  return head;
}

cocos2d::Vec2 PlayerShow::GetHeadCenter() const {
  const cocos2d::Sprite* image = GetHeadImage();
  if (image == nullptr) return cocos2d::Vec2::ZERO;
  const cocos2d::Vec2 p = image->getPosition();
  const cocos2d::Vec2 a = image->getAnchorPoint();
  const cocos2d::Size s = image->getContentSize();
  cocos2d::Vec2 center = p;
  if (a.x == 0) {
    center.x = p.x + s.width / 2;
  } else if (a.x == 1) {
    center.x = p.x - s.width / 2;
  }
  if (a.y == 0) {
    center.y = p.y + s.height / 2 + kEffectRise;
  } else if (a.y == 0.5f) {
    center.y = p.y + kEffectRise;
  }
  return center;
}

int PlayerShow::GetSingleNickNameIndex() const { return ddz::RobotHeadPlace(GetHeadID()); }
