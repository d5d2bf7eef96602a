// The tournament's wire records and the small readers they share.
//
// `CompeteUserRecord` is the signed-in user's tournament record as the web
// server sends it (1176 bytes), `CompeteMatchRecord` one match's configuration
// (1884 bytes, from the match file or the game server). Both are copied whole
// from outside bytes, so their fields sit at fixed offsets (checked below) and
// their integers are little-endian, as on every machine this client runs on.
// Their text fields need not be terminated: read them through RecordText,
// never as C texts.
//
// The texts of a match record are lists: numbers separated by ";", award
// lines "%d-%d-%d-%d" (rank from, rank to, prop id, count) and pairs "%d-%d"
// (kind, value). SplitString cuts them; a piece that does not read as numbers
// reads as zeros.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

static_assert(std::endian::native == std::endian::little, "the wire records are little-endian");

// The 20035 reply's payload: the user's tournament record.
struct CompeteUserRecord {
  std::int32_t iReserved0;
  std::int32_t tRecordDate;      // the day the daily sign-ups belong to (seconds since 1970)
  std::int32_t iFeeKind5Num;     // the user's holding of fee kind 5
  char szLockRoomId[64];         // decimal text; 1 or more while the user is placed in a running match
  std::int32_t iPrizeHold88;     // copied into GlobalInfo::iPrizeHold88
  std::int32_t iPrizeHold89;     // copied into GlobalInfo::iPrizeHold89
  char szLockServerId[64];       // decimal text: the server of that match
  std::int32_t tServerTime;      // the server's time when it made the reply
  char szDailySignUps[1024];     // today's sign-ups: "%d-%d" (match id, count) separated by ";"
};
static_assert(sizeof(CompeteUserRecord) == 1176);
static_assert(offsetof(CompeteUserRecord, szLockRoomId) == 12);
static_assert(offsetof(CompeteUserRecord, iPrizeHold88) == 76);
static_assert(offsetof(CompeteUserRecord, szLockServerId) == 84);
static_assert(offsetof(CompeteUserRecord, tServerTime) == 148);
static_assert(offsetof(CompeteUserRecord, szDailySignUps) == 152);

// One match's configuration. Bytes not named here are kept as they came.
struct CompeteMatchRecord {
  std::int32_t iMatchId;           // the room's rule record names it too (RoomRuleInfo::iRoomClass)
  std::int32_t iReserved4;
  char szMatchName[100];           // the match card's title
  char szMatchText2[100];          // the match card's second line
  std::int32_t iMatchKind;         // 1 no timetable (sign-up always open), 2 and 3 change the screens
  std::int32_t iFirstPlayers;      // player count shown on a timetabled match's card
  std::int32_t iLastPlayers;       // player count shown on a kind-1 match's card
  char byReserved220[48];
  std::int32_t iFreePerDay;        // free entries per day, 0 for none
  std::int32_t iMinHolding;        // minimum holding for signing up
  char szAwards[400];              // award lines "%d-%d-%d-%d" separated by ";"
  char szNumbers[40];              // general numbers; the sixth is the free entry's yuanbao limit
  std::int32_t iSignUpNum;         // sign-ups, kept up to date by the web server's counts
  char szFees[100];                // fee options "%d-%d" (fee kind, amount) separated by ";"
  char szStages[100];              // stage list: numbers separated by ";"
  char szFirstStart[40];           // first start, date-time text (ParseDateTime)
  std::int32_t iIntervalMinutes;   // between starts
  std::int32_t iSignUpMinutes;     // sign-up window at the beginning of each interval
  char byReserved968[8];
  std::int32_t iNextOpenNumber;    // the number of the next-opening notice
  char byReserved980[4];
  char szSecondPrizes[400];        // "%d-%d-%d-%d" (rank from, rank to, prop id, count) separated by ";"
  char szThirdPrizes[400];         // the same form
  char szConditions[100];          // entry conditions "%d-%d" (kind, value) separated by ";"
};
static_assert(sizeof(CompeteMatchRecord) == 1884);
static_assert(offsetof(CompeteMatchRecord, szMatchName) == 8);
static_assert(offsetof(CompeteMatchRecord, iMatchKind) == 208);
static_assert(offsetof(CompeteMatchRecord, iFreePerDay) == 268);
static_assert(offsetof(CompeteMatchRecord, szAwards) == 276);
static_assert(offsetof(CompeteMatchRecord, szNumbers) == 676);
static_assert(offsetof(CompeteMatchRecord, iSignUpNum) == 716);
static_assert(offsetof(CompeteMatchRecord, szFees) == 720);
static_assert(offsetof(CompeteMatchRecord, szStages) == 820);
static_assert(offsetof(CompeteMatchRecord, szFirstStart) == 920);
static_assert(offsetof(CompeteMatchRecord, iIntervalMinutes) == 960);
static_assert(offsetof(CompeteMatchRecord, iNextOpenNumber) == 976);
static_assert(offsetof(CompeteMatchRecord, szSecondPrizes) == 984);
static_assert(offsetof(CompeteMatchRecord, szThirdPrizes) == 1384);
static_assert(offsetof(CompeteMatchRecord, szConditions) == 1784);

// One prize line of a match: the first prize and the second and third prizes
// for the same ranks. A new item is all zero.
struct CompeteAwardItem {
  std::int32_t iRankFrom = 0;
  std::int32_t iRankTo = 0;
  std::int32_t iPropId = 0;
  std::int32_t iPropNum = 0;
  char szUnit[40] = {};          // sprite frame of the prize picture
  char szAwardText[120] = {};    // "%d%s" (count, prop name), or the bare name for a count of 0
  std::int32_t iPropId2 = 0;
  std::int32_t iPropNum2 = 0;
  char szAwardText2[120] = {};
  std::int32_t iPropId3 = 0;
  std::int32_t iPropNum3 = 0;
  char szAwardText3[120] = {};
};

// A catalogue entry as the tournament keeps it.
struct PropCatalogEntry {
  char szName[100] = {};  // prop name
  char szUnit[40] = {};   // sprite frame of the prop's prize picture
};

// A (kind, value) or (fee kind, amount) pair of a match record.
struct CompeteKindValue {
  std::int32_t iKind = 0;
  std::int32_t iValue = 0;
  bool operator==(const CompeteKindValue&) const = default;
};

// Clears `out`, drops the trailing blanks of `text`, cuts it at every
// occurrence of `separator` (keeping empty pieces between two separators)
// and keeps the last piece only when it is not empty. An empty separator
// gives the whole text as one piece.
void SplitString(std::vector<std::string>& out, std::string text, std::string separator);

namespace ddz {

// The text of a fixed-size field: up to its first zero byte, never past its end.
template <std::size_t N>
std::string RecordText(const char (&field)[N]) {
  std::size_t n = 0;
  while (n < N && field[n] != '\0') ++n;
  return std::string(field, n);
}

// The ";"-separated numbers of `text`, each read as atoi reads it.
std::vector<int> ParseNumberList(const std::string& text);
// The ";"-separated "%d-%d" pairs of `text`; a piece that does not read gives zeros.
std::vector<CompeteKindValue> ParseKindValueList(const std::string& text);
// The prize lines of a match: each award line in order, its texts from the
// catalogue; then each second and third prize on the first line with the same
// ranks (a prize that matches no line is dropped).
std::vector<CompeteAwardItem> ParseAwardItems(const CompeteMatchRecord& record);

}  // namespace ddz
