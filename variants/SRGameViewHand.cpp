// SRGameView: the dispatch of the table's messages and the hand they play,
// from the deal (65) through the bids (67, 50), the landlord (51), the turns
// and plays (66, 49), the two-choice question and the shown hands (69, 53) to
// the rewards and the activity button (54, 38, 39); what the own hand asks of
// the view; the effects of a play.
//
// Each handler reads only what MinMessageLength of its type guarantees and
// turns chair bytes into seats through SeatOfChair; a refused message changes
// nothing.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/SRClueCard.h"
#include "cardlogic/SRMessages.h"
#include "cards/BaseCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SRDealCard.h"
#include "cards/SRSelfHandCard.h"
#include "cards/SRShowCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/GameSoundDDZ.h"
#include "variants/SRGameView.h"
#include "variants/VariantNotices.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/AwardDisplays.h"
#include "widgets/BottomUI.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultAnis.h"
#include "widgets/SRTopUI.h"

using cocos2d::Vec2;
using ddz::LittleEndianAt;
namespace sr = ddz::sr;
namespace st = ddz::SRCardType;

namespace {

constexpr int kClockBid = 0;
constexpr int kClockPlay = 2;
constexpr int kClockChoice = 3;
constexpr int kLandlordRole = 2;
constexpr int kFarmerRole = 1;
constexpr int kDoubleFactor = 2;
// Two decks: one play may name a card twice, never three times.
constexpr int kDecks = 2;
constexpr int kMaxBid = 3;
constexpr int kWebActivity = 2;
constexpr int kActivityHandCount = 1;
constexpr int kAwardYuanbao = 2;
constexpr int kAwardKindYuanbao = 1;
constexpr int kRewardGoldCard = 3;

// Voices of the seats (GameSoundDDZ's voice table).
constexpr int kVoiceNoBid = 4;
constexpr int kVoicePass = 5;
constexpr int kVoiceBeatIt = 5;  // 5 or 6 at random
constexpr int kVoiceSingle = 7;
constexpr int kVoicePair = 8;
constexpr int kVoiceTripleSingle = 9;
constexpr int kVoiceTriplePair = 10;
constexpr int kVoiceStraight = 11;
constexpr int kVoicePairStraight = 12;
constexpr int kVoicePlane = 13;
constexpr int kVoicePlaneWings = 14;
constexpr int kVoiceFourTwo = 15;
constexpr int kVoiceBomb = 16;
constexpr int kVoiceTriple = 18;
constexpr int kVoiceFourJokers = 18;
constexpr int kPlaySound = 5;

// The deal row while it deals.
constexpr float kDealScale = 0.85f;
const Vec2 kDealPos{156, 20};
constexpr int kZDeal = 105;
constexpr int kZShowCard = 2;
// The own play as a local message 49: the server's layout, 44 bytes.
constexpr int kLocalPlaySize = 44;

// Straights and planes this long also ring the bomb bell.
constexpr int kLongChainCards = 8;
constexpr int kLongPlaneCards = 11;

std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }
int SignedByteAt(const char* msg, int at) { return static_cast<signed char>(msg[at]); }

SpriteCardManage* CardRow(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

bool IsPlaneWithWings(int type) { return st::IsPlanePairs(type) || type == st::PlaneFiveSingles; }

}  // namespace

// ---------------------------------------------------------------- dispatch

int SRGameView::MinMessageLength(int type) {
  switch (type) {
    case kMsgDeal: return sr::DealAt::Size;
    case kMsgBidTurn:
    case kMsgPlayTurn:
    case kMsgChoicePrompt: return sr::TurnAt::Size;
    case kMsgBid: return sr::BidAt::Size;
    case kMsgLandlord: return sr::LandlordAt::Size;
    case kMsgPlayed:
    case kMsgShowHand: return sr::CardsAt::Size;
    case kMsgReward: return sr::RewardAt::Size;
    case kMsgActivityTimer:
    case kMsgActivityCount: return sr::ActivityAt::Size;
    default: return 0;
  }
}

void SRGameView::CallBackHandleMainSocketNetMsg(char* msg, int len) {
  const int type = TypeOfWholeMessage("SRGameView", msg, len, &MinMessageLength);
  if (type < 0) return;
  if (MinMessageLength(type) == 0) {
    cocos2d::log("SRGameView: message %d is not one of this table, dropped", type);
    return;
  }
  switch (type) {
    case kMsgDeal: OnGameStart(msg, len); break;
    case kMsgBidTurn: OnCallScoreTurn(msg, len); break;
    case kMsgBid: OnCallScoreResult(msg, len); break;
    case kMsgLandlord: OnLandlordDecided(msg, len); break;
    case kMsgPlayTurn: OnPlayTurn(msg, len); break;
    case kMsgPlayed: OnPlayCards(msg, len, false); break;
    case kMsgChoicePrompt: OnShowCardsPrompt(msg, len); break;
    case kMsgShowHand: OnShowCards(msg, len); break;
    case kMsgReward: OnRewardNotice(msg, len); break;
    case kMsgActivityTimer: OnActivityTimer(msg, len); break;
    case kMsgActivityCount: OnActivityCount(msg, len); break;
    default: break;
  }
}

// ---------------------------------------------------------------- seats, clock, voices

int SRGameView::SeatOfChair(int chair, const char* what) const {
  if (chair < 0 || chair >= std::min(m_iPlayerCount, kPlayerCount)) {
    cocos2d::log("SRGameView::%s: chair %d is no seat of the table, message dropped", what, chair);
    return -1;
  }
  const int seat = GetTablePosByTableNumExtra(static_cast<char>(chair));
  if (seat < 0 || seat >= kPlayerCount) {
    cocos2d::log("SRGameView::%s: chair %d gives no seat, message dropped", what, chair);
    return -1;
  }
  return seat;
}

int SRGameView::SeatHeadId(int seat) const {
  if (seat < 0 || seat >= kMaxSeats) return 0;
  if (m_pPlayerShow[seat] != nullptr) return m_pPlayerShow[seat]->GetHeadID();
  return seat == kOwnSeat ? m_GlobalInfo.iHeadID : 0;
}

bool SRGameView::SeatHasShortClock(int seat) const {
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr && player->bShortClock == 1;
}

void SRGameView::PlayVoice(int seat, int voice) { GameSoundDDZ::shareGameSoundDDZ()->PlayerTalk(SeatHeadId(seat), voice); }

void SRGameView::ShowSeatClock(int seconds, int seat, int kind) {
  if (m_pGameClock != nullptr) m_pGameClock->ShowClock(seconds, seat, kind, g_ptClock[seat]);
}

void SRGameView::StopClock() {
  if (m_pGameClock != nullptr) m_pGameClock->ResetClock();
}

void SRGameView::HideBidSigns() {
  for (int seat = 0; seat < kPlayerCount; ++seat)
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPoint(false, 0, g_ptPlayerInfoBG[seat]);
}

std::vector<int> SRGameView::CardsAt(const char* msg, int at, int n, bool stopAtEmpty) {
  std::vector<int> codes;
  for (int i = 0; i < n; ++i) {
    const int byte = SignedByteAt(msg, at + i);
    if (byte <= 0) {
      if (stopAtEmpty) break;
      continue;
    }
    const int code = ddz::CardByteToCode(static_cast<std::uint8_t>(byte));
    if (code < 0 || !ddz::SRClueCard::IsTableCode(code)) {
      cocos2d::log("SRGameView: card byte 0x%02x is no card of the table, skipped", byte);
      continue;
    }
    codes.push_back(code);
  }
  return codes;
}

int SRGameView::GoldenRank() const {
  const int g = m_TableItem.cHappyCard;
  return g >= 1 && g <= 15 ? g - 1 : -1;
}

bool SRGameView::ActivityRuns() const {
  if (m_pActivityLayer == nullptr) return false;
  const auto* web = dynamic_cast<const WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(kWebActivity));
  return web != nullptr && (web->GetHandCount() > 0 || web->GetLeftSec() > 0);
}

// ---------------------------------------------------------------- 65 deal

void SRGameView::OnGameStart(char* msg, int) {
  const int lander = SeatOfChair(ByteAt(msg, sr::DealAt::LanderChair), "OnGameStart");
  if (lander < 0) return;
  ResetTable();
  if (m_pBottomUI != nullptr && m_pBottomUI->isRunning() && g_bIpadLayout == 0) m_pBottomUI->setVisible(false);
  const int g = SignedByteAt(msg, sr::DealAt::Golden);
  m_TableItem.cHappyCard = static_cast<std::int8_t>(g);
  m_iCapScore = LittleEndianAt(msg, sr::DealAt::Cap);

  int gold[kGoldCounts];
  for (int i = 0; i < kGoldCounts; ++i) gold[i] = LittleEndianAt(msg, sr::DealAt::GoldTasks + 4 * i);
  const int task1 = LittleEndianAt(msg, sr::DealAt::Task1);
  const int task2 = LittleEndianAt(msg, sr::DealAt::Task2);
  SRTopUI* top = GetTopBar();
  if (ActivityRuns()) {
    int halved[kGoldCounts];
    for (int i = 0; i < kGoldCounts; ++i) halved[i] = gold[i] / 2;
    if (top != nullptr) {
      top->ShowGoldCardTask(g, halved, false, true);
      top->ShowTaskPanel(task1 / 2, task2 / 2, true);
    }
    const int full[AniYBDouble::kTaskValues] = {gold[0], gold[1], gold[2], gold[3], gold[4], task1, task2};
    if (AniManage* anis = GetAniManage()) anis->ShowAni(new AniYBDouble(this, full), false, true);
  } else if (top != nullptr) {
    top->ShowGoldCardTask(g, gold, false, true);
    top->ShowTaskPanel(task1, task2, true);
  }
  if (SRSelfHandCard* hand = GetSelfHand()) hand->SetGoldenRank(GoldenRank());

  // The deal row holds the message lock until its end (OnDealCardEnd).
  if (SRDealCard* deal = GetDeal()) {
    deal->ShowLandCard(reinterpret_cast<const std::uint8_t*>(msg + sr::DealAt::OwnCards), 0,
                       ByteAt(msg, sr::DealAt::LanderCard), lander, g);
    deal->setScale(kDealScale);
    deal->setPosition(kDealPos);
    AddTableWidget(deal, kZDeal);
  }
  ArmOtherHands(false);
  if (m_pTopUI != nullptr) {
    if (m_pTopUI->isRunning()) m_pTopUI->SetCardCountBtnEnabled(true);
    m_pTopUI->SetNumVisible(true);
  }
  m_TableItem.iBaseScore = LittleEndianAt(msg, sr::DealAt::BaseScore);
  StartNetTest();
}

void SRGameView::ArmOtherHands(bool armed) {
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    auto* backs = dynamic_cast<OtherHandCard*>(m_pHandCard[seat]);
    if (backs == nullptr) continue;
    backs->m_bWarningArmed = armed;
    backs->m_bSoundPending = armed;
    backs->m_bViewFlag = armed;
  }
}

void SRGameView::OnDealCardEnd() {
  if (m_pDealCard != nullptr && m_pDealCard->getParent() != nullptr) m_pDealCard->removeFromParent();
  ArmOtherHands(true);
  if (m_GlobalInfo.iGuideShowTimes < 5) {
    if (PlayerGuide* guide = PlayerGuide::create(this, m_GlobalInfo.iGuideShowTimes)) {
      addChild(guide, 1000);
      m_GlobalInfo.iGuideShowTimes += 1;
      WriteGuideInfo();
    }
  }
}

// ---------------------------------------------------------------- 67, 50 bidding

void SRGameView::OnCallScoreTurn(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, sr::TurnAt::Chair), "OnCallScoreTurn");
  if (seat < 0) return;
  const bool shortClock = SeatHasShortClock(seat);
  ShowSeatClock(shortClock ? kShortClockBidSeconds : kBidSeconds, seat, kClockBid);
  if (seat == kOwnSeat) {
    if (SRSelfHandCard* hand = GetSelfHand()) hand->ShowCallScoreButtons(m_TableItem.iFinalPoint);
  }
  if (IsSinglePlayer()) {
    if (seat != kOwnSeat) {
      m_iLockMainMsgTime += kHoldOtherSeatSingle;
    } else {
      StopClock();
    }
  } else if (shortClock) {
    m_iLockMainMsgTime += kHoldShortClockBid;
  }
}

void SRGameView::OnCallScoreResult(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, sr::BidAt::Chair), "OnCallScoreResult");
  if (seat < 0) return;
  const int bid = LittleEndianAt(msg, sr::BidAt::Value);
  if (bid < 0 || bid > kMaxBid) {
    cocos2d::log("SRGameView::OnCallScoreResult: bid %d is not 0..3, dropped", bid);
    return;
  }
  StopClock();
  if (seat == kOwnSeat)
    if (SRSelfHandCard* hand = GetSelfHand()) hand->CloseBidTurn();
  m_TableItem.iPointDemand[seat] = bid;
  if (bid > m_TableItem.iFinalPoint) {
    m_TableItem.iFinalPoint = bid;
    if (m_pTopUI != nullptr) {
      m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, bid));
      m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    }
  }
  if (PlayerGameInfo* info = m_pPlayerGameInfo[seat]) {
    info->ShowPoint(false, -1, g_ptPlayerInfoBG[seat]);
    info->ShowPoint(true, bid, g_ptPlayerInfoBG[seat]);
  }
  PlayVoice(seat, bid == 0 ? kVoiceNoBid : bid);
}

// ---------------------------------------------------------------- 51 landlord

void SRGameView::OnLandlordDecided(char* msg, int) {
  if (!LandlordStillOpen("SRGameView::OnLandlordDecided")) return;
  const int landlord = SeatOfChair(ByteAt(msg, sr::LandlordAt::Chair), "OnLandlordDecided");
  if (landlord < 0) return;
  m_TableItem.iLandOwnerPos = landlord;
  m_TableItem.iTableCardOwnerPos = landlord;
  if (SRSelfHandCard* hand = GetSelfHand()) hand->CloseBidTurn();
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    m_iRowRole[seat] = seat == landlord ? kLandlordRole : kFarmerRole;
    if (seat == landlord && m_pPlayerGameInfo[seat] != nullptr)
      m_pPlayerGameInfo[seat]->ShowLandOwner(true, g_ptSRLandOwner[seat], false);
  }
  // Every one of the eight bytes is read; an empty one is no card.
  m_TableItem.vcBaseCardIndex = CardsAt(msg, sr::LandlordAt::Bottom, sr::LandlordAt::BottomCount, false);
  if (m_pBaseCard != nullptr) m_pBaseCard->ShowBaseCard(m_TableItem.vcBaseCardIndex, BaseCard::kDefaultFlipDelay, false);
  // The first touch of a raised bottom card lowers them all.
  if (SRSelfHandCard* hand = GetSelfHand()) hand->SetTurnStarted(true);

  const int golden = GoldenRank();
  if (landlord == kOwnSeat) {
    if (SRSelfHandCard* hand = GetSelfHand()) {
      for (int code : m_TableItem.vcBaseCardIndex)
        hand->AddCard(code, false, true, false, -1, golden >= 0 && code % 15 == golden, false);
      hand->SortCards();
      // The raised cards drop 2 s after the last one arrived.
      unschedule(schedule_selector(SRGameView::OnBaseCardsSettled));
      scheduleOnce(schedule_selector(SRGameView::OnBaseCardsSettled), kBaseCardsSettleSeconds);
    }
  } else if (SpriteCardManage* backs = CardRow(m_pHandCard[landlord])) {
    for (std::size_t i = 0; i < m_TableItem.vcBaseCardIndex.size(); ++i)
      backs->AddCard(0, true, false, true, -1, false, false);
  }

  m_TableItem.iFinalPoint = LittleEndianAt(msg, sr::LandlordAt::FinalBid);
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, m_TableItem.iFinalPoint));
    m_pTopUI->SetTimes(m_TableItem.iTimes, false);
  }
  SRSelfHandCard* hand = GetSelfHand();
  if (landlord == kOwnSeat) {
    if (hand != nullptr) hand->SetRole(kLandlordRole);
  } else {
    m_iLockMainMsgTime += kHoldOtherLandlord;
    if (hand != nullptr) hand->SetRole(kFarmerRole);
  }
  if (hand != nullptr) hand->RefreshCardMarks(true);
}

void SRGameView::OnBaseCardsSettled(float) {
  unschedule(schedule_selector(SRGameView::OnBaseCardsSettled));
  if (m_TableItem.iLandOwnerPos != kOwnSeat) return;
  if (SRSelfHandCard* hand = GetSelfHand()) {
    hand->UnselectAll();
    hand->UpdateOutCardButton();
  }
}

// ---------------------------------------------------------------- 66 play turn

void SRGameView::OnPlayTurn(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, sr::TurnAt::Chair), "OnPlayTurn");
  if (seat < 0) return;
  HideBidSigns();
  if (PlayerGameInfo* info = m_pPlayerGameInfo[seat]) info->ShowPass(false, g_ptPlayerInfoBG[seat]);
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();

  const bool shortClock = SeatHasShortClock(seat);
  SRSelfHandCard* hand = GetSelfHand();
  int seconds = kShortClockPlaySeconds;
  if (!shortClock) {
    seconds = PlaySecondsFor(m_pHandCard[seat] != nullptr ? m_pHandCard[seat]->GetCardCount() : 0);
    if (seat == kOwnSeat && hand != nullptr && hand->GetAutoPlayCount() > 0) seconds -= kTimedOutLess;
  }
  ddz::CardTypeInfo table;
  const std::vector<int>& onTable = m_TableItem.vcTableCardIndex;
  ddz::SRClueCard::GetCodesCardType(onTable.data(), static_cast<int>(onTable.size()), table);
  const bool fourJokers = table.type == st::FourJokers;
  if (fourJokers && m_TableItem.iTableCardOwnerPos != seat) seconds = kRocketAnswerSeconds;
  ShowSeatClock(seconds, seat, kClockPlay);

  if (seat == kOwnSeat) {
    // Nobody beat the own play: the own seat leads freely.
    if (m_TableItem.iTableCardOwnerPos == kOwnSeat) m_TableItem.vcTableCardIndex.clear();
    if (hand != nullptr) hand->ShowOutCardButtons(std::vector<int>(m_TableItem.vcTableCardIndex));
  }
  if (IsSinglePlayer()) {
    if (seat == kOwnSeat) {
      StopClock();
    } else {
      m_iLockMainMsgTime += kHoldOtherSeatSingle;
    }
  } else if (shortClock) {
    m_iLockMainMsgTime += fourJokers ? kHoldShortClockRocket : kHoldShortClockPlay;
  }
}

// ---------------------------------------------------------------- 49 plays

void SRGameView::OnPlayCards(char* msg, int, bool local) {
  const int seat = SeatOfChair(ByteAt(msg, sr::CardsAt::Chair), "OnPlayCards");
  if (seat < 0) return;
  // The own play was shown when it was made.
  if (!local && seat == kOwnSeat) return;
  const std::vector<int> codes = CardsAt(msg, sr::CardsAt::Cards, sr::CardsAt::Count, true);
  if (!PlayFitsSeat(seat, codes, kDecks, "SRGameView::OnPlayCards")) return;
  StopClock();
  // The bottom cards leave the middle of the table with the hand's first play.
  if (m_pBaseCard != nullptr && m_pBaseCard->GetCardCount() > 0) m_pBaseCard->RemoveAllCard();
  const int previous = m_TableItem.iTableCardOwnerPos;
  PlayerGameInfo* info = m_pPlayerGameInfo[seat];
  if (codes.empty()) {
    if (info != nullptr && info->GetPass() == nullptr) info->ShowPass(true, g_ptPlayerInfoBG[seat]);
    PlayVoice(seat, kVoicePass);
  } else {
    m_TableItem.vcTableCardIndex = codes;
    m_TableItem.iTableCardOwnerPos = seat;
    ddz::CardTypeInfo type;
    ddz::SRClueCard::GetCodesCardType(codes.data(), static_cast<int>(codes.size()), type);
    if (type.type >= st::Bomb(6) && type.type <= st::BombLast) {
      m_TableItem.iSendBombNum = ddz::os::SaturatingAdd(m_TableItem.iSendBombNum, 1);
    } else if (type.type == st::FourJokers) {
      ShowDoubleAni(seat, kDoubleFactor);
      m_TableItem.bSendRocket = true;
    }
    PlayCardEffect(type.type, SeatHeadId(seat), static_cast<int>(codes.size()), previous, seat);
    if (m_pTopUI != nullptr) m_pTopUI->AddJPQCard(codes);

    SpriteCardManage* row = CardRow(m_pSendCard[seat]);
    SpriteCardManage* hand = CardRow(m_pHandCard[seat]);
    for (int code : codes) {
      if (row != nullptr) row->AddCard(code, false, false, true, -1, false, false);
      if (hand == nullptr || seat == kOwnSeat) continue;
      Vec2 place;
      hand->RemoveCard(place, 0, true);
      if (seat == m_TableItem.iShowCardTable && m_pShowCard != nullptr) m_pShowCard->RemoveCard(place, code, true);
    }
    if (row != nullptr && row->GetCardCount() > 0) row->SetLandlordMark(row->GetCardCount() - 1, m_iRowRole[seat]);
    if (seat == kOwnSeat) TakeOwnPlay(row, codes);
    if (hand != nullptr && hand->GetCardCount() == 0) m_iLockMainMsgTime += kHoldHandEmptied;
  }
  if (seat == 0 && m_pHandCard[kOwnSeat] != nullptr && m_pHandCard[kOwnSeat]->GetCardCount() == 1 &&
      m_pHandCard[0] != nullptr && m_pHandCard[0]->GetCardCount() > 0) {
    m_iLockMainMsgTime += kHoldLastOwnCard;
    if (m_pPlayerGameInfo[kOwnSeat] != nullptr) m_pPlayerGameInfo[kOwnSeat]->ShowPass(false, g_ptPlayerInfoBG[kOwnSeat]);
  }
}

void SRGameView::PlayCardEffect(int type, int headId, int count, int previousOwner, int seat) {
  char sound[32];
  std::snprintf(sound, sizeof sound, "ddzSound/%d.mp3", kPlaySound);
  SoundManage::shareSoundManage()->PlaySoundByFile(sound);
  GameSoundDDZ* voices = GameSoundDDZ::shareGameSoundDDZ();
  AniManage* anis = GetAniManage();
  auto show = [anis](AniBase* ani, bool now) {
    if (anis == nullptr) {
      ani->release();
      return;
    }
    anis->ShowAni(ani, now, true);
  };
  const bool landlordSide = seat == m_TableItem.iLandOwnerPos;
  // The seat leads on its own earlier play, or beats another seat's.
  const bool leads = m_TableItem.iTableCardOwnerPos == previousOwner;
  const auto leadOrBeat = [&](int leadVoice) {
    voices->PlayerTalk(headId, leads ? leadVoice : kVoiceBeatIt + static_cast<int>(ddz::os::Rand() % 2));
  };
  if (st::IsBomb(type)) {
    show(new cjddz_AniSuperFallBomb(this, g_ptSuperBomb[0], g_ptSuperBomb[1]), true);
    ShowPlayerResultActs(landlordSide);
    m_TableItem.bPlayBombSound = true;
    voices->PlayerTalk(headId, kVoiceBomb);
  } else if (type == st::FourJokers) {
    show(new AniRocket(), true);
    ShowPlayerResultActs(landlordSide);
    m_TableItem.bPlayBombSound = true;
    voices->PlayerTalk(headId, kVoiceFourJokers);
  } else if (st::IsStraight(type)) {
    show(new AniShunzi(1), false);
    ShowPlayerResultActs(landlordSide);
    if (count > kLongChainCards) m_TableItem.bPlayBombSound = true;
    voices->PlayerTalk(headId, kVoiceStraight);
  } else if (st::IsPairStraight(type)) {
    show(new AniShunzi(2), false);
    ShowPlayerResultActs(landlordSide);
    if (count > kLongChainCards) m_TableItem.bPlayBombSound = true;
    voices->PlayerTalk(headId, kVoicePairStraight);
  } else if (st::IsPlane(type)) {
    show(new AniShunzi(2), false);
    ShowPlayerResultActs(landlordSide);
    if (count > kLongPlaneCards) m_TableItem.bPlayBombSound = true;
    voices->PlayerTalk(headId, kVoicePlane);
  } else if (IsPlaneWithWings(type)) {
    show(new AniPlane(), false);
    ShowPlayerResultActs(landlordSide);
    m_TableItem.bPlayBombSound = true;
    voices->PlayerTalk(headId, kVoicePlaneWings);
  } else if (type == ddz::CardType::FourTwoSingles || type == ddz::CardType::FourTwoPairs) {
    leadOrBeat(kVoiceFourTwo);
  } else if (type == st::Single) {
    leadOrBeat(kVoiceSingle);
  } else if (type == st::Pair) {
    leadOrBeat(kVoicePair);
  } else if (type == st::Triple) {
    leadOrBeat(kVoiceTriple);
  } else if (type == ddz::CardType::TripleSingle) {
    leadOrBeat(kVoiceTripleSingle);
  } else if (type == st::TriplePair) {
    leadOrBeat(kVoiceTriplePair);
  }
}

void SRGameView::ShowPlayerResultActs(bool landlordSide) {
  constexpr int kActWin = 2;
  constexpr int kActLoss = 3;
  const int landlord = m_TableItem.iLandOwnerPos;
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (m_pPlayerShow[seat] == nullptr) continue;
    const bool won = (seat == landlord) == landlordSide;
    m_pPlayerShow[seat]->ShowPlayerAct(won ? kActWin : kActLoss, true);
  }
}

// ---------------------------------------------------------------- 69, 53 shown hands

void SRGameView::OnShowCardsPrompt(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, sr::TurnAt::Chair), "OnShowCardsPrompt");
  if (seat < 0) return;
  if (seat == kOwnSeat) {
    if (SRSelfHandCard* hand = GetSelfHand()) hand->ShowTwoChoiceButtons();
  }
  ShowSeatClock(kChoiceSeconds, seat, kClockChoice);
  HideBidSigns();
}

void SRGameView::OnShowCards(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, sr::CardsAt::Chair), "OnShowCards");
  if (seat < 0 || m_pShowCard == nullptr) return;
  m_TableItem.iShowCardTable = seat;
  m_pShowCard->RemoveAllCards();
  m_pShowCard->SetSeat(seat);
  m_pShowCard->SetOrigin(g_ptSRShowCardBg[seat]);
  m_pShowCard->SetShowCardScale(1.0f);
  AddTableWidget(m_pShowCard, kZShowCard);
  const std::vector<int> codes = CardsAt(msg, sr::CardsAt::Cards, sr::CardsAt::Count, false);
  for (int code : codes) m_pShowCard->AddCard(code, false, false, false, -1, false, true);
  m_pShowCard->SortCards();
  if (!codes.empty()) ShowDoubleAni(seat, kDoubleFactor);
  // The own hand is on the table already: no open copy of it.
  if (seat == kOwnSeat || codes.empty()) {
    m_pShowCard->RemoveAllCards();
    m_pShowCard->removeFromParent();
  }
}

// ---------------------------------------------------------------- 54, 38, 39

void SRGameView::OnRewardNotice(char* msg, int) {
  const int seat = SeatOfChair(ByteAt(msg, sr::RewardAt::Chair), "OnRewardNotice");
  const int amount = LittleEndianAt(msg, sr::RewardAt::Amount);
  if (seat != kOwnSeat || amount <= 0) return;
  if (AniManage* anis = GetAniManage()) {
    anis->ShowAni(AniManageShowAward::Create(kAwardYuanbao, kAwardKindYuanbao, amount, this), true, true);
  }
  variantnotice::AddOwnYuanbao(*this, amount);
  const int kind = ByteAt(msg, sr::RewardAt::Kind);
  if (kind == kRewardGoldCard) {
    cocos2d::log("Get gold_card money");
  } else if (kind == 1 || kind == 2) {
    cocos2d::log("Get happy money");
  }
}

void SRGameView::OnActivityTimer(char* msg, int) {
  const int seconds = LittleEndianAt(msg, sr::ActivityAt::Value);
  if (seconds <= 0) return;
  if (WEBActiveBtn* web = variantnotice::WebActivityButton(m_pActivityLayer)) web->SetCountdown(seconds);
}

void SRGameView::OnActivityCount(char* msg, int) {
  const int count = LittleEndianAt(msg, sr::ActivityAt::Value);
  if (LittleEndianAt(msg, sr::ActivityAt::Kind) != kActivityHandCount || count <= 0) return;
  if (WEBActiveBtn* web = variantnotice::WebActivityButton(m_pActivityLayer)) web->SetHandCount(count);
}

// ---------------------------------------------------------------- the own hand's calls

void SRGameView::ShowSelfOutCard(const char* cards, int count) {
  // The same message 49 the server sends, made here so the play shows at once.
  char local[kLocalPlaySize] = {};
  local[1] = static_cast<char>(kMsgPlayed);
  const int n = cards == nullptr ? 0 : std::clamp(count, 0, kMaxPlayCards);
  if (n > 0) std::memcpy(local + sr::CardsAt::Cards, cards, static_cast<std::size_t>(n));
  const PlayerNode* self = GetPlayerNode(kOwnSeat);
  local[sr::CardsAt::Chair] = static_cast<char>(self != nullptr ? self->cChairID : m_GlobalInfo.iChairID);
  OnPlayCards(local, static_cast<int>(sizeof local), true);
}

void SRGameView::HideGameClock() { StopClock(); }

void SRGameView::UpdateTaskNum(int* values) {
  if (values == nullptr) return;
  SRTopUI* top = GetTopBar();
  if (top == nullptr) return;
  top->SetCountNum(values);
  top->ShowTaskPanel(values[5], values[6], true);
}

void SRGameView::ShowDoubleAni(int seat, int factor) {
  if (m_pDoubleSign) m_pDoubleSign->Show(seat, factor);
}

void SRGameView::ShowTableMultiple(int times) {
  if (m_pTopUI != nullptr) m_pTopUI->SetTimes(times, true);
}
