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

// ---- what the game server sends the four-player table ----
// Byte offsets from the start of the frame; integers little-endian; card
// bytes of 0 or less are empty slots. Each Size is the end of the last field
// the table reads, the shortest frame it takes.
namespace ServerType {
constexpr std::uint8_t ActivityTimer = 38;
constexpr std::uint8_t ActivityCount = 39;
constexpr std::uint8_t Played = 49;
constexpr std::uint8_t Bid = 50;
constexpr std::uint8_t Landlord = 51;
constexpr std::uint8_t ShowHand = 53;
constexpr std::uint8_t Reward = 54;
constexpr std::uint8_t Deal = 65;
constexpr std::uint8_t PlayTurn = 66;
constexpr std::uint8_t BidTurn = 67;
constexpr std::uint8_t ChoicePrompt = 69;
}  // namespace ServerType

// 65: the own 25 cards, the lander card and its chair, base score, cap, the
// two task-panel numbers, the golden card value g (card index + 1) and the
// five golden-card task numbers.
namespace DealAt {
constexpr int OwnCards = 8;
constexpr int OwnCardCount = 25;
constexpr int LanderChair = 33;
constexpr int LanderCard = 34;
constexpr int BaseScore = 40;
constexpr int Cap = 44;
constexpr int Task1 = 72;
constexpr int Task2 = 76;
constexpr int Golden = 80;
constexpr int GoldTasks = 84;  // five i32
constexpr int Size = 104;
}  // namespace DealAt
// 67, 66, 69: the chair whose turn it is (bid, play, the two-choice question).
namespace TurnAt {
constexpr int Chair = 8;
constexpr int Size = 9;
}  // namespace TurnAt
// 50: the bid (i32, 0 no bid) and the chair.
namespace BidAt {
constexpr int Value = 8;
constexpr int Chair = 12;
constexpr int Size = 13;
}  // namespace BidAt
// 51: the final bid (i32), the landlord's chair, the 8 bottom cards.
namespace LandlordAt {
constexpr int FinalBid = 8;
constexpr int Chair = 16;
constexpr int Bottom = 17;
constexpr int BottomCount = 8;
constexpr int Size = 25;
}  // namespace LandlordAt
// 49 (a play; no card is a pass) and 53 (a shown hand): 33 card bytes and the chair.
namespace CardsAt {
constexpr int Cards = 8;
constexpr int Count = 33;
constexpr int Chair = 41;
constexpr int Size = 42;
}  // namespace CardsAt
// 54: the chair, the reward kind (1, 2 happy reward, 3 golden card), the yuanbao (i32).
namespace RewardAt {
constexpr int Chair = 8;
constexpr int Kind = 9;
constexpr int Amount = 12;
constexpr int Size = 16;
}  // namespace RewardAt
// 38: the activity's countdown seconds; 39: kind (1 the hand count) and count.
namespace ActivityAt {
constexpr int Kind = 8;
constexpr int Value = 12;
constexpr int Size = 16;
}  // namespace ActivityAt

// The re-login snapshot of a hand in play.
namespace ReloginAt {
constexpr int Bids = 140;        // i8 per chair
constexpr int OwnCards = 144;    // 33 card bytes
constexpr int CardCounts = 177;  // i8 per chair
constexpr int Bottom = 181;      // 8 card bytes
constexpr int Landlord = 189;    // i8 chair, -1 while the bidding runs
constexpr int TableCards = 190;  // 33 card bytes of the play on the table
constexpr int TableChair = 223;
constexpr int Shown = 234;       // non-zero: the landlord showed the hand
constexpr int ShownCards = 235;  // 33 card bytes
constexpr int Times = 268;       // i8
constexpr int BaseScore = 272;   // i32
constexpr int FinalBid = 276;    // i8
constexpr int Cap = 280;         // i32
constexpr int Remain = 284;      // 15 counts of cards still out (A .. K, jokers)
constexpr int Task1 = 300;
constexpr int Task2 = 304;
constexpr int Golden = 308;      // i8
constexpr int GoldTasks = 312;   // five i32
constexpr int Size = 332;
}  // namespace ReloginAt

// The hand result (the game base's result notice).
namespace ResultAt {
constexpr int Scores = 12;    // i32 per chair
constexpr int Fees = 52;      // i32 per chair: money changes by score - fee
constexpr int Cards = 68;     // 33 card bytes per chair
constexpr int CardsPerChair = 33;
constexpr int Value = 200;    // i8, handed to the result window
constexpr int Spring = 208;   // i8: 1 spring, 2 anti-spring
constexpr int Size = 212;
}  // namespace ResultAt

constexpr int kChairs = 4;

// Card bytes of the played cards in hand order from byte 8 (zero after the
// last), their number at 44; no cards is a pass.
Message BuildPlayRequest(const std::vector<CardCode>& cards);
// The bid at 8 (i32).
Message BuildBidRequest(int bid);
// The answer at 8 (one byte, then three zero bytes).
Message BuildChoiceRequest(int answer);

}  // namespace ddz::sr
