#include "variants/DDZSmallGameHelpLayer.h"

#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "variants/DDZSmallGameClock.h"
#include "variants/DDZSmallGameOwner.h"
#include "variants/DDZSmallGameSound.h"

DDZSmallGameHelpLayer* DDZSmallGameHelpLayer::create(DDZSmallGameOwner* owner) {
  auto* layer = new DDZSmallGameHelpLayer(owner);
  layer->autorelease();
  return layer;
}

DDZSmallGameHelpLayer::DDZSmallGameHelpLayer(DDZSmallGameOwner* owner) : YndGameLayer(nullptr), m_pOwner(owner) {}

DDZSmallGameHelpLayer::~DDZSmallGameHelpLayer() {
  // The clock is a child and still alive here; it must not tell a layer that went.
  if (m_pClock != nullptr) m_pClock->RemoveObserver(this);
}

void DDZSmallGameHelpLayer::onEnter() {
  YndGameLayer::onEnter();
  if (m_pClock != nullptr) return;  // built on the first entry

  m_pRulePanel = cocos2d::Sprite::create(kRulePanelFile);
  if (m_pRulePanel != nullptr) {
    m_pRulePanel->setPosition(g_ptBgDeskPos);
    m_pRulePanel->setVisible(false);
    addChild(m_pRulePanel);
  }
  m_pStrip = cocos2d::Sprite::createWithSpriteFrameName(kStripFrame);
  if (m_pStrip != nullptr) {
    m_pStrip->setPosition(g_ptBgStickPos);
    addChild(m_pStrip, 1);
  }
  m_pCloseRule = cocos2d::ui::Button::create(kCloseRuleFrame, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  m_pCloseRule->addClickEventListener([this](cocos2d::Ref* sender) { HideRule(sender); });
  m_pCloseRule->setPosition(g_ptCloseRuleBtnPos);
  m_pCloseRule->setVisible(false);
  addChild(m_pCloseRule, 1);

  m_pClock = DDZSmallGameClock::create();
  m_pClock->setPosition(g_ptHelpLayerClock);
  m_pClock->AddObserver(this);
  m_pClock->setVisible(false);
  addChild(m_pClock, 3);

  m_pQuestion = cocos2d::Sprite::createWithSpriteFrameName(kQuestionFrame);
  if (m_pQuestion != nullptr) {
    m_pQuestion->setPosition(g_ptHelpLayerClock);
    addChild(m_pQuestion, 2);
  }
  m_pWarnTip = cocos2d::Sprite::createWithSpriteFrameName(kWarnTipFrame);
  if (m_pWarnTip != nullptr) {
    m_pWarnTip->setAnchorPoint(cocos2d::Vec2(1, 0.5f));
    m_pWarnTip->setPosition(g_ptHelpLayerWarnTimeTipPos);
    m_pWarnTip->setScaleX(0);
    m_pWarnTip->setVisible(false);
    addChild(m_pWarnTip, -1);
  }
  setTouchEnabled(true, false);
}

cocos2d::Rect DDZSmallGameHelpLayer::GetTapArea() const {
  if (m_pStrip == nullptr) return cocos2d::Rect();
  const cocos2d::Size size = m_pStrip->getContentSize();
  const cocos2d::Vec2 at = m_pStrip->getPosition();
  return cocos2d::Rect(at.x - 0.3f * size.width, at.y - 0.1f * size.height, 0.8f * size.width, 0.6f * size.height);
}

bool DDZSmallGameHelpLayer::IsRuleShown() const { return m_pRulePanel != nullptr && m_pRulePanel->isVisible(); }

void DDZSmallGameHelpLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const cocos2d::Vec2 p = convertTouchToNodeSpace(touches.front()) / scale;
  const cocos2d::Rect area = GetTapArea();
  const bool inside = m_pStrip != nullptr && p.x >= area.getMinX() && p.x <= area.getMaxX() &&
                      p.y >= area.getMinY() && p.y <= area.getMaxY();
  if (inside) {
    SwitchRule(nullptr);
  } else if (IsRuleShown()) {
    // The touch that closes the rules touches nothing else: the panel goes in
    // the next frame, so the cards below still see it open.
    AddNextFrameToDo([this] { HideRule(m_pCloseRule); });
  } else {
    HideRule(m_pCloseRule);
  }
}

void DDZSmallGameHelpLayer::SwitchRule(cocos2d::Ref*) {
  const bool was = IsRuleShown();
  ddz::smallgame::PlaySound(ddz::smallgame::kSoundClick);
  if (m_pRulePanel != nullptr) m_pRulePanel->setVisible(!was);
  if (m_pCloseRule != nullptr) m_pCloseRule->setVisible(!was);
  SetOwnerButtonsTouch(was);
}

void DDZSmallGameHelpLayer::HideRule(cocos2d::Ref*) {
  if (IsRuleShown()) ddz::smallgame::PlaySound(ddz::smallgame::kSoundClick);
  if (m_pRulePanel != nullptr) m_pRulePanel->setVisible(false);
  if (m_pCloseRule != nullptr) m_pCloseRule->setVisible(false);
  SetOwnerButtonsTouch(true);
}

void DDZSmallGameHelpLayer::SetOwnerButtonsTouch(bool enabled) {
  if (m_pOwner == nullptr) return;
  for (cocos2d::ui::Button* button :
       {m_pOwner->GetStartButton(), m_pOwner->GetQuitButton(), m_pOwner->GetReturnButton()}) {
    if (button != nullptr) button->setTouchEnabled(enabled);
  }
}

void DDZSmallGameHelpLayer::OnClockEvent() {
  if (m_pClock == nullptr || m_pOwner == nullptr) return;
  const int level = m_pOwner->GetLevelNo();
  const int records = m_pOwner->GetLevelRecordCount();
  if (m_pClock->IsRunning()) {  // the warning
    if (m_pQuestion != nullptr) m_pQuestion->setVisible(false);
    m_pClock->setVisible(true);
    if (level >= 1 && level <= records && m_pWarnTip != nullptr) {
      m_pWarnTip->stopAllActions();
      m_pWarnTip->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(kTipSeconds, 1, 1),
                                                      cocos2d::Show::create(), nullptr));
    }
    return;
  }
  if (level == 0)
    m_pOwner->OnQuitBtn(nullptr);
  else if (level >= 1 && level <= records)
    m_pOwner->OnCardPicked(nullptr);
  else
    m_pOwner->LeaveSmallGame();
  StopClock();
}

void DDZSmallGameHelpLayer::StopClock() {
  if (m_pClock == nullptr) return;
  m_pClock->StopCountDown();
  if (m_pQuestion != nullptr) m_pQuestion->setVisible(true);
  m_pClock->setVisible(false);
  if (m_pWarnTip != nullptr && m_pWarnTip->isVisible()) {
    m_pWarnTip->stopAllActions();
    m_pWarnTip->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(kTipSeconds, 0, 1),
                                                    cocos2d::Hide::create(), nullptr));
  }
}

void DDZSmallGameHelpLayer::StartClock(float total, float interval, float warnAt) {
  if (m_pClock == nullptr) return;
  if (m_pQuestion != nullptr) m_pQuestion->setVisible(true);
  m_pClock->setVisible(false);
  m_pClock->StartCountDown(total, interval, warnAt);
}
