// SuperGameView: construction, the fixed widgets and the seat widgets of the
// mode, entering and leaving the scene, and the game base's notices (login,
// the sit request, seats, ready and the lone-player change, announcements,
// quick chat, red packets, background and foreground).
#include "variants/SuperGameView.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>
#include <string_view>

#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/ErYieldCardLayer.h"
#include "cards/OtherHandCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultLayer.h"
#include "widgets/RuleFiles.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;

namespace {

float WindowWidth() { return static_cast<float>(BasePT::g_iWindowWidth); }
float WindowHeight() { return static_cast<float>(BasePT::g_iWindowHeight); }

constexpr const char* kBackground = "cjddz_bg.jpg";
constexpr const char* kTableImage = "cjddz_table.png";
constexpr const char* kChair = "cjddz_chair.png";
constexpr const char* kHandSprite = "erddz_qp.png";
// The call-and-rob board's digits, right of the board's word.
const Vec2 kBoardDigits{78, 24};
constexpr int kZBackground = -100;
constexpr int kZTable = -50;
constexpr int kZChair = -99;
constexpr int kZBottomBar = 102;
constexpr int kZTalkTip = 106;
constexpr int kZBulletin = 106;
constexpr int kZActivity = 105;
constexpr int kZTopBar = 105;
constexpr int kZGameTips = 105;
constexpr int kZBaseCard = 1;
constexpr int kZOwnHand = 101;
constexpr int kZOwnPlayed = 3;
constexpr int kZOwnInfo = 100;
constexpr int kZClock = 4;
constexpr int kZInfoPopup = 103;
constexpr int kZHead = -80;
constexpr int kZSeatInfo = 2;
constexpr int kZSeatHand = 1;
constexpr int kZSeatPlayed = 3;
// Above the seats, under the result panel (kZResult) and the bars.
constexpr int kZYield = 103;
constexpr float kPlayedRowScale = 0.6f;
constexpr float kBulletinBelowTop = 120;
constexpr float kActivityX = 60;
constexpr float kActivityBelowTop = 70;
constexpr int kStartSound = 6;
constexpr float kSelfHandXShare = 0.0909f;
// The two-seat opponent's hand sign stands left of and above the four-player
// table's top played row (which sits right of the centre, clear of the
// bottom cards there); its played cards a little right of and above the sign.
const Vec2 kOpponentSignShift{-100, 30};
const Vec2 kOpponentPlayedDrop{-20, -20};
const Vec2 kTwoSeatBaseCardShift{300, 0};
constexpr float kSelfHandY = 70;
constexpr float kSelfHandScale = 0.818182f;

const std::array<int, 3> kSitMilestones = {3, 5, 10};
const std::array<int, 3> kSitMilestoneCodes = {150, 160, 170};

}  // namespace

// ---------------------------------------------------------------- life

SuperGameView::SuperGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer, int flag)
    : DDZGameView(pGameScene, pLoadingLayer) {
  ddz::EnsureGameTextLoaded();
  if (!LoadTextLines(ddz::kSuperGameTextFile, g_vecSuperGameText))
    cocos2d::log("SuperGameView: %s could not be read", ddz::kSuperGameTextFile);
  ddz::os::Srand(static_cast<std::uint32_t>(ddz::os::Clock().WallTimeSeconds()));
  SetPlayerCount(3);
  m_iPlayerCountMode = kNoMode;
  m_iGameMode = kNoMode;
  const bool judgeIp5 = pGameScene != nullptr && pGameScene->JudgeIP5Conf();
  const bool sceneIpad = pGameScene != nullptr && pGameScene->m_bIsIpad != 0;
  LoadGamePositionInfo(ddz::ChooseLayoutFile(judgeIp5, OsApiBase::shareOsApi()->GetDeviceModel().c_str(), sceneIpad));
  m_TableItem.Clear();
  if (flag == 1) m_bEnterFlag = 0;
  m_bForeGroundFlag = 1;
  m_pDoubleSign = std::make_unique<DoubleSignFlight>(this);
  LoadSingleGameStats();
  // The special rules are read once per process; a file without any still
  // leaves its empty first kind in the table.
  if (g_mapSpecialRules.empty()) LoadSpecialRules();
}

SuperGameView::~SuperGameView() {
  SuperSelfHandCard::ForgetTable(this);
  m_pDoubleSign.reset();
}

int SuperGameView::GetGameKind() {
  switch (m_iPlayerCountMode) {
    case ddz::PlayerCountMode::TwoSeat: return kKindTwoSeats;
    case ddz::PlayerCountMode::ThreeSeatWildcard: return kKindCallRob;
    default: return kKindScore;
  }
}

int SuperGameView::PlaceOf(int seat) const {
  return m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && seat == 0 ? kOpponentPlace : seat;
}

SuperSelfHandCard* SuperGameView::GetSelfHand() const { return dynamic_cast<SuperSelfHandCard*>(m_pHandCard[kOwnSeat]); }

int SuperGameView::GetClockSecondsLeft() const { return m_pGameClock != nullptr ? m_pGameClock->getClockTime() : 0; }

ResultLayer* SuperGameView::GetResultScreen() const { return dynamic_cast<ResultLayer*>(m_pResultLayer); }

bool SuperGameView::SetResultLayerFromScript(YndGameLayer* layer) {
  return PutResultLayerOfKind<ResultLayer>(layer, true);
}

// ---------------------------------------------------------------- entering and leaving

void SuperGameView::onEnter() {
  DDZGameView::onEnter();
  // The card, seat and panel sheets are the classic table's.
  for (const char* sheet : TableSheets()) AddPlist(sheet);
  RecordLoseAmount();
  // A touch on another player's head opens the player's info.
  cocos2d::Layer::setTouchEnabled(true);
  m_iAmountCap = 0;
  m_bTableBuilt = false;
  LoadTodayPlayNum();
  CallBackLoadingEnd();
  if (m_pSuperTopUI != nullptr && m_pSuperTopUI->isRunning()) m_pSuperTopUI->SetBtnOnState(true);
  if (IsSinglePlayer() && m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(nullptr);
}

void SuperGameView::onExit() {
  DDZGameView::onExit();
  CancelPendingSelectors();
  ReleaseTable();
  m_iPlayerCountMode = kNoMode;
  m_iGameMode = kNoMode;
  if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny()) frame->SetHelpBtnCallBack(nullptr);
}

void SuperGameView::CancelPendingSelectors() {
  unschedule(schedule_selector(SuperGameView::SendSitReqOnce));
  unschedule(schedule_selector(SuperGameView::OnBaseCardTimer));
  CancelAutoChangeDesk();
  CancelIdleKick();
}

void SuperGameView::ReleaseTable() {
  SaveTodayPlayNum();
  LowerResultLock();
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  auto drop = [](auto*& slot) {
    if (slot == nullptr) return;
    if (static_cast<cocos2d::Node*>(slot)->getParent() != nullptr) static_cast<cocos2d::Node*>(slot)->removeFromParent();
    slot = nullptr;
  };
  // Seat 3 of the two-seat table points at seat 0's widgets.
  const bool sharedFourth = m_pPlayerShow[kOpponentPlace] != nullptr && m_pPlayerShow[kOpponentPlace] == m_pPlayerShow[0];
  for (int seat = 0; seat < kMaxSeats; ++seat) {
    if (seat == kOpponentPlace && sharedFourth) {
      m_pPlayerShow[seat] = nullptr;
      m_pPlayerGameInfo[seat] = nullptr;
      m_pHandCard[seat] = nullptr;
      m_pSendCard[seat] = nullptr;
      m_pMingCard[seat] = nullptr;
      m_pOtherPlayerInfo[seat] = nullptr;
      continue;
    }
    drop(m_pPlayerShow[seat]);
    drop(m_pPlayerGameInfo[seat]);
    drop(m_pHandCard[seat]);
    drop(m_pSendCard[seat]);
    drop(m_pMingCard[seat]);
    drop(m_pOtherPlayerInfo[seat]);
  }
  drop(m_pBaseCard);
  drop(m_pDealCard);
  drop(m_pSuperTopUI);
  m_pTopUI = nullptr;
  drop(m_pBottomUI);
  drop(m_pGameClock);
  if (m_pResultLayer != nullptr) {
    if (m_pResultLayer->getParent() != nullptr) m_pResultLayer->removeFromParent();
    m_pResultLayer->release();
    m_pResultLayer = nullptr;
  }
  drop(m_pTaskUI);
  drop(m_pTalkTip);
  drop(m_pGameBull);
  drop(m_pGameTips);
  drop(m_pActivityLayer);
  drop(m_pYieldLayer);
  drop(m_pExtraShowCard);
  drop(m_pHandSprite);
  drop(m_pRulesButton);
  drop(m_pBgWord);
  m_bTableBuilt = false;
  m_bHandRunning = false;
  SetPlayerCount(3);
}

// ---------------------------------------------------------------- building

void SuperGameView::CallBackLoadingEnd() {
  PlayBackgroundMusic();
  if (m_pBottomUI == nullptr) {
    const Vec2 centre(WindowWidth() / 2, WindowHeight() / 2);
    if (cocos2d::Sprite* bg = YndImageSprite::spriteWithFile(kBackground)) {
      bg->setPosition(centre);
      addChild(bg, kZBackground);
    }
    if (cocos2d::Sprite* table = YndImageSprite::spriteWithFile(kTableImage)) {
      table->setPosition(centre);
      addChild(table, kZTable);
    }
    m_pBottomUI = BottomUI::create(this);
    AddTableWidget(m_pBottomUI, kZBottomBar);
    m_pTalkTip = TalkTip::create();
    AddTableWidget(m_pTalkTip, kZTalkTip);
    m_pGameBull = LobbyTopBull::create();
    m_pGameBull->setPosition(Vec2(WindowWidth() / 2, WindowHeight() - kBulletinBelowTop) + g_ptGameBullUI);
    AddTableWidget(m_pGameBull, kZBulletin);
    m_pActivityLayer = ActivityLayer::create();
    m_pActivityLayer->setPosition(Vec2(kActivityX, WindowHeight() - kActivityBelowTop));
    AddTableWidget(m_pActivityLayer, kZActivity);
  }
  BuildTableForMode();
  if (m_pResultLayer == nullptr) {
    m_pResultLayer = ResultLayer::create(this);
    m_pResultLayer->retain();
  }
  if (m_pGameTips == nullptr) {
    m_pGameTips = GameTips::create();
    AddTableWidget(m_pGameTips, kZGameTips);
  }
  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  defaults->setBoolForKey("TASK_GUIDE_ANI_SHOW", true);
  defaults->setBoolForKey("CARD_COUNTER_GUIDE_SHOW", true);
  defaults->flush();
  GameViewBase::CallBackLoadingEnd();
  // No local server plays this table: the player is told and leaves.
  m_bNoSinglePlayerGame = variantnotice::RefuseWithoutLocalServer(*this, SuperGameText(kTextNoSinglePlayer));
}

void SuperGameView::BuildTableForMode() {
  if (m_bTableBuilt || !isRunning() || m_iPlayerCountMode == kNoMode) return;
  m_bTableBuilt = true;
  const bool twoSeats = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat;
  m_pSuperTopUI = TopUI::create(this);
  m_pTopUI = m_pSuperTopUI;
  AddTableWidget(m_pSuperTopUI, kZTopBar);
  if (m_iPlayerCountMode == 1 || twoSeats) m_pSuperTopUI->ShowTimesBoard();
  NameTheScoreFigures();

  m_pBaseCard = new BaseCard(this);
  m_pBaseCard->autorelease();
  AddTableWidget(m_pBaseCard, kZBaseCard);

  // A chair behind each other seat's head: the left one flipped.
  const std::vector<int> chairPlaces = twoSeats ? std::vector<int>{kOpponentPlace} : std::vector<int>{0, 2};
  for (int place : chairPlaces) {
    cocos2d::Sprite* chair = cocos2d::Sprite::createWithSpriteFrameName(kChair);
    if (chair == nullptr) continue;
    // Behind the head, but the whole chair inside the window.
    const float half = chair->getContentSize().width / 2;
    chair->setPosition(std::clamp(g_ptPlayerHead[place].x, half, WindowWidth() - half), g_ptPlayerHead[place].y);
    if (place == 0) chair->setFlippedX(true);
    addChild(chair, kZChair);
  }
  // The two-seat opponent sits at the top, its card backs over the middle:
  // the bottom cards lie right of them, where the third seat would sit.
  m_pBaseCard->setPosition(g_ptNormalBaseCard + (twoSeats ? kTwoSeatBaseCardShift : Vec2::ZERO));

  for (int seat = 0; seat < 3; ++seat) {
    if (twoSeats && seat == 2) continue;
    BuildSeat(seat);
  }
  if (twoSeats) {
    m_pPlayerShow[kOpponentPlace] = m_pPlayerShow[0];
    m_pPlayerGameInfo[kOpponentPlace] = m_pPlayerGameInfo[0];
    m_pHandCard[kOpponentPlace] = m_pHandCard[0];
    m_pSendCard[kOpponentPlace] = m_pSendCard[0];
    m_pMingCard[kOpponentPlace] = m_pMingCard[0];
    m_pOtherPlayerInfo[kOpponentPlace] = m_pOtherPlayerInfo[0];
    m_pHandSprite = cocos2d::Sprite::createWithSpriteFrameName(kHandSprite);
    if (m_pHandSprite != nullptr) {
      m_pHandSprite->setVisible(false);
      m_pHandSprite->setPosition(g_ptSRSendCard[kOpponentPlace] + kOpponentSignShift);
      addChild(m_pHandSprite, kZChair + 1);
    }
  }

  std::array<Vell_SpriteCardManage*, DealCard::kSeatSlots> rows{};
  for (int seat = 0; seat < 3; ++seat) rows[seat] = twoSeats && seat == 2 ? nullptr : m_pHandCard[seat];
  auto* deal = new DealCard(this, rows, m_pBaseCard);
  deal->autorelease();
  deal->SetSeatCount(twoSeats ? 2 : 3);
  m_pDealCard = deal;
  AddTableWidget(deal, 0);

  AddTableWidget(m_pHandCard[kOwnSeat], kZOwnHand);
  AddTableWidget(m_pSendCard[kOwnSeat], kZOwnPlayed);
  AddTableWidget(m_pPlayerGameInfo[kOwnSeat], kZOwnInfo);
  m_pGameClock = new GameClock(m_pHandCard[kOwnSeat], GetGameKind());
  m_pGameClock->autorelease();
  AddTableWidget(m_pGameClock, kZClock);
}

void SuperGameView::NameTheScoreFigures() {
  // The call-and-rob board carries its word: its digits stand right of it.
  if (cocos2d::ui::TextAtlas* digits = m_pSuperTopUI->GetTimesAtlas()) {
    digits->setPosition(kBoardDigits);
    return;
  }
  m_pSuperTopUI->CaptionScores();
}

void SuperGameView::BuildSeat(int seat) {
  const int place = PlaceOf(seat);
  auto* head = PlayerShow::create(place);
  m_pPlayerShow[seat] = head;
  m_pPlayerGameInfo[seat] = new PlayerGameInfo(place);
  m_pPlayerGameInfo[seat]->autorelease();
  if (seat == kOwnSeat) {
    head->IniImage(m_GlobalInfo.iHeadID, g_ptPlayerHead[1], g_fPlayerHeadScale[1], Vec2::ZERO);
    head->setVisible(false);
    AddTableWidget(head, 0);
    auto* hand = new SuperSelfHandCard(this, this);
    hand->autorelease();
    // The row as wide as the window, scaled to stand above the bottom bar.
    hand->setPosition(Vec2(WindowWidth() * kSelfHandXShare, kSelfHandY));
    hand->setScale(kSelfHandScale);
    hand->SetShadow(true);
    hand->SetWildcardMode(m_iPlayerCountMode == ddz::PlayerCountMode::ThreeSeatWildcard);
    m_pHandCard[seat] = hand;
    m_pSendCard[seat] = new SendCard(seat, g_ptSendCard[1], kPlayedRowScale);
    m_pSendCard[seat]->autorelease();
    m_pMingCard[seat] = new SmallShowCard(seat, g_ptShowCards[1].x, g_ptShowCards[1].y, g_fShowCardScale);
    m_pMingCard[seat]->autorelease();
    m_pMingCard[seat]->setVisible(false);
    AddTableWidget(m_pMingCard[seat], 1);
    return;
  }
  head->IniImage(-1, g_ptPlayerHead[place], g_fPlayerHeadScale[place], Vec2::ZERO);
  AddTableWidget(head, 0);
  AddTableWidget(m_pPlayerGameInfo[seat], 0);
  m_pOtherPlayerInfo[seat] = new OtherPlayerInfo(place, this);
  m_pOtherPlayerInfo[seat]->autorelease();
  AddTableWidget(m_pOtherPlayerInfo[seat], kZInfoPopup);
  m_pHandCard[seat] = new OtherHandCard(place);
  m_pHandCard[seat]->autorelease();
  AddTableWidget(m_pHandCard[seat], 0);
  // The opponent's plays stand between its card backs and the own turn's
  // buttons and tip, over the hand sign.
  const Vec2 played =
      place == kOpponentPlace ? g_ptSRSendCard[kOpponentPlace] + kOpponentSignShift - kOpponentPlayedDrop
                              : g_ptSendCard[seat];
  m_pSendCard[seat] = new SendCard(place, played, kPlayedRowScale);
  m_pSendCard[seat]->autorelease();
  AddTableWidget(m_pSendCard[seat], 0);
  const Vec2 shown = place == kOpponentPlace ? g_ptSRShowCards[kOpponentPlace] : g_ptShowCards[seat];
  m_pMingCard[seat] = new SmallShowCard(place, shown.x, shown.y, g_fShowCardScale);
  m_pMingCard[seat]->autorelease();
  // Shown rows stay on the table, hidden while empty.
  m_pMingCard[seat]->setVisible(false);
  AddTableWidget(m_pMingCard[seat], 1);
}

void SuperGameView::EnsureYieldLayer() {
  if (m_pYieldLayer != nullptr) return;
  m_pYieldLayer = ErYieldCardLayer::create();
  if (m_pYieldLayer != nullptr) AddTableWidget(m_pYieldLayer, kZYield);
}

// ---------------------------------------------------------------- login and the sit request

void SuperGameView::CallBackAuthenPlayerInfo(PlayerNode* self) {
  GameViewBase::CallBackAuthenPlayerInfo(self);
  if (self == nullptr) return;
  m_iGamesPlayed = ddz::os::SaturatingAdd(self->iWinNum, self->iLoseNum);
  for (std::size_t i = 0; i < kSitMilestones.size(); ++i) {
    if (m_iGamesPlayed == kSitMilestones[i] && m_pGameScene != nullptr && m_pGameScene->m_bRecordGameState != 0)
      cocos2d::log("SuperGameView: game state %d", kSitMilestoneCodes[i]);
  }
}

void SuperGameView::CallBackAuthenResOK() {
  GameViewBase::CallBackAuthenResOK();
  m_iGameState = 0;
  // The box that refuses the single-player game stays until its button leaves.
  if (m_bNoSinglePlayerGame) return;
  AfterAuthenResOK();
  ResetSeatHeadFigures();
}

void SuperGameView::AfterAuthenResOK() {
  GameMsgBox::shareMessageBox()->CloseDialog();
  StartSitRequest();
}

void SuperGameView::StartSitRequest() {
  if (!CheckLoseLimit()) return;
  char file[32];
  std::snprintf(file, sizeof file, "ddzSound/%d.mp3", kStartSound);
  CallBackPlaySound(file);
  CancelIdleKick();
  unschedule(schedule_selector(SuperGameView::SendSitReqOnce));
  schedule(schedule_selector(SuperGameView::SendSitReqOnce), kSitInterval);
}

void SuperGameView::SendSitReqOnce(float) {
  unschedule(schedule_selector(SuperGameView::SendSitReqOnce));
  SendSitReq();
}

bool SuperGameView::IsSitRequestPending() const {
  return isScheduled(schedule_selector(SuperGameView::SendSitReqOnce));
}

// ---------------------------------------------------------------- seats

void SuperGameView::CallBackPlayerJoinTable(int pos) {
  if (pos < 0 || pos >= kMaxSeats) return;
  PlayerNode* player = GetPlayerNode(pos);
  if (pos == kOwnSeat) {
    if (m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(player);
    if (player != nullptr) {
      m_GlobalInfo.iMoney = player->iMoney;
      m_GlobalInfo.iYuanBao = player->iYuanBao;
    }
  } else if (m_bTableBuilt) {
    int seat = pos;
    if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat) {
      seat = 0;
      m_pPlayerNode[kOpponentPlace] = m_pPlayerNode[0] != nullptr ? m_pPlayerNode[0] : player;
      if (m_pPlayerNode[0] == nullptr) m_pPlayerNode[0] = player;
      player = m_pPlayerNode[0];
    }
    if (seat < 3 && m_pPlayerShow[seat] != nullptr) {
      const int place = PlaceOf(seat);
      // The seat keeps the figure it showed earlier in the hand.
      g_iSeatHeadFigure[seat] = m_pPlayerShow[seat]->IniImage(g_iSeatHeadFigure[seat], g_ptPlayerHead[place],
                                                              g_fPlayerHeadScale[place], Vec2::ZERO);
      m_pPlayerShow[seat]->setVisible(true);
      AddTableWidget(m_pPlayerShow[seat], kZHead);
      AddTableWidget(m_pPlayerGameInfo[seat], kZSeatInfo);
      AddTableWidget(m_pHandCard[seat], kZSeatHand);
      AddTableWidget(m_pSendCard[seat], kZSeatPlayed);
      if (player != nullptr && player->bReady != 0 && m_pPlayerGameInfo[seat] != nullptr)
        m_pPlayerGameInfo[seat]->ShowReady(true, g_ptReady[place]);
    }
    CancelAutoChangeDesk();
  }
  if (pos < 3 && m_pOtherPlayerInfo[pos] != nullptr && m_pOtherPlayerInfo[pos]->isRunning())
    m_pOtherPlayerInfo[pos]->IniPlayerInfo(GetPlayerNode(pos));
}

void SuperGameView::CallBackPlayerLeaveTable(int pos) {
  if (pos < 0 || pos >= 3 || pos == kOwnSeat || !m_bTableBuilt) return;
  const int seat = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 0 : pos;
  auto park = [](cocos2d::Node* node) {
    if (node != nullptr && node->getParent() != nullptr) node->removeFromParent();
  };
  // The widgets stay in their slots for the next player.
  if (m_pPlayerShow[seat] != nullptr) m_pPlayerShow[seat]->retain(), park(m_pPlayerShow[seat]), m_pPlayerShow[seat]->autorelease();
  if (m_pPlayerGameInfo[seat] != nullptr) {
    m_pPlayerGameInfo[seat]->retain();
    park(m_pPlayerGameInfo[seat]);
    m_pPlayerGameInfo[seat]->autorelease();
  }
  if (m_pHandCard[seat] != nullptr) m_pHandCard[seat]->RemoveAllCards();
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
  if (m_pMingCard[seat] != nullptr && m_pMingCard[seat]->isRunning()) m_pMingCard[seat]->RemoveAllCards();
}

void SuperGameView::CallBackOtherPlayerDisconnect(int pos) {
  if (pos < 0 || pos >= 3 || !m_bTableBuilt) return;
  const int seat = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && pos != kOwnSeat ? 0 : pos;
  if (PlayerGameInfo* info = m_pPlayerGameInfo[seat]) {
    info->ShowOffLine(true, g_ptOffLine[PlaceOf(seat)]);
    info->ShowNetDelay(false, g_ptOffLine[PlaceOf(seat)]);
  }
}

void SuperGameView::CallBackOtherPlayerLoginAgain(int pos) {
  if (pos < 0 || pos >= 3 || !m_bTableBuilt) return;
  const int seat = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && pos != kOwnSeat ? 0 : pos;
  if (PlayerGameInfo* info = m_pPlayerGameInfo[seat]) info->ShowOffLine(false, g_ptOffLine[PlaceOf(seat)]);
}

void SuperGameView::CallBackPlayerNetDelay(int pos, int value) {
  if (pos < 0 || pos >= 3 || pos == kOwnSeat || !m_bTableBuilt) return;
  const int seat = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 0 : pos;
  const PlayerNode* player = GetPlayerNode(seat);
  if (player != nullptr && player->bShortClock == 0 && m_pPlayerGameInfo[seat] != nullptr)
    m_pPlayerGameInfo[seat]->ShowNetDelay(value != 0, g_ptOffLine[PlaceOf(seat)]);
}

void SuperGameView::CallBackPlayerReady(int pos) {
  if (pos < 0 || pos >= 3) return;
  const int seat = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && pos != kOwnSeat ? 0 : pos;
  if (m_bTableBuilt && m_pPlayerGameInfo[seat] != nullptr)
    m_pPlayerGameInfo[seat]->ShowReady(true, g_ptReady[PlaceOf(seat)]);
  ScheduleAutoChangeDeskIfAlone(pos);
}

void SuperGameView::CallBackEscapeNotice(int code) {
  if (code == 98) return;
  cocos2d::log("SuperGameView: escape notice %d", code);
}

void SuperGameView::CallBackShowBullInfo(char* msg, int len) {
  if (!isRunning() || msg == nullptr || m_pGameBull == nullptr) return;
  constexpr int kRecord = 200;
  constexpr int kShowFlag = 208;
  if (len <= kShowFlag) {
    cocos2d::log("SuperGameView::CallBackShowBullInfo: announcement of length %d dropped", len);
    return;
  }
  if (msg[kShowFlag] != 1) return;
  char record[kRecord] = {};
  std::memcpy(record, msg + 8, kRecord - 1);
  m_pGameBull->AddBullInfo(YndCodeConvert::G2u(std::string_view(record, strnlen(record, kRecord))));
}

void SuperGameView::CallBackUrgrCard(char* msg, int len) { variantnotice::QuickChat(*this, *this, msg, len); }

void SuperGameView::CallBackHongBaoNotice(char* msg, int len) { variantnotice::RedPacket(*this, msg, len); }

void SuperGameView::SetMoneyInfo(int money, int yuanbao) { variantnotice::SetMoneyInfo(*this, money, yuanbao); }

// ---------------------------------------------------------------- background and foreground

void SuperGameView::CallBackGameEnterBackGround() {
  // A second background before the foreground changes nothing more.
  if (IsBackgroundHeld()) return;
  GameViewBase::CallBackGameEnterBackGround();
  // What the single-player table had pending runs again at the foreground.
  m_bSitAtForeground = IsSitRequestPending();
  m_bBaseCardsAtForeground = isScheduled(schedule_selector(SuperGameView::OnBaseCardTimer));
  CancelPendingSelectors();
  // The local server keeps the hand in play: the table stays as it is.
  if (IsSinglePlayer()) return;
  ResetTable();
  // The re-login snapshot alone fills the hands again.
  StopDealRow();
  RemoveResultScreen();
  LowerResultLock();
  if (m_pTaskUI != nullptr) {
    static_cast<cocos2d::Node*>(m_pTaskUI)->removeFromParent();
    m_pTaskUI = nullptr;
  }
  if (AniManage* anis = GetAniManage()) anis->Clear();
  if (m_pRulesButton != nullptr) {
    m_pRulesButton->removeFromParent();
    m_pRulesButton = nullptr;
  }
}

void SuperGameView::CallBackGameEnterForeGround() {
  // The base gives back the background's hold.
  const bool resume = IsBackgroundHeld();
  GameViewBase::CallBackGameEnterForeGround();
  PlayBackgroundMusic();
  ShowRulesButton();
  if (IsSinglePlayer()) {
    if (resume && m_bSitAtForeground) schedule(schedule_selector(SuperGameView::SendSitReqOnce), kSitInterval);
    if (resume && m_bBaseCardsAtForeground)
      scheduleOnce(schedule_selector(SuperGameView::OnBaseCardTimer), kBaseCardsSettleSeconds);
    return;
  }
  if (m_bEnterFlag != 0 || m_bForeGroundFlag == 0) {
    QuitGame(nullptr);
    return;
  }
  DropPendingMessages();
  IniMainSocketAuthen();
}

// ---------------------------------------------------------------- the head touches

bool SuperGameView::IsSeatHeadRunning(int seat) const {
  return seat >= 0 && seat < 3 && m_pPlayerShow[seat] != nullptr && m_pPlayerShow[seat]->isRunning();
}

bool SuperGameView::IsSeatInfoPopupRunning(int seat) const {
  return seat >= 0 && seat < 3 && m_pOtherPlayerInfo[seat] != nullptr && m_pOtherPlayerInfo[seat]->isRunning();
}

void SuperGameView::ShowSeatInfoPopup(int seat) {
  if (seat >= 0 && seat < 3 && m_pOtherPlayerInfo[seat] != nullptr) m_pOtherPlayerInfo[seat]->ShowInfo(true);
}

void SuperGameView::HideSeatInfoPopup(int seat) {
  if (seat < 0 || seat >= 3 || m_pOtherPlayerInfo[seat] == nullptr) return;
  m_pOtherPlayerInfo[seat]->unscheduleUpdate();
  m_pOtherPlayerInfo[seat]->setVisible(false);
}
