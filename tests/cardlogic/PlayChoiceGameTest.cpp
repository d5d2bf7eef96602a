// Whole hands played by three computer seats through ExtraDdzAI, over many
// seeded deals: every lead plays, every follow beats the last play or passes,
// nothing answers a rocket, every move is made of the seat's own cards, and
// the seat's view of its hand stays whole after every move.
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/ClueCard.h"
#include "cardlogic/ExtraDdzAI.h"
#include "cardlogic/HandText.h"
#include "platform/os/Random.h"

using namespace ddz;

namespace {

// Every held card in exactly one list record or loose mark (a play made
// without a fresh analysis leaves an empty slot behind), and the derived
// counts agree with the marks.
void ExpectAccounted(const CPlayerCard& seat) {
  int placed[CPlayerCard::kValueSlots] = {};
  int records = 0, bombs = 0;
  for (int k = 0; k < CPlayerCard::kListSize; ++k) {
    const auto& c = seat.GetCombination(k);
    if (c.IsEmpty()) continue;
    ++records;
    const int mult = c.iType == Combo::Plane || c.iType == Combo::Triple ? 3
                     : c.iType == Combo::PairStraight                    ? 2
                     : c.iType == Combo::Straight                        ? 1
                     : c.iType == Combo::Bomb                            ? 4
                                                                         : 0;
    EXPECT_NE(mult, 0) << "unexpected code " << c.iType;
    for (int v = c.iLow; v <= c.iHigh; ++v) placed[v] += mult;
    if (c.iType == Combo::Bomb && c.iLow != kValue2) ++bombs;
  }
  ddz::testing::ExpectMarksComplete(seat, placed, records, bombs);
}

CardTypeInfo Classify(const std::array<CardByte, 20>& bytes, int count) {
  std::vector<CardCode> codes;
  for (int k = 0; k < count; ++k) codes.push_back(CardByteToCode(bytes[k]));
  CardTypeInfo info;
  ClueCard::GetCardType(info, codes);
  return info;
}

struct Tally {
  int hands = 0, moves = 0, leads = 0, follows = 0, beats = 0, bombs = 0;
};

// Bids in chair order from a rotating first chair until a 3 or all have bid.
int Bid(ExtraDdzAI& ai, int first, int& score) {
  int landlord = -1;
  score = 0;
  for (int k = 0; k < 3; ++k) {
    const int chair = (first + k) % 3;
    const int bid = ai.GetAIBid(chair);
    if (bid > score) {
      score = bid;
      landlord = chair;
    }
    if (score == 3) break;
  }
  return landlord;
}

void PlayHand(ExtraDdzAI& ai, int hand, Tally& tally) {
  ai.DealCards();
  int score = 0;
  const int landlord = Bid(ai, hand % 3, score);
  ASSERT_GE(landlord, 0) << "nobody bid";
  ASSERT_TRUE(ai.SetLandlord(landlord, score));

  CardTypeInfo lastInfo;
  int lastChair = -1;
  int turn = landlord;
  for (int move = 0; move < 400; ++move, turn = (turn + 1) % 3) {
    SCOPED_TRACE(::testing::Message() << "hand " << hand << " move " << move << " chair " << turn);
    CPlayerCard& seat = *ai.Player(turn);
    const bool leading = lastChair < 0 || lastChair == turn;
    std::array<unsigned, CPlayerCard::kValueSlots> before{};
    for (int v = 3; v <= kValueBigJoker; ++v) before[v] = seat.OwnCounts().Get(v);
    const int cardsBefore = seat.GetCardCount();

    std::array<CardByte, 20> out{};
    int count = -1;
    const int played = ai.AIPlay(turn, out, count);
    ++tally.moves;
    if (leading) {
      ++tally.leads;
      ASSERT_EQ(played, 1) << "a leading seat passed";
    } else {
      ++tally.follows;
    }
    if (played == 0) {
      EXPECT_EQ(count, 0);
      EXPECT_EQ(seat.GetCardCount(), cardsBefore);
      ExpectAccounted(seat);
      continue;
    }
    ASSERT_GE(count, 1);
    if (!leading) {
      EXPECT_NE(lastInfo.type, CardType::Rocket) << "a rocket was answered";
    }

    // The cards are the seat's own, each held, and exactly what left the hand.
    std::array<unsigned, CPlayerCard::kValueSlots> used{};
    for (int k = 0; k < count; ++k) {
      const int v = CodeToValue(CardByteToCode(out[k]));
      ASSERT_GE(v, 3);
      ++used[v];
    }
    for (int v = 3; v <= kValueBigJoker; ++v) {
      ASSERT_LE(used[v], before[v]) << "value " << v << " not held";
      EXPECT_EQ(seat.OwnCounts().Get(v), before[v] - used[v]) << "value " << v;
    }
    EXPECT_EQ(seat.GetCardCount(), cardsBefore - count);

    // The play is what the record says, and beats the last one when following.
    const CardTypeInfo info = Classify(out, count);
    ASSERT_NE(info.type, CardType::Invalid) << "record type " << ai.LastPlay().iType;
    EXPECT_EQ(info, CPlayerCard::GetCombinationTypeInfo(ai.LastPlay()));
    if (!leading) {
      EXPECT_GT(ClueCard::CompareCardType(info, lastInfo), 0)
          << "type " << info.type << "/" << info.value << " on " << lastInfo.type << "/" << lastInfo.value;
      ++tally.beats;
    }
    if (info.type >= CardType::Bomb) ++tally.bombs;
    EXPECT_EQ(ai.LastPlay().pPlayer, &seat);
    EXPECT_EQ(ai.GetLastPlayer(), turn);
    ExpectAccounted(seat);
    if (::testing::Test::HasFailure()) return;
    lastInfo = info;
    lastChair = turn;
    if (seat.GetCardCount() == 0) {
      ++tally.hands;
      return;
    }
  }
  FAIL() << "hand " << hand << " did not end";
}

}  // namespace

TEST(PlayChoiceGames, SeededDealsPlayedToTheEnd) {
  os::LcgRandom source(20240611);
  os::ScopedRandomSource guard(source);
  ExtraDdzAI ai(DeckSeeding::None);
  Tally tally;
  constexpr int kHands = 3000;
  for (int hand = 0; hand < kHands; ++hand) {
    PlayHand(ai, hand, tally);
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(tally.hands, kHands);
  // The games are games: seats follow, beat and bomb, not only lead.
  EXPECT_GT(tally.beats, tally.hands * 3);
  EXPECT_GT(tally.bombs, 0);
  RecordProperty("moves", tally.moves);
}
