// Fixtures of the table widget tests: the table view fixture (a recording
// view on a running scene, the sound recorder and the message lock at their
// start), with the data folder as the search path, the sheets of the table's
// marks and of the info popup loaded from the frame manifest, and the game
// text table read from the data folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "table/TableViewTestSupport.h"

namespace widgettest {

inline constexpr const char* kTableSheet = "qorvddzpc_all_res.plist";
inline constexpr const char* kPopupSheet = "vellddz_res_playerinfo.plist";

// An own hand that counts the clock's requests to act.
class CountingHand : public Vell_SpriteCardManage {
 public:
  static CountingHand* create() {
    auto* hand = new CountingHand();
    hand->autorelease();
    return hand;
  }
  void OnAutoOperate() override { ++autoOperations; }
  int autoOperations = 0;
};

class WidgetTest : public tabletest::TableViewTest {
 protected:
  void SetUp() override {
    tabletest::TableViewTest::SetUp();
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile(kTableSheet);
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
  }
  void TearDown() override {
    tabletest::TableViewTest::TearDown();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
  }

  // Steps whole frames of 1/60 s until `seconds` have passed.
  void run(float seconds) { tick(static_cast<int>(seconds * 60 + 0.5f)); }

  // The effects that sounded since the last call.
  std::vector<std::string> sounds() {
    std::vector<std::string> played = SoundManage::shareSoundManage()->GetPlayedSounds();
    SoundManage::shareSoundManage()->ClearCalls();
    return played;
  }

  std::vector<std::string> savedPaths;
};

}  // namespace widgettest
