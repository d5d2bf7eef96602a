#include "compete/CompeteTableUI.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "compete/RankListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"

namespace {

// Texts: tournament entries (titles and the first and final stage's status)
// and game entries (the wait tip and a middle stage's status).
constexpr int kTitleFirst = 12;
constexpr int kTitleMiddle = 13;
constexpr int kTitleFinal = 14;
constexpr int kStatusFinal = 17;
constexpr int kStatusFirst = 18;
constexpr int kTextWaitTable = 323;
constexpr int kStatusMiddle = 341;

constexpr float kPanelFontSize = 24;
const cocos2d::Color3B kPanelText(194, 237, 253);
constexpr float kWaitFontSize = 30;
const cocos2d::Color3B kWaitText(250, 255, 182);

// Inside the status panel: the title at its left end, the status line after it.
constexpr float kTitleX = 44;
constexpr float kStatusX = 84;
// Room kept free at the panel's right end.
constexpr float kStatusRightGap = 12;
// The badge stands at the rank panel's left end.
constexpr float kBadgeGap = 6;

int NumberAt(const std::vector<int>& list, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < list.size() ? list[static_cast<std::size_t>(i)] : 0;
}

bool FinalStage(int stage) {
  return stage == static_cast<int>(CompeteGameInfo::shareCompeteGameInfo()->m_vcStages.size()) - 2;
}

}  // namespace

CompeteRankItem MakeCompeteRankItem(int rank, int score, const char* name, std::size_t size) {
  CompeteRankItem row{};
  row.iRank = rank;
  row.iScore = score;
  if (name != nullptr) {
    const std::size_t n = strnlen(name, std::min(size, sizeof(row.szName) - 1));
    std::memcpy(row.szName, name, n);
  }
  return row;
}

CompeteTableUI* CompeteTableUI::create() {
  auto* bar = new CompeteTableUI();
  bar->autorelease();
  return bar;
}

CompeteTableUI::CompeteTableUI() : YndGameLayer(nullptr) {
  m_iThirdNumber = NumberAt(CompeteGameInfo::shareCompeteGameInfo()->m_vcNumbers, 2);
}

CompeteTableUI::~CompeteTableUI() = default;

void CompeteTableUI::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  m_pStatusBg = cocos2d::Sprite::createWithSpriteFrameName("ddzcompete_tableui_status_bg.png");
  if (m_pStatusBg == nullptr) m_pStatusBg = cocos2d::Sprite::create();
  m_pStatusBg->setPosition(g_ptCmpPlayingTableWord);
  addChild(m_pStatusBg);
  const cocos2d::Size panel = m_pStatusBg->getContentSize();
  m_pTitle = cocos2d::Label::createWithSystemFont(CompeteText(kTitleFirst), g_strSystemFont, kPanelFontSize);
  m_pTitle->setColor(kPanelText);
  m_pTitle->setPosition(cocos2d::Vec2(kTitleX, panel.height / 2));
  m_pStatusBg->addChild(m_pTitle);
  m_pStatus = cocos2d::Label::createWithSystemFont("", g_strSystemFont, kPanelFontSize);
  m_pStatus->setColor(kPanelText);
  m_pStatus->setAnchorPoint(cocos2d::Vec2(0, 0.5f));
  m_pStatus->setPosition(cocos2d::Vec2(kStatusX, panel.height / 2));
  m_pStatusBg->addChild(m_pStatus);

  m_pRankBg = cocos2d::Sprite::createWithSpriteFrameName("ddzcompete_tableui_rand_bg.png");
  if (m_pRankBg == nullptr) m_pRankBg = cocos2d::Sprite::create();
  m_pRankBg->setPosition(g_ptCmpPlayerRank);
  addChild(m_pRankBg);
  m_pRankBadge = cocos2d::Sprite::createWithSpriteFrameName(kBadgeFirstStage);
  if (m_pRankBadge == nullptr) m_pRankBadge = cocos2d::Sprite::create();
  m_pRankBadge->setPosition(
      cocos2d::Vec2(kBadgeGap + m_pRankBadge->getContentSize().width / 2, m_pRankBg->getContentSize().height / 2));
  m_pRankBg->addChild(m_pRankBadge);
  // The count stands right after the rank ("12" ":64"); alone, the rank is centred on its point.
  m_pCountNum = cocos2d::ui::TextAtlas::create("", kDigitsImage, kDigitWidth, kDigitHeight, "0");
  m_pCountNum->setScale(kCountDigitsScale);
  m_pCountNum->setAnchorPoint(cocos2d::Vec2(0, 0.5f));
  m_pCountNum->setPosition(g_ptCmpPlayerRankNum[0]);
  m_pRankBg->addChild(m_pCountNum);
  m_pRankNum = cocos2d::ui::TextAtlas::create("", kDigitsImage, kDigitWidth, kDigitHeight, "0");
  m_pRankNum->setAnchorPoint(cocos2d::Vec2(1, 0.5f));
  m_pRankNum->setPosition(g_ptCmpPlayerRankNum[0]);
  m_pRankBg->addChild(m_pRankNum);

  m_pRankBg->setVisible(false);
  m_pStatusBg->setVisible(false);
}

void CompeteTableUI::onExit() {
  YndGameLayer::onExit();
  m_pWaitTip = nullptr;
}

void CompeteTableUI::ShowWaitTable(bool bShow) {
  if (!isRunning()) return;
  if (bShow && m_pWaitTip == nullptr) {
    m_pWaitTip = cocos2d::Node::create();
    const cocos2d::Vec2 centre(BasePT::g_iWindowWidth / 2, BasePT::g_iWindowHeight / 2);
    if (auto* bg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzcompete_tips_wait_table.png")) {
      bg->setPreferredSize(cocos2d::Size(kWaitTipWidth, kWaitTipHeight));
      bg->setPosition(centre);
      m_pWaitTip->addChild(bg);
    }
    auto* word = cocos2d::Label::createWithSystemFont(GameText(kTextWaitTable), g_strSystemFont, kWaitFontSize);
    word->setColor(kWaitText);
    word->setPosition(centre);
    m_pWaitTip->addChild(word);
    addChild(m_pWaitTip);
  } else if (!bShow && m_pWaitTip != nullptr) {
    m_pWaitTip->removeFromParent();
    m_pWaitTip = nullptr;
  }
}

void CompeteTableUI::ShowStatus(bool bShow) {
  if (!isRunning()) return;
  m_pStatusBg->setVisible(bShow);
  if (!bShow) return;
  const CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
  const int stage = match->m_iStageNo;
  if (stage == 0) {
    m_pTitle->setString(CompeteText(kTitleFirst));
    m_pStatus->setString(ddz::FormatText(CompeteText(kStatusFirst), NumberAt(match->m_vcNumbers, 0),
                                         NumberAt(match->m_vcNumbers, 1)));
    setTouchEnabled(true);
  } else {
    m_pTitle->setString(CompeteText(FinalStage(stage) ? kTitleFinal : kTitleMiddle));
    // The stage comes from the server (a signed byte): it indexes the list
    // only when both it and the next stage lie inside.
    const std::vector<int>& stages = match->m_vcStages;
    if (stage >= 0 && static_cast<std::size_t>(stage) + 1 < stages.size()) {
      m_iStageTables = stages[static_cast<std::size_t>(stage)];
      m_iNextStageTables = stages[static_cast<std::size_t>(stage) + 1];
    }
    FillLaterStatus(stage);
  }
  FitLabelToWidth(m_pStatus, m_pStatusBg->getContentSize().width - kStatusX - kStatusRightGap);
}

void CompeteTableUI::FillLaterStatus(int stage) {
  if (FinalStage(stage))
    m_pStatus->setString(ddz::FormatText(CompeteText(kStatusFinal), m_iTableNum, m_iThirdNumber));
  else
    m_pStatus->setString(
        ddz::FormatText(GameText(kStatusMiddle), m_iStageTables, m_iNextStageTables, m_iTableNum, m_iThirdNumber));
}

void CompeteTableUI::UpdateTableNum(int iTableNum) {
  if (!isRunning()) return;
  const int stage = CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo;
  if (stage == 0) return;
  m_iTableNum = iTableNum;
  FillLaterStatus(stage);
  FitLabelToWidth(m_pStatus, m_pStatusBg->getContentSize().width - kStatusX - kStatusRightGap);
}

void CompeteTableUI::ShowRank(bool bShow) {
  if (!isRunning()) return;
  m_pRankBg->setVisible(bShow);
  if (!bShow) return;
  if (CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo != 0) {
    m_pRankBadge->setSpriteFrame(kBadgeOwnTable);
    setTouchEnabled(false);
  } else {
    setTouchEnabled(true);
  }
}

void CompeteTableUI::UpdateSelfRank(int iCurOrder, int iAllPlayer) {
  if (!isRunning()) return;
  m_pRankNum->setString(std::to_string(iCurOrder));
  m_pCountNum->setString(":" + std::to_string(iAllPlayer));
  if (CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchKind == kRankAloneMatchKind) {
    m_pCountNum->setVisible(false);
    m_pRankNum->setAnchorPoint(cocos2d::Vec2(0.5f, 0.5f));
    m_pRankNum->setPosition(g_ptCmpPlayerRankNum[1]);
  } else {
    m_pCountNum->setVisible(true);
    m_pRankNum->setAnchorPoint(cocos2d::Vec2(1, 0.5f));
    m_pRankNum->setPosition(g_ptCmpPlayerRankNum[0]);
  }
}

void CompeteTableUI::SetRankList(const std::vector<CompeteRankItem>& rows) {
  if (!isRunning()) return;
  m_vcRankRows = rows;
}

void CompeteTableUI::RemoveRankList() {
  if (!isRunning()) return;
  if (m_pRankList != nullptr && m_pRankList->isRunning())
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pRankList, this);
  m_pRankList = nullptr;
}

void CompeteTableUI::HideRankList() {
  if (!isRunning()) return;
  RemoveRankList();
  setTouchEnabled(false);
}

void CompeteTableUI::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || m_pRankBg == nullptr || !m_pRankBg->isVisible()) return;
  const cocos2d::Vec2 p =
      convertToNodeSpace(touches.front()->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
  if (!m_pRankBg->getBoundingBox().containsPoint(p) || m_pRankList != nullptr || m_vcRankRows.empty()) return;
  m_pRankList = RankListLayer::create(this, m_vcRankRows);
  // The list opens on the window's side of the panel: above a panel in the
  // lower half, else below it; its right edge on the panel's, inside the window.
  const cocos2d::Rect panel = m_pRankBg->getBoundingBox();
  const float half = RankListLayer::kListHeight / 2;
  const bool lower = panel.getMidY() < BasePT::g_iWindowHeight / 2;
  const float x = std::max(panel.getMaxX() - RankListLayer::kListWidth / 2, RankListLayer::kListWidth / 2);
  m_pRankList->setPosition(cocos2d::Vec2(x, lower ? panel.getMaxY() + half : panel.getMinY() - half));
  addChild(m_pRankList);
}
