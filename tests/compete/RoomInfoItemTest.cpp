// The match card: its time label, its fee, its prize picture and the sign-up
// road from the button to the entry into a match room.
#include <gtest/gtest.h>

#include "CompeteListTestSupport.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameSceneBase.h"
#include "support/LocalTime.h"
#include "support/LoopbackGameServer.h"

namespace {

using ddz::test::CompeteListFixture;
using ddz::test::LocalTime;
using ddz::test::MatchRoom;
using ddz::test::PutText;
using ddz::test::UsableMatch;
using ddz::test::WebAnswer;

// ---------------------------------------------------------------- the time label

TEST(CompeteTimeRules, TheNextStartAtTheEndOfTheSignUpWindowAndOneSecondLater) {
  const std::int32_t first = 1000000;
  EXPECT_EQ(ddz::CompeteNextStart(first - 1, first, 1800, 600), first) << "before the first start";
  EXPECT_EQ(ddz::CompeteNextStart(first + 600, first, 1800, 600), first) << "r = window: the period that began";
  EXPECT_EQ(ddz::CompeteNextStart(first + 601, first, 1800, 600), first + 1800) << "one second later: the next";
  EXPECT_EQ(ddz::CompeteNextStart(first + 3600 + 5, first, 1800, 600), first + 3600);
  EXPECT_EQ(ddz::CompeteNextStart(first + 601, first, 0, 600), first) << "an interval of 0 never divides";
}

TEST(CompeteTimeRules, OpenHours) {
  struct Case {
    int hour;
    int start;
    int hours;
    bool open;
  };
  const Case cases[] = {
      {23, 22, 4, true}, {1, 22, 4, true}, {22, 22, 4, true}, {2, 22, 4, false}, {21, 22, 4, false},
      {8, 8, 10, true},  {18, 8, 10, false}, {5, 5, 0, false}, {3, 8, 24, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ddz::CompeteOpenAt(static_cast<std::int32_t>(LocalTime(2026, 3, 14, c.hour)), c.start, c.hours), c.open)
        << c.hour << "h in " << c.start << "+" << c.hours;
  }
}

class MatchCard : public CompeteListFixture {
 protected:
  // One card of a list on the stage, for `record` in a room open from
  // `startHour` for `hours`.
  RoomInfoItem* CardFor(const CompeteMatchRecord& record, int startHour = 0, int hours = 24) {
    g_vcCompeteRoomTable = {record};
    AddMatchRoom({.matchId = record.iMatchId, .serverId = 41, .startHour = startHour, .hours = hours});
    g_tLastSignUpNumReply = ddz::CompeteTimeNow();
    EnterList();
    return list->GetRoomItems().empty() ? nullptr : list->GetRoomItems().front();
  }
  void Leave() {
    if (list != nullptr) list->removeFromParent();
    list = nullptr;
    ResetGlobals();
  }
};

TEST_F(MatchCard, TheTimeLabel) {
  const std::int64_t first = LocalTime(2026, 3, 14, 10);  // timetable: every 30 minutes, 10 of them to sign up
  struct Case {
    const char* what;
    int kind;
    int startHour;
    int hours;
    int interval;
    std::int64_t serverNow;
    std::string label;
  };
  const Case cases[] = {
      {"no timetable: the hours", 1, 8, 10, 30, first, "08:00-18:00"},
      {"no timetable, all day", 1, 8, 24, 30, first, "0:00-24:00"},
      {"in the window's last second", 2, 0, 24, 30, first + 600, ddz::FormatText(GameText(380), 14, 10, 0)},
      {"one second later: the next period", 2, 0, 24, 30, first + 601, ddz::FormatText(GameText(380), 14, 10, 30)},
      {"next start in another month", 2, 0, 24, 30, LocalTime(2026, 3, 1, 0) - 60,
       ddz::FormatText(GameText(379), 3, 14, 10, 0)},
      {"start 22 for 4 hours, next start at 23:00", 2, 22, 4, 30, LocalTime(2026, 3, 14, 23, 5),
       ddz::FormatText(GameText(380), 14, 23, 0)},
      {"start 22 for 4 hours, next start at 02:30", 2, 22, 4, 30, LocalTime(2026, 3, 15, 2, 20), "22:00-02:00"},
      {"0 open hours are never open", 2, 5, 0, 30, first + 60, "05:00-05:00"},
      {"an interval of 0 shows the hours", 2, 8, 10, 0, first + 60, "08:00-18:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompeteMatchRecord record = UsableMatch(5);
    record.iMatchKind = c.kind;
    record.iIntervalMinutes = c.interval;
    PutText(record.szFirstStart, "2026-03-14 10:00:00");
    SyncServer(c.serverNow);
    RoomInfoItem* card = CardFor(record, c.startHour, c.hours);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->GetTimeLabel()->getString(), c.label);
    Leave();
  }
}

TEST_F(MatchCard, ATimetabledCardTicksEverySecondAKindOneCardNever) {
  CompeteMatchRecord record = UsableMatch(5);
  record.iMatchKind = 2;
  SyncServer(LocalTime(2026, 3, 14, 10) + 590);
  RoomInfoItem* card = CardFor(record);
  EXPECT_EQ(card->GetTimeLabel()->getString(), ddz::FormatText(GameText(380), 14, 10, 0));
  for (int i = 0; i < 12 * 60; ++i) director->mainLoop(1.0f / 60);
  EXPECT_EQ(card->GetTimeLabel()->getString(), ddz::FormatText(GameText(380), 14, 10, 30)) << "the window ended";
  EXPECT_EQ(card->GetRoom()->m_tNextStart, static_cast<std::int32_t>(LocalTime(2026, 3, 14, 10, 30)));
  Leave();

  record.iMatchKind = 1;
  card = CardFor(record, 8, 10);
  card->GetTimeLabel()->setString("");
  for (int i = 0; i < 3 * 60; ++i) director->mainLoop(1.0f / 60);
  EXPECT_EQ(card->GetTimeLabel()->getString(), "") << "not rescheduled";
}

// ---------------------------------------------------------------- the fee and the picture

TEST_F(MatchCard, TheFeeByKind) {
  RoomInfoItem* card = CardFor(UsableMatch(5));
  CompeteRoomInfo* room = card->GetRoom();
  struct Case {
    int kind;
    int amount;
    std::vector<std::string> labels;
    bool icon;
  };
  const Case cases[] = {
      {-1, 0, {GameText(435)}, false},
      {0, 0, {GameText(435)}, false},
      {2, 0, {}, false},
      {2, 100, {"x100"}, true},
      {-2, 0, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind * 1000 + c.amount);
    room->m_iFeeType = c.kind;
    room->m_iFeeNum = c.amount;
    card->UpdateSignUpFee(false);
    std::vector<std::string> labels;
    bool icon = false;
    for (cocos2d::Node* child : card->GetFeeNode()->getChildren()) {
      if (auto* label = dynamic_cast<cocos2d::Label*>(child)) labels.push_back(label->getString());
      if (dynamic_cast<cocos2d::Sprite*>(child) != nullptr) icon = true;
    }
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(icon, c.icon);
  }
  // Chosen again: UsableMatch's 2-100;1-5000 for a user with 100 yuanbao.
  GameViewBase::m_GlobalInfo.iYuanBao = 100;
  card->UpdateSignUpFee(true);
  EXPECT_EQ(room->m_iFeeType, 2);
  EXPECT_EQ(room->m_iFeeNum, 100);
}

TEST_F(MatchCard, AMissingPrizePictureShowsThePlaceholder) {
  struct Case {
    const char* what;
    const char* frame;  // the first prize line's picture, or null for no prize line
    const char* shown;
  };
  const Case cases[] = {
      {"a known picture", "ddzcompete_prize_jinbi.png", "ddzcompete_prize_jinbi.png"},
      {"an unknown picture", "no_such_frame.png", RoomInfoItem::kPrizePlaceholder},
      {"no picture name", "", RoomInfoItem::kPrizePlaceholder},
      {"no prize line", nullptr, RoomInfoItem::kPrizePlaceholder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RoomInfoItem* card = CardFor(UsableMatch(5));
    CompeteRoomInfo* room = card->GetRoom();
    if (c.frame == nullptr) {
      room->m_vcAwards.clear();
    } else {
      room->m_vcAwards.resize(1);
      PutText(room->m_vcAwards.front().szUnit, c.frame);
    }
    card->retain();
    card->removeFromParent();  // built again as it comes back
    list->GetListView()->getItem(0)->addChild(card);
    card->release();
    ASSERT_NE(card->GetPrizePicture(), nullptr);
    ASSERT_NE(card->GetPrizePicture()->getSpriteFrame(), nullptr);
    EXPECT_EQ(card->GetPrizePicture()->getSpriteFrame()->getName(), c.shown);
    Leave();
  }
}

// ---------------------------------------------------------------- the sign-up road

class SignUpRoad : public MatchCard {
 protected:
  void SetUp() override {
    MatchCard::SetUp();
    server.SetDefaultAnswer(WebAnswer::Status(500));  // the road's refresh fails; it goes on
  }
};

TEST_F(SignUpRoad, TheFirstFailingCheckEndsTheRoadInItsBox) {
  char coins[64] = {};
  ASSERT_TRUE(Compete().GetPropName(DdzCompete::GetFeePropId(1), 0, coins, sizeof coins));
  struct Case {
    const char* what;
    const char* fees;
    int kind;
    int startHour;
    int hours;
    const char* conditions;
    int minHolding;
    std::string text;
  };
  // The user: 1000 coins, 10 yuanbao, level 0; server-now 2026-03-14 12:00.
  const Case cases[] = {
      {"the fee cannot be paid", "1-5000", 1, 0, 24, "", 0, ddz::FormatText(GameText(440), std::string(coins))},
      {"the fee before the hours", "1-5000", 1, 0, 1, "", 0, ddz::FormatText(GameText(440), std::string(coins))},
      {"outside the hours", "1-500", 1, 0, 1, "", 0, GameText(334)},
      {"sign-up not open yet", "1-500", 2, 0, 24, "", 0, GameText(408)},
      {"an entry condition", "1-500", 1, 0, 24, "0-3", 0, ddz::FormatText(GameText(444), GameText(446))},
      {"too little yuanbao", "1-500", 1, 0, 24, "", 11, ddz::FormatText(GameText(416), 11)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameViewBase::m_GlobalInfo.iMoney = 1000;
    GameViewBase::m_GlobalInfo.iYuanBao = 10;
    CompeteMatchRecord record = UsableMatch(5);
    record.iMatchKind = c.kind;
    record.iMinHolding = c.minHolding;
    PutText(record.szFees, c.fees);
    PutText(record.szConditions, c.conditions);
    PutText(record.szFirstStart, "2026-03-14 12:30:00");
    RoomInfoItem* card = CardFor(record, c.startHour, c.hours);
    Compete().m_iSignUpFeeType = 7;
    card->OnClickSignUp(nullptr);
    EXPECT_TRUE(Box()->IsOpen());
    EXPECT_EQ(Box()->GetType(), 2);
    EXPECT_EQ(Box()->GetText(), c.text);
    EXPECT_EQ(Box()->GetSeconds(), 10.0f);
    EXPECT_EQ(g_iCompeteEnterMode, 0);
    EXPECT_EQ(Compete().m_iSignUpFeeType, 7) << "the last sign-up's fee stays";
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 0) << "nothing entered";
    Leave();
  }
}

TEST_F(SignUpRoad, PassingEveryCheckSetsTheEntryModeAndTheFeeAndEntersTheMatch) {
  GameViewBase::m_GlobalInfo.iYuanBao = 100;
  RoomInfoItem* card = CardFor(UsableMatch(5));
  EXPECT_EQ(card->GetRoom()->m_iFeeType, 2);
  card->OnClickSignUp(nullptr);
  EXPECT_EQ(g_iCompeteEnterMode, 1);
  EXPECT_EQ(Compete().m_iSignUpFeeType, 2);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 41);
  EXPECT_EQ(Box()->GetType(), 3) << "the wait box";
}

TEST_F(SignUpRoad, AUserStillInARunningMatchGoesBackThroughTheLockedServerAndNothingIsChecked) {
  ddz::test::LoopbackGameServer match;
  ASSERT_TRUE(match.ok());
  CompeteMatchRecord record = UsableMatch(5);
  PutText(record.szFees, "1-999999");  // the fee check would fail
  RoomInfoItem* card = CardFor(record);
  RoomServerInfo locked;
  locked.iServerID = 9;
  std::snprintf(locked.szServerIP, sizeof locked.szServerIP, "127.0.0.1");
  locked.iServerPort = static_cast<std::uint16_t>(match.port());
  RoomListLayer::AddRoom(CompeteRoomListLayer::kGameID, locked, RoomRuleInfo());
  PutText(Compete().m_UserRecord.szLockRoomId, "3");
  PutText(Compete().m_UserRecord.szLockServerId, "9");
  Compete().m_iSignUpFeeType = 7;
  GameViewBase::m_GlobalInfo.iPlayMode = 0;

  auto* scene = new GameSceneBase();
  auto* view = new GameViewBase(scene, nullptr);
  GameSceneBase::m_pGameView = view;

  for (int state : {0, 5}) {
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = state;
    card->OnClickSignUp(nullptr);
    EXPECT_EQ(Box()->GetType(), 2) << "state " << state << ": the ordinary checks";
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 0);
  }
  GameMsgBox::destroyMessageBox();
  CompeteGameInfo::shareCompeteGameInfo()->m_iState = 2;
  card->OnClickSignUp(nullptr);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 9) << "back on the locked server";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, match.port());
  EXPECT_FALSE(Box()->IsOpen()) << "no check's box";
  EXPECT_EQ(g_iCompeteEnterMode, 0) << "the entry mode stays";
  EXPECT_EQ(Compete().m_iSignUpFeeType, 7);
  EXPECT_EQ(view->getParent(), scene) << "the table view takes the list's place";

  GameViewBase::GetMainSocket().DisconnectServer(0, false);
  view->removeFromParent();
  GameSceneBase::m_pGameView = nullptr;
  view->release();
  scene->release();
  Leave();
}

}  // namespace
