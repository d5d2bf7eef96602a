#include "variants/DDZSmallGameClock.h"

#include <cmath>
#include <string>

#include "platform/engine/Label.h"
#include "variants/DDZSmallGameSound.h"

DDZSmallGameClock* DDZSmallGameClock::create() {
  auto* clock = new DDZSmallGameClock();
  clock->init();
  clock->autorelease();
  return clock;
}

void DDZSmallGameClock::onEnter() {
  cocos2d::Sprite::onEnter();
  if (m_pDigits != nullptr) return;  // built on the first entry
  m_pDigits = cocos2d::LabelAtlas::create("0", kDigitsMap, kDigitWidth, kDigitHeight, '0');
  m_pDigits->setAnchorPoint(cocos2d::Vec2(0.5f, 0.5f));
  addChild(m_pDigits);
  UpdateNum();
}

void DDZSmallGameClock::StartCountDown(float total, float interval, float warnAt) {
  if (total <= 0) return;
  StopCountDown();
  m_fRemaining = total;
  m_fWarnAt = warnAt;
  m_bRunning = true;
  m_bWarned = false;
  UpdateNum();
  if (m_fWarnAt >= total) {
    m_bWarned = true;
    ddz::smallgame::PlaySound(ddz::smallgame::kSoundClockTick);
    NotifyAll();
  }
  // A listener told at once may have stopped the clock.
  if (m_bRunning) schedule(schedule_selector(DDZSmallGameClock::OnTick), interval);
}

void DDZSmallGameClock::StopCountDown() {
  m_fRemaining = 0;
  m_fWarnAt = 0;
  m_bWarned = true;
  m_bRunning = false;
  unschedule(schedule_selector(DDZSmallGameClock::OnTick));
  UpdateNum();
}

void DDZSmallGameClock::OnTick(float dt) {
  m_fRemaining -= dt;
  UpdateNum();
  if (m_fRemaining <= 0) {
    StopCountDown();
    NotifyAll();
  } else if (!m_bWarned && m_fWarnAt >= m_fRemaining) {
    m_bWarned = true;
    NotifyAll();
  }
  if (m_bWarned) ddz::smallgame::PlaySound(ddz::smallgame::kSoundClockTick);
}

void DDZSmallGameClock::UpdateNum() {
  if (m_pDigits == nullptr) return;
  m_pDigits->setString(std::to_string(static_cast<int>(std::ceil(m_fRemaining))));
}
