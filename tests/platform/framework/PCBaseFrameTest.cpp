#include <gtest/gtest.h>

#include "FrameworkTestSupport.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndGameScene.h"

using fwtest::FrameworkTest;

TEST_F(FrameworkTest, WindowFrameCarriesTitleAndButtonsAndForgetsItselfWhenGone) {
  PCBaseFrame* frame = PCBaseFrame::SharedPCBaseFrame();
  EXPECT_EQ(PCBaseFrame::SharedPCBaseFrame(), frame);
  EXPECT_FALSE(frame->isRunning());
  frame->autorelease();
  scene->addChild(frame, 9999999);
  EXPECT_TRUE(frame->isRunning());

  frame->SetGameTitleAndVersion("\xE6\x96\x97\xE5\x9C\xB0\xE4\xB8\xBB v1.0.0.2 V1.08");
  EXPECT_EQ(frame->GetGameTitleAndVersion(), "\xE6\x96\x97\xE5\x9C\xB0\xE4\xB8\xBB v1.0.0.2 V1.08");

  int closes = 0, helps = 0;
  EXPECT_FALSE(frame->OnCloseBtnClick());
  frame->SetCloseBtnCallBack([&](cocos2d::Ref* sender) {
    EXPECT_EQ(sender, frame);
    ++closes;
  });
  frame->SetHelpBtnCallBack([&](cocos2d::Ref*) { ++helps; });
  EXPECT_TRUE(frame->OnCloseBtnClick());
  EXPECT_TRUE(frame->OnHelpBtnClick());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(helps, 1);

  tick();  // the autorelease is drained; the scene owns the frame
  scene->removeChild(frame);
  PCBaseFrame* again = PCBaseFrame::SharedPCBaseFrame();
  EXPECT_FALSE(again->isRunning());
  EXPECT_EQ(again->GetGameTitleAndVersion(), "");
  again->release();
}

TEST_F(FrameworkTest, GameSceneBaseIsARunnableScene) {
  auto* own = new YndGameScene();
  own->autorelease();
  director->replaceScene(own);
  tick();
  EXPECT_EQ(director->getRunningScene(), own);
  EXPECT_TRUE(own->isRunning());
}
