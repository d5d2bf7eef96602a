// The hint search engine of the classic table: it splits a hand of card bytes
// into groups (singles, pairs, triples, bombs, rocket) and chains of values, and
// finds in them a play of a given type above a given key value, or else a bomb
// or the rocket. ClueCard::Hint drives it press after press.
#pragma once

#include <array>
#include <cstdint>

namespace ddz {

// Hint cycle state: type and key value (spread form) of the last suggestion, or
// -1 and -1 when the next press starts over from the play on the table.
extern int g_iLastHintType;
extern int g_iLastHintValue;

// Starts the hint cycle over. The own hands call it at the start of each own turn.
void ResetHintCycle();

struct ClueCardSearch {
  // Engine input and output: 20 bytes, 0 where there is no card.
  static constexpr int kBytes = 20;

  // An ascending list of engine values (A 14, 2 20, jokers 25 and 26).
  struct ByteList {
    std::array<std::uint8_t, kBytes> v{};
    int n = 0;
    void Push(int value) {
      if (n < kBytes) v[n++] = static_cast<std::uint8_t>(value);
    }
    bool Contains(int value) const;
  };

  int iNowType = -1;  // the type to beat
  int value = 0;      // its key value

  ByteList singles;   // values held once (jokers included)
  ByteList pairs;     // two bytes per value held twice
  ByteList triples;   // three bytes per value held three times
  ByteList bombs;     // four bytes per value held four times
  ByteList rocket;    // 25 and 26 when both jokers are held
  ByteList distinct;  // every value of the hand once (straights)
  ByteList pairChain;   // values held at least twice (pair straights)
  ByteList planeChain;  // values held at least three times (planes)

  // Fills the groups and chains from 20 hand bytes (card bytes, 0 = no card).
  void Split(const std::uint8_t* hand);

  // Finds a play above (type, key) in the 20 hand bytes. On success `out` (20
  // bytes, zeroed here first) holds the play as CardValues (A 14, 2 15, jokers 16
  // and 17), zero-terminated.
  bool Search(const std::uint8_t* hand, std::uint8_t* out, int type, int key);

  // One finder per type family; each writes engine values to out.
  bool FindSingle(std::uint8_t* out) const;
  bool FindPair(std::uint8_t* out) const;
  bool FindTriple(std::uint8_t* out) const;
  bool FindTripleWithSingle(std::uint8_t* out) const;
  bool FindTripleWithPair(std::uint8_t* out) const;
  bool FindStraight(std::uint8_t* out) const;
  bool FindPairStraight(std::uint8_t* out) const;
  bool FindPlane(std::uint8_t* out) const;
  bool FindFourWithTwo(std::uint8_t* out) const;
  bool FindPlaneWithWings(std::uint8_t* out) const;
  bool FindBomb(std::uint8_t* out) const;

 private:
  // The lowest bomb, else the rocket: the answer when nothing of the type is found.
  bool FallBack(std::uint8_t* out) const;
  // A chain of `len` consecutive values of `chain` starting above the start of
  // the chain to beat (whose highest value is `key`); returns its first value or -1.
  static int FindChainStart(const ByteList& chain, int len, int key);
};

}  // namespace ddz
