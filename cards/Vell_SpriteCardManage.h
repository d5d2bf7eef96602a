// The base of every row of card sprites on a table (own hand, other hands,
// played cards, bottom cards, deal, last-hand row).
//
// A row is a layer that owns one record per card and one sprite per record
// (plus a hidden shadow when the row's shadow flag is set). The records are in
// row order, index 0 the left-most (bottom-most) card, and a card's sprites have
// the z-order 100 + its place in the row. Every change of a row ends in
// SortCards or LayoutCards; the subclasses put all placement into LayoutCards
// and all ordering into SortCards.
//
// Four operations can be taken over by a script handler registered in the
// row's hook table: 0 LayoutCards, 1 SortCards, 2 OnAutoOperate,
// 3 RefreshCardMarks (called with its flag as a boolean argument). Without a
// handler SortCards sorts by descending card value and the other three do
// nothing here.
//
// Cards are sprite indexes (CardCode). A card that is not a card code is not
// added: AddCard logs it and returns null. Card bytes from messages become
// sprite indexes only through CardByteToSpriteIndex.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/engine/lua/ScriptHooks.h"
#include "platform/engine/Math.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndGameLayer.h"

// One card of a row.
struct Vell_SpriteCardInfo {
  std::int32_t iCardIndex = 0;  // sprite index (CardCode)
  float fX = 0, fY = 0;         // place in the row layer, written by LayoutCards
  float fZ = 0;                 // z-order of the card's sprites: 100 + place in the row
  float fScale = 1.0f;
  std::uint8_t bBack = 0;       // drawn as a back
  std::uint8_t bTouched = 0;    // marked by the current drag of the own hand
  std::uint8_t bSelected = 0;   // raised
  cocos2d::Sprite* pCardSprite = nullptr;    // child of the row
  cocos2d::Sprite* pShadowSprite = nullptr;  // "p_shadow.png", hidden; null without the shadow flag
};

// A card byte of a message ((suit << 5) | v) as a sprite index, through the one
// converter of card bytes; -1 for a byte that names no card.
int CardByteToSpriteIndex(std::uint8_t byte);

class Vell_SpriteCardManage : public YndGameLayer {
 public:
  // Hook numbers of the script hook table.
  enum ScriptHook { kHookLayoutCards = 0, kHookSortCards = 1, kHookAutoOperate = 2, kHookRefreshMarks = 3 };

  Vell_SpriteCardManage();
  ~Vell_SpriteCardManage() override;

  void onExit() override;

  // ---- the row's operations ----
  // Adds one card at the end of the row; null (and nothing changes) when the
  // card is not a card code or no sprite could be made for it.
  virtual Vell_SpriteCardInfo* AddCard(int card, bool faceDown, bool selected, bool sortAfter, bool shown);
  virtual void UnselectAll();
  virtual void RemoveAllCards();
  // Remove a card and give its place ((0, 0) when it is not in the row); the
  // row is sorted or laid out in any case.
  virtual void RemoveCardByRecord(cocos2d::Vec2& position, Vell_SpriteCardInfo* record, bool sortAfter);
  virtual void RemoveCard(cocos2d::Vec2& position, int card, bool sortAfter);
  virtual int GetCardCount();
  virtual void SortCards();
  virtual void OnAutoOperate();
  virtual void RefreshCardMarks(bool flag);
  virtual void LayoutCards();

  // ---- card faces and values ----
  // One card sprite: the back, a joker or a number face, shown (small, dimmed)
  // or not. A face whose frames are missing is drawn as a back (logged).
  static cocos2d::Sprite* CreateCardSprite(int index, bool faceDown, bool shown);
  // Card value of a sprite index: A 14, 2 15, 3..K 3..13, small joker 16, big
  // joker 17, wildcard (28) 18; -1 for a negative index that is not a multiple of 15.
  static int CardIndexToValue(int index);
  // Frame number of a card value: 3..13 -> 2..12, 15 -> 1, 16 -> 13, 17 -> 14,
  // 18 -> 28, any other value -> 0.
  static int ValueToFrameIndex(int value);

  // ---- script hooks ----
  // Runs the handler of `hook` in `handlers` with no argument; its result, or 0
  // when there is none. The table view fires its own events through it too.
  static int ExecuteScriptHandler(const ddz::ScriptHandlerMap& handlers, int hook);
  // Registers a script handler for hook 0-3; the first handler of a hook stays.
  // False when refused (another hook number, or the hook is taken).
  bool RegisterScriptHook(int hook, int handler);
  void UnregisterScriptHook(int hook);
  bool HasScriptHook(int hook) const { return ddz::HasScriptHandler(m_mapScriptHooks, hook); }

  // ---- read access ----
  const std::vector<Vell_SpriteCardInfo*>& GetVellCards() const { return m_vcVellCards; }
  bool IsShowOnAdd() const { return m_bShowOnAdd; }
  void SetShowOnAdd(bool show) { m_bShowOnAdd = show; }
  bool HasShadow() const { return m_bShadow; }
  void SetShadow(bool shadow) { m_bShadow = shadow; }

 protected:
  // The card gap, row gap, card scale and row anchor are read only by the
  // subclasses' LayoutCards.
  float m_fCardGap = 0;
  float m_fRowGap = 0;
  float m_fCardScale = 0;
  cocos2d::Vec2 m_ptAnchor;
  std::vector<Vell_SpriteCardInfo*> m_vcVellCards;  // owned
  bool m_bShowOnAdd = true;  // false: new cards are created hidden
  bool m_bShadow = false;    // true: every new card gets a hidden shadow
  ddz::ScriptHandlerMap m_mapScriptHooks;

  // Runs `hook` when a handler is registered for it; true when one ran.
  bool RunScriptHook(int hook, const cocos2d::LuaValue* argument = nullptr);
  // Places of equal value keep no particular order: the row's order is the one
  // this exchange sort leaves (descending card value).
  template <class Record>
  static void SortByValue(std::vector<Record*>& cards);
  // Card codes a row accepts: the real cards of the two decks and the wildcard.
  static bool AcceptCard(int card, const char* who);
};

template <class Record>
void Vell_SpriteCardManage::SortByValue(std::vector<Record*>& cards) {
  const std::size_t n = cards.size();
  if (n < 2) return;
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (CardIndexToValue(cards[i]->iCardIndex) < CardIndexToValue(cards[j]->iCardIndex)) std::swap(cards[i], cards[j]);
}
