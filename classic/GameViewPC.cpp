// GameViewPC: construction, entering and building the table, the start
// button, the teardown and the touches on the other players' heads. The
// single-player statistics, the loss limit and today's hand count are the
// table base's (table/DDZGameViewStats.cpp).
#include "classic/GameViewPC.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>

#include "cardlogic/SingleServerDDZ.h"
#include "classic/BottomUIPC.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SelfHandCard.h"
#include "cards/SendCard.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Random.h"
#include "classic/TopUIPC.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"
#include "widgets/ActivityLayer.h"
#include "widgets/NewPlayerAward.h"

using cocos2d::Vec2;

namespace {

// z-orders of the table's pieces.
constexpr int kZBackground = -10;
constexpr int kZBackgroundSide = -1;
constexpr int kZOwnHand = 101;
constexpr int kZOwnPlayedRow = 3;
constexpr int kZOwnStatus = 100;
constexpr int kZStartButton = 10;
constexpr int kZBaseCard = 1;
constexpr int kZInfoPopup = 103;
constexpr int kZTalkTip = 106;
constexpr int kZBulletin = 106;
constexpr int kZGameTips = 105;
constexpr int kZClock = 4;
constexpr int kZBottomBar = 602;
constexpr int kZGameRule = 700;  // over the bottom bar (602) and the strips it opens
const cocos2d::Vec2 kBottomBarPos{0, -14};
constexpr int kZTopBar = 105;
const cocos2d::Vec2 kTopBarShift{0, -30};
constexpr float kBulletinBelowTop = 30;
const cocos2d::Vec2 kBaseCardShift{0, -30};
const cocos2d::Vec2 kOwnStatusPos{0, 52};
constexpr float kPlayedRowScale = 0.5f;

// The day and night sets: the full-window image, then the right and left
// side pieces (sprite frames).
struct BackgroundSet {
  const char* image;
  const char* right;
  const char* left;
};
constexpr BackgroundSet kDaySet = {"qorvddz_bg_day.jpg", "qorvddz_bg_you.png", "qorvddz_bg_zuo.png"};
constexpr BackgroundSet kNightSet = {"qorvddz_bg_night.jpg", "qorvddz_bg_you_night.png",
                                     "qorvddz_bg_zuo_night.png"};
constexpr float kRightSideX = 1067;
constexpr float kLeftSideX = 215;
constexpr float kSideBelowCentre = 70;

constexpr const char* kStartButtonFace = "qorvddz_btn_result_0.png";
constexpr const char* kStartButtonWord = "qorvddz_btn_word_start.png";

// The own hand: its place and scale on the table.
constexpr float kSelfHandXShare = 0.0909f;
constexpr float kSelfHandY = 70;
constexpr float kSelfHandScale = 0.818182f;

// The info label below the table.
constexpr float kInfoLabelSize = 12;
constexpr float kInfoLabelDx = 30;
constexpr float kInfoLabelY = 55;
const cocos2d::Color3B kInfoLabelColour(22, 92, 185);

float WindowWidth() { return static_cast<float>(BasePT::g_iWindowWidth); }
float WindowHeight() { return static_cast<float>(BasePT::g_iWindowHeight); }

std::int64_t Now() { return ddz::os::Clock().WallTimeSeconds(); }

}  // namespace

// ---------------------------------------------------------------- life

GameViewPC::GameViewPC(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer, int iGameId)
    : DDZGameView(pGameScene, pLoadingLayer), m_iGameId(iGameId) {
  m_bLibraryFlag = 0;
  ddz::EnsureGameTextLoaded();
  ddz::os::Srand(static_cast<std::uint32_t>(Now()));
  SetPlayerCount(kPlayerCount);
  m_iGameMode = 0;

  const bool judgeIp5 = pGameScene != nullptr && pGameScene->JudgeIP5Conf();
  const bool sceneIpad = pGameScene != nullptr && pGameScene->m_bIsIpad != 0;
  LoadGamePositionInfo(ddz::ChooseLayoutFile(judgeIp5, OsApiBase::shareOsApi()->GetDeviceModel().c_str(), sceneIpad));

  m_TableItem.Clear();
  // The scene hands over the game id; a view made for mode 1 starts with the
  // entry flag down.
  if (iGameId == 1) m_bEnterFlag = 0;
  m_bForeGroundFlag = 1;
  LoadSingleGameStats();
}

GameViewPC::~GameViewPC() {
  ForgetSmallGameLayer(false);
  m_pDoubleSign.reset();
  // The game base only borrows the local server; it forgets it with the view.
  m_pSingleServer.reset();
}

SingleServerBase* GameViewPC::CallBackCreateSingleServer() {
  m_pSingleServer = std::make_unique<ddz::SingleServerDDZ>(this);
  return m_pSingleServer.get();
}

// ---------------------------------------------------------------- entering

void GameViewPC::onEnter() {
  GameViewBase::onEnter();
  for (const char* sheet : TableSheets()) AddPlist(sheet);
  RecordLoseAmount();
  cocos2d::Layer::setTouchEnabled(false);
  LoadTodayPlayNum();
  CallBackLoadingEnd();
  BuildInfoLabel();
  if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny()) {
    frame->SetHelpBtnCallBack([this](cocos2d::Ref* sender) { OpenGameRule(sender); });
  }
}

void GameViewPC::BuildInfoLabel() {
  m_pInfoLabel = cocos2d::Label::createWithSystemFont("", "Aril", kInfoLabelSize);
  m_pInfoLabel->setPosition(Vec2(WindowWidth() / 2 + kInfoLabelDx, kInfoLabelY));
  m_pInfoLabel->setColor(kInfoLabelColour);
  addChild(m_pInfoLabel);
}

int GameViewPC::StatsGameId() const {
  return m_pGameScene != nullptr ? m_pGameScene->GetGameID() : m_iGameId;
}

int GameViewPC::LocalHourOf(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return 0;
  return local.tm_hour;
}

// ---------------------------------------------------------------- building the table

void GameViewPC::CallBackLoadingEnd() {
  PlayBackgroundMusic();
  if (!SkipDayNightBackground()) BuildBackground();
  BuildTopBar();
  BuildBottomBar();
  BuildTalkTip();
  BuildBulletin();
  BuildActivities();
  for (int seat = 0; seat < SeatsInUse(); ++seat) {
    BuildSeatHead(seat);
    if (seat != kOwnSeat) BuildSeatInfoPopup(seat);
    BuildSeatStatus(seat);
  }
  BuildBaseCardRow();
  for (int seat = 0; seat < SeatsInUse(); ++seat) {
    if (seat == kOwnSeat) {
      BuildSelfHand();
    } else {
      BuildOtherHand(seat);
    }
    BuildPlayedRow(seat);
    BuildShownRow(seat);
  }
  BuildDeal();
  BuildStartButton();
  AddOwnSeatWidgets();
  BuildClock();
  BuildResultScreen();
  BuildGameTips();

  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  defaults->setBoolForKey(kUserTaskGuide, true);
  defaults->setBoolForKey(kUserCardCounterGuide, true);
  defaults->flush();

  // The table takes touches from here on: a touch on another player's head
  // opens that player's info popup.
  cocos2d::Layer::setTouchEnabled(true);
  AfterTableBuilt();
  GameViewBase::CallBackLoadingEnd();
}

void GameViewPC::BuildBackground() {
  const int hour = LocalHourOf(Now());
  const BackgroundSet& set = hour >= kDayStartHour && hour <= kDayEndHour ? kDaySet : kNightSet;
  for (cocos2d::Sprite*& piece : m_pBackground) {
    if (piece != nullptr) piece->removeFromParent();
    piece = nullptr;
  }
  const float sideY = WindowHeight() / 2 - kSideBelowCentre;
  if (cocos2d::Sprite* image = YndImageSprite::spriteWithFile(set.image)) {
    image->setPosition(Vec2(WindowWidth() / 2, WindowHeight() / 2));
    addChild(image, kZBackground);
    m_pBackground[0] = image;
  }
  const struct {
    const char* frame;
    float x;
  } sides[2] = {{set.right, kRightSideX}, {set.left, kLeftSideX}};
  for (int i = 0; i < 2; ++i) {
    cocos2d::Sprite* side = cocos2d::Sprite::createWithSpriteFrameName(sides[i].frame);
    if (side == nullptr) {
      cocos2d::log("GameViewPC: background frame %s is missing", sides[i].frame);
      continue;
    }
    side->setPosition(Vec2(sides[i].x, sideY));
    addChild(side, kZBackgroundSide);
    m_pBackground[i + 1] = side;
  }
}

cocos2d::Sprite* GameViewPC::GetBackground(int part) const {
  return part >= 0 && part < 3 ? m_pBackground[part] : nullptr;
}

void GameViewPC::BuildTopBar() {
  if (m_pTopUIPC == nullptr) m_pTopUIPC = TopUIPC::create();
  m_pTopUIPC->setPosition(kTopBarShift);
  AddTableWidget(m_pTopUIPC, kZTopBar);
}

// The widgets below that are not in this build yet keep their slots null.
void GameViewPC::BuildBottomBar() {
  if (m_pBottomUIPC == nullptr) m_pBottomUIPC = BottomUIPC::create(this);
  m_pBottomUIPC->setPosition(kBottomBarPos);
  AddTableWidget(m_pBottomUIPC, kZBottomBar);
}

void GameViewPC::BuildTalkTip() {
  if (m_pTalkTip == nullptr) m_pTalkTip = TalkTip::create();
  AddTableWidget(m_pTalkTip, kZTalkTip);
}

void GameViewPC::BuildBulletin() {
  if (m_pGameBull == nullptr) m_pGameBull = LobbyTopBull::create();
  m_pGameBull->setPosition(Vec2(WindowWidth() / 2, WindowHeight() - kBulletinBelowTop) + g_ptGameBullUI);
  AddTableWidget(m_pGameBull, kZBulletin);
}

void GameViewPC::BuildActivities() {
  if (m_pActivityLayer == nullptr) m_pActivityLayer = ActivityLayer::create();
  m_pActivityLayer->setPosition(Vec2(kActivityLayerX, WindowHeight() - kActivityLayerBelowTop));
  AddTableWidget(m_pActivityLayer, kZActivityLayer);
}

void GameViewPC::BuildSeatHead(int seat) {
  if (m_pPlayerShow[seat] == nullptr) m_pPlayerShow[seat] = PlayerShow::create(seat);
  PlayerShow* head = m_pPlayerShow[seat];
  if (seat == kOwnSeat) {
    head->IniImage(m_GlobalInfo.iHeadID, g_ptPlayerHead[1], g_fPlayerHeadScale[1], Vec2::ZERO);
    head->setVisible(false);
  } else {
    head->IniImage(-1, g_ptPlayerHead[seat], g_fPlayerHeadScale[seat], Vec2::ZERO);
    // Nobody sits there yet: the head shows when a player joins.
    head->setVisible(GetPlayerNode(seat) != nullptr);
  }
  AddTableWidget(head, 0);
}

void GameViewPC::BuildSeatInfoPopup(int seat) {
  if (m_pOtherPlayerInfo[seat] == nullptr) {
    m_pOtherPlayerInfo[seat] = new OtherPlayerInfo(seat, this);
    m_pOtherPlayerInfo[seat]->autorelease();
  }
  AddTableWidget(m_pOtherPlayerInfo[seat], kZInfoPopup);
}

void GameViewPC::BuildSeatStatus(int seat) {
  if (m_pPlayerGameInfo[seat] != nullptr) return;
  m_pPlayerGameInfo[seat] = new PlayerGameInfo(seat);
  m_pPlayerGameInfo[seat]->autorelease();
  // The own seat's widget goes on the table with the own hand.
  if (seat != kOwnSeat) AddTableWidget(m_pPlayerGameInfo[seat], 0);
}

void GameViewPC::BuildBaseCardRow() {
  if (m_pBaseCard == nullptr) {
    m_pBaseCard = new BaseCard(this);
    m_pBaseCard->autorelease();
  }
  m_pBaseCard->setPosition(g_ptNormalBaseCard + kBaseCardShift);
  AddTableWidget(m_pBaseCard, kZBaseCard);
}

void GameViewPC::BuildOtherHand(int seat) {
  if (m_pHandCard[seat] == nullptr) {
    m_pHandCard[seat] = new OtherHandCard(seat);
    m_pHandCard[seat]->autorelease();
  }
  AddTableWidget(m_pHandCard[seat], 0);
}

void GameViewPC::BuildPlayedRow(int seat) {
  if (m_pSendCard[seat] == nullptr) {
    m_pSendCard[seat] = new SendCard(seat, g_ptSendCard[seat], kPlayedRowScale);
    m_pSendCard[seat]->autorelease();
  }
  // The own seat's row goes on the table with the own hand.
  if (seat != kOwnSeat) AddTableWidget(m_pSendCard[seat], 0);
}

void GameViewPC::BuildShownRow(int seat) {
  if (m_pMingCard[seat] == nullptr) {
    m_pMingCard[seat] = new SmallShowCard(seat, g_ptShowCards[seat].x, g_ptShowCards[seat].y, g_fShowCardScale);
    m_pMingCard[seat]->autorelease();
  }
  AddTableWidget(m_pMingCard[seat], 0);
}

void GameViewPC::BuildDeal() {
  if (m_pDealCard == nullptr) {
    std::array<Vell_SpriteCardManage*, DealCard::kSeatSlots> rows{};
    for (int seat = 0; seat < kPlayerCount; ++seat) rows[seat] = m_pHandCard[seat];
    m_pDealCard = new DealCard(this, rows, m_pBaseCard);
    m_pDealCard->autorelease();
  }
  AddTableWidget(m_pDealCard, 0);
}

void GameViewPC::BuildClock() {
  if (m_pGameClock == nullptr) {
    m_pGameClock = new GameClock(m_pHandCard[kOwnSeat], GetGameKind());
    m_pGameClock->autorelease();
  }
  AddTableWidget(m_pGameClock, kZClock);
}

// The result screen is made once and kept off the table between hands; the
// view holds one reference to it (ReleaseResultScreen gives it back).
void GameViewPC::BuildResultScreen() {
  if (m_pResultLayer != nullptr) return;
  m_pResultLayer = ResultLayer::create(this);
  m_pResultLayer->retain();
}
void GameViewPC::BuildGameTips() {
  if (m_pGameTips == nullptr) m_pGameTips = GameTips::create();
  AddTableWidget(m_pGameTips, kZGameTips);
}
// The rules window (the window frame's help button): one window for the
// process, made on first use, put on the table when it is not on one.
GameRuleLayer* GameViewPC::SharedGameRule() {
  static GameRuleLayer* rules = nullptr;
  if (rules == nullptr) {
    rules = GameRuleLayer::create();
    rules->retain();
  }
  return rules;
}

void GameViewPC::OpenGameRule(cocos2d::Ref*) {
  GameRuleLayer* rules = SharedGameRule();
  if (rules->isRunning()) return;
  if (rules->getParent() != nullptr) rules->removeFromParent();
  addChild(rules, kZGameRule);
  rules->ShowGameRule(m_iGameId);
}

namespace {
// Whether `a` is drawn over `b`: at their nearest common parent the branch
// that holds `a` comes later in the drawing order (local z, then arrival).
bool DrawnOver(cocos2d::Node* a, cocos2d::Node* b) {
  std::vector<cocos2d::Node*> upA, upB;
  for (cocos2d::Node* n = a; n != nullptr; n = n->getParent()) upA.push_back(n);
  for (cocos2d::Node* n = b; n != nullptr; n = n->getParent()) upB.push_back(n);
  auto ia = upA.rbegin(), ib = upB.rbegin();
  if (ia == upA.rend() || ib == upB.rend() || *ia != *ib) return false;  // not one tree
  cocos2d::Node* common = *ia;
  for (++ia, ++ib; ia != upA.rend() && ib != upB.rend() && *ia == *ib; ++ia, ++ib) common = *ia;
  if (ia == upA.rend()) return false;  // `a` holds `b`
  if (ib == upB.rend()) return true;   // `b` holds `a`
  return common->getChildren().getIndex(*ia) > common->getChildren().getIndex(*ib);
}
}  // namespace

bool GameViewPC::CloseTopPanel() {
  // Every panel open on the table, each with the way its own button closes it.
  std::vector<std::pair<cocos2d::Node*, std::function<void()>>> open;
  if (m_pBottomUIPC != nullptr) {
    for (cocos2d::Node* panel : m_pBottomUIPC->OpenPanels())
      open.emplace_back(panel, [this, panel] { m_pBottomUIPC->ClosePanel(panel); });
  }
  GameRuleLayer* rules = SharedGameRule();
  if (rules->isRunning() && rules->isVisible()) open.emplace_back(rules, [rules] { rules->OnClose(nullptr); });
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
    if (popup != nullptr && popup->isRunning() && popup->isVisible())
      open.emplace_back(popup, [this, seat] { HideSeatInfoPopup(seat); });
  }
  if (open.empty()) return false;
  auto top = open.begin();
  for (auto it = open.begin(); it != open.end(); ++it)
    if (DrawnOver(it->first, top->first)) top = it;
  top->second();
  return true;
}

// The talk tip's idle tips every 120 s, and their end.
void GameViewPC::StartIdleTips() {
  if (m_pTalkTip != nullptr) m_pTalkTip->StartFreeTip();
}
void GameViewPC::StopIdleTips() {
  if (m_pTalkTip != nullptr) m_pTalkTip->StopFreeTip();
}
// The bottom bar's table control on: the backpack button.
void GameViewPC::SwitchBottomBarTableControl() {
  if (m_pBottomUIPC != nullptr) m_pBottomUIPC->SetPanelButtonEnabled(BottomUIPC::kPanelPack, true);
}
// The own hook that runs once the table is built.
void GameViewPC::AfterTableBuilt() {}

void GameViewPC::BuildSelfHand() {
  auto* hand = new SelfHandCard(this, 0);
  hand->autorelease();
  hand->setPosition(Vec2(WindowWidth() * kSelfHandXShare, kSelfHandY));
  hand->setScale(kSelfHandScale);
  hand->SetShadow(true);
  hand->setTouchEnabled(true, false);
  // The hand enables the bottom bar's quick buttons by what it holds.
  hand->SetBottomBar(m_pBottomUIPC);
  m_pHandCard[kOwnSeat] = hand;
}

// A script can fill the own seat's slot with another kind of hand.
SelfHandCard* GameViewPC::GetSelfHand() const { return dynamic_cast<SelfHandCard*>(m_pHandCard[kOwnSeat]); }

void GameViewPC::BuildStartButton() {
  m_pStartBtn = cocos2d::ui::Button::createWithExtraAbove(kStartButtonFace, "", "", kStartButtonWord,
                                                          cocos2d::ui::Widget::TextureResType::PLIST);
  m_pStartBtn->setPosition(g_ptBtnStart);
  m_pStartBtn->setVisible(false);
  m_pStartBtn->setTouchEnabled(true);
  m_pStartBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnBtnStart(sender); });
  addChild(m_pStartBtn, kZStartButton);
}

void GameViewPC::AddOwnSeatWidgets() {
  if (m_pHandCard[kOwnSeat] != nullptr && m_pHandCard[kOwnSeat]->getParent() == nullptr) {
    addChild(m_pHandCard[kOwnSeat], kZOwnHand);
  }
  if (m_pSendCard[kOwnSeat] != nullptr && m_pSendCard[kOwnSeat]->getParent() == nullptr) {
    addChild(m_pSendCard[kOwnSeat], kZOwnPlayedRow);
  }
  if (m_pPlayerGameInfo[kOwnSeat] != nullptr) {
    m_pPlayerGameInfo[kOwnSeat]->setPosition(kOwnStatusPos);
    AddTableWidget(m_pPlayerGameInfo[kOwnSeat], kZOwnStatus);
  }
}

// ---------------------------------------------------------------- the start button

void GameViewPC::OnBtnStart(cocos2d::Ref*) {
  if (!CheckLoseLimit()) return;
  char sound[32];
  std::snprintf(sound, sizeof sound, "ddzSound/%d.mp3", kStartSound);
  SoundManage::shareSoundManage()->PlaySoundByFile(sound);
  if (IsSinglePlayer()) {
    if (m_pWaitNode != nullptr) m_pWaitNode->setVisible(false);
    StartIdleTips();
  }
  CancelIdleKick();
  if (m_pStartBtn != nullptr) m_pStartBtn->setVisible(false);
  schedule(schedule_selector(GameViewPC::SendSitReqOnce), kSitDelay);
  SwitchBottomBarTableControl();
}

void GameViewPC::SendSitReqOnce(float) {
  unschedule(schedule_selector(GameViewPC::SendSitReqOnce));
  SendSitReq();
}

bool GameViewPC::IsSitRequestPending() const { return isScheduled(schedule_selector(GameViewPC::SendSitReqOnce)); }

void GameViewPC::CancelPendingSelectors() {
  unschedule(schedule_selector(GameViewPC::SendSitReqOnce));
  CancelIdleKick();
}

void GameViewPC::ResetTable() {
  CancelPendingSelectors();
  unschedule(schedule_selector(GameViewPC::LowerRaisedBaseCards));
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  if (m_pGameClock != nullptr) m_pGameClock->ResetClock();
  if (m_pTopUIPC != nullptr) m_pTopUIPC->ResetPanel();
  for (int seat = 0; seat < kMaxSeats; ++seat) m_iSendRowRole[seat] = 0;
  // Whatever the table showed is over: its result and turns are dropped.
  m_bHandRunning = false;
  m_bOwnPlayPending = false;
  m_bOwnPassPending = false;
  m_iPassesInRow = 0;
  std::fill(std::begin(m_bSeatActed), std::end(m_bSeatActed), false);
  std::fill(std::begin(m_bLastRoundPass), std::end(m_bLastRoundPass), false);
  ResetHandWidgets();
}

// ---------------------------------------------------------------- leaving

void GameViewPC::onExit() {
  GameViewBase::onExit();
  SaveTodayPlayNum();
  CancelPendingSelectors();
  StopIdleTips();
  // Back at the room list the help button is the room panel's already.
  const bool listShown = GameSceneBase::m_pRoomList != nullptr && GameSceneBase::m_pRoomList->isRunning();
  if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny(); frame != nullptr && !listShown)
    frame->SetHelpBtnCallBack(nullptr);
  TakeTableDown();
}

void GameViewPC::TakeTableDown() {
  auto drop = [](auto*& slot) {
    if (slot == nullptr) return;
    static_cast<cocos2d::Node*>(slot)->removeFromParent();
    slot = nullptr;
  };
  for (int seat = 0; seat < kMaxSeats; ++seat) {
    drop(m_pHandCard[seat]);
    drop(m_pSendCard[seat]);
    drop(m_pMingCard[seat]);
    drop(m_pPlayerShow[seat]);
    drop(m_pPlayerGameInfo[seat]);
    drop(m_pOtherPlayerInfo[seat]);
  }
  drop(m_pDealCard);
  ReleaseResultScreen();
  drop(m_pBaseCard);
  drop(m_pGameClock);
  drop(m_pTalkTip);
  drop(m_pGameBull);
  drop(m_pGameTips);
  drop(m_pBottomUIPC);
  drop(m_pTopUIPC);
  drop(m_pTaskUI);
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  drop(m_pNewPlayerAward);
  drop(m_pActivityLayer);
  drop(m_pStartBtn);
  drop(m_pInfoLabel);
  for (cocos2d::Sprite*& piece : m_pBackground) drop(piece);
  m_pWaitNode = nullptr;
  drop(m_pBgWord);
  ReleaseHeldWidgets();  // what scripts put into the slots
}

// ---------------------------------------------------------------- touches

bool GameViewPC::IsSeatHeadRunning(int seat) const {
  return m_pPlayerShow[seat] != nullptr && m_pPlayerShow[seat]->isRunning();
}
bool GameViewPC::IsSeatInfoPopupRunning(int seat) const {
  return m_pOtherPlayerInfo[seat] != nullptr && m_pOtherPlayerInfo[seat]->isRunning();
}
void GameViewPC::ShowSeatInfoPopup(int seat) {
  if (m_pOtherPlayerInfo[seat] != nullptr) m_pOtherPlayerInfo[seat]->ShowInfo(true);
}

// ---------------------------------------------------------------- what the base asks of the widgets

void GameViewPC::ShowSeatMoneyBox(int slot, int money, cocos2d::Vec2 pos) {
  PlayerGameInfo* info = m_pPlayerGameInfo[slot];
  if (info != nullptr && info->isVisible()) info->ShowPlayerMoneInfo(true, money, pos, false);
}

bool GameViewPC::GetSeatHeadCenter(int seat, cocos2d::Vec2& center) const {
  if (m_pPlayerShow[seat] == nullptr) return false;
  center = m_pPlayerShow[seat]->GetHeadCenter();
  return true;
}

void GameViewPC::HideSeatInfoPopup(int seat) {
  OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
  if (popup == nullptr) return;
  popup->unscheduleUpdate();
  popup->setVisible(false);
}

