// The hint and smart-select engines of the three rule sets (classic ClueCard,
// four-player SRClueCard/SRSearchCard, Super ErClueCard/SuperClueCard) on
// arbitrary card bytes: a hand, a play to beat and a selection, then several
// presses of the hint button in a row. What holds for every answer: it is made
// of cards of the hand (as many of each as the hand holds); a classic or
// four-player suggestion is a valid play that beats a valid play on the table;
// a refused smart selection is empty. The Super table's group records are
// compared as the play request carries them: no record beats itself.
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"
#include "cardlogic/ErClueCard.h"
#include "cardlogic/SRClueCard.h"
#include "cardlogic/SRSearchCard.h"
#include "cardlogic/SuperClueCard.h"
#include "cardlogic/SuperRules.h"
#include "fuzz/FuzzSupport.h"

using namespace ddz;
using ddz::fuzz::Input;
using Cards = std::vector<CardCode>;

namespace {

// Cards from the input: card bytes through the one converter (what is no card
// is skipped), or, when `raw`, codes taken as they come (-2..59).
Cards ReadCards(Input& in, std::size_t max, bool raw) {
  Cards out;
  const std::size_t n = in.Byte() % (max + 1);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t b = in.Byte();
    if (raw) out.push_back(static_cast<int>(b % 62) - 2);
    else if (CardByteToCode(b) != -1) out.push_back(CardByteToCode(b));
  }
  return out;
}

bool IsPartOf(const Cards& part, const Cards& whole) {
  std::map<CardCode, int> left;
  for (CardCode c : whole) ++left[c];
  for (CardCode c : part)
    if (--left[c] < 0) return false;
  return true;
}

void Classic(Input& in, const Cards& hand, const Cards& last, const Cards& selected, int presses) {
  CardTypeInfo lastType;
  const bool lastValid = !last.empty() && ClueCard::GetCardType(lastType, last);
  ResetHintCycle();
  for (int i = 0; i < presses; ++i) {
    Cards out;
    const bool ok = ClueCard::Hint(out, last, hand);
    FUZZ_CHECK(IsPartOf(out, hand));
    if (ok && !out.empty()) {
      CardTypeInfo type;
      FUZZ_CHECK(ClueCard::GetCardType(type, out));
      if (lastValid) FUZZ_CHECK(ClueCard::CompareCardType(type, lastType) > 0);
    }
  }
  Cards out;
  if (!ClueCard::SmartSelect(out, last, hand, selected)) FUZZ_CHECK(out.empty());
  FUZZ_CHECK(IsPartOf(out, hand));
  (void)in;
}

void FourPlayer(Input& in, const Cards& hand, const Cards& last, const Cards& selected, int presses) {
  CardTypeInfo lastType;
  const bool lastValid =
      !last.empty() && SRClueCard::GetCodesCardType(last.data(), static_cast<int>(last.size()), lastType);
  SRClueCard::RestartHintCycle();
  SRClueCard engine;
  for (int i = 0; i < presses; ++i) {
    Cards out;
    const bool ok = engine.HintBySearch(out, last, hand);
    FUZZ_CHECK(IsPartOf(out, hand));
    if (ok && !out.empty()) {
      CardTypeInfo type;
      FUZZ_CHECK(SRClueCard::GetCodesCardType(out.data(), static_cast<int>(out.size()), type));
      if (lastValid) FUZZ_CHECK(ClueCard::CompareCardType(type, lastType) > 0);
    }
  }
  Cards out;
  if (!engine.Hint(out, last, hand, selected)) FUZZ_CHECK(out.empty());
  FUZZ_CHECK(IsPartOf(out, hand));
  // The search engine directly, with an arbitrary target.
  SRSearchCard search;
  const int type = in.Byte();
  const int value = in.Byte() % 32;
  if (search.Search(hand.data(), static_cast<int>(hand.size()), type, value))
    FUZZ_CHECK(!search.Found().empty() && search.Found().size() <= hand.size());
}

void Super(Input& in, const Cards& hand, const Cards& last, const Cards& selected, int presses) {
  const bool threeSeat = in.Bool();
  SpecialRuleFlags rules;
  const std::uint8_t ruleBits = in.Byte();
  for (int r = 0; r < SpecialRule::Count; ++r) rules.bytes[r] = (ruleBits >> r) & 1;
  const SpecialRuleFlags* ruleArg = in.Bool() ? &rules : nullptr;
  const int mode = threeSeat ? in.Byte() % 2 : PlayerCountMode::TwoSeat;
  g_iSelfHandCardCount = g_iSuperSelfHandCardCount = static_cast<int>(hand.size());
  SearchMode = SuperSearchMode = 1;
  g_iErPromptType = g_iErPromptValue = g_iSuperPromptType = g_iSuperPromptValue = -1;
  for (int i = 0; i < presses; ++i) {
    Cards out;
    if (threeSeat) SuperClueCard::GetPrompt(out, last, hand, mode, ruleArg);
    else ErClueCard::GetPrompt(out, last, hand, mode, ruleArg);
    FUZZ_CHECK(IsPartOf(out, hand));
    FUZZ_CHECK(out.size() <= static_cast<std::size_t>(ErClueCard::kMaxPlayCards));
  }
  Cards out;
  const bool ok = threeSeat ? SuperClueCard::SmartSelect(out, last, hand, selected, mode, ruleArg)
                            : ErClueCard::SmartSelect(out, last, hand, selected, mode, ruleArg);
  if (!ok) FUZZ_CHECK(out.empty());
  FUZZ_CHECK(IsPartOf(out, hand));
  CardTypeInfo info;
  const auto readings = threeSeat ? SuperClueCard::EnumerateGroups(selected, info, mode, ruleArg)
                                  : ErClueCard::EnumerateGroups(selected, info, mode, ruleArg);
  for (const CardGroupRecord& r : readings) {
    FUZZ_CHECK(r.wildcardCount >= 0 && r.wildcardCount <= CardGroupRecord::kMaxWildcards);
    FUZZ_CHECK(!SuperGroupBeats(r, r));
  }
  // Two records as they might arrive: no record beats itself.
  CardGroupRecord a, b;
  const auto bytesA = in.Bytes(sizeof a);
  const auto bytesB = in.Bytes(sizeof b);
  if (!bytesA.empty()) std::memcpy(&a, bytesA.data(), bytesA.size());
  if (!bytesB.empty()) std::memcpy(&b, bytesB.data(), bytesB.size());
  FUZZ_CHECK(!SuperGroupBeats(a, a));
  (void)SuperGroupBeats(a, b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = (fuzz::QuietLog(), SRClueCard::SetLogSink([](const char*) {}), true);
  (void)quiet;
  const ddz::fuzz::RunScope scope;
  Input in(data, size);
  const std::uint8_t head = in.Byte();
  const int engine = head % 3;
  const bool raw = (head >> 2) & 1;
  const int presses = 1 + ((head >> 3) & 3);
  const std::size_t maxHand = engine == 1 ? 36 : 24;
  const Cards hand = ReadCards(in, maxHand, raw);
  const Cards last = ReadCards(in, 22, raw);
  Cards selected;
  const int picks = in.Byte() % 8;
  std::vector<bool> picked(hand.size());  // a selection takes each card of the hand once
  for (int i = 0; i < picks && !hand.empty(); ++i) {
    const std::size_t at = in.Byte() % hand.size();
    if (!picked[at]) selected.push_back(hand[at]);
    picked[at] = true;
  }
  switch (engine) {
    case 0: Classic(in, hand, last, selected, presses); break;
    case 1: FourPlayer(in, hand, last, selected, presses); break;
    default: Super(in, hand, last, selected, presses); break;
  }
  return 0;
}
