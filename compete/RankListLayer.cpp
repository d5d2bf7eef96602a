#include "compete/RankListLayer.h"

#include <string>

#include "gamedata/CompeteRecords.h"
#include "gamedata/LabelHelpers.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndCodeConvert.h"

namespace {

constexpr float kRowFont = 26;
constexpr float kOwnRowFont = 30;
const cocos2d::Color3B kOtherRow(91, 171, 255);
const cocos2d::Color3B kOwnRank(255, 248, 116);
// Columns, from the background's left edge: rank and score centred, the name
// from its left end and cut to fit between them.
constexpr float kRankX = 44;
constexpr float kNameX = 86;
constexpr float kNameWidth = 180;
constexpr float kScoreX = 318;

}  // namespace

RankListLayer* RankListLayer::create(CompeteTableUI* owner, const std::vector<CompeteRankItem>& rows) {
  auto* list = new RankListLayer(owner, rows);
  list->autorelease();
  return list;
}

RankListLayer::RankListLayer(CompeteTableUI* owner, const std::vector<CompeteRankItem>& rows)
    : YndGameLayer(nullptr), m_pOwner(owner), m_vcRows(rows) {}

RankListLayer::~RankListLayer() = default;

void RankListLayer::onEnter() {
  YndGameLayer::onEnter();
  m_pBg = cocos2d::Sprite::createWithSpriteFrameName(kBackground);
  if (m_pBg == nullptr) {
    m_pBg = cocos2d::Sprite::create();
    m_pBg->setContentSize(cocos2d::Size(kListWidth, kListHeight));
  }
  addChild(m_pBg);
  setTouchEnabled(true);
  if (m_vcRows.size() != kRowCount) return;
  const float midY = m_pBg->getContentSize().height / 2;
  const int ownRank = m_vcRows[kRowCount - 1].iRank;
  for (int i = 0; i < kRowCount; ++i) {
    const CompeteRankItem& row = m_vcRows[static_cast<std::size_t>(i)];
    const bool own = i == kRowCount - 1;
    const float font = own ? kOwnRowFont : kRowFont;
    const cocos2d::Color3B colour = own || row.iRank == ownRank ? kOwnRank : kOtherRow;
    const float y = midY + kFirstRowY - kRowStep * i;
    auto add = [&](const std::string& text, float x, float anchorX) {
      auto* label = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, font);
      label->setColor(colour);
      label->setAnchorPoint(cocos2d::Vec2(anchorX, 0.5f));
      label->setPosition(cocos2d::Vec2(x, y));
      m_pBg->addChild(label);
      return label;
    };
    m_pRank[i] = add(std::to_string(row.iRank), kRankX, 0.5f);
    m_pName[i] = add(YndCodeConvert::G2u(ddz::RecordText(row.szName)), kNameX, 0);
    FitLabelToWidth(m_pName[i], kNameWidth);
    m_pScore[i] = add(std::to_string(row.iScore), kScoreX, 0.5f);
  }
}

void RankListLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || m_pBg == nullptr) return;
  const cocos2d::Vec2 p =
      convertToNodeSpace(touches.front()->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
  if (!m_pBg->getBoundingBox().containsPoint(p)) AddNextFrameToDo(&RankListLayer::Close);
}

void RankListLayer::Close() {
  // The bar may have closed this list and opened another since the touch.
  if (m_pOwner != nullptr && m_pOwner->GetRankList() == this) m_pOwner->RemoveRankList();
}
