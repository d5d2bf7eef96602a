#include "compete/DropDownList.h"

#include <new>
#include <string>

#include "compete/RoomInfoItem.h"
#include "compete/SignUpLayer.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"

using cocos2d::Vec2;

namespace {

constexpr int kGameTextFree = 435;
const cocos2d::Color3B kFeeColour(187, 107, 43);
constexpr float kFeeFontSize = 28;
constexpr float kIconScale = 0.8f;

}  // namespace

cocos2d::Node* CreateFeeItemNode(std::int32_t iFeeType, std::int32_t iFeeNum) {
  cocos2d::Node* node = cocos2d::Node::create();
  if (iFeeType == CompeteRoomInfo::kFeeFree || iFeeType == CompeteRoomInfo::kFeeFreeDaily) {
    node->addChild(ddz::CompeteLabel(::GameText(kGameTextFree), kFeeFontSize, kFeeColour, Vec2(0.5f, 0.5f), Vec2()));
    return node;
  }
  cocos2d::Label* amount =
      ddz::CompeteLabel(std::to_string(iFeeNum), kFeeFontSize, kFeeColour, Vec2(0.5f, 0.5f), Vec2());
  // The amount left of the picture, the pair centred on the origin.
  const float half = (amount->getContentSize().width / 2 + 26) / 2;
  amount->setPosition(Vec2(-half, 0));
  node->addChild(amount);
  if (cocos2d::Sprite* icon =
          cocos2d::Sprite::createWithSpriteFrameName("ddzbs_prop_icon_" + std::to_string(iFeeType) + ".png")) {
    icon->setScale(kIconScale);
    icon->setPosition(Vec2(half, 0));
    node->addChild(icon);
  }
  return node;
}

DropDownList* DropDownList::create(CompeteRoomInfo* pRoom, SignUpLayer* pOwner) {
  auto* list = new (std::nothrow) DropDownList(pRoom, pOwner);
  if (list != nullptr) list->autorelease();
  return list;
}

DropDownList::DropDownList(CompeteRoomInfo* pRoom, SignUpLayer* pOwner)
    : YndGameLayer(nullptr), m_pOwner(pOwner), m_pRoom(pRoom) {
  m_bModalFlag = true;
  if (m_pRoom == nullptr) return;
  if (m_pRoom->m_bFreeDaily == 1) m_vcOptions.emplace_back(CompeteRoomInfo::kFeeFreeDaily, 0);
  for (const CompeteKindValue& fee : m_pRoom->m_vcFees) m_vcOptions.emplace_back(fee.iKind, fee.iValue);
}

DropDownList::~DropDownList() = default;

void DropDownList::onEnter() {
  YndGameLayer::onEnter();
  removeAllChildren();
  m_vcRowAreas.clear();
  m_bClosing = false;
  const float n = static_cast<float>(m_vcOptions.size());
  if (auto* back = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_djs_bm_xl_d01.png")) {
    back->setAnchorPoint(Vec2(0.5f, 1));
    back->setPreferredSize(cocos2d::Size(kWidth, kRowHeight * n + kTopGap));
    addChild(back);
  }
  for (std::size_t i = 0; i < m_vcOptions.size(); ++i) {
    const float top = -kTopGap - kRowHeight * static_cast<float>(i);
    cocos2d::ui::Scale9Sprite* stripe = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_djs_bm_xl_d02.png");
    if (stripe == nullptr) stripe = cocos2d::ui::Scale9Sprite::create();  // the row still answers touches
    stripe->setAnchorPoint(Vec2(0.5f, 1));
    stripe->setPosition(Vec2(0, top));
    stripe->setPreferredSize(cocos2d::Size(kWidth, kRowHeight));
    stripe->setVisible(i % 2 == 1);
    addChild(stripe);
    m_vcRowAreas.push_back(stripe);
    cocos2d::Node* fee = CreateFeeItemNode(m_vcOptions[i].first, m_vcOptions[i].second);
    fee->setPosition(Vec2(0, top - kRowHeight / 2));
    addChild(fee);
  }
  m_iSelected = -1;
  setTouchEnabled(true, false);
  // The list takes every touch while it is up.
  SetNeedDiableOtherTouch(true);
}

void DropDownList::onExit() {
  SetNeedDiableOtherTouch(false);
  YndGameLayer::onExit();
  m_iSelected = 0;
}

int DropDownList::HitRow(const std::vector<cocos2d::Touch*>& touches) {
  m_iSelected = -1;
  if (touches.empty()) return m_iSelected;
  float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  if (scale <= 0) scale = 1;
  const Vec2 p = convertTouchToNodeSpace(touches.front()) / scale;
  for (std::size_t i = 0; i < m_vcRowAreas.size(); ++i) {
    if (m_vcRowAreas[i]->getBoundingBox().containsPoint(p)) {
      m_iSelected = static_cast<int>(i);
      break;
    }
  }
  return m_iSelected;
}

void DropDownList::Close() {
  if (m_bClosing) return;
  m_bClosing = true;
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}

void DropDownList::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (m_bClosing) return;
  if (HitRow(touches) < 0) Close();
}

void DropDownList::onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) {
  onTouchesBegan(touches, event);
}

void DropDownList::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (m_bClosing) return;
  const int row = HitRow(touches);
  // The pick counts only while the dialog still shows this match.
  const bool ownerShowsRoom =
      m_pOwner != nullptr && m_pOwner->isRunning() && m_pRoom != nullptr && m_pOwner->GetRoom() == m_pRoom;
  if (row >= 0 && ownerShowsRoom) {
    m_pRoom->m_iFeeType = m_vcOptions[static_cast<std::size_t>(row)].first;
    m_pRoom->m_iFeeNum = m_vcOptions[static_cast<std::size_t>(row)].second;
    m_pRoom->m_bFeePicked = 1;
    m_pOwner->OnSelectFee();
  }
  Close();
}
