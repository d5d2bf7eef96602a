// The rules of one match: the fee it offers, whether that fee can be paid,
// the opening hours and timetable, and the entry conditions, with the texts
// the checks write.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/TextHelpers.h"
#include "tests/gamedata/CompeteTestSupport.h"

namespace {

using ddz::test::LocalTime;
using ddz::test::PutText;
using ddz::test::UsableMatch;

class CompeteRoomRulesTest : public ddz::test::CompeteFixture {
 protected:
  CompeteRoomInfo Parsed(const CompeteMatchRecord& record, const RoomItemInfo& item = RoomItemInfo()) {
    CompeteRoomInfo room;
    EXPECT_TRUE(room.ParseRoomInfo(record, item));
    return room;
  }
  GlobalInfo& Login() { return GameViewBase::m_GlobalInfo; }
};

TEST_F(CompeteRoomRulesTest, TheFeeChosenIsFreeThenTheDailyEntryThenTheFirstPayable) {
  const struct {
    const char* what;
    const char* fees;
    int freePerDay, yuanBao, money, signedUpToday;
    int kind, amount;
    bool chosen, freeDaily;
  } cases[] = {
      {"the first payable", "2-100;1-5000", 0, 50, 6000, 0, 1, 5000, true, false},
      {"none payable: the first, not chosen", "2-100;1-5000", 0, 50, 0, 0, 2, 100, false, false},
      {"a free option anywhere wins", "2-100;1-5000;0-0", 0, 0, 0, 0, 0, 0, true, false},
      {"free daily entry left", "2-100;1-5000", 2, 50, 6000, 1, -1, 0, true, true},
      {"free daily entries used up", "2-100;1-5000", 2, 50, 6000, 2, 1, 5000, true, false},
      {"yuanbao at the free entry's limit", "2-100;1-5000", 2, 100, 6000, 0, 2, 100, true, false},
      {"no option: the free daily entry still", "", 2, 50, 6000, 1, -1, 0, true, true},
      {"no option and no free entry left", "", 2, 50, 6000, 2, -2, 0, false, false},
      {"no option and no free entry at all", "", 0, 50, 6000, 0, -2, 0, false, false},
      {"a piece that does not read is free", "2-100;x", 0, 0, 0, 0, 0, 0, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Login().iYuanBao = c.yuanBao;
    Login().iMoney = c.money;
    SyncServer(ddz::os::Clock().WallTimeSeconds(), ("7-" + std::to_string(c.signedUpToday)).c_str());
    CompeteMatchRecord record = UsableMatch(7);
    PutText(record.szFees, c.fees);
    record.iFreePerDay = c.freePerDay;
    const CompeteRoomInfo room = Parsed(record);
    EXPECT_EQ(room.m_iFeeType, c.kind);
    EXPECT_EQ(room.m_iFeeNum, c.amount);
    EXPECT_EQ(room.m_bFeeChosen, c.chosen ? 1 : 0);
    EXPECT_EQ(room.m_bFreeDaily, c.freeDaily ? 1 : 0);
  }
}

TEST_F(CompeteRoomRulesTest, AFeeThatCannotBePaidSaysWhichHolding) {
  Login().iMoney = 4999;
  Login().iYuanBao = 99;
  Login().iFeeType4Num = 5;
  CompeteMatchRecord record = UsableMatch();
  PutText(record.szFees, "1-5000;2-100;4-5");
  const CompeteRoomInfo room = Parsed(record);
  char text[CompeteRoomInfo::kCheckTextSize];
  std::memset(text, 'x', sizeof text);
  EXPECT_TRUE(room.CheckSignUpFee(4, text));
  EXPECT_STREQ(text, "");  // a given buffer starts zeroed
  const struct {
    int kind;
    const char* message;
  } refusals[] = {
      {1, "您的金币不足，无法报名。"},       // coins: prop 4 of the catalogue
      {2, "您的元宝不足，无法报名。"},       // yuanbao: prop 1
      {3, "您的报名道具不足，无法报名。"},   // a kind the match does not offer
      {-1, "今天的免费报名次数已用完。"},    // no free entry
  };
  for (const auto& r : refusals) {
    EXPECT_FALSE(room.CheckSignUpFee(r.kind, text)) << r.kind;
    EXPECT_STREQ(text, r.message) << r.kind;
    EXPECT_FALSE(room.CheckSignUpFee(r.kind, nullptr)) << r.kind;
  }
  Login().iFeeType4Num = 4;  // a holding without a prop of its own: the general word
  EXPECT_FALSE(room.CheckSignUpFee(4, text));
  EXPECT_STREQ(text, "您的报名道具不足，无法报名。");
}

TEST_F(CompeteRoomRulesTest, ALongPropNameIsCutIntoTheMessageAtACharacter) {
  std::string name;
  for (int i = 0; i < 33; ++i) name += "道";  // 99 bytes, the catalogue's longest
  UsePropFile("[1]\nprop_id = 4\nprop_name = " + name + "\n");
  CompeteMatchRecord record = UsableMatch();
  PutText(record.szFees, "1-10");
  const CompeteRoomInfo room = Parsed(record);
  char text[CompeteRoomInfo::kCheckTextSize + 8];
  std::memset(text, 'x', sizeof text);
  EXPECT_FALSE(room.CheckSignUpFee(1, text));
  const std::string message = text;
  EXPECT_LT(message.size(), CompeteRoomInfo::kCheckTextSize);
  EXPECT_EQ(message.rfind("您的" + name.substr(0, 60), 0), 0u);
  EXPECT_EQ(Utf8CharCount(message) * 3, static_cast<int>(message.size()));  // whole characters only
  EXPECT_EQ(text[CompeteRoomInfo::kCheckTextSize], 'x');                      // nothing past the 128 bytes
}

TEST_F(CompeteRoomRulesTest, DailyHoursRunAcrossMidnight) {
  RoomServerInfo server;
  RoomItemInfo item;
  item.pServerInfo = &server;
  const struct {
    int start, hours, day, hour;
    bool open;
  } cases[] = {
      {22, 4, 14, 22, true}, {22, 4, 14, 23, true}, {22, 4, 15, 0, true}, {22, 4, 15, 1, true},
      {22, 4, 15, 2, false}, {22, 4, 14, 21, false}, {8, 24, 15, 3, true}, {8, 30, 15, 3, true},
      {8, 10, 14, 17, true}, {8, 10, 14, 18, false}, {8, 10, 14, 7, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("start " + std::to_string(c.start) + " for " + std::to_string(c.hours) + " at " +
                 std::to_string(c.hour));
    server.iStartHour = c.start;
    server.iHours = c.hours;
    SyncServer(LocalTime(2026, 3, c.day, c.hour, 30));
    CompeteRoomInfo room = Parsed(UsableMatch(), item);  // kind 1: no timetable
    char text[CompeteRoomInfo::kCheckTextSize];
    EXPECT_EQ(room.CheckOpenTime(text), c.open);
    EXPECT_STREQ(text, c.open ? "" : "现在不在比赛开放时间内。");
  }
}

TEST_F(CompeteRoomRulesTest, TheTimetableOpensAWindowAtTheStartOfEveryInterval) {
  const std::int64_t first = ParseDateTime("2026-03-14 10:00:00");
  const struct {
    const char* what;
    std::int64_t now;
    int interval;
    bool open;
    std::int64_t nextStart;
  } cases[] = {
      {"the first start", first, 30, true, first},
      {"the window's last second", first + 600, 30, true, first},
      {"just after the window", first + 601, 30, false, first + 1800},
      {"the next window", first + 1800 + 5, 30, true, first + 1800},
      {"before the first start", first - 1, 30, false, first},
      {"an interval of 0", first + 5, 0, false, first},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SyncServer(c.now);
    CompeteMatchRecord record = UsableMatch();
    record.iMatchKind = 2;
    record.iIntervalMinutes = c.interval;
    record.iSignUpMinutes = 10;
    CompeteRoomInfo room = Parsed(record);
    char text[CompeteRoomInfo::kCheckTextSize];
    EXPECT_EQ(room.CheckOpenTime(text), c.open);
    EXPECT_EQ(room.m_tNextStart, c.nextStart);
    EXPECT_STREQ(text, c.open ? "" : "报名还没有开始，请稍后再来。");
  }
}

TEST_F(CompeteRoomRulesTest, LevelConditionsAreTestedInUnitsOfTenThousand) {
  const struct {
    const char* conditions;
    int level;
    bool met;
    const char* message;
  } cases[] = {
      {"", 0, true, ""},
      {"0-3;1-9", 30000, true, ""},
      {"0-3;1-9", 29999, false, "报名条件：等级达到3级"},
      {"0-2;0-5", 30000, false, "报名条件：等级达到5级"},
      {"0-7;1-1;2-3", 0, true, ""},  // conditions of other kinds and values are not tested
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.conditions) + " at " + std::to_string(c.level));
    GameSceneBase::m_iLevelValue = c.level;
    CompeteMatchRecord record = UsableMatch();
    PutText(record.szConditions, c.conditions);
    const CompeteRoomInfo room = Parsed(record);
    char text[CompeteRoomInfo::kCheckTextSize];
    EXPECT_EQ(room.CheckFreeCondition(text), c.met);
    EXPECT_STREQ(text, c.message);
  }
}

}  // namespace
