// Hands written as rank letters for the card-rule tests: 3-9, T J Q K A 2, then
// w for the small joker and W for the big joker. Each repeat of a rank takes the
// next suit (0, 1, 2, 3); spaces are ignored. "33 w" is the 3 of suit 0, the 3
// of suit 1 and the small joker.
#pragma once

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cardlogic/CardCodes.h"

namespace handnotation {

inline constexpr std::string_view kRanks = "3456789TJQKA2wW";  // CardValue 3..17

inline std::vector<ddz::CardCode> Cards(std::string_view text) {
  std::array<int, 16> used{};
  std::vector<ddz::CardCode> codes;
  for (char ch : text) {
    if (ch == ' ') continue;
    const auto pos = kRanks.find(ch);
    if (pos == std::string_view::npos) throw std::invalid_argument(std::string("rank letter ") + ch);
    const int value = static_cast<int>(pos) + 3;
    if (value == ddz::kValueSmallJoker) codes.push_back(ddz::kSmallJokerCode);
    else if (value == ddz::kValueBigJoker) codes.push_back(ddz::kBigJokerCode);
    else {
      const int index = value == ddz::kValueA ? 0 : value == ddz::kValue2 ? 1 : value - 1;
      codes.push_back(used[pos]++ * 15 + index);
    }
  }
  return codes;
}

inline char RankOf(int value) {
  return value >= 3 && value <= 17 ? kRanks[value - 3] : '?';
}

// The ranks of the cards, lowest first.
inline std::string Ranks(const std::vector<ddz::CardCode>& codes) {
  std::vector<int> values;
  for (ddz::CardCode c : codes) values.push_back(ddz::CodeToValue(c));
  std::sort(values.begin(), values.end());
  std::string s;
  for (int v : values) s += RankOf(v);
  return s;
}

}  // namespace handnotation
