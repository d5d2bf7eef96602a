// The tournament server's match frames as the game server sends them (the
// length in header bytes 2-3), for the tests of the match flow: the match
// start (27), the state (74), the wait numbers (63), the rank (62), the
// server move (79) and the award (78), and the cards each chair is dealt. No
// GoogleTest here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gamedata/CompeteMatchFile.h"
#include "gamedata/CompeteRecords.h"
#include "gamedata/DdzCompete.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/framework/YndCodeConvert.h"
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

// A player at a chair of the match's tables, named "p<id>".
inline PlayerNode MatchPlayer(int userId, int chair) {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 5000;
  p.cHeadID = 1;
  std::snprintf(p.szNickName, sizeof p.szNickName, "p%d", userId);
  return p;
}

// The 17 card bytes each chair is dealt: chair c holds values 3 + c ... of
// suit c (its own block is easy to tell apart), chair 1 a hand with both
// jokers.
inline std::vector<std::uint8_t> ChairCards(int chair) {
  if (chair == 1) return {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 16, 17, 0x23, 0x24};
  std::vector<std::uint8_t> bytes;
  const int suit = chair == 0 ? 2 : 3;
  for (int i = 0; i < 17; ++i) bytes.push_back(static_cast<std::uint8_t>((suit << 5) | (1 + i % 13)));
  return bytes;
}

// 27 before the match begins (the waiting room): the fee choice, 2 signed
// up (fewer than any shipped match ends with), the next opening ten minutes
// from the server's now, and the record of `matchId` from the match table
// with its name in GBK, as the game server sends it (the match file is UTF-8).
inline std::vector<std::uint8_t> StartFrame(int matchId, int feeChoice) {
  std::vector<std::uint8_t> f = MatchFrame(27, 1904);
  f[8] = 0;
  f[10] = static_cast<std::uint8_t>(feeChoice);
  PutLittle(f, 12, 2);
  PutLittle(f, 16, static_cast<int>(DdzCompete::getInstance()->GetServerNow()) + 600);
  for (const CompeteMatchRecord& record : g_vcCompeteRoomTable) {
    if (record.iMatchId != matchId) continue;
    CompeteMatchRecord sent = record;
    const std::string name = ddz::RecordText(record.szMatchName);
    YndCodeConvert::U2g(name.data(), static_cast<int>(name.size()), sent.szMatchName,
                        static_cast<int>(sizeof sent.szMatchName));
    std::memcpy(f.data() + 20, &sent, sizeof sent);
  }
  return f;
}
// 74: the competition state and the player count.
inline std::vector<std::uint8_t> StageFrame(int state, int players) {
  std::vector<std::uint8_t> f = MatchFrame(74, 16);
  f[8] = static_cast<std::uint8_t>(state);
  PutBig(f, 12, players);
  return f;
}
// 63: the tables still playing.
inline std::vector<std::uint8_t> WaitNumbersFrame(int tables) {
  std::vector<std::uint8_t> f = MatchFrame(63, 16);
  PutLittle(f, 8, tables);
  return f;
}
// 62: the outcome of the stage, the stage, the own rank of the players.
inline std::vector<std::uint8_t> RankFrame(int outcome, int stage, int rank, int players) {
  std::vector<std::uint8_t> f = MatchFrame(62, 24);
  f[8] = static_cast<std::uint8_t>(outcome);
  f[9] = static_cast<std::uint8_t>(stage);
  PutBig(f, 12, rank);
  PutBig(f, 20, players);
  return f;
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
  std::string text;  // the bytes as sent (the game server's GBK), at most 19
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
