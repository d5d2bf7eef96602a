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
#include "support/SuperFrames.h"
#include "platform/engine/Log.h"
#include "variants/SuperGameView.h"

namespace supertest {


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
