// The computer players of the single-player game: the deck, one seat record per
// chair (chair 1, the human, is mirrored so the others can reason about it), the
// bids and the table's last play. The local server drives it.
#pragma once

#include <array>

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
