#include "platform/os/Text.h"

#include <cstring>

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

}  // namespace ddz::os
