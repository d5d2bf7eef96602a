#include "widgets/TopUIBase.h"

#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "table/DDZGameView.h"
#include "widgets/TalkLayer.h"

namespace ddz::chat {

TalkFaceMsg MakeTalkFaceMsg(int index, int chair) {
  TalkFaceMsg msg{};
  msg[8] = static_cast<std::uint8_t>(index & 0xff);
  msg[9] = static_cast<std::uint8_t>(chair & 0xff);
  return msg;
}

void SendTalkFaceMsg(GameViewBase* view, int type, int index) {
  if (view == nullptr) {
    cocos2d::log("SendTalkFaceMsg: no table view, request %d dropped", type);
    return;
  }
  TalkFaceMsg msg = MakeTalkFaceMsg(index, GameViewBase::m_GlobalInfo.iChairID);
  view->SendMsgToMainSocket(msg.data(), type, kTalkFaceMsgSize);
}

}  // namespace ddz::chat

TopUIBase::TopUIBase(DDZGameView* pGameView) : m_pGameView(pGameView) {}

TopUIBase::~TopUIBase() {
  if (m_pTalkLayer != nullptr) {
    if (m_pTalkLayer->getParent() != nullptr) m_pTalkLayer->removeFromParentAndCleanup(true);
    m_pTalkLayer->release();
    m_pTalkLayer = nullptr;
  }
}

void TopUIBase::SetFinalPoint(int) {}
void TopUIBase::SetTimes(int, bool) {}
void TopUIBase::AddJPQCard(std::vector<int>) {}
void TopUIBase::ClearJQPCard() {}
void TopUIBase::ShowCardCounter(bool) {}
void TopUIBase::SetNumVisible(bool) {}
void TopUIBase::SetBtnOnState(int) {}

void TopUIBase::OnSendTalkMsg(int iTalkIndex) { ddz::chat::SendTalkFaceMsg(m_pGameView, ddz::chat::kMsgTalk, iTalkIndex); }

void TopUIBase::OnSendFaceMsg(int iFaceIndex) { ddz::chat::SendTalkFaceMsg(m_pGameView, ddz::chat::kMsgFace, iFaceIndex); }

void TopUIBase::CloseOtherWin(int iOpenLayer) {
  for (int popup = 0; popup < kPopupCount; ++popup) {
    if (popup == iOpenLayer) continue;
    if (popup == kTalkPopup && m_pTalkLayer != nullptr && m_pTalkLayer->isRunning())
      YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pTalkLayer, this);
  }
}

void TopUIBase::SetTalkBtnEnabled(bool bShow) {
  if (m_pTopBtn[kTalkBtn] != nullptr) m_pTopBtn[kTalkBtn]->setEnabled(bShow);
}

void TopUIBase::SetCardCountBtnEnabled(bool bShow) {
  if (m_pTopBtn[kCardCounterBtn] != nullptr) m_pTopBtn[kCardCounterBtn]->setEnabled(bShow);
}

void TopUIBase::SetTopBtnsEnabled(bool bEnabled) {
  if (!isRunning()) return;
  for (int i : {kTalkBtn, kCardCounterBtn, kSetBtn})
    if (m_pTopBtn[i] != nullptr && m_pTopBtn[i]->isRunning()) m_pTopBtn[i]->setEnabled(bEnabled);
}

void TopUIBase::CallBackSendTalk() { LockTalkBtn(); }

cocos2d::ui::Button* TopUIBase::GetTopBtn(int index) const {
  return index >= 0 && index < kTopBtnCount ? m_pTopBtn[index] : nullptr;
}

TalkLayer* TopUIBase::EnsureTalkLayer() {
  if (m_pTalkLayer == nullptr) {
    m_pTalkLayer = TalkLayer::create(this);
    m_pTalkLayer->retain();
    m_pTalkLayer->SetNeedDiableOtherTouch(true);
  }
  return m_pTalkLayer;
}

void TopUIBase::LockTalkBtn() {
  if (m_pTopBtn[kTalkBtn] != nullptr) m_pTopBtn[kTalkBtn]->setEnabled(false);
  unschedule(kReEnableTalkKey);
  scheduleOnce([this](float dt) { ReEnableTalkBtn(dt); }, kTalkLockSeconds, kReEnableTalkKey);
}

void TopUIBase::ReEnableTalkBtn(float) {
  if (m_pTopBtn[kTalkBtn] != nullptr) m_pTopBtn[kTalkBtn]->setEnabled(true);
  unschedule(kReEnableTalkKey);
}
