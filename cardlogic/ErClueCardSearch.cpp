#include "cardlogic/ErClueCardSearch.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace ddz {

int CodeToValueNoLaizi(CardCode code) {
  const int v = CodeToValue(code);
  return v == kValueWildcard ? kValueSmallJoker : v;
}

int ValueToEngine(int cardValue) {
  switch (cardValue) {
    case kValue2: return kSpread2;
    case kValueSmallJoker: return kSpreadSmallJoker;
    case kValueBigJoker: return kSpreadBigJoker;
    default: return cardValue;
  }
}

namespace {

constexpr std::uint8_t kE2 = kSpread2;
constexpr std::uint8_t kSmall = kSpreadSmallJoker;
constexpr std::uint8_t kBig = kSpreadBigJoker;
constexpr int kMaxGroupValue = 15;  // group substitutes run to the 2 (engine value 20)
constexpr int kMaxChainValue = 14;  // chain substitutes run to the A

void Trace(const char* fmt, ...) {
  if (!g_bSuperSearchTrace) return;
  va_list args;
  va_start(args, fmt);
  std::vprintf(fmt, args);
  va_end(args);
}

// Engine value of a card byte through the one converter; -1 for a byte that is no card.
int EngineOfByte(CardByte b) {
  const CardCode code = CardByteToCode(b);
  if (code < 0) return -1;
  return ValueToEngine(CodeToValueNoLaizi(code));
}

// Engine value -> CardValue of a result byte (the 2 of a chain list is 2).
std::uint8_t ResultByte(std::uint8_t v) {
  switch (v) {
    case kE2: return kValue2;
    case 1: return kValueA;
    case 2: return kValue2;
    case kSmall: return kValueSmallJoker;
    case kBig: return kValueBigJoker;
    default: return v;
  }
}

bool Contains(const ErClueCardSearch::Bytes& list, int v) {
  return std::find(list.begin(), list.end(), v) != list.end();
}

void InsertSorted(ErClueCardSearch::Bytes& list, std::uint8_t v, int times) {
  for (int i = 0; i < times; ++i) list.insert(std::upper_bound(list.begin(), list.end(), v), v);
}

void EraseSome(ErClueCardSearch::Bytes& list, std::uint8_t v, int times) {
  for (int i = 0; i < times; ++i) {
    auto it = std::find(list.begin(), list.end(), v);
    if (it == list.end()) return;
    list.erase(it);
  }
}

void EraseAll(ErClueCardSearch::Bytes& list, std::uint8_t v) {
  list.erase(std::remove(list.begin(), list.end(), v), list.end());
}

// Appends v `times` times at pos, never past the 20 places.
bool Put(ErClueCardSearch::Out& out, int& pos, std::uint8_t v, int times) {
  for (int i = 0; i < times; ++i) {
    if (pos >= ErClueCardSearch::kHandBytes) return false;
    out[pos++] = v;
  }
  return true;
}

bool IsBombFamily(int type) {
  return type == SuperCardType::TripleBomb || type == CardType::Bomb || type == CardType::Rocket;
}

}  // namespace

ErClueCardSearch::ErClueCardSearch() = default;

void ErClueCardSearch::SetWildcards(const std::vector<CardByte>& cards) {
  wildcards.clear();
  for (CardByte b : cards) {
    if (wildcards.size() >= static_cast<std::size_t>(CardGroupRecord::kMaxWildcards)) break;
    int v = b & 31;
    if (v == 0) continue;
    if (v == 1) v = kValueA;
    else if (v == 2) v = kE2;
    else if (v == kValueSmallJoker) v = kSmall;
    else if (v == kValueBigJoker) v = kBig;
    wildcards.push_back(static_cast<std::uint8_t>(v));
  }
}

bool ErClueCardSearch::Split(std::span<const CardByte> hand) {
  for (auto& g : groups) g.clear();
  distinct.clear();
  pairValues.clear();
  tripleValues.clear();

  std::array<std::uint8_t, kHandBytes> sorted{};
  int n = 0;
  for (CardByte b : hand) {
    if (b == 0) continue;
    const int v = EngineOfByte(b);
    if (n >= kHandBytes || v < 0) {
      std::printf("ErClueCardSearch: hand refused (%s)\n", v < 0 ? "not a card" : "more than 20 cards");
      return false;
    }
    sorted[n++] = static_cast<std::uint8_t>(v);
  }
  std::sort(sorted.begin(), sorted.begin() + n);

  for (int i = 0; i < n;) {
    int j = i;
    while (j < n && sorted[j] == sorted[i]) ++j;
    const std::uint8_t v = sorted[i];
    distinct.push_back(v);
    int count = j - i;
    while (count >= 4) {
      InsertSorted(groups[3], v, 4);
      count -= 4;
    }
    if (count > 0) InsertSorted(groups[count - 1], v, count);
    i = j;
  }
  if (n >= 2 && sorted[n - 2] == kSmall && sorted[n - 1] == kBig) {
    groups[4] = {kSmall, kBig};
  }
  for (int list = 1; list <= 3; ++list)
    for (std::size_t i = 0; i < groups[list].size(); i += list + 1) pairValues.push_back(groups[list][i]);
  for (int list = 2; list <= 3; ++list)
    for (std::size_t i = 0; i < groups[list].size(); i += list + 1) tripleValues.push_back(groups[list][i]);
  std::sort(pairValues.begin(), pairValues.end());
  std::sort(tripleValues.begin(), tripleValues.end());
  return true;
}

// The three-seat record keeps each list in value order; the two-seat one appends, so
// there a tried substitution taken back leaves its value last in its list.
void ErClueCardSearch::AddToGroup(int list, std::uint8_t v, int times) {
  if (threeSeat_) InsertSorted(groups[list], v, times);
  else groups[list].insert(groups[list].end(), static_cast<std::size_t>(times), v);
}

void ErClueCardSearch::Promote(int k, int v) {
  if (k < 1 || k > 4 || v <= 0 || v > 255) return;
  const auto b = static_cast<std::uint8_t>(v);
  AddToGroup(k - 1, b, k);
  if (k >= 2) EraseSome(groups[k - 2], b, k - 1);
}

void ErClueCardSearch::Demote(int k, int v) {
  if (k < 1 || k > 4 || v <= 0 || v > 255) return;
  const auto b = static_cast<std::uint8_t>(v);
  EraseSome(groups[k - 1], b, k);
  if (k >= 2) AddToGroup(k - 2, b, k - 1);
}

int ErClueCardSearch::PackResult(Out& out) const {
  std::stable_sort(out.begin(), out.end(), [](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::int8_t>(a) > static_cast<std::int8_t>(b);
  });
  int n = 0;
  while (n < kHandBytes && out[n] != 0) ++n;
  for (int i = 0; i < n; ++i) {
    if (threeSeat_) Trace("[index:%d]  [value:%d]\n", i, out[i]);
    else Trace("[index:%d]  [value:%d]", i, out[i]);
  }
  return n;
}

bool ErClueCardSearch::Search(std::span<const CardByte> hand, Out& out, int type, int keyValue, int modeFlagIn,
                              const SpecialRuleFlags* rulesIn, CardGroupRecord* record) {
  return Dispatch(hand, out, type, keyValue, modeFlagIn, rulesIn, record, false);
}

bool ErClueCardSearch::SearchSuper(std::span<const CardByte> hand, Out& out, int type, int keyValue,
                                   int modeFlagIn, const SpecialRuleFlags* rulesIn, CardGroupRecord* record) {
  return Dispatch(hand, out, type, keyValue, modeFlagIn, rulesIn, record, true);
}

bool ErClueCardSearch::Dispatch(std::span<const CardByte> hand, Out& out, int type, int keyValue, int modeFlagIn,
                                const SpecialRuleFlags* rulesIn, CardGroupRecord* record, bool threeSeat) {
  out.fill(0);
  threeSeat_ = threeSeat;
  rules = rulesIn ? *rulesIn : SpecialRuleFlags{};
  modeFlag = static_cast<std::uint8_t>(modeFlagIn);
  mode = threeSeat ? SuperSearchMode : SearchMode;
  result.Reset();
  if (!Split(hand)) return false;
  if (type < 1) {
    std::printf("error input iNowType=%d\n", type);
    return false;
  }
  iNowType = type;
  value = keyValue;
  totalWildcards_ = static_cast<int>(wildcards.size());
  const int start = rules.On(SpecialRule::LowChain) ? 2 : 3;

  // On the three-seat table with the low-chain rule its classifier reads 2-3-4-5-6 as a
  // straight, so a natural 2 may begin a chain there; the two-seat classifier never does.
  lowChains_ = threeSeat && rules.On(SpecialRule::LowChain);
  if (lowChains_) {
    for (Bytes* list : {&distinct, &pairValues, &tripleValues}) {
      std::replace(list->begin(), list->end(), kE2, static_cast<std::uint8_t>(2));
      std::sort(list->begin(), list->end());
    }
  }

  Out work{};
  bool found = false;
  if (mode != 2) {
    wildSearch_ = false;
    bool hasFinder = false;
    found = RunPlainFinder(work, hasFinder);
    if (!hasFinder) return false;
    if (!found && !IsBombFamily(type)) found = FindPlainBombFallback(work);
  } else {
    if (modeFlag == 0 || !rules.On(SpecialRule::Wildcard)) return false;
    wildSearch_ = true;
    saved = groups;
    for (std::uint8_t w : wildcards) {
      EraseAll(groups[0], w);
      EraseAll(distinct, w);
    }
    int used = 0;
    bool hasSearcher = false;
    found = RunWildSearcher(work, totalWildcards_, used, start, hasSearcher);
    if (!found && !IsBombFamily(type)) found = WildBombFallback(work, totalWildcards_, used, start);
    for (auto& s : saved) s.clear();
    if (found) {
      int n = PackResult(work);
      for (int i = 0; i < used && n < kHandBytes; ++i) work[n++] = wildcards[i];
    }
    if (record) *record = result;
  }
  if (!found) return false;
  for (int i = 0; i < kHandBytes; ++i) out[i] = ResultByte(work[i]);
  return true;
}

bool ErClueCardSearch::RunPlainFinder(Out& out, bool& hasFinder) {
  hasFinder = true;
  const int t = iNowType;
  if (t == CardType::Single) return FindSingle(out);
  if (t >= CardType::StraightFirst && t <= SuperCardType::StraightLast) return FindStraight(out);
  if (t == CardType::Pair) return FindPair(out);
  if (t >= SuperCardType::PairStraightFirst && t <= SuperCardType::PairStraightLast) return FindPairStraight(out);
  if (t == CardType::Triple) return FindTriple(out);
  if (t == CardType::TripleSingle) return FindTripleWithSingle(out);
  if (t == CardType::TriplePair) return FindTripleWithPair(out);
  if (t >= CardType::PlaneFirst && t <= CardType::PlaneLast) return FindPlane(out);
  if (t == CardType::FourTwoSingles || t == CardType::FourTwoPairs) return FindFourWithTwo(out);
  if (t >= CardType::PlaneWingsFirst && t <= CardType::PlaneWingsLast) return FindPlaneWithWings(out);
  if (IsBombFamily(t)) return FindBomb(out);
  hasFinder = false;
  return false;
}

bool ErClueCardSearch::RunWildSearcher(Out& out, int left, int& used, int start, bool& hasSearcher) {
  hasSearcher = true;
  const int t = iNowType;
  if (t == CardType::Pair) return WildPair(out, left, used, start);
  if (t == CardType::Triple) return WildTriple(out, left, used, start);
  if (t == CardType::TripleSingle) return WildTripleWithSingle(out, left, used, start);
  if (t == CardType::TriplePair) return WildTripleWithPair(out, left, used, start);
  if (t == CardType::FourTwoSingles || t == CardType::FourTwoPairs) return WildFourWithTwo(out, left, used, start);
  if (t == SuperCardType::TripleBomb || t == CardType::Bomb) return WildBomb(out, left, used, start);
  if (t >= CardType::StraightFirst && t <= SuperCardType::StraightLast) return WildStraight(out, left, used, start);
  if (t >= SuperCardType::PairStraightFirst && t <= SuperCardType::PairStraightLast)
    return WildPairStraight(out, left, used, start);
  if (t >= CardType::PlaneFirst && t <= CardType::PlaneLast) return WildPlane(out, left, used, start);
  if (t >= CardType::PlaneWingsFirst && t <= CardType::PlaneWingsLast)
    return WildPlaneWithWings(out, left, used, start);
  hasSearcher = false;
  return false;
}

// ---- helpers -------------------------------------------------------------------------

int ErClueCardSearch::HeldCount(std::uint8_t v) const {
  for (int list = 0; list < 4; ++list)
    if (Contains(groups[list], v)) return list + 1;
  return 0;
}

bool ErClueCardSearch::IsNewGroup(int list, std::uint8_t v) const {
  return !wildSearch_ || !Contains(saved[list], v);
}

bool ErClueCardSearch::TripleBombApplies() const {
  return rules.On(SpecialRule::TripleBomb) && modeFlag == PlayerCountMode::ThreeSeatWildcard &&
         iNowType <= SuperCardType::TripleBomb;
}

namespace {

// Value of the first group in lists [from, to] above `above`; with onlyNew, only groups
// the hand did not hold before the wildcard search. -1 when there is none.
int FirstGroup(const std::array<ErClueCardSearch::Bytes, 5>& groups,
               const std::array<ErClueCardSearch::Bytes, 5>& saved, int from, int to, int above, bool onlyNew) {
  for (int list = from; list <= to; ++list) {
    const auto& g = groups[list];
    const std::size_t width = static_cast<std::size_t>(list + 1);
    for (std::size_t i = 0; i + width <= g.size(); i += width) {
      const int v = g[i];
      if (v > above && (!onlyNew || !Contains(saved[list], v))) return v;
    }
  }
  return -1;
}

}  // namespace

bool ErClueCardSearch::SingleKicker(std::uint8_t body, int reserved, std::uint8_t& kicker) const {
  for (int list = 0; list < 4; ++list)
    for (std::uint8_t b : groups[list])
      if (b != body) {
        kicker = b;
        return true;
      }
  for (std::uint8_t b : groups[4]) {
    if (b == body) continue;
    // A joker already standing for a value cannot also be the kicker.
    bool taken = false;
    for (int i = 0; wildSearch_ && i < reserved && i < totalWildcards_; ++i) taken = taken || wildcards[i] == b;
    if (taken) continue;
    kicker = b;
    return true;
  }
  return false;
}

bool ErClueCardSearch::TwoKickers(std::uint8_t body, std::uint8_t kick[2]) const {
  if (rules.On(SpecialRule::TripleTakesTwo)) {
    int k = 0;
    for (std::uint8_t b : groups[0]) {
      if (b == body) continue;
      kick[k++] = b;
      if (k == 2) return true;
    }
  }
  for (int list = 1; list <= 3; ++list) {
    const auto& g = groups[list];
    for (std::size_t i = 0; i < g.size(); i += list + 1) {
      if (g[i] == body) continue;
      kick[0] = kick[1] = g[i];
      return true;
    }
  }
  return false;
}

bool ErClueCardSearch::FourKickers(std::uint8_t body, bool pairs, std::uint8_t* kick) const {
  const int width = pairs ? 2 : 1;
  int k = 0;
  for (int list = pairs ? 1 : 0; list <= 3 && k < 2; ++list) {
    const auto& g = groups[list];
    for (std::size_t i = 0; i < g.size() && k < 2; i += list + 1) {
      if (g[i] == body) continue;  // the four is never its own kicker
      for (int w = 0; w < width; ++w) kick[k * width + w] = g[i];
      ++k;
    }
  }
  return k == 2;
}

bool ErClueCardSearch::FindChain(const Bytes& list, int width, int length, Out& out, const char* label) {
  if (length < 1 || width * length > kHandBytes || list.empty()) return false;
  const int threshold = value - length + 1;  // the new chain must start above the old start
  std::size_t begin = list.size() - 1;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] > threshold) {
      begin = i;
      break;
    }
  Trace("%s%d\n", label, static_cast<int>(begin));
  if (list[begin] <= threshold) return false;
  int count = 1;
  for (std::size_t i = begin; i < list.size(); ++i) {
    if (i > begin) count = (list[i] == list[i - 1] + 1) ? count + 1 : 1;
    if (count == length) {
      const std::size_t first = i + 1 - length;
      int pos = 0;
      for (std::size_t j = first; j <= i; ++j) Put(out, pos, list[j], width);
      bodyLow_ = list[first];
      bodyHigh_ = list[i];
      return true;
    }
  }
  return false;
}

bool ErClueCardSearch::RecordSubstitution(Out& out, std::uint8_t v, int& used) {
  const int i = result.wildcardCount;
  if (i >= CardGroupRecord::kMaxWildcards || i >= totalWildcards_) return false;
  auto it = std::find(out.begin(), out.end(), v);
  if (it == out.end()) return false;
  *it = 0;
  result.substituteValues[i] = v;
  result.wildcardCards[i] = ResultByte(wildcards[i]);
  ++result.wildcardCount;
  ++used;
  return true;
}

// ---- plain finders -------------------------------------------------------------------

bool ErClueCardSearch::FindSingle(Out& out) {
  const int v = FirstGroup(groups, saved, 0, 3, value, false);
  if (v < 0) return false;
  out[0] = static_cast<std::uint8_t>(v);
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::FindPair(Out& out) {
  const int v = FirstGroup(groups, saved, 1, 3, value, false);
  if (v < 0) return false;
  out[0] = out[1] = static_cast<std::uint8_t>(v);
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::FindTriple(Out& out) {
  const int v = FirstGroup(groups, saved, 2, 3, value, false);
  if (v < 0) return false;
  out[0] = out[1] = out[2] = static_cast<std::uint8_t>(v);
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::FindTripleWithSingle(Out& out) {
  const int v = FirstGroup(groups, saved, 2, 3, value, false);
  std::uint8_t kicker = 0;
  if (v < 0 || !SingleKicker(static_cast<std::uint8_t>(v), 0, kicker)) return false;
  out[0] = out[1] = out[2] = static_cast<std::uint8_t>(v);
  out[3] = kicker;
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::FindTripleWithPair(Out& out) {
  const int v = FirstGroup(groups, saved, 2, 3, value, false);
  std::uint8_t kick[2] = {0, 0};
  if (v < 0 || !TwoKickers(static_cast<std::uint8_t>(v), kick)) return false;
  out[0] = out[1] = out[2] = static_cast<std::uint8_t>(v);
  out[3] = kick[0];
  out[4] = kick[1];
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::FindStraight(Out& out) {
  return FindChain(distinct, 1, iNowType - 16, out, "iBegin ");
}

bool ErClueCardSearch::FindPairStraight(Out& out) {
  return FindChain(pairValues, 2, iNowType - 32, out, "pair iBegin ");
}

bool ErClueCardSearch::FindPlane(Out& out) {
  return FindChain(tripleValues, 3, iNowType - 57, out, "triad iBegin ");
}

bool ErClueCardSearch::FindFourWithTwo(Out& out) {
  const bool pairs = iNowType == CardType::FourTwoPairs;
  const auto& fours = groups[3];
  // A four takes two only when the hand holds two single cards (or one pair) outside
  // its fours; the kickers may then also come out of bigger groups.
  const Bytes& kind = groups[pairs ? 1 : 0];
  const auto held = std::count_if(kind.begin(), kind.end(), [&](std::uint8_t v) { return !Contains(fours, v); });
  if (held < 2) return false;
  for (std::size_t i = 0; i + 4 <= fours.size(); i += 4) {
    const std::uint8_t v = fours[i];
    if (v <= value || !IsNewGroup(3, v)) continue;
    std::uint8_t kick[4] = {0, 0, 0, 0};
    if (!FourKickers(v, pairs, kick)) continue;
    int pos = 0;
    Put(out, pos, v, 4);
    for (int k = 0; k < (pairs ? 4 : 2); ++k) Put(out, pos, kick[k], 1);
    bodyLow_ = bodyHigh_ = v;
    return true;
  }
  return false;
}

bool ErClueCardSearch::FindPlaneWithWings(Out& out) {
  static constexpr int kTriples[] = {2, 2, 3, 3, 4, 4, 5};
  if (iNowType < CardType::PlaneWingsFirst || iNowType > CardType::PlaneWingsLast) return false;
  const int n = kTriples[iNowType - CardType::PlaneWingsFirst];
  const bool pairWings = CardType::PlaneWingsArePairs(iNowType);
  Out body{};
  if (!FindChain(tripleValues, 3, n, body, "plane iBegin ")) return false;
  const int low = bodyLow_, high = bodyHigh_;
  Out found = body;
  int pos = 3 * n;

  if (rules.On(SpecialRule::PlaneAnyWings) && !wildSearch_) {
    // Any two cards per triple: the 2n lowest cards left in the hand, whatever they are.
    Bytes rest;
    for (int list = 0; list < 4; ++list) rest.insert(rest.end(), groups[list].begin(), groups[list].end());
    for (int v = low; v <= high; ++v) EraseSome(rest, static_cast<std::uint8_t>(lowChains_ && v == 2 ? kE2 : v), 3);
    std::sort(rest.begin(), rest.end());
    if (static_cast<int>(rest.size()) < 2 * n || pos + 2 * n > kHandBytes) return false;
    for (int i = 0; i < 2 * n; ++i) Put(found, pos, rest[i], 1);
  } else {
    // The first values of the list outside the plane, in list order (where a 2 is
    // written below the 3, it is the lowest wing).
    Bytes candidates;
    for (std::uint8_t v : pairWings ? pairValues : distinct)
      if (v < low || v > high) candidates.push_back(v);
    const int width = pairWings ? 2 : 1;
    if (static_cast<int>(candidates.size()) < n || pos + width * n > kHandBytes) return false;
    for (int i = 0; i < n; ++i) Put(found, pos, candidates[i], width);
  }
  out = found;
  bodyLow_ = low;
  bodyHigh_ = high;
  return true;
}

// The three bomb-family plays a hand can hold: a triple bomb, a four and the
// rocket. `above` is the value to beat, -1 for any.
bool ErClueCardSearch::TakeTripleBomb(Out& out, int above) {
  const int v = FirstGroup(groups, saved, 2, 2, above, false);
  if (v < 0) return false;
  out[0] = out[1] = out[2] = static_cast<std::uint8_t>(v);
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::TakeFour(Out& out, int above) {
  const int v = FirstGroup(groups, saved, 3, 3, above, false);
  if (v < 0) return false;
  int pos = 0;
  Put(out, pos, static_cast<std::uint8_t>(v), 4);
  bodyLow_ = bodyHigh_ = v;
  return true;
}

bool ErClueCardSearch::TakeRocket(Out& out) {
  if (groups[4].size() != 2) return false;
  out[0] = groups[4][0];
  out[1] = groups[4][1];
  bodyLow_ = kSmall;
  bodyHigh_ = kBig;
  return true;
}

bool ErClueCardSearch::FindBomb(Out& out) {
  if (iNowType == CardType::Rocket) return false;
  if (TripleBombApplies() && TakeTripleBomb(out, iNowType == SuperCardType::TripleBomb ? value : -1)) return true;
  if (TakeFour(out, iNowType == CardType::Bomb ? value : -1)) return true;
  return TakeRocket(out);
}

bool ErClueCardSearch::FindPlainBombFallback(Out& out) {
  if (rules.On(SpecialRule::TripleBomb) && modeFlag == PlayerCountMode::ThreeSeatWildcard &&
      iNowType < SuperCardType::TripleBomb + 1 && TakeTripleBomb(out, -1)) {
    return true;
  }
  if (iNowType < CardType::Rocket && TakeFour(out, -1)) return true;
  return TakeRocket(out);
}

// ---- wildcard searchers --------------------------------------------------------------

// Group family: a group made with a wildcard is looked for first; then each substitute
// value s is tried in turn by promoting s one multiplicity up (one wildcard standing for
// it) and searching again with one wildcard less. A substitution counts only when the
// group found has s in its body, so no wildcard is spent on a kicker or wasted.
template <class FindNew, class Skip>
bool ErClueCardSearch::WildGroupLoop(Out& out, int left, int& used, int start, FindNew& findNew, Skip& skip) {
  if (findNew(out, left)) return true;
  if (left <= 0 || start > kMaxGroupValue) return false;
  for (int s = std::max(start, 3); s <= kMaxGroupValue; ++s) {
    const auto v = static_cast<std::uint8_t>(s == kMaxGroupValue ? kE2 : s);
    if (skip(v)) continue;
    const int k = HeldCount(v);
    if (k + 1 > 4) continue;
    const Out outBefore = out;
    const CardGroupRecord resultBefore = result;
    const int usedBefore = used;
    Promote(k + 1, v);
    const bool ok = WildGroupLoop(out, left - 1, used, start, findNew, skip);
    Demote(k + 1, v);
    if (ok && bodyLow_ <= v && v <= bodyHigh_ && RecordSubstitution(out, v, used)) return true;
    out = outBefore;
    result = resultBefore;
    used = usedBefore;
  }
  return false;
}

// Chain family: the plain chain finder on the current lists first; then each substitute
// value s from the start value to the A is added one step up the value lists (the
// wildcard makes a single, completes a pair or a triple) and the search goes on.
// Both engines put s in its place by value: the chain finder walks its list for runs of
// consecutive values, so a value left at the end could never fill a gap in a run.
template <class FindNew>
bool ErClueCardSearch::WildChainLoop(Out& out, int left, int& used, int start, int width, FindNew& findNew) {
  if (findNew(out)) return true;
  if (left <= 0 || start > kMaxChainValue) return false;
  for (int s = start; s <= kMaxChainValue; ++s) {
    const auto v = static_cast<std::uint8_t>(s);
    const Bytes& top = width == 1 ? distinct : width == 2 ? pairValues : tripleValues;
    if (Contains(top, v)) continue;
    Bytes* target = !Contains(distinct, v) ? &distinct : !Contains(pairValues, v) ? &pairValues : &tripleValues;
    const Out outBefore = out;
    const CardGroupRecord resultBefore = result;
    const int usedBefore = used;
    InsertSorted(*target, v, 1);
    const bool ok = WildChainLoop(out, left - 1, used, start, width, findNew);
    EraseSome(*target, v, 1);
    if (ok && bodyLow_ <= v && v <= bodyHigh_ && RecordSubstitution(out, v, used)) return true;
    out = outBefore;
    result = resultBefore;
    used = usedBefore;
  }
  return false;
}

bool ErClueCardSearch::WildPair(Out& out, int left, int& used, int /*start*/) {
  if (left <= 0) return false;
  for (std::uint8_t v : groups[0]) {
    if (v <= value || v > kE2) continue;
    out[0] = out[1] = v;
    bodyLow_ = bodyHigh_ = v;
    if (RecordSubstitution(out, v, used)) return true;
    out[0] = out[1] = 0;
    return false;
  }
  return false;
}

bool ErClueCardSearch::WildTriple(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o, int) {
    const int v = FirstGroup(groups, saved, 2, 3, value, true);
    if (v < 0) return false;
    o[0] = o[1] = o[2] = static_cast<std::uint8_t>(v);
    bodyLow_ = bodyHigh_ = v;
    return true;
  };
  auto skip = [this](std::uint8_t v) { return HeldCount(v) >= 3; };
  return WildGroupLoop(out, left, used, start, findNew, skip);
}

bool ErClueCardSearch::WildTripleWithSingle(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o, int lft) {
    const int v = FirstGroup(groups, saved, 2, 3, value, true);
    std::uint8_t kicker = 0;
    if (v < 0 || !SingleKicker(static_cast<std::uint8_t>(v), totalWildcards_ - lft, kicker)) return false;
    o[0] = o[1] = o[2] = static_cast<std::uint8_t>(v);
    o[3] = kicker;
    bodyLow_ = bodyHigh_ = v;
    return true;
  };
  auto skip = [this](std::uint8_t v) { return HeldCount(v) >= 3; };
  return WildGroupLoop(out, left, used, start, findNew, skip);
}

bool ErClueCardSearch::WildTripleWithPair(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o, int) {
    const int v = FirstGroup(groups, saved, 2, 3, value, true);
    std::uint8_t kick[2] = {0, 0};
    if (v < 0 || !TwoKickers(static_cast<std::uint8_t>(v), kick)) return false;
    o[0] = o[1] = o[2] = static_cast<std::uint8_t>(v);
    o[3] = kick[0];
    o[4] = kick[1];
    bodyLow_ = bodyHigh_ = v;
    return true;
  };
  auto skip = [this](std::uint8_t v) { return HeldCount(v) >= 3; };
  return WildGroupLoop(out, left, used, start, findNew, skip);
}

bool ErClueCardSearch::WildFourWithTwo(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o, int) { return FindFourWithTwo(o); };  // only new fours in a wildcard search
  auto skip = [this](std::uint8_t v) { return HeldCount(v) >= 4; };
  return WildGroupLoop(out, left, used, start, findNew, skip);
}

namespace {

// New triple bomb (when it applies), then new four, for the bomb searchers.
struct NewBomb {
  const std::array<ErClueCardSearch::Bytes, 5>& groups;
  const std::array<ErClueCardSearch::Bytes, 5>& saved;
  bool tripleBomb;
  int tripleAbove;
  int fourAbove;
  int& bodyLow;
  int& bodyHigh;

  bool operator()(ErClueCardSearch::Out& o, int) const {
    if (tripleBomb) {
      const int v = FirstGroup(groups, saved, 2, 2, tripleAbove, true);
      if (v >= 0) {
        o[0] = o[1] = o[2] = static_cast<std::uint8_t>(v);
        bodyLow = bodyHigh = v;
        return true;
      }
    }
    const int v = FirstGroup(groups, saved, 3, 3, fourAbove, true);
    if (v < 0) return false;
    o[0] = o[1] = o[2] = o[3] = static_cast<std::uint8_t>(v);
    bodyLow = bodyHigh = v;
    return true;
  }
};

}  // namespace

bool ErClueCardSearch::WildBomb(Out& out, int left, int& used, int start) {
  const bool tripleBomb = TripleBombApplies();
  NewBomb findNew{groups, saved, tripleBomb, iNowType == SuperCardType::TripleBomb ? value : -1,
                  iNowType == CardType::Bomb ? value : -1, bodyLow_, bodyHigh_};
  if (tripleBomb) {
    auto skipTriples = [this](std::uint8_t v) { return HeldCount(v) >= 3; };
    if (WildGroupLoop(out, left, used, start, findNew, skipTriples)) return true;
  }
  auto skipFours = [this](std::uint8_t v) { return HeldCount(v) >= 4; };
  return WildGroupLoop(out, left, used, start, findNew, skipFours);
}

bool ErClueCardSearch::WildBombFallback(Out& out, int left, int& used, int start) {
  if (IsBombFamily(iNowType)) return false;
  const bool tripleBomb = TripleBombApplies();
  NewBomb findNew{groups, saved, tripleBomb, -1, -1, bodyLow_, bodyHigh_};
  auto skip = [this, tripleBomb](std::uint8_t v) { return HeldCount(v) >= (tripleBomb ? 3 : 4); };
  return WildGroupLoop(out, left, used, start, findNew, skip);
}

bool ErClueCardSearch::WildStraight(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o) { return FindStraight(o); };
  return WildChainLoop(out, left, used, start, 1, findNew);
}

bool ErClueCardSearch::WildPairStraight(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o) { return FindPairStraight(o); };
  return WildChainLoop(out, left, used, start, 2, findNew);
}

bool ErClueCardSearch::WildPlane(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o) { return FindPlane(o); };
  return WildChainLoop(out, left, used, start, 3, findNew);
}

bool ErClueCardSearch::WildPlaneWithWings(Out& out, int left, int& used, int start) {
  auto findNew = [this](Out& o) { return FindPlaneWithWings(o); };
  return WildChainLoop(out, left, used, start, 3, findNew);
}

}  // namespace ddz
