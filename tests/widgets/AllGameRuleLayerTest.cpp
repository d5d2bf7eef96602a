// The all-games rules dialog: the games listed from the rooms, the special
// case of entries under a room's mask, and the selection kept across showings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RulesTestSupport.h"
#include "platform/engine/cocos2d.h"
#include "widgets/AllGameRuleLayer.h"

namespace {

using Texts = std::vector<std::vector<std::string>>;

class AllGameRuleDialog : public rulestest::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    std::vector<std::string> lines = {
        "[Rule]",
        "game_type_0 = zero",
        "rule_type_0_0 = A",
        "title_0_0_0 = 普通",
        "content_0_0_0 = x",
        "title_0_0_1 = 3|@|旧|@|新",
        "content_0_0_1 = a|@|b",
        "title_0_0_2 = 4|@|TATAT|@|低",
        "content_0_0_2 = |@|c",
    };
    for (int i = 1; i < 5; ++i) {  // five types, four shown
      lines.push_back("rule_type_0_" + std::to_string(i) + " = T" + std::to_string(i));
      lines.push_back("title_0_" + std::to_string(i) + "_0 = zero" + std::to_string(i));
    }
    for (int g = 1; g <= 3; ++g)
      for (int i = 0; i < 2; ++i) {
        const std::string gi = std::to_string(g) + "_" + std::to_string(i);
        lines.push_back("rule_type_" + gi + " = T");
        lines.push_back("title_" + gi + "_0 = g" + gi);
      }
    lines.push_back("game_type_4 = no types");
    WriteFile(GetAllRuleConfPath(), lines);
    for (int g = 0; g <= 4; ++g) LoadGameRules(GetAllRuleConfPath(), g);
    dialog = AllGameRuleLayer::create();
    dialog->retain();  // one dialog for the process, kept across showings
  }
  void TearDown() override {
    dialog->release();
    RulesTest::TearDown();
  }
  void Open() {
    scene->addChild(dialog);
    SettlePopup();
  }
  void Close() {
    TapAt(10, 10);
    tick();
    ASSERT_EQ(dialog->getParent(), nullptr);
  }
  Texts Shown() const { return rulestest::ListTexts(dialog->GetListView()); }

  AllGameRuleLayer* dialog = nullptr;
};

TEST_F(AllGameRuleDialog, ListsEachGameTypeOnceWithTheFirstRoomsMask) {
  dialog->AddGame(0, 3);
  dialog->AddGame(0, 7);
  dialog->AddGame(4, 1);  // no rule types
  dialog->AddGame(9, 1);  // not loaded
  dialog->AddGame(1, 0);
  ASSERT_EQ(dialog->GetGames().size(), 2u);
  EXPECT_EQ(dialog->GetGames()[0].iGameType, 0);
  EXPECT_EQ(dialog->GetGames()[0].iValue, 3);
  EXPECT_EQ(dialog->GetGames()[1].iGameType, 1);
  EXPECT_EQ(g_mapGameRules.at(0).iValue, 3) << "the table's record keeps the mask too";
  dialog->ClearGames();
  EXPECT_TRUE(dialog->GetGames().empty());
}

TEST_F(AllGameRuleDialog, EntriesTiedToSpecialRulesShowTheirSecondTitleAndLines) {
  Open();
  const std::vector<RuleEntry> entries = {
      {3, "旧 : ", "新 : ", {"a"}, {"b"}},
      {0, "普通 : ", "never : ", {"x"}, {"y"}},
      {4, "TATAT", "低 : ", {}, {"c"}},
      {1, "一 : ", "", {"p"}, {}},
  };
  struct Case {
    int value;
    Texts shown;
  };
  const std::vector<Case> cases = {
      {3, {{"新 : ", "b"}, {"普通 : ", "x"}, {"一 : ", "p"}}},
      {7, {{"新 : ", "b"}, {"普通 : ", "x"}, {"低 : ", "c"}, {"一 : ", "p"}}},
      {1, {{"旧 : ", "a"}, {"普通 : ", "x"}, {"一 : ", "p"}}},
      {0, {{"旧 : ", "a"}, {"普通 : ", "x"}, {"一 : ", "p"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    dialog->FillRuleList(entries, c.value);
    EXPECT_EQ(Shown(), c.shown);
  }
}

TEST_F(AllGameRuleDialog, ShowsThreeGamesAndFourCategoriesAndSelectsTheFirst) {
  for (int g = 0; g <= 3; ++g) dialog->AddGame(g, g == 0 ? 3 : 0);
  Open();
  for (int k = 0; k < 3; ++k) {
    ASSERT_NE(dialog->GetGameButton(k), nullptr);
    EXPECT_EQ(dialog->GetGameButton(k)->getNormalImage(), "cjddz_yxgz_yq" + std::to_string(k + 1) + "_1.png");
    EXPECT_EQ(dialog->GetGameButtonSel(k)->getNormalImage(), "cjddz_yxgz_yq" + std::to_string(k + 1) + "_2.png");
    EXPECT_EQ(dialog->GetGameButton(k)->getPosition(), cocos2d::Vec2(136, 514 - 118.0f * k));
  }
  EXPECT_EQ(dialog->GetGameButton(3), nullptr);
  for (int j = 0; j < 4; ++j) {
    ASSERT_NE(dialog->GetCategoryBg(j), nullptr);
    EXPECT_EQ(dialog->GetCategoryBg(j)->getPosition(), cocos2d::Vec2(400 + 185.0f * j, 543));
    EXPECT_EQ(dialog->GetCategoryButton(j)->getNormalImage(),
              "cjddz_yxgz_fl_btn1_word" + std::to_string(j + 1) + ".png");
  }
  EXPECT_EQ(dialog->GetCurGame(), 0);
  EXPECT_TRUE(dialog->GetGameButtonSel(0)->isVisible());
  EXPECT_FALSE(dialog->GetGameButton(0)->isVisible());
  EXPECT_TRUE(dialog->GetCategoryButtonSel(0)->isVisible());
  EXPECT_EQ(dialog->GetCategoryBg(1)->getSpriteFrame()->getName(), "cjddz_yxgz_fl_btn1.png");
  EXPECT_EQ(dialog->GetCategoryBg(0)->getSpriteFrame()->getName(), "cjddz_yxgz_fl_btn2.png");
  EXPECT_EQ(Shown(), (Texts{{"普通 : ", "x"}, {"新 : ", "b"}})) << "game 0 runs with mask 3";
}

TEST_F(AllGameRuleDialog, ReopeningRestoresTheGameAndCategoryLastChosen) {
  for (int g = 0; g <= 2; ++g) dialog->AddGame(g, 0);
  Open();
  TapNode(dialog->GetCategoryButton(3));
  TapNode(dialog->GetGameButton(1));
  EXPECT_EQ(dialog->GetCurCategory(1), 0) << "each game keeps its own category";
  TapNode(dialog->GetCategoryButton(1));
  EXPECT_EQ(Shown(), (Texts{{"g1_1 : "}}));
  Close();

  Open();
  EXPECT_EQ(dialog->GetCurGame(), 1);
  EXPECT_TRUE(dialog->GetGameButtonSel(1)->isVisible());
  EXPECT_TRUE(dialog->GetCategoryButtonSel(1)->isVisible());
  EXPECT_EQ(Shown(), (Texts{{"g1_1 : "}}));
  TapNode(dialog->GetGameButton(0));
  EXPECT_EQ(Shown(), (Texts{{"zero3 : "}}));
  EXPECT_EQ(dialog->getChildrenCount(), 1u) << "one background: the last showing's widgets went with it";
  Close();

  // Game 0 is now a game with two rule types: its category 3 is gone.
  dialog->ClearGames();
  dialog->AddGame(2, 0);
  Open();
  EXPECT_EQ(dialog->GetCurGame(), 0);
  EXPECT_EQ(dialog->GetCategoryButtonSel(0)->isVisible(), false);
  EXPECT_EQ(dialog->GetCategoryButtonSel(1)->isVisible(), false);
  EXPECT_TRUE(Shown().empty());
  Close();

  // The game chosen last is gone: nothing is selected until a button is pressed.
  dialog->ClearGames();
  dialog->AddGame(1, 0);
  dialog->AddGame(2, 0);
  Open();
  TapNode(dialog->GetGameButton(1));
  Close();
  dialog->ClearGames();
  dialog->AddGame(1, 0);
  Open();
  EXPECT_TRUE(dialog->GetGameButton(0)->isVisible());
  EXPECT_FALSE(dialog->GetGameButtonSel(0)->isVisible());
  EXPECT_EQ(dialog->GetCategoryButton(0), nullptr);
  EXPECT_TRUE(Shown().empty());
  TapNode(dialog->GetGameButton(0));
  EXPECT_TRUE(Shown().empty()) << "button 0 still remembers category 3";
  TapNode(dialog->GetCategoryButton(0));
  EXPECT_EQ(Shown(), (Texts{{"g1_0 : "}}));
}

TEST_F(AllGameRuleDialog, ATouchOutsideTheDialogsAreaClosesIt) {
  dialog->AddGame(0, 0);
  Open();
  for (const cocos2d::Vec2& inside : {cocos2d::Vec2(80, 36), cocos2d::Vec2(1200, 630), cocos2d::Vec2(700, 100)}) {
    TapAt(inside.x, inside.y);
    tick();
    EXPECT_EQ(dialog->getParent(), scene) << inside.x << "," << inside.y;
  }
  TapAt(640, 631);
  tick();
  EXPECT_EQ(dialog->getParent(), nullptr);
}

}  // namespace
