// What the targets that run a real table view share: a local server that
// answers nothing (every message the view sees comes from the input), the
// classic view on it, what a refused message must leave as it was, the lock
// check and the readers of the input's lengths and bodies.
#pragma once

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "classic/GameViewPC.h"
#include "fuzz/FuzzSupport.h"
#include "platform/engine/Log.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/SingleServerBase.h"
#include "platform/os/Clock.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

namespace ddz::fuzz {

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


inline constexpr char kLoweredPastZero[] = "m_iLockMainMsgCount lowered below 0";

// What a refused message must leave as it was.
struct Observed {
  TableItemDef item;
  int cards[GameViewBase::kMaxSeats];
  int lock;
};

inline Observed Observe(DDZGameView* view) {
  Observed o{view->m_TableItem, {}, GameViewBase::m_iLockMainMsgCount.Get()};
  for (int seat = 0; seat < GameViewBase::kMaxSeats; ++seat)
    o.cards[seat] = view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  return o;
}

template <typename T, std::size_t N>
inline bool SameArray(const T (&a)[N], const T (&b)[N]) {
  return std::equal(std::begin(a), std::end(a), std::begin(b));
}

inline bool SameItem(const TableItemDef& a, const TableItemDef& b) {
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

inline bool Same(const Observed& a, const Observed& b) {
  return SameItem(a.item, b.item) && SameArray(a.cards, b.cards) && a.lock == b.lock;
}

// Also drops the log's lines (checked each time, so none is missed and the
// log stays short).
inline void CheckLock() {
  FUZZ_CHECK(GameViewBase::m_iLockMainMsgCount.Get() >= 0);
  for (const std::string& line : cocos2d::Log::lines()) FUZZ_CHECK(line.find(kLoweredPastZero) == std::string::npos);
  cocos2d::Log::clear();
}

inline int Length(Input& in, int max) {
  const int hi = in.Byte();
  const int lo = in.Byte();
  return ((hi << 8) | lo) % max;
}

inline std::vector<char> Body(Input& in, int len) {
  const std::vector<std::uint8_t> bytes = in.Bytes(static_cast<std::size_t>(len));
  std::vector<char> body(static_cast<std::size_t>(std::max(len, 1)), 0);
  std::copy(bytes.begin(), bytes.end(), body.begin());
  return body;
}

}  // namespace ddz::fuzz
