// The room file: the rooms the room list offers, one a line, read into the
// room tables (RoomListLayer::AddRoom) before a list is made. The layout of a
// line is in docs/PROTOCOL.md:
//
//   game_id server_id address port start_hour hours min max class sub_type base super_base second
//
// Fields are separated by blanks; '#' starts a comment. A line that does not
// hold exactly these thirteen fields, each in range, is refused with a log
// line and the others are kept. At most kMaxRooms rooms are read (the grid of
// the list has room for no more); later lines are refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gamebase/RoomListLayer.h"

namespace gamebase {

inline constexpr const char* kRoomFile = "rooms.conf";
inline constexpr int kMaxRooms = 8;

struct RoomFileEntry {
  int gameId = 0;
  RoomServerInfo server;
  RoomRuleInfo rule;
};

// The rooms of the file's text, in file order. Each refused line adds one
// text to `refused` (line number and reason) when it is given.
[[nodiscard]] std::vector<RoomFileEntry> ReadRoomFile(std::string_view text,
                                                      std::vector<std::string>* refused = nullptr);

// Reads `file` through the search paths into the room tables; answers the
// number of rooms added (0 when the file is missing; logged).
int LoadRoomFile(const char* file = kRoomFile);

}  // namespace gamebase
