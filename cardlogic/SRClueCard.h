// SRClueCard: the rules of the four-player table, played with two 54-card decks.
// A value can be held up to eight times and there are four jokers, so the table
// has its own type codes: longer chains, bombs of four to eight cards, the four
// jokers, and no triple with a single, four with two or two-joker rocket. An A or
// a 2 may run below the 3 in a chain (the low aces and twos rule).
//
// Card codes and card bytes are those of CardCodes.h; codes 28, 29, 43, 44 and
// anything outside 0..57 name no card of the two decks and are refused.
// Comparison of two plays is ClueCard::CompareCardType: the codes below keep its
// order (a bigger bomb code beats a smaller one whatever the value; the four
// jokers, 129, beat every bomb).
#pragma once

#include <cstdint>
#include <vector>

#include "cardlogic/CardCodes.h"

namespace ddz {

// Four-player hand-pattern type codes.
namespace SRCardType {
constexpr int Invalid = -1;
constexpr int Single = 1;
constexpr int StraightFirst = 21;  // 21..29: straight of code - 16 cards (5..13)
constexpr int StraightLast = 29;
constexpr int Pair = 32;
constexpr int PairStraightFirst = 35;  // 35..45: code - 32 consecutive pairs (3..13)
constexpr int PairStraightLast = 45;
constexpr int Triple = 48;
constexpr int TriplePair = 50;
constexpr int PlaneFirst = 55;  // 55..63: code - 53 consecutive triples (2..10)
constexpr int PlaneLast = 63;
constexpr int PlanePairsFirst = 98;  // 98, 100, .., 106: 2..6 triples with as many pairs
constexpr int PlanePairsLast = 106;
constexpr int PlaneFiveSingles = 103;  // five consecutive triples with five single cards
constexpr int BombFirst = 112;  // 112..116: code - 108 equal cards (4..8)
constexpr int BombLast = 116;
constexpr int FourJokers = 129;

constexpr int Straight(int cards) { return cards + 16; }
constexpr int PairStraight(int pairs) { return pairs + 32; }
constexpr int Plane(int triples) { return triples + 53; }
constexpr int PlanePairs(int triples) { return 94 + 2 * triples; }
constexpr int PlanePairsTriples(int code) { return (code - 97) / 2 + 2; }
constexpr int Bomb(int cards) { return cards + 108; }

constexpr bool IsStraight(int t) { return t >= StraightFirst && t <= StraightLast; }
constexpr bool IsPairStraight(int t) { return t >= PairStraightFirst && t <= PairStraightLast; }
constexpr bool IsPlane(int t) { return t >= PlaneFirst && t <= PlaneLast; }
constexpr bool IsPlanePairs(int t) { return t >= PlanePairsFirst && t <= PlanePairsLast && t % 2 == 0; }
constexpr bool IsBomb(int t) { return t >= BombFirst && t <= BombLast; }
// The codes whose searches let a 2 run below the 3.
constexpr bool IsChain(int t) { return IsStraight(t) || IsPairStraight(t) || IsPlane(t) || IsPlanePairs(t); }
}  // namespace SRCardType

// The four-player hint cycle, one per process: type and key value of the last
// suggestion, -1 and -1 when the next press starts again from the play on the table.
extern int g_iSRLastHintType;
extern int g_iSRLastHintValue;

class SRClueCard {
 public:
  // The landlord's hand holds at most 33 cards; no play or hand is longer.
  static constexpr int kMaxCards = 33;

  SRClueCard() = default;
  virtual ~SRClueCard() = default;

  // Where the rules engine's log lines go; null restores standard output.
  using LogSink = void (*)(const char* line);
  static void SetLogSink(LogSink sink);

  // Copies the codes into the hand, sorted from the highest value to the lowest
  // (equal values: suit 0 first), and clears the last classification. A list with
  // a code outside the two decks, or longer than kMaxCards, is refused with a log
  // line and the hand is left as it was.
  bool SetHand(const std::vector<CardCode>& codes);

  const std::vector<CardCode>& Hand() const { return m_vcHand; }
  const std::vector<CardCode>& Result() const { return m_vcResult; }
  int Type() const { return m_iType; }
  int Value() const { return m_iValue; }

  // True for a code naming a card of the two decks (no wildcard on this table).
  static bool IsTableCode(CardCode code);

  // CardCode -> CardValue: A 14, 2 15, 3..13, small joker 16, big joker 17;
  // 0 for a negative remainder (the code -1 has value 0).
  static int GetCardValue(CardCode code);
  // CardByte -> CardValue, read through CardByteToCode; 0 for a byte that names
  // no card of the two decks.
  static int GetByteCardValue(CardByte byte);

  // Classify card codes (values, then the low aces and twos rule, then
  // GetTypeByValues). False when the play is not valid; out is then {-1, 0}.
  static bool GetCodesCardType(const CardCode* codes, int count, CardTypeInfo& out);
  // The same, keeping the answer as this object's last classification.
  bool GetCodesCardTypeByValue(const std::vector<CardCode>& codes);
  // The same for card bytes; each byte is also written to the log.
  static bool GetBytesCardType(CardTypeInfo& out, const std::vector<CardByte>& bytes);

  // The classifier over CardValues (a low A as 1, a low 2 as 2; spread values are
  // accepted as well). Returns the type and writes the key value (spread form, 0
  // for an invalid play) to *outValue when it is not null.
  static int GetTypeByValues(int* outValue, const std::uint8_t* values, int count);

  // Rearranges values so that the groups of equal values come out by descending
  // size (the lower value first on a tie); returns the largest group size.
  static int SortByMaxCount(std::uint8_t* values, int count);
  // The count-based reading of values arranged by SortByMaxCount (or triples first,
  // then the rest): triple 48, triple with a pair 50, planes 55..63, planes with
  // pairs 98..106; 0 when they form none of these or the largest group is not 3.
  static int GetCardType(int maxCount, int* outValue, const std::uint8_t* values, int count);

  // The low aces and twos rule over a play's CardValues, in play order: the As
  // and 2s that run below the 3 get the values 1 and 2. Plays of fewer than five
  // cards are left as they are.
  static void ApplyLowAcesAndTwos(std::uint8_t* values, int count);

  // The lowest bomb of the hand whose value is above the value of the given code
  // (-1: every bomb), or the four jokers. Its codes go to the result and the code
  // of its lowest card is returned; -1 and an empty result when there is none.
  int SearchBomb(CardCode code);

  // Completes a selection into a whole pattern: a pair straight or straight
  // inside the selected cards, or, when one card is tapped against a play, the
  // pair, triple or straight that starts with it.
  bool Hint(std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
            const std::vector<CardCode>& hand, const std::vector<CardCode>& selected);

  // The hint button: press after press the next bigger play of the hand that
  // beats the last play (SRSearchCard), then an empty answer, then the cycle again.
  bool HintBySearch(std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
                    const std::vector<CardCode>& hand);

  // Starts a new hint cycle (the own hand does it at each own turn).
  static void RestartHintCycle();

 private:
  std::vector<CardCode> m_vcHand;    // highest card first
  std::vector<CardCode> m_vcResult;  // the cards found by the last search
  int m_iType = -1;
  int m_iValue = -1;
};

}  // namespace ddz
