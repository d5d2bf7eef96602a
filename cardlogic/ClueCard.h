// ClueCard: the classic rules engine. It holds a sorted hand and a result list
// for its finders; its classifiers are static: the plain hand-pattern classifier
// (neighbour codes -> pattern masks -> type), the context classifier that reads
// planes and wildcards with the play to beat in view, the wildcard substitute
// search, and the comparison of two plays.
#pragma once

#include <cstdint>
#include <vector>

#include "cardlogic/CardCodes.h"

namespace ddz {

class ClueCard {
 public:
  // A play never has more than this many cards; longer input is refused.
  static constexpr int kMaxPlayCards = 20;

  ClueCard() = default;
  // Copies the cards into the hand and sorts it (highest first).
  explicit ClueCard(const std::vector<CardCode>& hand);
  virtual ~ClueCard() = default;

  // Exchange sort by CardValue descending, then suit 0..3 among equal values.
  void SortHand();
  // Removes each card of the result from the hand (the first equal code each time).
  void RemoveResult();

  const std::vector<CardCode>& Hand() const { return m_vcHand; }
  const std::vector<CardCode>& Result() const { return m_vcResult; }

  // Whether play a may follow play b: -1 no; 1 yes; 2 yes, as a bomb or rocket.
  static int CompareCardType(const CardTypeInfo& a, const CardTypeInfo& b);

  // Bigger-play finders. Each takes a card whose value is the one to beat (a code
  // of value -1, such as -1 itself, lets every value through), searches the hand
  // from its lowest card upward and fills the result; on failure the result is
  // emptied and -1 returned. The pair and triple finders take cards out of larger
  // groups too (three of a four are a triple to them).
  //   FindBiggerPair: the two cards; returns the second card found.
  //   FindBiggerTriple: the three cards; returns the third card found.
  //   FindBiggerBomb: the four cards; returns the first card found.
  //   FindStraight: the lowest run of five or more consecutive values (3..A)
  //     starting above the value, one card per value; returns its highest card.
  //   FindPairStraight: the lowest run of three or more consecutive pairs (3..A)
  //     starting above the value; returns a card of the last pair examined, -1
  //     when no pair was found at all (the result may be empty either way).
  int FindBiggerPair(CardCode card);
  int FindBiggerTriple(CardCode card);
  int FindBiggerBomb(CardCode card);
  int FindStraight(CardCode card);
  int FindPairStraight(CardCode card);

  // The hint button: a play from the hand that beats lastPlay, one bigger play per
  // press (the cycle state is g_iLastHintType / g_iLastHintValue, ClueCardSearch.h).
  // False when nothing in the hand beats the play (or the input is not usable);
  // true with an empty suggestion when a running cycle is exhausted, so that the
  // next press starts again from the play on the table.
  static bool Hint(std::vector<CardCode>& outSuggestion, const std::vector<CardCode>& lastPlay,
                   const std::vector<CardCode>& hand);

  // Completes what the player tapped or dragged into a whole pattern: a straight
  // or pair straight inside the selection, or, following a play, a tapped card
  // grown into a pair, triple or straight from the hand. False (and an empty
  // outSelection) when nothing fits.
  static bool SmartSelect(std::vector<CardCode>& outSelection, const std::vector<CardCode>& lastPlay,
                          const std::vector<CardCode>& hand, const std::vector<CardCode>& selected);

  // CardCode -> CardValue (see CodeToValue).
  static int GetCardValue(int code) { return CodeToValue(code); }
  // CardValue -> spread value, in place.
  static void SpreadValue(std::uint8_t& value) { value = static_cast<std::uint8_t>(SpreadOf(value)); }

  // Plain classifier over CardValues. Returns the CardType and writes the key
  // value (spread form) to *outKey (0 for an invalid play). outKey may be null.
  static int GetTypeByMask(const std::uint8_t* values, int count, int* outKey);
  // The 17-to-20-card table: main mask of the first 16 cards, long mask of the rest.
  static int GetLongCardType(std::uint32_t mainMask, std::uint8_t longMask);
  // Codes -> type and key; false when the play is not a valid pattern.
  static bool GetCardType(CardTypeInfo& out, const std::vector<CardCode>& cards);

  // Context classifier: expectedType is the type of the play to beat (-1 when
  // leading); wildcardFlag lets an unsubstituted wildcard (value 18) stand as itself.
  static int GetCardTypeCtx(const std::uint8_t* values, int count, int* outKey, int expectedType,
                            bool wildcardFlag);
  static bool GetCardTypeEx(CardTypeInfo& out, int expectedType, const std::vector<CardCode>& cards,
                            bool wildcardFlag);

  // The value the (first) wildcard card of the play stands for: -1 when the play
  // has no wildcard (outIndex -1), 18 when it is alone or no substitute passes.
  static int GetLaiziValue(int expectedType, int* outIndex, const std::vector<CardCode>& cards);

  // The masks of a play (exposed for the Super table's engines and for tests).
  struct Masks {
    std::uint32_t main = 0;
    std::uint8_t longMask = 0;
    int count = 0;  // cards coded
    int key = 0;
  };
  static bool ComputeMasks(const std::uint8_t* values, int count, Masks& out);

 protected:
  std::vector<CardCode> m_vcHand;    // highest card first
  std::vector<CardCode> m_vcResult;  // filled by the finders
};

}  // namespace ddz
