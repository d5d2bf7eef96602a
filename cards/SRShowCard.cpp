#include "cards/SRShowCard.h"

#include "cardlogic/CardCodes.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"

void SRShowCard::ShowCardBytes(const std::uint8_t* bytes, int count) {
  RemoveAllCards();
  if (bytes == nullptr) return;
  for (int i = 0; i < count; ++i) {
    const int card = CardByteToSpriteIndex(bytes[i]);
    if (card < 0) {
      cocos2d::log("SRShowCard::ShowCardBytes: card byte 0x%02x is not a card, skipped", bytes[i]);
      continue;
    }
    AddCard(card, false, false, true, 0, false, true);
  }
}

void SRShowCard::LayoutCards() {
  m_iCardsPerLine = kCardsPerLine;
  const int x0 = static_cast<int>(m_ptOrigin.x);
  for (std::size_t i = 0; i < m_vcCards.size(); ++i) {
    SpriteCardInfo* info = m_vcCards[i];
    const int place = static_cast<int>(i);
    info->fX = static_cast<float>((place % m_iCardsPerLine) * g_iShowCardGapX + x0);
    info->fY = m_ptOrigin.y - static_cast<float>((place / m_iCardsPerLine) * g_iShowCardGapY);
    if (info->pCardSprite == nullptr) continue;
    const bool joker = info->iCardIndex == ddz::kSmallJokerCode || info->iCardIndex == ddz::kBigJokerCode;
    info->pCardSprite->setScale(joker ? 1.0f : m_fShowScale);
    info->pCardSprite->setPosition(info->fX, info->fY);
  }
}
