#include "compete/CompeteLayerParts.h"

#include <algorithm>

#include "gamedata/LabelHelpers.h"
#include "platform/engine/Label.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "table/DDZGameView.h"
#include "widgets/TopUIBase.h"

namespace competelayer {

namespace {
constexpr float kLowerPanelHeight = 426;
constexpr float kLowerPanelDrop = 26;
constexpr float kUpperPanelRise = 240;
constexpr float kPlateMinWidth = 200, kPlateMargin = 310, kPlateHeight = 118, kPlateRise = 14;
}  // namespace

cocos2d::Label* MakeLabel(const std::string& text, float size, const cocos2d::Color3B& ink) {
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, size);
  label->setColor(ink);
  return label;
}

void AddDimmer(cocos2d::Node* layer) {
  auto* dimmer = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 150));
  dimmer->setScale(2);
  layer->addChild(dimmer, -999);
}

cocos2d::Node* AddLowerPanel(cocos2d::Node* layer) {
  const int w = BasePT::g_iWindowWidth, halfH = BasePT::g_iWindowHeight / 2;
  cocos2d::ui::Scale9Sprite* panel = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_ddjm_ui_d02.png");
  if (panel == nullptr) panel = cocos2d::ui::Scale9Sprite::create();
  panel->setPreferredSize(cocos2d::Size(static_cast<float>(w), kLowerPanelHeight));
  panel->setPosition(cocos2d::Vec2(static_cast<float>(w / 2), halfH - kLowerPanelDrop));
  layer->addChild(panel);
  return panel;
}

cocos2d::Label* AddTitle(cocos2d::Node* layer, const std::string& title) {
  const int halfW = BasePT::g_iWindowWidth / 2, halfH = BasePT::g_iWindowHeight / 2;
  cocos2d::Node* upper = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_ui_d01.png");
  if (upper == nullptr) upper = cocos2d::Node::create();
  upper->setPosition(cocos2d::Vec2(static_cast<float>(halfW), halfH + kUpperPanelRise));
  layer->addChild(upper);
  const cocos2d::Size size = upper->getContentSize();
  cocos2d::Label* label = MakeLabel(title, 42, kBrown);
  label->setPosition(cocos2d::Vec2(size.width / 2, size.height / 2));
  upper->addChild(label, 2);
  if (auto* plate = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_ddjm_title_d.png")) {
    plate->setPreferredSize(
        cocos2d::Size(std::max(label->getContentSize().width, kPlateMinWidth) + kPlateMargin, kPlateHeight));
    plate->setPosition(cocos2d::Vec2(size.width / 2, size.height / 2 + kPlateRise));
    upper->addChild(plate);
  }
  return label;
}

void SetTopButtonsEnabled(bool enabled) {
  auto* view = dynamic_cast<DDZGameView*>(GameSceneBase::m_pGameView);
  if (view != nullptr && view->m_pTopUI != nullptr) view->m_pTopUI->SetTopBtnsEnabled(enabled);
}

}  // namespace competelayer
