#include "cardlogic/ErClueCard.h"

#include <algorithm>
#include <array>

#include "cardlogic/ErClueCardSearch.h"

namespace ddz {

int g_iErPromptType = -1;
int g_iErPromptValue = -1;

namespace {

constexpr int kMaxCards = ErClueCard::kMaxPlayCards;
constexpr int kMainCards = 16;

// A play as runs of equal values in ascending spread order.
struct Runs {
  std::array<std::uint8_t, kMaxCards> value{};
  std::array<std::uint8_t, kMaxCards> size{};
  std::array<bool, kMaxCards> linked{};  // linked[i]: run i is one above run i - 1
  int count = 0;
  int n = 0;
  int key = 0;  // value of the last of the longest runs
};

// CardValues 1..18 (1 and 2 are an A and a 2 read below the 3) or spread values.
bool BuildRuns(const std::uint8_t* values, int count, Runs& r) {
  if (values == nullptr || count < 1 || count > kMaxCards) return false;
  std::array<std::uint8_t, 32> counts{};
  for (int i = 0; i < count; ++i) {
    const int v = values[i];
    const bool ok = (v >= 1 && v <= kValueWildcard) || v == kSpread2 || v == kSpreadSmallJoker ||
                    v == kSpreadBigJoker || v == kSpreadWildcard;
    if (!ok) return false;
    ++counts[SpreadOf(v)];
  }
  r = Runs{};
  r.n = count;
  int best = 0, prev = -10;
  for (int v = 0; v < 32; ++v) {
    if (counts[v] == 0) continue;
    r.value[r.count] = static_cast<std::uint8_t>(v);
    r.size[r.count] = counts[v];
    r.linked[r.count] = v == prev + 1;
    if (counts[v] >= best) {
      best = counts[v];
      r.key = v;
    }
    prev = v;
    ++r.count;
  }
  return true;
}

bool AllLinked(const Runs& r, int from, int to) {
  for (int i = from + 1; i <= to; ++i)
    if (!r.linked[i]) return false;
  return true;
}

bool IsLongType(int type) {
  return type == CardType::PairStraight(9) || type == CardType::PairStraight(10) || type == CardType::Plane(6) ||
         type == CardType::PlaneWings(4, true) || type == CardType::PlaneWings(5, false);
}

// The pattern table of the Super rules.
int ClassifyRuns(const Runs& r, int modeFlag, const SpecialRuleFlags* rules, int handCount) {
  const int G = r.count;
  int ones = 0, twos = 0, threes = 0, fours = 0;
  for (int i = 0; i < G; ++i) {
    switch (r.size[i]) {
      case 1: ++ones; break;
      case 2: ++twos; break;
      case 3: ++threes; break;
      case 4: ++fours; break;
      default: return CardType::Invalid;
    }
  }
  int type = CardType::Invalid;
  if (G == 1) {
    switch (r.size[0]) {
      case 1: type = CardType::Single; break;
      case 2: type = CardType::Pair; break;
      case 3:
        type = (modeFlag == PlayerCountMode::ThreeSeatWildcard && RuleOn(rules, SpecialRule::TripleBomb))
                   ? SuperCardType::TripleBomb
                   : CardType::Triple;
        break;
      default: type = CardType::Bomb; break;
    }
  } else if (ones == G) {
    if (G == 2) {
      if (r.value[0] == kSpreadSmallJoker && r.value[1] == kSpreadBigJoker) type = CardType::Rocket;
    } else if (G >= 5 && G <= 14 && AllLinked(r, 0, G - 1)) {
      type = CardType::Straight(G);
    }
  } else if (twos == G) {
    if (AllLinked(r, 0, G - 1)) {
      if (G == 2) type = RuleOn(rules, SpecialRule::TwoPairStraight) ? SuperCardType::PairStraightFirst : -1;
      else if (G <= 10) type = CardType::PairStraight(G);
    }
  } else if (threes == G) {
    if (G <= 6 && AllLinked(r, 0, G - 1)) type = CardType::Plane(G);
  } else if (G == 2 && threes == 1) {
    if (ones == 1) {
      const bool lastFour = handCount == 4;
      type = (RuleOn(rules, SpecialRule::TripleTakesTwo) && !lastFour) ? -1 : CardType::TripleSingle;
    } else if (twos == 1) {
      type = CardType::TriplePair;
    }
  } else if (G == 3 && threes == 1 && ones == 2) {
    if (RuleOn(rules, SpecialRule::TripleTakesTwo)) type = CardType::TriplePair;
  } else if (fours == 1 && G == 3) {
    if (ones == 2) type = CardType::FourTwoSingles;
    else if (twos == 2) type = CardType::FourTwoPairs;
  } else if (fours == 0 && threes >= 2 && (ones == 0 || twos == 0) && ones + twos == threes) {
    int first = -1, last = -1;
    for (int i = 0; i < G; ++i) {
      if (r.size[i] != 3) continue;
      if (first < 0) first = i;
      last = i;
    }
    const bool pairs = twos > 0;
    if (last - first + 1 == threes && AllLinked(r, first, last) && threes <= (pairs ? 4 : 5)) {
      // With any-wing planes the planes of two to four triples with single wings are
      // read by GetPlaneAnyWingsType; five triples with five single wings stay here.
      if (pairs || threes == 5 || !RuleOn(rules, SpecialRule::PlaneAnyWings))
        type = CardType::PlaneWings(threes, pairs);
    }
  }
  if (r.n > kMainCards && !IsLongType(type)) type = CardType::Invalid;
  return type;
}

}  // namespace

// ---- values and hand order -----------------------------------------------------------

ErClueCard::ErClueCard(const std::vector<CardCode>& cards) : m_vcCards(cards) { SortHand(); }

ErClueCard::~ErClueCard() = default;

int ErClueCard::GetCardValue(int code) { return CodeToValue(code); }

int ErClueCard::GetCardValueNoLaizi(int code) { return CodeToValueNoLaizi(code); }

void ErClueCard::UnspreadValue(std::uint8_t& value) {
  switch (value) {
    case kSpread2: value = kValue2; break;
    case 1: value = kValueA; break;
    case 2: value = kValue2; break;
    case kSpreadSmallJoker: value = kValueSmallJoker; break;
    case kSpreadBigJoker: value = kValueBigJoker; break;
    default: break;
  }
}

void ErClueCard::SortHand() {
  std::stable_sort(m_vcCards.begin(), m_vcCards.end(), [](CardCode a, CardCode b) {
    const int va = GetCardValueNoLaizi(a), vb = GetCardValueNoLaizi(b);
    if (va != vb) return va > vb;
    return a / 15 < b / 15;
  });
}

// ---- finders of the smart selection --------------------------------------------------

int ErClueCard::FindBiggerPair(CardCode card) {
  m_vcResult.clear();
  const int beat = GetCardValue(card);
  for (std::size_t i = m_vcCards.size(); i-- > 1;) {
    const int v = GetCardValue(m_vcCards[i]);
    if (v > beat && v == GetCardValue(m_vcCards[i - 1])) {
      m_vcResult = {m_vcCards[i], m_vcCards[i - 1]};
      return m_vcCards[i - 1];
    }
  }
  return -1;
}

int ErClueCard::FindStraight(CardCode card) {
  m_vcResult.clear();
  const int beat = GetCardValue(card);
  // One card per value below the 2, lowest first.
  std::vector<CardCode> ladder;
  for (std::size_t i = m_vcCards.size(); i-- > 0;) {
    const int v = GetCardValue(m_vcCards[i]);
    if (v >= kValue2) continue;
    if (ladder.empty() || GetCardValue(ladder.back()) != v) ladder.push_back(m_vcCards[i]);
  }
  for (std::size_t s = 0; s < ladder.size(); ++s) {
    if (GetCardValue(ladder[s]) <= beat) continue;
    std::vector<CardCode> run{ladder[s]};
    for (std::size_t j = s + 1; j < ladder.size(); ++j) {
      if (GetCardValue(ladder[j]) != GetCardValue(run.back()) + 1) break;
      run.push_back(ladder[j]);
    }
    if (run.size() >= 5) {
      m_vcResult = run;
      return run.back();
    }
  }
  return -1;
}

int ErClueCard::FindPairStraight() {
  m_vcResult.clear();
  std::vector<CardCode> low;
  for (CardCode c : m_vcCards)
    if (GetCardValue(c) < kValue2) low.push_back(c);
  std::vector<CardCode> run;
  CardCode current = -1;
  int lastFound = -1;
  for (std::size_t step = 0; step < low.size(); ++step) {
    ErClueCard fresh(low);
    const int found = fresh.FindBiggerPair(current);
    if (found < 0) break;
    const auto& pair = fresh.Result();
    if (GetCardValue(pair[0]) == GetCardValue(current) + 1) {
      run.insert(run.end(), pair.begin(), pair.end());
    } else {
      if (run.size() > 5) break;
      run.assign(pair.begin(), pair.end());
    }
    current = found;
    lastFound = found;
  }
  if (run.size() >= 6) m_vcResult = run;  // three pairs at least
  return lastFound;
}

// ---- classifier ----------------------------------------------------------------------

int ErClueCard::ClassifyWithHandCount(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                                      const SpecialRuleFlags* rules, int handCount) {
  Runs r;
  int type = CardType::Invalid;
  int key = 0;
  if (BuildRuns(values, count, r)) {
    type = ClassifyRuns(r, modeFlag, rules, handCount);
    key = r.key;
    if (type == CardType::Invalid && RuleOn(rules, SpecialRule::PlaneAnyWings))
      type = PlaneAnyWingsWithHandCount(values, count, &key, handCount);
  }
  if (outKey) *outKey = type == CardType::Invalid ? 0 : key;
  return type;
}

int ErClueCard::PlaneAnyWingsWithHandCount(const std::uint8_t* values, int count, int* outKey, int handCount) {
  Runs r;
  if (outKey) *outKey = 0;
  if (count < 7 || !BuildRuns(values, count, r)) return CardType::Invalid;
  // The longest run of consecutive values held three times or more; its highest value
  // is the key (the later run when two are equally long).
  int best = 0, bestHigh = 0, run = 0, prev = -10;
  for (int i = 0; i < r.count; ++i) {
    if (r.size[i] < 3) continue;
    const int v = r.value[i];
    run = (v == prev + 1) ? run + 1 : 1;
    prev = v;
    if (run >= best) {
      best = run;
      bestHigh = v;
    }
  }
  if (best < 2) return CardType::Invalid;
  const int c = count;
  const bool emptiesHand = c == handCount;
  for (int n = std::min(best, 6); n >= 2; --n) {
    int type = CardType::Invalid;
    switch (n) {
      case 2: type = c == 10 ? 97 : (emptiesHand && c >= 7 && c <= 9) ? 96 : -1; break;
      case 3: type = c == 15 ? 99 : (emptiesHand && c >= 10 && c <= 14) ? 98 : -1; break;
      case 4: type = c == 20 ? 101 : (emptiesHand && c >= 13 && c <= 19) ? 100 : -1; break;
      case 5: type = (emptiesHand && c >= 16 && c <= 20) ? 102 : -1; break;
      default: type = (emptiesHand && c >= 19 && c <= 20) ? SuperCardType::PlaneSixShortWings : -1; break;
    }
    if (type != CardType::Invalid) {
      if (outKey) *outKey = bestHigh;
      return type;
    }
  }
  return CardType::Invalid;
}

int ErClueCard::GetTypeByMask(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                              const SpecialRuleFlags* rules) {
  return ClassifyWithHandCount(values, count, outKey, modeFlag, rules, g_iSelfHandCardCount);
}

int ErClueCard::GetPlaneAnyWingsType(const std::uint8_t* values, int count, int* outKey) {
  return PlaneAnyWingsWithHandCount(values, count, outKey, g_iSelfHandCardCount);
}

std::vector<CardGroupRecord> ErClueCard::EnumerateGroups(std::vector<CardCode> cards, CardTypeInfo& info,
                                                         int modeFlag, const SpecialRuleFlags* rules) {
  info = CardTypeInfo{};
  std::vector<std::uint8_t> values;
  if (!superdetail::CodesToValues(cards, values)) return {};
  int key = 0;
  const int type = GetTypeByMask(values.data(), static_cast<int>(values.size()), &key, modeFlag, rules);
  info.type = type;
  info.value = key;
  if (type <= 0) return {};
  CardGroupRecord rec;
  rec.type = type;
  rec.value = key;
  std::copy(cards.begin(), cards.end(), rec.cards.begin());
  return {rec};
}

bool ErClueCard::SmartSelect(std::vector<CardCode>& out, std::vector<CardCode> lastPlay, std::vector<CardCode> hand,
                             std::vector<CardCode> selected, int modeFlag, const SpecialRuleFlags* rules) {
  const superdetail::EngineHooks hooks{&SearchMode, &g_iErPromptType, &g_iErPromptValue, &ErClueCard::EnumerateGroups,
                                       &ErClueCard::GetTypeByMask, false};
  return superdetail::SmartSelect(hooks, out, lastPlay, hand, selected, modeFlag, rules);
}

bool ErClueCard::GetPrompt(std::vector<CardCode>& out, std::vector<CardCode> lastPlay, std::vector<CardCode> hand,
                           int modeFlag, const SpecialRuleFlags* rules) {
  const superdetail::EngineHooks hooks{&SearchMode, &g_iErPromptType, &g_iErPromptValue, &ErClueCard::EnumerateGroups,
                                       &ErClueCard::GetTypeByMask, false};
  return superdetail::Prompt(hooks, out, lastPlay, hand, modeFlag, rules);
}

// ---- hint and smart selection, shared by both engines --------------------------------

namespace superdetail {

bool CodesToValues(const std::vector<CardCode>& cards, std::vector<std::uint8_t>& values) {
  values.clear();
  if (cards.empty() || cards.size() > static_cast<std::size_t>(kMaxCards)) return false;
  for (CardCode c : cards) {
    if (!IsValidCardCode(c)) return false;
    values.push_back(static_cast<std::uint8_t>(CodeToValueNoLaizi(c)));
  }
  return true;
}

namespace {

bool AllCards(const std::vector<CardCode>& cards, std::size_t limit) {
  if (cards.size() > limit) return false;
  return std::all_of(cards.begin(), cards.end(), IsValidCardCode);
}

// The one reading of a play, when it has exactly one.
bool SingleReading(const EngineHooks& engine, const std::vector<CardCode>& play, int modeFlag,
                   const SpecialRuleFlags* rules, CardGroupRecord& reading) {
  CardTypeInfo info;
  const auto readings = engine.enumerate(play, info, modeFlag, rules);
  if (readings.size() != 1 || readings[0].type == CardType::Invalid) return false;
  reading = readings[0];
  return true;
}

// CardCode -> CardByte with the NoLaizi value (A 1, 2 2, index 13 of any suit 16).
CardByte HandByte(CardCode code) {
  int v = CodeToValueNoLaizi(code);
  if (v == kValueA) v = 1;
  else if (v == kValue2) v = 2;
  return static_cast<CardByte>((((code / 15) << 5) | v) & 0xff);
}

bool RunSearch(const EngineHooks& engine, const std::vector<CardByte>& handBytes, const std::vector<CardByte>& wild,
               ErClueCardSearch::Out& found, int modeFlag, const SpecialRuleFlags* rules, CardGroupRecord& record) {
  ErClueCardSearch search;
  search.SetWildcards(wild);
  found.fill(0);
  return engine.threeSeat ? search.SearchSuper(handBytes, found, *engine.promptType, *engine.promptValue, modeFlag,
                                               rules, &record)
                          : search.Search(handBytes, found, *engine.promptType, *engine.promptValue, modeFlag, rules,
                                          &record);
}

}  // namespace

bool Prompt(const EngineHooks& engine, std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
            const std::vector<CardCode>& hand, int modeFlag, const SpecialRuleFlags* rules) {
  out.clear();
  if (lastPlay.empty() || hand.empty() || !AllCards(hand, kMaxCards)) return false;
  CardGroupRecord last;
  if (!SingleReading(engine, lastPlay, modeFlag, rules, last)) return false;

  std::vector<CardByte> handBytes;
  for (CardCode c : hand) handBytes.push_back(HandByte(c));

  bool started = false;
  if (*engine.promptType == -1) {
    *engine.promptType = last.type;
    *engine.promptValue = last.value;
    started = true;
  }
  std::vector<CardByte> wild;
  if (modeFlag == PlayerCountMode::ThreeSeatWildcard || RuleOn(rules, SpecialRule::Wildcard)) {
    for (CardByte b : handBytes)
      if ((b == kValueSmallJoker || b == kValueBigJoker) && wild.size() < 2) wild.push_back(b);
  }
  if (*engine.searchMode != 2) *engine.searchMode = 1;

  ErClueCardSearch::Out found{};
  CardGroupRecord record;
  bool ok = false;
  bool plainFailed = false;
  if (*engine.searchMode == 1) {
    ok = RunSearch(engine, handBytes, wild, found, modeFlag, rules, record);
    if (!ok) {
      plainFailed = true;
      ToggleSearchMode(*engine.searchMode);
    }
  }
  if (!ok && *engine.searchMode == 2) {
    record.Reset();
    if (plainFailed) {
      // Wildcard suggestions start again from the smallest group that beats the play.
      *engine.promptType = last.type;
      *engine.promptValue = last.value;
    }
    ok = RunSearch(engine, handBytes, wild, found, modeFlag, rules, record);
    if (!ok) ToggleSearchMode(*engine.searchMode);
  }

  if (!ok) {
    // Either way the next press starts again from the play on the table.
    *engine.promptType = -1;
    *engine.promptValue = -1;
    *engine.searchMode = 1;
    // A fresh cycle: nothing beats the play. A running one: past the biggest group,
    // answered with an empty suggestion.
    return !started;
  }

  std::vector<std::uint8_t> values;
  for (std::uint8_t b : found) {
    if (b == 0) break;
    values.push_back(b);
  }
  std::vector<bool> taken(hand.size(), false);
  for (std::uint8_t v : values) {
    for (std::size_t j = 0; j < hand.size(); ++j) {
      if (taken[j] || CodeToValueNoLaizi(hand[j]) != v) continue;
      taken[j] = true;
      out.push_back(hand[j]);
      break;
    }
  }
  // The cycle moves on to this suggestion, read with each wildcard as its substitute.
  std::vector<bool> replaced(values.size(), false);
  for (int i = 0; i < record.wildcardCount && i < CardGroupRecord::kMaxWildcards; ++i) {
    for (std::size_t j = values.size(); j-- > 0;) {
      if (replaced[j] || values[j] != record.wildcardCards[i]) continue;
      values[j] = record.substituteValues[i];
      replaced[j] = true;
      break;
    }
  }
  int key = 0;
  *engine.promptType = engine.classify(values.data(), static_cast<int>(values.size()), &key, modeFlag, rules);
  *engine.promptValue = key;
  return true;
}

bool SmartSelect(const EngineHooks& engine, std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
                 const std::vector<CardCode>& hand, const std::vector<CardCode>& selected, int modeFlag,
                 const SpecialRuleFlags* rules) {
  out.clear();
  if (!AllCards(lastPlay, kMaxCards) || !AllCards(selected, 54) || !AllCards(hand, 54)) return false;

  CardGroupRecord last;
  if (!lastPlay.empty() && selected.size() == 1 && SingleReading(engine, lastPlay, modeFlag, rules, last)) {
    const CardCode tapped = selected[0];
    const int tv = CodeToValueNoLaizi(tapped);
    if (SpreadOf(tv) <= last.value) return false;
    const int t = last.type;
    std::size_t want = 0;
    if (t == CardType::Pair) want = 2;
    else if (t >= CardType::Triple && t <= CardType::TriplePair) want = 3;
    else if (t >= CardType::StraightFirst && t <= SuperCardType::StraightLast) want = static_cast<std::size_t>(t - 16);
    else return false;
    const ErClueCard sorted(hand);  // walked from its lowest card up
    const auto& h = sorted.Hand();
    out.push_back(tapped);
    if (want <= 3) {
      for (std::size_t j = h.size(); j-- > 0 && out.size() < want;)
        if (h[j] != tapped && CodeToValueNoLaizi(h[j]) == tv) out.push_back(h[j]);
    } else {
      int lastValue = tv;
      for (std::size_t j = h.size(); j-- > 0 && out.size() < want;) {
        const int v = CodeToValueNoLaizi(h[j]);
        if (v == lastValue + 1 && v < kValue2) {
          out.push_back(h[j]);
          lastValue = v;
        }
      }
    }
    if (out.size() != want) out.clear();
    return !out.empty();
  }

  if ((!lastPlay.empty() && selected.size() > 1) || (lastPlay.empty() && selected.size() >= 5)) {
    ErClueCard pairs(selected);
    if (pairs.FindPairStraight() >= 0 && pairs.Result().size() == selected.size()) {
      out = pairs.Result();
    } else {
      ErClueCard straight(selected);
      if (straight.FindStraight(-1) >= 0) out = straight.Result();
    }
  }
  return !out.empty();
}

}  // namespace superdetail

}  // namespace ddz
