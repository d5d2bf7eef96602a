// The own hand: instance, layout, slide, sort, selection and quick select.
// Buttons, requests, hints and the time-out action are in SelfHandButtons.cpp.
#include "cards/SelfHandCard.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClueCard.h"
#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/gamebase/BasePT.h"
#include "gamedata/LayoutConfig.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

int g_iHandSortOrder = 0;

SelfHandCard* SelfHandCard::s_pInstance = nullptr;
float SelfHandCard::s_fHandWidth = 0;

namespace {

constexpr const char* kFrameOpenHandMark = "ddz_mp.png";
constexpr int kFullHand = 20;
constexpr float kSlideFraction = 0.125f;

int WindowWidth() { return BasePT::g_iWindowWidth; }

// Every hand alive, so that an owner going away can be forgotten by all of
// them. Never destroyed: hands may go after static destruction has begun.
std::vector<SelfHandCard*>& LiveHands() {
  static auto* hands = new std::vector<SelfHandCard*>();
  return *hands;
}

// A card code of the given card value (the finders take a card whose value is
// the one to beat); -1 for no value, which lets every value through.
int CodeOfValue(int value) {
  if (value >= 3 && value <= 13) return value - 1;
  switch (value) {
    case ddz::kValueA: return 0;
    case ddz::kValue2: return 1;
    case ddz::kValueSmallJoker: return ddz::kSmallJokerCode;
    case ddz::kValueBigJoker: return ddz::kBigJokerCode;
    default: return -1;
  }
}

// Takes every bomb out of the working hand, so that a triple is never taken
// out of a bomb.
void RemoveBombs(ddz::ClueCard& clue) {
  for (;;) {
    clue.FindBiggerBomb(-1);
    if (clue.Result().empty()) return;
    clue.RemoveResult();
  }
}

// The highest card value of a finder's result; -1 for an empty one.
int HighestValue(const std::vector<int>& cards) {
  int best = -1;
  for (int code : cards) best = std::max(best, ddz::CodeToValue(code));
  return best;
}

}  // namespace

// ---------------------------------------------------------------- instance

SelfHandCard* SelfHandCard::getInstance() {
  if (s_pInstance == nullptr) {
    auto* hand = new SelfHandCard(nullptr, 0);
    hand->autorelease();
  }
  return s_pInstance;
}

SelfHandCard* SelfHandCard::getInstanceIfAny() { return s_pInstance; }

void SelfHandCard::ForgetOwner(const ISelfHandOwner* owner) {
  if (owner == nullptr) return;
  for (SelfHandCard* hand : LiveHands())
    if (hand->m_pOwnerView == owner) hand->m_pOwnerView = nullptr;
}

ISelfHandOwner::~ISelfHandOwner() { SelfHandCard::ForgetOwner(this); }

SelfHandCard::SelfHandCard(ISelfHandOwner* owner, float width) : SelfHandCard(owner, width, true) {}

SelfHandCard::SelfHandCard(ISelfHandOwner* owner, float width, bool current) : m_pOwnerView(owner) {
  // The width belongs to the classic hands; the other tables' hands answer
  // RowWidth or FanWidth themselves.
  if (current) s_fHandWidth = width > 0 ? width : static_cast<float>(WindowWidth());
  m_bShowOnAdd = true;
  m_bWildcardMode = false;
  m_fCardScale = g_fSelfHandScale;
  m_ptAnchor = g_ptHandCard[1];
  if (current) s_pInstance = this;
  LiveHands().push_back(this);
}

SelfHandCard::~SelfHandCard() {
  if (s_pInstance == this) s_pInstance = nullptr;
  std::vector<SelfHandCard*>& hands = LiveHands();
  hands.erase(std::remove(hands.begin(), hands.end(), this), hands.end());
  if (m_pBottomBarRef != nullptr) m_pBottomBarRef->release();
}

void SelfHandCard::SetBottomBar(ISelfHandBottomBar* bar) {
  cocos2d::Ref* ref = dynamic_cast<cocos2d::Ref*>(bar);
  if (ref != nullptr) ref->retain();
  if (m_pBottomBarRef != nullptr) m_pBottomBarRef->release();
  m_pBottomBar = bar;
  m_pBottomBarRef = ref;
}

void SelfHandCard::onExit() {
  m_iPressedIndex = -1;
  SpriteCardManage::onExit();  // removes every card, then the framework layer's onExit
}

std::vector<int> SelfHandCard::HandCodes() const {
  std::vector<int> codes;
  codes.reserve(m_vcCards.size());
  for (const SpriteCardInfo* info : m_vcCards) codes.push_back(info->iCardIndex);
  return codes;
}

std::vector<int> SelfHandCard::SelectedCodes() const {
  std::vector<int> codes;
  for (const SpriteCardInfo* info : m_vcCards)
    if (info->bSelected) codes.push_back(info->iCardIndex);
  return codes;
}

// ---------------------------------------------------------------- layout

float SelfHandCard::ScaledCardWidth() const { return m_fCardScale * g_sizeSingleCard.width; }

float SelfHandCard::FanWidth(bool) const { return RowWidth() - 20; }

float SelfHandCard::ComputeStep(int n, bool slide) const {
  // One card (or none) has no neighbour: the widest step.
  if (n <= 1) return static_cast<float>(m_iMaxStep);
  const float step = (FanWidth(slide) - ScaledCardWidth()) / static_cast<float>(n - 1);
  return std::max(static_cast<float>(m_iMinStep), std::min(static_cast<float>(m_iMaxStep), step));
}

int SelfHandCard::ComputeLeft(int n, float step) const {
  const int fan = static_cast<int>(static_cast<float>(n - 1) * step + ScaledCardWidth());
  return (WindowWidth() - fan) / 2;
}

std::vector<Vec2> SelfHandCard::HomePlaces(bool slide) {
  const int n = static_cast<int>(m_vcCards.size());
  const float w = ScaledCardWidth();
  m_fCardStep = ComputeStep(n, slide);
  const int left = ComputeLeft(n, m_fCardStep);
  std::vector<Vec2> places;
  places.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    places.emplace_back(static_cast<float>(i) * m_fCardStep + static_cast<float>(left) + w / 2, m_ptAnchor.y);
  return places;
}

void SelfHandCard::LayoutCards() {
  const int n = static_cast<int>(m_vcCards.size());
  const float scale = m_fCardScale;
  const std::vector<Vec2> homes = HomePlaces(false);
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    if (!m_bAnimating) {
      const Vec2& home = homes[static_cast<std::size_t>(i)];
      info->fX = home.x;
      info->fY = home.y + (info->bSelected ? static_cast<float>(g_iHandCardSelectY) : 0.0f);
    }
    const Vec2 at(info->fX, info->fY);
    info->pCardSprite->setScale(scale);
    info->pCardSprite->setPosition(at);
    if (info->pShadowSprite != nullptr) {
      info->pShadowSprite->setScale(scale);
      info->pShadowSprite->setPosition(at);
      if (!m_bAnimating) info->pShadowSprite->setVisible(false);
    }
    PlaceCardMarks(info, at, scale);
  }
  if (m_iPressedIndex >= 0 && m_iPressedIndex < n) {
    SpriteCardInfo* pressed = m_vcCards[static_cast<std::size_t>(m_iPressedIndex)];
    pressed->bTouched = 0;
    if (pressed->pShadowSprite != nullptr) pressed->pShadowSprite->setVisible(false);
    m_iPressedIndex = -1;
  }
  if (n != m_iLastCardCount) {
    m_iLastCardCount = n;
    UpdateQuickSelectButtons();
  }
}

void SelfHandCard::PlaceCardMarks(SpriteCardInfo* info, const Vec2& at, float scale) {
  if (info->pJokerMark != nullptr) {
    info->pJokerMark->setScale(scale);
    info->pJokerMark->setPosition(at + JokerMarkOffset());
  }
  if (info->pLandlordMark != nullptr) {
    info->pLandlordMark->setScale(scale);
    info->pLandlordMark->setPosition(at);
  }
}

Vec2 SelfHandCard::JokerMarkOffset() const { return {m_fCardScale * g_ptCJCardPos.x, m_fCardScale * g_ptCJCardPos.y}; }

// ---------------------------------------------------------------- slide

std::vector<Vec2> SelfHandCard::TakePlayedCards(const std::vector<int>& codes) {
  // Set before the first removal: every layout from here on keeps the cards
  // where they stand, and the slide starts from there.
  m_bAnimating = true;
  std::vector<Vec2> places;
  places.reserve(codes.size());
  for (int code : codes) {
    Vec2 place;
    RemoveCard(place, code, false);
    places.push_back(place);
  }
  RefreshCardMarks(true);
  SetCardsPosition();
  return places;
}

void SelfHandCard::RemoveAllCards() {
  unscheduleUpdate();
  m_bAnimating = false;
  m_iSlideStepCount = 0;
  SpriteCardManage::RemoveAllCards();
}

void SelfHandCard::SetCardsPosition() {
  const int n = static_cast<int>(m_vcCards.size());
  const std::vector<Vec2> homes = HomePlaces(true);
  m_vcSlideTarget.clear();
  m_vcSlideStep.clear();
  for (int i = 0; i < n; ++i) {
    const int target = static_cast<int>(homes[static_cast<std::size_t>(i)].x);
    m_vcSlideTarget.push_back(target);
    m_vcSlideStep.push_back((m_vcCards[static_cast<std::size_t>(i)]->fX - static_cast<float>(target)) * kSlideFraction);
  }
  // Each slide counts its own steps from its own start.
  m_iSlideStepCount = 0;
  m_uSlideLastStepTime = GetTime();
  scheduleUpdate();
}

void SelfHandCard::update(float) {
  const unsigned int now = GetTime();
  if (now - m_uSlideLastStepTime < kSlideStepMs) return;
  m_uSlideLastStepTime = now;
  const std::size_t n = std::min({m_vcCards.size(), m_vcSlideTarget.size(), m_vcSlideStep.size()});
  for (std::size_t i = 0; i < n; ++i) m_vcCards[i]->fX -= m_vcSlideStep[i];
  if (++m_iSlideStepCount >= kSlideSteps) {
    m_iSlideStepCount = 0;
    unscheduleUpdate();
    m_bAnimating = false;
    for (std::size_t i = 0; i < n; ++i) m_vcCards[i]->fX = static_cast<float>(m_vcSlideTarget[i]);
  }
  LayoutCards();
}

void SelfHandCard::ShowMingPaiMark() {
  for (SpriteCardInfo* info : m_vcCards) {
    Sprite* mark = Sprite::createWithSpriteFrameName(kFrameOpenHandMark);
    if (mark == nullptr) return;  // logged by the frame cache; no mark on any further card either
    mark->setAnchorPoint(Vec2::ZERO);
    info->pCardSprite->addChild(mark);
  }
}

// ---------------------------------------------------------------- sort

void SelfHandCard::SortCards() {
  if (RunScriptHook(kHookSortCards)) return;
  OrderCards();
  const std::size_t n = m_vcCards.size();
  for (std::size_t i = 0; i < n; ++i) m_vcCards[i]->fZ = static_cast<float>(i) + 100;
  for (SpriteCardInfo* info : m_vcCards) {
    const int z = static_cast<int>(info->fZ);
    for (Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame,
                      info->pMaskSprite, info->pLandlordMark})
      if (s != nullptr) reorderChild(s, z);
  }
  LayoutCards();
}

void SelfHandCard::OrderCards() {
  const std::size_t n = m_vcCards.size();
  switch (g_iHandSortOrder) {
    case 0:
      SortByValue(m_vcCards);
      break;
    case 1:
      for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
          if (CardIndexToValue(m_vcCards[i]->iCardIndex) > CardIndexToValue(m_vcCards[j]->iCardIndex))
            std::swap(m_vcCards[i], m_vcCards[j]);
      break;
    case 2:
      SortHandCards();
      break;
    default:
      break;
  }
}

void SelfHandCard::SortHandCards() {
  const std::size_t n = m_vcCards.size();
  if (n < 2) return;
  struct Entry {
    int value;
    int runSize;
    SpriteCardInfo* card;
  };
  std::vector<Entry> entries;
  entries.reserve(n);
  for (SpriteCardInfo* info : m_vcCards) entries.push_back({CardIndexToValue(info->iCardIndex), 0, info});
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.value > b.value; });
  // The leading jokers stay in front.
  std::size_t first = 0;
  while (first < n && first < 4 &&
         (entries[first].value == ddz::kValueSmallJoker || entries[first].value == ddz::kValueBigJoker))
    ++first;
  for (std::size_t i = first; i < n;) {
    std::size_t j = i;
    while (j < n && entries[j].value == entries[i].value) ++j;
    for (std::size_t k = i; k < j; ++k) entries[k].runSize = static_cast<int>(j - i);
    i = j;
  }
  std::stable_sort(entries.begin() + static_cast<std::ptrdiff_t>(first), entries.end(),
                   [](const Entry& a, const Entry& b) {
                     if (a.runSize != b.runSize) return a.runSize > b.runSize;
                     return a.value > b.value;
                   });
  for (std::size_t i = 0; i < n; ++i) m_vcCards[i] = entries[i].card;
}

// ---------------------------------------------------------------- selection

void SelfHandCard::SelectCodes(const std::vector<int>& codes) {
  for (SpriteCardInfo* info : m_vcCards) info->bSelected = 0;
  for (int code : codes) {
    for (SpriteCardInfo* info : m_vcCards) {
      if (!info->bSelected && info->iCardIndex == code) {
        info->bSelected = 1;
        break;
      }
    }
  }
}

Vec2 SelfHandCard::TouchPoint(const cocos2d::Touch* touch) const {
  const float factor = cocos2d::Director::getInstance()->getContentScaleFactor();
  return convertToNodeSpace(touch->getLocation()) / factor;
}

int SelfHandCard::CardAt(const Vec2& point) const {
  for (int i = static_cast<int>(m_vcCards.size()) - 1; i >= 0; --i)
    if (m_vcCards[static_cast<std::size_t>(i)]->pCardSprite->getBoundingBox().containsPoint(point)) return i;
  return -1;
}

void SelfHandCard::ClearTouched() {
  for (SpriteCardInfo* info : m_vcCards) {
    info->bTouched = 0;
    if (info->pShadowSprite != nullptr) info->pShadowSprite->setVisible(false);
  }
}

void SelfHandCard::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  m_iPressedIndex = CardAt(TouchPoint(touches.front()));
  if (m_iPressedIndex < 0) return;
  SpriteCardInfo* pressed = m_vcCards[static_cast<std::size_t>(m_iPressedIndex)];
  pressed->bTouched = 1;
  if (pressed->pShadowSprite != nullptr) pressed->pShadowSprite->setVisible(true);
}

void SelfHandCard::onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  const int n = static_cast<int>(m_vcCards.size());
  if (touches.empty() || m_iPressedIndex < 0 || m_iPressedIndex >= n) return;
  const int over = CardAt(TouchPoint(touches.front()));
  if (over < 0) return;
  ClearTouched();
  for (int i = std::min(m_iPressedIndex, over); i <= std::max(m_iPressedIndex, over); ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    info->bTouched = 1;
    if (info->pShadowSprite != nullptr) info->pShadowSprite->setVisible(true);
  }
}

void SelfHandCard::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  m_bUntouchedSinceTurn = false;
  const int n = static_cast<int>(m_vcCards.size());
  if (m_iPressedIndex < 0 || m_iPressedIndex >= n) {
    // The tap missed the hand.
    m_iPressedIndex = -1;
    for (SpriteCardInfo* info : m_vcCards) info->bSelected = 0;
    LayoutCards();
    if (cocos2d::ui::Button* play = GetMainButton(kBtnPlay)) play->setEnabled(false);
    if (cocos2d::ui::Button* reselect = GetMainButton(kBtnReselect)) {
      reselect->setEnabled(false);
      reselect->setVisible(false);
    }
    m_bTurnStarted = false;
    return;
  }
  int selectedBefore = 0, lastSelected = -1, touched = 0, lastTouched = -1;
  bool touchedTurnedOff = false;
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    if (info->bSelected) {
      ++selectedBefore;
      lastSelected = i;
    }
    if (info->bTouched) {
      info->bSelected = info->bSelected ? 0 : 1;
      ++touched;
      lastTouched = i;
      if (!info->bSelected) touchedTurnedOff = true;
    }
  }
  if (m_bTurnStarted && touched == 1 && touchedTurnedOff) UnselectAll();
  m_iPressedIndex = -1;
  if (selectedBefore == 1 && touched == 1 && lastSelected >= 0 && lastTouched >= 0 && lastSelected != lastTouched)
    SmartSelectRange(lastSelected, lastTouched);
  else if (selectedBefore == 0)
    SmartSelectTap();
  ClearTouched();
  UpdateOutCardButton();
  LayoutCards();
  m_bTurnStarted = false;
}

void SelfHandCard::SmartSelectTap() {
  std::vector<int> selected;
  std::vector<int> selectedTouched;
  for (const SpriteCardInfo* info : m_vcCards) {
    if (info->bTouched && !info->bSelected) return;  // the touch took a card back
    if (info->bSelected) {
      selected.push_back(info->iCardIndex);
      if (info->bTouched) selectedTouched.push_back(info->iCardIndex);
    }
  }
  std::vector<int> pattern;
  if (!CompleteSelection(pattern, selected)) return;
  if (!selectedTouched.empty()) {
    const bool holdsTouched = std::any_of(pattern.begin(), pattern.end(), [&](int code) {
      return std::find(selectedTouched.begin(), selectedTouched.end(), code) != selectedTouched.end();
    });
    if (!holdsTouched) return;
  }
  SelectCodes(pattern);
}

void SelfHandCard::SmartSelectRange(int first, int last) {
  const int n = static_cast<int>(m_vcCards.size());
  const int lo = std::max(0, std::min(first, last));
  const int hi = std::min(n - 1, std::max(first, last));
  if (lo > hi) return;
  std::vector<int> pattern;
  if (CompleteSelection(pattern, DragRangeCodes(lo, hi))) SelectCodes(pattern);
}

bool SelfHandCard::CompleteSelection(std::vector<int>& out, const std::vector<int>& selected) const {
  return ddz::ClueCard::SmartSelect(out, m_vcLastPlay, HandCodes(), selected);
}

std::vector<int> SelfHandCard::DragRangeCodes(int lo, int hi) const {
  std::vector<int> codes;
  for (int i = lo; i <= hi; ++i) codes.push_back(m_vcCards[static_cast<std::size_t>(i)]->iCardIndex);
  return codes;
}

void SelfHandCard::CallBackHandleMouseEvent(int kind, cocos2d::EventMouse*) {
  if (kind != kYndMouseRightDown) return;
  const bool anySelected =
      std::any_of(m_vcCards.begin(), m_vcCards.end(), [](const SpriteCardInfo* info) { return info->bSelected != 0; });
  if (static_cast<int>(m_vcCards.size()) == kFullHand && !anySelected) return;
  if (!m_bCannotBeat) {
    if (IsButtonUsable(kBtnPlay)) OnButtonClick(m_pMainBtn[kBtnPlay]);
    return;
  }
  // Nothing beats the table: the button passes with nothing selected.
  for (SpriteCardInfo* info : m_vcCards) info->bSelected = 0;
  LayoutCards();
  cocos2d::ui::Button* play = GetMainButton(kBtnPlay);
  if (play != nullptr && play->isVisible()) OnButtonClick(play);
}

// ---------------------------------------------------------------- quick select

void SelfHandCard::SelectTriple() { QuickSelect(kQuickTriple, 3); }
void SelfHandCard::SelectStraight() { QuickSelect(kQuickStraight, 5); }
void SelfHandCard::SelectPairStraight() { QuickSelect(kQuickPairStraight, 6); }
void SelfHandCard::SelectBomb() { QuickSelect(kQuickBomb, 2); }

void SelfHandCard::QuickSelect(int kind, int minCards) {
  if (GetCardCount() < minCards) return;
  UnselectAll();
  for (int k = 0; k < static_cast<int>(m_iLastQuickValue.size()); ++k)
    if (k != kind) m_iLastQuickValue[static_cast<std::size_t>(k)] = -1;
  int& remembered = m_iLastQuickValue[static_cast<std::size_t>(kind)];
  ddz::ClueCard clue(HandCodes());
  const int above = CodeOfValue(remembered);
  // The value remembered is the key value of the pattern found.
  switch (kind) {
    case kQuickTriple:
      RemoveBombs(clue);
      clue.FindBiggerTriple(above);
      break;
    case kQuickStraight:
      clue.FindStraight(above);
      break;
    case kQuickPairStraight:
      clue.FindPairStraight(above);
      break;
    case kQuickBomb:
      clue.FindBiggerBomb(above);
      break;
    default:
      return;
  }
  // Nothing above: the next press starts from the lowest again.
  remembered = HighestValue(clue.Result());
  SelectCodes(clue.Result());
  UpdateOutCardButton();
  LayoutCards();
}

void SelfHandCard::UpdateQuickSelectButtons() {
  if (m_pBottomBar == nullptr || !m_pBottomBar->IsBarRunning()) return;
  const std::vector<int> hand = HandCodes();
  {
    ddz::ClueCard clue(hand);
    clue.FindStraight(-1);
    m_pBottomBar->SetQuickButtonEnabled(ISelfHandBottomBar::kQuickStraight, !clue.Result().empty());
  }
  {
    ddz::ClueCard clue(hand);
    clue.FindPairStraight(-1);
    m_pBottomBar->SetQuickButtonEnabled(ISelfHandBottomBar::kQuickPairStraight, !clue.Result().empty());
  }
  {
    ddz::ClueCard clue(hand);
    clue.FindBiggerBomb(-1);
    m_pBottomBar->SetQuickButtonEnabled(ISelfHandBottomBar::kQuickBomb, !clue.Result().empty());
  }
  {
    ddz::ClueCard clue(hand);
    RemoveBombs(clue);
    clue.FindBiggerTriple(-1);
    m_pBottomBar->SetQuickButtonEnabled(ISelfHandBottomBar::kQuickTriple, !clue.Result().empty());
  }
  m_pBottomBar->SetQuickButtonEnabled(ISelfHandBottomBar::kQuickSort, hand.size() >= 2);
}
