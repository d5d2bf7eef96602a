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
//   op % 4 == 0: a game message: type byte, 2-byte length (below 1024),
//                that many bytes (the type is written into byte 1; bytes past
//                the input's end are 0);
//   op % 4 == 1: a hand result: 2-byte length (below 600), then its bytes;
//   op % 4 == 2: a re-login snapshot: 2-byte length (below 800), then its bytes;
//   op % 4 == 3: a number of frames (below 64) of 50 ms each.
// Every message is followed by one frame.
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

using ddz::fuzz::Input;

namespace {

constexpr int kMaxMessage = 1024;
constexpr int kMaxResult = 600;
constexpr int kMaxSnapshot = 800;
constexpr int kMaxFrames = 64;
constexpr float kFrameSeconds = 0.05f;
constexpr int kMaxSteps = 64;
const char kLoweredPastZero[] = "m_iLockMainMsgCount lowered below 0";

// The local server of the single-player game, answering nothing: every
// message the view sees comes from the input.
class SilentServer : public SingleServerBase {
 public:
  explicit SilentServer(IGameMessageSink* view) : SingleServerBase(view) {}
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t*, int) override {}
};

class FuzzView : public GameViewPC {
 public:
  static FuzzView* create() {
    auto* view = new FuzzView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<SilentServer>(this);
    return server.get();
  }
  std::unique_ptr<SilentServer> server;

 private:
  FuzzView() : GameViewPC(nullptr, nullptr, 62) {}
};

// What a refused message must leave as it was.
struct Observed {
  TableItemDef item;
  int cards[GameViewBase::kMaxSeats];
  int lock;
};

Observed Observe(FuzzView* view) {
  Observed o{view->m_TableItem, {}, GameViewBase::m_iLockMainMsgCount.Get()};
  for (int seat = 0; seat < GameViewBase::kMaxSeats; ++seat)
    o.cards[seat] = view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  return o;
}

template <typename T, std::size_t N>
bool SameArray(const T (&a)[N], const T (&b)[N]) {
  return std::equal(std::begin(a), std::end(a), std::begin(b));
}

bool SameItem(const TableItemDef& a, const TableItemDef& b) {
  for (int seat = 0; seat < TableItemDef::kSeats; ++seat)
    if (!SameArray(a.iLastOutCard[seat], b.iLastOutCard[seat])) return false;
  return SameArray(a.iPointDemand, b.iPointDemand) && a.iLandOwnerPos == b.iLandOwnerPos &&
         a.iFinalPoint == b.iFinalPoint && a.iBaseScore == b.iBaseScore && a.iTimes == b.iTimes &&
         a.iTableCardOwnerPos == b.iTableCardOwnerPos && a.iSendBombNum == b.iSendBombNum &&
         SameArray(a.iCompeteAmount, b.iCompeteAmount) && SameArray(a.iTuoGuan, b.iTuoGuan) &&
         a.iShowCardTable == b.iShowCardTable && a.iSelfTurnCount == b.iSelfTurnCount &&
         a.bSendRocket == b.bSendRocket && a.bPlayBombSound == b.bPlayBombSound && a.cHappyCard == b.cHappyCard &&
         a.vcBaseCardIndex == b.vcBaseCardIndex && a.vcTableCardIndex == b.vcTableCardIndex;
}

bool Same(const Observed& a, const Observed& b) {
  return SameItem(a.item, b.item) && SameArray(a.cards, b.cards) && a.lock == b.lock;
}

// Also drops the log's lines (checked each time, so none is missed and the
// log stays short).
void CheckLock() {
  FUZZ_CHECK(GameViewBase::m_iLockMainMsgCount.Get() >= 0);
  for (const std::string& line : cocos2d::Log::lines()) FUZZ_CHECK(line.find(kLoweredPastZero) == std::string::npos);
  cocos2d::Log::clear();
}

int Length(Input& in, int max) {
  const int hi = in.Byte();
  const int lo = in.Byte();
  return ((hi << 8) | lo) % max;
}

std::vector<char> Body(Input& in, int len) {
  const std::vector<std::uint8_t> bytes = in.Bytes(static_cast<std::size_t>(len));
  std::vector<char> body(static_cast<std::size_t>(std::max(len, 1)), 0);
  std::copy(bytes.begin(), bytes.end(), body.begin());
  return body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  cocos2d::Log::clear();

  FuzzView* view = FuzzView::create();
  stage.scene->addChild(view);
  view->SendSitReq();
  stage.director->mainLoop(kFrameSeconds);
  CheckLock();

  Input in(data, size);
  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    const int op = in.Byte() % 4;
    if (op == 3) {
      const int frames = in.Byte() % kMaxFrames;
      for (int i = 0; i < frames; ++i) {
        stage.director->mainLoop(kFrameSeconds);
        CheckLock();
      }
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
