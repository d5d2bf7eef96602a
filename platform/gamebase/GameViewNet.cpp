// GameViewBase: the network road. The connection and its login, the
// requests of the seat, the game base's own frames and the notices they
// raise, the keep-alive of the net test, the lost connection, and the stash
// of a frame at the front of the queue.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndAes.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameMsgPump.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameText.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/Text.h"

namespace NetType = gamebase::NetType;

namespace {
std::uint64_t NowMs() { return ddz::os::Clock().NowMs(); }
}  // namespace

TcpClientSock& GameViewBase::GetMainSocket() { return GameMsgPump::Instance().Socket(); }

bool GameViewBase::OwnsMainSocket() const { return GameMsgPump::Instance().NetView() == this; }

// ---------------------------------------------------------------- the login

void GameViewBase::ConnectAndAuthen() {
  GameMsgPump& pump = GameMsgPump::Instance();
  TcpClientSock& sock = pump.Socket();
  m_bNetFailReported = false;
  m_bKickOutNotice = false;
  pump.SetNetView(this);
  const bool sameServer = sock.GetState() != TcpClientSock::State::Closed &&
                          sock.GetAddress() == m_GlobalInfo.szServerIP && sock.GetPort() == m_GlobalInfo.iServerPort;
  if (!sameServer) {
    cocos2d::log("IniMainSocketAuthen: connecting to %s:%u", m_GlobalInfo.szServerIP,
                 static_cast<unsigned>(m_GlobalInfo.iServerPort));
    if (sock.ConnectServer(m_GlobalInfo.szServerIP, m_GlobalInfo.iServerPort, kConnectSeconds, kConnectTries) < 0) {
      OnNetConnectFailed(TcpClientSock::kErrRefused);
      return;
    }
  }
  SendAuthenReq(1);
}

void GameViewBase::SendNetAuthen(int kind) {
  gamebase::AuthenRequest req;
  req.userId = m_GlobalInfo.iUserID;
  ddz::os::CopyBounded(req.token, sizeof(req.token), m_GlobalInfo.szUserToken);
  ddz::os::CopyBounded(req.clientVersion, sizeof(req.clientVersion), m_GlobalInfo.szClientVersion);
  GameSceneBase* scene = m_pGameScene != nullptr ? m_pGameScene : GameSceneBase::m_pGameScene;
  req.gameId = scene != nullptr ? scene->GetGameID() : GameSceneBase::kDefaultGameKind;
  req.kind = kind;
  req.reLogin = m_bServerMove != 0 || m_bBackgroundReLogin;
  GameMsgPump& pump = GameMsgPump::Instance();
  pump.SetNetView(this);
  m_bNetFailReported = false;
  m_bKickOutNotice = false;
  // A login (on a fresh connection, or on the one a server move made) is
  // not lost by the loss of an earlier connection still waiting in the queue.
  pump.DropFor(this, GameMsgPump::Drop::Failure);
  const gamebase::Frame frame = gamebase::BuildAuthenRequest(req);
  if (!GetMainSocket().SendData(frame.data(), static_cast<int>(frame.size()))) {
    cocos2d::log("SendAuthenReq: no game server connection");
    OnNetConnectFailed(TcpClientSock::kErrWrite);
    return;
  }
  m_bReLoginPending = req.reLogin;
  m_bAuthenPending = true;
  m_uAuthenDeadline = NowMs() + kAuthenWaitMs;
  cocos2d::log("SendAuthenReq: user %d kind %d%s", req.userId, kind, req.reLogin ? " (re-login)" : "");
}

void GameViewBase::SendNetRequest(const std::vector<std::uint8_t>& frame, const char* what) {
  if (!OwnsMainSocket() || !GetMainSocket().SendData(frame.data(), static_cast<int>(frame.size())))
    cocos2d::log("%s: no game server connection, dropped", what);
}

void GameViewBase::CloseAllSocketConnect(bool notify) {
  m_bNetTest = false;
  m_bAuthenPending = false;
  if (OwnsMainSocket()) GetMainSocket().DisconnectServer(0, notify);
}

void GameViewBase::OnMainSocketClosed(int kind) {
  // A close on purpose (a server move, leaving): no failure, no answer due.
  m_bAuthenPending = false;
  cocos2d::log("GameViewBase: game server connection closed (%d)", kind);
}

void GameViewBase::StartNetTest() {
  m_bNetTest = true;
  m_uNextKeepAlive = NowMs() + kKeepAliveMs;
  m_uSilenceFrom = NowMs();
}

void GameViewBase::NetTick() {
  const std::uint64_t now = NowMs();
  if (m_bAuthenPending && now >= m_uAuthenDeadline) {
    cocos2d::log("GameViewBase: no authentication answer within %d ms", kAuthenWaitMs);
    LoseConnection(TcpClientSock::kErrTimedOut);
    return;
  }
  TcpClientSock& sock = GetMainSocket();
  if (!OwnsMainSocket() || !sock.IsConnected()) return;
  // Answers are due while the keep-alive goes out, and the rest of a frame
  // once its start is in: a server that sends neither is gone.
  if (m_bNetTest || sock.PartialFrameBytes() > 0) {
    const std::uint64_t quietSince = std::max(sock.LastReceiveMs(), m_bNetTest ? m_uSilenceFrom : 0);
    if (now >= quietSince + kSilenceMs) {
      cocos2d::log("GameViewBase: nothing from the game server for %d ms (%zu bytes of a frame held)", kSilenceMs,
                   sock.PartialFrameBytes());
      LoseConnection(TcpClientSock::kErrSilent);
      return;
    }
  }
  if (m_bNetTest && !IsSinglePlayer() && now >= m_uNextKeepAlive) {
    m_uNextKeepAlive = now + kKeepAliveMs;
    const gamebase::Frame frame = gamebase::BuildKeepAlive(++m_iKeepAliveSeq, static_cast<std::uint32_t>(now));
    sock.SendData(frame.data(), static_cast<int>(frame.size()));
  }
}

void GameViewBase::LoseConnection(int code) {
  m_bAuthenPending = false;
  m_bNetTest = false;
  // Nothing more arrives; what arrived whole is delivered before the report.
  if (OwnsMainSocket()) GetMainSocket().DisconnectServer(code, false);
  GameMsgPump& pump = GameMsgPump::Instance();
  if (pump.CountFor(this) == 0) {
    OnNetConnectFailed(code);
  } else {
    pump.PostFailure(this, code);
  }
}

void GameViewBase::OnNetConnectFailed(int code) {
  m_bAuthenPending = false;
  m_bNetTest = false;
  if (OwnsMainSocket()) GetMainSocket().DisconnectServer(code, false);
  // Nothing of a broken connection is delivered after the failure.
  GameMsgPump::Instance().DropFor(this, GameMsgPump::Drop::All);
  if (m_bNetFailReported) return;
  m_bNetFailReported = true;
  cocos2d::log("OnNetConnectFailed: game server %s:%u lost (%d)", m_GlobalInfo.szServerIP,
               static_cast<unsigned>(m_GlobalInfo.iServerPort), code);
  // The box of a kick-out notice of this connection says why and leaves the
  // table: it stays. One without a way out gives way to the lost box.
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  if (m_bKickOutNotice && box->IsOpen() && box->GetTarget() == this &&
      box->GetConfirmAction() == static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame)) {
    cocos2d::log("OnNetConnectFailed: the kick-out notice's box stays");
    return;
  }
  const std::string text = gamebase::GameText(kTextNetLost);
  cocos2d::Node* parent = isRunning() ? static_cast<cocos2d::Node*>(this)
                                      : static_cast<cocos2d::Node*>(cocos2d::Director::getInstance()->getRunningScene());
  GameMsgBox::shareMessageBox()->ShowMessage(text.empty() ? "connect all port error" : text.c_str(), 1, this,
                                             static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame), nullptr,
                                             0.0f, 0, true, parent);
}

// ---------------------------------------------------------------- the stash

bool GameViewBase::StashFrameAtFront(const char* frame, int len) {
  if (frame == nullptr || len < kFrameSize || len > kMaxGameMessage) {
    cocos2d::log("StashFrameAtFront: frame of length %d refused", len);
    return false;
  }
  std::vector<char> sealed(static_cast<std::size_t>(len + kAesOverhead));
  int sealedLen = static_cast<int>(sealed.size());
  if (aes_enc_r(frame, len, kStashKey, static_cast<int>(std::strlen(kStashKey)), sealed.data(), &sealedLen) != 0) {
    cocos2d::log("StashFrameAtFront: the frame could not be encrypted, dropped");
    return false;
  }
  sealed.resize(static_cast<std::size_t>(sealedLen));
  GameMsgPump::Instance().PostFront(this, std::move(sealed), true);
  return true;
}

// ---------------------------------------------------------------- frames

int GameViewBase::SeatOfChairByte(char chair, const char* what) const {
  const int seat = GetTablePosByTableNumExtra(chair);
  if (seat < 0) cocos2d::log("%s: chair %d is no seat, dropped", what, static_cast<signed char>(chair));
  return seat;
}

void GameViewBase::HandleGameBaseFrame(char* msg, int len) {
  const int type = static_cast<std::uint8_t>(msg[1]);
  if (len < gamebase::MinimumLength(type)) {
    cocos2d::log("GameViewBase: frame %d of length %d is shorter than %d, dropped", type, len,
                 gamebase::MinimumLength(type));
    return;
  }
  switch (type) {
    case NetType::AuthenResult: HandleAuthenResult(msg, len); break;
    case NetType::SitResult: HandleSitRes(msg, len); break;
    case NetType::PlayerJoin:
    case NetType::PlayerLeave:
    case NetType::PlayerOffline:
    case NetType::PlayerBack:
    case NetType::PlayerReady:
    case NetType::NetDelay: HandleSeatFrame(type, msg, len); break;
    case NetType::KickOut: {
      m_bKickOutNotice = true;
      KickOutServer notice;
      std::memcpy(&notice, msg, sizeof notice);
      notice.szText[sizeof(notice.szText) - 1] = '\0';
      CallBackKickOutServerNotice(ddz::LittleEndianAt(msg, 8), &notice);
      break;
    }
    case NetType::AgainLogin: CallBackAgainLogin(msg, len); break;
    case NetType::Bull: CallBackShowBullInfo(msg, len); break;
    case NetType::UrgeCard: CallBackUrgrCard(msg, len); break;
    case NetType::Face: CallBackFaceNotice(msg, len); break;
    case NetType::JackPot: CallBackJackPotNotice(msg, len); break;
    case NetType::HongBao: CallBackHongBaoNotice(msg, len); break;
    case NetType::EscapeNotice: CallBackEscapeNotice(ddz::LittleEndianAt(msg, 8)); break;
    case NetType::FriendCard: CallBackHandleFriendCard(msg, len); break;
    case NetType::ActiveMoney: CallBackHandleActiveMoney(msg, len); break;
    case NetType::KeepAlive: {
      const auto sent = static_cast<std::uint32_t>(ddz::LittleEndianAt(msg, 12));
      m_iNetDelayMs = static_cast<int>(static_cast<std::uint32_t>(NowMs()) - sent);
      break;
    }
    default: break;
  }
}

void GameViewBase::HandleAuthenResult(char* msg, int len) {
  gamebase::AuthenResult res;
  if (!gamebase::ReadAuthenResult(reinterpret_cast<const std::uint8_t*>(msg), len, res)) return;
  if (!m_bAuthenPending) {
    cocos2d::log("GameViewBase: authentication answer with no request, dropped");
    return;
  }
  m_bAuthenPending = false;
  const bool reLogin = m_bReLoginPending;
  m_bReLoginPending = false;
  m_bServerMove = 0;
  m_bBackgroundReLogin = false;
  if (res.result != 0) {
    cocos2d::log("GameViewBase: authentication refused (%d)", res.result);
    CloseAllSocketConnect(false);
    if (RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr)) {
      list->ShowAuthenErrorMsg(res.result);
    } else {
      char text[64];
      std::snprintf(text, sizeof text, "authen error[%d]", res.result);
      GameMsgBox::shareMessageBox()->ShowMessage(text, 1, this,
                                                 static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
    }
    return;
  }
  if (res.serverTime > 0) m_GlobalInfo.iServerTime = res.serverTime;
  PlayerNode* self = &m_SelfRecord;
  m_SelfRecord = res.self;
  if (res.chair >= 0 && res.chair < kMaxChairs) {
    // Seated already (a re-login into a running table): the seats follow the chair.
    m_GlobalInfo.iTableNum = res.table;
    m_GlobalInfo.iChairID = res.chair;
    m_SelfRecord.cChairID = static_cast<std::uint8_t>(res.chair);
    m_PlayerRecord[res.chair] = m_SelfRecord;
    self = &m_PlayerRecord[res.chair];
    const int seat = GetTablePosByTableNumExtra(static_cast<char>(res.chair));
    if (seat >= 0) m_pPlayerNode[seat] = self;
  }
  cocos2d::log("GameViewBase: authenticated as %d%s%s", res.self.iUserID, reLogin ? " (re-login)" : "",
               res.handInPlay ? ", a hand in play" : "");
  CallBackAuthenPlayerInfo(self);
  if (!reLogin) CallBackAuthenResOK();
}

void GameViewBase::HandleSeatFrame(int type, char* msg, int len) {
  if (type == NetType::PlayerJoin) {
    PlayerNode node;
    if (!SetPlayerExtraToPlayerNode(msg + 8, len - 8, &node)) return;
    node.bReady = static_cast<std::uint8_t>(msg[68]);
    node.bShortClock = static_cast<std::uint8_t>(msg[69]);
    const int chair = node.cChairID;
    if (chair >= kMaxChairs) {
      cocos2d::log("GameViewBase: player join for chair %d, dropped", chair);
      return;
    }
    const int seat = SeatOfChairByte(static_cast<char>(chair), "PlayerJoin");
    if (seat < 0) return;
    m_PlayerRecord[chair] = node;
    m_pPlayerNode[seat] = &m_PlayerRecord[chair];
    CallBackPlayerJoinTable(seat);
    return;
  }
  const int seat = SeatOfChairByte(msg[8], "GameViewBase seat notice");
  if (seat < 0) return;
  PlayerNode* player = m_pPlayerNode[seat];
  if (player == nullptr) {
    cocos2d::log("GameViewBase: notice %d for the empty seat %d, dropped", type, seat);
    return;
  }
  switch (type) {
    case NetType::PlayerLeave: {
      CallBackPlayerLeaveTable(seat);
      m_pPlayerNode[seat] = nullptr;
      player->Clear();
      break;
    }
    case NetType::PlayerOffline: CallBackOtherPlayerDisconnect(seat); break;
    case NetType::PlayerBack: CallBackOtherPlayerLoginAgain(seat); break;
    case NetType::PlayerReady:
      player->bReady = 1;
      CallBackPlayerReady(seat);
      break;
    case NetType::NetDelay: CallBackPlayerNetDelay(seat, ddz::LittleEndianAt(msg, 12)); break;
    default: break;
  }
}
