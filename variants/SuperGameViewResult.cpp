// SuperGameView: the table reset between hands, the hand's result and the
// result panel's buttons, the jackpot notices and awards, the special-rule
// window and the re-login snapshot.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/ErYieldCardLayer.h"
#include "cards/OtherHandCard.h"
#include "cards/SendCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/Action.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndLocalData.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Clock.h"
#include "platform/os/Saturate.h"
#include "variants/SuperGameView.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/AwardDisplays.h"
#include "widgets/BottomUI.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultAnis.h"
#include "widgets/ResultLayer.h"
#include "widgets/SpecialRuleLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUI.h"

using cocos2d::Vec2;
using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// The hand result.
constexpr int kResultMoney = 12;
constexpr int kResultNumber = 52;
constexpr int kResultCards = 212;
constexpr int kResultThirdBlock = 252;
constexpr int kResultSpringKind = 280;
constexpr int kResultSpring = 281;
constexpr int kResultSmallButton = 282;
constexpr int kCardsPerChair = 20;
constexpr int kDoubledDemand = 7;
constexpr int kZExtraRow = 2;
constexpr int kZSpecialRules = 200;
constexpr int kZFirstYuanbaoTips = 1000;
constexpr int kTextNewPlayerHint = 193;
constexpr int kTextFirstYuanbao = 192;

// The re-login snapshot.
constexpr int kSnapHands = 144;
constexpr int kSnapBottom = 204;
constexpr int kSnapLandlord = 207;
constexpr int kSnapFinalPoint = 209;
constexpr int kSnapTimes = 212;
constexpr int kSnapShown = 216;
constexpr int kSnapTable = 217;
constexpr int kSnapTableOwner = 237;
constexpr int kSnapDemand = 238;
constexpr int kSnapBombs = 241;
constexpr int kSnapRocket = 242;
constexpr int kSnapCap = 244;
constexpr int kSnapBaseScore = 248;
constexpr int kSnapPlayed = 252;
constexpr int kSnapPlayedBytes = 54;
constexpr int kSnapFee = 468;
constexpr int kSnapSubstitutes = 530;
constexpr int kSnapMatched = 534;
constexpr int kSnapTableType = 538;
constexpr int kSnapTableValue = 539;
constexpr int kSnapTaskSubType = 308;
constexpr int kSnapTaskAmount = 312;
constexpr int kSnapTaskMainType = 316;
constexpr int kSnapTaskDone = 540;
constexpr int kSnapTaskRaw = 544;

// The jackpot notice: kind 4 an award, 7 a change of the own yuanbao.
constexpr int kJackpotKind = 9;
constexpr int kJackpotKindSize = 10;
constexpr int kJackpotAmount = 12;
constexpr int kJackpotChangeSize = 16;
constexpr int kJackpotFirstYb = 21;
constexpr int kJackpotAwardSize = 22;
constexpr int kJackpotAward = 4;
constexpr int kJackpotYuanbaoChange = 7;

std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }
SpriteCardManage* Row(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

}  // namespace

// ---------------------------------------------------------------- the table reset

void SuperGameView::ResetTable() {
  if (m_pYieldLayer != nullptr && m_pYieldLayer->isRunning()) {
    m_pYieldLayer->removeFromParent();
    m_pYieldLayer = nullptr;
  }
  if (m_pExtraShowCard != nullptr) {
    if (m_pExtraShowCard->getParent() != nullptr) m_pExtraShowCard->removeFromParent();
    m_pExtraShowCard = nullptr;
  }
  m_iLetCards = 0;
  m_iTablePlayType = ddz::CardType::Invalid;
  m_TableItem.Clear();
  if (m_pDoubleSign) m_pDoubleSign->Stop();
  CancelPendingSelectors();
  SuperSelfHandCard* own = GetSelfHand();
  if (own != nullptr) {
    own->setTouchEnabled(false, false);
    own->ResetTurnState();
    own->CloseTurns();
  }
  for (int seat = 0; seat < 3; ++seat) {
    if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
    if (m_pHandCard[seat] != nullptr) m_pHandCard[seat]->RemoveAllCards();
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ResetAll();
    if (m_pMingCard[seat] != nullptr) {
      m_pMingCard[seat]->RemoveAllCards();
      m_pMingCard[seat]->setVisible(false);
    }
  }
  if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
  StopClock();
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(-1);
    m_pTopUI->SetTimes(-1, false);
    m_pTopUI->ClearJQPCard();
  }
  if (m_pSuperTopUI != nullptr) m_pSuperTopUI->ClearBaseCards();
  m_bHandRunning = false;
}

// ---------------------------------------------------------------- the result

bool SuperGameView::IsResultLockHeld() const { return m_pResultLock != nullptr && m_pResultLock->IsHeld(); }

bool SuperGameView::LowerResultLock() { return m_pResultLock != nullptr && m_pResultLock->Release(); }

void SuperGameView::RemoveResultScreen() {
  if (m_pResultLayer != nullptr && m_pResultLayer->getParent() != nullptr) m_pResultLayer->removeFromParent();
}

void SuperGameView::CallBackGameResultServer(char* msg, int len) {
  if (msg == nullptr || len < 8) return;
  if (!m_bHandRunning) {
    cocos2d::log("SuperGameView::CallBackGameResultServer: no hand runs on the table, result dropped");
    return;
  }
  m_bHandRunning = false;
  // The result as far as it came, in a zeroed buffer of the full layout.
  std::array<char, kResultSize> copy{};
  std::memcpy(copy.data(), msg, static_cast<std::size_t>(std::min(len, kResultSize)));
  if (SuperSelfHandCard* hand = GetSelfHand()) hand->CloseTurns();
  StopClock();
  ResetSeatHeadFigures();
  CountTodayHand();
  m_iGamesPlayed = ddz::os::SaturatingAdd(m_iGamesPlayed, 1);
  m_iGameState = 2;
  StopNetTest();
  AniManage* anis = GetAniManage();
  if (copy[kResultSpring] == 1) {
    m_TableItem.iTimes = ddz::os::SaturatingMul(m_TableItem.iTimes, 2);
    ShowTableMultiple(m_TableItem.iTimes);
    if (anis != nullptr) anis->ShowAni(new AniSpring(copy[kResultSpringKind] == 1 ? 0 : 1), false, true);
  }
  if (m_pResultLock == nullptr) m_pResultLock = MsgLockToken::Create(this);
  if (!m_pResultLock->Hold()) cocos2d::log("SuperGameView::CallBackGameResultServer: the result already holds the messages");
  auto* pause = new AniResultEmpty(this, copy.data(), kResultSize, ddz::os::Clock().WallTimeSeconds());
  if (anis != nullptr) {
    anis->ShowAni(pause, false, true);
  } else {
    pause->CallBackAniEnd();
    pause->release();
  }
  if (m_pBottomUI != nullptr) m_pBottomUI->ShowBottomSelfInfo(true);
  if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat && m_pHandSprite != nullptr) m_pHandSprite->setVisible(false);
}

void SuperGameView::ShowRoundResult(const char* msg, int len) {
  if (msg == nullptr || len < kResultSize) {
    cocos2d::log("SuperGameView::ShowRoundResult: result of length %d dropped", len);
    return;
  }
  if (m_pTopUI != nullptr) m_pTopUI->SetBtnOnState(2);
  m_iHandsShown = ddz::os::SaturatingAdd(m_iHandsShown, 1);
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (m_iHandsShown == 1 && self != nullptr && self->iLevel < 2 && m_pTalkTip != nullptr && !IsSinglePlayer() &&
      m_TableItem.iBaseScore > 50)
    m_pTalkTip->TalkFreeTxt(kOwnSeat, GameText(kTextNewPlayerHint));

  int results[ResultLayer::kSeats] = {};
  const int chairs = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 2 : 3;
  for (int chair = 0; chair < chairs; ++chair) {
    const int seat = SeatOfChair(chair, "ShowRoundResult");
    if (seat < 0 || seat > 2) continue;
    results[seat] = BigEndianAt(msg, kResultNumber + 4 * chair);
    const int money = BigEndianAt(msg, kResultMoney + 4 * chair);
    PlayerNode* player = GetPlayerNode(seat);
    if (player != nullptr) player->iMoney = ddz::os::SaturatingAdd(player->iMoney, money);
    if (seat == kOwnSeat) {
      UpdateLoseAmount(money);
      if (player != nullptr) m_GlobalInfo.iMoney = player->iMoney;
      continue;
    }
    if (m_pSendCard[seat] != nullptr) m_pSendCard[seat]->RemoveAllCards();
    SpriteCardManage* shown = Row(m_pMingCard[seat]);
    if (shown == nullptr) continue;
    shown->RemoveAllCards();
    AddTableWidget(shown, 1);
    shown->setVisible(true);
    for (int i = 0; i < kCardsPerChair; ++i) {
      const std::uint8_t byte = ByteAt(msg, kResultCards + kCardsPerChair * chair + i);
      const int code = byte != 0 ? ddz::CardByteToCode(byte) : -1;
      if (code >= 0) shown->AddCard(code, false, false, true, -1, false, true);
    }
  }
  if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat) {
    if (m_pExtraShowCard == nullptr) {
      m_pExtraShowCard = new SmallShowCard(0, g_ptShowCards[0].x, g_ptShowCards[0].y, g_fShowCardScale);
      m_pExtraShowCard->autorelease();
      addChild(m_pExtraShowCard, kZExtraRow);
    }
    for (int i = 0; i < kCardsPerChair; ++i) {
      const std::uint8_t byte = ByteAt(msg, kResultThirdBlock + i);
      const int code = byte != 0 ? ddz::CardByteToCode(byte) : -1;
      if (code >= 0) m_pExtraShowCard->AddCard(code, false, false, true, -1, false, true);
    }
  }
  m_GlobalInfo.iSmallBtnType = static_cast<signed char>(msg[kResultSmallButton]);

  const std::int64_t amount = static_cast<std::int64_t>(m_TableItem.iTimes) * m_TableItem.iBaseScore;
  const std::int64_t capAt = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? m_iAmountCap : m_iAmountCap / 2;
  bool capped = m_iAmountCap > 0 && amount > capAt;
  const bool landOwner = m_TableItem.iLandOwnerPos == kOwnSeat;
  auto* screen = GetResultScreen();
  if (m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat) {
    std::uint8_t doubled[ResultLayer::kSeats] = {};
    for (int seat = 0; seat < 3; ++seat) {
      const PlayerNode* player = GetPlayerNode(seat);
      PlayerGameInfo* info = m_pPlayerGameInfo[seat];
      if (player == nullptr || info == nullptr) continue;
      const int place = PlaceOf(seat);
      if (player->iMoney < 1) info->ShowNoMoneyTips(true, g_ptNoMoneyPos[place]);
      info->ShowPlayerMoneInfo(true, player->iMoney, g_ptPlayerMoneyPos[place], false);
      if (m_TableItem.iPointDemand[seat] == kDoubledDemand) {
        doubled[seat] = 1;
        if (!capped && m_iAmountCap > 0 && amount == capAt) capped = true;
      }
    }
    // The panel's power field shows the multiple itself (never 2 raised to
    // it, which overflows from a multiple of 32 on).
    m_iResultPower = m_TableItem.iTimes;
    if (screen != nullptr)
      screen->IniResultInfo(m_GlobalInfo.iHeadID, landOwner, results, m_iResultPower, false, false,
                            m_GlobalInfo.iSmallBtnType, m_TableItem.iBaseScore, capped, 0, doubled);
  } else if (screen != nullptr) {
    m_iResultPower = m_TableItem.iTimes;
    screen->IniResultInfo(m_GlobalInfo.iHeadID, landOwner, results, m_TableItem.iSendBombNum, m_TableItem.bSendRocket,
                          msg[kResultSpring] != 0, m_GlobalInfo.iSmallBtnType, 0, capped, 0, nullptr);
  }
  if (screen != nullptr) {
    if (screen->getParent() != nullptr) screen->removeFromParent();
    screen->setPosition(g_ptResult);
    addChild(screen, kZResult);
  }
  const int landlord = m_TableItem.iLandOwnerPos;
  ShowPlayerResultActs(landlord >= 0 && landlord < 3 && results[landlord] > 0);
  RecordSingleHandResult(results[kOwnSeat]);
  cocos2d::UserDefault::getInstance()->flush();
  for (int seat = 0; seat < 3; ++seat)
    if (m_pPlayerGameInfo[seat] != nullptr) m_pPlayerGameInfo[seat]->ShowPass(false, g_ptPlayerInfoBG[PlaceOf(seat)]);
  if (m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(self);
  if (m_pTaskUI != nullptr) {
    static_cast<cocos2d::Node*>(m_pTaskUI)->removeFromParent();
    m_pTaskUI = nullptr;
  }
  if (m_pTopUI != nullptr) {
    m_pTopUI->ShowCardCounter(false);
    m_pTopUI->SetNumVisible(false);
  }
  if (m_pActivityLayer != nullptr) {
    if (auto* web = dynamic_cast<WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeWeb))) {
      if (web->GetHandCount() > 0) {
        web->SetHandCount(web->GetHandCount() - 1);
        if (web->GetHandCount() < 1) m_pActivityLayer->RemoveActiveBtn(ActivityLayer::kTypeWeb);
      }
    }
  }
  m_iShownHandSeat = -1;
}

void SuperGameView::OnResultBtnContinue() {
  if (!CheckLoseLimit()) {
    if (ResultLayer* screen = GetResultScreen()) screen->GiveBackAction();
    return;
  }
  m_iContinuedHands = ddz::os::SaturatingAdd(m_iContinuedHands, 1);
  RemoveResultScreen();
  ResetTable();
  if (m_GlobalInfo.iSmallBtnType < 1 && !IsSinglePlayer()) {
    cocos2d::log("OnResultBtnContinue SendEscapeReq");
    SendEscapeReq(0);
  } else {
    SendReadyReq();
  }
  LowerResultLock();
  if (m_pTopUI != nullptr) m_pTopUI->SetBtnOnState(1);
}

void SuperGameView::OnResultBtnQuit() {
  LowerResultLock();
  m_iContinuedHands = 0;
  QuitGame(nullptr);
}

// ---------------------------------------------------------------- jackpot and awards

void SuperGameView::CallBackJackPotNotice(char* msg, int len) {
  // Each kind is read as far as its own last field.
  if (msg == nullptr || len < kJackpotKindSize) {
    cocos2d::log("SuperGameView::CallBackJackPotNotice: notice of length %d dropped", len);
    return;
  }
  const int kind = ByteAt(msg, kJackpotKind);
  const int need = kind == kJackpotAward ? kJackpotAwardSize : kind == kJackpotYuanbaoChange ? kJackpotChangeSize : 0;
  if (need == 0) return;
  if (len < need) {
    cocos2d::log("SuperGameView::CallBackJackPotNotice: kind %d of length %d is shorter than %d, dropped", kind, len,
                 need);
    return;
  }
  const int amount = BigEndianAt(msg, kJackpotAmount);
  AniManage* anis = GetAniManage();
  if (kind == kJackpotAward) {
    if (anis != nullptr) anis->ShowAni(new AniTaskCompete(this), false, true);
    ShowAwardAni(2, 1, amount);
    if (ByteAt(msg, kJackpotFirstYb) == 1) {
      int checkApk = 0;
      GetConfValue(&checkApk, "yx_zizhi_check_apk", "agent.txt", "agent_info", 0);
      if (YndLocalData::sharedLocalData()->getIntegerForKey("key_lobby_show_mall", 1) == 1 && checkApk == 0)
        addChild(FirstGetYBTips::create(), kZFirstYuanbaoTips);
      const PlayerNode* self = GetPlayerNode(kOwnSeat);
      if (m_pTalkTip != nullptr && self != nullptr && self->iLevel < 2)
        m_pTalkTip->TalkFreeTxt(kOwnSeat, GameText(kTextFirstYuanbao));
    }
    return;
  }
  variantnotice::JackpotYuanbaoChange(*this, amount);
  if (anis != nullptr) anis->ShowAni(new AniTaskCompete(this), false, true);
}

void SuperGameView::ShowAwardAni(int awardId, int kind, int amount) {
  if (AniManage* anis = GetAniManage()) anis->ShowAni(AniManageShowAward::Create(awardId, kind, amount, this), true, true);
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (kind == 0) {
    if (self != nullptr) self->iMoney = ddz::os::SaturatingAdd(self->iMoney, amount);
    m_GlobalInfo.iMoney = ddz::os::SaturatingAdd(m_GlobalInfo.iMoney, amount);
  } else if (kind == 1) {
    if (self != nullptr) self->iYuanBao = ddz::os::SaturatingAdd(self->iYuanBao, amount);
    m_GlobalInfo.iYuanBao = ddz::os::SaturatingAdd(m_GlobalInfo.iYuanBao, amount);
  }
  if (m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(self);
}

void SuperGameView::OnAwardEnd(int) {
  PlayerNode* self = GetPlayerNode(kOwnSeat);
  if (self != nullptr) {
    self->iMoney = m_GlobalInfo.iMoney;
    self->iYuanBao = m_GlobalInfo.iYuanBao;
    if (m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat && m_pPlayerGameInfo[kOwnSeat] != nullptr)
      m_pPlayerGameInfo[kOwnSeat]->ShowPlayerMoneInfo(true, self->iMoney, g_ptPlayerMoneyPos[kOwnSeat], false);
  }
  if (m_pBottomUI != nullptr) {
    m_pBottomUI->SetYBNum(m_GlobalInfo.iYuanBao);
    m_pBottomUI->SetMoneyNum(m_GlobalInfo.iMoney, false);
  }
}

// ---------------------------------------------------------------- the special rules

void SuperGameView::ShowSpecialRules(bool manual) {
  if (cocos2d::Node* old = getChildByTag(kSpecialRuleTag)) old->removeFromParent();
  SpecialRuleLayer* layer = SpecialRuleLayer::create();
  if (layer == nullptr) return;
  layer->SetRules(m_iPlayerCountMode, m_SpecialRules);
  layer->setTag(kSpecialRuleTag);
  addChild(layer, kZSpecialRules);
  if (!manual) {
    layer->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(kSpecialRuleSeconds),
                                               cocos2d::CallFunc::create([layer, this] {
                                                 YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(layer, this);
                                               }),
                                               nullptr));
  }
}

// ---------------------------------------------------------------- the re-login snapshot

void SuperGameView::CallBackAgainLogin(char* msg, int len) {
  if (msg == nullptr || len < kReloginSize) {
    cocos2d::log("SuperGameView::CallBackAgainLogin: snapshot of length %d is shorter than %d, dropped", len,
                 kReloginSize);
    return;
  }
  if (!m_bTableBuilt || OwnChair() < 0) {
    cocos2d::log("SuperGameView::CallBackAgainLogin: no table or no own chair, snapshot dropped");
    return;
  }
  const int landlordChair = static_cast<signed char>(msg[kSnapLandlord]);
  const int landlord = landlordChair >= 0 ? SeatOfChair(landlordChair, "CallBackAgainLogin") : -1;
  if (landlordChair >= 0 && landlord < 0) return;
  const bool callRob = m_iPlayerCountMode != ddz::PlayerCountMode::ThreeSeat;
  if (callRob && m_pSuperTopUI != nullptr) m_pSuperTopUI->ShowTimesBoard();
  ResetTable();
  m_bHandRunning = true;
  m_iGameState = 1;
  m_iAmountCap = BigEndianAt(msg, kSnapCap);
  const bool shownHand = ByteAt(msg, kSnapShown) == 1;
  if (callRob && shownHand && landlord >= 0) {
    if (landlord != kOwnSeat && m_pMingCard[landlord] != nullptr) {
      AddTableWidget(m_pMingCard[landlord], 1);
      m_pMingCard[landlord]->setVisible(true);
    }
    m_iShownHandSeat = landlord;
  }
  if (callRob) {
    const int fee = BigEndianAt(msg, kSnapFee);
    for (int seat = 0; seat < 3; ++seat) {
      PlayerNode* player = GetPlayerNode(seat);
      if (player == nullptr) continue;
      player->iMoney = ddz::os::SaturatingSub(player->iMoney, fee);
      if (m_pPlayerGameInfo[seat] != nullptr)
        m_pPlayerGameInfo[seat]->ShowPlayerMoneInfo(true, player->iMoney, g_ptPlayerMoneyPos[PlaceOf(seat)], false);
    }
  }
  const int chairs = m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat ? 2 : 3;
  for (int chair = 0; chair < chairs; ++chair) {
    const int seat = SeatOfChair(chair, "CallBackAgainLogin");
    if (seat < 0) continue;
    m_TableItem.iPointDemand[seat] = static_cast<signed char>(msg[kSnapDemand + chair]);
    SpriteCardManage* hand = Row(m_pHandCard[seat]);
    SpriteCardManage* shown = Row(m_pMingCard[seat]);
    for (int i = 0; i < kCardsPerChair; ++i) {
      const std::uint8_t byte = ByteAt(msg, kSnapHands + kCardsPerChair * chair + i);
      if (byte == 0 || (static_cast<signed char>(byte) < 0 && ddz::CardByteToCode(byte) < 0)) continue;
      const int code = ddz::CardByteToCode(byte);
      if (seat == kOwnSeat) {
        if (code >= 0 && hand != nullptr) hand->AddCard(code, false, false, true, -1, false, false);
      } else {
        if (hand != nullptr) hand->AddCard(0, true, false, true, -1, false, false);
        if (seat == m_iShownHandSeat && shown != nullptr && code >= 0) shown->AddCard(code, false, false, true, -1, false, true);
      }
    }
  }
  if (landlord < 0) {
    for (int seat = 0; seat < 3; ++seat) {
      if (m_pPlayerGameInfo[seat] == nullptr) continue;
      const Vec2 at = g_ptPlayerInfoBG[PlaceOf(seat)] + (PlaceOf(seat) == kOpponentPlace ? Vec2(0, 40) : Vec2::ZERO);
      m_pPlayerGameInfo[seat]->ShowPoint(true, m_TableItem.iPointDemand[seat], at);
    }
    if (m_pBaseCard != nullptr)
      for (int i = 0; i < 3; ++i) m_pBaseCard->AddCard(0, true, true);
  } else {
    if (callRob) {
      for (int seat = 0; seat < 3; ++seat)
        if (m_pPlayerGameInfo[seat] != nullptr && m_TableItem.iPointDemand[seat] == kDoubledDemand)
          m_pPlayerGameInfo[seat]->ShowAddPound(true, g_ptPlayerJiaBeiPos[PlaceOf(seat)]);
    }
    m_TableItem.iLandOwnerPos = landlord;
    if (m_pPlayerGameInfo[landlord] != nullptr) {
      const int place = PlaceOf(landlord);
      m_pPlayerGameInfo[landlord]->ShowLandOwner(
          true, place == kOpponentPlace ? g_ptSRLandOwner[kOpponentPlace] : g_ptLandOwner[landlord], true);
    }
    const int ownerChair = static_cast<signed char>(msg[kSnapTableOwner]);
    int owner = ownerChair >= 0 ? SeatOfChair(ownerChair, "CallBackAgainLogin") : -1;
    std::vector<int> table;
    for (int i = 0; i < kCardsPerChair; ++i) {
      const std::uint8_t byte = ByteAt(msg, kSnapTable + i);
      const int code = byte != 0 ? ddz::CardByteToCode(byte) : -1;
      if (code >= 0) table.push_back(code);
    }
    if (table.empty() || owner < 0) owner = landlord;
    m_TableItem.iTableCardOwnerPos = owner;
    m_TableItem.vcTableCardIndex = table;
    m_iTablePlayType = static_cast<signed char>(msg[kSnapTableType]);
    if (SpriteCardManage* row = Row(m_pSendCard[owner])) {
      std::array<bool, kWildPairs> taken{};
      for (int code : table) {
        int mark = -1;
        if (m_iPlayerCountMode != ddz::PlayerCountMode::TwoSeat) {
          for (int p = 0; p < kWildPairs; ++p) {
            const std::uint8_t matched = ByteAt(msg, kSnapMatched + p);
            if (taken[p] || matched == 0 || ddz::CardByteToCode(matched) != code) continue;
            mark = ddz::CardByteToCode(ByteAt(msg, kSnapSubstitutes + p));
            taken[p] = true;
            break;
          }
        }
        row->AddCard(code, false, false, true, mark, false, false);
      }
      if (auto* send = dynamic_cast<SendCard*>(row)) {
        send->ArrangeByCardType(static_cast<signed char>(msg[kSnapTableType]), static_cast<signed char>(msg[kSnapTableValue]));
        if (owner == kOwnSeat) send->ResetCardsPos();
      }
      if (landlord == owner && row->GetCardCount() > 0) row->SetLandlordMark(row->GetCardCount() - 1, 2);
    }
    m_TableItem.vcBaseCardIndex.clear();
    for (int i = 0; i < 3; ++i) {
      const std::uint8_t byte = ByteAt(msg, kSnapBottom + i);
      const int code = byte != 0 ? ddz::CardByteToCode(byte) : -1;
      if (code >= 0) m_TableItem.vcBaseCardIndex.push_back(code);
    }
    if (m_pBaseCard != nullptr) m_pBaseCard->RemoveAllCard();
    if (m_pSuperTopUI != nullptr) m_pSuperTopUI->ShowBaseCards(m_TableItem.vcBaseCardIndex);
    if (m_iPlayerCountMode == ddz::PlayerCountMode::ThreeSeatWildcard && landlord == kOwnSeat && shownHand)
      if (SuperSelfHandCard* own = GetSelfHand()) own->ShowMingPaiMark();
  }
  // The other hands warn again at one to three cards.
  ArmSideHands(true);
  m_TableItem.iFinalPoint = static_cast<signed char>(msg[kSnapFinalPoint]);
  m_TableItem.iBaseScore = BigEndianAt(msg, kSnapBaseScore);
  m_TableItem.iTimes = BigEndianAt(msg, kSnapTimes);
  if (m_pTopUI != nullptr) {
    m_pTopUI->SetFinalPoint(ddz::os::SaturatingMul(m_TableItem.iBaseScore, m_TableItem.iFinalPoint));
    m_pTopUI->SetTimes(m_TableItem.iTimes, false);
    m_pTopUI->SetBtnOnState(0);
  }
  if (SuperSelfHandCard* own = GetSelfHand()) own->setTouchEnabled(true, false);
  m_TableItem.iSendBombNum = static_cast<signed char>(msg[kSnapBombs]);
  m_TableItem.bSendRocket = msg[kSnapRocket] != 0;
  std::vector<int> played;
  for (int i = 0; i < kSnapPlayedBytes; ++i) {
    const std::uint8_t byte = ByteAt(msg, kSnapPlayed + i);
    if (static_cast<signed char>(byte) <= 0) continue;
    const int code = ddz::CardByteToCode(byte);
    if (code >= 0) played.push_back(code);
  }
  if (m_pTopUI != nullptr) {
    m_pTopUI->AddJPQCard(played);
    m_pTopUI->SetNumVisible(true);
  }
  if (m_pBottomUI != nullptr) m_pBottomUI->SetUIInfo(GetPlayerNode(kOwnSeat));
  if (!IsSinglePlayer()) {
    PutTaskPanel(BigEndianAt(msg, kSnapTaskMainType), BigEndianAt(msg, kSnapTaskSubType),
                 BigEndianAt(msg, kSnapTaskAmount), msg + kSnapTaskRaw);
    // The bottom cards are known: the panel's bottom-card animation has no more to show.
    m_pTaskUI->StopTaskAni();
    // The sub-type's bytes as stored (little-endian) gate the completed mark.
    if (LittleEndianAt(msg, kSnapTaskSubType) > 0 && ByteAt(msg, kSnapTaskDone) > 0) ShowTaskCompete();
  }
  if (m_iPlayerCountMode == ddz::PlayerCountMode::TwoSeat) {
    if (m_pHandSprite != nullptr) m_pHandSprite->setVisible(true);
    EnsureYieldLayer();
  }
}
