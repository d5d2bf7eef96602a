// The player's own hand on the classic table.
//
// Selection and layout (SelfHandCard.cpp): the hand is laid out as one centred
// fan across the window; cards are selected by tapping, by dragging over a
// range, and completed into a whole pattern by the smart selection; the right
// mouse button plays (or passes when nothing beats the table); the hand sorts
// in one of three orders (g_iHandSortOrder); the quick-select operations raise
// the next triple, straight, pair straight or bomb; after a play the remaining
// cards slide to their new places in 8 steps of at least 15 ms each.
//
// Buttons and requests (SelfHandButtons.cpp): four bid buttons, pass,
// reselect, hint and play, and four yes/no answer pairs of the call-and-rob
// table; the play check (the selection must be a pattern that beats the play
// on the table); bid and action requests (22), show-hand (23) and play (24)
// built by the classic message builders and sent through the owner view; the
// hint cycle; the action taken when the turn times out. Three automatic plays
// in a row show a message box and leave the table 2 s later, except in the
// single-player game.
//
// One hand is current at a time: every new hand becomes the instance that
// getInstance returns, and a hand that goes away stops being it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "cards/SelfHandOwner.h"
#include "cards/SpriteCardManage.h"

namespace cocos2d {
class Ref;
namespace ui {
class Button;
}
}  // namespace cocos2d

// The sort order of the own hand: 0 descending, 1 ascending, 2 grouped by the
// number of equal cards. The table's sort button cycles it.
extern int g_iHandSortOrder;

class SelfHandCard : public SpriteCardManage {
 public:
  // Main buttons: 0-3 the bids, then pass, reselect, hint, play.
  enum MainButton { kBtnBid0 = 0, kBtnBid3 = 3, kBtnPass = 4, kBtnReselect = 5, kBtnHint = 6, kBtnPlay = 7 };
  static constexpr int kMainButtons = 8;
  // Answer pairs of the call-and-rob table, each a left (no) and right (yes) button.
  enum AnswerPair { kPairCall = 0, kPairRob = 1, kPairShowHand = 2, kPairDouble = 3 };
  static constexpr int kAnswerPairs = 4;
  enum QuickKind { kQuickTriple = 0, kQuickStraight = 1, kQuickPairStraight = 2, kQuickBomb = 3 };

  static constexpr int kMaxStep = 90;
  static constexpr int kMinStep = 40;
  static constexpr int kSlideSteps = 8;
  static constexpr unsigned int kSlideStepMs = 15;
  static constexpr int kAutoPlaysToQuit = 3;
  static constexpr float kQuitDelay = 2.0f;
  static constexpr float kTipFadeIn = 0.5f;

  // The current hand; creates one with no owner and the window's width when
  // there is none (autoreleased: it lives until the end of the frame unless
  // someone keeps it).
  static SelfHandCard* getInstance();
  // The current hand or null; never creates one.
  static SelfHandCard* getInstanceIfAny();

  // `owner` may be null; a width not above 0 means the window's width.
  SelfHandCard(ISelfHandOwner* owner, float width);
  // Every live hand of `owner` drops it (the owner is going away).
  static void ForgetOwner(const ISelfHandOwner* owner);
  ~SelfHandCard() override;

  // The hand's width, shared by every hand.
  static float GetHandWidth() { return s_fHandWidth; }

  void onEnter() override;
  void onExit() override;

  // ---- layout and order ----
  void LayoutCards() override;
  void SortCards() override;
  // An emptied hand has nothing left to slide: a running slide ends with it,
  // so the cards of a new deal or a restore are laid out at once.
  void RemoveAllCards() override;
  // The own play the table shows leaves the hand: each card of `codes` goes
  // (the first card of that code, row order), the marks are redrawn, and the
  // rest slide from where they stood to their new places. Returns where each
  // played card stood in the hand, in the order of `codes`; (0, 0) for a
  // code the hand does not hold.
  virtual std::vector<cocos2d::Vec2> TakePlayedCards(const std::vector<int>& codes);
  // Starts the slide of every card from where it stands to its place in the
  // current layout; the animating flag must be set first, or the layouts
  // before it have already put the cards there.
  void SetCardsPosition();
  void update(float dt) override;
  // The open-hand mark on every card.
  void ShowMingPaiMark();

  // ---- selection ----
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void CallBackHandleMouseEvent(int kind, cocos2d::EventMouse* event) override;
  void SmartSelectTap();
  void SmartSelectRange(int first, int last);

  // ---- quick select ----
  void SelectTriple();
  void SelectStraight();
  void SelectPairStraight();
  void SelectBomb();
  void UpdateQuickSelectButtons();

  // ---- buttons, requests and hints ----
  // The own turn to bid; bids up to `highest` (but bid 0) are disabled. A
  // play turn still open is closed first.
  void ShowCallScoreButtons(int highest);
  // The own turn to play against `lastPlay` (card codes; empty when leading).
  virtual void ShowOutCardButtons(const std::vector<int>& lastPlay);
  // Re-evaluates the play button after a change of the selection.
  virtual void UpdateOutCardButton();
  // Click of a main button (also the right mouse button and the time-out).
  virtual void OnButtonClick(cocos2d::Ref* sender);
  // Clicks of the answer pairs.
  void OnCallPairClick(cocos2d::Ref* sender);
  void OnRobPairClick(cocos2d::Ref* sender);
  void OnShowHandPairClick(cocos2d::Ref* sender);
  void OnDoublePairClick(cocos2d::Ref* sender);
  // Shows both buttons of an answer pair (the table shows the one the server asks for).
  void ShowAnswerPair(int pair);
  // The time-out action: on the turn that is open; nothing when none is.
  void OnAutoOperate() override;
  // Closes the own bid turn: the bid buttons and the call, rob and double
  // pairs hidden.
  void CloseBidTurn();
  // Closes every open own turn (a new deal, a reset, the result): no button
  // or answer pair shown, the cannot-beat tip hidden, no choice awaited.
  void CloseTurns();

  // ---- what the table view sets and reads ----
  ISelfHandOwner* GetOwnerView() const { return m_pOwnerView; }
  void SetBottomBar(ISelfHandBottomBar* bar);
  ISelfHandBottomBar* GetBottomBar() const { return m_pBottomBar; }
  void SetTurnStarted(bool started) { m_bTurnStarted = started; }
  bool IsTurnStarted() const { return m_bTurnStarted; }
  void SetUntouchedSinceTurn(bool untouched) { m_bUntouchedSinceTurn = untouched; }
  bool IsUntouchedSinceTurn() const { return m_bUntouchedSinceTurn; }
  void SetAnimating(bool animating) { m_bAnimating = animating; }
  bool IsAnimating() const { return m_bAnimating; }
  void SetAutomatic(bool automatic) { m_bAutomatic = automatic; }
  bool IsAutomatic() const { return m_bAutomatic; }
  void SetCannotBeat(bool cannotBeat) { m_bCannotBeat = cannotBeat; }
  bool IsCannotBeat() const { return m_bCannotBeat; }
  void SetLastTablePlayType(int type) { m_iLastTablePlayType = type; }
  int GetLastTablePlayType() const { return m_iLastTablePlayType; }
  int GetAutoPlayCount() const { return m_iAutoPlayCount; }
  bool IsWaitingForChoice() const { return m_bWaitingForChoice; }
  const std::vector<int>& GetLastPlay() const { return m_vcLastPlay; }

  // ---- read access (table view, tests) ----
  float GetCardStep() const { return m_fCardStep; }
  int GetPressedIndex() const { return m_iPressedIndex; }
  int GetLastQuickValue(int kind) const { return m_iLastQuickValue.at(static_cast<std::size_t>(kind)); }
  const std::vector<int>& GetSlideTargets() const { return m_vcSlideTarget; }
  cocos2d::ui::Button* GetMainButton(int index) const;
  // side 0 the left (no) button, 1 the right (yes) one.
  cocos2d::ui::Button* GetPairButton(int pair, int side) const;
  cocos2d::Sprite* GetCannotBeatTip() const { return m_pCannotBeatTip; }
  // The card codes of the hand in row order, and of its selected cards.
  std::vector<int> HandCodes() const;
  std::vector<int> SelectedCodes() const;

 protected:
  // For the hands of other tables: with `current` false the new hand does not
  // become the instance getInstance returns (they keep instances of their
  // own) and leaves the classic hands' width alone.
  SelfHandCard(ISelfHandOwner* owner, float width, bool current);

  // ---- what a hand of another table answers differently ----
  // Where a card's joker marker stands from the card at the card scale.
  virtual cocos2d::Vec2 JokerMarkOffset() const;

  // ---- what a variant of the hand answers differently ----
  // The width the fan spreads over (the hand's width).
  virtual float RowWidth() const { return s_fHandWidth; }
  // Where each card stands when not raised, in row order; sets the card step.
  // The layout (slide false) and the slide (true) both place the cards here.
  virtual std::vector<cocos2d::Vec2> HomePlaces(bool slide);
  // Puts the records in the hand's order (g_iHandSortOrder); SortCards then
  // sets the z-orders and lays out.
  virtual void OrderCards();
  // The cards a drag from place `lo` to place `hi` (lo <= hi) covers.
  virtual std::vector<int> DragRangeCodes(int lo, int hi) const;
  // The bookkeeping of automatic plays after every play or pass.
  virtual void AfterPlayOrPass();
  // The classic count of automatic plays: nothing is counted against a
  // rocket, and the first two counted plays write a line into the bottom
  // bar's system box. The four-player and Super hands count every one.
  virtual bool ClassicAutoPlayCount() const { return true; }
  // Whether a pass made by the time-out action counts as an automatic play.
  virtual bool TimeOutPassIsAutomatic() const { return true; }
  // The card the time-out action leads with (the hand is not empty).
  virtual int TimeOutLeadIndex() { return static_cast<int>(m_vcCards.size()) - 1; }

  // The card width at the hand's scale.
  float ScaledCardWidth() const;
  // The step between neighbouring cards for n cards (the maximum for one card
  // or none), in the fan of a layout or of a slide.
  float ComputeStep(int n, bool slide = false) const;
  // The left edge of the fan of n cards with the given step.
  int ComputeLeft(int n, float step) const;
  // Deselects every card and selects, for each code, the first card of that
  // code that is not yet selected (row order). Does not lay out.
  void SelectCodes(const std::vector<int>& codes);
  // The card under a point of the layer, from the top-most down; -1 none.
  int CardAt(const cocos2d::Vec2& point) const;
  cocos2d::Vec2 TouchPoint(const cocos2d::Touch* touch) const;
  void ClearTouched();
  void QuickSelect(int kind, int minCards);
  void BuildMainButtons();
  void BuildAnswerPairs();
  void BuildCannotBeatTip();
  void OnPairClick(int pair, cocos2d::Ref* sender);
  void PressAutomatically(int index);
  void QuitAfterAutoPlays(float dt);
  bool IsButtonUsable(int index) const;
  void SortHandCards();

  // ---- what the rules of a table change (the classic ones here) ----
  // A request ready to send: the whole message (empty when refused) and its type.
  struct HandRequest {
    std::vector<std::uint8_t> msg;
    int type = 0;
  };
  virtual HandRequest PlayRequest(const std::vector<int>& cards) const;
  virtual HandRequest BidRequest(int bid) const;
  // The hint's next suggestion from the hand against the last play; false when
  // nothing beats it, true and empty when a running cycle is exhausted.
  virtual bool NextHint(std::vector<int>& out) const;
  virtual void RestartHintCycle() const;
  // A play turn against `lastPlay` (empty: the hand leads), closing the bid
  // turn first: the four play buttons shown, pass and hint only when
  // following, the play button by the selection, and the cannot-beat tip
  // when nothing in the hand beats it.
  void OpenPlayTurn(const std::vector<int>& lastPlay);
  // The start of a play-button check: the play button off and the reselect
  // button enabled by `selected` (filled with the selected codes). Null, with
  // nothing changed, while the play button is not shown.
  cocos2d::ui::Button* ResetPlayButtonForSelection(std::vector<int>& selected);
  // The whole pattern that a tapped or dragged selection completes into.
  virtual bool CompleteSelection(std::vector<int>& out, const std::vector<int>& selected) const;
  // The selected cards form a pattern that may be played now.
  virtual bool SelectionPlays(const std::vector<int>& selected) const;
  // Seconds the cannot-beat tip takes to fade in; 0 shows it at once.
  virtual float CannotBeatTipFade() const { return kTipFadeIn; }
  // The width the fan of cards may take in a layout or in a slide.
  virtual float FanWidth(bool slide) const;
  // Puts a card's marks (joker marker, landlord mark, ...) with the card at `at`.
  virtual void PlaceCardMarks(SpriteCardInfo* info, const cocos2d::Vec2& at, float scale);

  // ---- selection and layout ----
  bool m_bUntouchedSinceTurn = true;
  ISelfHandOwner* m_pOwnerView = nullptr;  // not owned; null for a hand made by getInstance
  int m_iPressedIndex = -1;
  bool m_bAnimating = false;
  float m_fCardStep = 0;
  int m_iMaxStep = kMaxStep;
  int m_iMinStep = kMinStep;
  std::vector<int> m_vcSlideTarget;
  std::vector<float> m_vcSlideStep;
  // The slide's own clock: the time of its last step and the steps made.
  unsigned int m_uSlideLastStepTime = 0;
  int m_iSlideStepCount = 0;
  bool m_bTurnStarted = false;
  ISelfHandBottomBar* m_pBottomBar = nullptr;
  cocos2d::Ref* m_pBottomBarRef = nullptr;  // retained while held, when the bar is a Ref
  std::array<int, 4> m_iLastQuickValue{-1, -1, -1, -1};
  int m_iLastCardCount = 0;

  // ---- buttons, requests and hints ----
  std::array<cocos2d::ui::Button*, kMainButtons> m_pMainBtn{};
  std::array<cocos2d::ui::Button*, kAnswerPairs * 2> m_pPairBtn{};
  bool m_bWaitingForChoice = false;
  int m_iAutoPlayCount = 0;
  cocos2d::Sprite* m_pCannotBeatTip = nullptr;
  std::vector<int> m_vcLastPlay;
  bool m_bAutomatic = false;
  bool m_bCannotBeat = false;
  int m_iLastTablePlayType = 0;

 private:
  static SelfHandCard* s_pInstance;
  static float s_fHandWidth;
};
