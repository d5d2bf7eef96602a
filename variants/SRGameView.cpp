// SRGameView: construction, entering and building the table, the teardown,
// the touches on the other players' heads, the table reset between hands and
// the start button. The hand's messages are in SRGameViewHand.cpp, the game
// base's notices in SRGameViewEvents.cpp, the re-login and the result in
// SRGameViewResult.cpp.
#include "variants/SRGameView.h"

#include <array>
#include <cstdio>

#include "cards/BaseCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SRDealCard.h"
#include "cards/SRSelfHandCard.h"
#include "cards/SRShowCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/Event.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiBase.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/SRResultLayer.h"
#include "widgets/SRTopUI.h"
#include "widgets/TalkLayer.h"

using cocos2d::Vec2;

std::uint64_t SRGameView::s_uLastTouchMs = 0;

namespace {

// z-orders of the table's pieces.
constexpr int kZBackground = -100;
constexpr int kZChair = -99;
constexpr int kZTable = -50;
constexpr int kZBands = -40;
constexpr int kZTopBar = 102;
constexpr int kZBottomBar = 1;
constexpr int kZTalkTip = 101;
constexpr int kZTopBull = 104;
constexpr int kZActivity = 105;
constexpr int kZInfoPopup = 103;
constexpr int kZOwnHand = 100;
constexpr int kZOwnRow = 2;
constexpr int kZClock = 4;
constexpr int kZStartButton = 10;
constexpr int kZBaseCard = 1;

constexpr const char* kBackground = "veriz_bg.jpg";
constexpr const char* kTable = "veriz_table.png";
constexpr const char* kChair = "veriz_chair.png";
constexpr const char* kBandUp = "veriz_bg_up.png";
constexpr const char* kBandDown = "veriz_bg_down.png";
constexpr float kBandUpBelowTop = 24;
constexpr float kBandDownY = 96;
constexpr float kActivityX = 240;
constexpr float kActivityBelowTop = 50;

constexpr const char* kStartFace = "qorvddz_btn_normal_1.png";
constexpr const char* kStartWord = "qorvddz_btn_word_start.png";
constexpr int kStartSound = 6;

constexpr const char* kKeyCardCounterGuide = "CARD_COUNTER_GUIDE_SHOW";

float WindowWidth() { return static_cast<float>(BasePT::g_iWindowWidth); }
float WindowHeight() { return static_cast<float>(BasePT::g_iWindowHeight); }

}  // namespace

// ---------------------------------------------------------------- life

SRGameView::SRGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoading) : DDZGameView(pGameScene, pLoading) {
  ddz::EnsureGameTextLoaded();
  SetPlayerCount(kPlayerCount);
  const bool judgeIp5 = pGameScene != nullptr && pGameScene->JudgeIP5Conf();
  const bool sceneIpad = pGameScene != nullptr && pGameScene->m_bIsIpad != 0;
  LoadGamePositionInfo(ddz::ChooseLayoutFile(judgeIp5, OsApiBase::shareOsApi()->GetDeviceModel().c_str(), sceneIpad));
  m_TableItem.Clear();
  m_bForeGroundFlag = 1;
  m_pDoubleSign = std::make_unique<DoubleSignFlight>(this, DoubleSignFlight::kFourSeats);
}

SRGameView::~SRGameView() {
  m_pDoubleSign.reset();
  m_vcWidgets.clear();
}

void SRGameView::onEnter() {
  GameViewBase::onEnter();
  // The table's sprite sheets are the classic table's.
  for (const char* sheet : TableSheets()) AddPlist(sheet);
  setTouchEnabled(true, false);
  CallBackLoadingEnd();
}

void SRGameView::onExit() {
  GameViewBase::onExit();
  CancelIdleKick();
  CancelAutoChangeDesk();
  unschedule(schedule_selector(SRGameView::OnBaseCardsSettled));
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  if (m_pTalkTip != nullptr) m_pTalkTip->StopFreeTip();
  // Every widget leaves the table; the view gives its references back, so the
  // next entry builds a new table.
  for (cocos2d::Node* widget : m_vcWidgets)
    if (widget->getParent() != nullptr) widget->removeFromParent();
  for (int seat = 0; seat < kMaxSeats; ++seat) {
    m_pPlayerShow[seat] = nullptr;
    m_pHandCard[seat] = nullptr;
    m_pSendCard[seat] = nullptr;
    m_pPlayerGameInfo[seat] = nullptr;
    m_pOtherPlayerInfo[seat] = nullptr;
  }
  m_pBaseCard = nullptr;
  m_pTopUI = nullptr;
  m_pBottomUI = nullptr;
  m_pGameClock = nullptr;
  m_pResultLayer = nullptr;
  m_pTalkTip = nullptr;
  m_pDealCard = nullptr;
  m_pActivityLayer = nullptr;
  m_pTopBull = nullptr;
  m_pShowCard = nullptr;
  if (m_pBtnStart != nullptr) m_pBtnStart->removeFromParent();
  m_pBtnStart = nullptr;
  m_vcWidgets.clear();
  ReleaseHeldWidgets();  // what scripts put into the slots
}

// ---------------------------------------------------------------- building the table

void SRGameView::CallBackLoadingEnd() {
  BuildBackground();
  auto* top = Keep(SRTopUI::create(this));
  m_pTopUI = top;
  addChild(top, kZTopBar);
  m_pBottomUI = Keep(BottomUI::create(this));
  addChild(m_pBottomUI, kZBottomBar);
  m_pTalkTip = Keep(TalkTip::create());
  addChild(m_pTalkTip, kZTalkTip);
  m_pTopBull = Keep(LobbyTopBull::create());
  m_pTopBull->setPosition(Vec2(WindowWidth() / 2, WindowHeight()) + g_ptGameBullUI);
  addChild(m_pTopBull, kZTopBull);
  m_pActivityLayer = Keep(ActivityLayer::create());
  m_pActivityLayer->setPosition(Vec2(kActivityX, WindowHeight() - kActivityBelowTop));
  addChild(m_pActivityLayer, kZActivity);

  for (int seat = 0; seat < kPlayerCount; ++seat) BuildSeatWidgets(seat);
  m_pBaseCard = Keep(new BaseCard(this));
  m_pBaseCard->autorelease();
  m_pBaseCard->setPosition(g_ptSRBaseCard);
  addChild(m_pBaseCard, kZBaseCard);
  BuildSelfHand();
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat != kOwnSeat) {
      auto* backs = Keep(new OtherHandCard(seat));
      backs->autorelease();
      m_pHandCard[seat] = backs;
    }
    auto* row = Keep(new SendCard(seat, g_ptSRSendCard[seat], g_fSRSendCardScale));
    row->autorelease();
    m_pSendCard[seat] = row;
  }
  BuildDeal();

  m_pBtnStart = cocos2d::ui::Button::createWithExtraAbove(kStartFace, "", "", kStartWord,
                                                          cocos2d::ui::Widget::TextureResType::PLIST);
  m_pBtnStart->setPosition(g_ptBtnStart);
  m_pBtnStart->setVisible(false);
  m_pBtnStart->setTouchEnabled(true);
  m_pBtnStart->addClickEventListener([this](cocos2d::Ref* sender) { OnBtnStart(sender); });
  addChild(m_pBtnStart, kZStartButton);

  addChild(m_pHandCard[kOwnSeat], kZOwnHand);
  addChild(m_pSendCard[kOwnSeat], kZOwnRow);
  addChild(m_pPlayerGameInfo[kOwnSeat], kZOwnRow);
  BuildClock();
  m_pShowCard = Keep(new SRShowCard());
  m_pShowCard->autorelease();
  m_pResultLayer = Keep(SRResultLayer::create(this));

  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  defaults->setBoolForKey(kKeyCardCounterGuide, true);
  defaults->flush();
  GameViewBase::CallBackLoadingEnd();

  // No local server plays this table: the player is told and leaves.
  variantnotice::RefuseWithoutLocalServer(*this, GameText(kTextNoSinglePlayer));
}

void SRGameView::BuildBackground() {
  const Vec2 centre(WindowWidth() / 2, WindowHeight() / 2);
  if (cocos2d::Sprite* bg = YndImageSprite::spriteWithFile(kBackground)) {
    bg->setPosition(centre);
    addChild(Keep<cocos2d::Node>(bg), kZBackground);
  }
  const struct {
    const char* frame;
    Vec2 at;
    int z;
    bool band;
  } pieces[] = {
      {kTable, g_ptBgTable, kZTable, false},
      {kChair, g_ptBgChair, kZChair, false},
      {kBandUp, Vec2(WindowWidth() / 2, WindowHeight() - kBandUpBelowTop), kZBands, true},
      {kBandDown, Vec2(WindowWidth() / 2, kBandDownY), kZBands, true},
  };
  for (const auto& piece : pieces) {
    cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(piece.frame);
    if (sprite == nullptr) sprite = YndImageSprite::spriteWithFile(piece.frame);
    if (sprite == nullptr) {
      cocos2d::log("SRGameView: background piece %s is missing", piece.frame);
      continue;
    }
    sprite->setPosition(piece.at);
    // The bands run across the window, no further.
    if (piece.band && sprite->getContentSize().width > 0)
      sprite->setScaleX(static_cast<float>(WindowWidth()) / sprite->getContentSize().width);
    addChild(Keep<cocos2d::Node>(sprite), piece.z);
  }
}

void SRGameView::BuildSeatWidgets(int seat) {
  PlayerShow* head = Keep(PlayerShow::create(seat));
  m_pPlayerShow[seat] = head;
  if (seat == kOwnSeat) {
    head->IniImage(m_GlobalInfo.iHeadID, g_ptPlayerHead[seat], g_fSRPlayerHeadScale[seat], Vec2::ZERO);
    addChild(head, 0);
    head->setVisible(false);
  } else {
    head->IniImage(-1, g_ptPlayerHead[seat], g_fSRPlayerHeadScale[seat], Vec2::ZERO);
  }
  auto* info = Keep(new PlayerGameInfo(seat));
  info->autorelease();
  m_pPlayerGameInfo[seat] = info;
  if (seat != kOwnSeat) {
    auto* popup = Keep(new OtherPlayerInfo(seat, this));
    popup->autorelease();
    m_pOtherPlayerInfo[seat] = popup;
    addChild(popup, kZInfoPopup);
  }
}

void SRGameView::BuildSelfHand() {
  Forget(m_pHandCard[kOwnSeat]);
  auto* hand = Keep(new SRSelfHandCard(this));
  hand->autorelease();
  m_pHandCard[kOwnSeat] = hand;
}

void SRGameView::BuildClock() {
  Forget(m_pGameClock);
  m_pGameClock = Keep(new GameClock(m_pHandCard[kOwnSeat], GetGameKind()));
  m_pGameClock->autorelease();
  addChild(m_pGameClock, kZClock);
}

void SRGameView::BuildDeal() {
  std::array<Vell_SpriteCardManage*, DealCard::kSeatSlots> rows{};
  for (int seat = 0; seat < kPlayerCount; ++seat) rows[seat] = m_pHandCard[seat];
  Forget(m_pDealCard);
  auto* deal = Keep(new SRDealCard(this, rows, m_pBaseCard));
  deal->autorelease();
  m_pDealCard = deal;
}

// Scripts can fill these slots with widgets of another kind: what is not this
// table's own kind is no top bar, own hand or deal of it.
SRTopUI* SRGameView::GetTopBar() const { return dynamic_cast<SRTopUI*>(m_pTopUI); }
SRSelfHandCard* SRGameView::GetSelfHand() const { return dynamic_cast<SRSelfHandCard*>(m_pHandCard[kOwnSeat]); }
SRDealCard* SRGameView::GetDeal() const { return dynamic_cast<SRDealCard*>(m_pDealCard); }
SRResultLayer* SRGameView::GetResultLayer() const { return dynamic_cast<SRResultLayer*>(m_pResultLayer); }

bool SRGameView::SetResultLayerFromScript(YndGameLayer* layer) {
  // The table's own window stays kept with its other widgets.
  return PutResultLayerOfKind<SRResultLayer>(layer, false);
}

// ---------------------------------------------------------------- touches

void SRGameView::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || touches.front() == nullptr) return;
  static bool touchSeen = false;
  const std::uint64_t now = ddz::os::Clock().NowMs();
  if (touchSeen && now >= s_uLastTouchMs && now - s_uLastTouchMs < kTouchGapMs) return;
  touchSeen = true;
  s_uLastTouchMs = now;

  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  Vec2 point = convertToNodeSpace(touches.front()->getLocation());
  if (scale > 0) point = Vec2(point.x / scale, point.y / scale);
  int hit = -1;
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat || m_pPlayerShow[seat] == nullptr || !m_pPlayerShow[seat]->isRunning()) continue;
    const Vec2& corner = g_ptTipsPlayerInfo[seat];
    if (point.x < corner.x || point.x > corner.x + kHeadTouchWidth || point.y < corner.y ||
        point.y > corner.y + kHeadTouchHeight) {
      continue;
    }
    hit = seat;
    OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
    if (popup != nullptr && popup->isRunning()) popup->ShowInfo(true);
  }
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat || seat == hit || GetPlayerNode(seat) == nullptr) continue;
    OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
    if (popup == nullptr || !popup->isRunning()) continue;
    popup->unscheduleUpdate();
    popup->setVisible(false);
  }
}

// ---------------------------------------------------------------- reset and start

void SRGameView::ResetTable() {
  m_TableItem.Clear();
  CancelIdleKick();
  CancelAutoChangeDesk();
  unschedule(schedule_selector(SRGameView::OnBaseCardsSettled));
  SRSelfHandCard* hand = GetSelfHand();
  if (hand != nullptr) hand->setTouchEnabled(false, false);
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    m_iRowRole[seat] = 0;
    if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
    if (m_pHandCard[seat] != nullptr) m_pHandCard[seat]->RemoveAllCards();
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ResetAll();
  }
  if (hand != nullptr) {
    hand->CloseTurns();
    hand->SetAutomatic(false);
    hand->SetCannotBeat(false);
    hand->SetTurnStarted(false);
    hand->SetRole(-1);
    hand->SetGoldenRank(-1);
  }
  if (m_pBaseCard != nullptr) {
    m_pBaseCard->RemoveAllCard();
    m_pBaseCard->setVisible(true);
  }
  StopClock();
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(-1);
    m_pTopUI->SetTimes(-1, false);
    m_pTopUI->ClearJQPCard();
    m_pTopUI->SetCardCountBtnEnabled(false);
  }
  if (m_pShowCard != nullptr) {
    m_pShowCard->RemoveAllCards();
    if (m_pShowCard->getParent() != nullptr) m_pShowCard->removeFromParent();
  }
  GameMsgBox::shareMessageBox()->CloseDialog(0);
}

void SRGameView::OnBtnStart(cocos2d::Ref*) {
  char sound[32];
  std::snprintf(sound, sizeof sound, "ddzSound/%d.mp3", kStartSound);
  SoundManage::shareSoundManage()->PlaySoundByFile(sound);
  if (IsSinglePlayer() && m_pTalkTip != nullptr) m_pTalkTip->StartFreeTip();
  CancelIdleKick();
  if (m_pBtnStart != nullptr) m_pBtnStart->setVisible(false);
  SendSitReq();
}

void SRGameView::OnRoundStart() {
  if (m_pBtnStart != nullptr) m_pBtnStart->setVisible(true);
  StartIdleKick();
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  PlayBackgroundMusic();
}

bool SRGameView::IsSettlePending() const { return isScheduled(schedule_selector(SRGameView::OnBaseCardsSettled)); }
