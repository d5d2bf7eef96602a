// The top bar of the tournament and Super tables. In one framed strip at the
// top centre it shows the base score and the multiple (the score side) or,
// once the landlord is known, the three bottom cards (the card side), and
// flips between them by itself: after ShowBaseCards the cards stand 10 s,
// the score 20 s, in turn, until ClearBaseCards. A touch on the shown side
// flips at once. On the Super table's call-and-rob modes the multiple has a
// board of its own (ShowTimesBoard).
//
// Buttons: 0 talk, 1 card counter, 2 settings, 3 quit. SetBtnOnState gates
// them: 0 all act; 1 all but the card counter; 2 only quit (the others only
// click); 999 none, not even the click. The talk button is also dead in the
// single-player game and within 500 ms of the last accepted talk click of
// any bar of this class.
//
// TableTopBar is what this bar and the four-player bar (widgets/SRTopUI.h)
// build alike: the clock and connection icons, the strip, the score panel
// with its two labels, the four buttons, the card counter and the phrase
// list, and their toggles. The card counter and the phrase list are held
// through their reference counts: retained when made, taken off the bar when
// it leaves (counter) or dies (phrase list), then released.
#pragma once

#include <vector>

#include "platform/engine/Math.h"
#include "widgets/TopUIBase.h"

namespace cocos2d {
class Label;
class Sprite;
class SpriteFrame;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d
class CardCounterLayer;

class TableTopBar : public TopUIBase {
 public:
  static constexpr const char* kSheet = "vellddz_res_top_ui.plist";
  static constexpr const char* kClockKey = "TopBarClock";
  static constexpr float kClockSeconds = 60;
  static constexpr unsigned kTalkClickGapMs = 500;
  static constexpr int kClickSound = 6;

  void onEnter() override;
  // Takes the card counter off the bar and releases it.
  void onExit() override;

  void AddJPQCard(std::vector<int> vcSendCard) override;
  void ClearJQPCard() override;
  void ShowCardCounter(bool bShow) override;
  void SetNumVisible(bool bShow) override;
  void OnSendTalkMsg(int iTalkIndex) override;
  void OnSendFaceMsg(int iFaceIndex) override;

  // The local time "%02d:%02d"; the connection icon by the connection kind;
  // the battery level as the second signal sprite's height.
  void UpdateClockAndSignal(float dt = 0);
  void OnTopBtnClick(cocos2d::Ref* sender);

  CardCounterLayer* GetCardCounter() const { return m_pCardCounter; }
  bool IsCounterOpen() const { return m_bCounterOpen; }
  cocos2d::Label* GetFinalPointLabel() const { return m_pFinalPointLabel; }
  cocos2d::Label* GetTimesLabel() const { return m_pTimesLabel; }
  cocos2d::Label* GetClockLabel() const { return m_pClockLabel; }
  cocos2d::Sprite* GetSignal(int i) const { return m_pSignal[i]; }
  cocos2d::Sprite* GetBarBg() const { return m_pBarBg; }
  cocos2d::Sprite* GetScorePanel() const { return m_pScorePanel; }

 protected:
  // What differs between the bars.
  struct Look {
    cocos2d::Vec2 clockFromTop;  // from (W/2, H)
    float clockSize;
    cocos2d::Vec2 netFromTop;
    bool statusVisible;  // clock and connection icons
    float valueSize;     // the two value labels
  };
  TableTopBar(DDZGameView* pGameView, const Look& look) : TopUIBase(pGameView), m_look(look) {}

  // The bar's own reaction to button `index` after the click sound.
  virtual void OnButton(int index) = 0;
  // False: the click does nothing at all, not even its sound.
  virtual bool ClickHeard() const { return true; }
  virtual CardCounterLayer* MakeCardCounter() = 0;
  // The last accepted talk click, one per bar class.
  struct ClickStamp {
    bool any = false;
    unsigned ms = 0;
  };
  virtual ClickStamp& TalkStamp() const = 0;

  // Once per bar: the strip and everything on it.
  virtual void BuildBar();
  bool AcceptTalkClick();
  void ToggleTalk();
  void ToggleCounter();
  void ToggleSettings(int iGameKind);
  // Shows a value label as "%d", -1 hides it; false when there is no label.
  static bool ShowValue(cocos2d::Label* label, int value);

  Look m_look;
  cocos2d::Label* m_pClockLabel = nullptr;
  cocos2d::Sprite* m_pNetIcon = nullptr;
  cocos2d::Sprite* m_pSignal[2] = {};
  cocos2d::SpriteFrame* m_pNetFrame[2] = {};  // held by the frame cache
  CardCounterLayer* m_pCardCounter = nullptr;  // retained; a child only while open
  bool m_bCounterOpen = false;
  cocos2d::Sprite* m_pBarBg = nullptr;
  cocos2d::Sprite* m_pScorePanel = nullptr;
  cocos2d::Label* m_pFinalPointLabel = nullptr;  // on the score panel
  cocos2d::Label* m_pTimesLabel = nullptr;       // on the score panel
};

class TopUI : public TableTopBar {
 public:
  static constexpr int kBaseCards = 3;
  // The bottom cards stand small on the card panel, no larger than this and
  // inside the panel, clear of its rim by kBaseCardRim.
  static constexpr float kBaseCardScale = 0.3f;
  static constexpr float kBaseCardRim = 3;
  static constexpr float kCardSideSeconds = 10;
  static constexpr float kScoreSideSeconds = 20;
  static constexpr float kFlipSeconds = 0.2f;
  static constexpr float kRevealSeconds = 0.5f;
  static constexpr const char* kFlipKey = "TopUIFlip";
  static constexpr const char* kRevealKey = "TopUIReveal";
  // Button states.
  static constexpr int kBtnAll = 0;
  static constexpr int kBtnNoCounter = 1;
  static constexpr int kBtnQuitOnly = 2;
  static constexpr int kBtnNone = 999;

  // pGameView: the owning view (not owned).
  static TopUI* create(DDZGameView* pGameView);

  void SetFinalPoint(int iFinalPoint) override;
  void SetTimes(int iTimes, bool bShowAni) override;
  void SetBtnOnState(int iState) override { m_iBtnState = iState; }

  // The Super table's multiple board in place of the score panel's contents.
  void ShowTimesBoard();
  // The score panel's two values each after its word (base score, multiple)
  // in place of the panel's one word; once, while the bar runs.
  void CaptionScores();
  // Bottom cards (card codes) into the empty slots; then the card side, and
  // 0.5 s later the cards show.
  void ShowBaseCards(std::vector<int> vcCards);
  void ClearBaseCards();
  void ShowScorePanel();
  void ShowCardPanel();
  void OnFlipTimer(float dt);

  // Touches come one by one: the bar claims only a touch that begins on the
  // shown panel (the table's touches elsewhere go on below it), and a claimed
  // touch that ends on the panel flips it.
  void onEnter() override;
  bool onTouchBegan(cocos2d::Touch* touch, cocos2d::Event* event) override;
  void onTouchEnded(cocos2d::Touch* touch, cocos2d::Event* event) override;

  bool IsCardSideShown() const { return m_bCardSide; }
  cocos2d::Sprite* GetCardPanel() const { return m_pCardPanel; }
  cocos2d::Sprite* GetBaseCard(int i) const { return m_pBaseCard[i]; }
  cocos2d::ui::TextAtlas* GetTimesAtlas() const { return m_pTimesAtlas; }
  int GetBtnState() const { return m_iBtnState; }

 protected:
  explicit TopUI(DDZGameView* pGameView);
  void BuildBar() override;
  void OnButton(int index) override;
  bool ClickHeard() const override { return m_iBtnState != kBtnNone; }
  CardCounterLayer* MakeCardCounter() override;
  ClickStamp& TalkStamp() const override;

 private:
  void Squash(cocos2d::Node* panel);
  void Grow(cocos2d::Node* panel);
  void RestartFlip(float seconds);
  void RevealBaseCards(float dt);
  cocos2d::Node* ShownPanel() const;
  // The touch lies on the shown panel.
  bool OnShownPanel(const cocos2d::Touch* touch) const;

  cocos2d::Sprite* m_pBaseCard[kBaseCards] = {};  // on the card panel
  cocos2d::Sprite* m_pCardPanel = nullptr;
  cocos2d::Node* m_pScoreSide = nullptr;
  cocos2d::Sprite* m_pTimesBoard = nullptr;
  cocos2d::ui::TextAtlas* m_pTimesAtlas = nullptr;
  int m_iBtnState = kBtnAll;
  bool m_bCardSide = false;
};
