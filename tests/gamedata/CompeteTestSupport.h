// The competition records' fixture: the program's data folder behind a
// scratch folder of the test's own, the shipped prop catalogue, an empty
// login record and a virtual clock set to a local date-time.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/CompeteRecords.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/PropCatalog.h"
#include "platform/engine/FileUtils.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"
#include "support/LocalTime.h"
#include "support/TempDir.h"

namespace ddz::test {

// Fills a record's text field; a text as long as the field has no terminator.
template <std::size_t N>
void PutText(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

// A usable timetable-free match: six general numbers (the free entry's
// yuanbao limit 100), two stages, two prize lines, fees 2-100;1-5000.
inline CompeteMatchRecord UsableMatch(int matchId = 7) {
  CompeteMatchRecord r{};
  r.iMatchId = matchId;
  r.iMatchKind = 1;
  PutText(r.szMatchName, "测试赛");
  PutText(r.szNumbers, "1;2;3;4;5;100");
  PutText(r.szStages, "3;1");
  PutText(r.szAwards, "1-1-5-100;2-3-5-50");
  PutText(r.szFees, "2-100;1-5000");
  PutText(r.szFirstStart, "2026-03-14 10:00:00");
  r.iIntervalMinutes = 30;
  r.iSignUpMinutes = 10;
  return r;
}

class CompeteFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    savedPaths_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir.path(), std::string(DDZ_SOURCE_DIR) + "/data"});
    ddz::ClearConfCache();
    GetStaticPropMap().clear();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    GameSceneBase::m_iLevelValue = 0;
    ddz::os::Clock().Reset(0, LocalTime(2026, 3, 14, 12));
    Compete().Reset();
  }
  void TearDown() override {
    GetStaticPropMap().clear();
    ddz::os::Clock().Reset();
    Compete().Reset();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    GameSceneBase::m_iLevelValue = 0;
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths_);
    ddz::ClearConfCache();
  }

  static DdzCompete& Compete() { return *DdzCompete::getInstance(); }

  // Makes server-now `serverNow` with a user record of that time, dated
  // `recordDate` (default: the same moment) and holding `daily` sign-ups.
  static void SyncServer(std::int64_t serverNow, const char* daily = "", std::int64_t recordDate = -1) {
    CompeteUserRecord record{};
    record.tServerTime = static_cast<std::int32_t>(serverNow);
    record.tRecordDate = static_cast<std::int32_t>(recordDate < 0 ? serverNow : recordDate);
    PutText(record.szDailySignUps, daily);
    Compete().AcceptUserRecord(record);
  }

  // Replaces the catalogue by a prop file of the test's own.
  void UsePropFile(const std::string& text) {
    std::ofstream(dir.file(ddz::kPropConfFile)) << text;
    ddz::ClearConfCache();
    GetStaticPropMap().clear();
    Compete().Reset();
  }

  TempDir dir;

 private:
  std::vector<std::string> savedPaths_;
};

}  // namespace ddz::test
