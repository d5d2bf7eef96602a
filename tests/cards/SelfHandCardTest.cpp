// The own hand's layout, slide, sort orders, selection and quick select.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SelfHandTestSupport.h"

using handtest::Codes;
using handtest::SelfHandTest;
using handtest::Values;

namespace {

using Ints = std::vector<int>;

std::vector<float> Xs(const SelfHandCard* h) {
  std::vector<float> xs;
  for (const SpriteCardInfo* info : h->GetCards()) xs.push_back(info->fX);
  return xs;
}

}  // namespace

// ---------------------------------------------------------------- layout

TEST_F(SelfHandTest, FanLayoutStepsAndPlaces) {
  struct Case {
    float width;
    int cards;
    float step, firstX, lastX;
  } cases[] = {
      {1280, 1, 90, 639.5f, 639.5f},          // one card: the widest step, centred
      {161, 1, 90, 639.5f, 639.5f},           // zero room over zero gaps: still the widest step
      {1280, 2, 90, 594.5f, 684.5f},          // room for more: clamped to 90
      {1280, 17, 69.9375f, 80.5f, 1199.5f},   // (1280 - 20 - 141) / 16
      {1280, 20, 1119.0f / 19, 80.5f, 1199.5f},
      {800, 20, 40, 259.5f, 1019.5f},         // too narrow: clamped to 40
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << ", " << c.cards << " cards");
    SelfHandCard* h = makeHand("", c.width);
    for (int code = 0; code < c.cards; ++code) h->AddCard(code, false, false, false, 0, false, false);
    EXPECT_FLOAT_EQ(h->GetCardStep(), c.step);
    const std::vector<float> xs = Xs(h);
    EXPECT_NEAR(xs.front(), c.firstX, 0.5f);
    EXPECT_NEAR(xs.back(), c.lastX, 0.5f);
    for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_NEAR(xs[i] - xs[i - 1], c.step, 1e-3f);
    for (const SpriteCardInfo* info : h->GetCards()) {
      EXPECT_TRUE(std::isfinite(info->fX));
      EXPECT_FLOAT_EQ(info->fY, kRowY);
      EXPECT_EQ(info->pCardSprite->getPosition(), cocos2d::Vec2(info->fX, info->fY));
    }
    h->removeFromParent();
  }
}

TEST_F(SelfHandTest, SelectedCardsStandHigherAndTheVeilIsHiddenByALayout) {
  SelfHandCard* h = makeHand("3 4 5");
  h->GetCards()[1]->bSelected = 1;
  h->GetCards()[2]->pShadowSprite->setVisible(true);
  h->LayoutCards();
  EXPECT_FLOAT_EQ(h->GetCards()[0]->fY, kRowY);
  EXPECT_FLOAT_EQ(h->GetCards()[1]->fY, kRowY + kRaise);
  EXPECT_FALSE(h->GetCards()[2]->pShadowSprite->isVisible());
}

// ---------------------------------------------------------------- slide

class SelfHandSlide : public SelfHandTest {
 protected:
  // The own play came back: its cards leave, the rest slide together.
  void playCards(SelfHandCard* h, const Ints& codes) { h->TakePlayedCards(codes); }
  void frame(float seconds = 1.0f / 60) { director->mainLoop(seconds); }
};

TEST_F(SelfHandSlide, ReachesItsTargetsAfterTheEighthStepInEqualSteps) {
  SelfHandCard* h = makeHand("3456789TjQKA2 3456");
  playCards(h, Codes("3456"));  // the 3 to 6 of suit 0
  const std::vector<float> start = Xs(h);
  const Ints targets = h->GetSlideTargets();
  ASSERT_EQ(targets.size(), start.size());
  for (int k = 1; k <= 7; ++k) {
    frame();
    ASSERT_TRUE(h->IsAnimating()) << "step " << k;
    const std::vector<float> xs = Xs(h);
    for (std::size_t i = 0; i < xs.size(); ++i)
      EXPECT_NEAR(xs[i], start[i] - k * (start[i] - targets[i]) / 8.0f, 1e-3f) << "step " << k << ", card " << i;
  }
  frame();
  EXPECT_FALSE(h->IsAnimating());
  const std::vector<float> end = Xs(h);
  for (std::size_t i = 0; i < end.size(); ++i) EXPECT_NEAR(end[i], targets[i], 1.0f);
  frame(0.5f);
  EXPECT_EQ(Xs(h), end);  // the update is off
}

TEST_F(SelfHandSlide, StepsFollowTheFrameworkClockNotTheFrames) {
  SelfHandCard* h = makeHand("3456789TjQKA2 3456");
  playCards(h, Codes("3456"));
  const std::vector<float> start = Xs(h);
  frame(0.005f);
  frame(0.005f);
  EXPECT_EQ(Xs(h), start);  // 10 ms: no step yet
  frame(0.005f);
  EXPECT_NE(Xs(h), start);  // 15 ms: the first step
  for (int k = 2; k <= 7; ++k) frame(1.0f);  // long frames still make one step each
  EXPECT_TRUE(h->IsAnimating());
  frame(1.0f);
  EXPECT_FALSE(h->IsAnimating());
}

TEST_F(SelfHandSlide, ASecondSlideDuringTheFirstTakesItsOwnEightSteps) {
  SelfHandCard* h = makeHand("3456789TjQKA2 3456");
  playCards(h, Codes("3"));
  for (int k = 0; k < 3; ++k) frame();
  playCards(h, Codes("4"));
  const std::vector<float> start = Xs(h);
  const Ints targets = h->GetSlideTargets();
  for (int k = 1; k <= 7; ++k) {
    frame();
    ASSERT_TRUE(h->IsAnimating()) << "step " << k << " of the second slide";
  }
  frame();
  EXPECT_FALSE(h->IsAnimating());
  const std::vector<float> end = Xs(h);
  ASSERT_EQ(end.size(), targets.size());
  for (std::size_t i = 0; i < end.size(); ++i) EXPECT_NEAR(end[i], targets[i], 1.0f);
  EXPECT_NE(end, start);
}

// A new deal or a restore empties the hand while a slide may still run: the
// cards it brings lie in their places at once and stay there.
TEST_F(SelfHandSlide, AnEmptiedHandEndsItsSlideAndLaysOutItsNextCardsAtOnce) {
  SelfHandCard* h = makeHand("3456789TjQKA2 3456");
  playCards(h, Codes("3456"));
  frame();
  frame();
  ASSERT_TRUE(h->IsAnimating());
  h->RemoveAllCards();
  EXPECT_FALSE(h->IsAnimating());
  for (int code : Codes("3456789")) h->AddCard(code, false, false, true, 0, false, false);
  const std::vector<float> dealt = Xs(h);
  SelfHandCard* fresh = makeHand("3456789");
  EXPECT_EQ(dealt, Xs(fresh));
  for (int k = 0; k < 10; ++k) frame();
  EXPECT_EQ(Xs(h), dealt);
}

TEST_F(SelfHandSlide, TwoHandsSlidingAtOnceCountTheirOwnSteps) {
  SelfHandCard* a = makeHand("3456789TjQKA2");
  SelfHandCard* b = makeHand("3456789TjQKA2");
  playCards(a, Codes("3"));
  for (int k = 0; k < 4; ++k) frame();
  playCards(b, Codes("3"));
  for (int k = 0; k < 4; ++k) frame();
  EXPECT_FALSE(a->IsAnimating());  // its eighth step
  EXPECT_TRUE(b->IsAnimating());
  for (int k = 0; k < 3; ++k) frame();
  EXPECT_TRUE(b->IsAnimating());
  frame();
  EXPECT_FALSE(b->IsAnimating());
}

// ---------------------------------------------------------------- sort orders

TEST_F(SelfHandTest, ThreeSortOrders) {
  struct Case {
    int order;
    Ints values;
  } cases[] = {
      {0, {17, 16, 15, 14, 13, 7, 5, 5, 5, 3, 3}},
      {1, {3, 3, 5, 5, 5, 7, 13, 14, 15, 16, 17}},
      {2, {17, 16, 5, 5, 5, 3, 3, 15, 14, 13, 7}},  // jokers, then by count, then by value
      {9, {3, 5, 7, 5, 14, 15, 16, 17, 13, 3, 5}},  // an unknown order keeps the row
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "order " << c.order);
    g_iHandSortOrder = 0;
    SelfHandCard* h = makeHand("");
    for (int code : Codes("3 5 7 5 A 2 x X K 3 5")) h->AddCard(code, false, false, false, 0, false, false);
    g_iHandSortOrder = c.order;
    h->SortCards();
    EXPECT_EQ(Values(h->HandCodes()), c.values);
    for (std::size_t i = 0; i < h->GetCards().size(); ++i) {
      EXPECT_FLOAT_EQ(h->GetCards()[i]->fZ, 100.0f + static_cast<float>(i));
      EXPECT_EQ(h->GetCards()[i]->pCardSprite->getLocalZOrder(), 100 + static_cast<int>(i));
    }
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- selection

TEST_F(SelfHandTest, TapSelectsAndTapsAgainToLower) {
  SelfHandCard* h = makeHand("3456789TjQKA2");
  tapCard(h, 4);
  EXPECT_EQ(selectedIndexes(h), Ints{4});
  EXPECT_FLOAT_EQ(h->GetCards()[4]->fY, kRowY + kRaise);
  EXPECT_FALSE(h->IsUntouchedSinceTurn());
  tapCard(h, 4);
  EXPECT_TRUE(selectedIndexes(h).empty());
  EXPECT_FLOAT_EQ(h->GetCards()[4]->fY, kRowY);
}

TEST_F(SelfHandTest, DragFromThreeToNineAndBackToFiveFlipsThreeToFive) {
  SelfHandCard* h = makeHand("3456789TjQKA2");
  const cocos2d::Vec2 p3 = onCard(h, 3), p9 = onCard(h, 9), p5 = onCard(h, 5);
  press(p3.x, p3.y);
  EXPECT_EQ(h->GetPressedIndex(), 3);
  EXPECT_TRUE(h->GetCards()[3]->pShadowSprite->isVisible());
  move(p9.x, p9.y);
  EXPECT_EQ(touchedIndexes(h), (Ints{3, 4, 5, 6, 7, 8, 9}));
  move(640, 600);  // off the cards: nothing changes
  EXPECT_EQ(touchedIndexes(h).size(), 7u);
  move(p5.x, p5.y);
  EXPECT_EQ(touchedIndexes(h), (Ints{3, 4, 5}));
  EXPECT_TRUE(h->GetCards()[5]->pShadowSprite->isVisible());
  EXPECT_FALSE(h->GetCards()[6]->pShadowSprite->isVisible());
  release(p5.x, p5.y);
  EXPECT_EQ(selectedIndexes(h), (Ints{3, 4, 5}));
  EXPECT_TRUE(touchedIndexes(h).empty());
  for (const SpriteCardInfo* info : h->GetCards()) EXPECT_FALSE(info->pShadowSprite->isVisible());
}

TEST_F(SelfHandTest, ATapOutsideTheHandLowersEverything) {
  SelfHandCard* h = makeHand("3456789TjQKA2");
  h->ShowOutCardButtons({});
  selectIndexes(h, {1, 2, 3, 4, 5});
  ASSERT_TRUE(usable(h->GetMainButton(SelfHandCard::kBtnPlay)));
  tap(640, 600);
  EXPECT_TRUE(selectedIndexes(h).empty());
  EXPECT_FALSE(h->GetMainButton(SelfHandCard::kBtnPlay)->isEnabled());
  EXPECT_FALSE(h->GetMainButton(SelfHandCard::kBtnReselect)->isVisible());
  EXPECT_FALSE(h->GetMainButton(SelfHandCard::kBtnReselect)->isEnabled());
}

TEST_F(SelfHandTest, ATapBesideOneSelectedCardCompletesTheStraightBetweenThem) {
  SelfHandCard* h = makeHand("3 4 5 6 7 9 T j Q K");  // row: K Q j T 9 7 6 5 4 3
  tapCard(h, 5);                                   // the 7: alone it is no pattern
  EXPECT_EQ(selectedValues(h), Ints{7});
  tapCard(h, 9);                                   // the 3
  EXPECT_EQ(selectedValues(h), (Ints{7, 6, 5, 4, 3}));
}

TEST_F(SelfHandTest, ATappedCardGrowsIntoThePatternToBeat) {
  SelfHandCard* h = makeHand("9 9 3 4 K");
  h->ShowOutCardButtons(Codes("5 5"));
  tapCard(h, 1);  // one of the 9s
  EXPECT_EQ(selectedValues(h), (Ints{9, 9}));
  EXPECT_TRUE(usable(h->GetMainButton(SelfHandCard::kBtnPlay)));
  tapCard(h, 0);  // K: no pair to make, and another card is selected: left as tapped
  EXPECT_EQ(selectedValues(h), (Ints{13, 9, 9}));
}

TEST_F(SelfHandTest, TakingARaisedCardBackAtTheTurnStartLowersThemAll) {
  SelfHandCard* h = makeHand("3456789TjQKA2");
  selectIndexes(h, {0, 1, 2});  // e.g. the bottom cards, raised when taken
  h->SetTurnStarted(true);
  tapCard(h, 1);
  EXPECT_TRUE(selectedIndexes(h).empty());
  EXPECT_FALSE(h->IsTurnStarted());
  selectIndexes(h, {0, 1, 2});
  tapCard(h, 1);  // later in the turn a tap takes just that card back
  EXPECT_EQ(selectedIndexes(h), (Ints{0, 2}));
}

TEST_F(SelfHandTest, RightButtonPlaysTheSelectionOrPassesWhenNothingBeats) {
  SelfHandCard* h = makeHand("3456789TjQKA2");
  h->ShowOutCardButtons({});
  rightClick();  // nothing selected: play is disabled
  EXPECT_TRUE(owner->sent.empty());
  selectIndexes(h, {12});
  rightClick();
  ASSERT_EQ(owner->sent.size(), 1u);
  EXPECT_EQ(owner->sent[0].bytes[28], 1);

  h->ShowOutCardButtons(Codes("x X"));  // the rocket: nothing beats it
  ASSERT_TRUE(h->IsCannotBeat());
  selectIndexes(h, {0});
  rightClick();
  ASSERT_EQ(owner->sent.size(), 2u);
  EXPECT_EQ(owner->sent[1].bytes[28], 0);  // a pass, the selection dropped
  EXPECT_TRUE(selectedIndexes(h).empty());
}

TEST_F(SelfHandTest, RightButtonNeverPassesWhileThePlayButtonIsHidden) {
  SelfHandCard* h = makeHand("3456789TjQKA2");
  h->SetCannotBeat(true);  // left over from the last turn
  h->ShowCallScoreButtons(0);
  selectIndexes(h, {0});
  rightClick();
  EXPECT_TRUE(owner->sent.empty());
  EXPECT_TRUE(h->IsWaitingForChoice());
}

TEST_F(SelfHandTest, RightButtonWithAFullHandAndNothingSelectedDoesNothing) {
  SelfHandCard* h = makeHand("3456789TjQKA2 3456789");
  ASSERT_EQ(h->GetCardCount(), 20);
  h->ShowOutCardButtons(Codes("x X"));
  rightClick();
  EXPECT_TRUE(owner->sent.empty());
  selectIndexes(h, {3});
  rightClick();
  EXPECT_EQ(owner->sent.size(), 1u);
}

// ---------------------------------------------------------------- quick select

TEST_F(SelfHandTest, QuickSelectCyclesUpwardAndWrapsAfterTheHighest) {
  struct Case {
    const char* name;
    void (SelfHandCard::*select)();
    const char* hand;
    std::vector<Ints> presses;  // the values selected by each press
  } cases[] = {
      {"bomb", &SelfHandCard::SelectBomb, "4444 9999 K", {{4, 4, 4, 4}, {9, 9, 9, 9}, {}, {4, 4, 4, 4}}},
      // never three of a bomb
      {"triple", &SelfHandCard::SelectTriple, "5555 777 888 3", {{7, 7, 7}, {8, 8, 8}, {}, {7, 7, 7}}},
      {"straight", &SelfHandCard::SelectStraight, "34567 9TjQK", {{7, 6, 5, 4, 3}, {13, 12, 11, 10, 9}, {}, {7, 6, 5, 4, 3}}},
      {"pair straight", &SelfHandCard::SelectPairStraight, "334455 99TTjj 2", {{5, 5, 4, 4, 3, 3}, {11, 11, 10, 10, 9, 9}, {}, {5, 5, 4, 4, 3, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SelfHandCard* h = makeHand(c.hand);
    for (std::size_t p = 0; p < c.presses.size(); ++p) {
      (h->*c.select)();
      EXPECT_EQ(selectedValues(h), c.presses[p]) << "press " << p + 1;
    }
    h->removeFromParent();
  }
}

TEST_F(SelfHandTest, AnotherQuickSelectKindStartsTheOthersOver) {
  SelfHandCard* h = makeHand("4444 9999 777");
  h->SelectBomb();
  h->SelectBomb();
  EXPECT_EQ(h->GetLastQuickValue(SelfHandCard::kQuickBomb), 9);
  h->SelectTriple();
  EXPECT_EQ(selectedValues(h), (Ints{7, 7, 7}));
  EXPECT_EQ(h->GetLastQuickValue(SelfHandCard::kQuickBomb), -1);
  h->SelectBomb();
  EXPECT_EQ(selectedValues(h), (Ints{4, 4, 4, 4}));
}

TEST_F(SelfHandTest, QuickSelectNeedsEnoughCards) {
  SelfHandCard* h = makeHand("3 4");
  h->GetCards()[0]->bSelected = 1;
  h->SelectTriple();
  h->SelectStraight();
  EXPECT_EQ(selectedIndexes(h), Ints{0});  // untouched: too few cards
}

TEST_F(SelfHandTest, QuickButtonsFollowTheHandWhenItsSizeChanges) {
  SelfHandCard* h = makeHand("");
  h->SetBottomBar(&bar);
  for (int code : Codes("3467 5555 99")) h->AddCard(code, false, false, true, 0, false, false);
  EXPECT_EQ(bar.quick, (std::array<bool, 5>{false, true, false, true, true}));  // no triple outside the bomb
  cocos2d::Vec2 place;
  h->RemoveCard(place, Codes("3")[0], false);
  EXPECT_EQ(bar.quick, (std::array<bool, 5>{false, false, false, true, true}));
  bar.quick = {};
  bar.running = false;
  h->RemoveCard(place, Codes("4")[0], false);
  EXPECT_EQ(bar.quick, (std::array<bool, 5>{}));  // a bar off stage is left alone
}

// ---------------------------------------------------------------- instance

TEST_F(SelfHandTest, TheInstanceIsTheLatestHandAndNeverOneThatWentAway) {
  SelfHandCard* first = makeHand("3");
  EXPECT_EQ(SelfHandCard::getInstance(), first);
  SelfHandCard* second = makeHand("4");
  EXPECT_EQ(SelfHandCard::getInstance(), second);
  tick();  // the scene is the hands' only owner now
  second->removeFromParent();  // freed: the scene held the only reference
  EXPECT_EQ(SelfHandCard::getInstanceIfAny(), nullptr);
  first->removeFromParent();

  SelfHandCard* made = SelfHandCard::getInstance();  // none: a fresh hand without an owner
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetOwnerView(), nullptr);
  EXPECT_EQ(SelfHandCard::getInstance(), made);
  made->SelectBomb();  // usable without an owner or buttons
  director->mainLoop(1.0f / 60);  // nobody kept it
  EXPECT_EQ(SelfHandCard::getInstanceIfAny(), nullptr);
}

TEST_F(SelfHandTest, OpenHandMarkOnEveryCard) {
  SelfHandCard* h = makeHand("3 4 5");
  h->ShowMingPaiMark();
  for (const SpriteCardInfo* info : h->GetCards()) {
    ASSERT_FALSE(info->pCardSprite->getChildren().empty());
    const cocos2d::Node* mark = info->pCardSprite->getChildren().back();
    EXPECT_EQ(cardtest::Part(mark, false), "ddz_mp.png");
    EXPECT_EQ(mark->getAnchorPoint(), cocos2d::Vec2::ZERO);
  }
}
