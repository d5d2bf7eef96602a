// What one seat played in the previous hand, in small cards wrapped into
// lines: 21 a line for the own seat, 9 for the others. The last-hand tip
// panel makes one per seat and fills it with AddCard.
#pragma once

#include "cards/SpriteCardManage.h"

class LastCardPC : public SpriteCardManage {
 public:
  static constexpr int kOwnSeat = 1;
  static constexpr int kOwnCardsPerLine = 21;
  static constexpr int kOtherCardsPerLine = 9;
  static constexpr float kGap = 20;
  static constexpr float kLineGap = 30;
  static constexpr float kScale = 0.5f;
  static constexpr float kCardWidth = 141;  // unscaled

  // `position`: x the centre of the lines, y the first line's.
  LastCardPC(int seat, cocos2d::Vec2 position);

  void LayoutCards() override;
  int GetCardsPerLine() const { return m_iCardsPerLine; }

 private:
  int m_iCardsPerLine = kOtherCardsPerLine;
  float m_fCentreX = 0;
  float m_fTopY = 0;
  float m_fScale = kScale;
  int m_iSeat = 0;
};
