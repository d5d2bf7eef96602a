// SuperClueCard: the rules and hint engine of the three-seat Super table. It works as
// ErClueCard with its own search mode and hint cycle, and adds two things: chains that
// begin at the 2 or at A-2 (LowChain rule), and the readings of a selection in which the
// jokers stand for other values (the readings the wildcard chooser shows).
#pragma once

#include <cstdint>
#include <vector>

#include "cardlogic/ErClueCard.h"

namespace ddz {

// Hint cycle of the three-seat engine (-1: start over from the play on the table).
extern int g_iSuperPromptType;
extern int g_iSuperPromptValue;

class SuperClueCard : public ErClueCard {
 public:
  SuperClueCard() = default;
  explicit SuperClueCard(const std::vector<CardCode>& cards);
  ~SuperClueCard() override;

  // ErClueCard's classifier (with g_iSuperSelfHandCardCount) plus, with the LowChain
  // rule, the low-chain retry.
  static int GetTypeByMask(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                           const SpecialRuleFlags* rules);
  static int GetPlaneAnyWingsType(const std::uint8_t* values, int count, int* outKey);
  // Reads the A as 1 and the 2 as 2 and classifies once more (-1 when there is no 2).
  static int GetLowChainType(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                             const SpecialRuleFlags* rules);

  // Every reading of the cards; with mode 1 and the Wildcard rule, the jokers stand for
  // each value 3..2 in turn. info gets the plain reading (left alone when the jokers
  // were read as wildcards; {-1, 0} for cards it cannot read).
  static std::vector<CardGroupRecord> EnumerateGroups(std::vector<CardCode> cards, CardTypeInfo& info, int modeFlag,
                                                      const SpecialRuleFlags* rules);
  // Turns readings that the real cards make by themselves into plain readings, and
  // drops a triple carried by both jokers unless a triple takes two cards.
  static void PruneReadings(std::vector<CardGroupRecord>& readings, int modeFlag, const SpecialRuleFlags* rules);
  // CardValue 3..15 (or 1, 2) -> suit-0 CardCode of that value (A 0, 2 1); -1 otherwise.
  static int ValueToCodeIndex(int value);

  static bool SmartSelect(std::vector<CardCode>& out, std::vector<CardCode> lastPlay, std::vector<CardCode> hand,
                          std::vector<CardCode> selected, int modeFlag = PlayerCountMode::ThreeSeat,
                          const SpecialRuleFlags* rules = nullptr);
  static bool GetPrompt(std::vector<CardCode>& out, std::vector<CardCode> lastPlay, std::vector<CardCode> hand,
                        int modeFlag, const SpecialRuleFlags* rules);
};

}  // namespace ddz
