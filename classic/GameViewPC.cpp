// GameViewPC: construction, entering and building the table, the start
// button, the teardown and the touches on the other players' heads. The
// single-player statistics and the loss limit are in GameViewPCStats.cpp.
#include "classic/GameViewPC.h"

#include <cstdio>
#include <ctime>

#include "cardlogic/SingleServerDDZ.h"
#include "cards/SelfHandCard.h"
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
#include "platform/os/Clock.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Random.h"

using cocos2d::Vec2;

namespace {

// z-orders of the table's pieces.
constexpr int kZBackground = -10;
constexpr int kZBackgroundSide = -1;
constexpr int kZOwnHand = 101;
constexpr int kZOwnPlayedRow = 3;
constexpr int kZOwnStatus = 100;
constexpr int kZStartButton = 10;

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

const std::vector<const char*>& GameViewPC::TableSheets() {
  static const std::vector<const char*> sheets = {
      "zuvoz_res_tips.plist",      "qorvddz_enterCompete_res.plist", "CardLayer1.plist",
      "vellddz_res_buttomui.plist", "qorvddzpc_all_res.plist",        "super_ddz_res_extra.plist",
      "cjddz_all_game_rule.plist", "poker_magic_express.plist",      "vellddz_res_tips.plist",
      "vellddz_res_btn.plist",     "vellddz_res_activebtn.plist"};
  return sheets;
}

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

void GameViewPC::LoadTodayPlayNum() {
  YndLocalData* store = YndLocalData::sharedLocalData(nullptr);
  m_iTodayPlayNum = store->getIntegerForKey(kKeyTodayPlayNum, 0);
  const std::int64_t stored = store->getInteger64ForKey(kKeyTodayPlayTime, 0);
  const std::int64_t now = Now();
  if (LocalDayOf(stored) != LocalDayOf(now)) {
    m_iTodayPlayNum = 0;
    store->setInteger64ForKey(kKeyTodayPlayTime, now);
  }
  if (!store->flush()) cocos2d::log("GameViewPC: the day's hand count could not be stored");
}

void GameViewPC::BuildInfoLabel() {
  m_pInfoLabel = cocos2d::Label::createWithSystemFont("", "Aril", kInfoLabelSize);
  m_pInfoLabel->setPosition(Vec2(WindowWidth() / 2 + kInfoLabelDx, kInfoLabelY));
  m_pInfoLabel->setColor(kInfoLabelColour);
  addChild(m_pInfoLabel);
}

int GameViewPC::LocalDayOf(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return 0;
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
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

// The widgets below are not in this build yet: each step keeps its slot null.
// Top bar: m_pTopUIPC at (0, -30), z-order 105.
void GameViewPC::BuildTopBar() {}
// Bottom bar: m_pBottomUIPC at (0, -14), z-order 602.
void GameViewPC::BuildBottomBar() {}
// Chat bubbles: m_pTalkTip, z-order 106.
void GameViewPC::BuildTalkTip() {}
// Bulletin: m_pGameBull at (W / 2, H - 30) + g_ptGameBullUI, z-order 106.
void GameViewPC::BuildBulletin() {}
// Activity buttons: m_pActivityLayer at (60, H - 70), z-order 105.
void GameViewPC::BuildActivities() {}
// The seat's PlayerShow: the own head with the login's head id, hidden, at
// g_ptPlayerHead[1] scaled g_fPlayerHeadScale[1]; another seat's with figure
// -1 at its own entries.
void GameViewPC::BuildSeatHead(int) {}
// Another seat's OtherPlayerInfo popup, z-order 103.
void GameViewPC::BuildSeatInfoPopup(int) {}
// The seat's PlayerGameInfo (the own one is added in AddOwnSeatWidgets).
void GameViewPC::BuildSeatStatus(int) {}
// Bottom-card row m_pBaseCard at g_ptNormalBaseCard + (0, -30), z-order 1.
void GameViewPC::BuildBaseCardRow() {}
// Another seat's OtherHandCard in m_pHandCard[seat].
void GameViewPC::BuildOtherHand(int) {}
// The seat's SendCard row at g_ptSendCard[seat], scale 0.5.
void GameViewPC::BuildPlayedRow(int) {}
// The seat's SmallShowCard row at g_ptShowCards[seat], scale g_fShowCardScale.
void GameViewPC::BuildShownRow(int) {}
// m_pDealCard over the three hands and the bottom-card row: 54 cards, 3 players.
void GameViewPC::BuildDeal() {}
// GameClock bound to the own hand, z-order 4.
void GameViewPC::BuildClock() {}
// ResultLayer in m_pResultLayer.
void GameViewPC::BuildResultScreen() {}
// GameTips in m_pGameTips, z-order 105.
void GameViewPC::BuildGameTips() {}
// The rules window (the window frame's help button).
void GameViewPC::OpenGameRule(cocos2d::Ref*) {}
// The talk tip's idle tips every 120 s, and their end.
void GameViewPC::StartIdleTips() {}
void GameViewPC::StopIdleTips() {}
// The bottom bar's table control on.
void GameViewPC::SwitchBottomBarTableControl() {}
// The own hook that runs once the table is built.
void GameViewPC::AfterTableBuilt() {}

void GameViewPC::BuildSelfHand() {
  auto* hand = new SelfHandCard(this, 0);
  hand->autorelease();
  hand->setPosition(Vec2(WindowWidth() * kSelfHandXShare, kSelfHandY));
  hand->setScale(kSelfHandScale);
  hand->SetShadow(true);
  hand->setTouchEnabled(true, false);
  // The hand links to the bottom bar's quick buttons once the bar is built.
  m_pHandCard[kOwnSeat] = hand;
}

SelfHandCard* GameViewPC::GetSelfHand() const { return static_cast<SelfHandCard*>(m_pHandCard[kOwnSeat]); }

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
  // The own PlayerGameInfo goes at (0, 52), z-order kZOwnStatus, once it is built.
  (void)kZOwnStatus;
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
  unschedule(schedule_selector(GameViewPC::OnIdleKick));
  if (m_pStartBtn != nullptr) m_pStartBtn->setVisible(false);
  schedule(schedule_selector(GameViewPC::SendSitReqOnce), kSitDelay);
  SwitchBottomBarTableControl();
}

void GameViewPC::SendSitReqOnce(float) {
  unschedule(schedule_selector(GameViewPC::SendSitReqOnce));
  SendSitReq();
}

bool GameViewPC::IsSitRequestPending() const { return isScheduled(schedule_selector(GameViewPC::SendSitReqOnce)); }

void GameViewPC::OnIdleKick(float) {
  unschedule(schedule_selector(GameViewPC::OnIdleKick));
  CallBackKickOutServerNotice(1000, nullptr);
}

void GameViewPC::CancelPendingSelectors() {
  unschedule(schedule_selector(GameViewPC::SendSitReqOnce));
  unschedule(schedule_selector(GameViewPC::OnIdleKick));
  StopIdleTips();
}

void GameViewPC::ResetTable() {
  CancelPendingSelectors();
  // The rows, seat widgets, clock and bars are reset here as they land.
}

// ---------------------------------------------------------------- leaving

void GameViewPC::onExit() {
  GameViewBase::onExit();
  YndLocalData* store = YndLocalData::sharedLocalData(nullptr);
  store->setIntegerForKey(kKeyTodayPlayNum, m_iTodayPlayNum);
  if (!store->flush()) cocos2d::log("GameViewPC: the day's hand count could not be stored");
  CancelPendingSelectors();
  if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny()) frame->SetHelpBtnCallBack(nullptr);
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
    // m_pPlayerShow, m_pPlayerGameInfo and m_pOtherPlayerInfo go here as they land.
  }
  drop(m_pDealCard);
  drop(m_pResultLayer);
  // m_pBaseCard, m_pTopUIPC, m_pBottomUIPC, m_pGameClock, m_pTaskUI, m_pTalkTip,
  // m_pGameBull, m_pGameTips, m_pNewPlayerAward and m_pActivityLayer go here
  // as they land.
  drop(m_pStartBtn);
  drop(m_pInfoLabel);
  for (cocos2d::Sprite*& piece : m_pBackground) drop(piece);
  m_pWaitNode = nullptr;
  m_pBgWord = nullptr;
}

// ---------------------------------------------------------------- touches

bool GameViewPC::IsSeatHeadRunning(int) const { return false; }
bool GameViewPC::IsSeatInfoPopupRunning(int) const { return false; }
void GameViewPC::ShowSeatInfoPopup(int) {}

void GameViewPC::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || touches.front() == nullptr) return;
  const std::uint64_t now = ddz::os::Clock().NowMs();
  if (m_bTouchSeen && now - m_uLastTouchMs < kTouchGapMs) return;
  m_bTouchSeen = true;
  m_uLastTouchMs = now;

  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  Vec2 point = convertToNodeSpace(touches.front()->getLocation());
  if (scale > 0) point = Vec2(point.x / scale, point.y / scale);

  int hit = -1;
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat || GetPlayerNode(seat) == nullptr || !IsSeatHeadRunning(seat)) continue;
    const Vec2& corner = g_ptTipsPlayerInfo[seat];
    if (point.x < corner.x || point.x > corner.x + kHeadTouchWidth || point.y < corner.y ||
        point.y > corner.y + kHeadTouchHeight) {
      continue;
    }
    hit = seat;
    if (IsSeatInfoPopupRunning(seat)) ShowSeatInfoPopup(seat);
  }
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat || seat == hit || GetPlayerNode(seat) == nullptr || !IsSeatInfoPopupRunning(seat)) continue;
    HideSeatInfoPopup(seat);
  }
}
