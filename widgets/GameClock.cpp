#include "widgets/GameClock.h"

#include <string>

#include "cards/Vell_SpriteCardManage.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "table/GameSoundDDZ.h"

GameClock::GameClock(Vell_SpriteCardManage* pHandCard, int iGameType)
    : m_iGameType(iGameType), m_pHandCard(pHandCard) {
  if (m_pHandCard != nullptr) m_pHandCard->retain();
}

GameClock::~GameClock() {
  if (m_pHandCard != nullptr) m_pHandCard->release();
}

void GameClock::onEnter() {
  YndGameLayer::onEnter();
  if (m_pClockNum != nullptr) return;  // built on the first entry
  m_pClockBg = cocos2d::Sprite::createWithSpriteFrameName(kFaceFrame);
  if (m_pClockBg != nullptr) {
    m_pClockBg->setScale(kScale);
    addChild(m_pClockBg);
  }
  m_pClockNum = cocos2d::ui::TextAtlas::create("", kDigitsMap, kDigitWidth, kDigitHeight, "0");
  m_pClockNum->setScale(kScale);
  addChild(m_pClockNum);
  setVisible(false);
}

void GameClock::ShowClock(int iTime, int iTablePos, int iClockType, cocos2d::Vec2 pt) {
  if (iTablePos == kOwnSeat) pt += cocos2d::Vec2(0, kOwnSeatRise);
  int seconds = iTime;
  if (m_iGameType == kKindFixedTimes) seconds = iClockType == kTurnPlay ? kFixedPlaySeconds : kFixedOtherSeconds;
  if (m_iGameType == kKindTwoSeatSuper) pt = g_ptERClock[iTablePos == kOwnSeat ? 0 : 1];

  setVisible(true);
  m_iClockTime = seconds;
  m_iTablePos = iTablePos;
  m_iClockType = iClockType;
  if (m_pClockBg != nullptr) {
    m_pClockBg->setPosition(pt);
    m_pClockBg->stopAllActions();
    m_pClockBg->setRotation(0);
  }
  if (m_pClockNum != nullptr) m_pClockNum->setPosition(pt + cocos2d::Vec2(0, -kDigitsDrop));
  ShowSeconds();
  unschedule(schedule_selector(GameClock::OnTick));
  schedule(schedule_selector(GameClock::OnTick), kTickSeconds);
}

void GameClock::ResetClock() {
  m_iClockTime = 0;
  setVisible(false);
  unscheduleAllCallbacks();
}

void GameClock::OnTick(float) {
  if (m_iClockTime <= 0) return;
  --m_iClockTime;
  ShowSeconds();
  if (m_iClockTime == 0) {
    if (m_iGameType == kKindFixedTimes) {
      if (m_pClockBg == nullptr) return;
      cocos2d::Vector<cocos2d::FiniteTimeAction*> steps;
      for (float angle : kShakeAngles) steps.pushBack(cocos2d::RotateTo::create(kShakeStepSeconds, angle));
      steps.pushBack(cocos2d::DelayTime::create(kShakePauseSeconds));
      m_pClockBg->runAction(cocos2d::RepeatForever::create(cocos2d::Sequence::create(steps)));
      return;
    }
    setVisible(false);
    unscheduleAllCallbacks();
    if (m_iTablePos == kOwnSeat && m_pHandCard != nullptr) m_pHandCard->OnAutoOperate();
    return;
  }
  if (m_iTablePos == kOwnSeat && m_iClockTime <= kWarnFrom) {
    GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(GameSoundDDZ::kEffectClockWarning);
  }
}

void GameClock::ShowSeconds() {
  if (m_pClockNum != nullptr) m_pClockNum->setString(std::to_string(m_iClockTime));
}
