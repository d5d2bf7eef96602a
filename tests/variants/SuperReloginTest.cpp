// The Super view's re-login snapshot (during the bidding and after the
// landlord is known) and the background and foreground around the message
// lock.
#include <gtest/gtest.h>

#include <vector>

#include "SuperTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/SpriteCardManage.h"
#include "platform/gamebase/MainMsgLock.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUI.h"

namespace supertest {
namespace {

// A snapshot of 552 bytes: every chair holds 17 cards, chair 1 (own) 3..K of
// hearts and four more; the landlord chair and the multiple as given.
std::vector<char> Snapshot(int landlordChair, int times) {
  std::vector<char> s(SuperGameView::kReloginSize, 0);
  for (int chair = 0; chair < 3; ++chair)
    for (int i = 0; i < 17; ++i) s[144 + 20 * chair + i] = static_cast<char>(0x20 | (3 + i % 11));
  s[204] = 0x41;
  s[205] = 0x42;
  s[206] = 0x43;
  s[207] = static_cast<char>(landlordChair);
  s[209] = 3;
  auto be = [&](int at, int v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(static_cast<std::uint32_t>(v) >> (24 - 8 * i));
  };
  be(212, times);
  be(248, 10);
  s[238] = 4;
  s[239] = 0;
  s[240] = 7;
  return s;
}

using SuperRelogin = SuperTest;

TEST_F(SuperRelogin, DuringTheBiddingThePointSignsAndThreeFaceDownBottomCardsAreBack) {
  view->Deliver(ModeMsg(1));
  std::vector<char> s = Snapshot(-1, 2);
  view->CallBackAgainLogin(s.data(), static_cast<int>(s.size()));
  EXPECT_EQ(CardCount(1), 17);
  EXPECT_EQ(CardCount(0), 17);
  EXPECT_EQ(CardCount(2), 17);
  ASSERT_NE(view->m_pBaseCard, nullptr);
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 3);
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, -1);
  EXPECT_EQ(view->m_TableItem.iPointDemand[0], 4);
  ASSERT_NE(view->m_pPlayerGameInfo[0]->GetPoint(), nullptr);
  EXPECT_TRUE(view->m_pPlayerGameInfo[0]->GetPoint()->isVisible());
  EXPECT_EQ(view->m_TableItem.iTimes, 2);
}

TEST_F(SuperRelogin, AfterTheLandlordThePlayOnTheTableKeepsItsWildcardMarks) {
  view->Deliver(ModeMsg(1));
  std::vector<char> s = Snapshot(0, 8);
  // Chair 0 has 5-5-5 on the table, the last five its small joker.
  s[217] = 0x05;
  s[218] = 0x25;
  s[219] = 0x45;
  s[237] = 0;
  s[530] = 16;
  s[534] = 0x45;
  s[538] = 48;
  s[539] = 5;
  // Played so far: two threes.
  s[252] = 0x03;
  s[253] = 0x23;
  view->CallBackAgainLogin(s.data(), static_cast<int>(s.size()));
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, 0);
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 0);
  EXPECT_EQ(view->m_TableItem.iTimes, 8);
  EXPECT_EQ(view->m_TableItem.iBaseScore, 10);
  EXPECT_EQ(view->m_TableItem.vcBaseCardIndex.size(), 3u);
  EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), 3u);
  auto* row = dynamic_cast<SpriteCardManage*>(view->m_pSendCard[0]);
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->GetCardCount(), 3);
  int marked = 0;
  for (const SpriteCardInfo* card : row->GetCards())
    if (card->iWildcardValue == ddz::CardByteToCode(16)) ++marked;
  EXPECT_EQ(marked, 1);
  // The doubled seat wears its mark; the bottom cards left the bottom-card row.
  ASSERT_NE(view->m_pPlayerGameInfo[2]->GetAddPound(), nullptr);
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 0);
  if (CardCounterLayer* counter = view->m_pSuperTopUI->GetCardCounter()) {
    EXPECT_EQ(counter->GetCount(counter->ColumnOf(ddz::CardByteToCode(0x03))), 2);
  }
}

// The snapshot's task panel: big-endian main type, sub-type and amount, the
// two raw int32 as they stand, the completed cap when the sub-type's stored
// bytes and the done byte are both positive; none in the single-player game.
TEST_F(SuperRelogin, TheTaskPanelComesBackWithItsCompletedCap) {
  view->Deliver(ModeMsg(1));
  struct Case {
    const char* name;
    bool single;
    int subType;
    std::uint8_t done;
    bool cap;
  } const cases[] = {
      {"a task in progress", false, 34, 0, false},
      {"a task done", false, 34, 1, true},
      {"done, but the stored sub-type is negative", false, 0x0100'0080, 1, false},
      {"single-player: no panel", true, 34, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameViewBase::m_GlobalInfo.iPlayMode = c.single ? 1 : 0;
    if (view->m_pTaskUI != nullptr) static_cast<cocos2d::Node*>(view->m_pTaskUI)->removeFromParent();
    view->m_pTaskUI = nullptr;
    std::vector<char> s = Snapshot(0, 8);
    auto be = [&](int at, int v) {
      for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(static_cast<std::uint32_t>(v) >> (24 - 8 * i));
    };
    be(316, 1);
    be(308, c.subType);
    be(312, 600);
    s[540] = static_cast<char>(c.done);
    s[544] = 25;
    s[548] = 9;
    view->CallBackAgainLogin(s.data(), static_cast<int>(s.size()));
    if (c.single) {
      EXPECT_EQ(view->m_pTaskUI, nullptr);
      continue;
    }
    TaskUI* panel = view->m_pTaskUI;
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isRunning());
    EXPECT_EQ(panel->iMainType, 1);
    EXPECT_EQ(panel->iSubType, c.subType);
    EXPECT_EQ(panel->iJPNum, 600);
    EXPECT_EQ(panel->iPrizeType, 0);
    EXPECT_EQ(panel->m_iAddPercent, 25);
    EXPECT_EQ(panel->m_iAddSeconds, 9);
    EXPECT_FALSE(panel->IsTaskAniRunning());
    EXPECT_EQ(panel->GetCap() != nullptr, c.cap);
  }
}

TEST_F(SuperRelogin, AShortSnapshotOrOneBeforeTheTableChangesNothing) {
  std::vector<char> s = Snapshot(0, 8);
  view->CallBackAgainLogin(s.data(), static_cast<int>(s.size()));  // no table yet
  EXPECT_EQ(view->m_TableItem.iTimes, 1);
  view->Deliver(ModeMsg(1));
  view->CallBackAgainLogin(s.data(), SuperGameView::kReloginSize - 1);
  EXPECT_EQ(view->m_TableItem.iTimes, 1);
  EXPECT_EQ(CardCount(1), 0);
}

TEST_F(SuperRelogin, TheBackgroundHoldsTheMessagesOnceAndTheForegroundLowersItOnce) {
  view->Deliver(ModeMsg(1));
  view->m_pPlayerNode[0] = nullptr;
  view->m_pPlayerNode[2] = nullptr;
  view->CallBackPlayerReady(1);
  EXPECT_TRUE(view->IsAutoChangeDeskPending());
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  EXPECT_FALSE(view->IsAutoChangeDeskPending());
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
}

}  // namespace
}  // namespace supertest
