// The PC table panels: the top score panel, the system message box and the
// last-round tip.
#include <gtest/gtest.h>

#include <string>

#include "ClassicTestSupport.h"
#include "cards/LastCardPC.h"
#include "classic/LastCardTipPC.h"
#include "classic/SysBoxUIPC.h"
#include "classic/TopUIPC.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"

namespace classictest {
namespace {

// The table's sheets loaded, as the view does when it enters.
class PCPanels : public ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    TopUIPC* loader = TopUIPC::create();
    for (const char* sheet : GameViewPC::TableSheets()) loader->AddPlist(sheet);
  }
};

// A top score of 0 is no cap: the column says so.
TEST_F(PCPanels, TopPanelHidesBaseScoreAndMultipleForMinusOneButShowsTheTopScore) {
  TopUIPC* top = TopUIPC::create();
  scene->addChild(top);
  struct Case {
    void (TopUIPC::*set)(int);
    int column;
    int value;
    bool visible;
    const char* text;
  };
  const Case cases[] = {{&TopUIPC::SetBaseScore, 0, 30, true, "30"}, {&TopUIPC::SetBaseScore, 0, -1, false, "30"},
                        {&TopUIPC::SetNumber, 1, 4, true, "4"},      {&TopUIPC::SetNumber, 1, -1, false, "4"},
                        {&TopUIPC::SetTopScore, 2, -1, true, "-1"},  {&TopUIPC::SetTopScore, 2, 0, true, "不限"},
                        {&TopUIPC::SetTopScore, 2, 5000, true, "5000"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    (top->*c.set)(c.value);
    EXPECT_EQ(top->GetLabel(c.column)->isVisible(), c.visible);
    EXPECT_EQ(top->GetLabel(c.column)->getString(), c.text);
    // The value stands right of its column's word, clear of it.
    const cocos2d::Rect value = top->GetLabel(c.column)->getBoundingBox();
    EXPECT_GE(value.getMinX(), g_ptTopUIInfo[c.column].x + 24) << "the word is 48 wide";
  }
}

TEST_F(PCPanels, TopPanelShowsTheBottomCardsHalfASecondLaterAndOnlyOnce) {
  TopUIPC* top = TopUIPC::create();
  scene->addChild(top);
  top->ShowBaseCards({3, 17, 13});
  ASSERT_NE(top->GetBaseCardSprite(2), nullptr);
  cocos2d::Sprite* first = top->GetBaseCardSprite(0);
  EXPECT_FALSE(first->isVisible());
  tick(4);
  EXPECT_FALSE(first->isVisible());
  tick(2);
  EXPECT_TRUE(first->isVisible());
  top->ShowBaseCards({3, 17, 13});
  EXPECT_EQ(top->GetBaseCardSprite(0), first);
  top->ResetPanel();
  EXPECT_EQ(top->GetBaseCardSprite(0), nullptr);
  EXPECT_FALSE(top->GetLabel(1)->isVisible());
}

TEST_F(PCPanels, SystemBoxKeepsTheLastHundredMessagesAndShowsTheLastThree) {
  SysBoxUIPC* box = SysBoxUIPC::create();
  scene->addChild(box);
  box->AddMessage(nullptr, 1);
  EXPECT_TRUE(box->GetMessages().empty());
  for (int i = 0; i < 101; ++i) box->AddMessage(std::to_string(i).c_str(), static_cast<char>(i % 5 - 1));
  ASSERT_EQ(box->GetMessages().size(), 100u);
  EXPECT_EQ(box->GetMessages().front().text, "1");  // the 101st dropped the oldest
  EXPECT_EQ(box->GetMessages().back().text, "100");
  EXPECT_EQ(box->GetFirstLine(), 97);
  EXPECT_EQ(box->GetLastLine(), 99);
  EXPECT_EQ(box->GetLineLabel(2)->getString(), "100");

  box->ScrollDown();  // already at the end
  EXPECT_EQ(box->GetLastLine(), 99);
  box->ScrollUp();
  EXPECT_EQ(box->GetLineLabel(0)->getString(), "97");
  for (int i = 0; i < 200; ++i) box->ScrollUp();
  EXPECT_EQ(box->GetFirstLine(), 0);
  EXPECT_EQ(box->GetLineLabel(0)->getString(), "1");
}

TEST_F(PCPanels, SystemBoxColoursLinesByKind) {
  SysBoxUIPC* box = SysBoxUIPC::create();
  scene->addChild(box);
  struct Case {
    char kind;
    cocos2d::Color3B colour;
  };
  const Case cases[] = {{0, {100, 193, 255}}, {1, {255, 233, 52}}, {2, {0, 255, 0}},
                        {3, {255, 0, 0}},     {-1, {255, 255, 255}}, {7, {255, 255, 255}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    box->AddMessage("line", c.kind);
    const cocos2d::Color3B shown = box->GetLineLabel(box->GetLastLine() - box->GetFirstLine())->getColor();
    EXPECT_EQ(shown.r, c.colour.r);
    EXPECT_EQ(shown.g, c.colour.g);
    EXPECT_EQ(shown.b, c.colour.b);
  }
}

// A line wider than the room left of the scroll buttons is shrunk to it,
// and shown whole again when a shorter line takes its place.
TEST_F(PCPanels, SystemBoxShrinksALongLineToTheRoomLeftOfItsButtons) {
  SysBoxUIPC* box = SysBoxUIPC::create();
  scene->addChild(box);
  const std::string wide(200, 'W');
  box->AddMessage(wide.c_str(), 2);
  cocos2d::Label* line = box->GetLineLabel(0);
  ASSERT_GT(line->getContentSize().width, SysBoxUIPC::kLineWidth);
  EXPECT_FLOAT_EQ(line->getContentSize().width * line->getScale(), SysBoxUIPC::kLineWidth);
  box->AddMessage("a", 2);
  box->AddMessage("b", 2);
  box->AddMessage("c", 2);
  EXPECT_EQ(line->getString(), "a");
  EXPECT_FLOAT_EQ(line->getScale(), 1.0f);
}

TEST_F(PCPanels, LastRoundTipShowsNothingWhenEverySeatPassed) {
  LastCardTipPC* tip = LastCardTipPC::create();
  scene->addChild(tip);
  int cards[3][20];
  for (auto& seat : cards)
    for (int& card : seat) card = -1;
  const bool passed[3] = {true, true, true};
  tip->ShowLastRound(cards, passed);
  EXPECT_FALSE(tip->isVisible());
  EXPECT_EQ(tip->GetBackground(), nullptr);
  for (int seat = 0; seat < 3; ++seat) {
    ASSERT_NE(tip->GetPassSprite(seat), nullptr);
    EXPECT_TRUE(tip->GetPassSprite(seat)->isVisible());
  }
}

TEST_F(PCPanels, LastRoundTipOpenedTwentyTimesKeepsOneSetOfRows) {
  LastCardTipPC* tip = LastCardTipPC::create();
  scene->addChild(tip);
  int cards[3][20];
  for (auto& seat : cards)
    for (int& card : seat) card = -1;
  cards[0][0] = 3;
  cards[0][1] = 18;
  cards[2][0] = 13;
  const bool passed[3] = {false, true, false};
  for (int i = 0; i < 20; ++i) tip->ShowLastRound(cards, passed);
  EXPECT_TRUE(tip->isVisible());
  ASSERT_NE(tip->GetBackground(), nullptr);
  EXPECT_EQ(tip->GetRow(0)->GetCardCount(), 2);
  EXPECT_EQ(tip->GetRow(1)->GetCardCount(), 0);
  EXPECT_EQ(tip->GetRow(2)->GetCardCount(), 1);
  EXPECT_TRUE(tip->GetPassSprite(1)->isVisible());
  EXPECT_EQ(tip->GetPassSprite(0), nullptr);
  // Three rows, one pass word and the background: nothing more.
  EXPECT_EQ(tip->getChildrenCount(), 5u);

  // A touch inside the panel keeps it; one outside closes it.
  tap(cocos2d::Vec2(640, 360));
  EXPECT_NE(tip->GetBackground(), nullptr);
  tip->retain();  // to look at it after it leaves
  tap(cocos2d::Vec2(10, 10));
  EXPECT_EQ(tip->GetBackground(), nullptr);
  tick();
  EXPECT_EQ(tip->getParent(), nullptr);
  tip->release();
}

}  // namespace
}  // namespace classictest
