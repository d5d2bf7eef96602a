#include "cards/SendCard.h"

#include <algorithm>
#include <utility>

#include "cardlogic/CardCodes.h"
#include "gamedata/GameKinds.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {

bool FourPlayerTable() { return g_iGameViewType == ddz::kViewFourPlayer; }

template <std::size_t N>
Vec2 EntryOf(const Vec2 (&places)[N], int seat) {
  return seat >= 0 && static_cast<std::size_t>(seat) < N ? places[seat] : Vec2();
}

constexpr int kValueA = ddz::kValueA;
constexpr int kValue2 = ddz::kValue2;
constexpr int kMainPart = 100;  // added to the keys of a play's main part

bool IsChainType(int type) {
  return (type >= 21 && type <= 29) || (type >= 34 && type <= 42) || (type >= 59 && type <= 63);
}
bool IsWithKickerType(int type) { return type == 49 || type == 50 || type == 66 || type == 67; }
bool IsPlaneWithWingsType(int type) { return type >= 96 && type <= 104; }
constexpr int kLowAStraight = 30;

}  // namespace

// ---------------------------------------------------------------- SendCard

SendCard::SendCard(int seat, Vec2 anchor, float finalScale) : m_iSeat(seat), m_fFinalScale(finalScale) {
  m_ptAnchor = anchor;
  if (FourPlayerTable()) {
    m_iCardsPerRow = seat == kOwn ? 33 : seat == kTop ? 12 : 10;
    m_ptSideOffset = EntryOf(g_ptSRSendCardEndPublic, seat);
    m_iGap = g_iSRSendCardGap;
  } else {
    m_iCardsPerRow = seat == kOwn ? 21 : 10;
    m_ptSideOffset = EntryOf(g_ptSendCardEndPublic, seat);
    m_iGap = g_iSendCardGap;
  }
}

Vec2 SendCard::CentredPlace(int i, int n) const {
  const float cardWidth = g_sizeSingleCard.width;
  const float width = static_cast<float>((std::max(n, 1) - 1) * m_iGap) + m_fFinalScale * cardWidth;
  const int left = static_cast<int>((static_cast<float>(BasePT::g_iWindowWidth) - width) / 2);
  return {static_cast<float>(m_iGap * i + left) + cardWidth * 0.5f * m_fFinalScale, m_ptAnchor.y};
}

void SendCard::ShowSendCards(std::vector<Vec2> starts) {
  m_vcStep.clear();
  m_vcTarget.clear();
  const int n = static_cast<int>(m_vcCards.size());
  for (int i = 0; i < n; ++i) {
    const Vec2 target = CentredPlace(i, n);
    const Vec2 start = static_cast<std::size_t>(i) < starts.size() ? starts[static_cast<std::size_t>(i)] : target;
    m_vcTarget.push_back(target);
    m_vcStep.push_back(Vec2((start.x - target.x) / static_cast<float>(m_iFrames),
                            (start.y - target.y) / static_cast<float>(m_iFrames)));
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    info->fX = start.x;
    info->fY = start.y;
    if (info->pCardSprite != nullptr) info->pCardSprite->setScale(1.0f);
  }
  m_fScaleStep = (1.0f - m_fFinalScale) / static_cast<float>(m_iFrames);
  LayoutCards();
  // Each fly-in counts its own steps from its own start.
  m_iStepCount = 0;
  m_uLastStepTime = GetTime();
  m_bFlying = true;
  scheduleUpdate();
}

void SendCard::update(float) {
  if (!m_bFlying) return;
  const unsigned int now = GetTime();
  if (now - m_uLastStepTime < m_uStepMs) return;
  m_uLastStepTime = now;
  const std::size_t n = std::min({m_vcCards.size(), m_vcStep.size(), m_vcTarget.size()});
  for (std::size_t i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[i];
    info->fX -= m_vcStep[i].x;
    info->fY -= m_vcStep[i].y;
    if (info->pCardSprite != nullptr) info->pCardSprite->setScale(info->pCardSprite->getScale() - m_fScaleStep);
  }
  if (++m_iStepCount >= m_iFrames) {
    m_iStepCount = 0;
    m_bFlying = false;
    unscheduleUpdate();
    for (std::size_t i = 0; i < n; ++i) {
      SpriteCardInfo* info = m_vcCards[i];
      info->fX = m_vcTarget[i].x;
      info->fY = m_vcTarget[i].y;
      if (info->pCardSprite != nullptr) info->pCardSprite->setScale(m_fFinalScale);
    }
  }
  LayoutCards();
}

void SendCard::ResetCardsPos() {
  if (m_iSeat != kOwn) return;
  if (m_bFlying) {
    m_bFlying = false;
    m_iStepCount = 0;
    unscheduleUpdate();
  }
  const int n = static_cast<int>(m_vcCards.size());
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    const Vec2 at = CentredPlace(i, n);
    info->fX = at.x;
    info->fY = at.y;
    if (info->pCardSprite == nullptr) continue;
    info->pCardSprite->setScale(m_fFinalScale);
    info->pCardSprite->setPosition(at);
  }
}

void SendCard::LayoutCards() {
  const int n = static_cast<int>(m_vcCards.size());
  const bool side = m_iSeat == kLeft || m_iSeat == kRight || m_iSeat == kTop;
  int startX = 0;
  if (side && n > 0) {
    const int k = std::min(n, m_iCardsPerRow);
    const float w = static_cast<float>((k - 1) * m_iGap) + m_fFinalScale * g_sizeSingleCard.width;
    if (m_iSeat == kLeft)
      startX = static_cast<int>(m_ptAnchor.x);
    else if (m_iSeat == kRight)
      startX = static_cast<int>(m_ptAnchor.x - static_cast<float>(static_cast<int>(w)));
    else
      startX = static_cast<int>(m_ptAnchor.x - static_cast<float>(static_cast<int>(w) / 2));
  }
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    Sprite* card = info->pCardSprite;
    if (side) {
      Vec2 at(static_cast<float>((i % m_iCardsPerRow) * m_iGap + startX) + g_sizeSingleCard.width * 0.5f * m_fFinalScale,
              m_ptAnchor.y - static_cast<float>((i / m_iCardsPerRow) * kRowDrop));
      if (m_bUseSideOffset) at += m_ptSideOffset;
      info->fX = at.x;
      info->fY = at.y;
      card->setScale(m_fFinalScale);
    }
    card->setPosition(info->fX, info->fY);
    if (info->pLandlordMark != nullptr) {
      info->pLandlordMark->setScale(card->getScale());
      info->pLandlordMark->setPosition(info->fX, info->fY);
    }
  }
}

void SendCard::ArrangeByCardType(int type, int key) {
  if (!ArrangeRecords(m_vcCards, type, key)) return;
  for (std::size_t i = 0; i < m_vcCards.size(); ++i) {
    SpriteCardInfo* info = m_vcCards[i];
    info->fZ = static_cast<float>(i) + 100;
    const int z = static_cast<int>(info->fZ);
    for (Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame, info->pMaskSprite,
                      info->pLandlordMark})
      if (s != nullptr) reorderChild(s, z);
  }
  LayoutCards();
}

bool SendCard::ArrangeRecords(std::vector<SpriteCardInfo*>& cards, int type, int key) {
  const std::size_t n = cards.size();
  std::vector<int> keys(n);
  if (IsChainType(type)) {
    for (std::size_t i = 0; i < n; ++i) {
      const int v = CardIndexToValue(cards[i]->iCardIndex);
      keys[i] = v == kValue2 ? 2 : v == kValueA ? (key < kValueA ? 1 : kValueA) : v;
    }
  } else if (type == kLowAStraight) {
    bool firstA = true;
    for (std::size_t i = 0; i < n; ++i) {
      const int v = CardIndexToValue(cards[i]->iCardIndex);
      keys[i] = v;
      if (v == kValue2) keys[i] = 2;
      if (v == kValueA && firstA) {
        keys[i] = 1;
        firstA = false;
      }
    }
  } else if (IsWithKickerType(type)) {
    for (std::size_t i = 0; i < n; ++i) {
      const int v = CardIndexToValue(cards[i]->iCardIndex);
      keys[i] = v == key ? v + kMainPart : v;
    }
  } else if (IsPlaneWithWingsType(type)) {
    const int triples = (type - 96) / 2 + 2;
    const int low = key - triples;
    int counted[32] = {};
    int atLow = 0;
    for (std::size_t i = 0; i < n; ++i) {
      int u = CardIndexToValue(cards[i]->iCardIndex);
      if (u == kValue2 && low < 2 && 2 <= key) u = 2;
      if (u == kValueA && low == 0) u = 1;
      if (u == low) ++atLow;
      if (u > low && u <= key && u >= 0 && u < 32 && ++counted[u] <= 3)
        keys[i] = u + kMainPart;
      else
        keys[i] = u;
    }
    // A triple just below the planes goes last.
    if (atLow >= 3)
      for (std::size_t i = 0; i < n; ++i)
        if (keys[i] == low) keys[i] = low - kMainPart;
  } else {
    return false;
  }
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (keys[j] > keys[i]) {
        std::swap(keys[i], keys[j]);
        std::swap(cards[i], cards[j]);
      }
  return true;
}

// ---------------------------------------------------------------- SmallShowCard

SmallShowCard::SmallShowCard(int seat, float x, float y, float scale)
    : m_iSeat(seat), m_fOriginX(x), m_fOriginY(y), m_fScale(scale) {}

void SmallShowCard::onEnter() {
  SpriteCardManage::onEnter();
  setVisible(false);
}

void SmallShowCard::LayoutCards() {
  m_iCardsPerRow = kCardsPerRow;
  const int n = static_cast<int>(m_vcCards.size());
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    info->fX = static_cast<float>((i % m_iCardsPerRow) * g_iShowCardGapX + static_cast<int>(m_fOriginX));
    info->fY = m_fOriginY - static_cast<float>((i / m_iCardsPerRow) * g_iShowCardGapY);
    const bool joker = info->iCardIndex == ddz::kSmallJokerCode || info->iCardIndex == ddz::kBigJokerCode;
    info->pCardSprite->setScale(joker ? 1.0f : m_fScale);
    info->pCardSprite->setPosition(info->fX, info->fY);
  }
}
