#include "platform/gamebase/RoomListLayer.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <new>

#include "platform/engine/Log.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/RoomBtn.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Saturate.h"
#include "platform/os/Text.h"

namespace {
RoomListLayer* g_pRoomList = nullptr;
}  // namespace

std::deque<RoomServerInfo> RoomListLayer::m_vcServerInfo;
std::deque<RoomRuleInfo> RoomListLayer::m_vcRoomTypeInfo;
std::vector<RoomItemInfo> RoomListLayer::m_vcRoomInfo;
std::vector<int> RoomListLayer::m_vcExtraRoomInfoGameID;
int RoomListLayer::m_iExtraRoomInfoFlag = 0;
RoomListLayer::ChangeMoneyControlInfo RoomListLayer::m_defChangeMoneyControlInfo;

RoomListLayer::RoomListLayer() : YndGameLayer(nullptr) {
  for (auto& name : m_szRoomBgImage) ddz::os::CopyBounded(name, sizeof(name), "qorvddz_room_bg_0.png");
}

RoomListLayer::~RoomListLayer() {
  ReleaseButtons();
  ddz::ReleaseScriptHandlers(m_mapLuaHandler);
  if (g_pRoomList == this) g_pRoomList = nullptr;
  if (GameSceneBase::m_pRoomList == this) GameSceneBase::m_pRoomList = nullptr;
}

RoomListLayer* RoomListLayer::shareRoomListLayer(RoomListLayer* list) {
  if (list != nullptr) g_pRoomList = list;
  return g_pRoomList;
}

RoomItemInfo& RoomListLayer::AddRoom(int gameId, const RoomServerInfo& server, const RoomRuleInfo& rule) {
  m_vcServerInfo.push_back(server);
  m_vcRoomTypeInfo.push_back(rule);
  RoomItemInfo item;
  item.iGameID = gameId;
  item.pServerInfo = &m_vcServerInfo.back();
  item.pRuleInfo = &m_vcRoomTypeInfo.back();
  m_vcRoomInfo.push_back(item);
  return m_vcRoomInfo.back();
}

void RoomListLayer::ClearRoomTables() {
  m_vcRoomInfo.clear();
  m_vcServerInfo.clear();
  m_vcRoomTypeInfo.clear();
  m_vcExtraRoomInfoGameID.clear();
}

// ---------------------------------------------------------------- life

void RoomListLayer::onEnter() {
  YndGameLayer::onEnter();
  m_vcAllRoomItem = m_vcRoomInfo;
  BuildRoomBtns();
}

void RoomListLayer::onExit() { YndGameLayer::onExit(); }

void RoomListLayer::ReleaseButtons() {
  for (auto it = m_vcRoomBtn.rbegin(); it != m_vcRoomBtn.rend(); ++it) {
    auto retained = std::find(m_vcRetainedBtn.begin(), m_vcRetainedBtn.end(), *it);
    if (retained == m_vcRetainedBtn.end()) continue;
    m_vcRetainedBtn.erase(retained);
    (*it)->release();
  }
  m_vcRoomBtn.clear();
}

// ---------------------------------------------------------------- buttons

void RoomListLayer::CallBackCreateRoomBtns() {
  // The buttons of an earlier build leave the layer.
  for (RoomBtn* old : m_vcLaidOutBtn) {
    if (std::find(m_vcRoomBtn.begin(), m_vcRoomBtn.end(), old) == m_vcRoomBtn.end() && old->getParent() == this) {
      removeChild(old, true);
    }
  }
  m_vcLaidOutBtn.clear();
  m_vcRetainedBtn.clear();

  const int count = static_cast<int>(m_vcRoomBtn.size());
  if (count == 0) return;
  const int columns = std::min(count, kGridColumns);
  const int rows = (count + columns - 1) / columns;
  const float x0 = static_cast<float>(BasePT::g_iWindowWidth / 2) - (columns - 1) * kGridStepX / 2;
  const float y0 = static_cast<float>(BasePT::g_iWindowHeight / 2) + (rows - 1) * kGridStepY / 2 + kGridRise;
  for (int i = 0; i < count; ++i) {
    RoomBtn* button = m_vcRoomBtn[static_cast<std::size_t>(i)];
    if (button == nullptr) continue;
    button->retain();
    m_vcRetainedBtn.push_back(button);
    if (button->getParent() == nullptr) addChild(button, 10);
    button->SetGridSlot(i, cocos2d::Vec2(x0 + static_cast<float>(i % columns) * kGridStepX,
                                         y0 - static_cast<float>(i / columns) * kGridStepY));
    m_vcLaidOutBtn.pushBack(button);
  }
}

// ---------------------------------------------------------------- rooms

bool RoomListLayer::CheckRoomTime(const RoomItemInfo* room) {
  if (room == nullptr) return false;
  const RoomServerInfo* server = room->pServerInfo;
  if (server == nullptr || server->iHours >= 24) return true;
  if (server->iHours <= 0) return false;
  const std::time_t now = static_cast<std::time_t>(GetNowTime());
  std::tm local{};
  localtime_r(&now, &local);
  const int start = ((server->iStartHour % 24) + 24) % 24;
  const int sinceStart = (local.tm_hour - start + 24) % 24;
  return sinceStart < server->iHours;
}

void RoomListLayer::onBtnEnterGame(RoomItemInfo* room) {
  if (room == nullptr || room->pServerInfo == nullptr || room->pRuleInfo == nullptr) {
    cocos2d::log("onBtnEnterGame: room without records ignored");
    return;
  }
  SetCurRoom(*room);
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  info.iServerID = room->pServerInfo->iServerID;
  if (room->pServerInfo->szServerIP[0] != '\0') {
    ddz::os::CopyBounded(info.szServerIP, sizeof(info.szServerIP), room->pServerInfo->szServerIP);
    info.iServerPort = room->pServerInfo->iServerPort;
  }
  cocos2d::log("onBtnEnterGame GameID %d ServerID %d", room->iGameID, room->pServerInfo->iServerID);
  AddNextFrameToDo(&RoomListLayer::EnterGame);
}

void RoomListLayer::SetCurRoom(const RoomItemInfo& room) {
  m_CurRoom = room;
  m_iCurRoomValue = ddz::os::SaturatingAdd(ddz::os::SaturatingMul(room.iGameID, 10000),
                                           ddz::os::SaturatingMul(room.pRuleInfo->iRoomClass, 100));
  // The login record keeps the room entered.
  if (GameSceneBase::m_pGameScene != nullptr) GameSceneBase::m_pGameScene->SetLoginRoomValue(m_iCurRoomValue);
}

void RoomListLayer::EnterGame() {
  GameSceneBase* scene = GameSceneBase::m_pGameScene;
  if (scene == nullptr) {
    cocos2d::log("EnterGame: no game scene");
    return;
  }
  // The scene settles the table for the room first: a room of another kind
  // may replace the view, and the client version and entry flag follow the
  // room. Then the view that stands is shown and logs in.
  scene->EnterGameKind(scene->GetGameID(), kEnterModeRoomList);
  GameViewBase* view = GameSceneBase::m_pGameView;
  if (view == nullptr) {
    cocos2d::log("EnterGame: no table view to enter");
    return;
  }
  // A table left in this frame (its removal still queued) leaves now, so it
  // enters anew instead of going at the frame's end.
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveNowIfQueued(view);
  if (view->getParent() == nullptr) scene->addChild(view, 0);
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, nullptr);
  view->ClearDataBeforeEnter();
  view->IniMainSocketAuthen();
}

bool RoomListLayer::EnterLockServer(int serverId, RoomItemInfo* room) {
  const RoomServerInfo* server = nullptr;
  for (const RoomServerInfo& s : m_vcServerInfo) {
    if (s.iServerID == serverId && s.szServerIP[0] != '\0') {
      server = &s;
      break;
    }
  }
  if (server == nullptr) {
    cocos2d::log("EnterLockServer %d: no such server in the room tables", serverId);
    return false;
  }
  if (GameSceneBase::m_pGameScene == nullptr || GameSceneBase::m_pGameView == nullptr || GameViewBase::IsSinglePlayer()) {
    cocos2d::log("EnterLockServer %d: no network table view to enter", serverId);
    return false;
  }
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  info.iServerID = server->iServerID;
  ddz::os::CopyBounded(info.szServerIP, sizeof(info.szServerIP), server->szServerIP);
  info.iServerPort = server->iServerPort;
  if (room != nullptr && room->pRuleInfo != nullptr) SetCurRoom(*room);
  if (GameViewBase::GetMainSocket().ConnectServer(info.szServerIP, info.iServerPort, GameViewBase::kConnectSeconds,
                                                  GameViewBase::kConnectTries) < 0) {
    cocos2d::log("EnterLockServer %d: cannot connect to %s:%u", serverId, info.szServerIP,
                 static_cast<unsigned>(info.iServerPort));
    return false;
  }
  cocos2d::log("EnterLockServer %d: back to %s:%u", serverId, info.szServerIP, static_cast<unsigned>(info.iServerPort));
  EnterGame();
  return true;
}

void RoomListLayer::GameViewAuthenResult(int result, int a, int b) {
  cocos2d::log("GameViewAuthenResult %d %d %d", result, a, b);
  if (result != 0) {
    ShowAuthenErrorMsg(result);
    return;
  }
  GameSceneBase* scene = GameSceneBase::m_pGameScene;
  GameViewBase* view = GameSceneBase::m_pGameView;
  if (scene == nullptr || view == nullptr) return;
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveNowIfQueued(view);
  if (view->getParent() == nullptr) scene->addChild(view, 0);
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, nullptr);
}

void RoomListLayer::ShowAuthenErrorMsg(int code) {
  char text[64];
  std::snprintf(text, sizeof(text), "authen error[%d]", code);
  GameMsgBox::shareMessageBox()->ShowMessage(text, 1, this);
}

void RoomListLayer::QuitRoomList(cocos2d::Ref*) {
  cocos2d::log("QuitRoomList");
  if (GameSceneBase::m_pGameScene != nullptr) {
    GameSceneBase::m_pGameScene->QuitGameView(false);
  } else {
    OsApiCommon::shareOsApiCommon()->ExitGame();
  }
}

void RoomListLayer::QuitInner(cocos2d::Ref* sender) {
  cocos2d::log("QuitInner");
  QuitRoomList(sender);
}

void RoomListLayer::RetLobbyVacLead(int kind, int value) { cocos2d::log("RetLobbyVacLead %d %d", kind, value); }

bool RoomListLayer::CallBackEnterRoomIFShowGameBaseVacLead() { return true; }

void RoomListLayer::CallBackAsyncHttpRes(const char*, int, const char*, int msgId, int error) {
  if (error != 0) cocos2d::log("RoomListLayer: web reply %d failed (%d)", msgId, error);
}

// ---------------------------------------------------------------- script handlers

void RoomListLayer::RegisterLuaHandler(int key, int handler) { ddz::RegisterScriptHandler(m_mapLuaHandler, key, handler); }

void RoomListLayer::UnRegisterLuaHandler(int key) { ddz::UnregisterScriptHandler(m_mapLuaHandler, key); }

// ---------------------------------------------------------------- slots

long long RoomListLayer::GetNowTime() { return ddz::os::Clock().WallTimeSeconds(); }
void RoomListLayer::PlayRoomMusic() {}
void RoomListLayer::CallBackShowFirstBtn(bool) {}
void RoomListLayer::DailyScreenSetRecord() {}

void RoomListLayer::AskEnterRoom(cocos2d::Ref* sender) {
  auto* node = dynamic_cast<cocos2d::Node*>(sender);
  if (node == nullptr) return;
  const int index = node->getTag();
  if (index < 0 || static_cast<std::size_t>(index) >= m_vcRoomBtn.size()) return;
  onBtnEnterGame(m_vcRoomBtn[static_cast<std::size_t>(index)]->GetRoomItemInfo());
}

void RoomListLayer::CallBackAutoGame(cocos2d::Ref*) {}

void RoomListLayer::BuildRoomBtns() {
  ReleaseButtons();
  m_vcShowRoomItem.clear();
  FilterRoomItems(m_vcShowRoomItem, m_vcAllRoomItem, GameViewBase::m_GlobalInfo.iMoney);
  if (m_vcShowRoomItem.empty()) {
    CallBackCreateRoomBtns();  // the buttons of an earlier build leave the layer
    return;
  }
  for (RoomItemInfo& room : m_vcShowRoomItem) {
    if (RoomBtn* button = CreateRoomBtn(&room)) m_vcRoomBtn.push_back(button);
  }
  CallBackCreateRoomBtns();
}

bool RoomListLayer::CheckShowDuiHuanBox() { return false; }
void RoomListLayer::OpenLobbyVac(int kind) { cocos2d::log("OpenLobbyVac %d", kind); }
void RoomListLayer::ShowChangeMoneyTip(int, const char*) {}

void RoomListLayer::FilterRoomItems(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int) {
  listed = all;
}

RoomBtn* RoomListLayer::CreateRoomBtn(RoomItemInfo* room) {
  auto* button = new (std::nothrow) RoomBtn(room);
  if (button != nullptr) button->autorelease();
  return button;
}

void RoomListLayer::EnterLobbyPlayServer() {}
void RoomListLayer::StopRoomSound() {}
void RoomListLayer::OnRoomSlot1(int) {}
void RoomListLayer::OnRoomSlot2(int, int) {}
void RoomListLayer::OnRoomSlot3(cocos2d::Ref*) {}
void RoomListLayer::OnRoomSlot4() {}
void RoomListLayer::OnRoomSlot5(int) {}
int RoomListLayer::GetRoomValue0(int, int) { return 0; }
int RoomListLayer::GetRoomValue1(int, int) { return 1; }
bool RoomListLayer::GetRoomFlagTrue() { return true; }
