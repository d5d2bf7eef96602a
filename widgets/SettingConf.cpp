#include "widgets/SettingConf.h"

#include <charconv>
#include <cstdio>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/os/FileIo.h"

SettingConf g_SettingConf;

namespace ddz::settings {

namespace {

// Volume x 100, truncated toward zero; the record holds 0..1, so a value
// outside is brought back to the range first. The small allowance keeps a
// value read from the file (29 -> 0.29f, which is 28.99999... x 100) at what
// it was, so reading and writing the file again never lowers it.
int VolumePercent(float volume) {
  if (!(volume > 0.0f)) return 0;
  if (volume >= 1.0f) return 100;
  return static_cast<int>(static_cast<double>(volume) * 100.0 + 1e-4);
}

// One decimal integer filling `field` exactly (an optional '-', then digits).
bool ReadInt(std::string_view field, int& out) {
  if (field.empty()) return false;
  const char* first = field.data();
  const char* last = field.data() + field.size();
  const auto result = std::from_chars(first, last, out);
  return result.ec == std::errc() && result.ptr == last;
}

}  // namespace

std::string SettingFilePath() { return cocos2d::FileUtils::getInstance()->getWritablePath() + kSettingFile; }

std::string FormatSettingConf(const SettingConf& conf) {
  char text[128];
  const int n = std::snprintf(text, sizeof text, "%d\n%d\n%d\n%d\n%d\n%d\n%d\n%d", VolumePercent(conf.fMusicVolume),
                              VolumePercent(conf.fSoundVolume), conf.bMusicOpen != 0 ? 1 : 0,
                              conf.bSoundOpen != 0 ? 1 : 0, 1, conf.iValue6, conf.iValue7, conf.iValue8);
  return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

bool ParseSettingConf(std::string_view text, SettingConf& out) {
  int values[kSettingLines] = {};
  std::size_t start = 0;
  for (int i = 0; i < kSettingLines; ++i) {
    const std::size_t end = i + 1 < kSettingLines ? text.find('\n', start) : text.size();
    if (end == std::string_view::npos || !ReadInt(text.substr(start, end - start), values[i])) return false;
    start = end + 1;
  }
  const auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
  if (!inRange(values[0], 0, 100) || !inRange(values[1], 0, 100) || !inRange(values[2], 0, 1) ||
      !inRange(values[3], 0, 1) || values[4] != 1) {
    return false;
  }
  out.fMusicVolume = static_cast<float>(values[0]) / 100.0f;
  out.fSoundVolume = static_cast<float>(values[1]) / 100.0f;
  out.bMusicOpen = static_cast<std::uint8_t>(values[2]);
  out.bSoundOpen = static_cast<std::uint8_t>(values[3]);
  out.iValue6 = values[5];
  out.iValue7 = values[6];
  out.iValue8 = values[7];
  return true;
}

bool SaveSettingConf() {
  const std::string path = SettingFilePath();
  if (!ddz::os::WriteFileAtomically(path, FormatSettingConf(g_SettingConf))) {
    cocos2d::log("SaveSettingConf: %s could not be written", path.c_str());
    return false;
  }
  return true;
}

bool LoadSettingConf() {
  const std::string path = SettingFilePath();
  std::string text;
  SettingConf conf;
  if (!ddz::os::ReadWholeFile(path, text)) {
    cocos2d::log("LoadSettingConf: no %s, the default settings", path.c_str());
    g_SettingConf = SettingConf();
    return false;
  }
  if (!ParseSettingConf(text, conf)) {
    cocos2d::log("LoadSettingConf: %s is malformed, the default settings", path.c_str());
    g_SettingConf = SettingConf();
    return false;
  }
  g_SettingConf = conf;
  return true;
}

}  // namespace ddz::settings
