// The state of the hand in progress that every table view keeps: bids, the
// landlord, score and multiple, the play on the table, bombs, auto-play and
// the bottom cards. Seats are screen seats 0-3 (the own seat is 1); card lists
// hold card codes. The views, the widgets and the scripts read and write the
// fields directly.
#pragma once

#include <cstdint>
#include <vector>

struct TableItemDef {
  static constexpr int kSeats = 4;
  static constexpr int kLastOutCards = 20;

  // Each seat's last bid or call/rob answer of this hand (the action code of
  // the bid result message).
  std::int32_t iPointDemand[kSeats];
  std::int32_t iLandOwnerPos;
  std::int32_t iFinalPoint;  // the winning bid
  std::int32_t iBaseScore;
  std::int32_t iTimes;  // the multiple of the hand
  // The seat whose play lies on the table to be beaten.
  std::int32_t iTableCardOwnerPos;
  std::int32_t iSendBombNum;  // a rocket sets bSendRocket instead
  std::int32_t iCompeteAmount[kSeats];
  std::int32_t iTuoGuan[kSeats];  // auto-play flags
  std::int32_t iShowCardTable;    // the seat that showed its hand
  // The own seat's turn counter: the first own turn makes it 0.
  std::int32_t iSelfTurnCount;
  // Per seat, the card codes that lay on the table when its turn last came;
  // -1 in the places left empty.
  std::int32_t iLastOutCard[kSeats][kLastOutCards];
  bool bSendRocket;
  bool bPlayBombSound;
  std::int8_t cHappyCard;  // the wildcard value of a Super hand, -1 for none
  std::vector<int> vcBaseCardIndex;
  std::vector<int> vcTableCardIndex;

  TableItemDef() { Clear(); }

  // Back to the start of a hand. The two card lists are emptied but keep their
  // storage.
  void Clear();
};
