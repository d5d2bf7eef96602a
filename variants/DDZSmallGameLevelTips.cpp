#include "variants/DDZSmallGameLevelTips.h"

#include <cstdio>

#include "platform/engine/Sprite.h"

DDZSmallGameLevelTips* DDZSmallGameLevelTips::create() {
  auto* tips = new DDZSmallGameLevelTips();
  tips->autorelease();
  return tips;
}

DDZSmallGameLevelTips::DDZSmallGameLevelTips() {
  init();
  for (float side : {1.0f, -1.0f}) {
    cocos2d::Sprite* half = cocos2d::Sprite::createWithSpriteFrameName(kRibbonFrame);
    if (half == nullptr) continue;
    half->setAnchorPoint(cocos2d::Vec2(1.0f, 0.5f));
    half->setScaleX(side);
    addChild(half);
  }
  cocos2d::Sprite* first = cocos2d::Sprite::createWithSpriteFrameName(kFirstWordFrame);
  cocos2d::Sprite* last = cocos2d::Sprite::createWithSpriteFrameName(kLastWordFrame);
  const float apart = first != nullptr ? static_cast<float>(static_cast<int>(first->getContentSize().width * 1.5f)) : 0;
  if (first != nullptr) {
    first->setPositionX(-apart);
    addChild(first);
  }
  if (last != nullptr) {
    last->setPositionX(apart);
    addChild(last);
  }
  m_pNumber = cocos2d::Sprite::create();
  addChild(m_pNumber, 1);
  SetLevel(1);
}

void DDZSmallGameLevelTips::SetLevel(int level) {
  if (level < 1 || level > kMaxLevel) return;
  char name[40];
  std::snprintf(name, sizeof name, "DDZ_SmallGame_di%d.png", level);
  m_pNumber->setSpriteFrame(std::string(name));
}
