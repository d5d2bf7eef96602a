#include "variants/DDZSmallGameLayer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/DDZGameView.h"
#include "variants/DDZSmallGameBgLayer.h"
#include "variants/DDZSmallGameCard.h"
#include "variants/DDZSmallGameHelpLayer.h"
#include "variants/DDZSmallGameLEDBoard.h"
#include "variants/DDZSmallGameLevelTips.h"
#include "variants/DDZSmallGameResultLayer.h"
#include "variants/DDZSmallGameSound.h"

namespace {

using cocos2d::Vec2;

// Message 41's level data.
constexpr int kBigAwardFlagAt = 9;
constexpr int kRecordCountAt = 12;
// A level record.
constexpr int kCardCountAt = 0;
constexpr int kAwardAt = 4;
constexpr int kOutcomeAt = 8;
constexpr int kKindsAt = 12;
// Request 41.
constexpr int kActionAt = 8;

constexpr float kWarnAt = 9;
constexpr float kWarnAtModeOne = 5;
constexpr float kStepSeconds = 0.05f;
constexpr float kResultStepSeconds = 0.1f;
constexpr float kResultCountDelay = 2;
constexpr const char* kLossFont = "微软雅黑";

cocos2d::LabelAtlas* MakeNumber(int value, const char* map, int w, int h) {
  cocos2d::LabelAtlas* label = cocos2d::LabelAtlas::create(std::to_string(value), map, w, h, '0');
  label->setAnchorPoint(Vec2(0.5f, 0.5f));
  return label;
}

cocos2d::ui::Button* MakeButton(const char* word, const char* face) {
  return cocos2d::ui::Button::createWithExtraAbove(face, "", "", word, cocos2d::ui::Widget::TextureResType::PLIST);
}

const char* PhaseName(DDZSmallGameLayer::Phase phase) {
  using P = DDZSmallGameLayer::Phase;
  switch (phase) {
    case P::kClosed: return "closed";
    case P::kOpening: return "opening";
    case P::kWaiting: return "waiting";
    case P::kRequested: return "requested";
    case P::kLevel: return "level";
    case P::kPicking: return "picking";
    case P::kRevealing: return "revealing";
    case P::kResult: return "result";
    case P::kLeaving: return "leaving";
  }
  return "?";
}

}  // namespace

DDZSmallGameLayer* DDZSmallGameLayer::create(DDZGameView* view) {
  auto* layer = new DDZSmallGameLayer(view);
  layer->autorelease();
  return layer;
}

DDZSmallGameLayer::DDZSmallGameLayer(DDZGameView* view) : YndGameLayer(nullptr), m_pView(view) {}

int DDZSmallGameLayer::CountSteps(long long difference) {
  const long long d = std::llabs(difference);
  const long long steps = d <= 20 ? d : 20 + (d - 20) / 5;
  return static_cast<int>(std::min<long long>(steps, kMaxCountSteps));
}

cocos2d::Vec2 DDZSmallGameLayer::GetPlace(int place) const {
  return g_ptCardLBPos +
         Vec2(g_ptCardInversePos.x * static_cast<float>(place % 4), g_ptCardInversePos.y * static_cast<float>(place / 4));
}

void DDZSmallGameLayer::After(float seconds, std::function<void()> call) {
  runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(seconds),
                                      cocos2d::CallFunc::create(std::move(call)), nullptr));
}

void DDZSmallGameLayer::SetNumber(cocos2d::LabelAtlas* label, int value) {
  if (label != nullptr) label->setString(std::to_string(value));
}

// ---------------------------------------------------------------- the table's calls

void DDZSmallGameLayer::SetGameInfo(int startAward, int bigAward, int levelCount, int cost, int playerYuanbao) {
  m_iStartAward = startAward;
  m_iCurAward = startAward;
  m_iBigAward = bigAward;
  m_iLevelCount = levelCount;
  m_iCost = cost;
  m_iPlayerYuanbao = playerYuanbao;
  m_iMode = 2;
}

void DDZSmallGameLayer::SetOpenFields(const SmallGameOpenFields& fields) {
  m_iMode = fields.iMode;
  m_iLevelCount = fields.iM1;
  m_iBigAward = fields.iM2;
  m_iStartAward = fields.iCounter;
  m_iCurAward = fields.iCounterMax;
  m_iPlayerYuanbao = fields.iPlayerYuanbao;
  m_iTipNo = fields.iStart;
}

void DDZSmallGameLayer::SetLevelData(const char* msg, int len) {
  if (msg == nullptr || len < kHeadSize) {
    cocos2d::log("DDZSmallGameLayer: level data of %d bytes is shorter than its head, dropped", len);
    return;
  }
  if (m_iMode != 2 || m_bPlayed || (m_ePhase != Phase::kWaiting && m_ePhase != Phase::kRequested)) {
    cocos2d::log("DDZSmallGameLayer: level data while %s, dropped", PhaseName(m_ePhase));
    return;
  }
  m_bPlayed = true;
  std::memcpy(m_Head.data(), msg, kHeadSize);
  m_bBigAwardFlag = msg[kBigAwardFlagAt] != 0;
  const int sent = ddz::LittleEndianAt(msg, kRecordCountAt);
  const int fits = std::min(kMaxLevels, (len - kHeadSize) / kRecordSize);
  m_iRecordCount = std::clamp(sent, 0, fits);
  if (m_iRecordCount != sent)
    cocos2d::log("DDZSmallGameLayer: %d level records asked, %d read", sent, m_iRecordCount);
  for (int k = 0; k < kMaxLevels; ++k) {
    LevelRecord& record = m_Records[static_cast<std::size_t>(k)];
    record = LevelRecord();
    if (k >= m_iRecordCount) continue;
    const char* at = msg + kHeadSize + kRecordSize * k;
    record.cardCount = ddz::LittleEndianAt(at, kCardCountAt);
    record.award = ddz::LittleEndianAt(at, kAwardAt);
    record.outcome = ddz::LittleEndianAt(at, kOutcomeAt);
    if (record.cardCount != kCardPlaces)
      cocos2d::log("DDZSmallGameLayer: level %d deals %d cards, dealt as %d", k + 1, record.cardCount, kCardPlaces);
    const int dealt = std::clamp(record.cardCount, 0, kCardPlaces);
    for (int j = 0; j < dealt; ++j) record.kinds[static_cast<std::size_t>(j)] = static_cast<signed char>(at[kKindsAt + j]);
  }
  StartLevel();
}

// ---------------------------------------------------------------- opening

void DDZSmallGameLayer::onEnter() {
  YndGameLayer::onEnter();
  if (m_iMode == 0 || m_ePhase != Phase::kClosed) return;  // built once
  BuildBoard();
  m_ePhase = Phase::kOpening;
  const Vec2 p = getPosition();
  setPosition(Vec2(p.x, static_cast<float>(BasePT::g_iWindowHeight)));
  runAction(cocos2d::Sequence::create(cocos2d::MoveTo::create(kSlideSeconds, p),
                                      cocos2d::CallFunc::create([this] { OnSlideInEnd(); }), nullptr));
}

void DDZSmallGameLayer::BuildBoard() {
  AddPlist(kBaseSheet);
  LoadDDZSmallGameUIPos();
  if (m_iLevelCount < 0 || m_iLevelCount > kMaxLevels) {
    cocos2d::log("DDZSmallGameLayer: %d levels asked, %d boards", m_iLevelCount, std::clamp(m_iLevelCount, 0, kMaxLevels));
    m_iLevelCount = std::clamp(m_iLevelCount, 0, kMaxLevels);
  }

  addChild(DDZSmallGameBgLayer::create(), -1);
  for (int i = m_iLevelCount - 1; i >= 0; --i) {
    DDZSmallGameLevelNoBorad* board = DDZSmallGameLevelNoBorad::create(i + 1);
    board->setPosition(g_ptLevelNoPos[i]);
    addChild(board, 1);
    m_pLevelBoards[static_cast<std::size_t>(i)] = board;
  }
  m_pBigAwardBoard = DDZSmallGameBigAwardBoard::create();
  m_pBigAwardBoard->setPosition(g_ptBigAwardPos);
  addChild(m_pBigAwardBoard, 1);

  m_pAwardIcon = cocos2d::Sprite::createWithSpriteFrameName(kYuanbaoFrame);
  if (m_pAwardIcon != nullptr) {
    m_pAwardIcon->setPosition(g_ptPresentAwardYBPos);
    addChild(m_pAwardIcon, 2);
  }
  m_pBigAwardNum = MakeNumber(m_iBigAward, "DDZ_SmallGameBigBonusNum_1.png", 30, 43);
  m_pBigAwardNum->setPosition(g_ptBigAwardPos - Vec2(25, 0));
  addChild(m_pBigAwardNum, 4);

  m_pHelpLayer = DDZSmallGameHelpLayer::create(this);
  addChild(m_pHelpLayer, 100);

  m_pPlayerNum = MakeNumber(m_iPlayerYuanbao, "DDZ_SmallGameBonusNum.png", 22, 29);
  m_pPlayerNum->setPosition(g_ptPlayerYBNumPos);
  addChild(m_pPlayerNum, 2);
  m_pPlayerIcon = cocos2d::Sprite::createWithSpriteFrameName(kYuanbaoFrame);
  if (m_pPlayerIcon != nullptr) {
    m_pPlayerIcon->setPosition(g_ptPlayerYBPos);
    addChild(m_pPlayerIcon, 2);
  }
  m_pAwardNum = MakeNumber(m_iStartAward, "DDZ_SmallGameYaunbaoNum.png", 22, 29);
  m_pAwardNum->setPosition(g_ptPresentAwardYBNumPos);
  addChild(m_pAwardNum, 2);

  if (m_iMode == 1) BuildModeOne();
  if (m_iMode == 2) BuildModeTwo();
}

void DDZSmallGameLayer::BuildModeOne() {
  m_pTip = cocos2d::Sprite::createWithSpriteFrameName("DDZ_SmallGameBg_tishi.png");
  if (m_pTip != nullptr) {
    m_pTip->setPosition(g_ptUseMoneyTipPos);
    addChild(m_pTip, 4);
  }
  m_pTipNum = MakeNumber(m_iTipNo, "DDZ_SmallGame_qorvd_num.png", 25, 31);
  m_pTipNum->setPosition(g_ptShowRuleBeiShuPos);
  addChild(m_pTipNum, 4);
  m_pReturnBtn = MakeButton("DDZ_SmallGame_return.png", "qorvddz_btn_normal_2.png");
  m_pReturnBtn->setPosition(g_ptResultQuitGameBtnPos + Vec2(0, 30));
  m_pReturnBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnQuitBtn(sender); });
  addChild(m_pReturnBtn, 4);
}

void DDZSmallGameLayer::BuildModeTwo() {
  AddPlist(kIntoGameSheet);
  m_pStartBtn = MakeButton("DDZ_SmallGam_start.png", "qorvddz_btn_normal_1.png");
  m_pStartBtn->setPosition(g_ptBtnStartGamePos);
  m_pStartBtn->addClickEventListener([this](cocos2d::Ref* sender) { SendPlayRequest(sender); });
  m_pStartBtn->setVisible(false);
  addChild(m_pStartBtn, 4);
  m_pQuitBtn = MakeButton("DDZ_SmallGam_quit.png", "qorvddz_btn_normal_2.png");
  m_pQuitBtn->setPosition(g_ptBtnQuitGamePos);
  m_pQuitBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnQuitBtn(sender); });
  m_pQuitBtn->setVisible(false);
  addChild(m_pQuitBtn, 4);

  m_pStartPanel = cocos2d::Sprite::create();
  m_pStartPanel->setPosition(g_ptUseMoneyTipPos);
  addChild(m_pStartPanel, 4);
  for (float side : {1.0f, -1.0f}) {
    if (cocos2d::Sprite* half = cocos2d::Sprite::createWithSpriteFrameName("DDZ_SmallGameBg_ditu.png")) {
      half->setAnchorPoint(Vec2(1, 0.5f));
      half->setScaleX(side);
      m_pStartPanel->addChild(half);
    }
  }
  if (cocos2d::Sprite* words = cocos2d::Sprite::createWithSpriteFrameName("DDZ_SmallGameBg_ksyx.png")) {
    words->setPositionX(-10);
    m_pStartPanel->addChild(words);
  }
  cocos2d::LabelAtlas* cost = MakeNumber(m_iCost, "DDZ_SmallGame_qorvd_num.png", 25, 31);
  cost->setPosition(g_ptUseMoneyOffsetPos);
  m_pStartPanel->addChild(cost, 4);

  m_pHatCard = cocos2d::Sprite::createWithSpriteFrameName(kHatCardFrame);
  if (m_pHatCard != nullptr) {
    m_pHatCard->setPosition(g_ptHatCardPos);
    m_pHatCard->setVisible(false);
    m_pHatCard->setOpacity(0);
    addChild(m_pHatCard, 13);
  }
  setTouchEnabled(true);
}

void DDZSmallGameLayer::OnSlideInEnd() {
  m_ePhase = Phase::kWaiting;
  for (int i = 0; i < m_iLevelCount; ++i)
    m_pLevelBoards[static_cast<std::size_t>(i)]->ShowResultEffect(0.5f * static_cast<float>(i));
  m_pBigAwardBoard->ShowResultEffect(0.5f * static_cast<float>(m_iLevelCount));
  if (m_pStartBtn != nullptr) m_pStartBtn->setVisible(true);
  if (m_pQuitBtn != nullptr) m_pQuitBtn->setVisible(true);
  m_pHelpLayer->StartClock(kWaitSeconds, 1, m_iMode == 2 ? kWarnAt : kWarnAtModeOne);
}

// ---------------------------------------------------------------- buttons

void DDZSmallGameLayer::SendPlayRequest(cocos2d::Ref*) {
  if (m_ePhase != Phase::kWaiting || m_iMode != 2) return;
  ddz::smallgame::PlaySound(ddz::smallgame::kSoundClick);
  for (int i = 0; i < m_iLevelCount; ++i) m_pLevelBoards[static_cast<std::size_t>(i)]->LightOff();
  m_pBigAwardBoard->LightOff();
  m_pStartBtn->setVisible(false);
  m_pQuitBtn->setVisible(false);
  m_pStartPanel->setVisible(false);
  m_ePhase = Phase::kRequested;
  std::uint8_t buf[kRequestSize] = {};
  const auto action = static_cast<std::uint32_t>(kActionPlay);
  for (int i = 0; i < 4; ++i) buf[kActionAt + i] = static_cast<std::uint8_t>(action >> (8 * i));
  if (m_pView != nullptr) m_pView->SendMsgToMainSocket(buf, kRequestType, kRequestSize);
}

void DDZSmallGameLayer::OnQuitBtn(cocos2d::Ref*) {
  if (m_ePhase != Phase::kWaiting && m_ePhase != Phase::kRequested) return;
  ddz::smallgame::PlaySound(ddz::smallgame::kSoundClick);
  if (m_pStartBtn != nullptr) m_pStartBtn->setVisible(false);
  if (m_pQuitBtn != nullptr) m_pQuitBtn->setVisible(false);
  if (m_pReturnBtn != nullptr) m_pReturnBtn->setVisible(false);
  LeaveSmallGame();
}

// ---------------------------------------------------------------- a level

void DDZSmallGameLayer::StartLevel() {
  m_pHelpLayer->StopClock();
  ++m_iLevelNo;
  ResetSmallGameCardPool();
  if (m_iLevelNo > m_iRecordCount) {  // no records: straight to the result
    ShowGameResult();
    return;
  }
  m_ePhase = Phase::kLevel;
  m_bSettling = false;
  m_pPickedCard = nullptr;
  // Level data that came before the start button was pressed: the panel goes too.
  for (cocos2d::Node* node : {static_cast<cocos2d::Node*>(m_pStartBtn), static_cast<cocos2d::Node*>(m_pQuitBtn),
                              static_cast<cocos2d::Node*>(m_pStartPanel)})
    if (node != nullptr) node->setVisible(false);
  for (int i = 0; i < m_iLevelCount; ++i) {
    DDZSmallGameLevelNoBorad* board = m_pLevelBoards[static_cast<std::size_t>(i)];
    if (i + 1 < m_iLevelNo) board->LightOn();
    if (i + 1 == m_iLevelNo) board->PlayLampChase(true);
  }
  for (DDZSmallGameCard*& card : m_pCards) {
    if (card != nullptr) card->removeFromParent();
    card = nullptr;
  }
  if (m_pLevelTips == nullptr) {
    m_pLevelTips = DDZSmallGameLevelTips::create();
    addChild(m_pLevelTips, 3);
  }
  m_pLevelTips->SetLevel(m_iLevelNo);
  m_pLevelTips->stopAllActions();
  m_pLevelTips->setPosition(Vec2(-640, g_ptLevelTipPos.y));
  m_pLevelTips->runAction(cocos2d::Sequence::create(
      cocos2d::EaseSineOut::create(cocos2d::MoveTo::create(0.5f, g_ptLevelTipPos)), cocos2d::DelayTime::create(1),
      cocos2d::EaseSineIn::create(cocos2d::MoveBy::create(0.5f, Vec2(1280, 0))), nullptr));
  ddz::smallgame::PlaySound("ddz_sg_start_gk.mp3");

  auto* deal = cocos2d::CallFunc::create([this] { DealCards(); });
  cocos2d::Vector<cocos2d::FiniteTimeAction*> hat;
  hat.pushBack(cocos2d::FadeTo::create(0.3f, 255));
  hat.pushBack(cocos2d::DelayTime::create(0.5f));
  hat.pushBack(cocos2d::FadeTo::create(0.2f, 0));
  for (int i = 0; i < 2; ++i) {
    hat.pushBack(cocos2d::FadeTo::create(0.2f, 255));
    hat.pushBack(cocos2d::FadeTo::create(0.2f, 0));
  }
  hat.pushBack(deal);
  cocos2d::Node* runner = m_pHatCard != nullptr ? static_cast<cocos2d::Node*>(m_pHatCard) : this;
  if (m_pHatCard != nullptr) {
    m_pHatCard->stopAllActions();
    m_pHatCard->setVisible(true);
  }
  runner->runAction(cocos2d::Sequence::create(hat));
}

void DDZSmallGameLayer::DealCards() {
  ddz::smallgame::PlaySound("ddz_sg_magic_cards.mp3");
  std::array<Vec2, kCardPlaces> places{};
  std::array<int, kCardPlaces> ranks = {1, 2, 3, 4, 0, 1, 2, 3};
  for (int i = 0; i < kCardPlaces; ++i) places[static_cast<std::size_t>(i)] = GetPlace(i);
  for (int n = 0; n < 24; ++n) {
    const int a = ddz::os::Rand() % kCardPlaces;
    const int b = ddz::os::Rand() % kCardPlaces;
    if (a == b) continue;
    std::swap(places[static_cast<std::size_t>(a)], places[static_cast<std::size_t>(b)]);
    std::swap(ranks[static_cast<std::size_t>(a)], ranks[static_cast<std::size_t>(b)]);
  }
  const LevelRecord& record = m_Records[static_cast<std::size_t>(m_iLevelNo - 1)];
  for (int j = 0; j < kCardPlaces; ++j) {
    const auto at = static_cast<std::size_t>(j);
    if (m_pCards[at] != nullptr) m_pCards[at]->removeFromParent();
    DDZSmallGameCard* card = DDZSmallGameCard::create(record.kinds[at], this);
    card->setPosition(g_ptHatCardPos);
    card->setScale(0.1f);
    addChild(card, ranks[at] + 4);
    m_pCards[at] = card;
    const float t = 0.3f + 0.05f * static_cast<float>(ranks[at]);
    card->runAction(cocos2d::Spawn::create(cocos2d::MoveTo::create(t, places[at]),
                                           cocos2d::ScaleTo::create(t, g_fCardScale),
                                           cocos2d::RotateBy::create(t, 360), nullptr));
  }
  After(2, [this] { ShuffleCards(); });
}

void DDZSmallGameLayer::ShuffleCards() {
  const Vec2 centre = g_ptCardLBPos + Vec2(1.5f * g_ptCardInversePos.x, 0.5f * g_ptCardInversePos.y);
  After(0.2f, [] { ddz::smallgame::PlaySound("ddz_sg_change_cards.mp3"); });
  std::array<Vec2, kCardPlaces> places{};
  for (int i = 0; i < kCardPlaces; ++i) places[static_cast<std::size_t>(i)] = m_pCards[static_cast<std::size_t>(i)]->getPosition();
  for (int n = 0; n < 24; ++n) {
    const int a = ddz::os::Rand() % kCardPlaces;
    const int b = ddz::os::Rand() % kCardPlaces;
    if (a != b) std::swap(places[static_cast<std::size_t>(a)], places[static_cast<std::size_t>(b)]);
  }
  for (int i = 0; i < kCardPlaces; ++i) {
    DDZSmallGameCard* card = m_pCards[static_cast<std::size_t>(i)];
    card->TurnOver(false);
    card->runAction(cocos2d::Sequence::create(
        cocos2d::DelayTime::create(0.5f),
        cocos2d::Spawn::create(cocos2d::MoveTo::create(0.35f, centre), cocos2d::RotateBy::create(0.35f, 180), nullptr),
        cocos2d::DelayTime::create(0.2f),
        cocos2d::Spawn::create(cocos2d::MoveTo::create(0.35f, places[static_cast<std::size_t>(i)]),
                               cocos2d::RotateBy::create(0.35f, 180), nullptr),
        nullptr));
  }
  After(1.5f, [this] { EnablePickCards(); });
}

void DDZSmallGameLayer::EnablePickCards() {
  m_ePhase = Phase::kPicking;
  for (DDZSmallGameCard* card : m_pCards) {
    if (card == nullptr) continue;
    if (card->IsPicked()) {
      card->setTouchEnabled(false);
    } else if (!card->IsEnabled()) {
      card->SetEnabled(true);
      card->setTouchEnabled(true);
    }
  }
  m_pHelpLayer->StartClock(kPickSeconds, 1, kWarnAt);
}

void DDZSmallGameLayer::OnCardPicked(DDZSmallGameCard* card) {
  if (m_ePhase != Phase::kPicking) return;  // a late touch or tick
  ddz::smallgame::PlaySound(ddz::smallgame::kSoundPick);
  const LevelRecord& record = m_Records[static_cast<std::size_t>(m_iLevelNo - 1)];
  DDZSmallGameCard* outcome = nullptr;
  for (DDZSmallGameCard* c : m_pCards) {
    if (c != nullptr && c->GetKind() == record.outcome) {
      outcome = c;
      break;
    }
  }
  if (outcome == nullptr) {
    cocos2d::log("DDZSmallGameLayer: no card of level %d is of kind %d", m_iLevelNo, record.outcome);
    outcome = card != nullptr ? card : m_pCards[0];
  }
  if (card == nullptr) card = outcome;
  m_ePhase = Phase::kRevealing;
  for (DDZSmallGameCard* c : m_pCards) {
    c->SetPicked(c == outcome);
    c->setTouchEnabled(false);
  }
  outcome->setLocalZOrder(12);
  if (card != outcome) {
    const Vec2 touched = card->getPosition();
    card->setPosition(outcome->getPosition());
    outcome->setPosition(touched);
  }
  m_pPickedCard = outcome;
  outcome->ShowResult();
  m_pHelpLayer->StopClock();
}

void DDZSmallGameLayer::ShowOtherCards() {
  if (m_ePhase != Phase::kRevealing || m_bSettling) return;
  m_bSettling = true;
  for (DDZSmallGameCard* card : m_pCards)
    if (card != nullptr && !card->IsPicked()) card->TurnOver(true);
  After(0.5f, [this] { SettleLevel(); });
}

void DDZSmallGameLayer::SettleLevel() {
  int award = m_Records[static_cast<std::size_t>(m_iLevelNo - 1)].award;
  if (m_bBigAwardFlag && m_iLevelNo == m_iRecordCount) award = ddz::os::SaturatingAdd(award, m_iBigAward);
  float flight = 0;
  m_iSteps = 0;
  if (award != m_iCurAward) {
    m_iSteps = CountSteps(static_cast<long long>(award) - m_iCurAward);
    m_fAwardTarget = static_cast<float>(award);
    m_fAwardShown = m_fAwardStart = static_cast<float>(m_iCurAward);
    m_fAwardStep = (static_cast<float>(award) - static_cast<float>(m_iCurAward)) / static_cast<float>(m_iSteps);
  }
  if (award > m_iCurAward) {
    const Vec2 from = m_pPickedCard != nullptr ? m_pPickedCard->getPosition() : g_ptHatCardPos;
    flight = from.distance(g_ptPresentAwardYBPos) / kIconFlightSpeed + 0.3f;
    cocos2d::Vector<cocos2d::FiniteTimeAction*> steps;
    DDZSmallGameCard* picked = m_pPickedCard;
    for (int i = 0; i < m_iSteps; ++i) {
      steps.pushBack(cocos2d::CallFunc::create([this, picked] { FlyYuanbao(picked); }));
      steps.pushBack(cocos2d::DelayTime::create(kStepSeconds));
    }
    steps.pushBack(cocos2d::DelayTime::create(flight + 0.2f));
    steps.pushBack(cocos2d::CallFunc::create([this] { ShowAwardNum(); }));
    runAction(cocos2d::Sequence::create(steps));
  } else if (award < m_iCurAward) {
    cocos2d::Label* loss = cocos2d::Label::createWithSystemFont(
        std::to_string(static_cast<long long>(award) - m_iCurAward), kLossFont, 30);
    loss->setAnchorPoint(Vec2(0.5f, 0.5f));
    loss->setColor(cocos2d::Color3B::WHITE);
    loss->setPosition(g_ptPresentAwardYBNumPos + Vec2(40, -15));
    addChild(loss, 3);
    loss->runAction(cocos2d::Sequence::create(cocos2d::MoveBy::create(1, Vec2(0, 30)), cocos2d::Hide::create(), nullptr));
    m_pLossLabel = loss;
    SetNumber(m_pAwardNum, award);
    flight = 0.5f;
    m_iSteps = 0;
  }
  m_iCurAward = award;
  After(static_cast<float>(m_iSteps) * kStepSeconds + flight + 0.5f, [this] { OnLevelEnd(); });
}

void DDZSmallGameLayer::FlyYuanbao(DDZSmallGameCard* card) {
  cocos2d::Sprite* icon = cocos2d::Sprite::createWithSpriteFrameName(kYuanbaoFrame);
  if (icon == nullptr) {
    StepAwardNum();
    return;
  }
  const Vec2 from = (card != nullptr ? card->getPosition() : g_ptHatCardPos) +
                    Vec2(static_cast<float>(ddz::os::Rand() % 70 - 35), static_cast<float>(ddz::os::Rand() % 70 - 35));
  icon->setPosition(from);
  icon->setOpacity(0);
  icon->setScale(0);
  addChild(icon, 14);
  const float f = from.distance(g_ptPresentAwardYBPos) / kIconFlightSpeed;
  icon->runAction(cocos2d::Sequence::create(
      cocos2d::Spawn::create(cocos2d::FadeIn::create(0.3f), cocos2d::ScaleTo::create(0.3f, 1.5f), nullptr),
      cocos2d::Spawn::create(cocos2d::MoveTo::create(f, g_ptPresentAwardYBPos), cocos2d::ScaleTo::create(f, 1.0f),
                             cocos2d::Sequence::create(cocos2d::DelayTime::create(0.75f * f),
                                                       cocos2d::FadeTo::create(0.25f * f, 30), nullptr),
                             nullptr),
      cocos2d::CallFunc::create([this] { StepAwardNum(); }), cocos2d::RemoveSelf::create(), nullptr));
}

namespace {

// Stops the icon's actions and scales it back to 1; with `tag`, first checks
// that no pulse of that tag still runs, then plays the coin and runs one.
void Pulse(cocos2d::Sprite* icon, int tag, std::initializer_list<float> scales, float each) {
  if (icon == nullptr) return;
  cocos2d::Action* running = icon->getActionByTag(tag);
  if (running != nullptr && !running->isDone()) return;
  ddz::smallgame::PlaySound("ddz_sg_add_yb.mp3");
  icon->stopAllActions();
  icon->setScale(1);
  cocos2d::Vector<cocos2d::FiniteTimeAction*> steps;
  for (float s : scales) steps.pushBack(cocos2d::ScaleTo::create(each, s));
  cocos2d::Action* pulse = cocos2d::Sequence::create(steps);
  pulse->setTag(tag);
  icon->runAction(pulse);
}

void ResetIcon(cocos2d::Sprite* icon) {
  if (icon == nullptr) return;
  icon->stopAllActions();
  icon->setScale(1);
}

}  // namespace

void DDZSmallGameLayer::StepAwardNum() {
  m_fAwardShown += m_fAwardStep;
  if (m_fAwardTarget > m_fAwardStart) {
    SetNumber(m_pAwardNum, std::min(static_cast<int>(m_fAwardShown), m_iCurAward));
    Pulse(m_pAwardIcon, kAwardIconTag, {1.4f, 1.2f, 1.5f, 1.0f}, 1.0f / 70);
  } else if (m_fAwardTarget < m_fAwardStart) {
    SetNumber(m_pAwardNum, std::max(static_cast<int>(m_fAwardShown), m_iCurAward));
    ResetIcon(m_pAwardIcon);
  } else {
    SetNumber(m_pAwardNum, m_iCurAward);
  }
}

void DDZSmallGameLayer::ShowAwardNum() {
  SetNumber(m_pAwardNum, m_iCurAward);
  ResetIcon(m_pAwardIcon);
}

void DDZSmallGameLayer::StepPlayerYBNum() {
  m_fPlayerShown += m_fPlayerStep;
  if (m_fPlayerShown < m_fPlayerTarget) {
    SetNumber(m_pPlayerNum, static_cast<int>(m_fPlayerShown));
    Pulse(m_pPlayerIcon, kPlayerIconTag, {1.3f, 1.1f, 1.4f, 1.0f}, 1.0f / 60);
  } else {
    SetNumber(m_pPlayerNum, static_cast<int>(m_fPlayerTarget));
    ResetIcon(m_pPlayerIcon);
  }
}

void DDZSmallGameLayer::ShowPlayerYBNum() { SetNumber(m_pPlayerNum, m_iPlayerYuanbao); }

void DDZSmallGameLayer::OnLevelEnd() {
  SetNumber(m_pAwardNum, m_iCurAward);
  if (m_iLevelNo < m_iRecordCount) {
    m_ePhase = Phase::kLevel;
    for (DDZSmallGameCard* card : m_pCards) {
      if (card == nullptr) continue;
      if (card->GetShadow() != nullptr) card->GetShadow()->setVisible(false);
      card->runAction(cocos2d::Spawn::create(cocos2d::MoveTo::create(0.5f, g_ptHatCardPos),
                                             cocos2d::RotateBy::create(0.5f, 360),
                                             cocos2d::ScaleTo::create(0.5f, 0.1f), nullptr));
    }
    if (m_pHatCard != nullptr)
      m_pHatCard->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(0.3f),
                                                      cocos2d::FadeTo::create(0.2f, 255), nullptr));
    After(1, [this] { StartLevel(); });
    return;
  }
  ShowGameResult();
}

void DDZSmallGameLayer::ShowGameResult() {
  m_ePhase = Phase::kResult;
  m_pHelpLayer->HideRule(nullptr);
  m_pHelpLayer->setTouchEnabled(false);
  // With no records there is no last level: the present award stands, not won.
  const bool win = m_bBigAwardFlag && m_iRecordCount > 0;
  int amount = m_iCurAward;
  if (m_iRecordCount > 0) amount = m_Records[static_cast<std::size_t>(m_iRecordCount - 1)].award;
  if (win) {
    for (int i = 0; i < m_iLevelCount; ++i) m_pLevelBoards[static_cast<std::size_t>(i)]->PlayAnimation(true);
    m_pBigAwardBoard->PlayAnimation(true);
    amount = ddz::os::SaturatingAdd(amount, m_iBigAward);
  }
  m_iCurAward = amount;
  m_pResultLayer = DDZSmallGameResultLayer::create(win, amount, this);
  addChild(m_pResultLayer, 99);
  m_iLevelNo = m_iRecordCount + 1;
  m_pHelpLayer->StartClock(kWaitSeconds, 1, kWarnAt);
  if (amount < 1) return;

  const int steps = std::max(1, CountSteps(amount));
  m_fAwardTarget = 0;
  m_fAwardShown = m_fAwardStart = static_cast<float>(amount);
  m_fAwardStep = -static_cast<float>(amount) / static_cast<float>(steps);
  m_iCurAward = 0;
  m_fPlayerShown = m_fPlayerStart = static_cast<float>(m_iPlayerYuanbao);
  m_iPlayerYuanbao = ddz::os::SaturatingAdd(m_iPlayerYuanbao, amount);
  m_fPlayerTarget = static_cast<float>(m_iPlayerYuanbao);
  m_fPlayerStep = static_cast<float>(amount) / static_cast<float>(steps);
  cocos2d::Vector<cocos2d::FiniteTimeAction*> award, player;
  award.pushBack(cocos2d::DelayTime::create(kResultCountDelay));
  player.pushBack(cocos2d::DelayTime::create(kResultCountDelay));
  for (int i = 0; i < steps; ++i) {
    award.pushBack(cocos2d::CallFunc::create([this] { StepAwardNum(); }));
    award.pushBack(cocos2d::DelayTime::create(kResultStepSeconds));
    player.pushBack(cocos2d::CallFunc::create([this] { StepPlayerYBNum(); }));
    player.pushBack(cocos2d::DelayTime::create(kResultStepSeconds));
  }
  award.pushBack(cocos2d::CallFunc::create([this] { ShowAwardNum(); }));
  player.pushBack(cocos2d::CallFunc::create([this] { ShowPlayerYBNum(); }));
  runAction(cocos2d::Sequence::create(award));
  runAction(cocos2d::Sequence::create(player));
}

// ---------------------------------------------------------------- leaving

void DDZSmallGameLayer::LeaveSmallGame() {
  if (m_ePhase == Phase::kLeaving || m_ePhase == Phase::kClosed) return;
  m_ePhase = Phase::kLeaving;
  stopAllActions();
  unscheduleAllCallbacks();
  ShowAwardNum();
  ShowPlayerYBNum();
  runAction(cocos2d::Sequence::create(
      cocos2d::MoveTo::create(kSlideSeconds, Vec2(getPositionX(), static_cast<float>(BasePT::g_iWindowHeight))),
      cocos2d::CallFunc::create([this] { OnLeaveEnd(); }), nullptr));
  m_pHelpLayer->StopClock();
  if (m_pResultLayer != nullptr)
    m_pResultLayer->runAction(
        cocos2d::Sequence::create(cocos2d::DelayTime::create(kSlideSeconds), cocos2d::Hide::create(), nullptr));
}

void DDZSmallGameLayer::OnLeaveEnd() {
  int reason = 0;
  if (m_iMode == 2) reason = m_bPlayed ? 2 : 1;
  // The view holds its own reference to the end of the frame.
  DDZGameView* view = m_pView;
  removeFromParent();
  if (view != nullptr) view->CloseSmallGame(reason);
}

// ---------------------------------------------------------------- the maker

ISmallGameLayer* DDZSmallGameMaker::MakeSmallGameLayer(DDZGameView* view) { return DDZSmallGameLayer::create(view); }

DDZSmallGameMaker* DDZSmallGameMaker::Shared() {
  static DDZSmallGameMaker maker;
  return &maker;
}
