#include "compete/PromotionItem.h"

#include <string>

#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/Action.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"

namespace {
// Ahead, then reached, by kind.
constexpr const char* kPieces[3][2] = {
    {"ddzbs_pm_jdt_d1_02.png", "ddzbs_pm_jdt_d2_02.png"},
    {"ddzbs_pm_jdt_d1_01.png", "ddzbs_pm_jdt_d2_01.png"},
    {"ddzbs_pm_jdt_d1_03.png", "ddzbs_pm_jdt_d2_03.png"},
};
int KindIndex(int kind) {
  return kind >= PromotionItem::kFirst && kind <= PromotionItem::kLast ? kind : PromotionItem::kMiddle;
}
}  // namespace

PromotionItem* PromotionItem::create(int kind, int players, bool reached) {
  auto* item = new PromotionItem();
  item->m_iKind = kind;
  item->m_iPlayers = players;
  item->m_bReached = reached;
  item->autorelease();
  return item;
}

PromotionItem::~PromotionItem() = default;

const char* PromotionItem::PieceFrame(int kind, bool reached) { return kPieces[KindIndex(kind)][reached ? 1 : 0]; }

cocos2d::Vec2 PromotionItem::PiecePosition(int kind) {
  switch (KindIndex(kind)) {
    case kFirst:
      return {42, 0};
    case kLast:
      return {-24, 16};
    default:
      return {0, 0};
  }
}

void PromotionItem::onEnter() {
  YndGameLayer::onEnter();
  removeAllChildren();
  m_pReveal = nullptr;
  m_pPiece = cocos2d::Sprite::createWithSpriteFrameName(PieceFrame(m_iKind, m_bReached));
  if (m_pPiece != nullptr) {
    m_pPiece->setPosition(PiecePosition(m_iKind));
    addChild(m_pPiece);
  }
  m_pNumber = nullptr;
  const std::vector<int>& stages = CompeteGameInfo::shareCompeteGameInfo()->m_vcStages;
  if (!stages.empty() && m_iPlayers == stages.back()) return;
  auto* digits = cocos2d::ui::TextAtlas::create(std::to_string(m_iPlayers), "ddzbs_pm_jdt_num03.png", 24, 30, "0");
  digits->setPosition(cocos2d::Vec2(kNumberX, 0));
  addChild(digits, 9);
  m_pNumber = digits;
}

void PromotionItem::ShowReachAni() {
  cocos2d::Sprite* stencil = cocos2d::Sprite::createWithSpriteFrameName(PieceFrame(m_iKind, true));
  cocos2d::Sprite* content = cocos2d::Sprite::createWithSpriteFrameName(PieceFrame(m_iKind, true));
  if (stencil == nullptr || content == nullptr) return;
  const cocos2d::Vec2 at = PiecePosition(m_iKind);
  const float width = stencil->getContentSize().width;
  stencil->setPosition(cocos2d::Vec2(at.x - width, at.y));
  content->setPosition(at);
  auto* clip = cocos2d::ClippingNode::create(stencil);
  clip->setAlphaThreshold(0.1f);
  clip->addChild(content);
  // Above the piece ahead, below the number.
  addChild(clip, 1);
  stencil->runAction(cocos2d::MoveBy::create(kRevealSeconds, cocos2d::Vec2(width, 0)));
  m_pReveal = clip;
}
