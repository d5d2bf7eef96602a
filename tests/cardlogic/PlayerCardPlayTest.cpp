// Cards leaving a hand (TakeOutCards, RemovePlayedCards) and the other seats
// noting them (RecordSeenCards).
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/HandText.h"
#include "cardlogic/PlayerCard.h"
#include "platform/os/Random.h"

using namespace ddz;
using ddz::testing::GiveHand;

namespace {

CombinationRecord Make(int code, int low, int high = 0, std::vector<int> wings = {}) {
  CombinationRecord c;
  c.iType = code;
  c.iLow = low;
  c.iHigh = high == 0 ? low : high;
  for (std::size_t k = 0; k < wings.size(); ++k) c.iWings[k] = wings[k];
  if (!wings.empty()) c.iWingKind = code == Combo::PlanePairs || code == Combo::FourTwoPairs || code == Combo::TriplePair
                                        ? kWingPairs
                                        : kWingSingles;
  return c;
}

std::array<unsigned, 18> Counts(const CCardRecord& rec) {
  std::array<unsigned, 18> out{};
  for (int v = 0; v < 18; ++v) out[v] = rec.Get(v);
  return out;
}

class SeatsTest : public ::testing::Test {
 protected:
  os::ScriptedRandom draws_;
  os::ScopedRandomSource guard_{draws_};
  CPoker deck_{DeckSeeding::None};
  CPlayerCard seats_[3];
  CPlayerCard& me_ = seats_[0];
};

}  // namespace

TEST_F(SeatsTest, TakeOutRefusesWhatTheHandLacksAndChangesNothing) {
  ASSERT_TRUE(GiveHand(me_, deck_, "34567 99 jjj Q 2 x"));
  ASSERT_TRUE(GiveHand(seats_[1], deck_, "8"));
  const auto own = Counts(me_.OwnCounts());
  const auto otherSeen = Counts(seats_[1].SeenCounts());
  const int turns = me_.GetTurns();
  const int score = me_.GetHighScore();

  struct Row { const char* what; CombinationRecord combo; };
  const Row rows[] = {
      {"pair of 8", Make(Combo::Pair, 8)},
      {"pair of Q (one held)", Make(Combo::Pair, 12)},
      {"bomb of J (three held)", Make(Combo::Bomb, 11)},
      {"straight 3-8", Make(Combo::Straight, 3, 8)},
      {"big joker", Make(Combo::Single, 17)},
      {"rocket", Make(Combo::Rocket, 17)},
      {"triple J with an unheld single", Make(Combo::TripleSingle, 11, 0, {8})},
      {"four J (three held) with two pairs", Make(Combo::FourTwoPairs, 11, 0, {9, 9})},
      {"triple J with Q as a pair wing", Make(Combo::TriplePair, 11, 0, {12})},
      {"triple J with J again as its pair", Make(Combo::TriplePair, 11, 0, {11})},
      {"straight with the 2 inside", Make(Combo::Straight, 11, 15)},
      {"straight of four", Make(Combo::Straight, 3, 6)},
      {"value below 3", Make(Combo::Single, 1)},
      {"value past the big joker", Make(Combo::Single, 18)},
      {"wing out of range", Make(Combo::TripleSingle, 11, 0, {40})},
      {"unknown code", Make(15, 3)},
      {"negative code", Make(-1, 3)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    CombinationRecord combo = r.combo;
    EXPECT_FALSE(me_.TakeOutCards(&combo, true, &seats_[0], &seats_[1], &seats_[2]));
    EXPECT_EQ(Counts(me_.OwnCounts()), own);
    EXPECT_EQ(Counts(seats_[1].SeenCounts()), otherSeen);
    EXPECT_EQ(me_.GetCardCount(), 13);
    EXPECT_EQ(me_.GetTurns(), turns);
    EXPECT_EQ(me_.GetHighScore(), score);
    EXPECT_EQ(combo.pPlayer, nullptr);
  }
  EXPECT_FALSE(me_.TakeOutCards(nullptr, true, nullptr, nullptr, nullptr));
}

TEST_F(SeatsTest, TakeOutRemovesTheCardsAndTellsTheOtherSeats) {
  ASSERT_TRUE(GiveHand(me_, deck_, "34567 99 jjj Q 2 x"));
  ASSERT_TRUE(GiveHand(seats_[1], deck_, "8"));
  ASSERT_TRUE(GiveHand(seats_[2], deck_, "K"));
  ASSERT_EQ(me_.GetHighScore(), 2);

  // The triple of J with the 9s as its pair, played by seat 2 before: the players move on.
  CombinationRecord combo = Make(Combo::TriplePair, 11, 0, {9});
  combo.pPlayer = &seats_[2];
  ASSERT_TRUE(me_.TakeOutCards(&combo, true, &seats_[0], &seats_[1], &seats_[2]));
  EXPECT_EQ(combo.pPlayer, &me_);
  EXPECT_EQ(combo.pPrevPlayer, &seats_[2]);
  EXPECT_EQ(me_.GetCardCount(), 8);
  EXPECT_EQ(me_.OwnCounts().Get(11), 0u);
  EXPECT_EQ(me_.OwnCounts().Get(9), 0u);
  EXPECT_EQ(me_.SeenCounts().Get(11), 3u);  // own cards were already counted as seen
  for (int s : {1, 2}) {
    EXPECT_EQ(seats_[s].SeenCounts().Get(11), 3u) << s;
    EXPECT_EQ(seats_[s].SeenCounts().Get(9), 2u) << s;
  }
  // Re-analysed: straight 3-7 and the singles Q, 2, small joker.
  EXPECT_EQ(me_.GetCombinationCount(), 1);
  EXPECT_EQ(me_.GetSingles(), 3);
  EXPECT_EQ(me_.GetTurns(), 4);

  // The single 2 without re-analysis: the high-card score drops with it, the list stays.
  CombinationRecord two = Make(Combo::Single, 15);
  ASSERT_TRUE(me_.TakeOutCards(&two, false, &seats_[0], &seats_[1], &seats_[2]));
  EXPECT_EQ(me_.GetHighScore(), 1);
  EXPECT_EQ(me_.OwnCounts().Get(2), 0u);
  EXPECT_EQ(me_.GetSingles(), 3);  // not analysed again
  EXPECT_EQ(seats_[1].SeenCounts().Get(15), 1u);
  EXPECT_EQ(seats_[1].SeenCounts().Get(2), 1u);

  // A pass succeeds and changes nothing.
  CombinationRecord pass;
  ASSERT_TRUE(me_.TakeOutCards(&pass, true, &seats_[0], &seats_[1], &seats_[2]));
  EXPECT_EQ(pass.pPlayer, nullptr);
  EXPECT_EQ(me_.GetCardCount(), 7);
}

TEST_F(SeatsTest, TakeOutOfABombLowersTheScoreForTheBombToo) {
  ASSERT_TRUE(GiveHand(me_, deck_, "3333 2222 x X"));
  ASSERT_EQ(me_.GetHighScore(), 7);
  CombinationRecord bomb = Make(Combo::Bomb, 3);
  ASSERT_TRUE(me_.TakeOutCards(&bomb, false, nullptr, nullptr, nullptr));
  EXPECT_EQ(me_.GetHighScore(), 6);
  CombinationRecord rocket = Make(Combo::Rocket, 17);
  ASSERT_TRUE(me_.TakeOutCards(&rocket, false, nullptr, nullptr, nullptr));
  EXPECT_EQ(me_.GetHighScore(), 4);
  CombinationRecord twos = Make(Combo::Bomb, 15);
  ASSERT_TRUE(me_.TakeOutCards(&twos, false, nullptr, nullptr, nullptr));
  EXPECT_EQ(me_.GetHighScore(), 0);
  EXPECT_EQ(me_.GetCardCount(), 0);
  CombinationRecord more = Make(Combo::Single, 3);
  EXPECT_FALSE(me_.TakeOutCards(&more, false, nullptr, nullptr, nullptr));  // empty hand
}

TEST_F(SeatsTest, RecordSeenCardsCountsEveryShape) {
  struct Row {
    const char* what;
    CombinationRecord combo;
    std::vector<std::pair<int, unsigned>> seen;  // value, count added
  };
  const Row rows[] = {
      {"plane with singles", Make(Combo::PlaneSingles, 3, 4, {9, 11}), {{3, 3}, {4, 3}, {9, 1}, {11, 1}}},
      {"plane with pairs", Make(Combo::PlanePairs, 5, 6, {8, 13}), {{5, 3}, {6, 3}, {8, 2}, {13, 2}}},
      {"plane", Make(Combo::Plane, 12, 14), {{12, 3}, {13, 3}, {14, 3}}},
      {"pair straight", Make(Combo::PairStraight, 3, 5), {{3, 2}, {4, 2}, {5, 2}}},
      {"straight", Make(Combo::Straight, 10, 14), {{10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}}},
      {"bomb", Make(Combo::Bomb, 15), {{15, 4}}},
      {"four with two singles", Make(Combo::FourTwoSingles, 9, 0, {3, 17}), {{9, 4}, {3, 1}, {17, 1}}},
      {"four with two pairs", Make(Combo::FourTwoPairs, 9, 0, {3, 4}), {{9, 4}, {3, 2}, {4, 2}}},
      {"triple", Make(Combo::Triple, 7), {{7, 3}}},
      {"triple with a single", Make(Combo::TripleSingle, 5, 0, {16}), {{5, 3}, {16, 1}}},
      {"triple with a pair", Make(Combo::TriplePair, 5, 0, {15}), {{5, 3}, {15, 2}}},
      {"pair", Make(Combo::Pair, 14), {{14, 2}}},
      {"single", Make(Combo::Single, 17), {{17, 1}}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    CPlayerCard watcher;
    ASSERT_TRUE(watcher.RecordSeenCards(&seats_[1], &r.combo));
    std::array<unsigned, 18> expected{};
    for (auto [v, n] : r.seen) {
      expected[v] += n;
      if (v == 14) expected[1] += n;
      if (v == 15) expected[2] += n;
    }
    EXPECT_EQ(Counts(watcher.SeenCounts()), expected);
  }

  // The rocket sets both joker entries to one, whatever they were.
  CPlayerCard watcher;
  ASSERT_TRUE(GiveHand(watcher, deck_, "x"));
  const CombinationRecord rocket = Make(Combo::Rocket, 17);
  ASSERT_TRUE(watcher.RecordSeenCards(&seats_[1], &rocket));
  EXPECT_EQ(watcher.SeenCounts().Get(16), 1u);
  EXPECT_EQ(watcher.SeenCounts().Get(17), 1u);

  // Own plays, passes and unknown codes note nothing; missing arguments and
  // malformed records are refused.
  const auto before = Counts(watcher.SeenCounts());
  const CombinationRecord pair = Make(Combo::Pair, 5);
  const CombinationRecord pass;
  const CombinationRecord broken = Make(Combo::Straight, 0, 40);
  EXPECT_TRUE(watcher.RecordSeenCards(&watcher, &pair));
  EXPECT_TRUE(watcher.RecordSeenCards(&seats_[1], &pass));
  EXPECT_FALSE(watcher.RecordSeenCards(nullptr, &pair));
  EXPECT_FALSE(watcher.RecordSeenCards(&seats_[1], nullptr));
  EXPECT_FALSE(watcher.RecordSeenCards(&seats_[1], &broken));
  EXPECT_EQ(Counts(watcher.SeenCounts()), before);
}

TEST_F(SeatsTest, RemovePlayedCardsOfTheHumanSeat) {
  CPlayerCard& human = seats_[1];
  ASSERT_TRUE(GiveHand(human, deck_, "33 456 7 A 2"));
  CombinationRecord last;
  last.pPlayer = &seats_[0];
  const auto own = Counts(human.OwnCounts());

  struct Bad { const char* what; std::vector<int> values; };
  const Bad bad[] = {
      {"a card not held", {8}},
      {"more 3s than held", {3, 3, 3}},
      {"value 1 is not an index", {1}},
      {"value past the big joker", {18}},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.what);
    EXPECT_FALSE(human.RemovePlayedCards(&last, b.values.data(), static_cast<int>(b.values.size()), &seats_[0],
                                         &seats_[1], &seats_[2]));
    EXPECT_EQ(Counts(human.OwnCounts()), own);
    EXPECT_EQ(human.GetCardCount(), 8);
    EXPECT_EQ(last.pPlayer, &seats_[0]);
  }
  const int three = 3;
  EXPECT_FALSE(human.RemovePlayedCards(&last, &three, 0, nullptr, nullptr, nullptr));
  EXPECT_FALSE(human.RemovePlayedCards(&last, nullptr, 1, nullptr, nullptr, nullptr));
  EXPECT_FALSE(human.RemovePlayedCards(nullptr, &three, 1, nullptr, nullptr, nullptr));

  const int straight[] = {3, 4, 5, 6, 7};
  ASSERT_TRUE(human.RemovePlayedCards(&last, straight, 5, &seats_[0], &seats_[1], &seats_[2]));
  EXPECT_EQ(human.GetCardCount(), 3);
  EXPECT_EQ(human.OwnCounts().Get(3), 1u);
  EXPECT_EQ(last.pPlayer, &human);
  EXPECT_EQ(last.pPrevPlayer, &seats_[0]);
  for (int s : {0, 2}) EXPECT_EQ(seats_[s].SeenCounts().Get(5), 1u) << s;
  EXPECT_EQ(human.SeenCounts().Get(5), 1u);  // its own card, counted once at the deal
  // Analysed again: singles 3, A, 2.
  EXPECT_EQ(human.GetSingles(), 3);
  EXPECT_EQ(human.GetCombinationCount(), 0);
}

TEST_F(SeatsTest, CombinationCardCounts) {
  const struct { CombinationRecord combo; int cards; } rows[] = {
      {Make(Combo::Plane, 3, 5), 9},      {Make(Combo::PlaneSingles, 3, 4), 8},
      {Make(Combo::PlanePairs, 3, 4), 10}, {Make(Combo::PairStraight, 3, 7), 10},
      {Make(Combo::Straight, 3, 14), 12}, {Make(Combo::Bomb, 9), 4},
      {Make(Combo::FourTwoSingles, 9), 6}, {Make(Combo::FourTwoPairs, 9), 8},
      {Make(Combo::Triple, 9), 3},        {Make(Combo::TripleSingle, 9), 4},
      {Make(Combo::TriplePair, 9), 5},    {Make(Combo::Pair, 9), 2},
      {Make(Combo::Single, 9), 1},        {Make(Combo::Rocket, 16, 17), 2},
      {Make(Combo::None, 9), 0},          {Make(15, 9), 0},
      {Make(Combo::Straight, 9, 5), 0},
  };
  for (const auto& r : rows) EXPECT_EQ(CPlayerCard::GetCombinationCardCount(&r.combo), r.cards) << r.combo.iType;
  EXPECT_EQ(CPlayerCard::GetCombinationCardCount(nullptr), 0);
}

TEST_F(SeatsTest, BottomCardsGoToTheLandlordOnce) {
  ASSERT_TRUE(me_.SetHandCards(&deck_, 0));
  ASSERT_TRUE(me_.AddBottomCards(&deck_, 3));
  EXPECT_EQ(me_.GetCardCount(), 20);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(me_.GetCard(17 + k), deck_.GetCard(51 + k));
  EXPECT_EQ(me_.OwnCounts().Get(16), 1u);
  EXPECT_EQ(me_.SeenCounts().Get(17), 1u);
  EXPECT_EQ(me_.OwnCounts().Get(13), 2u);  // the K of suit 0 dealt, the K of suit 3 from the bottom
  // A second time would count the same cards again: refused.
  EXPECT_FALSE(me_.AddBottomCards(&deck_, 3));
  EXPECT_FALSE(seats_[1].AddBottomCards(nullptr, 3));
  EXPECT_EQ(me_.GetCardCount(), 20);
  EXPECT_EQ(me_.OwnCounts().Get(16), 1u);
}
