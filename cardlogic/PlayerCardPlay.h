// Shared by the play-choice sources of CPlayerCard (entry and helpers, leading,
// following): the per-call view of the table and the wings a play takes.
#pragma once

#include <array>

#include "cardlogic/PlayerCard.h"

namespace ddz {

// Everything one SearchPlay call reads of the table, computed once at entry.
struct CPlayerCard::PlayContext {
  CombinationRecord* record = nullptr;  // the table's last play; the move is written here
  std::array<CPlayerCard*, 3> seats{};
  bool leading = true;
  CombinationRecord last;  // the play to beat (following), as it was on entry
  int lastCards = 0;       // its card count
  int enemyMin = 0;        // E
  int partner = 0;         // P
  int loose = 0;           // L: low singles + low pairs
  int uncovered = 0;       // U
  int draw = 0;            // r: Rand() % 100
  bool partnerPlayed = false;
  bool danger = false;
};

// The wings chosen for a play and where each came from, so that a play made
// without a fresh analysis can correct the marks afterwards.
struct CPlayerCard::WingChoice {
  int kind = 0;  // kWingSingles, kWingPairs or 0
  int count = 0;
  std::array<int, kMaxWings> values{};
  std::array<WingSource, kMaxWings> sources{};
  bool fromHand = false;  // some wing was taken out of the hand, not out of the marks

  bool Has(int value) const {
    for (int k = 0; k < count; ++k)
      if (values[k] == value) return true;
    return false;
  }
  void Add(int value, WingSource source) {
    values[count] = value;
    sources[count] = source;
    ++count;
    if (source != WingSource::SingleMark && source != WingSource::SplitPair && source != WingSource::PairMark)
      fromHand = true;
  }
  void WriteTo(CombinationRecord& move) const {
    move.iWingKind = count > 0 ? kind : 0;
    move.iWings.fill(0);
    for (int k = 0; k < count; ++k) move.iWings[k] = values[k];
  }
};

namespace play {
constexpr int kLow = 3;
constexpr int kA = kValueA;
constexpr int k2 = kValue2;
constexpr int kSmall = kValueSmallJoker;
constexpr int kBig = kValueBigJoker;

inline CombinationRecord Move(int code, int low, int high = 0) {
  CombinationRecord m;
  m.iType = code;
  m.iLow = low;
  m.iHigh = high == 0 ? low : high;
  return m;
}
}  // namespace play

}  // namespace ddz
