#include "cardlogic/SuperClueCard.h"

#include <algorithm>
#include <array>

namespace ddz {

int g_iSuperPromptType = -1;
int g_iSuperPromptValue = -1;

namespace {

constexpr std::uint8_t kSmallJokerByte = kValueSmallJoker;  // 16: CardValue and CardByte
constexpr std::uint8_t kBigJokerByte = kValueBigJoker;      // 17

// CardByte of the suit-0 card of a CardValue 3..15 (A 1, 2 2).
std::uint8_t SuitZeroByte(int value) {
  if (value == kValueA) return 1;
  if (value == kValue2) return 2;
  return static_cast<std::uint8_t>(value);
}

int ClassifyCodes(const std::vector<CardCode>& cards, int* key, int modeFlag, const SpecialRuleFlags* rules) {
  std::vector<std::uint8_t> values;
  if (!superdetail::CodesToValues(cards, values)) {
    if (key) *key = 0;
    return CardType::Invalid;
  }
  return SuperClueCard::GetTypeByMask(values.data(), static_cast<int>(values.size()), key, modeFlag, rules);
}

std::vector<CardCode> CardsOf(const CardGroupRecord& rec) {
  std::vector<CardCode> cards;
  for (int c : rec.cards)
    if (c != -1) cards.push_back(c);
  return cards;
}

}  // namespace

SuperClueCard::SuperClueCard(const std::vector<CardCode>& cards) : ErClueCard(cards) {}

SuperClueCard::~SuperClueCard() = default;

int SuperClueCard::GetTypeByMask(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                                 const SpecialRuleFlags* rules) {
  int type = ClassifyWithHandCount(values, count, outKey, modeFlag, rules, g_iSuperSelfHandCardCount);
  if (type == CardType::Invalid && RuleOn(rules, SpecialRule::LowChain))
    type = GetLowChainType(values, count, outKey, modeFlag, rules);
  if (type == CardType::Invalid && outKey) *outKey = 0;
  return type;
}

int SuperClueCard::GetPlaneAnyWingsType(const std::uint8_t* values, int count, int* outKey) {
  return PlaneAnyWingsWithHandCount(values, count, outKey, g_iSuperSelfHandCardCount);
}

int SuperClueCard::GetLowChainType(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                                   const SpecialRuleFlags* rules) {
  if (outKey) *outKey = 0;
  if (values == nullptr || count < 1 || count > kMaxPlayCards) return CardType::Invalid;
  std::array<std::uint8_t, kMaxPlayCards> v{};
  std::copy(values, values + count, v.begin());
  const int twos = static_cast<int>(std::count(v.begin(), v.begin() + count, kValue2));
  if (twos == 0) return CardType::Invalid;
  if (twos > 1) {
    for (int i = 0; i < count; ++i) {
      if (v[i] == kValueA) v[i] = 1;
      else if (v[i] == kValue2) v[i] = 2;
    }
  } else {
    // A 13-card run 2..A keeps its A high.
    if (count != 13) {
      auto a = std::find(v.begin(), v.begin() + count, kValueA);
      if (a != v.begin() + count) *a = 1;
    }
    *std::find(v.begin(), v.begin() + count, kValue2) = 2;
  }
  SpecialRuleFlags once = rules ? *rules : SpecialRuleFlags{};
  once.bytes[SpecialRule::LowChain] = 0;
  return GetTypeByMask(v.data(), count, outKey, modeFlag, &once);
}

int SuperClueCard::ValueToCodeIndex(int value) {
  const int r = value % 15;
  if (r == 0 || r == 2) return 1;
  if (r == 1 || r == 14) return 0;
  if (r >= 3 && r <= 13) return r - 1;
  return -1;
}

std::vector<CardGroupRecord> SuperClueCard::EnumerateGroups(std::vector<CardCode> cards, CardTypeInfo& info,
                                                            int modeFlag, const SpecialRuleFlags* rules) {
  std::vector<std::uint8_t> values;
  if (!superdetail::CodesToValues(cards, values)) {
    info = CardTypeInfo{};
    return {};
  }
  const int n = static_cast<int>(values.size());
  int small = -1, big = -1;
  for (int i = 0; i < n; ++i) {
    if (values[i] == kValueSmallJoker) small = i;
    if (values[i] == kValueBigJoker) big = i;
  }
  const bool anyJoker = small >= 0 || big >= 0;
  const bool rocket = n == 2 && small >= 0 && big >= 0;
  const bool loneJoker = n == 1 && anyJoker;

  std::vector<CardGroupRecord> readings;
  if (modeFlag == PlayerCountMode::ThreeSeatWildcard && RuleOn(rules, SpecialRule::Wildcard) && anyJoker && !rocket &&
      !loneJoker) {
    // An absent joker's loop would only repeat the readings: run it once.
    const int aLast = small >= 0 ? kValue2 : 3;
    const int bLast = big >= 0 ? kValue2 : 3;
    std::vector<std::uint8_t> trial = values;
    for (int a = 3; a <= aLast; ++a) {
      for (int b = 3; b <= bLast; ++b) {
        if (small >= 0) trial[small] = static_cast<std::uint8_t>(a);
        if (big >= 0) trial[big] = static_cast<std::uint8_t>(b);
        int key = 0;
        const int type = GetTypeByMask(trial.data(), n, &key, PlayerCountMode::ThreeSeatWildcard, rules);
        if (type <= 0) continue;
        const bool seen = std::any_of(readings.begin(), readings.end(),
                                      [&](const CardGroupRecord& r) { return r.type == type && r.value == key; });
        if (seen) continue;
        CardGroupRecord rec;
        rec.type = type;
        rec.value = key;
        for (int i = 0; i < n; ++i) rec.cards[i] = cards[i];
        int w = 0;
        if (small >= 0) {
          rec.cards[small] = ValueToCodeIndex(a);
          rec.wildcardCards[w] = kSmallJokerByte;
          rec.substituteValues[w++] = SuitZeroByte(a);
        }
        if (big >= 0) {
          rec.cards[big] = ValueToCodeIndex(b);
          rec.wildcardCards[w] = kBigJokerByte;
          rec.substituteValues[w++] = SuitZeroByte(b);
        }
        rec.wildcardCount = w;
        readings.push_back(rec);
      }
    }
  } else {
    int key = 0;
    const int type = GetTypeByMask(values.data(), n, &key, modeFlag, rules);
    info.type = type;
    info.value = key;
    if (type > 0) {
      CardGroupRecord rec;
      rec.type = type;
      rec.value = key;
      for (int i = 0; i < n; ++i) rec.cards[i] = cards[i];
      readings.push_back(rec);
    }
  }
  if (!readings.empty()) PruneReadings(readings, modeFlag, rules);
  return readings;
}

void SuperClueCard::PruneReadings(std::vector<CardGroupRecord>& readings, int modeFlag,
                                  const SpecialRuleFlags* rules) {
  bool anyPlain = false;
  for (CardGroupRecord& rec : readings) {
    // Put the jokers back in the places of their substitute cards.
    std::vector<CardCode> real = CardsOf(rec);
    const int used = std::clamp(rec.wildcardCount, 0, CardGroupRecord::kMaxWildcards);
    for (int i = 0; i < used; ++i) {
      const CardCode sub = CardByteToCode(rec.substituteValues[i]);
      const CardCode joker = CardByteToCode(rec.wildcardCards[i]);
      if (sub < 0 || joker < 0) continue;
      auto it = std::find(real.begin(), real.end(), sub);
      if (it != real.end()) *it = joker;
    }
    int key = 0;
    const int type = ClassifyCodes(real, &key, modeFlag, rules);
    if (type != rec.type) continue;
    rec.value = key;
    rec.cards.fill(-1);
    std::copy(real.begin(), real.end(), rec.cards.begin());
    rec.wildcardCards.fill(CardGroupRecord::kNoByte);
    rec.substituteValues.fill(CardGroupRecord::kNoByte);
    anyPlain = true;
  }
  if (anyPlain || RuleOn(rules, SpecialRule::TripleTakesTwo)) return;

  // Without "a triple takes two cards", both jokers never ride along a triple.
  std::erase_if(readings, [&](const CardGroupRecord& rec) {
    if (rec.wildcardCount != 2) return false;
    std::vector<CardCode> rest = CardsOf(rec);
    for (int i = 0; i < 2; ++i) {
      auto it = std::find(rest.begin(), rest.end(), CardByteToCode(rec.substituteValues[i]));
      if (it != rest.end()) rest.erase(it);
    }
    if (rest.empty()) return false;
    const int type = ClassifyCodes(rest, nullptr, modeFlag, rules);
    return type == CardType::Triple || type == SuperCardType::TripleBomb;
  });
}

bool SuperClueCard::SmartSelect(std::vector<CardCode>& out, std::vector<CardCode> lastPlay,
                                std::vector<CardCode> hand, std::vector<CardCode> selected, int modeFlag,
                                const SpecialRuleFlags* rules) {
  const superdetail::EngineHooks hooks{&SuperSearchMode, &g_iSuperPromptType, &g_iSuperPromptValue,
                                       &SuperClueCard::EnumerateGroups, &SuperClueCard::GetTypeByMask, true};
  return superdetail::SmartSelect(hooks, out, lastPlay, hand, selected, modeFlag, rules);
}

bool SuperClueCard::GetPrompt(std::vector<CardCode>& out, std::vector<CardCode> lastPlay,
                              std::vector<CardCode> hand, int modeFlag, const SpecialRuleFlags* rules) {
  const superdetail::EngineHooks hooks{&SuperSearchMode, &g_iSuperPromptType, &g_iSuperPromptValue,
                                       &SuperClueCard::EnumerateGroups, &SuperClueCard::GetTypeByMask, true};
  return superdetail::Prompt(hooks, out, lastPlay, hand, modeFlag, rules);
}

}  // namespace ddz
