#include "cards/DealCard.h"

#include <algorithm>

#include "cards/BaseCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Random.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {
// The lander card stands this far from its seat's place.
const Vec2 kLanderShift(-30, 30);
constexpr float kFlyRotation = 90;
}  // namespace

DealCard::DealCard(ITableRowOwner* owner, const std::array<Vell_SpriteCardManage*, kSeatSlots>& seatRows,
                   BaseCard* baseCard)
    : DealCard(owner, seatRows, baseCard, DealNumbers{}) {}

DealCard::DealCard(ITableRowOwner* owner, const std::array<Vell_SpriteCardManage*, kSeatSlots>& seatRows,
                   BaseCard* baseCard, const DealNumbers& numbers)
    : m_Numbers(numbers), m_pSeatRows(seatRows), m_pBaseCard(baseCard), m_Owner(owner) {
  m_Numbers.seats = std::clamp(m_Numbers.seats, 1, kSeatSlots);
  m_Numbers.ownCards = std::clamp(m_Numbers.ownCards, 0, kMaxOwnCards);
  m_bShowOnAdd = true;
  m_bWildcardMode = false;
  m_pLock = MsgLockToken::Create(this);
  // Held for the deal's life: a view may build a seat's row anew while the
  // deal still writes into the old one.
  for (Vell_SpriteCardManage* row : m_pSeatRows)
    if (row != nullptr) row->retain();
  if (m_pBaseCard != nullptr) m_pBaseCard->retain();
}

DealCard::~DealCard() {
  for (Vell_SpriteCardManage* row : m_pSeatRows)
    if (row != nullptr) row->release();
  if (m_pBaseCard != nullptr) m_pBaseCard->release();
}

bool DealCard::IsHoldingLock() const { return m_pLock != nullptr && m_pLock->IsHeld(); }

void DealCard::StartDeal(const std::uint8_t* ownCardBytes, int /*unused*/, std::uint8_t landerByte, int landerSeat) {
  RemoveAllCards();
  RemoveFlyCards();
  if (m_pLanderSprite != nullptr) {
    removeChild(m_pLanderSprite, true);
    m_pLanderSprite = nullptr;
  }
  m_iOwnCards.fill(-1);
  for (int i = 0; i < m_Numbers.ownCards; ++i) {
    const std::uint8_t byte = ownCardBytes != nullptr ? ownCardBytes[i] : 0;
    m_iOwnCards[static_cast<std::size_t>(i)] = CardByteToSpriteIndex(byte);
    if (m_iOwnCards[static_cast<std::size_t>(i)] < 0)
      cocos2d::log("DealCard::StartDeal: own card byte 0x%02x is not a card, skipped", byte);
  }
  m_iLanderPos = ddz::os::Rand() % m_Numbers.landerPositions + 1;
  m_iLanderCard = CardByteToSpriteIndex(landerByte);
  m_iLanderSeat = landerSeat;
  if (m_iLanderCard < 0) {
    cocos2d::log("DealCard::StartDeal: lander card byte 0x%02x is not a card, no lander card", landerByte);
  } else if (landerSeat < 0 || landerSeat >= m_Numbers.seats) {
    cocos2d::log("DealCard::StartDeal: lander seat %d is not at the table, no lander card", landerSeat);
  } else {
    m_pLanderSprite = Vell_SpriteCardManage::CreateCardSprite(m_iLanderCard, false, false);
    if (m_pLanderSprite != nullptr) {
      const LanderPlace place = LanderPlaceOf(landerSeat);
      m_pLanderSprite->setPosition(place.at);
      m_pLanderSprite->setScale(place.scale);
      m_pLanderSprite->setVisible(false);
      addChild(m_pLanderSprite);
    }
  }
  m_iPhase = kSpread;
  m_uLastStepTime = 0;
  m_iStepCount = 0;
  m_iMoveCount = 0;
  m_iPassCount = 0;
  m_vcGatherStep.clear();
  m_bDealing = true;
  m_pLock->Hold();
  if (isRunning()) scheduleUpdate();
}

void DealCard::onEnter() {
  SpriteCardManage::onEnter();
  // Only a prepared deal runs: a finished one stays still when it comes back.
  // The messages wait while it runs (the lock holds only on the stage).
  if (m_bDealing) {
    m_pLock->Hold();
    scheduleUpdate();
  }
}

void DealCard::update(float) {
  if (!m_bDealing) return;
  const unsigned int now = GetTime();
  const unsigned int interval = m_iPhase == kDeal ? m_Numbers.passStepMs : kSpreadStepMs;
  if (now - m_uLastStepTime < interval) return;
  m_uLastStepTime = now;
  switch (m_iPhase) {
    case kSpread: SpreadStep(); break;
    case kGather: GatherStep(); break;
    default: DealStep(); break;
  }
}

void DealCard::AddPileCard() { AddCard(0, true, false, true, -1, false, false); }

void DealCard::SpreadStep() {
  AddPileCard();
  if (++m_iStepCount < kSpreadCards) return;
  m_iPhase = kGather;
  m_iStepCount = 0;
  const float middle = static_cast<float>(BasePT::g_iWindowWidth / 2);
  m_vcGatherStep.clear();
  for (const SpriteCardInfo* info : m_vcCards)
    m_vcGatherStep.push_back(static_cast<float>((info->fX - middle) / static_cast<double>(kGatherSteps)));
}

void DealCard::GatherStep() {
  for (std::size_t i = 0; i < m_vcCards.size() && i < m_vcGatherStep.size(); ++i)
    m_vcCards[i]->fX -= m_vcGatherStep[i];
  if (++m_iStepCount >= kGatherSteps) {
    for (int i = kSpreadCards; i < m_Numbers.totalCards; ++i) AddPileCard();
    const PilePlace pile = PilePlaceOf();
    for (SpriteCardInfo* info : m_vcCards) {
      info->fX = pile.at.x;
      info->fY = pile.at.y;
      if (info->pCardSprite != nullptr) info->pCardSprite->setScale(pile.scale);
    }
    m_iPhase = kDeal;
    m_iStepCount = 0;
    PlaceFlyCards();
  }
  LayoutCards();
}

void DealCard::PlaceFlyCards() {
  RemoveFlyCards();
  for (int seat = 0; seat < m_Numbers.seats; ++seat) {
    Sprite* fly = Sprite::createWithSpriteFrameName(kFrameFlyCard);
    if (fly == nullptr) continue;  // the frame cache logged it; that seat's card does not fly
    const auto [start, stop, down] = FlyPathOf(seat);
    if (down) fly->setRotation(kFlyRotation);
    fly->setPosition(start);
    addChild(fly, kFlyCardZOrder);
    const std::size_t s = static_cast<std::size_t>(seat);
    m_pFlyCards[s] = fly;
    m_ptFlyStart[s] = start;
    m_bFlyDown[s] = down;
    m_fFlyStep[s] = static_cast<float>(down ? (start.y - stop.y) / 3.0 : (start.x - stop.x) / 3.0);
  }
}

DealCard::PilePlace DealCard::PilePlaceOf() const { return {g_fDealCardIniScale, g_iDealCardIniGap, g_ptDealCardIni}; }

DealCard::FlyPath DealCard::FlyPathOf(int seat) const {
  if (seat == kOwnSeat) return {g_ptDealCardFlyCard[1], g_ptDealCardFlyCardStop[1], true};
  // The two-seat table's other player sits where the four-player table's seat 3 does.
  if (m_Numbers.seats == 2) return {g_ptSRDealCardFlyCard[3], g_ptSRDealCardFlyCardStop[3], true};
  return {g_ptDealCardFlyCard[seat], g_ptDealCardFlyCardStop[seat], false};
}

DealCard::LanderPlace DealCard::LanderPlaceOf(int seat) const {
  const Vec2 place = (m_Numbers.seats == 2 && seat == 0) ? g_ptSRLanderCard[3] : g_ptLanderCard[seat];
  return {place + kLanderShift, g_fSendCardScale};
}

void DealCard::RemoveFlyCards() {
  for (Sprite*& fly : m_pFlyCards) {
    if (fly != nullptr) removeChild(fly, true);
    fly = nullptr;
  }
}

void DealCard::DealStep() {
  for (std::size_t s = 0; s < m_pFlyCards.size(); ++s) {
    Sprite* fly = m_pFlyCards[s];
    if (fly == nullptr) continue;
    Vec2 p = fly->getPosition();
    if (m_bFlyDown[s])
      p.y -= m_fFlyStep[s];
    else
      p.x -= m_fFlyStep[s];
    fly->setPosition(p);
  }
  if (++m_iMoveCount < kMovesPerPass) return;
  m_iMoveCount = 0;
  DealPass();
}

void DealCard::AddToSeat(int seat, int card, bool faceDown) {
  Vell_SpriteCardManage* row = m_pSeatRows[static_cast<std::size_t>(seat)];
  if (row == nullptr) return;
  // Face-up cards are the own ones; they may arrive framed.
  if (auto* cards = dynamic_cast<SpriteCardManage*>(row))
    cards->AddCard(card, faceDown, false, true, faceDown ? -1 : m_Numbers.ownWildcardValue,
                   !faceDown && OwnCardFocus(card), false);
  else
    row->AddCard(card, faceDown, false, true, false);
}

void DealCard::DealPass() {
  for (std::size_t s = 0; s < m_pFlyCards.size(); ++s)
    if (m_pFlyCards[s] != nullptr) m_pFlyCards[s]->setPosition(m_ptFlyStart[s]);
  const int pass = m_iPassCount;  // 0-based: this pass's own card
  for (int seat = 0; seat < m_Numbers.seats; ++seat) {
    if (seat == kOwnSeat) {
      const int own = m_iOwnCards[static_cast<std::size_t>(pass)];
      if (own >= 0) AddToSeat(seat, own, false);
    } else {
      AddToSeat(seat, 0, true);
    }
    Vec2 unused;
    RemoveCard(unused, 0, true);
  }
  const int r = ++m_iPassCount;
  if (m_pLanderSprite != nullptr && r * m_Numbers.landerStride - m_Numbers.landerLead <= m_iLanderPos &&
      m_iLanderPos <= r * m_Numbers.landerStride)
    m_pLanderSprite->setVisible(true);
  if (r <= m_Numbers.lastSoundedPass) SoundManage::shareSoundManage()->PlaySoundByFile(kDealSound);
  if (r >= m_Numbers.ownCards) EndDeal();
}

void DealCard::StopDeal() {
  if (!m_bDealing) return;
  if (m_pLanderSprite != nullptr) {
    removeChild(m_pLanderSprite, true);
    m_pLanderSprite = nullptr;
  }
  Halt();
  m_pLock->Release();
}

void DealCard::Halt() {
  RemoveFlyCards();
  m_iPhase = kSpread;
  m_uLastStepTime = 0;
  m_iStepCount = 0;
  m_iMoveCount = 0;
  m_iPassCount = 0;
  m_bDealing = false;
  RemoveAllCards();
  unscheduleUpdate();
}

void DealCard::EndDeal() {
  if (Vell_SpriteCardManage* own = m_pSeatRows[kOwnSeat]) own->setTouchEnabled(true, false);
  if (m_pBaseCard != nullptr)
    for (int i = 0; i < m_Numbers.bottomCards; ++i) m_pBaseCard->AddCard(0, true, false);
  Halt();
  m_pLock->Release();
  // Last: the view may remove the deal when it hears this.
  if (ITableRowOwner* owner = m_Owner.get()) owner->OnDealCardEnd();
}

void DealCard::LayoutCards() {
  if (m_iPhase != kSpread) {
    for (SpriteCardInfo* info : m_vcCards)
      if (info->pCardSprite != nullptr) info->pCardSprite->setPosition(info->fX, info->fY);
    return;
  }
  const PilePlace pile = PilePlaceOf();
  const float cardWidth = g_sizeSingleCard.width;
  const int width = static_cast<int>(pile.scale * cardWidth + static_cast<float>((kSpreadCards - 1) * pile.gap));
  const int x0 = (BasePT::g_iWindowWidth - width) / 2;
  for (std::size_t i = 0; i < m_vcCards.size(); ++i) {
    SpriteCardInfo* info = m_vcCards[i];
    info->fX = static_cast<float>(pile.gap * static_cast<int>(i) + x0) + cardWidth * 0.5f * pile.scale;
    info->fY = pile.at.y;
    if (info->pCardSprite == nullptr) continue;
    info->pCardSprite->setScale(pile.scale);
    info->pCardSprite->setPosition(info->fX, info->fY);
  }
}
