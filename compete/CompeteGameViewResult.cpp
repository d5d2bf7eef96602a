// CompeteGameView: the end of a hand and a hand brought back. The hand
// result (237) raises the message lock and plays the spring banner and the
// result pause; ShowRoundResult then adds each seat's score change and counts
// the changes up over the table in steps of 0.3 s; the eleventh step quits
// the result by itself (OnResultBtnQuit), which lowers the lock once. Also
// the table reset between hands and the re-login snapshot.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/SendCard.h"
#include "cards/SpriteCardManage.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteTableUI.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Clock.h"
#include "platform/os/Saturate.h"
#include "table/GameSoundDDZ.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/ResultAnis.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// ---- the result record (the first 104 bytes of 237) ----
constexpr int kResultLandlordWon = 8;
constexpr int kResultSpring = 9;
constexpr int kResultCards = 14;
constexpr int kResultCardsPerTable = 20;
constexpr int kResultChanges = 76;

constexpr int kSpringLandlord = 0;
constexpr int kSpringFarmers = 1;
constexpr int kBtnResult = 2;

// The result numbers: a digit atlas whose ':' and ';' cells are plus and minus.
constexpr const char* kNumberWin = "qorvddz_result_num_succ.png";
constexpr const char* kNumberLoss = "qorvddz_result_num_fail.png";
constexpr int kNumberCellWidth = 42;
constexpr int kNumberCellHeight = 54;
constexpr float kNumberScale = 0.6f;
constexpr int kZResultNumber = 13;
constexpr int kZShownRow = 1;
// The kept cards show at their row's own size: at half of it their corners
// did not read and the amounts lay over them.
constexpr float kShownRowScale = 1.0f;
constexpr const char* kMusicWin = "ddzcompete_result_win.mp3";
constexpr const char* kMusicLoss = "ddzcompete_result_fail.mp3";
constexpr int kTrackEarly = 1;
constexpr int kTrackFinal = 2;
constexpr int kFinalState = 3;
// The final table's rank is out of its three seats.
constexpr int kFinalTableSeats = 3;

// ---- the re-login snapshot ----
constexpr int kSnapStage = 140;
constexpr int kSnapTableNum = 141;
constexpr int kSnapOrder = 148;
constexpr int kSnapAllPlayer = 152;
constexpr int kSnapInPlay = 160;
constexpr int kSnapFinalRank = 162;
constexpr int kSnapHands = 163;
constexpr int kSnapHandBytes = 20;
constexpr int kSnapBottom = 223;
constexpr int kSnapLandlord = 226;
constexpr int kSnapFinalPoint = 228;
constexpr int kSnapTotal = 232;
constexpr int kSnapTableCards = 236;
constexpr int kSnapTableOwner = 256;
constexpr int kSnapDemands = 257;
constexpr int kSnapBombs = 260;
constexpr int kSnapRocket = 261;
constexpr int kSnapBaseScore = 268;
constexpr int kSnapScores = 272;
constexpr int kSnapPlayed = 284;
constexpr int kSnapPlayedCount = 54;
constexpr int kSnapAutoPlay = 338;
static_assert(kSnapAutoPlay + 3 == CompeteGameView::kReloginSize);
constexpr int kHandInPlay = 2;
constexpr int kLandlordRole = 2;
constexpr int kFarmerRole = 1;

// Card codes of `n` card bytes from `at`; a byte of 0 or less is an empty
// place, a byte that names no card is skipped.
std::vector<int> CardsIn(const std::uint8_t* bytes, int n) {
  std::vector<int> codes;
  for (int i = 0; i < n; ++i) {
    if (static_cast<signed char>(bytes[i]) <= 0) continue;
    const int code = ddz::CardByteToCode(bytes[i]);
    if (code < 0) {
      cocos2d::log("CompeteGameView: card byte 0x%02x is not a card, skipped", bytes[i]);
      continue;
    }
    codes.push_back(code);
  }
  return codes;
}

const std::uint8_t* Bytes(const char* msg, int at) { return reinterpret_cast<const std::uint8_t*>(msg + at); }

// The text of a result number at `step` of kResultCountSteps.
std::string StepText(int change, int step, int steps) {
  char text[24];
  const long long part = static_cast<long long>(change) * step / steps;
  if (change > 0) {
    std::snprintf(text, sizeof text, ":%lld", part);
  } else if (change < 0) {
    std::snprintf(text, sizeof text, ";%lld", -part);
  } else {
    std::snprintf(text, sizeof text, "0");
  }
  return text;
}

}  // namespace

bool CompeteGameView::IsResultLockHeld() const { return m_pResultLock != nullptr && m_pResultLock->IsHeld(); }

void CompeteGameView::ReleaseResultLock() {
  if (m_pResultLock != nullptr) m_pResultLock->Release();
}

// ---------------------------------------------------------------- 237 hand result

void CompeteGameView::CallBackGameResultServer(char* msg, int len) {
  if (msg == nullptr || len < kFrameSize) {
    cocos2d::log("CompeteGameView::CallBackGameResultServer: result of length %d dropped", len);
    return;
  }
  // The record the display reads: what the message holds of it, zeros after.
  std::array<char, kResultRecordSize> record{};
  std::memcpy(record.data(), msg, static_cast<std::size_t>(std::min(len, kResultRecordSize)));

  if (m_pCompeteTableUI != nullptr && m_pCompeteTableUI->isRunning()) {
    m_pCompeteTableUI->ShowRank(false);
    m_pCompeteTableUI->ShowStatus(false);
  }
  // The hand is over: a play turn behind it is dropped.
  m_bPlayPhase = false;
  ResetSeatHeadFigures();
  ++m_iHandsPlayed;
  CountTodayHand();
  StopNetTest();
  StopClock();
  if (CompeteSelfHandCard* hand = GetSelfHand()) hand->CloseTurns();

  AniManage* anis = GetAniManage();
  if (record[kResultSpring] == 1) {
    m_TableItem.iTimes = ddz::os::SaturatingMul(m_TableItem.iTimes, 2);
    if (m_pTopUI != nullptr) m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    const int kind = record[kResultLandlordWon] == 1 ? kSpringLandlord : kSpringFarmers;
    if (anis != nullptr) anis->ShowAni(new AniSpring(kind), false, true);
  }

  // Held until the result display quits.
  if (m_pResultLock == nullptr) m_pResultLock = MsgLockToken::Create(this);
  if (!m_pResultLock->Hold()) cocos2d::log("CompeteGameView: the result already holds the messages");

  auto* pause = new AniResultEmpty(this, record.data(), kResultRecordSize, ddz::os::Clock().WallTimeSeconds());
  if (anis != nullptr) {
    anis->ShowAni(pause, false, true);
  } else {
    pause->CallBackAniEnd();
    pause->release();
  }
}

void CompeteGameView::ShowRemainingCards(int seat, const std::uint8_t* cards) {
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
  auto* shown = dynamic_cast<SpriteCardManage*>(m_pMingCard[seat]);
  if (shown == nullptr) return;
  shown->RemoveAllCards();
  shown->setScale(kShownRowScale);
  AddTableWidget(shown, kZShownRow);
  shown->setVisible(true);
  for (int code : CardsIn(cards, kResultCardsPerTable)) shown->AddCard(code, false, false, true, 0, false, true);
}

void CompeteGameView::ShowRoundResult(const char* msg, int len) {
  std::array<char, kResultRecordSize> record{};
  if (msg != nullptr && len > 0) std::memcpy(record.data(), msg, static_cast<std::size_t>(std::min(len, kResultRecordSize)));
  if (m_pTopUI != nullptr && m_pTopUI->isRunning()) m_pTopUI->SetBtnOnState(kBtnResult);
  RemoveResultNumbers();
  for (int t = 0; t < kPlayerCount; ++t) {
    const int seat = SeatOfTableNum(t, "ShowRoundResult");
    if (seat < 0) continue;
    const int change = LittleEndianAt(record.data(), kResultChanges + 4 * t);
    m_TableItem.iCompeteAmount[seat] = ddz::os::SaturatingAdd(m_TableItem.iCompeteAmount[seat], change);
    m_iSeatChange[seat] = change;
    if (seat != kOwnSeat) ShowRemainingCards(seat, Bytes(record.data(), kResultCards + kResultCardsPerTable * t));
    auto* number = cocos2d::ui::TextAtlas::create("", change > 0 ? kNumberWin : kNumberLoss, kNumberCellWidth,
                                                  kNumberCellHeight, "0");
    number->setVisible(false);
    number->setScale(kNumberScale);
    if (seat == 2) number->setAnchorPoint(Vec2(1, 0.5f));
    number->setPosition(g_ptCmpResultWinLoseNum[seat]);
    addChild(number, kZResultNumber);
    m_pResultNum[seat] = number;
  }
  const int landlord = m_TableItem.iLandOwnerPos;
  ShowHeadActs(landlord >= 0 && landlord < kPlayerCount && m_iSeatChange[landlord] > 0);
  cocos2d::UserDefault::getInstance()->flush();
  // The seats' pass signs would cover the score changes.
  for (int seat = 0; seat < kPlayerCount; ++seat)
    if (PlayerGameInfo* info = m_pPlayerGameInfo[seat]) info->ShowCompetePass(false, g_ptPlayerInfoBG[seat]);
  if (m_pTopUI != nullptr) {
    m_pTopUI->ShowCardCounter(false);
    m_pTopUI->SetNumVisible(false);
  }
  m_iResultStep = 0;
  OnResultStep(0);
  schedule(schedule_selector(CompeteGameView::OnResultStep), kResultStepSeconds);
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  sound->StopBackgroundMusic();
  sound->PlayerTalk(std::string(m_iSeatChange[kOwnSeat] > 0 ? kMusicWin : kMusicLoss));
}

void CompeteGameView::OnResultStep(float) {
  ++m_iResultStep;
  if (m_iResultStep <= kResultCountSteps) {
    for (int seat = 0; seat < kPlayerCount; ++seat) {
      cocos2d::ui::TextAtlas* number = m_pResultNum[seat];
      if (number == nullptr) continue;
      number->setString(StepText(m_iSeatChange[seat], m_iResultStep, kResultCountSteps));
      number->setVisible(true);
      if (m_iResultStep == kResultCountSteps && m_pPlayerGameInfo[seat] != nullptr)
        m_pPlayerGameInfo[seat]->UpdateCompeteAmount(m_TableItem.iCompeteAmount[seat]);
    }
    return;
  }
  if (m_iResultStep < kResultQuitStep) return;
  unschedule(schedule_selector(CompeteGameView::OnResultStep));
  RemoveResultNumbers();
  OnResultBtnQuit();
}

void CompeteGameView::RemoveResultNumbers() {
  for (cocos2d::ui::TextAtlas*& number : m_pResultNum) {
    if (number != nullptr) number->removeFromParent();
    number = nullptr;
  }
}

void CompeteGameView::OnResultBtnQuit() {
  PlayCompeteMusic(GetCompeteState() < kFinalState ? kTrackEarly : kTrackFinal);
  if (m_pCompeteTableUI != nullptr) m_pCompeteTableUI->ShowWaitTable(true);
  ResetTable();
  cocos2d::Layer::setTouchEnabled(true);
  ReleaseResultLock();
}

// ---------------------------------------------------------------- the table between hands

void CompeteGameView::ResetTable() {
  m_TableItem.Clear();
  m_bPlayPhase = false;
  unschedule(schedule_selector(CompeteGameView::LowerRaisedBaseCards));
  m_bBaseCardsPending = false;
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  CompeteSelfHandCard* hand = GetSelfHand();
  if (hand != nullptr) {
    hand->setTouchEnabled(false, false);
    hand->CloseTurns();
  }
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
    if (m_pHandCard[seat] != nullptr) m_pHandCard[seat]->RemoveAllCards();
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ResetAll();
    if (m_pMingCard[seat] != nullptr && m_pMingCard[seat]->isRunning()) {
      m_pMingCard[seat]->RemoveAllCards();
      ParkWidget(m_pMingCard[seat]);
    }
  }
  if (hand != nullptr) {
    hand->SetHandComplete(false);
    hand->SetRole(-1);
    hand->EndAutoPlay();
  }
  if (m_pBaseCard != nullptr) m_pBaseCard->setVisible(true);
  StopClock();
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(-1);
    m_pTopUI->SetTimes(-1, false);
    m_pTopUI->ClearJQPCard();
    m_pTopUI->SetCardCountBtnEnabled(false);
    if (auto* top = dynamic_cast<TopUI*>(m_pTopUI)) top->ClearBaseCards();
  }
  OnResetTableHook();
  GameMsgBox::shareMessageBox()->CloseDialog(0);
}

// ---------------------------------------------------------------- re-login

void CompeteGameView::CallBackAgainLogin(char* msg, int len) {
  if (msg == nullptr || len < kReloginSize) {
    cocos2d::log("CompeteGameView::CallBackAgainLogin: snapshot of length %d is shorter than %d, dropped", len,
                 kReloginSize);
    return;
  }
  // Every seat and the landlord's and last play's owners must be seats of
  // the table before anything changes.
  int seats[kPlayerCount];
  for (int t = 0; t < kPlayerCount; ++t) {
    seats[t] = SeatOfTableNum(t, "CallBackAgainLogin");
    if (seats[t] < 0) return;
  }
  const bool inPlay = static_cast<std::uint8_t>(msg[kSnapInPlay]) == kHandInPlay;
  const int landlordTable = static_cast<signed char>(msg[kSnapLandlord]);
  if (inPlay && landlordTable != -1) {
    if (SeatOfTableNum(landlordTable, "CallBackAgainLogin") < 0) return;
    if (SeatOfTableNum(static_cast<std::uint8_t>(msg[kSnapTableOwner]), "CallBackAgainLogin") < 0) return;
  }
  RestoreFromSnapshot(msg);
}

bool CompeteGameView::RestoreFromSnapshot(const char* msg) {
  ResetTable();
  RemoveResultNumbers();
  unschedule(schedule_selector(CompeteGameView::OnResultStep));
  ReleaseResultLock();
  const int stage = static_cast<signed char>(msg[kSnapStage]);
  CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo = stage;
  SetPromotionsForStage(stage);
  iTableNum = static_cast<signed char>(msg[kSnapTableNum]);
  iCurOrder = BigEndianAt(msg, kSnapOrder);
  iAllPlayer = BigEndianAt(msg, kSnapAllPlayer);
  cocos2d::log("CompeteGameView: re-login at stage %d, rank %d of %d (final table rank %d)", stage, iCurOrder,
               iAllPlayer, static_cast<signed char>(msg[kSnapFinalRank]));
  if (CompeteTableUI* bar = m_pCompeteTableUI) {
    const int finalRank = static_cast<signed char>(msg[kSnapFinalRank]);
    if (GetCompeteState() < kFinalState) {
      bar->UpdateSelfRank(iCurOrder, iAllPlayer);
    } else {
      if (finalRank > 0) bar->UpdateSelfRank(finalRank, kFinalTableSeats);
      bar->UpdateTableNum(iTableNum);
    }
  }
  const int landlordTable = static_cast<signed char>(msg[kSnapLandlord]);
  CompeteSelfHandCard* hand = GetSelfHand();
  if (static_cast<std::uint8_t>(msg[kSnapInPlay]) != kHandInPlay) {
    // Between hands: the promotion screen over the table, no stage result on it.
    ShowPromotion(0);
    return false;
  }
  if (CompeteTableUI* bar = m_pCompeteTableUI) {
    bar->ShowRank(true);
    bar->ShowStatus(true);
    bar->ShowWaitTable(false);
  }

  if (hand != nullptr && landlordTable != -1) hand->SetHandComplete(true);
  for (int t = 0; t < kPlayerCount; ++t) {
    const int seat = GetTablePosByTableNumExtra(static_cast<char>(t));
    m_TableItem.iCompeteAmount[seat] = BigEndianAt(msg, kSnapScores + 4 * t);
    m_TableItem.iPointDemand[seat] = static_cast<signed char>(msg[kSnapDemands + t]);
    m_TableItem.iTuoGuan[seat] = static_cast<signed char>(msg[kSnapAutoPlay + t]);
    if (PlayerGameInfo* info = m_pPlayerGameInfo[seat]) {
      info->ShowCompeteAmount(true, m_TableItem.iCompeteAmount[seat], g_ptCompeteJifen[seat]);
      info->UpdateCompeteAmount(m_TableItem.iCompeteAmount[seat]);
      if (seat != kOwnSeat && m_TableItem.iTuoGuan[seat] == 1 && !SeatHasFastClock(seat))
        info->ShowCompeteTuoGuan(true, g_ptOffLine[seat]);
    }
    const std::vector<int> held = CardsIn(Bytes(msg, kSnapHands + kSnapHandBytes * t), kSnapHandBytes);
    if (auto* row = dynamic_cast<SpriteCardManage*>(m_pHandCard[seat])) {
      for (int code : held) row->AddCard(seat == kOwnSeat ? code : 0, seat != kOwnSeat, false, false, -1, false, false);
      row->SortCards();
    }
  }
  m_TableItem.iFinalPoint = static_cast<signed char>(msg[kSnapFinalPoint]);
  m_TableItem.iBaseScore = BigEndianAt(msg, kSnapBaseScore);
  const int total = BigEndianAt(msg, kSnapTotal);
  m_TableItem.iTimes = m_TableItem.iBaseScore > 0 ? total / m_TableItem.iBaseScore : 1;
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, m_TableItem.iFinalPoint));
    m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    m_pTopUI->ShowCardCounter(true);
    m_pTopUI->SetBtnOnState(0);
  }

  if (landlordTable == -1) {
    int highest = 0;
    for (int seat = 0; seat < kPlayerCount; ++seat) {
      ShowPointSign(seat, m_TableItem.iPointDemand[seat]);
      highest = std::max(highest, m_TableItem.iPointDemand[seat]);
    }
    if (m_pBaseCard != nullptr) {
      m_pBaseCard->RemoveAllCard();
      for (int i = 0; i < 3; ++i) m_pBaseCard->AddCard(0, true, false);
    }
    m_TableItem.iFinalPoint = highest;
    if (m_pTopUI != nullptr)
      m_pTopUI->SetFinalPoint(highest > 0 ? ddz::os::SaturatingMul(m_TableItem.iBaseScore, highest)
                                          : m_TableItem.iBaseScore);
  } else {
    const int landlord = GetTablePosByTableNumExtra(static_cast<char>(landlordTable));
    m_TableItem.iLandOwnerPos = landlord;
    m_bPlayPhase = true;
    if (m_pPlayerGameInfo[landlord] != nullptr)
      m_pPlayerGameInfo[landlord]->ShowLandOwner(true, g_ptLandOwner[landlord], true);
    if (hand != nullptr) {
      hand->SetRole(landlord == kOwnSeat ? kLandlordRole : kFarmerRole);
      hand->RefreshCardMarks(true);
    }
    const int owner = GetTablePosByTableNumExtra(static_cast<char>(msg[kSnapTableOwner]));
    m_TableItem.iTableCardOwnerPos = owner;
    m_TableItem.vcTableCardIndex = CardsIn(Bytes(msg, kSnapTableCards), kMaxPlayCards);
    if (auto* row = dynamic_cast<SpriteCardManage*>(m_pSendCard[owner])) {
      for (int code : m_TableItem.vcTableCardIndex) row->AddCard(code, false, false, true, -1, false, false);
    }
    m_TableItem.vcBaseCardIndex = CardsIn(Bytes(msg, kSnapBottom), 3);
    if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
    if (auto* top = dynamic_cast<TopUI*>(m_pTopUI)) top->ShowBaseCards(m_TableItem.vcBaseCardIndex);
  }

  ArmSideHands(true);
  if (hand != nullptr) hand->setTouchEnabled(true, false);
  m_TableItem.iSendBombNum = static_cast<signed char>(msg[kSnapBombs]);
  m_TableItem.bSendRocket = msg[kSnapRocket] != 0;
  if (m_pTopUI != nullptr) {
    m_pTopUI->AddJPQCard(CardsIn(Bytes(msg, kSnapPlayed), kSnapPlayedCount));
    m_pTopUI->SetNumVisible(true);
  }
  return true;
}
