// The match banners on the stepped clock: one raise of the message lock per
// banner, released at 3.0 s or when the banner is taken off early, once; the
// kinds' words and sounds; the stage number centred between its two words;
// unknown kinds leave nothing; the start banner's end shows the waiting tip
// only on a tournament table with a running bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CompeteTestSupport.h"
#include "compete/CompeteMsg.h"
#include "compete/CompeteTableUI.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"

namespace competetest {
namespace {

constexpr float kStep = 0.05f;

int LockCount() { return GameViewBase::m_iLockMainMsgCount.Get(); }

class BannerTest : public CompeteTest {
 protected:
  void SetUp() override {
    CompeteTest::SetUp();
    GameSceneBase::m_pGameView = view;
    tick(1);
    TakeSounds();
  }
  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    CompeteTest::TearDown();
  }
  // The banners now on the table.
  std::vector<CompeteMsg*> Banners() const {
    std::vector<CompeteMsg*> found;
    for (cocos2d::Node* child : view->getChildren())
      if (auto* banner = dynamic_cast<CompeteMsg*>(child)) found.push_back(banner);
    return found;
  }
  // Steps the clock by `seconds`.
  void run(float seconds) { tick(static_cast<int>(seconds / kStep + 0.5f), kStep); }
};

TEST_F(BannerTest, TwoBannersHoldTheLockTwiceAndEachReleasesItAtThreeSeconds) {
  const int before = LockCount();
  CompeteMsg::ShowMsg(2, view, "");
  EXPECT_EQ(LockCount(), before + 1);
  run(1.0f);
  CompeteMsg::ShowMsg(3, view, "");
  EXPECT_EQ(LockCount(), before + 2);
  EXPECT_EQ(Banners().size(), 2u);
  run(1.9f);
  EXPECT_EQ(LockCount(), before + 2) << "2.9 s: the first still holds";
  run(0.2f);
  EXPECT_EQ(LockCount(), before + 1) << "3.1 s: the first released";
  EXPECT_EQ(Banners().size(), 1u);
  run(0.8f);
  EXPECT_EQ(LockCount(), before + 1);
  run(0.2f);
  EXPECT_EQ(LockCount(), before);
  EXPECT_TRUE(Banners().empty());
}

TEST_F(BannerTest, EachKindShowsItsWordsSoundsAndEnd) {
  struct Case {
    int kind;
    const char* word;  // null: the stage's group
    std::vector<std::string> sounds;
    bool tipAtEnd;
  };
  const Case cases[] = {
      {0, "ddzbs_bsks_z.png",
       {"ddzSound/ddzcompete_game_start.ogg", "ddzSound/ddzcompete_game_start_2.ogg"}, true},
      {1, nullptr, {}, false},
      {2, "ddzbs_bzdymgj_z.png", {}, false},
      {3, "ddzbs_jjyjhj_z.png", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    view->m_pCompeteTableUI = nullptr;
    CompeteTableUI* bar = view->CreateCompeteTableUI();
    tick(1);
    TakeSounds();
    CompeteMsg::ShowMsg(c.kind, view, "7");
    ASSERT_EQ(Banners().size(), 1u);
    CompeteMsg* banner = Banners().front();
    EXPECT_EQ(banner->GetMsgType(), c.kind);
    EXPECT_EQ(banner->GetStrip()->getDisplayName(), "ddzbs_ynddh_pic02.png");
    if (c.word != nullptr) {
      auto* word = dynamic_cast<cocos2d::Sprite*>(banner->GetWord());
      ASSERT_NE(word, nullptr);
      EXPECT_EQ(word->getDisplayName(), c.word);
    }
    EXPECT_FALSE(banner->GetWord()->isVisible()) << "the word waits 0.2 s";
    const std::vector<std::string> first = TakeSounds();
    EXPECT_EQ(first, std::vector<std::string>(c.sounds.begin(), c.sounds.begin() + (c.sounds.empty() ? 0 : 1)));
    run(0.45f);
    EXPECT_TRUE(TakeSounds().empty()) << "nothing more before 0.5 s";
    run(0.1f);
    EXPECT_EQ(TakeSounds(),
              std::vector<std::string>(c.sounds.begin() + (c.sounds.empty() ? 0 : 1), c.sounds.end()));
    // At rest: the word in the strip's middle, 26 above it; the strip in the window's.
    const cocos2d::Size strip = banner->GetStrip()->getContentSize();
    EXPECT_TRUE(banner->GetWord()->isVisible());
    EXPECT_NEAR(banner->GetWord()->getPositionX(), strip.width / 2, 0.5f);
    EXPECT_NEAR(banner->GetWord()->getPositionY(), strip.height / 2 + 26, 0.5f);
    EXPECT_NEAR(banner->GetStrip()->getPositionX(), 640, 0.5f);
    EXPECT_NEAR(banner->GetStrip()->getPositionY(), 382, 0.5f);
    run(2.6f);
    EXPECT_TRUE(Banners().empty());
    EXPECT_EQ(bar->GetWaitTip() != nullptr, c.tipAtEnd);
  }
}

TEST_F(BannerTest, TheStageNumberStandsBetweenItsWordsCentredAsOneGroup) {
  CompeteMsg::ShowMsg(1, view, "12");
  ASSERT_EQ(Banners().size(), 1u);
  cocos2d::Node* group = Banners().front()->GetWord();
  ASSERT_EQ(group->getChildrenCount(), 3u);
  EXPECT_TRUE(group->isCascadeOpacityEnabled()) << "the group fades as one";
  const auto& parts = group->getChildren();
  auto* before = dynamic_cast<cocos2d::Sprite*>(parts.at(0));
  auto* digits = dynamic_cast<cocos2d::ui::TextAtlas*>(parts.at(1));
  auto* after = dynamic_cast<cocos2d::Sprite*>(parts.at(2));
  ASSERT_TRUE(before && digits && after);
  EXPECT_EQ(before->getDisplayName(), "ddzbs_compete_z01.png");
  EXPECT_EQ(after->getDisplayName(), "ddzbs_compete_z02.png");
  EXPECT_EQ(digits->getString(), "12");
  EXPECT_FLOAT_EQ(digits->getContentSize().width, 2 * CompeteMsg::kDigitWidth);
  // Edge to edge, the group spans -T/2 .. T/2 around the word's place.
  const float w1 = before->getContentSize().width, w2 = digits->getContentSize().width,
              w3 = after->getContentSize().width, total = w1 + w2 + w3;
  EXPECT_FLOAT_EQ(before->getPositionX() - w1 / 2, -total / 2);
  EXPECT_FLOAT_EQ(digits->getPositionX() - w2 / 2, before->getPositionX() + w1 / 2);
  EXPECT_FLOAT_EQ(after->getPositionX() + w3 / 2, total / 2);
  EXPECT_FLOAT_EQ(before->getPositionY(), -10);
  EXPECT_FLOAT_EQ(digits->getPositionY(), -6);
  EXPECT_FLOAT_EQ(after->getPositionY(), 0);
}

TEST_F(BannerTest, UnknownKindsAndAParentOffTheStageLeaveNothingAndTheLockAlone) {
  const int before = LockCount();
  const std::size_t children = view->getChildrenCount();
  for (int kind : {4, -1, 1000}) {
    SCOPED_TRACE(kind);
    CompeteMsg::ShowMsg(kind, view, "12");
    EXPECT_EQ(LockCount(), before);
    EXPECT_EQ(view->getChildrenCount(), children);
  }
  CompeteView* offStage = CompeteView::create();
  CompeteMsg::ShowMsg(0, offStage, "");
  CompeteMsg::ShowMsg(1, nullptr, "3");
  EXPECT_EQ(offStage->getChildrenCount(), 0u);
  run(0.5f);
  EXPECT_EQ(LockCount(), before);
  EXPECT_TRUE(TakeSounds().empty());
}

TEST_F(BannerTest, ABannerTakenOffEarlyReleasesTheLockOnce) {
  const int before = LockCount();
  CompeteMsg::ShowMsg(0, view, "");
  CompeteMsg::ShowMsg(1, view, "3");
  ASSERT_EQ(Banners().size(), 2u);
  run(1.0f);
  CompeteMsg* first = Banners().front();
  first->retain();
  first->removeFromParent();  // its parent's table reset or background
  EXPECT_EQ(LockCount(), before + 1);
  EXPECT_FALSE(first->HoldsLock());
  first->OnMsgEnd();  // a late end changes nothing more
  EXPECT_EQ(LockCount(), before + 1);
  first->release();
  run(2.5f);
  EXPECT_EQ(LockCount(), before);

  // The whole table going: every banner on it lets go.
  CompeteMsg::ShowMsg(2, view, "");
  CompeteMsg::ShowMsg(3, view, "");
  EXPECT_EQ(LockCount(), before + 2);
  view->removeFromParent();
  EXPECT_EQ(LockCount(), before);
  view = nullptr;
  GameSceneBase::m_pGameView = nullptr;
}

TEST_F(BannerTest, TheStartBannersEndShowsATipOnlyOnATournamentTableWithARunningBar) {
  // No bar: the end finds nothing to show.
  CompeteMsg::ShowMsg(0, view, "");
  run(3.1f);
  EXPECT_TRUE(Banners().empty());

  // A bar made but not on the stage (the background took it): nothing.
  CompeteTableUI* parked = CompeteTableUI::create();
  parked->retain();
  view->m_pCompeteTableUI = parked;
  CompeteMsg::ShowMsg(0, view, "");
  run(3.1f);
  EXPECT_EQ(parked->GetWaitTip(), nullptr);
  view->m_pCompeteTableUI = nullptr;
  parked->release();

  // The current view is another table (or none): nothing, and no crash.
  CompeteTableUI* bar = view->CreateCompeteTableUI();
  tick(1);
  classictest::CountingView* other = classictest::CountingView::create();
  for (GameViewBase* current : {static_cast<GameViewBase*>(other), static_cast<GameViewBase*>(nullptr)}) {
    GameSceneBase::m_pGameView = current;
    CompeteMsg::ShowMsg(0, view, "");
    run(3.1f);
    EXPECT_EQ(bar->GetWaitTip(), nullptr);
  }
  GameSceneBase::m_pGameView = view;
  CompeteMsg::ShowMsg(0, view, "");
  run(3.1f);
  EXPECT_NE(bar->GetWaitTip(), nullptr);
}

}  // namespace
}  // namespace competetest
