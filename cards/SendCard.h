// The cards a seat has just played, and a seat's opened hand in small cards.
//
// SendCard: the own seat's cards fly in kFlySteps steps (at least
// kFlyStepMs apart) from where they stood in the hand to a row centred in the
// window, shrinking to the row's scale on the way; the other seats' rows are
// laid out at once, aligned to their side (left-aligned on the left,
// right-aligned on the right, centred on top) and wrapped into rows of
// their cards-per-row. Each row keeps its own step clock and count, so rows
// flying at the same time each end on target. ArrangeByCardType puts the
// main part of a play first (the triple before its single, the planes before
// their wings, an A that counts low after the 2 and 3 of a low straight).
//
// SmallShowCard: a seat's whole hand face up in small cards, ten to a row.
#pragma once

#include <vector>

#include "cards/SpriteCardManage.h"

class SendCard : public SpriteCardManage {
 public:
  static constexpr int kFlySteps = 8;
  static constexpr unsigned kFlyStepMs = 15;
  static constexpr int kRowDrop = 35;  // between wrapped rows of a side seat
  enum Seat { kLeft = 0, kOwn = 1, kRight = 2, kTop = 3 };

  // `seat`: the screen seat; `anchor`: the seat's place; `finalScale`: the
  // scale of the cards at rest.
  SendCard(int seat, cocos2d::Vec2 anchor, float finalScale);

  // Starts the fly-in from `starts`, one place per card in row order (a card
  // without one starts on its target).
  void ShowSendCards(std::vector<cocos2d::Vec2> starts);
  // The own seat's row back in its centred places at the final scale (a
  // running fly-in stops there).
  void ResetCardsPos();
  // Reorders the row for a play of `type` with key value `key` (card types
  // and values as the classifier gives them); other types keep the order.
  void ArrangeByCardType(int type, int key);
  // The same order on any row's records; false (and nothing moved) for a type
  // that keeps its order.
  static bool ArrangeRecords(std::vector<SpriteCardInfo*>& cards, int type, int key);
  void LayoutCards() override;
  void update(float dt) override;

  // Where card i of a centred row of n cards stands.
  cocos2d::Vec2 CentredPlace(int i, int n) const;
  int GetCardsPerRow() const { return m_iCardsPerRow; }
  const std::vector<cocos2d::Vec2>& GetTargets() const { return m_vcTarget; }
  bool IsFlying() const { return m_bFlying; }
  // With the side offset the side seats' rows stand shifted by the seat's
  // layout offset.
  void SetUseSideOffset(bool use) { m_bUseSideOffset = use; }

 private:
  std::vector<cocos2d::Vec2> m_vcStep;
  std::vector<cocos2d::Vec2> m_vcTarget;
  int m_iCardsPerRow = 10;
  cocos2d::Vec2 m_ptSideOffset;
  int m_iGap = 0;
  int m_iFrames = kFlySteps;
  unsigned m_uStepMs = kFlyStepMs;
  int m_iSeat = kOwn;
  bool m_bUseSideOffset = false;
  float m_fFinalScale = 1.0f;
  float m_fScaleStep = 0;
  // The fly-in's own clock and count.
  unsigned int m_uLastStepTime = 0;
  int m_iStepCount = 0;
  bool m_bFlying = false;
};

class SmallShowCard : public SpriteCardManage {
 public:
  static constexpr int kCardsPerRow = 10;

  // `seat`: the screen seat; (x, y): the first card's place; `scale`: the
  // cards' scale (the jokers keep 1.0).
  SmallShowCard(int seat, float x, float y, float scale);

  void onEnter() override;
  void LayoutCards() override;

 private:
  int m_iCardsPerRow = kCardsPerRow;
  int m_iSeat = 0;
  float m_fOriginX = 0;
  float m_fOriginY = 0;
  float m_fScale = 1.0f;
};
