#include "classic/RoundTaskConditions.h"

#include "cardlogic/CardCodes.h"

namespace ddz {

namespace {

constexpr int kNoCard = -1;
constexpr int kKeySmallJoker = kSpreadSmallJoker;
constexpr int kKeyBigJoker = kSpreadBigJoker;
constexpr int kKeyAce = 14;
constexpr int kKeyTwo = kSpread2;

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }
// The card value of a card byte (CardValue: a two is 15, the jokers 16 and
// 17), kNoCard for a byte that names no card.
int ValueOf(char byte) {
  const CardCode code = CardByteToCode(static_cast<unsigned char>(byte));
  return code < 0 ? kNoCard : CodeToValue(code);
}
bool IsJoker(int value) { return value == kValueSmallJoker || value == kValueBigJoker; }
bool IsTwo(int value) { return value == kValue2; }

bool IsStraight(int type) { return In(type, CardType::StraightFirst, CardType::StraightLast); }
bool IsPairStraight(int type) { return In(type, CardType::PairStraightFirst, CardType::PairStraightLast); }
bool IsRocket(int type) { return type == CardType::Rocket; }
bool IsSingleOf(int type, int key, int value) { return type == CardType::Single && key == value; }
bool IsPairOf(int type, int key, int value) { return type == CardType::Pair && key == value; }
bool IsBombOf(int type, int key, int value) { return type == CardType::Bomb && key == value; }

int CountBottom(const char* cards, bool (*test)(int value)) {
  if (cards == nullptr) return 0;
  int n = 0;
  for (int i = 0; i < kTaskBottomCards; ++i) n += test(ValueOf(cards[i])) ? 1 : 0;
  return n;
}

bool BottomHasSharedValue(const char* cards) {
  if (cards == nullptr) return false;
  for (int i = 0; i < kTaskBottomCards; ++i)
    for (int j = i + 1; j < kTaskBottomCards; ++j)
      if (ValueOf(cards[i]) != kNoCard && ValueOf(cards[i]) == ValueOf(cards[j])) return true;
  return false;
}

bool PlayedHasTwo(const char* cards) {
  if (cards == nullptr) return false;
  for (int i = 0; i < kTaskPlayedCards; ++i)
    if (IsTwo(ValueOf(cards[i]))) return true;
  return false;
}

}  // namespace

bool TaskMatches(int taskId, int type, int key, const char* baseCards, const char* playedCards) {
  switch (taskId) {
    case 19: return In(type, CardType::Straight(10), CardType::Straight(12));
    case 34: return type == CardType::Bomb || IsRocket(type);
    case 35: return type == CardType::Straight(8);
    case 41: return type == CardType::TriplePair;
    case 42: return IsStraight(type);
    case 43: return IsPairStraight(type);
    case 44: return IsSingleOf(type, key, kKeyBigJoker) || IsRocket(type);
    case 45: return IsSingleOf(type, key, kKeySmallJoker) || IsRocket(type);
    case 49: return In(type, CardType::Straight(9), CardType::StraightLast);
    case 50: return In(type, CardType::Straight(8), CardType::StraightLast);
    case 51: return IsRocket(type);
    case 52: return IsPairOf(type, key, kKeyAce);
    case 56: return In(type, CardType::PairStraight(4), CardType::PairStraightLast);
    case 65: return CountBottom(baseCards, IsJoker) == 2;
    case 66: return BottomHasSharedValue(baseCards);
    case 67: return CountBottom(baseCards, IsJoker) >= 1;
    case 68: return CountBottom(baseCards, IsTwo) >= 1;
    case 69: return IsPairOf(type, key, kKeyTwo);
    case 70: return IsPairStraight(type) && key == kKeyAce;
    case 71: return IsPairOf(type, key, 13);
    case 72: return IsPairOf(type, key, 12);
    case 73: return IsPairOf(type, key, 11);
    case 74: return IsPairOf(type, key, 10);
    case 75: return IsStraight(type) && key == type - 14;
    case 76: return IsPairStraight(type) && key == type - 30;
    case 77: return In(type, CardType::PlaneWings(2, false), CardType::PlaneWings(3, true));
    case 78: return In(type, CardType::PlaneWings(3, false), CardType::PlaneWings(3, true));
    case 79: return IsBombOf(type, key, 12);
    case 81: return IsBombOf(type, key, kKeyAce);
    case 82: return IsBombOf(type, key, kKeyTwo);
    case 83: return In(type, CardType::Straight(7), CardType::StraightLast);
    case 84: return In(type, CardType::PairStraight(5), CardType::PairStraightLast);
    case 85: return type == CardType::TripleSingle;
    case 86: return IsSingleOf(type, key, kKeySmallJoker) || IsSingleOf(type, key, kKeyBigJoker) || IsRocket(type);
    case 87: return type == CardType::Pair;
    case 88: return PlayedHasTwo(playedCards);
    case 89: return In(type, CardType::Triple, CardType::TriplePair);
    case 90: return In(type, CardType::PlaneFirst, CardType::PlaneLast) ||
                    In(type, CardType::PlaneWingsFirst, CardType::PlaneWingsLast);
    default: return false;
  }
}

const std::vector<int>& KnownTaskIds() {
  static const std::vector<int> ids = {19, 34, 35, 41, 42, 43, 44, 45, 49, 50, 51, 52, 56, 65, 66, 67, 68,
                                       69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 81, 82, 83, 84, 85, 86,
                                       87, 88, 89, 90};
  return ids;
}

}  // namespace ddz
