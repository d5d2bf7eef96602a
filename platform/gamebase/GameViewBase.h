// The base of every table view: the login, the seats, the requests to the
// game server or the local server, and the delivery of the game messages to
// the view's virtual callbacks.
//
// Message pump. Every game message, whether the local server produced it or
// (with network play) a game server sent it, is queued first; the frame loop's
// message-pump phase delivers at most one message per frame, oldest first, and
// none while GameViewBase::m_iLockMainMsgCount is above 0 or the hold time
// GameViewBase::m_iLockMainMsgTime has not run out (both are checked again
// before every message, see MainMsgLock.h). A message produced while another
// is handled therefore reaches the view on a later frame, never inside the
// call that produced it. Delivery of one message: CallBackHandleAllSocketNetMsg,
// then CallBackFirstHandleMainSocketNetMsg (true: consumed), then
// CallBackGameResultServer for type 237 (the hand result) and
// CallBackHandleMainSocketNetMsg for every other type.
//
// Single-player (GlobalInfo::iPlayMode 1, user id 0 on the command line): the
// view creates its local server when the library asks (CallBackCreateSingleServer)
// and owns it; the library only borrows the pointer, forgets it when the view
// goes, and never deletes it. Requests (SendMsgToMainSocket) go to the server's
// RecvGameViewMsg; the server's answers come back through PostGameMessage into
// the queue. Authentication is local, the own player sits at chair 1 and two
// computer players at chairs 0 and 2; the seat of a chair is the chair itself.
//
// Network play (GameViewNet.cpp): the process has one connection to the game
// server (TcpClientSock, polled by the pump before it delivers); the view that
// logs in over it gets its frames. The login connects to GlobalInfo's server
// address and port and sends the authentication request; the answer raises
// CallBackAuthenPlayerInfo and, for a fresh entry, CallBackAuthenResOK. A
// login made while m_bServerMove is set or on the return from the background
// is a re-login: no CallBackAuthenResOK (the snapshot of a hand in play comes
// to CallBackAgainLogin); both flags are cleared by the answer. The game
// base's own frames (gamebase::NetType, GameBaseProtocol.h) become HandleSitRes
// and the CallBack* notices; every other type reaches the view unchanged.
// While the net test runs a keep-alive goes out every kKeepAliveMs.
//
// A lost connection: one that cannot be made, breaks off (a close, a read or
// write error, a header that is no frame of the protocol), stays silent past
// kAuthenWaitMs after the login request, or brings nothing for kSilenceMs
// while the client waits for it (the keep-alive's answers while the net test
// runs, the rest of a frame cut half-way). The whole frames it brought before
// are still delivered, in order and under the lock; then the loss is
// reported once through OnNetConnectFailed: a log line, the messages not yet
// delivered dropped, and a box whose OK leaves the table. While the box of a
// kick-out notice of that connection is open and its OK leaves the table, the
// loss is only logged: the notice's box stays and says why.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/gamebase/GameRecords.h"
#include "platform/gamebase/INetLogic.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/SingleServerBase.h"

class AniManage;
class TcpClientSock;
class GameSceneBase;
class YndLoadingBase;

class GameViewBase : public YndGameLayer, public INetLogic, public IGameMessageSink {
 public:
  static constexpr int kMaxSeats = 4;       // screen seats; the own seat is 1
  static constexpr int kMaxChairs = 10;     // player records by server chair
  static constexpr int kSingleOwnChair = 1;
  static constexpr int kFrameSize = 8;
  static constexpr int kMsgGameResult = 237;
  // The largest game message the queue takes.
  static constexpr int kMaxGameMessage = 16 * 1024;
  // The largest request the send call takes.
  static constexpr int kMaxRequest = 4096;
  // The connection: each connect try bounded by kConnectSeconds, kConnectTries
  // tries; the authentication answer awaited kAuthenWaitMs (virtual clock).
  static constexpr int kConnectSeconds = 5;
  static constexpr int kConnectTries = 5;
  static constexpr int kAuthenWaitMs = 10000;
  static constexpr int kKeepAliveMs = 5000;
  // Nothing arriving this long while an answer or the rest of a frame is due
  // loses the connection (six keep-alive periods).
  static constexpr int kSilenceMs = 6 * kKeepAliveMs;
  // The key of frames stashed at the front of the queue (StashFrameAtFront).
  static constexpr const char* kStashKey = "6093";
  // The game text of the lost-connection box.
  static constexpr int kTextNetLost = 17;

  GameViewBase(GameSceneBase* scene, YndLoadingBase* loading);
  ~GameViewBase() override;

  void onEnter() override;
  void onExit() override;

  // ---- process-wide state ----
  static GlobalInfo m_GlobalInfo;
  static MainMsgLockCount m_iLockMainMsgCount;
  static MainMsgHoldTime m_iLockMainMsgTime;
  // Set by the library for the room list: 2 or 3 make it open the exchange box.
  static int m_iRoomShowDuiHuanBox;

  static bool IsSinglePlayer() { return m_GlobalInfo.iPlayMode == 1; }

  // ---- requests ----
  // Sends one request: `buf` starts with the 8-byte header, `len` counts it.
  // A copy goes out with the type in byte 1 and the length (16 bits,
  // little-endian) in bytes 2-3; the caller's buffer is not changed. A buffer
  // shorter than the header or longer than kMaxRequest is dropped (logged).
  void SendMsgToMainSocket(void* buf, int type, int len);
  // Connects and authenticates; the lock is reset to 0 first (a re-login
  // starts from a clean table).
  void IniMainSocketAuthen();
  void SendAuthenReq(int kind);
  // Forgets the players, the seats and the messages not yet delivered.
  void ClearDataBeforeEnter();
  void SendSitReq();
  void SendReadyReq();
  // 0: another table, 98: the mini-game.
  void SendEscapeReq(int code);
  // Leaves the table: the scene's QuitGameView, back to the room list when
  // there is one. Usable as a button or message-box action.
  void QuitGame(cocos2d::Ref* sender = nullptr);
  // Closes the game-server connection (a connection this view logged in
  // over); with `notify` the close is reported to the pump's owner side as a
  // deliberate one. Nothing read after it reaches the view.
  void CloseAllSocketConnect(bool notify);
  // The keep-alive runs while the net test does and the connection is up.
  void StartNetTest();
  void StopNetTest() { m_bNetTest = false; }
  bool IsNetTestRunning() const { return m_bNetTest; }
  void AddAllWinNum(int n) { m_iAllWinNum += n; }
  int GetAllWinNum() const { return m_iAllWinNum; }
  // The settings of m_GlobalInfo (music, sound, volumes, the third switch, the
  // card-counter mode) in the local store; Read puts them back and puts the
  // music and sound switches and volumes in force in the sound manager, so
  // the client starts with the player's sound and the settings window shows it.
  static void WriteSettingInfo();
  static void ReadSettingInfo();
  static void WriteGuideInfo();
  // A debug notice: logged.
  void DebugMessageBox(const char* text);
  void SetLobbyPropTips(int userId, int kind);

  // ---- seats ----
  // The screen seat of a server chair: (chair - own chair + 1 + n) % n with n
  // the player count, so the own chair is seat 1. -1 (logged) for a chair
  // outside 0..n-1.
  int GetTablePosByTableNumExtra(char tableNum) const;
  // The server chair of a screen seat; -1 for a seat outside 0..n-1.
  int GetTableNumByTablePos(int seat) const;
  // The player at a screen seat, null for an empty seat or a seat out of range.
  PlayerNode* GetPlayerNode(int seat) const;
  // The record of a server chair (0..kMaxChairs-1), null out of range.
  PlayerNode* GetPlayerRecord(int chair);
  int GetPlayerCount() const { return m_iPlayerCount; }
  void SetPlayerCount(int count);
  // The own player record in the extra-info layout (kPlayerExtraSize bytes:
  // i32 user id, i32 money, i32 yuanbao, chair byte, head-id byte, two spare
  // bytes, i32 level, i32 wins, i32 losses, 32-byte nickname) into `out`.
  // False, `out` unchanged, for a short record.
  static constexpr int kPlayerExtraSize = 60;
  static bool SetPlayerExtraToPlayerNode(const char* record, int len, PlayerNode* out);

  // ---- the game-server connection ----
  // The process's one connection (a server move disconnects and connects it
  // again, then sends SendAuthenReq(1)).
  static TcpClientSock& GetMainSocket();
  // True while this view is the one the connection's frames go to.
  bool OwnsMainSocket() const;
  // INetLogic: reported once per login (see above).
  void OnNetConnectFailed(int code) override;
  // Keeps a frame for this view at the front of the queue, encrypted with
  // kStashKey (aes_enc_r, the buffer sized from the frame); it is opened and
  // delivered first once the view is on the stage again. False (logged,
  // nothing kept) for a frame outside kFrameSize..kMaxGameMessage.
  bool StashFrameAtFront(const char* frame, int len);
  // The last keep-alive's round trip (ms); -1 before the first answer.
  int GetNetDelayMs() const { return m_iNetDelayMs; }

  // ---- local server ----
  SingleServerBase* GetSingleServer() const { return m_pSingleServer; }

  // ---- message queue ----
  // IGameMessageSink: queues a copy of one whole message for this view. A
  // message shorter than the frame or longer than kMaxGameMessage is dropped
  // (logged).
  void PostGameMessage(const std::uint8_t* buf, int len) override;
  // Messages queued for this view and not yet delivered.
  std::size_t GetPendingMainMsgCount() const;

  AniManage* GetAniManage() const { return m_pAniManage.get(); }

  // ---- callbacks the library raises; the views override them ----
  // The loading has ended (the view also calls it from its onEnter). The
  // base creates the local server in single-player.
  virtual void CallBackLoadingEnd();
  virtual void CallBackHandleMainSocketNetMsg(char* msg, int len);
  // True: the message is consumed and goes no further.
  virtual bool CallBackFirstHandleMainSocketNetMsg(char* msg, int len);
  virtual void CallBackHandleAllSocketNetMsg(char* msg, int len);
  // The sit result: byte 8 = 1 accepted, i32 table at 12, i32 chair at 16.
  // The base keeps the table and chair in m_GlobalInfo.
  static constexpr int kSitResultSize = 20;
  virtual void HandleSitRes(char* msg, int len);
  virtual void CallBackAuthenPlayerInfo(PlayerNode* self);
  virtual void CallBackAuthenResOK();
  virtual void CallBackPlayerJoinTable(int seat);
  virtual void CallBackPlayerLeaveTable(int seat);
  virtual void CallBackOtherPlayerDisconnect(int seat);
  virtual void CallBackOtherPlayerLoginAgain(int seat);
  virtual void CallBackPlayerReady(int seat);
  virtual void CallBackKickOutServerNotice(int reason, KickOutServer* notice);
  virtual void CallBackGameResultServer(char* msg, int len);
  virtual void CallBackAgainLogin(char* msg, int len);
  virtual void CallBackShowBullInfo(char* msg, int len);
  virtual void CallBackUrgrCard(char* msg, int len);
  virtual void CallBackFaceNotice(char* msg, int len);
  virtual void CallBackJackPotNotice(char* msg, int len);
  virtual void CallBackHongBaoNotice(char* msg, int len);
  virtual void CallBackEscapeNotice(int code);
  virtual void CallBackPlayerNetDelay(int seat, int value);
  virtual void CallBackUpdate();
  virtual void CallBackHandleFriendCard(char* msg, int len);
  virtual void CallBackHandleActiveMoney(char* msg, int len);
  virtual void QuitGameNow();
  // Going to the background raises the lock count by one (messages wait
  // while the window is away), once until the foreground; the foreground
  // gives that raise back, once, unless the lock was reset in between. The
  // views' overrides call these first and touch the count no further.
  virtual void CallBackGameEnterBackGround();
  virtual void CallBackGameEnterForeGround();
  // Single-player: the view's local server. The view creates and owns it.
  virtual SingleServerBase* CallBackCreateSingleServer();

  // Operations the views override and call the base of first.
  // A paid expression picked in a seat's info popup: its prop id, the own
  // user id and the user id of the player it is thrown at.
  virtual void CallBackSendUseMagicExpress(int propId, int fromUserId, int toUserId);
  virtual void CallBackPlaySound(char* file);
  virtual void CallBackShowExpressSpineAni(char* name, bool loop, float scale, cocos2d::Vec2 pos);
  virtual void HidePlayerInfoOfUser(int userId);
  virtual void GetExpressHeadPos(int fromSeat, int toSeat, int kind, cocos2d::Vec2& from, cocos2d::Vec2& to,
                                 int& flag);

  // ---- per-view flags ----
  std::uint8_t m_bQuitReport = 0;        // tell the lobby on quitting (set by a hand result)
  std::uint8_t m_bChangeOrientation = 0; // the room list turns the device back when set
  std::uint8_t m_bSpecialEntry = 0;      // written by the scene's EnterGameKind
  std::uint8_t m_bLibraryFlag = 0;       // cleared by the classic view's constructor
  std::uint8_t m_bEnterFlag = 0;
  std::uint8_t m_bForeGroundFlag = 0;    // read by the foreground callback
  std::uint8_t m_bServerMove = 0;
  int m_iHandCount = 0;                  // the base view's hand counter

 protected:
  GameSceneBase* m_pGameScene = nullptr;
  // The player at each screen seat (null: empty), pointing into m_PlayerRecord.
  PlayerNode* m_pPlayerNode[kMaxSeats] = {};
  PlayerNode m_PlayerRecord[kMaxChairs];
  int m_iPlayerCount = 3;
  std::unique_ptr<AniManage> m_pAniManage;

  // Forgets the messages queued for this view and not yet delivered (a view
  // that lays its table out anew from a re-login drops the old hand's). A
  // lost connection waiting behind them is still reported.
  void DropPendingMessages();
  // Forgets only those whose type `which` answers true for; a frame stashed
  // at the front (StashFrameAtFront) stays.
  void DropPendingMessages(bool (*which)(int type));
  // True from the background's raise of the lock until the foreground.
  bool IsBackgroundHeld() const { return m_bBackgroundHold; }

 private:
  friend class GameMsgPump;
  void DeliverMainMsg(char* msg, int len);
  // The network road (GameViewNet.cpp).
  void ConnectAndAuthen();
  void SendNetAuthen(int kind);
  void SendNetRequest(const std::vector<std::uint8_t>& frame, const char* what);
  void HandleGameBaseFrame(char* msg, int len);
  void HandleAuthenResult(char* msg, int len);
  void HandleSeatFrame(int type, char* msg, int len);
  void NetTick();
  void OnMainSocketClosed(int kind);
  // The connection is lost (`code` as for OnNetConnectFailed): it is closed
  // at once, and the loss reported behind the frames still queued.
  void LoseConnection(int code);
  int SeatOfChairByte(char chair, const char* what) const;
  bool EnsureSingleServer();
  void AuthenLocally();
  void SeatSinglePlayers();
  void ClearPlayers();

  SingleServerBase* m_pSingleServer = nullptr;  // borrowed from the derived view
  bool m_bNetTest = false;
  int m_iAllWinNum = 0;
  bool m_bAuthenPending = false;
  bool m_bReLoginPending = false;
  bool m_bBackgroundReLogin = false;  // set by the foreground callback (network play)
  bool m_bNetFailReported = false;
  bool m_bKickOutNotice = false;  // a kick-out notice came on this connection
  bool m_bBackgroundHold = false;
  unsigned m_uBackgroundGeneration = 0;  // the lock's generation at that raise
  std::uint64_t m_uSilenceFrom = 0;      // the net test's start
  std::uint64_t m_uAuthenDeadline = 0;
  std::uint64_t m_uNextKeepAlive = 0;
  std::int32_t m_iKeepAliveSeq = 0;
  int m_iNetDelayMs = -1;
  PlayerNode m_SelfRecord;  // the own record of the last login
  int m_iPumpHook = 0;
};
