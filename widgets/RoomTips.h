// The strip of scrolling tips under the loudspeaker of the room list; the
// table's bottom bar carries the same strip. One tip at a time crosses a
// 280 x 30 window centred on the strip's origin from right to left at 60
// points a second, then the strip waits 2 s and shows the next, forever.
//
// The texts follow the shared room list's game id: 48 the four-player tips
// (game text lines 165-169), 52 the Super table's ("superddz_game.txt" lines
// 2-8), any other id or no list at all the classic tips (game text lines
// 36-45). The tip counter survives leaving the stage, so a strip that enters
// again goes on with the next tip.
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class ClippingNode;
class Label;
}  // namespace cocos2d

class RoomTips : public YndGameLayer {
 public:
  enum Source { kClassic = 0, kFourPlayer = 1, kSuper = 2 };
  static constexpr float kClipWidth = 280;
  static constexpr float kClipHeight = 30;
  static constexpr float kSpeed = 60;
  static constexpr float kPause = 2.0f;

  static RoomTips* create();

  void onEnter() override;
  void onExit() override;
  // The colour goes to the tip's label while the strip runs.
  void setColor(const cocos2d::Color3B& color) override;
  void ShowNextTip();

  void SetFontSize(float size) { m_fFontSize = size; }
  int GetSource() const { return m_iSource; }
  int GetTipCount() const { return m_iTipCount; }
  cocos2d::Label* GetLabel() const { return m_pLabel; }
  const cocos2d::Rect& GetClipRect() const { return m_ClipRect; }

 private:
  RoomTips();

  int m_iSource = kClassic;
  cocos2d::ClippingNode* m_pClip = nullptr;  // child while running
  float m_fSpeed = kSpeed;
  cocos2d::Label* m_pLabel = nullptr;        // child of the clip while running
  cocos2d::Rect m_ClipRect;
  int m_iTipCount = 0;
  float m_fFontSize = 20;
};
