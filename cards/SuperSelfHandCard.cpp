// The Super own hand: engine choice, legal groups, the play request, the
// chooser's opening and the time-out action. Selection, layout, the slide,
// the bid buttons and the yes/no pairs are the classic hand's
// (SelfHandCard.cpp, SelfHandButtons.cpp); the chooser is SuperSelectCards.cpp.
#include "cards/SuperSelfHandCard.h"

#include <algorithm>
#include <utility>

#include "cardlogic/ClassicMessages.h"
#include "cardlogic/SuperClueCard.h"
#include "cards/SuperSelectCards.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Ref;
using cocos2d::ui::Button;
using ddz::CardGroupRecord;

namespace classic = ddz::classic;

SuperSelfHandCard* SuperSelfHandCard::s_pInstance = nullptr;

namespace {

constexpr float kTipFadeIn = 0.5f;

constexpr SuperSelfHandCard::Engine kEngines[] = {
    {ddz::PlayerCountMode::ThreeSeat, &ddz::SuperClueCard::EnumerateGroups, &ddz::SuperClueCard::GetPrompt,
     &ddz::SuperClueCard::SmartSelect},
    {ddz::PlayerCountMode::ThreeSeatWildcard, &ddz::SuperClueCard::EnumerateGroups, &ddz::SuperClueCard::GetPrompt,
     &ddz::SuperClueCard::SmartSelect},
    {ddz::PlayerCountMode::TwoSeat, &ddz::ErClueCard::EnumerateGroups, &ddz::ErClueCard::GetPrompt,
     &ddz::ErClueCard::SmartSelect},
};

// Every Super hand alive, so that a view going away can be forgotten by all of
// them. Never destroyed: hands may go after static destruction has begun.
std::vector<SuperSelfHandCard*>& LiveSuperHands() {
  static auto* hands = new std::vector<SuperSelfHandCard*>();
  return *hands;
}

}  // namespace

// ---------------------------------------------------------------- instance

const SuperSelfHandCard::Engine* SuperSelfHandCard::EngineFor(int mode) {
  for (const Engine& engine : kEngines)
    if (engine.mode == mode) return &engine;
  return nullptr;
}

SuperSelfHandCard* SuperSelfHandCard::getInstance() {
  if (s_pInstance == nullptr) {
    auto* hand = new SuperSelfHandCard(nullptr, nullptr);
    hand->autorelease();
  }
  return s_pInstance;
}

SuperSelfHandCard* SuperSelfHandCard::getInstanceIfAny() { return s_pInstance; }

SuperSelfHandCard::SuperSelfHandCard(ISelfHandOwner* owner, ISuperHandOwner* table)
    : SelfHandCard(owner, 0, false), m_pTable(table) {
  s_pInstance = this;
  LiveSuperHands().push_back(this);
}

SuperSelfHandCard::~SuperSelfHandCard() {
  if (s_pInstance == this) s_pInstance = nullptr;
  std::vector<SuperSelfHandCard*>& hands = LiveSuperHands();
  hands.erase(std::remove(hands.begin(), hands.end(), this), hands.end());
  CloseChooser();
}

void SuperSelfHandCard::ForgetTable(const ISuperHandOwner* table) {
  if (table == nullptr) return;
  for (SuperSelfHandCard* hand : LiveSuperHands())
    if (hand->m_pTable == table) hand->m_pTable = nullptr;
}

ISuperHandOwner::~ISuperHandOwner() { SuperSelfHandCard::ForgetTable(this); }

void SuperSelfHandCard::onEnter() {
  SelfHandCard::onEnter();
  if (m_pChooser == nullptr) {
    m_pChooser = new AllCardsGroup();
    m_pChooser->SetOwnerHand(this);
  }
}

void SuperSelfHandCard::onExit() {
  SelfHandCard::onExit();
  CloseChooser();
}

void SuperSelfHandCard::CloseChooser() {
  if (m_pChooser == nullptr) return;
  AllCardsGroup* chooser = m_pChooser;
  m_pChooser = nullptr;
  chooser->SetOwnerHand(nullptr);
  if (chooser->getParent() != nullptr) chooser->removeFromParentAndCleanup(true);
  chooser->release();
}

void SuperSelfHandCard::DismissChooser() {
  if (IsChooserOpen()) m_pChooser->removeFromParentAndCleanup(true);
}

void SuperSelfHandCard::ShowChoiceButtons(int highest) {
  DismissChooser();
  ShowCallScoreButtons(highest);
}

void SuperSelfHandCard::ShowAnswerPair(int pair) {
  DismissChooser();
  SelfHandCard::ShowAnswerPair(pair);
}

std::vector<cocos2d::Vec2> SuperSelfHandCard::TakePlayedCards(const std::vector<int>& codes) {
  DismissChooser();
  return SelfHandCard::TakePlayedCards(codes);
}

void SuperSelfHandCard::ResetTurnState() {
  DismissChooser();
  m_vcLegalGroups.clear();
  SetAnimating(false);
  m_iAutoPlayCount = 0;
  m_bAutomatic = false;
  m_bCannotBeat = false;
  SetLandlordTookBottomCards(false);
}

bool SuperSelfHandCard::IsChooserOpen() const { return m_pChooser != nullptr && m_pChooser->getParent() != nullptr; }

void SuperSelfHandCard::SortCards() { SpriteCardManage::SortCards(); }

float SuperSelfHandCard::RowWidth() const { return static_cast<float>(BasePT::g_iWindowWidth); }

void SuperSelfHandCard::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) {
  const bool missed = m_iPressedIndex < 0 || m_iPressedIndex >= static_cast<int>(m_vcCards.size());
  SelfHandCard::onTouchesEnded(touches, event);
  if (missed && !touches.empty()) m_vcLegalGroups.clear();
}

void SuperSelfHandCard::SetCardMasksVisible(bool visible) {
  for (SpriteCardInfo* info : m_vcCards)
    if (info->pShadowSprite != nullptr) info->pShadowSprite->setVisible(visible);
}

// ---------------------------------------------------------------- engine

const SuperSelfHandCard::Engine* SuperSelfHandCard::CurrentEngine() const {
  return m_pTable == nullptr ? nullptr : EngineFor(m_pTable->GetPlayerCountMode());
}

const ddz::SpecialRuleFlags* SuperSelfHandCard::Rules() const {
  return m_pTable == nullptr ? nullptr : m_pTable->GetSpecialRuleFlags();
}

std::vector<CardGroupRecord> SuperSelfHandCard::Enumerate(const std::vector<int>& cards) const {
  const Engine* engine = CurrentEngine();
  if (engine == nullptr) return {};
  ddz::CardTypeInfo info;
  return engine->enumerate(cards, info, engine->mode, Rules());
}

bool SuperSelfHandCard::Prompt(std::vector<int>& suggestion) const {
  const Engine* engine = CurrentEngine();
  return engine != nullptr && engine->prompt(suggestion, m_vcLastPlay, HandCodes(), engine->mode, Rules());
}

bool SuperSelfHandCard::CompleteSelection(std::vector<int>& pattern, const std::vector<int>& given) const {
  const Engine* engine = CurrentEngine();
  return engine != nullptr &&
         engine->smartSelect(pattern, m_vcLastPlay, HandCodes(), given, engine->mode, Rules());
}

void SuperSelfHandCard::RestartHintCycles() {
  ddz::g_iErPromptType = -1;
  ddz::g_iErPromptValue = -1;
  ddz::g_iSuperPromptType = -1;
  ddz::g_iSuperPromptValue = -1;
  ddz::SearchMode = 1;
  ddz::SuperSearchMode = 1;
}

// ---------------------------------------------------------------- turn

void SuperSelfHandCard::ShowSendPassBtn(const std::vector<int>& cardsToBeat) {
  DismissChooser();
  OpenPlayTurn(cardsToBeat);
  if (m_vcCards.size() == 1) PlayLastCard();
}

bool SuperSelfHandCard::NextHint(std::vector<int>& out) const { return Prompt(out); }

void SuperSelfHandCard::RestartHintCycle() const { RestartHintCycles(); }

void SuperSelfHandCard::PlayLastCard() {
  const std::vector<CardGroupRecord> mine = Enumerate({m_vcCards.front()->iCardIndex});
  if (m_vcLastPlay.empty()) {
    if (mine.size() == 1 && mine.front().type == ddz::CardType::Single) {
      m_vcLegalGroups = mine;
      m_vcCards.front()->bSelected = 1;
      OnButtonClick(GetMainButton(kBtnPlay));
    } else {
      cocos2d::log("ERROR [SuperSelfHandCard]\t\tShowSendPassBtn::allLegalCardGroup.[size:%d]",
                   static_cast<int>(mine.size()));
    }
    return;
  }
  if (m_vcLastPlay.size() != 1) {
    OnButtonClick(GetMainButton(kBtnPass));
    return;
  }
  const std::vector<CardGroupRecord> table = Enumerate(m_vcLastPlay);
  if (mine.size() > 1 || table.size() > 1) {
    cocos2d::log("ERROR [SuperSelfHandCard]\t\tShowSendPassBtn::allLegalCardGroup.[size:%d] vTableCards.[size:%d]",
                 static_cast<int>(mine.size()), static_cast<int>(table.size()));
    return;
  }
  for (const CardGroupRecord& a : mine) {
    for (const CardGroupRecord& b : table) {
      if (!ddz::SuperGroupBeats(a, b)) continue;
      m_vcLegalGroups = {a};
      m_vcCards.front()->bSelected = 1;
      OnButtonClick(GetMainButton(kBtnPlay));
      return;
    }
  }
  OnButtonClick(GetMainButton(kBtnPass));
}

// ---------------------------------------------------------------- legal groups

void SuperSelfHandCard::CheckSelectedCards() {
  std::vector<int> selected;
  Button* play = ResetPlayButtonForSelection(selected);
  if (play == nullptr) return;
  m_vcLegalGroups.clear();
  const int handCount = static_cast<int>(m_vcCards.size());
  ddz::g_iSelfHandCardCount = handCount;
  ddz::g_iSuperSelfHandCardCount = handCount;

  const std::vector<CardGroupRecord> readings = Enumerate(selected);
  if (readings.empty()) return;
  const bool leading = m_vcLastPlay.empty();
  std::vector<CardGroupRecord> candidates;
  if (leading) {
    play->setEnabled(true);
    candidates = readings;
  } else {
    const std::vector<CardGroupRecord> table = Enumerate(m_vcLastPlay);
    // A reading that beats two readings of the table is listed twice; the
    // sort below keeps one of them.
    for (const CardGroupRecord& g : readings) {
      for (const CardGroupRecord& t : table) {
        if (!ddz::SuperGroupBeats(g, t)) continue;
        play->setEnabled(true);
        candidates.push_back(g);
      }
    }
  }
  m_vcLegalGroups = SortLegalGroups(std::move(candidates), leading);
}

std::vector<CardGroupRecord> SuperSelfHandCard::SortLegalGroups(std::vector<CardGroupRecord> candidates, bool keepAll) {
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const CardGroupRecord& a, const CardGroupRecord& b) { return a.type > b.type; });
  if (keepAll) return candidates;
  std::vector<CardGroupRecord> best;
  for (const CardGroupRecord& record : candidates) {
    if (!best.empty() && best.back().type == record.type) {
      if (record.value > best.back().value) best.back() = record;
    } else {
      best.push_back(record);
    }
  }
  return best;
}

// ---------------------------------------------------------------- presses

void SuperSelfHandCard::OnButtonClick(Ref* sender) {
  if (!m_bWaitingForChoice || sender == nullptr) return;
  const auto it = std::find(m_pMainBtn.begin(), m_pMainBtn.end(), sender);
  if (it == m_pMainBtn.end()) return;
  const int index = static_cast<int>(it - m_pMainBtn.begin());

  if (index == kBtnPlay || index == kBtnPass) {
    SendPlay(index == kBtnPlay);
    return;
  }
  if (index == kBtnReselect) {
    UnselectAll();
    Button* reselect = GetMainButton(kBtnReselect);
    reselect->setEnabled(false);
    reselect->setVisible(false);
    m_vcLegalGroups.clear();
    return;
  }
  if (index == kBtnHint) {
    m_vcLegalGroups.clear();
    std::vector<int> suggestion;
    if (!Prompt(suggestion)) {
      OnButtonClick(GetMainButton(kBtnPass));  // nothing beats the table
      return;
    }
    SelectCodes(suggestion);
    CheckSelectedCards();
    LayoutCards();
    return;
  }
  // A bid.
  for (int i = kBtnBid0; i <= kBtnBid3; ++i) GetMainButton(i)->setVisible(false);
  classic::Message msg = classic::BuildBidRequest(index);
  if (m_pOwnerView != nullptr) {
    m_pOwnerView->SendHandMessage(msg.data(), classic::MsgType::Bid, static_cast<int>(msg.size()));
    m_pOwnerView->HideGameClock();
  }
  m_bWaitingForChoice = false;
}

void SuperSelfHandCard::SendPlay(bool play) {
  for (int i : {kBtnPass, kBtnReselect, kBtnHint, kBtnPlay}) GetMainButton(i)->setVisible(false);
  if (play && m_vcLegalGroups.size() >= 2) {
    OpenChooser();
    return;
  }
  // A pass names the one reading listed, if any; with two or more it names none.
  const CardGroupRecord* group = m_vcLegalGroups.size() == 1 ? &m_vcLegalGroups.front() : nullptr;
  classic::Message msg = classic::BuildSuperPlayRequest(group, play);
  if (m_pCannotBeatTip != nullptr) m_pCannotBeatTip->setVisible(false);
  if (m_pOwnerView != nullptr)
    m_pOwnerView->SendHandMessage(msg.data(), classic::MsgType::Play, static_cast<int>(msg.size()));
  UnselectAll();
  if (m_pTable != nullptr) m_pTable->PlayCardsFromRecord(msg.data(), static_cast<int>(msg.size()));
  if (m_pOwnerView != nullptr) m_pOwnerView->HideGameClock();
  m_bWaitingForChoice = false;
  AfterPlayOrPass();  // the auto-play streak; clears the automatic press
  m_vcLegalGroups.clear();
}

void SuperSelfHandCard::OpenChooser() {
  if (m_pChooser == nullptr) {
    cocos2d::log("SuperSelfHandCard::OpenChooser: the hand is not on the table, no chooser");
    return;
  }
  if (m_pChooser->getParent() != nullptr) m_pChooser->removeFromParentAndCleanup(true);
  m_pChooser->ClearStrips();
  for (const CardGroupRecord& group : m_vcLegalGroups) SuperSelectCards::create(m_pChooser, group);
  m_pChooser->SetSecondsLeft(m_pTable != nullptr ? m_pTable->GetClockSecondsLeft() : 0);
  addChild(m_pChooser, kChooserZOrder);
}

void SuperSelfHandCard::ShowTurnButtonsAgain() {
  for (int i : {kBtnPass, kBtnHint, kBtnPlay})
    if (Button* button = GetMainButton(i)) button->setVisible(true);
}

// ---------------------------------------------------------------- time-out

void SuperSelfHandCard::OnAutoOperate() {
  // The time-out acts as it would without the chooser: its turn buttons come
  // back first.
  if (IsChooserOpen()) {
    DismissChooser();
    ShowTurnButtonsAgain();
  }
  for (int i = kBtnBid0; i <= kBtnBid3; ++i) {
    if (IsButtonUsable(i)) {
      OnButtonClick(GetMainButton(i));
      return;
    }
  }
  if (IsButtonUsable(kBtnPass)) {
    PressOnTimeOut(GetMainButton(kBtnPass));
    return;
  }
  Button* play = GetMainButton(kBtnPlay);
  if (play == nullptr) return;  // never entered: no buttons
  if (play->isVisible()) {
    // Leading: the last card of the row, the lowest, in its lowest reading
    // (no chooser: the time is up). Without a reading nothing is sent: a
    // pass while leading is what the server refuses.
    if (m_vcCards.empty()) return;
    std::vector<CardGroupRecord> readings = Enumerate({m_vcCards.back()->iCardIndex});
    std::erase_if(readings, [](const CardGroupRecord& g) { return g.type == ddz::CardType::Invalid; });
    if (readings.empty()) {
      cocos2d::log("SuperSelfHandCard::OnAutoOperate: the lowest card reads no way, nothing sent");
      return;
    }
    UnselectAll();
    m_vcLegalGroups = {*std::min_element(readings.begin(), readings.end(),
                                         [](const CardGroupRecord& a, const CardGroupRecord& b) {
                                           return a.value < b.value;
                                         })};
    PressOnTimeOut(play);
    return;
  }
  const int mode = m_pTable != nullptr ? m_pTable->GetPlayerCountMode() : -1;
  if (mode != ddz::PlayerCountMode::ThreeSeatWildcard && mode != ddz::PlayerCountMode::TwoSeat) return;
  for (int pair = kPairCall; pair <= kPairDouble; ++pair) {
    Button* no = GetPairButton(pair, 0);
    if (no != nullptr && no->isVisible()) {
      OnPairClick(pair, no);
      return;
    }
  }
}

void SuperSelfHandCard::PressOnTimeOut(Button* button) {
  m_bAutomatic = true;
  OnButtonClick(button);
  // A press that was not taken must not mark the player's next one; an open
  // chooser's pick still counts as the automatic play.
  if (!IsChooserOpen()) m_bAutomatic = false;
}
