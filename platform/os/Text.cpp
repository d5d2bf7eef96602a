#include "platform/os/Text.h"

#include <cstring>
#include <limits>

namespace ddz::os {

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  // Step back from the cut over continuation bytes to the lead byte of the
  // character the cut falls into; if that character does not fit whole, the
  // prefix ends before it.
  std::size_t cut = maxBytes;
  std::size_t lead = cut;
  while (lead > 0 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80 && cut - lead < 4) --lead;
  if (lead == cut) return cut;  // the cut falls on a character start
  const unsigned char c = static_cast<unsigned char>(text[lead]);
  std::size_t len = 1;
  if (c >= 0xF0) len = 4;
  else if (c >= 0xE0) len = 3;
  else if (c >= 0xC0) len = 2;
  return lead + len <= cut ? cut : lead;
}

std::size_t CopyBounded(char* dst, std::size_t capacity, std::string_view src) {
  if (capacity == 0 || dst == nullptr) return 0;
  const std::size_t n = Utf8PrefixLength(src, capacity - 1);
  std::memcpy(dst, src.data(), n);
  dst[n] = '\0';
  return n;
}

std::int64_t ParseInt64Token(std::string_view token) {
  std::size_t i = 0;
  while (i < token.size() && (token[i] == ' ' || (token[i] >= '\t' && token[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  // Accumulate towards the negative side, which holds one more value.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  bool saturated = false;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    const int digit = token[i] - '0';
    if (value < (kMin + digit) / 10) {
      saturated = true;
      break;
    }
    value = value * 10 - digit;
  }
  if (saturated) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
  if (negative) return value;
  return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

std::int32_t ParseIntToken(std::string_view token) {
  const std::int64_t value = ParseInt64Token(token);
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value > kMax ? kMax : value < kMin ? kMin : value);
}

}  // namespace ddz::os
