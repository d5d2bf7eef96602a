#include "cardlogic/SRMessages.h"

#include <cstdio>

#include "cardlogic/SRClueCard.h"

namespace ddz::sr {

namespace {

constexpr std::size_t kBody = kFrameSize;
constexpr std::size_t kPlayCount = 44;

Message Frame(std::uint8_t type, std::size_t size) {
  Message m(size, 0);
  m[1] = type;
  return m;
}

void PutLittleEndian(Message& m, std::size_t at, int value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) m[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

Message Refuse(const char* what, int value) {
  std::printf("%s: refused (%d)\n", what, value);
  return {};
}

}  // namespace

Message BuildPlayRequest(const std::vector<CardCode>& cards) {
  const int count = static_cast<int>(cards.size());
  if (count > kMaxPlayCards) return Refuse("sr::BuildPlayRequest: cards", count);
  for (CardCode code : cards)
    if (!SRClueCard::IsTableCode(code)) return Refuse("sr::BuildPlayRequest: card code", code);
  Message m = Frame(MsgType::Play, MsgSize::Play);
  for (std::size_t i = 0; i < cards.size(); ++i) m[kBody + i] = CodeToCardByte(cards[i]);
  PutLittleEndian(m, kPlayCount, count);
  return m;
}

Message BuildBidRequest(int bid) {
  if (bid < 0 || bid > kMaxBid) return Refuse("sr::BuildBidRequest: bid", bid);
  Message m = Frame(MsgType::Bid, MsgSize::Bid);
  PutLittleEndian(m, kBody, bid);
  return m;
}

Message BuildChoiceRequest(int answer) {
  if (answer != ChoiceAnswer::First && answer != ChoiceAnswer::Second)
    return Refuse("sr::BuildChoiceRequest: answer", answer);
  Message m = Frame(MsgType::Choice, MsgSize::Choice);
  m[kBody] = static_cast<std::uint8_t>(answer);
  return m;
}

}  // namespace ddz::sr
