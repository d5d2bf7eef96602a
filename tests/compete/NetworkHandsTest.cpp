// The tournament table over a game-server connection (the loopback server of
// tests/support): the login and the server's seating answered by request 77,
// then whole scripted hands played against the real view through the own
// hand's buttons, request by request, with the message lock watched at every
// delivery; and the kick-out that ends the connection first.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "CompeteTestSupport.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/CompeteMessages.h"
#include "compete/CompeteRoomListLayer.h"
#include "gamedata/TextTables.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameMsgBox.h"
#include "CompeteHandScript.h"
#include "support/CompeteHandDriver.h"
#include "support/LoopbackGameServer.h"

namespace competetest {
namespace {

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
using Lines = std::vector<std::string>;
namespace cm = ddz::classic;

class NetworkHandsTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    cocos2d::Log::setEchoToStderr(false);
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 1;
    // Just signed up: the login sends the sign-up (fee kind 0) and stays.
    g_iCompeteEnterMode = 1;
    ASSERT_TRUE(server.ok());
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = 42;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    server.Ignore(gamebase::ReqType::KeepAlive);
    view = NetCompeteView::create();
    scene->addChild(view);
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    ClassicTest::TearDown();
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
    g_iCompeteEnterMode = 0;
  }
  // The sign-up the login sends.
  static Bytes SignUp() { return Sent({0, 16, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 0, 0, 0}); }
  // The login; the server seats the user at chair 1 itself.
  Frames Seating() {
    gamebase::AuthenResult res;
    res.self = Player(42, 1);
    return {gamebase::BuildAuthenResult(res), gamebase::BuildSitResult(true, 3, 1),
            gamebase::BuildPlayerJoin(Player(41, 0)), gamebase::BuildPlayerJoin(Player(42, 1)),
            gamebase::BuildPlayerJoin(Player(43, 2))};
  }

  LoopbackGameServer server;
  NetCompeteView* view = nullptr;
};


TEST_F(NetworkHandsTest, WholeScriptedHandsPlayOverTheConnectionThroughTheOwnHandsButtons) {
  DealFields first;
  DealFields second;
  HandScript hands[2];
  for (int t = 0; t < 3; ++t) second.scores[t] = first.scores[t] + hands[0].changes[static_cast<std::size_t>(t)];
  hands[0].behindResult = {Sent(CompeteDeal(second))};
  for (HandScript& h : hands) {
    h.ownBytes = ChairCards(1);
    h.ownBytes.insert(h.ownBytes.end(), {0x45, 0x46, 0x47});
  }
  server.Expect(gamebase::ReqType::Authen, Seating())
      .ExpectBytes(SignUp())
      .ExpectBytes(Sent({0, 77, 8, 0, 0, 0, 0, 0}), {Sent(CompeteDeal(first))});
  for (HandScript& h : hands) {
    server.ExpectBytes(Sent(FrameOf(25, 12)), {Sent(Seat(72, 1, 9))})
        .ExpectThen(cm::MsgType::Bid, [&h](const Bytes& r) { return h.OnBid(r); })
        .ExpectThen(cm::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, false); })
        .ExpectThen(cm::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, true); });
  }
  view->IniMainSocketAuthen();

  CompeteSeatDriver driver(view, window);
  bool lockNegative = false;
  std::vector<std::array<int, 3>> shownScores;
  int lastStep = 0;
  for (int frame = 0; frame < 20000 && !(server.ScriptDone() && view->locksAfterQuit.size() == 2); ++frame) {
    server.Serve();
    director->mainLoop(1.0f / 30);
    server.Serve();
    lockNegative = lockNegative || GameViewBase::m_iLockMainMsgCount.Get() < 0;
    const int step = view->GetResultStep();
    if (step == CompeteGameView::kResultCountSteps && lastStep != step)
      shownScores.push_back({view->m_TableItem.iCompeteAmount[0], view->m_TableItem.iCompeteAmount[1],
                             view->m_TableItem.iCompeteAmount[2]});
    lastStep = step;
    driver.Step();
  }

  EXPECT_TRUE(server.ScriptDone()) << server.StepsLeft() << " steps left";
  EXPECT_EQ(server.mismatches, Lines{});
  for (const HandScript& h : hands) {
    EXPECT_EQ(h.plays, 2);
    EXPECT_EQ(h.faults, Lines{});
  }
  EXPECT_EQ(driver.bids, 2);
  EXPECT_FALSE(lockNegative);
  EXPECT_EQ(view->locksAfterQuit, (std::vector<int>{0, 0})) << "0 after each result";
  ASSERT_EQ(shownScores.size(), 2u);
  EXPECT_EQ(shownScores[0], (std::array<int, 3>{94, 212, 294}));
  EXPECT_EQ(shownScores[1], (std::array<int, 3>{88, 224, 288}));
  const std::vector<int> oneHand = {72, 54, 55, 73, 56, 56, 56, 73, 56, 237};
  std::vector<int> both = {71};
  both.insert(both.end(), oneHand.begin(), oneHand.end());
  both.push_back(71);
  both.insert(both.end(), oneHand.begin(), oneHand.end());
  EXPECT_EQ(view->types, both);
  EXPECT_EQ(std::count(view->locksAtDelivery.begin(), view->locksAtDelivery.end(), 0),
            static_cast<long>(view->locksAtDelivery.size()))
      << "no frame delivered while the lock is raised";
  if (::testing::Test::HasFailure()) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = lines.size() > 60 ? lines.size() - 60 : 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
}

TEST_F(NetworkHandsTest, KickOutReason12EndsTheConnectionBeforeTheBox) {
  server.Expect(gamebase::ReqType::Authen, Seating()).ExpectBytes(SignUp()).ExpectBytes(Sent({0, 77, 8, 0, 0, 0, 0, 0}));
  view->IniMainSocketAuthen();
  ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return server.ScriptDone(); }));
  server.Send(gamebase::BuildKickOut(12, "", 0));
  ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return server.peerClosed; }, 120));
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(9));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 1);
}

}  // namespace
}  // namespace competetest
