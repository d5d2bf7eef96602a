// The four-player table's message handling on the real view: an SRGameView
// on a headless stage (the program's data files, a scratch writable folder,
// network play without a server, four players seated) takes arbitrary frames
// of every type and length through its dispatcher, the hand result and the
// re-login snapshot, with frames of the table stepped between them. Checked:
//   - the message lock count is never below 0, and nothing lowers it past 0
//     (the count's own log line for a stray lowering never appears);
//   - a message shorter than its type's minimum changes nothing: the hand
//     state (m_TableItem), the seats' card counts, the lock count and the
//     seats' money are as they were.
//
// Input: a list of steps, as fuzz/classic_view.cpp reads them:
//   op % 6 == 0: a game message: type byte, 2-byte length (below 1024),
//                that many bytes (the type is written into byte 1; bytes past
//                the input's end are 0);
//   op % 6 == 1: a hand result: 2-byte length (below 600), then its bytes;
//   op % 6 == 2: a re-login snapshot: 2-byte length (below 800), then its bytes;
//   op % 6 == 3: a number of frames (below 64) of 50 ms each;
//   op % 6 == 4: a notice of the game base: a byte choosing it (% 4: jackpot,
//                red packet, announcement, quick chat), 2-byte length (below
//                600), then its bytes;
//   op % 6 == 5: the window to the background (even byte) or back (odd byte).
// Every message is followed by one frame. Money, scores, fees and multiples
// from the messages are summed and multiplied on the way: the sanitizers see
// any overflow.
//
// A fresh view is made for each input, with the game base's records back at
// their start, so a found input replays alone.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableStage.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "table/DDZGameView.h"
#include "variants/SRGameView.h"

using ddz::fuzz::Input;

namespace {

constexpr int kMaxMessage = 1024;
constexpr int kMaxResult = 600;
constexpr int kMaxSnapshot = 800;
constexpr int kMaxFrames = 64;
constexpr float kFrameSeconds = 0.05f;
constexpr int kMaxSteps = 64;
constexpr int kMaxNotice = 600;
constexpr int kOps = 6;
const char kLoweredPastZero[] = "m_iLockMainMsgCount lowered below 0";

// The real view with its four seats taken (own chair 1) and no server
// behind it: a lost connection only logs.
class FuzzSRView : public SRGameView {
 public:
  static FuzzSRView* create() {
    auto* view = new FuzzSRView();
    view->autorelease();
    return view;
  }
  void OnNetConnectFailed(int) override {}
  void SeatPlayers() {
    m_GlobalInfo.iChairID = 1;
    for (int chair = 0; chair < kPlayerCount; ++chair) {
      PlayerNode& p = m_PlayerRecord[chair];
      p = PlayerNode();
      p.iUserID = 40 + chair;
      p.cChairID = static_cast<std::uint8_t>(chair);
      p.iMoney = 2000000000;
      p.iYuanBao = 2000000000;
      m_pPlayerNode[chair] = &p;
    }
    for (int seat = 0; seat < kPlayerCount; ++seat) CallBackPlayerJoinTable(seat);
  }
  int Money(int seat) const { return GetPlayerNode(seat) != nullptr ? GetPlayerNode(seat)->iMoney : 0; }

 private:
  FuzzSRView() : SRGameView(nullptr, nullptr) {}
};

struct Observed {
  TableItemDef item;
  int cards[GameViewBase::kMaxSeats];
  int money[GameViewBase::kMaxSeats];
  int lock;
};

Observed Observe(FuzzSRView* view) {
  Observed o{view->m_TableItem, {}, {}, GameViewBase::m_iLockMainMsgCount.Get()};
  for (int seat = 0; seat < GameViewBase::kMaxSeats; ++seat) {
    o.cards[seat] = view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
    o.money[seat] = view->Money(seat);
  }
  return o;
}

template <typename T, std::size_t N>
bool SameArray(const T (&a)[N], const T (&b)[N]) {
  return std::equal(std::begin(a), std::end(a), std::begin(b));
}

bool SameItem(const TableItemDef& a, const TableItemDef& b) {
  return SameArray(a.iPointDemand, b.iPointDemand) && a.iLandOwnerPos == b.iLandOwnerPos &&
         a.iFinalPoint == b.iFinalPoint && a.iBaseScore == b.iBaseScore && a.iTimes == b.iTimes &&
         a.iTableCardOwnerPos == b.iTableCardOwnerPos && a.iSendBombNum == b.iSendBombNum &&
         a.iShowCardTable == b.iShowCardTable && a.bSendRocket == b.bSendRocket && a.cHappyCard == b.cHappyCard &&
         a.vcBaseCardIndex == b.vcBaseCardIndex && a.vcTableCardIndex == b.vcTableCardIndex;
}

bool Same(const Observed& a, const Observed& b) {
  return SameItem(a.item, b.item) && SameArray(a.cards, b.cards) && SameArray(a.money, b.money) && a.lock == b.lock;
}

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
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  info.iPlayMode = 0;
  info.iUserID = 41;
  info.iGuideShowTimes = 5;
  std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
  info.iServerPort = 1;  // nothing listens there: a login fails at once
  cocos2d::Log::clear();

  FuzzSRView* view = FuzzSRView::create();
  stage.scene->addChild(view);
  view->SeatPlayers();
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
      const int need = SRGameView::MinMessageLength(len > 1 ? type : 0);
      // A type the table does not read is dropped whatever its length.
      minimum = need == 0 ? kMaxMessage + 1 : std::max(GameViewBase::kFrameSize, need);
      view->CallBackHandleMainSocketNetMsg(msg.data(), len);
    } else if (op == 1) {
      len = Length(in, kMaxResult);
      msg = Body(in, len);
      minimum = SRGameView::kResultSize;
      view->CallBackGameResultServer(msg.data(), len);
    } else {
      len = Length(in, kMaxSnapshot);
      msg = Body(in, len);
      minimum = SRGameView::kReloginSize;
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
