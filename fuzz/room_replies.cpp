// What the room list reads from outside: the room file and the web reply
// 41009 of the room panel. A room read from the file holds fields in their
// ranges and an address that fits its field; a reply shorter than its fields
// is refused and changes nothing.
#include <cstring>
#include <string>

#include "classic/RoomUI.h"
#include "fuzz/FuzzSupport.h"
#include "platform/gamebase/RoomFile.h"

using namespace ddz;

namespace {

void CheckRoomFile(const std::string& text) {
  std::vector<std::string> refused;
  const std::vector<gamebase::RoomFileEntry> rooms = gamebase::ReadRoomFile(text, &refused);
  FUZZ_CHECK(static_cast<int>(rooms.size()) <= gamebase::kMaxRooms);
  for (const gamebase::RoomFileEntry& r : rooms) {
    FUZZ_CHECK(r.gameId >= 1);
    FUZZ_CHECK(r.server.iStartHour >= 0 && r.server.iStartHour <= 23);
    FUZZ_CHECK(r.server.iHours >= 1 && r.server.iHours <= 24);
    FUZZ_CHECK(r.server.iServerPort >= 1);
    FUZZ_CHECK(r.rule.iMinMoney >= 0 && r.rule.iMinMoney <= r.rule.iMaxMoney);
    FUZZ_CHECK(std::strlen(r.server.szServerIP) > 0 && std::strlen(r.server.szServerIP) < sizeof r.server.szServerIP);
  }
}

void CheckChangeMoneyReply(fuzz::Input& in) {
  const std::string reply = in.Rest();
  RoomListLayer::ChangeMoneyControlInfo info;
  info.iTime = -7;
  const bool read = RoomUI::ReadChangeMoneyReply(reply.data(), static_cast<int>(reply.size()), 99, info);
  FUZZ_CHECK(read == (reply.size() >= RoomUI::kChangeMoneyReplySize));
  FUZZ_CHECK(info.iTime == (read ? 99 : -7));
  if (read) FUZZ_CHECK(info.iRate >= 0 && info.iRate <= 65535 && info.iKind == static_cast<unsigned char>(reply[0]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), true);
  (void)ready;
  const fuzz::RunScope scope;
  fuzz::Input in(data, size);
  if (in.Bool()) {
    CheckRoomFile(in.Rest());
  } else {
    CheckChangeMoneyReply(in);
  }
  return 0;
}
