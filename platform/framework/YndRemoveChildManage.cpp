#include "platform/framework/YndRemoveChildManage.h"

#include "platform/engine/Director.h"
#include "platform/engine/Node.h"
#include "platform/os/Log.h"

YndRemoveChildManage* YndRemoveChildManage::sharedRemoveChildManage() {
  static YndRemoveChildManage instance;
  return &instance;
}

void YndRemoveChildManage::RemoveChild(cocos2d::Node* child, cocos2d::Node* parent) {
  if (child == nullptr) return;
  if (parent == nullptr) parent = child->getParent();
  if (parent == nullptr) {
    ddz::os::Log("YndRemoveChildManage: node without a parent, nothing to remove");
    return;
  }
  cocos2d::Director::getInstance()->removeChildLater(child, parent);
}

void YndRemoveChildManage::RemoveNowIfQueued(cocos2d::Node* child) {
  if (child != nullptr) cocos2d::Director::getInstance()->runChildRemoval(child);
}
