// The game server's frames of the four-player table, built as they travel
// (type in byte 1, the whole length in bytes 2-3, integers little-endian),
// and the four players of a table, for the table's tests, its end-to-end
// test, its fuzz target and its benchmark. The layouts are
// cardlogic/SRMessages.h's.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cardlogic/SRMessages.h"
#include "platform/gamebase/GameRecords.h"

namespace srtest {

using Frame = std::vector<std::uint8_t>;
namespace sr = ddz::sr;

inline Frame Blank(int type, int size) {
  Frame f(static_cast<std::size_t>(size), 0);
  f[1] = static_cast<std::uint8_t>(type);
  f[2] = static_cast<std::uint8_t>(size & 0xff);
  f[3] = static_cast<std::uint8_t>(size >> 8);
  return f;
}

inline void PutInt(Frame& f, int at, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) f[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

inline void PutBytes(Frame& f, int at, const std::vector<std::uint8_t>& bytes, int room) {
  for (int i = 0; i < room && i < static_cast<int>(bytes.size()); ++i) f[static_cast<std::size_t>(at + i)] = bytes[static_cast<std::size_t>(i)];
}

struct DealFields {
  std::vector<std::uint8_t> own;  // 25 card bytes
  int landerChair = 0;
  std::uint8_t landerCard = 0x03;
  int baseScore = 10;
  int cap = 0;
  int task1 = 7;
  int task2 = -7;
  int golden = 3;  // card index + 1
  std::array<int, 5> gold = {1, 2, 3, 4, 5};
};

inline Frame Deal(const DealFields& d) {
  Frame f = Blank(sr::ServerType::Deal, sr::DealAt::Size);
  PutBytes(f, sr::DealAt::OwnCards, d.own, sr::DealAt::OwnCardCount);
  f[sr::DealAt::LanderChair] = static_cast<std::uint8_t>(d.landerChair);
  f[sr::DealAt::LanderCard] = d.landerCard;
  PutInt(f, sr::DealAt::BaseScore, d.baseScore);
  PutInt(f, sr::DealAt::Cap, d.cap);
  PutInt(f, sr::DealAt::Task1, d.task1);
  PutInt(f, sr::DealAt::Task2, d.task2);
  f[sr::DealAt::Golden] = static_cast<std::uint8_t>(d.golden);
  for (int i = 0; i < 5; ++i) PutInt(f, sr::DealAt::GoldTasks + 4 * i, d.gold[static_cast<std::size_t>(i)]);
  return f;
}

// 67, 66, 69: the chair whose turn it is.
inline Frame Turn(int type, int chair) {
  Frame f = Blank(type, sr::TurnAt::Size);
  f[sr::TurnAt::Chair] = static_cast<std::uint8_t>(chair);
  return f;
}

inline Frame Bid(int chair, int bid) {
  Frame f = Blank(sr::ServerType::Bid, sr::BidAt::Size);
  PutInt(f, sr::BidAt::Value, bid);
  f[sr::BidAt::Chair] = static_cast<std::uint8_t>(chair);
  return f;
}

inline Frame Landlord(int chair, int finalBid, const std::vector<std::uint8_t>& bottom) {
  Frame f = Blank(sr::ServerType::Landlord, sr::LandlordAt::Size);
  PutInt(f, sr::LandlordAt::FinalBid, finalBid);
  f[sr::LandlordAt::Chair] = static_cast<std::uint8_t>(chair);
  PutBytes(f, sr::LandlordAt::Bottom, bottom, sr::LandlordAt::BottomCount);
  return f;
}

// 49 (no card: a pass) and 53.
inline Frame Cards(int type, int chair, const std::vector<std::uint8_t>& bytes) {
  Frame f = Blank(type, sr::CardsAt::Size);
  PutBytes(f, sr::CardsAt::Cards, bytes, sr::CardsAt::Count);
  f[sr::CardsAt::Chair] = static_cast<std::uint8_t>(chair);
  return f;
}
inline Frame Played(int chair, const std::vector<std::uint8_t>& bytes) { return Cards(sr::ServerType::Played, chair, bytes); }
inline Frame Shown(int chair, const std::vector<std::uint8_t>& bytes) { return Cards(sr::ServerType::ShowHand, chair, bytes); }

inline Frame Reward(int chair, int kind, int amount) {
  Frame f = Blank(sr::ServerType::Reward, sr::RewardAt::Size);
  f[sr::RewardAt::Chair] = static_cast<std::uint8_t>(chair);
  f[sr::RewardAt::Kind] = static_cast<std::uint8_t>(kind);
  PutInt(f, sr::RewardAt::Amount, amount);
  return f;
}

// 38 (value: seconds) and 39 (kind 1, value: hands).
inline Frame Activity(int type, int kind, int value) {
  Frame f = Blank(type, sr::ActivityAt::Size);
  PutInt(f, sr::ActivityAt::Kind, kind);
  PutInt(f, sr::ActivityAt::Value, value);
  return f;
}

struct ReloginFields {
  std::array<int, 4> bids = {-1, -1, -1, -1};
  std::vector<std::uint8_t> own;
  std::array<int, 4> counts = {25, 25, 25, 25};
  std::vector<std::uint8_t> bottom;
  int landlordChair = -1;
  std::vector<std::uint8_t> table;
  int tableChair = 0;
  bool shown = false;
  std::vector<std::uint8_t> shownCards;
  int times = 1;
  int baseScore = 10;
  int finalBid = 0;
  int cap = 0;
  std::array<std::uint8_t, 15> remain = {};
  int task1 = 0;
  int task2 = 0;
  int golden = 3;
  std::array<int, 5> gold = {};
};

// The snapshot as the game base hands it over (type 109 of the base's notices).
inline Frame Relogin(const ReloginFields& r) {
  Frame f = Blank(109, sr::ReloginAt::Size);
  namespace at = sr::ReloginAt;
  for (int c = 0; c < 4; ++c) {
    f[static_cast<std::size_t>(at::Bids + c)] = static_cast<std::uint8_t>(r.bids[static_cast<std::size_t>(c)]);
    f[static_cast<std::size_t>(at::CardCounts + c)] = static_cast<std::uint8_t>(r.counts[static_cast<std::size_t>(c)]);
  }
  PutBytes(f, at::OwnCards, r.own, 33);
  PutBytes(f, at::Bottom, r.bottom, 8);
  f[at::Landlord] = static_cast<std::uint8_t>(r.landlordChair);
  PutBytes(f, at::TableCards, r.table, 33);
  f[at::TableChair] = static_cast<std::uint8_t>(r.tableChair);
  f[at::Shown] = r.shown ? 1 : 0;
  PutBytes(f, at::ShownCards, r.shownCards, 33);
  f[at::Times] = static_cast<std::uint8_t>(r.times);
  PutInt(f, at::BaseScore, r.baseScore);
  f[at::FinalBid] = static_cast<std::uint8_t>(r.finalBid);
  PutInt(f, at::Cap, r.cap);
  std::memcpy(f.data() + at::Remain, r.remain.data(), r.remain.size());
  PutInt(f, at::Task1, r.task1);
  PutInt(f, at::Task2, r.task2);
  f[at::Golden] = static_cast<std::uint8_t>(r.golden);
  for (int i = 0; i < 5; ++i) PutInt(f, at::GoldTasks + 4 * i, r.gold[static_cast<std::size_t>(i)]);
  return f;
}

struct ResultFields {
  std::array<int, 4> scores = {};
  std::array<int, 4> fees = {};
  std::array<std::vector<std::uint8_t>, 4> cards;
  int value = 0;
  int spring = 0;
};

// The hand result (type 237).
inline Frame Result(const ResultFields& r) {
  Frame f = Blank(237, sr::ResultAt::Size);
  namespace at = sr::ResultAt;
  for (int c = 0; c < 4; ++c) {
    PutInt(f, at::Scores + 4 * c, r.scores[static_cast<std::size_t>(c)]);
    PutInt(f, at::Fees + 4 * c, r.fees[static_cast<std::size_t>(c)]);
    PutBytes(f, at::Cards + at::CardsPerChair * c, r.cards[static_cast<std::size_t>(c)], at::CardsPerChair);
  }
  f[at::Value] = static_cast<std::uint8_t>(r.value);
  f[at::Spring] = static_cast<std::uint8_t>(r.spring);
  return f;
}

// Four players in the view's chair records (chairs 0..3: user ids 40..43,
// head ids 1..4), each put at the screen seat `seatOf` gives its chair. A
// view's test subclass calls it with its own records.
template <class SeatOf>
void SeatFourChairs(PlayerNode* records, PlayerNode** seats, SeatOf seatOf, int money = 5000) {
  for (int chair = 0; chair < 4; ++chair) {
    PlayerNode& p = records[chair];
    p = PlayerNode();
    p.iUserID = 40 + chair;
    p.cChairID = static_cast<std::uint8_t>(chair);
    p.iMoney = money;
    p.iYuanBao = 10;
    p.iLevel = 10;
    p.cHeadID = static_cast<std::uint8_t>(chair + 1);
    std::snprintf(p.szNickName, sizeof p.szNickName, "p%d", chair);
    seats[seatOf(chair)] = &p;
  }
}

// Card bytes: (suit << 5) | v with v 1 = A, 2 = 2, 3..13; jokers 16, 17.
inline std::uint8_t Card(int suit, int v) { return static_cast<std::uint8_t>((suit << 5) | v); }

// 25 own cards: 3..K of suits 0 and 1 (22 cards) and the three 2s of suits 0-2.
inline std::vector<std::uint8_t> SomeHand() {
  std::vector<std::uint8_t> own;
  for (int v = 13; v >= 3; --v) {
    own.push_back(Card(0, v));
    own.push_back(Card(1, v));
  }
  for (int s = 0; s < 3; ++s) own.push_back(Card(s, 2));
  return own;
}

}  // namespace srtest
