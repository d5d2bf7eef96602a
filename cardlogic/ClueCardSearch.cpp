#include "cardlogic/ClueCardSearch.h"

#include <algorithm>
#include <cstdio>

#include "cardlogic/CardCodes.h"

namespace ddz {

int g_iLastHintType = -1;
int g_iLastHintValue = -1;

void ResetHintCycle() {
  g_iLastHintType = -1;
  g_iLastHintValue = -1;
}

namespace {

constexpr int kEngineSmallJoker = 25;
constexpr int kEngineBigJoker = 26;
constexpr int kValueSlots = 32;  // engine values are five-bit

// Appends values to the 20-byte output, never past its end.
struct Writer {
  std::uint8_t* out;
  int n = 0;
  void Put(int value, int times) {
    for (int i = 0; i < times && n < ClueCardSearch::kBytes; ++i) out[n++] = static_cast<std::uint8_t>(value);
  }
};

// The first value of a group list (each value repeated) above the key; -1 if none.
int FirstAbove(const ClueCardSearch::ByteList& list, int key) {
  for (int i = 0; i < list.n; ++i)
    if (list.v[i] > key) return list.v[i];
  return -1;
}

// The first value of the lists, in the order given, that differs from `except`.
int FirstOther(std::initializer_list<const ClueCardSearch::ByteList*> lists, int except) {
  for (const auto* list : lists)
    for (int i = 0; i < list->n; ++i)
      if (list->v[i] != except) return list->v[i];
  return -1;
}

}  // namespace

bool ClueCardSearch::ByteList::Contains(int value) const {
  return std::find(v.begin(), v.begin() + n, value) != v.begin() + n;
}

void ClueCardSearch::Split(const std::uint8_t* hand) {
  for (ByteList* l : {&singles, &pairs, &triples, &bombs, &rocket, &distinct, &pairChain, &planeChain}) *l = ByteList{};
  std::array<std::uint8_t, kValueSlots> count{};
  for (int i = 0; i < kBytes; ++i) {
    if (hand[i] == 0 || CardByteToCode(hand[i]) < 0) continue;  // no card
    ++count[CardByteToEngineValue(hand[i])];
  }
  for (int v = 1; v < kValueSlots; ++v) {
    if (count[v] == 0) continue;
    distinct.Push(v);
    // Runs of four first, then three, then two; what is left is a single.
    for (int b = 0; b < count[v] / 4; ++b) {
      for (int k = 0; k < 4; ++k) bombs.Push(v);
      pairChain.Push(v);
      planeChain.Push(v);
    }
    switch (count[v] % 4) {
      case 3:
        for (int k = 0; k < 3; ++k) triples.Push(v);
        pairChain.Push(v);
        planeChain.Push(v);
        break;
      case 2:
        pairs.Push(v);
        pairs.Push(v);
        pairChain.Push(v);
        break;
      case 1: singles.Push(v); break;
      default: break;
    }
  }
  if (count[kEngineSmallJoker] && count[kEngineBigJoker]) {
    rocket.Push(kEngineSmallJoker);
    rocket.Push(kEngineBigJoker);
  }
}

bool ClueCardSearch::Search(const std::uint8_t* hand, std::uint8_t* out, int type, int key) {
  std::fill(out, out + kBytes, 0);
  iNowType = type;
  value = key;
  Split(hand);
  if (type < 1) {
    std::printf("error input iNowType=%d\n", type);
    return false;
  }
  bool found = false;
  if (type == CardType::Single) found = FindSingle(out);
  else if (type == CardType::Pair) found = FindPair(out);
  else if (type == CardType::Triple) found = FindTriple(out);
  else if (type == CardType::TripleSingle) found = FindTripleWithSingle(out);
  else if (type == CardType::TriplePair) found = FindTripleWithPair(out);
  else if (type >= CardType::StraightFirst && type <= CardType::StraightLast) found = FindStraight(out);
  else if (type >= CardType::PairStraightFirst && type <= CardType::PairStraightLast) found = FindPairStraight(out);
  else if (type >= CardType::PlaneFirst && type <= CardType::PlaneLast) found = FindPlane(out);
  else if (type == CardType::FourTwoSingles || type == CardType::FourTwoPairs) found = FindFourWithTwo(out);
  else if (type >= CardType::PlaneWingsFirst && type <= CardType::PlaneWingsLast) found = FindPlaneWithWings(out);
  else if (type == CardType::Bomb || type == CardType::Rocket) found = FindBomb(out);
  if (!found) return false;
  for (int i = 0; i < kBytes; ++i)
    if (out[i] != 0) out[i] = EngineValueToResultByte(out[i]);
  return true;
}

bool ClueCardSearch::FallBack(std::uint8_t* out) const {
  Writer w{out};
  if (bombs.n >= 4) {
    w.Put(bombs.v[0], 4);
    return true;
  }
  if (rocket.n == 2) {
    w.Put(kEngineSmallJoker, 1);
    w.Put(kEngineBigJoker, 1);
    return true;
  }
  return false;
}

bool ClueCardSearch::FindSingle(std::uint8_t* out) const {
  for (const ByteList* list : {&singles, &pairs, &triples, &bombs}) {
    const int v = FirstAbove(*list, value);
    if (v >= 0) {
      Writer{out}.Put(v, 1);
      return true;
    }
  }
  return FallBack(out);
}

bool ClueCardSearch::FindPair(std::uint8_t* out) const {
  for (const ByteList* list : {&pairs, &triples, &bombs}) {
    const int v = FirstAbove(*list, value);
    if (v >= 0) {
      Writer{out}.Put(v, 2);
      return true;
    }
  }
  return FallBack(out);
}

bool ClueCardSearch::FindTriple(std::uint8_t* out) const {
  int v = FirstAbove(triples, value);
  if (v < 0) v = FirstAbove(bombs, value);
  if (v < 0) return FallBack(out);
  Writer{out}.Put(v, 3);
  return true;
}

bool ClueCardSearch::FindTripleWithSingle(std::uint8_t* out) const {
  int t = FirstAbove(triples, value);
  if (t < 0) t = FirstAbove(bombs, value);
  const int kicker = t < 0 ? -1 : FirstOther({&singles, &pairs, &triples, &bombs, &rocket}, t);
  if (kicker < 0) return FallBack(out);
  Writer w{out};
  w.Put(t, 3);
  w.Put(kicker, 1);
  return true;
}

bool ClueCardSearch::FindTripleWithPair(std::uint8_t* out) const {
  int t = FirstAbove(triples, value);
  if (t < 0) t = FirstAbove(bombs, value);
  const int pair = t < 0 ? -1 : FirstOther({&pairs, &triples, &bombs}, t);
  if (pair < 0) return FallBack(out);
  Writer w{out};
  w.Put(t, 3);
  w.Put(pair, 2);
  return true;
}

int ClueCardSearch::FindChainStart(const ByteList& chain, int len, int key) {
  const int oldStart = key - len + 1;  // the new chain must start above it
  int i = 0;
  while (i < chain.n && chain.v[i] <= oldStart) ++i;
  int run = 0;
  for (int j = i; j < chain.n; ++j) {
    run = (j > i && chain.v[j] == chain.v[j - 1] + 1) ? run + 1 : 1;
    if (run == len) return chain.v[j] - len + 1;
  }
  return -1;
}

bool ClueCardSearch::FindStraight(std::uint8_t* out) const {
  const int len = iNowType - 16;
  const int start = FindChainStart(distinct, len, value);
  if (start < 0) return FallBack(out);
  Writer w{out};
  for (int v = start; v < start + len; ++v) w.Put(v, 1);
  return true;
}

bool ClueCardSearch::FindPairStraight(std::uint8_t* out) const {
  const int len = iNowType - 32;
  const int start = FindChainStart(pairChain, len, value);
  if (start < 0) return FallBack(out);
  Writer w{out};
  for (int v = start; v < start + len; ++v) w.Put(v, 2);
  return true;
}

bool ClueCardSearch::FindPlane(std::uint8_t* out) const {
  const int len = iNowType - 57;
  const int start = FindChainStart(planeChain, len, value);
  if (start < 0) return FallBack(out);
  Writer w{out};
  for (int v = start; v < start + len; ++v) w.Put(v, 3);
  return true;
}

bool ClueCardSearch::FindFourWithTwo(std::uint8_t* out) const {
  const bool pairWings = iNowType == CardType::FourTwoPairs;
  int four = -1;
  for (int i = 0; i < bombs.n; i += 4) {
    if (bombs.v[i] > value) {
      four = bombs.v[i];
      break;
    }
  }
  if (four < 0) return FallBack(out);
  // Wings: the two lowest values outside every bomb.
  const ByteList& from = pairWings ? pairChain : distinct;
  int wings[2] = {-1, -1};
  int found = 0;
  for (int i = 0; i < from.n && found < 2; ++i)
    if (!bombs.Contains(from.v[i])) wings[found++] = from.v[i];
  if (found < 2) return FallBack(out);
  Writer w{out};
  w.Put(four, 4);
  for (int wing : wings) w.Put(wing, pairWings ? 2 : 1);
  return true;
}

bool ClueCardSearch::FindPlaneWithWings(std::uint8_t* out) const {
  const int triples = CardType::PlaneWingsTriples(iNowType);
  const bool pairWings = CardType::PlaneWingsArePairs(iNowType);
  const int start = FindChainStart(planeChain, triples, value);
  if (start < 0) return FallBack(out);
  // Wings: the lowest values outside the chain, one card or two each.
  const ByteList& from = pairWings ? pairChain : distinct;
  std::array<int, 5> wings{};
  int found = 0;
  for (int i = 0; i < from.n && found < triples; ++i) {
    const int v = from.v[i];
    if (v < start || v >= start + triples) wings[found++] = v;
  }
  if (found < triples) return FallBack(out);
  Writer w{out};
  for (int v = start; v < start + triples; ++v) w.Put(v, 3);
  for (int i = 0; i < found; ++i) w.Put(wings[i], pairWings ? 2 : 1);
  return true;
}

bool ClueCardSearch::FindBomb(std::uint8_t* out) const {
  if (iNowType == CardType::Rocket) return false;  // nothing beats the rocket
  for (int i = 0; i < bombs.n; i += 4) {
    if (bombs.v[i] > value) {
      Writer{out}.Put(bombs.v[i], 4);
      return true;
    }
  }
  if (rocket.n == 2) {
    Writer w{out};
    w.Put(kEngineSmallJoker, 1);
    w.Put(kEngineBigJoker, 1);
    return true;
  }
  return false;
}

}  // namespace ddz
