// The Super table's popup of the special rules in force: the rules of the
// table's kind (its player-count mode) from g_mapSpecialRules
// (widgets/RuleFiles.h) whose switches are all on, each a title with its
// lines beside it. The background grows with the rules shown; a touch outside
// it closes the popup (removed later in the frame).
//
// A switch is on when its flag byte is exactly 1; switch i is bit 2^i of the
// switch mask. An entry is shown when its mask is 0 or all its bits are in
// the switch mask, and it has a title.
#pragma once

#include <vector>

#include "cardlogic/SuperRules.h"
#include "platform/framework/YndGameLayer.h"
#include "widgets/RuleFiles.h"

namespace cocos2d {
class LayerColor;
class Sprite;
namespace ui {
class Scale9Sprite;
}
}  // namespace cocos2d

class SpecialRuleLayer : public YndGameLayer {
 public:
  // Null when the popup cannot be made.
  static SpecialRuleLayer* create();

  // Whether the popup of this kind and these switches has anything to show:
  // the kind's first entry of mask 0, or with all its bits on and a title.
  static bool HasRulesForMask(int iKind, const ddz::SpecialRuleFlags& flags);
  // Bit i set when flag byte i is exactly 1.
  static int SwitchMask(const ddz::SpecialRuleFlags& flags);
  // Whether the popup shows `entry` under switch mask `mask`.
  static bool IsShown(const RuleEntry& entry, int mask);
  // Height the background is given for the entries shown: 32 per line and 10
  // per entry, plus 150.
  static float EstimatedHeight(const std::vector<RuleEntry>& entries, int mask);

  // The table's kind and switches; set before the popup is added.
  void SetRules(int iKind, const ddz::SpecialRuleFlags& flags);

  void onEnter() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  cocos2d::ui::Scale9Sprite* GetBackground() const { return m_pBg; }
  cocos2d::LayerColor* GetDim() const { return m_pDim; }

  static constexpr float kBgWidth = 760, kBgHeight = 450;

 private:
  SpecialRuleLayer();
  void Build();
  void FillRules();

  int m_iKind = 0;
  ddz::SpecialRuleFlags m_bFlags;
  // Children of the popup (the title pieces of m_pBg), null until built.
  cocos2d::LayerColor* m_pDim = nullptr;
  cocos2d::ui::Scale9Sprite* m_pBg = nullptr;
  cocos2d::ui::Scale9Sprite* m_pTitleBg = nullptr;
  cocos2d::Sprite* m_pTitle = nullptr;
};
