// SRGameView: the re-login snapshot that lays a hand in play out again, the
// hand result (spring doubling, the result's hold, the result pause), the
// result window and its buttons.
//
// The result's raise of the message lock is one MsgLockToken of the view: the
// first button (or the window's time-out) lowers it, a second lowering finds
// it released and changes nothing, and a view that leaves the stage with the
// window open lowers it on its way out.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "cardlogic/SRMessages.h"
#include "cards/BaseCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SRSelfHandCard.h"
#include "cards/SRShowCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Clock.h"
#include "platform/os/Saturate.h"
#include "variants/SRGameView.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultAnis.h"
#include "widgets/SRResultLayer.h"
#include "widgets/SRTopUI.h"

using ddz::LittleEndianAt;
namespace sr = ddz::sr;

namespace {

constexpr int kLandlordRole = 2;
constexpr int kFarmerRole = 1;
constexpr int kZShowCard = 2;
constexpr int kZSeatHead = -80;
constexpr int kZSeatWidget = 2;
constexpr int kZPlayedRow = 4;
constexpr int kZTopPlayedRow = 3;
constexpr int kWebActivity = 2;
constexpr int kEscapeOtherTable = 0;
constexpr int kEscapeMiniGame = 98;
constexpr int kTextMiniGameWait = 116;
constexpr float kMiniGameWaitSeconds = 20.0f;

int SignedByteAt(const char* msg, int at) { return static_cast<signed char>(msg[at]); }

SpriteCardManage* CardRow(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

}  // namespace

// ---------------------------------------------------------------- re-login

void SRGameView::CallBackAgainLogin(char* msg, int len) {
  if (msg == nullptr || len < kReloginSize) {
    cocos2d::log("SRGameView::CallBackAgainLogin: snapshot of length %d is shorter than %d, dropped", len,
                 kReloginSize);
    return;
  }
  // Every chair the snapshot names must be a seat before anything changes.
  const int landlordChair = SignedByteAt(msg, sr::ReloginAt::Landlord);
  const bool landlordKnown = landlordChair != -1;
  const int landlord = landlordKnown ? SeatOfChair(landlordChair, "CallBackAgainLogin") : -1;
  if (landlordKnown && landlord < 0) return;
  const std::vector<int> onTable = CardsAt(msg, sr::ReloginAt::TableCards, kMaxPlayCards, false);
  int tableSeat = landlord;
  if (landlordKnown && !onTable.empty()) {
    tableSeat = SeatOfChair(static_cast<std::uint8_t>(msg[sr::ReloginAt::TableChair]), "CallBackAgainLogin");
    if (tableSeat < 0) return;
  }

  ResetTable();
  m_iCapScore = LittleEndianAt(msg, sr::ReloginAt::Cap);
  const int g = SignedByteAt(msg, sr::ReloginAt::Golden);
  m_TableItem.cHappyCard = static_cast<std::int8_t>(g);
  const int golden = GoldenRank();
  SRSelfHandCard* hand = GetSelfHand();
  if (hand != nullptr) hand->SetGoldenRank(golden);
  // Once the landlord is known, the first touch of a raised bottom card lowers them all.
  if (hand != nullptr && landlordKnown) hand->SetTurnStarted(true);
  if (SRTopUI* top = GetTopBar()) {
    int gold[kGoldCounts];
    for (int i = 0; i < kGoldCounts; ++i) gold[i] = LittleEndianAt(msg, sr::ReloginAt::GoldTasks + 4 * i);
    top->ShowGoldCardTask(g, gold, true, true);
    top->ShowTaskPanel(LittleEndianAt(msg, sr::ReloginAt::Task1), LittleEndianAt(msg, sr::ReloginAt::Task2), true);
  }

  for (int chair = 0; chair < kPlayerCount; ++chair) {
    const int seat = GetTablePosByTableNumExtra(static_cast<char>(chair));
    if (seat < 0 || seat >= kPlayerCount) continue;
    // The seats of the table take their widgets back.
    if (seat != kOwnSeat && GetPlayerNode(seat) != nullptr) {
      AddTableWidget(m_pPlayerShow[seat], kZSeatHead);
      AddTableWidget(m_pPlayerGameInfo[seat], kZSeatWidget);
      AddTableWidget(m_pSendCard[seat], seat == 3 ? kZTopPlayedRow : kZPlayedRow);
      AddTableWidget(m_pHandCard[seat], kZSeatWidget);
    }
    m_TableItem.iPointDemand[seat] = SignedByteAt(msg, sr::ReloginAt::Bids + chair);
    if (seat == kOwnSeat) {
      if (hand == nullptr) continue;
      for (int code : CardsAt(msg, sr::ReloginAt::OwnCards, kMaxPlayCards, false))
        hand->AddCard(code, false, false, false, -1, golden >= 0 && code % 15 == golden, false);
      hand->SortCards();
    } else if (SpriteCardManage* backs = CardRow(m_pHandCard[seat])) {
      const int count = std::clamp(SignedByteAt(msg, sr::ReloginAt::CardCounts + chair), 0, kMaxPlayCards);
      for (int i = 0; i < count; ++i) backs->AddCard(0, true, false, true, -1, false, false);
    }
  }

  if (!landlordKnown) {
    for (int seat = 0; seat < kPlayerCount; ++seat) {
      const int bid = m_TableItem.iPointDemand[seat];
      if (m_pPlayerGameInfo[seat] != nullptr && bid >= 0)
        m_pPlayerGameInfo[seat]->ShowPoint(true, bid, g_ptPlayerInfoBG[seat]);
    }
    if (m_pBaseCard != nullptr)
      for (int i = 0; i < kBottomCards; ++i) m_pBaseCard->AddCard(0, true, true);
  } else {
    m_TableItem.iLandOwnerPos = landlord;
    if (m_pPlayerGameInfo[landlord] != nullptr)
      m_pPlayerGameInfo[landlord]->ShowLandOwner(true, g_ptSRLandOwner[landlord], true);
    for (int seat = 0; seat < kPlayerCount; ++seat) m_iRowRole[seat] = seat == landlord ? kLandlordRole : kFarmerRole;
    if (hand != nullptr) {
      hand->SetRole(landlord == kOwnSeat ? kLandlordRole : kFarmerRole);
      hand->RefreshCardMarks(true);
    }
    m_TableItem.iTableCardOwnerPos = tableSeat;
    SpriteCardManage* row = CardRow(m_pSendCard[tableSeat]);
    for (int code : onTable) {
      m_TableItem.vcTableCardIndex.push_back(code);
      if (row != nullptr) row->AddCard(code, false, false, true, -1, false, false);
    }
    if (row != nullptr && !onTable.empty()) {
      if (tableSeat == kOwnSeat)
        if (auto* own = dynamic_cast<SendCard*>(row)) own->ResetCardsPos();
      row->SetLandlordMark(row->GetCardCount() - 1, m_iRowRole[tableSeat]);
    }
    if (msg[sr::ReloginAt::Shown] != 0 && landlord != kOwnSeat && m_pShowCard != nullptr) {
      m_pShowCard->SetSeat(landlord);
      m_pShowCard->SetOrigin(g_ptSRShowCardBg[landlord]);
      m_pShowCard->SetShowCardScale(1.0f);
      AddTableWidget(m_pShowCard, kZShowCard);
      for (int code : CardsAt(msg, sr::ReloginAt::ShownCards, kMaxPlayCards, false))
        m_pShowCard->AddCard(code, false, false, false, -1, false, true);
      m_pShowCard->SortCards();
      m_TableItem.iShowCardTable = landlord;
    }
    m_TableItem.vcBaseCardIndex = CardsAt(msg, sr::ReloginAt::Bottom, kBottomCards, false);
    if (m_pBaseCard != nullptr)
      for (int code : m_TableItem.vcBaseCardIndex) m_pBaseCard->AddCard(code, false, true);
  }

  ArmOtherHands(true);
  m_TableItem.iFinalPoint = SignedByteAt(msg, sr::ReloginAt::FinalBid);
  m_TableItem.iBaseScore = LittleEndianAt(msg, sr::ReloginAt::BaseScore);
  m_TableItem.iTimes = SignedByteAt(msg, sr::ReloginAt::Times);
  if (SRTopUI* top = GetTopBar()) {
    top->SetFinalPoint(m_TableItem.iBaseScore);
    top->SetTimes(m_TableItem.iTimes, false);
    top->SetCardCountBtnEnabled(true);
    if (auto* counter = dynamic_cast<SRCardCounterLayer*>(top->GetCardCounter()))
      counter->SetRemainCards(reinterpret_cast<const std::uint8_t*>(msg + sr::ReloginAt::Remain));
    top->SetNumVisible(true);
  }
  if (hand != nullptr) hand->setTouchEnabled(true, false);
  if (m_pBottomUI != nullptr) {
    m_pBottomUI->SetUIInfo(GetPlayerNode(kOwnSeat));
    if (m_pBottomUI->isRunning() && g_bIpadLayout == 0) m_pBottomUI->setVisible(false);
  }
}

// ---------------------------------------------------------------- the hand result

void SRGameView::CallBackGameResultServer(char* msg, int len) {
  if (msg == nullptr || len < kResultSize) {
    cocos2d::log("SRGameView::CallBackGameResultServer: result of length %d is shorter than %d, dropped", len,
                 kResultSize);
    return;
  }
  ResetSeatHeadFigures();
  StopNetTest();
  // The hand is over: no own turn stays open under the result.
  if (SRSelfHandCard* hand = GetSelfHand()) hand->CloseTurns();
  StopClock();
  const int spring = SignedByteAt(msg, sr::ResultAt::Spring);
  AniManage* anis = GetAniManage();
  if (spring == 1 || spring == 2) {
    m_TableItem.iTimes = ddz::os::SaturatingMul(m_TableItem.iTimes, 2);
    if (m_pTopUI != nullptr) m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    if (anis != nullptr) anis->ShowAni(new AniSpring(spring == 1 ? 0 : 1), false, true);
  }
  // Held until a result button acts.
  if (m_pResultLock == nullptr) m_pResultLock = MsgLockToken::Create(this);
  if (!m_pResultLock->Hold()) cocos2d::log("SRGameView: the result already holds the messages");

  if (m_GlobalInfo.bThirdSwitch == 1 && anis != nullptr) {
    anis->ShowAni(new AniResultEmpty(this, msg, kResultSize, ddz::os::Clock().WallTimeSeconds()), false, true);
  } else {
    ShowRoundResult(msg, kResultSize);
  }
  if (m_pBottomUI != nullptr) m_pBottomUI->ShowBottomSelfInfo(true);
}

void SRGameView::ShowRoundResult(const char* msg, int len) {
  if (msg == nullptr || len < kResultSize) {
    cocos2d::log("SRGameView::ShowRoundResult: result of length %d is shorter than %d, dropped", len, kResultSize);
    return;
  }
  int results[kMaxSeats] = {};
  for (int chair = 0; chair < kPlayerCount; ++chair) {
    const int seat = GetTablePosByTableNumExtra(static_cast<char>(chair));
    if (seat < 0 || seat >= kPlayerCount) continue;
    results[seat] = LittleEndianAt(msg, sr::ResultAt::Scores + 4 * chair);
    const int fee = LittleEndianAt(msg, sr::ResultAt::Fees + 4 * chair);
    PlayerNode* player = GetPlayerNode(seat);
    if (player != nullptr)
      player->iMoney = ddz::os::SaturatingAdd(player->iMoney, ddz::os::SaturatingSub(results[seat], fee));
    if (seat == kOwnSeat) {
      if (player != nullptr) m_GlobalInfo.iMoney = player->iMoney;
      continue;
    }
    // The seat's cards still in hand lie open in its played row.
    SpriteCardManage* row = CardRow(m_pSendCard[seat]);
    if (row == nullptr) continue;
    row->RemoveAllCards();
    for (int code : CardsAt(msg, sr::ResultAt::Cards + sr::ResultAt::CardsPerChair * chair,
                            sr::ResultAt::CardsPerChair, false))
      row->AddCard(code, false, false, true, -1, false, false);
  }
  // The new player's guide points at the hand's play: it goes with the hand.
  const cocos2d::Vector<cocos2d::Node*> children = getChildren();
  for (cocos2d::Node* child : children)
    if (dynamic_cast<PlayerGuide*>(child) != nullptr) child->removeFromParent();
  const bool capped = m_iCapScore > 0 && static_cast<std::int64_t>(m_iCapScore / 3) <=
                                             static_cast<std::int64_t>(m_TableItem.iTimes) * m_TableItem.iBaseScore;
  if (SRResultLayer* screen = GetResultLayer()) {
    screen->iImageIndex = m_GlobalInfo.iHeadID;
    screen->bSendRocket = m_TableItem.bSendRocket;
    screen->bLandOwner = m_TableItem.iLandOwnerPos == kOwnSeat;
    for (int seat = 0; seat < SRResultLayer::kSeats; ++seat) screen->vcResult[seat] = results[seat];
    screen->iSendBombNum = SignedByteAt(msg, sr::ResultAt::Value);
    screen->iSpringType = SignedByteAt(msg, sr::ResultAt::Spring);
    screen->bFenDing = capped;
    // A window still up from the hand before enters anew, so it is rebuilt.
    if (screen->getParent() != nullptr) screen->removeFromParent();
    screen->setPosition(g_ptResult);
    addChild(screen, kZResult);
  }
  const int landlord = m_TableItem.iLandOwnerPos;
  ShowPlayerResultActs(landlord >= 0 && landlord < kMaxSeats && results[landlord] > 0);
  if (results[kOwnSeat] > 0) AddAllWinNum(1);
  cocos2d::UserDefault::getInstance()->flush();
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    PlayerGameInfo* info = m_pPlayerGameInfo[seat];
    if (info != nullptr && info->isRunning()) info->ShowPass(false, g_ptPlayerInfoBG[seat]);
  }
  if (m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(GetPlayerNode(kOwnSeat));
  if (m_TableItem.iShowCardTable != -1 && m_pShowCard != nullptr && m_pShowCard->getParent() != nullptr)
    m_pShowCard->removeFromParent();
  if (SRTopUI* top = GetTopBar()) {
    top->ShowCardCounter(false);
    top->SetNumVisible(false);
    top->ShowGoldCardTask(-1, nullptr, false, false);
    top->ShowTaskPanel(0, 0, false);
  }
  if (m_pActivityLayer != nullptr) {
    if (auto* web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(kWebActivity))) {
      if (web->GetHandCount() > 0) {
        web->SetHandCount(web->GetHandCount() - 1);
        if (web->GetHandCount() < 1) m_pActivityLayer->RemoveActiveBtn(kWebActivity);
      }
    }
  }
}

// ---------------------------------------------------------------- the result window's buttons

void SRGameView::RemoveResultLayer() {
  if (m_pResultLayer != nullptr && m_pResultLayer->getParent() != nullptr) m_pResultLayer->removeFromParent();
}

bool SRGameView::LowerResultLock() { return m_pResultLock != nullptr && m_pResultLock->Release(); }

bool SRGameView::IsResultLockHeld() const { return m_pResultLock != nullptr && m_pResultLock->IsHeld(); }

void SRGameView::OnResultBtnContinue() {
  RemoveResultLayer();
  ResetTable();
  if (m_pTopUI != nullptr) m_pTopUI->ShowCardCounter(true);
  if (IsSinglePlayer()) {
    SendReadyReq();
  } else {
    SendEscapeReq(kEscapeOtherTable);
  }
  LowerResultLock();
}

void SRGameView::OnResultBtnQuit() {
  LowerResultLock();
  QuitGame(nullptr);
}

void SRGameView::OnResultBtnSmallGame() {
  RemoveResultLayer();
  ResetTable();
  LowerResultLock();
  SendEscapeReq(kEscapeMiniGame);
  GameMsgBox::shareMessageBox()->ShowMessage(GameText(kTextMiniGameWait).c_str(), 6, this, nullptr, nullptr,
                                             kMiniGameWaitSeconds, 1, true, nullptr);
}
