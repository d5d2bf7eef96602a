// CPlayerCard::AnalyseHand: the split of a hand into at most six combination
// records (planes, pair straights, straights, bombs, triples) and loose
// singles and pairs, and the turn count derived from it.
//
// Every pass works on m_iScratch (the held counts by value index). A pass may
// put cards aside (m_iSingleMark / m_iPairMark serve as the set-aside tables
// while the analysis runs); they come back at the end of the pass. When the
// six list slots are full a pass stops and leaves its cards where they are.
#include <algorithm>

#include "cardlogic/PlayerCard.h"

namespace ddz {

namespace {
constexpr int kLow = 3;
constexpr int kA = kValueA;

bool SideOfThreeOrFour(int side) { return side == 3 || side == 4; }
bool SideOfTwoToFour(int side) { return side >= 2 && side <= 4; }

// The neighbour rule of runs of pairs: one side of 3 or 4 held values, 4 to 8 together.
bool PairRunNeighboursFit(int down, int up) {
  return (SideOfThreeOrFour(down) || SideOfThreeOrFour(up)) && down + up >= 4 && down + up <= 8;
}
// The neighbour rule of the triple pass: one side of 2 to 4 held values, 4 to 8 together.
bool TripleNeighboursFit(int down, int up) {
  return (SideOfTwoToFour(down) || SideOfTwoToFour(up)) && down + up >= 4 && down + up <= 8;
}
}  // namespace

bool CPlayerCard::ListFull() const {
  for (const auto& rec : m_Combination)
    if (rec.IsEmpty()) return false;
  return true;
}

bool CPlayerCard::AddGroup(int code, int value) {
  for (auto& rec : m_Combination) {
    if (!rec.IsEmpty()) continue;
    rec.Clear();
    rec.iType = code;
    rec.iLow = rec.iHigh = value;
    m_iScratch[value] -= code == Combo::Bomb ? 4 : 3;
    return true;
  }
  return false;
}

bool CPlayerCard::AddChain(int code, int low, int high) {
  const int mult = code == Combo::Plane ? 3 : code == Combo::PairStraight ? 2 : 1;
  for (auto& rec : m_Combination) {
    if (!rec.IsEmpty()) continue;
    rec.Clear();
    rec.iType = code;
    rec.iLow = low;
    rec.iHigh = high;
    for (int v = low; v <= high; ++v) m_iScratch[v] -= mult;
    return true;
  }
  return false;
}

int CPlayerCard::HeldAbove(int value) const {
  int n = 0;
  for (int v = value + 1; v <= kA && m_iScratch[v] >= 1; ++v) ++n;
  return n;
}

int CPlayerCard::HeldBelow(int value) const {
  int n = 0;
  for (int v = value - 1; v >= kLow && m_iScratch[v] >= 1; --v) ++n;
  return n;
}

int CPlayerCard::ScratchTotal() const {
  int total = 0;
  for (int v = kLow; v < kValueSlots; ++v) total += m_iScratch[v];
  return total;
}

void CPlayerCard::ReturnSetAside() {
  for (int v = kLow; v < kValueSlots; ++v) {
    m_iScratch[v] += m_iSingleMark[v] + 2 * m_iPairMark[v];
    m_iSingleMark[v] = 0;
    m_iPairMark[v] = 0;
  }
}

// Each value of [runLow, runHigh] lends one card to a straight pass over
// [low, high]; a lent card the pass does not take stays with its value.
// True when the pass took or set aside anything.
bool CPlayerCard::LendToStraights(int runLow, int runHigh, int low, int high) {
  const int before = ScratchTotal();
  std::array<int, kValueSlots> kept{};
  for (int v = runLow; v <= runHigh; ++v) {
    kept[v] = m_iScratch[v] - 1;
    m_iScratch[v] = 1;
  }
  SplitStraights(low, high);
  for (int v = runLow; v <= runHigh; ++v) m_iScratch[v] += kept[v];
  return ScratchTotal() < before;
}

void CPlayerCard::SplitPairStraights() {
  int i = kLow;
  while (i <= 12) {
    if (ListFull()) return;
    if (m_iScratch[i] < 2) { ++i; continue; }
    int e = i;
    while (e + 1 <= kA && m_iScratch[e + 1] >= 2) ++e;
    const int n = e - i + 1;
    if (n < 3) { ++i; continue; }

    if (SplitPlanesInPairRun(i, e) > 0) continue;
    if (ListFull()) return;

    if (n >= 4) {
      if (m_iScratch[e] == 4) { if (!AddGroup(Combo::Bomb, e)) return; continue; }
      if (m_iScratch[i] == 4) { if (!AddGroup(Combo::Bomb, i)) return; continue; }
      if (m_iScratch[e] == 3) { if (!AddGroup(Combo::Triple, e)) return; continue; }
      if (m_iScratch[i] == 3) { if (!AddGroup(Combo::Triple, i)) return; continue; }
    }

    int c = 0, four = 0, three = 0;
    for (int v = i; v <= e; ++v) {
      if (m_iScratch[v] >= 3) ++c;
      if (m_iScratch[v] == 4 && four == 0) four = v;
      if (m_iScratch[v] == 3 && three == 0) three = v;
    }
    if (c > 0) {
      if (2 * c < n) {
        const int v = four != 0 ? four : three;
        const bool fit = PairRunNeighboursFit(HeldBelow(v), HeldAbove(v));
        if (m_iScratch[v] == 4) {
          if (fit) { ++m_iPairMark[v]; m_iScratch[v] -= 2; }
          else if (!AddGroup(Combo::Bomb, v)) return;
        } else {
          if (fit) { ++m_iSingleMark[v]; m_iScratch[v] -= 1; }
          else if (!AddGroup(Combo::Triple, v)) return;
        }
      } else {
        for (int v = i; v <= e; ++v) {
          if (m_iScratch[v] == 4 && !AddGroup(Combo::Bomb, v)) return;
          if (m_iScratch[v] == 3 && !AddGroup(Combo::Triple, v)) return;
        }
      }
      continue;
    }

    // A run of pairs only: lend one card of each to a straight through it when
    // there is room on both sides, else it is a pair straight. When the straight
    // pass takes nothing, nothing was made and the pass moves on.
    const int up = HeldAbove(e);
    const int down = HeldBelow(i);
    if (down >= 1 && up >= 1 && n + down >= 5 && n + up >= 5) {
      if (!LendToStraights(i, e, i - down, e)) ++i;
      continue;
    }
    if (!AddChain(Combo::PairStraight, i, e)) return;
  }
}

int CPlayerCard::SplitPlanesInPairRun(int low, int high) {
  int made = 0;
  int j = low;
  while (j <= high - 1) {
    if (ListFull()) return made;
    if (m_iScratch[j] < 3) { ++j; continue; }
    int f = j;
    while (f + 1 <= high && m_iScratch[f + 1] >= 3) ++f;
    const int m = f - j + 1;
    if (m < 2) { ++j; continue; }

    int four = 0;
    for (int v = j; v <= f && four == 0; ++v)
      if (m_iScratch[v] == 4) four = v;
    if (four != 0) {
      if (PairRunNeighboursFit(HeldBelow(four), HeldAbove(four))) {
        ++m_iSingleMark[four];
        m_iScratch[four] -= 1;
      } else if (!AddGroup(Combo::Bomb, four)) {
        return made;
      }
    } else {
      const int up = HeldAbove(f);
      const int down = HeldBelow(j);
      if (down >= 1 && up >= 1 && m + down >= 5 && m + up >= 5) {
        ++m_iSingleMark[j];
        m_iScratch[j] -= 1;
      } else if (!AddChain(Combo::Plane, j, f)) {
        return made;
      }
    }
    ++made;
  }
  return made;
}

void CPlayerCard::SplitPlanes() {
  int i = kLow;
  while (i <= 13) {
    if (ListFull()) return;
    if (m_iScratch[i] < 3) { ++i; continue; }
    int e = i;
    while (e + 1 <= kA && m_iScratch[e + 1] >= 3) ++e;
    const int n = e - i + 1;
    if (n < 2) { ++i; continue; }

    const int down = HeldBelow(i);
    const int up = HeldAbove(e);
    int fours = 0;
    for (int v = i; v <= e; ++v)
      if (m_iScratch[v] == 4) ++fours;
    if (2 * fours >= n) {
      for (int v = i; v <= e; ++v)
        if (m_iScratch[v] == 4 && !AddGroup(Combo::Bomb, v)) return;
      continue;
    }
    // Room for a straight through the run: each run value lends it one card.
    // When the straight pass takes nothing, nothing was made and the pass moves on.
    const bool lendBelow = i > kLow && down >= 3 && up >= 3;
    const bool lendBoth = !lendBelow && down >= 1 && up >= 1 && down + up + n <= 8;
    if (lendBelow || lendBoth) {
      if (!LendToStraights(i, e, i - down, lendBelow ? e : e + up)) ++i;
      continue;
    }
    if (!AddChain(Combo::Plane, i, e)) return;
  }
}

void CPlayerCard::SplitStraights(int low, int high) {
  if (high - low < 4) return;
  int i = low;
  while (i <= high - 4) {
    if (ListFull()) return;
    int e = i - 1;
    while (e + 1 <= high && m_iScratch[e + 1] >= 1) ++e;
    const int n = e - i + 1;
    if (n < 5) { ++i; continue; }

    bool allOnce = true;
    int c4 = 0, c3 = 0, c2 = 0;
    for (int v = i; v <= e; ++v) {
      const int k = m_iScratch[v];
      if (k != 1) allOnce = false;
      if (k == 4) ++c4;
      if (k == 3) ++c3;
      if (k == 2) ++c2;
    }
    if (allOnce) {
      if (!AddChain(Combo::Straight, i, e)) return;
      continue;
    }

    if (n >= 6) {  // trim the ends one group at a time
      if (m_iScratch[e] == 4) { if (!AddGroup(Combo::Bomb, e)) return; continue; }
      if (m_iScratch[i] == 4) { if (!AddGroup(Combo::Bomb, i)) return; continue; }
      if (m_iScratch[e] == 3) { if (!AddGroup(Combo::Triple, e)) return; continue; }
      if (m_iScratch[i] == 3) { if (!AddGroup(Combo::Triple, i)) return; continue; }
      if (m_iScratch[e] == 2) { ++m_iPairMark[e]; m_iScratch[e] -= 2; continue; }
      if (m_iScratch[i] == 2) { ++m_iPairMark[i]; m_iScratch[i] -= 2; continue; }
    }

    if (c4 > 0) {
      // Fours with room enough keep one card for the straight as a triple record.
      const int code = 3 * c4 + c2 + 2 * c3 <= n ? Combo::Triple : Combo::Bomb;
      for (int v = i; v <= e; ++v)
        if (m_iScratch[v] == 4 && !AddGroup(code, v)) return;
    } else if (c3 > 0) {
      if (c2 + 3 * c3 <= n) {
        for (int v = i; v <= e; ++v)
          if (m_iScratch[v] == 3) { ++m_iPairMark[v]; m_iScratch[v] -= 2; }
      } else {
        for (int v = i; v <= e; ++v)
          if (m_iScratch[v] == 3 && !AddGroup(Combo::Triple, v)) return;
      }
    } else if (2 * c2 > n) {
      for (int v = i; v <= e; ++v)
        if (m_iScratch[v] == 2) { ++m_iPairMark[v]; m_iScratch[v] -= 2; }
    } else {
      // Values held twice among values held once: look for a cut into two
      // straights of five or more that share the doubled values.
      bool cut = false;
      int p = i;
      while (p <= e && m_iScratch[p] != 2) ++p;
      while (p <= e) {
        int s = p + 1;
        while (s <= e && m_iScratch[s] != 1) ++s;
        if (s > e) break;
        if (s - i >= 5 && e - p + 1 >= 5) {
          if (!AddChain(Combo::Straight, i, s - 1)) return;
          SplitStraights(p, e);
          cut = true;
          break;
        }
        p = s + 1;
        while (p <= e && m_iScratch[p] != 2) ++p;
      }
      if (!cut && !AddChain(Combo::Straight, i, e)) return;
    }
  }
}

void CPlayerCard::SplitTriples() {
  for (int v = kLow; v <= kA; ++v) {
    if (ListFull()) return;
    if (m_iScratch[v] == 4) {
      const int down = HeldBelow(v);
      const int up = HeldAbove(v);
      if (TripleNeighboursFit(down, up)) {
        // One card goes to a straight through the neighbours; the other three
        // stay as a triple for the next rule. When no straight takes the card
        // it comes back and the four is a bomb.
        m_iScratch[v] = 1;
        SplitStraights(v - down, v + up);
        m_iScratch[v] = m_iScratch[v] == 0 ? 3 : 4;
      }
      if (m_iScratch[v] == 4) {
        if (!AddGroup(Combo::Bomb, v)) return;
        continue;
      }
    }
    if (m_iScratch[v] == 3) {
      const int down = HeldBelow(v);
      const int up = HeldAbove(v);
      if (TripleNeighboursFit(down, up)) {
        m_iScratch[v] = 1;
        SplitStraights(v - down, v + up);
        m_iScratch[v] += 2;
        // Still three when no straight took the card: then it is a triple after all.
        if (m_iScratch[v] == 3 && !AddGroup(Combo::Triple, v)) return;
      } else if (!AddGroup(Combo::Triple, v)) {
        return;
      }
    }
  }
}

void CPlayerCard::SortList() {
  // By low value, empty slots last; equal lows keep the order the passes made them in.
  std::stable_sort(m_Combination.begin(), m_Combination.end(),
                   [](const CombinationRecord& a, const CombinationRecord& b) {
                     if (a.IsEmpty() || b.IsEmpty()) return !a.IsEmpty() && b.IsEmpty();
                     return a.iLow < b.iLow;
                   });
}

int CPlayerCard::AnalyseHand(bool bidFlag) {
  for (auto& rec : m_Combination) rec.Clear();
  m_iCombinationCount = 0;
  m_iSingleMark.fill(0);
  m_iPairMark.fill(0);
  m_iSingles = m_iLowSingles = m_iPairs = m_iLowPairs = m_iTurns = 0;
  if (bidFlag) m_iBidWish = 0;
  m_iScratch.fill(0);
  for (int v = kLow; v < kValueSlots; ++v) m_iScratch[v] = static_cast<int>(m_OwnCount.Get(v));
  m_iHighScore = m_iScratch[kValue2] + m_iScratch[kValueSmallJoker] + m_iScratch[kValueBigJoker];

  SplitPairStraights();
  ReturnSetAside();
  SplitPlanes();
  ReturnSetAside();
  SplitStraights(kLow, kA);
  ReturnSetAside();
  SplitTriples();
  SplitPairStraights();
  ReturnSetAside();

  // 2s: four are a bomb of value 15, three a triple.
  if (m_iScratch[kValue2] == 4) AddGroup(Combo::Bomb, kValue2);
  else if (m_iScratch[kValue2] == 3) AddGroup(Combo::Triple, kValue2);

  // A value can still be held three or four times here: the cards a straight
  // pass set aside come back only at the end of the last pass. It becomes a
  // bomb or triple record, so that every held card ends in a record or a mark.
  // A slot is always free for it: six records hold at least 18 of at most 20
  // cards, so a full list never leaves three cards of one value behind.
  for (int v = kLow; v <= kValue2; ++v)
    if (m_iScratch[v] >= 3) AddGroup(m_iScratch[v] == 4 ? Combo::Bomb : Combo::Triple, v);

  for (int v = kLow; v <= kValue2; ++v)
    if (m_iScratch[v] == 2) { m_iPairMark[v] = 1; ++m_iPairs; }
  m_iLowPairs = m_iPairs - m_iPairMark[kValue2];
  for (int v = kLow; v <= kValueBigJoker; ++v)
    if (m_iScratch[v] == 1) { m_iSingleMark[v] = 1; ++m_iSingles; }
  m_iLowSingles = m_iSingles - m_iSingleMark[kValue2] - m_iSingleMark[kValueSmallJoker] -
                  m_iSingleMark[kValueBigJoker];

  for (const auto& rec : m_Combination)
    if (rec.iType == Combo::Bomb && rec.iLow != kValue2) ++m_iHighScore;

  CountTurns();
  SortList();
  if (bidFlag) m_iBidWish = GetBidScore();
  return m_iTurns;
}

int CPlayerCard::CountTurns() {
  const bool smallJoker = m_OwnCount.Get(kValueSmallJoker) > 0;
  const bool bigJoker = m_OwnCount.Get(kValueBigJoker) > 0;
  int s = m_iLowSingles + (m_iSingleMark[kValue2] ? 1 : 0) + (smallJoker != bigJoker ? 1 : 0);
  int p = m_iPairs;
  int records = 0;
  for (const auto& rec : m_Combination)
    if (!rec.IsEmpty()) ++records;
  m_iCombinationCount = records;

  // Planes and triples carry loose pairs or singles with them.
  for (const auto& rec : m_Combination) {
    if (rec.iType != Combo::Plane) continue;
    const int n = rec.iHigh - rec.iLow + 1;
    if (p >= n) p -= n;
    else if (s >= n) s -= n;
    else if (n <= p + s) { p -= n - s; s = 0; }
  }
  for (const auto& rec : m_Combination) {
    if (rec.iType != Combo::Triple) continue;
    if (p > 0) --p;
    else if (s > 0) --s;
  }
  m_iTurns = records + s + p + (smallJoker && bigJoker ? 1 : 0);
  return m_iTurns;
}

}  // namespace ddz
