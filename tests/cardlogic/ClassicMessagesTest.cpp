#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>

#include "HandNotation.h"
#include "cardlogic/ClassicMessages.h"

using namespace ddz;
using namespace ddz::classic;
using handnotation::Cards;

namespace {

// A zeroed message of `size` bytes with the given bytes set: {offset, {bytes...}}.
Message Bytes(std::size_t size, std::initializer_list<std::pair<std::size_t, std::vector<int>>> runs) {
  Message m(size, 0);
  for (const auto& [at, bytes] : runs)
    for (std::size_t i = 0; i < bytes.size(); ++i) m.at(at + i) = static_cast<std::uint8_t>(bytes[i]);
  return m;
}

std::vector<int> Repeat(int byte, int n) { return std::vector<int>(n, byte); }

}  // namespace

TEST(ClassicMessages, BidAndShowHandRequests) {
  EXPECT_EQ(BuildBidRequest(3), (Message{0, 22, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(BuildBidRequest(BidChoice::DontDouble), (Message{0, 22, 0, 0, 0, 0, 0, 0, 8, 0, 0, 0}));
  EXPECT_EQ(BuildShowHandRequest(), (Message{0, 23, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  const Message rob{0, 22, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0};
  BidRequest bid;
  ASSERT_TRUE(ReadBidRequest(rob.data(), rob.size(), bid));
  EXPECT_EQ(bid.choice, BidChoice::Rob);
  EXPECT_EQ(MessageType(rob.data(), rob.size()), 22);

  const Message unknown{0, 22, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0};
  EXPECT_FALSE(ReadBidRequest(unknown.data(), unknown.size(), bid));
}

TEST(ClassicMessages, PlayRequest) {
  // The pair of 2s of suits 1 and 3 (codes 16 and 46), in row order.
  const Message pair = BuildPlayRequest({16, 46}, CardType::Pair, 20);
  EXPECT_EQ(pair, Bytes(60, {{1, {24}}, {8, {0x22, 0x62}}, {28, {2, 32, 20}}}));
  PlayRequest req;
  ASSERT_TRUE(ReadPlayRequest(pair.data(), pair.size(), req));
  EXPECT_EQ(req.cards, (std::vector<CardCode>{16, 46}));
  EXPECT_EQ(req.count, 2);
  EXPECT_EQ(req.type, 32);
  EXPECT_EQ(req.key, 20);

  // A pass: no cards, count 0, type -1 sent as 255, key 0.
  const Message pass = BuildPlayRequest({}, CardType::Invalid, 0);
  EXPECT_EQ(pass, Bytes(60, {{1, {24}}, {29, {255}}}));
  ASSERT_TRUE(ReadPlayRequest(pass.data(), pass.size(), req));
  EXPECT_TRUE(req.cards.empty());
  EXPECT_EQ(req.count, 0);
  EXPECT_EQ(req.type, -1);

  // Jokers and the wildcard go without suit bits.
  EXPECT_EQ(BuildPlayRequest({13, 14}, CardType::Rocket, 26), Bytes(60, {{1, {24}}, {8, {16, 17}}, {28, {2, 113, 26}}}));
  EXPECT_EQ(BuildPlayRequest({28}, CardType::Single, 30), Bytes(60, {{1, {24}}, {8, {18}}, {28, {1, 1, 30}}}));
}

TEST(ClassicMessages, TwentyCardPlayFillsTheWholeBlock) {
  // Five triples 3..7 with five single wings 9..K: a 20-card plane (type 102).
  const auto cards = Cards("333 444 555 666 777 9 T J Q K");
  ASSERT_EQ(cards.size(), 20u);
  const Message req = BuildPlayRequest(cards, 102, 7);
  ASSERT_EQ(req.size(), 60u);
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(req[8 + i], CodeToCardByte(cards[i])) << i;
  EXPECT_EQ(req[28], 20);
  PlayRequest read;
  ASSERT_TRUE(ReadPlayRequest(req.data(), req.size(), read));
  EXPECT_EQ(read.cards, cards);

  std::vector<CardByte> bytes;
  for (CardCode c : cards) bytes.push_back(CodeToCardByte(c));
  const Message played = BuildPlayed(2, bytes);
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(played[9 + i], bytes[i]) << i;
  EXPECT_EQ(played[29], 20);
  Played p;
  ASSERT_TRUE(ReadPlayed(played.data(), played.size(), p));
  EXPECT_EQ(p.cards, cards);

  // 21 cards do not fit.
  auto tooMany = cards;
  tooMany.push_back(Cards("A")[0]);
  EXPECT_TRUE(BuildPlayRequest(tooMany, 102, 7).empty());
  bytes.push_back(1);
  EXPECT_TRUE(BuildPlayed(2, bytes).empty());
}

TEST(ClassicMessages, Deal) {
  DealBlocks d;
  d.hands[0][0] = 144;            // small joker, local server form
  d.hands[0][16] = 0x21;          // A of suit 1
  d.hands[1][0] = 177;            // big joker
  d.hands[1][1] = 0x6d;           // K of suit 3
  d.hands[2][5] = 3;              // 3 of suit 0
  d.openIndex = 51;
  d.openCard = 177;
  d.firstBidder = 2;
  d.panelNumber = 0x01020304;
  const Message m = BuildDeal(d);
  EXPECT_EQ(m, Bytes(116, {{1, {71}}, {8, {144}}, {24, {0x21}}, {25, {177, 0x6d}}, {47, {3}},
                           {68, {51, 177, 2}}, {92, {1, 2, 3, 4}}}));

  const Message in = Bytes(116, {{1, {71}}, {8, {144, 0, 19}}, {25, {0x23, 177}}, {42, {16, 17}},
                                 {68, {7, 0x45, 1}}, {92, {0xff, 0xff, 0xff, 0xfe}}});
  Deal deal;
  ASSERT_TRUE(ReadDeal(in.data(), in.size(), deal));
  EXPECT_EQ(deal.hands[0], (std::vector<CardCode>{13}));      // 0 and 19 are no cards
  EXPECT_EQ(deal.hands[1], (std::vector<CardCode>{17, 14}));  // 3 of suit 1, big joker
  EXPECT_EQ(deal.hands[2], (std::vector<CardCode>{13, 14}));
  EXPECT_EQ(deal.openIndex, 7);
  EXPECT_EQ(deal.openCard, 2 * 15 + 4);  // 5 of suit 2
  EXPECT_EQ(deal.firstBidder, 1);
  EXPECT_EQ(deal.panelNumber, -2);

  Message badChair = in;
  badChair[70] = 3;
  EXPECT_FALSE(ReadDeal(badChair.data(), badChair.size(), deal));
  Message badIndex = in;
  badIndex[68] = 52;
  EXPECT_FALSE(ReadDeal(badIndex.data(), badIndex.size(), deal));
}

TEST(ClassicMessages, BidTurnBidResultLandlordPlayTurn) {
  EXPECT_EQ(BuildBidTurn(2, 1), (Message{0, 72, 0, 0, 0, 0, 0, 0, 2, 1, 0, 0}));
  EXPECT_EQ(BuildBidResult(1, 3, 0), (Message{0, 54, 0, 0, 0, 0, 0, 0, 1, 3, 0, 0}));
  EXPECT_EQ(BuildLandlord(2, 3, {144, 177, 0x2d}),
            (Message{0, 55, 0, 0, 0, 0, 0, 0, 2, 3, 144, 177, 0x2d, 0, 0, 0}));
  EXPECT_EQ(BuildPlayTurn(0), (Message{0, 73, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  const Message turn{0, 72, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0};
  BidTurn bt;
  ASSERT_TRUE(ReadBidTurn(turn.data(), turn.size(), bt));
  EXPECT_EQ(bt.chair, 1);
  EXPECT_EQ(bt.phase, 2);

  const Message result{0, 54, 0, 0, 0, 0, 0, 0, 2, 7, 4, 0};
  BidResult br;
  ASSERT_TRUE(ReadBidResult(result.data(), result.size(), br));
  EXPECT_EQ(br.chair, 2);
  EXPECT_EQ(br.choice, BidChoice::Double);
  EXPECT_EQ(br.extra, 4);

  const Message landlord{0, 55, 0, 0, 0, 0, 0, 0, 0, 2, 144, 0x2d, 177, 0, 0, 0};
  Landlord ll;
  ASSERT_TRUE(ReadLandlord(landlord.data(), landlord.size(), ll));
  EXPECT_EQ(ll.chair, 0);
  EXPECT_EQ(ll.score, 2);
  EXPECT_EQ(ll.bottomCards, (std::vector<CardCode>{13, 15 + 12, 14}));  // small joker, K of suit 1, big joker

  const Message play{0, 73, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0};
  PlayTurn pt;
  ASSERT_TRUE(ReadPlayTurn(play.data(), play.size(), pt));
  EXPECT_EQ(pt.chair, 2);

  // A chair outside 0..2 is refused.
  const Message badTurn{0, 73, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0};
  EXPECT_FALSE(ReadPlayTurn(badTurn.data(), badTurn.size(), pt));
  const Message badBid{0, 72, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0};
  EXPECT_FALSE(ReadBidTurn(badBid.data(), badBid.size(), bt));
}

TEST(ClassicMessages, Played) {
  const std::vector<CardByte> bytes{0x23, 0x43, 16};  // 3 of suits 1 and 2, small joker
  EXPECT_EQ(BuildPlayed(1, bytes), Bytes(36, {{1, {56}}, {8, {1, 0x23, 0x43, 16}}, {29, {3}}}));
  EXPECT_EQ(BuildPlayed(0, {}), Bytes(36, {{1, {56}}}));  // a pass

  // Read with the local server's jokers and bytes that are no card.
  const Message in = Bytes(36, {{1, {56}}, {8, {2, 144, 177, 19, 0xe3, 0x2c}}, {29, {5}}});
  Played p;
  ASSERT_TRUE(ReadPlayed(in.data(), in.size(), p));
  EXPECT_EQ(p.chair, 2);
  EXPECT_EQ(p.count, 5);
  EXPECT_EQ(p.cards, (std::vector<CardCode>{13, 14, 15 + 11}));  // 19 and suit 7 skipped

  const Message overCount = Bytes(36, {{1, {56}}, {29, {21}}});
  EXPECT_FALSE(ReadPlayed(overCount.data(), overCount.size(), p));
}

TEST(ClassicMessages, HandResult) {
  HandResultBlocks r;
  r.scores = {-6, 3, 3};
  r.remaining[0] = {3, 0, 144};  // a played card leaves a 0 in its slot
  r.remaining[2][19] = 177;
  r.multiplier = 12;
  r.landlordWon = false;
  r.spring = true;
  const Message m = BuildHandResult(r);
  const std::vector<int> scores{0xff, 0xff, 0xff, 0xfa, 0, 0, 0, 3, 0, 0, 0, 3};
  EXPECT_EQ(m, Bytes(288, {{1, {237}}, {12, scores}, {52, scores}, {212, {3, 0, 144}}, {271, {177}},
                           {272, {12, 0, 0, 0}}, {280, {0, 1}}}));

  const Message in = Bytes(288, {{1, {237}}, {12, {0, 0, 0, 4, 0xff, 0xff, 0xff, 0xfe, 0xff, 0xff, 0xff, 0xfe}},
                                 {52, {0, 0, 0, 4, 0xff, 0xff, 0xff, 0xfe, 0xff, 0xff, 0xff, 0xfe}},
                                 {212, {0, 0x2a, 0}}, {232, Repeat(0, 20)}, {252, {144, 177}},
                                 {272, {0x00, 0x01, 0, 0}}, {280, {1, 0}}});
  HandResult hr;
  ASSERT_TRUE(ReadHandResult(in.data(), in.size(), hr));
  EXPECT_EQ(hr.scores, (std::array<int, 3>{4, -2, -2}));
  EXPECT_EQ(hr.scoresAgain, (std::array<int, 3>{4, -2, -2}));
  EXPECT_EQ(hr.remaining[0], (std::vector<CardCode>{15 + 9}));  // 10 of suit 1
  EXPECT_TRUE(hr.remaining[1].empty());
  EXPECT_EQ(hr.remaining[2], (std::vector<CardCode>{13, 14}));
  EXPECT_EQ(hr.multiplier, 256);  // little-endian
  EXPECT_TRUE(hr.landlordWon);
  EXPECT_FALSE(hr.spring);
}

TEST(ClassicMessages, ShortBuffersAreRefusedAndLeaveTheOutputAlone) {
  struct Row { const char* name; std::size_t size; std::function<bool(const std::uint8_t*, std::size_t)> read; };
  const std::vector<Row> rows = {
      {"22", 12, [](const std::uint8_t* b, std::size_t n) { BidRequest o{7}; bool ok = ReadBidRequest(b, n, o); return ok || o.choice != 7; }},
      {"24", 60, [](const std::uint8_t* b, std::size_t n) { PlayRequest o; o.count = 7; bool ok = ReadPlayRequest(b, n, o); return ok || o.count != 7; }},
      {"71", 116, [](const std::uint8_t* b, std::size_t n) { Deal o; o.openIndex = 7; bool ok = ReadDeal(b, n, o); return ok || o.openIndex != 7; }},
      {"72", 12, [](const std::uint8_t* b, std::size_t n) { BidTurn o{2, 7}; bool ok = ReadBidTurn(b, n, o); return ok || o.phase != 7; }},
      {"54", 12, [](const std::uint8_t* b, std::size_t n) { BidResult o{2, 2, 7}; bool ok = ReadBidResult(b, n, o); return ok || o.extra != 7; }},
      {"55", 16, [](const std::uint8_t* b, std::size_t n) { Landlord o; o.score = 7; bool ok = ReadLandlord(b, n, o); return ok || o.score != 7; }},
      {"73", 12, [](const std::uint8_t* b, std::size_t n) { PlayTurn o{2}; bool ok = ReadPlayTurn(b, n, o); return ok || o.chair != 2; }},
      {"56", 36, [](const std::uint8_t* b, std::size_t n) { Played o; o.count = 7; bool ok = ReadPlayed(b, n, o); return ok || o.count != 7; }},
      {"237", 288, [](const std::uint8_t* b, std::size_t n) { HandResult o; o.multiplier = 7; bool ok = ReadHandResult(b, n, o); return ok || o.multiplier != 7; }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    // An all-zero body reads as valid at full length (chair 0, no cards) and is
    // refused one byte short; the short copy lives on the heap at its exact size,
    // so a read past the length would show under the address sanitizer.
    const Message full(r.size, 0);
    EXPECT_TRUE(r.read(full.data(), full.size()));
    const Message shortBy1(r.size - 1, 0);
    EXPECT_FALSE(r.read(shortBy1.data(), shortBy1.size()));
    EXPECT_FALSE(r.read(nullptr, 0));
    const Message longer(r.size + 4, 0);
    EXPECT_TRUE(r.read(longer.data(), longer.size()));
  }
  EXPECT_EQ(MessageType(nullptr, 0), -1);
  const Message frameOnly(7, 0);
  EXPECT_EQ(MessageType(frameOnly.data(), frameOnly.size()), -1);
}

TEST(ClassicMessages, ReadersTakeArbitraryBytesOfAnyLength) {
  // Seeded random buffers of every length up to past the longest layout, each
  // on the heap at its exact size (a read past the length shows under the
  // address sanitizer). The bytes where chairs and counts sit are kept small
  // half of the time so that many buffers read as valid. What reads as valid
  // must keep to the layout's bounds.
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
  };
  const auto validCards = [](const std::vector<CardCode>& cards, std::size_t most) {
    if (cards.size() > most) return false;
    for (CardCode c : cards)
      if (!IsValidCardCode(c)) return false;
    return true;
  };
  for (int round = 0; round < 4000; ++round) {
    SCOPED_TRACE(round);
    Message m(static_cast<std::size_t>(next() % 300));
    for (auto& b : m) b = static_cast<std::uint8_t>(next() & 0xff);
    if (next() % 2 == 0) {
      for (std::size_t at : {8u, 28u, 29u, 68u, 70u})
        if (at < m.size()) m[at] = static_cast<std::uint8_t>(next() % 24);
    }
    const std::uint8_t* b = m.data();
    const std::size_t n = m.size();
    BidRequest bid;
    if (ReadBidRequest(b, n, bid)) {
      EXPECT_LE(bid.choice, BidChoice::Max);
    }
    PlayRequest play;
    if (ReadPlayRequest(b, n, play)) {
      EXPECT_LE(play.count, kMaxPlayCards);
      EXPECT_TRUE(validCards(play.cards, static_cast<std::size_t>(play.count)));
    }
    Deal deal;
    if (ReadDeal(b, n, deal)) {
      EXPECT_TRUE(deal.firstBidder >= 0 && deal.firstBidder < kChairs);
      EXPECT_TRUE(deal.openIndex >= 0 && deal.openIndex <= 51);
      for (const auto& h : deal.hands) EXPECT_TRUE(validCards(h, kDealCards));
    }
    BidTurn turn;
    if (ReadBidTurn(b, n, turn)) {
      EXPECT_TRUE(turn.chair >= 0 && turn.chair < kChairs);
    }
    BidResult result;
    if (ReadBidResult(b, n, result)) {
      EXPECT_TRUE(result.chair >= 0 && result.chair < kChairs);
    }
    Landlord landlord;
    if (ReadLandlord(b, n, landlord)) {
      EXPECT_TRUE(landlord.chair >= 0 && landlord.chair < kChairs);
      EXPECT_TRUE(validCards(landlord.bottomCards, kBottomCards));
    }
    PlayTurn playTurn;
    if (ReadPlayTurn(b, n, playTurn)) {
      EXPECT_TRUE(playTurn.chair >= 0 && playTurn.chair < kChairs);
    }
    Played played;
    if (ReadPlayed(b, n, played)) {
      EXPECT_TRUE(played.chair >= 0 && played.chair < kChairs);
      EXPECT_LE(played.count, kMaxPlayCards);
      EXPECT_TRUE(validCards(played.cards, static_cast<std::size_t>(played.count)));
    }
    HandResult hr;
    if (ReadHandResult(b, n, hr)) {
      for (const auto& r : hr.remaining) EXPECT_TRUE(validCards(r, kMaxPlayCards));
    }
    if (HasFailure()) return;
  }
}
