#include "platform/gamebase/RoomFile.h"

#include <charconv>
#include <cstdint>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/os/Text.h"

namespace gamebase {
namespace {

constexpr int kFieldCount = 13;

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

bool ReadInt(std::string_view text, std::int32_t low, std::int32_t high, std::int32_t& out) {
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
  out = value;
  return true;
}

bool ValidAddress(std::string_view address) {
  if (address.empty() || address.size() >= sizeof(RoomServerInfo::szServerIP)) return false;
  for (char c : address) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
                    c == '-';
    if (!ok) return false;
  }
  return true;
}

// Reads one line's fields; answers the reason of a refusal, or null.
const char* ReadEntry(const std::vector<std::string_view>& f, RoomFileEntry& e) {
  if (f.size() != kFieldCount) return "not 13 fields";
  constexpr std::int32_t kMax = INT32_MAX;
  std::int32_t port = 0;
  if (!ReadInt(f[0], 1, kMax, e.gameId)) return "game id";
  if (!ReadInt(f[1], 0, kMax, e.server.iServerID)) return "server id";
  if (!ValidAddress(f[2])) return "address";
  if (!ReadInt(f[3], 1, 65535, port)) return "port";
  if (!ReadInt(f[4], 0, 23, e.server.iStartHour)) return "start hour";
  if (!ReadInt(f[5], 1, 24, e.server.iHours)) return "hours";
  if (!ReadInt(f[6], 0, kMax, e.rule.iMinMoney)) return "minimum money";
  if (!ReadInt(f[7], 0, kMax, e.rule.iMaxMoney) || e.rule.iMaxMoney < e.rule.iMinMoney) return "maximum money";
  if (!ReadInt(f[8], 0, kMax, e.rule.iRoomClass)) return "class";
  if (!ReadInt(f[9], 0, kMax, e.rule.iRuleSubType)) return "rule sub-type";
  if (!ReadInt(f[10], 0, kMax, e.rule.iBaseScore)) return "base score";
  if (!ReadInt(f[11], 0, kMax, e.rule.iSuperBaseScore)) return "Super base score";
  if (!ReadInt(f[12], 0, kMax, e.rule.iSecondFigure)) return "second figure";
  ddz::os::CopyBounded(e.server.szServerIP, sizeof(e.server.szServerIP), f[2]);
  e.server.iServerPort = static_cast<std::uint16_t>(port);
  return nullptr;
}

}  // namespace

std::vector<RoomFileEntry> ReadRoomFile(std::string_view text, std::vector<std::string>* refused) {
  std::vector<RoomFileEntry> rooms;
  int number = 0;
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    std::string_view line = text.substr(0, cut);
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
    ++number;
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.empty()) continue;
    RoomFileEntry entry;
    const char* why = static_cast<int>(rooms.size()) >= kMaxRooms ? "more than 8 rooms" : ReadEntry(fields, entry);
    if (why != nullptr) {
      if (refused != nullptr) refused->push_back("line " + std::to_string(number) + ": " + why);
      continue;
    }
    rooms.push_back(entry);
  }
  return rooms;
}

int LoadRoomFile(const char* file) {
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  if (file == nullptr || !files->isFileExist(file)) {
    cocos2d::log("LoadRoomFile: no room file %s", file != nullptr ? file : "");
    return 0;
  }
  std::vector<std::string> refused;
  const std::vector<RoomFileEntry> rooms = ReadRoomFile(files->getStringFromFile(file), &refused);
  for (const std::string& why : refused) cocos2d::log("LoadRoomFile %s refused %s", file, why.c_str());
  for (const RoomFileEntry& room : rooms) RoomListLayer::AddRoom(room.gameId, room.server, room.rule);
  cocos2d::log("LoadRoomFile %s: %zu rooms", file, rooms.size());
  return static_cast<int>(rooms.size());
}

}  // namespace gamebase
