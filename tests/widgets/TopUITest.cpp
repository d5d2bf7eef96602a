// The tournament and Super top bar: which buttons a button state lets act,
// the talk click debounce, the flip between the score and the bottom cards on
// the stepped clock, the bottom-card slots, the multiple and its board, and
// the card counter's ownership.
#include "TopBarTestSupport.h"

#include "widgets/TopUI.h"

namespace topbartest {
namespace {

class TopUITest : public TopBarTest {
 protected:
  TopUI* NewBar() {
    TopUI* bar = TopUI::create(barView);
    barView->addChild(bar);
    return bar;
  }
  // What a click on each button opened or asked.
  struct Effects {
    bool talk, counter, settings;
    int quits;
    bool operator==(const Effects&) const = default;
  };
  Effects Seen(TopUI* bar) const {
    SetLayer* settings = SetLayer::sharedIfAny();
    return {bar->GetTalkLayer()->getParent() == bar, bar->GetCardCounter()->getParent() == bar,
            settings != nullptr && settings->getParent() == bar, barView->quitAsks};
  }
};

TEST_F(TopUITest, TheButtonStateDecidesWhichButtonsActAndWhetherTheyClick) {
  struct Case {
    int state;
    int button;
    Effects effects;
    std::size_t clickSounds;
  };
  const Effects none{false, false, false, 0};
  const Case cases[] = {
      {0, TopUIBase::kTalkBtn, {true, false, false, 0}, 1},
      {0, TopUIBase::kCardCounterBtn, {false, true, false, 0}, 1},
      {0, TopUIBase::kSetBtn, {false, false, true, 0}, 1},
      {0, TopUIBase::kQuitBtn, {false, false, false, 1}, 1},
      {1, TopUIBase::kTalkBtn, {true, false, false, 0}, 1},
      {1, TopUIBase::kCardCounterBtn, none, 1},
      {1, TopUIBase::kSetBtn, {false, false, true, 0}, 1},
      {1, TopUIBase::kQuitBtn, {false, false, false, 1}, 1},
      {2, TopUIBase::kTalkBtn, none, 1},
      {2, TopUIBase::kCardCounterBtn, none, 1},
      {2, TopUIBase::kSetBtn, none, 1},
      {2, TopUIBase::kQuitBtn, {false, false, false, 1}, 1},
      {999, TopUIBase::kTalkBtn, none, 0},
      {999, TopUIBase::kCardCounterBtn, none, 0},
      {999, TopUIBase::kSetBtn, none, 0},
      {999, TopUIBase::kQuitBtn, none, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " button " << c.button);
    barView->quitAsks = 0;
    SoundManage::shareSoundManage()->ClearCalls();
    run(0.6f);  // past the talk debounce of the bar before
    TopUI* bar = NewBar();
    bar->SetBtnOnState(c.state);
    bar->OnTopBtnClick(bar->GetTopBtn(c.button));
    EXPECT_EQ(Seen(bar), c.effects);
    EXPECT_EQ(clicks(), c.clickSounds);
    bar->removeFromParent();
    tick(2);  // pending deferred removals run
  }
}

TEST_F(TopUITest, TalkClicksCloserThanHalfASecondAreIgnoredAndTheSinglePlayerGameHasNoTalk) {
  TopUI* bar = NewBar();
  TalkLayer* talk = bar->GetTalkLayer();
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kTalkBtn));
  EXPECT_EQ(talk->getParent(), bar);
  run(0.3f);
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kTalkBtn));
  tick(2);
  EXPECT_EQ(talk->getParent(), bar);  // the second click was ignored
  run(0.3f);
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kTalkBtn));
  tick(2);
  EXPECT_EQ(talk->getParent(), nullptr);  // closed

  bar->removeFromParent();
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  run(0.6f);
  TopUI* single = NewBar();
  EXPECT_FALSE(single->GetTopBtn(TopUIBase::kTalkBtn)->isEnabled());
  single->OnTopBtnClick(single->GetTopBtn(TopUIBase::kTalkBtn));
  EXPECT_EQ(single->GetTalkLayer()->getParent(), nullptr);
}

TEST_F(TopUITest, AfterTheBottomCardsTheBarShowsCardsTenSecondsAndTheScoreTwentyUntilCleared) {
  TopUI* bar = NewBar();
  bar->SetFinalPoint(3);
  bar->ShowBaseCards({3, 17, 13});
  EXPECT_TRUE(bar->IsCardSideShown());
  EXPECT_FALSE(bar->GetBaseCard(0)->isVisible());
  run(0.5f);
  tick();
  EXPECT_TRUE(bar->GetBaseCard(0)->isVisible());
  struct Step {
    float at;  // seconds since the cards
    bool cards;
  };
  const Step steps[] = {{9.9f, true}, {10.1f, false}, {29.9f, false}, {30.1f, true}, {39.9f, true}, {40.1f, false}};
  float now = 0.5f + 1.0f / 60;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.at);
    run(s.at - now);
    now = s.at;
    EXPECT_EQ(bar->IsCardSideShown(), s.cards);
  }
  run(0.3f);  // the flip's squash has ended
  EXPECT_FALSE(bar->GetCardPanel()->isVisible());
  EXPECT_TRUE(bar->GetScorePanel()->isVisible());

  bar->ClearBaseCards();
  EXPECT_EQ(bar->GetBaseCard(0), nullptr);
  run(60);
  EXPECT_FALSE(bar->IsCardSideShown());  // the flip timer stopped
}

// A layer under the bar that counts the touches it is given.
class CountingLayer : public cocos2d::Layer {
 public:
  static CountingLayer* create() {
    auto* layer = new CountingLayer();
    layer->init();
    layer->autorelease();
    return layer;
  }
  void onEnter() override {
    cocos2d::Layer::onEnter();
    setTouchMode(cocos2d::Touch::DispatchMode::ONE_BY_ONE);
    setTouchEnabled(true);
  }
  bool onTouchBegan(cocos2d::Touch*, cocos2d::Event*) override {
    ++touches;
    return true;
  }
  int touches = 0;
};

TEST_F(TopUITest, AWindowTapOnTheShownPanelFlipsItAndATapElsewhereGoesToTheTable) {
  auto* table = CountingLayer::create();
  barView->addChild(table, -1);
  TopUI* bar = NewBar();
  bar->SetFinalPoint(3);
  auto tapOn = [&](cocos2d::Node* panel) {
    const cocos2d::Size size = panel->getContentSize();
    const cocos2d::Vec2 at = panel->convertToWorldSpace(cocos2d::Vec2(size.width / 2, size.height / 2));
    window->touchBegan(at.x, 720 - at.y);
    window->touchEnded(at.x, 720 - at.y);
  };
  tapOn(bar->GetScorePanel());
  EXPECT_TRUE(bar->IsCardSideShown());
  EXPECT_EQ(table->touches, 0) << "the bar's tap reached the table";
  run(0.3f);
  tapOn(bar->GetCardPanel());
  EXPECT_FALSE(bar->IsCardSideShown());

  window->touchBegan(640, 360);
  window->touchEnded(640, 360);
  EXPECT_EQ(table->touches, 1);
  EXPECT_FALSE(bar->IsCardSideShown());
}

// Before any bottom card or score exists, a tap on the score side still
// flips to the (empty) card panel, which flips back by itself after 10 s.
TEST_F(TopUITest, AWindowTapOnAFreshBarFlipsToTheEmptyCardPanelForTenSeconds) {
  TopUI* bar = NewBar();
  tick();
  cocos2d::Node* score = bar->GetScorePanel();
  const cocos2d::Vec2 at =
      score->convertToWorldSpace(cocos2d::Vec2(score->getContentSize().width / 2, score->getContentSize().height / 2));
  window->touchBegan(at.x, 720 - at.y);
  window->touchEnded(at.x, 720 - at.y);
  EXPECT_TRUE(bar->IsCardSideShown());
  EXPECT_EQ(bar->GetBaseCard(0), nullptr);
  run(9.9f);
  EXPECT_TRUE(bar->IsCardSideShown());
  run(0.2f);
  EXPECT_FALSE(bar->IsCardSideShown());
}

TEST_F(TopUITest, BottomCardsFillOnlyEmptySlotsAndAreNotReplaced) {
  TopUI* bar = NewBar();
  bar->ShowBaseCards({3, 17});
  ASSERT_NE(bar->GetBaseCard(0), nullptr);
  ASSERT_NE(bar->GetBaseCard(1), nullptr);
  EXPECT_EQ(bar->GetBaseCard(2), nullptr);
  cocos2d::Sprite* first = bar->GetBaseCard(0);
  bar->ShowBaseCards({5, 6, 13});
  EXPECT_EQ(bar->GetBaseCard(0), first);
  ASSERT_NE(bar->GetBaseCard(2), nullptr);
  EXPECT_EQ(bar->GetBaseCard(2)->getPosition(), g_ptTopUIBaseCard[2]);
  EXPECT_EQ(bar->GetBaseCard(2)->getParent(), bar->GetCardPanel());
}

TEST_F(TopUITest, MinusOneHidesTheScoreAndTheMultipleAndTheBoardTakesTheMultipleInCallAndRob) {
  TopUI* bar = NewBar();
  bar->SetFinalPoint(15);
  bar->SetTimes(4, true);
  EXPECT_EQ(bar->GetFinalPointLabel()->getString(), "15");
  EXPECT_TRUE(bar->GetTimesLabel()->isVisible());
  bar->SetFinalPoint(-1);
  bar->SetTimes(-1, false);
  EXPECT_FALSE(bar->GetFinalPointLabel()->isVisible());
  EXPECT_FALSE(bar->GetTimesLabel()->isVisible());
  EXPECT_EQ(bar->GetTimesLabel()->getString(), "4");

  barView->m_iGameMode = 1;
  bar->SetTimes(6, false);  // no board yet: nothing
  EXPECT_EQ(bar->GetTimesLabel()->getString(), "4");
  bar->ShowTimesBoard();
  EXPECT_EQ(bar->GetTimesLabel(), nullptr);
  EXPECT_EQ(bar->GetFinalPointLabel(), nullptr);
  ASSERT_NE(bar->GetTimesAtlas(), nullptr);
  EXPECT_FALSE(bar->GetTimesAtlas()->isVisible());
  bar->SetTimes(6, true);
  EXPECT_EQ(bar->GetTimesAtlas()->getString(), "6");
  EXPECT_TRUE(bar->GetTimesAtlas()->isVisible());
  run(0.7f);
  EXPECT_FLOAT_EQ(bar->GetTimesAtlas()->getScale(), 1.0f);
  bar->SetTimes(-1, false);
  EXPECT_FALSE(bar->GetTimesAtlas()->isVisible());
  bar->SetFinalPoint(3);  // its label went with the board's arrival
}

TEST_F(TopUITest, AnOpenCardCounterLeavesWithTheBarAndIsOnlyShownAgainWhenOpened) {
  TopUI* bar = NewBar();
  bar->ShowCardCounter(true);  // never opened: stays off
  EXPECT_EQ(bar->GetCardCounter()->getParent(), nullptr);
  bar->OnTopBtnClick(bar->GetTopBtn(TopUIBase::kCardCounterBtn));
  EXPECT_TRUE(bar->IsCounterOpen());
  bar->ShowCardCounter(false);
  tick(2);
  EXPECT_EQ(bar->GetCardCounter()->getParent(), nullptr);
  bar->ShowCardCounter(true);
  EXPECT_EQ(bar->GetCardCounter()->getParent(), bar);
  bar->AddJPQCard({3, 3});
  EXPECT_EQ(bar->GetCardCounter()->GetCount(bar->GetCardCounter()->ColumnOf(3)), 2);
  bar->ClearJQPCard();
  EXPECT_EQ(bar->GetCardCounter()->GetCount(bar->GetCardCounter()->ColumnOf(3)), 0);
  bar->retain();
  bar->removeFromParent();  // the counter is a child: released, never freed under its parent
  EXPECT_EQ(bar->GetCardCounter(), nullptr);
  bar->release();
  tick(2);
}

}  // namespace
}  // namespace topbartest
