// GameViewPC: the end of a hand. The hand result (237) raises the message
// lock and plays the spring banner and the result pause; ShowRoundResult
// then settles the seats and opens the result screen; the screen's buttons
// (continue, quit, mini-game) lower the lock again and start what follows.
// Also the quit question, the table reset between hands and the award
// panel's calls around the result screen.
//
// The result's raise of the lock is one MsgLockToken of the view: a button
// lowers it, a second lowering (a click racing the screen's automatic
// action) finds it released and changes nothing, and a view that leaves the
// stage with the screen open lowers it on its way out.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include "cardlogic/CardCodes.h"
#include "cards/SelfHandCard.h"
#include "cards/SpriteCardManage.h"
#include "classic/BottomUIPC.h"
#include "classic/GameViewPC.h"
#include "platform/gamebase/MessageFields.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/GameKinds.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "platform/os/Saturate.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/AwardDisplays.h"
#include "cards/BaseCard.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/NewPlayerAward.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultAnis.h"
#include "widgets/ResultLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"

int g_iExitState = 0;

using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// ---- message 237 as this table reads it ----
constexpr int kResultMoney = 12;      // i32 BE per chair
constexpr int kResultScore = 52;      // i32 BE per chair
constexpr int kResultCards = 212;     // 20 card bytes per chair
constexpr int kResultLandlordWon = 280;
constexpr int kResultSpring = 281;
constexpr int kResultSmallButton = 284;  // i32 LE
constexpr int kCardsPerChair = 20;
constexpr int kResultChairs = 3;

constexpr int kCallRobMode = 1;
constexpr int kDoubledDemand = 7;
constexpr int kSpringLandlord = 0;
constexpr int kSpringFarmers = 1;
constexpr int kActWin = 2;
constexpr int kActLoss = 3;
constexpr int kZShownRow = 1;
constexpr int kWebActivityButton = 2;
constexpr int kAwardMoney = 0;
constexpr int kAwardYuanbao = 1;

// Game text entries.
constexpr int kTextMiniGameWait = 116;
constexpr int kTextNewPlayerHint = 193;
constexpr int kTextQuitWithAwardRounds = 228;
constexpr int kTextOwnWon = 453;
constexpr int kTextOwnLost = 454;
constexpr int kNewPlayerHintBaseScore = 50;
constexpr int kNewPlayerHintPlays = 2;

// Game-state records.
constexpr int kStateKind = 5;
constexpr int kStateGame = 62;
constexpr int kStateQuitAfterRelogin = 90;
constexpr int kStateQuitAfterResult = 120;
constexpr int kStateContinue = 130;
struct HandMilestone {
  int hands;
  int code;
};
constexpr HandMilestone kHandMilestones[] = {{3, 150}, {5, 160}, {10, 170}};

constexpr float kMiniGameWaitSeconds = 60.0f;

}  // namespace

// ---------------------------------------------------------------- 237 hand result

void GameViewPC::CallBackGameResultServer(char* msg, int len) {
  if (msg == nullptr || len < kResultSize) {
    cocos2d::log("CallBackGameResultServer: result of length %d is shorter than %d, dropped", len, kResultSize);
    return;
  }
  if (!m_bHandRunning) {
    // The hand it settles is not the one on the table (or none is).
    cocos2d::log("CallBackGameResultServer: no hand runs on the table, result dropped");
    return;
  }
  m_bHandRunning = false;
  // The hand is over: no own turn stays open under the result.
  if (SelfHandCard* hand = GetSelfHand()) hand->CloseTurns();
  StopClock();
  m_bOwnPlayPending = false;
  m_bOwnPassPending = false;
  DisableBottomBarForResult();
  ResetSeatHeadFigures();
  ++m_iHandsPlayed;
  ++m_iHandCount;
  m_iRoundState = 2;
  CountTodayHand();
  for (const HandMilestone& milestone : kHandMilestones)
    if (m_iHandsPlayed == milestone.hands) RecordGameStateIfOn(milestone.code);
  StopNetTest();

  const bool landlordWon = msg[kResultLandlordWon] == 1;
  AniManage* anis = GetAniManage();
  if (msg[kResultSpring] == 1) {
    m_TableItem.iTimes = ddz::os::SaturatingMul(m_TableItem.iTimes, 2);
    ShowTableMultiple(m_TableItem.iTimes);
    if (anis != nullptr) anis->ShowAni(new AniSpring(landlordWon ? kSpringLandlord : kSpringFarmers), false, true);
  }

  // Held until a result button is pressed.
  if (m_pResultLock == nullptr) m_pResultLock = MsgLockToken::Create(this);
  if (!m_pResultLock->Hold()) cocos2d::log("CallBackGameResultServer: the result already holds the messages");

  if (m_pNewPlayerAward != nullptr && m_pNewPlayerAward->GetState() != NewPlayerAward::kPicking) {
    m_pNewPlayerAward->StartRound(m_pNewPlayerAward->GetChanceCount() - 1, 0, 0);
  }

  // The pause keeps its own copy of the result's bytes.
  auto* pause = new AniResultEmpty(this, msg, kResultSize, ddz::os::Clock().WallTimeSeconds());
  if (anis != nullptr) {
    anis->ShowAni(pause, false, true);
  } else {
    pause->CallBackAniEnd();
    pause->release();
  }
}

// ---------------------------------------------------------------- the round result

void GameViewPC::ShowRoundResult(const char* msg, int len) {
  if (msg == nullptr || len < kResultSize) {
    cocos2d::log("GameViewPC::ShowRoundResult: result of length %d is shorter than %d, dropped", len, kResultSize);
    return;
  }
  ++m_iResultShownCount;
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (m_iResultShownCount == 1 && self != nullptr && self->iPlayCount < kNewPlayerHintPlays && m_pTalkTip != nullptr &&
      !IsSinglePlayer() && m_TableItem.iBaseScore > kNewPlayerHintBaseScore) {
    m_pTalkTip->TalkFreeTxt(kOwnSeat, GameText(kTextNewPlayerHint));
  }

  int results[kMaxSeats] = {};
  const int chairs = std::min(m_iPlayerCount, kResultChairs);
  for (int chair = 0; chair < chairs; ++chair) {
    const int pos = SeatOfChair(static_cast<std::uint8_t>(chair), "ShowRoundResult");
    if (pos < 0) continue;
    const int money = BigEndianAt(msg, kResultMoney + 4 * chair);
    results[pos] = BigEndianAt(msg, kResultScore + 4 * chair);
    PlayerNode* player = GetPlayerNode(pos);
    if (player != nullptr) player->iMoney = ddz::os::SaturatingAdd(player->iMoney, money);
    if (pos == kOwnSeat) {
      // The line names the amount won or lost; the loss's sign is in its words.
      const int amount = results[pos] > 0 ? results[pos] : ddz::os::SaturatingSub(0, results[pos]);
      AddSysBoxMessage(ddz::FormatText(GameText(results[pos] > 0 ? kTextOwnWon : kTextOwnLost), amount), 1);
      UpdateLoseAmount(money);
      if (player != nullptr) m_GlobalInfo.iMoney = player->iMoney;
    } else {
      ShowRemainingCards(pos, msg + kResultCards + kCardsPerChair * chair);
    }
  }
  m_GlobalInfo.iSmallBtnType = LittleEndianAt(msg, kResultSmallButton);

  const bool landOwner = m_TableItem.iLandOwnerPos == kOwnSeat;
  const int exGame = m_pNewPlayerAward != nullptr && m_iNewPlayerAward == 1 ? 1 : 0;
  const bool capped = m_iTopScoreCap > 0 && static_cast<std::int64_t>(m_TableItem.iTimes) * m_TableItem.iBaseScore >=
                                                m_iTopScoreCap / 2;
  ResultLayer* screen = GetResultScreen();
  if (m_iGameMode == kCallRobMode) {
    std::uint8_t doubled[ResultLayer::kSeats] = {};
    for (int pos = 0; pos < kPlayerCount; ++pos) {
      const PlayerNode* player = GetPlayerNode(pos);
      PlayerGameInfo* info = m_pPlayerGameInfo[pos];
      if (player == nullptr) continue;
      if (info != nullptr) {
        if (player->iMoney <= 0) info->ShowNoMoneyTips(true, g_ptNoMoneyPos[pos]);
        info->ShowPlayerMoneInfo(true, player->iMoney, g_ptPlayerMoneyPos[pos], false);
        info->ShowAddPound(false, g_ptPlayerJiaBeiPos[pos]);
      }
      doubled[pos] = m_TableItem.iPointDemand[pos] == kDoubledDemand ? 1 : 0;
    }
    // The screen shows the doubling count itself, never 2 raised to it.
    if (screen != nullptr)
      screen->IniResultInfo(m_GlobalInfo.iHeadID, landOwner, results, m_TableItem.iTimes, false, false,
                            m_GlobalInfo.iSmallBtnType, m_TableItem.iBaseScore, capped, exGame, doubled);
  } else if (screen != nullptr) {
    screen->IniResultInfo(m_GlobalInfo.iHeadID, landOwner, results, m_TableItem.iSendBombNum, m_TableItem.bSendRocket,
                          msg[kResultSpring] != 0, m_GlobalInfo.iSmallBtnType, 0, capped, exGame, nullptr);
  }

  if (screen != nullptr) {
    // A screen still up from the hand before enters anew, so it is rebuilt.
    if (screen->getParent() != nullptr) screen->removeFromParent();
    screen->setPosition(g_ptResult);
    addChild(screen, kZResult);
    // Nobody remarks on anything over the result window.
    if (m_pTalkTip != nullptr) m_pTalkTip->HoldIdleTips(true);
  }
  g_iExitState = 2;

  const int landlord = m_TableItem.iLandOwnerPos;
  ShowPlayerResultActs(landlord >= 0 && landlord < kMaxSeats && results[landlord] > 0);

  // Single-player statistics, or the win count of a network table.
  RecordSingleHandResult(results[kOwnSeat]);
  cocos2d::UserDefault::getInstance()->flush();

  for (int pos = 0; pos < kPlayerCount; ++pos) {
    PlayerGameInfo* info = m_pPlayerGameInfo[pos];
    if (info != nullptr && info->isRunning()) info->ShowPass(false, g_ptPlayerInfoBG[pos]);
  }
  if (m_pBottomUIPC != nullptr && m_pBottomUIPC->isRunning()) {
    m_pBottomUIPC->SetSelfInfo(self);
    CardCounterLayer* counter = m_pBottomUIPC->m_pCardCounter;
    if (counter != nullptr && counter->isRunning()) {
      YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(counter, m_pBottomUIPC);
      counter->SetShow(false);
    }
  }
  if (m_pTaskUI != nullptr) {
    static_cast<cocos2d::Node*>(m_pTaskUI)->removeFromParent();
    m_pTaskUI = nullptr;
  }
  if (m_pActivityLayer != nullptr) {
    if (auto* web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(kWebActivityButton))) {
      if (web->GetHandCount() > 0) {
        web->SetHandCount(web->GetHandCount() - 1);
        if (web->GetHandCount() == 0) m_pActivityLayer->RemoveActiveBtn(kWebActivityButton);
      }
    }
  }
  m_iShowCardSeat = -1;
}

void GameViewPC::ShowRemainingCards(int seat, const char* cards) {
  auto* shown = dynamic_cast<SpriteCardManage*>(m_pMingCard[seat]);
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
  if (shown == nullptr) return;
  shown->RemoveAllCards();
  AddTableWidget(shown, kZShownRow);
  shown->setVisible(true);
  for (int i = 0; i < kCardsPerChair; ++i) {
    const auto byte = static_cast<std::uint8_t>(cards[i]);
    if (byte == 0) continue;
    const int code = ddz::CardByteToCode(byte);
    if (code < 0) {
      cocos2d::log("GameViewPC::ShowRoundResult: card byte 0x%02x is not a card, skipped", byte);
      continue;
    }
    shown->AddCard(code, false, false, true, 0, false, true);
  }
}

void GameViewPC::ShowPlayerResultActs(bool landlordWon) {
  const int landlord = m_TableItem.iLandOwnerPos;
  for (int pos = 0; pos < kPlayerCount; ++pos) {
    if (m_pPlayerShow[pos] == nullptr) continue;
    const bool won = (pos == landlord) == landlordWon;
    m_pPlayerShow[pos]->ShowPlayerAct(won ? kActWin : kActLoss, true);
  }
}

// ---------------------------------------------------------------- the result screen's buttons

void GameViewPC::OnResultBtnContinue() {
  g_iExitState = 3;
  RecordGameStateIfOn(kStateContinue);
  // A refused hand keeps the screen and the lock; the box's button leaves, and
  // the screen's buttons and countdown come back, so its time-out still does.
  if (!CheckLoseLimit()) {
    if (ResultLayer* screen = GetResultScreen()) screen->GiveBackAction();
    return;
  }
  ++m_iContinueCount;
  RemoveResultScreen();
  ResetTable();
  if (!IsSinglePlayer()) {
    cocos2d::log("OnResultBtnContinue SendEscapeReq");
    SendEscapeReq(kEscapeOtherTable);
  } else {
    SendReadyReq();
  }
  LowerResultLock();
  if (m_pBottomUIPC != nullptr) {
    m_pBottomUIPC->SetPanelButtonEnabled(BottomUIPC::kPanelSettings, true);
    m_pBottomUIPC->SetPanelButtonEnabled(BottomUIPC::kPanelPack, true);
  }
}

void GameViewPC::OnResultBtnQuit() {
  g_iExitState = 3;
  LowerResultLock();
  m_iContinueCount = 0;
  QuitWithRecord(nullptr);
}

void GameViewPC::QuitWithRecord(cocos2d::Ref*) {
  if (g_iExitState == 1) {
    RecordGameStateIfOn(kStateQuitAfterRelogin);
  } else if (g_iExitState >= 2) {
    RecordGameStateIfOn(kStateQuitAfterResult);
  }
  QuitGame(nullptr);
}

void GameViewPC::OnResultBtnSmallGame() {
  RemoveResultScreen();
  ResetTable();
  LowerResultLock();
  cocos2d::log("OnResultBtnSmallGame SendEscapeReq(98)");
  SendEscapeReq(kEscapeMiniGame);
  std::array<char, kMiniGameRequestSize> request{};
  const std::uint32_t value = kMiniGameEnter;
  for (int i = 0; i < 4; ++i) request[8 + i] = static_cast<char>((value >> (8 * i)) & 0xff);
  SendMsgToMainSocket(request.data(), kMsgMiniGame, kMiniGameRequestSize);
  GameMsgBox::shareMessageBox()->ShowMessage(GameText(kTextMiniGameWait).c_str(), 6, this, nullptr, nullptr,
                                             kMiniGameWaitSeconds, 1, true, nullptr);
}

void GameViewPC::ShowQuitMsgBox() {
  std::string text;
  if (m_pNewPlayerAward == nullptr || m_pNewPlayerAward->GetChanceCount() < 1) {
    text = GameText(kTextQuitQuestion);
  } else {
    m_pNewPlayerAward->PlayHintAni();
    text = ddz::FormatText(GameText(kTextQuitWithAwardRounds), m_pNewPlayerAward->GetChanceCount());
  }
  GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), 0, this,
                                             static_cast<cocos2d::SEL_MenuHandler>(&GameViewPC::QuitWithRecord),
                                             nullptr, 0.0f, 1, true, nullptr);
}

void GameViewPC::OnResultExtraGame(int kind) {
  if (kind == 1 && m_pNewPlayerAward != nullptr) m_pNewPlayerAward->ShowReward();
}

void GameViewPC::OnResultLayerShown(bool) {
  // The award panel has nothing to hear of the screen in this build.
}

void GameViewPC::OnAwardEnd(int kind) {
  if (kind == 1 && m_pNewPlayerAward != nullptr) {
    m_pNewPlayerAward->Restart();
    ResultLayer* screen = GetResultScreen();
    if (screen != nullptr && screen->isRunning()) {
      if (m_GlobalInfo.iSmallBtnType > 0) {
        OnResultBtnSmallGame();
      } else {
        screen->ResetButtons();
      }
    }
  }
  RefreshSelfMoney();
}

void GameViewPC::RefreshSelfMoney() {
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (self != nullptr) {
    self->iMoney = m_GlobalInfo.iMoney;
    self->iYuanBao = m_GlobalInfo.iYuanBao;
    if (m_iGameMode == kCallRobMode && m_pPlayerGameInfo[kOwnSeat] != nullptr)
      m_pPlayerGameInfo[kOwnSeat]->ShowPlayerMoneInfo(true, self->iMoney, g_ptPlayerMoneyPos[kOwnSeat], false);
  }
  if (m_pBottomUIPC != nullptr && m_pBottomUIPC->isRunning()) m_pBottomUIPC->SetSelfMoney(m_GlobalInfo.iMoney);
}

void GameViewPC::ShowAwardAni(int awardId, int kind, int amount) {
  if (AniManage* anis = GetAniManage()) anis->ShowAni(AniManageShowAward::Create(awardId, kind, amount, this), true, true);
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (kind == kAwardMoney) {
    if (self != nullptr) self->iMoney = ddz::os::SaturatingAdd(self->iMoney, amount);
    m_GlobalInfo.iMoney = ddz::os::SaturatingAdd(m_GlobalInfo.iMoney, amount);
  } else if (kind == kAwardYuanbao) {
    if (self != nullptr) self->iYuanBao = ddz::os::SaturatingAdd(self->iYuanBao, amount);
    m_GlobalInfo.iYuanBao = ddz::os::SaturatingAdd(m_GlobalInfo.iYuanBao, amount);
  }
}

void GameViewPC::SetMoneyInfo(int money, int yuanbao) {
  m_GlobalInfo.iMoney = money;
  m_GlobalInfo.iYuanBao = yuanbao;
  if (m_pBottomUIPC != nullptr && m_pBottomUIPC->isRunning()) m_pBottomUIPC->SetSelfMoney(money);
}

void GameViewPC::ShowTaskCompete() {
  if (m_pTaskUI != nullptr && m_pTaskUI->isRunning()) m_pTaskUI->ShowTaskCompete();
}

void GameViewPC::RefreshBottomBarInfo(PlayerNode* self) {
  if (self != nullptr && m_pBottomUIPC != nullptr && m_pBottomUIPC->isRunning()) m_pBottomUIPC->SetSelfInfo(self);
}

int GameViewPC::GetGameKind() {
  if (IsSinglePlayer()) return 3;
  return m_iGameMode == kCallRobMode ? 1 : 0;
}

ResultLayer* GameViewPC::GetResultScreen() const { return dynamic_cast<ResultLayer*>(m_pResultLayer); }

bool GameViewPC::SetResultLayerFromScript(YndGameLayer* layer) {
  return PutResultLayerOfKind<ResultLayer>(layer, true);
}

bool GameViewPC::IsResultLockHeld() const { return m_pResultLock != nullptr && m_pResultLock->IsHeld(); }

// ---------------------------------------------------------------- helpers

void GameViewPC::DisableBottomBarForResult() {
  if (m_pBottomUIPC != nullptr && m_pBottomUIPC->isRunning()) m_pBottomUIPC->DisableHandButtons();
}

void GameViewPC::RemoveResultScreen() {
  // The view's reference keeps the screen for the next hand.
  if (m_pResultLayer != nullptr && m_pResultLayer->getParent() != nullptr) m_pResultLayer->removeFromParent();
  if (m_pTalkTip != nullptr) m_pTalkTip->HoldIdleTips(false);
}

void GameViewPC::ReleaseResultScreen() {
  if (m_pResultLayer == nullptr) return;
  m_pResultLayer->removeFromParent();
  if (m_pTalkTip != nullptr) m_pTalkTip->HoldIdleTips(false);
  m_pResultLayer->release();
  m_pResultLayer = nullptr;
}

bool GameViewPC::LowerResultLock() {
  if (m_pResultLock != nullptr && m_pResultLock->Release()) return true;
  cocos2d::log("GameViewPC: no result holds the messages, nothing lowered");
  return false;
}

void GameViewPC::RecordGameStateIfOn(int code) {
  if (m_pGameScene == nullptr || m_pGameScene->m_bRecordGameState == 0) return;
  GameLogicLayer::shareGameLogicLayer()->RecordGameState(kStateKind, code, kStateGame, m_pGameScene->GetGameID());
}

// ---------------------------------------------------------------- the table between hands

void GameViewPC::ResetHandWidgets() {
  g_iExitState = 0;
  ResetSeatHeadFigures();
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
    if (m_pHandCard[seat] != nullptr) m_pHandCard[seat]->RemoveAllCards();
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ResetAll();
    // The shown-hand rows stay on the table, empty.
    if (m_pMingCard[seat] != nullptr) m_pMingCard[seat]->RemoveAllCards();
  }
  if (SelfHandCard* hand = GetSelfHand()) {
    hand->CloseTurns();
    hand->SetAutomatic(false);
    hand->SetCannotBeat(false);
    hand->SetTurnStarted(false);
    hand->SetUntouchedSinceTurn(true);
  }
  if (m_pBaseCard != nullptr) m_pBaseCard->setVisible(true);
  if (m_pBottomUIPC != nullptr) {
    if (CardCounterLayer* counter = m_pBottomUIPC->m_pCardCounter) counter->ClearCards(GetGameKind());
    if (m_pBottomUIPC->isRunning())
      for (int i = 0; i < BottomUIPC::kPanelButtons; ++i) m_pBottomUIPC->SetPanelButtonEnabled(i, false);
  }
}

// ---------------------------------------------------------------- tournament invitation

bool GameViewPC::IsCompeteInvitationOpen() const { return DdzCompete::getInstance()->m_iInviteCompete != 0; }

void GameViewPC::EnterCompeteFromResult() {
  if (GameSceneBase::m_pGameScene != nullptr) GameSceneBase::m_pGameScene->SwitchGameKind(ddz::kGameCompete);
}
