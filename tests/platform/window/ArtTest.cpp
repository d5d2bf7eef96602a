// The art tool's output: every frame of the manifest is in a generated sheet,
// cut from the sheet's image at the manifest's size; every listed image has
// the manifest's size.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "support/Stage.h"

using namespace cocos2d;

namespace {

struct Entry {
  std::string section, name;
  int w, h;
};

std::vector<Entry> ReadManifest(std::vector<std::string>* sections) {
  std::ifstream in(std::string(DDZ_SOURCE_DIR) + "/data/frame_manifest.txt");
  std::vector<Entry> out;
  std::string line, section;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      sections->push_back(section);
      continue;
    }
    std::istringstream f(line);
    Entry e{section, "", 0, 0};
    f >> e.name >> e.w >> e.h;
    out.push_back(e);
  }
  return out;
}

TEST(ArtTool, EveryManifestFrameIsInAGeneratedSheetAtItsSize) {
  ddz::test::ResetStage();
  FileUtils::getInstance()->setSearchPaths({DDZ_ART_DIR});
  SpriteFrameCache* cache = SpriteFrameCache::getInstance();
  cache->removeSpriteFrames();
  // No fallback: only generated sheets may answer.
  cache->setManifestFile("no-manifest-here.txt");
  std::vector<std::string> sections;
  const std::vector<Entry> entries = ReadManifest(&sections);
  ASSERT_GT(entries.size(), 50u);
  for (const std::string& s : sections)
    if (s != "images") cache->addSpriteFramesWithFile(s);
  EXPECT_TRUE(Log::lines().empty()) << Log::lines().front();

  for (const Entry& e : entries) {
    SCOPED_TRACE(e.section + " " + e.name);
    const std::string file = std::string(DDZ_ART_DIR) + "/" + e.name;
    if (e.section == "images") {
      SDL_Surface* image = IMG_Load(file.c_str());
      ASSERT_NE(image, nullptr) << IMG_GetError();
      EXPECT_EQ(image->w, e.w);
      EXPECT_EQ(image->h, e.h);
      SDL_FreeSurface(image);
      continue;
    }
    SpriteFrame* frame = cache->getSpriteFrameByName(e.name);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getOriginalSize().width, e.w);
    EXPECT_EQ(frame->getOriginalSize().height, e.h);
    SDL_Surface* sheet = IMG_Load(frame->getTextureFile().c_str());
    ASSERT_NE(sheet, nullptr) << frame->getTextureFile();
    const Rect& r = frame->getRect();
    EXPECT_LE(r.getMaxX(), sheet->w);
    EXPECT_LE(r.getMaxY(), sheet->h);
    SDL_FreeSurface(sheet);
  }
  cache->setManifestFile("frame_manifest.txt");
  cache->removeSpriteFrames();
  FileUtils::getInstance()->setSearchPaths({});
  Director::getInstance()->reset();  // drains the frames made above
}

}  // namespace
