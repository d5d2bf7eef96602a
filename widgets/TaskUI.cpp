#include "widgets/TaskUI.h"

#include <cstdio>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Vec2;

namespace {

constexpr const char* kBg = "qorvddz_task_bg.png";
constexpr const char* kBgBonus = "qorvddz_task_bg2.png";
constexpr const char* kBgAdd = "qorvddz_task_bg_add.png";
constexpr const char* kRewardMark = "task_icon_jiang.png";
constexpr const char* kNumAtlas = "qorvddz_task_num.png";
constexpr const char* kYuanbaoIcon = "task_icon_yb.png";
constexpr const char* kTicketIcon = "task_ticket_V.png";
constexpr const char* kWarnFrame = "task_worning.png";
constexpr const char* kCapFrame = "task_cap.png";
constexpr int kNumCell = 20;
constexpr float kNameSize = 22;
constexpr float kTimeSize = 16;
constexpr float kRowY = 20;
constexpr float kBonusNameShift = 40;
constexpr float kBonusShift = 70;
constexpr float kSlideLeft = 70;
constexpr float kYuanbaoScale = 1.2f;
constexpr int kCapZOrder = 10;
const cocos2d::Color3B kPercentColour(12, 229, 18);

float WindowHeight() { return static_cast<float>(BasePT::g_iWindowHeight); }

}  // namespace

TaskUI::TaskUI(int mainType, int subType, int jpNum, int prizeType)
    : iMainType(mainType), iSubType(subType), iJPNum(jpNum), iPrizeType(prizeType) {}

void TaskUI::GetTaskName(int taskId, char* out, std::size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  char key[24];
  std::snprintf(key, sizeof key, "task%d", taskId);
  GetConfValue(out, capacity, key, kTaskFile, kTaskSection, "");
}

int TaskUI::CheckTaskIsExist(int taskType) {
  if (taskType == 1) return 0;
  if (taskType == 2) return 1;
  return -1;
}

std::string TaskUI::TimeText(int s) {
  const int h = s / 3600;
  const int m = (s % 3600) / 60;
  const int r = s - (60 * h + m) * 60;
  char text[32];
  std::snprintf(text, sizeof text, h < 0 ? "%02d:%02d:%02d" : "%d:%02d:%02d", h, m, r);
  return text;
}

int TaskUI::WarnOpacityAt(float t) {
  if (t < 0) return 0;
  if (t < 0.5f) return static_cast<int>(t * 2 * 255);
  if (t < 1.5f) return 255;
  if (t < kWarnCycleSeconds) return static_cast<int>((kWarnCycleSeconds - t) * 2 * 255);
  return 0;
}

void TaskUI::SetTaskNum(int num) {
  iJPNum = num;
  if (m_pTaskNum != nullptr) m_pTaskNum->setString(std::to_string(num));
}

void TaskUI::onEnter() {
  YndGameLayer::onEnter();
  if (iPrizeType == kNoPanel || m_bBuilt) return;
  m_bBuilt = true;
  const bool bonus = m_iAddPercent > 0 && iPrizeType == kPrizeYuanbao;
  m_pTaskBg = cocos2d::Sprite::createWithSpriteFrameName(bonus ? kBgBonus : kBg);
  if (m_pTaskBg == nullptr) return;
  const float w = m_pTaskBg->getContentSize().width;
  const float h = m_pTaskBg->getContentSize().height;
  const Vec2 top(0, WindowHeight());
  m_pTaskBg->setPosition(g_ptTaskBg + Vec2(w, 0) + top);
  addChild(m_pTaskBg);
  m_pTaskBg->runAction(cocos2d::MoveTo::create(kSlideSeconds, g_ptTaskBg + Vec2(-kSlideLeft, 0) + top));

  if (bonus && m_iAddSeconds >= 0) {
    if (cocos2d::Sprite* add = cocos2d::Sprite::createWithSpriteFrameName(kBgAdd)) {
      add->setAnchorPoint(Vec2(0.5f, 1.0f));
      add->setPosition(Vec2(w - 6, -15));
      m_pTaskBg->addChild(add, -1);
      m_pAddTime = cocos2d::Label::createWithSystemFont(TimeText(m_iAddSeconds), g_strFontName, kTimeSize);
      m_pAddTime->setPosition(Vec2(add->getContentSize().width / 2, 22));
      add->addChild(m_pAddTime);
      schedule(schedule_selector(TaskUI::OnCountdown), kCountdownSeconds);
    }
  }

  char name[kNameCapacity] = {};
  GetTaskName(iSubType, name, sizeof name);
  m_pTaskName = cocos2d::Label::createWithSystemFont(name, g_strFontName, kNameSize);
  m_pTaskName->setPosition(Vec2(w / 2 - (bonus ? kBonusNameShift : 0), 3 * h / 4));
  m_pTaskBg->addChild(m_pTaskName);

  const float b = bonus ? kBonusShift : 0;
  if (cocos2d::Sprite* mark = cocos2d::Sprite::createWithSpriteFrameName(kRewardMark)) {
    mark->setPosition(Vec2(w / 2 - 60 - b, kRowY));
    m_pTaskBg->addChild(mark);
  }
  m_pTaskNum = cocos2d::ui::TextAtlas::create(std::to_string(iJPNum), kNumAtlas, kNumCell, kNumCell, "0");
  m_pTaskNum->setPosition(Vec2(w / 2 - b, kRowY));
  m_pTaskBg->addChild(m_pTaskNum);

  if (iPrizeType == kPrizeYuanbao) {
    m_pPrizeIcon = cocos2d::Sprite::createWithSpriteFrameName(kYuanbaoIcon);
    if (m_pPrizeIcon != nullptr) m_pPrizeIcon->setScale(kYuanbaoScale);
  } else if (iPrizeType == kPrizeTicket) {
    m_pPrizeIcon = cocos2d::Sprite::createWithSpriteFrameName(kTicketIcon);
    iSubType = kTicketTaskId;
  } else {
    return;  // a bare panel: no icon, no warning marks
  }
  if (m_pPrizeIcon != nullptr) {
    m_pTaskBg->addChild(m_pPrizeIcon);
    if (!bonus) {
      m_pPrizeIcon->setPosition(Vec2(w / 2 + 60 - b, kRowY));
    } else {
      const float numX = w / 2 - b - 15;
      m_pTaskNum->setPosition(Vec2(numX, kRowY));
      const float iconX = numX + m_pTaskNum->getContentSize().width / 2 + 5;
      m_pPrizeIcon->setAnchorPoint(Vec2(0, 0.5f));
      m_pPrizeIcon->setPosition(Vec2(iconX, kRowY));
      char percent[24];
      std::snprintf(percent, sizeof percent, "(+%d%%)", m_iAddPercent);
      m_pPercent = cocos2d::Label::createWithSystemFont(percent, g_strFontName, kNameSize);
      m_pPercent->setColor(kPercentColour);
      m_pPercent->setAnchorPoint(Vec2(0, 0.5f));
      m_pPercent->setPosition(
          Vec2(iconX + m_pPrizeIcon->getContentSize().width * m_pPrizeIcon->getScale() + 10, kRowY));
      m_pTaskBg->addChild(m_pPercent);
    }
  }
  BuildWarnings();
}

void TaskUI::BuildWarnings() {
  const cocos2d::Size size = m_pTaskBg->getContentSize();
  // The marks start over the left and right quarter of the panel.
  m_ptWarnStart = {Vec2(size.width / 4, size.height / 2), Vec2(size.width * 3 / 4, size.height / 2)};
  for (std::size_t i = 0; i < m_pWarning.size(); ++i) {
    m_pWarning[i] = cocos2d::Sprite::createWithSpriteFrameName(kWarnFrame);
    if (m_pWarning[i] == nullptr) continue;
    m_pWarning[i]->setPosition(m_ptWarnStart[i]);
    m_pWarning[i]->setOpacity(0);
    m_pWarning[i]->setVisible(false);
    m_pTaskBg->addChild(m_pWarning[i]);
  }
}

void TaskUI::ResetWarnings() {
  for (std::size_t i = 0; i < m_pWarning.size(); ++i) {
    if (m_pWarning[i] == nullptr) continue;
    m_pWarning[i]->setPosition(m_ptWarnStart[i]);
    m_pWarning[i]->setOpacity(0);
  }
}

void TaskUI::PlayTaskAni() {
  if (iPrizeType == kNoPanel) return;
  unschedule(schedule_selector(TaskUI::OnWarnStep));
  schedule(schedule_selector(TaskUI::OnWarnStep), kWarnStepSeconds);
  for (cocos2d::Sprite* mark : m_pWarning)
    if (mark != nullptr) mark->setVisible(true);
}

void TaskUI::StopTaskAni() {
  if (iPrizeType == kNoPanel) return;
  unschedule(schedule_selector(TaskUI::OnWarnStep));
  for (cocos2d::Sprite* mark : m_pWarning)
    if (mark != nullptr) mark->setVisible(false);
}

bool TaskUI::IsTaskAniRunning() const { return isScheduled(schedule_selector(TaskUI::OnWarnStep)); }

void TaskUI::OnWarnStep(float dt) {
  m_fWarnPhase += dt;
  if (m_fWarnPhase >= kWarnCycleSeconds) {
    ResetWarnings();
    m_fWarnPhase = 0;
    return;
  }
  if (m_pTaskBg == nullptr) return;
  const float drift = dt * 0.5f * m_pTaskBg->getContentSize().width;
  const int opacity = WarnOpacityAt(m_fWarnPhase);
  for (std::size_t i = 0; i < m_pWarning.size(); ++i) {
    cocos2d::Sprite* mark = m_pWarning[i];
    if (mark == nullptr) continue;
    mark->setPosition(mark->getPosition() + Vec2(i == 0 ? -drift : drift, 0));
    mark->setOpacity(static_cast<std::uint8_t>(opacity));
  }
}

void TaskUI::OnCountdown(float) {
  --m_iAddSeconds;
  if (m_iAddSeconds < 0) {
    m_iAddSeconds = 0;
    unschedule(schedule_selector(TaskUI::OnCountdown));
  }
  if (m_pAddTime != nullptr) m_pAddTime->setString(TimeText(m_iAddSeconds));
}

void TaskUI::ShowTaskCompete() {
  if (m_pCap != nullptr) return;
  m_pCap = cocos2d::Sprite::createWithSpriteFrameName(kCapFrame);
  if (m_pCap == nullptr) m_pCap = cocos2d::Sprite::create(kCapFrame);
  if (m_pCap == nullptr) return;
  m_pCap->setPosition(g_ptTaskBg + Vec2(0, WindowHeight()) + Vec2(0, 10));
  addChild(m_pCap, kCapZOrder);
}
