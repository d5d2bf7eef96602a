// The own hand's buttons: bids, pass, reselect, hint and play, the answer pairs
// of the call-and-rob table, the requests they send, the hint cycle and the
// time-out action.
#include <algorithm>
#include <cstdio>
#include <string>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"
#include "cards/SelfHandCard.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"

using cocos2d::Ref;
using cocos2d::ui::Button;
using cocos2d::ui::Widget;

namespace classic = ddz::classic;

namespace {

constexpr const char* kFrameBtnNormal1 = "qorvddz_btn_normal_1.png";
constexpr const char* kFrameBtnNormal2 = "qorvddz_btn_normal_2.png";
constexpr const char* kFrameBtnDisabled = "qorvddz_btn_disable_1.png";
constexpr const char* kFrameCannotBeatTip = "qorvddz_tips_cardsmallwron.png";
constexpr int kTipZOrder = 1000;
constexpr int kTextAutoPlayed = 450;    // "the system played for you"
constexpr int kTextAutoPlayQuit = 4;    // "three automatic plays in a row"
constexpr int kSysBoxKind = 3;
constexpr int kMsgBoxKind = 3;
constexpr const char* kQuitKey = "SelfHandCard.quitAfterAutoPlays";

// The word image and background of one button of an answer pair, and the
// choice of request 22 it sends (-1: the show-hand pair, which sends 23 or nothing).
struct PairButtonFace {
  const char* word;
  const char* background;
  int choice;
};
constexpr PairButtonFace kPairFaces[SelfHandCard::kAnswerPairs][2] = {
    {{"qorvddz_btn_word_0.png", kFrameBtnNormal2, classic::BidChoice::Pass},
     {"qorvddz_btn_hl_1.png", kFrameBtnNormal1, classic::BidChoice::Call}},
    {{"qorvddz_btn_hl_2.png", kFrameBtnNormal2, classic::BidChoice::DontRob},
     {"qorvddz_btn_hl_3.png", kFrameBtnNormal1, classic::BidChoice::Rob}},
    {{"qorvddz_btn_hl_7.png", kFrameBtnNormal2, -1}, {"qorvddz_btn_hl_6.png", kFrameBtnNormal1, -1}},
    {{"qorvddz_btn_hl_5.png", kFrameBtnNormal2, classic::BidChoice::DontDouble},
     {"qorvddz_btn_hl_4.png", kFrameBtnNormal1, classic::BidChoice::Double}},
};

void Send(ISelfHandOwner* owner, std::vector<std::uint8_t>& msg, int type) {
  if (owner == nullptr || msg.empty()) return;
  owner->SendHandMessage(msg.data(), type, static_cast<int>(msg.size()));
}

}  // namespace

// ---------------------------------------------------------------- buttons

Button* SelfHandCard::GetMainButton(int index) const {
  if (index < 0 || index >= kMainButtons) return nullptr;
  return m_pMainBtn[static_cast<std::size_t>(index)];
}

Button* SelfHandCard::GetPairButton(int pair, int side) const {
  if (pair < 0 || pair >= kAnswerPairs || side < 0 || side > 1) return nullptr;
  return m_pPairBtn[static_cast<std::size_t>(pair * 2 + side)];
}

bool SelfHandCard::IsButtonUsable(int index) const {
  const Button* button = GetMainButton(index);
  return button != nullptr && button->isVisible() && button->isEnabled();
}

void SelfHandCard::onEnter() {
  // The mouse switch goes on before the framework layer enters, so that the
  // right button reaches CallBackHandleMouseEvent.
  SetMouseEventEnable(true);
  SpriteCardManage::onEnter();
  m_iPressedIndex = -1;
  BuildMainButtons();
  BuildAnswerPairs();
  BuildCannotBeatTip();
}

// Entering again finds the buttons there: each block builds only once.
void SelfHandCard::BuildMainButtons() {
  if (m_pMainBtn[0] != nullptr) return;
  for (int i = 0; i < kMainButtons; ++i) {
    char word[40];
    std::snprintf(word, sizeof word, "qorvddz_btn_word_%d.png", i);
    const bool first = i == kBtnBid0 || i == kBtnPlay;
    Button* button = Button::createWithExtraAbove(first ? kFrameBtnNormal1 : kFrameBtnNormal2, "", kFrameBtnDisabled,
                                                  word, Widget::TextureResType::PLIST);
    button->addClickEventListener([this](Ref* sender) { OnButtonClick(sender); });
    button->setPosition(g_ptBtnGame[i]);
    button->setVisible(false);
    addChild(button);
    m_pMainBtn[static_cast<std::size_t>(i)] = button;
  }
}

void SelfHandCard::BuildAnswerPairs() {
  if (m_pPairBtn[0] != nullptr) return;
  for (int pair = 0; pair < kAnswerPairs; ++pair) {
    for (int side = 0; side < 2; ++side) {
      const PairButtonFace& face = kPairFaces[pair][side];
      Button* button = Button::createWithExtraAbove(face.background, "", kFrameBtnDisabled, face.word,
                                                    Widget::TextureResType::PLIST);
      button->addClickEventListener([this, pair](Ref* sender) { OnPairClick(pair, sender); });
      button->setPosition(g_ptShowCardsBtn[side]);
      button->setVisible(false);
      addChild(button);
      m_pPairBtn[static_cast<std::size_t>(pair * 2 + side)] = button;
    }
  }
}

void SelfHandCard::BuildCannotBeatTip() {
  if (m_pCannotBeatTip != nullptr) return;
  m_pCannotBeatTip = cocos2d::Sprite::createWithSpriteFrameName(kFrameCannotBeatTip);
  if (m_pCannotBeatTip != nullptr) {
    m_pCannotBeatTip->setPosition(g_ptSelfCannotSend);
    m_pCannotBeatTip->setVisible(false);
    addChild(m_pCannotBeatTip, kTipZOrder);
  }
}

// ---------------------------------------------------------------- turns

void SelfHandCard::ShowCallScoreButtons(int highest) {
  for (int i = kBtnBid0; i <= kBtnBid3; ++i) {
    Button* bid = GetMainButton(i);
    if (bid == nullptr) continue;
    bid->setVisible(true);
    // Bid 0 (no bid) is always open; a bid must be above the highest so far.
    bid->setEnabled(i == kBtnBid0 || i > highest);
  }
  m_bWaitingForChoice = true;
}

void SelfHandCard::OpenPlayTurn(const std::vector<int>& lastPlay) {
  RestartHintCycle();
  m_bCannotBeat = false;
  m_vcLastPlay = lastPlay;
  for (int i : {kBtnPass, kBtnReselect, kBtnHint, kBtnPlay}) {
    if (Button* button = GetMainButton(i)) {
      button->setVisible(true);
      button->setEnabled(false);
    }
  }
  if (!m_vcLastPlay.empty()) {
    if (Button* pass = GetMainButton(kBtnPass)) pass->setEnabled(true);
    if (Button* hint = GetMainButton(kBtnHint)) hint->setEnabled(true);
  }
  UpdateOutCardButton();
  m_bWaitingForChoice = true;

  if (!m_vcLastPlay.empty()) {
    std::vector<int> suggestion;
    const bool beatable = NextHint(suggestion);
    RestartHintCycle();
    if (!beatable) {
      if (m_pCannotBeatTip != nullptr) {
        m_pCannotBeatTip->stopAllActions();
        m_pCannotBeatTip->setVisible(true);
        const float fade = CannotBeatTipFade();
        m_pCannotBeatTip->setOpacity(fade > 0 ? 0 : 255);
        if (fade > 0) m_pCannotBeatTip->runAction(cocos2d::FadeIn::create(fade));
      }
      m_bCannotBeat = true;
    }
  }
}

void SelfHandCard::ShowOutCardButtons(const std::vector<int>& lastPlay) {
  OpenPlayTurn(lastPlay);
  const std::vector<int> hand = HandCodes();

  // The last card plays (or passes) by itself.
  if (hand.size() != 1) return;
  const int card = hand.front();
  const bool lead = m_vcLastPlay.empty();
  const bool beatsSingle = m_vcLastPlay.size() == 1 && card != ddz::kWildcardCode &&
                           CardIndexToValue(card) > CardIndexToValue(m_vcLastPlay.front());
  if (lead || beatsSingle) {
    m_vcCards.front()->bSelected = 1;
    OnButtonClick(GetMainButton(kBtnPlay));
  } else {
    OnButtonClick(GetMainButton(kBtnPass));
  }
}

Button* SelfHandCard::ResetPlayButtonForSelection(std::vector<int>& selected) {
  Button* play = GetMainButton(kBtnPlay);
  if (play == nullptr || !play->isVisible()) return nullptr;
  play->setEnabled(false);
  selected = SelectedCodes();
  if (Button* reselect = GetMainButton(kBtnReselect)) {
    reselect->setEnabled(!selected.empty());
    reselect->setVisible(false);
  }
  return play;
}

void SelfHandCard::UpdateOutCardButton() {
  std::vector<int> selected;
  if (Button* play = ResetPlayButtonForSelection(selected)) play->setEnabled(SelectionPlays(selected));
}

bool SelfHandCard::SelectionPlays(const std::vector<int>& selected) const {
  ddz::CardTypeInfo mine;
  if (!ddz::ClueCard::GetCardType(mine, selected)) return false;
  if (m_vcLastPlay.empty()) return true;
  ddz::CardTypeInfo table;
  ddz::ClueCard::GetCardType(table, m_vcLastPlay);
  // 1: same type and higher; 2: a bomb or the rocket that beats it.
  return ddz::ClueCard::CompareCardType(mine, table) > 0;
}

// ---------------------------------------------------------------- classic rules

SelfHandCard::HandRequest SelfHandCard::PlayRequest(const std::vector<int>& cards) const {
  ddz::CardTypeInfo info;
  ddz::ClueCard::GetCardType(info, cards);  // a pass reads as type -1, key 0
  return {classic::BuildPlayRequest(cards, info.type, info.value), classic::MsgType::Play};
}

SelfHandCard::HandRequest SelfHandCard::BidRequest(int bid) const {
  return {classic::BuildBidRequest(bid), classic::MsgType::Bid};
}

bool SelfHandCard::NextHint(std::vector<int>& out) const { return ddz::ClueCard::Hint(out, m_vcLastPlay, HandCodes()); }

void SelfHandCard::RestartHintCycle() const { ddz::ResetHintCycle(); }

// ---------------------------------------------------------------- presses

void SelfHandCard::OnButtonClick(Ref* sender) {
  if (!m_bWaitingForChoice || sender == nullptr) return;
  const auto it = std::find(m_pMainBtn.begin(), m_pMainBtn.end(), sender);
  if (it == m_pMainBtn.end()) return;
  const int index = static_cast<int>(it - m_pMainBtn.begin());

  if (index == kBtnPlay || index == kBtnPass) {
    const std::vector<int> cards = index == kBtnPlay ? SelectedCodes() : std::vector<int>{};
    HandRequest req = PlayRequest(cards);
    if (req.msg.empty()) {
      // The turn stays open (buttons and clock), so the time-out can still act.
      cocos2d::log("SelfHandCard::OnButtonClick: %d cards do not fit a play request, not sent",
                   static_cast<int>(cards.size()));
      return;
    }
    for (int i : {kBtnPass, kBtnReselect, kBtnHint, kBtnPlay}) GetMainButton(i)->setVisible(false);
    if (m_pCannotBeatTip != nullptr) m_pCannotBeatTip->setVisible(false);
    Send(m_pOwnerView, req.msg, req.type);
    UnselectAll();
    if (m_pOwnerView != nullptr) {
      // Every table's play request carries the card bytes right after the frame.
      m_pOwnerView->ShowSelfOutCard(reinterpret_cast<const char*>(req.msg.data() + classic::kFrameSize),
                                    static_cast<int>(cards.size()));
    }
    if (m_pOwnerView != nullptr) m_pOwnerView->HideGameClock();
    m_bWaitingForChoice = false;
    AfterPlayOrPass();
    return;
  }
  if (index == kBtnReselect) {
    UnselectAll();
    Button* reselect = GetMainButton(kBtnReselect);
    reselect->setEnabled(false);
    reselect->setVisible(false);
    return;
  }
  if (index >= kBtnBid0 && index <= kBtnBid3) {
    for (int i = kBtnBid0; i <= kBtnBid3; ++i) GetMainButton(i)->setVisible(false);
    HandRequest req = BidRequest(index);
    Send(m_pOwnerView, req.msg, req.type);
    if (m_pOwnerView != nullptr) m_pOwnerView->HideGameClock();
    m_bWaitingForChoice = false;
    return;
  }
  if (index == kBtnHint) {
    std::vector<int> suggestion;
    if (!NextHint(suggestion)) {
      OnButtonClick(GetMainButton(kBtnPass));  // nothing beats the table
      return;
    }
    // After the biggest suggestion the cycle answers an empty one: nothing stays selected.
    SelectCodes(suggestion);
    UpdateOutCardButton();
    LayoutCards();
  }
}


void SelfHandCard::AfterPlayOrPass() {
  const bool classicCount = ClassicAutoPlayCount();
  if (!m_bAutomatic) {
    m_iAutoPlayCount = 0;
  } else if (!classicCount || m_iLastTablePlayType != ddz::CardType::Rocket) {
    ++m_iAutoPlayCount;
    if (classicCount && (m_iAutoPlayCount == 1 || m_iAutoPlayCount == 2)) {
      if (m_pBottomBar != nullptr && m_pBottomBar->IsBarRunning() && m_pBottomBar->IsSysBoxRunning())
        m_pBottomBar->AddSysMessage(GameText(kTextAutoPlayed).c_str(), kSysBoxKind);
    } else if (m_iAutoPlayCount == kAutoPlaysToQuit) {
      // The single-player game never leaves the table by itself.
      if (m_pOwnerView != nullptr && !m_pOwnerView->IsSinglePlayerGame()) {
        m_pOwnerView->ShowHandMessageBox(GameText(kTextAutoPlayQuit).c_str(), kMsgBoxKind, this);
        scheduleOnce([this](float dt) { QuitAfterAutoPlays(dt); }, kQuitDelay, kQuitKey);
      }
    }
  }
  m_bAutomatic = false;
}

void SelfHandCard::QuitAfterAutoPlays(float) {
  if (m_pOwnerView != nullptr) m_pOwnerView->QuitHandTable();
}

// ---------------------------------------------------------------- answer pairs

void SelfHandCard::ShowAnswerPair(int pair) {
  for (int side = 0; side < 2; ++side) {
    if (Button* button = GetPairButton(pair, side)) {
      button->setVisible(true);
      button->setEnabled(true);
    }
  }
}

void SelfHandCard::OnCallPairClick(Ref* sender) { OnPairClick(kPairCall, sender); }
void SelfHandCard::OnRobPairClick(Ref* sender) { OnPairClick(kPairRob, sender); }
void SelfHandCard::OnShowHandPairClick(Ref* sender) { OnPairClick(kPairShowHand, sender); }
void SelfHandCard::OnDoublePairClick(Ref* sender) { OnPairClick(kPairDouble, sender); }

void SelfHandCard::OnPairClick(int pair, Ref* sender) {
  if (pair < 0 || pair >= kAnswerPairs || sender == nullptr) return;
  int side = -1;
  for (int s = 0; s < 2; ++s)
    if (GetPairButton(pair, s) == sender) side = s;
  if (side < 0) return;
  if (pair == kPairShowHand) {
    if (side == 1) {
      classic::Message msg = classic::BuildShowHandRequest();
      Send(m_pOwnerView, msg, classic::MsgType::ShowHand);
    }
    if (m_pOwnerView != nullptr) m_pOwnerView->ShowSelfClock(side == 1 ? 1 : 0);
  } else {
    classic::Message msg = classic::BuildBidRequest(kPairFaces[pair][side].choice);
    Send(m_pOwnerView, msg, classic::MsgType::Bid);
    if (m_pOwnerView != nullptr) m_pOwnerView->HideGameClock();
  }
  GetPairButton(pair, 0)->setVisible(false);
  GetPairButton(pair, 1)->setVisible(false);
}

// ---------------------------------------------------------------- time-out

void SelfHandCard::OnAutoOperate() {
  for (int i = kBtnBid0; i <= kBtnBid3; ++i) {
    if (IsButtonUsable(i)) {
      OnButtonClick(GetMainButton(i));
      return;
    }
  }
  if (IsButtonUsable(kBtnPass)) {
    if (TimeOutPassIsAutomatic()) {
      PressAutomatically(kBtnPass);
    } else {
      m_bAutomatic = false;
      OnButtonClick(GetMainButton(kBtnPass));
    }
    return;
  }
  Button* play = GetMainButton(kBtnPlay);
  if (play == nullptr) return;  // never entered: no buttons
  if (!play->isVisible()) {
    // A pending question of the call-and-rob table gets its "no".
    if (m_pOwnerView == nullptr || !m_pOwnerView->IsCallRobMode()) return;
    for (int pair = 0; pair < kAnswerPairs; ++pair) {
      Button* no = GetPairButton(pair, 0);
      if (no->isVisible() || GetPairButton(pair, 1)->isVisible()) {
        OnPairClick(pair, no);
        return;
      }
    }
    return;
  }
  // Leading: by default the last card of the row (the smallest in the default order).
  if (m_vcCards.empty()) return;
  const int lead = TimeOutLeadIndex();
  if (lead < 0 || lead >= static_cast<int>(m_vcCards.size())) return;
  UnselectAll();
  m_vcCards[static_cast<std::size_t>(lead)]->bSelected = 1;
  PressAutomatically(kBtnPlay);
}

void SelfHandCard::PressAutomatically(int index) {
  m_bAutomatic = true;
  OnButtonClick(GetMainButton(index));
  // A press that was not taken (no choice offered) must not mark the player's next one.
  m_bAutomatic = false;
}
