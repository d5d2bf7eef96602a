// A card of the mini-game: one face or its back, flipping between them,
// answering a touch and playing a win or fail effect.
//
// Kinds (one signed byte of the server's level data): 0 a blank card, 1 a
// jack or queen, 2 a two, 3 the small joker, 4 the big joker; 2 to 4 win.
// Faces of kinds 1 and 2 are drawn out of two pools shared by every card
// (jacks and queens of the four suits, twos of the four suits) that the
// mini-game layer refills at the start of every level, so no face repeats
// within a level. A card that finds its pool empty becomes a blank card,
// kind 0, marked with "DDZ_SmallGame_guan.png", and loses.
//
// Touches: only while the layer has switched the card's touch on, never while
// the help layer's rules panel is shown; a touch inside the card's back tells
// the owner (OnCardPicked). The effects end by asking the owner to show the
// other cards.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/engine/Layer.h"

namespace cocos2d {
class Sprite;
}
class DDZSmallGameOwner;

// Face values: suit * 256 + rank (rank in the low byte, suit 0 to 3 above it).
inline constexpr int SmallGameFaceValue(int rank, int suit) { return suit * 256 + rank; }
// Empties both pools, fills them (jacks then queens, suits in order; twos)
// and marks them filled.
void ResetSmallGameCardPool();
// The values left in the jack-and-queen pool and in the twos' pool.
const std::vector<int>& SmallGameJQPool();
const std::vector<int>& SmallGameTwoPool();

class DDZSmallGameCard : public cocos2d::Layer {
 public:
  enum Kind { kBlank = 0, kFace = 1, kTwo = 2, kSmallJoker = 3, kBigJoker = 4 };
  static constexpr float kTurnSeconds = 0.15f;
  static constexpr const char* kBackFrame = "cardback.png";
  static constexpr const char* kShadowFrame = "p_shadow.png";
  static constexpr const char* kEmptyPoolMark = "DDZ_SmallGame_guan.png";
  static constexpr const char* kWinRingFrame = "DDZ_SmallGameCardWin.png";
  static constexpr const char* kFailFrame = "DDZ_SmallGameCardFailed.png";
  static constexpr int kWinRings = 5;

  // owner: the mini-game layer (not owned). The card draws itself when it enters the stage.
  static DDZSmallGameCard* create(int kind, DDZSmallGameOwner* owner);

  void onEnter() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // Stores the kind and draws its face (see the class comment); clears both flags.
  void SetCardKind(int kind);
  // The face of `rank` (2, 11 to 15; anything else blank) in `suit`.
  void DrawFace(int rank, int suit);
  // Back to face (the shadow as asked) or face to back, over 0.3 s.
  void TurnOver(bool showShadow);
  // The win effect for kinds 2 to 4, else the fail effect.
  void ShowResult();
  void PlayWinEffect();
  void PlayFailEffect();
  // The owner shows the other cards.
  void OnEffectEnd();

  int GetKind() const { return m_iKind; }
  bool IsWinning() const { return m_iKind >= kTwo; }
  bool IsPicked() const { return m_bPicked; }
  void SetPicked(bool picked) { m_bPicked = picked; }
  bool IsEnabled() const { return m_bEnabled; }
  void SetEnabled(bool enabled) { m_bEnabled = enabled; }
  // The face value drawn (0 for a joker or a blank card).
  int GetFaceValue() const { return m_iFaceValue; }
  cocos2d::Node* GetFaceNode() const { return m_pFaceNode; }
  cocos2d::Sprite* GetFaceSprite() const { return m_pFace; }
  cocos2d::Sprite* GetBack() const { return m_pBack; }
  cocos2d::Sprite* GetShadow() const { return m_pShadow; }

 private:
  DDZSmallGameCard(int kind, DDZSmallGameOwner* owner);
  // A value out of `pool` (rand() mod its size), or -1 when it is empty.
  static int TakeFrom(std::vector<int>& pool);
  // Adds a sprite of `frame` to the face node (when the frame exists).
  cocos2d::Sprite* AddToFace(const char* frame, int z);
  void PlayAfter(float seconds, const char* sound);

  cocos2d::Node* m_pFaceNode = nullptr;  // child; every face image and the shadow
  DDZSmallGameOwner* m_pOwner = nullptr;  // not owned
  int m_iKind = 0;
  int m_iFaceValue = 0;
  cocos2d::Sprite* m_pFace = nullptr;    // child of the face node
  cocos2d::Sprite* m_pShadow = nullptr;  // child of the face node, z 3
  cocos2d::Sprite* m_pBack = nullptr;    // child, z 2
  bool m_bPicked = false;
  bool m_bEnabled = false;
};
