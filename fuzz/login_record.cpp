// The login record file on arbitrary bytes: a file shorter than the record is
// refused and leaves the record alone; otherwise the record holds the file's
// bytes but for the nickname (converted, ending in a zero, cut at a
// character boundary unless it is "N") and the cleared room value. Setting the
// token keeps a cut of the text in the field with its terminator.
#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "shell/LoginRecord.h"

using namespace ddz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  fuzz::Scratch::Get().Write(kLoginRecordFile, std::string_view(reinterpret_cast<const char*>(data), size));
  LoginRecord record;
  record.bytes.fill(0xA5);
  const LoginRecord before = record;
  const LoginRecordStatus status = LoadLoginRecord(record);
  if (size < kLoginRecordSize) {
    FUZZ_CHECK(status == LoginRecordStatus::Short);
    FUZZ_CHECK(record.bytes == before.bytes);
    return 0;
  }
  FUZZ_CHECK(status == LoginRecordStatus::Ok);
  FUZZ_CHECK(record.RoomValue() == 0);
  for (std::size_t i = 0; i < kLoginRecordSize; ++i) {
    const bool nick = i >= LoginRecord::kNickNameOffset && i < LoginRecord::kNickNameOffset + LoginRecord::kNickNameSize;
    const bool room = i >= LoginRecord::kRoomValueOffset && i < LoginRecord::kRoomValueOffset + 4;
    if (!nick && !room) FUZZ_CHECK(record.bytes[i] == data[i]);
  }
  const std::string nick = record.NickName();
  if (nick != "N") {
    FUZZ_CHECK(record.bytes[LoginRecord::kNickNameOffset + LoginRecord::kNickNameSize - 1] == 0);
    FUZZ_CHECK(fuzz::IsUtf8(nick));
  }
  FUZZ_CHECK(record.ToHex().size() == 2 * kLoginRecordSize);

  const std::string token(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 64));
  record.SetToken(token);
  const std::string kept = record.Token();
  FUZZ_CHECK(kept.size() <= LoginRecord::kTokenSize - 1);
  FUZZ_CHECK(fuzz::IsCutOf(kept, token.substr(0, token.find('\0'))));
  return 0;
}
