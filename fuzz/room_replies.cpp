// What the room list reads from outside: the room file, the web reply 41009
// of the room panel and the invitation replies 20034 and 20047. A room read
// from the file holds fields in their ranges and an address that fits its
// field; a reply shorter than its fields, or not 'S', is refused and changes
// nothing.
#include <cstring>
#include <string>

#include "classic/C_RoomListLayer.h"
#include "classic/RoomUI.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
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

// The room list's handling of the invitation replies (the readers alone are
// fuzzed in compete_replies): the answer and its time change only with error
// 0 and a reply the reader takes.
void CheckInvitationReplies(fuzz::Input& in) {
  static C_RoomListLayer* list = new C_RoomListLayer(62);  // kept for the process
  const bool compete = in.Bool();
  const int error = in.Bool() ? 0 : 5;
  const std::string reply = in.Rest();
  const int len = static_cast<int>(reply.size());
  DdzCompete& invite = *DdzCompete::getInstance();
  FdLogicData& entry = *FdLogicData::shareFdLogicData();
  invite.m_tLastInviteQuery = 5;
  invite.m_iInviteCompete = 9;
  entry.Reset();
  entry.m_tLastQuery = 5;
  std::int32_t value = 0, kind = 0;
  const bool readable = compete ? CompeteWebMsg::ReadEnterCompeteReply(reply.data(), len, value)
                                : CompeteWebMsg::ReadFdLogicReply(reply.data(), len, value, kind);
  list->CallBackAsyncHttpRes(reply.data(), len, "", compete ? CompeteWebMsg::kMsgEnterCompete
                                                            : CompeteWebMsg::kMsgFdLogicData, error);
  const bool taken = readable && error == 0;
  if (compete) {
    FUZZ_CHECK((invite.m_tLastInviteQuery != 5) == taken);
    FUZZ_CHECK(invite.m_iInviteCompete == (taken ? value : 9));
  } else {
    FUZZ_CHECK((entry.m_tLastQuery != 5) == taken);
    if (taken) FUZZ_CHECK(entry.m_iEntryKind >= 1 && entry.m_iEntryKind <= 3);
  }
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
