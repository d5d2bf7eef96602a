// The mini-game's layout file "DDZSmallGameUIPos.conf" on arbitrary bytes:
// loading fills each value with exactly what the reader gives for its key
// (arrays no further than their length, however many points the file
// lists), a key the reader refuses leaves its value as it was, and loading
// the same file again changes nothing.
#include <cstring>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/framework/YndConf.h"

namespace {

using cocos2d::Vec2;
using ddz::LayoutKey;
using ddz::LayoutType;

constexpr float kUnset = -12345.5f;

void SetAll(float v) {
  for (const LayoutKey& k : ddz::SmallGameLayoutKeys()) {
    if (k.type == LayoutType::Float) *static_cast<float*>(k.target) = v;
    else
      for (int e = 0; e < k.count; ++e) static_cast<Vec2*>(k.target)[e] = Vec2(v, v);
  }
}

// Every value as floats, key after key.
std::vector<float> Snapshot() {
  std::vector<float> out;
  for (const LayoutKey& k : ddz::SmallGameLayoutKeys()) {
    if (k.type == LayoutType::Float) {
      out.push_back(*static_cast<float*>(k.target));
    } else {
      for (int e = 0; e < k.count; ++e) {
        out.push_back(static_cast<Vec2*>(k.target)[e].x);
        out.push_back(static_cast<Vec2*>(k.target)[e].y);
      }
    }
  }
  return out;
}

bool Same(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }  // NaN equals itself here

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Scratch::Get().Write(ddz::kSmallGameLayoutFile,
                                  std::string_view(reinterpret_cast<const char*>(data), size));
  ddz::ClearConfCache();
  SetAll(kUnset);
  LoadDDZSmallGameUIPos();
  const std::vector<float> loaded = Snapshot();

  // Each key against the reader itself, into a buffer one entry longer than the value.
  std::size_t at = 0;
  if (YndConf::SetFileAndSection(ddz::kSmallGameLayoutFile, ddz::kSmallGameLayoutSection, true)) {
    for (const LayoutKey& k : ddz::SmallGameLayoutKeys()) {
      if (k.type == LayoutType::Float) {
        float v[2] = {kUnset, kUnset};
        YndConf::GetYndConfInfo(v, k.key, 1);
        FUZZ_CHECK(Same(v[1], kUnset));
        FUZZ_CHECK(Same(loaded[at++], v[0]));
      } else {
        std::vector<Vec2> v(static_cast<std::size_t>(k.count) + 1, Vec2(kUnset, kUnset));
        YndConf::GetYndConfInfo(v.data(), k.key, k.count);
        FUZZ_CHECK(Same(v.back().x, kUnset) && Same(v.back().y, kUnset));
        for (int e = 0; e < k.count; ++e) {
          FUZZ_CHECK(Same(loaded[at++], v[static_cast<std::size_t>(e)].x));
          FUZZ_CHECK(Same(loaded[at++], v[static_cast<std::size_t>(e)].y));
        }
      }
    }
    YndConf::SetFileClose();
  } else {
    for (float v : loaded) FUZZ_CHECK(Same(v, kUnset));  // an unreadable file changes nothing
  }

  LoadDDZSmallGameUIPos();
  const std::vector<float> again = Snapshot();
  for (std::size_t i = 0; i < loaded.size(); ++i) FUZZ_CHECK(Same(again[i], loaded[i]));
  return 0;
}
