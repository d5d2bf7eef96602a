// End to end, headless: the real classic table and the real local server
// play whole seeded hands in a row. The own seat plays through its own
// hand's buttons and presses continue on each result screen; the test checks
// the requests that reach the server, the message lock, the settlement the
// table shows against the server's scoring, and the statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "support/LocalServerHands.h"
#include "support/WholeHandDriver.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/SingleServerDDZ.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/os/Random.h"

namespace classictest {
namespace {

using ddz::test::CountingServer;
using ddz::test::Delivery;

// A hand, and the numbers its result screen showed.
struct HandRecord : ddz::test::HandRecord {
  std::string shown[3];
};

class WholeHandTable : public GameViewPC {
 public:
  static WholeHandTable* create() {
    auto* view = new WholeHandTable();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<CountingServer>(this);
    return server.get();
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    Note(msg);
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
    if (static_cast<std::uint8_t>(msg[1]) == 71) expected.push_back(25);
  }
  // Every own play or pass, pressed or made by the hand itself (a pass when
  // nothing beats the table), right after its request went out.
  void ShowSelfOutCard(const char* cards, int count) override {
    expected.push_back(24);
    GameViewPC::ShowSelfOutCard(cards, count);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    Note(msg);
    HandRecord record;
    static_cast<ddz::test::HandRecord&>(record) = ddz::test::HandRecord::At(msg, len, *server, *this);
    EXPECT_TRUE(record.read);
    hands.push_back(record);
    GameViewPC::CallBackGameResultServer(msg, len);
  }
  void ShowRoundResult(const char* msg, int len) override {
    GameViewPC::ShowRoundResult(msg, len);
    HandRecord& record = hands.back();
    for (int seat = 0; seat < 3; ++seat) {
      record.moneyAfter[seat] = GetPlayerNode(seat)->iMoney;
      if (auto* number = GetResultScreen()->GetSeatNumber(seat)) record.shown[seat] = number->getString();
    }
    ++roundResults;
    viewChildren.push_back(static_cast<int>(getChildrenCount()));
  }

  std::vector<Delivery> deliveries;
  std::vector<HandRecord> hands;
  // The requests the table should have sent, in order: the 25 of each deal,
  // each own play (ShowSelfOutCard), and the driver's bids and readies.
  std::vector<int> expected = {OwnSeatDriver::kReady};  // the start button's sit
  std::vector<int> viewChildren;
  int roundResults = 0;
  std::unique_ptr<CountingServer> server;

 private:
  WholeHandTable() : GameViewPC(nullptr, nullptr, 62) {}
  void Note(const char* msg) {
    deliveries.push_back(
        {static_cast<std::uint8_t>(msg[1]), m_iLockMainMsgCount.Get(), m_iLockMainMsgTime.Remaining()});
  }
};

using WholeHands = ClassicTest;

TEST_F(WholeHands, TwentySeededHandsInARowEachReachItsResultAndTheTableMatchesTheServer) {
  constexpr int kHands = 20;
  ddz::os::LcgRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  cocos2d::Log::clear();
  WholeHandTable* view = WholeHandTable::create();
  scene->addChild(view);
  random.Seed(20260314);
  const GlobalInfo statsBefore = GameViewBase::m_GlobalInfo;
  const int todayBefore = view->GetTodayPlayNum();
  view->IniMainSocketAuthen();
  view->GetStartButton()->setVisible(true);  // as after the login
  tap(g_ptBtnStart);

  OwnSeatDriver driver(view, window);
  driver.log = &view->expected;
  ResultLayer* screen = view->GetResultScreen();
  ASSERT_NE(screen, nullptr);
  int resultsAtLastContinue = -1;
  for (int frame = 0; frame < kHands * 8000 && driver.continues < kHands; ++frame) {
    tick(1, 1.0f / 60);
    ASSERT_GE(GameViewBase::m_iLockMainMsgCount.Get(), 0);
    const int continuesBefore = driver.continues;
    driver.Step();
    if (driver.continues != continuesBefore) {
      // One continue per result, the screen left the table, the table is empty.
      EXPECT_EQ(driver.continues, view->roundResults);
      EXPECT_FALSE(screen->isRunning());
      EXPECT_EQ(view->GetSelfHand()->GetCardCount(), 0);
      resultsAtLastContinue = view->roundResults;
    }
  }
  // The hand after the last continue is dealt; its deal lowers the lock again.
  const auto deals = [&] {
    return std::count_if(view->deliveries.begin(), view->deliveries.end(), [](const auto& d) { return d.type == 71; });
  };
  for (int i = 0; i < 1200 && (deals() <= kHands || GameViewBase::m_iLockMainMsgCount > 0); ++i) {
    tick(1, 1.0f / 60);
    ASSERT_GE(GameViewBase::m_iLockMainMsgCount.Get(), 0);
  }

  // Every hand reached its result, and the own seat took part in each.
  ASSERT_EQ(view->roundResults, kHands);
  ASSERT_EQ(static_cast<int>(view->hands.size()), kHands);
  EXPECT_EQ(resultsAtLastContinue, kHands);
  EXPECT_GE(driver.bids, 1);
  EXPECT_GT(driver.plays, kHands);
  // The same window served every hand, and nothing piles up on the table.
  EXPECT_EQ(view->GetResultScreen(), screen);
  EXPECT_LE(*std::max_element(view->viewChildren.begin(), view->viewChildren.end()) - view->viewChildren.front(), 2);

  // The requests, exactly: the sit's start, then per hand the 25 of the deal,
  // the own bids as pressed, every own play, the ready of the continue.
  EXPECT_EQ(view->server->requests, view->expected);
  EXPECT_EQ(std::count(view->expected.begin(), view->expected.end(), 25), kHands + 1);
  EXPECT_EQ(std::count(view->expected.begin(), view->expected.end(), OwnSeatDriver::kReady), kHands + 1);
  EXPECT_LE(driver.plays, std::count(view->expected.begin(), view->expected.end(), 24));
  // Each hand: its deal's 25 before the own first bid, a ready after its result.
  {
    int sinceDeal = -1;
    for (int r : view->server->requests) {
      if (r == 25) {
        sinceDeal = 0;
      } else if (r == 22 || r == 24) {
        ASSERT_GE(sinceDeal, 0) << "a bid or play before the hand's deal";
      } else if (r == OwnSeatDriver::kReady) {
        sinceDeal = -1;
      } else {
        ADD_FAILURE() << "unexpected request " << r;
      }
    }
  }

  // The lock: 1 (the result's) while each screen waited, 0 right after each
  // continue and at the end; no message was delivered while it was raised or
  // a hold ran, and no lowering went past 0.
  EXPECT_EQ(driver.lockBeforeContinue, std::vector<int>(kHands, 1));
  EXPECT_EQ(driver.lockAfterContinue, std::vector<int>(kHands, 0));
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(view->IsResultLockHeld());
  EXPECT_FALSE(cocos2d::Log::contains("kept at 0"));
  for (const auto& d : view->deliveries) {
    SCOPED_TRACE(d.type);
    EXPECT_EQ(d.lockCount, 0);
    EXPECT_EQ(d.holdMs, 0);
  }
  // Deals and results alternate: every dealt hand ended before the next deal.
  int open = 0;
  for (const auto& d : view->deliveries) {
    if (d.type == 71) {
      EXPECT_EQ(open++, 0);
    } else if (d.type == 237) {
      EXPECT_EQ(open--, 1);
    }
  }

  // Money and score per seat as the server's scoring rule gives it.
  int ownTotal = 0;
  for (int i = 0; i < kHands; ++i) {
    SCOPED_TRACE(i);
    const HandRecord& h = view->hands[i];
    ASSERT_GE(h.landlord, 0);
    for (int seat = 0; seat < 3; ++seat) {
      EXPECT_EQ(h.message.scores[seat], h.Score(seat));
      EXPECT_EQ(h.moneyAfter[seat] - h.moneyBefore[seat], h.Score(seat));
      EXPECT_EQ(h.shown[seat], ResultLayer::SignedText(h.Score(seat)));
    }
    ownTotal += h.message.scores[1];
  }

  // The statistics advanced by one per hand; today's hands too.
  const GlobalInfo& stats = GameViewBase::m_GlobalInfo;
  EXPECT_EQ(stats.iSingleWinNum + stats.iSingleLoseNum, statsBefore.iSingleWinNum + statsBefore.iSingleLoseNum + kHands);
  EXPECT_EQ(stats.iSingleGameAmount, statsBefore.iSingleGameAmount + ownTotal);
  EXPECT_EQ(view->GetTodayPlayNum(), todayBefore + kHands);
  EXPECT_EQ(view->m_iHandsPlayed, kHands);
  EXPECT_EQ(view->m_iContinueCount, kHands);
  if (::testing::Test::HasFailure()) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = lines.size() > 200 ? lines.size() - 200 : 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
}

}  // namespace
}  // namespace classictest
