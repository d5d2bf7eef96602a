// One frame of the built classic table: every widget the table builds on
// stage, the single-player game started, headless.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/classic/BenchFolder.h"
#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"

namespace {

void BM_ClassicTableFrame(benchmark::State& state) {
  cocos2d::Log::setEchoToStderr(false);
  cocos2d::Director* director = cocos2d::Director::getInstance();
  director->reset();
  director->setOpenGLView(cocos2d::GLViewImpl::create("bench"));
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
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

}  // namespace
