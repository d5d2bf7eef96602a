#include "classic/RoomOrder.h"

#include <algorithm>
#include <utility>

#include "platform/os/Saturate.h"

namespace ddz::rooms {
namespace {

constexpr int kClassicGame = 62;
constexpr int kOldClassicGame = 19;
constexpr int kGridFull = 4;

bool HasRecords(const RoomItemInfo& room) { return room.pServerInfo != nullptr && room.pRuleInfo != nullptr; }

bool SameRoom(const RoomItemInfo& a, const RoomItemInfo& b) {
  return a.iGameID == b.iGameID && ShownBaseScore(a) == ShownBaseScore(b) &&
         a.pRuleInfo->iRoomClass == b.pRuleInfo->iRoomClass;
}

// Widens the listed room's window to cover both windows as they were.
void Widen(RoomServerInfo& listed, const RoomServerInfo& other) {
  const int start = std::min(listed.iStartHour, other.iStartHour);
  const int end = std::max(os::SaturatingAdd(listed.iStartHour, listed.iHours),
                           os::SaturatingAdd(other.iStartHour, other.iHours));
  int hours = os::SaturatingSub(end, start);
  if (hours > 24) {
    listed.iStartHour = 0;
    hours = 24;
  } else {
    listed.iStartHour = start;
  }
  listed.iHours = hours;
}

}  // namespace

bool Fits(const RoomItemInfo& room, int money) {
  return room.pRuleInfo != nullptr && room.pRuleInfo->iMinMoney <= money && money < room.pRuleInfo->iMaxMoney;
}

bool IsSuper(const RoomItemInfo& room) { return room.iGameID == kSuperGame; }

int ShownBaseScore(const RoomItemInfo& room) {
  if (room.pRuleInfo == nullptr) return 0;
  return IsSuper(room) ? room.pRuleInfo->iSuperBaseScore : room.pRuleInfo->iBaseScore;
}

bool RoomItemLess(const RoomItemInfo& a, const RoomItemInfo& b, int money) {
  const bool fitA = Fits(a, money);
  const bool fitB = Fits(b, money);
  if (fitA != fitB) return fitA;
  if (a.iGameID != b.iGameID) {
    if (IsSuper(a)) return false;
    if (IsSuper(b)) return true;
  }
  const bool bothSuper = IsSuper(a) && IsSuper(b);
  auto key = [bothSuper](const RoomItemInfo& r) {
    const int classOf = r.pRuleInfo != nullptr ? r.pRuleInfo->iRoomClass : 0;
    const int score =
        r.pRuleInfo == nullptr ? 0 : bothSuper ? r.pRuleInfo->iSuperBaseScore : r.pRuleInfo->iBaseScore;
    return std::pair(classOf, score);
  };
  return key(a) < key(b);
}

FilterResult FilterRooms(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int gameId,
                         bool kind22, int money) {
  std::erase_if(all, [](const RoomItemInfo& r) { return !HasRecords(r); });
  if (gameId == kClassicGame || gameId == kOldClassicGame) {
    std::erase_if(all, [](const RoomItemInfo& r) {
      return IsSuper(r) &&
             !(r.pRuleInfo->iRoomClass == kSuperRoomClass && r.pRuleInfo->iBaseScore == kSuperRoomBaseScore);
    });
  }

  for (const RoomItemInfo& room : all) {
    if (kind22 && room.pRuleInfo->iRoomClass < 1) continue;
    auto match = std::find_if(listed.begin(), listed.end(),
                              [&room](const RoomItemInfo& l) { return SameRoom(l, room); });
    if (match == listed.end()) {
      listed.push_back(room);
    } else if (match->pServerInfo != room.pServerInfo) {
      Widen(*match->pServerInfo, *room.pServerInfo);
    }
  }

  std::sort(listed.begin(), listed.end(),
            [money](const RoomItemInfo& a, const RoomItemInfo& b) { return RoomItemLess(a, b, money); });

  FilterResult result;
  if (listed.empty()) return result;
  result.firstRoomMinMoney = listed.front().pRuleInfo->iMinMoney;
  const std::size_t count = listed.size();
  if (kind22 && count == 2) {
    listed = {listed[0], listed[0], listed[1], listed[1]};
  } else if (count < kGridFull) {
    listed.insert(listed.begin(), listed.front());
  }
  result.fewRooms = listed.size() < kGridFull;
  return result;
}

}  // namespace ddz::rooms
