#include "widgets/ActivityLayer.h"

#include <algorithm>

#include "platform/engine/Log.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "widgets/ActiveButtons.h"

ActivityLayer* ActivityLayer::create() {
  auto* layer = new ActivityLayer();
  layer->autorelease();
  return layer;
}

void ActivityLayer::onEnter() {
  YndGameLayer::onEnter();
  setTouchEnabled(true);
}

ActiveBtnBase* ActivityLayer::GetActiveBtn(int iType, int iValue) {
  if (ActiveBtnBase* found = FindActiveBtn(iType)) return found;
  ActiveBtnBase* button = nullptr;
  switch (iType) {
    case kTypeTimeWindow: button = new CGActiveBtn(this, iType, iValue); break;
    case kTypeCounter: button = new TVActiveBtn(this, iType, iValue); break;
    case kTypeWeb: button = new WEBActiveBtn(this, iType, iValue); break;
    default:
      cocos2d::log("ActivityLayer: no activity button of type %d", iType);
      return nullptr;
  }
  button->autorelease();
  addChild(button);
  m_vcActiveBtn.push_back(button);
  LayoutButtons();
  return button;
}

ActiveBtnBase* ActivityLayer::FindActiveBtn(int iType) const {
  auto it = std::find_if(m_vcActiveBtn.begin(), m_vcActiveBtn.end(),
                         [iType](const ActiveBtnBase* b) { return b->GetType() == iType; });
  return it != m_vcActiveBtn.end() ? *it : nullptr;
}

void ActivityLayer::RemoveActiveBtn(int iType) {
  auto it = std::find_if(m_vcActiveBtn.begin(), m_vcActiveBtn.end(),
                         [iType](const ActiveBtnBase* b) { return b->GetType() == iType; });
  if (it != m_vcActiveBtn.end()) {
    ActiveBtnBase* button = *it;
    m_vcActiveBtn.erase(it);
    Discard(button);
  }
  LayoutButtons();
}

void ActivityLayer::RemoveAll() {
  std::vector<ActiveBtnBase*> buttons;
  buttons.swap(m_vcActiveBtn);
  for (ActiveBtnBase* button : buttons) Discard(button);
}

void ActivityLayer::HideAllTips() {
  for (ActiveBtnBase* button : m_vcActiveBtn) button->HideTips();
}

void ActivityLayer::Discard(ActiveBtnBase* button) {
  // Still a child until the deferred removal: quiet and hidden from now on.
  button->HideTips();
  button->unscheduleAllCallbacks();
  button->stopAllActions();
  button->setVisible(false);
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(button, this);
}

void ActivityLayer::LayoutButtons() {
  for (std::size_t k = 0; k < m_vcActiveBtn.size(); ++k) {
    m_vcActiveBtn[k]->setPosition(kButtonSpacing * static_cast<float>(k), 0);
    m_vcActiveBtn[k]->setLocalZOrder(-static_cast<int>(k));
  }
}
