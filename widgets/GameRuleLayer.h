// The rules window of the classic and four-player games: one tab per rule
// type on the left, the selected type's rules (a title and its lines each) in
// a scrolling list on the right. The rules come from the game's rule file
// (widgets/RuleFiles.h), read once per game id.
//
// One window serves the process; its opener adds it to the room list or the
// table when it is not running and then calls ShowGameRule. Each showing
// builds the window afresh in onEnter; the selected tab is kept while the
// same game is shown again. The close button or a touch outside the
// background closes it (removed later in the frame). The mouse wheel scrolls
// the rules list, as a drag does.
#pragma once

#include <vector>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
namespace ui {
class Button;
class ListView;
class Scale9Sprite;
}  // namespace ui
}  // namespace cocos2d

class GameRuleLayer : public YndGameLayer {
 public:
  static GameRuleLayer* create();

  // Loads the game's rules when needed and builds one tab per rule type,
  // then selects the remembered tab (the first one for another game). Needs
  // the window built (onEnter); without it only the rules are loaded.
  void ShowGameRule(int iGameID);

  void OnTabClick(cocos2d::Ref* sender);
  void OnClose(cocos2d::Ref* sender);
  // Fills the list with the items of the current tab ("TATAT" items are not shown).
  void ShowRuleText();

  void onEnter() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void CallBackHandleMouseEvent(int kind, cocos2d::EventMouse* event) override;

  int GetGameID() const { return m_iGameID; }
  int GetCurTab() const { return m_iCurTab; }
  const std::vector<cocos2d::ui::Button*>& GetTabButtons() const { return m_vcTabBtn; }
  const std::vector<cocos2d::ui::Button*>& GetSelectedTabButtons() const { return m_vcTabBtnSel; }
  cocos2d::ui::Scale9Sprite* GetBackground() const { return m_pBg; }
  cocos2d::ui::ListView* GetListView() const { return m_pListView; }

  // Background size and the place of tab k: (kTabX, kTabTopY - kTabStep * k).
  static constexpr float kBgWidth = 1090, kBgHeight = 568;
  static constexpr float kTabX = 114, kTabTopY = 450, kTabStep = 118;
  // How far one notch of the wheel moves the rules list.
  static constexpr float kWheelStep = 40;

 private:
  GameRuleLayer();
  void RemoveTabButtons();

  int m_iGameID = 0;
  int m_iCurTab = 0;                               // kept across showings of one game
  cocos2d::ui::Scale9Sprite* m_pBg = nullptr;      // child while built
  cocos2d::ui::ListView* m_pListView = nullptr;    // child of m_pBg
  std::vector<cocos2d::ui::Button*> m_vcTabBtn;     // children of m_pBg
  std::vector<cocos2d::ui::Button*> m_vcTabBtnSel;  // children of m_pBg
};
