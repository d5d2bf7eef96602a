// Fixtures of the animation tests: a running table view that records what
// the animations ask of it, the frame manifest as the sheets, the layout
// points the animations read set to known values, and the sound recorder and
// message lock back at their start.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "support/Stage.h"
#include "table/DDZGameView.h"
#include "widgets/DoubleSignFlight.h"

namespace anitest {

// A table view that writes down the calls the animations make. Its
// doubling goes through the shared doubling sign, as a table view's does.
class RecordingView : public DDZGameView {
 public:
  static RecordingView* create() {
    auto* view = new RecordingView();
    view->autorelease();
    return view;
  }
  void ShakeScreen() override { ++shakes; }
  void ShowDoubleAni(int seat, int factor) override {
    doublings.push_back({seat, factor});
    sign.Show(seat, factor);
  }
  void ShowTableMultiple(int times) override { shownMultiples.push_back(times); }
  void UpdateTaskNum(int* values) override { taskNums.assign(values, values + kTaskValues); }
  void ShowTaskCompete() override { ++taskCompetes; }
  void ShowRoundResult(const char* msg, int len) override { results.emplace_back(msg, static_cast<std::size_t>(len)); }

  struct Doubling {
    int seat, factor;
    bool operator==(const Doubling&) const = default;
  };
  int shakes = 0;
  int taskCompetes = 0;
  std::vector<Doubling> doublings;
  std::vector<int> shownMultiples;
  std::vector<int> taskNums;
  std::vector<std::string> results;
  DoubleSignFlight sign{this};

 private:
  RecordingView() : DDZGameView(nullptr, nullptr) {}
};

class AniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage();
    director = stage.director;
    scene = stage.scene;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::destroyInstance();
    SoundManage::shareSoundManage()->Reset();
    ResetMainMsgLock();
    SetLayout();
    view = RecordingView::create();
    view->m_TableItem.iTimes = 1;
    scene->addChild(view);
    manage = view->GetAniManage();
  }
  void TearDown() override {
    director->reset();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
    ResetMainMsgLock();
  }

  // The throwing points: each seat i throws from (100 + 500 i, 300) and is
  // hit at (100 + 500 i, 400); the centre is (640, 360).
  static void SetLayout() {
    for (int i = 0; i < 3; ++i) {
      const float x = 100.0f + 500.0f * i;
      g_ptAniShunzi[i] = {600.0f + 10 * i, 300};
      g_ptHLBombStart[i] = {x, 300};
      g_ptHLBombEmpCtr2[i] = {x, 600};
      g_ptHLBombUpCtr2[i] = {x, 700};
      g_ptHLBombDownCtr2[i] = {x, 100};
      g_ptHLBombDest[i] = {x, 400};
      g_fBombDaleyBezier[i] = 0.5f + 0.1f * i;
    }
    g_ptHLBombDest[3] = {640, 360};
    g_ptSpring = {640, 400};
    g_ptTaskBg = {1100, -100};
  }

  void tick(int frames = 1, float dt = 1.0f / 60) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }
  // Shows `ani` at once (the manager owns it) and steps frames of `dt` until
  // the manager has let it go; the seconds that took, or -1 after maxSeconds.
  float SecondsUntilEnd(AniBase* ani, float dt, float maxSeconds = 10) {
    manage->ShowAni(ani, true, true);
    int frames = 0;
    while (manage->GetRunningCount() > 0) {
      if (frames * dt > maxSeconds) return -1;
      tick(1, dt);
      ++frames;
    }
    return frames * dt;
  }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  RecordingView* view = nullptr;
  AniManage* manage = nullptr;
  std::vector<std::string> savedPaths;
};

// The sprite children of `node` (deep) that show `frame`.
inline int CountShowing(cocos2d::Node* node, const std::string& frame) {
  int n = 0;
  for (cocos2d::Node* child : node->getChildren()) {
    if (auto* sprite = dynamic_cast<cocos2d::Sprite*>(child); sprite && sprite->getDisplayName() == frame) ++n;
    n += CountShowing(child, frame);
  }
  return n;
}

}  // namespace anitest
