#include "cards/SpriteCardManage.h"

#include <algorithm>

#include "cards/CardFace.h"
#include "platform/engine/Log.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {
constexpr const char* kFrameJokerMark = "qorvddz_vell_laizi.png";
constexpr const char* kFrameFocus = "gold_card_focus.png";
constexpr const char* kFrameLandlordMark = "veriz_landower.png";
constexpr cocos2d::Color3B kWildJokerTint(255, 203, 203);
constexpr cocos2d::GLubyte kMaskOpacity = 153;
}  // namespace

SpriteCardManage::SpriteCardManage() {
  m_bShowOnAdd = true;
  m_bWildcardMode = false;
}

SpriteCardManage::~SpriteCardManage() {
  for (SpriteCardInfo* info : m_vcCards) delete info;
  m_vcCards.clear();
}

void SpriteCardManage::RemoveRecordSprites(SpriteCardInfo* info) {
  for (Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame, info->pMaskSprite,
                    info->pLandlordMark})
    if (s != nullptr) removeChild(s, true);
}

SpriteCardInfo* SpriteCardManage::AddCard(int card, bool faceDown, bool selected, bool sortAfter, int wildcardValue,
                                          bool focus, bool shown) {
  if (!AcceptCard(card, "SpriteCardManage::AddCard")) return nullptr;
  auto* info = new SpriteCardInfo();
  info->fScale = 1.0f;
  info->bTouched = 0;
  info->iCardIndex = card;
  info->fZ = static_cast<float>(m_vcCards.size()) + 100;
  info->iWildcardValue = wildcardValue;
  info->bBack = faceDown ? 1 : 0;
  info->bSelected = selected ? 1 : 0;
  info->bFocus = focus ? 1 : 0;
  info->pCardSprite = CreateCardSprite(info, card, faceDown, shown);
  if (info->pCardSprite == nullptr) {
    cocos2d::log("SpriteCardManage::AddCard: no sprite for card %d, skipped", card);
    delete info;
    return nullptr;
  }
  const int z = static_cast<int>(info->fZ);
  addChild(info->pCardSprite, z);
  if (m_bWildcardMode && (card == 13 || card == 14)) {
    info->pJokerMark = Sprite::createWithSpriteFrameName(kFrameJokerMark);
    if (info->pJokerMark != nullptr) addChild(info->pJokerMark, z);
    info->pCardSprite->setColor(kWildJokerTint);
  }
  if (m_bShadow) {
    info->pShadowSprite = Sprite::createWithSpriteFrameName(ddz::kFrameCardShadow);
    if (info->pShadowSprite != nullptr) {
      info->pShadowSprite->setVisible(false);
      addChild(info->pShadowSprite, z);
    }
  }
  if (focus) {
    info->pFocusFrame = Sprite::createWithSpriteFrameName(kFrameFocus);
    if (info->pFocusFrame != nullptr) addChild(info->pFocusFrame, z);
  }
  m_vcCards.push_back(info);
  if (!m_bShowOnAdd) {
    for (Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame})
      if (s != nullptr) s->setVisible(false);
  }
  RefreshCardMarks(false);
  if (sortAfter)
    SortCards();
  else
    LayoutCards();
  return info;
}

void SpriteCardManage::UnselectAll() {
  for (SpriteCardInfo* info : m_vcCards) info->bSelected = 0;
  LayoutCards();
}

void SpriteCardManage::RemoveAllCards() {
  std::vector<SpriteCardInfo*> cards;
  cards.swap(m_vcCards);
  for (SpriteCardInfo* info : cards) {
    RemoveRecordSprites(info);
    delete info;
  }
  LayoutCards();
}

void SpriteCardManage::RemoveCardByRecord(Vec2& position, SpriteCardInfo* record, bool sortAfter) {
  position = Vec2::ZERO;
  auto it = std::find(m_vcCards.begin(), m_vcCards.end(), record);
  if (it != m_vcCards.end()) {
    position = Vec2((*it)->fX, (*it)->fY);
    RemoveRecordSprites(*it);
    delete *it;
    m_vcCards.erase(it);
  }
  if (sortAfter)
    SortCards();
  else
    LayoutCards();
}

void SpriteCardManage::RemoveCard(Vec2& position, int card, bool sortAfter) {
  auto it = std::find_if(m_vcCards.begin(), m_vcCards.end(),
                         [card](const SpriteCardInfo* info) { return info->iCardIndex == card; });
  RemoveCardByRecord(position, it != m_vcCards.end() ? *it : nullptr, sortAfter);
}

int SpriteCardManage::GetCardCount() { return static_cast<int>(m_vcCards.size()); }

void SpriteCardManage::SortCards() {
  SortByValue(m_vcCards);
  for (std::size_t i = 0; i < m_vcCards.size(); ++i) m_vcCards[i]->fZ = static_cast<float>(i) + 100;
  for (SpriteCardInfo* info : m_vcCards) {
    const int z = static_cast<int>(info->fZ);
    for (Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame,
                      info->pMaskSprite, info->pLandlordMark})
      if (s != nullptr) reorderChild(s, z);
  }
  LayoutCards();
}

Sprite* SpriteCardManage::CreateCardSprite(const SpriteCardInfo* record, int card, bool faceDown, bool shown) {
  const int wildcardValue = record != nullptr ? record->iWildcardValue : 0;
  return ddz::BuildCardFace(card, faceDown, shown, wildcardValue, ddz::ConfiguredCardFaceLayout());
}

void SpriteCardManage::SetCardMask(int index, bool on) {
  if (index < 0 || index >= static_cast<int>(m_vcCards.size())) return;
  SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(index)];
  if (on) {
    if (!info->bMasked && info->pMaskSprite == nullptr) {
      info->pMaskSprite = Sprite::createWithSpriteFrameName(ddz::kFrameCardShadow);
      if (info->pMaskSprite != nullptr) {
        info->pMaskSprite->setOpacity(kMaskOpacity);
        addChild(info->pMaskSprite, static_cast<int>(info->fZ));
        info->pMaskSprite->setScale(info->pCardSprite->getScale());
        info->pMaskSprite->setPosition(info->fX, info->fY);
      }
    }
  } else if (info->pMaskSprite != nullptr) {
    removeChild(info->pMaskSprite, true);
    info->pMaskSprite = nullptr;
  }
  info->bMasked = on ? 1 : 0;
}

void SpriteCardManage::SetCardFocus(int index, bool on) {
  if (index < 0 || index >= static_cast<int>(m_vcCards.size())) return;
  SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(index)];
  if (on) {
    if (info->pFocusFrame == nullptr) {
      info->pFocusFrame = Sprite::createWithSpriteFrameName(kFrameFocus);
      if (info->pFocusFrame != nullptr) {
        info->pFocusFrame->setPosition(info->fX, info->fY);
        addChild(info->pFocusFrame, static_cast<int>(info->fZ));
      }
    }
  } else if (info->pFocusFrame != nullptr) {
    removeChild(info->pFocusFrame, true);
    info->pFocusFrame = nullptr;
  }
}

void SpriteCardManage::SetLandlordMark(int index, int role) {
  if (role <= 1) return;
  if (index < 0 || index >= static_cast<int>(m_vcCards.size())) return;
  SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(index)];
  if (info->pLandlordMark != nullptr) return;
  info->pLandlordMark = Sprite::createWithSpriteFrameName(kFrameLandlordMark);
  if (info->pLandlordMark == nullptr) return;
  addChild(info->pLandlordMark, static_cast<int>(info->fZ));
  info->pLandlordMark->setScale(info->pCardSprite->getScale());
  info->pLandlordMark->setPosition(info->fX, info->fY);
}
