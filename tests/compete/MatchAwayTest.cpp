// The tournament table over the loopback game servers, on the client's scene
// with its room list: the table leaving for the room list and coming back
// (into a new match, or to take a server move kept while it was away), the
// window going to the background while the match's frames keep coming, and
// the server's GBK texts on the table's screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CompeteConnectionTestSupport.h"
#include "compete/CompeteAwardLayer.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "gamedata/CompeteMatchFile.h"
#include "platform/engine/Label.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/GameMsgBox.h"

namespace competetest {
namespace {

constexpr int kMatchId = 102;  // the shipped match: stages 30;12;6;3
constexpr const char* kToastName = "CompeteToast";

std::string Gbk(const std::string& utf8) { return YndCodeConvert::U2g(utf8); }

// The match (re)start as the game server sends it: the shipped match's
// record, its name in GBK, in competition state `state`.
Bytes StartIn(int state) {
  if (g_vcCompeteRoomTable.empty()) ddz::LoadCompeteMatchFile(ddz::kCompeteMatchFile, g_vcCompeteRoomTable);
  Bytes f = ddz::test::StartFrame(kMatchId, 2);
  f[8] = static_cast<std::uint8_t>(state);
  return f;
}

int Toasts(const cocos2d::Node* view) {
  return static_cast<int>(std::count_if(view->getChildren().begin(), view->getChildren().end(),
                                        [](const cocos2d::Node* n) { return n->getName() == kToastName; }));
}

// The only child of kind T of the view, or null when there are none or more.
template <class T>
T* OnlyChild(const cocos2d::Node* view) {
  T* found = nullptr;
  for (cocos2d::Node* child : view->getChildren()) {
    if (auto* t = dynamic_cast<T*>(child)) {
      if (found != nullptr) return nullptr;
      found = t;
    }
  }
  return found;
}

class MatchAwayTest : public ServerMoveAwayTest {
 protected:
  void TearDown() override {
    CompeteGameInfo::shareCompeteGameInfo()->m_Record = CompeteMatchRecord{};
    ServerMoveAwayTest::TearDown();
  }
  // A table logged in, in a running match, goes to the background; while it
  // is away a turn and a play of the hand, a rank and `matchFrame` come; then
  // it comes back. The hand's frames are dropped, the match's delivered.
  void AwayDuring(const Bytes& matchFrame) {
    LogIn(view);
    first->Send(StartIn(2));
    ASSERT_TRUE(RunUntilHanded(CompeteGameView::kMsgCompeteStart));
    view->types.clear();
    GameSceneBase::m_pGameScene->GameEnterBackGround();
    first->ExpectBytes(AuthenRequest(true));
    for (const Bytes& f : {Sent(Seat(CompeteGameView::kMsgPlayTurn, 1, 9)), Sent(Played(0, {0x23})),
                           ddz::test::RankFrame(2, 2, 6, 12), matchFrame})
      first->Send(f);
    ASSERT_TRUE(Run([&] { return view->GetPendingMainMsgCount() == 4; }));
    EXPECT_EQ(view->types, std::vector<int>{}) << "nothing delivered while away";
    GameSceneBase::m_pGameScene->GameEnterForeGround();
    ASSERT_TRUE(Run([&] { return view->types.size() >= 2 && first->ScriptDone(); }));
    EXPECT_EQ(view->types, (std::vector<int>{CompeteGameView::kMsgRankUpdate, matchFrame[1]}))
        << "the match's frames, not the hand's";
    EXPECT_EQ(Requests(*first).back(), AuthenRequest(true)) << "the foreground's re-login";
  }
  // Frames until the view has been handed `n` more frames of type `type`.
  bool RunUntilHanded(int type, int n = 1) {
    const auto count = [&] { return std::count(view->types.begin(), view->types.end(), type); };
    const auto target = count() + n;
    return Run([&] { return count() >= target; });
  }
};

// ---------------------------------------------------------------- leaving and coming back

TEST_F(MatchAwayTest, ATableBackFromTheRoomListInANewMatchShowsOneWaitingRoomOneBarAndNoOldToast) {
  first->ExpectBytes(AuthenRequest(false), {AuthenAnswer()}).ExpectBytes(SignUpRequest(2), {StartIn(0)});
  view->IniMainSocketAuthen();
  ASSERT_TRUE(RunUntilHanded(CompeteGameView::kMsgCompeteStart));
  ASSERT_NE(view->m_pCompeteWaitLayer, nullptr);
  ASSERT_EQ(Toasts(view), 1) << "the sign-up's toast";

  // The user leaves while the toast is up: the room list takes the table off.
  view->QuitGame();
  ASSERT_TRUE(Run([&] { return !view->isRunning() && list->isRunning() && first->peerClosed; }));
  tick(40, 0.1f);  // longer than a toast stays

  // Signed up again, the room list brings the same table back.
  g_iCompeteEnterMode = 1;
  first->ExpectBytes(AuthenRequest(false), {AuthenAnswer()}).ExpectBytes(SignUpRequest(2), {StartIn(0)});
  list->EnterGame();
  ASSERT_TRUE(RunUntilHanded(CompeteGameView::kMsgCompeteStart));
  EXPECT_EQ(first->accepts, 2);
  EXPECT_EQ(CountOf<CompeteWaitLayer>(view), 1);
  EXPECT_EQ(OnlyChild<CompeteWaitLayer>(view), view->m_pCompeteWaitLayer);
  EXPECT_EQ(CountOf<CompeteTableUI>(view), 1);
  EXPECT_EQ(OnlyChild<CompeteTableUI>(view), view->m_pCompeteTableUI);
  EXPECT_EQ(Toasts(view), 1) << "the new sign-up's toast only";
  tick(40, 0.1f);
  EXPECT_EQ(Toasts(view), 0) << "gone when its time is up";

  // The match begins: nothing is left over the hands.
  first->Send(ddz::test::StageFrame(1, 30));
  ASSERT_TRUE(RunUntilHanded(CompeteGameView::kMsgStageChange));
  tick(2);
  EXPECT_EQ(CountOf<CompeteWaitLayer>(view), 0);
  EXPECT_EQ(CountOf<CompeteTableUI>(view), 1);
  EXPECT_EQ(first->mismatches, Lines{});
}

TEST_F(MatchAwayTest, AMoveKeptWhileTheTableWasAwayShowsItsResultOnTheMatchsPromotionScreen) {
  LogIn(view);
  first->Send(StartIn(2));
  ASSERT_TRUE(RunUntilHanded(CompeteGameView::kMsgCompeteStart));
  ASSERT_NE(view->m_pCompetePromotionLayer, nullptr);
  // The room list takes the table off; the connection stays.
  GameSceneBase::m_pGameScene->CallBackQuitGameShowRoomList();
  ASSERT_TRUE(Run([&] { return !view->isRunning() && list->isRunning(); }));

  second->ExpectBytes(AuthenRequest(true), {AuthenAnswer()});
  ddz::test::MoveFields move;
  move.outcome = 1;
  move.stage = 1;
  move.rank = 4;
  move.players = 12;
  first->Send(ddz::test::MoveFrame(move));
  ASSERT_TRUE(Run([&] { return second->ScriptDone() && view->isRunning(); }));
  CompetePromotionLayer* screen = view->m_pCompetePromotionLayer;
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(view->IsPromotionLayerShown());
  EXPECT_EQ(screen->GetBrevetTimes(), 1 + 1) << "the frame's stage, and the promotion it shows";
  EXPECT_TRUE(screen->IsResultShown()) << "the stage result";
  EXPECT_EQ(screen->GetCurOrder(), 4);
  EXPECT_EQ(CountOf<CompetePromotionLayer>(view), 1);
}

// ---------------------------------------------------------------- the background

TEST_F(MatchAwayTest, TheForegroundTakesTheAwardThatCameWhileAwayAndDropsTheHandsFrames) {
  ddz::test::AwardFields award;
  award.money = 300;
  award.rank = 3;
  GameViewBase::m_GlobalInfo.iMoney = 0;
  AwayDuring(ddz::test::AwardFrame(award));
  EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iState, 5) << "the match is over";
  ASSERT_NE(view->GetAwardLayer(), nullptr);
  EXPECT_EQ(view->GetAwardLayer()->GetRank(), 3);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 300);
}

TEST_F(MatchAwayTest, TheForegroundTakesAServerMoveThatCameWhileAwayToTheNextStagesServer) {
  ddz::test::MoveFields move;
  move.stage = 2;
  move.rank = 6;
  second->ExpectBytes(AuthenRequest(true), {AuthenAnswer()});
  AwayDuring(ddz::test::MoveFrame(move));
  ASSERT_TRUE(Run([&] { return second->ScriptDone(); }));
  EXPECT_EQ(second->accepts, 1) << "the re-login goes to the next stage's server";
  EXPECT_EQ(Requests(*second), Frames{AuthenRequest(true)});
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, first->port() + 1);
  EXPECT_EQ(view->iCurOrder, 6);
  EXPECT_EQ(CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo, 2);
}

// ---------------------------------------------------------------- the server's texts

TEST_F(MatchAwayTest, TheServersGbkTextsShowAsTheirCharactersOnEveryScreen) {
  // One converter for every text the game server sends: each case's frame
  // goes over the connection, then its text is looked for where it shows.
  const std::string name = "整点金币赛";
  const std::string toastText = "比赛即将开始，请稍候";
  const std::string noticeText = "服务器维护中";
  const std::string awardText = "整点金币赛亚军";
  Bytes toast = ddz::test::MatchFrame(CompeteGameView::kMsgTip, 12 + 40);
  ddz::test::PutLittle(toast, 8, 4);
  std::memcpy(toast.data() + 12, Gbk(toastText).data(), Gbk(toastText).size());
  Bytes notice = ddz::test::MatchFrame(CompeteGameView::kMsgClosedByServer, 9 + 40);
  notice[8] = static_cast<std::uint8_t>(-2);  // a notice only: the connection stays
  std::memcpy(notice.data() + 9, Gbk(noticeText).data(), Gbk(noticeText).size());
  ddz::test::AwardFields award;
  award.rank = 2;
  award.text = Gbk(awardText);
  struct Case {
    const char* where;
    Bytes frame;  // empty: the text came with the frame before
    std::function<const cocos2d::Node*()> screen;
    std::string text;
  };
  const Case cases[] = {
      {"a toast", toast, [this] { return view->GetToast(); }, toastText},
      {"the match name on the table", StartIn(0), [this] { return view->GetMatchNameLabel(); }, name},
      {"the waiting room's header", {}, [this] { return view->m_pCompeteWaitLayer; }, name},
      {"the server's notice", notice, [] { return GameMsgBox::shareMessageBox(); }, noticeText},
      {"the certificate's award text", ddz::test::AwardFrame(award), [this] { return view->GetAwardLayer(); },
       awardText},
  };
  LogIn(view);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    if (!c.frame.empty()) {
      first->Send(c.frame);
      ASSERT_TRUE(RunUntilHanded(c.frame[1]));
    }
    const cocos2d::Node* screen = c.screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(HasLabel(screen, c.text));
  }
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), noticeText);
  ASSERT_NE(view->GetAwardLayer(), nullptr);
  EXPECT_EQ(view->GetAwardLayer()->GetAwardText(), awardText);
}

}  // namespace
}  // namespace competetest
