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
// Input: the steps of fuzz/TableViewSteps.h, as the classic table's target
// reads them.
// Scores, multiples and amounts from the messages are summed and multiplied on
// the way: the sanitizers see any overflow. A fresh view is made for each
// input, so a found input replays alone.
#include <algorithm>
#include <cstdint>
#include <memory>

#include "compete/CompeteGameView.h"
#include "fuzz/FuzzClassicView.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableChecks.h"
#include "fuzz/TableStage.h"
#include "fuzz/TableViewSteps.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"

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
  ddz::fuzz::CheckLockNeverBelowZero();

  Input in(data, size);
  ddz::fuzz::TableSizes sizes;
  sizes.resultSize = GameViewBase::kFrameSize;  // a shorter result is read zero-padded
  sizes.snapshotSize = CompeteGameView::kReloginSize;
  ddz::fuzz::RunTableSteps(
      stage, view, in, sizes,
      [](int type) { return std::max(GameViewBase::kFrameSize, CompeteGameView::MinMessageLength(type)); },
      [](FuzzCompeteView* v) { return ddz::fuzz::Observe(v); }, ddz::fuzz::Same);

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
