// Fitting texts into labels.
#pragma once

#include <string>
#include <vector>

namespace cocos2d {
class Label;
}  // namespace cocos2d

// The font every system-font label of the client uses ("微软雅黑", UTF-8).
extern std::string g_strSystemFont;
// The same string under the name the table widgets and dialogs use.
extern std::string& g_strFontName;

// Shortens the label's text by whole characters, with "..." appended, until
// its content width is no longer greater than maxWidth (the first character
// and "..." at the least). Nothing happens for a null label, a maxWidth below
// 1 or a text that already fits; a one-character text is left as it is.
void FitLabelToWidth(cocos2d::Label* label, float maxWidth);

// Appends the lines of text broken by character so that each line, measured
// as a label in "Arial" at fontSize, stays narrower than maxWidth. A single
// character wider than maxWidth still makes a line of its own.
void WrapTextToLabels(const char* text, std::vector<std::string>& lines, float maxWidth, float fontSize);
