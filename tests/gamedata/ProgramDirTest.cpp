#include "gamedata/ProgramDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/Process.h"
#include "support/TempDir.h"

namespace {

class ProgramDirTest : public ::testing::Test {
 protected:
  void SetUp() override { g_strProgramDir.clear(); }
  void TearDown() override {
    ddz::os::SetProgramDirectory("");
    g_strProgramDir.clear();
  }
  ddz::test::TempDir dir_;
};

TEST_F(ProgramDirTest, FolderWithForwardSlashesComputedOnce) {
  ddz::os::SetProgramDirectory("/opt/ddz\\client");
  std::string out;
  GetProgramDir("web\\view", out);
  EXPECT_EQ(out, "/opt/ddz/client/web/view/");
  EXPECT_EQ(g_strProgramDir, "/opt/ddz/client/");

  ddz::os::SetProgramDirectory("/elsewhere");  // cached: the first answer stays
  GetProgramDir("", out);
  EXPECT_EQ(out, "/opt/ddz/client//");
}

TEST_F(ProgramDirTest, RealProgramFolder) {
  std::string out;
  GetProgramDir(".", out);
  ASSERT_FALSE(g_strProgramDir.empty());
  EXPECT_EQ(g_strProgramDir.back(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(out));
}

TEST_F(ProgramDirTest, DeleteWebResultFileRemovesOnlyThatFile) {
  ddz::os::SetProgramDirectory(dir_.path());
  std::ofstream(dir_.file("tx_web_result.dat")) << "old result";
  std::ofstream(dir_.file("other.dat")) << "keep";
  DeleteWebResultFile();
  EXPECT_FALSE(std::filesystem::exists(dir_.file("tx_web_result.dat")));
  EXPECT_TRUE(std::filesystem::exists(dir_.file("other.dat")));
  DeleteWebResultFile();  // nothing left to delete: no harm
  EXPECT_TRUE(std::filesystem::exists(dir_.file("other.dat")));
}

}  // namespace
