#include "cardlogic/SRClueCard.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

#include "cardlogic/SRSearchCard.h"

namespace ddz {

int g_iSRLastHintType = -1;
int g_iSRLastHintValue = -1;

namespace {

constexpr int kMax = SRClueCard::kMaxCards;
constexpr int kMaxGroupsListed = 41;  // SortByMaxCount gives up after this many groups

SRClueCard::LogSink g_logSink = nullptr;

void Log(const char* fmt, ...) {
  char line[256];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(line, sizeof line, fmt, args);
  va_end(args);
  if (g_logSink) {
    g_logSink(line);
  } else {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
  }
}

// A value of this table (CardValue 3..17, a low A 1 or low 2 2, or a value already
// in spread form) -> spread value; 0 for anything else.
int SRSpread(int v) {
  if (v >= 1 && v <= 14) return v;
  switch (v) {
    case kValue2: return kSpread2;
    case kValueSmallJoker: return kSpreadSmallJoker;
    case kValueBigJoker: return kSpreadBigJoker;
    case kSpread2:
    case kSpreadSmallJoker:
    case kSpreadBigJoker: return v;
    default: return 0;
  }
}

// A sorted play seen as runs of equal values, ascending.
struct Groups {
  std::array<std::uint8_t, kMax> value{};
  std::array<std::uint8_t, kMax> size{};
  int count = 0;
  int n = 0;
};

Groups GroupsOfSorted(const std::uint8_t* sorted, int n) {
  Groups g;
  g.n = n;
  for (int i = 0; i < n; ++i) {
    if (g.count > 0 && g.value[g.count - 1] == sorted[i]) {
      ++g.size[g.count - 1];
    } else {
      g.value[g.count] = sorted[i];
      g.size[g.count] = 1;
      ++g.count;
    }
  }
  return g;
}

bool Consecutive(const std::uint8_t* vals, int len) {
  for (int i = 1; i < len; ++i)
    if (vals[i] != vals[i - 1] + 1) return false;
  return true;
}

// The readings that are not left to the count of equal values: singles, pairs,
// bombs, straights, pair straights, the four jokers and the plane with five singles.
int ReadByPattern(const Groups& g, int& key) {
  namespace T = SRCardType;
  key = g.value[g.count - 1];
  if (g.count == 1) {
    const int s = g.size[0];
    if (s == 1) return T::Single;
    if (s == 2) return T::Pair;
    if (s == 3) return T::Triple;
    if (s >= 4 && s <= 8) return T::Bomb(s);
    return T::Invalid;
  }
  bool allOnes = true, allTwos = true;
  int triples = 0, ones = 0;
  std::array<std::uint8_t, kMax> tripleValues{};
  for (int i = 0; i < g.count; ++i) {
    allOnes = allOnes && g.size[i] == 1;
    allTwos = allTwos && g.size[i] == 2;
    if (g.size[i] == 3) tripleValues[triples++] = g.value[i];
    if (g.size[i] == 1) ++ones;
  }
  if (allOnes) {
    if (g.n >= 5 && g.n <= 13 && Consecutive(g.value.data(), g.count)) return T::Straight(g.n);
    return T::Invalid;
  }
  if (allTwos) {
    if (g.count == 2 && g.value[0] == kSpreadSmallJoker && g.value[1] == kSpreadBigJoker)
      return T::FourJokers;
    if (g.count >= 3 && g.count <= 13 && Consecutive(g.value.data(), g.count)) return T::PairStraight(g.count);
    return T::Invalid;
  }
  if (g.n == 20 && triples == 5 && ones == 5 && Consecutive(tripleValues.data(), 5)) {
    key = tripleValues[4];
    return T::PlaneFiveSingles;
  }
  return T::Invalid;
}

}  // namespace

void SRClueCard::SetLogSink(LogSink sink) { g_logSink = sink; }

bool SRClueCard::IsTableCode(CardCode code) { return IsValidCardCode(code) && code != kWildcardCode; }

int SRClueCard::GetCardValue(CardCode code) {
  const int index = code % 15;
  if (index < 0) return 0;
  switch (index) {
    case 0: return kValueA;
    case 1: return kValue2;
    case 13: return kValueSmallJoker;
    case 14: return kValueBigJoker;
    default: return index + 1;
  }
}

int SRClueCard::GetByteCardValue(CardByte byte) {
  const CardCode code = CardByteToCode(byte);
  return IsTableCode(code) ? GetCardValue(code) : 0;
}

bool SRClueCard::SetHand(const std::vector<CardCode>& codes) {
  if (codes.size() > static_cast<std::size_t>(kMax)) {
    Log("SRClueCard::SetHand: %zu cards refused", codes.size());
    return false;
  }
  for (CardCode c : codes) {
    if (!IsTableCode(c)) {
      Log("SRClueCard::SetHand: card code %d refused", c);
      return false;
    }
  }
  m_vcHand = codes;
  std::sort(m_vcHand.begin(), m_vcHand.end(), [](CardCode a, CardCode b) {
    const int va = GetCardValue(a), vb = GetCardValue(b);
    if (va != vb) return va > vb;
    return a / 15 < b / 15;
  });
  m_iType = -1;
  m_iValue = -1;
  return true;
}

void SRClueCard::ApplyLowAcesAndTwos(std::uint8_t* values, int count) {
  if (values == nullptr || count < 5) return;
  int n3 = 0, nK = 0, nA = 0, n2 = 0;
  for (int i = 0; i < count; ++i) {
    switch (values[i]) {
      case 3: ++n3; break;
      case 13: ++nK; break;
      case kValueA: ++nA; break;
      case kValue2: ++n2; break;
      default: break;
    }
  }
  auto lowTwos = [&] {
    for (int i = 0; i < count; ++i)
      if (values[i] == kValue2) values[i] = 2;
  };
  // The first `how_many` As of the play, in play order.
  auto lowAces = [&](int howMany) {
    for (int i = 0; i < count && howMany > 0; ++i) {
      if (values[i] == kValueA) {
        values[i] = 1;
        --howMany;
      }
    }
  };
  // The rules are tried in order; some send the search on to a later rule.
  int rule = 1;
  for (;;) {
    switch (rule) {
      case 1:
        if (nK == 1) {
          if (n3 == 1 && n2 == 1) {
            lowTwos();
            if (nA == 2) lowAces(1);
            return;
          }
          rule = n3 == 1 ? 5 : 4;
        } else {
          rule = 2;
        }
        break;
      case 2:
        if (n3 == 1 && n2 == 1) {
          lowTwos();
          if (nA == 1) lowAces(1);
          return;
        }
        rule = 3;
        break;
      case 3:
        if (nK == 2 && n3 == 2) {
          if (n2 == 2) {
            lowTwos();
            if (nA == 4) lowAces(2);
            return;
          }
          rule = 5;
        } else {
          rule = 4;
        }
        break;
      case 4:
        if (n3 == 3) {
          if (n2 == 3) {
            lowTwos();
            if (nA == 3) lowAces(3);
            return;
          }
          rule = 6;
        } else {
          rule = 5;
        }
        break;
      case 5:
        if (n2 == 3) {
          if (nA == 3) {
            lowTwos();
            lowAces(3);
            return;
          }
          rule = 7;
        } else {
          rule = 6;
        }
        break;
      case 6:
        if (n2 != 3 && n2 != 5) {
          if (nK == 3 && nA == 5) {
            if (n2 == 2) {
              lowTwos();
              lowAces(2);
            }
          } else if (n2 == 2) {
            lowTwos();
            if (nA == 2) lowAces(2);
          }
          return;
        }
        rule = 7;
        break;
      default:  // rule 7
        if (n3 != 3 && n3 != 5 && nA != 3 && nA != 5) return;
        lowTwos();
        if (nA == 5) lowAces(nK == 2 ? 3 : 5);
        else if (nA == 2 && n3 == 3) lowAces(2);
        else if (nA == 3) lowAces(3);
        return;
    }
  }
}

int SRClueCard::SortByMaxCount(std::uint8_t* values, int count) {
  if (values == nullptr || count < 1) return 0;
  std::vector<std::uint8_t> sorted(values, values + count);
  std::sort(sorted.begin(), sorted.end());
  struct Group {
    std::uint8_t value;
    int size;
  };
  std::vector<Group> groups;
  for (std::uint8_t v : sorted) {
    if (!groups.empty() && groups.back().value == v) ++groups.back().size;
    else groups.push_back({v, 1});
  }
  // Ascending values, so a stable sort by size keeps the lower value first on a tie.
  std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.size > b.size; });
  if (groups.size() > static_cast<std::size_t>(kMaxGroupsListed)) {
    Log("[Error] SortByMaxCount loop ");
    // The groups past the limit keep their ascending order, so no card is lost.
    std::stable_sort(groups.begin() + kMaxGroupsListed, groups.end(),
                     [](const Group& a, const Group& b) { return a.value < b.value; });
  }
  int out = 0;
  for (const Group& g : groups)
    for (int k = 0; k < g.size; ++k) values[out++] = g.value;
  return groups.front().size;
}

int SRClueCard::GetCardType(int maxCount, int* outValue, const std::uint8_t* values, int count) {
  if (outValue) *outValue = 0;
  if (maxCount == 0) {
    Log("[ERROR] GetCardType Error ");
    return 0;
  }
  if (maxCount != 3 || values == nullptr || count < 3 || count > kMax) return 0;
  std::array<std::uint8_t, kMax> body{};
  std::array<std::uint8_t, kMax> rest{};
  int triples = 0, restGroups = 0, pairs = 0;
  bool inBody = true;
  for (int i = 0; i < count;) {
    int j = i;
    while (j < count && values[j] == values[i]) ++j;
    const int size = j - i;
    if (inBody && size == 3) {
      body[triples++] = values[i];
    } else {
      inBody = false;
      if (size % 2 != 0) return 0;  // what is not the body must come in pairs
      pairs += size / 2;
      rest[restGroups++] = values[i];
    }
    i = j;
  }
  if (triples == 0) return 0;
  std::sort(body.begin(), body.begin() + triples);
  for (int r = 0; r < restGroups; ++r)
    if (std::find(body.begin(), body.begin() + triples, rest[r]) != body.begin() + triples) return 0;
  const bool consecutive = Consecutive(body.data(), triples);
  namespace T = SRCardType;
  int type = 0;
  if (pairs == 0) {
    if (triples == 1) type = T::Triple;
    else if (consecutive && triples <= 10) type = T::Plane(triples);
  } else if (triples == 1 && pairs == 1) {
    type = T::TriplePair;
  } else if (triples >= 2 && triples <= 6 && pairs == triples && consecutive) {
    type = T::PlanePairs(triples);
  }
  if (type != 0 && outValue) *outValue = body[triples - 1];
  return type;
}

int SRClueCard::GetTypeByValues(int* outValue, const std::uint8_t* values, int count) {
  if (outValue) *outValue = 0;
  if (values == nullptr || count < 1 || count > kMax) return SRCardType::Invalid;
  std::array<std::uint8_t, kMax> work{};
  for (int i = 0; i < count; ++i) {
    const int s = SRSpread(values[i]);
    if (s == 0) return SRCardType::Invalid;
    work[i] = static_cast<std::uint8_t>(s);
  }
  std::sort(work.begin(), work.begin() + count);
  const Groups g = GroupsOfSorted(work.data(), count);
  int key = 0;

  // Planes with pairs: the triples first, the rest by count, so that four or six
  // equal wing cards read as two or three pairs.
  if (count % 5 == 0 && count > 5) {
    std::array<std::uint8_t, kMax> arranged{};
    std::array<std::uint8_t, kMax> rest{};
    int a = 0, r = 0;
    for (int k = 0; k < g.count; ++k) {
      for (int c = 0; c < g.size[k]; ++c) {
        if (g.size[k] == 3) arranged[a++] = g.value[k];
        else rest[r++] = g.value[k];
      }
    }
    if (a > 0) {
      if (r > 0) SortByMaxCount(rest.data(), r);
      std::copy(rest.begin(), rest.begin() + r, arranged.begin() + a);
      const int type = GetCardType(3, &key, arranged.data(), count);
      if (type != 0) {
        if (outValue) *outValue = key;
        return type;
      }
    }
  }

  // Count path: triples, triple with a pair, planes, planes with pairs.
  std::array<std::uint8_t, kMax> byCount = work;
  const int largest = SortByMaxCount(byCount.data(), count);
  int type = GetCardType(largest, &key, byCount.data(), count);
  if (type == 0) type = ReadByPattern(g, key);
  if (outValue) *outValue = type == SRCardType::Invalid ? 0 : key;
  return type;
}

bool SRClueCard::GetCodesCardType(const CardCode* codes, int count, CardTypeInfo& out) {
  out = CardTypeInfo{};
  if (codes == nullptr || count < 1) return false;
  if (count > kMax) {
    Log("SRClueCard::GetCodesCardType: %d cards refused", count);
    return false;
  }
  std::array<std::uint8_t, kMax> values{};
  for (int i = 0; i < count; ++i) {
    if (!IsTableCode(codes[i])) {
      Log("SRClueCard::GetCodesCardType: card code %d refused", codes[i]);
      return false;
    }
    values[i] = static_cast<std::uint8_t>(GetCardValue(codes[i]));
  }
  ApplyLowAcesAndTwos(values.data(), count);
  int key = 0;
  out.type = GetTypeByValues(&key, values.data(), count);
  out.value = key;
  return out.type != SRCardType::Invalid;
}

bool SRClueCard::GetCodesCardTypeByValue(const std::vector<CardCode>& codes) {
  CardTypeInfo info;
  const bool ok = GetCodesCardType(codes.data(), static_cast<int>(codes.size()), info);
  m_iType = info.type;
  m_iValue = info.value;
  return ok;
}

bool SRClueCard::GetBytesCardType(CardTypeInfo& out, const std::vector<CardByte>& bytes) {
  out = CardTypeInfo{};
  if (bytes.empty()) return false;
  if (bytes.size() > static_cast<std::size_t>(kMax)) {
    Log("SRClueCard::GetBytesCardType: %zu cards refused", bytes.size());
    return false;
  }
  char line[3 * kMax + 1] = {};
  int len = 0;
  std::array<std::uint8_t, kMax> values{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    len += std::snprintf(line + len, sizeof line - len, "%02x ", bytes[i]);
    values[i] = static_cast<std::uint8_t>(GetByteCardValue(bytes[i]));
  }
  Log("%s", line);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (values[i] == 0) {
      Log("SRClueCard::GetBytesCardType: card byte %02x refused", bytes[i]);
      return false;
    }
  }
  const int count = static_cast<int>(bytes.size());
  ApplyLowAcesAndTwos(values.data(), count);
  int key = 0;
  out.type = GetTypeByValues(&key, values.data(), count);
  out.value = key;
  return out.type != SRCardType::Invalid;
}

int SRClueCard::SearchBomb(CardCode code) {
  m_vcResult.clear();
  const int above = GetCardValue(code);
  const int n = static_cast<int>(m_vcHand.size());
  auto valueAt = [&](int i) { return GetCardValue(m_vcHand[i]); };
  // `len` equal values ending at position i (toward the front of the hand).
  auto equalRun = [&](int i, int len) {
    if (i - len + 1 < 0) return false;
    for (int k = 1; k < len; ++k)
      if (valueAt(i - k) != valueAt(i)) return false;
    return true;
  };
  auto fourJokers = [&](int i) {
    return valueAt(i) == kValueSmallJoker && valueAt(i - 1) == kValueSmallJoker &&
           valueAt(i - 2) == kValueBigJoker && valueAt(i - 3) == kValueBigJoker;
  };
  for (int i = n - 1; i >= 3; --i) {
    if (valueAt(i) <= above) continue;
    int len = 0;
    if (equalRun(i, 8)) {
      len = 8;
    } else if (fourJokers(i)) {
      len = 4;
    } else {
      for (int l = 7; l >= 4 && len == 0; --l)
        if (equalRun(i, l)) len = l;
    }
    if (len == 0) continue;
    for (int k = 0; k < len; ++k) m_vcResult.push_back(m_vcHand[i - k]);
    return m_vcHand[i];
  }
  return -1;
}

namespace {

// The pair straight made of every selected card, an A standing as 1 or 14 and a
// 2 as 2; jokers never.
bool PairStraightOfAll(const std::vector<CardCode>& selected) {
  if (selected.size() < 6 || selected.size() % 2 != 0) return false;
  std::array<int, 15> perIndex{};
  for (CardCode c : selected) {
    const int index = c % 15;
    if (index >= 13) return false;
    ++perIndex[index];
  }
  std::array<std::uint8_t, 15> vals{};
  for (int aceValue : {14, 1}) {
    int n = 0;
    bool pairsOnly = true;
    for (int index = 0; index < 13; ++index) {
      if (perIndex[index] == 0) continue;
      if (perIndex[index] != 2) pairsOnly = false;
      vals[n++] = static_cast<std::uint8_t>(index == 0 ? aceValue : index + 1);
    }
    if (!pairsOnly) return false;
    std::sort(vals.begin(), vals.begin() + n);
    if (n >= 3 && n <= 13 && Consecutive(vals.data(), n)) return true;
    if (perIndex[0] == 0) break;  // no A: nothing to try as 1
  }
  return false;
}

// The first run of five to thirteen consecutive values among the selected cards
// (one card each), tried from the lowest start.
bool StraightInside(std::vector<CardCode>& out, const std::vector<CardCode>& selected) {
  struct Entry {
    int value;
    CardCode code;
  };
  std::vector<Entry> list;
  auto add = [&](int value, CardCode code) {
    for (const Entry& e : list)
      if (e.value == value) return;
    list.push_back({value, code});
  };
  for (CardCode c : selected) {
    const int v = SRClueCard::GetCardValue(c);
    if (v >= kValueSmallJoker) continue;
    if (v == kValueA) {
      add(1, c);
      add(14, c);
    } else if (v == kValue2) {
      add(2, c);
    } else {
      add(v, c);
    }
  }
  std::sort(list.begin(), list.end(), [](const Entry& a, const Entry& b) { return a.value < b.value; });
  for (std::size_t s = 0; s < list.size(); ++s) {
    std::size_t e = s + 1;
    while (e < list.size() && e - s < 13 && list[e].value == list[e - 1].value + 1) ++e;
    if (e - s >= 5) {
      for (std::size_t k = s; k < e; ++k) out.push_back(list[k].code);
      return true;
    }
  }
  return false;
}

bool CompleteChain(std::vector<CardCode>& out, const std::vector<CardCode>& selected) {
  if (PairStraightOfAll(selected)) {
    out = selected;
    return true;
  }
  return StraightInside(out, selected);
}

}  // namespace

bool SRClueCard::Hint(std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
                      const std::vector<CardCode>& hand, const std::vector<CardCode>& selected) {
  out.clear();
  if (hand.size() > static_cast<std::size_t>(kMax) || selected.size() > static_cast<std::size_t>(kMax)) {
    Log("SRClueCard::Hint: more than %d cards refused", kMax);
    return false;
  }
  for (const auto* list : {&hand, &selected}) {
    for (CardCode c : *list) {
      if (!IsTableCode(c)) {
        Log("SRClueCard::Hint: card code %d refused", c);
        return false;
      }
    }
  }
  if (lastPlay.empty()) {
    if (selected.size() < 5) return false;
    return CompleteChain(out, selected);
  }
  if (!GetCodesCardTypeByValue(lastPlay)) return false;
  if (selected.size() != 1) return CompleteChain(out, selected);

  // One card tapped: it must beat the play's key on its own, compared in the
  // same spread form as the key (a joker is above a 2).
  const CardCode tapped = selected[0];
  const int tappedValue = GetCardValue(tapped);
  if (SRSpread(tappedValue) <= m_iValue) return false;
  out.push_back(tapped);
  const int n = static_cast<int>(hand.size());

  auto sameValue = [&](std::size_t want) {
    // From the lowest card up, other cards of the tapped value; the tapped card
    // itself is passed over once (its twin from the other deck has the same code).
    bool passedTapped = false;
    for (int j = n - 1; j >= 0 && out.size() < want; --j) {
      if (!passedTapped && hand[j] == tapped) {
        passedTapped = true;
        continue;
      }
      if (GetCardValue(hand[j]) == tappedValue) out.push_back(hand[j]);
    }
    if (out.size() == want) return true;
    out.clear();
    return false;
  };

  switch (m_iType) {
    case SRCardType::Pair: return sameValue(2);
    case SRCardType::Triple:
    case 49:  // no triple with a single on this table; kept with its kin
    case SRCardType::TriplePair: return sameValue(3);
    default: break;
  }
  if (SRCardType::IsStraight(m_iType)) {
    const int length = static_cast<int>(lastPlay.size());
    int p = -1;
    for (int j = n - 1; j >= 0; --j) {
      if (hand[j] == tapped) {
        p = j;
        break;
      }
    }
    if (p < 0 || p + 1 < length) {
      out.clear();
      return false;
    }
    int last = tappedValue;
    for (int j = p - 1; j >= 0; --j) {
      const int v = GetCardValue(hand[j]);
      if (v == last + 1 && v <= kValueA) {
        out.push_back(hand[j]);
        last = v;
        if (static_cast<int>(out.size()) == length) return true;
      }
    }
  }
  out.clear();
  return false;
}

void SRClueCard::RestartHintCycle() {
  g_iSRLastHintType = -1;
  g_iSRLastHintValue = -1;
}

bool SRClueCard::HintBySearch(std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
                              const std::vector<CardCode>& hand) {
  out.clear();
  if (lastPlay.empty() || hand.empty()) return false;
  if (hand.size() > static_cast<std::size_t>(kMax)) {
    Log("SRClueCard::HintBySearch: %zu cards refused", hand.size());
    return false;
  }
  for (CardCode c : hand) {
    if (!IsTableCode(c)) {
      Log("SRClueCard::HintBySearch: card code %d refused", c);
      return false;
    }
  }
  if (!GetCodesCardTypeByValue(lastPlay)) return false;
  const bool fresh = g_iSRLastHintType == -1;
  if (fresh) {
    g_iSRLastHintType = m_iType;
    g_iSRLastHintValue = m_iValue;
  }
  SRSearchCard search;
  if (!search.Search(hand.data(), static_cast<int>(hand.size()), g_iSRLastHintType, g_iSRLastHintValue)) {
    // Nothing above: a fresh cycle has nothing that beats the play; a running one
    // is exhausted and the caller clears the selection. Either way the next press
    // starts again from the play on the table.
    RestartHintCycle();
    return !fresh;
  }
  const std::vector<std::uint8_t>& found = search.Found();
  CardTypeInfo suggestion;
  if (GetBytesCardType(suggestion, found)) {
    g_iSRLastHintType = suggestion.type;
    g_iSRLastHintValue = suggestion.value;
  } else {
    RestartHintCycle();
  }
  std::vector<bool> picked(hand.size(), false);
  for (std::uint8_t f : found) {
    const int want = f == 1 ? kValueA : f == 2 ? kValue2 : f;
    for (std::size_t i = 0; i < hand.size(); ++i) {
      if (!picked[i] && GetCardValue(hand[i]) == want) {
        picked[i] = true;
        out.push_back(hand[i]);
        break;
      }
    }
  }
  return true;
}

}  // namespace ddz
