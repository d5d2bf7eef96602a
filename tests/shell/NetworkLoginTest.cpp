// The whole program on a network command line (user id 42) against the
// loopback game server, with a room file that lists no room: there is no
// room list, so it connects to the address and port of the command line,
// authenticates with the command line's user and token, and the table comes
// up with its start button once the server accepts.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "support/LoopbackGameServer.h"
#include "support/TempDir.h"
#include "ProgramRunSupport.h"

namespace {

TEST(NetworkLogin, WithNoRoomListedUserId42ConnectsToTheCommandLinesServerAndShowsTheTable) {
  shelltest::ProgramRun run;

  ddz::test::LoopbackGameServer server;
  ASSERT_TRUE(server.ok());
  gamebase::AuthenResult answer;
  answer.self.iUserID = 42;
  answer.self.iMoney = 9000;
  server.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(answer)});
  server.Ignore(gamebase::ReqType::KeepAlive);

  ddz::test::TempDir folder;
  std::ofstream(folder.file("rooms.conf")) << "# no rooms\n";

  ddz::ProgramOptions options =
      shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data"}, 200);
  bool startShown = false;
  options.pacer = [&](double) {
    server.Serve();
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (table != nullptr && table->isRunning() && table->GetStartButton() != nullptr &&
        table->GetStartButton()->isVisible())
      startShown = true;
    return 0.05f;
  };
  const std::string port = std::to_string(server.port());
  const char* argv[] = {"ddz", "127.0.0.1", port.c_str(), "3", "0", "1", "42", "t0ken", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  ASSERT_EQ(server.requests.size(), 1u) << "one login";
  EXPECT_EQ(server.mismatches, std::vector<std::string>{});
  gamebase::AuthenRequest auth;
  ASSERT_TRUE(gamebase::ReadAuthenRequest(server.requests[0].data(), static_cast<int>(server.requests[0].size()), auth));
  EXPECT_EQ(auth.userId, 42);
  EXPECT_STREQ(auth.token, "t0ken");
  EXPECT_EQ(auth.gameId, 62);
  EXPECT_EQ(auth.kind, 1);
  EXPECT_FALSE(auth.reLogin);
  EXPECT_TRUE(startShown) << "the table's start button after the login";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 9000);
  EXPECT_FALSE(cocos2d::Log::contains("connect all port error"));
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }

  GameViewBase::GetMainSocket().DisconnectServer(0, false);
}

}  // namespace
