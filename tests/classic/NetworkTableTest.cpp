// The classic table over a game-server connection (the loopback server of
// tests/support): the login, the game base's notice frames reaching the real
// table's callbacks with their arguments, the friend-card and activity-money
// pop-ups, and two whole scripted hands played through the own seat's
// buttons, request by request.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "NetTableSupport.h"
#include "gamedata/TextTables.h"
#include "platform/engine/UserDefault.h"
#include "support/WholeHandDriver.h"
#include "widgets/PlayerShow.h"
#include "widgets/TableNotices.h"

namespace classictest {
namespace {

namespace NetType = gamebase::NetType;

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


TEST_F(NetTableTest, TwoWholeScriptedHandsPlayOverTheConnectionThroughTheOwnSeatsButtons) {
  const Bytes deal = Sent(Deal(1));
  HandScript hands[2] = {HandScript(deal), HandScript(deal)};
  // The first hand's deal follows the seats; the continue asks for another
  // table (escape 0), where the second hand is dealt.
  SitDown(10, {deal});
  hands[0].AddTo(server);
  server.ExpectBytes(gamebase::BuildEscapeRequest(0), {deal});
  hands[1].AddTo(server);
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
