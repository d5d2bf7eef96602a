// The competition bar laid over the tournament table: a status panel (title
// and status line: stage, players, table number), a rank panel (the user's
// rank and, except in matches of kind 3, the number of players), and the
// waiting-for-other-tables tip shown between hands. During the first stage a
// touch on the rank panel opens the ranking list (RankListLayer, five rows).
//
// The tournament table creates the bar at each match start (z 103) and feeds
// it; the start banner (CompeteMsg) shows its waiting tip when it ends. Every
// operation but the constructor does nothing while the bar is not running:
// its widgets exist only between onEnter and onExit.
//
// The texts come from the tournament and game text tables; the stage, the
// stage list, the general numbers and the match kind from the running match
// (CompeteGameInfo). The stage is a number from the server: it indexes the
// stage list only when it lies inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d
class RankListLayer;

// One row of the ranking list (the ranking message's rows, the fifth the
// user's own).
struct CompeteRankItem {
  std::int32_t iRank;
  std::int32_t iScore;
  char szName[20];  // GBK; read through ddz::RecordText, as a full field has no terminator
};
static_assert(sizeof(CompeteRankItem) == 28);

// A row with its name copied from a field of `size` bytes that need not be
// terminated: at most 19 bytes, then the terminator.
CompeteRankItem MakeCompeteRankItem(int rank, int score, const char* name, std::size_t size);

class CompeteTableUI : public YndGameLayer {
 public:
  static constexpr int kZOrder = 103;
  // The tip's 9-slice size and the digits' cells.
  static constexpr float kWaitTipWidth = 570;
  static constexpr float kWaitTipHeight = 82;
  static constexpr int kDigitWidth = 17;
  static constexpr int kDigitHeight = 23;
  static constexpr float kCountDigitsScale = 0.88f;
  // The match kind whose rank panel shows the rank alone.
  static constexpr int kRankAloneMatchKind = 3;

  static constexpr const char* kSheet = "ddzcompete_tableui_res.plist";
  static constexpr const char* kDigitsImage = "ddzcompete_tableui_rank_num.png";
  static constexpr const char* kBadgeFirstStage = "ddzcompete_tableui_rank_cur.png";
  static constexpr const char* kBadgeOwnTable = "ddzcompete_tableui_rank_benzhuo.png";

  static CompeteTableUI* create();
  // Takes the third general number of the running match (0 when it has fewer).
  CompeteTableUI();
  ~CompeteTableUI() override;

  // Builds the panels (both hidden), their labels and digits.
  void onEnter() override;
  // Forgets the wait tip (it goes with the bar's children).
  void onExit() override;
  // A touch on the rank panel opens the ranking list when rows are known and
  // no list is open (touch handling is on only in the first stage).
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // Shows (once) or removes the waiting-for-other-tables tip.
  void ShowWaitTable(bool bShow);
  // Shows or hides the status panel; showing fills title and status for the
  // current stage.
  void ShowStatus(bool bShow);
  // After the first stage: keeps the table number and refreshes the status.
  void UpdateTableNum(int iTableNum);
  // Shows or hides the rank panel; after the first stage with the own-table
  // badge and no ranking list.
  void ShowRank(bool bShow);
  void UpdateSelfRank(int iCurOrder, int iAllPlayer);
  // Keeps a copy of the rows the list shows when it opens.
  void SetRankList(const std::vector<CompeteRankItem>& rows);
  // Closes the ranking list when it is open.
  void RemoveRankList();
  // RemoveRankList, and no list can be opened any more.
  void HideRankList();

  // ---- read access ----
  cocos2d::Sprite* GetStatusPanel() const { return m_pStatusBg; }
  cocos2d::Label* GetTitleLabel() const { return m_pTitle; }
  cocos2d::Label* GetStatusLabel() const { return m_pStatus; }
  cocos2d::Sprite* GetRankPanel() const { return m_pRankBg; }
  cocos2d::Sprite* GetRankBadge() const { return m_pRankBadge; }
  cocos2d::ui::TextAtlas* GetRankDigits() const { return m_pRankNum; }
  cocos2d::ui::TextAtlas* GetCountDigits() const { return m_pCountNum; }
  cocos2d::Node* GetWaitTip() const { return m_pWaitTip; }
  RankListLayer* GetRankList() const { return m_pRankList; }
  const std::vector<CompeteRankItem>& GetRankRows() const { return m_vcRankRows; }
  int GetTableNum() const { return m_iTableNum; }

 private:
  // The status line of a stage after the first (final or middle).
  void FillLaterStatus(int stage);

  int m_iNextStageTables = 0;
  int m_iStageTables = 0;
  int m_iTableNum = 0;
  int m_iThirdNumber = 0;
  cocos2d::Label* m_pStatus = nullptr;                // child of the status panel
  cocos2d::Label* m_pTitle = nullptr;                 // child of the status panel
  cocos2d::Sprite* m_pStatusBg = nullptr;             // child
  cocos2d::Node* m_pWaitTip = nullptr;                // child; null when not shown
  RankListLayer* m_pRankList = nullptr;               // child; null when closed
  cocos2d::Sprite* m_pRankBadge = nullptr;            // child of the rank panel
  cocos2d::ui::TextAtlas* m_pCountNum = nullptr;      // child of the rank panel
  cocos2d::ui::TextAtlas* m_pRankNum = nullptr;       // child of the rank panel
  cocos2d::Sprite* m_pRankBg = nullptr;               // child
  std::vector<CompeteRankItem> m_vcRankRows;
};
