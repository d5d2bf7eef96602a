// What the room list reads from outside: the room file, the web reply 41009
// of the room panel and the invitation replies 20034 and 20047. A room read
// from the file holds fields in their ranges and an address that fits its
// field; a reply shorter than its fields, or not 'S', is refused and changes
// nothing.
#include <cstring>
#include <string>

#include "classic/RoomUI.h"
#include "gamedata/CompeteWebMsg.h"
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

void CheckInvitationReplies(fuzz::Input& in) {
  const std::string reply = in.Rest();
  const int len = static_cast<int>(reply.size());
  const bool success = !reply.empty() && reply[0] == 'S';
  std::int32_t invite = -9;
  const bool invited = CompeteWebMsg::ReadEnterCompeteReply(reply.data(), len, invite);
  FUZZ_CHECK(invited == (success && len >= CompeteWebMsg::kMinReplyEnterCompete));
  if (!invited) FUZZ_CHECK(invite == -9);

  FdLogicData* data = FdLogicData::shareFdLogicData();
  data->Reset();
  data->m_tLastQuery = 5;
  const bool taken = data->AcceptReply(reply.data(), len, 77);
  FUZZ_CHECK(taken == (success && len >= CompeteWebMsg::kMinReplyFdLogicData));
  FUZZ_CHECK(data->m_tLastQuery == (taken ? 77 : 5));
  if (taken) FUZZ_CHECK(data->m_iEntryKind >= 1 && data->m_iEntryKind <= 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), true);
  (void)ready;
  const fuzz::RunScope scope;
  fuzz::Input in(data, size);
  switch (in.Byte() % 3) {
    case 0: CheckRoomFile(in.Rest()); break;
    case 1: CheckChangeMoneyReply(in); break;
    default: CheckInvitationReplies(in); break;
  }
  return 0;
}
