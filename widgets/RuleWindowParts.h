// What the rules windows (GameRuleLayer, AllGameRuleLayer, SpecialRuleLayer)
// share: the look of a rule's title and lines, the list item that shows one
// rule, and the bounce a rules popup enters with.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Math.h"

namespace cocos2d {
class Label;
class Node;
namespace ui {
class Layout;
}
}  // namespace cocos2d

namespace ddz {

inline constexpr float kRuleFontSize = 26;
inline const cocos2d::Color3B kRuleTitleColor(250, 236, 123);
inline const cocos2d::Color3B kRuleLineColor(170, 240, 255);
inline constexpr float kRuleItemWidth = 820;
// The rule's indent from the list's left edge, and the room left of its
// right edge when a rule line wraps.
inline constexpr float kRuleIndent = 16;
inline constexpr float kRuleWrapMargin = 40;

// A label of the system font at kRuleFontSize, anchored at its left middle.
cocos2d::Label* MakeRuleLabel(const std::string& text, const cocos2d::Color3B& color);

// One rule as a list item: a layout of kRuleItemWidth x (H + 40), H the
// height of all lines. Inside, a node at (0, H + 40 - title height / 2)
// holds the title at (0, 0) and line j at (title width, -(height of the
// lines before j)), so the first line stands on the title's row.
cocos2d::ui::Layout* MakeRuleListItem(const std::string& title, const std::vector<std::string>& lines);

// Starts `node` at scale `from` and bounces it: to 1.0 in 0.1 s, to 0.9 in
// `dipSeconds`, to 1.0 in 0.1 s.
void RunRulePopupBounce(cocos2d::Node* node, float from, float dipSeconds);

}  // namespace ddz
