// One segment of the promotion screen's stage bar: the bar piece of a stage
// (first, middle or last; reached or still ahead) with the stage's number of
// players, which the final stage does not show. Its creator sets the three
// members before the segment enters; ShowReachAni reveals the reached piece
// over the piece ahead, left to right.
#pragma once

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Sprite;
}

class PromotionItem : public YndGameLayer {
 public:
  enum Kind { kFirst = 0, kMiddle = 1, kLast = 2 };
  static constexpr float kRevealSeconds = 0.5f;
  static constexpr float kNumberX = 46;

  static PromotionItem* create(int kind, int players, bool reached);
  ~PromotionItem() override;

  void onEnter() override;
  void ShowReachAni();

  // The piece's frame of a kind, reached or ahead, and where it stands.
  static const char* PieceFrame(int kind, bool reached);
  static cocos2d::Vec2 PiecePosition(int kind);

  int m_iKind = kMiddle;
  int m_iPlayers = 0;
  bool m_bReached = false;

  // ---- read access ----
  cocos2d::Sprite* GetPiece() const { return m_pPiece; }
  cocos2d::Node* GetNumber() const { return m_pNumber; }
  cocos2d::Node* GetReveal() const { return m_pReveal; }

 private:
  PromotionItem() = default;
  cocos2d::Sprite* m_pPiece = nullptr;   // children, this entry's
  cocos2d::Node* m_pNumber = nullptr;
  cocos2d::Node* m_pReveal = nullptr;
};
