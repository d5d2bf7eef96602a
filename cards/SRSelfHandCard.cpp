#include "cards/SRSelfHandCard.h"

#include <algorithm>
#include <cstdio>

#include "cardlogic/ClueCard.h"
#include "cardlogic/SRClueCard.h"
#include "cardlogic/SRMessages.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Ref;
using cocos2d::Vec2;
using cocos2d::ui::Button;
using cocos2d::ui::Widget;

namespace sr = ddz::sr;

namespace {
constexpr const char* kFrameBtnNormal1 = "qorvddz_btn_normal_1.png";
constexpr const char* kFrameBtnNormal2 = "qorvddz_btn_normal_2.png";
constexpr const char* kFrameBtnDisabled = "qorvddz_btn_disable_1.png";
// The bomb search answers strictly higher values each time; this only bounds
// the loop should it ever not.
constexpr int kMaxBombSearches = 16;
}  // namespace

SRSelfHandCard::SRSelfHandCard(ISelfHandOwner* owner) : SelfHandCard(owner, 0, false) {
  m_fCardScale = g_fSRSelfHandScale;
  m_ptAnchor = g_ptSRHandCard[1];
  m_iMinStep = kSRMinStep;
  m_iMaxStep = kSRMaxStep;
}

void SRSelfHandCard::onEnter() {
  // No mouse play on this table: the mouse switch stays off.
  SpriteCardManage::onEnter();
  m_iPressedIndex = -1;
  BuildMainButtons();
  BuildChoiceButtons();
  BuildCannotBeatTip();
}

void SRSelfHandCard::BuildChoiceButtons() {
  if (m_pChoiceBtn[0] != nullptr) return;  // entering again: the buttons are there
  for (int side = 0; side < 2; ++side) {
    char word[40];
    std::snprintf(word, sizeof word, "qorvddz_btn_word_%d.png", kBtnChoiceFirst + side);
    Button* button = Button::createWithExtraAbove(side == 0 ? kFrameBtnNormal1 : kFrameBtnNormal2, "",
                                                  kFrameBtnDisabled, word, Widget::TextureResType::PLIST);
    button->addClickEventListener([this](Ref* sender) { OnButtonClick(sender); });
    button->setPosition(g_ptShowCardsBtn[side]);
    button->setVisible(false);
    addChild(button);
    m_pChoiceBtn[static_cast<std::size_t>(side)] = button;
  }
}

void SRSelfHandCard::onExit() {
  m_bTurnStarted = false;
  SelfHandCard::onExit();
}

void SRSelfHandCard::SortCards() { SpriteCardManage::SortCards(); }

Button* SRSelfHandCard::GetChoiceButton(int index) const {
  if (index != kBtnChoiceFirst && index != kBtnChoiceSecond) return nullptr;
  return m_pChoiceBtn[static_cast<std::size_t>(index - kBtnChoiceFirst)];
}

// ---------------------------------------------------------------- layout

float SRSelfHandCard::FanWidth(bool slide) const {
  // The fan stays centred between the bottom bar's own head at the left and
  // as much room at the right; a slide's is 12 narrower.
  return static_cast<float>(BasePT::g_iWindowWidth) - 2 * kHeadRoom - (slide ? 12.0f : 0.0f);
}

void SRSelfHandCard::PlaceCardMarks(SpriteCardInfo* info, const Vec2& at, float scale) {
  for (cocos2d::Sprite* mark : {info->pJokerMark, info->pFocusFrame, info->pMaskSprite, info->pLandlordMark}) {
    if (mark == nullptr) continue;
    mark->setScale(scale);
    mark->setPosition(at);
  }
}

// ---------------------------------------------------------------- rules

SelfHandCard::HandRequest SRSelfHandCard::PlayRequest(const std::vector<int>& cards) const {
  return {sr::BuildPlayRequest(cards), sr::MsgType::Play};
}

SelfHandCard::HandRequest SRSelfHandCard::BidRequest(int bid) const {
  return {sr::BuildBidRequest(bid), sr::MsgType::Bid};
}

bool SRSelfHandCard::NextHint(std::vector<int>& out) const {
  ddz::SRClueCard clue;
  return clue.HintBySearch(out, m_vcLastPlay, HandCodes());
}

void SRSelfHandCard::RestartHintCycle() const { ddz::SRClueCard::RestartHintCycle(); }

bool SRSelfHandCard::CompleteSelection(std::vector<int>& out, const std::vector<int>& selected) const {
  ddz::SRClueCard clue;
  return clue.Hint(out, m_vcLastPlay, HandCodes(), selected);
}

bool SRSelfHandCard::SelectionPlays(const std::vector<int>& selected) const {
  ddz::CardTypeInfo mine;
  if (!ddz::SRClueCard::GetCodesCardType(selected.data(), static_cast<int>(selected.size()), mine)) return false;
  if (m_vcLastPlay.empty()) return true;
  ddz::CardTypeInfo table;
  ddz::SRClueCard::GetCodesCardType(m_vcLastPlay.data(), static_cast<int>(m_vcLastPlay.size()), table);
  // The four-player codes keep the classic order, so the classic comparison holds.
  return ddz::ClueCard::CompareCardType(mine, table) > 0;
}

// ---------------------------------------------------------------- buttons

void SRSelfHandCard::ShowTwoChoiceButtons() {
  for (Button* button : m_pChoiceBtn) {
    if (button == nullptr) continue;
    button->setVisible(true);
    button->setEnabled(true);
  }
  m_bWaitingForChoice = true;
}

void SRSelfHandCard::OnButtonClick(Ref* sender) {
  if (!m_bWaitingForChoice || sender == nullptr) return;
  const auto it = std::find(m_pChoiceBtn.begin(), m_pChoiceBtn.end(), sender);
  if (it == m_pChoiceBtn.end()) {
    SelfHandCard::OnButtonClick(sender);
    return;
  }
  for (Button* button : m_pChoiceBtn) button->setVisible(false);
  m_bWaitingForChoice = false;
  const int answer = it == m_pChoiceBtn.begin() ? sr::ChoiceAnswer::First : sr::ChoiceAnswer::Second;
  sr::Message msg = sr::BuildChoiceRequest(answer);
  // The question's clock is the view's: the answer leaves it alone.
  if (m_pOwnerView != nullptr)
    m_pOwnerView->SendHandMessage(msg.data(), sr::MsgType::Choice, static_cast<int>(msg.size()));
}

void SRSelfHandCard::OnAutoOperate() {
  if (m_pChoiceBtn[0] != nullptr && m_pChoiceBtn[0]->isVisible() && m_pChoiceBtn[1]->isVisible()) {
    OnButtonClick(m_pChoiceBtn[1]);
    return;
  }
  for (int i = kBtnBid0; i <= kBtnBid3; ++i) {
    if (IsButtonUsable(i)) {
      OnButtonClick(GetMainButton(i));
      return;
    }
  }
  if (IsButtonUsable(kBtnPass)) {
    PressAutomatically(kBtnPass);
    return;
  }
  Button* play = GetMainButton(kBtnPlay);
  if (play == nullptr || !play->isVisible() || m_vcCards.empty()) return;
  // Leading: the last card of the row, the lowest.
  UnselectAll();
  m_vcCards.back()->bSelected = 1;
  PressAutomatically(kBtnPlay);
}

// ---------------------------------------------------------------- marks

void SRSelfHandCard::RefreshCardMarks(bool golden) {
  for (int i = 0; i < static_cast<int>(m_vcCards.size()); ++i) SetCardMask(i, false);
  ShadeBombs();
  if (golden) FrameGoldenCards();
  for (SpriteCardInfo* info : m_vcCards) PlaceCardMarks(info, Vec2(info->fX, info->fY), m_fCardScale);
}

void SRSelfHandCard::ShadeBombs() {
  if (static_cast<int>(m_vcCards.size()) < kMarkMinCards) return;
  const std::vector<int> hand = HandCodes();
  // From the lowest bomb up: each search answers the lowest bomb above the last.
  std::vector<int> collected;
  int previous = -1;
  for (int n = 0; n < kMaxBombSearches; ++n) {
    ddz::SRClueCard clue;
    if (!clue.SetHand(hand)) return;  // refused and logged by the rules engine
    const int found = clue.SearchBomb(previous);
    if (found < 0) break;
    collected.insert(collected.end(), clue.Result().begin(), clue.Result().end());
    previous = found;
  }
  for (int code : collected) {
    const int value = ddz::SRClueCard::GetCardValue(code);
    for (int i = 0; i < static_cast<int>(m_vcCards.size()); ++i) {
      const SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
      if (!info->bMasked && ddz::SRClueCard::GetCardValue(info->iCardIndex) == value) {
        SetCardMask(i, true);
        break;
      }
    }
  }
}

void SRSelfHandCard::FrameGoldenCards() {
  const int n = static_cast<int>(m_vcCards.size());
  int first = 0;
  while (first < n && m_vcCards[static_cast<std::size_t>(first)]->iCardIndex % 15 != m_iGoldenRank) ++first;
  if (first >= n) return;
  int end = first;
  while (end < n && m_vcCards[static_cast<std::size_t>(end)]->iCardIndex % 15 == m_iGoldenRank) ++end;
  const bool framed = end - first >= kMarkMinCards;
  for (int i = first; i < end; ++i) SetCardFocus(i, framed);
}
