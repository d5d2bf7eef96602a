// The system message box inside the classic PC bottom bar: the latest
// messages of the table (own results, broadcast notices, system texts) as
// coloured lines, three at a time, scrolled with an up and a down button.
//
// It holds at most kCapacity messages: a new one is appended at the end and
// the oldest go. After each new message the window shows the last three.
// Colour kinds: 0 blue, 1 yellow, 2 green, 3 red, anything else (-1 for
// system texts) white.
//
// The bottom bar places the box in the free right end of its strip: the
// lines and the two buttons lie on the strip, a line wider than the room
// left of the buttons is shrunk to it.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
namespace ui {
class Button;
}
}  // namespace cocos2d

class SysBoxUIPC : public YndGameLayer {
 public:
  static constexpr int kLineCount = 3;
  static constexpr int kCapacity = 100;
  static constexpr float kFontSize = 12;
  // Places in the box's space; the box's origin lies near the middle of the
  // bar's strip, whose right end is 232 to the right of it.
  static constexpr float kLineX = 10;
  static constexpr float kFirstLineY = 16;
  static constexpr float kLineGap = 16;
  static constexpr float kButtonX = 212;
  static constexpr float kButtonHalf = 12;  // the buttons are 24 x 24
  static constexpr float kUpButtonY = 12;
  static constexpr float kDownButtonY = -12;
  // The room of a line: up to 4 short of the buttons.
  static constexpr float kLineWidth = kButtonX - kButtonHalf - 4 - kLineX;

  struct Message {
    int kind = -1;
    std::string text;
  };

  static SysBoxUIPC* create();
  static cocos2d::Color3B ColourOf(int kind);

  void onEnter() override;

  // Appends a line (nothing for a null text) and shows the last lines.
  void AddMessage(const char* text, char colourKind);
  // The shown range one line up or down, within the held messages.
  void ScrollUp(cocos2d::Ref* sender = nullptr);
  void ScrollDown(cocos2d::Ref* sender = nullptr);
  // Writes the shown range into the line labels.
  void Refresh();

  const std::deque<Message>& GetMessages() const { return m_Messages; }
  int GetFirstLine() const { return m_iFirstLine; }
  int GetLastLine() const { return m_iLastLine; }
  cocos2d::Label* GetLineLabel(int line) const;

 private:
  SysBoxUIPC() = default;

  int m_iFirstLine = -1;
  int m_iLastLine = -1;
  int m_iLineCount = kLineCount;
  int m_iCapacity = kCapacity;
  std::deque<Message> m_Messages;
  std::vector<cocos2d::Label*> m_vcLabels;  // children of the box, made on first use
  cocos2d::ui::Button* m_pUpBtn = nullptr;  // children of the box
  cocos2d::ui::Button* m_pDownBtn = nullptr;
};
