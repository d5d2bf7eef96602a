// The login record the lobby leaves for the client: the file
// "MbUserLoginData.dat", of which the client reads the first 124 bytes.
// Integers are little-endian. Fields the client reads or writes:
//
//   offset size  content
//     0     4    game kind (62 the classic table; 19, 21, 22, 48, 52, 237)
//     8     4    user id (replaced by the command line's)
//    28    24    nickname, GBK in the file, UTF-8 once read
//    72    28    login token, zero-terminated (replaced by the command line's)
//   100     4    yuanbao reference: the quit report carries yuanbao minus this
//   108     4    room value (cleared once read; / 10000 is a game id)
//
// Every other byte is kept as the lobby wrote it and handed on with the rest.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ddz {

inline constexpr const char* kLoginRecordFile = "MbUserLoginData.dat";
inline constexpr std::size_t kLoginRecordSize = 124;

struct LoginRecord {
  static constexpr std::size_t kGameKindOffset = 0;
  static constexpr std::size_t kUserIdOffset = 8;
  static constexpr std::size_t kNickNameOffset = 28;
  static constexpr std::size_t kNickNameSize = 24;
  static constexpr std::size_t kTokenOffset = 72;
  static constexpr std::size_t kTokenSize = 28;
  static constexpr std::size_t kYuanBaoRefOffset = 100;
  static constexpr std::size_t kRoomValueOffset = 108;

  std::array<unsigned char, kLoginRecordSize> bytes{};

  std::int32_t GameKind() const { return ReadInt(kGameKindOffset); }
  void SetGameKind(std::int32_t kind) { WriteInt(kGameKindOffset, kind); }
  std::int32_t UserId() const { return ReadInt(kUserIdOffset); }
  void SetUserId(std::int32_t id) { WriteInt(kUserIdOffset, id); }
  std::int32_t YuanBaoReference() const { return ReadInt(kYuanBaoRefOffset); }
  std::int32_t RoomValue() const { return ReadInt(kRoomValueOffset); }
  void SetRoomValue(std::int32_t value) { WriteInt(kRoomValueOffset, value); }

  // The field's bytes up to its first zero (all of them when there is none).
  std::string NickName() const { return Field(kNickNameOffset, kNickNameSize); }
  std::string Token() const { return Field(kTokenOffset, kTokenSize); }
  // Zero-filled, then the text cut at a character boundary to 27 bytes.
  void SetToken(std::string_view token);

  // The record as hexadecimal text, two upper-case digits a byte.
  std::string ToHex() const;

  std::int32_t ReadInt(std::size_t offset) const;
  void WriteInt(std::size_t offset, std::int32_t value);

 private:
  std::string Field(std::size_t offset, std::size_t size) const;
};

enum class LoginRecordStatus { Ok, Missing, Short };

// Reads the first kLoginRecordSize bytes of the file at `path` into `record`.
// Missing: the file cannot be opened. Short: it holds fewer bytes (its size
// goes to *size); `record` is left as it was unless the answer is Ok.
LoginRecordStatus ReadLoginRecordFile(const std::string& path, LoginRecord& record, std::int64_t* size = nullptr);

// The nickname as the client keeps it: the GBK bytes converted to UTF-8 and,
// unless the field is exactly "N" (then it stays byte for byte), written back
// zero-filled and cut at a character boundary to at most 23 bytes, so the
// field always ends in a zero.
void ConvertLoginNickName(LoginRecord& record);

// The record as the game scene takes it: kLoginRecordFile found through the
// search paths and read; then the nickname converted and the room value
// cleared. A missing or short file is logged and leaves `record` as it was.
LoginRecordStatus LoadLoginRecord(LoginRecord& record);

}  // namespace ddz
