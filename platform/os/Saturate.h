// Integer sums and products of numbers that come from outside (amounts,
// scores, multiples): a result beyond an int's range stops at its nearest end
// instead of wrapping.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

namespace ddz::os {

constexpr int SaturatingAdd(int a, int b) {
  return static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(a) + b, INT_MIN, INT_MAX));
}

constexpr int SaturatingSub(int a, int b) {
  return static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(a) - b, INT_MIN, INT_MAX));
}

constexpr int SaturatingMul(int a, int b) {
  return static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(a) * b, INT_MIN, INT_MAX));
}

}  // namespace ddz::os
