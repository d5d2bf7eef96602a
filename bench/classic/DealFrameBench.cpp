// One drawn frame of the classic table while the deal runs, in the real
// window on SDL's software renderer (offscreen) at 1280 x 720: the built
// table with the generated art, the start button pressed through the window,
// and every frame of the deal's spread, gather and passes timed. When a deal
// ends the table is built anew (not timed) and dealt again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "cards/DealCard.h"
#include "bench/classic/BenchFolder.h"
#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/window/SdlWindow.h"

namespace {

// A table on the stage with its deal running; null when the deal did not start.
DealCard* DealingTable(ddz::window::SdlWindow* window) {
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

void BM_DrawDealFrame(benchmark::State& state) {
  ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
  ::setenv("SDL_RENDER_DRIVER", "software", 1);
  cocos2d::Log::setEchoToStderr(false);
  cocos2d::Director* director = cocos2d::Director::getInstance();
  director->reset();
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data", DDZ_ART_DIR});
  benchsupport::WritableFolder folder(state);
  if (!folder.Made()) return;
  auto* window = ddz::window::SdlWindow::create({"bench", cocos2d::Size(1280, 720), true});
  if (window == nullptr) {
    state.SkipWithError("no offscreen window");
    return;
  }
  window->install();
  window->setDesignResolutionSize(1280, 720, cocos2d::ResolutionPolicy::SHOW_ALL);
  DealCard* deal = DealingTable(window);
  int deals = deal != nullptr ? 1 : 0;
  for (auto _ : state) {
    if (deal == nullptr) {
      state.SkipWithError("the deal does not start");
      break;
    }
    director->mainLoop(1.0f / 60);
    if (!deal->IsDealing()) {
      state.PauseTiming();
      deal = DealingTable(window);
      ++deals;
      state.ResumeTiming();
    }
  }
  state.counters["deals"] = deals;
  director->reset();
}
BENCHMARK(BM_DrawDealFrame)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
