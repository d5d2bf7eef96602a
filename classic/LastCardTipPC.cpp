#include "classic/LastCardTipPC.h"

#include "cards/LastCardPC.h"
#include "platform/engine/Director.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Vec2;

namespace {
constexpr int kZRow = 1;
constexpr int kZBg = 0;
const Vec2 kRowPositions[LastCardTipPC::kSeats] = {{480, 460}, {640, 300}, {800, 460}};
}  // namespace

LastCardTipPC* LastCardTipPC::create() {
  auto* tip = new LastCardTipPC();
  tip->autorelease();
  return tip;
}

Vec2 LastCardTipPC::RowPosition(int seat) { return seat >= 0 && seat < kSeats ? kRowPositions[seat] : Vec2::ZERO; }

void LastCardTipPC::onEnter() {
  YndGameLayer::onEnter();
  setVisible(false);
  setTouchEnabled(true);
}

LastCardPC* LastCardTipPC::GetRow(int seat) const {
  return seat >= 0 && seat < kSeats ? m_pRows[static_cast<std::size_t>(seat)] : nullptr;
}

cocos2d::Sprite* LastCardTipPC::GetPassSprite(int seat) const {
  return seat >= 0 && seat < kSeats ? m_pPass[static_cast<std::size_t>(seat)] : nullptr;
}

void LastCardTipPC::ShowLastRound(const int cards[kSeats][kCardsPerSeat], const bool passed[kSeats]) {
  if (cards == nullptr || passed == nullptr) return;
  bool any = false;
  for (int seat = 0; seat < kSeats; ++seat) {
    LastCardPC*& row = m_pRows[static_cast<std::size_t>(seat)];
    if (row == nullptr) {
      row = new LastCardPC(seat, RowPosition(seat));
      row->autorelease();
      addChild(row, kZRow);
    }
    row->RemoveAllCards();
    bool played = false;
    for (int i = 0; i < kCardsPerSeat; ++i) {
      if (cards[seat][i] < 0) continue;
      if (row->AddCard(cards[seat][i], false, false, true, -1, false, false) != nullptr) played = true;
    }
    any = any || played;
    const bool showPass = !played && passed[seat];
    cocos2d::Sprite*& pass = m_pPass[static_cast<std::size_t>(seat)];
    if (showPass && pass == nullptr) {
      pass = cocos2d::Sprite::createWithSpriteFrameName(kPassFrame);
      if (pass != nullptr) {
        pass->setPosition(RowPosition(seat));
        addChild(pass, kZRow);
      }
    }
    if (pass != nullptr) pass->setVisible(showPass);
  }
  if (!any) return;
  setVisible(true);
  if (m_pBg == nullptr) {
    m_pBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kBgFrame);
    if (m_pBg == nullptr) return;
    m_pBg->setPreferredSize(cocos2d::Size(kBgWidth, kBgHeight));
    m_pBg->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth) / 2,
                            static_cast<float>(BasePT::g_iWindowHeight) / 2));
    addChild(m_pBg, kZBg);
  }
}

void LastCardTipPC::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || touches.front() == nullptr || m_pBg == nullptr) return;
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  Vec2 point = convertToNodeSpace(touches.front()->getLocation());
  if (scale > 0) point = Vec2(point.x / scale, point.y / scale);
  if (m_pBg->getBoundingBox().containsPoint(point)) return;
  m_pBg->removeFromParent();
  m_pBg = nullptr;
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}
