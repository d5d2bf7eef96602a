#include "platform/framework/YndCodeConvert.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "platform/os/Log.h"
#include "platform/os/Text.h"

namespace {

// Length of the valid UTF-8 character at the start of `s`, 0 when none is.
std::size_t Utf8CharLength(const char* s, std::size_t left) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  std::size_t len = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) len = 2;
  else if (c >= 0xE0 && c <= 0xEF) len = 3;
  else if (c >= 0xF0 && c <= 0xF4) len = 4;
  if (len == 0 || len > left) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0;
  }
  return len;
}

// Converts `in` (up to its first zero byte) from one encoding to another.
// False when iconv cannot convert between the two at all.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
  out.clear();
  if (const std::size_t nul = in.find('\0'); nul != std::string_view::npos) in = in.substr(0, nul);
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    ddz::os::Log("YndCodeConvert: no conversion from %s to %s", from, to);
    return false;
  }
  const bool utf8Source = std::strcmp(from, "UTF-8") == 0;
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char chunk[1024];
  while (inLeft > 0) {
    char* outPtr = chunk;
    std::size_t outLeft = sizeof chunk;
    const std::size_t rc = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(chunk, sizeof chunk - outLeft);
    if (rc != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;  // chunk full: go on
    if (errno == EILSEQ) {
      // Not a character of the source, or one the target lacks: mark it and
      // step over it (a whole UTF-8 character, else one byte).
      std::size_t skip = utf8Source ? Utf8CharLength(inPtr, inLeft) : 0;
      if (skip == 0) skip = 1;
      out += '?';
      inPtr += skip;
      inLeft -= skip;
      continue;
    }
    break;  // EINVAL: an incomplete character at the end is dropped
  }
  // Flush any shift state.
  char* outPtr = chunk;
  std::size_t outLeft = sizeof chunk;
  ::iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  out.append(chunk, sizeof chunk - outLeft);
  ::iconv_close(cd);
  return true;
}

// Longest prefix of GBK text within maxBytes that does not split a
// two-byte character (a lead byte is 0x81 .. 0xFE).
std::size_t GbkPrefixLength(std::string_view text, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t len = (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
    if (i + len > maxBytes) break;
    i += len;
  }
  return i;
}

int ToBuffer(const char* to, const char* from, const char* in, int inLen, char* out, int outLen, bool gbkOut) {
  if (out == nullptr || outLen <= 0) return -1;
  out[0] = '\0';
  if (in == nullptr || inLen < 0) return -1;
  std::string converted;
  if (!Convert(to, from, std::string_view(in, static_cast<std::size_t>(inLen)), converted)) return -1;
  const std::size_t cap = static_cast<std::size_t>(outLen) - 1;
  const std::size_t n = gbkOut ? GbkPrefixLength(converted, cap) : ddz::os::Utf8PrefixLength(converted, cap);
  std::memcpy(out, converted.data(), n);
  out[n] = '\0';
  return static_cast<int>(n);
}

std::string ToString(const char* to, const char* from, std::string_view in) {
  std::string converted;
  Convert(to, from, in, converted);
  return converted;
}

}  // namespace

int YndCodeConvert::G2u(const char* in, int inLen, char* out, int outLen) {
  return ToBuffer("UTF-8", "GBK", in, inLen, out, outLen, false);
}

int YndCodeConvert::U2g(const char* in, int inLen, char* out, int outLen) {
  return ToBuffer("GBK", "UTF-8", in, inLen, out, outLen, true);
}

int YndCodeConvert::u2u(const char* in, int inLen, char* out, int outLen) {
  return ToBuffer("UTF-8", "UTF-8", in, inLen, out, outLen, false);
}

std::string YndCodeConvert::G2u(std::string_view gbk) { return ToString("UTF-8", "GBK", gbk); }

std::string YndCodeConvert::U2g(std::string_view utf8) { return ToString("GBK", "UTF-8", utf8); }

std::string YndCodeConvert::u2u(std::string_view utf8) { return ToString("UTF-8", "UTF-8", utf8); }
