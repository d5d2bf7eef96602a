// The bottom cards of a hand: a centred row at the top of the table, face down
// while the hand is dealt and bid, turned over one after another when the
// landlord is known, and flown to their small resting places when play begins.
//
// While the cards are turned the row holds one raise of the message lock, so
// that no further game message is handled before every bottom card shows. The
// raise is a MsgLockToken: it is lowered exactly once, at the end of the flip
// chain, or when the row leaves the stage or drops its cards before that. A
// chain that was only paused by leaving the stage goes on when the row comes
// back and still tells the owner view at its end.
//
// The flip chain: the first card flips at once (two frames, kFlipFrameSeconds
// each); every further card waits the flip delay, then flips. When the last
// flip ends the owner view hears OnBaseCardShown, once per ShowBaseCard, and
// then the raise comes down.
#pragma once

#include <vector>

#include "cards/TableRowOwner.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Sprite;
}
class MsgLockToken;

// One bottom card. Both sprites are children of the row (null when absent).
struct BaseCardItem {
  int iCardIndex = 0;  // sprite index (CardCode) of the face
  cocos2d::Sprite* pBackSprite = nullptr;
  cocos2d::Sprite* pFaceSprite = nullptr;
};

class BaseCard : public YndGameLayer {
 public:
  static constexpr const char* kFlipFrame = "fs_card_ani_%d.png";  // 0, 1
  static constexpr int kFlipFrames = 2;
  static constexpr float kFlipFrameSeconds = 0.04f;
  static constexpr float kDefaultFlipDelay = 0.5f;
  static constexpr const char* kFlipSound = "ddzSound/209.mp3";
  // The fly-away to the resting places (g_ptBaseCardStop, shifted left).
  static constexpr float kFlyAwaySeconds = 0.5f;
  static constexpr float kRestScale = 0.2f;
  static constexpr float kRestShiftX = -162;

  // `owner`: the view told when the cards are shown; not owned.
  explicit BaseCard(ITableRowOwner* owner);
  ~BaseCard() override;

  // Appends a card: a back ("cardback.png"), or the face of `iCardIndex`
  // shown or hidden by bVisible. A face that is not a card is refused (logged).
  void AddCard(int iCardIndex, bool bBack, bool bVisible);
  // Turns the row over: items without a face get the face of their entry of
  // vcBaseCardIndex (an item past the list's end keeps its back but still
  // takes its turn in the chain), then the flip chain runs. Called again
  // before the chain ended, the chain starts over and the lock stays raised
  // once.
  void ShowBaseCard(const std::vector<int>& vcBaseCardIndex, float fAniDelayTime, bool bPalySound);
  // Clears the row: backs go at once, faces fly to their resting places (on
  // the four-player table they go at once). A chain still running ends here
  // and lowers the lock; the owner view is not told.
  void RemoveAllCard();
  // Appends the card index of every item, in row order.
  void GetBaseCard(std::vector<int>& out) const;
  int GetCardCount() const { return static_cast<int>(m_vcCards.size()); }
  void LayoutCards();

  const std::vector<BaseCardItem*>& GetItems() const { return m_vcCards; }
  bool IsHoldingLock() const;

 private:
  void RunFlip(BaseCardItem* item, float delay);
  void OnFlipStep();
  // Shows item `m_iFlipStep - 1` and starts the next flip, or ends the chain.
  void AdvanceChain();
  void EndChain();
  void StopChain();
  static void Reveal(BaseCardItem* item);

  std::vector<BaseCardItem*> m_vcCards;  // owned, in row order
  int m_iGap = 0;
  float m_fScale = 1.0f;
  int m_iFlipStep = 0;  // index of the card whose flip has just ended
  float m_fFlipDelay = kDefaultFlipDelay;
  ddz::TableRowOwnerRef m_Owner;
  bool m_bFlipSound = false;
  bool m_bChainRunning = false;
  MsgLockToken* m_pLock = nullptr;  // child of the row
};
