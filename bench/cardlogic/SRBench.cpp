// Four-player rules on a 25-card hand (the deal of a seat that is not the
// landlord): one classification, and one press of the hint button.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "cardlogic/SRClueCard.h"

namespace {

using ddz::CardCode;
using ddz::SRClueCard;

std::vector<CardCode> Deck() {
  std::vector<CardCode> deck;
  for (int copy = 0; copy < 2; ++copy)
    for (int code = 0; code < 60; ++code)
      if (SRClueCard::IsTableCode(code)) deck.push_back(code);
  return deck;
}

// Seeded 25-card hands cut from the two shuffled decks.
std::vector<std::vector<CardCode>> Hands(int count) {
  std::mt19937 rng(4242);
  auto deck = Deck();
  std::vector<std::vector<CardCode>> hands;
  for (int i = 0; i < count; ++i) {
    std::shuffle(deck.begin(), deck.end(), rng);
    hands.emplace_back(deck.begin(), deck.begin() + 25);
  }
  return hands;
}

struct Quiet {
  Quiet() { SRClueCard::SetLogSink([](const char*) {}); }
  ~Quiet() { SRClueCard::SetLogSink(nullptr); }
};

// Classifying 25 cards: a random hand (read to the end, mostly invalid), and
// five triples with five pairs (104), the longest reading.
void BM_SRClassify25Random(benchmark::State& state) {
  const auto hands = Hands(256);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& h = hands[i++ & 255];
    ddz::CardTypeInfo info;
    benchmark::DoNotOptimize(SRClueCard::GetCodesCardType(h.data(), 25, info));
    benchmark::DoNotOptimize(info);
  }
}
BENCHMARK(BM_SRClassify25Random);

void BM_SRClassify25PlaneWithPairs(benchmark::State& state) {
  // 3..7 three times each, then pairs of 9, 10, J, Q, K
  const std::vector<CardCode> play = {2,  17, 32, 3,  18, 33, 4,  19, 34, 5,  20, 35, 6,
                                      21, 36, 8,  23, 9,  24, 10, 25, 11, 26, 12, 27};
  for (auto _ : state) {
    ddz::CardTypeInfo info;
    benchmark::DoNotOptimize(SRClueCard::GetCodesCardType(play.data(), 25, info));
    benchmark::DoNotOptimize(info);
  }
}
BENCHMARK(BM_SRClassify25PlaneWithPairs);

// One press of the hint button (a fresh cycle each time) on a 25-card hand, against
// a single 5, a pair of 9s, the straight 3..7, a plane of two triples with pairs
// and a bomb of four 5s.
void BM_SRHintPress25(benchmark::State& state) {
  static const std::vector<std::vector<CardCode>> kLastPlays = {
      {4}, {8, 23}, {2, 3, 4, 5, 6}, {2, 17, 32, 3, 18, 33, 6, 21, 8, 23}, {4, 19, 34, 49}};
  const auto& last = kLastPlays[state.range(0)];
  const auto hands = Hands(256);
  Quiet quiet;
  std::size_t i = 0;
  std::vector<CardCode> out;
  for (auto _ : state) {
    SRClueCard::RestartHintCycle();
    SRClueCard rules;
    benchmark::DoNotOptimize(rules.HintBySearch(out, last, hands[i++ & 255]));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_SRHintPress25)->DenseRange(0, 4)->ArgName("lastPlay");

}  // namespace
