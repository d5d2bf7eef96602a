// The player's own hand on the four-player table (two 54-card decks, four
// seats, up to 33 cards in the landlord's hand).
//
// It is the classic own hand (SelfHandCard) with the four-player rules put into
// the classic hand's hooks: SRClueCard classifies, compares through the
// classic comparison, completes a tapped selection and gives the hints, so no
// selection of this hand ever reaches the classic rules engine, which stops at
// 20 cards. Its requests are 17 (play or pass), 18 (bid) and 20 (the answer
// to the table's two-choice question), built by cardlogic/SRMessages.h.
//
// What else differs from the classic hand: its own scale, anchor and step
// limits (26 to 90); the fan leaves kHeadRoom on each side of the window (the
// bottom bar's own head stands at its left), a slide's 6 more; the default
// descending sort; no mouse play, no answer
// pairs, no quick select and no bottom bar; the two choice buttons 10 and 11;
// the cannot-beat tip shows without a fade; the time-out answers the choice
// question first. RefreshCardMarks shades every card of every bomb held and,
// asked with true, frames the golden cards when four or more of them are held.
//
// The automatic-play count is the classic hand's: three time-out plays in a
// row show the message box and leave the table 2 s later, never in the
// single-player game. The four-player view sets no bottom bar and no table
// play type, so the classic count's system messages and rocket exception
// never apply here.
#pragma once

#include <array>
#include <vector>

#include "cards/SelfHandCard.h"

class SRSelfHandCard : public SelfHandCard {
 public:
  static constexpr int kSRMinStep = 26;
  static constexpr int kSRMaxStep = 90;
  // The room the fan leaves at each side of the window.
  static constexpr float kHeadRoom = 116;
  // The two choice buttons, numbered after the main buttons (8 and 9 unused).
  enum ChoiceButton { kBtnChoiceFirst = 10, kBtnChoiceSecond = 11 };
  // Fewer cards hold no bomb; fewer golden cards than this get no frame.
  static constexpr int kMarkMinCards = 4;

  // `owner` may be null (nothing is sent then).
  explicit SRSelfHandCard(ISelfHandOwner* owner);

  void onEnter() override;
  void onExit() override;
  void SortCards() override;

  // The table's two-choice question: both choice buttons shown and enabled.
  void ShowTwoChoiceButtons();
  void OnButtonClick(cocos2d::Ref* sender) override;
  void OnAutoOperate() override;
  // Shades the bombs; with `golden`, frames four or more golden cards.
  void RefreshCardMarks(bool golden) override;

  // ---- what the four-player view sets ----
  // Card index (CardCode % 15) of the hand's golden card; -1 none.
  void SetGoldenRank(int rank) { m_iGoldenRank = rank; }
  int GetGoldenRank() const { return m_iGoldenRank; }
  // -1 none, 1 or 2 as the view writes it; the hand does not read it.
  void SetRole(int role) { m_iRole = role; }
  int GetRole() const { return m_iRole; }

  // Button 10 or 11; null for any other number or before the hand entered.
  cocos2d::ui::Button* GetChoiceButton(int index) const;

 protected:
  HandRequest PlayRequest(const std::vector<int>& cards) const override;
  HandRequest BidRequest(int bid) const override;
  bool NextHint(std::vector<int>& out) const override;
  void RestartHintCycle() const override;
  bool CompleteSelection(std::vector<int>& out, const std::vector<int>& selected) const override;
  bool SelectionPlays(const std::vector<int>& selected) const override;
  float CannotBeatTipFade() const override { return 0; }
  float FanWidth(bool slide) const override;
  bool ClassicAutoPlayCount() const override { return false; }
  void PlaceCardMarks(SpriteCardInfo* info, const cocos2d::Vec2& at, float scale) override;

 private:
  void BuildChoiceButtons();
  void ShadeBombs();
  void FrameGoldenCards();

  std::array<cocos2d::ui::Button*, 2> m_pChoiceBtn{};  // children of the hand
  int m_iGoldenRank = -1;
  int m_iRole = -1;
};
