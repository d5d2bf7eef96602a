// SuperGameView: the messages of one hand (player-count mode, let-cards
// count, deal, bidding, landlord, turns, plays with their wildcard pairs,
// table settings, shown hands), the own hand's calls, the doubling, the
// effects of a play and the task test.
//
// Every message is checked against MinMessageLength of its type before a
// field is read, and every chair goes through SeatOfChair; a refused message
// changes nothing.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ErClueCard.h"
#include "cardlogic/SuperClueCard.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/ErYieldCardLayer.h"
#include "cards/OtherHandCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/GameSoundDDZ.h"
#include "variants/SuperGameView.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayEffects.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultAnis.h"
#include "widgets/SpecialRuleLayer.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

constexpr int kFrame = 8;
constexpr int kBody = 8;
// 71
constexpr int kDealCards = 17;
constexpr int kDealBaseScore = 64;
constexpr int kDealOpenCard = 69;
constexpr int kDealFirstBidder = 70;
constexpr int kDealCap = 92;
constexpr int kDealTaskSubType = 96;
constexpr int kDealTaskAmount = 100;
constexpr int kDealTaskMainType = 104;
constexpr int kDealTaskRaw1 = 108;
constexpr int kDealTaskRaw2 = 112;
constexpr int kDealSize = 116;
// 38
constexpr int kSettingsFee = 8;
constexpr int kSettingsCountdown = 12;
constexpr int kSettingsRules = 17;
constexpr int kSettingsFlags = 24;
constexpr int kSettingsSize = 25;
constexpr std::uint8_t kBgWordBit = 0x40;
// 23
constexpr int kShownCards = 9;
constexpr int kShownSize = 29;

constexpr int kPhaseCall = 1;
constexpr int kPhaseRob = 2;
constexpr int kPhaseDouble = 3;
constexpr int kActNoCall = 0;
constexpr int kActCall = 4;
constexpr int kActRob = 5;
constexpr int kActNoRob = 6;
constexpr int kActDouble = 7;
constexpr int kActNoDouble = 8;
constexpr int kClockBid = 0;
constexpr int kClockPlay = 2;
constexpr int kLandlordCards = 20;
constexpr int kBottomCards = 3;

using enum GameSoundDDZ::SeatVoice;
constexpr int kActWin = 2;
constexpr int kActLoss = 3;

constexpr int kHoldShortClockBid = 5000;
constexpr int kHoldOtherSeatSingle = 1000;
constexpr int kHoldLandlord = 2000;
constexpr int kHoldRocket = 1000;
constexpr int kHoldShortClockPlay = 3000;
constexpr int kHoldHandEmptied = 1000;

constexpr int kZDeal = 105;
constexpr int kZTaskPanel = 200;
constexpr int kZShownRow = 1;
constexpr int kZBgWord = -9;
constexpr float kBgWordBelowCentre = 40;
constexpr int kZRulesButton = 106;
constexpr float kDealScale = 0.85f;
const Vec2 kDealPos{156, 20};
constexpr int kLevelForTaskAni = 3;
constexpr int kGuideShows = 5;
constexpr int kZGuide = 5000;
constexpr const char* kPassSign = "qorvddz_tips_pass.png";
constexpr const char* kBgWord = "qorvddz_bg_word2.png";
constexpr const char* kRulesButton = "qorvddz_gz_btn.png";
const Vec2 kRulesButtonPos{1230, 610};

std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }

// Card code of a card byte; -1 (logged) for a byte that names no card.
int CodeOf(std::uint8_t byte) {
  const int code = ddz::CardByteToCode(byte);
  if (code < 0) cocos2d::log("SuperGameView: card byte 0x%02x is not a card, skipped", byte);
  return code;
}

SpriteCardManage* Row(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

}  // namespace

// ---------------------------------------------------------------- dispatch

int SuperGameView::MinMessageLength(int type) {
  switch (type) {
    case kMsgDeal: return kDealSize;
    case kMsgBidTurn: return kBody + 2;
    case kMsgBidResult: return kBody + 2;
    case kMsgLandlord: return kBody + 2 + kBottomCards;
    case kMsgPlayTurn: return kBody + 1;
    case kMsgPlayed: return kPlayedSize;
    case kMsgTableSettings: return kSettingsSize;
    case kMsgActivity: return kBody + 8;
    case kMsgShowHand: return kShownSize;
    case kMsgPlayerCountMode: return kBody + 4;
    case kMsgLetCards: return kBody + 4;
    default: return 0;
  }
}

void SuperGameView::CallBackHandleMainSocketNetMsg(char* msg, int len) {
  if (msg == nullptr || len < kFrame) {
    cocos2d::log("CallBackHandleMainSocketNetMsg: message of length %d dropped", len);
    return;
  }
  const int type = ByteAt(msg, 1);
  cocos2d::log("CallBackHandleMainSocketNetMsg:msgType[%d],[%x]", type, type);
  // The local server writes its plays in the classic layout (36 bytes, no
  // type and no wildcard pairs): they are read from a zeroed buffer of this
  // table's layout.
  std::array<char, kPlayedSize> padded{};
  if (type == kMsgPlayed && IsSinglePlayer() && len >= static_cast<int>(ddz::classic::MsgSize::Played) &&
      len < kPlayedSize) {
    std::memcpy(padded.data(), msg, static_cast<std::size_t>(len));
    msg = padded.data();
    len = kPlayedSize;
  }
  if (len < MinMessageLength(type)) {
    cocos2d::log("CallBackHandleMainSocketNetMsg: message %d of length %d is shorter than %d, dropped", type, len,
                 MinMessageLength(type));
    return;
  }
  const bool needsTable = type == kMsgDeal || type == kMsgBidTurn || type == kMsgBidResult || type == kMsgLandlord ||
                          type == kMsgPlayTurn || type == kMsgPlayed || type == kMsgShowHand || type == kMsgLetCards;
  if (needsTable && !m_bTableBuilt) {
    cocos2d::log("CallBackHandleMainSocketNetMsg: message %d before the table is built, dropped", type);
    return;
  }
  if (!m_bHandRunning && (type == kMsgBidTurn || type == kMsgPlayTurn)) {
    cocos2d::log("CallBackHandleMainSocketNetMsg: turn %d while no hand runs, dropped", type);
    return;
  }
  switch (type) {
    case kMsgPlayerCountMode: OnPlayerCountMode(msg, len); break;
    case kMsgLetCards: ShowYieldCardNum(msg, len); break;
    case kMsgDeal: OnGameStart(msg, len); break;
    case kMsgBidTurn: OnTurnPrompt(msg, len); break;
    case kMsgBidResult: OnRobLandlordAct(msg, len); break;
    case kMsgLandlord: OnLandlordDecided(msg, len); break;
    case kMsgPlayTurn: HandleSendCardsServer(msg, len); break;
    case kMsgPlayed: OnPlayCards(msg, len, false); break;
    case kMsgTableSettings: OnBgWordMsg(msg, len); break;
    case kMsgActivity: OnSubMsg39(msg, len); break;
    case kMsgShowHand: OnSoundMsg(msg, len); break;
    default: break;  // 58 and the types this table has no use for
  }
}

// ---------------------------------------------------------------- seats

int SuperGameView::OwnChair() const {
  const PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (self == nullptr || self->cChairID > 2) return -1;
  return self->cChairID;
}

int SuperGameView::SeatOfChair(int chair, const char* what) const {
  if (chair < 0 || chair > 2) {
    cocos2d::log("SuperGameView::%s: chair %d is no seat of the table, message dropped", what, chair);
    return -1;
  }
  if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat) {
    const int own = OwnChair();
    if (own < 0 || chair > 1) {
      cocos2d::log("SuperGameView::%s: chair %d is no seat of the two-seat table, message dropped", what, chair);
      return -1;
    }
    return chair == own ? kOwnSeat : 0;
  }
  const int seat = GetTablePosByTableNumExtra(static_cast<char>(chair));
  if (seat < 0 || seat > 2) {
    cocos2d::log("SuperGameView::%s: chair %d gives no seat, message dropped", what, chair);
    return -1;
  }
  return seat;
}

int SuperGameView::SeatHeadId(int seat) const {
  if (seat < 0 || seat >= kMaxSeats) return 0;
  if (g_iSeatHeadFigure[seat] >= 0) return g_iSeatHeadFigure[seat];
  if (seat == kOwnSeat) return m_GlobalInfo.iHeadID;
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr ? player->cHeadID : 0;
}

bool SuperGameView::SeatHasShortClock(int seat) const {
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr && player->bShortClock != 0;
}

void SuperGameView::ShowSeatClock(int seconds, int seat, int kind) {
  // The two-seat opponent's clock stands at entry 0.
  if (m_pGameClock != nullptr) m_pGameClock->ShowClock(seconds, seat, kind, g_ptClock[seat]);
}

void SuperGameView::StopClock() {
  if (m_pGameClock != nullptr) m_pGameClock->ResetClock();
}

void SuperGameView::ClearPointSigns() {
  for (int seat = 0; seat < 3; ++seat)
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPoint(false, -1, g_ptPlayerInfoBG[PlaceOf(seat)]);
}

void SuperGameView::PlayVoice(int seat, int voice) {
  GameSoundDDZ::shareGameSoundDDZ()->PlayerTalk(SeatHeadId(seat), voice);
}

// ---------------------------------------------------------------- 61 and 62

void SuperGameView::OnPlayerCountMode(char* msg, int) {
  const int mode = LittleEndianAt(msg, kBody);
  if (m_bTableBuilt) {
    cocos2d::log("SuperGameView::OnPlayerCountMode: the table is built for mode %d, mode %d ignored",
                 m_iPlayerCountMode, mode);
    return;
  }
  m_iPlayerCountMode = mode == ddz::PlayerCountMode::TwoSeat || mode == ddz::PlayerCountMode::ThreeSeatWildcard
                           ? mode
                           : ddz::PlayerCountMode::ThreeSeat;
  m_iGameMode = m_iPlayerCountMode;
  SetPlayerCount(m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 2 : 3);
  BuildTableForMode();
}

void SuperGameView::ShowYieldCardNum(char* msg, int) {
  const int count = LittleEndianAt(msg, kBody);
  if (count <= 0) return;
  EnsureYieldLayer();
  m_iLetCards = count;
  if (m_pYieldLayer != nullptr) m_pYieldLayer->SetYieldNum(count, m_TableItem.iLandOwnerPos);
}

// ---------------------------------------------------------------- 71 deal

void SuperGameView::OnGameStart(char* msg, int len) {
  if (OwnChair() < 0) {
    cocos2d::log("SuperGameView::OnGameStart: no own chair 0..2, deal dropped");
    return;
  }
  if (SeatOfChair(ByteAt(msg, kDealFirstBidder), "OnGameStart") < 0) return;
  if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && m_pHandSprite != nullptr) m_pHandSprite->setVisible(true);
  m_iGameState = 1;
  ResetTable();
  m_bHandRunning = true;
  if (m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat) {
    for (int seat = 0; seat < 3; ++seat) {
      PlayerNode* player = GetPlayerNode(seat);
      if (player == nullptr) continue;
      player->iMoney = ddz::os::SaturatingSub(player->iMoney, m_GlobalInfo.iTableFee);
      if (m_pPlayerGameInfo[seat] != nullptr)
        m_pPlayerGameInfo[seat]->ShowPlayerMoneInfo(true, player->iMoney, g_ptPlayerMoneyPos[PlaceOf(seat)], false);
    }
    if (const PlayerNode* self = GetPlayerNode(kOwnSeat); self != nullptr && m_pBottomUI != nullptr)
      m_pBottomUI->SetMoneyNum(self->iMoney, false);
  }
  if (m_pSuperTopUI != nullptr && m_pSuperTopUI->isRunning()) m_pSuperTopUI->SetBtnOnState(false);
  m_iAmountCap = BigEndianAt(msg, kDealCap);
  ShowRoundTask(msg, len);
  if (m_pActivityLayer != nullptr) {
    if (auto* counter = dynamic_cast<TVActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeCounter)))
      counter->DecCount(ddz::os::SaturatingSub(counter->GetLeftCount(), 1));
  }
}

void SuperGameView::ShowRoundTask(char* msg, int len) {
  const int chair = OwnChair();
  if (chair < 0 || len < kDealSize) return;
  const int firstSeat = SeatOfChair(ByteAt(msg, kDealFirstBidder), "ShowRoundTask");
  if (auto* deal = dynamic_cast<DealCard*>(m_pDealCard)) {
    deal->SetSeatCount(m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 2 : 3);
    deal->setScale(kDealScale);
    deal->setPosition(kDealPos);
    if (deal->getParent() == nullptr) {
      addChild(deal, kZDeal);
    } else {
      deal->setLocalZOrder(kZDeal);
    }
    // The deal holds the message lock itself until its end.
    deal->StartDeal(reinterpret_cast<const std::uint8_t*>(msg + kBody + kDealCards * chair), 0,
                    ByteAt(msg, kDealOpenCard), firstSeat);
  }
  for (int seat : {0, 2}) {
    if (auto* hand = dynamic_cast<OtherHandCard*>(m_pHandCard[seat])) {
      hand->m_bWarningArmed = false;
      hand->m_bSoundPending = false;
      hand->m_bViewFlag = false;
    }
  }
  if (!IsSinglePlayer()) {
    const int mainType = BigEndianAt(msg, kDealTaskMainType);
    int amount = BigEndianAt(msg, kDealTaskAmount);
    bool doubled = false;
    if (m_pActivityLayer != nullptr) {
      if (auto* web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeWeb)))
        doubled = web->GetHandCount() > 0 || web->GetLeftSec() > 0;
    }
    if (doubled && mainType == 1) {
      const int values[AniYBDouble::kTaskValues] = {amount};
      if (AniManage* anis = GetAniManage()) anis->ShowAni(new AniYBDouble(this, values), false, true);
      amount = static_cast<int>(static_cast<std::uint32_t>(amount) >> 1);
    }
    PutTaskPanel(mainType, BigEndianAt(msg, kDealTaskSubType), amount, msg + kDealTaskRaw1);
    const PlayerNode* self = GetPlayerNode(kOwnSeat);
    if (self != nullptr && self->iLevel < kLevelForTaskAni) m_pTaskUI->PlayTaskAni();
  }
  if (m_pTopUI != nullptr) m_pTopUI->SetNumVisible(true);
  if (IsSinglePlayer()) {
    m_TableItem.iBaseScore = 1;
  } else {
    m_TableItem.iBaseScore = BigEndianAt(msg, kDealBaseScore);
    StartNetTest();
  }
  std::array<char, 12> request{};
  SendMsgToMainSocket(request.data(), kMsgDealReceived, static_cast<int>(request.size()));
}

void SuperGameView::OnDealCardEnd() {
  // The deal lowered its own raise of the message lock before telling us.
  DDZGameView::OnDealCardEnd();
  for (int seat : {0, 2}) {
    if (auto* hand = dynamic_cast<OtherHandCard*>(m_pHandCard[seat])) {
      hand->m_bWarningArmed = true;
      hand->m_bSoundPending = true;
      hand->m_bViewFlag = true;
    }
  }
  // A new player sees the guide after the first few deals.
  if (m_GlobalInfo.iGuideShowTimes < kGuideShows && m_GlobalInfo.bGuideShown == 0) {
    if (PlayerGuide* guide = PlayerGuide::create(this, m_GlobalInfo.iGuideShowTimes)) {
      addChild(guide, kZGuide);
      m_GlobalInfo.iGuideShowTimes += 1;
      WriteGuideInfo();
    }
  }
}

void SuperGameView::PutTaskPanel(int mainType, int subType, int amount, const char* raw) {
  if (m_pTaskUI != nullptr) static_cast<cocos2d::Node*>(m_pTaskUI)->removeFromParent();
  // Main type 1 pays money, 2 yuanbao.
  const int prizeKind = mainType == 1 ? 0 : mainType == 2 ? 1 : -1;
  m_pTaskUI = new TaskUI(mainType, subType, amount, prizeKind);
  m_pTaskUI->autorelease();
  std::memcpy(&m_pTaskUI->m_iAddPercent, raw, sizeof(int));
  std::memcpy(&m_pTaskUI->m_iAddSeconds, raw + sizeof(int), sizeof(int));
  addChild(m_pTaskUI, kZTaskPanel);
}

void SuperGameView::ShowTaskCompete() {
  if (m_pTaskUI != nullptr && m_pTaskUI->isRunning()) m_pTaskUI->ShowTaskCompete();
}

// ---------------------------------------------------------------- 72 bid turn

void SuperGameView::OnTurnPrompt(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnTurnPrompt");
  if (seat < 0) return;
  const int phase = ByteAt(msg, kBody + 1);
  const bool shortClock = SeatHasShortClock(seat);
  int seconds = shortClock ? 5 : 10;
  const bool callRob = m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat;
  if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat) EnsureYieldLayer();
  SuperSelfHandCard* hand = GetSelfHand();
  if (seat == kOwnSeat && hand != nullptr) {
    if (!callRob) {
      hand->ShowChoiceButtons(m_TableItem.iFinalPoint);
    } else if (phase == kPhaseCall) {
      hand->ShowAnswerPair(SelfHandCard::kPairCall);
    } else if (phase == kPhaseRob) {
      hand->ShowAnswerPair(SelfHandCard::kPairRob);
      seconds = 5;
    } else if (phase == kPhaseDouble) {
      hand->ShowAnswerPair(SelfHandCard::kPairDouble);
      seconds = 5;
    }
  }
  if (callRob) {
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPoint(false, -1, g_ptPlayerInfoBG[PlaceOf(seat)]);
    if (phase != kPhaseDouble) {
      ShowSeatClock(seconds, seat, kClockBid);
    } else if (seat == kOwnSeat) {
      if (m_pGameClock != nullptr) m_pGameClock->ShowClock(seconds, kOwnSeat, kClockBid, g_ptClock[1]);
    } else if (m_pPlayerGameInfo[kOwnSeat] != nullptr) {
      m_pPlayerGameInfo[kOwnSeat]->ShowWaitFarmerMul(true, g_ptWaitFarmerMul);
    }
  } else {
    ShowSeatClock(seconds, seat, kClockBid);
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

void SuperGameView::OnRobLandlordAct(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnRobLandlordAct");
  if (seat < 0) return;
  const int action = static_cast<signed char>(msg[kBody + 1]);
  PlayerGameInfo* info = m_pPlayerGameInfo[seat];
  const Vec2 signAt = g_ptPlayerInfoBG[PlaceOf(seat)] + (PlaceOf(seat) == kOpponentPlace ? Vec2(0, 40) : Vec2::ZERO);
  const bool callRob = m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat;
  m_TableItem.iPointDemand[seat] = action;
  if (callRob) {
    if (!(seat != kOwnSeat && (action == kActDouble || action == kActNoDouble))) StopClock();
    ClearPointSigns();
    if (info != nullptr) info->ShowPoint(true, action, signAt);
    switch (action) {
      case kActNoCall: PlayVoice(seat, kVoiceNoCall); break;
      case kActCall:
        PlayVoice(seat, kVoiceCall + static_cast<int>(ddz::os::Rand() % 2));
        m_TableItem.iTimes = 1;
        ShowTableMultiple(1);
        if (m_iPlayerCountMode == ddz::PlayerCountMode::ThreeSeatWildcard) ShowDoubleAni(seat, 0);
        break;
      case kActRob:
        PlayVoice(seat, kVoiceRob + static_cast<int>(ddz::os::Rand() % 2));
        ShowTableMultiple(m_TableItem.iTimes);
        ShowDoubleAni(seat, m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && m_TableItem.iTimes > 1 ? 1 : 0);
        break;
      case kActNoRob: PlayVoice(seat, kVoiceNoRob); break;
      case kActDouble:
        if (info != nullptr) {
          const int place = PlaceOf(seat);
          info->ShowAddPound(true, g_ptPlayerJiaBeiPos[place]);
        }
        PlayVoice(seat, kVoiceDouble + static_cast<int>(ddz::os::Rand() % 3));
        break;
      case kActNoDouble: PlayVoice(seat, kVoiceNoDouble + static_cast<int>(ddz::os::Rand() % 2)); break;
      default: break;
    }
    return;
  }
  StopClock();
  if (action > m_TableItem.iFinalPoint) {
    m_TableItem.iFinalPoint = action;
    if (m_pTopUI != nullptr) {
      m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, action));
      m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    }
  }
  ClearPointSigns();
  if (info != nullptr) info->ShowPoint(true, action, signAt);
  PlayVoice(seat, action == 0 ? kVoiceNoCall : action - 1);
}

// ---------------------------------------------------------------- 55 landlord

void SuperGameView::OnLandlordDecided(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnLandlordDecided");
  if (seat < 0) return;
  m_TableItem.iLandOwnerPos = seat;
  m_TableItem.iTableCardOwnerPos = seat;
  const int place = PlaceOf(seat);
  if (m_pPlayerGameInfo[seat] != nullptr)
    m_pPlayerGameInfo[seat]->ShowLandOwner(true, place == kOpponentPlace ? g_ptSRLandOwner[kOpponentPlace] : g_ptLandOwner[seat], false);
  m_TableItem.vcBaseCardIndex.clear();
  for (int i = 0; i < kBottomCards; ++i) {
    const int code = CodeOf(ByteAt(msg, kBody + 2 + i));
    if (code >= 0) m_TableItem.vcBaseCardIndex.push_back(code);
  }
  if (m_pBaseCard != nullptr) m_pBaseCard->ShowBaseCard(m_TableItem.vcBaseCardIndex, BaseCard::kDefaultFlipDelay, true);
  if (seat != kOwnSeat) {
    if (SpriteCardManage* backs = Row(m_pHandCard[seat]))
      for (std::size_t i = 0; i < m_TableItem.vcBaseCardIndex.size(); ++i)
        backs->AddCard(0, true, false, true, -1, false, false);
  } else if (!IsSinglePlayer() && m_pTaskUI != nullptr && m_pTaskUI->isVisible()) {
    // The bottom-card tasks.
    const int kind = m_pTaskUI->iSubType;
    int values[kBottomCards] = {};
    for (int i = 0; i < kBottomCards; ++i) values[i] = ByteAt(msg, kBody + 2 + i) & 0x1f;
    const int jokers = static_cast<int>(std::count_if(values, values + 3, [](int v) { return v == 16 || v == 17; }));
    bool done = false;
    if (kind == 65) done = jokers == 2;
    if (kind == 66) done = values[0] == values[1] || values[1] == values[2] || values[0] == values[2];
    if (kind == 67) done = jokers > 0;
    if (kind == 68) done = std::find(values, values + 3, 2) != values + 3;
    if (done) m_pTaskUI->PlayTaskAni();
  }
  if (m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat) {
    ShowTableMultiple(m_TableItem.iTimes);
  } else {
    m_TableItem.iFinalPoint = static_cast<signed char>(msg[kBody + 1]);
    if (m_pTopUI != nullptr) {
      m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, m_TableItem.iFinalPoint));
      m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    }
  }
  ClearPointSigns();
  if (seat != kOwnSeat) m_iLockMainMsgTime += kHoldLandlord;
  if (SuperSelfHandCard* hand = GetSelfHand()) {
    hand->SetLandlordTookBottomCards(seat == kOwnSeat);
    hand->RefreshCardMarks(true);
  }
  if (m_pYieldLayer != nullptr && m_pYieldLayer->isRunning() && m_iLetCards > 0)
    m_pYieldLayer->SetYieldNum(m_iLetCards, seat);
}

void SuperGameView::OnBaseCardShown() {
  DDZGameView::OnBaseCardShown();
  if (m_TableItem.iLandOwnerPos != kOwnSeat) return;
  SuperSelfHandCard* hand = GetSelfHand();
  if (hand == nullptr) return;
  for (int code : m_TableItem.vcBaseCardIndex) hand->AddCard(code, false, true, true, -1, false, false);
  hand->SetBottomCardsPending(true);
  unschedule(schedule_selector(SuperGameView::OnBaseCardTimer));
  scheduleOnce(schedule_selector(SuperGameView::OnBaseCardTimer), 2.0f);
}

void SuperGameView::OnBaseCardTimer(float) {
  SuperSelfHandCard* hand = GetSelfHand();
  if (m_TableItem.iLandOwnerPos != kOwnSeat || hand == nullptr || !hand->IsBottomCardsPending()) return;
  hand->UnselectAll();
  hand->CheckSelectedCards();
}

// ---------------------------------------------------------------- 73 play turn

void SuperGameView::HandleSendCardsServer(char* msg, int) {
  if (m_iPlayerCountMode == ddz::PlayerCountMode::ThreeSeat) ClearPointSigns();
  const int seat = SeatOfChair(ByteAt(msg, kBody), "HandleSendCardsServer");
  if (seat < 0) return;
  cocos2d::log("HandleSendCardsServer[%d]", seat);
  if (seat == kOwnSeat && m_pPlayerGameInfo[kOwnSeat] != nullptr) m_pPlayerGameInfo[kOwnSeat]->ShowLandOwnerAni();
  const int landlord = m_TableItem.iLandOwnerPos;
  if (landlord >= 0 && landlord < 3 && m_pHandCard[landlord] != nullptr &&
      m_pHandCard[landlord]->GetCardCount() == kLandlordCards) {
    if (SuperSelfHandCard* hand = GetSelfHand()) hand->setTouchEnabled(true, false);
    if (m_pPlayerGameInfo[kOwnSeat] != nullptr) m_pPlayerGameInfo[kOwnSeat]->ShowWaitFarmerMul(false, g_ptWaitFarmerMul);
  }
  if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPass(false, g_ptPlayerInfoBG[PlaceOf(seat)]);
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();

  int seconds = 3;
  if (!SeatHasShortClock(seat)) {
    const int left = m_pHandCard[seat] != nullptr ? m_pHandCard[seat]->GetCardCount() : 0;
    seconds = left < 10 ? 15 : left < 20 ? 20 : 25;
    SuperSelfHandCard* hand = GetSelfHand();
    if (seat == kOwnSeat && hand != nullptr && hand->GetAutoPlayCount() > 0) seconds -= 5;
  }
  const bool rocketOnTable = m_iTablePlayType == ddz::CardType::Rocket && m_TableItem.iTableCardOwnerPos != seat;
  if (rocketOnTable) seconds = 1;
  ShowSeatClock(seconds, seat, kClockPlay);

  if (seat == kOwnSeat) {
    if (m_TableItem.iTableCardOwnerPos == kOwnSeat) {
      m_TableItem.vcTableCardIndex.clear();
      m_iTablePlayType = ddz::CardType::Invalid;
    }
    if (SuperSelfHandCard* hand = GetSelfHand()) {
      if (m_iPlayerCountMode == ddz::PlayerCountMode::ThreeSeatWildcard && hand->GetCardCount() == kLandlordCards) {
        hand->setTouchEnabled(false, false);
        hand->UnselectAll();
        hand->SetCardMasksVisible(true);
        hand->ShowAnswerPair(SelfHandCard::kPairShowHand);
        if (m_pGameClock != nullptr) m_pGameClock->ShowClock(5, kOwnSeat, kClockPlay, g_ptClock[1]);
      } else {
        hand->ShowSendPassBtn(m_TableItem.vcTableCardIndex);
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

void SuperGameView::OnPlayCards(const char* msg, int len, bool local) {
  if (len < kPlayedSize) return;
  ClearPointSigns();
  StopClock();
  if (m_pBaseCard != nullptr && m_pBaseCard->GetCardCount() > 0) {
    m_pBaseCard->RemoveAllCard();
    if (m_pSuperTopUI != nullptr) m_pSuperTopUI->ShowBaseCards(m_TableItem.vcBaseCardIndex);
    if (m_pTaskUI != nullptr) m_pTaskUI->StopTaskAni();
    if (m_pTopUI != nullptr) m_pTopUI->ShowCardCounter(true);
  }
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnPlayCards");
  if (seat < 0) return;
  if (!local && seat == kOwnSeat) return;  // shown when it was sent

  // The cards as played; the first card makes the seat the owner of the table.
  std::vector<std::uint8_t> bytes;
  std::vector<int> codes;
  for (int i = 0; i < kPlayedMaxCards; ++i) {
    const std::uint8_t byte = ByteAt(msg, kPlayedCards + i);
    if (byte == 0 || (static_cast<signed char>(byte) < 0 && ddz::CardByteToCode(byte) < 0)) break;
    const int code = CodeOf(byte);
    if (code < 0) continue;
    bytes.push_back(byte);
    codes.push_back(code);
  }
  const int figure = SeatHeadId(seat);
  if (codes.empty()) {
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPass(true, g_ptPlayerInfoBG[PlaceOf(seat)]);
    PlayVoice(seat, kVoicePass);
  } else {
    const int previousOwner = m_TableItem.iTableCardOwnerPos;
    m_TableItem.vcTableCardIndex = codes;
    m_TableItem.iTableCardOwnerPos = seat;
    int type = static_cast<signed char>(msg[kPlayedType]);
    int value = static_cast<signed char>(msg[kPlayedValue]);
    if (type == 0) {
      // The local server names no type: the mode's rules engine reads the play.
      ddz::CardTypeInfo info;
      if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat) {
        ddz::ErClueCard::EnumerateGroups(codes, info, m_iPlayerCountMode, &m_SpecialRules);
      } else {
        ddz::SuperClueCard::EnumerateGroups(codes, info, m_iPlayerCountMode, &m_SpecialRules);
      }
      type = info.type;
      value = info.value;
    }
    m_iTablePlayType = type;
    if (type == ddz::SuperCardType::TripleBomb || type == ddz::CardType::Bomb) ++m_TableItem.iSendBombNum;
    if (type == ddz::CardType::Rocket) m_TableItem.bSendRocket = true;
    PlayCardEffect(type, figure, static_cast<int>(codes.size()), previousOwner, seat);
    if (type == ddz::CardType::Single || type == ddz::CardType::Pair)
      GameSoundDDZ::shareGameSoundDDZ()->PlayerTalkCard(figure, type, value);
    if (seat == kOwnSeat && !IsSinglePlayer() && m_pTaskUI != nullptr && m_pTaskUI->isVisible() &&
        CheckTaskDone(m_pTaskUI->iSubType, type, value, reinterpret_cast<const std::uint8_t*>(msg + kPlayedCards)))
      m_pTaskUI->PlayTaskAni();

    // The wildcard pairs: a played card equal to a matched byte is shown with
    // the substitute's mark, and counted and removed as the substitute.
    std::array<bool, kWildPairs> taken{};
    SpriteCardManage* row = Row(m_pSendCard[seat]);
    if (row != nullptr) row->RemoveAllCards();
    for (int code : codes) {
      int mark = -1;
      for (int p = 0; p < kWildPairs; ++p) {
        const std::uint8_t matched = ByteAt(msg, kPlayedMatched + p);
        if (taken[p] || matched == 0 || ddz::CardByteToCode(matched) != code) continue;
        mark = ddz::CardByteToCode(ByteAt(msg, kPlayedSubstitutes + p));
        taken[p] = true;
        break;
      }
      if (row != nullptr) row->AddCard(code, false, false, true, mark, false, false);
    }
    if (auto* sendRow = dynamic_cast<SendCard*>(row)) sendRow->ArrangeByCardType(type, value);
    taken = {};
    std::vector<int> removed;
    for (std::uint8_t byte : bytes) {
      std::uint8_t as = byte;
      for (int p = 0; p < kWildPairs; ++p) {
        const std::uint8_t matched = ByteAt(msg, kPlayedMatched + p);
        if (taken[p] || matched == 0 || matched != byte) continue;
        as = ByteAt(msg, kPlayedSubstitutes + p);
        taken[p] = true;
        break;
      }
      const int code = CodeOf(as);
      if (code >= 0) removed.push_back(code);
    }
    if (m_pTopUI != nullptr) m_pTopUI->AddJPQCard(removed);
    SpriteCardManage* hand = Row(m_pHandCard[seat]);
    SpriteCardManage* shown = Row(m_pMingCard[seat]);
    std::vector<Vec2> starts;
    for (int code : removed) {
      Vec2 place;
      if (seat == kOwnSeat) {
        if (hand != nullptr) {
          hand->RemoveCard(place, code, false);
          if (row != nullptr) starts.push_back(row->convertToNodeSpace(hand->convertToWorldSpace(place)));
        }
      } else {
        if (hand != nullptr) hand->RemoveCard(place, 0, true);
        if (shown != nullptr && shown->isRunning()) shown->RemoveCard(place, code, true);
      }
    }
    if (row != nullptr && m_TableItem.iLandOwnerPos == seat && row->GetCardCount() > 0)
      row->SetLandlordMark(row->GetCardCount() - 1, 2);
    if (seat == kOwnSeat) {
      if (auto* sendRow = dynamic_cast<SendCard*>(row)) sendRow->ShowSendCards(starts);
      if (SuperSelfHandCard* own = GetSelfHand()) {
        own->RefreshCardMarks(true);
        own->SetAnimating(true);
        own->StartSlide();
      }
    }
  }
  if (m_pHandCard[seat] != nullptr && m_pHandCard[seat]->GetCardCount() == 0) m_iLockMainMsgTime += kHoldHandEmptied;
  if (seat == 0 && m_pHandCard[kOwnSeat] != nullptr && m_pHandCard[kOwnSeat]->GetCardCount() == 1 &&
      m_pHandCard[0] != nullptr && m_pHandCard[0]->GetCardCount() > 0) {
    m_iLockMainMsgTime += kHoldHandEmptied;
    if (m_pPlayerGameInfo[kOwnSeat] != nullptr) m_pPlayerGameInfo[kOwnSeat]->ShowPass(false, g_ptPlayerInfoBG[kOwnSeat]);
  }
}

// ---------------------------------------------------------------- the own play

void SuperGameView::ShowSelfOutCard(const char* cards, int count) {
  const int chair = OwnChair();
  if (chair < 0) return;
  std::array<char, kRequestSize> local{};
  local[1] = static_cast<char>(kMsgPlayed);
  local[kBody] = static_cast<char>(chair);
  // At most 20 card bytes: more would run into the count and type.
  const int n = std::clamp(count, 0, kPlayedMaxCards);
  if (cards != nullptr && n > 0) std::memcpy(local.data() + kPlayedCards, cards, static_cast<std::size_t>(n));
  local[kPlayedCount] = static_cast<char>(n);
  OnPlayCards(local.data(), static_cast<int>(local.size()), true);
}

void SuperGameView::PlayCardsFromRecord(const std::uint8_t* request, int length) {
  const int chair = OwnChair();
  if (request == nullptr || length < kRequestSize || chair < 0) {
    cocos2d::log("SuperGameView::PlayCardsFromRecord: request of length %d dropped", length);
    return;
  }
  std::array<char, kRequestSize> local{};
  local[1] = static_cast<char>(kMsgPlayed);
  local[kBody] = static_cast<char>(chair);
  std::memcpy(local.data() + kPlayedCards, request + 8, kPlayedMaxCards);
  std::memcpy(local.data() + kPlayedCount, request + 28, 3);
  // The wildcard bytes go where message 56 keeps them.
  std::memcpy(local.data() + kPlayedSubstitutes, request + kRequestWildcards, kWildPairs);
  std::memcpy(local.data() + kPlayedMatched, request + kRequestSubstitutes, kWildPairs);
  OnPlayCards(local.data(), static_cast<int>(local.size()), true);
}

void SuperGameView::HideGameClock() {
  DDZGameView::HideGameClock();
  StopClock();
}

void SuperGameView::ShowSelfClock(int shown) {
  DDZGameView::ShowSelfClock(shown);
  ClearPointSigns();
  SuperSelfHandCard* hand = GetSelfHand();
  if (hand != nullptr) {
    if (shown == 1) hand->ShowMingPaiMark();
    hand->ShowSendPassBtn(m_TableItem.vcTableCardIndex);
  }
  if (shown == 1) {
    ShowTableMultiple(m_TableItem.iTimes);
    ShowDoubleAni(kOwnSeat, 0);
    PlayVoice(kOwnSeat, kVoiceShowHand);
  }
  if (m_pGameClock != nullptr) m_pGameClock->ShowClock(20, kOwnSeat, kClockPlay, g_ptClock[1]);
  if (hand != nullptr) {
    hand->setTouchEnabled(true, false);
    hand->SetCardMasksVisible(false);
  }
}

// ---------------------------------------------------------------- doubling and effects

void SuperGameView::ShowDoubleAni(int seat, int add) {
  DDZGameView::ShowDoubleAni(seat, add);
  if (!m_pDoubleSign) return;
  const int from = PlaceOf(seat);
  if (add == 1) {
    m_pDoubleSign->ShowAdd(from, 2);
  } else {
    m_pDoubleSign->Show(from, 2);
  }
}

void SuperGameView::ShowTableMultiple(int times) {
  if (m_pTopUI != nullptr) m_pTopUI->SetTimes(times, false);
}

void SuperGameView::ShowPlayerResultActs(bool landlordWon) {
  const int landlord = m_TableItem.iLandOwnerPos;
  for (int seat = 0; seat < 3; ++seat) {
    if (m_pPlayerShow[seat] == nullptr) continue;
    const bool won = (seat == landlord) == landlordWon;
    m_pPlayerShow[seat]->ShowPlayerAct(won ? kActWin : kActLoss, true);
  }
}

void SuperGameView::PlayCardEffect(int type, int head, int, int previousOwner, int seat) {
  ShowPlayEffect(this, kSuperPlayEffects, type, head, seat, previousOwner,
                 m_iPlayerCountMode == ddz::PlayerCountMode::ThreeSeatWildcard);
}

// ---------------------------------------------------------------- tasks

bool SuperGameView::CheckTaskDone(int kind, int type, int value, const std::uint8_t* cards) {
  auto in = [type](int lo, int hi) { return type >= lo && type <= hi; };
  const bool bombLike = type == ddz::CardType::Bomb || type == ddz::SuperCardType::TripleBomb;
  switch (kind) {
    case 19: return in(26, 30);
    case 34: return bombLike || type == ddz::CardType::Rocket;
    case 35: return type == 24;
    case 41: return type == 50;
    case 42: return in(21, 30);
    case 43: return in(34, 42);
    case 44: return (type == 1 && value == 26) || type == 113;
    case 45: return (type == 1 && value == 25) || type == 113;
    case 49: return in(25, 30);
    case 50: return in(24, 30);
    case 51: return type == 113;
    case 52: return type == 32 && value == 14;
    case 56: return in(36, 42);
    case 69: return type == 32 && value == 20;
    case 70: return in(34, 42) && (value == 14 || value == type - 32);
    case 71: return type == 32 && value == 13;
    case 72: return type == 32 && value == 12;
    case 73: return type == 32 && value == 11;
    case 74: return type == 32 && value == 10;
    case 75: return in(21, 30) && value == type - 14;
    case 76: return in(35, 42) && value == type - 30;
    case 77: return in(96, 99);
    case 78: return type == 98 || type == 99;
    case 79: return bombLike && value == 12;
    case 81: return bombLike && value == 14;
    case 82: return bombLike && value == 20;
    case 83: return in(23, 30);
    case 84: return in(37, 42);
    case 85: return type == 49;
    case 86: return (type == 1 && (value == 25 || value == 26)) || type == 113;
    case 87: return type == 32;
    case 88:
      if (cards == nullptr) return false;
      for (int i = 0; i < kPlayedMaxCards; ++i)
        if (cards[i] != 0 && (cards[i] & 0x1f) == 2) return true;
      return false;
    case 89: return type == 48 || type == 49 || type == 50;
    case 90: return in(59, 63) || in(96, 104);
    default: return false;  // 65-68 need the bottom cards: the landlord's test
  }
}

// ---------------------------------------------------------------- 38, 39, 23

void SuperGameView::OnBgWordMsg(char* msg, int) {
  std::memcpy(m_SpecialRules.bytes.data(), msg + kSettingsRules, ddz::SpecialRule::Count);
  m_GlobalInfo.iTableFee = LittleEndianAt(msg, kSettingsFee);
  const int countdown = LittleEndianAt(msg, kSettingsCountdown);
  if (countdown > 0 && m_pActivityLayer != nullptr) {
    auto* web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeWeb));
    if (web == nullptr) web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->GetActiveBtn(ActivityLayer::kTypeWeb));
    if (web != nullptr) web->SetCountdown(countdown);
  }
  if (m_GlobalInfo.iGuideShowTimes < 1) ShowSpecialRules(false);
  if (SpecialRuleLayer::HasRulesForMask(m_iPlayerCountMode, m_SpecialRules) && m_pRulesButton == nullptr) {
    m_pRulesButton = cocos2d::ui::Button::create(kRulesButton, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
    if (m_pRulesButton != nullptr) {
      m_pRulesButton->setPosition(kRulesButtonPos);
      m_pRulesButton->addClickEventListener([this](cocos2d::Ref*) { ShowSpecialRules(true); });
      addChild(m_pRulesButton, kZRulesButton);
      if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny())
        frame->SetHelpBtnCallBack([this](cocos2d::Ref*) { ShowSpecialRules(true); });
    }
  }
  const bool word = m_iPlayerCountMode != ddz::PlayerCountMode::TwoSeat && (ByteAt(msg, kSettingsFlags) & kBgWordBit) != 0;
  if (!word) {
    if (m_pBgWord != nullptr) {
      m_pBgWord->removeFromParent();
      m_pBgWord = nullptr;
    }
  } else if (m_pBgWord == nullptr) {
    m_pBgWord = cocos2d::Sprite::createWithSpriteFrameName(kBgWord);
    if (m_pBgWord != nullptr) {
      m_pBgWord->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth) / 2,
                                  static_cast<float>(BasePT::g_iWindowHeight) / 2 - kBgWordBelowCentre));
      addChild(m_pBgWord, kZBgWord);
    }
  }
}

void SuperGameView::OnSubMsg39(char* msg, int) {
  if (LittleEndianAt(msg, kBody) != 1 || LittleEndianAt(msg, kBody + 4) < 1 || m_pActivityLayer == nullptr) return;
  auto* web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeWeb));
  if (web == nullptr) web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->GetActiveBtn(ActivityLayer::kTypeWeb));
  if (web != nullptr) web->SetHandCount(LittleEndianAt(msg, kBody + 4));
}

void SuperGameView::OnSoundMsg(char* msg, int) {
  ClearPointSigns();
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnSoundMsg");
  if (seat < 0) return;
  if (seat == kOwnSeat) {
    m_iShownHandSeat = kOwnSeat;
    return;
  }
  SpriteCardManage* shown = Row(m_pMingCard[seat]);
  if (shown != nullptr) {
    AddTableWidget(shown, kZShownRow);
    shown->setVisible(true);
    for (int i = 0; i < kPlayedMaxCards; ++i) {
      const std::uint8_t byte = ByteAt(msg, kShownCards + i);
      if (byte == 0) continue;
      const int code = CodeOf(byte);
      if (code >= 0) shown->AddCard(code, false, false, true, -1, false, true);
    }
  }
  ShowTableMultiple(m_TableItem.iTimes);
  ShowDoubleAni(seat, 0);
  PlayVoice(seat, kVoiceShowHand);
  m_iShownHandSeat = seat;
}
