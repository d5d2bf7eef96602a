#include "platform/framework/YndLocalData.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/engine/FileUtils.h"
#include "platform/os/FileIo.h"
#include "platform/os/Log.h"

namespace {

constexpr const char* kHeader = "# YndLocalData";

std::string DefaultPath() {
  return cocos2d::FileUtils::getInstance()->getWritablePath() + YndLocalData::kFileName;
}

// A key is kept only if it can be written back on one line.
bool ValidKey(const char* key) {
  if (key == nullptr || *key == '\0') return false;
  for (const char* p = key; *p; ++p) {
    if (*p == '=' || *p == '\n' || *p == '\r') return false;
  }
  return true;
}

}  // namespace

YndLocalData::YndLocalData() : m_strPath(DefaultPath()) { Load(); }

YndLocalData* YndLocalData::sharedLocalData(const char*) {
  static YndLocalData instance;
  return &instance;
}

void YndLocalData::SetFilePath(const std::string& path) {
  m_strPath = path.empty() ? DefaultPath() : path;
  Reload();
}

void YndLocalData::Reload() { Load(); }

void YndLocalData::Load() {
  m_values.clear();
  m_bDirty = false;
  std::string text;
  const ddz::os::StoredFile read = ddz::os::ReadStoredFile(m_strPath, text);
  m_bUnreadable = read == ddz::os::StoredFile::kUnreadable;
  if (m_bUnreadable) {
    ddz::os::Log("YndLocalData: [%s] cannot be read; the store starts empty and leaves the file alone",
                 m_strPath.c_str());
  }
  if (read != ddz::os::StoredFile::kRead) return;
  // Every line the store writes ends in a line feed: a last line without one
  // was cut short, and its value may be cut with it.
  const std::size_t whole = text.rfind('\n') + 1;  // 0 when there is no line feed
  if (whole < text.size()) {
    ddz::os::Log("YndLocalData: the last line of [%s] is cut short; ignored", m_strPath.c_str());
    text.resize(whole);
  }
  std::size_t pos = 0;
  int lineNo = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == 0 || eq == std::string::npos) {
      ddz::os::Log("YndLocalData: line %d of [%s] ignored", lineNo, m_strPath.c_str());
      continue;
    }
    m_values[line.substr(0, eq)] = line.substr(eq + 1);
  }
}

const std::string* YndLocalData::Find(const char* key) const {
  if (key == nullptr) return nullptr;
  const auto it = m_values.find(key);
  return it == m_values.end() ? nullptr : &it->second;
}

void YndLocalData::Set(const char* key, std::string value) {
  if (!ValidKey(key)) {
    ddz::os::Log("YndLocalData: key [%s] refused", key ? key : "(null)");
    return;
  }
  auto [it, inserted] = m_values.try_emplace(key, value);
  if (!inserted) {
    if (it->second == value) return;
    it->second = std::move(value);
  }
  m_bDirty = true;
}

int YndLocalData::getIntegerForKey(const char* key, int defaultValue) const {
  const std::string* v = Find(key);
  if (v == nullptr || v->empty()) return defaultValue;
  errno = 0;
  char* end = nullptr;
  const long n = std::strtol(v->c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || n < INT_MIN || n > INT_MAX) return defaultValue;
  return static_cast<int>(n);
}

void YndLocalData::setIntegerForKey(const char* key, int value) { Set(key, std::to_string(value)); }

std::int64_t YndLocalData::getInteger64ForKey(const char* key, std::int64_t defaultValue) const {
  const std::string* v = Find(key);
  if (v == nullptr || v->empty()) return defaultValue;
  errno = 0;
  char* end = nullptr;
  const long long n = std::strtoll(v->c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return defaultValue;
  return static_cast<std::int64_t>(n);
}

void YndLocalData::setInteger64ForKey(const char* key, std::int64_t value) { Set(key, std::to_string(value)); }

bool YndLocalData::getBoolForKey(const char* key, bool defaultValue) const {
  const std::string* v = Find(key);
  if (v == nullptr) return defaultValue;
  if (*v == "true" || *v == "1") return true;
  if (*v == "false" || *v == "0") return false;
  return defaultValue;
}

void YndLocalData::setBoolForKey(const char* key, bool value) { Set(key, value ? "true" : "false"); }

bool YndLocalData::flush() {
  if (!m_bDirty) return true;
  if (m_bUnreadable) {
    // What the file holds is only out of reach; writing over it would lose it.
    ddz::os::Log("YndLocalData: [%s] could not be read; not written over", m_strPath.c_str());
    return false;
  }
  std::string text = kHeader;
  text += '\n';
  for (const auto& [key, value] : m_values) {
    text += key;
    text += '=';
    text += value;
    text += '\n';
  }
  if (!ddz::os::WriteFileAtomically(m_strPath, text)) return false;
  m_bDirty = false;
  return true;
}
