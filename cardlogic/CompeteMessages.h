// The tournament table's requests of the own hand, beside the classic ones
// (cardlogic/ClassicMessages.h), in the same 8-byte frame:
// - 24, play or pass, 68 bytes: the classic play layout (cards from byte 8,
//   count 28, type 29, key value 30), then byte 60 the auto-play marker (1 when
//   the time-out action made the play or auto-play is counted) and at 64 the
//   seconds the player took (int32, little-endian);
// - 76, auto-play state, 12 bytes: byte 8 zero, byte 9 1 = on, 0 = off.
// A play of more than 20 cards has no message: the builder returns an empty one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cardlogic/ClassicMessages.h"

namespace ddz::compete {

using Message = classic::Message;

namespace MsgType {
constexpr std::uint8_t Play = classic::MsgType::Play;  // request: play or pass
constexpr std::uint8_t AutoPlay = 76;                  // request: own auto-play on or off
}  // namespace MsgType

namespace MsgSize {
constexpr std::size_t Play = 68;
constexpr std::size_t AutoPlay = 12;
}  // namespace MsgSize

// Cards in hand order with their CardType and key value (a pass: no cards,
// type -1, key 0); `automatic` sets the marker; `seconds` is the time taken.
// Empty when there are more than 20 cards.
Message BuildPlayRequest(const std::vector<CardCode>& cards, int type, int key, bool automatic, int seconds);
Message BuildAutoPlayRequest(bool on);

}  // namespace ddz::compete
