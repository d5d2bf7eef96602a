// The settings record of the tables that keep their own settings file
// (game kind 5) and that file, "setting.conf" in the writable folder.
//
// The file is eight decimal lines, one line feed between them and none after
// the last, nothing else:
//   music volume x 100 (truncated), sound volume x 100 (truncated),
//   music switch 0/1, sound switch 0/1, always 1, then the three further
//   values of the record.
// It is written atomically (a crash mid-write leaves the old file). A file
// cut short elsewhere keeps the values of its whole lines; one that is
// missing or malformed reads as the default record. Either is replaced whole
// by the next save.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct SettingConf {
  float fMusicVolume = 1.0f;  // 0..1
  float fSoundVolume = 1.0f;  // 0..1
  std::uint8_t bMusicOpen = 1;
  std::uint8_t bSoundOpen = 1;
  // Nothing in the program sets these; they are written as they stand.
  std::int32_t iValue6 = 0;
  std::int32_t iValue7 = 0;
  std::int32_t iValue8 = 0;
};

// The record of game kind 5, for the whole process; starts at the defaults.
extern SettingConf g_SettingConf;

namespace ddz::settings {

inline constexpr const char* kSettingFile = "setting.conf";
inline constexpr int kSettingLines = 8;

// The writable folder followed directly by kSettingFile.
std::string SettingFilePath();
// The file's bytes for `conf`.
std::string FormatSettingConf(const SettingConf& conf);
// Reads the file's bytes into `out`. False, `out` unchanged, unless the text
// is exactly eight decimal lines with the volumes in 0..100, the switches 0
// or 1 and the fifth line 1.
[[nodiscard]] bool ParseSettingConf(std::string_view text, SettingConf& out);
// A text that is the start of such a file, cut before its last line: the
// values of its whole lines (those a line feed ends) into `out`, the rest of
// `out` unchanged. Answers the number of lines taken, 0 (`out` unchanged)
// when the text is no such start.
[[nodiscard]] int ParseCutSettingConf(std::string_view text, SettingConf& out);

// g_SettingConf into the file. False (logged) when it cannot be written; the
// record stays in force.
bool SaveSettingConf();
// The file into g_SettingConf, a file cut short as far as its whole lines
// go (the rest default). A missing or malformed file gives the default
// record (logged) and false.
bool LoadSettingConf();

}  // namespace ddz::settings
