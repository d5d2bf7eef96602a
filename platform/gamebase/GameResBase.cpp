#include "platform/gamebase/GameResBase.h"

#include "platform/engine/Log.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/gamebase/GameSceneBase.h"

GameResBase::GameResBase(YndLoadingBase* loading) : YndGameLayer(loading), m_pLoading(loading) {
  if (m_pLoading != nullptr) {
    m_pLoading->retain();
    if (m_pLoading->getParent() == nullptr) addChild(m_pLoading);
  }
}

GameResBase::~GameResBase() {
  if (m_pLoading != nullptr) m_pLoading->release();
}

void GameResBase::onEnter() {
  YndGameLayer::onEnter();
  if (!m_bEnded) scheduleUpdate();
}

void GameResBase::update(float) {
  if (m_bEnded) return;
  GameSceneBase* scene = GameSceneBase::m_pGameScene;
  int next = 100;
  if (scene != nullptr) next = scene->LoadResStep(m_pLoading, scene->GetGameID(), m_iPercent);
  if (next <= m_iPercent) {
    // A stage that does not move on would keep the loading screen for ever.
    cocos2d::log("GameResBase: LoadResStep stayed at %d%%, loading ends", m_iPercent);
    next = 100;
  }
  m_iPercent = next > 100 ? 100 : next;
  if (m_pLoading != nullptr) m_pLoading->SetProNum(m_iPercent);
  if (m_iPercent < 100) return;

  m_bEnded = true;
  unscheduleUpdate();
  retain();  // the scene takes the holder away
  if (scene != nullptr) scene->GameResLoadingEnd();
  release();
}
