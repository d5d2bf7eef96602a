// CPlayerCard: the seat's cards, what it has seen, and taking plays out.
#include "cardlogic/PlayerCard.h"

namespace ddz {

namespace {

// Cards per group value for codes 1..14 (wings apart).
int GroupMultiplicity(int code) {
  switch (code) {
    case Combo::Plane:
    case Combo::PlaneSingles:
    case Combo::PlanePairs:
    case Combo::Triple:
    case Combo::TripleSingle:
    case Combo::TriplePair: return 3;
    case Combo::PairStraight:
    case Combo::Pair: return 2;
    case Combo::Straight:
    case Combo::Single: return 1;
    case Combo::Bomb:
    case Combo::FourTwoSingles:
    case Combo::FourTwoPairs: return 4;
    default: return 0;
  }
}

// Wing cards per wing value, and how many wing values, for codes 1..14.
int WingMultiplicity(int code) {
  switch (code) {
    case Combo::PlaneSingles:
    case Combo::FourTwoSingles:
    case Combo::TripleSingle: return 1;
    case Combo::PlanePairs:
    case Combo::FourTwoPairs:
    case Combo::TriplePair: return 2;
    default: return 0;
  }
}

}  // namespace

CPlayerCard::CPlayerCard() = default;

bool CPlayerCard::SetHandCards(const CPoker* deck, int seat) {
  if (deck == nullptr || seat < 0 || seat >= 3) return false;
  std::array<CCard*, kDealCount> cards{};
  for (int k = 0; k < kDealCount; ++k) cards[k] = deck->GetCard(seat + 3 * k);
  std::array<int, 3> bottom{};
  for (int k = 0; k < CPoker::kBottomCount; ++k) bottom[k] = deck->GetCard(CPoker::kBottomFirst + k)->ValueIndex();
  return SetCards(cards, bottom, true);
}

bool CPlayerCard::SetCards(std::span<CCard* const> cards, const std::array<int, 3>& bottomValues, bool bidFlag) {
  if (cards.size() > static_cast<std::size_t>(kMaxCards)) return false;
  std::array<int, kValueSlots> count{};
  for (const CCard* card : cards) {
    if (card == nullptr) return false;
    const int v = card->ValueIndex();
    if (v < 3 || v > kValueBigJoker) return false;
    const int limit = v >= kValueSmallJoker ? 1 : 4;
    if (++count[v] > limit) return false;
  }
  m_pCards.fill(nullptr);
  m_OwnCount.Clear();
  m_SeenCount.Clear();
  for (std::size_t k = 0; k < cards.size(); ++k) {
    m_pCards[k] = cards[k];
    m_OwnCount.CountCard(*cards[k]);
    m_SeenCount.CountCard(*cards[k]);
  }
  m_iBottomValue = bottomValues;
  m_iCardCount = static_cast<int>(cards.size());
  AnalyseHand(bidFlag);
  return true;
}

bool CPlayerCard::AddBottomCards(const CPoker* deck, int /*bidScore*/) {
  if (deck == nullptr || m_iCardCount != kDealCount) return false;
  for (int k = 0; k < CPoker::kBottomCount; ++k) {
    CCard* card = deck->GetCard(CPoker::kBottomFirst + k);
    m_pCards[kDealCount + k] = card;
    m_OwnCount.CountCard(*card);
    m_SeenCount.CountCard(*card);
  }
  m_iCardCount = kDealCount + CPoker::kBottomCount;
  AnalyseHand(false);
  return true;
}

int CPlayerCard::GetCombinationCardCount(const CombinationRecord* record) {
  if (record == nullptr) return 0;
  const int n = record->iHigh - record->iLow + 1;
  switch (record->iType) {
    case Combo::Plane: return n > 0 ? 3 * n : 0;
    case Combo::PlaneSingles: return n > 0 ? 4 * n : 0;
    case Combo::PlanePairs: return n > 0 ? 5 * n : 0;
    case Combo::PairStraight: return n > 0 ? 2 * n : 0;
    case Combo::Straight: return n > 0 ? n : 0;
    case Combo::Bomb: return 4;
    case Combo::FourTwoSingles: return 6;
    case Combo::FourTwoPairs: return 8;
    case Combo::Triple: return 3;
    case Combo::TripleSingle: return 4;
    case Combo::TriplePair: return 5;
    case Combo::Pair: return 2;
    case Combo::Single: return 1;
    case Combo::Rocket: return 2;
    default: return 0;
  }
}

bool CPlayerCard::CombinationValues(const CombinationRecord& c, std::array<int, kValueSlots>& need) {
  need.fill(0);
  const int code = c.iType;
  if (code == Combo::Rocket) {
    need[kValueSmallJoker] = 1;
    need[kValueBigJoker] = 1;
    return true;
  }
  if (code < Combo::Plane || code > Combo::Single) return false;

  int low = c.iLow;
  int high = c.iHigh;
  int wings = 0;
  if (code <= Combo::Straight) {
    // Chains run over 3..A: a 2 never joins one.
    struct Len { int min, max; };
    static constexpr Len kLen[] = {{0, 0}, {2, 6}, {2, 5}, {2, 4}, {3, 10}, {5, 12}};
    const int n = high - low + 1;
    if (low < 3 || high > kValueA || n < kLen[code].min || n > kLen[code].max) return false;
    if (code == Combo::PlaneSingles || code == Combo::PlanePairs) wings = n;
  } else {
    high = low;
    const int top = code == Combo::Single ? kValueBigJoker : kValue2;
    if (low < 3 || low > top) return false;
    if (code == Combo::FourTwoSingles || code == Combo::FourTwoPairs) wings = 2;
    if (code == Combo::TripleSingle || code == Combo::TriplePair) wings = 1;
  }
  const int mult = GroupMultiplicity(code);
  for (int v = low; v <= high; ++v) need[v] += mult;
  const int wingMult = WingMultiplicity(code);
  const int wingTop = wingMult == 1 ? kValueBigJoker : kValue2;
  for (int k = 0; k < wings; ++k) {
    const int w = c.iWings[k];
    if (w < 3 || w > wingTop) return false;
    need[w] += wingMult;
  }
  return true;
}

bool CPlayerCard::TakeOutCards(CombinationRecord* combination, bool reanalyse, CPlayerCard* seat0,
                               CPlayerCard* seat1, CPlayerCard* seat2) {
  if (combination == nullptr || m_iCardCount <= 0) return false;
  if (combination->iType == Combo::None) return true;  // a pass

  std::array<int, kValueSlots> need{};
  if (!CombinationValues(*combination, need)) return false;
  int total = 0;
  for (int v = 3; v < kValueSlots; ++v) {
    if (static_cast<unsigned>(need[v]) > m_OwnCount.Get(v)) return false;
    total += need[v];
  }
  if (total > m_iCardCount) return false;

  for (int v = 3; v < kValueSlots; ++v) m_OwnCount.Remove(v, static_cast<unsigned>(need[v]));
  m_iCardCount -= total;
  m_iHighScore -= need[kValue2] + need[kValueSmallJoker] + need[kValueBigJoker];
  if (combination->iType == Combo::Bomb && combination->iLow != kValue2) m_iHighScore -= 1;
  if (reanalyse) AnalyseHand(false);

  combination->pPrevPlayer = combination->pPlayer;
  combination->pPlayer = this;
  for (CPlayerCard* seat : {seat0, seat1, seat2})
    if (seat != nullptr && seat != this) seat->RecordSeenCards(this, combination);
  return true;
}

bool CPlayerCard::RecordSeenCards(const CPlayerCard* player, const CombinationRecord* combination) {
  if (player == nullptr || combination == nullptr) return false;
  if (player == this) return true;
  if (combination->iType < Combo::Plane || combination->iType > Combo::Rocket) return true;
  if (combination->iType == Combo::Rocket) {
    m_SeenCount.Set(kValueSmallJoker, 1);
    m_SeenCount.Set(kValueBigJoker, 1);
    return true;
  }
  std::array<int, kValueSlots> need{};
  if (!CombinationValues(*combination, need)) return false;
  for (int v = 3; v < kValueSlots; ++v) m_SeenCount.Add(v, static_cast<unsigned>(need[v]));
  return true;
}

bool CPlayerCard::RemovePlayedCards(CombinationRecord* record, const int* values, int count, CPlayerCard* seat0,
                                    CPlayerCard* seat1, CPlayerCard* seat2) {
  if (record == nullptr || values == nullptr || count <= 0 || count > m_iCardCount) return false;
  std::array<int, kValueSlots> need{};
  for (int k = 0; k < count; ++k) {
    const int v = values[k];
    if (v < 3 || v > kValueBigJoker) return false;
    if (static_cast<unsigned>(++need[v]) > m_OwnCount.Get(v)) return false;
  }
  for (int k = 0; k < count; ++k) {
    m_OwnCount.Remove(values[k]);
    for (CPlayerCard* seat : {seat0, seat1, seat2})
      if (seat != nullptr && seat != this) seat->m_SeenCount.Add(values[k]);
  }
  m_iCardCount -= count;
  record->pPrevPlayer = record->pPlayer;
  record->pPlayer = this;
  AnalyseHand(false);
  return true;
}

}  // namespace ddz
