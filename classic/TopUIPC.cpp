#include "classic/TopUIPC.h"

#include <cstdio>

#include "cards/Vell_SpriteCardManage.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Vec2;

namespace {
const cocos2d::Color3B kValueColour(255, 231, 72);
}

TopUIPC* TopUIPC::create() {
  auto* panel = new TopUIPC();
  panel->autorelease();
  return panel;
}

void TopUIPC::onEnter() {
  YndGameLayer::onEnter();
  if (m_pPanel != nullptr) return;
  m_pPanel = cocos2d::Node::create();
  addChild(m_pPanel);
  const Vec2 top(0, static_cast<float>(BasePT::g_iWindowHeight));
  m_pBg = cocos2d::Sprite::createWithSpriteFrameName(kBgFrame);
  if (m_pBg != nullptr) {
    // From the window's top centre, as the other tables' top bars.
    m_pBg->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2), top.y) + g_ptTopUI);
    m_pPanel->addChild(m_pBg);
  }
  cocos2d::Label** labels[kColumns] = {&m_pBaseScoreLabel, &m_pTimesLabel, &m_pTopScoreLabel};
  for (int i = 0; i < kColumns; ++i) {
    const Vec2 at = g_ptTopUIInfo[i] + top;
    char frame[48];
    std::snprintf(frame, sizeof frame, kWordFrame, i);
    if (cocos2d::Sprite* word = cocos2d::Sprite::createWithSpriteFrameName(frame)) {
      word->setPosition(at);
      m_pPanel->addChild(word);
    }
    if (i > 0) {
      if (cocos2d::Sprite* line = cocos2d::Sprite::createWithSpriteFrameName(kLineFrame)) {
        line->setPosition(at + Vec2(kLineDx, 0));
        m_pPanel->addChild(line);
      }
    }
    cocos2d::Label* label = cocos2d::Label::createWithSystemFont("", g_strFontName, kFontSize);
    label->setColor(kValueColour);
    // From the word's right on: a long value grows away from its caption.
    label->setAnchorPoint(Vec2(0, 0.5f));
    label->setPosition(at + Vec2(kLabelDx, 0));
    m_pPanel->addChild(label);
    *labels[i] = label;
  }
  m_pCardNode = cocos2d::Node::create();
  m_pCardNode->setPosition(g_ptTopUIInfo[kColumns - 1] + top + Vec2(kCardsDx, 0));
  m_pPanel->addChild(m_pCardNode);
  m_ptPanel = m_pPanel->getPosition();
}

cocos2d::Label* TopUIPC::GetLabel(int column) const {
  switch (column) {
    case 0: return m_pBaseScoreLabel;
    case 1: return m_pTimesLabel;
    case 2: return m_pTopScoreLabel;
    default: return nullptr;
  }
}

cocos2d::Sprite* TopUIPC::GetBaseCardSprite(int i) const {
  return i >= 0 && i < kBottomCards ? m_pBaseCards[static_cast<std::size_t>(i)] : nullptr;
}

void TopUIPC::SetLabel(int column, int value, bool hideMinusOne) {
  cocos2d::Label* label = GetLabel(column);
  if (label == nullptr) return;
  if (hideMinusOne && value == -1) {
    label->setVisible(false);
    return;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  label->setString(text);
  label->setVisible(true);
}

void TopUIPC::SetBaseScore(int score) { SetLabel(0, score, true); }
void TopUIPC::SetNumber(int times) { SetLabel(1, times, true); }
void TopUIPC::SetTopScore(int score) {
  SetLabel(2, score, false);
  if (score == 0 && m_pTopScoreLabel != nullptr) m_pTopScoreLabel->setString(kNoCapText);
}

void TopUIPC::ShowBaseCards(const std::vector<int>& cards) {
  if (m_pCardNode == nullptr) return;
  for (std::size_t i = 0; i < cards.size() && i < m_pBaseCards.size(); ++i) {
    if (m_pBaseCards[i] != nullptr) continue;
    cocos2d::Sprite* card = Vell_SpriteCardManage::CreateCardSprite(cards[i], false, false);
    if (card == nullptr) {
      cocos2d::log("TopUIPC::ShowBaseCards: no sprite for card %d", cards[i]);
      continue;
    }
    card->setScale(kCardScale);
    card->setPosition(Vec2(kCardGap * static_cast<float>(i), 0));
    card->setVisible(false);
    m_pCardNode->addChild(card);
    m_pBaseCards[i] = card;
  }
  unschedule(schedule_selector(TopUIPC::ShowBaseCardsNow));
  scheduleOnce(schedule_selector(TopUIPC::ShowBaseCardsNow), kBaseCardsDelay);
  m_pPanel->stopAllActions();
  m_pPanel->runAction(cocos2d::MoveTo::create(kBaseCardsDelay, m_ptPanel + Vec2(kSlideDx, 0)));
}

void TopUIPC::ShowBaseCardsNow(float) {
  for (cocos2d::Sprite* card : m_pBaseCards)
    if (card != nullptr) card->setVisible(true);
}

void TopUIPC::ResetPanel() {
  SetBaseScore(-1);
  SetNumber(-1);
  unschedule(schedule_selector(TopUIPC::ShowBaseCardsNow));
  for (cocos2d::Sprite*& card : m_pBaseCards) {
    if (card != nullptr) card->removeFromParent();
    card = nullptr;
  }
  if (m_pPanel != nullptr) {
    m_pPanel->stopAllActions();
    m_pPanel->setPosition(m_ptPanel);
  }
}
