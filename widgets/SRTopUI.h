// The top bar of the four-player table. It is a TableTopBar (widgets/TopUI.h)
// with the clock and connection icons shown, the score side only (no bottom
// cards, no flipping) and no button states; its talk clicks have a 500 ms
// debounce of their own, the settings window opens as on the two-deck table
// (game kind 2) and the quit button asks the game message box (text 18) whose
// confirmation leaves the table.
//
// Its score panel names each value by a word before it (the base score, the
// multiple); the four buttons' words are in their art.
//
// It adds the two panels of the four-player table:
// - the round-task panel: its icon, then its two numbers on one row, "n / m"
//   (ShowTaskPanel);
// - the golden-card task: the hand's golden card on a button, and a tips card
//   with five counts (ShowGoldCardTask, SetCountNum). A card not yet opened
//   rolls: ten random card faces (YndRand(13) + 1, through the one random
//   source) 0.1 s apart, then the real card; at its end the button is enabled
//   and the tips card opens. The button toggles the tips card; an opened tips
//   card hides itself after 3 s.
//
// The task panel, the golden card, its button and the tips card are children
// of the bar. The task panel is retained while held, so a view that takes it
// off the bar directly leaves no dangling pointer here: the next
// ShowTaskPanel(.., true) builds a new one.
#pragma once

#include <vector>

#include "widgets/TopUI.h"

class SRTopUI : public TableTopBar {
 public:
  static constexpr int kGoldCounts = 5;
  static constexpr int kRollFrames = 10;  // random faces before the real card
  static constexpr int kCardFaces = 13;
  static constexpr float kRollStepSeconds = 0.1f;
  static constexpr float kTipsSeconds = 3.0f;
  static constexpr float kTipsScaleSeconds = 0.2f;
  static constexpr float kTipsSmallScale = 0.4f;
  static constexpr float kTaskGrowSeconds = 0.2f;
  static constexpr const char* kRollKey = "SRTopUIGoldRoll";
  static constexpr const char* kTipsKey = "SRTopUIGoldTips";
  static constexpr int kSettingsKind = 2;
  static constexpr int kQuitText = 18;
  static constexpr int kGoldCountText = 268;  // first of the five row names

  // pGameView: the owning view (not owned).
  static SRTopUI* create(DDZGameView* pGameView);
  ~SRTopUI() override;

  void SetFinalPoint(int iFinalPoint) override;
  // bShowAni is not used on this bar.
  void SetTimes(int iTimes, bool bShowAni) override;

  // bShow false: the panel goes. True: the panel is built when there is none
  // (growing in), and in both cases shows iNum1 and iNum2.
  void ShowTaskPanel(int iNum1, int iNum2, bool bShow);
  // bShow false: the golden card, its button and the tips card go and the
  // roll and the tips timer stop. True while the button exists: nothing.
  // True otherwise: the button, the tips card with the five counts of pNums
  // (kGoldCounts ints; null is refused) and the card iCard (1-13): at once
  // when bOpened, else after the roll.
  void ShowGoldCardTask(int iCard, const int* pNums, bool bOpened, bool bShow);
  // The five counts of the tips card (kGoldCounts ints) while the golden-card
  // button exists; null is refused.
  void SetCountNum(const int* pNums);
  // The button's click: opens or closes the tips card.
  void OnGoldTipsClick(cocos2d::Ref* sender = nullptr);

  cocos2d::Sprite* GetTaskPanel() const { return m_pTaskPanel; }
  cocos2d::ui::TextAtlas* GetTaskNum(int i) const { return m_pTaskPanel != nullptr ? m_pTaskNum[i] : nullptr; }
  cocos2d::Sprite* GetGoldCard() const { return m_pGoldCard; }
  cocos2d::ui::Button* GetGoldCardBtn() const { return m_pGoldCardBtn; }
  cocos2d::Sprite* GetGoldTips() const { return m_pGoldTipsBg; }
  cocos2d::ui::TextAtlas* GetGoldNum(int i) const { return m_pGoldNum[i]; }
  // The words before the base score (0) and the multiple (1).
  cocos2d::Label* GetValueWord(int i) const { return m_pValueWord[i]; }
  bool IsRolling() const;

 protected:
  explicit SRTopUI(DDZGameView* pGameView);
  // The shared bar, then the words that name the score panel's two values
  // and the four buttons.
  void BuildBar() override;
  void OnButton(int index) override;
  CardCounterLayer* MakeCardCounter() override;
  ClickStamp& TalkStamp() const override;

 private:
  void BuildGoldTips(const int* pNums);
  void RollStep(float dt);
  void OpenTips();
  void CloseTips();
  void DropTaskPanel();
  void DropGoldFrames();

  int m_iGoldFrameIndex = 0;
  bool m_bGoldTipsShown = false;  // when set, a roll's end leaves the tips card shut
  cocos2d::Sprite* m_pGoldTipsBg = nullptr;      // child of the bar
  cocos2d::Sprite* m_pGoldCard = nullptr;        // child of the bar
  cocos2d::ui::Button* m_pGoldCardBtn = nullptr;  // child of the bar
  std::vector<cocos2d::SpriteFrame*> m_vcGoldFrames;  // retained while held
  cocos2d::ui::TextAtlas* m_pTaskNum[2] = {};      // on the task panel
  cocos2d::ui::TextAtlas* m_pGoldNum[kGoldCounts] = {};  // on the tips card
  cocos2d::Sprite* m_pTaskPanel = nullptr;        // retained while held
  cocos2d::Label* m_pValueWord[2] = {};           // on the score panel
};
