#include "gamedata/TextTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "support/TempDir.h"

namespace {

class TextTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir_.path() + "/"});
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
  }
  void TearDown() override {
    cocos2d::FileUtils::getInstance()->setSearchPaths(saved_);
    g_vecGameText.clear();
    g_vecCompeteText.clear();
    g_vecSuperGameText.clear();
    g_bGameTextLoaded = false;
    cocos2d::Log::setEchoToStderr(true);
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_.file(name), std::ios::binary) << text;
  }
  static bool Logged(const std::string& part) {
    for (const auto& l : cocos2d::Log::lines())
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
  ddz::test::TempDir dir_;
  std::vector<std::string> saved_;
};

TEST_F(TextTablesTest, EntryNIsTheNthNonEmptyLine) {
  Write("t.txt", "\n\nfirst\r\n\nsecond\n  \nthird");
  std::vector<std::string> table = {"stale"};
  ASSERT_TRUE(LoadTextLines("t.txt", table));
  // Entry 0 is the placeholder; a line of blanks is not empty and counts.
  EXPECT_EQ(table, (std::vector<std::string>{"", "first", "second", "  ", "third"}));

  ASSERT_TRUE(LoadTextLines("t.txt", table));  // loading again replaces, never appends
  EXPECT_EQ(table.size(), 5u);
}

TEST_F(TextTablesTest, MissingFileLeavesOnlyThePlaceholder) {
  std::vector<std::string> table = {"", "old"};
  EXPECT_FALSE(LoadTextLines("absent.txt", table));
  EXPECT_EQ(table, std::vector<std::string>{""});
  EXPECT_TRUE(Logged("cannot read absent.txt"));
}

TEST_F(TextTablesTest, OutOfRangeEntriesAreEmptyAndLogged) {
  Write("ddz_game_text.txt", "");
  ddz::EnsureGameTextLoaded();
  ASSERT_TRUE(g_bGameTextLoaded);
  for (int n : {-1, 0, 1, 36, 458, 1 << 30}) EXPECT_EQ(GameText(n), "") << n;
  EXPECT_TRUE(Logged("text 458 of ddz_game_text.txt is out of range (1 entries)"));
  EXPECT_TRUE(Logged("text -1 of"));
  EXPECT_EQ(CompeteText(17), "");  // never loaded: no entries at all
  EXPECT_EQ(SuperGameText(9), "");
  EXPECT_TRUE(Logged("text 9 of superddz_game.txt is out of range (0 entries)"));
}

TEST_F(TextTablesTest, GameTextLoadsOncePerProcess) {
  Write("ddz_game_text.txt", "one\ntwo\n");
  ddz::EnsureGameTextLoaded();
  EXPECT_EQ(GameText(2), "two");
  Write("ddz_game_text.txt", "changed\n");
  ddz::EnsureGameTextLoaded();
  EXPECT_EQ(GameText(1), "one");

  Write("superddz_game.txt", "a\n\nb\n");
  LoadTextLines(ddz::kSuperGameTextFile, g_vecSuperGameText);
  EXPECT_EQ(SuperGameText(2), "b");
}

TEST(FormatMatchesTest, ConversionsMustBeExactlyTheArguments) {
  struct Case {
    const char* fmt;
    const char* kinds;
    bool ok;
  };
  for (const Case& c : {
           Case{"plain text", "", true},
           Case{"100%% sure", "", true},
           Case{"%s %s(%s)", "sss", true},
           Case{"%d月%d日%d:%02d", "dddd", true},
           Case{"%-5d|%+d|% d|%#x|%X|%o|%u|%i|%.3s", "dddddddds", true},
           Case{"%999d", "d", true},
           Case{"%s %s", "sss", false},        // fewer conversions than arguments
           Case{"%s %s %s %s", "sss", false},  // more conversions than arguments
           Case{"%d", "s", false},             // wrong kind
           Case{"%s", "d", false},
           Case{"%n", "", false},
           Case{"%s%n", "s", false},
           Case{"%*d", "d", false},
           Case{"%.*s", "s", false},
           Case{"%ld", "d", false},
           Case{"%lld", "d", false},
           Case{"%hhd", "d", false},
           Case{"%1$s", "s", false},
           Case{"%1000d", "d", false},
           Case{"%.1000s", "s", false},
           Case{"%f", "d", false},
           Case{"%p", "s", false},
           Case{"%c", "d", false},
           Case{"ends with %", "", false},
           Case{"%", "", false},
       }) {
    EXPECT_EQ(ddz::FormatMatches(c.fmt, c.kinds), c.ok) << c.fmt << " / " << c.kinds;
  }
}

TEST(FormatTextTest, TitleFormatTakesExactlyThreeTexts) {
  const std::string name = "斗地主";
  EXPECT_EQ(ddz::FormatText("%s %s（%s）", name, "v1.0.0.2", "V1.08"), "斗地主 v1.0.0.2（V1.08）");
  // A wrong or hostile format falls back to the arguments joined by spaces.
  for (const char* bad : {"%s %s", "%s%s%s%s", "%s %d %s", "%n%s%s%s", "no conversions"})
    EXPECT_EQ(ddz::FormatText(bad, name, "v1.0.0.2", "V1.08"), "斗地主 v1.0.0.2 V1.08") << bad;
}

TEST(FormatTextTest, NumbersAndLongResults) {
  EXPECT_EQ(ddz::FormatText("本局台费：%d游戏币", 250), "本局台费：250游戏币");
  EXPECT_EQ(ddz::FormatText("第%d-%d名", 4, 10), "第4-10名");
  EXPECT_EQ(ddz::FormatText("%s", static_cast<const char*>(nullptr)), "");
  EXPECT_EQ(ddz::FormatText("%d%s", 7), "7");
  EXPECT_FALSE(ddz::FormatChecked("%d%d", 1).has_value());
  // The result is as long as it needs to be: nothing is cut at a fixed buffer.
  const std::string big(600, 'x');
  EXPECT_EQ(ddz::FormatText("[%s]", big).size(), 602u);
  // A format is read up to an embedded NUL, as printf would.
  EXPECT_EQ(ddz::FormatText(std::string("%d\0%s", 5), 3), "3");
}

}  // namespace
