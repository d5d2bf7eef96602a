// One drawn frame of the classic table while the deal runs, in the real
// window on SDL's software renderer (offscreen) at 1280 x 720: the built
// table with the generated art, the start button pressed through the window,
// and every frame of the deal's spread, gather and passes timed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/classic/BenchFolder.h"
#include "bench/classic/DealingTable.h"
#include "platform/engine/cocos2d.h"
#include "platform/window/SdlWindow.h"

namespace {

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
  benchsupport::TimeDealFrames(state, window);
  director->reset();
}
BENCHMARK(BM_DrawDealFrame)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
