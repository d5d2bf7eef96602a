// ErClueCardSearch: the analysis record on which every group search of the Super
// table runs. It splits a hand of card bytes into groups by multiplicity and chain
// lists of values, finds the lowest group of a given type that beats a given key
// (plain search), or one that needs the jokers as wildcards (wildcard search).
//
// Values inside a search are engine values: 3..13, A 14, 2 20, small joker 25, big
// joker 26. In the chain lists a 2 that may begin a chain is written 2 (below the 3).
// One record serves one search; it is never reused.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/SuperRules.h"

namespace ddz {

class ErClueCardSearch {
 public:
  static constexpr int kHandBytes = 20;
  using Bytes = std::vector<std::uint8_t>;
  using Out = std::array<std::uint8_t, kHandBytes>;

  ErClueCardSearch();

  // The wildcards of the hand (the jokers), as card bytes; at most four are kept.
  void SetWildcards(const std::vector<CardByte>& cards);

  // Splits the hand (card bytes, 0 = no card) into groups and value lists. Refuses,
  // leaving the record empty, a hand of more than 20 cards or a byte that is no card.
  bool Split(std::span<const CardByte> hand);

  // The dispatcher of the two-seat engine: looks in the hand for a group that beats
  // (iNowType, value). The search mode is SearchMode (1 plain, 2 wildcard). On success
  // out holds the found cards as CardValues (A 14, 2 15, jokers 16/17), real cards first
  // and the wildcards used after them, zero-terminated. A wildcard search copies its
  // wildcard record to *record (when given), found or not.
  bool Search(std::span<const CardByte> hand, Out& out, int iNowType, int value, int modeFlag,
              const SpecialRuleFlags* rules, CardGroupRecord* record);
  // The same for the three-seat engine, reading SuperSearchMode; a natural 2 begins
  // chains there when the LowChain rule is on.
  bool SearchSuper(std::span<const CardByte> hand, Out& out, int iNowType, int value, int modeFlag,
                   const SpecialRuleFlags* rules, CardGroupRecord* record);

  // Promote: v joins the k-groups (k bytes) and leaves the (k-1)-groups (k-1 bytes);
  // Demote undoes it. k is 1..4. The bytes added go to the end of their list, or, once
  // the record has run a three-seat search (SearchSuper), into value order.
  void Promote(int k, int v);
  void Demote(int k, int v);

  // Compacts the non-zero bytes of out to the front, sorts them descending and returns
  // how many there are.
  int PackResult(Out& out) const;

  // Plain finders (search mode 1), by the type they answer. Each writes the group to
  // out (engine values) and returns true, or returns false leaving out as it was.
  bool FindSingle(Out& out);
  bool FindPair(Out& out);
  bool FindTriple(Out& out);
  bool FindTripleWithSingle(Out& out);
  bool FindTripleWithPair(Out& out);
  bool FindStraight(Out& out);
  bool FindPairStraight(Out& out);
  bool FindPlane(Out& out);
  bool FindFourWithTwo(Out& out);
  bool FindPlaneWithWings(Out& out);
  bool FindBomb(Out& out);
  // The lowest bomb that beats any ordinary play: triple bomb, four, rocket.
  bool FindPlainBombFallback(Out& out);
  bool TakeTripleBomb(Out& out, int above);
  bool TakeFour(Out& out, int above);
  bool TakeRocket(Out& out);

  // Wildcard searchers (search mode 2): (out, wildcards left, wildcards used, lowest
  // substitute value). A success records each substitution in result.
  bool WildPair(Out& out, int left, int& used, int start);
  bool WildTriple(Out& out, int left, int& used, int start);
  bool WildTripleWithSingle(Out& out, int left, int& used, int start);
  bool WildTripleWithPair(Out& out, int left, int& used, int start);
  bool WildFourWithTwo(Out& out, int left, int& used, int start);
  bool WildBomb(Out& out, int left, int& used, int start);
  bool WildBombFallback(Out& out, int left, int& used, int start);
  bool WildStraight(Out& out, int left, int& used, int start);
  bool WildPairStraight(Out& out, int left, int& used, int start);
  bool WildPlane(Out& out, int left, int& used, int start);
  bool WildPlaneWithWings(Out& out, int left, int& used, int start);

  // The record, in its order.
  Bytes wildcards;                 // engine values of the hand's wildcards
  SpecialRuleFlags rules;          // copy of the table's rules
  std::uint8_t modeFlag = 0;       // PlayerCountMode
  int mode = 1;                    // search mode at the start of the search
  CardGroupRecord result;          // wildcard part of the found group
  int iNowType = 0;                // type to beat
  int value = 0;                   // key value to beat (engine value)
  std::array<Bytes, 5> groups;     // singles, pairs, triples, fours, rocket
  std::array<Bytes, 5> saved;      // groups before a wildcard search
  Bytes distinct;                  // every value once, ascending
  Bytes pairValues;                // values held two or more times
  Bytes tripleValues;              // values held three or more times

 private:
  bool Dispatch(std::span<const CardByte> hand, Out& out, int type, int keyValue, int modeFlagIn,
                const SpecialRuleFlags* rulesIn, CardGroupRecord* record, bool threeSeat);
  bool RunPlainFinder(Out& out, bool& hasFinder);
  bool RunWildSearcher(Out& out, int left, int& used, int start, bool& hasSearcher);

  void AddToGroup(int list, std::uint8_t v, int times);
  // 1..4: the multiplicity list that holds v; 0 when the hand has no v.
  int HeldCount(std::uint8_t v) const;
  bool IsNewGroup(int list, std::uint8_t v) const;
  bool TripleBombApplies() const;
  // Kickers; reserved = number of wildcards already standing for a value.
  bool SingleKicker(std::uint8_t body, int reserved, std::uint8_t& kicker) const;
  bool TwoKickers(std::uint8_t body, std::uint8_t kick[2]) const;
  bool FourKickers(std::uint8_t body, bool pairs, std::uint8_t* kick) const;
  bool FindChain(const Bytes& list, int width, int length, Out& out, const char* label);
  bool RecordSubstitution(Out& out, std::uint8_t v, int& used);

  template <class FindNew, class Skip>
  bool WildGroupLoop(Out& out, int left, int& used, int start, FindNew& findNew, Skip& skip);
  template <class FindNew>
  bool WildChainLoop(Out& out, int left, int& used, int start, int width, FindNew& findNew);

  bool threeSeat_ = false;
  bool lowChains_ = false;  // a natural 2 is written 2 in the chain lists
  bool wildSearch_ = false;
  int totalWildcards_ = 0;
  int bodyLow_ = 0;   // value range of the body of the last group found
  int bodyHigh_ = 0;
};

// CardCode -> CardValue with the wildcard card (index 13 of any suit) counted as a
// small joker (16): the value form every Super engine works with.
int CodeToValueNoLaizi(CardCode code);
// Engine value of a CardValue (2 -> 20, jokers 25/26; others unchanged).
int ValueToEngine(int cardValue);

}  // namespace ddz
