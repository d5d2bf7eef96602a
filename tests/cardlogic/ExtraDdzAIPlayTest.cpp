// ExtraDdzAI between the local server and the seats: card bytes to and from
// combination records, the human's play, and a computer chair's turn.
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/ClueCard.h"
#include "cardlogic/ExtraDdzAI.h"
#include "cardlogic/HandText.h"
#include "platform/os/Random.h"

using namespace ddz;

namespace {

std::vector<CardByte> BytesOf(const CPoker& deck, const char* text) {
  std::vector<CardByte> bytes;
  for (CCard* card : ddz::testing::PickCards(deck, text)) bytes.push_back(card->ToByte());
  return bytes;
}

struct Expect {
  int code, low, high, wingKind;
  std::vector<int> wings;
};

}  // namespace

TEST(ExtraDdzAICards, CardsToCombination) {
  CPoker deck(DeckSeeding::None);
  struct Row {
    const char* cards;
    Expect rec;
  };
  const Row rows[] = {
      {"5", {Combo::Single, 5, 5, 0, {}}},
      {"2", {Combo::Single, 15, 15, 0, {}}},
      {"X", {Combo::Single, 17, 17, 0, {}}},
      {"KK", {Combo::Pair, 13, 13, 0, {}}},
      {"999", {Combo::Triple, 9, 9, 0, {}}},
      {"4 999", {Combo::TripleSingle, 9, 9, kWingSingles, {4}}},
      {"AAA 2", {Combo::TripleSingle, 14, 14, kWingSingles, {15}}},
      {"999 44", {Combo::TriplePair, 9, 9, kWingPairs, {4}}},
      {"7 3 6 5 4", {Combo::Straight, 3, 7, 0, {}}},
      {"TjQKA", {Combo::Straight, 10, 14, 0, {}}},
      {"334455", {Combo::PairStraight, 3, 5, 0, {}}},
      {"333444", {Combo::Plane, 3, 4, 0, {}}},
      {"333444 5 9", {Combo::PlaneSingles, 3, 4, kWingSingles, {5, 9}}},
      {"333444 xX", {Combo::PlaneSingles, 3, 4, kWingSingles, {16, 17}}},
      {"333444 55 99", {Combo::PlanePairs, 3, 4, kWingPairs, {5, 9}}},
      {"5555 3 9", {Combo::FourTwoSingles, 5, 5, kWingSingles, {3, 9}}},
      {"5555 33 99", {Combo::FourTwoPairs, 5, 5, kWingPairs, {3, 9}}},
      {"5555", {Combo::Bomb, 5, 5, 0, {}}},
      {"2222", {Combo::Bomb, 15, 15, 0, {}}},
      {"xX", {Combo::Rocket, 17, 17, 0, {}}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.cards);
    const auto bytes = BytesOf(deck, r.cards);
    CombinationRecord rec;
    ASSERT_TRUE(ExtraDdzAI::CardsToCombination(bytes, rec));
    EXPECT_EQ(rec.iType, r.rec.code);
    EXPECT_EQ(rec.iLow, r.rec.low);
    EXPECT_EQ(rec.iHigh, r.rec.high);
    EXPECT_EQ(rec.iWingKind, r.rec.wingKind);
    std::vector<int> wings;
    for (int w : rec.iWings)
      if (w != 0) wings.push_back(w);
    EXPECT_EQ(wings, r.rec.wings);
    EXPECT_EQ(CPlayerCard::GetCombinationCardCount(&rec), static_cast<int>(bytes.size()));
  }

  // Jokers may come with or without their suit bits.
  const std::vector<CardByte> plainJokers = {16, 17};
  CombinationRecord rocket;
  ASSERT_TRUE(ExtraDdzAI::CardsToCombination(plainJokers, rocket));
  EXPECT_EQ(rocket.iType, Combo::Rocket);

  // No play: refused, the record untouched.
  const std::vector<std::vector<CardByte>> bad = {
      {}, BytesOf(deck, "34"), BytesOf(deck, "3 5"), BytesOf(deck, "333444 55"), {0}, {18}, {3, 0x6E},
      {3, 3}, {16, 144}, std::vector<CardByte>(21, 3)};
  for (const auto& b : bad) {
    CombinationRecord rec;
    rec.iType = Combo::Pair;
    rec.iLow = rec.iHigh = 9;
    EXPECT_FALSE(ExtraDdzAI::CardsToCombination(b, rec)) << b.size();
    EXPECT_EQ(rec.iType, Combo::Pair);
    EXPECT_EQ(rec.iLow, 9);
  }
}

TEST(ExtraDdzAICards, CombinationToCardsTakesTheFirstUnplayedCards) {
  os::ScriptedRandom draws;
  os::ScopedRandomSource guard(draws);
  CPoker deck(DeckSeeding::None);
  CPlayerCard seat;
  ASSERT_TRUE(ddz::testing::GiveHand(seat, deck, "333444 5 9 x X 2"));

  CombinationRecord plane;
  plane.iType = Combo::PlaneSingles;
  plane.iLow = 3;
  plane.iHigh = 4;
  plane.iWingKind = kWingSingles;
  plane.iWings = {5, 9, 0, 0, 0};
  std::array<CardByte, 20> out{};
  // The group from its high value down, then the wings; suit 0 cards come first in the seat's slots.
  ASSERT_EQ(ExtraDdzAI::CombinationToCards(plane, seat, out), 8);
  const std::vector<CardByte> expected = {4, 36, 68, 3, 35, 67, 5, 9};
  EXPECT_EQ(std::vector<CardByte>(out.begin(), out.begin() + 8), expected);
  for (int slot = 0; slot < 8; ++slot) EXPECT_TRUE(seat.GetCard(slot)->IsPlayed()) << slot;

  // A rocket is written as the bare joker values; a 2 as value 2.
  CombinationRecord rocket;
  rocket.iType = Combo::Rocket;
  rocket.iLow = rocket.iHigh = 17;
  ASSERT_EQ(ExtraDdzAI::CombinationToCards(rocket, seat, out), 2);
  EXPECT_EQ(out[0], 17);
  EXPECT_EQ(out[1], 16);
  CombinationRecord two;
  two.iType = Combo::Single;
  two.iLow = two.iHigh = 15;
  ASSERT_EQ(ExtraDdzAI::CombinationToCards(two, seat, out), 1);
  EXPECT_EQ(out[0], 2);

  // Nothing left of it (the 3s went with the plane), or out too short: 0, nothing marked.
  seat.GetCard(10)->SetPlayed(false);  // the small joker back in hand
  CombinationRecord triple;
  triple.iType = Combo::TripleSingle;
  triple.iLow = triple.iHigh = 3;
  triple.iWingKind = kWingSingles;
  triple.iWings[0] = 16;
  EXPECT_EQ(ExtraDdzAI::CombinationToCards(triple, seat, out), 0);
  EXPECT_FALSE(seat.GetCard(10)->IsPlayed());
  CombinationRecord smallJoker;
  smallJoker.iType = Combo::Single;
  smallJoker.iLow = smallJoker.iHigh = 16;
  EXPECT_EQ(ExtraDdzAI::CombinationToCards(smallJoker, seat, std::span<CardByte>(out.data(), 0)), 0);
  EXPECT_FALSE(seat.GetCard(10)->IsPlayed());
  CombinationRecord pass;
  EXPECT_EQ(ExtraDdzAI::CombinationToCards(pass, seat, out), 0);
}

class ExtraDdzAIPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    ai_.DealCards();
    ASSERT_TRUE(ai_.SetLandlord(0, 3));
  }
  // One card byte of each of chair 1's first n slots.
  std::vector<CardByte> HumanCards(std::initializer_list<int> slots) {
    std::vector<CardByte> bytes;
    for (int s : slots) bytes.push_back(ai_.Player(1)->GetCard(s)->ToByte());
    return bytes;
  }
  os::LcgRandom source_{97};
  os::ScopedRandomSource guard_{source_};
  ExtraDdzAI ai_{DeckSeeding::None};
};

TEST_F(ExtraDdzAIPlay, HumanPlayBecomesTheLastPlay) {
  CCard* card = ai_.Player(1)->GetCard(0);
  const int v = card->ValueIndex();
  const unsigned seenBefore = ai_.Player(0)->SeenCounts().Get(v);
  const CardByte byte = card->ToByte();
  ASSERT_TRUE(ai_.OnHumanPlay(&byte, 1));
  EXPECT_EQ(ai_.LastPlay().iType, Combo::Single);
  EXPECT_EQ(ai_.LastPlay().iLow, v);
  EXPECT_EQ(ai_.LastPlay().pPlayer, ai_.Player(1));
  EXPECT_EQ(ai_.GetLastPlayer(), 1);
  EXPECT_EQ(ai_.Player(1)->GetCardCount(), 16);
  EXPECT_EQ(ai_.Player(0)->SeenCounts().Get(v), seenBefore + 1);

  // The next chair follows it or passes; either way the record stays coherent.
  std::array<CardByte, 20> out{};
  int count = -1;
  if (ai_.AIPlay(2, out, count) == 1) {
    EXPECT_EQ(ai_.GetLastPlayer(), 2);
    EXPECT_EQ(ai_.LastPlay().pPrevPlayer, ai_.Player(1));
    EXPECT_GT(count, 0);
  } else {
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ai_.GetLastPlayer(), 1);
  }
}

TEST_F(ExtraDdzAIPlay, BadHumanPlaysAreDroppedWithoutChange) {
  // A card of chair 0's, which the human does not hold.
  CardByte notHeld = 0;
  for (int s = 0; s < 20 && notHeld == 0; ++s) {
    const int v = ai_.Player(0)->GetCard(s)->ValueIndex();
    if (ai_.Player(1)->OwnCounts().Get(v) == 0) notHeld = ai_.Player(0)->GetCard(s)->ToByte();
  }
  ASSERT_NE(notHeld, 0) << "deal without a value the human lacks";
  const CardByte first = ai_.Player(1)->GetCard(0)->ToByte();
  const std::vector<CardByte> twentyOne(21, first);
  struct Row {
    const char* what;
    std::vector<CardByte> bytes;
    int count;
  };
  const Row rows[] = {
      {"no cards", {first}, 0},
      {"more than 20", twentyOne, 21},
      {"not a card", {0}, 1},
      {"the same card twice as a pair", {first, first}, 2},
      {"not held", {notHeld}, 1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_FALSE(ai_.OnHumanPlay(r.bytes.data(), r.count));
    EXPECT_EQ(ai_.LastPlay().iType, Combo::None);
    EXPECT_EQ(ai_.GetLastPlayer(), -1);
    EXPECT_EQ(ai_.Player(1)->GetCardCount(), 17);
  }
  EXPECT_FALSE(ai_.OnHumanPlay(nullptr, 1));
}

TEST_F(ExtraDdzAIPlay, ComputerChairLeadsWithItsOwnCards) {
  std::array<CardByte, 20> out{};
  int count = -1;
  EXPECT_EQ(ai_.AIPlay(3, out, count), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(ai_.AIPlay(0, std::span<CardByte>(out.data(), 19), count), 0);  // too short for any play
  EXPECT_EQ(ai_.Player(0)->GetCardCount(), 20);

  ASSERT_EQ(ai_.AIPlay(0, out, count), 1);  // nobody has played: the landlord leads
  ASSERT_GT(count, 0);
  EXPECT_EQ(ai_.GetLastPlayer(), 0);
  EXPECT_EQ(ai_.Player(0)->GetCardCount(), 20 - count);
  EXPECT_EQ(CPlayerCard::GetCombinationCardCount(&ai_.LastPlay()), count);
  // Each byte is one of the chair's cards, now marked played, each once.
  int played = 0;
  for (int s = 0; s < 20; ++s) played += ai_.Player(0)->GetCard(s)->IsPlayed() ? 1 : 0;
  EXPECT_EQ(played, count);
  for (int k = 0; k < count; ++k) {
    bool found = false;
    for (int s = 0; s < 20 && !found; ++s) {
      const CCard* c = ai_.Player(0)->GetCard(s);
      const CardByte b = c->Value() >= 16 ? static_cast<CardByte>(c->Value()) : c->ToByte();
      found = c->IsPlayed() && b == out[k];
    }
    EXPECT_TRUE(found) << "byte " << static_cast<int>(out[k]);
  }
}

TEST(ExtraDdzAIGame, ThreeComputerChairsPlayWholeHandsByTheRules) {
  // Seeded hands where every chair, chair 1 included, is played by the
  // computer player from the deal to an empty hand. Each play must be of the
  // chair's own unplayed cards, each once, form a pattern, beat the play it
  // follows, and leave the chair's count of cards matching its slots.
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    os::LcgRandom source(seed);
    os::ScopedRandomSource guard(source);
    ExtraDdzAI ai(DeckSeeding::None);
    for (int hand = 0; hand < 60; ++hand) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " hand " << hand);
      ai.DealCards();
      const int landlord = hand % 3;
      ASSERT_TRUE(ai.SetLandlord(landlord, 1 + hand % 3));
      CardTypeInfo toBeat;
      int lastChair = -1;
      int chair = landlord;
      bool over = false;
      for (int turn = 0; turn < 200 && !over; ++turn, chair = (chair + 1) % 3) {
        SCOPED_TRACE(::testing::Message() << "turn " << turn << " chair " << chair);
        std::array<CardByte, 20> out{};
        int count = -1;
        const int plays = ai.AIPlay(chair, out, count);
        if (lastChair == chair || lastChair == -1) {
          ASSERT_EQ(plays, 1) << "a leading chair passed";
        }
        int unplayed = 0;
        for (int s = 0; s < 20; ++s) {
          const CCard* c = ai.Player(chair)->GetCard(s);
          unplayed += c != nullptr && !c->IsPlayed() ? 1 : 0;
        }
        ASSERT_EQ(unplayed, ai.Player(chair)->GetCardCount());
        if (plays != 1) {
          ASSERT_EQ(count, 0);
          continue;
        }
        ASSERT_GT(count, 0) << "a play without cards, type " << ai.LastPlay().iType;
        std::vector<CardCode> codes;
        for (int k = 0; k < count; ++k) codes.push_back(CardByteToCode(out[k]));
        CardTypeInfo type;
        ASSERT_TRUE(ClueCard::GetCardType(type, codes));
        if (lastChair != chair && lastChair != -1) {
          ASSERT_GE(ClueCard::CompareCardType(type, toBeat), 1);
        }
        toBeat = type;
        lastChair = chair;
        over = ai.Player(chair)->GetCardCount() == 0;
      }
      ASSERT_TRUE(over) << "the hand did not end";
    }
  }
}
