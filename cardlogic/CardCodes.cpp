#include "cardlogic/CardCodes.h"

namespace ddz {

bool IsValidCardCode(CardCode code) {
  if (code < 0 || code > kMaxCardCode) return false;
  const int index = code % 15;
  const int suit = code / 15;
  if (index <= 12) return true;
  if (suit == 0) return true;            // 13, 14: the jokers
  return code == kWildcardCode;          // 28; 29, 43, 44 name nothing
}

int CodeToValue(CardCode code) {
  const int rem = code % 15;  // truncating, as the engines compute it
  if (code < 0 && rem != 0) return -1;
  switch (rem) {
    case 0: return kValueA;
    case 1: return kValue2;
    case 13: return (code / 15 == 1) ? kValueWildcard : kValueSmallJoker;
    case 14: return kValueBigJoker;
    default: return rem + 1;
  }
}

int SpreadOf(int value) {
  switch (value) {
    case kValue2: return kSpread2;
    case kValueSmallJoker: return kSpreadSmallJoker;
    case kValueBigJoker: return kSpreadBigJoker;
    case kValueWildcard: return kSpreadWildcard;
    default: return value;
  }
}

int UnspreadOf(int spread) {
  switch (spread) {
    case kSpread2: return kValue2;
    case kSpreadSmallJoker: return kValueSmallJoker;
    case kSpreadBigJoker: return kValueBigJoker;
    case kSpreadWildcard: return kValueWildcard;
    default: return spread;
  }
}

CardByte CodeToCardByte(CardCode code) {
  int suit = code / 15;
  if (code == kWildcardCode) suit = 0;
  int v = CodeToValue(code);
  if (v == kValueA) v = 1;
  else if (v == kValue2) v = 2;
  return static_cast<CardByte>(((suit << 5) | v) & 0xff);
}

CardByte CodeToSuperCardByte(CardCode code) {
  if (!IsValidCardCode(code)) return 0;
  int v = CodeToValue(code);
  if (v == kValueWildcard) v = kValueSmallJoker;
  else if (v == kValueA) v = 1;
  else if (v == kValue2) v = 2;
  return static_cast<CardByte>(((code / 15) << 5) | v);
}

CardByte DeckCardToByte(int suit, int value) {
  return static_cast<CardByte>((suit * 32 + value) & 0xff);
}

CardCode CardByteToCode(CardByte byte) {
  if (byte == 0) return -1;
  const int v = byte & 31;
  const int suit = byte >> 5;
  switch (v) {
    case 16: return kSmallJokerCode;
    case 17: return kBigJokerCode;
    case 18: return kWildcardCode;
    default: break;
  }
  // Suit bits 4..7 name no suit of an ordinary card.
  if (v < 1 || v > 15 || suit > 3) return -1;
  if (v == 14) return 0;  // a hint result's A
  if (v == 15) return 1;  // a hint result's 2
  return suit * 15 + v - 1;
}

int CardByteToEngineValue(CardByte byte) {
  const int v = byte & 31;
  switch (v) {
    case 1: return 14;
    case 2: return 20;
    case 16: return 25;
    case 17: return 26;
    default: return v;
  }
}

CardByte EngineValueToResultByte(int engineValue) {
  switch (engineValue) {
    case 20: return 15;
    case 25: return 16;
    case 26: return 17;
    default: return static_cast<CardByte>(engineValue & 0xff);
  }
}

}  // namespace ddz
