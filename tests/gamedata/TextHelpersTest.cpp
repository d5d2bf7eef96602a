#include "gamedata/TextHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

TEST(Utf8Test, CharCount) {
  struct Case {
    const char* text;
    int count;
  };
  for (const Case& c : {
           Case{"", 0},
           Case{"abc", 3},
           Case{"斗地主", 3},
           Case{"A斗b", 3},
           Case{"\xC3\xA9t\xC3\xA9", 3},                // é t é
           Case{"\xF0\x9F\x83\x8F!", 2},                // a 4-byte character
           Case{"\x80\xBF" "a", 1},                     // stray continuation bytes are not counted
           Case{"\xFE\xFF", 0},
           Case{"ab\xE6\x96", 3},                       // a truncated tail counts as one
           Case{"\xE6", 1},
           Case{"\xFC\x80", 1},                         // a 6-byte lead with one byte left
       }) {
    EXPECT_EQ(Utf8CharCount(c.text), c.count) << c.text;
    EXPECT_EQ(Utf8CharCount(std::string_view(c.text)), c.count) << c.text;
  }
  EXPECT_EQ(Utf8CharCount(static_cast<const char*>(nullptr)), 0);
  // A view stops at its first NUL, like the C text it stands for.
  EXPECT_EQ(Utf8CharCount(std::string_view("ab\0cd", 5)), 2);
}

TEST(Utf8Test, CopyCharsStopsAtWholeCharactersThatFit) {
  char out[16];
  const auto copy = [&](const char* src, std::size_t cap, int n) {
    std::memset(out, '#', sizeof out);
    const std::size_t bytes = Utf8CopyChars(src, out, cap, n);
    EXPECT_EQ(bytes, std::strlen(out));
    return std::string(out);
  };
  EXPECT_EQ(copy("斗地主比赛", 16, 2), "斗地");
  EXPECT_EQ(copy("斗地主比赛", 16, 99), "斗地主比赛");
  EXPECT_EQ(copy("斗地主比赛", 8, 5), "斗地");  // 7 bytes of room: the third character does not fit
  EXPECT_EQ(copy("斗地主比赛", 10, 5), "斗地主");
  EXPECT_EQ(copy("abc", 16, 0), "");
  EXPECT_EQ(copy("ab\xE6\x96", 16, 3), "ab\xE6\x96");  // the truncated tail, never past the end
  EXPECT_EQ(copy("a\x80\x80" "b", 16, 2), "a\x80\x80" "b");

  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Utf8CopyChars(nullptr, out, sizeof out, 2), 0u);
  EXPECT_EQ(Utf8CopyChars("abc", out, sizeof out, -1), 0u);
  EXPECT_EQ(Utf8CopyChars("abc", out, 0, 2), 0u);
  EXPECT_EQ(out[0], '#');  // none of these wrote anything
  EXPECT_EQ(Utf8CopyChars("abc", nullptr, 4, 2), 0u);

  EXPECT_EQ(ddz::Utf8FirstChars("斗地主", 2), "斗地");
  EXPECT_EQ(ddz::Utf8FirstChars("斗地主", 0), "");
  EXPECT_EQ(ddz::Utf8FirstChars("ab", 5), "ab");
}

TEST(Utf8Test, SplitIntoCharacters) {
  std::vector<std::string> chars = {"kept"};
  SplitUtf8Chars("斗地主", chars);
  EXPECT_EQ(chars, (std::vector<std::string>{"kept", "斗", "地", "主"}));
  for (std::size_t i = 1; i < chars.size(); ++i) EXPECT_EQ(chars[i].size(), 3u);

  chars.clear();
  SplitUtf8Chars("a\x80" "b\xE6\x96", chars);
  EXPECT_EQ(chars, (std::vector<std::string>{"a", "b", "\xE6\x96"}));
  SplitUtf8Chars(nullptr, chars);
  EXPECT_EQ(chars.size(), 3u);
}

std::int64_t LocalTime(int y, int mo, int d, int h, int mi, int s) {
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  return std::mktime(&tm);
}

TEST(ParseDateTimeTest, DateWithAndWithoutTime) {
  EXPECT_EQ(ParseDateTime("2020-01-02 03:04:05"), LocalTime(2020, 1, 2, 3, 4, 5));
  EXPECT_EQ(ParseDateTime("2020-1-2 3:4:5"), LocalTime(2020, 1, 2, 3, 4, 5));
  EXPECT_EQ(ParseDateTime("2021-12-31"), LocalTime(2021, 12, 31, 0, 0, 0));
  EXPECT_EQ(ParseDateTime("2021-12-31 23"), LocalTime(2021, 12, 31, 23, 0, 0));
  EXPECT_EQ(ParseDateTime("  2020--01 -02  03::04:05"), LocalTime(2020, 1, 2, 3, 4, 5));
  EXPECT_EQ(ParseDateTime("2020-01-02 03:04:05:99:88"), LocalTime(2020, 1, 2, 3, 4, 5));
  EXPECT_EQ(ParseDateTime("2020-01-02 03:04:05") - ParseDateTime("2020-01-02 03:04:04"), 1);
  // Pieces are read like atoi: leading digits, 0 without any.
  EXPECT_EQ(ParseDateTime("2020-01-02x 03"), LocalTime(2020, 1, 2, 3, 0, 0));
  EXPECT_EQ(ParseDateTime("2020-ab-02"), LocalTime(2020, 0, 2, 0, 0, 0));
  EXPECT_EQ(ParseDateTime(""), -1);
  EXPECT_EQ(ParseDateTime(nullptr), -1);
  EXPECT_EQ(ParseDateTime("-- ::"), -1);
}

TEST(PathTextTest, ForwardSlashes) {
  EXPECT_EQ(ToForwardSlashes("C:\\Games\\DDZ\\"), "C:/Games/DDZ/");
  EXPECT_EQ(ToForwardSlashes("luasrc\\qorvCommon"), "luasrc/qorvCommon");
  EXPECT_EQ(ToForwardSlashes(""), "");
}

}  // namespace
