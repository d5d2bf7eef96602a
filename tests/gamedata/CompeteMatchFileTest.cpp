// The match file: sections packed into match records byte for byte, the
// sections that are left out, and the shipped example matches.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gamedata/CompeteMatchFile.h"
#include "gamedata/CompeteRoomInfo.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndConf.h"
#include "tests/gamedata/CompeteTestSupport.h"

namespace {

using ddz::test::PutText;

class CompeteMatchFileTest : public ddz::test::CompeteFixture {
 protected:
  std::vector<CompeteMatchRecord> Load(const std::string& text) {
    std::ofstream(dir.file("matches.conf")) << text;
    ddz::ClearConfCache();
    std::vector<CompeteMatchRecord> table(3);  // whatever was there goes
    ddz::LoadCompeteMatchFile("matches.conf", table);
    return table;
  }
  static bool Same(const CompeteMatchRecord& a, const CompeteMatchRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  }
};

TEST_F(CompeteMatchFileTest, EveryFieldIsPackedAtItsPlace) {
  const std::vector<CompeteMatchRecord> table = Load(
      "[1]\nmatch_id = 55\nname = 周末赛\ntext2 = second line\nkind = 2\nfirst_players = 30\nlast_players = 3\n"
      "free_per_day = 1\nmin_holding = 500\nsign_ups = 17\nawards = 1-1-5-100;2-3-5-50\nnumbers = 1;2;3;4;5;6\n"
      "fees = 2-100;1-5000\nstages = 9;3\nfirst_start = 2026-03-14 10:00:00\ninterval_minutes = 30\n"
      "sign_up_minutes = 10\nnext_open_number = 45\nsecond_prizes = 2-3-7-1\nthird_prizes = 1-1-6-2\n"
      "conditions = 0-3\n");
  CompeteMatchRecord built{};
  built.iMatchId = 55;
  PutText(built.szMatchName, "周末赛");
  PutText(built.szMatchText2, "second line");
  built.iMatchKind = 2;
  built.iFirstPlayers = 30;
  built.iLastPlayers = 3;
  built.iFreePerDay = 1;
  built.iMinHolding = 500;
  built.iSignUpNum = 17;
  PutText(built.szAwards, "1-1-5-100;2-3-5-50");
  PutText(built.szNumbers, "1;2;3;4;5;6");
  PutText(built.szFees, "2-100;1-5000");
  PutText(built.szStages, "9;3");
  PutText(built.szFirstStart, "2026-03-14 10:00:00");
  built.iIntervalMinutes = 30;
  built.iSignUpMinutes = 10;
  built.iNextOpenNumber = 45;
  PutText(built.szSecondPrizes, "2-3-7-1");
  PutText(built.szThirdPrizes, "1-1-6-2");
  PutText(built.szConditions, "0-3");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_TRUE(Same(table[0], built));
}

TEST_F(CompeteMatchFileTest, ASectionThatDoesNotFitIsLeftOutAndTheOthersStay) {
  const std::string name99(99, 'n');
  const std::vector<CompeteMatchRecord> table = Load(
      "[1]\nmatch_id = 1\nname = " + name99 + "\n"                    // fits with its terminator
      "[2]\nmatch_id = 2\nname = " + name99 + "n\n"                   // one byte too long
      "[3]\nmatch_id = 3\nkind = two\n"                               // not a number
      "[4]\nname = no id\n"                                           // no match id
      "[5]\nmatch_id = -4\n"                                          // not above 0
      "[6]\nmatch_id = 1\nname = again\n"                             // listed before
      "[7]\nmatch_id = 7\nkind = 99999999999\n"                       // beyond an int
      "[8]\nmatch_id = 8\nfirst_start = 2026-03-14 10:00:00 and more text that runs past forty\n"
      "[9]\nmatch_id = 9\n"
      "[11]\nmatch_id = 11\n");                                       // after the gap
  std::vector<int> ids;
  for (const CompeteMatchRecord& r : table) ids.push_back(r.iMatchId);
  EXPECT_EQ(ids, (std::vector<int>{1, 9}));
  EXPECT_EQ(ddz::RecordText(table[0].szMatchName), name99);
}

TEST_F(CompeteMatchFileTest, AMissingFileGivesNoMatch) {
  std::vector<CompeteMatchRecord> table(2);
  EXPECT_EQ(ddz::LoadCompeteMatchFile("no_such_matches.conf", table), 0);
  EXPECT_TRUE(table.empty());
}

TEST_F(CompeteMatchFileTest, TheShippedExamplesAreUsableMatches) {
  const auto conf = ddz::LoadConfFile(ddz::kCompeteMatchFile);
  ASSERT_NE(conf, nullptr);
  EXPECT_EQ(conf->SkippedLines(), 0);
  std::vector<CompeteMatchRecord> table;
  ASSERT_EQ(ddz::LoadCompeteMatchFile(ddz::kCompeteMatchFile, table), 3);
  RoomServerInfo server;
  RoomItemInfo item;
  item.pServerInfo = &server;
  for (const CompeteMatchRecord& record : table) {
    SCOPED_TRACE(record.iMatchId);
    CompeteRoomInfo room;
    ASSERT_TRUE(room.ParseRoomInfo(record, item));
    for (const CompeteAwardItem& award : room.m_vcAwards) {
      EXPECT_STRNE(award.szAwardText, "") << "prize prop " << award.iPropId << " is not in the catalogue";
      EXPECT_STRNE(award.szUnit, "") << "prize prop " << award.iPropId << " has no picture";
    }
    if (record.iMatchKind != 1) {
      EXPECT_NE(room.m_tFirstStart, -1);
    }
  }
}

}  // namespace
