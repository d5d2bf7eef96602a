// One seat of the single-player game as the computer player sees it: the
// cards it holds, the cards it knows are out, and the split of its hand into
// playable combinations with the numbers that bidding and play decide on.
//
// Values here are value indexes: 3..13, A 14, 2 15, small joker 16, big joker 17.
#pragma once

#include <array>
#include <initializer_list>
#include <span>

#include "cardlogic/CardCodes.h"
#include "cardlogic/Poker.h"

namespace ddz {

class CPlayerCard;

// Combination codes of the computer player's records.
namespace Combo {
constexpr int None = 0;
constexpr int Plane = 1;           // consecutive triples, 3n cards
constexpr int PlaneSingles = 2;    // plane with one single per triple, 4n
constexpr int PlanePairs = 3;      // plane with one pair per triple, 5n
constexpr int PairStraight = 4;    // 2n
constexpr int Straight = 5;        // n
constexpr int Bomb = 6;            // 4
constexpr int FourTwoSingles = 7;  // 6
constexpr int FourTwoPairs = 8;    // 8
constexpr int Triple = 9;          // 3
constexpr int TripleSingle = 10;   // 4
constexpr int TriplePair = 11;     // 5
constexpr int Pair = 12;           // 2
constexpr int Single = 13;         // 1
constexpr int Rocket = 14;         // both jokers
}  // namespace Combo

// Wing kinds of a combination record.
constexpr int kWingSingles = 13;
constexpr int kWingPairs = 12;
constexpr int kMaxWings = 5;

// A combination: an entry of a seat's list, or the table's last play.
// For codes 1..5 the group runs from iLow to iHigh; for the others iLow (= iHigh)
// is the group's value. Wings: n values for codes 2 and 3, two for 7 and 8,
// one for 10 and 11.
struct CombinationRecord {
  int iType = Combo::None;
  int iLow = 0;
  int iHigh = 0;
  int iWingKind = 0;
  std::array<int, kMaxWings> iWings{};
  CPlayerCard* pPlayer = nullptr;      // the seat that played it
  CPlayerCard* pPrevPlayer = nullptr;  // the seat that played the record's previous content

  void Clear() { *this = CombinationRecord{}; }
  bool IsEmpty() const { return iType == Combo::None; }
};

class CPlayerCard {
 public:
  static constexpr int kMaxCards = 20;
  static constexpr int kDealCount = 17;
  static constexpr int kListSize = 6;
  static constexpr int kValueSlots = 18;  // tables indexed by value index 0..17

  CPlayerCard();
  virtual ~CPlayerCard() = default;
  CPlayerCard(const CPlayerCard&) = delete;
  CPlayerCard& operator=(const CPlayerCard&) = delete;

  // Takes deck positions seat, seat + 3, ..., seat + 48, notes the bottom cards
  // (positions 51..53) and analyses with a fresh bid wish. False without a deck
  // or for a seat outside 0..2.
  bool SetHandCards(const CPoker* deck, int seat);
  // Gives the seat any set of cards (at most 20, each value at most four times,
  // each joker once) as its whole hand: both count tables start from these
  // cards, the bottom values are noted, and the hand is analysed (with a fresh
  // bid wish when bidFlag is set). The deal goes through here; tests and tools
  // use it to set up a crafted hand. False, and nothing changed, for anything else.
  bool SetCards(std::span<CCard* const> cards, const std::array<int, 3>& bottomValues, bool bidFlag);
  // The landlord's three bottom cards into slots 17..19, counted in both tables;
  // analysed without the bid flag. False without a deck or unless the seat holds
  // exactly the 17 dealt cards (the bottom cards are taken once). The score is not used.
  bool AddBottomCards(const CPoker* deck, int bidScore);

  // Takes a combination out of the hand. Code 0 (a pass) succeeds and changes
  // nothing. False, and nothing changed, without a record, with an empty hand,
  // for a malformed record, or when the hand lacks any card of it. Otherwise:
  // counts and card count down, high-card score down by the 2s and jokers (and
  // one for a bomb not of 2s), re-analysis when asked, the record's players
  // moved on to this seat, and the other seats note the cards.
  bool TakeOutCards(CombinationRecord* combination, bool reanalyse, CPlayerCard* seat0, CPlayerCard* seat1,
                    CPlayerCard* seat2);
  // Notes a combination another seat played in this seat's seen counts. True
  // and nothing done for this seat's own play or a code outside 1..14; false
  // without a player or record, or for a malformed record.
  bool RecordSeenCards(const CPlayerCard* player, const CombinationRecord* combination);
  // The human seat's play, as value indexes 3..17. False, and nothing changed,
  // without a record or values, for a count of 0 or above the cards held, a
  // value outside 3..17, or a card the hand lacks. Otherwise the cards leave,
  // the other seats note them, the record's players move on and the hand is analysed.
  bool RemovePlayedCards(CombinationRecord* record, const int* values, int count, CPlayerCard* seat0,
                         CPlayerCard* seat1, CPlayerCard* seat2);

  // Splits the hand into the list and the loose-card marks; returns the turns.
  int AnalyseHand(bool bidFlag);
  // Counts the turns again from the current list and marks (also stores them).
  int CountTurns();
  // The bid this hand wants, 0..3 (draws from the random source).
  int GetBidScore();

  // Cards of a combination by its code (0 for an unknown code or a bad range).
  static int GetCombinationCardCount(const CombinationRecord* record);

  // --- What the seat knows -------------------------------------------------
  // The card in a slot (0..19; null when empty or out of range). The cards
  // belong to the deck; the local server marks them played through here.
  CCard* GetCard(int slot) const { return slot >= 0 && slot < kMaxCards ? m_pCards[slot] : nullptr; }
  const CCardRecord& OwnCounts() const { return m_OwnCount; }
  const CCardRecord& SeenCounts() const { return m_SeenCount; }
  int GetBottomValue(int i) const { return i >= 0 && i < 3 ? m_iBottomValue[i] : 0; }
  int GetHighScore() const { return m_iHighScore; }
  int GetSingles() const { return m_iSingles; }
  int GetLowSingles() const { return m_iLowSingles; }
  int GetPairs() const { return m_iPairs; }
  int GetLowPairs() const { return m_iLowPairs; }
  int GetTurns() const { return m_iTurns; }
  int GetBidWish() const { return m_iBidWish; }
  int GetRole() const { return m_iRole; }
  void SetRole(int role) { m_iRole = role; }
  int GetCardCount() const { return m_iCardCount; }
  const CombinationRecord& GetCombination(int slot) const { return m_Combination[slot]; }
  int GetCombinationCount() const { return m_iCombinationCount; }
  // Loose-single and loose-pair marks by value index (1 = marked).
  int SingleMark(int value) const { return InValueRange(value) ? m_iSingleMark[value] : 0; }
  int PairMark(int value) const { return InValueRange(value) ? m_iPairMark[value] : 0; }

  // --- Play choice ------------------------------------------------------------
  // The seat's move on its turn. last is the table's last-play record; leading
  // is true when that play was the seat's own or nobody has played yet. True:
  // the move is written into last (code, values, wings; the players move on),
  // its cards have left the hand and the other seats have noted them. False: a
  // pass, nothing changed. A leading seat that holds cards always plays; a
  // following seat plays only what beats last, and never answers a rocket.
  // Draws Rand() % 100 once per call, then (following) once per opponent.
  bool SearchPlay(CombinationRecord* last, bool leading, CPlayerCard* seat0, CPlayerCard* seat1,
                  CPlayerCard* seat2);
  // Plays the list record in a slot as a lead, with loose cards as wings for a
  // plane or triple when there are enough (need = its length times factor).
  // False for an empty slot, a bomb or a record of 2s.
  bool PlayListedCombination(CombinationRecord* record, CPlayerCard* seat0, CPlayerCard* seat1,
                             CPlayerCard* seat2, int slot, int factor);

  // What the seat reads of the table (seats may be given in any order; this
  // seat may be among them). E: the fewest cards an opponent holds (20 when
  // none is known). P: the partner's cards (the landlord: its own; 20 when none).
  int GetEnemyMinCardCount(const CPlayerCard* seat0, const CPlayerCard* seat1, const CPlayerCard* seat2) const;
  int GetPartnerCardCount(const CPlayerCard* seat0, const CPlayerCard* seat1, const CPlayerCard* seat2) const;
  // One draw per opponent: near with 6 cards or fewer, with 75 % at 7-8,
  // 25 % at 9-10, never at 11 or more. True when any opponent counts.
  bool IsOpponentNearFinish(const CPlayerCard* seat0, const CPlayerCard* seat1, const CPlayerCard* seat2) const;
  // Loose singles that neither win a round by themselves nor ride on a triple:
  // singles less the sure ones (big joker; small joker with the big one seen; a
  // single 2 with both jokers seen), less plane lengths and lone triples; not below 0.
  int CountUncoveredSingles() const;
  // The same count, as the following searchers name it.
  int CountUncarriedSingles() const;
  // Turns the seat needs that an opponent could take from it.
  int CountControlTurns() const;
  // Bomb records, plus one for the rocket.
  int CountBombs() const;
  // No low singles, no pairs, no 2s unless four, not a lone joker, and every
  // list record a bomb.
  bool IsOnlyBombsLeft() const;

  // The play a record stands for, as the classic classifier would name it
  // (type and spread key; Invalid for an unknown code or a bad range). Wings
  // are not looked at.
  static CardTypeInfo GetCombinationTypeInfo(const CombinationRecord& record);

 private:
  static bool InValueRange(int v) { return v >= 0 && v < kValueSlots; }
  // Fills need[] with the cards of a combination; false when it is malformed.
  static bool CombinationValues(const CombinationRecord& c, std::array<int, kValueSlots>& need);

  // Analysis passes, all on the scratch counts.
  bool ListFull() const;
  bool AddGroup(int code, int value);           // bomb, triple: the cards leave
  bool AddChain(int code, int low, int high);   // plane, pair straight, straight
  int HeldAbove(int value) const;               // held values directly above (not past A)
  int HeldBelow(int value) const;               // held values directly below (not below 3)
  int ScratchTotal() const;
  void ReturnSetAside();
  void SplitPairStraights();
  int SplitPlanesInPairRun(int low, int high);
  void SplitPlanes();
  void SplitStraights(int low, int high);
  void SplitTriples();
  bool LendToStraights(int runLow, int runHigh, int low, int high);
  void SortList();

  // Play choice (PlayerCardPlay.cpp, PlayerCardLead.cpp, PlayerCardFollow.cpp).
  struct PlayContext;
  struct WingChoice;
  bool Lead(PlayContext& ctx);
  bool Follow(PlayContext& ctx);
  // Writes the move into the record and takes its cards out; refused (nothing
  // changed) when the move is malformed or, following, does not beat the last play.
  bool Commit(PlayContext& ctx, const CombinationRecord& move, bool reanalyse);
  bool Beats(const PlayContext& ctx, const CombinationRecord& move) const;
  // Bookkeeping of a play made without a fresh analysis.
  void UseSingleMark(int value);
  void UsePairMark(int value);
  void SplitPairMark(int value);  // one card played, the other stays as a loose single
  void ClearSlot(int slot);
  void ApplyWings(const WingChoice& wings);
  // Marks and list.
  int LowestSingleMark(int from, int to) const;
  int HighestSingleMark(int from, int to) const;
  int LowestPairMark(int from, int to) const;
  int HighestPairMark(int from, int to) const;
  int ListedCount() const;
  int PlaneLengthsAndTriples() const;
  bool SeenSmallJoker() const { return m_SeenCount.Get(kValueSmallJoker) > 0; }
  bool SeenBigJoker() const { return m_SeenCount.Get(kValueBigJoker) > 0; }
  int Held(int value) const { return static_cast<int>(m_OwnCount.Get(value)); }
  bool HasSureSingle() const;
  // Plays of one value.
  bool PlaySingleMark(PlayContext& ctx, int value);
  bool PlayPairMark(PlayContext& ctx, int value);
  bool PlaySplitPair(PlayContext& ctx, int value);
  bool PlaySingleFromHand(PlayContext& ctx, int value);
  bool PlayPairFromHand(PlayContext& ctx, int value);
  bool PlayLowestHeldGroup(PlayContext& ctx);
  bool PlayListed(PlayContext& ctx, int slot, int factor);

  // Lead tactics (also used when following).
  bool LeadSmallestCombination(PlayContext& ctx);
  bool LeadLowestSingle(PlayContext& ctx);
  bool LeadSecondLowestSingle(PlayContext& ctx);
  bool LeadHighestSingle(PlayContext& ctx);
  bool LeadLowestPair(PlayContext& ctx);
  bool LeadHighestPair(PlayContext& ctx);
  bool LeadLowestSingleOrPair(PlayContext& ctx);
  bool LeadTripleOf2s(PlayContext& ctx);
  bool LeadPairOf2s(PlayContext& ctx);
  bool LeadSingle2(PlayContext& ctx);
  bool PlayRocket(PlayContext& ctx);
  bool LeadSmallJoker(PlayContext& ctx);
  bool LeadBigJoker(PlayContext& ctx);
  bool PlayBomb(PlayContext& ctx);
  bool PlayBombOf2s(PlayContext& ctx);
  bool LeadFourWithTwoSingles(PlayContext& ctx);
  bool FinishInOneTurn(PlayContext& ctx);

  // Following.
  bool TryBombs(PlayContext& ctx);  // PlayBomb, PlayBombOf2s, PlayRocket
  bool FinishWithWholeHand(PlayContext& ctx);
  bool FollowWithBomb(PlayContext& ctx, bool partnerPlayed, bool danger);
  bool FollowChain(PlayContext& ctx);
  bool FollowPlane(PlayContext& ctx) { return FollowChain(ctx); }
  bool FollowPlaneWithSingles(PlayContext& ctx) { return FollowChain(ctx); }
  bool FollowPlaneWithPairs(PlayContext& ctx) { return FollowChain(ctx); }
  bool FollowPairStraight(PlayContext& ctx) { return FollowChain(ctx); }
  bool FollowStraight(PlayContext& ctx) { return FollowChain(ctx); }
  bool FollowWithFour(PlayContext& ctx);
  bool FollowWithFourAndTwoSingles(PlayContext& ctx) { return FollowWithFour(ctx); }
  bool FollowWithFourAndTwoPairs(PlayContext& ctx) { return FollowWithFour(ctx); }
  bool FollowTripleKind(PlayContext& ctx);
  bool FollowTriple(PlayContext& ctx) { return FollowTripleKind(ctx); }
  bool FollowTripleWithSingle(PlayContext& ctx) { return FollowTripleKind(ctx); }
  bool FollowTripleWithPair(PlayContext& ctx) { return FollowTripleKind(ctx); }
  bool FollowPair(PlayContext& ctx);
  bool FollowSingle(PlayContext& ctx);
  bool FollowSingleBelow2(PlayContext& ctx);
  bool FollowSingle2(PlayContext& ctx);
  bool PartnerCoveredOwnPlay(const PlayContext& ctx) const;
  // Wings for a group: the sources are tried in order, each over its values
  // from low to high, skipping the group's own values and values already taken.
  // When fewer than the need are found, the choice is left empty.
  enum class WingSource {
    SingleMark,  // a loose single
    SplitPair,   // one card of a loose pair (the other stays as a loose single)
    PairMark,    // a loose pair
    HeldOnce,    // a value held once (taken from the hand: needs a fresh analysis)
    HeldTwice,   // a value held twice: one card or the pair, by wing kind (idem)
    HeldTwoOrThree,  // two cards of a value held two or three times (idem)
    Held,        // any held value (idem)
  };
  struct WingStep {
    WingSource source;
    int from;
    int to;
  };
  bool CollectWings(WingChoice& out, int kind, int need, int groupLow, int groupHigh,
                    std::initializer_list<WingStep> steps) const;

  std::array<CCard*, kMaxCards> m_pCards{};
  CCardRecord m_OwnCount;
  CCardRecord m_SeenCount;
  std::array<int, 3> m_iBottomValue{};
  int m_iHighScore = 0;
  int m_iSingles = 0;
  int m_iLowSingles = 0;
  int m_iPairs = 0;
  int m_iLowPairs = 0;
  int m_iTurns = 0;
  int m_iBidWish = 0;
  int m_iRole = 0;
  int m_iCardCount = 0;
  std::array<CombinationRecord, kListSize> m_Combination{};
  int m_iCombinationCount = 0;
  // During the analysis: cards a pass put aside as singles / pairs. After it:
  // the loose-single and loose-pair marks.
  std::array<int, kValueSlots> m_iSingleMark{};
  std::array<int, kValueSlots> m_iPairMark{};
  std::array<int, kValueSlots> m_iScratch{};
};

}  // namespace ddz
