#include "platform/os/Clock.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace ddz::os {

VirtualClock& Clock() {
  static VirtualClock clock;
  return clock;
}

std::int64_t SystemWallTimeSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

namespace {
std::function<std::int64_t()>& WallSource() {
  static std::function<std::int64_t()> source;
  return source;
}
}  // namespace

std::int64_t WallTimeMs() {
  if (const auto& source = WallSource()) return source();
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

ScopedWallTimeSource::ScopedWallTimeSource(std::function<std::int64_t()> source)
    : previous_(std::exchange(WallSource(), std::move(source))) {}
ScopedWallTimeSource::~ScopedWallTimeSource() { WallSource() = std::move(previous_); }

}  // namespace ddz::os
