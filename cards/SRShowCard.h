// The open hand of a seat on the four-player table: small cards in lines of
// 11, each line g_iShowCardGapY below the one before, the cards g_iShowCardGapX
// apart from the origin the view sets. The jokers keep scale 1 whatever the
// row's card scale. The row sorts by descending value before each layout.
#pragma once

#include <cstdint>

#include "cards/SpriteCardManage.h"

class SRShowCard : public SpriteCardManage {
 public:
  static constexpr int kCardsPerLine = 11;

  SRShowCard() = default;

  // Fills the row with a seat's cards from their card bytes, face up; a byte
  // that is no card is skipped with a log line.
  void ShowCardBytes(const std::uint8_t* bytes, int count);

  void LayoutCards() override;

  void SetSeat(int seat) { m_iSeat = seat; }
  int GetSeat() const { return m_iSeat; }
  // The first card's place.
  void SetOrigin(const cocos2d::Vec2& origin) { m_ptOrigin = origin; }
  void SetShowCardScale(float scale) { m_fShowScale = scale; }
  int GetCardsPerLine() const { return m_iCardsPerLine; }

 private:
  int m_iCardsPerLine = kCardsPerLine;
  int m_iSeat = 0;
  cocos2d::Vec2 m_ptOrigin;
  float m_fShowScale = 1.0f;  // of the non-joker cards
};
