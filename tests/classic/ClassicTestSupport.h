// Fixtures of the classic table tests: a running scene with a window, the
// program's data files, a temporary writable folder (local store, user
// defaults, "single.conf"), the game base's records back at their start, the
// single-player game on, and the virtual clock set to a chosen local time.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "support/Stage.h"
#include "support/LocalTime.h"
#include "support/TempDir.h"
#include "table/GameSoundDDZ.h"

namespace classictest {

using ddz::test::LocalTime;

// The classic view with the sit result counted (the sit request of the
// single-player game answers at once).
class CountingView : public GameViewPC {
 public:
  static CountingView* create(int gameId = 62) {
    auto* view = new CountingView(gameId);
    view->autorelease();
    return view;
  }
  void HandleSitRes(char* msg, int len) override {
    sitTimesMs.push_back(ddz::os::Clock().NowMs());
    GameViewPC::HandleSitRes(msg, len);
  }
  using GameViewPC::LocalDayOf;
  using GameViewBase::m_pPlayerNode;
  std::vector<std::uint64_t> sitTimesMs;

 private:
  explicit CountingView(int gameId) : GameViewPC(nullptr, nullptr, gameId) {}
};

class ClassicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    window = stage.view;
    files = cocos2d::FileUtils::getInstance();
    savedPaths = files->getSearchPaths();
    files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    files->setWritablePath(dir.path() + "/");
    YndLocalData::sharedLocalData()->SetFilePath("");
    cocos2d::UserDefault::destroyInstance();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
    GameSoundDDZ::destroyInstance();
    SetLocalTime(2026, 3, 14, 12, 0);
  }
  void TearDown() override {
    GameMsgBox::destroyMessageBox();
    director->reset();
    cocos2d::UserDefault::destroyInstance();
    YndLocalData::sharedLocalData()->SetFilePath(dir.file("unused.txt"));
    files->setSearchPaths(savedPaths);
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
  }

  // The clock at zero with the wall time at that local time.
  static void SetLocalTime(int year, int month, int day, int hour, int minute) {
    ddz::os::Clock().Reset(0, LocalTime(year, month, day, hour, minute));
  }
  static std::int64_t Now() { return ddz::os::Clock().WallTimeSeconds(); }

  // A classic view made and put on the stage.
  CountingView* Enter(int gameId = 62) {
    CountingView* view = CountingView::create(gameId);
    scene->addChild(view);
    return view;
  }

  void tick(int frames = 1, float dt = 0.1f) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }
  // A tap at a point of the 1280 x 720 window (GL points, y up).
  void tap(const cocos2d::Vec2& p) {
    window->touchBegan(p.x, 720 - p.y);
    window->touchEnded(p.x, 720 - p.y);
  }

  static YndLocalData* Store() { return YndLocalData::sharedLocalData(); }
  void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(dir.file(name), std::ios::binary) << text;
  }

  ddz::test::TempDir dir;
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* window = nullptr;
  cocos2d::FileUtils* files = nullptr;
  std::vector<std::string> savedPaths;
};

}  // namespace classictest
