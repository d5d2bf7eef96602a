#include "widgets/TopUI.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "cards/Vell_SpriteCardManage.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiCommon.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/SetLayer.h"
#include "widgets/TalkLayer.h"

using cocos2d::Vec2;

namespace {
const cocos2d::Color3B kValueColour(255, 231, 72);
const cocos2d::Color3B kClockColour(200, 231, 255);
constexpr const char* kBarFrame = "qorvddz_topui_bg.png";
constexpr const char* kPanelFrame = "qorvddz_topui_difen_bg.png";
constexpr const char* kWordFrame = "qorvddz_topui_difen_word.png";
constexpr const char* kWordNode = "ScoreWord";
// The captioned score panel: each value left-aligned after its word.
constexpr const char* kCaptionFrame[2] = {"qorvddzpc_difen_word_0.png", "qorvddzpc_difen_word_1.png"};
constexpr float kCaptionX[2] = {30, 140};
constexpr float kCaptionValueGap = 4;
constexpr const char* kBoardFrame = "ddzq_bsh.png";
constexpr const char* kBoardDigits = "ddzq_bsh_num.png";
constexpr int kBatteryTries = 10;
constexpr int kButtonZ = 2;

Vec2 Top() { return Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2), static_cast<float>(BasePT::g_iWindowHeight)); }
}  // namespace

// ================================================================ TableTopBar

void TableTopBar::onEnter() {
  TopUIBase::onEnter();
  AddPlist(kSheet);
  if (m_pBarBg == nullptr) BuildBar();
  if (m_pCardCounter == nullptr) {
    m_pCardCounter = MakeCardCounter();
    m_pCardCounter->retain();
  }
  EnsureTalkLayer();
  setTouchEnabled(true);
  SetCardCountBtnEnabled(false);
}

void TableTopBar::onExit() {
  TopUIBase::onExit();
  if (m_pCardCounter != nullptr) {
    if (m_pCardCounter->getParent() != nullptr) m_pCardCounter->removeFromParentAndCleanup(true);
    m_pCardCounter->release();
    m_pCardCounter = nullptr;
  }
}

void TableTopBar::BuildBar() {
  const Vec2 top = Top();
  m_pClockLabel = cocos2d::Label::createWithSystemFont("", g_strFontName, m_look.clockSize);
  m_pClockLabel->setColor(kClockColour);
  m_pClockLabel->setPosition(top + m_look.clockFromTop);
  m_pClockLabel->setVisible(m_look.statusVisible);
  addChild(m_pClockLabel);
  for (int k = 1; k <= 2; ++k) {
    char name[48];
    std::snprintf(name, sizeof name, "qorvddz_electric_signal_%d.png", k + 2);
    m_pNetFrame[k - 1] = cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(name);
    std::snprintf(name, sizeof name, "qorvddz_electric_signal_%d.png", k);
    cocos2d::Sprite* signal = cocos2d::Sprite::createWithSpriteFrameName(name);
    if (signal == nullptr) continue;
    signal->setPosition(top + Vec2(545, -15 - 13.0f * (k - 1)));
    signal->setScale(0.9f);
    signal->setVisible(m_look.statusVisible);
    addChild(signal);
    m_pSignal[k - 1] = signal;
  }
  if (m_pSignal[1] != nullptr) m_pSignal[1]->setAnchorPoint(Vec2(0.5f, 0));
  if (m_pNetFrame[0] != nullptr) {
    m_pNetIcon = cocos2d::Sprite::createWithSpriteFrame(m_pNetFrame[0]);
    m_pNetIcon->setPosition(top + m_look.netFromTop);
    m_pNetIcon->setScale(0.9f);
    m_pNetIcon->setVisible(m_look.statusVisible);
    addChild(m_pNetIcon);
  }
  UpdateClockAndSignal();
  schedule([this](float dt) { UpdateClockAndSignal(dt); }, kClockSeconds, kClockKey);

  m_pBarBg = cocos2d::Sprite::createWithSpriteFrameName(kBarFrame);
  if (m_pBarBg == nullptr) {
    cocos2d::log("TableTopBar: no frame %s, the bar stays empty", kBarFrame);
    m_pBarBg = cocos2d::Sprite::create();
  }
  m_pBarBg->setPosition(top + g_ptTopUI);
  addChild(m_pBarBg);
  m_pScorePanel = cocos2d::Sprite::createWithSpriteFrameName(kPanelFrame);
  if (m_pScorePanel == nullptr) m_pScorePanel = cocos2d::Sprite::create();
  m_pScorePanel->setPosition(g_ptBtnTopUIInfo);
  m_pBarBg->addChild(m_pScorePanel);
  if (cocos2d::Sprite* word = cocos2d::Sprite::createWithSpriteFrameName(kWordFrame)) {
    word->setName(kWordNode);
    word->setPosition(g_ptTopUIInfo[3]);
    m_pScorePanel->addChild(word);
  }
  cocos2d::Label** labels[2] = {&m_pFinalPointLabel, &m_pTimesLabel};
  for (int i = 0; i < 2; ++i) {
    cocos2d::Label* label = cocos2d::Label::createWithSystemFont("", g_strFontName, m_look.valueSize);
    label->setColor(kValueColour);
    label->setPosition(g_ptTopUIInfo[4 + i]);
    m_pScorePanel->addChild(label);
    *labels[i] = label;
  }

  const cocos2d::Size barSize = m_pBarBg->getContentSize();
  for (int i = 0; i < kTopBtnCount; ++i) {
    char normal[48], disabled[48];
    std::snprintf(normal, sizeof normal, "qorvddz_topui_btn_%d.png", i);
    std::snprintf(disabled, sizeof disabled, "qorvddz_topui_btn_%d_disable.png", i);
    auto* button = cocos2d::ui::Button::create(normal, "", i <= kCardCounterBtn ? disabled : "",
                                               cocos2d::ui::Widget::TextureResType::PLIST);
    button->setTouchEnabled(true);
    button->setPosition(Vec2(barSize.width / 2, barSize.height / 2) + g_ptBtnUI[i]);
    button->addClickEventListener([this](cocos2d::Ref* sender) { OnTopBtnClick(sender); });
    m_pBarBg->addChild(button, kButtonZ);
    m_pTopBtn[i] = button;
  }
}

void TableTopBar::UpdateClockAndSignal(float) {
  if (m_pClockLabel != nullptr) {
    const std::time_t now = static_cast<std::time_t>(ddz::os::Clock().WallTimeSeconds());
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) {
      char text[16];
      std::snprintf(text, sizeof text, "%02d:%02d", local.tm_hour, local.tm_min);
      m_pClockLabel->setString(text);
    }
  }
  OsApiCommon* os = OsApiCommon::shareOsApiCommon();
  if (os == nullptr) return;
  cocos2d::SpriteFrame* net = m_pNetFrame[os->GetConnectionKind() == OsApiCommon::kConnectionWired ? 0 : 1];
  if (m_pNetIcon != nullptr && net != nullptr) m_pNetIcon->setSpriteFrame(net);
  int level = -1;
  for (int i = 0; i < kBatteryTries && level == -1; ++i) level = os->GetBatteryLevel();
  level = std::clamp(level, 0, 100);
  if (m_pSignal[1] != nullptr) m_pSignal[1]->setScaleY(static_cast<float>(level) / 100);
}

void TableTopBar::OnTopBtnClick(cocos2d::Ref* sender) {
  if (!ClickHeard()) return;
  GameSoundDDZ::shareGameSoundDDZ();
  char sound[32];
  std::snprintf(sound, sizeof sound, "ddzSound/%d.mp3", kClickSound);
  SoundManage::shareSoundManage()->PlaySoundByFile(sound);
  for (int i = 0; i < kTopBtnCount; ++i)
    if (sender != nullptr && sender == m_pTopBtn[i]) OnButton(i);
}

bool TableTopBar::AcceptTalkClick() {
  ClickStamp& stamp = TalkStamp();
  const unsigned now = GetTime();
  if (stamp.any && now - stamp.ms < kTalkClickGapMs) return false;
  stamp.any = true;
  stamp.ms = now;
  return true;
}

void TableTopBar::ToggleTalk() {
  if (m_pTalkLayer == nullptr) return;
  if (m_pTalkLayer->isRunning()) {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pTalkLayer, m_pTalkLayer->getParent());
    return;
  }
  if (m_pTalkLayer->getParent() != nullptr) return;  // its removal is still pending
  addChild(m_pTalkLayer);
  CloseOtherWin(kTalkPopup);
}

void TableTopBar::ToggleCounter() {
  if (m_pCardCounter == nullptr) return;
  if (m_pCardCounter->isRunning()) {
    m_bCounterOpen = false;
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pCardCounter, this);
    return;
  }
  if (m_pCardCounter->getParent() != nullptr) return;
  m_bCounterOpen = true;
  addChild(m_pCardCounter);
  m_pCardCounter->setVisible(true);
  CloseOtherWin(kCardCounterBtn);
}

void TableTopBar::ToggleSettings(int iGameKind) {
  SetLayer* settings = SetLayer::shareSetLayer(SetLayer::kFromTable, iGameKind);
  if (settings->isRunning()) {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(settings, settings->getParent());
    return;
  }
  if (settings->getParent() != nullptr) return;
  addChild(settings);
  CloseOtherWin(kSetBtn);
}

void TableTopBar::AddJPQCard(std::vector<int> vcSendCard) {
  if (m_pCardCounter != nullptr) m_pCardCounter->AddCards(vcSendCard);
}

void TableTopBar::ClearJQPCard() {
  if (m_pCardCounter != nullptr) m_pCardCounter->ClearCards(m_pGameView != nullptr ? m_pGameView->GetGameKind() : 0);
}

void TableTopBar::ShowCardCounter(bool bShow) {
  if (m_pCardCounter == nullptr) return;
  if (!bShow) {
    if (m_pCardCounter->isRunning())
      YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pCardCounter, this);
    return;
  }
  if (!m_pCardCounter->isRunning()) {
    if (!m_bCounterOpen || m_pCardCounter->getParent() != nullptr) return;
    addChild(m_pCardCounter);
  }
  m_pCardCounter->setVisible(true);
}

void TableTopBar::SetNumVisible(bool bShow) {
  if (m_pCardCounter != nullptr) m_pCardCounter->SetShow(bShow);
}

void TableTopBar::OnSendTalkMsg(int iTalkIndex) {
  TopUIBase::OnSendTalkMsg(iTalkIndex);
  LockTalkBtn();
}

void TableTopBar::OnSendFaceMsg(int iFaceIndex) {
  TopUIBase::OnSendFaceMsg(iFaceIndex);
  LockTalkBtn();
}

bool TableTopBar::ShowValue(cocos2d::Label* label, int value) {
  if (label == nullptr || !label->isRunning()) return false;
  if (value == -1) {
    label->setVisible(false);
    return false;
  }
  label->setString(std::to_string(value));
  label->setVisible(true);
  return true;
}

// ================================================================ TopUI

TopUI::TopUI(DDZGameView* pGameView)
    : TableTopBar(pGameView, Look{Vec2(596, -14), 24, Vec2(504, -15), false, 20}) {}

TopUI* TopUI::create(DDZGameView* pGameView) {
  auto* bar = new TopUI(pGameView);
  bar->autorelease();
  return bar;
}

TableTopBar::ClickStamp& TopUI::TalkStamp() const {
  static ClickStamp stamp;  // shared by every TopUI
  return stamp;
}

CardCounterLayer* TopUI::MakeCardCounter() { return CardCounterLayer::create(m_pGameView); }

void TopUI::BuildBar() {
  TableTopBar::BuildBar();
  m_pCardPanel = cocos2d::Sprite::createWithSpriteFrameName(kPanelFrame);
  if (m_pCardPanel == nullptr) m_pCardPanel = cocos2d::Sprite::create();
  m_pCardPanel->setPosition(g_ptBtnTopUIInfo);
  m_pCardPanel->setVisible(false);
  m_pBarBg->addChild(m_pCardPanel);
  m_pScoreSide = m_pScorePanel;
  if (GameViewBase::IsSinglePlayer()) SetTalkBtnEnabled(false);
}

void TopUI::OnButton(int index) {
  const bool single = GameViewBase::IsSinglePlayer();
  switch (index) {
    case kTalkBtn:
      if (single || m_iBtnState == kBtnQuitOnly || !AcceptTalkClick()) return;
      ToggleTalk();
      return;
    case kCardCounterBtn:
      if (m_iBtnState == kBtnNoCounter || m_iBtnState == kBtnQuitOnly) return;
      ToggleCounter();
      return;
    case kSetBtn:
      if (m_iBtnState == kBtnQuitOnly) return;
      ToggleSettings(m_pGameView != nullptr ? m_pGameView->GetGameKind() : 0);
      return;
    case kQuitBtn:
      CloseOtherWin(kQuitBtn);
      if (m_pGameView != nullptr) m_pGameView->ShowQuitMsgBox();
      return;
    default: return;
  }
}

void TopUI::SetFinalPoint(int iFinalPoint) {
  if (ShowValue(m_pFinalPointLabel, iFinalPoint)) ShowScorePanel();
}

void TopUI::SetTimes(int iTimes, bool bShowAni) {
  const int mode = m_pGameView != nullptr ? m_pGameView->m_iGameMode : 0;
  if (mode != 1 && mode != 2) {
    if (ShowValue(m_pTimesLabel, iTimes)) ShowScorePanel();
    return;
  }
  if (m_pTimesBoard == nullptr || m_pTimesAtlas == nullptr) return;
  if (iTimes == -1) {
    m_pTimesAtlas->setVisible(false);
    return;
  }
  m_pTimesAtlas->setString(std::to_string(iTimes));
  m_pTimesAtlas->setVisible(true);
  ShowScorePanel();
  if (!bShowAni) return;
  m_pTimesAtlas->stopAllActions();
  m_pTimesAtlas->setScale(1.0f);
  m_pTimesAtlas->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.2f, 1.8f),
                                                     cocos2d::ScaleTo::create(0.3f, 0.7f),
                                                     cocos2d::ScaleTo::create(0.1f, 1.0f)));
}

void TopUI::ShowTimesBoard() {
  if (!isRunning() || m_pTimesBoard != nullptr || m_pScorePanel == nullptr) return;
  m_pScorePanel->removeAllChildrenWithCleanup(true);
  m_pFinalPointLabel = nullptr;
  m_pTimesLabel = nullptr;
  m_pTimesBoard = cocos2d::Sprite::createWithSpriteFrameName(kBoardFrame);
  if (m_pTimesBoard == nullptr) m_pTimesBoard = cocos2d::Sprite::create();
  m_pTimesBoard->setPosition(Vec2(28, 22));
  m_pScorePanel->addChild(m_pTimesBoard);
  m_pTimesAtlas = cocos2d::ui::TextAtlas::create("", kBoardDigits, 18, 22, "0");
  m_pTimesAtlas->setPosition(g_ptTopUIInfo[5] + Vec2(6, 10));
  m_pTimesAtlas->setVisible(false);
  m_pScorePanel->addChild(m_pTimesAtlas);
  m_pScoreSide = m_pScorePanel;
}

void TopUI::CaptionScores() {
  if (!isRunning() || m_pScorePanel == nullptr || m_pFinalPointLabel == nullptr || m_pTimesLabel == nullptr) return;
  if (m_pScorePanel->getChildByName(kCaptionFrame[0]) != nullptr) return;
  if (cocos2d::Node* word = m_pScorePanel->getChildByName(kWordNode)) word->setVisible(false);
  const float y = m_pScorePanel->getContentSize().height / 2;
  cocos2d::Label* values[2] = {m_pFinalPointLabel, m_pTimesLabel};
  for (int i = 0; i < 2; ++i) {
    cocos2d::Sprite* word = cocos2d::Sprite::createWithSpriteFrameName(kCaptionFrame[i]);
    if (word == nullptr) word = cocos2d::Sprite::create();
    word->setName(kCaptionFrame[i]);
    word->setPosition(Vec2(kCaptionX[i], y));
    m_pScorePanel->addChild(word);
    values[i]->setAnchorPoint(Vec2(0, 0.5f));
    values[i]->setPosition(Vec2(kCaptionX[i] + word->getContentSize().width / 2 + kCaptionValueGap, y));
  }
}

// ---------------------------------------------------------------- flipping

void TopUI::Squash(cocos2d::Node* panel) {
  panel->stopAllActions();
  panel->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(kFlipSeconds, 1.0f, 0.0f),
                                             cocos2d::Hide::create()));
}

void TopUI::Grow(cocos2d::Node* panel) {
  panel->stopAllActions();
  panel->setScaleY(0);
  panel->setVisible(true);
  panel->runAction(cocos2d::ScaleTo::create(kFlipSeconds, 1.0f, 1.0f));
}

void TopUI::RestartFlip(float seconds) {
  unschedule(kFlipKey);
  schedule([this](float dt) { OnFlipTimer(dt); }, seconds, kFlipKey);
}

void TopUI::ShowScorePanel() {
  if (m_pScoreSide == nullptr || m_pCardPanel == nullptr) return;
  if (m_bCardSide) {
    m_bCardSide = false;
    Squash(m_pCardPanel);
    Grow(m_pScoreSide);
  }
  RestartFlip(kScoreSideSeconds);
}

void TopUI::ShowCardPanel() {
  if (m_pScoreSide == nullptr || m_pCardPanel == nullptr || m_bCardSide) return;
  m_bCardSide = true;
  Squash(m_pScoreSide);
  Grow(m_pCardPanel);
  RestartFlip(kCardSideSeconds);
}

void TopUI::OnFlipTimer(float) {
  if (m_bCardSide)
    ShowScorePanel();
  else
    ShowCardPanel();
}

cocos2d::Node* TopUI::ShownPanel() const { return m_bCardSide ? m_pCardPanel : m_pScoreSide; }

void TopUI::onEnter() {
  setTouchMode(cocos2d::Touch::DispatchMode::ONE_BY_ONE);
  TableTopBar::onEnter();
}

bool TopUI::OnShownPanel(const cocos2d::Touch* touch) const {
  cocos2d::Node* panel = ShownPanel();
  if (touch == nullptr || panel == nullptr || m_pBarBg == nullptr || !panel->isVisible()) return false;
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const Vec2 p = m_pBarBg->convertToNodeSpace(touch->getLocation());
  const Vec2 inBar(p.x / scale, p.y / scale);
  return panel->getBoundingBox().containsPoint(inBar);
}

bool TopUI::onTouchBegan(cocos2d::Touch* touch, cocos2d::Event*) { return OnShownPanel(touch); }

void TopUI::onTouchEnded(cocos2d::Touch* touch, cocos2d::Event*) {
  if (!OnShownPanel(touch)) return;
  if (m_bCardSide)
    ShowScorePanel();
  else
    ShowCardPanel();
}

// ---------------------------------------------------------------- bottom cards

void TopUI::ShowBaseCards(std::vector<int> vcCards) {
  if (m_pCardPanel == nullptr) return;
  for (std::size_t i = 0; i < vcCards.size() && i < kBaseCards; ++i) {
    if (m_pBaseCard[i] != nullptr) continue;
    cocos2d::Sprite* card = Vell_SpriteCardManage::CreateCardSprite(vcCards[i], false, false);
    if (card == nullptr) {
      cocos2d::log("TopUI::ShowBaseCards: no sprite for card %d", vcCards[i]);
      continue;
    }
    card->setPosition(g_ptTopUIBaseCard[i]);
    const float room = m_pCardPanel->getContentSize().height - 2 * kBaseCardRim;
    const float height = card->getContentSize().height;
    card->setScale(height > 0 && room > 0 ? std::min(kBaseCardScale, room / height) : kBaseCardScale);
    card->setVisible(false);
    m_pCardPanel->addChild(card);
    m_pBaseCard[i] = card;
  }
  ShowCardPanel();
  unschedule(kRevealKey);
  scheduleOnce([this](float dt) { RevealBaseCards(dt); }, kRevealSeconds, kRevealKey);
}

void TopUI::RevealBaseCards(float) {
  for (cocos2d::Sprite* card : m_pBaseCard)
    if (card != nullptr) card->setVisible(true);
}

void TopUI::ClearBaseCards() {
  unschedule(kRevealKey);
  for (cocos2d::Sprite*& card : m_pBaseCard) {
    if (card != nullptr) card->removeFromParentAndCleanup(true);
    card = nullptr;
  }
  ShowScorePanel();
  unschedule(kFlipKey);
}
