// The animations around a hand's result and a round's awards: the spring
// banner (AniSpring), the pause before the round result (AniResultEmpty),
// the yuanbao-doubling banner at the deal (AniYBDouble) and the task cap
// that drops on the task panel (AniTaskCompete). The prize pop-ups are in
// PrizeGuideAni.h.
//
// Like the card-type animations (CardTypeAnis.h) each is an AniBase run by
// the view's AniManage; the views show them queued (flags false, true), so a
// result pause waits behind a spring banner. The view is borrowed.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/engine/Sprite.h"
#include "platform/gamebase/AniBase.h"

class DDZGameView;

// The spring banner: a vine with a rainbow, stars, leaves, flowers, a
// flapping butterfly, sparks and the title, which grows in, pulses and
// shrinks away in four stages driven by UpdateFrame. Kind 0 is the
// landlord's spring, kind 1 the farmers'.
class AniSpring : public AniBase {
 public:
  static constexpr const char* kSheet = "vellddz_ani_spring.plist";
  static constexpr int kSparks = 80;
  static constexpr float kButterflyFrameSeconds = 0.042f;

  explicit AniSpring(int kind);
  void onEnter() override;
  void onExit() override;
  void update(float dt) override;
  bool UpdateFrame(float dt) override;

  // The title and the sweep stencil of a kind.
  static const char* TitleFrame(int kind);
  static const char* SweepStencilFrame(int kind);

  int m_iSpringType;
  bool m_bStageReady = true;
  int m_iStage = 0;
  int m_iButterflyFrame = 0;
  float m_fTime = 0;
  float m_fLastTime = 0;
  cocos2d::Sprite* m_pVine = nullptr;
  cocos2d::Sprite* m_pButterfly = nullptr;
  cocos2d::Sprite* m_pBigStar = nullptr;
  cocos2d::Sprite* m_pSmallStar = nullptr;
  cocos2d::Sprite* m_pFlower[4] = {};
  std::vector<cocos2d::Vec2> m_vcSparkPoints;

 private:
  void NextStage();
  void BuildSparks(cocos2d::Node* layer);
  void RunSpark(cocos2d::Node* spark);
};

// Holds the round result back for one second (60 frames), then hands the
// copied result message to the view's ShowRoundResult. Started in a later
// wall-clock second than the one it was made in (it waited in the queue), it
// ends after one frame.
class AniResultEmpty : public AniBase {
 public:
  static constexpr int kFrames = 60;
  static constexpr int kResultBytes = 512;
  // `len` bytes of `msg` are kept (at most kResultBytes; a negative length
  // or a null message keeps nothing); `now` is the wall time in seconds.
  AniResultEmpty(DDZGameView* view, const char* msg, int len, std::int64_t now);
  void onEnter() override;
  bool UpdateFrame(float dt) override;
  void CallBackAniEnd() override;

  int m_iFrame = 0;
  std::int64_t m_tStart;
  DDZGameView* m_pView;  // borrowed
  char m_szResult[kResultBytes] = {};
  int m_iResultLen = 0;
};

// The yuanbao-doubling banner: a halo, a turning light and the yuanbao icon
// pop up at the window's centre; the icon then flies to the task panel and
// the view's task numbers are updated.
class AniYBDouble : public AniBase {
 public:
  static constexpr const char* kSheet = "vellddz_ani_yb_double.plist";
  static constexpr int kTaskValues = 7;
  // The seven task values; the first is the prize amount.
  AniYBDouble(DDZGameView* view, const int (&taskNum)[kTaskValues]);
  void onEnter() override;
  bool UpdateFrame(float) override { return m_bAniEnd; }

  bool m_bAniEnd = false;
  int m_iTaskNum[kTaskValues];
  DDZGameView* m_pView;  // borrowed

 private:
  void OnIconEnd();
};

// The task cap drops onto the task panel; then the view shows the task as
// completed.
class AniTaskCompete : public AniBase {
 public:
  static constexpr const char* kCapImage = "task_cap.png";
  explicit AniTaskCompete(DDZGameView* view) : m_pView(view) {}
  void onEnter() override;
  bool UpdateFrame(float) override { return m_bAniEnd; }

  bool m_bAniEnd = false;
  DDZGameView* m_pView;  // borrowed

 private:
  void OnCapEnd();
  bool m_bStarted = false;
};
