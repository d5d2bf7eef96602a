#include "widgets/GameRuleLayer.h"

#include <new>
#include <string>

#include "platform/engine/cocos2d.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "widgets/RuleFiles.h"
#include "widgets/RuleWindowParts.h"

using cocos2d::ui::Button;

namespace {
constexpr const char* kSheet = "new_all_game_rule_res.plist";
}

GameRuleLayer* GameRuleLayer::create() {
  auto* layer = new (std::nothrow) GameRuleLayer();
  if (layer && layer->init()) {
    layer->autorelease();
    return layer;
  }
  delete layer;
  return nullptr;
}

GameRuleLayer::GameRuleLayer() : YndGameLayer(nullptr) { m_bModalFlag = true; }

void GameRuleLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  // The window of an earlier showing goes; this one is built afresh.
  if (m_pBg) m_pBg->removeFromParent();
  m_pBg = nullptr;
  m_pListView = nullptr;
  m_vcTabBtn.clear();
  m_vcTabBtnSel.clear();

  m_pBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("blue_gz_bg.png");
  if (!m_pBg) return;
  m_pBg->setPreferredSize(cocos2d::Size(kBgWidth, kBgHeight));
  addChild(m_pBg);

  cocos2d::LayerColor* dim = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 150));
  dim->setScale(2.0f);
  m_pBg->addChild(dim, -99);

  if (auto* strip = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("blue_gz_bg3.png")) {
    strip->setPreferredSize(cocos2d::Size(290, 56));
    strip->setPosition(kBgWidth / 2, kBgHeight - 28);
    m_pBg->addChild(strip);
    if (auto* title = cocos2d::Sprite::createWithSpriteFrameName("blue_gz_title.png")) {
      title->setPosition(145, 28);
      strip->addChild(title);
    }
  }
  if (auto* column = cocos2d::Sprite::createWithSpriteFrameName("blue_gz_bg2.png")) {
    column->setPosition(256, 284);
    m_pBg->addChild(column);
  }
  Button* close = Button::create("blue_gz_close.png", "", "", Button::TextureResType::PLIST);
  close->setPosition(cocos2d::Vec2(kBgWidth - 40, kBgHeight - 40));
  close->addClickEventListener([this](cocos2d::Ref* sender) { OnClose(sender); });
  m_pBg->addChild(close);

  m_pListView = cocos2d::ui::ListView::create();
  m_pListView->setDirection(cocos2d::ui::ScrollView::Direction::VERTICAL);
  m_pListView->setBounceEnabled(true);
  m_pListView->setContentSize(cocos2d::Size(800, 460));
  m_pListView->setPosition(cocos2d::Vec2(260, 26));
  m_pBg->addChild(m_pListView);

  m_pBg->setPosition(BasePT::g_iWindowWidth / 2, BasePT::g_iWindowHeight / 2);
  ddz::RunRulePopupBounce(m_pBg, 0.85f, 0.15f);
  setTouchEnabled(true, false);
  SetMouseEventEnable(true);
}

void GameRuleLayer::RemoveTabButtons() {
  for (Button* b : m_vcTabBtn) b->removeFromParent();
  for (Button* b : m_vcTabBtnSel) b->removeFromParent();
  m_vcTabBtn.clear();
  m_vcTabBtnSel.clear();
}

void GameRuleLayer::ShowGameRule(int iGameID) {
  cocos2d::log("ShowGameRule,iGameID[%d]", iGameID);
  std::string confName;
  GetRuleConfName(iGameID, confName);
  LoadGameRuleConf(iGameID, confName);
  const auto found = g_mapRuleConf.find(iGameID);
  if (found == g_mapRuleConf.end() || !m_pBg) return;
  // Showing again while open replaces the tabs instead of stacking new ones
  // on the old.
  RemoveTabButtons();
  const std::vector<RuleType>& types = found->second;
  for (std::size_t k = 0; k < types.size(); ++k) {
    const cocos2d::Vec2 at(kTabX, kTabTopY - kTabStep * static_cast<float>(k));
    Button* selected = Button::createWithExtraAbove("blue_gz_btn_1.png", "", "", types[k].strTypeName + "_1.png");
    selected->setPosition(at);
    selected->setVisible(false);
    selected->setTouchEnabled(false);
    selected->addClickEventListener([this](cocos2d::Ref* sender) { OnTabClick(sender); });
    m_pBg->addChild(selected);
    m_vcTabBtnSel.push_back(selected);

    Button* normal = Button::createWithExtraAbove("blue_gz_btn_2.png", "", "", types[k].strTypeName + "_0.png");
    normal->setPosition(at);
    normal->addClickEventListener([this](cocos2d::Ref* sender) { OnTabClick(sender); });
    m_pBg->addChild(normal);
    m_vcTabBtn.push_back(normal);
  }
  if (m_vcTabBtn.empty()) return;
  if (m_iGameID != iGameID) {
    m_iGameID = iGameID;
    m_iCurTab = 0;
  }
  if (m_iCurTab < 0 || m_iCurTab >= static_cast<int>(m_vcTabBtn.size())) m_iCurTab = 0;
  OnTabClick(m_vcTabBtn[static_cast<std::size_t>(m_iCurTab)]);
}

void GameRuleLayer::OnTabClick(cocos2d::Ref* sender) {
  for (std::size_t i = 0; i < m_vcTabBtn.size(); ++i) {
    const bool clicked = m_vcTabBtn[i] == sender;
    m_vcTabBtn[i]->setVisible(!clicked);
    m_vcTabBtnSel[i]->setVisible(clicked);
    if (clicked) {
      m_iCurTab = static_cast<int>(i);
      ShowRuleText();
    }
  }
}

void GameRuleLayer::ShowRuleText() {
  const auto found = g_mapRuleConf.find(m_iGameID);
  if (!m_pListView || found == g_mapRuleConf.end() || m_iCurTab < 0 ||
      m_iCurTab >= static_cast<int>(found->second.size()))
    return;
  m_pListView->removeAllItems();
  const std::vector<RuleItem> items = found->second[static_cast<std::size_t>(m_iCurTab)].vcItems;
  for (const RuleItem& item : items) {
    if (item.strTitle == kHiddenRuleTitle) continue;
    m_pListView->pushBackCustomItem(ddz::MakeRuleListItem(item.strTitle, item.vcContent));
  }
  m_pListView->requestDoLayout();
}

void GameRuleLayer::OnClose(cocos2d::Ref*) {
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}

void GameRuleLayer::CallBackHandleMouseEvent(int kind, cocos2d::EventMouse* event) {
  if (kind != kYndMouseScroll || event == nullptr || m_pListView == nullptr) return;
  // Rolled towards the player (positive) the list moves up and shows the
  // rules further down; the list keeps its inner container within its ends.
  m_pListView->setInnerContainerPosition(m_pListView->getInnerContainerPosition() +
                                         cocos2d::Vec2(0, event->getScrollY() * kWheelStep));
}

void GameRuleLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || !m_pBg) return;
  const cocos2d::Vec2 p =
      convertToNodeSpace(touches.front()->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
  if (!m_pBg->getBoundingBox().containsPoint(p)) OnClose(this);
}
