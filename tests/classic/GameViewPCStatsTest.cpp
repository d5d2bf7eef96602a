// The single-player statistics and the daily loss limit of the classic table.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "ClassicTestSupport.h"

namespace {

using classictest::ClassicTest;
using classictest::CountingView;
using classictest::LocalTime;

// The local-store keys of user 0 (single-player) and game 62.
constexpr const char* kLoginTime = "0_game_login_time_62";
constexpr const char* kDayAmount = "0_game_lose_amount_62";
constexpr const char* kLobbyAmount = "lobby_all_lose_amount_62";

TEST_F(ClassicTest, LossLimitAllowsAboveMinusOneMillionOnly) {
  CountingView* view = Enter();
  struct Case {
    int amount;
    bool allowed;
  } cases[] = {{0, true}, {-999999, true}, {-1000000, false}, {-1500000, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    GameMsgBox::destroyMessageBox();
    view->m_iDayLoseAmount = c.amount;
    EXPECT_EQ(view->CheckLoseLimit(), c.allowed);
    GameMsgBox* box = GameMsgBox::shareMessageBox();
    EXPECT_EQ(box->IsOpen(), !c.allowed);
    if (!c.allowed) {
      EXPECT_EQ(box->GetType(), 1);
      EXPECT_FLOAT_EQ(box->GetSeconds(), 20.0f);
      EXPECT_EQ(box->GetTarget(), view);
      EXPECT_EQ(box->GetConfirmAction(), static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
    }
  }
}

TEST_F(ClassicTest, TodaysLossAmountRollsOverAtTheFirstEntryOfANewDate) {
  Store()->setInteger64ForKey(kLoginTime, LocalTime(2026, 3, 13, 20, 0));
  Store()->setIntegerForKey(kDayAmount, -400000);
  Store()->setIntegerForKey(kLobbyAmount, -900000);
  SetLocalTime(2026, 3, 13, 23, 50);
  CountingView* view = Enter();
  EXPECT_EQ(view->GetDayLoseAmount(), -400000);  // the same date
  EXPECT_EQ(view->GetLobbyLoseAmount(), -900000);

  // Played across midnight: the amount grows and is stored, no reset in play.
  SetLocalTime(2026, 3, 14, 0, 10);
  view->UpdateLoseAmount(-700000);
  EXPECT_EQ(view->GetDayLoseAmount(), -1100000);
  EXPECT_FALSE(view->CheckLoseLimit());
  Store()->Reload();
  EXPECT_EQ(Store()->getIntegerForKey(kDayAmount, 0), -1100000);
  EXPECT_EQ(Store()->getIntegerForKey(kLobbyAmount, 0), -1600000);
  view->removeFromParent();

  // The next entry is on a new date: today starts at 0, the all-time amount stays.
  GameMsgBox::destroyMessageBox();
  view = Enter();
  EXPECT_EQ(view->GetDayLoseAmount(), 0);
  EXPECT_EQ(view->GetLobbyLoseAmount(), -1600000);
  EXPECT_TRUE(view->CheckLoseLimit());
  EXPECT_EQ(Store()->getInteger64ForKey(kLoginTime, 0), Now());
  EXPECT_EQ(Store()->getIntegerForKey(kDayAmount, 1), 0);

  // A win raises both amounts; a change past the end of an int stops there.
  view->UpdateLoseAmount(250);
  EXPECT_EQ(view->GetDayLoseAmount(), 250);
  view->UpdateLoseAmount(INT_MIN);
  view->UpdateLoseAmount(INT_MIN);
  EXPECT_EQ(view->GetLobbyLoseAmount(), INT_MIN);
}

struct LegacyCase {
  const char* name;
  const char* text;  // null: no file
  int amount, wins, losses;
};

class LegacyStats : public ClassicTest, public ::testing::WithParamInterface<LegacyCase> {};

TEST_P(LegacyStats, SingleConfIsReadOnceIntoTheStoreAndDeleted) {
  const LegacyCase& c = GetParam();
  Store()->setIntegerForKey(GameViewPC::kKeySingleAmount, 11);
  Store()->setIntegerForKey(GameViewPC::kKeySingleWins, 22);
  Store()->setIntegerForKey(GameViewPC::kKeySingleLosses, 33);
  ASSERT_TRUE(Store()->flush());
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  info.iSingleGameAmount = -1;
  info.iSingleWinNum = -2;
  info.iSingleLoseNum = -3;
  if (c.text != nullptr) WriteFile(GameViewPC::kLegacyStatsFile, c.text);

  CountingView::create();
  EXPECT_EQ(info.iSingleGameAmount, c.amount);
  EXPECT_EQ(info.iSingleWinNum, c.wins);
  EXPECT_EQ(info.iSingleLoseNum, c.losses);
  EXPECT_FALSE(std::filesystem::exists(dir.file(GameViewPC::kLegacyStatsFile)));

  // The store holds the counts now; the next view reads them from there.
  Store()->Reload();
  info = GlobalInfo();
  info.iPlayMode = 1;
  CountingView::create();
  EXPECT_EQ(info.iSingleGameAmount, c.amount);
  EXPECT_EQ(info.iSingleWinNum, c.wins);
  EXPECT_EQ(info.iSingleLoseNum, c.losses);
}

INSTANTIATE_TEST_SUITE_P(
    Classic, LegacyStats,
    ::testing::Values(LegacyCase{"NoFileReadsTheStore", nullptr, 11, 22, 33},
                      LegacyCase{"BlankLinesSkippedExtraLinesIgnored", "\n1200\r\n\r\n7\n\n5\n99\n", 1200, 7, 5},
                      LegacyCase{"MissingLinesKeepTheStoredCounts", "\n-40\n", -40, 22, 33},
                      LegacyCase{"EmptyFileKeepsTheStoredCounts", "", 11, 22, 33},
                      LegacyCase{"OnlyBlankLinesKeepTheStoredCounts", "\n\r\n\n", 11, 22, 33},
                      LegacyCase{"ALineThatIsNoCountKeepsItsStoredCount", "abc\n5\n-3\n", 11, 5, 33}),
    [](const ::testing::TestParamInfo<LegacyCase>& info) { return std::string(info.param.name); });

// While the local store cannot be written (here a folder stands where its
// temporary file goes), "single.conf" stays: it is then the only copy of the
// counts on disk, and the next start imports it again.
TEST_F(ClassicTest, SingleConfStaysUntilTheStoreHoldsItsCounts) {
  WriteFile(GameViewPC::kLegacyStatsFile, "1200\n7\n5\n");
  std::filesystem::create_directory(Store()->GetFilePath() + ".tmp");
  CountingView::create();
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  EXPECT_EQ(info.iSingleGameAmount, 1200);
  EXPECT_EQ(info.iSingleWinNum, 7);
  EXPECT_EQ(info.iSingleLoseNum, 5);
  EXPECT_TRUE(std::filesystem::exists(dir.file(GameViewPC::kLegacyStatsFile)));

  // Once the store can be written the next start moves the counts and deletes the file.
  std::filesystem::remove(Store()->GetFilePath() + ".tmp");
  Store()->Reload();
  GameViewBase::m_GlobalInfo = GlobalInfo();
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  CountingView::create();
  EXPECT_FALSE(std::filesystem::exists(dir.file(GameViewPC::kLegacyStatsFile)));
  Store()->Reload();
  EXPECT_EQ(Store()->getIntegerForKey(GameViewPC::kKeySingleAmount, 0), 1200);
  EXPECT_EQ(Store()->getIntegerForKey(GameViewPC::kKeySingleLosses, 0), 5);
}

TEST_F(ClassicTest, NetworkTablesLeaveSingleConfAlone) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  WriteFile(GameViewPC::kLegacyStatsFile, "5\n6\n7\n");
  CountingView::create();
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iSingleGameAmount, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.file(GameViewPC::kLegacyStatsFile)));
}

TEST_F(ClassicTest, EveryOfflineHandIsCountedWonOrLost) {
  CountingView* view = CountingView::create();
  view->RecordSingleHandResult(24);
  view->RecordSingleHandResult(-12);
  view->RecordSingleHandResult(0);  // no gain counts as a loss

  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  EXPECT_EQ(info.iSingleWinNum, 1);
  EXPECT_EQ(info.iSingleLoseNum, 2);
  EXPECT_EQ(info.iSingleGameAmount, 12);
  cocos2d::UserDefault::destroyInstance();  // what reached the file
  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  EXPECT_EQ(defaults->getIntegerForKey(GameViewPC::kUserWins, 0), 1);
  EXPECT_EQ(defaults->getIntegerForKey(GameViewPC::kUserLosses, 0), 2);
  EXPECT_EQ(defaults->getIntegerForKey(GameViewPC::kUserAmount, 0), 12);
  EXPECT_EQ(defaults->getIntegerForKey(GameViewPC::kUserHands, 0), 3);
  EXPECT_EQ(defaults->getIntegerForKey(GameViewPC::kUserHandsForGuide, 0), 3);
  Store()->Reload();
  EXPECT_EQ(Store()->getIntegerForKey(GameViewPC::kKeySingleAmount, 0), 12);

  // A network table counts a won hand for the game base only.
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  view->RecordSingleHandResult(5);
  view->RecordSingleHandResult(-5);
  EXPECT_EQ(view->GetAllWinNum(), 1);
  EXPECT_EQ(info.iSingleWinNum, 1);
}

}  // namespace
