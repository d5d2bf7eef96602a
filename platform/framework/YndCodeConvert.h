// Text encodings: GBK (the code page of the lobby's files and records) and
// UTF-8 (what labels show), converted through the system's iconv.
//
// The buffer forms read at most `inLen` bytes and stop at a zero byte, write a
// zero-terminated result cut at a whole character when it does not fit in
// `outLen` bytes, and return the bytes written without the terminator (-1 for
// bad arguments or when the conversion is unavailable; `out` then holds "").
// A byte sequence that is not valid in the source encoding becomes '?'; an
// incomplete character at the very end of the input is dropped.
#pragma once

#include <string>
#include <string_view>

class YndCodeConvert {
 public:
  // GBK to UTF-8.
  static int G2u(const char* in, int inLen, char* out, int outLen);
  // UTF-8 to GBK (characters GBK lacks become '?').
  static int U2g(const char* in, int inLen, char* out, int outLen);
  // UTF-8 to UTF-8: a checked copy that repairs invalid sequences.
  static int u2u(const char* in, int inLen, char* out, int outLen);

  static std::string G2u(std::string_view gbk);
  static std::string U2g(std::string_view utf8);
  static std::string u2u(std::string_view utf8);
};
