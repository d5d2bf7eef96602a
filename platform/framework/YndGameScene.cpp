#include "platform/framework/YndGameScene.h"

YndGameScene::YndGameScene() { Scene::init(); }
