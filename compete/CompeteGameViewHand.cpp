// CompeteGameView: the messages of one hand after the deal (bidding turn 72,
// bid 54, landlord 55, play turn 73, played cards 56), the play effects, and
// what the own hand, the deal and the bottom-card row ask of the view.
//
// The dispatcher has checked each frame's minimum length; every table number
// goes through SeatOfTableNum before a per-seat array is indexed.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClueCard.h"
#include "cards/BaseCard.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/SendCard.h"
#include "compete/CompeteGameView.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/AniBase.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/GameSoundDDZ.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;

namespace {

constexpr int kBody = 8;
constexpr int kBidScore = 9;
constexpr int kLandlordScore = 9;
constexpr int kLandlordBottom = 10;
constexpr int kBottomCards = 3;
constexpr int kPlayedCards = 9;
constexpr int kPlayedSilent = 33;

constexpr int kClockKindBid = 0;
constexpr int kClockKindPlay = 2;
constexpr int kLandlordRole = 2;
constexpr int kFarmerRole = 1;

// Voices of the seat's voice set.
constexpr int kVoiceNoCall = 3;
constexpr int kVoiceBeatIt = 5;  // 5 or 6 at random
constexpr int kPlayEffectSound = 5;
constexpr const char* kPassVoice = "ddzcompete_pass_%d_%d.mp3";
constexpr int kZToast = 99;
constexpr int kTextSlowPlay = 20;

constexpr int kActWin = 2;
constexpr int kActLoss = 3;

std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }

// The effect of a card type: its animation, whether the heads react, and
// its voice, when leading and when beating another play (-1: 5 or 6 at
// random; -2: none).
enum class Ani { None, Bomb, Rocket, Straight, PairStraight, Plane };
struct PlayEffect {
  int first;
  int last;
  Ani ani;
  bool doubles;
  bool heads;
  int leadVoice;
  int beatVoice;
};
constexpr int kBeatAtRandom = -1;
constexpr int kNoVoice = -2;
constexpr int kBombVoice = 16;
constexpr PlayEffect kPlayEffects[] = {
    {ddz::CardType::Bomb, ddz::CardType::Bomb, Ani::Bomb, true, true, kBombVoice, kBombVoice},
    {ddz::CardType::Rocket, ddz::CardType::Rocket, Ani::Rocket, true, true, 17, 17},
    {ddz::CardType::StraightFirst, ddz::CardType::StraightLast, Ani::Straight, false, true, 11, 11},
    {ddz::CardType::PairStraightFirst, ddz::CardType::PairStraightLast, Ani::PairStraight, false, true, 12, 12},
    {ddz::CardType::PlaneFirst, ddz::CardType::PlaneLast, Ani::None, false, true, 13, 13},
    {ddz::CardType::PlaneWingsFirst, ddz::CardType::PlaneWingsLast, Ani::Plane, false, true, 14, 14},
    {ddz::CardType::FourTwoSingles, ddz::CardType::FourTwoPairs, Ani::None, false, false, 15, kBeatAtRandom},
    {ddz::CardType::Triple, ddz::CardType::Triple, Ani::None, false, false, 18, kBeatAtRandom},
    {ddz::CardType::TripleSingle, ddz::CardType::TripleSingle, Ani::None, false, false, 9, kBeatAtRandom},
    {ddz::CardType::TriplePair, ddz::CardType::TriplePair, Ani::None, false, false, 10, kBeatAtRandom},
};

const PlayEffect* EffectOf(int cardType) {
  for (const PlayEffect& e : kPlayEffects)
    if (cardType >= e.first && cardType <= e.last) return &e;
  return nullptr;
}

// Card codes of up to `n` bytes from `at`, ended by the first byte that is 0
// or negative; bytes that name no card are skipped.
std::vector<int> PlayedCodes(const char* msg, int at, int n) {
  std::vector<int> codes;
  for (int i = 0; i < n; ++i) {
    const auto byte = static_cast<signed char>(msg[at + i]);
    if (byte <= 0) break;
    const int code = ddz::CardByteToCode(static_cast<std::uint8_t>(byte));
    if (code < 0) {
      cocos2d::log("CompeteGameView: card byte 0x%02x is not a card, skipped", static_cast<std::uint8_t>(byte));
      continue;
    }
    codes.push_back(code);
  }
  return codes;
}

SpriteCardManage* CardRow(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

}  // namespace

// ---------------------------------------------------------------- seats, clock, signs, voices

int CompeteGameView::PlaySecondsFor(int cardsLeft) {
  if (cardsLeft < 5) return 8;
  if (cardsLeft < 10) return 10;
  if (cardsLeft < 20) return 15;
  return 25;
}

bool CompeteGameView::SeatHasFastClock(int seat) const {
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr && player->bShortClock != 0;
}

int CompeteGameView::SeatHeadId(int seat) const {
  if (seat < 0 || seat >= kMaxSeats) return 0;
  // The figure the seat's head was given is the one it speaks with.
  if (g_iSeatHeadFigure[seat] >= 0) return g_iSeatHeadFigure[seat];
  if (seat == kOwnSeat) return m_GlobalInfo.iHeadID;
  if (seat >= 0 && seat < kMaxSeats && m_pPlayerShow[seat] != nullptr) return m_pPlayerShow[seat]->GetHeadID();
  const PlayerNode* player = GetPlayerNode(seat);
  return player != nullptr ? player->cHeadID : 0;
}

void CompeteGameView::ShowSeatClock(int seconds, int seat, int kind) {
  if (m_pGameClock != nullptr) m_pGameClock->ShowClock(seconds, seat, kind, g_ptClock[seat]);
}

void CompeteGameView::StopClock() {
  if (m_pGameClock != nullptr) m_pGameClock->ResetClock();
}

void CompeteGameView::HideGameClock() { StopClock(); }

void CompeteGameView::ShowPointSign(int seat, int points) {
  PlayerGameInfo* info = m_pPlayerGameInfo[seat];
  if (info == nullptr) return;
  info->ShowCompetePoint(false, -1, g_ptPlayerInfoBG[seat]);
  if (points >= 0) info->ShowCompetePoint(true, points, g_ptPlayerInfoBG[seat]);
}

void CompeteGameView::HidePointSigns() {
  for (int seat = 0; seat < kPlayerCount; ++seat)
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowCompetePoint(false, -1, g_ptPlayerInfoBG[seat]);
}

void CompeteGameView::PlayVoice(int seat, int voice) {
  GameSoundDDZ::shareGameSoundDDZ()->PlayerTalk(SeatHeadId(seat), voice);
}

void CompeteGameView::ShowHeadActs(bool landlordSide) {
  const int landlord = m_TableItem.iLandOwnerPos;
  for (int seat = 0; seat < kPlayerCount; ++seat) {
    if (m_pPlayerShow[seat] == nullptr) continue;
    const bool won = (seat == landlord) == landlordSide;
    m_pPlayerShow[seat]->ShowPlayerAct(won ? kActWin : kActLoss, true);
  }
}

// ---------------------------------------------------------------- 72 bidding turn

void CompeteGameView::OnTurnPrompt(char* msg, int) {
  const int seat = SeatOfTableNum(ByteAt(msg, kBody), "OnTurnPrompt");
  if (seat < 0) return;
  const bool fast = SeatHasFastClock(seat);
  if (seat == kOwnSeat) {
    if (CompeteSelfHandCard* hand = GetSelfHand()) hand->ShowCallScoreButtons(m_TableItem.iFinalPoint);
  }
  ShowSeatClock(fast ? kFastBidSeconds : kBidSeconds, seat, kClockKindBid);
  if (!IsSinglePlayer()) {
    if (fast) m_iLockMainMsgTime += kHoldFastBid;
  } else if (seat == kOwnSeat) {
    StopClock();
  } else {
    m_iLockMainMsgTime += kHoldSingleOtherBid;
  }
}

// ---------------------------------------------------------------- 54 a bid

void CompeteGameView::OnCallLandlordAct(char* msg, int) {
  const int seat = SeatOfTableNum(ByteAt(msg, kBody), "OnCallLandlordAct");
  if (seat < 0) return;
  const int score = static_cast<signed char>(msg[kBidScore]);
  StopClock();
  m_TableItem.iPointDemand[seat] = score;
  if (score > m_TableItem.iFinalPoint) {
    m_TableItem.iFinalPoint = score;
    if (m_pTopUI != nullptr) {
      m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, score));
      m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    }
  }
  ShowPointSign(seat, score);
  if (score > 0 && score <= 3) {
    PlayVoice(seat, score - 1);
  } else if (score == 0) {
    PlayVoice(seat, kVoiceNoCall);
  }
}

// ---------------------------------------------------------------- 55 landlord

void CompeteGameView::OnLandlordDecided(char* msg, int) {
  if (!LandlordStillOpen("CompeteGameView::OnLandlordDecided")) return;
  const int seat = SeatOfTableNum(ByteAt(msg, kBody), "OnLandlordDecided");
  if (seat < 0) return;
  m_TableItem.iLandOwnerPos = seat;
  m_TableItem.iTableCardOwnerPos = seat;
  m_bPlayPhase = true;
  if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowLandOwner(true, g_ptLandOwner[seat], false);
  m_TableItem.vcBaseCardIndex.clear();
  for (int i = 0; i < kBottomCards; ++i) {
    const auto byte = static_cast<signed char>(msg[kLandlordBottom + i]);
    const int code = byte > 0 ? ddz::CardByteToCode(static_cast<std::uint8_t>(byte)) : -1;
    if (code < 0) {
      cocos2d::log("CompeteGameView::OnLandlordDecided: bottom card byte 0x%02x is not a card, skipped",
                   static_cast<std::uint8_t>(byte));
      continue;
    }
    m_TableItem.vcBaseCardIndex.push_back(code);
  }
  // The row holds the message lock while the cards turn.
  if (m_pBaseCard != nullptr) m_pBaseCard->ShowBaseCard(m_TableItem.vcBaseCardIndex, BaseCard::kDefaultFlipDelay, true);
  m_bBaseCardsPending = true;
  if (seat != kOwnSeat) {
    if (SpriteCardManage* backs = CardRow(m_pHandCard[seat])) {
      for (int i = 0; i < kBottomCards; ++i) backs->AddCard(0, true, false, true, -1, false, false);
    }
  }
  const int score = static_cast<signed char>(msg[kLandlordScore]);
  m_TableItem.iFinalPoint = score;
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, score));
    m_pTopUI->SetTimes(m_TableItem.iTimes, false);
  }
  CompeteSelfHandCard* hand = GetSelfHand();
  if (hand != nullptr) hand->SetRole(seat == kOwnSeat ? kLandlordRole : kFarmerRole);
  if (seat != kOwnSeat) m_iLockMainMsgTime += kHoldLandlordOther;
  if (hand != nullptr) hand->RefreshCardMarks(true);
}

void CompeteGameView::OnBaseCardShown() {
  if (m_TableItem.iLandOwnerPos != kOwnSeat) return;
  CompeteSelfHandCard* hand = GetSelfHand();
  if (hand == nullptr) return;
  for (int code : m_TableItem.vcBaseCardIndex) hand->AddCard(code, false, true, true, -1, false, false);
  hand->SetTurnStarted(true);
  unschedule(schedule_selector(CompeteGameView::LowerRaisedBaseCards));
  scheduleOnce(schedule_selector(CompeteGameView::LowerRaisedBaseCards), kBaseCardsRaisedSeconds);
}

void CompeteGameView::LowerRaisedBaseCards(float) {
  if (CompeteSelfHandCard* hand = GetSelfHand()) {
    hand->UnselectAll();
    hand->UpdateOutCardButton();
  }
}

// ---------------------------------------------------------------- 73 play turn

void CompeteGameView::OnPlayTurn(char* msg, int) {
  const int seat = SeatOfTableNum(ByteAt(msg, kBody), "OnPlayTurn");
  if (seat < 0) return;
  if (!m_bPlayPhase) {
    // A late or repeated turn of a hand that is over (behind the next deal,
    // in its bidding): a play made on it would be no move of this hand.
    cocos2d::log("CompeteGameView::OnPlayTurn: a play turn outside the play phase, dropped");
    return;
  }
  HidePointSigns();
  if (seat == kOwnSeat) {
    const int landlord = m_TableItem.iLandOwnerPos;
    if (landlord >= 0 && landlord < kPlayerCount && m_pPlayerGameInfo[landlord] != nullptr)
      m_pPlayerGameInfo[landlord]->ShowLandOwnerAni();
  }
  if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowCompetePass(false, g_ptPlayerInfoBG[seat]);
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();

  ddz::CardTypeInfo tableType;
  ddz::ClueCard::GetCardType(tableType, m_TableItem.vcTableCardIndex);
  const bool rocketByOther = tableType.type == ddz::CardType::Rocket && m_TableItem.iTableCardOwnerPos != seat;
  const bool fast = SeatHasFastClock(seat) || m_TableItem.iTuoGuan[seat] == 1;
  CompeteSelfHandCard* hand = GetSelfHand();
  const bool ownShortClock = seat == kOwnSeat && hand != nullptr && hand->GetAutoPlayCount() > 0;
  int seconds = kFastPlaySeconds;
  if (!fast && !rocketByOther && !ownShortClock) {
    const int left = m_pHandCard[seat] != nullptr ? m_pHandCard[seat]->GetCardCount() : 0;
    seconds = PlaySecondsFor(left);
  }
  ShowSeatClock(seconds, seat, kClockKindPlay);
  if (seat == kOwnSeat) {
    // The others passed: the own seat leads freely.
    if (m_TableItem.iTableCardOwnerPos == kOwnSeat) m_TableItem.vcTableCardIndex.clear();
    if (hand != nullptr) {
      hand->SetLastTablePlayType(tableType.type);
      hand->ShowOutCardButtons(m_TableItem.vcTableCardIndex);
    }
    m_iSlowPlayDeadline =
        seconds >= 8 ? static_cast<int>(ddz::os::Clock().WallTimeSeconds()) + static_cast<int>(kSlowPlayShare * seconds)
                     : 0;
  }
  if (fast) m_iLockMainMsgTime += kHoldFastPlay;
}

// ---------------------------------------------------------------- 56 played cards

bool CompeteGameView::PlayIsHeard(const char* msg, int seat) const {
  return !(seat == kOwnSeat && msg[kPlayedSilent] == 1);
}

void CompeteGameView::ArrangeBaseCardsOnce() {
  if (!m_bBaseCardsPending) return;
  m_bBaseCardsPending = false;
  if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
  if (auto* top = dynamic_cast<TopUI*>(m_pTopUI)) top->ShowBaseCards(m_TableItem.vcBaseCardIndex);
  if (m_pTopUI != nullptr) m_pTopUI->ShowCardCounter(true);
}

void CompeteGameView::HandleOutCard(char* msg, int len) {
  if (msg == nullptr || len < MinMessageLength(kMsgPlayed)) return;
  const int seat = SeatOfTableNum(ByteAt(msg, kBody), "HandleOutCard");
  if (seat < 0) return;
  const std::vector<int> codes = PlayedCodes(msg, kPlayedCards, kMaxPlayCards);
  if (!PlayFitsSeat(seat, codes, 1, "CompeteGameView::HandleOutCard")) return;
  StopClock();
  ArrangeBaseCardsOnce();

  const bool heard = PlayIsHeard(msg, seat);
  const int headId = SeatHeadId(seat);
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  if (codes.empty()) {
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowCompetePass(true, g_ptPlayerInfoBG[seat]);
    if (heard) {
      char name[48];
      std::snprintf(name, sizeof name, kPassVoice, headId % 2 == 0 ? 1 : 0, static_cast<int>(ddz::os::Rand() % 2));
      sound->PlayerTalk(name);
    }
  } else {
    const int previousOwner = m_TableItem.iTableCardOwnerPos;
    m_TableItem.vcTableCardIndex = codes;
    m_TableItem.iTableCardOwnerPos = seat;
    ddz::CardTypeInfo type;
    ddz::ClueCard::GetCardType(type, codes);
    if (type.type == ddz::CardType::Bomb) m_TableItem.iSendBombNum = ddz::os::SaturatingAdd(m_TableItem.iSendBombNum, 1);
    if (type.type == ddz::CardType::Rocket) m_TableItem.bSendRocket = true;
    if (heard) {
      ShowPlayEffect(type.type, headId, previousOwner, seat);
      if (type.type == ddz::CardType::Single || type.type == ddz::CardType::Pair)
        sound->PlayerTalkCard(headId, type.type, type.value);
    }
    if (m_pTopUI != nullptr) m_pTopUI->AddJPQCard(codes);
    MovePlayTo(seat, codes);
  }
  if (m_pHandCard[seat] != nullptr && m_pHandCard[seat]->GetCardCount() == 0) m_iLockMainMsgTime += kHoldHandEmptied;
}

void CompeteGameView::MovePlayTo(int seat, const std::vector<int>& codes) {
  // A seat's new play replaces what its row showed.
  if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
  MovePlayedCards(seat, codes, kLandlordRole);
  if (seat == kOwnSeat) {
    if (CompeteSelfHandCard* own = GetSelfHand()) own->UpdateOutCardButton();
  }
}

// ---------------------------------------------------------------- play effects

void CompeteGameView::ShowPlayEffect(int cardType, int headId, int previousOwner, int seat) {
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  sound->PlayGameSound(std::to_string(kPlayEffectSound) + ".mp3");
  const PlayEffect* effect = EffectOf(cardType);
  if (effect == nullptr) return;
  AniManage* anis = GetAniManage();
  auto show = [anis](AniBase* ani, bool now) {
    if (anis == nullptr) {
      ani->release();
      return;
    }
    anis->ShowAni(ani, now, true);
  };
  if (effect->doubles) {
    m_TableItem.iTimes = ddz::os::SaturatingMul(m_TableItem.iTimes, 2);
    if (m_pTopUI != nullptr) m_pTopUI->SetTimes(m_TableItem.iTimes, false);
  }
  switch (effect->ani) {
    case Ani::Bomb: show(new cjddz_AniSuperFallBomb(this, g_ptSuperBomb[0], g_ptSuperBomb[1]), true); break;
    case Ani::Rocket: show(new AniRocket(), true); break;
    case Ani::Straight: show(new AniShunzi(1), false); break;
    case Ani::PairStraight: show(new AniShunzi(2), false); break;
    case Ani::Plane: show(new AniPlane(), false); break;
    case Ani::None: break;
  }
  if (effect->heads) ShowHeadActs(seat == m_TableItem.iLandOwnerPos);
  const bool leads = previousOwner == seat;
  const int voice = leads ? effect->leadVoice : effect->beatVoice;
  if (voice == kBeatAtRandom) {
    sound->PlayerTalk(headId, kVoiceBeatIt + static_cast<int>(ddz::os::Rand() % 2));
  } else if (voice != kNoVoice) {
    sound->PlayerTalk(headId, voice);
  }
}

// ---------------------------------------------------------------- the own hand's calls

void CompeteGameView::ShowSelfOutCard(const char*, int) {
  // The cards stay in the hand until the server's play for the own seat
  // moves them (HandleOutCard): a play it does not take (sent on a turn it
  // no longer counts) comes back as a new own turn with the hand whole.
  if (m_iSlowPlayCount < 0 || m_iSlowPlayDeadline <= 0) return;
  if (ddz::os::Clock().WallTimeSeconds() <= m_iSlowPlayDeadline) return;
  if (++m_iSlowPlayCount <= kSlowPlaysForTip) return;
  m_iSlowPlayCount = -1;
  ShowToast(CompeteText(kTextSlowPlay).c_str(), kZToast);
}

// ---------------------------------------------------------------- doubling and the multiple

void CompeteGameView::ShowDoubleAni(int seat, int factor) {
  if (!m_pDoubleSign) m_pDoubleSign = std::make_unique<DoubleSignFlight>(this);
  m_pDoubleSign->Show(seat, factor);
}

void CompeteGameView::ShowTableMultiple(int times) {
  if (m_pTopUI != nullptr) m_pTopUI->SetTimes(times, true);
}
