#include "gamedata/CompeteMatchFile.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/engine/Log.h"
#include "platform/framework/YndConf.h"

std::vector<CompeteMatchRecord> g_vcCompeteRoomTable;

namespace {

struct IntField {
  const char* key;
  std::int32_t CompeteMatchRecord::*field;
};
struct TextField {
  const char* key;
  std::size_t offset;  // of the char field in the record
  std::size_t size;
};

constexpr IntField kIntFields[] = {
    {"match_id", &CompeteMatchRecord::iMatchId},
    {"kind", &CompeteMatchRecord::iMatchKind},
    {"first_players", &CompeteMatchRecord::iFirstPlayers},
    {"last_players", &CompeteMatchRecord::iLastPlayers},
    {"free_per_day", &CompeteMatchRecord::iFreePerDay},
    {"min_holding", &CompeteMatchRecord::iMinHolding},
    {"sign_ups", &CompeteMatchRecord::iSignUpNum},
    {"interval_minutes", &CompeteMatchRecord::iIntervalMinutes},
    {"sign_up_minutes", &CompeteMatchRecord::iSignUpMinutes},
    {"next_open_number", &CompeteMatchRecord::iNextOpenNumber},
};

#define TEXT_FIELD(key, member) \
  TextField { key, offsetof(CompeteMatchRecord, member), sizeof(CompeteMatchRecord::member) }
constexpr TextField kTextFields[] = {
    TEXT_FIELD("name", szMatchName),           TEXT_FIELD("text2", szMatchText2),
    TEXT_FIELD("awards", szAwards),            TEXT_FIELD("numbers", szNumbers),
    TEXT_FIELD("fees", szFees),                TEXT_FIELD("stages", szStages),
    TEXT_FIELD("first_start", szFirstStart),   TEXT_FIELD("second_prizes", szSecondPrizes),
    TEXT_FIELD("third_prizes", szThirdPrizes), TEXT_FIELD("conditions", szConditions),
};
#undef TEXT_FIELD

}  // namespace

namespace ddz {

bool PackCompeteMatch(const ConfFile& conf, std::string_view section, CompeteMatchRecord& out) {
  const std::string name(section);
  CompeteMatchRecord record{};
  for (const IntField& f : kIntFields) {
    const std::string* value = conf.Find(section, f.key);
    if (value == nullptr) continue;
    int n = 0;
    if (!ParseConfInt(*value, n)) {
      cocos2d::log("compete match [%s]: %s is not a number; the match is left out", name.c_str(), f.key);
      return false;
    }
    record.*f.field = n;
  }
  if (record.iMatchId <= 0) {
    cocos2d::log("compete match [%s]: no match_id above 0; the match is left out", name.c_str());
    return false;
  }
  for (const TextField& f : kTextFields) {
    const std::string* value = conf.Find(section, f.key);
    if (value == nullptr) continue;
    const std::string text = value->substr(0, value->find('\0'));
    if (text.size() >= f.size) {
      cocos2d::log("compete match [%s]: %s is longer than its %zu bytes; the match is left out", name.c_str(), f.key,
                   f.size - 1);
      return false;
    }
    std::memcpy(reinterpret_cast<char*>(&record) + f.offset, text.data(), text.size());
  }
  out = record;
  return true;
}

int LoadCompeteMatchFile(const char* file, std::vector<CompeteMatchRecord>& table) {
  table.clear();
  const auto conf = LoadConfFile(file);
  if (!conf) {
    cocos2d::log("compete matches: %s cannot be read; no match", file);
    return 0;
  }
  for (int n = 1; n <= kMaxCompeteMatches; ++n) {
    const std::string section = std::to_string(n);
    if (!conf->HasSection(section)) break;
    CompeteMatchRecord record;
    if (!PackCompeteMatch(*conf, section, record)) continue;
    bool known = false;
    for (const CompeteMatchRecord& r : table) known = known || r.iMatchId == record.iMatchId;
    if (known) {
      cocos2d::log("compete match [%s]: match %d is listed before; left out", section.c_str(), record.iMatchId);
      continue;
    }
    table.push_back(record);
  }
  cocos2d::log("compete matches: %zu from %s", table.size(), file);
  return static_cast<int>(table.size());
}

}  // namespace ddz
