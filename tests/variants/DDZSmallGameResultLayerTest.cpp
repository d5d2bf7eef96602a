#include "variants/DDZSmallGameResultLayer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "SmallGameTestSupport.h"
#include "platform/engine/Label.h"

namespace {

using cocos2d::Sprite;
using cocos2d::Vec2;

// The rain's icons on the screen (the total's own icon is not one).
int RainIcons(DDZSmallGameResultLayer* layer) {
  int n = 0;
  for (cocos2d::Node* child : layer->getChildren())
    if (auto* s = dynamic_cast<Sprite*>(child);
        s && s != layer->GetYuanbaoIcon() && s->getDisplayName() == DDZSmallGameResultLayer::kYuanbaoFrame)
      ++n;
  return n;
}

class SmallGameResultLayerTest : public smallgametest::SmallGameTest {
 protected:
  DDZSmallGameResultLayer* show(bool win, int amount) {
    DDZSmallGameResultLayer* layer = DDZSmallGameResultLayer::create(win, amount, owner);
    owner->addChild(layer, 99);
    return layer;
  }
};

TEST_F(SmallGameResultLayerTest, AWinRainsAndANotWonResultNeverDoesWhateverItsAmount) {
  const struct {
    bool win;
    int amount;
    const char* logo;
    const char* sound;
  } cases[] = {
      {true, 500, "DDZ_SmallGameWin.png", "ddzSound/ddz_sg_win.mp3"},
      {false, 500, "DDZ_SmallGameFailed.png", "ddzSound/ddz_sg_lose.mp3"},
      {false, 0, "DDZ_SmallGameFailed.png", "ddzSound/ddz_sg_lose.mp3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.win << " " << c.amount);
    DDZSmallGameResultLayer* layer = show(c.win, c.amount);
    EXPECT_EQ(sounds(), std::vector<std::string>{c.sound});
    ASSERT_NE(layer->GetLogo(), nullptr);
    EXPECT_EQ(layer->GetLogo()->getDisplayName(), c.logo);
    EXPECT_EQ(layer->GetLogo()->getPosition(), g_ptResultLogoPos + Vec2(0, 400));
    EXPECT_EQ(layer->GetAmountLabel()->getString(), std::to_string(c.amount));
    for (cocos2d::Node* later : {static_cast<cocos2d::Node*>(layer->GetTotalTip()),
                                 static_cast<cocos2d::Node*>(layer->GetYuanbaoIcon()),
                                 static_cast<cocos2d::Node*>(layer->GetAmountLabel())})
      EXPECT_FALSE(later->isVisible());
    run(0.35f);
    EXPECT_EQ(layer->GetLogo()->getPosition(), g_ptResultLogoPos);
    run(1.0f);
    EXPECT_TRUE(layer->GetTotalTip()->isVisible());
    EXPECT_TRUE(layer->GetYuanbaoIcon()->isVisible());
    EXPECT_TRUE(layer->GetAmountLabel()->isVisible());
    EXPECT_EQ(layer->GetAmountLabel()->getPosition(), g_ptResultYBNumPos);
    if (c.win) {
      EXPECT_GE(RainIcons(layer), 15);  // a drop every 0.05 s, each falling for 1 s
    } else {
      EXPECT_EQ(RainIcons(layer), 0);
    }
    layer->removeFromParent();
    sounds();
  }
}

TEST_F(SmallGameResultLayerTest, TheReturnButtonComesAfterTwoPointThreeSecondsAndLeaves) {
  DDZSmallGameResultLayer* layer = show(true, 80);
  cocos2d::ui::Button* back = layer->GetReturnButton();
  EXPECT_EQ(back->getPosition(), g_ptResultQuitGameBtnPos);
  EXPECT_EQ(back->getExtraAboveImage(), "DDZ_SmallGame_return.png");
  run(2.25f);
  EXPECT_FALSE(back->isVisible());
  tap(g_ptResultQuitGameBtnPos);
  EXPECT_TRUE(owner->calls.empty());
  run(0.2f);
  EXPECT_TRUE(back->isVisible());
  EXPECT_EQ(back->getOpacity(), 255);
  sounds();
  tap(g_ptResultQuitGameBtnPos);
  EXPECT_EQ(owner->calls, std::vector<std::string>{"leave"});
  EXPECT_EQ(sounds(), std::vector<std::string>{"ddzSound/6.mp3"});
  // The rain stops and the icons on their way stay where they are.
  const int icons = RainIcons(layer);
  EXPECT_EQ(layer->getNumberOfRunningActions(), 0u);
  run(1.5f);
  EXPECT_EQ(RainIcons(layer), icons);
}

TEST_F(SmallGameResultLayerTest, NoDropFallsWithinOneColumnOfEitherOfTheTwoBefore) {
  ddz::os::LcgRandom random(777);
  const ddz::os::ScopedRandomSource scoped(random);
  DDZSmallGameResultLayer* layer = DDZSmallGameResultLayer::create(true, 1, owner);
  std::set<int> used;
  int older = 0, newer = 0;
  layer->DropYuanbao();
  DDZSmallGameResultLayer::GetLastRainColumns(older, newer);
  for (int i = 0; i < 3000; ++i) {
    SCOPED_TRACE(i);
    const int before1 = older, before2 = newer;
    layer->DropYuanbao();
    DDZSmallGameResultLayer::GetLastRainColumns(older, newer);
    EXPECT_EQ(older, before2);
    ASSERT_GE(newer, 0);
    ASSERT_LT(newer, 20);
    EXPECT_GE(std::abs(newer - before1), 2);
    EXPECT_GE(std::abs(newer - before2), 2);
    used.insert(newer);
  }
  EXPECT_EQ(used.size(), 20u);
  // Every drop starts above the window, inside its width.
  for (cocos2d::Node* child : layer->getChildren()) {
    EXPECT_GE(child->getPositionX(), 0.0f);
    EXPECT_LT(child->getPositionX(), 1280.0f);
    EXPECT_EQ(child->getPositionY(), 820.0f);
    EXPECT_EQ(child->getScale(), 1.8f);
  }
}

}  // namespace
