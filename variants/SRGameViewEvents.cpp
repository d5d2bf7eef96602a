// SRGameView: what the table does when the game base calls back: the login,
// players joining, leaving, dropping and returning, ready signs and the
// automatic table change, announcements, quick chat, jackpot and red-packet
// notices, the money, and the window going to the background and back.
//
// A notice is read only as far as its length allows (shorter ones are dropped
// with a log line); seats outside 0..3 change nothing, and the notices about
// other players ignore the own seat.
#include <cstring>
#include <string>
#include <string_view>

#include "cards/OtherHandCard.h"
#include "cards/SRDealCard.h"
#include "cards/SRSelfHandCard.h"
#include "cards/SRShowCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Saturate.h"
#include "variants/SRGameView.h"
#include "variants/VariantNotices.h"
#include "widgets/ActivityLayer.h"
#include "widgets/AwardDisplays.h"
#include "widgets/BottomUI.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/SRResultLayer.h"
#include "widgets/SRTopUI.h"
#include "widgets/TableNotices.h"
#include "widgets/TalkLayer.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

constexpr int kZHead = -80;
constexpr int kZSeatWidget = 2;
constexpr int kZPlayedRow = 4;
constexpr int kZTopPlayedRow = 3;
constexpr int kZOwnHand = 100;

// Announcement: 199 text bytes from 8, the kind at 208 (1: the strip).
constexpr int kBullText = 8;
constexpr int kBullTextBytes = 199;
constexpr int kBullKind = 208;
constexpr int kBullSize = 209;
constexpr int kBullStrip = 1;

// Jackpot: the kind at 9, the amount (big-endian) at 12.
constexpr int kJackpotKind = 9;
constexpr int kJackpotKindSize = 10;
constexpr int kJackpotAmount = 12;
constexpr int kJackpotSize = 16;
constexpr int kJackpotYuanbao = 4;
constexpr int kJackpotYuanbaoChange = 7;
constexpr int kAwardYuanbaoId = 2;
constexpr int kAwardYuanbaoKind = 1;
constexpr int kTextFirstYuanbao = 192;
constexpr int kLevelForYuanbaoTip = 2;

bool LongEnough(int len, int need, const char* what) {
  if (len >= need) return true;
  cocos2d::log("SRGameView::%s: notice of length %d is shorter than %d, dropped", what, len, need);
  return false;
}

bool IsSeat(int pos) { return pos >= 0 && pos < SRGameView::kPlayerCount; }

}  // namespace

// ---------------------------------------------------------------- login and seats

void SRGameView::CallBackAuthenResOK() {
  ResetSeatHeadFigures();
  // The single-player game has no table to sit at: the box that says so
  // stays until its button leaves.
  if (IsSinglePlayer()) return;
  if (m_pBtnStart != nullptr) {
    OnBtnStart(nullptr);
    GameMsgBox::shareMessageBox()->CloseDialog(0);
  }
}

void SRGameView::CallBackPlayerJoinTable(int pos) {
  if (!IsSeat(pos)) {
    cocos2d::log("SRGameView::CallBackPlayerJoinTable: seat %d is no seat of the table", pos);
    return;
  }
  PlayerNode* player = GetPlayerNode(pos);
  if (pos == kOwnSeat) {
    if (player != nullptr) {
      if (m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(player);
      m_GlobalInfo.iMoney = player->iMoney;
      m_GlobalInfo.iYuanBao = player->iYuanBao;
    }
  } else {
    if (PlayerShow* head = m_pPlayerShow[pos]) {
      // The seat keeps the figure it showed earlier in the hand.
      g_iSeatHeadFigure[pos] =
          head->IniImage(g_iSeatHeadFigure[pos], g_ptPlayerHead[pos], g_fSRPlayerHeadScale[pos], Vec2::ZERO);
      AddTableWidget(head, kZHead);
    }
    AddTableWidget(m_pPlayerGameInfo[pos], kZSeatWidget);
    AddTableWidget(m_pSendCard[pos], pos == 3 ? kZTopPlayedRow : kZPlayedRow);
    AddTableWidget(m_pHandCard[pos], kZSeatWidget);
    if (player != nullptr && player->bReady == 1 && m_pPlayerGameInfo[pos] != nullptr)
      m_pPlayerGameInfo[pos]->ShowReady(true, g_ptReady[pos]);
    CancelAutoChangeDesk();
  }
  if (player != nullptr && m_pOtherPlayerInfo[pos] != nullptr) m_pOtherPlayerInfo[pos]->IniPlayerInfo(player);
}

void SRGameView::CallBackPlayerLeaveTable(int pos) {
  if (!IsSeat(pos) || pos == kOwnSeat) return;
  for (cocos2d::Node* widget : {static_cast<cocos2d::Node*>(m_pPlayerShow[pos]),
                                static_cast<cocos2d::Node*>(m_pPlayerGameInfo[pos]),
                                static_cast<cocos2d::Node*>(m_pHandCard[pos]),
                                static_cast<cocos2d::Node*>(m_pSendCard[pos])}) {
    if (widget != nullptr && widget->getParent() != nullptr) widget->removeFromParent();
  }
}

void SRGameView::CallBackOtherPlayerDisconnect(int pos) {
  if (!IsSeat(pos) || pos == kOwnSeat || m_pPlayerGameInfo[pos] == nullptr) return;
  m_pPlayerGameInfo[pos]->ShowOffLine(true, g_ptSROffLine[pos]);
  m_pPlayerGameInfo[pos]->ShowNetDelay(false, g_ptSROffLine[pos]);
}

void SRGameView::CallBackOtherPlayerLoginAgain(int pos) {
  if (!IsSeat(pos) || pos == kOwnSeat || m_pPlayerGameInfo[pos] == nullptr) return;
  m_pPlayerGameInfo[pos]->ShowOffLine(false, g_ptSROffLine[pos]);
}

void SRGameView::CallBackPlayerNetDelay(int pos, int value) {
  if (!IsSeat(pos) || pos == kOwnSeat || m_pPlayerGameInfo[pos] == nullptr) return;
  const PlayerNode* player = GetPlayerNode(pos);
  if (player != nullptr && player->bShortClock != 0) return;
  m_pPlayerGameInfo[pos]->ShowNetDelay(value != 0, g_ptSROffLine[pos]);
}

void SRGameView::CallBackPlayerReady(int pos) {
  if (!IsSeat(pos)) return;
  PlayerGameInfo* info = m_pPlayerGameInfo[pos];
  // The own seat's widget shows the wait sign, the others the ready sign.
  if (info != nullptr && info->GetReady() == nullptr) info->ShowReady(true, g_ptReady[pos]);
  ScheduleAutoChangeDeskIfAlone(pos);
}

// ---------------------------------------------------------------- announcements and chat

void SRGameView::CallBackShowBullInfo(char* msg, int len) {
  if (!isRunning() || msg == nullptr || !LongEnough(len, kBullSize, "CallBackShowBullInfo")) return;
  char text[kBullTextBytes + 1] = {};
  std::memcpy(text, msg + kBullText, kBullTextBytes);
  if (msg[kBullKind] != kBullStrip || m_pTopBull == nullptr) return;
  m_pTopBull->AddBullInfo(YndCodeConvert::G2u(std::string_view(text, strnlen(text, kBullTextBytes))));
}

void SRGameView::CallBackUrgrCard(char* msg, int len) { variantnotice::QuickChat(*this, *this, msg, len); }

// ---------------------------------------------------------------- jackpot and red packets

void SRGameView::CallBackJackPotNotice(char* msg, int len) {
  if (msg == nullptr || !LongEnough(len, kJackpotKindSize, "CallBackJackPotNotice")) return;
  const int kind = static_cast<std::uint8_t>(msg[kJackpotKind]);
  if (kind != kJackpotYuanbao && kind != kJackpotYuanbaoChange) return;
  if (!LongEnough(len, kJackpotSize, "CallBackJackPotNotice")) return;
  const int amount = BigEndianAt(msg, kJackpotAmount);
  if (kind == kJackpotYuanbaoChange) {
    variantnotice::JackpotYuanbaoChange(*this, amount);
    return;
  }
  if (AniManage* anis = GetAniManage())
    anis->ShowAni(AniManageShowAward::Create(kAwardYuanbaoId, kAwardYuanbaoKind, amount, this), true, true);
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (self == nullptr) return;
  variantnotice::AddOwnYuanbao(*this, amount);
  if (m_pTalkTip != nullptr && self->iLevel < kLevelForYuanbaoTip)
    m_pTalkTip->TalkFreeTxt(kOwnSeat, GameText(kTextFirstYuanbao));
}

void SRGameView::CallBackHongBaoNotice(char* msg, int len) { variantnotice::RedPacket(*this, msg, len); }

void SRGameView::CallBackHandleFriendCard(char* msg, int len) { tablenotice::HandleFriendCard(*this, msg, len); }

void SRGameView::CallBackHandleActiveMoney(char* msg, int len) { tablenotice::HandleActiveMoney(*this, msg, len); }

void SRGameView::SetMoneyInfo(int money, int yuanbao) { variantnotice::SetMoneyInfo(*this, money, yuanbao); }

// ---------------------------------------------------------------- background and foreground

void SRGameView::CallBackGameEnterBackGround() {
  // A second background before the foreground changes nothing more.
  if (IsBackgroundHeld()) return;
  GameViewBase::CallBackGameEnterBackGround();
  ResetTable();
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (seat != kOwnSeat) CallBackPlayerLeaveTable(seat);
    // The hand rows go; the own hand is made anew at the foreground.
    if (m_pHandCard[seat] != nullptr && m_pHandCard[seat]->getParent() != nullptr)
      m_pHandCard[seat]->removeFromParent();
  }
  // Each widget that holds the messages lowers its own hold as it goes.
  RemoveResultLayer();
  LowerResultLock();
  if (m_pDealCard != nullptr && m_pDealCard->getParent() != nullptr) m_pDealCard->removeFromParent();
  if (m_pGameClock != nullptr && m_pGameClock->getParent() != nullptr) m_pGameClock->removeFromParent();
  if (AniManage* anis = GetAniManage()) anis->Clear();
  if (SRTopUI* top = GetTopBar()) {
    top->ShowGoldCardTask(-1, nullptr, false, false);
    top->ShowTaskPanel(0, 0, false);
  }
  if (m_pActivityLayer != nullptr && m_pActivityLayer->isRunning()) m_pActivityLayer->RemoveAll();
}

void SRGameView::CallBackGameEnterForeGround() {
  // The base gives back the background's hold.
  GameViewBase::CallBackGameEnterForeGround();
  PlayBackgroundMusic();
  if (m_bForeGroundFlag == 0) {
    QuitGame(nullptr);
    return;
  }
  if (m_pBaseCard == nullptr) return;  // the table was never built
  // A new own hand, and the clock and deal that point at it, in place of the
  // old ones.
  for (cocos2d::Node* old : {static_cast<cocos2d::Node*>(m_pHandCard[kOwnSeat]),
                             static_cast<cocos2d::Node*>(m_pGameClock), static_cast<cocos2d::Node*>(m_pDealCard)})
    if (old != nullptr && old->getParent() != nullptr) old->removeFromParent();
  BuildSelfHand();
  addChild(m_pHandCard[kOwnSeat], kZOwnHand);
  BuildClock();
  BuildDeal();
  // Nothing queued for the hand the table showed may reach the new one.
  DropPendingMessages();
  IniMainSocketAuthen();
  if (m_pBottomUI != nullptr && m_pBottomUI->isRunning()) m_pBottomUI->ShowBottomSelfInfo(true);
}
