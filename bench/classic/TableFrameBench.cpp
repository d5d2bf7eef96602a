// Headless frames of the classic single-player table: the built table before
// a game, a frame while the deal runs, and an idle frame of the dealt table.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/classic/BenchFolder.h"
#include "bench/classic/DealingTable.h"
#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Random.h"

namespace {

// A fresh director with the headless view and the program's data.
cocos2d::GLView* HeadlessStage() {
  cocos2d::Log::setEchoToStderr(false);
  cocos2d::Director* director = cocos2d::Director::getInstance();
  director->reset();
  cocos2d::GLView* view = cocos2d::GLViewImpl::create("bench");
  director->setOpenGLView(view);
  cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
  return view;
}

// One frame of the built table: every widget the table builds on stage, the
// single-player game started.
void BM_ClassicTableFrame(benchmark::State& state) {
  HeadlessStage();
  cocos2d::Director* director = cocos2d::Director::getInstance();
  benchsupport::WritableFolder folder(state);
  if (!folder.Made()) return;
  GameViewBase::m_GlobalInfo = GlobalInfo();
  GameViewBase::m_GlobalInfo.iPlayMode = 1;

  cocos2d::Scene* scene = cocos2d::Scene::create();
  director->runWithScene(scene);
  auto* view = new GameViewPC(nullptr, nullptr, 62);
  view->autorelease();
  scene->addChild(view);
  for (int i = 0; i < 60; ++i) director->mainLoop(1.0f / 60);
  for (auto _ : state) director->mainLoop(1.0f / 60);
  state.counters["nodes"] = static_cast<double>(view->getChildrenCount());
  director->reset();
}
BENCHMARK(BM_ClassicTableFrame)->Unit(benchmark::kMicrosecond);

// A frame while the deal runs (spread, gather and passes); the deal's frames
// that change nothing are not drawn ("drawn": frames drawn per frame).
void BM_ClassicTableDealFrame(benchmark::State& state) {
  cocos2d::GLView* window = HeadlessStage();
  benchsupport::WritableFolder folder(state);
  if (!folder.Made()) return;
  ddz::os::LcgRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  random.Seed(20260314);
  benchsupport::TimeDealFrames(state, window);
  cocos2d::Director::getInstance()->reset();
}
BENCHMARK(BM_ClassicTableDealFrame)->Unit(benchmark::kMicrosecond);

// A frame of the dealt table while it waits for the own seat's bid: nothing
// moves, so nothing is drawn ("drawn": frames drawn per frame).
void BM_ClassicTableIdleFrame(benchmark::State& state) {
  cocos2d::GLView* window = HeadlessStage();
  cocos2d::Director* director = cocos2d::Director::getInstance();
  benchsupport::WritableFolder folder(state);
  if (!folder.Made()) return;
  ddz::os::LcgRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  random.Seed(20260314);
  DealCard* deal = benchsupport::DealingTable(window);
  if (deal == nullptr) {
    state.SkipWithError("the deal does not start");
    return;
  }
  for (int i = 0; i < 600 && deal->IsDealing(); ++i) director->mainLoop(1.0f / 60);
  for (int i = 0; i < 60; ++i) director->mainLoop(1.0f / 60);
  if (deal->IsDealing()) state.SkipWithError("the deal does not end");
  const auto drawn = director->getDrawnFrames();
  for (auto _ : state) director->mainLoop(1.0f / 60);
  state.counters["drawn"] = benchmark::Counter(static_cast<double>(director->getDrawnFrames() - drawn),
                                               benchmark::Counter::kAvgIterations);
  director->reset();
}
BENCHMARK(BM_ClassicTableIdleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
