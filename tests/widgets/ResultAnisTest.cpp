#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "AniTestSupport.h"
#include "gamedata/TextHelpers.h"
#include "platform/os/Clock.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/ResultAnis.h"

namespace {

using anitest::AniTest;

TEST_F(AniTest, TheResultPauseWaitsASecondUnlessItStartsInALaterSecond) {
  ddz::os::Clock().SetWallTimeSeconds(1000);
  const std::string result(600, 'x');
  struct Case {
    const char* name;
    std::int64_t madeAt;
    int frames;
  };
  const Case cases[] = {{"started within its second", 1000, 60}, {"started a second later", 999, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->results.clear();
    const float took = SecondsUntilEnd(new AniResultEmpty(view, result.data(), 600, c.madeAt), 1.0f / 60);
    EXPECT_NEAR(took, c.frames / 60.0f, 1e-4);
    EXPECT_EQ(view->results, std::vector<std::string>{std::string(512, 'x')}) << "the copy is bounded to 512 bytes";
  }
}

TEST_F(AniTest, TheSpringRunsItsStagesInOrderWithTheImagesOfItsKind) {
  for (int kind : {0, 1}) {
    SCOPED_TRACE(kind);
    auto* spring = new AniSpring(kind);
    spring->retain();
    manage->ShowAni(spring, true, true);
    EXPECT_EQ(anitest::CountShowing(spring, AniSpring::TitleFrame(kind)), 1);
    EXPECT_EQ(anitest::CountShowing(spring, AniSpring::TitleFrame(1 - kind)), 0);
    cocos2d::Sprite* stencil = nullptr;
    for (cocos2d::Node* child : spring->m_pVine->getChildren())
      if (auto* window = dynamic_cast<cocos2d::ClippingNode*>(child))
        stencil = dynamic_cast<cocos2d::Sprite*>(window->getStencil());
    ASSERT_NE(stencil, nullptr);
    EXPECT_EQ(stencil->getDisplayName(), AniSpring::SweepStencilFrame(kind));
    std::vector<int> stages{spring->m_iStage};
    for (int frame = 0; frame < 300 && manage->IsRunning(spring); ++frame) {
      tick();
      if (stages.back() != spring->m_iStage) stages.push_back(spring->m_iStage);
    }
    EXPECT_EQ(stages, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(manage->IsRunning(spring));
    spring->release();
  }
  EXPECT_EQ(SoundManage::shareSoundManage()->GetPlayedSounds(),
            (std::vector<std::string>{"ddzSound/57.mp3", "ddzSound/57.mp3"}));
}

TEST_F(AniTest, TheYuanbaoDoublingUpdatesTheTaskNumbersWhenTheIconHasFlown) {
  const int tasks[7] = {50, 1, 2, 3, 4, 5, 6};
  manage->ShowAni(new AniYBDouble(view, tasks), true, true);
  tick(170);
  EXPECT_TRUE(view->taskNums.empty());
  tick(10);
  EXPECT_EQ(view->taskNums, (std::vector<int>{50, 1, 2, 3, 4, 5, 6}));
}

TEST_F(AniTest, APrizePopUpOfAnUnknownKindEndsAtItsFirstFrame) {
  for (int kind : {9, -1, 100}) {
    SCOPED_TRACE(kind);
    EXPECT_NEAR(SecondsUntilEnd(new AniPrizeGuide(kind, 1, 0), 1.0f / 60), 1.0f / 60, 1e-4);
  }
}

TEST_F(AniTest, APopUpClearedDuringItsHoldDoesNotShortenTheNext) {
  manage->ShowAni(new AniPrizeGuide(5, 0, 0), true, true);
  tick(60 + 60);  // grown, one second into its hold
  manage->Clear();
  EXPECT_NEAR(SecondsUntilEnd(new AniPrizeGuide(6, 0, 0), 1.0f / 60), 2.5f, 2.0f / 60);
}

TEST_F(AniTest, ThePopUpTextIsReadBoundedAndCutAtACharacterBoundary) {
  // A server field of 64 bytes without a terminator, then more bytes: 61
  // ASCII bytes and a three-byte character that does not fit whole.
  char field[80];
  std::memset(field, 'a', sizeof field);
  std::memcpy(field + 61, "斗", 3);
  AniPrizeGuide prize(2, 0, 0, field);
  EXPECT_EQ(std::strlen(prize.m_szText), 61u);
  EXPECT_EQ(std::string(prize.m_szText), std::string(61, 'a'));

  std::memcpy(field + 60, "斗", 3);  // now it fits: 60 + 3 bytes and the terminator
  field[63] = 'b';
  AniPrizeGuide fits(2, 0, 0, field);
  EXPECT_EQ(std::string(fits.m_szText), std::string(60, 'a') + "斗");

  AniPrizeGuide none(2, 0, 0, nullptr);
  EXPECT_EQ(none.m_szText[0], '\0');

  auto* shown = new AniPrizeGuide(2, 0, 0, "恭喜");
  manage->ShowAni(shown, true, true);
  ASSERT_NE(shown->m_pLabel, nullptr);
  EXPECT_EQ(shown->m_pLabel->getString(), "恭喜");
}

TEST_F(AniTest, TheGuideBubbleIsMirroredAtThePopUpsOwnPoint) {
  auto* prize = new AniPrizeGuide(0, 0, 0);
  prize->autorelease();
  prize->setPosition(cocos2d::Vec2(300, 200));
  auto* cache = cocos2d::SpriteFrameCache::getInstance();
  EXPECT_EQ(prize->ShowGuideBg(), nullptr);
  EXPECT_TRUE(cocos2d::Log::contains("ShowGuideBg: frame pop_guide_bg.png is not loaded"));

  cache->addSpriteFramesWithFile("pop_guide.plist");
  cocos2d::Sprite* bubble = prize->ShowGuideBg();
  ASSERT_NE(bubble, nullptr);
  EXPECT_EQ(prize->getAnchorPoint(), cocos2d::Vec2(1.0f, 0.5f));
  EXPECT_EQ(bubble->getParent(), prize);
  EXPECT_EQ(bubble->getAnchorPoint(), cocos2d::Vec2(0.0f, 0.5f));
  EXPECT_TRUE(bubble->isFlippedX());
  EXPECT_EQ(bubble->getPosition(), prize->convertToNodeSpace(cocos2d::Vec2(300, 200)));
}

TEST_F(AniTest, ADoublingSignTakenOffEarlyLowersTheLockOnceAndTheNextOneFlies) {
  ++GameViewBase::m_iLockMainMsgCount;  // somebody else's hold
  view->ShowDoubleAni(1, 2);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 2);
  EXPECT_EQ(view->m_TableItem.iTimes, 2);
  tick(10);
  view->removeAllChildren();  // the table reset
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1);
  tick(120);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1) << "the removed sign never lowers again";
  EXPECT_TRUE(view->shownMultiples.empty());

  view->ShowDoubleAni(-1, 2);  // a new sign starts, it is not taken for the old one
  EXPECT_TRUE(view->sign.IsFlying());
  EXPECT_EQ(view->sign.GetSign()->getPosition(), cocos2d::Vec2(640, 360));
  tick(120);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1);
  EXPECT_EQ(view->shownMultiples, std::vector<int>{4});
}

}  // namespace
