#include "cards/ErYieldCardLayer.h"

#include <string>

#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"

using cocos2d::Color3B;
using cocos2d::Label;
using cocos2d::Vec2;

namespace {

constexpr const char* kSheet = "guide_layer.plist";
constexpr const char* kFramePanel = "erddz_qp_di.png";
constexpr const char* kFrameWord = "erddz_rp_word.png";
constexpr const char* kDigitMap = "erddz_rp_num.png";
const cocos2d::Rect kPanelInsets(30, 26, 20, 20);
constexpr int kDigitWidth = 14;
constexpr int kDigitHeight = 20;
constexpr float kDigitOffset = 30;
// The panel's two lines (left ends) and the gaps before their counts.
const Vec2 kFirstLineAt(16, 50);
const Vec2 kSecondLineAt(12, 25);
constexpr float kCountGap = 8;
constexpr float kSmallCountGap = 3;

// One left-aligned line of the panel.
Label* PanelLabel(cocos2d::Node* panel, const std::string& text, float size, Color3B colour, Vec2 at) {
  Label* label = Label::createWithSystemFont(text, g_strSystemFont, size);
  label->setAnchorPoint({0, 0.5f});
  label->setColor(colour);
  label->setPosition(at);
  panel->addChild(label);
  return label;
}

}  // namespace

ErYieldCardLayer::ErYieldCardLayer() : YndGameLayer(nullptr) {}

ErYieldCardLayer* ErYieldCardLayer::create() {
  auto* layer = new ErYieldCardLayer();
  if (!layer->init()) {
    delete layer;
    return nullptr;
  }
  layer->autorelease();
  return layer;
}

void ErYieldCardLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  const int width = BasePT::g_iWindowWidth;
  const int height = BasePT::g_iWindowHeight;
  const std::string count = std::to_string(m_iCount);
  // Entering again builds the contents anew; the panel slides in each time.
  for (cocos2d::Node* old : {static_cast<cocos2d::Node*>(m_pPanel), static_cast<cocos2d::Node*>(m_pWord)})
    if (old != nullptr) old->removeFromParent();
  m_pWord = nullptr;
  m_pDigits[0] = m_pDigits[1] = nullptr;

  m_pPanel = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kFramePanel, kPanelInsets);
  if (m_pPanel == nullptr) m_pPanel = cocos2d::ui::Scale9Sprite::create();  // the frame is logged as missing
  m_pPanel->setPreferredSize({kPanelWidth, m_pPanel->getContentSize().height});
  m_pPanel->setPosition(-kPanelWidth, static_cast<float>(height) * 0.5f + 10);
  addChild(m_pPanel);
  // The count follows the first line's word; the second line leaves a gap of
  // spaces for its small count, which stands at the gap's start.
  const std::string second = SuperGameText(kTextSecondLine);
  Label* first = PanelLabel(m_pPanel, SuperGameText(kTextFirstLine), 24, Color3B(255, 255, 255), kFirstLineAt);
  PanelLabel(m_pPanel, second, 18, Color3B(68, 163, 234), kSecondLineAt);
  m_pCountLabel = PanelLabel(m_pPanel, count, 28, Color3B(255, 244, 123),
                             kFirstLineAt + Vec2(first->getContentSize().width + kCountGap, 0));
  Label* before = Label::createWithSystemFont(second.substr(0, second.find(' ')), g_strSystemFont, 18);
  m_pSmallCountLabel = PanelLabel(m_pPanel, count, 18, Color3B(68, 163, 234),
                                  kSecondLineAt + Vec2(before->getContentSize().width + kSmallCountGap, 0));
  const float panelWidth = m_pPanel->getContentSize().width;
  m_pPanel->runAction(
      cocos2d::MoveTo::create(kSlideSeconds, Vec2(panelWidth * 0.5f, static_cast<float>(height) * 0.5f + 10)));

  m_pWord = cocos2d::Sprite::createWithSpriteFrameName(kFrameWord);
  if (m_pWord == nullptr) return;  // logged by the frame cache
  m_pWord->setVisible(false);
  m_pWord->setPosition(static_cast<float>(width / 2), static_cast<float>(height / 2 + 40));
  addChild(m_pWord);
  const cocos2d::Size word = m_pWord->getContentSize();
  for (int i = 0; i < 2; ++i) {
    m_pDigits[i] = cocos2d::ui::TextAtlas::create("", kDigitMap, kDigitWidth, kDigitHeight, "0");
    m_pDigits[i]->setPosition({word.width * 0.5f + (i == 0 ? -kDigitOffset : kDigitOffset), word.height * 0.5f});
    m_pWord->addChild(m_pDigits[i]);
  }
}

void ErYieldCardLayer::SetYieldNum(int count, int landlordSeat) {
  m_iCount = count;
  if (!isRunning()) return;
  const std::string text = std::to_string(count);
  if (m_pCountLabel != nullptr) m_pCountLabel->setString(text);
  if (m_pSmallCountLabel != nullptr) m_pSmallCountLabel->setString(text);
  if (m_pWord == nullptr) return;
  if (count < 1 || landlordSeat != -1) {
    m_pWord->setVisible(false);
    return;
  }
  m_pWord->setVisible(true);
  for (cocos2d::ui::TextAtlas* digits : m_pDigits)
    if (digits != nullptr) digits->setString(text);
}
