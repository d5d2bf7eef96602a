#include "cardlogic/SingleServerDDZ.h"

#include <cstdio>
#include <vector>

#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "platform/os/Random.h"

namespace ddz {

namespace msg = classic;

namespace {

constexpr int kPlayCountOffset = 28;  // request 24: number of cards
constexpr int kOpenCards = 52;        // the open card is drawn from positions 0..51

// Plays of type bomb or above (bomb, rocket) double the multiplier.
bool DoublesMultiplier(const CardTypeInfo& type) { return type.type >= CardType::Bomb; }

// The card code of a deck card, as the view reads its byte.
CardCode CodeOf(const CCard& card) { return CardByteToCode(card.ToByte()); }

}  // namespace

HandSettlement SettleHand(int landlord, int winner, int bid, int multiplier, const std::array<int, 3>& playCounts) {
  HandSettlement s;
  s.multiplier = multiplier;
  s.landlordWon = winner == landlord;
  if (s.landlordWon) {
    int farmerPlays = 0;
    for (int chair = 0; chair < 3; ++chair)
      if (chair != landlord) farmerPlays += playCounts[chair];
    s.spring = farmerPlays == 0;
  } else {
    s.spring = playCounts[landlord] == 1;
  }
  if (s.spring) s.multiplier *= 2;
  const int unit = bid * s.multiplier;
  for (int chair = 0; chair < 3; ++chair) {
    const int gain = chair == landlord ? 2 * unit : -unit;
    s.scores[chair] = s.landlordWon ? gain : -gain;
  }
  return s;
}

SingleServerDDZ::SingleServerDDZ(IGameMessageSink* view, DeckSeeding seeding)
    : SingleServerBase(view), m_pAI(std::make_unique<ExtraDdzAI>(seeding)) {}

SingleServerDDZ::~SingleServerDDZ() = default;

void SingleServerDDZ::Send(std::span<const std::uint8_t> message) {
  if (message.size() < static_cast<std::size_t>(kFrameSize)) return;
  SendMsgToGameView(message.data(), message[1], static_cast<int>(message.size()));
}

// ---- the deal and the bidding ----

void SingleServerDDZ::StartGame() {
  m_iBids.fill(-1);
  m_iHighestBid = 0;
  m_iLandlord = -1;
  m_iMultiplier = 1;
  m_iLastChair = -1;
  m_iPlayCounts.fill(0);
  m_LastPlayType = CardTypeInfo{};
  m_iWaitingChair = -1;
  m_pAI->DealCards();

  msg::DealBlocks deal;
  const CPlayerCard* human = m_pAI->Player(kHumanChair);
  for (int i = 0; i < msg::kDealCards; ++i) {
    const CCard* card = human->GetCard(i);
    deal.hands[kHumanChair][i] = card != nullptr ? card->ToByte() : 0;
  }
  // The open card: the chair that was dealt it bids first (a bottom card, 51,
  // gives chair 0).
  const int open = os::Rand() % kOpenCards;
  deal.openIndex = open;
  deal.openCard = m_pAI->Deck().GetCard(open)->ToByte();
  deal.firstBidder = open % kChairs;
  m_Phase = Phase::Bidding;
  Send(msg::BuildDeal(deal));
  AskBid(deal.firstBidder);
}

void SingleServerDDZ::AskBid(int chair) {
  // Computer chairs bid at once and the turn moves on; the player is awaited.
  while (chair >= 0) {
    Send(msg::BuildBidTurn(chair, 0));
    if (chair == kHumanChair) {
      m_iWaitingChair = kHumanChair;
      return;
    }
    const int bid = m_pAI->GetAIBid(chair);
    m_iBids[chair] = bid;
    Send(msg::BuildBidResult(chair, bid, 0));
    chair = NextBidTurn(chair);
  }
  EndBidding();
}

int SingleServerDDZ::NextBidTurn(int chair) {
  if (m_iBids[chair] > m_iHighestBid) {
    m_iHighestBid = m_iBids[chair];
    m_iLandlord = chair;
  }
  const int next = (chair + 1) % kChairs;
  return m_iHighestBid >= kMaxBid || m_iBids[next] != -1 ? -1 : next;
}

void SingleServerDDZ::EndBidding() {
  m_iWaitingChair = -1;
  if (m_iLandlord < 0) {
    // Nobody bid above 0 (the computer players always open, so this only
    // follows a fault): deal again rather than play without a landlord.
    std::printf("SingleServerDDZ: bidding ended without a landlord, dealing again\n");
    StartGame();
    return;
  }
  m_pAI->SetLandlord(m_iLandlord, m_iHighestBid);
  std::array<CardByte, msg::kBottomCards> bottom{};
  for (int i = 0; i < msg::kBottomCards; ++i) bottom[i] = m_pAI->Deck().GetCard(CPoker::kBottomFirst + i)->ToByte();
  m_Phase = Phase::Playing;
  Send(msg::BuildLandlord(m_iLandlord, m_iHighestBid, bottom));
  PlayTurn(m_iLandlord);
}

// ---- requests of the player ----

void SingleServerDDZ::RecvGameViewMsg(const std::uint8_t* buf, int len) {
  const int type = RequestType(buf, len);
  switch (type) {
    case msg::MsgType::Bid: OnBidRequest(buf, len); break;
    case msg::MsgType::Play: OnPlayRequest(buf, len); break;
    case msg::MsgType::DealReceived: break;  // every deal's acknowledgement; nothing to do
    case msg::MsgType::QuickChat: OnQuickChat(buf, len); break;
    case -1: break;  // already reported
    default: std::printf("SingleServerDDZ: request %d ignored\n", type); break;
  }
}

void SingleServerDDZ::OnQuickChat(const std::uint8_t* buf, int len) {
  // As a game server does, the phrase goes back to the table, from the
  // player's chair whatever the request says.
  constexpr int kPhrases = 5;
  if (len < static_cast<int>(msg::MsgSize::QuickChat) || buf[8] >= kPhrases) {
    std::printf("SingleServerDDZ: quick-chat request of length %d dropped\n", len);
    return;
  }
  Send(msg::BuildQuickChatShown(buf[8], kHumanChair));
}

void SingleServerDDZ::OnBidRequest(const std::uint8_t* buf, int len) {
  if (m_Phase != Phase::Bidding || m_iWaitingChair != kHumanChair) {
    std::printf("SingleServerDDZ: bid request out of turn ignored\n");
    return;
  }
  msg::BidRequest request;
  if (!msg::ReadBidRequest(buf, static_cast<std::size_t>(len), request)) return;
  const int bid = request.choice;
  if (bid != 0 && (bid <= m_iHighestBid || bid > kMaxBid)) {
    std::printf("SingleServerDDZ: bid %d against highest %d ignored\n", bid, m_iHighestBid);
    return;
  }
  m_iWaitingChair = -1;
  m_iBids[kHumanChair] = bid;
  m_pAI->SetBid(kHumanChair, bid);
  Send(msg::BuildBidResult(kHumanChair, bid, 0));
  AskBid(NextBidTurn(kHumanChair));
}

void SingleServerDDZ::RefusePlay(const char* why) {
  std::printf("SingleServerDDZ: play refused (%s)\n", why);
  Send(msg::BuildPlayTurn(kHumanChair));
}

void SingleServerDDZ::OnPlayRequest(const std::uint8_t* buf, int len) {
  if (m_Phase != Phase::Playing || m_iWaitingChair != kHumanChair) {
    std::printf("SingleServerDDZ: play request out of turn ignored\n");
    return;
  }
  if (len < static_cast<int>(msg::MsgSize::Play)) {
    std::printf("SingleServerDDZ: play request of length %d dropped\n", len);
    return;
  }
  if (buf[kPlayCountOffset] > msg::kMaxPlayCards) return RefusePlay("more than 20 cards");
  msg::PlayRequest request;
  if (!msg::ReadPlayRequest(buf, static_cast<std::size_t>(len), request)) return RefusePlay("unreadable");
  if (static_cast<int>(request.cards.size()) != request.count) return RefusePlay("a byte that is no card");

  const bool leading = m_iLastChair == -1 || m_iLastChair == kHumanChair;
  if (request.count == 0) {
    if (leading) return RefusePlay("a pass while leading");
    m_iWaitingChair = -1;
    Send(msg::BuildPlayed(kHumanChair, {}));
    if (NextPlayTurn(kHumanChair)) PlayTurn((kHumanChair + 1) % kChairs);
    return;
  }

  // Each card must be a card of the player's hand not yet played, each once.
  CPlayerCard* human = m_pAI->Player(kHumanChair);
  std::array<CCard*, msg::kMaxPlayCards> played{};
  for (int i = 0; i < request.count; ++i) {
    for (int slot = 0; slot < CPlayerCard::kMaxCards && played[i] == nullptr; ++slot) {
      CCard* card = human->GetCard(slot);
      if (card == nullptr || card->IsPlayed() || CodeOf(*card) != request.cards[i]) continue;
      bool taken = false;
      for (int k = 0; k < i; ++k) taken = taken || played[k] == card;
      if (!taken) played[i] = card;
    }
    if (played[i] == nullptr) return RefusePlay("a card not in the hand");
  }
  CardTypeInfo type;
  if (!ClueCard::GetCardType(type, request.cards)) return RefusePlay("no pattern");
  if (!leading && ClueCard::CompareCardType(type, m_LastPlayType) < 1) return RefusePlay("does not beat the table");

  m_iWaitingChair = -1;
  std::array<CardByte, msg::kMaxPlayCards> bytes{};
  for (int i = 0; i < request.count; ++i) {
    played[i]->SetPlayed(true);
    bytes[i] = CodeToCardByte(request.cards[i]);
  }
  // The computer players learn of the play (chair 1's record loses the cards).
  if (!m_pAI->OnHumanPlay(bytes.data(), request.count))
    std::printf("SingleServerDDZ: the computer players could not record the player's play\n");
  NotePlay(kHumanChair, type);
  Send(msg::BuildPlayed(kHumanChair, std::span<const CardByte>(bytes.data(), static_cast<std::size_t>(request.count))));
  if (NextPlayTurn(kHumanChair)) PlayTurn((kHumanChair + 1) % kChairs);
}

// ---- the play ----

void SingleServerDDZ::NotePlay(int chair, const CardTypeInfo& type) {
  if (DoublesMultiplier(type)) m_iMultiplier *= 2;
  ++m_iPlayCounts[chair];
  m_iLastChair = chair;
  m_LastPlayType = type;
}

void SingleServerDDZ::PlayTurn(int chair) {
  for (;;) {
    Send(msg::BuildPlayTurn(chair));
    if (chair == kHumanChair) {
      m_iWaitingChair = kHumanChair;
      return;
    }
    ComputerPlay(chair);
    if (!NextPlayTurn(chair)) return;
    chair = (chair + 1) % kChairs;
  }
}

void SingleServerDDZ::ComputerPlay(int chair) {
  std::array<CardByte, msg::kMaxPlayCards> bytes{};
  int count = 0;
  const bool plays = m_pAI->AIPlay(chair, bytes, count) == 1;
  if (plays && count > 0) {
    std::vector<CardCode> cards;
    for (int i = 0; i < count; ++i) cards.push_back(CardByteToCode(bytes[i]));
    CardTypeInfo type;
    if (!ClueCard::GetCardType(type, cards))
      std::printf("SingleServerDDZ: chair %d played %d cards of no pattern\n", chair, count);
    NotePlay(chair, type);
  } else {
    if (plays) {
      // A play without cards stands as a pass: the play to beat stays.
      std::printf("SingleServerDDZ: chair %d played no cards\n", chair);
      m_pAI->SetLastPlayer(m_iLastChair);
    }
    count = 0;
  }
  Send(msg::BuildPlayed(chair, std::span<const CardByte>(bytes.data(), static_cast<std::size_t>(count))));
}

int SingleServerDDZ::CardsLeft(int chair) {
  const CPlayerCard* player = m_pAI->Player(chair);
  if (chair != kHumanChair) return player->GetCardCount();
  int left = 0;
  for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot) {
    const CCard* card = player->GetCard(slot);
    if (card != nullptr && !card->IsPlayed()) ++left;
  }
  return left;
}

bool SingleServerDDZ::NextPlayTurn(int chair) {
  if (CardsLeft(chair) > 0) return true;
  GameOver(chair);
  return false;
}

void SingleServerDDZ::GameOver(int winner) {
  const HandSettlement s = SettleHand(m_iLandlord, winner, m_iHighestBid, m_iMultiplier, m_iPlayCounts);
  m_iMultiplier = s.multiplier;
  msg::HandResultBlocks result;
  result.scores = s.scores;
  result.multiplier = s.multiplier;
  result.landlordWon = s.landlordWon;
  result.spring = s.spring;
  // The computer chairs' cards still held, slot by slot; the player's block
  // stays empty (the player's cards are on the screen).
  for (int chair : {0, 2}) {
    const CPlayerCard* player = m_pAI->Player(chair);
    for (int slot = 0; slot < CPlayerCard::kMaxCards; ++slot) {
      const CCard* card = player->GetCard(slot);
      result.remaining[chair][slot] = card != nullptr && !card->IsPlayed() ? card->ToByte() : 0;
    }
  }
  m_Phase = Phase::Over;
  m_iWaitingChair = -1;
  Send(msg::BuildHandResult(result));
}

}  // namespace ddz
