#include "platform/os/Clock.h"

#include <ctime>

namespace ddz::os {

VirtualClock& Clock() {
  static VirtualClock clock;
  return clock;
}

std::int64_t SystemWallTimeSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace ddz::os
