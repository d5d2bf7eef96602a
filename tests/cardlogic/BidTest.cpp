// The bid wish of a dealt hand, and ExtraDdzAI's bidding and landlord.
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/ExtraDdzAI.h"
#include "cardlogic/HandText.h"
#include "cardlogic/PlayerCard.h"
#include "platform/os/Random.h"

using namespace ddz;
using ddz::testing::GiveHand;

namespace {
constexpr int kSentinel = 4242;  // pushed after the expected draws: must be left over
}  // namespace

// Each row: a hand, the draws it is given, the turns and strength it must have
// (checked so that a change in the analysis shows here as such), and the wish.
TEST(BidScore, TableOfTurnsStrengthAndDraws) {
  struct Row {
    const char* hand;
    std::vector<int> draws;
    int turns, strength, wish;
  };
  // The low singles 3 4 5 6 8 9 T J K A make no straight; "22" is one pair turn, strength 2.
  const Row rows[] = {
      {"3 5 7", {}, 3, 0, 0},  // nothing high: 0 and no draw at all
      {"22", {}, 1, 2, 3},
      {"3 4 5 22", {}, 4, 2, 3},
      {"3 4 5 6 22", {89}, 5, 2, 3},
      {"3 4 5 6 22", {90}, 5, 2, 2},
      {"3 4 5 6 8 22", {74}, 6, 2, 3},
      {"3 4 5 6 8 22", {75}, 6, 2, 2},
      {"3 4 5 6 8 9 22", {19}, 7, 2, 3},
      {"3 4 5 6 8 9 22", {20}, 7, 2, 2},
      {"3 4 5 6 8 9 22", {79}, 7, 2, 2},
      {"3 4 5 6 8 9 22", {80}, 7, 2, 1},
      {"3 4 5 6 8 9 T 22", {24}, 8, 2, 2},
      {"3 4 5 6 8 9 T 22", {25}, 8, 2, 1},
      {"3 4 5 6 8 9 T j 22", {9}, 9, 2, 2},
      {"3 4 5 6 8 9 T j 22", {10}, 9, 2, 1},
      {"3 4 5 6 8 9 T j K 22", {9}, 10, 2, 1},
      {"3 4 5 6 8 9 T j K 22", {10}, 10, 2, 0},
      {"3 4 5 6 8 9 T j K A 22", {}, 11, 2, 0},
      // Strength 5 (two 2s and both jokers) wishes 3 even at 12 turns.
      {"3 4 5 6 8 9 T j K A 22 xX", {}, 12, 5, 3},
      // Strength 4 (a 2 and both jokers, the big one counting twice): +2.
      {"3 4 5 6 8 9 T j K 2 xX", {}, 11, 4, 2},
      // Strength 3 (both jokers): +1 below 30.
      {"3 4 5 6 8 9 T j K xX", {50, 29}, 10, 3, 1},
      {"3 4 5 6 8 9 T j K xX", {50, 30}, 10, 3, 0},
      {"3 4 5 6 8 9 T j K xX", {5, 29}, 10, 3, 2},
      // Strength 2 from the big joker alone: unchanged.
      {"3 4 5 X", {}, 4, 2, 3},
      // Strength 1 (one 2, the small joker, or a bomb): base 3 ends at 1 below 80, else 2.
      {"3 4 5 2", {79}, 4, 1, 1},
      {"3 4 5 2", {80}, 4, 1, 2},
      {"3 4 5 x", {0}, 4, 1, 1},
      {"3333 5 7", {80}, 3, 1, 2},
      // ... and a base of 1 ends at 0 whatever the draw.
      {"3 4 5 6 8 9 T 2", {25, 0}, 8, 1, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.hand << " draws " << ::testing::PrintToString(r.draws));
    os::ScriptedRandom draws;
    for (int d : r.draws) draws.Push(d);
    draws.Push(kSentinel);
    os::ScopedRandomSource guard(draws);
    CPoker deck(DeckSeeding::None);
    CPlayerCard seat;
    ASSERT_TRUE(GiveHand(seat, deck, r.hand, /*bidFlag=*/true));
    ASSERT_EQ(seat.GetTurns(), r.turns);
    ASSERT_EQ(seat.GetHighScore() + static_cast<int>(seat.OwnCounts().Get(kValueBigJoker)), r.strength);
    EXPECT_EQ(seat.GetBidWish(), r.wish);
    EXPECT_EQ(draws.Remaining(), 1u) << "draws used: " << r.draws.size() + 1 - draws.Remaining();
  }
}

TEST(BidScore, AnalysingWithoutTheBidFlagKeepsTheWish) {
  os::ScriptedRandom draws;
  os::ScopedRandomSource guard(draws);
  CPoker deck(DeckSeeding::None);
  CPlayerCard seat;
  ASSERT_TRUE(GiveHand(seat, deck, "22", true));
  ASSERT_EQ(seat.GetBidWish(), 3);
  seat.AnalyseHand(false);
  EXPECT_EQ(seat.GetBidWish(), 3);
  seat.AnalyseHand(true);
  EXPECT_EQ(seat.GetBidWish(), 3);
  ASSERT_TRUE(GiveHand(seat, deck, "3 5 7", true));
  EXPECT_EQ(seat.GetBidWish(), 0);
}

namespace {

// Hands whose wish is known; wish 1 needs its one draw.
struct WishHand { const char* hand; std::vector<int> draws; };
const WishHand kWish[] = {
    {"3 5 7", {}},                      // 0
    {"3 4 5 6 8 9 T 22", {50}},          // 1: eight turns, draw 50
    {"3 4 5 6 8 9 T j K 2 xX", {}},     // 2
    {"22", {}},                          // 3
};

class AIBidTest : public ::testing::Test {
 protected:
  void GiveWish(int chair, int wish) {
    for (int d : kWish[wish].draws) draws_.Push(d);
    ASSERT_TRUE(GiveHand(*ai_.Player(chair), ai_.Deck(), kWish[wish].hand, true));
    ASSERT_EQ(ai_.Player(chair)->GetBidWish(), wish);
  }
  os::ScriptedRandom draws_;
  os::ScopedRandomSource guard_{draws_};
  ExtraDdzAI ai_{DeckSeeding::None};
};

}  // namespace

TEST_F(AIBidTest, BidAgainstTheBidsMade) {
  struct Row {
    const char* what;
    int chair, wish;
    int bids[3];  // bids made so far (-1: not yet); the chair's own entry is ignored
    int bid;
  };
  const Row rows[] = {
      {"first to bid, no wish: opens with 1", 0, 0, {-1, -1, -1}, 1},
      {"last to bid after two passes: opens with 1", 2, 0, {0, 0, -1}, 1},
      {"no wish after a bid of 1: passes", 2, 0, {1, -1, -1}, 0},
      {"wish 1 after a bid of 1 by an earlier chair: passes", 2, 1, {1, -1, -1}, 0},
      {"wish 1 after a bid of 1 by a later chair: passes", 0, 1, {-1, -1, 1}, 0},
      {"wish 2 over a bid of 1", 1, 2, {1, -1, -1}, 2},
      {"wish 2 under a bid of 3", 1, 2, {3, -1, -1}, 0},
      {"wish 3 over 2 and a pass", 2, 3, {2, 0, -1}, 3},
      {"wish 1 after two passes", 2, 1, {0, 0, -1}, 1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    GiveWish(r.chair, r.wish);
    for (int c = 0; c < 3; ++c) ai_.SetBid(c, c == r.chair ? -1 : r.bids[c]);
    EXPECT_EQ(ai_.GetAIBid(r.chair), r.bid);
    EXPECT_EQ(ai_.GetBid(r.chair), r.bid);
  }
  EXPECT_EQ(ai_.GetAIBid(3), 0);
  EXPECT_EQ(ai_.GetAIBid(-1), 0);
}

TEST_F(AIBidTest, DealThenLandlord) {
  // Draws 0..53 leave the deck in its built order; later draws (the bid
  // wishes) come from the fallback generator.
  for (int i = 0; i < CPoker::kCardCount; ++i) draws_.Push(i);
  ai_.SetBid(0, 2);
  ai_.SetLastPlayer(2);
  ai_.LastPlay().iType = Combo::Pair;
  ai_.DealCards();
  EXPECT_EQ(ai_.LastPlay().iType, Combo::None);
  EXPECT_EQ(ai_.GetLastPlayer(), -1);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(ai_.GetBid(c), -1);
    EXPECT_EQ(ai_.Player(c)->GetCardCount(), 17);
    EXPECT_EQ(ai_.Player(c)->GetCard(0), ai_.Deck().GetCard(c));
  }

  ASSERT_TRUE(ai_.SetLandlord(2, 3));
  EXPECT_EQ(ai_.Player(2)->GetRole(), 0);
  EXPECT_EQ(ai_.Player(0)->GetRole(), 1);
  EXPECT_EQ(ai_.Player(1)->GetRole(), 2);
  EXPECT_EQ(ai_.Player(2)->GetCardCount(), 20);
  EXPECT_EQ(ai_.Player(2)->GetCard(19), ai_.Deck().GetCard(53));
  EXPECT_EQ(ai_.Player(0)->GetCardCount(), 17);
  EXPECT_FALSE(ai_.SetLandlord(3, 3));
  EXPECT_EQ(ai_.Player(3), nullptr);
}
