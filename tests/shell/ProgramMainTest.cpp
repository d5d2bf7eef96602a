#include "shell/ProgramMain.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/Scene.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "support/TempDir.h"

namespace {

TEST(RunLimits, ReadFromTheirTexts) {
  cocos2d::Log::setEchoToStderr(false);
  struct Case {
    const char* frames;
    const char* seconds;
    std::optional<std::uint64_t> wantFrames;
    std::optional<std::uint64_t> wantMs;
  } cases[] = {
      {nullptr, nullptr, std::nullopt, std::nullopt},
      {"", "", std::nullopt, std::nullopt},
      {"300", "5", 300, 5000},
      {"1", "0.5", 1, 500},
      {"0", "0", std::nullopt, std::nullopt},  // zero is no limit, not an instant stop
      {"-3", "-1", std::nullopt, std::nullopt},
      {"12x", "1.2345", std::nullopt, std::nullopt},
      {" 5", "2.", std::nullopt, 2000},
      {"9999999999999", ".25", std::nullopt, 250},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.frames ? c.frames : "null") + " / " + (c.seconds ? c.seconds : "null"));
    const ddz::RunLimits limits = ddz::ParseRunLimits(c.frames, c.seconds);
    EXPECT_EQ(limits.frames, c.wantFrames);
    EXPECT_EQ(limits.milliseconds, c.wantMs);
  }
  EXPECT_TRUE(cocos2d::Log::contains("DDZ_RUN_FRAMES [12x] is not a positive whole number; ignored"));
  cocos2d::Log::setEchoToStderr(true);
}

// The whole program run with a scene of its own and a pacer that steps 0.1 s
// at once, so the loop's stop paths can be counted frame by frame.
class RunProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
    ddz::os::Clock().Reset();
    cocos2d::Director::getInstance()->reset();
    files->setWritablePath(home.path());
    savedPaths = files->getSearchPaths();
    files->setSearchPaths({});
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    ddz::ClearStopSignal();
    options.installCrashHandler = false;
    options.installStopSignals = false;
    options.startup.createScene = [] {
      cocos2d::Scene* scene = cocos2d::Scene::create();
      scene->retain();  // start-up autoreleases what it is given
      return scene;
    };
    options.pacer = [this](double) {
      ++frames;
      if (onFrame) onFrame(frames);
      return 0.1f;
    };
  }
  void TearDown() override {
    ddz::ClearStopSignal();
    files->setSearchPaths(savedPaths);
    files->setDefaultResourceRootPath("");
    files->setPopupNotify(false);
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    ddz::os::SetCommandLineText("");
    cocos2d::Log::setEchoToStderr(true);
  }
  int Run() {
    const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
    return ddz::RunProgram(9, argv, std::move(options));
  }

  ddz::test::TempDir home;
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  std::vector<std::string> savedPaths;
  ddz::ProgramOptions options;
  int frames = 0;
  std::function<void(int)> onFrame;
};

TEST_F(RunProgramTest, FrameLimitEndsTheRunAfterExactlyThatManyFrames) {
  options.limits.frames = 3;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(ddz::os::Clock().NowMs(), 300u);
  EXPECT_EQ(ddz::os::GetCommandLineText(), "ddz 127.0.0.1 0 0 0 0 0 offline 0");
  EXPECT_TRUE(cocos2d::Log::contains("-----main----"));
  EXPECT_TRUE(cocos2d::Log::contains("stopping after frame 3 (0.300 s): the frame limit"));
  EXPECT_TRUE(cocos2d::Log::contains("main end [0]"));
  EXPECT_EQ(cocos2d::Director::getInstance()->getRunningScene(), nullptr);  // torn down
  EXPECT_EQ(ddz::os::LobbyMessages().size(), 1u);
}

// Start-up with a log file it cannot open (a folder of that name) runs the
// program all the same and says why there is no log file.
TEST_F(RunProgramTest, ALogFileThatCannotBeOpenedLeavesTheProgramRunning) {
  std::filesystem::create_directory(home.file("client.log"));
  options.limits.frames = 3;
  testing::internal::CaptureStderr();
  const int result = Run();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(frames, 3);
  EXPECT_TRUE(cocos2d::Log::contains("main end [0]"));
  EXPECT_NE(said.find("client.log cannot be opened"), std::string::npos) << said;
}

TEST_F(RunProgramTest, TimeLimitCountsTheProgramClock) {
  options.limits.milliseconds = 1000;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(frames, 10);
  EXPECT_TRUE(cocos2d::Log::contains("stopping after frame 10 (1.000 s): the time limit"));
}

TEST_F(RunProgramTest, TheClientEndingItselfStopsTheLoop) {
  onFrame = [](int frame) {
    if (frame == 4) OsApiCommon::shareOsApiCommon()->ExitGame();
  };
  options.limits.frames = 100;
  EXPECT_EQ(Run(), 0);
  // The exit request lands during the pacer of frame 4; that frame still runs.
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
}

TEST_F(RunProgramTest, InterruptSignalStopsTheLoopCleanly) {
  options.installStopSignals = true;
  options.limits.frames = 100;
  onFrame = [](int frame) {
    if (frame == 2) ::raise(SIGINT);
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(frames, 2);
  EXPECT_EQ(ddz::StopSignalReceived(), SIGINT);
  EXPECT_TRUE(cocos2d::Log::contains("stopping after frame 2 (0.200 s): SIGINT"));
  // The handler is gone with the run: the previous disposition is back.
  struct sigaction now {};
  ::sigaction(SIGINT, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

}  // namespace
