#include "gamedata/LabelHelpers.h"

#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "gamedata/TextHelpers.h"

std::string g_strSystemFont = "微软雅黑";
std::string& g_strFontName = g_strSystemFont;

void FitLabelToWidth(cocos2d::Label* label, float maxWidth) {
  if (!label || maxWidth < 1.0f || label->getContentSize().width <= maxWidth) return;
  const std::string text = label->getString();
  for (int k = Utf8CharCount(text) - 1; k >= 1; --k) {
    label->setString(ddz::Utf8FirstChars(text, k) + "...");
    if (label->getContentSize().width <= maxWidth) break;
  }
}

void WrapTextToLabels(const char* text, std::vector<std::string>& lines, float maxWidth, float fontSize) {
  if (!text) return;
  cocos2d::Label* probe = cocos2d::Label::createWithSystemFont("", "Arial", fontSize);
  std::vector<std::string> chars;
  SplitUtf8Chars(text, chars);
  std::string line;
  for (const std::string& ch : chars) {
    const std::string candidate = line + ch;
    probe->setString(candidate);
    if (probe->getContentSize().width >= maxWidth) {
      if (!line.empty()) lines.push_back(line);
      line = ch;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
}
