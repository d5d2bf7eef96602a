// The four-player hand: sorting, the bomb search the own hand marks its bombs
// with, and the completion of a tapped or dragged selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SRCards.h"
#include "cardlogic/SRClueCard.h"

using namespace ddz;
using srtest::Codes;
using srtest::Text;

namespace {

// Every bomb of the hand, as the own hand collects them: a fresh hand per call,
// each call starting from the code the previous one returned.
std::vector<std::string> AllBombs(const std::string& hand) {
  std::vector<std::string> bombs;
  int from = -1;
  for (int guard = 0; guard < 40; ++guard) {
    SRClueCard rules;
    EXPECT_TRUE(rules.SetHand(Codes(hand)));
    from = rules.SearchBomb(from);
    if (from == -1) {
      EXPECT_TRUE(rules.Result().empty());
      break;
    }
    EXPECT_EQ(rules.Result().front(), from);
    bombs.push_back(Text(rules.Result()));
  }
  return bombs;
}

}  // namespace

TEST(SRHand, SortsHighestFirstThenBySuit) {
  SRClueCard rules;
  // 3 of suit 2, big joker, 3 of suit 0, A of suit 1, 2 of suit 3, small joker, A of suit 1 again
  ASSERT_TRUE(rules.SetHand({32, 14, 2, 15, 46, 13, 15}));
  EXPECT_EQ(rules.Hand(), (std::vector<CardCode>{14, 13, 46, 15, 15, 2, 32}));
  EXPECT_EQ(rules.Type(), -1);
  EXPECT_EQ(rules.Value(), -1);
}

TEST(SRHand, SetHandRefusesCardsOfNoDeckAndKeepsTheHand) {
  srtest::LogCapture log;
  SRClueCard rules;
  ASSERT_TRUE(rules.SetHand({2, 3}));
  EXPECT_FALSE(rules.SetHand({4, 28}));
  EXPECT_FALSE(rules.SetHand(std::vector<CardCode>(34, 5)));
  EXPECT_EQ(rules.Hand(), (std::vector<CardCode>{3, 2}));
  EXPECT_TRUE(log.Saw("card code 28 refused"));
}

TEST(SRHand, SearchBombVisitsBombsByValueWhateverTheirSize) {
  struct Row {
    const char* hand;
    std::vector<std::string> bombs;
  };
  const std::vector<Row> rows = {
      {"5 5 5 5 5 6 6 6 6 9", {"5 5 5 5 5", "6 6 6 6"}},  // five 5s before four 6s
      {"3 3 3 3 K 2 2 2 2 2 2 2 2 sj sj bj bj",
       {"3 3 3 3", "2 2 2 2 2 2 2 2", "sj sj bj bj"}},   // the four jokers last
      {"7 7 7 7 7 7 7 Q Q Q Q Q Q", {"7 7 7 7 7 7 7", "Q Q Q Q Q Q"}},
      {"4 4 4 4", {"4 4 4 4"}},
      {"4 4 4", {}}, {"sj sj bj 9 9 9", {}}, {"sj bj bj 9", {}}, {"3 4 5 6 7 8 9", {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.hand);
    EXPECT_EQ(AllBombs(r.hand), r.bombs);
  }
}

TEST(SRHand, SearchBombStartsAboveTheGivenCard) {
  SRClueCard rules;
  ASSERT_TRUE(rules.SetHand(Codes("5 5 5 5 5 6 6 6 6 9 9 9 9")));
  EXPECT_EQ(Text(rules.Result()), "");
  const int six = 5;  // the 6 of suit 0
  EXPECT_NE(rules.SearchBomb(six), -1);
  EXPECT_EQ(Text(rules.Result()), "9 9 9 9");
  const int nine = 8;
  EXPECT_EQ(rules.SearchBomb(nine), -1);
  EXPECT_TRUE(rules.Result().empty());
}

TEST(SRHand, CompletesDraggedSelectionsIntoChains) {
  struct Row {
    const char* last;      // "" for a free lead
    const char* selected;
    bool ok;
    const char* answer;
  };
  const std::vector<Row> rows = {
      {"", "3 4 5 6 7 9", true, "3 4 5 6 7"},
      {"", "3 3 4 4 5 5", true, "3 3 4 4 5 5"},
      {"", "A A 2 2 3 3", true, "3 3 A A 2 2"},        // an A and a 2 below the 3
      {"", "Q Q K K A A", true, "Q Q K K A A"},
      {"", "A 2 3 4 5 9", true, "3 4 5 A 2"},
      {"", "10 J Q K A 2", true, "10 J Q K A"},       // a 2 never above the A
      {"", "3 3 4 4 5 5 9", false, ""},             // no straight inside 3 4 5 9
      {"", "3 4 5 6", false, ""},                   // fewer than five when leading
      {"", "3 3 4 4 5 5 6 6 7 7 8", true, "3 4 5 6 7 8"},
      {"", "2 3 4 5 6 7 8 9 10 J Q K A", true, "3 4 5 6 7 8 9 10 J Q K A 2"},
      {"", "sj bj 3 4 5", false, ""},
      {"9 9", "3 4 5 6 7", true, "3 4 5 6 7"},      // following: not compared with the play
      {"9 9", "3 4", false, ""},
      {"3 3 4 4 5 5", "6 6 7 7 8 8", true, "6 6 7 7 8 8"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.last) + " / " + r.selected);
    SRClueCard rules;
    const auto selected = Codes(r.selected);
    std::vector<CardCode> out = {99};
    EXPECT_EQ(rules.Hint(out, Codes(r.last), selected, selected), r.ok);
    EXPECT_EQ(Text(out), r.answer);
    EXPECT_TRUE(srtest::IsSubHand(out, selected));
  }
}

TEST(SRHand, CompletesATappedCard) {
  struct Row {
    const char* last;
    const char* hand;
    const char* tapped;
    bool ok;
    const char* answer;
  };
  const std::vector<Row> rows = {
      {"5 5", "3 7 7 9 9 9 K", "9", true, "9 9"},
      {"5 5", "3 7 7 9 9 9 K", "7", true, "7 7"},
      {"5 5", "3 7 7 9 9 9 K", "K", false, ""},      // no other K
      {"5 5", "3 7 7 9 9 9 K", "3", false, ""},      // not above the 5s
      {"9 9 9", "3 7 7 9 9 9 J J J", "J", true, "J J J"},
      {"9 9 9 4 4", "3 J J J", "J", true, "J J J"},  // the wings are left to the player
      {"2 2", "sj sj 4", "sj", true, "sj sj"},       // a joker pair is above a pair of 2s
      {"sj sj", "bj bj 4", "bj", true, "bj bj"},
      {"3 4 5 6 7", "8 9 10 J Q K", "8", true, "8 9 10 J Q"},
      {"3 4 5 6 7", "8 9 9 10 J Q K", "8", true, "8 9 10 J Q"},
      {"3 4 5 6 7", "10 J Q K A 2", "10", true, "10 J Q K A"},
      {"3 4 5 6 7", "J Q K A 2 sj", "J", false, ""},   // the 2 does not follow the A
      {"3 4 5 6 7", "8 9 10 J", "8", false, ""},       // fewer than five cards from the 8 up
      {"3 4 5 6 7", "8 9 10 Q K A", "8", false, ""},   // gap at J
      {"3 3 4 4 5 5", "6 6 7 7 8 8", "6", false, ""},  // a tap does not complete pair straights
      {"5 5 5 5", "6 6 6 6", "6", false, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.last) + " / " + r.hand + " / " + r.tapped);
    SRClueCard rules;
    SRClueCard sorted;
    ASSERT_TRUE(sorted.SetHand(Codes(r.hand)));
    const auto hand = sorted.Hand();  // as the own hand holds it: highest first
    const std::vector<CardCode> tapped = {Codes(r.tapped).front()};
    std::vector<CardCode> out;
    EXPECT_EQ(rules.Hint(out, Codes(r.last), hand, tapped), r.ok);
    EXPECT_EQ(Text(out), r.answer);
    EXPECT_TRUE(srtest::IsSubHand(out, hand));
  }
}

TEST(SRHand, TappedCardPairsWithItsTwinFromTheOtherDeck) {
  // Both 9s of spades: the same code twice.
  const std::vector<CardCode> hand = {8, 8, 4};
  std::vector<CardCode> out;
  SRClueCard rules;
  EXPECT_TRUE(rules.Hint(out, Codes("5 5"), hand, {8}));
  EXPECT_EQ(out, (std::vector<CardCode>{8, 8}));
  // but a lone card does not pair with itself
  EXPECT_FALSE(rules.Hint(out, Codes("5 5"), {8, 4}, {8}));
}

TEST(SRHand, CompletionRefusesInvalidInput) {
  std::vector<CardCode> out;
  SRClueCard rules;
  EXPECT_FALSE(rules.Hint(out, Codes("5 5 6"), Codes("7 7"), Codes("7")));  // invalid last play
  EXPECT_FALSE(rules.Hint(out, Codes("5 5"), {20, 28}, {20}));
  EXPECT_FALSE(rules.Hint(out, {}, std::vector<CardCode>(40, 3), Codes("3 4 5 6 7")));
  EXPECT_TRUE(out.empty());
}
