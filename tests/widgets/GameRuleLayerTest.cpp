// The rules window: tabs per rule type, the rules list, tab memory per game,
// and closing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RulesTestSupport.h"
#include "platform/engine/cocos2d.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/RuleWindowParts.h"

namespace {

using Texts = std::vector<std::vector<std::string>>;
using cocos2d::ui::Button;

class GameRuleWindow : public rulestest::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    WriteFile("qorvddz_game_rule.conf", {
                                            "[RULE]",
                                            "rule_type_0 = blue_gz_jbgz",
                                            "rule_title_0_0 = 发牌",
                                            "rule_content_0_0 = 每人17张!@底牌3张",
                                            "rule_title_0_1 = TATAT",
                                            "rule_content_0_1 = hidden",
                                            "rule_title_0_2 = 出牌",
                                            "rule_type_1 = blue_gz_px",
                                            "rule_title_1_0 = 火箭",
                                            "rule_content_1_0 = 大王加小王",
                                            "rule_type_2 = blue_gz_jf",
                                        });
    window = GameRuleLayer::create();
    window->retain();  // kept as its opener keeps it, across showings
    scene->addChild(window);
  }
  void TearDown() override {
    window->release();
    RulesTest::TearDown();
  }

  std::vector<bool> SelectedTabs() const {
    std::vector<bool> shown;
    for (std::size_t i = 0; i < window->GetTabButtons().size(); ++i) {
      EXPECT_NE(window->GetTabButtons()[i]->isVisible(), window->GetSelectedTabButtons()[i]->isVisible());
      shown.push_back(window->GetSelectedTabButtons()[i]->isVisible());
    }
    return shown;
  }
  int ButtonsOnBackground() const {
    int n = 0;
    for (cocos2d::Node* child : window->GetBackground()->getChildren())
      if (dynamic_cast<Button*>(child)) ++n;
    return n;
  }
  void Reopen() {
    window->OnClose(nullptr);
    tick();
    ASSERT_EQ(window->getParent(), nullptr);
    scene->addChild(window);
  }

  GameRuleLayer* window = nullptr;
};

TEST_F(GameRuleWindow, ShowsOneTabPerTypeAndTheFirstTypesRules) {
  window->ShowGameRule(62);
  EXPECT_TRUE(cocos2d::Log::contains("ShowGameRule,iGameID[62]"));
  ASSERT_EQ(window->GetTabButtons().size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(window->GetTabButtons()[k]->getPosition(), cocos2d::Vec2(114, 450 - 118.0f * k));
    EXPECT_EQ(window->GetSelectedTabButtons()[k]->getPosition(), window->GetTabButtons()[k]->getPosition());
    EXPECT_FALSE(window->GetSelectedTabButtons()[k]->isTouchEnabled());
  }
  EXPECT_EQ(window->GetTabButtons()[1]->getExtraAboveImage(), "blue_gz_px_0.png");
  EXPECT_EQ(window->GetSelectedTabButtons()[1]->getExtraAboveImage(), "blue_gz_px_1.png");
  EXPECT_EQ(SelectedTabs(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(window->GetCurTab(), 0);
  EXPECT_EQ(rulestest::ListTexts(window->GetListView()), (Texts{{"发牌", "每人17张", "底牌3张"}, {"出牌"}}))
      << "the TATAT item is not shown; an item without content shows its title alone";

  // The first item: two lines of 32.5 beside a 52-wide title, 40 more for the item.
  cocos2d::ui::Widget* item = window->GetListView()->getItem(0);
  EXPECT_EQ(item->getContentSize(), cocos2d::Size(820, 105));
  cocos2d::Node* node = item->getChildren().at(0);
  EXPECT_EQ(node->getPosition(), cocos2d::Vec2(ddz::kRuleIndent, 105 - 32.5f / 2));
  EXPECT_EQ(node->getChildren().at(1)->getPosition(), cocos2d::Vec2(52, 0));
  EXPECT_EQ(node->getChildren().at(2)->getPosition(), cocos2d::Vec2(52, -32.5f));
  EXPECT_EQ(window->GetListView()->getItem(1)->getContentSize().height, 40);
}

// A rule line longer than the list wraps right of its title, and the next
// line starts below all of it.
TEST_F(GameRuleWindow, ALongRuleLineWrapsInsideTheItem) {
  const std::string longLine(300, 'x');
  cocos2d::ui::Layout* item = ddz::MakeRuleListItem("title", {longLine, "next"});
  cocos2d::Node* node = item->getChildren().at(0);
  auto* title = static_cast<cocos2d::Label*>(node->getChildren().at(0));
  auto* wrapped = static_cast<cocos2d::Label*>(node->getChildren().at(1));
  auto* next = static_cast<cocos2d::Label*>(node->getChildren().at(2));
  const float titleWidth = title->getContentSize().width;
  EXPECT_LE(node->getPositionX() + titleWidth + wrapped->getContentSize().width, ddz::kRuleItemWidth);
  EXPECT_GT(wrapped->getContentSize().height, title->getContentSize().height * 1.5f);
  // The wrapped label's top stays level with the title's; the next line's
  // top is at the wrapped label's bottom.
  const float top = wrapped->getPositionY() + wrapped->getContentSize().height / 2;
  EXPECT_FLOAT_EQ(top, title->getContentSize().height / 2);
  EXPECT_FLOAT_EQ(next->getPositionY() + next->getContentSize().height / 2,
                  wrapped->getPositionY() - wrapped->getContentSize().height / 2);
  EXPECT_FLOAT_EQ(item->getContentSize().height,
                  wrapped->getContentSize().height + next->getContentSize().height + 40);
}

TEST_F(GameRuleWindow, ClickingATabShowsItsRules) {
  window->ShowGameRule(62);
  SettlePopup();
  TapNode(window->GetTabButtons()[1]);
  EXPECT_EQ(window->GetCurTab(), 1);
  EXPECT_EQ(SelectedTabs(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(rulestest::ListTexts(window->GetListView()), (Texts{{"火箭", "大王加小王"}}));
  TapNode(window->GetTabButtons()[2]);
  EXPECT_EQ(window->GetCurTab(), 2);
  EXPECT_TRUE(window->GetListView()->getItems().empty()) << "a type without items shows an empty list";
}

// The mouse wheel scrolls a list longer than the window: rolled towards the
// player it shows the rules further down, rolled back the earlier ones, and
// it stops at either end.
TEST_F(GameRuleWindow, TheWheelScrollsTheRulesList) {
  std::vector<std::string> lines = {"[RULE]", "rule_type_0 = blue_gz_jbgz"};
  for (int j = 0; j < 20; ++j) {
    lines.push_back("rule_title_0_" + std::to_string(j) + " = 第" + std::to_string(j) + "条");
    lines.push_back("rule_content_0_" + std::to_string(j) + " = 一行!@两行");
  }
  WriteFile("qorvddz_game_rule.conf", lines);
  window->ShowGameRule(62);
  SettlePopup();
  cocos2d::ui::ListView* list = window->GetListView();
  ASSERT_GT(list->getInnerContainerSize().height, list->getContentSize().height + 200);
  const float top = list->getContentSize().height - list->getInnerContainerSize().height;
  ASSERT_FLOAT_EQ(list->getInnerContainerPosition().y, top) << "the list opens at its top";
  const cocos2d::Vec2 over = list->convertToWorldSpace(cocos2d::Vec2(400, 230));
  const float windowY = director->getWinSize().height - over.y;
  view->mouseScroll(over.x, windowY, 2);  // towards the player
  const float down = list->getInnerContainerPosition().y;
  EXPECT_GT(down, top + 40);
  view->mouseScroll(over.x, windowY, -1);
  EXPECT_LT(list->getInnerContainerPosition().y, down);
  EXPECT_GT(list->getInnerContainerPosition().y, top);
  for (int i = 0; i < 200; ++i) view->mouseScroll(over.x, windowY, 1);
  EXPECT_FLOAT_EQ(list->getInnerContainerPosition().y, 0) << "it stops at the bottom";
  for (int i = 0; i < 200; ++i) view->mouseScroll(over.x, windowY, -1);
  EXPECT_FLOAT_EQ(list->getInnerContainerPosition().y, top) << "and at the top";
}

TEST_F(GameRuleWindow, RemembersTheTabForTheSameGameOnly) {
  window->ShowGameRule(62);
  window->OnTabClick(window->GetTabButtons()[1]);
  Reopen();
  window->ShowGameRule(62);
  EXPECT_EQ(window->GetCurTab(), 1);
  EXPECT_EQ(SelectedTabs(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(rulestest::ListTexts(window->GetListView()), (Texts{{"火箭", "大王加小王"}}));

  Reopen();
  window->ShowGameRule(19);  // the same file, another game
  EXPECT_EQ(window->GetGameID(), 19);
  EXPECT_EQ(window->GetCurTab(), 0);

  window->OnTabClick(window->GetTabButtons()[2]);
  Reopen();
  window->ShowGameRule(52);  // no rule file: an empty window that keeps the memory
  EXPECT_TRUE(window->GetTabButtons().empty());
  EXPECT_TRUE(window->GetListView()->getItems().empty());
  Reopen();
  window->ShowGameRule(19);
  EXPECT_EQ(window->GetCurTab(), 2);
}

TEST_F(GameRuleWindow, ShowingAgainWhileOpenReplacesTheTabs) {
  window->ShowGameRule(62);
  window->ShowGameRule(62);
  EXPECT_EQ(window->GetTabButtons().size(), 3u);
  EXPECT_EQ(ButtonsOnBackground(), 2 * 3 + 1) << "two looks per tab and the close button";
  WriteFile("qorvddz_siren_game_rule.conf", {"[RULE]", "rule_type_0 = blue_gz_jbgz", "rule_title_0_0 = t"});
  window->ShowGameRule(48);
  EXPECT_EQ(ButtonsOnBackground(), 2 * 1 + 1);
}

TEST_F(GameRuleWindow, TabsGoOnDownwardsWithoutLimit) {
  std::vector<std::string> lines = {"[RULE]"};
  for (int i = 0; i < 6; ++i) lines.push_back("rule_type_" + std::to_string(i) + " = blue_gz_jf");
  WriteFile("qorvddz_siren_game_rule.conf", lines);
  window->ShowGameRule(48);
  ASSERT_EQ(window->GetTabButtons().size(), 6u);
  EXPECT_EQ(window->GetTabButtons()[5]->getPosition(), cocos2d::Vec2(114, -140));
}

TEST_F(GameRuleWindow, ClosesOnTheCloseButtonOrATouchOutsideAndIsBuiltAfreshEachShowing) {
  window->ShowGameRule(62);
  SettlePopup();
  TapAt(640, 360);  // inside the background
  tick();
  ASSERT_EQ(window->getParent(), scene);
  TapAt(30, 30);
  EXPECT_EQ(window->getParent(), scene) << "the window goes later in the frame";
  tick();
  EXPECT_EQ(window->getParent(), nullptr);

  scene->addChild(window);
  window->ShowGameRule(62);
  int backgrounds = 0;
  for (cocos2d::Node* child : window->getChildren())
    if (dynamic_cast<cocos2d::ui::Scale9Sprite*>(child)) ++backgrounds;
  EXPECT_EQ(backgrounds, 1);
  SettlePopup();
  Button* close = nullptr;
  for (cocos2d::Node* child : window->GetBackground()->getChildren())
    if (auto* b = dynamic_cast<Button*>(child); b && b->getNormalImage() == "blue_gz_close.png") close = b;
  ASSERT_NE(close, nullptr);
  TapNode(close);
  tick();
  EXPECT_EQ(window->getParent(), nullptr);
}

}  // namespace
