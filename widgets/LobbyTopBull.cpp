#include "widgets/LobbyTopBull.h"

#include <cstdio>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "table/DDZGameView.h"

using cocos2d::Vec2;

// ---------------------------------------------------------------- LobbyTopBull

LobbyTopBull::LobbyTopBull() { setVisible(false); }

LobbyTopBull* LobbyTopBull::create() {
  auto* bull = new LobbyTopBull();
  bull->autorelease();
  return bull;
}

float LobbyTopBull::ScrollSeconds(float labelWidth, float iconWidth) {
  return (kWindowWidth + labelWidth + iconWidth + iconWidth / 2) / kSpeed;
}

void LobbyTopBull::onEnter() {
  YndGameLayer::onEnter();
  if (m_pClipNode != nullptr) return;
  if (auto* bg = cocos2d::Sprite::create(kBgFile)) addChild(bg, -2);
  auto* stencil = cocos2d::DrawNode::create();
  const Vec2 corners[4] = {Vec2(m_rcClip.getMinX(), m_rcClip.getMinY()), Vec2(m_rcClip.getMaxX(), m_rcClip.getMinY()),
                           Vec2(m_rcClip.getMaxX(), m_rcClip.getMaxY()), Vec2(m_rcClip.getMinX(), m_rcClip.getMaxY())};
  const cocos2d::Color4F white(1, 1, 1, 1);
  stencil->drawPolygon(corners, 4, white, 1, white);
  m_pClipNode = cocos2d::ClippingNode::create(stencil);
  m_pClipNode->setContentSize(m_rcClip.size);
  addChild(m_pClipNode, 2);
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  m_pBullLabel = cocos2d::Label::createWithSystemFont("", g_strSystemFont, kFontSize / scale);
  m_pBullLabel->setVisible(false);
  m_pClipNode->addChild(m_pBullLabel);
  m_pHornIcon = cocos2d::Sprite::create(kHornFile);
  if (m_pHornIcon == nullptr) {
    cocos2d::log("LobbyTopBull: image %s missing", kHornFile);
  } else {
    m_pHornIcon->setVisible(false);
    m_pClipNode->addChild(m_pHornIcon);
  }
}

void LobbyTopBull::onExit() {
  YndGameLayer::onExit();
  m_bScrolling = false;
  if (m_pBullLabel != nullptr) m_pBullLabel->setString("");
}

void LobbyTopBull::AddBullInfo(const std::string& szText) {
  m_vcBullInfo.push_back(szText);
  while (m_vcBullInfo.size() > kMaxQueued) m_vcBullInfo.pop_front();
  ShowNextBull();
}

void LobbyTopBull::ShowNextBull() {
  if (m_vcBullInfo.empty() || m_bScrolling || !isRunning() || m_pBullLabel == nullptr) return;
  m_bScrolling = true;
  m_pBullLabel->setString(m_vcBullInfo.front());
  m_vcBullInfo.pop_front();
  m_pBullLabel->setVisible(false);

  // A strip on its way out counts as hidden: it comes back from its place.
  if (getActionByTag(kLeaveTag) != nullptr) {
    stopAllActions();
    setPosition(m_ptRest);
    setVisible(false);
  }
  if (isVisible()) {
    StartScroll();
    return;
  }
  stopAllActions();
  m_ptRest = getPosition();
  runAction(cocos2d::Sequence::create(cocos2d::Hide::create(), cocos2d::MoveBy::create(0, Vec2(0, kSlideDistance)),
                                      cocos2d::Show::create(),
                                      cocos2d::MoveBy::create(kSlideSeconds, Vec2(0, -kSlideDistance)),
                                      cocos2d::CallFunc::create([this] { StartScroll(); })));
}

void LobbyTopBull::StartScroll() {
  const float lw = m_pBullLabel->getContentSize().width;
  const float iw = m_pHornIcon != nullptr ? m_pHornIcon->getContentSize().width : 0;
  const float start = kWindowWidth / 2 + (lw + iw) / 2;
  const float end = -start;

  m_pBullLabel->stopAllActions();
  m_pBullLabel->setVisible(true);
  m_pBullLabel->setPosition(Vec2(start + iw / 2, 0));
  m_pBullLabel->runAction(cocos2d::Sequence::create(cocos2d::MoveTo::create(ScrollSeconds(lw, iw), Vec2(end, 0)),
                                                    cocos2d::CallFunc::create([this] { OnBullEnd(); })));
  if (m_pHornIcon != nullptr) {
    m_pHornIcon->stopAllActions();
    m_pHornIcon->setPosition(Vec2(start - (lw / 2 + kIconLead), 0));
    m_pHornIcon->runAction(cocos2d::Sequence::create(
        cocos2d::Show::create(), cocos2d::MoveTo::create((start - end - lw / 2 - kIconLead) / m_fSpeed, Vec2(end, 0)),
        cocos2d::Hide::create()));
  }
}

void LobbyTopBull::OnBullEnd() {
  m_bScrolling = false;
  m_pBullLabel->setString("");
  if (m_vcBullInfo.empty()) {
    m_ptRest = getPosition();
    auto* leave = cocos2d::Sequence::create(cocos2d::MoveBy::create(kSlideSeconds, Vec2(0, kSlideDistance)),
                                            cocos2d::Hide::create(),
                                            cocos2d::MoveBy::create(0, Vec2(0, -kSlideDistance)),
                                            cocos2d::DelayTime::create(kIdleSeconds));
    leave->setTag(kLeaveTag);
    runAction(leave);
    return;
  }
  runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(kPauseSeconds),
                                      cocos2d::CallFunc::create([this] { ShowNextBull(); })));
}

// ---------------------------------------------------------------- GameTips

const cocos2d::Color3B GameTips::kTextColor(250, 250, 252);

GameTips* GameTips::create() {
  auto* tips = new GameTips();
  tips->autorelease();
  return tips;
}

void GameTips::onEnter() {
  YndGameLayer::onEnter();
  if (m_pTipsBg != nullptr) return;
  m_pTipsBg = YndImageSprite::spriteWithFile(kBgFile, this);
  if (m_pTipsBg == nullptr) {
    cocos2d::log("GameTips: image %s missing", kBgFile);
    return;
  }
  m_pTipsBg->setPosition(g_ptGameTips);
  m_pTipsBg->setVisible(false);
  m_pTipsLabel = cocos2d::Label::createWithSystemFont("", g_strSystemFont, 24);
  m_pTipsLabel->setColor(kTextColor);
  const cocos2d::Size size = m_pTipsBg->getContentSize();
  m_pTipsLabel->setPosition(Vec2(size.width / 2, size.height / 2));
  m_pTipsBg->addChild(m_pTipsLabel);
}

void GameTips::SetTipsText(const std::string& text) {
  if (m_pTipsLabel != nullptr) m_pTipsLabel->setString(text);
}

void GameTips::SetTipsVisible(bool visible) {
  if (m_pTipsBg != nullptr) m_pTipsBg->setVisible(visible);
}

// ---------------------------------------------------------------- PlayerGuide

namespace {
constexpr float kFade = 0.5f;
constexpr float kPageHold = 2.0f;
constexpr float kFirstPageHold = 3.5f;
constexpr float kPointerMove = 3.0f;
constexpr float kPointerHold = 0.5f;
}  // namespace

PlayerGuide* PlayerGuide::create(DDZGameView* pGameView, int iGuidedNum) {
  if (pGameView == nullptr) {
    cocos2d::log("PlayerGuide::create: no view");
    return nullptr;
  }
  auto* guide = new PlayerGuide(pGameView, iGuidedNum);
  guide->autorelease();
  return guide;
}

cocos2d::Sprite* PlayerGuide::MakePage(int k) {
  char name[32];
  std::snprintf(name, sizeof(name), "guide-%d.png", k);
  cocos2d::Sprite* page = cocos2d::Sprite::createWithSpriteFrameName(name);
  if (page == nullptr) {
    cocos2d::log("PlayerGuide: frame %s missing", name);
    return nullptr;
  }
  if (k < kPointerPage) page->setPosition(g_ptGuideTips[k]);
  page->setOpacity(0);
  page->setVisible(false);
  addChild(page);
  m_pPage[k] = page;
  return page;
}

Vec2 PlayerGuide::Beside(int k) const {
  const cocos2d::Sprite* page = m_pPage[k];
  const cocos2d::Sprite* pointer = m_pPage[kPointerPage];
  if (page == nullptr || pointer == nullptr) return Vec2();
  return page->getPosition() + Vec2((page->getContentSize().width + pointer->getContentSize().width) / 2, 0);
}

void PlayerGuide::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  if (iGuidedNum == 0) {
    for (int k = 0; k < kPages; ++k) MakePage(k);
    scheduleUpdate();
    return;
  }
  // The short hint: page 1 with the pointer beside it.
  cocos2d::Sprite* page = MakePage(1);
  cocos2d::Sprite* pointer = MakePage(kPointerPage);
  auto fadeInOut = [] {
    return cocos2d::Sequence::create(cocos2d::FadeIn::create(kFade), cocos2d::DelayTime::create(kPageHold),
                                     cocos2d::FadeOut::create(kFade));
  };
  if (pointer != nullptr) {
    pointer->setPosition(Beside(1));
    pointer->setVisible(true);
    pointer->runAction(fadeInOut());
  }
  if (page == nullptr) {
    Leave();
    return;
  }
  page->setVisible(true);
  page->runAction(cocos2d::Sequence::create(fadeInOut(), cocos2d::CallFunc::create([this] { Leave(); })));
}

void PlayerGuide::update(float) {
  if (m_bBusy) return;
  cocos2d::Sprite* page = m_pPage[m_iStep];
  cocos2d::Sprite* pointer = m_pPage[kPointerPage];
  m_bBusy = true;
  if (page == nullptr) {  // a missing picture is stepped over
    NextGuideStep();
    return;
  }
  page->setVisible(true);
  if (m_iStep == 0) {
    page->runAction(cocos2d::Sequence::create(cocos2d::FadeIn::create(kFade),
                                              cocos2d::DelayTime::create(kFirstPageHold),
                                              cocos2d::FadeOut::create(kFade)));
    if (pointer == nullptr) {
      page->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(kFade + kFirstPageHold + kFade),
                                                cocos2d::CallFunc::create([this] { NextGuideStep(); })));
      return;
    }
    // The pointer travels from beside page 0 to beside page 1.
    const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
    const Vec2 target = Beside(1);
    pointer->setPosition(Beside(0));
    pointer->setVisible(true);
    pointer->runAction(cocos2d::Sequence::create(
        cocos2d::FadeIn::create(kFade), cocos2d::MoveTo::create(kPointerMove, Vec2(target.x / scale, target.y / scale)),
        cocos2d::DelayTime::create(kPointerHold), cocos2d::FadeOut::create(kFade),
        cocos2d::CallFunc::create([this] { NextGuideStep(); })));
    return;
  }
  page->runAction(cocos2d::Sequence::create(cocos2d::FadeIn::create(kFade), cocos2d::DelayTime::create(kPageHold),
                                            cocos2d::FadeOut::create(kFade),
                                            cocos2d::CallFunc::create([this] { NextGuideStep(); })));
  if (m_iStep == 1 && pointer != nullptr) {
    pointer->setPosition(Beside(1));
    pointer->setVisible(true);
    pointer->runAction(cocos2d::Sequence::create(cocos2d::FadeIn::create(kFade), cocos2d::DelayTime::create(kPageHold),
                                                 cocos2d::FadeOut::create(kFade)));
  }
}

void PlayerGuide::NextGuideStep() {
  if (m_pPage[m_iStep] != nullptr) m_pPage[m_iStep]->setVisible(false);
  ++m_iStep;
  m_bBusy = false;
  if (m_iStep >= kSteps) {
    unscheduleUpdate();
    Leave();
  }
}

void PlayerGuide::Leave() {
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}
