// Text helpers of the shell: UTF-8 character walks for labels, the date-time
// reader of the match times, and path slashes.
//
// A character's length comes from its lead byte: below 0x80 one byte, 0xC0-0xDF
// two, 0xE0-0xEF three, 0xF0-0xF7 four, 0xF8-0xFB five, 0xFC-0xFD six. Any other
// byte is stepped over and not counted. A walk never passes the end of the
// text (its terminator, or the first NUL of a view): a character cut short by
// the end counts as one character made of the bytes that are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ddz {
// Length of the character that starts with byte c (0 when c is no lead byte).
int Utf8LeadLength(unsigned char c);
// The first n characters of text (all of it when it has fewer; "" for n <= 0).
std::string Utf8FirstChars(std::string_view text, int n);
}  // namespace ddz

// Number of characters; 0 for a null or empty text.
int Utf8CharCount(const char* text);
int Utf8CharCount(std::string_view text);

// Copies the first n characters of src into dst (capacity bytes with the
// terminator), stopping early at the first character that does not fit whole.
// Returns the bytes copied. n = 0 gives an empty text; a null pointer, a
// negative n or a capacity of 0 writes nothing.
std::size_t Utf8CopyChars(const char* src, char* dst, std::size_t capacity, int n);

// Appends one string per character of text, in order; bytes that are no lead
// byte are skipped. A null text appends nothing.
void SplitUtf8Chars(const char* text, std::vector<std::string>& out);

// Reads up to six numbers separated by '-', ':' or ' ' as year, month, day,
// hour, minute and second (missing ones are 0; more are ignored) and answers
// that local time in seconds since the epoch (daylight saving not applied).
// "2021-12-31" is midnight of that day. A text without any number answers -1.
std::int64_t ParseDateTime(const char* text);

// A copy of text with every '\' turned into '/'.
std::string ToForwardSlashes(std::string_view text);
