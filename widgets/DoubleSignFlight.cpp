#include "widgets/DoubleSignFlight.h"

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Saturate.h"
#include "table/DDZGameView.h"

using cocos2d::Vec2;

DoubleSignFlight::~DoubleSignFlight() { Stop(); }

Vec2 DoubleSignFlight::StartPoint(int seat) {
  switch (seat) {
    case 0:
      return g_ptHLBombDest[0] + Vec2(30, 0);
    case 1:
      return g_ptHLBombDest[1] + Vec2(0, 150);
    case 2:
      return g_ptHLBombDest[2] - Vec2(30, 0);
    case 3:
      return g_ptHLBombDest[3] - Vec2(0, 30);
    default:
      return Vec2(BasePT::g_iWindowWidth / 2, BasePT::g_iWindowHeight / 2);
  }
}

Vec2 DoubleSignFlight::FourSeatStartPoint(int seat) {
  switch (seat) {
    case 0:
      return g_ptPlayerHead[0] - Vec2(16, 66);
    case 1:
      return g_ptX2Start;
    case 2:
      return g_ptPlayerHead[2] - Vec2(4, 66);
    default:
      return g_ptGameX2;
  }
}

float DoubleSignFlight::FlightSeconds(int seat) {
  if (seat == 1) return 0.4f;
  return (seat == 0 || seat == 2) ? 0.35f : 0.3f;
}

bool DoubleSignFlight::IsFlying() {
  // A sign the table took off (reset, background) is forgotten here.
  if (m_pDoubleSprite != nullptr && m_pDoubleSprite->getParent() == nullptr) Forget();
  return m_pDoubleSprite != nullptr;
}

void DoubleSignFlight::Show(int seat, int factor) {
  if (m_pView == nullptr) return;
  m_pView->m_TableItem.iTimes = ddz::os::SaturatingMul(m_pView->m_TableItem.iTimes, factor);
  Fly(seat);
}

void DoubleSignFlight::ShowAdd(int seat, int add) {
  if (m_pView == nullptr) return;
  m_pView->m_TableItem.iTimes = ddz::os::SaturatingAdd(m_pView->m_TableItem.iTimes, add);
  Fly(seat);
}

void DoubleSignFlight::Fly(int seat) {
  if (IsFlying()) return;  // the flying sign lands with the new multiple
  cocos2d::Sprite* sign = cocos2d::Sprite::createWithSpriteFrameName(kSign);
  if (sign == nullptr) sign = cocos2d::Sprite::create(kSign);
  if (sign == nullptr) {
    cocos2d::log("DoubleSignFlight: %s is not found", kSign);
    m_pView->ShowTableMultiple(m_pView->m_TableItem.iTimes);
    return;
  }
  const float t = FlightSeconds(seat);
  sign->setPosition(m_eTable == kFourSeats ? FourSeatStartPoint(seat) : StartPoint(seat));
  sign->setScale(1.5f);
  m_pView->addChild(sign, kZOrder);
  sign->runAction(cocos2d::Sequence::create(
      cocos2d::ScaleTo::create(0.15f, 0.8f), cocos2d::ScaleTo::create(0.1f, 1.4f),
      cocos2d::ScaleTo::create(0.1f, 1.1f),
      cocos2d::Spawn::create(
          cocos2d::MoveTo::create(t, Vec2(BasePT::g_iWindowWidth / 2 + 30, BasePT::g_iWindowHeight - 40)),
          cocos2d::ScaleTo::create(t, 0.5f)),
      cocos2d::DelayTime::create(0.3f), cocos2d::CallFunc::create([this] { OnLanded(); })));
  sign->retain();
  m_pDoubleSprite = sign;
  m_pLock = MsgLockToken::Raise(sign);
}

void DoubleSignFlight::OnLanded() {
  if (m_pLock != nullptr) m_pLock->Release();
  Stop();
  if (m_pView != nullptr) m_pView->ShowTableMultiple(m_pView->m_TableItem.iTimes);
}

void DoubleSignFlight::Stop() {
  if (m_pDoubleSprite == nullptr) return;
  // Leaving the table lowers a lock that is still held.
  if (m_pDoubleSprite->getParent() != nullptr) m_pDoubleSprite->removeFromParentAndCleanup(true);
  Forget();
}

void DoubleSignFlight::Forget() {
  m_pLock = nullptr;
  cocos2d::Sprite* sign = m_pDoubleSprite;
  m_pDoubleSprite = nullptr;
  sign->release();
}
