#include "platform/gamebase/GameMsgBox.h"

#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Scene.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Node;
using cocos2d::Ref;

namespace {

GameMsgBox* g_pMessageBox = nullptr;

const char* const kCloseKey = "GameMsgBox.close";
const char* const kSystemFont = "微软雅黑";

// Types that ask a question: a confirm and a cancel button.
bool IsQuestion(int type) { return type == 0 || type == 11; }
// Types with a confirm button even without an action.
bool HasConfirm(int type) { return IsQuestion(type) || type == 1; }

}  // namespace

GameMsgBox* GameMsgBox::shareMessageBox() {
  if (g_pMessageBox == nullptr) g_pMessageBox = new GameMsgBox();
  return g_pMessageBox;
}

void GameMsgBox::destroyMessageBox() {
  if (g_pMessageBox == nullptr) return;
  GameMsgBox* box = g_pMessageBox;
  g_pMessageBox = nullptr;
  box->Close();
  box->release();
}

GameMsgBox::GameMsgBox() : YndGameLayer(nullptr) {}

void GameMsgBox::ShowMessage(const char* text, int type, Ref* target, cocos2d::SEL_MenuHandler okAction,
                             cocos2d::SEL_MenuHandler cancelAction, float seconds, int flag, bool modal,
                             Node* parent) {
  Close();
  Detach();
  m_strText = text != nullptr ? text : "";
  m_iType = type;
  m_fSeconds = seconds;
  m_iFlag = flag;
  m_bModal = modal;
  m_okAction = target != nullptr ? okAction : nullptr;
  m_cancelAction = target != nullptr ? cancelAction : nullptr;
  m_pTarget = target;
  if (m_pTarget != nullptr) m_pTarget->retain();
  m_bOpen = true;
  ++m_iShowCount;
  cocos2d::log("GameMsgBox::ShowMessage type[%d] [%s]", type, m_strText.c_str());

  // The face: a solid panel above the own hand (nothing of the table shows
  // through it), the text in its upper part, the buttons along its foot. The button faces come from the table's sheet
  // when it is loaded, else a plain box stands behind the word.
  const float cx = static_cast<float>(BasePT::g_iWindowWidth / 2);
  const float cy = static_cast<float>(BasePT::g_iWindowHeight / 2) + kPanelRise;
  auto* panel = cocos2d::LayerColor::create(cocos2d::Color4B(18, 28, 44, 255), kPanelWidth, kPanelHeight);
  panel->setPosition(cx - kPanelWidth / 2, cy - kPanelHeight / 2);
  addChild(panel, 0);
  auto* rim = cocos2d::DrawNode::create();
  rim->drawRect(cocos2d::Vec2(cx - kPanelWidth / 2, cy - kPanelHeight / 2),
                cocos2d::Vec2(cx + kPanelWidth / 2, cy + kPanelHeight / 2), cocos2d::Color4F(0.8f, 0.67f, 0.35f, 1));
  addChild(rim, 0);
  m_pLabel = cocos2d::Label::createWithSystemFont(m_strText, kSystemFont, 26, cocos2d::Size(kPanelWidth - 60, 150),
                                                  cocos2d::TextHAlignment::CENTER, cocos2d::TextVAlignment::CENTER);
  m_pLabel->setPosition(cx, cy + 40);
  addChild(m_pLabel, 1);

  const bool confirm = HasConfirm(type) || m_okAction != nullptr;
  const bool cancel = IsQuestion(type) || m_cancelAction != nullptr;
  auto makeButton = [this](const char* title, bool isConfirm) {
    const bool faced = cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(kButtonFace) != nullptr;
    cocos2d::ui::Button* button =
        faced ? cocos2d::ui::Button::create(kButtonFace, "", "", cocos2d::ui::Widget::TextureResType::PLIST)
              : cocos2d::ui::Button::create();
    if (!faced) {
      button->setContentSize(cocos2d::Size(160, 60));
      auto* box = cocos2d::LayerColor::create(cocos2d::Color4B(60, 90, 140, 255), 160, 60);
      button->addChild(box, -1);
    }
    button->setTitleText(title);
    button->setTitleFontSize(28);
    button->setTouchEnabled(true);
    button->addClickEventListener([this, isConfirm](Ref*) { Press(isConfirm); });
    addChild(button, 2);
    return button;
  };
  if (confirm) m_pOkButton = makeButton("确定", true);
  if (cancel) m_pCancelButton = makeButton("取消", false);
  const float buttonsY = cy - kPanelHeight / 2 + 55;
  if (m_pOkButton && m_pCancelButton) {
    m_pOkButton->setPosition(cx - 130, buttonsY);
    m_pCancelButton->setPosition(cx + 130, buttonsY);
  } else if (m_pOkButton) {
    m_pOkButton->setPosition(cx, buttonsY);
  } else if (m_pCancelButton) {
    m_pCancelButton->setPosition(cx, buttonsY);
  }
  SetNeedDiableOtherTouch(modal);

  if (parent == nullptr) parent = dynamic_cast<Node*>(target);
  if (parent == nullptr) parent = cocos2d::Director::getInstance()->getRunningScene();
  if (parent != nullptr) {
    parent->addChild(this, kZOrder);
  } else {
    cocos2d::log("GameMsgBox::ShowMessage: no scene to show the box on");
  }
  if (seconds > 0.0f) scheduleOnce([this](float) { Close(); }, seconds, kCloseKey);
}

void GameMsgBox::CloseDialog(float delay) {
  if (!m_bOpen) return;
  if (delay <= 0.0f) {
    Close();
    return;
  }
  scheduleOnce([this](float) { Close(); }, delay, kCloseKey);
}

bool GameMsgBox::PressConfirm() {
  if (!m_bOpen || m_pOkButton == nullptr) return false;
  Press(true);
  return true;
}

bool GameMsgBox::PressCancel() {
  if (!m_bOpen || m_pCancelButton == nullptr) return false;
  Press(false);
  return true;
}

void GameMsgBox::Press(bool confirm) {
  if (!m_bOpen) return;
  Ref* target = m_pTarget;
  cocos2d::SEL_MenuHandler action = confirm ? m_okAction : m_cancelAction;
  // Keep the owner alive across the close; the action may show the next box.
  if (target != nullptr) target->retain();
  retain();
  Close();
  if (target != nullptr && action != nullptr) (target->*action)(this);
  release();
  if (target != nullptr) target->release();
}

void GameMsgBox::Close() {
  if (!m_bOpen) return;
  m_bOpen = false;
  unschedule(kCloseKey);
  SetNeedDiableOtherTouch(false);
  Detach();
  ReleaseTarget();
}

void GameMsgBox::Detach() {
  // A button may be closing the box from its own click: its node lives on
  // until the end of the frame.
  for (Node* child : getChildren()) {
    child->retain();
    child->autorelease();
  }
  removeAllChildren();
  m_pLabel = nullptr;
  m_pOkButton = nullptr;
  m_pCancelButton = nullptr;
  if (getParent() != nullptr) {
    retain();  // the shared box outlives its parent
    removeFromParentAndCleanup(true);
    release();
  }
}

void GameMsgBox::ReleaseTarget() {
  m_okAction = nullptr;
  m_cancelAction = nullptr;
  if (m_pTarget != nullptr) {
    Ref* target = m_pTarget;
    m_pTarget = nullptr;
    target->release();
  }
}

void GameMsgBox::onExit() {
  YndGameLayer::onExit();
  // The node the box stood on went away: the box closes, nothing runs.
  if (m_bOpen) {
    m_bOpen = false;
    unschedule(kCloseKey);
    m_pOkButton = nullptr;
    m_pCancelButton = nullptr;
    ReleaseTarget();
  }
}
