#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "HandNotation.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"

using namespace ddz;
using handnotation::Cards;
using handnotation::Ranks;
using handnotation::RankOf;

namespace {

std::array<std::uint8_t, 20> HandBytes(const std::vector<CardCode>& codes) {
  std::array<std::uint8_t, 20> bytes{};
  for (std::size_t i = 0; i < codes.size(); ++i) bytes[i] = CodeToCardByte(codes[i]);
  return bytes;
}

// The search's answer as ranks, lowest first; "!" when it finds nothing.
std::string SearchRanks(const std::array<std::uint8_t, 20>& hand, int type, int key) {
  ClueCardSearch search;
  std::array<std::uint8_t, 20> out{};
  out.fill(0xAA);  // the search clears the output itself
  if (!search.Search(hand.data(), out.data(), type, key)) return "!";
  std::vector<int> values;
  for (std::uint8_t b : out)
    if (b != 0) values.push_back(b);
  std::sort(values.begin(), values.end());
  std::string s;
  for (int v : values) s += RankOf(v);
  return s;
}

}  // namespace

TEST(ClueCardSearch, FinderTable) {
  struct Row { const char* hand; int type; int key; const char* found; };
  const Row rows[] = {
      // singles: held once first, then broken out of pairs, triples, bombs
      {"3 66 K 2", 1, 5, "K"},
      {"3 66 K 2", 1, 13, "2"},
      {"3 66 K 2", 1, 20, "!"},        // the pair of 6s is lower
      {"3 66 TTT", 1, 9, "T"},
      {"3333 5", 1, 20, "3333"},        // nothing above: the lowest bomb
      {"w 4", 1, 20, "w"},
      {"W 4", 1, 25, "W"},
      // pairs, triples
      {"66 777 8888", 32, 5, "66"},
      {"66 777 8888", 32, 6, "77"},
      {"66 777 8888", 32, 7, "88"},
      {"66 777 8888", 32, 8, "8888"},
      {"w W 4", 32, 5, "wW"},          // no pair, no bomb: the rocket
      {"3 4 5", 32, 5, "!"},
      {"666 7777", 48, 5, "666"},
      {"666 7777", 48, 6, "777"},
      // triple with a single or a pair
      {"3 666", 49, 5, "3666"},
      {"666 7", 49, 5, "6667"},
      {"666 33", 49, 5, "3666"},        // the kicker out of a pair
      {"6666", 49, 5, "6666"},          // no card of another value: the bomb
      {"666 8 99", 50, 5, "66699"},
      {"666 7", 50, 5, "!"},
      // chains: the new chain starts above the old chain's start
      {"4 5 6 7 8 9 T J Q K", 21, 7, "45678"},
      {"4 5 6 7 8 9 T J Q K", 21, 8, "56789"},
      {"T J Q K A 2", 21, 14, "!"},
      {"3 4 5 6 7 8 9", 22, 8, "456789"},
      {"44 55 66 77", 35, 5, "445566"},
      {"44 55 66 77", 35, 6, "556677"},
      {"44 55 66 77", 35, 7, "!"},
      {"555 666 7777", 59, 4, "555666"},
      {"555 666 7777", 59, 6, "666777"},
      // four with two: the wings never come out of a bomb
      {"3 4 6666 88", 66, 5, "346666"},
      {"6666 w W", 66, 5, "6666wW"},
      {"33 44 6666", 67, 5, "33446666"},
      {"33 6666", 67, 5, "6666"},
      {"3333 6666 8", 66, 5, "3333"},    // one value outside the bombs: the lowest bomb
      // planes with wings: the lowest values outside the chain
      {"3 555 666 9", 96, 4, "35556669"},
      {"33 555 666 99", 97, 4, "3355566699"},
      {"444 555 666 777 8 9", 98, 5, "444555666789"},
      {"444 555 666", 96, 4, "!"},
      // bombs and the rocket
      {"4444 6666 w W", 112, 5, "6666"},
      {"4444 6666 w W", 112, 6, "wW"},
      {"4444 6666 w W", 113, 26, "!"},   // nothing beats the rocket
      {"33333", 114, 3, "!"},
      {"4444 6666", 2, 3, "!"},          // not a type of the table
      {"4444 6666", 0, 3, "!"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.hand) + " type " + std::to_string(r.type) + " key " + std::to_string(r.key));
    EXPECT_EQ(SearchRanks(HandBytes(Cards(r.hand)), r.type, r.key), r.found);
  }
}

TEST(ClueCardSearch, ReadsTheLocalServersJokersAndSkipsWhatIsNoCard) {
  std::array<std::uint8_t, 20> hand{};
  hand[0] = 144;  // small joker with suit bits 4
  hand[1] = 177;  // big joker with suit bits 5
  hand[2] = 19;   // no card
  hand[3] = 3;
  EXPECT_EQ(SearchRanks(hand, 32, 3), "wW");
  EXPECT_EQ(SearchRanks(hand, 1, 3), "w");
}

TEST(ClueCardSearch, ResultBytesAreCardValues) {
  // A is 14, the 2 is 15 and the jokers 16 and 17 in the answer (engine 14, 20, 25, 26).
  ClueCardSearch search;
  std::array<std::uint8_t, 20> out{};
  const auto hand = HandBytes(Cards("A 2 w W"));
  ASSERT_TRUE(search.Search(hand.data(), out.data(), 1, 13));
  EXPECT_EQ(out[0], 14);
  ASSERT_TRUE(search.Search(hand.data(), out.data(), 1, 14));
  EXPECT_EQ(out[0], 15);
  ASSERT_TRUE(search.Search(hand.data(), out.data(), 112, 20));
  EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + 3), (std::vector<int>{16, 17, 0}));
}

class ClueCardHintCycle : public ::testing::Test {
 protected:
  void SetUp() override { ResetHintCycle(); }
  void TearDown() override { ResetHintCycle(); }

  // One press: the suggestion's ranks, "" for true with an empty suggestion, "!" for false.
  static std::string Press(const char* lastPlay, const char* hand) {
    std::vector<CardCode> out{99};
    if (!ClueCard::Hint(out, Cards(lastPlay), Cards(hand))) return out.empty() ? "!" : "!dirty";
    return Ranks(out);
  }
};

TEST_F(ClueCardHintCycle, PressesTable) {
  struct Row { const char* name; const char* last; const char* hand; std::vector<std::string> presses; };
  const std::vector<Row> rows = {
      {"singles up to the 2, then empty, then again", "5", "3 66 K 2", {"K", "2", "", "K", "2"}},
      {"a pair out of a bomb, then the bomb", "44", "3 7777", {"77", "7777", "", "77"}},
      {"bombs, then the rocket, then empty", "99", "3 5 7777 8888 w W", {"7777", "8888", "wW", "", "7777"}},
      {"straight moving up", "34567", "4 5 6 7 8 9 T J Q K",
       {"45678", "56789", "6789T", "789TJ", "89TJQ", "9TJQK", "", "45678"}},
      {"triple with a single", "333 4", "555 6 777 8", {"5556", "6777", "", "5556"}},
      {"pair straight, then a bomb", "334455", "44 55 66 77 9999", {"445566", "556677", "9999", "", "445566"}},
      {"nothing beats: false on every press", "2", "3 4", {"!", "!"}},
      {"the rocket on the table", "wW", "3333 2222", {"!"}},
      {"leading: no hint", "", "3 4 5", {"!"}},
      {"an invalid play on the table", "34", "5 6", {"!"}},
      {"empty hand", "3", "", {"!"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    ResetHintCycle();
    for (std::size_t i = 0; i < r.presses.size(); ++i) {
      SCOPED_TRACE("press " + std::to_string(i + 1));
      EXPECT_EQ(Press(r.last, r.hand), r.presses[i]);
    }
  }
}

TEST_F(ClueCardHintCycle, StateFollowsTheSuggestionAndResets) {
  std::vector<CardCode> out;
  ASSERT_TRUE(ClueCard::Hint(out, Cards("5"), Cards("3 66 K 2")));
  EXPECT_EQ(g_iLastHintType, 1);
  EXPECT_EQ(g_iLastHintValue, 13);
  ASSERT_TRUE(ClueCard::Hint(out, Cards("5"), Cards("3 66 K 2")));
  EXPECT_EQ(g_iLastHintValue, 20);  // spread form: the 2 is 20
  ResetHintCycle();                 // a new own turn
  EXPECT_EQ(g_iLastHintType, -1);
  EXPECT_EQ(g_iLastHintValue, -1);
  ASSERT_TRUE(ClueCard::Hint(out, Cards("5"), Cards("3 66 K 2")));
  EXPECT_EQ(Ranks(out), "K");
}

TEST_F(ClueCardHintCycle, SuggestsTheHandsOwnCardsInHandOrder) {
  // K of suit 2 (42) comes before K of suit 0 (12) in the hand given: it is the one taken.
  std::vector<CardCode> out;
  ASSERT_TRUE(ClueCard::Hint(out, Cards("Q"), {2, 42, 12}));
  EXPECT_EQ(out, (std::vector<CardCode>{42}));
  ResetHintCycle();
  ASSERT_TRUE(ClueCard::Hint(out, Cards("QQ"), {12, 2, 42}));
  EXPECT_EQ(out, (std::vector<CardCode>{12, 42}));
}

TEST_F(ClueCardHintCycle, RefusesAHandTheEngineCannotHold) {
  std::vector<CardCode> out;
  EXPECT_FALSE(ClueCard::Hint(out, Cards("3"), Cards("4444 5555 6666 7777 8888 9")));  // 21 cards
  EXPECT_FALSE(ClueCard::Hint(out, Cards("3"), {29, 4}));  // 29 names no card
  // The same card twice (one deck): six 5s would come back as a plane with
  // the four 5s as two pairs of wings, which is no play.
  EXPECT_FALSE(ClueCard::Hint(out, Cards("555 666 77 AA"), {4, 19, 34, 49, 19, 4, 5, 20, 35, 6, 21, 36}));
  EXPECT_EQ(g_iLastHintType, -1);
}

TEST(ClueCardSmartSelect, Table) {
  // result: the completed selection's ranks, "!" for false.
  struct Row { const char* name; const char* last; const char* hand; const char* selected; const char* result; };
  const Row rows[] = {
      {"leading: straight inside a drag", "", "3 4 5 6 7 9 K", "3 4 5 6 7 9", "34567"},
      {"leading: the whole run", "", "3 4 5 6 7 8", "3 4 5 6 7 8", "345678"},
      {"leading: pair straight using every card", "", "33 44 55 9", "33 44 55", "334455"},
      {"leading: pair straight leaving a card out", "", "33 44 55 6", "33 44 55 6", "!"},
      {"leading: fewer than five cards", "", "3 4 5 6", "3 4 5 6", "!"},
      {"leading: one card", "", "3 4 5 6 7", "3", "!"},
      {"tap completes a pair", "44", "3 77 9", "7", "77"},
      {"tap not above the pair", "99", "3 77 9", "7", "!"},
      {"tap with no second card", "44", "3 7 9", "7", "!"},
      {"tap completes the triple of a triple with a single", "444 3", "5 888", "8", "888"},
      {"tap completes a triple", "444", "3 888 9", "8", "888"},
      {"tap short of a triple", "444", "88 5", "8", "!"},
      {"tap starts a straight", "34567", "8 9 T J Q K", "8", "89TJQ"},
      {"tap: straight up to A", "34567", "T J Q K A 2", "T", "TJQKA"},
      {"tap: the 2 never chains", "34567", "J Q K A 2", "J", "!"},
      {"tap: the lowest card must be above the straight's top", "34567", "5 6 7 8 9", "5", "!"},
      {"tap against a single", "5", "9 T", "9", "!"},
      {"tap a joker against a pair of 2s", "22", "w W", "w", "!"},
      {"following: drag completes to a straight, not compared", "44", "8 9 T J Q", "8 9 T J Q", "89TJQ"},
      {"following: drag of a pair straight", "334455", "66 77 88", "66 77 88", "667788"},
      {"following: drag with no chain", "44", "55 6", "55 6", "!"},
      {"following an invalid play", "34", "3 77 9", "7", "!"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<CardCode> out{99};
    const bool ok = ClueCard::SmartSelect(out, Cards(r.last), Cards(r.hand), Cards(r.selected));
    EXPECT_EQ(ok ? Ranks(out) : std::string("!"), r.result);
    if (!ok) {
      EXPECT_TRUE(out.empty());
    }
  }
}

TEST(ClueCardSmartSelect, TappedCardLeadsAndTheHandsCardsFollow) {
  // The tapped 7 of suit 1 (21) stays first; the other 7 comes from the hand.
  std::vector<CardCode> out;
  ASSERT_TRUE(ClueCard::SmartSelect(out, Cards("44"), Cards("3 77 9"), {21}));
  EXPECT_EQ(out, (std::vector<CardCode>{21, 6}));
}

TEST_F(ClueCardHintCycle, EverySuggestionIsTheHandsOwnAndBeatsTheLastOne) {
  // Seeded random hands of 1 to 20 cards against random plays on the table
  // (runs of values, each held 1 to 4 times, kept when they classify). Every
  // press of a cycle suggests cards of the hand, each once, that make a play
  // beating the play on the table (first press) or the previous suggestion.
  std::uint32_t state = 2024;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
  };
  std::vector<CardCode> deck;
  for (int suit = 0; suit < 4; ++suit)
    for (int index = 0; index < 13; ++index) deck.push_back(suit * 15 + index);
  deck.push_back(kSmallJokerCode);
  deck.push_back(kBigJokerCode);
  const auto shuffled = [&] {
    std::vector<CardCode> d = deck;
    for (std::size_t i = d.size(); i > 1; --i) std::swap(d[i - 1], d[static_cast<std::size_t>(next()) % i]);
    return d;
  };
  for (int round = 0; round < 3000; ++round) {
    SCOPED_TRACE(round);
    std::vector<CardCode> d = shuffled();
    const std::vector<CardCode> hand(d.begin(), d.begin() + 1 + next() % 20);
    // The table's play: a run of values from the rest of the deck.
    std::vector<CardCode> last;
    CardTypeInfo lastType;
    for (int tries = 0; tries < 50 && lastType.type == CardType::Invalid; ++tries) {
      last.clear();
      const int low = 3 + next() % 13, width = 1 + next() % 6;
      for (int v = low; v < low + width; ++v) {
        const int times = 1 + next() % 4;
        for (auto it = d.begin() + static_cast<long>(hand.size()); it != d.end() && 
             static_cast<int>(std::count_if(last.begin(), last.end(), [&](CardCode c) { return CodeToValue(c) == v; })) < times; ++it)
          if (CodeToValue(*it) == v) last.push_back(*it);
      }
      if (next() % 3 == 0) last.push_back(d.back());  // a wing or a stray card
      if (!ClueCard::GetCardType(lastType, last)) lastType = CardTypeInfo{};
    }
    if (lastType.type == CardType::Invalid) continue;
    ResetHintCycle();
    CardTypeInfo beat = lastType;
    for (int press = 0; press < 6; ++press) {
      SCOPED_TRACE(::testing::Message() << "press " << press << " hand " << Ranks(hand) << " table " << Ranks(last));
      std::vector<CardCode> out;
      if (!ClueCard::Hint(out, last, hand) || out.empty()) break;
      for (CardCode c : out) {
        EXPECT_EQ(std::count(hand.begin(), hand.end(), c), 1);
        EXPECT_EQ(std::count(out.begin(), out.end(), c), 1);
      }
      CardTypeInfo type;
      ASSERT_TRUE(ClueCard::GetCardType(type, out)) << Ranks(out);
      ASSERT_GE(ClueCard::CompareCardType(type, beat), 1) << Ranks(out);
      beat = type;
    }
  }
}
