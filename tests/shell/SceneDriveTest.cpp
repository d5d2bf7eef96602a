// The scene on the stage, driven by the game base frame by frame: the
// single-player start, the staged loading behind the loading screen, the
// login, the mode switch and the window frame's close button.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "SceneTestSupport.h"
#include "classic/BottomUIPC.h"
#include "classic/DDZPackLayer.h"
#include "classic/LastCardTipPC.h"
#include "classic/GameViewPC.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/GameResBase.h"
#include "shell/GameLoading.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/SetLayer.h"
#include "widgets/TalkLayer.h"

namespace {

using scenetest::Journal;
using scenetest::RecordingView;

class SceneDriveTest : public scenetest::SceneTest {
 protected:
  QorvDDZGameScene* Start(const char* commandLine = "ddz 127.0.0.1 0 0 0 0 0 offline 4660") {
    ddz::os::SetCommandLineText(commandLine);
    auto* scene = new scenetest::RecordingScene();
    scene->autorelease();
    director->runWithScene(scene);
    return scene;
  }
  static GameLoading* Loading() {
    return GameSceneBase::m_pGameResBase
               ? static_cast<GameLoading*>(GameSceneBase::m_pGameResBase->GetLoadingView())
               : nullptr;
  }
};

TEST_F(SceneDriveTest, SinglePlayerLoadsInStagesThenLogsInAtTheTable) {
  WriteLoginRecord(62, YndCodeConvert::U2g("单机玩家"));
  QorvDDZGameScene* scene = Start();

  // Start-up: the window reported, single-player, no room list, the classic
  // view made over the loading screen.
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iPlayMode, 1);
  EXPECT_EQ(GameSceneBase::m_pRoomList, nullptr);
  ASSERT_EQ(Journal().size(), 1u);
  EXPECT_EQ(Journal()[0].cls, "GameViewPC");
  ASSERT_NE(Loading(), nullptr);
  EXPECT_EQ(Journal()[0].loading, Loading());
  EXPECT_EQ(ddz::os::LobbyMessages().at(0).message, 0x46Fu);
  EXPECT_EQ(ddz::os::LobbyMessages().at(0).window, 4660u);
  EXPECT_EQ(PCBaseFrame::SharedPCBaseFrame()->GetGameTitleAndVersion(), "斗地主 v1.0.0.2（V1.08）");

  GameLoading* loading = Loading();
  std::vector<std::string> shown;
  for (int frame = 0; frame < 4; ++frame) {
    tick();
    shown.push_back(loading->GetPercentLabel() ? loading->GetPercentLabel()->getString() : "-");
  }
  // Each stage's percentage reached the screen; the last one ended the loading.
  EXPECT_EQ(shown, (std::vector<std::string>{"30%", "50%", "80%", "100%"}));
  EXPECT_EQ(GameSceneBase::m_pGameResBase, nullptr);

  auto* view = static_cast<RecordingView*>(GameSceneBase::m_pGameView);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->getParent(), scene);  // the table is shown without a room list
  EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, "V1.08");
  EXPECT_EQ(view->m_bSpecialEntry, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iEnterMode, 8);
  EXPECT_EQ(view->authenticated, 1);
  EXPECT_EQ(Journal().size(), 1u);  // loading end made no second view

  tick(0.1f, 3);  // the deferred removal of the loading screen runs
  EXPECT_EQ(loading->getParent(), nullptr);
}

TEST_F(SceneDriveTest, ModeSwitchRebuildsTheViewEveryTwoTenthsUntilOneExists) {
  WriteLoginRecord(62);
  QorvDDZGameScene* scene = Start();
  tick(0.1f, 6);
  auto* oldView = GameSceneBase::m_pGameView;
  ASSERT_NE(oldView, nullptr);
  ASSERT_EQ(oldView->getParent(), scene);
  oldView->retain();  // to look at it after the scene let it go

  // No tournament view yet: the retries go on every 0.2 s.
  scenetest::RecordingScene::missing = {"CompeteGameView"};
  RoomListLayer::m_vcExtraRoomInfoGameID = {21, 52};
  const std::uint64_t start = ddz::os::Clock().NowMs();
  scene->DestroyLayers(237);
  EXPECT_EQ(GameSceneBase::m_pGameView, nullptr);
  EXPECT_TRUE(RoomListLayer::m_vcExtraRoomInfoGameID.empty());
  EXPECT_EQ(scene->GetLoginRecord().GameKind(), 237);
  tick();
  EXPECT_EQ(oldView->getParent(), nullptr);  // left the stage through the deferred remover
  EXPECT_EQ(oldView->getReferenceCount(), 1u);  // and the scene holds no reference any more
  oldView->release();

  tick(0.1f, 4);
  EXPECT_EQ(cocos2d::Log::count("CreateInstanceGameView GameID 237"), 2u);  // at 0.2 s and 0.4 s

  scenetest::RecordingScene::missing.clear();
  Journal().clear();
  tick();
  ASSERT_EQ(Journal().size(), 1u);
  EXPECT_EQ(Journal()[0].cls, "CompeteGameView");
  EXPECT_EQ(Journal()[0].viewType, 237);
  EXPECT_EQ(Journal()[0].loading, nullptr);
  EXPECT_EQ(Journal()[0].atMs - start, 600u);

  // 0.2 s later the loading screen comes for the new kind, and the loading
  // of kind 237 ends at once.
  tick();
  EXPECT_FALSE(cocos2d::Log::contains("ShowGameNextFrame 0"));
  tick();
  EXPECT_TRUE(cocos2d::Log::contains("ShowGameNextFrame pLoadingView"));
  EXPECT_EQ(director->getProjection(), cocos2d::Director::Projection::_2D);
  ASSERT_NE(GameSceneBase::m_pGameResBase, nullptr);
  EXPECT_TRUE(RoomListLayer::m_vcExtraRoomInfoGameID.empty());  // kind 237 has no extra rooms
  tick(0.1f, 3);
  EXPECT_EQ(cocos2d::Log::count("ShowGameNextFrame 0"), 1u);  // it ran once
  EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, "V1.02");
  EXPECT_EQ(Journal().size(), 1u);
}

TEST_F(SceneDriveTest, ModeSwitchBackToClassicFetchesTheExtraRooms) {
  WriteLoginRecord(237);
  QorvDDZGameScene* scene = Start("ddz 127.0.0.1 0 0 0 0 9 offline 4660");  // network play
  tick(0.1f, 3);
  scene->DestroyLayers(62);
  tick(0.1f, 4);  // the view at 0.2 s, the loading screen at 0.4 s
  EXPECT_EQ(RoomListLayer::m_vcExtraRoomInfoGameID, (std::vector<int>{21, 52}));
  EXPECT_EQ(scene->GetExtraRoomGameIDs(), (std::vector<int>{21, 52}));
  EXPECT_EQ(g_iGameViewType, 1);
}

TEST_F(SceneDriveTest, ModeSwitchMakesTheRoomListOfTheNewKindAgain) {
  WriteLoginRecord(62);
  QorvDDZGameScene* scene = Start("ddz 127.0.0.1 0 0 0 0 9 offline 4660");  // network play
  tick(0.1f, 6);
  ASSERT_NE(GameSceneBase::m_pRoomList, nullptr);
  ASSERT_EQ(GameSceneBase::m_pRoomList->getParent(), scene);

  for (const int kind : {237, 62}) {
    SCOPED_TRACE(kind);
    scene->DestroyLayers(kind);
    EXPECT_EQ(GameSceneBase::m_pRoomList, nullptr);
    tick(0.1f, 10);  // the view, the loading screen, the loading
    auto* list = dynamic_cast<scenetest::RecordingRoomList*>(GameSceneBase::m_pRoomList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->gameId, kind);
    EXPECT_EQ(list->getParent(), scene);  // the list is shown, not the table
    ASSERT_NE(GameSceneBase::m_pGameView, nullptr);
    EXPECT_EQ(GameSceneBase::m_pGameView->getParent(), nullptr);
  }
}

// Network play: loading ends at the classic room list, then a room is entered.
class RoomEntryTest : public SceneDriveTest {
 protected:
  void SetUp() override {
    SceneDriveTest::SetUp();
    WriteLoginRecord(62);
    scene = Start("ddz 127.0.0.1 0 0 0 0 9 offline 4660");
    tick(0.1f, 6);
    ASSERT_NE(GameSceneBase::m_pRoomList, nullptr);
    classicView = GameSceneBase::m_pGameView;
    ASSERT_NE(classicView, nullptr);
    Journal().clear();
  }
  void Enter(int roomGameId, int roomClass) {
    RoomRuleInfo rule;
    rule.iRoomClass = roomClass;
    RoomItemInfo& room = RoomListLayer::AddRoom(roomGameId, RoomServerInfo(), rule);
    GameSceneBase::m_pRoomList->onBtnEnterGame(&room);
    tick();  // the room is entered on the next frame
  }
  // The network logins tried so far (each fails: port 0 is no server's).
  static std::size_t Logins() {
    std::size_t n = 0;
    for (const std::string& line : cocos2d::Log::lines())
      n += line.find("IniMainSocketAuthen: connecting to 127.0.0.1:0") != std::string::npos;
    return n;
  }
  QorvDDZGameScene* scene = nullptr;
  GameViewBase* classicView = nullptr;
};

TEST_F(RoomEntryTest, ASuperRoomOfTheClassicListGetsTheSuperViewOnTheStage) {
  classicView->retain();
  const std::size_t logins = Logins();
  Enter(52, 2);

  ASSERT_EQ(Journal().size(), 1u);
  EXPECT_EQ(Journal()[0].cls, "SuperGameView");
  EXPECT_EQ(Journal()[0].viewType, 52);
  auto* view = GameSceneBase::m_pGameView;
  ASSERT_NE(view, nullptr);
  EXPECT_NE(view, classicView);
  EXPECT_EQ(view->getParent(), scene);  // the new view is the one shown
  EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, "V1.09");
  EXPECT_EQ(view->m_bSpecialEntry, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iEnterMode, RoomListLayer::kEnterModeRoomList);
  EXPECT_EQ(Logins(), logins + 1);
  tick(0.1f, 2);
  EXPECT_EQ(GameSceneBase::m_pRoomList->getParent(), nullptr);
  EXPECT_EQ(classicView->getReferenceCount(), 1u);  // the scene let the classic view go
  classicView->release();
}

TEST_F(RoomEntryTest, AClassicRoomKeepsTheViewAsAnOrdinaryEntry) {
  Enter(62, 0);
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(GameSceneBase::m_pGameView, classicView);
  EXPECT_EQ(classicView->getParent(), scene);
  EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, "V1.07");
  EXPECT_EQ(classicView->m_bSpecialEntry, 0);
}

TEST_F(SceneDriveTest, CloseButtonAsksTheRunningViewElseEndsTheClient) {
  WriteLoginRecord(62);
  const std::vector<GameViewBase*>& asked = scenetest::QuitQuestions();
  Start();
  PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrame();

  EXPECT_TRUE(frame->OnCloseBtnClick());  // loading: the view is not on the stage yet
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);

  tick(0.1f, 4);
  EXPECT_TRUE(frame->OnCloseBtnClick());
  EXPECT_EQ(asked, std::vector<GameViewBase*>{GameSceneBase::m_pGameView});
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
}

// The back key through the window: each press closes the table's panel drawn
// on top (the one on the higher layer, else the one opened last), whichever
// kind it is; with none open it asks the quit question, and the next press
// cancels that.
TEST_F(SceneDriveTest, TheBackKeyClosesThePanelOnTopOneAPressThenAsksToQuit) {
  WriteLoginRecord(62);
  scenetest::RecordingScene::missing = {"GameViewPC"};  // the real classic table
  // A cache made afresh reads the frame manifest through this test's search
  // paths (the last round's cards are drawn from it), whatever an earlier
  // test of the program left.
  cocos2d::SpriteFrameCache::destroyInstance();
  Start();
  tick(0.1f, 6);
  auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(table->isRunning());
  BottomUIPC* bar = table->m_pBottomUIPC;
  ASSERT_NE(bar, nullptr);
  table->m_TableItem.iLastOutCard[0][0] = 3;  // a last round to show

  enum Kind { kSettings, kPack, kChat, kCounter, kLastRound, kRules, kInfo };
  struct Panel {
    const char* name;
    std::function<void()> open;
    std::function<cocos2d::Node*()> node;
  };
  const Panel panels[] = {
      {"settings", [&] { bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelSettings)); },
       [] { return static_cast<cocos2d::Node*>(SetLayer::sharedIfAny()); }},
      {"backpack", [&] { bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelPack)); },
       [&] { return static_cast<cocos2d::Node*>(bar->GetPackLayer()); }},
      {"chat", [&] { bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelTalk)); },
       [&] { return static_cast<cocos2d::Node*>(bar->GetTalkLayer()); }},
      {"card counter", [&] { bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelCounter)); },
       [&] { return static_cast<cocos2d::Node*>(bar->m_pCardCounter); }},
      {"last round", [&] { bar->OnQuickBtnClick(bar->GetQuickButton(BottomUIPC::kQuickLastRound)); },
       [&] { return static_cast<cocos2d::Node*>(bar->m_pLastCardTip); }},
      {"rules", [&] { table->OpenGameRule(); }, [] { return static_cast<cocos2d::Node*>(GameViewPC::SharedGameRule()); }},
      {"info popup", [&] { table->m_pOtherPlayerInfo[0]->ShowInfo(true); },
       [&] { return static_cast<cocos2d::Node*>(table->m_pOtherPlayerInfo[0]); }},
  };
  const auto isOpen = [&](Kind k) {
    cocos2d::Node* node = panels[k].node();
    return node != nullptr && node->isRunning() && node->isVisible();
  };
  const auto escape = [&] {
    view->keyPressed(cocos2d::EventKeyboard::KeyCode::KEY_ESCAPE);
    view->keyReleased(cocos2d::EventKeyboard::KeyCode::KEY_ESCAPE);
    tick(0.1f, 2);  // the deferred removals run
  };
  struct Case {
    const char* what;
    std::vector<Kind> opened;  // in this order
    std::vector<Kind> closes;  // one per press, in this order
  } const cases[] = {
      {"the last round alone", {kLastRound}, {kLastRound}},
      {"the card counter alone", {kCounter}, {kCounter}},
      {"the counter opened after the settings", {kSettings, kCounter}, {kCounter, kSettings}},
      {"the backpack opened after the counter", {kCounter, kPack}, {kPack, kCounter}},
      {"the last round stands over the settings opened after it", {kLastRound, kSettings}, {kLastRound, kSettings}},
      {"the rules over the counter", {kCounter, kRules}, {kRules, kCounter}},
      {"the rules over the last round", {kRules, kLastRound}, {kRules, kLastRound}},
      {"the chat over another player's info", {kInfo, kChat}, {kChat, kInfo}},
  };
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ddz::os::Clock().AdvanceMs(1000);  // past the chat button's click gap
    for (Kind k : c.opened) {
      panels[k].open();
      tick(0.1f, 1);
      ASSERT_TRUE(isOpen(k)) << panels[k].name;
    }
    std::vector<Kind> stillOpen = c.opened;
    for (Kind k : c.closes) {
      escape();
      EXPECT_FALSE(box->IsOpen()) << "the quit question over the " << panels[k].name;
      EXPECT_FALSE(isOpen(k)) << panels[k].name << " stays";
      stillOpen.erase(std::find(stillOpen.begin(), stillOpen.end(), k));
      for (Kind other : stillOpen) EXPECT_TRUE(isOpen(other)) << panels[other].name << " closed with it";
    }
    escape();
    EXPECT_TRUE(box->IsOpen()) << "no quit question with every panel closed";
    escape();
    EXPECT_FALSE(box->IsOpen()) << "the back key cancels the quit question";
  }
}

TEST_F(SceneDriveTest, TenTokensStartAndAWrongCountEndsTheClient) {
  WriteLoginRecord(62);
  Start("ddz 127.0.0.1 0 0 0 0 0 offline 4660 extra/res");
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 0);
  director->reset();

  ResetProcessState();
  QorvDDZGameScene* scene = Start("ddz 127.0.0.1 0 0 0 0 0 offline");
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
  EXPECT_EQ(cocos2d::Log::messageBoxes().back().first, "param error[ddz 127.0.0.1 0 0 0 0 0 offline][8]");
  // Start-up stops there: no loading screen, room list or view, nothing to the lobby.
  tick(0.1f, 5);
  EXPECT_EQ(scene->GetLoadingView(), nullptr);
  EXPECT_EQ(GameSceneBase::m_pGameResBase, nullptr);
  EXPECT_EQ(GameSceneBase::m_pRoomList, nullptr);
  EXPECT_EQ(GameSceneBase::m_pGameView, nullptr);
  EXPECT_TRUE(Journal().empty());
  EXPECT_TRUE(ddz::os::LobbyMessages().empty());
}

}  // namespace
