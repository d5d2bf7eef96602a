// The Super view's table: the player-count mode and what it builds, the
// hand's messages as tables of cases, the requests of the own hand, the task
// test, the result per mode and the result buttons.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "SuperTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/DealCard.h"
#include "cards/ErYieldCardLayer.h"
#include "cards/SendCard.h"
#include "cards/SpriteCardManage.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/framework/PCBaseFrame.h"
#include "gamedata/TextTables.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "support/HeadClicks.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/ResultLayer.h"
#include "widgets/RuleFiles.h"
#include "widgets/SpecialRuleLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/TopUI.h"

namespace supertest {
namespace {

using ModeTable = SuperTest;

TEST_F(ModeTable, TheModeChoosesSeatsKindAndTheChairToSeatRule) {
  struct Case {
    int mode, seats, kind;
    int seatOfChair0, seatOfChair2;
  } cases[] = {
      {0, 3, SuperGameView::kKindScore, 0, 2},
      {1, 3, SuperGameView::kKindCallRob, 0, 2},
      {2, 2, SuperGameView::kKindTwoSeats, 0, -1},
      {5, 3, SuperGameView::kKindScore, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    SetUp();
    view->Deliver(ModeMsg(c.mode));
    EXPECT_TRUE(view->IsTableBuilt());
    EXPECT_EQ(view->GetPlayerCount(), c.seats);
    EXPECT_EQ(view->GetGameKind(), c.kind);
    EXPECT_EQ(view->SeatOfChair(0, "test"), c.seatOfChair0);
    EXPECT_EQ(view->SeatOfChair(1, "test"), 1);
    EXPECT_EQ(view->SeatOfChair(2, "test"), c.seatOfChair2);
    EXPECT_EQ(view->SeatOfChair(3, "test"), -1);
    // Two seats: the opponent's widgets stand at the fourth place and seat 3's
    // slots point at them; three seats: every seat has its own.
    if (c.seats == 2) {
      EXPECT_EQ(view->m_pHandCard[3], view->m_pHandCard[0]);
      EXPECT_EQ(view->PlaceOf(0), 3);
      EXPECT_EQ(view->m_pHandCard[2], nullptr);
    } else {
      EXPECT_NE(view->m_pHandCard[2], nullptr);
      EXPECT_EQ(view->PlaceOf(0), 0);
    }
    TearDown();
  }
  SetUp();
}

TEST_F(ModeTable, ASecondModeChangesNothingAndHandMessagesBeforeTheTableAreDropped) {
  view->Deliver(DealMsg());
  EXPECT_EQ(view->Requests(), std::vector<int>{});
  EXPECT_FALSE(view->IsTableBuilt());
  view->Deliver(ModeMsg(2));
  Vell_SpriteCardManage* opponent = view->m_pHandCard[0];
  view->Deliver(ModeMsg(1));
  EXPECT_EQ(view->GetMode(), 2);
  EXPECT_EQ(view->GetPlayerCount(), 2);
  EXPECT_EQ(view->m_pHandCard[0], opponent);
  EXPECT_TRUE(LogHas("mode 1 ignored"));
}

TEST_F(ModeTable, ATruncatedFrameOfAnyTypeChangesNothing) {
  Frame mode = ModeMsg(1);
  mode.resize(11);
  view->Deliver(mode);
  EXPECT_FALSE(view->IsTableBuilt());
  view->Deliver(ModeMsg(1));
  const struct {
    Frame frame;
    int keep;
  } cases[] = {
      {DealMsg(), 115}, {Bid(72, 1, 1), 9}, {Bid(54, 0, 4), 9}, {Landlord(0, 3), 12},
      {Bid(73, 1, 0), 8}, {Play(0, {3, 3}), 40}, {FrameOf(38, 25), 24}, {FrameOf(23, 29), 28},
      {FrameOf(62, 12), 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frame[1]);
    Frame cut = c.frame;
    cut.resize(static_cast<std::size_t>(c.keep));
    const TableItemDef before = view->m_TableItem;
    view->Deliver(cut);
    EXPECT_EQ(view->Requests(), std::vector<int>{});
    EXPECT_EQ(view->m_TableItem.iTimes, before.iTimes);
    EXPECT_EQ(view->m_TableItem.iLandOwnerPos, before.iLandOwnerPos);
    EXPECT_EQ(CardCount(1), 0);
  }
}

// The local server's play is the classic 36 bytes: read as a play with no
// wildcard pair. From a game server a play shorter than 41 bytes is dropped.
TEST_F(ModeTable, OnlyTheLocalServersPlayMayBeShortAndItIsReadZeroPadded) {
  Dealt(0);
  Frame play = Play(0, {0x03, 0x23}, 32, 3, {0x10}, {0x23});
  struct Case {
    const char* name;
    bool single;
    int keep;
    std::size_t onTable;
  } const cases[] = {
      {"network, cut before the matched bytes", false, 40, 0},
      {"single-player, cut before the type", true, 30, 0},
      {"single-player, the classic length", true, 36, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameViewBase::m_GlobalInfo.iPlayMode = c.single ? 1 : 0;
    view->m_TableItem.vcTableCardIndex.clear();
    Frame cut = play;
    cut.resize(static_cast<std::size_t>(c.keep));
    view->Deliver(cut);
    ASSERT_EQ(view->m_TableItem.vcTableCardIndex.size(), c.onTable);
    if (c.onTable == 0) continue;
    // No pair came: neither card carries a wildcard mark.
    auto* row = dynamic_cast<SpriteCardManage*>(view->m_pSendCard[0]);
    ASSERT_NE(row, nullptr);
    for (const SpriteCardInfo* card : row->GetCards()) EXPECT_EQ(card->iWildcardValue, -1);
  }
}

using HandMessages = SuperTest;

TEST_F(HandMessages, TheDealReadsItsBigEndianFieldsAndRefusesAChairThatIsNone) {
  struct Case {
    const char* name;
    bool single;
    int ownChair;  // -1: no record at seat 1
    bool dealt;
    int baseScore;
  } cases[] = {
      {"single-player: base 1", true, 1, true, 1},
      {"network: base from the deal", false, 1, true, 40},
      {"own chair 3", true, 3, false, 0},
      {"no own record", true, -1, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    view->Deliver(ModeMsg(0));
    PlayerNode* self = view->m_pPlayerNode[1];
    if (c.ownChair < 0) {
      view->m_pPlayerNode[1] = nullptr;
    } else {
      self->cChairID = static_cast<std::uint8_t>(c.ownChair);
    }
    GameViewBase::m_GlobalInfo.iPlayMode = c.single ? 1 : 0;
    view->Deliver(DealMsg(2));
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    RunUntilUnlocked();
    if (c.dealt) {
      EXPECT_EQ(view->m_TableItem.iBaseScore, c.baseScore);
      EXPECT_EQ(CardCount(1), 17);
      EXPECT_EQ(view->m_iAmountCap, 5000);
      if (c.single) {
        EXPECT_EQ(view->Requests(), std::vector<int>{25});
      }
    } else {
      EXPECT_EQ(view->Requests(), std::vector<int>{});
      EXPECT_EQ(CardCount(1), 0);
    }
    view->m_pPlayerNode[1] = self;
    TearDown();
  }
  SetUp();
}

TEST_F(HandMessages, BidActionsChangeTheMultipleByMode) {
  struct Case {
    int mode;
    std::vector<int> actions;  // chair 0's actions in order
    int times;
  } cases[] = {
      {1, {4}, 2},          // a call sets 1, the doubling sign doubles it
      {2, {4}, 1},          // two seats: a call sets 1 only
      {1, {4, 5}, 4},       // a rob doubles
      {2, {4, 5}, 2},       // two seats at 1: a rob doubles
      {2, {4, 5, 5}, 4},    // two seats above 1: a rob adds 2
      {1, {4, 6, 8}, 2},    // no rob and no double change nothing
      {0, {3}, 1},          // scores leave the multiple
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.actions) + " mode " + std::to_string(c.mode));
    SetUp();
    Dealt(c.mode);
    for (int a : c.actions) {
      view->Deliver(Bid(54, 0, a));
      RunUntilUnlocked();
    }
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    EXPECT_EQ(view->m_TableItem.iPointDemand[0], c.actions.back());
    if (c.mode == 0) {
      EXPECT_EQ(view->m_TableItem.iFinalPoint, 3);
    }
    TearDown();
  }
  SetUp();
}

TEST_F(HandMessages, TwoDoublingsInOneFlightBothCountAndTheSecondStartsNoSign) {
  Dealt(1);
  view->m_TableItem.iTimes = 3;
  view->ShowDoubleAni(1, 0);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  view->ShowDoubleAni(0, 1);
  EXPECT_EQ(view->m_TableItem.iTimes, 8);  // 3 * 2, then + 2
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  RunUntilUnlocked();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(DoubleSignFlight::StartPoint(3), g_ptHLBombDest[3] - cocos2d::Vec2(0, 30));
}

TEST_F(HandMessages, TheLandlordTakesTheBottomCardsAndTheTwoSeatLetCardsPanelShowsTheCount) {
  Dealt(2);
  Frame let = FrameOf(62, 12);
  PutLE(let, 8, 0);
  view->Deliver(let);
  EXPECT_EQ(view->m_pYieldLayer, nullptr);
  PutLE(let, 8, 3);
  view->Deliver(let);
  ASSERT_NE(view->m_pYieldLayer, nullptr);
  EXPECT_EQ(view->m_pYieldLayer->GetYieldNum(), 3);
  view->Deliver(Landlord(0, 0));
  RunUntilUnlocked();
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, 0);
  EXPECT_EQ(CardCount(0), 20);
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 3u);
}

TEST_F(HandMessages, APlayShowsMatchedBytesWithTheSubstitutesMarkAndTakesTheSubstituteFromTheHand) {
  Dealt(1);
  view->Deliver(Landlord(0, 0));
  RunUntilUnlocked();
  // Seat 0 plays 5-5-5 as a triple, the third five being its small joker.
  const int before = CardCount(0);
  view->Deliver(Play(0, {0x25, 0x45, 0x05}, 48, 5, {16}, {0x05}));
  auto* row = dynamic_cast<SpriteCardManage*>(view->m_pSendCard[0]);
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->GetCardCount(), 3);
  int marked = 0;
  for (const SpriteCardInfo* card : row->GetCards()) {
    if (card->iWildcardValue == ddz::CardByteToCode(16)) ++marked;
  }
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(CardCount(0), before - 3);
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 0);
  // A pair naming a card of another suit marks with that card's number: every
  // card shows its face, none a back.
  cocos2d::Log::clear();
  view->Deliver(Play(0, {0x10, 0x26}, 32, 6, {0x46}, {0x10}));
  ASSERT_EQ(row->GetCardCount(), 2);
  marked = 0;
  for (const SpriteCardInfo* card : row->GetCards())
    if (card->iWildcardValue == ddz::CardByteToCode(0x46)) ++marked;
  EXPECT_EQ(marked, 1);
  EXPECT_FALSE(LogHas("drawn as a back"));
}

TEST_F(HandMessages, TypeOneHundredFiveIsABombAndTheOwnEchoIsIgnored) {
  struct Case {
    int mode, times;
  } cases[] = {{0, 2}, {1, 1}};  // mode 1 shows the seat effect only
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    SetUp();
    Dealt(c.mode);
    view->Deliver(Landlord(0, 1));
    RunUntilUnlocked();
    view->m_TableItem.iTimes = 1;
    view->Deliver(Play(0, {0x27, 0x47, 0x67}, 105, 7));
    RunUntilUnlocked();
    EXPECT_EQ(view->m_TableItem.iSendBombNum, 1);
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    // The server's echo of an own play changes nothing.
    const int own = CardCount(1);
    view->Deliver(Play(1, {0x03}, 1, 3));
    EXPECT_EQ(CardCount(1), own);
    EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 0);
    TearDown();
  }
  SetUp();
}

TEST_F(HandMessages, ALocalPlayCopiesAtMostTwentyCardBytes) {
  Dealt(0);
  std::vector<char> many(30, 0x03);
  view->ShowSelfOutCard(many.data(), 30);
  auto* row = dynamic_cast<SpriteCardManage*>(view->m_pSendCard[1]);
  ASSERT_NE(row, nullptr);
  EXPECT_LE(row->GetCardCount(), 20);
}

using OwnRequests = SuperTest;

TEST_F(OwnRequests, BidAndPlayGoOutByteForByteAndThePlayShowsFromItsRecord) {
  Dealt(0);
  view->Deliver(Bid(72, 1, 0));
  SuperSelfHandCard* hand = view->GetSelfHand();
  ASSERT_NE(hand, nullptr);
  hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnBid3));
  ASSERT_EQ(view->server->frames.size(), 2u);
  const std::vector<std::uint8_t> bid = {0, 22, 12, 0, 0, 0, 0, 0, 3, 0, 0, 0};
  EXPECT_EQ(view->server->frames[1], bid);

  // The request's wildcard bytes 60..63 and 64..67 reach +33 and +37 of the
  // local play: a card equal to a byte at 64 is marked with the byte at 60.
  std::vector<std::uint8_t> request(68, 0);
  request[1] = 24;
  request[8] = 0x05;
  request[9] = 0x23;
  request[28] = 2;
  request[29] = 32;
  request[30] = 5;
  request[60] = 17;
  request[64] = 0x05;
  view->PlayCardsFromRecord(request.data(), 68);
  auto* row = dynamic_cast<SpriteCardManage*>(view->m_pSendCard[1]);
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->GetCardCount(), 2);
  int marked = 0;
  for (const SpriteCardInfo* card : row->GetCards())
    if (card->iWildcardValue == ddz::CardByteToCode(17)) ++marked;
  EXPECT_EQ(marked, 1);
  // A short record is refused.
  view->PlayCardsFromRecord(request.data(), 60);
  EXPECT_EQ(row->GetCardCount(), 2);
}

TEST(SuperTasks, EveryKindAtItsEdges) {
  struct Case {
    int kind, type, value;
    bool done;
  } cases[] = {
      {19, 26, 0, true},  {19, 25, 0, false}, {19, 30, 0, true},  {34, 112, 0, true}, {34, 105, 0, true},
      {34, 113, 0, true}, {34, 104, 0, false}, {35, 24, 0, true}, {41, 50, 0, true},  {42, 21, 0, true},
      {42, 31, 0, false}, {43, 34, 0, true},  {43, 33, 0, false}, {44, 1, 26, true},  {44, 1, 25, false},
      {45, 1, 25, true},  {45, 113, 0, true}, {49, 24, 0, false}, {50, 24, 0, true},  {51, 113, 0, true},
      {52, 32, 14, true}, {52, 32, 13, false}, {56, 35, 0, false}, {56, 36, 0, true}, {69, 32, 20, true},
      {70, 35, 3, true},  {70, 35, 14, true}, {70, 35, 4, false}, {71, 32, 13, true}, {74, 32, 10, true},
      {75, 21, 7, true},  {75, 21, 8, false}, {76, 35, 5, true},  {77, 96, 0, true},  {77, 100, 0, false},
      {78, 98, 0, true},  {79, 105, 12, true}, {79, 112, 12, true}, {81, 105, 14, true}, {82, 105, 20, true},
      {82, 105, 14, false}, {83, 23, 0, true}, {84, 37, 0, true},  {85, 49, 0, true},  {86, 1, 25, true},
      {87, 32, 0, true},  {89, 50, 0, true},  {90, 104, 0, true}, {90, 64, 0, false},
      {65, 112, 0, false}, {66, 32, 0, false}, {67, 113, 0, false}, {68, 1, 20, false}, {99, 113, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " type " << c.type << " value " << c.value);
    EXPECT_EQ(SuperGameView::CheckTaskDone(c.kind, c.type, c.value, nullptr), c.done);
  }
  const std::uint8_t withTwo[20] = {0x03, 0x22};
  const std::uint8_t withoutTwo[20] = {0x03, 0x24};
  EXPECT_TRUE(SuperGameView::CheckTaskDone(88, 1, 0, withTwo));
  EXPECT_FALSE(SuperGameView::CheckTaskDone(88, 1, 0, withoutTwo));
  const std::uint8_t twoOfNoSuit[20] = {0x03, 0xE2};  // suit bits 7 name no suit
  EXPECT_FALSE(SuperGameView::CheckTaskDone(88, 1, 0, twoOfNoSuit));
}

using SuperResult = SuperTest;

TEST_F(SuperResult, MoneyCapSpringAndThePowerFieldByMode) {
  struct Case {
    int mode;
    int times;
    int spring;
    bool capped;
  } cases[] = {
      {0, 2, 1, false},   // spring: doubled once more
      {1, 64, 0, true},   // 64 * 40 above half the cap
      {2, 40, 0, false},  // two seats compare with the whole cap
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    SetUp();
    Dealt(c.mode);
    view->Deliver(Landlord(1, 1));
    RunUntilUnlocked();
    view->m_TableItem.iTimes = c.times;
    view->m_TableItem.iBaseScore = 40;
    const int moneyBefore = view->GetPlayerNode(1)->iMoney;
    Frame result = ResultMsg({-60, 120, -60}, c.spring);
    std::vector<char> bytes(result.begin(), result.end());
    view->CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_TRUE(view->IsResultLockHeld());
    for (int i = 0; i < 400 && view->GetResultScreen()->getParent() == nullptr; ++i) tick(1, 0.05f);
    ASSERT_NE(view->GetResultScreen()->getParent(), nullptr);
    EXPECT_EQ(view->GetPlayerNode(1)->iMoney, moneyBefore + 120);
    EXPECT_EQ(view->m_TableItem.iTimes, c.spring ? c.times * 2 : c.times);
    EXPECT_EQ(view->m_iResultPower, view->m_TableItem.iTimes);  // the multiple, never 2 to its power
    if (c.mode == 2) {
      ASSERT_NE(view->m_pExtraShowCard, nullptr);
      EXPECT_EQ(view->m_pExtraShowCard->GetCardCount(), 2);
      view->Deliver(DealMsg());
      EXPECT_EQ(view->m_pExtraShowCard, nullptr);  // gone at the next hand
    }
    TearDown();
  }
  SetUp();
}

TEST_F(SuperResult, ContinueLowersTheLockOnceAndAShortResultIsReadZeroed) {
  Dealt(0);
  view->Deliver(Landlord(1, 1));
  RunUntilUnlocked();
  Frame result = ResultMsg({-2, 4, -2});
  result.resize(100);  // the rest reads as zero
  std::vector<char> bytes(result.begin(), result.end());
  view->CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
  for (int i = 0; i < 400 && view->GetResultScreen()->getParent() == nullptr; ++i) tick(1, 0.05f);
  ASSERT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  view->OnResultBtnContinue();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(view->GetResultScreen()->getParent(), nullptr);
  // A second press (the automatic action racing the button) lowers nothing.
  view->OnResultBtnContinue();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(LogHas("kept at 0"));
}

TEST_F(SuperResult, MoneyAndTheMultipleSaturate) {
  Dealt(1);
  view->Deliver(Landlord(1, 1));
  RunUntilUnlocked();
  view->GetPlayerNode(1)->iMoney = 2'000'000'000;
  view->m_TableItem.iTimes = 2'000'000'000;
  Frame result = ResultMsg({0, 2'000'000'000, 0}, 1);
  std::vector<char> bytes(result.begin(), result.end());
  view->CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
  for (int i = 0; i < 400 && view->GetResultScreen()->getParent() == nullptr; ++i) tick(1, 0.05f);
  EXPECT_EQ(view->GetPlayerNode(1)->iMoney, INT_MAX);
  EXPECT_EQ(view->m_TableItem.iTimes, INT_MAX);
  EXPECT_EQ(view->m_iResultPower, INT_MAX);
}

using SuperFlow = SuperTest;

TEST_F(SuperFlow, TheLonePlayerIsMovedAfterTenSecondsUnlessSomebodyJoins) {
  view->Deliver(ModeMsg(1));
  view->m_pPlayerNode[0] = nullptr;
  view->m_pPlayerNode[2] = nullptr;
  view->CallBackPlayerReady(1);
  EXPECT_TRUE(view->IsAutoChangeDeskPending());
  tick(99, 0.1f);
  EXPECT_FALSE(LogHas("PlayerAutoChangeDesk SendEscapeReq"));
  tick(2, 0.1f);
  EXPECT_TRUE(LogHas("PlayerAutoChangeDesk SendEscapeReq"));

  cocos2d::Log::clear();
  view->CallBackPlayerReady(1);
  view->CallBackPlayerJoinTable(0);
  tick(110, 0.1f);
  EXPECT_FALSE(LogHas("PlayerAutoChangeDesk SendEscapeReq"));
}

TEST_F(SuperFlow, TodaysGamesAreOneCountWithTheClassicTableAndRestartAtMidnight) {
  view->removeFromParent();
  Store()->setIntegerForKey(DDZGameView::kKeyTodayPlayNum, 4);
  Store()->setInteger64ForKey(DDZGameView::kKeyTodayPlayTime, Now());
  auto* super = TestSuperView::create();
  scene->addChild(super);
  EXPECT_EQ(super->GetTodayPlayNum(), 4);
  super->CountTodayHand();
  super->removeFromParent();
  EXPECT_EQ(Store()->getIntegerForKey(DDZGameView::kKeyTodayPlayNum, 0), 5);
  // The classic table goes on from the same count.
  auto* classic = classictest::CountingView::create();
  scene->addChild(classic);
  EXPECT_EQ(classic->GetTodayPlayNum(), 5);
  classic->removeFromParent();
  // Past midnight the count starts again.
  SetLocalTime(2026, 3, 15, 0, 1);
  auto* next = TestSuperView::create();
  scene->addChild(next);
  EXPECT_EQ(next->GetTodayPlayNum(), 0);
}

// The special rules come from the rule file, read when the view is made;
// message 38 names the table's switches: a player new to the guide sees the
// rules in force by themselves for 5 s, and the rules button (and the
// window frame's help button) opens them to stay.
TEST_F(SuperFlow, TheSpecialRuleWindowListsTheRulesInForceAndGoesAfterFiveSecondsUnlessOpenedByHand) {
  view->removeFromParent();
  g_mapSpecialRules.clear();
  view = TestSuperView::create();
  scene->addChild(view);
  view->SendSitReq();
  ASSERT_FALSE(g_mapSpecialRules.empty()) << "the view reads the rule file";
  PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrame();
  frame->autorelease();
  scene->addChild(frame);

  view->Deliver(ModeMsg(1));
  GameViewBase::m_GlobalInfo.iGuideShowTimes = 0;
  Frame settings = FrameOf(38, 25);
  settings[17] = 1;  // bit 1: two pairs make a pair straight
  settings[21] = 1;  // bit 16: the jokers are wildcards
  settings[18] = 2;  // a byte other than 1 is off
  view->Deliver(settings);
  auto shownTitles = [&] {
    std::set<std::string> titles;
    auto* layer = dynamic_cast<SpecialRuleLayer*>(view->getChildByTag(SuperGameView::kSpecialRuleTag));
    if (layer == nullptr || layer->GetBackground() == nullptr) return titles;
    for (cocos2d::Node* child : layer->GetBackground()->getChildren())
      if (auto* label = dynamic_cast<cocos2d::Label*>(child)) titles.insert(label->getString());
    return titles;
  };
  const std::set<std::string> titles = shownTitles();
  EXPECT_EQ(titles.count("本桌规则 : "), 1u);
  EXPECT_EQ(titles.count("连对 : "), 1u);
  EXPECT_EQ(titles.count("王作癞子 : "), 1u);
  EXPECT_EQ(titles.count("三带二 : "), 0u) << "a rule whose switch is off";
  EXPECT_EQ(titles.count("三张炸弹 : "), 0u);
  tick(48, 0.1f);
  EXPECT_NE(view->getChildByTag(SuperGameView::kSpecialRuleTag), nullptr);
  tick(5, 0.1f);
  EXPECT_EQ(view->getChildByTag(SuperGameView::kSpecialRuleTag), nullptr);

  ASSERT_NE(view->m_pRulesButton, nullptr);
  tap(view->m_pRulesButton->getPosition());
  EXPECT_EQ(shownTitles(), titles);
  tick(100, 0.1f);
  EXPECT_NE(view->getChildByTag(SuperGameView::kSpecialRuleTag), nullptr);
  view->getChildByTag(SuperGameView::kSpecialRuleTag)->removeFromParent();
  EXPECT_TRUE(frame->OnHelpBtnClick());
  EXPECT_EQ(shownTitles(), titles) << "the window frame's help button";
}

TEST_F(SuperFlow, ATouchOnTheTwoSeatOpponentsHeadAtTheFourthPlaceOpensItsInfo) {
  view->Deliver(ModeMsg(2));
  OtherPlayerInfo* popup = view->m_pOtherPlayerInfo[0];
  ASSERT_NE(popup, nullptr);
  popup->setVisible(false);
  tap(g_ptTipsPlayerInfo[3] + cocos2d::Vec2(10, 10));
  EXPECT_TRUE(popup->isVisible());
  tick(2, 0.1f);
  // A touch elsewhere closes it.
  tap(cocos2d::Vec2(640, 360));
  EXPECT_FALSE(popup->isVisible());
}

// A click anywhere on another player's drawn head opens that player's popup
// at once, its corners as well as its centre, in every mode (the two-seat
// opponent sits at the fourth place).
TEST_F(SuperFlow, AClickAnywhereOnAnotherPlayersHeadOpensItsPopupInEveryMode) {
  const struct Case {
    int mode;
    std::vector<int> seats;
  } cases[] = {{0, {0, 2}}, {1, {0, 2}}, {2, {0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode));
    if (view->GetMode() >= 0) {  // a table is built once: a fresh view for the next mode
      view->removeFromParent();
      view = TestSuperView::create();
      scene->addChild(view);
      view->SendSitReq();
    }
    view->Deliver(ModeMsg(c.mode));
    ddz::test::ExpectEachHeadClickOpensItsPopup(view, c.seats, [&](cocos2d::Vec2 at) { tap(at); });
  }
}

// The guide follows the first five deals of a player who has not seen it.
TEST_F(SuperFlow, TheGuideFollowsTheDealWhileItHasBeenShownFewerThanFiveTimes) {
  struct Case {
    const char* name;
    int shownTimes;
    std::uint8_t shownFlag;
    bool guide;
  } const cases[] = {
      {"first deal", 0, 0, true},
      {"fifth deal", 4, 0, true},
      {"sixth deal", 5, 0, false},
      {"the guide marked as seen", 0, 1, false},
  };
  view->Deliver(ModeMsg(1));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto guidesOnView = [&] {
      std::vector<PlayerGuide*> found;
      for (cocos2d::Node* child : view->getChildren())
        if (auto* guide = dynamic_cast<PlayerGuide*>(child)) found.push_back(guide);
      return found;
    };
    for (PlayerGuide* old : guidesOnView()) old->removeFromParent();
    GameViewBase::m_GlobalInfo.iGuideShowTimes = c.shownTimes;
    GameViewBase::m_GlobalInfo.bGuideShown = c.shownFlag;
    view->Deliver(DealMsg());
    RunUntilUnlocked();
    const auto guides = guidesOnView();
    ASSERT_EQ(guides.size(), c.guide ? 1u : 0u);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iGuideShowTimes, c.shownTimes + (c.guide ? 1 : 0));
    if (c.guide) {
      EXPECT_EQ(guides[0]->getLocalZOrder(), 5000);
      EXPECT_EQ(Store()->getIntegerForKey("gamebase_guide_show_times", -1), c.shownTimes + 1);
    }
  }
}

// The face-up card belongs to the deal: it shows while the deal runs and goes
// with the deal's layer at its end; the next deal shows it again.
TEST_F(SuperFlow, TheFaceUpCardGoesWithTheDealAndTurnsUpAgainAtTheNextDeal) {
  view->Deliver(ModeMsg(1));
  for (int hand = 0; hand < 2; ++hand) {
    SCOPED_TRACE(hand);
    view->Deliver(DealMsg());
    auto* deal = dynamic_cast<DealCard*>(view->m_pDealCard);
    ASSERT_NE(deal, nullptr);
    bool faceUpSeen = false;
    for (int frames = 0; deal->IsDealing() && frames < 600; ++frames) {
      tick(1, 0.05f);
      faceUpSeen = faceUpSeen || (deal->GetLanderSprite() != nullptr && deal->GetLanderSprite()->isVisible() &&
                                  deal->isVisible() && deal->getParent() == view);
    }
    EXPECT_TRUE(faceUpSeen) << "the card is turned face up during the deal";
    EXPECT_FALSE(deal->isVisible() && deal->getParent() != nullptr) << "the deal's end takes its face-up card away";
    EXPECT_EQ(view->m_pDealCard, deal) << "the same deal serves the next hand";
    RunUntilUnlocked();
    view->ResetTable();
  }
}

// Quick chat, red packets, the money and the quit question are the bodies the
// four-player table uses too; here with the two-seat table's chairs.
TEST_F(SuperFlow, QuickChatFindsTheTwoSeatOpponentAndRedPacketsPayTheOwnPlayer) {
  view->Deliver(ModeMsg(2));
  struct Case {
    const char* name;
    int length, phrase, chair;
    int bubbleSeat;  // -1: no bubble anywhere
  } const cases[] = {
      {"cut before the chair", 9, 1, 0, -1},
      {"a phrase past the last", 10, 5, 0, -1},
      {"the third chair is no seat of two", 10, 1, 2, -1},
      {"the opponent's chair", 10, 2, 0, 0},
      {"the own chair", 10, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Frame urge = FrameOf(111, c.length);
    urge[8] = static_cast<std::uint8_t>(c.phrase);
    if (c.length > 9) urge[9] = static_cast<std::uint8_t>(c.chair);
    std::vector<char> bytes(urge.begin(), urge.end());
    view->CallBackUrgrCard(bytes.data(), static_cast<int>(bytes.size()));
    if (c.bubbleSeat >= 0) {
      EXPECT_NE(view->m_pTalkTip->GetBubble(c.bubbleSeat), nullptr);
    }
    for (int seat = c.bubbleSeat + 1; seat < 3; ++seat) EXPECT_EQ(view->m_pTalkTip->GetBubble(seat), nullptr) << seat;
  }

  // The bottom bar shows money only on a network table.
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  PlayerNode* self = view->GetPlayerNode(1);
  self->iMoney = 1000;
  self->iYuanBao = 10;
  Frame packet = FrameOf(114, 32);
  PutLE(packet, 8, 5);
  PutLE(packet, 12, 3);
  PutLE(packet, 28, 200);
  std::vector<char> bytes(packet.begin(), packet.end());
  view->CallBackHongBaoNotice(bytes.data(), 31);  // cut before the money
  EXPECT_EQ(self->iMoney, 1000);
  view->CallBackHongBaoNotice(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(self->iMoney, 1200);
  EXPECT_EQ(self->iYuanBao, 15);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 1200);
  EXPECT_EQ(view->m_pBottomUI->GetMoneyNum(), 1200);
  EXPECT_EQ(view->m_pBottomUI->GetYBNum(), 15);

  view->SetMoneyInfo(3000, 40);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 3000);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, 40);
  EXPECT_EQ(view->m_pBottomUI->GetMoneyNum(), 3000);
  EXPECT_EQ(view->m_pBottomUI->GetYBNum(), 40);
}

// Messages 38 and 39 make the web activity's button with its word, so its
// panel has something to show.
TEST_F(SuperFlow, TheActivityMessagesShowTheActivityButtonsWord) {
  Frame countdown = FrameOf(38, 25);
  PutLE(countdown, 12, 90);
  Frame count = FrameOf(39, 16);
  PutLE(count, 8, 1);
  PutLE(count, 12, 4);
  const struct {
    const char* name;
    Frame frame;
    int seconds, hands;
  } cases[] = {{"38, a countdown", countdown, 90, -1}, {"39, a hand count", count, -1, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    view->Deliver(ModeMsg(1));
    view->Deliver(c.frame);
    auto* web = dynamic_cast<WEBActiveBtn*>(view->m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeWeb));
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->GetState(), WEBActiveBtn::kWordShown);
    EXPECT_EQ(web->GetLeftSec(), c.seconds);
    EXPECT_EQ(web->GetHandCount(), c.hands);
  }
}

// A player who takes the seat another left within the hand shows the same
// head and speaks with the same voice; after the hand a seat chooses anew.
TEST_F(SuperFlow, ASeatKeepsItsHeadFigureThroughALeaveAndAJoinInOneHand) {
  view->Deliver(ModeMsg(1));
  view->ResetSeatHeadFigures();
  PlayerNode* player = view->GetPlayerNode(0);
  ASSERT_NE(player, nullptr);
  player->cHeadID = 3;
  view->CallBackPlayerJoinTable(0);
  const int figure = view->m_pPlayerShow[0]->GetHeadID();
  EXPECT_EQ(g_iSeatHeadFigure[0], figure);
  view->CallBackPlayerLeaveTable(0);
  for (int id : {5, 6, 7, 0}) {
    SCOPED_TRACE(id);
    player->cHeadID = static_cast<std::int8_t>(id);  // whoever comes next
    view->CallBackPlayerJoinTable(0);
    EXPECT_EQ(view->m_pPlayerShow[0]->GetHeadID(), figure);
    EXPECT_EQ(view->SeatHeadId(0), figure);
    view->CallBackPlayerLeaveTable(0);
  }
  view->ResetSeatHeadFigures();
  EXPECT_EQ(g_iSeatHeadFigure[0], -1);
}

// The jackpot notice: kind 4 an award of yuanbao (22 bytes, the first-yuanbao
// flag at 21), kind 7 a change of the own yuanbao (16 bytes), each read as
// far as its own last field; a change of 0 says so in a box.
TEST_F(SuperFlow, JackpotNoticesAreReadAsFarAsTheirKindsLastField) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  view->Deliver(ModeMsg(1));
  PlayerNode* self = view->GetPlayerNode(1);
  ASSERT_NE(self, nullptr);
  self->iYuanBao = 10;
  GameViewBase::m_GlobalInfo.iYuanBao = 10;
  view->m_pBottomUI->SetYBNum(10);
  auto notice = [](int length, int kind, int amount) {
    Frame f = FrameOf(0, length);
    if (length > 9) f[9] = static_cast<std::uint8_t>(kind);
    if (length >= 16) PutBE(f, 12, amount);
    return f;
  };
  const struct {
    const char* name;
    Frame frame;
    int yuanbao;
    bool box;
  } cases[] = {
      {"a kind cut short", notice(9, 7, 0), 10, false},
      {"kind 7 of 16 bytes", notice(16, 7, 25), 35, false},
      {"kind 7 taking some away", notice(16, 7, -5), 30, false},
      {"kind 7 cut short", notice(15, 7, 0), 30, false},
      {"kind 7 of 0", notice(16, 7, 0), 30, true},
      {"kind 4 of 21 bytes", notice(21, 4, 100), 30, false},
      {"kind 4 of 22 bytes", notice(22, 4, 100), 130, false},
      {"another kind", notice(22, 5, 100), 130, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GameMsgBox::shareMessageBox()->CloseDialog(0);
    std::vector<char> bytes(c.frame.begin(), c.frame.end());
    view->CallBackJackPotNotice(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(self->iYuanBao, c.yuanbao);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.yuanbao);
    EXPECT_EQ(view->m_pBottomUI->GetYBNum(), c.yuanbao) << "the bottom bar shows it";
    EXPECT_EQ(GameMsgBox::shareMessageBox()->IsOpen(), c.box);
    if (c.box) {
      EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(105));
    }
  }
}

// On the table, before any bottom card or score: a tap on the bar's score
// side turns it to the empty card side, which turns back after 10 s.
TEST_F(SuperFlow, AWindowTapOnTheFreshTopBarFlipsItForTenSeconds) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  view->Deliver(ModeMsg(1));
  tick(2);
  TopUI* bar = view->m_pSuperTopUI;
  cocos2d::Node* score = bar->GetScorePanel();
  tap(score->convertToWorldSpace(cocos2d::Vec2(score->getContentSize().width / 2, score->getContentSize().height / 2)));
  EXPECT_TRUE(bar->IsCardSideShown());
  tick(99, 0.1f);
  EXPECT_TRUE(bar->IsCardSideShown());
  tick(2, 0.1f);
  EXPECT_FALSE(bar->IsCardSideShown());
}

TEST_F(SuperFlow, TheQuitQuestionLeavesThroughItsButton) {
  view->Deliver(ModeMsg(1));
  cocos2d::Log::clear();
  view->ShowQuitMsgBox();
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  ASSERT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), GameText(DDZGameView::kTextQuitQuestion));
  EXPECT_FALSE(LogHas("GameViewBase::QuitGame"));
  EXPECT_TRUE(box->PressConfirm());
  EXPECT_TRUE(LogHas("GameViewBase::QuitGame"));
}

}  // namespace
}  // namespace supertest
