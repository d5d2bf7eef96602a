// The player's own hand on the tournament table.
//
// It is the classic own hand (SelfHandCard) with these differences, each one an
// answer to one of the classic hand's questions:
// - in portrait (GameSceneBase::m_iGameOrientation 1, read at every call) the
//   hand lies in two rows: the first holds up to the row length (8 to 11, by
//   the card count once the hand is complete), the second the rest and ends
//   where the first ends; the card step shrinks with the first row's length.
//   The first row runs from the highest card down, the second from the lowest
//   up. A drag that crosses the rows covers the low end of each row;
// - the fan spreads over the window width less 20; on the tablet layout the
//   landscape row sits 30 lower;
// - the play request (24) is 68 bytes: it carries the auto-play marker and the
//   seconds the player took since the play buttons came up;
// - auto-play instead of the classic warnings: a play or pass made by the
//   time-out action counts and puts the auto-play overlay (AutoSendCard) over
//   the table, which tells the server; the player's own play resets the count.
//   A time-out pass against a rocket, with nothing counted yet, is not counted;
//   the game is never left for automatic plays;
// - no mouse play, no quick select, no open-hand mark, no sort order of the
//   player's choosing, and no card marks.
//
// One tournament hand is current at a time: every new one becomes the one
// shareInstance returns, and a destroyed one stops being it.
#pragma once

#include <vector>

#include "cards/SelfHandCard.h"

class AutoSendCard;

class CompeteSelfHandCard : public SelfHandCard {
 public:
  static constexpr int kOverlayZOrder = 1000;
  static constexpr float kTabletLowering = 30;

  // The current tournament hand; creates one with no owner when there is
  // none (autoreleased: it lives until the end of the frame unless kept).
  static CompeteSelfHandCard* shareInstance();
  // The current tournament hand or null; never creates one.
  static CompeteSelfHandCard* shareInstanceIfAny() { return s_pCompeteInstance; }

  // `owner` may be null.
  explicit CompeteSelfHandCard(ISelfHandOwner* owner);
  ~CompeteSelfHandCard() override;

  // Builds the classic buttons with the mouse left off, then the overlay
  // (not attached).
  void onEnter() override;
  // The classic exit, then the overlay goes (its exit tells the server that
  // auto-play is off when it was on).
  void onExit() override;

  // Stamps the start of the turn, then as the classic hand.
  void ShowOutCardButtons(const std::vector<int>& lastPlay) override;
  // No marks on the own hand.
  void RefreshCardMarks(bool) override {}

  // The row length and step limits of the portrait layout for the current
  // card count; the layout, sort, slide and time-out lead run it themselves.
  void UpdatePortraitMetrics();

  // ---- the two-row drag (portrait) ----
  // Presses the card under the touch and limits the drag to its row.
  void TouchesBeganTwoRows(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event);
  // Marks the cards between the pressed one and the one under the touch; a
  // touch on the end card of the other row spans both rows' low ends.
  void TouchesMovedTwoRows(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event);

  // ---- what the tournament view sets and reads ----
  void SetHandComplete(bool complete) { m_bHandComplete = complete; }
  bool IsHandComplete() const { return m_bHandComplete; }
  void SetRole(int role) { m_iRole = role; }
  int GetRole() const { return m_iRole; }
  void SetAutoPlayCount(int count) { m_iAutoPlayCount = count; }
  // A new hand starts off auto-play: the count 0 and the overlay taken off
  // (which tells the server).
  void EndAutoPlay();
  int GetTurnStartTime() const { return m_iTurnStartTime; }

  // ---- read access (view, tests) ----
  static bool IsPortrait();
  int GetRowLength() const { return m_iRowLength; }
  int GetMinStep() const { return m_iMinStep; }
  AutoSendCard* GetAutoSendCard() const { return m_pAutoSend; }
  bool IsCrossRow() const { return m_bCrossRow; }

 protected:
  float RowWidth() const override;
  std::vector<cocos2d::Vec2> HomePlaces(bool slide) override;
  void OrderCards() override;
  std::vector<int> DragRangeCodes(int lo, int hi) const override;
  // The 68-byte play request: the classic one with the auto-play marker and the
  // seconds the player took.
  HandRequest PlayRequest(const std::vector<int>& cards) const override;
  void AfterPlayOrPass() override;
  bool TimeOutPassIsAutomatic() const override;
  int TimeOutLeadIndex() override;

 private:
  std::vector<cocos2d::Vec2> TwoRowPlaces();
  // Marks the cards from `first` to `last` touched and shows their veils.
  void MarkTouched(int first, int last);
  // The card under a point among places lo..hi, from the top-most down; -1 none.
  int CardAtIn(const cocos2d::Vec2& point, int lo, int hi) const;
  bool InFirstRow(int index) const { return index < m_iRowLength; }

  AutoSendCard* m_pAutoSend = nullptr;  // owned (one reference) from onEnter to onExit
  int m_iRowLength = 9;
  bool m_bHandComplete = false;
  int m_iRole = -1;
  int m_iTurnStartTime = 0;  // low 32 bits of the wall time in seconds
  int m_iDragLow = 0;
  int m_iDragHigh = 0;
  bool m_bCrossRow = false;

  static CompeteSelfHandCard* s_pCompeteInstance;
};
