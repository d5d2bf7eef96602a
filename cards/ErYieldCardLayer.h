// The let-cards panel of the two-seat Super table.
//
// One side plays with a handicap: the other side may leave a number of cards
// in its hand and still win. The view makes this layer on the first
// let-cards message with a count above 0, keeps it as its child and hands it
// every later count. When it enters the scene a small panel slides in at the
// left edge ("let cards" and "the farmers win with N cards fewer"); while the
// landlord is not yet known a large word image in the middle of the screen
// shows the count twice in image digits. The first count after the landlord
// is known hides the word for good.
#pragma once

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Scale9Sprite;
class TextAtlas;
}  // namespace ui
}  // namespace cocos2d

class ErYieldCardLayer : public YndGameLayer {
 public:
  static constexpr float kPanelWidth = 190;
  static constexpr float kSlideSeconds = 0.6f;
  static constexpr int kTextFirstLine = 9;   // of the Super table's text table
  static constexpr int kTextSecondLine = 10;

  // Null when the layer cannot be made.
  static ErYieldCardLayer* create();

  void onEnter() override;
  // Keeps `count`; on the screen, shows it on the panel, and on the word while
  // `landlordSeat` is -1 (not decided) and the count is 1 or more. Off the
  // screen only the count is kept.
  void SetYieldNum(int count, int landlordSeat);

  int GetYieldNum() const { return m_iCount; }
  cocos2d::ui::Scale9Sprite* GetPanel() const { return m_pPanel; }
  cocos2d::Sprite* GetWord() const { return m_pWord; }
  cocos2d::ui::TextAtlas* GetDigits(int i) const { return m_pDigits[i == 0 ? 0 : 1]; }
  cocos2d::Label* GetCountLabel() const { return m_pCountLabel; }
  cocos2d::Label* GetSmallCountLabel() const { return m_pSmallCountLabel; }

 private:
  ErYieldCardLayer();

  int m_iCount = 0;
  // Children of the layer or of the panel and word; null until the first onEnter.
  cocos2d::ui::Scale9Sprite* m_pPanel = nullptr;
  cocos2d::Sprite* m_pWord = nullptr;
  cocos2d::ui::TextAtlas* m_pDigits[2] = {nullptr, nullptr};
  cocos2d::Label* m_pCountLabel = nullptr;
  cocos2d::Label* m_pSmallCountLabel = nullptr;
};
