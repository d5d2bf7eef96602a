// The prop catalogue: one record per prop kind, read from the prop file
// ("com_coco_propinfo.conf"). The backpack shows its texts in the tooltip; the
// tournament names fees and prizes with it and shows each prize's picture.
//
// The file has one section per prop, "1", "2", ... without gaps: the first
// section without a readable "prop_id" ends the list. An id that is already in
// the catalogue keeps its first record, so reading a file twice adds nothing.
// Texts longer than the reader's buffer are cut at a whole UTF-8 character.
#pragma once

#include <map>
#include <string>

// One prop kind of the catalogue file.
struct PropInfo {
  int iPropID = 0;
  std::string strName;         // "prop_name"
  std::string strNumMax;       // "prop_num_max"
  std::string strLimitTime;    // "prop_limit_time"
  std::string strDescription;  // "prop_description", lines separated by the tip's delimiter
  std::string strFrom;         // "prop_from"
  std::string strPrizeFrame;   // "prop_prize_frame": sprite frame of the prop as a prize ("" for none)
};

namespace ddz {
inline constexpr const char* kPropConfFile = "com_coco_propinfo.conf";
inline constexpr int kMaxPropSections = 1000;
}  // namespace ddz

// Adds the props of `file` (found through the search paths) to the catalogue.
void LoadPropConf(const char* file);
// The process's catalogue by prop id.
std::map<int, PropInfo>& GetStaticPropMap();
