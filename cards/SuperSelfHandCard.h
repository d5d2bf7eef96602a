// The player's own hand on the Super table (two or three seats, the jokers as
// wildcards).
//
// It is the classic own hand with the Super rules behind it, and does what
// the classic hand does where the behaviour is the same: the centred row,
// tap and drag selection, the right mouse button, the slide after a play,
// the bid buttons, the four yes/no pairs, the cannot-beat tip and the
// auto-play streak. What differs lives here (SuperSelfHandCard.cpp):
//
// - every rules question goes to the engine of the table's PlayerCountMode:
//   ErClueCard for two seats (2), SuperClueCard for three (0 and 1), always
//   with the table's special rules; any other mode answers "no";
// - a selection is kept as the list of its legal readings (CardGroupRecord),
//   rebuilt by CheckSelectedCards after every change. Leading keeps every
//   reading; following keeps the best reading of each type that beats the
//   play on the table under the Super comparison (SuperGroupBeats, where the
//   triple bomb is a bomb);
// - play sends the one reading listed as the 68-byte play request with its
//   wildcard bytes; two or more readings open the wildcard pattern chooser
//   (AllCardsGroup, SuperSelectCards.h), which sends the one picked;
// - the last card plays or passes by itself when the engine reads it one way.
//
// The row sorts as a plain card row (no sort order), the joker marker sits on
// the card, and there is no quick-select bar and no open-hand mark.
//
// One Super hand is current at a time (getInstance); it is a hand of its own,
// not the classic instance. A destroyed hand is never handed out.
#pragma once

#include <cstdint>
#include <vector>

#include "cardlogic/ErClueCard.h"
#include "cardlogic/SuperRules.h"
#include "cards/SelfHandCard.h"

class AllCardsGroup;

// What the Super hand needs of the Super table beyond ISelfHandOwner; the
// Super view implements both. A view that goes is forgotten by every Super
// hand that outlives it.
class ISuperHandOwner {
 public:
  // 0 or 1 three seats, 2 two seats (ddz::PlayerCountMode).
  virtual int GetPlayerCountMode() const = 0;
  // The table's special rules (borrowed; null reads as none).
  virtual const ddz::SpecialRuleFlags* GetSpecialRuleFlags() const = 0;
  // Shows the own play at once from the play request as sent (`length` bytes,
  // frame included).
  virtual void PlayCardsFromRecord(const std::uint8_t* request, int length) = 0;
  // Seconds left on the table's turn clock.
  virtual int GetClockSecondsLeft() const = 0;

 protected:
  ~ISuperHandOwner();
};

class SuperSelfHandCard : public SelfHandCard {
 public:
  static constexpr int kChooserZOrder = 2000;

  // The rules engine of one PlayerCountMode: the three operations the hand
  // asks and the mode it passes them.
  struct Engine {
    int mode;
    decltype(&ddz::ErClueCard::EnumerateGroups) enumerate;
    decltype(&ddz::ErClueCard::GetPrompt) prompt;
    decltype(&ddz::ErClueCard::SmartSelect) smartSelect;
  };
  // The engine of a mode; null for a mode the table does not have.
  static const Engine* EngineFor(int mode);

  // The current Super hand; creates an autoreleased one without an owner when
  // there is none.
  static SuperSelfHandCard* getInstance();
  static SuperSelfHandCard* getInstanceIfAny();

  // `owner` and `table` are the Super view (not owned; either may be null).
  SuperSelfHandCard(ISelfHandOwner* owner, ISuperHandOwner* table);
  ~SuperSelfHandCard() override;
  // Every live Super hand of `table` drops it (the view is going away).
  static void ForgetTable(const ISuperHandOwner* table);

  void onEnter() override;
  void onExit() override;
  void SortCards() override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // The own play leaves the hand as in the classic hand; an open chooser
  // closes first: the play was made for the seat.
  std::vector<cocos2d::Vec2> TakePlayedCards(const std::vector<int>& codes) override;
  // The table's reset for a new hand: the chooser closes, and the sliding
  // flag, the auto-play streak and the automatic-press, cannot-beat and
  // bottom-card flags are cleared.
  void ResetTurnState();

  // ---- turns (called by the view) ----
  // Every new turn closes a chooser left open from the turn before, so that
  // its pick cannot answer the new play on the table.
  void ShowChoiceButtons(int highest);
  void ShowAnswerPair(int pair);
  // The own turn to play against `cardsToBeat` (card codes; empty: leading).
  void ShowSendPassBtn(const std::vector<int>& cardsToBeat);
  void SetCardMasksVisible(bool visible);
  // The landlord's bottom cards: set when the own seat becomes landlord, and
  // once the bottom cards are in the hand; a finished touch clears both.
  void SetLandlordTookBottomCards(bool took) { SetTurnStarted(took); }
  bool IsLandlordTookBottomCards() const { return IsTurnStarted(); }
  void SetBottomCardsPending(bool pending) { SetUntouchedSinceTurn(pending); }
  bool IsBottomCardsPending() const { return IsUntouchedSinceTurn(); }

  // ---- legal groups ----
  // Rebuilds the legal readings of the selection and the play button.
  void CheckSelectedCards();
  void UpdateOutCardButton() override { CheckSelectedCards(); }
  // The Super engines' prompt cycle answers the base's hint questions.
  bool NextHint(std::vector<int>& out) const override;
  void RestartHintCycle() const override;
  // Highest type first; with `keepAll` every record, else the highest value of
  // each type (the first of equal values).
  static std::vector<ddz::CardGroupRecord> SortLegalGroups(std::vector<ddz::CardGroupRecord> candidates, bool keepAll);
  const std::vector<ddz::CardGroupRecord>& GetLegalGroups() const { return m_vcLegalGroups; }
  // The chooser leaves the picked reading here before it presses play.
  void SetLegalGroups(std::vector<ddz::CardGroupRecord> groups) { m_vcLegalGroups = std::move(groups); }

  // ---- presses ----
  void OnButtonClick(cocos2d::Ref* sender) override;
  void OnCallChoice(cocos2d::Ref* sender) { OnCallPairClick(sender); }
  void OnRobChoice(cocos2d::Ref* sender) { OnRobPairClick(sender); }
  void OnShowHandChoice(cocos2d::Ref* sender) { OnShowHandPairClick(sender); }
  void OnDoubleChoice(cocos2d::Ref* sender) { OnDoublePairClick(sender); }
  void OnAutoOperate() override;
  // Pass, hint and play shown again (the chooser was closed without a pick).
  void ShowTurnButtonsAgain();

  // ---- read access ----
  // Made in onEnter, destroyed in onExit; null outside.
  AllCardsGroup* GetChooser() const { return m_pChooser; }
  bool IsChooserOpen() const;
  ISuperHandOwner* GetTable() const { return m_pTable; }

 protected:
  bool CompleteSelection(std::vector<int>& pattern, const std::vector<int>& given) const override;
  cocos2d::Vec2 JokerMarkOffset() const override { return cocos2d::Vec2::ZERO; }
  // The row is always as wide as the window.
  float RowWidth() const override;
  bool ClassicAutoPlayCount() const override { return false; }

 private:
  const Engine* CurrentEngine() const;
  const ddz::SpecialRuleFlags* Rules() const;
  // The readings of `cards` by the table's engine; none without an engine.
  std::vector<ddz::CardGroupRecord> Enumerate(const std::vector<int>& cards) const;
  bool Prompt(std::vector<int>& suggestion) const;
  // Sets both engines' hint cycles and search modes back to the start.
  static void RestartHintCycles();
  void PlayLastCard();
  // The pass or play press: send, or open the chooser.
  void SendPlay(bool play);
  void OpenChooser();
  // Takes an open chooser off the hand (it stays ready for the next opening).
  void DismissChooser();
  void CloseChooser();
  // A press of the time-out action: it counts in the auto-play streak.
  void PressOnTimeOut(cocos2d::ui::Button* button);

  ISuperHandOwner* m_pTable = nullptr;  // not owned; null for a hand made by getInstance
  std::vector<ddz::CardGroupRecord> m_vcLegalGroups;
  AllCardsGroup* m_pChooser = nullptr;  // owned (one reference) between onEnter and onExit

  static SuperSelfHandCard* s_pInstance;
};
