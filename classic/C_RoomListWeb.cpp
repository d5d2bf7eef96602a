// C_RoomListLayer: the lobby's web-view returns, the web replies 20034 and
// 20047, and the two invitation buttons they show.
#include <cstring>
#include <functional>
#include <utility>
#include <string_view>

#include "classic/C_RoomListLayer.h"
#include "classic/LobbyBalanceReturn.h"
#include "classic/RoomUI.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"

using cocos2d::Vec2;

namespace {

constexpr float kInviteY = 120;
constexpr float kInviteNearEdge = 100;
constexpr float kInviteBeside = 300;

float InviteX(float fromRight) { return static_cast<float>(BasePT::g_iWindowWidth) - fromRight; }

}  // namespace

// ---------------------------------------------------------------- the lobby's returns

void C_RoomListLayer::CallbackWebReturnParam(const char* param) {
  cocos2d::log("C_RoomListLayer,CallbackWebReturnParam[%s]", param != nullptr ? param : "");
  if (param == nullptr || param[0] == '\0') return;
  (void)ApplyLobbyBalanceReturn(std::string_view(param, strnlen(param, 4096)));
}

// ---------------------------------------------------------------- the web replies

void C_RoomListLayer::SendWebQueries() {
  CompeteWebMsg* web = CompeteWebMsg::shareCompeteWebMsg();
  web->SendEnterCompeteQuery(this);
  const GameSceneBase* scene = GameSceneBase::m_pGameScene;
  web->QueryFdLogicData(false, this,
                        scene != nullptr ? scene->GetLoginUserID() : GameViewBase::m_GlobalInfo.iUserID);
}

// A reply is taken only when it is 'S' and holds its fields; anything else
// changes nothing, not even the time of the last answer.
void C_RoomListLayer::CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error) {
  RoomListLayer::CallBackAsyncHttpRes(reply, len, request, msgId, error);
  if (error != 0) return;
  if (msgId == CompeteWebMsg::kMsgEnterCompete) {
    std::int32_t invite = 0;
    if (!CompeteWebMsg::ReadEnterCompeteReply(reply, len, invite)) {
      cocos2d::log("C_RoomListLayer: reply %d of %d bytes refused", msgId, len);
      return;
    }
    DdzCompete::getInstance()->AcceptInviteReply(reply, len, error);
    ShowEnterCompetePopup();
  } else if (msgId == CompeteWebMsg::kMsgFdLogicData) {
    if (!FdLogicData::shareFdLogicData()->AcceptReply(reply, len, ddz::CompeteTimeNow())) {
      cocos2d::log("C_RoomListLayer: reply %d of %d bytes refused", msgId, len);
      return;
    }
    ShowEnterPYJPopup();
  }
}

// ---------------------------------------------------------------- the invitation buttons

void C_RoomListLayer::ShowEnterCompetePopup() { UpdateCompeteButton(DdzCompete::getInstance()->m_iInviteCompete); }

void C_RoomListLayer::ShowEnterPYJPopup() { UpdatePYJButton(FdLogicData::shareFdLogicData()->m_iEntryFlag); }

cocos2d::ui::Button* C_RoomListLayer::AddInviteButton(const char* image, float x,
                                                     std::function<void(cocos2d::Ref*)> click) {
  auto* button = cocos2d::ui::Button::create(image, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  button->setPosition(Vec2(x, kInviteY));
  button->addClickEventListener(std::move(click));
  addChild(button, kZQuickStart);
  return button;
}

void C_RoomListLayer::UpdateCompeteButton(int flag) {
  if (!isRunning()) return;
  if (flag == 1 && m_iGameID == m_iInviteGameID) {
    if (m_pQuickStartBtn != nullptr) m_pQuickStartBtn->setVisible(false);
    if (m_pCompeteBtn == nullptr) {
      m_pCompeteBtn = AddInviteButton("qorvddz_enterCompete_bg.png", InviteX(kInviteNearEdge),
                                      [this](cocos2d::Ref* sender) { OnCompeteInvitation(sender); });
      if (cocos2d::Sprite* word = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_enterCompete_game_word.png")) {
        word->setPosition(Vec2(86, 24));
        m_pCompeteBtn->addChild(word, 1);
      }
    }
  } else if (m_pCompeteBtn != nullptr) {
    m_pCompeteBtn->removeFromParent();
    m_pCompeteBtn = nullptr;
  }
  if (m_pPYJBtn != nullptr && m_pPYJBtn->isRunning()) {
    m_pPYJBtn->setPosition(Vec2(InviteX(m_pCompeteBtn != nullptr ? kInviteBeside : kInviteNearEdge), kInviteY));
  }
  ShowQuickStartUnlessInvited();
}

// The quick start gives way to the invitations and comes back when both are gone.
void C_RoomListLayer::ShowQuickStartUnlessInvited() {
  if (m_pQuickStartBtn != nullptr && m_pCompeteBtn == nullptr && m_pPYJBtn == nullptr)
    m_pQuickStartBtn->setVisible(true);
}

void C_RoomListLayer::UpdatePYJButton(int flag) {
  if (!isRunning()) return;
  if (flag == 1 && m_iGameID == m_iInviteGameID) {
    if (m_pQuickStartBtn != nullptr) m_pQuickStartBtn->setVisible(false);
    if (m_pPYJBtn == nullptr) {
      m_pPYJBtn = AddInviteButton("qorvddz_enterPYJ_bg.png",
                                  InviteX(m_pCompeteBtn != nullptr ? kInviteBeside : kInviteNearEdge),
                                  [this](cocos2d::Ref* sender) { OnPYJInvitation(sender); });
    }
  } else if (m_pPYJBtn != nullptr) {
    m_pPYJBtn->removeFromParent();
    m_pPYJBtn = nullptr;
  }
  ShowQuickStartUnlessInvited();
}

void C_RoomListLayer::OnCompeteInvitation(cocos2d::Ref*) {
  if (GameSceneBase::m_pGameScene != nullptr) GameSceneBase::m_pGameScene->SwitchGameKind(kCompeteGameID);
}

void C_RoomListLayer::OnPYJInvitation(cocos2d::Ref*) {
  FdLogicData* data = FdLogicData::shareFdLogicData();
  data->m_iEntryClicked = 1;
  if (RoomListLayer* list = shareRoomListLayer(nullptr)) list->QuitInner(nullptr);
  data->m_iEntryClicked = 0;
}
