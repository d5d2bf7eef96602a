// The classic table's hand messages: raw frames in, the table's state, the
// requests, the message lock, the clock and the voices out.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "HandTestSupport.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/SelfHandCard.h"
#include "classic/BottomUIPC.h"
#include "classic/LastCardTipPC.h"
#include "classic/SysBoxUIPC.h"
#include "classic/TopUIPC.h"
#include "cards/LastCardPC.h"
#include "widgets/CardCounterLayer.h"
#include "platform/engine/Label.h"
#include "widgets/GameClock.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/TaskUI.h"
#include "platform/gamebase/AniBase.h"
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
  const auto bidSigns = [&] {
    int shown = 0;
    for (int seat = 0; seat < 3; ++seat) {
      PlayerGameInfo* info = view->m_pPlayerGameInfo[seat];
      if (info != nullptr && info->GetPoint() != nullptr && info->GetPoint()->isVisible()) ++shown;
    }
    return shown;
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    GameViewBase::m_iLockMainMsgTime = 0;
    if (&step == &steps[std::size(steps) - 1]) {
      EXPECT_EQ(bidSigns(), 3) << "each seat's bid stands by it";
    }
    view->Deliver(step.frame);
    ExpectStep(this, view, step, TakeSounds());
  }
  // The bids are over: the hat flies to the landlord over no bid sign.
  EXPECT_EQ(bidSigns(), 0);
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

// The face-up card belongs to the deal: it shows while the deal runs and
// leaves the table with the deal's layer, which the next hand's deal brings
// back.
TEST_F(HandTest, TheFaceUpCardLeavesWithTheDealAndTurnsUpAgainAtTheNextDeal) {
  view->Deliver(Settings(0));
  for (int hand = 0; hand < 2; ++hand) {
    SCOPED_TRACE(hand);
    view->Deliver(Deal(0));
    auto* deal = dynamic_cast<DealCard*>(view->m_pDealCard);
    ASSERT_NE(deal, nullptr);
    EXPECT_EQ(deal->getParent(), view) << "each deal is on the table while it deals";
    bool faceUpSeen = false;
    for (int frames = 0; deal->IsDealing() && frames < 600; ++frames) {
      tick(1, 0.05f);
      faceUpSeen = faceUpSeen || (deal->GetLanderSprite() != nullptr && deal->GetLanderSprite()->isVisible() &&
                                  deal->getParent() == view);
    }
    EXPECT_TRUE(faceUpSeen) << "the card is turned face up during the deal";
    EXPECT_EQ(deal->getParent(), nullptr) << "the deal's end takes its face-up card off the table";
    EXPECT_EQ(view->m_pDealCard, deal) << "the same deal serves the next hand";
    EXPECT_EQ(view->GetSelfHand()->HandCodes().size(), 17u);
    view->ResetTable();
  }
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
  EXPECT_EQ(view->m_pGameClock->getClockTime(), 10);  // another seat's rob keeps its 10 s
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 1000);
  // The own answer to rob has 5 s (shown at a network table only: the
  // single-player game shows no clock for the own decisions).
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  view->Deliver(cm::BuildBidTurn(1, 2));
  EXPECT_TRUE(view->m_pGameClock->isVisible());
  EXPECT_EQ(view->m_pGameClock->getClockTime(), 5);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
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

  // A rocket in call-and-rob mode is the seat effect with the bomb's words
  // (voice 16), not the rocket's, and leaves the multiple to the result.
  view->Deliver(Played(0, {144, 177}));
  EXPECT_EQ(TakeSounds().back(), "ddzSound/35.mp3");
  EXPECT_EQ(view->m_TableItem.iTimes, 8);
  EXPECT_TRUE(view->m_TableItem.bSendRocket);
  RunUntilUnlocked();
}

// The table fee of call-and-rob mode comes off each seat's money at the deal
// and stops at an int's end.
TEST_F(HandTest, TheTableFeeAtTheDealStopsAtAnIntsEnd) {
  const struct {
    int fee, money, after;
  } cases[] = {{200, 1000, 800}, {INT_MAX, -100, INT_MIN}, {INT_MIN, 100, INT_MAX}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fee);
    view->Deliver(Settings(1, c.fee));
    view->GetPlayerNode(0)->iMoney = c.money;
    view->Deliver(Deal(0));
    EXPECT_EQ(view->GetPlayerNode(0)->iMoney, c.after);
    RunUntilUnlocked();
  }
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

// A server may send only the fields the table reads: a message is taken when
// it reaches the end of the last field its handler reads, and dropped one
// byte before. The hand is walked with each message first one byte short,
// then at exactly its minimum.
TEST_F(HandTest, AMessageReachingItsLastReadFieldIsTakenOneByteLessIsDropped) {
  const std::array<std::uint8_t, 3> bottom{0x2B, 0x2C, 0x2D};
  Frame awardCountdown = Activity(1);
  PutLE(awardCountdown, 12, 90);
  Frame award = Activity(3);
  PutLE(award, 24, 2);
  const struct {
    const char* what;
    Frame frame;
    std::size_t minimum;
    std::function<bool()> took;
    bool runAfter;
  } steps[] = {
      {"38 settings", Settings(1), 24, [&] { return view->m_iGameMode == 1; }, false},
      {"71 deal", Deal(0), 116, [&] { return CardCount(1) > 0 || GameViewBase::m_iLockMainMsgCount > 0; }, true},
      {"72 bid turn", cm::BuildBidTurn(0, 1), 10, [&] { return view->m_pGameClock->isVisible(); }, false},
      {"54 bid result", cm::BuildBidResult(0, 4, 2), 11, [&] { return view->m_TableItem.iPointDemand[0] == 4; },
       true},
      {"55 landlord", cm::BuildLandlord(0, 0, bottom), 13, [&] { return view->m_TableItem.iLandOwnerPos == 0; },
       true},
      {"73 play turn", cm::BuildPlayTurn(2), 9,
       [&] { return view->m_pGameClock->isVisible() && view->m_pGameClock->GetTablePos() == 2; }, false},
      {"56 played", Played(2, {0x29}), 29, [&] { return view->m_TableItem.vcTableCardIndex.size() == 1; }, false},
      {"23 shows hand", ShowHand(0, {0x23}), 29, [&] { return view->m_iShowCardSeat == 0; }, true},
      {"39 kind 1", awardCountdown, 16, [&] { return view->m_pActivityLayer->FindActiveBtn(2) != nullptr; }, false},
      {"39 kind 3", award, 36, [&] { return view->m_iNewPlayerAward == 1; }, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_GE(step.frame.size(), step.minimum);
    Frame exact = step.frame;
    exact.resize(step.minimum);
    Frame cut = step.frame;
    cut.resize(step.minimum - 1);
    view->Deliver(cut);
    EXPECT_FALSE(step.took());
    view->Deliver(exact);
    EXPECT_TRUE(step.took());
    if (step.runAfter) RunUntilUnlocked();
  }
}

void PutBE(Frame& f, std::size_t at, int v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (24 - 8 * i));
}

// At a network table each deal counts the counter activity down by one hand;
// while the web activity runs, a money task (main type 1) shows the
// yuanbao-double banner and the panel shows half the prize until the banner
// ends with the full one.
TEST_F(HandTest, EachDealCountsTheActivityDownAndTheWebActivityDoublesAMoneyTask) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  ActivityLayer* bar = view->m_pActivityLayer;
  Frame counterInfo = FrameOf(34, 28);
  counterInfo[8] = 1;
  PutLE(counterInfo, 12, 3);
  PutLE(counterInfo, 20, 5);  // hands left
  view->Deliver(counterInfo);
  auto* counter = dynamic_cast<TVActiveBtn*>(bar->FindActiveBtn(ActivityLayer::kTypeCounter));
  ASSERT_NE(counter, nullptr);
  ASSERT_EQ(counter->GetLeftCount(), 5);

  Frame deal = Deal(0);
  PutBE(deal, 100, 400);  // the prize
  PutBE(deal, 104, 1);    // a money task
  struct Case {
    const char* what;
    int webCountdown;  // 0: no web activity
    int leftAfter;
    int panelPrize;
    bool banner;
  };
  const Case cases[] = {
      {"no web activity: the prize as it stands", 0, 4, 400, false},
      {"the web activity runs: half on the panel, the banner", 600, 3, 200, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.webCountdown > 0) {
      Frame settings = Settings(0);
      PutLE(settings, 12, c.webCountdown);
      view->Deliver(settings);
    }
    counter->ShowTips();
    view->Deliver(deal);
    EXPECT_EQ(counter->GetLeftCount(), c.leftAfter);
    // The open tip is filled anew, not a second time over itself.
    ASSERT_NE(counter->GetTips(), nullptr);
    EXPECT_EQ(counter->TipTexts().size(), 2u);
    ASSERT_NE(view->m_pTaskUI, nullptr);
    EXPECT_EQ(view->m_pTaskUI->iJPNum, c.panelPrize);
    AniManage* anis = view->GetAniManage();
    EXPECT_EQ(anis->GetRunningCount() + anis->GetQueuedCount(), c.banner ? 1u : 0u);
    for (int i = 0; i < 400 && anis->GetRunningCount() + anis->GetQueuedCount() > 0; ++i) tick(1, 0.05f);
    EXPECT_EQ(view->m_pTaskUI->iJPNum, 400);  // the banner's end shows the full prize
    RunUntilUnlocked();
  }
}

// The own landlord takes the bottom cards raised: the turn counts as started,
// so the first touch lowers them. After an own play the hand slides its
// cards together from where they stood, marked as animating until the slide
// ends.
TEST_F(HandTest, TheOwnLandlordsBottomCardsWaitForTheFirstTouchAndAPlaySlidesTheHand) {
  const std::array<std::uint8_t, 3> bottom{0x2B, 0x2C, 0x2D};
  view->Deliver(Settings(0));
  view->Deliver(Deal(0));
  RunUntilUnlocked();
  SelfHandCard* hand = view->GetSelfHand();
  ASSERT_FALSE(hand->IsTurnStarted());
  view->Deliver(cm::BuildLandlord(1, 3, bottom));
  RunUntilUnlocked();
  ASSERT_EQ(hand->GetCardCount(), 20);
  EXPECT_TRUE(hand->IsTurnStarted());

  view->Deliver(cm::BuildPlayTurn(1));
  const char play[] = {0x03};
  view->ShowSelfOutCard(play, 1);
  // The cards leave the hand when the server takes the play.
  EXPECT_EQ(hand->GetCardCount(), 20);
  view->Deliver(Played(1, {0x03}));
  ASSERT_EQ(hand->GetCardCount(), 19);
  EXPECT_TRUE(hand->IsAnimating());
  for (int i = 0; i < 100 && hand->IsAnimating(); ++i) tick(1, 0.05f);
  EXPECT_FALSE(hand->IsAnimating());
}

TEST_F(HandTest, CardBytesThatNameNoCardAreSkipped) {
  view->Deliver(Settings(0));
  view->Deliver(Deal(0));
  RunUntilUnlocked();
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

// The bottom bar's panels on the hand's road: the buttons follow the deal, the
// card counter counts every play whether open or not, an open last-round tip follows the
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

  // The counter counts every play of the hand: one opened in the middle of
  // the hand shows what was played before it was opened, too.
  view->Deliver(Played(0, {0x03}));
  EXPECT_EQ(bar->m_pCardCounter->getParent(), nullptr);
  bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelCounter));
  ASSERT_EQ(bar->m_pCardCounter->getParent(), bar);
  EXPECT_EQ(bar->m_pCardCounter->GetCount(0), 1);  // the 3 played while it was closed
  view->Deliver(Played(2, {0x04, 0x24}));
  EXPECT_EQ(bar->m_pCardCounter->GetCount(1), 2);  // two 4s
  // Its mode buttons take a click through the window, remaining then played,
  // also when the strip is opened again.
  tick(10);
  bar->m_pCardCounter->ShowPlayed();
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening == 0 ? "opened once" : "closed and opened again");
    for (int mode : {CardCounterLayer::kModeRemaining, CardCounterLayer::kModePlayed}) {
      cocos2d::ui::Button* shown = mode == CardCounterLayer::kModeRemaining ? bar->m_pCardCounter->GetRemainButton()
                                                                             : bar->m_pCardCounter->GetPlayedButton();
      ASSERT_TRUE(shown->isVisible());
      const cocos2d::Vec2 at = shown->convertToWorldSpaceAR(cocos2d::Vec2::ZERO);
      // A mouse's click: pressed, moved a point, released.
      window->touchBegan(at.x, 720 - at.y);
      window->touchMoved(at.x + 1, 720 - at.y);
      window->touchEnded(at.x + 1, 720 - at.y);
      EXPECT_EQ(bar->m_pCardCounter->GetShowMode(), mode) << "a click at " << at.x << "," << at.y;
      tick(1);
    }
    bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelCounter));
    tick(2);
    ASSERT_EQ(bar->m_pCardCounter->getParent(), nullptr);
    bar->OnPanelBtnClick(bar->GetPanelButton(BottomUIPC::kPanelCounter));
    tick(2);
    ASSERT_EQ(bar->m_pCardCounter->getParent(), bar);
  }

  // The last-round tip shows what the seats last played and follows the table.
  bar->OnQuickBtnClick(bar->GetQuickButton(BottomUIPC::kQuickLastRound));
  ASSERT_NE(bar->m_pLastCardTip, nullptr);
  ASSERT_EQ(bar->m_pLastCardTip->getParent(), bar);
  EXPECT_EQ(bar->m_pLastCardTip->GetRow(2)->GetCardCount(), 0);
  view->Deliver(ddz::classic::BuildPlayTurn(2));  // seat 2's play goes into the last round
  EXPECT_EQ(bar->m_pLastCardTip->GetRow(2)->GetCardCount(), 2);
  bar->OnQuickBtnClick(bar->GetQuickButton(BottomUIPC::kQuickLastRound));
  EXPECT_EQ(bar->m_pLastCardTip->getParent(), nullptr);

  // A table line (the table fee of the settings message) reaches the running
  // system box as a plain line (kind 0).
  const std::size_t lines = bar->m_pSysBox->GetMessages().size();
  view->Deliver(Settings(0, 100));
  ASSERT_EQ(bar->m_pSysBox->GetMessages().size(), lines + 1);
  EXPECT_EQ(bar->m_pSysBox->GetMessages().back().kind, 0);
}

// The last round in the first trick: the pass word stands for a seat that
// passed; a seat that has not played yet in this hand shows an empty place,
// and its first play fills it.
TEST_F(HandTest, TheLastRoundShowsThePassWordOnlyForASeatThatPassed) {
  const std::array<std::uint8_t, 3> bottom{0x2B, 0x2C, 0x2D};
  BottomUIPC* bar = view->m_pBottomUIPC;
  view->Deliver(Settings(0));
  view->Deliver(Deal(0));
  RunUntilUnlocked();
  view->Deliver(cm::BuildLandlord(0, 3, bottom));
  RunUntilUnlocked();
  view->Deliver(cm::BuildPlayTurn(0));
  view->Deliver(Played(0, {0x23}));
  view->Deliver(cm::BuildPlayTurn(1));
  view->Deliver(Played(1, {}));
  view->Deliver(cm::BuildPlayTurn(2));
  view->Deliver(Played(2, {0x25}));
  view->Deliver(cm::BuildPlayTurn(0));
  view->Deliver(Played(0, {0x26}));
  view->Deliver(cm::BuildPlayTurn(1));  // the own second turn: the last round opens
  ASSERT_TRUE(bar->GetQuickButton(BottomUIPC::kQuickLastRound)->isEnabled());
  bar->OnQuickBtnClick(bar->GetQuickButton(BottomUIPC::kQuickLastRound));
  LastCardTipPC* tip = bar->m_pLastCardTip;
  ASSERT_EQ(tip->getParent(), bar);
  ASSERT_TRUE(tip->isVisible());

  const auto passShown = [&](int seat) {
    return tip->GetPassSprite(seat) != nullptr && tip->GetPassSprite(seat)->isVisible();
  };
  struct Seat {
    const char* what;
    int seat;
    int cards;
    bool pass;
  };
  const auto expect = [&](const std::vector<Seat>& seats) {
    for (const Seat& s : seats) {
      SCOPED_TRACE(s.what);
      EXPECT_EQ(tip->GetRow(s.seat)->GetCardCount(), s.cards);
      EXPECT_EQ(passShown(s.seat), s.pass);
      EXPECT_EQ(view->LastRoundPassed(s.seat), s.pass);
    }
  };
  expect({{"seat 0 led", 0, 1, false},
          {"the own seat passed", 1, 0, true},
          {"seat 2 had not played when its turn came", 2, 0, false}});

  // Seat 2's turn comes again: its play of the first trick is its entry now.
  view->Deliver(Played(1, {}));
  view->Deliver(cm::BuildPlayTurn(2));
  expect({{"seat 2 played", 2, 1, false}, {"the own seat passed", 1, 0, true}});
}

}  // namespace
}  // namespace classictest
