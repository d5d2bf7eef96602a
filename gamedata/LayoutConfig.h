// The layout configuration: one process-wide value per key of the layout
// file (section "game position info"), named after its key. Every position,
// size, gap and scale of the table and room screens is read from here. All
// start at zero; LoadGamePositionInfo fills them, and a key missing from the
// file leaves its value as it was.
#pragma once

#include <cstddef>
#include <span>
#include <type_traits>

#include "platform/engine/Math.h"

#define LAYOUT_VALUE(type, name) extern type name;
#define LAYOUT_ARRAY(type, name, n, tail) extern type name[n];
#include "gamedata/LayoutKeys.def"
#undef LAYOUT_VALUE
#undef LAYOUT_ARRAY

// 1 when the tablet layout file was chosen (ChooseLayoutFile), else 0.
extern int g_bIpadLayout;

// Reads every layout key of `file` (found through the search paths) into its
// value. Arrays take as many entries as the file gives, up to their length,
// whether or not the key carries "[]".
void LoadGamePositionInfo(const char* file);

namespace ddz {

inline constexpr const char* kLayoutFilePhone = "ddz_pt_game_ip5.conf";
inline constexpr const char* kLayoutFileTablet = "ddz_pt_game_ipad.conf";
inline constexpr const char* kLayoutSection = "game position info";

// The device rule of the table views: the phone file when the scene's
// JudgeIP5Conf answers true; otherwise the tablet file when the device model
// is "ipad" or the scene's tablet flag is set; else the phone file. Sets
// g_bIpadLayout to 1 exactly when the tablet file is chosen.
const char* ChooseLayoutFile(bool judgeIp5Conf, const char* deviceModel, bool sceneIpadFlag);

enum class LayoutType { Point, Size, Int, Float };

// One key of the layout file: the key as written in the file, the type and
// address of its value, and the number of entries (1 for a single value).
struct LayoutKey {
  const char* key;
  LayoutType type;
  void* target;
  int count;
};

// Every key, in the order the loader reads them.
std::span<const LayoutKey> LayoutKeys();

// Reads each of `keys` from `section` of `file` (found through the search
// paths) into its value, in order: an array takes as many entries as the file
// gives, never more than its count; a missing key or a malformed value leaves
// its value as it was. The other layout files (the mini-game's) use it too.
void LoadLayoutKeys(const char* file, const char* section, std::span<const LayoutKey> keys);

template <typename T>
constexpr LayoutType LayoutTypeOf() {
  if constexpr (std::is_same_v<T, cocos2d::Vec2>) return LayoutType::Point;
  else if constexpr (std::is_same_v<T, cocos2d::Size>) return LayoutType::Size;
  else if constexpr (std::is_same_v<T, int>) return LayoutType::Int;
  else return LayoutType::Float;
}

// The key table entry of one value or of a whole array.
template <typename T>
LayoutKey LayoutEntry(const char* key, T& value) {
  return {key, LayoutTypeOf<T>(), &value, 1};
}
template <typename T, std::size_t N>
LayoutKey LayoutEntry(const char* key, T (&values)[N]) {
  return {key, LayoutTypeOf<T>(), &values[0], static_cast<int>(N)};
}

}  // namespace ddz
