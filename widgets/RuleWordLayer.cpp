#include "widgets/RuleWordLayer.h"

#include <new>

#include "platform/engine/cocos2d.h"

RuleWordLayer* RuleWordLayer::create() {
  auto* layer = new (std::nothrow) RuleWordLayer();
  if (layer && layer->init()) {
    layer->autorelease();
    return layer;
  }
  delete layer;
  return nullptr;
}

RuleWordLayer::RuleWordLayer() : YndGameLayer(nullptr) {
  // Touches come one by one so the layer can follow its own drag; claiming
  // one must not take it from the list beneath.
  setTouchMode(cocos2d::Touch::DispatchMode::ONE_BY_ONE);
  setSwallowsTouches(false);
}

void RuleWordLayer::SetContent(cocos2d::Node* content, float minY, float maxY) {
  if (m_pContent) m_pContent->removeFromParent();
  m_pContent = content;
  m_fMinY = minY;
  m_fMaxY = maxY;
  if (m_pContent) addChild(m_pContent);
}

void RuleWordLayer::onEnter() {
  YndGameLayer::onEnter();
  setTouchEnabled(true, false);
}

void RuleWordLayer::visit(cocos2d::Renderer* renderer, const cocos2d::Mat4& parentTransform,
                          std::uint32_t parentFlags) {
  const cocos2d::Rect clip(kClipX, kClipY, kClipWidth, kClipHeight);
  cocos2d::glEnable(cocos2d::GL_SCISSOR_TEST);
  if (cocos2d::GLView* view = cocos2d::Director::getInstance()->getOpenGLView())
    view->setScissorInPoints(clip.origin.x, clip.origin.y, clip.size.width, clip.size.height);
  if (renderer) renderer->pushClip(clip);
  YndGameLayer::visit(renderer, parentTransform, parentFlags);
  if (renderer) renderer->popClip();
  cocos2d::glDisable(cocos2d::GL_SCISSOR_TEST);
}

cocos2d::Vec2 RuleWordLayer::TouchPoint(cocos2d::Touch* touch) const {
  return convertToNodeSpace(touch->getLocation()) * cocos2d::Director::getInstance()->getContentScaleFactor();
}

bool RuleWordLayer::onTouchBegan(cocos2d::Touch* touch, cocos2d::Event*) {
  const cocos2d::Vec2 p = TouchPoint(touch);
  if (p.x >= -kDragHalfWidth && p.x <= kDragHalfWidth && p.y >= -kDragHalfHeight && p.y <= kDragHalfHeight) {
    m_iTouchState = 1;
    m_ptLastTouch = p;
    return true;
  }
  m_iTouchState = -1;
  return false;
}

void RuleWordLayer::onTouchMoved(cocos2d::Touch* touch, cocos2d::Event*) {
  if (m_iTouchState == -1 || !m_pContent) return;
  const cocos2d::Vec2 p = TouchPoint(touch);
  const float dy = p.y - m_ptLastTouch.y;
  m_ptLastTouch = p;
  float y = m_pContent->getPositionY() + dy;
  if (y > m_fMaxY) y = m_fMaxY;
  else if (y < m_fMinY) y = m_fMinY;
  m_pContent->setPositionY(y);
}

void RuleWordLayer::onTouchEnded(cocos2d::Touch*, cocos2d::Event*) { m_iTouchState = -1; }
