// The tournament table's waiting room and promotion screen: shown, removed
// and released here, for the match flow to call.
#include "compete/CompeteGameView.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteWaitLayer.h"
#include "platform/framework/YndRemoveChildManage.h"

void CompeteGameView::ShowWaitLayer(int nextOpenTime) {
  // The one before leaves at once, before the new one takes the top bar.
  if (m_pCompeteWaitLayer != nullptr && m_pCompeteWaitLayer->getParent() == this)
    m_pCompeteWaitLayer->removeFromParent();
  m_pCompeteWaitLayer = nullptr;
  m_pCompeteWaitLayer = CompeteWaitLayer::create();
  m_pCompeteWaitLayer->setNextOpenTime(nextOpenTime);
  addChild(m_pCompeteWaitLayer, CompeteWaitLayer::kZOnTable);
}

void CompeteGameView::RemoveWaitLayer() {
  if (m_pCompeteWaitLayer == nullptr) return;
  if (m_pCompeteWaitLayer->getParent() == this)
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pCompeteWaitLayer, this);
  m_pCompeteWaitLayer = nullptr;
}

void CompeteGameView::NewPromotionLayer() {
  ReleasePromotionLayer();
  m_pCompetePromotionLayer = CompetePromotionLayer::create();
  m_pCompetePromotionLayer->retain();
}

bool CompeteGameView::IsPromotionLayerShown() const {
  return m_pCompetePromotionLayer != nullptr && m_pCompetePromotionLayer->getParent() == this;
}

bool CompeteGameView::ShowPromotionLayer() {
  if (m_pCompetePromotionLayer == nullptr) return false;
  if (!IsPromotionLayerShown() && m_pCompetePromotionLayer->JudgeShow())
    addChild(m_pCompetePromotionLayer, CompetePromotionLayer::kZOnTable);
  return IsPromotionLayerShown();
}

void CompeteGameView::RemovePromotionLayer() {
  if (m_pCompetePromotionLayer != nullptr && m_pCompetePromotionLayer->getParent() != nullptr)
    m_pCompetePromotionLayer->removeFromParentAndCleanup(true);
}

void CompeteGameView::ReleasePromotionLayer() {
  if (m_pCompetePromotionLayer == nullptr) return;
  RemovePromotionLayer();
  m_pCompetePromotionLayer->release();
  m_pCompetePromotionLayer = nullptr;
}
