// CompeteGameView: construction, building the table when it enters, leaving,
// the touches on the other players' heads, the message dispatch and the deal.
#include "compete/CompeteGameView.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "cards/BaseCard.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/DealCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SendCard.h"
#include "compete/CompeteAwardLayer.h"
#include "compete/CompeteTableUI.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Random.h"
#include "table/GameSoundDDZ.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/TalkLayer.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// z-orders of the table's pieces.
constexpr int kZBackground = -10;
constexpr int kZChair = -9;
constexpr int kZTable = -1;
constexpr int kZTopBar = 105;
constexpr int kZTalkTip = 106;
constexpr int kZInfoPopup = 103;
constexpr int kZBaseCard = 1;
constexpr int kZOwnHand = 101;
constexpr int kZOwnPlayedRow = 3;
constexpr int kZOwnStatus = 100;
constexpr int kZBulletin = 106;
constexpr int kZClock = 4;

constexpr const char* kBackgroundImage = "ddzcompete_game_bg.jpg";
constexpr const char* kTableImage = "ddzcompete_table.png";
constexpr const char* kChairImage = "ddzcompete_chair.png";
constexpr const char* kUserTaskGuide = "TASK_GUIDE_ANI_SHOW";
constexpr const char* kUserCardCounterGuide = "CARD_COUNTER_GUIDE_SHOW";

constexpr float kPlayedRowScale = 0.5f;
const Vec2 kOwnStatusPos{0, 52};
constexpr float kBulletinBelowTop = 30;
constexpr float kSelfHandXShare = 0.0909f;
constexpr float kSelfHandY = 70;
constexpr float kSelfHandScale = 0.818182f;

// Tracks of the tournament's music: 1 before the final stages, 2 from them.
constexpr int kTrackEarly = 1;
constexpr int kTrackFinal = 2;
constexpr int kFinalState = 3;

// ---- the deal (71) ----
constexpr int kDealOpenCard = 9;
constexpr int kDealOpenSeat = 10;
constexpr int kDealFinalRank = 11;
constexpr int kDealCards = 35;
constexpr int kDealBaseScore = 88;
constexpr int kDealScores = 96;
constexpr int kDealTableNum = 108;
constexpr int kFinalTableSeats = 3;

float WindowWidth() { return static_cast<float>(BasePT::g_iWindowWidth); }
float WindowHeight() { return static_cast<float>(BasePT::g_iWindowHeight); }
std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }

}  // namespace

// ---------------------------------------------------------------- life

CompeteGameView::CompeteGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer)
    : DDZGameView(pGameScene, pLoadingLayer) {
  ddz::EnsureGameTextLoaded();
  LoadTextLines(ddz::kCompeteTextFile, g_vecCompeteText);
  ddz::os::Srand(static_cast<std::uint32_t>(ddz::os::Clock().WallTimeSeconds()));
  SetPlayerCount(kPlayerCount);
  m_iGameMode = 0;
  const bool judgeIp5 = pGameScene != nullptr && pGameScene->JudgeIP5Conf();
  const bool sceneIpad = pGameScene != nullptr && pGameScene->m_bIsIpad != 0;
  LoadGamePositionInfo(
      ddz::ChooseLayoutFile(judgeIp5, OsApiBase::shareOsApi()->GetDeviceModel().c_str(), sceneIpad));
  m_TableItem.Clear();
}

CompeteGameView::~CompeteGameView() {
  m_pDoubleSign.reset();
  ReleasePromotionLayer();
}

int CompeteGameView::GetCompeteState() const { return CompeteGameInfo::shareCompeteGameInfo()->m_iState; }

// ---------------------------------------------------------------- entering and leaving

void CompeteGameView::onEnter() {
  GameViewBase::onEnter();
  // The classic table's sheets carry the cards, buttons and marks.
  for (const char* sheet : TableSheets()) AddPlist(sheet);
  AddPlist(TableTopBar::kSheet);
  // The seats' head pictures: the classic table's bottom bar brings this
  // sheet, and this table has no such bar.
  AddPlist("vevad_res_head_icon.plist");
  SetLayer::SetCompetitionStage(this);
  LoadTodayPlayNum();
  cocos2d::Layer::setTouchEnabled(true);
  m_iSlowPlayCount = 0;
  m_iSlowPlayDeadline = 0;
  // Leaving ends a toast; one shown while the table was away is still up.
  m_bToastShown = GetToast() != nullptr;
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  CallBackLoadingEnd();
  if (m_pTopUI != nullptr && m_pTopUI->isRunning()) m_pTopUI->SetBtnOnState(1);
}

void CompeteGameView::onExit() {
  GameViewBase::onExit();
  // The day's count is every table's: this view's hands were added to it.
  SaveTodayPlayNum();
  SetLayer::SetCompetitionStage(nullptr);
  unschedule(schedule_selector(CompeteGameView::OnResultStep));
  unschedule(schedule_selector(CompeteGameView::LowerRaisedBaseCards));
  TakeTableDown();
}

void CompeteGameView::PlayCompeteMusic(int track) {
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  sound->StopBackgroundMusic();
  sound->PlayCompeteBackgroundMusic(track);
}

// ---------------------------------------------------------------- building the table

void CompeteGameView::CallBackLoadingEnd() {
  PlayCompeteMusic(kTrackEarly);
  BuildBackground();
  if (m_pTopUI == nullptr) m_pTopUI = TopUI::create(this);
  AddTableWidget(m_pTopUI, kZTopBar);
  if (auto* top = dynamic_cast<TopUI*>(m_pTopUI)) top->CaptionScores();
  if (m_pTalkTip == nullptr) m_pTalkTip = TalkTip::create();
  AddTableWidget(m_pTalkTip, kZTalkTip);
  for (int seat = 0; seat < kPlayerCount; ++seat) BuildSeat(seat);
  if (m_pBaseCard == nullptr) {
    m_pBaseCard = new BaseCard(this);
    m_pBaseCard->autorelease();
  }
  m_pBaseCard->setPosition(g_ptNormalBaseCard);
  AddTableWidget(m_pBaseCard, kZBaseCard);
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat) {
      BuildSelfHand();
    } else if (m_pHandCard[seat] == nullptr) {
      m_pHandCard[seat] = new OtherHandCard(seat);
      m_pHandCard[seat]->autorelease();
      AddTableWidget(m_pHandCard[seat], 0);
    }
    if (m_pSendCard[seat] == nullptr) {
      auto* played = new SendCard(seat, g_ptSendCard[seat], kPlayedRowScale);
      played->autorelease();
      m_pSendCard[seat] = played;
      if (seat != kOwnSeat) AddTableWidget(played, 0);
    }
    if (m_pMingCard[seat] == nullptr) {
      m_pMingCard[seat] = new SmallShowCard(seat, g_ptShowCards[seat].x, g_ptShowCards[seat].y, g_fShowCardScale);
      m_pMingCard[seat]->autorelease();
      AddTableWidget(m_pMingCard[seat], 0);
    }
  }
  BuildDeal();
  if (m_pHandCard[kOwnSeat] != nullptr) AddTableWidget(m_pHandCard[kOwnSeat], kZOwnHand);
  if (m_pSendCard[kOwnSeat] != nullptr) AddTableWidget(m_pSendCard[kOwnSeat], kZOwnPlayedRow);
  if (m_pPlayerGameInfo[kOwnSeat] != nullptr) {
    m_pPlayerGameInfo[kOwnSeat]->setPosition(kOwnStatusPos);
    AddTableWidget(m_pPlayerGameInfo[kOwnSeat], kZOwnStatus);
  }
  if (m_pGameBull == nullptr) m_pGameBull = LobbyTopBull::create();
  m_pGameBull->setPosition(Vec2(WindowWidth() / 2, WindowHeight() - kBulletinBelowTop) + g_ptGameBullUI);
  AddTableWidget(m_pGameBull, kZBulletin);
  BuildClock();

  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  defaults->setBoolForKey(kUserTaskGuide, true);
  defaults->setBoolForKey(kUserCardCounterGuide, true);
  defaults->flush();
  GameViewBase::CallBackLoadingEnd();
}

void CompeteGameView::BuildBackground() {
  for (cocos2d::Sprite*& piece : m_pTableSprites) {
    if (piece != nullptr) piece->removeFromParent();
    piece = nullptr;
  }
  const struct {
    const char* image;
    Vec2 at;
    int z;
    bool mirrored;
  } pieces[4] = {
      {kBackgroundImage, Vec2(WindowWidth() / 2, WindowHeight() / 2), kZBackground, false},
      {kTableImage, g_ptBgTable, kZTable, false},
      {kChairImage, g_ptBgChair, kZChair, false},
      {kChairImage, Vec2(WindowWidth() - g_ptBgChair.x, g_ptBgChair.y), kZChair, true},
  };
  for (int i = 0; i < 4; ++i) {
    cocos2d::Sprite* sprite = YndImageSprite::spriteWithFile(pieces[i].image);
    if (sprite == nullptr) {
      cocos2d::log("CompeteGameView: image %s is missing", pieces[i].image);
      continue;
    }
    sprite->setPosition(pieces[i].at);
    if (pieces[i].mirrored) sprite->setFlippedX(true);
    addChild(sprite, pieces[i].z);
    m_pTableSprites[i] = sprite;
  }
}

void CompeteGameView::BuildSeat(int seat) {
  if (m_pPlayerShow[seat] == nullptr) m_pPlayerShow[seat] = PlayerShow::create(seat);
  PlayerShow* head = m_pPlayerShow[seat];
  if (seat == kOwnSeat) {
    head->IniImage(m_GlobalInfo.iHeadID, g_ptPlayerHead[seat], g_fPlayerHeadScale[seat], Vec2::ZERO);
    head->setVisible(false);
    AddTableWidget(head, 0);
  } else {
    head->IniImage(-1, g_ptPlayerHead[seat], g_fPlayerHeadScale[seat], Vec2::ZERO);
    AddTableWidget(head, 0);
    if (m_pOtherPlayerInfo[seat] == nullptr) {
      m_pOtherPlayerInfo[seat] = new OtherPlayerInfo(seat, this);
      m_pOtherPlayerInfo[seat]->autorelease();
    }
    AddTableWidget(m_pOtherPlayerInfo[seat], kZInfoPopup);
  }
  if (m_pPlayerGameInfo[seat] == nullptr) {
    m_pPlayerGameInfo[seat] = new PlayerGameInfo(seat);
    m_pPlayerGameInfo[seat]->autorelease();
  }
  // The own seat's widget goes on the table with the own hand.
  if (seat != kOwnSeat) AddTableWidget(m_pPlayerGameInfo[seat], 0);
}

void CompeteGameView::BuildSelfHand() {
  if (m_pHandCard[kOwnSeat] != nullptr) return;
  auto* hand = new CompeteSelfHandCard(this);
  hand->autorelease();
  hand->setPosition(Vec2(WindowWidth() * kSelfHandXShare, kSelfHandY));
  hand->setScale(kSelfHandScale);
  hand->SetShadow(true);
  hand->setTouchEnabled(true, false);
  m_pHandCard[kOwnSeat] = hand;
}

CompeteSelfHandCard* CompeteGameView::GetSelfHand() const {
  return dynamic_cast<CompeteSelfHandCard*>(m_pHandCard[kOwnSeat]);
}

void CompeteGameView::BuildDeal() {
  if (m_pDealCard == nullptr) {
    std::array<Vell_SpriteCardManage*, DealCard::kSeatSlots> rows{};
    for (int seat = 0; seat < kPlayerCount; ++seat) rows[seat] = m_pHandCard[seat];
    m_pDealCard = new DealCard(this, rows, m_pBaseCard);
    m_pDealCard->autorelease();
  }
  AddTableWidget(m_pDealCard, 0);
}

void CompeteGameView::BuildClock() {
  if (m_pGameClock == nullptr) {
    m_pGameClock = new GameClock(m_pHandCard[kOwnSeat], kGameKind);
    m_pGameClock->autorelease();
  }
  AddTableWidget(m_pGameClock, kZClock);
}

void CompeteGameView::ParkWidget(cocos2d::Node* widget) {
  if (widget == nullptr || widget->getParent() == nullptr) return;
  if (std::find(m_vcParked.begin(), m_vcParked.end(), widget) == m_vcParked.end()) m_vcParked.pushBack(widget);
  widget->removeFromParent();
}

void CompeteGameView::TakeTableDown() {
  auto drop = [](auto*& slot) {
    if (slot == nullptr) return;
    static_cast<cocos2d::Node*>(slot)->removeFromParent();
    slot = nullptr;
  };
  RemoveResultNumbers();
  ReleaseResultLock();
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  for (int seat = 0; seat < kMaxSeats; ++seat) {
    drop(m_pHandCard[seat]);
    drop(m_pSendCard[seat]);
    drop(m_pMingCard[seat]);
    drop(m_pPlayerShow[seat]);
    drop(m_pPlayerGameInfo[seat]);
    drop(m_pOtherPlayerInfo[seat]);
  }
  drop(m_pDealCard);
  drop(m_pBaseCard);
  drop(m_pTopUI);
  drop(m_pGameClock);
  drop(m_pTalkTip);
  drop(m_pGameBull);
  for (cocos2d::Sprite*& piece : m_pTableSprites) drop(piece);
  // Nothing of the match's screens stays behind untracked: a table that
  // comes back gets its waiting room and bar from the next match start, and
  // a stage result taken then (a server move kept while it was away) shows
  // on the promotion screen it keeps. A toast's time runs out with the
  // table (leaving stops its removal).
  TakeMatchScreensOff();
  if (cocos2d::Node* toast = GetToast()) toast->removeFromParent();
  m_bToastShown = false;
  // The certificate ends with the table (its hold of the messages went as
  // it left the stage).
  if (CompeteAwardLayer* award = GetAwardLayer()) award->removeFromParent();
  m_vcParked.clear();
}

// ---------------------------------------------------------------- touches

bool CompeteGameView::GetSeatHeadCenter(int seat, cocos2d::Vec2& center) const {
  if (seat < 0 || seat >= kMaxSeats || m_pPlayerShow[seat] == nullptr) return false;
  center = m_pPlayerShow[seat]->GetHeadCenter();
  return true;
}

void CompeteGameView::HideSeatInfoPopup(int seat) {
  if (seat < 0 || seat >= kMaxSeats) return;
  OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
  if (popup == nullptr) return;
  popup->unscheduleUpdate();
  popup->setVisible(false);
}

void CompeteGameView::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || touches.front() == nullptr) return;
  const std::uint64_t now = ddz::os::Clock().NowMs();
  if (m_bTouchSeen && now - m_uLastTouchMs < kTouchGapMs) return;
  m_bTouchSeen = true;
  m_uLastTouchMs = now;
  const Vec2 point = convertToNodeSpace(touches.front()->getLocation());
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat || GetPlayerNode(seat) == nullptr) continue;
    OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
    if (popup == nullptr || m_pPlayerShow[seat] == nullptr || !m_pPlayerShow[seat]->isRunning()) continue;
    const Vec2& corner = g_ptTipsPlayerInfo[seat];
    const bool hit = point.x >= corner.x && point.x <= corner.x + kHeadTouchWidth && point.y >= corner.y &&
                     point.y <= corner.y + kHeadTouchHeight;
    if (hit && !(popup->isRunning() && popup->isVisible())) {
      popup->ShowInfo(true);
    } else if (popup->isRunning()) {
      HideSeatInfoPopup(seat);
    }
  }
}

// ---------------------------------------------------------------- dispatch

int CompeteGameView::MinMessageLength(int type) {
  switch (type) {
    case kMsgDeal: return kDealSize;
    case kMsgBidTurn: return 9;
    case kMsgBidResult: return 10;
    case kMsgLandlord: return 13;
    case kMsgPlayTurn: return 9;
    case kMsgPlayed: return 34;
    case kMsgCompeteStart: return 1904;
    case kMsgStageChange: return 16;
    case kMsgAward: return 56;
    case kMsgWaitNumbers: return 16;
    case kMsgPlayerLeft: return 13;
    case kMsgClosedByServer: return 10;
    case kMsgRankList: return 140;
    case kMsgRankUpdate: return 24;
    case kMsgAutoPlayState: return 10;
    case kMsgChangeServer: return 32 + kPlayerExtraSize;
    case kMsgCompeteNotice: return 12;
    case kMsgTip: return 13;
    default: return 0;
  }
}

const std::vector<int>& CompeteGameView::DispatchedTypes() {
  static const std::vector<int> types = {
      kMsgDeal,         kMsgBidTurn,        kMsgBidResult,     kMsgLandlord,  kMsgPlayTurn,     kMsgPlayed,
      kMsgCompeteStart, kMsgStageChange,    kMsgAward,         kMsgWaitNumbers, kMsgPlayerLeft, kMsgClosedByServer,
      kMsgRankList,     kMsgRankUpdate,     kMsgAutoPlayState, kMsgChangeServer, kMsgCompeteNotice, kMsgTip};
  return types;
}

bool CompeteGameView::IsHandMessage(int type) {
  switch (type) {
    case kMsgDeal:
    case kMsgBidTurn:
    case kMsgBidResult:
    case kMsgLandlord:
    case kMsgPlayTurn:
    case kMsgPlayed:
    case kMsgAutoPlayState:
    case kMsgGameResult: return true;
    default: return false;
  }
}

void CompeteGameView::CallBackHandleMainSocketNetMsg(char* msg, int len) {
  const int type = TypeOfWholeMessage("CompeteGameView", msg, len, &MinMessageLength);
  if (type < 0) return;
  switch (type) {
    case kMsgDeal: HandleGameStart(msg, len); break;
    case kMsgBidTurn: OnTurnPrompt(msg, len); break;
    case kMsgBidResult: OnCallLandlordAct(msg, len); break;
    case kMsgLandlord: OnLandlordDecided(msg, len); break;
    case kMsgPlayTurn: OnPlayTurn(msg, len); break;
    case kMsgPlayed: HandleOutCard(msg, len); break;
    case kMsgCompeteStart: HandleCompeteStart(msg, len); break;
    case kMsgStageChange: HandleCompeteStage(msg, len); break;
    case kMsgAward: HandleCompeteAward(msg, len); break;
    case kMsgWaitNumbers: HandleWaitNumbers(msg, len); break;
    case kMsgPlayerLeft: HandlePlayerLeft(msg, len); break;
    case kMsgClosedByServer: HandleCloseByServer(msg, len); break;
    case kMsgRankList: HandleRankList(msg, len); break;
    case kMsgRankUpdate: HandleRankUpdate(msg, len); break;
    case kMsgAutoPlayState: HandleAutoPlayState(msg, len); break;
    case kMsgChangeServer: HandleChangeServer(msg, len); break;
    case kMsgCompeteNotice: HandleCompeteNotice(msg, len); break;
    case kMsgTip: HandleTipMsg(msg, len); break;
    default: OnOtherMessage(msg, len); break;
  }
}

bool CompeteGameView::CallBackFirstHandleMainSocketNetMsg(char* msg, int len) {
  // The game base hands every frame to the all-sockets callback first; a
  // frame that callback has already dispatched is not dispatched twice (the
  // hand result still goes on to its own callback).
  const bool dispatched = msg != nullptr && msg == m_pAllSocketFrame && len > 1 && ByteAt(msg, 1) != kMsgGameResult;
  m_pAllSocketFrame = nullptr;
  if (dispatched) return true;
  return FirstChanceMessage(msg, len);
}

void CompeteGameView::CallBackHandleAllSocketNetMsg(char* msg, int len) {
  CallBackHandleMainSocketNetMsg(msg, len);
  m_pAllSocketFrame = msg;
  if (msg != nullptr && len > 1) cocos2d::log("CallBackHandleAllSocketNetMsg[%d][%x]", ByteAt(msg, 1), ByteAt(msg, 1));
}

// ---------------------------------------------------------------- requests

void CompeteGameView::SendDealReceived() {
  std::array<char, kDealReceivedSize> request{};
  SendMsgToMainSocket(request.data(), kMsgDealReceived, kDealReceivedSize);
}

void CompeteGameView::SendSignUpRequest(int fee) {
  std::array<char, kSignUpSize> request{};
  const std::int32_t fields[2] = {fee, kSignUpMark};
  std::memcpy(request.data() + 8, fields, sizeof fields);
  SendMsgToMainSocket(request.data(), kMsgSignUp, kSignUpSize);
}

void CompeteGameView::SendSitDone() {
  std::array<char, kSitDoneSize> request{};
  SendMsgToMainSocket(request.data(), kMsgSitDone, kSitDoneSize);
}

int CompeteGameView::SeatOfTableNum(int tableNum, const char* what) const {
  if (tableNum < 0 || tableNum >= kPlayerCount) {
    cocos2d::log("CompeteGameView::%s: table number %d is no seat, message dropped", what, tableNum);
    return -1;
  }
  const int seat = GetTablePosByTableNumExtra(static_cast<char>(tableNum));
  if (seat < 0 || seat >= kPlayerCount) {
    cocos2d::log("CompeteGameView::%s: table number %d gives no seat, message dropped", what, tableNum);
    return -1;
  }
  return seat;
}

// ---------------------------------------------------------------- 71 the deal

CompeteTableUI* CompeteGameView::CreateCompeteTableUI() {
  if (m_pCompeteTableUI != nullptr && m_pCompeteTableUI->getParent() != nullptr) m_pCompeteTableUI->removeFromParent();
  m_pCompeteTableUI = CompeteTableUI::create();
  addChild(m_pCompeteTableUI, CompeteTableUI::kZOrder);
  return m_pCompeteTableUI;
}

void CompeteGameView::HandleGameStart(char* msg, int len) {
  if (msg == nullptr || len < kDealSize) return;
  // The own 17 cards are chosen by the own chair, and every seat's score by
  // its table number: a chair or a seat that is none drops the deal first.
  const int chair = m_GlobalInfo.iChairID;
  if (chair < 0 || chair >= kPlayerCount) {
    cocos2d::log("CompeteGameView::HandleGameStart: own chair %d is not 0..2, deal dropped", chair);
    return;
  }
  int seats[kPlayerCount];
  for (int t = 0; t < kPlayerCount; ++t) {
    seats[t] = SeatOfTableNum(t, "HandleGameStart");
    if (seats[t] < 0) return;
  }
  // The face-up card is only shown while dealing: a seat byte that names no
  // seat deals the hand without it (the deal shows no card for seat -1).
  const int openTable = ByteAt(msg, kDealOpenSeat);
  const int openSeat = openTable < kPlayerCount ? GetTablePosByTableNumExtra(static_cast<char>(openTable)) : -1;
  if (openSeat < 0)
    cocos2d::log("CompeteGameView::HandleGameStart: face-up card seat %d is no seat, dealt without it", openTable);

  ResetTable();
  const int state = GetCompeteState();
  if (IsPromotionLayerShown()) {
    RemovePromotionLayer();
    PlayCompeteMusic(state < kFinalState ? kTrackEarly : kTrackFinal);
  }
  if (state >= kFinalState) {
    iTableNum = LittleEndianAt(msg, kDealTableNum);
    cocos2d::log("CompeteGameView: final table %d, rank %d of %d", iTableNum,
                 static_cast<signed char>(msg[kDealFinalRank]), kFinalTableSeats);
  }
  if (CompeteTableUI* bar = m_pCompeteTableUI) {
    bar->ShowWaitTable(false);
    bar->ShowStatus(true);
    if (state < kFinalState) {
      bar->UpdateSelfRank(iCurOrder, iAllPlayer);
    } else {
      bar->UpdateTableNum(iTableNum);
      bar->UpdateSelfRank(static_cast<signed char>(msg[kDealFinalRank]), kFinalTableSeats);
    }
    bar->ShowRank(true);
  }

  const int baseScore = BigEndianAt(msg, kDealBaseScore);
  if (m_pTopUI != nullptr && m_pTopUI->isRunning()) {
    m_pTopUI->SetCardCountBtnEnabled(true);
    m_pTopUI->SetBtnOnState(0);
    m_pTopUI->SetFinalPoint(baseScore);
    m_pTopUI->SetTimes(1, false);
  }
  for (int t = 0; t < kPlayerCount; ++t) {
    const int seat = seats[t];
    m_TableItem.iCompeteAmount[seat] = BigEndianAt(msg, kDealScores + 4 * t);
    if (m_pPlayerGameInfo[seat] != nullptr)
      m_pPlayerGameInfo[seat]->ShowCompeteAmount(true, m_TableItem.iCompeteAmount[seat], g_ptCompeteJifen[seat]);
  }

  StartDealRow(reinterpret_cast<const std::uint8_t*>(msg + kDealCards + kOwnCards * chair), ByteAt(msg, kDealOpenCard),
               openSeat);
  ArmSideHands(false);
  if (m_pTopUI != nullptr) m_pTopUI->SetNumVisible(true);

  if (IsSinglePlayer()) {
    m_TableItem.iBaseScore = 1;
  } else {
    m_TableItem.iBaseScore = baseScore;
    StartNetTest();
  }
  SendDealReceived();
}

void CompeteGameView::OnDealCardEnd() {
  // The deal lowered its own raise of the message lock before telling us.
  // Its layer leaves the table with the face-up card it turned (kept for
  // the next deal, which adds it again).
  ParkWidget(m_pDealCard);
  ArmSideHands(true);
  if (CompeteSelfHandCard* hand = GetSelfHand()) hand->SetHandComplete(true);
}
