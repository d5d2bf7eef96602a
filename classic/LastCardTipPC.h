// The last-round tip of the classic PC table: what each seat played when its
// turn last came, one small card row per seat, on a panel in the middle of the
// window. A seat that passed shows a "pass" word; a seat that has not played
// yet in this hand shows an empty place. The bottom bar's last-round button
// opens it; a touch outside the panel closes it.
//
// The rows and pass words are made once and refilled at every showing, so
// opening the tip again and again keeps one set. A round in which every seat
// passed shows nothing.
#pragma once

#include <array>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Sprite;
namespace ui {
class Scale9Sprite;
}
}  // namespace cocos2d
class LastCardPC;

class LastCardTipPC : public YndGameLayer {
 public:
  static constexpr int kSeats = 3;
  static constexpr int kCardsPerSeat = 20;
  static constexpr const char* kPassFrame = "qorvddz_tips_pass_english.png";
  static constexpr const char* kBgFrame = "qorvddzpc_lastround_bg.png";
  static constexpr float kBgWidth = 572;
  static constexpr float kBgHeight = 338;

  static LastCardTipPC* create();
  // Where seat `seat`'s row stands.
  static cocos2d::Vec2 RowPosition(int seat);

  // Hides itself and takes touches.
  void onEnter() override;
  // Fills the rows from card codes (entries below 0 are empty) and shows the
  // tip when any seat played a card. A seat without a card shows the pass
  // word when `passed` says it passed, else nothing.
  void ShowLastRound(const int cards[kSeats][kCardsPerSeat], const bool passed[kSeats]);
  // A touch outside the panel closes the tip and takes it off its parent.
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  LastCardPC* GetRow(int seat) const;
  cocos2d::Sprite* GetPassSprite(int seat) const;
  cocos2d::ui::Scale9Sprite* GetBackground() const { return m_pBg; }

 private:
  LastCardTipPC() = default;

  std::array<LastCardPC*, kSeats> m_pRows{};       // children of the tip
  std::array<cocos2d::Sprite*, kSeats> m_pPass{};  // children of the tip
  cocos2d::ui::Scale9Sprite* m_pBg = nullptr;      // child of the tip; null while closed
};
