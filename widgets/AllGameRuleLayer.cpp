#include "widgets/AllGameRuleLayer.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <new>
#include <string>

#include "platform/engine/cocos2d.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "widgets/RuleWindowParts.h"
#include "widgets/RuleWordLayer.h"

using cocos2d::ui::Button;

namespace {

constexpr const char* kSheet = "cjddz_all_game_rule.plist";
constexpr const char* kCatBgSelected = "cjddz_yxgz_fl_btn2.png";
constexpr const char* kCatBgNormal = "cjddz_yxgz_fl_btn1.png";
// The area of the dialog; a touch outside it closes the dialog.
const cocos2d::Rect kDialogArea(80, 36, 1120, 594);

std::string Frame(const char* format, int n) {
  char name[64];
  std::snprintf(name, sizeof name, format, n);
  return name;
}

Button* MakeButton(const std::string& image, const cocos2d::Vec2& at, bool selectedLook,
                   std::function<void(cocos2d::Ref*)> onClick) {
  Button* b = Button::create(image, "", "", Button::TextureResType::PLIST);
  b->setPosition(at);
  b->addClickEventListener(std::move(onClick));
  if (selectedLook) {
    b->setVisible(false);
    b->setTouchEnabled(false);
  }
  return b;
}

}  // namespace

AllGameRuleLayer* AllGameRuleLayer::create() {
  auto* layer = new (std::nothrow) AllGameRuleLayer();
  if (layer && layer->init()) {
    layer->autorelease();
    return layer;
  }
  delete layer;
  return nullptr;
}

AllGameRuleLayer::AllGameRuleLayer() : YndGameLayer(nullptr) { m_bModalFlag = true; }

void AllGameRuleLayer::AddGame(int iGameType, int iValue) {
  const auto found = g_mapGameRules.find(iGameType);
  if (found == g_mapGameRules.end() || found->second.vcTypes.empty()) return;
  for (const GameRuleRecord& game : m_vcGames)
    if (game.iGameType == iGameType) return;
  found->second.iValue = iValue;
  m_vcGames.push_back(found->second);
}

void AllGameRuleLayer::ClearGames() { m_vcGames.clear(); }

void AllGameRuleLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  m_pBg = cocos2d::Sprite::createWithSpriteFrameName("cjddz_yxgz_bg.png");
  if (!m_pBg) return;
  addChild(m_pBg, -9);
  m_pBg->setPosition(BasePT::g_iWindowWidth / 2, BasePT::g_iWindowHeight / 2);
  ddz::RunRulePopupBounce(m_pBg, 0.85f, 0.15f);
  setTouchEnabled(true, false);

  const cocos2d::Size size = m_pBg->getContentSize();
  cocos2d::LayerColor* dim = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 125));
  dim->setScale(2.0f);
  m_pBg->addChild(dim, -99);
  if (auto* title = cocos2d::Sprite::createWithSpriteFrameName("cjddz_yxgz_title.png")) {
    title->setPosition(size.width / 2, size.height - 30);
    m_pBg->addChild(title);
  }
  if (auto* left = cocos2d::Sprite::createWithSpriteFrameName("cjddz_yxgz_bg1.png")) {
    left->setPosition(136, size.height / 2 - 26);
    m_pBg->addChild(left);
  }
  if (auto* panel = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("cjddz_yxgz_bg2.png")) {
    panel->setPreferredSize(cocos2d::Size(818, 506));
    panel->setPosition(693, 263);
    m_pBg->addChild(panel);
  }
  m_pRuleWord = RuleWordLayer::create();
  m_pRuleWord->setPosition(693, 263);
  m_pBg->addChild(m_pRuleWord, 9);

  const int shown = std::min(static_cast<int>(m_vcGames.size()), kMaxGames);
  for (int k = 0; k < shown; ++k) {
    const float y = 514.0f - 118.0f * static_cast<float>(k);
    const int n = m_vcGames[static_cast<std::size_t>(k)].iGameType + 1;
    auto onClick = [this](cocos2d::Ref* sender) { OnGameBtn(sender); };
    m_pGameBtn[k] = MakeButton(Frame("cjddz_yxgz_yq%d_1.png", n), cocos2d::Vec2(136, y), false, onClick);
    m_pGameBtnSel[k] = MakeButton(Frame("cjddz_yxgz_yq%d_2.png", n), cocos2d::Vec2(136, y), true, onClick);
    m_pBg->addChild(m_pGameBtn[k]);
    m_pBg->addChild(m_pGameBtnSel[k]);
    if (auto* line = cocos2d::Sprite::createWithSpriteFrameName("cjddz_yxgz_bg_line.png")) {
      line->setPosition(136, y - 59);
      m_pBg->addChild(line);
    }
  }
  m_pGameSelBg = cocos2d::Sprite::createWithSpriteFrameName("cjddz_yxgz_yq_bg.png");
  if (m_pGameSelBg) m_pBg->addChild(m_pGameSelBg);

  m_pListView = cocos2d::ui::ListView::create();
  m_pListView->setDirection(cocos2d::ui::ScrollView::Direction::VERTICAL);
  m_pListView->setBounceEnabled(true);
  m_pListView->setContentSize(cocos2d::Size(ddz::kRuleItemWidth, 480));
  m_pListView->setPosition(cocos2d::Vec2(290, 20));
  m_pBg->addChild(m_pListView);

  // The game chosen last, when it is still listed.
  if (m_iCurGame >= 0 && m_iCurGame < shown) OnGameBtn(m_pGameBtn[m_iCurGame]);
}

void AllGameRuleLayer::onExit() {
  YndGameLayer::onExit();
  // The widgets of this showing go with it; the next one builds its own.
  if (m_pBg) m_pBg->removeFromParent();
  ClearWidgetPointers();
}

void AllGameRuleLayer::ClearWidgetPointers() {
  m_pBg = nullptr;
  m_pGameSelBg = nullptr;
  m_pRuleWord = nullptr;
  m_pListView = nullptr;
  m_pGameBtn.fill(nullptr);
  m_pGameBtnSel.fill(nullptr);
  m_pCatBg.fill(nullptr);
  m_pCatBtn.fill(nullptr);
  m_pCatBtnSel.fill(nullptr);
}

void AllGameRuleLayer::OnGameBtn(cocos2d::Ref* sender) {
  int clicked = -1;
  for (int k = 0; k < kMaxGames; ++k) {
    if (!m_pGameBtn[k]) continue;
    if (m_pGameBtn[k] == sender || m_pGameBtnSel[k] == sender) clicked = k;
  }
  if (clicked < 0) return;
  for (int k = 0; k < kMaxGames; ++k) {
    if (!m_pGameBtn[k]) continue;
    m_pGameBtn[k]->setVisible(k != clicked);
    m_pGameBtnSel[k]->setVisible(k == clicked);
  }
  m_iCurGame = clicked;
  if (m_pGameSelBg) m_pGameSelBg->setPosition(m_pGameBtn[clicked]->getPosition());
  BuildCategoryButtons();
  const int cat = m_iCurCat[static_cast<std::size_t>(clicked)];
  if (cat >= 0 && cat < kMaxCategories && m_pCatBtn[cat]) OnCategoryBtn(m_pCatBtn[cat]);
}

void AllGameRuleLayer::BuildCategoryButtons() {
  for (cocos2d::Sprite* bg : m_pCatBg)
    if (bg && bg->isRunning()) bg->removeFromParentAndCleanup(true);
  m_pCatBg.fill(nullptr);
  m_pCatBtn.fill(nullptr);
  m_pCatBtnSel.fill(nullptr);
  if (!m_pBg || m_iCurGame < 0 || m_iCurGame >= static_cast<int>(m_vcGames.size())) return;
  const int count = std::min(static_cast<int>(m_vcGames[static_cast<std::size_t>(m_iCurGame)].vcTypes.size()),
                             kMaxCategories);
  for (int j = 0; j < count; ++j) {
    cocos2d::Sprite* bg = cocos2d::Sprite::createWithSpriteFrameName(kCatBgSelected);
    if (!bg) continue;
    bg->setPosition(400.0f + 185.0f * static_cast<float>(j), 543);
    m_pBg->addChild(bg);
    m_pCatBg[j] = bg;
    const cocos2d::Vec2 centre(bg->getContentSize().width / 2, bg->getContentSize().height / 2);
    auto onClick = [this](cocos2d::Ref* sender) { OnCategoryBtn(sender); };
    m_pCatBtn[j] = MakeButton(Frame("cjddz_yxgz_fl_btn1_word%d.png", j + 1), centre, false, onClick);
    m_pCatBtnSel[j] = MakeButton(Frame("cjddz_yxgz_fl_btn2_word%d.png", j + 1), centre, true, onClick);
    bg->addChild(m_pCatBtn[j]);
    bg->addChild(m_pCatBtnSel[j]);
  }
}

void AllGameRuleLayer::OnCategoryBtn(cocos2d::Ref* sender) {
  if (m_iCurGame < 0 || m_iCurGame >= static_cast<int>(m_vcGames.size())) return;
  const GameRuleRecord& game = m_vcGames[static_cast<std::size_t>(m_iCurGame)];
  for (int j = 0; j < kMaxCategories; ++j) {
    if (!m_pCatBtn[j]) continue;
    const bool clicked = m_pCatBtn[j] == sender || m_pCatBtnSel[j] == sender;
    m_pCatBtn[j]->setVisible(!clicked);
    m_pCatBtnSel[j]->setVisible(clicked);
    m_pCatBg[j]->setSpriteFrame(clicked ? kCatBgSelected : kCatBgNormal);
    if (clicked && static_cast<std::size_t>(j) < game.vcTypes.size()) {
      m_iCurCat[static_cast<std::size_t>(m_iCurGame)] = j;
      const std::vector<RuleEntry> entries = game.vcTypes[static_cast<std::size_t>(j)].vcEntries;
      FillRuleList(entries, game.iValue);
    }
  }
}

void AllGameRuleLayer::FillRuleList(const std::vector<RuleEntry>& entries, int iValue) {
  if (!m_pListView) return;
  m_pListView->removeAllItems();
  for (const RuleEntry& entry : entries) {
    const bool special = entry.iMask >= 1 && (entry.iMask & iValue) == entry.iMask;
    const std::string& title = special && !entry.strTitle2.empty() ? entry.strTitle2 : entry.strTitle;
    if (title == kHiddenRuleTitle) continue;
    const std::vector<std::string>& lines = special && !entry.vcLines2.empty() ? entry.vcLines2 : entry.vcLines;
    m_pListView->pushBackCustomItem(ddz::MakeRuleListItem(title, lines));
  }
  m_pListView->requestDoLayout();
}

void AllGameRuleLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  const cocos2d::Vec2 p =
      convertToNodeSpace(touches.front()->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
  const bool inside = p.x >= kDialogArea.getMinX() && p.x <= kDialogArea.getMaxX() &&
                      p.y >= kDialogArea.getMinY() && p.y <= kDialogArea.getMaxY();
  if (!inside) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}
