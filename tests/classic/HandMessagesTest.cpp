// The classic table's hand messages: raw frames in, the table's state, the
// requests, the message lock, the clock and the voices out.
#include <gtest/gtest.h>

#include <algorithm>

#include "HandTestSupport.h"
#include "cards/BaseCard.h"
#include "cards/SelfHandCard.h"
#include "classic/BottomUIPC.h"
#include "classic/LastCardTipPC.h"
#include "classic/SysBoxUIPC.h"
#include "classic/TopUIPC.h"
#include "cards/LastCardPC.h"
#include "widgets/CardCounterLayer.h"
#include "platform/engine/Label.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"

namespace classictest {
namespace {

namespace cm = ddz::classic;

// What a frame leaves behind. Clock: -1 hidden, else the seat it counts for.
struct Step {
  const char* what;
  Frame frame;
  int holdMs;          // added to the hold time
  int clockSeat;       // -1: hidden
  int clockSeconds;    // when shown
  std::string voice;   // the last sound played, "" for none
  int finalPoint;
  int landlord;
  int tableOwner;
  std::size_t tableCards;
  int times;
};

void ExpectStep(HandTest* test, HandView* view, const Step& step, const std::vector<std::string>& sounds) {
  const TableItemDef& t = view->m_TableItem;
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), step.holdMs);
  if (step.clockSeat < 0) {
    EXPECT_FALSE(view->m_pGameClock->isVisible());
  } else {
    EXPECT_TRUE(view->m_pGameClock->isVisible());
    EXPECT_EQ(view->m_pGameClock->GetTablePos(), step.clockSeat);
    EXPECT_EQ(view->m_pGameClock->getClockTime(), step.clockSeconds);
  }
  if (step.voice.empty()) {
    EXPECT_TRUE(sounds.empty()) << sounds.front();
  } else {
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.back(), step.voice);
  }
  EXPECT_EQ(t.iFinalPoint, step.finalPoint);
  EXPECT_EQ(t.iLandOwnerPos, step.landlord);
  EXPECT_EQ(t.iTableCardOwnerPos, step.tableOwner);
  EXPECT_EQ(t.vcTableCardIndex.size(), step.tableCards);
  EXPECT_EQ(t.iTimes, step.times);
  (void)test;
}

TEST_F(HandTest, AScoreModeHandFromTheDealToTheFirstPlays) {
  view->Deliver(Settings(0));
  view->Deliver(Deal(0));
  EXPECT_EQ(view->Requests(), std::vector<int>{25});
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);  // the deal holds the messages
  EXPECT_EQ(view->m_TableItem.iBaseScore, 1);        // single-player
  EXPECT_EQ(view->m_pTopUIPC->GetLabel(2)->getString(), "5000");
  RunUntilUnlocked();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  // Jokers 144 and 177 are cards: the own hand holds all 17.
  const std::vector<int> own = view->GetSelfHand()->HandCodes();
  EXPECT_EQ(own.size(), 17u);
  EXPECT_NE(std::find(own.begin(), own.end(), ddz::kSmallJokerCode), own.end());
  EXPECT_NE(std::find(own.begin(), own.end(), ddz::kBigJokerCode), own.end());
  TakeSounds();

  const std::array<std::uint8_t, 3> bottom{0x2B, 0x2C, 0x2D};
  const Step steps[] = {
      {"bid turn of seat 0", cm::BuildBidTurn(0, 0), 1000, 0, 10, "", 0, -1, -1, 0, 1},
      {"seat 0 bids 1", cm::BuildBidResult(0, 1, 0), 0, -1, 0, "ddzSound/19.mp3", 1, -1, -1, 0, 1},
      {"own bid turn: no clock, no hold", cm::BuildBidTurn(1, 0), 0, -1, 0, "", 1, -1, -1, 0, 1},
      {"a bid not above the highest changes it not", cm::BuildBidResult(1, 1, 0), 0, -1, 0, "ddzSound/19.mp3", 1,
       -1, -1, 0, 1},
      {"seat 2 bids 3", cm::BuildBidResult(2, 3, 0), 0, -1, 0, "ddzSound/21.mp3", 3, -1, -1, 0, 1},
      {"seat 2 is the landlord (the hat's entrance sound)", cm::BuildLandlord(2, 3, bottom), 2000, -1, 0,
       "ddzSound/222.mp3", 3, 2, 2, 0, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    GameViewBase::m_iLockMainMsgTime = 0;
    view->Deliver(step.frame);
    ExpectStep(this, view, step, TakeSounds());
  }
  EXPECT_EQ(view->m_pTopUIPC->GetLabel(0)->getString(), "3");
  EXPECT_EQ(view->m_TableItem.iPointDemand[1], 1);
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 3u);
  EXPECT_EQ(CardCount(2), 20);  // the bottom cards' backs
  EXPECT_GT(GameViewBase::m_iLockMainMsgCount, 0);  // the bottom cards turn, the hat enters
  RunUntilUnlocked();
  ASSERT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  GameViewBase::m_iLockMainMsgTime = 0;
  TakeSounds();

  const std::vector<std::uint8_t> pairOf9 = {0x29, 0x49};
  const Step plays[] = {
      {"the landlord's turn: 25 s for 20 cards", cm::BuildPlayTurn(2), 1000, 2, 25, "", 3, 2, 2, 0, 1},
      {"the landlord plays a pair", Played(2, pairOf9), 0, -1, 0, "ddzSound/0_2_9.mp3", 3, 2, 2, 2, 1},
      {"seat 0's turn: 20 s for 17 cards", cm::BuildPlayTurn(0), 1000, 0, 20, "", 3, 2, 2, 2, 1},
      {"a pass leaves the table cards", Played(0, {}), 0, -1, 0, "ddzSound/23.mp3", 3, 2, 2, 2, 1},
      {"own turn: no clock", cm::BuildPlayTurn(1), 0, -1, 0, "", 3, 2, 2, 2, 1},
      {"the server's 56 for the own seat is the own pass", Played(1, {}), 0, -1, 0, "ddzSound/23.mp3", 3, 2, 2, 2,
       1},
      {"unknown type 99 changes nothing", FrameOf(99, 40), 0, -1, 0, "", 3, 2, 2, 2, 1},
      {"type 58 is ignored", FrameOf(58, 40), 0, -1, 0, "", 3, 2, 2, 2, 1},
      {"type 205 is ignored", FrameOf(205, 40), 0, -1, 0, "", 3, 2, 2, 2, 1},
      {"seat 0 plays a rocket: the multiple doubles", Played(0, {144, 177}), 0, -1, 0, "ddzSound/36.mp3", 3, 2, 0,
       2, 2},
      {"after a rocket the next seat has 1 s", cm::BuildPlayTurn(2), 1000, 2, 1, "", 3, 2, 0, 2, 2},
  };
  for (const Step& step : plays) {
    SCOPED_TRACE(step.what);
    GameViewBase::m_iLockMainMsgTime = 0;
    view->Deliver(step.frame);
    ExpectStep(this, view, step, TakeSounds());
  }
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex, (std::vector<int>{ddz::kSmallJokerCode, ddz::kBigJokerCode}));
  EXPECT_TRUE(view->m_TableItem.bSendRocket);
  EXPECT_EQ(CardCount(0), 15);
  EXPECT_EQ(CardCount(2), 18);
  EXPECT_EQ(CardCount(1), 17);  // the own pass took nothing from the hand
  EXPECT_EQ(view->m_TableItem.iSelfTurnCount, 0);
  EXPECT_EQ(view->Requests(), std::vector<int>{25});
}

TEST_F(HandTest, CallAndRobModeBidsDoubleTheMultipleAndAnswerWithVoices) {
  ddz::os::ScriptedRandom random{0, 0, 0, 0, 0, 0, 0, 0};
  ddz::os::ScopedRandomSource scoped(random);
  view->Deliver(Settings(1, 200));
  EXPECT_EQ(view->m_iGameMode, 1);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iTableFee, 200);
  const int moneyBefore = view->GetPlayerNode(0)->iMoney;
  view->Deliver(Deal(1));
  EXPECT_EQ(view->GetPlayerNode(0)->iMoney, moneyBefore - 200);  // the fee
  RunUntilUnlocked();
  TakeSounds();

  GameViewBase::m_iLockMainMsgTime = 0;
  view->Deliver(cm::BuildBidTurn(1, 1));
  EXPECT_TRUE(view->GetSelfHand()->GetPairButton(SelfHandCard::kPairCall, 1)->isVisible());
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 0);

  view->Deliver(cm::BuildBidResult(1, cm::BidChoice::Call, 2));
  EXPECT_EQ(view->m_TableItem.iPointDemand[1], cm::BidChoice::Call);
  EXPECT_EQ(view->m_TableItem.iTimes, 2);  // 1, then the call's sign doubles it
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);  // the sign flies
  EXPECT_EQ(TakeSounds().back(), "ddzSound/96.mp3");
  RunUntilUnlocked();
  EXPECT_EQ(view->m_pTopUIPC->GetLabel(1)->getString(), "2");

  view->Deliver(cm::BuildBidTurn(2, 2));
  EXPECT_EQ(view->m_pGameClock->getClockTime(), 5);  // a rob answer has 5 s
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 1000);
  view->Deliver(cm::BuildBidResult(2, cm::BidChoice::Rob, 0));
  EXPECT_EQ(view->m_TableItem.iTimes, 4);
  EXPECT_EQ(TakeSounds().back(), "ddzSound/99.mp3");
  RunUntilUnlocked();
  view->Deliver(cm::BuildBidResult(0, cm::BidChoice::DontRob, 0));
  EXPECT_EQ(TakeSounds().back(), "ddzSound/98.mp3");
  view->Deliver(cm::BuildBidResult(0, cm::BidChoice::Double, 0));
  EXPECT_NE(view->m_pPlayerGameInfo[0]->GetAddPound(), nullptr);
  EXPECT_EQ(TakeSounds().back(), "ddzSound/102.mp3");
  EXPECT_EQ(view->m_TableItem.iTimes, 4);  // the doubling itself comes with the result

  // Another seat shows its hand: its row fills and the multiple doubles.
  view->Deliver(ShowHand(2, {0x23, 0x24, 144, 0}));
  EXPECT_EQ(view->m_pMingCard[2]->GetCardCount(), 3);
  EXPECT_EQ(view->m_iShowCardSeat, 2);
  EXPECT_EQ(view->m_TableItem.iTimes, 8);
  EXPECT_EQ(TakeSounds().back(), "ddzSound/135.mp3");
  RunUntilUnlocked();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
}

TEST_F(HandTest, TheDealOfTheOwnChairIsChosenByThatChairAndAnOwnChairOutOfRangeDropsIt) {
  view->m_pPlayerNode[1]->cChairID = 3;
  view->Deliver(Deal(0));
  EXPECT_TRUE(view->Requests().empty());
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(view->m_bHandRunning);
}

// Every message type the table reads, cut one byte short or given a chair
// that is no seat, changes nothing: no state, no request, no lock, no sound.
TEST_F(HandTest, TruncatedFramesAndChairsOutOfRangeChangeNothing) {
  view->Deliver(Settings(0));
  const std::array<std::uint8_t, 3> bottom{0x2B, 0x2C, 0x2D};
  struct Case {
    const char* what;
    Frame frame;
  };
  std::vector<Case> cases;
  const Frame full[] = {Deal(0),
                        cm::BuildBidTurn(0, 0),
                        cm::BuildBidResult(0, 1, 0),
                        cm::BuildLandlord(0, 3, bottom),
                        cm::BuildPlayTurn(0),
                        Played(0, {0x23}),
                        ShowHand(0, {0x23}),
                        Settings(1, 500, 9),
                        Activity(3)};
  for (const Frame& f : full) {
    Frame cut = f;
    cut.resize(static_cast<std::size_t>(GameViewPC::MinMessageLength(f[1]) - 1));
    cases.push_back({"one byte short", cut});
  }
  const Frame chairs[] = {cm::BuildBidTurn(0, 0), cm::BuildBidResult(0, 1, 0), cm::BuildLandlord(0, 3, bottom),
                          cm::BuildPlayTurn(0), Played(0, {0x23}), ShowHand(0, {0x23})};
  for (const Frame& f : chairs) {
    for (std::uint8_t chair : {std::uint8_t{3}, std::uint8_t{200}, std::uint8_t{255}}) {
      Frame bad = f;
      bad[8] = chair;
      cases.push_back({"chair out of range", bad});
    }
  }
  Frame deal = Deal(7);
  cases.push_back({"deal starting at no seat", deal});
  cases.push_back({"frame without body", FrameOf(72, 8)});

  GameViewBase::m_iLockMainMsgTime = 0;
  TakeSounds();
  const int mode = view->m_iGameMode;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " of type " + std::to_string(c.frame.size() > 1 ? c.frame[1] : -1));
    const TableItemDef before = view->m_TableItem;
    view->Deliver(c.frame);
    const TableItemDef& after = view->m_TableItem;
    EXPECT_EQ(after.iFinalPoint, before.iFinalPoint);
    EXPECT_EQ(after.iLandOwnerPos, before.iLandOwnerPos);
    EXPECT_EQ(after.iTableCardOwnerPos, before.iTableCardOwnerPos);
    EXPECT_EQ(after.vcTableCardIndex, before.vcTableCardIndex);
    EXPECT_EQ(after.vcBaseCardIndex, before.vcBaseCardIndex);
    EXPECT_TRUE(std::equal(std::begin(after.iPointDemand), std::end(after.iPointDemand),
                           std::begin(before.iPointDemand)));
    EXPECT_EQ(view->m_iGameMode, mode);
    EXPECT_EQ(view->m_iShowCardSeat, -1);
    EXPECT_TRUE(view->Requests().empty());
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 0);
    EXPECT_FALSE(view->m_pGameClock->isVisible());
    EXPECT_TRUE(TakeSounds().empty());
    for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(CardCount(seat), 0);
  }
}

TEST_F(HandTest, CardBytesThatNameNoCardAreSkipped) {
  view->Deliver(Settings(0));
  // 0x1F (v 31), 0xE3 (suit 7) and 0x3E (suit 1, v 30) are no cards; 0 ends the play.
  view->Deliver(Played(2, {0xE3, 0x23, 0x1F, 0x43, 0x3E}));
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), 2u);
  EXPECT_EQ(view->m_pSendCard[2]->GetCardCount(), 2);
  // A shown hand reads all 20 places: a 0 is an empty place, not the end.
  view->Deliver(ShowHand(0, {0x23, 0, 0x24, 0xFF, 177}));
  EXPECT_EQ(view->m_pMingCard[0]->GetCardCount(), 3);
}

}  // namespace
}  // namespace classictest

namespace classictest {
namespace {

// The bottom bar's panels on the hand's road: the buttons follow the deal, an
// open card counter counts every play, an open last-round tip follows the
// table, and the system box takes the table's lines.
TEST_F(HandTest, TheBottomBarsPanelsFollowTheHand) {
  BottomUIPC* bar = view->m_pBottomUIPC;
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(bar->m_pSysBox, nullptr);
  EXPECT_EQ(bar->m_pSysBox->getParent(), bar);
  EXPECT_FALSE(bar->GetPanelButton(BottomUIPC::kPanelCounter)->isEnabled());

  view->Deliver(Settings(0));
  view->Deliver(Deal(0));
  RunUntilUnlocked();
  EXPECT_TRUE(bar->GetPanelButton(BottomUIPC::kPanelCounter)->isEnabled());

  // Closed, the counter counts nothing; opened, it counts each play.
  view->Deliver(Played(0, {0x03}));
  EXPECT_EQ(bar->m_pCardCounter->GetCount(0), 0);
  bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelCounter));
  ASSERT_EQ(bar->m_pCardCounter->getParent(), bar);
  view->Deliver(Played(2, {0x04, 0x24}));
  EXPECT_EQ(bar->m_pCardCounter->GetCount(1), 2);  // two 4s

  // The last-round tip shows what the seats last played and follows the table.
  bar->OnQuickBtnClick(bar->GetQuickButton(BottomUIPC::kQuickLastRound));
  ASSERT_NE(bar->m_pLastCardTip, nullptr);
  ASSERT_EQ(bar->m_pLastCardTip->getParent(), bar);
  EXPECT_EQ(bar->m_pLastCardTip->GetRow(2)->GetCardCount(), 0);
  view->Deliver(ddz::classic::BuildPlayTurn(2));  // seat 2's play goes into the last round
  EXPECT_EQ(bar->m_pLastCardTip->GetRow(2)->GetCardCount(), 2);
  bar->OnQuickBtnClick(bar->GetQuickButton(BottomUIPC::kQuickLastRound));
  EXPECT_EQ(bar->m_pLastCardTip->getParent(), nullptr);

  // A table line (the table fee of the settings message) reaches the running system box.
  const std::size_t lines = bar->m_pSysBox->GetMessages().size();
  view->Deliver(Settings(0, 100));
  EXPECT_EQ(bar->m_pSysBox->GetMessages().size(), lines + 1);
}

}  // namespace
}  // namespace classictest
