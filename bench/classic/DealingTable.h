// The classic single-player table on a new scene with its deal running: the
// table built, the start button pressed through the window (the real one or
// the headless view) and the frames stepped until the deal runs. Null when
// the deal did not start.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "cards/DealCard.h"
#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"

namespace benchsupport {

inline DealCard* DealingTable(cocos2d::GLView* window) {
  cocos2d::Director* director = cocos2d::Director::getInstance();
  GameViewBase::m_GlobalInfo = GlobalInfo();
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  cocos2d::Scene* scene = cocos2d::Scene::create();
  if (director->getRunningScene() == nullptr) director->runWithScene(scene);
  else director->replaceScene(scene);
  director->mainLoop(1.0f / 60);
  auto* view = new GameViewPC(nullptr, nullptr, 62);
  view->autorelease();
  scene->addChild(view);
  ResetMainMsgLock();
  view->IniMainSocketAuthen();
  for (int i = 0; i < 60; ++i) director->mainLoop(1.0f / 60);
  cocos2d::ui::Button* start = view->GetStartButton();
  if (start == nullptr) return nullptr;
  const cocos2d::Vec2 at = start->convertToWorldSpace(
      cocos2d::Vec2(start->getContentSize().width / 2, start->getContentSize().height / 2));
  window->click(at.x, 720 - at.y);
  for (int i = 0; i < 180; ++i) {
    director->mainLoop(1.0f / 60);
    auto* deal = dynamic_cast<DealCard*>(view->m_pDealCard);
    if (deal != nullptr && deal->IsDealing()) return deal;
  }
  return nullptr;
}

// Times every frame of the deal's spread, gather and passes; when a deal ends
// the table is built anew (not timed) and dealt again.
inline void TimeDealFrames(benchmark::State& state, cocos2d::GLView* window) {
  cocos2d::Director* director = cocos2d::Director::getInstance();
  DealCard* deal = DealingTable(window);
  int deals = deal != nullptr ? 1 : 0;
  std::uint64_t drawn = 0;
  for (auto _ : state) {
    if (deal == nullptr) {
      state.SkipWithError("the deal does not start");
      break;
    }
    const std::uint64_t before = director->getDrawnFrames();
    director->mainLoop(1.0f / 60);
    drawn += director->getDrawnFrames() - before;
    if (!deal->IsDealing()) {
      state.PauseTiming();
      deal = DealingTable(window);
      ++deals;
      state.ResumeTiming();
    }
  }
  state.counters["deals"] = deals;
  // The timed frames that reached the renderer, per timed frame.
  state.counters["drawn"] = benchmark::Counter(static_cast<double>(drawn), benchmark::Counter::kAvgIterations);
}

}  // namespace benchsupport
