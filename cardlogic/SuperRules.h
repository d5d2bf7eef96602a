// Common ground of the Super table's two rules engines (ErClueCard for two seats,
// SuperClueCard for three): the special-rule flags the server switches on per table,
// the player-count mode, the group record handed to the own hand and its wildcard
// chooser, the extra card type codes, and the process-wide search and hand state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "cardlogic/CardCodes.h"

namespace ddz {

// Index of each byte of SpecialRuleFlags.
namespace SpecialRule {
constexpr int TwoPairStraight = 0;  // 3-3-4-4 is a pair straight (type 34)
constexpr int TripleTakesTwo = 1;   // a triple takes two cards; 49 only as the last four cards
constexpr int LowChain = 2;         // chains may begin at the 2 or at A-2
constexpr int TripleBomb = 3;       // with PlayerCountMode 1: three of a kind is a bomb (105)
constexpr int Wildcard = 4;         // the jokers are wildcards
constexpr int PlaneAnyWings = 5;    // a plane takes any two cards per triple
constexpr int Count = 6;
}  // namespace SpecialRule

// Six bytes, each 0 or 1, kept by the table view from the server's settings.
struct SpecialRuleFlags {
  std::array<std::uint8_t, SpecialRule::Count> bytes{};

  bool On(int index) const { return index >= 0 && index < SpecialRule::Count && bytes[index] != 0; }
};
static_assert(sizeof(SpecialRuleFlags) == 6);

// A null pointer reads as "no special rule".
inline bool RuleOn(const SpecialRuleFlags* rules, int index) { return rules != nullptr && rules->On(index); }

// PlayerCountMode of the Super view: 2 two seats (ErClueCard), 0 or 1 three seats
// (SuperClueCard; 1 is the table with wildcards and the triple bomb).
namespace PlayerCountMode {
constexpr int ThreeSeat = 0;
constexpr int ThreeSeatWildcard = 1;
constexpr int TwoSeat = 2;
}  // namespace PlayerCountMode

// Card type codes the Super rules add to (or widen in) the CardType table.
namespace SuperCardType {
constexpr int StraightLast = 30;       // straights of 5..14 cards: 21..30
constexpr int PairStraightFirst = 34;  // two consecutive pairs, only with rule TwoPairStraight
constexpr int PairStraightLast = 42;
constexpr int PlaneSixShortWings = 104;  // six triples with 1 or 2 wing cards (emptying the hand)
constexpr int TripleBomb = 105;          // three of a kind played as a bomb
}  // namespace SuperCardType

// The Super rules' bomb family: the triple bomb, the bomb and the rocket, every type
// from 105 up. (The classic comparison starts the family at 112.)
inline bool IsSuperBombType(int type) { return type >= SuperCardType::TripleBomb; }

// One group as the engines hand it to the own hand: 25 ints, 100 bytes, read by the
// views field by field (the play request copies the two byte arrays as they stand).
struct CardGroupRecord {
  static constexpr int kMaxCards = 20;
  static constexpr int kMaxWildcards = 4;
  static constexpr std::uint8_t kNoByte = 255;

  std::int32_t type = CardType::Invalid;
  std::int32_t value = -1;
  std::array<std::int32_t, kMaxCards> cards;            // CardCodes, -1 in empty places
  std::array<std::uint8_t, kMaxWildcards> wildcardCards;     // 16 / 17 per wildcard used
  std::array<std::uint8_t, kMaxWildcards> substituteValues;  // the value each stands for
  std::int32_t wildcardCount = 0;

  CardGroupRecord() { Reset(); }
  // Back to a fresh record: type -1, value -1, cards -1, byte arrays 255, count 0.
  void Reset() {
    type = CardType::Invalid;
    value = -1;
    cards.fill(-1);
    wildcardCards.fill(kNoByte);
    substituteValues.fill(kNoByte);
    wildcardCount = 0;
  }
};
static_assert(sizeof(CardGroupRecord) == 100);
static_assert(offsetof(CardGroupRecord, type) == 0);
static_assert(offsetof(CardGroupRecord, value) == 4);
static_assert(offsetof(CardGroupRecord, cards) == 8);
static_assert(offsetof(CardGroupRecord, wildcardCards) == 88);
static_assert(offsetof(CardGroupRecord, substituteValues) == 92);
static_assert(offsetof(CardGroupRecord, wildcardCount) == 96);

// Whether `play` may follow `table` under the Super rules: a play of type -1 beats
// nothing; anything else beats a table reading of type -1; a bomb beats a lower type,
// or the same type with a lower value; any other play only the same type with a lower
// value.
bool SuperGroupBeats(const CardGroupRecord& play, const CardGroupRecord& table);

// Search modes of the two engines: 1 plain search, 2 wildcard search. Each engine's
// hint toggles its own mode when a search in the current mode finds nothing; the own
// hand sets both back to 1 at every new turn.
extern int SearchMode;       // two-seat engine
extern int SuperSearchMode;  // three-seat engine
// 1 -> 2, anything else -> 1.
inline void ToggleSearchMode(int& mode) { mode = (mode == 1) ? 2 : 1; }

// Number of cards in the own Super hand, written by the own hand whenever it checks a
// selection; read by the classifiers for the TripleTakesTwo and PlaneAnyWings rules.
extern int g_iSelfHandCardCount;       // two-seat classifier
extern int g_iSuperSelfHandCardCount;  // three-seat classifier

// When set, the searches print their trace lines (chain start index, packed result)
// to standard output. Error lines are always printed.
extern bool g_bSuperSearchTrace;

}  // namespace ddz
