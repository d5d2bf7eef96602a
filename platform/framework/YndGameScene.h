// The base of the client's game scene.
#pragma once

#include "platform/engine/Scene.h"

class YndGameScene : public cocos2d::Scene {
 public:
  YndGameScene();
};
