// What the tables' tests of impossible hand messages share: messages a server
// can send that no hand holds (a second landlord in one hand, a play the seat
// cannot have made) must be dropped with a log line and leave the table as it
// was, on every table view. The frames are each table's own; the checks are
// these.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cards/SelfHandCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/MainMsgLock.h"
#include "table/DDZGameView.h"

namespace ddz::test {

inline bool LogHasPart(const std::string& part) {
  const auto& lines = cocos2d::Log::lines();
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// What a dropped hand message must leave as it was: the landlord, the play on
// the table and its owner, the bottom cards, each seat's cards held and
// played, the own cards, the message lock.
struct HandSnapshot {
  int landlord, owner, lockCount, lockTime;
  std::vector<int> onTable, bottom, held, played, own;
  bool operator==(const HandSnapshot&) const = default;
};

inline void PrintTo(const HandSnapshot& s, std::ostream* os) {
  *os << "landlord " << s.landlord << " owner " << s.owner << " lock " << s.lockCount << "/" << s.lockTime
      << " table " << s.onTable.size() << " bottom " << s.bottom.size() << " held";
  for (int n : s.held) *os << " " << n;
  *os << " played";
  for (int n : s.played) *os << " " << n;
  *os << " own " << s.own.size();
}

inline HandSnapshot SnapshotOf(DDZGameView* view, int seats) {
  const TableItemDef& t = view->m_TableItem;
  HandSnapshot s{t.iLandOwnerPos, t.iTableCardOwnerPos, GameViewBase::m_iLockMainMsgCount.Get(),
                 GameViewBase::m_iLockMainMsgTime, t.vcTableCardIndex, t.vcBaseCardIndex, {}, {}, {}};
  for (int seat = 0; seat < seats; ++seat) {
    s.held.push_back(view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1);
    s.played.push_back(view->m_pSendCard[seat] != nullptr ? view->m_pSendCard[seat]->GetCardCount() : -1);
  }
  if (auto* own = dynamic_cast<SelfHandCard*>(view->m_pHandCard[DDZGameView::kOwnSeat])) s.own = own->HandCodes();
  std::sort(s.own.begin(), s.own.end());
  return s;
}

// `frame` is dropped: nothing changes when it arrives (the view's Deliver
// hands it over), nor while `settle` runs the table on (no cards arrive
// later), and a line of the log says `logged`.
template <class View, class Frame, class Settle>
void ExpectDropped(View* view, int seats, const Frame& frame, const char* logged, Settle settle) {
  cocos2d::Log::clear();
  const HandSnapshot before = SnapshotOf(view, seats);
  view->Deliver(frame);
  EXPECT_EQ(SnapshotOf(view, seats), before);
  settle();
  const HandSnapshot after = SnapshotOf(view, seats);
  EXPECT_EQ(after.held, before.held);
  EXPECT_EQ(after.own, before.own);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_TRUE(LogHasPart(logged)) << "a log line with \"" << logged << "\"";
}

// A second landlord message of a hand: `decideOwn` deals a hand and makes the
// own seat its landlord (the own hand then holds `ownCards`), and gives the
// view; each of `again` (a name and a landlord message) is then dropped.
template <class Frame, class DecideOwn, class Settle>
void ExpectSecondLandlordsDropped(int seats, int ownCards, const std::vector<std::pair<const char*, Frame>>& again,
                                  DecideOwn decideOwn, Settle settle) {
  for (const auto& [what, frame] : again) {
    SCOPED_TRACE(what);
    auto* view = decideOwn();
    ASSERT_EQ(view->m_pHandCard[DDZGameView::kOwnSeat]->GetCardCount(), ownCards);
    ExpectDropped(view, seats, frame, "landlord message dropped", settle);
  }
}

// Twenty different cards, A to 10 of suits `a` and `b`: a play longer than a
// seat of 17.
inline std::vector<std::uint8_t> TwentyCards(int a, int b) {
  std::vector<std::uint8_t> cards;
  for (int v = 1; v <= 10; ++v) {
    cards.push_back(static_cast<std::uint8_t>((a << 5) | v));
    cards.push_back(static_cast<std::uint8_t>((b << 5) | v));
  }
  return cards;
}

// The own cards after a deal whose own block held bytes of no suit in place
// of two cards: `size` cards, the A and the 2 of suit 0 (codes 0 and 1) as
// often as they were dealt, none read from those bytes.
inline void ExpectOwnCards(DDZGameView* view, std::size_t size, int aces, int twos) {
  auto* hand = dynamic_cast<SelfHandCard*>(view->m_pHandCard[DDZGameView::kOwnSeat]);
  ASSERT_NE(hand, nullptr);
  const std::vector<int> own = hand->HandCodes();
  EXPECT_EQ(own.size(), size);
  EXPECT_EQ(std::count(own.begin(), own.end(), 0), aces) << "the A of suit 0";
  EXPECT_EQ(std::count(own.begin(), own.end(), 1), twos) << "the 2 of suit 0";
}

// One play of a table's case list: taken, it makes `seat` the owner of the
// table and takes `cards` cards from the seat; else it is dropped.
template <class Frame>
struct PlayCase {
  const char* what;
  Frame frame;
  int seat;
  bool taken;
  int cards = 0;
};

template <class Frame, class View, class Settle>
void ExpectPlays(View* view, int seats, const std::vector<PlayCase<Frame>>& cases, Settle settle) {
  for (const PlayCase<Frame>& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.taken) {
      ExpectDropped(view, seats, c.frame, "play dropped", settle);
      continue;
    }
    cocos2d::Log::clear();
    const int held = view->m_pHandCard[c.seat]->GetCardCount();
    view->Deliver(c.frame);
    EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, c.seat);
    EXPECT_EQ(view->m_pHandCard[c.seat]->GetCardCount(), held - c.cards);
    EXPECT_FALSE(LogHasPart("play dropped"));
    settle();
  }
}

}  // namespace ddz::test
