#include "variants/VariantNotices.h"

#include <cstdint>

#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Saturate.h"
#include "table/DDZGameView.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/TableNotices.h"
#include "widgets/TalkLayer.h"

namespace variantnotice {
namespace {

using namespace tablenotice;

bool LongEnough(const char* msg, int len, int need, const char* what) {
  if (msg != nullptr && len >= need) return true;
  cocos2d::log("%s: notice of length %d is shorter than %d, dropped", what, len, need);
  return false;
}

}  // namespace

void QuickChat(DDZGameView& view, const VariantSeats& seats, const char* msg, int len) {
  if (!LongEnough(msg, len, kUrgeSize, "CallBackUrgrCard")) return;
  const int seat = seats.SeatOfChair(static_cast<std::uint8_t>(msg[kUrgeChair]), "CallBackUrgrCard");
  const int phrase = static_cast<signed char>(msg[kUrgeKind]);
  if (seat < 0 || phrase < 0 || phrase >= kUrgePhrases || view.m_pTalkTip == nullptr) return;
  view.m_pTalkTip->Talk(seat, seats.SeatHeadId(seat), phrase);
}

void RedPacket(DDZGameView& view, const char* msg, int len) {
  if (!LongEnough(msg, len, kHongBaoKindSize, "CallBackHongBaoNotice")) return;
  const int kind = ddz::LittleEndianAt(msg, kHongBaoKind);
  AniBase* guide = nullptr;
  if (kind == kHongBaoMoneyKind) {
    if (!LongEnough(msg, len, kHongBaoMoneySize, "CallBackHongBaoNotice")) return;
    const int yuanbao = ddz::LittleEndianAt(msg, kHongBaoYuanbao);
    const int money = ddz::LittleEndianAt(msg, kHongBaoMoney);
    if (PlayerNode* self = view.GetPlayerNode(DDZGameView::kOwnSeat)) {
      self->iMoney = ddz::os::SaturatingAdd(self->iMoney, money);
      GameViewBase::m_GlobalInfo.iMoney = self->iMoney;
      if (view.m_pBottomUI != nullptr) view.m_pBottomUI->SetMoneyNum(self->iMoney, false);
      AddOwnYuanbao(view, yuanbao);
    }
    guide = new AniPrizeGuide(kGuideMoney, yuanbao, money);
  } else if (kind == kHongBaoMedalA) {
    guide = new AniPrizeGuide(kGuideMedalA, 0, 0);
  } else if (kind == kHongBaoMedalB) {
    guide = new AniPrizeGuide(kGuideMedalB, 0, 0);
  }
  if (guide == nullptr) return;
  if (AniManage* anis = view.GetAniManage()) {
    anis->ShowAni(guide, false, true);
  } else {
    guide->release();
  }
}

void SetMoneyInfo(DDZGameView& view, int money, int yuanbao) {
  GameViewBase::m_GlobalInfo.iMoney = money;
  GameViewBase::m_GlobalInfo.iYuanBao = yuanbao;
  if (view.m_pBottomUI != nullptr) {
    view.m_pBottomUI->SetYBNum(yuanbao);
    view.m_pBottomUI->SetMoneyNum(money, false);
  }
}

void AddOwnYuanbao(DDZGameView& view, int n) {
  PlayerNode* self = view.GetPlayerNode(DDZGameView::kOwnSeat);
  if (self == nullptr) return;
  self->iYuanBao = ddz::os::SaturatingAdd(self->iYuanBao, n);
  GameViewBase::m_GlobalInfo.iYuanBao = self->iYuanBao;
  if (view.m_pBottomUI != nullptr) view.m_pBottomUI->SetYBNum(self->iYuanBao);
}

void JackpotYuanbaoChange(DDZGameView& view, int amount) {
  if (amount != 0) {
    AddOwnYuanbao(view, amount);
    return;
  }
  GameMsgBox::shareMessageBox()->ShowMessage(GameText(kTextNoJackpotYuanbao).c_str(), 5, &view, nullptr, nullptr,
                                             2.0f, 1, true, nullptr);
}

WEBActiveBtn* WebActivityButton(ActivityLayer* bar) {
  if (bar == nullptr) return nullptr;
  auto* web = dynamic_cast<WEBActiveBtn*>(bar->GetActiveBtn(ActivityLayer::kTypeWeb));
  if (web != nullptr && web->GetState() == -1) web->ShowWord();
  return web;
}

bool RefuseWithoutLocalServer(DDZGameView& view, const std::string& text) {
  if (!GameViewBase::IsSinglePlayer() || view.GetSingleServer() != nullptr) return false;
  cocos2d::log("the table has no single-player game: the box says so and its button leaves");
  GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), 1, &view,
                                             static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
  return true;
}

}  // namespace variantnotice
