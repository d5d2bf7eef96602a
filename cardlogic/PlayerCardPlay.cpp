// CPlayerCard::SearchPlay: the entry of the computer player's move, the seat's
// view of the table, and the small plays and bookkeeping that leading and
// following share.
#include <algorithm>

#include "cardlogic/ClueCard.h"
#include "cardlogic/PlayerCardPlay.h"
#include "platform/os/Random.h"

namespace ddz {

using namespace play;

namespace {

// The other seats, each once, without nulls and without this one.
std::array<const CPlayerCard*, 3> OtherSeats(const CPlayerCard* self, const CPlayerCard* s0, const CPlayerCard* s1,
                                             const CPlayerCard* s2) {
  std::array<const CPlayerCard*, 3> out{};
  int n = 0;
  for (const CPlayerCard* s : {s0, s1, s2}) {
    if (s == nullptr || s == self) continue;
    if (std::find(out.begin(), out.begin() + n, s) != out.begin() + n) continue;
    out[n++] = s;
  }
  return out;
}

// Wing values of a code: n for planes with wings, two for a four, one for a triple.
int WingCount(const CombinationRecord& r) {
  switch (r.iType) {
    case Combo::PlaneSingles:
    case Combo::PlanePairs: return r.iHigh - r.iLow + 1;
    case Combo::FourTwoSingles:
    case Combo::FourTwoPairs: return 2;
    case Combo::TripleSingle:
    case Combo::TriplePair: return 1;
    default: return 0;
  }
}

int WingKindOf(int code) {
  switch (code) {
    case Combo::PlaneSingles:
    case Combo::FourTwoSingles:
    case Combo::TripleSingle: return kWingSingles;
    case Combo::PlanePairs:
    case Combo::FourTwoPairs:
    case Combo::TriplePair: return kWingPairs;
    default: return 0;
  }
}

// A move the classic rules accept: a known shape, and wings of distinct values
// outside the group (two equal single wings, or a wing of the group's value,
// make no valid play).
bool WellFormedMove(const CombinationRecord& m) {
  if (CPlayerCard::GetCombinationTypeInfo(m).type == CardType::Invalid) return false;
  if (m.iWingKind != WingKindOf(m.iType)) return false;
  const int wings = WingCount(m);
  for (int k = 0; k < kMaxWings; ++k) {
    const int w = m.iWings[k];
    if (k >= wings) {
      if (w != 0) return false;
      continue;
    }
    if (w >= m.iLow && w <= m.iHigh) return false;
    for (int j = 0; j < k; ++j)
      if (m.iWings[j] == w) return false;
  }
  return true;
}

}  // namespace

CardTypeInfo CPlayerCard::GetCombinationTypeInfo(const CombinationRecord& r) {
  const int n = r.iHigh - r.iLow + 1;
  const auto chain = [&](int minN, int maxN) { return r.iLow >= kLow && r.iHigh <= kA && n >= minN && n <= maxN; };
  const auto group = [&](int top) { return r.iLow >= kLow && r.iLow <= top && r.iHigh == r.iLow; };
  int type = CardType::Invalid;
  int key = r.iLow;
  switch (r.iType) {
    case Combo::Plane: if (chain(2, 6)) type = CardType::Plane(n); key = r.iHigh; break;
    case Combo::PlaneSingles: if (chain(2, 5)) type = CardType::PlaneWings(n, false); key = r.iHigh; break;
    case Combo::PlanePairs: if (chain(2, 4)) type = CardType::PlaneWings(n, true); key = r.iHigh; break;
    case Combo::PairStraight: if (chain(3, 10)) type = CardType::PairStraight(n); key = r.iHigh; break;
    case Combo::Straight: if (chain(5, 12)) type = CardType::Straight(n); key = r.iHigh; break;
    case Combo::Bomb: if (group(k2)) type = CardType::Bomb; break;
    case Combo::FourTwoSingles: if (group(k2)) type = CardType::FourTwoSingles; break;
    case Combo::FourTwoPairs: if (group(k2)) type = CardType::FourTwoPairs; break;
    case Combo::Triple: if (group(k2)) type = CardType::Triple; break;
    case Combo::TripleSingle: if (group(k2)) type = CardType::TripleSingle; break;
    case Combo::TriplePair: if (group(k2)) type = CardType::TriplePair; break;
    case Combo::Pair: if (group(k2)) type = CardType::Pair; break;
    case Combo::Single: if (group(kBig)) type = CardType::Single; break;
    case Combo::Rocket: type = CardType::Rocket; key = kBig; break;
    default: break;
  }
  if (type == CardType::Invalid) return {};
  return {type, SpreadOf(key)};
}

// --- The seat's view of the table ---------------------------------------------

int CPlayerCard::GetEnemyMinCardCount(const CPlayerCard* s0, const CPlayerCard* s1, const CPlayerCard* s2) const {
  int fewest = kMaxCards;
  for (const CPlayerCard* o : OtherSeats(this, s0, s1, s2))
    if (o != nullptr && (m_iRole == 0 || o->GetRole() == 0)) fewest = std::min(fewest, o->GetCardCount());
  return fewest;
}

int CPlayerCard::GetPartnerCardCount(const CPlayerCard* s0, const CPlayerCard* s1, const CPlayerCard* s2) const {
  if (m_iRole == 0) return m_iCardCount;
  for (const CPlayerCard* o : OtherSeats(this, s0, s1, s2))
    if (o != nullptr && o->GetRole() != 0) return o->GetCardCount();
  return kMaxCards;
}

bool CPlayerCard::IsOpponentNearFinish(const CPlayerCard* s0, const CPlayerCard* s1, const CPlayerCard* s2) const {
  bool near = false;
  for (const CPlayerCard* o : OtherSeats(this, s0, s1, s2)) {
    if (o == nullptr || (m_iRole != 0 && o->GetRole() != 0)) continue;
    const int r = os::Rand() % 100;  // one draw per opponent, whatever its count
    const int cards = o->GetCardCount();
    if (cards <= 6 || (cards <= 8 && r < 75) || (cards <= 10 && r < 25)) near = true;
  }
  return near;
}

int CPlayerCard::PlaneLengthsAndTriples() const {
  int n = 0;
  for (const auto& rec : m_Combination) {
    if (rec.iType == Combo::Plane) n += rec.iHigh - rec.iLow + 1;
    if (rec.iType == Combo::Triple) n += 1;
  }
  return n;
}

int CPlayerCard::ListedCount() const {
  int n = 0;
  for (const auto& rec : m_Combination)
    if (!rec.IsEmpty()) ++n;
  return n;
}

int CPlayerCard::CountUncoveredSingles() const {
  int u = m_iSingles - m_iSingleMark[kBig];
  if (m_iSingleMark[kSmall] && SeenBigJoker()) --u;
  if (m_iSingleMark[k2] && SeenSmallJoker() && SeenBigJoker()) --u;
  u -= PlaneLengthsAndTriples();
  return std::max(u, 0);
}

int CPlayerCard::CountUncarriedSingles() const { return CountUncoveredSingles(); }

int CPlayerCard::CountControlTurns() const {
  const bool small = Held(kSmall) > 0;
  const bool big = Held(kBig) > 0;
  int c = m_iPairs + m_iSingles;
  if (small && big) --c;  // the rocket is one turn
  if (big && !small && c > 0) --c;
  if (small && !big && SeenBigJoker()) --c;
  if (m_iSingleMark[k2] && SeenSmallJoker() && SeenBigJoker()) --c;
  c = std::max(c - PlaneLengthsAndTriples(), 0);

  int others = 0;
  bool bomb = false;
  for (const auto& rec : m_Combination) {
    if (rec.IsEmpty()) continue;
    if (rec.iType == Combo::Bomb) bomb = true;
    else ++others;
  }
  const int twos = Held(k2);
  if ((twos == 2 || twos == 3) && (SeenSmallJoker() || SeenBigJoker()) && others > 0) --others;
  c += others;
  if (bomb && !(small && big)) ++c;
  return c;
}

int CPlayerCard::CountBombs() const {
  int n = 0;
  for (const auto& rec : m_Combination)
    if (rec.iType == Combo::Bomb) ++n;
  if (Held(kSmall) > 0 && Held(kBig) > 0) ++n;
  return n;
}

bool CPlayerCard::IsOnlyBombsLeft() const {
  if (m_iLowSingles != 0 || m_iPairs != 0) return false;
  const int twos = Held(k2);
  if (twos != 0 && twos != 4) return false;
  if ((Held(kSmall) > 0) != (Held(kBig) > 0)) return false;
  for (const auto& rec : m_Combination)
    if (!rec.IsEmpty() && rec.iType != Combo::Bomb) return false;
  return true;
}

bool CPlayerCard::HasSureSingle() const {
  return m_iSingleMark[kBig] || (m_iSingleMark[kSmall] && SeenBigJoker()) ||
         (m_iSingleMark[k2] && SeenSmallJoker() && SeenBigJoker());
}

// --- Entry ----------------------------------------------------------------------

bool CPlayerCard::SearchPlay(CombinationRecord* last, bool leading, CPlayerCard* seat0, CPlayerCard* seat1,
                             CPlayerCard* seat2) {
  if (last == nullptr) return false;
  PlayContext ctx;
  ctx.record = last;
  ctx.seats = {seat0, seat1, seat2};
  ctx.leading = leading;
  ctx.enemyMin = GetEnemyMinCardCount(seat0, seat1, seat2);
  ctx.partner = GetPartnerCardCount(seat0, seat1, seat2);
  ctx.loose = m_iLowPairs + m_iLowSingles;
  ctx.uncovered = CountUncoveredSingles();
  ctx.draw = os::Rand() % 100;
  CountTurns();
  if (m_iCardCount <= 0) return false;
  if (leading) return Lead(ctx);

  ctx.last = *last;
  ctx.lastCards = GetCombinationCardCount(last);
  const CPlayerCard* by = last->pPlayer;
  ctx.partnerPlayed = m_iRole != 0 && by != nullptr && by != this && by->GetRole() != 0;
  ctx.danger = IsOpponentNearFinish(seat0, seat1, seat2);
  return Follow(ctx);
}

bool CPlayerCard::Beats(const PlayContext& ctx, const CombinationRecord& move) const {
  return ClueCard::CompareCardType(GetCombinationTypeInfo(move), GetCombinationTypeInfo(ctx.last)) > 0;
}

bool CPlayerCard::Commit(PlayContext& ctx, const CombinationRecord& move, bool reanalyse) {
  if (!WellFormedMove(move)) return false;
  if (!ctx.leading && !Beats(ctx, move)) return false;
  CombinationRecord& rec = *ctx.record;
  const CombinationRecord before = rec;
  rec.iType = move.iType;
  rec.iLow = move.iLow;
  rec.iHigh = move.iHigh;
  rec.iWingKind = move.iWingKind;
  rec.iWings = move.iWings;
  if (!TakeOutCards(&rec, reanalyse, ctx.seats[0], ctx.seats[1], ctx.seats[2])) {
    rec = before;
    return false;
  }
  return true;
}

// --- Bookkeeping without a fresh analysis ----------------------------------------

void CPlayerCard::UseSingleMark(int v) {
  if (!m_iSingleMark[v]) return;
  m_iSingleMark[v] = 0;
  --m_iSingles;
  if (v < k2) --m_iLowSingles;
}

void CPlayerCard::UsePairMark(int v) {
  if (!m_iPairMark[v]) return;
  m_iPairMark[v] = 0;
  --m_iPairs;
  if (v != k2) --m_iLowPairs;
}

void CPlayerCard::SplitPairMark(int v) {
  if (!m_iPairMark[v]) return;
  UsePairMark(v);
  m_iSingleMark[v] = 1;
  ++m_iSingles;
  if (v < k2) ++m_iLowSingles;
}

void CPlayerCard::ClearSlot(int slot) {
  if (m_Combination[slot].IsEmpty()) return;
  m_Combination[slot].Clear();
  --m_iCombinationCount;
}

void CPlayerCard::ApplyWings(const WingChoice& wings) {
  for (int k = 0; k < wings.count; ++k) {
    switch (wings.sources[k]) {
      case WingSource::SingleMark: UseSingleMark(wings.values[k]); break;
      case WingSource::SplitPair: SplitPairMark(wings.values[k]); break;
      case WingSource::PairMark: UsePairMark(wings.values[k]); break;
      default: break;  // taken from the hand: the play re-analyses
    }
  }
}

int CPlayerCard::LowestSingleMark(int from, int to) const {
  for (int v = std::max(from, kLow); v <= std::min(to, kBig); ++v)
    if (m_iSingleMark[v]) return v;
  return 0;
}

int CPlayerCard::HighestSingleMark(int from, int to) const {
  for (int v = std::min(to, kBig); v >= std::max(from, kLow); --v)
    if (m_iSingleMark[v]) return v;
  return 0;
}

int CPlayerCard::LowestPairMark(int from, int to) const {
  for (int v = std::max(from, kLow); v <= std::min(to, k2); ++v)
    if (m_iPairMark[v]) return v;
  return 0;
}

int CPlayerCard::HighestPairMark(int from, int to) const {
  for (int v = std::min(to, k2); v >= std::max(from, kLow); --v)
    if (m_iPairMark[v]) return v;
  return 0;
}

bool CPlayerCard::CollectWings(WingChoice& out, int kind, int need, int groupLow, int groupHigh,
                               std::initializer_list<WingStep> steps) const {
  out = WingChoice{};
  out.kind = kind;
  if (need <= 0 || need > kMaxWings) return false;
  const bool pairs = kind == kWingPairs;
  for (const WingStep& step : steps) {
    for (int v = std::max(step.from, kLow); v <= std::min(step.to, kBig) && out.count < need; ++v) {
      if ((v >= groupLow && v <= groupHigh) || out.Has(v)) continue;
      const int held = Held(v);
      bool ok = false;
      switch (step.source) {
        case WingSource::SingleMark: ok = !pairs && m_iSingleMark[v]; break;
        case WingSource::SplitPair: ok = !pairs && m_iPairMark[v]; break;
        case WingSource::PairMark: ok = pairs && m_iPairMark[v]; break;
        case WingSource::HeldOnce: ok = !pairs && held == 1; break;
        case WingSource::HeldTwice: ok = held == 2; break;
        case WingSource::HeldTwoOrThree: ok = pairs && (held == 2 || held == 3); break;
        case WingSource::Held: ok = pairs ? held >= 2 : held >= 1; break;
      }
      if (ok) out.Add(v, step.source);
    }
    if (out.count == need) return true;
  }
  // Too few: no wings at all, so that a caller going on without them does
  // not write a half-winged play.
  out = WingChoice{};
  return false;
}

// --- Plays of one value ---------------------------------------------------------

bool CPlayerCard::PlaySingleMark(PlayContext& ctx, int v) {
  if (v < kLow || v > kBig || !m_iSingleMark[v]) return false;
  if (!Commit(ctx, Move(Combo::Single, v), false)) return false;
  UseSingleMark(v);
  return true;
}

bool CPlayerCard::PlayPairMark(PlayContext& ctx, int v) {
  if (v < kLow || v > k2 || !m_iPairMark[v]) return false;
  if (!Commit(ctx, Move(Combo::Pair, v), false)) return false;
  UsePairMark(v);
  return true;
}

bool CPlayerCard::PlaySplitPair(PlayContext& ctx, int v) {
  if (v < kLow || v > k2 || !m_iPairMark[v]) return false;
  if (!Commit(ctx, Move(Combo::Single, v), false)) return false;
  SplitPairMark(v);
  return true;
}

bool CPlayerCard::PlaySingleFromHand(PlayContext& ctx, int v) {
  if (v < kLow || v > kBig || Held(v) < 1) return false;
  return Commit(ctx, Move(Combo::Single, v), true);
}

bool CPlayerCard::PlayPairFromHand(PlayContext& ctx, int v) {
  if (v < kLow || v > k2 || Held(v) < 2) return false;
  return Commit(ctx, Move(Combo::Pair, v), true);
}

// The last resort of a lead: the lowest held value with all its cards.
bool CPlayerCard::PlayLowestHeldGroup(PlayContext& ctx) {
  for (int v = kLow; v <= kBig; ++v) {
    const int n = Held(v);
    if (n == 0) continue;
    static constexpr int kCode[] = {0, Combo::Single, Combo::Pair, Combo::Triple, Combo::Bomb};
    return Commit(ctx, Move(kCode[std::min(n, 4)], v), true);
  }
  return false;
}

}  // namespace ddz
