// The plain classifier against an independent reading of the rule set, written
// on value counts instead of neighbour codes: every play of up to 8 real cards,
// and many random larger plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "cardlogic/ClueCard.h"

using namespace ddz;

namespace {

// Counts by CardValue 3..17.
using Counts = std::array<int, 18>;

struct Expect {
  int type = -1;
  int key = 0;
};

bool ChainValue(int v) { return v >= 3 && v <= 14; }

// Longest consecutive chain (within 3..A) of values whose count is exactly c, covering
// every value with count c; returns {low, high} or {-1, -1}.
std::pair<int, int> ExactChain(const Counts& k, int c) {
  int low = -1, high = -1;
  for (int v = 3; v <= 17; ++v) {
    if (k[v] != c) continue;
    if (low < 0) low = v;
    else if (v != high + 1) return {-1, -1};
    high = v;
  }
  if (low < 0 || !ChainValue(low) || !ChainValue(high)) return {-1, -1};
  return {low, high};
}

Expect Reference(const Counts& k) {
  int n = 0, distinct = 0, maxCount = 0;
  int byCount[5] = {0, 0, 0, 0, 0};
  for (int v = 3; v <= 17; ++v) {
    n += k[v];
    if (k[v]) {
      ++distinct;
      ++byCount[k[v]];
      maxCount = std::max(maxCount, k[v]);
    }
  }
  auto valueWithCount = [&](int c) {
    for (int v = 17; v >= 3; --v)
      if (k[v] == c) return v;
    return -1;
  };
  Expect e;
  if (n == 0) return e;
  if (distinct == 1) {
    const int v = valueWithCount(maxCount);
    static const int kTypes[] = {0, 1, 32, 48, 112};
    return {kTypes[maxCount], SpreadOf(v)};
  }
  if (n == 2 && k[16] == 1 && k[17] == 1) return {113, 26};
  if (maxCount == 1 && n >= 5 && n <= 12) {
    auto [lo, hi] = ExactChain(k, 1);
    if (lo > 0 && hi - lo + 1 == n) return {16 + n, hi};
  }
  if (maxCount == 2 && byCount[2] == distinct && distinct >= 3 && distinct <= 10) {
    auto [lo, hi] = ExactChain(k, 2);
    if (lo > 0) return {32 + distinct, hi};
  }
  if (maxCount == 3 && byCount[3] == distinct && distinct >= 2 && distinct <= 6) {
    auto [lo, hi] = ExactChain(k, 3);
    if (lo > 0) return {57 + distinct, hi};
  }
  if (n == 4 && byCount[3] == 1 && byCount[1] == 1) return {49, SpreadOf(valueWithCount(3))};
  if (n == 5 && byCount[3] == 1 && byCount[2] == 1) return {50, SpreadOf(valueWithCount(3))};
  if (n == 6 && byCount[4] == 1 && byCount[1] == 2) return {66, SpreadOf(valueWithCount(4))};
  if (n == 8 && byCount[4] == 1 && byCount[2] == 2) return {67, SpreadOf(valueWithCount(4))};
  const int t = byCount[3];
  if (t >= 2 && byCount[4] == 0 && (n == 4 * t || n == 5 * t)) {
    auto [lo, hi] = ExactChain(k, 3);
    if (lo > 0) {
      if (n == 4 * t && byCount[1] == t && t <= 5) return {96 + (t - 2) * 2, hi};
      if (n == 5 * t && byCount[2] == t && t <= 4) return {97 + (t - 2) * 2, hi};
    }
  }
  return e;
}

void Check(const Counts& k) {
  std::vector<std::uint8_t> values;
  for (int v = 3; v <= 17; ++v)
    for (int i = 0; i < k[v]; ++i) values.push_back(static_cast<std::uint8_t>(v));
  std::shuffle(values.begin(), values.end(), std::mt19937(static_cast<unsigned>(values.size())));
  int key = -5;
  const int type = ClueCard::GetTypeByMask(values.data(), static_cast<int>(values.size()), &key);
  const Expect e = Reference(k);
  if (type != e.type || key != e.key) {
    std::string play;
    for (auto v : values) play += std::to_string(v) + " ";
    ADD_FAILURE() << "play " << play << ": got (" << type << ", " << key << "), rule set says (" << e.type
                  << ", " << e.key << ")";
  }
}

void EnumerateUpTo(Counts& k, int v, int left, int& plays) {
  if (v > 17) {
    if (left < 8) {
      Check(k);
      ++plays;
    }
    return;
  }
  const int maxHere = v >= 16 ? 1 : 4;
  for (int c = 0; c <= std::min(maxHere, left); ++c) {
    k[v] = c;
    EnumerateUpTo(k, v + 1, left - c, plays);
  }
  k[v] = 0;
}

}  // namespace

TEST(ClueCardReference, EveryPlayOfUpToEightCards) {
  Counts k{};
  int plays = 0;
  EnumerateUpTo(k, 3, 8, plays);
  EXPECT_GT(plays, 100000);
}

TEST(ClueCardReference, RandomLargerPlays) {
  std::mt19937 rng(20261209);
  std::vector<int> deck;
  for (int v = 3; v <= 15; ++v)
    for (int s = 0; s < 4; ++s) deck.push_back(v);
  deck.push_back(16);
  deck.push_back(17);
  // Random subsets of one deck: mostly invalid, which is the point.
  for (int round = 0; round < 20000; ++round) {
    std::shuffle(deck.begin(), deck.end(), rng);
    const int n = 9 + static_cast<int>(rng() % 12);
    Counts k{};
    for (int i = 0; i < n; ++i) ++k[deck[i]];
    Check(k);
  }
  // Random valid-shaped plays: chains and planes with wings of every length,
  // with a chance of one card moved to break them.
  for (int round = 0; round < 20000; ++round) {
    Counts k{};
    const int shape = static_cast<int>(rng() % 5);
    const int len = shape == 0 ? 5 + rng() % 8 : shape == 1 ? 3 + rng() % 8 : 2 + rng() % 5;
    const int width = shape == 0 ? 1 : shape == 1 ? 2 : 3;
    const int low = 3 + static_cast<int>(rng() % 12);
    for (int i = 0; i < len; ++i) k[std::min(low + i, 15)] += width;
    if (shape >= 3) {  // wings: singles (3) or pairs (4)
      const int wing = shape == 3 ? 1 : 2;
      for (int w = 0, tries = 0; w < len && tries < 100; ++tries) {
        const int v = 3 + static_cast<int>(rng() % 15);
        if (k[v] != 0 || (wing == 2 && v >= 16)) continue;
        k[v] = wing;
        ++w;
      }
    }
    if (rng() % 3 == 0) {
      const int from = 3 + static_cast<int>(rng() % 15), to = 3 + static_cast<int>(rng() % 15);
      if (k[from] > 0 && k[to] < (to >= 16 ? 1 : 4)) { --k[from]; ++k[to]; }
    }
    bool fits = true;
    int n = 0;
    for (int v = 3; v <= 17; ++v) {
      fits = fits && k[v] <= (v >= 16 ? 1 : 4);
      n += k[v];
    }
    if (fits && n <= 20) Check(k);
  }
}
