#include "cards/LastCardPC.h"

#include "platform/engine/Sprite.h"

LastCardPC::LastCardPC(int seat, cocos2d::Vec2 position)
    : m_fCentreX(position.x), m_fTopY(position.y), m_iSeat(seat) {
  m_fCardGap = kGap;
  m_fRowGap = kLineGap;
  m_bShowOnAdd = true;
  m_bWildcardMode = false;
}

void LastCardPC::LayoutCards() {
  const int n = static_cast<int>(m_vcCards.size());
  if (n == 0) return;
  m_iCardsPerLine = m_iSeat == kOwnSeat ? kOwnCardsPerLine : kOtherCardsPerLine;
  // Lines wider than a full line share the first line's left edge.
  const int widthCount = (m_iSeat != kOwnSeat && n >= kOtherCardsPerLine) ? kOtherCardsPerLine : n;
  const float lineWidth = static_cast<float>(widthCount - 1) * m_fCardGap + m_fScale * kCardWidth;
  const int left = static_cast<int>(m_fCentreX - static_cast<float>(static_cast<int>(lineWidth) / 2));
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    info->fX = static_cast<float>(i % m_iCardsPerLine) * m_fCardGap + static_cast<float>(left) +
               m_fScale * kCardWidth * 0.5f;
    info->fY = static_cast<float>(static_cast<int>(m_fTopY)) - static_cast<float>(i / m_iCardsPerLine) * m_fRowGap;
    info->pCardSprite->setScale(m_fScale);
    info->pCardSprite->setPosition(info->fX, info->fY);
  }
}
