#include "classic/RoomUI.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "classic/GameViewPC.h"
#include "classic/RoomSysBtn.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndLocalData.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "platform/os/Clock.h"
#include "widgets/AllGameRuleLayer.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/PopBtnList.h"
#include "widgets/SetLayer.h"

using cocos2d::Size;
using cocos2d::Vec2;

namespace {

RoomUI* g_pRoomUI = nullptr;  // one reference, the process's

// The user info along the top of the window.
constexpr float kTopY = 678;
const Vec2 kInfoBgPos(640, kTopY);
const Vec2 kHeadPos(56, kTopY);
constexpr float kHeadScale = 0.8f;
const Vec2 kBadgePos(126, kTopY + 2);
const Vec2 kNamePos(290, kTopY);
const Size kNameBox(240, 40);
const Vec2 kMoneyIconPos(458, kTopY);
const Vec2 kMoneyPos(580, kTopY);
const Size kMoneyBox(220, 40);
const Vec2 kYBIconPos(730, kTopY);
const Vec2 kYBPos(830, kTopY);
const Size kYBBox(150, 40);
constexpr float kFigureFontSize = 24;

const char* const kSheets[] = {"qorvddz_res_room_ui.plist", "lobbyNewVac.plist", "vevad_res_head_icon.plist"};

cocos2d::Sprite* AddSprite(cocos2d::Node* parent, const char* frame, const Vec2& at, int z = 0) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (sprite == nullptr) return nullptr;
  sprite->setPosition(at);
  parent->addChild(sprite, z);
  return sprite;
}

cocos2d::Label* AddField(cocos2d::Node* parent, const Vec2& at, const Size& box, const std::string& text) {
  if (auto* bg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("qorvddz_roomui_item_bg.png")) {
    bg->setPreferredSize(box);
    bg->setPosition(at);
    parent->addChild(bg, -1);
  }
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont(text, g_strFontName, kFigureFontSize);
  label->setPosition(at);
  parent->addChild(label, 1);
  return label;
}

std::string LoginName() {
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  const std::size_t nick = strnlen(info.szNickName, sizeof info.szNickName);
  if (nick > 0) return YndCodeConvert::G2u(std::string_view(info.szNickName, nick));
  return YndCodeConvert::G2u(std::string_view(info.szUserName, strnlen(info.szUserName, sizeof info.szUserName)));
}

std::uint32_t ReadU32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

int ReadU16(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<int>(b[0]) | static_cast<int>(b[1]) << 8;
}

}  // namespace

// ---------------------------------------------------------------- the one panel

RoomUI* RoomUI::create(int mode) {
  if (mode == kModeCurrent) return g_pRoomUI;
  if (g_pRoomUI != nullptr && !g_pRoomUI->isRunning()) {
    g_pRoomUI->m_iMode = mode;
    return g_pRoomUI;
  }
  if (g_pRoomUI != nullptr) {
    // A running panel leaves its parent; the process's reference goes once.
    RoomUI* old = g_pRoomUI;
    g_pRoomUI = nullptr;
    old->removeFromParent();
    old->autorelease();
  }
  auto* panel = new (std::nothrow) RoomUI(mode);
  if (panel == nullptr) return nullptr;
  panel->init();
  g_pRoomUI = panel;
  return panel;
}

void RoomUI::destroyInstance() {
  if (g_pRoomUI == nullptr) return;
  RoomUI* old = g_pRoomUI;
  g_pRoomUI = nullptr;
  old->removeFromParent();
  old->release();
}

AllGameRuleLayer* RoomUI::SharedAllGameRule() {
  static AllGameRuleLayer* dialog = nullptr;
  if (dialog == nullptr) {
    dialog = AllGameRuleLayer::create();
    dialog->retain();
  }
  return dialog;
}

RoomUI::RoomUI(int mode) : YndGameLayer(nullptr), m_iMode(mode) { ShowAward::SetRoomPanel(this); }

RoomUI::~RoomUI() {
  // A panel replaced while running has registered its successor already.
  if (ShowAward::GetRoomPanel() == this) ShowAward::SetRoomPanel(nullptr);
}

// ---------------------------------------------------------------- on the stage

void RoomUI::onEnter() {
  YndGameLayer::onEnter();
  if (m_iMode == kModeNothing) return;
  for (const char* sheet : kSheets) AddPlist(sheet);
  if (m_pMenu == nullptr) {
    m_pMenu = PopBtnList::create("qorvddz_room_set_btn_show.png", "qorvddz_room_set_btn_bg.png");
    m_pMenu->AddButton([this](cocos2d::Ref* s) { OnQuitClick(s); }, "qorvddz_room_set_btn_quit.png", "", "");
    m_pMenu->AddButton([this](cocos2d::Ref* s) { OnSettingClick(s); }, "qorvddz_room_set_btn_close.png", "", "");
    m_pMenu->AddButton([this](cocos2d::Ref* s) { OnHelpClick(s); }, "qorvddz_room_set_btn_help.png", "", "");
    m_pMenu->setPosition(g_ptRoomShowSysBtn);
    addChild(m_pMenu, 10);
  }
  // The frame outlives a panel: its help button asks for the panel there is.
  PCBaseFrame::SharedPCBaseFrame()->SetHelpBtnCallBack([](cocos2d::Ref* s) {
    if (RoomUI* panel = RoomUI::create(kModeCurrent)) panel->OnHelpClick(s);
  });
  // The login record's room value and names may have changed while the list
  // was away (a room entered): the user info is drawn anew at every entry.
  BuildUserInfo();
  if (m_pSysBtn == nullptr) {
    m_pSysBtn = RoomSysBtn::create();
    m_pSysBtn->setPosition(Vec2(RoomSysBtn::kX, static_cast<float>(BasePT::g_iWindowHeight) - RoomSysBtn::kBelowTop));
    addChild(m_pSysBtn);
  }
  FreshUserInfo();
}

void RoomUI::onExit() { YndGameLayer::onExit(); }

int RoomUI::BadgeLevel(int roomValue) { return roomValue / 100 / 100; }

int RoomUI::BadgeNumber(int roomValue) {
  const int level = BadgeLevel(roomValue);
  return level >= 1 && level <= 4 ? roomValue / 100 - level * 100 : -1;
}

void RoomUI::BuildUserInfo() {
  if (m_pUserInfo != nullptr) m_pUserInfo->removeFromParent();
  m_pBadge = nullptr;
  m_pBadgeNum = nullptr;
  m_pUserInfo = cocos2d::Node::create();
  addChild(m_pUserInfo, kZUserInfo);  // under the menu and the system buttons
  cocos2d::Node* info = m_pUserInfo;
  AddSprite(info, "qorvddz_roomui_userinfo_bg.png", kInfoBgPos, -10);
  AddSprite(info, "qorvddz_roomui_userinfo_player_bg.png", kHeadPos, -5);
  char head[40];
  std::snprintf(head, sizeof head, "vevad_head_icon_%d.png",
                NewPlayerHead::ConvertPlayerIcon(GameViewBase::m_GlobalInfo.iHeadID));
  if (cocos2d::Sprite* sprite = AddSprite(info, head, kHeadPos)) sprite->setScale(kHeadScale);

  const GameSceneBase* scene = GameSceneBase::m_pGameScene;
  const int roomValue = scene != nullptr ? scene->GetLoginRoomValue() : 0;
  const int level = BadgeLevel(roomValue);
  if (level >= 1 && level <= 5) {
    char badge[40];
    std::snprintf(badge, sizeof badge, "qorvddz_roomui_lv_%d.png", level);
    m_pBadge = AddSprite(info, badge, kBadgePos, 1);
  }
  if (const int number = BadgeNumber(roomValue); number >= 0) {
    m_pBadgeNum = cocos2d::ui::TextAtlas::create(std::to_string(number), "qorvddz_lv_num.png", 16, 22, "0");
    m_pBadgeNum->setPosition(kBadgePos);
    info->addChild(m_pBadgeNum, 2);
  }

  m_pNameLabel = AddField(info, kNamePos, kNameBox, LoginName());
  AddSprite(info, "qorvddz_roomui_icon_money.png", kMoneyIconPos, 1);
  m_pMoneyLabel = AddField(info, kMoneyPos, kMoneyBox, "");
  AddSprite(info, "qorvddz_roomui_icon_yb.png", kYBIconPos, 1);
  m_pYBLabel = AddField(info, kYBPos, kYBBox, "");
}

void RoomUI::FreshUserInfo() {
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  if (m_pMoneyLabel != nullptr) m_pMoneyLabel->setString(std::to_string(info.iMoney));
  if (m_pYBLabel != nullptr) m_pYBLabel->setString(std::to_string(info.iYuanBao));
}

// ---------------------------------------------------------------- the menu

void RoomUI::OnQuitClick(cocos2d::Ref*) {
  if (m_iMode != kModeRoomList) return;
  if (RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr)) list->QuitRoomList(nullptr);
}

void RoomUI::OnSettingClick(cocos2d::Ref*) {
  SetLayer* settings = SetLayer::shareSetLayer(SetLayer::kFromRoomList, 1);
  if (!settings->isRunning()) {
    if (settings->getParent() != nullptr) settings->removeFromParent();
    addChild(settings, kZSettings);
  } else {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(settings, settings->getParent());
  }
}

void RoomUI::OnHelpClick(cocos2d::Ref*) {
  RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr);
  if (list == nullptr) return;
  const int gameId = list->GetGameID();
  cocos2d::Node* dialog = nullptr;
  if (gameId != kAllRulesGame) {
    dialog = GameViewPC::SharedGameRule();
  } else {
    dialog = SharedAllGameRule();
  }
  if (!dialog->isRunning()) {
    if (dialog->getParent() != nullptr) dialog->removeFromParent();
    list->addChild(dialog, kZRules);
  }
  if (gameId != kAllRulesGame) GameViewPC::SharedGameRule()->ShowGameRule(gameId);
}

// ---------------------------------------------------------------- the reply 41009

bool RoomUI::ReadChangeMoneyReply(const char* reply, int len, int now, RoomListLayer::ChangeMoneyControlInfo& info) {
  if (reply == nullptr || len < kChangeMoneyReplySize) return false;
  const std::uint32_t bits = ReadU32(reply);
  RoomListLayer::ChangeMoneyControlInfo read;
  read.bOpen = (bits >> 8) & 1u;
  read.bFirstVac = (bits >> 19) & 1u;
  read.iKind = static_cast<unsigned char>(reply[0]);
  read.iRate = ReadU16(reply + 4);
  read.iMin = ReadU16(reply + 6);
  for (int i = 0; i < 4; ++i) read.bSwitch[i] = (bits >> (9 + i)) & 1u;
  read.iStep = ReadU16(reply + 8);
  read.iMax = ReadU16(reply + 10);
  read.iLimit = ReadU16(reply + 16);
  read.iTime = now;
  read.iExtra = ReadU16(reply + 18);
  info = read;
  return true;
}

void RoomUI::CallBackAsyncHttpRes(const char* reply, int len, const char*, int msgId, int error) {
  if (msgId != kChangeMoneyReply || error != 0) return;
  RoomListLayer::ChangeMoneyControlInfo& info = RoomListLayer::m_defChangeMoneyControlInfo;
  const int now = static_cast<int>(ddz::os::Clock().WallTimeSeconds());
  if (!ReadChangeMoneyReply(reply, len, now, info)) {
    cocos2d::log("RoomUI: reply 41009 of %d bytes refused", len);
    return;
  }
  char key[64];
  std::snprintf(key, sizeof key, "%s_%d", "lobby_first_vac2", GameViewBase::m_GlobalInfo.iUserID);
  if (YndLocalData::sharedLocalData()->getIntegerForKey(key, 0) == 1) info.bFirstVac = false;
}
