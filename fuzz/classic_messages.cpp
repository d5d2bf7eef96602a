// The classic table's message readers on arbitrary bytes of any length, and the
// builders' round trip: what a reader accepts, rebuilt and read again, reads the
// same; a refused message leaves the output as it was; every card read is a card.
#include <algorithm>
#include <vector>

#include "cardlogic/ClassicMessages.h"
#include "fuzz/FuzzSupport.h"

using namespace ddz;
using namespace ddz::classic;
using ddz::fuzz::Input;

namespace {

void CheckCards(const std::vector<CardCode>& cards, std::size_t max) {
  FUZZ_CHECK(cards.size() <= max);
  for (CardCode c : cards) FUZZ_CHECK(IsValidCardCode(c));
}

std::vector<CardByte> ToBytes(const std::vector<CardCode>& cards) {
  std::vector<CardByte> bytes;
  for (CardCode c : cards) bytes.push_back(CodeToCardByte(c));
  return bytes;
}

bool ValidChair(int chair) { return chair >= 0 && chair < kChairs; }

// A sentinel output no reader writes, to see that a refusal leaves it alone.
constexpr int kUntouched = -12345;

void Readers(const std::uint8_t* buf, std::size_t len) {
  FUZZ_CHECK(MessageType(buf, len) == (len < static_cast<std::size_t>(kFrameSize) ? -1 : buf[1]));
  {
    BidRequest out{kUntouched};
    if (ReadBidRequest(buf, len, out)) {
      FUZZ_CHECK(out.choice >= 0 && out.choice <= BidChoice::Max);
      const Message again = BuildBidRequest(out.choice);
      BidRequest back;
      FUZZ_CHECK(ReadBidRequest(again.data(), again.size(), back) && back.choice == out.choice);
    } else {
      FUZZ_CHECK(out.choice == kUntouched);
    }
  }
  {
    PlayRequest out;
    out.count = kUntouched;
    if (ReadPlayRequest(buf, len, out)) {
      FUZZ_CHECK(out.count >= 0 && out.count <= kMaxPlayCards);
      CheckCards(out.cards, static_cast<std::size_t>(out.count));
      FUZZ_CHECK(out.type >= -128 && out.type <= 127 && out.key >= 0 && out.key <= 255);
      const Message again = BuildPlayRequest(out.cards, out.type, out.key);
      PlayRequest back;
      FUZZ_CHECK(ReadPlayRequest(again.data(), again.size(), back));
      FUZZ_CHECK(back.cards == out.cards && back.type == out.type && back.key == out.key);
    } else {
      FUZZ_CHECK(out.count == kUntouched && out.cards.empty());
    }
  }
  {
    Deal out;
    out.firstBidder = kUntouched;
    if (ReadDeal(buf, len, out)) {
      FUZZ_CHECK(ValidChair(out.firstBidder) && out.openIndex >= 0 && out.openIndex <= 51);
      for (const auto& hand : out.hands) CheckCards(hand, kDealCards);
      FUZZ_CHECK(out.openCard == -1 || IsValidCardCode(out.openCard));
      DealBlocks blocks;
      for (int chair = 0; chair < kChairs; ++chair) {
        const auto bytes = ToBytes(out.hands[chair]);
        std::copy(bytes.begin(), bytes.end(), blocks.hands[chair].begin());
      }
      blocks.openIndex = out.openIndex;
      blocks.openCard = out.openCard == -1 ? 0 : CodeToCardByte(out.openCard);
      blocks.firstBidder = out.firstBidder;
      blocks.panelNumber = out.panelNumber;
      const Message again = BuildDeal(blocks);
      Deal back;
      FUZZ_CHECK(ReadDeal(again.data(), again.size(), back));
      FUZZ_CHECK(back.hands == out.hands && back.openIndex == out.openIndex && back.openCard == out.openCard &&
                 back.firstBidder == out.firstBidder && back.panelNumber == out.panelNumber);
    } else {
      FUZZ_CHECK(out.firstBidder == kUntouched && out.hands[0].empty());
    }
  }
  {
    BidTurn out{kUntouched, kUntouched};
    if (ReadBidTurn(buf, len, out)) {
      FUZZ_CHECK(ValidChair(out.chair));
      const Message again = BuildBidTurn(out.chair, out.phase);
      BidTurn back;
      FUZZ_CHECK(ReadBidTurn(again.data(), again.size(), back) && back.chair == out.chair && back.phase == out.phase);
    } else {
      FUZZ_CHECK(out.chair == kUntouched && out.phase == kUntouched);
    }
  }
  {
    BidResult out{kUntouched, kUntouched, kUntouched};
    if (ReadBidResult(buf, len, out)) {
      FUZZ_CHECK(ValidChair(out.chair) && out.choice >= 0 && out.choice <= BidChoice::Max);
      const Message again = BuildBidResult(out.chair, out.choice, out.extra);
      BidResult back;
      FUZZ_CHECK(ReadBidResult(again.data(), again.size(), back) && back.chair == out.chair &&
                 back.choice == out.choice && back.extra == out.extra);
    } else {
      FUZZ_CHECK(out.chair == kUntouched && out.choice == kUntouched && out.extra == kUntouched);
    }
  }
  {
    Landlord out;
    out.chair = kUntouched;
    if (ReadLandlord(buf, len, out)) {
      FUZZ_CHECK(ValidChair(out.chair));
      CheckCards(out.bottomCards, kBottomCards);
      std::array<CardByte, kBottomCards> bottom{};
      const auto bytes = ToBytes(out.bottomCards);
      std::copy(bytes.begin(), bytes.end(), bottom.begin());
      const Message again = BuildLandlord(out.chair, out.score, bottom);
      Landlord back;
      FUZZ_CHECK(ReadLandlord(again.data(), again.size(), back) && back.chair == out.chair &&
                 back.score == out.score && back.bottomCards == out.bottomCards);
    } else {
      FUZZ_CHECK(out.chair == kUntouched && out.bottomCards.empty());
    }
  }
  {
    PlayTurn out{kUntouched};
    if (ReadPlayTurn(buf, len, out)) {
      FUZZ_CHECK(ValidChair(out.chair));
      const Message again = BuildPlayTurn(out.chair);
      PlayTurn back;
      FUZZ_CHECK(ReadPlayTurn(again.data(), again.size(), back) && back.chair == out.chair);
    } else {
      FUZZ_CHECK(out.chair == kUntouched);
    }
  }
  {
    Played out;
    out.chair = kUntouched;
    if (ReadPlayed(buf, len, out)) {
      FUZZ_CHECK(ValidChair(out.chair) && out.count >= 0 && out.count <= kMaxPlayCards);
      CheckCards(out.cards, static_cast<std::size_t>(out.count));
      const auto bytes = ToBytes(out.cards);
      const Message again = BuildPlayed(out.chair, bytes);
      Played back;
      FUZZ_CHECK(ReadPlayed(again.data(), again.size(), back) && back.chair == out.chair && back.cards == out.cards);
    } else {
      FUZZ_CHECK(out.chair == kUntouched && out.cards.empty());
    }
  }
  {
    HandResult out;
    out.multiplier = kUntouched;
    if (ReadHandResult(buf, len, out)) {
      HandResultBlocks blocks;
      for (int chair = 0; chair < kChairs; ++chair) {
        CheckCards(out.remaining[chair], kMaxPlayCards);
        const auto bytes = ToBytes(out.remaining[chair]);
        std::copy(bytes.begin(), bytes.end(), blocks.remaining[chair].begin());
      }
      blocks.scores = out.scores;
      blocks.multiplier = out.multiplier;
      blocks.landlordWon = out.landlordWon;
      blocks.spring = out.spring;
      const Message again = BuildHandResult(blocks);
      HandResult back;
      FUZZ_CHECK(ReadHandResult(again.data(), again.size(), back));
      FUZZ_CHECK(back.scores == out.scores && back.scoresAgain == out.scores && back.remaining == out.remaining &&
                 back.multiplier == out.multiplier && back.landlordWon == out.landlordWon &&
                 back.spring == out.spring);
    } else {
      FUZZ_CHECK(out.multiplier == kUntouched && out.remaining[0].empty());
    }
  }
}

// Builders from arbitrary values: what they write reads back (cards that name no
// card are skipped, as a reader skips them).
void Builders(Input& in) {
  std::vector<CardCode> cards;
  const int n = in.Byte() % 24;
  for (int i = 0; i < n; ++i) cards.push_back(static_cast<CardCode>(in.Byte() % 60));
  std::vector<CardCode> valid;
  for (CardCode c : cards)
    if (IsValidCardCode(c)) valid.push_back(c);
  const int type = static_cast<std::int8_t>(in.Byte());
  const int key = in.Byte();
  const Message play = BuildPlayRequest(valid, type, key);
  if (valid.size() > static_cast<std::size_t>(kMaxPlayCards)) {
    FUZZ_CHECK(play.empty());
  } else {
    PlayRequest back;
    FUZZ_CHECK(ReadPlayRequest(play.data(), play.size(), back));
    FUZZ_CHECK(back.cards == valid && back.count == static_cast<int>(valid.size()) && back.type == type &&
               back.key == key);
  }
  const auto bytes = ToBytes(valid);
  const int chair = in.Byte() % kChairs;
  const Message played = BuildPlayed(chair, bytes);
  if (bytes.size() > static_cast<std::size_t>(kMaxPlayCards)) {
    FUZZ_CHECK(played.empty());
  } else {
    Played back;
    FUZZ_CHECK(ReadPlayed(played.data(), played.size(), back));
    FUZZ_CHECK(back.chair == chair && back.cards == valid);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = (fuzz::QuietLog(), true);
  (void)quiet;
  const ddz::fuzz::RunScope scope;
  if (size == 0) return 0;
  // The first byte picks: the readers on the rest as it stands, the readers on
  // the rest under a frame of each message type, or the builders.
  Input in(data + 1, size - 1);
  switch (data[0] % 3) {
    case 0: Readers(data + 1, size - 1); break;
    case 1: {
      std::vector<std::uint8_t> m(data + 1, data + size);
      if (m.size() < 2) m.resize(2);
      for (std::uint8_t type : {MsgType::Bid, MsgType::Play, MsgType::Deal, MsgType::BidTurn, MsgType::BidResult,
                                MsgType::Landlord, MsgType::PlayTurn, MsgType::Played, MsgType::HandResult}) {
        m[1] = type;
        Readers(m.data(), m.size());
      }
      break;
    }
    default: Builders(in); break;
  }
  return 0;
}
