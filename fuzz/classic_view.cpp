// The classic table's message handling on the real view: a GameViewPC on a
// headless stage (the program's data files, a scratch writable folder, the
// single-player game) takes arbitrary frames of every type and length through
// its dispatcher, the hand result and the re-login snapshot, with frames of
// the table stepped between them. Checked:
//   - the message lock count is never below 0, and nothing lowers it past 0
//     (the count's own log line for a stray lowering never appears);
//   - a message shorter than its type's minimum changes nothing: the hand
//     state (m_TableItem), the seats' card counts and the lock count are as
//     they were.
//
// Input: the steps of fuzz/TableViewSteps.h.
// Every message is followed by one frame. Money, scores and multiples
// from the messages are summed and multiplied on the way (the table fee of a
// call-and-rob deal, the red packet's amounts, the jackpot's yuanbao): the
// sanitizers see any overflow.
//
// The view has the program's mini-game maker, so messages 35 and 41 open and
// feed a real mini-game.
//
// A fresh view is made for each input (the table is rebuilt on entering the
// stage), with the game base's records back at their start, so a found input
// replays alone.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "classic/GameViewPC.h"
#include "fuzz/FuzzClassicView.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableChecks.h"
#include "fuzz/TableStage.h"
#include "fuzz/TableViewSteps.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/SingleServerBase.h"
#include "platform/os/Clock.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "variants/DDZSmallGameLayer.h"

using ddz::fuzz::FuzzView;
using ddz::fuzz::Input;

namespace {

constexpr float kFrameSeconds = 0.05f;

// What a refused message must leave as it was (fuzz/TableChecks.h).
ddz::fuzz::Observed Observe(FuzzView* view) { return ddz::fuzz::Observe(static_cast<DDZGameView*>(view)); }
using ddz::fuzz::Same;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  cocos2d::Log::clear();

  FuzzView* view = FuzzView::create();
  view->SetSmallGameMaker(DDZSmallGameMaker::Shared());
  stage.scene->addChild(view);
  view->SendSitReq();
  stage.director->mainLoop(kFrameSeconds);
  ddz::fuzz::CheckLockNeverBelowZero();

  Input in(data, size);
  ddz::fuzz::TableSizes sizes;
  sizes.resultSize = GameViewPC::kResultSize;
  sizes.snapshotSize = GameViewPC::kReloginSize;
  ddz::fuzz::RunTableSteps(
      stage, view, in, sizes,
      [](int type) { return std::max(GameViewBase::kFrameSize, GameViewPC::MinMessageLength(type)); }, Observe, Same);

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
