// The hand result on the classic table: message 237 to each seat's money and
// score, the spring doubling, the exit state, the result's raise of the
// message lock (lowered exactly once, also when a click races the screen's
// automatic action), and the result screen's buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HandTestSupport.h"
#include "classic/BottomUIPC.h"
#include "classic/SysBoxUIPC.h"
#include "platform/engine/Log.h"
#include "gamedata/TextTables.h"
#include "widgets/AwardDisplays.h"
#include "widgets/NewPlayerAward.h"
#include "widgets/ResultLayer.h"
#include "widgets/TalkLayer.h"

namespace classictest {
namespace {

// A result: the landlord (chair 1, the own seat) wins `score` from each
// farmer; the money changes differ from the scores (offset 12 vs 52); the
// left seat still holds three cards, the right seat none.
Frame Result(int score, bool spring, int smallButton = 0) {
  ddz::classic::HandResultBlocks blocks;
  blocks.scores = {-score, 2 * score, -score};
  blocks.remaining[0][0] = 0x03;
  blocks.remaining[0][1] = 0x24;
  blocks.remaining[0][5] = 0x0d;
  blocks.landlordWon = score > 0;
  blocks.spring = spring;
  Frame f = ddz::classic::BuildHandResult(blocks);
  const int money[3] = {-10 * score, 20 * score, -10 * score};
  for (int chair = 0; chair < 3; ++chair)
    for (int i = 0; i < 4; ++i) f[12 + 4 * chair + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(money[chair]) >> (24 - 8 * i));
  PutLE(f, 284, smallButton);
  return f;
}

class HandResult : public HandTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    view->m_TableItem.iLandOwnerPos = 1;
    view->m_TableItem.iTimes = 2;
    for (int seat = 0; seat < 3; ++seat) money[seat] = view->GetPlayerNode(seat)->iMoney;
  }
  // The result of the hand on the table.
  void DeliverResult(const Frame& f) {
    view->m_bHandRunning = true;
    std::vector<char> copy(f.begin(), f.end());
    view->CallBackGameResultServer(copy.data(), static_cast<int>(copy.size()));
  }
  // Frames until the result screen is up (the pause lasts 60 frames).
  void RunUntilScreen(int limit = 400) {
    for (int i = 0; i < limit && !Screen()->isRunning(); ++i) tick(1, 1.0f / 60);
  }
  ResultLayer* Screen() const { return view->GetResultScreen(); }
  int money[3] = {};
};

TEST_F(HandResult, SettlesEachSeatShowsTheScreenAndHoldsTheMessagesUntilContinue) {
  const int handsToday = view->GetTodayPlayNum();
  const int statsBefore = GameViewBase::m_GlobalInfo.iSingleWinNum + GameViewBase::m_GlobalInfo.iSingleLoseNum;
  DeliverResult(Result(3, false));
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  EXPECT_EQ(g_iExitState, 0);  // the pause runs first
  EXPECT_EQ(view->GetTodayPlayNum(), handsToday + 1);
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  EXPECT_EQ(g_iExitState, 2);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  const int moneyChange[3] = {-30, 60, -30};
  const char* shown[3] = {";3", ":6", ";3"};
  for (int seat = 0; seat < 3; ++seat) {
    SCOPED_TRACE(seat);
    EXPECT_EQ(view->GetPlayerNode(seat)->iMoney, money[seat] + moneyChange[seat]);
    EXPECT_EQ(Screen()->GetSeatNumber(seat)->getString(), shown[seat]);
  }
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, view->GetPlayerNode(1)->iMoney);
  EXPECT_EQ(view->m_pMingCard[0]->GetCardCount(), 3);
  EXPECT_EQ(view->m_pMingCard[2]->GetCardCount(), 0);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iSingleWinNum + GameViewBase::m_GlobalInfo.iSingleLoseNum, statsBefore + 1);
  EXPECT_EQ(view->m_TableItem.iTimes, 2);  // no spring, no doubling

  Screen()->OnBtnContinue();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(Screen()->isRunning());
  EXPECT_EQ(g_iExitState, 0);  // pressed (3), then the table reset
  EXPECT_EQ(view->server->starts, 2);  // the sit's, then the ready
  EXPECT_EQ(view->m_pMingCard[0]->GetCardCount(), 0);
}

// The system box's line on the own result names the amount won or lost as a
// plain number: "lost 6", never "lost -6".
TEST_F(HandResult, TheOwnResultLineNamesTheAmountWithoutASign) {
  struct Case {
    int score;  // the own seat (the landlord) wins 2 x score
    int text;
    int amount;
  } cases[] = {{3, 453, 6}, {-3, 454, 6}, {0, 454, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    DeliverResult(Result(c.score, false));
    RunUntilScreen();
    ASSERT_TRUE(Screen()->isRunning());
    const auto& lines = view->m_pBottomUIPC->m_pSysBox->GetMessages();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().text, ddz::FormatText(GameText(c.text), c.amount));
    EXPECT_EQ(lines.back().text.find('-'), std::string::npos);
    Screen()->OnBtnContinue();
  }
}

// Nobody remarks over the result window: an idle remark that is up goes when
// the window comes, none shows while it stands, and they come again after it.
TEST_F(HandResult, NoIdleRemarkShowsOverTheResultWindow) {
  TalkTip* tips = view->m_pTalkTip;
  ASSERT_NE(tips, nullptr);
  tips->StartFreeTip();
  tips->ShowRandomTip();
  ASSERT_NE(tips->GetRandomTip(), nullptr);
  DeliverResult(Result(3, false));
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  EXPECT_EQ(tips->GetRandomTip(), nullptr) << "the remark stays over the window";
  tips->ShowRandomTip();  // the idle schedule's call while the window stands
  EXPECT_EQ(tips->GetRandomTip(), nullptr) << "a remark over the window";
  EXPECT_TRUE(tips->isScheduled("ShowRandomTip"));

  Screen()->OnBtnContinue();
  tips->ShowRandomTip();
  EXPECT_NE(tips->GetRandomTip(), nullptr) << "no remark after the window";
}

TEST_F(HandResult, ASpringDoublesTheMultipleOnceBeforeTheScreen) {
  const struct {
    bool spring;
    int times;
  } cases[] = {{false, 2}, {true, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.spring);
    view->m_TableItem.iTimes = 2;
    DeliverResult(Result(3, c.spring));
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    RunUntilScreen(1200);
    ASSERT_TRUE(Screen()->isRunning());
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    Screen()->OnBtnContinue();
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  }
}

TEST_F(HandResult, AShortResultIsDroppedAndChangesNothing) {
  Frame f = Result(3, true);
  std::vector<char> copy(f.begin(), f.end());
  view->CallBackGameResultServer(copy.data(), GameViewPC::kResultSize - 1);
  tick(100, 1.0f / 60);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(view->m_iHandsPlayed, 0);
  EXPECT_EQ(view->m_TableItem.iTimes, 2);
  EXPECT_FALSE(Screen()->isRunning());
  for (int seat = 0; seat < 3; ++seat) EXPECT_EQ(view->GetPlayerNode(seat)->iMoney, money[seat]);
}

TEST_F(HandResult, AClickRacingTheAutomaticActionLowersTheLockOnce) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;  // a network table: its countdown ends in the quit
  cocos2d::Log::clear();
  DeliverResult(Result(-2, false));
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  // The countdown runs out: its automatic action is the quit.
  for (int i = 0; i < 1100 && !Screen()->HasActed(); ++i) tick(1, 0.1f);
  ASSERT_TRUE(Screen()->HasActed());
  EXPECT_EQ(g_iExitState, 3);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  // The click arrives after it; so does a stray second call of the view.
  Screen()->OnBtnContinue();
  view->OnResultBtnQuit();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(view->server->starts, 1);  // no ready
  EXPECT_FALSE(cocos2d::Log::contains("kept at 0"));
  // A lock raised by something else after that is not lowered by the result.
  GameViewBase::m_iLockMainMsgCount += 1;
  view->OnResultBtnQuit();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  GameViewBase::m_iLockMainMsgCount -= 1;
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
}

// In the single-player game the screen's countdown ends without an action:
// the table stays, the messages stay held, and the player's continue deals
// the next hand.
TEST_F(HandResult, InTheSinglePlayerGameTheScreenOutlastsItsCountdownUntilContinue) {
  cocos2d::Log::clear();
  const int startsBefore = view->server->starts;
  DeliverResult(Result(-2, false));
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  tick(1200);  // two minutes
  EXPECT_TRUE(Screen()->isRunning());
  EXPECT_FALSE(Screen()->HasActed());
  EXPECT_FALSE(cocos2d::Log::contains("GameViewBase::QuitGame"));
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  Screen()->OnBtnContinue();
  EXPECT_FALSE(Screen()->isRunning());
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(view->server->starts - startsBefore, 1);
}

TEST_F(HandResult, ResultButtonsSendWhatTheTableNeeds) {
  const struct {
    const char* name;
    bool network;
    bool smallGame;
    int starts;           // after the sit's
    const char* logLine;  // the escape the button sent
    bool miniGameRequest;
  } cases[] = {
      {"continue, single-player", false, false, 1, nullptr, false},
      {"continue, network", true, false, 0, "SendEscapeReq 0", false},
      {"mini-game", false, true, 0, "SendEscapeReq 98", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cocos2d::Log::clear();
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    view->server->requests.clear();
    const int startsBefore = view->server->starts;
    DeliverResult(Result(3, false, c.smallGame ? 1 : 0));
    RunUntilScreen();
    ASSERT_TRUE(Screen()->isRunning());
    if (c.network) GameViewBase::m_GlobalInfo.iPlayMode = 0;
    if (c.smallGame) {
      Screen()->OnBtnSmallGame();
    } else {
      Screen()->OnBtnContinue();
    }
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    EXPECT_FALSE(Screen()->isRunning());
    EXPECT_EQ(view->server->starts - startsBefore, c.starts);
    if (c.logLine != nullptr) {
      EXPECT_TRUE(cocos2d::Log::contains(c.logLine));
    }
    EXPECT_EQ(view->server->requests, c.miniGameRequest ? std::vector<int>{41} : std::vector<int>{});
    GameMsgBox::destroyMessageBox();
  }
}

TEST_F(HandResult, CallAndRobShowsTheDoublingCountNotTwoToItsPower) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;  // a network call-and-rob table (kind 1)
  view->m_iGameMode = 1;
  view->m_TableItem.iTimes = 40;
  view->m_TableItem.iBaseScore = 5;
  DeliverResult(Result(3, false));
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  ASSERT_NE(Screen()->GetScoreNumber(1), nullptr);
  EXPECT_EQ(Screen()->GetScoreNumber(0)->getString(), "5");
  EXPECT_EQ(Screen()->GetScoreNumber(1)->getString(), ":40");
  view->OnResultBtnQuit();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
}

TEST_F(HandResult, AContinueTheLossLimitRefusesStillLeavesTheTableWhenTheScreenTimesOut) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;  // a network table: its countdown ends in the leave
  DeliverResult(Result(3, false));
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  view->m_iDayLoseAmount = GameViewPC::kLoseLimit;
  cocos2d::Log::clear();
  Screen()->OnBtnContinue();
  EXPECT_TRUE(GameMsgBox::shareMessageBox()->IsOpen());
  EXPECT_TRUE(Screen()->isRunning());
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  EXPECT_TRUE(Screen()->GetButton(ResultLayer::kBtnContinue)->isEnabled());
  // The box closes itself after 20 s; the screen's countdown runs on to its leave.
  tick(1020);
  EXPECT_TRUE(cocos2d::Log::contains("GameViewBase::QuitGame"));
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  GameMsgBox::destroyMessageBox();
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
}

// The quit question, asked at the result screen, asks about leaving the
// table: the hand is over, and the question does not say otherwise.
TEST_F(HandResult, TheQuitQuestionLeavesThroughItsButton) {
  DeliverResult(Result(3, false));
  RunUntilScreen();
  ASSERT_TRUE(Screen()->isRunning());
  cocos2d::Log::clear();
  view->ShowQuitMsgBox();
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  EXPECT_EQ(box->GetText(), GameText(18));
  EXPECT_EQ(box->GetText().find("没有结束"), std::string::npos) << "not over, it says: " << box->GetText();
  EXPECT_TRUE(box->PressConfirm());
  EXPECT_TRUE(cocos2d::Log::contains("GameViewBase::QuitGame"));
}

// The new-player award: the shell the player picks pays the server's prize
// through the table's award operation: the award display runs and the money
// goes to the own record and the login record.
TEST_F(HandResult, APickedShellOfTheNewPlayerAwardShowsTheAwardAndAddsTheMoney) {
  PlayerNode* self = view->GetPlayerNode(1);
  self->iMoney = 100;
  GameViewBase::m_GlobalInfo.iMoney = 100;
  auto awardMessage = [](int chances, int amount, int kind) {
    Frame f = Activity(3);
    PutLE(f, 24, chances);
    PutLE(f, 28, amount);
    PutLE(f, 32, kind);
    return f;
  };
  view->Deliver(awardMessage(2, 0, 0));    // the hint first
  view->Deliver(awardMessage(1, 500, 2));  // this hand pays 500 money
  NewPlayerAward* award = view->m_pNewPlayerAward;
  ASSERT_NE(award, nullptr);
  view->OnResultExtraGame(1);  // the result screen's countdown reaches the extra game
  for (int i = 0; i < 1200 && !award->CanPick(); ++i) tick(1, 1.0f / 60);
  ASSERT_TRUE(award->CanPick());
  tap(award->convertToWorldSpace(NewPlayerAward::ShellHome(1)));
  for (int i = 0; i < 200 && ChildrenOf<AniManageShowAward>(view).empty(); ++i) tick(1, 1.0f / 60);
  const std::vector<AniManageShowAward*> shown = ChildrenOf<AniManageShowAward>(view);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]->GetAwardId(), 1);
  EXPECT_EQ(self->iMoney, 600);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 600);
}

}  // namespace
}  // namespace classictest
