#include "platform/framework/YndConf.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/os/Log.h"
#include "support/TempDir.h"

namespace {

using cocos2d::Size;
using cocos2d::Vec2;

// Each test gets a temporary folder as the only search path and a log sink
// that records what the readers complain about.
class ConfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir_.path() + "/"});
    ddz::os::SetLogSink([this](const std::string& line) { log_.push_back(line); });
    ddz::ClearConfCache();
  }
  void TearDown() override {
    YndConf::SetFileClose();
    ddz::os::SetLogSink({});
    cocos2d::FileUtils::getInstance()->setSearchPaths(saved_);
    ddz::ClearConfCache();
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_.file(name), std::ios::binary) << text;
  }
  bool Logged(const std::string& part) const {
    for (const auto& l : log_)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }

  ddz::test::TempDir dir_;
  std::vector<std::string> log_;
  std::vector<std::string> saved_;
};

TEST_F(ConfTest, ParsesSectionsCommentsAndLineEnds) {
  const ddz::ConfFile conf = ddz::ConfFile::Parse(
      "\xEF\xBB\xBF"
      "top = before any section\r\n"
      "# comment = not a key\n"
      "; another = comment\n"
      "[game coution info]\r\n"
      "  spaced key  =  value with = sign ; and semicolon  \n"
      "empty =\n"
      "dup = first\n"
      "[other]\n"
      "dup = other section\n"
      "no equals sign here\n"
      "[unclosed\n"
      "[game coution info]\n"
      "dup = second\n");
  ASSERT_NE(conf.Find("", "top"), nullptr);
  EXPECT_EQ(*conf.Find("", "top"), "before any section");
  EXPECT_EQ(conf.Find("", "# comment"), nullptr);
  EXPECT_EQ(*conf.Find("game coution info", "spaced key"), "value with = sign ; and semicolon");
  EXPECT_EQ(*conf.Find("game coution info", "empty"), "");
  EXPECT_EQ(*conf.Find("game coution info", "dup"), "second");  // reopened section, later line wins
  EXPECT_EQ(*conf.Find("other", "dup"), "other section");
  EXPECT_EQ(conf.Find("other", "missing"), nullptr);
  EXPECT_EQ(conf.Find("missing section", "dup"), nullptr);
  EXPECT_EQ(conf.SkippedLines(), 2);
}

TEST_F(ConfTest, GetConfValueReadsBySectionWithDefaults) {
  Write("server.conf", "[release]\nhttp_url =\nname = 正式服\n[test]\nhttp_url = http://test.example/\n");
  std::string s;
  EXPECT_EQ(GetConfValue(s, "http_url", "server.conf", "release", "0"), 0);
  EXPECT_EQ(s, "");
  EXPECT_EQ(GetConfValue(s, "http_url", "server.conf", "test", "0"), 0);
  EXPECT_EQ(s, "http://test.example/");
  EXPECT_NE(GetConfValue(s, "missing", "server.conf", "release", "fallback"), 0);
  EXPECT_EQ(s, "fallback");
  EXPECT_NE(GetConfValue(s, "http_url", "server.conf", "no such section", nullptr), 0);
  EXPECT_EQ(s, "");
  EXPECT_NE(GetConfValue(s, "http_url", "no_such_file.conf", "release", "d"), 0);
  EXPECT_EQ(s, "d");
  EXPECT_EQ(GetValueStr(s, "name", "server.conf", "release"), 0);
  EXPECT_EQ(s, "正式服");
}

TEST_F(ConfTest, IntegerFormsRejectWhatIsNotAWholeInt) {
  Write("agent.txt",
        "[agent_info]\nsingle_independent = 1\nneg = -12\nplus = +7\nwords = 12abc\nbig = 99999999999\n"
        "frac = 1.5\n");
  struct Case {
    const char* key;
    int rc;
    int value;
  };
  for (const Case& c : {Case{"single_independent", 0, 1}, Case{"neg", 0, -12}, Case{"plus", 0, 7},
                        Case{"words", 2, 42}, Case{"big", 2, 42}, Case{"frac", 2, 42}, Case{"absent", 1, 42}}) {
    int v = -1;
    EXPECT_EQ(GetConfValue(&v, c.key, "agent.txt", "agent_info", 42), c.rc) << c.key;
    EXPECT_EQ(v, c.value) << c.key;
    int w = -1;
    EXPECT_EQ(GetValueInt(&w, c.key, "agent.txt", "agent_info", 42), c.rc) << c.key;
    EXPECT_EQ(w, c.value) << c.key;
  }
  EXPECT_TRUE(Logged("is not an integer"));
}

TEST_F(ConfTest, LongValuesAreCutAtWholeCharactersToTheCapacity) {
  // 300 bytes of ASCII, then a value of Chinese characters (3 bytes each).
  Write("base_txt.conf", "[s]\nlong = " + std::string(300, 'x') + "\nzh = 斗地主比赛\n");
  char buf[256];
  std::memset(buf, '#', sizeof buf);
  EXPECT_EQ(GetConfValue(buf, sizeof buf, "long", "base_txt.conf", "s", ""), 0);
  EXPECT_EQ(std::string(buf), std::string(255, 'x'));
  EXPECT_TRUE(Logged("cut to 255 bytes"));

  char small[8];  // room for 7 bytes: two whole characters (6 bytes), not a third half
  EXPECT_EQ(GetValueStr(small, sizeof small, "zh", "base_txt.conf", "s"), 0);
  EXPECT_EQ(std::string(small), "斗地");

  char tiny[1] = {'#'};
  GetConfValue(tiny, sizeof tiny, "zh", "base_txt.conf", "s");
  EXPECT_EQ(tiny[0], '\0');

  // The default is bounded too.
  char def[4];
  EXPECT_NE(GetConfValue(def, sizeof def, "absent", "base_txt.conf", "s", "abcdef"), 0);
  EXPECT_EQ(std::string(def), "abc");
}

TEST_F(ConfTest, ChangedFileIsReadAgain) {
  Write("x.conf", "[s]\nk = 1\n");
  std::string v;
  GetConfValue(v, "k", "x.conf", "s");
  EXPECT_EQ(v, "1");
  Write("x.conf", "[s]\nk = 22\n");  // a different size, so the change is seen at once
  GetConfValue(v, "k", "x.conf", "s");
  EXPECT_EQ(v, "22");
  std::filesystem::remove(dir_.file("x.conf"));
  EXPECT_NE(GetConfValue(v, "k", "x.conf", "s", "gone"), 0);
  EXPECT_EQ(v, "gone");
}

TEST_F(ConfTest, YndConfReadsTypedValuesAndArraysWithOrWithoutBrackets) {
  Write("layout.conf",
        "[game position info]\n"
        "g_ptOne = 12.5, -3\n"
        "g_sizeOne = 141,188\n"
        "g_iOne = -7\n"
        "g_fOne = 0.85\n"
        "g_ptSeats[] = 1,2; 3,4; 5,6; 7,8\n"
        "g_ptNoBrackets = 10,20; 30,40; 50,60\n"
        "g_iPair[] = 4;5;\n"
        "g_fLong[] = 0.1; 0.2; 0.3; 0.4; 0.5\n");
  ASSERT_TRUE(YndConf::SetFileAndSection("layout.conf", "game position info", true));

  Vec2 pt;
  EXPECT_TRUE(YndConf::GetYndConfInfo(&pt, "g_ptOne"));
  EXPECT_EQ(pt, Vec2(12.5f, -3.0f));
  Size sz;
  EXPECT_TRUE(YndConf::GetYndConfInfo(&sz, "g_sizeOne"));
  EXPECT_EQ(sz, Size(141, 188));
  int i = 0;
  EXPECT_TRUE(YndConf::GetYndConfInfo(&i, "g_iOne"));
  EXPECT_EQ(i, -7);
  float f = 0;
  EXPECT_TRUE(YndConf::GetYndConfInfo(&f, "g_fOne"));
  EXPECT_FLOAT_EQ(f, 0.85f);

  // "[]" in the call, in the file, in both or in neither: all entries are filled.
  Vec2 seats[4];
  EXPECT_TRUE(YndConf::GetYndConfInfo(seats, "g_ptSeats[]"));
  EXPECT_EQ(seats[3], Vec2(7, 8));
  Vec2 seats2[4];
  EXPECT_TRUE(YndConf::GetYndConfInfo(seats2, "g_ptSeats"));
  EXPECT_EQ(seats2[2], Vec2(5, 6));
  Vec2 lamps[4];
  EXPECT_TRUE(YndConf::GetYndConfInfo(&lamps[0], "g_ptNoBrackets", 4));
  EXPECT_EQ(lamps[0], Vec2(10, 20));
  EXPECT_EQ(lamps[2], Vec2(50, 60));
  EXPECT_EQ(lamps[3], Vec2(0, 0));  // the value holds three; the fourth keeps its value
  int pair[2] = {0, 0};
  EXPECT_TRUE(YndConf::GetYndConfInfo(pair, "g_iPair[]"));  // a trailing ';' is allowed
  EXPECT_EQ(pair[1], 5);

  // More entries than the target holds: only the target's entries are written.
  float buf[5] = {9, 9, 9, 9, 9};
  EXPECT_TRUE(YndConf::GetYndConfInfo(buf, "g_fLong[]", 3));
  EXPECT_FLOAT_EQ(buf[2], 0.3f);
  EXPECT_FLOAT_EQ(buf[3], 9.0f);
  EXPECT_FLOAT_EQ(buf[4], 9.0f);

  YndConf::SetFileClose();
  Vec2 after(1, 1);
  EXPECT_FALSE(YndConf::GetYndConfInfo(&after, "g_ptOne"));
  EXPECT_EQ(after, Vec2(1, 1));
}

TEST_F(ConfTest, MissingOrMalformedValuesLeaveTheTargetUnchanged) {
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"empty", ""},          {"word", "abc"},      {"one", "12"},         {"three", "1,2,3"},
      {"exp", "1e5,2"},       {"nan", "nan,1"},     {"inf", "1,inf"},      {"half", "1,2; 3"},
      {"hole", "1,2;;5,6"},   {"lead", "; 1,2"},    {"hex", "0x10,2"},     {"space", "1 2,3"},
  };
  std::string text = "[s]\n";
  for (const auto& [k, v] : bad) text += k + " = " + v + "\n";
  text += "int_frac = 1.5\nint_big = 4000000000\nint_list = 1;x\n";
  Write("bad.conf", text);
  ASSERT_TRUE(YndConf::SetFileAndSection("bad.conf", "s"));

  for (const auto& [k, v] : bad) {
    Vec2 pts[2] = {Vec2(7, 7), Vec2(8, 8)};
    EXPECT_FALSE(YndConf::GetYndConfInfo(pts, k.c_str())) << k << " = " << v;
    EXPECT_EQ(pts[0], Vec2(7, 7)) << k;
    EXPECT_EQ(pts[1], Vec2(8, 8)) << k;
  }
  for (const char* k : {"int_frac", "int_big", "int_list", "absent"}) {
    int v[2] = {5, 6};
    EXPECT_FALSE(YndConf::GetYndConfInfo(v, k)) << k;
    EXPECT_EQ(v[0], 5) << k;
    EXPECT_EQ(v[1], 6) << k;
  }
  Size sz(3, 4);
  EXPECT_FALSE(YndConf::GetYndConfInfo(&sz, "word"));
  EXPECT_EQ(sz, Size(3, 4));
  EXPECT_FALSE(YndConf::GetYndConfInfo(static_cast<Vec2*>(nullptr), "one"));
  Vec2 p(1, 1);
  EXPECT_FALSE(YndConf::GetYndConfInfo(&p, "one", 0));
  EXPECT_TRUE(Logged("malformed value of word"));
}

TEST_F(ConfTest, MissingFileOrSectionReadsNothing) {
  EXPECT_FALSE(YndConf::SetFileAndSection("absent.conf", "game position info", true));
  Vec2 p(1, 2);
  EXPECT_FALSE(YndConf::GetYndConfInfo(&p, "g_ptOne"));
  EXPECT_EQ(p, Vec2(1, 2));
  EXPECT_TRUE(Logged("cannot read absent.conf"));

  Write("other.conf", "[other]\ng_ptOne = 5,5\n");
  EXPECT_TRUE(YndConf::SetFileAndSection("other.conf", "game position info", true));
  EXPECT_FALSE(YndConf::GetYndConfInfo(&p, "g_ptOne"));
  EXPECT_EQ(p, Vec2(1, 2));

  // An absolute name read as it stands, without the search paths.
  EXPECT_TRUE(YndConf::SetFileAndSection(dir_.file("other.conf").c_str(), "other", false));
  EXPECT_TRUE(YndConf::GetYndConfInfo(&p, "g_ptOne"));
  EXPECT_EQ(p, Vec2(5, 5));
}

}  // namespace
