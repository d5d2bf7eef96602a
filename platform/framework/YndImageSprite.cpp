#include "platform/framework/YndImageSprite.h"

#include "platform/engine/Sprite.h"
#include "platform/os/Log.h"

cocos2d::Sprite* YndImageSprite::spriteWithFile(const char* file, cocos2d::Node* layer) {
  if (file == nullptr || *file == '\0') return nullptr;
  cocos2d::Sprite* sprite = cocos2d::Sprite::create(file);
  if (sprite == nullptr) {
    ddz::os::Log("YndImageSprite: no image [%s]", file);
    return nullptr;
  }
  if (layer != nullptr) layer->addChild(sprite);
  return sprite;
}
