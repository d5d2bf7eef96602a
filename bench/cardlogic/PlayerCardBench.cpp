#include <benchmark/benchmark.h>

#include "cardlogic/ExtraDdzAI.h"
#include "platform/os/Random.h"

// One analysis of a landlord's 20-card hand (what every re-analysis after a play costs at most).
static void BM_AnalyseLandlordHand(benchmark::State& state) {
  ddz::os::LcgRandom source(12345);
  ddz::os::ScopedRandomSource guard(source);
  ddz::ExtraDdzAI ai(ddz::DeckSeeding::None);
  ai.DealCards();
  ai.SetLandlord(0, 3);
  ddz::CPlayerCard* seat = ai.Player(0);
  for (auto _ : state) benchmark::DoNotOptimize(seat->AnalyseHand(false));
}
BENCHMARK(BM_AnalyseLandlordHand);

// A whole deal: shuffle, three hands analysed with their bid wishes.
static void BM_DealCards(benchmark::State& state) {
  ddz::os::LcgRandom source(12345);
  ddz::os::ScopedRandomSource guard(source);
  ddz::ExtraDdzAI ai(ddz::DeckSeeding::None);
  for (auto _ : state) {
    ai.DealCards();
    benchmark::DoNotOptimize(ai.Player(0)->GetBidWish());
  }
}
BENCHMARK(BM_DealCards);
