// The web view: the signed 1005 frame in the page address, the argument
// vector the launcher gets, one web view at a time, the old result file, and
// the box when the program does not start.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gamedata/ProgramDir.h"
#include "platform/engine/Log.h"
#include "platform/os/OsApiCommon.h"
#include "tests/gamedata/CompeteWebTestSupport.h"

namespace {

using ddz::test::ExpectedSignature;
using ddz::test::IntAt;

// A recording launcher that also notes the order of starts and ends.
class OrderedLauncher : public ddz::os::RecordingLauncher {
 public:
  bool Start(const std::vector<std::string>& argv) override {
    events.push_back("start");
    return RecordingLauncher::Start(argv);
  }
  bool Terminate() override {
    events.push_back("end");
    return RecordingLauncher::Terminate();
  }
  std::vector<std::string> events;
};

class CompeteWebViewTest : public ddz::test::CompeteWebFixture {
 protected:
  void SetUp() override {
    CompeteWebFixture::SetUp();
    ddz::os::SetWebViewLauncher(&launcher);
    ddz::os::SetWebViewProgram("/opt/web view/viewer");
    savedProgramDir_ = g_strProgramDir;
    g_strProgramDir = dir.path() + "/";
    CompeteWebMsg::shareCompeteWebMsg()->m_ProcessInfo = {};
  }
  void TearDown() override {
    CompeteWebMsg::shareCompeteWebMsg()->m_ProcessInfo = {};
    ddz::os::SetWebViewLauncher(nullptr);
    ddz::os::SetWebViewProgram("");
    g_strProgramDir = savedProgramDir_;
    CompeteWebFixture::TearDown();
  }
  void LeaveResultFile() { std::ofstream(dir.file("tx_web_result.dat")) << "old result"; }
  bool ResultFileThere() const { return std::filesystem::exists(dir.file("tx_web_result.dat")); }

  OrderedLauncher launcher;

 private:
  std::string savedProgramDir_;
};

TEST_F(CompeteWebViewTest, TheProgramGetsThePageOfTheSignedFrameAsOneArgumentEach) {
  std::memcpy(GameViewBase::m_GlobalInfo.szUserToken, "0123456789abcdefghij", 20);  // fills the field, unterminated
  LeaveResultFile();
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  ASSERT_EQ(launcher.starts.size(), 1u);
  const std::vector<std::string>& argv = launcher.starts[0];
  ASSERT_EQ(argv.size(), 6u);
  EXPECT_EQ(argv[0], "/opt/web view/viewer");
  EXPECT_EQ(std::vector<std::string>(argv.begin() + 2, argv.end()),
            (std::vector<std::string>{"780", "542", "2", "斗地主比赛"}));

  const std::string head = server.Url("/ddz") + "?hex=";
  const std::string& address = argv[1];
  ASSERT_EQ(address.size(), head.size() + 200 + 8);
  EXPECT_EQ(address.substr(0, head.size()), head);
  EXPECT_EQ(address.substr(head.size() + 200), "&hbver=2");
  const std::string frame = ddz::test::FromHex(address.substr(head.size(), 200));
  ASSERT_EQ(frame.size(), 100u);
  EXPECT_EQ(IntAt(frame, 32), 1005);
  EXPECT_EQ(IntAt(frame, 36), ddz::CompeteTimeNow());
  EXPECT_EQ(IntAt(frame, 40), 4321);
  EXPECT_EQ(frame.substr(44, 32), std::string("0123456789abcdefghij") + std::string(12, '\0'));
  const std::string machine = OsApiCommon::shareOsApiCommon()->GetMachineText();
  EXPECT_EQ(frame.substr(76, 20), machine + std::string(20 - machine.size(), '\0'));
  EXPECT_EQ(IntAt(frame, 96), 13020);
  EXPECT_EQ(frame.substr(0, 32), ExpectedSignature(frame));

  EXPECT_TRUE(CompeteWebMsg::shareCompeteWebMsg()->m_ProcessInfo.started);
  EXPECT_FALSE(ResultFileThere());  // no result of an earlier web view stays
}

TEST_F(CompeteWebViewTest, ASecondOpeningEndsTheFirstBeforeStartingAgain) {
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  EXPECT_EQ(launcher.events, (std::vector<std::string>{"start", "end", "start"}));
  EXPECT_EQ(launcher.terminations, 1);
  EXPECT_TRUE(CompeteWebMsg::shareCompeteWebMsg()->m_ProcessInfo.started);
}

TEST_F(CompeteWebViewTest, AProgramThatDoesNotStartShowsTheBoxAndKeepsTheResultFile) {
  launcher.startSucceeds = false;
  LeaveResultFile();
  cocos2d::Log::clear();
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  ASSERT_EQ(cocos2d::Log::messageBoxes().size(), 1u);
  EXPECT_EQ(cocos2d::Log::messageBoxes()[0], std::make_pair(std::string("启动失败"), std::string("创建进程")));
  EXPECT_TRUE(ResultFileThere());
  EXPECT_EQ(CompeteWebMsg::shareCompeteWebMsg()->m_ProcessInfo, ddz::os::ProcessExitState{});
  // Nothing to end at the next opening.
  launcher.startSucceeds = true;
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  EXPECT_EQ(launcher.terminations, 0);
  EXPECT_FALSE(ResultFileThere());
}

TEST_F(CompeteWebViewTest, WithoutAConfiguredProgramTheOneBesideTheClientIsStarted) {
  ddz::os::SetWebViewProgram("");
  ::unsetenv("DDZ_WEB_VIEW_PROGRAM");
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0][0], dir.path() + "/./Oskel");
}

// The real launcher with a program path that has a space: one program runs,
// with the address as one argument.
TEST_F(CompeteWebViewTest, TheRealLauncherStartsAProgramWhosePathHasASpace) {
  ddz::os::SetWebViewLauncher(nullptr);
  const std::string folder = dir.path() + "/web view";
  std::filesystem::create_directories(folder);
  const std::string program = folder + "/viewer";
  const std::string out = dir.file("args.txt");
  std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" << out << "'\n";
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  ddz::os::SetWebViewProgram(program);
  CompeteWebMsg::shareCompeteWebMsg()->ShowWebView();
  auto* real = dynamic_cast<ddz::os::SpawnLauncher*>(&ddz::os::WebViewLauncher());
  ASSERT_NE(real, nullptr);
  EXPECT_TRUE(real->WaitForExit(5000).exited);
  std::ifstream in(out);
  std::string count, first;
  std::getline(in, count);
  std::getline(in, first);
  EXPECT_EQ(count, "5");
  EXPECT_EQ(first.rfind(server.Url("/ddz") + "?hex=", 0), 0u);
  real->Forget();
  CompeteWebMsg::shareCompeteWebMsg()->m_ProcessInfo = {};
}

}  // namespace
