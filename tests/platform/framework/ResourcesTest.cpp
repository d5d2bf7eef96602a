#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "platform/engine/SimpleAudioEngine.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/framework/YndImageSprite.h"
#include "support/TempDir.h"

using cocos2d::FileUtils;
using cocos2d::SimpleAudioEngine;
using cocos2d::SpriteFrameCache;

namespace {

class Resources : public fwtest::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    savedPaths = FileUtils::getInstance()->getSearchPaths();
    FileUtils::getInstance()->setSearchPaths({dir.path()});
    SpriteFrameCache::destroyInstance();
    SimpleAudioEngine::end();
    SoundManage::shareSoundManage()->Reset();
  }
  void TearDown() override {
    SoundManage::shareSoundManage()->Reset();
    SimpleAudioEngine::end();
    SpriteFrameCache::destroyInstance();
    FileUtils::getInstance()->setSearchPaths(savedPaths);
    FrameworkTest::TearDown();
  }
  void write(const std::string& name, const std::string& text) {
    const std::filesystem::path path = dir.file(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }

  ddz::test::TempDir dir;
  std::vector<std::string> savedPaths;
};

}  // namespace

TEST_F(Resources, AddPlistLoadsASheetOnceAndReportsAnUnknownOne) {
  write("frame_manifest.txt",
        "[vellddz_res_loading.plist]\n"
        "qorvddz_loading_process_0.png 600 30\n"
        "qorvddz_loading_process_1.png 600 30\n");
  YndGameLayer layer;
  EXPECT_TRUE(layer.AddPlist("vellddz_res_loading.plist"));
  EXPECT_TRUE(layer.AddPlist("vellddz_res_loading.plist"));  // again, as every onEnter does
  EXPECT_EQ(SpriteFrameCache::getInstance()->frameCount(), 2u);
  EXPECT_NE(cocos2d::Sprite::createWithSpriteFrameName("qorvddz_loading_process_1.png"), nullptr);
  EXPECT_FALSE(layer.AddPlist("nothing_like_it.plist"));
  EXPECT_FALSE(layer.AddPlist(""));
  EXPECT_FALSE(layer.AddPlist(nullptr));
}

TEST_F(Resources, ImageSpriteComesFromAWholeImageAndJoinsTheLayer) {
  write("frame_manifest.txt", "[images]\nqorvddz_loading_bg.jpg 1280 720\n");
  YndGameLayer* layer = new YndGameLayer();
  layer->autorelease();
  scene->addChild(layer);
  cocos2d::Sprite* bg = YndImageSprite::spriteWithFile("qorvddz_loading_bg.jpg", layer);
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(bg->getParent(), layer);
  EXPECT_EQ(bg->getContentSize(), cocos2d::Size(1280, 720));
  cocos2d::Sprite* loose = YndImageSprite::spriteWithFile("qorvddz_loading_bg.jpg");
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(loose->getParent(), nullptr);
  EXPECT_EQ(YndImageSprite::spriteWithFile("missing.jpg", layer), nullptr);
  EXPECT_EQ(layer->getChildrenCount(), 1u);
}

TEST_F(Resources, SoundManagerRecordsEveryCallAndHonoursTheSwitches) {
  write("ddzSound/23.mp3", "id3");
  SoundManage* sound = SoundManage::shareSoundManage();
  SimpleAudioEngine* audio = SimpleAudioEngine::getInstance();

  sound->PlaySoundByFile("ddzSound/23.mp3");
  sound->PlayMusicByFile("ddzSound/0.mp3", true);  // not on disk: played by its name
  EXPECT_EQ(audio->currentMusic(), "ddzSound/0.mp3");
  EXPECT_EQ(audio->calls().front(), "playEffect " + dir.file("ddzSound/23.mp3") + " loop=0");

  sound->SetSoundOpen(false);  // stops the running effects; later ones are silent
  EXPECT_EQ(audio->calls().back(), "stopAllEffects");
  const std::size_t engineCalls = audio->calls().size();
  sound->PlaySoundByFile("ddzSound/23.mp3");
  EXPECT_EQ(audio->calls().size(), engineCalls);
  sound->SetBackgroundMusicOpen(false);  // stops the music
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  sound->PlayMusicByFile("ddzSound/1.mp3", true);
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());

  sound->SetVolumeInfo(1.5f, 0.25f);
  float mv = 0, sv = 0;
  bool mOn = true, sOn = true;
  sound->GetAllAttribute(mv, sv, mOn, sOn);
  EXPECT_FLOAT_EQ(mv, 1.0f);  // clamped
  EXPECT_FLOAT_EQ(sv, 0.25f);
  EXPECT_FALSE(mOn);
  EXPECT_FALSE(sOn);
  EXPECT_FLOAT_EQ(audio->getEffectsVolume(), 0.25f);

  sound->SetBackgroundMusicOpen(true);  // starts nothing by itself
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  sound->StopBackgroundMusic();
  sound->StopAllSound();

  using Op = SoundManage::Op;
  const auto& calls = sound->GetCalls();
  const std::vector<Op> ops = {Op::PlaySound,    Op::PlayMusic, Op::SetSoundOpen, Op::PlaySound,
                               Op::SetMusicOpen, Op::PlayMusic, Op::SetVolume,    Op::SetMusicOpen,
                               Op::StopMusic,    Op::StopAll};
  ASSERT_EQ(calls.size(), ops.size());
  for (std::size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(calls[i].op, ops[i]) << i;
  EXPECT_EQ(calls[0].resolved, dir.file("ddzSound/23.mp3"));
  EXPECT_TRUE(calls[0].sounded);
  EXPECT_FALSE(calls[3].sounded);
  EXPECT_TRUE(calls[1].loop);
  EXPECT_FALSE(calls[5].sounded);
  EXPECT_EQ(sound->GetPlayedSounds(), std::vector<std::string>{"ddzSound/23.mp3"});
}
