// The single-player game's own deck: 54 card objects in a fixed order, the
// shuffle, and the count table the computer players keep by card value.
//
// A deck card's value is A = 1, 2 = 2, 3..13, small joker 16, big joker 17;
// its suit 0..3, 4 for the small joker, 5 for the big joker. The computer
// players work on the value index instead: 3..13, A 14, 2 15, jokers 16, 17.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "cardlogic/CardCodes.h"

namespace ddz {

constexpr int kDeckSmallJokerSuit = 4;
constexpr int kDeckBigJokerSuit = 5;

// Deck value (A 1, 2 2) -> value index (A 14, 2 15); everything else unchanged.
constexpr int DeckValueToIndex(int value) { return value == 1 ? kValueA : value == 2 ? kValue2 : value; }
// Value index -> deck value (14 -> 1, 15 -> 2); everything else unchanged.
constexpr int IndexToDeckValue(int index) { return index == kValueA ? 1 : index == kValue2 ? 2 : index; }

class CCard {
 public:
  CCard(int suit, int value) : m_iSuit(suit), m_iValue(value) {}
  virtual ~CCard() = default;

  int Suit() const { return m_iSuit; }
  int Value() const { return m_iValue; }
  int ValueIndex() const { return DeckValueToIndex(m_iValue); }
  bool IsPlayed() const { return m_bPlayed != 0; }
  void SetPlayed(bool played) { m_bPlayed = played ? 1 : 0; }
  // The card as the local server writes it: (suit << 5) | value, jokers 144 and 177.
  CardByte ToByte() const { return DeckCardToByte(m_iSuit, m_iValue); }

 private:
  int m_iSuit;
  int m_iValue;
  std::uint8_t m_bPlayed = 0;
};

// How a deck touches the random generator when it is built.
enum class DeckSeeding {
  // Seed the generator from the system wall clock, the first time any deck of
  // the process is built (later decks continue the same sequence). The program.
  OncePerProcess,
  // Leave the generator alone. Tests, which script their draws.
  None,
};

// Seeds the generator from the system wall clock the first time it is called
// in the process; later calls do nothing. Returns true when it seeded.
bool SeedRandomOncePerProcess();

class CPoker {
 public:
  static constexpr int kCardCount = 54;
  static constexpr int kBottomFirst = 51;  // positions 51..53 are the bottom cards
  static constexpr int kBottomCount = 3;

  // Builds the cards in order: suit 0 values 1..13 (positions 0..12), suit 1
  // (13..25), suit 2 (26..38), suit 3 (39..51), small joker 52, big joker 53.
  explicit CPoker(DeckSeeding seeding = DeckSeeding::OncePerProcess);
  virtual ~CPoker() = default;
  CPoker(const CPoker&) = delete;
  CPoker& operator=(const CPoker&) = delete;

  // The card at a deck position, or null outside 0..53.
  CCard* GetCard(int position) const;

  // Clears every played flag, then for i = 0..53 swaps positions i and
  // Rand() % 54. This swap-with-any-position shuffle is not uniform, but it is
  // the deal sequence a seed has always produced (replays and peers may rely on
  // it), so it stays exactly as it is.
  void Shuffle();

 private:
  std::array<std::unique_ptr<CCard>, kCardCount> m_pCards;
};

// Card counts by value: 18 entries indexed by value. Counting a card raises its
// deck value's entry, and an A also entry 14, a 2 also entry 15, so entries
// 3..17 are the value index and entries 1 and 2 repeat the aces and 2s.
class CCardRecord {
 public:
  static constexpr int kSize = 18;

  virtual ~CCardRecord() = default;

  void Clear() { m_uCount.fill(0); }
  void CountCard(const CCard& card);
  // The entry at an index, 0 outside 0..17.
  unsigned Get(int index) const;
  // Adds n at a value index 3..17 (14 and 15 keep entries 1 and 2 in step);
  // other indexes are ignored.
  void Add(int valueIndex, unsigned n = 1);
  // Takes n away at a value index 3..17; false, and nothing changed, when fewer are counted.
  bool Remove(int valueIndex, unsigned n = 1);
  // Sets the count at a value index 3..17.
  void Set(int valueIndex, unsigned n);

 private:
  std::array<unsigned, kSize> m_uCount{};
};

}  // namespace ddz
