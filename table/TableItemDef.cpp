#include "table/TableItemDef.h"

void TableItemDef::Clear() {
  for (int seat = 0; seat < kSeats; ++seat) {
    iPointDemand[seat] = -1;
    iCompeteAmount[seat] = 0;
    iTuoGuan[seat] = 0;
    for (std::int32_t& card : iLastOutCard[seat]) card = -1;
  }
  iLandOwnerPos = -1;
  iFinalPoint = 0;
  iBaseScore = 0;
  iTimes = 1;
  iTableCardOwnerPos = -1;
  iSendBombNum = 0;
  iShowCardTable = -1;
  iSelfTurnCount = -1;
  bSendRocket = false;
  bPlayBombSound = false;
  cHappyCard = -1;
  vcBaseCardIndex.clear();
  vcTableCardIndex.clear();
}
