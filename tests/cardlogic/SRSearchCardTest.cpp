// The four-player hint: the search engine's split and finders, and the hint
// button's cycle of presses.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "SRCards.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/SRClueCard.h"
#include "cardlogic/SRSearchCard.h"

using namespace ddz;
using srtest::Codes;
using srtest::Text;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The answers of n presses of the hint button: the suggestion as text, "-" for
// a true answer with nothing (the cycle is exhausted), "false" for false.
std::vector<std::string> Presses(const std::string& last, const std::string& hand, int n) {
  SRClueCard::RestartHintCycle();
  const auto lastCodes = Codes(last);
  const auto handCodes = Codes(hand);
  std::vector<std::string> answers;
  for (int i = 0; i < n; ++i) {
    SRClueCard rules;
    std::vector<CardCode> out;
    const bool ok = rules.HintBySearch(out, lastCodes, handCodes);
    EXPECT_TRUE(srtest::IsSubHand(out, handCodes));
    answers.push_back(!ok ? "false" : out.empty() ? "-" : Text(out));
  }
  return answers;
}

struct Cycle {
  const char* last;
  const char* hand;
  std::vector<std::string> presses;
};

void ExpectCycles(const std::vector<Cycle>& cycles) {
  for (const auto& c : cycles) {
    SCOPED_TRACE(std::string(c.last) + " / " + c.hand);
    EXPECT_EQ(Presses(c.last, c.hand, static_cast<int>(c.presses.size())), c.presses);
  }
}

}  // namespace

TEST(SRSearch, SplitsByMultiplicityAndKeepsBombsOutOfChains) {
  SRSearchCard search;
  // 3 once, 5 twice, 7 three times, 9 four times, Q five times, 2 twice, both jokers twice
  const auto hand = Codes("3 5 5 7 7 7 9 9 9 9 Q Q Q Q Q 2 2 sj sj bj bj");
  ASSERT_TRUE(search.Search(hand.data(), static_cast<int>(hand.size()), 1, 3));
  EXPECT_EQ(search.Held(1), (Bytes{3}));
  EXPECT_EQ(search.Held(2), (Bytes{5, 20}));
  EXPECT_EQ(search.Held(3), (Bytes{7}));
  EXPECT_EQ(search.Held(4), (Bytes{9}));
  EXPECT_EQ(search.Held(5), (Bytes{12}));
  EXPECT_EQ(search.FourJokers(), (Bytes{25, 25, 26, 26}));
  EXPECT_EQ(search.DistinctList(), (Bytes{3, 5, 7, 20}));
  EXPECT_EQ(search.PairList(), (Bytes{5, 7, 20}));
  EXPECT_EQ(search.PlaneList(), (Bytes{7}));
  EXPECT_EQ(search.BombList(), (Bytes{9, 12}));

  // While a chain is searched, fewer than three 2s run below the 3.
  ASSERT_TRUE(search.Search(hand.data(), static_cast<int>(hand.size()), 21, 14));  // no straight: the bomb
  EXPECT_EQ(search.Found(), (Bytes{9, 9, 9, 9}));
  EXPECT_EQ(search.Held(2), (Bytes{2, 5}));
  const auto threeTwos = Codes("2 2 2 3 4 5 6");
  ASSERT_FALSE(search.Search(threeTwos.data(), 7, 21, 7));
  EXPECT_EQ(search.Held(3), (Bytes{20}));
}

TEST(SRSearch, FoundValuesComeBackAsCardBytes) {
  SRSearchCard search;
  const auto hand = Codes("A A 2 2 sj bj");
  ASSERT_TRUE(search.Search(hand.data(), 6, 32, 13));
  EXPECT_EQ(search.Found(), (Bytes{1, 1}));
  ASSERT_TRUE(search.Search(hand.data(), 6, 32, 14));
  EXPECT_EQ(search.Found(), (Bytes{2, 2}));
  ASSERT_TRUE(search.Search(hand.data(), 6, 1, 15));  // a 2 on the table is searched as 20
  EXPECT_EQ(search.Found(), (Bytes{16}));
  ASSERT_TRUE(search.Search(hand.data(), 6, 1, 25));
  EXPECT_EQ(search.Found(), (Bytes{17}));
}

TEST(SRSearch, TypesWithoutAFinderAndBadHands) {
  SRSearchCard search;
  const auto hand = Codes("3 3 3 3 3 3 3 3 sj sj bj bj 5 6 7 8 9");
  const int n = static_cast<int>(hand.size());
  for (int type : {0, -1, 49, 66, 99, 103, 117, 129, 130}) {
    SCOPED_TRACE(type);
    EXPECT_FALSE(search.Search(hand.data(), n, type, 3));
    EXPECT_TRUE(search.Found().empty());
  }
  const std::vector<CardCode> wildcard = {28, 2, 3};
  EXPECT_FALSE(search.Search(wildcard.data(), 3, 1, 3));
  const std::vector<CardCode> thrice = {4, 4, 4};  // one code three times: not two decks
  EXPECT_FALSE(search.Search(thrice.data(), 3, 1, 3));
  const std::vector<CardCode> many(34, 2);
  EXPECT_FALSE(search.Search(many.data(), 34, 1, 3));
  EXPECT_FALSE(search.Search(nullptr, 3, 1, 3));
}

TEST(SRHintBySearch, SinglesAndPairsPreferWholeGroupsThenBombs) {
  ExpectCycles({
      {"5", "6 6 9", {"9", "-", "9"}},
      {"5", "3 6 6 9 K 2 sj", {"9", "K", "2", "sj", "-", "9"}},
      {"5", "3 6 6", {"6", "-", "6"}},                         // a pair is broken when no single is above
      {"2", "A A sj 5 5 5 5", {"sj", "5 5 5 5", "-", "sj"}},   // a 2 falls to a joker or a bomb
      {"4 4", "5 5 5 7 7 9 9 9 9", {"7 7", "9 9 9 9", "-", "7 7"}},
      {"8 8", "5 5 5 9 9 9 Q", {"9 9", "-"}},
      {"2 2", "A A sj sj", {"sj sj", "-"}},
      {"K", "3 4 4 4 4 4 4 sj sj bj bj", {"4 4 4 4 4 4", "sj sj bj bj", "-"}},
  });
}

TEST(SRHintBySearch, TriplesAndPlanes) {
  ExpectCycles({
      {"3 3 3", "5 5 5 8 8 8 8", {"5 5 5", "8 8 8 8", "-"}},
      {"3 3 3 4 4", "5 5 5 7 7 7 9 9 Q", {"5 5 5 9 9", "7 7 7 9 9", "-"}},
      {"3 3 3 4 4", "5 5 5 7 7 7 Q", {"5 5 5 7 7", "5 5 7 7 7", "-"}},
      {"3 3 3 4 4 4", "5 5 5 6 6 6 7 7 7", {"5 5 5 6 6 6", "6 6 6 7 7 7", "-"}},
      {"3 3 3 4 4 4 5 5 6 6", "7 7 7 8 8 8 9 9 9 J J 2 2 K K",
       {"7 7 7 8 8 8 9 9 2 2", "7 7 8 8 8 9 9 9 2 2", "-"}},
      {"3 3 3 4 4 4 5 5 6 6", "7 7 7 8 8 8 9 9", {"false"}},   // too few pairs
  });
}

TEST(SRHintBySearch, ChainsLeaveBombsWholeAndLetTheTwoRunLow) {
  ExpectCycles({
      {"3 4 5 6 7", "4 5 6 7 8 9 10 J",
       {"4 5 6 7 8", "5 6 7 8 9", "6 7 8 9 10", "7 8 9 10 J", "-", "4 5 6 7 8"}},
      {"3 4 5 6 7", "4 5 6 6 6 6 7 8", {"6 6 6 6", "-", "6 6 6 6"}},
      {"A 2 3 4 5", "2 3 4 5 6 9", {"3 4 5 6 2", "-"}},
      {"A 2 3 4 5", "2 2 2 3 4 5 6 9", {"false", "false"}},  // three 2s stay high
      {"3 3 4 4 5 5", "4 4 5 5 6 6 6 7 7", {"4 4 5 5 6 6", "5 5 6 6 7 7", "-"}},
      {"A A 2 2 3 3", "2 2 3 3 4 4 9", {"3 3 4 4 2 2", "-"}},
      {"3 4 5 6 7 8 9 10 J Q K A", "2 3 4 5 6 7 8 9 10 J Q K A", {"false"}},  // another length
  });
}

TEST(SRHintBySearch, BombsRankBySizeThenValueAndTheCycleWraps) {
  // A 25-card hand: a bomb of 4s and of 2s, five 6s, eight 8s and the four jokers.
  ExpectCycles({
      {"3 3 3 3", "4 4 4 4 2 2 2 2 6 6 6 6 6 8 8 8 8 8 8 8 8 sj sj bj bj",
       {"4 4 4 4", "2 2 2 2", "6 6 6 6 6", "8 8 8 8 8 8 8 8", "sj sj bj bj", "-", "4 4 4 4"}},
      {"7 7 7 7 7", "4 4 4 4 9 9 9 9 9", {"9 9 9 9 9", "-"}},
      {"sj sj bj bj", "8 8 8 8 8 8 8 8", {"false"}},  // nothing beats the four jokers
  });
}

TEST(SRHintBySearch, RefusesAndNeverReportsSuccessForNothing) {
  ExpectCycles({
      {"5 6", "7 8 9", {"false"}},  // the last play is not a play
      {"2", "3 4 A", {"false", "false", "false"}},
  });
  SRClueCard rules;
  std::vector<CardCode> out;
  SRClueCard::RestartHintCycle();
  EXPECT_FALSE(rules.HintBySearch(out, {}, Codes("3 4")));
  EXPECT_FALSE(rules.HintBySearch(out, Codes("3"), {}));
  EXPECT_FALSE(rules.HintBySearch(out, Codes("3"), {4, 28}));
  EXPECT_FALSE(rules.HintBySearch(out, Codes("3"), std::vector<CardCode>(34, 5)));
  EXPECT_EQ(g_iSRLastHintType, -1);
}

// Random 25-card hands of the two decks against one play of every searchable
// kind: every suggestion is cards of the hand, a valid play that beats the play
// on the table and the suggestion before it, and the cycle ends and starts over.
TEST(SRHintBySearch, EverySuggestionBeatsTheLastAndTheCycleEnds) {
  srtest::QuietLog quiet;
  const char* lastPlays[] = {"5", "9 9", "7 7 7", "4 4 4 9 9", "3 4 5 6 7", "5 6 7 8 9 10 J",
                             "3 3 4 4 5 5", "3 3 3 4 4 4", "3 3 3 4 4 4 7 7 9 9", "5 5 5 5",
                             "6 6 6 6 6", "A 2 3 4 5", "2", "2 2", "K K K"};
  std::vector<CardCode> deck;
  for (int copy = 0; copy < 2; ++copy)
    for (int code = 0; code < 60; ++code)
      if (SRClueCard::IsTableCode(code)) deck.push_back(code);
  ASSERT_EQ(deck.size(), 108u);
  std::mt19937 rng(20240611);
  for (int round = 0; round < 150; ++round) {
    std::shuffle(deck.begin(), deck.end(), rng);
    const std::vector<CardCode> hand(deck.begin(), deck.begin() + 25);
    for (const char* lastText : lastPlays) {
      SCOPED_TRACE(std::string(lastText) + " / " + Text(hand));
      const auto last = Codes(lastText);
      CardTypeInfo lastInfo;
      ASSERT_TRUE(SRClueCard::GetCodesCardType(last.data(), static_cast<int>(last.size()), lastInfo));
      SRClueCard::RestartHintCycle();
      CardTypeInfo previous = lastInfo;
      std::vector<CardCode> first;
      bool ended = false;
      for (int press = 0; press < 80 && !ended; ++press) {
        SRClueCard rules;
        std::vector<CardCode> out;
        const bool ok = rules.HintBySearch(out, last, hand);
        if (press == 0 && !ok) {
          ended = true;
          break;
        }
        ASSERT_TRUE(ok);
        if (out.empty()) {
          ended = true;
          break;
        }
        if (press == 0) first = out;
        ASSERT_TRUE(srtest::IsSubHand(out, hand));
        CardTypeInfo info;
        ASSERT_TRUE(SRClueCard::GetCodesCardType(out.data(), static_cast<int>(out.size()), info)) << Text(out);
        EXPECT_GT(ClueCard::CompareCardType(info, lastInfo), 0) << Text(out);
        EXPECT_GT(ClueCard::CompareCardType(info, previous), 0) << Text(out);
        previous = info;
      }
      ASSERT_TRUE(ended);
      if (!first.empty()) {
        SRClueCard rules;
        std::vector<CardCode> out;
        EXPECT_TRUE(rules.HintBySearch(out, last, hand));
        EXPECT_EQ(out, first);
      }
    }
  }
}

// Whenever the hand holds a single card, a bomb or the four jokers that beats a
// single, the first press finds something.
TEST(SRHintBySearch, ASingleIsAlwaysAnsweredWhenTheHandCan) {
  srtest::QuietLog quiet;
  std::vector<CardCode> deck;
  for (int copy = 0; copy < 2; ++copy)
    for (int code = 0; code < 60; ++code)
      if (SRClueCard::IsTableCode(code)) deck.push_back(code);
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::shuffle(deck.begin(), deck.end(), rng);
    const std::vector<CardCode> hand(deck.begin(), deck.begin() + 1 + round % 25);
    for (int v = 3; v <= 17; ++v) {
      const std::vector<CardCode> last = {v <= 13 ? v - 1 : v == 14 ? 0 : v == 15 ? 1 : v - 3};
      CardTypeInfo lastInfo;
      ASSERT_TRUE(SRClueCard::GetCodesCardType(last.data(), 1, lastInfo));
      bool beatable = false;
      int held[18] = {};
      for (CardCode c : hand) ++held[SRClueCard::GetCardValue(c)];
      for (int w = 3; w <= 17; ++w) {
        const int spread = w == 15 ? 20 : w == 16 ? 25 : w == 17 ? 26 : w;
        if ((held[w] > 0 && spread > lastInfo.value) || (w <= 15 && held[w] >= 4)) beatable = true;
      }
      if (held[16] == 2 && held[17] == 2) beatable = true;
      SRClueCard::RestartHintCycle();
      SRClueCard rules;
      std::vector<CardCode> out;
      EXPECT_EQ(rules.HintBySearch(out, last, hand), beatable) << Text(hand) << " against " << Text(last);
    }
  }
}
