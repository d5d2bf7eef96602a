#include "cards/Vell_SpriteCardManage.h"

#include <algorithm>

#include "cardlogic/CardCodes.h"
#include "cards/CardFace.h"
#include "platform/engine/Log.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

int CardByteToSpriteIndex(std::uint8_t byte) { return ddz::CardByteToCode(byte); }

Vell_SpriteCardManage::Vell_SpriteCardManage() = default;

Vell_SpriteCardManage::~Vell_SpriteCardManage() {
  ddz::ReleaseScriptHandlers(m_mapScriptHooks);
  // onExit has emptied a row that was on screen; a row that never was still
  // owns its records. The sprites are children and go with the layer.
  for (Vell_SpriteCardInfo* info : m_vcVellCards) delete info;
  m_vcVellCards.clear();
}

void Vell_SpriteCardManage::onExit() {
  RemoveAllCards();
  YndGameLayer::onExit();
}

bool Vell_SpriteCardManage::AcceptCard(int card, const char* who) {
  if (ddz::IsValidCardCode(card)) return true;
  cocos2d::log("%s: card %d is not a card, skipped", who, card);
  return false;
}

// ---------------------------------------------------------------- list operations

Vell_SpriteCardInfo* Vell_SpriteCardManage::AddCard(int card, bool faceDown, bool selected, bool sortAfter,
                                                    bool shown) {
  if (!AcceptCard(card, "Vell_SpriteCardManage::AddCard")) return nullptr;
  Sprite* sprite = CreateCardSprite(card, faceDown, shown);
  if (sprite == nullptr) {
    cocos2d::log("Vell_SpriteCardManage::AddCard: no sprite for card %d, skipped", card);
    return nullptr;
  }
  auto* info = new Vell_SpriteCardInfo();
  info->fScale = 1.0f;
  info->bTouched = 0;
  info->iCardIndex = card;
  info->fZ = static_cast<float>(m_vcVellCards.size()) + 100;
  info->bBack = faceDown ? 1 : 0;
  info->bSelected = selected ? 1 : 0;
  info->pCardSprite = sprite;
  addChild(sprite, static_cast<int>(info->fZ));
  if (m_bShadow) {
    info->pShadowSprite = Sprite::createWithSpriteFrameName(ddz::kFrameCardShadow);
    if (info->pShadowSprite != nullptr) {
      info->pShadowSprite->setVisible(false);
      addChild(info->pShadowSprite, static_cast<int>(info->fZ));
    }
  }
  m_vcVellCards.push_back(info);
  if (!m_bShowOnAdd) {
    info->pCardSprite->setVisible(false);
    if (info->pShadowSprite != nullptr) info->pShadowSprite->setVisible(false);
  }
  RefreshCardMarks(false);
  if (sortAfter)
    SortCards();
  else
    LayoutCards();
  return info;
}

void Vell_SpriteCardManage::UnselectAll() {
  for (Vell_SpriteCardInfo* info : m_vcVellCards) info->bSelected = 0;
  LayoutCards();
}

void Vell_SpriteCardManage::RemoveAllCards() {
  std::vector<Vell_SpriteCardInfo*> cards;
  cards.swap(m_vcVellCards);
  for (Vell_SpriteCardInfo* info : cards) {
    removeChild(info->pCardSprite, true);
    removeChild(info->pShadowSprite, true);
    delete info;
  }
  LayoutCards();
}

void Vell_SpriteCardManage::RemoveCardByRecord(Vec2& position, Vell_SpriteCardInfo* record, bool sortAfter) {
  position = Vec2::ZERO;
  auto it = std::find(m_vcVellCards.begin(), m_vcVellCards.end(), record);
  if (it != m_vcVellCards.end()) {
    position = Vec2((*it)->fX, (*it)->fY);
    removeChild((*it)->pCardSprite, true);
    removeChild((*it)->pShadowSprite, true);
    delete *it;
    m_vcVellCards.erase(it);
  }
  if (sortAfter)
    SortCards();
  else
    LayoutCards();
}

void Vell_SpriteCardManage::RemoveCard(Vec2& position, int card, bool sortAfter) {
  auto it = std::find_if(m_vcVellCards.begin(), m_vcVellCards.end(),
                         [card](const Vell_SpriteCardInfo* info) { return info->iCardIndex == card; });
  if (it != m_vcVellCards.end()) {
    RemoveCardByRecord(position, *it, sortAfter);
    return;
  }
  position = Vec2::ZERO;
  if (sortAfter)
    SortCards();
  else
    LayoutCards();
}

int Vell_SpriteCardManage::GetCardCount() { return static_cast<int>(m_vcVellCards.size()); }

void Vell_SpriteCardManage::SortCards() {
  if (RunScriptHook(kHookSortCards)) return;
  SortByValue(m_vcVellCards);
  for (std::size_t i = 0; i < m_vcVellCards.size(); ++i) m_vcVellCards[i]->fZ = static_cast<float>(i) + 100;
  for (Vell_SpriteCardInfo* info : m_vcVellCards) {
    const int z = static_cast<int>(info->fZ);
    reorderChild(info->pCardSprite, z);
    if (info->pShadowSprite != nullptr) reorderChild(info->pShadowSprite, z);
  }
  LayoutCards();
}

void Vell_SpriteCardManage::OnAutoOperate() { RunScriptHook(kHookAutoOperate); }

void Vell_SpriteCardManage::RefreshCardMarks(bool flag) {
  const cocos2d::LuaValue argument = cocos2d::LuaValue::booleanValue(flag);
  RunScriptHook(kHookRefreshMarks, &argument);
}

void Vell_SpriteCardManage::LayoutCards() { RunScriptHook(kHookLayoutCards); }

// ---------------------------------------------------------------- faces and values

Sprite* Vell_SpriteCardManage::CreateCardSprite(int index, bool faceDown, bool shown) {
  return ddz::BuildCardFace(index, faceDown, shown, 0, ddz::FixedCardFaceLayout());
}

int Vell_SpriteCardManage::CardIndexToValue(int index) { return ddz::CodeToValue(index); }

int Vell_SpriteCardManage::ValueToFrameIndex(int value) {
  if (value >= 3 && value <= 13) return value - 1;
  switch (value) {
    case 15: return 1;
    case 16: return 13;
    case 17: return 14;
    case 18: return 28;
    default: return 0;
  }
}

// ---------------------------------------------------------------- script hooks

int Vell_SpriteCardManage::ExecuteScriptHandler(const ddz::ScriptHandlerMap& handlers, int hook) {
  return ddz::FireScriptHandler(handlers, hook);
}

bool Vell_SpriteCardManage::RegisterScriptHook(int hook, int handler) {
  if (hook < kHookLayoutCards || hook > kHookRefreshMarks) {
    cocos2d::log("Vell_SpriteCardManage::RegisterScriptHook: no hook %d", hook);
    if (handler != 0) cocos2d::ScriptHandlerEntry::create(handler);  // drops the function
    return false;
  }
  return ddz::RegisterScriptHandler(m_mapScriptHooks, hook, handler);
}

void Vell_SpriteCardManage::UnregisterScriptHook(int hook) { ddz::UnregisterScriptHandler(m_mapScriptHooks, hook); }

bool Vell_SpriteCardManage::RunScriptHook(int hook, const cocos2d::LuaValue* argument) {
  if (!ddz::HasScriptHandler(m_mapScriptHooks, hook)) return false;
  ddz::FireScriptHandler(m_mapScriptHooks, hook, argument);
  return true;
}
