// The Super view's re-login snapshot (during the bidding and after the
// landlord is known) and the background and foreground: the message lock,
// the deal, what is pending and the rules button.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SuperTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/BaseCard.h"
#include "cards/DealCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SpriteCardManage.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "support/MidDealBackground.h"
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

// The window goes away in the middle of a network hand's deal: the deal goes
// with the table, so the re-login's snapshot alone fills the hands and the
// bottom-card row.
TEST_F(SuperRelogin, ABackgroundDuringTheDealLeavesTheHandsToTheSnapshot) {
  view->Deliver(ModeMsg(1));
  view->Deliver(DealMsg());
  ASSERT_NO_FATAL_FAILURE(ddz::test::LeaveAndComeBackMidDeal(
      *view, [this](int n) { tick(n, 0.05f); }, [this] { return CardCount(1); }, 17));
  std::vector<char> s = Snapshot(-1, 2);
  view->CallBackAgainLogin(s.data(), static_cast<int>(s.size()));
  tick(200, 0.05f);
  EXPECT_EQ(CardCount(1), 17);
  EXPECT_EQ(CardCount(0), 17);
  EXPECT_EQ(CardCount(2), 17);
  EXPECT_EQ(view->m_pBaseCard->GetCardCount(), 3);
  auto* deal = dynamic_cast<DealCard*>(view->m_pDealCard);
  ASSERT_NE(deal, nullptr);
  EXPECT_FALSE(deal->IsDealing());
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
}

// In the single-player game the table goes on where it was: what the
// background stopped runs again once the window is back.
TEST_F(SuperRelogin, ASinglePlayerForegroundArmsAgainWhatTheBackgroundStopped) {
  // The sit request of the login, a second later.
  view->Deliver(ModeMsg(0));
  const int starts = view->server->starts;
  view->CallBackAuthenResOK();
  ASSERT_TRUE(view->IsSitRequestPending());
  view->CallBackGameEnterBackGround();
  tick(30, 0.1f);
  view->CallBackGameEnterForeGround();
  tick(12, 0.1f);
  EXPECT_EQ(view->server->starts, starts + 1) << "the table sits and deals";
  EXPECT_FALSE(view->IsSitRequestPending());

  // The own landlord's raised bottom cards drop 2 s after they came.
  view->Deliver(DealMsg());
  RunUntilUnlocked();
  view->Deliver(Landlord(1, 3));
  RunUntilUnlocked();
  SuperSelfHandCard* hand = view->GetSelfHand();
  ASSERT_EQ(hand->SelectedCodes().size(), 3u);
  view->CallBackGameEnterBackGround();
  tick(30, 0.1f);
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(hand->SelectedCodes().size(), 3u);
  tick(21, 0.1f);
  EXPECT_TRUE(hand->SelectedCodes().empty());
}

// A player who comes back sees the other hands' warning lamp and hears the
// warning again when one to three cards are left.
TEST_F(SuperRelogin, TheOtherHandsWarnAgainAfterTheSnapshot) {
  view->Deliver(ModeMsg(1));
  std::vector<char> s = Snapshot(0, 8);
  for (int i = 2; i < 20; ++i) s[144 + i] = 0;  // chair 0 holds two cards
  SoundManage::shareSoundManage()->ClearCalls();
  view->CallBackAgainLogin(s.data(), static_cast<int>(s.size()));
  tick(5, 0.1f);
  auto* left = dynamic_cast<OtherHandCard*>(view->m_pHandCard[0]);
  auto* right = dynamic_cast<OtherHandCard*>(view->m_pHandCard[2]);
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(left->GetCardCount(), 2);
  ASSERT_NE(left->GetWarningLamp(), nullptr);
  EXPECT_TRUE(left->GetWarningLamp()->isVisible());
  EXPECT_TRUE(right->m_bWarningArmed);
  const std::vector<std::string> sounds = SoundManage::shareSoundManage()->GetPlayedSounds();
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), OtherHandCard::kWarningSound), 1);
}

// The rules button goes with the table at the background and is made anew at
// the foreground.
TEST_F(SuperRelogin, TheForegroundMakesTheRulesButtonAgain) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  GameViewBase::m_GlobalInfo.iGuideShowTimes = 1;
  view->Deliver(ModeMsg(1));
  Frame settings = FrameOf(38, 25);
  settings[17] = 1;  // two pairs make a pair straight
  view->Deliver(settings);
  ASSERT_NE(view->m_pRulesButton, nullptr);
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(view->m_pRulesButton, nullptr);
  view->CallBackGameEnterForeGround();
  ASSERT_NE(view->m_pRulesButton, nullptr);
  EXPECT_EQ(view->m_pRulesButton->getParent(), view);
  GameMsgBox::shareMessageBox()->CloseDialog(0);  // no game server answers here
  tick(1);
  tap(view->m_pRulesButton->getPosition());
  EXPECT_NE(view->getChildByTag(SuperGameView::kSpecialRuleTag), nullptr) << "the new button opens the rules";
}

}  // namespace
}  // namespace supertest
