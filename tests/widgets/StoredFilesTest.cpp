// The files the program writes and reads back on a later start - the local
// store, the engine's store and the settings file - against what a disk or
// another program can leave behind: an empty file, a file cut short, a
// temporary file that cannot be written, a folder where the file should be.
// None of them may cost a stored value that is still readable, and what is
// read is always in range.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"
#include "platform/os/FileIo.h"
#include "support/TempDir.h"
#include "widgets/SettingConf.h"

namespace {

using Values = std::vector<int>;

// The values every file stores here, one a key or a line. The one at kCutAt
// is long, so a cut through it would read as another number. (Not the last:
// the settings file ends without a line feed, so a cut through its last line
// cannot be told from a whole one; that line holds a value nothing sets.)
const Values kStored = {35, 60, 0, 1, -5, 123456, 7};
constexpr std::size_t kCutAt = 5;
// Stores read a key they do not hold as this.
constexpr int kAbsent = -999;

// One stored file and the calls that write and read it.
struct StoredFileKind {
  const char* name;
  std::function<std::string()> path;
  std::function<bool(const Values&)> write;  // stores the values; false when they are not on disk
  std::function<Values()> readBack;          // as the next start reads them
  Values defaults;                           // what a value reads as when the file does not hold it
  std::function<bool(const Values&)> inRange;
};

std::string KeyOf(std::size_t i) { return "stored_value_" + std::to_string(i); }

StoredFileKind LocalStore() {
  return {"LocalStore",
          [] { return YndLocalData::sharedLocalData()->GetFilePath(); },
          [](const Values& v) {
            YndLocalData* store = YndLocalData::sharedLocalData();
            for (std::size_t i = 0; i < v.size(); ++i) store->setIntegerForKey(KeyOf(i).c_str(), v[i]);
            return store->flush();
          },
          [] {
            YndLocalData* store = YndLocalData::sharedLocalData();
            store->Reload();
            Values v;
            for (std::size_t i = 0; i < kStored.size(); ++i) v.push_back(store->getIntegerForKey(KeyOf(i).c_str(), kAbsent));
            return v;
          },
          Values(kStored.size(), kAbsent),
          [](const Values&) { return true; }};
}

StoredFileKind EngineStore() {
  return {"EngineStore",
          [] { return cocos2d::UserDefault::getInstance()->getFilePath(); },
          [](const Values& v) {
            cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
            for (std::size_t i = 0; i < v.size(); ++i) store->setIntegerForKey(KeyOf(i).c_str(), v[i]);
            return store->flush();
          },
          [] {
            cocos2d::UserDefault::destroyInstance();
            cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
            Values v;
            for (std::size_t i = 0; i < kStored.size(); ++i) v.push_back(store->getIntegerForKey(KeyOf(i).c_str(), kAbsent));
            return v;
          },
          Values(kStored.size(), kAbsent),
          [](const Values&) { return true; }};
}

// The settings file's record as its seven values (the always-1 line aside).
Values OfConf(const SettingConf& c) {
  return {static_cast<int>(std::lround(c.fMusicVolume * 100)), static_cast<int>(std::lround(c.fSoundVolume * 100)),
          c.bMusicOpen, c.bSoundOpen, c.iValue6, c.iValue7, c.iValue8};
}

StoredFileKind SettingsFile() {
  return {"SettingsFile",
          [] { return ddz::settings::SettingFilePath(); },
          [](const Values& v) {
            g_SettingConf = SettingConf{v[0] / 100.0f, v[1] / 100.0f, static_cast<std::uint8_t>(v[2]),
                                        static_cast<std::uint8_t>(v[3]), v[4], v[5], v[6]};
            return ddz::settings::SaveSettingConf();
          },
          [] {
            g_SettingConf = SettingConf{0.01f, 0.02f, 0, 0, 9, 9, 9};  // what the last run left in memory
            ddz::settings::LoadSettingConf();
            return OfConf(g_SettingConf);
          },
          OfConf(SettingConf()),
          [](const Values& v) { return v[0] >= 0 && v[0] <= 100 && v[1] >= 0 && v[1] <= 100 && v[2] <= 1 && v[3] <= 1; }};
}

class StoredFiles : public ::testing::TestWithParam<StoredFileKind (*)()> {
 protected:
  void SetUp() override {
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::FileUtils::getInstance()->setWritablePath(dir.path() + "/");
    YndLocalData::sharedLocalData()->SetFilePath("");
    cocos2d::UserDefault::destroyInstance();
    g_SettingConf = SettingConf();
    kind = GetParam()();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(kind.path() + ".tmp", ec);
    YndLocalData::sharedLocalData()->SetFilePath(dir.file("unused.txt"));
    cocos2d::UserDefault::destroyInstance();
    g_SettingConf = SettingConf();
    cocos2d::Log::setEchoToStderr(true);
  }
  std::string FileText() const {
    std::string text;
    ddz::os::ReadWholeFile(kind.path(), text);
    return text;
  }
  void ReplaceFile(const std::string& text) const { std::ofstream(kind.path(), std::ios::binary | std::ios::trunc) << text; }
  // Stores the values and checks the next start reads them.
  void StoreAll() {
    ASSERT_TRUE(kind.write(kStored));
    ASSERT_EQ(kind.readBack(), kStored);
  }

  ddz::test::TempDir dir;
  StoredFileKind kind;
};

TEST_P(StoredFiles, AnEmptyFileReadsAsNothingStoredAndIsWrittenAgain) {
  StoreAll();
  ReplaceFile("");
  const Values read = kind.readBack();
  EXPECT_EQ(read, kind.defaults);
  EXPECT_TRUE(kind.inRange(read));
  EXPECT_TRUE(kind.write(kStored));
  EXPECT_EQ(kind.readBack(), kStored);
}

// Cut through a value: every value before it is kept, the cut one reads as
// not stored (never as the number the cut leaves), and the next write keeps
// the survivors.
TEST_P(StoredFiles, AFileCutShortKeepsEveryWholeValueAndNoCutOne) {
  StoreAll();
  const std::string whole = FileText();
  const std::size_t at = whole.find(std::to_string(kStored[kCutAt]));
  ASSERT_NE(at, std::string::npos);
  ReplaceFile(whole.substr(0, at + 4));  // "...1234"

  Values expected = kStored;
  for (std::size_t i = kCutAt; i < expected.size(); ++i) expected[i] = kind.defaults[i];
  const Values read = kind.readBack();
  EXPECT_EQ(read, expected);
  EXPECT_TRUE(kind.inRange(read));

  Values changed = read;
  changed[0] = 10;
  ASSERT_TRUE(kind.write(changed));
  EXPECT_EQ(kind.readBack(), changed);
}

// The temporary file cannot be made (a folder stands in its way): the write
// says so and the file keeps what it held.
TEST_P(StoredFiles, AWriteThatCannotBeDoneLeavesTheFileAsItWas) {
  StoreAll();
  const std::string before = FileText();
  std::filesystem::create_directory(kind.path() + ".tmp");
  Values changed = kStored;
  changed[1] = 99;
  EXPECT_FALSE(kind.write(changed));
  EXPECT_EQ(FileText(), before);
  std::filesystem::remove(kind.path() + ".tmp");
  EXPECT_EQ(kind.readBack(), kStored);
}

// Something that cannot be read stands where the file goes: nothing is read
// from it, and no write removes or replaces it.
TEST_P(StoredFiles, AFileThatCannotBeReadIsNeitherReadNorWrittenOver) {
  std::filesystem::create_directories(kind.path() + "/kept");
  const Values read = kind.readBack();
  EXPECT_EQ(read, kind.defaults);
  EXPECT_TRUE(kind.inRange(read));
  EXPECT_FALSE(kind.write(kStored));
  EXPECT_TRUE(std::filesystem::is_directory(kind.path() + "/kept"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, StoredFiles, ::testing::Values(&LocalStore, &EngineStore, &SettingsFile),
                         [](const ::testing::TestParamInfo<StoredFileKind (*)()>& info) {
                           return std::string(info.param().name);
                         });

}  // namespace
