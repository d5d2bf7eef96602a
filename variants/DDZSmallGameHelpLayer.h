// The mini-game's help layer: the countdown clock with its question mark, the
// warning tip, and the rules panel that a tap on the strip opens and closes.
//
// It is the clock's only listener. At the clock's warning the digits replace
// the question mark, and during a level (level 1 to the record count) the
// warning tip pops up. At the time-out the owner's level decides what the
// game does: level 0 quits, a level being played picks no card (the owner
// then picks the outcome card itself), after the last level the game leaves.
// While the rules are shown the owner's start, quit and return buttons take
// no touches, and the cards ignore theirs (IsRuleShown).
//
// Built in onEnter, once; re-entering the stage builds nothing and does not
// register the layer with its clock a second time.
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"
#include "variants/DDZSmallGameObserve.h"

namespace cocos2d {
class Ref;
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d
class DDZSmallGameClock;
class DDZSmallGameOwner;

class DDZSmallGameHelpLayer : public YndGameLayer, public DDZSmallGameObserve {
 public:
  static constexpr const char* kRulePanelFile = "DDZ_SmallGame_rule.png";
  static constexpr const char* kStripFrame = "DDZ_SmallGameBg2.png";
  static constexpr const char* kQuestionFrame = "DDZ_SmallGame_wenhao.png";
  static constexpr const char* kCloseRuleFrame = "DDZ_SmallGame_rulebtn.png";
  static constexpr const char* kWarnTipFrame = "DDZ_SmallGameBg_tips.png";
  static constexpr float kTipSeconds = 0.5f;

  // owner: the mini-game layer, the layer's parent (not owned).
  static DDZSmallGameHelpLayer* create(DDZSmallGameOwner* owner);
  ~DDZSmallGameHelpLayer() override;

  void onEnter() override;
  // The first touch: on the strip's tap area it switches the rules; anywhere
  // else it hides them, in the next frame when they are shown (that touch
  // picks no card).
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  // The clock's warning (it still runs) or time-out.
  void OnClockEvent() override;

  // Hides the rules (a click sound only when they were shown); the owner's buttons take touches again.
  void HideRule(cocos2d::Ref* sender);
  // Shows the rules when hidden, hides them when shown, with a click sound.
  void SwitchRule(cocos2d::Ref* sender);
  // The clock stops, the question mark is back and the warning tip shrinks away.
  void StopClock();
  // Question mark shown, digits hidden, the clock started.
  void StartClock(float total, float interval, float warnAt);

  // The strip's tap area in the layer's space, edges included: from 0.3 of the
  // strip's width left of and 0.1 of its height below its position, 0.8 wide and 0.6 high.
  cocos2d::Rect GetTapArea() const;
  bool IsRuleShown() const;

  DDZSmallGameClock* GetClock() const { return m_pClock; }
  cocos2d::Sprite* GetRulePanel() const { return m_pRulePanel; }
  cocos2d::Sprite* GetStrip() const { return m_pStrip; }
  cocos2d::Sprite* GetQuestionMark() const { return m_pQuestion; }
  cocos2d::ui::Button* GetCloseRuleButton() const { return m_pCloseRule; }
  cocos2d::Sprite* GetWarnTip() const { return m_pWarnTip; }

 private:
  explicit DDZSmallGameHelpLayer(DDZSmallGameOwner* owner);
  // The owner's start, quit and return buttons take touches or not.
  void SetOwnerButtonsTouch(bool enabled);

  // Children, null until onEnter (a sprite whose frame is missing stays null).
  cocos2d::Sprite* m_pRulePanel = nullptr;
  cocos2d::Sprite* m_pStrip = nullptr;
  cocos2d::Sprite* m_pQuestion = nullptr;
  cocos2d::ui::Button* m_pCloseRule = nullptr;
  DDZSmallGameOwner* m_pOwner = nullptr;  // not owned
  DDZSmallGameClock* m_pClock = nullptr;
  cocos2d::Sprite* m_pWarnTip = nullptr;
};
