#include "platform/gamebase/GameSceneBase.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/GameResBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "platform/os/Text.h"

using cocos2d::AutoreleasePool;

GameSceneBase* GameSceneBase::m_pGameScene = nullptr;
GameViewBase* GameSceneBase::m_pGameView = nullptr;
RoomListLayer* GameSceneBase::m_pRoomList = nullptr;
GameResBase* GameSceneBase::m_pGameResBase = nullptr;
int GameSceneBase::m_iGameOrientation = 0;
int GameSceneBase::m_iLevelValue = 0;

namespace {

// Drops the reference the library holds of a layer it no longer shows: a
// layer on the stage leaves it through the deferred remover first.
template <class T>
void DropLayer(T*& layer) {
  if (layer == nullptr) return;
  T* gone = layer;
  layer = nullptr;
  if (gone->getParent() != nullptr && gone->isRunning()) {
    gone->unscheduleAllCallbacks();
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(gone, nullptr);
  }
  gone->release();
}

void PutInt(unsigned char* record, int at, std::int32_t value) { std::memcpy(record + at, &value, 4); }

}  // namespace

GameSceneBase::GameSceneBase() { m_pGameScene = this; }

GameSceneBase::~GameSceneBase() {
  // The layers still standing on the scene go with it; the library's own
  // references are dropped here.
  if (m_pGameView != nullptr) {
    GameViewBase* view = m_pGameView;
    m_pGameView = nullptr;
    view->release();
  }
  if (m_pRoomList != nullptr) {
    RoomListLayer* list = m_pRoomList;
    m_pRoomList = nullptr;
    list->release();
  }
  if (m_pGameResBase != nullptr) {
    GameResBase* res = m_pGameResBase;
    m_pGameResBase = nullptr;
    res->release();
  }
  if (m_pLoadingView != nullptr) {
    m_pLoadingView->release();
    m_pLoadingView = nullptr;
  }
  if (m_pGameScene == this) m_pGameScene = nullptr;
}

void GameSceneBase::AdoptReference(cocos2d::Ref* object) {
  if (object != nullptr && AutoreleasePool::current().contains(object)) object->retain();
}

void GameSceneBase::ShowLayer(cocos2d::Node* node, int z) {
  if (node != nullptr && node->getParent() == nullptr) addChild(node, z);
}

void GameSceneBase::onEnter() {
  YndGameScene::onEnter();
  if (!m_bClientStarted) StartClient();
}

// ---------------------------------------------------------------- the drive

void GameSceneBase::StartClient() {
  if (m_bClientStarted) return;
  m_bClientStarted = true;
  m_pGameScene = this;
  GlobalInfo& info = GameViewBase::m_GlobalInfo;

  // 1. The command line and the login record.
  std::string commandLine = ddz::os::GetCommandLineText();
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  const std::string recordHex = ParseCommandLine(line.data());
  if (OsApiCommon::shareOsApiCommon()->IsExitRequested()) {
    // The parse refused the command line and ended the client.
    cocos2d::log("GameSceneBase: the client ends, start-up stops");
    return;
  }
  int kind = kDefaultGameKind;
  char record[kLoginRecordSize + 1] = {};
  int recordLen = 0;
  if (!recordHex.empty() &&
      HexStringToCharArray(recordHex.c_str(), record, &recordLen, static_cast<int>(sizeof(record))) &&
      recordLen >= 4) {
    std::int32_t recordKind = 0;
    std::memcpy(&recordKind, record, 4);
    kind = recordKind;
  } else {
    cocos2d::log("GameSceneBase: no login record, game kind %d", kind);
  }
  MapGameKind(&kind);
  m_iGameID = kind;

  // 2. User id 0: the single-player game.
  info.iPlayMode = info.iUserID == 0 ? 1 : 0;
  cocos2d::log("GameSceneBase StartClient GameID %d UserID %d PlayMode %d", kind, info.iUserID, info.iPlayMode);
  GameViewBase::ReadSettingInfo();

  // 3. Loading screen, room list (network play only) and table view.
  m_pLoadingView = CreateLoadingView();
  AdoptReference(m_pLoadingView);
  if (info.iPlayMode != 1) {
    m_pRoomList = CreateRoom(kind);
    AdoptReference(m_pRoomList);
  }
  m_pGameView = CreateInstanceGameView(m_pLoadingView, kind);
  AdoptReference(m_pGameView);
  if (m_pGameView == nullptr) cocos2d::log("GameSceneBase: no table view for game id %d", kind);

  // 4. Loading in stages.
  if (m_pLoadingView != nullptr) {
    m_pGameResBase = new GameResBase(m_pLoadingView);
    addChild(m_pGameResBase, 100);
  } else {
    scheduleOnce([this](float) { GameResLoadingEnd(); }, 0.0f, "GameSceneBase.loadingEnd");
  }
}

// ---------------------------------------------------------------- slots

cocos2d::Node* GameSceneBase::GetOptionalNode(cocos2d::Node*) { return nullptr; }
YndLoadingBase* GameSceneBase::CreateLoadingView() { return nullptr; }
RoomListLayer* GameSceneBase::CreateRoom(int) { return nullptr; }
GameViewBase* GameSceneBase::CreateInstanceGameView(YndLoadingBase*, int) { return nullptr; }
int GameSceneBase::LoadResStep(YndGameLayer*, int, int) { return 100; }
int GameSceneBase::GetOptionalValue(int, int) { return 0; }
bool GameSceneBase::IsGameId50(int gameId) { return gameId == 50; }
int GameSceneBase::CallBackGetExtraRoomInfoGameID1(int) { return 0; }
int GameSceneBase::CallBackGetExtraRoomInfoGameID2(int) { return 0; }
int GameSceneBase::CallBackGetExtraRoomInfoGameID3(int) { return 0; }

void GameSceneBase::EnterGameKind(int, int mode) { GameViewBase::m_GlobalInfo.iEnterMode = mode; }

bool GameSceneBase::CheckSingleIndependent(int) { return false; }
int* GameSceneBase::MapGameKind(int* kind) { return kind; }

void GameSceneBase::GameEnterBackGround() {
  if (m_pGameView != nullptr) m_pGameView->CallBackGameEnterBackGround();
}

void GameSceneBase::GameEnterForeGround() {
  if (m_pGameView != nullptr) m_pGameView->CallBackGameEnterForeGround();
}

void GameSceneBase::GameResLoadingEnd() {
  DropLayer(m_pGameResBase);
  // Network play has a room list for the game id; after a mode switch took
  // the old one away, the list of the new kind is made here.
  if (!GameViewBase::IsSinglePlayer() && m_pRoomList == nullptr) {
    m_pRoomList = CreateRoom(m_iGameID);
    AdoptReference(m_pRoomList);
  }
  // Single-player goes straight to the table; network play starts at the room list.
  if (GameViewBase::IsSinglePlayer() || m_pRoomList == nullptr) {
    ShowLayer(m_pGameView, 0);
  } else {
    ShowLayer(m_pRoomList, 0);
  }
}

void GameSceneBase::QuitGameView(bool backToRoomList) {
  cocos2d::log("GameSceneBase::QuitGameView %d", backToRoomList ? 1 : 0);
  if (backToRoomList && m_pRoomList != nullptr) {
    CallBackQuitGameShowRoomList();
    return;
  }
  OsApiCommon::shareOsApiCommon()->ExitGame();
}

void GameSceneBase::CallBackQuitGameShowRoomList() {
  if (m_pGameView != nullptr && m_pGameView->getParent() != nullptr) {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pGameView, nullptr);
  }
  ShowLayer(m_pRoomList, 0);
}

std::string GameSceneBase::ParseCommandLine(char* commandLine) {
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  unsigned char record[kLoginRecordSize] = {};
  PutInt(record, 0, kDefaultGameKind);

  // A bounded copy: strtok writes into it.
  char text[1024] = {};
  ddz::os::CopyBounded(text, sizeof(text), commandLine != nullptr ? commandLine : "");
  int count = 0;
  char* save = nullptr;
  for (char* token = strtok_r(text, " ", &save); token != nullptr; token = strtok_r(nullptr, " ", &save), ++count) {
    switch (count) {
      case 1: ddz::os::CopyBounded(info.szServerIP, sizeof(info.szServerIP), token); break;
      case 2: info.iServerPort = static_cast<std::uint16_t>(ddz::os::ParseIntToken(token)); break;
      case 3: info.iServerID = ddz::os::ParseIntToken(token); break;
      case 4: info.iLaunchParam4 = ddz::os::ParseIntToken(token); break;
      case 5: info.iNetFlag = ddz::os::ParseIntToken(token); break;
      case 6:
        info.iUserID = ddz::os::ParseIntToken(token);
        PutInt(record, 8, info.iUserID);
        break;
      case 7:
        ddz::os::CopyBounded(info.szUserToken, sizeof(info.szUserToken), token);
        ddz::os::CopyBounded(reinterpret_cast<char*>(record + 72), 28, info.szUserToken);
        break;
      case 8:
        info.iLobbyWnd = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ddz::os::ParseInt64Token(token)));
        break;
      default: break;
    }
  }
  m_bCommandLineParsed = count == 9;
  cocos2d::log("GameSceneBase ParseCommandLine tokens[%d]", count);
  return CharArrayToHexString(reinterpret_cast<const char*>(record), kLoginRecordSize);
}

bool GameSceneBase::GetOptionalFlag() { return false; }

void GameSceneBase::LobbyEnterGame(char* data) { cocos2d::log("LobbyEnterGame [%s]", data != nullptr ? data : ""); }

void GameSceneBase::CallBackGetExtraRoomInfoGameID(int kind, std::vector<int>& gameIds) {
  m_vcExtraGameIDs = gameIds;
  cocos2d::log("CallBackGetExtraRoomInfoGameID kind %d, %zu extra ids", kind, gameIds.size());
}

bool GameSceneBase::JudgeIP5Conf() const {
  if (m_bIsIpad != 0) return false;
  return OsApiBase::shareOsApi()->GetDeviceModel() != "ipad";
}

void GameSceneBase::ChangeDeviceOrientation(bool portrait) {
  m_iGameOrientation = portrait ? OsApiCommon::kPortrait : OsApiCommon::kLandscape;
  OsApiCommon::shareOsApiCommon()->SetOrientation(m_iGameOrientation);
  CallBackSetGameOrientation(m_iGameOrientation);
}

void GameSceneBase::HandleMainSocketNetMsg(char* msg, int len) {
  if (m_pGameView == nullptr) {
    cocos2d::log("HandleMainSocketNetMsg: no table view, message dropped");
    return;
  }
  m_pGameView->PostGameMessage(reinterpret_cast<const std::uint8_t*>(msg), len);
}

bool GameSceneBase::CheckUserLoginDataForLoadView() const { return m_bCommandLineParsed; }

void GameSceneBase::CallBackViewChange() {}

int GameSceneBase::GetLoginUserID() const { return GameViewBase::m_GlobalInfo.iUserID; }

void GameSceneBase::SwitchGameKind(int kind) { cocos2d::log("SwitchGameKind %d: no mode switch in this scene", kind); }
void GameSceneBase::CallBackSetGameOrientation(int) {}
