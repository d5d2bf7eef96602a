// SuperGameView: the dispatch of the hand's messages, chairs and seats, the
// player-count mode and the let-cards count, and the table settings, activity
// count and shown hands. The deal and the bidding are in SuperGameViewBid.cpp,
// the turns, plays, doubling, effects and the task test in
// SuperGameViewPlay.cpp.
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

#include "cardlogic/ClassicMessages.h"
#include "cards/ErYieldCardLayer.h"
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
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/SpecialRuleLayer.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;
using namespace superview;

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

int SuperGameView::MinWholeLength(int type) {
  // The local server writes its plays in the classic layout: shorter, with
  // no type and no wildcard pairs.
  if (type == kMsgPlayed && IsSinglePlayer()) return static_cast<int>(ddz::classic::MsgSize::Played);
  return MinMessageLength(type);
}

void SuperGameView::CallBackHandleMainSocketNetMsg(char* msg, int len) {
  const int type = TypeOfWholeMessage("SuperGameView", msg, len, &MinWholeLength);
  if (type < 0) return;
  // A local server's play is read from a zeroed buffer of this table's
  // layout: its missing wildcard bytes are zero, no pair.
  std::array<char, kPlayedSize> padded{};
  if (type == kMsgPlayed && len < kPlayedSize) {
    std::memcpy(padded.data(), msg, static_cast<std::size_t>(len));
    msg = padded.data();
    len = kPlayedSize;
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

// ---------------------------------------------------------------- 38, 39, 23

void SuperGameView::OnBgWordMsg(char* msg, int) {
  std::memcpy(m_SpecialRules.bytes.data(), msg + kSettingsRules, ddz::SpecialRule::Count);
  m_GlobalInfo.iTableFee = LittleEndianAt(msg, kSettingsFee);
  const int countdown = LittleEndianAt(msg, kSettingsCountdown);
  if (countdown > 0)
    if (WEBActiveBtn* web = variantnotice::WebActivityButton(m_pActivityLayer)) web->SetCountdown(countdown);
  if (m_GlobalInfo.iGuideShowTimes < 1) ShowSpecialRules(false);
  ShowRulesButton();
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

void SuperGameView::ShowRulesButton() {
  if (m_pRulesButton != nullptr || !SpecialRuleLayer::HasRulesForMask(m_iPlayerCountMode, m_SpecialRules)) return;
  m_pRulesButton = cocos2d::ui::Button::create(kRulesButton, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  if (m_pRulesButton == nullptr) return;
  m_pRulesButton->setPosition(kRulesButtonPos);
  m_pRulesButton->setTouchEnabled(true);
  m_pRulesButton->addClickEventListener([this](cocos2d::Ref*) { ShowSpecialRules(true); });
  addChild(m_pRulesButton, kZRulesButton);
  if (PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrameIfAny())
    frame->SetHelpBtnCallBack([this](cocos2d::Ref*) { ShowSpecialRules(true); });
}

void SuperGameView::OnSubMsg39(char* msg, int) {
  if (LittleEndianAt(msg, kBody) != 1 || LittleEndianAt(msg, kBody + 4) < 1) return;
  if (WEBActiveBtn* web = variantnotice::WebActivityButton(m_pActivityLayer))
    web->SetHandCount(LittleEndianAt(msg, kBody + 4));
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
