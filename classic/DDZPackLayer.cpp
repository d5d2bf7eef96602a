#include "classic/DDZPackLayer.h"

#include <algorithm>
#include <string>

#include "classic/DDZPropTip.h"
#include "gamedata/LabelHelpers.h"
#include "platform/engine/Action.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Scheduler.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameViewBase.h"

using cocos2d::Rect;
using cocos2d::Vec2;

namespace {

DDZPackLayer* s_pInstance = nullptr;

constexpr const char* kPanelFrame = "qorvddzpc_pack_bg.png";
constexpr const char* kTimerKey = "DDZPackLayer::UpdatePropTimer";
// Cell i: column i mod 4, row i div 4, origin (9 + 61 column, 206 - 61 row), 58 square.
constexpr float kCellX = 9.0f;
constexpr float kCellY = 206.0f;
constexpr float kCellPitch = 61.0f;
constexpr float kGridHeight = 272.0f;  // the cells' rows with their margins
constexpr float kEdge = 4.0f;  // the tip keeps this far from the window's right and bottom edges
// The empty backpack's line: its words in the catalogue's captions, its look.
constexpr const char* kEmptyLineKey = "prop_lable_empty";
constexpr float kEmptyLineSize = 18;
const cocos2d::Color3B kEmptyLineColour(188, 222, 255);

}  // namespace

DDZPackLayer* DDZPackLayer::getInstance() { return s_pInstance != nullptr ? s_pInstance : create(); }

DDZPackLayer* DDZPackLayer::create() {
  auto* layer = new DDZPackLayer();
  layer->autorelease();
  return layer;
}

DDZPackLayer::DDZPackLayer() {
  s_pInstance = this;
  // The expiry scan runs for as long as the backpack exists, open or not.
  cocos2d::Director::getInstance()->getScheduler()->schedule([this](float dt) { UpdatePropTimer(dt); }, this, 0.0f,
                                                             false, kTimerKey);
}

DDZPackLayer::~DDZPackLayer() {
  cocos2d::Director::getInstance()->getScheduler()->unschedule(kTimerKey, this);
  if (s_pInstance == this) s_pInstance = nullptr;
}

// ---------------------------------------------------------------- notices

void DDZPackLayer::CallBackAddUserProp(int) {
  if (isVisible()) RefreshPropList();
}

void DDZPackLayer::CallBackDeleteUserProp(int) {
  if (isVisible()) RefreshPropList();
}

void DDZPackLayer::CallBackSuccUserPropnfo() { m_bPropsReady = true; }

// ---------------------------------------------------------------- panel

void DDZPackLayer::ShowPack() {
  if (!m_bPropsReady) {
    Close();
    return;
  }
  if (m_pPackBg == nullptr) {
    m_pPackBg = cocos2d::Sprite::createWithSpriteFrameName(kPanelFrame);
    if (m_pPackBg == nullptr) {
      cocos2d::log("ShowPack: no frame %s", kPanelFrame);
      m_pPackBg = cocos2d::Sprite::create();
    }
    // The grid's rows (kGridHeight) stand centred on the panel's place; a
    // frame taller than them (its title) grows upwards.
    const float height = m_pPackBg->getContentSize().height;
    if (height > kGridHeight) m_pPackBg->setAnchorPoint(Vec2(0.5f, kGridHeight / 2 / height));
    m_pPackBg->setPosition(m_ptPackBg);
    addChild(m_pPackBg, 1);
    std::string words;
    GetValueStr(words, kEmptyLineKey, kPropConfFile, "prop_lable", "");
    m_pEmptyLine = cocos2d::Label::createWithSystemFont(words, g_strFontName, kEmptyLineSize);
    m_pEmptyLine->setColor(kEmptyLineColour);
    m_pEmptyLine->setPosition(Vec2(m_pPackBg->getContentSize().width / 2, m_pPackBg->getContentSize().height / 2));
    m_pPackBg->addChild(m_pEmptyLine, 5);
    m_pPropTip = DDZPropTip::create();
    m_pPropTip->LoadLabels(kPropConfFile);
    addChild(m_pPropTip, 4);
    m_vcCellRect.clear();
    for (int i = 0; i < kCellCount; ++i) {
      const int column = i % kColumns;
      const int row = i / kColumns;
      m_vcCellRect.emplace_back(kCellX + kCellPitch * column, kCellY - kCellPitch * row, DDZPropItem::kCellSize,
                                DDZPropItem::kCellSize);
    }
  }
  m_pPropTip->setVisible(false);
  setVisible(true);
  setTouchEnabled(true, false);
  if (isVisible()) RefreshPropList();
  m_pPackBg->stopAllActions();
  m_pPackBg->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.1f, 1.1f),
                                                 cocos2d::ScaleTo::create(0.1f, 0.9f),
                                                 cocos2d::ScaleTo::create(0.1f, 1.0f)));
}

void DDZPackLayer::RefreshPropList() {
  if (m_pPackBg == nullptr) return;
  const GlobalInfo& global = GameViewBase::m_GlobalInfo;
  for (int i = 0; i < kCellCount; ++i) {
    DDZPropItem*& cell = m_vcPropItem[i];
    if (i < static_cast<int>(m_vcUserProp.size())) {
      UserPropRecord& record = m_vcUserProp[i];
      switch (record.iPropID) {
        case 1: record.iCount = global.iYuanBaoNextYear + global.iYuanBao; break;
        case 2: record.iCount = global.iProp2NextYear + global.iProp2Amount; break;
        case 4: record.iCount = global.iMoney; break;
        default: break;
      }
      if (cell == nullptr) {
        cell = DDZPropItem::create();
        m_pPackBg->addChild(cell, 3);
      }
      cell->setPosition(m_vcCellRect[i].origin);
      cell->SetProp(&record);
    } else if (cell != nullptr) {
      m_pPackBg->removeChild(cell, true);
      cell = nullptr;
    }
  }
  if (m_pEmptyLine != nullptr) m_pEmptyLine->setVisible(m_vcUserProp.empty());
  if (FindRecord(m_iHoverPropID) == nullptr) m_iHoverPropID = 0;
  if (m_pPropTip->GetPropId() != 0) RefreshTip();
}

const UserPropRecord* DDZPackLayer::FindRecord(int propId) const {
  if (propId == 0) return nullptr;
  for (const UserPropRecord& record : m_vcUserProp)
    if (record.iPropID == propId) return &record;
  return nullptr;
}

void DDZPackLayer::RefreshTip() {
  if (m_pPropTip == nullptr) return;
  const UserPropRecord* record = FindRecord(m_pPropTip->GetPropId());
  if (record == nullptr) {
    // The prop is gone: the tip forgets it.
    m_pPropTip->SetPropId(0);
    m_pPropTip->setVisible(false);
    return;
  }
  m_pPropTip->Refresh(record, m_fElapsed);
}

void DDZPackLayer::UpdatePropTimer(float dt) {
  const GlobalInfo& global = GameViewBase::m_GlobalInfo;
  if (global.iServerTime <= 0) return;
  m_fElapsed += dt;
  if (m_fLastTick < 0.0f) m_fLastTick = m_fElapsed;
  if (m_fElapsed - m_fLastTick < 1.0f) return;
  m_fLastTick = m_fElapsed;

  if (m_pPropTip != nullptr && m_pPropTip->isVisible() && m_pPropTip->GetPropId() != 0) RefreshTip();
  const long long now = static_cast<long long>(global.iServerTime) + static_cast<long long>(m_fElapsed);
  for (const UserPropRecord& record : m_vcUserProp) {
    if (record.iExpireTime <= 0 || record.iExpireTime - now > 0) continue;
    const int id = record.iPropID;
    const int count = record.iCount;
    CallBackDeleTimeProp(id);
    DeleteUserProp(id, count);  // `record` is gone from here on
    break;
  }
}

// ---------------------------------------------------------------- layer

void DDZPackLayer::onEnter() {
  YndGameLayer::onEnter();
  setVisible(false);
  std::fill(m_vcPropItem.begin(), m_vcPropItem.end(), nullptr);
}

void DDZPackLayer::onExit() {
  YndGameLayer::onExit();
  removeAllChildrenWithCleanup(true);
  m_pPackBg = nullptr;
  m_pPropTip = nullptr;
  m_iHoverPropID = 0;
  std::fill(m_vcPropItem.begin(), m_vcPropItem.end(), nullptr);
}

void DDZPackLayer::Close() { YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, nullptr); }

void DDZPackLayer::HoverAt(const Vec2& point) {
  if (!m_bPropsReady || m_pPackBg == nullptr || m_pPropTip == nullptr) return;
  const Vec2 local = m_pPackBg->convertToNodeSpace(convertToWorldSpace(point));
  const UserPropRecord* record = nullptr;
  const int count = std::min<int>(kCellCount, static_cast<int>(m_vcUserProp.size()));
  for (int i = 0; i < count; ++i) {
    if (m_vcCellRect[i].containsPoint(local)) {
      record = &m_vcUserProp[i];
      break;
    }
  }
  if (record == nullptr) {
    m_iHoverPropID = 0;
    m_pPropTip->setVisible(false);
    return;
  }
  m_iHoverPropID = record->iPropID;
  if (m_pPropTip->GetPropId() != record->iPropID) {
    m_pPropTip->SetPropId(record->iPropID);
    m_pPropTip->Refresh(record, m_fElapsed);
  }
  // A prop the catalogue does not know has no tip.
  if (GetStaticPropMap().count(record->iPropID) == 0) {
    m_pPropTip->setVisible(false);
    return;
  }
  m_pPropTip->setVisible(true);
  m_pPropTip->setPosition(point);
  const cocos2d::Size tip = m_pPropTip->getContentSize();
  const bool pastRight = point.x + tip.width > BasePT::g_iWindowWidth - kEdge;
  const bool pastBottom = point.y - tip.height < kEdge;
  m_pPropTip->setAnchorPoint(Vec2(pastRight ? 1.0f : 0.0f, pastBottom ? 0.0f : 1.0f));
}

namespace {
Vec2 TouchPoint(const cocos2d::Node* layer, const cocos2d::Touch* touch) {
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const Vec2 p = layer->convertToNodeSpace(touch->getLocation());
  return scale > 0.0f ? Vec2(p.x / scale, p.y / scale) : p;
}
}  // namespace

void DDZPackLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || m_pPackBg == nullptr) return;
  if (!m_pPackBg->getBoundingBox().containsPoint(TouchPoint(this, touches.front()))) Close();
}

void DDZPackLayer::onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (!touches.empty()) HoverAt(TouchPoint(this, touches.front()));
}

void DDZPackLayer::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || m_pPackBg == nullptr) return;
  const Vec2 point = TouchPoint(this, touches.front());
  if (!m_pPackBg->getBoundingBox().containsPoint(point)) Close();
  // A touch that ends on the panel, on a cell or not, leaves it open.
}

void DDZPackLayer::CallBackHandleMouseEvent(int kind, cocos2d::EventMouse* event) {
  if (kind != kYndMouseMove || event == nullptr) return;
  HoverAt(Vec2(event->getCursorX(), static_cast<float>(BasePT::g_iWindowHeight) - event->getCursorY()));
}
