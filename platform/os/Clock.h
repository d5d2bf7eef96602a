// The process's one virtual clock. The frame loop advances it by each frame's
// elapsed time; the framework's GetTime, every schedule and the wall-clock
// time read it. Tests advance it by hand, so nothing ever sleeps.
#pragma once

#include <cstdint>
#include <functional>

namespace ddz::os {

class VirtualClock {
 public:
  // Milliseconds since the clock started (monotonic).
  std::uint64_t NowMs() const { return nowMs_; }
  // Seconds since the epoch: the wall time at start plus the elapsed virtual time.
  std::int64_t WallTimeSeconds() const { return wallStart_ + static_cast<std::int64_t>(nowMs_ / 1000); }
  void AdvanceMs(std::uint64_t ms) { nowMs_ += ms; }
  // Sets the wall-clock origin (the program sets it from the system clock at start).
  void SetWallTimeSeconds(std::int64_t seconds) { wallStart_ = seconds - static_cast<std::int64_t>(nowMs_ / 1000); }
  void Reset(std::uint64_t nowMs = 0, std::int64_t wallStart = 0) { nowMs_ = nowMs; wallStart_ = wallStart; }

 private:
  std::uint64_t nowMs_ = 0;
  std::int64_t wallStart_ = 0;
};

VirtualClock& Clock();

// Reads the real system wall clock (seconds since the epoch); only the program's
// start-up uses it, to seed the virtual clock's origin and the deck's generator.
std::int64_t SystemWallTimeSeconds();

// The real time of day in milliseconds since the epoch, for what records when
// things happened (the log file's stamps): the system clock, unless a
// ScopedWallTimeSource has put another source in place.
std::int64_t WallTimeMs();

// Puts `source` in place of the system clock for WallTimeMs while it lives.
class ScopedWallTimeSource {
 public:
  explicit ScopedWallTimeSource(std::function<std::int64_t()> source);
  ~ScopedWallTimeSource();
  ScopedWallTimeSource(const ScopedWallTimeSource&) = delete;
  ScopedWallTimeSource& operator=(const ScopedWallTimeSource&) = delete;

 private:
  std::function<std::int64_t()> previous_;
};

}  // namespace ddz::os
