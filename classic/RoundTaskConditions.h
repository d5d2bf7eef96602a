// The round task of a network hand: the server gives each hand a task id,
// and the client decides whether a play of the own seat (or the bottom cards
// the own seat takes as landlord) fulfils it. One pure function, no state.
//
// Inputs: the play's card type and key value as the classifier gives them
// (key values 10..13 ten to king, 14 ace, 20 two, 25/26 the jokers), the three
// bottom cards as card bytes (or null) and the played cards as 20 card bytes
// (or null). Card bytes are read through CardByteToCode: a byte that names no
// card is an empty place.
//
// Ids below kFirstTaskId or above kLastTaskId, and ids in between that no
// condition names, are never met. Tasks 65-68 look only at the bottom cards,
// so they are never met by a play without them.
#pragma once

#include <vector>

namespace ddz {

inline constexpr int kFirstTaskId = 19;
inline constexpr int kLastTaskId = 90;
inline constexpr int kTaskBottomCards = 3;
inline constexpr int kTaskPlayedCards = 20;

bool TaskMatches(int taskId, int cardType, int keyValue, const char* baseCards, const char* playedCards);

// The task ids some condition names, ascending (the task names file has an
// entry for each).
const std::vector<int>& KnownTaskIds();

}  // namespace ddz
