// GameViewPC: the re-login snapshot. When the player logs in again to a hand
// that is still running, the game base hands over one message that describes
// the whole table; the view lays the table out again from it: bidding mode,
// hands, shown hand, bids, landlord, the last play, the bottom cards, base
// score and multiple, bombs, the card counter, the task panel and the money.
//
// The snapshot is read whole before anything changes: a snapshot shorter
// than kReloginSize or a seat byte that names no seat drops the message with
// a log line. Card bytes that name no card are empty places.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/SelfHandCard.h"
#include "cards/SendCard.h"
#include "cards/SpriteCardManage.h"
#include "classic/BottomUIPC.h"
#include "classic/GameViewPC.h"
#include "platform/gamebase/MessageFields.h"
#include "classic/TopUIPC.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/os/Saturate.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/TaskUI.h"

using cocos2d::Vec2;

using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// Offsets of the snapshot, from the frame start.
constexpr int kText = 33;
constexpr int kTextEnd = 140;
constexpr int kMode = 140;
constexpr int kHands = 144;
constexpr int kHandBytes = 20;
constexpr int kBottomCards = 204;
constexpr int kBottomCount = 3;
constexpr int kLandlord = 207;
constexpr int kCalledPoints = 209;
constexpr int kStake = 212;
constexpr int kHandShown = 216;
constexpr int kTableCards = 217;
constexpr int kTableCardCount = 20;
constexpr int kTableCardSeat = 237;
constexpr int kBids = 238;
constexpr int kBombs = 241;
constexpr int kRocket = 242;
constexpr int kTopScoreCap = 244;
constexpr int kBaseScore = 248;
constexpr int kPlayedCards = 252;
constexpr int kPlayedCount = 54;
constexpr int kTaskId = 308;
constexpr int kTaskValue = 312;
constexpr int kTaskState = 316;
constexpr int kTableFee = 468;
constexpr int kTaskExtraA = 524;
constexpr int kTaskExtraB = 528;
static_assert(kTaskExtraB + 4 == GameViewPC::kReloginSize);

constexpr int kSeats = GameViewPC::kPlayerCount;
constexpr int kCallRobMode = 1;
constexpr int kNoSeat = -1;
constexpr int kDoubled = 7;
constexpr int kLandlordRole = 2;
constexpr int kFarmerRole = 1;
constexpr int kTaskRunning = 1;
constexpr int kTaskDone = 2;
constexpr int kZShownRow = 1;
constexpr int kZTaskPanel = 200;
constexpr int kTextLoggedIn = 451;

int NativeAt(const char* msg, int at) {
  std::int32_t v = 0;
  std::memcpy(&v, msg + at, sizeof v);
  return v;
}

// The snapshot as the table reads it: seats already turned into screen
// positions, card bytes into card codes.
struct Snapshot {
  int mode = 0;
  std::string text;
  std::array<std::vector<int>, kSeats> hands;  // by screen position
  std::array<int, kSeats> bids{};              // by screen position
  std::vector<int> bottom;
  int landlord = kNoSeat;  // screen position
  int calledPoints = 0;
  int stake = 0;
  bool handShown = false;
  std::vector<int> tableCards;
  int tableCardSeat = kNoSeat;  // screen position, kNoSeat with no table card
  int bombs = 0;
  bool rocket = false;
  int cap = 0;
  int baseScore = 0;
  std::vector<int> played;
  int taskId = 0;
  int taskValue = 0;
  int taskState = 0;
  int tableFee = 0;
  int taskExtraA = 0;
  int taskExtraB = 0;
};

// The codes of `n` card bytes from `at`. 0, and the bytes below 0 as signed
// bytes that name no card (0xFF), are empty places; the jokers 144 and 177
// stay cards. Any other byte that names no card is skipped with a log line.
std::vector<int> ReadCards(const char* msg, int at, int n, const char* what) {
  std::vector<int> out;
  for (int i = 0; i < n; ++i) {
    const auto byte = static_cast<std::uint8_t>(msg[at + i]);
    if (byte == 0) continue;
    const int code = ddz::CardByteToCode(byte);
    if (code >= 0) {
      out.push_back(code);
    } else if (static_cast<signed char>(byte) > 0) {
      cocos2d::log("GameViewPC::CallBackAgainLogin: %s byte 0x%02x is no card, skipped", what, byte);
    }
  }
  return out;
}

SpriteCardManage* CardRow(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

}  // namespace

void GameViewPC::ClearTableForRestore() {
  m_TableItem.Clear();
  for (int seat = 0; seat < kMaxSeats; ++seat) {
    if (m_pHandCard[seat] != nullptr) m_pHandCard[seat]->RemoveAllCards();
    if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
    if (m_pMingCard[seat] != nullptr) m_pMingCard[seat]->RemoveAllCards();
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ResetAll();
  }
  if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
  m_iShowCardSeat = -1;
}

void GameViewPC::CallBackAgainLogin(char* msg, int len) {
  if (msg == nullptr || len < kReloginSize) {
    cocos2d::log("GameViewPC::CallBackAgainLogin: snapshot of length %d is shorter than %d, dropped", len,
                 kReloginSize);
    return;
  }
  // ---- read and check everything first ----
  Snapshot snap;
  auto seatOf = [&](int chairByte, const char* what) {
    const int pos = SeatOfChair(static_cast<std::uint8_t>(chairByte), what);
    return pos;
  };
  snap.mode = static_cast<signed char>(msg[kMode]);
  for (int i = 0; i < kSeats; ++i) {
    const int pos = seatOf(i, "CallBackAgainLogin");
    if (pos < 0) return;
    snap.hands[pos] = ReadCards(msg, kHands + kHandBytes * i, kHandBytes, "hand");
    snap.bids[pos] = static_cast<signed char>(msg[kBids + i]);
  }
  snap.bottom = ReadCards(msg, kBottomCards, kBottomCount, "bottom card");
  const int landlordByte = static_cast<signed char>(msg[kLandlord]);
  if (landlordByte != kNoSeat) {
    snap.landlord = seatOf(landlordByte, "CallBackAgainLogin landlord");
    if (snap.landlord < 0) return;
  }
  snap.tableCards = ReadCards(msg, kTableCards, kTableCardCount, "table card");
  if (snap.landlord >= 0 && !snap.tableCards.empty()) {
    snap.tableCardSeat = seatOf(static_cast<std::uint8_t>(msg[kTableCardSeat]), "CallBackAgainLogin last play");
    if (snap.tableCardSeat < 0) return;
  }
  snap.played = ReadCards(msg, kPlayedCards, kPlayedCount, "played card");
  const std::size_t textLen = strnlen(msg + kText, kTextEnd - kText);
  snap.text = YndCodeConvert::G2u(std::string_view(msg + kText, textLen));
  snap.calledPoints = static_cast<signed char>(msg[kCalledPoints]);
  snap.stake = BigEndianAt(msg, kStake);
  snap.handShown = static_cast<std::uint8_t>(msg[kHandShown]) == 1;
  snap.bombs = static_cast<signed char>(msg[kBombs]);
  snap.rocket = msg[kRocket] != 0;
  snap.cap = BigEndianAt(msg, kTopScoreCap);
  snap.baseScore = BigEndianAt(msg, kBaseScore);
  snap.taskId = BigEndianAt(msg, kTaskId);
  snap.taskValue = BigEndianAt(msg, kTaskValue);
  snap.taskState = BigEndianAt(msg, kTaskState);
  snap.tableFee = BigEndianAt(msg, kTableFee);
  snap.taskExtraA = NativeAt(msg, kTaskExtraA);
  snap.taskExtraB = NativeAt(msg, kTaskExtraB);

  // ---- 1, 2: mode, the table cleared, text and cap ----
  m_iGameMode = snap.mode;
  ResetTable();
  ClearTableForRestore();
  g_iExitState = 1;
  const bool callRob = m_iGameMode == kCallRobMode;
  if (m_pInfoLabel != nullptr) m_pInfoLabel->setString(snap.text);
  m_iTopScoreCap = snap.cap;
  if (m_pTopUIPC != nullptr) m_pTopUIPC->SetTopScore(m_iTopScoreCap);

  // ---- 3: the shown hand and the table fee ----
  if (callRob) {
    if (snap.handShown && snap.landlord >= 0) {
      m_iShowCardSeat = snap.landlord;
      if (m_iShowCardSeat != kOwnSeat && m_pMingCard[m_iShowCardSeat] != nullptr) {
        AddTableWidget(m_pMingCard[m_iShowCardSeat], kZShownRow);
        m_pMingCard[m_iShowCardSeat]->setVisible(true);
      }
    }
    m_GlobalInfo.iTableFee = snap.tableFee;
    for (int pos = 0; pos < kSeats; ++pos) {
      PlayerNode* player = GetPlayerNode(pos);
      if (player == nullptr) continue;
      player->iMoney = ddz::os::SaturatingSub(player->iMoney, snap.tableFee);
      if (m_pPlayerGameInfo[pos] != nullptr)
        m_pPlayerGameInfo[pos]->ShowPlayerMoneInfo(true, player->iMoney, g_ptPlayerMoneyPos[pos], false);
    }
  }

  // ---- 4: bids and hands ----
  for (int pos = 0; pos < kSeats; ++pos) {
    m_TableItem.iPointDemand[pos] = snap.bids[pos];
    SpriteCardManage* hand = CardRow(m_pHandCard[pos]);
    SpriteCardManage* shown = pos == m_iShowCardSeat ? CardRow(m_pMingCard[pos]) : nullptr;
    for (int code : snap.hands[pos]) {
      if (pos == kOwnSeat) {
        if (hand != nullptr) hand->AddCard(code, false, false, true, -1, false, false);
        continue;
      }
      if (hand != nullptr) hand->AddCard(0, true, false, true, -1, false, false);
      if (shown != nullptr) shown->AddCard(code, false, false, true, 0, false, true);
    }
  }
  if (callRob && m_iShowCardSeat == kOwnSeat) {
    if (SelfHandCard* own = GetSelfHand()) own->ShowMingPaiMark();
  }

  // ---- 5: bidding, or the landlord with the last play and the bottom cards ----
  if (snap.landlord < 0) {
    for (int pos = 0; pos < kSeats; ++pos) {
      if (m_pPlayerGameInfo[pos] != nullptr)
        m_pPlayerGameInfo[pos]->ShowPoint(true, m_TableItem.iPointDemand[pos], g_ptPlayerInfoBG[pos]);
    }
    if (m_pBaseCard != nullptr) {
      for (int i = 0; i < kBottomCount; ++i) m_pBaseCard->AddCard(0, true, true);
    }
  } else {
    if (callRob) {
      for (int pos = 0; pos < kSeats; ++pos) {
        if (m_TableItem.iPointDemand[pos] == kDoubled && m_pPlayerGameInfo[pos] != nullptr)
          m_pPlayerGameInfo[pos]->ShowAddPound(true, g_ptPlayerJiaBeiPos[pos]);
      }
    }
    const int landlord = snap.landlord;
    m_TableItem.iLandOwnerPos = landlord;
    // A restore shows the hat at rest at once: no entrance holds the messages.
    if (m_pPlayerGameInfo[landlord] != nullptr)
      m_pPlayerGameInfo[landlord]->ShowLandOwner(true, g_ptLandOwner[landlord], true);
    for (int pos = 0; pos < kSeats; ++pos) m_iSendRowRole[pos] = pos == landlord ? kLandlordRole : kFarmerRole;

    const int owner = snap.tableCards.empty() ? landlord : snap.tableCardSeat;
    m_TableItem.iTableCardOwnerPos = owner;
    SpriteCardManage* row = CardRow(m_pSendCard[owner]);
    for (int code : snap.tableCards) {
      m_TableItem.vcTableCardIndex.push_back(code);
      if (row != nullptr) row->AddCard(code, false, false, true, -1, false, false);
    }
    if (row != nullptr && row->GetCardCount() > 0) {
      if (owner == kOwnSeat) {
        if (auto* sendRow = dynamic_cast<SendCard*>(row)) sendRow->ResetCardsPos();
      }
      row->SetLandlordMark(row->GetCardCount() - 1, m_iSendRowRole[owner]);
    }

    m_TableItem.vcBaseCardIndex.clear();
    for (int code : snap.bottom) {
      if (m_pBaseCard != nullptr) m_pBaseCard->AddCard(0, true, true);
      m_TableItem.vcBaseCardIndex.push_back(code);
    }
    if (m_pBaseCard != nullptr) m_pBaseCard->LayoutCards();
    if (m_pTopUIPC != nullptr) m_pTopUIPC->ShowBaseCards(m_TableItem.vcBaseCardIndex);
  }

  // ---- 6: the other hands' display flags ----
  ArmSideHands(true);

  // ---- 7: points, base score and multiple ----
  m_TableItem.iFinalPoint = snap.calledPoints;
  for (int pos = 0; pos < kSeats; ++pos)
    m_TableItem.iFinalPoint = std::max(m_TableItem.iFinalPoint, m_TableItem.iPointDemand[pos]);
  m_TableItem.iBaseScore = snap.baseScore;
  // The stake is base score x multiple; a snapshot without a base score
  // shows the multiple 1.
  m_TableItem.iTimes = snap.baseScore > 0 ? snap.stake / snap.baseScore : 1;
  if (m_pTopUIPC != nullptr) {
    m_pTopUIPC->SetBaseScore(ddz::os::SaturatingMul(m_TableItem.iFinalPoint, m_TableItem.iBaseScore));
    m_pTopUIPC->SetNumber(m_TableItem.iTimes);
  }

  // ---- 8: buttons, touches, bombs ----
  EnableBottomBarButtons(true);
  if (SelfHandCard* own = GetSelfHand()) own->setTouchEnabled(true, false);
  m_TableItem.iSendBombNum = snap.bombs;
  m_TableItem.bSendRocket = snap.rocket;

  // ---- 9: the card counter and the own bar ----
  if (CardCounterLayer* counter = GetCardCounter()) {
    counter->AddCards(snap.played);
    counter->SetShow(true);
  }
  if (m_pBottomUIPC != nullptr) {
    if (PlayerNode* self = GetPlayerNode(kOwnSeat)) m_pBottomUIPC->SetSelfInfo(self);
  }

  // ---- 10: the task panel ----
  if (!IsSinglePlayer()) {
    const int state = snap.taskState == kTaskRunning ? 0 : snap.taskState == kTaskDone ? 1 : -1;
    if (m_pTaskUI != nullptr) static_cast<cocos2d::Node*>(m_pTaskUI)->removeFromParent();
    m_pTaskUI = new TaskUI(snap.taskValue, snap.taskId, snap.taskState, state);
    m_pTaskUI->autorelease();
    m_pTaskUI->m_iAddPercent = snap.taskExtraA;
    m_pTaskUI->m_iAddSeconds = snap.taskExtraB;
    addChild(m_pTaskUI, kZTaskPanel);
    if (state != -1) {
      m_pTaskUI->unschedule(schedule_selector(TaskUI::OnCountdown));
      if (m_pTaskUI->GetAddTime() != nullptr) m_pTaskUI->GetAddTime()->setVisible(false);
      if (m_pTaskUI->GetPercentLabel() != nullptr) m_pTaskUI->GetPercentLabel()->setVisible(false);
    }
  }

  // ---- 11 ----
  AddSysBoxMessage(GameText(kTextLoggedIn), -1);
  m_bHandRunning = true;
}
