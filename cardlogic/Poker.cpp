#include "cardlogic/Poker.h"

#include <utility>

#include "platform/os/Clock.h"
#include "platform/os/Random.h"

namespace ddz {

bool SeedRandomOncePerProcess() {
  static bool seeded = false;
  if (seeded) return false;
  seeded = true;
  // As the runtime's srand((unsigned)time(NULL)): the low 32 bits of the time.
  os::Srand(static_cast<std::uint32_t>(os::SystemWallTimeSeconds()));
  return true;
}

CPoker::CPoker(DeckSeeding seeding) {
  if (seeding == DeckSeeding::OncePerProcess) SeedRandomOncePerProcess();
  int pos = 0;
  for (int suit = 0; suit < 4; ++suit)
    for (int value = 1; value <= 13; ++value) m_pCards[pos++] = std::make_unique<CCard>(suit, value);
  m_pCards[pos++] = std::make_unique<CCard>(kDeckSmallJokerSuit, kValueSmallJoker);
  m_pCards[pos++] = std::make_unique<CCard>(kDeckBigJokerSuit, kValueBigJoker);
}

CCard* CPoker::GetCard(int position) const {
  if (position < 0 || position >= kCardCount) return nullptr;
  return m_pCards[position].get();
}

void CPoker::Shuffle() {
  for (auto& card : m_pCards) card->SetPlayed(false);
  for (int i = 0; i < kCardCount; ++i) {
    const int r = os::Rand() % kCardCount;
    std::swap(m_pCards[i], m_pCards[r]);
  }
}

void CCardRecord::CountCard(const CCard& card) {
  const int value = card.Value();
  if (value < 0 || value >= kSize) return;
  ++m_uCount[value];
  if (value == 1) ++m_uCount[kValueA];
  if (value == 2) ++m_uCount[kValue2];
}

unsigned CCardRecord::Get(int index) const {
  if (index < 0 || index >= kSize) return 0;
  return m_uCount[index];
}

void CCardRecord::Add(int valueIndex, unsigned n) {
  if (valueIndex < 3 || valueIndex >= kSize) return;
  m_uCount[valueIndex] += n;
  if (valueIndex == kValueA) m_uCount[1] += n;
  if (valueIndex == kValue2) m_uCount[2] += n;
}

bool CCardRecord::Remove(int valueIndex, unsigned n) {
  if (valueIndex < 3 || valueIndex >= kSize || m_uCount[valueIndex] < n) return false;
  m_uCount[valueIndex] -= n;
  if (valueIndex == kValueA) m_uCount[1] = m_uCount[valueIndex];
  if (valueIndex == kValue2) m_uCount[2] = m_uCount[valueIndex];
  return true;
}

void CCardRecord::Set(int valueIndex, unsigned n) {
  if (valueIndex < 3 || valueIndex >= kSize) return;
  m_uCount[valueIndex] = n;
  if (valueIndex == kValueA) m_uCount[1] = n;
  if (valueIndex == kValue2) m_uCount[2] = n;
}

}  // namespace ddz
