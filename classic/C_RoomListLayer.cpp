// C_RoomListLayer: the screen, the buttons and entering a room. The lobby's
// returns, the web replies and the invitation buttons: C_RoomListWeb.cpp.
#include "classic/C_RoomListLayer.h"

#include <ctime>
#include <string>

#include "classic/C_RoomBtn.h"
#include "classic/RoomOrder.h"
#include "classic/RoomUI.h"
#include "gamedata/GameKinds.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Text.h"
#include "table/GameSoundDDZ.h"
#include "widgets/AllGameRuleLayer.h"
#include "widgets/RoomTips.h"

using cocos2d::Vec2;

namespace {

constexpr int kFourPlayerGame = 48;
constexpr int kSuperGame = 52;
constexpr int kDayFirstHour = 7;
constexpr int kDayLastHour = 17;
const cocos2d::Color3B kTipsColour(136, 234, 255);
constexpr float kTipsFontSize = 22;

// The quick start's glow and its two sets of four sparkles.
constexpr float kGlowStep = 0.5833f;
const Vec2 kSparklePos[4] = {Vec2(30, 70), Vec2(150, 74), Vec2(190, 24), Vec2(56, 18)};
constexpr float kSparkleScale[4] = {0.6f, 0.67f, 0.7f, 0.88f};
const char* const kSparkleFrames[2] = {"qorvddz_roomui_quickstart_ani_lz_1.png",
                                       "qorvddz_roomui_quickstart_ani_lz_2.png"};

void PlayRoomSound(int number, bool music) {
  char path[32];
  std::snprintf(path, sizeof path, "ddzSound/%d.mp3", number);
  if (music) {
    SoundManage::shareSoundManage()->PlayMusicByFile(path, true);
  } else {
    SoundManage::shareSoundManage()->PlaySoundByFile(path);
  }
}

}  // namespace

C_RoomListLayer::C_RoomListLayer(int gameId) : m_iGameID(gameId) {
  init();
  shareRoomListLayer(this);
  SendWebQueries();
}

C_RoomListLayer::~C_RoomListLayer() {
  if (OsApiBase::shareOsApi()->GetLobbyView() == this) OsApiBase::shareOsApi()->SetLobbyView(nullptr);
  if (m_pTips != nullptr) m_pTips->release();
}

int C_RoomListLayer::Money() const { return GameViewBase::m_GlobalInfo.iMoney; }

int C_RoomListLayer::LocalHour() {
  const std::time_t now = static_cast<std::time_t>(GetNowTime());
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_hour;
}

// ---------------------------------------------------------------- the screen

void C_RoomListLayer::AddScreenNode(cocos2d::Node* node, int z) {
  if (node == nullptr) return;
  addChild(node, z);
  m_vcScreenNodes.pushBack(node);
}

void C_RoomListLayer::onEnter() {
  PlayRoomSound(kSoundEnter, false);
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  PlayRoomSound(kMusicRoom, true);
  if (m_iGameID == kSuperGame) RoomUI::SharedAllGameRule()->ClearGames();

  OsApiBase::shareOsApi()->SetLobbyView(this);
  if (GameSceneBase::m_pGameView != nullptr && GameSceneBase::m_pGameView->m_bChangeOrientation != 0) {
    if (GameSceneBase::m_pGameScene != nullptr) GameSceneBase::m_pGameScene->ChangeDeviceOrientation(false);
    GameSceneBase::m_pGameView->m_bChangeOrientation = 0;
  }

  setTouchEnabled(true, false);
  AddPlist("vellddz_res_room.plist");
  RoomListLayer::onEnter();  // builds the buttons (BuildRoomBtns)
  m_bEntered = 1;

  BuildBackground();
  setKeypadEnabled(true);

  if (RoomUI* panel = RoomUI::create(RoomUI::kModeRoomList)) {
    if (panel->getParent() != nullptr) panel->removeFromParent();
    AddScreenNode(panel, kZPanel);
  }
  if (m_pTips == nullptr) {
    m_pTips = RoomTips::create();
    m_pTips->retain();
    m_pTips->SetFontSize(kTipsFontSize);
    m_pTips->setColor(kTipsColour);
  }
  m_pTips->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth) / 2, g_ptTipsBg.y));
  AddScreenNode(m_pTips, kZTips);
  if (cocos2d::Sprite* bg = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_roomui_tips_bg.png")) {
    bg->setPosition(m_pTips->getPosition());
    AddScreenNode(bg, -1);
  }
  if (cocos2d::Sprite* speaker = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_roomui_tips_laba.png")) {
    speaker->setPosition(m_pTips->getPosition() - Vec2(RoomTips::kClipWidth / 2 + 30, 0));
    AddScreenNode(speaker, 1);
  }
  BuildQuickStart();

  m_iInviteGameID = kInviteGameID;
  ShowEnterCompetePopup();
  ShowEnterPYJPopup();

  const int playServer = YndLocalData::sharedLocalData()->getIntegerForKey(kKeyPlayServer, 0);
  const bool listed = playServer >= 1 && LastRoomWhere([playServer](const RoomItemInfo& r) {
                        return r.pServerInfo->iServerID == playServer;
                      }) != nullptr;
  if (listed) {
    AddNextFrameToDo(&C_RoomListLayer::EnterLobbyPlayServer);
  } else {
    EnterFirstTime();
  }
}

void C_RoomListLayer::onExit() {
  RoomListLayer::onExit();
  for (cocos2d::Node* node : m_vcScreenNodes) {
    if (node->getParent() == this) node->removeFromParent();
  }
  m_vcScreenNodes.clear();
  m_pBackground = nullptr;
  m_pQuickStartBtn = nullptr;
  if (m_pCompeteBtn != nullptr) m_pCompeteBtn->removeFromParent();
  if (m_pPYJBtn != nullptr) m_pPYJBtn->removeFromParent();
  m_pCompeteBtn = nullptr;
  m_pPYJBtn = nullptr;
  if (OsApiBase::shareOsApi()->GetLobbyView() == this) OsApiBase::shareOsApi()->SetLobbyView(nullptr);
}

void C_RoomListLayer::onKeyPressed(cocos2d::EventKeyboard::KeyCode keyCode, cocos2d::Event*) {
  if (keyCode == cocos2d::EventKeyboard::KeyCode::KEY_BACK) QuitRoomList(nullptr);
}

void C_RoomListLayer::BuildBackground() {
  if (m_iGameID == kFourPlayerGame || m_iGameID == kSuperGame) {
    m_pBackground = YndImageSprite::spriteWithFile("veriz_bg.jpg");
    if (m_pBackground != nullptr) {
      m_pBackground->setPosition(Vec2(BasePT::g_iWindowWidth / 2.0f, BasePT::g_iWindowHeight / 2.0f));
      AddScreenNode(m_pBackground, -100);
    }
    if (cocos2d::Sprite* table = cocos2d::Sprite::createWithSpriteFrameName("veriz_table.png")) {
      table->setPosition(g_ptBgTable);
      AddScreenNode(table, -50);
    }
    if (cocos2d::Sprite* chair = cocos2d::Sprite::createWithSpriteFrameName("veriz_chair.png")) {
      chair->setPosition(g_ptBgChair);
      AddScreenNode(chair, -60);
    }
  } else {
    const int hour = LocalHour();
    const bool day = hour >= kDayFirstHour && hour <= kDayLastHour;
    m_pBackground = YndImageSprite::spriteWithFile(day ? "qorvddz_bg_day.jpg" : "qorvddz_bg_night.jpg");
    if (m_pBackground != nullptr) {
      m_pBackground->setPosition(Vec2(BasePT::g_iWindowWidth / 2.0f, BasePT::g_iWindowHeight / 2.0f));
      AddScreenNode(m_pBackground, -10);
    }
  }
  AddScreenNode(cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 128)), -9);
}

void C_RoomListLayer::BuildQuickStart() {
  m_pQuickStartBtn = cocos2d::ui::Button::create("qorvddz_roomui_quick_start.png", "", "",
                                                 cocos2d::ui::Widget::TextureResType::PLIST);
  m_pQuickStartBtn->setPosition(g_ptQuickStart);
  m_pQuickStartBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnQuickStart(sender); });
  AddScreenNode(m_pQuickStartBtn, kZQuickStart);
  const cocos2d::Size size = m_pQuickStartBtn->getContentSize();

  if (cocos2d::Sprite* glow = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_roomui_quickstart_ani_qorv.png")) {
    glow->setBlendFunc(cocos2d::BlendFunc{cocos2d::GL_SRC_ALPHA, cocos2d::GL_ONE});
    glow->setPosition(Vec2(size.width / 2, size.height / 2));
    glow->runAction(cocos2d::RepeatForever::create(cocos2d::Sequence::create(
        cocos2d::FadeTo::create(kGlowStep, 128), cocos2d::FadeTo::create(kGlowStep, 255), nullptr)));
    m_pQuickStartBtn->addChild(glow, 1);
  }
  for (const char* frame : kSparkleFrames) {
    for (int i = 0; i < 4; ++i) {
      cocos2d::Sprite* sparkle = cocos2d::Sprite::createWithSpriteFrameName(frame);
      if (sparkle == nullptr) continue;
      sparkle->setBlendFunc(cocos2d::BlendFunc{cocos2d::GL_SRC_ALPHA, cocos2d::GL_ONE});
      sparkle->setOpacity(0);
      sparkle->setScale(kSparkleScale[i]);
      sparkle->setPosition(kSparklePos[i]);
      sparkle->runAction(cocos2d::RepeatForever::create(cocos2d::Sequence::create(
          cocos2d::DelayTime::create(i / 3.0f), cocos2d::FadeTo::create(0.125f, 0),
          cocos2d::FadeTo::create(0.125f, 255), cocos2d::DelayTime::create(((3 - i) * 8 + 4) / 24.0f), nullptr)));
      m_pQuickStartBtn->addChild(sparkle, 2);
    }
  }
}

// A user's first entry (login-record room value 10100) starts a game at once.
void C_RoomListLayer::EnterFirstTime() {
  const GameSceneBase* scene = GameSceneBase::m_pGameScene;
  if (scene == nullptr || scene->GetLoginRoomValue() != 10100) return;
  char key[64];
  std::snprintf(key, sizeof key, kKeyFirstInto, GameViewBase::m_GlobalInfo.iFirstIntoKind,
                GameViewBase::m_GlobalInfo.iUserID);
  YndLocalData* store = YndLocalData::sharedLocalData();
  if (store->getIntegerForKey(key, 0) != 0) return;
  store->setIntegerForKey(key, 1);
  store->flush();
  AddNextFrameToDo([this] { OnQuickStart(nullptr); });
}

// ---------------------------------------------------------------- sounds

void C_RoomListLayer::PlayRoomMusic() {
  GameSoundDDZ::shareGameSoundDDZ();
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  PlayRoomSound(kMusicRoom, true);
}

void C_RoomListLayer::DailyScreenSetRecord() {
  GameSoundDDZ::shareGameSoundDDZ();
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  if (g_iGameViewType != ddz::kViewClassic) return;
  const std::time_t now = static_cast<std::time_t>(GetNowTime());
  std::tm local{};
  localtime_r(&now, &local);
  const int today = (local.tm_mon + 1) * 100 + local.tm_mday;
  cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
  if (today > store->getIntegerForKey(kKeyScreenSetDate, 0)) {
    store->setIntegerForKey(kKeyScreenSetDate, today);
    store->flush();
  }
}

// ---------------------------------------------------------------- the buttons

void C_RoomListLayer::BuildRoomBtns() { RoomListLayer::BuildRoomBtns(); }

void C_RoomListLayer::FilterRoomItems(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int money) {
  const GameSceneBase* scene = GameSceneBase::m_pGameScene;
  const bool kind22 = scene != nullptr && scene->IsKind22Mapped();
  const ddz::rooms::FilterResult result = ddz::rooms::FilterRooms(listed, all, m_iGameID, kind22, money);
  if (!listed.empty()) m_iFirstRoomMinMoney = result.firstRoomMinMoney;
  if (result.fewRooms) m_bFewRooms = 1;
}

RoomBtn* C_RoomListLayer::CreateRoomBtn(RoomItemInfo* room) { return C_RoomBtn::create(room); }

RoomItemInfo* C_RoomListLayer::ButtonRoom(std::size_t i) const {
  if (i >= m_vcRoomBtn.size() || m_vcRoomBtn[i] == nullptr) return nullptr;
  RoomItemInfo* room = m_vcRoomBtn[i]->GetRoomItemInfo();
  return room != nullptr && room->pServerInfo != nullptr && room->pRuleInfo != nullptr ? room : nullptr;
}

template <class Pick>
RoomItemInfo* C_RoomListLayer::LastRoomWhere(Pick pick) const {
  for (std::size_t i = m_vcRoomBtn.size(); i-- > 0;) {
    RoomItemInfo* room = ButtonRoom(i);
    if (room != nullptr && pick(*room)) return room;
  }
  return nullptr;
}

// ---------------------------------------------------------------- entering a room

void C_RoomListLayer::Ask(const char* key, cocos2d::SEL_MenuHandler confirm) {
  std::string text;
  GetValueStr(text, key, kQuestionFile, kQuestionSection, "");
  GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), 11, this, confirm);
}

void C_RoomListLayer::OnQuickStart(cocos2d::Ref*) {
  const int money = Money();
  auto fitsOpen = [this, money](const RoomItemInfo& r) { return ddz::rooms::Fits(r, money) && CheckRoomTime(&r); };
  RoomItemInfo* room = LastRoomWhere([&](const RoomItemInfo& r) {
    const int roomClass = r.pRuleInfo->iRoomClass;
    return roomClass != ddz::rooms::kRobClass &&
           !(ddz::rooms::IsSuper(r) && roomClass == ddz::rooms::kSuperRoomClass) && fitsOpen(r);
  });
  if (room == nullptr) room = LastRoomWhere(fitsOpen);
  if (room != nullptr) {
    onBtnEnterGame(room);
    return;
  }
  RoomItemInfo* first = ButtonRoom(0);
  if (first == nullptr) return;
  m_iCurRoomClass = first->pRuleInfo->iRoomClass;
  if (money >= first->pRuleInfo->iMaxMoney) {
    Ask(kAskAutoGame, static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::CallBackAutoGame));
  } else if (money < first->pRuleInfo->iMinMoney && CallBackEnterRoomIFShowGameBaseVacLead()) {
    m_iLackMoneyAsk = 0;
    Ask(kAskXinDou, static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::OnLobbyVacConfirm));
  } else {
    onBtnEnterGame(first);
  }
}

void C_RoomListLayer::AskEnterRoom(cocos2d::Ref* sender) {
  auto* node = dynamic_cast<cocos2d::Node*>(sender);
  if (node == nullptr || node->getTag() < 0) return;
  RoomItemInfo* room = ButtonRoom(static_cast<std::size_t>(node->getTag()));
  if (room == nullptr) return;
  const int money = Money();
  m_iCurRoomClass = room->pRuleInfo->iRoomClass;
  if (money >= room->pRuleInfo->iMaxMoney) {
    Ask(kAskAutoGame, static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::CallBackAutoGame));
  } else if (money < room->pRuleInfo->iMinMoney && CallBackEnterRoomIFShowGameBaseVacLead()) {
    Ask(kAskXinDou, static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::OnLobbyVacConfirm));
  } else {
    onBtnEnterGame(room);
  }
}

void C_RoomListLayer::CallBackAutoGame(cocos2d::Ref*) {
  const int money = Money();
  RoomItemInfo* room = LastRoomWhere([this, money](const RoomItemInfo& r) {
    return r.pRuleInfo->iRoomClass == m_iCurRoomClass && ddz::rooms::Fits(r, money) && CheckRoomTime(&r);
  });
  if (room != nullptr) onBtnEnterGame(room);
}

void C_RoomListLayer::EnterLobbyPlayServer() {
  YndLocalData* store = YndLocalData::sharedLocalData();
  const int server = store->getIntegerForKey(kKeyPlayServer, 0);
  if (server < 1) return;
  RoomItemInfo* room = LastRoomWhere([server](const RoomItemInfo& r) { return r.pServerInfo->iServerID == server; });
  if (room == nullptr) return;
  store->setIntegerForKey(kKeyPlayServer, 0);
  store->flush();
  onBtnEnterGame(room);
}

void C_RoomListLayer::OnLobbyVacConfirm(cocos2d::Ref*) { OpenLobbyVac(-1); }

bool C_RoomListLayer::CheckShowDuiHuanBox() {
  switch (GameViewBase::m_iRoomShowDuiHuanBox) {
    case 2: RetLobbyVacLead(4, 10); return true;
    case 3: OpenLobbyVac(-2); return true;
    default: return false;
  }
}

void C_RoomListLayer::OpenLobbyVac(int) {
  ddz::os::PostLobbyMessage(GameViewBase::m_GlobalInfo.iLobbyWnd, ddz::os::kLobbyMsgOpenVac, 0, 0);
  OsApiCommon::shareOsApiCommon()->ExitGame();
}

void C_RoomListLayer::ShowChangeMoneyTip(int, const char* text) {
  if (RoomUI* panel = RoomUI::create(RoomUI::kModeCurrent); panel != nullptr && panel->isRunning())
    panel->FreshUserInfo();
  std::string tail;
  GetValueStr(tail, "chang_money_txt_6", kQuestionFile, kQuestionSection, "");
  const std::string message = std::string(text != nullptr ? text : "") + "!@" + tail;
  ddz::os::CopyBounded(m_szChangeMoneyTip, sizeof m_szChangeMoneyTip, message);
  AddNextFrameToDo(&C_RoomListLayer::ShowChangeMoneyBox);
}

void C_RoomListLayer::ShowChangeMoneyBox() {
  GameMsgBox::shareMessageBox()->ShowMessage(m_szChangeMoneyTip, 11, this,
                                             static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::OnQuickStart));
}
