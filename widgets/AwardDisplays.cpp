#include "widgets/AwardDisplays.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/os/Random.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

using cocos2d::Vec2;

// ---------------------------------------------------------------- FirstGetYBTips

FirstGetYBTips* FirstGetYBTips::create() {
  auto* tips = new FirstGetYBTips();
  tips->autorelease();
  return tips;
}

void FirstGetYBTips::onEnter() {
  YndGameLayer::onEnter();
  m_ptPos = g_ptFirstGetYBTips;
  if (m_pTips == nullptr) {
    m_pTips = cocos2d::Sprite::create(kImage);
    if (m_pTips == nullptr) cocos2d::log("FirstGetYBTips: image %s missing", kImage);
    else addChild(m_pTips);
  }
  if (m_pTips != nullptr) m_pTips->setPosition(m_ptPos);
  m_fDistance = m_pTips != nullptr ? m_pTips->getContentSize().width : 0;
  m_fMoved = 0;
  m_iSecond = kShownSeconds;
  m_iState = kSlidingIn;
  SetTimer(kSecondTimer, 1.0f, -1);
  SetTimer(kSlideTimer, kSlideInterval, -1);
  setTouchEnabled(true);
}

void FirstGetYBTips::StartSlide(int state) {
  m_iState = state;
  SetTimer(kSlideTimer, kSlideInterval, -1);
}

bool FirstGetYBTips::SlideStep(float direction) {
  const float step = std::min(kSlideStep, m_fDistance - m_fMoved);
  m_fMoved += step;
  m_ptPos.x += direction * step;
  if (m_pTips != nullptr) m_pTips->setPosition(m_ptPos);
  if (m_fMoved < m_fDistance) return false;
  m_fMoved = 0;
  return true;
}

void FirstGetYBTips::OnTimer(int id) {
  if (id == kSecondTimer) {
    --m_iSecond;
    if (m_iSecond == 0) {
      KillTimer(kSecondTimer);
      StartSlide(kSlidingOut);
    } else if (m_iSecond == kClosableAt) {
      m_iState = kClosable;
    }
    return;
  }
  if (id != kSlideTimer) return;
  if (m_iState == kSlidingIn) {
    if (SlideStep(-1)) {
      m_iState = kShown;
      KillTimer(kSlideTimer);
    }
  } else if (m_iState == kSlidingOut) {
    if (SlideStep(1)) {
      m_iState = kGone;
      KillTimer(kSlideTimer);
      if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
    }
  }
}

void FirstGetYBTips::onTouchesEnded(const std::vector<cocos2d::Touch*>&, cocos2d::Event*) {
  if (m_iState == kClosable) StartSlide(kSlidingOut);
}

// ---------------------------------------------------------------- ShowAward

namespace {
constexpr float kCentreX = 640;
constexpr float kIconY = 386;
constexpr int kTwinkleMoveTag = 0x7a1;
constexpr int kTwinkleFadeTag = 0x7a2;

// An icon-style pop: invisible and small, then in after 1/12 s.
cocos2d::Sequence* Pop(float startScale, float growSeconds, float overshoot,
                       std::vector<cocos2d::FiniteTimeAction*> settle) {
  std::vector<cocos2d::FiniteTimeAction*> steps = {
      cocos2d::FadeTo::create(0, 0), cocos2d::ScaleTo::create(0, startScale), cocos2d::DelayTime::create(1.0f / 12),
      cocos2d::Show::create(),
      cocos2d::Spawn::create(cocos2d::FadeTo::create(growSeconds, 255), cocos2d::ScaleTo::create(growSeconds, overshoot))};
  steps.insert(steps.end(), settle.begin(), settle.end());
  cocos2d::Vector<cocos2d::FiniteTimeAction*> list;
  for (cocos2d::FiniteTimeAction* step : steps) list.pushBack(step);
  return cocos2d::Sequence::create(list);
}
}  // namespace

ShowAward::ShowAward(int iAwardId, int iAwardType, int iAmount, int iMode, DDZGameView* pView)
    : m_iAwardId(iAwardId), m_iAwardType(iAwardType), m_iAmount(iAmount), m_iMode(iMode), m_pView(pView) {}

Vec2 ShowAward::FlightTarget(int type) {
  return (type == 1 ? g_ptBottomYBIcon : g_ptBottomMoneyIcon) - g_ptTurnTable;
}

void ShowAward::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);

  addChild(cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 128)), -20);
  m_pContent = cocos2d::Node::create();
  addChild(m_pContent);

  if (auto* title = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_award_word.png")) {
    title->setPosition(Vec2(kCentreX, 500));
    title->setOpacity(0);
    title->setScale(6);
    title->runAction(cocos2d::Spawn::create(cocos2d::ScaleTo::create(5.0f / 24, 1.0f),
                                            cocos2d::FadeTo::create(5.0f / 24, 255)));
    m_pContent->addChild(title, 10);
  }
  if (auto* base = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_award_di.png")) {
    base->setPosition(Vec2(kCentreX, kIconY));
    base->setBlendFunc({cocos2d::GL_SRC_ALPHA, cocos2d::GL_ONE});
    base->setOpacity(0);
    base->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(0.125f), cocos2d::FadeTo::create(0.25f, 128)));
    m_pContent->addChild(base, 1);
  }
  if (auto* light = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_award_light.png")) {
    light->setPosition(Vec2(kCentreX, kIconY));
    light->setVisible(false);
    light->runAction(cocos2d::Sequence::create(
        cocos2d::FadeTo::create(0, 0), cocos2d::ScaleTo::create(0, 0.86f), cocos2d::DelayTime::create(0.125f),
        cocos2d::Show::create(),
        cocos2d::Spawn::create(cocos2d::FadeTo::create(0.25f, 255), cocos2d::ScaleTo::create(0.25f, 1.0f))));
    light->runAction(cocos2d::RepeatForever::create(cocos2d::RotateBy::create(25.0f / 3, 360)));
    m_pContent->addChild(light, 2);
  }
  char name[48];
  std::snprintf(name, sizeof(name), "qorvddz_award_type_%d.png", m_iAwardType);
  m_pTypeIcon = cocos2d::Sprite::createWithSpriteFrameName(name);
  if (m_pTypeIcon == nullptr) {
    cocos2d::log("ShowAward: frame %s missing", name);
  } else {
    m_pTypeIcon->setPosition(Vec2(kCentreX, kIconY));
    m_pTypeIcon->setVisible(false);
    m_pTypeIcon->runAction(Pop(0.1f, 0.125f, 1.3f,
                               {cocos2d::ScaleTo::create(0.125f, 0.9f), cocos2d::ScaleTo::create(0.125f, 1.05f),
                                cocos2d::ScaleTo::create(0.125f, 1.0f)}));
    addChild(m_pTypeIcon, 4);
  }
  auto* amount = cocos2d::ui::TextAtlas::create(std::to_string(m_iAmount), kDigits, 32, 42, "0");
  amount->setPosition(Vec2(kCentreX, 268));
  amount->setVisible(false);
  amount->runAction(Pop(0.3f, 1.0f / 6, 1.1f, {cocos2d::ScaleTo::create(0.125f, 1.0f)}));
  m_pContent->addChild(amount, 4);

  for (int k = 0; k < kStarRays; ++k) {
    auto* ray = cocos2d::Node::create();
    ray->setPosition(Vec2(kCentreX, kIconY));
    ray->setRotation(360.0f * static_cast<float>(k) / kStarRays);
    m_pContent->addChild(ray, 3);
    auto* star = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_award_star.png");
    if (star == nullptr) continue;
    ray->addChild(star);
    star->runAction(cocos2d::RepeatForever::create(cocos2d::RotateBy::create(25.0f / 24, 86)));
    Twinkle(star);
    const float delay = static_cast<float>(ddz::os::Rand() % 1000) / 500;
    star->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(delay),
                                              cocos2d::CallFunc::create([this, star] { Twinkle(star); })));
  }

  GameSoundDDZ::shareGameSoundDDZ();  // the sound service is made before its first sound
  SoundManage::shareSoundManage()->PlaySoundByFile(kSound);
  scheduleOnce([this](float dt) { OnShown(dt); }, kShowSeconds, "ShowAwardEnd");
}

void ShowAward::Twinkle(cocos2d::Sprite* star) {
  // A new twinkle replaces the running one.
  star->stopAllActionsByTag(kTwinkleMoveTag);
  star->stopAllActionsByTag(kTwinkleFadeTag);
  star->setOpacity(0);
  star->setScale(0.5f + static_cast<float>(ddz::os::Rand() % 1000) / 1000);
  star->setPosition(Vec2(0, 80));
  const float rise = 2 + static_cast<float>(ddz::os::Rand() % 2000) / 1000;
  auto* move = cocos2d::Sequence::create(cocos2d::MoveTo::create(rise, Vec2(0, 160)),
                                         cocos2d::CallFunc::create([this, star] { Twinkle(star); }));
  move->setTag(kTwinkleMoveTag);
  star->runAction(move);
  auto* fade = cocos2d::Sequence::create(cocos2d::FadeTo::create(7.0f / 24, 255), cocos2d::DelayTime::create(7.0f / 24),
                                         cocos2d::FadeTo::create(10.0f / 24, 0));
  fade->setTag(kTwinkleFadeTag);
  star->runAction(fade);
}

void ShowAward::OnShown(float) {
  if (m_pContent != nullptr) {
    m_pContent->removeFromParentAndCleanup(true);
    m_pContent = nullptr;
  }
  if ((m_iMode == kModeTellView && m_pView != nullptr) || m_pTypeIcon == nullptr) {
    FinishAward();
    return;
  }
  m_pTypeIcon->runAction(cocos2d::Sequence::create(
      cocos2d::Spawn::create(cocos2d::MoveTo::create(kFlightSeconds, FlightTarget(m_iAwardType)),
                             cocos2d::ScaleTo::create(kFlightSeconds, 0.3f)),
      cocos2d::CallFunc::create([this] { FinishAward(); })));
}

bool ShowAward::TellsView() const {
  return m_iMode == kModeTellView && m_pView != nullptr && m_pView->isRunning();
}

void ShowAward::TellView() {
  if (TellsView()) m_pView->OnAwardEnd(m_iAwardId);
}

namespace {
IRoomUserInfo* g_pRoomPanel = nullptr;
}  // namespace

void ShowAward::SetRoomPanel(IRoomUserInfo* panel) { g_pRoomPanel = panel; }
IRoomUserInfo* ShowAward::GetRoomPanel() { return g_pRoomPanel; }

void ShowAward::FinishAward() {
  if (TellsView()) {
    TellView();
  } else if (IRoomUserInfo* panel = GetRoomPanel()) {
    panel->FreshUserInfo();
  } else {
    cocos2d::log("ShowAward: award %d ended without a table view or a room panel", m_iAwardId);
  }
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}

// ---------------------------------------------------------------- AniManageShowAward

AniManageShowAward* AniManageShowAward::Create(int iAwardId, int iAwardType, int iAmount, DDZGameView* pView) {
  auto* award = new AniManageShowAward(iAwardId, iAwardType, iAmount, kModeTellView, pView);
  award->autorelease();
  return award;
}

void AniManageShowAward::FinishAward() {
  TellView();
  stopAllActions();
  unscheduleAllCallbacks();
  m_bDone = true;
}

bool AniManageShowAward::UpdateFrame(float) { return m_bDone; }
