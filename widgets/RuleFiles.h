// The rule files and the process-wide rule tables the rules windows show.
//
// Two readers live here:
// - the rules window's reader (GameRuleLayer): "qorvddz_game_rule.conf" for
//   the classic games, "qorvddz_siren_game_rule.conf" for the four-player
//   game, section "RULE", read once per game id into g_mapRuleConf;
// - the reader of "cjddz_all_rule.conf": the game rules per game type
//   (section "Rule", into g_mapGameRules, for the all-games dialog) and the
//   special rules per kind (section "Special", into g_mapSpecialRules, for
//   the Super table's popup).
//
// Lists in the files are numbered from 0 and end at the first missing number
// (a gap ends the list), and at the latest after a fixed count (kMaxRuleTypes
// and friends). An entry whose title or content does not fit its read buffer,
// or whose mask is no number in range, is skipped with a log line and the
// list goes on after it; a name that does not fit is cut (also logged).
// Every table only grows: a game id, game type or kind is read at most once
// per process, so edits to a file take effect at the next start.
#pragma once

#include <map>
#include <string>
#include <vector>

// ---- the rules window ----

struct RuleItem {
  std::string strTitle;
  std::vector<std::string> vcContent;  // the item's lines
};

struct RuleType {
  std::string strTypeName;  // also the stem of the tab images ("<name>_0.png", "<name>_1.png")
  std::vector<RuleItem> vcItems;
};

// Game id -> its rule types. Also holds game ids whose file had no types, so
// they are not read again.
extern std::map<int, std::vector<RuleType>> g_mapRuleConf;

// The rule file of a game id: 19 and 62 "qorvddz_game_rule.conf", 48
// "qorvddz_siren_game_rule.conf". Any other id leaves `name` untouched.
void GetRuleConfName(int iGameID, std::string& name);

// Reads the rule types of one game id into g_mapRuleConf (nothing when the id
// is there already or the name is empty). Types and their items end at the
// first gap, at most kMaxRuleWindowTypes of each.
void LoadGameRuleConf(int iGameID, const std::string& pszConfName);

inline constexpr int kMaxRuleWindowTypes = 10000;
inline constexpr std::size_t kRuleWindowValueBytes = 4096;  // read buffer of one value, terminator included

// ---- the all-games file ----

struct RuleEntry {
  int iMask = 0;  // the special rules the entry depends on (bits); 0 for an ordinary entry
  std::string strTitle;
  std::string strTitle2;  // replaces strTitle when the entry's special rules are in force
  std::vector<std::string> vcLines;
  std::vector<std::string> vcLines2;  // replaces vcLines likewise
};

struct RuleTypeRec {
  std::string strTypeName;
  std::vector<RuleEntry> vcEntries;
};

struct GameRuleRecord {
  int iGameType = 0;
  int iValue = 0;  // 0 when read; the all-games dialog keeps a room's special-rule mask here
  std::string strGameName;
  std::vector<RuleTypeRec> vcTypes;  // only types with entries
};

extern std::map<int, GameRuleRecord> g_mapGameRules;
// Kind (the Super table's player-count mode) -> its special rules (iMask,
// strTitle and vcLines only).
extern std::map<int, std::vector<RuleEntry>> g_mapSpecialRules;

inline constexpr int kMaxRuleTypes = 1000;    // per game type, also the special-rule kinds
inline constexpr int kMaxRuleEntries = 1000;  // per rule type, also per special-rule kind
inline constexpr std::size_t kRuleValueBytes = 1024;  // read buffer of one value, terminator included

// Separators of the all-games file: "|@|" between the parts of a title or of
// a content, "!@" between lines.
inline constexpr const char* kRulePartSep = "|@|";
inline constexpr const char* kRuleLineSep = "!@";
// The title of an entry that is not shown.
inline constexpr const char* kHiddenRuleTitle = "TATAT";

// "cjddz_all_rule.conf".
const std::string& GetAllRuleConfPath();

// Reads one game type into g_mapGameRules unless it is there already.
void LoadGameRules(const std::string& strConfPath, int iGameType);

// Reads the special rules of kinds 0, 1, ... of "cjddz_all_rule.conf" into
// g_mapSpecialRules, up to and including the first kind without entries
// (stored with an empty list). A kind already present is not replaced.
void LoadSpecialRules();

// Fills `entry` from its raw title (already in entry.strTitle) and raw
// content. A raw title is a plain title or "mask|@|title|@|second title"; a
// raw content is lines joined by "!@", or (with a three-part title) the
// ordinary lines and the special lines joined by "|@|". Both titles get
// AddTitleSuffix. False, with `entry` untouched and a log line, when the mask
// has more digits than an int holds.
[[nodiscard]] bool ParseRuleEntry(RuleEntry& entry, const std::string& strContent);

// "TATAT" stays as it is; a title of digits only (or empty) gets ". ", any
// other " : ".
void AddTitleSuffix(std::string& str);
