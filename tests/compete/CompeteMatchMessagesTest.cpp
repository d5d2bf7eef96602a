// The match around the hands on the tournament table: the start with its
// waiting room (27), the competition state (74), the wait numbers (63), the
// rank (62) and the ranking (75), a seat's auto-play (76), a player leaving
// (60), the competition notice (36), the tips (17) and the server's close
// (34), the toast, and frames too short for their type.
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "compete/CompeteHandScript.h"
#include "compete/CompeteLayersTestSupport.h"
#include "compete/CompeteMsg.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteRoomListLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/RoomListLayer.h"
#include "support/LoopbackGameServer.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"

namespace competetest {
namespace {

constexpr int kMatchId = 7;
constexpr int kNextOpenNumber = 15;

std::string Gbk(const std::string& utf8) { return YndCodeConvert::U2g(utf8); }

// ---- the frames ----
// The match start; the name goes out in GBK, as the game server sends it.
struct StartFields {
  int state = 0;
  int fee = 2;
  int signedUp = 37;
  int nextOpen = 123456;
  const char* name = "每日免费赛";
  const char* stages = "9;9;3";
};
Frame Start(const StartFields& s = {}) {
  Frame f = FrameOf(CompeteGameView::kMsgCompeteStart, 1904);
  f[8] = static_cast<std::uint8_t>(s.state);
  f[10] = static_cast<std::uint8_t>(s.fee);
  PutLE(f, 12, s.signedUp);
  PutLE(f, 16, s.nextOpen);
  CompeteMatchRecord record{};
  record.iMatchId = kMatchId;
  std::strncpy(record.szMatchName, Gbk(s.name).c_str(), sizeof record.szMatchName - 1);
  std::strncpy(record.szStages, s.stages, sizeof record.szStages - 1);
  record.iNextOpenNumber = kNextOpenNumber;
  std::memcpy(f.data() + 20, &record, sizeof record);
  return f;
}
Frame Stage(int state, int players) {
  Frame f = FrameOf(CompeteGameView::kMsgStageChange, 16);
  f[8] = static_cast<std::uint8_t>(state);
  PutBE(f, 12, players);
  return f;
}
Frame WaitNumbers(int tables, int second = 99) {
  Frame f = FrameOf(CompeteGameView::kMsgWaitNumbers, 16);
  PutLE(f, 8, tables);
  PutLE(f, 12, second);
  return f;
}
Frame Rank(int outcome, int stage, int order, int players) {
  Frame f = FrameOf(CompeteGameView::kMsgRankUpdate, 24);
  f[8] = static_cast<std::uint8_t>(outcome);
  f[9] = static_cast<std::uint8_t>(stage);
  PutBE(f, 12, order);
  PutBE(f, 20, players);
  return f;
}
struct RankRow {
  std::string name;
  int score;
};
Frame Ranking(int order, int fourthRank, int players, const std::vector<RankRow>& rows) {
  Frame f = FrameOf(CompeteGameView::kMsgRankList, 140);
  PutLE(f, 8, order);
  PutLE(f, 12, fourthRank);
  PutLE(f, 16, players);
  for (std::size_t i = 0; i < rows.size() && i < 5; ++i) {
    std::memcpy(f.data() + 20 + 20 * i, rows[i].name.data(), std::min<std::size_t>(rows[i].name.size(), 20));
    PutLE(f, 120 + 4 * i, rows[i].score);
  }
  return f;
}
Frame AutoPlay(int tableNum, int state) {
  Frame f = FrameOf(CompeteGameView::kMsgAutoPlayState, 10);
  f[8] = static_cast<std::uint8_t>(tableNum);
  f[9] = static_cast<std::uint8_t>(state);
  return f;
}
Frame PlayerLeft(int userId, int action) {
  Frame f = FrameOf(CompeteGameView::kMsgPlayerLeft, 13);
  PutBE(f, 8, userId);
  f[12] = static_cast<std::uint8_t>(action);
  return f;
}
Frame Notice(int value) {
  Frame f = FrameOf(CompeteGameView::kMsgCompeteNotice, 12);
  PutLE(f, 8, value);
  return f;
}
// A text frame: the text's bytes from `at`, ended by a zero only when `terminated`.
Frame WithText(int type, int at, const std::string& text, bool terminated = true) {
  Frame f = FrameOf(type, static_cast<std::size_t>(at) + text.size() + (terminated ? 1 : 0));
  std::memcpy(f.data() + at, text.data(), text.size());
  return f;
}
Frame Tip(int kind, const std::string& text, bool terminated = true) {
  Frame f = WithText(CompeteGameView::kMsgTip, 12, text, terminated);
  PutLE(f, 8, kind);
  return f;
}
Frame Closed(int code, const std::string& text) {
  Frame f = WithText(CompeteGameView::kMsgClosedByServer, 9, text);
  f[8] = static_cast<std::uint8_t>(code);
  return f;
}

class CompeteMatchMessagesTest : public CompeteLayersTest {
 protected:
  void SetUp() override {
    CompeteLayersTest::SetUp();
    GameViewBase::m_GlobalInfo.iUserID = 42;
    std::snprintf(GameViewBase::m_GlobalInfo.szNickName, sizeof GameViewBase::m_GlobalInfo.szNickName, "nick");
    const int ids[3] = {41, 42, 43};
    for (int seat = 0; seat < 3; ++seat)
      if (PlayerNode* player = view->GetPlayerNode(seat)) player->iUserID = ids[seat];
    GameSceneBase::m_pGameView = view;
  }
  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    CompeteLayersTest::TearDown();
  }
  static GameMsgBox* Box() { return GameMsgBox::shareMessageBox(); }
  // The match started before the test's message, with the state it is in now.
  void Started(int state, const char* stages = "9;6;3;1") {
    StartFields s;
    s.state = 0;
    s.stages = stages;
    view->Deliver(Start(s));
    tick();
    Match()->m_iState = state;
  }
  // The tournament's music the view asked for since the last call.
  std::vector<std::string> TakeMusic() {
    std::vector<std::string> music;
    for (const SoundManage::Call& c : SoundManage::shareSoundManage()->GetCalls())
      if (c.op == SoundManage::Op::PlayMusic) music.push_back(c.file);
    SoundManage::shareSoundManage()->ClearCalls();
    return music;
  }
  std::vector<CompeteMsg*> Banners() const {
    std::vector<CompeteMsg*> out;
    for (cocos2d::Node* child : view->getChildren())
      if (auto* banner = dynamic_cast<CompeteMsg*>(child)) out.push_back(banner);
    return out;
  }
  static std::string ToastText(const cocos2d::Node* toast) {
    if (toast == nullptr || toast->getChildrenCount() != 1) return "<no toast>";
    auto* label = dynamic_cast<const cocos2d::Label*>(toast->getChildren().front());
    return label != nullptr ? label->getString() : "<no label>";
  }
  // Runs the toast out: its fades and hold, and the deferred removal.
  void ToastEnds() { tick(36, 0.1f); }
};

// ---------------------------------------------------------------- 27

TEST_F(CompeteMatchMessagesTest, TheStartResetsTheMatchAndShowsTheWaitingRoomOnlyBeforeTheMatchBegins) {
  struct Case {
    const char* name;
    int state;
    bool waitingRoom;
    std::vector<std::string> music;
  };
  const Case cases[] = {
      {"not started", 0, true, {}},
      {"an early phase", 1, false, {"ddzSound/ddzcompete_background_1.mp3"}},
      {"a later phase", 3, false, {"ddzSound/ddzcompete_background_2.mp3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->iAllPlayer = 50;
    view->iWaitTable = 4;
    view->iTableNum = 3;
    view->iCurOrder = 9;
    Box()->ShowMessage("earlier", 1);
    ToastEnds();
    TakeMusic();
    StartFields s;
    s.state = c.state;
    view->Deliver(Start(s));
    tick();

    EXPECT_FALSE(Box()->IsOpen());
    EXPECT_EQ((std::vector<int>{view->iAllPlayer, view->iWaitTable, view->iTableNum, view->iCurOrder}),
              (std::vector<int>{-1, 0, 0, 0}));
    EXPECT_EQ(Match()->m_Record.iMatchId, kMatchId);
    EXPECT_EQ(Match()->m_vcStages, (std::vector<int>{9, 9, 3}));
    EXPECT_EQ(Match()->m_iState, c.state);
    EXPECT_STREQ(Match()->m_szUserName, "nick");
    EXPECT_EQ(DdzCompete::getInstance()->m_iSignUpFeeType, 2);
    // One name label over the middle (where the own hand leaves it in sight:
    // the layout test looks), one bar, a promotion screen not shown yet.
    ASSERT_NE(view->GetMatchNameLabel(), nullptr);
    EXPECT_EQ(view->GetMatchNameLabel()->getString(), "每日免费赛");
    EXPECT_EQ(view->GetMatchNameLabel()->getPositionX(), BasePT::g_iWindowWidth / 2);
    EXPECT_GT(view->GetMatchNameLabel()->getPositionY(), BasePT::g_iWindowHeight / 2);
    ASSERT_NE(view->m_pCompeteTableUI, nullptr);
    EXPECT_TRUE(view->m_pCompeteTableUI->isRunning());
    EXPECT_EQ(view->m_pCompeteTableUI->getLocalZOrder(), 103);
    EXPECT_EQ(CountOf<CompeteTableUI>(view), 1);
    ASSERT_NE(view->m_pCompetePromotionLayer, nullptr);
    EXPECT_FALSE(view->IsPromotionLayerShown());

    EXPECT_EQ(CountOf<CompeteWaitLayer>(view), c.waitingRoom ? 1 : 0);
    if (c.waitingRoom) {
      ASSERT_NE(view->m_pCompeteWaitLayer, nullptr);
      EXPECT_EQ(view->m_pCompeteWaitLayer->GetNextOpenTime(), 123456);
      ASSERT_NE(view->GetToast(), nullptr);
      EXPECT_EQ(view->GetToast()->getLocalZOrder(), 1999);
      EXPECT_EQ(ToastText(view->GetToast()), ddz::FormatText(GameText(362), 37));
      EXPECT_EQ(ToastText(view->GetToast()), "报名成功（元宝）！已有37人报名，请等待开赛。");
      // It hides none of the room's lines: it stands in the band below the
      // room's panel, in the window.
      ASSERT_NE(view->m_pCompeteWaitLayer->GetLowerPanel(), nullptr);
      const float panelBottom = view->m_pCompeteWaitLayer->GetLowerPanel()->convertToWorldSpace({0, 0}).y;
      const cocos2d::Rect toast = view->GetToast()->getBoundingBox();
      EXPECT_LE(toast.getMaxY(), panelBottom);
      EXPECT_GE(toast.getMinY(), 0);
    } else {
      EXPECT_EQ(view->GetToast(), nullptr);
    }
    EXPECT_EQ(TakeMusic(), c.music);
  }
  // Each start replaced the name and the bar of the one before.
  int names = 0;
  for (cocos2d::Node* child : view->getChildren()) names += child == view->GetMatchNameLabel() ? 1 : 0;
  EXPECT_EQ(names, 1);
  EXPECT_EQ(CountOf<CompeteTableUI>(view), 1);
}

TEST_F(CompeteMatchMessagesTest, TheWaitingRoomOpensWithTheCountTheSignUpLineNames) {
  StartFields s;
  s.signedUp = 2;
  view->Deliver(Start(s));
  tick();
  ASSERT_NE(view->m_pCompeteWaitLayer, nullptr);
  ASSERT_TRUE(view->m_pCompeteWaitLayer->isRunning());
  EXPECT_EQ(view->m_pCompeteWaitLayer->GetWaitPlayer(), 2);
  ASSERT_NE(view->m_pCompeteWaitLayer->GetCountDigits(), nullptr);
  EXPECT_EQ(view->m_pCompeteWaitLayer->GetCountDigits()->getString(), "2");
  EXPECT_EQ(ToastText(view->GetToast()), "报名成功（元宝）！已有2人报名，请等待开赛。");
  // The next count from the server replaces it.
  view->Deliver(Stage(0, 3));
  EXPECT_EQ(view->m_pCompeteWaitLayer->GetCountDigits()->getString(), "3");
}

TEST_F(CompeteMatchMessagesTest, TheStartsTextsStayInsideTheirFields) {
  // A full GBK name field without a terminator, cut inside its last
  // character; a nickname of 32 bytes; no nickname at all.
  std::string shown;
  for (int i = 0; i < 49; ++i) shown += "赛";
  shown += "x";
  const std::string field = Gbk(shown) + Gbk("赛").substr(0, 1);  // 98 + 1 + 1 = 100
  ASSERT_EQ(field.size(), 100u);
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  std::memset(info.szNickName, 'n', sizeof info.szNickName);
  Frame f = Start();
  std::memcpy(f.data() + 20 + 8, field.data(), 100);
  view->Deliver(f);
  ASSERT_NE(view->GetMatchNameLabel(), nullptr);
  EXPECT_EQ(view->GetMatchNameLabel()->getString(), shown);
  EXPECT_EQ(std::string(Match()->m_szUserName), std::string(19, 'n'));

  std::memset(info.szNickName, 0, sizeof info.szNickName);
  std::snprintf(info.szUserName, sizeof info.szUserName, "account");
  view->Deliver(Start());
  EXPECT_STREQ(Match()->m_szUserName, "account");
}

// ---------------------------------------------------------------- 74

TEST_F(CompeteMatchMessagesTest, TheStateMovesForwardOnlyAndTheStartTakesTheWaitingRoomOff) {
  struct Case {
    const char* name;
    int from;
    const char* stages;
    int to;
    int sent;           // the frame's count
    int allPlayer;      // after (77 before)
    int state;          // after
    int stageNo;        // after
    bool waitingRoom;   // still up
    int waitCount;      // the waiting room's count (when up)
    bool startBanner;
    bool promotion;     // the promotion screen shown
    bool rankListOff;   // the bar's ranking list can no longer open
  };
  const Case cases[] = {
      {"a lower state is ignored", 2, "9;9;3", 1, 5, 77, 2, 0, true, 0, false, false, false},
      {"the count while waiting", 0, "9;9;3", 0, 40, 40, 0, 0, true, 40, false, false, false},
      {"the start, a qualifying round of the first stage's size", 0, "9;9;3", 1, 64, 64, 1, 1, false, 0, true, false,
       false},
      {"the start, stages of other sizes", 0, "9;6;3", 1, 64, 64, 1, 0, false, 0, true, false, false},
      {"the second early phase", 1, "9;6;3", 2, 18, 18, 2, 0, true, 0, false, true, true},
      {"the first later phase", 2, "9;6;3", 3, 6, 6, 3, 0, true, 0, false, true, false},
      {"the second later phase", 3, "9;6;3", 4, 3, 3, 4, 0, true, 0, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Started(c.from, c.stages);
    ToastEnds();
    Box()->ShowMessage("earlier", 1);
    view->iAllPlayer = 77;
    ASSERT_NE(view->m_pCompeteTableUI, nullptr);
    view->m_pCompeteTableUI->ShowRank(true);  // the first stage's list can open
    view->Deliver(Stage(c.to, c.sent));
    tick();
    EXPECT_EQ(view->iAllPlayer, c.allPlayer);
    EXPECT_EQ(Match()->m_iState, c.state);
    EXPECT_EQ(Match()->m_iStageNo, c.stageNo);
    EXPECT_EQ(CountOf<CompeteWaitLayer>(view), c.waitingRoom ? 1 : 0);
    EXPECT_EQ(view->m_pCompeteWaitLayer != nullptr, c.waitingRoom);
    if (c.waitingRoom && c.waitCount > 0) {
      EXPECT_EQ(view->m_pCompeteWaitLayer->GetWaitPlayer(), c.waitCount);
    }
    EXPECT_EQ(Box()->IsOpen(), !c.startBanner) << "the start closes an open box";
    const std::vector<CompeteMsg*> banners = Banners();
    ASSERT_EQ(banners.size(), c.startBanner ? 1u : 0u);
    if (c.startBanner) {
      EXPECT_EQ(banners.front()->GetMsgType(), 0);
    }
    EXPECT_EQ(view->IsPromotionLayerShown(), c.promotion);
    EXPECT_EQ(view->m_pCompeteTableUI->isTouchEnabled(), !c.rankListOff);
    Box()->CloseDialog(0);
    RunUntilUnlocked();
  }
}

// ---------------------------------------------------------------- 63, 62, ShowPromotion

TEST_F(CompeteMatchMessagesTest, TheWaitNumbersReachThePromotionScreenWhetherShownOrNot) {
  view->Deliver(WaitNumbers(5));
  EXPECT_EQ(view->iWaitTable, 5) << "before any match: no screen to tell";
  Started(1);
  view->Deliver(WaitNumbers(6));
  EXPECT_EQ(view->iWaitTable, 6);
  EXPECT_EQ(view->m_pCompetePromotionLayer->GetWaitTable(), 6);
  EXPECT_FALSE(view->IsPromotionLayerShown());
  ASSERT_TRUE(view->ShowPromotionLayer());
  view->Deliver(WaitNumbers(2));
  EXPECT_EQ(view->m_pCompetePromotionLayer->GetWaitTable(), 2);
}

TEST_F(CompeteMatchMessagesTest, TheRankShowsThePromotionScreenWithTheStageResult) {
  struct Case {
    const char* name;
    int outcome;
    bool shown;
    bool result;      // a result held for the user to see
    int promotions;   // the stages passed after it
  };
  const Case cases[] = {
      {"out", 0, true, true, 0},
      {"promoted", 1, true, true, 1},
      {"neither", 2, true, false, 0},
      {"an unknown outcome", 3, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Started(1, "9;6;3;1");
    RunUntilUnlocked();
    view->m_pCompeteTableUI->ShowWaitTable(true);
    view->iWaitTable = 4;
    view->Deliver(Rank(c.outcome, 2, 12, 48));
    EXPECT_EQ(view->iCurOrder, 12);
    EXPECT_EQ(view->iAllPlayer, 48);
    EXPECT_EQ(Match()->m_iStageNo, 2);
    EXPECT_EQ(view->IsPromotionLayerShown(), c.shown);
    CompetePromotionLayer* screen = view->m_pCompetePromotionLayer;
    EXPECT_EQ(screen->IsResultShown(), c.result);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgTime > 0, c.result);
    EXPECT_EQ(screen->GetBrevetTimes(), c.promotions);
    EXPECT_EQ(view->m_pCompeteTableUI->GetWaitTip() == nullptr, c.shown) << "the tip goes for the screen";
    if (c.shown) {
      EXPECT_EQ((std::vector<int>{screen->GetCurOrder(), screen->GetAllPlayer(), screen->GetWaitTable()}),
                (std::vector<int>{12, 48, 4}));
    }
  }
}

TEST_F(CompeteMatchMessagesTest, ANegativeStageIsKeptButNeverLooksUpTheStageList) {
  Started(1, "9;6;3");
  for (int stage : {-1, -128, 3, 100}) {
    SCOPED_TRACE(stage);
    view->Deliver(Rank(2, stage, 3, 9));
    EXPECT_EQ(Match()->m_iStageNo, stage);
    for (int state : {1, 3}) {
      Match()->m_iState = state;
      view->m_pCompeteTableUI->ShowStatus(true);
      view->m_pCompeteTableUI->ShowRank(true);
      EXPECT_TRUE(view->m_pCompeteTableUI->GetStatusPanel()->isVisible());
    }
    view->RemovePromotionLayer();
  }
}

// ---------------------------------------------------------------- 75

TEST_F(CompeteMatchMessagesTest, TheRankingUpdatesTheRanksAndBuildsRowsOnlyBeforeTheLaterPhases) {
  const std::string full(20, 'x');  // a name filling its field: 19 bytes kept
  const std::vector<RankRow> rows = {{"ann", 90}, {"bob", 80}, {"cy", 70}, {"dee", 20}, {full, 10}};
  for (int state : {1, 2, 3, 4}) {
    SCOPED_TRACE(state);
    Started(state);
    ASSERT_TRUE(view->ShowPromotionLayer());
    view->Deliver(Ranking(11, 9, 30, rows));
    EXPECT_EQ(view->iCurOrder, 11);
    EXPECT_EQ(view->iAllPlayer, 30);
    CompeteTableUI* bar = view->m_pCompeteTableUI;
    EXPECT_EQ(bar->GetRankDigits()->getString(), "11");
    EXPECT_EQ(view->m_pCompetePromotionLayer->GetCurOrder(), 11);
    const std::vector<CompeteRankItem>& got = bar->GetRankRows();
    if (state >= 3) {
      EXPECT_TRUE(got.empty());
      continue;
    }
    ASSERT_EQ(got.size(), 5u);
    const int ranks[5] = {1, 2, 3, 9, 11};
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(got[i].iRank, ranks[i]);
      EXPECT_EQ(got[i].iScore, rows[i].score);
      EXPECT_EQ(std::string(got[i].szName), rows[i].name.substr(0, 19));
    }
  }
}

// ---------------------------------------------------------------- 76

TEST_F(CompeteMatchMessagesTest, AutoPlayShowsTheBadgeUnlessTheSeatIsOnTheFastClock) {
  struct Case {
    const char* name;
    int tableNum;
    int state;
    bool fast;
    bool badgeBefore;
    int tuoGuan;  // the seat's flag after (-1: unchanged)
    bool badge;
  };
  const Case cases[] = {
      {"on", 0, 1, false, false, 1, true},
      {"on, fast clock", 0, 1, true, false, 1, false},
      {"off", 0, 0, false, true, 0, false},
      {"another state", 2, 3, false, true, 3, false},
      {"no seat", 5, 1, false, false, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int seat = c.tableNum < 3 ? c.tableNum : 0;
    PlayerGameInfo* info = view->m_pPlayerGameInfo[seat];
    info->ShowCompeteTuoGuan(c.badgeBefore, g_ptOffLine[seat]);
    view->GetPlayerNode(seat)->bShortClock = c.fast ? 1 : 0;
    view->m_TableItem.iTuoGuan[seat] = -7;
    view->Deliver(AutoPlay(c.tableNum, c.state));
    EXPECT_EQ(view->m_TableItem.iTuoGuan[seat], c.tuoGuan == -1 ? -7 : c.tuoGuan);
    EXPECT_EQ(info->GetTuoGuan() != nullptr, c.badge);
    info->ShowCompeteTuoGuan(false, g_ptOffLine[seat]);
  }
}

// ---------------------------------------------------------------- 60

TEST_F(CompeteMatchMessagesTest, APlayerLeavingEmptiesItsSeatAndTheOwnIdLeavesOrClearsTheTable) {
  struct Case {
    const char* name;
    int userId;
    int action;
    std::vector<bool> seated;  // seats 0, 1, 2 after
    bool quits;
  };
  const Case cases[] = {
      {"another user", 43, 0, {true, true, false}, false},
      {"a user not at the table", 77, 2, {true, true, true}, false},
      {"the own id, leave", 42, 1, {true, true, true}, true},
      {"the own id, clear the seats", 42, 2, {false, false, false}, false},
      {"the own id, another value", 42, 3, {true, true, true}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->ClearDataBeforeEnter();
    view->SendSitReq();
    const int ids[3] = {41, 42, 43};
    for (int seat = 0; seat < 3; ++seat) view->GetPlayerNode(seat)->iUserID = ids[seat];
    cocos2d::Log::clear();
    view->Deliver(PlayerLeft(c.userId, c.action));
    for (int seat = 0; seat < 3; ++seat) {
      SCOPED_TRACE(seat);
      EXPECT_EQ(view->GetPlayerNode(seat) != nullptr, c.seated[static_cast<std::size_t>(seat)]);
      if (c.seated[static_cast<std::size_t>(seat)]) continue;
      // The chair's record is cleared and the seat's head leaves the table.
      EXPECT_EQ(view->GetPlayerRecord(view->GetTableNumByTablePos(seat))->iUserID, 0);
      if (seat != 1) {
        EXPECT_EQ(view->m_pPlayerShow[seat]->getParent(), nullptr);
      }
    }
    const auto& lines = cocos2d::Log::lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "GameViewBase::QuitGame"), c.quits ? 1 : 0);
  }
}

// ---------------------------------------------------------------- 36

TEST_F(CompeteMatchMessagesTest, TheNoticeLeavesOnMinusOneAndGivesTheNextOpeningWhenPositive) {
  Started(0);
  ToastEnds();
  struct Case {
    const char* name;
    int value;
    bool box;
    int type;
    std::string text;
    bool leaves;
    int nextOpen;  // the waiting room's after
  };
  const Case cases[] = {
      {"cannot be played", -1, true, 1, GameText(421), true, 123456},
      {"the next opening", 5000, true, 3, "下一场比赛将在15分钟后开始。", false, 5000},
      {"nothing", 0, false, 0, "", false, 123456},
      {"below -1", -2, false, 0, "", false, 123456},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->m_pCompeteWaitLayer->setNextOpenTime(123456);
    Box()->CloseDialog(0);
    const int shown = Box()->GetShowCount();
    view->Deliver(Notice(c.value));
    EXPECT_EQ(Box()->GetShowCount(), shown + (c.box ? 1 : 0));
    EXPECT_EQ(view->m_pCompeteWaitLayer->GetNextOpenTime(), c.nextOpen);
    if (!c.box) continue;
    EXPECT_EQ(Box()->GetType(), c.type);
    EXPECT_EQ(Box()->GetText(), c.text);
    EXPECT_EQ(Box()->GetTarget() == view && Box()->GetConfirmAction() != nullptr, c.leaves);
    if (!c.leaves) {
      EXPECT_EQ(Box()->GetSeconds(), 3.0f);
    }
  }
}

// ---------------------------------------------------------------- 17

TEST_F(CompeteMatchMessagesTest, ATipIsAToastOrABannerAfterThePromotionScreenGoes) {
  struct Case {
    const char* name;
    int kind;
    bool toast;
    int banner;  // the banner's kind, -1 for none
    bool screenGoes;
  };
  const Case cases[] = {
      {"a toast", 4, true, -1, false},    {"the start banner", 0, false, 0, true},
      {"a stage banner", 1, false, 1, true}, {"banner 3", 3, false, 3, true},
      {"kind 5", 5, false, -1, false},    {"kind -1", -1, false, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Started(1);
    ToastEnds();
    RunUntilUnlocked();
    ASSERT_TRUE(view->ShowPromotionLayer());
    view->Deliver(Tip(c.kind, Gbk(c.kind == 1 ? "3" : "第二轮开始")));
    tick();
    EXPECT_EQ(view->IsToastShown(), c.toast);
    if (c.toast) {
      EXPECT_EQ(view->GetToast()->getLocalZOrder(), 999);
      EXPECT_EQ(ToastText(view->GetToast()), "第二轮开始");
    }
    const std::vector<CompeteMsg*> banners = Banners();
    ASSERT_EQ(banners.size(), c.banner >= 0 ? 1u : 0u);
    if (c.banner >= 0) {
      EXPECT_EQ(banners.front()->GetMsgType(), c.banner);
    }
    EXPECT_EQ(view->IsPromotionLayerShown(), !c.screenGoes);
    view->RemovePromotionLayer();
  }
}

TEST_F(CompeteMatchMessagesTest, ATipsTextEndsAtTheFramesEnd) {
  view->Deliver(Tip(4, "open end", false));
  EXPECT_EQ(ToastText(view->GetToast()), "open end");
}

// ---------------------------------------------------------------- 34

TEST_F(CompeteMatchMessagesTest, TheServersCloseShowsItsReasonAndLeavesFromARunningTable) {
  auto* list = new RoomListLayer();
  list->autorelease();
  RoomListLayer::shareRoomListLayer(list);
  CompeteView* away = CompeteView::create();  // a table not on the stage
  struct Case {
    const char* name;
    int code;
    bool running;
    int type;
    std::string text;
    bool leaves;
    cocos2d::Ref* owner;
  };
  const Case cases[] = {
      {"a notice only", -2, true, 6, "维护通知", false, nullptr},
      {"closed with the server's text", -1, true, 1, "维护通知", true, view},
      {"closed with a code below -2: the server's text", -5, true, 1, "维护通知", true, view},
      {"closed for reason 0", 0, true, 1, GameText(325), true, view},
      {"closed for reason 3", 3, true, 1, GameText(328), true, view},
      {"closed while on another screen", 1, false, 1, GameText(326), false, list},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Box()->CloseDialog(0);
    CompeteView* table = c.running ? view : away;
    table->Deliver(Closed(c.code, Gbk("维护通知")));
    ASSERT_TRUE(Box()->IsOpen());
    EXPECT_EQ(Box()->GetType(), c.type);
    EXPECT_EQ(Box()->GetText(), c.text);
    EXPECT_EQ(Box()->GetTarget(), c.owner);
    EXPECT_EQ(Box()->GetConfirmAction() != nullptr, c.leaves);
    if (c.code == -2) {
      EXPECT_EQ(Box()->GetSeconds(), 3.0f);
    }
  }
  Box()->CloseDialog(0);
}

// The server's close over a real connection: it ends before the box, except
// for the notice.
class CloseOverConnectionTest : public CompeteMatchMessagesTest {
 protected:
  void SetUp() override {
    CompeteMatchMessagesTest::SetUp();
    ASSERT_TRUE(server.ok());
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    server.Ignore(gamebase::ReqType::KeepAlive);
    gamebase::AuthenResult res;
    res.self.iUserID = 42;
    res.self.cChairID = 1;
    // Just signed up: the login sends the sign-up and the table stays.
    g_iCompeteEnterMode = 1;
    server.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(res)}).Expect(CompeteGameView::kMsgSignUp);
    view->IniMainSocketAuthen();
    ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return server.ScriptDone(); }));
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    CompeteMatchMessagesTest::TearDown();
    g_iCompeteEnterMode = 0;
  }
  ddz::test::LoopbackGameServer server;
};

TEST_F(CloseOverConnectionTest, ANoticeKeepsTheConnectionAndAnyOtherCodeEndsIt) {
  server.Send(Sent(Closed(-2, "notice")));
  ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return Box()->IsOpen(); }, 120));
  ddz::test::RunFrames(director, {&server}, [] { return false; }, 10);
  EXPECT_FALSE(server.peerClosed);
  EXPECT_TRUE(view->OwnsMainSocket());

  Box()->CloseDialog(0);
  server.Send(Sent(Closed(0, "")));
  ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return server.peerClosed; }, 120));
  EXPECT_EQ(Box()->GetText(), GameText(325));
  EXPECT_TRUE(Box()->PressConfirm());
  const auto& lines = cocos2d::Log::lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "GameViewBase::QuitGame"), lines.end());
}

// ---------------------------------------------------------------- the toast

TEST_F(CompeteMatchMessagesTest, ASecondToastWhileOneShowsIsDroppedAndTheNextAfterItShows) {
  view->ShowToast("first", 5);
  cocos2d::Node* first = view->GetToast();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->getOpacity(), 0) << "it fades in";
  view->ShowToast("second", 5);
  view->Deliver(Tip(4, "third"));
  int toasts = 0;
  for (cocos2d::Node* child : view->getChildren()) toasts += child->getName() == first->getName() ? 1 : 0;
  EXPECT_EQ(toasts, 1);
  EXPECT_EQ(ToastText(view->GetToast()), "first");
  tick(3, 0.1f);
  EXPECT_EQ(first->getOpacity(), 255);
  tick(30, 0.1f);  // 3.3 s: held, then fading
  EXPECT_TRUE(view->IsToastShown());
  ToastEnds();
  EXPECT_FALSE(view->IsToastShown());
  EXPECT_EQ(view->GetToast(), nullptr);
  view->ShowToast("fourth", 5);
  EXPECT_EQ(ToastText(view->GetToast()), "fourth");
}

TEST_F(CompeteMatchMessagesTest, AToastShownWhileTheTableIsAwayIsTheOneToastWhenItIsBack) {
  view->retain();
  view->removeFromParent();
  view->Deliver(Tip(4, "while away"));
  scene->addChild(view);
  view->release();
  view->ShowToast("after", 5);
  int toasts = 0;
  for (cocos2d::Node* child : view->getChildren()) toasts += child == view->GetToast() ? 1 : 0;
  EXPECT_EQ(toasts, 1);
  EXPECT_EQ(ToastText(view->GetToast()), "while away");
  ToastEnds();
  EXPECT_EQ(view->GetToast(), nullptr) << "its time runs once the table is back";
}

// ---------------------------------------------------------------- short frames

TEST_F(CompeteMatchMessagesTest, AFrameShorterThanItsTypeNeedsIsDroppedAndChangesNothing) {
  Started(1);
  ToastEnds();
  RunUntilUnlocked();
  struct Case {
    int type;
    int need;
    Frame frame;  // a frame of exactly `need` bytes that would change something
  };
  std::vector<Case> cases = {
      {27, 1904, Start()},
      {74, 16, Stage(2, 5)},
      {63, 16, WaitNumbers(8)},
      {62, 24, Rank(1, 2, 3, 4)},
      {75, 140, Ranking(5, 6, 7, {{"a", 1}})},
      {76, 10, AutoPlay(0, 1)},
      {60, 13, PlayerLeft(43, 0)},
      {36, 12, Notice(-1)},
      {17, 13, Tip(4, "")},
      {34, 10, Closed(-1, "")},
  };
  auto snapshot = [this] {
    return std::vector<int>{view->iAllPlayer, view->iWaitTable, view->iCurOrder, Match()->m_iState,
                            Match()->m_iStageNo, Box()->GetShowCount(), view->IsToastShown() ? 1 : 0,
                            static_cast<int>(view->getChildrenCount()), view->GetPlayerNode(2) != nullptr ? 1 : 0,
                            view->m_TableItem.iTuoGuan[0], view->IsPromotionLayerShown() ? 1 : 0};
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(CompeteGameView::MinMessageLength(c.type), c.need);
    ASSERT_EQ(c.frame.size(), static_cast<std::size_t>(c.need));
    c.frame.resize(static_cast<std::size_t>(c.need - 1));
    const std::vector<int> before = snapshot();
    view->Deliver(c.frame);
    tick();
    EXPECT_EQ(snapshot(), before);
  }
}

}  // namespace
}  // namespace competetest
