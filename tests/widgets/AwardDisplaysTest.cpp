// The first-yuanbao tip's slides and timing, and how an award animation ends:
// told to its view after 3 s, or flying to the bottom bar.
#include "ChatWidgetsTestSupport.h"

#include "platform/gamebase/AniBase.h"
#include "widgets/AwardDisplays.h"

namespace chattest {
namespace {

using cocos2d::Vec2;

class AwardDisplaysTest : public ChatWidgetsTest {
 protected:
  void SetUp() override {
    ChatWidgetsTest::SetUp();
    saved[0] = g_ptFirstGetYBTips;
    saved[1] = g_ptBottomMoneyIcon;
    saved[2] = g_ptBottomYBIcon;
    saved[3] = g_ptTurnTable;
    g_ptFirstGetYBTips = Vec2(860, 80);
    g_ptBottomMoneyIcon = Vec2(1000, 22);
    g_ptBottomYBIcon = Vec2(800, 22);
    g_ptTurnTable = Vec2(640, 380);
  }
  void TearDown() override {
    g_ptFirstGetYBTips = saved[0];
    g_ptBottomMoneyIcon = saved[1];
    g_ptBottomYBIcon = saved[2];
    g_ptTurnTable = saved[3];
    ChatWidgetsTest::TearDown();
  }
  Vec2 saved[4];
};

// ---------------------------------------------------------------- first-yuanbao tip

TEST_F(AwardDisplaysTest, TheTipSlidesInByExactlyItsWidthAndOutAgainAfterTwelveSeconds) {
  auto* tips = FirstGetYBTips::create();
  tips->retain();
  view->addChild(tips);
  ASSERT_NE(tips->GetTips(), nullptr);
  const float width = tips->GetTips()->getContentSize().width;  // 302: not a multiple of 5
  ASSERT_NE(static_cast<int>(width) % 5, 0);
  run(1.0f);
  EXPECT_EQ(tips->GetState(), FirstGetYBTips::kShown);
  EXPECT_FLOAT_EQ(tips->GetTips()->getPositionX(), 860 - width);
  run(10.9f);
  EXPECT_EQ(tips->GetState(), FirstGetYBTips::kClosable);
  run(0.2f);
  EXPECT_EQ(tips->GetState(), FirstGetYBTips::kSlidingOut);
  run(1.0f);
  EXPECT_EQ(tips->GetState(), FirstGetYBTips::kGone);
  EXPECT_FLOAT_EQ(tips->GetTips()->getPositionX(), 860);
  EXPECT_EQ(tips->getParent(), nullptr);
  tips->release();
}

TEST_F(AwardDisplaysTest, ATouchSendsTheTipOutOnlyFromItsSixthSecondOn) {
  for (auto [at, leaves] : {std::pair{1.5f, false}, {5.9f, false}, {6.1f, true}}) {
    SCOPED_TRACE(at);
    auto* tips = FirstGetYBTips::create();
    tips->retain();
    view->addChild(tips);
    run(at);
    window->touchBegan(100, 100);
    window->touchEnded(100, 100);
    run(1.0f);  // a slide takes about 0.6 s
    EXPECT_EQ(tips->getParent() == nullptr, leaves);
    if (!leaves) {
      EXPECT_NE(tips->GetState(), FirstGetYBTips::kSlidingOut);
    }
    tips->removeFromParent();
    tips->release();
  }
}

// ---------------------------------------------------------------- award

TEST_F(AwardDisplaysTest, AnAwardForAViewTellsItAfterThreeSecondsAndDoesNotFly) {
  auto* award = AniManageShowAward::Create(7, 1, 500, view);
  award->retain();
  view->GetAniManage()->ShowAni(award, true, true);
  tick();
  EXPECT_EQ(sounds(), std::vector<std::string>{ShowAward::kSound});
  const Vec2 iconAt = award->GetTypeIcon()->getPosition();
  run(2.9f);
  EXPECT_TRUE(view->awardEnds.empty());
  run(0.2f);
  EXPECT_EQ(view->awardEnds, std::vector<int>{7});
  EXPECT_TRUE(award->IsDone());
  EXPECT_EQ(award->GetContent(), nullptr);
  EXPECT_EQ(award->GetTypeIcon()->getPosition(), iconAt);
  tick(2);
  EXPECT_EQ(view->GetAniManage()->GetRunningCount(), 0u);
  EXPECT_EQ(award->getParent(), nullptr);
  award->release();
}

TEST_F(AwardDisplaysTest, AnAwardWithoutAViewFliesToTheBottomBarIconOfItsKind) {
  for (auto [type, icon] : {std::pair{0, Vec2(1000, 22)}, {1, Vec2(800, 22)}}) {
    SCOPED_TRACE(type);
    auto* award = AniManageShowAward::Create(2, type, 30, nullptr);
    award->retain();
    view->GetAniManage()->ShowAni(award, true, true);
    run(3.1f);
    EXPECT_FALSE(award->IsDone());  // flying
    run(0.5f);
    EXPECT_TRUE(award->IsDone());
    EXPECT_EQ(award->GetTypeIcon()->getPosition(), icon - Vec2(640, 380));
    EXPECT_FLOAT_EQ(award->GetTypeIcon()->getScale(), 0.3f);
    tick(2);
    EXPECT_EQ(view->GetAniManage()->GetRunningCount(), 0u);
    award->release();
  }
  EXPECT_TRUE(view->awardEnds.empty());
}

TEST_F(AwardDisplaysTest, AViewThatLeftBeforeTheEndIsNotTold) {
  // The award outlives the view's running state, not the view itself.
  auto* award = AniManageShowAward::Create(3, 0, 10, view);
  award->retain();
  view->GetAniManage()->ShowAni(award, true, true);
  run(1);
  view->retain();
  scene->removeChild(view);
  award->FinishAward();
  EXPECT_TRUE(view->awardEnds.empty());
  EXPECT_TRUE(award->IsDone());
  view->release();
  award->release();
}

}  // namespace
}  // namespace chattest
