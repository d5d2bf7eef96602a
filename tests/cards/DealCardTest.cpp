#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TableRowTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "platform/os/Random.h"

using Lines = std::vector<std::string>;

namespace {

// The own 17 cards of a deal message: 3..K of suit 0, then A and 2 of suit 1,
// then the two jokers' neighbours: bytes as the server writes them.
std::array<std::uint8_t, DealCard::kOwnCards> OwnBytes() {
  std::array<std::uint8_t, DealCard::kOwnCards> bytes{};
  for (int i = 0; i < 11; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(3 + i);  // 3..K
  bytes[11] = (1 << 5) | 1;                                                                              // A
  bytes[12] = (1 << 5) | 2;                                                                              // 2
  bytes[13] = 16;                                                                                        // small joker
  bytes[14] = 17;                                                                                        // big joker
  bytes[15] = (2 << 5) | 9;
  bytes[16] = (3 << 5) | 9;
  return bytes;
}

class DealCardTest : public rowtest::TableRowTest {
 protected:
  void SetUp() override {
    TableRowTest::SetUp();
    for (int seat = 0; seat < 3; ++seat) {
      rows[static_cast<std::size_t>(seat)] = makeRow<SpriteCardManage>();
    }
    base = new BaseCard(view);
    base->autorelease();
    view->addChild(base);
    deal = new DealCard(view, rows, base);
    deal->autorelease();
  }
  // Starts a deal whose lander position is `landerPos` and puts it on stage.
  void start(int landerPos = 7, std::uint8_t lander = 5, int landerSeat = 0) {
    ddz::os::ScriptedRandom draws{landerPos - 1};
    ddz::os::ScopedRandomSource guard(draws);
    const auto bytes = OwnBytes();
    deal->StartDeal(bytes.data(), 0, lander, landerSeat);
    if (deal->getParent() == nullptr) view->addChild(deal);
  }
  // One step a frame: every frame is 20 ms, the longest step interval.
  void steps(int n) { frames(n, 20); }
  int cards(int seat) const { return rows[static_cast<std::size_t>(seat)]->GetCardCount(); }

  std::array<Vell_SpriteCardManage*, DealCard::kSeatSlots> rows{};
  BaseCard* base = nullptr;
  DealCard* deal = nullptr;
};

TEST_F(DealCardTest, SpreadGatherAndSeventeenPassesThenTheViewHearsTheEndOnce) {
  start();
  EXPECT_EQ(lock(), 1) << "the deal holds the messages";
  steps(DealCard::kSpreadCards);
  EXPECT_EQ(deal->GetCardCount(), 25);
  EXPECT_EQ(deal->GetPhase(), DealCard::kGather);
  steps(DealCard::kGatherSteps);
  EXPECT_EQ(deal->GetPhase(), DealCard::kDeal);
  EXPECT_EQ(deal->GetCardCount(), 54);
  for (int pass = 1; pass <= DealCard::kPasses; ++pass) {
    SCOPED_TRACE("pass " + std::to_string(pass));
    steps(DealCard::kMovesPerPass - 1);
    EXPECT_EQ(cards(1), pass - 1) << "a pass needs three moves";
    steps(1);
    for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(cards(seat), pass);
    EXPECT_EQ(sounds().size(), static_cast<std::size_t>(std::min(pass, 15))) << "passes 16 and 17 are silent";
    if (pass < DealCard::kPasses) {
      EXPECT_EQ(deal->GetCardCount(), 54 - 3 * pass);
      EXPECT_TRUE(view->calls.empty());
    }
  }
  EXPECT_EQ(view->calls, (Lines{"dealEnd lock=0"}));
  EXPECT_EQ(base->GetCardCount(), 3);
  EXPECT_EQ(deal->GetCardCount(), 0);
  EXPECT_TRUE(rows[1]->isTouchEnabled());
  EXPECT_FALSE(rows[0]->isTouchEnabled());
  std::vector<int> own;
  for (const SpriteCardInfo* info : static_cast<SpriteCardManage*>(rows[1])->GetCards()) own.push_back(info->iCardIndex);
  std::vector<int> expected;
  for (std::uint8_t b : OwnBytes()) expected.push_back(ddz::CardByteToCode(b));
  std::sort(own.begin(), own.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(own, expected);
  steps(100);
  EXPECT_EQ(view->calls.size(), 1u);
  EXPECT_EQ(cards(1), 17);
}

TEST_F(DealCardTest, AnOwnHandTheViewBuildsAnewMidDealIsNoFreedRowToTheDeal) {
  start();
  steps(DealCard::kSpreadCards + DealCard::kGatherSteps + 3 * DealCard::kMovesPerPass);
  ASSERT_EQ(cards(1), 3);
  rows[1]->removeFromParent();  // the view's only reference to its old hand goes
  steps(DealCard::kPasses * DealCard::kMovesPerPass);
  EXPECT_EQ(view->calls, (Lines{"dealEnd lock=0"}));
  // The old row emptied as it left the stage; the deal's passes still reach it, alive.
  EXPECT_EQ(cards(1), DealCard::kOwnCards - 3);
}

TEST_F(DealCardTest, TheLanderCardTurnsUpInThePassItsPositionFallsIn) {
  struct Case {
    int position;
    int pass;
  } cases[] = {{1, 1}, {3, 1}, {4, 2}, {12, 4}, {13, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    start(c.position);
    ASSERT_EQ(deal->GetLanderPosition(), c.position);
    cocos2d::Sprite* lander = deal->GetLanderSprite();
    ASSERT_NE(lander, nullptr);
    EXPECT_EQ(lander->getPosition(), g_ptLanderCard[0] + cocos2d::Vec2(-30, 30));
    steps(DealCard::kSpreadCards + DealCard::kGatherSteps + (c.pass - 1) * 3);
    EXPECT_FALSE(lander->isVisible());
    steps(3);
    EXPECT_TRUE(lander->isVisible());
    steps(DealCard::kPasses * 3);
  }
}

TEST_F(DealCardTest, AnInterruptedDealDoesNotShortenTheNextOne) {
  start();
  steps(DealCard::kSpreadCards + DealCard::kGatherSteps + 3 * 5 + 1);
  deal->retain();
  deal->removeFromParent();  // re-login mid-deal
  EXPECT_EQ(lock(), 0);
  for (Vell_SpriteCardManage* row : rows)
    if (row != nullptr) row->RemoveAllCards();
  SoundManage::shareSoundManage()->Reset();
  start();
  deal->release();
  EXPECT_EQ(lock(), 1);
  steps(DealCard::kSpreadCards - 1);
  EXPECT_EQ(deal->GetPhase(), DealCard::kSpread) << "the spread counts from 0 again";
  steps(1 + DealCard::kGatherSteps + DealCard::kPasses * 3);
  EXPECT_EQ(cards(1), 17);
  EXPECT_EQ(cards(0), 17);
  EXPECT_EQ(sounds().size(), 15u);
  EXPECT_EQ(view->calls, (Lines{"dealEnd lock=0"}));
  EXPECT_FALSE(logHas("lowered below 0"));
}

TEST_F(DealCardTest, AFinishedOrStoppedDealStaysStillWhenItComesBack) {
  for (const bool stopped : {false, true}) {
    SCOPED_TRACE(stopped ? "stopped in the third pass" : "finished");
    view->calls.clear();
    for (Vell_SpriteCardManage* row : rows)
      if (row != nullptr) row->RemoveAllCards();
    start();
    steps(DealCard::kSpreadCards + DealCard::kGatherSteps + (stopped ? 3 * 2 + 1 : DealCard::kPasses * 3));
    if (stopped) {
      deal->StopDeal();
      EXPECT_FALSE(deal->IsDealing());
      EXPECT_EQ(lock(), 0);
      EXPECT_EQ(deal->GetLanderSprite(), nullptr);
    }
    ASSERT_EQ(view->calls.size(), stopped ? 0u : 1u);
    const int own = cards(1);
    deal->retain();
    deal->removeFromParent();
    view->addChild(deal);
    deal->release();
    steps(100);
    EXPECT_EQ(deal->GetCardCount(), 0);
    EXPECT_EQ(cards(1), own) << "no further pass";
    EXPECT_EQ(view->calls.size(), stopped ? 0u : 1u) << "a stopped deal tells nobody";
    EXPECT_EQ(lock(), 0);
  }
}

TEST_F(DealCardTest, BytesThatAreNoCardsAreSkippedWithALogLine) {
  auto bytes = OwnBytes();
  bytes[4] = 0;
  bytes[9] = 0x7f;
  deal->StartDeal(bytes.data(), 0, 0, 0);
  view->addChild(deal);
  EXPECT_EQ(deal->GetLanderSprite(), nullptr);
  steps(DealCard::kSpreadCards + DealCard::kGatherSteps + DealCard::kPasses * 3);
  EXPECT_EQ(cards(1), 15);
  EXPECT_EQ(cards(0), 17);
  EXPECT_TRUE(logHas("own card byte 0x7f is not a card"));
  EXPECT_TRUE(logHas("lander card byte 0x00 is not a card"));
  EXPECT_EQ(view->calls.size(), 1u);
}

TEST_F(DealCardTest, TwoSeatsDealToTheOwnAndTheLeftSeatOnly) {
  deal->SetSeatCount(2);
  start(7, 5, 0);
  EXPECT_EQ(deal->GetLanderSprite()->getPosition(), g_ptSRLanderCard[3] + cocos2d::Vec2(-30, 30));
  steps(DealCard::kSpreadCards + DealCard::kGatherSteps + (DealCard::kPasses - 1) * 3);
  EXPECT_EQ(deal->GetCardCount(), 54 - 2 * 16);
  steps(3);
  EXPECT_EQ(cards(0), 17);
  EXPECT_EQ(cards(1), 17);
  EXPECT_EQ(cards(2), 0);
  EXPECT_EQ(base->GetCardCount(), 3);
  EXPECT_EQ(view->calls.size(), 1u);
}

TEST_F(DealCardTest, TheSpreadIsCentredOnTheWindow) {
  start();
  steps(DealCard::kSpreadCards);
  const auto& pile = deal->GetCards();
  EXPECT_NEAR((pile.front()->fX + pile.back()->fX) / 2, 640, 1);
  std::vector<float> spread;
  for (const SpriteCardInfo* info : pile) spread.push_back(info->fX);
  steps(DealCard::kGatherSteps - 1);
  // Nine of the ten gather steps: a tenth of the way to the middle is left.
  for (std::size_t i = 0; i < pile.size(); ++i) EXPECT_NEAR(pile[i]->fX - 640, (spread[i] - 640) / 10, 0.01) << i;
}

}  // namespace
