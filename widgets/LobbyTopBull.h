// Three small table layers: the announcement strip (LobbyTopBull), the
// one-line tip bubble (GameTips) and the new-player guide of the four-player
// and Super tables (PlayerGuide).
//
// LobbyTopBull: the view hands it each broadcast (AddBullInfo); the texts
// scroll one after the other through a 600 x 40 window centred on the
// strip's origin, behind a loudspeaker icon that leads the text by 20 points.
// Hidden → slides down in 0.5 s → scrolls → 1 s pause → next text … → after
// the last one slides up in 0.5 s and hides. Both text and icon move at
// 100 points a second from just outside the right edge of the window to just
// outside its left edge; a text of width Lw behind an icon of width Iw takes
// (600 + Lw + Iw + Iw / 2) / 100 seconds (ScrollSeconds). The queue keeps at
// most kMaxQueued texts; a flood of broadcasts drops the oldest waiting ones.
//
// PlayerGuide: with no guide shown yet (iGuidedNum 0) seven picture pages one
// after the other (step 0 about 4.5 s with the pointer travelling, steps 1-6
// 3 s each), then the guide takes itself off the view; otherwise only a short
// hint on page 1 (3 s).
#pragma once

#include <deque>
#include <string>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class ClippingNode;
class Label;
class Sprite;
}  // namespace cocos2d
class DDZGameView;

class LobbyTopBull : public YndGameLayer {
 public:
  static constexpr float kSpeed = 100.0f;  // points per second
  static constexpr float kWindowWidth = 600.0f;
  static constexpr float kWindowHeight = 40.0f;
  static constexpr float kIconLead = 20.0f;
  static constexpr float kSlideDistance = 50.0f;
  static constexpr float kSlideSeconds = 0.5f;
  static constexpr float kPauseSeconds = 1.0f;
  static constexpr float kIdleSeconds = 300.0f;
  static constexpr float kFontSize = 24.0f;
  static constexpr std::size_t kMaxQueued = 50;
  static constexpr const char* kBgFile = "notice_bg.png";
  static constexpr const char* kHornFile = "competenn_gonggao_laba.png";
  static constexpr int kLeaveTag = 0x5b11;

  static LobbyTopBull* create();

  void onEnter() override;
  void onExit() override;

  // Queues `szText` (dropping the oldest waiting text beyond kMaxQueued) and
  // shows the next text when nothing scrolls.
  void AddBullInfo(const std::string& szText);

  // Seconds the text takes to cross (label width, icon width).
  static float ScrollSeconds(float labelWidth, float iconWidth);

  const std::deque<std::string>& GetQueue() const { return m_vcBullInfo; }
  bool IsScrolling() const { return m_bScrolling; }
  cocos2d::Label* GetLabel() const { return m_pBullLabel; }
  cocos2d::Sprite* GetHorn() const { return m_pHornIcon; }
  cocos2d::ClippingNode* GetClipNode() const { return m_pClipNode; }

 private:
  LobbyTopBull();
  void ShowNextBull();
  void StartScroll();
  void OnBullEnd();

  cocos2d::ClippingNode* m_pClipNode = nullptr;  // child
  bool m_bScrolling = false;
  float m_fSpeed = kSpeed;
  cocos2d::Label* m_pBullLabel = nullptr;  // child of the clipping node
  cocos2d::Rect m_rcClip{-kWindowWidth / 2, -kWindowHeight / 2, kWindowWidth, kWindowHeight};
  cocos2d::Sprite* m_pHornIcon = nullptr;  // child of the clipping node
  std::deque<std::string> m_vcBullInfo;     // waiting texts, oldest first
  cocos2d::Vec2 m_ptRest;                   // where the strip rests while shown
};

class GameTips : public YndGameLayer {
 public:
  static constexpr const char* kBgFile = "tipsBg.png";
  static const cocos2d::Color3B kTextColor;

  static GameTips* create();
  void onEnter() override;

  // What the owners change: the text, and whether the bubble shows.
  void SetTipsText(const std::string& text);
  void SetTipsVisible(bool visible);

  cocos2d::Sprite* GetTipsBg() const { return m_pTipsBg; }
  cocos2d::Label* GetTipsLabel() const { return m_pTipsLabel; }

 private:
  GameTips() = default;
  cocos2d::Sprite* m_pTipsBg = nullptr;     // child; null when the image is missing
  cocos2d::Label* m_pTipsLabel = nullptr;   // child of the background
};

class PlayerGuide : public YndGameLayer {
 public:
  static constexpr int kPages = 8;
  static constexpr int kPointerPage = 7;
  static constexpr int kSteps = 7;
  static constexpr const char* kSheet = "guide_layer.plist";

  // A new guide (autoreleased) that takes itself off `pGameView` when done;
  // the caller adds it to the view. Null without a view.
  static PlayerGuide* create(DDZGameView* pGameView, int iGuidedNum);

  void onEnter() override;
  void update(float dt) override;

  int GetStep() const { return m_iStep; }
  cocos2d::Sprite* GetPage(int k) const { return k >= 0 && k < kPages ? m_pPage[k] : nullptr; }

 private:
  PlayerGuide(DDZGameView* pGameView, int iGuidedNum) : m_pGameView(pGameView), iGuidedNum(iGuidedNum) {}
  cocos2d::Sprite* MakePage(int k);
  // The pointer's place beside page k.
  cocos2d::Vec2 Beside(int k) const;
  void NextGuideStep();
  void Leave();

  cocos2d::Sprite* m_pPage[kPages] = {};  // children once made
  DDZGameView* m_pGameView = nullptr;      // not owned: the view the guide is a child of
  int m_iStep = 0;
  bool m_bBusy = false;
  int iGuidedNum = 0;
};
