// End to end, headless: the real Super table in its three-seat scoring mode
// and the classic table's real local server, standing in for a game server,
// play whole seeded hands in a row. The own seat bids and plays through its own hand's buttons and
// presses continue on each result; the test checks the requests that reach
// the server, the message lock, and the money shown against the server's
// scoring.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "SuperTestSupport.h"
#include "platform/engine/Log.h"
#include "platform/os/Random.h"
#include "support/LocalServerHands.h"
#include "support/SuperHandDriver.h"

namespace supertest {
namespace {

using ddz::test::CountingServer;
using ddz::test::Delivery;
using ddz::test::HandRecord;

class WholeHandTable : public SuperGameView {
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
    SuperGameView::CallBackHandleMainSocketNetMsg(msg, len);
    if (static_cast<std::uint8_t>(msg[1]) == 71) expected.push_back(25);
  }
  void PlayCardsFromRecord(const std::uint8_t* request, int length) override {
    expected.push_back(24);
    SuperGameView::PlayCardsFromRecord(request, length);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    Note(msg);
    hands.push_back(HandRecord::At(msg, len, *server, *this));
    EXPECT_TRUE(hands.back().read);
    SuperGameView::CallBackGameResultServer(msg, len);
  }
  void ShowRoundResult(const char* msg, int len) override {
    SuperGameView::ShowRoundResult(msg, len);
    for (int seat = 0; seat < 3; ++seat) hands.back().moneyAfter[seat] = GetPlayerNode(seat)->iMoney;
    ++roundResults;
  }

  std::vector<Delivery> deliveries;
  std::vector<HandRecord> hands;
  std::vector<int> expected = {ddz::test::kHandStart};  // the sit's start
  int roundResults = 0;
  std::unique_ptr<CountingServer> server;

 private:
  WholeHandTable() : SuperGameView(nullptr, nullptr, kGameId) {}
  void Note(const char* msg) {
    deliveries.push_back(
        {static_cast<std::uint8_t>(msg[1]), m_iLockMainMsgCount.Get(), m_iLockMainMsgTime.Remaining()});
  }
};

using SuperWholeHands = classictest::ClassicTest;

TEST_F(SuperWholeHands, TwelveSeededSinglePlayerHandsEachReachTheirResultAndTheMoneyMatchesTheServer) {
  constexpr int kHands = 12;
  ddz::os::LcgRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  cocos2d::Log::clear();
  WholeHandTable* view = WholeHandTable::create();
  scene->addChild(view);
  random.Seed(20261210);
  // The local server names no mode: the test names the three-seat scoring table.
  Frame mode = ModeMsg(0);
  std::vector<char> bytes(mode.begin(), mode.end());
  view->CallBackHandleMainSocketNetMsg(bytes.data(), static_cast<int>(bytes.size()));
  view->IniMainSocketAuthen();
  ASSERT_TRUE(view->IsTableBuilt());
  EXPECT_EQ(view->GetMode(), 0);
  EXPECT_EQ(view->GetGameKind(), SuperGameView::kKindScore);

  SuperSeatDriver driver(view, window);
  driver.log = &view->expected;
  for (int frame = 0, idle = 0; frame < kHands * 8000 && driver.continues < kHands && idle < 3000; ++frame) {
    tick(1, 1.0f / 60);
    ASSERT_GE(GameViewBase::m_iLockMainMsgCount.Get(), 0);
    idle = driver.Step() ? 0 : idle + 1;
  }
  for (int i = 0; i < 1200 && GameViewBase::m_iLockMainMsgCount > 0; ++i) tick(1, 1.0f / 60);

  ASSERT_EQ(view->roundResults, kHands);
  ASSERT_EQ(static_cast<int>(view->hands.size()), kHands);
  EXPECT_GE(driver.bids, 1);
  EXPECT_GT(driver.plays, kHands);

  // The requests, exactly and in order.
  EXPECT_EQ(view->server->requests, view->expected);
  // Every play request is the table's 68 bytes.
  for (const auto& play : view->server->plays) EXPECT_EQ(play.size(), 68u);

  // The lock: the result's 1 while each screen waited, 0 after each continue;
  // nothing delivered while it was raised.
  EXPECT_EQ(driver.lockBeforeContinue, std::vector<int>(kHands, 1));
  EXPECT_EQ(driver.lockAfterContinue, std::vector<int>(kHands, 0));
  EXPECT_FALSE(view->IsResultLockHeld());
  EXPECT_FALSE(LogHas("kept at 0"));
  for (const auto& d : view->deliveries) {
    SCOPED_TRACE(d.type);
    EXPECT_EQ(d.lockCount, 0);
    EXPECT_EQ(d.holdMs, 0);
  }

  // Money per seat as the server's scoring gives it.
  for (int i = 0; i < kHands; ++i) {
    SCOPED_TRACE(i);
    const HandRecord& h = view->hands[i];
    ASSERT_GE(h.landlord, 0);
    for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(h.moneyAfter[seat] - h.moneyBefore[seat], h.Score(seat));
  }
  EXPECT_EQ(view->GetTodayPlayNum(), kHands);
  if (::testing::Test::HasFailure()) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = lines.size() > 150 ? lines.size() - 150 : 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
}

}  // namespace
}  // namespace supertest
