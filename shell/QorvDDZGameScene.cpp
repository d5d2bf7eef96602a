#include "shell/QorvDDZGameScene.h"

#include <cstring>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Log.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/GameResBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/RoomFile.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Text.h"
#include "classic/C_RoomListLayer.h"
#include "classic/GameViewPC.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteRoomListLayer.h"
#include "compete/SignUpLayer.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/gamebase/GameMsgBox.h"
#include "variants/SuperGameView.h"
#include "shell/GameLoading.h"
#include "shell/LaunchCommandLine.h"
#include "gamedata/CompeteMatchFile.h"
#include "gamedata/TextTables.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "variants/DDZSmallGameLayer.h"
#include "variants/SRGameView.h"

std::uint32_t g_hLobbyWnd = 0;
std::uint8_t g_bKind22Mapped = 0;

namespace {

using ddz::kGameClassic;
using ddz::kGameCompete;
using ddz::kGameFourPlayer;
using ddz::kGameSuper;

// Takes a layer the scene holds one reference of off the stage: a running
// one leaves through the deferred remover, one that is not running just loses
// the reference (a parent that still holds it keeps it alive).
template <class T>
void DropLayer(T*& layer, bool unschedule) {
  if (layer == nullptr) return;
  T* gone = layer;
  layer = nullptr;
  if (gone->isRunning()) {
    if (unschedule) gone->unscheduleAllCallbacks();
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(gone, nullptr);
  }
  gone->release();
}

std::uintptr_t OwnWindowHandle() {
  const cocos2d::GLView* view = cocos2d::Director::getInstance()->getOpenGLView();
  return view ? view->getNativeHandle() : 0;
}

struct ResStage {
  int kind;
  int done;
  std::vector<const char*> sheets;
  int next;
};

const std::vector<ResStage>& ResStages() {
  static const std::vector<ResStage> stages = {
      {kGameClassic, 0,
       {"poker_magic_express.plist", "vellddz_res_tips.plist", "vellddz_res_btn.plist",
        "vellddz_res_activebtn.plist"},
       30},
      {kGameClassic, 30,
       {"qorvddzpc_all_res.plist", "super_ddz_res_extra.plist", "cjddz_all_game_rule.plist"},
       50},
      {kGameClassic, 50, {"CardLayer1.plist", "vellddz_res_buttomui.plist"}, 80},
      {kGameClassic, 80, {"zuvoz_res_tips.plist", "qorvddz_enterCompete_res.plist"}, 100},
      {kGameSuper, 0,
       {"poker_magic_express.plist", "vellddz_res_activebtn.plist", "vellddz_res_btn.plist",
        "super_ddz_res_extra.plist", "cjddz_all_game_rule.plist", "vellddz_res_tips.plist", "CardLayer1.plist",
        "vellddz_res_buttomui.plist", "qorvddz_enterCompete_res.plist"},
       100},
  };
  return stages;
}

}  // namespace

namespace ddz {

std::string FrameTitleText() {
  std::string title = ddz::FormatText(GameText(458), GameText(455), "v1.0.0.2", QorvDDZGameScene::kVersionSpecial);
  title.resize(ddz::os::Utf8PrefixLength(title, 127));
  return title;
}

}  // namespace ddz

QorvDDZGameScene::QorvDDZGameScene() {
  m_bFreeFlag = 1;
  OsApiCommon* common = OsApiCommon::shareOsApiCommon(OsApiBase::shareOsApi());
  m_iGameOrientation = common->GetOrientation();
  cocos2d::log("GameScene()  new--- m_iGameOrientation:%d", m_iGameOrientation);
}

QorvDDZGameScene::~QorvDDZGameScene() { RoomListLayer::m_iExtraRoomInfoFlag = 0; }

cocos2d::Node* QorvDDZGameScene::GetOptionalNode(cocos2d::Node*) { return nullptr; }

YndLoadingBase* QorvDDZGameScene::CreateLoadingView() { return new GameLoading(); }

RoomListLayer* QorvDDZGameScene::CreateRoom(int gameId) {
  cocos2d::log("CreateRoom GameID %d", gameId);
  // The tournament list shows the matches of the match file.
  if (gameId == kGameCompete) ddz::LoadCompeteMatchFile(ddz::kCompeteMatchFile, g_vcCompeteRoomTable);
  // The rooms come from the room file; without any the table is entered on
  // the command line's server, with no list.
  if (RoomListLayer::m_vcRoomInfo.empty()) gamebase::LoadRoomFile();
  if (gameId != kGameCompete && RoomListLayer::m_vcRoomInfo.empty()) {
    cocos2d::log("CreateRoom GameID %d: no rooms listed, no room list", gameId);
    return nullptr;
  }
  RoomListLayer* list = gameId == kGameCompete ? NewCompeteRoomList() : NewClassicRoomList(gameId);
  cocos2d::log("CreateRoom end GameID %d", gameId);
  return list;
}

GameViewBase* QorvDDZGameScene::CreateInstanceGameView(YndLoadingBase* loading, int gameId) {
  cocos2d::log("CreateInstanceGameView GameID %d", gameId);
  g_iCurGameID = gameId;
  // The view type is set first: the view's constructor and the card rows it
  // builds read it.
  GameViewBase* view = nullptr;
  switch (gameId) {
    case kGameFourPlayer:
      g_iGameViewType = ddz::kViewFourPlayer;
      view = NewSRGameView(loading);
      break;
    case kGameSuper:
      g_iGameViewType = ddz::kViewSuper;
      view = NewSuperGameView(loading, gameId);
      break;
    case kGameCompete:
      g_iGameViewType = ddz::kViewCompete;
      view = NewCompeteGameView(loading);
      break;
    default:
      g_iGameViewType = ddz::kViewClassic;
      RoomListLayer::m_iExtraRoomInfoFlag |= 2;
      view = NewGameViewPC(loading, gameId);
      break;
  }

  LoadTextLines(ddz::kSuperGameTextFile, g_vecSuperGameText);

  PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrame();
  if (!frame->isRunning() && frame->getParent() == nullptr) {
    // A new frame comes with one reference for us; the scene keeps it.
    frame->autorelease();
    addChild(frame, kFrameZOrder);
  }
  frame->SetCloseBtnCallBack([this](cocos2d::Ref* sender) { OnFrameClose(sender); });

  // The view constructors load the game texts once; the title does not wait for one.
  ddz::EnsureGameTextLoaded();
  const std::string title = m_LoginRecord.GameKind() == kGameClassic ? ddz::FrameTitleText() : std::string();
  frame->SetGameTitleAndVersion(title.c_str());
  return view;
}

int QorvDDZGameScene::LoadResStep(YndGameLayer* layer, int kind, int percent) {
  for (const ResStage& stage : ResStages()) {
    if (stage.kind != kind || stage.done != percent) continue;
    if (layer) {
      for (const char* sheet : stage.sheets) layer->AddPlist(sheet);
    }
    return stage.next;
  }
  return 100;
}

int QorvDDZGameScene::GetOptionalValue(int, int) { return 0; }

bool QorvDDZGameScene::IsGameId50(int gameId) { return gameId == 50; }

int QorvDDZGameScene::CallBackGetExtraRoomInfoGameID1(int kind) { return kind == 19 || kind == 62 ? 21 : 0; }

int QorvDDZGameScene::CallBackGetExtraRoomInfoGameID2(int kind) { return kind == 19 || kind == 62 ? 52 : 0; }

void QorvDDZGameScene::EnterGameKind(int kind, int mode) {
  int viewKind = kind;
  if (kind == kGameClassic || kind == 19 || kind == 21) {
    if (m_pRoomList) {
      viewKind = m_pRoomList->m_iCurRoomValue / 10000;
      if (viewKind != kGameSuper) viewKind = kind;
    }
    if ((g_iCurGameID == kGameSuper || viewKind == kGameSuper) && g_iCurGameID != viewKind) DestroyGameView();
    if (m_pGameView == nullptr) {
      m_pGameView = CreateInstanceGameView(nullptr, viewKind == kGameSuper ? kGameSuper : m_LoginRecord.GameKind());
    }
  }

  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  info.iEnterMode = mode;
  if (m_pGameView) m_pGameView->m_bSpecialEntry = 1;
  const char* version = nullptr;
  switch (viewKind) {
    case kGameFourPlayer: version = kVersionFourPlayer; break;
    case kGameSuper: version = kVersionSuper; break;
    case kGameCompete: version = kVersionCompete; break;
    default:
      if (mode == 7 || mode == 8) {
        version = kVersionSpecial;
      } else {
        version = kVersionClassic;
        if (m_pGameView) m_pGameView->m_bSpecialEntry = 0;
      }
      break;
  }
  ddz::os::CopyBounded(info.szClientVersion, sizeof info.szClientVersion, version);
}

bool QorvDDZGameScene::CheckSingleIndependent(int) {
  if (GameViewBase::m_GlobalInfo.iUserID == 0) {
    int single = 0;
    GetConfValue(&single, "single_independent", "agent.txt", "agent_info", 0);
    cocos2d::log("CheckSingleIndependent single_independent[%d]", single);
  }
  return false;
}

int* QorvDDZGameScene::MapGameKind(int* kind) {
  g_bKind22Mapped = 0;
  if (kind && *kind == 22) {
    *kind = kGameClassic;
    g_bKind22Mapped = 1;
  }
  return kind;
}

void QorvDDZGameScene::GameEnterBackGround() {
  GameSceneBase::GameEnterBackGround();
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  SoundManage::shareSoundManage()->StopAllSound();
}

void QorvDDZGameScene::GameEnterForeGround() {
  GameSceneBase::GameEnterForeGround();
  if (GameViewBase::m_GlobalInfo.iPlayMode == 1) {
    GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(false);
  }
}

void QorvDDZGameScene::GameResLoadingEnd() {
  GameSceneBase::GameResLoadingEnd();
  // Network play waits at the room list: the room entered logs in
  // (RoomListLayer::EnterGame) on its own server.
  if (m_pRoomList != nullptr && m_pRoomList->getParent() != nullptr) {
    cocos2d::log("GameResLoadingEnd: the room list is shown, the login waits for a room");
    return;
  }
  EnterGameKind(m_LoginRecord.GameKind(), 8);
  if (m_pGameView) {
    m_pGameView->ClearDataBeforeEnter();
    m_pGameView->IniMainSocketAuthen();
  } else {
    cocos2d::log("GameResLoadingEnd: no table view to log in with");
  }
}

void QorvDDZGameScene::QuitGameView(bool backToRoomList) {
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  const bool report = info.bQuitReport != 0 || (m_pGameView != nullptr && m_pGameView->m_bQuitReport != 0);
  if (report) {
    const std::int64_t yuanBao =
        static_cast<std::int64_t>(info.iYuanBao) - static_cast<std::int64_t>(m_LoginRecord.YuanBaoReference());
    const std::uint64_t money = static_cast<std::uint32_t>(info.iMoney);
    const std::uint64_t fee = static_cast<std::uint32_t>(info.iFeeType4Num);
    // Back to the room list the lobby is waited for; when the client ends
    // the messages are only queued.
    auto deliver = backToRoomList ? ddz::os::SendLobbyMessage : ddz::os::PostLobbyMessage;
    deliver(g_hLobbyWnd, ddz::os::kLobbyMsgQuitMoney, money, yuanBao);
    deliver(g_hLobbyWnd, ddz::os::kLobbyMsgQuitFee, fee, 0);
  }
  if (backToRoomList) {
    GameSceneBase::QuitGameView(true);
  } else {
    OsApiCommon::shareOsApiCommon()->ExitGame();
  }
}

std::string QorvDDZGameScene::ParseCommandLine(char* commandLine) {
  if (ddz::LoadLoginRecord(m_LoginRecord) != ddz::LoginRecordStatus::Ok) {
    return GameSceneBase::ParseCommandLine(commandLine);
  }

  const std::string copy = std::string(commandLine ? commandLine : "").substr(0, ddz::kCommandLineCapacity - 1);
  const std::vector<std::string> tokens = ddz::SplitCommandLine(copy);
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  for (std::size_t i = 1; i < tokens.size() && i <= 8; ++i) {
    const std::string& token = tokens[i];
    switch (i) {
      case 1:
        if (ddz::os::CopyBounded(info.szServerIP, sizeof info.szServerIP, token) < token.size())
          cocos2d::log("ParseCommandLine: server address cut to %zu bytes", sizeof info.szServerIP - 1);
        break;
      case 2: info.iServerPort = static_cast<std::uint16_t>(ddz::ParseIntToken(token)); break;
      case 3: info.iServerID = ddz::ParseIntToken(token); break;
      case 4: info.iLaunchParam4 = ddz::ParseIntToken(token); break;
      case 5: info.iNetFlag = ddz::ParseIntToken(token); break;
      case 6:
        info.iUserID = ddz::ParseIntToken(token);
        m_LoginRecord.SetUserId(info.iUserID);
        break;
      case 7:
        if (ddz::os::CopyBounded(info.szUserToken, sizeof info.szUserToken, token) < token.size())
          cocos2d::log("ParseCommandLine: user token cut to %zu bytes", sizeof info.szUserToken - 1);
        m_LoginRecord.SetToken(info.szUserToken);
        break;
      case 8:
        info.iLobbyWnd = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ddz::ParseInt64Token(token)));
        g_hLobbyWnd = info.iLobbyWnd;
        break;
    }
  }

  // The program path and eight parameters, or nine when the launch named an
  // extra resource folder.
  const int count = static_cast<int>(tokens.size());
  if (count == 9 || count == 10) {
    ddz::os::SendLobbyMessage(info.iLobbyWnd, ddz::os::kLobbyMsgClientWindow, OwnWindowHandle(), 0);
    return m_LoginRecord.ToHex();
  }
  const std::string message = "param error[" + copy + "][" + std::to_string(count) + "]";
  cocos2d::MessageBox(message.c_str(), " ");
  OsApiCommon::shareOsApiCommon()->ExitGame();
  return std::string();
}

bool QorvDDZGameScene::GetOptionalFlag() { return true; }

void QorvDDZGameScene::LobbyEnterGame(char* data) { GameSceneBase::LobbyEnterGame(data); }

void QorvDDZGameScene::DestroyLayers(int newKind) {
  DropLayer(m_pGameView, true);
  DropLayer(m_pRoomList, true);
  RoomListLayer::m_vcServerInfo.clear();
  RoomListLayer::m_vcRoomTypeInfo.clear();
  RoomListLayer::m_vcRoomInfo.clear();
  RoomListLayer::m_vcExtraRoomInfoGameID.clear();
  DropLayer(m_pGameResBase, false);
  m_LoginRecord.SetGameKind(newKind);
  SetGameID(newKind);  // the resource holder loads for the scene's game id
  schedule(schedule_selector(QorvDDZGameScene::TryCreateGameView), kRebuildInterval);
}

void QorvDDZGameScene::DestroyGameView() { DropLayer(m_pGameView, true); }

void QorvDDZGameScene::TryCreateGameView(float) {
  if (m_pGameView == nullptr) m_pGameView = CreateInstanceGameView(nullptr, m_LoginRecord.GameKind());
  if (m_pGameView == nullptr) return;
  unschedule(schedule_selector(QorvDDZGameScene::TryCreateGameView));
  schedule(schedule_selector(QorvDDZGameScene::ShowGameNextFrame), kRebuildInterval);
}

void QorvDDZGameScene::ShowGameNextFrame(float) {
  cocos2d::log("ShowGameNextFrame 0");
  if (m_pGameView) unschedule(schedule_selector(QorvDDZGameScene::ShowGameNextFrame));
  cocos2d::Director::getInstance()->setProjection(cocos2d::Director::Projection::_2D);

  const int kind = m_LoginRecord.GameKind();
  for (int id : {CallBackGetExtraRoomInfoGameID1(kind), CallBackGetExtraRoomInfoGameID2(kind),
                 CallBackGetExtraRoomInfoGameID3(kind)}) {
    if (id > 0) RoomListLayer::m_vcExtraRoomInfoGameID.push_back(id);
  }
  CallBackGetExtraRoomInfoGameID(kind, RoomListLayer::m_vcExtraRoomInfoGameID);

  if (YndLoadingBase* loading = CreateLoadingView()) {
    cocos2d::log("ShowGameNextFrame pLoadingView");
    m_pGameResBase = new GameResBase(loading);
    loading->release();  // the resource holder keeps it
    addChild(m_pGameResBase, 100);
  }
  cocos2d::log("ShowGameNextFrame 1");
}

void QorvDDZGameScene::OnFrameClose(cocos2d::Ref*) {
  if (m_pGameView && m_pGameView->isRunning()) {
    if (auto* table = dynamic_cast<DDZGameView*>(m_pGameView)) {
      table->ShowQuitMsgBox();
      return;
    }
    cocos2d::log("OnFrameClose: the view is not a table view");
  }
  QuitGameView(false);
}

void QorvDDZGameScene::onEnter() {
  GameSceneBase::onEnter();
  if (m_bBackKeyHeard) return;
  m_bBackKeyHeard = true;
  auto* listener = cocos2d::EventListenerKeyboard::create();
  listener->onKeyReleased = [this](cocos2d::EventKeyboard::KeyCode key, cocos2d::Event*) {
    if (key == cocos2d::EventKeyboard::KeyCode::KEY_ESCAPE) OnBackKey();
    // The window has no drawn frame: F1 is the frame's help button (the rules).
    if (key == cocos2d::EventKeyboard::KeyCode::KEY_F1) {
      if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny()) frame->OnHelpBtnClick();
    }
  };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, this);
}

void QorvDDZGameScene::OnBackKey() {
  if (m_pGameView == nullptr || !m_pGameView->isRunning()) return;
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  if (box->IsOpen()) {
    box->PressCancel();
    return;
  }
  if (auto* table = dynamic_cast<DDZGameView*>(m_pGameView); table != nullptr && table->CloseTopPanel()) return;
  OnFrameClose(nullptr);
}

// ---------------------------------------------------------------- the classes the scene makes

namespace {
template <class T>
T* NotInThisBuild(const char* cls) {
  cocos2d::log("%s is not in this build", cls);
  return nullptr;
}
}  // namespace

GameViewBase* QorvDDZGameScene::NewGameViewPC(YndLoadingBase* loading, int gameId) {
  auto* view = new GameViewPC(this, loading, gameId);
  view->SetSmallGameMaker(DDZSmallGameMaker::Shared());
  return view;
}
GameViewBase* QorvDDZGameScene::NewSRGameView(YndLoadingBase* loading) { return new SRGameView(this, loading); }
GameViewBase* QorvDDZGameScene::NewSuperGameView(YndLoadingBase* loading, int flag) {
  return new SuperGameView(this, loading, flag);
}
GameViewBase* QorvDDZGameScene::NewCompeteGameView(YndLoadingBase* loading) {
  return new CompeteGameView(this, loading);
}
RoomListLayer* QorvDDZGameScene::NewClassicRoomList(int gameId) { return new C_RoomListLayer(gameId); }
RoomListLayer* QorvDDZGameScene::NewCompeteRoomList() {
  // A touched row of the list opens the sign-up dialog of its match.
  CompeteRoomListLayer::SetSignUpOpener(SignUpLayer::Open);
  return new CompeteRoomListLayer();
}
