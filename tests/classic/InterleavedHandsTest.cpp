// End to end, headless, seeded: the real classic table and the real local
// server play 200 hands (two runs of 100 with their own seeds, so that ctest
// can run them side by side) while the window goes to the background and comes
// back at any moment (with the frame loop stopped, as when minimised, or
// still running) and the turn's time-out fires at random. After every frame:
// the lock never goes below 0 and comes back to 0 once nothing animates (it
// never freezes); the own hand holds what the server holds whenever the table
// has caught up; no request goes out that the server must refuse; and every
// dealt hand reaches its result before the next deal.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "support/WholeHandDriver.h"
#include "cardlogic/CardCodes.h"
#include "cardlogic/SingleServerDDZ.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/os/Random.h"

namespace classictest {
namespace {

class InterleavedTable;

// The local server; a request it refuses is counted. An accepted bid or play
// is always answered first by the own chair's 54 or 56; a refused one by
// nothing or by a new own 73.
class CheckingServer : public ddz::SingleServerDDZ {
 public:
  CheckingServer(IGameMessageSink* view, std::vector<std::vector<std::uint8_t>>* posted)
      : SingleServerDDZ(view, ddz::DeckSeeding::None), m_pPosted(posted) {}
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override {
    const std::size_t before = m_pPosted->size();
    SingleServerDDZ::RecvGameViewMsg(buf, len);
    const int type = buf != nullptr && len >= 8 ? buf[1] : -1;
    if (type != 22 && type != 24) return;
    const int answer = type == 22 ? 54 : 56;
    const bool taken = m_pPosted->size() > before && (*m_pPosted)[before][1] == answer && (*m_pPosted)[before][8] == 1;
    if (!taken) ++refused;
  }
  // The own chair's cards as the server holds them, as card codes.
  std::vector<int> OwnCards() {
    std::vector<int> codes;
    const ddz::CPlayerCard* own = GetAI().Player(kHumanChair);
    for (int slot = 0; slot < ddz::CPlayerCard::kMaxCards; ++slot) {
      const ddz::CCard* card = own->GetCard(slot);
      if (card != nullptr && !card->IsPlayed()) codes.push_back(ddz::CardByteToCode(card->ToByte()));
    }
    std::sort(codes.begin(), codes.end());
    return codes;
  }
  int refused = 0;

 private:
  std::vector<std::vector<std::uint8_t>>* m_pPosted;
};

class InterleavedTable : public GameViewPC {
 public:
  static InterleavedTable* create() {
    auto* view = new InterleavedTable();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<CheckingServer>(this, &posted);
    return server.get();
  }
  void PostGameMessage(const std::uint8_t* buf, int len) override {
    posted.emplace_back(buf, buf + len);
    GameViewPC::PostGameMessage(buf, len);
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    Note(msg);
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    Note(msg);
    GameViewPC::CallBackGameResultServer(msg, len);
  }
  // The table has caught up with the server: nothing queued, held or moving.
  bool Settled() const {
    const auto* deal = dynamic_cast<DealCard*>(m_pDealCard);
    return GetPendingMainMsgCount() == 0 && m_iLockMainMsgCount == 0 && !m_iLockMainMsgTime.IsHolding() &&
           (deal == nullptr || !deal->IsHoldingLock()) && (m_pBaseCard == nullptr || !m_pBaseCard->IsHoldingLock());
  }

  std::vector<std::vector<std::uint8_t>> posted;
  std::unique_ptr<CheckingServer> server;
  int deals = 0;
  int results = 0;
  int deliveredWhileLocked = 0;
  bool dealtTwice = false;

 private:
  InterleavedTable() : GameViewPC(nullptr, nullptr, 62) {}
  void Note(const char* msg) {
    if (m_iLockMainMsgCount > 0 || m_iLockMainMsgTime.IsHolding()) ++deliveredWhileLocked;
    const int type = static_cast<std::uint8_t>(msg[1]);
    if (type == 71) {
      if (deals != results) dealtTwice = true;  // a hand restarted before its result
      ++deals;
    } else if (type == 237) {
      ++results;
    }
  }
};

// The seeds of the deck and of the schedule of backgrounds, frames and
// time-outs.
struct Seeds {
  std::uint32_t deck;
  std::uint32_t schedule;
};

class InterleavedHands : public ClassicTest, public ::testing::WithParamInterface<Seeds> {};

TEST_P(InterleavedHands, AHundredHandsWithBackgroundAndForegroundAtAnyMomentNeverFreezeOrDisagree) {
  constexpr int kHands = 100;
  // Frames of mostly 1 s, some of 0.25 s and of 1/60 s: holds and timed
  // animations take few frames, so the whole run stays short (the deal and
  // the result pause still step once a frame).
  const float kDts[] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.25f, 1.0f / 60};
  // Without a background, a table that holds its messages this long is frozen.
  constexpr int kFrozenFrames = 240;
  ddz::os::LcgRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  random.Seed(GetParam().deck);
  std::mt19937 schedule(GetParam().schedule);
  const auto chance = [&schedule](int oneIn) { return std::uniform_int_distribution<int>(0, oneIn - 1)(schedule) == 0; };

  InterleavedTable* view = InterleavedTable::create();
  scene->addChild(view);
  view->IniMainSocketAuthen();
  ASSERT_TRUE(view->GetStartButton()->isVisible());
  tap(g_ptBtnStart);
  OwnSeatDriver driver(view, window);

  bool background = false;
  int backgroundFrames = 0;
  int backgrounds = 0;
  int heldFrames = 0;
  int settledChecks = 0;
  int frame = 0;
  for (; frame < kHands * 1500 && driver.continues < kHands; ++frame) {
    // ---- the window goes away or comes back ----
    if (!background && chance(80)) {
      background = true;
      backgroundFrames = 1 + std::uniform_int_distribution<int>(0, 9)(schedule);
      if (chance(2)) director->stopAnimation();  // minimised: only the clock runs
      view->CallBackGameEnterBackGround();
      ++backgrounds;
    } else if (background && --backgroundFrames <= 0) {
      director->startAnimation();
      view->CallBackGameEnterForeGround();
      background = false;
    }
    tick(1, kDts[std::uniform_int_distribution<int>(0, 9)(schedule)]);
    ASSERT_GE(GameViewBase::m_iLockMainMsgCount.Get(), 0);
    ASSERT_FALSE(view->dealtTwice) << "a hand was dealt again before its result";

    // ---- the player, and now and then the turn's time-out ----
    if (!background) driver.Step();
    if (chance(25) && view->GetSelfHand() != nullptr) view->GetSelfHand()->OnAutoOperate();
    ASSERT_EQ(view->server->refused, 0) << "frame " << frame << ": a request the server had to refuse";

    // ---- never frozen: outside the background and the result screen the
    // messages are held only while something animates ----
    const ResultLayer* screen = view->GetResultScreen();
    const bool resultShown = (screen != nullptr && screen->isRunning()) || view->IsResultLockHeld();
    if (!background && !resultShown && GameViewBase::m_iLockMainMsgCount > 0) {
      ASSERT_LT(++heldFrames, kFrozenFrames) << "frame " << frame << ": the lock stays at "
                                             << GameViewBase::m_iLockMainMsgCount.Get();
    } else {
      heldFrames = 0;
    }
    // ---- the own hand holds what the server holds ----
    if (!background && view->Settled() && view->server->GetPhase() != ddz::SingleServerDDZ::Phase::Idle) {
      std::vector<int> shown = view->GetSelfHand()->HandCodes();
      std::sort(shown.begin(), shown.end());
      ASSERT_EQ(shown, view->server->OwnCards()) << "frame " << frame;
      ++settledChecks;
    }
  }
  if (background) {
    director->startAnimation();
    view->CallBackGameEnterForeGround();
  }

  EXPECT_EQ(driver.continues, kHands) << "after " << frame << " frames";
  EXPECT_EQ(view->results, kHands);
  EXPECT_GE(view->deals, kHands);
  EXPECT_EQ(view->deliveredWhileLocked, 0);
  EXPECT_EQ(view->server->refused, 0);
  EXPECT_GT(backgrounds, kHands);
  EXPECT_GT(settledChecks, kHands);
  // The last continue dealt the next hand; once it is dealt nothing holds.
  for (int i = 0; i < 400 && !view->Settled(); ++i) tick(1, 0.25f);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
}

INSTANTIATE_TEST_SUITE_P(TwoHundredHands, InterleavedHands,
                         ::testing::Values(Seeds{59, 20260359}, Seeds{1059, 20261210}),
                         [](const ::testing::TestParamInfo<Seeds>& info) {
                           return "deck" + std::to_string(info.param.deck);
                         });

}  // namespace
}  // namespace classictest
