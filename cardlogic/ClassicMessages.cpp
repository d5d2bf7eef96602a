#include "cardlogic/ClassicMessages.h"

#include <cstdio>

namespace ddz::classic {

namespace {

// Request and message offsets.
constexpr std::size_t kBody = kFrameSize;
constexpr std::size_t kPlayCount = 28, kPlayType = 29, kPlayKey = 30;
constexpr std::size_t kDealOpenIndex = 68, kDealOpenCard = 69, kDealFirstBidder = 70, kDealPanel = 92;
constexpr std::size_t kLandlordBottom = 10;
constexpr std::size_t kPlayedCards = 9, kPlayedCount = 29;
constexpr std::size_t kResultScores = 12, kResultScoresAgain = 52, kResultCards = 212;
constexpr std::size_t kResultMultiplier = 272, kResultLandlordWon = 280, kResultSpring = 281;
constexpr int kMaxOpenIndex = 51;

Message Frame(std::uint8_t type, std::size_t size) {
  Message m(size, 0);
  m[1] = type;
  return m;
}

void PutBigEndian(Message& m, std::size_t at, int value) {
  const auto u = static_cast<std::uint32_t>(value);
  m[at] = static_cast<std::uint8_t>(u >> 24);
  m[at + 1] = static_cast<std::uint8_t>(u >> 16);
  m[at + 2] = static_cast<std::uint8_t>(u >> 8);
  m[at + 3] = static_cast<std::uint8_t>(u);
}

void PutLittleEndian(Message& m, std::size_t at, int value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) m[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

int GetBigEndian(const std::uint8_t* p) {
  return static_cast<std::int32_t>((std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                   (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]});
}

int GetLittleEndian(const std::uint8_t* p) {
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                   (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

// The cards of a block of card bytes; what is not a card (0 included) is skipped.
std::vector<CardCode> ReadCards(const std::uint8_t* p, std::size_t n) {
  std::vector<CardCode> cards;
  for (std::size_t i = 0; i < n; ++i) {
    const CardCode c = CardByteToCode(p[i]);
    if (c >= 0) cards.push_back(c);
  }
  return cards;
}

bool Refuse(const char* what, const char* why, std::size_t len) {
  std::printf("%s: refused (%s, length %zu)\n", what, why, len);
  return false;
}

// Frame and length checks shared by every reader.
bool LongEnough(const char* what, const std::uint8_t* buf, std::size_t len, std::size_t size) {
  if (buf == nullptr || len < size) return Refuse(what, "short buffer", len);
  return true;
}

bool ValidChair(int chair) { return chair >= 0 && chair < kChairs; }

}  // namespace

int MessageType(const std::uint8_t* buf, std::size_t len) {
  if (buf == nullptr || len < static_cast<std::size_t>(kFrameSize)) return -1;
  return buf[1];
}

// ---- requests ----

Message BuildBidRequest(int choice) {
  Message m = Frame(MsgType::Bid, MsgSize::Bid);
  m[kBody] = static_cast<std::uint8_t>(choice);
  return m;
}

Message BuildShowHandRequest() { return Frame(MsgType::ShowHand, MsgSize::ShowHand); }

Message BuildPlayRequest(const std::vector<CardCode>& cards, int type, int key) {
  if (cards.size() > static_cast<std::size_t>(kMaxPlayCards)) return {};
  Message m = Frame(MsgType::Play, MsgSize::Play);
  for (std::size_t i = 0; i < cards.size(); ++i) m[kBody + i] = CodeToCardByte(cards[i]);
  m[kPlayCount] = static_cast<std::uint8_t>(cards.size());
  m[kPlayType] = static_cast<std::uint8_t>(type);
  m[kPlayKey] = static_cast<std::uint8_t>(key);
  return m;
}

Message BuildSuperPlayRequest(const CardGroupRecord* group, bool withCards) {
  Message m = Frame(MsgType::Play, SuperMsgSize::Play);
  if (group == nullptr) return m;
  m[kPlayType] = static_cast<std::uint8_t>(group->type);
  m[kPlayKey] = static_cast<std::uint8_t>(group->value);
  if (!withCards) return m;
  std::size_t count = 0;
  for (CardCode c : group->cards)
    if (c != -1) m[kBody + count++] = CodeToSuperCardByte(c);
  m[kPlayCount] = static_cast<std::uint8_t>(count);
  for (std::size_t i = 0; i < CardGroupRecord::kMaxWildcards; ++i) {
    m[kSuperPlayWildcards + i] = group->wildcardCards[i];
    m[kSuperPlaySubstitutes + i] = group->substituteValues[i];
  }
  return m;
}

bool ReadBidRequest(const std::uint8_t* buf, std::size_t len, BidRequest& out) {
  if (!LongEnough("ReadBidRequest", buf, len, MsgSize::Bid)) return false;
  if (buf[kBody] > BidChoice::Max) return Refuse("ReadBidRequest", "unknown choice", len);
  out.choice = buf[kBody];
  return true;
}

bool ReadPlayRequest(const std::uint8_t* buf, std::size_t len, PlayRequest& out) {
  if (!LongEnough("ReadPlayRequest", buf, len, MsgSize::Play)) return false;
  const int count = buf[kPlayCount];
  if (count > kMaxPlayCards) return Refuse("ReadPlayRequest", "card count above 20", len);
  out.cards = ReadCards(buf + kBody, static_cast<std::size_t>(count));
  out.count = count;
  out.type = static_cast<std::int8_t>(buf[kPlayType]);
  out.key = buf[kPlayKey];
  return true;
}

// ---- server messages ----

Message BuildDeal(const DealBlocks& deal) {
  Message m = Frame(MsgType::Deal, MsgSize::Deal);
  for (int chair = 0; chair < kChairs; ++chair)
    for (int i = 0; i < kDealCards; ++i) m[kBody + chair * kDealCards + i] = deal.hands[chair][i];
  m[kDealOpenIndex] = static_cast<std::uint8_t>(deal.openIndex);
  m[kDealOpenCard] = deal.openCard;
  m[kDealFirstBidder] = static_cast<std::uint8_t>(deal.firstBidder);
  PutBigEndian(m, kDealPanel, deal.panelNumber);
  return m;
}

Message BuildBidTurn(int chair, int phase) {
  Message m = Frame(MsgType::BidTurn, MsgSize::BidTurn);
  m[kBody] = static_cast<std::uint8_t>(chair);
  m[kBody + 1] = static_cast<std::uint8_t>(phase);
  return m;
}

Message BuildBidResult(int chair, int choice, int extra) {
  Message m = Frame(MsgType::BidResult, MsgSize::BidResult);
  m[kBody] = static_cast<std::uint8_t>(chair);
  m[kBody + 1] = static_cast<std::uint8_t>(choice);
  m[kBody + 2] = static_cast<std::uint8_t>(extra);
  return m;
}

Message BuildLandlord(int chair, int score, const std::array<CardByte, kBottomCards>& bottomCards) {
  Message m = Frame(MsgType::Landlord, MsgSize::Landlord);
  m[kBody] = static_cast<std::uint8_t>(chair);
  m[kBody + 1] = static_cast<std::uint8_t>(score);
  for (int i = 0; i < kBottomCards; ++i) m[kLandlordBottom + i] = bottomCards[i];
  return m;
}

Message BuildQuickChatShown(int phrase, int chair) {
  Message m = Frame(MsgType::QuickChatShown, MsgSize::QuickChat);
  m[kBody] = static_cast<std::uint8_t>(phrase);
  m[kBody + 1] = static_cast<std::uint8_t>(chair);
  return m;
}

Message BuildPlayTurn(int chair) {
  Message m = Frame(MsgType::PlayTurn, MsgSize::PlayTurn);
  m[kBody] = static_cast<std::uint8_t>(chair);
  return m;
}

Message BuildPlayed(int chair, std::span<const CardByte> cards) {
  if (cards.size() > static_cast<std::size_t>(kMaxPlayCards)) return {};
  Message m = Frame(MsgType::Played, MsgSize::Played);
  m[kBody] = static_cast<std::uint8_t>(chair);
  for (std::size_t i = 0; i < cards.size(); ++i) m[kPlayedCards + i] = cards[i];
  m[kPlayedCount] = static_cast<std::uint8_t>(cards.size());
  return m;
}

Message BuildHandResult(const HandResultBlocks& result) {
  Message m = Frame(MsgType::HandResult, MsgSize::HandResult);
  for (int chair = 0; chair < kChairs; ++chair) {
    PutBigEndian(m, kResultScores + 4 * chair, result.scores[chair]);
    PutBigEndian(m, kResultScoresAgain + 4 * chair, result.scores[chair]);
    for (int i = 0; i < kMaxPlayCards; ++i) m[kResultCards + chair * kMaxPlayCards + i] = result.remaining[chair][i];
  }
  PutLittleEndian(m, kResultMultiplier, result.multiplier);
  m[kResultLandlordWon] = result.landlordWon ? 1 : 0;
  m[kResultSpring] = result.spring ? 1 : 0;
  return m;
}

bool ReadDeal(const std::uint8_t* buf, std::size_t len, Deal& out) {
  if (!LongEnough("ReadDeal", buf, len, MsgSize::Deal)) return false;
  if (!ValidChair(buf[kDealFirstBidder])) return Refuse("ReadDeal", "first bidder out of range", len);
  if (buf[kDealOpenIndex] > kMaxOpenIndex) return Refuse("ReadDeal", "open-card index out of range", len);
  for (int chair = 0; chair < kChairs; ++chair) out.hands[chair] = ReadCards(buf + kBody + chair * kDealCards, kDealCards);
  out.openIndex = buf[kDealOpenIndex];
  out.openCard = CardByteToCode(buf[kDealOpenCard]);
  out.firstBidder = buf[kDealFirstBidder];
  out.panelNumber = GetBigEndian(buf + kDealPanel);
  return true;
}

bool ReadBidTurn(const std::uint8_t* buf, std::size_t len, BidTurn& out) {
  if (!LongEnough("ReadBidTurn", buf, len, MsgSize::BidTurn)) return false;
  if (!ValidChair(buf[kBody])) return Refuse("ReadBidTurn", "chair out of range", len);
  out.chair = buf[kBody];
  out.phase = buf[kBody + 1];
  return true;
}

bool ReadBidResult(const std::uint8_t* buf, std::size_t len, BidResult& out) {
  if (!LongEnough("ReadBidResult", buf, len, MsgSize::BidResult)) return false;
  if (!ValidChair(buf[kBody])) return Refuse("ReadBidResult", "chair out of range", len);
  if (buf[kBody + 1] > BidChoice::Max) return Refuse("ReadBidResult", "unknown choice", len);
  out.chair = buf[kBody];
  out.choice = buf[kBody + 1];
  out.extra = buf[kBody + 2];
  return true;
}

bool ReadLandlord(const std::uint8_t* buf, std::size_t len, Landlord& out) {
  if (!LongEnough("ReadLandlord", buf, len, MsgSize::Landlord)) return false;
  if (!ValidChair(buf[kBody])) return Refuse("ReadLandlord", "chair out of range", len);
  out.chair = buf[kBody];
  out.score = buf[kBody + 1];
  out.bottomCards = ReadCards(buf + kLandlordBottom, kBottomCards);
  return true;
}

bool ReadPlayTurn(const std::uint8_t* buf, std::size_t len, PlayTurn& out) {
  if (!LongEnough("ReadPlayTurn", buf, len, MsgSize::PlayTurn)) return false;
  if (!ValidChair(buf[kBody])) return Refuse("ReadPlayTurn", "chair out of range", len);
  out.chair = buf[kBody];
  return true;
}

bool ReadPlayed(const std::uint8_t* buf, std::size_t len, Played& out) {
  if (!LongEnough("ReadPlayed", buf, len, MsgSize::Played)) return false;
  if (!ValidChair(buf[kBody])) return Refuse("ReadPlayed", "chair out of range", len);
  const int count = buf[kPlayedCount];
  if (count > kMaxPlayCards) return Refuse("ReadPlayed", "card count above 20", len);
  out.chair = buf[kBody];
  out.cards = ReadCards(buf + kPlayedCards, static_cast<std::size_t>(count));
  out.count = count;
  return true;
}

bool ReadHandResult(const std::uint8_t* buf, std::size_t len, HandResult& out) {
  if (!LongEnough("ReadHandResult", buf, len, MsgSize::HandResult)) return false;
  for (int chair = 0; chair < kChairs; ++chair) {
    out.scores[chair] = GetBigEndian(buf + kResultScores + 4 * chair);
    out.scoresAgain[chair] = GetBigEndian(buf + kResultScoresAgain + 4 * chair);
    out.remaining[chair] = ReadCards(buf + kResultCards + chair * kMaxPlayCards, kMaxPlayCards);
  }
  out.multiplier = GetLittleEndian(buf + kResultMultiplier);
  out.landlordWon = buf[kResultLandlordWon] != 0;
  out.spring = buf[kResultSpring] == 1;
  return true;
}

}  // namespace ddz::classic
