#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/gamebase/GameResBase.h"
#include "platform/os/Random.h"
#include "platform/gamebase/GameText.h"
#include "support/LoopbackGameServer.h"

using gbtest::Msg;
using gbtest::RecordingView;
using Lines = std::vector<std::string>;

namespace {

// A view that builds its table when it enters, as the client's views do.
class EnteringView : public RecordingView {
 public:
  EnteringView(GameSceneBase* scene, YndLoadingBase* loading) : RecordingView(scene, loading) {}
  void onEnter() override {
    GameViewBase::onEnter();
    CallBackLoadingEnd();
  }
};

class RecordingLoading : public YndLoadingBase {
 public:
  explicit RecordingLoading(Lines* journal) : journal_(journal) {}
  void SetProNum(int percent) override {
    YndLoadingBase::SetProNum(percent);
    journal_->push_back("pro" + std::to_string(percent));
  }

 private:
  Lines* journal_;
};

// The client's scene as far as the drive needs it.
class TestScene : public GameSceneBase {
 public:
  YndLoadingBase* CreateLoadingView() override {
    journal.push_back("CreateLoadingView");
    return new RecordingLoading(&journal);
  }
  RoomListLayer* CreateRoom(int gameId) override {
    journal.push_back("CreateRoom" + std::to_string(gameId));
    return new RoomListLayer();
  }
  GameViewBase* CreateInstanceGameView(YndLoadingBase* loading, int gameId) override {
    journal.push_back("CreateInstanceGameView" + std::to_string(gameId) + (loading ? ".loading" : ""));
    view = new EnteringView(this, loading);
    return view;
  }
  int LoadResStep(YndGameLayer*, int kind, int percent) override {
    journal.push_back("step" + std::to_string(kind) + "." + std::to_string(percent));
    if (kind != 62) return 100;
    return percent == 0 ? 30 : percent == 30 ? 50 : percent == 50 ? 80 : 100;
  }
  void GameResLoadingEnd() override {
    GameSceneBase::GameResLoadingEnd();
    journal.push_back("GameResLoadingEnd");
    EnterGameKind(GetGameID(), 8);
    if (m_pGameView != nullptr) {
      m_pGameView->ClearDataBeforeEnter();
      m_pGameView->IniMainSocketAuthen();
    }
  }
  int* MapGameKind(int* kind) override {
    if (*kind == 22) *kind = 62;
    return kind;
  }
  void EnterGameKind(int kind, int mode) override {
    journal.push_back("EnterGameKind" + std::to_string(kind) + "." + std::to_string(mode) +
                      (view != nullptr && view->isRunning() ? ".shown" : ""));
    GameSceneBase::EnterGameKind(kind, mode);
  }

  Lines journal;
  EnteringView* view = nullptr;
};

class Drive : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data/"});
  }
  void TearDown() override {
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
    GamebaseTest::TearDown();
  }
  TestScene* Start(const std::string& commandLine) {
    ddz::os::SetCommandLineText(commandLine);
    auto* s = new TestScene();
    s->autorelease();
    director->replaceScene(s);
    tick();  // the scene takes over and starts the client
    return s;
  }
  static Lines Only(const Lines& journal, const std::string& prefix) {
    Lines out;
    for (const std::string& s : journal)
      if (s.rfind(prefix, 0) == 0) out.push_back(s);
    return out;
  }
  std::vector<std::string> savedPaths;
};

// ---------------------------------------------------------------- the command line

struct CommandLineCase {
  const char* commandLine;
  int userId;
  int playMode;
};

class CommandLine : public Drive, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLine, UserIdZeroMeansTheSinglePlayerGame) {
  const CommandLineCase& c = GetParam();
  Start(c.commandLine);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iUserID, c.userId);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iPlayMode, c.playMode);
  EXPECT_EQ(GameSceneBase::m_pRoomList == nullptr, c.playMode == 1) << "single-player has no room list";
}

INSTANTIATE_TEST_SUITE_P(
    Drive, CommandLine,
    ::testing::Values(CommandLineCase{"ddz.exe 127.0.0.1 1 3 0 1 0 token 4660", 0, 1},
                      CommandLineCase{"ddz.exe 127.0.0.1 1 3 0 1 777 token 4660", 777, 0},
                      CommandLineCase{"ddz.exe", 0, 1}));

TEST_F(Drive, TheFallbackParseFillsTheLoginFieldsAndCutsLongTexts) {
  Start("ddz.exe 192.168.100.200.300.400.5 6001 9 4 1 31 ABCDEFGHIJKLMNOPQRSTUVWXYZ 305419896");
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  EXPECT_STREQ(info.szServerIP, "192.168.100.200.300");  // 19 bytes and the terminator
  EXPECT_EQ(info.iServerPort, 6001);
  EXPECT_EQ(info.iServerID, 9);
  EXPECT_EQ(info.iLaunchParam4, 4);
  EXPECT_EQ(info.iNetFlag, 1);
  EXPECT_EQ(info.iUserID, 31);
  EXPECT_STREQ(info.szUserToken, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(info.iLobbyWnd, 305419896u);
  EXPECT_TRUE(GameSceneBase::m_pGameScene->CheckUserLoginDataForLoadView());
}

// ---------------------------------------------------------------- loading

TEST_F(Drive, LoadsInStagesThenShowsTheTableInSinglePlayer) {
  TestScene* s = Start("ddz.exe 127.0.0.1 1 3 0 1 0 token 4660");
  EXPECT_EQ(s->journal, (Lines{"CreateLoadingView", "CreateInstanceGameView62.loading"}));
  ASSERT_NE(GameSceneBase::m_pGameResBase, nullptr);
  tick(10);
  EXPECT_EQ(Only(s->journal, "step"), (Lines{"step62.0", "step62.30", "step62.50", "step62.80"}));
  EXPECT_EQ(Only(s->journal, "pro"), (Lines{"pro30", "pro50", "pro80", "pro100"}));
  EXPECT_EQ(GameSceneBase::m_pGameResBase, nullptr) << "the loading screen is gone";
  ASSERT_EQ(GameSceneBase::m_pGameView, s->view);
  EXPECT_TRUE(s->view->isRunning()) << "the table is shown without a room list";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iEnterMode, 8);
  // The view built its table (and its local server), then was logged in locally.
  EXPECT_EQ(s->view->journal, (Lines{"loadingEnd", "createServer", "authenInfo.user0.chair1", "authenOK"}));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 1);
}

TEST_F(Drive, NetworkPlayShowsTheRoomListAndItsLoginFailsVisibly) {
  // Nobody listens at that loopback port: the login fails at once.
  const std::string port = std::to_string(ddz::test::FreeLoopbackPort());
  TestScene* s = Start(("ddz.exe 127.0.0.1 " + port + " 3 0 1 777 token 4660").c_str());
  EXPECT_EQ(s->journal, (Lines{"CreateLoadingView", "CreateRoom62", "CreateInstanceGameView62.loading"}));
  tick(10);
  ASSERT_NE(GameSceneBase::m_pRoomList, nullptr);
  EXPECT_TRUE(GameSceneBase::m_pRoomList->isRunning());
  EXPECT_FALSE(s->view->isRunning());
  // A message box and a log line, never a success.
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), gamebase::GameText(GameViewBase::kTextNetLost));
  EXPECT_TRUE(box->isRunning()) << "shown where the player can see it";
  EXPECT_TRUE(cocos2d::Log::contains("OnNetConnectFailed: game server 127.0.0.1:" + port + " lost (1)"));
  EXPECT_EQ(Only(s->view->journal, "authen"), Lines{});
}

TEST_F(Drive, ARoomEnteredFromTheListSettlesTheGameKindThenShowsTheTableAndLogsIn) {
  const std::string port = std::to_string(ddz::test::FreeLoopbackPort());
  TestScene* s = Start(("ddz.exe 127.0.0.1 " + port + " 3 0 1 777 token 4660").c_str());
  tick(10);
  ASSERT_NE(GameSceneBase::m_pRoomList, nullptr);
  s->journal.clear();
  const std::string login = "IniMainSocketAuthen: connecting to 127.0.0.1:" + port;
  const std::size_t logins = cocos2d::Log::count(login);

  RoomItemInfo& room = RoomListLayer::AddRoom(62, RoomServerInfo(), RoomRuleInfo());
  GameSceneBase::m_pRoomList->onBtnEnterGame(&room);
  tick();
  // The kind is entered while the table is still off the stage; then it is shown and logs in.
  EXPECT_EQ(s->journal, Lines{"EnterGameKind62.0"});
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iEnterMode, RoomListLayer::kEnterModeRoomList);
  EXPECT_TRUE(s->view->isRunning());
  EXPECT_EQ(cocos2d::Log::count(login), logins + 1);
}

TEST_F(Drive, ALoadingStepThatDoesNotMoveOnEndsTheLoading) {
  class StuckScene : public TestScene {
    int LoadResStep(YndGameLayer*, int, int percent) override { return percent; }
  };
  ddz::os::SetCommandLineText("ddz.exe");
  auto* s = new StuckScene();
  s->autorelease();
  director->replaceScene(s);
  tick(3);
  EXPECT_TRUE(s->view->isRunning());
  EXPECT_TRUE(cocos2d::Log::contains("GameResBase: LoadResStep stayed at 0%, loading ends"));
}

TEST_F(Drive, QuittingTheSinglePlayerTableEndsTheClient) {
  TestScene* s = Start("ddz.exe");
  tick(10);
  s->view->QuitGame(nullptr);
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
}

// ---------------------------------------------------------------- the table

class SinglePlayer : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    gamebase::SetGameTextSource([](int n) { return "robot" + std::to_string(n); });
    view = RecordingView::create();
    scene->addChild(view);
    view->CallBackLoadingEnd();
    view->IniMainSocketAuthen();
    view->journal.clear();
  }
  RecordingView* view = nullptr;
};

TEST_F(SinglePlayer, TheSitSeatsThreePlayersThenStartsAHand) {
  ASSERT_NE(view->server, nullptr);
  view->SendSitReq();
  EXPECT_EQ(view->journal, (Lines{"join1", "join0", "join2", "server.StartGame"}));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iTableNum, 0);
  for (int seat = 0; seat < 3; ++seat) {
    ASSERT_NE(view->GetPlayerNode(seat), nullptr) << seat;
    EXPECT_EQ(view->GetPlayerNode(seat)->cChairID, seat) << "the seat of a chair is the chair";
  }
  EXPECT_EQ(view->GetPlayerNode(3), nullptr);
}

TEST_F(SinglePlayer, TheReadyRequestStartsTheNextHand) {
  view->SendSitReq();
  view->SendReadyReq();
  view->SendReadyReq();
  EXPECT_EQ(view->server->startGames, 3);
}

TEST_F(SinglePlayer, RequestsReachTheServersSecondSlotWithTypeAndLength) {
  gbtest::Bytes play(60, 0);
  play[8] = 0x23;
  play[28] = 1;
  view->SendMsgToMainSocket(play.data(), 24, 60);
  ASSERT_EQ(view->server->requests.size(), 1u);
  const gbtest::Bytes& got = view->server->requests[0];
  ASSERT_EQ(got.size(), 60u);
  EXPECT_EQ(got[1], 24);
  EXPECT_EQ(got[2] | (got[3] << 8), 60);
  EXPECT_EQ(got[8], 0x23);
  EXPECT_EQ(play[1], 0) << "the caller's buffer is left alone";

  // A request shorter than its header never reaches the server.
  view->SendMsgToMainSocket(play.data(), 24, 7);
  EXPECT_EQ(view->server->requests.size(), 1u);
}

TEST_F(SinglePlayer, TheComputerPlayersGetTwoDifferentNamesOfTheGameTexts) {
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  const std::vector<std::string> saved = files->getSearchPaths();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data/"});
  gamebase::SetGameTextSource(nullptr);  // the game text file itself
  std::set<std::string> robotNames;
  for (int i = 61; i <= 68; ++i) robotNames.insert(gamebase::GameText(i));
  ASSERT_EQ(robotNames.size(), 8u);

  ddz::os::ScriptedRandom random{7, 7};  // the same draw twice still gives two names
  ddz::os::ScopedRandomSource scoped(random);
  view->SendSitReq();
  const std::string left = YndCodeConvert::G2u(view->GetPlayerNode(0)->szNickName);
  const std::string right = YndCodeConvert::G2u(view->GetPlayerNode(2)->szNickName);
  EXPECT_TRUE(robotNames.count(left)) << left;
  EXPECT_TRUE(robotNames.count(right)) << right;
  EXPECT_NE(left, right);
  EXPECT_EQ(left, gamebase::GameText(61 + view->GetPlayerNode(0)->cHeadID)) << "the head id names the figure";
  files->setSearchPaths(saved);
}

TEST_F(SinglePlayer, TheViewOwnsItsServerAndTheLibraryOnlyBorrowsIt) {
  int destroyed = 0;
  {
    RecordingView* owner = RecordingView::create();
    owner->serverDestroyed = &destroyed;
    scene->addChild(owner);
    owner->CallBackLoadingEnd();
    owner->server->onStart = {Msg(71, 1), Msg(72, 2)};
    owner->SendSitReq();
    EXPECT_EQ(owner->GetSingleServer(), owner->server.get());
    owner->removeFromParent();
  }
  tick(3);  // the view goes with its queued messages; its server once
  EXPECT_EQ(destroyed, 1);
}

TEST_F(SinglePlayer, TheServerIsAskedForOnceAndAnotherTableIsANewSit) {
  view->CallBackLoadingEnd();
  view->IniMainSocketAuthen();  // a re-login
  EXPECT_EQ(view->journal, (Lines{"loadingEnd", "authenInfo.user0.chair1", "authenOK"}));
  view->journal.clear();
  view->SendEscapeReq(0);
  EXPECT_EQ(view->journal, (Lines{"join1", "join0", "join2", "server.StartGame"}));
  view->SendEscapeReq(98);  // no mini-game against the computer
  EXPECT_EQ(view->server->startGames, 1);
}

// ---------------------------------------------------------------- seats

struct SeatCase {
  int players;
  int ownChair;
};

class Seats : public gbtest::GamebaseTest, public ::testing::WithParamInterface<SeatCase> {};

TEST_P(Seats, EveryChairMapsToASeatAndBack) {
  const SeatCase& c = GetParam();
  RecordingView* view = RecordingView::create();
  view->SetPlayerCount(c.players);
  GameViewBase::m_GlobalInfo.iChairID = c.ownChair;
  std::set<int> seats;
  for (int chair = 0; chair < c.players; ++chair) {
    const int seat = view->GetTablePosByTableNumExtra(static_cast<char>(chair));
    ASSERT_GE(seat, 0);
    ASSERT_LT(seat, c.players);
    seats.insert(seat);
    EXPECT_EQ(view->GetTableNumByTablePos(seat), chair);
  }
  EXPECT_EQ(seats.size(), static_cast<std::size_t>(c.players));
  EXPECT_EQ(view->GetTablePosByTableNumExtra(static_cast<char>(c.ownChair)), 1) << "the own chair is seat 1";
  EXPECT_EQ(view->GetTablePosByTableNumExtra(static_cast<char>(c.players)), -1);
  EXPECT_EQ(view->GetTablePosByTableNumExtra(static_cast<char>(-1)), -1);
  EXPECT_EQ(view->GetTableNumByTablePos(c.players), -1);
}

INSTANTIATE_TEST_SUITE_P(Drive, Seats,
                         ::testing::Values(SeatCase{3, 1}, SeatCase{3, 0}, SeatCase{3, 2}, SeatCase{4, 3},
                                           SeatCase{4, 0}, SeatCase{2, 1}));

TEST_F(SinglePlayer, TheSinglePlayerSeatsAreTheChairs) {
  for (int chair = 0; chair < 3; ++chair) {
    EXPECT_EQ(view->GetTablePosByTableNumExtra(static_cast<char>(chair)), chair);
  }
}

TEST_F(SinglePlayer, ASitResultThatIsShortOrRefusedChangesNothing) {
  GameViewBase::m_GlobalInfo.iChairID = 1;
  char refused[GameViewBase::kSitResultSize] = {};
  refused[16] = 2;
  view->HandleSitRes(refused, sizeof(refused));
  EXPECT_TRUE(cocos2d::Log::contains("DebugMessageBox: sit down error"));
  char accepted[GameViewBase::kSitResultSize] = {};
  accepted[8] = 1;
  accepted[16] = 2;
  view->HandleSitRes(accepted, 19);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 1);
  view->HandleSitRes(accepted, sizeof(accepted));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 2);
}

}  // namespace
