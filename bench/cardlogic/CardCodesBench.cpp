#include <benchmark/benchmark.h>

#include "cardlogic/CardCodes.h"

static void BM_ByteRoundTrip(benchmark::State& state) {
  for (auto _ : state) {
    int sum = 0;
    for (int c = 0; c <= ddz::kMaxCardCode; ++c) sum += ddz::CardByteToCode(ddz::CodeToCardByte(c));
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ByteRoundTrip);
