// The four-player table end to end over a game-server connection (the
// loopback server of tests/support): the login and the seat, then two whole
// hands played through the own seat's controls by the own-seat driver, with
// the continue between them, request by request.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SRTestSupport.h"
#include "classic/NetTableSupport.h"
#include "cardlogic/SRClueCard.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "support/LoopbackGameServer.h"
#include "support/SRWholeHandDriver.h"

namespace srtest {
namespace {

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
using Lines = std::vector<std::string>;
using classictest::Player;
using classictest::Sent;

// The real view, writing down what the game base delivers and the seats'
// money after each result.
class NetSRView : public SRGameView {
 public:
  static NetSRView* create() {
    auto* view = new NetSRView();
    view->autorelease();
    return view;
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    tableTypes.push_back(static_cast<std::uint8_t>(msg[1]));
    locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    SRGameView::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    SRGameView::CallBackGameResultServer(msg, len);
    std::vector<int> money;
    for (int seat = 0; seat < kPlayerCount; ++seat) money.push_back(GetPlayerNode(seat) ? GetPlayerNode(seat)->iMoney : -1);
    moneyAfterResult.push_back(money);
  }
  std::vector<int> tableTypes;
  std::vector<int> locksAtDelivery;
  std::vector<std::vector<int>> moneyAfterResult;

 private:
  NetSRView() : SRGameView(nullptr, nullptr) {}
};

const std::vector<std::uint8_t> kBottom = {Card(2, 3), Card(2, 4), Card(2, 5), Card(2, 6),
                                           Card(3, 3), Card(3, 4), Card(3, 5), Card(3, 6)};
constexpr std::array<int, 4> kScores = {-120, 360, -120, -120};
constexpr std::array<int, 4> kFees = {5, 5, 5, 5};

// The server's side of one hand: the own chair bids 3, answers the show-cards
// question, becomes the landlord with the bottom cards and leads twice (the
// others pass after the first lead), then the result. Each play request reads
// back and rebuilds byte for byte, names only cards the own seat holds and is
// a play of the four-player rules.
struct HandScript {
  std::vector<std::uint8_t> ownBytes;
  Lines faults;
  int plays = 0;

  Frames OnPlay(const Bytes& request, bool last) {
    ++plays;
    if (request.size() != ddz::sr::MsgSize::Play) {
      faults.push_back("a play request of another size");
      return {};
    }
    const int n = static_cast<int>(request[44]);
    std::vector<int> codes;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < n && i < 36; ++i) {
      const std::uint8_t b = request[static_cast<std::size_t>(8 + i)];
      const int code = ddz::CardByteToCode(b);
      auto held = std::find_if(ownBytes.begin(), ownBytes.end(), [&](std::uint8_t o) { return ddz::CardByteToCode(o) == code; });
      if (held == ownBytes.end()) {
        faults.push_back("a card the own seat does not hold");
      } else {
        ownBytes.erase(held);
      }
      codes.push_back(code);
      bytes.push_back(b);
    }
    if (codes.empty()) faults.push_back("a pass where the own seat leads");
    if (Sent(ddz::sr::BuildPlayRequest(codes)) != request) faults.push_back("a play request that does not rebuild byte for byte");
    ddz::CardTypeInfo info;
    if (!ddz::SRClueCard::GetCodesCardType(codes.data(), static_cast<int>(codes.size()), info))
      faults.push_back("a play the four-player rules do not know");
    Frames out = {Played(1, bytes)};
    if (last) {
      ResultFields r;
      r.scores = kScores;
      r.fees = kFees;
      r.cards[0] = {Card(0, 9), Card(1, 9)};
      out.push_back(Result(r));
    } else {
      out.push_back(Played(2, {}));
      out.push_back(Played(3, {}));
      out.push_back(Played(0, {}));
      out.push_back(Turn(66, 1));
    }
    return out;
  }
};

class SRNetTableTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    ASSERT_TRUE(server.ok());
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = 42;
    info.iGuideShowTimes = 5;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    server.Ignore(gamebase::ReqType::KeepAlive);
    view = NetSRView::create();
    scene->addChild(view);
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    ClassicTest::TearDown();
  }

  LoopbackGameServer server;
  NetSRView* view = nullptr;
};

TEST_F(SRNetTableTest, TwoWholeHandsPlayOverTheConnectionThroughTheOwnSeatsControls) {
  DealFields deal;
  deal.own = SomeHand();
  deal.landerChair = 2;
  deal.landerCard = Card(3, 13);
  const Frames dealFrames = {Deal(deal), Turn(67, 1)};
  HandScript hands[2];
  for (HandScript& h : hands) {
    h.ownBytes = deal.own;
    h.ownBytes.insert(h.ownBytes.end(), kBottom.begin(), kBottom.end());
  }
  gamebase::AuthenResult auth;
  auth.self = Player(42, 1);
  Frames seats = {gamebase::BuildSitResult(true, 3, 1)};
  for (int chair = 0; chair < 4; ++chair) seats.push_back(gamebase::BuildPlayerJoin(Player(41 + chair, chair)));
  seats.insert(seats.end(), dealFrames.begin(), dealFrames.end());
  Lines requestFaults;
  auto exact = [&requestFaults](Bytes want, Frames reply) {
    return [want = Sent(std::move(want)), reply, &requestFaults](const Bytes& got) {
      if (got != want) requestFaults.push_back("request " + std::to_string(got[1]) + " differs from its bytes");
      return reply;
    };
  };
  auto scriptHand = [&](HandScript& h) {
    server.ExpectThen(ddz::sr::MsgType::Bid, exact(ddz::sr::BuildBidRequest(3), {Bid(1, 3), Landlord(1, 3, kBottom), Turn(69, 1)}))
        .ExpectThen(ddz::sr::MsgType::Choice, exact(ddz::sr::BuildChoiceRequest(1), {Turn(66, 1)}))
        .ExpectThen(ddz::sr::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, false); })
        .ExpectThen(ddz::sr::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, true); });
  };
  // The login seats the own player at once (no press of the start button);
  // the continue asks for another table (escape 0), where the next hand is dealt.
  server.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(auth)})
      .ExpectBytes(gamebase::BuildSitRequest(), seats);
  scriptHand(hands[0]);
  server.ExpectBytes(gamebase::BuildEscapeRequest(0), dealFrames);
  scriptHand(hands[1]);
  server.ExpectBytes(gamebase::BuildEscapeRequest(0));
  view->IniMainSocketAuthen();

  SROwnSeatDriver driver(view, window);
  bool lockNegative = false;
  for (int frame = 0; frame < 12000 && !(server.ScriptDone() && driver.continues == 2); ++frame) {
    server.Serve();
    director->mainLoop(1.0f / 30);
    server.Serve();
    lockNegative = lockNegative || GameViewBase::m_iLockMainMsgCount.Get() < 0;
    driver.Step();
  }
  ddz::test::RunFrames(director, {&server}, [&] { return view->GetPendingMainMsgCount() == 0; }, 30);

  EXPECT_TRUE(server.ScriptDone()) << server.StepsLeft() << " steps left";
  EXPECT_EQ(server.mismatches, Lines{});
  EXPECT_EQ(requestFaults, Lines{});
  for (const HandScript& h : hands) {
    EXPECT_EQ(h.plays, 2);
    EXPECT_EQ(h.faults, Lines{});
  }
  EXPECT_EQ(driver.continues, 2);
  EXPECT_EQ(driver.pressed, (std::vector<int>{18, 20, 17, 17, -1, 18, 20, 17, 17, -1}));
  EXPECT_FALSE(lockNegative);
  EXPECT_EQ(driver.lockAfterContinue, (std::vector<int>{0, 0})) << "0 after each result";
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  const std::vector<int> oneHand = {65, 67, 50, 51, 69, 66, 49, 49, 49, 49, 66, 49};
  std::vector<int> both = oneHand;
  both.insert(both.end(), oneHand.begin(), oneHand.end());
  EXPECT_EQ(view->tableTypes, both);
  EXPECT_EQ(std::count(view->locksAtDelivery.begin(), view->locksAtDelivery.end(), 0),
            static_cast<long>(view->locksAtDelivery.size()))
      << "no frame delivered while the lock is raised";
  ASSERT_EQ(view->moneyAfterResult.size(), 2u);
  for (int hand = 0; hand < 2; ++hand)
    for (int seat = 0; seat < 4; ++seat)
      EXPECT_EQ(view->moneyAfterResult[hand][seat], 5000 + (hand + 1) * (kScores[seat] - kFees[seat])) << hand << seat;
  if (::testing::Test::HasFailure()) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = lines.size() > 80 ? lines.size() - 80 : 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
}

}  // namespace
}  // namespace srtest
