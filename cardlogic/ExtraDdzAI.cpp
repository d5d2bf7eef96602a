#include "cardlogic/ExtraDdzAI.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "cardlogic/ClueCard.h"

namespace ddz {

ExtraDdzAI::ExtraDdzAI(DeckSeeding seeding) : m_Poker(seeding) {}

void ExtraDdzAI::DealCards() {
  m_iBids.fill(-1);
  m_iLastPlayer = -1;
  m_LastPlay.Clear();
  m_Poker.Shuffle();
  for (int chair = 0; chair < kChairs; ++chair) m_Players[chair].SetHandCards(&m_Poker, chair);
}

int ExtraDdzAI::GetAIBid(int chair) {
  if (!ValidChair(chair)) return 0;
  const int wish = m_Players[chair].GetBidWish();
  m_iBids[chair] = wish;

  int highest = -1;
  int holder = -1;
  for (int c = 0; c < kChairs; ++c) {
    if (m_iBids[c] > highest) {
      highest = m_iBids[c];
      holder = c;
    }
  }

  int bid = wish;
  if (wish <= 0 && highest <= 0) {
    bid = 1;  // nobody has bid: a computer chair always opens, so the hand gets a landlord
  } else if (wish <= highest && holder != chair) {
    bid = 0;
  }
  if (bid >= 1) {
    for (int c = 0; c < kChairs; ++c)
      if (c != chair && m_iBids[c] == bid) bid = 0;
  }
  m_iBids[chair] = bid;
  return bid;
}

void ExtraDdzAI::SetBid(int chair, int bid) {
  if (ValidChair(chair)) m_iBids[chair] = bid;
}

bool ExtraDdzAI::SetLandlord(int chair, int score) {
  if (!ValidChair(chair)) return false;
  m_Players[chair].SetRole(0);
  m_Players[(chair + 1) % kChairs].SetRole(1);
  m_Players[(chair + 2) % kChairs].SetRole(2);
  return m_Players[chair].AddBottomCards(&m_Poker, score);
}

int ExtraDdzAI::AIPlay(int chair, std::span<CardByte> out, int& count) {
  count = 0;
  if (!ValidChair(chair) || out.size() < static_cast<std::size_t>(CPlayerCard::kMaxCards)) return 0;
  const bool leading = m_iLastPlayer < 0 || m_iLastPlayer == chair || m_LastPlay.IsEmpty();
  CPlayerCard& seat = m_Players[chair];
  if (!seat.SearchPlay(&m_LastPlay, leading, &m_Players[0], &m_Players[1], &m_Players[2])) return 0;
  count = CombinationToCards(m_LastPlay, seat, out);
  if (count == 0) std::printf("AIPlay: chair %d holds no cards for its play (type %d)\n", chair, m_LastPlay.iType);
  m_iLastPlayer = chair;
  return 1;
}

bool ExtraDdzAI::OnHumanPlay(const CardByte* cards, int count) {
  constexpr int kHuman = 1;
  if (cards == nullptr || count <= 0 || count > CPlayerCard::kMaxCards) {
    std::printf("OnHumanPlay: dropped a play of %d cards\n", count);
    return false;
  }
  CombinationRecord play;
  if (!CardsToCombination(std::span<const CardByte>(cards, static_cast<std::size_t>(count)), play)) {
    std::printf("OnHumanPlay: dropped %d cards that make no play\n", count);
    return false;
  }
  std::array<int, CPlayerCard::kMaxCards> values{};
  for (int k = 0; k < count; ++k) values[k] = CodeToValue(CardByteToCode(cards[k]));
  play.pPlayer = m_LastPlay.pPlayer;
  play.pPrevPlayer = m_LastPlay.pPrevPlayer;
  if (!m_Players[kHuman].RemovePlayedCards(&play, values.data(), count, &m_Players[0], &m_Players[1],
                                           &m_Players[2])) {
    std::printf("OnHumanPlay: dropped %d cards the human does not hold\n", count);
    return false;
  }
  m_LastPlay = play;
  m_iLastPlayer = kHuman;
  return true;
}

bool ExtraDdzAI::CardsToCombination(std::span<const CardByte> cards, CombinationRecord& out) {
  if (cards.empty() || cards.size() > static_cast<std::size_t>(CPlayerCard::kMaxCards)) return false;
  std::vector<CardCode> codes;
  std::array<int, CPlayerCard::kValueSlots> held{};
  for (CardByte b : cards) {
    const CardCode code = CardByteToCode(b);
    const int v = code < 0 ? -1 : CodeToValue(code);
    if (v < 3 || v > kValueBigJoker) return false;  // no card, or the wildcard
    if (std::find(codes.begin(), codes.end(), code) != codes.end()) return false;  // one card twice
    codes.push_back(code);
    ++held[v];
  }
  CardTypeInfo info;
  if (!ClueCard::GetCardType(info, codes)) return false;
  const int type = info.type;
  const int key = UnspreadOf(info.value);

  CombinationRecord rec;
  int groupMult = 0;
  int wings = 0;
  // code, cards per group value, wing values, values in the group (the key is the top one)
  const auto set = [&](int code, int mult, int wingCount, int length) {
    rec.iType = code;
    rec.iHigh = key;
    rec.iLow = key - (length - 1);
    groupMult = mult;
    wings = wingCount;
  };
  if (type == CardType::Single) set(Combo::Single, 1, 0, 1);
  else if (type == CardType::Pair) set(Combo::Pair, 2, 0, 1);
  else if (type == CardType::Triple) set(Combo::Triple, 3, 0, 1);
  else if (type == CardType::TripleSingle) set(Combo::TripleSingle, 3, 1, 1);
  else if (type == CardType::TriplePair) set(Combo::TriplePair, 3, 1, 1);
  else if (type >= CardType::StraightFirst && type <= CardType::StraightLast) set(Combo::Straight, 1, 0, type - 16);
  else if (type >= CardType::PairStraightFirst && type <= CardType::PairStraightLast)
    set(Combo::PairStraight, 2, 0, type - 32);
  else if (type >= CardType::PlaneFirst && type <= CardType::PlaneLast) set(Combo::Plane, 3, 0, type - 57);
  else if (type >= CardType::PlaneWingsFirst && type <= CardType::PlaneWingsLast) {
    const int triples = CardType::PlaneWingsTriples(type);
    set(CardType::PlaneWingsArePairs(type) ? Combo::PlanePairs : Combo::PlaneSingles, 3, triples, triples);
  } else if (type == CardType::FourTwoSingles) set(Combo::FourTwoSingles, 4, 2, 1);
  else if (type == CardType::FourTwoPairs) set(Combo::FourTwoPairs, 4, 2, 1);
  else if (type == CardType::Bomb) set(Combo::Bomb, 4, 0, 1);
  else if (type == CardType::Rocket) set(Combo::Rocket, 0, 0, 1);
  else return false;
  if (rec.iType == Combo::TripleSingle || rec.iType == Combo::PlaneSingles || rec.iType == Combo::FourTwoSingles)
    rec.iWingKind = kWingSingles;
  if (rec.iType == Combo::TriplePair || rec.iType == Combo::PlanePairs || rec.iType == Combo::FourTwoPairs)
    rec.iWingKind = kWingPairs;

  // The wings are the cards left once the group is taken out.
  if (wings > 0) {
    for (int v = rec.iLow; v <= rec.iHigh; ++v) held[v] -= groupMult;
    int n = 0;
    const int per = rec.iWingKind == kWingPairs ? 2 : 1;
    for (int v = 3; v <= kValueBigJoker; ++v) {
      if (held[v] < 0 || held[v] % per != 0) return false;
      for (int k = 0; k < held[v] / per; ++k) {
        if (n >= kMaxWings) return false;
        rec.iWings[n++] = v;
      }
    }
    if (n != wings) return false;
  }
  rec.pPlayer = out.pPlayer;
  rec.pPrevPlayer = out.pPrevPlayer;
  out = rec;
  return true;
}

int ExtraDdzAI::CombinationToCards(const CombinationRecord& record, const CPlayerCard& seat, std::span<CardByte> out) {
  std::array<int, CPlayerCard::kMaxCards> values{};
  int n = 0;
  const auto add = [&](int v, int times) {
    for (int k = 0; k < times; ++k) {
      if (n >= CPlayerCard::kMaxCards) return false;
      values[n++] = v;
    }
    return true;
  };
  int groupMult = 0;
  int wingMult = 0;
  int wings = 0;
  const int chain = record.iHigh - record.iLow + 1;
  switch (record.iType) {
    case Combo::Plane: groupMult = 3; break;
    case Combo::PlaneSingles: groupMult = 3; wingMult = 1; wings = chain; break;
    case Combo::PlanePairs: groupMult = 3; wingMult = 2; wings = chain; break;
    case Combo::PairStraight: groupMult = 2; break;
    case Combo::Straight: groupMult = 1; break;
    case Combo::Bomb: groupMult = 4; break;
    case Combo::FourTwoSingles: groupMult = 4; wingMult = 1; wings = 2; break;
    case Combo::FourTwoPairs: groupMult = 4; wingMult = 2; wings = 2; break;
    case Combo::Triple: groupMult = 3; break;
    case Combo::TripleSingle: groupMult = 3; wingMult = 1; wings = 1; break;
    case Combo::TriplePair: groupMult = 3; wingMult = 2; wings = 1; break;
    case Combo::Pair: groupMult = 2; break;
    case Combo::Single: groupMult = 1; break;
    case Combo::Rocket: break;
    default: return 0;
  }
  if (record.iType == Combo::Rocket) {
    add(kValueBigJoker, 1);
    add(kValueSmallJoker, 1);
  } else {
    if (chain < 1 || wings > kMaxWings) return 0;
    for (int v = record.iHigh; v >= record.iLow; --v)
      if (!add(v, groupMult)) return 0;
    for (int k = 0; k < wings; ++k)
      if (!add(record.iWings[k], wingMult)) return 0;
  }
  if (out.size() < static_cast<std::size_t>(n)) return 0;

  // The first unplayed card of each value, each slot once; nothing is marked
  // unless every card is found.
  std::array<CCard*, CPlayerCard::kMaxCards> picked{};
  for (int k = 0; k < n; ++k) {
    for (int slot = 0; slot < CPlayerCard::kMaxCards && picked[k] == nullptr; ++slot) {
      CCard* card = seat.GetCard(slot);
      if (card == nullptr || card->IsPlayed() || card->ValueIndex() != values[k]) continue;
      if (std::find(picked.begin(), picked.begin() + k, card) != picked.begin() + k) continue;
      picked[k] = card;
    }
    if (picked[k] == nullptr) return 0;
  }
  for (int k = 0; k < n; ++k) {
    CCard* card = picked[k];
    card->SetPlayed(true);
    const int v = card->Value();
    out[k] = v >= kValueSmallJoker ? static_cast<CardByte>(v) : static_cast<CardByte>((card->Suit() << 5) | v);
  }
  return n;
}

}  // namespace ddz
