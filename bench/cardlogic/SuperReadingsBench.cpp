// Readings of a Super selection with both jokers as wildcards (169 trial readings each).
#include <benchmark/benchmark.h>

#include <vector>

#include "cardlogic/SuperClueCard.h"

namespace {

ddz::SpecialRuleFlags WildcardRules() {
  ddz::SpecialRuleFlags r;
  r.bytes[ddz::SpecialRule::Wildcard] = 1;
  return r;
}

void Run(benchmark::State& state, const std::vector<ddz::CardCode>& cards) {
  const auto rules = WildcardRules();
  std::size_t readings = 0;
  for (auto _ : state) {
    ddz::CardTypeInfo info;
    auto r = ddz::SuperClueCard::EnumerateGroups(cards, info, ddz::PlayerCountMode::ThreeSeatWildcard, &rules);
    readings = r.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["readings"] = static_cast<double>(readings);
}

// A whole 20-card hand (18 cards and both jokers): no reading.
void BM_SuperEnumerateGroups_Hand20(benchmark::State& state) {
  Run(state, {2, 17, 32, 3, 18, 4, 5, 20, 35, 6, 7, 22, 8, 9, 24, 10, 11, 0, ddz::kSmallJokerCode,
              ddz::kBigJokerCode});
}
BENCHMARK(BM_SuperEnumerateGroups_Hand20);

// 20 cards that read: a plane of four triples 3..6 with its wing pairs, two of them jokers.
void BM_SuperEnumerateGroups_Plane20(benchmark::State& state) {
  Run(state, {2, 17, 32, 3, 18, 33, 4, 19, 34, 5, 20, 35, 8, 23, 9, 24, 11, 26, ddz::kSmallJokerCode,
              ddz::kBigJokerCode});
}
BENCHMARK(BM_SuperEnumerateGroups_Plane20);

}  // namespace
