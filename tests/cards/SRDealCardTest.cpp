// The four-player deal: 108 cards, four seats, 25 passes, 8 bottom cards, the
// lander card and the golden cards.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TableRowTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/SRDealCard.h"
#include "cards/SRSelfHandCard.h"
#include "platform/os/Random.h"

using Lines = std::vector<std::string>;

namespace {

constexpr int kGoldenQueen = 12;  // golden number of the Q (card index 11)
constexpr int kGoldenSeven = 7;

// The own 25 cards of a deal message: 3..K of suit 0, A and 2 of suit 1, the
// jokers, the 7s, 9s and Ks of suits 1..3 and the Q of suit 2. Four 7s, two Qs.
std::array<std::uint8_t, SRDealCard::kOwnCards> OwnBytes() {
  std::array<std::uint8_t, SRDealCard::kOwnCards> b{};
  std::size_t n = 0;
  for (int v = 3; v <= 13; ++v) b[n++] = static_cast<std::uint8_t>(v);
  for (int x : {0x21, 0x22, 16, 17, 0x27, 0x47, 0x67, 0x29, 0x49, 0x69, 0x2d, 0x4d, 0x6d, 0x4c})
    b[n++] = static_cast<std::uint8_t>(x);
  return b;
}

class SRDealCardTest : public rowtest::TableRowTest {
 protected:
  void SetUp() override {
    TableRowTest::SetUp();
    for (int seat = 0; seat < 4; ++seat) {
      if (seat == 1) {
        auto* own = new SRSelfHandCard(nullptr);
        own->autorelease();
        view->addChild(own);
        rows[1] = own;
      } else {
        rows[static_cast<std::size_t>(seat)] = makeRow<SpriteCardManage>();
      }
    }
    base = new BaseCard(view);
    base->autorelease();
    view->addChild(base);
    deal = new SRDealCard(view, rows, base);
    deal->autorelease();
  }
  void start(int landerPos = 7, std::uint8_t lander = 5, int landerSeat = 3, int golden = kGoldenQueen,
             std::array<std::uint8_t, SRDealCard::kOwnCards> bytes = OwnBytes()) {
    ddz::os::ScriptedRandom draws{landerPos - 1};
    ddz::os::ScopedRandomSource guard(draws);
    deal->ShowLandCard(bytes.data(), 0, lander, landerSeat, golden);
    if (deal->getParent() == nullptr) view->addChild(deal);
  }
  // One step a frame: 18 ms, the pass interval of this deal.
  void steps(int n) { frames(n, 18); }
  static constexpr int kToDeal = 25 + 10;  // spread and gather steps
  int cards(int seat) const { return rows[static_cast<std::size_t>(seat)]->GetCardCount(); }
  SRSelfHandCard* own() const { return static_cast<SRSelfHandCard*>(rows[1]); }
  int framed() const {
    const auto& c = own()->GetCards();
    return static_cast<int>(std::count_if(c.begin(), c.end(), [](const SpriteCardInfo* i) { return i->pFocusFrame; }));
  }

  std::array<Vell_SpriteCardManage*, DealCard::kSeatSlots> rows{};
  BaseCard* base = nullptr;
  SRDealCard* deal = nullptr;
};

TEST_F(SRDealCardTest, SpreadGatherAndTwentyFivePassesToFourSeatsThenEightBottomCards) {
  start();
  EXPECT_EQ(lock(), 1) << "the deal holds the messages";
  steps(25);
  EXPECT_EQ(deal->GetPhase(), DealCard::kGather);
  EXPECT_EQ(deal->GetCardCount(), 25);
  steps(10);
  EXPECT_EQ(deal->GetPhase(), DealCard::kDeal);
  EXPECT_EQ(deal->GetCardCount(), 108);
  for (int pass = 1; pass <= 25; ++pass) {
    SCOPED_TRACE("pass " + std::to_string(pass));
    steps(2);
    EXPECT_EQ(cards(1), pass - 1) << "a pass needs three moves";
    steps(1);
    for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(cards(seat), pass);
    EXPECT_EQ(sounds().size(), static_cast<std::size_t>(pass)) << "every pass sounds";
    if (pass < 25) {
      EXPECT_EQ(deal->GetCardCount(), 108 - 4 * pass);
      EXPECT_TRUE(view->calls.empty());
    }
  }
  EXPECT_EQ(view->calls, (Lines{"dealEnd lock=0"}));
  EXPECT_EQ(base->GetCardCount(), 8);
  EXPECT_EQ(deal->GetCardCount(), 0);
  EXPECT_TRUE(own()->isTouchEnabled());
  std::vector<int> got = own()->HandCodes();
  std::vector<int> sent;
  for (std::uint8_t b : OwnBytes()) sent.push_back(ddz::CardByteToCode(b));
  std::sort(got.begin(), got.end());
  std::sort(sent.begin(), sent.end());
  EXPECT_EQ(got, sent);
  steps(100);
  EXPECT_EQ(view->calls.size(), 1u);
}

TEST_F(SRDealCardTest, TheLanderCardTurnsUpInTheFirstPassWhoseWindowHoldsItsPosition) {
  struct Case {
    int position;
    int pass;
  } cases[] = {{1, 1}, {4, 1}, {8, 2}, {9, 3}, {25, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    start(c.position, 0x4c, 2);
    ASSERT_EQ(deal->GetLanderPosition(), c.position);
    cocos2d::Sprite* lander = deal->GetLanderSprite();
    ASSERT_NE(lander, nullptr);
    EXPECT_EQ(lander->getPosition(), g_ptSRLanderCard[2]);
    EXPECT_FLOAT_EQ(lander->getScale(), g_fSRSendCardScale);
    steps(kToDeal + (c.pass - 1) * 3);
    EXPECT_FALSE(lander->isVisible());
    steps(3);
    EXPECT_TRUE(lander->isVisible());
    steps(25 * 3);
    for (Vell_SpriteCardManage* row : rows) row->RemoveAllCards();
  }
}

TEST_F(SRDealCardTest, AnInvalidLanderOrOwnByteIsSkippedWithALogLine) {
  auto bytes = OwnBytes();
  bytes[4] = 0;
  bytes[20] = 0x7f;
  start(7, 0, 3, kGoldenQueen, bytes);
  EXPECT_EQ(deal->GetLanderSprite(), nullptr);
  EXPECT_TRUE(logHas("[Error] landCard error card = -1"));
  steps(kToDeal + 25 * 3);
  EXPECT_EQ(cards(1), 23);
  EXPECT_EQ(cards(0), 25);
  EXPECT_EQ(cards(3), 25);
  EXPECT_TRUE(logHas("own card byte 0x7f is not a card"));
  EXPECT_EQ(view->calls, (Lines{"dealEnd lock=0"}));
}

TEST_F(SRDealCardTest, GoldenCardsArriveFramedAndKeepTheFrameOnlyFromFourOn) {
  struct Case {
    int golden;
    int arrive;  // framed after the deal
    int kept;    // after the hand's refresh with true
  } cases[] = {{kGoldenQueen, 2, 0}, {kGoldenSeven, 4, 4}, {0, 0, 0}, {16, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    own()->RemoveAllCards();
    start(7, 5, 3, c.golden);
    steps(kToDeal + 25 * 3);
    ASSERT_EQ(cards(1), 25);
    EXPECT_EQ(framed(), c.arrive);
    for (const SpriteCardInfo* info : own()->GetCards())
      if (info->pFocusFrame != nullptr) {
        EXPECT_EQ(info->iCardIndex % 15, c.golden - 1);
      }
    own()->SetGoldenRank(deal->GetGoldenRank());
    own()->RefreshCardMarks(true);
    EXPECT_EQ(framed(), c.kept);
  }
  EXPECT_TRUE(logHas("golden number 16 is no card"));
}

TEST_F(SRDealCardTest, AnInterruptedDealIsFollowedByAFullOne) {
  start();
  steps(kToDeal + 3 * 5 + 1);
  ASSERT_EQ(cards(1), 5);
  deal->retain();
  deal->removeFromParent();  // the table is rebuilt mid-deal
  EXPECT_EQ(lock(), 0);
  for (Vell_SpriteCardManage* row : rows) row->RemoveAllCards();
  SoundManage::shareSoundManage()->Reset();
  start();
  deal->release();
  EXPECT_EQ(lock(), 1);
  steps(24);
  EXPECT_EQ(deal->GetPhase(), DealCard::kSpread) << "the spread counts from 0 again";
  steps(1 + 10 + 25 * 3 - 1);
  EXPECT_EQ(cards(1), 24) << "the last pass is not cut short";
  steps(1);
  for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(cards(seat), 25);
  EXPECT_EQ(sounds().size(), 25u);
  EXPECT_EQ(base->GetCardCount(), 8);
  EXPECT_EQ(view->calls, (Lines{"dealEnd lock=0"}));
  EXPECT_FALSE(logHas("lowered below 0"));
}

TEST_F(SRDealCardTest, TheSpreadUsesTheFourPlayerPlaces) {
  g_fSRDealCardIniScale = 0.5f;
  g_iSRDealCardIniGap = 20;
  g_ptSRDealCardIni = {600, 400};
  start();
  steps(25);
  const auto& pile = deal->GetCards();
  EXPECT_NEAR((pile.front()->fX + pile.back()->fX) / 2, 640, 1);
  EXPECT_FLOAT_EQ(pile[1]->fX - pile[0]->fX, 20);
  EXPECT_FLOAT_EQ(pile[0]->fY, 400);
  EXPECT_FLOAT_EQ(pile[0]->pCardSprite->getScale(), 0.5f);
  steps(10);
  EXPECT_EQ(pile.back()->pCardSprite->getPosition(), cocos2d::Vec2(600, 400));
}

}  // namespace
