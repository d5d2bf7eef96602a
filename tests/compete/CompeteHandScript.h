// The tournament table over a loopback game server, for the tests that play
// over the connection (the table's network test, the login and server move,
// the whole match end to end): a table that writes down the frames it is
// handed, a player record, and the server's side of a hand: the own chair
// bids 3, becomes the landlord, leads twice (the others pass after the first
// lead) and wins. Each play request is read back and rebuilt byte for byte,
// names only cards the own seat holds, and carries the classifier's type; a
// fault is written down, not asserted.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "CompeteTestSupport.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/CompeteMessages.h"
#include "support/LoopbackGameServer.h"

namespace competetest {

// The real tournament table, writing down each frame of its own types it is
// handed with the message lock at that moment, and the lock after each result.
class NetCompeteView : public CompeteGameView {
 public:
  static NetCompeteView* create() {
    auto* view = new NetCompeteView();
    view->autorelease();
    return view;
  }
  // Only the table's own types: the game base's frames and the result pass
  // the dispatcher too (through the all-sockets callback), reaching nothing.
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    const int type = static_cast<std::uint8_t>(msg[1]);
    const auto& table = DispatchedTypes();
    if (std::find(table.begin(), table.end(), type) != table.end()) {
      types.push_back(type);
      locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    }
    CompeteGameView::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    types.push_back(237);
    locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    CompeteGameView::CallBackGameResultServer(msg, len);
  }
  void OnResultBtnQuit() override {
    CompeteGameView::OnResultBtnQuit();
    locksAfterQuit.push_back(m_iLockMainMsgCount.Get());
  }
  std::vector<int> types;
  std::vector<int> locksAtDelivery;
  std::vector<int> locksAfterQuit;

 protected:
  // `scene`: the client's scene the table leaves through (may be null).
  explicit NetCompeteView(GameSceneBase* scene = nullptr) : CompeteGameView(scene, nullptr) {}
};

inline PlayerNode Player(int userId, int chair) { return ddz::test::MatchPlayer(userId, chair); }

// A frame as it travels: the length in bytes 2-3.
inline ddz::test::Bytes Sent(ddz::test::Bytes frame) {
  frame[2] = static_cast<std::uint8_t>(frame.size() & 0xff);
  frame[3] = static_cast<std::uint8_t>(frame.size() >> 8);
  return frame;
}

struct HandScript {
  using Bytes = ddz::test::Bytes;
  using Frames = ddz::test::Frames;
  std::vector<std::uint8_t> ownBytes;
  std::vector<std::string> faults;
  int plays = 0;
  std::array<int, 3> changes = {-6, 12, -6};
  Frames behindResult;  // sent behind the result: they wait for the result's lock

  Frames OnBid(const Bytes& request) {
    if (request != Sent(ddz::classic::BuildBidRequest(3))) faults.push_back("a bid request that is not 3, byte for byte");
    return {Sent(Bid(1, 3)), Sent(Landlord(1, 3, {0x45, 0x46, 0x47})), Sent(Seat(73, 1, 9))};
  }
  Frames OnPlay(const Bytes& request, bool last) {
    ++plays;
    ddz::classic::PlayRequest play;
    if (request.size() != ddz::compete::MsgSize::Play || !ddz::classic::ReadPlayRequest(request.data(), request.size(), play)) {
      faults.push_back("a play request that is not 68 bytes or does not read");
      return {};
    }
    const int seconds = static_cast<int>(request[64] | request[65] << 8 | request[66] << 16 | request[67] << 24);
    if (Sent(ddz::compete::BuildPlayRequest(play.cards, play.type, play.key, request[60] != 0, seconds)) != request)
      faults.push_back("a play request that does not rebuild byte for byte");
    std::vector<std::uint8_t> bytes;
    for (ddz::CardCode code : play.cards) {
      auto held = std::find_if(ownBytes.begin(), ownBytes.end(),
                               [&](std::uint8_t o) { return ddz::CardByteToCode(o) == code; });
      if (held == ownBytes.end()) {
        faults.push_back("a card the own seat does not hold");
      } else {
        bytes.push_back(*held);
        ownBytes.erase(held);
      }
    }
    if (play.cards.empty()) faults.push_back("a pass where the own seat leads");
    ddz::CardTypeInfo info;
    if (!ddz::ClueCard::GetCardType(info, play.cards) || info.type != play.type)
      faults.push_back("a play whose type is not the classifier's");
    Frames out = {Sent(Played(1, bytes))};
    if (last) {
      out.push_back(Sent(Result(true, false, changes[0], changes[1], changes[2])));
      out.insert(out.end(), behindResult.begin(), behindResult.end());
    } else {
      out.push_back(Sent(Played(2, {})));
      out.push_back(Sent(Played(0, {})));
      out.push_back(Sent(Seat(73, 1, 9)));
    }
    return out;
  }
};

}  // namespace competetest
