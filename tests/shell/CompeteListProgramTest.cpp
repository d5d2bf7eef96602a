// The whole program on a network command line for the tournament (game id
// 237 in the login record), with a room file of two match rooms, the shipped
// match file and a loopback web server answering the user record (20035) and
// the sign-up counts (20036): the tournament list comes up with one card per
// match showing its fee and count, and a press on a card's sign-up button runs
// the road into the match's room, whose loopback game server sees the login.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "compete/CompeteRoomListLayer.h"
#include "compete/SignUpLayer.h"
#include "compete/RoomInfoItem.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "support/LoopbackGameServer.h"
#include "support/LoopbackWebServer.h"
#include "support/TempDir.h"
#include "CompeteProgramSupport.h"
#include "ProgramRunSupport.h"

namespace {

constexpr int kMatchA = 101;  // free entry (kind 1, fees 1-2000;2-10, two free entries a day)
constexpr int kMatchB = 102;  // timetabled, fee 1-5000

struct CardSeen {
  int matchId = 0;
  std::string fee;
  std::string count;
};

TEST(CompeteListProgram, OneCardPerMatchAndASignUpPressLogsInOnTheMatchsServer) {
  shelltest::ProgramRun run;
  g_iCompeteEnterMode = 0;
  g_tLastSignUpNumReply = 0;
  CompeteRoomInfo::m_tLastRequestTime = 0;
  DdzCompete::getInstance()->Reset();

  ddz::test::LoopbackGameServer room;
  ASSERT_TRUE(room.ok());
  gamebase::AuthenResult answer;
  answer.self.iUserID = 42;
  answer.self.iMoney = 900;
  room.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(answer)}).Expect(16);
  room.Ignore(gamebase::ReqType::KeepAlive);
  ddz::test::LoopbackWebServer web;
  web.SetResponder(shelltest::CompeteWebAnswer);
  const int closedPort = ddz::test::FreeLoopbackPort();

  ddz::test::TempDir folder;
  std::ofstream(folder.file("rooms.conf"))
      << "# game server address port start hours min max class sub base super second\n"
      << "62 7 127.0.0.1 " << closedPort << " 0 24 0 20000 0 0 10 0 1000\n"
      << "237 21 127.0.0.1 " << closedPort << " 0 24 0 2000000000 " << kMatchB << " 2 0 0 0\n"
      << "237 20 127.0.0.1 " << room.port() << " 0 24 0 2000000000 " << kMatchA << " 1 0 0 0\n"
      << "237 22 127.0.0.1 " << closedPort << " 0 24 0 2000000000 " << kMatchB << " 9 0 0 0\n";
  std::ofstream(folder.file("server.conf")) << "[release]\nnormal_web_url = " << web.Url("/ddz")
                                            << "\nweb_sign_key = test!key#0123456ab\n";
  ASSERT_TRUE(shelltest::WriteCompeteLoginRecord(folder.file("MbUserLoginData.dat")));

  ddz::ProgramOptions options = shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data"}, 400);
  bool urlLoaded = false;
  std::vector<CardSeen> cards;
  bool pressed = false;
  bool dialogOpened = false;
  bool tableShown = false;
  options.pacer = [&](double) {
    if (!urlLoaded) {
      // The web messages read their address once per process; this test's
      // process may have read another one before.
      CompeteWebMsg::shareCompeteWebMsg()->LoadWebUrl();
      urlLoaded = true;
    }
    room.Serve();
    auto* list = dynamic_cast<CompeteRoomListLayer*>(GameSceneBase::m_pRoomList);
    if (!pressed && shelltest::EveryCardCounted(list)) {
      for (RoomInfoItem* card : list->GetRoomItems()) {
        CardSeen seen;
        seen.matchId = card->GetRoom()->m_iMatchId;
        for (cocos2d::Node* child : card->GetFeeNode()->getChildren()) {
          if (auto* label = dynamic_cast<cocos2d::Label*>(child)) seen.fee = label->getString();
        }
        seen.count = card->GetSignUpNumLabel()->getString();
        cards.push_back(seen);
      }
      // The scene's list opens the sign-up dialog of a touched row's match.
      list->OnListEvent(0, false);
      list->OnListEvent(0, true);
      SignUpLayer* dialog = SignUpLayer::shareSignUpLayer();
      dialogOpened = dialog->getParent() == list && dialog->GetRoom() == list->GetRoomItems().front()->GetRoom();
      dialog->removeFromParent();
      // A press on the first card's button.
      shelltest::TapCentre(list->GetRoomItems().front()->GetSignUpButton());
      pressed = true;
    }
    GameViewBase* view = GameSceneBase::m_pGameView;
    if (pressed && view != nullptr && view->isRunning() && room.ScriptDone()) tableShown = true;
    return 0.05f;
  };
  const std::string port = std::to_string(closedPort);
  const char* argv[] = {"ddz", "127.0.0.1", port.c_str(), "3", "0", "1", "42", "t0ken", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  EXPECT_TRUE(dialogOpened);
  ASSERT_EQ(cards.size(), 2u) << "one card per match, the room of match 102 listed twice";
  EXPECT_EQ(cards[0].matchId, kMatchA) << "sort key 1 first";
  EXPECT_EQ(cards[1].matchId, kMatchB);
  EXPECT_EQ(cards[0].fee, GameText(435)) << "the free daily entry";
  EXPECT_EQ(cards[1].fee, "x5000");
  for (const CardSeen& card : cards) EXPECT_EQ(card.count, ddz::FormatText(GameText(437), 120)) << card.matchId;
  EXPECT_TRUE(pressed);
  EXPECT_EQ(g_iCompeteEnterMode, 0) << "the sign-up road entered the match, the table sent the sign-up";
  ASSERT_EQ(room.requests.size(), 2u) << "one login and the sign-up, on the match's server";
  const std::int32_t signUp[2] = {DdzCompete::getInstance()->m_iSignUpFeeType, 200};
  EXPECT_EQ(room.requests[1], gamebase::BuildFrame(16, std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(signUp),
                                                                                 reinterpret_cast<const std::uint8_t*>(signUp) + 8)));
  EXPECT_EQ(room.mismatches, std::vector<std::string>{});
  gamebase::AuthenRequest auth;
  ASSERT_TRUE(gamebase::ReadAuthenRequest(room.requests[0].data(), static_cast<int>(room.requests[0].size()), auth));
  EXPECT_EQ(auth.userId, 42);
  EXPECT_STREQ(auth.token, "t0ken");
  EXPECT_EQ(auth.gameId, CompeteRoomListLayer::kGameID);
  EXPECT_TRUE(tableShown) << "the table on the stage after the login";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 20);
  EXPECT_FALSE(cocos2d::Log::contains("connecting to 127.0.0.1:" + port)) << "never the command line's server";
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }
  GameViewBase::GetMainSocket().DisconnectServer(0, false);
  GameLogicLayer::shareGameLogicLayer()->SetWebSignKey("");
  g_iCompeteEnterMode = 0;
  g_tLastSignUpNumReply = 0;
  CompeteRoomInfo::m_tLastRequestTime = 0;
  DdzCompete::getInstance()->Reset();
}

}  // namespace

namespace {

TEST(CompeteListProgram, TheBackKeyLeavesForTheClassicRoomList) {
  shelltest::ProgramRun run;
  ddz::test::TempDir folder;
  ASSERT_TRUE(shelltest::WriteCompeteLoginRecord(folder.file("MbUserLoginData.dat")));
  ddz::ProgramOptions options = shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data"}, 300);
  bool pressed = false;
  bool classicShown = false;
  options.pacer = [&](double) {
    RoomListLayer* list = GameSceneBase::m_pRoomList;
    if (!pressed && dynamic_cast<CompeteRoomListLayer*>(list) != nullptr && list->isRunning()) {
      list->onKeyPressed(cocos2d::EventKeyboard::KeyCode::KEY_BACK, nullptr);
      pressed = true;
    }
    if (pressed && list != nullptr && list->isRunning() && list->GetGameID() == 62) classicShown = true;
    return 0.05f;
  };
  const int port = ddz::test::FreeLoopbackPort();
  const std::string portText = std::to_string(port);
  const char* argv[] = {"ddz", "127.0.0.1", portText.c_str(), "3", "0", "1", "42", "t0ken", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(classicShown) << "the classic room list after the back key";
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }
}

}  // namespace
