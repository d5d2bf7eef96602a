// The local server fed arbitrary requests at every moment of seeded hands. The
// input seeds the deal and then scripts the player's side: a new hand, a
// request of arbitrary bytes, a request of the right type with arbitrary
// content, or a move the own hand could make. Every message of the server is
// followed as the table would follow it, and checked:
//   - the deal gives 54 different cards, 17 a chair, and 3 bottom cards;
//   - a played card is held by the chair that plays it (so no card is
//     announced twice), and a hand result lists what the computer chairs
//     still hold, scores that sum to zero and a winner without cards;
//   - a quick-chat phrase comes back from the player's chair;
//   - the server waits for the player exactly while it bids or plays;
//   - a request that the server refuses (no message, or only the player's
//     turn handed back) leaves its state as it was.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"
#include "cardlogic/PlayerCard.h"
#include "cardlogic/SingleServerDDZ.h"
#include "fuzz/FuzzSupport.h"
#include "platform/os/Random.h"

using namespace ddz;
using namespace ddz::classic;
using ddz::fuzz::Input;

namespace {

struct Sink : IGameMessageSink {
  void PostGameMessage(const std::uint8_t* buf, int len) override { messages.emplace_back(buf, buf + len); }
  std::vector<Message> messages;
};

struct State {
  SingleServerDDZ::Phase phase;
  int waiting, highest, landlord, multiplier, lastChair;
  std::array<int, 3> bids, plays;
  CardTypeInfo lastType;
  bool operator==(const State&) const = default;
};

State Snapshot(SingleServerDDZ& s) {
  State st{s.GetPhase(), s.GetWaitingChair(), s.GetHighestBid(), s.GetLandlord(), s.GetMultiplier(),
           s.GetLastChair(), {}, {}, s.GetLastPlayType()};
  for (int c = 0; c < 3; ++c) {
    st.bids[c] = s.GetBid(c);
    st.plays[c] = s.GetPlayCount(c);
  }
  return st;
}

class Table {
 public:
  Table() : server(&sink, DeckSeeding::None) {}

  // Follows the server's messages from `from` on.
  void Follow(std::size_t from) {
    for (std::size_t i = from; i < sink.messages.size(); ++i) Take(sink.messages[i]);
  }

  void Take(const Message& m) {
    const std::uint8_t* b = m.data();
    const std::size_t n = m.size();
    switch (MessageType(b, n)) {
      case MsgType::Deal: {
        // The deal names the player's cards only; the computer chairs' come
        // from their players (every card dealt, played or not).
        Deal deal;
        FUZZ_CHECK(ReadDeal(b, n, deal));
        FUZZ_CHECK(deal.hands[SingleServerDDZ::kHumanChair].size() == static_cast<std::size_t>(kDealCards));
        for (int c = 0; c < 3; ++c) {
          hands[c] = deal.hands[c];
          if (c == SingleServerDDZ::kHumanChair) continue;
          FUZZ_CHECK(hands[c].empty());
          for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot)
            if (const CCard* card = server.GetAI().Player(c)->GetCard(slot)) hands[c].push_back(CardByteToCode(card->ToByte()));
        }
        std::vector<CardCode> all;
        for (const auto& h : hands) all.insert(all.end(), h.begin(), h.end());
        std::sort(all.begin(), all.end());
        FUZZ_CHECK(std::adjacent_find(all.begin(), all.end()) == all.end());
        lastPlay.clear();
        lastPlayChair = -1;
        highest = 0;
        over = false;
        break;
      }
      case MsgType::BidResult: {
        BidResult bid;
        FUZZ_CHECK(ReadBidResult(b, n, bid));
        highest = std::max(highest, bid.choice);
        break;
      }
      case MsgType::Landlord: {
        // The bottom cards go to the landlord (a computer landlord's player
        // may hold them already): then 54 different cards, 20 for the landlord.
        Landlord l;
        FUZZ_CHECK(ReadLandlord(b, n, l));
        FUZZ_CHECK(l.bottomCards.size() == static_cast<std::size_t>(kBottomCards));
        auto& h = hands[l.chair];
        for (CardCode c : l.bottomCards)
          if (std::find(h.begin(), h.end(), c) == h.end()) h.push_back(c);
        std::vector<CardCode> all;
        for (const auto& hand : hands) all.insert(all.end(), hand.begin(), hand.end());
        std::sort(all.begin(), all.end());
        FUZZ_CHECK(std::adjacent_find(all.begin(), all.end()) == all.end());
        FUZZ_CHECK(all.size() == 54 && h.size() == 20);
        break;
      }
      case MsgType::Played: {
        Played p;
        FUZZ_CHECK(ReadPlayed(b, n, p));
        FUZZ_CHECK(!over);
        FUZZ_CHECK(p.cards.size() == static_cast<std::size_t>(p.count));
        for (CardCode c : p.cards) {
          auto it = std::find(hands[p.chair].begin(), hands[p.chair].end(), c);
          FUZZ_CHECK(it != hands[p.chair].end());  // held, so never played before
          hands[p.chair].erase(it);
        }
        if (p.count > 0) {
          lastPlay = p.cards;
          lastPlayChair = p.chair;
        }
        break;
      }
      case MsgType::HandResult: {
        HandResult r;
        FUZZ_CHECK(ReadHandResult(b, n, r));
        FUZZ_CHECK(r.scores[0] + r.scores[1] + r.scores[2] == 0);
        FUZZ_CHECK(r.scores == r.scoresAgain);
        bool someoneOut = false;
        for (int c : {0, 2}) {
          std::vector<CardCode> left = r.remaining[c], held = hands[c];
          std::sort(left.begin(), left.end());
          std::sort(held.begin(), held.end());
          FUZZ_CHECK(left == held);
        }
        for (int c = 0; c < 3; ++c) someoneOut |= hands[c].empty();
        FUZZ_CHECK(someoneOut);
        over = true;
        break;
      }
      case MsgType::QuickChatShown:
        // The player's phrase shown back, always from the player's chair.
        FUZZ_CHECK(n >= MsgSize::QuickChat && b[8] < 5 && b[9] == SingleServerDDZ::kHumanChair);
        break;
      case MsgType::BidTurn:
      case MsgType::PlayTurn: break;
      default: FUZZ_CHECK(!"a message of an unknown type");
    }
  }

  void Send(const std::uint8_t* buf, std::size_t len) {
    const State before = Snapshot(server);
    const std::size_t from = sink.messages.size();
    server.RecvGameViewMsg(buf, static_cast<int>(len));
    Follow(from);
    const std::size_t sent = sink.messages.size() - from;
    PlayTurn turn;
    const bool handedBack = sent == 1 && ReadPlayTurn(sink.messages[from].data(), sink.messages[from].size(), turn) &&
                            turn.chair == SingleServerDDZ::kHumanChair;
    if (sent == 0 || handedBack) FUZZ_CHECK(Snapshot(server) == before);
    CheckWaiting();
  }
  void Send(const Message& m) { Send(m.data(), m.size()); }

  void CheckWaiting() {
    const auto phase = server.GetPhase();
    const bool waits = phase == SingleServerDDZ::Phase::Bidding || phase == SingleServerDDZ::Phase::Playing;
    FUZZ_CHECK(server.GetWaitingChair() == (waits ? SingleServerDDZ::kHumanChair : -1));
  }

  void Start() {
    const std::size_t from = sink.messages.size();
    server.StartGame();
    Follow(from);
    CheckWaiting();
  }

  // A move the own hand could make now: a bid, or the hint engine's play
  // (the lowest value when leading).
  void Move(Input& in) {
    if (server.GetPhase() == SingleServerDDZ::Phase::Bidding) {
      Send(BuildBidRequest(in.Byte() % 4));
      return;
    }
    std::vector<CardCode> play;
    auto& hand = hands[SingleServerDDZ::kHumanChair];
    if (lastPlayChair == -1 || lastPlayChair == SingleServerDDZ::kHumanChair) {
      int lowest = 99;
      for (CardCode c : hand) lowest = std::min(lowest, ClueCard::GetCardValue(c));
      for (CardCode c : hand)
        if (ClueCard::GetCardValue(c) == lowest) play.push_back(c);
    } else if (in.Bool()) {
      ResetHintCycle();
      if (!ClueCard::Hint(play, lastPlay, hand)) play.clear();
      ResetHintCycle();
    }
    SendPlay(play);
  }

  // Some of the player's cards, picked by the input (and now and then a card
  // it does not hold), with their classification.
  void PickedPlay(Input& in) {
    const auto& hand = hands[SingleServerDDZ::kHumanChair];
    std::vector<CardCode> play;
    const int n = in.Byte() % 8;
    for (int i = 0; i < n; ++i) {
      const std::uint8_t pick = in.Byte();
      if (pick >= 250 || hand.empty()) play.push_back(pick % 58);
      else play.push_back(hand[pick % hand.size()]);
    }
    SendPlay(play);
  }

  void SendPlay(const std::vector<CardCode>& play) {
    CardTypeInfo type;
    if (play.empty() || !ClueCard::GetCardType(type, play)) Send(BuildPlayRequest(play, CardType::Invalid, 0));
    else Send(BuildPlayRequest(play, type.type, type.value));
  }

  Sink sink;
  SingleServerDDZ server;
  std::array<std::vector<CardCode>, 3> hands;
  std::vector<CardCode> lastPlay;
  int lastPlayChair = -1;
  int highest = 0;
  bool over = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = (fuzz::QuietLog(), true);
  (void)quiet;
  const ddz::fuzz::RunScope scope;
  Input in(data, size);
  os::Srand(in.U32());
  Table table;
  table.Start();
  for (int steps = 0; !in.Empty() && steps < 400; ++steps) {
    switch (in.Byte() % 6) {
      case 0: table.Start(); break;
      case 1: {  // arbitrary bytes
        const auto bytes = in.Block(80);
        table.Send(bytes.data(), bytes.size());
        break;
      }
      case 2: {  // a request of the right type and length, arbitrary content
        std::vector<std::uint8_t> m(in.Bool() ? MsgSize::Play : MsgSize::Bid, 0);
        m[1] = m.size() == MsgSize::Play ? MsgType::Play : MsgType::Bid;
        const auto body = in.Block(64);
        for (std::size_t i = 0; i < body.size() && 8 + i < m.size(); ++i) m[8 + i] = body[i];
        table.Send(m);
        break;
      }
      case 3: table.PickedPlay(in); break;
      default: table.Move(in); break;
    }
  }
  return 0;
}
