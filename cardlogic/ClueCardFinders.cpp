// ClueCard's bigger-play finders: the next pair, triple, bomb, straight or pair
// straight above a given card, searched from the lowest end of the sorted hand.
#include <vector>

#include "cardlogic/ClueCard.h"

namespace ddz {

namespace {

// The lowest `width` equal cards above `beat` in a hand sorted highest first.
// The cards go to `out` from the lowest position upward; returns the position of
// the lowest of them, or -1.
int FindEqualRun(const std::vector<CardCode>& hand, int beat, int width, std::vector<CardCode>& out) {
  out.clear();
  for (int i = static_cast<int>(hand.size()) - 1; i >= width - 1; --i) {
    const int v = CodeToValue(hand[i]);
    if (v <= beat) continue;
    bool equal = true;
    for (int k = 1; k < width && equal; ++k) equal = CodeToValue(hand[i - k]) == v;
    if (!equal) continue;
    for (int k = 0; k < width; ++k) out.push_back(hand[i - k]);
    return i;
  }
  return -1;
}

// The hand without its 2s and jokers (nothing of value 15 or more can chain).
std::vector<CardCode> ChainableCards(const std::vector<CardCode>& hand) {
  std::vector<CardCode> cards;
  cards.reserve(hand.size());
  for (CardCode c : hand)
    if (CodeToValue(c) < kValue2) cards.push_back(c);
  return cards;
}

}  // namespace

int ClueCard::FindBiggerPair(CardCode card) {
  const int i = FindEqualRun(m_vcHand, GetCardValue(card), 2, m_vcResult);
  return i < 0 ? -1 : m_vcHand[i - 1];
}

int ClueCard::FindBiggerTriple(CardCode card) {
  const int i = FindEqualRun(m_vcHand, GetCardValue(card), 3, m_vcResult);
  return i < 0 ? -1 : m_vcHand[i - 2];
}

int ClueCard::FindBiggerBomb(CardCode card) {
  const int i = FindEqualRun(m_vcHand, GetCardValue(card), 4, m_vcResult);
  return i < 0 ? -1 : m_vcHand[i];
}

int ClueCard::FindStraight(CardCode card) {
  const int beat = GetCardValue(card);
  const std::vector<CardCode> cards = ChainableCards(m_vcHand);
  // One card per value, ascending.
  std::vector<CardCode> distinct;
  for (auto it = cards.rbegin(); it != cards.rend(); ++it)
    if (distinct.empty() || CodeToValue(distinct.back()) != CodeToValue(*it)) distinct.push_back(*it);

  m_vcResult.clear();
  for (std::size_t start = 0; start < distinct.size(); ++start) {
    if (CodeToValue(distinct[start]) <= beat) continue;
    m_vcResult.assign(1, distinct[start]);
    for (std::size_t j = start + 1;
         j < distinct.size() && CodeToValue(distinct[j]) == CodeToValue(m_vcResult.back()) + 1; ++j) {
      m_vcResult.push_back(distinct[j]);
    }
    if (m_vcResult.size() >= 5) return m_vcResult.back();
    m_vcResult.clear();
  }
  return -1;
}

int ClueCard::FindPairStraight(CardCode card) {
  const std::vector<CardCode> cards = ChainableCards(m_vcHand);
  std::vector<CardCode> pair;
  m_vcResult.clear();
  CardCode current = card;
  int lastExamined = -1;
  for (std::size_t step = 0; step < cards.size(); ++step) {
    const int i = FindEqualRun(cards, GetCardValue(current), 2, pair);
    if (i < 0) break;
    if (CodeToValue(pair[0]) == GetCardValue(current) + 1) {
      m_vcResult.insert(m_vcResult.end(), pair.begin(), pair.end());
    } else {
      if (m_vcResult.size() > 5) break;  // a whole run ends at this gap
      m_vcResult = pair;                  // a gap: the run starts again with this pair
    }
    lastExamined = pair[1];
    current = pair[1];
  }
  if (m_vcResult.size() < 6) m_vcResult.clear();
  // A run found answers with its own top card, so that a search from the answer
  // goes on with the next run above it (a pair past the gap is not skipped).
  return m_vcResult.empty() ? lastExamined : m_vcResult.back();
}

}  // namespace ddz
