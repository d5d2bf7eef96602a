// The end-of-hand result window of the four-player two-deck table: the
// three-seat window's title, background, rocket/bombs/spring row, score
// numbers, cap notice and win burst (widgets/ResultLayer.h, resultparts),
// with four seats, everything 64 points lower (the title 44), only the
// continue and leave buttons, and a 100 s countdown whose end always leaves
// the table; the window shows the seconds left and says the table is left at 0.
//
// The four-player view writes the public fields and adds the layer; every
// entry clears the window of the hand before and builds a new one from the
// fields, and starts the countdown again.
//
// Signs differ from the three-seat window: a gain is "%d" (no sign glyph), a
// loss ";%d" of its magnitude, and 0 is ";0" (the minus glyph before 0).
// Anti-spring counts as a spring in the row (1 when iSpringType > 0).
//
// Like the three-seat window, the first action of a showing (a button or the
// countdown's end) stops the countdown and disables the buttons, so a click
// racing the time-out cannot act twice; a view that refuses the action gives
// it back (GiveBackAction). No button plays a click sound.
#pragma once

#include <string>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Button;
class TextAtlas;
}  // namespace ui
}  // namespace cocos2d
class DDZGameView;

class SRResultLayer : public YndGameLayer {
 public:
  static constexpr int kSeats = 4;
  static constexpr int kOwnSeat = 1;
  static constexpr int kCountSeconds = 100;
  static constexpr float kShiftDown = 64;
  static constexpr float kButtonRaise = 30;
  static constexpr float kTitleRaise = 20;
  // Above the shared window parts' background and title.
  static constexpr int kAboveBackgroundZ = 11;

  // pGameView: the owner view, borrowed; never null.
  static SRResultLayer* create(DDZGameView* pGameView);

  void onEnter() override;
  void onExit() override;
  void OnCountDown(float dt);
  void OnBtnContinue(cocos2d::Ref* sender = nullptr);
  void OnBtnQuit(cocos2d::Ref* sender = nullptr);
  // The owner view did not take the action it was just given: the buttons
  // are enabled again and the countdown goes on from where it stopped.
  void GiveBackAction();

  // The atlas text of a seat's score change on this window.
  static std::string SeatText(int value);

  // ---- the hand's outcome, written by the view before it adds the layer ----
  int iImageIndex = 0;
  int vcResult[kSeats] = {};  // score change per screen seat; the own seat is 1
  bool bLandOwner = false;
  int iSendBombNum = 0;
  bool bSendRocket = false;
  int iSpringType = 0;  // 0 none, 1 spring, 2 anti-spring
  bool bFenDing = false;

  // ---- what the window shows (null when not built) ----
  cocos2d::ui::Button* GetContinueButton() const { return m_pBtnContinue; }
  cocos2d::ui::Button* GetQuitButton() const { return m_pBtnQuit; }
  cocos2d::Sprite* GetTitle() const { return m_pTitle; }
  cocos2d::Sprite* GetBackground() const { return m_pResultBg; }
  cocos2d::ui::TextAtlas* GetSeatNumber(int seat) const { return m_pResultNum[seat]; }
  cocos2d::ui::TextAtlas* GetDetailNumber(int i) const { return m_pDetailNum[i]; }
  cocos2d::Node* GetWinEffect() const { return m_pWinEffect; }
  cocos2d::Sprite* GetCapNotice() const { return m_pCapNotice; }
  int GetCountDown() const { return m_iCountDown; }
  cocos2d::Label* GetCountDownLabel() const { return m_pCountDownLabel; }

 private:
  explicit SRResultLayer(DDZGameView* pGameView) : m_pGameView(pGameView) {}
  void ClearWindow();
  void Build();
  bool TakeAction();

  DDZGameView* m_pGameView;  // borrowed
  cocos2d::ui::Button* m_pBtnContinue = nullptr;
  cocos2d::ui::Button* m_pBtnQuit = nullptr;
  cocos2d::Node* m_pWinEffect = nullptr;
  cocos2d::Sprite* m_pTitle = nullptr;
  cocos2d::Sprite* m_pResultBg = nullptr;
  cocos2d::ui::TextAtlas* m_pResultNum[kSeats] = {};
  cocos2d::Sprite* m_pDetailWord[3] = {};
  cocos2d::ui::TextAtlas* m_pDetailNum[3] = {};
  cocos2d::Sprite* m_pCapNotice = nullptr;
  cocos2d::Label* m_pCountDownLabel = nullptr;
  int m_iCountDown = 0;
  bool m_bActed = false;
};
