// Configuration readers: ini-style ".conf" files read by section and key.
//
// File format (UTF-8, a byte-order mark is allowed):
//   # comment            (also a line starting with ';')
//   [section name]       (spaces allowed; keys before the first section are in "")
//   key = value          (key and value trimmed; the value runs to the end of the line)
// A later line with the same key in the same section replaces the earlier one.
// Lines that are none of these are skipped with a log line.
//
// Value forms read by YndConf::GetYndConfInfo:
//   integer  -12          float  0.85          point / size  x,y  (w,h)
//   array    entries separated by ';', e.g.  100,200; 300,400; 500,600
// An array key may be written with or without "[]" in the file and in the call.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/engine/Math.h"

namespace ddz {

// One parsed configuration file.
class ConfFile {
 public:
  static ConfFile Parse(std::string_view text);

  // The value of key in section, or null.
  const std::string* Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Lines that were neither comment, section, nor key = value.
  int SkippedLines() const { return skipped_; }

 private:
  using Section = std::map<std::string, std::string, std::less<>>;
  std::map<std::string, Section, std::less<>> sections_;
  int skipped_ = 0;
};

// The parsed file `name` (found through the search paths unless `searchPaths`
// is false), shared from a cache that is refreshed when the file changes on
// disk. Null when the file cannot be read.
std::shared_ptr<const ConfFile> LoadConfFile(const std::string& name, bool searchPaths = true);
// Empties the cache (tests that rewrite files within one second use it).
void ClearConfCache();

// Strict value parsers: the whole text (surrounding blanks allowed) must be the
// value; anything else answers false and leaves the target untouched.
bool ParseConfInt(std::string_view text, int& out);
bool ParseConfFloat(std::string_view text, float& out);
bool ParseConfPair(std::string_view text, float& a, float& b);

// Copies text into out (capacity bytes including the terminator), cut at a
// whole UTF-8 character when it does not fit. Answers false when it was cut.
// Nothing is written when out is null or capacity is 0.
bool CopyTextBounded(std::string_view text, char* out, std::size_t capacity);

}  // namespace ddz

// Reads one section of a layout-style file into typed targets. One file and
// section are current at a time (process-wide, main thread only).
class YndConf {
 public:
  // Makes file/section current. `searchPaths` true finds the file through the
  // engine's search paths, false opens it as named. False when the file cannot
  // be read (every following read then answers false).
  static bool SetFileAndSection(const char* file, const char* section, bool searchPaths = true);

  // Fills target[0 .. capacity-1] from the value of key: as many entries as
  // the value holds, at most capacity. A missing key or a malformed value
  // (any entry) leaves every target entry unchanged and answers false.
  static bool GetYndConfInfo(cocos2d::Vec2* target, const char* key, int capacity);
  static bool GetYndConfInfo(cocos2d::Size* target, const char* key, int capacity);
  static bool GetYndConfInfo(int* target, const char* key, int capacity);
  static bool GetYndConfInfo(float* target, const char* key, int capacity);

  // Without a capacity: an array is filled up to its length, a pointer gets
  // one value (pass the capacity to fill an array through a pointer).
  template <typename T>
  static bool GetYndConfInfo(T&& target, const char* key) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_array_v<U>)
      return GetYndConfInfo(&target[0], key, static_cast<int>(std::extent_v<U>));
    else
      return GetYndConfInfo(target, key, 1);
  }

  static void SetFileClose();
};

// One value of an ini-style file by key, file (through the search paths),
// section and default. Answer 0 when the key was found; otherwise non-zero and
// the default is given. Text forms never write past their capacity: a longer
// value is cut at a whole UTF-8 character (the answer stays 0, a log line notes it).
int GetConfValue(char* out, std::size_t capacity, const char* key, const char* file, const char* section,
                 const char* def = "");
int GetConfValue(std::string& out, const char* key, const char* file, const char* section, const char* def = "");
// Integer form: a value that is not a whole decimal int counts as missing.
int GetConfValue(int* out, const char* key, const char* file, const char* section, int def = 0);

// The same readers under the names the property catalogue uses.
int GetValueStr(char* out, std::size_t capacity, const char* key, const char* file, const char* section,
                const char* def = "");
int GetValueStr(std::string& out, const char* key, const char* file, const char* section, const char* def = "");
int GetValueInt(int* out, const char* key, const char* file, const char* section, int def = 0);
