// Bounded text copies for fixed-size fields filled from outside input, and
// the runtime's decimal readers for the numbers that come as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ddz::os {

// Length of the longest prefix of `text` that is at most `maxBytes` long and
// does not end inside a UTF-8 sequence (a lead byte followed by fewer
// continuation bytes than it announces is cut off whole).
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// Copies `src` into `dst` of `capacity` bytes, zero-terminated, cut at a UTF-8
// boundary so that it fits. Returns the number of bytes copied (without the
// terminator). Nothing is written when capacity is 0.
std::size_t CopyBounded(char* dst, std::size_t capacity, std::string_view src);

// Decimal numbers read as the C runtime's readers (_atoi64, atoi) read them:
// leading blanks skipped, an optional sign, digits up to the first other
// character; no digits give 0. A value beyond the result's range saturates at
// its nearest end (4294967297 reads as INT32_MAX), it never wraps.
std::int64_t ParseInt64Token(std::string_view token);
std::int32_t ParseIntToken(std::string_view token);

}  // namespace ddz::os
