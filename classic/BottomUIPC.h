// The bottom bar of the classic PC table: the own head, name and money (or,
// in the single-player game, the score total, win rate and score title), four
// panel buttons (card counter, settings, backpack, quick chat) and six quick
// buttons on the own hand (triple, straight, pair straight, bomb, sort, last
// round). It owns the panels its buttons open; each is its child only while
// open and is held through its reference count otherwise.
//
// Button states: at first only the settings button is enabled. The view
// calls EnableHandButtons when a hand is dealt (the four panel buttons and
// quick buttons 0-4), EnableLastRoundButton at the own seat's second turn and
// DisableHandButtons at the hand's result (all ten). Between the deal and the
// result quick buttons 0-4 follow the own hand (ISelfHandBottomBar): the hand
// says which groups it holds and whether it can be sorted.
//
// The quick buttons act on the view's live own hand only; without one they
// do nothing. The sort button cycles g_iHandSortOrder 0 -> 1 -> 2 -> 0.
//
// Quick chat: clicks closer than 500 ms to the last accepted one are ignored;
// sending a phrase disables the chat button for 10 s, a further phrase
// restarts the 10 s.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "cards/SelfHandOwner.h"
#include "platform/framework/YndGameLayer.h"
#include "widgets/TopUIBase.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d
class CardCounterLayer;
class DDZPackLayer;
class GameViewPC;
class LastCardTipPC;
class SelfHandCard;
class SysBoxUIPC;
class TalkLayer;
struct PlayerNode;

class BottomUIPC : public YndGameLayer, public ITalkCallBack, public ISelfHandBottomBar {
 public:
  enum PanelButton { kPanelCounter = 0, kPanelSettings = 1, kPanelPack = 2, kPanelTalk = 3, kPanelButtons = 4 };
  // Quick buttons 0-4 are ISelfHandBottomBar's; 5 opens the last round.
  static constexpr int kQuickLastRound = 5;
  static constexpr int kQuickButtons = 6;

  static constexpr float kNameMaxWidth = 120;
  static constexpr float kTextSize = 18;
  static constexpr float kTalkLockSeconds = 10.0f;
  static constexpr unsigned kTalkClickGapMs = 500;
  static constexpr int kClickSound = 6;
  static constexpr int kSingleNameText = 430;
  static constexpr float kHeadScale = 0.8f;
  static constexpr int kZLastRoundTip = 650;
  static constexpr const char* kReEnableTalkKey = "EnableTalkBtn";

  // `view` owns the bar (not owned here); the bar uses it only while it runs.
  static BottomUIPC* create(GameViewPC* view);
  ~BottomUIPC() override;

  void onEnter() override;
  void onExit() override;

  // The own player: money (not in the single-player game), name and head, and
  // prop 1 for the backpack; in the single-player game the name is game text
  // 430 and the statistics of the login record are shown. Null does nothing.
  void SetSelfInfo(PlayerNode* self);
  // Money as "%d"; nothing in the single-player game.
  void SetSelfMoney(int money);
  // The name at scale 1, scaled down to kNameMaxWidth when wider.
  void SetUserName(const std::string& name);

  void OnPanelBtnClick(cocos2d::Ref* sender);
  void OnQuickBtnClick(cocos2d::Ref* sender);

  // ---- what the view switches ----
  void SetPanelButtonEnabled(int index, bool enabled);
  // The deal: the four panel buttons on; quick buttons 0-4 follow the own hand.
  void EnableHandButtons();
  // The result: the four panel and six quick buttons off until the next deal.
  void DisableHandButtons();
  // The own seat's second turn: the last-round button on.
  void EnableLastRoundButton();
  // A seat played: an open last-round tip shows the table's last round again.
  void RefreshLastCardTip();
  // The card counter while the player has it open (on the bar), else null.
  CardCounterLayer* GetOpenCardCounter() const;

  // ITalkCallBack: a phrase is about to go out; the chat button rests 10 s.
  void CallBackSendTalk() override;
  void EnableTalkBtn(float dt = 0);

  // ISelfHandBottomBar
  bool IsBarRunning() const override { return isRunning(); }
  void SetQuickButtonEnabled(int button, bool enabled) override;
  bool IsSysBoxRunning() const override;
  void AddSysMessage(const char* text, int kind) override;

  // The panels of the bar open now (on the stage and shown): the settings,
  // the backpack, the quick chat, the card counter and the last-round tip.
  std::vector<cocos2d::Node*> OpenPanels() const;
  // Closes `panel`, one of OpenPanels(), as its button closes it.
  void ClosePanel(cocos2d::Node* panel);

  // ---- read access (view, tests) ----
  cocos2d::ui::Button* GetPanelButton(int i) const { return i >= 0 && i < kPanelButtons ? m_pPanelBtn[i] : nullptr; }
  cocos2d::ui::Button* GetQuickButton(int i) const { return i >= 0 && i < kQuickButtons ? m_pQuickBtn[i] : nullptr; }
  cocos2d::Label* GetNameLabel() const { return m_pNameLabel; }
  cocos2d::Label* GetMoneyLabel() const { return m_pMoneyLabel; }
  cocos2d::Label* GetSingleStatsLabel() const { return m_pStatsLabel; }
  cocos2d::Sprite* GetHeadSprite() const { return m_pHeadSprite; }
  cocos2d::Sprite* GetHeadFrame() const { return m_pHeadFrame; }
  int GetMoney() const { return m_iMoney; }
  TalkLayer* GetTalkLayer() const { return m_pTalkLayer; }
  DDZPackLayer* GetPackLayer() const { return m_pPackLayer; }

  // The panels: the system box is a child of the bar; the counter and the
  // last-round tip are kept (retained) and added while open.
  SysBoxUIPC* m_pSysBox = nullptr;            // owned
  LastCardTipPC* m_pLastCardTip = nullptr;    // owned
  CardCounterLayer* m_pCardCounter = nullptr; // owned

 private:
  explicit BottomUIPC(GameViewPC* view);
  void BuildButtons();
  cocos2d::Label* MakeLabel(const cocos2d::Vec2& at);
  // The view's live own hand while the bar runs, else null.
  SelfHandCard* OwnHand() const;
  void ShowSingleStats();
  void ApplyQuickButton(int button);
  // Adds `panel` to the bar when it is not running, else takes it off
  // through the deferred child remover. True when it was added.
  bool TogglePanel(cocos2d::Node* panel, int zOrder = 0);

  // ---- the panels of the system box, card counter and last-round tip ----
  void BuildSysBox();
  void BuildCardCounter();
  void BuildLastCardTip();
  void ToggleCardCounter();
  void ToggleLastCardTip();
  void ReleasePanels();

  GameViewPC* m_pGameView = nullptr;  // not owned
  std::array<cocos2d::ui::Button*, kPanelButtons> m_pPanelBtn{};  // children
  TalkLayer* m_pTalkLayer = nullptr;     // retained; a child only while open
  DDZPackLayer* m_pPackLayer = nullptr;  // retained; a child only while open
  std::array<cocos2d::ui::Button*, kQuickButtons> m_pQuickBtn{};  // children
  cocos2d::Label* m_pNameLabel = nullptr;   // child
  cocos2d::Label* m_pMoneyLabel = nullptr;  // child
  cocos2d::Label* m_pStatsLabel = nullptr;  // child; the single-player statistics
  int m_iMoney = 0;
  cocos2d::Sprite* m_pHeadSprite = nullptr;  // child while set
  cocos2d::Sprite* m_pHeadFrame = nullptr;   // child; the head picture sits in it

  // Quick buttons 0-4: what the own hand asks for, applied between the deal
  // and the result.
  std::array<bool, ISelfHandBottomBar::kQuickSort + 1> m_bQuickWanted{};
  bool m_bHandButtonsLive = false;
  // The last accepted click of the chat button.
  bool m_bTalkClicked = false;
  unsigned m_uLastTalkClickMs = 0;
};
