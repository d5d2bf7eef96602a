// The announcement strip's timings and queue, the tip bubble, and the
// new-player guide's steps.
#include "ChatWidgetsTestSupport.h"

#include "widgets/LobbyTopBull.h"

namespace chattest {
namespace {

using cocos2d::Vec2;

class LobbyTopBullTest : public ChatWidgetsTest {
 protected:
  void SetUp() override {
    ChatWidgetsTest::SetUp();
    bull = LobbyTopBull::create();
    bull->setPosition(Vec2(640, 640));
    view->addChild(bull);
  }
  // The text on the strip now ("" between texts), and whether it shows.
  std::string shown() const {
    if (!bull->isVisible()) return "<hidden>";
    return bull->GetLabel()->isVisible() ? bull->GetLabel()->getString() : "";
  }
  LobbyTopBull* bull = nullptr;
};

TEST_F(LobbyTopBullTest, ATextCrossesTheWindowAtAHundredPointsASecond) {
  EXPECT_FLOAT_EQ(LobbyTopBull::ScrollSeconds(400, 40), 10.6f);  // (600 + 440 + 20) / 100

  // On the strip: 33 narrow characters are 396 wide, the icon 40.
  bull->AddBullInfo(std::string(33, 'x'));
  run(0.5f);  // the slide in
  tick();
  cocos2d::Label* label = bull->GetLabel();
  const float start = 300 + (396 + 40) / 2.0f;
  EXPECT_NEAR(label->getPositionX(), start + 20, 2);
  EXPECT_NEAR(bull->GetHorn()->getPositionX(), label->getPositionX() - 198 - 20 - 20, 2);  // 20 ahead
  const float seconds = LobbyTopBull::ScrollSeconds(396, 40);
  run(seconds - 0.1f);
  EXPECT_TRUE(bull->IsScrolling());
  EXPECT_NEAR(label->getPositionX(), -start + 10, 3);  // within two frames
  run(0.15f);
  EXPECT_FALSE(bull->IsScrolling());
  EXPECT_FALSE(bull->GetHorn()->isVisible());  // the icon ended its path and hid
}

TEST_F(LobbyTopBullTest, TextsScrollInTurnWithAPauseAndTheStripLeavesAfterTheLast) {
  // Each one-character text: 12 wide, 6.72 s across.
  bull->AddBullInfo("A");
  bull->AddBullInfo("B");
  bull->AddBullInfo("C");
  EXPECT_EQ(bull->GetQueue().size(), 2u);  // A left the queue at once
  const struct {
    float at;
    const char* text;
  } timeline[] = {
      {0.3f, ""},          // sliding in, the label not shown yet
      {1.0f, "A"},   {7.0f, "A"},   {7.6f, ""},  // the 1 s pause
      {8.4f, "B"},   {14.8f, "B"},  {15.5f, ""},
      {16.1f, "C"},  {22.5f, "C"},  {22.9f, ""},  // leaving
      {23.4f, "<hidden>"},
  };
  float now = 0;
  for (const auto& step : timeline) {
    SCOPED_TRACE(step.at);
    run(step.at - now);
    now = step.at;
    EXPECT_EQ(shown(), step.text);
  }
  EXPECT_EQ(bull->getPosition(), Vec2(640, 640));  // back in its place, hidden
}

TEST_F(LobbyTopBullTest, ATextAddedWhileTheStripLeavesBringsItBack) {
  bull->AddBullInfo("A");
  run(0.5f + 6.72f + 0.2f);  // 0.2 s into the leave
  ASSERT_TRUE(bull->isVisible());
  bull->AddBullInfo("B");
  run(1.0f);
  EXPECT_EQ(shown(), "B");
  EXPECT_EQ(bull->getPosition(), Vec2(640, 640));
  run(5.0f);
  EXPECT_EQ(shown(), "B");  // the old leave does not hide it midway
}

TEST_F(LobbyTopBullTest, ATextAddedWhileAnotherScrollsWaitsItsTurn) {
  bull->AddBullInfo("A");
  run(3);
  bull->AddBullInfo("B");
  EXPECT_EQ(shown(), "A");
  EXPECT_EQ(bull->GetQueue().front(), "B");
}

TEST_F(LobbyTopBullTest, AFloodOfBroadcastsKeepsOnlyTheNewestWaitingTexts) {
  bull->retain();
  view->removeChild(bull);  // a strip that is not running only queues
  for (int i = 0; i < 120; ++i) bull->AddBullInfo("t" + std::to_string(i));
  ASSERT_EQ(bull->GetQueue().size(), LobbyTopBull::kMaxQueued);
  EXPECT_EQ(bull->GetQueue().front(), "t70");
  EXPECT_EQ(bull->GetQueue().back(), "t119");
  view->addChild(bull);
  bull->release();
  bull->AddBullInfo("last");
  EXPECT_EQ(bull->GetLabel()->getString(), "t71");  // the oldest kept text goes first
}

TEST_F(LobbyTopBullTest, TheTipBubbleShowsItsTextWhenItsOwnerSaysSo) {
  g_ptGameTips = Vec2(640, 360);
  auto* tips = GameTips::create();
  view->addChild(tips);
  ASSERT_NE(tips->GetTipsBg(), nullptr);
  EXPECT_FALSE(tips->GetTipsBg()->isVisible());
  EXPECT_EQ(tips->GetTipsBg()->getPosition(), Vec2(640, 360));
  tips->SetTipsText("hello");
  tips->SetTipsVisible(true);
  EXPECT_TRUE(tips->GetTipsBg()->isVisible());
  EXPECT_EQ(tips->GetTipsLabel()->getString(), "hello");
  EXPECT_EQ(tips->GetTipsLabel()->getPosition(), Vec2(210, 28));
}

// ---------------------------------------------------------------- guide

TEST_F(LobbyTopBullTest, ANewPlayersGuideShowsSevenStepsThenLeavesTheView) {
  for (int k = 0; k < 7; ++k) g_ptGuideTips[k] = Vec2(190 + 150 * k, 360);
  auto* guide = PlayerGuide::create(view, 0);
  ASSERT_NE(guide, nullptr);
  guide->retain();
  view->addChild(guide);
  struct Sample {
    float at;
    int step;
  };
  // Step 0 lasts 4.5 s, steps 1-6 3 s each (a frame more per step to start).
  const Sample samples[] = {{1, 0}, {4.4f, 0}, {4.7f, 1}, {7.5f, 1}, {7.8f, 2}, {19.4f, 5}, {19.9f, 6}};
  float now = 0;
  for (const Sample& s : samples) {
    SCOPED_TRACE(s.at);
    run(s.at - now);
    now = s.at;
    EXPECT_EQ(guide->GetStep(), s.step);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(guide->GetPage(k)->isVisible(), k == s.step) << k;
  }
  EXPECT_EQ(guide->getParent(), view);
  run(23.0f - now);
  EXPECT_EQ(guide->GetStep(), 7);
  EXPECT_EQ(guide->getParent(), nullptr);
  guide->release();
}

TEST_F(LobbyTopBullTest, AGuideForAReturningPlayerShowsOnlyTheShortHint) {
  auto* guide = PlayerGuide::create(view, 2);
  guide->retain();
  view->addChild(guide);
  run(1);
  EXPECT_TRUE(guide->GetPage(1)->isVisible());
  EXPECT_TRUE(guide->GetPage(PlayerGuide::kPointerPage)->isVisible());
  for (int k : {0, 2, 3, 4, 5, 6}) EXPECT_EQ(guide->GetPage(k), nullptr) << k;
  run(2.1f);
  EXPECT_EQ(guide->getParent(), nullptr);
  guide->release();
  EXPECT_EQ(PlayerGuide::create(nullptr, 0), nullptr);
}

}  // namespace
}  // namespace chattest
