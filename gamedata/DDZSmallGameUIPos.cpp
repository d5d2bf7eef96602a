#include "gamedata/DDZSmallGameUIPos.h"

#define LAYOUT_VALUE(type, name) type name;
#define LAYOUT_ARRAY(type, name, n, tail) type name[n];
#include "gamedata/DDZSmallGameUIPosKeys.def"
#undef LAYOUT_VALUE
#undef LAYOUT_ARRAY

namespace {

using ddz::LayoutEntry;

const ddz::LayoutKey kSmallGameKeys[] = {
#define LAYOUT_VALUE(type, name) LayoutEntry(#name, name),
#define LAYOUT_ARRAY(type, name, n, tail) LayoutEntry(#name tail, name),
#include "gamedata/DDZSmallGameUIPosKeys.def"
#undef LAYOUT_VALUE
#undef LAYOUT_ARRAY
};

}  // namespace

namespace ddz {
std::span<const LayoutKey> SmallGameLayoutKeys() { return kSmallGameKeys; }
}  // namespace ddz

void LoadDDZSmallGameUIPos() {
  ddz::LoadLayoutKeys(ddz::kSmallGameLayoutFile, ddz::kSmallGameLayoutSection, kSmallGameKeys);
}
