// The local server of the single-player game: the player (chair 1) against two
// computer players (chairs 0 and 2), with no network. It deals, runs the
// bidding and the play, settles the hand and speaks to the classic table view
// only in the game server's own messages (ClassicMessages.h), so the view runs
// unchanged.
//
// Everything happens inside the calls of the library: StartGame deals and runs
// the bidding up to the player's turn; each request of the player runs the game
// on, computer players' bids and plays included, up to the player's next turn
// or the end of the hand. The messages go out through SendMsgToGameView, which
// only queues them for the view.
//
// Requests that do not fit the moment are dropped with a log line and change
// nothing: a bid outside the bidding or not the player's turn, a bid that is
// neither 0 nor above the highest bid (at most 3), a play outside the play or
// not the player's turn. A play request that is refused on its content (more
// than 20 cards, a card the player does not hold, cards that form no pattern or
// do not beat the play on the table, a pass while the player leads) also
// changes nothing, but hands the turn back to the player with a new 73.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ExtraDdzAI.h"
#include "platform/gamebase/SingleServerBase.h"

namespace ddz {

// The outcome of a hand by the scoring rule: a spring (the landlord won and the
// farmers made no play) or an anti-spring (the farmers won and the landlord
// made one play) doubles the multiplier; unit = bid * multiplier; the landlord
// wins or loses 2 * unit, each farmer the opposite unit.
struct HandSettlement {
  std::array<int, 3> scores{};
  int multiplier = 1;  // the spring doubling included
  bool landlordWon = false;
  bool spring = false;  // a spring or an anti-spring
};
HandSettlement SettleHand(int landlord, int winner, int bid, int multiplier, const std::array<int, 3>& playCounts);

class SingleServerDDZ : public SingleServerBase {
 public:
  static constexpr int kChairs = 3;
  static constexpr int kHumanChair = 1;
  static constexpr int kMaxBid = 3;

  enum class Phase {
    Idle,     // no hand started yet
    Bidding,  // waiting for the player's bid
    Playing,  // waiting for the player's play
    Over,     // the hand result is out; the next StartGame deals again
  };

  // The view receives the messages. The deck seeds the random generator once
  // per process unless told otherwise (tests script their draws).
  explicit SingleServerDDZ(IGameMessageSink* view, DeckSeeding seeding = DeckSeeding::OncePerProcess);
  ~SingleServerDDZ() override;

  // Deals a new hand (whatever the state) and runs the bidding up to the
  // player's turn.
  void StartGame() override;
  // Request 22 (bid) or 24 (play); anything else is dropped.
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override;

  Phase GetPhase() const { return m_Phase; }
  // The chair the server waits for (the player's), -1 when it waits for nobody.
  int GetWaitingChair() const { return m_iWaitingChair; }
  int GetBid(int chair) const { return ValidChair(chair) ? m_iBids[chair] : -1; }
  int GetHighestBid() const { return m_iHighestBid; }
  int GetLandlord() const { return m_iLandlord; }
  int GetMultiplier() const { return m_iMultiplier; }
  // The chair whose play is the one to beat, -1 before the first play.
  int GetLastChair() const { return m_iLastChair; }
  // Non-pass plays made by a chair this hand.
  int GetPlayCount(int chair) const { return ValidChair(chair) ? m_iPlayCounts[chair] : 0; }
  // The play to beat (type -1 before the first play).
  const CardTypeInfo& GetLastPlayType() const { return m_LastPlayType; }
  ExtraDdzAI& GetAI() { return *m_pAI; }

 private:
  static bool ValidChair(int chair) { return chair >= 0 && chair < kChairs; }

  void Send(std::span<const std::uint8_t> message);
  // A quick-chat phrase of the player: shown at the table as message 111.
  void OnQuickChat(const std::uint8_t* buf, int len);
  void OnBidRequest(const std::uint8_t* buf, int len);
  void OnPlayRequest(const std::uint8_t* buf, int len);
  // Hands the turn back to the player after a refused play.
  void RefusePlay(const char* why);

  // Bidding: asks the chair (72) and lets computer chairs bid (54) until the
  // player's turn or the end of the bidding (chair -1: it has ended).
  void AskBid(int chair);
  // After the chair's bid: the highest bid and landlord, then the next chair
  // to ask, or -1 when a bid of 3 or a second turn of a chair ends the bidding.
  int NextBidTurn(int chair);
  // Landlord and bottom cards (55), then the landlord's first turn.
  void EndBidding();
  // Play: the turn goes round from the chair until the player's turn or the end.
  void PlayTurn(int chair);
  // After a chair's play or pass: the next chair's turn, or the end of the hand.
  // True when the turn goes on to the next chair.
  bool NextPlayTurn(int chair);
  // A computer chair's turn; returns after its play or pass is out.
  void ComputerPlay(int chair);
  // A play made by the chair: a bomb or rocket doubles the multiplier; the
  // chair's play count grows and its play is the one to beat.
  void NotePlay(int chair, const CardTypeInfo& type);
  int CardsLeft(int chair);
  void GameOver(int winner);

  std::unique_ptr<ExtraDdzAI> m_pAI;
  Phase m_Phase = Phase::Idle;
  int m_iWaitingChair = -1;
  std::array<int, kChairs> m_iBids{-1, -1, -1};
  int m_iHighestBid = 0;
  int m_iLandlord = -1;
  int m_iMultiplier = 1;
  int m_iLastChair = -1;
  std::array<int, kChairs> m_iPlayCounts{};
  CardTypeInfo m_LastPlayType;
};

}  // namespace ddz
