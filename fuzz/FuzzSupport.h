// What the fuzz targets share: a reader that takes typed values off the
// fuzzer's bytes, a check that stops the run with a message, a scratch folder
// searched before every other, and a quiet log (a target that logs every
// refusal to standard error runs a tenth as fast).
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/Ref.h"
#include "platform/os/Log.h"

namespace ddz::fuzz {

// Stops the run (libFuzzer keeps the input) when a property does not hold.
#define FUZZ_CHECK(cond)                                                                      \
  do {                                                                                        \
    if (!(cond)) {                                                                            \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);       \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)

// Typed values off the front of the input; past its end every read answers 0
// (or an empty text), so a short input is an ordinary case.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  std::size_t Left() const { return size_ - pos_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return v;
  }
  bool Bool() { return Byte() & 1; }
  // Up to `max` bytes.
  std::vector<std::uint8_t> Bytes(std::size_t max) {
    const std::size_t n = std::min(max, Left());
    std::vector<std::uint8_t> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
  }
  // A length byte (below `max`), then that many bytes.
  std::vector<std::uint8_t> Block(std::size_t max) { return Bytes(Byte() % max); }
  std::string Rest() {
    std::string out(reinterpret_cast<const char*>(data_ + pos_), Left());
    pos_ = size_;
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Whether text is well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
inline bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
    else return false;
    for (int k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

// A cut copy of `source`: a prefix of it, and well-formed when the source is.
inline bool IsCutOf(std::string_view cut, std::string_view source) {
  if (cut.size() > source.size() || source.substr(0, cut.size()) != cut) return false;
  return !IsUtf8(source) || IsUtf8(cut);
}

// A folder of this process searched before all others, for the readers that
// take their file through the search paths. Made once; removed at exit.
class Scratch {
 public:
  static Scratch& Get() {
    static Scratch s;
    return s;
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }
  // Writes `bytes` as `name` in the folder (whole, replacing what was there).
  void Write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(path_ + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ddz-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern + "/";
    cocos2d::FileUtils::getInstance()->setSearchPaths({path_});
    cocos2d::FileUtils::getInstance()->setWritablePath(path_);
  }
  std::string path_;
};

// Ends each run with what the run left behind dropped: the log's kept lines and
// the autorelease pool. (libFuzzer looks for leaks after any run that allocated
// more than it freed; lines kept from run to run would make that every run.)
struct RunScope {
  ~RunScope() {
    cocos2d::Log::clear();
    cocos2d::AutoreleasePool::current().clear();
  }
};

// Silences the engine's and the OS layer's log lines on standard error.
inline void QuietLog() {
  cocos2d::Log::setEchoToStderr(false);
  os::SetLogSink([](const std::string&) {});
}

}  // namespace ddz::fuzz
