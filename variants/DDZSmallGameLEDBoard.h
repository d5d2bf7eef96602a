// The mini-game map's lamp boards: one per level (DDZSmallGameLevelNoBorad,
// numbered 1 to 5) and one for the big award (DDZSmallGameBigAwardBoard, with
// its pair of award lights above it).
//
// A board is a lamp that is dark, lit, blinking, running a frame animation
// (its animation list) or the lamp chase (its chase list), or taking part in
// the attract effect that sweeps light across all boards. Every lighting or
// animation operation first stops what runs on the board, so the last one
// called decides what it shows. A board whose images are not set (a level
// board with a number outside 1 to 5) is not ready and ignores them all.
// Boards hold no game state; the mini-game layer places and drives them.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Layer.h"

namespace cocos2d {
class Sprite;
class SpriteFrame;
}  // namespace cocos2d

class DDZSmallGameLEDBoard : public cocos2d::Layer {
 public:
  static constexpr float kFrameSeconds = 0.2f;
  // The attract effect: lit from its start delay until kAttractLitUntil, four
  // blinks of kAttractBlinkSeconds dark and lit, then dark for kAttractDarkSeconds.
  static constexpr float kAttractLitUntil = 2.5f;
  static constexpr int kAttractBlinks = 4;
  static constexpr float kAttractBlinkSeconds = 0.2f;
  static constexpr float kAttractDarkSeconds = 0.5f;
  // The chase shows a blank step for a name the frame cache does not have.
  static constexpr const char* kBlankStepFrame = "DDZ_SmallGameDeng5.png";

  // Stops the board's actions and those of each of its direct children.
  virtual void StopAnimation();
  virtual void LightOn() { SetLightOn(true); }
  virtual void LightOff() { SetLightOn(false); }
  // When ready: everything stops, both animation sprites hide, the lit image
  // shows exactly when `on` and the dark one when not.
  virtual void SetLightOn(bool on);
  virtual void PlayLoop() { PlayAnimation(true); }
  // When ready: lit, then the animation list at kFrameSeconds a frame, once or forever.
  virtual void PlayAnimation(bool loop);
  // The same over the chase list, on the chase sprite; missing frames are blank steps.
  virtual void PlayLampChase(bool loop);
  // The attract effect, forever, starting `delay` seconds late (0 to 2.5):
  // one cycle lasts 4.6 s whatever the delay, so boards started 0.5 s apart
  // light up one after another, blink together and go dark together.
  virtual void ShowResultEffect(float delay);

  // Every board enters dark.
  void onEnter() override;

  bool IsReady() const { return m_bReady; }
  cocos2d::Sprite* GetLitImage() const { return m_pLit; }
  cocos2d::Sprite* GetUnlitImage() const { return m_pUnlit; }
  cocos2d::Sprite* GetAnimationSprite() const { return m_pAniSprite; }
  cocos2d::Sprite* GetChaseSprite() const { return m_pChaseSprite; }
  const std::vector<std::string>& GetAnimationList() const { return m_vcAniList; }
  const std::vector<std::string>& GetChaseList() const { return m_vcChaseList; }

 protected:
  // The two empty animation sprites (chase sprite first), both at z 1.
  DDZSmallGameLEDBoard();
  // Sets both images from frames, at z -1.
  void SetImages(const char* litFrame, const char* unlitFrame);
  // Runs `frames` at kFrameSeconds each on `sprite`, made visible, once or forever.
  static void RunFrames(cocos2d::Sprite* sprite, const std::vector<cocos2d::SpriteFrame*>& frames, bool loop);
  // The attract blink of one image: shown (or hidden, `inverse`) as the lit image is.
  static void RunAttract(cocos2d::Sprite* image, float delay, bool inverse);

  cocos2d::Sprite* m_pUnlit = nullptr;        // child; null until a subclass sets it
  cocos2d::Sprite* m_pLit = nullptr;          // child; null until a subclass sets it
  cocos2d::Sprite* m_pAniSprite = nullptr;    // child
  cocos2d::Sprite* m_pChaseSprite = nullptr;  // child
  std::vector<std::string> m_vcAniList;
  std::vector<std::string> m_vcChaseList;
  bool m_bReady = false;
};

// A level's board, numbered 1 to 5; even-numbered boards stand the other way
// up, so their chase frames are flipped and 6 units higher. Its animation is a
// blink of the lamp (0.4 s a period) instead of a frame animation.
class DDZSmallGameLevelNoBorad : public DDZSmallGameLEDBoard {
 public:
  static constexpr int kMaxNumber = 5;
  static constexpr float kSpriteX = -8;
  static constexpr float kSpriteYOdd = -3;
  static constexpr float kSpriteYEven = 3;

  static DDZSmallGameLevelNoBorad* create(int number);
  void PlayAnimation(bool loop) override;
  int GetNumber() const { return m_iNumber; }

 private:
  explicit DDZSmallGameLevelNoBorad(int number);
  int m_iNumber = 0;
};

// The big award's board and its two award lights, which alternate above it.
class DDZSmallGameBigAwardBoard : public DDZSmallGameLEDBoard {
 public:
  static constexpr const char* kLight0 = "DDZ_SmallGameBonusDJ0.png";
  static constexpr const char* kLight1 = "DDZ_SmallGameBonusDJ1.png";
  static constexpr float kLightShownSeconds = 0.5f;  // the end of the lights' attract cycle

  static DDZSmallGameBigAwardBoard* create();
  void SetLightOn(bool on) override;
  // The board's animation, then the two lights' alternation.
  void PlayAnimation(bool loop) override;
  // The board's effect, then the lights: the first shown for delay + 0.2 s,
  // three blinks, dark 0.2 s and shown 0.5 s (a cycle of delay + 2.1 s); the
  // second the opposite.
  void ShowResultEffect(float delay) override;

  cocos2d::Sprite* GetLight0() const { return m_pLight0; }
  cocos2d::Sprite* GetLight1() const { return m_pLight1; }
  cocos2d::Sprite* GetLightAnimationSprite() const { return m_pLightAni; }

 private:
  DDZSmallGameBigAwardBoard();
  cocos2d::Sprite* m_pLight0 = nullptr;    // child
  cocos2d::Sprite* m_pLight1 = nullptr;    // child
  cocos2d::Sprite* m_pLightAni = nullptr;  // child
};
