// Four-player hands written as text for the tests: "A 2 3 .. 10 J Q K", "sj" and
// "bj" for the jokers. Repeated ranks take suits 0, 1, 2, 3 in turn, then the same
// four codes again (the second deck), so up to eight of a rank are real cards.
#pragma once

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cardlogic/SRClueCard.h"

namespace srtest {

inline int RankIndex(const std::string& r) {
  static const std::map<std::string, int> kIndex = {
      {"A", 0}, {"2", 1}, {"3", 2},  {"4", 3},  {"5", 4},  {"6", 5},  {"7", 6},  {"8", 7},
      {"9", 8}, {"10", 9}, {"J", 10}, {"Q", 11}, {"K", 12}, {"sj", 13}, {"bj", 14}};
  return kIndex.at(r);
}

inline std::vector<ddz::CardCode> Codes(const std::string& text) {
  std::vector<ddz::CardCode> out;
  std::map<int, int> seen;
  std::istringstream in(text);
  std::string tok;
  while (in >> tok) {
    const int index = RankIndex(tok);
    const int suit = index >= 13 ? 0 : seen[index]++ % 4;
    out.push_back(suit * 15 + index);
  }
  return out;
}

inline std::string RankName(ddz::CardCode code) {
  static const char* kNames[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "sj", "bj"};
  return kNames[code % 15];
}

// The cards as text, lowest value first (the order the expectations are written in).
inline std::string Text(std::vector<ddz::CardCode> codes) {
  std::stable_sort(codes.begin(), codes.end(), [](ddz::CardCode a, ddz::CardCode b) {
    return ddz::SRClueCard::GetCardValue(a) < ddz::SRClueCard::GetCardValue(b);
  });
  std::string s;
  for (ddz::CardCode c : codes) s += (s.empty() ? "" : " ") + RankName(c);
  return s;
}

// True when every card of part is a distinct card of whole (codes counted).
inline bool IsSubHand(std::vector<ddz::CardCode> part, std::vector<ddz::CardCode> whole) {
  std::sort(part.begin(), part.end());
  std::sort(whole.begin(), whole.end());
  return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

inline ddz::CardTypeInfo Classify(const std::string& text) {
  const auto codes = Codes(text);
  ddz::CardTypeInfo info;
  ddz::SRClueCard::GetCodesCardType(codes.data(), static_cast<int>(codes.size()), info);
  return info;
}

// Collects the rules engine's log lines while alive.
class LogCapture {
 public:
  LogCapture() {
    Lines().clear();
    ddz::SRClueCard::SetLogSink([](const char* line) { Lines().emplace_back(line); });
  }
  ~LogCapture() { ddz::SRClueCard::SetLogSink(nullptr); }
  static std::vector<std::string>& Lines() {
    static std::vector<std::string> lines;
    return lines;
  }
  bool Saw(const std::string& text) const {
    return std::any_of(Lines().begin(), Lines().end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
  }
};

// Drops the rules engine's log lines while alive (the long randomised runs).
class QuietLog {
 public:
  QuietLog() { ddz::SRClueCard::SetLogSink([](const char*) {}); }
  ~QuietLog() { ddz::SRClueCard::SetLogSink(nullptr); }
};

}  // namespace srtest
