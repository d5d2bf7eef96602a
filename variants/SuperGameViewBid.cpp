// SuperGameView: the deal (71) and its end with the task panel and the
// guide, the bid turn (72), the bids (54) by mode, the landlord and the
// bottom cards (55).
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/ErYieldCardLayer.h"
#include "classic/RoundTaskConditions.h"
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
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/ResultAnis.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;
using namespace superview;

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
  if (auto* deal = dynamic_cast<DealCard*>(m_pDealCard))
    deal->SetSeatCount(m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 2 : 3);
  StartDealRow(reinterpret_cast<const std::uint8_t*>(msg + kBody + kDealCards * chair), ByteAt(msg, kDealOpenCard),
               firstSeat);
  ArmSideHands(false);
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
  // Its layer goes from the table with the face-up card it turned; the table
  // owns it, so it is hidden until the next deal shows it again.
  if (m_pDealCard != nullptr) m_pDealCard->setVisible(false);
  DDZGameView::OnDealCardEnd();
  ArmSideHands(true);
  // A new player sees the guide after the first few deals.
  if (m_GlobalInfo.iGuideShowTimes < kGuideShows && m_GlobalInfo.bGuideShown == 0) {
    if (PlayerGuide* guide = PlayerGuide::create(this, m_GlobalInfo.iGuideShowTimes)) {
      guide->setPosition(kGuideDrop);
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
  if (!LandlordStillOpen("SuperGameView::OnLandlordDecided")) return;
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
  } else if (!IsSinglePlayer() && m_pTaskUI != nullptr && m_pTaskUI->isVisible() &&
             ddz::TaskMatches(m_pTaskUI->iSubType, 0, 0, msg + kBody + 2, nullptr)) {
    // The bottom-card tasks, as the classic table tests them.
    m_pTaskUI->PlayTaskAni();
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
  scheduleOnce(schedule_selector(SuperGameView::OnBaseCardTimer), kBaseCardsSettleSeconds);
}

void SuperGameView::OnBaseCardTimer(float) {
  SuperSelfHandCard* hand = GetSelfHand();
  if (m_TableItem.iLandOwnerPos != kOwnSeat || hand == nullptr || !hand->IsBottomCardsPending()) return;
  hand->UnselectAll();
  hand->CheckSelectedCards();
}
