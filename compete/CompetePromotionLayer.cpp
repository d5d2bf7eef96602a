#include "compete/CompetePromotionLayer.h"

#include <cstdint>
#include <string>

#include "compete/CompeteLayerParts.h"
#include "compete/PromotionItem.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/GameSoundDDZ.h"

namespace {

constexpr int kTextWaitTitle = 15;  // tournament text: while waiting
constexpr int kTextPromoted = 16;   // tournament text: promoted
constexpr int kTextWaiting = 317;   // game text: "%d" tables, "%d" minutes, "%d" seconds
constexpr int kLaterPhase = 3;      // competition state of the later phases

constexpr float kOrderHeight = 288;
constexpr float kBarDrop = 176;      // the bar's centre below the middle
constexpr float kMarkerDrop = 126;   // the marker's
constexpr float kBarLeft = 430;      // the first segment left of the middle
constexpr float kClipLeft = 460;
constexpr float kScrollLimit = 1000;
constexpr float kTipsPlateWidth = 472, kTipsPlateHeight = 52;
constexpr float kTipsWidth = kTipsPlateWidth - 24;  // the widest the waiting text is drawn

int HalfWidth() { return BasePT::g_iWindowWidth / 2; }
int HalfHeight() { return BasePT::g_iWindowHeight / 2; }

}  // namespace

CompetePromotionLayer* CompetePromotionLayer::create() {
  auto* layer = new CompetePromotionLayer();
  layer->autorelease();
  return layer;
}

CompetePromotionLayer::CompetePromotionLayer() : YndGameLayer(nullptr) {
  const std::vector<int>& stages = CompeteGameInfo::shareCompeteGameInfo()->m_vcStages;
  for (std::size_t i = 0; i < stages.size(); ++i)
    if (!(i == 1 && stages[1] == stages[0])) m_vcStages.push_back(stages[i]);
}

CompetePromotionLayer::~CompetePromotionLayer() = default;

bool CompetePromotionLayer::JudgeShow() const {
  return static_cast<std::uint32_t>(m_iBrevetTimes) < static_cast<std::uint32_t>(m_vcStages.size()) - 2u;
}

int CompetePromotionLayer::FirstVisibleSegment(int n, int p, int f) {
  if (n <= kVisibleSegments || p % kScrollStep != 0) return f;
  for (int i = 0; i < kScrollLimit; ++i) {
    if (n - f <= kVisibleSegments || f >= p) break;
    if (n - f - kVisibleSegments >= kScrollStep && f + kScrollStep <= p)
      f += kScrollStep;
    else if (n - kVisibleSegments <= p)
      f = n - kVisibleSegments;
    else
      break;
  }
  return f;
}

void CompetePromotionLayer::onEnter() {
  YndGameLayer::onEnter();
  // The widgets of an earlier entry go first: one copy of the screen.
  removeAllChildren();
  m_vcItems.clear();
  m_pMarker = nullptr;
  competelayer::AddDimmer(this);
  competelayer::SetTopButtonsEnabled(false);
  AddPlist("ddzbs_wait_layer_res.plist");

  m_pLowerPanel = competelayer::AddLowerPanel(this);
  m_pTitle = competelayer::AddTitle(this, CompeteText(kTextWaitTitle));

  m_pAllNum = cocos2d::ui::TextAtlas::create("", "ddzbs_pm_num02.png", 42, 56, "/");
  m_pAllNum->setAnchorPoint(cocos2d::Vec2(0.5f, 0));
  m_pLowerPanel->addChild(m_pAllNum);
  m_pOrderNum = cocos2d::ui::TextAtlas::create("", "ddzbs_pm_num01.png", 68, 86, "0");
  m_pOrderNum->setAnchorPoint(cocos2d::Vec2(0.5f, 0));
  m_pLowerPanel->addChild(m_pOrderNum);
  UpdateOrder(m_iCurOrder, m_iAllPlayer);

  const cocos2d::Size panel = m_pLowerPanel->getContentSize();
  cocos2d::Node* plate = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_tc_tips_d.png");
  if (plate == nullptr) plate = cocos2d::Node::create();
  plate->setContentSize(cocos2d::Size(kTipsPlateWidth, kTipsPlateHeight));
  plate->setPosition(cocos2d::Vec2(panel.width / 2, panel.height / 2));
  m_pLowerPanel->addChild(plate);
  m_pTips = competelayer::MakeLabel("", 32, competelayer::kOrange);
  m_pTips->setPosition(cocos2d::Vec2(kTipsPlateWidth / 2, kTipsPlateHeight / 2));
  plate->addChild(m_pTips, 2);

  m_iWaitSeconds = 0;
  UpdateTime(0);
  unschedule(schedule_selector(CompetePromotionLayer::UpdateTime));
  schedule(schedule_selector(CompetePromotionLayer::UpdateTime), 1.0f);

  BuildBar();
  const int n = static_cast<int>(m_vcItems.size());
  const int p = m_iBrevetTimes;
  m_iAllPlayer = p >= 0 && p < n ? m_vcStages[static_cast<std::size_t>(p)] : 0;
  m_bResultShown = false;
}

void CompetePromotionLayer::BuildBar() {
  const int halfW = HalfWidth(), halfH = HalfHeight();
  cocos2d::Node* stencil = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_tc_tips_d.png");
  if (stencil == nullptr) stencil = cocos2d::Node::create();
  stencil->setContentSize(cocos2d::Size(920, 152));
  stencil->setAnchorPoint(cocos2d::Vec2(0, 0.5f));
  stencil->setPosition(cocos2d::Vec2(halfW - kClipLeft, halfH - kBarDrop));
  auto* clip = cocos2d::ClippingNode::create(stencil);
  clip->setAlphaThreshold(0.1f);
  addChild(clip);
  m_pBar = cocos2d::Node::create();
  clip->addChild(m_pBar);

  const int n = static_cast<int>(m_vcStages.size());
  const int p = m_iBrevetTimes;
  for (int i = 0; i < n; ++i) {
    const int kind = i == 0 ? PromotionItem::kFirst : (i == n - 1 ? PromotionItem::kLast : PromotionItem::kMiddle);
    PromotionItem* item = PromotionItem::create(kind, m_vcStages[static_cast<std::size_t>(i)], i <= p);
    item->setPosition(cocos2d::Vec2(halfW - kBarLeft + i * kSegmentWidth, halfH - kBarDrop));
    m_pBar->addChild(item, -i);
    m_vcItems.push_back(item);
  }
  if (n > kVisibleSegments) {
    m_iFirstVisible = FirstVisibleSegment(n, p, m_iFirstVisible);
    m_pBar->setPosition(cocos2d::Vec2(-m_iFirstVisible * kSegmentWidth, 0));
  } else {
    m_pBar->setPosition(cocos2d::Vec2((kVisibleSegments - n) * kSegmentWidth / 2, 0));
  }
  if (p >= 0 && p < n && m_vcItems[static_cast<std::size_t>(p)]->isRunning()) {
    m_pMarker = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_pm_icon_dw.png");
    if (m_pMarker != nullptr) {
      const float x = m_pBar->getPositionX() + m_vcItems[static_cast<std::size_t>(p)]->getPositionX() +
                      PromotionItem::kNumberX;
      m_pMarker->setPosition(cocos2d::Vec2(x, halfH - kMarkerDrop));
      addChild(m_pMarker, 1);
    }
  }
}

void CompetePromotionLayer::onExit() {
  YndGameLayer::onExit();
  m_pMarker = nullptr;
  competelayer::SetTopButtonsEnabled(true);
}

// ---------------------------------------------------------------- rank and waiting

void CompetePromotionLayer::UpdateOrder(std::int32_t iCurOrder, std::int32_t iAllPlayer) {
  m_iCurOrder = iCurOrder;
  const bool keepTotal = CompeteGameInfo::shareCompeteGameInfo()->m_iState >= kLaterPhase && m_iAllPlayer > 0;
  if (!keepTotal) m_iAllPlayer = iAllPlayer;
  if (isRunning()) ShowOrder();
}

void CompetePromotionLayer::ShowOrder() {
  if (m_pOrderNum == nullptr || m_pAllNum == nullptr) return;
  m_pOrderNum->setString(std::to_string(m_iCurOrder));
  m_pAllNum->setString("/" + std::to_string(m_iAllPlayer));
  const float a = m_pOrderNum->getContentSize().width, b = m_pAllNum->getContentSize().width;
  const float left = HalfWidth() - (a + b) / 2;
  m_pOrderNum->setPosition(cocos2d::Vec2(left + a / 2, kOrderHeight));
  m_pAllNum->setPosition(cocos2d::Vec2(left + a + b / 2, kOrderHeight));
}

void CompetePromotionLayer::UpdateWaitTable(std::int32_t iWaitTable) {
  m_iWaitTable = iWaitTable;
  if (isRunning()) ShowWaitText();
}

void CompetePromotionLayer::ShowWaitText() {
  if (m_pTips == nullptr) return;
  m_pTips->setString(ddz::FormatText(GameText(kTextWaiting), m_iWaitTable, m_iWaitSeconds / 60, m_iWaitSeconds % 60));
  // Long counts stay on the plate.
  const float width = m_pTips->getContentSize().width;
  m_pTips->setScale(width > kTipsWidth ? kTipsWidth / width : 1.0f);
}

void CompetePromotionLayer::UpdateTime(float /*dt*/) {
  ShowWaitText();
  if (m_iWaitSeconds < INT32_MAX) ++m_iWaitSeconds;
}

// ---------------------------------------------------------------- the stage result

void CompetePromotionLayer::ShowWeedBrevet(std::int32_t iWeedBrevet) {
  if (!isRunning() || m_bResultShown || iWeedBrevet == 0) return;
  m_bResultShown = true;
  GameViewBase::m_iLockMainMsgTime += kResultHoldMs;
  if (iWeedBrevet != 1) return;

  ++m_iBrevetTimes;
  const int p = m_iBrevetTimes;
  if (p >= 0 && p < static_cast<int>(m_vcItems.size()) && m_vcItems[static_cast<std::size_t>(p)]->isRunning()) {
    PromotionItem* item = m_vcItems[static_cast<std::size_t>(p)];
    item->ShowReachAni();
    if (m_pMarker != nullptr && m_pMarker->isRunning()) {
      const float x = m_pBar->getPositionX() + item->getPositionX() + PromotionItem::kNumberX;
      m_pMarker->runAction(cocos2d::MoveTo::create(kMarkerSeconds, cocos2d::Vec2(x, m_pMarker->getPositionY())));
    }
  }
  if (m_pTitle != nullptr) m_pTitle->setString(CompeteText(kTextPromoted));
  GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(std::string(kPromotionSound));
}
