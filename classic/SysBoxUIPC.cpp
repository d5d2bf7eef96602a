#include "classic/SysBoxUIPC.h"

#include <algorithm>

#include "gamedata/LabelHelpers.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"

using cocos2d::Vec2;

SysBoxUIPC* SysBoxUIPC::create() {
  auto* box = new SysBoxUIPC();
  box->autorelease();
  return box;
}

cocos2d::Color3B SysBoxUIPC::ColourOf(int kind) {
  switch (kind) {
    case 0: return cocos2d::Color3B(100, 193, 255);
    case 1: return cocos2d::Color3B(255, 233, 52);
    case 2: return cocos2d::Color3B(0, 255, 0);
    case 3: return cocos2d::Color3B(255, 0, 0);
    default: return cocos2d::Color3B(255, 255, 255);
  }
}

void SysBoxUIPC::onEnter() {
  YndGameLayer::onEnter();
  if (m_pUpBtn != nullptr) return;
  using TexType = cocos2d::ui::Widget::TextureResType;
  m_pUpBtn = cocos2d::ui::Button::create("message_btn_up_normal.png", "message_btn_up_pressed.png",
                                         "message_btn_up_disabled.png", TexType::PLIST);
  m_pUpBtn->setPosition(Vec2(kButtonX, kUpButtonY));
  m_pUpBtn->addClickEventListener([this](cocos2d::Ref* sender) { ScrollUp(sender); });
  addChild(m_pUpBtn);
  m_pDownBtn = cocos2d::ui::Button::create("message_btn_down_normal.png", "message_btn_down_pressed.png",
                                           "message_btn_down_disabled.png", TexType::PLIST);
  m_pDownBtn->setPosition(Vec2(kButtonX, kDownButtonY));
  m_pDownBtn->addClickEventListener([this](cocos2d::Ref* sender) { ScrollDown(sender); });
  addChild(m_pDownBtn);
}

cocos2d::Label* SysBoxUIPC::GetLineLabel(int line) const {
  return line >= 0 && line < static_cast<int>(m_vcLabels.size()) ? m_vcLabels[static_cast<std::size_t>(line)]
                                                                  : nullptr;
}

void SysBoxUIPC::AddMessage(const char* text, char colourKind) {
  if (text == nullptr) return;
  m_Messages.push_back({static_cast<signed char>(colourKind), text});
  while (static_cast<int>(m_Messages.size()) > m_iCapacity) m_Messages.pop_front();
  while (static_cast<int>(m_vcLabels.size()) < m_iLineCount) {
    cocos2d::Label* label = cocos2d::Label::createWithSystemFont("", g_strFontName, kFontSize);
    label->setAnchorPoint(Vec2(0, 0.5f));
    label->setPosition(Vec2(kLineX, kFirstLineY - kLineGap * static_cast<float>(m_vcLabels.size())));
    addChild(label);
    m_vcLabels.push_back(label);
  }
  m_iLastLine = static_cast<int>(m_Messages.size()) - 1;
  m_iFirstLine = std::max(0, m_iLastLine - m_iLineCount + 1);
  Refresh();
}

void SysBoxUIPC::ScrollUp(cocos2d::Ref*) {
  if (m_iFirstLine <= 0) return;
  --m_iFirstLine;
  --m_iLastLine;
  Refresh();
}

void SysBoxUIPC::ScrollDown(cocos2d::Ref*) {
  if (m_iLastLine < 0 || m_iLastLine + 1 >= static_cast<int>(m_Messages.size())) return;
  ++m_iFirstLine;
  ++m_iLastLine;
  Refresh();
}

void SysBoxUIPC::Refresh() {
  for (int line = 0; line < static_cast<int>(m_vcLabels.size()); ++line) {
    cocos2d::Label* label = m_vcLabels[static_cast<std::size_t>(line)];
    const int index = m_iFirstLine + line;
    if (m_iFirstLine < 0 || index > m_iLastLine || index >= static_cast<int>(m_Messages.size())) {
      label->setString("");
      continue;
    }
    const Message& message = m_Messages[static_cast<std::size_t>(index)];
    label->setString(message.text);
    label->setColor(ColourOf(message.kind));
    const float width = label->getContentSize().width;
    label->setScale(width > kLineWidth ? kLineWidth / width : 1.0f);
  }
}
