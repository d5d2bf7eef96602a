#include "gamedata/PropCatalog.h"

#include <cstddef>
#include <string>

#include "platform/framework/YndConf.h"

namespace {
constexpr std::size_t kPropTextCapacity = 400;
}  // namespace

std::map<int, PropInfo>& GetStaticPropMap() {
  static std::map<int, PropInfo> catalogue;
  return catalogue;
}

void LoadPropConf(const char* file) {
  std::map<int, PropInfo>& catalogue = GetStaticPropMap();
  for (int n = 1; n <= ddz::kMaxPropSections; ++n) {
    const std::string section = std::to_string(n);
    int id = 0;
    if (GetValueInt(&id, "prop_id", file, section.c_str(), 0) != 0) break;
    PropInfo info;
    info.iPropID = id;
    const struct {
      const char* key;
      std::string* text;
    } texts[] = {{"prop_name", &info.strName},
                 {"prop_num_max", &info.strNumMax},
                 {"prop_limit_time", &info.strLimitTime},
                 {"prop_description", &info.strDescription},
                 {"prop_from", &info.strFrom},
                 {"prop_prize_frame", &info.strPrizeFrame}};
    for (const auto& t : texts) {
      char value[kPropTextCapacity] = {};
      GetValueStr(value, sizeof(value), t.key, file, section.c_str(), "");
      *t.text = value;
    }
    catalogue.emplace(id, std::move(info));  // the first entry of an id stays
  }
}
