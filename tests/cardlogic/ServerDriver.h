// Plays whole single-player hands against the local server the way the classic
// table would: a recording view takes the server's messages in order, and the
// player's side (chair 1) answers every turn addressed to it: bids by a policy,
// plays the hint engine's first suggestion when it follows, and its lowest
// group of equal cards when it leads. Used by the server tests and benchmark.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/ClueCardSearch.h"
#include "cardlogic/SingleServerDDZ.h"

namespace ddz::testing {

// The view's side of the queue: every message the server sends, in order.
class RecordingSink : public IGameMessageSink {
 public:
  void PostGameMessage(const std::uint8_t* buf, int len) override { messages.emplace_back(buf, buf + len); }
  std::vector<classic::Message> messages;
};

inline int TypeOf(const classic::Message& m) { return m.size() > 1 ? m[1] : -1; }

class HandDriver {
 public:
  // The player's bid given the highest bid so far (the own hand only offers
  // 0 and bids above it).
  using BidPolicy = std::function<int(int highest)>;
  // The player's play at its turn (empty = pass); when unset, the hint engine
  // follows and the lowest group of equal cards leads.
  using PlayPolicy = std::function<std::vector<CardCode>(HandDriver&)>;

  explicit HandDriver(DeckSeeding seeding = DeckSeeding::None) : server(&sink, seeding) {}

  // Starts a hand and answers the player's turns until the hand result is out.
  // False when the hand has not ended after maxTurns turns of any chair.
  bool PlayHand(int maxTurns = 200) {
    sink.messages.clear();
    next = 0;
    hand.clear();
    lastPlay.clear();
    lastPlayChair = -1;
    highestBid = 0;
    turns = 0;
    server.StartGame();
    while (next < sink.messages.size()) {
      const classic::Message m = sink.messages[next++];  // a copy: answering appends
      if (!Handle(m)) return false;
      if (TypeOf(m) == classic::MsgType::HandResult) return true;
      if (turns > maxTurns) return false;
    }
    return false;  // the server stopped without a result
  }

  RecordingSink sink;
  SingleServerDDZ server;
  BidPolicy bidPolicy = [](int) { return 0; };
  PlayPolicy playPolicy;
  std::vector<CardCode> hand;      // the player's cards still held
  std::vector<CardCode> lastPlay;  // the play to beat
  int lastPlayChair = -1;
  int highestBid = 0;
  int turns = 0;
  std::size_t next = 0;

  // Whether the player leads: nobody has played yet, or its own play stood.
  bool Leading() const { return lastPlayChair == -1 || lastPlayChair == SingleServerDDZ::kHumanChair; }

 private:
  bool Handle(const classic::Message& m) {
    const std::uint8_t* b = m.data();
    const std::size_t n = m.size();
    switch (TypeOf(m)) {
      case classic::MsgType::Deal: {
        classic::Deal deal;
        if (!classic::ReadDeal(b, n, deal)) return false;
        hand = deal.hands[SingleServerDDZ::kHumanChair];
        return true;
      }
      case classic::MsgType::BidTurn: {
        classic::BidTurn turn;
        if (!classic::ReadBidTurn(b, n, turn)) return false;
        if (turn.chair == SingleServerDDZ::kHumanChair) Send(classic::BuildBidRequest(bidPolicy(highestBid)));
        return true;
      }
      case classic::MsgType::BidResult: {
        classic::BidResult bid;
        if (!classic::ReadBidResult(b, n, bid)) return false;
        highestBid = std::max(highestBid, bid.choice);
        return true;
      }
      case classic::MsgType::Landlord: {
        classic::Landlord landlord;
        if (!classic::ReadLandlord(b, n, landlord)) return false;
        if (landlord.chair == SingleServerDDZ::kHumanChair)
          hand.insert(hand.end(), landlord.bottomCards.begin(), landlord.bottomCards.end());
        return true;
      }
      case classic::MsgType::PlayTurn: {
        classic::PlayTurn turn;
        if (!classic::ReadPlayTurn(b, n, turn)) return false;
        ++turns;
        if (turn.chair == SingleServerDDZ::kHumanChair) Send(ChoosePlay());
        return true;
      }
      case classic::MsgType::Played: {
        classic::Played played;
        if (!classic::ReadPlayed(b, n, played)) return false;
        if (played.count == 0) return true;
        lastPlay = played.cards;
        lastPlayChair = played.chair;
        if (played.chair == SingleServerDDZ::kHumanChair) {
          for (CardCode c : played.cards) {
            const auto it = std::find(hand.begin(), hand.end(), c);
            if (it == hand.end()) return false;
            hand.erase(it);
          }
        }
        return true;
      }
      case classic::MsgType::HandResult: return true;
      default: return false;
    }
  }

  classic::Message ChoosePlay() {
    std::vector<CardCode> play;
    if (playPolicy) {
      play = playPolicy(*this);
    } else if (Leading()) {
      // The lowest value held, all of its cards.
      int lowest = 99;
      for (CardCode c : hand) lowest = std::min(lowest, ClueCard::GetCardValue(c));
      for (CardCode c : hand)
        if (ClueCard::GetCardValue(c) == lowest) play.push_back(c);
    } else {
      ResetHintCycle();
      if (!ClueCard::Hint(play, lastPlay, hand)) play.clear();
      ResetHintCycle();
    }
    CardTypeInfo type;
    if (play.empty() || !ClueCard::GetCardType(type, play)) return classic::BuildPlayRequest({}, CardType::Invalid, 0);
    return classic::BuildPlayRequest(play, type.type, type.value);
  }

  void Send(const classic::Message& request) {
    server.RecvGameViewMsg(request.data(), static_cast<int>(request.size()));
  }
};

}  // namespace ddz::testing
