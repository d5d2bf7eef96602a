#include "table/GameSoundDDZ.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/engine/Log.h"
#include "platform/framework/SoundManage.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"

static_assert(GameSoundDDZ::kVoiceTable[GameSoundDDZ::kVoiceSetSize - 1] == 135 &&
                  GameSoundDDZ::kVoiceTable[2 * GameSoundDDZ::kVoiceSetSize - 1] == 155,
              "both voice sets are complete");
static_assert(GameSoundDDZ::kEffectCount == 40 && GameSoundDDZ::kEffectTable[23] == 2008);

namespace {

// Buffer sizes of the composed names, terminator included.
constexpr std::size_t kShortPath = 20;   // numbered music and voices
constexpr std::size_t kMiddlePath = 64;  // numbered effects, named effects and music
constexpr std::size_t kLongPath = 128;   // named voices, card calls, tournament music

std::unique_ptr<GameSoundDDZ>& Instance() {
  static std::unique_ptr<GameSoundDDZ> instance;
  return instance;
}

// Formats into `buf` (`size` bytes); false (logged) when the text does not fit.
template <typename... Args>
bool Compose(char* buf, std::size_t size, const char* what, const char* fmt, Args... args) {
  const int n = std::snprintf(buf, size, fmt, args...);
  if (n < 0 || static_cast<std::size_t>(n) >= size) {
    cocos2d::log("GameSoundDDZ: %s name too long, not played", what);
    return false;
  }
  return true;
}

// Entry `index` of `table` into `out`; false (logged) when outside it.
bool TableEntry(const int* table, int count, int index, const char* what, int& out) {
  if (index < 0 || index >= count) {
    cocos2d::log("GameSoundDDZ: %s index %d outside 0..%d, not played", what, index, count - 1);
    return false;
  }
  out = table[index];
  return true;
}

void PlayEffect(const char* path) { SoundManage::shareSoundManage()->PlaySoundByFile(path); }

void PlayMusic(const char* path, bool loop) {
  SoundManage* sound = SoundManage::shareSoundManage();
  sound->StopBackgroundMusic();
  sound->PlayMusicByFile(path, loop);
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

int GameSoundDDZ::VoiceNumber(int iHeadIndex, int iTalkIndex) {
  int number = -1;
  if (!TableEntry(kVoiceTable + (IsVoiceSetA(iHeadIndex) ? 0 : kVoiceSetSize), kVoiceSetSize, iTalkIndex, "voice",
                  number)) {
    return -1;
  }
  return number;
}

void GameSoundDDZ::PlayerTalk(int iHeadIndex, int iTalkIndex) {
  const int number = VoiceNumber(iHeadIndex, iTalkIndex);
  char path[kShortPath];
  if (number < 0 || !Compose(path, sizeof(path), "voice", "ddzSound/%d.mp3", number)) return;
  PlayEffect(path);
}

void GameSoundDDZ::PlayerTalk(const std::string& strSoundName) {
  char path[kLongPath];
  if (!Compose(path, sizeof(path), "voice", "ddzSound/%s", strSoundName.c_str())) return;
  PlayEffect(path);
}

void GameSoundDDZ::PlayerTalkCard(int iHeadIndex, int iCardType, int iCardValue) {
  int kind = 0;
  if (iCardType == kCardTypeSingle) {
    kind = 1;
  } else if (iCardType == kCardTypePair) {
    kind = 2;
  } else {
    return;
  }
  char path[kLongPath];
  if (!Compose(path, sizeof(path), "card call", "ddzSound/%d_%d_%d.mp3", IsVoiceSetA(iHeadIndex) ? 0 : 1, kind,
               iCardValue)) {
    return;
  }
  PlayEffect(path);
}

void GameSoundDDZ::PlayGameSound(int iSoundIndex) {
  int number = 0;
  char path[kMiddlePath];
  if (!TableEntry(kEffectTable, kEffectCount, iSoundIndex, "effect", number) ||
      !Compose(path, sizeof(path), "effect", "ddzSound/%d.mp3", number)) {
    return;
  }
  PlayEffect(path);
}

void GameSoundDDZ::PlayGameSound(const std::string& strSoundName) {
  char path[kMiddlePath];
  if (!Compose(path, sizeof(path), "effect", "ddzSound/%s", strSoundName.c_str())) return;
  PlayEffect(path);
}

void GameSoundDDZ::PlayGameSound(int iHeadIndex, const std::string& strSoundName) {
  char name[kLongPath];
  char path[kMiddlePath];
  if (!Compose(name, sizeof(name), "effect", "%d_%d_%s", 0, iHeadIndex, strSoundName.c_str()) ||
      !Compose(path, sizeof(path), "effect", "ddzSound/%s", name)) {
    return;
  }
  PlayEffect(path);
}

void GameSoundDDZ::PlayBackGroundMusic(int iMusicIndex) {
  int number = 0;
  char path[kShortPath];
  if (!TableEntry(kMusicTable, kMusicCount, iMusicIndex, "music", number) ||
      !Compose(path, sizeof(path), "music", "ddzSound/%d.mp3", number)) {
    return;
  }
  PlayMusic(path, false);
}

void GameSoundDDZ::PlayBackGroundMusic(const std::string& strBkMusicName, bool bLoop) {
  char path[kMiddlePath];
  if (!Compose(path, sizeof(path), "music", "ddzSound/%s", strBkMusicName.c_str())) return;
  PlayMusic(path, bLoop);
}

void GameSoundDDZ::PlayBackGroundMusic(bool bRoomList) {
  int entry = kRoomListMusic;
  if (!bRoomList) {
    // Scripts may set the counter to anything: the entry is always a table
    // track, and the counter wraps instead of overflowing.
    entry = ((m_iMusicIndex % 2) + 2) % 2;
    m_iMusicIndex = static_cast<int>(static_cast<unsigned>(m_iMusicIndex) + 1u);
  }
  char path[kShortPath];
  if (!Compose(path, sizeof(path), "music", "ddzSound/%d.mp3", kMusicTable[entry])) return;
  PlayMusic(path, true);
}

void GameSoundDDZ::PlayCompeteBackgroundMusic(int iIndex) {
  char path[kLongPath];
  if (!Compose(path, sizeof(path), "music", "ddzSound/ddzcompete_background_%d.mp3", iIndex)) return;
  PlayMusic(path, true);
}

void GameSoundDDZ::StopBackgroundMusic() { SoundManage::shareSoundManage()->StopBackgroundMusic(); }

void GameSoundDDZ::StopAllSound() { SoundManage::shareSoundManage()->StopAllSound(); }
