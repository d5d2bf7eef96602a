#include <gtest/gtest.h>

#include <functional>

#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/engine/spine/SkeletonAnimation.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/WidgetTestSupport.h"

namespace {

using cocos2d::Vec2;
using Sprite = cocos2d::Sprite;

const Vec2 kPt(300, 400);

class PlayerGameInfoTest : public widgettest::WidgetTest {
 protected:
  PlayerGameInfo* makeSeat(int seat) {
    auto* info = new PlayerGameInfo(seat);
    info->autorelease();
    view->addChild(info, 2);
    return info;
  }
  int lockCount() const { return GameViewBase::m_iLockMainMsgCount.Get(); }
};

TEST_F(PlayerGameInfoTest, SimpleMarksAreMadeOnceAndRemovedOnHide) {
  const struct {
    const char* what;
    std::function<void(PlayerGameInfo*, bool, Vec2)> show;
    std::function<Sprite*(PlayerGameInfo*)> mark;
  } marks[] = {
      {"ready", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowReady(b, p); }, &PlayerGameInfo::GetReady},
      {"points", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowPoint(b, 2, p); }, &PlayerGameInfo::GetPoint},
      {"pass", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowPass(b, p); }, &PlayerGameInfo::GetPass},
      {"offline", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowOffLine(b, p); }, &PlayerGameInfo::GetOffLine},
      {"net delay", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowNetDelay(b, p); }, &PlayerGameInfo::GetNetDelay},
      {"auto-play", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowCompeteTuoGuan(b, p); },
       &PlayerGameInfo::GetTuoGuan},
      {"doubling", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowAddPound(b, p); }, &PlayerGameInfo::GetAddPound},
      {"no money", [](PlayerGameInfo* g, bool b, Vec2 p) { g->ShowNoMoneyTips(b, p); }, &PlayerGameInfo::GetNoMoney},
  };
  PlayerGameInfo* info = makeSeat(0);
  for (const auto& m : marks) {
    SCOPED_TRACE(m.what);
    const std::size_t before = info->getChildrenCount();
    m.show(info, true, kPt);
    Sprite* first = m.mark(info);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getPosition(), kPt);
    m.show(info, true, Vec2(1, 1));  // shown again: same sprite, same place
    EXPECT_EQ(m.mark(info), first);
    EXPECT_EQ(first->getPosition(), kPt);
    EXPECT_EQ(info->getChildrenCount(), before + 1);
    m.show(info, false, kPt);
    EXPECT_EQ(m.mark(info), nullptr);
    EXPECT_EQ(info->getChildrenCount(), before);
    m.show(info, false, kPt);  // hiding nothing changes nothing
    EXPECT_EQ(info->getChildrenCount(), before);
  }
}

TEST_F(PlayerGameInfoTest, ReadyMarkDependsOnTheSeatAndPointsOnTheAmount) {
  PlayerGameInfo* own = makeSeat(1);
  PlayerGameInfo* other = makeSeat(2);
  own->ShowReady(true, kPt);
  other->ShowReady(true, kPt);
  EXPECT_EQ(own->GetReady()->getDisplayName(), "qorvddz_tips_wait.png");
  EXPECT_EQ(other->GetReady()->getDisplayName(), "qorvddz_tips_ready.png");

  other->ShowPoint(true, 3, kPt);
  EXPECT_EQ(other->GetPoint()->getDisplayName(), "qorvddz_point_3.png");
  other->ShowPoint(true, -1, kPt);  // a negative amount hides
  EXPECT_EQ(other->GetPoint(), nullptr);
}

TEST_F(PlayerGameInfoTest, OfflineNetDelayAndAutoPlayExcludeOneAnother) {
  PlayerGameInfo* info = makeSeat(0);
  const struct {
    const char* what;
    std::function<void(PlayerGameInfo*)> show;
    bool offline, delay, autoPlay;
  } steps[] = {
      {"net delay", [](PlayerGameInfo* g) { g->ShowNetDelay(true, kPt); }, false, true, false},
      {"offline replaces it", [](PlayerGameInfo* g) { g->ShowOffLine(true, kPt); }, true, false, false},
      {"auto-play replaces offline", [](PlayerGameInfo* g) { g->ShowCompeteTuoGuan(true, kPt); }, false, false, true},
      {"net delay replaces auto-play", [](PlayerGameInfo* g) { g->ShowNetDelay(true, kPt); }, false, true, false},
      {"offline hidden: delay stays", [](PlayerGameInfo* g) { g->ShowOffLine(false, kPt); }, false, true, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.show(info);
    EXPECT_EQ(info->GetOffLine() != nullptr, s.offline);
    EXPECT_EQ(info->GetNetDelay() != nullptr, s.delay);
    EXPECT_EQ(info->GetTuoGuan() != nullptr, s.autoPlay);
  }
}

TEST_F(PlayerGameInfoTest, MoneyBoxShowsAgainWithTheNewAmount) {
  PlayerGameInfo* info = makeSeat(0);
  info->ShowPlayerMoneInfo(true, 1200, kPt, false);
  ASSERT_NE(info->GetMoneyBg(), nullptr);
  EXPECT_EQ(info->GetMoneyLabel()->getString(), "1200");
  EXPECT_EQ(info->GetMoneyLabel()->getPosition(), kPt + Vec2(80, -2));
  const std::size_t children = info->getChildrenCount();

  info->ShowPlayerMoneInfo(true, -300, Vec2(1, 1), true);
  EXPECT_EQ(info->GetMoneyLabel()->getString(), "-300");
  EXPECT_EQ(info->GetMoneyBg()->getPosition(), kPt);
  EXPECT_EQ(info->getChildrenCount(), children);
  run(0.1f);
  EXPECT_GT(info->GetMoneyLabel()->getScale(), 1.0f);  // the bounce
  run(0.5f);
  EXPECT_FLOAT_EQ(info->GetMoneyLabel()->getScale(), 1.0f);

  info->ShowPlayerMoneInfo(false, 0, kPt, false);
  EXPECT_EQ(info->GetMoneyBg(), nullptr);
  EXPECT_EQ(info->GetMoneyLabel(), nullptr);
  EXPECT_EQ(info->getChildrenCount(), children - 2);
}

TEST_F(PlayerGameInfoTest, WaitingDotsCycleOneTwoThreeNoneOnlyAtTheOwnSeat) {
  PlayerGameInfo* other = makeSeat(0);
  other->ShowWaitFarmerMul(true, kPt);
  EXPECT_EQ(other->GetWaitFarmerMul(), nullptr);

  PlayerGameInfo* own = makeSeat(1);
  own->ShowWaitFarmerMul(true, kPt);
  ASSERT_NE(own->GetWaitFarmerMul(), nullptr);
  auto shown = [&] {
    int n = 0;
    for (int i = 0; i < PlayerGameInfo::kWaitDots; ++i) n += own->GetWaitDot(i)->isVisible();
    return n;
  };
  EXPECT_EQ(shown(), 0);
  for (int expected : {1, 2, 3, 0, 1}) {
    SCOPED_TRACE(expected);
    run(0.5f);
    EXPECT_EQ(shown(), expected);
  }
  own->ShowWaitFarmerMul(false, kPt);
  EXPECT_EQ(own->GetWaitFarmerMul(), nullptr);
  EXPECT_EQ(own->GetWaitDot(0), nullptr);
  run(1.0f);  // the tick finds no dots
}

TEST_F(PlayerGameInfoTest, HatEntranceHoldsTheMessagesUntilItLands) {
  PlayerGameInfo* info = makeSeat(2);
  sounds();
  info->ShowLandOwner(true, kPt, false);
  ASSERT_NE(info->GetLandOwner(), nullptr);
  EXPECT_EQ(lockCount(), 1);
  EXPECT_EQ(sounds(), std::vector<std::string>{"ddzSound/222.mp3"});
  info->ShowLandOwner(true, kPt, false);  // a second show changes nothing
  EXPECT_EQ(lockCount(), 1);

  run(1.45f);  // the entrance lasts 1.5 s
  EXPECT_EQ(lockCount(), 1);
  run(0.1f);
  EXPECT_EQ(lockCount(), 0);
  EXPECT_EQ(info->GetLandOwner()->getPosition(), kPt);
  EXPECT_FLOAT_EQ(info->GetLandOwner()->getScale(), 0.5f);
  for (int i = 0; i < PlayerGameInfo::kSparkles; ++i) {
    ASSERT_NE(info->GetLandOwnerStar(i), nullptr);
    EXPECT_FALSE(info->GetLandOwnerStar(i)->isVisible());
  }
  run(2.0f);
  EXPECT_EQ(lockCount(), 0);

  info->ShowLandOwner(false, kPt, false);
  EXPECT_EQ(info->GetLandOwner(), nullptr);
  EXPECT_EQ(info->GetLandOwnerStar(0), nullptr);
  EXPECT_EQ(lockCount(), 0);
}

TEST_F(PlayerGameInfoTest, HatTakenAwayInFlightLowersTheLockExactlyOnce) {
  const struct {
    const char* what;
    std::function<void(PlayerGameInfo*)> takeAway;
  } ways[] = {
      {"hidden", [](PlayerGameInfo* g) { g->ShowLandOwner(false, kPt, false); }},
      {"table reset", [](PlayerGameInfo* g) { g->ResetAll(); }},
      {"widget leaves the table", [](PlayerGameInfo* g) { g->removeFromParent(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    ResetMainMsgLock();
    ++GameViewBase::m_iLockMainMsgCount;  // someone else's raise (the background)
    PlayerGameInfo* info = makeSeat(0);
    info->ShowLandOwner(true, kPt, false);
    run(0.5f);
    EXPECT_EQ(lockCount(), 2);
    way.takeAway(info);
    EXPECT_EQ(lockCount(), 1);
    run(2.0f);
    EXPECT_EQ(lockCount(), 1);
  }
}

TEST_F(PlayerGameInfoTest, HatAfterReloginLandsAtOnceWithoutTheLock) {
  PlayerGameInfo* info = makeSeat(0);
  sounds();
  info->ShowLandOwner(true, kPt, true);
  EXPECT_EQ(lockCount(), 0);
  EXPECT_TRUE(sounds().empty());
  EXPECT_TRUE(info->GetLandOwner()->isVisible());
  EXPECT_EQ(info->GetLandOwner()->getPosition(), kPt);
  EXPECT_FLOAT_EQ(info->GetLandOwner()->getScale(), 0.5f);

  info->ShowLandOwnerAni();
  run(0.25f);
  EXPECT_NE(info->GetLandOwner()->getScaleX(), info->GetLandOwner()->getScaleY());  // squashed
  run(1.0f);
  EXPECT_FLOAT_EQ(info->GetLandOwner()->getScale(), 0.5f);
}

TEST_F(PlayerGameInfoTest, ResetAllEmptiesTheSeatAndStopsTheDots) {
  PlayerGameInfo* info = makeSeat(1);
  info->ShowReady(true, kPt);
  info->ShowWaitFarmerMul(true, kPt);
  info->ShowPlayerMoneInfo(true, 5, kPt, false);
  info->ShowCompeteAmount(true, 7, kPt);
  info->ResetAll();
  EXPECT_EQ(info->getChildrenCount(), 0u);
  EXPECT_EQ(info->GetReady(), nullptr);
  EXPECT_EQ(info->GetMoneyLabel(), nullptr);
  EXPECT_EQ(info->GetAmountLabel(), nullptr);
  g_iWaitDotStep = 0;
  run(1.0f);
  EXPECT_EQ(g_iWaitDotStep, 0);
  info->ShowReady(true, kPt);  // marks come back after a reset
  EXPECT_NE(info->GetReady(), nullptr);
}

TEST_F(PlayerGameInfoTest, ScoreBoxUpdatesOnlyWhenShown) {
  PlayerGameInfo* info = makeSeat(0);
  info->UpdateCompeteAmount(9);  // nothing to update
  EXPECT_EQ(info->GetAmountBg(), nullptr);
  info->ShowCompeteAmount(true, 40, kPt);
  ASSERT_NE(info->GetAmountLabel(), nullptr);
  EXPECT_EQ(info->GetAmountLabel()->getString(), "40");
  info->UpdateCompeteAmount(55);
  EXPECT_EQ(info->GetAmountLabel()->getString(), "55");
  info->ShowCompeteAmount(false, 0, kPt);
  EXPECT_EQ(info->GetAmountBg(), nullptr);
}

TEST_F(PlayerGameInfoTest, ExpressionReplacesTheRunningOneAndGoesAfterItsTime) {
  PlayerGameInfo* info = makeSeat(0);
  info->ShowFaceSpine(8, true, 3.0f);
  EXPECT_EQ(info->GetFaceSpine(), nullptr);

  info->ShowFaceSpine(2, true, 3.0f);
  ASSERT_NE(info->GetFaceSpine(), nullptr);
  EXPECT_EQ(info->GetFaceSpine()->getSkeletonFile(), "3_ddz_bisheng.json");
  EXPECT_EQ(info->GetFaceSpine()->getPosition(), Vec2(236 - 47.5f, 542 - 40));
  run(2.0f);
  info->ShowFaceSpine(4, true, 3.0f);
  ASSERT_NE(info->GetFaceSpine(), nullptr);
  EXPECT_EQ(info->GetFaceSpine()->getSkeletonFile(), "5_ddz_kaixin.json");
  EXPECT_EQ(info->getChildrenCount(), 1u);
  run(2.0f);  // the first one's time has passed, the second's not
  EXPECT_NE(info->GetFaceSpine(), nullptr);
  run(1.1f);
  EXPECT_EQ(info->GetFaceSpine(), nullptr);
  EXPECT_EQ(info->getChildrenCount(), 0u);
}

TEST_F(PlayerGameInfoTest, AWidgetAddedAgainIsNotAddedTwice) {
  auto* info = new PlayerGameInfo(0);
  info->autorelease();
  view->addChild(info, 2);
  const std::size_t children = view->getChildrenCount();
  EXPECT_FALSE(view->AddTableWidget(info, 2));  // a repeated join
  EXPECT_EQ(view->getChildrenCount(), children);
  EXPECT_EQ(info->getParent(), view);
  auto* fresh = new PlayerGameInfo(2);
  fresh->autorelease();
  EXPECT_TRUE(view->AddTableWidget(fresh, 2));
  EXPECT_EQ(fresh->getParent(), view);
  EXPECT_FALSE(view->AddTableWidget(nullptr, 2));
}

}  // namespace
