// The game base's own frames on the game-server connection: the login, the
// seating, ready and escape, the keep-alive of the net test and the notices
// the base turns into the views' CallBack* operations. docs/PROTOCOL.md
// describes each one; this header is the one place their numbers and
// layouts are written.
//
// Frames: an 8-byte header (byte 1 the type, bytes 2-3 the whole length,
// 16-bit little-endian; the other bytes 0) and a body from byte 8. Integers
// are little-endian. The base's types lie apart from every table's (see
// docs/PROTOCOL.md); every other type reaches the view unchanged.
//
// Readers take (frame, length), refuse a frame shorter than the last field
// they read, and leave their output untouched when they refuse.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gamebase/GameRecords.h"

namespace gamebase {

using Frame = std::vector<std::uint8_t>;

constexpr int kHeaderSize = 8;

// Requests, client to server.
namespace ReqType {
constexpr std::uint8_t Authen = 1;
constexpr std::uint8_t Sit = 2;
constexpr std::uint8_t Ready = 3;
constexpr std::uint8_t Escape = 4;
constexpr std::uint8_t KeepAlive = 5;
}  // namespace ReqType

namespace ReqSize {
constexpr int Authen = 76;
constexpr int Sit = 8;
constexpr int Ready = 8;
constexpr int Escape = 12;
constexpr int KeepAlive = 16;
}  // namespace ReqSize

// Server frames the base reads itself.
namespace NetType {
constexpr std::uint8_t AuthenResult = 100;
constexpr std::uint8_t SitResult = 101;
constexpr std::uint8_t PlayerJoin = 102;
constexpr std::uint8_t PlayerLeave = 103;
constexpr std::uint8_t PlayerOffline = 104;
constexpr std::uint8_t PlayerBack = 105;
constexpr std::uint8_t PlayerReady = 106;
constexpr std::uint8_t NetDelay = 107;
constexpr std::uint8_t KickOut = 108;
constexpr std::uint8_t AgainLogin = 109;
constexpr std::uint8_t Bull = 110;
constexpr std::uint8_t UrgeCard = 111;
constexpr std::uint8_t Face = 112;
constexpr std::uint8_t JackPot = 113;
constexpr std::uint8_t HongBao = 114;
constexpr std::uint8_t EscapeNotice = 115;
constexpr std::uint8_t FriendCard = 116;
constexpr std::uint8_t ActiveMoney = 117;
constexpr std::uint8_t KeepAlive = 118;
constexpr std::uint8_t First = AuthenResult;
constexpr std::uint8_t Last = KeepAlive;
}  // namespace NetType

// True for the types the base reads itself (they never reach a view's
// CallBackHandleMainSocketNetMsg).
constexpr bool IsGameBaseType(int type) { return type >= NetType::First && type <= NetType::Last; }

// The smallest length the base accepts for each of its types (the end of the
// last field it reads); frames of the notices it hands on whole need only
// the header, their views check the rest.
int MinimumLength(int type);

// ---- the login ----

// Request 1: i32 user id at 8, token (20 bytes) at 12, client version (32
// bytes) at 32, i32 game id at 64, i32 kind at 68 (1 a login), byte 72 = 1
// for a re-login (a server move or the return from the background).
struct AuthenRequest {
  std::int32_t userId = 0;
  char token[20] = {};
  char clientVersion[32] = {};
  std::int32_t gameId = 0;
  std::int32_t kind = 1;
  bool reLogin = false;
};
Frame BuildAuthenRequest(const AuthenRequest& req);
bool ReadAuthenRequest(const std::uint8_t* buf, int len, AuthenRequest& out);

// Frame 100: i32 result at 8 (0 accepted, else the error code shown), i32
// table at 12 and i32 chair at 16 (-1: not seated), byte 20 = 1 when a hand
// is in play at that table (its snapshot, frame 109, follows), i32 server
// time (seconds) at 24, the own player record at 28 in the 60-byte
// extra-info layout (GameViewBase::SetPlayerExtraToPlayerNode).
constexpr int kAuthenRecordAt = 28;
struct AuthenResult {
  std::int32_t result = 0;
  std::int32_t table = -1;
  std::int32_t chair = -1;
  bool handInPlay = false;
  std::int32_t serverTime = 0;
  PlayerNode self;
};
Frame BuildAuthenResult(const AuthenResult& res);
bool ReadAuthenResult(const std::uint8_t* buf, int len, AuthenResult& out);

// The 60-byte extra-info record: i32 user id, i32 money, i32 yuanbao, chair
// byte, head-id byte, two spare bytes, i32 level, i32 wins, i32 losses,
// 32-byte nickname (GBK).
constexpr int kPlayerRecordSize = 60;
void WritePlayerRecord(const PlayerNode& node, std::uint8_t* out);

// ---- the table ----

// Frame 101 (the sit result): byte 8 = 1 accepted, i32 table at 12, i32
// chair at 16 (GameViewBase::HandleSitRes reads it).
Frame BuildSitResult(bool accepted, int table, int chair);

// Frame 102: the player record at 8 (its chair byte is the chair), byte 68
// the ready flag, byte 69 the short-clock flag.
Frame BuildPlayerJoin(const PlayerNode& node);
// Frames 103-106: the chair at byte 8.
Frame BuildSeatNotice(std::uint8_t type, int chair);
// Frame 107: the chair at byte 8, i32 delay (ms) at 12.
Frame BuildNetDelay(int chair, int delay);
// Frame 108: i32 reason at 8, the notice text (up to 127 bytes) at 16, i32
// flag word at 144: the KickOutServer record of the whole frame.
Frame BuildKickOut(int reason, std::string_view text, int flag);
// Frame 115: i32 code at 8.
Frame BuildEscapeNotice(int code);
// Frame 118 (keep-alive answer): i32 sequence at 8, u32 the client's ms at 12,
// as the request had them.
Frame BuildKeepAliveAnswer(std::int32_t sequence, std::uint32_t clientMs);

// A frame of `type` whose body is `body` (the notices the base hands on whole:
// 109 the re-login snapshot, 110-114, 116 and 117).
Frame BuildFrame(std::uint8_t type, const std::vector<std::uint8_t>& body);

// ---- the requests without a body ----
Frame BuildSitRequest();
Frame BuildReadyRequest();
Frame BuildEscapeRequest(int code);
Frame BuildKeepAlive(std::int32_t sequence, std::uint32_t clientMs);

}  // namespace gamebase
