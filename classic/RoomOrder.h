// Which rooms the classic room list shows and in what order: the pure rules
// under C_RoomListLayer::FilterRoomItems and C_RoomListLayer's quick start.
//
// FilterRooms: on the classic game ids (62, 19) the Super rooms (room game id
// 52) leave the fetched list unless they are of class 2 with base score 300.
// The fetched rooms then merge into the listed ones: rooms with the same game
// id, base score (the Super base score for a Super room) and class list once,
// with an opening window widened to cover both (more than 24 hours: always
// open, from 0 for 24). With the lobby's kind 22 rooms below class 1 are
// skipped. The list is sorted with RoomItemLess and padded for the grid: one
// to three rooms get a copy of the first in front; with kind 22 two rooms
// [a, b] become [a, a, b, b].
//
// RoomItemLess: rooms that fit the money (minimum <= money < maximum) first;
// a Super room never before a room of another game id; then by class and base
// score, compared as a pair (class * 1000000 + base score overflows an int).
#pragma once

#include <vector>

#include "platform/gamebase/RoomListLayer.h"

namespace ddz::rooms {

inline constexpr int kSuperGame = 52;
inline constexpr int kRobClass = 1;
inline constexpr int kSuperRoomClass = 2;
inline constexpr int kSuperRoomBaseScore = 300;

bool Fits(const RoomItemInfo& room, int money);
bool IsSuper(const RoomItemInfo& room);
// The base score shown on the room's button and used by the merge: the Super
// base score for a Super room.
int ShownBaseScore(const RoomItemInfo& room);

bool RoomItemLess(const RoomItemInfo& a, const RoomItemInfo& b, int money);

struct FilterResult {
  int firstRoomMinMoney = 0;
  bool fewRooms = false;
};

// Fills `listed` from `all` (which loses its unwanted Super rooms on game
// ids 62 and 19); rooms without records are dropped. The merge widens the
// server records of listed rooms.
FilterResult FilterRooms(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int gameId,
                         bool kind22, int money);

}  // namespace ddz::rooms
