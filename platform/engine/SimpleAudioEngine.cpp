#include "platform/engine/SimpleAudioEngine.h"

#include <algorithm>

#include "platform/os/BoundedRecord.h"

namespace cocos2d {

namespace {
SimpleAudioEngine* g_audio = nullptr;
std::string Str(const char* s) { return s ? s : ""; }
float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
}  // namespace

SimpleAudioEngine* SimpleAudioEngine::getInstance() {
  if (!g_audio) g_audio = new SimpleAudioEngine();
  return g_audio;
}

void SimpleAudioEngine::end() {
  delete g_audio;
  g_audio = nullptr;
}

void SimpleAudioEngine::preloadBackgroundMusic(const char* file) { record("preloadBackgroundMusic " + Str(file)); }

void SimpleAudioEngine::record(std::string call) { ddz::os::AppendBounded(_calls, std::move(call)); }

void SimpleAudioEngine::setDevice(std::unique_ptr<AudioDevice> device) {
  if (_device) {
    _device->stopAllEffects();
    _device->stopMusic();
  }
  _device = std::move(device);
  if (!_device) return;
  _device->setMusicVolume(_musicVolume);
  _device->setEffectsVolume(_effectsVolume);
  if (!_music.empty()) {
    _device->playMusic(_music, _musicLoop);
    if (_musicPaused) _device->pauseMusic();
  }
}

void SimpleAudioEngine::playBackgroundMusic(const char* file, bool loop) {
  record("playBackgroundMusic " + Str(file) + " loop=" + (loop ? "1" : "0"));
  _music = Str(file);
  _musicLoop = loop;
  _musicPaused = false;
  if (_device) _device->playMusic(_music, loop);
}

void SimpleAudioEngine::stopBackgroundMusic(bool) {
  record("stopBackgroundMusic");
  _music.clear();
  _musicPaused = false;
  if (_device) _device->stopMusic();
}

void SimpleAudioEngine::pauseBackgroundMusic() {
  record("pauseBackgroundMusic");
  if (!_music.empty()) _musicPaused = true;
  if (_device) _device->pauseMusic();
}

void SimpleAudioEngine::resumeBackgroundMusic() {
  record("resumeBackgroundMusic");
  _musicPaused = false;
  if (_device) _device->resumeMusic();
}

void SimpleAudioEngine::rewindBackgroundMusic() {
  record("rewindBackgroundMusic");
  if (_device) _device->rewindMusic();
}

void SimpleAudioEngine::setBackgroundMusicVolume(float volume) {
  _musicVolume = Clamp01(volume);
  record("setBackgroundMusicVolume " + std::to_string(_musicVolume));
  if (_device) _device->setMusicVolume(_musicVolume);
}

void SimpleAudioEngine::setEffectsVolume(float volume) {
  _effectsVolume = Clamp01(volume);
  record("setEffectsVolume " + std::to_string(_effectsVolume));
  if (_device) _device->setEffectsVolume(_effectsVolume);
}

unsigned int SimpleAudioEngine::playEffect(const char* file, bool loop, float, float, float) {
  record("playEffect " + Str(file) + " loop=" + (loop ? "1" : "0"));
  const unsigned int id = ++_nextEffectId;
  // A one-shot effect ends at once here: only looping ones stay running.
  if (loop) _effects.push_back({id, Str(file), loop, false});
  if (_device) _device->playEffect(id, Str(file), loop);
  return id;
}

void SimpleAudioEngine::pauseEffect(unsigned int id) {
  record("pauseEffect " + std::to_string(id));
  for (auto& e : _effects)
    if (e.id == id) e.paused = true;
  if (_device) _device->pauseEffect(id);
}

void SimpleAudioEngine::pauseAllEffects() {
  record("pauseAllEffects");
  for (auto& e : _effects) e.paused = true;
  if (_device) _device->pauseAllEffects();
}

void SimpleAudioEngine::resumeEffect(unsigned int id) {
  record("resumeEffect " + std::to_string(id));
  for (auto& e : _effects)
    if (e.id == id) e.paused = false;
  if (_device) _device->resumeEffect(id);
}

void SimpleAudioEngine::resumeAllEffects() {
  record("resumeAllEffects");
  for (auto& e : _effects) e.paused = false;
  if (_device) _device->resumeAllEffects();
}

void SimpleAudioEngine::stopEffect(unsigned int id) {
  record("stopEffect " + std::to_string(id));
  _effects.erase(std::remove_if(_effects.begin(), _effects.end(), [id](const Effect& e) { return e.id == id; }),
                 _effects.end());
  if (_device) _device->stopEffect(id);
}

void SimpleAudioEngine::stopAllEffects() {
  record("stopAllEffects");
  _effects.clear();
  if (_device) _device->stopAllEffects();
}

void SimpleAudioEngine::preloadEffect(const char* file) {
  record("preloadEffect " + Str(file));
  if (_device) _device->preloadEffect(Str(file));
}

void SimpleAudioEngine::unloadEffect(const char* file) {
  record("unloadEffect " + Str(file));
  if (_device) _device->unloadEffect(Str(file));
}

}  // namespace cocos2d
