// What a seat reads of the table before it plays: opponents' and partner's
// cards, the chance that an opponent is nearly out, and the counts of its own
// hand that the lead and follow decide on.
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/HandText.h"
#include "cardlogic/PlayerCard.h"
#include "platform/os/Random.h"

using namespace ddz;
using ddz::testing::GiveHand;

namespace {

class SeatView : public ::testing::Test {
 protected:
  os::ScriptedRandom draws_;
  os::ScopedRandomSource guard_{draws_};
  CPoker deck_{DeckSeeding::None};
  CPlayerCard seats_[3];
};

}  // namespace

TEST_F(SeatView, EnemyAndPartnerCardCounts) {
  ASSERT_TRUE(GiveHand(seats_[0], deck_, "3456789TjQ"));  // landlord, 10 cards
  ASSERT_TRUE(GiveHand(seats_[1], deck_, "34567"));       // farmer after it
  ASSERT_TRUE(GiveHand(seats_[2], deck_, "345678789"));   // farmer before it
  seats_[0].SetRole(0);
  seats_[1].SetRole(1);
  seats_[2].SetRole(2);
  CPlayerCard* s[3] = {&seats_[0], &seats_[1], &seats_[2]};

  EXPECT_EQ(seats_[0].GetEnemyMinCardCount(s[0], s[1], s[2]), 5);   // the smaller farmer
  EXPECT_EQ(seats_[0].GetPartnerCardCount(s[0], s[1], s[2]), 10);   // the landlord: itself
  EXPECT_EQ(seats_[1].GetEnemyMinCardCount(s[0], s[1], s[2]), 10);  // a farmer: the landlord
  EXPECT_EQ(seats_[1].GetPartnerCardCount(s[0], s[1], s[2]), 9);
  EXPECT_EQ(seats_[2].GetPartnerCardCount(s[2], s[0], s[1]), 5);    // seats in any order
  // Seats not given: nothing known, as far from done as a hand can be.
  EXPECT_EQ(seats_[1].GetEnemyMinCardCount(nullptr, s[1], nullptr), 20);
  EXPECT_EQ(seats_[1].GetPartnerCardCount(s[0], nullptr, nullptr), 20);
}

TEST_F(SeatView, OpponentNearFinishDrawsOncePerOpponent) {
  CPlayerCard* s[3] = {&seats_[0], &seats_[1], &seats_[2]};
  seats_[0].SetRole(0);
  seats_[1].SetRole(1);
  seats_[2].SetRole(2);
  struct Row {
    int cards, draw;
    bool near;
  };
  const Row rows[] = {{1, 99, true},  {6, 99, true},  {7, 74, true},  {8, 74, true},  {7, 75, false},
                      {9, 24, true},  {10, 24, true}, {9, 25, false}, {11, 0, false}, {17, 0, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.cards << " cards, draw " << r.draw);
    ASSERT_TRUE(GiveHand(seats_[0], deck_, std::string("33334444555566667777").substr(0, r.cards)));
    draws_.Push(r.draw);
    draws_.Push(4242);
    EXPECT_EQ(seats_[1].IsOpponentNearFinish(s[0], s[1], s[2]), r.near);  // a farmer: the landlord only
    EXPECT_EQ(draws_.Remaining(), 1u);
    draws_.Next();
  }
  // The landlord draws for both farmers, even when the first already counts.
  ASSERT_TRUE(GiveHand(seats_[1], deck_, "3"));
  ASSERT_TRUE(GiveHand(seats_[2], deck_, "3456789TjQKA"));
  for (int d : {0, 99, 4242}) draws_.Push(d);
  EXPECT_TRUE(seats_[0].IsOpponentNearFinish(s[0], s[1], s[2]));
  EXPECT_EQ(draws_.Remaining(), 1u);
  draws_.Next();
  ASSERT_TRUE(GiveHand(seats_[1], deck_, "33334444555566667777"));
  for (int d : {0, 0, 4242}) draws_.Push(d);
  EXPECT_FALSE(seats_[0].IsOpponentNearFinish(s[0], s[1], s[2]));
  EXPECT_EQ(draws_.Remaining(), 1u);
}

TEST_F(SeatView, CountsOfTheOwnHand) {
  struct Row {
    const char* hand;
    const char* seen;  // played by another seat
    int uncovered, control, bombs;
    bool onlyBombs;
  };
  const Row rows[] = {
      {"3 5 9 KK", "", 3, 4, 0, false},
      // Both triples carry a loose card; the big joker is sure, the 2 is not.
      {"333 777 5 2 X", "", 0, 2, 0, false},
      // The rocket is one control turn and both jokers are sure singles.
      {"3333 xX", "", 0, 1, 2, true},
      {"2222 3333", "", 0, 1, 2, true},
      // The small joker with the big one out, and a single 2 with both jokers seen, are sure.
      {"x 2 3 5", "X", 2, 2, 0, false},
      {"x 2 3 5", "", 4, 4, 0, false},
      // Three 2s and a joker seen: one list record less to win back.
      {"222 34567 X", "", 0, 1, 0, false},
      {"3333 x", "", 1, 2, 1, false},     // one joker is not only bombs
      {"3333 22", "", 0, 2, 1, false},    // two 2s are not either
      {"3333 2222 xX", "", 0, 1, 3, true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.hand << " seen " << r.seen);
    CPlayerCard seat;
    ASSERT_TRUE(GiveHand(seat, deck_, r.hand));
    for (int v : ddz::testing::ParseValues(r.seen)) {
      CombinationRecord single;
      single.iType = Combo::Single;
      single.iLow = single.iHigh = v;
      ASSERT_TRUE(seat.RecordSeenCards(&seats_[1], &single));
    }
    EXPECT_EQ(seat.CountUncoveredSingles(), r.uncovered);
    EXPECT_EQ(seat.CountUncarriedSingles(), r.uncovered);
    EXPECT_EQ(seat.CountControlTurns(), r.control);
    EXPECT_EQ(seat.CountBombs(), r.bombs);
    EXPECT_EQ(seat.IsOnlyBombsLeft(), r.onlyBombs);
  }
}

// The type a record stands for agrees with the classic classifier's reading of
// the same cards, so the follow can compare its move with the last play.
TEST(CombinationTypeInfo, NamesTheClassicType) {
  struct Row {
    CombinationRecord rec;
    CardTypeInfo info;
  };
  const auto rec = [](int code, int low, int high) {
    CombinationRecord r;
    r.iType = code;
    r.iLow = low;
    r.iHigh = high;
    return r;
  };
  const Row rows[] = {
      {rec(Combo::Single, 15, 15), {CardType::Single, 20}},
      {rec(Combo::Single, 17, 17), {CardType::Single, 26}},
      {rec(Combo::Pair, 14, 14), {CardType::Pair, 14}},
      {rec(Combo::Straight, 10, 14), {CardType::Straight(5), 14}},
      {rec(Combo::PairStraight, 3, 5), {CardType::PairStraight(3), 5}},
      {rec(Combo::Plane, 3, 4), {CardType::Plane(2), 4}},
      {rec(Combo::PlaneSingles, 3, 5), {CardType::PlaneWings(3, false), 5}},
      {rec(Combo::PlanePairs, 3, 4), {CardType::PlaneWings(2, true), 4}},
      {rec(Combo::Bomb, 15, 15), {CardType::Bomb, 20}},
      {rec(Combo::FourTwoPairs, 9, 9), {CardType::FourTwoPairs, 9}},
      {rec(Combo::TripleSingle, 7, 7), {CardType::TripleSingle, 7}},
      {rec(Combo::Rocket, 17, 17), {CardType::Rocket, 26}},
      // Shapes no play has.
      {rec(Combo::Straight, 3, 6), {}},
      {rec(Combo::Straight, 11, 15), {}},
      {rec(Combo::PlanePairs, 3, 7), {}},
      {rec(Combo::Pair, 16, 16), {}},
      {rec(Combo::None, 3, 3), {}},
      {rec(15, 3, 3), {}},
  };
  for (const auto& r : rows)
    EXPECT_EQ(CPlayerCard::GetCombinationTypeInfo(r.rec), r.info) << r.rec.iType << " " << r.rec.iLow;
}

TEST_F(SeatView, PlayListedCombinationPlaysOnlyOrdinaryRecords) {
  CPlayerCard& seat = seats_[0];
  ASSERT_TRUE(GiveHand(seat, deck_, "3333 222 456789 K"));
  // Sorted by low value: the bomb of 3s, the straight 4-9, the triple of 2s.
  ASSERT_EQ(seat.GetCombination(0).iType, Combo::Bomb);
  ASSERT_EQ(seat.GetCombination(1).iType, Combo::Straight);
  ASSERT_EQ(seat.GetCombination(2).iType, Combo::Triple);
  CombinationRecord record;
  for (int slot : {0, 2, 5, -1, 6})
    EXPECT_FALSE(seat.PlayListedCombination(&record, &seats_[0], &seats_[1], &seats_[2], slot, 1)) << slot;
  EXPECT_FALSE(seat.PlayListedCombination(nullptr, &seats_[0], &seats_[1], &seats_[2], 1, 1));
  EXPECT_EQ(seat.GetCardCount(), 14);

  ASSERT_TRUE(seat.PlayListedCombination(&record, &seats_[0], &seats_[1], &seats_[2], 1, 1));
  EXPECT_EQ(record.iType, Combo::Straight);
  EXPECT_EQ(record.iLow, 4);
  EXPECT_EQ(record.iHigh, 9);
  EXPECT_EQ(record.pPlayer, &seat);
  EXPECT_EQ(seat.GetCardCount(), 8);
  EXPECT_TRUE(seat.GetCombination(1).IsEmpty());  // played as listed: the slot is cleared
  EXPECT_EQ(seat.GetCombinationCount(), 2);
  EXPECT_EQ(seats_[1].SeenCounts().Get(6), 1u);
}
