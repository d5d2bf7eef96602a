// Card encodings shared by every rules engine, message and card row.
//
//   CardCode  : suit * 15 + index (index 0 = A, 1 = 2, 2..12 = 3..K); 13 small joker,
//               14 big joker (suit 0); 28 the wildcard card.
//   CardValue : rank order 3..13, A 14, 2 15, small joker 16, big joker 17, wildcard 18.
//   Spread    : CardValue with 2 -> 20, jokers -> 25/26, wildcard -> 30, so that only
//               3..A can chain and the two jokers are adjacent to each other alone.
//   CardByte  : (suit << 5) | v, v = A 1, 2 2, 3..13, jokers 16/17, wildcard 18.
#pragma once

#include <cstdint>

namespace ddz {

using CardCode = int;
using CardValueT = int;
using CardByte = std::uint8_t;

constexpr CardCode kSmallJokerCode = 13;
constexpr CardCode kBigJokerCode = 14;
constexpr CardCode kWildcardCode = 28;
constexpr CardCode kMaxCardCode = 57;

constexpr int kValueA = 14;
constexpr int kValue2 = 15;
constexpr int kValueSmallJoker = 16;
constexpr int kValueBigJoker = 17;
constexpr int kValueWildcard = 18;

constexpr int kSpread2 = 20;
constexpr int kSpreadSmallJoker = 25;
constexpr int kSpreadBigJoker = 26;
constexpr int kSpreadWildcard = 30;

// Hand-pattern type codes (CardType).
namespace CardType {
constexpr int Invalid = -1;
constexpr int Single = 1;
constexpr int StraightFirst = 21;   // 21..28: straight of code - 16 cards
constexpr int StraightLast = 28;
constexpr int Pair = 32;
constexpr int PairStraightFirst = 35;  // 35..42: code - 32 consecutive pairs
constexpr int PairStraightLast = 42;
constexpr int Triple = 48;
constexpr int TripleSingle = 49;
constexpr int TriplePair = 50;
constexpr int PlaneFirst = 59;  // 59..63: code - 57 consecutive triples
constexpr int PlaneLast = 63;
constexpr int FourTwoSingles = 66;
constexpr int FourTwoPairs = 67;
constexpr int PlaneWingsFirst = 96;  // 96..102: see PlaneWingsTriples / PlaneWingsArePairs
constexpr int PlaneWingsLast = 102;
constexpr int Bomb = 112;
constexpr int Rocket = 113;
constexpr int WildBomb5 = 114;  // five equal values made with a wildcard (bomb family)
constexpr int BombFamily = 112;

constexpr int Straight(int len) { return len + 16; }
constexpr int PairStraight(int pairs) { return pairs + 32; }
constexpr int Plane(int triples) { return triples + 57; }
constexpr int PlaneWings(int triples, bool pairs) { return 96 + (triples - 2) * 2 + (pairs ? 1 : 0); }
constexpr int PlaneWingsTriples(int code) { return (code - 96) / 2 + 2; }
constexpr bool PlaneWingsArePairs(int code) { return (code - 96) % 2 == 1; }
}  // namespace CardType

// The pair { type, key value } a classifier fills and the comparison compares.
struct CardTypeInfo {
  int type = CardType::Invalid;
  int value = 0;
  bool operator==(const CardTypeInfo&) const = default;
};

// True for a code of the two decks' 58 slots that names a real card or the wildcard:
// 0..12, 13, 14, 15..27, 28, 30..42, 45..57.
bool IsValidCardCode(CardCode code);

// CardCode -> CardValue, exactly as the rules engines compute it: code % 15 with
// truncating division; a negative code gives -1 unless its remainder is 0.
int CodeToValue(CardCode code);

// CardValue -> spread value (15 -> 20, 16 -> 25, 17 -> 26, 18 -> 30, others unchanged).
int SpreadOf(int value);
// Spread value -> CardValue (the inverse of SpreadOf).
int UnspreadOf(int spread);

// CardCode -> CardByte as the own hand writes it (jokers and wildcard without suit bits).
CardByte CodeToCardByte(CardCode code);

// CardCode -> CardByte as the Super table's play request writes it: the suit bits
// always kept and the wildcard card written as a joker of its suit (16), so code
// 28 is 48. 0 for a code that names no card.
CardByte CodeToSuperCardByte(CardCode code);

// Deck card (suit 0-3, 4 small joker, 5 big joker; value 1..13, 16, 17) -> CardByte as
// the local server writes its deal, bottom cards and result (jokers 144 and 177).
CardByte DeckCardToByte(int suit, int value);

// The one converter for card bytes read from outside (messages, server, hints).
// Returns the CardCode, or -1 for "no card": byte 0, v = byte & 31 outside
// 1..18, or suit bits (byte >> 5) above 3 on any v but 16..18, whose suit bits
// mean nothing (the local server writes its jokers as 144 and 177).
// v 14 and 15 are the hint engine's A and 2 (no suit bits) and read as codes 0 and 1.
CardCode CardByteToCode(CardByte byte);

// CardByte -> engine value of the hint search (A 14, 2 20, jokers 25/26, 3..13 as is).
int CardByteToEngineValue(CardByte byte);
// Engine value -> the hint result byte (a bare CardValue: 20 -> 15, 25 -> 16, 26 -> 17).
CardByte EngineValueToResultByte(int engineValue);

}  // namespace ddz
