#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"

namespace {
// "斗地主玩家" in GBK and in UTF-8.
const char kNickGbk[] = "\xB6\xB7\xB5\xD8\xD6\xF7\xCD\xE6\xBC\xD2";
const char kNickUtf8[] = "\xE6\x96\x97\xE5\x9C\xB0\xE4\xB8\xBB\xE7\x8E\xA9\xE5\xAE\xB6";
}  // namespace

TEST(CodeConvert, GbkNicknameBecomesUtf8AndBack) {
  // The login record's 24-byte nickname field: the name, then zeros.
  char field[24] = {};
  std::memcpy(field, kNickGbk, sizeof kNickGbk - 1);
  char out[600];
  EXPECT_EQ(YndCodeConvert::G2u(field, sizeof field, out, sizeof out), 15);
  EXPECT_STREQ(out, kNickUtf8);
  EXPECT_EQ(YndCodeConvert::G2u(std::string_view(kNickGbk)), kNickUtf8);

  char back[32];
  EXPECT_EQ(YndCodeConvert::U2g(kNickUtf8, sizeof kNickUtf8 - 1, back, sizeof back), 10);
  EXPECT_STREQ(back, kNickGbk);
  EXPECT_EQ(YndCodeConvert::G2u("ab N", 4, out, sizeof out), 4);
  EXPECT_STREQ(out, "ab N");
}

TEST(CodeConvert, OutputIsCutAtWholeCharacters) {
  char out[8];  // room for two 3-byte characters and the terminator
  std::memset(out, 'Z', sizeof out);
  EXPECT_EQ(YndCodeConvert::G2u(kNickGbk, 10, out, sizeof out), 6);
  EXPECT_STREQ(out, "\xE6\x96\x97\xE5\x9C\xB0");
  char gbk[6];  // two 2-byte characters and the terminator; a third does not fit
  EXPECT_EQ(YndCodeConvert::U2g(kNickUtf8, 15, gbk, sizeof gbk), 4);
  EXPECT_STREQ(gbk, "\xB6\xB7\xB5\xD8");
  char one[1];
  EXPECT_EQ(YndCodeConvert::G2u(kNickGbk, 10, one, 1), 0);
  EXPECT_STREQ(one, "");
}

TEST(CodeConvert, BrokenInputIsRepairedNotOverrun) {
  char out[64];
  // A name cut inside its last character (the lead byte 0xBC is alone).
  EXPECT_EQ(YndCodeConvert::G2u(kNickGbk, 9, out, sizeof out), 12);
  EXPECT_STREQ(out, "\xE6\x96\x97\xE5\x9C\xB0\xE4\xB8\xBB\xE7\x8E\xA9");
  // 0xFF is no GBK byte: it becomes '?'.
  EXPECT_EQ(YndCodeConvert::G2u(std::string_view("a\xFF" "b")), "a?b");
  // UTF-8 repair: a stray continuation byte and a truncated tail.
  EXPECT_EQ(YndCodeConvert::u2u(std::string_view("x\x80y\xE4\xB8")), "x?y");
  EXPECT_EQ(YndCodeConvert::u2u(kNickUtf8, 15, out, sizeof out), 15);
  EXPECT_STREQ(out, kNickUtf8);
  // A character GBK does not have (a playing-card emoji) becomes one '?'.
  EXPECT_EQ(YndCodeConvert::U2g(std::string_view("a\xF0\x9F\x82\xA1" "b")), "a?b");
  // Bad arguments.
  EXPECT_EQ(YndCodeConvert::G2u(nullptr, 3, out, sizeof out), -1);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(YndCodeConvert::G2u("abc", 3, nullptr, 10), -1);
  EXPECT_EQ(YndCodeConvert::G2u("abc", -1, out, sizeof out), -1);
}

TEST(Hex, RoundTripOfARecord) {
  char record[124];
  for (int i = 0; i < 124; ++i) record[i] = static_cast<char>(i * 37 + 5);
  const std::string hex = CharArrayToHexString(record, sizeof record);
  ASSERT_EQ(hex.size(), 248u);
  EXPECT_EQ(hex.substr(0, 6), "052A4F");
  char back[125];
  int len = -1;
  ASSERT_TRUE(HexStringToCharArray(hex.c_str(), back, &len, sizeof back));
  EXPECT_EQ(len, 124);
  EXPECT_EQ(std::memcmp(back, record, 124), 0);
  EXPECT_EQ(CharArrayToHexString(record, 0), "");
}

TEST(Hex, DecodingRefusesWhatDoesNotFitOrIsNotHex) {
  char out[4];
  int len = -1;
  EXPECT_TRUE(HexStringToCharArray("e4b8ad", out, &len, sizeof out));  // lower case too
  EXPECT_STREQ(out, "\xE4\xB8\xAD");
  EXPECT_EQ(len, 3);
  const char* bad[] = {"e4b8ad00", "abc", "zz", "4g"};  // too long for 4 bytes, odd, not hex
  for (const char* hex : bad) {
    len = -1;
    std::memset(out, 'Q', sizeof out);
    EXPECT_FALSE(HexStringToCharArray(hex, out, &len, sizeof out)) << hex;
    EXPECT_EQ(len, 0) << hex;
    EXPECT_EQ(out[0], '\0') << hex;
  }
  EXPECT_TRUE(HexStringToCharArray("", out, &len, sizeof out));
  EXPECT_EQ(len, 0);
  EXPECT_FALSE(HexStringToCharArray("41", out, &len, 0));
}

TEST(Md5, KnownVectors) {
  struct Case {
    std::string in;
    const char* digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
  };
  for (const Case& c : cases) {
    char out[33];
    MakeMD5(c.in.data(), static_cast<int>(c.in.size()), out);
    EXPECT_STREQ(out, c.digest) << c.in;
    EXPECT_EQ(MakeMD5(c.in), c.digest);
  }
}

TEST(CutString, SplitsOnMultiCharacterSeparators) {
  struct Case {
    const char* text;
    const char* sep;
    std::vector<std::string> pieces;
  } cases[] = {
      {"one!@two!@three", "!@", {"one", "two", "three"}},
      {"3|@|Title|@|Second", "|@|", {"3", "Title", "Second"}},
      {"a|@||@|b", "|@|", {"a", "", "b"}},
      {"a!@", "!@", {"a", ""}},
      {"no separator", "!@", {"no separator"}},
      {"", "!@", {}},
      {"x!y", "", {"x!y"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> out = {"stale"};
    CutString(out, c.text, c.sep);
    EXPECT_EQ(out, c.pieces) << c.text;
  }
  std::vector<std::string> out = {"stale"};
  CutString(out, nullptr, "!@");
  EXPECT_TRUE(out.empty());
}

TEST(DeleteCharArrayEnter, StripsLineEndsInPlace) {
  char a[] = "tip line\r\n";
  DeleteCharArrayEnter(a);
  EXPECT_STREQ(a, "tip line");
  char b[] = "\ntwo\r\nlines\n";
  DeleteCharArrayEnter(b);
  EXPECT_STREQ(b, "twolines");
  DeleteCharArrayEnter(nullptr);
}

TEST(ClockAndRandom, GetTimeAndYndRandUseTheProcessSources) {
  ddz::os::Clock().Reset(1000);
  EXPECT_EQ(GetTime(), 1000u);
  ddz::os::Clock().AdvanceMs(15);
  EXPECT_EQ(GetTime(), 1015u);
  ddz::os::Clock().Reset();

  ddz::os::ScriptedRandom scripted{13, 6, 32767};
  ddz::os::ScopedRandomSource guard(scripted);
  EXPECT_EQ(YndRand(7), 6);  // 13 % 7
  EXPECT_EQ(YndRand(4), 2);
  EXPECT_EQ(YndRand(0), 0);  // no draw for an empty range
  EXPECT_EQ(YndRand(4), 3);
}
