#include "platform/gamebase/GameBaseProtocol.h"

#include <algorithm>
#include <cstring>

#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Text.h"

namespace gamebase {
namespace {

Frame NewFrame(std::uint8_t type, int size) {
  Frame f(static_cast<std::size_t>(size), 0);
  f[1] = type;
  f[2] = static_cast<std::uint8_t>(size & 0xff);
  f[3] = static_cast<std::uint8_t>((size >> 8) & 0xff);
  return f;
}

void PutInt(Frame& f, int at, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) f[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t IntAt(const std::uint8_t* buf, int at) { return ddz::LittleEndianAt(reinterpret_cast<const char*>(buf), at); }

// A text field of `width` bytes: the bytes up to the first 0, cut to fit
// `out` at a character boundary.
template <std::size_t N>
void ReadText(const std::uint8_t* buf, int at, int width, char (&out)[N]) {
  const char* text = reinterpret_cast<const char*>(buf + at);
  ddz::os::CopyBounded(out, N, std::string_view(text, strnlen(text, static_cast<std::size_t>(width))));
}

void PutText(Frame& f, int at, int width, const char* text) {
  const std::size_t n = std::min(strnlen(text, static_cast<std::size_t>(width)), static_cast<std::size_t>(width - 1));
  std::memcpy(f.data() + at, text, n);
}

constexpr int kAuthenResultSize = kAuthenRecordAt + kPlayerRecordSize;
constexpr int kPlayerJoinSize = 8 + kPlayerRecordSize + 4;

}  // namespace

int MinimumLength(int type) {
  switch (type) {
    case NetType::AuthenResult: return kAuthenResultSize;
    case NetType::SitResult: return GameViewBase::kSitResultSize;
    case NetType::PlayerJoin: return kPlayerJoinSize - 2;
    case NetType::PlayerLeave:
    case NetType::PlayerOffline:
    case NetType::PlayerBack:
    case NetType::PlayerReady: return 9;
    case NetType::NetDelay: return 16;
    case NetType::KickOut: return static_cast<int>(sizeof(KickOutServer));
    case NetType::EscapeNotice: return 12;
    case NetType::KeepAlive: return 16;
    default: return kHeaderSize;
  }
}

Frame BuildAuthenRequest(const AuthenRequest& req) {
  Frame f = NewFrame(ReqType::Authen, ReqSize::Authen);
  PutInt(f, 8, req.userId);
  PutText(f, 12, 20, req.token);
  PutText(f, 32, 32, req.clientVersion);
  PutInt(f, 64, req.gameId);
  PutInt(f, 68, req.kind);
  f[72] = req.reLogin ? 1 : 0;
  return f;
}

bool ReadAuthenRequest(const std::uint8_t* buf, int len, AuthenRequest& out) {
  if (buf == nullptr || len < ReqSize::Authen || buf[1] != ReqType::Authen) return false;
  AuthenRequest req;
  req.userId = IntAt(buf, 8);
  ReadText(buf, 12, 20, req.token);
  ReadText(buf, 32, 32, req.clientVersion);
  req.gameId = IntAt(buf, 64);
  req.kind = IntAt(buf, 68);
  req.reLogin = buf[72] == 1;
  out = req;
  return true;
}

void WritePlayerRecord(const PlayerNode& node, std::uint8_t* out) {
  Frame f(kPlayerRecordSize, 0);
  PutInt(f, 0, node.iUserID);
  PutInt(f, 4, node.iMoney);
  PutInt(f, 8, node.iYuanBao);
  f[12] = node.cChairID;
  f[13] = static_cast<std::uint8_t>(node.cHeadID);
  PutInt(f, 16, node.iLevel);
  PutInt(f, 20, node.iWinNum);
  PutInt(f, 24, node.iLoseNum);
  PutText(f, 28, 32, node.szNickName);
  std::memcpy(out, f.data(), f.size());
}

Frame BuildAuthenResult(const AuthenResult& res) {
  Frame f = NewFrame(NetType::AuthenResult, kAuthenResultSize);
  PutInt(f, 8, res.result);
  PutInt(f, 12, res.table);
  PutInt(f, 16, res.chair);
  f[20] = res.handInPlay ? 1 : 0;
  PutInt(f, 24, res.serverTime);
  WritePlayerRecord(res.self, f.data() + kAuthenRecordAt);
  return f;
}

bool ReadAuthenResult(const std::uint8_t* buf, int len, AuthenResult& out) {
  if (buf == nullptr || len < kAuthenResultSize) return false;
  AuthenResult res;
  if (!GameViewBase::SetPlayerExtraToPlayerNode(reinterpret_cast<const char*>(buf + kAuthenRecordAt),
                                                kPlayerRecordSize, &res.self))
    return false;
  res.result = IntAt(buf, 8);
  res.table = IntAt(buf, 12);
  res.chair = IntAt(buf, 16);
  res.handInPlay = buf[20] == 1;
  res.serverTime = IntAt(buf, 24);
  out = res;
  return true;
}

Frame BuildSitResult(bool accepted, int table, int chair) {
  Frame f = NewFrame(NetType::SitResult, GameViewBase::kSitResultSize);
  f[8] = accepted ? 1 : 0;
  PutInt(f, 12, table);
  PutInt(f, 16, chair);
  return f;
}

Frame BuildPlayerJoin(const PlayerNode& node) {
  Frame f = NewFrame(NetType::PlayerJoin, kPlayerJoinSize);
  WritePlayerRecord(node, f.data() + 8);
  f[68] = node.bReady;
  f[69] = node.bShortClock;
  return f;
}

Frame BuildSeatNotice(std::uint8_t type, int chair) {
  Frame f = NewFrame(type, 12);
  f[8] = static_cast<std::uint8_t>(chair);
  return f;
}

Frame BuildNetDelay(int chair, int delay) {
  Frame f = NewFrame(NetType::NetDelay, 16);
  f[8] = static_cast<std::uint8_t>(chair);
  PutInt(f, 12, delay);
  return f;
}

Frame BuildKickOut(int reason, std::string_view text, int flag) {
  Frame f = NewFrame(NetType::KickOut, static_cast<int>(sizeof(KickOutServer)));
  PutInt(f, 8, reason);
  std::memcpy(f.data() + 16, text.data(), std::min<std::size_t>(text.size(), 127));
  PutInt(f, 144, flag);
  return f;
}

Frame BuildEscapeNotice(int code) {
  Frame f = NewFrame(NetType::EscapeNotice, 12);
  PutInt(f, 8, code);
  return f;
}

Frame BuildKeepAliveAnswer(std::int32_t sequence, std::uint32_t clientMs) {
  Frame f = NewFrame(NetType::KeepAlive, 16);
  PutInt(f, 8, sequence);
  PutInt(f, 12, static_cast<std::int32_t>(clientMs));
  return f;
}

Frame BuildFrame(std::uint8_t type, const std::vector<std::uint8_t>& body) {
  const int size = std::min(kHeaderSize + static_cast<int>(body.size()), GameViewBase::kMaxGameMessage);
  Frame f = NewFrame(type, size);
  std::copy(body.begin(), body.begin() + (size - kHeaderSize), f.begin() + kHeaderSize);
  return f;
}

Frame BuildSitRequest() { return NewFrame(ReqType::Sit, ReqSize::Sit); }
Frame BuildReadyRequest() { return NewFrame(ReqType::Ready, ReqSize::Ready); }

Frame BuildEscapeRequest(int code) {
  Frame f = NewFrame(ReqType::Escape, ReqSize::Escape);
  PutInt(f, 8, code);
  return f;
}

Frame BuildKeepAlive(std::int32_t sequence, std::uint32_t clientMs) {
  Frame f = NewFrame(ReqType::KeepAlive, ReqSize::KeepAlive);
  PutInt(f, 8, sequence);
  PutInt(f, 12, static_cast<std::int32_t>(clientMs));
  return f;
}

}  // namespace gamebase
