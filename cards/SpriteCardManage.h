// The card row every concrete row of the table derives from. Its records carry,
// beside the card sprite and shadow, a wildcard face, a joker marker (wildcard
// mode), a gold focus frame, a dimming mask and the landlord mark; all of a
// card's sprites share its z-order.
//
// The row keeps its own record list: the base's list stays empty, and the
// base's list operations are replaced by versions that work on these records.
// The base's LayoutCards, OnAutoOperate and RefreshCardMarks (with their script
// hooks) are kept; SortCards has no script hook here.
#pragma once

#include <cstdint>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"

struct SpriteCardInfo : Vell_SpriteCardInfo {
  std::uint8_t bFocus = 0;   // added with the gold focus frame
  std::uint8_t bMasked = 0;  // the dimming mask is on
  // For a card that stands in for another: the card code whose number is
  // drawn on its wildcard face; 0 or less = the ordinary face.
  std::int32_t iWildcardValue = 0;
  cocos2d::Sprite* pJokerMark = nullptr;     // "qorvddz_vell_laizi.png" on jokers in wildcard mode
  cocos2d::Sprite* pFocusFrame = nullptr;    // "gold_card_focus.png"
  cocos2d::Sprite* pMaskSprite = nullptr;    // "p_shadow.png", opacity 153
  cocos2d::Sprite* pLandlordMark = nullptr;  // "veriz_landower.png"
};

class SpriteCardManage : public Vell_SpriteCardManage {
 public:
  SpriteCardManage();
  ~SpriteCardManage() override;

  // ---- replaced operations of the base ----
  void UnselectAll() override;
  void RemoveAllCards() override;
  void RemoveCard(cocos2d::Vec2& position, int card, bool sortAfter) override;
  int GetCardCount() override;
  void SortCards() override;

  // ---- the row's own operations ----
  // Adds one card at the end of the row; null (and nothing changes) when the
  // card is not a card code or no sprite could be made for it.
  virtual SpriteCardInfo* AddCard(int card, bool faceDown, bool selected, bool sortAfter, int wildcardValue,
                                  bool focus, bool shown);
  using Vell_SpriteCardManage::RemoveCardByRecord;
  // Removes the record and every sprite of it; (0, 0) when it is not in the row.
  virtual void RemoveCardByRecord(cocos2d::Vec2& position, SpriteCardInfo* record, bool sortAfter);

  // One card sprite at the places of the layout configuration; with a record
  // whose wildcard value is 1 or more (and not face down), the wildcard face.
  using Vell_SpriteCardManage::CreateCardSprite;
  static cocos2d::Sprite* CreateCardSprite(const SpriteCardInfo* record, int card, bool faceDown, bool shown);

  // Marks of one card; an index outside the row does nothing.
  void SetCardMask(int index, bool on);
  void SetCardFocus(int index, bool on);
  // Only for role > 1 (the landlord's played cards); at most one mark a card.
  void SetLandlordMark(int index, int role);

  bool IsWildcardMode() const { return m_bWildcardMode; }
  void SetWildcardMode(bool on) { m_bWildcardMode = on; }
  const std::vector<SpriteCardInfo*>& GetCards() const { return m_vcCards; }

 protected:
  bool m_bWildcardMode = false;  // jokers get the joker marker and a pink tint
  std::vector<SpriteCardInfo*> m_vcCards;  // owned, in row order

  // Takes every sprite of the record off the layer.
  void RemoveRecordSprites(SpriteCardInfo* info);
};
