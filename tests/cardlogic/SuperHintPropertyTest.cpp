// Both Super hint cycles over seeded random hands and plays: every suggestion is made of
// distinct hand cards, reads (wildcards as their substitutes) as the play's type with a
// higher key or as a bomb, and every cycle ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "cardlogic/SuperClueCard.h"

using namespace ddz;

namespace {

bool IsBomb(int type) { return type == SuperCardType::TripleBomb || type == CardType::Bomb || type == CardType::Rocket; }

// Whether suggestion (type, key) may follow (lastType, lastKey) on the Super table.
bool Beats(int type, int key, int lastType, int lastKey) {
  if (type == lastType) return key > lastKey;
  if (!IsBomb(type)) return false;
  if (!IsBomb(lastType)) return true;
  return type > lastType;
}

std::vector<CardCode> Deck() {
  std::vector<CardCode> deck;
  for (int suit = 0; suit < 4; ++suit)
    for (int i = 0; i < 13; ++i) deck.push_back(suit * 15 + i);
  deck.push_back(kSmallJokerCode);
  deck.push_back(kBigJokerCode);
  return deck;
}

// A play the table could show: a group cut from the deck that classifies plainly.
std::vector<CardCode> RandomPlay(std::mt19937& rng, int modeFlag, const SpecialRuleFlags& rules, bool threeSeat) {
  auto deck = Deck();
  for (int attempt = 0; attempt < 500; ++attempt) {
    std::shuffle(deck.begin(), deck.end(), rng);
    const int kind = static_cast<int>(rng() % 4);
    std::vector<CardCode> play;
    if (kind == 0) {
      play.assign(deck.begin(), deck.begin() + 1 + rng() % 2);
    } else {
      // Cards of one or a few neighbouring ranks, as chains and groups come.
      const int width = 1 + static_cast<int>(rng() % 3);
      const int len = kind == 1 ? 5 + static_cast<int>(rng() % 4) : 1 + static_cast<int>(rng() % 3);
      const int low = 2 + static_cast<int>(rng() % (12 - std::min(len, 10)));
      for (int k = 0; k < len && low + k <= 12; ++k)
        for (int w = 0; w < width; ++w) play.push_back(w * 15 + low + k);
    }
    CardTypeInfo info;
    const auto readings = threeSeat ? SuperClueCard::EnumerateGroups(play, info, modeFlag, &rules)
                                    : ErClueCard::EnumerateGroups(play, info, modeFlag, &rules);
    if (readings.size() == 1 && readings[0].type > 0 && readings[0].type != CardType::Rocket) return play;
  }
  return {};
}

void RunCycles(bool threeSeat, unsigned seed) {
  std::mt19937 rng(seed);
  int suggestions = 0, wildcardSuggestions = 0;
  for (int round = 0; round < 300; ++round) {
    SpecialRuleFlags rules;
    for (int r : {SpecialRule::TwoPairStraight, SpecialRule::LowChain, SpecialRule::TripleBomb, SpecialRule::Wildcard})
      rules.bytes[r] = static_cast<std::uint8_t>(rng() % 2);
    const int modeFlag = threeSeat ? static_cast<int>(rng() % 2) : PlayerCountMode::TwoSeat;
    const auto last = RandomPlay(rng, modeFlag, rules, threeSeat);
    ASSERT_FALSE(last.empty());
    CardTypeInfo lastInfo;
    const auto lastReading = threeSeat ? SuperClueCard::EnumerateGroups(last, lastInfo, modeFlag, &rules)
                                       : ErClueCard::EnumerateGroups(last, lastInfo, modeFlag, &rules);

    auto deck = Deck();
    std::shuffle(deck.begin(), deck.end(), rng);
    std::vector<CardCode> hand(deck.begin(), deck.begin() + 8 + rng() % 13);
    if (rng() % 2) hand.push_back(kSmallJokerCode);
    if (rng() % 2) hand.push_back(kBigJokerCode);
    std::sort(hand.begin(), hand.end());
    hand.erase(std::unique(hand.begin(), hand.end()), hand.end());
    if (hand.size() > 20) hand.resize(20);
    g_iSelfHandCardCount = g_iSuperSelfHandCardCount = static_cast<int>(hand.size());

    int& mode = threeSeat ? SuperSearchMode : SearchMode;
    int& type = threeSeat ? g_iSuperPromptType : g_iErPromptType;
    int& key = threeSeat ? g_iSuperPromptValue : g_iErPromptValue;
    mode = 1;
    type = key = -1;
    bool ended = false;
    for (int press = 0; press < 80 && !ended; ++press) {
      std::vector<CardCode> out;
      const bool ok = threeSeat ? SuperClueCard::GetPrompt(out, last, hand, modeFlag, &rules)
                                : ErClueCard::GetPrompt(out, last, hand, modeFlag, &rules);
      if (!ok || out.empty()) {
        ended = true;
        break;
      }
      ++suggestions;
      if (mode == 2) ++wildcardSuggestions;
      std::set<CardCode> distinct(out.begin(), out.end());
      EXPECT_EQ(distinct.size(), out.size()) << "seed " << seed << " round " << round;
      for (CardCode c : out) EXPECT_NE(std::find(hand.begin(), hand.end(), c), hand.end());
      // The suggested cards themselves read as the suggestion, the jokers as wildcards
      // where the search used them (the three-seat reader lists those readings).
      SpecialRuleFlags readRules = rules;
      if (!threeSeat) readRules.bytes[SpecialRule::TripleBomb] = 0;
      CardTypeInfo info;
      const auto readings = SuperClueCard::EnumerateGroups(out, info, mode == 2 ? 1 : modeFlag, &readRules);
      const bool reads = std::any_of(readings.begin(), readings.end(),
                                     [&](const CardGroupRecord& r) { return r.type == type && r.value == key; });
      EXPECT_TRUE(reads) << "seed " << seed << " round " << round << ": " << out.size() << " cards do not read as "
                         << type << "/" << key;
      EXPECT_TRUE(Beats(type, key, lastReading[0].type, lastReading[0].value))
          << "seed " << seed << " round " << round << ": suggestion " << type << "/" << key << " against "
          << lastReading[0].type << "/" << lastReading[0].value;
    }
    EXPECT_TRUE(ended) << "seed " << seed << " round " << round << ": the hint cycle did not end";
  }
  EXPECT_GT(suggestions, 100);
  EXPECT_GT(wildcardSuggestions, 10);
  SearchMode = SuperSearchMode = 1;
  g_iErPromptType = g_iErPromptValue = g_iSuperPromptType = g_iSuperPromptValue = -1;
  g_iSelfHandCardCount = g_iSuperSelfHandCardCount = 0;
}

}  // namespace

TEST(SuperHintProperty, TwoSeatSuggestionsBeatThePlay) { RunCycles(false, 20240601u); }

TEST(SuperHintProperty, ThreeSeatSuggestionsBeatThePlay) { RunCycles(true, 77u); }
