// GameViewPC: the messages of one hand, from the deal to the last play, and
// what the own hand, the deal and the bottom-card row ask of the view.
//
// Every handler reads only what MinMessageLength of its type guarantees, and
// turns chair bytes into screen seats through SeatOfChair, which refuses a
// chair that is no seat of this table; a refused message changes nothing.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/SelfHandCard.h"
#include "cards/SendCard.h"
#include "classic/GameViewPC.h"
#include "platform/gamebase/MessageFields.h"
#include "classic/RoundTaskConditions.h"
#include "classic/TopUIPC.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/PackInfoBase.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/GameSoundDDZ.h"
#include "classic/BottomUIPC.h"
#include "classic/DDZPackLayer.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayEffects.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/ResultAnis.h"
#include "widgets/TaskUI.h"

using cocos2d::Vec2;
namespace msg = ddz::classic;

using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// ---- message layouts this view reads beyond the classic message readers ----
constexpr int kBody = 8;
// 71: base score, face-up card, first seat, info text, cap, task fields.
constexpr int kDealBaseScore = 64;
constexpr int kDealOpenCard = 69;
constexpr int kDealFirstSeat = 70;
constexpr int kDealText = 71;
constexpr int kDealTextEnd = 92;
constexpr int kDealCap = 92;
constexpr int kDealTaskSubType = 96;
constexpr int kDealTaskPrize = 100;
constexpr int kDealTaskMainType = 104;
constexpr int kDealTaskAddPercent = 108;
constexpr int kDealTaskAddSeconds = 112;
// 56: chair, up to 20 card bytes.
constexpr int kPlayedCards = 9;
// 23: chair, 20 card bytes.
constexpr int kShownCards = 9;
constexpr int kShowHandSize = kShownCards + msg::kMaxPlayCards;
// 38: fee, countdown, mode, background word.
constexpr int kSettingsFee = 8;
constexpr int kSettingsCountdown = 12;
constexpr int kSettingsMode = 16;
constexpr int kSettingsWord = 20;
constexpr int kSettingsWordNight = 9;
// 39: kind, countdown, the award's three values.
constexpr int kActivityKind = 8;
constexpr int kActivityNewPlayerAward = 3;
constexpr int kActivityCountdown = 1;
constexpr int kActivityCountdownAt = 12;
constexpr int kAwardValues = 24;

// Voice indexes of the seat voices (GameSoundDDZ's voice table).
using enum GameSoundDDZ::SeatVoice;

constexpr int kCallRobMode = 1;
constexpr int kPhaseDouble = 3;
constexpr int kPhaseRob = 2;
constexpr int kPhaseCall = 1;
constexpr int kClockKindBid = 0;
constexpr int kClockKindPlay = 2;
constexpr int kLandlordRole = 2;
constexpr int kFarmerRole = 1;
constexpr int kBottomCards = 3;
constexpr int kLandlordCards = 20;

constexpr int kZTaskPanel = 200;
constexpr int kZShownRow = 1;
constexpr int kZBgWord = -9;
constexpr float kBgWordBelowCentre = 40;
constexpr const char* kBgWordDay = "qorvddz_bg_word1.png";
constexpr const char* kBgWordNight = "qorvddz_bg_word2.png";
constexpr int kLevelForTaskHighlight = 3;
constexpr int kTextTableFee = 452;
// The system box's line kinds: 0 a plain line.
constexpr int kSysBoxPlainLine = 0;
constexpr int kTaskMainTypeMoney = 1;
constexpr int kStateFirstDealAfterContinue = 140;

std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }

// The card codes of up to `n` card bytes from `at`: the first 0 byte ends
// them when `zeroEnds`, else it is an empty place; bytes that name no card
// are skipped.
std::vector<int> CardsAt(const char* msg, int at, int n, bool zeroEnds) {
  std::vector<int> codes;
  for (int i = 0; i < n; ++i) {
    const std::uint8_t byte = ByteAt(msg, at + i);
    if (byte == 0) {
      if (zeroEnds) break;
      continue;
    }
    const int code = ddz::CardByteToCode(byte);
    if (code < 0) {
      cocos2d::log("GameViewPC: card byte 0x%02x is not a card, skipped", byte);
      continue;
    }
    codes.push_back(code);
  }
  return codes;
}

SpriteCardManage* CardRow(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

// The message in a zeroed buffer of a reader's layout size N: the reader sees
// the message's own bytes, and zeros for the padding a server may leave off.
template <std::size_t N>
std::array<std::uint8_t, N> Padded(const char* msg, int len) {
  std::array<std::uint8_t, N> buf{};
  std::memcpy(buf.data(), msg, std::min(N, static_cast<std::size_t>(std::max(len, 0))));
  return buf;
}

}  // namespace

bool GameViewPC::s_bHandStarted = false;

// ---------------------------------------------------------------- dispatch

int GameViewPC::MinMessageLength(int type) {
  // The end of the last field the type's handler reads (of its common part
  // for the types with kinds; KindLongEnough checks the rest).
  switch (type) {
    case kMsgDeal: return kDealTaskAddSeconds + 4;
    case kMsgBidTurn: return kBody + 2;
    case kMsgBidResult: return kBody + 3;
    case kMsgLandlord: return kBody + 2 + kBottomCards;
    case kMsgPlayTurn: return kBody + 1;
    case kMsgPlayed: return kPlayedCards + msg::kMaxPlayCards;
    case kMsgShowHand: return kShowHandSize;
    case kMsgTableSettings: return kSettingsWord + 4;
    case kMsgActivity: return kActivityKind + 4;
    case kMsgMiniGameOpen: return kBody + 1;
    case kMsgMiniGame: return kBody + 1;
    case kMsgMiniGameEnd: return kBody + 1;
    default: return 0;
  }
}

bool GameViewPC::KindLongEnough(int len, int need, int type, int kind) {
  if (len >= need) return true;
  cocos2d::log("CallBackHandleMainSocketNetMsg: message %d of kind %d and length %d is shorter than %d, dropped", type,
               kind, len, need);
  return false;
}

void GameViewPC::CallBackHandleMainSocketNetMsg(char* msg, int len) {
  const int type = TypeOfWholeMessage("GameViewPC", msg, len, &MinMessageLength);
  if (type < 0) return;
  if (!m_bHandRunning && (type == kMsgBidTurn || type == kMsgPlayTurn)) {
    // A turn of a hand that is over or that the table no longer shows: a
    // press on it would be taken as a move of another hand.
    cocos2d::log("CallBackHandleMainSocketNetMsg: turn %d while no hand runs, dropped", type);
    return;
  }
  switch (type) {
    case kMsgDeal: OnGameStart(msg, len); break;
    case kMsgBidTurn: OnTurnPrompt(msg, len); break;
    case kMsgBidResult: OnCallLandlordAct(msg, len); break;
    case kMsgLandlord: OnLandlordDecided(msg, len); break;
    case kMsgPlayTurn: OnPlayTurn(msg, len); break;
    case kMsgPlayed: OnPlayCards(msg, len, false); break;
    case kMsgTableSettings: OnTableSettings(msg, len); break;
    case kMsgActivity: OnNewPlayerAward(msg, len); break;
    case kMsgShowHand: OnShowHand(msg, len); break;
    case kMsgIgnored205:
    case kMsgIgnored58: break;
    case kMsgMiniGameOpen: OnSmallGameMsg(msg, len); break;
    case kMsgMiniGame: OnSmallGameResult(msg, len); break;
    case kMsgMiniGameEnd: OnCounterActivityMsg(msg, len); break;
    default: OnOtherMessage(msg, len); break;
  }
  if (type != kMsgNotForBackpack) PassToBackpack(msg, len);
}

void GameViewPC::PassToBackpack(char* msg, int len) {
  // The bottom bar's backpack hears every message (the view's own prop list
  // is only the default the player popups ask).
  if (m_pBottomUIPC != nullptr && m_pBottomUIPC->GetPackLayer() != nullptr)
    m_pBottomUIPC->GetPackLayer()->HandleNetMessage(msg, len);
}

// ---------------------------------------------------------------- seats, clock, signs, voices

int GameViewPC::SeatOfChair(std::uint8_t chair, const char* what) const {
  if (chair >= static_cast<unsigned>(std::min(m_iPlayerCount, kPlayerCount))) {
    cocos2d::log("GameViewPC::%s: chair %d is no seat of the table, message dropped", what, chair);
    return -1;
  }
  const int seat = GetTablePosByTableNumExtra(static_cast<char>(chair));
  if (seat < 0 || seat >= kPlayerCount) {
    cocos2d::log("GameViewPC::%s: chair %d gives no seat, message dropped", what, chair);
    return -1;
  }
  return seat;
}

int GameViewPC::SeatHeadFigure(int seat) const {
  if (seat < 0 || seat >= kMaxSeats) return 0;
  if (g_iSeatHeadFigure[seat] >= 0) return g_iSeatHeadFigure[seat];
  if (seat == kOwnSeat) return m_GlobalInfo.iHeadID;
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr ? player->cHeadID : 0;
}

bool GameViewPC::SeatHasShortClock(int seat) const {
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr && player->bShortClock != 0;
}

void GameViewPC::ShowSeatClock(int seconds, int seat, int kind) {
  if (m_pGameClock != nullptr) m_pGameClock->ShowClock(seconds, seat, kind, g_ptClock[seat]);
}

void GameViewPC::StopClock() {
  if (m_pGameClock != nullptr) m_pGameClock->ResetClock();
}

void GameViewPC::ClearPointSigns() {
  for (int seat = 0; seat < kPlayerCount; ++seat)
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPoint(false, -1, g_ptPlayerInfoBG[seat]);
}

void GameViewPC::PlayVoice(int seat, int voice) {
  GameSoundDDZ::shareGameSoundDDZ()->PlayerTalk(SeatHeadFigure(seat), voice);
}

// ---------------------------------------------------------------- 71 deal

void GameViewPC::OnGameStart(char* msg, int len) {
  // The own 17 cards are chosen by the own chair: a chair that is no seat of
  // the table drops the deal before anything changes.
  const PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (self == nullptr || self->cChairID >= msg::kChairs) {
    cocos2d::log("GameViewPC::OnGameStart: own chair %d is not 0..2, deal dropped",
                 self != nullptr ? self->cChairID : -1);
    return;
  }
  if (SeatOfChair(ByteAt(msg, kDealFirstSeat), "OnGameStart") < 0) return;
  // The first deal after the result screen's continue button.
  if (m_iContinueCount == 1) RecordGameStateIfOn(kStateFirstDealAfterContinue);
  ResetTable();
  m_bHandRunning = true;
  m_TableItem.Clear();
  if (m_iGameMode == kCallRobMode) {
    for (int seat = 0; seat < kPlayerCount; ++seat) {
      PlayerNode* player = GetPlayerNode(seat);
      if (player == nullptr) continue;
      player->iMoney = ddz::os::SaturatingSub(player->iMoney, m_GlobalInfo.iTableFee);
      if (m_pPlayerGameInfo[seat] != nullptr)
        m_pPlayerGameInfo[seat]->ShowPlayerMoneInfo(true, player->iMoney, g_ptPlayerMoneyPos[seat], false);
    }
    const PlayerNode* self = GetPlayerNode(kOwnSeat);
    if (self != nullptr && IsBottomBarVisible()) m_pBottomUIPC->SetSelfMoney(self->iMoney);
  }
  if (IsBottomBarVisible()) EnableBottomBarButtons(true);
  m_iTopScoreCap = BigEndianAt(msg, kDealCap);
  if (m_pTopUIPC != nullptr) m_pTopUIPC->SetTopScore(m_iTopScoreCap);
  ShowRoundTask(msg, len);
  // The counter activity counts one hand down.
  if (m_pActivityLayer != nullptr) {
    if (auto* counter = dynamic_cast<TVActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeCounter)))
      counter->DecCount(ddz::os::SaturatingSub(counter->GetLeftCount(), 1));
  }
}

void GameViewPC::ShowRoundTask(const char* msg, int len) {
  if (msg == nullptr || len < MinMessageLength(kMsgDeal)) {
    cocos2d::log("GameViewPC::ShowRoundTask: deal of length %d dropped", len);
    return;
  }
  const PlayerNode* self = GetPlayerNode(kOwnSeat);
  const std::uint8_t chair = self != nullptr ? self->cChairID : 0xff;
  if (self == nullptr || chair >= msg::kChairs) {
    cocos2d::log("GameViewPC::ShowRoundTask: own chair %d is not 0..2, deal dropped", chair);
    return;
  }
  const int firstSeat = SeatOfChair(ByteAt(msg, kDealFirstSeat), "ShowRoundTask");
  s_bHandStarted = true;

  if (m_pInfoLabel != nullptr) {
    const int end = std::min(len, kDealTextEnd);
    const char* text = msg + kDealText;
    const std::size_t n = strnlen(text, static_cast<std::size_t>(std::max(0, end - kDealText)));
    m_pInfoLabel->setString(YndCodeConvert::G2u(std::string_view(text, n)));
  }

  StartDealRow(reinterpret_cast<const std::uint8_t*>(msg + kBody + msg::kDealCards * chair), ByteAt(msg, kDealOpenCard),
               firstSeat);
  ArmSideHands(false);

  if (!IsSinglePlayer()) {
    const int subType = BigEndianAt(msg, kDealTaskSubType);
    int prize = BigEndianAt(msg, kDealTaskPrize);
    const int mainType = BigEndianAt(msg, kDealTaskMainType);
    const int prizeKind = mainType == 1 ? 0 : mainType == 2 ? 1 : -1;
    // While the web activity runs a money task pays double: the banner shows
    // the full prize, the panel half of it until the banner ends.
    if (mainType == kTaskMainTypeMoney && WebActivityRuns()) {
      const int values[AniYBDouble::kTaskValues] = {prize};
      if (AniManage* anis = GetAniManage()) anis->ShowAni(new AniYBDouble(this, values), false, true);
      prize = static_cast<int>(static_cast<std::uint32_t>(prize) >> 1);
    }
    if (m_pTaskUI != nullptr) static_cast<cocos2d::Node*>(m_pTaskUI)->removeFromParent();
    m_pTaskUI = new TaskUI(mainType, subType, prize, prizeKind);
    m_pTaskUI->autorelease();
    std::memcpy(&m_pTaskUI->m_iAddPercent, msg + kDealTaskAddPercent, sizeof(int));
    std::memcpy(&m_pTaskUI->m_iAddSeconds, msg + kDealTaskAddSeconds, sizeof(int));
    addChild(m_pTaskUI, kZTaskPanel);
    if (self->iLevel < kLevelForTaskHighlight) m_pTaskUI->PlayTaskAni();
  }

  RefreshActivityButtons();
  m_TableItem.iBaseScore = IsSinglePlayer() ? 1 : BigEndianAt(msg, kDealBaseScore);
  StartNetTest();
  std::array<char, kDealReceivedSize> request{};
  SendMsgToMainSocket(request.data(), kMsgDealReceived, kDealReceivedSize);
}

void GameViewPC::OnDealCardEnd() {
  // The deal lowered its own raise of the message lock before telling us.
  // Its layer leaves the table with the face-up card it turned (kept for the
  // next deal, which adds it again).
  ParkWidget(m_pDealCard);
  DDZGameView::OnDealCardEnd();
  ArmSideHands(true);
}

// ---------------------------------------------------------------- 72 bid turn

void GameViewPC::OnTurnPrompt(char* msg, int len) {
  msg::BidTurn turn;
  const auto padded = Padded<msg::MsgSize::BidTurn>(msg, len);
  if (!msg::ReadBidTurn(padded.data(), padded.size(), turn)) return;
  const int seat = SeatOfChair(static_cast<std::uint8_t>(turn.chair), "OnTurnPrompt");
  if (seat < 0) return;
  const bool shortClock = SeatHasShortClock(seat);
  int seconds = shortClock ? kShortClockBidSeconds : kBidSeconds;
  const bool callRob = m_iGameMode == kCallRobMode;

  SelfHandCard* hand = GetSelfHand();
  if (seat == kOwnSeat && hand != nullptr) {
    if (!callRob) {
      hand->ShowCallScoreButtons(m_TableItem.iFinalPoint);
    } else if (turn.phase == kPhaseCall) {
      hand->ShowAnswerPair(SelfHandCard::kPairCall);
    } else if (turn.phase == kPhaseRob) {
      hand->ShowAnswerPair(SelfHandCard::kPairRob);
    } else if (turn.phase == kPhaseDouble) {
      hand->ShowAnswerPair(SelfHandCard::kPairDouble);
    }
  }
  // The own answers to rob and double have 5 s; another seat keeps its time.
  if (seat == kOwnSeat && callRob && (turn.phase == kPhaseRob || turn.phase == kPhaseDouble)) seconds = kAnswerSeconds;

  if (callRob) {
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPoint(false, -1, g_ptPlayerInfoBG[seat]);
    if (turn.phase != kPhaseDouble || seat == kOwnSeat) {
      ShowSeatClock(seconds, seat, kClockKindBid);
    } else if (m_pPlayerGameInfo[kOwnSeat] != nullptr) {
      m_pPlayerGameInfo[kOwnSeat]->ShowWaitFarmerMul(true, g_ptWaitFarmerMul);
    }
  } else {
    ShowSeatClock(seconds, seat, kClockKindBid);
  }

  if (!IsSinglePlayer()) {
    if (shortClock) m_iLockMainMsgTime += kHoldShortClockBid;
  } else if (seat == kOwnSeat) {
    StopClock();
  } else {
    m_iLockMainMsgTime += kHoldOtherSeatSingle;
  }
}

// ---------------------------------------------------------------- 54 bid result

void GameViewPC::OnCallLandlordAct(char* msg, int len) {
  msg::BidResult bid;
  const auto padded = Padded<msg::MsgSize::BidResult>(msg, len);
  if (!msg::ReadBidResult(padded.data(), padded.size(), bid)) return;
  const int seat = SeatOfChair(static_cast<std::uint8_t>(bid.chair), "OnCallLandlordAct");
  if (seat < 0) return;
  const int action = bid.choice;
  PlayerGameInfo* info = m_pPlayerGameInfo[seat];
  auto showPoint = [&] {
    if (info == nullptr) return;
    info->ShowPoint(false, -1, g_ptPlayerInfoBG[seat]);
    info->ShowPoint(true, action, g_ptPlayerInfoBG[seat]);
  };

  if (m_iGameMode == kCallRobMode) {
    const bool otherDoubling = seat != kOwnSeat && (action == msg::BidChoice::Double ||
                                                    action == msg::BidChoice::DontDouble);
    if (!otherDoubling) StopClock();
    m_TableItem.iPointDemand[seat] = action;
    showPoint();
    switch (action) {
      case msg::BidChoice::Pass: PlayVoice(seat, kVoiceNoCall); break;
      case msg::BidChoice::Call:
        PlayVoice(seat, kVoiceCall + static_cast<int>(ddz::os::Rand() % 2));
        m_TableItem.iTimes = 1;
        ShowTableMultiple(1);
        ShowDoubleAni(seat, static_cast<signed char>(bid.extra));
        break;
      case msg::BidChoice::Rob:
        PlayVoice(seat, kVoiceRob + static_cast<int>(ddz::os::Rand() % 2));
        ShowTableMultiple(m_TableItem.iTimes);
        ShowDoubleAni(seat, 2);
        break;
      case msg::BidChoice::DontRob: PlayVoice(seat, kVoiceNoRob); break;
      case msg::BidChoice::Double:
        if (info != nullptr && seat < 3) info->ShowAddPound(true, g_ptPlayerJiaBeiPos[seat]);
        PlayVoice(seat, kVoiceDouble + static_cast<int>(ddz::os::Rand() % 3));
        break;
      case msg::BidChoice::DontDouble: PlayVoice(seat, kVoiceNoDouble + static_cast<int>(ddz::os::Rand() % 2)); break;
      default: break;
    }
    return;
  }

  StopClock();
  m_TableItem.iPointDemand[seat] = action;
  if (action > m_TableItem.iFinalPoint) {
    m_TableItem.iFinalPoint = action;
    if (m_pTopUIPC != nullptr) {
      m_pTopUIPC->SetBaseScore(ddz::os::SaturatingMul(m_TableItem.iBaseScore, action));
      m_pTopUIPC->SetNumber(m_TableItem.iTimes);
    }
  }
  showPoint();
  if (action >= 1 && action <= 3) {
    PlayVoice(seat, action - 1);
  } else if (action == 0) {
    PlayVoice(seat, kVoiceNoCall);
  }
}

// ---------------------------------------------------------------- 55 landlord

void GameViewPC::OnLandlordDecided(char* msg, int len) {
  if (!LandlordStillOpen("GameViewPC::OnLandlordDecided")) return;
  msg::Landlord landlord;
  const auto padded = Padded<msg::MsgSize::Landlord>(msg, len);
  if (!msg::ReadLandlord(padded.data(), padded.size(), landlord)) return;
  const int seat = SeatOfChair(static_cast<std::uint8_t>(landlord.chair), "OnLandlordDecided");
  if (seat < 0) return;
  m_TableItem.iLandOwnerPos = seat;
  m_TableItem.iTableCardOwnerPos = seat;
  m_iPassesInRow = 0;
  // The bids are over: their signs go, so the hat flies to the landlord over
  // a clear table and no seat's sign stands on it.
  for (int s = 0; s < kPlayerCount; ++s)
    if (m_pPlayerGameInfo[s] != nullptr) m_pPlayerGameInfo[s]->ShowPoint(false, -1, g_ptPlayerInfoBG[s]);
  if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowLandOwner(true, g_ptLandOwner[seat], false);
  for (int s = 0; s < kPlayerCount; ++s) m_iSendRowRole[s] = s == seat ? kLandlordRole : kFarmerRole;

  m_TableItem.vcBaseCardIndex = landlord.bottomCards;
  // The row holds the message lock while the cards turn.
  if (m_pBaseCard != nullptr) m_pBaseCard->ShowBaseCard(m_TableItem.vcBaseCardIndex, BaseCard::kDefaultFlipDelay, true);

  if (seat == kOwnSeat) {
    if (!IsSinglePlayer() && m_pTaskUI != nullptr && m_pTaskUI->isVisible() &&
        ddz::TaskMatches(m_pTaskUI->iSubType, 0, 0, msg + 10, nullptr)) {
      m_pTaskUI->PlayTaskAni();
    }
  } else if (SpriteCardManage* backs = CardRow(m_pHandCard[seat])) {
    for (int i = 0; i < kBottomCards; ++i) backs->AddCard(0, true, false, true, -1, false, false);
  }

  if (m_iGameMode == kCallRobMode) {
    ShowTableMultiple(m_TableItem.iTimes);
  } else {
    m_TableItem.iFinalPoint = landlord.score;
    if (m_pTopUIPC != nullptr) {
      m_pTopUIPC->SetBaseScore(ddz::os::SaturatingMul(m_TableItem.iBaseScore, landlord.score));
      m_pTopUIPC->SetNumber(m_TableItem.iTimes);
    }
  }
  if (seat != kOwnSeat && m_iGameMode != kCallRobMode) m_iLockMainMsgTime += kHoldLandlordScoreMode;
  if (m_pHandCard[kOwnSeat] != nullptr) m_pHandCard[kOwnSeat]->RefreshCardMarks(true);
}

void GameViewPC::OnBaseCardShown() {
  DDZGameView::OnBaseCardShown();
  if (m_TableItem.iLandOwnerPos != kOwnSeat) return;
  SelfHandCard* hand = GetSelfHand();
  if (hand == nullptr) return;
  for (int code : m_TableItem.vcBaseCardIndex) hand->AddCard(code, false, true, true, -1, false, false);
  // The bottom cards stand raised: the first touch of the turn lowers them.
  hand->SetTurnStarted(true);
  unschedule(schedule_selector(GameViewPC::LowerRaisedBaseCards));
  scheduleOnce(schedule_selector(GameViewPC::LowerRaisedBaseCards), kBaseCardsRaisedSeconds);
}

void GameViewPC::LowerRaisedBaseCards(float) {
  if (m_iGameMode == kCallRobMode) return;
  if (SelfHandCard* hand = GetSelfHand()) {
    hand->UnselectAll();
    hand->UpdateOutCardButton();
  }
}

// ---------------------------------------------------------------- 73 play turn

void GameViewPC::OnPlayTurn(char* msg, int len) {
  msg::PlayTurn turn;
  const auto padded = Padded<msg::MsgSize::PlayTurn>(msg, len);
  if (!msg::ReadPlayTurn(padded.data(), padded.size(), turn)) return;
  const int seat = SeatOfChair(static_cast<std::uint8_t>(turn.chair), "OnPlayTurn");
  if (seat < 0) return;
  const bool callRob = m_iGameMode == kCallRobMode;
  if (!callRob) ClearPointSigns();

  if (seat == kOwnSeat) {
    if (++m_TableItem.iSelfTurnCount == 1) EnableLastRoundButton();
    const int landlord = m_TableItem.iLandOwnerPos;
    if (landlord >= 0 && landlord < kMaxSeats && m_pPlayerGameInfo[landlord] != nullptr)
      m_pPlayerGameInfo[landlord]->ShowLandOwnerAni();
  }
  if (callRob) {
    const int landlord = m_TableItem.iLandOwnerPos;
    Vell_SpriteCardManage* landlordHand =
        landlord >= 0 && landlord < kMaxSeats ? m_pHandCard[landlord] : nullptr;
    if (landlordHand != nullptr && landlordHand->GetCardCount() == kLandlordCards &&
        m_pPlayerGameInfo[kOwnSeat] != nullptr) {
      m_pPlayerGameInfo[kOwnSeat]->ShowWaitFarmerMul(false, g_ptWaitFarmerMul);
    }
  }

  // What this seat played last goes into the last-round record.
  if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPass(false, g_ptPlayerInfoBG[seat]);
  // A seat that leaves no card passed, unless it has not played yet.
  std::fill(std::begin(m_TableItem.iLastOutCard[seat]), std::end(m_TableItem.iLastOutCard[seat]), -1);
  bool leftCards = false;
  if (SpriteCardManage* played = CardRow(m_pSendCard[seat])) {
    const auto& cards = played->GetCards();
    for (std::size_t i = 0; i < cards.size() && i < TableItemDef::kLastOutCards; ++i)
      m_TableItem.iLastOutCard[seat][i] = cards[i]->iCardIndex;
    leftCards = !cards.empty();
    played->RemoveAllCards();
  }
  m_bLastRoundPass[seat] = !leftCards && m_bSeatActed[seat];
  ShowLastCardsOnBottomBar();

  if (seat == kOwnSeat) {
    // The own seat leads when its own play is the one on the table or both
    // other seats passed since the last play; a turn handed back after a
    // refused pass says the server has it leading whatever the table shows.
    const bool refusedPass = m_bOwnPlayPending && m_bOwnPassPending;
    if (m_bOwnPlayPending) cocos2d::log("GameViewPC::OnPlayTurn: the server handed the own turn back");
    m_bOwnPlayPending = false;
    m_bOwnPassPending = false;
    if (m_TableItem.iTableCardOwnerPos == kOwnSeat || m_iPassesInRow >= 2 || refusedPass) {
      m_TableItem.vcTableCardIndex.clear();
      m_TableItem.iTableCardOwnerPos = kOwnSeat;
    }
  }

  int seconds = kShortClockPlaySeconds;
  if (!SeatHasShortClock(seat)) {
    const int left = m_pHandCard[seat] != nullptr ? m_pHandCard[seat]->GetCardCount() : 0;
    seconds = PlaySecondsFor(left);
    SelfHandCard* hand = GetSelfHand();
    if (seat == kOwnSeat && hand != nullptr && hand->GetAutoPlayCount() > 0) seconds -= 5;
  }
  ddz::CardTypeInfo tableType;
  ddz::ClueCard::GetCardType(tableType, m_TableItem.vcTableCardIndex);
  if (SelfHandCard* hand = GetSelfHand()) hand->SetLastTablePlayType(tableType.type);
  const bool rocketOnTable = tableType.type == ddz::CardType::Rocket && m_TableItem.iTableCardOwnerPos != seat;
  if (rocketOnTable) seconds = 1;
  ShowSeatClock(seconds, seat, kClockKindPlay);

  if (seat == kOwnSeat) {
    SelfHandCard* hand = GetSelfHand();
    if (hand != nullptr) {
      if (callRob && hand->GetCardCount() == kLandlordCards) {
        // The landlord's first turn asks first whether to show the hand;
        // the answer ends in ShowSelfClock.
        hand->setTouchEnabled(false, false);
        hand->UnselectAll();
        for (int i = 0; i < hand->GetCardCount(); ++i) hand->SetCardMask(i, true);
        hand->ShowAnswerPair(SelfHandCard::kPairShowHand);
        ShowSeatClock(kAnswerSeconds, kOwnSeat, kClockKindPlay);
      } else {
        hand->ShowOutCardButtons(m_TableItem.vcTableCardIndex);
      }
    }
  }

  if (IsSinglePlayer()) {
    if (seat == kOwnSeat) {
      StopClock();
    } else {
      m_iLockMainMsgTime += kHoldOtherSeatSingle;
    }
  } else if (SeatHasShortClock(seat)) {
    m_iLockMainMsgTime += rocketOnTable ? kHoldRocket : kHoldShortClockPlay;
  }
}

// ---------------------------------------------------------------- 56 played cards

void GameViewPC::OnPlayCards(char* msg, int len, bool local) {
  if (len < MinMessageLength(kMsgPlayed)) return;
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnPlayCards");
  if (seat < 0) return;
  const std::vector<int> codes = CardsAt(msg, kPlayedCards, msg::kMaxPlayCards, true);
  if (!PlayFitsSeat(seat, codes, 1, "GameViewPC::OnPlayCards")) return;
  if (m_iGameMode == kCallRobMode) ClearPointSigns();
  StopClock();

  if (m_pBaseCard != nullptr && m_pBaseCard->GetCardCount() > 0) {
    m_pBaseCard->RemoveAllCard();
    if (m_pTopUIPC != nullptr) m_pTopUIPC->ShowBaseCards(m_TableItem.vcBaseCardIndex);
    if (!IsSinglePlayer() && m_pTaskUI != nullptr) m_pTaskUI->StopTaskAni();
    if (CardCounterLayer* counter = OpenCardCounter()) counter->SetShow(true);
  }
  // The own play is shown when the server takes it: its 56 for the own
  // seat, never the request alone (a refused play keeps its cards).
  (void)local;
  if (seat == kOwnSeat) {
    m_bOwnPlayPending = false;
    m_bOwnPassPending = false;
  }
  m_bSeatActed[seat] = true;

  const int figure = SeatHeadFigure(seat);
  if (codes.empty()) {
    ++m_iPassesInRow;
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPass(true, g_ptPlayerInfoBG[seat]);
    PlayVoice(seat, kVoicePass);
  } else {
    m_iPassesInRow = 0;
    const int previousOwner = m_TableItem.iTableCardOwnerPos;
    m_TableItem.vcTableCardIndex = codes;
    m_TableItem.iTableCardOwnerPos = seat;
    ddz::CardTypeInfo type;
    ddz::ClueCard::GetCardType(type, codes);
    if (type.type == ddz::CardType::Bomb) ++m_TableItem.iSendBombNum;
    if (type.type == ddz::CardType::Rocket) m_TableItem.bSendRocket = true;
    ShowCardTypeEffect(type.type, figure, seat, previousOwner);
    // The counter counts every play of the hand, open or not.
    if (CardCounterLayer* counter = GetCardCounter()) counter->AddCards(codes);
    if (type.type == ddz::CardType::Single || type.type == ddz::CardType::Pair)
      GameSoundDDZ::shareGameSoundDDZ()->PlayerTalkCard(figure, type.type, type.value);
    if (seat == kOwnSeat && !IsSinglePlayer() && m_pTaskUI != nullptr && m_pTaskUI->isVisible() &&
        ddz::TaskMatches(m_pTaskUI->iSubType, type.type, type.value, nullptr, msg + kPlayedCards)) {
      m_pTaskUI->PlayTaskAni();
    }
    MovePlayedCards(seat, codes, m_iSendRowRole[seat]);
  }

  if (m_pHandCard[seat] != nullptr && m_pHandCard[seat]->GetCardCount() == 0) m_iLockMainMsgTime += kHoldHandEmptied;
  if (seat == 0 && m_pHandCard[kOwnSeat] != nullptr && m_pHandCard[kOwnSeat]->GetCardCount() == 1 &&
      m_pHandCard[0] != nullptr && m_pHandCard[0]->GetCardCount() > 0) {
    m_iLockMainMsgTime += kHoldHandEmptied;
    if (m_pPlayerGameInfo[kOwnSeat] != nullptr) m_pPlayerGameInfo[kOwnSeat]->ShowPass(false, g_ptPlayerInfoBG[kOwnSeat]);
  }
}

void GameViewPC::ShowCardTypeEffect(int cardType, int headIndex, int pos, int chair) {
  ShowPlayEffect(this, kClassicPlayEffects, cardType, headIndex, pos, chair, m_iGameMode == kCallRobMode);
}

// ---------------------------------------------------------------- the own hand's calls

void GameViewPC::ShowSelfOutCard(const char*, int count) {
  // The cards stay in the hand until the server's 56 for the own seat moves
  // them to the table (OnPlayCards); a play the server refuses comes back as
  // a new own turn with the hand still whole.
  m_bOwnPlayPending = true;
  m_bOwnPassPending = count <= 0;
}

void GameViewPC::HideGameClock() { StopClock(); }

void GameViewPC::ShowSelfClock(int kind) {
  ClearPointSigns();
  SelfHandCard* hand = GetSelfHand();
  if (kind == 1) {
    if (hand != nullptr) {
      hand->ShowMingPaiMark();
      hand->ShowOutCardButtons(m_TableItem.vcTableCardIndex);
    }
    ShowTableMultiple(m_TableItem.iTimes);
    ShowDoubleAni(kOwnSeat, 2);
    PlayVoice(kOwnSeat, kVoiceShowHand);
  } else if (hand != nullptr) {
    hand->ShowOutCardButtons(m_TableItem.vcTableCardIndex);
  }
  ShowSeatClock(kOwnLeadSeconds, kOwnSeat, kClockKindPlay);
  if (hand != nullptr) {
    hand->setTouchEnabled(true, false);
    for (int i = 0; i < hand->GetCardCount(); ++i) hand->SetCardMask(i, false);
  }
}

// ---------------------------------------------------------------- 23 shown hand

void GameViewPC::OnShowHand(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnShowHand");
  if (seat < 0) return;
  ClearPointSigns();
  if (seat == kOwnSeat) {
    m_iShowCardSeat = kOwnSeat;
    return;
  }
  const std::vector<int> codes = CardsAt(msg, kShownCards, msg::kMaxPlayCards, false);
  if (SpriteCardManage* shown = CardRow(m_pMingCard[seat])) {
    AddTableWidget(shown, kZShownRow);
    for (int code : codes) shown->AddCard(code, false, false, true, 0, false, true);
  }
  ShowTableMultiple(m_TableItem.iTimes);
  ShowDoubleAni(seat, 2);
  PlayVoice(seat, kVoiceShowHand);
  m_iShowCardSeat = seat;
}

// ---------------------------------------------------------------- 38 table settings, 39 activity

void GameViewPC::OnTableSettings(char* msg, int) {
  m_iGameMode = static_cast<signed char>(msg[kSettingsMode]);
  const int countdown = LittleEndianAt(msg, kSettingsCountdown);
  if (countdown > 0) ShowWebActivityCountdown(countdown);
  const int fee = LittleEndianAt(msg, kSettingsFee);
  m_GlobalInfo.iTableFee = fee;
  AddSysBoxMessage(ddz::FormatText(GameText(kTextTableFee), fee), kSysBoxPlainLine);
  if (m_pBgWord == nullptr) {
    const bool night = LittleEndianAt(msg, kSettingsWord) == kSettingsWordNight;
    m_pBgWord = cocos2d::Sprite::createWithSpriteFrameName(night ? kBgWordNight : kBgWordDay);
    if (m_pBgWord != nullptr) {
      m_pBgWord->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth) / 2,
                                  static_cast<float>(BasePT::g_iWindowHeight) / 2 - kBgWordBelowCentre));
      addChild(m_pBgWord, kZBgWord);
    }
  }
}

void GameViewPC::OnNewPlayerAward(char* msg, int len) {
  const int kind = LittleEndianAt(msg, kActivityKind);
  if (kind == kActivityCountdown && !KindLongEnough(len, kActivityCountdownAt + 4, kMsgActivity, kind)) return;
  if (kind == kActivityNewPlayerAward && !KindLongEnough(len, kAwardValues + 12, kMsgActivity, kind)) return;
  m_iNewPlayerAward = 0;
  if (kind == kActivityCountdown) {
    const int countdown = LittleEndianAt(msg, kActivityCountdownAt);
    if (countdown > 0) ShowWebActivityCountdown(countdown);
  } else if (kind == kActivityNewPlayerAward) {
    StartNewPlayerAward(LittleEndianAt(msg, kAwardValues), LittleEndianAt(msg, kAwardValues + 4),
                        LittleEndianAt(msg, kAwardValues + 8));
  }
}

// ---------------------------------------------------------------- task panel, multiple, kind

void GameViewPC::UpdateTaskNum(int* values) {
  if (values == nullptr) return;
  if (m_pTaskUI != nullptr) m_pTaskUI->SetTaskNum(values[0]);
}

void GameViewPC::ShowDoubleAni(int seat, int factor) {
  if (!m_pDoubleSign) m_pDoubleSign = std::make_unique<DoubleSignFlight>(this);
  m_pDoubleSign->Show(seat, factor);
}

void GameViewPC::ShowTableMultiple(int times) {
  if (m_pTopUIPC != nullptr) m_pTopUIPC->SetNumber(times);
}


// ---------------------------------------------------------------- bottom-bar steps

bool GameViewPC::IsBottomBarVisible() const {
  return m_pBottomUIPC != nullptr && m_pBottomUIPC->isRunning() && m_pBottomUIPC->isVisible();
}

void GameViewPC::EnableBottomBarButtons(bool enable) {
  if (m_pBottomUIPC == nullptr) return;
  if (enable) {
    m_pBottomUIPC->EnableHandButtons();
  } else {
    m_pBottomUIPC->DisableHandButtons();
  }
}

void GameViewPC::EnableLastRoundButton() {
  if (m_pBottomUIPC != nullptr) m_pBottomUIPC->EnableLastRoundButton();
}

void GameViewPC::ShowLastCardsOnBottomBar() {
  if (m_pBottomUIPC != nullptr) m_pBottomUIPC->RefreshLastCardTip();
}

void GameViewPC::AddSysBoxMessage(const std::string& text, int kind) {
  if (m_pBottomUIPC != nullptr && m_pBottomUIPC->IsSysBoxRunning()) m_pBottomUIPC->AddSysMessage(text.c_str(), kind);
}

CardCounterLayer* GameViewPC::OpenCardCounter() const {
  return m_pBottomUIPC != nullptr ? m_pBottomUIPC->GetOpenCardCounter() : nullptr;
}
