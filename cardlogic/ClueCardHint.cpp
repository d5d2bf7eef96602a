// ClueCard's hint press cycle and the smart completion of a tapped or dragged
// selection.
#include <array>
#include <cstdio>
#include <vector>

#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"

namespace ddz {

bool ClueCard::Hint(std::vector<CardCode>& outSuggestion, const std::vector<CardCode>& lastPlay,
                    const std::vector<CardCode>& hand) {
  outSuggestion.clear();
  if (lastPlay.empty() || hand.empty()) return false;
  CardTypeInfo last;
  if (!GetCardType(last, lastPlay)) return false;

  // The hand as the own hand writes its cards; the engine takes at most 20.
  if (hand.size() > static_cast<std::size_t>(ClueCardSearch::kBytes)) {
    std::printf("Hint: hand of %zu cards refused\n", hand.size());
    return false;
  }
  // One deck: a card held twice is no hand (the search counts at most four of a value).
  std::array<std::uint8_t, ClueCardSearch::kBytes> bytes{};
  std::array<bool, kMaxCardCode + 1> held{};
  for (std::size_t i = 0; i < hand.size(); ++i) {
    if (!IsValidCardCode(hand[i])) {
      std::printf("Hint: card code %d refused\n", hand[i]);
      return false;
    }
    if (held[static_cast<std::size_t>(hand[i])]) {
      std::printf("Hint: card code %d held twice, hand refused\n", hand[i]);
      return false;
    }
    held[static_cast<std::size_t>(hand[i])] = true;
    bytes[i] = CodeToCardByte(hand[i]);
  }

  const bool fresh = g_iLastHintType == CardType::Invalid;
  if (fresh) {
    g_iLastHintType = last.type;
    g_iLastHintValue = last.value;
  }
  ClueCardSearch search;
  std::array<std::uint8_t, ClueCardSearch::kBytes> found{};
  if (!search.Search(bytes.data(), found.data(), g_iLastHintType, g_iLastHintValue)) {
    // Either way the next press starts from the play on the table again.
    ResetHintCycle();
    // A fresh cycle: nothing beats the play. A running one: past the biggest
    // play, answered with an empty suggestion.
    return !fresh;
  }

  // Each found value takes the first hand card of that value not yet taken.
  std::array<bool, ClueCardSearch::kBytes> taken{};
  std::array<std::uint8_t, ClueCardSearch::kBytes> values{};
  int matched = 0;
  for (CardCode card : hand) {
    const int v = GetCardValue(card);
    for (int j = 0; j < ClueCardSearch::kBytes; ++j) {
      if (taken[j] || found[j] == 0 || found[j] != v) continue;
      taken[j] = true;
      values[matched++] = static_cast<std::uint8_t>(v);
      outSuggestion.push_back(card);
      break;
    }
  }
  // The next press looks for a play above this suggestion.
  int key = 0;
  g_iLastHintType = GetTypeByMask(values.data(), matched, &key);
  g_iLastHintValue = key;
  return true;
}

namespace {

// A pair straight that uses every selected card, else the lowest straight
// inside the selection.
bool ChainInSelection(std::vector<CardCode>& out, const std::vector<CardCode>& selected) {
  ClueCard sel(selected);
  sel.FindPairStraight(-1);
  if (!sel.Result().empty() && sel.Result().size() == selected.size()) {
    out = sel.Result();
    return true;
  }
  if (sel.FindStraight(-1) < 0) return false;
  out = sel.Result();
  return true;
}

}  // namespace

bool ClueCard::SmartSelect(std::vector<CardCode>& outSelection, const std::vector<CardCode>& lastPlay,
                           const std::vector<CardCode>& hand, const std::vector<CardCode>& selected) {
  outSelection.clear();
  if (lastPlay.empty()) {
    if (selected.size() < 5) return false;
    return ChainInSelection(outSelection, selected);
  }
  CardTypeInfo last;
  if (!GetCardType(last, lastPlay)) return false;
  if (selected.size() > 1) return ChainInSelection(outSelection, selected);
  if (selected.empty()) return false;

  // One card tapped: it must be above the play's key and starts the selection.
  const CardCode tapped = selected[0];
  const int tappedValue = GetCardValue(tapped);
  if (tappedValue < 0 || SpreadOf(tappedValue) <= last.value) return false;
  const ClueCard sorted(hand);
  const auto& h = sorted.Hand();
  std::size_t want = 0;
  if (last.type == CardType::Pair) want = 2;
  else if (last.type >= CardType::Triple && last.type <= CardType::TriplePair) want = 3;
  else if (last.type >= CardType::StraightFirst && last.type <= CardType::StraightLast)
    want = static_cast<std::size_t>(last.type - 16);
  if (want == 0) return false;

  outSelection.push_back(tapped);
  if (want <= 3) {
    // Pair or triple: more cards of the tapped value, from the lowest upward
    // (the kickers of a triple are left to the player).
    for (auto it = h.rbegin(); it != h.rend() && outSelection.size() < want; ++it)
      if (*it != tapped && GetCardValue(*it) == tappedValue) outSelection.push_back(*it);
  } else {
    // Straight: the tapped card is the lowest; each next value up to A.
    int top = tappedValue;
    for (auto it = h.rbegin(); it != h.rend() && outSelection.size() < want; ++it) {
      const int v = GetCardValue(*it);
      if (v == top + 1 && v <= kValueA) {
        outSelection.push_back(*it);
        top = v;
      }
    }
  }
  if (outSelection.size() < want) {
    outSelection.clear();
    return false;
  }
  return true;
}

}  // namespace ddz
