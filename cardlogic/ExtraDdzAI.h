// The computer players of the single-player game: the deck, one seat record per
// chair (chair 1, the human, is mirrored so the others can reason about it), the
// bids and the table's last play. The local server drives it.
#pragma once

#include <array>
#include <span>

#include "cardlogic/PlayerCard.h"
#include "cardlogic/Poker.h"

namespace ddz {

class ExtraDdzAI {
 public:
  static constexpr int kChairs = 3;

  // The deck seeds the random generator once per process unless told otherwise.
  explicit ExtraDdzAI(DeckSeeding seeding = DeckSeeding::OncePerProcess);
  virtual ~ExtraDdzAI() = default;
  ExtraDdzAI(const ExtraDdzAI&) = delete;
  ExtraDdzAI& operator=(const ExtraDdzAI&) = delete;

  // New hand: bids and last player to -1, last play cleared, the deck shuffled
  // and dealt to chairs 0, 1, 2 in that order (each computing its bid wish).
  void DealCards();
  // A computer chair's bid against the bids made so far (stored as its bid).
  // 0 for a chair outside 0..2.
  int GetAIBid(int chair);
  // Stores a bid made elsewhere (the human's).
  void SetBid(int chair, int bid);
  // Roles from the landlord's chair (landlord 0, next chair 1, previous chair 2)
  // and the bottom cards to the landlord. False for a chair outside 0..2 or when
  // the landlord's record refuses the bottom cards.
  bool SetLandlord(int chair, int score);

  // A computer chair's turn: it leads when it made the last play or nobody has
  // played. On a play (1) the move is in the last-play record, its cards are
  // written to out as card bytes (jokers 16 and 17) and marked played, count
  // holds how many, and the chair is the last player. 0: a pass (count 0), or
  // a chair outside 0..2, or out shorter than 20 bytes.
  int AIPlay(int chair, std::span<CardByte> out, int& count);
  // The human's play (chair 1), as the card bytes of its request: classified
  // into the last-play record, taken out of chair 1's record (the others note
  // it), chair 1 the last player. False, and nothing changed, for a count
  // outside 1..20, a byte that is no card, cards that make no play, or cards
  // chair 1 does not hold.
  bool OnHumanPlay(const CardByte* cards, int count);
  // Cards -> combination record (code, low, high, wing kind and wings); false,
  // and out untouched, when they make no play of the classic rules or name one
  // card twice.
  static bool CardsToCombination(std::span<const CardByte> cards, CombinationRecord& out);
  // Combination -> the chair's cards: for each value (the group from its high
  // value down, then the wings) the first card of the chair's slots with that
  // value not yet played; those cards are marked played and written to out.
  // Returns the count, or 0 (nothing marked) when the chair lacks a card or out
  // is too short.
  static int CombinationToCards(const CombinationRecord& record, const CPlayerCard& seat, std::span<CardByte> out);

  int GetBid(int chair) const { return ValidChair(chair) ? m_iBids[chair] : -1; }
  int GetLastPlayer() const { return m_iLastPlayer; }
  void SetLastPlayer(int chair) { m_iLastPlayer = chair; }
  CPoker& Deck() { return m_Poker; }
  const CPoker& Deck() const { return m_Poker; }
  // The chair's record, or null outside 0..2.
  CPlayerCard* Player(int chair) { return ValidChair(chair) ? &m_Players[chair] : nullptr; }
  CombinationRecord& LastPlay() { return m_LastPlay; }

 private:
  static bool ValidChair(int chair) { return chair >= 0 && chair < kChairs; }

  std::array<int, kChairs> m_iBids{-1, -1, -1};
  int m_iLastPlayer = -1;
  CPoker m_Poker;
  std::array<CPlayerCard, kChairs> m_Players;
  CombinationRecord m_LastPlay;
};

}  // namespace ddz
