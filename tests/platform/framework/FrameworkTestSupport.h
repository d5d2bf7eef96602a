// A fixture with a fresh director, a running scene, a window for input and a
// clock at zero; frames are stepped by hand.
#pragma once

#include <gtest/gtest.h>

#include "platform/engine/cocos2d.h"
#include "platform/os/Clock.h"
#include "support/Stage.h"

namespace fwtest {

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    view = stage.view;
  }
  void TearDown() override { director->reset(); }

  void tick(float dt = 1.0f / 60, int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }

  cocos2d::Director* director = nullptr;
  cocos2d::GLView* view = nullptr;
  cocos2d::Scene* scene = nullptr;
};

}  // namespace fwtest
