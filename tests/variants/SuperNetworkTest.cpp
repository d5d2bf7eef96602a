// The Super table over a game-server connection (the loopback server of
// tests/support): a whole three-seat call-and-rob hand (mode 1) and a whole
// two-seat hand (mode 2) played through the own hand's buttons, every
// request checked byte for byte, with a wildcard play of another seat shown
// with its substitute's mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SuperTestSupport.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ErClueCard.h"
#include "cardlogic/SuperClueCard.h"
#include "cards/ErYieldCardLayer.h"
#include "cards/SpriteCardManage.h"
#include "platform/engine/Log.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "support/LoopbackGameServer.h"
#include "support/SuperHandDriver.h"

namespace supertest {
namespace {

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
namespace cm = ddz::classic;

class NetSuperView : public SuperGameView {
 public:
  static NetSuperView* create() {
    auto* view = new NetSuperView();
    view->autorelease();
    return view;
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    SuperGameView::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    ++results;
    SuperGameView::CallBackGameResultServer(msg, len);
  }
  std::vector<int> locksAtDelivery;
  int results = 0;

 private:
  NetSuperView() : SuperGameView(nullptr, nullptr, kGameId) {}
};

PlayerNode Player(int userId, int chair) {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 5000;
  p.cHeadID = 1;
  p.iLevel = 10;
  return p;
}

Bytes Authen() {
  gamebase::AuthenResult res;
  res.self = Player(42, 1);
  return gamebase::BuildAuthenResult(res);
}

// A frame as it travels: the length in bytes 2-3.
Bytes Sent(Bytes frame) {
  frame[2] = static_cast<std::uint8_t>(frame.size() & 0xff);
  frame[3] = static_cast<std::uint8_t>(frame.size() >> 8);
  return frame;
}

class SuperNetworkTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    ASSERT_TRUE(server.ok());
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = 42;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    server.Ignore(gamebase::ReqType::KeepAlive);
    view = NetSuperView::create();
    scene->addChild(view);
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    ClassicTest::TearDown();
  }

  // Plays until the script is done and the result's continue was pressed.
  template <typename Each>
  void PlayOut(SuperSeatDriver& driver, Each&& each) {
    bool lockNegative = false;
    for (int frame = 0; frame < 12000 && !(server.ScriptDone() && driver.continues == 1); ++frame) {
      server.Serve();
      director->mainLoop(1.0f / 30);
      server.Serve();
      lockNegative = lockNegative || GameViewBase::m_iLockMainMsgCount.Get() < 0;
      each();
      driver.Step();
    }
    EXPECT_FALSE(lockNegative);
    EXPECT_TRUE(server.ScriptDone()) << server.StepsLeft() << " steps left";
    EXPECT_EQ(server.mismatches, std::vector<std::string>{});
    EXPECT_EQ(driver.continues, 1);
    EXPECT_EQ(view->results, 1);
    for (int lock : view->locksAtDelivery) EXPECT_EQ(lock, 0);
  }

  LoopbackGameServer server;
  NetSuperView* view = nullptr;
};

Bytes ModeFrame(int mode) {
  Frame f = ModeMsg(mode);
  return Sent(Bytes(f.begin(), f.end()));
}
Bytes Of(const Frame& f) { return Sent(Bytes(f.begin(), f.end())); }

// `smallButton` 0 sends the continue to another table, 1 or more keeps it.
Bytes ResultFrame(int seats, int smallButton = 0) {
  Frame f = FrameOf(237, 288);
  f[282] = static_cast<std::uint8_t>(smallButton);
  const int money[3] = {-80, 160, -80};
  for (int c = 0; c < seats; ++c) {
    PutBE(f, 12 + 4 * c, seats == 2 && c == 0 ? -160 : money[c]);
    PutBE(f, 52 + 4 * c, seats == 2 && c == 0 ? -160 : money[c]);
  }
  f[252] = 0x2d;
  return Of(f);
}

// The own chair's play request: 68 bytes with its cards, their count, and
// the type the mode's rules engine reads them as.
struct PlayCheck {
  int mode = 1;
  std::vector<std::string> faults;
  int plays = 0;
  void Check(const Bytes& r) {
    ++plays;
    if (r.size() != cm::SuperMsgSize::Play) {
      faults.push_back("a play request of " + std::to_string(r.size()) + " bytes");
      return;
    }
    const int count = r[28];
    if (count == 0 || count > 20) {
      faults.push_back("a lead without cards");
      return;
    }
    std::vector<ddz::CardCode> codes;
    for (int i = 0; i < count; ++i) codes.push_back(ddz::CardByteToCode(r[8 + i]));
    ddz::CardTypeInfo info;
    const auto readings = mode == 2 ? ddz::ErClueCard::EnumerateGroups(codes, info, mode, nullptr)
                                    : ddz::SuperClueCard::EnumerateGroups(codes, info, mode, nullptr);
    const bool known = std::any_of(readings.begin(), readings.end(), [&](const ddz::CardGroupRecord& g) {
      return static_cast<std::uint8_t>(g.type) == r[29];
    }) || static_cast<std::uint8_t>(info.type) == r[29];
    if (!known) faults.push_back("a play whose type is not the rules engine's");
  }
};

TEST_F(SuperNetworkTest, AThreeSeatCallAndRobHandWithAWildcardPlayOfAnotherSeat) {
  PlayCheck check;
  Frame deal = DealMsg(1);
  const Bytes sit = gamebase::BuildSitRequest();
  server.Expect(gamebase::ReqType::Authen, {Authen()})
      .ExpectBytes(sit, {gamebase::BuildSitResult(true, 3, 1), ModeFrame(1), gamebase::BuildPlayerJoin(Player(41, 0)),
                         gamebase::BuildPlayerJoin(Player(42, 1)), gamebase::BuildPlayerJoin(Player(43, 2)),
                         Of(deal)})
      .ExpectBytes(Of(FrameOf(25, 12)), {Of(Bid(72, 1, 1))})
      .ExpectBytes(Sent(cm::BuildBidRequest(4)), {Of(Bid(54, 1, 4)), Of(Bid(54, 2, 5)), Of(Bid(72, 1, 2))})
      .ExpectBytes(Sent(cm::BuildBidRequest(5)),
                   {Of(Bid(54, 1, 5)), Of(Landlord(1, 0, 0x2a, 0x2b, 0x2c)), Of(Bid(72, 1, 3))})
      .ExpectBytes(Sent(cm::BuildBidRequest(7)), {Of(Bid(54, 1, 7)), Of(Bid(73, 1, 0))})
      .ExpectBytes(Sent(cm::BuildShowHandRequest()))
      .ExpectThen(24, [&](const Bytes& r) {
        check.Check(r);
        // Chair 2 answers with three sixes, the third its small joker (the
        // matched byte 0x06 stands for the substitute 16).
        return Frames{Of(Play(2, {0x26, 0x46, 0x06}, 48, 6, {16}, {0x06})), Of(Play(0, {})), ResultFrame(3)};
      })
      .ExpectBytes(gamebase::BuildEscapeRequest(0));
  view->IniMainSocketAuthen();
  SuperSeatDriver driver(view, window);
  // The wildcard six of chair 2 is drawn with the small joker's mark.
  int marked = 0;
  PlayOut(driver, [&] {
    auto* row = dynamic_cast<SpriteCardManage*>(view->m_pSendCard[2]);
    if (row == nullptr || row->GetCardCount() != 3) return;
    marked = 0;
    for (const SpriteCardInfo* card : row->GetCards())
      if (card->iWildcardValue == ddz::CardByteToCode(16)) ++marked;
  });
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(view->GetMode(), 1);
  EXPECT_EQ(view->GetPlayerCount(), 3);
  EXPECT_EQ(check.plays, 1);
  EXPECT_EQ(check.faults, std::vector<std::string>{});
  EXPECT_EQ(view->GetPlayerNode(1)->iMoney, 5000 + 160);
}

TEST_F(SuperNetworkTest, ATwoSeatHandWithItsLetCardsCountContinuesAtTheSameTable) {
  PlayCheck check;
  check.mode = 2;
  Frame let = FrameOf(62, 12);
  PutLE(let, 8, 2);
  const Bytes sit = gamebase::BuildSitRequest();
  server.Expect(gamebase::ReqType::Authen, {Authen()})
      .ExpectBytes(sit, {gamebase::BuildSitResult(true, 3, 1), ModeFrame(2), gamebase::BuildPlayerJoin(Player(41, 0)),
                         gamebase::BuildPlayerJoin(Player(42, 1)), Of(DealMsg(1)), Of(let)})
      .ExpectBytes(Of(FrameOf(25, 12)), {Of(Bid(72, 1, 1))})
      .ExpectBytes(Sent(cm::BuildBidRequest(4)),
                   {Of(Bid(54, 1, 4)), Of(Landlord(1, 0, 0x2a, 0x2b, 0x2c)), Of(Bid(73, 1, 0))})
      .ExpectThen(24, [&](const Bytes& r) {
        check.Check(r);
        return Frames{Of(Play(0, {})), ResultFrame(2, 1)};
      })
      .ExpectBytes(gamebase::BuildReadyRequest());
  view->IniMainSocketAuthen();
  SuperSeatDriver driver(view, window);
  bool sawLetCards = false;
  for (int frame = 0; frame < 12000 && !(server.ScriptDone() && driver.continues == 1); ++frame) {
    server.Serve();
    director->mainLoop(1.0f / 30);
    server.Serve();
    if (view->m_pYieldLayer != nullptr && view->m_pYieldLayer->GetYieldNum() == 2) sawLetCards = true;
    driver.Step();
  }
  EXPECT_TRUE(server.ScriptDone()) << server.StepsLeft() << " steps left";
  EXPECT_EQ(server.mismatches, std::vector<std::string>{});
  EXPECT_TRUE(sawLetCards);
  EXPECT_EQ(view->GetMode(), 2);
  EXPECT_EQ(view->GetPlayerCount(), 2);
  EXPECT_EQ(check.plays, 1);
  EXPECT_EQ(check.faults, std::vector<std::string>{});
  EXPECT_EQ(view->GetPlayerNode(1)->iMoney, 5000 + 160);
}

}  // namespace
}  // namespace supertest
