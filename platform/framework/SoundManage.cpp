#include "platform/framework/SoundManage.h"

#include <algorithm>
#include <cmath>

#include "platform/engine/FileUtils.h"
#include "platform/engine/SimpleAudioEngine.h"
#include "platform/os/BoundedRecord.h"

using cocos2d::SimpleAudioEngine;

SoundManage* SoundManage::shareSoundManage() {
  static SoundManage instance;
  return &instance;
}

std::string SoundManage::Resolve(const char* path) {
  std::string full = cocos2d::FileUtils::getInstance()->fullPathForFilename(path);
  return full.empty() ? std::string(path) : full;
}

SoundManage::Call SoundManage::MakeCall(Op op, const char* file) {
  Call call;
  call.op = op;
  if (file != nullptr) {
    call.file = file;
    call.resolved = Resolve(file);
  }
  return call;
}

void SoundManage::PlaySoundByFile(const char* path) {
  if (path == nullptr || *path == '\0') return;
  Call call = MakeCall(Op::PlaySound, path);
  if (m_bSoundOpen) {
    SimpleAudioEngine::getInstance()->playEffect(call.resolved.c_str(), false);
    call.sounded = true;
  }
  ddz::os::AppendBounded(m_vcCalls, std::move(call));
}

void SoundManage::PlayMusicByFile(const char* path, bool loop) {
  if (path == nullptr || *path == '\0') return;
  Call call = MakeCall(Op::PlayMusic, path);
  call.loop = loop;
  if (m_bMusicOpen) {
    SimpleAudioEngine::getInstance()->playBackgroundMusic(call.resolved.c_str(), loop);
    call.sounded = true;
  }
  ddz::os::AppendBounded(m_vcCalls, std::move(call));
}

void SoundManage::StopBackgroundMusic() {
  ddz::os::AppendBounded(m_vcCalls, MakeCall(Op::StopMusic));
  SimpleAudioEngine::getInstance()->stopBackgroundMusic();
}

void SoundManage::StopAllSound() {
  ddz::os::AppendBounded(m_vcCalls, MakeCall(Op::StopAll));
  SimpleAudioEngine::getInstance()->stopBackgroundMusic();
  SimpleAudioEngine::getInstance()->stopAllEffects();
}

void SoundManage::SetVolumeInfo(float music, float sound) {
  // A volume that is not a number leaves that volume as it is.
  if (!std::isnan(music)) m_fMusicVolume = std::clamp(music, 0.0f, 1.0f);
  if (!std::isnan(sound)) m_fSoundVolume = std::clamp(sound, 0.0f, 1.0f);
  Call call = MakeCall(Op::SetVolume);
  call.music = m_fMusicVolume;
  call.sound = m_fSoundVolume;
  ddz::os::AppendBounded(m_vcCalls, call);
  SimpleAudioEngine::getInstance()->setBackgroundMusicVolume(m_fMusicVolume);
  SimpleAudioEngine::getInstance()->setEffectsVolume(m_fSoundVolume);
}

void SoundManage::SetBackgroundMusicOpen(bool open) {
  m_bMusicOpen = open;
  Call call = MakeCall(Op::SetMusicOpen);
  call.on = open;
  ddz::os::AppendBounded(m_vcCalls, call);
  if (!open) SimpleAudioEngine::getInstance()->stopBackgroundMusic();
}

void SoundManage::SetSoundOpen(bool open) {
  m_bSoundOpen = open;
  Call call = MakeCall(Op::SetSoundOpen);
  call.on = open;
  ddz::os::AppendBounded(m_vcCalls, call);
  if (!open) SimpleAudioEngine::getInstance()->stopAllEffects();
}

void SoundManage::GetAllAttribute(float& musicVolume, float& soundVolume, bool& musicOpen, bool& soundOpen) const {
  musicVolume = m_fMusicVolume;
  soundVolume = m_fSoundVolume;
  musicOpen = m_bMusicOpen;
  soundOpen = m_bSoundOpen;
}

std::vector<std::string> SoundManage::GetPlayedSounds() const {
  std::vector<std::string> files;
  for (const Call& c : m_vcCalls) {
    if (c.op == Op::PlaySound && c.sounded) files.push_back(c.file);
  }
  return files;
}

void SoundManage::Reset() {
  m_fMusicVolume = 1.0f;
  m_fSoundVolume = 1.0f;
  m_bMusicOpen = true;
  m_bSoundOpen = true;
  m_vcCalls.clear();
}
