// The Super table's message handling on the real view: a SuperGameView on a
// headless stage (the program's data files, the single-player seats, a local
// server that answers nothing) takes arbitrary frames of every type and length
// through its dispatcher, the hand result and the re-login snapshot, with
// frames of the table stepped between them. The first input byte chooses the
// player-count mode the table is built for (message 61). Checked:
//   - the message lock count is never below 0, and nothing lowers it past 0;
//   - a message shorter than its type's minimum changes nothing: the hand
//     state, the seats' card counts and the lock count are as they were.
//
// Input: the mode byte, then a list of steps, an op byte each:
//   op % 5 == 0: a game message: type byte, 2-byte length (below 1024), bytes;
//   op % 5 == 1: a hand result: 2-byte length (below 600), bytes;
//   op % 5 == 2: a re-login snapshot: 2-byte length (below 800), bytes;
//   op % 5 == 3: a number of frames (below 64) of 50 ms each;
//   op % 5 == 4: the window to the background (even byte) or back (odd byte).
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzClassicView.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableStage.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "variants/SuperGameView.h"

using ddz::fuzz::Body;
using ddz::fuzz::CheckLock;
using ddz::fuzz::Input;
using ddz::fuzz::Length;
using ddz::fuzz::Observe;
using ddz::fuzz::Observed;

namespace {

constexpr int kMaxMessage = 1024;
constexpr int kMaxResult = 600;
constexpr int kMaxSnapshot = 800;
constexpr int kMaxFrames = 64;
constexpr float kFrameSeconds = 0.05f;
constexpr int kMaxSteps = 64;
constexpr int kOps = 5;

class FuzzSuperView : public SuperGameView {
 public:
  static FuzzSuperView* create() {
    auto* view = new FuzzSuperView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<ddz::fuzz::SilentServer>(this);
    return server.get();
  }
  std::unique_ptr<ddz::fuzz::SilentServer> server;

 private:
  FuzzSuperView() : SuperGameView(nullptr, nullptr, kGameId) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  cocos2d::Log::clear();

  FuzzSuperView* view = FuzzSuperView::create();
  stage.scene->addChild(view);
  view->SendSitReq();
  Input in(data, size);
  std::vector<char> mode(12, 0);
  mode[1] = SuperGameView::kMsgPlayerCountMode;
  mode[8] = static_cast<char>(in.Byte() % 3);
  view->CallBackHandleMainSocketNetMsg(mode.data(), static_cast<int>(mode.size()));
  stage.director->mainLoop(kFrameSeconds);
  CheckLock();

  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    const int op = in.Byte() % kOps;
    if (op == 3) {
      const int frames = in.Byte() % kMaxFrames;
      for (int i = 0; i < frames; ++i) {
        stage.director->mainLoop(kFrameSeconds);
        CheckLock();
      }
      continue;
    }
    if (op == 4) {
      if (in.Byte() % 2 == 0) {
        view->CallBackGameEnterBackGround();
      } else {
        view->CallBackGameEnterForeGround();
      }
      CheckLock();
      stage.director->mainLoop(kFrameSeconds);
      CheckLock();
      continue;
    }
    int len = 0;
    int minimum = 0;
    const Observed before = Observe(view);
    const int modeBefore = view->GetMode();
    if (op == 0) {
      const int type = in.Byte();
      len = Length(in, kMaxMessage);
      std::vector<char> msg = Body(in, len);
      if (len > 1) msg[1] = static_cast<char>(type);
      const int t = len > 1 ? type : 0;
      minimum = std::max(GameViewBase::kFrameSize, SuperGameView::MinMessageLength(t));
      // The local server's short plays are read padded.
      if (t == SuperGameView::kMsgPlayed) minimum = 36;
      view->CallBackHandleMainSocketNetMsg(msg.data(), len);
    } else if (op == 1) {
      len = Length(in, kMaxResult);
      std::vector<char> msg = Body(in, len);
      minimum = GameViewBase::kFrameSize;
      view->CallBackGameResultServer(msg.data(), len);
    } else {
      len = Length(in, kMaxSnapshot);
      std::vector<char> msg = Body(in, len);
      minimum = SuperGameView::kReloginSize;
      view->CallBackAgainLogin(msg.data(), len);
    }
    CheckLock();
    if (len < minimum) FUZZ_CHECK(ddz::fuzz::Same(before, Observe(view)) && view->GetMode() == modeBefore);
    stage.director->mainLoop(kFrameSeconds);
    CheckLock();
  }

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
