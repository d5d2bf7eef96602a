// The re-login snapshot laid out on the classic table: one table of
// snapshots and the table state each gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "HandTestSupport.h"
#include "cards/SelfHandCard.h"
#include "classic/BottomUIPC.h"
#include "gamedata/LayoutConfig.h"
#include "widgets/CardCounterLayer.h"
#include "cards/BaseCard.h"
#include "classic/TopUIPC.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/TaskUI.h"

namespace classictest {
namespace {

inline void PutBE(Frame& f, std::size_t at, int v) {
  for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (24 - 8 * i));
}

// A snapshot: chair c holds `handSize` cards, bids `bid`; base score 10,
// stake 60, called points 2.
Frame Snapshot(int landlord, int handSize = 17) {
  Frame f = FrameOf(0, GameViewPC::kReloginSize);
  const char text[] = "table 7";
  std::memcpy(f.data() + 33, text, sizeof text);
  for (int chair = 0; chair < 3; ++chair) {
    for (int i = 0; i < handSize; ++i) f[144 + 20 * chair + i] = ddz::DeckCardToByte(chair, 3 + i % 11);
    f[238 + chair] = static_cast<std::uint8_t>(chair == 2 ? 3 : 1);
  }
  f[204] = 0x21;
  f[205] = 0x22;
  f[206] = 0x23;
  f[207] = static_cast<std::uint8_t>(landlord);
  f[209] = 2;
  PutBE(f, 212, 60);
  PutBE(f, 244, 8000);
  PutBE(f, 248, 10);
  f[252] = 0x25;
  f[253] = 0x45;
  PutBE(f, 308, 4);
  PutBE(f, 312, 1);
  PutBE(f, 316, 1);
  return f;
}

class ReloginTest : public HandTest {
 protected:
  void Restore(const Frame& f, int len = -1) {
    std::vector<char> copy(f.begin(), f.end());
    view->CallBackAgainLogin(copy.data(), len < 0 ? static_cast<int>(copy.size()) : len);
  }
};

TEST_F(ReloginTest, SnapshotsGiveTheTableState) {
  Frame bidding = Snapshot(-1);
  Frame played = Snapshot(0);
  played[217] = 0x29;  // seat 2's pair of nines lies on the table
  played[218] = 0x49;
  played[237] = 2;
  Frame emptyLast = Snapshot(2);
  Frame baseZero = Snapshot(0);
  PutBE(baseZero, 248, 0);
  Frame negativeBase = Snapshot(0);
  PutBE(negativeBase, 248, -5);
  PutBE(negativeBase, 212, -60);
  const struct {
    const char* what;
    Frame frame;
    int landlord, tableOwner, times, bottomBacks, ownCards, seat0Cards, tableCards;
    int pointSigns;
  } cases[] = {
      {"bidding: three bottom backs and the bid signs", bidding, -1, -1, 6, 3, 17, 17, 0, 3},
      {"landlord 0, seat 2's pair on the table", played, 0, 2, 6, 3, 17, 17, 2, 0},
      {"an empty last play: the landlord owns the table", emptyLast, 2, 2, 6, 3, 17, 17, 0, 0},
      {"base 0: multiple 1", baseZero, 0, 0, 1, 3, 17, 17, 0, 0},
      {"a negative base: multiple 1", negativeBase, 0, 0, 1, 3, 17, 17, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restore(c.frame);
    EXPECT_EQ(view->m_TableItem.iLandOwnerPos, c.landlord);
    if (c.landlord >= 0) {
      EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, c.tableOwner);
    }
    EXPECT_EQ(view->m_TableItem.iTimes, c.times);
    EXPECT_EQ(view->m_TableItem.iFinalPoint, 3);  // the highest bid over the called 2
    EXPECT_EQ(view->m_pBaseCard->GetCardCount(), c.bottomBacks);
    EXPECT_EQ(CardCount(1), c.ownCards);  // laid out anew, not added twice
    EXPECT_EQ(CardCount(0), c.seat0Cards);
    EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), static_cast<std::size_t>(c.tableCards));
    if (c.tableOwner >= 0) {
      EXPECT_EQ(view->m_pSendCard[c.tableOwner]->GetCardCount(), c.tableCards);
    }
    int signs = 0;
    for (int seat = 0; seat < 3; ++seat) signs += view->m_pPlayerGameInfo[seat]->GetPoint() != nullptr ? 1 : 0;
    EXPECT_EQ(signs, c.pointSigns);
    if (c.landlord >= 0) {
      EXPECT_NE(view->m_pPlayerGameInfo[c.landlord]->GetLandOwner(), nullptr);
      EXPECT_EQ(view->m_iSendRowRole[c.landlord], 2);
      EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 3u);
    }
    EXPECT_EQ(view->m_iTopScoreCap, 8000);
    EXPECT_EQ(view->GetInfoLabel()->getString(), "table 7");
    EXPECT_EQ(view->m_pTaskUI, nullptr);  // single-player: no task panel
    RunUntilUnlocked();
  }
}

TEST_F(ReloginTest, ANetworkSnapshotMakesTheTaskPanel) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  Restore(Snapshot(0));
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  ASSERT_NE(view->m_pTaskUI, nullptr);
  EXPECT_EQ(view->m_pTaskUI->iSubType, 4);
  EXPECT_EQ(view->m_pTaskUI->iPrizeType, 0);  // running
  EXPECT_EQ(view->m_pTaskUI->getParent(), view);
}

TEST_F(ReloginTest, TruncatedSnapshotsAndBadSeatsAreDropped) {
  Restore(Snapshot(-1));
  const int times = view->m_TableItem.iTimes;
  Frame badLandlord = Snapshot(5);
  Frame badTableSeat = Snapshot(0);
  badTableSeat[217] = 0x29;
  badTableSeat[237] = 9;
  const struct {
    const char* what;
    Frame frame;
    int len;
  } cases[] = {
      {"one byte short", Snapshot(0), GameViewPC::kReloginSize - 1},
      {"header only", Snapshot(0), 8},
      {"a landlord seat that is none", badLandlord, -1},
      {"a last-play seat that is none", badTableSeat, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restore(c.frame, c.len);
    EXPECT_EQ(view->m_TableItem.iLandOwnerPos, -1);
    EXPECT_EQ(view->m_TableItem.iTimes, times);
    EXPECT_EQ(CardCount(1), 17);
    EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 3);
  }
}

// Card bytes that name no card are empty places: 0xFF and the other bytes
// below 0 (as signed bytes) as the snapshot pads with them, and bytes that
// are no card at all; the jokers 144 and 177 stay cards.
TEST_F(ReloginTest, BytesThatNameNoCardAreEmptyPlacesNotARefusal) {
  Frame f = Snapshot(0);
  f[144 + 20 + 3] = 0xFF;   // own hand: one place empty
  f[144 + 20 + 17] = 144;   // and both jokers added at its end
  f[144 + 20 + 18] = 177;
  f[144 + 5] = 0x3F;        // seat 0: value 31 names no card
  f[144 + 40 + 17] = 0xE0;  // seat 2: an extra place, empty
  f[204] = 0xFF;            // one bottom card empty
  f[217] = 0x29;            // seat 2's pair of nines with an empty place between
  f[218] = 0xFF;
  f[219] = 0x49;
  f[237] = 2;
  f[254] = 0xFF;            // the counter's list: one more empty place
  f[255] = 0x26;
  Restore(f);
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, 0);
  EXPECT_EQ(CardCount(1), 18);
  const std::vector<int> own = view->GetSelfHand()->HandCodes();
  EXPECT_NE(std::find(own.begin(), own.end(), ddz::kSmallJokerCode), own.end());
  EXPECT_NE(std::find(own.begin(), own.end(), ddz::kBigJokerCode), own.end());
  EXPECT_EQ(CardCount(0), 16);
  EXPECT_EQ(CardCount(2), 17);
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 2u);
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), 2u);
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 2);
  EXPECT_EQ(view->m_pBottomUIPC->m_pCardCounter->GetCount(2) + view->m_pBottomUIPC->m_pCardCounter->GetCount(3),
            3);  // two 5s and a 6
}

// The restored table is the table of a re-login: the exit state says so, and
// the landlord hat stands at its place at once, with no entrance, no sound
// and no hold on the messages.
TEST_F(ReloginTest, TheRestoredHatStandsAtOnceAndTheExitStateIsRelogin) {
  TakeSounds();
  Restore(Snapshot(2));
  EXPECT_EQ(g_iExitState, 1);
  cocos2d::Sprite* hat = view->m_pPlayerGameInfo[2]->GetLandOwner();
  ASSERT_NE(hat, nullptr);
  EXPECT_TRUE(hat->isVisible());
  EXPECT_EQ(hat->getPosition(), g_ptLandOwner[2]);
  EXPECT_EQ(hat->getNumberOfRunningActions(), 0u);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  for (const std::string& sound : TakeSounds()) EXPECT_NE(sound, "ddzSound/222.mp3");
}

// Scores and multiples come from the server as 32-bit numbers: what they
// make on the top bar stops at an int's end instead of wrapping (the base
// score is the called points times the base; a bomb doubles the multiple).
TEST_F(ReloginTest, NumbersBeyondAnIntStopAtItsEnd) {
  Frame huge = Snapshot(0);
  huge[209] = 42;
  PutBE(huge, 248, 625370888);
  PutBE(huge, 212, 1);
  Restore(huge);
  EXPECT_EQ(view->m_pTopUIPC->GetLabel(0)->getString(), "2147483647");
  RunUntilUnlocked();

  Frame hugeStake = Snapshot(0);
  PutBE(hugeStake, 248, 1);
  PutBE(hugeStake, 212, INT_MAX);
  Restore(hugeStake);
  ASSERT_EQ(view->m_TableItem.iTimes, INT_MAX);
  RunUntilUnlocked();
  view->Deliver(Played(2, {0x09, 0x29, 0x49, 0x69}));
  EXPECT_EQ(view->m_TableItem.iTimes, INT_MAX);

  // The table fee of a call-and-rob snapshot comes off each seat's money.
  Frame fee = Snapshot(0);
  fee[140] = 1;
  PutBE(fee, 468, INT_MAX);
  view->GetPlayerNode(0)->iMoney = -5;
  view->GetPlayerNode(2)->iMoney = 7;
  Restore(fee);
  EXPECT_EQ(view->GetPlayerNode(0)->iMoney, INT_MIN);
  EXPECT_EQ(view->GetPlayerNode(2)->iMoney, 7 - INT_MAX);
}

}  // namespace
}  // namespace classictest
