#include <gtest/gtest.h>

#include "cardlogic/PlayerCard.h"
#include "cardlogic/Poker.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"

using namespace ddz;

namespace {

struct DeckCard { int suit, value; };

DeckCard At(const CPoker& deck, int pos) { return {deck.GetCard(pos)->Suit(), deck.GetCard(pos)->Value()}; }

}  // namespace

TEST(Poker, FreshDeckOrderAndBytes) {
  os::ScriptedRandom draws;
  os::ScopedRandomSource guard(draws);
  CPoker deck(DeckSeeding::None);
  EXPECT_EQ(draws.seedCalls, 0);
  for (int pos = 0; pos < 52; ++pos) {
    EXPECT_EQ(deck.GetCard(pos)->Suit(), pos / 13) << pos;
    EXPECT_EQ(deck.GetCard(pos)->Value(), pos % 13 + 1) << pos;
  }
  EXPECT_EQ(deck.GetCard(52)->Suit(), 4);
  EXPECT_EQ(deck.GetCard(52)->Value(), 16);
  EXPECT_EQ(deck.GetCard(53)->Suit(), 5);
  EXPECT_EQ(deck.GetCard(53)->Value(), 17);
  EXPECT_EQ(deck.GetCard(52)->ToByte(), 144);
  EXPECT_EQ(deck.GetCard(53)->ToByte(), 177);
  EXPECT_EQ(deck.GetCard(13 + 12)->ToByte(), (1 << 5) | 13);  // K of suit 1
  EXPECT_EQ(deck.GetCard(0)->ValueIndex(), kValueA);
  EXPECT_EQ(deck.GetCard(1)->ValueIndex(), kValue2);
  EXPECT_EQ(deck.GetCard(-1), nullptr);
  EXPECT_EQ(deck.GetCard(54), nullptr);
}

TEST(Poker, ShuffleSwapsEachPositionWithTheDrawModulo54) {
  // Position 0 with 53, 2 with 0, 4 with 108 % 54 = 0; every other draw keeps its position.
  os::ScriptedRandom draws;
  for (int i = 0; i < CPoker::kCardCount; ++i) draws.Push(i == 0 ? 53 : i == 2 ? 0 : i == 4 ? 108 : i);
  os::ScopedRandomSource guard(draws);
  CPoker deck(DeckSeeding::None);
  deck.GetCard(7)->SetPlayed(true);
  deck.Shuffle();
  EXPECT_EQ(draws.Remaining(), 0u);

  const struct { int pos; DeckCard card; } expected[] = {
      {0, {0, 5}},   // 5 came from position 4 after the 3 had moved to 0
      {1, {0, 2}},
      {2, {5, 17}},  // the big joker, by way of position 0
      {3, {0, 4}},
      {4, {0, 3}},
      {53, {0, 1}},  // the A of suit 0
      {52, {4, 16}},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.pos);
    EXPECT_EQ(At(deck, e.pos).suit, e.card.suit);
    EXPECT_EQ(At(deck, e.pos).value, e.card.value);
  }
  for (int pos = 0; pos < CPoker::kCardCount; ++pos) EXPECT_FALSE(deck.GetCard(pos)->IsPlayed()) << pos;
}

TEST(Poker, DeckSeedsTheGeneratorOncePerProcessOnly) {
  os::ScriptedRandom draws;
  os::ScopedRandomSource guard(draws);
  { CPoker quiet(DeckSeeding::None); }
  EXPECT_EQ(draws.seedCalls, 0);
  // The first seeding deck of the process seeds from the wall clock (here into
  // the scripted source, which only records it); no later deck seeds again.
  const auto now = static_cast<std::uint32_t>(os::SystemWallTimeSeconds());
  { CPoker first; }
  const int afterFirst = draws.seedCalls;
  EXPECT_LE(afterFirst, 1);
  if (afterFirst == 1) { EXPECT_LE(draws.lastSeed - now, 1u); }
  { CPoker second; }
  EXPECT_EQ(draws.seedCalls, afterFirst);
  EXPECT_FALSE(SeedRandomOncePerProcess());
}

TEST(Poker, UnshuffledDealPositionsAndBottomCards) {
  os::ScriptedRandom draws;
  os::ScopedRandomSource guard(draws);
  CPoker deck(DeckSeeding::None);
  CPlayerCard seats[3];
  for (int s = 0; s < 3; ++s) ASSERT_TRUE(seats[s].SetHandCards(&deck, s));

  // Position p below 51 goes to seat p % 3, slot p / 3.
  for (int pos = 0; pos < CPoker::kBottomFirst; ++pos)
    EXPECT_EQ(seats[pos % 3].GetCard(pos / 3), deck.GetCard(pos)) << pos;

  // Seat 0: A, 4, 7, 10, K of suit 0 first.
  const int firstValues[] = {1, 4, 7, 10, 13};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(seats[0].GetCard(k)->Suit(), 0);
    EXPECT_EQ(seats[0].GetCard(k)->Value(), firstValues[k]);
  }
  for (auto& seat : seats) {
    EXPECT_EQ(seat.GetCardCount(), 17);
    EXPECT_EQ(seat.GetCard(17), nullptr);
    // Bottom cards: K of suit 3 and the two jokers, noted by every seat.
    EXPECT_EQ(seat.GetBottomValue(0), 13);
    EXPECT_EQ(seat.GetBottomValue(1), kValueSmallJoker);
    EXPECT_EQ(seat.GetBottomValue(2), kValueBigJoker);
  }
  // Seat 0 holds two aces (suits 0 and 3): counted at entry 1 and at 14, seen alike.
  EXPECT_EQ(seats[0].OwnCounts().Get(kValueA), 2u);
  EXPECT_EQ(seats[0].OwnCounts().Get(1), 2u);
  EXPECT_EQ(seats[0].SeenCounts().Get(kValueA), 2u);
  EXPECT_EQ(seats[0].OwnCounts().Get(kValue2), 1u);

  EXPECT_FALSE(seats[0].SetHandCards(nullptr, 0));
  EXPECT_FALSE(seats[0].SetHandCards(&deck, 3));
  EXPECT_FALSE(seats[0].SetHandCards(&deck, -1));
  EXPECT_EQ(seats[0].GetCardCount(), 17);
}

TEST(Poker, CardRecordKeepsAcesAndTwosInStep) {
  CCardRecord rec;
  rec.CountCard(CCard(2, 1));
  rec.CountCard(CCard(0, 2));
  rec.CountCard(CCard(4, 16));
  EXPECT_EQ(rec.Get(1), 1u);
  EXPECT_EQ(rec.Get(kValueA), 1u);
  EXPECT_EQ(rec.Get(2), 1u);
  EXPECT_EQ(rec.Get(kValue2), 1u);
  EXPECT_EQ(rec.Get(16), 1u);
  EXPECT_FALSE(rec.Remove(kValueA, 2));  // would wrap: refused
  EXPECT_EQ(rec.Get(kValueA), 1u);
  EXPECT_TRUE(rec.Remove(kValueA));
  EXPECT_EQ(rec.Get(1), 0u);
  rec.Add(kValue2, 2);
  EXPECT_EQ(rec.Get(2), 3u);
  EXPECT_EQ(rec.Get(-1), 0u);
  EXPECT_EQ(rec.Get(18), 0u);
}
