#include "cardlogic/SRSearchCard.h"

#include <algorithm>

#include "cardlogic/SRClueCard.h"

namespace ddz {

namespace {

constexpr int kEngineSmallJoker = 25;
constexpr int kEngineBigJoker = 26;
constexpr int kEngine2 = 20;
constexpr int kLow2 = 2;
constexpr int kMaxHeld = 8;  // two decks hold a value at most eight times

void RemoveValues(std::vector<std::uint8_t>& list, const std::vector<std::uint8_t>& drop) {
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](std::uint8_t v) { return std::find(drop.begin(), drop.end(), v) != drop.end(); }),
             list.end());
}

std::uint8_t ToFoundByte(std::uint8_t engine) {
  switch (engine) {
    case kEngine2: return 2;
    case kEngineSmallJoker: return static_cast<std::uint8_t>(kValueSmallJoker);
    case kEngineBigJoker: return static_cast<std::uint8_t>(kValueBigJoker);
    case kValueA: return 1;
    default: return engine;
  }
}

}  // namespace

bool SRSearchCard::Split(const CardCode* codes, int count) {
  for (auto& held : m_vcHeld) held.clear();
  m_vcDistinct.clear();
  m_vcPairChain.clear();
  m_vcBombChain.clear();
  m_vcPlaneChain.clear();
  if (codes == nullptr || count < 1 || count > SRClueCard::kMaxCards) return false;

  std::array<int, 60> perCode{};
  int twos = 0;
  for (int i = 0; i < count; ++i) {
    if (!SRClueCard::IsTableCode(codes[i]) || ++perCode[codes[i]] > 2) return false;
    if (codes[i] % 15 == 1) ++twos;
  }
  const bool low2 = SRCardType::IsChain(m_iType) && twos < 3;

  std::array<int, kEngineBigJoker + 1> held{};
  for (int i = 0; i < count; ++i) {
    const int index = codes[i] % 15;
    int v = index + 1;
    if (index == 0) v = kValueA;
    else if (index == 1) v = low2 ? kLow2 : kEngine2;
    else if (index == 13) v = kEngineSmallJoker;
    else if (index == 14) v = kEngineBigJoker;
    ++held[v];
  }
  if (held[kEngineSmallJoker] == 2 && held[kEngineBigJoker] == 2) {
    m_vcHeld[kFourJokersArray] = {kEngineSmallJoker, kEngineSmallJoker, kEngineBigJoker, kEngineBigJoker};
    held[kEngineSmallJoker] = held[kEngineBigJoker] = 0;
  }
  for (int v = 1; v <= kEngineBigJoker; ++v) {
    const int k = held[v];
    if (k == 0) continue;
    const auto value = static_cast<std::uint8_t>(v);
    m_vcHeld[k - 1].push_back(value);
    m_vcDistinct.push_back(value);
    if (k >= 2) m_vcPairChain.push_back(value);
    if (k >= 3) m_vcPlaneChain.push_back(value);
    if (k >= 4) m_vcBombChain.push_back(value);
  }
  if (m_iBombGuard > 0) {
    RemoveValues(m_vcDistinct, m_vcBombChain);
    RemoveValues(m_vcPairChain, m_vcBombChain);
    RemoveValues(m_vcPlaneChain, m_vcBombChain);
  }
  return true;
}

bool SRSearchCard::Search(const CardCode* codes, int count, int type, int value) {
  namespace T = SRCardType;
  m_vcFound.clear();
  m_iType = type;
  m_iValue = value == kValue2 ? kEngine2 : value;
  m_iBombGuard = 10;
  if (type < 1 || type > T::FourJokers) return false;

  bool (SRSearchCard::*finder)() = nullptr;
  if (type == T::Single) finder = &SRSearchCard::FindSingle;
  else if (type == T::Pair) finder = &SRSearchCard::FindPair;
  else if (type == T::Triple) finder = &SRSearchCard::FindTriple;
  else if (type == T::TriplePair) finder = &SRSearchCard::FindTripleWithPair;
  else if (T::IsStraight(type)) finder = &SRSearchCard::FindStraight;
  else if (T::IsPairStraight(type)) finder = &SRSearchCard::FindPairStraight;
  else if (T::IsPlane(type)) finder = &SRSearchCard::FindPlane;
  else if (T::IsPlanePairs(type)) finder = &SRSearchCard::FindPlaneWithPairs;
  else if (T::IsBomb(type)) finder = &SRSearchCard::FindBomb;
  if (finder == nullptr) return false;

  if (!Split(codes, count) || !(this->*finder)()) {
    m_vcFound.clear();
    return false;
  }
  for (auto& f : m_vcFound) f = ToFoundByte(f);
  return true;
}

void SRSearchCard::Put(int value, int times) {
  for (int k = 0; k < times; ++k) m_vcFound.push_back(static_cast<std::uint8_t>(value));
}

bool SRSearchCard::FindSmallestBomb() {
  const int firstBomb = m_iArrayCount - m_iBombArrayCount;  // arrays 0..2: held 1..3 times
  for (int k = firstBomb; k < kFourJokersArray; ++k) {
    if (!m_vcHeld[k].empty()) {
      Put(m_vcHeld[k].front(), k + 1);
      return true;
    }
  }
  if (!m_vcHeld[kFourJokersArray].empty()) {
    m_vcFound.insert(m_vcFound.end(), m_vcHeld[kFourJokersArray].begin(), m_vcHeld[kFourJokersArray].end());
    return true;
  }
  return false;
}

bool SRSearchCard::FindSingle() {
  // A single card first, then one card of a pair, then one of a triple.
  for (int times = 1; times <= 3; ++times) {
    for (std::uint8_t v : m_vcHeld[times - 1]) {
      if (v > m_iValue) {
        Put(v, 1);
        return true;
      }
    }
  }
  return FindSmallestBomb();
}

bool SRSearchCard::FindPair() {
  for (int times = 2; times <= 3; ++times) {
    for (std::uint8_t v : m_vcHeld[times - 1]) {
      if (v > m_iValue) {
        Put(v, 2);
        return true;
      }
    }
  }
  return FindSmallestBomb();
}

bool SRSearchCard::FindTriple() {
  for (std::uint8_t v : m_vcHeld[2]) {
    if (v > m_iValue) {
      Put(v, 3);
      return true;
    }
  }
  return FindSmallestBomb();
}

bool SRSearchCard::FindTripleWithPair() {
  for (std::uint8_t t : m_vcHeld[2]) {
    if (t <= m_iValue) continue;
    // The lowest pair of another value: a pair held as such, else two of a triple.
    for (int times = 2; times <= 3; ++times) {
      for (std::uint8_t p : m_vcHeld[times - 1]) {
        if (p == t) continue;
        Put(t, 3);
        Put(p, 2);
        return true;
      }
    }
  }
  return FindSmallestBomb();
}

bool SRSearchCard::FindChain(const std::vector<std::uint8_t>& list, int length, int width) {
  const int floor = m_iValue - length + 1;  // the new chain must start above the old one's start
  const int n = static_cast<int>(list.size());
  int run = 0;
  for (int i = 0; i < n; ++i) {
    const int v = list[i];
    if (v <= floor) continue;
    if (run == 0 && n - i < length) break;
    run = (run > 0 && v == list[i - 1] + 1) ? run + 1 : 1;
    if (run == length) {
      for (int w = v - length + 1; w <= v; ++w) Put(w, width);
      return true;
    }
  }
  return false;
}

bool SRSearchCard::FindStraight() {
  return FindChain(m_vcDistinct, m_iType - 16, 1) || FindSmallestBomb();
}

bool SRSearchCard::FindPairStraight() {
  return FindChain(m_vcPairChain, m_iType - 32, 2) || FindSmallestBomb();
}

bool SRSearchCard::FindPlane() {
  return FindChain(m_vcPlaneChain, m_iType - 53, 3) || FindSmallestBomb();
}

bool SRSearchCard::FindPlaneWithPairs() {
  const int k = SRCardType::PlanePairsTriples(m_iType);
  if (static_cast<int>(m_vcPlaneChain.size()) >= k && static_cast<int>(m_vcPairChain.size()) >= 2 * k &&
      FindChain(m_vcPlaneChain, k, 3)) {
    std::vector<std::uint8_t> body;
    for (int i = 0; i < k; ++i) body.push_back(m_vcFound[3 * i]);
    std::vector<std::uint8_t> pairs = m_vcPairChain;
    RemoveValues(pairs, body);
    for (int i = 0; i < k; ++i) Put(pairs[i], 2);
    return true;
  }
  m_vcFound.clear();
  return FindSmallestBomb();
}

bool SRSearchCard::FindBomb() {
  const int size = m_iType - 108;
  for (std::uint8_t v : m_vcHeld[size - 1]) {
    if (v > m_iValue) {
      Put(v, size);
      return true;
    }
  }
  // Any bomb of more cards beats, whatever its value.
  for (int k = size + 1; k <= kMaxHeld; ++k) {
    if (!m_vcHeld[k - 1].empty()) {
      Put(m_vcHeld[k - 1].front(), k);
      return true;
    }
  }
  if (!m_vcHeld[kFourJokersArray].empty()) {
    m_vcFound.insert(m_vcFound.end(), m_vcHeld[kFourJokersArray].begin(), m_vcHeld[kFourJokersArray].end());
    return true;
  }
  return false;
}

}  // namespace ddz
