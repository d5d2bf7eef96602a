// The Super table's analysis record: split, promote/demote, packing, the group record
// layout, the dispatcher's refusals, the plain finders and the wildcard searchers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "cardlogic/ErClueCardSearch.h"
#include "SuperTestUtil.h"

using namespace ddz;
using namespace ddz::supertest;

namespace {

std::int32_t IntAt(const std::uint8_t* bytes, int offset) {
  return static_cast<std::int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                   static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

class SuperSearch : public ::testing::Test {
 protected:
  void SetUp() override { SearchMode = SuperSearchMode = 1; }
  void TearDown() override { SearchMode = SuperSearchMode = 1; }

  // Runs one search over the hand; the jokers are the wildcards. "" when nothing is found.
  std::string Find(const char* hand, int type, int value, int mode, int modeFlag, const SpecialRuleFlags& rules,
                   bool threeSeat = false) {
    SearchMode = SuperSearchMode = mode;
    const auto bytes = Bytes(hand);
    // The wildcards in hand order: the big joker first.
    std::vector<CardByte> wild;
    for (CardByte joker : {CardByte{17}, CardByte{16}})
      if (std::find(bytes.begin(), bytes.end(), joker) != bytes.end()) wild.push_back(joker);
    ErClueCardSearch search;
    search.SetWildcards(wild);
    ErClueCardSearch::Out out{};
    record = CardGroupRecord{};
    const bool ok = threeSeat ? search.SearchSuper(bytes, out, type, value, modeFlag, &rules, &record)
                              : search.Search(bytes, out, type, value, modeFlag, &rules, &record);
    return ok ? Names(out) : std::string();
  }

  CardGroupRecord record;
};

}  // namespace

TEST(CardGroupRecordLayout, FreshRecordAsTheViewsReadIt) {
  const CardGroupRecord rec;
  std::uint8_t bytes[100];
  static_assert(sizeof(rec) == sizeof(bytes));
  std::memcpy(bytes, &rec, sizeof(bytes));
  EXPECT_EQ(IntAt(bytes, 0), -1);
  EXPECT_EQ(IntAt(bytes, 4), -1);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(IntAt(bytes, 8 + 4 * i), -1) << i;
  for (int i = 88; i < 96; ++i) EXPECT_EQ(bytes[i], 255) << i;
  EXPECT_EQ(IntAt(bytes, 96), 0);
}

TEST_F(SuperSearch, WildcardRecordBytes) {
  // 9-9 and the big joker against a triple of 5: the joker stands for a 9.
  EXPECT_EQ(Find("9 9 BJ 3", CardType::Triple, 5, 2, PlayerCountMode::TwoSeat, Rules({SpecialRule::Wildcard})),
            "9 9 BJ");
  std::uint8_t bytes[100];
  std::memcpy(bytes, &record, sizeof(bytes));
  EXPECT_EQ(bytes[88], 17);  // wildcardCards[0]: the big joker
  EXPECT_EQ(bytes[89], 255);
  EXPECT_EQ(bytes[92], 9);  // substituteValues[0]
  EXPECT_EQ(bytes[93], 255);
  EXPECT_EQ(IntAt(bytes, 96), 1);
  EXPECT_EQ(IntAt(bytes, 0), -1);  // a search fills only the wildcard part
}

TEST(ErClueCardSearchSplit, GroupsAndValueLists) {
  ErClueCardSearch s;
  ASSERT_TRUE(s.Split(Bytes("3 5 5 7 7 7 9 9 9 9 2 SJ BJ")));
  using B = ErClueCardSearch::Bytes;
  EXPECT_EQ(s.groups[0], (B{3, 20, 25, 26}));  // the jokers stay singles ...
  EXPECT_EQ(s.groups[1], (B{5, 5}));
  EXPECT_EQ(s.groups[2], (B{7, 7, 7}));
  EXPECT_EQ(s.groups[3], (B{9, 9, 9, 9}));
  EXPECT_EQ(s.groups[4], (B{25, 26}));  // ... and make the rocket
  EXPECT_EQ(s.distinct, (B{3, 5, 7, 9, 20, 25, 26}));
  EXPECT_EQ(s.pairValues, (B{5, 7, 9}));
  EXPECT_EQ(s.tripleValues, (B{7, 9}));

  ASSERT_TRUE(s.Split(Bytes("A A K SJ")));
  EXPECT_EQ(s.groups[1], (B{14, 14}));
  EXPECT_TRUE(s.groups[4].empty());  // one joker is no rocket
}

TEST(ErClueCardSearchSplit, RefusesWhatIsNoHand) {
  ErClueCardSearch s;
  std::vector<CardByte> longHand = Bytes("3 3 3 3 4 4 4 4 5 5 5 5 6 6 6 6 7 7 7 7");
  ASSERT_TRUE(s.Split(longHand));
  longHand.push_back(CodeToCardByte(7));  // a 21st card
  EXPECT_FALSE(s.Split(longHand));
  EXPECT_TRUE(s.distinct.empty());
  for (const auto& g : s.groups) EXPECT_TRUE(g.empty());

  // Zeros are empty places, not cards.
  std::vector<CardByte> padded = Bytes("5 6");
  padded.resize(40, 0);
  EXPECT_TRUE(s.Split(padded));
  EXPECT_EQ(s.distinct.size(), 2u);

  for (CardByte bad : {CardByte{0x1f}, CardByte{0x13}, CardByte{0xe5}}) {
    EXPECT_FALSE(s.Split(std::vector<CardByte>{5, bad})) << int(bad);
  }
}

TEST(ErClueCardSearchRecord, PromoteAndDemoteRoundTrip) {
  using B = ErClueCardSearch::Bytes;
  // The two-seat record appends: a promoted group, and a value demoted back, go last.
  ErClueCardSearch s;
  ASSERT_TRUE(s.Split(Bytes("3 9 J K K")));
  const auto before = s.groups;
  s.Promote(2, 9);  // a wildcard pairs the 9
  EXPECT_EQ(s.groups[0], (B{3, 11}));
  EXPECT_EQ(s.groups[1], (B{13, 13, 9, 9}));
  s.Promote(1, 5);  // a wildcard makes a 5 out of nothing
  EXPECT_EQ(s.groups[0], (B{3, 11, 5}));
  s.Demote(1, 5);
  s.Demote(2, 9);
  EXPECT_EQ(s.groups[0], (B{3, 11, 9}));
  EXPECT_EQ(s.groups[1], before[1]);
  const auto after = s.groups;
  s.Promote(0, 9);  // out of range: nothing happens
  s.Promote(5, 9);
  EXPECT_EQ(s.groups, after);

  // The three-seat record keeps every list in value order.
  ErClueCardSearch t;
  ErClueCardSearch::Out out{};
  const auto none = Rules({});
  ASSERT_TRUE(t.SearchSuper(Bytes("3 9 J K K"), out, CardType::Single, 3, PlayerCountMode::ThreeSeat, &none, nullptr));
  t.Promote(2, 9);
  EXPECT_EQ(t.groups[1], (B{9, 9, 13, 13}));
  t.Promote(1, 5);
  EXPECT_EQ(t.groups[0], (B{3, 5, 11}));
  t.Demote(1, 5);
  t.Demote(2, 9);
  EXPECT_EQ(t.groups, before);
}

TEST(ErClueCardSearchRecord, PackResultCompactsAndSortsDescending) {
  ErClueCardSearch s;
  ErClueCardSearch::Out out{0, 5, 0, 9, 3, 0, 26};
  EXPECT_EQ(s.PackResult(out), 4);
  EXPECT_EQ(out[0], 26);
  EXPECT_EQ(out[1], 9);
  EXPECT_EQ(out[2], 5);
  EXPECT_EQ(out[3], 3);
  EXPECT_EQ(out[4], 0);
}

TEST_F(SuperSearch, RefusedInputGivesFalseAndNoCards) {
  ErClueCardSearch s;
  ErClueCardSearch::Out out;
  out.fill(7);
  const auto rules = Rules({});
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(s.Search(Bytes("5 6 7"), out, 0, 0, 2, &rules, nullptr));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "error input iNowType=0\n");
  for (auto b : out) EXPECT_EQ(b, 0);

  std::vector<CardByte> tooLong(21, CodeToCardByte(4));
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(s.Search(tooLong, out, CardType::Single, 3, 2, &rules, nullptr));
  ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(s.Search(Bytes("5"), out, CardType::Single, 3, 2, nullptr, nullptr));  // null rules read as none
  EXPECT_EQ(Find("5 6 7", 104, 9, 1, 2, Rules({})), "");  // a type no finder answers
  EXPECT_EQ(Find("5 6 7", 114, 9, 1, 2, Rules({})), "");
}

TEST_F(SuperSearch, WildcardSearchNeedsModeFlagAndRule) {
  EXPECT_EQ(Find("9 9 BJ", CardType::Triple, 5, 2, 2, Rules({SpecialRule::Wildcard})), "9 9 BJ");
  EXPECT_EQ(Find("9 9 BJ", CardType::Triple, 5, 2, 2, Rules({})), "");
  EXPECT_EQ(Find("9 9 BJ", CardType::Triple, 5, 2, PlayerCountMode::ThreeSeat, Rules({SpecialRule::Wildcard}), true),
            "");
}

TEST_F(SuperSearch, LowChainRuleLetsAWildcardBeTheTwoBelowTheThree) {
  // Against A-2-3-4-5 (key 5) a chain must start above the A.
  const auto straight = CardType::Straight(5);
  EXPECT_EQ(Find("3 4 5 6 SJ", straight, 5, 2, 2, Rules({SpecialRule::Wildcard, SpecialRule::LowChain})),
            "6 5 4 3 SJ");
  EXPECT_EQ(record.substituteValues[0], 2);  // the 2 of a chain search is 2
  EXPECT_EQ(Find("3 4 5 6 SJ", straight, 5, 2, 2, Rules({SpecialRule::Wildcard})), "6 5 4 3 SJ");
  EXPECT_EQ(record.substituteValues[0], 7);
}

// ---- plain finders (search mode 1) ---------------------------------------------------

struct FinderCase {
  const char* hand;
  int type;
  int value;
  std::vector<int> rules;
  int modeFlag;
  const char* expect;  // "" = nothing
};

TEST_F(SuperSearch, PlainFinders) {
  const FinderCase cases[] = {
      // single: the lowest group kind that can give it
      {"3 10 10 K", 1, 9, {}, 2, "K"},
      {"3 10 10 8", 1, 9, {}, 2, "10"},
      {"3 4 SJ BJ", 1, 25, {}, 2, "BJ"},
      // pair: pairs, then triples, then fours
      {"5 5 5 7 7", 32, 4, {}, 2, "7 7"},
      {"5 5 5 7 7", 32, 7, {}, 2, ""},
      {"4 4 4 4 9", 32, 5, {}, 2, "4 4 4 4"},  // only the bomb beats it
      // triple, triple with one, triple with two
      {"6 6 6 6 8 8 8", 48, 5, {}, 2, "8 8 8"},
      {"7 7 7 3 9 9", 49, 5, {}, 2, "7 7 7 3"},
      {"7 7 7 9 9", 49, 5, {}, 2, "7 7 7 9"},
      {"7 7 7 3 4 9 9", 50, 5, {}, 2, "7 7 7 9 9"},
      {"7 7 7 3 4 9 9", 50, 5, {SpecialRule::TripleTakesTwo}, 2, "7 7 7 3 4"},
      {"7 7 7 3 9 9", 50, 5, {SpecialRule::TripleTakesTwo}, 2, "7 7 7 9 9"},
      // chains above the old start
      {"4 5 6 7 8 9 K", 21, 7, {}, 2, "4 5 6 7 8"},
      {"4 5 6 7 8 9 K", 21, 8, {}, 2, "5 6 7 8 9"},
      {"4 5 6 7 8 9 K", 21, 9, {}, 2, ""},
      {"5 5 6 6 9 9 10 10", 34, 4, {}, 2, "5 5 6 6"},
      {"5 5 6 6 7 7 8 8", 35, 6, {}, 2, "5 5 6 6 7 7"},
      {"5 5 6 6 7 7 8 8", 35, 7, {}, 2, "6 6 7 7 8 8"},
      {"8 8 8 9 9 9 4", 59, 7, {}, 2, "8 8 8 9 9 9"},
      // four with two
      {"9 9 9 9 3 5 K", 66, 6, {}, 2, "9 9 9 9 3 5"},
      {"9 9 9 9 3 3 5 5 K", 67, 6, {}, 2, "9 9 9 9 3 3 5 5"},
      {"9 9 9 9 3 3", 66, 6, {}, 2, "9 9 9 9"},  // no two kickers: the bomb
      // ... only when the hand holds two single cards (66) or a pair (67); the kickers
      // then come from the lowest groups, the singles or pairs first
      {"9 9 9 9 3 5 5", 66, 6, {}, 2, "9 9 9 9"},
      {"9 9 9 9 3 3 5 6", 66, 6, {}, 2, "9 9 9 9 5 6"},
      {"9 9 9 9 3 3 3 5 5 5", 67, 6, {}, 2, "9 9 9 9"},
      {"9 9 9 9 4 4 3 3 3", 67, 6, {}, 2, "9 9 9 9 4 4 3 3"},
      // planes with wings
      {"8 8 8 9 9 9 3 4 K", 96, 5, {}, 2, "8 8 8 9 9 9 3 4"},
      {"8 8 8 9 9 9 3 3 4 4 K", 97, 5, {}, 2, "8 8 8 9 9 9 3 3 4 4"},
      {"8 8 8 9 9 9 3 4 Q K", 97, 5, {SpecialRule::PlaneAnyWings}, 2, "8 8 8 9 9 9 3 4 Q K"},
      {"8 8 8 9 9 9 3 4 K", 97, 5, {SpecialRule::PlaneAnyWings}, 2, ""},
      // bombs, triple bomb and rocket
      {"6 6 6 6 SJ BJ", 112, 5, {}, 2, "6 6 6 6"},
      {"6 6 6 6 SJ BJ", 112, 6, {}, 2, "SJ BJ"},
      {"6 6 6 6 SJ BJ", 113, 26, {}, 2, ""},
      {"3 3 3 4", 32, 5, {SpecialRule::TripleBomb}, 1, "3 3 3"},
      {"3 3 3 4", 32, 5, {SpecialRule::TripleBomb}, 2, ""},
      {"3 3 3 7 7 7", 105, 5, {SpecialRule::TripleBomb}, 1, "7 7 7"},
      {"3 3 3 4 4 4 4", 105, 5, {SpecialRule::TripleBomb}, 1, "4 4 4 4"},
      {"7 7 7 8 8 8 8", 112, 5, {SpecialRule::TripleBomb}, 1, "8 8 8 8"},
  };
  for (const auto& c : cases) {
    SpecialRuleFlags rules;
    for (int r : c.rules) rules.bytes[r] = 1;
    EXPECT_EQ(Find(c.hand, c.type, c.value, 1, c.modeFlag, rules), c.expect)
        << c.hand << " against type " << c.type << " key " << c.value;
  }
}

TEST_F(SuperSearch, NaturalTwoBeginsChainsOnlyWhereTheClassifierReadsThem) {
  const auto low = Rules({SpecialRule::LowChain});
  // A-2-3-4-5 (key 5) on the table: 2-3-4-5-6 beats it on the three-seat table.
  EXPECT_EQ(Find("2 3 4 5 6 9", 21, 5, 1, PlayerCountMode::ThreeSeat, low, true), "2 3 4 5 6");
  EXPECT_EQ(Find("2 3 4 5 6 9", 21, 5, 1, PlayerCountMode::ThreeSeat, Rules({}), true), "");
  EXPECT_EQ(Find("2 3 4 5 6 9", 21, 5, 1, PlayerCountMode::TwoSeat, low), "");
}

TEST_F(SuperSearch, PlaneWingsAreTheFirstValuesOfTheChainLists) {
  // Where a 2 stands below the 3 in the chain lists it is also the lowest wing.
  const auto low = Rules({SpecialRule::LowChain});
  const int three = PlayerCountMode::ThreeSeat;
  EXPECT_EQ(Find("8 8 8 9 9 9 2 3 K", 96, 5, 1, three, low, true), "8 8 8 9 9 9 2 3");
  EXPECT_EQ(Find("8 8 8 9 9 9 2 2 4 4 K K", 97, 5, 1, three, low, true), "8 8 8 9 9 9 2 2 4 4");
  EXPECT_EQ(Find("8 8 8 9 9 9 2 3 K", 96, 5, 1, three, Rules({}), true), "8 8 8 9 9 9 3 K");
  EXPECT_EQ(Find("8 8 8 9 9 9 2 3 K", 96, 5, 1, PlayerCountMode::TwoSeat, low), "8 8 8 9 9 9 3 K");
}

// ---- wildcard searchers (search mode 2) ----------------------------------------------

struct WildCase {
  const char* hand;
  int type;
  int value;
  std::vector<int> rules;  // Wildcard is always on
  int modeFlag;
  const char* expect;
  std::vector<int> substitutes;  // engine values, in the order the jokers are used
};

TEST_F(SuperSearch, WildcardSearchers) {
  const WildCase cases[] = {
      // group family
      {"9 SJ 3", 32, 5, {}, 2, "9 SJ", {9}},
      {"2 SJ", 32, 14, {}, 2, "2 SJ", {20}},
      {"9 9 BJ 3", 48, 5, {}, 2, "9 9 BJ", {9}},
      {"6 SJ BJ", 48, 5, {}, 2, "6 BJ SJ", {6, 6}},
      {"9 SJ BJ", 48, 9, {}, 2, "", {}},
      {"9 9 3 BJ", 49, 5, {}, 2, "9 9 3 BJ", {9}},
      {"5 5 SJ BJ", 49, 4, {}, 2, "SJ 5 5 BJ", {5}},  // the other joker is the kicker
      {"5 SJ BJ", 49, 4, {}, 2, "", {}},              // a joker standing for a 5 is no kicker
      {"9 9 4 4 BJ", 50, 5, {}, 2, "9 9 4 4 BJ", {9}},
      {"9 9 3 4 BJ", 50, 5, {SpecialRule::TripleTakesTwo}, 2, "9 9 4 3 BJ", {9}},
      {"9 9 9 3 5 BJ", 66, 6, {}, 2, "9 9 9 5 3 BJ", {9}},
      {"9 9 9 3 5 5 BJ", 66, 6, {}, 2, "9 9 9 BJ", {9}},  // one single: the four alone
      {"7 7 7 BJ", 112, 5, {}, 2, "7 7 7 BJ", {7}},
      {"7 7 7 BJ", 112, 7, {}, 2, "", {}},
      {"8 8 SJ", 105, 5, {SpecialRule::TripleBomb}, 1, "8 8 SJ", {8}},
      {"8 8 SJ 3", 112, 5, {SpecialRule::TripleBomb}, 1, "", {}},  // a triple bomb cannot beat a four
      {"7 7 7 BJ 3", 32, 20, {}, 2, "7 7 7 BJ", {7}},  // bomb fallback
      {"7 7 7 BJ 3", 1, 20, {}, 2, "7 7 7 BJ", {7}},
      {"6 6 SJ 3", 1, 20, {SpecialRule::TripleBomb}, 1, "6 6 SJ", {6}},
      // chain family
      {"4 5 7 8 BJ", 21, 7, {}, 2, "8 7 5 4 BJ", {6}},
      {"4 4 5 6 6 BJ", 35, 5, {}, 2, "6 6 5 4 4 BJ", {5}},
      {"8 8 8 9 9 BJ", 59, 7, {}, 2, "9 9 8 8 8 BJ", {9}},
      {"8 8 8 9 9 3 4 BJ", 96, 7, {}, 2, "9 9 8 8 8 4 3 BJ", {9}},
      {"5 6 7 8 SJ BJ", 21, 7, {}, 2, "8 7 6 5 BJ", {4}},
      {"5 7 9 SJ BJ", 21, 7, {}, 2, "9 7 5 BJ SJ", {8, 6}},
  };
  for (const auto& c : cases) {
    SpecialRuleFlags rules = Rules({SpecialRule::Wildcard});
    for (int r : c.rules) rules.bytes[r] = 1;
    EXPECT_EQ(Find(c.hand, c.type, c.value, 2, c.modeFlag, rules), c.expect)
        << c.hand << " against type " << c.type << " key " << c.value;
    std::vector<int> subs;
    for (int i = 0; i < record.wildcardCount; ++i) subs.push_back(record.substituteValues[i]);
    EXPECT_EQ(subs, c.substitutes) << c.hand << " against type " << c.type;
  }
}

TEST_F(SuperSearch, TwoSeatKickersFollowTheListsAsTriedSubstitutionsLeftThem) {
  // Trying the 3 as a pair and taking it back leaves it last among the two-seat
  // singles, so the K is the kicker there; the three-seat record keeps the 3 first.
  const auto rules = Rules({SpecialRule::Wildcard});
  EXPECT_EQ(Find("3 9 9 K BJ", 49, 5, 2, PlayerCountMode::TwoSeat, rules), "K 9 9 BJ");
  EXPECT_EQ(Find("3 9 9 K BJ", 49, 5, 2, PlayerCountMode::ThreeSeatWildcard, rules, true), "9 9 3 BJ");
}

TEST_F(SuperSearch, WildcardsAreHandedOutInOrderInnermostFirst) {
  // 6 with both jokers against a triple of 5: both jokers stand for a 6.
  EXPECT_EQ(Find("6 SJ BJ", 48, 5, 2, 2, Rules({SpecialRule::Wildcard})), "6 BJ SJ");
  EXPECT_EQ(record.wildcardCount, 2);
  EXPECT_EQ(record.wildcardCards[0], 17);  // the first wildcard (hand order) for the innermost
  EXPECT_EQ(record.wildcardCards[1], 16);
  EXPECT_EQ(record.wildcardCards[2], 255);
}
