// The four-player table's requests of the own hand: 17 play or pass, 18 bid,
// 20 the answer to the table's two-choice question. They share the classic
// frame (8 bytes, byte 1 the type, the rest 0; the length counts the frame) and
// write their integers little-endian; the type numbers mean other messages on
// the classic table (ClassicMessages.h), so they are named apart here.
//
// Builders return the whole message, or an empty one for input they refuse (a
// play of more cards than a four-player hand holds, a card code that is not a
// card of the two decks, a bid outside 0..3, an answer other than 1 or 2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cardlogic/CardCodes.h"

namespace ddz::sr {

using Message = std::vector<std::uint8_t>;

constexpr int kFrameSize = 8;
// The landlord's hand of the two decks; the play field has room for 36 bytes.
constexpr int kMaxPlayCards = 33;
constexpr int kPlayCardField = 36;
constexpr int kMaxBid = 3;

namespace MsgType {
constexpr std::uint8_t Play = 17;    // request: play or pass
constexpr std::uint8_t Bid = 18;     // request: bid 0..3
constexpr std::uint8_t Choice = 20;  // request: answer to the two-choice question
}  // namespace MsgType

namespace MsgSize {
constexpr std::size_t Play = 48;
constexpr std::size_t Bid = 12;
constexpr std::size_t Choice = 12;
}  // namespace MsgSize

// Answers of request 20: the first and the second choice button.
namespace ChoiceAnswer {
constexpr int First = 1;
constexpr int Second = 2;
}  // namespace ChoiceAnswer

// Card bytes of the played cards in hand order from byte 8 (zero after the
// last), their number at 44; no cards is a pass.
Message BuildPlayRequest(const std::vector<CardCode>& cards);
// The bid at 8 (i32).
Message BuildBidRequest(int bid);
// The answer at 8 (one byte, then three zero bytes).
Message BuildChoiceRequest(int answer);

}  // namespace ddz::sr
