// The treasure-shell game: the values the shells show for a prize, the
// branches of a round, a pick that counts only after the shuffle, and the
// round after the award animation.
#include "ChatWidgetsTestSupport.h"

#include <algorithm>
#include <climits>

#include "widgets/NewPlayerAward.h"

namespace chattest {
namespace {

using cocos2d::Vec2;

class NewPlayerAwardTest : public ChatWidgetsTest {
 protected:
  void SetUp() override {
    ChatWidgetsTest::SetUp();
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    cocos2d::SpriteFrameCache::destroyInstance();
    award = NewPlayerAward::create(view, Vec2(60, 540));
    view->addChild(award, NewPlayerAward::kZOrder);
  }
  void TearDown() override {
    ChatWidgetsTest::TearDown();
    cocos2d::SpriteFrameCache::destroyInstance();
  }

  void TapAt(Vec2 at) {
    const float windowY = director->getWinSize().height - at.y;
    window->touchBegan(at.x, windowY);
    window->touchEnded(at.x, windowY);
  }
  // Runs frames until a shell may be picked; the seconds that took, or -1.
  float UntilPickable(float maxSeconds = 15) {
    int frames = 0;
    while (!award->CanPick()) {
      if (frames > maxSeconds * 60) return -1;
      tick();
      ++frames;
    }
    return frames / 60.0f;
  }

  NewPlayerAward* award = nullptr;
};

// ---------------------------------------------------------------- shell values

TEST_F(NewPlayerAwardTest, ShellValuesFollowThePrizeAndTheTwoDraws) {
  struct Case {
    int amount, kind, r2, r3;
    int values[4];  // yuanbao, yuanbao, money, money
  };
  const Case cases[] = {
      // Yuanbao prizes.
      {15, 1, 0, 0, {15, 50, 100, 500}},
      {15, 1, 1, 2, {15, 50, 1000, 2000}},
      {30, 1, 1, 1, {10, 30, 500, 1500}},
      {30, 1, 0, 0, {30, 60, 100, 500}},
      {30, 1, 0, 2, {30, 60, 1000, 1500}},
      // Money prizes, below 500, below 1000, from 1000 on.
      {300, 2, 0, 0, {10, 50, 300, 400}},
      {300, 2, 1, 0, {50, 100, 300, 500}},
      {700, 2, 1, 0, {50, 100, 100, 700}},
      {700, 2, 0, 0, {10, 50, 700, 1200}},
      {1000, 2, 1, 0, {50, 100, 500, 1000}},
      {1000, 2, 0, 0, {10, 50, 1000, 1500}},
      {2500, 0, 1, 2, {50, 100, 2000, 2500}},  // any kind but 1 is money
      // Prizes near an int's end stop there instead of wrapping.
      {2000000000, 1, 0, 0, {2000000000, INT_MAX, 100, 500}},
      {INT_MAX, 2, 0, 0, {10, 50, INT_MAX, INT_MAX}},
      {INT_MAX, 2, 1, 0, {50, 100, 2147483000, INT_MAX}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.amount << " kind " << c.kind << " r2 " << c.r2 << " r3 " << c.r3);
    ddz::os::ScriptedRandom draws{c.r2 + 2 * 1000, c.r3 + 3 * 1000};  // only the remainders count
    ddz::os::ScopedRandomSource scoped(draws);
    award->ComputeShellValues(c.amount, c.kind);
    EXPECT_EQ(draws.Remaining(), 0u);
    int prizeShells = 0;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(award->GetShellKind(i), i < 2 ? NewPlayerAward::kKindYuanbao : NewPlayerAward::kKindMoney) << i;
      EXPECT_EQ(award->GetShellValue(i), c.values[i]) << i;
      const bool prizeKind = (c.kind == 1) == (i < 2);
      if (prizeKind && award->GetShellValue(i) == c.amount) ++prizeShells;
    }
    // The prize itself is always among the shells of its kind.
    EXPECT_GE(prizeShells, 1);
  }
}

// ---------------------------------------------------------------- rounds

TEST_F(NewPlayerAwardTest, StartRoundShowsTheHintOrThePrizeOrNothing) {
  EXPECT_FALSE(award->isVisible());  // hidden once it entered
  struct Case {
    int chances, amount, kind;
    bool shown;
    int state;
  };
  const Case cases[] = {
      {2, 0, 0, true, NewPlayerAward::kHint},      {1, 15, 1, true, NewPlayerAward::kPicking},
      {0, 300, 2, true, NewPlayerAward::kPicking}, {0, 0, 0, false, -1},
      {0, 15, 0, false, -1},                       {3, -5, 1, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.chances << " " << c.amount << " " << c.kind);
    award->removeFromParent();
    award = NewPlayerAward::create(view, Vec2(60, 540));
    view->addChild(award, NewPlayerAward::kZOrder);
    const int before = award->GetState();
    award->StartRound(c.chances, c.amount, c.kind);
    EXPECT_EQ(award->isVisible(), c.shown);
    EXPECT_EQ(award->GetState(), c.shown ? c.state : before);
    EXPECT_EQ(award->GetChanceCount(), c.chances);
    const bool hint = c.state == NewPlayerAward::kHint;
    EXPECT_EQ(award->GetTipBubble()->isVisible(), hint);
    EXPECT_EQ(award->GetSelectMark()->isVisible(), c.state == NewPlayerAward::kPicking);
    if (hint) {
      EXPECT_EQ(award->GetTipLabel()->getString(), ddz::FormatText(GameText(223), c.chances));
    }
  }
}

TEST_F(NewPlayerAwardTest, TheHintBubbleGoesAfterThirteenSecondsAndTheIconThenJumps) {
  award->StartRound(2, 0, 0);
  run(12.9f);
  EXPECT_TRUE(award->GetTipBubble()->isVisible());
  EXPECT_EQ(award->GetIcon()->getNumberOfRunningActions(), 0u);
  run(0.7f);
  EXPECT_FALSE(award->GetTipBubble()->isVisible());
  EXPECT_EQ(award->GetIcon()->getNumberOfRunningActions(), 1u);
  // A release on the icon brings the bubble back.
  TapAt(Vec2(60, 540));
  EXPECT_TRUE(award->GetTipBubble()->isVisible());
}

// ---------------------------------------------------------------- the pick

TEST_F(NewPlayerAwardTest, APickBeforeTheShuffleEndsDoesNothingAndOneAfterItPlaysTheServersPrize) {
  award->StartRound(2, 0, 0);  // the hint first: the layer takes touches from here on
  award->StartRound(1, 15, 1);
  award->ShowReward();
  run(2.0f);  // the shells stand at their places, still showing what they hold
  ASSERT_EQ(award->GetShell(2)->getPosition(), NewPlayerAward::ShellHome(2));
  ASSERT_TRUE(award->GetShellContent(2)->isVisible());
  TapAt(NewPlayerAward::ShellHome(2));
  run(3.0f);  // the shuffle is under way
  ASSERT_FALSE(award->CanPick());
  TapAt(award->GetShell(1)->getPosition());
  EXPECT_TRUE(view->awardAnis.empty());

  ASSERT_GT(UntilPickable(), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(award->GetShell(i)->getPosition(), NewPlayerAward::ShellHome(i)) << i;
  EXPECT_FALSE(award->GetShellContent(2)->isVisible());
  TapAt(NewPlayerAward::ShellHome(2));
  EXPECT_FALSE(award->CanPick());
  TapAt(NewPlayerAward::ShellHome(0));  // a second pick is not taken
  run(2.0f);
  ASSERT_EQ(view->awardAnis.size(), 1u);
  // The server's prize, whatever the picked shell showed (a money shell here).
  EXPECT_EQ(view->awardAnis[0], (SingleView::AwardAni{1, 1, 15}));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(award->GetShell(i)->isVisible()) << i;
}

TEST_F(NewPlayerAwardTest, AfterTheAwardTheHintReturnsWhileChancesRemainElseTheGameIsFinished) {
  for (auto [chances, state] : {std::pair{2, NewPlayerAward::kHint}, {0, NewPlayerAward::kFinished}}) {
    SCOPED_TRACE(chances);
    award->StartRound(chances, 500, 2);
    award->ShowReward();
    award->Restart();
    EXPECT_EQ(award->GetState(), state);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(award->GetShell(i), nullptr);
    EXPECT_EQ(award->GetTipBubble()->isVisible(), state == NewPlayerAward::kHint);
  }
}

}  // namespace
}  // namespace chattest
