#include "cardlogic/ExtraDdzAI.h"

namespace ddz {

ExtraDdzAI::ExtraDdzAI(DeckSeeding seeding) : m_Poker(seeding) {}

void ExtraDdzAI::DealCards() {
  m_iBids.fill(-1);
  m_iLastPlayer = -1;
  m_LastPlay.Clear();
  m_Poker.Shuffle();
  for (int chair = 0; chair < kChairs; ++chair) m_Players[chair].SetHandCards(&m_Poker, chair);
}

int ExtraDdzAI::GetAIBid(int chair) {
  if (!ValidChair(chair)) return 0;
  const int wish = m_Players[chair].GetBidWish();
  m_iBids[chair] = wish;

  int highest = -1;
  int holder = -1;
  for (int c = 0; c < kChairs; ++c) {
    if (m_iBids[c] > highest) {
      highest = m_iBids[c];
      holder = c;
    }
  }

  int bid = wish;
  if (wish <= 0 && highest <= 0) {
    bid = 1;  // nobody has bid: a computer chair always opens, so the hand gets a landlord
  } else if (wish <= highest && holder != chair) {
    bid = 0;
  }
  if (bid >= 1) {
    for (int c = 0; c < kChairs; ++c)
      if (c != chair && m_iBids[c] == bid) bid = 0;
  }
  m_iBids[chair] = bid;
  return bid;
}

void ExtraDdzAI::SetBid(int chair, int bid) {
  if (ValidChair(chair)) m_iBids[chair] = bid;
}

bool ExtraDdzAI::SetLandlord(int chair, int score) {
  if (!ValidChair(chair)) return false;
  m_Players[chair].SetRole(0);
  m_Players[(chair + 1) % kChairs].SetRole(1);
  m_Players[(chair + 2) % kChairs].SetRole(2);
  return m_Players[chair].AddBottomCards(&m_Poker, score);
}

}  // namespace ddz
