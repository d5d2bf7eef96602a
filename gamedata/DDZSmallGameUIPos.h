// The mini-game's layout: one process-wide value per key of
// "DDZSmallGameUIPos.conf" (section "DDZSmallGameUIPos"), named after its key;
// every mini-game widget reads its places and scales from here. All start at
// zero. LoadDDZSmallGameUIPos fills them; the mini-game layer calls it each
// time it is built. The two arrays take at most their length, however many
// points the file lists; a key missing from the file keeps its value.
#pragma once

#include <span>

#include "gamedata/LayoutConfig.h"

#define LAYOUT_VALUE(type, name) extern type name;
#define LAYOUT_ARRAY(type, name, n, tail) extern type name[n];
#include "gamedata/DDZSmallGameUIPosKeys.def"
#undef LAYOUT_VALUE
#undef LAYOUT_ARRAY

void LoadDDZSmallGameUIPos();

namespace ddz {

inline constexpr const char* kSmallGameLayoutFile = "DDZSmallGameUIPos.conf";
inline constexpr const char* kSmallGameLayoutSection = "DDZSmallGameUIPos";

// Every key of the file, in the order the loader reads them.
std::span<const LayoutKey> SmallGameLayoutKeys();

}  // namespace ddz
