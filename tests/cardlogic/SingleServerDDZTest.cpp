#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "HandText.h"
#include "ServerDriver.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/SingleServerDDZ.h"
#include "platform/os/Random.h"

using namespace ddz;
using namespace ddz::testing;
namespace msg = ddz::classic;

namespace {

// ---- scripted deals ----

// The deal a hand should get: 17 cards for each chair and the three bottom
// cards, in hand text.
struct DealText {
  std::string_view chair0, chair1, chair2, bottom;
};

// Draws that make the next shuffle of `deck` leave it dealt as `deal`: the
// shuffle swaps position i with the draw, so drawing, at each i, the current
// position of the card wanted there (never below i) builds any order. After
// them every draw answers `rest`, which also picks the open card (rest % 52).
void ScriptDeal(os::ScriptedRandom& draws, const CPoker& deck, const DealText& deal, int rest) {
  std::array<std::vector<CCard*>, 4> cards;
  {
    // Cards by value, each deck card once, across the four parts.
    std::array<bool, CPoker::kCardCount> used{};
    const std::array<std::string_view, 4> texts{deal.chair0, deal.chair1, deal.chair2, deal.bottom};
    for (int part = 0; part < 4; ++part) {
      for (int v : ParseValues(texts[part])) {
        int pos = 0;
        while (pos < CPoker::kCardCount && (used[pos] || deck.GetCard(pos)->ValueIndex() != v)) ++pos;
        ASSERT_LT(pos, CPoker::kCardCount) << "no card left of value " << v;
        used[pos] = true;
        cards[part].push_back(deck.GetCard(pos));
      }
    }
    ASSERT_EQ(cards[0].size(), 17u);
    ASSERT_EQ(cards[1].size(), 17u);
    ASSERT_EQ(cards[2].size(), 17u);
    ASSERT_EQ(cards[3].size(), 3u);
  }
  std::array<CCard*, CPoker::kCardCount> target{};
  for (int pos = 0; pos < 51; ++pos) target[pos] = cards[pos % 3][pos / 3];
  for (int k = 0; k < 3; ++k) target[51 + k] = cards[3][k];

  std::array<CCard*, CPoker::kCardCount> now{};
  for (int pos = 0; pos < CPoker::kCardCount; ++pos) now[pos] = deck.GetCard(pos);
  for (int i = 0; i < CPoker::kCardCount; ++i) {
    const int r = static_cast<int>(std::find(now.begin() + i, now.end(), target[i]) - now.begin());
    std::swap(now[i], now[r]);
    draws.Push(r);
  }
  for (int k = 0; k < 2000; ++k) draws.Push(rest);
}

// The player (landlord by a bid) holds everything from the queen up; the two
// computer players hold pairs of 3..10 and one jack each, so nothing they hold
// beats the player's plays and neither has a 2, a joker or a bomb (they wish to
// bid 0 and draw nothing). The player bids first (open card 1).
constexpr DealText kStrongPlayer{"33 44 55 66 77 88 99 TT j", "xX 2222 AAAA KKK QQQ j", "33 44 55 66 77 88 99 TT j",
                                 "K Q j"};
// A strong computer player at chair 0, which bids first (open card 0).
constexpr DealText kStrongChair0{"xX 2222 AAAA KKK QQQ j", "33 44 55 66 77 88 99 TT j", "33 44 55 66 77 88 99 TT j",
                                 "K Q j"};
// The player a farmer with every card from the king up and three queens;
// chair 0 opens the bidding with a weak hand and becomes the landlord at 1.
constexpr DealText kStrongFarmer{"Q 333 44 55 66 77 88 99 T", "xX 2222 AAAA KKKK QQQ", "3 44 55 66 77 88 99 TT jj",
                                 "T j j"};

// The cards of `text` out of the player's hand, lowest suit first.
std::vector<CardCode> FromHand(const std::vector<CardCode>& hand, std::string_view text) {
  std::vector<CardCode> pool = hand;
  std::sort(pool.begin(), pool.end());
  std::vector<CardCode> out;
  for (int v : ParseValues(text)) {
    const auto it = std::find_if(pool.begin(), pool.end(), [v](CardCode c) { return CodeToValue(c) == v; });
    EXPECT_NE(it, pool.end()) << "the player holds no card of value " << v;
    if (it == pool.end()) break;
    out.push_back(*it);
    pool.erase(it);
  }
  return out;
}

// A player who plays a fixed list of plays in order when leading, and one
// fixed answer when following.
HandDriver::PlayPolicy Script(std::vector<std::string_view> leads, std::string_view answer = "") {
  auto index = std::make_shared<std::size_t>(0);
  return [leads, answer, index](HandDriver& d) {
    if (!d.Leading()) return FromHand(d.hand, answer);
    return *index < leads.size() ? FromHand(d.hand, leads[(*index)++]) : std::vector<CardCode>{};
  };
}

struct Sent {
  int type;
  std::size_t size;
  int chair;  // byte 8
  bool operator==(const Sent&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Sent& s) {
  return os << "{" << s.type << ", " << s.size << ", chair " << s.chair << "}";
}

std::vector<Sent> Summary(const std::vector<msg::Message>& messages, std::size_t from = 0) {
  std::vector<Sent> out;
  for (std::size_t i = from; i < messages.size(); ++i)
    out.push_back({TypeOf(messages[i]), messages[i].size(), messages[i].size() > 8 ? messages[i][8] : -1});
  return out;
}

// Everything a refused request must leave as it was.
struct State {
  SingleServerDDZ::Phase phase;
  int waiting, highest, landlord, multiplier, lastChair;
  std::array<int, 3> bids, playCounts, cardCounts;
  CardTypeInfo lastType;
  std::vector<bool> playerCardsPlayed;
  bool operator==(const State&) const = default;
};

State Snap(SingleServerDDZ& s) {
  State st{s.GetPhase(), s.GetWaitingChair(), s.GetHighestBid(), s.GetLandlord(), s.GetMultiplier(),
           s.GetLastChair(), {}, {}, {}, s.GetLastPlayType(), {}};
  for (int c = 0; c < 3; ++c) {
    st.bids[c] = s.GetBid(c);
    st.playCounts[c] = s.GetPlayCount(c);
    st.cardCounts[c] = s.GetAI().Player(c)->GetCardCount();
  }
  for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot) {
    const CCard* card = s.GetAI().Player(1)->GetCard(slot);
    st.playerCardsPlayed.push_back(card != nullptr && card->IsPlayed());
  }
  return st;
}

class ServerTest : public ::testing::Test {
 protected:
  // Scripts the next deal and starts the hand up to the player's first turn.
  void Start(const DealText& deal, int rest) {
    draws = os::ScriptedRandom{};
    ScriptDeal(draws, driver.server.GetAI().Deck(), deal, rest);
    driver.sink.messages.clear();
    driver.server.StartGame();
  }
  void Send(const msg::Message& request) { driver.server.RecvGameViewMsg(request.data(), static_cast<int>(request.size())); }
  const std::vector<msg::Message>& Out() const { return driver.sink.messages; }
  // The player's hand as the view knows it after the deal and the landlord message.
  std::vector<CardCode> PlayerHand() const {
    std::vector<CardCode> hand;
    msg::Deal deal;
    msg::Landlord landlord;
    for (const auto& m : Out()) {
      if (TypeOf(m) == msg::MsgType::Deal && msg::ReadDeal(m.data(), m.size(), deal)) hand = deal.hands[1];
      if (TypeOf(m) == msg::MsgType::Landlord && msg::ReadLandlord(m.data(), m.size(), landlord) && landlord.chair == 1)
        hand.insert(hand.end(), landlord.bottomCards.begin(), landlord.bottomCards.end());
    }
    return hand;
  }
  msg::Message PlayOf(const std::vector<CardCode>& cards) {
    CardTypeInfo t;
    ClueCard::GetCardType(t, cards);
    return msg::BuildPlayRequest(cards, t.type, t.value);
  }

  os::ScriptedRandom draws;
  os::ScopedRandomSource guard{draws};
  HandDriver driver;
};

}  // namespace

// ---- scoring ----

TEST(SettleHand, ScoreTable) {
  const struct {
    const char* name;
    int landlord, winner, bid, multiplier;
    std::array<int, 3> playCounts;
    std::array<int, 3> scores;
    int finalMultiplier;
    bool landlordWon, spring;
  } cases[] = {
      {"landlord wins", 0, 0, 1, 1, {5, 2, 3}, {2, -1, -1}, 1, true, false},
      {"farmer wins", 0, 2, 3, 1, {4, 1, 5}, {-6, 3, 3}, 1, false, false},
      {"two bombs, bid 2", 1, 1, 2, 4, {6, 3, 1}, {-8, 16, -8}, 4, true, false},
      {"two bombs, bid 2, spring", 1, 1, 2, 4, {0, 7, 0}, {-16, 32, -16}, 8, true, true},
      {"spring, landlord 2", 2, 2, 3, 1, {0, 0, 6}, {-6, -6, 12}, 2, true, true},
      {"one farmer played: no spring", 2, 2, 1, 1, {1, 0, 6}, {-1, -1, 2}, 1, true, false},
      {"anti-spring", 0, 1, 1, 2, {1, 5, 0}, {-8, 4, 4}, 4, false, true},
      {"two landlord plays: no anti-spring", 0, 1, 1, 2, {2, 5, 0}, {-4, 2, 2}, 2, false, false},
      {"farmer out, landlord never played", 2, 0, 2, 1, {3, 4, 0}, {2, 2, -4}, 1, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HandSettlement s = SettleHand(c.landlord, c.winner, c.bid, c.multiplier, c.playCounts);
    EXPECT_EQ(s.scores, c.scores);
    EXPECT_EQ(s.multiplier, c.finalMultiplier);
    EXPECT_EQ(s.landlordWon, c.landlordWon);
    EXPECT_EQ(s.spring, c.spring);
  }
}

// ---- deal and bidding ----

TEST(SingleServerDDZ, DealMessageShowsOnlyThePlayersCardsAndTheOpenCard) {
  for (std::uint32_t seed : {1u, 7u, 12345u}) {
    SCOPED_TRACE(seed);
    os::LcgRandom rng(seed);
    os::ScopedRandomSource guard(rng);
    RecordingSink sink;
    SingleServerDDZ server(&sink, DeckSeeding::None);
    server.StartGame();
    ASSERT_GE(sink.messages.size(), 2u);
    const msg::Message& deal = sink.messages[0];
    ASSERT_EQ(TypeOf(deal), msg::MsgType::Deal);
    ASSERT_EQ(deal.size(), msg::MsgSize::Deal);
    const CPoker& deck = server.GetAI().Deck();
    for (int i = 0; i < 17; ++i) {
      EXPECT_EQ(deal[8 + i], 0) << i;
      EXPECT_EQ(deal[25 + i], deck.GetCard(1 + 3 * i)->ToByte()) << i;
      EXPECT_EQ(deal[42 + i], 0) << i;
    }
    const int open = deal[68];
    EXPECT_LT(open, 52);
    EXPECT_EQ(deal[69], deck.GetCard(open)->ToByte());
    EXPECT_EQ(deal[70], open % 3);
    for (std::size_t i = 59; i < 116; ++i) {
      if (i < 68 || i > 70) {
        EXPECT_EQ(deal[i], 0) << i;
      }
    }
    EXPECT_EQ(Summary(sink.messages, 1)[0], (Sent{msg::MsgType::BidTurn, 12, open % 3}));
  }
}

TEST(SingleServerDDZ, BiddingOverManySeeds) {
  // The player bids 0, or a bid above the highest at random: every hand gets
  // a landlord, a computer player opens at 1 when nobody has bid above 0, and
  // the bidding ends at 3 or when every chair has bid.
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    os::LcgRandom rng(seed);
    os::ScopedRandomSource guard(rng);
    HandDriver d;
    d.bidPolicy = [seed](int highest) {
      const int above = 3 - highest;
      return above > 0 && seed % 3 == 0 ? highest + 1 + static_cast<int>(seed / 3) % above : 0;
    };
    ASSERT_TRUE(d.PlayHand());
    const auto& out = d.sink.messages;
    msg::Deal deal;
    ASSERT_TRUE(msg::ReadDeal(out[0].data(), out[0].size(), deal));
    std::array<int, 3> bids{-1, -1, -1};
    int highest = 0, landlord = -1, chair = deal.firstBidder, made = 0;
    std::size_t i = 1;
    for (;; ++made) {
      ASSERT_LT(made, 3);
      ASSERT_EQ(Summary(out, i)[0], (Sent{msg::MsgType::BidTurn, 12, chair}));
      msg::BidResult bid;
      ASSERT_TRUE(msg::ReadBidResult(out[i + 1].data(), out[i + 1].size(), bid));
      ASSERT_EQ(bid.chair, chair);
      EXPECT_TRUE(bid.choice == 0 || (bid.choice > highest && bid.choice <= 3)) << bid.choice;
      if (chair != 1 && highest == 0) {
        EXPECT_GE(bid.choice, 1);
      }
      bids[chair] = bid.choice;
      if (bid.choice > highest) highest = bid.choice, landlord = chair;
      i += 2;
      chair = (chair + 1) % 3;
      if (highest == 3 || bids[chair] != -1) break;
    }
    msg::Landlord ll;
    ASSERT_EQ(TypeOf(out[i]), msg::MsgType::Landlord);
    ASSERT_TRUE(msg::ReadLandlord(out[i].data(), out[i].size(), ll));
    EXPECT_EQ(ll.chair, landlord);
    EXPECT_EQ(ll.score, highest);
    EXPECT_EQ(d.server.GetLandlord(), landlord);
    EXPECT_EQ(d.server.GetHighestBid(), highest);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(d.server.GetBid(c), bids[c]);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(out[i][10 + k], d.server.GetAI().Deck().GetCard(51 + k)->ToByte());
    EXPECT_EQ(Summary(out, i + 1)[0], (Sent{msg::MsgType::PlayTurn, 12, landlord}));
  }
}

TEST_F(ServerTest, BidOfThreeEndsTheBiddingAtOnce) {
  // The player first: its 3 ends the bidding before the computer players bid.
  Start(kStrongPlayer, 1);
  EXPECT_EQ(Summary(Out()), (std::vector<Sent>{{71, 116, 0}, {72, 12, 1}}));
  Send(msg::BuildBidRequest(3));
  EXPECT_EQ(Summary(Out(), 2), (std::vector<Sent>{{54, 12, 1}, {55, 16, 1}, {73, 12, 1}}));
  EXPECT_EQ(Out()[2][9], 3);
  EXPECT_EQ(Out()[3][9], 3);
  EXPECT_EQ(driver.server.GetBid(0), -1);
  EXPECT_EQ(driver.server.GetBid(2), -1);
  EXPECT_EQ(driver.server.GetAI().Player(1)->GetCardCount(), 20);
  EXPECT_EQ(driver.server.GetPhase(), SingleServerDDZ::Phase::Playing);

  // A computer player first with a hand worth 3: the player is never asked.
  Start(kStrongChair0, 0);
  const auto s = Summary(Out());
  ASSERT_GE(s.size(), 5u);
  EXPECT_EQ(std::vector<Sent>(s.begin(), s.begin() + 5),
            (std::vector<Sent>{{71, 116, 0}, {72, 12, 0}, {54, 12, 0}, {55, 16, 0}, {73, 12, 0}}));
  EXPECT_EQ(Out()[2][9], 3);
  EXPECT_EQ(driver.server.GetBid(1), -1);
}

TEST_F(ServerTest, BidRequestsThatDoNotFitAreIgnored) {
  // Chair 0 opens at 1; the player may pass or bid 2 or 3.
  Start(kStrongFarmer, 0);
  ASSERT_EQ(Summary(Out()), (std::vector<Sent>{{71, 116, 0}, {72, 12, 0}, {54, 12, 0}, {72, 12, 1}}));
  ASSERT_EQ(Out()[2][9], 1);
  const State before = Snap(driver.server);
  msg::Message shortBid = msg::BuildBidRequest(2);
  shortBid.resize(11);
  msg::Message unknown = msg::BuildBidRequest(0);
  unknown[1] = 23;  // show-hand request
  const msg::Message refused[] = {
      msg::BuildBidRequest(1),  // not above the highest bid
      msg::BuildBidRequest(4),  // call-and-rob actions are no bids here
      msg::BuildBidRequest(8),
      msg::BuildBidRequest(9),
      shortBid,
      unknown,
      PlayOf({}),  // a play request during the bidding
  };
  for (const auto& r : refused) {
    Send(r);
    EXPECT_EQ(Out().size(), 4u) << "request " << TypeOf(r) << " byte 8 " << int(r[8]);
    EXPECT_EQ(Snap(driver.server), before);
  }
  driver.server.RecvGameViewMsg(nullptr, 12);
  EXPECT_EQ(Out().size(), 4u);

  Send(msg::BuildBidRequest(2));
  EXPECT_EQ(Summary(Out(), 4)[0], (Sent{54, 12, 1}));
  EXPECT_EQ(Out()[4][9], 2);
  EXPECT_EQ(driver.server.GetBid(1), 2);
  // Chair 2 has nothing to beat 2 with; chair 0 has bid: the player is the landlord.
  EXPECT_EQ(driver.server.GetLandlord(), 1);
  EXPECT_EQ(driver.server.GetHighestBid(), 2);
}

TEST_F(ServerTest, RequestsOutsideAHandAreIgnored) {
  // Before the first hand and after the result, nothing is awaited.
  const State idle = Snap(driver.server);
  Send(msg::BuildBidRequest(1));
  Send(PlayOf(FromHand({0}, "A")));
  EXPECT_TRUE(Out().empty());
  EXPECT_EQ(Snap(driver.server), idle);
  EXPECT_EQ(driver.server.GetPhase(), SingleServerDDZ::Phase::Idle);
}

// The view acknowledges every deal with request 25: taken without a word;
// another unknown request is reported.
TEST_F(ServerTest, TheDealAcknowledgementIsTakenQuietly) {
  msg::Message ack(12, 0);
  ack[1] = msg::MsgType::DealReceived;
  msg::Message unknown = ack;
  unknown[1] = 99;
  ::testing::internal::CaptureStdout();
  Send(ack);
  const std::string quiet = ::testing::internal::GetCapturedStdout();
  ::testing::internal::CaptureStdout();
  Send(unknown);
  const std::string reported = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(quiet, "");
  EXPECT_NE(reported.find("request 99 ignored"), std::string::npos);
  EXPECT_TRUE(Out().empty());
}

// A quick-chat phrase comes back to the table from the player's chair, in
// a hand or outside one; a phrase past the five or a short request does not.
TEST_F(ServerTest, TheQuickChatPhraseIsShownFromThePlayersChair) {
  const auto chat = [](int phrase, int chair, std::size_t size) {
    msg::Message request(size, 0);
    request[1] = msg::MsgType::QuickChat;
    if (size > 9) request[8] = static_cast<std::uint8_t>(phrase), request[9] = static_cast<std::uint8_t>(chair);
    return request;
  };
  const State idle = Snap(driver.server);
  Send(chat(4, 0, 12));  // the request's chair is not believed
  ASSERT_EQ(Out().size(), 1u);
  EXPECT_EQ(Out()[0], msg::BuildQuickChatShown(4, 1));
  EXPECT_EQ(TypeOf(Out()[0]), 111);
  EXPECT_EQ(Out()[0][8], 4);
  EXPECT_EQ(Out()[0][9], 1);
  driver.sink.messages.clear();
  ::testing::internal::CaptureStdout();
  Send(chat(5, 1, 12));
  Send(chat(0, 1, 9));
  ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(Out().empty());
  EXPECT_EQ(Snap(driver.server), idle);
}

// ---- the player's plays ----

TEST_F(ServerTest, RefusedPlaysHandTheTurnBackAndChangeNothing) {
  Start(kStrongPlayer, 1);
  Send(msg::BuildBidRequest(3));
  ASSERT_EQ(driver.server.GetWaitingChair(), 1);
  const std::vector<CardCode> hand = PlayerHand();
  ASSERT_EQ(hand.size(), 20u);
  const State before = Snap(driver.server);

  msg::Message tooMany = PlayOf(FromHand(hand, "Q"));
  tooMany[28] = 21;
  msg::Message noCard = PlayOf(FromHand(hand, "Q"));
  noCard[9] = 0x1f;  // value 31: no card
  noCard[28] = 2;
  const CardCode ace = FromHand(hand, "A")[0];
  const CardCode three = 1 * 15 + 2;  // a 3: the computer players hold them all
  const struct {
    const char* name;
    msg::Message request;
  } refused[] = {
      {"a pass while leading", PlayOf({})},
      {"more than 20 cards", tooMany},
      {"a byte that is no card", noCard},
      {"a card of another chair", PlayOf({three})},
      {"the same card twice", msg::BuildPlayRequest({ace, ace}, CardType::Pair, kValueA)},
      {"no pattern", PlayOf(FromHand(hand, "Q K"))},
      {"no pattern, long", PlayOf(FromHand(hand, "QQQQ KKKK AAAA 2222 j"))},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.name);
    const std::size_t sent = Out().size();
    Send(r.request);
    ASSERT_EQ(Out().size(), sent + 1);
    EXPECT_EQ(Summary(Out(), sent)[0], (Sent{73, 12, 1}));
    EXPECT_EQ(Snap(driver.server), before);
  }

  // Dropped without an answer: a short request and a bid during the play.
  msg::Message shortPlay = PlayOf(FromHand(hand, "Q"));
  shortPlay.resize(59);
  const std::size_t sent = Out().size();
  Send(shortPlay);
  Send(msg::BuildBidRequest(0));
  EXPECT_EQ(Out().size(), sent);
  EXPECT_EQ(Snap(driver.server), before);
}

TEST_F(ServerTest, ThePlayersPlayIsEchoedAndCounted) {
  Start(kStrongPlayer, 1);
  Send(msg::BuildBidRequest(3));
  const std::vector<CardCode> hand = PlayerHand();

  const std::vector<CardCode> rocket = FromHand(hand, "xX");
  std::size_t sent = Out().size();
  Send(PlayOf(rocket));
  ASSERT_GT(Out().size(), sent);
  const msg::Message& echo = Out()[sent];
  ASSERT_EQ(Summary(Out(), sent)[0], (Sent{56, 36, 1}));
  EXPECT_EQ(echo[9], 16);
  EXPECT_EQ(echo[10], 17);
  EXPECT_EQ(echo[29], 2);
  for (std::size_t i = 11; i < 36; ++i) {
    if (i != 29) {
      EXPECT_EQ(echo[i], 0) << i;
    }
  }
  EXPECT_EQ(driver.server.GetMultiplier(), 2);
  EXPECT_EQ(driver.server.GetPlayCount(1), 1);
  EXPECT_EQ(driver.server.GetLastChair(), 1);
  EXPECT_EQ(driver.server.GetAI().Player(1)->GetCardCount(), 18);

  // The computer players cannot beat a rocket: the player leads again, and the
  // echo carries the request's card bytes as they were sent.
  ASSERT_EQ(driver.server.GetWaitingChair(), 1);
  const std::vector<CardCode> pair = FromHand(hand, "QQ");
  sent = Out().size();
  const msg::Message request = PlayOf(pair);
  Send(request);
  ASSERT_GT(Out().size(), sent);
  EXPECT_TRUE(std::equal(request.begin() + 8, request.begin() + 28, Out()[sent].begin() + 9));
  EXPECT_EQ(Out()[sent][29], 2);
  EXPECT_EQ(driver.server.GetMultiplier(), 2);
  EXPECT_EQ(driver.server.GetPlayCount(1), 2);
}

// ---- whole hands ----

namespace {

// The turn of the two computer players after the player's play, both passing.
void ExpectRoundOfPasses(std::vector<Sent>& seq) {
  seq.insert(seq.end(), {{73, 12, 2}, {56, 36, 2}, {73, 12, 0}, {56, 36, 0}});
}

}  // namespace

TEST_F(ServerTest, SpringWithTwoBombsAtBidTwo) {
  // The player bids 2 and plays its whole hand; nobody can beat a play of it.
  driver.bidPolicy = [](int) { return 2; };
  driver.playPolicy = Script({"jj", "QQQ AA", "KKK AA", "Q", "K", "xX", "2222"});
  ScriptDeal(draws, driver.server.GetAI().Deck(), kStrongPlayer, 1);
  ASSERT_TRUE(driver.PlayHand());

  std::vector<Sent> expected{{71, 116, 0}, {72, 12, 1}, {54, 12, 1}, {72, 12, 2}, {54, 12, 2},
                             {72, 12, 0},  {54, 12, 0}, {55, 16, 1}};
  for (int play = 0; play < 7; ++play) {
    expected.push_back({73, 12, 1});
    expected.push_back({56, 36, 1});
    if (play < 6) ExpectRoundOfPasses(expected);
  }
  expected.push_back({237, 288, 0});
  EXPECT_EQ(Summary(driver.sink.messages), expected);

  msg::HandResult result;
  const msg::Message& last = driver.sink.messages.back();
  ASSERT_TRUE(msg::ReadHandResult(last.data(), last.size(), result));
  EXPECT_EQ(result.scores, (std::array<int, 3>{-16, 32, -16}));
  EXPECT_EQ(result.scoresAgain, result.scores);
  EXPECT_EQ(result.multiplier, 8);
  EXPECT_TRUE(result.landlordWon);
  EXPECT_TRUE(result.spring);
  // The computer players still hold their 17 cards, in slot order; the
  // player's block stays empty.
  for (int chair : {0, 2}) {
    for (int slot = 0; slot < 20; ++slot) {
      const CCard* card = driver.server.GetAI().Player(chair)->GetCard(slot);
      EXPECT_EQ(last[212 + 20 * chair + slot], card != nullptr ? card->ToByte() : 0) << chair << " " << slot;
    }
  }
  for (int i = 232; i < 252; ++i) EXPECT_EQ(last[i], 0);
  EXPECT_EQ(driver.server.GetPhase(), SingleServerDDZ::Phase::Over);
}

TEST_F(ServerTest, AntiSpringAfterTheLandlordsOnlyPlay) {
  // Chair 0 opens at 1 and leads; the player bombs it and plays out its hand
  // with nothing the others can beat: the landlord made one play.
  driver.playPolicy = Script({"QQQ", "AAAA", "2222", "xX"}, "KKKK");
  ScriptDeal(draws, driver.server.GetAI().Deck(), kStrongFarmer, 0);
  ASSERT_TRUE(driver.PlayHand());

  std::vector<Sent> expected{{71, 116, 0}, {72, 12, 0}, {54, 12, 0}, {72, 12, 1}, {54, 12, 1},
                             {72, 12, 2},  {54, 12, 2}, {55, 16, 0}, {73, 12, 0}, {56, 36, 0}};
  for (int play = 0; play < 5; ++play) {
    expected.push_back({73, 12, 1});
    expected.push_back({56, 36, 1});
    if (play < 4) ExpectRoundOfPasses(expected);
  }
  expected.push_back({237, 288, 0});
  EXPECT_EQ(Summary(driver.sink.messages), expected);
  const auto& out = driver.sink.messages;
  EXPECT_EQ(out[2][9], 1);
  EXPECT_EQ(out[4][9], 0);
  EXPECT_EQ(out[6][9], 0);
  EXPECT_EQ(out[7][9], 1);
  EXPECT_GT(out[9][29], 0);  // the landlord's lead

  msg::HandResult result;
  ASSERT_TRUE(msg::ReadHandResult(out.back().data(), out.back().size(), result));
  // Four bombs (three fours and the rocket), then the anti-spring: 2^5 at bid 1.
  EXPECT_EQ(result.multiplier, 32);
  EXPECT_EQ(result.scores, (std::array<int, 3>{-64, 32, 32}));
  EXPECT_FALSE(result.landlordWon);
  EXPECT_TRUE(result.spring);
  EXPECT_EQ(result.remaining[0].size(), 20u - out[9][29]);
  EXPECT_EQ(result.remaining[2].size(), 17u);
}

TEST_F(ServerTest, FollowingThePlayerMayPassButNotPlayLow) {
  Start(kStrongFarmer, 0);
  Send(msg::BuildBidRequest(0));
  ASSERT_EQ(driver.server.GetWaitingChair(), 1);
  ASSERT_EQ(driver.server.GetLastChair(), 0);
  const std::vector<CardCode> hand = PlayerHand();
  const State before = Snap(driver.server);
  const std::size_t sent = Out().size();

  // A play of another kind than the landlord's (a lone queen against a
  // single is no play of another kind, so a pair then) does not beat it.
  const bool single = driver.server.GetLastPlayType().type == CardType::Single;
  Send(PlayOf(FromHand(hand, single ? "QQ" : "Q")));
  ASSERT_EQ(Out().size(), sent + 1);
  EXPECT_EQ(Summary(Out(), sent)[0], (Sent{73, 12, 1}));
  EXPECT_EQ(Snap(driver.server), before);

  // A pass is echoed with count 0 and changes neither the play count nor the
  // chair whose play stands.
  Send(PlayOf({}));
  ASSERT_GT(Out().size(), sent + 1);
  EXPECT_EQ(Out()[sent + 1], msg::BuildPlayed(1, {}));
  EXPECT_EQ(driver.server.GetPlayCount(1), 0);
  EXPECT_NE(driver.server.GetLastChair(), 1);
}

// ---- many hands ----

namespace {

// Checks one finished hand from its messages: their order, the legality of
// every play, the score rule, and that the cards make one deck.
void CheckHand(HandDriver& d) {
  const auto& out = d.sink.messages;
  ASSERT_GE(out.size(), 5u);
  msg::Deal deal;
  ASSERT_TRUE(msg::ReadDeal(out[0].data(), out[0].size(), deal));
  ASSERT_EQ(out[0].size(), msg::MsgSize::Deal);

  // Bidding: 72 and 54 for the same chair, in turn from the first bidder, then 55.
  std::size_t i = 1;
  int chair = deal.firstBidder, highest = 0, landlord = -1;
  for (;;) {
    ASSERT_LT(i + 1, out.size());
    ASSERT_EQ(Summary(out, i)[0], (Sent{72, 12, chair}));
    ASSERT_EQ(Summary(out, i + 1)[0], (Sent{54, 12, chair}));
    if (out[i + 1][9] > highest) highest = out[i + 1][9], landlord = chair;
    i += 2;
    chair = (chair + 1) % 3;
    if (highest == 3 || chair == deal.firstBidder) break;
  }
  ASSERT_EQ(Summary(out, i)[0], (Sent{55, 16, landlord}));
  ASSERT_GE(highest, 1);
  msg::Landlord ll;
  ASSERT_TRUE(msg::ReadLandlord(out[i].data(), out[i].size(), ll));
  ++i;

  // Play: 73 and 56 for the same chair, round from the landlord, until 237.
  std::array<std::vector<CardCode>, 3> played;
  std::array<int, 3> plays{};
  int bombs = 0, stand = -1, winner = -1;
  CardTypeInfo toBeat;
  chair = landlord;
  for (;; chair = (chair + 1) % 3) {
    ASSERT_LT(i + 1, out.size());
    ASSERT_EQ(Summary(out, i)[0], (Sent{73, 12, chair}));
    ASSERT_EQ(Summary(out, i + 1)[0], (Sent{56, 36, chair}));
    msg::Played p;
    ASSERT_TRUE(msg::ReadPlayed(out[i + 1].data(), out[i + 1].size(), p));
    ASSERT_EQ(static_cast<int>(p.cards.size()), p.count);
    i += 2;
    const bool leading = stand == -1 || stand == chair;
    if (p.count == 0) {
      ASSERT_FALSE(leading) << "chair " << chair << " passed while leading";
      continue;
    }
    CardTypeInfo t;
    ASSERT_TRUE(ClueCard::GetCardType(t, p.cards)) << "chair " << chair;
    if (!leading) {
      ASSERT_GE(ClueCard::CompareCardType(t, toBeat), 1) << "chair " << chair << " did not beat the table";
    }
    if (t.type >= CardType::Bomb) ++bombs;
    toBeat = t;
    stand = chair;
    ++plays[chair];
    played[chair].insert(played[chair].end(), p.cards.begin(), p.cards.end());
    if (TypeOf(out[i]) == msg::MsgType::HandResult) {
      winner = chair;
      break;
    }
  }
  ASSERT_EQ(i + 1, out.size()) << "messages after the result";
  msg::HandResult r;
  ASSERT_TRUE(msg::ReadHandResult(out[i].data(), out[i].size(), r));

  // Scores.
  const bool landlordWon = winner == landlord;
  int farmerPlays = 0;
  for (int c = 0; c < 3; ++c)
    if (c != landlord) farmerPlays += plays[c];
  const bool spring = landlordWon ? farmerPlays == 0 : plays[landlord] == 1;
  EXPECT_EQ(r.landlordWon, landlordWon);
  EXPECT_EQ(r.spring, spring);
  EXPECT_EQ(r.multiplier, (1 << bombs) * (spring ? 2 : 1));
  const int unit = highest * r.multiplier;
  for (int c = 0; c < 3; ++c) {
    const int expected = (c == landlord ? 2 * unit : -unit) * (landlordWon ? 1 : -1);
    EXPECT_EQ(r.scores[c], expected) << c;
  }
  EXPECT_EQ(r.scores[0] + r.scores[1] + r.scores[2], 0);
  EXPECT_EQ(r.scoresAgain, r.scores);

  // Cards: the three hands' plays and what they still hold make one deck, and
  // each chair played only its own cards.
  EXPECT_TRUE(r.remaining[1].empty());
  r.remaining[1] = d.hand;
  std::multiset<CardCode> all;
  for (int c = 0; c < 3; ++c) {
    const std::size_t dealt = c == landlord ? 20 : 17;
    EXPECT_EQ(played[c].size() + r.remaining[c].size(), dealt) << "chair " << c;
    EXPECT_EQ(r.remaining[c].empty(), c == winner) << "chair " << c;
    std::multiset<CardCode> own(played[c].begin(), played[c].end());
    own.insert(r.remaining[c].begin(), r.remaining[c].end());
    std::multiset<CardCode> slots;
    for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot) {
      const CCard* card = d.server.GetAI().Player(c)->GetCard(slot);
      if (card != nullptr) slots.insert(CardByteToCode(card->ToByte()));
    }
    EXPECT_EQ(own, slots) << "chair " << c;
    all.insert(own.begin(), own.end());
  }
  const std::set<CardCode> distinct(all.begin(), all.end());
  EXPECT_EQ(all.size(), 54u);
  EXPECT_EQ(distinct.size(), 54u);
  for (CardCode c : ll.bottomCards) EXPECT_EQ(all.count(c), 1u);
}

}  // namespace

TEST(SingleServerDDZ, ManySeededHandsWithTheHintEnginePlaying) {
  // The player bids by the seed's whim and plays the hint engine's answer.
  for (std::uint32_t seed = 1; seed <= 10; ++seed) {
    os::LcgRandom rng(seed);
    os::ScopedRandomSource guard(rng);
    HandDriver d;
    d.bidPolicy = [seed](int highest) { return seed % 2 == 0 && highest < 3 ? highest + 1 : 0; };
    for (int hand = 0; hand < 100; ++hand) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " hand " << hand);
      ASSERT_TRUE(d.PlayHand(3 * 54)) << "the hand did not end";
      CheckHand(d);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(SingleServerDDZ, ArbitraryRequestsNeitherBreakTheServerNorMoveCards) {
  // Seeded random requests at every moment of many hands: junk of any length,
  // bids of any byte, and plays built from the player's own cards (written with
  // or without joker suit bits, some named twice, some with a stray byte). Each
  // request sits on the heap at its exact length. Whatever the server accepts,
  // no card may be announced twice in a hand or come from another chair.
  os::LcgRandom rng(77);
  os::ScopedRandomSource guard(rng);
  std::uint32_t state = 99;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
  };
  RecordingSink sink;
  SingleServerDDZ server(&sink, DeckSeeding::None);
  std::size_t seen = 0;
  std::set<CardCode> announced;
  int hands = 0;
  server.StartGame();
  for (int step = 0; step < 20000 && hands < 60; ++step) {
    SCOPED_TRACE(::testing::Message() << "step " << step << " hand " << hands);
    const CPlayerCard* human = server.GetAI().Player(SingleServerDDZ::kHumanChair);
    std::vector<CardByte> held;
    for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot) {
      const CCard* card = human->GetCard(slot);
      if (card != nullptr && !card->IsPlayed()) held.push_back(card->ToByte());
    }
    msg::Message m;
    switch (next() % 4) {
      case 0: {  // junk
        m.resize(static_cast<std::size_t>(next() % 80));
        for (auto& b : m) b = static_cast<std::uint8_t>(next() & 0xff);
        if (m.size() > 1 && next() % 2 == 0) m[1] = next() % 2 == 0 ? msg::MsgType::Bid : msg::MsgType::Play;
        break;
      }
      case 1: m = msg::BuildBidRequest(next() % 10); break;
      default: {  // a play of the player's cards
        m = msg::Message(msg::MsgSize::Play, 0);
        m[1] = msg::MsgType::Play;
        const int count = held.empty() ? 0 : next() % std::min<int>(5, static_cast<int>(held.size()) + 1);
        for (int i = 0; i < count; ++i) {
          CardByte b = held[static_cast<std::size_t>(next()) % held.size()];
          if (next() % 3 == 0 && (b & 31) >= 16) b = static_cast<CardByte>(b & 31);  // joker without suit bits
          if (next() % 20 == 0) b = static_cast<CardByte>(next() & 0xff);           // a stray byte
          m[8 + i] = b;
        }
        m[28] = static_cast<std::uint8_t>(next() % 25 == 0 ? next() % 256 : count);
        break;
      }
    }
    std::vector<std::uint8_t> request(m.begin(), m.end());  // exact size on the heap
    server.RecvGameViewMsg(request.empty() ? nullptr : request.data(), static_cast<int>(request.size()));
    if (server.GetPhase() == SingleServerDDZ::Phase::Bidding && server.GetWaitingChair() == -1) {
      ADD_FAILURE() << "bidding without a chair to wait for";
      return;
    }
    for (; seen < sink.messages.size(); ++seen) {
      const msg::Message& out = sink.messages[seen];
      if (TypeOf(out) == msg::MsgType::Deal) announced.clear();
      if (TypeOf(out) != msg::MsgType::Played) continue;
      msg::Played played;
      ASSERT_TRUE(msg::ReadPlayed(out.data(), out.size(), played));
      ASSERT_EQ(static_cast<int>(played.cards.size()), played.count);
      for (CardCode c : played.cards) {
        ASSERT_TRUE(announced.insert(c).second) << "card " << c << " announced twice";
        bool own = false;
        const CPlayerCard* seat = server.GetAI().Player(played.chair);
        for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot) {
          const CCard* card = seat->GetCard(slot);
          own = own || (card != nullptr && CardByteToCode(card->ToByte()) == c);
        }
        ASSERT_TRUE(own) << "chair " << played.chair << " announced card " << c << " it was not dealt";
      }
    }
    if (server.GetPhase() == SingleServerDDZ::Phase::Over) {
      ++hands;
      server.StartGame();
    }
  }
  EXPECT_GT(hands, 20);
}

TEST_F(ServerTest, ALandlordsTwentyCardPlayEndsTheHandAtOnce) {
  // The player bids 3 first and leads all 20 cards as five triples with five
  // singles: every byte and the count reach the echo, and the hand ends.
  constexpr DealText kWholeHand{"3 4 5 6 7 888 999 TTT jjj", "333 444 555 666 777 8 9", "QQQ KKKK AAAA 2222 xX",
                                "T j Q"};
  Start(kWholeHand, 1);
  Send(msg::BuildBidRequest(3));
  ASSERT_EQ(driver.server.GetLandlord(), 1);
  const std::vector<CardCode> all = PlayerHand();
  ASSERT_EQ(all.size(), 20u);
  const msg::Message play = PlayOf(all);
  ASSERT_EQ(play[29], 102);
  const std::size_t before = Out().size();
  Send(play);
  ASSERT_EQ(Summary(Out(), before), (std::vector<Sent>{{56, 36, 1}, {237, 288, 0}}));
  msg::Played echo;
  ASSERT_TRUE(msg::ReadPlayed(Out()[before].data(), Out()[before].size(), echo));
  EXPECT_EQ(echo.count, 20);
  EXPECT_EQ(std::multiset<CardCode>(echo.cards.begin(), echo.cards.end()),
            std::multiset<CardCode>(all.begin(), all.end()));
  msg::HandResult result;
  ASSERT_TRUE(msg::ReadHandResult(Out().back().data(), Out().back().size(), result));
  EXPECT_TRUE(result.landlordWon);
  EXPECT_TRUE(result.spring);
  EXPECT_EQ(result.scores, (std::array<int, 3>{-6, 12, -6}));
}
