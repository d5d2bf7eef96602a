// The small ranking list the competition bar opens from its rank panel: the
// top four of the last ranking and, in the fifth row, the user. It shows
// rows only when it has exactly five; otherwise just its background. A touch
// outside the background closes it on the next frame, through the bar.
#pragma once

#include <vector>

#include "compete/CompeteTableUI.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
}  // namespace cocos2d

class RankListLayer : public YndGameLayer {
 public:
  static constexpr int kRowCount = 5;
  // The background's size; the layer's position is the background's centre.
  static constexpr float kListWidth = 380;
  static constexpr float kListHeight = 300;
  // Row i stands kFirstRowY - kRowStep * i above the background's centre.
  static constexpr float kFirstRowY = 86;
  static constexpr float kRowStep = 52;
  static constexpr const char* kBackground = "ddzcompete_rank_list_bg.png";

  // `owner` is the bar that removes the list (borrowed; the list is its
  // child). The rows are copied.
  static RankListLayer* create(CompeteTableUI* owner, const std::vector<CompeteRankItem>& rows);
  RankListLayer(CompeteTableUI* owner, const std::vector<CompeteRankItem>& rows);
  ~RankListLayer() override;

  void onEnter() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  cocos2d::Sprite* GetBackground() const { return m_pBg; }
  // The labels of row i (null where the row has none): rank, name, score.
  cocos2d::Label* GetRankLabel(int row) const { return Cell(m_pRank, row); }
  cocos2d::Label* GetNameLabel(int row) const { return Cell(m_pName, row); }
  cocos2d::Label* GetScoreLabel(int row) const { return Cell(m_pScore, row); }

 private:
  static cocos2d::Label* Cell(cocos2d::Label* const (&cells)[kRowCount], int row) {
    return row >= 0 && row < kRowCount ? cells[row] : nullptr;
  }
  void Close();

  cocos2d::Sprite* m_pBg = nullptr;      // child
  CompeteTableUI* m_pOwner = nullptr;    // borrowed: the parent
  std::vector<CompeteRankItem> m_vcRows;
  cocos2d::Label* m_pRank[kRowCount] = {};   // children of the background
  cocos2d::Label* m_pName[kRowCount] = {};
  cocos2d::Label* m_pScore[kRowCount] = {};
};
