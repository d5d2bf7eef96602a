#include "widgets/SRTopUI.h"

#include <cstdio>
#include <string>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/DDZGameView.h"
#include "widgets/CardCounterLayer.h"

using cocos2d::Vec2;

namespace {
constexpr const char* kTaskFrame = "task_bg.png";
constexpr const char* kTaskIconFrame = "task_icon_0.png";
constexpr const char* kTaskDigits = "qorvddz_task_num.png";
constexpr const char* kGoldBtnFrame = "veriz_gold_card_bg.png";
constexpr const char* kTipsFrame = "task_goldencard_tips_bg.png";
constexpr const char* kTipsTitleFrame = "task_goldencard_tips_title.png";
constexpr const char* kTipsDigits = "task_goldencard_tips_num.png";
// The task panel: its one icon at the left (the panel's art writes the word
// after it), then its two numbers on one row with a slash between them.
constexpr float kTaskIconX = 22;
constexpr float kTaskSlashSize = 20;
const cocos2d::Color3B kTaskSlashColour(255, 231, 72);
const cocos2d::Color3B kTipsTextColour(0, 228, 255);
constexpr float kTipsTextSize = 22;
const Vec2 kTipsTitlePos(150, 180);
constexpr float kTipsRowTop = 146, kTipsRowStep = 32;
constexpr float kFlashSeconds = 0.5f, kFlashScale = 3.0f;
// The score panel (220 wide): each value after the word that names it.
const char* const kValueWords[2] = {"底分", "倍数"};
const float kValueWordX[2] = {30, 134};
const float kValueX[2] = {76, 184};
const cocos2d::Color3B kWordColour(200, 231, 255);

// A task number for the task digits, whose strip draws ';' as the minus.
std::string TaskDigits(int value) {
  const long long v = value;
  return v < 0 ? ";" + std::to_string(-v) : std::to_string(v);
}

cocos2d::SpriteFrame* CardFace(int card) {
  char name[40];
  std::snprintf(name, sizeof name, "veriz_gold_card_%d.png", card);
  return cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(name);
}

cocos2d::Sprite* FrameOrEmpty(const char* name) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(name);
  return sprite != nullptr ? sprite : cocos2d::Sprite::create();
}
}  // namespace

SRTopUI::SRTopUI(DDZGameView* pGameView)
    : TableTopBar(pGameView, Look{Vec2(600, -16), 22, Vec2(500, -15), true, 18}) {}

SRTopUI* SRTopUI::create(DDZGameView* pGameView) {
  auto* bar = new SRTopUI(pGameView);
  bar->autorelease();
  return bar;
}

SRTopUI::~SRTopUI() {
  DropGoldFrames();
  DropTaskPanel();
}

TableTopBar::ClickStamp& SRTopUI::TalkStamp() const {
  static ClickStamp stamp;  // shared by every SRTopUI, apart from TopUI's
  return stamp;
}

CardCounterLayer* SRTopUI::MakeCardCounter() { return SRCardCounterLayer::create(m_pGameView); }

void SRTopUI::OnButton(int index) {
  switch (index) {
    case kTalkBtn:
      if (AcceptTalkClick()) ToggleTalk();
      return;
    case kCardCounterBtn: ToggleCounter(); return;
    case kSetBtn: ToggleSettings(kSettingsKind); return;
    case kQuitBtn:
      CloseOtherWin(kQuitBtn);
      GameMsgBox::shareMessageBox()->ShowMessage(GameText(kQuitText).c_str(), 0, m_pGameView,
                                                 static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
      return;
    default: return;
  }
}

void SRTopUI::BuildBar() {
  TableTopBar::BuildBar();
  if (m_pScorePanel != nullptr) {
    // The words stand in place of the panel's one word picture.
    for (cocos2d::Node* child : m_pScorePanel->getChildren())
      if (dynamic_cast<cocos2d::Label*>(child) == nullptr) child->setVisible(false);
    cocos2d::Label* values[2] = {m_pFinalPointLabel, m_pTimesLabel};
    const float y = g_ptTopUIInfo[4].y;
    for (int i = 0; i < 2; ++i) {
      m_pValueWord[i] = cocos2d::Label::createWithSystemFont(kValueWords[i], g_strFontName, m_look.valueSize);
      m_pValueWord[i]->setColor(kWordColour);
      m_pValueWord[i]->setPosition(Vec2(kValueWordX[i], y));
      m_pScorePanel->addChild(m_pValueWord[i]);
      if (values[i] != nullptr) values[i]->setPosition(Vec2(kValueX[i], y));
    }
  }
}

void SRTopUI::SetFinalPoint(int iFinalPoint) { ShowValue(m_pFinalPointLabel, iFinalPoint); }

void SRTopUI::SetTimes(int iTimes, bool) { ShowValue(m_pTimesLabel, iTimes); }

// ---------------------------------------------------------------- task panel

void SRTopUI::DropTaskPanel() {
  if (m_pTaskPanel == nullptr) return;
  if (m_pTaskPanel->getParent() != nullptr) m_pTaskPanel->removeFromParentAndCleanup(true);
  m_pTaskPanel->release();
  m_pTaskPanel = nullptr;
  m_pTaskNum[0] = m_pTaskNum[1] = nullptr;
}

void SRTopUI::ShowTaskPanel(int iNum1, int iNum2, bool bShow) {
  // A panel the view took off the bar is gone for good.
  if (m_pTaskPanel != nullptr && m_pTaskPanel->getParent() != this) DropTaskPanel();
  if (!bShow) {
    DropTaskPanel();
    return;
  }
  if (m_pTaskPanel == nullptr) {
    m_pTaskPanel = FrameOrEmpty(kTaskFrame);
    m_pTaskPanel->retain();
    m_pTaskPanel->setPosition(g_ptSRHappyTask);
    addChild(m_pTaskPanel);
    const float midY = m_pTaskPanel->getContentSize().height / 2;
    if (cocos2d::Sprite* icon = cocos2d::Sprite::createWithSpriteFrameName(kTaskIconFrame)) {
      icon->setPosition(Vec2(kTaskIconX, midY));
      m_pTaskPanel->addChild(icon);
    }
    // "n / m": the first number ends at its point, the second starts at its
    // own, the slash stands between them.
    for (int i = 0; i < 2; ++i) {
      m_pTaskNum[i] = cocos2d::ui::TextAtlas::create("", kTaskDigits, 20, 20, "0");
      m_pTaskNum[i]->setAnchorPoint(Vec2(i == 0 ? 1.0f : 0.0f, 0.5f));
      m_pTaskNum[i]->setPosition(g_ptSRHappyTaskNum[i]);
      m_pTaskPanel->addChild(m_pTaskNum[i]);
    }
    cocos2d::Label* slash = cocos2d::Label::createWithSystemFont("/", g_strFontName, kTaskSlashSize);
    slash->setColor(kTaskSlashColour);
    slash->setPosition((g_ptSRHappyTaskNum[0] + g_ptSRHappyTaskNum[1]) / 2);
    m_pTaskPanel->addChild(slash);
    m_pTaskPanel->setScaleY(0);
    m_pTaskPanel->runAction(cocos2d::ScaleTo::create(kTaskGrowSeconds, 1.0f, 1.0f));
  }
  m_pTaskNum[0]->setString(TaskDigits(iNum1));
  m_pTaskNum[1]->setString(TaskDigits(iNum2));
}

// ---------------------------------------------------------------- golden card

bool SRTopUI::IsRolling() const { return isScheduled(kRollKey); }

void SRTopUI::DropGoldFrames() {
  for (cocos2d::SpriteFrame* frame : m_vcGoldFrames)
    if (frame != nullptr) frame->release();
  m_vcGoldFrames.clear();
}

void SRTopUI::ShowGoldCardTask(int iCard, const int* pNums, bool bOpened, bool bShow) {
  if (!bShow) {
    unschedule(kRollKey);
    unschedule(kTipsKey);
    // The button goes with the card: a button left behind would open a tips
    // card that is no more.
    for (cocos2d::Node* node : {static_cast<cocos2d::Node*>(m_pGoldCardBtn), static_cast<cocos2d::Node*>(m_pGoldCard),
                                static_cast<cocos2d::Node*>(m_pGoldTipsBg)})
      if (node != nullptr) node->removeFromParentAndCleanup(true);
    m_pGoldCardBtn = nullptr;
    m_pGoldCard = nullptr;
    m_pGoldTipsBg = nullptr;
    for (auto*& num : m_pGoldNum) num = nullptr;
    DropGoldFrames();
    return;
  }
  if (m_pGoldCardBtn != nullptr) return;
  if (pNums == nullptr) {
    cocos2d::log("SRTopUI::ShowGoldCardTask: no counts, the golden card is not shown");
    return;
  }
  m_pGoldCardBtn = cocos2d::ui::Button::create(kGoldBtnFrame, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  m_pGoldCardBtn->setPosition(g_ptSRGoldCard);
  m_pGoldCardBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnGoldTipsClick(sender); });
  m_pGoldCardBtn->setEnabled(bOpened);
  addChild(m_pGoldCardBtn);
  BuildGoldTips(pNums);

  if (bOpened) {
    m_pGoldCard = cocos2d::Sprite::createWithSpriteFrame(CardFace(iCard));
    if (m_pGoldCard == nullptr) {
      cocos2d::log("SRTopUI::ShowGoldCardTask: no face for card %d", iCard);
      return;
    }
    m_pGoldCard->setPosition(g_ptSRGoldCard);
    addChild(m_pGoldCard);
    return;
  }
  DropGoldFrames();
  for (int i = 0; i < kRollFrames; ++i) m_vcGoldFrames.push_back(CardFace(YndRand(kCardFaces) + 1));
  m_vcGoldFrames.push_back(CardFace(iCard));
  if (m_vcGoldFrames.back() == nullptr) cocos2d::log("SRTopUI::ShowGoldCardTask: no face for card %d", iCard);
  for (cocos2d::SpriteFrame* frame : m_vcGoldFrames)
    if (frame != nullptr) frame->retain();
  m_pGoldCard = m_vcGoldFrames.front() != nullptr ? cocos2d::Sprite::createWithSpriteFrame(m_vcGoldFrames.front())
                                                  : cocos2d::Sprite::create();
  m_pGoldCard->setPosition(g_ptSRGoldCard);
  addChild(m_pGoldCard);
  m_iGoldFrameIndex = 1;
  schedule([this](float dt) { RollStep(dt); }, kRollStepSeconds, kRollKey);
}

void SRTopUI::BuildGoldTips(const int* pNums) {
  m_pGoldTipsBg = FrameOrEmpty(kTipsFrame);
  m_pGoldTipsBg->setPosition(g_ptSRGoldCardTaskBg);
  m_pGoldTipsBg->setAnchorPoint(Vec2(0, 0.8f));
  m_pGoldTipsBg->setVisible(false);
  addChild(m_pGoldTipsBg);
  if (cocos2d::Sprite* title = cocos2d::Sprite::createWithSpriteFrameName(kTipsTitleFrame)) {
    title->setPosition(kTipsTitlePos);
    m_pGoldTipsBg->addChild(title);
  }
  for (int k = 0; k < kGoldCounts; ++k) {
    m_pGoldNum[k] = cocos2d::ui::TextAtlas::create(std::to_string(pNums[k]), kTipsDigits, 14, 18, "0");
    m_pGoldNum[k]->setPosition(g_ptSRGoldCardTaskNum[k]);
    m_pGoldTipsBg->addChild(m_pGoldNum[k]);
    cocos2d::Label* name = cocos2d::Label::createWithSystemFont(GameText(kGoldCountText + k), g_strFontName,
                                                                kTipsTextSize);
    name->setColor(kTipsTextColour);
    name->setPosition(Vec2(kTipsTitlePos.x, kTipsRowTop - kTipsRowStep * static_cast<float>(k)));
    m_pGoldTipsBg->addChild(name);
  }
}

void SRTopUI::RollStep(float) {
  if (m_pGoldCard == nullptr || m_vcGoldFrames.empty()) {
    unschedule(kRollKey);
    return;
  }
  const std::size_t last = m_vcGoldFrames.size() - 1;
  const std::size_t index = static_cast<std::size_t>(m_iGoldFrameIndex);
  cocos2d::SpriteFrame* frame = m_vcGoldFrames[index < last ? index : last];
  if (frame != nullptr) m_pGoldCard->setSpriteFrame(frame);
  if (index < last) {
    ++m_iGoldFrameIndex;
    return;
  }
  unschedule(kRollKey);
  m_iGoldFrameIndex = 1;
  if (frame != nullptr) {
    cocos2d::Sprite* flash = cocos2d::Sprite::createWithSpriteFrame(frame);
    flash->setPosition(g_ptSRGoldCard);
    addChild(flash);
    flash->runAction(cocos2d::Sequence::create(
        cocos2d::Spawn::create(cocos2d::FadeOut::create(kFlashSeconds), cocos2d::ScaleTo::create(kFlashSeconds, kFlashScale)),
        cocos2d::RemoveSelf::create()));
  }
  if (m_pGoldCardBtn != nullptr) m_pGoldCardBtn->setEnabled(true);
  if (!m_bGoldTipsShown) OpenTips();
}

void SRTopUI::OnGoldTipsClick(cocos2d::Ref*) {
  if (m_pGoldTipsBg == nullptr) return;
  if (m_pGoldTipsBg->isVisible())
    CloseTips();
  else
    OpenTips();
}

void SRTopUI::OpenTips() {
  if (m_pGoldTipsBg == nullptr) return;
  unschedule(kTipsKey);
  m_pGoldTipsBg->stopAllActions();
  m_pGoldTipsBg->setScale(kTipsSmallScale);
  m_pGoldTipsBg->setVisible(true);
  m_pGoldTipsBg->runAction(cocos2d::ScaleTo::create(kTipsScaleSeconds, 1.0f));
  scheduleOnce([this](float) { CloseTips(); }, kTipsSeconds, kTipsKey);
}

void SRTopUI::CloseTips() {
  if (m_pGoldTipsBg == nullptr) return;
  unschedule(kTipsKey);
  m_pGoldTipsBg->stopAllActions();
  m_pGoldTipsBg->runAction(
      cocos2d::Sequence::create(cocos2d::ScaleTo::create(kTipsScaleSeconds, kTipsSmallScale), cocos2d::Hide::create()));
}

void SRTopUI::SetCountNum(const int* pNums) {
  if (m_pGoldCardBtn == nullptr) return;
  if (pNums == nullptr) {
    cocos2d::log("SRTopUI::SetCountNum: no counts");
    return;
  }
  for (int k = 0; k < kGoldCounts; ++k)
    if (m_pGoldNum[k] != nullptr) m_pGoldNum[k]->setString(std::to_string(pNums[k]));
}
