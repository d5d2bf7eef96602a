#include "table/GameSoundDDZ.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/framework/SoundManage.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"

namespace {

std::unique_ptr<GameSoundDDZ>& Instance() {
  static std::unique_ptr<GameSoundDDZ> instance;
  return instance;
}

}  // namespace

GameSoundDDZ* GameSoundDDZ::shareGameSoundDDZ() {
  std::unique_ptr<GameSoundDDZ>& instance = Instance();
  if (!instance) {
    instance.reset(new GameSoundDDZ());
    ddz::os::Srand(static_cast<std::uint32_t>(ddz::os::Clock().WallTimeSeconds()));
    instance->m_iMusicIndex = ddz::os::Rand() % 2;
  }
  return instance.get();
}

void GameSoundDDZ::destroyInstance() { Instance().reset(); }

void GameSoundDDZ::PlayBackGroundMusic(bool bRoomList) {
  int entry = kRoomListMusic;
  if (!bRoomList) {
    // Scripts may set the counter to anything: the entry is always a table
    // track, and the counter wraps instead of overflowing.
    entry = ((m_iMusicIndex % 2) + 2) % 2;
    m_iMusicIndex = static_cast<int>(static_cast<unsigned>(m_iMusicIndex) + 1u);
  }
  char path[32];
  std::snprintf(path, sizeof(path), "ddzSound/%d.mp3", kMusicTable[entry]);
  SoundManage* sound = SoundManage::shareSoundManage();
  sound->StopBackgroundMusic();
  sound->PlayMusicByFile(path, true);
}
