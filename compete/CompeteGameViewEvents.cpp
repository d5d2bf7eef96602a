// CompeteGameView: the game base's notices: the sit result, the login, seats
// joining, leaving, dropping and getting ready, the kick-out, quick chat,
// jackpot and red-packet notices, escape notices, broadcasts, and the window
// going to the background and coming back.
//
// Every notice reads a message only as far as its length allows (shorter
// ones are dropped with a log line) and skips a seat that has no widget.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "cards/BaseCard.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/DealCard.h"
#include "cards/OtherHandCard.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteTableUI.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/RobotHeads.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Saturate.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/ResultAnis.h"
#include "widgets/TableNotices.h"
#include "widgets/TalkLayer.h"
#include "table/GameSoundDDZ.h"

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

// Sit result: accepted flag at 8, table at 12, chair at 16.
constexpr int kSitAccepted = 8;
constexpr int kSitChair = 16;

// The kick-out reason whose box follows the end of the connection.
constexpr int kKickCloseConnections = 12;

// Broadcast (layout in widgets/TableNotices.h): 198 text bytes, shown when
// the kind byte is 1.
constexpr std::size_t kBullTextBytes = 198;
constexpr int kBullShow = 1;

// Jackpot: the tournament's kind, with its amount; the box of an empty one.
constexpr int kJackpotCompete = 7;
constexpr int kJackpotSize = kJackpotAmount + 4;
constexpr int kTextJackpotEmpty = 105;
constexpr int kBoxTimed = 5;
constexpr float kJackpotBoxSeconds = 2.0f;

// Red packets: the prize guide each kind shows.
struct HongBaoKind {
  int kind;
  int guide;
};
constexpr HongBaoKind kHongBaoGuides[] = {
    {kHongBaoMoneyKind, kGuideMoney}, {kHongBaoMedalA, kGuideMedalA}, {kHongBaoMedalB, kGuideMedalB}};

constexpr int kFinishedState = 5;
constexpr int kTrackFinal = 2;

bool LongEnough(const char* msg, int len, int need, const char* what) {
  if (msg != nullptr && len >= need) return true;
  cocos2d::log("CompeteGameView::%s: message of length %d is shorter than %d, dropped", what, len, need);
  return false;
}

}  // namespace

// ---------------------------------------------------------------- sit, login

void CompeteGameView::HandleSitRes(char* msg, int len) {
  if (!LongEnough(msg, len, kSitResultSize, "HandleSitRes")) return;
  if (msg[kSitAccepted] != 1) {
    DebugMessageBox("sit down error");
    return;
  }
  GameViewBase::HandleSitRes(msg, len);
  if (m_GlobalInfo.iChairID != LittleEndianAt(msg, kSitChair)) return;  // refused by the base
  SendSitDone();
}

void CompeteGameView::CallBackAuthenResOK() {
  AfterAuthenResOK();
  ResetSeatHeadFigures();
}

// ---------------------------------------------------------------- seats

void CompeteGameView::CallBackPlayerJoinTable(int seat) {
  if (seat < 0 || seat >= kPlayerCount) {
    cocos2d::log("CompeteGameView::CallBackPlayerJoinTable: seat %d is no seat of the table", seat);
    return;
  }
  PlayerNode* player = GetPlayerNode(seat);
  if (seat == kOwnSeat) {
    if (player != nullptr) {
      m_GlobalInfo.iMoney = player->iMoney;
      m_GlobalInfo.iYuanBao = player->iYuanBao;
    }
  } else {
    BuildSeat(seat);
    g_iSeatHeadFigure[seat] =
        m_pPlayerShow[seat]->IniImage(g_iSeatHeadFigure[seat], g_ptPlayerHead[seat], g_fPlayerHeadScale[seat], Vec2::ZERO);
    AddTableWidget(m_pPlayerShow[seat], kZSeatHead);
    AddTableWidget(m_pPlayerGameInfo[seat], kZSeatWidget);
    AddTableWidget(m_pHandCard[seat], kZSeatWidget);
    AddTableWidget(m_pSendCard[seat], kZPlayedRow);
    if (player != nullptr && player->bReady == 1 && m_pPlayerGameInfo[seat] != nullptr)
      m_pPlayerGameInfo[seat]->ShowCompeteReady(true, g_ptReady[seat]);
    if (IsSinglePlayer() && player != nullptr) {
      const std::string& name = GameText(ddz::kRobotNameFirstText + ddz::RobotHeadPlace(g_iSeatHeadFigure[seat]));
      YndCodeConvert::U2g(name.c_str(), static_cast<int>(name.size()), player->szNickName,
                          static_cast<int>(sizeof(player->szNickName)));
    }
  }
  OtherPlayerInfo* popup = m_pOtherPlayerInfo[seat];
  if (popup != nullptr && popup->isRunning() && player != nullptr) popup->IniPlayerInfo(player);
  AfterPlayerJoin(seat);
}

void CompeteGameView::CallBackPlayerLeaveTable(int seat) {
  if (seat >= 0 && seat < kPlayerCount && seat != kOwnSeat) {
    ParkWidget(m_pPlayerShow[seat]);
    ParkWidget(m_pPlayerGameInfo[seat]);
    ParkWidget(m_pHandCard[seat]);
    ParkWidget(m_pSendCard[seat]);
    if (m_pMingCard[seat] != nullptr && m_pMingCard[seat]->isRunning()) ParkWidget(m_pMingCard[seat]);
  }
  AfterPlayerLeave(seat);
}

void CompeteGameView::CallBackOtherPlayerDisconnect(int seat) {
  if (seat < 0 || seat >= kPlayerCount || m_pPlayerGameInfo[seat] == nullptr) return;
  m_pPlayerGameInfo[seat]->ShowOffLine(true, g_ptOffLine[seat]);
}

void CompeteGameView::CallBackPlayerReady(int seat) {
  if (OnPlayerReadyHook(seat)) return;
  if (seat < 0 || seat >= kPlayerCount || m_pPlayerGameInfo[seat] == nullptr) return;
  // A sign that is up stays.
  m_pPlayerGameInfo[seat]->ShowCompeteReady(true, g_ptReady[seat]);
}

// ---------------------------------------------------------------- kick-out

void CompeteGameView::CallBackKickOutServerNotice(int reason, KickOutServer* notice) {
  // Reason 12 (the account entered elsewhere) ends the connection before the
  // box, so nothing more of this table arrives under it.
  const bool ownText = notice != nullptr && strnlen(notice->szText, sizeof notice->szText - 1) > 0;
  if (!ownText && reason == kKickCloseConnections) CloseAllSocketConnect(false);
  DDZGameView::CallBackKickOutServerNotice(reason, notice);
}

void CompeteGameView::CallBackEscapeNotice(int code) {
  if (code == kEscapeMiniGame) return;
  OnEscapeNoticeHook(code);
}

// ---------------------------------------------------------------- broadcasts, chat

void CompeteGameView::CallBackShowBullInfo(char* msg, int len) {
  if (!isVisible()) return;
  if (!LongEnough(msg, len, kBullSize, "CallBackShowBullInfo")) return;
  char text[kBullTextBytes + 1] = {};
  std::memcpy(text, msg + kBullText, kBullTextBytes);
  if (msg[kBullKind] != kBullShow || m_pGameBull == nullptr) return;
  m_pGameBull->AddBullInfo(YndCodeConvert::G2u(std::string_view(text, strnlen(text, kBullTextBytes))));
}

void CompeteGameView::CallBackUrgrCard(char* msg, int len) {
  if (!LongEnough(msg, len, kUrgeSize, "CallBackUrgrCard")) return;
  const int phrase = static_cast<std::uint8_t>(msg[kUrgeKind]);
  const int seat = SeatOfTableNum(static_cast<std::uint8_t>(msg[kUrgeChair]), "CallBackUrgrCard");
  if (seat < 0 || phrase >= kUrgePhrases || m_pTalkTip == nullptr) return;
  // Phrases above the first are shown for the own seat only.
  if (phrase > 0 && seat != kOwnSeat) return;
  m_pTalkTip->Talk(seat, SeatHeadId(seat), phrase);
}

// ---------------------------------------------------------------- jackpot and red packets

void CompeteGameView::CallBackJackPotNotice(char* msg, int len) {
  if (!LongEnough(msg, len, kJackpotKindSize, "CallBackJackPotNotice")) return;
  if (static_cast<std::uint8_t>(msg[kJackpotKind]) != kJackpotCompete) return;
  if (!LongEnough(msg, len, kJackpotSize, "CallBackJackPotNotice")) return;
  const int amount = BigEndianAt(msg, kJackpotAmount);
  if (amount == 0) {
    GameMsgBox::shareMessageBox()->ShowMessage(GameText(kTextJackpotEmpty).c_str(), kBoxTimed, nullptr, nullptr,
                                               nullptr, kJackpotBoxSeconds);
  } else {
    m_GlobalInfo.iPrizeHold88 = ddz::os::SaturatingAdd(m_GlobalInfo.iPrizeHold88, amount);
  }
  if (AniManage* anis = GetAniManage()) anis->ShowAni(new AniTaskCompete(this), false, true);
}

void CompeteGameView::CallBackHongBaoNotice(char* msg, int len) {
  if (!LongEnough(msg, len, kHongBaoKindSize, "CallBackHongBaoNotice")) return;
  const int kind = LittleEndianAt(msg, kHongBaoKind);
  const auto* entry = std::find_if(std::begin(kHongBaoGuides), std::end(kHongBaoGuides),
                                   [kind](const HongBaoKind& k) { return k.kind == kind; });
  if (entry == std::end(kHongBaoGuides)) return;
  int money = 0;
  int yuanbao = 0;
  if (kind == kHongBaoMoneyKind) {
    if (!LongEnough(msg, len, kHongBaoMoneySize, "CallBackHongBaoNotice")) return;
    money = LittleEndianAt(msg, kHongBaoMoney);
    yuanbao = LittleEndianAt(msg, kHongBaoYuanbao);
    if (PlayerNode* self = GetPlayerNode(kOwnSeat)) {
      self->iMoney = ddz::os::SaturatingAdd(self->iMoney, money);
      self->iYuanBao = ddz::os::SaturatingAdd(self->iYuanBao, yuanbao);
      m_GlobalInfo.iMoney = self->iMoney;
      m_GlobalInfo.iYuanBao = self->iYuanBao;
    }
  }
  auto* guide = new AniPrizeGuide(entry->guide, yuanbao, money);
  if (AniManage* anis = GetAniManage()) {
    anis->ShowAni(guide, true, true);
  } else {
    guide->release();
  }
}

// ---------------------------------------------------------------- money, quit question

void CompeteGameView::SetMoneyInfo(int money, int yuanbao) {
  m_GlobalInfo.iMoney = money;
  m_GlobalInfo.iYuanBao = yuanbao;
}

void CompeteGameView::ShowQuitMsgBox() { AskToQuitTable(); }

// ---------------------------------------------------------------- background and foreground

void CompeteGameView::CallBackGameEnterBackGround() {
  // A second background before the foreground changes nothing more.
  if (IsBackgroundHeld()) return;
  GameViewBase::CallBackGameEnterBackGround();
  ResetTable();
  // Every widget that holds the lock goes, and lowers its hold once: the
  // deal, the bottom-card flip, the doubling sign, the result's own raise.
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat == kOwnSeat) continue;
    ParkWidget(m_pPlayerShow[seat]);
    ParkWidget(m_pPlayerGameInfo[seat]);
    ParkWidget(m_pSendCard[seat]);
    if (m_pMingCard[seat] != nullptr && m_pMingCard[seat]->isRunning()) {
      m_pMingCard[seat]->RemoveAllCards();
      ParkWidget(m_pMingCard[seat]);
    }
  }
  auto drop = [](auto*& slot) {
    if (slot == nullptr) return;
    static_cast<cocos2d::Node*>(slot)->removeFromParent();
    slot = nullptr;
  };
  for (int seat = 0; seat < kPlayerCount; ++seat) drop(m_pHandCard[seat]);
  drop(m_pDealCard);
  drop(m_pGameClock);
  if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
  if (AniManage* anis = GetAniManage()) anis->Clear();
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  unschedule(schedule_selector(CompeteGameView::OnResultStep));
  RemoveResultNumbers();
  ReleaseResultLock();
  OnEnterBackGroundHook();
  TakeMatchScreensOff();  // the promotion screen kept for the next stage
}

void CompeteGameView::CallBackGameEnterForeGround() {
  // The base gives back the background's raise (also after the match: the
  // table must not stay frozen behind the award).
  GameViewBase::CallBackGameEnterForeGround();
  if (GetCompeteState() == kFinishedState) {
    PlayCompeteMusic(kTrackFinal);
    return;
  }
  BuildSelfHand();
  AddTableWidget(m_pHandCard[kOwnSeat], kZOwnHand);
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat != kOwnSeat && m_pHandCard[seat] == nullptr) {
      m_pHandCard[seat] = new OtherHandCard(seat);
      m_pHandCard[seat]->autorelease();
    }
  }
  BuildDeal();
  if (m_pGameClock == nullptr) {
    m_pGameClock = new GameClock(m_pHandCard[kOwnSeat], kGameKind);
    m_pGameClock->autorelease();
  }
  AddTableWidget(m_pGameClock, kZClock);
  // Nothing queued for the hand the table no longer shows may reach it (the
  // re-login snapshot brings the hand back); the match's own frames that
  // came meanwhile (its state, ranks, a server move, the award) still do.
  DropPendingMessages(&CompeteGameView::IsHandMessage);
  IniMainSocketAuthen();
}
