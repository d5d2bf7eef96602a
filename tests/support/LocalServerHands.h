// What the whole-hand tests of the single-player tables share: the local
// server with every request and every start of a hand written down, the
// record of one hand (the result message, the server's landlord, bid and
// multiple, the seats' money before and after) and the server's scoring rule
// the money shown is checked against. (GoogleTest is the caller's.)
#pragma once

#include <cstdint>
#include <vector>

#include "cardlogic/ClassicMessages.h"
#include "cardlogic/SingleServerDDZ.h"
#include "platform/gamebase/GameViewBase.h"

namespace ddz::test {

// A start of a hand (the sit's or a ready's) in the list of requests.
inline constexpr int kHandStart = -1;

class CountingServer : public ddz::SingleServerDDZ {
 public:
  explicit CountingServer(IGameMessageSink* view) : SingleServerDDZ(view, ddz::DeckSeeding::None) {}
  void StartGame() override {
    requests.push_back(kHandStart);
    SingleServerDDZ::StartGame();
  }
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override {
    if (buf != nullptr && len >= 8) {
      requests.push_back(buf[1]);
      if (buf[1] == 24) plays.emplace_back(buf, buf + len);
    }
    SingleServerDDZ::RecvGameViewMsg(buf, len);
  }
  std::vector<int> requests;
  std::vector<std::vector<std::uint8_t>> plays;  // each play request whole
};

struct HandRecord {
  ddz::classic::HandResult message;
  bool read = false;  // the result read as the classic layout
  int landlord = -1;
  int bid = 0;
  int multiplier = 0;
  int moneyBefore[3] = {};
  int moneyAfter[3] = {};

  // The hand as the result arrives at `view`, before the view reads it.
  static HandRecord At(const char* msg, int len, const CountingServer& server, const GameViewBase& view) {
    HandRecord record;
    record.read = ddz::classic::ReadHandResult(reinterpret_cast<const std::uint8_t*>(msg),
                                               static_cast<std::size_t>(len), record.message);
    record.landlord = server.GetLandlord();
    record.bid = server.GetHighestBid();
    record.multiplier = server.GetMultiplier();
    for (int seat = 0; seat < 3; ++seat) record.moneyBefore[seat] = view.GetPlayerNode(seat)->iMoney;
    return record;
  }
  // The server's scoring: the landlord wins or loses twice the bid times the
  // multiple, each farmer the half of it the other way.
  int Score(int seat) const {
    const int unit = bid * multiplier;
    const int landlordScore = message.landlordWon ? 2 * unit : -2 * unit;
    return seat == landlord ? landlordScore : -landlordScore / 2;
  }
};

// One message as it reached the view: its type, the lock count and the hold left.
struct Delivery {
  int type;
  int lockCount;
  int holdMs;
};

}  // namespace ddz::test
