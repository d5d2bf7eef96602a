// The turn clock: a clock face beside the seat whose turn it is, with the
// seconds left counting down once a second.
//
// The view owns one, moves it to the seat that must act (ShowClock) and hides
// it when the seat acts (ResetClock, or the view's HideGameClock). At the own
// seat (1) the clock warns with the effect kEffectClockWarning at 3, 2 and 1
// seconds left, and when the time runs out it asks the own hand to act
// (OnAutoOperate: the hand presses its default choice). A time-out at another
// seat only hides the clock.
//
// Two table kinds differ: kind 5 ignores the given time (15 s for a play turn,
// 10 s for any other) and at 0 shakes the face without end instead of acting;
// kind 8 (the two-seat Super table) stands at entry 0 (own seat) or 1 of
// g_ptERClock whatever point it is given.
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d
class Vell_SpriteCardManage;

class GameClock : public YndGameLayer {
 public:
  static constexpr int kOwnSeat = 1;
  static constexpr int kKindFixedTimes = 5;
  static constexpr int kKindTwoSeatSuper = 8;
  static constexpr int kTurnPlay = 2;  // kind of turn of a play
  static constexpr int kFixedPlaySeconds = 15;
  static constexpr int kFixedOtherSeconds = 10;
  static constexpr int kWarnFrom = 3;  // warn at this many seconds left and below
  static constexpr float kTickSeconds = 1.0f;
  static constexpr float kOwnSeatRise = 24;
  static constexpr float kDigitsDrop = 2;
  static constexpr float kScale = 0.9f;
  static constexpr const char* kFaceFrame = "qorvddz_clock_bg.png";
  static constexpr const char* kDigitsMap = "qorvddz_clock_num.png";
  static constexpr int kDigitWidth = 20;
  static constexpr int kDigitHeight = 26;
  // The shake at 0 (kind 5): six turns of kShakeStepSeconds, then a pause.
  static constexpr float kShakeStepSeconds = 1.0f / 15;
  static constexpr float kShakeAngles[6] = {10, -10, 10, -10, 10, 0};
  static constexpr float kShakePauseSeconds = 1.0f;

  // pHandCard: the own hand, retained while the clock holds it; may be null.
  // iGameType: the table kind (the view's GetGameKind()).
  GameClock(Vell_SpriteCardManage* pHandCard, int iGameType);
  ~GameClock() override;

  // Builds the face and the digits at scale kScale; the clock starts hidden.
  void onEnter() override;

  // Shows iTime seconds at `pt` for seat iTablePos and restarts the second:
  // the first decrement comes kTickSeconds after this call. A running shake
  // stops and the face stands upright.
  void ShowClock(int iTime, int iTablePos, int iClockType, cocos2d::Vec2 pt);
  // 0 seconds, hidden, every schedule of the clock stopped.
  void ResetClock();
  int getClockTime() const { return m_iClockTime; }
  // The once-a-second tick.
  void OnTick(float dt);

  int GetTablePos() const { return m_iTablePos; }
  int GetClockType() const { return m_iClockType; }
  cocos2d::Sprite* GetFace() const { return m_pClockBg; }
  cocos2d::ui::TextAtlas* GetDigits() const { return m_pClockNum; }

 private:
  void ShowSeconds();

  cocos2d::ui::TextAtlas* m_pClockNum = nullptr;  // child; null until onEnter
  cocos2d::Sprite* m_pClockBg = nullptr;          // child; null until onEnter or without its frame
  int m_iClockTime = 0;
  int m_iTablePos = 0;
  int m_iGameType = 0;
  int m_iClockType = 0;
  Vell_SpriteCardManage* m_pHandCard = nullptr;  // retained
};
