#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TableRowTestSupport.h"
#include "cards/OtherHandCard.h"
#include "platform/engine/ui/Widgets.h"

using cocos2d::Vec2;
using Lines = std::vector<std::string>;

namespace {

class OtherHandCardTest : public rowtest::TableRowTest {
 protected:
  void SetUp() override {
    TableRowTest::SetUp();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("vellddz_res_tips.plist");
  }
  OtherHandCard* make(int side) {
    auto* r = new OtherHandCard(side);
    r->autorelease();
    view->addChild(r);
    return r;
  }
  static void deal(OtherHandCard* r, int n) {
    for (int i = 0; i < n; ++i) r->AddCard(0, true, false, false, -1, false, false);
  }
  static void play(OtherHandCard* r, int n) {
    Vec2 unused;
    for (int i = 0; i < n; ++i) r->RemoveCard(unused, 0, false);
  }
  static int visibleBacks(const OtherHandCard* r) {
    int n = 0;
    for (const SpriteCardInfo* info : r->GetCards()) n += info->pCardSprite->isVisible() ? 1 : 0;
    return n;
  }
  bool lampOn(const OtherHandCard* r) const { return r->GetWarningLamp()->isVisible(); }
};

TEST_F(OtherHandCardTest, EachSideShowsItsFanOfBacksAndTheCount) {
  struct Case {
    int side;
    int cards;
    int visible;
    const char* back;
  } cases[] = {{0, 17, 6, "backcard_left.png"},
               {2, 17, 6, "backcard_right.png"},
               {3, 20, 11, "backcard_top.png"},
               {0, 4, 4, "backcard_left.png"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    OtherHandCard* r = make(c.side);
    EXPECT_FALSE(r->isVisible()) << "hidden until it holds cards";
    deal(r, c.cards);
    EXPECT_TRUE(r->isVisible());
    EXPECT_EQ(visibleBacks(r), c.visible);
    EXPECT_EQ(r->GetCountLabel()->getString(), std::to_string(c.cards));
    EXPECT_TRUE(r->GetCountLabel()->isVisible());
    const auto& cards = r->GetCards();
    EXPECT_EQ(cardtest::Part(cards[0]->pCardSprite, false), c.back);
    EXPECT_GT(cards[0]->pCardSprite->getLocalZOrder(), cards[1]->pCardSprite->getLocalZOrder()) << "first on top";
  }
}

TEST_F(OtherHandCardTest, SideFansRunFromTheSeatPlaceAndTheTopFanIsCentred) {
  OtherHandCard* left = make(0);
  OtherHandCard* right = make(2);
  OtherHandCard* top = make(3);
  deal(left, 3);
  deal(right, 3);
  deal(top, 20);
  const Vec2 p0 = g_ptHandCard[0];
  const float lift = g_sizeSingleCard.width * 0.5f * g_fOtherHandScale;
  EXPECT_EQ(left->GetCards()[2]->pCardSprite->getPosition(),
            Vec2(static_cast<float>(static_cast<int>(p0.x)) + 2 * g_fOtherHandCardGapX, p0.y + 2 * g_fOtherHandCardGapY + lift));
  const Vec2 p2 = g_ptHandCard[2];
  EXPECT_EQ(right->GetCards()[2]->pCardSprite->getPosition(),
            Vec2(static_cast<float>(static_cast<int>(p2.x)) - 2 * g_fOtherHandCardGapX, p2.y + 2 * g_fOtherHandCardGapY + lift));
  // Ten of the top fan's backs spread 8 apart around the seat's place.
  const auto& topCards = top->GetCards();
  const float first = topCards[0]->pCardSprite->getPositionX();
  const float tenth = topCards[9]->pCardSprite->getPositionX();
  EXPECT_FLOAT_EQ(first - tenth, 72);
  EXPECT_NEAR((first + tenth) / 2, g_ptHandCard[3].x + 8, 0.5f);
}

TEST_F(OtherHandCardTest, TheLampLightsAtThreeCardsAndTheSoundPlaysOncePerArming) {
  OtherHandCard* r = make(0);
  deal(r, 17);
  r->m_bWarningArmed = true;
  r->m_bSoundPending = true;
  play(r, 13);  // 4 left
  frames(20, 20);
  EXPECT_FALSE(lampOn(r));
  play(r, 1);  // 3 left
  frames(16, 20);  // 0.32 s: one check
  EXPECT_TRUE(lampOn(r));
  for (int left : {2, 1}) {
    SCOPED_TRACE(left);
    play(r, 1);
    frames(16, 20);
    EXPECT_TRUE(lampOn(r));
  }
  EXPECT_EQ(sounds(), (Lines{OtherHandCard::kWarningSound}));
  play(r, 1);  // empty
  EXPECT_FALSE(r->GetCountLabel()->isVisible());
  frames(16, 20);
  EXPECT_FALSE(lampOn(r));
  // Armed again for the next hand: one more sound.
  deal(r, 2);
  r->m_bSoundPending = true;
  frames(16, 20);
  EXPECT_EQ(sounds().size(), 2u);
}

TEST_F(OtherHandCardTest, AnUnarmedRowStaysDarkAndSilent) {
  OtherHandCard* r = make(2);
  deal(r, 2);
  r->m_bSoundPending = true;
  frames(32, 20);
  EXPECT_FALSE(lampOn(r));
  EXPECT_TRUE(sounds().empty());
}

TEST_F(OtherHandCardTest, EverySideTakesItsLampAndCountPlacesFromTheLayoutFile) {
  for (int side : {0, 2, 3}) {
    SCOPED_TRACE(side);
    OtherHandCard* r = make(side);
    EXPECT_NE(g_ptShowAlert[side], Vec2()) << "the layout file has the entry";
    EXPECT_EQ(r->GetWarningLamp()->getPosition(), g_ptShowAlert[side]);
    EXPECT_EQ(r->GetCountLabel()->getPosition(), g_ptLeftCardNum[side] - Vec2(3, 0));
  }
}

TEST_F(OtherHandCardTest, ComingBackKeepsOneCountAndOneLamp) {
  OtherHandCard* r = make(0);
  deal(r, 5);
  r->retain();
  r->removeFromParent();
  EXPECT_EQ(r->GetCardCount(), 0) << "emptied when it leaves";
  EXPECT_EQ(r->GetCountLabel(), nullptr);
  view->addChild(r);
  r->release();
  int labels = 0;
  int lamps = 0;
  for (const cocos2d::Node* child : r->getChildren()) {
    labels += dynamic_cast<const cocos2d::ui::TextAtlas*>(child) != nullptr ? 1 : 0;
    lamps += child == r->GetWarningLamp() ? 1 : 0;
  }
  EXPECT_EQ(labels, 1);
  EXPECT_EQ(lamps, 1);
  EXPECT_EQ(r->getChildrenCount(), 2u) << "the count and the lamp, nothing left over";
}

}  // namespace
