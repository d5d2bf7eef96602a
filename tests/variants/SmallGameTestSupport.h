// Fixtures of the mini-game widget tests: a running scene with a window, the
// data folder as the only search path, the mini-game's sheet and the card
// faces loaded from the frame manifest, the shipped layout file loaded, the
// sound recorder empty; and a recording mini-game layer standing in for the
// owner of the widgets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndConf.h"
#include "platform/os/Random.h"
#include "support/Stage.h"
#include "table/GameSoundDDZ.h"
#include "variants/DDZSmallGameHelpLayer.h"
#include "variants/DDZSmallGameOwner.h"

namespace smallgametest {

inline constexpr const char* kSheet = "DDZ_SmallGameBaseImages.plist";
inline constexpr const char* kCardSheet = "CardLayer1.plist";

// The mini-game layer as its widgets see it: levels and buttons set by the
// test, every call written down as one word.
class RecordingOwner : public cocos2d::Node, public DDZSmallGameOwner {
 public:
  static RecordingOwner* create() {
    auto* owner = new RecordingOwner();
    owner->init();
    owner->autorelease();
    return owner;
  }
  int GetLevelNo() const override { return level; }
  int GetLevelRecordCount() const override { return records; }
  cocos2d::ui::Button* GetStartButton() const override { return start; }
  cocos2d::ui::Button* GetQuitButton() const override { return quit; }
  cocos2d::ui::Button* GetReturnButton() const override { return back; }
  DDZSmallGameHelpLayer* GetHelpLayer() const override { return help; }
  void OnQuitBtn(cocos2d::Ref*) override { calls.push_back("quit"); }
  void OnCardPicked(DDZSmallGameCard* card) override {
    calls.push_back("pick");
    picked.push_back(card);
  }
  void ShowOtherCards() override { calls.push_back("others"); }
  void LeaveSmallGame() override { calls.push_back("leave"); }

  // Adds the three buttons as children.
  void AddButtons() {
    for (cocos2d::ui::Button** b : {&start, &quit, &back}) {
      *b = cocos2d::ui::Button::create();
      addChild(*b);
    }
  }
  // Adds a help layer at z 100, as the mini-game layer does.
  DDZSmallGameHelpLayer* AddHelpLayer() {
    help = DDZSmallGameHelpLayer::create(this);
    addChild(help, 100);
    return help;
  }

  int level = 0;
  int records = 0;
  cocos2d::ui::Button* start = nullptr;
  cocos2d::ui::Button* quit = nullptr;
  cocos2d::ui::Button* back = nullptr;
  DDZSmallGameHelpLayer* help = nullptr;
  std::vector<std::string> calls;
  std::vector<DDZSmallGameCard*> picked;

 private:
  RecordingOwner() = default;
};

class SmallGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    window = stage.view;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data/"});
    ddz::ClearConfCache();
    LoadDDZSmallGameUIPos();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::TextureCache::getInstance()->removeAllTextures();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile(kSheet);
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile(kCardSheet);
    SoundManage::shareSoundManage()->Reset();
    GameSoundDDZ::destroyInstance();
    GameSoundDDZ::shareGameSoundDDZ();  // made now: making it seeds the random source, which tests script
    owner = RecordingOwner::create();
    scene->addChild(owner);
  }
  void TearDown() override {
    director->reset();
    GameSoundDDZ::destroyInstance();
    SoundManage::shareSoundManage()->Reset();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
    ddz::ClearConfCache();
  }

  // Whole frames of 1/60 s until `seconds` have passed.
  void run(float seconds) {
    const int frames = static_cast<int>(seconds * 60 + 0.5f);
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }
  // The effects that sounded since the last call.
  std::vector<std::string> sounds() {
    std::vector<std::string> played = SoundManage::shareSoundManage()->GetPlayedSounds();
    SoundManage::shareSoundManage()->ClearCalls();
    return played;
  }
  // A touch down and up at a point of the 1280 x 720 design (origin bottom left).
  void tap(cocos2d::Vec2 at) {
    window->touchBegan(at.x, 720 - at.y);
    window->touchEnded(at.x, 720 - at.y);
  }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* window = nullptr;
  RecordingOwner* owner = nullptr;
  std::vector<std::string> savedPaths;
};

}  // namespace smallgametest
