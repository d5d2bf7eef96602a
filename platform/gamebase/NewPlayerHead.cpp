#include "platform/gamebase/NewPlayerHead.h"

#include <cstdio>

#include "platform/engine/Action.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndCommonFunc.h"

NewPlayerHead::NewPlayerHead(int seat) : m_iSeat(seat) {
  init();
  m_pHeadImage = cocos2d::Sprite::create();
  addChild(m_pHeadImage);
}

NewPlayerHead::~NewPlayerHead() = default;

int NewPlayerHead::ConvertPlayerIcon(int headId) { return headId < 0 ? 0 : headId % kHeadIconCount; }

int NewPlayerHead::IniImage(int headId, const cocos2d::Vec2& pos, float scale, const cocos2d::Vec2& offset) {
  m_iHeadID = headId >= 0 ? headId : YndRand(kHeadIconCount);
  char name[64];
  std::snprintf(name, sizeof(name), "vevad_head_icon_%d.png", ConvertPlayerIcon(m_iHeadID));
  if (cocos2d::SpriteFrame* frame = cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(name)) {
    m_pHeadImage->setSpriteFrame(frame);
  }
  m_pHeadImage->stopAllActions();
  m_fScale = scale;
  m_pHeadImage->setScale(scale);
  m_pHeadImage->setPosition(pos + offset);
  m_pHeadImage->setVisible(true);
  return m_iHeadID;
}

void NewPlayerHead::RemoveImage() {
  m_pHeadImage->stopAllActions();
  m_pHeadImage->setVisible(false);
  m_iHeadID = -1;
}

void NewPlayerHead::ShowPlayerAct(int act, bool animate) {
  if (act != kActWin && act != kActLoss) return;
  m_iLastAct = act;
  if (!animate) return;
  m_pHeadImage->stopAllActions();
  m_pHeadImage->setScale(m_fScale);
  if (act == kActWin) {
    m_pHeadImage->runAction(cocos2d::JumpBy::create(0.5f, cocos2d::Vec2::ZERO, 20.0f, 2));
  } else {
    m_pHeadImage->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.15f, m_fScale * 0.9f),
                                                      cocos2d::ScaleTo::create(0.15f, m_fScale)));
  }
}
