// The four-player top bar: the golden-card roll through the scripted random
// source, the tips card and its auto-hide on the stepped clock, the task
// panel, what its buttons do (own talk debounce, settings kind, the quit
// question) and the card counter's ownership.
#include <limits>

#include "TopBarTestSupport.h"

#include "widgets/SRTopUI.h"

namespace topbartest {
namespace {

class SRTopUITest : public TopBarTest {
 protected:
  SRTopUI* NewBar() {
    SRTopUI* bar = SRTopUI::create(barView);
    barView->addChild(bar);
    return bar;
  }
  static cocos2d::SpriteFrame* Face(int card) {
    return cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName("veriz_gold_card_" + std::to_string(card) +
                                                                          ".png");
  }
  // The faces the card shows from now until it stops rolling, in order of change.
  std::vector<cocos2d::SpriteFrame*> WatchRoll(SRTopUI* bar) {
    std::vector<cocos2d::SpriteFrame*> seen{bar->GetGoldCard()->getSpriteFrame()};
    for (int i = 0; i < 600 && bar->IsRolling(); ++i) {
      tick();
      if (bar->GetGoldCard()->getSpriteFrame() != seen.back()) seen.push_back(bar->GetGoldCard()->getSpriteFrame());
    }
    return seen;
  }
  const int counts[SRTopUI::kGoldCounts] = {1, 22, 333, 4, 0};
};

TEST_F(SRTopUITest, AClosedGoldenCardRollsTenRandomFacesThenStopsOnItsCardAndOpensTheTips) {
  SRTopUI* bar = NewBar();
  // YndRand(13) + 1 of each draw: 13, 1, 2, 4, 5, 6, 7, 8, 9, 10.
  for (int v : {12, 13, 27, 3, 4, 5, 6, 7, 8, 9}) random.Push(v);
  bar->ShowGoldCardTask(3, counts, false, true);
  EXPECT_EQ(random.Remaining(), 0u);
  ASSERT_NE(bar->GetGoldCardBtn(), nullptr);
  EXPECT_FALSE(bar->GetGoldCardBtn()->isEnabled());
  EXPECT_FALSE(bar->GetGoldTips()->isVisible());

  const std::vector<int> faces = {13, 1, 2, 4, 5, 6, 7, 8, 9, 10, 3};
  std::vector<cocos2d::SpriteFrame*> expected;
  for (int f : faces) expected.push_back(Face(f));
  EXPECT_EQ(WatchRoll(bar), expected);
  EXPECT_TRUE(bar->GetGoldCardBtn()->isEnabled());
  EXPECT_TRUE(bar->GetGoldTips()->isVisible());
  run(2);
  EXPECT_EQ(bar->GetGoldCard()->getSpriteFrame(), Face(3));  // it stays on its card
  EXPECT_EQ(bar->GetGoldNum(2)->getString(), "333");
}

TEST_F(SRTopUITest, AnOpenedGoldenCardShowsAtOnceAndASecondShowingChangesNothing) {
  SRTopUI* bar = NewBar();
  bar->ShowGoldCardTask(7, counts, true, true);
  EXPECT_FALSE(bar->IsRolling());
  ASSERT_NE(bar->GetGoldCard(), nullptr);
  EXPECT_EQ(bar->GetGoldCard()->getSpriteFrame(), Face(7));
  EXPECT_TRUE(bar->GetGoldCardBtn()->isEnabled());
  EXPECT_FALSE(bar->GetGoldTips()->isVisible());

  cocos2d::ui::Button* button = bar->GetGoldCardBtn();
  const int other[SRTopUI::kGoldCounts] = {9, 9, 9, 9, 9};
  random.Push(0);
  bar->ShowGoldCardTask(2, other, false, true);
  EXPECT_EQ(bar->GetGoldCardBtn(), button);
  EXPECT_EQ(bar->GetGoldCard()->getSpriteFrame(), Face(7));
  EXPECT_EQ(bar->GetGoldNum(1)->getString(), "22");
  EXPECT_EQ(random.Remaining(), 1u);  // no draw

  bar->SetCountNum(other);
  EXPECT_EQ(bar->GetGoldNum(1)->getString(), "9");
  bar->SetCountNum(nullptr);  // refused
  EXPECT_EQ(bar->GetGoldNum(1)->getString(), "9");
}

TEST_F(SRTopUITest, HidingTheGoldenCardMidRollTakesEverythingOffTheBarAndStopsTheRoll) {
  SRTopUI* bar = NewBar();
  bar->ShowGoldCardTask(5, counts, false, true);
  run(0.35f);
  const std::size_t withCard = bar->getChildrenCount();
  bar->ShowGoldCardTask(-1, nullptr, false, false);
  EXPECT_FALSE(bar->IsRolling());
  EXPECT_EQ(bar->GetGoldCard(), nullptr);
  EXPECT_EQ(bar->GetGoldCardBtn(), nullptr);
  EXPECT_EQ(bar->GetGoldTips(), nullptr);
  EXPECT_EQ(bar->getChildrenCount(), withCard - 3);  // button, card and tips card
  bar->SetCountNum(counts);                           // no button: nothing
  run(2);

  bar->ShowGoldCardTask(4, nullptr, true, true);  // no counts: refused
  EXPECT_EQ(bar->GetGoldCardBtn(), nullptr);
  bar->ShowGoldCardTask(4, counts, true, true);  // a new hand shows it again
  EXPECT_EQ(bar->GetGoldCard()->getSpriteFrame(), Face(4));
}

TEST_F(SRTopUITest, TheTipsCardOpensOnTheButtonAndHidesItselfAfterThreeSeconds) {
  SRTopUI* bar = NewBar();
  bar->ShowGoldCardTask(7, counts, true, true);
  cocos2d::Sprite* tips = bar->GetGoldTips();
  bar->OnGoldTipsClick();
  EXPECT_TRUE(tips->isVisible());
  EXPECT_FLOAT_EQ(tips->getScale(), SRTopUI::kTipsSmallScale);
  run(0.3f);
  EXPECT_FLOAT_EQ(tips->getScale(), 1.0f);
  run(2.5f);
  EXPECT_TRUE(tips->isVisible());  // 2.8 s
  run(0.5f);
  EXPECT_FALSE(tips->isVisible());  // 3.3 s: shrunk and hidden

  // Closed by hand, then opened again: the 3 s start anew from the opening.
  bar->OnGoldTipsClick();
  run(2);
  bar->OnGoldTipsClick();
  run(0.3f);
  EXPECT_FALSE(tips->isVisible());
  bar->OnGoldTipsClick();
  run(2);
  EXPECT_TRUE(tips->isVisible());  // the first opening's timer did not close it
  run(1.3f);
  EXPECT_FALSE(tips->isVisible());
}

TEST_F(SRTopUITest, TheTaskPanelIsBuiltOnceAndSurvivesTheViewTakingItAway) {
  SRTopUI* bar = NewBar();
  bar->ShowTaskPanel(3, 12, true);
  cocos2d::Sprite* panel = bar->GetTaskPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_FLOAT_EQ(panel->getScaleY(), 0.0f);
  run(0.3f);
  EXPECT_FLOAT_EQ(panel->getScaleY(), 1.0f);
  bar->ShowTaskPanel(4, 0, true);
  EXPECT_EQ(bar->GetTaskPanel(), panel);
  EXPECT_FLOAT_EQ(panel->getScaleY(), 1.0f);  // no second growth
  EXPECT_EQ(bar->GetTaskNum(0)->getString(), "4");
  EXPECT_EQ(bar->GetTaskNum(1)->getString(), "0");

  panel->removeFromParent();  // as the view does at the end of a hand
  bar->ShowTaskPanel(7, 8, true);
  ASSERT_NE(bar->GetTaskPanel(), nullptr);
  EXPECT_EQ(bar->GetTaskPanel()->getParent(), bar);
  EXPECT_EQ(bar->GetTaskNum(0)->getString(), "7");
  // The task digits draw ';' as the minus, whatever the server's number.
  bar->ShowTaskPanel(7, std::numeric_limits<int>::min(), true);
  EXPECT_EQ(bar->GetTaskNum(1)->getString(), ";2147483648");
  bar->ShowTaskPanel(0, 0, false);
  EXPECT_EQ(bar->GetTaskPanel(), nullptr);
}

TEST_F(SRTopUITest, TheButtonsHaveNoStateLockTheirOwnTalkDebounceAndTheirOwnSettingsAndQuit) {
  SRTopUI* bar = NewBar();
  bar->SetBtnOnState(TopUI::kBtnNone);  // no effect on this bar
  TopUI* other = TopUI::create(barView);
  barView->addChild(other);
  other->OnTopBtnClick(other->GetTopBtn(TopUIBase::kTalkBtn));
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kTalkBtn));  // a TopUI click does not count here
  EXPECT_EQ(bar->GetTalkLayer()->getParent(), bar);
  run(0.3f);
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kTalkBtn));
  tick(2);
  EXPECT_EQ(bar->GetTalkLayer()->getParent(), bar);  // ignored

  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kSetBtn));
  SetLayer* settings = SetLayer::sharedIfAny();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->getParent(), bar);
  EXPECT_EQ(settings->GetOpenFrom(), SetLayer::kFromTable);
  EXPECT_EQ(settings->GetGameKind(), 2);
  tick(2);
  EXPECT_EQ(bar->GetTalkLayer()->getParent(), nullptr);  // the settings closed it

  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kQuitBtn));
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), "line 18");
  EXPECT_EQ(box->GetType(), 0);
  EXPECT_EQ(box->GetTarget(), barView);
  EXPECT_EQ(box->GetConfirmAction(), static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
  EXPECT_EQ(barView->quitAsks, 0);  // not the view's own question
  EXPECT_EQ(clicks(), 5u);
}

TEST_F(SRTopUITest, TheFourPlayerCounterCountsTwoDecksAndLeavesWithTheBarWhileOpen) {
  SRTopUI* bar = NewBar();
  ASSERT_NE(dynamic_cast<SRCardCounterLayer*>(bar->GetCardCounter()), nullptr);
  EXPECT_TRUE(bar->GetClockLabel()->isVisible());
  EXPECT_FALSE(bar->GetTopBtn(TopUIBase::kCardCounterBtn)->isEnabled());
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kCardCounterBtn));
  CardCounterLayer* counter = bar->GetCardCounter();
  EXPECT_EQ(counter->getParent(), bar);
  bar->AddJPQCard({3, 3, 3, 3, 3});
  EXPECT_EQ(counter->GetCount(counter->ColumnOf(3)), 5);
  bar->ClearJQPCard();
  EXPECT_EQ(counter->GetCount(counter->ColumnOf(3)), 0);
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kTalkBtn));  // the phrase list open too
  bar->retain();
  bar->removeFromParent();  // both are children: taken off, never freed under the bar
  EXPECT_EQ(bar->GetCardCounter(), nullptr);
  bar->release();
  tick(2);
}

TEST_F(SRTopUITest, TheValuesShowWithoutAnimationAndMinusOneHidesThem) {
  SRTopUI* bar = NewBar();
  bar->SetTimes(5, true);
  EXPECT_EQ(bar->GetTimesLabel()->getString(), "5");
  EXPECT_EQ(bar->GetTimesLabel()->getNumberOfRunningActions(), 0u);
  bar->SetFinalPoint(2);
  EXPECT_EQ(bar->GetFinalPointLabel()->getString(), "2");
  bar->SetTimes(-1, false);
  bar->SetFinalPoint(-1);
  EXPECT_FALSE(bar->GetTimesLabel()->isVisible());
  EXPECT_FALSE(bar->GetFinalPointLabel()->isVisible());
}

}  // namespace
}  // namespace topbartest
