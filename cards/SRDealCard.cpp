#include "cards/SRDealCard.h"

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"

namespace {

DealCard::DealNumbers FourSeatNumbers() {
  DealCard::DealNumbers n;
  n.seats = SRDealCard::kSeats;
  n.ownCards = SRDealCard::kOwnCards;
  n.totalCards = SRDealCard::kTotalCards;
  n.bottomCards = SRDealCard::kBottomCards;
  n.landerPositions = SRDealCard::kLanderPositions;
  n.landerStride = SRDealCard::kSeats;
  n.landerLead = 8;
  n.passStepMs = SRDealCard::kPassStepMs;
  n.lastSoundedPass = SRDealCard::kOwnCards;
  n.ownWildcardValue = 0;
  return n;
}

constexpr int kGoldenNumberMax = 15;

}  // namespace

SRDealCard::SRDealCard(ITableRowOwner* owner, const std::array<Vell_SpriteCardManage*, kSeatSlots>& seatRows,
                       BaseCard* baseCard)
    : DealCard(owner, seatRows, baseCard, FourSeatNumbers()) {}

void SRDealCard::ShowLandCard(const std::uint8_t* ownCardBytes, int unused, std::uint8_t landerByte, int landerSeat,
                              int goldenNumber) {
  if (goldenNumber >= 1 && goldenNumber <= kGoldenNumberMax) {
    m_iGoldenRank = goldenNumber - 1;
  } else {
    m_iGoldenRank = -1;
    cocos2d::log("SRDealCard::ShowLandCard: golden number %d is no card, no golden card", goldenNumber);
  }
  if (CardByteToSpriteIndex(landerByte) < 0) cocos2d::log("[Error] landCard error card = -1");
  StartDeal(ownCardBytes, unused, landerByte, landerSeat);
}

DealCard::PilePlace SRDealCard::PilePlaceOf() const {
  return {g_fSRDealCardIniScale, g_iSRDealCardIniGap, g_ptSRDealCardIni};
}

DealCard::FlyPath SRDealCard::FlyPathOf(int seat) const {
  // The seats above and below the table (1 and 3) turn their card and fly in y.
  const bool down = seat == 1 || seat == 3;
  return {g_ptSRDealCardFlyCard[seat], g_ptSRDealCardFlyCardStop[seat], down};
}

DealCard::LanderPlace SRDealCard::LanderPlaceOf(int seat) const { return {g_ptSRLanderCard[seat], g_fSRSendCardScale}; }

bool SRDealCard::OwnCardFocus(int card) const { return m_iGoldenRank >= 0 && card % 15 == m_iGoldenRank; }
