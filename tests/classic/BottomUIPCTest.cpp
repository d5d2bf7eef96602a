// The classic table's bottom bar on the real view: built with the table and
// linked to the own hand, its button states through a hand, the panel
// toggles, the quick buttons on the view's own hand and the sort cycle, the
// chat button's debounce and lock, the name's scale and the single-player
// statistics.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "ClassicTestSupport.h"
#include "cards/SelfHandCard.h"
#include "cards/SelfHandTestSupport.h"
#include "classic/BottomUIPC.h"
#include "classic/DDZPackLayer.h"
#include "gamedata/TextTables.h"
#include "platform/engine/ui/Widgets.h"
#include "widgets/PlayerTitles.h"
#include "widgets/SetLayer.h"
#include "widgets/TalkLayer.h"

namespace classictest {
namespace {

using handtest::Codes;

class BottomUIPCTest : public ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    savedSortOrder = g_iHandSortOrder;
    g_iHandSortOrder = 0;
    SetLayer::destroyInstance();
    view = Enter();
    bar = view->m_pBottomUIPC;
    ASSERT_NE(bar, nullptr);
    hand = view->GetSelfHand();
    ASSERT_NE(hand, nullptr);
  }
  void TearDown() override {
    SetLayer::destroyInstance();
    g_iHandSortOrder = savedSortOrder;
    ClassicTest::TearDown();
  }

  void Give(SelfHandCard* h, const char* text) {
    for (int code : Codes(text)) h->AddCard(code, false, false, false, 0, false, false);
    h->SortCards();
  }
  // Enabled states: the four panel buttons, then the six quick buttons.
  std::vector<bool> States() const {
    std::vector<bool> states;
    for (int i = 0; i < BottomUIPC::kPanelButtons; ++i) states.push_back(bar->GetPanelButton(i)->isEnabled());
    for (int i = 0; i < BottomUIPC::kQuickButtons; ++i) states.push_back(bar->GetQuickButton(i)->isEnabled());
    return states;
  }
  void Panel(int i) { bar->OnPanelBtnClick(bar->GetPanelButton(i)); }
  void Quick(int i) { bar->OnQuickBtnClick(bar->GetQuickButton(i)); }

  CountingView* view = nullptr;
  BottomUIPC* bar = nullptr;
  SelfHandCard* hand = nullptr;
  int savedSortOrder = 0;
};

TEST_F(BottomUIPCTest, TheTableBuildsTheBarAndLinksTheOwnHandToIt) {
  EXPECT_EQ(bar->getParent(), view);
  EXPECT_EQ(bar->getLocalZOrder(), 602);
  EXPECT_EQ(bar->getPosition(), cocos2d::Vec2(0, -14));
  EXPECT_TRUE(bar->isRunning());
  EXPECT_EQ(hand->GetBottomBar(), bar);
  // The backpack's catalogue was read and the panels are kept, not shown.
  EXPECT_FALSE(DDZPackLayer::GetStaticPropMap().empty());
  EXPECT_EQ(bar->GetPackLayer()->getParent(), nullptr);
  EXPECT_EQ(bar->GetTalkLayer()->getParent(), nullptr);

  // The start button switches on the backpack.
  view->OnBtnStart();
  EXPECT_TRUE(bar->GetPanelButton(BottomUIPC::kPanelPack)->isEnabled());

  // Taken down with the table.
  view->removeFromParent();
  EXPECT_EQ(view->m_pBottomUIPC, nullptr);
}

TEST_F(BottomUIPCTest, ButtonStatesFollowTheHandFromTheDealToTheResult) {
  const std::vector<bool> start = {false, true, false, false, false, false, false, false, false, false};
  EXPECT_EQ(States(), start);

  // Cards before the deal enable nothing.
  Give(hand, "34567 999 jjQQKK");
  EXPECT_EQ(States(), start);

  // The deal: the panel buttons, and quick buttons 0-4 by what the hand holds
  // (triple, straight, pair straight; no bomb; sort).
  bar->EnableHandButtons();
  EXPECT_EQ(States(), (std::vector<bool>{true, true, true, true, true, true, true, false, true, false}));
  Give(hand, "2222");
  EXPECT_TRUE(bar->GetQuickButton(ISelfHandBottomBar::kQuickBomb)->isEnabled());

  // The own seat's second turn.
  bar->EnableLastRoundButton();
  EXPECT_TRUE(bar->GetQuickButton(BottomUIPC::kQuickLastRound)->isEnabled());

  // The result: everything off, and the hand's later changes keep it so.
  bar->DisableHandButtons();
  const std::vector<bool> off(10, false);
  EXPECT_EQ(States(), off);
  Give(hand, "A");
  hand->RemoveAllCards();
  EXPECT_EQ(States(), off);

  // The next deal with a hand of one card: nothing to select or sort.
  bar->EnableHandButtons();
  Give(hand, "3");
  EXPECT_EQ(States(), (std::vector<bool>{true, true, true, true, false, false, false, false, false, false}));
}

TEST_F(BottomUIPCTest, PanelButtonsOpenAndCloseTheirPanels) {
  SoundManage::shareSoundManage()->ClearCalls();
  // Backpack.
  Panel(BottomUIPC::kPanelPack);
  DDZPackLayer* pack = bar->GetPackLayer();
  EXPECT_EQ(pack->getParent(), bar);
  EXPECT_NE(pack->GetPanel(), nullptr) << "opened with ShowPack";
  Panel(BottomUIPC::kPanelPack);
  tick();
  EXPECT_EQ(pack->getParent(), nullptr);

  // Settings, with where it was opened and the table's kind.
  Panel(BottomUIPC::kPanelSettings);
  SetLayer* settings = SetLayer::sharedIfAny();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->getParent(), bar);
  EXPECT_EQ(settings->GetOpenFrom(), SetLayer::kFromTable);
  EXPECT_EQ(settings->GetGameKind(), view->GetGameKind());
  Panel(BottomUIPC::kPanelSettings);
  tick();
  EXPECT_EQ(settings->getParent(), nullptr);

  // Every press of a panel button clicks; a stranger sender does only that.
  bar->OnPanelBtnClick(bar->GetQuickButton(0));
  EXPECT_EQ(SoundManage::shareSoundManage()->GetPlayedSounds(),
            std::vector<std::string>(5, "ddzSound/6.mp3"));
}

TEST_F(BottomUIPCTest, TheChatButtonIgnoresClicksWithinHalfASecond) {
  TalkLayer* talk = bar->GetTalkLayer();
  Panel(BottomUIPC::kPanelTalk);
  EXPECT_EQ(talk->getParent(), bar);
  tick(4);  // 400 ms: ignored
  Panel(BottomUIPC::kPanelTalk);
  tick();
  EXPECT_EQ(talk->getParent(), bar);
  Panel(BottomUIPC::kPanelTalk);  // 500 ms after the accepted click
  tick();
  EXPECT_EQ(talk->getParent(), nullptr);
  Panel(BottomUIPC::kPanelTalk);  // 100 ms later: ignored
  EXPECT_EQ(talk->getParent(), nullptr);
}

TEST_F(BottomUIPCTest, SendingAPhraseRestsTheChatButtonForTenSecondsFromTheLastPhrase) {
  cocos2d::ui::Button* chat = bar->GetPanelButton(BottomUIPC::kPanelTalk);
  chat->setEnabled(true);
  bar->CallBackSendTalk();
  EXPECT_FALSE(chat->isEnabled());
  tick(50);  // 5 s
  bar->CallBackSendTalk();
  tick(95);  // 14.5 s: 9.5 s after the second phrase
  EXPECT_FALSE(chat->isEnabled());
  tick(6);
  EXPECT_TRUE(chat->isEnabled());
}

TEST_F(BottomUIPCTest, QuickButtonsSelectInTheViewsOwnHandOnly) {
  Give(hand, "3333 56 99");
  // A stray hand without an owner, made later, is the instance now.
  auto* stray = new SelfHandCard(nullptr, 0);
  stray->autorelease();
  Give(stray, "2222 jj");
  ASSERT_EQ(SelfHandCard::getInstanceIfAny(), stray);

  Quick(ISelfHandBottomBar::kQuickBomb);
  EXPECT_EQ(hand->SelectedCodes().size(), 4u);
  EXPECT_TRUE(stray->SelectedCodes().empty());

  // Without the view's hand a press does nothing and makes no hand.
  hand->removeFromParent();
  view->m_pHandCard[GameViewPC::kOwnSeat] = nullptr;
  stray = nullptr;
  tick();  // the stray hand goes with the autorelease pool
  ASSERT_EQ(SelfHandCard::getInstanceIfAny(), nullptr);
  for (int i = 0; i <= ISelfHandBottomBar::kQuickSort; ++i) Quick(i);
  EXPECT_EQ(SelfHandCard::getInstanceIfAny(), nullptr);
}

TEST_F(BottomUIPCTest, TheSortButtonCyclesTheOrderOnlyWithCards) {
  Quick(ISelfHandBottomBar::kQuickSort);
  EXPECT_EQ(g_iHandSortOrder, 0) << "an empty hand changes nothing";

  Give(hand, "3 55 K");
  const std::vector<int> descending = hand->HandCodes();
  const int expected[] = {1, 2, 0, 1};
  for (int order : expected) {
    Quick(ISelfHandBottomBar::kQuickSort);
    EXPECT_EQ(g_iHandSortOrder, order);
  }
  EXPECT_NE(hand->HandCodes(), descending) << "the hand was sorted again";
  g_iHandSortOrder = 7;  // anything out of the cycle starts it again
  Quick(ISelfHandBottomBar::kQuickSort);
  EXPECT_EQ(g_iHandSortOrder, 0);
  EXPECT_EQ(hand->HandCodes(), descending);
}

TEST_F(BottomUIPCTest, TheNameIsScaledDownToAtMost120) {
  for (const char* name : {"", "Li", "一二三四五六", "a rather long player name for the bar"}) {
    SCOPED_TRACE(name);
    bar->SetUserName(name);
    cocos2d::Label* label = bar->GetNameLabel();
    const float width = label->getContentSize().width;
    EXPECT_EQ(label->getString(), name);
    if (width > BottomUIPC::kNameMaxWidth) {
      EXPECT_NEAR(width * label->getScale(), BottomUIPC::kNameMaxWidth, 1e-3);
    } else {
      EXPECT_FLOAT_EQ(label->getScale(), 1.0f);
    }
  }
}

TEST_F(BottomUIPCTest, TheSinglePlayerWinRateInWholePercent) {
  struct Case {
    int wins, losses, rate;
  };
  const Case cases[] = {{0, 0, 0}, {1, 2, 33}, {2, 1, 66}, {5, 0, 100}, {0, 7, 0}, {INT_MAX, INT_MAX, 50}, {-3, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wins << "/" << c.losses);
    EXPECT_EQ(SingleWinRate(c.wins, c.losses), c.rate);
  }

  GlobalInfo& login = GameViewBase::m_GlobalInfo;
  login.iSingleGameAmount = 250;
  login.iSingleWinNum = 3;
  login.iSingleLoseNum = 1;
  bar->GetMoneyLabel()->setString("x");
  bar->SetSelfMoney(999);  // no money in the single-player game
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "x");
  bar->SetSelfInfo(nullptr);
  EXPECT_EQ(bar->GetNameLabel()->getString(), GameText(BottomUIPC::kSingleNameText));
  // Each figure after the word that names it.
  EXPECT_EQ(bar->GetSingleStatsLabel()->getString(), "积分 250  胜率 75%  " + GetScoreTitle(250));
  EXPECT_TRUE(bar->GetSingleStatsLabel()->isVisible());
  // They stand clear of the name and of the first quick button, a long score too.
  login.iSingleGameAmount = -123456;
  bar->SetSelfInfo(nullptr);
  const cocos2d::Rect stats = bar->GetSingleStatsLabel()->getBoundingBox();
  EXPECT_LE(stats.getMaxX(), bar->GetQuickButton(0)->getBoundingBox().getMinX());
  EXPECT_GE(stats.getMinX(), bar->GetNameLabel()->getBoundingBox().getMaxX());
}

TEST_F(BottomUIPCTest, TheOwnRecordFillsNameMoneyHeadAndTheFirstProp) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  PlayerNode self;
  std::strcpy(self.szUserName, "first");
  std::strcpy(self.szNickName, "N");
  self.iMoney = 1234;
  self.cHeadID = 3;
  bar->SetSelfInfo(&self);
  bar->SetSelfInfo(&self);
  EXPECT_EQ(bar->GetNameLabel()->getString(), "first") << "a nickname of \"N\" is no name";
  EXPECT_EQ(bar->GetMoneyLabel()->getString(), "1234");
  EXPECT_EQ(bar->GetMoney(), 1234);
  int heads = 0;
  for (cocos2d::Node* child : bar->getChildren()) heads += child == bar->GetHeadSprite();
  EXPECT_EQ(heads, 1);
  EXPECT_EQ(bar->GetHeadSprite()->getScale(), 0.8f);
  int propOne = 0;
  for (const UserPropRecord& prop : bar->GetPackLayer()->GetUserProps()) propOne += prop.iPropID == 1;
  EXPECT_EQ(propOne, 1) << "prop 1 is in the list once";

  std::strcpy(self.szNickName, "nick");
  bar->SetSelfInfo(&self);
  EXPECT_EQ(bar->GetNameLabel()->getString(), "nick");
}

}  // namespace
}  // namespace classictest
