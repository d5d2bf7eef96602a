// The tournament table's message handling on the real view: a CompeteGameView
// on a headless stage (the program's data files, a scratch writable folder,
// seated through the game base's single-player road with a local server that
// answers nothing) takes arbitrary frames of every type and length through
// its dispatcher, the hand result and the re-login snapshot, with frames of
// the table stepped between them. Checked:
//   - the message lock count is never below 0, and nothing lowers it past 0;
//   - a message shorter than its type's minimum changes nothing: the hand
//     state (m_TableItem), the seats' card counts and the lock count are as
//     they were.
//
// Input: a list of steps, as fuzz/classic_view.cpp reads them. Each step is an
// op byte, then what the op needs:
//   op % 6 == 0: a game message: type byte, 2-byte length (below 1024),
//                that many bytes (the type is written into byte 1);
//   op % 6 == 1: a hand result: 2-byte length (below 600), then its bytes;
//   op % 6 == 2: a re-login snapshot: 2-byte length (below 800), then its bytes;
//   op % 6 == 3: a number of frames (below 64) of 50 ms each;
//   op % 6 == 4: a notice of the game base: a byte choosing it (% 4: jackpot,
//                red packet, broadcast, quick chat), 2-byte length (below
//                600), then its bytes;
//   op % 6 == 5: the window to the background (even byte) or back (odd byte).
// Scores, multiples and amounts from the messages are summed and multiplied on
// the way: the sanitizers see any overflow. A fresh view is made for each
// input, so a found input replays alone.
#include <cstdint>
#include <memory>

#include "compete/CompeteGameView.h"
#include "fuzz/FuzzClassicView.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableChecks.h"
#include "fuzz/TableStage.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"

using ddz::fuzz::CheckLock;
using ddz::fuzz::Input;

namespace {

constexpr float kFrameSeconds = 0.05f;

class FuzzCompeteView : public CompeteGameView {
 public:
  static FuzzCompeteView* create() {
    auto* view = new FuzzCompeteView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<ddz::fuzz::SilentServer>(this);
    return server.get();
  }
  std::unique_ptr<ddz::fuzz::SilentServer> server;

 private:
  FuzzCompeteView() : CompeteGameView(nullptr, nullptr) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
  cocos2d::Log::clear();

  FuzzCompeteView* view = FuzzCompeteView::create();
  stage.scene->addChild(view);
  view->SendSitReq();
  stage.director->mainLoop(kFrameSeconds);
  CheckLock();

  Input in(data, size);
  ddz::fuzz::RunTableSteps(
      stage.director, view, in, [](int type) { return CompeteGameView::MinMessageLength(type); }, GameViewBase::kFrameSize,
      CompeteGameView::kReloginSize);

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
