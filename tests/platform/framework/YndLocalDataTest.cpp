#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/engine/FileUtils.h"
#include "platform/framework/YndLocalData.h"
#include "platform/os/FileIo.h"
#include "support/TempDir.h"

namespace {

class LocalData : public ::testing::Test {
 protected:
  void SetUp() override {
    cocos2d::FileUtils::getInstance()->setWritablePath(dir.path());
    store = YndLocalData::sharedLocalData(nullptr);
    store->SetFilePath("");  // the store of the (temporary) writable folder
  }
  void TearDown() override { store->SetFilePath(dir.file("unused.txt")); }

  std::string fileText() const {
    std::string text;
    ddz::os::ReadWholeFile(store->GetFilePath(), text);
    return text;
  }

  ddz::test::TempDir dir;
  YndLocalData* store = nullptr;
};

}  // namespace

TEST_F(LocalData, LivesInTheWritableFolder) {
  EXPECT_EQ(store->GetFilePath(), dir.file("YndLocalData.txt"));
  EXPECT_EQ(YndLocalData::sharedLocalData(), store);
}

TEST_F(LocalData, ValuesPersistAcrossAReload) {
  EXPECT_EQ(store->getIntegerForKey("key_today_play_ddz_num", 0), 0);
  EXPECT_EQ(store->getIntegerForKey("key_lobby_show_mall", 1), 1);  // defaults for missing keys
  EXPECT_FALSE(store->getBoolForKey("lobby_if_examine", false));

  store->setIntegerForKey("key_today_play_ddz_num", 12);
  store->setIntegerForKey("lobby_enter_playServerID", -7);
  store->setBoolForKey("lobby_if_examine", true);
  store->setIntegerForKey("key_qorvddz_first_into_3042", 1);
  ASSERT_TRUE(store->flush());

  store->Reload();
  EXPECT_EQ(store->getIntegerForKey("key_today_play_ddz_num", 0), 12);
  EXPECT_EQ(store->getIntegerForKey("lobby_enter_playServerID", 0), -7);
  EXPECT_TRUE(store->getBoolForKey("lobby_if_examine", false));
  EXPECT_EQ(store->getIntegerForKey("key_qorvddz_first_into_3042", 0), 1);
  EXPECT_EQ(fileText(),
            "# YndLocalData\n"
            "key_qorvddz_first_into_3042=1\n"
            "key_today_play_ddz_num=12\n"
            "lobby_enter_playServerID=-7\n"
            "lobby_if_examine=true\n");
}

TEST_F(LocalData, ChangesWithoutFlushNeverReachTheFile) {
  store->setIntegerForKey("a", 1);
  ASSERT_TRUE(store->flush());
  store->setIntegerForKey("a", 2);
  store->setIntegerForKey("b", 3);
  store->Reload();  // as after a crash before flush
  EXPECT_EQ(store->getIntegerForKey("a", 0), 1);
  EXPECT_EQ(store->getIntegerForKey("b", 0), 0);
}

TEST_F(LocalData, AFailedFlushKeepsTheOldFileAndALeftoverTemporaryIsIgnored) {
  store->setIntegerForKey("a", 1);
  ASSERT_TRUE(store->flush());
  const std::string before = fileText();

  // A write cut off half-way on an earlier run left a partial temporary file.
  { std::ofstream(store->GetFilePath() + ".tmp") << "# YndLocalData\na=9\nb="; }
  store->Reload();
  EXPECT_EQ(store->getIntegerForKey("a", 0), 1);

  // Now the temporary file cannot be written at all.
  std::filesystem::remove(store->GetFilePath() + ".tmp");
  std::filesystem::create_directory(store->GetFilePath() + ".tmp");
  store->setIntegerForKey("a", 5);
  EXPECT_FALSE(store->flush());
  EXPECT_EQ(fileText(), before);
  // The change is still held and goes out once the disk lets it.
  std::filesystem::remove(store->GetFilePath() + ".tmp");
  EXPECT_TRUE(store->flush());
  store->Reload();
  EXPECT_EQ(store->getIntegerForKey("a", 0), 5);
}

TEST_F(LocalData, DamagedOrForeignValuesFallBackToTheDefault) {
  {
    std::ofstream f(store->GetFilePath());
    f << "# YndLocalData\r\n"
         "num=42\r\n"
         "big=99999999999\n"
         "word=abc\n"
         "half=12x\n"
         "flag=1\n"
         "no equals sign\n"
         "=nokey\n"
         "empty=\n";
  }
  store->Reload();
  EXPECT_EQ(store->getIntegerForKey("num", 0), 42);  // CRLF files read too
  EXPECT_EQ(store->getIntegerForKey("big", -1), -1);
  EXPECT_EQ(store->getIntegerForKey("word", -1), -1);
  EXPECT_EQ(store->getIntegerForKey("half", -1), -1);
  EXPECT_EQ(store->getIntegerForKey("empty", -1), -1);
  EXPECT_TRUE(store->getBoolForKey("flag", false));
  EXPECT_TRUE(store->getBoolForKey("word", true));
  EXPECT_EQ(store->getIntegerForKey(nullptr, 4), 4);
}

TEST_F(LocalData, KeysThatCannotBeWrittenBackAreRefused) {
  store->setIntegerForKey("a=b", 1);
  store->setIntegerForKey("line\nbreak", 1);
  store->setIntegerForKey("", 1);
  store->setIntegerForKey(nullptr, 1);
  ASSERT_TRUE(store->flush());
  EXPECT_FALSE(std::filesystem::exists(store->GetFilePath()));  // nothing changed, nothing written
  EXPECT_EQ(store->getIntegerForKey("a=b", 0), 0);
}

TEST_F(LocalData, TimesPast2038KeepAllSixtyFourBits) {
  const std::int64_t after2038 = 4102444800;  // 2100-01-01, beyond an int
  store->setInteger64ForKey("key_today_play_ddz_time", after2038);
  store->setIntegerForKey("small", -5);
  ASSERT_TRUE(store->flush());
  store->Reload();
  EXPECT_EQ(store->getInteger64ForKey("key_today_play_ddz_time", 0), after2038);
  EXPECT_EQ(store->getInteger64ForKey("small", 0), -5);
  // The int reader refuses what it cannot hold rather than cutting it.
  EXPECT_EQ(store->getIntegerForKey("key_today_play_ddz_time", 7), 7);
  EXPECT_EQ(store->getInteger64ForKey("missing", 9), 9);
}
