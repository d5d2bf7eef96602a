// SRSearchCard: the search engine behind the four-player hint button. Given a
// hand and a target (a four-player type code and key value), it finds a play of
// that code with a higher key value, or else the smallest bomb, or else the four
// jokers. The hand is split by how many times each value is held; a bomb is never
// broken for a smaller play and never lends a card to a chain.
//
// Engine values: A 14, 3..13, a 2 20 (or 2 while a chain is searched and the hand
// holds fewer than three 2s), small joker 25, big joker 26. Found values come back
// in card-byte form without suit bits: A 1, 2 2, 3..13, jokers 16 and 17.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "cardlogic/CardCodes.h"

namespace ddz {

class SRSearchCard {
 public:
  static constexpr int kMultiplicityArrays = 9;  // held 1..8 times, then the four jokers
  static constexpr int kBombArrays = 6;          // held 4..8 times, and the four jokers
  static constexpr int kFourJokersArray = 8;

  SRSearchCard() = default;
  virtual ~SRSearchCard() = default;

  // False for a type below 1 or above 129, a type without a finder, a hand that
  // is not a hand of the two decks, or when nothing beats the target.
  bool Search(const CardCode* codes, int count, int type, int value);

  // The suggestion's card values (card-byte form) after a successful search.
  const std::vector<std::uint8_t>& Found() const { return m_vcFound; }

  // Splits the hand by multiplicity for the current type; false for a hand of
  // more than 33 cards, a code outside the two decks, or a code held more than twice.
  bool Split(const CardCode* codes, int count);

  // The split (engine values, ascending), for the finders and for tests.
  const std::vector<std::uint8_t>& Held(int times) const { return m_vcHeld[times - 1]; }
  const std::vector<std::uint8_t>& FourJokers() const { return m_vcHeld[kFourJokersArray]; }
  const std::vector<std::uint8_t>& DistinctList() const { return m_vcDistinct; }
  const std::vector<std::uint8_t>& PairList() const { return m_vcPairChain; }
  const std::vector<std::uint8_t>& BombList() const { return m_vcBombChain; }
  const std::vector<std::uint8_t>& PlaneList() const { return m_vcPlaneChain; }

  bool FindSingle();
  bool FindPair();
  bool FindTriple();
  bool FindTripleWithPair();
  bool FindStraight();
  bool FindPairStraight();
  bool FindPlane();
  bool FindPlaneWithPairs();
  bool FindBomb();

 private:
  // The lowest group of the smallest bombs held, else the four jokers.
  bool FindSmallestBomb();
  // First run of `length` consecutive values in `list` ending above `key`, each
  // value put `width` times into the found list.
  bool FindChain(const std::vector<std::uint8_t>& list, int length, int width);
  void Put(int value, int times);

  std::vector<std::uint8_t> m_vcFound;
  int m_iType = -1;
  int m_iValue = -1;
  int m_iArrayCount = kMultiplicityArrays;
  int m_iBombArrayCount = kBombArrays;
  int m_iBombGuard = 0;  // set by every search; above 0 keeps bomb values out of the chain lists
  std::array<std::vector<std::uint8_t>, kMultiplicityArrays> m_vcHeld;
  std::vector<std::uint8_t> m_vcDistinct;   // straights
  std::vector<std::uint8_t> m_vcPairChain;  // pair straights, pairs of a plane with pairs
  std::vector<std::uint8_t> m_vcBombChain;  // values held four to eight times
  std::vector<std::uint8_t> m_vcPlaneChain; // planes
};

}  // namespace ddz
