#include "shell/GameLoading.h"

#include <gtest/gtest.h>

#include "SceneTestSupport.h"
#include "platform/gamebase/BasePT.h"
#include "platform/os/Random.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"

namespace {

class GameLoadingTest : public scenetest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    scene = cocos2d::Scene::create();
    director->runWithScene(scene);
    g_ptLoadingProcess = cocos2d::Vec2(640, 200);
    g_ptLoadingFlower = cocos2d::Vec2(640, 90);
  }
  cocos2d::Scene* scene = nullptr;
};

TEST_F(GameLoadingTest, PercentageShowsOnlyWhileTheScreenRuns) {
  auto* loading = new GameLoading();
  loading->autorelease();
  loading->SetProNum(10);  // before the screen is built: the base keeps it
  EXPECT_EQ(loading->GetProNum(), 10);
  EXPECT_EQ(loading->GetPercentLabel(), nullptr);

  scene->addChild(loading);
  ASSERT_NE(loading->GetPercentLabel(), nullptr);
  ASSERT_NE(loading->GetProgressBar(), nullptr);
  EXPECT_EQ(loading->GetPercentLabel()->getString(), "0%");
  EXPECT_EQ(loading->GetPercentLabel()->getPosition(), cocos2d::Vec2(640, 200));

  loading->SetProNum(30);
  EXPECT_EQ(loading->GetPercentLabel()->getString(), "30%");
  EXPECT_FLOAT_EQ(loading->GetProgressBar()->getPercentage(), 30.0f);
  loading->SetProNum(100);
  EXPECT_EQ(loading->GetPercentLabel()->getString(), "100%");
  EXPECT_FLOAT_EQ(loading->GetProgressBar()->getPercentage(), 100.0f);

  loading->retain();
  loading->removeFromParent();  // off the stage: only the base hears it
  loading->SetProNum(50);
  EXPECT_EQ(loading->GetProNum(), 50);
  EXPECT_EQ(loading->GetPercentLabel()->getString(), "100%");
  scene->addChild(loading);  // entering again builds nothing twice
  EXPECT_EQ(loading->getChildrenCount(), 6u);
  loading->release();
}

TEST_F(GameLoadingTest, BarFillsLeftToRightUnderTheLabel) {
  auto* loading = new GameLoading();
  loading->autorelease();
  scene->addChild(loading);
  cocos2d::ProgressTimer* bar = loading->GetProgressBar();
  EXPECT_EQ(bar->getType(), cocos2d::ProgressTimer::Type::BAR);
  EXPECT_EQ(bar->getMidpoint(), cocos2d::Vec2(0, 0.5f));
  EXPECT_EQ(bar->getBarChangeRate(), cocos2d::Vec2(1, 0));
  EXPECT_EQ(bar->getPosition(), cocos2d::Vec2(640, 90));
  ASSERT_NE(bar->getSprite(), nullptr);  // the frame comes from the frame manifest
  EXPECT_EQ(loading->GetTipLabel()->getPosition(),
            cocos2d::Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2), 150));
  EXPECT_EQ(loading->GetTipLabel()->getColor(), cocos2d::Color3B(203, 247, 255));
  EXPECT_EQ(loading->GetPercentLabel()->getSystemFontName(), g_strSystemFont);
}

TEST_F(GameLoadingTest, TipComesFromTheRangeOfTheMode) {
  struct Case {
    int playMode;
    int draw;
    int text;
  } cases[] = {
      {0, 0, 36}, {0, 6, 42}, {0, 7, 36},  // 7 draws wrap to the first
      {1, 0, 47}, {1, 3, 50}, {1, 4, 47},
      {2, 1, 48},  // any mode other than 0 is single-player's
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.playMode) + "/" + std::to_string(c.draw));
    GameViewBase::m_GlobalInfo.iPlayMode = c.playMode;
    ddz::os::ScriptedRandom random{c.draw};
    ddz::os::ScopedRandomSource scoped(random);
    auto* loading = new GameLoading();
    loading->autorelease();
    scene->addChild(loading);
    EXPECT_EQ(loading->GetTipLabel()->getString(), GameText(c.text));
    EXPECT_FALSE(GameText(c.text).empty());
    loading->removeFromParent();
  }
}

}  // namespace
