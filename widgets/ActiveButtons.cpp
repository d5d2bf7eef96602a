#include "widgets/ActiveButtons.h"

#include <cstdio>
#include <ctime>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "table/DDZGameView.h"
#include "widgets/ActivityLayer.h"

using cocos2d::Color3B;
using cocos2d::Vec2;

namespace {

constexpr const char* kTipsTimeoutKey = "activity_tips_timeout";
constexpr const char* kTickKey = "activity_tick";
// The panel hangs below the button, its left edge a little left of the icon.
const Vec2 kTipsAnchor(0, 1);
const Vec2 kTipsPos(-40, -45);
const cocos2d::Size kTipsSize(220, 52);
const cocos2d::Rect kTipsInsets(70, 24, 2, 2);

const Color3B kTitleColour(0, 105, 151);
const Color3B kDetailColour(95, 95, 95);
const Color3B kTimeColour(246, 205, 64);

constexpr int kTextWholeDay = 257;
constexpr int kTextBeforeStart = 258;
constexpr int kTextRunning = 281;
constexpr int kTextEnded = 248;
constexpr int kTextCounted = 249;
constexpr int kTextCounterTitle = 250;
constexpr int kTextCounterCount = 251;
constexpr int kTextWebRunning = 273;
constexpr int kTextWebEnded = 279;

std::string Printf(const char* format, int a, int b) {
  char text[64];
  std::snprintf(text, sizeof(text), format, a, b);
  return text;
}

bool FrameExists(const std::string& name) {
  return cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(name) != nullptr;
}

// `hour` o'clock on the local day of `t` (24 is the next midnight).
long long LocalHour(long long t, int hour) {
  const std::time_t at = static_cast<std::time_t>(t);
  std::tm local{};
  if (localtime_r(&at, &local) == nullptr) return t;
  local.tm_hour = hour;
  local.tm_min = 0;
  local.tm_sec = 0;
  local.tm_isdst = -1;
  return static_cast<long long>(std::mktime(&local));
}

}  // namespace

// ---------------------------------------------------------------- ActiveBtnBase

ActiveBtnBase::ActiveBtnBase(ActivityLayer* owner, int type, int value)
    : m_iType(type), m_iValue(value), m_pOwner(owner) {}

void ActiveBtnBase::onEnter() {
  YndGameLayer::onEnter();
  if (m_pBtn != nullptr) return;
  char icon[64];
  std::snprintf(icon, sizeof(icon), kIconFormat, m_iType);
  m_pBtn = cocos2d::ui::Button::createWithExtraAbove(icon, "", "", kIconFrame);
  m_pBtn->setTouchEnabled(true);
  m_pBtn->addClickEventListener([this](cocos2d::Ref*) { OnClick(); });
  m_pBtn->setPosition(Vec2::ZERO);
  addChild(m_pBtn);
}

void ActiveBtnBase::AddWordFrame() {
  char word[64];
  std::snprintf(word, sizeof(word), kWordFormat, m_iType, m_iValue);
  if (m_pWord != nullptr || !FrameExists(word)) return;
  m_pWord = cocos2d::Sprite::createWithSpriteFrameName(word);
  m_pWord->setPosition(0, kWordY);
  addChild(m_pWord);
}

void ActiveBtnBase::OnClick() {
  if (m_pOwner != nullptr) m_pOwner->HideAllTips();
  ShowTips();
}

void ActiveBtnBase::ShowTips() {
  setTouchEnabled(true);
  unschedule(kTipsTimeoutKey);
  scheduleOnce([this](float dt) { OnTipsTimeout(dt); }, kTipsSeconds, kTipsTimeoutKey);
  if (m_pTips == nullptr) {
    m_pTips = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kTipsBg, kTipsInsets);
    if (m_pTips == nullptr) {
      cocos2d::log("ActiveBtnBase: tip frame %s missing", kTipsBg);
      return;
    }
    m_pTips->setCapInsets(kTipsInsets);
    m_pTips->setPreferredSize(kTipsSize);
    m_pTips->setAnchorPoint(kTipsAnchor);
    m_pTips->setPosition(kTipsPos);
    addChild(m_pTips);
  }
  m_pTips->removeAllChildren();
  m_pTips->setPreferredSize(kTipsSize);
  RefreshActive();
}

void ActiveBtnBase::OnTipsTimeout(float) { HideTips(); }

void ActiveBtnBase::HideTips() {
  if (m_pTips != nullptr) {
    m_pTips->removeFromParent();
    m_pTips = nullptr;
  }
  unschedule(kTipsTimeoutKey);
  setTouchEnabled(false);
}

Vec2 ActiveBtnBase::TouchPoint(const cocos2d::Touch* touch) const {
  return convertToNodeSpace(touch->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
}

bool ActiveBtnBase::InsideTips(const Vec2& point) const {
  return m_pTips != nullptr && m_pTips->getBoundingBox().containsPoint(point);
}

void ActiveBtnBase::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (m_pTips == nullptr || touches.empty()) return;
  if (!InsideTips(TouchPoint(touches.front()))) HideTips();
}

cocos2d::Label* ActiveBtnBase::AddTipLabel(const std::string& text, float fontSize, float width, float height,
                                           const Color3B& color, float y) {
  if (m_pTips == nullptr) return nullptr;
  auto* label = cocos2d::Label::createWithSystemFont(text, g_strFontName, fontSize, cocos2d::Size(width, height),
                                                     cocos2d::TextHAlignment::CENTER,
                                                     cocos2d::TextVAlignment::CENTER);
  label->setColor(color);
  label->setPosition(m_pTips->getContentSize().width / 2, y);
  m_pTips->addChild(label);
  return label;
}

std::vector<std::string> ActiveBtnBase::TipTexts() const {
  std::vector<std::string> texts;
  if (m_pTips == nullptr) return texts;
  for (cocos2d::Node* child : m_pTips->getChildren())
    if (auto* label = dynamic_cast<cocos2d::Label*>(child)) texts.push_back(label->getString());
  return texts;
}

// ---------------------------------------------------------------- CGActiveBtn

std::string CGActiveBtn::Clock(long long seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof(text), "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

void CGActiveBtn::onEnter() {
  ActiveBtnBase::onEnter();
  AddWordFrame();
  if (m_pTimeBg != nullptr) return;
  m_pTimeBg = cocos2d::Sprite::createWithSpriteFrameName(kTimeBg);
  if (m_pTimeBg == nullptr) {
    cocos2d::log("CGActiveBtn: frame %s missing", kTimeBg);
    return;
  }
  m_pTimeBg->setPosition(g_ptActiveCGTime[0]);
  m_pTimeBg->setVisible(m_iState == kRunning);
  addChild(m_pTimeBg);
  m_pTimeLabel = cocos2d::Label::createWithSystemFont("", g_strFontName, 16);
  m_pTimeLabel->setColor(kTimeColour);
  m_pTimeLabel->setPosition(g_ptActiveCGTime[1]);
  m_pTimeBg->addChild(m_pTimeLabel);
}

void CGActiveBtn::SetActiveInfo(int iStartHour, int iEndHour, int iLeftSec, int iNowTime, DDZGameView* pView) {
  m_pView = pView;
  m_iLeft = iLeftSec;
  m_tNow = iNowTime;
  unschedule(kTickKey);
  if (iLeftSec == 0) {
    m_tStart = LocalHour(iNowTime, iStartHour);
    m_tEnd = LocalHour(iNowTime, iEndHour);
    m_tDayEnd = LocalHour(iNowTime, 24);
    Tick(0);
    schedule([this](float dt) { Tick(dt); }, 1.0f, kTickKey);
  } else {
    EnterState(iLeftSec < 1 ? kEnded : kCounted, false);
  }
  if (isRunning() && (m_iState == kBeforeStart || m_iState == kRunning)) ShowTips();
}

void CGActiveBtn::Tick(float) {
  ++m_tNow;
  Evaluate();
}

void CGActiveBtn::Evaluate() {
  // A window that ended before midnight moves on by whole days once the day
  // is over; each move leaves the clock where it is, so this ends.
  while (m_tNow > m_tEnd && m_tNow > m_tDayEnd) {
    m_tStart += kDaySeconds;
    m_tEnd += kDaySeconds;
    m_tDayEnd += kDaySeconds;
  }
  if (m_tNow < m_tStart) {
    EnterState(kBeforeStart, false);
    if (m_pTipsLabel != nullptr) m_pTipsLabel->setString(Clock(m_tStart - m_tNow));
  } else if (m_tNow <= m_tEnd) {
    EnterState(kRunning, true);
    if (m_pTimeLabel != nullptr) m_pTimeLabel->setString(RunningText());
    if (m_pTipsLabel != nullptr) m_pTipsLabel->setString(RunningText());
  } else {
    EnterState(kEnded, false);
  }
}

void CGActiveBtn::EnterState(int state, bool showTimeBg) {
  if (m_iState == state) return;
  if (m_pTimeBg != nullptr) m_pTimeBg->setVisible(showTimeBg);
  HideTips();
  m_iState = state;
}

std::string CGActiveBtn::RunningText() const {
  if (m_tEnd - m_tStart == kDaySeconds) return GameText(kTextWholeDay);
  return Clock(m_tEnd - m_tNow);
}

void CGActiveBtn::HideTips() {
  ActiveBtnBase::HideTips();
  m_pTipsLabel = nullptr;
}

void CGActiveBtn::RefreshActive() {
  m_pTipsLabel = nullptr;
  if (m_pTips == nullptr) return;
  switch (m_iState) {
    case kBeforeStart:
    case kRunning: {
      m_pTips->setPreferredSize(cocos2d::Size(160, 78));
      const bool before = m_iState == kBeforeStart;
      AddTipLabel(GameText(before ? kTextBeforeStart : kTextRunning), 20, 400, 30, kTitleColour, 56);
      m_pTipsLabel = AddTipLabel(before ? Clock(m_tStart - m_tNow) : RunningText(), 20, 200, 40, kDetailColour, 24);
      if (before) {
        if (auto* details = cocos2d::Sprite::createWithSpriteFrameName(kDetails)) {
          details->setPosition(m_pTips->getContentSize().width - 16, 24);
          m_pTips->addChild(details);
        }
      }
      break;
    }
    case kEnded:
      AddTipLabel(GameText(kTextEnded), 20, 400, 30, kTitleColour, kTipsSize.height / 2);
      break;
    case kCounted:
      AddTipLabel(ddz::FormatText(GameText(kTextCounted), m_iLeft), 20, 400, 30, kTitleColour, kTipsSize.height / 2);
      break;
    default:
      HideTips();
      break;
  }
}

void CGActiveBtn::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (m_pTips == nullptr || touches.empty()) return;
  if (!InsideTips(TouchPoint(touches.front()))) {
    HideTips();
    return;
  }
  if (m_iState != kBeforeStart && m_iState != kRunning) return;
  if (m_pOwner != nullptr) m_pOwner->HideAllTips();
  if (m_pView != nullptr) m_pView->OpenSmallGame();
}

// ---------------------------------------------------------------- TVActiveBtn

void TVActiveBtn::SetActiveInfo(int iFirst, int iSecond, int iCount, int iFurther, int iLeftCount) {
  m_iFirst = iFirst;
  m_iSecond = iSecond;
  m_iCount = iCount;
  m_iFurther = iFurther;
  m_iLeftCount = iLeftCount;

  if (m_pWord != nullptr) {
    m_pWord->removeFromParent();
    m_pWord = nullptr;
  }
  const std::string name = Printf(kWordImageFormat, m_iType, m_iValue);
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  const std::string written = files->getWritablePath() + name;
  std::string picture;
  if (files->isFileExist(written)) picture = written;
  else if (files->isFileExist(name)) picture = name;
  if (picture.empty()) return;
  m_pWord = cocos2d::Sprite::create(picture);
  if (m_pWord == nullptr) return;
  m_pWord->setPosition(0, kWordY);
  addChild(m_pWord);
}

std::string TVActiveBtn::CountText() const {
  return ddz::FormatText(GameText(kTextCounterCount), m_iCount, m_iLeftCount);
}

void TVActiveBtn::AddCount(int n) {
  m_iCount += n;
  RefreshCountLabel();
}

void TVActiveBtn::DecCount(int n) {
  m_iLeftCount = n < 0 ? 0 : n;
  RefreshCountLabel();
}

void TVActiveBtn::RefreshCountLabel() {
  if (m_pTips != nullptr && m_pCountLabel != nullptr) m_pCountLabel->setString(CountText());
}

void TVActiveBtn::RefreshActive() {
  m_pTitleLabel = m_pCountLabel = nullptr;
  if (m_pTips == nullptr) return;
  m_pTips->setPreferredSize(cocos2d::Size(230, 78));
  m_pTitleLabel =
      AddTipLabel(ddz::FormatText(GameText(kTextCounterTitle), m_iFirst, m_iSecond), 20, 220, 30, kTitleColour, 56);
  m_pCountLabel = AddTipLabel(CountText(), 18, 220, 30, kDetailColour, 24);
}

// ---------------------------------------------------------------- WEBActiveBtn

WEBActiveBtn::WEBActiveBtn(ActivityLayer* owner, int type, int value) : ActiveBtnBase(owner, type, value) {}

void WEBActiveBtn::ShowWord() {
  m_iState = kWordShown;
  AddWordFrame();
}

void WEBActiveBtn::SetCountdown(int seconds) {
  m_iLeftSec = seconds;
  unschedule(kTickKey);
  schedule([this](float dt) { Tick(dt); }, 1.0f, kTickKey);
}

void WEBActiveBtn::Tick(float) {
  --m_iLeftSec;
  if (m_pTips != nullptr && m_pTimeLabel != nullptr) m_pTimeLabel->setString(CGActiveBtn::Clock(m_iLeftSec));
  if (m_iLeftSec >= 1) return;
  unschedule(kTickKey);
  // The bar takes the button away through the deferred remover: this tick
  // returns into a node that is still alive.
  if (m_pOwner != nullptr) m_pOwner->RemoveActiveBtn(ActivityLayer::kTypeWeb);
}

void WEBActiveBtn::OnClick() {
  if (m_pOwner != nullptr) m_pOwner->HideAllTips();
  if (m_iState != 0) ShowTips();
}

void WEBActiveBtn::HideTips() {
  ActiveBtnBase::HideTips();
  m_pTimeLabel = nullptr;
}

void WEBActiveBtn::RefreshActive() {
  m_pTimeLabel = nullptr;
  if (m_pTips == nullptr || m_iState != kWordShown) return;
  if (m_iLeftSec < 1) {
    if (m_iHandCount > 0) {
      m_pTips->setPreferredSize(kTipsSize);
      AddTipLabel(ddz::FormatText(GameText(kTextWebEnded), m_iHandCount), 20, 220, 30, kTitleColour,
                  kTipsSize.height / 2);
    }
    return;
  }
  m_pTips->setPreferredSize(cocos2d::Size(220, 78));
  AddTipLabel(GameText(kTextWebRunning), 20, 220, 30, kTitleColour, 56);
  m_pTimeLabel = AddTipLabel(CGActiveBtn::Clock(m_iLeftSec), 20, 200, 40, kDetailColour, 24);
}
