// Classifier throughput on a fixed, seeded set of plays of 1 to 20 real cards.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "cardlogic/ClueCard.h"

namespace {

struct Play {
  std::vector<std::uint8_t> values;
};

// Half random hands cut from a deck (mostly invalid), half valid-shaped plays.
std::vector<Play> MakePlays() {
  std::mt19937 rng(12345);
  std::vector<std::uint8_t> deck;
  for (int v = 3; v <= 15; ++v)
    for (int s = 0; s < 4; ++s) deck.push_back(static_cast<std::uint8_t>(v));
  deck.push_back(16);
  deck.push_back(17);
  std::vector<Play> plays;
  for (int i = 0; i < 1024; ++i) {
    Play p;
    if (i % 2 == 0) {
      std::shuffle(deck.begin(), deck.end(), rng);
      const int n = 1 + static_cast<int>(rng() % 20);
      p.values.assign(deck.begin(), deck.begin() + n);
    } else {
      const int width = 1 + static_cast<int>(rng() % 3);
      const int len = width == 1 ? 5 + rng() % 8 : width == 2 ? 3 + rng() % 8 : 2 + rng() % 5;
      const int low = 3 + static_cast<int>(rng() % (12 - std::min(len, 11)));
      for (int k = 0; k < len; ++k)
        for (int w = 0; w < width; ++w) p.values.push_back(static_cast<std::uint8_t>(low + k));
      if (p.values.size() > 20) p.values.resize(20);
      std::shuffle(p.values.begin(), p.values.end(), rng);
    }
    plays.push_back(std::move(p));
  }
  return plays;
}

void BM_ClassifyPlay(benchmark::State& state) {
  const auto plays = MakePlays();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& p = plays[i++ & 1023];
    int key = 0;
    benchmark::DoNotOptimize(
        ddz::ClueCard::GetTypeByMask(p.values.data(), static_cast<int>(p.values.size()), &key));
    benchmark::DoNotOptimize(key);
  }
}
BENCHMARK(BM_ClassifyPlay);

void BM_ClassifyPlayContext(benchmark::State& state) {
  const auto plays = MakePlays();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& p = plays[i++ & 1023];
    int key = 0;
    benchmark::DoNotOptimize(ddz::ClueCard::GetCardTypeCtx(p.values.data(), static_cast<int>(p.values.size()),
                                                           &key, -1, false));
  }
}
BENCHMARK(BM_ClassifyPlayContext);

void BM_ClassifyRocket(benchmark::State& state) {
  const std::uint8_t rocket[] = {17, 16};
  for (auto _ : state) {
    int key = 0;
    benchmark::DoNotOptimize(ddz::ClueCard::GetTypeByMask(rocket, 2, &key));
  }
}
BENCHMARK(BM_ClassifyRocket);

}  // namespace
