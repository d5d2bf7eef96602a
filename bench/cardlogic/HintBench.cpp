// One hint press on a landlord's 20-card hand against typical plays to beat, and
// the comparison of two plays.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"

namespace {

using ddz::CardCode;

// A landlord's hand: 3 4 4 5 5 6 6 6 7 8 8 9 9 10 J Q Q K A 2 (codes suit * 15 + index).
const std::vector<CardCode> kHand = {2, 3, 18, 4, 19, 5, 20, 35, 6, 7, 22, 8, 23, 9, 10, 11, 26, 12, 0, 1};

struct Target {
  const char* name;
  std::vector<CardCode> play;
};

const std::array<Target, 5> kTargets = {{
    {"single 9", {53}},
    {"pair 5", {34, 49}},
    {"straight 3-7", {47, 48, 49, 50, 51}},
    {"triple 3 with single", {17, 32, 47, 21}},
    {"pair straight 3-5", {17, 32, 33, 48, 34, 49}},
}};

// A fresh press: the cycle starts from the play on the table.
void BM_HintPressFresh(benchmark::State& state) {
  const auto& target = kTargets[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(target.name);
  std::vector<CardCode> out;
  for (auto _ : state) {
    ddz::ResetHintCycle();
    benchmark::DoNotOptimize(ddz::ClueCard::Hint(out, target.play, kHand));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_HintPressFresh)->DenseRange(0, static_cast<int>(kTargets.size()) - 1);

// Presses in a running cycle, through bigger plays, the wrap and the start over.
void BM_HintPressCycle(benchmark::State& state) {
  const auto& target = kTargets[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(target.name);
  std::vector<CardCode> out;
  ddz::ResetHintCycle();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ddz::ClueCard::Hint(out, target.play, kHand));
    benchmark::DoNotOptimize(out.data());
  }
  ddz::ResetHintCycle();
}
BENCHMARK(BM_HintPressCycle)->DenseRange(0, static_cast<int>(kTargets.size()) - 1);

void BM_CompareCardType(benchmark::State& state) {
  const std::array<std::pair<ddz::CardTypeInfo, ddz::CardTypeInfo>, 8> cases = {{
      {{32, 5}, {32, 4}},
      {{32, 5}, {48, 3}},
      {{112, 3}, {21, 14}},
      {{112, 3}, {112, 4}},
      {{113, 26}, {112, 20}},
      {{1, 3}, {-1, 0}},
      {{-1, 0}, {32, 4}},
      {{114, 3}, {113, 26}},
  }};
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& c = cases[i++ & 7];
    benchmark::DoNotOptimize(ddz::ClueCard::CompareCardType(c.first, c.second));
  }
}
BENCHMARK(BM_CompareCardType);

}  // namespace
