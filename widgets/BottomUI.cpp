#include "widgets/BottomUI.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/GameRecords.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "table/DDZGameView.h"
#include "widgets/PlayerTitles.h"
#include "widgets/RoomTips.h"

using cocos2d::Vec2;

namespace {

constexpr const char* kSheets[] = {"vellddz_res_playerinfo.plist", "vellddz_res_buttomui.plist",
                                   "qorvddz_res_room_ui.plist", "vevad_res_head_icon.plist"};
constexpr const char* kFieldFrame = "qorvddz_roomui_item_bg.png";
constexpr float kTextSize = 24;
const Vec2 kInfoBgPos(636, 42);
const Vec2 kHeadPos(64, 82);
constexpr float kHeadScale = 0.8f;
const Vec2 kNameFieldPos(276, 30);
const Vec2 kNamePos(288, 30);
const Vec2 kLvIconPos(166, 32);
const Vec2 kLvNumPos(196, 32);
const Vec2 kTitleShift(20, 0);
// The tips strip (300 wide) ends inside the bar's background, short of the
// window's edge.
const Vec2 kTipsLayerPos(1110, 30);
constexpr int kTipsZ = 100;
const Vec2 kMoneyFieldPos(526, 30);
const Vec2 kMoneyIconPos(436, 30);
const Vec2 kMoneyPos(540, 30);
const Vec2 kYBFieldPos(762, 30);
const Vec2 kYBIconPos(708, 30);
const Vec2 kYBPos(780, 30);

const GlobalInfo& Login() { return GameViewBase::m_GlobalInfo; }

cocos2d::Label* MakeLabel(cocos2d::Node* parent, Vec2 at) {
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont("", g_strFontName, kTextSize);
  label->setPosition(at);
  parent->addChild(label);
  return label;
}

void AddField(cocos2d::Node* parent, Vec2 at, cocos2d::Size size) {
  if (auto* field = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kFieldFrame)) {
    field->setContentSize(size);
    field->setPosition(at);
    parent->addChild(field);
  }
}

void AddIcon(cocos2d::Node* parent, const char* frame, Vec2 at) {
  if (cocos2d::Sprite* icon = cocos2d::Sprite::createWithSpriteFrameName(frame)) {
    icon->setPosition(at);
    parent->addChild(icon);
  }
}

// A name field of the login record: the nickname unless it is empty or "N",
// then the user name (GBK in, UTF-8 out).
std::string LoginName() {
  const GlobalInfo& login = Login();
  const std::size_t nick = strnlen(login.szNickName, sizeof login.szNickName);
  if (nick > 0 && !(nick == 1 && login.szNickName[0] == 'N'))
    return YndCodeConvert::G2u(std::string_view(login.szNickName, nick));
  return YndCodeConvert::G2u(std::string_view(login.szUserName, strnlen(login.szUserName, sizeof login.szUserName)));
}

}  // namespace

BottomUI::BottomUI(DDZGameView* pGameView) : YndGameLayer(nullptr), m_pGameView(pGameView) {}

BottomUI* BottomUI::create(DDZGameView* pGameView) {
  auto* bar = new BottomUI(pGameView);
  bar->autorelease();
  return bar;
}

void BottomUI::onEnter() {
  YndGameLayer::onEnter();
  for (const char* sheet : kSheets) AddPlist(sheet);
  if (m_pNameLabel == nullptr) Build();
}

void BottomUI::Build() {
  AddIcon(this, "qorvddz_roomui_userinfo_bg.png", kInfoBgPos);
  AddIcon(this, "qorvddz_roomui_userinfo_player_bg.png", kHeadPos);
  char head[40];
  std::snprintf(head, sizeof head, "vevad_head_icon_%d.png", NewPlayerHead::ConvertPlayerIcon(Login().iHeadID));
  m_pHeadSprite = cocos2d::Sprite::createWithSpriteFrameName(head);
  if (m_pHeadSprite != nullptr) {
    m_pHeadSprite->setPosition(kHeadPos);
    m_pHeadSprite->setScale(kHeadScale);
    addChild(m_pHeadSprite);
  }
  AddField(this, kNameFieldPos, cocos2d::Size(240, 40));
  m_pNameLabel = MakeLabel(this, kNamePos);

  m_pLvIcon = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_roomui_lv_1.png");
  if (m_pLvIcon == nullptr) m_pLvIcon = cocos2d::Sprite::create();
  m_pLvIcon->setPosition(kLvIconPos);
  addChild(m_pLvIcon);
  m_pLvNum = cocos2d::ui::TextAtlas::create("", "qorvddz_lv_num.png", 16, 22, "0");
  m_pLvNum->setPosition(kLvNumPos);
  addChild(m_pLvNum);

  BuildSingleFields();
  // The room list's tip strip; a table with no room list shows the classic tips.
  RoomTips* tips = RoomTips::create();
  m_pTips = tips;
  tips->setPosition(kTipsLayerPos);
  addChild(tips, kTipsZ);
  if (auto* tipsBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("qorvddz_bottomui_userinfo_tips.png")) {
    tipsBg->setContentSize(cocos2d::Size(300, 34));
    tipsBg->setPosition(g_ptBottomUITips);
    tips->addChild(tipsBg);
  }
  BuildMoneyFields();
  const bool single = GameViewBase::IsSinglePlayer();
  m_pSingleFields->setVisible(single);
  m_pMoneyFields->setVisible(!single);
}

void BottomUI::BuildSingleFields() {
  m_pSingleFields = cocos2d::Node::create();
  addChild(m_pSingleFields);
  const Vec2* at = g_ptBottomUISingle;
  AddField(m_pSingleFields, at[1], cocos2d::Size(200, 32));
  AddIcon(m_pSingleFields, "zuvoz_userinfo_jf.png", at[1] - Vec2(62, 0));
  AddField(m_pSingleFields, at[2], cocos2d::Size(180, 32));
  AddIcon(m_pSingleFields, "zuvoz_userinfo_shl.png", at[2] - Vec2(52, 0));
  AddIcon(m_pSingleFields, "zuvoz_userinfo_shlb.png", at[2] + Vec2(52, 0));
  // The title's field stops short of the tips strip on the right.
  AddField(m_pSingleFields, at[3], cocos2d::Size(166, 32));
  AddIcon(m_pSingleFields, "zuvoz_userinfo_chh.png", at[3] - Vec2(52, 0));
  m_pTitleLabel = MakeLabel(m_pSingleFields, at[3] + kTitleShift);
  m_pScoreLabel = MakeLabel(m_pSingleFields, at[1]);
  m_pRateLabel = MakeLabel(m_pSingleFields, at[2]);
}

void BottomUI::BuildMoneyFields() {
  m_pMoneyFields = cocos2d::Node::create();
  addChild(m_pMoneyFields);
  AddField(m_pMoneyFields, kMoneyFieldPos, cocos2d::Size(220, 40));
  AddIcon(m_pMoneyFields, "qorvddz_roomui_icon_money.png", kMoneyIconPos);
  m_pMoneyLabel = MakeLabel(m_pMoneyFields, kMoneyPos);
  AddField(m_pMoneyFields, kYBFieldPos, cocos2d::Size(150, 40));
  AddIcon(m_pMoneyFields, "qorvddz_roomui_icon_yb.png", kYBIconPos);
  m_pYBLabel = MakeLabel(m_pMoneyFields, kYBPos);
}

// ---------------------------------------------------------------- values

void BottomUI::SetUIInfo(PlayerNode* pNode) {
  if (GameViewBase::IsSinglePlayer()) {
    const GlobalInfo& login = Login();
    SetUserName(GameText(kSingleNameText));
    if (m_pScoreLabel != nullptr) m_pScoreLabel->setString(std::to_string(login.iSingleGameAmount));
    if (m_pRateLabel != nullptr)
      m_pRateLabel->setString(std::to_string(SingleWinRate(login.iSingleWinNum, login.iSingleLoseNum)));
    if (m_pTitleLabel != nullptr) m_pTitleLabel->setString(GetScoreTitle(login.iSingleGameAmount));
    return;
  }
  if (pNode == nullptr) return;
  SetExp(pNode->iLevel);
  SetYBNum(pNode->iYuanBao);
  SetMoneyNum(pNode->iMoney, false);
  SetUserName(LoginName());
}

void BottomUI::SetUserName(const std::string& strUserName) {
  if (m_pNameLabel != nullptr) m_pNameLabel->setString(strUserName);
}

void BottomUI::SetYBNum(int iYBNum) {
  if (GameViewBase::IsSinglePlayer()) return;
  if (m_pYBLabel != nullptr) m_pYBLabel->setString(std::to_string(iYBNum));
  m_iYBNum = iYBNum;
  if (m_pGameView != nullptr) m_pGameView->SetLobbyPropTips(Login().iUserID, kLobbyPropKind);
}

void BottomUI::SetMoneyNum(int iMoney, bool bPlayAni) {
  if (GameViewBase::IsSinglePlayer()) return;
  m_iMoney = iMoney;
  if (m_pMoneyLabel == nullptr) return;
  m_pMoneyLabel->setString(std::to_string(iMoney));
  if (!bPlayAni) return;
  m_pMoneyLabel->stopAllActions();
  m_pMoneyLabel->setScale(0.8f);
  m_pMoneyLabel->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.1f, 1.0f),
                                                     cocos2d::ScaleTo::create(0.2f, 0.5f),
                                                     cocos2d::ScaleTo::create(0.1f, 0.8f)));
}

void BottomUI::FreshCmpValue(PlayerNode* pNode) {
  if (pNode == nullptr) return;
  if (m_pMoneyLabel != nullptr) m_pMoneyLabel->setString(std::to_string(pNode->iCmpValue[0]));
  if (m_pCmpLabel == nullptr) return;
  char text[160];
  std::snprintf(text, sizeof text, "%d%s%d%s", pNode->iCmpValue[1], GameText(kCmpUnitText[0]).c_str(),
                pNode->iCmpValue[2], GameText(kCmpUnitText[1]).c_str());
  m_pCmpLabel->setString(text);
}

void BottomUI::ClearCmpSelfInfo(bool bClearBagInfo) {
  if (m_pMoneyLabel != nullptr) m_pMoneyLabel->setString("");
  if (bClearBagInfo && m_pCmpLabel != nullptr) m_pCmpLabel->setString("");
}

void BottomUI::ShowBottomSelfInfo(bool bShow) {
  if (!isRunning() || g_bIpadLayout != 0) return;
  if (!isVisible() && bShow) {
    if (getActionByTag(kSlideTag) == nullptr) m_ptPlace = getPosition();
    stopActionByTag(kSlideTag);
    setPosition(m_ptPlace - Vec2(0, kSlideDrop));
    cocos2d::Action* slide = cocos2d::MoveTo::create(kSlideSeconds, m_ptPlace);
    slide->setTag(kSlideTag);
    runAction(slide);
  }
  setVisible(bShow);
}

void BottomUI::SetExp(int iExp) {
  if (m_pLvIcon == nullptr || m_pLvNum == nullptr) return;
  const int level = iExp / 100;
  if (level < 1 || level > kTopBadgeLevel) {
    m_pLvIcon->setVisible(false);
    return;
  }
  char frame[40];
  std::snprintf(frame, sizeof frame, "qorvddz_roomui_lv_%d.png", level);
  m_pLvIcon->setSpriteFrame(frame);
  m_pLvIcon->setVisible(true);
  if (level < kTopBadgeLevel) m_pLvNum->setString(std::to_string(iExp % 100));
  m_pLvNum->setVisible(level < kTopBadgeLevel);
}
