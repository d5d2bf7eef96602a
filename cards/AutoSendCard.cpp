#include "cards/AutoSendCard.h"

#include "cardlogic/CompeteMessages.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/SelfHandOwner.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"

namespace {

constexpr const char* kFrameAutoPlayTip = "ddzcompete_tips_tuoguan.png";

}  // namespace

AutoSendCard::AutoSendCard(CompeteSelfHandCard* owner) : YndGameLayer(nullptr), m_pOwner(owner) {}

void AutoSendCard::onEnter() {
  YndGameLayer::onEnter();
  // Attached again after the player came back: the veil and tip are there.
  if (m_pVeil == nullptr) {
    m_pVeil = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, kVeilOpacity));
    addChild(m_pVeil);
    m_pTip = cocos2d::Sprite::createWithSpriteFrameName(kFrameAutoPlayTip);
    if (m_pTip != nullptr) {
      m_pTip->setPosition(kTipX, kTipY);
      addChild(m_pTip);
    }
  }
  LieOnTheWindow();
  setTouchMode(cocos2d::Touch::DispatchMode::ONE_BY_ONE);
  setTouchEnabled(true, false);
  SendAutoPlayState(true);
}

void AutoSendCard::onExit() {
  YndGameLayer::onExit();
  SendAutoPlayState(false);
}

void AutoSendCard::LieOnTheWindow() {
  const cocos2d::Node* parent = getParent();
  if (parent == nullptr) return;
  // The hand that holds the overlay stands somewhere on the table: undo its
  // place and scale, so that the veil is the window and the tip stands at
  // its window point.
  const cocos2d::Vec2 origin = parent->convertToNodeSpace(cocos2d::Vec2::ZERO);
  const cocos2d::Vec2 unit = parent->convertToNodeSpace(cocos2d::Vec2(1, 1));
  if (unit.x != origin.x && unit.y != origin.y) setScale(unit.x - origin.x, unit.y - origin.y);
  // The layer scales about its anchor: move it by what its corner still lies off.
  setPosition(getPosition() + origin - parent->convertToNodeSpace(convertToWorldSpace(cocos2d::Vec2::ZERO)));
}

bool AutoSendCard::onTouchBegan(cocos2d::Touch*, cocos2d::Event*) {
  if (m_pOwner != nullptr) m_pOwner->SetAutoPlayCount(0);
  // Not inside the dispatch: the overlay leaves in the frame's removal phase.
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
  return true;
}

void AutoSendCard::SendAutoPlayState(bool on) {
  GameViewBase* view = GameSceneBase::m_pGameView;
  if (view == nullptr) {
    cocos2d::log("AutoSendCard: no table view, auto-play %s not sent", on ? "on" : "off");
    return;
  }
  ddz::compete::Message msg = ddz::compete::BuildAutoPlayRequest(on);
  const int len = static_cast<int>(msg.size());
  // A table view sends the hands' requests through its own-hand side, which
  // hands them to the game base's send.
  if (auto* owner = dynamic_cast<ISelfHandOwner*>(view))
    owner->SendHandMessage(msg.data(), ddz::compete::MsgType::AutoPlay, len);
  else
    view->SendMsgToMainSocket(msg.data(), ddz::compete::MsgType::AutoPlay, len);
}
