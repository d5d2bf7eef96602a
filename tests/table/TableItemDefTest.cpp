#include <gtest/gtest.h>

#include "table/TableItemDef.h"

namespace {

void ExpectStartValues(const TableItemDef& t) {
  for (int seat = 0; seat < TableItemDef::kSeats; ++seat) {
    SCOPED_TRACE(seat);
    EXPECT_EQ(t.iPointDemand[seat], -1);
    EXPECT_EQ(t.iCompeteAmount[seat], 0);
    EXPECT_EQ(t.iTuoGuan[seat], 0);
    for (int i = 0; i < TableItemDef::kLastOutCards; ++i) EXPECT_EQ(t.iLastOutCard[seat][i], -1) << i;
  }
  EXPECT_EQ(t.iLandOwnerPos, -1);
  EXPECT_EQ(t.iFinalPoint, 0);
  EXPECT_EQ(t.iBaseScore, 0);
  EXPECT_EQ(t.iTimes, 1);
  EXPECT_EQ(t.iTableCardOwnerPos, -1);
  EXPECT_EQ(t.iSendBombNum, 0);
  EXPECT_EQ(t.iShowCardTable, -1);
  EXPECT_EQ(t.iSelfTurnCount, -1);
  EXPECT_FALSE(t.bSendRocket);
  EXPECT_FALSE(t.bPlayBombSound);
  EXPECT_EQ(t.cHappyCard, -1);
  EXPECT_TRUE(t.vcBaseCardIndex.empty());
  EXPECT_TRUE(t.vcTableCardIndex.empty());
}

TEST(TableItemDef, ANewRecordHoldsTheStartValues) { ExpectStartValues(TableItemDef()); }

TEST(TableItemDef, ClearPutsEveryFieldOfAPlayedHandBack) {
  TableItemDef t;
  // Every field set to a value other than its start value.
  for (int seat = 0; seat < TableItemDef::kSeats; ++seat) {
    t.iPointDemand[seat] = 3;
    t.iCompeteAmount[seat] = 1200;
    t.iTuoGuan[seat] = 1;
    for (int i = 0; i < TableItemDef::kLastOutCards; ++i) t.iLastOutCard[seat][i] = 40 + i;
  }
  t.iLandOwnerPos = 2;
  t.iFinalPoint = 3;
  t.iBaseScore = 50;
  t.iTimes = 16;
  t.iTableCardOwnerPos = 0;
  t.iSendBombNum = 2;
  t.iShowCardTable = 1;
  t.iSelfTurnCount = 6;
  t.bSendRocket = true;
  t.bPlayBombSound = true;
  t.cHappyCard = 9;
  t.vcBaseCardIndex = {13, 14, 28};
  t.vcTableCardIndex.assign(20, 7);
  const auto baseCapacity = t.vcBaseCardIndex.capacity();
  const auto tableCapacity = t.vcTableCardIndex.capacity();

  t.Clear();

  ExpectStartValues(t);
  // The lists are emptied, not given back: the next hand reuses their storage.
  EXPECT_EQ(t.vcBaseCardIndex.capacity(), baseCapacity);
  EXPECT_EQ(t.vcTableCardIndex.capacity(), tableCapacity);
}

}  // namespace
