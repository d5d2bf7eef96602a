// The tournament deal (71): the own 17 cards by the own chair, the scores by
// table number, the final table's number, the base score, request 25, the
// deal's own hold of the message lock, and the layout file the view loads.
#include "CompeteTestSupport.h"
#include "cards/DealCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/os/OsApiBase.h"
#include "widgets/PlayerGameInfo.h"

namespace competetest {
namespace {

class DealTest : public CompeteTest {};

TEST_F(DealTest, TheOwnCardsAndTheScoresFollowTheOwnChair) {
  struct Case {
    int chair;
    int seatOfTable[3];
  };
  const Case cases[] = {{0, {1, 2, 0}}, {1, {0, 1, 2}}, {2, {2, 0, 1}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chair);
    GameViewBase::m_GlobalInfo.iChairID = c.chair;
    DealFields d;
    d.openTable = c.chair;
    DealAndSettle(d);
    std::vector<int> dealt;
    for (std::uint8_t b : ChairCards(c.chair)) dealt.push_back(ddz::CardByteToCode(b));
    std::vector<int> held = view->GetSelfHand()->HandCodes();
    std::sort(dealt.begin(), dealt.end());
    std::sort(held.begin(), held.end());
    EXPECT_EQ(held, dealt);
    for (int t = 0; t < 3; ++t) {
      const int seat = c.seatOfTable[t];
      EXPECT_EQ(view->m_TableItem.iCompeteAmount[seat], d.scores[t]) << "table number " << t;
      ASSERT_NE(view->m_pPlayerGameInfo[seat]->GetAmountLabel(), nullptr);
      EXPECT_EQ(view->m_pPlayerGameInfo[seat]->GetAmountLabel()->getString(), std::to_string(d.scores[t]));
    }
  }
}

TEST_F(DealTest, AnOwnChairOutsideTheTableDropsTheDeal) {
  for (int chair : {3, -1, 9}) {
    SCOPED_TRACE(chair);
    GameViewBase::m_GlobalInfo.iChairID = chair;
    const TableState before = StateOf(view);
    view->Deliver(CompeteDeal());
    tick(5, 0.05f);
    EXPECT_EQ(StateOf(view), before);
    EXPECT_EQ(CardCount(1), 0);
  }
}

TEST_F(DealTest, AFaceUpCardOfATableNumberThatIsNoSeatIsLeftOutOfTheDeal) {
  // The card is only shown while dealing: the hand is dealt all the same.
  for (int openTable : {3, 0xff}) {
    SCOPED_TRACE(openTable);
    DealFields d;
    d.openTable = openTable;
    view->ClearRequests();
    view->Deliver(CompeteDeal(d));
    auto* deal = dynamic_cast<DealCard*>(view->m_pDealCard);
    ASSERT_NE(deal, nullptr);
    EXPECT_EQ(deal->GetLanderSprite(), nullptr) << "no face-up card";
    RunUntilUnlocked();
    EXPECT_EQ(CardCount(1), 17);
    EXPECT_EQ(CardCount(0), 17);
    EXPECT_EQ(view->RequestTypes(), std::vector<int>{25});
  }
}

TEST_F(DealTest, TheFinalStagesTakeTheTableNumberFromTheDeal) {
  struct Case {
    int state;
    int tableNum;
  };
  for (const Case c : {Case{0, 0}, Case{2, 0}, Case{3, 7}, Case{4, 7}}) {
    SCOPED_TRACE(c.state);
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = c.state;
    view->iTableNum = 0;
    DealAndSettle();
    EXPECT_EQ(view->iTableNum, c.tableNum);
  }
}

TEST_F(DealTest, TheDealAnswersWithRequest25AndHoldsTheLockToItsEnd) {
  view->ClearRequests();
  view->Deliver(CompeteDeal());
  const Frame expected = {0, 25, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(view->Requests().size(), 1u);
  EXPECT_EQ(view->Requests()[0], expected);
  tick(1, 0.05f);
  auto* deal = dynamic_cast<DealCard*>(view->m_pDealCard);
  ASSERT_NE(deal, nullptr);
  EXPECT_TRUE(deal->IsHoldingLock());
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1) << "one raise: the deal's own";
  int framesHeld = 0;
  while (deal->IsDealing() && framesHeld < 600) {
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
    tick(1, 0.05f);
    ++framesHeld;
  }
  EXPECT_GT(framesHeld, 10);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(CardCount(1), 17);
}

TEST_F(DealTest, TheFaceUpCardLeavesWithTheDealAndTurnsUpAgainAtTheNextDeal) {
  for (int hand = 0; hand < 2; ++hand) {
    SCOPED_TRACE(hand);
    view->Deliver(CompeteDeal());
    tick(1, 0.05f);
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
    EXPECT_EQ(CardCount(1), 17);
    view->ResetTable();
  }
}

TEST_F(DealTest, TheBaseScoreIsTheDealsOnATableAndOneInTheSinglePlayerGame) {
  DealFields d;
  d.baseScore = 40;
  DealAndSettle(d);
  EXPECT_EQ(view->m_TableItem.iBaseScore, 1);
  EXPECT_FALSE(view->IsNetTestRunning());
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  DealAndSettle(d);
  EXPECT_EQ(view->m_TableItem.iBaseScore, 40);
  EXPECT_TRUE(view->IsNetTestRunning());
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
}

TEST(CompeteLayoutTest, TheViewLoadsTheTabletLayoutOnlyOnATablet) {
  struct Case {
    const char* model;
    int ipad;
  };
  OsApiBase* os = OsApiBase::shareOsApi();
  const std::string saved = os->GetDeviceModel();
  for (const Case c : {Case{"ipad", 1}, Case{"iphone", 0}, Case{"", 0}}) {
    SCOPED_TRACE(c.model);
    os->SetDeviceModel(c.model);
    auto* view = new CompeteGameView(nullptr, nullptr);
    EXPECT_EQ(g_bIpadLayout, c.ipad);
    EXPECT_EQ(view->GetPlayerCount(), 3);
    EXPECT_EQ(view->GetGameKind(), 4);
    view->release();
  }
  os->SetDeviceModel(saved);
  LoadGamePositionInfo(ddz::ChooseLayoutFile(false, "", false));
}

}  // namespace
}  // namespace competetest
