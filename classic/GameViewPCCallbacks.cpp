// GameViewPC: what the table does when the game base calls back: the login,
// players joining, leaving, dropping and returning, ready signs and the
// automatic table change, the server's kick-out, broadcasts, quick chat,
// jackpot and red-packet notices, and the window going to the background and
// coming back.
//
// Every callback skips the parts of a seat that has no widget or record, and
// reads a message only as far as its length allows (shorter ones are dropped
// with a log line).
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/SelfHandCard.h"
#include "cards/SpriteCardManage.h"
#include "classic/BottomUIPC.h"
#include "classic/GameViewPC.h"
#include "platform/gamebase/MessageFields.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/RobotHeads.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/os/Saturate.h"
#include "classic/SmallGamePort.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/gamebase/MainMsgLock.h"
#include "widgets/ActivityLayer.h"
#include "widgets/AwardDisplays.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/NewPlayerAward.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/ResultAnis.h"
#include "widgets/TableNotices.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"

using cocos2d::Vec2;

using ddz::BigEndianAt;
using ddz::LittleEndianAt;
using namespace tablenotice;

namespace {

constexpr int kZSeatHead = -2;
constexpr int kZSeatWidget = 2;
constexpr int kZPlayedRow = 3;
constexpr int kZOwnHand = 101;
constexpr int kZClock = 4;
constexpr int kZFirstYuanbaoTips = 1000;

// Game texts.
constexpr int kTextLoggedIn = 451;
constexpr int kTextBullPrefix = 449;
constexpr int kTextFirstYuanbao = 192;



// Broadcast: at most this many text bytes; the system box's colour of them.
constexpr std::size_t kBullTextBytes = 199;
constexpr int kSysBoxBullColour = 2;

// Jackpot (layout in widgets/TableNotices.h): kind 4 with the amount and the
// first-yuanbao flag at 21.
constexpr int kJackpotFirstFlag = 21;
constexpr int kJackpotYuanbaoSize = 22;
constexpr int kJackpotYuanbao = 4;
constexpr int kJackpotTask = 7;
constexpr int kAwardYuanbaoKind = 2;
constexpr int kAwardYuanbaoType = 1;



// Game-state records of the background: inside a hand, or at its result.
constexpr int kStateBackgroundInHand = 100;
constexpr int kStateBackgroundAtResult = 110;

bool LongEnough(const char* msg, int len, int need, const char* what) {
  if (msg != nullptr && len >= need) return true;
  cocos2d::log("GameViewPC::%s: message of length %d is shorter than %d, dropped", what, len, need);
  return false;
}

}  // namespace

// ---------------------------------------------------------------- login

void GameViewPC::CallBackHandleAllSocketNetMsg(char* msg, int len) { OnAllSocketMessage(msg, len); }

void GameViewPC::CallBackAuthenPlayerInfo(PlayerNode* self) {
  if (self == nullptr) return;
  m_GlobalInfo.iYuanBao = self->iYuanBao;
  m_GlobalInfo.iPlayerExtraInt = self->iUserID;
  // The hands-played milestones count from the hands of the login record.
  m_iHandsPlayed = ddz::os::SaturatingAdd(self->iWinNum, self->iLoseNum);
  if (m_pBottomUIPC != nullptr) m_pBottomUIPC->SetSelfInfo(self);
  m_GlobalInfo.iMoney = self->iMoney;
  m_GlobalInfo.iYuanBao = self->iYuanBao;
  if (m_pPlayerShow[kOwnSeat] != nullptr) {
    m_pPlayerShow[kOwnSeat]->removeFromParent();
    m_pPlayerShow[kOwnSeat] = nullptr;
  }
  PlayerShow* head = PlayerShow::create(kOwnSeat);
  head->IniImage(self->cHeadID, g_ptPlayerHead[kOwnSeat], g_fPlayerHeadScale[kOwnSeat], Vec2::ZERO);
  head->setVisible(false);
  addChild(head, 0);
  m_pPlayerShow[kOwnSeat] = head;
  m_GlobalInfo.iHeadID = self->cHeadID;
}

void GameViewPC::CallBackAuthenResOK() {
  AfterAuthenResOK();
  ResetSeatHeadFigures();
  AddSysBoxMessage(GameText(kTextLoggedIn), -1);
}

void GameViewPC::AfterAuthenResOK() {
  if (m_pStartBtn != nullptr) m_pStartBtn->setVisible(true);
  GameMsgBox::shareMessageBox()->CloseDialog(0);
}

// ---------------------------------------------------------------- seats

void GameViewPC::CallBackPlayerJoinTable(int pos) {
  if (pos < 0 || pos >= kPlayerCount) {
    cocos2d::log("GameViewPC::CallBackPlayerJoinTable: seat %d is no seat of the table", pos);
    return;
  }
  PlayerNode* player = GetPlayerNode(pos);
  if (pos == kOwnSeat) {
    if (player != nullptr) {
      if (m_pBottomUIPC != nullptr) m_pBottomUIPC->SetSelfInfo(player);
      m_GlobalInfo.iMoney = player->iMoney;
      m_GlobalInfo.iYuanBao = player->iYuanBao;
    }
  } else {
    if (m_pPlayerShow[pos] == nullptr) m_pPlayerShow[pos] = PlayerShow::create(pos);
    g_iSeatHeadFigure[pos] =
        m_pPlayerShow[pos]->IniImage(g_iSeatHeadFigure[pos], g_ptPlayerHead[pos], g_fPlayerHeadScale[pos], Vec2::ZERO);
    AddTableWidget(m_pPlayerShow[pos], kZSeatHead);
    m_pPlayerShow[pos]->setVisible(true);
    if (m_pPlayerGameInfo[pos] == nullptr) BuildSeatStatus(pos);
    if (m_pHandCard[pos] == nullptr) BuildOtherHand(pos);
    if (m_pSendCard[pos] == nullptr) BuildPlayedRow(pos);
    AddTableWidget(m_pPlayerGameInfo[pos], kZSeatWidget);
    AddTableWidget(m_pHandCard[pos], kZSeatWidget);
    AddTableWidget(m_pSendCard[pos], kZPlayedRow);
    if (player != nullptr && player->bReady == 1 && m_pPlayerGameInfo[pos] != nullptr)
      m_pPlayerGameInfo[pos]->ShowReady(true, g_ptReady[pos]);
    if (IsSinglePlayer() && player != nullptr) {
      const std::string& name = GameText(ddz::kRobotNameFirstText + ddz::RobotHeadPlace(g_iSeatHeadFigure[pos]));
      YndCodeConvert::U2g(name.c_str(), static_cast<int>(name.size()), player->szNickName,
                          static_cast<int>(sizeof(player->szNickName)));
    }
    CancelAutoChangeDesk();
  }
  OtherPlayerInfo* popup = m_pOtherPlayerInfo[pos];
  if (popup != nullptr && popup->isRunning() && player != nullptr) popup->IniPlayerInfo(player);
  AfterPlayerJoin(pos);
}

void GameViewPC::CallBackPlayerLeaveTable(int pos) {
  if (pos >= 0 && pos < kPlayerCount && pos != kOwnSeat) {
    ParkWidget(m_pPlayerShow[pos]);
    ParkWidget(m_pPlayerGameInfo[pos]);
    ParkWidget(m_pHandCard[pos]);
    ParkWidget(m_pSendCard[pos]);
    if (m_pMingCard[pos] != nullptr && m_pMingCard[pos]->isRunning()) ParkWidget(m_pMingCard[pos]);
  }
  AfterPlayerLeave(pos);
}

void GameViewPC::ParkWidget(cocos2d::Node* widget) {
  if (widget == nullptr || widget->getParent() == nullptr) return;
  if (std::find(m_vcParked.begin(), m_vcParked.end(), widget) == m_vcParked.end()) m_vcParked.pushBack(widget);
  widget->removeFromParent();
}

void GameViewPC::CallBackOtherPlayerDisconnect(int pos) {
  if (pos < 0 || pos >= kPlayerCount) return;
  PlayerGameInfo* info = m_pPlayerGameInfo[pos];
  if (info == nullptr || !info->isRunning()) return;
  // The offline clock replaces the net-delay sign.
  info->ShowOffLine(true, g_ptOffLine[pos]);
}

void GameViewPC::CallBackOtherPlayerLoginAgain(int pos) {
  if (pos < 0 || pos >= kPlayerCount || m_pPlayerGameInfo[pos] == nullptr) return;
  m_pPlayerGameInfo[pos]->ShowOffLine(false, g_ptOffLine[pos]);
}

void GameViewPC::CallBackPlayerNetDelay(int pos, int value) {
  if (pos < 0 || pos >= kPlayerCount || pos == kOwnSeat) return;
  const PlayerNode* player = GetPlayerNode(pos);
  if (player != nullptr && player->bNetDelay != 0) return;
  PlayerGameInfo* info = m_pPlayerGameInfo[pos];
  if (info != nullptr && info->isRunning()) info->ShowNetDelay(value != 0, g_ptOffLine[pos]);
}

// ---------------------------------------------------------------- ready and the table change

void GameViewPC::CallBackPlayerReady(int pos) {
  if (OnPlayerReadyHook(pos)) return;
  if (pos < 0 || pos >= kPlayerCount) return;
  // The seat's widget picks the wait sign for the own seat, the ready sign
  // for the others; a sign that is up stays.
  if (m_pPlayerGameInfo[pos] != nullptr) m_pPlayerGameInfo[pos]->ShowReady(true, g_ptReady[pos]);
  ScheduleAutoChangeDeskIfAlone(pos);
}

// ---------------------------------------------------------------- notices

void GameViewPC::CallBackEscapeNotice(int code) {
  if (code == kEscapeMiniGame) return;
  OnEscapeNoticeHook(code);
}

// ---------------------------------------------------------------- broadcasts and chat

void GameViewPC::CallBackShowBullInfo(char* msg, int len) {
  if (!isRunning()) return;
  if (!LongEnough(msg, len, kBullSize, "CallBackShowBullInfo")) return;
  const std::string text =
      YndCodeConvert::G2u(std::string_view(msg + kBullText, strnlen(msg + kBullText, kBullTextBytes)));
  switch (static_cast<std::uint8_t>(msg[kBullKind])) {
    case kBullTopBar:
      if (m_pGameBull != nullptr) m_pGameBull->AddBullInfo(text);
      break;
    case kBullSysBoxA:
    case kBullSysBoxB: AddSysBoxMessage(GameText(kTextBullPrefix) + text, kSysBoxBullColour); break;
    default: break;
  }
}

void GameViewPC::CallBackUrgrCard(char* msg, int len) {
  if (!LongEnough(msg, len, kUrgeSize, "CallBackUrgrCard")) return;
  const int kind = static_cast<std::uint8_t>(msg[kUrgeKind]);
  const int pos = SeatOfChair(static_cast<std::uint8_t>(msg[kUrgeChair]), "CallBackUrgrCard");
  if (pos < 0 || kind >= kUrgePhrases || m_pPlayerShow[pos] == nullptr || m_pTalkTip == nullptr) return;
  m_pTalkTip->Talk(pos, m_pPlayerShow[pos]->GetHeadID(), kind);
}

// ---------------------------------------------------------------- jackpot and red packets

void GameViewPC::CallBackJackPotNotice(char* msg, int len) {
  if (!LongEnough(msg, len, kJackpotKindSize, "CallBackJackPotNotice")) return;
  const int kind = static_cast<std::uint8_t>(msg[kJackpotKind]);
  if (kind != kJackpotYuanbao && kind != kJackpotTask) return;
  if (kind == kJackpotYuanbao && !LongEnough(msg, len, kJackpotYuanbaoSize, "CallBackJackPotNotice")) return;
  // In line with the table's other animations.
  if (AniManage* anis = GetAniManage()) anis->ShowAni(new AniTaskCompete(this), false, true);
  if (kind != kJackpotYuanbao) return;

  ShowAwardAni(kAwardYuanbaoKind, kAwardYuanbaoType, BigEndianAt(msg, kJackpotAmount));
  if (msg[kJackpotFirstFlag] != 1) return;
  int checkApk = 0;
  GetConfValue(&checkApk, "yx_zizhi_check_apk", "agent.txt", "agent_info", 0);
  YndLocalData* store = YndLocalData::sharedLocalData();
  const bool showMall = store->getIntegerForKey("key_lobby_show_mall", 1) == 1;
  const bool channelPackage = store->getIntegerForKey("key_lobby_ifChannelPackage", 0) != 0;
  if (showMall && checkApk == 0 && !channelPackage) addChild(FirstGetYBTips::create(), kZFirstYuanbaoTips);
  const PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (m_pTalkTip != nullptr && self != nullptr && self->iPlayCount < 2)
    m_pTalkTip->TalkFreeTxt(kOwnSeat, GameText(kTextFirstYuanbao));
}

void GameViewPC::CallBackHongBaoNotice(char* msg, int len) {
  if (!LongEnough(msg, len, kHongBaoKindSize, "CallBackHongBaoNotice")) return;
  const int kind = LittleEndianAt(msg, kHongBaoKind);
  AniBase* guide = nullptr;
  if (kind == kHongBaoMoneyKind) {
    if (!LongEnough(msg, len, kHongBaoMoneySize, "CallBackHongBaoNotice")) return;
    const int money = LittleEndianAt(msg, kHongBaoMoney);
    const int yuanbao = LittleEndianAt(msg, kHongBaoYuanbao);
    if (PlayerNode* self = GetPlayerNode(kOwnSeat)) {
      self->iMoney = ddz::os::SaturatingAdd(self->iMoney, money);
      self->iYuanBao = ddz::os::SaturatingAdd(self->iYuanBao, yuanbao);
      if (m_pBottomUIPC != nullptr) m_pBottomUIPC->SetSelfMoney(self->iMoney);
      m_GlobalInfo.iMoney = self->iMoney;
      m_GlobalInfo.iYuanBao = self->iYuanBao;
    }
    guide = new AniPrizeGuide(kGuideMoney, yuanbao, money);
  } else if (kind == kHongBaoMedalA) {
    guide = new AniPrizeGuide(kGuideMedalA, 0, 0);
  } else if (kind == kHongBaoMedalB) {
    guide = new AniPrizeGuide(kGuideMedalB, 0, 0);
  }
  if (guide == nullptr) return;
  if (AniManage* anis = GetAniManage()) {
    anis->ShowAni(guide, true, true);
  } else {
    guide->release();
  }
}

void GameViewPC::CallBackHandleFriendCard(char* msg, int len) { tablenotice::HandleFriendCard(*this, msg, len); }

void GameViewPC::CallBackHandleActiveMoney(char* msg, int len) { tablenotice::HandleActiveMoney(*this, msg, len); }

// ---------------------------------------------------------------- background and foreground

void GameViewPC::CallBackGameEnterBackGround() {
  // A second background before the foreground changes nothing more.
  if (IsBackgroundHeld()) return;
  if (g_iExitState < 2) {
    RecordGameStateIfOn(kStateBackgroundInHand);
  } else if (g_iExitState == 2) {
    RecordGameStateIfOn(kStateBackgroundAtResult);
  }
  // The base holds the messages while the window is away.
  GameViewBase::CallBackGameEnterBackGround();
  CancelAutoChangeDesk();
  CancelIdleKick();
  // The local server holds the hand in play: the table keeps it as it is.
  if (IsSinglePlayer()) return;

  ResetTable();
  auto drop = [](auto*& slot) {
    if (slot == nullptr) return;
    static_cast<cocos2d::Node*>(slot)->removeFromParent();
    slot = nullptr;
  };
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat) continue;
    ParkWidget(m_pPlayerShow[seat]);
    ParkWidget(m_pPlayerGameInfo[seat]);
    ParkWidget(m_pSendCard[seat]);
    if (m_pMingCard[seat] != nullptr && m_pMingCard[seat]->isRunning()) {
      m_pMingCard[seat]->RemoveAllCards();
      ParkWidget(m_pMingCard[seat]);
    }
    ParkWidget(m_pHandCard[seat]);
  }
  // The own hand is made again at the foreground; the deal layer and the
  // clock, which point at it, go with it.
  drop(m_pHandCard[kOwnSeat]);
  ReleaseResultScreen();
  drop(m_pDealCard);
  drop(m_pGameClock);
  drop(m_pTaskUI);
  // A flip of the bottom cards ends and lowers its hold.
  if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
  if (AniManage* anis = GetAniManage()) anis->Clear();
  if (m_pNewPlayerAward != nullptr && m_pNewPlayerAward->isRunning()) drop(m_pNewPlayerAward);
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  // An open mini-game goes: the foreground builds the table again.
  if (m_pSmallGameLayer != nullptr && m_pSmallGameLayer->AsLayer()->isRunning()) {
    ForgetSmallGameLayer(true);
    m_bSmallGameOpen = false;
  }
  if (m_pActivityLayer != nullptr && m_pActivityLayer->isRunning()) m_pActivityLayer->RemoveAll();
  OnEnterBackGroundHook();
}

void GameViewPC::CallBackGameEnterForeGround() {
  // The base gives back the background's hold.
  GameViewBase::CallBackGameEnterForeGround();
  PlayBackgroundMusic();
  // The single-player table, an open mini-game included, goes on where it was.
  if (IsSinglePlayer()) return;
  const bool tableBuilt = m_pStartBtn != nullptr;
  if (m_bSmallGameOpen || !tableBuilt) {
    QuitGame(nullptr);
    return;
  }

  if (m_pHandCard[kOwnSeat] == nullptr) {
    BuildSelfHand();
    addChild(m_pHandCard[kOwnSeat], kZOwnHand);
  }
  if (m_pDealCard == nullptr) BuildDeal();
  BuildResultScreen();
  if (m_pGameClock == nullptr) {
    m_pGameClock = new GameClock(m_pHandCard[kOwnSeat], GetGameKind());
    m_pGameClock->autorelease();
    AddTableWidget(m_pGameClock, kZClock);
  }
  // The table was taken down: nothing queued for the hand it showed may
  // reach the new one; the re-login snapshot brings the hand back.
  DropPendingMessages();
  IniMainSocketAuthen();
}

CardCounterLayer* GameViewPC::GetCardCounter() const {
  return m_pBottomUIPC != nullptr ? m_pBottomUIPC->m_pCardCounter : nullptr;
}
