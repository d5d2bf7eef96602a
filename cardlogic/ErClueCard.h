// ErClueCard: the rules and hint engine of the two-seat Super table. It classifies a
// play under the table's special rules, completes a touched selection into a group,
// and answers the hint button with the next group that beats the last play, first
// without wildcards and then with the jokers as wildcards.
#pragma once

#include <cstdint>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/SuperRules.h"

namespace ddz {

// Hint cycle of the two-seat engine: type and key value of the last suggestion, or -1
// when the next press starts again from the play on the table.
extern int g_iErPromptType;
extern int g_iErPromptValue;

class ErClueCard {
 public:
  static constexpr int kMaxPlayCards = 20;

  ErClueCard() = default;
  // Copies the cards and sorts them into hand order.
  explicit ErClueCard(const std::vector<CardCode>& cards);
  virtual ~ErClueCard();

  // CardCode -> CardValue (the wildcard card, code 28, is 18).
  static int GetCardValue(int code);
  // CardCode -> CardValue with index 13 of every suit a small joker (16).
  static int GetCardValueNoLaizi(int code);
  // Engine value -> CardValue, in place: 20 -> 15, 1 -> 14, 2 -> 15, 25 -> 16, 26 -> 17.
  static void UnspreadValue(std::uint8_t& value);

  // Hand order: GetCardValueNoLaizi descending, then suit 0..3.
  void SortHand();

  // Finders of the smart selection; each fills the result list and returns a code of
  // the group found, or -1 with an empty result. `card` is the card whose value is to
  // be beaten (-1: from the lowest).
  int FindBiggerPair(CardCode card);
  int FindStraight(CardCode card);
  // The lowest run of three or more consecutive pairs (below the 2).
  int FindPairStraight();

  const std::vector<CardCode>& Hand() const { return m_vcCards; }
  const std::vector<CardCode>& Result() const { return m_vcResult; }

  // Classifier under the special rules. values are CardValues (or spread values),
  // count 1..20; writes the key value (0 when invalid) to *outKey when given.
  static int GetTypeByMask(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                           const SpecialRuleFlags* rules);
  // Planes with any two cards per triple (rule PlaneAnyWings); short wings only as the
  // play that empties the hand (g_iSelfHandCardCount cards).
  static int GetPlaneAnyWingsType(const std::uint8_t* values, int count, int* outKey);

  // The readings of the cards: one record when they classify, else none. info gets the
  // type and key value in every case ({-1, 0} for cards it cannot read).
  static std::vector<CardGroupRecord> EnumerateGroups(std::vector<CardCode> cards, CardTypeInfo& info, int modeFlag,
                                                      const SpecialRuleFlags* rules);

  // Completes a touched selection into a group that may follow lastPlay (or lead).
  static bool SmartSelect(std::vector<CardCode>& out, std::vector<CardCode> lastPlay, std::vector<CardCode> hand,
                          std::vector<CardCode> selected, int modeFlag = PlayerCountMode::TwoSeat,
                          const SpecialRuleFlags* rules = nullptr);

  // The hint: the next group of the hand that beats lastPlay. true with an empty out
  // means "nothing further, the next press starts over".
  static bool GetPrompt(std::vector<CardCode>& out, std::vector<CardCode> lastPlay, std::vector<CardCode> hand,
                        int modeFlag, const SpecialRuleFlags* rules);

  // The classifier with the hand-card count given (the two engines keep their own).
  static int ClassifyWithHandCount(const std::uint8_t* values, int count, int* outKey, int modeFlag,
                                   const SpecialRuleFlags* rules, int handCount);
  static int PlaneAnyWingsWithHandCount(const std::uint8_t* values, int count, int* outKey, int handCount);

 protected:
  std::vector<CardCode> m_vcCards;   // hand order
  std::vector<CardCode> m_vcResult;  // filled by the finders
  int m_iResultType = -1;
  int m_iResultValue = -1;
};

namespace superdetail {

// What the two engines' hint and smart selection differ in.
struct EngineHooks {
  int* searchMode;
  int* promptType;
  int* promptValue;
  std::vector<CardGroupRecord> (*enumerate)(std::vector<CardCode>, CardTypeInfo&, int, const SpecialRuleFlags*);
  int (*classify)(const std::uint8_t*, int, int*, int, const SpecialRuleFlags*);
  bool threeSeat;
};

bool Prompt(const EngineHooks& engine, std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
            const std::vector<CardCode>& hand, int modeFlag, const SpecialRuleFlags* rules);
bool SmartSelect(const EngineHooks& engine, std::vector<CardCode>& out, const std::vector<CardCode>& lastPlay,
                 const std::vector<CardCode>& hand, const std::vector<CardCode>& selected, int modeFlag,
                 const SpecialRuleFlags* rules);
// Codes -> NoLaizi CardValues; false for an empty list, more than 20 cards or a code
// that names no card.
bool CodesToValues(const std::vector<CardCode>& cards, std::vector<std::uint8_t>& values);

}  // namespace superdetail

}  // namespace ddz
