// The competition bar and its ranking list on the tournament table: the
// status line per stage (a stage from the server outside the stage list
// indexes nothing), the rank digits, the waiting tip, the list opened by a
// tap and closed by a tap outside; and what the table tells the bar at the
// deal, the result, the result's end, the re-login and the background.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CompeteTestSupport.h"
#include "compete/CompeteTableUI.h"
#include "compete/RankListLayer.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"

namespace competetest {
namespace {

// The match the bar reads: general numbers, stage list (its final stage is
// the second from last), stage and match kind.
void SetMatch(std::vector<int> numbers, std::vector<int> stages, int stage, int kind = 2) {
  CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
  match->m_vcNumbers = std::move(numbers);
  match->m_vcStages = std::move(stages);
  match->m_iStageNo = stage;
  match->m_Record.iMatchKind = kind;
}

class BarTest : public CompeteTest {
 protected:
  void SetUp() override {
    CompeteTest::SetUp();
    SetMatch({64, 24, 3, 0, 0, 0}, {64, 24, 12, 3}, 0);
  }
  void TearDown() override {
    SetMatch({}, {}, 0, 0);
    CompeteTest::TearDown();
  }
  CompeteTableUI* MakeBar() {
    CompeteTableUI* bar = view->CreateCompeteTableUI();
    tick(1);
    return bar;
  }
  std::vector<CompeteRankItem> FiveRows() {
    return {MakeCompeteRankItem(1, 900, "ann", 20), MakeCompeteRankItem(2, 800, "bob", 20),
            MakeCompeteRankItem(3, 700, "cat", 20), MakeCompeteRankItem(9, 300, "dan", 20),
            MakeCompeteRankItem(9, 300, "me", 20)};
  }
  // A tap in the middle of the rank panel.
  void TapRankPanel(CompeteTableUI* bar) {
    const cocos2d::Rect box = bar->GetRankPanel()->getBoundingBox();
    tap(cocos2d::Vec2(box.getMidX(), box.getMidY()));
  }
};

TEST_F(BarTest, TheStatusLineAndTitleFollowTheStageAndAStageOutsideTheListIndexesNothing) {
  struct Case {
    const char* what;
    std::vector<int> numbers;
    int stage;
    const char* title;
    const char* status;
    bool touch;
  };
  // Stage list 64;24;12;3: the final stage is 2. The third number is 3.
  const Case cases[] = {
      {"first stage", {64, 24, 3}, 0, "预赛", "剩余64人，前24名晋级", true},
      {"first stage, one general number", {64}, 0, "预赛", "剩余64人，前0名晋级", true},
      {"middle stage", {64, 24, 3}, 1, "复赛", "本轮24人，12人晋级，第0桌，共3局", false},
      {"final stage", {64, 24, 3}, 2, "决赛", "第0桌，共3局", false},
      {"last entry: no next stage", {64, 24, 3}, 3, "复赛", "本轮0人，0人晋级，第0桌，共3局", false},
      {"past the list", {64, 24, 3}, 4, "复赛", "本轮0人，0人晋级，第0桌，共3局", false},
      {"negative stage (a signed byte)", {64, 24, 3}, -1, "复赛", "本轮0人，0人晋级，第0桌，共3局", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetMatch(c.numbers, {64, 24, 12, 3}, c.stage);
    view->m_pCompeteTableUI = nullptr;
    CompeteTableUI* bar = MakeBar();
    EXPECT_FALSE(bar->GetStatusPanel()->isVisible()) << "hidden until shown";
    bar->ShowStatus(true);
    EXPECT_TRUE(bar->GetStatusPanel()->isVisible());
    EXPECT_EQ(bar->GetTitleLabel()->getString(), c.title);
    EXPECT_EQ(bar->GetStatusLabel()->getString(), c.status);
    EXPECT_EQ(bar->isTouchEnabled(), c.touch);
    bar->ShowStatus(false);
    EXPECT_FALSE(bar->GetStatusPanel()->isVisible());
  }
}

TEST_F(BarTest, TheTableNumberReachesTheStatusAfterTheFirstStageOnly) {
  CompeteTableUI* bar = MakeBar();
  bar->ShowStatus(true);
  bar->UpdateTableNum(5);
  EXPECT_EQ(bar->GetStatusLabel()->getString(), "剩余64人，前24名晋级") << "first stage: no table number";
  EXPECT_EQ(bar->GetTableNum(), 0);

  SetMatch({64, 24, 3}, {64, 24, 12, 3}, 1);
  bar->ShowStatus(true);
  bar->UpdateTableNum(5);
  EXPECT_EQ(bar->GetStatusLabel()->getString(), "本轮24人，12人晋级，第5桌，共3局");
  SetMatch({64, 24, 3}, {64, 24, 12, 3}, 2);
  bar->ShowStatus(true);
  bar->UpdateTableNum(1);
  EXPECT_EQ(bar->GetStatusLabel()->getString(), "第1桌，共3局");
}

TEST_F(BarTest, TheRankDigitsShowRankAndCountOrTheRankAloneInMatchesOfKindThree) {
  for (int kind : {2, CompeteTableUI::kRankAloneMatchKind}) {
    SCOPED_TRACE(kind);
    SetMatch({64, 24, 3}, {64, 24, 12, 3}, 0, kind);
    view->m_pCompeteTableUI = nullptr;
    CompeteTableUI* bar = MakeBar();
    bar->UpdateSelfRank(12, 64);
    EXPECT_EQ(bar->GetRankDigits()->getString(), "12");
    EXPECT_EQ(bar->GetCountDigits()->getString(), ":64");
    const bool alone = kind == CompeteTableUI::kRankAloneMatchKind;
    EXPECT_EQ(bar->GetCountDigits()->isVisible(), !alone);
    EXPECT_EQ(bar->GetRankDigits()->getPosition(), g_ptCmpPlayerRankNum[alone ? 1 : 0]);
  }
}

TEST_F(BarTest, TheRankPanelTakesTheOwnTableBadgeAndNoTouchAfterTheFirstStage) {
  CompeteTableUI* bar = MakeBar();
  EXPECT_FALSE(bar->GetRankPanel()->isVisible());
  bar->ShowRank(true);
  EXPECT_TRUE(bar->GetRankPanel()->isVisible());
  EXPECT_EQ(bar->GetRankBadge()->getDisplayName(), CompeteTableUI::kBadgeFirstStage);
  EXPECT_TRUE(bar->isTouchEnabled());

  CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo = 1;
  bar->ShowRank(true);
  EXPECT_EQ(bar->GetRankBadge()->getDisplayName(), CompeteTableUI::kBadgeOwnTable);
  EXPECT_FALSE(bar->isTouchEnabled());
  bar->ShowRank(false);
  EXPECT_FALSE(bar->GetRankPanel()->isVisible());
}

TEST_F(BarTest, TheWaitingTipIsShownOnceAndRemovedAndNothingHappensOffTheStage) {
  CompeteTableUI* bar = MakeBar();
  const std::size_t children = bar->getChildrenCount();
  bar->ShowWaitTable(true);
  cocos2d::Node* tip = bar->GetWaitTip();
  ASSERT_NE(tip, nullptr);
  bar->ShowWaitTable(true);
  EXPECT_EQ(bar->GetWaitTip(), tip);
  EXPECT_EQ(bar->getChildrenCount(), children + 1) << "one tip";
  bar->ShowWaitTable(false);
  EXPECT_EQ(bar->GetWaitTip(), nullptr);
  EXPECT_EQ(bar->getChildrenCount(), children);

  // A bar that is not running has no widgets: every operation leaves it alone.
  CompeteTableUI* idle = CompeteTableUI::create();
  idle->ShowWaitTable(true);
  idle->ShowStatus(true);
  idle->ShowRank(true);
  idle->UpdateSelfRank(1, 2);
  idle->SetRankList(FiveRows());
  idle->HideRankList();
  EXPECT_EQ(idle->GetWaitTip(), nullptr);
  EXPECT_EQ(idle->getChildrenCount(), 0u);
  EXPECT_TRUE(idle->GetRankRows().empty());
}

TEST_F(BarTest, TheRankingListOpensOnlyWithRowsAndOnlyOnceAndATapOutsideClosesItNextFrame) {
  CompeteTableUI* bar = MakeBar();
  bar->ShowRank(true);
  TapRankPanel(bar);
  tick(1);
  EXPECT_EQ(bar->GetRankList(), nullptr) << "no rows: nothing opens";

  bar->SetRankList(FiveRows());
  TapRankPanel(bar);
  RankListLayer* list = bar->GetRankList();
  ASSERT_NE(list, nullptr);
  tick(1);
  EXPECT_TRUE(list->isRunning());
  const cocos2d::Rect box = list->GetBackground()->getBoundingBox();
  EXPECT_TRUE(cocos2d::Rect(0, 0, 1280, 720).containsPoint(list->convertToWorldSpace(box.origin)));
  EXPECT_TRUE(cocos2d::Rect(0, 0, 1280, 720)
                  .containsPoint(list->convertToWorldSpace(cocos2d::Vec2(box.getMaxX(), box.getMaxY()))));
  // A second tap on the panel opens no second list; being outside the list,
  // it closes the open one.
  TapRankPanel(bar);
  EXPECT_EQ(bar->GetRankList(), list) << "no second list";
  tick(2);
  EXPECT_EQ(bar->GetRankList(), nullptr);
  TapRankPanel(bar);
  list = bar->GetRankList();
  ASSERT_NE(list, nullptr);
  tick(1);

  // A tap on the list keeps it; one outside closes it on the next frame.
  tap(list->convertToWorldSpace(cocos2d::Vec2(box.getMidX(), box.getMidY())));
  tick(2);
  EXPECT_EQ(bar->GetRankList(), list);
  tap(cocos2d::Vec2(640, 360));
  EXPECT_EQ(bar->GetRankList(), list) << "not in the frame of the tap";
  tick(2);
  EXPECT_EQ(bar->GetRankList(), nullptr);

  // Rows given later replace the earlier ones; the list shows the last.
  std::vector<CompeteRankItem> later = FiveRows();
  later[0].iScore = 1234;
  bar->SetRankList(later);
  TapRankPanel(bar);
  tick(1);
  ASSERT_NE(bar->GetRankList(), nullptr);
  EXPECT_EQ(bar->GetRankList()->GetScoreLabel(0)->getString(), "1234");

  // Hiding closes it and no tap opens another.
  bar->HideRankList();
  tick(1);
  EXPECT_EQ(bar->GetRankList(), nullptr);
  TapRankPanel(bar);
  EXPECT_EQ(bar->GetRankList(), nullptr);
}

TEST_F(BarTest, TheListShowsFiveRowsColouredByRankAndTheUserLargerElseOnlyItsBackground) {
  CompeteTableUI* bar = MakeBar();
  const cocos2d::Color3B others(91, 171, 255), own(255, 248, 116);
  {
    RankListLayer* list = RankListLayer::create(bar, FiveRows());
    bar->addChild(list);
    for (int row = 0; row < RankListLayer::kRowCount; ++row) {
      SCOPED_TRACE(row);
      ASSERT_NE(list->GetNameLabel(row), nullptr);
      // Ranks 1, 2, 3 are others'; the fourth row shares the user's rank 9.
      const cocos2d::Color3B colour = row < 3 ? others : own;
      EXPECT_EQ(list->GetNameLabel(row)->getColor(), colour);
      EXPECT_EQ(list->GetRankLabel(row)->getColor(), colour);
      EXPECT_EQ(list->GetScoreLabel(row)->getColor(), colour);
      EXPECT_FLOAT_EQ(list->GetNameLabel(row)->getSystemFontSize(), row == 4 ? 30 : 26);
      const float y = list->GetBackground()->getContentSize().height / 2 + 86 - 52 * row;
      EXPECT_FLOAT_EQ(list->GetNameLabel(row)->getPositionY(), y);
    }
    EXPECT_EQ(list->GetNameLabel(4)->getString(), "me");
    EXPECT_EQ(list->GetScoreLabel(1)->getString(), "800");
    EXPECT_EQ(list->GetRankLabel(3)->getString(), "9");
    list->removeFromParent();
  }
  for (std::size_t n : {0u, 4u, 6u}) {
    SCOPED_TRACE(n);
    std::vector<CompeteRankItem> rows = FiveRows();
    rows.resize(n, MakeCompeteRankItem(7, 1, "x", 20));
    RankListLayer* list = RankListLayer::create(bar, rows);
    bar->addChild(list);
    ASSERT_NE(list->GetBackground(), nullptr);
    EXPECT_EQ(list->GetBackground()->getChildrenCount(), 0u);
    EXPECT_EQ(list->GetNameLabel(0), nullptr);
    list->removeFromParent();
  }
}

TEST_F(BarTest, ANameThatFillsItsFieldIsReadNoFurtherThanTheField) {
  // The server's name field may be full: the row keeps 19 bytes and its end.
  const char full[20] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                         'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't'};
  const CompeteRankItem made = MakeCompeteRankItem(4, 5, full, sizeof full);
  EXPECT_EQ(std::string(made.szName), "abcdefghijklmnopqrs");
  EXPECT_EQ(MakeCompeteRankItem(1, 2, "ab\0cd", 5).szName, std::string("ab"));
  EXPECT_EQ(MakeCompeteRankItem(1, 2, nullptr, 20).szName, std::string());

  // A row filled without the helper still shows no byte past its field.
  std::vector<CompeteRankItem> rows(5, MakeCompeteRankItem(1, 1, "x", 20));
  std::memcpy(rows[4].szName, full, sizeof full);
  rows[4].iRank = 0x41414141;  // what a read past the name would see first
  CompeteTableUI* bar = MakeBar();
  RankListLayer* list = RankListLayer::create(bar, rows);
  bar->addChild(list);
  EXPECT_EQ(list->GetNameLabel(4)->getString().find('A'), std::string::npos);
  EXPECT_EQ(list->GetNameLabel(4)->getString().rfind("abc", 0), 0u);
}

TEST_F(BarTest, EveryLayoutPutsThePanelsTheTipAndTheListInsideTheWindow) {
  const cocos2d::Rect window(0, 0, 1280, 720);
  auto inside = [&](cocos2d::Node* node) {
    const cocos2d::Size size = node->getContentSize();
    const cocos2d::Rect box = node->getNodeToWorldTransform().applyToRect(cocos2d::Rect(0, 0, size.width, size.height));
    return window.containsPoint(box.origin) && window.containsPoint(cocos2d::Vec2(box.getMaxX(), box.getMaxY()));
  };
  for (const char* device : {"", "ipad"}) {
    SCOPED_TRACE(device);
    LoadGamePositionInfo(ddz::ChooseLayoutFile(false, device, false));
    view->m_pCompeteTableUI = nullptr;
    CompeteTableUI* bar = MakeBar();
    bar->SetRankList(FiveRows());
    bar->ShowStatus(true);
    bar->ShowRank(true);
    bar->ShowWaitTable(true);
    TapRankPanel(bar);
    tick(1);
    ASSERT_NE(bar->GetRankList(), nullptr);
    for (cocos2d::Node* node : {static_cast<cocos2d::Node*>(bar->GetStatusPanel()),
                                static_cast<cocos2d::Node*>(bar->GetRankPanel()),
                                static_cast<cocos2d::Node*>(bar->GetRankList()->GetBackground())})
      EXPECT_TRUE(inside(node));
    for (cocos2d::Node* part : bar->GetWaitTip()->getChildren()) EXPECT_TRUE(inside(part));
    // The two panels do not cover each other.
    EXPECT_FALSE(bar->GetStatusPanel()->getBoundingBox().intersectsRect(bar->GetRankPanel()->getBoundingBox()));
  }
  LoadGamePositionInfo(ddz::ChooseLayoutFile(false, "", false));
}

// ---------------------------------------------------------------- the table feeds the bar

TEST_F(BarTest, ADealShowsTheLastRankOrTheFinalTablesNumberAndRankOutOfThree) {
  struct Case {
    int state;
    int stage;
    const char* rank;
    const char* count;
    const char* status;
  };
  // The deal's table number is 7 and its final-table rank 2; the view knows rank 12 of 64.
  const Case cases[] = {{1, 0, "12", ":64", "剩余64人，前24名晋级"}, {3, 2, "2", ":3", "第7桌，共3局"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = c.state;
    CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo = c.stage;
    view->iCurOrder = 12;
    view->iAllPlayer = 64;
    view->m_pCompeteTableUI = nullptr;
    CompeteTableUI* bar = MakeBar();
    bar->ShowWaitTable(true);
    DealAndSettle();
    EXPECT_EQ(bar->GetWaitTip(), nullptr);
    EXPECT_TRUE(bar->GetStatusPanel()->isVisible());
    EXPECT_TRUE(bar->GetRankPanel()->isVisible());
    EXPECT_EQ(bar->GetRankDigits()->getString(), c.rank);
    EXPECT_EQ(bar->GetCountDigits()->getString(), c.count);
    EXPECT_EQ(bar->GetStatusLabel()->getString(), c.status);
  }
}

TEST_F(BarTest, TheResultHidesThePanelsItsEndShowsTheTipAndTheBackgroundTakesTheBarAway) {
  CompeteGameInfo::shareCompeteGameInfo()->m_iState = 1;
  CompeteTableUI* bar = MakeBar();
  DealAndSettle();
  view->CallBackGameResultServer(reinterpret_cast<char*>(Result(true, false, -20, 40, -20).data()), 288);
  EXPECT_FALSE(bar->GetStatusPanel()->isVisible());
  EXPECT_FALSE(bar->GetRankPanel()->isVisible());
  RunUntilUnlocked();
  EXPECT_NE(bar->GetWaitTip(), nullptr) << "between hands";

  bar->retain();
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(view->m_pCompeteTableUI, nullptr);
  EXPECT_EQ(bar->getParent(), nullptr);
  bar->release();
  view->CallBackGameEnterForeGround();
}

TEST_F(BarTest, AReloginInPlayShowsThePanelsAndTheRankBetweenHandsOnlyTheRank) {
  for (bool inPlay : {false, true}) {
    SCOPED_TRACE(inPlay);
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 1;
    view->m_pCompeteTableUI = nullptr;
    CompeteTableUI* bar = MakeBar();
    bar->ShowWaitTable(true);
    Frame snap = FrameOf(0, CompeteGameView::kReloginSize);
    snap[140] = 0;  // stage
    PutBE(snap, 148, 5);
    PutBE(snap, 152, 30);
    snap[160] = inPlay ? 2 : 0;
    snap[226] = 0xff;  // no landlord yet
    PutBE(snap, 268, 10);
    view->CallBackAgainLogin(reinterpret_cast<char*>(snap.data()), static_cast<int>(snap.size()));
    EXPECT_EQ(bar->GetRankDigits()->getString(), "5");
    EXPECT_EQ(bar->GetCountDigits()->getString(), ":30");
    EXPECT_EQ(bar->GetRankPanel()->isVisible(), inPlay);
    EXPECT_EQ(bar->GetStatusPanel()->isVisible(), inPlay);
    // In play the hand takes the tip away, between hands the promotion screen does.
    EXPECT_EQ(bar->GetWaitTip(), nullptr);
  }
}

}  // namespace
}  // namespace competetest
