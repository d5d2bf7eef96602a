// Four-player classification: every type code of the table, the low aces and twos,
// bombs of four to eight cards and the four jokers, the byte path, and refusals.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "SRCards.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/SRClueCard.h"

using namespace ddz;
using srtest::Classify;
using srtest::Codes;

namespace {

struct Case {
  std::string play;
  int type;
  int key;
};

// Ranks from `low` to `high` (A as 14 at the top), each `times` times.
std::string Ranks(int low, int high, int times) {
  static const char* kNames[] = {"", "", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};
  std::string s;
  for (int v = low; v <= high; ++v)
    for (int t = 0; t < times; ++t) s += std::string(s.empty() ? "" : " ") + kNames[v];
  return s;
}

}  // namespace

TEST(SRClassify, EveryTypeCodeAndItsInvalidNeighbours) {
  const std::string straight13 = "2 " + Ranks(3, 14, 1);  // 2 low, A high: 2..A
  const std::string pairs13 = "2 2 " + Ranks(3, 14, 2);
  const std::vector<Case> cases = {
      // single, pair, triple; no rocket, a pair of like jokers is a pair
      {"9", 1, 9}, {"2", 1, 20}, {"sj", 1, 25}, {"bj", 1, 26},
      {"5 5", 32, 5}, {"2 2", 32, 20}, {"sj sj", 32, 25}, {"bj bj", 32, 26},
      {"sj bj", -1, 0}, {"5 6", -1, 0}, {"sj sj bj", -1, 0},
      {"7 7 7", 48, 7}, {"2 2 2", 48, 20}, {"7 7 8", -1, 0},
      // triple with a pair in every arrangement; no triple with a single
      {"5 5 5 9 9", 50, 5}, {"9 9 5 5 5", 50, 5}, {"5 5 5 6 6", 50, 5}, {"4 4 5 5 5", 50, 5},
      {"5 5 5 sj sj", 50, 5}, {"5 5 5 9", -1, 0}, {"5 5 5 9 10", -1, 0}, {"5 5 5 9 9 9 9", -1, 0},
      // straights of 5..13 cards; 4 and 14 are not
      {"3 4 5 6 7", 21, 7}, {"10 J Q K A", 21, 14}, {Ranks(3, 8, 1), 22, 8},
      {Ranks(3, 9, 1), 23, 9}, {Ranks(3, 10, 1), 24, 10}, {Ranks(3, 11, 1), 25, 11},
      {Ranks(3, 12, 1), 26, 12}, {Ranks(3, 13, 1), 27, 13}, {Ranks(3, 14, 1), 28, 14},
      {straight13, 29, 14}, {"3 4 5 6", -1, 0}, {"3 4 5 6 8", -1, 0}, {"J Q K A 2", -1, 0},
      {"Q K A sj bj", -1, 0},
      // pair straights of 3..13 pairs
      {"3 3 4 4 5 5", 35, 5}, {Ranks(3, 6, 2), 36, 6}, {Ranks(3, 7, 2), 37, 7},
      {Ranks(3, 8, 2), 38, 8}, {Ranks(3, 9, 2), 39, 9}, {Ranks(3, 10, 2), 40, 10},
      {Ranks(3, 11, 2), 41, 11}, {Ranks(3, 12, 2), 42, 12}, {Ranks(3, 13, 2), 43, 13},
      {Ranks(3, 14, 2), 44, 14}, {pairs13, 45, 14}, {"3 3 4 4", -1, 0},
      {"3 3 4 4 6 6", -1, 0}, {"Q Q K K A A", 35, 14}, {"K K A A 2 2", -1, 0},
      // planes of 2..10 triples
      {"3 3 3 4 4 4", 55, 4}, {Ranks(3, 5, 3), 56, 5}, {Ranks(3, 6, 3), 57, 6},
      {Ranks(3, 7, 3), 58, 7}, {Ranks(3, 8, 3), 59, 8}, {Ranks(3, 9, 3), 60, 9},
      {Ranks(3, 10, 3), 61, 10}, {Ranks(3, 11, 3), 62, 11}, {Ranks(3, 12, 3), 63, 12},
      {Ranks(3, 13, 3), -1, 0}, {"3 3 3 5 5 5", -1, 0}, {"K K K A A A 2 2 2", -1, 0},
      // planes with as many pairs (pairs of any values, four equal wing cards are two pairs)
      {"3 3 3 4 4 4 7 7 9 9", 98, 4}, {"7 7 3 3 3 9 9 4 4 4", 98, 4}, {"3 3 3 4 4 4 5 5 6 6", 98, 4},
      {"3 3 3 4 4 4 7 7 7 7", 98, 4}, {"3 3 3 4 4 4 5 5 5 7 7 9 9 J J", 100, 5},
      {"3 3 3 4 4 4 5 5 5 6 6 6 8 8 9 9 10 10 J J", 102, 6},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 9 9 10 10 J J Q Q K K", 104, 7},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8 10 10 10 10 J J Q Q K K A A", 106, 8},
      {"3 3 3 4 4 4 7 7 9", -1, 0}, {"3 3 3 4 4 4 7 9", -1, 0}, {"3 3 3 5 5 5 7 7 9 9", -1, 0},
      {"3 3 3 4 4 4 4 4 7 7", -1, 0}, {"3 3 3 4 4 4 5 5 5 7 7 9 9", -1, 0},
      // five triples with five single cards, and its neighbours
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 9 J Q K A", 103, 7}, {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 9 9 Q K A", -1, 0},
      {"3 3 3 4 4 4 5 5 5 6 6 6 8 8 8 9 J Q K A", -1, 0},
      // bombs of 4..8 equal cards and the four jokers
      {"5 5 5 5", 112, 5}, {"5 5 5 5 5", 113, 5}, {"2 2 2 2 2 2", 114, 20}, {"A A A A A A A", 115, 14},
      {"3 3 3 3 3 3 3 3", 116, 3}, {"sj sj bj bj", 129, 26}, {"sj bj bj", -1, 0}, {"5 5 5 5 9 9", -1, 0},
      {"5 5 5 5 8 9", -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.play);
    const CardTypeInfo info = Classify(c.play);
    EXPECT_EQ(info.type, c.type);
    EXPECT_EQ(info.value, c.key);
  }
}

TEST(SRClassify, LowAcesAndTwosRunBelowTheThree) {
  const std::vector<Case> cases = {
      {"A 2 3 4 5", 21, 5}, {"5 4 3 2 A", 21, 5}, {"2 3 4 5 6", 21, 6}, {"A 2 3 4 5 6 7", 23, 7},
      {"A A 2 2 3 3", 35, 3}, {"2 2 3 3 4 4", 35, 4}, {"A A A 2 2 2 3 3 3", 56, 3},
      {"10 J Q K A", 21, 14}, {"J Q K A 2", -1, 0}, {"A 2 3 4 6", -1, 0},
      // a 2 kept high where the rule does not apply: triples and wings keep their rank
      {"2 2 2 3 3", 50, 20}, {"3 3 3 2 2", 50, 3}, {"2 2 2 A A", 50, 20}, {"2 2 2 2 2", 113, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.play);
    const CardTypeInfo info = Classify(c.play);
    EXPECT_EQ(info.type, c.type);
    EXPECT_EQ(info.value, c.key);
  }
}

TEST(SRClassify, LowRuleMarksTheRightAcesAndTwos) {
  // Values in play order (A 14, 2 15) -> the values after the rule.
  struct Row {
    std::vector<int> in;
    std::vector<int> out;
  };
  const std::vector<Row> rows = {
      {{14, 15, 3, 4}, {14, 15, 3, 4}},                          // fewer than five cards
      {{14, 15, 3, 13, 14}, {1, 2, 3, 13, 14}},                  // one K, one 3, one 2, two As: the first A
      {{13, 3, 15, 15, 15, 14, 14, 14}, {13, 3, 2, 2, 2, 1, 1, 1}},  // one K, one 3: on at three 2s
      {{14, 15, 3, 4, 14}, {14, 2, 3, 4, 14}},                   // no K, one 3, one 2: an A only when alone
      {{14, 14, 14, 14, 15, 15, 3, 3, 13, 13}, {1, 1, 14, 14, 2, 2, 3, 3, 13, 13}},  // two Ks, two 3s
      {{3, 3, 3, 15, 15, 15, 4, 4, 4}, {3, 3, 3, 2, 2, 2, 4, 4, 4}},                  // three 3s, three 2s
      {{15, 15, 15, 14, 14, 14}, {2, 2, 2, 1, 1, 1}},                                  // three 2s, three As
      {{15, 15, 15, 14, 14, 5}, {15, 15, 15, 14, 14, 5}},                              // three 2s, two As
      {{13, 13, 13, 14, 14, 14, 14, 14, 15, 15}, {13, 13, 13, 1, 1, 14, 14, 14, 2, 2}},  // three Ks, five As
      {{13, 13, 13, 14, 14, 14, 14, 14, 4}, {13, 13, 13, 14, 14, 14, 14, 14, 4}},
      {{3, 3, 3, 15, 15, 15, 15, 15, 14, 14}, {3, 3, 3, 2, 2, 2, 2, 2, 1, 1}},  // five 2s, three 3s
      {{13, 13, 15, 15, 15, 14, 14, 14, 14, 14}, {13, 13, 2, 2, 2, 1, 1, 1, 14, 14}},  // five As, two Ks
      {{15, 15, 15, 14, 14, 14, 14, 14}, {2, 2, 2, 1, 1, 1, 1, 1}},              // five As, no K
      {{15, 15, 15, 15, 15, 14, 14, 14}, {2, 2, 2, 2, 2, 1, 1, 1}},              // five 2s, three As
  };
  for (const auto& r : rows) {
    std::vector<std::uint8_t> v(r.in.begin(), r.in.end());
    SRClueCard::ApplyLowAcesAndTwos(v.data(), static_cast<int>(v.size()));
    EXPECT_EQ(std::vector<int>(v.begin(), v.end()), r.out) << ::testing::PrintToString(r.in);
  }
}

TEST(SRClassify, BytesReadLikeCodes) {
  CardTypeInfo info;
  // A of suit 0, 2 of suit 1, 3, 4 of suit 2, 5: the low A and 2
  EXPECT_TRUE(SRClueCard::GetBytesCardType(info, {0x01, 0x22, 0x03, 0x44, 0x05}));
  EXPECT_EQ(info, (CardTypeInfo{21, 5}));
  // jokers as the local server writes them, and bare
  EXPECT_TRUE(SRClueCard::GetBytesCardType(info, {144, 16, 177, 17}));
  EXPECT_EQ(info, (CardTypeInfo{129, 26}));
  EXPECT_EQ(SRClueCard::GetByteCardValue(0x2d), 13);
  EXPECT_EQ(SRClueCard::GetByteCardValue(0x62), 15);
  EXPECT_EQ(SRClueCard::GetByteCardValue(177), 17);
  // no card, the wildcard (not on this table), an ordinary card with suit bits 4
  for (CardByte bad : {CardByte{0}, CardByte{18}, CardByte{0x83}}) {
    SCOPED_TRACE(static_cast<int>(bad));
    EXPECT_EQ(SRClueCard::GetByteCardValue(bad), 0);
    EXPECT_FALSE(SRClueCard::GetBytesCardType(info, {0x03, bad, 0x23}));
    EXPECT_EQ(info, (CardTypeInfo{-1, 0}));
  }
}

TEST(SRClassify, CardValues) {
  const std::vector<std::pair<int, int>> rows = {{0, 14}, {1, 15}, {2, 3}, {12, 13}, {13, 16}, {14, 17},
                                                 {15, 14}, {46, 15}, {57, 13}, {-1, 0}, {-16, 0}};
  for (auto [code, value] : rows) EXPECT_EQ(SRClueCard::GetCardValue(code), value) << code;
}

TEST(SRClassify, RefusesWhatIsNotAPlayOfTheTwoDecks) {
  srtest::LogCapture log;
  CardTypeInfo info{5, 5};
  EXPECT_FALSE(SRClueCard::GetCodesCardType(nullptr, 3, info));
  EXPECT_EQ(info, (CardTypeInfo{-1, 0}));
  // 34 cards: one more than any hand holds
  std::vector<CardCode> many = Codes("3 3 3 3 3 3 3 3 4 4 4 4 4 4 4 4 5 5 5 5 5 5 5 5 6 6 6 6 6 6 6 6 7 7");
  ASSERT_EQ(many.size(), 34u);
  EXPECT_FALSE(SRClueCard::GetCodesCardType(many.data(), 34, info));
  EXPECT_TRUE(log.Saw("34 cards refused"));
  std::vector<CardByte> manyBytes(40, 0x03);
  EXPECT_FALSE(SRClueCard::GetBytesCardType(info, manyBytes));
  // codes that name no card of the two decks: the wildcard, empty slots, out of range
  for (CardCode bad : {28, 29, 43, 44, 58, 100, -1, -15}) {
    SCOPED_TRACE(bad);
    const std::vector<CardCode> play = {2, 17, bad};
    EXPECT_FALSE(SRClueCard::GetCodesCardType(play.data(), 3, info));
  }
  // values the classifier does not know
  std::uint8_t values[40];
  std::fill(std::begin(values), std::end(values), 5);
  int key = 7;
  EXPECT_EQ(SRClueCard::GetTypeByValues(&key, values, 40), -1);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(SRClueCard::GetTypeByValues(&key, values, 9), -1);  // nine equal: no such bomb
  const std::uint8_t odd[] = {5, 5, 18, 0};
  EXPECT_EQ(SRClueCard::GetTypeByValues(&key, odd, 3), -1);
  EXPECT_EQ(SRClueCard::GetTypeByValues(&key, odd + 2, 2), -1);
  EXPECT_EQ(SRClueCard::GetTypeByValues(&key, odd, 0), -1);
}

TEST(SRClassify, ThirtyThreeCardsAreReadWithoutOverrun) {
  // The largest hand: eleven triples (33 cards) is no plane, but it is read.
  std::vector<CardCode> hand = Codes("3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8 9 9 9 10 10 10 J J J Q Q Q K K K");
  ASSERT_EQ(hand.size(), 33u);
  CardTypeInfo info;
  EXPECT_FALSE(SRClueCard::GetCodesCardType(hand.data(), 33, info));
  hand.resize(30);  // ten triples
  EXPECT_TRUE(SRClueCard::GetCodesCardType(hand.data(), 30, info));
  EXPECT_EQ(info, (CardTypeInfo{63, 12}));
}

TEST(SRClassify, SortByMaxCountAndCountReading) {
  std::vector<std::uint8_t> v = {5, 3, 3, 7, 7, 7, 3, 9, 9};
  EXPECT_EQ(SRClueCard::SortByMaxCount(v.data(), static_cast<int>(v.size())), 3);
  EXPECT_EQ(v, (std::vector<std::uint8_t>{3, 3, 3, 7, 7, 7, 9, 9, 5}));

  int key = -1;
  EXPECT_EQ(SRClueCard::GetCardType(3, &key, v.data(), 6), 0);  // 3s and 7s are not consecutive
  const std::uint8_t plane[] = {3, 3, 3, 4, 4, 4, 7, 7, 7, 7};
  EXPECT_EQ(SRClueCard::GetCardType(3, &key, plane, 10), 98);
  EXPECT_EQ(key, 4);
  EXPECT_EQ(SRClueCard::GetCardType(4, &key, plane, 10), 0);  // answers only for triples

  srtest::LogCapture log;
  EXPECT_EQ(SRClueCard::GetCardType(0, &key, plane, 10), 0);
  EXPECT_TRUE(log.Saw("[ERROR] GetCardType Error "));

  // More groups than it lists: it says so and keeps every value.
  std::vector<std::uint8_t> wide(45);
  std::iota(wide.rbegin(), wide.rend(), 1);
  EXPECT_EQ(SRClueCard::SortByMaxCount(wide.data(), 45), 1);
  EXPECT_TRUE(log.Saw("[Error] SortByMaxCount loop "));
  for (int i = 0; i < 45; ++i) EXPECT_EQ(wide[i], i + 1);
}

TEST(SRClassify, ComparisonRanksBombsBySizeThenValue) {
  struct Row {
    std::string a;
    std::string b;
    int result;
  };
  const std::vector<Row> rows = {
      {"5 5 5 5 5", "2 2 2 2", 2},        // five cards beat four whatever the value
      {"3 3 3 3 3 3 3 3", "A A A A A A A", 2},
      {"6 6 6 6", "5 5 5 5", 2}, {"5 5 5 5", "6 6 6 6", -1}, {"5 5 5 5", "5 5 5 5", -1},
      {"sj sj bj bj", "3 3 3 3 3 3 3 3", 2}, {"2 2 2 2 2 2 2 2", "sj sj bj bj", -1},
      {"3 3 3 3", Ranks(3, 12, 2), 2}, {"4 5 6 7 8", "3 4 5 6 7", 1},
      {"4 5 6 7 8 9", "3 4 5 6 7", -1},  // another length is another type
      {"2 3 4 5 6", "A 2 3 4 5", 1}, {"sj sj", "2 2", 1}, {"bj bj", "sj sj", 1},
      {"3 3 3 4 4 4 5 5 9 9", "3 3 3 4 4 4 7 7 9 9", -1}, {"4 4 4 5 5 5 3 3 9 9", "3 3 3 4 4 4 7 7 9 9", 1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.a + " over " + r.b);
    EXPECT_EQ(ClueCard::CompareCardType(Classify(r.a), Classify(r.b)), r.result);
  }
}
