// What the tournament's full-screen layers (the waiting room, the promotion
// screen) build alike: the dimmer behind them, the lower panel, the upper
// panel with its title on a name plate, their labels, and the table's top
// bar buttons switched off while they cover the table.
#pragma once

#include <string>

#include "platform/engine/Math.h"

namespace cocos2d {
class Label;
class Node;
}  // namespace cocos2d

namespace competelayer {

inline const cocos2d::Color3B kBrown{177, 89, 30};    // titles
inline const cocos2d::Color3B kOrange{204, 106, 56};  // the lower panel's texts

// A label in the client font.
cocos2d::Label* MakeLabel(const std::string& text, float size, const cocos2d::Color3B& ink);
// The black dimmer (opacity 150, scaled 2) at z -999 of `layer`.
void AddDimmer(cocos2d::Node* layer);
// The lower panel, the window's width by 426, centred 26 below the middle.
cocos2d::Node* AddLowerPanel(cocos2d::Node* layer);
// The upper panel with `title` (42 pt) on a name plate sized to it; returns
// the title's label.
cocos2d::Label* AddTitle(cocos2d::Node* layer, const std::string& title);
// The buttons of the current table view's top bar, when it has one.
void SetTopButtonsEnabled(bool enabled);

}  // namespace competelayer
