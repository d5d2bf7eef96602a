#include "platform/window/FontLookup.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <map>
#include <mutex>

namespace ddz::window {

namespace {

std::string Match(const std::string& family) {
  static const bool started = [] {
    if (!FcInit()) return false;
    std::atexit(FcFini);  // fontconfig's caches go with the process, not leaked
    return true;
  }();
  if (!started) return "";
  FcPattern* pattern = FcPatternCreate();
  if (!family.empty())
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcLangSet* langs = FcLangSetCreate();
  FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcPatternAddLangSet(pattern, FC_LANG, langs);
  FcLangSetDestroy(langs);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
    file = reinterpret_cast<const char*>(path);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace

std::string FindFontFile(const std::string& family) {
  static std::mutex lock;
  static std::map<std::string, std::string> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto it = cache.find(family);
  if (it != cache.end()) return it->second;
  return cache[family] = Match(family);
}

}  // namespace ddz::window
