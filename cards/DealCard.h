// The deal of a hand on the two- and three-seat tables: a pile of backs
// spreads out (25 steps of kSpreadStepMs), gathers in the middle (10 steps),
// then 17 passes each fly one card to every seat (three moves of
// kPassStepMs a pass) while the seats' hand rows fill up: the own hand face
// up in the order of the deal message, the others face down. The lander card
// turns up face up at its seat during the pass its random position falls in;
// passes 1 to 15 play the deal sound. At the end the bottom-card row gets its
// backs, the own hand takes touches and the owner view hears OnDealCardEnd.
//
// The row is the pile, driven by the engine's per-frame update while it is on
// the stage, at most one step a frame. Its clock and counters are its own and
// start again with every StartDeal, so an interrupted deal does not shorten
// the next one.
//
// From StartDeal to its end the deal holds one raise of the message lock (a
// MsgLockToken): it is lowered at the end, just before the view is told, or
// when the row leaves the stage first. A deal that was only paused by leaving
// the stage goes on when the row comes back and still tells the view at its
// end; one stopped (StopDeal) does not. The views neither raise nor lower the
// lock for the deal themselves.
//
// The four-player deal (SRDealCard) is this deal with other numbers (a
// DealNumbers record) and places (the protected hooks at the end).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "cards/SpriteCardManage.h"
#include "cards/TableRowOwner.h"

class BaseCard;
class MsgLockToken;

class DealCard : public SpriteCardManage {
 public:
  static constexpr int kSeatSlots = 4;
  static constexpr int kOwnSeat = 1;
  static constexpr int kOwnCards = 17;
  static constexpr int kTotalCards = 54;
  static constexpr int kSpreadCards = 25;
  static constexpr int kGatherSteps = 10;
  static constexpr int kMovesPerPass = 3;
  static constexpr int kPasses = 17;
  static constexpr int kLastSoundedPass = 15;
  static constexpr int kLanderPositions = 13;
  static constexpr unsigned kSpreadStepMs = 5;  // spread and gather
  static constexpr unsigned kPassStepMs = 20;
  static constexpr int kMaxOwnCards = 25;
  static constexpr int kFlyCardZOrder = 1000;
  static constexpr const char* kFrameFlyCard = "flycard.png";
  static constexpr const char* kDealSound = "ddzSound/3.mp3";

  enum Phase { kSpread = 0, kGather = 1, kDeal = 2 };

  // What a table's deal counts. The lander card turns up in the first pass r
  // with r * landerStride - landerLead <= position <= r * landerStride.
  struct DealNumbers {
    int seats = 3;
    int ownCards = kOwnCards;  // at most kMaxOwnCards; one pass per own card
    int totalCards = kTotalCards;
    int bottomCards = 3;
    int landerPositions = kLanderPositions;  // the position is drawn from 1 to this
    int landerStride = 3;
    int landerLead = 3;
    unsigned passStepMs = kPassStepMs;
    int lastSoundedPass = kLastSoundedPass;
    int ownWildcardValue = -1;  // of the own cards as they arrive (-1 and 0 draw the plain face)
  };

  // `owner`: told when the deal ends; `seatRows`: the hand rows of the screen
  // seats (entry 1 the own hand); `baseCard`: the bottom-card row. The deal
  // keeps a reference to each row for its life (a view that builds the own
  // hand anew leaves the deal a live row to write into); the owner is not
  // owned.
  DealCard(ITableRowOwner* owner, const std::array<Vell_SpriteCardManage*, kSeatSlots>& seatRows,
           BaseCard* baseCard);
  ~DealCard() override;

  // Prepares a deal: the own card bytes (17, or the table's own cards) of the deal message (an invalid
  // byte is skipped with a log line: that pass gives the own hand no card),
  // the lander card byte (invalid: no lander card) and the lander's screen
  // seat. The deal starts when the row is on the stage.
  void StartDeal(const std::uint8_t* ownCardBytes, int unused, std::uint8_t landerByte, int landerSeat);
  // Ends a running deal where it stands without telling the owner (the table
  // is taken down): the pile, the flying cards and the lander card go and the
  // lock is lowered. What the seats were given stays in their rows.
  void StopDeal();

  // Seats at the table: 3, or 2 on a two-seat table.
  void SetSeatCount(int seats) { m_Numbers.seats = seats == 2 ? 2 : 3; }

  void onEnter() override;
  void update(float dt) override;
  void LayoutCards() override;

  int GetPhase() const { return m_iPhase; }
  int GetPassCount() const { return m_iPassCount; }
  int GetLanderPosition() const { return m_iLanderPos; }
  cocos2d::Sprite* GetLanderSprite() const { return m_pLanderSprite; }
  bool IsDealing() const { return m_bDealing; }
  bool IsHoldingLock() const;
  const DealNumbers& GetNumbers() const { return m_Numbers; }

 protected:
  DealCard(ITableRowOwner* owner, const std::array<Vell_SpriteCardManage*, kSeatSlots>& seatRows,
           BaseCard* baseCard, const DealNumbers& numbers);

  // ---- the places of a table's deal (the classic ones here) ----
  struct PilePlace {
    float scale;
    int gap;  // between the spread's cards
    cocos2d::Vec2 at;  // the gathered pile; the spread's y
  };
  struct FlyPath {
    cocos2d::Vec2 start;
    cocos2d::Vec2 stop;
    bool down;  // turned 90 degrees, flies in y
  };
  struct LanderPlace {
    cocos2d::Vec2 at;
    float scale;
  };
  virtual PilePlace PilePlaceOf() const;
  virtual FlyPath FlyPathOf(int seat) const;
  virtual LanderPlace LanderPlaceOf(int seat) const;
  // The own card arrives with the gold focus frame.
  virtual bool OwnCardFocus(int /*card*/) const { return false; }

 private:
  void SpreadStep();
  void GatherStep();
  void DealStep();
  void DealPass();
  void EndDeal();
  // The pile still and empty, the counters at their start.
  void Halt();
  void AddPileCard();
  void PlaceFlyCards();
  void RemoveFlyCards();
  void AddToSeat(int seat, int card, bool faceDown);

  DealNumbers m_Numbers;
  std::array<int, kMaxOwnCards> m_iOwnCards{};  // sprite indexes; -1 for a byte that was no card
  int m_iLanderPos = 0;                          // 1..landerPositions
  int m_iLanderCard = -1;
  int m_iLanderSeat = 0;
  int m_iPhase = kSpread;
  std::array<Vell_SpriteCardManage*, kSeatSlots> m_pSeatRows{};  // retained
  BaseCard* m_pBaseCard = nullptr;                                 // retained
  ddz::TableRowOwnerRef m_Owner;
  std::vector<float> m_vcGatherStep;
  std::array<cocos2d::Sprite*, kSeatSlots> m_pFlyCards{};  // children of the row
  std::array<cocos2d::Vec2, kSeatSlots> m_ptFlyStart{};
  std::array<bool, kSeatSlots> m_bFlyDown{};  // rotated: flies down in y
  std::array<float, kSeatSlots> m_fFlyStep{};
  cocos2d::Sprite* m_pLanderSprite = nullptr;  // child of the row

  // The deal's clock and counters.
  unsigned int m_uLastStepTime = 0;
  int m_iStepCount = 0;  // steps of the current phase
  int m_iMoveCount = 0;  // moves of the current pass
  int m_iPassCount = 0;
  bool m_bDealing = false;  // between StartDeal and the deal's end
  MsgLockToken* m_pLock = nullptr;  // child of the row
};
