// The task panel of a hand on the classic and Super tables: the name of the
// hand's task (from "ddz_task_info.conf"), its reward kind and amount,
// optionally a bonus percentage with its countdown, two warning marks that
// blink while the task is at stake, and a cap once the task is done.
//
// The view makes one per hand (TaskUI(main type, task id, amount, prize kind)),
// sets the two bonus fields and adds it; the panel builds itself when it
// enters. Prize kind -1 means no panel: nothing is built and the warning
// operations do nothing; 0 is a yuanbao reward, 1 a ticket (the task id then
// reads as 91), any other kind a bare panel without icon or marks.
//
// The warning blink runs every kWarnStepSeconds: over a cycle of 2 s the
// marks fade in for 0.5 s, stay 1 s and fade out 0.5 s while they drift
// apart, then start over. Each panel keeps its own phase.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d

class TaskUI : public YndGameLayer {
 public:
  static constexpr const char* kTaskFile = "ddz_task_info.conf";
  static constexpr const char* kTaskSection = "ddz_task_name";
  static constexpr int kTicketTaskId = 91;
  static constexpr int kNoPanel = -1;
  static constexpr int kPrizeYuanbao = 0;
  static constexpr int kPrizeTicket = 1;
  static constexpr float kWarnStepSeconds = 0.02f;
  static constexpr float kWarnCycleSeconds = 2.0f;
  static constexpr float kCountdownSeconds = 1.0f;
  static constexpr float kSlideSeconds = 0.5f;
  static constexpr int kNameCapacity = 128;

  TaskUI(int iMainType, int iSubType, int iJPNum, int iPrizeType);

  void onEnter() override;

  void SetTaskNum(int iNum);
  // The task's name from the task file into `out` (capacity bytes with the
  // terminator), cut at a whole UTF-8 character; "" for an unknown id.
  static void GetTaskName(int iTaskID, char* out, std::size_t capacity);
  // 0 for task type 1, 1 for task type 2, -1 for any other.
  static int CheckTaskIsExist(int iTaskType);
  // "%d:%02d:%02d" of hours, minutes and seconds.
  static std::string TimeText(int seconds);
  // The warning marks' opacity at phase t of the cycle.
  static int WarnOpacityAt(float t);

  // The warning blink on and off (nothing without a panel).
  void PlayTaskAni();
  void StopTaskAni();
  bool IsTaskAniRunning() const;
  // The cap of a completed task.
  void ShowTaskCompete();

  void OnWarnStep(float dt);
  void OnCountdown(float dt);

  int iMainType = 0;
  int iSubType = 0;
  int iJPNum = 0;
  int iPrizeType = kNoPanel;
  int m_iAddPercent = 0;
  int m_iAddSeconds = 0;

  cocos2d::Sprite* GetBackground() const { return m_pTaskBg; }
  cocos2d::Sprite* GetPrizeIcon() const { return m_pPrizeIcon; }
  cocos2d::Label* GetNameLabel() const { return m_pTaskName; }
  cocos2d::ui::TextAtlas* GetNumber() const { return m_pTaskNum; }
  cocos2d::Sprite* GetWarning(int i) const { return i >= 0 && i < 2 ? m_pWarning[static_cast<std::size_t>(i)] : nullptr; }
  cocos2d::Label* GetAddTime() const { return m_pAddTime; }
  cocos2d::Label* GetPercentLabel() const { return m_pPercent; }
  cocos2d::Sprite* GetCap() const { return m_pCap; }
  float GetWarnPhase() const { return m_fWarnPhase; }

 private:
  void BuildWarnings();
  void ResetWarnings();

  // Children of the layer or of the background (owned by the node tree).
  cocos2d::Sprite* m_pTaskBg = nullptr;
  cocos2d::Sprite* m_pPrizeIcon = nullptr;
  cocos2d::Label* m_pTaskName = nullptr;
  cocos2d::ui::TextAtlas* m_pTaskNum = nullptr;
  std::array<cocos2d::Sprite*, 2> m_pWarning{};
  std::array<cocos2d::Vec2, 2> m_ptWarnStart{};
  cocos2d::Label* m_pAddTime = nullptr;
  cocos2d::Label* m_pPercent = nullptr;
  cocos2d::Sprite* m_pCap = nullptr;
  float m_fWarnPhase = 0;
  bool m_bBuilt = false;
};
