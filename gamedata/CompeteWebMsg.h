// The signed web messages: short requests of fixed layout to the game's web
// server, beside the game-server socket, and the web view that shows a page
// of that server in a program of its own.
//
// A frame is `len` bytes, little-endian:
//   0   32 hex digits: the signature (GameLogicLayer::FillWebMsgHead: MD5 of
//       bytes 32..len-1 followed by the client's signing key)
//   32  int32 message id
//   36  int32 send time (time() at signing)
//   40  the body of the message id; body bytes not set are zero
// A reply starts with a status byte, 'S' for success; its payload starts at
// byte 61. A reply is read only when it is long enough for every field read
// (kMinReply* below); anything shorter or not 'S' changes nothing.
//
//   id     length  body                                   reply payload
//   20034  44      user id                                int32 invitation flag
//   20035  76      user id, token (char[32])              CompeteUserRecord (1176 bytes)
//   20036  44      match id                               int32 sign-ups, int32 match id
//   20047  88      245, user id, 100, m_iFdLogicArg (3)   int32 entry flag, int32 entry kind
//   1005   100     user id, token, machine text (char[20]) at 76, 13020 at 96: not posted,
//                  hex-encoded into the web view's page address
//
// The base address is "normal_web_url" of "server.conf" in the section that
// "agent.txt" names ([agent_info] use_section, default "release"); the
// signing key is that section's "web_sign_key" (LoadWebSignKey, at start-up).
// Everything runs on the main thread; the blocking forms hold it until the
// web client returns (its time limit bounds that).
#pragma once

#include <cstdint>
#include <string>

#include "gamedata/CompeteRecords.h"
#include "platform/os/Launcher.h"

class YndGameLayer;

class CompeteWebMsg {
 public:
  // Message ids and frame lengths.
  static constexpr int kMsgEnterCompete = 20034;
  static constexpr int kMsgCompeteRoomInfo = 20035;
  static constexpr int kMsgSignUpCount = 20036;
  static constexpr int kMsgFdLogicData = 20047;
  static constexpr int kMsgWebView = 1005;
  static constexpr int kLenEnterCompete = 44;
  static constexpr int kLenCompeteRoomInfo = 76;
  static constexpr int kLenSignUpCount = 44;
  static constexpr int kLenFdLogicData = 88;
  static constexpr int kLenWebView = 100;
  static constexpr int kHeadSize = 40;
  // Replies: the payload's offset, the blocking reply area, and the shortest
  // reply of each kind that holds the fields read.
  static constexpr int kReplyPayload = 61;
  static constexpr int kReplyAreaSize = 2048;
  static constexpr int kMinReplyEnterCompete = kReplyPayload + 4;
  static constexpr int kMinReplyFdLogicData = kReplyPayload + 8;
  static constexpr int kMinReplySignUpCount = kReplyPayload + 8;
  static constexpr int kMinReplyCompeteRoomInfo = kReplyPayload + static_cast<int>(sizeof(CompeteUserRecord));
  // Least seconds between two requests of a kind (the first is always sent).
  static constexpr int kEnterCompeteGap = 3600;
  static constexpr int kFdLogicGap = 3600;
  static constexpr int kRoomInfoGap = 300;
  static constexpr int kSignUpCountGap = 300;

  static CompeteWebMsg* shareCompeteWebMsg();
  virtual ~CompeteWebMsg();

  // Reads the base address from configuration and registers it with the web
  // client (done at construction; again after the configuration changed).
  void LoadWebUrl();

  // Signs the frame (`buf`, `len` bytes, body from byte 40 already built) and
  // sends it. Asynchronous: 0, or the web client's refusal; the reply reaches
  // target's CallBackAsyncHttpRes with msgId. Blocking: the web client's
  // result (0 on success) with the reply in replyBuf and its length in
  // replyLen (the capacity going in). A frame the signer refuses (under 40
  // or over 2062 bytes) sends nothing: kWebErrBadArgument.
  int SendWebMsg(int msgId, bool bAsync, char* buf, int len, char* replyBuf, int& replyLen,
                 YndGameLayer* target);

  // 20034, asynchronous to target, unless the local flag "lobby_if_examine"
  // is set or the last answer came within the hour. Always 0.
  int SendEnterCompeteQuery(YndGameLayer* target);
  // 20047 for `userId` when the last accepted answer is over an hour old
  // (else 0 and nothing sent). Asynchronous: 0 (the caller stores the reply
  // with FdLogicData::AcceptReply). Blocking: 0 when the reply was accepted
  // into FdLogicData, -1 otherwise.
  int QueryFdLogicData(bool bSync, YndGameLayer* target, int userId);
  // 20036 for one match, asynchronous to target (the list's sign-up counts).
  int SendSignUpCountQuery(int matchId, YndGameLayer* target);

  // Opens the web view: ends the one opened before, then starts the web-view
  // program (ddz::os::WebViewProgram(), else "Oskel" in the program folder)
  // through the platform launcher with the argument vector
  //   program, "<url>?hex=<the signed 1005 frame in hex>&hbver=2", "780", "542", "2", "斗地主比赛".
  // Started: "tx_web_result.dat" in the program folder is deleted. Not
  // started: the system message box "启动失败" / "创建进程".
  void ShowWebView();

  // ---- reply readers: false, outputs untouched, unless the reply is 'S'
  // and long enough ----
  static bool IsAcceptedReply(const char* reply, int len, int minLen);
  static bool ReadEnterCompeteReply(const char* reply, int len, std::int32_t& invite);
  static bool ReadFdLogicReply(const char* reply, int len, std::int32_t& flag, std::int32_t& kind);
  static bool ReadSignUpCountReply(const char* reply, int len, std::int32_t& count, std::int32_t& matchId);
  static bool ReadCompeteRoomInfoReply(const char* reply, int len, CompeteUserRecord& record);

  char m_szWebUrl[1024] = {};
  // The web-view program started last, as the launcher reported it; all
  // zero when none runs.
  ddz::os::ProcessExitState m_ProcessInfo;
  const std::int32_t m_iFdLogicArg = 3;

 private:
  CompeteWebMsg();
};

// The two values of the 20047 answer that the classic room list uses.
class FdLogicData {
 public:
  static FdLogicData* shareFdLogicData();
  virtual ~FdLogicData();

  // Stores a 20047 reply received at `now`: the entry flag and kind (a kind
  // outside 1..3 is stored as 1) and the time. False, nothing changed, for a
  // reply that is not accepted.
  bool AcceptReply(const char* reply, int len, std::int32_t now);
  // Back to the state at start (tests).
  void Reset();

  std::int32_t m_tLastQuery = 0;   // time of the last accepted reply
  std::int32_t m_iEntryFlag = 0;   // 1: the classic room list shows the extra entry button
  std::int32_t m_iEntryKind = 0;   // 1..3
  std::int32_t m_iEntryClicked = 0;

 private:
  FdLogicData() = default;
};

namespace ddz {
// The configuration section this client uses: "use_section" of "agent.txt"
// ([agent_info]), "release" when missing.
std::string ServerSection();
// Hands the configured signing key (18 characters of a-z, 0-9, '!' and '#')
// to GameLogicLayer::SetWebSignKey; a key of another form is refused with a
// log line and no key is set. False when no usable key is configured.
bool LoadWebSignKey();
// Whether a 20034, 20035, 20036 or 20047 may go out at `now` after one at
// `last` (0: never): always the first time, then more than `gap` seconds later.
bool WebQueryDue(std::int32_t last, std::int32_t now, int gap);
}  // namespace ddz
