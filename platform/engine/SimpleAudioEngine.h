// The sound engine. It keeps the state a player would hear (music, paused or
// not, volumes, running effects) and records every call in order, so tests
// can check what was played. What is heard comes from the output device
// behind it: none by default (headless, tests), the SDL2_mixer device in the
// window program (platform/window).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace cocos2d {

// Where the sound engine's calls are heard. Files are as the program names
// them (found through the search paths); effect ids are the engine's.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  virtual void playMusic(const std::string& file, bool loop) = 0;
  virtual void stopMusic() = 0;
  virtual void pauseMusic() = 0;
  virtual void resumeMusic() = 0;
  virtual void rewindMusic() = 0;
  virtual void setMusicVolume(float volume) = 0;
  virtual void setEffectsVolume(float volume) = 0;
  virtual void playEffect(unsigned int id, const std::string& file, bool loop) = 0;
  virtual void pauseEffect(unsigned int id) = 0;
  virtual void resumeEffect(unsigned int id) = 0;
  virtual void stopEffect(unsigned int id) = 0;
  virtual void pauseAllEffects() = 0;
  virtual void resumeAllEffects() = 0;
  virtual void stopAllEffects() = 0;
  virtual void preloadEffect(const std::string& file) = 0;
  virtual void unloadEffect(const std::string& file) = 0;
};

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

  // The device that plays (owned); null plays nothing. The current music
  // starts on a new device.
  void setDevice(std::unique_ptr<AudioDevice> device);
  AudioDevice* getDevice() const { return _device.get(); }

  // Every call, e.g. "playEffect ddzSound/x.mp3 loop=0" (the newest calls,
  // see ddz::os::AppendBounded).
  const std::vector<std::string>& calls() const { return _calls; }
  void clearCalls() { _calls.clear(); }
  std::size_t runningEffects() const { return _effects.size(); }

 private:
  SimpleAudioEngine() = default;
  void record(std::string call);
  struct Effect {
    unsigned int id;
    std::string file;
    bool loop;
    bool paused;
  };
  std::unique_ptr<AudioDevice> _device;
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
