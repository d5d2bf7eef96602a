// Two displays of something won.
//
// FirstGetYBTips: the picture tip shown the first time yuanbao is won. It
// slides in to the left by its own width (5 points every 0.01 s, the last
// step shortened so that it stops exactly at its width), waits, and slides
// back out the same way, then removes itself. It stays 12 s after entering;
// from 6 s on a touch anywhere sends it out at once.
//
// ShowAward / AniManageShowAward: the full-screen award animation (veil,
// rotating light, the award's kind and amount popping up under a title, seven
// rays of twinkling stars, a sound). 3 s after it starts the content goes
// and either the view is told (OnAwardEnd with the award id, when the award
// was made for a view that still runs) or the award icon flies to the bottom
// bar's money (kind 0) or yuanbao (kind 1) icon before the award ends. The
// views make AniManageShowAward and hand it to their animation manager, which
// removes it once UpdateFrame reports it done.
#pragma once

#include "platform/engine/Math.h"
#include "platform/gamebase/AniBase.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Node;
class Sprite;
}  // namespace cocos2d
class DDZGameView;

class FirstGetYBTips : public YndGameLayer {
 public:
  enum State { kGone = -1, kSlidingIn = 0, kShown = 1, kClosable = 2, kSlidingOut = 3 };
  static constexpr const char* kImage = "ddz_first_yb_tips.png";
  static constexpr int kSecondTimer = 1;
  static constexpr int kSlideTimer = 2;
  static constexpr int kShownSeconds = 12;
  static constexpr int kClosableAt = 6;  // seconds left when a touch may close it
  static constexpr float kSlideStep = 5.0f;
  static constexpr float kSlideInterval = 0.01f;

  static FirstGetYBTips* create();

  void onEnter() override;
  void OnTimer(int id) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  int GetState() const { return m_iState; }
  int GetSecondsLeft() const { return m_iSecond; }
  cocos2d::Sprite* GetTips() const { return m_pTips; }

 private:
  FirstGetYBTips() = default;
  // One slide step in `direction` (-1 left, 1 right); true when the slide ended.
  bool SlideStep(float direction);
  void StartSlide(int state);

  cocos2d::Sprite* m_pTips = nullptr;  // child; null when the image is missing
  cocos2d::Vec2 m_ptPos;
  int m_iSecond = 5;
  int m_iState = kSlidingIn;
  float m_fDistance = 0;
  float m_fMoved = 0;
};

// The room panel's user figures, which an award that ends away from a table
// redraws. The room panel registers itself (ShowAward::SetRoomPanel).
class IRoomUserInfo {
 public:
  virtual ~IRoomUserInfo() = default;
  virtual void FreshUserInfo() = 0;
};

class ShowAward : public AniBase {
 public:
  // The room panel an award without a table redraws; null when there is
  // none. Not owned: the panel clears it when it goes.
  static void SetRoomPanel(IRoomUserInfo* panel);
  static IRoomUserInfo* GetRoomPanel();

  static constexpr int kModeTellView = 3;
  static constexpr float kShowSeconds = 3.0f;
  static constexpr float kFlightSeconds = 0.5f;
  static constexpr int kStarRays = 7;
  static constexpr const char* kSheet = "qorvddz_res_award.plist";
  static constexpr const char* kSound = "ddzSound/ddz_get_award.mp3";
  static constexpr const char* kDigits = "qorvddz_award_num.png";

  void onEnter() override;
  // The end: the view's OnAwardEnd when made for a view that still runs,
  // else the room panel's figures are redrawn; then the award removes itself
  // (deferred).
  virtual void FinishAward();

  int GetAwardId() const { return m_iAwardId; }
  cocos2d::Node* GetContent() const { return m_pContent; }
  cocos2d::Sprite* GetTypeIcon() const { return m_pTypeIcon; }
  // Where the icon flies for an award of `type`, in the award's space.
  static cocos2d::Vec2 FlightTarget(int type);

 protected:
  ShowAward(int iAwardId, int iAwardType, int iAmount, int iMode, DDZGameView* pView);
  // Whether the end goes to the view.
  bool TellsView() const;
  void TellView();

  int m_iAwardId = 0;
  int m_iAwardType = 0;  // 0 coins, 1 yuanbao
  int m_iAmount = 0;
  cocos2d::Node* m_pContent = nullptr;   // child until the 3 s are over
  cocos2d::Sprite* m_pTypeIcon = nullptr;  // child of the award itself
  int m_iMode = 0;
  // Not owned. The award runs under the view's animation manager, so it
  // never outlives the view.
  DDZGameView* m_pView = nullptr;

 private:
  void OnShown(float dt);
  void Twinkle(cocos2d::Sprite* star);
};

class AniManageShowAward : public ShowAward {
 public:
  // An award animation (autoreleased) that tells `pView` (may be null) at its end.
  static AniManageShowAward* Create(int iAwardId, int iAwardType, int iAmount, DDZGameView* pView);

  // The view is told; then everything of the award stops and it reports done.
  void FinishAward() override;
  bool UpdateFrame(float dt) override;
  bool IsDone() const { return m_bDone; }

 private:
  using ShowAward::ShowAward;
  bool m_bDone = false;
};
