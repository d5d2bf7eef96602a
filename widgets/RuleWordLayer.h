// A clipped vertical scroller for rule text. Everything it draws is cut to
// the rule-text area (x 320, y 49, 1200 x 476 points, through the GL scissor),
// and a drag that begins within 414 x 253 of the layer's origin moves its
// content up and down, kept between the two limits its owner gives.
//
// The layer takes part in a touch without keeping it from the widgets below
// (the rules list under it scrolls as before).
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

class RuleWordLayer : public YndGameLayer {
 public:
  static RuleWordLayer* create();

  // The scrolling content (added as a child; a previous one is removed) and
  // the range its y may take while dragged.
  void SetContent(cocos2d::Node* content, float minY, float maxY);
  cocos2d::Node* GetContent() const { return m_pContent; }
  bool IsDragging() const { return m_iTouchState == 1; }

  void onEnter() override;
  void visit(cocos2d::Renderer* renderer, const cocos2d::Mat4& parentTransform, std::uint32_t parentFlags) override;
  bool onTouchBegan(cocos2d::Touch* touch, cocos2d::Event* event) override;
  void onTouchMoved(cocos2d::Touch* touch, cocos2d::Event* event) override;
  void onTouchEnded(cocos2d::Touch* touch, cocos2d::Event* event) override;

  // The clip area in points and the half sizes of the drag area.
  static constexpr float kClipX = 320, kClipY = 49, kClipWidth = 1200, kClipHeight = 476;
  static constexpr float kDragHalfWidth = 414, kDragHalfHeight = 253;

 private:
  RuleWordLayer();
  cocos2d::Vec2 TouchPoint(cocos2d::Touch* touch) const;

  int m_iTouchState = -1;                // 1 while dragging
  cocos2d::Node* m_pContent = nullptr;   // child, not retained beyond that
  cocos2d::Vec2 m_ptLastTouch;
  float m_fMaxY = 0;
  float m_fMinY = 0;
};
