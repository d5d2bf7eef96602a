// Reading the integer fields of a game message. Some fields are written
// big-endian, others little-endian, field by field; the caller has checked
// the message's length before reading at `at`.
#pragma once

#include <cstdint>

namespace ddz {

inline std::int32_t BigEndianAt(const char* msg, int at) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(msg + at);
  return static_cast<std::int32_t>((std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                   (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]});
}

inline std::int32_t LittleEndianAt(const char* msg, int at) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(msg + at);
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                                   (std::uint32_t{p[3]} << 24));
}

}  // namespace ddz
