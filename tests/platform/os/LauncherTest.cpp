#include "platform/os/Launcher.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

using namespace ddz::os;

namespace {

TEST(RecordingLauncherTest, KeepsEachArgumentWholeAndAnswersTheSetState) {
  RecordingLauncher fake;
  SetWebViewLauncher(&fake);
  const std::vector<std::string> argv = {"/opt/web view/viewer", "http://127.0.0.1/p?hex=00&hbver=2", "780", "542",
                                         "2", "斗地主比赛"};
  ASSERT_TRUE(WebViewLauncher().Start(argv));
  ASSERT_EQ(fake.starts.size(), 1u);
  EXPECT_EQ(fake.starts[0], argv);
  EXPECT_TRUE(WebViewLauncher().ExitState().running);
  EXPECT_TRUE(WebViewLauncher().Terminate());
  EXPECT_FALSE(WebViewLauncher().Terminate());
  EXPECT_EQ(fake.terminations, 1);
  SetWebViewLauncher(nullptr);
}

TEST(SpawnLauncherTest, AShortProgramRunsAndItsExitStateIsRead) {
  SpawnLauncher launcher;
  // The shell here is only the program under test: it exits with the number
  // of arguments it got, so "a b" must arrive as one.
  ASSERT_TRUE(launcher.Start({"/bin/sh", "-c", "exit $#", "sh", "a b", "c d e"}));
  const ProcessExitState state = launcher.WaitForExit(5000);
  EXPECT_TRUE(state.started);
  EXPECT_FALSE(state.running);
  EXPECT_TRUE(state.exited);
  EXPECT_EQ(state.code, 2);
  launcher.Forget();
  EXPECT_FALSE(launcher.ExitState().started);
}

TEST(SpawnLauncherTest, ARunningProgramIsTerminatedBeforeASecondStart) {
  SpawnLauncher launcher;
  ASSERT_TRUE(launcher.Start({"/bin/sh", "-c", "while :; do :; done"}));
  const int first = launcher.Pid();
  EXPECT_TRUE(launcher.WaitForExit(0).running);
  EXPECT_FALSE(launcher.Start({"/bin/true"}));  // one at a time
  ASSERT_TRUE(launcher.Terminate());
  EXPECT_NE(::kill(first, 0), 0);  // collected: no such process left
  ASSERT_TRUE(launcher.Start({"/bin/true"}));
  EXPECT_EQ(launcher.WaitForExit(5000).code, 0);
}

TEST(SpawnLauncherTest, NoProgramOrAMissingOneFailsToStart) {
  SpawnLauncher launcher;
  EXPECT_FALSE(launcher.Start({}));
  EXPECT_FALSE(launcher.Start({""}));
  EXPECT_FALSE(launcher.Start({"/nonexistent/web view"}));
  EXPECT_FALSE(launcher.ExitState().started);
  SetWebViewProgram("");
  if (WebViewProgram().empty()) {
    EXPECT_FALSE(WebViewLauncher().Start({WebViewProgram(), "http://127.0.0.1/"}));
  }
  SetWebViewProgram("/opt/viewer");
  EXPECT_EQ(WebViewProgram(), "/opt/viewer");
  SetWebViewProgram("");
}

}  // namespace
