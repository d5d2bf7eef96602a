// The status marks of one seat on the table: ready or waiting, call points,
// pass, the landlord hat with its sparkles, auto-play, offline, network delay,
// doubling, not enough money, the money box, the waiting-for-the-farmers sign
// with running dots, a score box and the seat's expression animation.
//
// Every mark is its own sprite, made when it is shown and removed when it is
// hidden; the caller passes the position. Showing a mark that is up changes
// nothing (not even its place), hiding one that is not up does nothing. The
// money box is the exception: shown again, it shows the new amount. Offline,
// network delay and auto-play exclude one another: showing one removes the
// other two.
//
// The landlord hat's entrance holds the game messages: it raises the message
// lock through a MsgLockToken that is a child of the hat, and lowers it when
// the hat lands; a hat taken away in flight (hidden, ResetAll, the widget
// leaving the stage) lowers it then, once. A hat shown while the widget is
// off the stage (a seat kept for its next join) or by a re-login is put at
// rest at once, with no entrance and no hold.
//
// Every mark pointer below is a child of this layer (not owned here; the
// layer's child list keeps it), null while the mark is not shown.
#pragma once

#include <string>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
}  // namespace cocos2d
namespace spine {
class SkeletonAnimation;
}

// The step of the waiting sign's dots, shared by every seat: dot i shows while
// i <= the step; the step runs 0, 1, 2, -1 and again.
extern int g_iWaitDotStep;

class PlayerGameInfo : public YndGameLayer {
 public:
  static constexpr int kOwnSeat = 1;
  static constexpr int kWaitDots = 3;
  static constexpr int kSparkles = 3;
  static constexpr float kWaitDotSeconds = 0.5f;
  static constexpr int kPointZOrder = 10;
  static constexpr int kHatZOrder = 11;
  static constexpr int kSparkleZOrder = 12;
  static constexpr int kFaceZOrder = 20;
  static constexpr float kHatRestScale = 0.5f;
  // The entrance: fade in while shrinking from 6 to 0.9, hold, fly to the seat.
  static constexpr float kHatStartScale = 6.0f;
  static constexpr float kHatFadeSeconds = 8.0f / 24;
  static constexpr float kHatHoldSeconds = 20.0f / 24;
  static constexpr float kHatFlySeconds = 8.0f / 24;
  static constexpr int kHatSound = 222;
  static constexpr float kFaceScale = 0.6f;
  static constexpr const char* kFaceAtlas = "ddz_bq_zong.atlas";
  static constexpr float kMoneyFontSize = 22;

  explicit PlayerGameInfo(int iTablePos);

  int GetTablePos() const { return m_iTablePos; }

  // ---- simple marks ----
  // Own seat: the waiting sign; other seats: the ready sign.
  void ShowReady(bool bShow, cocos2d::Vec2 pt);
  void ShowCompeteReady(bool bShow, cocos2d::Vec2 pt);  // same mark as ShowReady
  // The call-points sign of iAmount; a negative amount hides it.
  void ShowPoint(bool bShow, int iAmount, cocos2d::Vec2 pt);
  void ShowCompetePoint(bool bShow, int iPoint, cocos2d::Vec2 pt);  // same mark as ShowPoint
  void ShowPass(bool bShow, cocos2d::Vec2 pt);
  void ShowCompetePass(bool bShow, cocos2d::Vec2 pt);  // same mark as ShowPass
  void ShowOffLine(bool bShow, cocos2d::Vec2 pt);
  void ShowNetDelay(bool bShow, cocos2d::Vec2 pt);
  void ShowCompeteTuoGuan(bool bShow, cocos2d::Vec2 pt);
  // Doubling and not-enough-money signs pop in with a bounce.
  void ShowAddPound(bool bShow, cocos2d::Vec2 pt);
  void ShowNoMoneyTips(bool bShow, cocos2d::Vec2 pt);

  // ---- the money box ----
  // Shows the box with iMoney at pt, or, when it is up, the new amount
  // (bouncing when bPlayAni); false takes the box away.
  void ShowPlayerMoneInfo(bool bShow, int iMoney, cocos2d::Vec2 pt, bool bPlayAni);

  // ---- the waiting sign (own seat only; other seats: nothing) ----
  void ShowWaitFarmerMul(bool bShow, cocos2d::Vec2 pt);
  void OnWaitDotTick(float dt);

  // ---- the landlord hat ----
  // Shows the hat flying in from the window centre to pt (message lock held
  // meanwhile, with its sound), or at once at pt after a re-login (bLogin).
  void ShowLandOwner(bool bShow, cocos2d::Vec2 pt, bool bLogin);
  // A squash and stretch of the resting hat, and a round of sparkles.
  void ShowLandOwnerAni();

  // ---- score boxes ----
  void ShowCompeteAmount(bool bShow, int iAmount, cocos2d::Vec2 pt);
  void UpdateCompeteAmount(int iAmount);
  void ShowFdAmount(bool bShow, int iAmount, cocos2d::Vec2 pt);
  void UpdateFdAmount(int iAmount);

  // ---- the expression animation ----
  // Expression iFaceIndex (0-7) over the seat for fDelay seconds; a new one
  // replaces the running one at once. Other indexes do nothing.
  void ShowFaceSpine(int iFaceIndex, bool bShow, float fDelay);

  // Every mark away, the dots stopped.
  void ResetAll();

  // ---- for the table and the tests ----
  cocos2d::Sprite* GetReady() const { return m_pReady; }
  cocos2d::Sprite* GetPoint() const { return m_pPoint; }
  cocos2d::Sprite* GetPass() const { return m_pPass; }
  cocos2d::Sprite* GetOffLine() const { return m_pOffLine; }
  cocos2d::Sprite* GetNetDelay() const { return m_pNetDelay; }
  cocos2d::Sprite* GetTuoGuan() const { return m_pTuoGuan; }
  cocos2d::Sprite* GetAddPound() const { return m_pAddPound; }
  cocos2d::Sprite* GetNoMoney() const { return m_pNoMoney; }
  cocos2d::Sprite* GetMoneyBg() const { return m_pMoneyBg; }
  cocos2d::Label* GetMoneyLabel() const { return m_pMoneyLabel; }
  cocos2d::Sprite* GetWaitFarmerMul() const { return m_pWaitFarmerMul; }
  cocos2d::Sprite* GetWaitDot(int i) const { return m_pWaitDot[i]; }
  cocos2d::Sprite* GetLandOwner() const { return m_pLandOwner; }
  cocos2d::Sprite* GetLandOwnerStar(int i) const { return m_pLandOwnerStar[i]; }
  cocos2d::Sprite* GetAmountBg() const { return m_pAmountBg; }
  cocos2d::Label* GetAmountLabel() const { return m_pAmountLabel; }
  spine::SkeletonAnimation* GetFaceSpine() const { return m_pFaceSpine; }

 private:
  // Shows (made from `frame` at pt with z-order z, when not up) or hides the
  // mark kept in `mark`.
  void ShowMark(cocos2d::Sprite*& mark, bool bShow, const char* frame, cocos2d::Vec2 pt, int z = 0);
  void RemoveMark(cocos2d::Sprite*& mark);
  void ShowAmountBox(bool bShow, cocos2d::Vec2 pt, const char* frame, cocos2d::Vec2 labelPos,
                     cocos2d::Color3B color, const std::string& text);
  void UpdateAmount(const std::string& text);
  void RemoveFaceSpine();

  int m_iTablePos;
  cocos2d::Sprite* m_pReady = nullptr;
  cocos2d::Sprite* m_pPoint = nullptr;
  cocos2d::Sprite* m_pPass = nullptr;
  cocos2d::Sprite* m_pOffLine = nullptr;
  cocos2d::Sprite* m_pNetDelay = nullptr;
  cocos2d::Sprite* m_pAddPound = nullptr;
  cocos2d::Sprite* m_pWaitFarmerMul = nullptr;
  cocos2d::Sprite* m_pMoneyBg = nullptr;
  cocos2d::Label* m_pMoneyLabel = nullptr;
  cocos2d::Sprite* m_pNoMoney = nullptr;
  cocos2d::Sprite* m_pTuoGuan = nullptr;
  cocos2d::Sprite* m_pWaitDot[kWaitDots] = {};
  cocos2d::Sprite* m_pLandOwner = nullptr;
  cocos2d::Sprite* m_pLandOwnerStar[kSparkles] = {};
  cocos2d::Sprite* m_pAmountBg = nullptr;
  cocos2d::Label* m_pAmountLabel = nullptr;  // child of m_pAmountBg
  spine::SkeletonAnimation* m_pFaceSpine = nullptr;
};
