// The animations of the played card types: the straight and pair-straight
// boats (AniShunzi), the plane (AniPlane), the rocket (AniRocket), the bomb
// that flies across the table (cjddz_AniSuperFallBomb) and, in call-and-rob
// mode, the bomb or rocket thrown from one seat at another (Ddz_PlayerEffect).
//
// Each is an AniBase the table view hands to its AniManage: it loads its
// sheet and builds its sprites when it starts, plays its effect sound
// ("ddzSound/<n>.mp3" through SoundManage) and answers true from UpdateFrame
// once its own last step has run; the manager then takes it off the scene.
// Every sprite is a child of the animation (or of one of its sprites), so
// removing the animation early takes everything with it. The view is borrowed
// (not owned): an animation never outlives the view's manager.
//
// The bomb kinds are in BombAnis.cpp.
#pragma once

#include "platform/engine/Sprite.h"
#include "platform/gamebase/AniBase.h"

class DDZGameView;

namespace ddz {
// Plays effect number n as "ddzSound/<n>.mp3" through SoundManage.
void PlayEffectSound(int n);
// The effect numbers of the card-type and result animations.
inline constexpr int kSoundShunzi = 7;
inline constexpr int kSoundPlane = 9;
inline constexpr int kSoundSuperBomb = 10;
inline constexpr int kSoundRocket = 11;
inline constexpr int kSoundSpring = 57;
inline constexpr int kSoundPlayerEffect = 208;
}  // namespace ddz

// One boat of the straight animation, with its three decorations: the flag
// (m_pQz), the sail (m_pCf) and the wake (m_pWater). A boat that is not
// "right" is mirrored, decorations included.
class BoatSprite : public cocos2d::Sprite {
 public:
  static constexpr const char* kFrame = "qorvddz_shunzi_chuan.png";
  // Null when the boat's frame is not loaded.
  static BoatSprite* create(bool bRight);
  void onEnter() override;

  cocos2d::Sprite* m_pQz = nullptr;
  cocos2d::Sprite* m_pCf = nullptr;
  cocos2d::Sprite* m_pWater = nullptr;
  bool m_bRight = true;

 private:
  explicit BoatSprite(bool bRight) : m_bRight(bRight) {}
};

// The straight (kind 1: one boat going left) and the pair straight (kind 2:
// a smaller boat going left and a second one going right). Ends when the
// boats have faded out (2.53 s).
class AniShunzi : public AniBase {
 public:
  static constexpr const char* kSheet = "vellddz_ani_shunzi.plist";
  static constexpr float kFrameTick = 0.1f;
  explicit AniShunzi(int kind) : m_iShunziType(kind) {}
  void onEnter() override;
  bool UpdateFrame(float) override { return m_bAniEnd; }

  bool m_bAniEnd = false;
  int m_iShunziType;  // 1 straight, 2 pair straight: the number of boats
  int m_iFrame = 0;
  BoatSprite* m_pBoat[2] = {};

 private:
  void OnFrameTick();
  void OnBoatEnd();
};

// The plane crosses the window from right to left in kCrossSeconds, moved by
// UpdateFrame on the frame's time, so the crossing takes as long at any
// frame rate.
class AniPlane : public AniBase {
 public:
  static constexpr const char* kSheet = "game_ani_plane_rocket.plist";
  static constexpr float kCrossSeconds = 1.2f;
  AniPlane() = default;
  void onEnter() override;
  bool UpdateFrame(float dt) override;

  cocos2d::Sprite* m_pPlane = nullptr;
  cocos2d::Sprite* m_pShadow = nullptr;
};

// The rocket rises from below the window to above it in 1.2 s with its fire
// flickering; it ends on the frame after it has left.
class AniRocket : public AniBase {
 public:
  static constexpr const char* kSheet = "vellddz_ani_boom.plist";
  static constexpr float kRiseSeconds = 1.2f;
  static constexpr float kFireTick = 0.2f;
  AniRocket() = default;
  void onEnter() override;
  bool UpdateFrame(float) override { return m_bAniEnd; }

  cocos2d::Sprite* m_pRocket = nullptr;
  cocos2d::Sprite* m_pFire = nullptr;
  int m_iFrame = 0;
  bool m_bAniEnd = false;

 private:
  void OnFireTick();
  void OnRocketEnd();
};

// The bomb that flies from m_ptStart to m_ptEnd at kSpeed pixels a second
// with a fire and two smoke trails, shakes the view and explodes; it ends
// when the explosion's frames have run.
class cjddz_AniSuperFallBomb : public AniBase {
 public:
  static constexpr const char* kSheet = "cjddz_eff_ani_zhadan.plist";
  static constexpr const char* kExplosionSheet = "cjddz_eff_ani_zhadan_1.plist";
  static constexpr float kSpeed = 1800.0f;
  static constexpr int kBombTag = 101;
  static constexpr int kFireTag = 111;
  static constexpr int kSmokeTag = 112;
  static constexpr int kThickSmokeTag = 113;

  cjddz_AniSuperFallBomb(DDZGameView* view, cocos2d::Vec2 start, cocos2d::Vec2 end)
      : m_ptStart(start), m_ptEnd(end), m_pView(view) {}
  void onEnter() override;
  void CallBackAniStart() override;
  bool UpdateFrame(float) override { return m_bAniEnd; }
  virtual void FireStage();
  virtual void ClearEffects();

  // The flight time of the bomb between two points, in seconds.
  static float FlightSeconds(cocos2d::Vec2 from, cocos2d::Vec2 to) { return from.distance(to) / kSpeed; }

  bool m_bAniEnd = false;
  cocos2d::Sprite* m_pBomb = nullptr;
  cocos2d::Vec2 m_ptStart;
  cocos2d::Vec2 m_ptEnd;
  DDZGameView* m_pView;  // borrowed

 private:
  void OnArrive();
};

// Call-and-rob mode: a bomb (type 1) or rocket (type 2) thrown along a
// Bezier curve from the playing seat at a target seat, or at the table's
// centre when there is no other target (m_iToPos -1 or the playing seat). It
// explodes there, shakes the view and ends with the view's doubling for the
// target (-1 for the centre) and factor 2.
class Ddz_PlayerEffect : public AniBase {
 public:
  static constexpr const char* kSheet = "qorvddzq_res_ani_bomb.plist";
  static constexpr const char* kExplosionSheet = "cjddz_eff_ani_zhadan_1.plist";
  static constexpr int kCentre = 3;  // the centre entry of g_ptHLBombDest
  static constexpr int kDoubleFactor = 2;

  // Seats outside 0-2 (other than -1 for the target) are refused at start:
  // the animation then ends without throwing anything.
  Ddz_PlayerEffect(DDZGameView* view, int fromPos, int toPos, int type)
      : m_pView(view), m_iFromPos(fromPos), m_iToPos(toPos), m_iType(type) {}
  void onEnter() override;
  bool UpdateFrame(float) override { return m_bAniEnd; }

  // True when the throw goes to the table's centre.
  bool HasNoTarget() const { return m_iToPos == -1 || m_iToPos == m_iFromPos; }

  DDZGameView* m_pView;  // borrowed
  cocos2d::Sprite* m_pBomb = nullptr;
  int m_iFromPos;
  int m_iToPos;
  int m_iType;  // 1 bomb, 2 rocket
  bool m_bAniEnd = false;
  cocos2d::Vec2 m_ptBezier[4];  // start, first control point, second control point, end

 private:
  void OnArrive();
  void OnExplosionEnd();
};
