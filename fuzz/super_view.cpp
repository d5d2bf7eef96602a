// The Super table's message handling on the real view: a SuperGameView on a
// headless stage (the program's data files, the single-player seats, a local
// server that answers nothing) runs the table targets' steps
// (fuzz/TableViewSteps.h): arbitrary frames of every type and length through
// its dispatcher, the hand result, the re-login snapshot, notices, frames,
// background and foreground. The first input byte chooses the player-count
// mode the table is built for (message 61). A message shorter than its type's
// minimum must leave the hand state, the seats' card counts, the lock and the
// mode as they were.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "fuzz/FuzzClassicView.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableStage.h"
#include "fuzz/TableViewSteps.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "variants/SuperGameView.h"

using ddz::fuzz::Input;

namespace {

constexpr float kFrameSeconds = 0.05f;

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

// What a refused message must leave as it was.
auto Observe(FuzzSuperView* view) {
  const TableItemDef& t = view->m_TableItem;
  std::array<int, GameViewBase::kMaxSeats> cards{};
  for (int seat = 0; seat < GameViewBase::kMaxSeats; ++seat)
    cards[seat] = view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  std::array<int, TableItemDef::kSeats> demand{};
  std::copy(std::begin(t.iPointDemand), std::end(t.iPointDemand), demand.begin());
  return std::make_tuple(demand, t.iLandOwnerPos, t.iFinalPoint, t.iBaseScore, t.iTimes, t.iTableCardOwnerPos,
                         t.iSendBombNum, t.bSendRocket, t.vcBaseCardIndex, t.vcTableCardIndex, cards,
                         GameViewBase::m_iLockMainMsgCount.Get(), view->GetMode());
}

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
  ddz::fuzz::CheckLockNeverBelowZero();

  ddz::fuzz::TableSizes sizes;
  sizes.resultSize = 0;  // a short result is read in a zeroed buffer
  sizes.snapshotSize = SuperGameView::kReloginSize;
  ddz::fuzz::RunTableSteps(
      stage, view, in, sizes,
      [](int type) {
        // The local server's plays are whole from the classic 36 bytes up.
        return std::max(GameViewBase::kFrameSize, SuperGameView::MinWholeLength(type));
      },
      Observe, [](const auto& a, const auto& b) { return a == b; });

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
