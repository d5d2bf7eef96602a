#include <gtest/gtest.h>

#include "cardlogic/CardCodes.h"

using namespace ddz;

TEST(CardCodes, CodeConversionsTable) {
  struct Row { CardCode code; int value; int spread; int byte; };
  const Row rows[] = {
      {0, 14, 14, 1},        // A of suit 0
      {1, 15, 20, 2},        // 2 of suit 0
      {13, 16, 25, 16},      // small joker
      {14, 17, 26, 17},      // big joker
      {28, 18, 30, 18},      // wildcard: suit bits forced to 0
      {43, 16, 25, 80},      // suit 2, index 13: a small-joker value with suit bits 2
      {57, 13, 13, 0},       // K of suit 3 (checked below)
      {2, 3, 3, 3},
      {16, 15, 20, (1 << 5) | 2},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.code);
    if (r.code == 57) {  // 57 = suit 3 index 12 = K of suit 3
      EXPECT_EQ(CodeToValue(57), 13);
      EXPECT_EQ(CodeToCardByte(57), (3 << 5) | 13);
      continue;
    }
    EXPECT_EQ(CodeToValue(r.code), r.value);
    EXPECT_EQ(SpreadOf(r.value), r.spread);
    EXPECT_EQ(UnspreadOf(r.spread), r.value);
    EXPECT_EQ(CodeToCardByte(r.code), r.byte);
  }
}

TEST(CardCodes, NegativeCodes) {
  EXPECT_EQ(CodeToValue(-15), 14);  // a multiple of 15 has remainder 0
  EXPECT_EQ(CodeToValue(-1), -1);
  EXPECT_EQ(CodeToValue(-16), -1);
}

TEST(CardCodes, ByteToCodeTable) {
  struct Row { int byte; CardCode code; };
  const Row rows[] = {
      {16, 13},            // own-hand small joker
      {17, 14},            // own-hand big joker
      {18, 28},            // wildcard
      {144, 13},           // local server's small joker (suit bits 4)
      {177, 14},           // local server's big joker (suit bits 5)
      {14, 0},             // hint result A
      {15, 1},             // hint result 2
      {1, 0},              // A of suit 0
      {(3 << 5) | 13, 57}, // K of suit 3
      {(1 << 5) | 3, 17},  // 3 of suit 1
      {0, -1},             // no card
      {(4 << 5) | 3, -1},  // ordinary card with a suit above 3
      {0xEE, -1},          // v 14 (an A) with suit bits 7: no suit, no card
      {(5 << 5) | 15, -1}, // v 15 (a 2) with suit bits 5
      {(2 << 5) | 14, 0},  // v 14 with the suit bits of a suit: the A
      {(7 << 5) | 16, 13}, // a joker's suit bits mean nothing
      {19, -1}, {31, -1}, {(7 << 5) | 0, -1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.byte);
    EXPECT_EQ(CardByteToCode(static_cast<CardByte>(r.byte)), r.code);
  }
}

TEST(CardCodes, RoundTripEveryRealCard) {
  for (CardCode c = 0; c <= kMaxCardCode; ++c) {
    if (!IsValidCardCode(c)) continue;
    SCOPED_TRACE(c);
    EXPECT_EQ(CardByteToCode(CodeToCardByte(c)), c);
  }
  EXPECT_FALSE(IsValidCardCode(29));
  EXPECT_FALSE(IsValidCardCode(43));
  EXPECT_FALSE(IsValidCardCode(44));
  EXPECT_FALSE(IsValidCardCode(58));
  EXPECT_FALSE(IsValidCardCode(-1));
}

TEST(CardCodes, DeckAndEngineForms) {
  EXPECT_EQ(DeckCardToByte(4, 16), 144);
  EXPECT_EQ(DeckCardToByte(5, 17), 177);
  EXPECT_EQ(DeckCardToByte(2, 5), (2 << 5) | 5);
  EXPECT_EQ(CardByteToEngineValue(1), 14);
  EXPECT_EQ(CardByteToEngineValue((2 << 5) | 2), 20);
  EXPECT_EQ(CardByteToEngineValue(144), 25);
  EXPECT_EQ(CardByteToEngineValue(17), 26);
  EXPECT_EQ(EngineValueToResultByte(20), 15);
  EXPECT_EQ(EngineValueToResultByte(25), 16);
  EXPECT_EQ(EngineValueToResultByte(14), 14);
}

TEST(CardCodes, TypeCodeHelpers) {
  EXPECT_EQ(CardType::Straight(5), 21);
  EXPECT_EQ(CardType::PairStraight(10), 42);
  EXPECT_EQ(CardType::Plane(6), 63);
  EXPECT_EQ(CardType::PlaneWings(2, false), 96);
  EXPECT_EQ(CardType::PlaneWings(4, true), 101);
  EXPECT_EQ(CardType::PlaneWings(5, false), 102);
  EXPECT_EQ(CardType::PlaneWingsTriples(99), 3);
  EXPECT_TRUE(CardType::PlaneWingsArePairs(99));
}
