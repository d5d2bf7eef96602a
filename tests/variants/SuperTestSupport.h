// Fixtures of the Super table tests: the classic tests' stage (window, data
// files, writable folder, records at their start) with a Super view whose
// protected handlers the tests reach, and builders of the table's messages.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "classic/ClassicTestSupport.h"
#include "variants/SuperGameView.h"

namespace supertest {

class TestSuperView : public SuperGameView {
 public:
  static TestSuperView* create() {
    auto* view = new TestSuperView();
    view->autorelease();
    return view;
  }
  using GameViewBase::m_pPlayerNode;
  using SuperGameView::OnPlayCards;
 protected:
  TestSuperView() : SuperGameView(nullptr, nullptr, SuperGameView::kGameId) {}
};

// A message of `type` and `len` bytes, all zero after the type.
inline std::vector<char> Message(int type, int len) {
  std::vector<char> m(static_cast<std::size_t>(len), 0);
  m[1] = static_cast<char>(type);
  return m;
}
inline void PutLE(std::vector<char>& m, int at, int v) {
  for (int i = 0; i < 4; ++i) m[at + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xff);
}
inline void PutBE(std::vector<char>& m, int at, int v) {
  for (int i = 0; i < 4; ++i) m[at + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (24 - 8 * i)) & 0xff);
}

class SuperTest : public classictest::ClassicTest {
 protected:
  // A Super view on the stage with three (or two) seated players, own chair
  // `ownChair` at seat 1, for the network game.
  TestSuperView* Enter() {
    GameViewBase::m_GlobalInfo.iPlayMode = 0;
    view = TestSuperView::create();
    scene->addChild(view);
    for (int seat = 0; seat < 3; ++seat) {
      nodes[seat] = PlayerNode();
      nodes[seat].iMoney = 1000;
    }
    return view;
  }
  void Seat(int ownChair, int players) {
    view->SetPlayerCount(players);
    nodes[1].cChairID = static_cast<std::uint8_t>(ownChair);
    view->m_pPlayerNode[1] = &nodes[1];
    view->m_pPlayerNode[0] = &nodes[0];
    nodes[0].cChairID = static_cast<std::uint8_t>((ownChair + 1) % players);
    if (players == 3) {
      view->m_pPlayerNode[2] = &nodes[2];
      nodes[2].cChairID = static_cast<std::uint8_t>((ownChair + 2) % 3);
    }
    m_GlobalInfo().iChairID = ownChair;
  }
  static GlobalInfo& m_GlobalInfo() { return GameViewBase::m_GlobalInfo; }
  void Send(std::vector<char> m) { view->CallBackHandleMainSocketNetMsg(m.data(), static_cast<int>(m.size())); }
  void Mode(int mode) {
    auto m = Message(61, 12);
    PutLE(m, 8, mode);
    Send(m);
  }

  TestSuperView* view = nullptr;
  PlayerNode nodes[3];
};

}  // namespace supertest
