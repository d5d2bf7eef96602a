// The mini-game's countdown: one clock times the waiting, picking and result
// phases. StartCountDown(total, interval, warnAt) counts the seconds down by
// `interval` a tick and shows the ceiling of what is left; it tells its
// listeners once when the time left reaches the warning threshold (at once
// when the threshold is not below the total) and once when the time is up,
// and from the warning on plays a tick sound every tick (the time-out tick
// included). The listeners tell the two notices apart by IsRunning(): true
// at the warning, false at the time-out. StopCountDown silences it.
#pragma once

#include "platform/engine/Sprite.h"
#include "variants/DDZSmallGameObserve.h"

namespace cocos2d {
class LabelAtlas;
}

class DDZSmallGameClock : public cocos2d::Sprite, public DDZSmallGameObserve {
 public:
  static constexpr const char* kDigitsMap = "DDZ_SmallGameTimeNum.png";
  static constexpr int kDigitWidth = 24;
  static constexpr int kDigitHeight = 30;

  static DDZSmallGameClock* create();

  // Builds the digits (once, "0") as a child, anchored at their centre.
  void onEnter() override;

  // Nothing for a total of 0 or less. Else restarts from any state.
  void StartCountDown(float total, float interval, float warnAt);
  // Idle: nothing left, no threshold, warned, not running; the tick stops.
  void StopCountDown();
  void OnTick(float dt);
  // The digits show the ceiling of the seconds left.
  void UpdateNum();

  float GetRemaining() const { return m_fRemaining; }
  float GetWarnAt() const { return m_fWarnAt; }
  bool IsWarned() const { return m_bWarned; }
  bool IsRunning() const { return m_bRunning; }
  cocos2d::LabelAtlas* GetDigits() const { return m_pDigits; }

 private:
  DDZSmallGameClock() = default;

  float m_fRemaining = 0;
  float m_fWarnAt = 0;
  bool m_bWarned = true;
  cocos2d::LabelAtlas* m_pDigits = nullptr;  // child; null until onEnter
  bool m_bRunning = false;
};
