#include "platform/framework/YndFileTools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "support/TempDir.h"

namespace {

std::vector<std::string> ReadAll(YndFileTools& reader) {
  std::vector<std::string> lines;
  std::string line;
  while (reader.GetLine(line)) lines.push_back(line);
  EXPECT_EQ(line, "");
  return lines;
}

class FileToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir_.path() + "/"});
  }
  void TearDown() override { cocos2d::FileUtils::getInstance()->setSearchPaths(saved_); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_.file(name), std::ios::binary) << text;
  }
  ddz::test::TempDir dir_;
  std::vector<std::string> saved_;
};

TEST_F(FileToolsTest, LinesComeWithoutTerminatorsWhateverTheLineEnd) {
  Write("t.txt", "\xEF\xBB\xBF" "first\r\n\nthird\rfourth\nlast without end");
  YndFileTools reader("t.txt", false);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"first", "", "third", "fourth", "last without end"}));
}

TEST_F(FileToolsTest, EmptyAndMissingFilesGiveNoLines) {
  Write("empty.txt", "");
  YndFileTools empty("empty.txt");
  EXPECT_TRUE(empty.IsOpen());
  EXPECT_TRUE(ReadAll(empty).empty());

  YndFileTools missing("missing.txt");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_TRUE(ReadAll(missing).empty());

  YndFileTools null(nullptr);
  EXPECT_FALSE(null.IsOpen());
}

TEST_F(FileToolsTest, AbsolutePathIsOpenedAsNamed) {
  Write("abs.txt", "a\nb\n");
  YndFileTools reader(dir_.file("abs.txt").c_str(), true);
  EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"a", "b"}));
}

TEST(NewCharArrayTest, HasRoomForTheTerminator) {
  std::unique_ptr<char[]> p(NewCharArray(5));
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(p[i], '\0');
  std::memcpy(p.get(), "hello", 6);  // five characters and the terminator fit
  EXPECT_STREQ(p.get(), "hello");
}

}  // namespace
