#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "SceneTestSupport.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteMatchFile.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/GameResBase.h"
#include "shell/GameLoading.h"
#include "shell/LaunchCommandLine.h"
#include "variants/SRGameView.h"
#include "variants/SuperGameView.h"

namespace {

using scenetest::Journal;
using scenetest::RecordingView;
using scenetest::SceneTest;

// ---------------------------------------------------------------- command line

using ParseCommandLineTest = SceneTest;

TEST_F(ParseCommandLineTest, LoginRecordAndCommandLineFillTheGlobalRecord) {
  WriteLoginRecord(62, YndCodeConvert::U2g("单机玩家"), 300);
  QorvDDZGameScene* scene = NewScene();
  char line[] = "ddz 10.0.0.5 6001 7 3 1 0 tok3n 131072";
  const std::string hex = scene->ParseCommandLine(line);

  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  EXPECT_STREQ(info.szServerIP, "10.0.0.5");
  EXPECT_EQ(info.iServerPort, 6001);
  EXPECT_EQ(info.iServerID, 7);
  EXPECT_EQ(info.iLaunchParam4, 3);
  EXPECT_EQ(info.iNetFlag, 1);
  EXPECT_EQ(info.iUserID, 0);
  EXPECT_STREQ(info.szUserToken, "tok3n");
  EXPECT_EQ(info.iLobbyWnd, 131072u);
  EXPECT_EQ(g_hLobbyWnd, 131072u);

  // The record handed back carries the command line's user id and token and
  // the nickname in UTF-8, the room value cleared.
  const ddz::LoginRecord& record = scene->GetLoginRecord();
  EXPECT_EQ(hex, record.ToHex());
  EXPECT_EQ(record.GameKind(), 62);
  EXPECT_EQ(record.UserId(), 0);
  EXPECT_EQ(record.Token(), "tok3n");
  EXPECT_EQ(record.NickName(), "单机玩家");
  EXPECT_EQ(record.RoomValue(), 0);

  ASSERT_EQ(ddz::os::LobbyMessages().size(), 1u);
  EXPECT_EQ(ddz::os::LobbyMessages()[0], (ddz::os::LobbyMessage{131072, 0x46F, view->getNativeHandle(), 0, false}));
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 0);
}

TEST_F(ParseCommandLineTest, NineOrTenTokensAreAcceptedOtherCountsEndTheClient) {
  WriteLoginRecord(62);
  struct Case {
    const char* line;
    bool accepted;
  } cases[] = {
      {"ddz 1.2.3.4 1 2 3 4 5 t 9", true},
      {"ddz 1.2.3.4 1 2 3 4 5 t 9 extra/res", true},  // the launch's search path
      {"ddz 1.2.3.4 1 2 3 4 5 t", false},
      {"ddz", false},
      {"ddz 1.2.3.4 1 2 3 4 5 t 9 extra more", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ResetProcessState();
    cocos2d::Log::clear();
    QorvDDZGameScene* scene = NewScene();
    std::vector<char> line(c.line, c.line + std::strlen(c.line) + 1);
    const std::string hex = scene->ParseCommandLine(line.data());
    // The tokens that came are stored either way.
    EXPECT_STREQ(GameViewBase::m_GlobalInfo.szServerIP, std::strlen(c.line) > 4 ? "1.2.3.4" : "");
    const auto& boxes = cocos2d::Log::messageBoxes();
    if (c.accepted) {
      EXPECT_FALSE(hex.empty());
      EXPECT_EQ(ddz::os::LobbyMessages().size(), 1u);
      EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 0);
    } else {
      EXPECT_TRUE(hex.empty());
      EXPECT_TRUE(ddz::os::LobbyMessages().empty());
      EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
      ASSERT_FALSE(boxes.empty());
      const int count = static_cast<int>(ddz::SplitCommandLine(c.line).size());
      EXPECT_EQ(boxes.back().first, std::string("param error[") + c.line + "][" + std::to_string(count) + "]");
      EXPECT_EQ(boxes.back().second, " ");
    }
  }
}

TEST_F(ParseCommandLineTest, LongCommandLineErrorTextIsNotCutShort) {
  WriteLoginRecord(62);
  std::string text = "ddz 1.2.3.4 1 2 3 4 5 t 9 a b " + std::string(1100, 'x');
  QorvDDZGameScene* scene = NewScene();
  scene->ParseCommandLine(text.data());
  const auto& boxes = cocos2d::Log::messageBoxes();
  ASSERT_FALSE(boxes.empty());
  // The whole working copy (1,023 characters) and the count make the text.
  EXPECT_EQ(boxes.back().first, "param error[" + text.substr(0, 1023) + "][12]");
}

TEST_F(ParseCommandLineTest, OverlongAddressAndTokenAreCutInsideTheirFields) {
  WriteLoginRecord(62);
  QorvDDZGameScene* scene = NewScene();
  std::string line = "ddz 1." + std::string(98, '2') + " 1 2 3 4 5 " + std::string(100, 'k') + " 9";
  scene->ParseCommandLine(line.data());
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  EXPECT_EQ(std::string(info.szServerIP), "1." + std::string(17, '2'));
  EXPECT_EQ(std::string(info.szUserToken), std::string(19, 'k'));
  EXPECT_EQ(info.iServerPort, 1);  // the fields after them are intact
  EXPECT_EQ(info.iLobbyWnd, 9u);
  EXPECT_EQ(scene->GetLoginRecord().Token(), std::string(19, 'k'));
  EXPECT_TRUE(Logged("server address cut to 19 bytes"));
}

TEST_F(ParseCommandLineTest, NumbersBeyond32BitsSaturateWithOrWithoutALoginRecord) {
  for (const bool withRecord : {true, false}) {
    SCOPED_TRACE(withRecord ? "the scene's parse" : "the base's parse");
    ResetProcessState();
    std::remove(dir.file(ddz::kLoginRecordFile).c_str());
    if (withRecord) WriteLoginRecord(62);
    QorvDDZGameScene* scene = NewScene();
    char line[] = "ddz 10.0.0.5 4294967297 4294967297 -4294967297 4294967297 4294967297 t 4294967297";
    const std::string hex = scene->ParseCommandLine(line);
    const GlobalInfo& info = GameViewBase::m_GlobalInfo;
    EXPECT_EQ(info.iServerPort, 0xFFFF);
    EXPECT_EQ(info.iServerID, INT32_MAX);
    EXPECT_EQ(info.iLaunchParam4, INT32_MIN);
    EXPECT_EQ(info.iNetFlag, INT32_MAX);
    EXPECT_EQ(info.iUserID, INT32_MAX);
    EXPECT_EQ(info.iLobbyWnd, 1u);
    // The user id goes into the record handed back as it was read.
    EXPECT_EQ(hex.substr(16, 8), "FFFFFF7F") << hex.substr(0, 32);
  }
}

TEST_F(ParseCommandLineTest, WithoutALoginRecordTheBaseParses) {
  cocos2d::FileUtils::getInstance()->setSearchPaths({dir.path()});  // no record anywhere
  QorvDDZGameScene* scene = NewScene();
  char line[] = "ddz 1.2.3.4 1 2 3 4 42 t 9";
  const std::string hex = scene->ParseCommandLine(line);
  EXPECT_TRUE(Logged("QorvDDZGameScene ParseCommandLine Error"));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iUserID, 42);
  EXPECT_EQ(scene->GetLoginRecord().GameKind(), 0);  // the scene's record stays zero
  EXPECT_EQ(hex.size(), 248u);
  EXPECT_TRUE(ddz::os::LobbyMessages().empty());
}

// ---------------------------------------------------------------- views by game id

using GameViewByIdTest = SceneTest;

TEST_F(GameViewByIdTest, EachGameIdMakesItsViewAfterSettingTheViewType) {
  struct Case {
    int gameId;
    const char* cls;
    int viewType;
    int extraFlag;
  } cases[] = {
      {48, "SRGameView", 16, 0},   {52, "SuperGameView", 52, 0}, {237, "CompeteGameView", 237, 0},
      {62, "GameViewPC", 1, 2},    {19, "GameViewPC", 1, 2},     {0, "GameViewPC", 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gameId);
    ResetProcessState();
    g_iGameViewType = -1;
    QorvDDZGameScene* scene = NewScene();
    auto* loading = new GameLoading();
    GameViewBase* made = scene->CreateInstanceGameView(loading, c.gameId);
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(Journal().size(), 1u);
    EXPECT_EQ(Journal()[0].cls, c.cls);
    EXPECT_EQ(Journal()[0].viewType, c.viewType);  // already set inside the constructor
    EXPECT_EQ(Journal()[0].gameId, c.gameId);
    EXPECT_EQ(Journal()[0].loading, loading);
    EXPECT_EQ(g_iCurGameID, c.gameId);
    EXPECT_EQ(RoomListLayer::m_iExtraRoomInfoFlag, c.extraFlag);
    EXPECT_GT(g_vecSuperGameText.size(), 1u);
    made->release();
    loading->release();
  }
}

TEST_F(GameViewByIdTest, MissingViewClassesAreLoggedAndGiveNoView) {
  scenetest::RecordingScene::missing = {"CompeteGameView"};
  QorvDDZGameScene* scene = NewScene();
  EXPECT_EQ(scene->CreateInstanceGameView(nullptr, 237), nullptr);
  EXPECT_TRUE(Logged("CompeteGameView is not in this build"));
}

TEST_F(GameViewByIdTest, TheSuperGameIdMakesTheSuperTable) {
  scenetest::RecordingScene::missing = {"SuperGameView"};
  QorvDDZGameScene* scene = NewScene();
  GameViewBase* made = scene->CreateInstanceGameView(nullptr, 52);
  ASSERT_NE(dynamic_cast<SuperGameView*>(made), nullptr);
  EXPECT_EQ(made->GetPlayerCount(), 3);  // until message 61 names the mode
  EXPECT_EQ(g_iGameViewType, 52);
  made->release();
}

TEST_F(GameViewByIdTest, TheFourPlayerGameIdMakesTheFourPlayerTable) {
  scenetest::RecordingScene::missing = {"SRGameView"};
  QorvDDZGameScene* scene = NewScene();
  GameViewBase* made = scene->CreateInstanceGameView(nullptr, 48);
  ASSERT_NE(dynamic_cast<SRGameView*>(made), nullptr);
  EXPECT_EQ(made->GetPlayerCount(), 4);
  EXPECT_EQ(g_iGameViewType, 16);
  made->release();
}

TEST_F(GameViewByIdTest, TheSceneMakesTheTournamentTableForItsGameId) {
  auto* scene = new QorvDDZGameScene();
  scene->autorelease();
  GameViewBase* made = scene->CreateInstanceGameView(nullptr, ddz::kGameCompete);
  ASSERT_NE(dynamic_cast<CompeteGameView*>(made), nullptr);
  EXPECT_EQ(g_iGameViewType, ddz::kViewCompete);
  EXPECT_FALSE(Logged("CompeteGameView is not in this build"));
  made->release();
}

TEST_F(GameViewByIdTest, RoomListByGameId) {
  QorvDDZGameScene* scene = NewScene();
  for (int id : {237, 62, 48}) {
    RoomListLayer* list = scene->CreateRoom(id);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(static_cast<scenetest::RecordingRoomList*>(list)->gameId, id);
    list->release();
  }
  EXPECT_TRUE(Logged("CreateRoom GameID 237"));
  EXPECT_TRUE(Logged("CreateRoom end GameID 48"));
}

TEST_F(GameViewByIdTest, TheSceneMakesTheTournamentListForItsGameId) {
  scenetest::RecordingScene::missing = {"CompeteRoomListLayer"};
  QorvDDZGameScene* scene = NewScene();
  RoomListLayer* list = scene->CreateRoom(237);
  EXPECT_NE(dynamic_cast<CompeteRoomListLayer*>(list), nullptr);
  EXPECT_FALSE(Logged("CompeteRoomListLayer is not in this build"));
  if (list != nullptr) list->release();
}

TEST_F(GameViewByIdTest, TheTournamentListsMatchesComeFromTheMatchFile) {
  g_vcCompeteRoomTable.clear();
  QorvDDZGameScene* scene = NewScene();
  scene->CreateRoom(62)->release();
  EXPECT_TRUE(g_vcCompeteRoomTable.empty());
  scene->CreateRoom(237)->release();
  std::vector<int> ids;
  for (const CompeteMatchRecord& r : g_vcCompeteRoomTable) ids.push_back(r.iMatchId);
  EXPECT_EQ(ids, (std::vector<int>{101, 102, 103}));
  g_vcCompeteRoomTable.clear();
}

TEST_F(GameViewByIdTest, FrameIsAddedOnceAndTitledForTheClassicKind) {
  WriteLoginRecord(62);
  QorvDDZGameScene* scene = NewScene();
  char line[] = "ddz 1.2.3.4 1 2 3 4 0 t 9";
  scene->ParseCommandLine(line);
  for (int i = 0; i < 2; ++i) scene->CreateInstanceGameView(nullptr, 62)->release();
  PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrame();
  EXPECT_EQ(frame->getParent(), scene);
  EXPECT_EQ(frame->getLocalZOrder(), 9999999);
  EXPECT_EQ(frame->GetGameTitleAndVersion(), "斗地主 v1.0.0.2（V1.08）");

  // The close button: with no view on the stage the client ends.
  EXPECT_TRUE(frame->OnCloseBtnClick());
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);

  scene->GetLoginRecord().SetGameKind(48);
  scene->CreateInstanceGameView(nullptr, 48)->release();
  EXPECT_EQ(frame->GetGameTitleAndVersion(), "");
}

TEST(FrameTitle, FormatMustTakeExactlyThreeTextsAndFitsIn127Bytes) {
  cocos2d::Log::setEchoToStderr(false);
  const std::vector<std::string> saved = g_vecGameText;
  struct Case {
    std::string format;
    std::string want;
  } cases[] = {
      {"%s %s（%s）", "斗地主 v1.0.0.2（V1.08）"},
      {"%s-%s-%s", "斗地主-v1.0.0.2-V1.08"},
      {"%s %s", "斗地主 v1.0.0.2 V1.08"},          // too few conversions: the texts joined
      {"%s%s%s%n", "斗地主 v1.0.0.2 V1.08"},       // a write conversion is never formatted
      {"%d %s %s", "斗地主 v1.0.0.2 V1.08"},
      {std::string(200, 'x') + "%s%s%s", std::string(127, 'x')},
      {std::string(125, 'x') + "%s%s%s", std::string(125, 'x')},  // "斗" does not fit whole
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    g_vecGameText.assign(459, "");
    g_vecGameText[455] = "斗地主";
    g_vecGameText[458] = c.format;
    EXPECT_EQ(ddz::FrameTitleText(), c.want);
  }
  g_vecGameText = saved;
  cocos2d::Log::setEchoToStderr(true);
}

// ---------------------------------------------------------------- loading stages

TEST(LoadResStep, StagesByKindAndPercentage) {
  cocos2d::Log::setEchoToStderr(false);
  struct Case {
    int kind;
    int done;
    int next;
    std::vector<std::string> sheets;
  } cases[] = {
      {62, 0, 30,
       {"poker_magic_express.plist", "vellddz_res_tips.plist", "vellddz_res_btn.plist", "vellddz_res_activebtn.plist"}},
      {62, 30, 50, {"qorvddzpc_all_res.plist", "super_ddz_res_extra.plist", "cjddz_all_game_rule.plist"}},
      {62, 50, 80, {"CardLayer1.plist", "vellddz_res_buttomui.plist"}},
      {62, 80, 100, {"zuvoz_res_tips.plist", "qorvddz_enterCompete_res.plist"}},
      {52, 0, 100,
       {"poker_magic_express.plist", "vellddz_res_activebtn.plist", "vellddz_res_btn.plist",
        "super_ddz_res_extra.plist", "cjddz_all_game_rule.plist", "vellddz_res_tips.plist", "CardLayer1.plist",
        "vellddz_res_buttomui.plist", "qorvddz_enterCompete_res.plist"}},
      {62, 10, 100, {}},
      {52, 30, 100, {}},
      {48, 0, 100, {}},
      {237, 0, 100, {}},
      {0, 0, 100, {}},
  };
  // A layer that records the sheets it is asked for.
  struct SheetLayer : YndGameLayer {
    std::vector<std::string> asked;
  };
  // A cache made afresh reads the frame manifest through this test's (empty)
  // search paths, whatever an earlier test of the program loaded.
  cocos2d::SpriteFrameCache::destroyInstance();
  auto* scene = new scenetest::RecordingScene();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " at " + std::to_string(c.done));
    cocos2d::SpriteFrameCache::getInstance()->removeSpriteFrames();
    cocos2d::Log::clear();
    auto* layer = new YndGameLayer();
    EXPECT_EQ(scene->LoadResStep(layer, c.kind, c.done), c.next);
    std::vector<std::string> asked;
    for (const auto& line : cocos2d::Log::lines()) {
      const std::string prefix = "SpriteFrameCache: no sheet and no manifest entry for ";
      if (line.rfind(prefix, 0) == 0) asked.push_back(line.substr(prefix.size()));
    }
    EXPECT_EQ(asked, c.sheets);
    layer->release();
  }
  EXPECT_EQ(scene->LoadResStep(nullptr, 62, 0), 30);  // no layer: nothing to add to
  scene->release();
  cocos2d::Log::setEchoToStderr(true);
}

// ---------------------------------------------------------------- game kinds

using GameKindTest = SceneTest;

TEST_F(GameKindTest, ClientVersionAndSpecialEntryByKindAndMode) {
  struct Case {
    int kind;
    int mode;
    const char* version;
    int special;
  } cases[] = {
      {62, 8, "V1.08", 1}, {62, 7, "V1.08", 1}, {62, 0, "V1.07", 0}, {19, 3, "V1.07", 0},
      {48, 8, "V1.02", 1}, {52, 0, "V1.09", 1}, {237, 0, "V1.02", 1}, {99, 8, "V1.08", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " mode " + std::to_string(c.mode));
    ResetProcessState();
    WriteLoginRecord(c.kind);
    QorvDDZGameScene* scene = NewScene();
    char line[] = "ddz 1.2.3.4 1 2 3 4 0 t 9";
    scene->ParseCommandLine(line);
    GameSceneBase::m_pGameView = scene->CreateInstanceGameView(nullptr, c.kind);
    GameViewBase* before = GameSceneBase::m_pGameView;
    scene->EnterGameKind(c.kind, c.mode);
    EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, c.version);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iEnterMode, c.mode);
    EXPECT_EQ(GameSceneBase::m_pGameView, before);  // the view of the kind stays
    EXPECT_EQ(before->m_bSpecialEntry, c.special);
  }
}

TEST_F(GameKindTest, OnlyTheClassicKindsMakeAMissingView) {
  for (int kind : {62, 19, 21, 48, 52, 237}) {
    SCOPED_TRACE(kind);
    ResetProcessState();
    WriteLoginRecord(kind);
    QorvDDZGameScene* scene = NewScene();
    char line[] = "ddz 1.2.3.4 1 2 3 4 0 t 9";
    scene->ParseCommandLine(line);
    scene->EnterGameKind(kind, 8);
    const bool classic = kind == 62 || kind == 19 || kind == 21;
    EXPECT_EQ(GameSceneBase::m_pGameView != nullptr, classic);
    if (classic) {
      ASSERT_EQ(Journal().size(), 1u);
      EXPECT_EQ(Journal()[0].gameId, kind);  // made for the login record's kind
      EXPECT_EQ(Journal()[0].loading, nullptr);
    }
  }
}

TEST_F(GameKindTest, RoomValueOfSuperReplacesTheClassicView) {
  WriteLoginRecord(62);
  QorvDDZGameScene* scene = NewScene();
  char line[] = "ddz 1.2.3.4 1 2 3 4 0 t 9";
  scene->ParseCommandLine(line);
  GameSceneBase::m_pGameView = scene->CreateInstanceGameView(nullptr, 62);
  auto* list = new scenetest::RecordingRoomList(62);
  GameSceneBase::m_pRoomList = list;

  list->m_iCurRoomValue = 520100;  // a Super room
  scene->EnterGameKind(62, 0);
  ASSERT_EQ(Journal().size(), 2u);
  EXPECT_EQ(Journal()[1].cls, "SuperGameView");
  EXPECT_EQ(g_iCurGameID, 52);
  EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, "V1.09");

  list->m_iCurRoomValue = 520100;  // the same room again: the view stays
  scene->EnterGameKind(62, 0);
  EXPECT_EQ(Journal().size(), 2u);

  list->m_iCurRoomValue = 210300;  // back to a classic room: the record's kind
  scene->EnterGameKind(62, 8);
  ASSERT_EQ(Journal().size(), 3u);
  EXPECT_EQ(Journal()[2].cls, "GameViewPC");
  EXPECT_EQ(Journal()[2].gameId, 62);
  EXPECT_STREQ(GameViewBase::m_GlobalInfo.szClientVersion, "V1.08");

  scene->EnterGameKind(237, 0);  // other kinds never replace the view
  EXPECT_EQ(Journal().size(), 3u);
}

TEST_F(GameKindTest, SmallSlotsAnswerAsFixed) {
  QorvDDZGameScene* scene = NewScene();
  int kind = 22;
  EXPECT_EQ(scene->MapGameKind(&kind), &kind);
  EXPECT_EQ(kind, 62);
  EXPECT_EQ(g_bKind22Mapped, 1);
  kind = 48;
  scene->MapGameKind(&kind);
  EXPECT_EQ(kind, 48);
  EXPECT_EQ(g_bKind22Mapped, 0);
  EXPECT_EQ(scene->MapGameKind(nullptr), nullptr);

  for (int k : {19, 62}) {
    EXPECT_EQ(scene->CallBackGetExtraRoomInfoGameID1(k), 21);
    EXPECT_EQ(scene->CallBackGetExtraRoomInfoGameID2(k), 52);
  }
  EXPECT_EQ(scene->CallBackGetExtraRoomInfoGameID1(237), 0);
  EXPECT_EQ(scene->CallBackGetExtraRoomInfoGameID2(48), 0);
  EXPECT_TRUE(scene->IsGameId50(50));
  EXPECT_FALSE(scene->IsGameId50(62));
  EXPECT_EQ(scene->GetOptionalNode(scene), nullptr);
  EXPECT_EQ(scene->GetOptionalValue(1, 2), 0);
  EXPECT_TRUE(scene->GetOptionalFlag());
  EXPECT_FALSE(scene->CheckSingleIndependent(0));
  EXPECT_TRUE(Logged("CheckSingleIndependent single_independent[1]"));
  EXPECT_EQ(scene->m_bFreeFlag, 1);
}

// ---------------------------------------------------------------- quitting

using QuitTest = SceneTest;

TEST_F(QuitTest, ReportIsSentWhenBackToTheListAndPostedWhenTheClientEnds) {
  WriteLoginRecord(62, "Tom", 300);
  struct Case {
    bool back;
    bool posted;
  } cases[] = {{true, false}, {false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.back);
    ResetProcessState();
    QorvDDZGameScene* scene = NewScene();
    char line[] = "ddz 1.2.3.4 1 2 3 4 0 t 4660";
    scene->ParseCommandLine(line);
    ddz::os::ClearLobbyMessages();
    if (c.back) GameSceneBase::m_pRoomList = new scenetest::RecordingRoomList(62);  // somewhere to go back to
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.bQuitReport = 1;
    info.iMoney = 5000;
    info.iYuanBao = 120;
    info.iFeeType4Num = 7;
    scene->QuitGameView(c.back);
    EXPECT_EQ(ddz::os::LobbyMessages(),
              (std::vector<ddz::os::LobbyMessage>{{4660, 0x501, 5000, 120 - 300, c.posted},
                                                  {4660, 0x507, 7, 0, c.posted}}));
    EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), c.back ? 0 : 1);
    if (c.back) {
      EXPECT_EQ(GameSceneBase::m_pRoomList->getParent(), scene);  // the list is shown again
    }
  }
}

TEST_F(QuitTest, TheLibraryFlagFirstThenTheViewsDecide) {
  WriteLoginRecord(62);
  struct Case {
    int globalFlag;
    bool view;
    int viewFlag;
    bool reported;
  } cases[] = {
      {0, false, 0, false}, {1, false, 0, true}, {0, true, 0, false}, {0, true, 1, true}, {1, true, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.globalFlag) + std::to_string(c.view) + std::to_string(c.viewFlag));
    ResetProcessState();
    QorvDDZGameScene* scene = NewScene();
    GameViewBase::m_GlobalInfo.bQuitReport = static_cast<std::uint8_t>(c.globalFlag);
    if (c.view) {
      GameSceneBase::m_pGameView = scene->CreateInstanceGameView(nullptr, 62);
      GameSceneBase::m_pGameView->m_bQuitReport = static_cast<std::uint8_t>(c.viewFlag);
    }
    scene->QuitGameView(false);
    EXPECT_EQ(ddz::os::LobbyMessages().size(), c.reported ? 2u : 0u);
  }
}

// ---------------------------------------------------------------- background

using SceneSoundTest = SceneTest;

TEST_F(SceneSoundTest, BackgroundStopsSoundsForegroundRestartsSinglePlayerMusic) {
  // The table music calls of the sound recorder since the last look.
  auto musicStarted = [] {
    int started = 0;
    for (const auto& call : SoundManage::shareSoundManage()->GetCalls())
      if (call.op == SoundManage::Op::PlayMusic) ++started;
    SoundManage::shareSoundManage()->Reset();
    return started;
  };
  QorvDDZGameScene* scene = NewScene();
  GameSceneBase::m_pGameView = scene->CreateInstanceGameView(nullptr, 62);
  const int lockBefore = GameViewBase::m_iLockMainMsgCount;

  scene->GameEnterBackGround();
  const auto& calls = SoundManage::shareSoundManage()->GetCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].op, SoundManage::Op::StopMusic);
  EXPECT_EQ(calls[1].op, SoundManage::Op::StopAll);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, lockBefore + 1);  // the base told the view

  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  scene->GameEnterForeGround();
  EXPECT_EQ(musicStarted(), 0);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  scene->GameEnterForeGround();
  EXPECT_EQ(musicStarted(), 1);
}

}  // namespace
