#include "shell/GameLoading.h"

#include <string>

#include "platform/engine/Label.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameViewBase.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"

GameLoading::GameLoading() = default;

void GameLoading::onEnter() {
  YndGameLayer::onEnter();
  if (m_pProLabel) return;  // built on the first entry
  AddPlist("vellddz_res_loading.plist");
  AddPlist("ddzbs_loading_res.plist");

  const int halfWidth = BasePT::g_iWindowWidth / 2;
  const int halfHeight = BasePT::g_iWindowHeight / 2;
  if (cocos2d::Sprite* bg = YndImageSprite::spriteWithFile("qorvddz_loading_bg.jpg", this)) {
    bg->setPosition(cocos2d::Vec2(static_cast<float>(halfWidth), static_cast<float>(halfHeight)));
  }

  m_pProLabel = cocos2d::Label::createWithSystemFont("0%", g_strSystemFont, 30);
  m_pProLabel->setPosition(g_ptLoadingProcess);
  addChild(m_pProLabel);

  const cocos2d::Vec2 tipPoint(static_cast<float>(halfWidth), g_ptLoadingProcess.y - 50);
  if (cocos2d::Sprite* tipBg = cocos2d::Sprite::createWithSpriteFrameName("qorvdzz_loading_tips_bg.png")) {
    tipBg->setPosition(tipPoint);
    addChild(tipBg);
  }

  // The view constructors load the game texts; a loading screen shown before
  // any view is not left without its tip.
  ddz::EnsureGameTextLoaded();
  const int tip = GameViewBase::m_GlobalInfo.iPlayMode != 0 ? kSingleTipFirst + YndRand(kSingleTipCount)
                                                             : kTipFirst + YndRand(kTipCount);
  m_pTipLabel = cocos2d::Label::createWithSystemFont(GameText(tip), g_strSystemFont, 24);
  m_pTipLabel->setPosition(tipPoint);
  m_pTipLabel->setColor(cocos2d::Color3B(203, 247, 255));
  addChild(m_pTipLabel);

  if (cocos2d::Sprite* barBg = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_loading_process_0.png")) {
    barBg->setPosition(g_ptLoadingFlower);
    addChild(barBg);
  }
  m_pProgress =
      cocos2d::ProgressTimer::create(cocos2d::Sprite::createWithSpriteFrameName("qorvddz_loading_process_1.png"));
  m_pProgress->setType(cocos2d::ProgressTimer::Type::BAR);
  m_pProgress->setMidpoint(cocos2d::Vec2(0, 0.5f));
  m_pProgress->setBarChangeRate(cocos2d::Vec2(1, 0));
  m_pProgress->setPosition(g_ptLoadingFlower);
  addChild(m_pProgress);
}

void GameLoading::onExit() { YndGameLayer::onExit(); }

void GameLoading::SetProNum(int percent) {
  YndLoadingBase::SetProNum(percent);
  if (m_pProLabel && m_pProLabel->isRunning()) m_pProLabel->setString(std::to_string(percent) + "%");
  if (m_pProgress && m_pProgress->isRunning()) m_pProgress->setPercentage(static_cast<float>(percent));
}
