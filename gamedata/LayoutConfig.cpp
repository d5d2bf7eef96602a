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

using ddz::LayoutKey;
using ddz::LayoutType;

template <typename T>
constexpr LayoutType TypeOf() {
  if constexpr (std::is_same_v<T, cocos2d::Vec2>) return LayoutType::Point;
  else if constexpr (std::is_same_v<T, cocos2d::Size>) return LayoutType::Size;
  else if constexpr (std::is_same_v<T, int>) return LayoutType::Int;
  else return LayoutType::Float;
}

template <typename T>
LayoutKey Entry(const char* key, T& value) {
  return {key, TypeOf<T>(), &value, 1};
}

template <typename T, std::size_t N>
LayoutKey Entry(const char* key, T (&values)[N]) {
  return {key, TypeOf<T>(), &values[0], static_cast<int>(N)};
}

const LayoutKey kLayoutKeys[] = {
#define LAYOUT_VALUE(type, name) Entry(#name, name),
#define LAYOUT_ARRAY(type, name, n, tail) Entry(#name tail, name),
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

}  // namespace ddz

void LoadGamePositionInfo(const char* file) {
  YndConf::SetFileAndSection(file, ddz::kLayoutSection, true);
  for (const LayoutKey& k : kLayoutKeys) {
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
