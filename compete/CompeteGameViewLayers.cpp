// The tournament table's waiting room and promotion screen: shown, removed
// and released here, for the match flow to call; and what of the match's
// screens leaves with the table.
#include "compete/CompeteGameView.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/framework/YndRemoveChildManage.h"

void CompeteGameView::ShowWaitLayer(int nextOpenTime, int signedUp) {
  // The one before leaves at once, before the new one takes the top bar.
  if (m_pCompeteWaitLayer != nullptr && m_pCompeteWaitLayer->getParent() == this)
    m_pCompeteWaitLayer->removeFromParent();
  m_pCompeteWaitLayer = nullptr;
  m_pCompeteWaitLayer = CompeteWaitLayer::create();
  m_pCompeteWaitLayer->setNextOpenTime(nextOpenTime);
  m_pCompeteWaitLayer->SetWaitPlayer(signedUp);
  addChild(m_pCompeteWaitLayer, CompeteWaitLayer::kZOnTable);
}

void CompeteGameView::RemoveWaitLayer() {
  if (m_pCompeteWaitLayer == nullptr) return;
  if (m_pCompeteWaitLayer->getParent() == this)
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pCompeteWaitLayer, this);
  m_pCompeteWaitLayer = nullptr;
}

void CompeteGameView::NewPromotionLayer() { SetPromotionLayer(CompetePromotionLayer::create()); }

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

void CompeteGameView::SetPromotionLayer(CompetePromotionLayer* layer) {
  if (layer == m_pCompetePromotionLayer) return;
  if (layer != nullptr) layer->retain();
  ReleasePromotionLayer();
  m_pCompetePromotionLayer = layer;
}

void CompeteGameView::ReleasePromotionLayer() {
  if (m_pCompetePromotionLayer == nullptr) return;
  RemovePromotionLayer();
  m_pCompetePromotionLayer->release();
  m_pCompetePromotionLayer = nullptr;
}

void CompeteGameView::SetPromotionsForStage(int stage) {
  if (m_pCompetePromotionLayer == nullptr) return;
  const std::vector<int>& stages = CompeteGameInfo::shareCompeteGameInfo()->m_vcStages;
  const bool repeatedFirst = stages.size() >= 2 && stages[0] == stages[1];
  m_pCompetePromotionLayer->SetBrevetTimes(repeatedFirst ? stage - 1 : stage);
}

void CompeteGameView::TakeMatchScreensOff() {
  RemoveWaitLayer();
  RemovePromotionLayer();
  if (m_pCompeteTableUI != nullptr && m_pCompeteTableUI->getParent() == this) m_pCompeteTableUI->removeFromParent();
  m_pCompeteTableUI = nullptr;
}
