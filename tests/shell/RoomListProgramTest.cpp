// The whole program on a network command line with a room file of three
// rooms: the classic room list comes up with four buttons (the first room
// twice), and a click on a room that fits the money connects to that room's
// server (the loopback game server, not the command line's), authenticates
// and puts the classic table on the stage; the login record keeps the room.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "classic/C_RoomBtn.h"
#include "classic/C_RoomListLayer.h"
#include "classic/GameViewPC.h"
#include "platform/engine/Log.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/ProgramMain.h"
#include "support/LoopbackGameServer.h"
#include "support/TempDir.h"
#include "ProgramRunSupport.h"

namespace {

TEST(RoomListProgram, FourButtonsFromThreeRoomsAndAClickEntersTheRoomsServer) {
  shelltest::ProgramRun run;
  ddz::test::LoopbackGameServer room;
  ASSERT_TRUE(room.ok());
  gamebase::AuthenResult answer;
  answer.self.iUserID = 42;
  answer.self.iMoney = 900;
  room.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(answer)});
  room.Ignore(gamebase::ReqType::KeepAlive);
  const int closedPort = ddz::test::FreeLoopbackPort();

  ddz::test::TempDir folder;
  std::ofstream(folder.file("rooms.conf"))
      << "# game server address port start hours min max class sub base super second\n"
      << "62 7 127.0.0.1 " << room.port() << " 0 24 0 20000 0 0 10 0 1000\n"
      << "62 8 127.0.0.1 " << closedPort << " 0 24 5000 200000 0 0 50 0 5000\n"
      << "62 9 127.0.0.1 " << closedPort << " 0 24 0 100000 1 0 20 0 2000\n";

  ddz::ProgramOptions options =
      shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data"}, 240);
  std::vector<int> buttonRooms;  // the server id of each button, as first shown
  bool clicked = false;
  bool tableShown = false;
  bool listGone = false;
  int roomValue = 0;
  options.pacer = [&](double) {
    room.Serve();
    auto* list = dynamic_cast<C_RoomListLayer*>(GameSceneBase::m_pRoomList);
    if (!clicked && list != nullptr && list->isRunning() && !list->getRoomBtn().empty()) {
      for (RoomBtn* button : list->getRoomBtn()) {
        EXPECT_NE(dynamic_cast<C_RoomBtn*>(button), nullptr);
        EXPECT_TRUE(button->isRunning());
        buttonRooms.push_back(button->GetRoomItemInfo()->pServerInfo->iServerID);
      }
      list->getRoomBtn()[1]->OnTap();
      clicked = true;
    }
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (clicked && table != nullptr && table->isRunning() && room.ScriptDone()) tableShown = true;
    if (tableShown && list != nullptr && list->getParent() == nullptr) listGone = true;
    if (tableShown && GameSceneBase::m_pGameScene != nullptr)
      roomValue = GameSceneBase::m_pGameScene->GetLoginRoomValue();
    return 0.05f;
  };
  const std::string port = std::to_string(closedPort);
  const char* argv[] = {"ddz", "127.0.0.1", port.c_str(), "3", "0", "1", "42", "t0ken", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  EXPECT_EQ(buttonRooms, (std::vector<int>{7, 7, 9, 8})) << "the fitting rooms first, the first one twice";
  ASSERT_EQ(room.requests.size(), 1u) << "one login, on the room's server";
  EXPECT_EQ(room.mismatches, std::vector<std::string>{});
  gamebase::AuthenRequest auth;
  ASSERT_TRUE(gamebase::ReadAuthenRequest(room.requests[0].data(), static_cast<int>(room.requests[0].size()), auth));
  EXPECT_EQ(auth.userId, 42);
  EXPECT_STREQ(auth.token, "t0ken");
  EXPECT_EQ(auth.gameId, 62);
  EXPECT_TRUE(tableShown) << "the classic table on the stage after the login";
  EXPECT_TRUE(listGone) << "the room list left the stage";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 7);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 900);
  EXPECT_EQ(roomValue, 620000) << "the login record keeps the room";
  EXPECT_FALSE(cocos2d::Log::contains("connecting to 127.0.0.1:" + port)) << "never the command line's server";
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }
  GameViewBase::GetMainSocket().DisconnectServer(0, false);
}

}  // namespace
