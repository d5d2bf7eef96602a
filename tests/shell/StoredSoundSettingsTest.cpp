// The player's sound settings from the last run: the whole program on the
// single-player command line starts with the stored switches and volumes in
// the sound manager before any music plays, and the settings window opened
// from the table's bottom bar shows them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "classic/BottomUIPC.h"
#include "classic/GameViewPC.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/ProgramMain.h"
#include "widgets/SetLayer.h"
#include "ProgramRunSupport.h"

namespace {

// What the settings window showed while it was open.
struct PanelSeen {
  bool open = false;
  bool musicOn = true;
  bool musicOnButton = true;
  bool musicOffButton = false;
  bool soundOn = false;
  float musicVolume = -1;
  float soundVolume = -1;
};

TEST(StoredSoundSettings, MusicOffAndASoundOf417AreInForceFromTheStartAndShownInTheSettingsWindow) {
  shelltest::ProgramRun run;
  SoundManage* sound = SoundManage::shareSoundManage();
  sound->Reset();
  // The store as the settings window left it in the last run: music off, the
  // sound down to 417 thousandths.
  {
    std::ofstream store(cocos2d::FileUtils::getInstance()->getWritablePath() + YndLocalData::kFileName);
    store << "# YndLocalData\n"
             "gamebase_setting_music_open=false\n"
             "gamebase_setting_sound_volume=417\n";
  }
  YndLocalData::sharedLocalData()->Reload();

  ddz::ProgramOptions options = shelltest::TestRunOptions({std::string(DDZ_SOURCE_DIR) + "/data"}, 160);
  PanelSeen seen;
  int openedAt = 0;
  int frame = 0;
  options.pacer = [&](double) {
    ++frame;
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (table == nullptr || !table->isRunning() || table->m_pBottomUIPC == nullptr) return 0.05f;
    if (openedAt == 0 && table->GetStartButton() != nullptr) {
      table->m_pBottomUIPC->OnPanelBtnClick(table->m_pBottomUIPC->GetPanelButton(BottomUIPC::kPanelSettings));
      openedAt = frame;
    } else if (openedAt > 0 && frame == openedAt + 5) {
      SetLayer* panel = SetLayer::sharedIfAny();
      if (panel != nullptr && panel->isRunning()) {
        seen.open = true;
        seen.musicOn = panel->IsMusicOpen();
        seen.musicOnButton = panel->GetMusicButton(true)->isVisible();
        seen.musicOffButton = panel->GetMusicButton(false)->isVisible();
        seen.soundOn = panel->IsSoundOpen();
        seen.musicVolume = panel->GetVolume(0);
        seen.soundVolume = panel->GetVolume(1);
      }
    }
    return 0.05f;
  };
  const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  // Before the first music the sound manager holds the stored settings, and
  // no music sounds.
  const std::vector<SoundManage::Call> calls = sound->GetCalls();
  bool musicOff = false, volumesSet = false, musicAsked = false;
  for (const SoundManage::Call& call : calls) {
    if (call.op == SoundManage::Op::SetMusicOpen) musicOff = !call.on;
    if (call.op == SoundManage::Op::SetVolume) {
      volumesSet = true;
      EXPECT_FLOAT_EQ(call.music, 1.0f);
      EXPECT_FLOAT_EQ(call.sound, 0.417f);
    }
    if (call.op == SoundManage::Op::PlayMusic) {
      if (!musicAsked) {
        EXPECT_TRUE(musicOff && volumesSet) << "the music " << call.file << " came before the stored settings";
      }
      musicAsked = true;
      EXPECT_FALSE(call.sounded) << call.file;
    }
  }
  EXPECT_TRUE(musicAsked) << "the table asked for no music";
  float music = 0, effects = 0;
  bool musicOpen = true, soundOpen = false;
  sound->GetAllAttribute(music, effects, musicOpen, soundOpen);
  EXPECT_FALSE(musicOpen);
  EXPECT_TRUE(soundOpen);
  EXPECT_FLOAT_EQ(effects, 0.417f);

  // The window shows what is in force.
  ASSERT_GT(openedAt, 0) << "the classic table never came on the stage";
  ASSERT_TRUE(seen.open) << "the settings window did not open";
  EXPECT_FALSE(seen.musicOn);
  EXPECT_FALSE(seen.musicOnButton);
  EXPECT_TRUE(seen.musicOffButton);
  EXPECT_TRUE(seen.soundOn);
  EXPECT_FLOAT_EQ(seen.musicVolume, 1.0f);
  EXPECT_FLOAT_EQ(seen.soundVolume, 0.417f);

  SetLayer::destroyInstance();
  sound->Reset();
}

}  // namespace
