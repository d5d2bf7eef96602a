// The three-seat Super engine: low chains, readings with the jokers as wildcards, their
// clean-up, and its own hint cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "cardlogic/SuperClueCard.h"
#include "SuperTestUtil.h"

using namespace ddz;
using namespace ddz::supertest;

namespace {

int Classify(const char* play, const SpecialRuleFlags& rules, int* key, int modeFlag = 0) {
  const auto v = Values(play);
  return SuperClueCard::GetTypeByMask(v.data(), static_cast<int>(v.size()), key, modeFlag, &rules);
}

std::vector<CardGroupRecord> Read(const char* cards, int modeFlag, const SpecialRuleFlags& rules,
                                  CardTypeInfo* info = nullptr) {
  CardTypeInfo local;
  return SuperClueCard::EnumerateGroups(Codes(cards), info ? *info : local, modeFlag, &rules);
}

std::vector<int> CardsOf(const CardGroupRecord& r) {
  std::vector<int> out;
  for (int c : r.cards)
    if (c != -1) out.push_back(c);
  return out;
}

class SuperEngine : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    SuperSearchMode = SearchMode = 1;
    g_iSuperPromptType = g_iSuperPromptValue = -1;
    g_iSuperSelfHandCardCount = 0;
  }
  static std::string Press(const char* last, const char* hand, const SpecialRuleFlags& rules, int modeFlag) {
    std::vector<CardCode> out;
    if (!SuperClueCard::GetPrompt(out, Codes(last), Codes(hand), modeFlag, &rules)) return "none";
    return CodeNames(out);
  }
};

}  // namespace

TEST(SuperClassifier, LowChainRule) {
  const auto on = Rules({SpecialRule::LowChain});
  const auto off = Rules({});
  struct Case {
    const char* play;
    int type;  // with the rule; without it every one of these is -1
    int key;
  } cases[] = {
      {"2 3 4 5 6", 21, 6},
      {"A 2 3 4 5", 21, 5},
      {"A 2 3 4 5 6 7", 23, 7},
      {"2 2 3 3 4 4", 35, 4},
      {"A A 2 2 3 3", 35, 3},
      {"2 2 2 3 3 3", 59, 3},
      {"2 3 4 5 6 7 8 9 10 J Q K A", 29, 14},     // one 2 and 13 cards: the A stays high
      {"A 2 3 4 5 6 7 8 9 10 J Q K A", 30, 14},  // the first A low, the other high
      {"2 3 4 5 7", -1, 0},
      {"Q K A 2 3", -1, 0},
      {"2 2 3 3", -1, 0},
  };
  for (const auto& c : cases) {
    int key = -5;
    EXPECT_EQ(Classify(c.play, on, &key), c.type) << c.play;
    EXPECT_EQ(key, c.key) << c.play;
    EXPECT_EQ(Classify(c.play, off, &key), -1) << c.play;
    EXPECT_EQ(key, 0) << c.play;
  }
  int key = 0;
  // Two consecutive pairs from the 2 need both rules.
  EXPECT_EQ(Classify("2 2 3 3", Rules({SpecialRule::LowChain, SpecialRule::TwoPairStraight}), &key), 34);
  EXPECT_EQ(key, 3);
  // A play that reads without the retry keeps its reading.
  EXPECT_EQ(Classify("2 2 2 5", on, &key), 49);
  EXPECT_EQ(key, 20);
  const auto v = Values("3 4 5 6 7");
  EXPECT_EQ(SuperClueCard::GetLowChainType(v.data(), 5, &key, 0, &on), -1);  // no 2 to read low
}

TEST(SuperClassifier, OwnHandCountForTheTripleRule) {
  const auto rules = Rules({SpecialRule::TripleTakesTwo});
  int key = 0;
  g_iSelfHandCardCount = 4;
  g_iSuperSelfHandCardCount = 9;
  EXPECT_EQ(Classify("7 7 7 5", rules, &key), -1);
  g_iSuperSelfHandCardCount = 4;
  EXPECT_EQ(Classify("7 7 7 5", rules, &key), 49);
  g_iSelfHandCardCount = g_iSuperSelfHandCardCount = 0;
}

TEST(SuperReadings, JokerCompletesATriple) {
  const auto cards = Codes("5 5 SJ");
  CardTypeInfo info{77, 77};
  const auto wild = Rules({SpecialRule::Wildcard});
  auto readings = SuperClueCard::EnumerateGroups(cards, info, 1, &wild);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(info, (CardTypeInfo{77, 77}));  // left alone when the jokers were wildcards
  const auto& r = readings[0];
  EXPECT_EQ(r.type, 48);
  EXPECT_EQ(r.value, 5);
  EXPECT_EQ(CardsOf(r), (std::vector<int>{cards[0], cards[1], 4}));  // the joker is the suit-0 5
  EXPECT_EQ(r.wildcardCards[0], 16);
  EXPECT_EQ(r.substituteValues[0], 5);
  EXPECT_EQ(r.wildcardCards[1], 255);
  EXPECT_EQ(r.wildcardCount, 1);

  readings = Read("5 5 SJ", 1, Rules({SpecialRule::Wildcard, SpecialRule::TripleBomb}));
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].type, 105);
}

TEST(SuperReadings, PlainReadingComesFirstWhenTheCardsMakeItThemselves) {
  // 5-5-5 with the small joker: the joker as the single, or as the fourth 5.
  const auto cards = Codes("5 5 5 SJ");
  const auto readings = Read("5 5 5 SJ", 1, Rules({SpecialRule::Wildcard}));
  ASSERT_EQ(readings.size(), 2u);
  EXPECT_EQ(readings[0].type, 49);
  EXPECT_EQ(readings[0].value, 5);
  EXPECT_EQ(CardsOf(readings[0]), (std::vector<int>(cards.begin(), cards.end())));
  EXPECT_EQ(readings[0].substituteValues[0], 255);
  EXPECT_EQ(readings[0].wildcardCards[0], 255);
  EXPECT_EQ(readings[0].wildcardCount, 1);  // left as it was
  EXPECT_EQ(readings[1].type, 112);
  EXPECT_EQ(readings[1].value, 5);
  EXPECT_EQ(readings[1].substituteValues[0], 5);
}

TEST(SuperReadings, BothJokersOnATriple) {
  EXPECT_TRUE(Read("5 5 5 SJ BJ", 1, Rules({SpecialRule::Wildcard})).empty());
  const auto readings = Read("5 5 5 SJ BJ", 1, Rules({SpecialRule::Wildcard, SpecialRule::TripleTakesTwo}));
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].type, 50);
  EXPECT_EQ(readings[0].substituteValues[0], 255);
}

TEST(SuperReadings, EveryWayTheJokersRead) {
  // 10-J-Q-K with a joker: 9 to K or 10 to A, in the order found (the 9 first).
  auto readings = Read("10 J Q K SJ", 1, Rules({SpecialRule::Wildcard}));
  ASSERT_EQ(readings.size(), 2u);
  EXPECT_EQ(readings[0].value, 13);
  EXPECT_EQ(readings[0].substituteValues[0], 9);
  EXPECT_EQ(readings[1].value, 14);
  EXPECT_EQ(readings[1].substituteValues[0], 1);  // the A as the byte of the suit-0 A
  EXPECT_EQ(CardsOf(readings[1]).back(), 0);      // ... and the code of the suit-0 A

  // 2-2 with both jokers: a bomb of 2s, or the pair with two cards of another value.
  readings = Read("2 2 SJ BJ", 1, Rules({SpecialRule::Wildcard, SpecialRule::TwoPairStraight}));
  ASSERT_FALSE(readings.empty());
  bool bomb = false;
  for (const auto& r : readings) {
    EXPECT_EQ(r.wildcardCount, 2);
    if (r.type == 112) {
      bomb = true;
      EXPECT_EQ(r.value, 20);
      EXPECT_EQ(r.substituteValues[0], 2);
      EXPECT_EQ(r.substituteValues[1], 2);
      EXPECT_EQ(CardsOf(r), (std::vector<int>{1, 16, 1, 1}));
    }
  }
  EXPECT_TRUE(bomb);
}

TEST(SuperReadings, JokersAloneAndModeZero) {
  const auto wild = Rules({SpecialRule::Wildcard});
  for (int mode : {0, 1}) {
    CardTypeInfo info;
    auto readings = Read("SJ BJ", mode, wild, &info);
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].type, 113);
    EXPECT_EQ(info, (CardTypeInfo{113, 26}));
    readings = Read("BJ", mode, wild, &info);
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].type, 1);
  }
  CardTypeInfo info;
  EXPECT_TRUE(Read("5 5 SJ", 0, wild, &info).empty());  // no wildcard on a mode-0 table
  EXPECT_EQ(info, (CardTypeInfo{-1, 0}));
  EXPECT_TRUE(Read("5 5 SJ", 1, Rules({}), &info).empty());  // nor without the rule
  const auto readings = Read("5 5 5 SJ", 0, wild);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].type, 49);
  EXPECT_EQ(readings[0].wildcardCount, 0);
  EXPECT_TRUE(SuperClueCard::EnumerateGroups({4, 19, 99}, info, 1, &wild).empty());
  EXPECT_EQ(info, (CardTypeInfo{-1, 0}));
}

TEST(SuperReadings, WildcardRuleTable) {
  // Readings of a selection with the rule on and off (mode 1): {type, key} of each reading.
  struct Case {
    const char* cards;
    std::vector<std::pair<int, int>> withRule;
    std::vector<std::pair<int, int>> without;
  } cases[] = {
      {"6 SJ BJ", {{48, 6}}, {}},                   // the 6 with both jokers
      {"5 5 SJ", {{48, 5}}, {}},
      {"5 5 5 SJ", {{49, 5}, {112, 5}}, {{49, 5}}},
      {"3 4 5 6 BJ", {{21, 7}}, {}},                // the joker ends the straight at its highest
      {"8 8 8 9 9 9 SJ BJ", {{96, 9}}, {{96, 9}}},  // the jokers are plain wings
      {"8 8 8 9 9 SJ 3 4", {{96, 9}}, {}},
      {"SJ BJ", {{113, 26}}, {{113, 26}}},
      {"3 SJ", {{32, 3}}, {}},
  };
  const auto on = Rules({SpecialRule::Wildcard});
  const auto off = Rules({});
  for (const auto& c : cases) {
    for (bool rule : {true, false}) {
      std::vector<std::pair<int, int>> got;
      for (const auto& r : Read(c.cards, 1, rule ? on : off)) got.emplace_back(r.type, r.value);
      std::sort(got.begin(), got.end());
      auto want = rule ? c.withRule : c.without;
      std::sort(want.begin(), want.end());
      EXPECT_EQ(got, want) << c.cards << (rule ? " with" : " without") << " the wildcard rule";
    }
  }
}

TEST(SuperReadings, ValueToCodeIndex) {
  const int expect[][2] = {{3, 2}, {13, 12}, {14, 0}, {15, 1}, {1, 0}, {2, 1}, {0, 1}, {-1, -1}};
  for (const auto& e : expect) EXPECT_EQ(SuperClueCard::ValueToCodeIndex(e[0]), e[1]) << e[0];
}

TEST_F(SuperEngine, ModeZeroNeverUsesWildcards) {
  const auto rules = Rules({SpecialRule::Wildcard});
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules, 0), "SJ BJ");
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules, 0), "");
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules, 0), "SJ BJ");
  Reset();
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules, 1), "SJ BJ");
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules, 1), "6 BJ SJ");
  EXPECT_EQ(SearchMode, 1);  // the two-seat engine's state is its own
}

TEST_F(SuperEngine, HintFollowsLowChainsUnderTheRule) {
  const auto rules = Rules({SpecialRule::LowChain});
  EXPECT_EQ(Press("A 2 3 4 5", "2 3 4 5 6 7 9", rules, 0), "2 3 4 5 6");
  EXPECT_EQ(g_iSuperPromptType, 21);
  EXPECT_EQ(g_iSuperPromptValue, 6);
  EXPECT_EQ(Press("A 2 3 4 5", "2 3 4 5 6 7 9", rules, 0), "3 4 5 6 7");
  EXPECT_EQ(Press("A 2 3 4 5", "2 3 4 5 6 7 9", rules, 0), "");
  Reset();
  EXPECT_EQ(Press("A 2 3 4 5", "2 3 4 5 6 7 9", Rules({}), 0), "none");  // not a play without the rule
}

TEST_F(SuperEngine, TripleBombOnlyOnTheWildcardTable) {
  const auto rules = Rules({SpecialRule::TripleBomb});
  EXPECT_EQ(Press("9 9", "3 3 3 4", rules, 1), "3 3 3");
  Reset();
  EXPECT_EQ(Press("9 9", "3 3 3 4", rules, 0), "none");
}

TEST_F(SuperEngine, LastPlayWithSeveralReadingsGivesNothing) {
  const auto rules = Rules({SpecialRule::Wildcard});
  EXPECT_EQ(Press("10 J Q K SJ", "3 4 5 6 7 8 9 10", rules, 1), "none");
  std::vector<CardCode> out;
  EXPECT_FALSE(SuperClueCard::SmartSelect(out, Codes("10 J Q K SJ"), Codes("3 9 10 J Q K A"), Codes("9"), 1, &rules));
  EXPECT_TRUE(SuperClueCard::SmartSelect(out, Codes("5 5"), Codes("3 9 9 K"), {8}, 1, &rules));
  EXPECT_EQ(CodeNames(out), "9 9");
}

TEST_F(SuperEngine, HintThatFindsNothingAnswersFalseOnEveryPress) {
  // A fresh press that finds nothing leaves the cycle reset, on every kind of table.
  for (int modeFlag : {PlayerCountMode::ThreeSeat, PlayerCountMode::ThreeSeatWildcard}) {
    for (int press = 1; press <= 3; ++press) {
      SCOPED_TRACE("mode flag " + std::to_string(modeFlag) + ", press " + std::to_string(press));
      EXPECT_EQ(Press("2 2", "3 4", Rules({SpecialRule::Wildcard}), modeFlag), "none");
      EXPECT_EQ(g_iSuperPromptType, -1);
      EXPECT_EQ(g_iSuperPromptValue, -1);
      EXPECT_EQ(SuperSearchMode, 1);
    }
  }
}
