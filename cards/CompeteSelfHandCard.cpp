// The tournament own hand: the classic hand's answers that differ (layout, sort,
// drag range, play request, automatic plays) and the two-row drag.
#include "cards/CompeteSelfHandCard.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/CompeteMessages.h"
#include "cards/AutoSendCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"

using cocos2d::Vec2;

CompeteSelfHandCard* CompeteSelfHandCard::s_pCompeteInstance = nullptr;

namespace {

// The portrait row length and smallest step by card count, once the hand is
// complete (before that: the deal's 9 and 64).
struct PortraitMetrics {
  int fromCards;  // the first count the entry applies to
  int rowLength;
  int minStep;
};
constexpr PortraitMetrics kDealMetrics{0, 9, 64};
constexpr PortraitMetrics kCompleteMetrics[] = {{21, 11, 53}, {19, 10, 57}, {9, 9, 64}, {0, 8, 70}};

// The wall time in seconds, cut to its low 32 bits as the server counts it.
int NowSeconds() {
  return static_cast<int>(static_cast<std::uint32_t>(ddz::os::Clock().WallTimeSeconds()));
}

}  // namespace

// ---------------------------------------------------------------- instance

CompeteSelfHandCard* CompeteSelfHandCard::shareInstance() {
  if (s_pCompeteInstance == nullptr) {
    auto* hand = new CompeteSelfHandCard(nullptr);
    hand->autorelease();
  }
  return s_pCompeteInstance;
}

CompeteSelfHandCard::CompeteSelfHandCard(ISelfHandOwner* owner) : SelfHandCard(owner, 0, false) {
  if (g_bIpadLayout == 1) m_ptAnchor.y -= kTabletLowering;
  m_iMaxStep = kMaxStep;
  m_iMinStep = kMinStep;
  if (IsPortrait()) UpdatePortraitMetrics();
  s_pCompeteInstance = this;
}

CompeteSelfHandCard::~CompeteSelfHandCard() {
  if (s_pCompeteInstance == this) s_pCompeteInstance = nullptr;
  if (m_pAutoSend != nullptr) {
    m_pAutoSend->ForgetOwner();
    m_pAutoSend->release();
  }
}

bool CompeteSelfHandCard::IsPortrait() { return GameSceneBase::m_iGameOrientation == 1; }

void CompeteSelfHandCard::onEnter() {
  SelfHandCard::onEnter();
  // The tournament hand does not play on the right button.
  SetMouseEventEnable(false);
  if (m_pAutoSend == nullptr) m_pAutoSend = new AutoSendCard(this);
}

void CompeteSelfHandCard::onExit() {
  SelfHandCard::onExit();  // an attached overlay leaves the stage with the hand
  if (m_pAutoSend == nullptr) return;
  if (m_pAutoSend->getParent() != nullptr) m_pAutoSend->removeFromParent();
  m_pAutoSend->ForgetOwner();
  m_pAutoSend->release();
  m_pAutoSend = nullptr;
}

void CompeteSelfHandCard::EndAutoPlay() {
  m_iAutoPlayCount = 0;
  if (m_pAutoSend != nullptr && m_pAutoSend->getParent() != nullptr) m_pAutoSend->removeFromParent();
}

void CompeteSelfHandCard::ShowOutCardButtons(const std::vector<int>& lastPlay) {
  // Stamped first: the last card may play itself inside the classic call.
  m_iTurnStartTime = NowSeconds();
  SelfHandCard::ShowOutCardButtons(lastPlay);
}

// ---------------------------------------------------------------- layout

void CompeteSelfHandCard::UpdatePortraitMetrics() {
  m_iMaxStep = kMaxStep;
  PortraitMetrics metrics = kDealMetrics;
  if (m_bHandComplete) {
    const int n = static_cast<int>(m_vcCards.size());
    for (const PortraitMetrics& entry : kCompleteMetrics) {
      if (n >= entry.fromCards) {
        metrics = entry;
        break;
      }
    }
  }
  m_iRowLength = metrics.rowLength;
  m_iMinStep = metrics.minStep;
}

float CompeteSelfHandCard::RowWidth() const { return static_cast<float>(BasePT::g_iWindowWidth); }

std::vector<Vec2> CompeteSelfHandCard::HomePlaces(bool slide) {
  return IsPortrait() ? TwoRowPlaces() : SelfHandCard::HomePlaces(slide);
}

std::vector<Vec2> CompeteSelfHandCard::TwoRowPlaces() {
  UpdatePortraitMetrics();
  const int n = static_cast<int>(m_vcCards.size());
  const int first = std::min(n, m_iRowLength);
  const int second = n - first;
  const float w = ScaledCardWidth();
  const float maxStep = static_cast<float>(m_iMaxStep);
  m_fCardStep =
      maxStep - (maxStep - static_cast<float>(m_iMinStep)) * static_cast<float>(first) / static_cast<float>(m_iRowLength);
  const int window = BasePT::g_iWindowWidth;
  const int start1 = (window - static_cast<int>(static_cast<float>(first - 1) * m_fCardStep + w)) / 2;
  // The second row ends where the first one ends.
  const int start2 = second > 0 ? static_cast<int>(static_cast<float>(window) -
                                                   static_cast<float>(second - 1) * m_fCardStep - w -
                                                   static_cast<float>(start1))
                                : 0;
  // The tablet lowering of the landscape row does not apply here.
  const float y0 = static_cast<float>(static_cast<int>(g_ptHandCard[1].y));
  std::vector<Vec2> places;
  places.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    if (i < first)
      places.emplace_back(static_cast<float>(i) * m_fCardStep + static_cast<float>(start1) + w / 2, y0);
    else
      places.emplace_back(static_cast<float>(i - first) * m_fCardStep + static_cast<float>(start2) + w / 2,
                          y0 - static_cast<float>(g_ptPortraitSelfCardGapV));
  }
  return places;
}

// ---------------------------------------------------------------- sort

void CompeteSelfHandCard::OrderCards() {
  if (!IsPortrait()) {
    SortByValue(m_vcCards);
    return;
  }
  UpdatePortraitMetrics();
  const std::size_t n = m_vcCards.size();
  auto value = [this](std::size_t i) { return CardIndexToValue(m_vcCards[i]->iCardIndex); };
  auto code = [this](std::size_t i) { return m_vcCards[i]->iCardIndex; };
  // The whole hand from high to low, equal values by ascending code.
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (value(i) < value(j) || (value(i) == value(j) && code(j) < code(i))) std::swap(m_vcCards[i], m_vcCards[j]);
  // The second row from low to high, so that the hand reads along the first
  // row and back along the second.
  const std::size_t row = static_cast<std::size_t>(m_iRowLength);
  if (n <= row + 1) return;
  for (std::size_t k = row; k + 1 < n; ++k)
    for (std::size_t m = k + 1; m < n; ++m)
      if (value(k) > value(m) || (value(k) == value(m) && code(k) < code(m))) std::swap(m_vcCards[k], m_vcCards[m]);
}

// ---------------------------------------------------------------- selection

std::vector<int> CompeteSelfHandCard::DragRangeCodes(int lo, int hi) const {
  const int n = static_cast<int>(m_vcCards.size());
  // Across the rows: the low end of each row, from each end of the drag.
  if (!IsPortrait() || hi <= m_iRowLength - 1 || lo >= m_iRowLength) return SelfHandCard::DragRangeCodes(lo, hi);
  std::vector<int> codes = SelfHandCard::DragRangeCodes(lo, m_iRowLength - 1);
  const std::vector<int> second = SelfHandCard::DragRangeCodes(hi, n - 1);
  codes.insert(codes.end(), second.begin(), second.end());
  return codes;
}

int CompeteSelfHandCard::CardAtIn(const Vec2& point, int lo, int hi) const {
  for (int i = hi; i >= lo; --i)
    if (m_vcCards[static_cast<std::size_t>(i)]->pCardSprite->getBoundingBox().containsPoint(point)) return i;
  return -1;
}

void CompeteSelfHandCard::MarkTouched(int first, int last) {
  for (int i = first; i <= last; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    info->bTouched = 1;
    if (info->pShadowSprite != nullptr) info->pShadowSprite->setVisible(true);
  }
}

void CompeteSelfHandCard::TouchesBeganTwoRows(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  const int n = static_cast<int>(m_vcCards.size());
  m_iPressedIndex = -1;
  m_iDragLow = 0;
  m_iDragHigh = n - 1;
  m_bCrossRow = false;
  if (touches.empty()) return;
  m_iPressedIndex = CardAt(TouchPoint(touches.front()));
  if (m_iPressedIndex < 0) return;
  if (n > m_iRowLength) {
    if (InFirstRow(m_iPressedIndex))
      m_iDragHigh = m_iRowLength - 1;
    else
      m_iDragLow = m_iRowLength;
  }
  MarkTouched(m_iPressedIndex, m_iPressedIndex);
}

void CompeteSelfHandCard::TouchesMovedTwoRows(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  const int n = static_cast<int>(m_vcCards.size());
  if (touches.empty() || m_iPressedIndex < 0 || m_iPressedIndex >= n) return;
  const Vec2 point = TouchPoint(touches.front());
  const bool pressedFirst = InFirstRow(m_iPressedIndex);
  if (n > m_iRowLength) {
    // The end card of the other row: the hand's last card for a press in the
    // first row, the first row's last card for a press in the second.
    const int otherEnd = pressedFirst ? n - 1 : m_iRowLength - 1;
    if (CardAtIn(point, otherEnd, otherEnd) == otherEnd) m_bCrossRow = true;
  }
  if (m_bCrossRow) {
    const int hit = CardAt(point);
    if (hit >= 0 && InFirstRow(hit) == pressedFirst) m_bCrossRow = false;
  }
  const int over = m_bCrossRow ? CardAtIn(point, 0, n - 1) : CardAtIn(point, m_iDragLow, std::min(m_iDragHigh, n - 1));
  if (over < 0) return;
  ClearTouched();
  if (m_bCrossRow && pressedFirst) {
    MarkTouched(m_iPressedIndex, m_iRowLength - 1);
    MarkTouched(over, n - 1);
  } else if (m_bCrossRow) {
    MarkTouched(over, m_iRowLength - 1);
    MarkTouched(m_iPressedIndex, n - 1);
  } else {
    MarkTouched(std::min(m_iPressedIndex, over), std::max(m_iPressedIndex, over));
  }
}

// ---------------------------------------------------------------- plays

SelfHandCard::HandRequest CompeteSelfHandCard::PlayRequest(const std::vector<int>& cards) const {
  ddz::CardTypeInfo info;
  ddz::ClueCard::GetCardType(info, cards);  // a pass reads as type -1, key 0
  const bool automatic = m_iAutoPlayCount > 0 || m_bAutomatic;
  const int seconds = static_cast<int>(static_cast<std::uint32_t>(NowSeconds()) -
                                       static_cast<std::uint32_t>(m_iTurnStartTime));
  return {ddz::compete::BuildPlayRequest(cards, info.type, info.value, automatic, seconds), ddz::classic::MsgType::Play};
}

void CompeteSelfHandCard::AfterPlayOrPass() {
  if (!m_bAutomatic) {
    m_iAutoPlayCount = 0;
  } else {
    ++m_iAutoPlayCount;
    // The first automatic play puts the table on auto-play.
    if (m_pAutoSend != nullptr && !m_pAutoSend->isRunning() && m_pAutoSend->getParent() == nullptr)
      addChild(m_pAutoSend, kOverlayZOrder);
  }
  m_bAutomatic = false;
}

bool CompeteSelfHandCard::TimeOutPassIsAutomatic() const {
  // Nobody answers a rocket: that pass alone does not start auto-play.
  return !(m_iLastTablePlayType == ddz::CardType::Rocket && m_iAutoPlayCount == 0);
}

int CompeteSelfHandCard::TimeOutLeadIndex() {
  const int n = static_cast<int>(m_vcCards.size());
  if (!IsPortrait()) return n - 1;
  UpdatePortraitMetrics();
  // Past the first row: that row's last card (its lowest), not the hand's last.
  return n > m_iRowLength ? m_iRowLength - 1 : n - 1;
}
