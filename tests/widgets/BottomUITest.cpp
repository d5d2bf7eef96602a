// The bottom bar of the four-player and Super tables: the level badge, the
// single-player score, rate and title with inert money setters, the own
// record on a network table, and the slide-in.
#include "TopBarTestSupport.h"

#include <cstring>

#include "widgets/BottomUI.h"
#include "widgets/PlayerTitles.h"

namespace topbartest {
namespace {

class BottomUITest : public TopBarTest {
 protected:
  void SetUp() override {
    TopBarTest::SetUp();
    g_vecGameText.resize(BottomUI::kSingleNameText + 1);
    g_vecGameText[BottomUI::kSingleNameText] = "me";
  }
  BottomUI* NewBar() {
    BottomUI* bar = BottomUI::create(barView);
    barView->addChild(bar);
    return bar;
  }
  static cocos2d::SpriteFrame* Badge(int level) {
    return cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName("qorvddz_roomui_lv_" +
                                                                          std::to_string(level) + ".png");
  }
};

TEST_F(BottomUITest, TheLevelBadgeShowsLevelsOneToFiveWithTwoDigitsBelowFive) {
  BottomUI* bar = NewBar();
  struct Case {
    int exp;
    int badge;  // 0: no badge
    const char* digits;  // null: hidden
  };
  const Case cases[] = {
      {250, 2, "50"}, {100, 1, "0"}, {199, 1, "99"}, {499, 4, "99"}, {520, 5, nullptr}, {599, 5, nullptr},
      {40, 0, nullptr}, {600, 0, nullptr}, {-150, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exp);
    bar->GetLvNum()->setVisible(false);  // each case starts from a hidden number
    bar->SetExp(c.exp);
    EXPECT_EQ(bar->GetLvIcon()->isVisible(), c.badge != 0);
    if (c.badge != 0) {
      ASSERT_NE(Badge(c.badge), nullptr);
      EXPECT_EQ(bar->GetLvIcon()->getSpriteFrame(), Badge(c.badge));
    }
    EXPECT_EQ(bar->GetLvNum()->isVisible(), c.digits != nullptr);
    if (c.digits != nullptr) {
      EXPECT_EQ(bar->GetLvNum()->getString(), c.digits);
    }
  }
  bar->SetExp(320);
  bar->SetExp(510);  // level 5 hides the digits a lower level showed
  EXPECT_FALSE(bar->GetLvNum()->isVisible());
}

TEST_F(BottomUITest, TheSinglePlayerGameShowsScoreRateAndTitleAndIgnoresMoneyAndYuanbao) {
  GlobalInfo& login = GameViewBase::m_GlobalInfo;
  login.iPlayMode = 1;
  BottomUI* bar = NewBar();
  EXPECT_TRUE(bar->GetSingleFields()->isVisible());
  EXPECT_FALSE(bar->GetMoneyFields()->isVisible());
  struct Case {
    int score, wins, losses;
    const char* rate;
  };
  const Case cases[] = {{250, 3, 1, "75"}, {0, 0, 0, "0"}, {-120, 1, 2, "33"}, {600, 7, 0, "100"}, {10, 0, 5, "0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wins << "/" << c.losses);
    login.iSingleGameAmount = c.score;
    login.iSingleWinNum = c.wins;
    login.iSingleLoseNum = c.losses;
    bar->SetUIInfo(nullptr);
    EXPECT_EQ(bar->GetNameLabel()->getString(), "me");
    EXPECT_EQ(bar->GetScoreLabel()->getString(), std::to_string(c.score));
    EXPECT_EQ(bar->GetRateLabel()->getString(), c.rate);
    EXPECT_EQ(bar->GetTitleLabel()->getString(), GetScoreTitle(c.score));
  }

  PlayerNode self;
  self.iMoney = 500;
  self.iYuanBao = 7;
  bar->SetUIInfo(&self);
  bar->SetMoneyNum(900, true);
  bar->SetYBNum(9);
  EXPECT_EQ(bar->GetMoneyNum(), 0);
  EXPECT_EQ(bar->GetYBNum(), 0);
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "");
  EXPECT_EQ(bar->GetYBLabel()->getString(), "");
  EXPECT_EQ(bar->GetMoneyLabel()->getNumberOfRunningActions(), 0u);
}

TEST_F(BottomUITest, OnANetworkTableTheOwnRecordFillsLevelMoneyYuanbaoAndTheLoginName) {
  BottomUI* bar = NewBar();
  EXPECT_FALSE(bar->GetSingleFields()->isVisible());
  EXPECT_TRUE(bar->GetMoneyFields()->isVisible());
  bar->SetUIInfo(nullptr);  // no record: nothing
  EXPECT_EQ(bar->GetNameLabel()->getString(), "");

  GlobalInfo& login = GameViewBase::m_GlobalInfo;
  std::strcpy(login.szUserName, "first");
  std::strcpy(login.szNickName, "N");
  PlayerNode self;
  self.iLevel = 310;
  self.iMoney = 1234;
  self.iYuanBao = 56;
  bar->SetUIInfo(&self);
  EXPECT_EQ(bar->GetNameLabel()->getString(), "first") << "a nickname of \"N\" is no name";
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "1234");
  EXPECT_EQ(bar->GetMoneyNum(), 1234);
  EXPECT_EQ(bar->GetYBLabel()->getString(), "56");
  EXPECT_EQ(bar->GetYBNum(), 56);
  EXPECT_EQ(bar->GetLvIcon()->getSpriteFrame(), Badge(3));
  EXPECT_EQ(bar->GetLvNum()->getString(), "10");
  EXPECT_EQ(bar->GetMoneyLabel()->getNumberOfRunningActions(), 0u);
  std::strcpy(login.szNickName, "nick");
  bar->SetUIInfo(&self);
  EXPECT_EQ(bar->GetNameLabel()->getString(), "nick");

  bar->SetMoneyNum(77, true);  // the pulse ends at 0.8
  EXPECT_FLOAT_EQ(bar->GetMoneyLabel()->getScale(), 0.8f);
  run(0.5f);
  EXPECT_FLOAT_EQ(bar->GetMoneyLabel()->getScale(), 0.8f);
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "77");

  self.iCmpValue[0] = 42;
  bar->FreshCmpValue(&self);
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "42");
  bar->ClearCmpSelfInfo(true);
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "");
}

TEST_F(BottomUITest, AHiddenStripSlidesUpIntoItsPlaceWhenShownAgainOnThePhoneLayout) {
  BottomUI* bar = NewBar();
  bar->setPosition(cocos2d::Vec2(0, 10));
  bar->ShowBottomSelfInfo(false);
  EXPECT_FALSE(bar->IsVisible());
  bar->ShowBottomSelfInfo(true);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_FLOAT_EQ(bar->getPositionY(), 10 - BottomUI::kSlideDrop);
  run(0.4f);
  bar->ShowBottomSelfInfo(false);
  bar->ShowBottomSelfInfo(true);  // shown again mid-slide: still slides into the same place
  run(0.9f);
  EXPECT_FLOAT_EQ(bar->getPositionY(), 10);
  bar->ShowBottomSelfInfo(true);  // already shown: no slide
  EXPECT_FLOAT_EQ(bar->getPositionY(), 10);

  const int savedLayout = g_bIpadLayout;
  g_bIpadLayout = 1;
  bar->ShowBottomSelfInfo(false);  // the tablet layout keeps the strip
  EXPECT_TRUE(bar->IsVisible());
  g_bIpadLayout = savedLayout;
}

}  // namespace
}  // namespace topbartest
