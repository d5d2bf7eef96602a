#include <benchmark/benchmark.h>

#include "platform/os/Random.h"
#include "tests/cardlogic/ServerDriver.h"

// Whole single-player hands through the local server: deal, bidding, every
// play to the result, the player's side answered by the hint engine, every
// message recorded as the view's queue would take it.
static void BM_SingleServerWholeHand(benchmark::State& state) {
  ddz::os::LcgRandom source(12345);
  ddz::os::ScopedRandomSource guard(source);
  ddz::testing::HandDriver driver;
  std::int64_t hands = 0;
  for (auto _ : state) {
    const bool ended = driver.PlayHand(3 * 54);
    benchmark::DoNotOptimize(ended);
    if (!ended) {
      state.SkipWithError("a hand did not end");
      break;
    }
    ++hands;
  }
  state.counters["hands/s"] = benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SingleServerWholeHand);
