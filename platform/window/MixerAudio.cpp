#include "platform/window/MixerAudio.h"

#include <cmath>
#include <iterator>
#include <set>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"

namespace ddz::window {

namespace {
int ToMixVolume(float v) { return static_cast<int>(std::lround(std::fmin(1.0f, std::fmax(0.0f, v)) * MIX_MAX_VOLUME)); }
}  // namespace

std::unique_ptr<MixerAudio> MixerAudio::open() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    cocos2d::log("no sound: SDL audio does not start (%s)", SDL_GetError());
    return nullptr;
  }
  Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    cocos2d::log("no sound: the mixer does not open (%s)", Mix_GetError());
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  Mix_AllocateChannels(32);
  return std::unique_ptr<MixerAudio>(new MixerAudio());
}

MixerAudio::~MixerAudio() {
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  if (_music) Mix_FreeMusic(_music);
  for (auto& [file, c] : _chunks) Mix_FreeChunk(c);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string MixerAudio::resolve(const std::string& file) {
  const std::string full = file.empty() ? "" : cocos2d::FileUtils::getInstance()->fullPathForFilename(file);
  if (full.empty() && _missing.insert(file).second) cocos2d::log("sound %s not found; not played", file.c_str());
  return full;
}

Mix_Chunk* MixerAudio::chunk(const std::string& file) {
  auto it = _chunks.find(file);
  if (it != _chunks.end()) return it->second;
  if (_missing.count(file)) return nullptr;
  const std::string full = resolve(file);
  if (full.empty()) return nullptr;
  trimChunks();
  Mix_Chunk* c = Mix_LoadWAV(full.c_str());
  if (!c) {
    if (_missing.insert(file).second) cocos2d::log("sound %s not played: %s", file.c_str(), Mix_GetError());
    return nullptr;
  }
  return _chunks[file] = c;
}

void MixerAudio::trimChunks() {
  if (_chunks.size() < kMaxChunks) return;
  std::set<Mix_Chunk*> playing;
  const int channels = Mix_AllocateChannels(-1);
  for (int ch = 0; ch < channels; ++ch)
    if (Mix_Playing(ch)) playing.insert(Mix_GetChunk(ch));
  for (auto it = _chunks.begin(); it != _chunks.end();) {
    if (playing.count(it->second)) {
      ++it;
      continue;
    }
    for (auto p = _playing.begin(); p != _playing.end();)
      p = p->second.second == it->second ? _playing.erase(p) : std::next(p);
    Mix_FreeChunk(it->second);
    it = _chunks.erase(it);
  }
}

int MixerAudio::channelOf(unsigned int id) {
  auto it = _playing.find(id);
  if (it == _playing.end()) return -1;
  const int channel = it->second.first;
  if (!Mix_Playing(channel) || Mix_GetChunk(channel) != it->second.second) {
    _playing.erase(it);
    return -1;
  }
  return channel;
}

void MixerAudio::playMusic(const std::string& file, bool loop) {
  stopMusic();
  if (_missing.count(file)) return;
  const std::string full = resolve(file);
  if (full.empty()) return;
  // The format comes from the file's bytes, not from its name (the
  // generated sounds are wave data under the names the game asks for).
  SDL_RWops* bytes = SDL_RWFromFile(full.c_str(), "rb");
  _music = bytes != nullptr ? Mix_LoadMUS_RW(bytes, 1) : nullptr;
  if (!_music) {
    if (_missing.insert(file).second) cocos2d::log("music %s not played: %s", file.c_str(), Mix_GetError());
    return;
  }
  Mix_PlayMusic(_music, loop ? -1 : 1);
}

void MixerAudio::stopMusic() {
  Mix_HaltMusic();
  if (_music) Mix_FreeMusic(_music);
  _music = nullptr;
}

void MixerAudio::pauseMusic() { Mix_PauseMusic(); }
void MixerAudio::resumeMusic() { Mix_ResumeMusic(); }
void MixerAudio::rewindMusic() { Mix_RewindMusic(); }
void MixerAudio::setMusicVolume(float volume) { Mix_VolumeMusic(ToMixVolume(volume)); }

void MixerAudio::setEffectsVolume(float volume) {
  _effectsVolume = ToMixVolume(volume);
  Mix_Volume(-1, _effectsVolume);
}

void MixerAudio::playEffect(unsigned int id, const std::string& file, bool loop) {
  Mix_Chunk* c = chunk(file);
  if (!c) return;
  const int channel = Mix_PlayChannel(-1, c, loop ? -1 : 0);
  if (channel < 0) return;  // every channel busy: the effect is dropped
  Mix_Volume(channel, _effectsVolume);
  _playing[id] = {channel, c};
}

void MixerAudio::pauseEffect(unsigned int id) {
  if (const int ch = channelOf(id); ch >= 0) Mix_Pause(ch);
}
void MixerAudio::resumeEffect(unsigned int id) {
  if (const int ch = channelOf(id); ch >= 0) Mix_Resume(ch);
}
void MixerAudio::stopEffect(unsigned int id) {
  if (const int ch = channelOf(id); ch >= 0) Mix_HaltChannel(ch);
  _playing.erase(id);
}
void MixerAudio::pauseAllEffects() { Mix_Pause(-1); }
void MixerAudio::resumeAllEffects() { Mix_Resume(-1); }
void MixerAudio::stopAllEffects() {
  Mix_HaltChannel(-1);
  _playing.clear();
}
void MixerAudio::preloadEffect(const std::string& file) { chunk(file); }

void MixerAudio::unloadEffect(const std::string& file) {
  auto it = _chunks.find(file);
  if (it == _chunks.end()) return;
  for (auto p = _playing.begin(); p != _playing.end();) {
    if (p->second.second == it->second) {
      Mix_HaltChannel(p->second.first);
      p = _playing.erase(p);
    } else {
      ++p;
    }
  }
  Mix_FreeChunk(it->second);
  _chunks.erase(it);
}

}  // namespace ddz::window
