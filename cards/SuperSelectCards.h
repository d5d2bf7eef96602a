// The wildcard pattern chooser of the Super table.
//
// When the selection of the own hand reads as two or more legal groups and
// the player presses play, the hand opens AllCardsGroup: a panel with one
// strip of small cards per reading (SuperSelectCards), two strips a row, a
// close button and a countdown. A tap on a strip plays that reading (the hand
// keeps exactly that group and presses play); a tap beside the strips or the
// close button brings back pass, hint and play; when the countdown reaches 0
// the first reading is played. The chooser leaves through the framework's
// deferred child remover.
//
// The hand owns one chooser for its life on the table and fills it anew at
// every opening; each opening builds a new panel and drops the old one.
#pragma once

#include <vector>

#include "cardlogic/SuperRules.h"
#include "cards/SpriteCardManage.h"

class AllCardsGroup;
class SuperSelfHandCard;

namespace cocos2d {
class Label;
namespace ui {
class Button;
class Scale9Sprite;
}  // namespace ui
}  // namespace cocos2d

// One reading as a strip of half-size cards, centred in a band 345 wide; a
// card that a joker stands in for is drawn with the wildcard face.
class SuperSelectCards : public SpriteCardManage {
 public:
  static constexpr float kCardScale = 0.5f;
  static constexpr int kBandWidth = 345;

  // A strip of `group`, appended to the chooser's strips (which keep it);
  // null, and nothing appended, when the strip cannot be made.
  static SuperSelectCards* create(AllCardsGroup* chooser, const ddz::CardGroupRecord& group);

  // Fills the row from the group: cards in the order of the played-cards row.
  void ShowGroup();
  // The first touch lies on one of the strip's cards.
  bool HitTest(const std::vector<cocos2d::Touch*>& touches) const;
  void LayoutCards() override;

  const ddz::CardGroupRecord& GetGroup() const { return m_group; }
  int GetStep() const { return m_iStep; }

 private:
  SuperSelectCards();

  ddz::CardGroupRecord m_group;  // fresh until create copies the reading in
  int m_iStep = 0;
};

class AllCardsGroup : public YndGameLayer {
 public:
  static constexpr int kPanelWidth = 750;
  static constexpr int kRowHeight = 120;
  static constexpr int kMaxSeconds = 25;  // a countdown above this (or below 0) is 0
  static constexpr float kTickSeconds = 1.0f;

  AllCardsGroup();
  ~AllCardsGroup() override;

  // The hand the pick goes to (not owned; the hand clears it when it goes).
  void SetOwnerHand(SuperSelfHandCard* hand) { m_pOwnerHand = hand; }
  SuperSelfHandCard* GetOwnerHand() const { return m_pOwnerHand; }
  void SetSecondsLeft(int seconds) { m_iSecondsLeft = seconds; }
  int GetSecondsLeft() const { return m_iSecondsLeft; }

  // The strips of the next opening, in the hand's order (retained while listed).
  void AddStrip(SuperSelectCards* strip);
  void ClearStrips();
  const std::vector<SuperSelectCards*>& GetStrips() const { return m_vcStrips; }

  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void OnClose(cocos2d::Ref* sender);
  void OnCountdown(float dt);

  cocos2d::ui::Scale9Sprite* GetBackground() const { return m_pBackground; }
  cocos2d::Sprite* GetTitle() const { return m_pTitle; }
  cocos2d::ui::Button* GetCloseButton() const { return m_pCloseButton; }
  cocos2d::Label* GetCountdownLabel() const { return m_pCountdownLabel; }

 private:
  // The hand keeps `strip`'s reading only and presses play.
  void Pick(const SuperSelectCards* strip);
  // Leaves the hand through the deferred child remover.
  void Leave();

  std::vector<SuperSelectCards*> m_vcStrips;
  cocos2d::ui::Scale9Sprite* m_pBackground = nullptr;  // child while open
  cocos2d::Sprite* m_pTitle = nullptr;                  // child of the background
  cocos2d::ui::Button* m_pCloseButton = nullptr;        // child of the background
  SuperSelfHandCard* m_pOwnerHand = nullptr;            // not owned
  int m_iSecondsLeft = 0;
  cocos2d::Label* m_pCountdownLabel = nullptr;          // child of the background
};
