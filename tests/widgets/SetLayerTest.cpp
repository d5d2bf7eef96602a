// The settings window and "setting.conf": the sliders' arithmetic and clamp,
// a reopen that changes nothing, the switches restarting the music by where
// the window was opened, the touch rules, the file's bytes and a bad file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "support/Stage.h"
#include "support/TempDir.h"
#include "table/GameSoundDDZ.h"
#include "widgets/SetLayer.h"
#include "widgets/SettingConf.h"

namespace {

using cocos2d::Vec2;

class FixedCompetition : public ICompetitionStage {
 public:
  explicit FixedCompetition(int state) : state_(state) {}
  int GetCompeteState() const override { return state_; }

 private:
  int state_;
};

class SetLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    window = stage.view;
    files = cocos2d::FileUtils::getInstance();
    savedPaths = files->getSearchPaths();
    files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    files->setWritablePath(dir.path() + "/");
    YndLocalData::sharedLocalData()->SetFilePath("");
    LoadGamePositionInfo("ddz_pt_game_ip5.conf");
    cocos2d::SpriteFrameCache::destroyInstance();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    g_SettingConf = SettingConf();
    SoundManage::shareSoundManage()->Reset();
    GameSoundDDZ::destroyInstance();
    GameSoundDDZ::shareGameSoundDDZ()->m_iMusicIndex = 0;
    SetLayer::destroyInstance();
    SetLayer::SetCompetitionStage(nullptr);
  }
  void TearDown() override {
    SetLayer::destroyInstance();
    SetLayer::SetCompetitionStage(nullptr);
    director->reset();
    GameSoundDDZ::destroyInstance();
    YndLocalData::sharedLocalData()->SetFilePath(dir.file("unused.txt"));
    files->setSearchPaths(savedPaths);
    GameViewBase::m_GlobalInfo = GlobalInfo();
    g_SettingConf = SettingConf();
  }

  void tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }
  SetLayer* Open(int from, int kind) {
    SetLayer* layer = SetLayer::shareSetLayer(from, kind);
    scene->addChild(layer, 999);
    return layer;
  }
  // A touch outside the window closes it (the removal is deferred).
  void CloseByTouch() {
    touch(Vec2(20, 20), Vec2(20, 20));
    tick();
  }
  void touch(const Vec2& from, const Vec2& to) {
    window->touchBegan(from.x, 720 - from.y);
    window->touchMoved(to.x, 720 - to.y);
    window->touchEnded(to.x, 720 - to.y);
  }
  static Vec2 World(cocos2d::Node* node) { return node->getParent()->convertToWorldSpace(node->getPosition()); }
  // Drags knob i by dx points.
  void Drag(SetLayer* layer, int i, float dx) {
    const Vec2 at = World(layer->GetKnob(i));
    touch(at, at + Vec2(dx, 0));
  }
  static void Volumes(float& music, float& sound) {
    bool musicOn = false, soundOn = false;
    SoundManage::shareSoundManage()->GetAllAttribute(music, sound, musicOn, soundOn);
  }
  std::string ReadSettingFile() const {
    std::ifstream in(dir.file(ddz::settings::kSettingFile), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteSettingFile(const std::string& text) const {
    std::ofstream(dir.file(ddz::settings::kSettingFile), std::ios::binary) << text;
  }
  std::vector<SoundManage::Call> MusicCalls() const {
    std::vector<SoundManage::Call> calls;
    for (const SoundManage::Call& c : SoundManage::shareSoundManage()->GetCalls())
      if (c.op == SoundManage::Op::PlayMusic || c.op == SoundManage::Op::StopMusic) calls.push_back(c);
    return calls;
  }

  ddz::test::TempDir dir;
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* window = nullptr;
  cocos2d::FileUtils* files = nullptr;
  std::vector<std::string> savedPaths;
};

TEST_F(SetLayerTest, ADragSetsTheVolumeFromTheKnobAndStopsAtTheEndsOfTheBar) {
  const float w = static_cast<float>(g_iGameSetVolumeWidth);
  ASSERT_EQ(g_iGameSetVolumeWidth % 2, 0) << "the layout's bar width is even";
  struct Case {
    int slider;
    float dx;
    float volume;  // after the drag, both sliders starting at 0.5
  };
  const Case cases[] = {
      {0, 60, 0.75f},   {0, -30, 0.375f}, {0, 2000, 1.0f}, {0, -2000, 0.0f},
      {1, 12, 0.55f},   {1, 119, 0.9958333f}, {1, 121, 1.0f}, {1, -121, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "slider " << c.slider << " by " << c.dx);
    SoundManage::shareSoundManage()->SetVolumeInfo(0.5f, 0.5f);
    SetLayer* layer = Open(SetLayer::kFromTable, 0);
    Drag(layer, c.slider, c.dx);
    EXPECT_NEAR(layer->GetVolume(c.slider), c.volume, 1e-5);
    EXPECT_FLOAT_EQ(layer->GetVolume(1 - c.slider), 0.5f);
    // The knob stands where its volume says, inside the bar.
    const float x = layer->GetKnob(c.slider)->getPositionX();
    EXPECT_NEAR(x, SetLayer::SliderLow(c.slider) + c.volume * w, 1e-3);
    EXPECT_GE(x, SetLayer::SliderLow(c.slider));
    EXPECT_LE(x, SetLayer::SliderHigh(c.slider));
    EXPECT_NEAR(layer->GetStencil(c.slider)->getPositionX(), c.volume * w - w, 1e-3);
    // Stored in the login record and handed to the sound manager.
    float music = 0, sound = 0;
    Volumes(music, sound);
    EXPECT_NEAR(c.slider == 0 ? music : sound, c.volume, 1e-5);
    EXPECT_NEAR(c.slider == 0 ? GameViewBase::m_GlobalInfo.fMusicVolume : GameViewBase::m_GlobalInfo.fSoundVolume,
                c.volume, 1e-5);
    CloseByTouch();
    ASSERT_FALSE(layer->isRunning());
  }
}

TEST_F(SetLayerTest, ReopeningTheWindowMovesNoKnobAndChangesNoVolume) {
  // 0.8 and above is where a display scaled by 1.25 would leave the bar.
  for (float stored : {0.0f, 0.3f, 0.8f, 0.9f, 1.0f}) {
    SCOPED_TRACE(stored);
    SoundManage::shareSoundManage()->SetVolumeInfo(stored, 0.4f);
    SetLayer* layer = Open(SetLayer::kFromTable, 0);
    const float x = layer->GetKnob(0)->getPositionX();
    EXPECT_FLOAT_EQ(layer->GetVolume(0), stored);
    EXPECT_NEAR(x, SetLayer::SliderLow(0) + stored * g_iGameSetVolumeWidth, 1e-3);
    CloseByTouch();
    SoundManage::shareSoundManage()->ClearCalls();

    layer = Open(SetLayer::kFromTable, 0);
    EXPECT_FLOAT_EQ(layer->GetKnob(0)->getPositionX(), x);
    // Taking the knob without moving it keeps the volume too.
    Drag(layer, 0, 0);
    float music = 0, sound = 0;
    Volumes(music, sound);
    EXPECT_NEAR(music, stored, 1e-5);
    EXPECT_NEAR(sound, 0.4f, 1e-5);
    CloseByTouch();
  }
}

TEST_F(SetLayerTest, TheMusicSwitchRestartsTheMusicOfThePlaceEitherWay) {
  struct Case {
    const char* place;
    int from;
    int kind;
    int competeState;  // -1: no tournament running
    const char* offMusic;  // played when the switch goes off
    const char* onMusic;   // and when it goes on again
  };
  const Case cases[] = {
      // The table alternates its two tracks.
      {"table", SetLayer::kFromTable, 0, -1, "ddzSound/0.mp3", "ddzSound/1.mp3"},
      {"room list", SetLayer::kFromRoomList, 0, -1, "ddzSound/2.mp3", "ddzSound/2.mp3"},
      {"tournament table", SetLayer::kFromTable, 4, 2, "ddzSound/ddzcompete_background_1.mp3",
       "ddzSound/ddzcompete_background_1.mp3"},
      {"tournament table, final", SetLayer::kFromTable, 4, 3, "ddzSound/ddzcompete_background_2.mp3",
       "ddzSound/ddzcompete_background_2.mp3"},
      {"tournament table, none running", SetLayer::kFromTable, 4, -1, "ddzSound/ddzcompete_background_1.mp3",
       "ddzSound/ddzcompete_background_1.mp3"},
      {"tournament room list", SetLayer::kFromRoomList, 4, -1, "ddzSound/ddzcompete_background_0.mp3",
       "ddzSound/ddzcompete_background_0.mp3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    FixedCompetition competition(c.competeState);
    SetLayer::SetCompetitionStage(c.competeState >= 0 ? &competition : nullptr);
    GameSoundDDZ::shareGameSoundDDZ()->m_iMusicIndex = 0;
    SetLayer* layer = Open(c.from, c.kind);
    EXPECT_EQ(layer->m_bModalFlag, c.from != SetLayer::kFromTable);
    for (bool expectOn : {false, true}) {
      SoundManage::shareSoundManage()->ClearCalls();
      layer->OnMusicSwitch();
      EXPECT_EQ(layer->IsMusicOpen(), expectOn);
      EXPECT_EQ(layer->GetMusicButton(true)->isVisible(), expectOn);
      EXPECT_EQ(layer->GetMusicButton(false)->isVisible(), !expectOn);
      EXPECT_EQ(GameViewBase::m_GlobalInfo.bMusicOpen, expectOn ? 1 : 0);
      // The music stops and starts again, looped, whichever way the switch went.
      const std::vector<SoundManage::Call> music = MusicCalls();
      ASSERT_EQ(music.size(), 2u) << (expectOn ? "on" : "off");
      EXPECT_EQ(music[0].op, SoundManage::Op::StopMusic);
      EXPECT_EQ(music[1].file, expectOn ? c.onMusic : c.offMusic);
      EXPECT_TRUE(music[1].loop);
      EXPECT_EQ(music[1].sounded, expectOn);
    }
    CloseByTouch();
  }
}

TEST_F(SetLayerTest, TheSoundSwitchOnlySwitchesSounds) {
  SetLayer* layer = Open(SetLayer::kFromTable, 0);
  SoundManage::shareSoundManage()->ClearCalls();
  layer->OnSoundSwitch();
  EXPECT_FALSE(layer->IsSoundOpen());
  EXPECT_EQ(GameViewBase::m_GlobalInfo.bSoundOpen, 0);
  EXPECT_FALSE(layer->GetSoundButton(true)->isVisible());
  EXPECT_TRUE(layer->GetSoundButton(false)->isVisible());
  ASSERT_EQ(SoundManage::shareSoundManage()->GetCalls().size(), 1u);
  EXPECT_EQ(SoundManage::shareSoundManage()->GetCalls()[0].op, SoundManage::Op::SetSoundOpen);
}

TEST_F(SetLayerTest, TouchesInsideAreLeftToTheButtonsAndATouchOutsideClosesAndSaves) {
  SoundManage::shareSoundManage()->SetVolumeInfo(0.5f, 0.5f);
  SetLayer* layer = Open(SetLayer::kFromTable, 0);
  // A press on the music switch inside the window reaches the button.
  const Vec2 button = World(layer->GetMusicButton(true));
  touch(button, button);
  tick();
  EXPECT_TRUE(layer->isRunning());
  EXPECT_FALSE(layer->IsMusicOpen());
  EXPECT_EQ(layer->GetDragIndex(), -1);
  Drag(layer, 1, -60);
  CloseByTouch();
  EXPECT_FALSE(layer->isRunning());
  EXPECT_EQ(layer->getParent(), nullptr);
  // Closed: the login record's settings were written to the local store.
  YndLocalData::sharedLocalData()->SetFilePath("");
  EXPECT_EQ(YndLocalData::sharedLocalData()->getIntegerForKey("gamebase_setting_sound_volume", -1), 250);
  EXPECT_FALSE(YndLocalData::sharedLocalData()->getBoolForKey("gamebase_setting_music_open", true));
  EXPECT_FALSE(std::ifstream(dir.file(ddz::settings::kSettingFile)).good()) << "only kind 5 writes setting.conf";
}

// The close button in the window's corner closes it like a touch outside,
// inside the window and the design area.
TEST_F(SetLayerTest, TheCloseButtonClosesTheWindow) {
  SetLayer* layer = Open(SetLayer::kFromTable, 0);
  cocos2d::ui::Button* close = layer->GetCloseButton();
  ASSERT_NE(close, nullptr);
  const Vec2 at = World(close);
  EXPECT_TRUE(layer->GetBg()->getBoundingBox().containsPoint(layer->GetBg()->getParent()->convertToNodeSpace(at)));
  touch(at, at);
  tick();
  EXPECT_FALSE(layer->isRunning());
  EXPECT_EQ(layer->getParent(), nullptr);
}

// ---------------------------------------------------------------- setting.conf

TEST_F(SetLayerTest, SettingFileBytesForKnownStates) {
  struct Case {
    SettingConf conf;
    const char* bytes;
  };
  const Case cases[] = {
      {{0.5f, 0.25f, 1, 0, 0, 0, 0}, "50\n25\n1\n0\n1\n0\n0\n0"},
      {{0.999f, 0.0f, 0, 1, 0, 0, 0}, "99\n0\n0\n1\n1\n0\n0\n0"},  // truncated, not rounded
      {{0.29f, 1.0f, 1, 1, 6, -7, 8}, "29\n100\n1\n1\n1\n6\n-7\n8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(ddz::settings::FormatSettingConf(c.conf), c.bytes);
    SettingConf back;
    ASSERT_TRUE(ddz::settings::ParseSettingConf(c.bytes, back));
    EXPECT_EQ(ddz::settings::FormatSettingConf(back), c.bytes) << "read and written again unchanged";
  }
}

TEST_F(SetLayerTest, ClosingAKindFiveWindowWritesTheFileOfWhatItShows) {
  SoundManage* sound = SoundManage::shareSoundManage();
  sound->SetVolumeInfo(0.5f, 0.25f);
  sound->SetSoundOpen(false);
  Open(SetLayer::kFromTable, SetLayer::kKindOwnFile);
  CloseByTouch();
  EXPECT_EQ(ReadSettingFile(), "50\n25\n1\n0\n1\n0\n0\n0");
  EXPECT_FALSE(std::ifstream(dir.file(std::string(ddz::settings::kSettingFile) + ".tmp")).good());
}

TEST_F(SetLayerTest, AGoodFileIsReadOnceIntoTheSoundManagerAndWrittenBackUnchanged) {
  WriteSettingFile("30\n60\n0\n1\n1\n7\n8\n9");
  SetLayer* layer = Open(SetLayer::kFromTable, SetLayer::kKindOwnFile);
  EXPECT_NEAR(layer->GetVolume(0), 0.3f, 1e-6);
  EXPECT_NEAR(layer->GetVolume(1), 0.6f, 1e-6);
  EXPECT_FALSE(layer->IsMusicOpen());
  EXPECT_TRUE(layer->IsSoundOpen());
  CloseByTouch();
  EXPECT_EQ(ReadSettingFile(), "30\n60\n0\n1\n1\n7\n8\n9");

  // Read once per process: a later change of the file does not come back.
  WriteSettingFile("90\n90\n1\n1\n1\n0\n0\n0");
  layer = Open(SetLayer::kFromTable, SetLayer::kKindOwnFile);
  EXPECT_NEAR(layer->GetVolume(0), 0.3f, 1e-6);
}

TEST_F(SetLayerTest, AMalformedFileGivesTheDefaultsAndIsRewrittenOnTheNextSave) {
  const char* bad[] = {
      "",
      "50\n25\n1\n0\n1\n0\n0\n0\n",      // a line feed after the last
      "50\n25\n1\n0\n1\n0\n0\n0\n0",     // nine lines
      "101\n25\n1\n0\n1\n0\n0\n0",       // volume above 100
      "50\n-1\n1\n0\n1\n0\n0\n0",        // volume below 0
      "50\n25\n2\n0\n1\n0\n0\n0",        // a switch that is not 0 or 1
      "50\n25\n1\n0\n0\n0\n0\n0",        // the fifth line is always 1
      "50\n25\n1\n0\n1\n0\nx\n0",
      "50 \n25\n1\n0\n1\n0\n0\n0",
      "50\r\n25\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0",
      "99999999999\n25\n1\n0\n1\n0\n0\n0",
  };
  for (const char* text : bad) {
    SCOPED_TRACE(testing::PrintToString(std::string(text)));
    WriteSettingFile(text);
    g_SettingConf = SettingConf{0.1f, 0.2f, 0, 0, 5, 5, 5};
    EXPECT_FALSE(ddz::settings::LoadSettingConf());
    EXPECT_EQ(ddz::settings::FormatSettingConf(g_SettingConf), ddz::settings::FormatSettingConf(SettingConf()));
    SettingConf untouched{0.1f, 0.2f, 0, 0, 5, 5, 5};
    EXPECT_FALSE(ddz::settings::ParseSettingConf(text, untouched));
    EXPECT_EQ(untouched.iValue6, 5) << "a refused text leaves the record alone";
  }

  // The window over a bad file: the sound manager keeps its values, and
  // closing writes a whole file of what was shown.
  WriteSettingFile("garbage");
  SoundManage::shareSoundManage()->SetVolumeInfo(0.7f, 0.2f);
  SetLayer* layer = Open(SetLayer::kFromTable, SetLayer::kKindOwnFile);
  EXPECT_NEAR(layer->GetVolume(0), 0.7f, 1e-6);
  CloseByTouch();
  EXPECT_EQ(ReadSettingFile(), "70\n20\n1\n1\n1\n0\n0\n0");
}

TEST_F(SetLayerTest, AFileCutShortKeepsTheValuesOfItsWholeLines) {
  struct Case {
    const char* text;
    int lines;  // whole lines taken
    SettingConf conf;
  };
  const SettingConf d;
  const Case cases[] = {
      {"50\n25\n1\n0\n1\n0\n0", 6, {0.5f, 0.25f, 1, 0, 0, 0, d.iValue8}},
      {"50\n25\n0\n", 3, {0.5f, 0.25f, 0, d.bSoundOpen, d.iValue6, d.iValue7, d.iValue8}},
      {"50\n2", 1, {0.5f, d.fSoundVolume, d.bMusicOpen, d.bSoundOpen, d.iValue6, d.iValue7, d.iValue8}},
      {"50\n25\n1\n0\n1\n7\n8\n", 7, {0.5f, 0.25f, 1, 0, 7, 8, d.iValue8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    WriteSettingFile(c.text);
    g_SettingConf = SettingConf{0.1f, 0.2f, 0, 0, 5, 5, 5};
    EXPECT_TRUE(ddz::settings::LoadSettingConf());
    EXPECT_EQ(ddz::settings::FormatSettingConf(g_SettingConf), ddz::settings::FormatSettingConf(c.conf));
    SettingConf cut;
    EXPECT_EQ(ddz::settings::ParseCutSettingConf(c.text, cut), c.lines);
  }
  // A cut line that is bad before the cut is still no file of ours.
  for (const char* bad : {"50\n250\n1", "50\nx\n", "50\n25\n1\r\n", "50\n25\nab"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(bad)));
    SettingConf untouched{0.1f, 0.2f, 0, 0, 5, 5, 5};
    EXPECT_EQ(ddz::settings::ParseCutSettingConf(bad, untouched), 0);
    EXPECT_EQ(untouched.iValue6, 5);
  }
}

// A layout without the bar's width: a drag changes no volume, so no volume
// that is not a number reaches the sound manager, the login record or the
// store (the next start would read it as silence).
TEST_F(SetLayerTest, ABarOfNoWidthChangesNoVolume) {
  g_iGameSetVolumeWidth = 0;
  SoundManage::shareSoundManage()->SetVolumeInfo(0.6f, 0.3f);
  GameViewBase::m_GlobalInfo.fMusicVolume = 0.6f;
  GameViewBase::m_GlobalInfo.fSoundVolume = 0.3f;
  SetLayer* layer = Open(SetLayer::kFromTable, 0);
  Drag(layer, 0, 40);
  Drag(layer, 1, -40);
  EXPECT_FLOAT_EQ(layer->GetVolume(0), 0.6f);
  EXPECT_FLOAT_EQ(layer->GetVolume(1), 0.3f);
  float music = 0, sound = 0;
  Volumes(music, sound);
  EXPECT_FLOAT_EQ(music, 0.6f);
  EXPECT_FLOAT_EQ(sound, 0.3f);
  CloseByTouch();  // stores the settings

  GameViewBase::m_GlobalInfo = GlobalInfo();
  YndLocalData::sharedLocalData()->Reload();
  GameViewBase::ReadSettingInfo();
  EXPECT_FLOAT_EQ(GameViewBase::m_GlobalInfo.fMusicVolume, 0.6f);
  EXPECT_FLOAT_EQ(GameViewBase::m_GlobalInfo.fSoundVolume, 0.3f);
}

TEST_F(SetLayerTest, AFileThatCannotBeWrittenLeavesTheSettingsInForce) {
  // A file stands where the writable folder would be.
  std::ofstream(dir.file("blocker")) << "not a folder";
  files->setWritablePath(dir.file("blocker") + "/");
  g_SettingConf.fMusicVolume = 0.4f;
  EXPECT_FALSE(ddz::settings::SaveSettingConf());
  EXPECT_FLOAT_EQ(g_SettingConf.fMusicVolume, 0.4f);
}

}  // namespace
