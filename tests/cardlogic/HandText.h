// Crafted hands for the computer-player tests, written as short texts:
// '3'..'9', 'T' 10, 'j' (jack), 'Q', 'K', 'A', '2', 'x' small joker, 'X' big joker;
// spaces are ignored. "333 44 x" is three 3s, two 4s and the small joker.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cardlogic/PlayerCard.h"
#include "cardlogic/Poker.h"

namespace ddz::testing {

// Value index (3..17) of one hand-text character, 0 for anything else.
inline int ValueOfChar(char c) {
  switch (c) {
    case 'T': return 10;
    case 'j': return 11;
    case 'Q': return 12;
    case 'K': return 13;
    case 'A': return kValueA;
    case '2': return kValue2;
    case 'x': return kValueSmallJoker;
    case 'X': return kValueBigJoker;
    default: return c >= '3' && c <= '9' ? c - '0' : 0;
  }
}

inline std::vector<int> ParseValues(std::string_view text) {
  std::vector<int> values;
  for (char c : text) {
    if (c == ' ') continue;
    const int v = ValueOfChar(c);
    EXPECT_NE(v, 0) << "bad hand character '" << c << "'";
    if (v != 0) values.push_back(v);
  }
  return values;
}

// Cards of the given values out of a deck, each card used once, lowest
// position first (an unshuffled deck gives suit 0 first).
inline std::vector<CCard*> PickCards(const CPoker& deck, std::string_view text) {
  std::array<bool, CPoker::kCardCount> used{};
  std::vector<CCard*> cards;
  for (int v : ParseValues(text)) {
    bool found = false;
    for (int pos = 0; pos < CPoker::kCardCount && !found; ++pos) {
      if (used[pos] || deck.GetCard(pos)->ValueIndex() != v) continue;
      used[pos] = true;
      cards.push_back(deck.GetCard(pos));
      found = true;
    }
    EXPECT_TRUE(found) << "no card left of value " << v;
  }
  return cards;
}

// Gives a seat a crafted hand (bottom values 0: none known).
inline bool GiveHand(CPlayerCard& seat, const CPoker& deck, std::string_view text, bool bidFlag = false) {
  const auto cards = PickCards(deck, text);
  return seat.SetCards(cards, {0, 0, 0}, bidFlag);
}

// The loose marks complete what the list records placed (`placed` counts by
// value, `records` and `bombs` as the caller found them): every held card is
// accounted for once, and the derived counts agree with the marks.
inline void ExpectMarksComplete(const CPlayerCard& seat, int (&placed)[CPlayerCard::kValueSlots], int records,
                                int bombs) {
  EXPECT_EQ(seat.GetCombinationCount(), records);
  int singles = 0, pairs = 0, total = 0;
  for (int v = 3; v <= kValueBigJoker; ++v) {
    singles += seat.SingleMark(v);
    pairs += seat.PairMark(v);
    placed[v] += seat.SingleMark(v) + 2 * seat.PairMark(v);
    EXPECT_EQ(placed[v], static_cast<int>(seat.OwnCounts().Get(v))) << "value " << v;
    total += placed[v];
  }
  EXPECT_EQ(total, seat.GetCardCount());
  EXPECT_EQ(seat.GetSingles(), singles);
  EXPECT_EQ(seat.GetPairs(), pairs);
  EXPECT_EQ(seat.GetLowPairs(), pairs - seat.PairMark(kValue2));
  EXPECT_EQ(seat.GetLowSingles(), singles - seat.SingleMark(kValue2) - seat.SingleMark(kValueSmallJoker) -
                                      seat.SingleMark(kValueBigJoker));
  const auto& own = seat.OwnCounts();
  EXPECT_EQ(seat.GetHighScore(), static_cast<int>(own.Get(kValue2) + own.Get(16) + own.Get(17)) + bombs);
}

}  // namespace ddz::testing
