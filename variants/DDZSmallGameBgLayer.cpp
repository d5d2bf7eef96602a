#include "variants/DDZSmallGameBgLayer.h"

#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/BasePT.h"

DDZSmallGameBgLayer* DDZSmallGameBgLayer::create() {
  auto* layer = new DDZSmallGameBgLayer();
  layer->init();
  layer->autorelease();
  return layer;
}

void DDZSmallGameBgLayer::onEnter() {
  cocos2d::Layer::onEnter();
  if (m_bBuilt) return;
  m_bBuilt = true;
  const auto add = [this](cocos2d::Sprite* sprite, cocos2d::Vec2 at, int z) {
    if (sprite == nullptr) return static_cast<cocos2d::Sprite*>(nullptr);
    sprite->setPosition(at);
    addChild(sprite, z);
    return sprite;
  };
  for (auto [sx, sy] : {std::pair{1.0f, 1.0f}, {-1.0f, 1.0f}, {1.0f, -1.0f}, {-1.0f, -1.0f}}) {
    if (cocos2d::Sprite* quarter = add(cocos2d::Sprite::create(kQuarterFile), g_ptBgWndCenterPos, 0)) {
      quarter->setAnchorPoint(cocos2d::Vec2(1, 1));
      quarter->setScale(sx, sy);
    }
  }
  if (BasePT::g_iWindowWidth >= kSidesFromWidth) {
    for (int i = 0; i < 2; ++i) {
      if (cocos2d::Sprite* side = add(cocos2d::Sprite::createWithSpriteFrameName(kSideFrame), g_ptSidePos[i], 1)) {
        side->setAnchorPoint(cocos2d::Vec2(0, 0));
        side->setScaleX(i == 0 ? 1.0f : -1.0f);
      }
    }
  }
  add(cocos2d::Sprite::create(kDeskFile), g_ptBgDeskPos, 1);
  add(cocos2d::Sprite::createWithSpriteFrameName(kHatFrame), g_ptHatPos, 2);
  add(cocos2d::Sprite::createWithSpriteFrameName(kManFrame), g_ptManPos, 3);
}
