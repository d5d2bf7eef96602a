// The buttons of the activity bar (widgets/ActivityLayer.h).
//
// ActiveBtnBase: an icon button ("qorvddz_activity_btn_<type>.png" under the
// frame "qorvddz_activity_btn_bg.png") that opens a small tip panel with the
// activity's state. A click closes every tip of the bar and opens its own; an
// open tip closes by itself 5 s after it was opened, or on a touch outside it.
// Each type fills the panel in RefreshActive.
//
// CGActiveBtn (type 0), the daily time window. SetActiveInfo with iLeftSec 0
// sets the window from iStartHour to iEndHour on the local day of iNowTime and
// starts a one-second tick that advances its own clock from iNowTime:
//   1 before the start (the tip counts down to the start),
//   2 running (the time background shows the time left, or game text 257
//     when the window is the whole day),
//   3 ended for today; past midnight the window moves on by a day and the
//     state is worked out again.
// With iLeftSec not 0 the button is in counted mode: state 4 with iLeftSec
// hands left, or 3 when that is below 1, and no tick. A touch on the open tip
// while the window is waiting or running asks the view to open the mini-game.
//
// TVActiveBtn (type 1), the counter activity: five values and a word image
// read as a picture file (the writable folder first, then the search paths).
//
// WEBActiveBtn (type 2), the web activity: a word image, a hand count and a
// countdown in whole seconds. When the countdown drops below 1 the button asks
// the bar to remove it; the bar removes it through the deferred remover, so the
// tick that asked finishes on a live node.
#pragma once

#include <string>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Button;
class Scale9Sprite;
}  // namespace ui
}  // namespace cocos2d
class ActivityLayer;
class DDZGameView;

class ActiveBtnBase : public YndGameLayer {
 public:
  static constexpr const char* kIconFormat = "qorvddz_activity_btn_%d.png";
  static constexpr const char* kIconFrame = "qorvddz_activity_btn_bg.png";
  static constexpr const char* kTipsBg = "qorvddz_icon_tips_bg.png";
  static constexpr const char* kWordFormat = "qorvddz_activity_word_%d_%d.png";
  static constexpr float kTipsSeconds = 5.0f;
  static constexpr float kWordY = -26.0f;

  void onEnter() override;

  virtual void ShowTips();
  virtual void HideTips();
  // Fills the open tip panel; nothing in the base.
  virtual void RefreshActive() {}
  virtual void OnClick();

  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  int GetType() const { return m_iType; }
  int GetValue() const { return m_iValue; }
  cocos2d::ui::Button* GetButton() const { return m_pBtn; }
  cocos2d::ui::Scale9Sprite* GetTips() const { return m_pTips; }
  cocos2d::Sprite* GetWord() const { return m_pWord; }
  // The strings of the labels inside the open tip panel, top to bottom.
  std::vector<std::string> TipTexts() const;

 protected:
  ActiveBtnBase(ActivityLayer* owner, int type, int value);

  // The touch in the layer's space, divided by the content scale.
  cocos2d::Vec2 TouchPoint(const cocos2d::Touch* touch) const;
  bool InsideTips(const cocos2d::Vec2& point) const;
  // Adds a tip label (system font) to the open panel; null without a panel.
  cocos2d::Label* AddTipLabel(const std::string& text, float fontSize, float width, float height,
                              const cocos2d::Color3B& color, float y);
  // The word image of a frame at (0, kWordY), when that frame exists.
  void AddWordFrame();

  int m_iType = 0;
  int m_iValue = 0;
  cocos2d::Sprite* m_pWord = nullptr;           // child, null when none
  cocos2d::ui::Button* m_pBtn = nullptr;        // child once entered
  cocos2d::ui::Scale9Sprite* m_pTips = nullptr;  // child, null while closed
  ActivityLayer* m_pOwner = nullptr;            // not owned: the bar, our parent

 private:
  void OnTipsTimeout(float dt);
};

class CGActiveBtn : public ActiveBtnBase {
 public:
  enum State { kNone = 0, kBeforeStart = 1, kRunning = 2, kEnded = 3, kCounted = 4 };
  static constexpr const char* kTimeBg = "qorvddz_activity_cg_time_bg.png";
  static constexpr const char* kDetails = "qorvddz_cg_xiangqing.png";
  static constexpr int kDaySeconds = 86400;

  CGActiveBtn(ActivityLayer* owner, int type, int value) : ActiveBtnBase(owner, type, value) {}

  void onEnter() override;
  void HideTips() override;
  void RefreshActive() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // iLeftSec 0: the daily window from iStartHour to iEndHour on the local day
  // of iNowTime (seconds since the epoch), ticking every second. Otherwise
  // counted mode with iLeftSec hands left. pView (not owned; the view the bar
  // sits on) is asked to open the mini-game.
  void SetActiveInfo(int iStartHour, int iEndHour, int iLeftSec, int iNowTime, DDZGameView* pView);

  int GetState() const { return m_iState; }
  long long GetStart() const { return m_tStart; }
  long long GetEnd() const { return m_tEnd; }
  long long GetNow() const { return m_tNow; }
  cocos2d::Label* GetTimeLabel() const { return m_pTimeLabel; }
  cocos2d::Sprite* GetTimeBg() const { return m_pTimeBg; }

  // "hh:mm:ss" of a number of seconds (hours may pass 99).
  static std::string Clock(long long seconds);

 private:
  void Tick(float dt);
  void Evaluate();
  void EnterState(int state, bool showTimeBg);
  // The text of the running time: the time to the end, or game text 257 for
  // a whole-day window.
  std::string RunningText() const;

  int m_iState = kNone;
  long long m_tStart = 0;
  long long m_tEnd = 0;
  int m_iLeft = 0;
  long long m_tNow = 0;
  long long m_tDayEnd = 0;
  cocos2d::Label* m_pTimeLabel = nullptr;  // child of m_pTimeBg
  cocos2d::Label* m_pTipsLabel = nullptr;  // child of the open panel, else null
  cocos2d::Sprite* m_pTimeBg = nullptr;    // child
  DDZGameView* m_pView = nullptr;          // not owned
};

class TVActiveBtn : public ActiveBtnBase {
 public:
  static constexpr const char* kWordImageFormat = "qorvddz_hd_tvicon_word_%d_%d.png";

  TVActiveBtn(ActivityLayer* owner, int type, int value) : ActiveBtnBase(owner, type, value) {}

  void RefreshActive() override;

  // The two values of the tip's first line, the count, a further value and
  // the count left; loads the word image.
  void SetActiveInfo(int iFirst, int iSecond, int iCount, int iFurther, int iLeftCount);
  void AddCount(int n);
  // The count left becomes n (not below 0).
  void DecCount(int n);

  int GetCount() const { return m_iCount; }
  int GetLeftCount() const { return m_iLeftCount; }

 private:
  void RefreshCountLabel();
  std::string CountText() const;

  int m_iFirst = 0;
  int m_iSecond = 0;
  int m_iCount = 0;
  int m_iFurther = 0;
  int m_iLeftCount = 0;
  cocos2d::Label* m_pTitleLabel = nullptr;  // children of the open panel, else null
  cocos2d::Label* m_pCountLabel = nullptr;
};

class WEBActiveBtn : public ActiveBtnBase {
 public:
  static constexpr int kWordShown = 2;

  WEBActiveBtn(ActivityLayer* owner, int type, int value);

  void HideTips() override;
  void RefreshActive() override;
  void OnClick() override;

  // Shows the word image; the state becomes 2.
  void ShowWord();
  // The countdown becomes `seconds` and its one-second tick starts anew.
  void SetCountdown(int seconds);
  void SetHandCount(int count) { m_iHandCount = count; }

  int GetState() const { return m_iState; }
  int GetHandCount() const { return m_iHandCount; }
  int GetLeftSec() const { return m_iLeftSec; }

 private:
  void Tick(float dt);

  int m_iState = -1;
  int m_iHandCount = -1;
  int m_iLeftSec = -1;
  cocos2d::Label* m_pTimeLabel = nullptr;  // child of the open panel, else null
};
