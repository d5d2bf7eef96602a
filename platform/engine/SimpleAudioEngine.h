// The sound engine. Headless it plays nothing: it keeps the state a player
// would hear (music, paused or not, volumes, running effects) and records
// every call in order, so tests can check what was played.
#pragma once

#include <string>
#include <vector>

namespace cocos2d {

class SimpleAudioEngine {
 public:
  static SimpleAudioEngine* getInstance();
  // Stops everything and drops the instance.
  static void end();

  void preloadBackgroundMusic(const char* file);
  void playBackgroundMusic(const char* file, bool loop = false);
  void stopBackgroundMusic(bool releaseData = false);
  void pauseBackgroundMusic();
  void resumeBackgroundMusic();
  void rewindBackgroundMusic();
  bool isBackgroundMusicPlaying() const { return !_music.empty() && !_musicPaused; }
  const std::string& currentMusic() const { return _music; }
  bool isMusicPaused() const { return _musicPaused; }
  float getBackgroundMusicVolume() const { return _musicVolume; }
  void setBackgroundMusicVolume(float volume);
  float getEffectsVolume() const { return _effectsVolume; }
  void setEffectsVolume(float volume);

  unsigned int playEffect(const char* file, bool loop = false, float pitch = 1.0f, float pan = 0.0f,
                          float gain = 1.0f);
  void pauseEffect(unsigned int soundId);
  void pauseAllEffects();
  void resumeEffect(unsigned int soundId);
  void resumeAllEffects();
  void stopEffect(unsigned int soundId);
  void stopAllEffects();
  void preloadEffect(const char* file);
  void unloadEffect(const char* file);

  // Every call, e.g. "playEffect ddzSound/x.mp3 loop=0".
  const std::vector<std::string>& calls() const { return _calls; }
  void clearCalls() { _calls.clear(); }
  std::size_t runningEffects() const { return _effects.size(); }

 private:
  SimpleAudioEngine() = default;
  struct Effect {
    unsigned int id;
    std::string file;
    bool loop;
    bool paused;
  };
  std::vector<std::string> _calls;
  std::vector<Effect> _effects;
  std::string _music;
  bool _musicLoop = false;
  bool _musicPaused = false;
  float _musicVolume = 1.0f;
  float _effectsVolume = 1.0f;
  unsigned int _nextEffectId = 0;
};

}  // namespace cocos2d

namespace CocosDenshion {
using cocos2d::SimpleAudioEngine;
}
