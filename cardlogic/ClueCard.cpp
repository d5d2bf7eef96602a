#include "cardlogic/ClueCard.h"

#include <algorithm>
#include <array>

namespace ddz {

namespace {

// Neighbour codes: how sorted card i relates to card i - 1.
constexpr int kSep = 1;   // S: any other gap (the first card is always S)
constexpr int kNext = 2;  // N: one value higher
constexpr int kEq = 3;    // E: the same value

constexpr int kMaxCards = ClueCard::kMaxPlayCards;
constexpr int kMainCards = 16;

// A play seen as runs of equal values ("groups") in ascending order, with the
// key value of the pattern walk. Built with a counting sort over the spread values.
struct Groups {
  std::array<std::uint8_t, kMaxCards> value{};
  std::array<std::uint8_t, kMaxCards> size{};
  std::array<std::uint8_t, kMaxCards> rel{};  // rel[i]: how group i joins group i - 1 (kSep or kNext)
  int count = 0;
  int n = 0;    // cards
  int key = 0;  // value of the last of the largest groups

  int Highest() const { return value[count - 1]; }
  // The i-th card of the sorted play.
  int CardAt(int i) const {
    for (int k = 0; k < count; ++k) {
      if (i < size[k]) return value[k];
      i -= size[k];
    }
    return -1;
  }
};

bool IsAcceptedValue(int v) {
  // CardValues 3..18, or values already in spread form.
  return (v >= 3 && v <= 18) || v == kSpread2 || v == kSpreadSmallJoker || v == kSpreadBigJoker ||
         v == kSpreadWildcard;
}

bool BuildGroups(const std::uint8_t* values, int count, Groups& g) {
  if (values == nullptr || count < 1 || count > kMaxCards) return false;
  std::array<std::uint8_t, 32> counts{};
  std::uint32_t present = 0;
  for (int i = 0; i < count; ++i) {
    if (!IsAcceptedValue(values[i])) return false;
    const int v = SpreadOf(values[i]);
    ++counts[v];
    present |= 1u << v;
  }
  g.n = count;
  g.count = 0;
  int best = 0, prev = -10;
  while (present) {
    const int v = __builtin_ctz(present);
    present &= present - 1;
    g.value[g.count] = static_cast<std::uint8_t>(v);
    g.size[g.count] = counts[v];
    g.rel[g.count] = static_cast<std::uint8_t>(v == prev + 1 ? kNext : kSep);
    if (counts[v] >= best) {
      best = counts[v];
      g.key = v;
    }
    prev = v;
    ++g.count;
  }
  return true;
}

// Neighbour codes of the sorted play (1 S, 2 N, 3 E) packed into the two masks.
void GroupsToMasks(const Groups& g, std::uint32_t& mainMask, std::uint8_t& longMask) {
  mainMask = 0;
  longMask = 0;
  int i = 0;
  for (int k = 0; k < g.count; ++k) {
    for (int c = 0; c < g.size[k]; ++c, ++i) {
      const int code = i == 0 ? kSep : c > 0 ? kEq : g.rel[k];
      if (i < kMainCards) mainMask |= static_cast<std::uint32_t>(code) << (2 * i);
      else longMask = static_cast<std::uint8_t>(longMask | (code << (2 * (i - kMainCards))));
    }
  }
}

// Groups from neighbour codes alone (the masks carry no values).
Groups GroupsFromCodes(const int* codes, int n) {
  Groups g;
  int value = 0;
  for (int i = 0; i < n; ++i) {
    if (i > 0 && codes[i] == kEq) {
      ++g.size[g.count - 1];
      continue;
    }
    value += (codes[i] == kNext) ? 1 : 2;
    g.value[g.count] = static_cast<std::uint8_t>(value);
    g.size[g.count] = 1;
    g.rel[g.count] = static_cast<std::uint8_t>(i == 0 ? kSep : codes[i]);
    ++g.count;
  }
  g.n = n;
  return g;
}

struct Reading {
  int type = CardType::Invalid;
  int bodyFirst = -1;  // first and last group of the triples of a plane with wings
  int bodyLast = -1;
};

bool AllLinked(const Groups& g, int from, int to) {
  for (int i = from + 1; i <= to; ++i)
    if (g.rel[i] != kNext) return false;
  return true;
}

// The pattern rules: which runs of equal values, joined how, make which type.
// rocketFirst tells whether the lowest card is the small joker.
Reading ClassifyGroups(const Groups& g, bool rocketFirst) {
  Reading r;
  const int G = g.count;
  if (G == 0) return r;
  int n = 0, ones = 0, twos = 0, threes = 0, fours = 0;
  for (int i = 0; i < G; ++i) {
    n += g.size[i];
    switch (g.size[i]) {
      case 1: ++ones; break;
      case 2: ++twos; break;
      case 3: ++threes; break;
      case 4: ++fours; break;
      default: return r;  // five or more equal values: no pattern here
    }
  }
  if (G == 1) {
    static constexpr int kByCount[] = {0, CardType::Single, CardType::Pair, CardType::Triple, CardType::Bomb};
    r.type = kByCount[g.size[0]];
    return r;
  }
  if (ones == G) {
    if (G == 2) {
      if (g.rel[1] == kNext && rocketFirst) r.type = CardType::Rocket;
      return r;
    }
    if (G >= 5 && G <= 12 && AllLinked(g, 0, G - 1)) r.type = CardType::Straight(G);
    return r;
  }
  if (twos == G) {
    if (G >= 3 && G <= 10 && AllLinked(g, 0, G - 1)) r.type = CardType::PairStraight(G);
    return r;
  }
  if (threes == G) {
    if (G <= 6 && AllLinked(g, 0, G - 1)) r.type = CardType::Plane(G);
    return r;
  }
  if (G == 2 && threes == 1) {
    if (ones == 1) r.type = CardType::TripleSingle;
    else if (twos == 1) r.type = CardType::TriplePair;
    return r;
  }
  if (fours == 1 && G == 3) {
    if (ones == 2) r.type = CardType::FourTwoSingles;
    else if (twos == 2) r.type = CardType::FourTwoPairs;
    return r;
  }
  if (fours == 0 && threes >= 2 && (ones == 0 || twos == 0) && (ones + twos) == threes) {
    // A plane with wings: the triples must be adjacent groups, each one value above the last.
    int firstTriple = -1, lastTriple = -1;
    for (int i = 0; i < G; ++i) {
      if (g.size[i] != 3) continue;
      if (firstTriple < 0) firstTriple = i;
      lastTriple = i;
    }
    if (lastTriple - firstTriple + 1 != threes || !AllLinked(g, firstTriple, lastTriple)) return r;
    const bool pairs = twos > 0;
    if (threes > (pairs ? 4 : 5)) return r;
    r.type = CardType::PlaneWings(threes, pairs);
    r.bodyFirst = firstTriple;
    r.bodyLast = lastTriple;
  }
  return r;
}

bool IsLongType(int type) {
  return type == CardType::PairStraight(9) || type == CardType::PairStraight(10) ||
         type == CardType::Plane(6) || type == CardType::PlaneWings(4, true) ||
         type == CardType::PlaneWings(5, false);
}

int DecodeMasks(std::uint32_t mainMask, std::uint8_t longMask, std::array<int, kMaxCards>& codes) {
  int n = 0;
  for (int i = 0; i < kMainCards; ++i) {
    const int c = static_cast<int>((mainMask >> (2 * i)) & 3u);
    if (c == 0) return n;
    codes[n++] = c;
  }
  for (int i = 0; i < 4; ++i) {
    const int c = (longMask >> (2 * i)) & 3;
    if (c == 0) break;
    codes[n++] = c;
  }
  return n;
}

// Plain reading: the pattern table and, past 16 cards, the long table.
Reading PlainReading(const Groups& g) {
  if (g.n > kMainCards) {
    // The long table (see GetLongCardType): the same rules, limited to its types.
    Reading r = ClassifyGroups(g, false);
    if (!IsLongType(r.type)) r = Reading{};
    return r;
  }
  return ClassifyGroups(g, g.value[0] == kSpreadSmallJoker);
}

struct CtxResult {
  int type = CardType::Invalid;
  int key = 0;
  int bodyLow = -1;   // lowest and highest value of the triples of a plane with wings
  int bodyHigh = -1;
};

bool Consecutive(const int* vals, int len) {
  for (int i = 1; i < len; ++i)
    if (vals[i] != vals[i - 1] + 1) return false;
  return true;
}

// Plane readings by context for 12, 16 and 20 cards. Returns true with the
// reading when one applies.
bool PlaneByContext(const Groups& g, int expectedType, CtxResult& out) {
  if (g.n != 12 && g.n != 16 && g.n != 20) return false;
  const int body = g.n / 4;  // triples a plane with single wings of this size has
  const int type = CardType::PlaneWings(body, false);
  std::array<int, kMaxCards> triples{};
  int t = 0;
  for (int k = 0; k < g.count; ++k)
    if (g.size[k] == 3) triples[t++] = g.value[k];  // a four is passed over
  const int* chosen = nullptr;
  if (t >= body && Consecutive(triples.data(), body) && (t == body || g.n != 12 || expectedType == type)) {
    chosen = triples.data();
  }
  if (!chosen && t == body + 1) {
    const bool lowLinked = triples[1] == triples[0] + 1;
    const bool highLinked = triples[t - 1] == triples[t - 2] + 1;
    const int* shortened = nullptr;
    if (lowLinked && !highLinked) shortened = triples.data();          // drop the last
    else if (highLinked && !lowLinked) shortened = triples.data() + 1;  // drop the first
    if (shortened && Consecutive(shortened, body)) chosen = shortened;
  }
  if (!chosen) return false;
  out.type = type;
  out.bodyLow = chosen[0];
  out.bodyHigh = chosen[body - 1];
  out.key = out.bodyHigh;  // the plane is keyed by its own highest triple
  return true;
}

bool IsJoker(int spread) { return spread == kSpreadSmallJoker || spread == kSpreadBigJoker; }

CtxResult ClassifyCtx(const Groups& g, int expectedType, bool wildcardFlag) {
  CtxResult res;
  const int highest = g.Highest();
  if (highest == kSpreadWildcard) {
    if (!wildcardFlag) return res;
    if (g.n == 1) {
      res.type = CardType::Single;
      res.key = kSpreadWildcard;
      return res;
    }
  }
  if (PlaneByContext(g, expectedType, res)) return res;
  if (g.n == 2 && g.count == 1 && IsJoker(g.value[0])) return res;  // no pair of jokers

  Reading r;
  if (g.n == 5 && g.count == 1) {
    r.type = CardType::WildBomb5;
  } else if (g.n == 6 && g.count == 2 && (g.size[0] == 4 || g.size[1] == 4)) {
    r.type = CardType::FourTwoSingles;  // the pair stands for the two singles
  } else if (g.n == 8 && g.count == 3 && g.size[0] * 100 + g.size[1] * 10 + g.size[2] == 332 && g.rel[1] == kNext) {
    r = {CardType::PlaneWings(2, false), 0, 1};  // two consecutive triples with one pair as wings
  } else if (g.n == 8 && g.count == 3 && g.size[0] * 100 + g.size[1] * 10 + g.size[2] == 233 && g.rel[2] == kNext) {
    r = {CardType::PlaneWings(2, false), 1, 2};
  } else {
    r = PlainReading(g);
  }
  if (r.type == CardType::TriplePair && IsJoker(g.CardAt(3)) && IsJoker(g.CardAt(4))) return res;
  if (highest == kSpreadWildcard &&
      (r.type == CardType::FourTwoSingles || r.type == CardType::FourTwoPairs ||
       r.type == CardType::PlaneWings(2, false) || r.type == CardType::PlaneWings(2, true))) {
    return res;
  }
  if (r.type == CardType::Invalid) return res;
  res.type = r.type;
  res.key = g.key;
  if (r.bodyFirst >= 0) {
    res.bodyLow = g.value[r.bodyFirst];
    res.bodyHigh = g.value[r.bodyLast];
  }
  return res;
}

// Codes -> CardValues; false for a code that names no card.
bool CodesToValues(const std::vector<CardCode>& cards, std::array<std::uint8_t, kMaxCards>& out) {
  if (cards.empty() || cards.size() > static_cast<std::size_t>(kMaxCards)) return false;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    const int v = CodeToValue(cards[i]);
    if (v < 0 || cards[i] > kMaxCardCode) return false;
    out[i] = static_cast<std::uint8_t>(v);
  }
  return true;
}

}  // namespace

bool ClueCard::ComputeMasks(const std::uint8_t* values, int count, Masks& out) {
  Groups g;
  if (!BuildGroups(values, count, g)) return false;
  GroupsToMasks(g, out.main, out.longMask);
  out.count = g.n;
  out.key = g.key;
  return true;
}

int ClueCard::GetLongCardType(std::uint32_t mainMask, std::uint8_t longMask) {
  std::array<int, kMaxCards> codes{};
  const int n = DecodeMasks(mainMask, longMask, codes);
  if (n <= kMainCards) return CardType::Invalid;
  const Reading r = ClassifyGroups(GroupsFromCodes(codes.data(), n), false);
  return IsLongType(r.type) ? r.type : CardType::Invalid;
}

int ClueCard::GetTypeByMask(const std::uint8_t* values, int count, int* outKey) {
  Groups g;
  int type = CardType::Invalid;
  if (BuildGroups(values, count, g)) type = PlainReading(g).type;
  if (outKey) *outKey = (type == CardType::Invalid) ? 0 : g.key;
  return type;
}

bool ClueCard::GetCardType(CardTypeInfo& out, const std::vector<CardCode>& cards) {
  std::array<std::uint8_t, kMaxCards> values{};
  out = CardTypeInfo{};
  if (!CodesToValues(cards, values)) return false;
  int key = 0;
  out.type = GetTypeByMask(values.data(), static_cast<int>(cards.size()), &key);
  out.value = key;
  return out.type != CardType::Invalid;
}

int ClueCard::GetCardTypeCtx(const std::uint8_t* values, int count, int* outKey, int expectedType,
                             bool wildcardFlag) {
  Groups g;
  CtxResult r;
  if (BuildGroups(values, count, g)) r = ClassifyCtx(g, expectedType, wildcardFlag);
  if (outKey) *outKey = (r.type == CardType::Invalid) ? 0 : r.key;
  return r.type;
}

bool ClueCard::GetCardTypeEx(CardTypeInfo& out, int expectedType, const std::vector<CardCode>& cards,
                             bool wildcardFlag) {
  std::array<std::uint8_t, kMaxCards> values{};
  out = CardTypeInfo{};
  if (!CodesToValues(cards, values)) return false;
  int key = 0;
  out.type = GetCardTypeCtx(values.data(), static_cast<int>(cards.size()), &key, expectedType, wildcardFlag);
  out.value = key;
  return out.type != CardType::Invalid;
}

int ClueCard::GetLaiziValue(int expectedType, int* outIndex, const std::vector<CardCode>& cards) {
  int index = -1;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (cards[i] == kWildcardCode) {
      index = static_cast<int>(i);
      break;
    }
  }
  if (outIndex) *outIndex = index;
  if (index < 0) return -1;
  if (cards.size() == 1) return kValueWildcard;
  std::array<std::uint8_t, kMaxCards> values{};
  if (!CodesToValues(cards, values)) return kValueWildcard;
  const int n = static_cast<int>(cards.size());

  auto othersWithValue = [&](int value) {
    int k = 0;
    for (int i = 0; i < n; ++i)
      if (i != index && values[i] == value) ++k;
    return k;
  };

  for (int sub = kValueBigJoker; sub >= 3; --sub) {
    values[index] = static_cast<std::uint8_t>(sub);
    Groups g;
    if (!BuildGroups(values.data(), n, g)) continue;
    const CtxResult r = ClassifyCtx(g, CardType::Invalid, false);
    const int spread = SpreadOf(sub);
    bool accept = false;
    switch (r.type) {
      case CardType::Invalid: accept = false; break;
      case CardType::TripleSingle: accept = othersWithValue(sub) >= 2; break;
      case 96: case 98: case 100: case 102:
        accept = spread >= r.bodyLow && spread <= r.bodyHigh;
        break;
      case 97: case 99: case 101: case CardType::FourTwoPairs:
        accept = sub != kValueSmallJoker && sub != kValueBigJoker;
        break;
      case CardType::FourTwoSingles:
        accept = expectedType != CardType::Plane(2) && othersWithValue(sub) >= 3;
        break;
      case CardType::Plane(2): accept = expectedType == CardType::Plane(2); break;
      default: accept = true; break;
    }
    if (accept) return sub;
  }
  return kValueWildcard;
}

ClueCard::ClueCard(const std::vector<CardCode>& hand) : m_vcHand(hand) { SortHand(); }

void ClueCard::SortHand() {
  auto& h = m_vcHand;
  for (std::size_t i = 0; i < h.size(); ++i)
    for (std::size_t j = i + 1; j < h.size(); ++j)
      if (GetCardValue(h[j]) > GetCardValue(h[i])) std::swap(h[i], h[j]);
  // Among equal values, suit 0 before 1 before 2 before 3.
  for (std::size_t i = 0; i < h.size(); ++i)
    for (std::size_t j = i + 1; j < h.size() && GetCardValue(h[j]) == GetCardValue(h[i]); ++j)
      if (h[j] / 15 < h[i] / 15) std::swap(h[i], h[j]);
}

void ClueCard::RemoveResult() {
  for (CardCode c : m_vcResult) {
    auto it = std::find(m_vcHand.begin(), m_vcHand.end(), c);
    if (it != m_vcHand.end()) m_vcHand.erase(it);
  }
}

int ClueCard::CompareCardType(const CardTypeInfo& a, const CardTypeInfo& b) {
  if (a.type == CardType::Invalid) return -1;
  if (b.type == CardType::Invalid) return a.type >= CardType::BombFamily ? 2 : 1;
  if (a.type >= CardType::BombFamily) {
    if (a.type > b.type) return 2;
    if (a.type == b.type) return a.value > b.value ? 2 : -1;
    return -1;
  }
  if (a.type == b.type) return a.value > b.value ? 1 : -1;
  return -1;
}

}  // namespace ddz
