// What the targets that run a real table view check after every step, and
// how they read a message off the input: the hand's state, the seats' card
// counts and the lock count (a refused message must leave them as they
// were), the lock never below 0 (nor its log line for a stray lowering), and
// a 2-byte length with that many bytes of body.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "fuzz/FuzzSupport.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/DDZGameView.h"
#include "table/TableItemDef.h"
#include "platform/engine/Director.h"

namespace ddz::fuzz {

// What a refused message must leave as it was.
struct Observed {
  TableItemDef item;
  int cards[GameViewBase::kMaxSeats];
  int lock;
};

inline Observed Observe(const DDZGameView* view) {
  Observed o{view->m_TableItem, {}, GameViewBase::m_iLockMainMsgCount.Get()};
  for (int seat = 0; seat < GameViewBase::kMaxSeats; ++seat)
    o.cards[seat] = view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  return o;
}

template <typename T, std::size_t N>
bool SameArray(const T (&a)[N], const T (&b)[N]) {
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
  static const char kLoweredPastZero[] = "m_iLockMainMsgCount lowered below 0";
  FUZZ_CHECK(GameViewBase::m_iLockMainMsgCount.Get() >= 0);
  for (const std::string& line : cocos2d::Log::lines()) FUZZ_CHECK(line.find(kLoweredPastZero) == std::string::npos);
  cocos2d::Log::clear();
}

// A 2-byte length below `max`.
inline int Length(Input& in, int max) {
  const int hi = in.Byte();
  const int lo = in.Byte();
  return ((hi << 8) | lo) % max;
}

// `len` bytes of the input (zeros past its end), at least one byte.
inline std::vector<char> Body(Input& in, int len) {
  const std::vector<std::uint8_t> bytes = in.Bytes(static_cast<std::size_t>(len));
  std::vector<char> body(static_cast<std::size_t>(std::max(len, 1)), 0);
  std::copy(bytes.begin(), bytes.end(), body.begin());
  return body;
}

// The steps of a table view's target, off the input (see fuzz/classic_view.cpp
// for the layout): messages through the dispatcher, hand results, re-login
// snapshots, frames, notices, the background and back, each followed by a
// frame, with the lock checked after each and a message shorter than its
// minimum required to change nothing. `minimumOf(type)` is the dispatcher's
// minimum of a type; `resultMinimum` and `reloginMinimum` those of the hand
// result and the snapshot.
template <class View, class MinimumOf>
void RunTableSteps(cocos2d::Director* director, View* view, Input& in, MinimumOf minimumOf, int resultMinimum,
                   int reloginMinimum) {
  constexpr int kMaxMessage = 1024;
  constexpr int kMaxResult = 600;
  constexpr int kMaxSnapshot = 800;
  constexpr int kMaxFrames = 64;
  constexpr float kFrameSeconds = 0.05f;
  constexpr int kMaxSteps = 64;
  constexpr int kMaxNotice = 600;
  constexpr int kOps = 6;
  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    const int op = in.Byte() % kOps;
    if (op == 3) {
      const int frames = in.Byte() % kMaxFrames;
      for (int i = 0; i < frames; ++i) {
        director->mainLoop(kFrameSeconds);
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
      director->mainLoop(kFrameSeconds);
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
      director->mainLoop(kFrameSeconds);
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
      minimum = std::max(GameViewBase::kFrameSize, minimumOf(len > 1 ? type : 0));
      view->CallBackHandleMainSocketNetMsg(msg.data(), len);
    } else if (op == 1) {
      len = Length(in, kMaxResult);
      msg = Body(in, len);
      minimum = resultMinimum;
      view->CallBackGameResultServer(msg.data(), len);
    } else {
      len = Length(in, kMaxSnapshot);
      msg = Body(in, len);
      minimum = reloginMinimum;
      view->CallBackAgainLogin(msg.data(), len);
    }
    CheckLock();
    if (len < minimum) FUZZ_CHECK(Same(before, Observe(view)));
    director->mainLoop(kFrameSeconds);
    CheckLock();
  }
}

}  // namespace ddz::fuzz
