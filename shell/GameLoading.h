// The loading screen shown while a table's sprite sheets load in stages: a
// background, the percentage, a progress bar filling from left to right and
// one tip from the game texts (single-player tips in the single-player game).
// The game scene creates it; the resource holder reports progress through
// SetProNum.
#pragma once

#include "platform/framework/YndLoadingBase.h"

namespace cocos2d {
class Label;
class ProgressTimer;
}  // namespace cocos2d

class GameLoading : public YndLoadingBase {
 public:
  // Game texts of the tips: 36-42 at a table, 47-50 in the single-player game.
  static constexpr int kTipFirst = 36, kTipCount = 7;
  static constexpr int kSingleTipFirst = 47, kSingleTipCount = 4;

  GameLoading();

  // Builds the screen.
  void onEnter() override;
  void onExit() override;
  // The base keeps the value; the label ("%d%%") and the bar follow while the
  // screen runs.
  void SetProNum(int percent) override;

  // Null until the screen is built.
  cocos2d::Label* GetPercentLabel() const { return m_pProLabel; }
  cocos2d::ProgressTimer* GetProgressBar() const { return m_pProgress; }
  cocos2d::Label* GetTipLabel() const { return m_pTipLabel; }

 private:
  cocos2d::Label* m_pProLabel = nullptr;
  cocos2d::ProgressTimer* m_pProgress = nullptr;
  cocos2d::Label* m_pTipLabel = nullptr;
};
