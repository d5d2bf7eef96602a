// A game message's bytes as the tests build them: a zeroed frame with its
// type in byte 1, and 32-bit fields written little- or big-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ddz::test {

using Frame = std::vector<std::uint8_t>;

inline Frame FrameOf(int type, std::size_t size) {
  Frame f(size, 0);
  f[1] = static_cast<std::uint8_t>(type);
  return f;
}
inline void PutLE(Frame& f, std::size_t at, int v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
inline void PutBE(Frame& f, std::size_t at, int v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (24 - 8 * i));
}

}  // namespace ddz::test
