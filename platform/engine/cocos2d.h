// Everything of the engine in one include, as the program's sources use it.
#pragma once

#include "platform/engine/Action.h"
#include "platform/engine/Application.h"
#include "platform/engine/Director.h"
#include "platform/engine/Event.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Label.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/engine/Math.h"
#include "platform/engine/Node.h"
#include "platform/engine/Ref.h"
#include "platform/engine/Renderer.h"
#include "platform/engine/Scene.h"
#include "platform/engine/Scheduler.h"
#include "platform/engine/SimpleAudioEngine.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/spine/SkeletonAnimation.h"
#include "platform/engine/ui/Widgets.h"

#define USING_NS_CC using namespace cocos2d
#define NS_CC_BEGIN namespace cocos2d {
#define NS_CC_END }
