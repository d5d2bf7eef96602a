// An opponent's hand: a fan of card backs of the seat's side, the number of
// cards left beside it and, once the view arms the warning, a blinking lamp
// and a one-time warning sound while one to three cards are left.
//
// The views make one per opponent seat with show-on-add off, so new backs
// start hidden and the layout shows as many as the side draws (6 on the
// left and right, 11 on top). The warning sound plays once per arming: the
// view arms it again at the next deal's end.
#pragma once

#include "cards/SpriteCardManage.h"

namespace cocos2d {
class SpriteFrame;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d

class OtherHandCard : public SpriteCardManage {
 public:
  enum Side { kLeft = 0, kRight = 2, kTop = 3 };
  static constexpr int kVisibleSideBacks = 6;
  static constexpr int kVisibleTopBacks = 11;
  static constexpr int kTopSpread = 10;  // the top fan is centred on this many cards
  static constexpr int kTopGap = 8;
  static constexpr int kWarnFrom = 1, kWarnTo = 3;
  static constexpr float kWarningCheckSeconds = 0.3f;
  static constexpr float kBlinkSeconds = 0.2f;
  static constexpr int kCountZOrder = 100;
  static constexpr int kLampZOrder = 99;
  static constexpr const char* kCountAtlas = "qorvddz_other_card_num.png";
  static constexpr int kCountItemWidth = 18, kCountItemHeight = 22;
  static constexpr const char* kFrameLamp = "ddz_tips_worning_0.png";
  static constexpr const char* kFrameLampGlow = "ddz_tips_worning_1.png";
  // Effect 21 of the table's sound effects.
  static constexpr const char* kWarningSound = "ddzSound/16.mp3";

  // `side`: the screen seat the row stands for (0 left, 2 right, 3 top).
  explicit OtherHandCard(int side);

  void onEnter() override;
  void onExit() override;
  void LayoutCards() override;
  // Lights the lamp (and plays the pending sound once) while the warning is
  // armed and 1 to 3 cards are left; darkens it otherwise.
  void UpdateWarning(float dt);

  int GetSide() const { return m_iSide; }
  cocos2d::ui::TextAtlas* GetCountLabel() const { return m_pCountLabel; }
  cocos2d::Sprite* GetWarningLamp() const { return m_pWarningLamp; }

  // Set by the view when the deal ends and after a re-login; the sound flag
  // is cleared once the sound has played.
  bool m_bWarningArmed = false;
  bool m_bSoundPending = false;
  // Set by the view with the two above; not read here.
  bool m_bViewFlag = false;

 private:
  int m_iSide = kLeft;
  cocos2d::ui::TextAtlas* m_pCountLabel = nullptr;  // child of the row while it is on stage
  cocos2d::Sprite* m_pWarningLamp = nullptr;        // child of the row
  cocos2d::SpriteFrame* m_pBackFrame = nullptr;     // from the frame cache; null for a side without backs
};
