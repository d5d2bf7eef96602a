// The score panel at the top of the classic PC table: the hand's base score,
// its multiple and the top score (the cap of the hand's winnings) in three
// columns, and after the bidding the three bottom cards in small.
//
// The panel builds its nodes when it enters the stage; every setter does
// nothing for a label that is not built. A base score or multiple of -1 hides
// its label (a new hand has none yet); the top score is always shown, -1
// included.
#pragma once

#include <array>
#include <vector>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Node;
class Sprite;
}  // namespace cocos2d

class TopUIPC : public YndGameLayer {
 public:
  static constexpr int kColumns = 3;
  static constexpr int kBottomCards = 3;
  static constexpr const char* kBgFrame = "qorvddzpc_difen_bg0.png";
  static constexpr const char* kWordFrame = "qorvddzpc_difen_word_%d.png";
  static constexpr const char* kLineFrame = "qorvddzpc_difen_bg_line.png";
  static constexpr float kFontSize = 20;
  static constexpr float kLabelDx = 28;  // the value's left edge, right of the column's word (48 wide)
  static constexpr float kLineDx = -30;  // left of the column's word
  static constexpr float kBaseCardsDelay = 0.5f;
  static constexpr float kCardScale = 0.3f;
  static constexpr float kCardGap = 36;
  // Where the bottom cards stand, right of the three columns, and how far the
  // panel slides to make room for them.
  static constexpr float kCardsDx = 120;
  static constexpr float kSlideDx = -40;

  static TopUIPC* create();

  void onEnter() override;

  // "%d" of the value; -1 hides the base score and the multiple. A top score
  // of 0 is no cap, and says so (kNoCapText).
  void SetBaseScore(int score);
  void SetNumber(int times);
  void SetTopScore(int score);
  static constexpr const char* kNoCapText = "不限";
  // The bottom cards (card codes) after a 0.5 s slide of the panel; a card
  // whose sprite is there already is not made again.
  void ShowBaseCards(const std::vector<int>& cards);
  void ShowBaseCardsNow(float dt);
  // A new hand: base score and multiple hidden, the card sprites removed and
  // the panel back in its place.
  void ResetPanel();

  cocos2d::Label* GetLabel(int column) const;
  cocos2d::Sprite* GetBaseCardSprite(int i) const;
  cocos2d::Node* GetPanel() const { return m_pPanel; }

 private:
  TopUIPC() = default;
  void SetLabel(int column, int value, bool hideMinusOne);

  cocos2d::Node* m_pPanel = nullptr;  // child of the layer; the rest are its children
  cocos2d::Sprite* m_pBg = nullptr;
  cocos2d::Label* m_pBaseScoreLabel = nullptr;
  cocos2d::Label* m_pTimesLabel = nullptr;
  cocos2d::Label* m_pTopScoreLabel = nullptr;
  std::array<cocos2d::Sprite*, kBottomCards> m_pBaseCards{};
  cocos2d::Node* m_pCardNode = nullptr;
  cocos2d::Vec2 m_ptPanel;
};
