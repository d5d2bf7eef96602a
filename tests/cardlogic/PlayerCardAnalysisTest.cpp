#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/ExtraDdzAI.h"
#include "cardlogic/PlayerCard.h"
#include "cardlogic/HandText.h"
#include "platform/os/Random.h"

using namespace ddz;
using ddz::testing::GiveHand;

namespace {

struct Rec {
  int code, low, high;
  bool operator==(const Rec&) const = default;
};

std::vector<Rec> ListOf(const CPlayerCard& seat) {
  std::vector<Rec> list;
  for (int k = 0; k < CPlayerCard::kListSize; ++k) {
    const auto& c = seat.GetCombination(k);
    if (!c.IsEmpty()) list.push_back({c.iType, c.iLow, c.iHigh});
  }
  return list;
}

std::string Describe(const std::vector<Rec>& list) {
  std::string s;
  for (const auto& r : list) s += "{" + std::to_string(r.code) + "," + std::to_string(r.low) + "," + std::to_string(r.high) + "}";
  return s;
}

// Every held card is in exactly one place: a list record or a loose mark; the
// derived counts agree with the marks; chains stay within 3..A; the list is
// sorted by low value with its empty slots last.
void ExpectConsistent(const CPlayerCard& seat) {
  int placed[CPlayerCard::kValueSlots] = {};
  bool seenEmpty = false;
  int lastLow = 0, records = 0, bombs = 0;
  for (int k = 0; k < CPlayerCard::kListSize; ++k) {
    const auto& c = seat.GetCombination(k);
    if (c.IsEmpty()) { seenEmpty = true; continue; }
    ++records;
    EXPECT_FALSE(seenEmpty) << "record after an empty slot";
    EXPECT_GE(c.iLow, lastLow) << "list not sorted";
    lastLow = c.iLow;
    EXPECT_EQ(c.iWingKind, 0);
    switch (c.iType) {
      case Combo::Plane:
      case Combo::PairStraight:
      case Combo::Straight: {
        const int mult = c.iType == Combo::Plane ? 3 : c.iType == Combo::PairStraight ? 2 : 1;
        const int minLen = c.iType == Combo::Plane ? 2 : c.iType == Combo::PairStraight ? 3 : 5;
        EXPECT_GE(c.iHigh - c.iLow + 1, minLen);
        EXPECT_GE(c.iLow, 3);
        EXPECT_LE(c.iHigh, kValueA) << "a 2 inside a chain";
        for (int v = c.iLow; v <= c.iHigh; ++v) placed[v] += mult;
        break;
      }
      case Combo::Bomb:
        EXPECT_EQ(c.iLow, c.iHigh);
        placed[c.iLow] += 4;
        if (c.iLow != kValue2) ++bombs;
        break;
      case Combo::Triple:
        EXPECT_EQ(c.iLow, c.iHigh);
        placed[c.iLow] += 3;
        break;
      default:
        ADD_FAILURE() << "unexpected code " << c.iType;
    }
  }
  ddz::testing::ExpectMarksComplete(seat, placed, records, bombs);
}

class AnalysisTest : public ::testing::Test {
 protected:
  os::ScriptedRandom draws_;
  os::ScopedRandomSource guard_{draws_};
  CPoker deck_{DeckSeeding::None};
  CPlayerCard seat_;
};

}  // namespace

TEST_F(AnalysisTest, CraftedHands) {
  struct Row {
    const char* hand;
    int turns, singles, lowSingles, pairs, lowPairs, highScore;
    std::vector<Rec> list;
  };
  const Row rows[] = {
      // Straight, a triple carrying the loose pair, a single 2, the rocket as one turn.
      {"34567 99 jjj Q 2 xX", 5, 4, 1, 1, 1, 3, {{5, 3, 7}, {9, 11, 11}}},
      // A 2 never extends a straight ...
      {"9TjQKA2 33", 3, 1, 0, 1, 1, 1, {{5, 9, 14}}},
      // ... nor a pair straight: Q-K-A is one, the 2s stay a pair.
      {"QQKKAA22", 2, 0, 0, 1, 0, 2, {{4, 12, 14}}},
      // ... nor a plane: K-A is one, the 2s a triple.
      {"KKK AAA 222 3 4", 2, 2, 2, 0, 0, 3, {{1, 13, 14}, {9, 15, 15}}},
      // Pairs with a single on each side lend a card each: two overlapping straights.
      {"4 55 66 77 88 9", 2, 0, 0, 0, 0, 0, {{5, 4, 8}, {5, 5, 9}}},
      {"33 44 55 K", 2, 1, 1, 0, 0, 0, {{4, 3, 5}}},
      // A plane carries as many singles as it has triples ...
      {"333 444 9 j", 1, 2, 2, 0, 0, 0, {{1, 3, 4}}},
      // ... and carries nothing when there are too few.
      {"333 444 555 9", 2, 1, 1, 0, 0, 0, {{1, 3, 5}}},
      // Bombs: a bomb of 2s does not count twice in the high-card score.
      {"3333 2222 x", 3, 1, 0, 0, 0, 6, {{6, 3, 3}, {6, 15, 15}}},
      // Jokers: both are marked singles but play as one rocket turn; one alone is a single.
      {"3 x X", 2, 3, 1, 0, 0, 2, {}},
      {"3 x", 2, 2, 1, 0, 0, 1, {}},
      // A run with two doubled values cut into two straights of five.
      {"3 4 5 66 77 8 9 T", 2, 0, 0, 0, 0, 0, {{5, 3, 7}, {5, 6, 10}}},
      // A triple inside a run of pairs gives a single aside; the pairs lend to a straight.
      {"3 4 55 66 777 88 9", 3, 1, 1, 0, 0, 0, {{5, 3, 8}, {5, 5, 9}}},
      // A triple without room for a straight stays a triple and carries a pair.
      {"55 66 777 88", 3, 0, 0, 3, 3, 0, {{9, 7, 7}}},
      // The bomb at the end of a run of pairs is made first but sorts after the pair straight.
      {"33 44 55 6666", 2, 0, 0, 0, 0, 1, {{4, 3, 5}, {6, 6, 6}}},
      // A four inside a short straight gives three to a triple; equal lows keep their order.
      {"5555 6789", 2, 0, 0, 0, 0, 0, {{9, 5, 5}, {5, 5, 9}}},
      // Six records fill the list; the triples carry the single 2 and the joker.
      {"333 555 777 999 jjj KKK 2 x", 6, 2, 0, 0, 0, 2,
       {{9, 3, 3}, {9, 5, 5}, {9, 7, 7}, {9, 9, 9}, {9, 11, 11}, {9, 13, 13}}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.hand);
    ASSERT_TRUE(GiveHand(seat_, deck_, r.hand));
    EXPECT_EQ(seat_.GetTurns(), r.turns);
    EXPECT_EQ(seat_.GetSingles(), r.singles);
    EXPECT_EQ(seat_.GetLowSingles(), r.lowSingles);
    EXPECT_EQ(seat_.GetPairs(), r.pairs);
    EXPECT_EQ(seat_.GetLowPairs(), r.lowPairs);
    EXPECT_EQ(seat_.GetHighScore(), r.highScore);
    EXPECT_EQ(Describe(ListOf(seat_)), Describe(r.list));
    ExpectConsistent(seat_);
  }
}

TEST_F(AnalysisTest, CountTurnsAgainGivesTheSameAnswer) {
  ASSERT_TRUE(GiveHand(seat_, deck_, "34567 99 jjj Q 2 xX"));
  EXPECT_EQ(seat_.CountTurns(), 5);
  EXPECT_EQ(seat_.GetTurns(), 5);
}

TEST_F(AnalysisTest, RefusesImpossibleHands) {
  ASSERT_TRUE(GiveHand(seat_, deck_, "3 4 5"));
  CCard fifthThree(0, 3);
  auto cards = ddz::testing::PickCards(deck_, "3333");
  cards.push_back(&fifthThree);
  EXPECT_FALSE(seat_.SetCards(cards, {0, 0, 0}, false));
  EXPECT_FALSE(seat_.SetCards(ddz::testing::PickCards(deck_, "333344445555666677778"), {0, 0, 0}, false));
  std::vector<CCard*> withNull{nullptr};
  EXPECT_FALSE(seat_.SetCards(withNull, {0, 0, 0}, false));
  EXPECT_EQ(seat_.GetCardCount(), 3);  // unchanged
}

// Many dealt hands, as dealt and as the landlord's 20 cards: every card stays
// accounted for and the numbers agree with the records and marks.
TEST(AnalysisProperties, EveryHeldCardIsInARecordOrAMark) {
  os::LcgRandom source(20240601);
  os::ScopedRandomSource guard(source);
  ExtraDdzAI ai(DeckSeeding::None);
  for (int hand = 0; hand < 3000; ++hand) {
    ai.DealCards();
    for (int chair = 0; chair < 3; ++chair) {
      SCOPED_TRACE(::testing::Message() << "hand " << hand << " chair " << chair);
      ExpectConsistent(*ai.Player(chair));
      EXPECT_GE(ai.Player(chair)->GetBidWish(), 0);
      EXPECT_LE(ai.Player(chair)->GetBidWish(), 3);
    }
    ASSERT_TRUE(ai.SetLandlord(hand % 3, 1));
    SCOPED_TRACE(::testing::Message() << "landlord of hand " << hand);
    ExpectConsistent(*ai.Player(hand % 3));
    if (::testing::Test::HasFailure()) break;
  }
}

// Random hands of 5 to 20 cards, heavy in pairs, triples and fours, reach the
// corners of the split that dealt hands seldom do.
TEST(AnalysisProperties, RandomGroupedHandsKeepEveryCard) {
  os::ScriptedRandom draws;
  os::ScopedRandomSource guard(draws);
  CPoker deck(DeckSeeding::None);
  CPlayerCard seat;
  std::mt19937 rng(7);
  const char* kValues = "3456789TjQKA2";
  for (int it = 0; it < 20000; ++it) {
    std::string text;
    int held[13] = {};
    const int target = 5 + static_cast<int>(rng() % 16);
    int n = 0;
    while (n < target) {
      const int v = static_cast<int>(rng() % 15);
      if (v >= 13) {
        const char joker = v == 13 ? 'x' : 'X';
        if (text.find(joker) == std::string::npos) { text += joker; ++n; }
        continue;
      }
      int m = 1 + static_cast<int>(rng() % 4);
      m = std::min({m, 4 - held[v], target - n});
      text.append(static_cast<std::size_t>(m), kValues[v]);
      held[v] += m;
      n += m;
    }
    SCOPED_TRACE(text);
    ASSERT_TRUE(GiveHand(seat, deck, text));
    ExpectConsistent(seat);
    if (::testing::Test::HasFailure()) break;
  }
}
