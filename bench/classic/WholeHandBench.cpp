// Whole single-player hands through the real classic table and the real
// local server, headless: the own seat plays through its own hand's buttons
// and presses continue on each result (the end-to-end test's driver), frames
// stepped at 1/60 s of virtual time as fast as the machine runs them. Each
// iteration is one whole hand, from the continue of the hand before to the
// continue of its own result.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "../../tests/support/WholeHandDriver.h"
#include "bench/classic/BenchFolder.h"
#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Random.h"

namespace {

constexpr float kFrame = 1.0f / 60;
constexpr int kFrameLimit = 60 * 600;  // ten minutes of table time per hand at most

void BM_WholeSinglePlayerHand(benchmark::State& state) {
  cocos2d::Log::setEchoToStderr(false);
  ddz::os::LcgRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  cocos2d::Director* director = cocos2d::Director::getInstance();
  director->reset();
  cocos2d::GLView* window = cocos2d::GLViewImpl::create("bench");
  director->setOpenGLView(window);
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
  benchsupport::WritableFolder folder(state);
  if (!folder.Made()) return;
  GameViewBase::m_GlobalInfo = GlobalInfo();
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  ResetMainMsgLock();

  cocos2d::Scene* scene = cocos2d::Scene::create();
  director->runWithScene(scene);
  auto* view = new GameViewPC(nullptr, nullptr, 62);
  view->autorelease();
  scene->addChild(view);
  random.Seed(20260314);
  view->IniMainSocketAuthen();
  view->OnBtnStart();
  classictest::OwnSeatDriver driver(view, window);

  long frames = 0;
  long hands = 0;
  for (auto _ : state) {
    const int target = driver.continues + 1;
    for (int i = 0; i < kFrameLimit && driver.continues < target; ++i) {
      director->mainLoop(kFrame);
      driver.Step();
      ++frames;
    }
    if (driver.continues < target) {
      state.SkipWithError("a hand did not reach its result");
      break;
    }
    ++hands;
  }
  if (hands > 0) {
    state.counters["frames_per_hand"] = static_cast<double>(frames) / static_cast<double>(hands);
    state.counters["us_per_frame"] = benchmark::Counter(static_cast<double>(frames),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["hands_per_s"] = benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
  }
  director->reset();
}
BENCHMARK(BM_WholeSinglePlayerHand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
