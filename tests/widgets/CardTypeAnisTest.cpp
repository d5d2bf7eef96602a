#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "AniTestSupport.h"
#include "platform/os/Clock.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/ResultAnis.h"
#include "widgets/PrizeGuideAni.h"

namespace {

using anitest::AniTest;
using anitest::RecordingView;

// How long each animation runs under stepped frames: it must end within a
// frame or two of its stated time, never before.
TEST_F(AniTest, EveryAnimationEndsAtItsStatedTime) {
  const int tasks[7] = {5, 1, 2, 3, 4, 5, 6};
  struct Case {
    const char* name;
    std::function<AniBase*(RecordingView*)> make;
    float fps;
    float seconds;
  };
  const Case cases[] = {
      {"straight", [](RecordingView*) { return new AniShunzi(1); }, 60, 2.53f},
      {"pair straight", [](RecordingView*) { return new AniShunzi(2); }, 60, 2.53f},
      {"plane at 30 fps", [](RecordingView*) { return new AniPlane(); }, 30, 1.2f},
      {"plane at 60 fps", [](RecordingView*) { return new AniPlane(); }, 60, 1.2f},
      {"rocket, ending on the frame after it left", [](RecordingView*) { return new AniRocket(); }, 60,
       1.2f + 1.0f / 60},
      // 900 px (the bomb's half height raises both ends alike) in 0.5 s, a
      // pause of 0.03 s, then eight explosion frames of 1/15 s.
      {"bomb flight of 900 px",
       [](RecordingView* v) { return new cjddz_AniSuperFallBomb(v, {100, 100}, {100 + 540, 100 + 720}); }, 60,
       0.5f + 0.03f + 8.0f / 15},
      // The seat's flight time, then eight explosion frames of 0.1 s.
      {"bomb thrown from seat 2", [](RecordingView* v) { return new Ddz_PlayerEffect(v, 2, 0, 1); }, 60, 0.7f + 0.8f},
      {"task cap", [](RecordingView* v) { return new AniTaskCompete(v); }, 60, 0.35f + 0.25f + 0.4f},
      {"yuanbao doubling", [&tasks](RecordingView* v) { return new AniYBDouble(v, tasks); }, 60,
       0.1667f * 2 + 1.5f + 0.2083f + 0.625f + 0.2917f},
      {"result pause: 60 frames",
       [](RecordingView* v) { return new AniResultEmpty(v, "r", 1, ddz::os::Clock().WallTimeSeconds()); }, 60, 1.0f},
      // Three timed stages after the first frame; the last ends it.
      {"spring", [](RecordingView*) { return new AniSpring(0); }, 60, 1.0f / 60 + 0.55f + 2.8333f + 0.375f},
      {"prize pop-up: grow 0.5 s, hold 2 s", [](RecordingView*) { return new AniPrizeGuide(4, 3, 0); }, 60, 2.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const float dt = 1.0f / c.fps;
    const float took = SecondsUntilEnd(c.make(view), dt);
    EXPECT_GE(took, c.seconds - 0.001f);
    EXPECT_LE(took, c.seconds + 2 * dt + 0.001f);
  }
}

TEST_F(AniTest, APairStraightSendsTwoBoatsOppositeWaysAndEndsOnce) {
  auto* ani = new AniShunzi(2);
  ani->retain();
  manage->ShowAni(ani, true, true);
  ASSERT_NE(ani->m_pBoat[0], nullptr);
  ASSERT_NE(ani->m_pBoat[1], nullptr);
  EXPECT_FALSE(ani->m_pBoat[0]->isFlippedX());
  EXPECT_TRUE(ani->m_pBoat[1]->isFlippedX()) << "the right-going boat is mirrored";
  EXPECT_EQ(ani->m_pBoat[1]->m_pWater->getPosition(), cocos2d::Vec2(7, 11));
  EXPECT_EQ(SoundManage::shareSoundManage()->GetPlayedSounds(), std::vector<std::string>{"ddzSound/7.mp3"});

  tick(60);
  EXPECT_LT(ani->m_pBoat[0]->getPositionX(), g_ptAniShunzi[1].x);
  EXPECT_GT(ani->m_pBoat[1]->getPositionX(), g_ptAniShunzi[2].x);
  EXPECT_EQ(ani->m_pBoat[0]->m_pQz->getDisplayName(), "qorvddz_shunzi_qz_4.png") << "ten ticks of 0.1 s";
  tick(100);
  EXPECT_FALSE(manage->IsRunning(ani));
  EXPECT_EQ(ani->getParent(), nullptr);
  EXPECT_EQ(ani->getReferenceCount(), 1u) << "ended once, released once";
  ani->release();
}

TEST_F(AniTest, TheBombTurnsToItsPathShakesTheTableOnArrivalAndTrailsUntilThen) {
  auto* ani = new cjddz_AniSuperFallBomb(view, {0, 0}, {0, 900});
  manage->ShowAni(ani, true, true);
  cocos2d::Node* bomb = ani->getChildByTag(cjddz_AniSuperFallBomb::kBombTag);
  ASSERT_NE(bomb, nullptr);
  EXPECT_NEAR(bomb->getRotation(), -180.0f, 0.01f) << "straight up: -90 - 90";
  for (int tag : {111, 112, 113}) EXPECT_NE(bomb->getChildByTag(tag), nullptr) << tag;
  tick(30);  // 0.5 s: it has arrived, the pause is not over
  EXPECT_EQ(view->shakes, 0);
  tick(3);
  EXPECT_EQ(view->shakes, 1);
  EXPECT_EQ(ani->getChildByTag(cjddz_AniSuperFallBomb::kBombTag), nullptr) << "the bomb took itself away";
}

TEST_F(AniTest, ABombThrownAtASeatTakesItsPathAndEndsWithTheDoublingOfItsTarget) {
  struct Case {
    int from, to;
    cocos2d::Vec2 control2, end;
    int doubledSeat;
  };
  const Case cases[] = {
      {1, -1, g_ptHLBombEmpCtr2[1], g_ptHLBombDest[3], -1},  // no other target: the centre
      {1, 1, g_ptHLBombEmpCtr2[1], g_ptHLBombDest[3], -1},   // at itself: the centre too
      {1, 2, g_ptHLBombDownCtr2[2], g_ptHLBombDest[2], 2},   // the next seat, from below
      {1, 0, g_ptHLBombUpCtr2[0], g_ptHLBombDest[0], 0},
      {2, 0, g_ptHLBombDownCtr2[0], g_ptHLBombDest[0], 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
    view->doublings.clear();
    view->shakes = 0;
    auto* ani = new Ddz_PlayerEffect(view, c.from, c.to, 2);
    ani->retain();
    manage->ShowAni(ani, true, true);
    EXPECT_EQ(ani->m_ptBezier[0], g_ptHLBombStart[c.from]);
    EXPECT_EQ(ani->m_ptBezier[2], c.control2);
    EXPECT_EQ(ani->m_ptBezier[3], c.end);
    ASSERT_NE(ani->m_pBomb, nullptr);
    EXPECT_EQ(ani->m_pBomb->getDisplayName(), "ddzq_tx_huojian.png");
    tick(static_cast<int>(g_fBombDaleyBezier[c.from] * 60) + 2);
    EXPECT_EQ(view->shakes, 1);
    EXPECT_EQ(anitest::CountShowing(ani, "ddzq_tx_huojian.png"), 0);
    EXPECT_TRUE(view->doublings.empty()) << "not before the explosion";
    tick(50);
    EXPECT_EQ(view->doublings, (std::vector<anitest::RecordingView::Doubling>{{c.doubledSeat, 2}}));
    EXPECT_FALSE(manage->IsRunning(ani));
    ani->release();
    view->sign.Stop();
  }
}

TEST_F(AniTest, AThrowBetweenSeatsThatDoNotExistIsRefusedAndDoublesNothing) {
  for (auto [from, to] : {std::pair{3, 0}, std::pair{-1, 0}, std::pair{0, 3}, std::pair{0, -2}}) {
    SCOPED_TRACE(testing::Message() << from << " -> " << to);
    EXPECT_NEAR(SecondsUntilEnd(new Ddz_PlayerEffect(view, from, to, 1), 1.0f / 60), 1.0f / 60, 1e-4);
  }
  EXPECT_TRUE(view->doublings.empty());
  EXPECT_EQ(view->shakes, 0);
  EXPECT_TRUE(SoundManage::shareSoundManage()->GetPlayedSounds().empty());
}

TEST_F(AniTest, TwoDoublingsInQuickSuccessionBothCount) {
  view->m_TableItem.iTimes = 3;
  manage->ShowAni(new Ddz_PlayerEffect(view, 0, 1, 1), true, true);
  manage->ShowAni(new Ddz_PlayerEffect(view, 2, -1, 2), true, true);
  tick(95);  // both have exploded; the first sign still flies
  ASSERT_EQ(view->doublings.size(), 2u);
  EXPECT_EQ(view->m_TableItem.iTimes, 12);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1) << "one sign flies and holds the messages";
  EXPECT_EQ(anitest::CountShowing(view, DoubleSignFlight::kSign), 1);
  tick(90);
  EXPECT_EQ(view->shownMultiples, std::vector<int>{12}) << "the sign lands with both factors";
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 0);
  EXPECT_FALSE(view->sign.IsFlying());
}

TEST_F(AniTest, AnAddWhileTheSignFliesCountsAndTheTwoSeatOpponentFliesFromTheFourthPlace) {
  view->m_TableItem.iTimes = 2;
  view->sign.Show(3, 2);
  view->sign.ShowAdd(1, 2);
  EXPECT_EQ(view->m_TableItem.iTimes, 6);  // 2 * 2, then + 2
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 1) << "the second change starts no sign";
  const cocos2d::Vec2 from = DoubleSignFlight::StartPoint(3);
  EXPECT_GT(from.x, 0);
  EXPECT_LT(from.x, 1280);
  EXPECT_GT(from.y, 0);
  EXPECT_LT(from.y, 720);
  EXPECT_FLOAT_EQ(DoubleSignFlight::FlightSeconds(3), 0.3f);
  tick(90);
  EXPECT_EQ(view->shownMultiples, std::vector<int>{6});
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 0);
}

}  // namespace
