// The classic table's answers to the game base's callbacks: the login and the
// start button, kick-out texts, ready and the automatic table change,
// broadcasts, jackpot and red-packet notices, seats joining again, and the
// background and foreground around the animations that hold the messages.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "HandTestSupport.h"
#include "cards/SelfHandCard.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/AniBase.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/ResultAnis.h"

namespace classictest {
namespace {

namespace cm = ddz::classic;

// The classic view with its award calls recorded.
class NoticeView : public GameViewPC {
 public:
  static NoticeView* create() {
    auto* view = new NoticeView();
    view->autorelease();
    return view;
  }
  void ShowAwardAni(int kind, int type, int amount) override { awards.push_back({kind, type, amount}); }
  using GameViewBase::m_pPlayerNode;
  std::vector<std::array<int, 3>> awards;

 private:
  NoticeView() : GameViewPC(nullptr, nullptr, 62) {}
};

using CallbackTest = ClassicTest;

TEST_F(CallbackTest, TheLocalLoginShowsTheStartButtonAndPressingItLeadsToTheDeal) {
  CountingView* view = Enter();
  ASSERT_FALSE(view->GetStartButton()->isVisible());
  view->IniMainSocketAuthen();
  ASSERT_TRUE(view->GetStartButton()->isVisible());
  tap(g_ptBtnStart);
  EXPECT_FALSE(view->GetStartButton()->isVisible());
  // The sit request goes out 1 s later; the local server deals.
  for (int i = 0; i < 400 && !view->m_bHandRunning; ++i) tick(1, 0.05f);
  EXPECT_EQ(view->sitTimesMs.size(), 1u);
  EXPECT_TRUE(view->m_bHandRunning);
  for (int i = 0; i < 400 && view->GetSelfHand()->GetCardCount() < 17; ++i) tick(1, 0.05f);
  EXPECT_EQ(view->GetSelfHand()->GetCardCount(), 17);
}

TEST_F(CallbackTest, KickOutTextsComeFromTheNoticeOrElseFromTheReason) {
  CountingView* view = Enter();
  KickOutServer withText;
  std::strcpy(withText.szText, "server says bye");
  withText.iFlag = 1;
  KickOutServer withTextNoWord = withText;
  withTextNoWord.iFlag = 0;
  KickOutServer empty;
  const struct {
    const char* what;
    int reason;
    KickOutServer* notice;
    std::string text;
    bool quits;
  } cases[] = {
      {"reason 3", 3, nullptr, GameText(6), true},
      {"reason 9", 9, nullptr, GameText(11), true},
      {"reason 19 as 9", 19, nullptr, GameText(11), true},
      {"reason 12", 12, &empty, GameText(9), true},
      {"reason 31: no button action", 31, nullptr, GameText(31), false},
      {"the idle kick passes no notice", 1000, nullptr, GameText(16), true},
      {"reason 1001", 1001, nullptr, GameText(17), true},
      {"an unknown reason", 77, nullptr, GameText(15), true},
      {"the notice's text wins over the reason", 3, &withText, "server says bye", true},
      {"a notice text with word 0 has no action", 3, &withTextNoWord, "server says bye", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(c.text.empty());
    view->CallBackKickOutServerNotice(c.reason, c.notice);
    GameMsgBox* box = GameMsgBox::shareMessageBox();
    EXPECT_TRUE(box->IsOpen());
    EXPECT_EQ(box->GetText(), c.text);
    EXPECT_EQ(box->GetType(), 1);
    EXPECT_EQ(box->GetConfirmAction() != nullptr, c.quits);
    box->CloseDialog(0);
  }
  // Off the stage the box still shows, with no way back to a table.
  view->removeFromParent();
  GameViewPC* away = CountingView::create();
  away->CallBackKickOutServerNotice(4, nullptr);
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(7));
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetConfirmAction(), nullptr);
}

TEST_F(CallbackTest, ReadyAloneChangesTheTableAfter30sAndAJoinCancelsIt) {
  CountingView* view = Enter();
  view->IniMainSocketAuthen();
  view->CallBackPlayerReady(1);
  EXPECT_NE(view->m_pPlayerGameInfo[1]->GetReady(), nullptr);
  EXPECT_TRUE(view->IsAutoChangeDeskPending());
  tick(299, 0.1f);
  EXPECT_TRUE(view->sitTimesMs.empty());
  tick(2, 0.1f);
  ASSERT_EQ(view->sitTimesMs.size(), 1u);  // another table: the local server seats anew
  EXPECT_GE(view->sitTimesMs[0], 30000u);
  EXPECT_FALSE(view->IsAutoChangeDeskPending());

  // Not alone: a second view where a player sits down in the 30 s.
  view->removeFromParent();
  CountingView* other = Enter();
  other->IniMainSocketAuthen();
  other->CallBackPlayerReady(1);
  tick(100, 0.1f);
  PlayerNode robot;
  robot.iUserID = 9;
  robot.bReady = 1;
  other->m_pPlayerNode[0] = &robot;
  other->CallBackPlayerJoinTable(0);
  EXPECT_FALSE(other->IsAutoChangeDeskPending());
  EXPECT_NE(other->m_pPlayerGameInfo[0]->GetReady(), nullptr);  // the seat joined ready
  tick(400, 0.1f);
  EXPECT_TRUE(other->sitTimesMs.empty());
  other->m_pPlayerNode[0] = nullptr;
}

TEST_F(CallbackTest, ARepeatedJoinKeepsTheSeatWidgetsAndALeaveAndJoinBringsThemBack) {
  CountingView* view = Enter();
  view->SendSitReq();
  const std::size_t children = view->getChildrenCount();
  PlayerGameInfo* info = view->m_pPlayerGameInfo[0];
  view->CallBackPlayerJoinTable(0);
  view->CallBackPlayerJoinTable(0);
  EXPECT_EQ(view->getChildrenCount(), children);
  EXPECT_EQ(info->getParent(), view);

  view->CallBackPlayerLeaveTable(0);
  EXPECT_EQ(info->getParent(), nullptr);
  EXPECT_EQ(view->m_pHandCard[0]->getParent(), nullptr);
  view->CallBackPlayerJoinTable(0);
  EXPECT_EQ(view->m_pPlayerGameInfo[0], info);
  EXPECT_EQ(info->getParent(), view);
  EXPECT_EQ(view->m_pHandCard[0]->getParent(), view);
  EXPECT_EQ(view->m_pSendCard[0]->getParent(), view);
  // The shown-hand row comes back with the next shown hand only.
  EXPECT_EQ(view->m_pMingCard[0]->getParent(), nullptr);
  EXPECT_EQ(view->getChildrenCount(), children - 1);
}

// A broadcast: 199 text bytes at 8, the kind at 208.
Frame Bull(int kind, const std::string& text) {
  Frame f = FrameOf(0, 209);
  std::memcpy(f.data() + 8, text.data(), text.size());
  f[208] = static_cast<std::uint8_t>(kind);
  return f;
}

TEST_F(CallbackTest, BroadcastsReachTheTopBarByKindOnlyWhileTheTableRuns) {
  CountingView* view = Enter();
  LobbyTopBull* bull = view->m_pGameBull;
  Frame shortBull = Bull(1, "hello");
  shortBull.pop_back();
  auto heard = [&] { return bull->GetQueue().size() + (bull->IsScrolling() ? 1 : 0); };
  const struct {
    const char* what;
    Frame frame;
    std::size_t added;
  } cases[] = {
      {"kind 1: the top bar", Bull(1, "hello"), 1},
      {"kind 2: nothing", Bull(2, "hello"), 0},
      {"kind 3: the system box, not the top bar", Bull(3, "hello"), 0},
      {"kind 1 but one byte short", shortBull, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t before = heard();
    std::vector<char> copy(c.frame.begin(), c.frame.end());
    view->CallBackShowBullInfo(copy.data(), static_cast<int>(copy.size()));
    EXPECT_EQ(heard(), before + c.added);
  }
  // 199 text bytes and no terminator: the text stops there.
  Frame full = Bull(1, std::string(199, 'x'));
  full[207] = 'x';
  std::vector<char> copy(full.begin(), full.end());
  view->CallBackShowBullInfo(copy.data(), static_cast<int>(copy.size()));
  ASSERT_FALSE(bull->GetQueue().empty());
  EXPECT_EQ(bull->GetQueue().back().size(), 199u);
}

class NoticeTest : public HandTest {};

TEST_F(NoticeTest, RedPacketsAndJackpotsAddTheirAmounts) {
  NoticeView* noticeView = NoticeView::create();
  scene->addChild(noticeView);
  noticeView->SendSitReq();
  PlayerNode* self = noticeView->m_pPlayerNode[1];
  ASSERT_NE(self, nullptr);
  self->iMoney = 1000;
  self->iYuanBao = 10;
  AniManage* anis = noticeView->GetAniManage();

  Frame money = FrameOf(0, 32);
  PutLE(money, 8, 5);     // yuanbao
  PutLE(money, 12, 3);    // kind
  PutLE(money, 28, 250);  // money
  std::vector<char> m(money.begin(), money.end());
  noticeView->CallBackHongBaoNotice(m.data(), static_cast<int>(m.size()));
  EXPECT_EQ(self->iMoney, 1250);
  EXPECT_EQ(self->iYuanBao, 15);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 1250);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, 15);
  EXPECT_EQ(anis->GetRunningCount(), 1u);
  // One byte short of the money: nothing changes.
  noticeView->CallBackHongBaoNotice(m.data(), 31);
  EXPECT_EQ(self->iMoney, 1250);
  // Kinds 30 and 31 show a medal; others nothing.
  for (int kind : {30, 31, 5}) {
    Frame f = FrameOf(0, 16);
    PutLE(f, 12, kind);
    std::vector<char> c(f.begin(), f.end());
    noticeView->CallBackHongBaoNotice(c.data(), static_cast<int>(c.size()));
  }
  EXPECT_EQ(anis->GetRunningCount(), 3u);
  EXPECT_EQ(self->iMoney, 1250);

  // Jackpot kind 4: the amount, big-endian at 12, as a yuanbao award.
  Frame jackpot = FrameOf(0, 22);
  jackpot[9] = 4;
  jackpot[12] = 0x00;
  jackpot[13] = 0x01;
  jackpot[14] = 0x02;
  jackpot[15] = 0x03;
  std::vector<char> j(jackpot.begin(), jackpot.end());
  noticeView->CallBackJackPotNotice(j.data(), static_cast<int>(j.size()));
  ASSERT_EQ(noticeView->awards.size(), 1u);
  EXPECT_EQ(noticeView->awards[0], (std::array<int, 3>{2, 1, 0x010203}));
  // Kind 7: the task animation only; kind 4 too short: nothing.
  j[9] = 7;
  noticeView->CallBackJackPotNotice(j.data(), static_cast<int>(j.size()));
  j[9] = 4;
  noticeView->CallBackJackPotNotice(j.data(), 21);
  EXPECT_EQ(noticeView->awards.size(), 1u);
}

TEST_F(NoticeTest, TheTaskCapWaitsInLineBehindTheAnimationBeforeIt) {
  NoticeView* noticeView = NoticeView::create();
  scene->addChild(noticeView);
  AniManage* anis = noticeView->GetAniManage();
  auto* spring = new AniSpring(0);
  anis->ShowAni(spring, false, true);  // as the hand's end shows it
  ASSERT_TRUE(anis->IsRunning(spring));
  Frame jackpot = FrameOf(0, 22);
  jackpot[9] = 7;
  std::vector<char> j(jackpot.begin(), jackpot.end());
  noticeView->CallBackJackPotNotice(j.data(), static_cast<int>(j.size()));
  EXPECT_EQ(anis->GetRunningCount(), 1u);
  EXPECT_EQ(anis->GetQueuedCount(), 1u) << "the cap must not drop while the banner runs";
  for (int i = 0; i < 600 && anis->GetQueuedCount() > 0; ++i) tick(1, 0.05f);
  EXPECT_EQ(anis->GetQueuedCount(), 0u);
  EXPECT_EQ(anis->GetRunningCount(), 1u) << "the cap runs once the banner is done";
}

// Background while an animation holds the messages, then foreground.
TEST_F(HandTest, BackgroundDuringTheDealTheFlipAndTheHatThenForegroundFreesTheMessages) {
  const std::array<std::uint8_t, 3> bottom{0x2B, 0x2C, 0x2D};
  const struct {
    const char* what;
    bool landlord;
  } cases[] = {{"during the deal", false}, {"during the flip and the hat's entrance", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetMainMsgLock();
    view->Deliver(Settings(0));
    view->Deliver(Deal(0));
    if (c.landlord) {
      RunUntilUnlocked();
      ASSERT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
      view->Deliver(cm::BuildLandlord(0, 3, bottom));
      tick(2, 0.05f);
    }
    ASSERT_GT(GameViewBase::m_iLockMainMsgCount, 0);
    view->CallBackGameEnterBackGround();
    // Every hold of a removed animation is given back; only the
    // background's own stays.
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
    EXPECT_FALSE(view->IsAutoChangeDeskPending());
    tick(100, 0.05f);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);

    view->CallBackGameEnterForeGround();
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    ASSERT_NE(view->GetSelfHand(), nullptr);
    EXPECT_EQ(view->GetSelfHand()->getParent(), view);
    EXPECT_NE(view->m_pGameClock, nullptr);
    EXPECT_TRUE(view->GetStartButton()->isVisible());  // logged in again

    // The next message is delivered.
    view->m_iGameMode = 0;
    const Frame settings = Settings(1);
    view->PostGameMessage(settings.data(), static_cast<int>(settings.size()));
    tick(3, 0.05f);
    EXPECT_EQ(view->m_iGameMode, 1);
    EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);

    // A second foreground lowers nothing more.
    view->CallBackGameEnterForeGround();
    EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
    view->SendSitReq();  // the seats join again
    EXPECT_EQ(view->m_pPlayerGameInfo[0]->getParent(), view);
    EXPECT_EQ(view->m_pHandCard[2]->getParent(), view);
  }
}

}  // namespace
}  // namespace classictest
