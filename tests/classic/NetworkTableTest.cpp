// The classic table over a game-server connection (the loopback server of
// tests/support): the login, the game base's notice frames reaching the real
// table's callbacks with their arguments, the friend-card and activity-money
// pop-ups, and two whole scripted hands played through the own seat's
// buttons, request by request.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "HandTestSupport.h"
#include "support/WholeHandDriver.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "support/LoopbackGameServer.h"
#include "widgets/PlayerShow.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/TableNotices.h"

namespace classictest {
namespace {

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
using Lines = std::vector<std::string>;
namespace NetType = gamebase::NetType;
namespace cm = ddz::classic;

// The real classic table, writing down each callback the game base raises
// (with its arguments) before the table's own body runs.
class NetTable : public GameViewPC {
 public:
  static NetTable* create() {
    auto* view = new NetTable();
    view->autorelease();
    return view;
  }
  void CallBackAuthenPlayerInfo(PlayerNode* self) override {
    add("authenInfo." + std::to_string(self->iUserID));
    GameViewPC::CallBackAuthenPlayerInfo(self);
  }
  void CallBackAuthenResOK() override {
    add("authenOK");
    GameViewPC::CallBackAuthenResOK();
  }
  void HandleSitRes(char* msg, int len) override {
    add("sit." + std::to_string(static_cast<int>(msg[8])));
    GameViewPC::HandleSitRes(msg, len);
  }
  void CallBackPlayerJoinTable(int seat) override {
    add("join" + std::to_string(seat));
    GameViewPC::CallBackPlayerJoinTable(seat);
  }
  void CallBackPlayerLeaveTable(int seat) override {
    add("leave" + std::to_string(seat));
    GameViewPC::CallBackPlayerLeaveTable(seat);
  }
  void CallBackOtherPlayerDisconnect(int seat) override {
    add("offline" + std::to_string(seat));
    GameViewPC::CallBackOtherPlayerDisconnect(seat);
  }
  void CallBackOtherPlayerLoginAgain(int seat) override {
    add("back" + std::to_string(seat));
    GameViewPC::CallBackOtherPlayerLoginAgain(seat);
  }
  void CallBackPlayerReady(int seat) override {
    add("ready" + std::to_string(seat));
    GameViewPC::CallBackPlayerReady(seat);
  }
  void CallBackPlayerNetDelay(int seat, int value) override {
    add("delay" + std::to_string(seat) + "." + std::to_string(value));
    GameViewPC::CallBackPlayerNetDelay(seat, value);
  }
  void CallBackKickOutServerNotice(int reason, KickOutServer* notice) override {
    add("kick" + std::to_string(reason) + "." + (notice ? notice->szText : ""));
    GameViewPC::CallBackKickOutServerNotice(reason, notice);
  }
  void CallBackAgainLogin(char* msg, int len) override {
    add("again" + std::to_string(len));
    GameViewPC::CallBackAgainLogin(msg, len);
  }
  void CallBackShowBullInfo(char* msg, int len) override {
    add("bull" + std::to_string(static_cast<int>(msg[208])));
    GameViewPC::CallBackShowBullInfo(msg, len);
  }
  void CallBackUrgrCard(char* msg, int len) override {
    add("urge" + std::to_string(static_cast<int>(msg[8])) + "." + std::to_string(static_cast<int>(msg[9])));
    GameViewPC::CallBackUrgrCard(msg, len);
  }
  void CallBackJackPotNotice(char* msg, int len) override {
    add("jackpot" + std::to_string(static_cast<int>(msg[9])));
    GameViewPC::CallBackJackPotNotice(msg, len);
  }
  void CallBackHongBaoNotice(char* msg, int len) override {
    add("hongbao" + std::to_string(static_cast<int>(msg[12])));
    GameViewPC::CallBackHongBaoNotice(msg, len);
  }
  void CallBackEscapeNotice(int code) override {
    add("escape" + std::to_string(code));
    GameViewPC::CallBackEscapeNotice(code);
  }
  void CallBackHandleFriendCard(char* msg, int len) override {
    add("friend" + std::to_string(len));
    GameViewPC::CallBackHandleFriendCard(msg, len);
  }
  void CallBackHandleActiveMoney(char* msg, int len) override {
    add("active" + std::to_string(len));
    GameViewPC::CallBackHandleActiveMoney(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    add("result" + std::to_string(len));
    GameViewPC::CallBackGameResultServer(msg, len);
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    tableTypes.push_back(static_cast<std::uint8_t>(msg[1]));
    locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void ShowAwardAni(int, int, int) override {}

  // The pop-ups the animation manager has put on the table.
  std::vector<AniPrizeGuide*> Guides() {
    std::vector<AniPrizeGuide*> out;
    for (cocos2d::Node* child : getChildren())
      if (auto* g = dynamic_cast<AniPrizeGuide*>(child)) out.push_back(g);
    return out;
  }

  Lines journal;
  std::vector<int> tableTypes;
  std::vector<int> locksAtDelivery;
  using GameViewBase::m_pPlayerNode;

 private:
  NetTable() : GameViewPC(nullptr, nullptr, 62) {}
  void add(const std::string& s) { journal.push_back(s); }
};

PlayerNode Player(int userId, int chair, int level = 10) {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 5000;
  p.cHeadID = 1;
  p.iLevel = level;
  std::snprintf(p.szNickName, sizeof p.szNickName, "p%d", userId);
  return p;
}

Bytes AuthenAnswer(int level = 10) {
  gamebase::AuthenResult res;
  res.self = Player(42, 1, level);
  return gamebase::BuildAuthenResult(res);
}

Frames SitAndSeats(int ownLevel = 10) {
  return {gamebase::BuildSitResult(true, 3, 1), gamebase::BuildPlayerJoin(Player(41, 0)),
          gamebase::BuildPlayerJoin(Player(42, 1, ownLevel)), gamebase::BuildPlayerJoin(Player(43, 2))};
}

class NetTableTest : public ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    cocos2d::Log::setEchoToStderr(false);
    ASSERT_TRUE(server.ok());
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = 42;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    server.Ignore(gamebase::ReqType::KeepAlive);
    view = NetTable::create();
    scene->addChild(view);
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    ClassicTest::TearDown();
  }
  template <typename Done>
  bool Run(Done&& done, int frames = 600, float dt = 1.0f / 30) {
    return ddz::test::RunFrames(director, {&server}, done, frames, dt);
  }
  // The login and the seats, through the start button.
  void SitDown(int ownLevel = 10, Frames afterSit = {}) {
    Frames seats = SitAndSeats(ownLevel);
    seats.insert(seats.end(), afterSit.begin(), afterSit.end());
    server.Expect(gamebase::ReqType::Authen, {AuthenAnswer(ownLevel)})
        .ExpectBytes(gamebase::BuildSitRequest(), seats);
    view->IniMainSocketAuthen();
    ASSERT_TRUE(Run([&] { return view->GetStartButton()->isVisible(); }));
    tap(g_ptBtnStart);
    ASSERT_TRUE(Run([&] { return std::count(view->journal.begin(), view->journal.end(), "join2") == 1; }));
  }

  LoopbackGameServer server;
  NetTable* view = nullptr;
};

TEST_F(NetTableTest, TheLoginAndTheStartButtonSeatTheTableOverTheConnection) {
  SitDown();
  EXPECT_EQ(view->journal, (Lines{"authenInfo.42", "authenOK", "sit.1", "join0", "join1", "join2"}));
  EXPECT_EQ(server.mismatches, Lines{});
  // The authentication went out as the protocol writes it.
  gamebase::AuthenRequest auth;
  ASSERT_TRUE(gamebase::ReadAuthenRequest(server.requests[0].data(), static_cast<int>(server.requests[0].size()), auth));
  EXPECT_EQ(auth.userId, 42);
  EXPECT_STREQ(auth.token, "tok");
  EXPECT_FALSE(auth.reLogin);
  for (int seat = 0; seat < 3; ++seat) EXPECT_NE(view->m_pPlayerShow[seat], nullptr) << seat;
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 1);
}

TEST_F(NetTableTest, EveryNoticeFrameReachesTheTablesCallbackWithItsArguments) {
  SitDown();
  auto body = [](std::size_t size, std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    Bytes b(size - 8, 0);
    for (auto [at, v] : bytes) b[at - 8] = v;
    return b;
  };
  struct Case {
    const char* name;
    Bytes frame;
    std::string entry;
  };
  const std::vector<Case> cases = {
      {"ready", gamebase::BuildSeatNotice(NetType::PlayerReady, 2), "ready2"},
      {"offline", gamebase::BuildSeatNotice(NetType::PlayerOffline, 0), "offline0"},
      {"back", gamebase::BuildSeatNotice(NetType::PlayerBack, 0), "back0"},
      {"net delay", gamebase::BuildNetDelay(2, 420), "delay2.420"},
      {"broadcast", gamebase::BuildFrame(NetType::Bull, body(212, {{8, 'h'}, {208, 1}})), "bull1"},
      {"quick chat", gamebase::BuildFrame(NetType::UrgeCard, body(12, {{8, 2}, {9, 0}})), "urge2.0"},
      {"jackpot", gamebase::BuildFrame(NetType::JackPot, body(24, {{9, 7}})), "jackpot7"},
      {"red packet", gamebase::BuildFrame(NetType::HongBao, body(32, {{12, 30}})), "hongbao30"},
      {"escape", gamebase::BuildEscapeNotice(98), "escape98"},
      {"friend card", gamebase::BuildFrame(NetType::FriendCard, body(16, {{8, 1}, {12, 50}})), "friend16"},
      {"active money", gamebase::BuildFrame(NetType::ActiveMoney, body(112, {{8, 3}, {12, 9}})), "active112"},
      {"leave", gamebase::BuildSeatNotice(NetType::PlayerLeave, 2), "leave2"},
      {"kick-out", gamebase::BuildKickOut(12, "", 0), "kick12."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->journal.clear();
    server.Send(c.frame);
    ASSERT_TRUE(Run([&] { return !view->journal.empty(); }, 60));
    EXPECT_EQ(view->journal, Lines{c.entry});
  }
  EXPECT_TRUE(view->m_pPlayerShow[2] == nullptr || !view->m_pPlayerShow[2]->isRunning()) << "the left seat's head is gone";
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(9)) << "kick-out reason 12";
  EXPECT_EQ(view->tableTypes, std::vector<int>{}) << "no game-base frame reached the table's dispatcher";
}

TEST_F(NetTableTest, TheFriendCardAndTheActivityMoneyShowTheirPopUps) {
  SitDown(3);  // below level 6: the friend card is counted
  cocos2d::UserDefault::getInstance()->setIntegerForKey(tablenotice::kKeyFriendCardNum, 0);
  auto frame = [](std::uint8_t type, int size, int a, int b, const char* text = "") {
    Bytes body(static_cast<std::size_t>(size - 8), 0);
    for (std::size_t i = 0; i < 8 && i < body.size(); ++i)
      body[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(i < 4 ? a : b) >> (8 * (i % 4)));
    for (std::size_t i = 0; text[i] != '\0' && 40 + i < body.size(); ++i) body[40 + i] = static_cast<std::uint8_t>(text[i]);
    return gamebase::BuildFrame(type, body);
  };
  struct Case {
    const char* name;
    Bytes frame;
    int kind;  // the pop-up's kind, -1 for none
    int amount;
    std::string text;
    int friendCount;
  };
  const std::vector<Case> cases = {
      {"a friend card", frame(NetType::FriendCard, 16, 1, 200), 4, 200, "", 1},
      {"a second friend card", frame(NetType::FriendCard, 16, 1, 300), 4, 300, "", 2},
      {"a friend card of another flag", frame(NetType::FriendCard, 16, 2, 300), -1, 0, "", 2},
      {"a friend card one byte short", frame(NetType::FriendCard, 15, 1, 300), -1, 0, "", 2},
      {"ticket A", frame(NetType::ActiveMoney, 16, 3, 7), 5, 7, "", 2},
      {"ticket B", frame(NetType::ActiveMoney, 16, 5, 8), 6, 8, "", 2},
      {"a guide with its text", frame(NetType::ActiveMoney, 112, 9, 66, "gift"), 2, 66, "gift", 2},
      {"a guide without the room for its text", frame(NetType::ActiveMoney, 111, 9, 66, "gift"), -1, 0, "", 2},
      {"an even kind", frame(NetType::ActiveMoney, 112, 8, 66), -1, 0, "", 2},
      {"kind 1", frame(NetType::ActiveMoney, 112, 1, 66), -1, 0, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->GetAniManage()->Clear();
    view->journal.clear();
    server.Send(c.frame);
    ASSERT_TRUE(Run([&] { return !view->journal.empty(); }, 60));
    std::vector<AniPrizeGuide*> guides = view->Guides();
    if (c.kind < 0) {
      EXPECT_TRUE(guides.empty());
    } else {
      ASSERT_EQ(guides.size(), 1u);
      EXPECT_EQ(guides[0]->m_iPrizeType, c.kind);
      EXPECT_EQ(guides[0]->m_iAmount, c.amount);
      EXPECT_EQ(std::string(guides[0]->m_szText), c.text);
    }
    EXPECT_EQ(cocos2d::UserDefault::getInstance()->getIntegerForKey(tablenotice::kKeyFriendCardNum, 0), c.friendCount);
  }
}

// ---------------------------------------------------------------- whole hands

// A frame as it travels: the length in bytes 2-3 (the send call writes it
// into every request; the classic builders leave it to the sender).
Bytes Sent(Bytes request) {
  request[2] = static_cast<std::uint8_t>(request.size() & 0xff);
  request[3] = static_cast<std::uint8_t>(request.size() >> 8);
  return request;
}

// The server's side of one hand: after the deal the own chair bids, becomes
// the landlord, leads twice (the others pass after the first lead) and wins.
// Each play request is checked against the hand it came from: it reads back
// and rebuilds byte for byte, names only cards the own seat holds, and its
// type is the classifier's.
struct HandScript {
  std::vector<std::uint8_t> ownBytes;  // the own seat's cards, as dealt and taken
  std::vector<std::string> faults;
  int plays = 0;

  Frames OnPlay(const Bytes& request, bool last) {
    ++plays;
    cm::PlayRequest play;
    if (!cm::ReadPlayRequest(request.data(), request.size(), play)) {
      faults.push_back("a play request that does not read");
      return {};
    }
    if (Sent(cm::BuildPlayRequest(play.cards, play.type, play.key)) != request)
      faults.push_back("a play request that does not rebuild byte for byte");
    std::vector<std::uint8_t> bytes;
    for (ddz::CardCode code : play.cards) {
      const std::uint8_t b = ddz::CodeToCardByte(code);
      auto held = std::find_if(ownBytes.begin(), ownBytes.end(),
                               [&](std::uint8_t o) { return ddz::CardByteToCode(o) == code; });
      if (held == ownBytes.end()) {
        faults.push_back("a card the own seat does not hold");
      } else {
        ownBytes.erase(held);
      }
      bytes.push_back(b);
    }
    if (play.cards.empty()) faults.push_back("a pass where the own seat leads");
    ddz::CardTypeInfo info;
    if (!ddz::ClueCard::GetCardType(info, play.cards) || info.type != play.type)
      faults.push_back("a play whose type is not the classifier's");
    Frames out = {Sent(Played(1, bytes))};
    if (last) {
      cm::HandResultBlocks result;
      result.scores = {-6, 12, -6};
      result.multiplier = 2;
      result.landlordWon = true;
      out.push_back(Sent(cm::BuildHandResult(result)));
    } else {
      out.push_back(Sent(Played(2, {})));
      out.push_back(Sent(Played(0, {})));
      out.push_back(Sent(cm::BuildPlayTurn(1)));
    }
    return out;
  }
};

TEST_F(NetTableTest, TwoWholeScriptedHandsPlayOverTheConnectionThroughTheOwnSeatsButtons) {
  const Bytes deal = Sent(Deal(1));
  const std::array<ddz::CardByte, 3> bottom = {0x45, 0x46, 0x47};
  HandScript hands[2];
  for (HandScript& h : hands) {
    h.ownBytes.assign(deal.begin() + 8 + 17, deal.begin() + 8 + 34);
    h.ownBytes.insert(h.ownBytes.end(), bottom.begin(), bottom.end());
  }
  auto scriptHand = [&](HandScript& h) {
    server.ExpectBytes(Sent(FrameOf(25, 12)), {Sent(cm::BuildBidTurn(1, 0))})
        .ExpectBytes(Sent(cm::BuildBidRequest(3)), {Sent(cm::BuildBidResult(1, 3, 0)),
                                                    Sent(cm::BuildLandlord(1, 3, bottom)), Sent(cm::BuildPlayTurn(1))})
        .ExpectThen(cm::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, false); })
        .ExpectThen(cm::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, true); });
  };
  // The first hand's deal follows the seats; the continue asks for another
  // table (escape 0), where the second hand is dealt.
  SitDown(10, {deal});
  scriptHand(hands[0]);
  server.ExpectBytes(gamebase::BuildEscapeRequest(0), {deal});
  scriptHand(hands[1]);
  server.ExpectBytes(gamebase::BuildEscapeRequest(0));

  OwnSeatDriver driver(view, window);
  bool lockNegative = false;
  for (int frame = 0; frame < 12000 && !(server.ScriptDone() && driver.continues == 2); ++frame) {
    server.Serve();
    director->mainLoop(1.0f / 30);
    server.Serve();
    lockNegative = lockNegative || GameViewBase::m_iLockMainMsgCount.Get() < 0;
    driver.Step();
  }
  Run([&] { return view->GetPendingMainMsgCount() == 0; }, 30);

  EXPECT_TRUE(server.ScriptDone()) << server.StepsLeft() << " steps left";
  EXPECT_EQ(server.mismatches, Lines{});
  for (const HandScript& h : hands) {
    EXPECT_EQ(h.plays, 2);
    EXPECT_EQ(h.faults, Lines{});
  }
  EXPECT_EQ(driver.continues, 2);
  EXPECT_FALSE(lockNegative);
  EXPECT_EQ(driver.lockAfterContinue, (std::vector<int>{0, 0})) << "0 after each result";
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(std::count(view->journal.begin(), view->journal.end(), "result288"), 2);
  // The table's frames, in the server's order, each delivered with the lock down.
  const std::vector<int> oneHand = {71, 72, 54, 55, 73, 56, 56, 56, 73, 56};
  std::vector<int> both = oneHand;
  both.insert(both.end(), oneHand.begin(), oneHand.end());
  EXPECT_EQ(view->tableTypes, both);
  EXPECT_EQ(std::count(view->locksAtDelivery.begin(), view->locksAtDelivery.end(), 0),
            static_cast<long>(view->locksAtDelivery.size()));
  if (::testing::Test::HasFailure()) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = lines.size() > 80 ? lines.size() - 80 : 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
}

}  // namespace
}  // namespace classictest
