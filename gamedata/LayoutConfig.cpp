#include "gamedata/LayoutConfig.h"

#include <cstring>
#include <type_traits>

#include "platform/framework/YndConf.h"

#define LAYOUT_VALUE(type, name) type name;
#define LAYOUT_ARRAY(type, name, n, tail) type name[n];
#include "gamedata/LayoutKeys.def"
#undef LAYOUT_VALUE
#undef LAYOUT_ARRAY

int g_bIpadLayout = 0;

namespace {

using ddz::LayoutEntry;
using ddz::LayoutKey;
using ddz::LayoutType;

const LayoutKey kLayoutKeys[] = {
#define LAYOUT_VALUE(type, name) LayoutEntry(#name, name),
#define LAYOUT_ARRAY(type, name, n, tail) LayoutEntry(#name tail, name),
#include "gamedata/LayoutKeys.def"
#undef LAYOUT_VALUE
#undef LAYOUT_ARRAY
};

}  // namespace

namespace ddz {

std::span<const LayoutKey> LayoutKeys() { return kLayoutKeys; }

const char* ChooseLayoutFile(bool judgeIp5Conf, const char* deviceModel, bool sceneIpadFlag) {
  const bool tablet = !judgeIp5Conf && ((deviceModel && std::strcmp(deviceModel, "ipad") == 0) || sceneIpadFlag);
  g_bIpadLayout = tablet ? 1 : 0;
  return tablet ? kLayoutFileTablet : kLayoutFilePhone;
}

void LoadLayoutKeys(const char* file, const char* section, std::span<const LayoutKey> keys) {
  YndConf::SetFileAndSection(file, section, true);
  for (const LayoutKey& k : keys) {
    switch (k.type) {
      case LayoutType::Point:
        YndConf::GetYndConfInfo(static_cast<cocos2d::Vec2*>(k.target), k.key, k.count);
        break;
      case LayoutType::Size:
        YndConf::GetYndConfInfo(static_cast<cocos2d::Size*>(k.target), k.key, k.count);
        break;
      case LayoutType::Int:
        YndConf::GetYndConfInfo(static_cast<int*>(k.target), k.key, k.count);
        break;
      case LayoutType::Float:
        YndConf::GetYndConfInfo(static_cast<float*>(k.target), k.key, k.count);
        break;
    }
  }
  YndConf::SetFileClose();
}

}  // namespace ddz

void LoadGamePositionInfo(const char* file) { ddz::LoadLayoutKeys(file, ddz::kLayoutSection, kLayoutKeys); }
