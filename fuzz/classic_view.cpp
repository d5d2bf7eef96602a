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
// Input: a list of steps. Each step is an op byte, then what the op needs:
//   op % 6 == 0: a game message: type byte, 2-byte length (below 1024),
//                that many bytes (the type is written into byte 1; bytes past
//                the input's end are 0);
//   op % 6 == 1: a hand result: 2-byte length (below 600), then its bytes;
//   op % 6 == 2: a re-login snapshot: 2-byte length (below 800), then its bytes;
//   op % 6 == 3: a number of frames (below 64) of 50 ms each;
//   op % 6 == 4: a notice of the game base: a byte choosing it (% 4: jackpot,
//                red packet, broadcast, quick chat), 2-byte length (below
//                600), then its bytes;
//   op % 6 == 5: the window to the background (even byte) or back (odd byte).
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
#include "fuzz/TableStage.h"
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
using ddz::fuzz::Body;
using ddz::fuzz::CheckLock;
using ddz::fuzz::Input;
using ddz::fuzz::Length;
using ddz::fuzz::Observe;
using ddz::fuzz::Observed;
using ddz::fuzz::Same;

namespace {

constexpr int kMaxMessage = 1024;
constexpr int kMaxResult = 600;
constexpr int kMaxSnapshot = 800;
constexpr int kMaxFrames = 64;
constexpr float kFrameSeconds = 0.05f;
constexpr int kMaxSteps = 64;
constexpr int kMaxNotice = 600;
constexpr int kOps = 6;

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
  CheckLock();

  Input in(data, size);
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
      const int which = in.Byte() % 4;
      const int len = Length(in, kMaxNotice);
      std::vector<char> notice = Body(in, len);
      switch (which) {
        case 0: view->CallBackJackPotNotice(notice.data(), len); break;
        case 1: view->CallBackHongBaoNotice(notice.data(), len); break;
        case 2: view->CallBackShowBullInfo(notice.data(), len); break;
        default: view->CallBackUrgrCard(notice.data(), len); break;
      }
      CheckLock();
      stage.director->mainLoop(kFrameSeconds);
      CheckLock();
      continue;
    }
    if (op == 5) {
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
    std::vector<char> msg;
    const Observed before = Observe(view);
    if (op == 0) {
      const int type = in.Byte();
      len = Length(in, kMaxMessage);
      msg = Body(in, len);
      if (len > 1) msg[1] = static_cast<char>(type);
      minimum = std::max(GameViewBase::kFrameSize, GameViewPC::MinMessageLength(len > 1 ? type : 0));
      view->CallBackHandleMainSocketNetMsg(msg.data(), len);
    } else if (op == 1) {
      len = Length(in, kMaxResult);
      msg = Body(in, len);
      minimum = GameViewPC::kResultSize;
      view->CallBackGameResultServer(msg.data(), len);
    } else {
      len = Length(in, kMaxSnapshot);
      msg = Body(in, len);
      minimum = GameViewPC::kReloginSize;
      view->CallBackAgainLogin(msg.data(), len);
    }
    CheckLock();
    if (len < minimum) FUZZ_CHECK(Same(before, Observe(view)));
    stage.director->mainLoop(kFrameSeconds);
    CheckLock();
  }

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
