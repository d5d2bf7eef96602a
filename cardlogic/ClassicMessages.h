// The classic table's messages: the requests of the own hand (22 bid or action,
// 23 show hand, 24 play) and the server messages of one hand (71 deal, 72 bid
// turn, 54 bid result, 55 landlord, 73 play turn, 56 played, 237 hand result).
//
// Every message has an 8-byte frame (byte 1 the type, the rest 0) and a fixed
// body from byte 8; the length of a message counts the frame. Multi-byte fields
// are little-endian except the ones marked big-endian. Card fields hold card
// bytes, zero-padded.
//
// Builders return the whole message, frame included. Readers take (buffer,
// length), refuse a buffer shorter than the layout (and a chair outside 0..2 or
// a card count above 20), never read past the length, and turn card bytes into
// card codes through CardByteToCode, skipping what is not a card. A refused
// message is reported with a line on standard output and leaves `out` untouched.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/SuperRules.h"

namespace ddz::classic {

using Message = std::vector<std::uint8_t>;

constexpr int kFrameSize = 8;
constexpr int kChairs = 3;
constexpr int kMaxPlayCards = 20;
constexpr int kDealCards = 17;
constexpr int kBottomCards = 3;

namespace MsgType {
constexpr std::uint8_t Bid = 22;        // request: bid or call-and-rob action
constexpr std::uint8_t ShowHand = 23;   // request: show the own hand openly
constexpr std::uint8_t Play = 24;       // request: play or pass
constexpr std::uint8_t DealReceived = 25;  // request: the deal has arrived (nothing to answer)
constexpr std::uint8_t QuickChat = 248;    // request: a quick-chat phrase
constexpr std::uint8_t QuickChatShown = 111;  // a player's quick-chat phrase, to every seat
constexpr std::uint8_t Deal = 71;
constexpr std::uint8_t BidTurn = 72;
constexpr std::uint8_t BidResult = 54;
constexpr std::uint8_t Landlord = 55;
constexpr std::uint8_t PlayTurn = 73;
constexpr std::uint8_t Played = 56;
constexpr std::uint8_t HandResult = 237;
}  // namespace MsgType

namespace MsgSize {
constexpr std::size_t Bid = 12;
constexpr std::size_t ShowHand = 12;
constexpr std::size_t Play = 60;
constexpr std::size_t Deal = 116;
constexpr std::size_t BidTurn = 12;
constexpr std::size_t BidResult = 12;
constexpr std::size_t Landlord = 16;
constexpr std::size_t PlayTurn = 12;
constexpr std::size_t Played = 36;
constexpr std::size_t HandResult = 288;
constexpr std::size_t QuickChat = 12;
}  // namespace MsgSize

// Choices of request 22: a bid 0 (pass) to 3, or an action of the call-and-rob mode.
namespace BidChoice {
constexpr int Pass = 0;  // also "don't call"
constexpr int Call = 4;
constexpr int Rob = 5;
constexpr int DontRob = 6;
constexpr int Double = 7;
constexpr int DontDouble = 8;
constexpr int Max = 8;
}  // namespace BidChoice

// The type of a message (byte 1); -1 when the buffer is shorter than a frame.
int MessageType(const std::uint8_t* buf, std::size_t len);

// ---- requests of the own hand ----

struct BidRequest {
  int choice = 0;  // 0..3 bid, or a BidChoice action
};

struct PlayRequest {
  std::vector<CardCode> cards;  // the cards that read as cards, in the order sent
  int count = 0;                // number of cards (0 = pass)
  int type = CardType::Invalid; // the sender's CardType (byte 255 reads as -1)
  int key = 0;                  // key value, spread form
};

Message BuildBidRequest(int choice);
Message BuildShowHandRequest();
// Cards in hand order (as card codes, written as the own hand writes them), with
// their CardType and key value; a pass is no cards, type -1, key 0. Empty when
// there are more than 20 cards.
Message BuildPlayRequest(const std::vector<CardCode>& cards, int type, int key);

bool ReadBidRequest(const std::uint8_t* buf, std::size_t len, BidRequest& out);
bool ReadPlayRequest(const std::uint8_t* buf, std::size_t len, PlayRequest& out);

// ---- the Super table's play request ----
// Type 24 as on the classic table, 68 bytes: the card bytes from 8 (CodeToSuperCardByte),
// the count at 28, the low bytes of the group's type and value at 29 and 30, zero up to
// 60, then the group's wildcard bytes (60..63) and substitute bytes (64..67) as stored.
namespace SuperMsgSize {
constexpr std::size_t Play = 68;
}
constexpr std::size_t kSuperPlayWildcards = 60;
constexpr std::size_t kSuperPlaySubstitutes = 64;

// With a null group, a bare pass (all zero after the frame). With `withCards` false
// only the type and value bytes are written (a pass that names the one reading the
// hand listed). The group's -1 places are skipped.
Message BuildSuperPlayRequest(const CardGroupRecord* group, bool withCards);

// ---- server messages of one hand ----

struct Deal {
  std::array<std::vector<CardCode>, kChairs> hands;  // block n for table chair n
  int openIndex = 0;                                 // 0..51
  CardCode openCard = -1;
  int firstBidder = 0;
  int panelNumber = 0;  // the big-endian int the classic view shows on its panel
};

struct BidTurn {
  int chair = 0;
  int phase = 0;  // call-and-rob mode: 1 call, 2 rob, 3 double; 0 in plain bidding
};

struct BidResult {
  int chair = 0;
  int choice = 0;  // the bid or the action of request 22
  int extra = 0;
};

struct Landlord {
  int chair = 0;
  int score = 0;                     // the winning bid
  std::vector<CardCode> bottomCards;  // up to three
};

struct PlayTurn {
  int chair = 0;
};

struct Played {
  int chair = 0;
  std::vector<CardCode> cards;  // the cards that read as cards (empty for a pass)
  int count = 0;                // number of cards (0 = pass)
};

struct HandResult {
  std::array<int, kChairs> scores{};       // score change of chairs 0..2
  std::array<int, kChairs> scoresAgain{};  // the same, repeated further on
  std::array<std::vector<CardCode>, kChairs> remaining;  // cards still held
  int multiplier = 0;  // final, the spring doubling included
  bool landlordWon = false;
  bool spring = false;  // a spring or an anti-spring
};

// The card blocks take card bytes as the local server writes them (jokers 144
// and 177 in the deal, the bottom cards and the result).
struct DealBlocks {
  std::array<std::array<CardByte, kDealCards>, kChairs> hands{};
  int openIndex = 0;
  CardByte openCard = 0;
  int firstBidder = 0;
  int panelNumber = 0;
};
Message BuildDeal(const DealBlocks& deal);
Message BuildBidTurn(int chair, int phase);
Message BuildBidResult(int chair, int choice, int extra);
Message BuildLandlord(int chair, int score, const std::array<CardByte, kBottomCards>& bottomCards);
// Message 111: chair `chair` said quick-chat phrase `phrase` (byte 8 the phrase, byte 9 the chair).
Message BuildQuickChatShown(int phrase, int chair);
Message BuildPlayTurn(int chair);
// Empty when there are more than 20 cards.
Message BuildPlayed(int chair, std::span<const CardByte> cards);

struct HandResultBlocks {
  std::array<int, kChairs> scores{};
  std::array<std::array<CardByte, kMaxPlayCards>, kChairs> remaining{};
  int multiplier = 0;
  bool landlordWon = false;
  bool spring = false;
};
// The score changes are written twice, as the layout has them.
Message BuildHandResult(const HandResultBlocks& result);

bool ReadDeal(const std::uint8_t* buf, std::size_t len, Deal& out);
bool ReadBidTurn(const std::uint8_t* buf, std::size_t len, BidTurn& out);
bool ReadBidResult(const std::uint8_t* buf, std::size_t len, BidResult& out);
bool ReadLandlord(const std::uint8_t* buf, std::size_t len, Landlord& out);
bool ReadPlayTurn(const std::uint8_t* buf, std::size_t len, PlayTurn& out);
bool ReadPlayed(const std::uint8_t* buf, std::size_t len, Played& out);
bool ReadHandResult(const std::uint8_t* buf, std::size_t len, HandResult& out);

}  // namespace ddz::classic
