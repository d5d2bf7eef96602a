#include "cards/BaseCard.h"

#include <cstdio>

#include "cardlogic/CardCodes.h"
#include "cards/CardFace.h"
#include "cards/Vell_SpriteCardManage.h"
#include "gamedata/GameKinds.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/MainMsgLock.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {

bool FourPlayerTable() { return g_iGameViewType == ddz::kViewFourPlayer; }

cocos2d::Animate* FlipAnimation() {
  auto* animation = cocos2d::Animation::create();
  char name[32];
  for (int i = 0; i < BaseCard::kFlipFrames; ++i) {
    std::snprintf(name, sizeof name, BaseCard::kFlipFrame, i);
    animation->addSpriteFrameWithName(name);
  }
  animation->setDelayPerUnit(BaseCard::kFlipFrameSeconds);
  animation->setLoops(1);
  animation->setRestoreOriginalFrame(true);
  return cocos2d::Animate::create(animation);
}

}  // namespace

BaseCard::BaseCard(ITableRowOwner* owner) : m_Owner(owner) {
  m_iGap = FourPlayerTable() ? g_iSRBaseCardGap : g_iBaseCardGap;
  m_fScale = FourPlayerTable() ? g_fSRBaseCardScale : g_fBaseCardScale;
  m_pLock = MsgLockToken::Create(this);
}

BaseCard::~BaseCard() {
  for (BaseCardItem* item : m_vcCards) delete item;
  m_vcCards.clear();
}

bool BaseCard::IsHoldingLock() const { return m_pLock != nullptr && m_pLock->IsHeld(); }

void BaseCard::AddCard(int iCardIndex, bool bBack, bool bVisible) {
  auto* item = new BaseCardItem();
  item->iCardIndex = iCardIndex;
  if (bBack) {
    item->pBackSprite = Sprite::createWithSpriteFrameName(ddz::kFrameCardBack);
    if (item->pBackSprite != nullptr) addChild(item->pBackSprite);
  } else {
    if (!ddz::IsValidCardCode(iCardIndex)) {
      cocos2d::log("BaseCard::AddCard: card %d is not a card, skipped", iCardIndex);
      delete item;
      return;
    }
    item->pFaceSprite = Vell_SpriteCardManage::CreateCardSprite(iCardIndex, false, false);
    if (item->pFaceSprite != nullptr) {
      item->pFaceSprite->setVisible(bVisible);
      addChild(item->pFaceSprite);
    }
  }
  m_vcCards.push_back(item);
  LayoutCards();
}

void BaseCard::ShowBaseCard(const std::vector<int>& vcBaseCardIndex, float fAniDelayTime, bool bPalySound) {
  StopChain();
  m_pLock->Hold();
  m_bFlipSound = bPalySound;
  m_fFlipDelay = fAniDelayTime;
  if (m_vcCards.empty()) {
    m_pLock->Release();
    return;
  }
  for (std::size_t i = 0; i < m_vcCards.size(); ++i) {
    BaseCardItem* item = m_vcCards[i];
    if (item->pFaceSprite != nullptr) continue;
    if (i >= vcBaseCardIndex.size()) {
      cocos2d::log("BaseCard::ShowBaseCard: no index for card %d of %d, it stays face down", static_cast<int>(i),
                   static_cast<int>(m_vcCards.size()));
      continue;
    }
    const int index = vcBaseCardIndex[i];
    if (!ddz::IsValidCardCode(index)) {
      cocos2d::log("BaseCard::ShowBaseCard: card %d is not a card, it stays face down", index);
      continue;
    }
    item->iCardIndex = index;
    item->pFaceSprite = Vell_SpriteCardManage::CreateCardSprite(index, false, false);
    if (item->pFaceSprite == nullptr) continue;
    item->pFaceSprite->setVisible(false);
    addChild(item->pFaceSprite);
  }
  LayoutCards();
  m_iFlipStep = 0;
  if (m_vcCards.front()->pBackSprite == nullptr) {
    // Nothing to turn first: the chain does not start.
    m_pLock->Release();
    return;
  }
  m_bChainRunning = true;
  RunFlip(m_vcCards.front(), 0);
}

void BaseCard::RunFlip(BaseCardItem* item, float delay) {
  cocos2d::Vector<cocos2d::FiniteTimeAction*> steps;
  if (delay > 0) steps.pushBack(cocos2d::DelayTime::create(delay));
  steps.pushBack(FlipAnimation());
  steps.pushBack(cocos2d::CallFunc::create([this] { OnFlipStep(); }));
  item->pBackSprite->runAction(cocos2d::Sequence::create(steps));
}

void BaseCard::OnFlipStep() {
  if (m_bFlipSound) SoundManage::shareSoundManage()->PlaySoundByFile(kFlipSound);
  ++m_iFlipStep;
  AdvanceChain();
}

void BaseCard::AdvanceChain() {
  const int n = static_cast<int>(m_vcCards.size());
  Reveal(m_vcCards[static_cast<std::size_t>(m_iFlipStep - 1)]);
  // A card that is already face up has nothing to turn: it takes its turn at once.
  while (m_iFlipStep < n && m_vcCards[static_cast<std::size_t>(m_iFlipStep)]->pBackSprite == nullptr) {
    ++m_iFlipStep;
    Reveal(m_vcCards[static_cast<std::size_t>(m_iFlipStep - 1)]);
  }
  if (m_iFlipStep < n) {
    RunFlip(m_vcCards[static_cast<std::size_t>(m_iFlipStep)], m_fFlipDelay);
    return;
  }
  EndChain();
}

void BaseCard::EndChain() {
  m_bChainRunning = false;
  // The view hears of it while the messages are still held; it may clear or
  // remove the row (whose lock then comes down with it, once).
  retain();
  if (ITableRowOwner* owner = m_Owner.get()) owner->OnBaseCardShown();
  m_pLock->Release();
  release();
}

void BaseCard::StopChain() {
  if (!m_bChainRunning) return;
  m_bChainRunning = false;
  for (BaseCardItem* item : m_vcCards)
    if (item->pBackSprite != nullptr) item->pBackSprite->stopAllActions();
  m_pLock->Release();
}

void BaseCard::Reveal(BaseCardItem* item) {
  if (item->pFaceSprite == nullptr) return;  // no face known: the back stays
  item->pFaceSprite->setVisible(true);
  if (item->pBackSprite != nullptr) item->pBackSprite->setVisible(false);
}

void BaseCard::RemoveAllCard() {
  StopChain();
  const bool atOnce = FourPlayerTable();
  constexpr int kRestPlaces = sizeof(g_ptBaseCardStop) / sizeof(g_ptBaseCardStop[0]);
  for (std::size_t i = 0; i < m_vcCards.size(); ++i) {
    BaseCardItem* item = m_vcCards[i];
    if (item->pBackSprite != nullptr) removeChild(item->pBackSprite, true);
    if (item->pFaceSprite != nullptr) {
      // Only as many cards fly as there are resting places; any further one goes at once.
      if (atOnce || static_cast<int>(i) >= kRestPlaces) {
        removeChild(item->pFaceSprite, true);
      } else {
        const Vec2 rest = g_ptBaseCardStop[i] + Vec2(kRestShiftX, 0);
        item->pFaceSprite->runAction(cocos2d::Sequence::create(
            cocos2d::Spawn::create(cocos2d::MoveTo::create(kFlyAwaySeconds, rest),
                                   cocos2d::ScaleTo::create(kFlyAwaySeconds, kRestScale)),
            cocos2d::CallFuncN::create([](cocos2d::Node* face) {
              if (face->isRunning()) face->removeFromParentAndCleanup(true);
            })));
      }
    }
    delete item;
  }
  m_vcCards.clear();
  LayoutCards();
}

void BaseCard::GetBaseCard(std::vector<int>& out) const {
  for (const BaseCardItem* item : m_vcCards) out.push_back(item->iCardIndex);
}

void BaseCard::LayoutCards() {
  const int n = static_cast<int>(m_vcCards.size());
  if (n == 0) return;
  const float cardWidth = g_sizeSingleCard.width;
  const int width = static_cast<int>(static_cast<float>((n - 1) * m_iGap) + m_fScale * cardWidth);
  const int x0 = (BasePT::g_iWindowWidth - width) / 2;
  for (int i = 0; i < n; ++i) {
    const Vec2 at(static_cast<float>(m_iGap * i + x0) + cardWidth * 0.5f * m_fScale, g_ptBaseCard.y);
    const BaseCardItem* item = m_vcCards[static_cast<std::size_t>(i)];
    for (Sprite* s : {item->pBackSprite, item->pFaceSprite}) {
      if (s == nullptr) continue;
      s->setScale(m_fScale);
      s->setPosition(at);
    }
  }
}
