// The auto-play overlay of the tournament table: a dim veil with the auto-play
// tip over the whole table while the time-out action plays for the player.
// The veil and the tip are placed in the window, whatever the place of the
// hand that holds the overlay.
//
// The tournament own hand owns it and attaches it after a play or pass made by
// the time-out action. Each time it enters the stage it tells the server that
// the own seat plays automatically (request 76, on); each time it leaves, that
// it does not any more (76, off). Any touch, anywhere, is the player coming
// back: it sets the hand's auto-play count to 0 and the overlay leaves after
// the touch's dispatch. It holds no timer and no game logic.
//
// Requests go to the scene's current table view (GameSceneBase::m_pGameView);
// without one nothing is sent (logged).
#pragma once

#include "platform/framework/YndGameLayer.h"

class CompeteSelfHandCard;

namespace cocos2d {
class LayerColor;
class Sprite;
}  // namespace cocos2d

class AutoSendCard : public YndGameLayer {
 public:
  static constexpr int kVeilOpacity = 65;
  // The tip's window point: over the top of the table, where the bottom
  // cards lay before the landlord took them; in play nothing else stands
  // there (the own score box below the hand stays in sight).
  static constexpr float kTipX = 640;
  static constexpr float kTipY = 600;

  // `owner`: the hand that made it; not owned, null once the hand forgets it.
  explicit AutoSendCard(CompeteSelfHandCard* owner);

  void onEnter() override;
  void onExit() override;
  bool onTouchBegan(cocos2d::Touch* touch, cocos2d::Event* event) override;

  CompeteSelfHandCard* GetOwner() const { return m_pOwner; }
  // The owning hand is going away.
  void ForgetOwner() { m_pOwner = nullptr; }

 private:
  void SendAutoPlayState(bool on);
  // Places the overlay so that it covers the window wherever its parent stands.
  void LieOnTheWindow();

  CompeteSelfHandCard* m_pOwner = nullptr;  // not owned
  cocos2d::LayerColor* m_pVeil = nullptr;   // child, built on the first entry
  cocos2d::Sprite* m_pTip = nullptr;        // child; null when the frame is missing
};
