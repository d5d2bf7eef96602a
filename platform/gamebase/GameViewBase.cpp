#include "platform/gamebase/GameViewBase.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/engine/Scene.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameMsgPump.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameText.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Text.h"

using cocos2d::Director;

GlobalInfo GameViewBase::m_GlobalInfo;
MainMsgLockCount GameViewBase::m_iLockMainMsgCount;
MainMsgHoldTime GameViewBase::m_iLockMainMsgTime;
int GameViewBase::m_iRoomShowDuiHuanBox = 0;

// ---------------------------------------------------------------- life

GameViewBase::GameViewBase(GameSceneBase* scene, YndLoadingBase* loading)
    : YndGameLayer(loading), m_pGameScene(scene), m_pAniManage(std::make_unique<AniManage>(this)) {
  m_iPumpHook = Director::getInstance()->addFrameHook(cocos2d::FramePhase::MessagePump,
                                                      [](float) { GameMsgPump::Instance().RunFrame(); });
}

GameViewBase::~GameViewBase() {
  if (Director* director = Director::getInstanceIfAlive()) director->removeFrameHook(m_iPumpHook);
  GameMsgPump& pump = GameMsgPump::Instance();
  pump.DropFor(this, GameMsgPump::Drop::All);
  if (pump.NetView() == this) {
    // Nothing the connection still brings may reach a view that has gone.
    pump.SetNetView(nullptr);
    pump.Socket().DisconnectServer(0, false);
  }
  m_pAniManage.reset();
  // The derived view owns the local server and has destroyed it by now.
  m_pSingleServer = nullptr;
  if (GameSceneBase::m_pGameView == this) GameSceneBase::m_pGameView = nullptr;
}

void GameViewBase::onEnter() { YndGameLayer::onEnter(); }
void GameViewBase::onExit() { YndGameLayer::onExit(); }

// ---------------------------------------------------------------- queue

void GameViewBase::PostGameMessage(const std::uint8_t* buf, int len) {
  if (buf == nullptr || len < kFrameSize || len > kMaxGameMessage) {
    cocos2d::log("PostGameMessage: message of length %d dropped", len);
    return;
  }
  GameMsgPump::Instance().Post(this, buf, len);
}

std::size_t GameViewBase::GetPendingMainMsgCount() const { return GameMsgPump::Instance().CountFor(this); }

void GameViewBase::DropPendingMessages() { GameMsgPump::Instance().DropFor(this, GameMsgPump::Drop::Messages); }

void GameViewBase::DropPendingMessages(bool (*which)(int type)) { GameMsgPump::Instance().DropFor(this, which); }

void GameViewBase::DeliverMainMsg(char* msg, int len) {
  CallBackHandleAllSocketNetMsg(msg, len);
  const int type = static_cast<std::uint8_t>(msg[1]);
  if (gamebase::IsGameBaseType(type)) {
    HandleGameBaseFrame(msg, len);
    return;
  }
  if (CallBackFirstHandleMainSocketNetMsg(msg, len)) return;
  if (type == kMsgGameResult) {
    m_bQuitReport = 1;  // the money changed: the lobby hears of it on quitting
    CallBackGameResultServer(msg, len);
  } else {
    CallBackHandleMainSocketNetMsg(msg, len);
  }
}

// ---------------------------------------------------------------- requests

void GameViewBase::SendMsgToMainSocket(void* buf, int type, int len) {
  if (buf == nullptr || len < kFrameSize || len > kMaxRequest || type < 0 || type > 0xff) {
    cocos2d::log("SendMsgToMainSocket: request type %d length %d dropped", type, len);
    return;
  }
  std::vector<std::uint8_t> request(static_cast<const std::uint8_t*>(buf),
                                    static_cast<const std::uint8_t*>(buf) + len);
  request[1] = static_cast<std::uint8_t>(type);
  request[2] = static_cast<std::uint8_t>(len & 0xff);
  request[3] = static_cast<std::uint8_t>((len >> 8) & 0xff);
  if (!IsSinglePlayer()) {
    if (GameMsgPump::Instance().NetView() != this || !GetMainSocket().SendData(request.data(), len))
      cocos2d::log("SendMsgToMainSocket: no game server connection, type %d dropped", type);
    return;
  }
  if (!EnsureSingleServer()) {
    cocos2d::log("SendMsgToMainSocket: no local server, type %d dropped", type);
    return;
  }
  m_pSingleServer->RecvGameViewMsg(request.data(), len);
}

void GameViewBase::IniMainSocketAuthen() {
  // A login starts from a clean table: nothing holds the messages any more.
  ResetMainMsgLock();
  if (IsSinglePlayer()) {
    EnsureSingleServer();
    SendAuthenReq(1);
    return;
  }
  ConnectAndAuthen();
}

void GameViewBase::SendAuthenReq(int kind) {
  if (IsSinglePlayer()) {
    AuthenLocally();
    return;
  }
  SendNetAuthen(kind);
}

void GameViewBase::ClearDataBeforeEnter() {
  DropPendingMessages();
  ClearPlayers();
}

void GameViewBase::ClearPlayers() {
  for (auto& seat : m_pPlayerNode) seat = nullptr;
  for (auto& record : m_PlayerRecord) record.Clear();
}

void GameViewBase::SendSitReq() {
  if (!IsSinglePlayer()) {
    SendNetRequest(gamebase::BuildSitRequest(), "SendSitReq");
    return;
  }
  if (!EnsureSingleServer()) {
    cocos2d::log("SendSitReq: no local server");
    return;
  }
  char result[kSitResultSize] = {};
  result[1] = 0;
  result[8] = 1;
  const std::int32_t table = 0;
  const std::int32_t chair = kSingleOwnChair;
  std::memcpy(result + 12, &table, 4);
  std::memcpy(result + 16, &chair, 4);
  HandleSitRes(result, kSitResultSize);
  SeatSinglePlayers();
  if (m_pSingleServer != nullptr) m_pSingleServer->StartGame();
}

void GameViewBase::SendReadyReq() {
  if (!IsSinglePlayer()) {
    SendNetRequest(gamebase::BuildReadyRequest(), "SendReadyReq");
    return;
  }
  if (!EnsureSingleServer()) {
    cocos2d::log("SendReadyReq: no local server");
    return;
  }
  m_pSingleServer->StartGame();
}

void GameViewBase::SendEscapeReq(int code) {
  cocos2d::log("SendEscapeReq %d", code);
  if (!IsSinglePlayer()) {
    SendNetRequest(gamebase::BuildEscapeRequest(code), "SendEscapeReq");
    return;
  }
  // The local server has one table: another table is the same table anew.
  if (code == 0) SendSitReq();
}

void GameViewBase::QuitGame(cocos2d::Ref*) {
  cocos2d::log("GameViewBase::QuitGame");
  CloseAllSocketConnect(false);
  m_bBackgroundReLogin = false;
  if (m_pGameScene != nullptr) {
    m_pGameScene->QuitGameView(GameSceneBase::m_pRoomList != nullptr && !IsSinglePlayer());
  }
}


void GameViewBase::DebugMessageBox(const char* text) { cocos2d::log("DebugMessageBox: %s", text ? text : ""); }

void GameViewBase::SetLobbyPropTips(int userId, int kind) { cocos2d::log("SetLobbyPropTips %d %d", userId, kind); }

// ---------------------------------------------------------------- settings

namespace {
constexpr const char* kKeyMusicVolume = "gamebase_setting_music_volume";
constexpr const char* kKeySoundVolume = "gamebase_setting_sound_volume";
constexpr const char* kKeyMusicOpen = "gamebase_setting_music_open";
constexpr const char* kKeySoundOpen = "gamebase_setting_sound_open";
constexpr const char* kKeyThirdSwitch = "gamebase_setting_third_switch";
constexpr const char* kKeyCardCounter = "gamebase_setting_card_counter";
constexpr const char* kKeyGuideTimes = "gamebase_guide_show_times";
constexpr const char* kKeyGuideShown = "gamebase_guide_shown";

// Volumes are stored in thousandths. What is no volume in 0..1 (not a number
// among them) is stored, and read back, as the default volume.
constexpr int kVolumeSteps = 1000;
const float kDefaultVolume = GlobalInfo().fMusicVolume;
int VolumeToStore(float v) {
  if (!(v >= 0.0f && v <= 1.0f)) v = kDefaultVolume;
  return static_cast<int>(v * kVolumeSteps + 0.5f);
}
float VolumeFromStore(int v) {
  if (v < 0 || v > kVolumeSteps) return kDefaultVolume;
  return static_cast<float>(v) / kVolumeSteps;
}
}  // namespace

void GameViewBase::WriteSettingInfo() {
  YndLocalData* store = YndLocalData::sharedLocalData(nullptr);
  store->setIntegerForKey(kKeyMusicVolume, VolumeToStore(m_GlobalInfo.fMusicVolume));
  store->setIntegerForKey(kKeySoundVolume, VolumeToStore(m_GlobalInfo.fSoundVolume));
  store->setBoolForKey(kKeyMusicOpen, m_GlobalInfo.bMusicOpen != 0);
  store->setBoolForKey(kKeySoundOpen, m_GlobalInfo.bSoundOpen != 0);
  store->setBoolForKey(kKeyThirdSwitch, m_GlobalInfo.bThirdSwitch != 0);
  store->setIntegerForKey(kKeyCardCounter, m_GlobalInfo.iCardCounterMode == 1 ? 1 : 0);
  if (!store->flush()) cocos2d::log("WriteSettingInfo: the settings could not be stored");
}

void GameViewBase::ReadSettingInfo() {
  const YndLocalData* store = YndLocalData::sharedLocalData(nullptr);
  GlobalInfo& info = m_GlobalInfo;
  info.fMusicVolume = VolumeFromStore(store->getIntegerForKey(kKeyMusicVolume, -1));
  info.fSoundVolume = VolumeFromStore(store->getIntegerForKey(kKeySoundVolume, -1));
  info.bMusicOpen = store->getBoolForKey(kKeyMusicOpen, info.bMusicOpen != 0) ? 1 : 0;
  info.bSoundOpen = store->getBoolForKey(kKeySoundOpen, info.bSoundOpen != 0) ? 1 : 0;
  info.bThirdSwitch = store->getBoolForKey(kKeyThirdSwitch, info.bThirdSwitch != 0) ? 1 : 0;
  info.iCardCounterMode = store->getIntegerForKey(kKeyCardCounter, info.iCardCounterMode) == 1 ? 1 : 0;
  info.iGuideShowTimes = std::max(0, store->getIntegerForKey(kKeyGuideTimes, info.iGuideShowTimes));
  info.bGuideShown = store->getBoolForKey(kKeyGuideShown, info.bGuideShown != 0) ? 1 : 0;

  SoundManage* sound = SoundManage::shareSoundManage();
  sound->SetVolumeInfo(info.fMusicVolume, info.fSoundVolume);
  sound->SetBackgroundMusicOpen(info.bMusicOpen != 0);
  sound->SetSoundOpen(info.bSoundOpen != 0);
}

void GameViewBase::WriteGuideInfo() {
  YndLocalData* store = YndLocalData::sharedLocalData(nullptr);
  store->setIntegerForKey(kKeyGuideTimes, m_GlobalInfo.iGuideShowTimes);
  store->setBoolForKey(kKeyGuideShown, m_GlobalInfo.bGuideShown != 0);
  if (!store->flush()) cocos2d::log("WriteGuideInfo: the guide count could not be stored");
}

// ---------------------------------------------------------------- seats

void GameViewBase::SetPlayerCount(int count) {
  if (count < 1 || count > kMaxSeats) {
    cocos2d::log("SetPlayerCount: %d players refused", count);
    return;
  }
  m_iPlayerCount = count;
}

int GameViewBase::GetTablePosByTableNumExtra(char tableNum) const {
  const int n = m_iPlayerCount;
  const int chair = static_cast<signed char>(tableNum);
  if (chair < 0 || chair >= n) {
    cocos2d::log("GetTablePosByTableNumExtra: chair %d outside 0..%d", chair, n - 1);
    return -1;
  }
  const int own = ((m_GlobalInfo.iChairID % n) + n) % n;
  return (chair - own + 1 + n) % n;
}

int GameViewBase::GetTableNumByTablePos(int seat) const {
  const int n = m_iPlayerCount;
  if (seat < 0 || seat >= n) return -1;
  const int own = ((m_GlobalInfo.iChairID % n) + n) % n;
  return (seat + own - 1 + n) % n;
}

PlayerNode* GameViewBase::GetPlayerNode(int seat) const {
  if (seat < 0 || seat >= kMaxSeats) return nullptr;
  return m_pPlayerNode[seat];
}

PlayerNode* GameViewBase::GetPlayerRecord(int chair) {
  if (chair < 0 || chair >= kMaxChairs) return nullptr;
  return &m_PlayerRecord[chair];
}

bool GameViewBase::SetPlayerExtraToPlayerNode(const char* record, int len, PlayerNode* out) {
  if (record == nullptr || out == nullptr || len < kPlayerExtraSize) {
    cocos2d::log("SetPlayerExtraToPlayerNode: record of length %d refused", len);
    return false;
  }
  auto readInt = [record](int at) {
    std::int32_t v = 0;
    std::memcpy(&v, record + at, 4);
    return v;
  };
  PlayerNode node;
  node.iUserID = readInt(0);
  node.iMoney = readInt(4);
  node.iYuanBao = readInt(8);
  node.cChairID = static_cast<std::uint8_t>(record[12]);
  node.cHeadID = static_cast<std::int8_t>(record[13]);
  node.iLevel = readInt(16);
  node.iWinNum = readInt(20);
  node.iLoseNum = readInt(24);
  ddz::os::CopyBounded(node.szNickName, sizeof(node.szNickName), std::string_view(record + 28, strnlen(record + 28, 32)));
  *out = node;
  return true;
}

// ---------------------------------------------------------------- single-player

bool GameViewBase::EnsureSingleServer() {
  if (m_pSingleServer != nullptr) return true;
  m_pSingleServer = CallBackCreateSingleServer();
  if (m_pSingleServer == nullptr) {
    cocos2d::log("CallBackCreateSingleServer gave no local server");
    return false;
  }
  return true;
}

void GameViewBase::AuthenLocally() {
  m_GlobalInfo.iChairID = kSingleOwnChair;
  PlayerNode self;
  self.iUserID = m_GlobalInfo.iUserID;
  ddz::os::CopyBounded(self.szNickName, sizeof(self.szNickName), m_GlobalInfo.szNickName);
  ddz::os::CopyBounded(self.szUserName, sizeof(self.szUserName), m_GlobalInfo.szUserName);
  self.iMoney = m_GlobalInfo.iMoney;
  self.iYuanBao = m_GlobalInfo.iYuanBao;
  self.cChairID = kSingleOwnChair;
  self.cHeadID = static_cast<std::int8_t>(m_GlobalInfo.iHeadID);
  self.iWinNum = m_GlobalInfo.iSingleWinNum;
  self.iLoseNum = m_GlobalInfo.iSingleLoseNum;
  self.iPlayCount = m_GlobalInfo.iSingleGameAmount;
  m_PlayerRecord[kSingleOwnChair] = self;
  cocos2d::log("IniMainSocketAuthen: single-player, authenticated locally");
  CallBackAuthenPlayerInfo(&m_PlayerRecord[kSingleOwnChair]);
  CallBackAuthenResOK();
}

void GameViewBase::SeatSinglePlayers() {
  // The own record keeps what the login gave it.
  PlayerNode self = m_PlayerRecord[kSingleOwnChair];
  ClearPlayers();
  self.cChairID = kSingleOwnChair;
  self.bReady = 1;
  m_PlayerRecord[kSingleOwnChair] = self;

  // Two computer players with two different names of the game texts.
  const int first = YndRand(gamebase::kRobotNameCount);
  const int second = (first + 1 + YndRand(gamebase::kRobotNameCount - 1)) % gamebase::kRobotNameCount;
  const int names[2] = {first, second};
  const int chairs[2] = {0, 2};
  for (int i = 0; i < 2; ++i) {
    PlayerNode& robot = m_PlayerRecord[chairs[i]];
    robot.iUserID = chairs[i] + 1;
    robot.cChairID = static_cast<std::uint8_t>(chairs[i]);
    robot.cHeadID = static_cast<std::int8_t>(names[i]);
    robot.bReady = 1;
    const std::string name = gamebase::GameText(gamebase::kRobotNameFirst + names[i]);
    YndCodeConvert::U2g(name.c_str(), static_cast<int>(name.size()), robot.szNickName,
                        static_cast<int>(sizeof(robot.szNickName)));
    std::memcpy(robot.szUserName, robot.szNickName, sizeof(robot.szUserName));
  }

  for (int chair : {kSingleOwnChair, 0, 2}) {
    const int seat = GetTablePosByTableNumExtra(static_cast<char>(chair));
    if (seat < 0) continue;
    m_pPlayerNode[seat] = &m_PlayerRecord[chair];
    CallBackPlayerJoinTable(seat);
  }
}

// ---------------------------------------------------------------- callbacks

void GameViewBase::CallBackLoadingEnd() {
  if (IsSinglePlayer()) EnsureSingleServer();
}

void GameViewBase::CallBackHandleMainSocketNetMsg(char*, int) {}
bool GameViewBase::CallBackFirstHandleMainSocketNetMsg(char*, int) { return false; }
void GameViewBase::CallBackHandleAllSocketNetMsg(char*, int) {}

void GameViewBase::HandleSitRes(char* msg, int len) {
  if (msg == nullptr || len < kSitResultSize) {
    cocos2d::log("HandleSitRes: message of length %d refused", len);
    return;
  }
  if (msg[8] != 1) {
    DebugMessageBox("sit down error");
    return;
  }
  std::int32_t table = 0;
  std::int32_t chair = 0;
  std::memcpy(&table, msg + 12, 4);
  std::memcpy(&chair, msg + 16, 4);
  if (chair < 0 || chair >= kMaxChairs) {
    cocos2d::log("HandleSitRes: chair %d refused", chair);
    return;
  }
  m_GlobalInfo.iTableNum = table;
  m_GlobalInfo.iChairID = chair;
}

void GameViewBase::CallBackAuthenPlayerInfo(PlayerNode*) {}
void GameViewBase::CallBackAuthenResOK() {}
void GameViewBase::CallBackPlayerJoinTable(int) {}
void GameViewBase::CallBackPlayerLeaveTable(int) {}
void GameViewBase::CallBackOtherPlayerDisconnect(int) {}
void GameViewBase::CallBackOtherPlayerLoginAgain(int) {}
void GameViewBase::CallBackPlayerReady(int) {}
void GameViewBase::CallBackKickOutServerNotice(int, KickOutServer*) {}
void GameViewBase::CallBackGameResultServer(char*, int) {}
void GameViewBase::CallBackAgainLogin(char*, int) {}
void GameViewBase::CallBackShowBullInfo(char*, int) {}
void GameViewBase::CallBackUrgrCard(char*, int) {}
void GameViewBase::CallBackFaceNotice(char*, int) {}
void GameViewBase::CallBackJackPotNotice(char*, int) {}
void GameViewBase::CallBackHongBaoNotice(char*, int) {}
void GameViewBase::CallBackEscapeNotice(int) {}
void GameViewBase::CallBackPlayerNetDelay(int, int) {}
void GameViewBase::CallBackUpdate() {}
void GameViewBase::CallBackHandleFriendCard(char*, int) {}
void GameViewBase::CallBackHandleActiveMoney(char*, int) {}
void GameViewBase::QuitGameNow() { QuitGame(nullptr); }

void GameViewBase::CallBackGameEnterBackGround() {
  // A second background before the foreground holds nothing more.
  if (m_bBackgroundHold) return;
  m_iLockMainMsgCount += 1;
  m_bBackgroundHold = true;
  m_uBackgroundGeneration = MainMsgLockGeneration();
}

void GameViewBase::CallBackGameEnterForeGround() {
  // Only the background's own raise is given back, and only while the lock
  // has not been reset since it was raised.
  if (m_bBackgroundHold) {
    if (m_uBackgroundGeneration == MainMsgLockGeneration()) m_iLockMainMsgCount -= 1;
    m_bBackgroundHold = false;
  }
  // The next login is a re-login into the table the window left.
  if (!IsSinglePlayer()) m_bBackgroundReLogin = true;
}

SingleServerBase* GameViewBase::CallBackCreateSingleServer() { return nullptr; }

void GameViewBase::CallBackSendUseMagicExpress(int, int, int) {}
void GameViewBase::CallBackPlaySound(char*) {}
void GameViewBase::CallBackShowExpressSpineAni(char*, bool, float, cocos2d::Vec2) {}
void GameViewBase::HidePlayerInfoOfUser(int) {}
void GameViewBase::GetExpressHeadPos(int, int, int, cocos2d::Vec2&, cocos2d::Vec2&, int&) {}
