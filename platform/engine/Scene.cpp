#include "platform/engine/Scene.h"

#include "platform/engine/Director.h"

namespace cocos2d {

Scene::Scene() {
  _ignoreAnchorPointForPosition = true;
  _anchorPoint = Vec2(0.5f, 0.5f);
}

Scene* Scene::create() {
  auto* s = new (std::nothrow) Scene();
  if (s && s->init()) {
    s->autorelease();
    return s;
  }
  delete s;
  return nullptr;
}

bool Scene::init() {
  setContentSize(Director::getInstance()->getWinSize());
  return true;
}

}  // namespace cocos2d
