// The deal of the four-player table: the classic deal (DealCard) with two
// decks and four seats. 108 cards in the pile; 25 passes each fly one card to
// every seat, a pass every three moves of 18 ms, with the deal sound on every
// pass; the lander card turns up at its seat in the first pass r with
// 4r - 8 <= its position <= 4r (the position drawn from 1 to 25); the 8 cards
// left over become the 8 face-down bottom cards. The own cards of the hand's
// golden rank arrive with the gold focus frame; the own hand's
// RefreshCardMarks later keeps the frames only where four or more are held.
//
// The clock, counters and message lock are the classic deal's: members,
// started again with every ShowLandCard, the lock lowered exactly once.
#pragma once

#include <array>
#include <cstdint>

#include "cards/DealCard.h"

class SRDealCard : public DealCard {
 public:
  static constexpr int kSeats = 4;
  static constexpr int kOwnCards = 25;
  static constexpr int kTotalCards = 108;
  static constexpr int kBottomCards = 8;
  static constexpr int kLanderPositions = 25;
  static constexpr unsigned kPassStepMs = 18;

  // As DealCard's: nothing is owned.
  SRDealCard(ITableRowOwner* owner, const std::array<Vell_SpriteCardManage*, kSeatSlots>& seatRows,
             BaseCard* baseCard);

  // Prepares a deal: the own 25 card bytes of the deal message (one that is no
  // card is skipped with a log line), a value the deal does not use, the
  // lander card byte (no card: the deal runs without a lander card), the
  // lander's screen seat (0..3) and the golden number of the hand (1..15, the
  // golden card index plus one; anything else: no golden card).
  void ShowLandCard(const std::uint8_t* ownCardBytes, int unused, std::uint8_t landerByte, int landerSeat,
                    int goldenNumber);

  // Card index (CardCode % 15) of this deal's golden card; -1 none.
  int GetGoldenRank() const { return m_iGoldenRank; }

 protected:
  PilePlace PilePlaceOf() const override;
  FlyPath FlyPathOf(int seat) const override;
  LanderPlace LanderPlaceOf(int seat) const override;
  bool OwnCardFocus(int card) const override;

 private:
  int m_iGoldenRank = -1;
};
