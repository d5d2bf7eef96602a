// The tournament server's match frames as the game server sends them (the
// length in header bytes 2-3), for the tests of the match flow: the server
// move (79) and the award (78). No GoogleTest here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameRecords.h"

namespace ddz::test {

// A frame of `size` bytes of `type`, zero but for the header.
inline std::vector<std::uint8_t> MatchFrame(int type, std::size_t size) {
  return gamebase::BuildFrame(static_cast<std::uint8_t>(type), std::vector<std::uint8_t>(size - 8, 0));
}
inline void PutLittle(std::vector<std::uint8_t>& f, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
inline void PutBig(std::vector<std::uint8_t>& f, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * (3 - i)));
}

// 79: the move to the next stage's server, with the own player record.
struct MoveFields {
  int outcome = 1;
  int stage = 2;
  int tableNum = 5;
  int rank = 7;
  int players = 48;
  PlayerNode self;
};
constexpr std::size_t kPlayerRecordBytes = 60;
inline std::vector<std::uint8_t> MoveFrame(const MoveFields& m) {
  std::vector<std::uint8_t> f = MatchFrame(79, 32 + kPlayerRecordBytes);
  f[8] = static_cast<std::uint8_t>(m.outcome);
  f[12] = static_cast<std::uint8_t>(m.stage);
  f[13] = static_cast<std::uint8_t>(m.tableNum);
  PutBig(f, 20, m.rank);
  PutBig(f, 24, m.players);
  gamebase::WritePlayerRecord(m.self, f.data() + 32);
  return f;
}

// 78: the end of the match.
struct AwardFields {
  int money = 0;
  int feeKind4 = 0;
  int yuanbao = 0;
  int feeKind3First = 0;
  int feeKind3Second = 0;
  std::string text;  // at most 19 bytes
  int rank = 1;
  int value = 0;
};
inline std::vector<std::uint8_t> AwardFrame(const AwardFields& a) {
  std::vector<std::uint8_t> f = MatchFrame(78, 56);
  PutLittle(f, 8, a.money);
  PutLittle(f, 12, a.feeKind4);
  PutLittle(f, 16, a.yuanbao);
  PutLittle(f, 20, a.feeKind3First);
  PutLittle(f, 24, a.feeKind3Second);
  std::memcpy(f.data() + 28, a.text.data(), std::min<std::size_t>(a.text.size(), 19));
  PutLittle(f, 48, a.rank);
  PutLittle(f, 52, a.value);
  return f;
}

}  // namespace ddz::test
