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

namespace {

// Whether `v` may stand on line `line` (0-based) of the file.
bool FitsLine(int line, int v) {
  switch (line) {
    case 0:
    case 1:
      return v >= 0 && v <= 100;  // the volumes x 100
    case 2:
    case 3:
      return v == 0 || v == 1;  // the switches
    case 4:
      return v == 1;
    default:
      return true;
  }
}

// The first `lines` values into `out`.
void TakeLines(const int* values, int lines, SettingConf& out) {
  float* const volumes[] = {&out.fMusicVolume, &out.fSoundVolume};
  std::uint8_t* const switches[] = {&out.bMusicOpen, &out.bSoundOpen};
  std::int32_t* const further[] = {&out.iValue6, &out.iValue7, &out.iValue8};
  for (int i = 0; i < lines; ++i) {
    if (i < 2) {
      *volumes[i] = static_cast<float>(values[i]) / 100.0f;
    } else if (i < 4) {
      *switches[i - 2] = static_cast<std::uint8_t>(values[i]);
    } else if (i >= 5) {
      *further[i - 5] = values[i];
    }
  }
}

}  // namespace

bool ParseSettingConf(std::string_view text, SettingConf& out) {
  int values[kSettingLines] = {};
  std::size_t start = 0;
  for (int i = 0; i < kSettingLines; ++i) {
    const std::size_t end = i + 1 < kSettingLines ? text.find('\n', start) : text.size();
    if (end == std::string_view::npos || !ReadInt(text.substr(start, end - start), values[i]) ||
        !FitsLine(i, values[i])) {
      return false;
    }
    start = end + 1;
  }
  TakeLines(values, kSettingLines, out);
  return true;
}

int ParseCutSettingConf(std::string_view text, SettingConf& out) {
  int values[kSettingLines] = {};
  int whole = 0;
  std::size_t start = 0;
  for (std::size_t end; whole < kSettingLines - 1 && (end = text.find('\n', start)) != std::string_view::npos;) {
    if (!ReadInt(text.substr(start, end - start), values[whole]) || !FitsLine(whole, values[whole])) return 0;
    ++whole;
    start = end + 1;
  }
  // What follows the whole lines is the start of the next one, cut.
  const std::string_view rest = text.substr(start);
  if (rest.find_first_not_of("-0123456789") != std::string_view::npos) return 0;
  TakeLines(values, whole, out);
  return whole;
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
  if (ParseSettingConf(text, conf)) {
    g_SettingConf = conf;
    return true;
  }
  conf = SettingConf();
  if (const int whole = ParseCutSettingConf(text, conf); whole > 0) {
    cocos2d::log("LoadSettingConf: %s is cut short; the values of its %d whole lines are kept", path.c_str(), whole);
    g_SettingConf = conf;
    return true;
  }
  cocos2d::log("LoadSettingConf: %s is malformed, the default settings", path.c_str());
  g_SettingConf = SettingConf();
  return false;
}

}  // namespace ddz::settings
