// Fixtures of the Super table tests: the classic tests' stage (window, data
// files, writable folder, records at their start) with a Super view whose
// local server only records the requests, the single-player seats taken (own
// chair 1, so a chair is its screen seat), and builders of the table's
// messages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classic/HandTestSupport.h"
#include "platform/engine/Log.h"
#include "variants/SuperGameView.h"

namespace supertest {

using classictest::Frame;
using classictest::FrameOf;
using classictest::PutLE;

class TestSuperView : public SuperGameView {
 public:
  static TestSuperView* create() {
    auto* view = new TestSuperView();
    view->autorelease();
    return view;
  }
  // The mode stays for message 61 to choose (no scoring table is built).
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<classictest::RecordingServer>(this);
    return server.get();
  }
  void Deliver(Frame frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    CallBackHandleMainSocketNetMsg(copy.data(), static_cast<int>(copy.size()));
  }
  std::vector<int> Requests() const { return server ? server->requests : std::vector<int>{}; }
  using GameViewBase::m_pPlayerNode;
  std::unique_ptr<classictest::RecordingServer> server;

 private:
  TestSuperView() : SuperGameView(nullptr, nullptr, SuperGameView::kGameId) {}
};

// Whether a log line contains `part`.
inline bool LogHas(const std::string& part) {
  for (const std::string& line : cocos2d::Log::lines())
    if (line.find(part) != std::string::npos) return true;
  return false;
}
inline void PutBE(Frame& f, std::size_t at, int v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (24 - 8 * i));
}
inline Frame ModeMsg(int mode) {
  Frame f = FrameOf(61, 12);
  PutLE(f, 8, mode);
  return f;
}
// A deal of 116 bytes: the own chair (1) holds 3..K of spades, A, 2 and both
// jokers; base score 40 and cap 5000 big-endian.
inline Frame DealMsg(int firstBidder = 0, int baseScore = 40, int cap = 5000) {
  Frame f = FrameOf(71, 116);
  const std::uint8_t own[17] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 16, 17, 0x23, 0x24};
  for (int i = 0; i < 17; ++i) {
    f[8 + 17 + i] = own[i];
    f[8 + i] = static_cast<std::uint8_t>(0x40 | (3 + i % 11));
    f[8 + 34 + i] = static_cast<std::uint8_t>(0x60 | (3 + i % 11));
  }
  PutBE(f, 64, baseScore);
  f[69] = 0x25;
  f[70] = static_cast<std::uint8_t>(firstBidder);
  PutBE(f, 92, cap);
  return f;
}
inline Frame Bid(int type, int chair, int value) {
  Frame f = FrameOf(type, 12);
  f[8] = static_cast<std::uint8_t>(chair);
  f[9] = static_cast<std::uint8_t>(value);
  return f;
}
inline Frame Landlord(int chair, int score, std::uint8_t a = 0x2a, std::uint8_t b = 0x2b, std::uint8_t c = 0x2c) {
  Frame f = FrameOf(55, 16);
  f[8] = static_cast<std::uint8_t>(chair);
  f[9] = static_cast<std::uint8_t>(score);
  f[10] = a;
  f[11] = b;
  f[12] = c;
  return f;
}
// A play of 41 bytes with its type, value and wildcard pairs.
inline Frame Play(int chair, const std::vector<std::uint8_t>& cards, int type = 0, int value = 0,
                  const std::vector<std::uint8_t>& substitutes = {}, const std::vector<std::uint8_t>& matched = {}) {
  Frame f = FrameOf(56, 41);
  f[8] = static_cast<std::uint8_t>(chair);
  for (std::size_t i = 0; i < cards.size() && i < 20; ++i) f[9 + i] = cards[i];
  f[29] = static_cast<std::uint8_t>(cards.size());
  f[30] = static_cast<std::uint8_t>(type);
  f[31] = static_cast<std::uint8_t>(value);
  for (std::size_t i = 0; i < substitutes.size() && i < 4; ++i) f[33 + i] = substitutes[i];
  for (std::size_t i = 0; i < matched.size() && i < 4; ++i) f[37 + i] = matched[i];
  return f;
}

class SuperTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    view = TestSuperView::create();
    scene->addChild(view);
    view->SendSitReq();
  }
  // The table of `mode`, dealt, the deal run to its end.
  void Dealt(int mode) {
    view->Deliver(ModeMsg(mode));
    view->Deliver(DealMsg());
    RunUntilUnlocked();
  }
  void RunUntilUnlocked(int limit = 400) {
    for (int i = 0; i < limit && GameViewBase::m_iLockMainMsgCount > 0; ++i) tick(1, 0.05f);
  }
  int CardCount(int seat) const {
    return view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  }
  TestSuperView* view = nullptr;
};

}  // namespace supertest
