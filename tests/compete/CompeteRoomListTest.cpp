// The tournament list: which matches become cards and in what order, the
// sign-up counts and the user record from the loopback web server, entering
// a match room, the award screen's question, and what onEnter signs up for.
#include <gtest/gtest.h>

extern "C" {
#include <lua.h>
}
#include <tolua++.h>

#include "CompeteListTestSupport.h"
#include "platform/engine/GLView.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/gamebase/GamebaseLuaRegister.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Random.h"
#include "support/LocalTime.h"
#include "support/LuaRecords.h"

namespace {

using ddz::test::CompeteListFixture;
using ddz::test::IntBytes;
using ddz::test::MatchRoom;
using ddz::test::UsableMatch;
using ddz::test::WebAnswer;
using ddz::test::WebReply;

std::string SignUpCountReply(int count, int matchId) { return WebReply('S', IntBytes({count, matchId})); }

// ---------------------------------------------------------------- the list build

class CompeteListBuild : public CompeteListFixture {};

TEST_F(CompeteListBuild, OneCardPerMatchFirstEntryWinsOrderedBySortKey) {
  for (int id : {1, 2, 3}) g_vcCompeteRoomTable.push_back(UsableMatch(id));
  RoomRuleInfo classic;
  classic.iRoomClass = 2;  // a classic room whose class is a match id: never a card
  RoomListLayer::AddRoom(62, RoomServerInfo(), classic);
  AddMatchRoom({.matchId = 3, .sortKey = 1, .serverId = 30});
  AddMatchRoom({.matchId = 1, .sortKey = 3, .serverId = 10});
  AddMatchRoom({.matchId = 3, .sortKey = 0, .serverId = 31});  // the same match again: no card
  AddMatchRoom({.matchId = 2, .sortKey = 2, .serverId = 20});
  AddMatchRoom({.matchId = 9, .sortKey = 0, .serverId = 90});  // no match record: no card
  EnterList();
  EXPECT_EQ(CardMatchIds(), (std::vector<int>{3, 2, 1})) << "sort keys 1, 2, 3";
  ASSERT_EQ(list->GetCompeteRooms().size(), 3u);
  EXPECT_EQ(list->GetCompeteRooms()[0].m_RoomItem.pServerInfo->iServerID, 30) << "the first entry of match 3";
  EXPECT_EQ(list->GetCompeteRooms()[1].m_RoomItem.pServerInfo->iServerID, 20) << "the tournament's room of match 2";
  for (RoomInfoItem* card : list->GetRoomItems()) EXPECT_TRUE(card->isRunning());
  ASSERT_NE(list->GetListView(), nullptr);
  EXPECT_EQ(list->GetListView()->getItems().size(), 3u);
}

TEST_F(CompeteListBuild, AMatchRecordThatIsNotUsableGivesNoCard) {
  CompeteMatchRecord noAwards = UsableMatch(4);
  ddz::test::PutText(noAwards.szAwards, "");
  g_vcCompeteRoomTable = {noAwards, UsableMatch(5)};
  AddMatchRoom({.matchId = 4});
  AddMatchRoom({.matchId = 5});
  EnterList();
  EXPECT_EQ(CardMatchIds(), std::vector<int>{5});
}

TEST_F(CompeteListBuild, SignUpCountsAreAskedAtMostEveryFiveMinutesWhileRepliesCome) {
  g_vcCompeteRoomTable = {UsableMatch(5)};
  AddMatchRoom({.matchId = 5});
  server.SetDefaultAnswer(WebAnswer::Ok(SignUpCountReply(3, 5)));
  EnterList();
  ASSERT_TRUE(StepUntil([&] { return g_tLastSignUpNumReply != 0; }));
  EXPECT_EQ(SignUpCountRequests(), std::vector<int>{5});

  ddz::os::Clock().SetWallTimeSeconds(g_tLastSignUpNumReply + 300);
  list->BuildRoomBtns();
  ASSERT_TRUE(StepUntil([&] { return Outstanding() == 0; }));
  EXPECT_EQ(SignUpCountRequests(), std::vector<int>{5}) << "300 s after the reply: not yet";

  const std::int32_t stamped = g_tLastSignUpNumReply;
  ddz::os::Clock().SetWallTimeSeconds(stamped + 301);
  list->BuildRoomBtns();
  ASSERT_TRUE(StepUntil([&] { return g_tLastSignUpNumReply > stamped; }));
  EXPECT_EQ(SignUpCountRequests(), (std::vector<int>{5, 5}));
  EXPECT_EQ(CardMatchIds(), std::vector<int>{5}) << "a build on the stage brings the cards back";
  EXPECT_TRUE(list->GetRoomItems().front()->isRunning());
}

// ---------------------------------------------------------------- web replies

class CompeteListReplies : public CompeteListFixture {
 protected:
  // Two matches on the stage; the sign-up counts are not due.
  void EnterTwoMatches() {
    CompeteMatchRecord five = UsableMatch(5);
    CompeteMatchRecord six = UsableMatch(6);
    ddz::test::PutText(six.szFees, "3-10;1-5000");
    g_vcCompeteRoomTable = {five, six};
    AddMatchRoom({.matchId = 5, .sortKey = 1});
    AddMatchRoom({.matchId = 6, .sortKey = 2});
    g_tLastSignUpNumReply = ddz::CompeteTimeNow();
    EnterList();
    ASSERT_TRUE(StepUntil([&] { return Outstanding() == 0; }));  // the 20035 of the entry, answered by nothing
  }
  RoomInfoItem* Card(int i) const { return list->GetRoomItems().at(static_cast<std::size_t>(i)); }
  // Asks the server once more (20036 for every match) and steps until its answer is in.
  void AskSignUpCounts() {
    const std::size_t before = server.Requests().size();
    g_tLastSignUpNumReply = 0;
    list->BuildRoomBtns();
    ASSERT_TRUE(StepUntil([&] { return server.Requests().size() >= before + 2 && Outstanding() == 0; }));
  }
};

TEST_F(CompeteListReplies, ASignUpCountShowsItsNumberOnTheMatchsCard) {
  EnterTwoMatches();
  server.Script({WebAnswer::Ok(SignUpCountReply(17, 5)), WebAnswer::Ok(SignUpCountReply(17, 5))});
  AskSignUpCounts();
  EXPECT_EQ(Card(0)->GetRoom()->m_iShowSignUpNum, 120);
  EXPECT_EQ(Card(0)->GetSignUpNumLabel()->getString(), ddz::FormatText(GameText(437), 120));
  EXPECT_EQ(Card(1)->GetSignUpNumLabel()->getString(), "") << "match 6 has no count";
  EXPECT_EQ(g_vcCompeteRoomTable[0].iSignUpNum, 17);
  EXPECT_EQ(g_vcCompeteRoomTable[1].iSignUpNum, 0);
}

TEST_F(CompeteListReplies, AUserRecordChoosesEveryCardsFeeAgain) {
  GameViewBase::m_GlobalInfo.iMoney = 6000;
  EnterTwoMatches();
  EXPECT_EQ(Card(1)->GetRoom()->m_iFeeType, 1) << "no prize holdings yet: coins";
  CompeteUserRecord record{};
  record.iPrizeHold88 = 8;
  record.iPrizeHold89 = 2;
  record.tServerTime = ddz::CompeteTimeNow();
  record.tRecordDate = record.tServerTime;
  const std::string payload(reinterpret_cast<const char*>(&record), sizeof record);
  server.Script({WebAnswer::Ok(WebReply('S', payload))});
  CompeteRoomInfo::RequestCompeteRoomInfo(false, list, true);
  ASSERT_TRUE(StepUntil([&] { return Card(1)->GetRoom()->m_iFeeType == 3; }));
  EXPECT_EQ(Card(1)->GetRoom()->m_iFeeNum, 10);
  EXPECT_EQ(list->GetNumLabel(2)->getString(), "10") << "the prize holdings in the header";
  EXPECT_EQ(list->GetNumLabel(0)->getString(), "6000");
}

TEST_F(CompeteListReplies, ShortFailedAndRefusedRepliesChangeNothing) {
  EnterTwoMatches();
  const std::string longCount = SignUpCountReply(17, 5);
  struct Case {
    const char* what;
    WebAnswer answer;
  };
  const Case cases[] = {
      {"one byte short", WebAnswer::Ok(longCount.substr(0, longCount.size() - 1))},
      {"not 'S'", WebAnswer::Ok(WebReply('F', IntBytes({17, 5})))},
      {"HTTP error", WebAnswer::Status(500, longCount)},
      {"hung up", WebAnswer::HangUp()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    server.Script({c.answer, c.answer});
    AskSignUpCounts();
    EXPECT_EQ(g_tLastSignUpNumReply, 0) << "no reply accepted";
    EXPECT_EQ(Card(0)->GetRoom()->m_iShowSignUpNum, 0);
    EXPECT_EQ(g_vcCompeteRoomTable[0].iSignUpNum, 0);
  }
  // A user record one byte short leaves the record and the fees alone.
  const int feeBefore = Card(1)->GetRoom()->m_iFeeType;
  CompeteUserRecord record{};
  record.iPrizeHold88 = 10;
  const std::string payload(reinterpret_cast<const char*>(&record), sizeof record - 1);
  server.Script({WebAnswer::Ok(WebReply('S', payload))});
  const std::size_t before = server.Requests().size();
  CompeteRoomInfo::RequestCompeteRoomInfo(false, list, true);
  ASSERT_TRUE(StepUntil([&] { return server.Requests().size() > before && Outstanding() == 0; }));
  EXPECT_EQ(Compete().m_UserRecord.iPrizeHold88, 0);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iPrizeHold88, 0);
  EXPECT_EQ(Card(1)->GetRoom()->m_iFeeType, feeBefore);
}

// ---------------------------------------------------------------- entering a match room

class CompeteEnterRoom : public CompeteListFixture {
 protected:
  std::size_t UserRecordRequests() const {
    std::size_t n = 0;
    for (const std::string& frame : Frames()) n += ddz::test::IntAt(frame, 32) == CompeteWebMsg::kMsgCompeteRoomInfo;
    return n;
  }
  void SetUp() override {
    CompeteListFixture::SetUp();
    g_vcCompeteRoomTable = {UsableMatch(5)};
    g_tLastSignUpNumReply = ddz::CompeteTimeNow();
  }
  RoomItemInfo* Listed() { return &list->GetCompeteRooms().front().m_RoomItem; }
};

TEST_F(CompeteEnterRoom, WhatTheEntryEndsIn) {
  enum class End { Entered, NoRoom, AskBox, Shop };
  struct Case {
    const char* what;
    int feeKind;
    int money;
    MatchRoom room;
    End end;
  };
  const Case cases[] = {
      {"fits", 1, 500, {.minMoney = 100, .maxMoney = 1000}, End::Entered},
      {"no open room", 1, 500, {.startHour = 0, .hours = 0}, End::NoRoom},
      {"coins at the maximum", 1, 1000, {.minMoney = 100, .maxMoney = 1000}, End::AskBox},
      {"coins below the minimum", 1, 99, {.minMoney = 100, .maxMoney = 1000}, End::Shop},
      {"yuanbao pays: the coins do not matter", 2, 5000, {.minMoney = 100, .maxMoney = 1000}, End::Entered},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetGlobals();
    g_vcCompeteRoomTable = {UsableMatch(5)};
    MatchRoom room = c.room;
    room.serverId = 77;
    AddMatchRoom(room);
    EnterList();
    Compete().m_iSignUpFeeType = c.feeKind;
    GameViewBase::m_GlobalInfo.iMoney = c.money;
    GameViewBase::m_GlobalInfo.iServerID = 0;
    cocos2d::Log::clear();

    list->EnterCompeteRoom(Listed());
    director->mainLoop(1.0f / 60);
    director->mainLoop(1.0f / 60);
    const bool entered = cocos2d::Log::contains("EnterGame: no game scene");
    EXPECT_EQ(entered, c.end == End::Entered);
    EXPECT_EQ(g_iCompeteEnterMode, c.end == End::Entered ? 1 : 0);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, c.end == End::Entered ? 77 : 0);
    EXPECT_EQ(LobbyNewVacLayer::Openings().size(), c.end == End::Shop ? 1u : 0u);
    switch (c.end) {
      case End::Entered:
        EXPECT_EQ(Box()->GetType(), 3);
        EXPECT_EQ(Box()->GetText(), "正在进入，请稍候……");
        break;
      case End::NoRoom: EXPECT_EQ(Box()->GetText(), "authen error[127]"); break;
      case End::AskBox:
        EXPECT_EQ(Box()->GetType(), 11);
        EXPECT_EQ(Box()->GetConfirmAction(), static_cast<cocos2d::SEL_MenuHandler>(&RoomListLayer::CallBackAutoGame));
        break;
      case End::Shop: EXPECT_EQ(LobbyNewVacLayer::Openings().front().money, 99); break;
    }
    list->removeFromParent();
    list = nullptr;
  }
}

TEST_F(CompeteEnterRoom, ThreeFittingRoomsArePickedByRandModThree) {
  AddMatchRoom({.serverId = 71});
  AddMatchRoom({.serverId = 72});
  AddMatchRoom({.serverId = 73});
  AddMatchRoom({.matchId = 6, .serverId = 80});  // another match's room is never picked
  EnterList();
  for (const auto& [drawn, server] : std::vector<std::pair<int, int>>{{0, 71}, {4, 72}, {8, 73}, {9, 71}}) {
    ddz::os::ScriptedRandom random{drawn};
    ddz::os::ScopedRandomSource use(random);
    list->EnterCompeteRoom(Listed());
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, server) << "rand() = " << drawn;
  }
}

TEST_F(CompeteEnterRoom, ScriptHandler19AnsweringNonZeroKeepsTheRoomFromBeingEntered) {
  AddMatchRoom({.serverId = 71});
  EnterList();
  cocos2d::LuaEngine* engine = cocos2d::LuaEngine::getInstance();
  cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
  lua_State* L = engine->getLuaStack()->getLuaState();
  lua_getfield(L, LUA_GLOBALSINDEX, "_G");
  register_all_gamebase(L);
  lua_settop(L, 0);
  ASSERT_EQ(engine->executeString(R"(
    seen = {}
    answer = 1
    function onEnterRoom(room) seen[#seen + 1] = tolua.type(room) return answer end
  )"),
            0);
  lua_getglobal(L, "onEnterRoom");
  list->RegisterLuaHandler(CompeteRoomListLayer::kLuaEnterRoom, toluafix_ref_function(L, lua_gettop(L), 0));
  lua_settop(L, 0);

  list->EnterCompeteRoom(Listed());
  EXPECT_EQ(ddz::test::TakeLuaStrings(engine, "seen"), std::vector<std::string>{"gamebase.RoomItemInfoDef"});
  EXPECT_EQ(g_iCompeteEnterMode, 0);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 0);
  EXPECT_EQ(Box()->GetShowCount(), 0);

  engine->executeString("answer = 0");
  list->EnterCompeteRoom(Listed());
  EXPECT_EQ(g_iCompeteEnterMode, 1) << "0 lets the entry go on";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 71);
  list->removeFromParent();
  list = nullptr;
  cocos2d::LuaEngine::destroyInstance();
}

// ---------------------------------------------------------------- the award screen's question

TEST_F(CompeteEnterRoom, FindCompeteRoomAnswers) {
  struct Case {
    const char* what;
    int runningMatch;
    int lastFeeKind;
    int money;
    int yuanbao;
    int answer;
    int feeNum;
  };
  // UsableMatch offers 2-100;1-5000.
  const Case cases[] = {
      {"not listed", 6, 1, 9000, 0, CompeteRoomListLayer::kFindNoMatch, -1},
      {"the last fee can be paid", 5, 1, 5000, 0, CompeteRoomListLayer::kFindLastFeePayable, -1},
      {"no fee can be paid", 5, 1, 4999, 99, CompeteRoomListLayer::kFindNoFeePayable, -1},
      {"another fee is chosen", 5, 1, 0, 100, 2, 100},
  };
  AddMatchRoom({});
  EnterList();
  server.SetDefaultAnswer(WebAnswer::Status(500));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchId = c.runningMatch;
    Compete().m_iSignUpFeeType = c.lastFeeKind;
    GameViewBase::m_GlobalInfo.iMoney = c.money;
    GameViewBase::m_GlobalInfo.iYuanBao = c.yuanbao;
    int feeNum = -1;
    const std::size_t asked = UserRecordRequests();
    EXPECT_EQ(list->FindCompeteRoom(&feeNum), c.answer);
    EXPECT_EQ(feeNum, c.feeNum);
    EXPECT_EQ(UserRecordRequests(), asked + 1) << "the user record is asked for at every question, due or not";
  }
}

// The quick-start question of a user paying with coins who holds the room's
// maximum: its OK signs up for the first listed match whose room fits the
// coins and is open now.
TEST_F(CompeteEnterRoom, TheQuickStartQuestionsOkSignsUpForTheFirstOpenMatchThatFitsTheCoins) {
  g_vcCompeteRoomTable = {UsableMatch(5), UsableMatch(6), UsableMatch(7), UsableMatch(8)};
  AddMatchRoom({.matchId = 5, .sortKey = 1, .serverId = 51, .maxMoney = 1000});
  AddMatchRoom({.matchId = 6, .sortKey = 2, .serverId = 61, .maxMoney = 100000, .hours = 0});  // closed
  AddMatchRoom({.matchId = 7, .sortKey = 3, .serverId = 71, .maxMoney = 100000});
  AddMatchRoom({.matchId = 8, .sortKey = 4, .serverId = 81, .maxMoney = 100000});
  GameViewBase::m_GlobalInfo.iMoney = 5000;  // pays the 5000 coins of kind 1
  CompeteRoomInfo::m_tLastRequestTime = ddz::CompeteTimeNow();  // the roads' refreshes are not due
  EnterList();
  ASSERT_EQ(list->GetRoomItems().size(), 4u);
  list->GetRoomItems()[0]->OnClickSignUp(nullptr);
  ASSERT_EQ(Box()->GetType(), 11);
  EXPECT_EQ(g_iCompeteEnterMode, 0);
  ASSERT_TRUE(Box()->PressConfirm());
  EXPECT_EQ(g_iCompeteEnterMode, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 71) << "match 6 is closed; match 7 fits and is open";
  EXPECT_EQ(Compete().m_iSignUpFeeType, 1);
}

// ---------------------------------------------------------------- entering the list

class CompeteListEnter : public CompeteListFixture {
 protected:
  void SetUp() override {
    CompeteListFixture::SetUp();
    g_vcCompeteRoomTable = {UsableMatch(5), UsableMatch(6)};
    AddMatchRoom({.matchId = 5, .sortKey = 1, .serverId = 51});
    AddMatchRoom({.matchId = 6, .sortKey = 2, .serverId = 61});
    g_tLastSignUpNumReply = ddz::CompeteTimeNow();
    GameViewBase::m_GlobalInfo.iMoney = 9000;
    server.SetDefaultAnswer(WebAnswer::Status(500));
  }
  std::vector<int> RoomInfoRequests() const {
    std::vector<int> ids;
    for (const std::string& frame : Frames()) {
      if (ddz::test::IntAt(frame, 32) == CompeteWebMsg::kMsgCompeteRoomInfo) ids.push_back(ddz::test::IntAt(frame, 40));
    }
    return ids;
  }
};

TEST_F(CompeteListEnter, AnEntryAsksForTheUserRecordAndBuildsTheScreen) {
  GameViewBase::m_GlobalInfo.iUserID = 4321;
  EnterList();
  ASSERT_TRUE(StepUntil([&] { return !RoomInfoRequests().empty() && Outstanding() == 0; }));
  EXPECT_EQ(RoomInfoRequests(), std::vector<int>{4321});
  EXPECT_EQ(OsApiBase::shareOsApi()->GetLobbyView(), list);
  EXPECT_EQ(OsApiBase::shareOsApi()->GetWXAuthCallBack(), list);
  EXPECT_EQ(list->GetNumLabel(0)->getString(), "9000");
  for (int node : {CompeteRoomListLayer::kNodeWebView, CompeteRoomListLayer::kNodeRecharge,
                   CompeteRoomListLayer::kNodeMenu})
    EXPECT_NE(list->GetScreenNode(node), nullptr);
  EXPECT_EQ(list->GetCover(), nullptr);
  EXPECT_EQ(g_iCompeteEnterMode, 0) << "nothing signed up";
  list->removeFromParent();
  EXPECT_EQ(OsApiBase::shareOsApi()->GetLobbyView(), nullptr) << "the lobby view goes with the list";
  list = nullptr;
}

TEST_F(CompeteListEnter, PlayingAgainCoversTheListAndSignsUpForTheSameMatch) {
  CompeteRoomInfo::m_tLastRequestTime = ddz::CompeteTimeNow();  // the road's own refresh is not due
  CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchId = 6;
  Compete().m_iSignUpFeeType = 1;
  list = new CompeteRoomListLayer();  // its construction clears the flag; the award screen sets it later
  EXPECT_EQ(g_bCompetePlayAgain, 0);
  g_bCompetePlayAgain = 1;
  scene->addChild(list);
  list->release();
  EXPECT_EQ(g_bCompetePlayAgain, 0);
  ASSERT_NE(list->GetCover(), nullptr);
  EXPECT_EQ(list->GetCover()->getLocalZOrder(), CompeteRoomListLayer::kZCover);
  EXPECT_FALSE(list->isTouchEnabled());
  EXPECT_EQ(g_iCompeteEnterMode, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 61) << "the room of match 6";
  ASSERT_TRUE(StepUntil([&] { return Outstanding() == 0; }));
  EXPECT_EQ(RoomInfoRequests(), std::vector<int>{}) << "no forced 20035 when playing again";
}

// Signing up again ends in a box instead of a room: the cover goes, and once
// the box is answered the card's button signs up again.
TEST_F(CompeteListEnter, PlayingAgainThatEndsInABoxLeavesTheListUsable) {
  cocos2d::GLView* window = cocos2d::GLViewImpl::create("test");
  director->setOpenGLView(window);
  const std::int64_t afternoon = ddz::test::LocalTime(2026, 3, 14, 14);
  struct Case {
    const char* what;
    MatchRoom room;
    int money;
    int yuanbao;
    int minHolding;
    bool script;       // the script handler 19 refuses the entry
    std::string text;  // the box's text; "" where it names a holding
  };
  const MatchRoom open{.matchId = 6, .serverId = 61};
  const Case cases[] = {
      {"outside the opening hours", {.matchId = 6, .serverId = 61, .hours = 0}, 9000, 0, 0, false, GameText(334)},
      {"no fee can be paid", open, 4999, 99, 0, false, ""},
      {"below the minimum yuanbao", open, 9000, 10, 50, false, ddz::FormatText(GameText(416), 50)},
      {"no room open at the local hour", {.matchId = 6, .serverId = 61, .startHour = 8, .hours = 4}, 9000, 0, 0, false,
       "authen error[127]"},
      {"the script refuses", open, 9000, 0, 0, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetGlobals();
    ddz::os::Clock().SetWallTimeSeconds(afternoon);
    SyncServer(afternoon - 4 * 3600);  // the server's hour is 10, inside 8 to 12
    CompeteMatchRecord record = UsableMatch(6);
    record.iMinHolding = c.minHolding;
    g_vcCompeteRoomTable = {UsableMatch(5), record};
    AddMatchRoom({.matchId = 5, .sortKey = 1, .serverId = 51});
    AddMatchRoom(c.room);
    CompeteRoomInfo::m_tLastRequestTime = ddz::CompeteTimeNow();
    CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchId = 6;
    Compete().m_iSignUpFeeType = 1;
    GameViewBase::m_GlobalInfo.iMoney = c.money;
    GameViewBase::m_GlobalInfo.iYuanBao = c.yuanbao;
    list = new CompeteRoomListLayer();
    cocos2d::LuaEngine* engine = nullptr;
    if (c.script) {
      engine = cocos2d::LuaEngine::getInstance();
      cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
      lua_State* L = engine->getLuaStack()->getLuaState();
      lua_getfield(L, LUA_GLOBALSINDEX, "_G");
      register_all_gamebase(L);
      lua_settop(L, 0);
      ASSERT_EQ(engine->executeString("function onEnterRoom(room) return 1 end"), 0);
      lua_getglobal(L, "onEnterRoom");
      list->RegisterLuaHandler(CompeteRoomListLayer::kLuaEnterRoom, toluafix_ref_function(L, lua_gettop(L), 0));
      lua_settop(L, 0);
    }
    g_bCompetePlayAgain = 1;
    scene->addChild(list);
    list->release();

    EXPECT_EQ(g_iCompeteEnterMode, 0) << "nothing entered";
    EXPECT_EQ(list->GetCover(), nullptr);
    for (cocos2d::Node* child : list->getChildren()) EXPECT_NE(child->getLocalZOrder(), CompeteRoomListLayer::kZCover);
    EXPECT_FALSE(list->isTouchEnabled()) << "as after any entry";
    if (!c.script) {
      EXPECT_TRUE(Box()->IsOpen());
      if (!c.text.empty()) {
        EXPECT_EQ(Box()->GetText(), c.text);
      }
    }
    Box()->CloseDialog();
    const int shown = Box()->GetShowCount();
    const cocos2d::Vec2 button = list->GetRoomItems()[1]->GetSignUpButton()->getParent()->convertToWorldSpace(
        list->GetRoomItems()[1]->GetSignUpButton()->getPosition());
    window->touchBegan(button.x, 720 - button.y);
    window->touchEnded(button.x, 720 - button.y);
    if (!c.script) {
      EXPECT_EQ(Box()->GetShowCount(), shown + 1) << "the card's road runs again";
    }
    list->removeFromParent();
    list = nullptr;
    if (engine != nullptr) cocos2d::LuaEngine::destroyInstance();
  }
}

// The match to play again is no longer listed: the stored play server signs
// up, as on any entry.
TEST_F(CompeteListEnter, PlayingAgainAMatchNoLongerListedSignsUpForTheStoredPlayServer) {
  CompeteRoomInfo::m_tLastRequestTime = ddz::CompeteTimeNow();
  CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchId = 9;
  YndLocalData::sharedLocalData()->setIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, 61);
  list = new CompeteRoomListLayer();
  g_bCompetePlayAgain = 1;
  scene->addChild(list);
  list->release();
  EXPECT_EQ(g_iCompeteEnterMode, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 61);
  EXPECT_EQ(YndLocalData::sharedLocalData()->getIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, -1), 0);
  EXPECT_EQ(list->GetCover(), nullptr);
}

TEST_F(CompeteListEnter, AStoredPlayServerSignsUpThroughItsCardOnce) {
  YndLocalData::sharedLocalData()->setIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, 61);
  EnterList();
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 61);
  EXPECT_EQ(g_iCompeteEnterMode, 1);
  EXPECT_EQ(YndLocalData::sharedLocalData()->getIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, -1), 0);

  // A server id no card has stays stored and signs up for nothing.
  list->removeFromParent();
  g_iCompeteEnterMode = 0;
  YndLocalData::sharedLocalData()->setIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, 99);
  EnterList();
  EXPECT_EQ(g_iCompeteEnterMode, 0);
  EXPECT_EQ(YndLocalData::sharedLocalData()->getIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, -1), 99);
}

class SwitchScene : public GameSceneBase {
 public:
  void SwitchGameKind(int kind) override { kinds.push_back(kind); }
  std::vector<int> kinds;
};

TEST_F(CompeteListEnter, TheBackKeyLeavesForTheClassicGameOtherKeysDoNothing) {
  GameSceneBase* saved = GameSceneBase::m_pGameScene;
  auto* switching = new SwitchScene();
  GameSceneBase::m_pGameScene = switching;
  EnterList();
  list->onKeyPressed(cocos2d::EventKeyboard::KeyCode::KEY_RETURN, nullptr);
  list->onKeyPressed(cocos2d::EventKeyboard::KeyCode::KEY_BACKSPACE, nullptr);
  EXPECT_EQ(switching->kinds, std::vector<int>{});
  list->onKeyPressed(cocos2d::EventKeyboard::KeyCode::KEY_BACK, nullptr);
  EXPECT_EQ(switching->kinds, std::vector<int>{CompeteRoomListLayer::kBackGameKind});
  switching->release();
  GameSceneBase::m_pGameScene = saved;
}

TEST_F(CompeteListEnter, ATouchedRowOpensTheSignUpDialogOfItsMatch) {
  EnterList();
  std::vector<int> opened;
  CompeteRoomListLayer::SetSignUpOpener([&](CompeteRoomListLayer&, CompeteRoomInfo& room, RoomInfoItem& card) {
    EXPECT_EQ(card.GetRoom(), &room);
    opened.push_back(room.m_iMatchId);
  });
  list->OnListEvent(1, false);
  list->OnListEvent(1, true);
  list->OnListEvent(0, false);
  list->OnListEvent(1, true);  // another row at the end: nothing
  list->OnListEvent(7, false);
  list->OnListEvent(7, true);  // no such row
  EXPECT_EQ(opened, std::vector<int>{6});
}

}  // namespace

namespace {

// ---------------------------------------------------------------- the shop

TEST_F(CompeteListEnter, TheShopOpensWithTheUsersHoldingsAndTheHeaderHasItsRechargeButton) {
  GameViewBase::m_GlobalInfo.iYuanBao = 12;
  GameViewBase::m_GlobalInfo.iFeeType4Num = 3;
  EnterList();
  auto* recharge = dynamic_cast<cocos2d::ui::Button*>(list->GetScreenNode(CompeteRoomListLayer::kNodeRecharge));
  ASSERT_NE(recharge, nullptr);
  list->OpenLobbyVac(-1);
  ASSERT_EQ(LobbyNewVacLayer::Openings().size(), 1u);
  const LobbyVacOpening& opening = LobbyNewVacLayer::Openings().front();
  EXPECT_EQ(opening.gameCode, "23700");
  EXPECT_EQ(opening.userId, "4321");
  EXPECT_EQ(opening.money, 9000);
  EXPECT_EQ(opening.holding86, 3);
  EXPECT_EQ(opening.yuanBao, 12);
  EXPECT_EQ(opening.windowWidth, BasePT::g_iWindowWidth);
}

TEST_F(CompeteListEnter, TheShopsAnswers) {
  struct Case {
    int step;
    int resultKind;
    bool holdings;   // copied into GlobalInfo and shown in the tip box (type 11)
    bool firstVac;   // "lobby_first_vac2" set
    int boxType;     // -1: no box
  };
  const Case cases[] = {
      {3, 0, false, false, -1}, {4, 0, false, false, -1}, {5, 0, false, false, -1},
      {1, 0, true, false, 11},  {9, 0, true, false, 11},  {16, 0, true, true, 11},
      {7, 3, false, true, 1},   {7, 1, false, false, 1},  {12, 0, false, false, 1},
  };
  EnterList();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step * 10 + c.resultKind);
    GameMsgBox::destroyMessageBox();
    GameViewBase::m_GlobalInfo.iMoney = 9000;
    GameViewBase::m_GlobalInfo.iYuanBao = 0;
    YndLocalData::sharedLocalData()->setIntegerForKey("lobby_first_vac2", 0);
    LobbyVacResult result;
    result.iVacStep = c.step;
    result.iResultKind = c.resultKind;
    result.iMoney = 20000;
    result.iHolding86 = 4;
    result.iYuanBao = 30;
    result.iYuanBaoExtra = 5;
    result.rtInfo = "shop says";
    list->CallBackHandleVacRt(result);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, c.holdings ? 20000 : 9000);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.holdings ? 35 : 0);
    if (c.holdings) {
      EXPECT_EQ(list->GetNumLabel(0)->getString(), "20000");
    }
    EXPECT_EQ(YndLocalData::sharedLocalData()->getIntegerForKey("lobby_first_vac2", 0), c.firstVac ? 1 : 0);
    EXPECT_EQ(Box()->IsOpen(), c.boxType >= 0);
    if (c.boxType >= 0) {
      EXPECT_EQ(Box()->GetType(), c.boxType);
      EXPECT_EQ(Box()->GetText(), "shop says");
    }
  }
}

}  // namespace
