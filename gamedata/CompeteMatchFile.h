// The match file: the tournament list's match records, one section per
// match, fields by name, each packed into a CompeteMatchRecord. The scene
// reads it into g_vcCompeteRoomTable when it creates the tournament list.
//
//   [1]                           sections "1", "2", ... without gaps: the
//   match_id = 101                first missing number ends the file
//   name = 每日金币赛
//   kind = 1
//   numbers = 0;0;0;0;0;100       the lists as the record holds them
//   ...
//
// Keys (a missing key leaves its field zero):
//   ints:  match_id (required, above 0), kind, first_players, last_players,
//          free_per_day, min_holding, sign_ups, interval_minutes,
//          sign_up_minutes, next_open_number
//   texts: name, text2, awards, numbers, fees, stages, first_start,
//          second_prizes, third_prizes, conditions
// A text must fit its field with a terminator and an int must be a whole
// decimal int; a section that breaks either is dropped with a log line, and
// the other matches still load. A match id that is already in the table
// keeps its first section.
#pragma once

#include <string_view>
#include <vector>

#include "gamedata/CompeteRecords.h"

namespace ddz {
class ConfFile;
}

// The match records the tournament list reads.
extern std::vector<CompeteMatchRecord> g_vcCompeteRoomTable;

namespace ddz {

inline constexpr const char* kCompeteMatchFile = "compete_matches.conf";
inline constexpr int kMaxCompeteMatches = 200;

// Packs one section of the match file. False (logged), `out` untouched, when
// a field does not fit or does not read, or the match id is missing.
bool PackCompeteMatch(const ConfFile& conf, std::string_view section, CompeteMatchRecord& out);
// Empties `table` and fills it from `file` (through the search paths).
// Answers the number of matches read; a missing file gives none.
int LoadCompeteMatchFile(const char* file, std::vector<CompeteMatchRecord>& table);

}  // namespace ddz
