#include "shell/LoginRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "support/TempDir.h"

namespace {

using ddz::LoginRecord;
using ddz::LoginRecordStatus;

// A record as the lobby writes it: kind, user id, GBK nickname, token, yuanbao
// reference and room value, the other bytes numbered so that changes show.
std::string LobbyRecord(const std::string& gbkNick, std::size_t size = ddz::kLoginRecordSize) {
  LoginRecord r;
  for (std::size_t i = 0; i < r.bytes.size(); ++i) r.bytes[i] = static_cast<unsigned char>(i);
  r.SetGameKind(62);
  r.SetUserId(777);
  std::memset(r.bytes.data() + LoginRecord::kNickNameOffset, 0, LoginRecord::kNickNameSize);
  std::memcpy(r.bytes.data() + LoginRecord::kNickNameOffset, gbkNick.data(),
              std::min(gbkNick.size(), LoginRecord::kNickNameSize));
  r.SetToken("lobby-token");
  r.WriteInt(LoginRecord::kYuanBaoRefOffset, 500);
  r.SetRoomValue(520001);
  std::string bytes(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
  bytes.resize(size, 'x');
  return bytes;
}

class LoginRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir.path()});
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
  }
  void TearDown() override {
    cocos2d::FileUtils::getInstance()->setSearchPaths(saved);
    cocos2d::Log::setEchoToStderr(true);
  }
  void Write(const std::string& bytes) {
    std::ofstream(dir.file(ddz::kLoginRecordFile), std::ios::binary) << bytes;
  }
  static LoginRecord Untouched() {
    LoginRecord r;
    r.bytes.fill(0xEE);
    return r;
  }
  ddz::test::TempDir dir;
  std::vector<std::string> saved;
};

TEST_F(LoginRecordTest, MissingAndShortFilesLeaveTheRecordAlone) {
  LoginRecord record = Untouched();
  EXPECT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Missing);
  EXPECT_TRUE(cocos2d::Log::contains("QorvDDZGameScene ParseCommandLine Error"));
  EXPECT_EQ(record.bytes, Untouched().bytes);

  Write(LobbyRecord("abc", 123));
  EXPECT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Short);
  EXPECT_TRUE(cocos2d::Log::contains("lobbyUser.dat filesize[123]error,one[124]\n"));
  EXPECT_EQ(record.bytes, Untouched().bytes);

  Write("");
  EXPECT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Short);
  EXPECT_EQ(record.bytes, Untouched().bytes);
}

TEST_F(LoginRecordTest, ExactAndLongerFilesGiveTheFirst124Bytes) {
  for (std::size_t size : {std::size_t{124}, std::size_t{4096}}) {
    SCOPED_TRACE(size);
    const std::string lobby = LobbyRecord("Tom", size);
    Write(lobby);
    LoginRecord record;
    ASSERT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Ok);
    EXPECT_EQ(record.GameKind(), 62);
    EXPECT_EQ(record.UserId(), 777);
    EXPECT_EQ(record.NickName(), "Tom");
    EXPECT_EQ(record.Token(), "lobby-token");
    EXPECT_EQ(record.YuanBaoReference(), 500);
    EXPECT_EQ(record.RoomValue(), 0);  // cleared once read
    // Every byte the client does not own is kept as the lobby wrote it.
    for (std::size_t i = 0; i < ddz::kLoginRecordSize; ++i) {
      const bool owned = (i >= 28 && i < 52) || (i >= 108 && i < 112);
      if (!owned) {
        EXPECT_EQ(record.bytes[i], static_cast<unsigned char>(lobby[i])) << "byte " << i;
      }
    }
  }
}

TEST_F(LoginRecordTest, NicknameBecomesUtf8CutAtACharacterWithItsTerminator) {
  struct Case {
    std::string utf8;  // the lobby's name, written to the file in GBK
    std::string want;  // what the record holds afterwards
  } cases[] = {
      {"单机玩家", "单机玩家"},
      {"斗地主高手", "斗地主高手"},
      // 12 GBK characters fill the 24 bytes; in UTF-8 they are 36 and are cut
      // to the 7 characters that fit in 23 bytes.
      {"一二三四五六七八九十百千", "一二三四五六七"},
      {"abcdefghijklmnopqrstuvwx", "abcdefghijklmnopqrstuvw"},
      {"ab一二三四五六七八九", "ab一二三四五六七"},  // 2 + 21 bytes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    Write(LobbyRecord(YndCodeConvert::U2g(c.utf8)));
    LoginRecord record;
    ASSERT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Ok);
    EXPECT_EQ(record.NickName(), c.want);
    EXPECT_EQ(record.bytes[LoginRecord::kNickNameOffset + LoginRecord::kNickNameSize - 1], 0);
    // The field is zero after the name.
    for (std::size_t i = c.want.size(); i < LoginRecord::kNickNameSize; ++i)
      EXPECT_EQ(record.bytes[LoginRecord::kNickNameOffset + i], 0);
  }
}

TEST_F(LoginRecordTest, NicknameNIsKeptByteForByte) {
  std::string lobby = LobbyRecord("N");
  lobby[LoginRecord::kNickNameOffset + 5] = '?';  // bytes after the terminator stay
  Write(lobby);
  LoginRecord record;
  ASSERT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Ok);
  EXPECT_EQ(record.NickName(), "N");
  EXPECT_EQ(record.bytes[LoginRecord::kNickNameOffset + 5], '?');
}

// Found by the login-record fuzz target: "N" followed by a GBK lead byte without
// its second byte converts to "N", and the broken byte stayed in the field.
TEST_F(LoginRecordTest, NicknameThatOnlyConvertsToNIsWrittenBackAsUtf8) {
  std::string lobby = LobbyRecord(std::string("N\xD1", 2));
  lobby[LoginRecord::kNickNameOffset + 5] = '?';
  Write(lobby);
  LoginRecord record;
  ASSERT_EQ(ddz::LoadLoginRecord(record), LoginRecordStatus::Ok);
  EXPECT_EQ(record.NickName(), "N");
  for (std::size_t i = 1; i < LoginRecord::kNickNameSize; ++i)
    EXPECT_EQ(record.bytes[LoginRecord::kNickNameOffset + i], 0) << "byte " << i;
}

TEST(LoginRecordFields, TokenIsBoundedAndHexCoversEveryByte) {
  LoginRecord record;
  record.bytes.fill(0xAB);
  record.SetToken(std::string(40, 't'));
  EXPECT_EQ(record.Token(), std::string(27, 't'));
  EXPECT_EQ(record.bytes[LoginRecord::kTokenOffset + 27], 0);
  EXPECT_EQ(record.bytes[LoginRecord::kTokenOffset + 28], 0xAB);  // the next field is untouched
  record.SetGameKind(-2);
  EXPECT_EQ(record.GameKind(), -2);
  const std::string hex = record.ToHex();
  EXPECT_EQ(hex.size(), 248u);
  EXPECT_EQ(hex.substr(0, 8), "FEFFFFFF");
}

TEST(LoginRecordFields, TheShippedSampleIsASinglePlayerRecord) {
  LoginRecord record;
  ASSERT_EQ(ddz::ReadLoginRecordFile(std::string(DDZ_SOURCE_DIR) + "/data/" + ddz::kLoginRecordFile, record),
            LoginRecordStatus::Ok);
  EXPECT_EQ(record.GameKind(), 62);
  EXPECT_EQ(record.UserId(), 0);
  EXPECT_EQ(record.RoomValue(), 0);
  ddz::ConvertLoginNickName(record);
  EXPECT_EQ(record.NickName(), "单机玩家");
}

}  // namespace
