// Fixture of the four-player table's tests: the real SRGameView on the stage
// of the classic tests (program data, scratch folder, clock at zero), network
// play without a connection, four players seated (own chair 1 unless a test
// chooses another, so chair c is seat c by default), the own hand's requests
// recorded as they leave, and the frames delivered as the pump would.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cards/SRSelfHandCard.h"
#include "classic/ClassicTestSupport.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/MainMsgLock.h"
#include "support/SRFrames.h"
#include "variants/SRGameView.h"

namespace srtest {

class SRTestView : public SRGameView {
 public:
  static SRTestView* create() {
    auto* view = new SRTestView();
    view->autorelease();
    return view;
  }
  // The own hand's requests, whole, as they would go out.
  void SendHandMessage(void* buf, int type, int len) override {
    const auto* p = static_cast<const std::uint8_t*>(buf);
    Frame f(p, p + len);
    f[1] = static_cast<std::uint8_t>(type);
    requests.push_back(f);
  }
  // One frame as the game base hands it over: the result and the snapshot
  // to their callbacks, every other type to the dispatcher.
  void Deliver(const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    char* msg = copy.data();
    const int len = static_cast<int>(copy.size());
    if (len > 1 && frame[1] == 237) {
      CallBackGameResultServer(msg, len);
    } else if (len > 1 && frame[1] == 109) {
      CallBackAgainLogin(msg, len);
    } else {
      CallBackHandleMainSocketNetMsg(msg, len);
    }
  }
  // The four chairs seated, the own player at `ownChair`; each join is
  // announced to the view.
  void SeatPlayers(int ownChair = 1, bool announce = true) {
    m_GlobalInfo.iChairID = ownChair;
    SeatFourChairs(m_PlayerRecord, m_pPlayerNode, [this](int chair) { return GetTablePosByTableNumExtra(static_cast<char>(chair)); });
    if (announce)
      for (int seat = 0; seat < kPlayerCount; ++seat) CallBackPlayerJoinTable(seat);
  }
  void EmptySeat(int seat) { m_pPlayerNode[seat] = nullptr; }
  std::size_t KeptWidgets() const { return m_vcWidgets.size(); }
  PlayerNode* Player(int seat) { return m_pPlayerNode[seat]; }

  using SRGameView::CardsAt;
  using SRGameView::m_iRowRole;
  std::vector<Frame> requests;

 private:
  SRTestView() : SRGameView(nullptr, nullptr) {}
};

class SRTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    GameViewBase::m_GlobalInfo.iPlayMode = 0;
    GameViewBase::m_GlobalInfo.iGuideShowTimes = 5;  // no guide over the table
    g_iSeatHeadFigure[0] = g_iSeatHeadFigure[1] = g_iSeatHeadFigure[2] = g_iSeatHeadFigure[3] = -1;
  }
  void TearDown() override {
    Leave();
    ClassicTest::TearDown();
  }
  // The view on the stage with four players seated (a view entered before
  // leaves first). The fixture keeps a reference to it until it leaves.
  SRTestView* EnterSeated(int ownChair = 1) {
    Leave();
    view = SRTestView::create();
    view->retain();
    scene->addChild(view);
    view->SeatPlayers(ownChair);
    return view;
  }
  // A deal delivered and played out until its lock is down.
  void DealAndWait(const DealFields& d = DefaultDeal()) {
    view->Deliver(Deal(d));
    for (int i = 0; i < 2000 && GameViewBase::m_iLockMainMsgCount > 0; ++i) tick(1, 0.05f);
  }
  static DealFields DefaultDeal() {
    DealFields d;
    d.own = SomeHand();
    return d;
  }
  static bool Logged(const std::string& part) {
    const auto& lines = cocos2d::Log::lines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
  }
  static int LoggedCount(const std::string& part) {
    const auto& lines = cocos2d::Log::lines();
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; }));
  }
  void Leave() {
    if (view == nullptr) return;
    if (view->getParent() != nullptr) view->removeFromParent();
    view->release();
    view = nullptr;
  }
  SRSelfHandCard* Hand() const { return view->GetSelfHand(); }
  int Lock() const { return GameViewBase::m_iLockMainMsgCount.Get(); }

  SRTestView* view = nullptr;
};

}  // namespace srtest
