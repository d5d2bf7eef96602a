#include <gtest/gtest.h>

#include "HandNotation.h"
#include "cardlogic/ClueCard.h"

using namespace ddz;
using handnotation::Cards;
using handnotation::Ranks;
using handnotation::RankOf;

namespace {

enum class Finder { Pair, Triple, Bomb, Straight, PairStraight };

int RunFinder(ClueCard& c, Finder f, CardCode beat) {
  switch (f) {
    case Finder::Pair: return c.FindBiggerPair(beat);
    case Finder::Triple: return c.FindBiggerTriple(beat);
    case Finder::Bomb: return c.FindBiggerBomb(beat);
    case Finder::Straight: return c.FindStraight(beat);
    case Finder::PairStraight: return c.FindPairStraight(beat);
  }
  return -2;
}

}  // namespace

TEST(ClueCardFinders, Table) {
  // beat: the rank of the card to beat, or "" for -1 (everything is above it).
  // result: the ranks of the result; returned: the rank of the returned card, '-' for -1.
  struct Row { const char* hand; Finder finder; const char* beat; const char* result; char returned; };
  const Row rows[] = {
      {"3 55 777 99", Finder::Pair, "", "55", '5'},
      {"3 55 777 99", Finder::Pair, "5", "77", '7'},  // two of a triple
      {"3 55 777 99", Finder::Pair, "9", "", '-'},
      {"AA 22 wW", Finder::Pair, "A", "22", '2'},     // the jokers never pair
      {"5 6666 77", Finder::Triple, "5", "666", '6'}, // three of a four
      {"555 777", Finder::Triple, "5", "777", '7'},
      {"555 777", Finder::Triple, "7", "", '-'},
      {"3333 5555", Finder::Bomb, "", "3333", '3'},
      {"3333 5555", Finder::Bomb, "3", "5555", '5'},
      {"3333 5555", Finder::Bomb, "5", "", '-'},
      {"2222 A", Finder::Bomb, "A", "2222", '2'},
      {"3 4 5 6 7 9 T J Q K", Finder::Straight, "", "34567", '7'},
      {"3 4 5 6 7 9 T J Q K", Finder::Straight, "3", "9TJQK", 'K'},  // 4-7 is too short
      {"3 4 5 6 7 9 T J Q K", Finder::Straight, "9", "", '-'},
      {"33 4 5 6 7 8", Finder::Straight, "", "345678", '8'},  // the whole run, one card a value
      {"T J Q K A 2", Finder::Straight, "", "TJQKA", 'A'},
      {"J Q K A 2 w", Finder::Straight, "", "", '-'},  // 2 and jokers never chain
      {"33 44 55", Finder::PairStraight, "", "334455", '5'},
      {"33 44 55 66", Finder::PairStraight, "3", "445566", '6'},
      {"33 44 55 77 88 99", Finder::PairStraight, "5", "778899", '9'},
      {"33 44 66 77 88", Finder::PairStraight, "", "667788", '8'},
      {"333 444 555", Finder::PairStraight, "", "334455", '5'},  // pairs out of triples
      {"KK AA 22", Finder::PairStraight, "", "", 'A'},  // no 2 in a chain; the last pair found answers
      {"33 55", Finder::PairStraight, "", "", '5'},
      {"3 4 5", Finder::PairStraight, "", "", '-'},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.hand) + " above '" + r.beat + "'");
    ClueCard c(Cards(r.hand));
    const CardCode beat = *r.beat ? Cards(r.beat)[0] : -1;
    const int returned = RunFinder(c, r.finder, beat);
    EXPECT_EQ(Ranks(c.Result()), r.result);
    EXPECT_EQ(returned < 0 ? '-' : RankOf(CodeToValue(returned)), r.returned);
    EXPECT_EQ(c.Hand().size(), Cards(r.hand).size());  // finders leave the hand alone
  }
}

TEST(ClueCardFinders, CardsComeFromTheLowestPositionUp) {
  // The four 6s sort suit 0..3 (codes 5, 20, 35, 50); the triple finder takes the
  // last three positions, lowest first, and answers with the third card found.
  ClueCard c(Cards("5 6666 77"));
  EXPECT_EQ(c.FindBiggerTriple(Cards("5")[0]), 20);
  EXPECT_EQ(c.Result(), (std::vector<CardCode>{50, 35, 20}));
  EXPECT_EQ(c.FindBiggerPair(Cards("5")[0]), 35);
  EXPECT_EQ(c.Result(), (std::vector<CardCode>{50, 35}));
  EXPECT_EQ(c.FindBiggerBomb(-1), 50);
  EXPECT_EQ(c.Result(), (std::vector<CardCode>{50, 35, 20, 5}));
}

TEST(ClueCardFinders, FailureEmptiesTheResult) {
  ClueCard c(Cards("3 4 5 6 7 99"));
  ASSERT_GE(c.FindStraight(-1), 0);
  EXPECT_EQ(c.FindBiggerTriple(-1), -1);
  EXPECT_TRUE(c.Result().empty());
  ASSERT_GE(c.FindBiggerPair(-1), 0);
  EXPECT_EQ(c.FindStraight(Cards("3")[0]), -1);
  EXPECT_TRUE(c.Result().empty());
}

TEST(ClueCardFinders, PairStraightAnswerLeadsToTheNextRunUp) {
  // Searching again from the answer finds the run beyond the gap.
  ClueCard c(Cards("33 44 55 77 88 99 TT"));
  const int first = c.FindPairStraight(-1);
  EXPECT_EQ(Ranks(c.Result()), "334455");
  c.FindPairStraight(first);
  EXPECT_EQ(Ranks(c.Result()), "778899TT");
}

TEST(ClueCardRemoveResult, RemovesTheResultFromTheHand) {
  ClueCard c(Cards("3333 55 7"));
  ASSERT_NE(c.FindBiggerBomb(-1), -1);
  c.RemoveResult();
  EXPECT_EQ(Ranks(c.Hand()), "557");
  EXPECT_EQ(Ranks(c.Result()), "3333");
}

TEST(ClueCardRemoveResult, RepeatedBombSearchStripsEveryBomb) {
  // The quick-select triple search takes the bombs out first this way.
  ClueCard c(Cards("3333 5 666 7777"));
  while (c.FindBiggerBomb(-1) != -1) c.RemoveResult();
  EXPECT_EQ(Ranks(c.Hand()), "5666");
  c.FindBiggerTriple(-1);
  EXPECT_EQ(Ranks(c.Result()), "666");
}

TEST(ClueCardRemoveResult, TakesOneCardPerResultEntry) {
  // Two decks can hold one code twice: each result entry removes the first equal code only.
  ClueCard c({5, 5, 20});  // three 6s, the code 5 twice
  ASSERT_NE(c.FindBiggerPair(-1), -1);
  ASSERT_EQ(c.Result(), (std::vector<CardCode>{20, 5}));
  c.RemoveResult();
  EXPECT_EQ(c.Hand(), (std::vector<CardCode>{5}));
}
