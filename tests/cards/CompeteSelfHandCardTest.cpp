// The tournament own hand's layout, sort, slide, drag and current instance.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CompeteHandTestSupport.h"

using handtest::Codes;
using handtest::CompeteHandTest;
using handtest::Values;

namespace {

using Ints = std::vector<int>;

// A hand of the first `n` card codes (0..20 are all cards).
std::string_view AnyCards(int n) {
  static const std::string_view kCards = "A23456789TjQKxXA23456";
  return kCards.substr(0, static_cast<std::size_t>(n));
}

cocos2d::Touch* TouchAt(cocos2d::Vec2 p) {
  auto* t = new cocos2d::Touch();
  t->autorelease();
  t->setTouchInfo(0, p.x, p.y);
  return t;
}

}  // namespace

// ---------------------------------------------------------------- portrait layout

TEST_F(CompeteHandTest, PortraitRowLengthAndStepFollowTheCardCountOnceTheHandIsComplete) {
  struct Case {
    bool complete;
    int cards;
    int rowLength, minStep;
    float step;
    float firstX;   // card 0
    float secondX;  // the first card of the second row; 0 when there is none
  } cases[] = {
      {false, 17, 9, 64, 64, 103.5f, 168.5f},      // the deal: 9 and 64 whatever the count
      {false, 5, 9, 64, 90 - 26 * 5 / 9.0f, 208.5f, 0},
      {true, 21, 11, 53, 53, 94.5f, 148.5f},
      {true, 20, 10, 57, 57, 103.5f, 103.5f},
      {true, 19, 10, 57, 57, 103.5f, 160.5f},
      {true, 18, 9, 64, 64, 103.5f, 104.5f},
      {true, 9, 9, 64, 64, 103.5f, 0},
      {true, 8, 8, 70, 70, 114.5f, 0},
      {true, 5, 8, 70, 77.5f, 204.5f, 0},          // 90 - 20 * 5 / 8
      {true, 1, 8, 70, 87.5f, 359.5f, 0},          // one card: no division by n - 1
      {true, 0, 8, 70, 90, 0, 0},
  };
  portrait();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.complete ? "complete, " : "dealt, ") << c.cards << " cards");
    CompeteSelfHandCard* h = makeCompeteHand(AnyCards(c.cards), c.complete);
    EXPECT_EQ(h->GetRowLength(), c.rowLength);
    EXPECT_EQ(h->GetMinStep(), c.minStep);
    EXPECT_FLOAT_EQ(h->GetCardStep(), c.step);
    const auto& cards = h->GetCards();
    const int first = std::min(c.cards, c.rowLength);
    for (int i = 0; i < c.cards; ++i) {
      const SpriteCardInfo* info = cards[static_cast<std::size_t>(i)];
      const bool inFirst = i < first;
      EXPECT_FLOAT_EQ(info->fY, inFirst ? kPortraitRowY : kPortraitRowY - kPortraitGap) << "card " << i;
      EXPECT_EQ(info->pCardSprite->getPosition(), cocos2d::Vec2(info->fX, info->fY));
      if (i > 0 && i != first) {
        EXPECT_NEAR(info->fX - cards[static_cast<std::size_t>(i) - 1]->fX, c.step, 1e-3f);
      }
    }
    if (c.cards > 0) {
      EXPECT_FLOAT_EQ(cards.front()->fX, c.firstX);
    }
    if (c.secondX > 0) {
      EXPECT_FLOAT_EQ(cards[static_cast<std::size_t>(first)]->fX, c.secondX);
      // The second row ends where the first ends (to the pixel the truncation leaves).
      EXPECT_NEAR(cards.back()->fX, cards[static_cast<std::size_t>(first) - 1]->fX, 1.0f);
    }
    h->removeFromParent();
  }
}

TEST_F(CompeteHandTest, RowHeightRaiseAndTabletLowering) {
  struct Case {
    bool portraitTable;
    int ipad;
    float firstRowY;
  } cases[] = {
      {false, 0, kRowY},
      {false, 1, kRowY - 30},       // the tablet row sits lower
      {true, 1, kPortraitRowY},     // but not in portrait
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.portraitTable ? "portrait" : "landscape") << ", tablet " << c.ipad);
    if (c.portraitTable) portrait();
    g_bIpadLayout = c.ipad;
    CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8 9 T j Q K");
    selectIndexes(h, {0, 10});
    const float lastY = c.portraitTable ? kPortraitRowY - kPortraitGap : c.firstRowY;
    EXPECT_FLOAT_EQ(h->GetCards()[0]->fY, c.firstRowY + kRaise);
    EXPECT_FLOAT_EQ(h->GetCards()[1]->fY, c.firstRowY);
    EXPECT_FLOAT_EQ(h->GetCards()[10]->fY, lastY + kRaise);
    h->removeFromParent();
  }
}

TEST_F(CompeteHandTest, LandscapeRowSpreadsOverTheWindowWidthOfTheMoment) {
  struct Case {
    int window;
    int cards;
    float step, firstX;
  } cases[] = {
      {1280, 20, 1119.0f / 19, 80.5f},
      {1000, 20, 839.0f / 19, 80.5f},  // (1000 - 20 - 141) / 19, after the hand was made
      {1000, 1, 90, 499.5f},           // one card: the widest step, centred
      {1000, 0, 90, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "window " << c.window << ", " << c.cards << " cards");
    BasePT::g_iWindowWidth = 1280;
    CompeteSelfHandCard* h = makeCompeteHand();
    BasePT::g_iWindowWidth = c.window;
    for (int code = 0; code < c.cards; ++code) h->AddCard(code, false, false, false, 0, false, false);
    h->SortCards();
    EXPECT_FLOAT_EQ(h->GetCardStep(), c.step);
    if (c.cards > 0) {
      EXPECT_NEAR(h->GetCards().front()->fX, c.firstX, 0.5f);
    }
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- sort and slide

TEST_F(CompeteHandTest, PortraitSortRunsDownTheFirstRowAndBackUpTheSecond) {
  portrait();
  g_iHandSortOrder = 1;  // the player's sort order is not the tournament hand's
  CompeteSelfHandCard* h = makeCompeteHand("3 3 5 5 7 8 9 T j Q K 2");
  // The nine highest from high to low (equal values: lower code first), then
  // the rest from low to high (equal values: higher code first).
  const Ints expected = {1, 12, 11, 10, 9, 8, 7, 6, 4, /* second row */ 17, 2, 19};
  EXPECT_EQ(cardtest::Codes(h->GetCards()), expected);
  for (std::size_t i = 0; i < h->GetCards().size(); ++i)
    EXPECT_EQ(h->GetCards()[i]->pCardSprite->getLocalZOrder(), 100 + static_cast<int>(i));

  GameSceneBase::m_iGameOrientation = 0;
  h->SortCards();
  EXPECT_EQ(Values(h->HandCodes()), (Ints{15, 13, 12, 11, 10, 9, 8, 7, 5, 5, 3, 3}));
}

TEST_F(CompeteHandTest, PortraitSlideEndsOnTheTwoRowPlaces) {
  portrait();
  CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8 9 T j Q K 2");
  // As the view does after the own play: the cards stay where they were until the slide.
  h->SetAnimating(true);
  for (int code : Codes("Q K 2")) {
    cocos2d::Vec2 at;
    h->RemoveCard(at, code, false);
  }
  EXPECT_FLOAT_EQ(h->GetCards().back()->fY, kPortraitRowY - kPortraitGap);
  h->SetCardsPosition();
  const Ints targets = h->GetSlideTargets();
  ASSERT_EQ(targets.size(), 9u);
  frames(10, 0.02f);
  EXPECT_FALSE(h->IsAnimating());
  for (std::size_t i = 0; i < targets.size(); ++i) {
    EXPECT_EQ(static_cast<int>(h->GetCards()[i]->fX), targets[i]) << "card " << i;
    EXPECT_FLOAT_EQ(h->GetCards()[i]->fY, kPortraitRowY);  // nine cards: one row
  }
}

// ---------------------------------------------------------------- drag

// Portrait, dealt hand of 12: first row 2 K Q J T 9 8 7 6 (places 0-8), second
// row 3 4 5 (places 9-11).
TEST_F(CompeteHandTest, TwoRowDragStaysInItsRowUnlessItReachesTheOtherRowsEnd) {
  struct Case {
    const char* what;
    int pressed;
    Ints moves;
    Ints touched;
    bool crossRow;
  } cases[] = {
      {"within the first row", 2, {5}, {2, 3, 4, 5}, false},
      {"onto the second row, not its end", 2, {10}, {2}, false},
      {"onto the end of the second row", 2, {11}, {2, 3, 4, 5, 6, 7, 8, 11}, true},
      {"then along the second row", 2, {11, 9}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, true},
      {"then back into the own row", 2, {11, 4}, {2, 3, 4}, false},
      {"from the second row onto the first row's end", 10, {8}, {8, 10, 11}, true},
      {"within the second row", 10, {9}, {9, 10}, false},
  };
  portrait();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8 9 T j Q K 2");
    h->TouchesBeganTwoRows({TouchAt(onCard(h, c.pressed))}, nullptr);
    EXPECT_EQ(touchedIndexes(h), Ints{c.pressed});
    for (int m : c.moves) h->TouchesMovedTwoRows({TouchAt(onCard(h, m))}, nullptr);
    EXPECT_EQ(touchedIndexes(h), c.touched);
    EXPECT_EQ(h->IsCrossRow(), c.crossRow);
    h->removeFromParent();
  }
}

TEST_F(CompeteHandTest, TwoRowDragOfAShortHandIsOneRange) {
  portrait();
  CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7");
  h->TouchesBeganTwoRows({TouchAt(onCard(h, 0))}, nullptr);
  h->TouchesMovedTwoRows({TouchAt(onCard(h, 4))}, nullptr);
  EXPECT_EQ(touchedIndexes(h), (Ints{0, 1, 2, 3, 4}));
  h->TouchesBeganTwoRows({TouchAt({5, 5})}, nullptr);  // beside the hand
  EXPECT_EQ(h->GetPressedIndex(), -1);
  h->TouchesMovedTwoRows({TouchAt(onCard(h, 2))}, nullptr);
  EXPECT_EQ(h->GetPressedIndex(), -1);
}

TEST_F(CompeteHandTest, ASelectionAcrossTheRowsTakesTheLowEndOfEachRow) {
  portrait();
  CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8 9 T j Q K 2");
  selectIndexes(h, {6});  // the 8
  tapCard(h, 10);         // the 4: 8 7 6 from the first row, 4 5 from the second
  EXPECT_EQ(selectedIndexes(h), (Ints{6, 7, 8, 10, 11}));
  EXPECT_EQ(selectedValues(h), (Ints{8, 7, 6, 4, 5}));
}

// ---------------------------------------------------------------- instance

TEST_F(CompeteHandTest, ShareInstanceNeverAnswersADestroyedHand) {
  ASSERT_EQ(CompeteSelfHandCard::shareInstanceIfAny(), nullptr);
  CompeteSelfHandCard* lazy = CompeteSelfHandCard::shareInstance();
  ASSERT_NE(lazy, nullptr);
  EXPECT_EQ(lazy->GetOwnerView(), nullptr);
  EXPECT_EQ(CompeteSelfHandCard::shareInstance(), lazy);  // made only when there is none
  tick();                                                 // nobody kept it
  EXPECT_EQ(CompeteSelfHandCard::shareInstanceIfAny(), nullptr);

  CompeteSelfHandCard* first = makeCompeteHand("3");
  EXPECT_EQ(CompeteSelfHandCard::shareInstance(), first);
  CompeteSelfHandCard* second = makeCompeteHand("4");  // the view made the hand again
  EXPECT_EQ(CompeteSelfHandCard::shareInstance(), second);
  first->removeFromParent();
  tick();
  EXPECT_EQ(CompeteSelfHandCard::shareInstanceIfAny(), second);  // the older one going leaves it
  second->removeFromParent();
  tick();
  EXPECT_EQ(CompeteSelfHandCard::shareInstanceIfAny(), nullptr);
  EXPECT_NE(CompeteSelfHandCard::shareInstance(), nullptr);  // a new one, not a dead one
}
