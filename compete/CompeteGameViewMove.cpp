// CompeteGameView: the login's sign-up request, the move to the next stage's
// game server (79) and the end of the match with its award certificate (78).
//
// A server move logs in again on the new server as a re-login (the game base
// sends it with the server-move flag set and raises no CallBackAuthenResOK
// for it), so the table stays in the match; the return from the background
// is a re-login too. Only a fresh login reaches AfterAuthenResOK: with no
// sign-up pending it leaves the table.
#include <algorithm>
#include <cstdint>

#include "compete/CompeteAwardLayer.h"
#include "compete/CompeteGameView.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteRoomListLayer.h"
#include "compete/CompeteTableUI.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Log.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Saturate.h"

using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// ---- 79, the server move ----
constexpr int kMoveOutcome = 8;
constexpr int kMoveStage = 12;
constexpr int kMoveTableNum = 13;
constexpr int kMoveRank = 20;
constexpr int kMovePlayers = 24;
constexpr int kMovePlayer = 32;

// ---- 78, the award ----
constexpr int kAwardMoney = 8;
constexpr int kAwardFeeKind4 = 12;
constexpr int kAwardYuanbao = 16;
constexpr int kAwardFeeKind3First = 20;
constexpr int kAwardFeeKind3Second = 24;
constexpr int kAwardValue = 52;

constexpr int kTrackFinal = 2;
constexpr int kEnterModeSignedUp = 1;

std::int8_t SignedByteAt(const char* msg, int at) { return static_cast<std::int8_t>(msg[at]); }

}  // namespace

// ---------------------------------------------------------------- the login

void CompeteGameView::AfterAuthenResOK() {
  if (g_iCompeteEnterMode == kEnterModeSignedUp) {
    SendSignUpRequest(DdzCompete::getInstance()->m_iSignUpFeeType);
    g_iCompeteEnterMode = 0;
    return;
  }
  cocos2d::log("CompeteGameView::AfterAuthenResOK: entered with no sign-up, leaving the table");
  CompeteGameInfo::shareCompeteGameInfo()->m_iState = CompeteGameInfo::kStateNone;
  QuitGame(nullptr);
}

// ---------------------------------------------------------------- 79 the server move
// (79 and 78 come through the dispatcher, which has checked the frame
// against its type's minimum length.)

void CompeteGameView::HandleChangeServer(char* msg, int len) {
  if (!isRunning()) {
    // The user is on another screen: the frame waits at the front of the
    // queue, and the room list brings the table back to take it.
    if (len > kMaxGameMessage) {
      cocos2d::log("CompeteGameView::HandleChangeServer: a frame of %d bytes is too long to keep, dropped", len);
      return;
    }
    m_bServerMove = 1;
    GameMsgBox::shareMessageBox()->CloseDialog(0);
    if (!StashFrameAtFront(msg, len)) return;
    if (RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr)) list->GameViewAuthenResult(0, 0, 0);
    return;
  }
  m_bServerMove = 1;
  GameMsgBox::shareMessageBox()->CloseDialog(0);

  // Nobody of the last stage's table comes along.
  for (int seat = 0; seat < kMaxSeats; ++seat) m_pPlayerNode[seat] = nullptr;
  for (PlayerNode& record : m_PlayerRecord) record.Clear();
  TcpClientSock& sock = GetMainSocket();
  sock.DisconnectServer(1, true);
  const int port = static_cast<int>(m_GlobalInfo.iServerPort) + kServerMovePortStep;
  if (sock.ConnectServer(m_GlobalInfo.szServerIP, port, kConnectSeconds, kConnectTries) < 0) {
    DebugMessageBox("connect all port error");
    return;
  }
  // The new stage's server is this match's server from now on: a return from
  // the background logs in there again.
  m_GlobalInfo.iServerPort = static_cast<std::uint16_t>(port);
  SendAuthenReq(1);

  PlayerNode self;
  if (SetPlayerExtraToPlayerNode(msg + kMovePlayer, len - kMovePlayer, &self)) CallBackAuthenPlayerInfo(&self);
  iCurOrder = BigEndianAt(msg, kMoveRank);
  iAllPlayer = BigEndianAt(msg, kMovePlayers);
  iTableNum = SignedByteAt(msg, kMoveTableNum);
  CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
  const int stage = SignedByteAt(msg, kMoveStage);
  match->m_iStageNo = stage;
  SetPromotionsForStage(stage);
  // The bar's status line names the table of the new stage from now on; the
  // deals of the stages before the final one do not give it again.
  if (m_pCompeteTableUI != nullptr) m_pCompeteTableUI->UpdateTableNum(iTableNum);
  ShowPromotion(SignedByteAt(msg, kMoveOutcome));
}

// ---------------------------------------------------------------- 78 the award

void CompeteGameView::HandleCompeteAward(char* msg, int len) {
  CloseAllSocketConnect(false);
  CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
  match->m_iState = CompeteGameInfo::kStateFinished;
  const bool barShown = m_pCompeteTableUI != nullptr && m_pCompeteTableUI->isRunning();
  if (barShown) m_pCompeteTableUI->ShowWaitTable(false);

  match->m_iAwardValue = LittleEndianAt(msg, kAwardValue);
  GlobalInfo& info = m_GlobalInfo;
  info.iMoney = ddz::os::SaturatingAdd(info.iMoney, LittleEndianAt(msg, kAwardMoney));
  info.iYuanBao = ddz::os::SaturatingAdd(info.iYuanBao, LittleEndianAt(msg, kAwardYuanbao));
  info.iPrizeHold88 = ddz::os::SaturatingAdd(info.iPrizeHold88, LittleEndianAt(msg, kAwardFeeKind3First));
  info.iPrizeHold89 = ddz::os::SaturatingAdd(info.iPrizeHold89, LittleEndianAt(msg, kAwardFeeKind3Second));
  info.iFeeType4Num = ddz::os::SaturatingAdd(info.iFeeType4Num, LittleEndianAt(msg, kAwardFeeKind4));

  if (IsPromotionLayerShown()) {
    PlayCompeteMusic(kTrackFinal);
    RemovePromotionLayer();
  }
  if (barShown) {
    m_pCompeteTableUI->ShowRank(false);
    m_pCompeteTableUI->ShowStatus(false);
  }
  CompeteAwardLayer* award = CompeteAwardLayer::Show(this, msg, len);
  // Nothing more of the match is delivered while the certificate is up.
  if (award != nullptr) MsgLockToken::Raise(award);
}

CompeteAwardLayer* CompeteGameView::GetAwardLayer() const {
  for (cocos2d::Node* child : getChildren())
    if (auto* award = dynamic_cast<CompeteAwardLayer*>(child)) return award;
  return nullptr;
}
