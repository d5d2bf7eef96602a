// The four-player table's dispatch and the messages of one hand on the real
// view: each type reaching its handler, refusals (short frames, chairs that
// are no seat) changing nothing, and the hand from the deal to the plays.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SRTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "gamedata/LayoutConfig.h"
#include "widgets/PlayerShow.h"
#include "cards/BaseCard.h"
#include "cards/SRDealCard.h"
#include "cards/SRShowCard.h"
#include "cards/SendCard.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "table/GameSoundDDZ.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/ResultAnis.h"
#include "widgets/SRTopUI.h"

namespace srtest {
namespace {


// What a refused message must leave as it was.
struct TableState {
  int landlord, tableOwner, finalPoint, times, shown, golden, bombs;
  std::vector<int> table, bottom, demand;
  std::vector<int> handCounts, sentCounts;
  int lock, yuanbao;
  bool operator==(const TableState&) const = default;
};

void PrintTo(const TableState& s, std::ostream* os) {
  *os << "landlord " << s.landlord << " owner " << s.tableOwner << " final " << s.finalPoint << " times " << s.times
      << " shown " << s.shown << " golden " << s.golden << " bombs " << s.bombs << " table " << s.table.size()
      << " bottom " << s.bottom.size() << " lock " << s.lock << " yuanbao " << s.yuanbao << " hands";
  for (int n : s.handCounts) *os << " " << n;
  *os << " sent";
  for (int n : s.sentCounts) *os << " " << n;
}

TableState Snap(SRTestView* v) {
  const TableItemDef& t = v->m_TableItem;
  TableState s{t.iLandOwnerPos, t.iTableCardOwnerPos, t.iFinalPoint, t.iTimes, t.iShowCardTable, t.cHappyCard,
               t.iSendBombNum, t.vcTableCardIndex, t.vcBaseCardIndex, {}, {}, {}, GameViewBase::m_iLockMainMsgCount.Get(),
               GameViewBase::m_GlobalInfo.iYuanBao};
  for (int seat = 0; seat < 4; ++seat) {
    s.demand.push_back(t.iPointDemand[seat]);
    s.handCounts.push_back(v->m_pHandCard[seat]->GetCardCount());
    s.sentCounts.push_back(v->m_pSendCard[seat]->GetCardCount());
  }
  return s;
}

template <class T>
T* ChildOf(cocos2d::Node* parent) {
  for (cocos2d::Node* child : parent->getChildren())
    if (auto* t = dynamic_cast<T*>(child)) return t;
  return nullptr;
}

class SRHandTest : public SRTest {
 protected:
  // A hand dealt, chair 2 (seat 2) the landlord, seat 0 on lead with a pair.
  void HandInPlay() {
    EnterSeated();
    DealAndWait();
    view->Deliver(Landlord(2, 3, {Card(2, 5), Card(2, 6), Card(2, 7), Card(2, 8), Card(3, 5), Card(3, 6), Card(3, 7), Card(3, 8)}));
    for (int i = 0; i < 200 && Lock() > 0; ++i) tick(1, 0.05f);
    view->Deliver(Played(2, {Card(3, 9), Card(2, 9)}));
  }
};

// ---------------------------------------------------------------- dispatch

TEST_F(SRHandTest, EachTypeReachesItsHandlerAndOtherTypesChangeNothing) {
  EnterSeated();
  DealAndWait();
  struct Case {
    const char* name;
    Frame frame;
    std::function<bool()> reached;
  };
  const std::vector<Case> cases = {
      {"67 bid turn", Turn(67, 1), [&] { return Hand()->GetMainButton(SelfHandCard::kBtnBid0)->isVisible(); }},
      {"50 bid", Bid(0, 2), [&] { return view->m_TableItem.iPointDemand[0] == 2; }},
      {"51 landlord", Landlord(3, 2, {Card(0, 4)}), [&] { return view->m_TableItem.iLandOwnerPos == 3; }},
      {"69 question", Turn(69, 1), [&] { return Hand()->GetChoiceButton(SRSelfHandCard::kBtnChoiceFirst)->isVisible(); }},
      {"53 shown hand", Shown(3, {Card(0, 4), Card(1, 4)}), [&] { return view->m_TableItem.iShowCardTable == 3; }},
      {"66 play turn", Turn(66, 0), [&] { return view->m_pGameClock->GetTablePos() == 0; }},
      {"49 play", Played(0, {Card(3, 4)}), [&] { return view->m_TableItem.iTableCardOwnerPos == 0; }},
      {"54 reward", Reward(1, 3, 5), [&] { return GameViewBase::m_GlobalInfo.iYuanBao == 15; }},
      {"38 countdown", Activity(38, 0, 90), [&] {
         auto* web = dynamic_cast<WEBActiveBtn*>(view->GetActivityLayer()->FindActiveBtn(2));
         return web != nullptr && web->GetLeftSec() == 90;
       }},
      {"39 hand count", Activity(39, 1, 4), [&] {
         auto* web = dynamic_cast<WEBActiveBtn*>(view->GetActivityLayer()->FindActiveBtn(2));
         return web != nullptr && web->GetHandCount() == 4;
       }},
      {"65 deal", Deal(DefaultDeal()), [&] { return view->GetDeal()->getParent() == view; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < 200 && Lock() > 0; ++i) tick(1, 0.05f);
    view->Deliver(c.frame);
    EXPECT_TRUE(c.reached());
  }
  // Types of the other tables (the classic deal, play and bid result) do nothing here.
  const TableState before = Snap(view);
  for (int type : {71, 56, 55, 72, 73, 23, 35, 41, 34, 1, 255}) {
    SCOPED_TRACE(type);
    Frame f = Blank(type, 300);
    f[8] = 1;
    f[41] = 1;
    view->Deliver(f);
    EXPECT_EQ(Snap(view), before);
  }
}

TEST_F(SRHandTest, AFrameCutBeforeItsLastFieldOrNamingNoSeatChangesNothing) {
  HandInPlay();
  ReloginFields relogin;
  relogin.landlordChair = 0;
  const std::vector<std::pair<const char*, Frame>> frames = {
      {"65", Deal(DefaultDeal())},        {"67", Turn(67, 1)},         {"50", Bid(3, 3)},
      {"51", Landlord(1, 3, {Card(0, 4)})}, {"66", Turn(66, 1)},       {"49", Played(3, {Card(3, 3)})},
      {"69", Turn(69, 1)},                {"53", Shown(0, {Card(0, 3)})}, {"54", Reward(1, 3, 7)},
      {"38", Activity(38, 0, 30)},        {"39", Activity(39, 1, 3)},  {"snapshot", Relogin(relogin)},
      {"result", Result(ResultFields{{1, 2, 3, 4}, {}, {}, 0, 1})},
  };
  const TableState before = Snap(view);
  for (const auto& [name, frame] : frames) {
    SCOPED_TRACE(name);
    Frame cut(frame.begin(), frame.end() - 1);
    view->Deliver(cut);
    EXPECT_EQ(Snap(view), before);
  }
  EXPECT_FALSE(view->IsResultLockHeld());
  // A chair that names no seat of the four.
  for (int chair : {4, 9, 255}) {
    SCOPED_TRACE(chair);
    for (const Frame& f : {Turn(67, chair), Bid(chair, 3), Landlord(chair, 3, {Card(0, 4)}), Turn(66, chair),
                           Played(chair, {Card(3, 3)}), Turn(69, chair), Shown(chair, {Card(0, 3)})}) {
      view->Deliver(f);
      EXPECT_EQ(Snap(view), before) << "type " << int(f[1]);
    }
    DealFields d = DefaultDeal();
    d.landerChair = chair;
    view->Deliver(Deal(d));
    EXPECT_EQ(Snap(view), before);
    if (chair != 255) {  // 255 is -1: the bidding still runs
      relogin.landlordChair = chair;
      view->Deliver(Relogin(relogin));
      EXPECT_EQ(Snap(view), before);
    }
  }
}

// ---------------------------------------------------------------- 65 deal

TEST_F(SRHandTest, TheDealHalvesTheTaskNumbersOnlyWhileTheActivityRunsAndHoldsTheLockToItsEnd) {
  struct Case {
    const char* name;
    Frame activity;  // empty: no activity
    bool halved;
  };
  const Case cases[] = {
      {"no activity button", {}, false},
      {"a hand count", Activity(39, 1, 2), true},
      {"a countdown", Activity(38, 0, 30), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    if (!c.activity.empty()) view->Deliver(c.activity);
    DealFields d = DefaultDeal();
    d.gold = {7, -7, 3, 4, 9};
    d.task1 = 11;
    d.task2 = -5;
    d.golden = 4;
    view->Deliver(Deal(d));
    EXPECT_EQ(Lock(), 1) << "the deal holds the messages";
    EXPECT_EQ(Hand()->GetGoldenRank(), 3) << "g - 1 to the hand";
    SRTopUI* top = view->GetTopBar();
    const std::vector<std::string> gold = c.halved ? std::vector<std::string>{"3", "-3", "1", "2", "4"}
                                                   : std::vector<std::string>{"7", "-7", "3", "4", "9"};
    for (int i = 0; i < 5; ++i) {
      ASSERT_NE(top->GetGoldNum(i), nullptr);
      EXPECT_EQ(top->GetGoldNum(i)->getString(), gold[i]) << i;
    }
    ASSERT_NE(top->GetTaskNum(0), nullptr);
    EXPECT_EQ(top->GetTaskNum(0)->getString(), c.halved ? "5" : "11");
    auto* doubling = ChildOf<AniYBDouble>(view);
    if (c.halved) {
      ASSERT_NE(doubling, nullptr);
      EXPECT_EQ(std::vector<int>(doubling->m_iTaskNum, doubling->m_iTaskNum + 7),
                (std::vector<int>{7, -7, 3, 4, 9, 11, -5}));
    } else {
      EXPECT_EQ(doubling, nullptr);
    }
    for (int i = 0; i < 2000 && Lock() > 0; ++i) tick(1, 0.05f);
    EXPECT_EQ(Lock(), 0);
    EXPECT_EQ(Hand()->GetCardCount(), 25);
    for (int seat : {0, 2, 3}) EXPECT_EQ(view->m_pHandCard[seat]->GetCardCount(), 25) << seat;
    EXPECT_EQ(view->GetDeal()->getParent(), nullptr) << "the deal row leaves at its end";
    Leave();
  }
}

// ---------------------------------------------------------------- 67, 50 bidding

TEST_F(SRHandTest, BidsSetTheTopBarOnlyAboveTheHighestAndDisableTheButtonsUpToIt) {
  EnterSeated();
  DealAndWait();
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  struct Case {
    int chair, bid, finalPoint;
    int voice;
  } const cases[] = {
      {0, 0, 0, 4},  // no bid: voice 4, the final point stays
      {2, 2, 2, 2},
      {3, 2, 2, 2},  // equal: the top bar stays
      {0, 3, 3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chair * 10 + c.bid);
    view->Deliver(Bid(c.chair, c.bid));
    EXPECT_EQ(view->m_TableItem.iPointDemand[c.chair], c.bid);
    EXPECT_EQ(view->m_TableItem.iFinalPoint, c.finalPoint);
    EXPECT_NE(view->m_pPlayerGameInfo[c.chair]->GetPoint(), nullptr);
    // The seat's voice: the same file the voice of that index plays.
    const std::string said = SoundManage::shareSoundManage()->GetPlayedSounds().back();
    sound->PlayerTalk(view->m_pPlayerShow[c.chair]->GetHeadID(), c.voice);
    EXPECT_EQ(SoundManage::shareSoundManage()->GetPlayedSounds().back(), said);
  }
  view->m_TableItem.iFinalPoint = 2;
  view->Deliver(Turn(67, 1));
  for (int bid = 0; bid <= 3; ++bid) {
    cocos2d::ui::Button* b = Hand()->GetMainButton(SelfHandCard::kBtnBid0 + bid);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->isEnabled(), bid == 0 || bid > 2) << bid;
  }
  EXPECT_EQ(view->m_pGameClock->getClockTime(), 10);
  // A bid the rules do not know is refused.
  const TableState before = Snap(view);
  view->Deliver(Bid(2, 4));
  view->Deliver(Bid(2, -1));
  EXPECT_EQ(Snap(view), before);
}

// ---------------------------------------------------------------- 51 landlord

TEST_F(SRHandTest, TheOwnLandlordTakesTheBottomCardsRaisedWithGoldMarksAndTheySettleOnceAfter2s) {
  EnterSeated();
  DealFields d = DefaultDeal();
  d.golden = 5;  // card index 4: the 5s
  DealAndWait(d);
  // A 0 byte among the eight is an empty slot, not a card.
  view->Deliver(Landlord(1, 3, {Card(2, 5), 0, Card(2, 6), Card(3, 5), Card(0, 1), Card(1, 1), Card(2, 1), Card(3, 1)}));
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 7u);
  EXPECT_EQ(std::count(view->m_TableItem.vcBaseCardIndex.begin(), view->m_TableItem.vcBaseCardIndex.end(), -1), 0);
  EXPECT_EQ(Hand()->GetCardCount(), 32);
  EXPECT_EQ(Hand()->SelectedCodes().size(), 7u) << "the bottom cards stand raised";
  // Four 5s are held now: each golden card has its frame, no other card.
  int framed = 0;
  for (const SpriteCardInfo* info : Hand()->GetCards()) {
    const bool golden = info->iCardIndex % 15 == 4;
    const bool frame = info->pFocusFrame != nullptr && info->pFocusFrame->isVisible();
    EXPECT_EQ(frame, golden) << info->iCardIndex;
    framed += frame ? 1 : 0;
  }
  EXPECT_EQ(framed, 4);
  EXPECT_EQ(Hand()->GetRole(), 2);
  EXPECT_EQ(view->m_iRowRole[1], 2);
  EXPECT_EQ(view->m_iRowRole[0], 1);
  EXPECT_EQ(view->m_TableItem.iFinalPoint, 3);
  EXPECT_TRUE(view->IsSettlePending());
  tick(19, 0.1f);
  EXPECT_EQ(Hand()->SelectedCodes().size(), 7u);
  tick(2, 0.1f);
  EXPECT_TRUE(Hand()->SelectedCodes().empty());
  EXPECT_FALSE(view->IsSettlePending()) << "once";

  // Another seat as landlord: backs, and 2 s more between messages.
  EnterSeated();
  DealAndWait(d);
  view->Deliver(Landlord(3, 2, {Card(2, 5), Card(2, 6), Card(3, 5), Card(0, 1), Card(1, 1), Card(2, 1), Card(3, 1), Card(3, 2)}));
  EXPECT_EQ(view->m_pHandCard[3]->GetCardCount(), 33);
  EXPECT_EQ(Hand()->GetRole(), 1);
  EXPECT_GE(GameViewBase::m_iLockMainMsgTime.Remaining(), 1900);
  EXPECT_FALSE(view->IsSettlePending());
}

// While the own landlord's bottom cards stand raised, a touch on one of them
// lowers them all (the classic hand's bottom-cards flag, also set by a
// re-login that knows the landlord).
TEST_F(SRHandTest, ATouchOnOneRaisedBottomCardLowersThemAll) {
  EnterSeated();
  DealAndWait();
  view->Deliver(Landlord(1, 3, {Card(2, 5), Card(2, 6), Card(3, 5), Card(3, 6), Card(0, 1), Card(1, 1), Card(2, 1), Card(3, 1)}));
  SRSelfHandCard* hand = Hand();
  ASSERT_EQ(hand->SelectedCodes().size(), 8u);
  // The visible strip of a raised card that another card follows.
  const std::vector<SpriteCardInfo*>& cards = hand->GetCards();
  std::size_t raised = 0;
  while (raised + 1 < cards.size() && !(cards[raised]->bSelected && !cards[raised + 1]->bSelected)) ++raised;
  ASSERT_LT(raised + 1, cards.size());
  const cocos2d::Rect box = cards[raised]->pCardSprite->getBoundingBox();
  const float nextX = cards[raised + 1]->pCardSprite->getBoundingBox().getMinX();
  tap(hand->convertToWorldSpace(cocos2d::Vec2((box.getMinX() + nextX) / 2, box.getMidY())));
  EXPECT_TRUE(hand->SelectedCodes().empty());

  ReloginFields r;
  r.own = SomeHand();
  r.bottom = {Card(2, 5)};
  r.landlordChair = 1;
  view->Deliver(Relogin(r));
  EXPECT_TRUE(Hand()->IsTurnStarted()) << "a snapshot that knows the landlord";
  r.landlordChair = -1;
  view->Deliver(Relogin(r));
  EXPECT_FALSE(Hand()->IsTurnStarted()) << "one of the bidding";
}

// ---------------------------------------------------------------- 66 play turn

TEST_F(SRHandTest, PlayTurnClockSeconds) {
  struct Case {
    const char* name;
    int chair;
    int handCards;       // cards left in the seat's row
    bool shortClock;
    bool timedOut;       // the own hand's last play was the time-out's
    bool fourJokersByOther;
    int seconds;
  } const cases[] = {
      {"25 cards", 0, 25, false, false, false, 25},
      {"19 cards", 2, 19, false, false, false, 20},
      {"9 cards", 3, 9, false, false, false, 15},
      {"4 cards", 0, 4, false, false, false, 10},
      {"fast clock", 0, 25, true, false, false, 3},
      {"four jokers of another seat", 0, 25, false, false, true, 1},
      {"own, 4 cards after a time-out", 1, 4, false, true, false, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    DealAndWait();
    SpriteCardManage* row = dynamic_cast<SpriteCardManage*>(view->m_pHandCard[c.chair]);
    while (row->GetCardCount() > c.handCards) {
      cocos2d::Vec2 place;
      row->RemoveCardByRecord(place, row->GetCards().back(), true);
    }
    view->Player(c.chair)->bShortClock = c.shortClock ? 1 : 0;
    if (c.fourJokersByOther) {
      view->m_TableItem.vcTableCardIndex = {13, 13, 14, 14};
      view->m_TableItem.iTableCardOwnerPos = (c.chair + 1) % 4;
    }
    if (c.timedOut) {
      view->Deliver(Turn(66, 1));
      Hand()->OnAutoOperate();  // the time-out plays
    }
    view->Deliver(Turn(66, c.chair));
    EXPECT_EQ(view->m_pGameClock->getClockTime(), c.seconds);
    EXPECT_EQ(view->m_pGameClock->GetTablePos(), c.chair);
    Leave();
  }
}

TEST_F(SRHandTest, TheOwnTurnAfterNobodyBeatTheOwnPlayLeadsFreely) {
  EnterSeated();
  DealAndWait();
  view->m_TableItem.vcTableCardIndex = {3};
  view->m_TableItem.iTableCardOwnerPos = 1;
  view->Deliver(Turn(66, 1));
  EXPECT_TRUE(view->m_TableItem.vcTableCardIndex.empty());
  EXPECT_TRUE(Hand()->GetLastPlay().empty());
  EXPECT_TRUE(Hand()->GetMainButton(SelfHandCard::kBtnPlay)->isVisible());
  // Against another seat's play the hand answers it.
  view->m_TableItem.vcTableCardIndex = {3};
  view->m_TableItem.iTableCardOwnerPos = 0;
  view->Deliver(Turn(66, 1));
  EXPECT_EQ(Hand()->GetLastPlay(), std::vector<int>{3});
}

// ---------------------------------------------------------------- 49 plays

TEST_F(SRHandTest, PlaysMoveCardsBombsCountFourJokersDoubleAndAPassSignsOnce) {
  EnterSeated();
  DealAndWait();
  view->Deliver(Landlord(2, 3, {Card(2, 5), Card(2, 6), Card(2, 7), Card(2, 8), Card(3, 5), Card(3, 6), Card(3, 7), Card(3, 8)}));
  for (int i = 0; i < 200 && Lock() > 0; ++i) tick(1, 0.05f);
  ASSERT_EQ(view->m_pBaseCard->GetCardCount(), 8) << "the open bottom cards in the middle";
  struct Case {
    const char* name;
    int chair;
    std::vector<std::uint8_t> cards;
    int bombs;
    int times;
    bool rocket;
  } const cases[] = {
      {"a pair", 2, {Card(3, 9), Card(2, 9)}, 0, 1, false},
      {"a bomb of 5", 3, {Card(0, 10), Card(1, 10), Card(2, 10), Card(3, 10), Card(2, 10)}, 0, 1, false},
      {"a bomb of 6", 0, {Card(0, 11), Card(1, 11), Card(2, 11), Card(3, 11), Card(2, 11), Card(3, 11)}, 1, 1, false},
      {"a bomb of 8", 2, {Card(0, 12), Card(1, 12), Card(2, 12), Card(3, 12), Card(0, 12), Card(1, 12), Card(2, 12), Card(3, 12)}, 2, 1, false},
      {"four jokers", 3, {16, 16, 17, 17}, 2, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->Deliver(Turn(66, c.chair));
    const int before = view->m_pHandCard[c.chair]->GetCardCount();
    view->Deliver(Played(c.chair, c.cards));
    EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 0) << "the first play takes the bottom cards to their places";
    EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, c.chair);
    EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), c.cards.size());
    EXPECT_EQ(view->m_pSendCard[c.chair]->GetCardCount(), static_cast<int>(c.cards.size()));
    EXPECT_EQ(view->m_pHandCard[c.chair]->GetCardCount(), before - static_cast<int>(c.cards.size()));
    EXPECT_EQ(view->m_TableItem.iSendBombNum, c.bombs);
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    EXPECT_EQ(view->m_TableItem.bSendRocket, c.rocket);
  }
  EXPECT_TRUE(view->GetDoubleSign()->IsFlying());
  // A pass: the sign is made once however often the seat passes.
  view->Deliver(Played(0, {}));
  cocos2d::Sprite* pass = view->m_pPlayerGameInfo[0]->GetPass();
  ASSERT_NE(pass, nullptr);
  view->Deliver(Played(0, {}));
  EXPECT_EQ(view->m_pPlayerGameInfo[0]->GetPass(), pass);
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 3) << "a pass leaves the table's play";
  view->Deliver(Turn(66, 0));
  EXPECT_EQ(view->m_pPlayerGameInfo[0]->GetPass(), nullptr) << "gone at the seat's next turn";
}

TEST_F(SRHandTest, TheOwnPlayShowsAtOnceAndTheServersEchoOfItIsIgnored) {
  EnterSeated();
  DealAndWait();
  view->Deliver(Turn(66, 1));
  // The lowest card leads.
  Hand()->GetCards().back()->bSelected = 1;
  Hand()->UpdateOutCardButton();
  const std::vector<int> chosen = Hand()->SelectedCodes();
  ASSERT_FALSE(chosen.empty());
  Hand()->OnButtonClick(Hand()->GetMainButton(SelfHandCard::kBtnPlay));
  ASSERT_EQ(view->requests.size(), 1u);
  EXPECT_EQ(view->requests[0], ddz::sr::BuildPlayRequest(chosen)) << "request 17 byte for byte";
  EXPECT_EQ(Hand()->GetCardCount(), 25 - static_cast<int>(chosen.size()));
  EXPECT_EQ(view->m_pSendCard[1]->GetCardCount(), static_cast<int>(chosen.size()));
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 1);
  // The server's 49 for the own chair: already shown, nothing more.
  std::vector<std::uint8_t> bytes(view->requests[0].begin() + 8, view->requests[0].begin() + 8 + chosen.size());
  const TableState before = Snap(view);
  view->Deliver(Played(1, bytes));
  EXPECT_EQ(Snap(view), before);
}

TEST_F(SRHandTest, TheLocalPlayMessageTakesAtMost33CardBytes) {
  for (int n : {33, 36}) {
    SCOPED_TRACE(n);
    EnterSeated();
    DealAndWait();
    // The own hand holds 33 cards after the bottom cards.
    view->Deliver(Landlord(1, 3, {Card(2, 5), Card(2, 6), Card(2, 7), Card(2, 8), Card(3, 5), Card(3, 6), Card(3, 7), Card(3, 8)}));
    const std::vector<int> codes = Hand()->HandCodes();
    ASSERT_EQ(codes.size(), 33u);
    std::vector<char> field(36, 0);
    for (int i = 0; i < n; ++i) field[i] = static_cast<char>(ddz::CodeToCardByte(codes[static_cast<std::size_t>(i % 33)]));
    view->ShowSelfOutCard(field.data(), n);
    EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), 33u);
    EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 1);
    view->m_TableItem.vcTableCardIndex.clear();
  }
}

TEST_F(SRHandTest, TheBidAndTheAnswerRequestsGoOutByteForByteFromTheHandsButtons) {
  EnterSeated();
  DealAndWait();
  view->Deliver(Turn(67, 1));
  Hand()->OnButtonClick(Hand()->GetMainButton(SelfHandCard::kBtnBid0 + 2));
  view->Deliver(Turn(69, 1));
  Hand()->OnButtonClick(Hand()->GetChoiceButton(SRSelfHandCard::kBtnChoiceSecond));
  view->Deliver(Turn(69, 1));
  Hand()->OnButtonClick(Hand()->GetChoiceButton(SRSelfHandCard::kBtnChoiceFirst));
  ASSERT_EQ(view->requests.size(), 3u);
  EXPECT_EQ(view->requests[0], (Frame{0, 18, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(view->requests[1], (Frame{0, 20, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(view->requests[2], (Frame{0, 20, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(view->m_pGameClock->getClockTime(), 15) << "the question's clock stays";
}

// ---------------------------------------------------------------- 69, 53 shown hands

TEST_F(SRHandTest, AShownHandOpensARowForAnotherSeatAndDoublesWhenItHeldCards) {
  struct Case {
    const char* name;
    int chair;
    std::vector<std::uint8_t> cards;
    bool rowStays;
    int times;
  } const cases[] = {
      {"another seat's hand", 3, {Card(0, 3), Card(1, 3), 0, Card(0, 4)}, true, 2},
      {"the own hand", 1, {Card(0, 3), Card(1, 3)}, false, 2},
      {"no card", 0, {}, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EnterSeated();
    DealAndWait();
    view->Deliver(Shown(c.chair, c.cards));
    EXPECT_EQ(view->m_TableItem.iShowCardTable, c.chair);
    EXPECT_EQ(view->GetShowCard()->getParent() != nullptr, c.rowStays);
    if (c.rowStays) {
      EXPECT_EQ(view->GetShowCard()->GetCardCount(), 3) << "the 0 byte is an empty slot";
    }
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    Leave();
  }
}

// ---------------------------------------------------------------- 54, 38, 39

TEST_F(SRHandTest, RewardsReachOnlyTheOwnSeatAndTheActivityButtonCounts) {
  EnterSeated();
  struct Case {
    int chair, kind, amount, yuanbao;
  } const cases[] = {{1, 3, 5, 15}, {1, 1, 0, 15}, {0, 3, 9, 15}, {1, 2, 20, 35}};
  for (const auto& c : cases) {
    view->Deliver(Reward(c.chair, c.kind, c.amount));
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.yuanbao);
    EXPECT_EQ(view->Player(1)->iYuanBao, c.yuanbao);
  }
  EXPECT_EQ(view->m_pBottomUI->GetYBNum(), 35);
  view->Deliver(Activity(38, 0, 0));
  view->Deliver(Activity(39, 2, 5));
  EXPECT_EQ(view->GetActivityLayer()->FindActiveBtn(2), nullptr) << "no countdown, no count of another kind";
  view->Deliver(Activity(39, 1, 5));
  auto* web = dynamic_cast<WEBActiveBtn*>(view->GetActivityLayer()->FindActiveBtn(2));
  ASSERT_NE(web, nullptr);
  EXPECT_EQ(web->GetHandCount(), 5);
  EXPECT_NE(web->GetState(), -1) << "its word is shown";
}

// ---------------------------------------------------------------- the doubling sign

TEST_F(SRHandTest, TheDoublingSignHoldsTheLockOnceAndASecondDoublingMultipliesWithoutASign) {
  EnterSeated();
  DealAndWait();
  view->ShowDoubleAni(3, 2);
  DoubleSignFlight* sign = view->GetDoubleSign();
  ASSERT_TRUE(sign->IsFlying());
  EXPECT_EQ(sign->GetSign()->getPosition(), g_ptGameX2) << "the top seat's sign starts at the doubling point";
  EXPECT_EQ(Lock(), 1);
  cocos2d::Sprite* first = sign->GetSign();
  view->ShowDoubleAni(0, 2);
  EXPECT_EQ(view->m_TableItem.iTimes, 4);
  EXPECT_EQ(sign->GetSign(), first);
  EXPECT_EQ(Lock(), 1);
  tick(40, 0.05f);
  EXPECT_FALSE(sign->IsFlying());
  EXPECT_EQ(Lock(), 0);
  // Taken off mid-flight by a reset: lowered once.
  view->ShowDoubleAni(0, 2);
  EXPECT_EQ(sign->GetSign()->getPosition(), g_ptPlayerHead[0] - cocos2d::Vec2(16, 66));
  EXPECT_EQ(Lock(), 1);
  view->ResetTable();
  EXPECT_EQ(Lock(), 0);
  tick(40, 0.05f);
  EXPECT_EQ(Lock(), 0);
  EXPECT_FALSE(Logged("lowered below 0"));
}

}  // namespace
}  // namespace srtest
