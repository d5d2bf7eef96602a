// The room list's rules dialog for the Super game: up to three game buttons
// on the left (one per game type that has rooms in the list), up to four
// category buttons along the top (one per rule type of the selected game)
// and the selected category's rules in a scrolling list. The texts come from
// g_mapGameRules (widgets/RuleFiles.h).
//
// A room that runs special rules hands its mask with its game type
// (AddGame); the first room of a game type decides the mask. An entry whose
// mask bits are all in the game's mask shows its second title and lines.
//
// One dialog serves the process. Each showing builds its widgets in onEnter
// and selects the game and the category last chosen (a choice that no longer
// exists selects nothing). A touch outside the dialog's area closes it.
#pragma once

#include <array>
#include <vector>

#include "platform/framework/YndGameLayer.h"
#include "widgets/RuleFiles.h"

namespace cocos2d {
class Sprite;
namespace ui {
class Button;
class ListView;
}  // namespace ui
}  // namespace cocos2d

class RuleWordLayer;

class AllGameRuleLayer : public YndGameLayer {
 public:
  static AllGameRuleLayer* create();

  static constexpr int kMaxGames = 3;
  static constexpr int kMaxCategories = 4;

  // Lists the game type with the room's special-rule mask `iValue` when its
  // rules are loaded with at least one rule type and it is not listed yet.
  void AddGame(int iGameType, int iValue);
  void ClearGames();

  void OnGameBtn(cocos2d::Ref* sender);
  void OnCategoryBtn(cocos2d::Ref* sender);
  // Shows `entries` in the list for a game whose special-rule mask is `iValue`.
  void FillRuleList(const std::vector<RuleEntry>& entries, int iValue);

  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  const std::vector<GameRuleRecord>& GetGames() const { return m_vcGames; }
  int GetCurGame() const { return m_iCurGame; }
  int GetCurCategory(int game) const { return game >= 0 && game < kMaxGames ? m_iCurCat[game] : -1; }
  cocos2d::ui::Button* GetGameButton(int k) const { return k >= 0 && k < kMaxGames ? m_pGameBtn[k] : nullptr; }
  cocos2d::ui::Button* GetGameButtonSel(int k) const {
    return k >= 0 && k < kMaxGames ? m_pGameBtnSel[k] : nullptr;
  }
  cocos2d::ui::Button* GetCategoryButton(int j) const {
    return j >= 0 && j < kMaxCategories ? m_pCatBtn[j] : nullptr;
  }
  cocos2d::ui::Button* GetCategoryButtonSel(int j) const {
    return j >= 0 && j < kMaxCategories ? m_pCatBtnSel[j] : nullptr;
  }
  cocos2d::Sprite* GetCategoryBg(int j) const { return j >= 0 && j < kMaxCategories ? m_pCatBg[j] : nullptr; }
  cocos2d::ui::ListView* GetListView() const { return m_pListView; }
  cocos2d::Sprite* GetBackground() const { return m_pBg; }
  RuleWordLayer* GetRuleWord() const { return m_pRuleWord; }

 private:
  AllGameRuleLayer();
  void BuildCategoryButtons();
  void ClearWidgetPointers();

  std::vector<GameRuleRecord> m_vcGames;  // copies; iValue is the room's mask
  int m_iCurGame = 0;
  std::array<int, kMaxGames> m_iCurCat{};  // per game button, kept while the dialog lives

  // Widgets of the current showing (children of m_pBg, m_pBg a child of the dialog).
  cocos2d::Sprite* m_pBg = nullptr;
  cocos2d::Sprite* m_pGameSelBg = nullptr;
  RuleWordLayer* m_pRuleWord = nullptr;
  cocos2d::ui::ListView* m_pListView = nullptr;
  std::array<cocos2d::ui::Button*, kMaxGames> m_pGameBtn{};
  std::array<cocos2d::ui::Button*, kMaxGames> m_pGameBtnSel{};
  std::array<cocos2d::Sprite*, kMaxCategories> m_pCatBg{};
  std::array<cocos2d::ui::Button*, kMaxCategories> m_pCatBtn{};     // children of m_pCatBg
  std::array<cocos2d::ui::Button*, kMaxCategories> m_pCatBtnSel{};  // children of m_pCatBg
};
