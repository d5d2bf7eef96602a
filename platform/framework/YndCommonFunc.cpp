#include "platform/framework/YndCommonFunc.h"

#include <openssl/evp.h>

#include <cstring>

#include "platform/os/Clock.h"
#include "platform/os/Log.h"
#include "platform/os/Random.h"

unsigned int GetTime() { return static_cast<unsigned int>(ddz::os::Clock().NowMs()); }

int YndRand(int n) { return ddz::os::RandBelow(n); }

namespace {
constexpr char kUpperDigits[] = "0123456789ABCDEF";
constexpr char kLowerDigits[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::string CharArrayToHexString(const char* data, int len) {
  std::string hex;
  if (data == nullptr || len <= 0) return hex;
  hex.reserve(static_cast<std::size_t>(len) * 2);
  for (int i = 0; i < len; ++i) {
    const unsigned char b = static_cast<unsigned char>(data[i]);
    hex += kUpperDigits[b >> 4];
    hex += kUpperDigits[b & 15];
  }
  return hex;
}

bool HexStringToCharArray(const char* hex, char* out, int* outLen, int outCapacity) {
  if (outLen) *outLen = 0;
  if (out == nullptr || outCapacity <= 0) return false;
  out[0] = '\0';
  if (hex == nullptr) return false;
  const std::size_t n = std::strlen(hex);
  if (n % 2 != 0 || n / 2 > static_cast<std::size_t>(outCapacity) - 1) {
    ddz::os::Log("HexStringToCharArray: bad length %zu for capacity %d", n, outCapacity);
    return false;
  }
  for (std::size_t i = 0; i < n; i += 2) {
    const int hi = HexValue(hex[i]), lo = HexValue(hex[i + 1]);
    if (hi < 0 || lo < 0) {
      ddz::os::Log("HexStringToCharArray: not a hex digit at %zu", i);
      out[0] = '\0';
      return false;
    }
    out[i / 2] = static_cast<char>(hi * 16 + lo);
  }
  out[n / 2] = '\0';
  if (outLen) *outLen = static_cast<int>(n / 2);
  return true;
}

void MakeMD5(const char* data, int len, char* out) {
  if (out == nullptr) return;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  const char* bytes = data != nullptr && len > 0 ? data : "";
  const std::size_t count = data != nullptr && len > 0 ? static_cast<std::size_t>(len) : 0;
  if (EVP_Digest(bytes, count, digest, &size, EVP_md5(), nullptr) != 1 || size != 16) {
    ddz::os::Log("MakeMD5: digest failed");
    out[0] = '\0';
    return;
  }
  for (unsigned int i = 0; i < 16; ++i) {
    out[2 * i] = kLowerDigits[digest[i] >> 4];
    out[2 * i + 1] = kLowerDigits[digest[i] & 15];
  }
  out[32] = '\0';
}

std::string MakeMD5(std::string_view data) {
  char out[33];
  MakeMD5(data.data(), static_cast<int>(data.size()), out);
  return out;
}

void CutString(std::vector<std::string>& out, const char* text, const char* sep) {
  out.clear();
  if (text == nullptr || *text == '\0') return;
  const std::string_view all(text);
  const std::string_view separator(sep ? sep : "");
  if (separator.empty()) {
    out.emplace_back(all);
    return;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t at = all.find(separator, start);
    if (at == std::string_view::npos) {
      out.emplace_back(all.substr(start));
      return;
    }
    out.emplace_back(all.substr(start, at - start));
    start = at + separator.size();
  }
}

void DeleteCharArrayEnter(char* text) {
  if (text == nullptr) return;
  char* w = text;
  for (const char* r = text; *r != '\0'; ++r) {
    if (*r != '\r' && *r != '\n') *w++ = *r;
  }
  *w = '\0';
}
