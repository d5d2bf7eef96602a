#include "cards/OtherHandCard.h"

#include <algorithm>
#include <string>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {

constexpr int kSeatEntries = 4;  // the per-seat layout arrays
const Vec2 kCountShift(3, 0);
const Vec2 kGlowPlace(13, 16);

const char* BackFrameOfSide(int side) {
  switch (side) {
    case OtherHandCard::kLeft: return "backcard_left.png";
    case OtherHandCard::kRight: return "backcard_right.png";
    case OtherHandCard::kTop: return "backcard_top.png";
    default: return nullptr;
  }
}

bool HasSeatEntry(int side) { return side >= 0 && side < kSeatEntries; }

}  // namespace

OtherHandCard::OtherHandCard(int side) : m_iSide(side) {
  m_bShowOnAdd = false;
  m_bShadow = false;
}

void OtherHandCard::onEnter() {
  SpriteCardManage::onEnter();
  const char* back = BackFrameOfSide(m_iSide);
  m_pBackFrame = back != nullptr ? cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(back) : nullptr;
  if (!HasSeatEntry(m_iSide)) cocos2d::log("OtherHandCard: side %d has no places, no count and no lamp", m_iSide);
  if (m_pCountLabel == nullptr && HasSeatEntry(m_iSide)) {
    m_pCountLabel = cocos2d::ui::TextAtlas::create("0", kCountAtlas, kCountItemWidth, kCountItemHeight, "0");
    m_pCountLabel->setPosition(g_ptLeftCardNum[m_iSide] - kCountShift);
    addChild(m_pCountLabel, kCountZOrder);
  }
  setVisible(false);
  // One lamp for the row's life: entering again keeps it.
  if (m_pWarningLamp == nullptr && HasSeatEntry(m_iSide)) {
    m_pWarningLamp = Sprite::createWithSpriteFrameName(kFrameLamp);
    if (m_pWarningLamp != nullptr) {
      m_pWarningLamp->setPosition(g_ptShowAlert[m_iSide]);
      m_pWarningLamp->setVisible(false);
      addChild(m_pWarningLamp, kLampZOrder);
      if (Sprite* glow = Sprite::createWithSpriteFrameName(kFrameLampGlow)) {
        glow->setPosition(kGlowPlace);
        m_pWarningLamp->addChild(glow, -1);
        glow->runAction(cocos2d::RepeatForever::create(
            cocos2d::Sequence::create(cocos2d::DelayTime::create(kBlinkSeconds), cocos2d::Hide::create(),
                                      cocos2d::DelayTime::create(kBlinkSeconds), cocos2d::Show::create())));
      }
    }
  }
  schedule(CC_SCHEDULE_SELECTOR(OtherHandCard::UpdateWarning), kWarningCheckSeconds);
}

void OtherHandCard::onExit() {
  SpriteCardManage::onExit();  // removes every card, then the framework layer's onExit
  // The label is made again on the next entry; the old one must not stay behind.
  if (m_pCountLabel != nullptr) removeChild(m_pCountLabel, true);
  m_pCountLabel = nullptr;
}

void OtherHandCard::LayoutCards() {
  const int n = static_cast<int>(m_vcCards.size());
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    Sprite* card = info->pCardSprite;
    if (m_pBackFrame != nullptr) card->setSpriteFrame(m_pBackFrame);
    bool visible = false;
    Vec2 at;
    switch (m_iSide) {
      case kLeft:
      case kRight: {
        const Vec2 p = g_ptHandCard[m_iSide];
        const float dx = static_cast<float>(i) * g_fOtherHandCardGapX;
        at.x = static_cast<float>(static_cast<int>(p.x)) + (m_iSide == kLeft ? dx : -dx);
        at.y = p.y + static_cast<float>(i) * g_fOtherHandCardGapY + g_sizeSingleCard.width * 0.5f * g_fOtherHandScale;
        visible = i < kVisibleSideBacks;
        break;
      }
      case kTop: {
        const Vec2 p = g_ptHandCard[kTop];
        const int m = std::min(n, kTopSpread);
        at.x = static_cast<float>(static_cast<int>(p.x) - (i - 1) * kTopGap + (m - 1) * kTopGap / 2);
        at.y = p.y;
        visible = i < kVisibleTopBacks;
        break;
      }
      default:
        continue;  // a side without a fan places nothing
    }
    info->fX = at.x;
    info->fY = at.y;
    card->setPosition(at);
    card->setVisible(visible);
    reorderChild(card, n - i);
  }
  if (n >= 1) {
    setVisible(true);
    if (m_pCountLabel != nullptr) {
      m_pCountLabel->setVisible(true);
      m_pCountLabel->setString(std::to_string(n));
    }
  } else if (m_pCountLabel != nullptr) {
    m_pCountLabel->setVisible(false);
  }
}

void OtherHandCard::UpdateWarning(float) {
  const int n = GetCardCount();
  if (m_bWarningArmed && n >= kWarnFrom && n <= kWarnTo) {
    if (m_pWarningLamp != nullptr) m_pWarningLamp->setVisible(true);
    if (m_bSoundPending) {
      SoundManage::shareSoundManage()->PlaySoundByFile(kWarningSound);
      m_bSoundPending = false;
    }
  } else if (m_pWarningLamp != nullptr && m_pWarningLamp->isRunning()) {
    m_pWarningLamp->setVisible(false);
  }
}
