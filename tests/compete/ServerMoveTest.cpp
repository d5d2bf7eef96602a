// The tournament table's login, its move to the next stage's server (79) and
// the end of the match (78). The login and the move run over the loopback
// game servers of tests/support (a pair on neighbouring ports: the move
// connects to port + 1); the award runs on the seated table of the
// tournament tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "CompeteConnectionTestSupport.h"
#include "CompeteHandScript.h"
#include "compete/CompeteAwardLayer.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteRoomListLayer.h"
#include "compete/CompeteTableUI.h"
#include "gamedata/DdzCompete.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "support/CompeteMatchFrames.h"
#include "support/LoopbackGameServer.h"

namespace competetest {
namespace {

// ---------------------------------------------------------------- the login

TEST_F(ServerMoveTest, AFreshLoginSendsTheSignUpOnceOrLeavesWhenNothingWasSignedUp) {
  struct Case {
    const char* name;
    int mode;
    bool moving;  // a server move under way when the view hears of the login
    Frames requests;
    bool leaves;
  };
  const Case cases[] = {
      {"just signed up", 1, false, {AuthenRequest(false), SignUpRequest(2)}, false},
      {"entered with nothing signed up", 0, false, {AuthenRequest(false)}, true},
      {"a login during a move", 0, true, {AuthenRequest(true)}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackGameServer server;
    server.Ignore(gamebase::ReqType::KeepAlive);
    GameViewBase::m_GlobalInfo.iServerPort = static_cast<std::uint16_t>(server.port());
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 2;
    g_iCompeteEnterMode = c.mode;
    MoveView* view = PutView();
    view->m_bServerMove = c.moving ? 1 : 0;
    server.Expect(gamebase::ReqType::Authen, {AuthenAnswer()});
    view->IniMainSocketAuthen();
    ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return !view->selves.empty(); }, 200, 0.05f));
    // A login made during a move is a re-login: the view's fresh-login
    // operation never hears of it.
    EXPECT_EQ(view->freshLogins, c.moving ? 0 : 1);
    ddz::test::RunFrames(director, {&server}, [&] { return server.peerClosed; }, 20, 0.05f);
    EXPECT_EQ(Requests(server), c.requests);
    EXPECT_EQ(g_iCompeteEnterMode, 0) << "the mode is used once";
    EXPECT_EQ(server.peerClosed, c.leaves) << "leaving closes the connection";
    EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iState, c.leaves ? 0 : 2);
    EXPECT_EQ(cocos2d::Log::contains("GameViewBase::QuitGame"), c.leaves);
    view->removeFromParent();
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    cocos2d::Log::clear();
  }
}

// ---------------------------------------------------------------- 79 the server move

TEST_F(ServerMoveTest, AMoveLogsInAgainOnTheNextPortAndTakesTheStageFromTheFrame) {
  struct Case {
    const char* name;
    std::vector<int> stages;
    int stage;
    int outcome;
    int promotions;
    bool promotionShown;
  };
  const Case cases[] = {
      {"two equal first stages", {96, 96, 48, 9, 3}, 2, 2, 1, true},
      {"no repeated first stage, promoted", {96, 48, 9, 3, 1}, 1, 1, 1 + 1, true},
      {"past the shown stages", {96, 48, 9, 3}, 2, 2, 2, false},
      {"a negative stage", {96, 96, 48, 9, 3}, -1, 1, -2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto pair = ddz::test::ServerPair();
    first = std::move(pair.first);
    second = std::move(pair.second);
    ASSERT_TRUE(first && second);
    second->Ignore(gamebase::ReqType::KeepAlive);
    GameViewBase::m_GlobalInfo.iServerPort = static_cast<std::uint16_t>(first->port());
    g_iCompeteEnterMode = 1;
    CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
    match->m_iState = 2;
    match->m_vcStages = c.stages;
    MoveView* view = PutView();
    view->NewPromotionLayer();
    CompeteTableUI* bar = view->CreateCompeteTableUI();
    match->m_iStageNo = 1;
    bar->ShowStatus(true);
    LogIn(view);

    ddz::test::MoveFields move;
    move.stage = c.stage;
    move.outcome = c.outcome;
    move.self = Self(777);
    second->ExpectBytes(AuthenRequest(true), {AuthenAnswer()});
    first->Send(ddz::test::MoveFrame(move));
    ASSERT_TRUE(Run([&] { return second->ScriptDone() && view->selves.size() >= 3; }));

    EXPECT_TRUE(first->peerClosed) << "the last stage's server is left";
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, first->port() + 1);
    EXPECT_EQ(Requests(*second), Frames{AuthenRequest(true)}) << "a re-login, no second sign-up";
    EXPECT_EQ(view->freshLogins, 1) << "only the first login was a fresh one";
    EXPECT_EQ(view->selves, (Lines{"42.5000", "42.777", "42.5000"})) << "the frame's own record, then the login's";
    EXPECT_EQ(view->iCurOrder, 7);
    EXPECT_EQ(view->iAllPlayer, 48);
    EXPECT_EQ(view->iTableNum, 5);
    EXPECT_EQ(match->m_iStageNo, c.stage);
    EXPECT_EQ(match->m_iState, 2) << "the match goes on";
    EXPECT_TRUE(view->isRunning());
    ASSERT_NE(view->m_pCompetePromotionLayer, nullptr);
    EXPECT_EQ(view->m_pCompetePromotionLayer->GetBrevetTimes(), c.promotions);
    EXPECT_EQ(view->IsPromotionLayerShown(), c.promotionShown);
    EXPECT_EQ(view->GetPlayerNode(0), nullptr) << "the last table's players are gone";
    EXPECT_EQ(bar->GetTableNum(), 5) << "the bar names the new table";
    EXPECT_NE(bar->GetStatusLabel()->getString().find("第5桌"), std::string::npos)
        << bar->GetStatusLabel()->getString();
    EXPECT_EQ(first->mismatches, Lines{});
    EXPECT_EQ(second->mismatches, Lines{});
    view->removeFromParent();
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
  }
}

TEST_F(ServerMoveTest, AReturnFromTheBackgroundAfterAMoveLogsInAgainOnTheNewServerAndStays) {
  MoveView* view = PutView();
  LogIn(view);
  second->ExpectBytes(AuthenRequest(true), {AuthenAnswer()}).ExpectBytes(AuthenRequest(true), {AuthenAnswer()});
  first->Send(ddz::test::MoveFrame({}));
  ASSERT_TRUE(Run([&] { return second->StepsLeft() == 1 && view->selves.size() >= 3; }));
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterForeGround();
  ASSERT_TRUE(Run([&] { return second->ScriptDone() && view->selves.size() >= 4; }));
  EXPECT_EQ(view->freshLogins, 1);
  EXPECT_EQ(second->accepts, 1) << "the same connection";
  EXPECT_EQ(first->accepts, 1) << "never back to the last stage's server";
  EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iState, 2);
  EXPECT_FALSE(cocos2d::Log::contains("GameViewBase::QuitGame"));
  EXPECT_EQ(second->mismatches, Lines{});
}

TEST_F(ServerMoveTest, AMoveNobodyAnswersShowsTheConnectErrorAndTakesNothingFromTheFrame) {
  MoveView* view = PutView();
  LogIn(view);
  second->StopListening();
  first->Send(ddz::test::MoveFrame({}));
  ASSERT_TRUE(Run([&] { return cocos2d::Log::contains("DebugMessageBox: connect all port error"); }));
  EXPECT_TRUE(view->isRunning());
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, first->port());
  EXPECT_EQ(view->iCurOrder, 0);
  EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo, 1);
  EXPECT_EQ(view->selves.size(), 1u) << "no login after the failed move";
}

TEST_F(ServerMoveAwayTest, AMoveWhileAwayIsKeptAtTheFrontAndTakenFirstWhenTheTableIsBack) {
  LogIn(view);
  GameSceneBase::m_pGameScene->addChild(list);
  view->removeFromParent();
  // Too long to keep: dropped, nothing changes.
  std::vector<char> huge(GameViewBase::kMaxGameMessage + 1, 0);
  huge[1] = CompeteGameView::kMsgChangeServer;
  view->HandleChangeServer(huge.data(), static_cast<int>(huge.size()));
  EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
  EXPECT_EQ(view->m_bServerMove, 0);
  EXPECT_FALSE(cocos2d::Log::contains("GameViewAuthenResult"));

  // The move and a frame behind it arrive together.
  second->ExpectBytes(AuthenRequest(true), {AuthenAnswer()});
  Bytes waits = ddz::test::MatchFrame(CompeteGameView::kMsgWaitNumbers, 16);
  ddz::test::PutLittle(waits, 8, 3);
  Bytes both = ddz::test::MoveFrame({});
  both.insert(both.end(), waits.begin(), waits.end());
  first->SendRaw(both.data(), both.size());
  ASSERT_TRUE(Run([&] { return view->types.size() >= 1; }));
  EXPECT_TRUE(cocos2d::Log::contains("GameViewAuthenResult 0 0 0"));
  EXPECT_EQ(second->accepts, 0) << "no move while away";
  ASSERT_TRUE(Run([&] { return second->ScriptDone() && view->types.size() >= 3; }));
  EXPECT_TRUE(view->isRunning());
  EXPECT_EQ(view->types, (std::vector<int>{79, 79, 63})) << "the kept move before the frame that came behind it";
  EXPECT_EQ(view->iCurOrder, 7);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, first->port() + 1);
  EXPECT_EQ(view->freshLogins, 1);
  tick(2);
  EXPECT_FALSE(list->isRunning()) << "the room list made way for the table";
}

// ---------------------------------------------------------------- 78 the award

class AwardTest : public CompeteTest {};

TEST_F(AwardTest, TheAwardAddsTheWinningsEndsTheMatchAndShowsTheCertificateUnderTheLock) {
  struct Case {
    const char* name;
    int money;
    int prize;
    int expectedMoney;
  };
  const Case cases[] = {
      {"ordinary", 1000, 500, 1500},
      {"money at its end", INT_MAX - 10, 500, INT_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iMoney = c.money;
    info.iYuanBao = 10;
    info.iPrizeHold88 = 1;
    info.iPrizeHold89 = 2;
    info.iFeeType4Num = 3;
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 4;
    view->CreateCompeteTableUI();
    view->m_pCompeteTableUI->ShowRank(true);
    view->m_pCompeteTableUI->ShowStatus(true);
    view->m_pCompeteTableUI->ShowWaitTable(true);
    view->NewPromotionLayer();
    ASSERT_TRUE(view->ShowPromotionLayer());
    ResetMainMsgLock();

    ddz::test::AwardFields a{c.prize, 4, 20, 5, 6, "prize", 2, 77};
    const Bytes frame = ddz::test::AwardFrame(a);
    view->Deliver(frame);

    EXPECT_EQ(info.iMoney, c.expectedMoney);
    EXPECT_EQ(info.iYuanBao, 30);
    EXPECT_EQ(info.iPrizeHold88, 6);
    EXPECT_EQ(info.iPrizeHold89, 8);
    EXPECT_EQ(info.iFeeType4Num, 7);
    EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iState, 5);
    EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iAwardValue, 77);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1);
    EXPECT_FALSE(view->IsPromotionLayerShown());
    EXPECT_EQ(view->m_pCompeteTableUI->GetWaitTip(), nullptr);
    EXPECT_FALSE(view->m_pCompeteTableUI->GetRankPanel()->isVisible());
    EXPECT_FALSE(view->m_pCompeteTableUI->GetStatusPanel()->isVisible());
    CompeteAwardLayer* award = view->GetAwardLayer();
    ASSERT_NE(award, nullptr);
    EXPECT_EQ(award->getLocalZOrder(), CompeteAwardLayer::kZOrder);
    EXPECT_EQ(award->GetRank(), 2);
    const unsigned char* record = award->GetRecord();
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), record)) << "the message's 56 bytes";
    EXPECT_TRUE(std::all_of(record + 56, record + CompeteAwardLayer::kRecordSize, [](unsigned char b) { return b == 0; }));
    award->removeFromParent();
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 0);
  }
}

TEST_F(AwardTest, TheCertificatesHoldIsLoweredExactlyOnceWhicheverGoesFirst) {
  struct Case {
    const char* name;
    bool viewFirst;
  };
  for (const Case& c : {Case{"the certificate goes", false}, Case{"the view leaves first", true}}) {
    SCOPED_TRACE(c.name);
    CompeteView* table = CompeteView::create();
    scene->addChild(table);
    ResetMainMsgLock();
    GameViewBase::m_iLockMainMsgCount += 1;  // somebody else's hold
    table->Deliver(ddz::test::AwardFrame({}));
    ASSERT_NE(table->GetAwardLayer(), nullptr);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 2);
    if (c.viewFirst) {
      table->retain();
      table->removeFromParent();
      EXPECT_EQ(table->GetAwardLayer(), nullptr) << "the certificate ends with the table";
      table->release();
    } else {
      table->GetAwardLayer()->removeFromParent();
      tick(2);
      table->removeFromParent();
    }
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1) << "the other hold stays";
    tick(2);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1);
  }
  GameViewBase::m_iLockMainMsgCount -= 1;
}

}  // namespace
}  // namespace competetest
