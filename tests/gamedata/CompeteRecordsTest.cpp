// The competition records: the list splitter, the user record and today's
// sign-ups, server-now, the holdings per fee kind, the prop catalogue, the
// match's lists and prize lines, and the match being played.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/TextHelpers.h"
#include "tests/gamedata/CompeteTestSupport.h"

namespace {

using ddz::test::LocalTime;
using ddz::test::PutText;
using ddz::test::UsableMatch;

using CompeteRecordsTest = ddz::test::CompeteFixture;

TEST(SplitStringTest, CutsAtEverySeparatorAndDropsOnlyAnEmptyLastPiece) {
  struct Case {
    const char* text;
    const char* separator;
    std::vector<std::string> pieces;
  } cases[] = {
      {"1;2;3", ";", {"1", "2", "3"}},
      {"1;;3", ";", {"1", "", "3"}},      // an empty middle piece stays
      {"1;2;", ";", {"1", "2"}},          // an empty last piece goes
      {"1;2;   ", ";", {"1", "2"}},       // trailing blanks first
      {" 1 ; 2", ";", {" 1 ", " 2"}},     // only trailing blanks go
      {";", ";", {""}},
      {"", ";", {}},
      {"   ", ";", {}},
      {"a--b--", "--", {"a", "b"}},
      {"abc", "", {"abc"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\" at \"" + c.separator + "\"");
    std::vector<std::string> out = {"left over"};
    SplitString(out, c.text, c.separator);
    EXPECT_EQ(out, c.pieces);
  }
}

TEST(CompeteListsTest, PiecesThatDoNotReadGiveZeros) {
  EXPECT_EQ(ddz::ParseNumberList("5; 12;x;-3;99999999999"), (std::vector<int>{5, 12, 0, -3, INT_MAX}));
  const std::vector<CompeteKindValue> pairs = ddz::ParseKindValueList("2-100;junk;1--5;7");
  EXPECT_EQ(pairs, (std::vector<CompeteKindValue>{{2, 100}, {0, 0}, {1, -5}, {7, 0}}));
}

TEST(CompeteShowSignUpNumTest, GrowsFromTheRecordCount) {
  const struct {
    int n, shown;
  } cases[] = {{0, 0}, {1, 7}, {17, 120}, {100, 715}, {-5, 0}, {INT_MAX, INT_MAX}};
  for (const auto& c : cases) EXPECT_EQ(ddz::CompeteShowSignUpNum(c.n), c.shown) << c.n;
}

// ---------------------------------------------------------------- user record

TEST_F(CompeteRecordsTest, TodaysSignUpsComeFromARecordOfTodayOnly) {
  const std::int64_t now = LocalTime(2026, 3, 14, 18);
  SyncServer(now, "7-2;9-1;7-5;bad", LocalTime(2026, 3, 14, 0, 0, 5));
  EXPECT_EQ(Compete().GetSignUpTimes(7), 2);  // a match listed twice keeps its first count
  EXPECT_EQ(Compete().GetSignUpTimes(9), 1);
  EXPECT_EQ(Compete().GetSignUpTimes(8), 0);

  SyncServer(now, "7-2;9-1", LocalTime(2026, 3, 13, 23, 59, 59));  // yesterday's counts
  EXPECT_TRUE(Compete().m_mapSignUpTimes.empty());
  EXPECT_EQ(Compete().GetSignUpTimes(7), 0);
}

TEST_F(CompeteRecordsTest, TheRecordsHoldingsReachTheLoginRecord) {
  CompeteUserRecord record{};
  record.iPrizeHold88 = 30;
  record.iPrizeHold89 = 12;
  record.tServerTime = static_cast<std::int32_t>(LocalTime(2026, 3, 14, 9));
  Compete().AcceptUserRecord(record);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iPrizeHold88, 30);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iPrizeHold89, 12);
}

TEST_F(CompeteRecordsTest, TextsThatFillTheirWholeFieldAreReadToTheFieldsEndOnly) {
  CompeteUserRecord record{};
  record.tServerTime = record.tRecordDate = static_cast<std::int32_t>(LocalTime(2026, 3, 14, 9));
  std::string daily;
  while (daily.size() < sizeof record.szDailySignUps - 4) daily += "1-2;";
  daily += "12-3";  // the last piece ends on the record's last byte
  ASSERT_EQ(daily.size(), sizeof record.szDailySignUps);
  PutText(record.szDailySignUps, daily);
  PutText(record.szLockRoomId, std::string(64, '4'));  // no terminator
  record.iPrizeHold88 = 77;                             // the bytes right after it
  PutText(record.szLockServerId, "1203");
  Compete().AcceptUserRecord(record);
  EXPECT_EQ(Compete().GetSignUpTimes(1), 2);
  EXPECT_EQ(Compete().GetSignUpTimes(12), 3);
  EXPECT_EQ(Compete().GetLockRoomId(), INT_MAX);  // 64 digits, nothing of the next field
  EXPECT_EQ(Compete().GetLockServerId(), 1203);
}

TEST_F(CompeteRecordsTest, ServerNowFollowsTheLocalClockButNeverRunsBackwards) {
  const std::int64_t local = ddz::os::Clock().WallTimeSeconds();
  EXPECT_EQ(Compete().GetServerNow(), local);  // before any record: the local time
  const std::int64_t server = local + 5000;
  SyncServer(server);
  ddz::os::Clock().AdvanceMs(10'000);
  EXPECT_EQ(Compete().GetServerNow(), server + 10);
  ddz::os::Clock().SetWallTimeSeconds(local - 3600);  // the local clock turned back
  EXPECT_EQ(Compete().GetServerNow(), server);
}

TEST_F(CompeteRecordsTest, EachFeeKindIsPaidFromItsHolding) {
  GlobalInfo& g = GameViewBase::m_GlobalInfo;
  g.iMoney = 6000;
  g.iYuanBao = 50;
  g.iPrizeHold88 = INT_MAX;
  g.iPrizeHold89 = 10;
  g.iFeeType4Num = 4;
  Compete().m_UserRecord.iFeeKind5Num = 5;
  const struct {
    int kind, holding;
  } cases[] = {{0, 0}, {1, 6000}, {2, 50}, {3, INT_MAX}, {4, 4}, {5, 5}, {-1, 0}, {6, 0}, {-2, 0}};
  for (const auto& c : cases) EXPECT_EQ(Compete().GetPropNum(c.kind), c.holding) << c.kind;
}

// ---------------------------------------------------------------- catalogue

TEST_F(CompeteRecordsTest, TheCatalogueNamesPropsAndTheirPrizePicturesFromThePropFile) {
  const auto& catalogue = Compete().m_mapPropCatalog;
  ASSERT_EQ(catalogue.count(5), 1u);
  EXPECT_STREQ(catalogue.at(5).szName, "记牌器");
  EXPECT_STREQ(catalogue.at(5).szUnit, "ddzcompete_prize_jipaiqi.png");
  EXPECT_EQ(GetStaticPropMap().at(5).strName, "记牌器");  // the backpack's records, the same file

  char name[100] = "untouched";
  EXPECT_TRUE(Compete().GetPropName(5, 3, name, sizeof name));
  EXPECT_STREQ(name, "3记牌器");
  EXPECT_TRUE(Compete().GetPropName(5, 0, name, sizeof name));
  EXPECT_STREQ(name, "记牌器");
  std::strcpy(name, "untouched");
  EXPECT_FALSE(Compete().GetPropName(77, 3, name, sizeof name));
  EXPECT_STREQ(name, "untouched");

  CompeteAwardItem unknown;
  unknown.iPropId = 77;
  unknown.iPropNum = 1;
  Compete().FillAwardItemText(unknown);
  EXPECT_STREQ(unknown.szAwardText, "");
  EXPECT_STREQ(unknown.szUnit, "");
}

TEST_F(CompeteRecordsTest, LongCatalogueTextsAreCutAtACharacter) {
  std::string name;
  for (int i = 0; i < 60; ++i) name += "道";  // 180 bytes
  UsePropFile("[1]\nprop_id = 9\nprop_name = " + name + "\nprop_prize_frame = " + std::string(60, 'f') + "\n");
  const PropCatalogEntry& entry = Compete().m_mapPropCatalog.at(9);
  EXPECT_EQ(std::strlen(entry.szName), 99u);  // 33 whole characters
  EXPECT_EQ(std::string(entry.szName), name.substr(0, 99));
  EXPECT_EQ(std::strlen(entry.szUnit), 39u);
}

// ---------------------------------------------------------------- match lists

TEST_F(CompeteRecordsTest, AMatchWithoutEnoughNumbersStagesOrPrizesIsNotListed) {
  const struct {
    const char* what;
    const char* numbers;
    const char* stages;
    const char* awards;
    bool usable;
  } cases[] = {
      {"usable", "1;2;3;4;5;100", "3;1", "1-1-5-100", true},
      {"five numbers", "1;2;3;4;5", "3;1", "1-1-5-100", false},
      {"a trailing empty number", "1;2;3;4;5;", "3;1", "1-1-5-100", false},
      {"one stage", "1;2;3;4;5;100", "3", "1-1-5-100", false},
      {"no prize line", "1;2;3;4;5;100", "3;1", "", false},
      {"a prize line that does not read", "1;2;3;4;5;100", "3;1", "x", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CompeteMatchRecord record = UsableMatch();
    PutText(record.szNumbers, c.numbers);
    PutText(record.szStages, c.stages);
    PutText(record.szAwards, c.awards);
    CompeteRoomInfo room;
    EXPECT_EQ(room.ParseRoomInfo(record, RoomItemInfo()), c.usable);
  }
}

TEST_F(CompeteRecordsTest, SecondAndThirdPrizesJoinTheLineOfTheSameRanks) {
  CompeteMatchRecord record = UsableMatch();
  record.iSignUpNum = 17;
  PutText(record.szSecondPrizes, "2-3-7-1;9-9-5-1");  // the second matches no line
  PutText(record.szThirdPrizes, "1-1-6-2");
  PutText(record.szConditions, "0-3;1-9");
  PutText(record.szFees, "2-100;junk");
  CompeteRoomInfo room;
  ASSERT_TRUE(room.ParseRoomInfo(record, RoomItemInfo()));
  EXPECT_EQ(room.m_iMatchId, 7);
  EXPECT_EQ(room.m_iShowSignUpNum, 120);
  EXPECT_EQ(room.m_vcNumbers, (std::vector<int>{1, 2, 3, 4, 5, 100}));
  EXPECT_EQ(room.m_vcStages, (std::vector<int>{3, 1}));
  EXPECT_EQ(room.m_vcConditions, (std::vector<CompeteKindValue>{{0, 3}, {1, 9}}));
  EXPECT_EQ(room.m_vcFees, (std::vector<CompeteKindValue>{{2, 100}, {0, 0}}));
  EXPECT_EQ(room.m_tFirstStart, ParseDateTime("2026-03-14 10:00:00"));
  ASSERT_EQ(room.m_vcAwards.size(), 2u);
  const CompeteAwardItem& first = room.m_vcAwards[0];
  const CompeteAwardItem& second = room.m_vcAwards[1];
  EXPECT_EQ((std::vector<int>{first.iRankFrom, first.iRankTo, first.iPropId, first.iPropNum}),
            (std::vector<int>{1, 1, 5, 100}));
  EXPECT_STREQ(first.szAwardText, "100记牌器");
  EXPECT_STREQ(first.szUnit, "ddzcompete_prize_jipaiqi.png");
  EXPECT_EQ(first.iPropId2, 0);
  EXPECT_EQ(first.iPropId3, 6);
  EXPECT_STREQ(first.szAwardText3, "2双倍卡");
  EXPECT_EQ((std::vector<int>{second.iRankFrom, second.iRankTo, second.iPropId2, second.iPropNum2}),
            (std::vector<int>{2, 3, 7, 1}));
  EXPECT_STREQ(second.szAwardText2, "");  // prop 7 is not in the catalogue
  EXPECT_EQ(second.iPropId3, 0);
}

TEST_F(CompeteRecordsTest, TheMatchBeingPlayedTakesItsListsWithoutMinimumCounts) {
  CompeteGameInfo& game = *CompeteGameInfo::shareCompeteGameInfo();
  game.m_iState = 5;
  game.m_iStageNo = 2;
  CompeteMatchRecord record = UsableMatch(31);
  PutText(record.szNumbers, "4");
  PutText(record.szStages, "");
  PutText(record.szSecondPrizes, "2-3-6-1");
  game.ParseCompeteInfo(record);
  EXPECT_EQ(game.m_iState, CompeteGameInfo::kStateNone);
  EXPECT_EQ(game.m_iStageNo, 0);
  EXPECT_EQ(game.m_Record.iMatchId, 31);
  EXPECT_EQ(game.m_vcNumbers, std::vector<int>{4});
  EXPECT_TRUE(game.m_vcStages.empty());
  ASSERT_EQ(game.m_vcAwards.size(), 2u);
  EXPECT_STREQ(game.m_vcAwards[1].szAwardText2, "1双倍卡");

  PutText(record.szAwards, "");
  game.ParseCompeteInfo(record);
  EXPECT_TRUE(game.m_vcAwards.empty());
}

}  // namespace
