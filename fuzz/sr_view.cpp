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
// Input: the steps of fuzz/TableViewSteps.h.
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
#include "fuzz/TableViewSteps.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "table/DDZGameView.h"
#include "tests/support/SRFrames.h"
#include "variants/SRGameView.h"

using ddz::fuzz::Input;

namespace {

constexpr float kFrameSeconds = 0.05f;
constexpr int kMoney = 2000000000;  // near the int's end: sums past it must saturate

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
    srtest::SeatFourChairs(m_PlayerRecord, m_pPlayerNode, [](int chair) { return chair; }, kMoney);
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
  ddz::fuzz::CheckLockNeverBelowZero();

  Input in(data, size);
  ddz::fuzz::TableSizes sizes;
  sizes.resultSize = SRGameView::kResultSize;
  sizes.snapshotSize = SRGameView::kReloginSize;
  // A type the table does not read is dropped whatever its length.
  const auto minimumOf = [&sizes](int type) {
    const int need = SRGameView::MinMessageLength(type);
    return need == 0 ? sizes.maxMessage + 1 : std::max(GameViewBase::kFrameSize, need);
  };
  ddz::fuzz::RunTableSteps(stage, view, in, sizes, minimumOf, Observe, Same);

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
