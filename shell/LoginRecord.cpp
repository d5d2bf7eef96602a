#include "shell/LoginRecord.h"

#include <cstdio>
#include <cstring>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/os/Text.h"

namespace ddz {

std::int32_t LoginRecord::ReadInt(std::size_t offset) const {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | bytes[offset + static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(v);
}

void LoginRecord::WriteInt(std::size_t offset, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}

std::string LoginRecord::Field(std::size_t offset, std::size_t size) const {
  const char* begin = reinterpret_cast<const char*>(bytes.data() + offset);
  return std::string(begin, ::strnlen(begin, size));
}

void LoginRecord::SetToken(std::string_view token) {
  char field[kTokenSize] = {};
  ddz::os::CopyBounded(field, sizeof field, token);
  std::memcpy(bytes.data() + kTokenOffset, field, sizeof field);
}

std::string LoginRecord::ToHex() const {
  return CharArrayToHexString(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}

LoginRecordStatus ReadLoginRecordFile(const std::string& path, LoginRecord& record, std::int64_t* size) {
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (file == nullptr) return LoginRecordStatus::Missing;
  std::int64_t length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = ::ftello(file);
  std::fseek(file, 0, SEEK_SET);
  if (size) *size = length;
  LoginRecord read;
  const bool whole = length >= static_cast<std::int64_t>(kLoginRecordSize) &&
                     std::fread(read.bytes.data(), 1, kLoginRecordSize, file) == kLoginRecordSize;
  std::fclose(file);
  if (!whole) return LoginRecordStatus::Short;
  record = read;
  return LoginRecordStatus::Ok;
}

void ConvertLoginNickName(LoginRecord& record) {
  const std::string gbk = record.NickName();
  const std::string utf8 = YndCodeConvert::G2u(gbk);
  // A field that reads "N" stays byte for byte. One that only converts to "N"
  // (an "N" before a broken GBK character, which the conversion drops) is
  // written back like any other name, so no GBK byte stays in the UTF-8 field.
  if (utf8 == "N" && gbk == "N") return;
  char field[LoginRecord::kNickNameSize] = {};
  ddz::os::CopyBounded(field, sizeof field, utf8);
  std::memcpy(record.bytes.data() + LoginRecord::kNickNameOffset, field, sizeof field);
}

LoginRecordStatus LoadLoginRecord(LoginRecord& record) {
  const std::string path = cocos2d::FileUtils::getInstance()->fullPathForFilename(kLoginRecordFile);
  std::int64_t size = 0;
  const LoginRecordStatus status = ReadLoginRecordFile(path, record, &size);
  if (status == LoginRecordStatus::Missing) {
    cocos2d::log("QorvDDZGameScene ParseCommandLine Error");
  } else if (status == LoginRecordStatus::Short) {
    cocos2d::log("lobbyUser.dat filesize[%d]error,one[%d]\n", static_cast<int>(size), static_cast<int>(kLoginRecordSize));
  } else {
    ConvertLoginNickName(record);
    record.SetRoomValue(0);
  }
  return status;
}

}  // namespace ddz
