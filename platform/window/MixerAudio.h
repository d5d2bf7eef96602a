// The sound engine's output on SDL2_mixer: music streams from its file,
// effects are loaded once per file and play on a free mixer channel. A sound
// file that is missing or unreadable is logged once per name and otherwise
// ignored.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/engine/SimpleAudioEngine.h"

namespace ddz::window {

class MixerAudio : public cocos2d::AudioDevice {
 public:
  // Null (logged) when no audio device opens.
  static std::unique_ptr<MixerAudio> open();
  ~MixerAudio() override;

  void playMusic(const std::string& file, bool loop) override;
  void stopMusic() override;
  void pauseMusic() override;
  void resumeMusic() override;
  void rewindMusic() override;
  void setMusicVolume(float volume) override;
  void setEffectsVolume(float volume) override;
  void playEffect(unsigned int id, const std::string& file, bool loop) override;
  void pauseEffect(unsigned int id) override;
  void resumeEffect(unsigned int id) override;
  void stopEffect(unsigned int id) override;
  void pauseAllEffects() override;
  void resumeAllEffects() override;
  void stopAllEffects() override;
  void preloadEffect(const std::string& file) override;
  void unloadEffect(const std::string& file) override;

 private:
  MixerAudio() = default;
  Mix_Chunk* chunk(const std::string& file);
  // The channel that plays effect `id`, -1 when it has ended.
  int channelOf(unsigned int id);
  std::string resolve(const std::string& file);

  Mix_Music* _music = nullptr;  // owned
  // Frees the loaded effects that no channel plays, once more than
  // kMaxChunks are loaded (the voices alone would keep tens of megabytes).
  void trimChunks();
  static constexpr std::size_t kMaxChunks = 24;
  std::map<std::string, Mix_Chunk*> _chunks;  // owned
  std::map<unsigned int, std::pair<int, Mix_Chunk*>> _playing;  // effect id -> channel, chunk
  std::set<std::string> _missing;
  int _effectsVolume = MIX_MAX_VOLUME;
};

}  // namespace ddz::window
