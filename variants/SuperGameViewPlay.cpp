// SuperGameView: the play turn (73), a seat's play or pass (56) with its
// wildcard pairs, the own play shown as it is sent, the own clock after the
// show-hand choice, the doubling sign, the effects of a play and the task test.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cardlogic/ErClueCard.h"
#include "cardlogic/SuperClueCard.h"
#include "cards/BaseCard.h"
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
#include "variants/SuperGameViewFields.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayEffects.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;
using namespace superview;

namespace {

// The cards of a play message (56): the bytes as played, up to 20 (0, or a
// byte above 127 that names no card, ends them; another byte that names no
// card is an empty place), their codes, and the cards that leave the seat's
// hand: a byte equal to the matched byte of a wildcard pair not yet used
// leaves as that pair's substitute, the joker that stood for it.
struct PlayedCards {
  std::vector<std::uint8_t> bytes;
  std::vector<int> codes;
  std::vector<int> removed;
};

PlayedCards ReadPlayedCards(const char* msg) {
  PlayedCards played;
  for (int i = 0; i < SuperGameView::kPlayedMaxCards; ++i) {
    const std::uint8_t byte = ByteAt(msg, SuperGameView::kPlayedCards + i);
    if (byte == 0 || (static_cast<signed char>(byte) < 0 && ddz::CardByteToCode(byte) < 0)) break;
    const int code = CodeOf(byte);
    if (code < 0) continue;
    played.bytes.push_back(byte);
    played.codes.push_back(code);
  }
  std::array<bool, SuperGameView::kWildPairs> taken{};
  for (std::uint8_t byte : played.bytes) {
    std::uint8_t as = byte;
    for (int p = 0; p < SuperGameView::kWildPairs; ++p) {
      const std::uint8_t matched = ByteAt(msg, SuperGameView::kPlayedMatched + p);
      if (taken[p] || matched == 0 || matched != byte) continue;
      as = ByteAt(msg, SuperGameView::kPlayedSubstitutes + p);
      taken[p] = true;
      break;
    }
    const int code = CodeOf(as);
    if (code >= 0) played.removed.push_back(code);
  }
  return played;
}

}  // namespace

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
  const int seat = SeatOfChair(ByteAt(msg, kBody), "OnPlayCards");
  const bool ownEcho = seat == kOwnSeat && !local;  // shown when it was sent
  PlayedCards played;
  if (seat >= 0 && !ownEcho) {
    played = ReadPlayedCards(msg);
    if (!PlayFitsSeat(seat, played.removed, 1, "SuperGameView::OnPlayCards")) return;
  }
  ClearPointSigns();
  StopClock();
  if (m_pBaseCard != nullptr && m_pBaseCard->GetCardCount() > 0) {
    m_pBaseCard->RemoveAllCard();
    if (m_pSuperTopUI != nullptr) m_pSuperTopUI->ShowBaseCards(m_TableItem.vcBaseCardIndex);
    if (m_pTaskUI != nullptr) m_pTaskUI->StopTaskAni();
    if (m_pTopUI != nullptr) m_pTopUI->ShowCardCounter(true);
  }
  if (seat < 0 || ownEcho) return;

  // The first card makes the seat the owner of the table.
  const std::vector<int>& codes = played.codes;
  const std::vector<int>& removed = played.removed;
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
    if (m_pTopUI != nullptr) m_pTopUI->AddJPQCard(removed);
    SpriteCardManage* hand = Row(m_pHandCard[seat]);
    SpriteCardManage* shown = Row(m_pMingCard[seat]);
    if (seat != kOwnSeat) {
      for (int code : removed) {
        Vec2 place;
        if (hand != nullptr) hand->RemoveCard(place, 0, true);
        if (shown != nullptr && shown->isRunning()) shown->RemoveCard(place, code, true);
      }
    }
    if (row != nullptr && m_TableItem.iLandOwnerPos == seat && row->GetCardCount() > 0)
      row->SetLandlordMark(row->GetCardCount() - 1, 2);
    if (seat == kOwnSeat) TakeOwnPlay(row, removed);
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
        if (const int code = ddz::CardByteToCode(cards[i]); code >= 0 && ddz::CodeToValue(code) == ddz::kValue2)
          return true;
      return false;
    case 89: return type == 48 || type == 49 || type == 50;
    case 90: return in(59, 63) || in(96, 104);
    default: return false;  // 65-68 need the bottom cards: the landlord's test
  }
}
