// The sound manager of the client: effects and background music by file name
// ("ddzSound/23.mp3"), resolved through the search paths and played by the
// engine's sound engine, with the player's switches and volumes. Every call is
// recorded in order, so tests can read exactly what was asked for and what
// sounded.
#pragma once

#include <string>
#include <vector>

class SoundManage {
 public:
  enum class Op { PlaySound, PlayMusic, StopMusic, StopAll, SetVolume, SetMusicOpen, SetSoundOpen };

  struct Call {
    Op op = Op::PlaySound;
    std::string file;      // as given (PlaySound, PlayMusic)
    std::string resolved;  // found through the search paths; the name itself when it is not found
    bool loop = false;     // PlayMusic
    bool sounded = false;  // an effect or music that was handed to the sound engine
    float music = 0;       // SetVolume
    float sound = 0;       // SetVolume
    bool on = false;       // SetMusicOpen, SetSoundOpen
  };

  static SoundManage* shareSoundManage();

  // An effect, once. Silent while sounds are switched off.
  void PlaySoundByFile(const char* path);
  // Background music (replaces the current one). While music is switched off
  // it is recorded but does not sound.
  void PlayMusicByFile(const char* path, bool loop);
  void StopBackgroundMusic();
  // Stops the music and every effect.
  void StopAllSound();
  // Volumes 0 to 1 (clamped).
  void SetVolumeInfo(float music, float sound);
  // Switching music off stops it; switching it on starts nothing (callers
  // restart their music).
  void SetBackgroundMusicOpen(bool open);
  // Switching sounds off stops the running effects.
  void SetSoundOpen(bool open);
  void GetAllAttribute(float& musicVolume, float& soundVolume, bool& musicOpen, bool& soundOpen) const;

  // The newest calls (see ddz::os::AppendBounded).
  const std::vector<Call>& GetCalls() const { return m_vcCalls; }
  // The files of the effects that sounded, in order.
  std::vector<std::string> GetPlayedSounds() const;
  void ClearCalls() { m_vcCalls.clear(); }
  // Back to the state at start: volumes 1, both switches on, no calls (tests).
  void Reset();

 private:
  SoundManage() = default;
  static std::string Resolve(const char* path);
  static Call MakeCall(Op op, const char* file = nullptr);

  float m_fMusicVolume = 1.0f;
  float m_fSoundVolume = 1.0f;
  bool m_bMusicOpen = true;
  bool m_bSoundOpen = true;
  std::vector<Call> m_vcCalls;
};
