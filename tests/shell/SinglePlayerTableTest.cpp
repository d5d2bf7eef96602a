// The whole program on the single-player command line: start-up, loading, the
// classic table, the start button pressed by the test, the local server's deal
// delivered to the table view, and a clean stop at the frame limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "ProgramRunSupport.h"

namespace {

// The message types the table received, in order.
std::vector<int>& Delivered() {
  static std::vector<int> types;
  return types;
}

// The real classic view, writing down each message that reaches it.
class WatchedTable : public GameViewPC {
 public:
  using GameViewPC::GameViewPC;
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    Delivered().push_back(static_cast<std::uint8_t>(msg[1]));
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
};

class WatchedScene : public QorvDDZGameScene {
 public:
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int gameId) override {
    return new WatchedTable(this, loading, gameId);
  }
};

TEST(SinglePlayerTable, TheStartButtonLeadsToADealtHand) {
  shelltest::ProgramRun run;
  Delivered().clear();

  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.installStopSignals = false;
  options.startup.dataFolders = {std::string(DDZ_SOURCE_DIR) + "/data"};
  options.startup.createScene = [] { return new WatchedScene(); };
  options.limits.frames = 120;  // six seconds of frames
  int pressedAtFrame = 0;
  int frame = 0;
  options.pacer = [&](double) {
    ++frame;
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (pressedAtFrame == 0 && table != nullptr && table->isRunning() && table->GetStartButton() != nullptr) {
      table->OnBtnStart();
      pressedAtFrame = frame;
    }
    return 0.05f;
  };

  const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  EXPECT_GT(pressedAtFrame, 0) << "the classic table never came on the stage";
  EXPECT_FALSE(cocos2d::Log::contains("GameViewPC is not in this build"));
  ASSERT_FALSE(Delivered().empty());
  EXPECT_EQ(Delivered().front(), 71);  // the deal comes first
  EXPECT_TRUE(cocos2d::Log::contains("stopping after frame 120 (6.000 s): the frame limit"));
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }
  EXPECT_EQ(cocos2d::Director::getInstance()->getRunningScene(), nullptr);
}

}  // namespace
