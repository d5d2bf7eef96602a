// The card counters: a strip of fifteen numbers, one per rank (3, 4, ..., K,
// A, 2, small joker, big joker), showing either how many cards of each rank
// were played in this hand (mode 0) or how many are still out (mode 1).
//
// CardCounterLayer serves the one-deck tables (classic, tournament, Super);
// SRCardCounterLayer, the four-player table with two decks, differs only in
// its images and places, its value function, a full deck of 8 per rank (2 per
// joker) and the re-login snapshot of remaining counts (SetRemainCards).
//
// The owner (a top bar or the PC bottom bar) makes the counter, feeds it the
// played cards as card codes (readers of messages turn card bytes into codes
// through CardByteToCode first), clears it at the start of a hand and shows
// or hides its numbers. The two mode buttons switch the mode; the mode lives
// in GlobalInfo::iCardCounterMode, is written with the user's settings
// (GameViewBase::WriteSettingInfo) and so carries over to the next table and
// to both kinds of counter. The settings window, when it lands, writes the
// same settings through the same call and reads the mode from GlobalInfo.
//
// Column rule: the rank's card value minus 3 (value minus 5 on a one-deck
// table of kind 8, whose deck starts at 5). A code that names no card, or a
// column outside the 16 counted ones, is ignored; the 16th column (the
// wildcard) is counted and never shown.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d
class DDZGameView;

class CardCounterLayer : public YndGameLayer {
 public:
  static constexpr int kShownColumns = 15;
  static constexpr int kCountSlots = 16;
  static constexpr int kRankColumns = 13;  // 3..K, A, 2; the jokers follow
  static constexpr int kModePlayed = 0;
  static constexpr int kModeRemaining = 1;
  static constexpr int kKindShortDeck = 8;
  static constexpr const char* kSheet = "vellddz_res_jpq.plist";

  // pGameView: the view whose game kind AddCards reads; borrowed, may be null
  // (kind 0). The mode starts as GlobalInfo::iCardCounterMode.
  explicit CardCounterLayer(DDZGameView* pGameView);
  static CardCounterLayer* create(DDZGameView* pGameView);

  // Builds the strip once (later entries keep it), shows the numbers, and
  // stores and writes the mode.
  void onEnter() override;

  // One more played card in the column of each code, then Refresh.
  virtual void AddCards(const std::vector<int>& vcCards);
  // The start of a hand: the table kind taken, every count zeroed, the
  // numbers redrawn.
  void ClearCards(int iGameKind);
  // Whether the numbers show; on a strip not yet built only the flag is kept.
  void SetShow(bool bShow);
  // The mode buttons: switch the mode, swap the buttons, redraw, store the
  // mode in GlobalInfo and write the settings at once.
  void ShowRemain(cocos2d::Ref* sender = nullptr);
  void ShowPlayed(cocos2d::Ref* sender = nullptr);
  // Every number again from the counts and the mode; nothing while not running.
  void Refresh();

  // The column of a card code on this counter; -1 when the card is not counted.
  virtual int ColumnOf(int code) const;
  // Cards of a column in a full deck.
  virtual int FullDeck(int column) const { return column < kRankColumns ? 4 : 1; }

  int GetCount(int column) const { return m_iCount[column]; }
  int GetShowMode() const { return m_iShowMode; }
  bool IsShowingNumbers() const { return m_bShowNum; }
  int GetGameKind() const { return m_iGameKind; }
  cocos2d::Label* GetNumber(int column) const { return m_pNum[column]; }
  cocos2d::ui::Button* GetRemainButton() const { return m_pBtnRemain; }
  cocos2d::ui::Button* GetPlayedButton() const { return m_pBtnPlayed; }
  cocos2d::Sprite* GetBackground() const { return m_pBg; }

 protected:
  // The strip's background, buttons and number labels (the one-deck strip here).
  virtual void BuildStrip();
  void AddModeButtons(const char* remainImage, const char* playedImage, cocos2d::Vec2 at);
  void SetMode(int mode);

  DDZGameView* m_pGameView;                    // borrowed, may be null
  cocos2d::Sprite* m_pBg = nullptr;            // child; buttons and numbers are its children
  cocos2d::ui::Button* m_pBtnRemain = nullptr;  // shown in played mode
  cocos2d::ui::Button* m_pBtnPlayed = nullptr;  // shown in remaining mode
  cocos2d::Label* m_pNum[kCountSlots] = {};  // children of the background; 15 made
  int m_iCount[kCountSlots] = {};
  int m_iShowMode = kModePlayed;
  bool m_bShowNum = false;
  cocos2d::Vec2 m_ptBg;
  int m_iColumnNum = kShownColumns;
  int m_iGameKind = 0;
};

class SRCardCounterLayer : public CardCounterLayer {
 public:
  static constexpr int kRemainBytes = 15;

  explicit SRCardCounterLayer(DDZGameView* pGameView) : CardCounterLayer(pGameView) {}
  static SRCardCounterLayer* create(DDZGameView* pGameView);

  // After a re-login: the server's counts of cards still out, in the order A,
  // 2, 3, ..., K, small joker, big joker; each column's played count becomes
  // the full deck minus its remaining cards. Null, or a count above the full
  // deck, is refused with a log line and changes nothing.
  void SetRemainCards(const std::uint8_t* remain);

  int ColumnOf(int code) const override;
  int FullDeck(int column) const override { return column < kRankColumns ? 8 : 2; }

 protected:
  void BuildStrip() override;
};
