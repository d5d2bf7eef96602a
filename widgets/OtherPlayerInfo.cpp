#include "widgets/OtherPlayerInfo.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/MagicExpressLayer.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/PackInfoBase.h"
#include "platform/gamebase/GameRecords.h"
#include "platform/gamebase/GameSceneBase.h"
#include "table/DDZGameView.h"
#include "widgets/PlayerTitles.h"

namespace {

using cocos2d::Vec2;

const cocos2d::Size kSingleBgSize(264, 144);
const cocos2d::Size kNetBgSize(356, 346);
constexpr float kNetBgDrop = 90;     // the networked popup sits this much lower
constexpr float kNetLinesRise = 200; // and its lines this much higher in it
const Vec2 kFirstLineShift(-18, -2);
constexpr float kFontSize = 24;
const cocos2d::Color3B kTextColor(2, 60, 81);
const Vec2 kLevelDigitsPos(19, 18);
constexpr int kLevelDigitWidth = 13;
constexpr int kLevelDigitHeight = 16;
constexpr int kLevelUnit = 100;
// Views of this game kind, and logins of these game kinds, hide names.
constexpr int kHiddenNameViewKind = 4;
constexpr int kHiddenNameLoginKinds[] = {7, 8};
constexpr const char* kUnnamedMark = "N";
// The expression panel's top-left: x, and the rise above the third line.
constexpr float kMagicLeft = 18;
constexpr float kMagicRise = 167;

std::string Field(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

}  // namespace

OtherPlayerInfo::OtherPlayerInfo(int iTablePos, DDZGameView* pView) : m_iTablePos(iTablePos), m_pView(pView) {}

DDZGameView* OtherPlayerInfo::View() const {
  if (m_pView != nullptr) return m_pView;
  return dynamic_cast<DDZGameView*>(GameSceneBase::m_pGameView);
}

void OtherPlayerInfo::onEnter() {
  YndGameLayer::onEnter();
  if (m_pBg != nullptr) return;  // built on the first entry
  AddPlist(kSheet);
  m_pLevel = nullptr;
  if (GameViewBase::IsSinglePlayer()) {
    m_pBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kSingleBg);
    if (m_pBg != nullptr) m_pBg->setPreferredSize(kSingleBgSize);
    m_bMagic = 0;
  } else {
    m_pBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kNetBg, MakeRect(87, 130, 30, 3));
    if (m_pBg != nullptr) {
      m_pBg->setPreferredSize(kNetBgSize);
      m_pMagicLayer = new MagicExpressLayer();  // the popup's own reference, given up in onExit
      m_pMagicLayer->SetPropTopLeftPos(Vec2(kMagicLeft, g_ptOtherPlayerInfoLable[2].y + kMagicRise));
      m_pMagicLayer->AddExpressCallBack([this](int propId, int fromUserId, int toUserId) {
        if (DDZGameView* view = View()) view->CallBackSendUseMagicExpress(propId, fromUserId, toUserId);
      });
      m_pBg->addChild(m_pMagicLayer);
    }
    m_bMagic = 1;
  }
  if (m_pBg == nullptr) {
    cocos2d::log("OtherPlayerInfo: no popup background for seat %d", m_iTablePos);
    setVisible(false);
    return;
  }
  const int seat = m_iTablePos >= 0 && m_iTablePos < 4 ? m_iTablePos : kOwnSeat;
  m_pBg->setPosition(g_ptOtherPlayerInfoBG[seat] + Vec2(0, -kNetBgDrop * static_cast<float>(m_bMagic)));
  addChild(m_pBg);
  for (int i = 0; i < kLines; ++i) {
    m_pLabel[i] = cocos2d::Label::createWithSystemFont("", g_strSystemFont, kFontSize);
    m_pLabel[i]->setAnchorPoint(Vec2(0, 0.5f));
    m_pLabel[i]->setColor(kTextColor);
    Vec2 pos = g_ptOtherPlayerInfoLable[i] + Vec2(0, kNetLinesRise * static_cast<float>(m_bMagic));
    if (i == 0) pos += kFirstLineShift;
    m_pLabel[i]->setPosition(pos);
    m_pBg->addChild(m_pLabel[i]);
  }
  setVisible(false);
}

void OtherPlayerInfo::onExit() {
  YndGameLayer::onExit();
  if (m_pMagicLayer != nullptr) m_pMagicLayer->release();
  m_pMagicLayer = nullptr;
}

void OtherPlayerInfo::IniPlayerInfo(PlayerNode* pPlayer) {
  if (pPlayer == nullptr || !isRunning() || m_pBg == nullptr) return;
  if (GameViewBase::IsSinglePlayer() && m_iTablePos == kOwnSeat) {
    m_pLabel[0]->setString(GameText(kTextOwnSingleName));
    const int amount = GameViewBase::m_GlobalInfo.iSingleGameAmount;
    m_pLabel[1]->setString(GetScoreTitle(amount));
    m_pLabel[2]->setString(std::to_string(amount));
  } else if (GameViewBase::IsSinglePlayer()) {
    // A computer seat: the name the table gave it. The local server keeps no
    // score for it, so it has no title and no count (the player's own are
    // not its).
    const std::string nick = Field(pPlayer->szNickName, sizeof(pPlayer->szNickName));
    m_pLabel[0]->setString(YndCodeConvert::G2u(
        nick.empty() ? Field(pPlayer->szUserName, sizeof(pPlayer->szUserName)) : nick));
    m_pLabel[1]->setString("");
    m_pLabel[2]->setString("");
  } else {
    DDZGameView* view = View();
    bool hidden = view != nullptr && view->GetGameKind() == kHiddenNameViewKind;
    for (int kind : kHiddenNameLoginKinds) hidden = hidden || GameViewBase::m_GlobalInfo.iGameKind == kind;
    std::string name;
    if (hidden) {
      name = m_iTablePos == kOwnSeat ? (view != nullptr ? view->GetOwnLoginName() : std::string())
                                     : GameText(kTextHiddenName);
    } else {
      const bool nick = view != nullptr && view->ShowsNickNames();
      name = nick ? YndCodeConvert::G2u(Field(pPlayer->szNickName, sizeof(pPlayer->szNickName)))
                  : YndCodeConvert::G2u(Field(pPlayer->szUserName, sizeof(pPlayer->szUserName)));
      if (name == kUnnamedMark) name = GameText(kTextUnnamed);
    }
    m_pLabel[1]->setString(name);
    m_pLabel[2]->setString(GetMoneyTitle(pPlayer->iMoney));
    ShowLevelBadge(pPlayer->iLevel);
    if (m_pMagicLayer != nullptr) m_pMagicLayer->SetUserInfo(GameViewBase::m_GlobalInfo.iUserID, pPlayer->iUserID);
  }
  FitLabelToWidth(m_pLabel[1], kNameMaxWidth);
}

void OtherPlayerInfo::ShowLevelBadge(int levelValue) {
  if (m_pLevel != nullptr) {
    m_pLevel->removeFromParentAndCleanup(true);
    m_pLevel = nullptr;
  }
  const int level = levelValue / kLevelUnit;
  if (level < 1 || level > kTopLevel) return;
  char frame[32];
  std::snprintf(frame, sizeof(frame), kLevelFormat, level);
  m_pLevel = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (m_pLevel == nullptr) return;
  m_pLevel->setPosition(g_ptOtherPlayerInfoLable[0] + Vec2(0, kNetLinesRise * static_cast<float>(m_bMagic)));
  m_pBg->addChild(m_pLevel);
  if (levelValue < kTopLevel * kLevelUnit) {
    auto* digits = cocos2d::ui::TextAtlas::create(std::to_string(levelValue % kLevelUnit), kLevelDigits,
                                                  kLevelDigitWidth, kLevelDigitHeight, "0");
    digits->setPosition(kLevelDigitsPos);
    m_pLevel->addChild(digits);
  }
}

void OtherPlayerInfo::ShowInfo(bool bShow) {
  unscheduleUpdate();
  if (isVisible() && bShow) {
    setVisible(false);
    return;
  }
  setVisible(bShow);
  if (!bShow) return;
  if (m_pMagicLayer != nullptr) {
    int counts[MagicExpressLayer::kPropCount] = {};
    DDZGameView* view = View();
    PackInfoBase* pack = view != nullptr ? view->m_pPackInfo.get() : nullptr;
    for (int i = 0; i < MagicExpressLayer::kPropCount; ++i) counts[i] = pack ? pack->GetPropNum(kMagicPropIds[i]) : 0;
    m_pMagicLayer->UpdatePropNum(counts);
    m_pMagicLayer->UpdateUserMoney(GameViewBase::m_GlobalInfo.iMoney);
  }
  m_uShowTime = GetTime();
  scheduleUpdate();
}

void OtherPlayerInfo::update(float) {
  if (GetTime() - m_uShowTime < kAutoCloseMs) return;
  setVisible(false);
  unscheduleUpdate();
}
