#include "platform/engine/SimpleAudioEngine.h"

#include <algorithm>

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

void SimpleAudioEngine::preloadBackgroundMusic(const char* file) { _calls.push_back("preloadBackgroundMusic " + Str(file)); }

void SimpleAudioEngine::playBackgroundMusic(const char* file, bool loop) {
  _calls.push_back("playBackgroundMusic " + Str(file) + " loop=" + (loop ? "1" : "0"));
  _music = Str(file);
  _musicLoop = loop;
  _musicPaused = false;
}

void SimpleAudioEngine::stopBackgroundMusic(bool) {
  _calls.push_back("stopBackgroundMusic");
  _music.clear();
  _musicPaused = false;
}

void SimpleAudioEngine::pauseBackgroundMusic() {
  _calls.push_back("pauseBackgroundMusic");
  if (!_music.empty()) _musicPaused = true;
}

void SimpleAudioEngine::resumeBackgroundMusic() {
  _calls.push_back("resumeBackgroundMusic");
  _musicPaused = false;
}

void SimpleAudioEngine::rewindBackgroundMusic() { _calls.push_back("rewindBackgroundMusic"); }

void SimpleAudioEngine::setBackgroundMusicVolume(float volume) {
  _musicVolume = Clamp01(volume);
  _calls.push_back("setBackgroundMusicVolume " + std::to_string(_musicVolume));
}

void SimpleAudioEngine::setEffectsVolume(float volume) {
  _effectsVolume = Clamp01(volume);
  _calls.push_back("setEffectsVolume " + std::to_string(_effectsVolume));
}

unsigned int SimpleAudioEngine::playEffect(const char* file, bool loop, float, float, float) {
  _calls.push_back("playEffect " + Str(file) + " loop=" + (loop ? "1" : "0"));
  const unsigned int id = ++_nextEffectId;
  // A one-shot effect ends at once here: only looping ones stay running.
  if (loop) _effects.push_back({id, Str(file), loop, false});
  return id;
}

void SimpleAudioEngine::pauseEffect(unsigned int id) {
  _calls.push_back("pauseEffect " + std::to_string(id));
  for (auto& e : _effects)
    if (e.id == id) e.paused = true;
}

void SimpleAudioEngine::pauseAllEffects() {
  _calls.push_back("pauseAllEffects");
  for (auto& e : _effects) e.paused = true;
}

void SimpleAudioEngine::resumeEffect(unsigned int id) {
  _calls.push_back("resumeEffect " + std::to_string(id));
  for (auto& e : _effects)
    if (e.id == id) e.paused = false;
}

void SimpleAudioEngine::resumeAllEffects() {
  _calls.push_back("resumeAllEffects");
  for (auto& e : _effects) e.paused = false;
}

void SimpleAudioEngine::stopEffect(unsigned int id) {
  _calls.push_back("stopEffect " + std::to_string(id));
  _effects.erase(std::remove_if(_effects.begin(), _effects.end(), [id](const Effect& e) { return e.id == id; }),
                 _effects.end());
}

void SimpleAudioEngine::stopAllEffects() {
  _calls.push_back("stopAllEffects");
  _effects.clear();
}

void SimpleAudioEngine::preloadEffect(const char* file) { _calls.push_back("preloadEffect " + Str(file)); }
void SimpleAudioEngine::unloadEffect(const char* file) { _calls.push_back("unloadEffect " + Str(file)); }

}  // namespace cocos2d
