// A fresh stage for tests that run the engine: the director reset, a running
// scene (and a window when input is needed), the clock at zero, and a quiet,
// empty log. Every fixture that steps frames starts from here.
#pragma once

#include "platform/engine/cocos2d.h"
#include "platform/os/Clock.h"

namespace ddz::test {

struct Stage {
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* view = nullptr;  // null unless a window was asked for
};

inline Stage ResetStage(bool withWindow = false) {
  ddz::os::Clock().Reset();
  cocos2d::Log::setEchoToStderr(false);
  cocos2d::Log::clear();
  Stage stage;
  stage.director = cocos2d::Director::getInstance();
  stage.director->reset();
  if (withWindow) {
    stage.view = cocos2d::GLViewImpl::create("test");
    stage.director->setOpenGLView(stage.view);
  }
  stage.scene = cocos2d::Scene::create();
  stage.director->runWithScene(stage.scene);
  return stage;
}

}  // namespace ddz::test
