#include "platform/framework/YndConf.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/framework/YndFileTools.h"
#include "platform/os/Log.h"
#include "platform/os/Text.h"

namespace ddz {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

struct CacheEntry {
  std::filesystem::file_time_type mtime;
  std::uintmax_t size = 0;
  std::shared_ptr<const ConfFile> conf;
};

std::map<std::string, CacheEntry>& Cache() {
  static std::map<std::string, CacheEntry> cache;
  return cache;
}

// The current file and section of YndConf.
struct CurrentSection {
  std::shared_ptr<const ConfFile> conf;
  std::string file;
  std::string section;
};

CurrentSection& Current() {
  static CurrentSection current;
  return current;
}

// Splits an array value on ';'. A trailing ';' is allowed; any other empty
// entry makes the value malformed.
bool SplitEntries(std::string_view value, std::vector<std::string_view>& out) {
  out.clear();
  value = Trim(value);
  if (value.empty()) return false;
  if (value.back() == ';') value.remove_suffix(1);
  for (;;) {
    const std::size_t semi = value.find(';');
    const std::string_view entry = Trim(value.substr(0, semi));
    if (entry.empty()) return false;
    out.push_back(entry);
    if (semi == std::string_view::npos) return true;
    value.remove_prefix(semi + 1);
  }
}

// The value of key in the current section: the key as given, else its twin
// with or without "[]".
const std::string* FindCurrentValue(const char* key) {
  const CurrentSection& cur = Current();
  if (!cur.conf || !key || !*key) return nullptr;
  const std::string_view k(key);
  if (const std::string* v = cur.conf->Find(cur.section, k)) return v;
  if (k.size() > 2 && k.substr(k.size() - 2) == "[]") return cur.conf->Find(cur.section, k.substr(0, k.size() - 2));
  return cur.conf->Find(cur.section, std::string(k) + "[]");
}

template <typename T, typename ParseEntry>
bool ReadEntries(T* target, const char* key, int capacity, ParseEntry parse) {
  if (!target || capacity < 1) return false;
  const std::string* value = FindCurrentValue(key);
  if (!value) return false;
  std::vector<std::string_view> entries;
  std::vector<T> parsed;
  bool ok = SplitEntries(*value, entries);
  for (std::size_t i = 0; ok && i < entries.size(); ++i) {
    T v{};
    ok = parse(entries[i], v);
    parsed.push_back(v);
  }
  if (!ok) {
    ddz::os::Log("YndConf: malformed value of %s in %s [%s]: \"%s\"", key, Current().file.c_str(),
                 Current().section.c_str(), value->c_str());
    return false;
  }
  if (parsed.size() > static_cast<std::size_t>(capacity)) {
    ddz::os::Log("YndConf: %s holds %zu entries, %d read", key, parsed.size(), capacity);
    parsed.resize(static_cast<std::size_t>(capacity));
  }
  for (std::size_t i = 0; i < parsed.size(); ++i) target[i] = parsed[i];
  return true;
}

// Looks the key up for the free readers; null (with the reason logged) when
// anything is missing.
const std::string* FindValue(std::shared_ptr<const ConfFile>& conf, const char* key, const char* file,
                             const char* section) {
  if (!key || !file || !section) return nullptr;
  conf = LoadConfFile(file);
  if (!conf) return nullptr;
  return conf->Find(section, key);
}

}  // namespace

ConfFile ConfFile::Parse(std::string_view text) {
  ConfFile conf;
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::string section;
  while (!text.empty()) {
    const std::size_t nl = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, nl));
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string_view::npos) {
        ++conf.skipped_;
        continue;
      }
      section.assign(Trim(line.substr(1, close - 1)));
      conf.sections_[section];
      continue;
    }
    const std::size_t eq = line.find('=');
    const std::string_view key = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(0, eq));
    if (key.empty()) {
      ++conf.skipped_;
      continue;
    }
    conf.sections_[section][std::string(key)] = std::string(Trim(line.substr(eq + 1)));
  }
  return conf;
}

const std::string* ConfFile::Find(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return nullptr;
  const auto k = s->second.find(key);
  return k == s->second.end() ? nullptr : &k->second;
}

bool ConfFile::HasSection(std::string_view section) const { return sections_.find(section) != sections_.end(); }

std::shared_ptr<const ConfFile> LoadConfFile(const std::string& name, bool searchPaths) {
  const std::string path = searchPaths ? FindDataFile(name) : name;
  if (path.empty()) return nullptr;
  std::error_code ec1, ec2;
  const auto mtime = std::filesystem::last_write_time(path, ec1);
  const auto size = std::filesystem::file_size(path, ec2);
  auto& cache = Cache();
  const auto hit = cache.find(path);
  if (!ec1 && !ec2 && hit != cache.end() && hit->second.mtime == mtime && hit->second.size == size)
    return hit->second.conf;
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    cache.erase(path);
    return nullptr;
  }
  auto conf = std::make_shared<const ConfFile>(ConfFile::Parse(bytes));
  if (conf->SkippedLines() > 0) ddz::os::Log("conf %s: %d lines skipped", name.c_str(), conf->SkippedLines());
  if (!ec1 && !ec2) cache[path] = CacheEntry{mtime, size, conf};
  return conf;
}

void ClearConfCache() { Cache().clear(); }

bool ParseConfInt(std::string_view text, int& out) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = v;
  return true;
}

bool ParseConfFloat(std::string_view text, float& out) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  float v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

bool ParseConfPair(std::string_view text, float& a, float& b) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  float x = 0, y = 0;
  if (!ParseConfFloat(text.substr(0, comma), x) || !ParseConfFloat(text.substr(comma + 1), y)) return false;
  a = x;
  b = y;
  return true;
}

bool CopyTextBounded(std::string_view text, char* out, std::size_t capacity) {
  if (!out || capacity == 0) return text.empty();
  return os::CopyBounded(out, capacity, text) == text.size();
}

}  // namespace ddz

bool YndConf::SetFileAndSection(const char* file, const char* section, bool searchPaths) {
  auto& cur = ddz::Current();
  cur = {};
  if (!file || !section) return false;
  cur.file = file;
  cur.section = section;
  cur.conf = ddz::LoadConfFile(file, searchPaths);
  if (!cur.conf) {
    ddz::os::Log("YndConf: cannot read %s", file);
    return false;
  }
  if (!cur.conf->HasSection(section)) ddz::os::Log("YndConf: %s has no section [%s]", file, section);
  return true;
}

void YndConf::SetFileClose() { ddz::Current() = {}; }

bool YndConf::GetYndConfInfo(cocos2d::Vec2* target, const char* key, int capacity) {
  return ddz::ReadEntries(target, key, capacity,
                          [](std::string_view e, cocos2d::Vec2& v) { return ddz::ParseConfPair(e, v.x, v.y); });
}

bool YndConf::GetYndConfInfo(cocos2d::Size* target, const char* key, int capacity) {
  return ddz::ReadEntries(target, key, capacity, [](std::string_view e, cocos2d::Size& v) {
    return ddz::ParseConfPair(e, v.width, v.height);
  });
}

bool YndConf::GetYndConfInfo(int* target, const char* key, int capacity) {
  return ddz::ReadEntries(target, key, capacity, [](std::string_view e, int& v) { return ddz::ParseConfInt(e, v); });
}

bool YndConf::GetYndConfInfo(float* target, const char* key, int capacity) {
  return ddz::ReadEntries(target, key, capacity,
                          [](std::string_view e, float& v) { return ddz::ParseConfFloat(e, v); });
}

int GetConfValue(std::string& out, const char* key, const char* file, const char* section, const char* def) {
  std::shared_ptr<const ddz::ConfFile> conf;
  if (const std::string* v = ddz::FindValue(conf, key, file, section)) {
    out = *v;
    return 0;
  }
  out = def ? def : "";
  return 1;
}

int GetConfValue(char* out, std::size_t capacity, const char* key, const char* file, const char* section,
                 const char* def) {
  std::string value;
  const int rc = GetConfValue(value, key, file, section, def);
  if (!ddz::CopyTextBounded(value, out, capacity))
    ddz::os::Log("GetConfValue: %s of %s [%s] cut to %zu bytes", key, file, section ? section : "",
                 capacity ? capacity - 1 : 0);
  return rc;
}

int GetConfValue(int* out, const char* key, const char* file, const char* section, int def) {
  std::string value;
  int v = def;
  int rc = GetConfValue(value, key, file, section, nullptr);
  if (rc == 0 && !ddz::ParseConfInt(value, v)) {
    ddz::os::Log("GetConfValue: %s of %s [%s] is not an integer: \"%s\"", key, file, section, value.c_str());
    v = def;
    rc = 2;
  }
  if (out) *out = v;
  return rc;
}

int GetValueStr(char* out, std::size_t capacity, const char* key, const char* file, const char* section,
                const char* def) {
  return GetConfValue(out, capacity, key, file, section, def);
}

int GetValueStr(std::string& out, const char* key, const char* file, const char* section, const char* def) {
  return GetConfValue(out, key, file, section, def);
}

int GetValueInt(int* out, const char* key, const char* file, const char* section, int def) {
  return GetConfValue(out, key, file, section, def);
}
