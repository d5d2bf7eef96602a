// What the targets that run a three-seat table view (classic, tournament)
// observe around a step (fuzz/TableViewSteps.h): the hand's state, the seats'
// card counts and the lock count, which a refused message must leave as they
// were.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "cards/Vell_SpriteCardManage.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/DDZGameView.h"
#include "table/TableItemDef.h"

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

}  // namespace ddz::fuzz
