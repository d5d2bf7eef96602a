#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/os/FileIo.h"
#include "platform/os/Process.h"
#include "platform/os/Text.h"
#include "support/TempDir.h"

using namespace ddz::os;

TEST(Process, CommandLineJoinsArgumentsWithSingleSpaces) {
  const char* argv[] = {"/opt/ddz/ddz", "10.0.0.5", "6001", "7", "3", "1", "42", "tok", "131072"};
  SetCommandLine(9, argv);
  EXPECT_EQ(GetCommandLineText(), "/opt/ddz/ddz 10.0.0.5 6001 7 3 1 42 tok 131072");
  const char* one[] = {"/opt/ddz/ddz"};
  SetCommandLine(1, one);
  EXPECT_EQ(GetCommandLineText(), "/opt/ddz/ddz");
  SetCommandLine(0, nullptr);
  EXPECT_EQ(GetCommandLineText(), "");
}

TEST(Process, ProgramDirectoryIsTheFolderOfTheRunningProgram) {
  const std::string path = ProgramPath();
  ASSERT_FALSE(path.empty());
  const std::string dir = ProgramDirectory();
  EXPECT_EQ(path.substr(0, dir.size() + 1), dir + "/");
  EXPECT_EQ(path.find('/', dir.size() + 1), std::string::npos);

  SetProgramDirectory("/somewhere/else");
  EXPECT_EQ(ProgramDirectory(), "/somewhere/else");
  SetProgramDirectory("");
  EXPECT_EQ(ProgramDirectory(), dir);
}

TEST(Process, ScreenSizeDefaultsAndIsConfigurable) {
  ::unsetenv("DDZ_SCREEN_SIZE");
  SetScreenSize(0, 0);
  EXPECT_EQ(GetScreenSize(), (ScreenSize{1920, 1080}));

  ::setenv("DDZ_SCREEN_SIZE", "1280x800", 1);
  EXPECT_EQ(GetScreenSize(), (ScreenSize{1280, 800}));
  ::setenv("DDZ_SCREEN_SIZE", "wide", 1);
  EXPECT_EQ(GetScreenSize(), kDefaultScreenSize);

  SetScreenSize(1024, 768);  // an explicit size wins over the environment
  ::setenv("DDZ_SCREEN_SIZE", "1300x760", 1);
  EXPECT_EQ(GetScreenSize(), (ScreenSize{1024, 768}));
  SetScreenSize(-1, 5);
  EXPECT_EQ(GetScreenSize(), (ScreenSize{1300, 760}));
  ::unsetenv("DDZ_SCREEN_SIZE");
}

TEST(Process, ScreenSizeParsing) {
  struct Case {
    const char* text;
    bool ok;
    ScreenSize size;
  } cases[] = {
      {"1920x1080", true, {1920, 1080}}, {"1299X1000", true, {1299, 1000}}, {"0x720", false, {}},
      {"1280x", false, {}},              {"x720", false, {}},               {"12 80x720", false, {}},
      {"-5x720", false, {}},             {"9999999x1", false, {}},          {"", false, {}},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseScreenSize(c.text);
    EXPECT_EQ(parsed.has_value(), c.ok) << c.text;
    if (c.ok && parsed) {
      EXPECT_EQ(*parsed, c.size) << c.text;
    }
  }
}

TEST(FileIo, AtomicWriteReplacesTheFileAndCreatesFolders) {
  ddz::test::TempDir dir;
  const std::string path = dir.file("a/b/store.dat");
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  ASSERT_TRUE(WriteFileAtomically(path, std::string("sec\0ond", 7)));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, std::string("sec\0ond", 7));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_FALSE(ReadWholeFile(dir.file("missing"), text));
  EXPECT_TRUE(text.empty());
}

TEST(FileIo, FailedWriteLeavesTheOldFileIntact) {
  ddz::test::TempDir dir;
  const std::string path = dir.file("store.dat");
  ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
  // The temporary file cannot be created (a folder stands in its place).
  std::filesystem::create_directory(path + ".tmp");
  EXPECT_FALSE(WriteFileAtomically(path, "new contents"));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, "old contents");
}

TEST(Text, BoundedCopyCutsAtCharacterBoundaries) {
  char buf[8];
  struct Case {
    const char* src;
    std::size_t capacity;
    const char* expected;
  } cases[] = {
      {"abc", 8, "abc"},
      {"abcdefghij", 8, "abcdefg"},
      {"ab\xE4\xB8\xAD\xE6\x96\x87", 8, "ab\xE4\xB8\xAD"},          // 中 fits, 文 does not
      {"abcde\xE4\xB8\xAD", 8, "abcde"},                            // cut inside 中
      {"\xF0\x9F\x82\xA1xyz", 5, "\xF0\x9F\x82\xA1"},               // a 4-byte character exactly fills
      {"\xF0\x9F\x82\xA1xyz", 4, ""},                               // and is dropped when it cannot
      {"abc", 1, ""},
  };
  for (const Case& c : cases) {
    std::memset(buf, 'Z', sizeof buf);
    const std::size_t n = CopyBounded(buf, c.capacity, c.src);
    EXPECT_STREQ(buf, c.expected) << c.src;
    EXPECT_EQ(n, std::strlen(c.expected));
  }
  buf[0] = 'Z';
  EXPECT_EQ(CopyBounded(buf, 0, "abc"), 0u);
  EXPECT_EQ(buf[0], 'Z');
}
