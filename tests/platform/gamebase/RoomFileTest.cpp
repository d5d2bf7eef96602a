// The room file: one room a line, every field checked; a refused line says
// why and leaves the others; at most eight rooms.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/gamebase/RoomFile.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kGood = "62 7 127.0.0.1 6001 8 12 100 5000 1 3 50 60 900";

TEST(RoomFile, ReadsEveryFieldOfALine) {
  std::vector<std::string> refused;
  const std::vector<gamebase::RoomFileEntry> rooms =
      gamebase::ReadRoomFile(std::string("# a comment\n\n  ") + kGood + "  # and its note\r\n", &refused);
  EXPECT_TRUE(refused.empty());
  ASSERT_EQ(rooms.size(), 1u);
  const gamebase::RoomFileEntry& r = rooms[0];
  EXPECT_EQ(r.gameId, 62);
  EXPECT_EQ(r.server.iServerID, 7);
  EXPECT_STREQ(r.server.szServerIP, "127.0.0.1");
  EXPECT_EQ(r.server.iServerPort, 6001);
  EXPECT_EQ(r.server.iStartHour, 8);
  EXPECT_EQ(r.server.iHours, 12);
  EXPECT_EQ(r.rule.iMinMoney, 100);
  EXPECT_EQ(r.rule.iMaxMoney, 5000);
  EXPECT_EQ(r.rule.iRoomClass, 1);
  EXPECT_EQ(r.rule.iRuleSubType, 3);
  EXPECT_EQ(r.rule.iBaseScore, 50);
  EXPECT_EQ(r.rule.iSuperBaseScore, 60);
  EXPECT_EQ(r.rule.iSecondFigure, 900);
}

TEST(RoomFile, RefusesALineThatDoesNotHoldARoom) {
  struct Case {
    const char* line;
    const char* why;
  };
  const Case cases[] = {
      {"62 7 127.0.0.1 6001 8 12 100 5000 1 3 50 60", "not 13 fields"},
      {"62 7 127.0.0.1 6001 8 12 100 5000 1 3 50 60 900 1", "not 13 fields"},
      {"0 7 127.0.0.1 6001 8 12 100 5000 1 3 50 60 900", "game id"},
      {"62x 7 127.0.0.1 6001 8 12 100 5000 1 3 50 60 900", "game id"},
      {"99999999999 7 127.0.0.1 6001 8 12 100 5000 1 3 50 60 900", "game id"},
      {"62 -1 127.0.0.1 6001 8 12 100 5000 1 3 50 60 900", "server id"},
      {"62 7 127.0.0.1;rm 6001 8 12 100 5000 1 3 50 60 900", "address"},
      {"62 7 a-very-long-host-name.example 6001 8 12 100 5000 1 3 50 60 900", "address"},
      {"62 7 127.0.0.1 65536 8 12 100 5000 1 3 50 60 900", "port"},
      {"62 7 127.0.0.1 0 8 12 100 5000 1 3 50 60 900", "port"},
      {"62 7 127.0.0.1 6001 24 12 100 5000 1 3 50 60 900", "start hour"},
      {"62 7 127.0.0.1 6001 8 0 100 5000 1 3 50 60 900", "hours"},
      {"62 7 127.0.0.1 6001 8 25 100 5000 1 3 50 60 900", "hours"},
      {"62 7 127.0.0.1 6001 8 12 -5 5000 1 3 50 60 900", "minimum money"},
      {"62 7 127.0.0.1 6001 8 12 6000 5000 1 3 50 60 900", "maximum money"},
      {"62 7 127.0.0.1 6001 8 12 100 5000 -1 3 50 60 900", "class"},
      {"62 7 127.0.0.1 6001 8 12 100 5000 1 3 5.5 60 900", "base score"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> refused;
    const auto rooms = gamebase::ReadRoomFile(std::string(c.line) + "\n" + kGood + "\n", &refused);
    EXPECT_EQ(rooms.size(), 1u) << "the good line is kept";
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0], std::string("line 1: ") + c.why);
  }
}

TEST(RoomFile, KeepsAtMostEightRooms) {
  std::string text;
  for (int i = 0; i < 10; ++i) text += std::string(kGood) + "\n";
  std::vector<std::string> refused;
  EXPECT_EQ(gamebase::ReadRoomFile(text, &refused).size(), 8u);
  EXPECT_EQ(refused, (std::vector<std::string>{"line 9: more than 8 rooms", "line 10: more than 8 rooms"}));
}

class RoomFileLoad : public gbtest::GamebaseTest {};

TEST_F(RoomFileLoad, LoadsTheFileThroughTheSearchPathsIntoTheRoomTables) {
  ddz::test::TempDir dir;
  std::ofstream(dir.file("rooms.conf")) << kGood << "\nbroken line\n" << kGood << "\n";
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  const std::vector<std::string> saved = files->getSearchPaths();
  files->setSearchPaths({dir.path()});
  EXPECT_EQ(gamebase::LoadRoomFile(), 2);
  EXPECT_EQ(RoomListLayer::m_vcRoomInfo.size(), 2u);
  EXPECT_EQ(RoomListLayer::m_vcRoomInfo[1].pServerInfo->iServerPort, 6001);
  EXPECT_TRUE(cocos2d::Log::contains("LoadRoomFile rooms.conf refused line 2: not 13 fields"));
  EXPECT_EQ(gamebase::LoadRoomFile("missing.conf"), 0);
  files->setSearchPaths(saved);
}

}  // namespace
