#include "platform/os/OsApiCommon.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/os/FileIo.h"
#include "platform/os/Log.h"

namespace ddz::os {

namespace {
std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadTrimmed(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return {};
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}
}  // namespace

int DetectConnectionKind(const std::string& netFolder) {
  bool wireless = false;
  for (const std::string& name : ListFolder(netFolder)) {
    if (name == "lo") continue;
    const std::string base = netFolder + "/" + name;
    if (ReadTrimmed(base + "/operstate") != "up") continue;
    if (Exists(base + "/wireless") || Exists(base + "/phy80211")) {
      wireless = true;
    } else {
      return OsApiCommon::kConnectionWired;
    }
  }
  return wireless ? OsApiCommon::kConnectionWireless : OsApiCommon::kConnectionNone;
}

int DetectBatteryLevel(const std::string& powerFolder) {
  for (const std::string& name : ListFolder(powerFolder)) {
    const std::string base = powerFolder + "/" + name;
    if (ReadTrimmed(base + "/type") != "Battery") continue;
    const std::string capacity = ReadTrimmed(base + "/capacity");
    if (capacity.empty() || capacity.size() > 6) continue;
    if (!std::all_of(capacity.begin(), capacity.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    return std::clamp(std::stoi(capacity), 0, 100);
  }
  return -1;
}

}  // namespace ddz::os

OsApiCommon* OsApiCommon::shareOsApiCommon(OsApiBase* base) {
  static OsApiCommon instance;
  if (base != nullptr) instance.m_pBase = base;
  return &instance;
}

void OsApiCommon::ExitGame() {
  ++m_iExitCount;
  ddz::os::Log("OsApiCommon ExitGame[%d]", m_iExitCount);
  if (m_exitHandler) m_exitHandler();
}

int OsApiCommon::GetConnectionKind() const {
  if (m_connectionKind) return *m_connectionKind;
  return ddz::os::DetectConnectionKind(m_strNetFolder);
}

int OsApiCommon::GetBatteryLevel() const {
  if (m_batteryLevel) return *m_batteryLevel;
  return ddz::os::DetectBatteryLevel(m_strPowerFolder);
}

void OsApiCommon::SetSystemFolders(std::string netFolder, std::string powerFolder) {
  m_strNetFolder = std::move(netFolder);
  m_strPowerFolder = std::move(powerFolder);
}

std::string OsApiCommon::GetMachineText() const {
  // The system's machine id (32 hex digits, fixed at installation), else the
  // host name; cut to 19 characters of [0-9A-Za-z-_.].
  std::string source;
  if (!ddz::os::ReadWholeFile("/etc/machine-id", source) || source.empty()) {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) source = host;
  }
  std::string text;
  for (char c : source) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                    c == '_' || c == '.';
    if (ok) text += c;
    if (text.size() == 19) break;
  }
  return text.empty() ? "unknown-machine" : text;
}

void OsApiCommon::Reset() {
  m_pBase = nullptr;
  m_iOrientation = kLandscape;
  m_iExitCount = 0;
  m_exitHandler = nullptr;
  m_connectionKind.reset();
  m_batteryLevel.reset();
  m_strNetFolder = "/sys/class/net";
  m_strPowerFolder = "/sys/class/power_supply";
}
