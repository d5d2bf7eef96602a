// The computer player's move on crafted tables: a hand, a role, what the other
// seats hold, the play to beat and the scripted draws -> the move it makes.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/HandText.h"
#include "cardlogic/PlayerCard.h"
#include "platform/os/Random.h"

using namespace ddz;

namespace {

constexpr int kSentinel = 4242;  // pushed after a row's draws: must be left over

struct Play {
  int code = Combo::None;  // None: a pass
  int low = 0;
  int high = 0;
  std::vector<int> wings;
};

Play P(int code, int low, int high = 0, std::vector<int> wings = {}) { return {code, low, high == 0 ? low : high, wings}; }
const Play kPass{};

// The deciding seat is seat 0; seats 1 and 2 follow it in play order. Roles
// follow from seat 0's: the landlord is role 0, the seat after it role 1.
struct Table {
  const char* what;
  const char* hand;   // seat 0
  int role;           // of seat 0
  int cards1;         // cards held by seat 1 and seat 2 (low filler cards)
  int cards2;
  Play last;          // None: seat 0 leads
  int by = 1;         // seat that made the last play
  std::vector<int> draws;
  Play expected;
  const char* seen = "";  // cards seat 1 has played, noted by seat 0
  std::array<int, 3> bottom{};
  int wish = -1;                   // when set, seat 0 is dealt with this bid wish,
  std::vector<int> bidDraws = {};  // drawn from these
  int prevBy = -1;                 // seat that played before the last play
};

std::string Filler(int n) { return std::string("33334444555566667777" "8888").substr(0, static_cast<std::size_t>(n)); }

class PlayChoice : public ::testing::Test {
 protected:
  // Sets the table up and returns the seat's answer; the record is left in last_.
  bool Run(const Table& t) {
    for (auto& s : seats_) s = std::make_unique<CPlayerCard>();
    const int landlord = (3 - t.role) % 3;
    for (int c = 0; c < 3; ++c) Seat(c).SetRole((c - landlord + 3) % 3);

    for (int d : t.bidDraws) draws_.Push(d);
    const auto cards = ddz::testing::PickCards(deck_, t.hand);
    EXPECT_TRUE(Seat(0).SetCards(cards, t.bottom, t.wish >= 0));
    if (t.wish >= 0) {
      EXPECT_EQ(Seat(0).GetBidWish(), t.wish);
    }
    EXPECT_TRUE(ddz::testing::GiveHand(Seat(1), deck_, Filler(t.cards1)));
    EXPECT_TRUE(ddz::testing::GiveHand(Seat(2), deck_, Filler(t.cards2)));
    for (int v : ddz::testing::ParseValues(t.seen)) {
      CombinationRecord single;
      single.iType = Combo::Single;
      single.iLow = single.iHigh = v;
      EXPECT_TRUE(Seat(0).RecordSeenCards(&Seat(1), &single));
    }
    EXPECT_EQ(draws_.Remaining(), 0u) << "bid draws left over";

    last_ = CombinationRecord{};
    last_.iType = t.last.code;
    last_.iLow = t.last.low;
    last_.iHigh = t.last.high;
    for (std::size_t k = 0; k < t.last.wings.size(); ++k) last_.iWings[k] = t.last.wings[k];
    if (!t.last.wings.empty())
      last_.iWingKind = t.last.code == Combo::PlanePairs || t.last.code == Combo::FourTwoPairs ||
                                t.last.code == Combo::TriplePair
                            ? kWingPairs
                            : kWingSingles;
    const bool leading = t.last.code == Combo::None;
    last_.pPlayer = leading ? nullptr : &Seat(t.by);
    last_.pPrevPlayer = t.prevBy >= 0 ? &Seat(t.prevBy) : nullptr;

    for (int d : t.draws) draws_.Push(d);
    draws_.Push(kSentinel);
    const bool played = Seat(0).SearchPlay(&last_, leading, &Seat(0), &Seat(1), &Seat(2));
    EXPECT_EQ(draws_.Remaining(), 1u) << "draws used";
    while (draws_.Remaining() > 0) draws_.Next();
    return played;
  }

  void Check(const Table& t) {
    SCOPED_TRACE(t.what);
    const int cardsBefore = static_cast<int>(ddz::testing::ParseValues(t.hand).size());
    const bool played = Run(t);
    if (t.expected.code == Combo::None) {
      EXPECT_FALSE(played) << "played code " << last_.iType << " " << last_.iLow << "-" << last_.iHigh;
      EXPECT_EQ(last_.iType, t.last.code);
      EXPECT_EQ(Seat(0).GetCardCount(), cardsBefore);
      return;
    }
    ASSERT_TRUE(played) << "passed";
    EXPECT_EQ(last_.iType, t.expected.code);
    EXPECT_EQ(last_.iLow, t.expected.low);
    EXPECT_EQ(last_.iHigh, t.expected.high);
    std::vector<int> wings;
    for (int w : last_.iWings)
      if (w != 0) wings.push_back(w);
    EXPECT_EQ(wings, t.expected.wings);
    EXPECT_EQ(last_.pPlayer, &Seat(0));
    EXPECT_EQ(Seat(0).GetCardCount(), cardsBefore - CPlayerCard::GetCombinationCardCount(&last_));
  }

  os::ScriptedRandom draws_;
  os::ScopedRandomSource guard_{draws_};
  CPoker deck_{DeckSeeding::None};
  CPlayerCard& Seat(int i) { return *seats_[i]; }
  std::array<std::unique_ptr<CPlayerCard>, 3> seats_;
  CombinationRecord last_;
};

}  // namespace

// Leading: one draw (r) per call. Hands of 17 filler cards keep the
// opponents far from done unless a row says otherwise.
TEST_F(PlayChoice, Leads) {
  const Table rows[] = {
      {"a plane with as many loose singles as triples takes them all as wings", "333444 7 9 KK", 0, 17, 17, {}, 1,
       {50}, P(Combo::PlaneSingles, 3, 4, {7, 9})},
      {"one turn left: the plane and its singles go out together", "333444 7 9", 0, 17, 17, {}, 1, {50},
       P(Combo::PlaneSingles, 3, 4, {7, 9})},
      {"a plane of three with one loose card gives up its top triple as a wing", "333444555 9", 0, 17, 17, {}, 1,
       {50}, P(Combo::PlaneSingles, 3, 4, {5, 9})},
      {"partner down to one card: the lowest card as a single, out of a pair", "55 88 KKK A", 1, 1, 17, {}, 1, {50},
       P(Combo::Single, 5)},
      {"one low single and one low pair up to K: the K pair below 70", "4 KK 789Tj", 0, 17, 17, {}, 1, {69},
       P(Combo::Pair, 13)},
      {"one low single and one low pair up to K: else the lower", "4 KK 789Tj", 0, 17, 17, {}, 1, {70},
       P(Combo::Single, 4)},
      {"nothing but bombs: the first bomb not of 2s", "3333 xX", 0, 17, 17, {}, 1, {50}, P(Combo::Bomb, 3)},
      {"opponent on one card: a pair before any low single", "3 5 9 KK", 0, 1, 17, {}, 1, {50},
       P(Combo::Pair, 13)},
      {"landlord, a farmer on one card, only singles: the second lowest", "3 5 9 K", 0, 1, 17, {}, 1, {50},
       P(Combo::Single, 5)},
      {"landlord on two cards: the lowest single from J up", "4 7 Q A 99", 1, 10, 2, {}, 1, {50},
       P(Combo::Single, 12)},
      {"landlord on two cards holding a bottom joker: the lowest pair", "4 7 Q A 99", 1, 10, 2, {}, 1, {50},
       P(Combo::Pair, 9), "", {kValueSmallJoker, 5, 6}},
      {"the bottom joker has come out: singles again", "4 7 Q A 99", 1, 10, 2, {}, 1, {50}, P(Combo::Single, 12),
       "x", {kValueSmallJoker, 5, 6}},
      {"two singles, one a joker: the other first", "3 X", 0, 17, 17, {}, 1, {50}, P(Combo::Single, 3)},
      {"two triples keep the lone low single for both: the first goes bare", "333 777 5 2 X", 0, 17, 17, {}, 1,
       {50}, P(Combo::Triple, 3)},
      {"many low singles: the lowest below 90", "3 5 7 9 j K", 2, 17, 17, {}, 1, {89}, P(Combo::Single, 3)},
      {"a weak farmer before the landlord: its highest single up to 10", "3 5 7 9 j K", 2, 17, 17, {}, 1, {95},
       P(Combo::Single, 9)},
      {"two turns, one the rocket: the rocket first", "22 x X", 0, 17, 17, {}, 1, {50}, P(Combo::Rocket, 17)},
  };
  for (const auto& t : rows) Check(t);
}

// Following: one draw (r), then one per opponent (a farmer draws for the
// landlord, the landlord for each farmer; seat order).
TEST_F(PlayChoice, Follows) {
  const Table rows[] = {
      {"a rocket is never answered", "3333 2222", 0, 17, 17, P(Combo::Rocket, 17), 1, {50, 0, 0}, kPass},
      {"a low single beaten by the lowest loose single above", "3 7 9 K 44 QQ", 0, 17, 17, P(Combo::Single, 5), 1,
       {50, 0, 0}, P(Combo::Single, 7)},
      {"the partner's single leaves it one card: pass", "9 K 55 77 jj", 2, 10, 1, P(Combo::Single, 5), 2,
       {50, 99}, kPass},
      {"the partner holds two: a middling single over it", "9 K 55 77 jj", 2, 10, 2, P(Combo::Single, 5), 2,
       {50, 99}, P(Combo::Single, 13)},
      {"the whole hand is a higher triple with a single", "999 4", 0, 10, 10, P(Combo::TripleSingle, 7, 7, {3}), 1,
       {50, 99, 99}, P(Combo::TripleSingle, 9, 9, {4})},
      {"a pair: the lowest loose pair above", "3 9 44 88 KK", 1, 17, 17, P(Combo::Pair, 6), 2, {50, 99},
       P(Combo::Pair, 8)},
      {"a pair of 2s is not followed by pairs", "3 9 44 88 KK", 1, 17, 17, P(Combo::Pair, 15), 2, {50, 99}, kPass},
      {"a straight of the same length, taken whole", "56789 jj", 1, 17, 17, P(Combo::Straight, 3, 7), 2, {50, 99},
       P(Combo::Straight, 5, 9)},
      {"a longer straight gives its lowest part that beats", "6789Tj 44 QQ", 2, 17, 17, P(Combo::Straight, 3, 7), 1,
       {50, 99}, P(Combo::Straight, 6, 10)},
      {"the partner's straight: no longer straight is broken for it", "6789Tj 44 QQ", 2, 17, 17,
       P(Combo::Straight, 3, 7), 2, {50, 99}, kPass},
      {"a triple with a single: the list triple above and the lowest single", "888 4 9 KK", 1, 17, 17,
       P(Combo::TripleSingle, 5, 5, {3}), 2, {50, 99}, P(Combo::TripleSingle, 8, 8, {4})},
      {"triples of 2s are not followed", "888 4 9 KK", 1, 17, 17, P(Combo::Triple, 15), 2, {50, 99}, kPass},
      {"a bomb against a bomb when strong and the landlord is near", "9999 22 4 7", 1, 17, 5, P(Combo::Bomb, 5), 2,
       {50, 99}, P(Combo::Bomb, 9), "", {}, 3, {99}},
      {"no bomb against a bomb while the landlord is far", "9999 22 4 7", 1, 17, 12, P(Combo::Bomb, 5), 2,
       {50, 99}, kPass, "", {}, 3, {99}},
      {"the landlord cannot follow the partner's longer play: pass", "4 6 Q 888", 2, 2, 2,
       P(Combo::Triple, 5), 2, {50, 99}, kPass},
      {"... which the seat covers when the landlord holds more", "4 6 Q 888", 2, 4, 2, P(Combo::Triple, 5), 2,
       {50, 99}, P(Combo::Triple, 8)},
      {"a strong farmer before the landlord answers a low single with a 2", "22 33 55 77", 2, 17, 17,
       P(Combo::Single, 9), 1, {50, 99}, P(Combo::Single, 15), "", {}, 3},
      {"a four with two singles under threat: a higher four and the lowest singles", "9999 4 6 K", 1, 17, 5,
       P(Combo::FourTwoSingles, 5, 5, {3, 7}), 2, {50, 0}, P(Combo::FourTwoSingles, 9, 9, {4, 6})},
      {"a four with two singles without threat: no answer", "9999 4 6 K", 1, 17, 12,
       P(Combo::FourTwoSingles, 5, 5, {3, 7}), 2, {50, 99}, kPass},
      {"a single 2: the small joker when the big one is not held", "x 3 5 7 9", 1, 17, 17, P(Combo::Single, 15), 2,
       {50, 99}, P(Combo::Single, 16)},
      {"the small joker: the big joker", "X 3 5 7", 1, 17, 17, P(Combo::Single, 16), 2, {50, 99},
       P(Combo::Single, 17)},
      {"the partner covered this seat's single: pass", "9 K 55 77 jj", 2, 10, 17, P(Combo::Single, 8), 2,
       {50, 99}, kPass, "", {}, -1, {}, 0},
  };
  for (const auto& t : rows) Check(t);
}

// A plane that is all the list holds, with nothing low loose, takes its wings
// from the 2s and jokers; when they are too few it goes out bare, the high
// cards kept back, never a half-winged plane refused in favour of a 2 or a joker.
TEST_F(PlayChoice, LeadsALonePlaneBareWhenTheHighCardsCannotWingIt) {
  const Table rows[] = {
      {"two triples and one 2", "555666 2", 0, 17, 17, {}, 1, {50}, P(Combo::Plane, 5, 6)},
      {"two triples and one joker", "555666 X", 0, 17, 17, {}, 1, {50}, P(Combo::Plane, 5, 6)},
      {"two triples and a pair of 2s", "555666 22", 0, 17, 17, {}, 1, {50}, P(Combo::Plane, 5, 6)},
      {"three triples and one 2", "555666777 2", 0, 17, 17, {}, 1, {50}, P(Combo::Plane, 5, 7)},
      {"three triples, a 2 and a joker", "555666777 2 X", 0, 17, 17, {}, 1, {50}, P(Combo::Plane, 5, 7)},
      {"three triples, a pair of 2s and a joker", "555666777 22 x", 0, 17, 17, {}, 1, {50},
       P(Combo::Plane, 5, 7)},
      {"a farmer's two triples and one 2", "555666 2", 2, 17, 17, {}, 1, {50}, P(Combo::Plane, 5, 6)},
      // Enough of them: the lowest go out as the wings.
      {"two triples, a pair of 2s and both jokers", "555666 22 xX", 0, 17, 17, {}, 1, {50},
       P(Combo::PlaneSingles, 5, 6, {15, 16})},
  };
  for (const auto& t : rows) Check(t);
}
