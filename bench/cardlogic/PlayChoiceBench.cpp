// One computer-player decision on a full hand: the landlord's first lead
// (20 cards) and the next seat's answer to it (17 cards). Deals are prepared
// in batches outside the timing; each iteration decides on a fresh deal.
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "cardlogic/ExtraDdzAI.h"
#include "platform/os/Random.h"

namespace {

constexpr int kBatch = 256;

// kBatch tables dealt with chair 0 as landlord; with a lead, chair 0 has led.
void PrepareBatch(std::vector<std::unique_ptr<ddz::ExtraDdzAI>>& tables, bool lead) {
  for (auto& ai : tables) {
    ai->DealCards();
    ai->SetLandlord(0, 3);
    if (lead) {
      std::array<ddz::CardByte, 20> out{};
      int count = 0;
      ai->AIPlay(0, out, count);
    }
  }
}

void RunDecisions(benchmark::State& state, bool follow) {
  ddz::os::LcgRandom source(12345);
  ddz::os::ScopedRandomSource guard(source);
  std::vector<std::unique_ptr<ddz::ExtraDdzAI>> tables;
  for (int k = 0; k < kBatch; ++k) tables.push_back(std::make_unique<ddz::ExtraDdzAI>(ddz::DeckSeeding::None));
  const int chair = follow ? 1 : 0;
  int next = kBatch;
  for (auto _ : state) {
    if (next == kBatch) {
      state.PauseTiming();
      PrepareBatch(tables, follow);
      next = 0;
      state.ResumeTiming();
    }
    ddz::ExtraDdzAI& ai = *tables[next++];
    benchmark::DoNotOptimize(
        ai.Player(chair)->SearchPlay(&ai.LastPlay(), !follow, ai.Player(0), ai.Player(1), ai.Player(2)));
  }
}

}  // namespace

static void BM_SearchPlayLead(benchmark::State& state) { RunDecisions(state, false); }
BENCHMARK(BM_SearchPlayLead)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_SearchPlayFollow(benchmark::State& state) { RunDecisions(state, true); }
BENCHMARK(BM_SearchPlayFollow)->Repetitions(5)->ReportAggregatesOnly(true);
