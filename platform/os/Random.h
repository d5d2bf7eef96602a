// The process's one source of random numbers. rand/srand of the rules engines,
// YndRand of the framework and every computer-player chance draw from here, so
// tests can script the exact sequence of draws.
#pragma once

#include <cstdint>
#include <deque>

namespace ddz::os {

constexpr int kRandMax = 0x7fff;

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Seed(std::uint32_t seed) = 0;
  // 0 .. kRandMax
  virtual int Next() = 0;
};

// The default: the classic linear congruential generator of the Windows C
// runtime (state * 214013 + 2531011, bits 16..30), so a seed gives the same
// sequence of deals as the original client.
class LcgRandom : public RandomSource {
 public:
  explicit LcgRandom(std::uint32_t seed = 1) : state_(seed) {}
  void Seed(std::uint32_t seed) override { state_ = seed; }
  int Next() override;

 private:
  std::uint32_t state_;
};

// A test source: hands out the scripted values in order (each reduced into
// 0..kRandMax), then falls back to an LCG. Seeding is recorded, not applied.
class ScriptedRandom : public RandomSource {
 public:
  ScriptedRandom() = default;
  explicit ScriptedRandom(std::initializer_list<int> values) : values_(values) {}
  void Push(int v) { values_.push_back(v); }
  void Seed(std::uint32_t seed) override { ++seedCalls; lastSeed = seed; }
  int Next() override;
  std::size_t Remaining() const { return values_.size(); }
  int seedCalls = 0;
  std::uint32_t lastSeed = 0;

 private:
  std::deque<int> values_;
  LcgRandom fallback_;
};

// The current source (a process-wide LcgRandom unless replaced).
RandomSource& GetRandomSource();
// Replaces the source; null restores the default. The caller keeps ownership.
void SetRandomSource(RandomSource* source);

// The runtime-style calls every caller uses.
int Rand();
void Srand(std::uint32_t seed);
// 0 .. n-1 (0 when n <= 0).
int RandBelow(int n);

// Installs a source for the lifetime of the guard (tests).
class ScopedRandomSource {
 public:
  explicit ScopedRandomSource(RandomSource& s) : prev_(&GetRandomSource()) { SetRandomSource(&s); }
  ~ScopedRandomSource() { SetRandomSource(prev_); }
  ScopedRandomSource(const ScopedRandomSource&) = delete;
  ScopedRandomSource& operator=(const ScopedRandomSource&) = delete;

 private:
  RandomSource* prev_;
};

}  // namespace ddz::os
