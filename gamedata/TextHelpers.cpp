#include "gamedata/TextHelpers.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <ctime>

#include "platform/engine/Log.h"

namespace ddz {
namespace {

std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

// Calls f(offset, length) for each character of text.
template <typename F>
void ForEachChar(std::string_view text, F f) {
  std::size_t i = 0;
  while (i < text.size()) {
    const int lead = Utf8LeadLength(static_cast<unsigned char>(text[i]));
    if (lead == 0) {
      ++i;
      continue;
    }
    const std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(lead), text.size() - i);
    if (!f(i, len)) return;
    i += len;
  }
}

}  // namespace

int Utf8LeadLength(unsigned char c) {
  if (c < 0x80) return 1;
  if (c >= 0xC0 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF7) return 4;
  if (c >= 0xF8 && c <= 0xFB) return 5;
  if (c >= 0xFC && c <= 0xFD) return 6;
  return 0;
}

std::string Utf8FirstChars(std::string_view text, int n) {
  text = UpToNul(text);
  std::size_t end = 0;
  int count = 0;
  if (n <= 0) return {};
  ForEachChar(text, [&](std::size_t at, std::size_t len) {
    end = at + len;
    return ++count < n;
  });
  return std::string(text.substr(0, end));
}

}  // namespace ddz

int Utf8CharCount(std::string_view text) {
  int count = 0;
  ddz::ForEachChar(ddz::UpToNul(text), [&](std::size_t, std::size_t) {
    ++count;
    return true;
  });
  return count;
}

int Utf8CharCount(const char* text) { return text ? Utf8CharCount(std::string_view(text)) : 0; }

std::size_t Utf8CopyChars(const char* src, char* dst, std::size_t capacity, int n) {
  if (!src || !dst || n < 0 || capacity == 0) return 0;
  std::size_t end = 0;
  int count = 0;
  if (n > 0) {
    ddz::ForEachChar(src, [&](std::size_t at, std::size_t len) {
      if (at + len > capacity - 1) return false;
      end = at + len;
      return ++count < n;
    });
  }
  std::memcpy(dst, src, end);
  dst[end] = '\0';
  return end;
}

void SplitUtf8Chars(const char* text, std::vector<std::string>& out) {
  if (!text) return;
  const std::string_view t(text);
  ddz::ForEachChar(t, [&](std::size_t at, std::size_t len) {
    out.emplace_back(t.substr(at, len));
    return true;
  });
}

std::int64_t ParseDateTime(const char* text) {
  int fields[6] = {0, 0, 0, 0, 0, 0};
  int pieces = 0;
  bool anyDigit = false;
  const std::string_view t = text ? std::string_view(text) : std::string_view();
  std::size_t i = 0;
  while (i < t.size() && pieces < 6) {
    const std::size_t end = std::min(t.find_first_of("-: ", i), t.size());
    const std::string_view piece = t.substr(i, end - i);
    i = end + 1;
    if (piece.empty()) continue;
    // Each piece is read like atoi: leading digits, 0 when there are none.
    long long v = 0;
    for (char c : piece) {
      if (c < '0' || c > '9') break;
      anyDigit = true;
      v = std::min<long long>(v * 10 + (c - '0'), INT_MAX);
    }
    fields[pieces++] = static_cast<int>(v);
  }
  if (!anyDigit) {
    cocos2d::log("ParseDateTime: no date in \"%s\"", text ? text : "(null)");
    return -1;
  }
  std::tm tm{};
  tm.tm_year = fields[0] - 1900;
  tm.tm_mon = fields[1] - 1;
  tm.tm_mday = fields[2];
  tm.tm_hour = fields[3];
  tm.tm_min = fields[4];
  tm.tm_sec = fields[5];
  tm.tm_isdst = 0;
  return static_cast<std::int64_t>(std::mktime(&tm));
}

std::string ToForwardSlashes(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}
