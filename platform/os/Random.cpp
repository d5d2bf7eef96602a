#include "platform/os/Random.h"

namespace ddz::os {

namespace {
LcgRandom& DefaultSource() {
  static LcgRandom source;
  return source;
}
RandomSource* g_source = nullptr;
}  // namespace

int LcgRandom::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & kRandMax);
}

int ScriptedRandom::Next() {
  if (values_.empty()) return fallback_.Next();
  const int v = values_.front();
  values_.pop_front();
  return ((v % (kRandMax + 1)) + (kRandMax + 1)) % (kRandMax + 1);
}

RandomSource& GetRandomSource() { return g_source ? *g_source : DefaultSource(); }
void SetRandomSource(RandomSource* source) { g_source = source; }

int Rand() { return GetRandomSource().Next(); }
void Srand(std::uint32_t seed) { GetRandomSource().Seed(seed); }
int RandBelow(int n) { return n <= 0 ? 0 : Rand() % n; }

}  // namespace ddz::os
