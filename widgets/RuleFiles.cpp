#include "widgets/RuleFiles.h"

#include <climits>
#include <cstdio>

#include "platform/engine/Log.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndConf.h"

std::map<int, std::vector<RuleType>> g_mapRuleConf;
std::map<int, GameRuleRecord> g_mapGameRules;
std::map<int, std::vector<RuleEntry>> g_mapSpecialRules;

namespace {

constexpr const char* kRuleWindowSection = "RULE";
constexpr const char* kGameRuleSection = "Rule";
constexpr const char* kSpecialSection = "Special";

enum class Read { Missing, Found, TooLong };

// One text value of a rule file. A value that would not fit a buffer of
// `capacity` bytes (terminator included) is not taken.
Read ReadValue(std::string& out, const std::string& key, const std::string& file, const char* section,
               std::size_t capacity) {
  std::string value;
  if (GetConfValue(value, key.c_str(), file.c_str(), section, "0") != 0) return Read::Missing;
  if (value.size() >= capacity) {
    cocos2d::log("rule file %s: %s is longer than %zu bytes, skipped", file.c_str(), key.c_str(), capacity - 1);
    return Read::TooLong;
  }
  out = std::move(value);
  return Read::Found;
}

// A name: a long one is cut to the buffer (the framework logs it); a missing
// one reads as the default "0". False when the key is missing.
bool ReadName(std::string& out, const std::string& key, const std::string& file, const char* section,
              std::size_t capacity) {
  std::vector<char> buffer(capacity, '\0');
  const int rc = GetConfValue(buffer.data(), buffer.size(), key.c_str(), file.c_str(), section, "0");
  out = buffer.data();
  return rc == 0;
}

std::string Key(const char* format, int a, int b = 0, int c = 0) {
  char key[64];
  std::snprintf(key, sizeof key, format, a, b, c);
  return key;
}

std::vector<std::string> Cut(const std::string& text, const char* sep) {
  std::vector<std::string> pieces;
  CutString(pieces, text.c_str(), sep);
  return pieces;
}

// Leading decimal digits of text (0 when there are none); false when they do
// not fit an int.
bool LeadingNumber(const std::string& text, int& out) {
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return false;
  }
  out = static_cast<int>(value);
  return true;
}

}  // namespace

// ---- the rules window ----

void GetRuleConfName(int iGameID, std::string& name) {
  if (iGameID == 19 || iGameID == 62) name = "qorvddz_game_rule.conf";
  else if (iGameID == 48) name = "qorvddz_siren_game_rule.conf";
}

void LoadGameRuleConf(int iGameID, const std::string& pszConfName) {
  if (pszConfName.empty() || g_mapRuleConf.count(iGameID)) return;
  std::vector<RuleType> types;
  for (int i = 0; i < kMaxRuleWindowTypes; ++i) {
    RuleType type;
    if (!ReadName(type.strTypeName, Key("rule_type_%d", i), pszConfName, kRuleWindowSection, kRuleWindowValueBytes))
      break;
    for (int j = 0; j < kMaxRuleWindowTypes; ++j) {
      RuleItem item;
      const Read titleRead = ReadValue(item.strTitle, Key("rule_title_%d_%d", i, j), pszConfName,
                                       kRuleWindowSection, kRuleWindowValueBytes);
      if (titleRead == Read::Missing) break;
      std::string content;
      const Read contentRead = ReadValue(content, Key("rule_content_%d_%d", i, j), pszConfName,
                                         kRuleWindowSection, kRuleWindowValueBytes);
      if (titleRead == Read::TooLong || contentRead == Read::TooLong) continue;
      if (contentRead == Read::Found) item.vcContent = Cut(content, kRuleLineSep);
      type.vcItems.push_back(std::move(item));
    }
    types.push_back(std::move(type));
  }
  g_mapRuleConf.emplace(iGameID, std::move(types));
}

// ---- the all-games file ----

const std::string& GetAllRuleConfPath() {
  static const std::string* path = new std::string("cjddz_all_rule.conf");
  return *path;
}

void AddTitleSuffix(std::string& str) {
  if (str == kHiddenRuleTitle) return;
  const bool digitsOnly = str.find_first_not_of("0123456789") == std::string::npos;
  str += digitsOnly ? ". " : " : ";
}

bool ParseRuleEntry(RuleEntry& entry, const std::string& strContent) {
  const std::vector<std::string> titleParts = Cut(entry.strTitle, kRulePartSep);
  RuleEntry parsed;
  if (titleParts.size() != 3) {
    parsed.strTitle = entry.strTitle;
    AddTitleSuffix(parsed.strTitle);
    parsed.vcLines = Cut(strContent, kRuleLineSep);
  } else {
    if (!LeadingNumber(titleParts[0], parsed.iMask)) {
      cocos2d::log("rule entry \"%s\": the mask is out of range, skipped", entry.strTitle.c_str());
      return false;
    }
    parsed.strTitle = titleParts[1];
    parsed.strTitle2 = titleParts[2];
    const std::vector<std::string> contentParts = Cut(strContent, kRulePartSep);
    if (contentParts.size() == 2) {
      parsed.vcLines = Cut(contentParts[0], kRuleLineSep);
      parsed.vcLines2 = Cut(contentParts[1], kRuleLineSep);
    } else {
      parsed.vcLines = Cut(strContent, kRuleLineSep);
    }
    AddTitleSuffix(parsed.strTitle);
    AddTitleSuffix(parsed.strTitle2);
  }
  entry = std::move(parsed);
  return true;
}

void LoadGameRules(const std::string& strConfPath, int iGameType) {
  if (g_mapGameRules.count(iGameType)) return;
  GameRuleRecord record;
  record.iGameType = iGameType;
  ReadName(record.strGameName, Key("game_type_%d", iGameType), strConfPath, kGameRuleSection, kRuleValueBytes);
  for (int i = 0; i < kMaxRuleTypes; ++i) {
    RuleTypeRec type;
    if (!ReadName(type.strTypeName, Key("rule_type_%d_%d", iGameType, i), strConfPath, kGameRuleSection,
                  kRuleValueBytes))
      break;
    for (int j = 0; j < kMaxRuleEntries; ++j) {
      RuleEntry entry;
      const Read titleRead = ReadValue(entry.strTitle, Key("title_%d_%d_%d", iGameType, i, j), strConfPath,
                                       kGameRuleSection, kRuleValueBytes);
      if (titleRead == Read::Missing) break;
      std::string content;
      const Read contentRead = ReadValue(content, Key("content_%d_%d_%d", iGameType, i, j), strConfPath,
                                         kGameRuleSection, kRuleValueBytes);
      if (titleRead == Read::TooLong || contentRead == Read::TooLong) continue;
      if (!ParseRuleEntry(entry, content)) continue;
      type.vcEntries.push_back(std::move(entry));
    }
    if (!type.vcEntries.empty()) record.vcTypes.push_back(std::move(type));
  }
  g_mapGameRules.emplace(iGameType, std::move(record));
}

void LoadSpecialRules() {
  const std::string& file = GetAllRuleConfPath();
  for (int k = 0; k < kMaxRuleTypes; ++k) {
    std::vector<RuleEntry> entries;
    bool anyTitle = false;
    for (int j = 0; j < kMaxRuleEntries; ++j) {
      RuleEntry entry;
      const Read titleRead =
          ReadValue(entry.strTitle, Key("special_title_%d_%d", k, j), file, kSpecialSection, kRuleValueBytes);
      if (titleRead == Read::Missing) break;
      anyTitle = true;
      std::string content;
      const Read contentRead =
          ReadValue(content, Key("special_content_%d_%d", k, j), file, kSpecialSection, kRuleValueBytes);
      const std::string valueKey = Key("special_value_%d_%d", k, j);
      // A missing value is mask 0; one that is there must be a whole number
      // from 0 (GetConfValue logs what is not an int).
      const int valueRead = GetConfValue(&entry.iMask, valueKey.c_str(), file.c_str(), kSpecialSection, 0);
      if (valueRead == 0 && entry.iMask < 0)
        cocos2d::log("special rule %d_%d: negative mask %d, skipped", k, j, entry.iMask);
      if (titleRead == Read::TooLong || contentRead == Read::TooLong || valueRead > 1 || entry.iMask < 0)
        continue;
      AddTitleSuffix(entry.strTitle);
      if (contentRead == Read::Found) entry.vcLines = Cut(content, kRuleLineSep);
      entries.push_back(std::move(entry));
    }
    g_mapSpecialRules.emplace(k, std::move(entries));
    if (!anyTitle) break;
  }
}
