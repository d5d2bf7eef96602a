#include "widgets/RuleWindowParts.h"

#include <algorithm>

#include "gamedata/LabelHelpers.h"
#include "platform/engine/cocos2d.h"

namespace ddz {

cocos2d::Label* MakeRuleLabel(const std::string& text, const cocos2d::Color3B& color) {
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, kRuleFontSize);
  label->setColor(color);
  label->setAnchorPoint(cocos2d::Vec2(0, 0.5f));
  return label;
}

cocos2d::ui::Layout* MakeRuleListItem(const std::string& title, const std::vector<std::string>& lines) {
  cocos2d::Node* node = cocos2d::Node::create();
  cocos2d::Label* titleLabel = MakeRuleLabel(title, kRuleTitleColor);
  titleLabel->setPosition(0, 0);
  node->addChild(titleLabel);
  const float titleWidth = titleLabel->getContentSize().width;
  float linesHeight = 0;
  for (const std::string& line : lines) {
    cocos2d::Label* lineLabel = MakeRuleLabel(line, kRuleLineColor);
    // A long line wraps inside the item, right of its title.
    lineLabel->setMaxLineWidth(std::max(kRuleItemWidth - kRuleWrapMargin - titleWidth, kRuleItemWidth / 2));
    // Its first line stands where a one-line label would.
    const float extra = lineLabel->getContentSize().height - titleLabel->getContentSize().height;
    lineLabel->setPosition(titleWidth, -linesHeight - std::max(extra, 0.0f) / 2);
    node->addChild(lineLabel);
    linesHeight += lineLabel->getContentSize().height;
  }
  const float height = linesHeight + 40;
  cocos2d::ui::Layout* item = cocos2d::ui::Layout::create();
  item->setContentSize(cocos2d::Size(kRuleItemWidth, height));
  node->setPosition(kRuleIndent, height - titleLabel->getContentSize().height / 2);
  item->addChild(node);
  return item;
}

void RunRulePopupBounce(cocos2d::Node* node, float from, float dipSeconds) {
  if (!node) return;
  node->setScale(from);
  node->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.1f, 1.0f),
                                            cocos2d::ScaleTo::create(dipSeconds, 0.9f),
                                            cocos2d::ScaleTo::create(0.1f, 1.0f)));
}

}  // namespace ddz
