// Card notation for the Super engine tests: ranks separated by spaces, "3".."10", "J",
// "Q", "K", "A", "2", "SJ", "BJ". Repeated ranks take suits 0, 1, 2, 3 in turn.
#pragma once

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/SuperRules.h"

namespace ddz::supertest {

// CardValue of a rank token (A 14, 2 15, SJ 16, BJ 17); -1 when unknown.
inline int RankValue(const std::string& t) {
  if (t == "J") return 11;
  if (t == "Q") return 12;
  if (t == "K") return 13;
  if (t == "A") return 14;
  if (t == "2") return 15;
  if (t == "SJ") return 16;
  if (t == "BJ") return 17;
  const int v = std::stoi(t);
  return (v >= 3 && v <= 10) ? v : -1;
}

inline std::vector<std::string> Tokens(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string t; in >> t;) out.push_back(t);
  return out;
}

inline std::vector<CardCode> Codes(const std::string& text) {
  std::array<int, 18> seen{};
  std::vector<CardCode> out;
  for (const auto& t : Tokens(text)) {
    const int v = RankValue(t);
    if (v == 16) out.push_back(kSmallJokerCode);
    else if (v == 17) out.push_back(kBigJokerCode);
    else {
      const int index = v == 14 ? 0 : v == 15 ? 1 : v - 1;
      out.push_back((seen[v]++ % 4) * 15 + index);
    }
  }
  return out;
}

inline std::vector<std::uint8_t> Values(const std::string& text) {
  std::vector<std::uint8_t> out;
  for (const auto& t : Tokens(text)) out.push_back(static_cast<std::uint8_t>(RankValue(t)));
  return out;
}

// Card bytes as the Super hand writes them (jokers 16 and 17 without suit bits).
inline std::vector<CardByte> Bytes(const std::string& text) {
  std::vector<CardByte> out;
  for (CardCode c : Codes(text)) out.push_back(CodeToCardByte(c));
  return out;
}

inline std::string RankName(int v) {
  switch (v) {
    case 11: return "J";
    case 12: return "Q";
    case 13: return "K";
    case 14: return "A";
    case 15: return "2";
    case 16: return "SJ";
    case 17: return "BJ";
    default: return std::to_string(v);
  }
}

// CardValues (zero-terminated) back to notation.
template <class Container>
std::string Names(const Container& values) {
  std::string s;
  for (auto v : values) {
    if (v == 0) break;
    if (!s.empty()) s += ' ';
    s += RankName(static_cast<int>(v));
  }
  return s;
}

inline std::string CodeNames(const std::vector<CardCode>& codes) {
  std::vector<int> values;
  for (CardCode c : codes) {
    const int v = CodeToValue(c);
    values.push_back(v == kValueWildcard ? kValueSmallJoker : v);
  }
  return Names(values);
}

// Rule flags with the given rule indexes switched on.
inline SpecialRuleFlags Rules(std::initializer_list<int> on) {
  SpecialRuleFlags r;
  for (int i : on) r.bytes[i] = 1;
  return r;
}

}  // namespace ddz::supertest
