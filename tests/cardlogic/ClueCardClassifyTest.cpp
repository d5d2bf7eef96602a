// The plain and context classifiers, and the wildcard substitute search.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardlogic/ClueCard.h"

using namespace ddz;

namespace {

// Values written as text: "3 3 3 4" with A = 14, 2 = 15, jokers 16/17, wildcard 18.
std::vector<std::uint8_t> Vals(const std::string& text) {
  std::vector<std::uint8_t> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    if (end > pos) out.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(pos, end - pos))));
    pos = end + 1;
  }
  return out;
}

int Plain(const std::string& text, int* key = nullptr) {
  auto v = Vals(text);
  int k = -5;
  const int type = ClueCard::GetTypeByMask(v.data(), static_cast<int>(v.size()), &k);
  if (key) *key = k;
  return type;
}

int Ctx(const std::string& text, int expected, bool flag, int* key = nullptr) {
  auto v = Vals(text);
  int k = -5;
  const int type = ClueCard::GetCardTypeCtx(v.data(), static_cast<int>(v.size()), &k, expected, flag);
  if (key) *key = k;
  return type;
}

struct PlayCase {
  const char* play;
  int type;
  int key;
};

}  // namespace

TEST(ClueCardClassify, PlainPatternTable) {
  const PlayCase cases[] = {
      // singles, pairs, triples, bombs, rocket
      {"9", 1, 9}, {"15", 1, 20}, {"16", 1, 25},
      {"5 5", 32, 5}, {"15 15", 32, 20}, {"5 6", -1, 0},
      {"7 7 7", 48, 7}, {"7 7 8", -1, 0},
      {"5 5 5 5", 112, 5}, {"15 15 15 15", 112, 20},
      {"16 17", 113, 26}, {"3 4", -1, 0}, {"15 16", -1, 0},
      // straights 5..12
      {"3 4 5 6 7", 21, 7}, {"10 11 12 13 14", 21, 14}, {"11 12 13 14 15", -1, 0},
      {"3 4 5 6 8", -1, 0}, {"3 4 5 6 7 8 9 10 11 12 13 14", 28, 14}, {"3 4 5 6", -1, 0},
      // pair straights 3..8 (main table)
      {"3 3 4 4 5 5", 35, 5}, {"3 3 4 4", -1, 0}, {"13 13 14 14 15 15", -1, 0},
      {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10", 40, 10}, {"3 3 4 4 6 6", -1, 0},
      // triple with one, triple with a pair
      {"5 5 5 7", 49, 5}, {"5 5 5 6", 49, 5}, {"4 5 5 5", 49, 5}, {"3 5 5 5", 49, 5},
      {"5 5 5 7 7", 50, 5}, {"5 5 5 6 6", 50, 5}, {"3 3 5 5 5", 50, 5}, {"4 4 5 5 5", 50, 5},
      {"5 5 5 6 7", -1, 0},
      // planes 2..5
      {"3 3 3 4 4 4", 59, 4}, {"3 3 3 5 5 5", -1, 0}, {"14 14 14 15 15 15", -1, 0},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7", 62, 7},
      // four with two
      {"3 3 3 3 5 7", 66, 3}, {"3 3 3 3 4 5", 66, 3}, {"4 6 6 6 6 9", 66, 6},
      {"3 4 6 6 6 6", 66, 6}, {"9 9 9 9 16 17", 66, 9}, {"3 3 3 3 5 5", -1, 0},
      {"3 3 3 3 5 5 7 7", 67, 3}, {"3 3 5 5 7 7 7 7", 67, 7}, {"3 3 3 3 4 4 4 4", -1, 0},
      // planes with wings
      {"3 3 3 4 4 4 5 6", 96, 4}, {"3 3 3 4 4 4 5 5", -1, 0}, {"5 7 7 7 8 8 8 9", 96, 8},
      {"3 3 3 4 4 4 5 5 6 6", 97, 4}, {"3 3 3 4 4 4 5 5 5 5", -1, 0},
      {"3 3 3 4 4 4 5 5 5 7 8 9", 98, 5}, {"3 3 3 4 4 4 5 5 5 7 7 7", -1, 0},
      {"3 3 3 4 4 4 5 5 5 6 6 7", -1, 0},
      {"3 3 3 4 4 4 5 5 5 7 7 8 8 9 9", 99, 5},
      {"3 3 3 4 4 4 5 5 5 6 6 6 8 9 10 11", 100, 6},
      {"13 13 13 14 14 14 15 15 15 3 4 5", -1, 0},  // a chain through the 2
      {"3 3 3 3 4 4 4 5 5 5 6 7", -1, 0},          // a four inside a plane
      // the long table: 17 to 20 cards
      {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 11 11", 41, 11},
      {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 11 11 12 12", 42, 12},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8", 63, 8},
      {"3 3 3 4 4 4 5 5 5 6 6 6 8 8 9 9 10 10 11 11", 101, 6},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 9 10 11 12 15", 102, 7},
      {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 11 11 11", -1, 0},
      {"3 3 3 4 4 4 5 5 5 6 6 6 8 8 9 9 10 10 11 12", -1, 0},
      {"3 4 5 6 7 8 9 10 11 12 13 14 3 4 5 6 7", -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.play);
    int key = -5;
    EXPECT_EQ(Plain(c.play, &key), c.type);
    EXPECT_EQ(key, c.key);
  }
}

TEST(ClueCardClassify, MasksOfKnownPatterns) {
  struct MaskCase { const char* play; std::uint32_t mask; };
  const MaskCase cases[] = {{"5 5", 13}, {"5 5 5", 61}, {"3 4 5 6 7", 681}, {"5 5 5 5", 253}, {"16 17", 9},
                            {"3 3 3 3 5 7", 0x5fd}, {"3 5 5 5 5 7", 0x7f5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.play);
    auto v = Vals(c.play);
    ClueCard::Masks m;
    ASSERT_TRUE(ClueCard::ComputeMasks(v.data(), static_cast<int>(v.size()), m));
    EXPECT_EQ(m.main, c.mask);
  }
  EXPECT_EQ(ClueCard::GetLongCardType(0xeeeeeeed, 0x0e), 41);
  EXPECT_EQ(ClueCard::GetLongCardType(0xeeeeeeed, 0xee), 42);
  EXPECT_EQ(ClueCard::GetLongCardType(0xbefbefbd, 0x0f), 63);
  EXPECT_EQ(ClueCard::GetLongCardType(0xeeeeeeed, 0x00), -1);  // only 16 cards
  EXPECT_EQ(ClueCard::GetLongCardType(0xaaaaaaa9, 0xaa), -1);  // a 20-card straight
}

TEST(ClueCardClassify, RefusesWhatItCannotRead) {
  std::vector<std::uint8_t> many(21, 5);
  int key = -5;
  EXPECT_EQ(ClueCard::GetTypeByMask(many.data(), 21, &key), -1);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(ClueCard::GetTypeByMask(nullptr, 3, &key), -1);
  EXPECT_EQ(ClueCard::GetTypeByMask(many.data(), 0, &key), -1);
  std::uint8_t bad[] = {5, 255};
  EXPECT_EQ(ClueCard::GetTypeByMask(bad, 2, &key), -1);  // not a card value: no silent single

  CardTypeInfo info{7, 7};
  std::vector<CardCode> thirtyThree(33, 2);
  EXPECT_FALSE(ClueCard::GetCardType(info, thirtyThree));
  EXPECT_EQ(info.type, -1);
  EXPECT_FALSE(ClueCard::GetCardTypeEx(info, -1, thirtyThree, true));
  EXPECT_FALSE(ClueCard::GetCardType(info, {}));
  EXPECT_FALSE(ClueCard::GetCardType(info, {-1}));
  EXPECT_FALSE(ClueCard::GetCardType(info, {58}));
  EXPECT_FALSE(ClueCard::GetCardType(info, {1000}));
  EXPECT_TRUE(ClueCard::GetCardType(info, {-15}));  // remainder 0: reads as an A
  EXPECT_EQ(info.value, 14);
}

TEST(ClueCardClassify, GetCardTypeFromCodes) {
  CardTypeInfo info;
  // 2 of suit 0 and 2 of suit 2: a pair of 2s, key 20
  ASSERT_TRUE(ClueCard::GetCardType(info, {1, 31}));
  EXPECT_EQ(info, (CardTypeInfo{32, 20}));
  ASSERT_TRUE(ClueCard::GetCardType(info, {13, 14}));
  EXPECT_EQ(info, (CardTypeInfo{113, 26}));
  // 10 J Q K A across suits
  ASSERT_TRUE(ClueCard::GetCardType(info, {9, 25, 41, 57, 0}));
  EXPECT_EQ(info, (CardTypeInfo{21, 14}));
}

TEST(ClueCardClassify, ContextPlaneReadings) {
  struct CtxCase { const char* play; int expected; int type; int key; };
  const CtxCase cases[] = {
      {"3 3 3 4 4 4 5 5 5 7 7 7", -1, 98, 5},
      {"3 3 3 4 4 4 5 5 5 7 7 7", 98, 98, 5},
      {"3 3 3 4 4 4 5 5 5 6 6 7", -1, 98, 5},
      {"3 3 3 4 4 4 5 5 5 6 6 6", 98, 98, 5},
      {"3 3 3 4 4 4 5 5 5 6 6 6", -1, 61, 6},
      {"3 3 3 5 5 5 6 6 6 7 7 7", -1, 98, 7},   // drop the first triple
      {"3 3 3 5 5 5 7 7 7 9 9 9", -1, -1, 0},   // nothing consecutive
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 9", -1, 100, 6},
      {"3 3 3 4 4 4 5 5 5 6 6 6 9 9 9 9", -1, 100, 6},  // a four is no triple; it serves as wings
      {"3 3 3 5 5 5 6 6 6 7 7 7 8 8 8 11", -1, 100, 8},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8 9 10", -1, 102, 7},
      {"3 3 3 5 5 5 6 6 6 7 7 7 8 8 8 9 9 9 12 13", -1, 102, 9},
      {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 11 11 12 12", -1, 42, 12},  // no triples: the table
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.play) + " expected " + std::to_string(c.expected));
    int key = -5;
    EXPECT_EQ(Ctx(c.play, c.expected, false, &key), c.type);
    EXPECT_EQ(key, c.key);
  }
}

TEST(ClueCardClassify, ContextWildcardRules) {
  struct CtxCase { const char* play; bool flag; int type; int key; };
  const CtxCase cases[] = {
      {"18", false, -1, 0},        // rule 2: an unsubstituted wildcard is not allowed
      {"18", true, 1, 30},         // ... unless the flag lets it stand as itself
      {"5 5 18", false, -1, 0},
      {"16 16", false, -1, 0},     // rule 3: no pair of jokers
      {"17 17", true, -1, 0},
      {"6 6 6 6 6", false, 114, 6},  // rule 4: five equal values
      {"3 3 3 16 16", false, -1, 0}, // rule 5: a triple with two jokers
      {"3 3 3 16 17", false, -1, 0},
      {"3 3 3 15 15", false, 50, 3},
      {"3 3 3 3 5 5", false, 66, 3},  // rule 6: four with one pair
      {"3 3 5 5 5 5", false, 66, 5},
      {"3 3 3 3 4 4", false, 66, 3},
      {"3 3 3 4 4 4 7 7", false, 96, 4},
      {"3 3 3 4 4 4 5 5", false, 96, 4},
      {"3 3 4 4 4 5 5 5", false, 96, 5},
      {"3 3 3 5 5 5 7 7", false, -1, 0},  // the triples are not consecutive
      {"3 3 3 3 5 18", true, -1, 0},      // rule 7: 66 with a wildcard
      {"3 3 3 4 4 4 9 18", true, -1, 0},  // rule 7: 96 with a wildcard
      {"3 3 3 3 5 5", true, 66, 3},
      {"3 4 5 6 7", false, 21, 7},        // everything else as the plain table
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.play);
    int key = -5;
    EXPECT_EQ(Ctx(c.play, -1, c.flag, &key), c.type);
    EXPECT_EQ(key, c.key);
  }
}

TEST(ClueCardClassify, LaiziSubstitute) {
  const CardCode W = kWildcardCode;
  // Codes: value v of suit 0 is code v - 1 for 3..13; A 0; 2 1; jokers 13, 14.
  auto c = [](int value) { return value == 14 ? 0 : value == 15 ? 1 : value == 16 ? 13 : value == 17 ? 14 : value - 1; };
  auto d = [&](int value) { return c(value) + 15; };  // same value, suit 1
  struct LaiziCase { const char* name; std::vector<CardCode> play; int expected; int value; int index; };
  const LaiziCase cases[] = {
      {"no wildcard", {c(5), d(5)}, -1, -1, -1},
      {"alone", {W}, -1, 18, 0},
      {"pair", {c(9), W}, -1, 9, 1},
      {"triple+1 makes the triple", {c(5), d(5), c(9), W}, -1, 5, 3},
      {"straight fills the gap", {c(3), c(4), W, c(6), c(7)}, -1, 5, 2},
      {"straight at the top end", {c(10), c(11), c(12), c(13), W}, -1, 14, 4},
      {"bomb", {c(8), d(8), c(8) + 30, W}, -1, 8, 3},
      {"plane w/ wings: body only", {c(3), d(3), c(3) + 30, c(4), d(4), W, c(9), c(11)}, -1, 4, 5},
      {"four with two: completes the four", {c(6), d(6), c(6) + 30, W, c(9), c(11)}, -1, 6, 3},
      {"plane 59 only when expected", {c(6), d(6), c(6) + 30, c(7), d(7), W}, 59, 7, 5},
      {"no reading: stays itself", {c(3), c(9), W}, -1, 18, 2},
      {"4-4-4-W: bomb rather than a triple plus one", {c(4), d(4), c(4) + 30, W}, -1, 4, 3},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    int index = -7;
    EXPECT_EQ(ClueCard::GetLaiziValue(k.expected, &index, k.play), k.value);
    EXPECT_EQ(index, k.index);
  }
  // Without the expected 59 the plane reading (x = 7) is passed over and the
  // search goes on down to the four with one pair (x = 6).
  int index = -1;
  EXPECT_EQ(ClueCard::GetLaiziValue(-1, &index, {c(6), d(6), c(6) + 30, c(7), d(7), W}), 6);
}
