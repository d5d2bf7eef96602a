// The two-seat Super engine: the classifier under each special rule, readings, the
// smart selection and the hint cycle.
#include <gtest/gtest.h>

#include <algorithm>

#include "cardlogic/ErClueCard.h"
#include "SuperTestUtil.h"

using namespace ddz;
using namespace ddz::supertest;

namespace {

struct ClassifyCase {
  const char* play;
  int handCount;  // cards in the own hand
  int withRule;   // type with the rule on
  int without;    // type with the rule off
  int key;        // key value when valid with the rule on
};

// Classifies with and without one rule (modeFlag 2, no other rule).
void CheckRuleTable(int rule, const std::vector<ClassifyCase>& cases, int modeFlag = PlayerCountMode::TwoSeat) {
  const SpecialRuleFlags on = Rules({rule}), off = Rules({});
  for (const auto& c : cases) {
    g_iSelfHandCardCount = c.handCount;
    const auto v = Values(c.play);
    int key = -5;
    EXPECT_EQ(ErClueCard::GetTypeByMask(v.data(), static_cast<int>(v.size()), &key, modeFlag, &on), c.withRule)
        << c.play << " with rule " << rule << ", hand " << c.handCount;
    EXPECT_EQ(key, c.withRule > 0 ? c.key : 0) << c.play;
    EXPECT_EQ(ErClueCard::GetTypeByMask(v.data(), static_cast<int>(v.size()), &key, modeFlag, &off), c.without)
        << c.play << " without rule " << rule;
  }
  g_iSelfHandCardCount = 0;
}

class ErEngine : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    SearchMode = 1;
    g_iErPromptType = g_iErPromptValue = -1;
    g_iSelfHandCardCount = 0;
  }
  // One hint press; "none" for false, "" for true with nothing.
  static std::string Press(const char* last, const char* hand, const SpecialRuleFlags& rules,
                           int modeFlag = PlayerCountMode::TwoSeat) {
    std::vector<CardCode> out;
    if (!ErClueCard::GetPrompt(out, Codes(last), Codes(hand), modeFlag, &rules)) return "none";
    return CodeNames(out);
  }
};

}  // namespace

TEST(ErClassifier, TwoPairStraightRule) {
  CheckRuleTable(SpecialRule::TwoPairStraight, {
                                                   {"3 3 4 4", 17, 34, -1, 4},
                                                   {"K K A A", 17, 34, -1, 14},
                                                   {"A A 2 2", 17, -1, -1, 0},
                                                   {"3 3 5 5", 17, -1, -1, 0},
                                                   {"3 3 4 4 5 5", 17, 35, 35, 5},
                                                   {"3 3 4", 17, -1, -1, 0},
                                               });
}

TEST(ErClassifier, TripleTakesTwoRule) {
  CheckRuleTable(SpecialRule::TripleTakesTwo, {
                                                  {"7 7 7 5", 4, 49, 49, 7},
                                                  {"7 7 7 5", 5, -1, 49, 0},
                                                  {"7 7 7 5 9", 17, 50, -1, 7},
                                                  {"5 7 7 7 9", 17, 50, -1, 7},
                                                  {"3 5 7 7 7", 17, 50, -1, 7},
                                                  {"7 7 7 SJ BJ", 17, 50, -1, 7},
                                                  {"7 7 7 5 5", 17, 50, 50, 7},
                                                  {"7 7 7 5 6 8", 17, -1, -1, 0},
                                                  {"7 7 7 7 5", 17, -1, -1, 0},
                                              });
}

TEST(ErClassifier, TripleBombRuleNeedsThreeSeatWildcardMode) {
  CheckRuleTable(SpecialRule::TripleBomb,
                 {
                     {"5 5 5", 17, 105, 48, 5},
                     {"5 5 5 6", 17, 49, 49, 5},
                     {"5 5 5 5", 17, 112, 112, 5},
                 },
                 PlayerCountMode::ThreeSeatWildcard);
  CheckRuleTable(SpecialRule::TripleBomb, {{"5 5 5", 17, 48, 48, 5}}, PlayerCountMode::TwoSeat);
  CheckRuleTable(SpecialRule::TripleBomb, {{"5 5 5", 17, 48, 48, 5}}, PlayerCountMode::ThreeSeat);
}

TEST(ErClassifier, PlaneAnyWingsRule) {
  CheckRuleTable(SpecialRule::PlaneAnyWings,
                 {
                     // short wings only as the last cards of the hand
                     {"8 8 8 9 9 9 3 4", 8, 96, 96, 9},
                     {"8 8 8 9 9 9 3 4", 12, -1, 96, 0},
                     {"8 8 8 9 9 9 3", 7, 96, -1, 9},
                     {"8 8 8 9 9 9 3 3", 8, 96, -1, 9},
                     {"8 8 8 9 9 9 3 3", 12, -1, -1, 0},
                     // two cards per triple, whatever they are, at any time
                     {"8 8 8 9 9 9 3 4 5 6", 17, 97, -1, 9},
                     {"8 8 8 9 9 9 3 3 4 4", 17, 97, 97, 9},
                     {"8 8 8 9 9 9 5 5 5 5", 17, 97, -1, 9},
                     {"7 7 7 8 8 8 9 9 9 3", 17, 97, -1, 9},
                     {"7 7 7 8 8 8 9 9 9 3", 10, 98, -1, 9},
                     {"7 7 7 8 8 8 9 9 9 3 4 5 6 10 J", 17, 99, -1, 9},
                     {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8 9", 19, 104, -1, 8},
                     {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8 9", 20, -1, -1, 0},
                     // five triples with single wings stay a plane at any time
                     {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 9 10 J Q", 10, 102, 102, 7},
                     // the key is the highest triple of the plane itself, not of a wing triple
                     {"3 3 3 4 4 4 5 5 5 9 9 9 J J J", 17, 99, -1, 5},
                     // no plane at all
                     {"8 8 8 10 10 10 3 4 5 6", 17, -1, -1, 0},
                     {"8 8 8 9 9 9", 17, 59, 59, 9},
                     {"8 8 8 9 9 9 3 4 5", 17, -1, -1, 0},
                 });
}

TEST(ErClassifier, PlainPatternsUnderNoRule) {
  const SpecialRuleFlags none = Rules({});
  struct Case {
    const char* play;
    int type;
    int key;
  } cases[] = {
      {"9", 1, 9},          {"2", 1, 20},          {"SJ BJ", 113, 26},         {"3 4", -1, 0},
      {"5 5", 32, 5},       {"8 8 8 8 8", -1, 0},  {"3 4 5 6 7", 21, 7},       {"10 J Q K A", 21, 14},
      {"J Q K A 2", -1, 0}, {"2 3 4 5 6", -1, 0},  {"5 5 5 5 SJ BJ", 66, 5},   {"3 3 3 3 5 5 7 7", 67, 3},
      {"3 3 3 4 4 4 5 6", 96, 4},                  {"3 3 3 4 4 4 5 5", -1, 0},
      {"3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 J J", 41, 11},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8", 63, 8},
      {"3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 9 10 J Q", 102, 7},
      {"3 4 5 6 7 8 9 10 J Q K A", 28, 14},
  };
  for (const auto& c : cases) {
    const auto v = Values(c.play);
    int key = -5;
    EXPECT_EQ(ErClueCard::GetTypeByMask(v.data(), static_cast<int>(v.size()), &key, 2, &none), c.type) << c.play;
    EXPECT_EQ(key, c.key) << c.play;
  }
  // Runs longer than the classic table: 13 and 14 consecutive values (read from A-low).
  const std::vector<std::uint8_t> run13{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  const std::vector<std::uint8_t> run14{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  EXPECT_EQ(ErClueCard::GetTypeByMask(run13.data(), 13, nullptr, 2, &none), 29);
  EXPECT_EQ(ErClueCard::GetTypeByMask(run14.data(), 14, nullptr, 2, &none), 30);
}

TEST(ErClassifier, InputItCannotReadIsInvalid) {
  const SpecialRuleFlags none;
  const std::uint8_t bad[] = {5, 0, 7};
  const std::uint8_t many[21] = {3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 8};
  int key = -5;
  EXPECT_EQ(ErClueCard::GetTypeByMask(nullptr, 3, &key, 2, &none), -1);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(ErClueCard::GetTypeByMask(bad, 0, &key, 2, &none), -1);
  EXPECT_EQ(ErClueCard::GetTypeByMask(bad, 3, &key, 2, &none), -1);
  EXPECT_EQ(ErClueCard::GetTypeByMask(many, 21, &key, 2, &none), -1);
  EXPECT_EQ(ErClueCard::GetPlaneAnyWingsType(many, 21, &key), -1);

  CardTypeInfo info{48, 7};
  EXPECT_TRUE(ErClueCard::EnumerateGroups({5, 99}, info, 2, &none).empty());
  EXPECT_EQ(info, (CardTypeInfo{-1, 0}));
  EXPECT_TRUE(ErClueCard::EnumerateGroups(std::vector<CardCode>(21, 4), info, 2, &none).empty());
  EXPECT_TRUE(ErClueCard::EnumerateGroups({}, info, 2, &none).empty());
}

TEST(ErReadings, OneRecordOrNone) {
  const SpecialRuleFlags rules = Rules({SpecialRule::Wildcard});
  CardTypeInfo info;
  const auto cards = Codes("5 5 SJ");
  EXPECT_TRUE(ErClueCard::EnumerateGroups(cards, info, 2, &rules).empty());  // no wildcard readings here
  EXPECT_EQ(info, (CardTypeInfo{-1, 0}));

  const auto pair = Codes("9 9");
  const auto readings = ErClueCard::EnumerateGroups(pair, info, 2, &rules);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(info, (CardTypeInfo{32, 9}));
  EXPECT_EQ(readings[0].type, 32);
  EXPECT_EQ(readings[0].value, 9);
  EXPECT_EQ(readings[0].cards[0], pair[0]);
  EXPECT_EQ(readings[0].cards[1], pair[1]);
  EXPECT_EQ(readings[0].cards[2], -1);
  EXPECT_EQ(readings[0].wildcardCount, 0);
  EXPECT_EQ(readings[0].substituteValues[0], 255);
}

TEST(ErValues, NoLaiziAndHandOrder) {
  EXPECT_EQ(ErClueCard::GetCardValue(kWildcardCode), 18);
  EXPECT_EQ(ErClueCard::GetCardValueNoLaizi(kWildcardCode), 16);
  EXPECT_EQ(ErClueCard::GetCardValueNoLaizi(43), 16);
  EXPECT_EQ(ErClueCard::GetCardValueNoLaizi(14), 17);
  // Value descending, suit 0 first among equals; code 28 sorts with the small joker.
  ErClueCard e({2, 47, 17, 1, kWildcardCode, 14, 32});
  EXPECT_EQ(e.Hand(), (std::vector<CardCode>{14, kWildcardCode, 1, 2, 17, 32, 47}));
  std::uint8_t v = 20;
  ErClueCard::UnspreadValue(v);
  EXPECT_EQ(v, 15);
  v = 1;
  ErClueCard::UnspreadValue(v);
  EXPECT_EQ(v, 14);
}

TEST_F(ErEngine, SmartSelectCompletesATapOrARange) {
  struct Case {
    const char* last;
    const char* hand;
    const char* selected;
    const char* expect;  // "" = no proposal
  } cases[] = {
      {"5 5", "3 7 7 7 9 K", "7", "7 7"},
      {"5 5", "3 7 9 K", "7", ""},
      {"5 5", "3 4 4 9", "4", ""},  // not above the pair
      {"5 5 5 3", "7 7 7 9 K", "7", "7 7 7"},
      {"3 4 5 6 7", "3 8 9 10 J Q Q 2", "8", "8 9 10 J Q"},
      {"3 4 5 6 7", "3 8 9 10 J 2", "8", ""},
      {"3 4 5 6 7", "3 5 6 7 8 9", "5", ""},  // the tapped card must be above the key
      {"9", "3 10 10", "10", ""},  // singles are left to the player
      {"", "3 4 5 6 7 8 9", "3 4 5 6 7 9", "3 4 5 6 7"},
      {"", "3 3 4 4 5 5 6", "3 3 4 4 5 5", "3 3 4 4 5 5"},
      {"", "3 4 5 6", "3 4 5 6", ""},
      {"3 3", "5 5 6 6 7 7 8 9", "5 5 6 6 7 7 8 9", "5 6 7 8 9"},
  };
  for (const auto& c : cases) {
    std::vector<CardCode> out;
    const auto hand = Codes(c.hand);
    // The selection is taken out of the hand (same codes).
    std::vector<CardCode> selected;
    std::vector<bool> used(hand.size(), false);
    for (CardCode want : Codes(c.selected))
      for (std::size_t i = 0; i < hand.size(); ++i)
        if (!used[i] && CodeToValue(hand[i]) == CodeToValue(want)) {
          used[i] = true;
          selected.push_back(hand[i]);
          break;
        }
    const bool ok = ErClueCard::SmartSelect(out, Codes(c.last), hand, selected);
    EXPECT_EQ(ok, std::string(c.expect) != "") << c.last << " / " << c.selected;
    // Order aside, the proposal holds these values.
    std::vector<int> values;
    for (CardCode code : out) values.push_back(CodeToValue(code));
    std::sort(values.begin(), values.end());
    EXPECT_EQ(Names(values), c.expect) << c.last << " / " << c.selected;
  }
}

TEST_F(ErEngine, HintCyclePlainThenWildcardThenEmptyThenPlain) {
  const auto rules = Rules({SpecialRule::Wildcard});
  EXPECT_EQ(Press("5 5", "BJ 9 7 7 3", rules), "7 7");
  EXPECT_EQ(SearchMode, 1);
  EXPECT_EQ(Press("5 5", "BJ 9 7 7 3", rules), "9 BJ");
  EXPECT_EQ(SearchMode, 2);
  EXPECT_EQ(g_iErPromptType, 32);
  EXPECT_EQ(g_iErPromptValue, 9);  // the joker read as the 9
  EXPECT_EQ(Press("5 5", "BJ 9 7 7 3", rules), "");
  EXPECT_EQ(SearchMode, 1);
  EXPECT_EQ(g_iErPromptType, -1);
  EXPECT_EQ(Press("5 5", "BJ 9 7 7 3", rules), "7 7");
}

TEST_F(ErEngine, HintRocketFirstThenTheJokersAsWildcards) {
  const auto rules = Rules({SpecialRule::Wildcard});
  // The hand in hand order: the big joker is the first wildcard.
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules), "SJ BJ");
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules), "6 BJ SJ");
  EXPECT_EQ(g_iErPromptType, 48);
  EXPECT_EQ(g_iErPromptValue, 6);
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules), "");
  EXPECT_EQ(Press("5 5 5", "BJ SJ 6", rules), "SJ BJ");
}

TEST_F(ErEngine, HintWalksUpThePlainGroupsAndNeverUsesJokersWithoutTheRule) {
  const auto rules = Rules({});
  EXPECT_EQ(Press("3 4 5 6 7", "4 5 6 7 8 9 10 SJ", rules), "4 5 6 7 8");
  EXPECT_EQ(Press("3 4 5 6 7", "4 5 6 7 8 9 10 SJ", rules), "5 6 7 8 9");
  EXPECT_EQ(Press("3 4 5 6 7", "4 5 6 7 8 9 10 SJ", rules), "6 7 8 9 10");
  EXPECT_EQ(Press("3 4 5 6 7", "4 5 6 7 8 9 10 SJ", rules), "");
  EXPECT_EQ(Press("3 4 5 6 7", "4 5 6 7 8 9 10 SJ", rules), "4 5 6 7 8");
}

TEST_F(ErEngine, HintFailureValues) {
  const auto rules = Rules({SpecialRule::Wildcard});
  EXPECT_EQ(Press("SJ BJ", "3 3 3 3 7", rules), "none");  // nothing beats the rocket
  EXPECT_EQ(g_iErPromptType, -1);                          // and the cycle is left reset
  EXPECT_EQ(Press("", "3 4", rules), "none");
  EXPECT_EQ(Press("5", "", rules), "none");
  EXPECT_EQ(Press("5 6", "7 8", rules), "none");  // the last play does not classify
  std::vector<CardCode> out{1, 2};
  EXPECT_FALSE(ErClueCard::GetPrompt(out, Codes("5"), {3, 99}, 2, &rules));  // a code that is no card
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(ErClueCard::GetPrompt(out, Codes("5"), std::vector<CardCode>(21, 7), 2, &rules));
  EXPECT_EQ(g_iErPromptType, -1);
}

TEST_F(ErEngine, HintThatFindsNothingAnswersFalseOnEveryPress) {
  // A fresh press that finds nothing leaves the cycle reset, with or without wildcards.
  for (const auto& rules : {Rules({}), Rules({SpecialRule::Wildcard})}) {
    for (int press = 1; press <= 3; ++press) {
      SCOPED_TRACE("press " + std::to_string(press));
      EXPECT_EQ(Press("2 2", "3 4", rules), "none");
      EXPECT_EQ(g_iErPromptType, -1);
      EXPECT_EQ(g_iErPromptValue, -1);
      EXPECT_EQ(SearchMode, 1);
    }
  }
}
