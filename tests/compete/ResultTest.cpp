// The end of a tournament hand and a hand brought back: the spring, the
// score changes counted up over the table and the result's own quit with its
// one lowering of the lock; the re-login snapshot before and after the
// landlord; the background and the foreground.
#include <algorithm>

#include "CompeteTestSupport.h"
#include "support/MidDealBackground.h"
#include "cards/AutoSendCard.h"
#include "cards/BaseCard.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/DealCard.h"
#include "compete/CompetePromotionLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"

namespace competetest {
namespace {

class ResultTest : public CompeteTest {
 protected:
  void Result(const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    view->CallBackGameResultServer(copy.data(), static_cast<int>(copy.size()));
  }
  // Frames until the result numbers are up (the result pause has ended).
  bool RunToNumbers() {
    for (int i = 0; i < 2000; ++i) {
      if (view->GetResultNumber(0) != nullptr) return true;
      tick(1, 1.0f / 60);
    }
    return false;
  }
  std::string NumberText(int seat) const {
    cocos2d::ui::TextAtlas* n = view->GetResultNumber(seat);
    return n != nullptr ? n->getString() : "<none>";
  }
};

TEST_F(ResultTest, TheChangesCountUpInFourStepsAndTheEleventhQuitsOnce) {
  DealAndSettle();
  view->Deliver(Landlord(1, 3));
  RunUntilUnlocked();
  Result(::competetest::Result(true, false, -30, 61, 0));
  EXPECT_TRUE(view->IsResultLockHeld());
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  ASSERT_TRUE(RunToNumbers());
  // Truncated towards zero; ':' and ';' are the atlas's plus and minus.
  const std::vector<std::vector<std::string>> steps = {
      {";7", ":15", "0"}, {";15", ":30", "0"}, {";22", ":45", "0"}, {";30", ":61", "0"}};
  for (std::size_t k = 0; k < steps.size(); ++k) {
    SCOPED_TRACE(k + 1);
    EXPECT_EQ(view->GetResultStep(), static_cast<int>(k + 1));
    for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(NumberText(seat), steps[k][static_cast<std::size_t>(seat)]);
    tick(1, 0.3f);
  }
  EXPECT_EQ(view->m_TableItem.iCompeteAmount[0], 70);
  EXPECT_EQ(view->m_TableItem.iCompeteAmount[1], 261);
  EXPECT_EQ(view->m_TableItem.iCompeteAmount[2], 300);
  EXPECT_EQ(view->m_pPlayerGameInfo[1]->GetAmountLabel()->getString(), "261");
  for (int step = 6; step < CompeteGameView::kResultQuitStep; ++step) {
    tick(1, 0.3f);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1) << "held through step " << step;
  }
  tick(1, 0.3f);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(view->IsResultLockHeld());
  EXPECT_EQ(view->GetResultNumber(0), nullptr);
  // A second quit lowers nothing that is not the result's.
  GameViewBase::m_iLockMainMsgCount += 1;
  view->OnResultBtnQuit();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  GameViewBase::m_iLockMainMsgCount -= 1;
  EXPECT_EQ(view->GetHandsPlayed(), 1);
  EXPECT_EQ(view->GetTodayPlayNum(), 1);
}

// A hand ended on auto-play: the next one starts off it, the overlay gone
// and the server told once.
TEST_F(ResultTest, TheTableAfterAResultIsOffAutoPlay) {
  DealAndSettle();
  view->Deliver(Landlord(1, 3));
  RunUntilUnlocked();
  view->Deliver(Seat(CompeteGameView::kMsgPlayTurn, 1, 9));
  tick();
  CompeteSelfHandCard* hand = view->GetSelfHand();
  ASSERT_NE(hand, nullptr);
  hand->OnAutoOperate();
  ASSERT_GT(hand->GetAutoPlayCount(), 0);
  ASSERT_NE(hand->GetAutoSendCard()->getParent(), nullptr);
  view->ClearRequests();
  GameSceneBase::m_pGameView = view;  // the overlay's requests go to the scene's view
  Result(::competetest::Result(true, false, 60, -30, -30));
  ASSERT_TRUE(RunToNumbers());
  RunUntilUnlocked();
  EXPECT_EQ(hand->GetAutoPlayCount(), 0);
  EXPECT_EQ(hand->GetAutoSendCard()->getParent(), nullptr);
  std::vector<int> states;
  for (const Frame& f : view->Requests())
    if (f[1] == 76) states.push_back(f[9]);
  EXPECT_EQ(states, std::vector<int>{0});
  GameSceneBase::m_pGameView = nullptr;
}

TEST_F(ResultTest, ASpringDoublesOnceBeforeTheDisplay) {
  DealAndSettle();
  view->m_TableItem.iTimes = 3;
  Result(::competetest::Result(false, true, 10, -20, 10));
  EXPECT_EQ(view->m_TableItem.iTimes, 6);
  ASSERT_TRUE(RunToNumbers());
  EXPECT_EQ(view->m_TableItem.iTimes, 6);
}

TEST_F(ResultTest, AShortResultIsReadZeroPadded) {
  DealAndSettle();
  Frame shortResult = ::competetest::Result(true, false, 5, 5, 5, 80);  // ends inside table number 1's change
  Result(shortResult);
  ASSERT_TRUE(RunToNumbers());
  EXPECT_EQ(view->GetSeatChange(0), 5);
  EXPECT_EQ(view->GetSeatChange(1), 0);
  EXPECT_EQ(view->GetSeatChange(2), 0);
  EXPECT_EQ(NumberText(2), "0");
}

TEST_F(ResultTest, TheResultDisplayStartsWithNoPassSignOverTheScores) {
  DealAndSettle();
  view->Deliver(Landlord(1, 3));
  RunUntilUnlocked();
  view->Deliver(Played(1, {0x03}));
  view->Deliver(Played(2, {}));
  view->Deliver(Played(0, {}));
  ASSERT_NE(view->m_pPlayerGameInfo[0]->GetPass(), nullptr);
  ASSERT_NE(view->m_pPlayerGameInfo[2]->GetPass(), nullptr);
  Result(::competetest::Result(true, false, -10, 20, -10));
  ASSERT_TRUE(RunToNumbers());
  EXPECT_EQ(view->GetResultStep(), 1) << "the first step, long before the table resets";
  for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(view->m_pPlayerGameInfo[seat]->GetPass(), nullptr) << seat;
}

// ---------------------------------------------------------------- re-login

struct Snapshot {
  bool inPlay = true;
  int landlord = -1;
  int baseScore = 10;
  int total = 40;
  int demands[3] = {1, 2, 0};
  std::vector<std::uint8_t> own = {0x03, 0x04, 0x05, 0x06, 0};
  std::vector<std::uint8_t> lastPlay = {0x2a, 0x4a};
  int lastOwner = 2;
};
Frame SnapshotFrame(const Snapshot& s) {
  Frame f = FrameOf(109, CompeteGameView::kReloginSize);
  f[141] = 9;
  PutBE(f, 148, 12);
  PutBE(f, 152, 99);
  f[160] = s.inPlay ? 2 : 0;
  for (int t = 0; t < 3; ++t) {
    for (std::size_t i = 0; i < 6; ++i)
      f[163 + 20 * t + i] = t == 1 ? (i < s.own.size() ? s.own[i] : 0) : static_cast<std::uint8_t>(0x23 + i);
    f[257 + t] = static_cast<std::uint8_t>(s.demands[t]);
    PutBE(f, 272 + 4 * t, 1000 * (t + 1));
  }
  f[223] = 0x41;
  f[224] = 0x42;
  f[225] = 0x43;
  f[226] = static_cast<std::uint8_t>(s.landlord);
  f[228] = 3;
  PutBE(f, 232, s.total);
  for (std::size_t i = 0; i < s.lastPlay.size(); ++i) f[236 + i] = s.lastPlay[i];
  f[256] = static_cast<std::uint8_t>(s.lastOwner);
  f[260] = 1;
  f[261] = 1;
  PutBE(f, 268, s.baseScore);
  f[284] = 0x2d;
  return f;
}

class ReloginTest : public ResultTest {
 protected:
  void Relogin(const Frame& f) {
    std::vector<char> copy(f.begin(), f.end());
    view->CallBackAgainLogin(copy.data(), static_cast<int>(copy.size()));
  }
};

TEST_F(ReloginTest, BeforeTheLandlordTheBidsAndFaceDownBottomCardsComeBack) {
  Relogin(SnapshotFrame({}));
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, -1);
  EXPECT_EQ(view->m_TableItem.iFinalPoint, 2) << "the highest demand";
  EXPECT_EQ(view->m_TableItem.iPointDemand[0], 1);
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 3);
  EXPECT_EQ(CardCount(1), 4) << "the own cards up to the empty place";
  EXPECT_EQ(CardCount(0), 6);
  EXPECT_EQ(view->m_TableItem.iCompeteAmount[2], 3000);
  EXPECT_EQ(view->m_TableItem.iTimes, 4) << "total / base score";
  EXPECT_EQ(view->iTableNum, 9);
  EXPECT_EQ(view->iCurOrder, 12);
  EXPECT_EQ(view->iAllPlayer, 99);
  EXPECT_EQ(view->m_TableItem.iSendBombNum, 1);
  EXPECT_TRUE(view->m_TableItem.bSendRocket);
}

TEST_F(ReloginTest, AfterTheLandlordTheLastPlayAndTheBottomCardsComeBack) {
  Snapshot s;
  s.landlord = 1;
  Relogin(SnapshotFrame(s));
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, 1);
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 2);
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), 2u);
  EXPECT_EQ(view->m_pSendCard[2]->GetCardCount(), 2);
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 3u);
  EXPECT_NE(view->m_pPlayerGameInfo[1]->GetLandOwner(), nullptr);
  EXPECT_EQ(view->GetSelfHand()->GetRole(), 2);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0) << "the hat of a re-login holds nothing";
}

// The window goes away in the middle of the deal: the deal goes with the
// table, so the snapshot alone fills the hands and the bottom cards.
TEST_F(ReloginTest, ABackgroundDuringTheDealLeavesTheHandsToTheSnapshot) {
  view->Deliver(CompeteDeal());
  ASSERT_NO_FATAL_FAILURE(ddz::test::LeaveAndComeBackMidDeal(
      *view, [this](int n) { tick(n, 0.05f); }, [this] { return CardCount(1); }, 17));
  Relogin(SnapshotFrame({}));
  tick(200, 0.05f);
  EXPECT_EQ(CardCount(1), 4) << "the own cards up to the empty place";
  EXPECT_EQ(CardCount(0), 6);
  EXPECT_EQ(CardCount(2), 6);
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 3);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
}

TEST_F(ReloginTest, ABaseScoreOfZeroOrLessGivesMultipleOne) {
  for (int base : {0, -5}) {
    SCOPED_TRACE(base);
    Snapshot s;
    s.baseScore = base;
    s.total = 70;
    Relogin(SnapshotFrame(s));
    EXPECT_EQ(view->m_TableItem.iTimes, 1);
  }
}

TEST_F(ReloginTest, AShortSnapshotOrOneNamingNoSeatChangesNothing) {
  DealAndSettle();
  const TableState before = StateOf(view);
  Frame shortOne = SnapshotFrame({});
  shortOne.resize(CompeteGameView::kReloginSize - 1);
  Relogin(shortOne);
  EXPECT_EQ(StateOf(view), before);
  Snapshot s;
  s.landlord = 5;
  Relogin(SnapshotFrame(s));
  EXPECT_EQ(StateOf(view), before);
  s.landlord = 1;
  s.lastOwner = 3;
  Relogin(SnapshotFrame(s));
  EXPECT_EQ(StateOf(view), before);
}

TEST_F(ReloginTest, BetweenHandsTheSnapshotLaysNoHandOut) {
  Snapshot s;
  s.inPlay = false;
  Relogin(SnapshotFrame(s));
  EXPECT_EQ(CardCount(1), 0);
  EXPECT_EQ(view->iTableNum, 9);
}

TEST_F(ReloginTest, TheSnapshotSetsThePromotionsAsAMoveDoesAndBetweenHandsShowsThePromotionScreen) {
  struct Case {
    const char* name;
    std::vector<int> stages;
    bool inPlay;
    int promotions;
    bool shown;
  };
  const Case cases[] = {
      {"between hands, two equal first stages", {96, 96, 48, 9, 3}, false, 1, true},
      {"between hands, no repeated first stage", {96, 48, 9, 3, 1}, false, 2, true},
      {"between hands, past the shown stages", {96, 48, 9, 3}, false, 2, false},
      {"a hand in play", {96, 96, 48, 9, 3}, true, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CompeteGameInfo::shareCompeteGameInfo()->m_vcStages = c.stages;
    view->NewPromotionLayer();
    Snapshot s;
    s.inPlay = c.inPlay;
    Frame f = SnapshotFrame(s);
    f[140] = 2;  // the stage
    Relogin(f);
    ASSERT_NE(view->m_pCompetePromotionLayer, nullptr);
    EXPECT_EQ(view->m_pCompetePromotionLayer->GetBrevetTimes(), c.promotions);
    EXPECT_EQ(view->IsPromotionLayerShown(), c.shown);
    if (c.shown) {
      EXPECT_EQ(view->m_pCompetePromotionLayer->GetCurOrder(), 12) << "the snapshot's rank on it";
    }
  }
  CompeteGameInfo::shareCompeteGameInfo()->m_vcStages.clear();
}

// ---------------------------------------------------------------- background

TEST_F(ResultTest, TheBackgroundTakesEveryHoldOffAndTheForegroundLogsInAgain) {
  view->Deliver(CompeteDeal());
  tick(2, 0.05f);
  Result(::competetest::Result(true, false, 1, 2, 3));
  view->ShowDoubleAni(0, 2);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 3) << "the deal, the result and the sign";
  // Held, so that the new hand cannot take the old one's freed address.
  auto* oldHand = view->GetSelfHand();
  ASSERT_NE(oldHand, nullptr);
  oldHand->retain();
  const auto authens = [] {
    const auto& lines = cocos2d::Log::lines();
    return std::count(lines.begin(), lines.end(), "IniMainSocketAuthen: single-player, authenticated locally");
  };
  const auto authensBefore = authens();
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1) << "only the background's own raise";
  EXPECT_EQ(view->m_pHandCard[1], nullptr);
  EXPECT_EQ(view->m_pGameClock, nullptr);
  tick(3, 0.05f);
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  ASSERT_NE(view->GetSelfHand(), nullptr);
  EXPECT_NE(view->GetSelfHand(), oldHand);
  oldHand->release();
  EXPECT_TRUE(view->GetSelfHand()->isRunning());
  ASSERT_NE(view->m_pGameClock, nullptr);
  EXPECT_TRUE(view->m_pGameClock->isRunning());
  EXPECT_EQ(authens(), authensBefore + 1);
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0) << "never below 0, and only once";
  // The new table deals again.
  DealAndSettle();
  EXPECT_EQ(CardCount(1), 17);
}

}  // namespace
}  // namespace competetest
