// The top bar base: the two chat requests, the talk lock, which popups a
// newly opened one closes, the buttons a waiting screen locks, and the phrase
// list's ownership.
#include "ChatWidgetsTestSupport.h"

#include "platform/framework/YndRemoveChildManage.h"

namespace chattest {
namespace {

class TopUIBaseTest : public ChatWidgetsTest {
 protected:
  void SetUp() override {
    ChatWidgetsTest::SetUp();
    bar = TestBar::create(view);
    view->addChild(bar);
  }
  TestBar* bar = nullptr;
};

TEST_F(TopUIBaseTest, ThePhraseAndFaceRequestsAreTwelveBytesWithTheIndexAndTheOwnChair) {
  struct Case {
    int type;
    int index;
    int chair;
    std::uint8_t byte8;
    std::uint8_t byte9;
  };
  const Case cases[] = {
      {201, 7, 2, 7, 2},
      {248, 4, 0, 4, 0},
      {248, 0x1ff, 0x102, 0xff, 0x02},  // only the low bytes go out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.index << " " << c.chair);
    GameViewBase::m_GlobalInfo.iChairID = c.chair;
    const std::size_t before = view->Requests().size();
    if (c.type == 201) static_cast<TopUIBase*>(bar)->TopUIBase::OnSendFaceMsg(c.index);
    else static_cast<TopUIBase*>(bar)->TopUIBase::OnSendTalkMsg(c.index);
    ASSERT_EQ(view->Requests().size(), before + 1);
    Bytes expected(12, 0);
    expected[1] = static_cast<std::uint8_t>(c.type);  // the send call writes type and length
    expected[2] = 12;
    expected[8] = c.byte8;
    expected[9] = c.byte9;
    EXPECT_EQ(view->Requests().back(), expected);
  }
}

TEST_F(TopUIBaseTest, ABareBarSendsWithoutLockingAndHasNoButtonsToTouch) {
  auto* bare = new TopUIBase(view);
  bare->autorelease();
  view->addChild(bare);
  bare->OnSendTalkMsg(1);
  bare->SetTalkBtnEnabled(false);
  bare->SetCardCountBtnEnabled(false);
  bare->CallBackSendTalk();
  bare->SetTopBtnsEnabled(false);
  bare->CloseOtherWin(2);
  EXPECT_EQ(view->Requests().size(), 1u);
  for (int i = 0; i < TopUIBase::kTopBtnCount; ++i) EXPECT_EQ(bare->GetTopBtn(i), nullptr);
  run(11);  // the lock's end finds no button either
}

TEST_F(TopUIBaseTest, ASecondSendWithinTenSecondsRestartsTheTalkLock) {
  bar->OnSendTalkMsg(0);
  EXPECT_FALSE(bar->Enabled(TopUIBase::kTalkBtn));
  run(4);
  bar->OnSendFaceMsg(3);
  run(9.9f);  // 13.9 s after the first send, 9.9 s after the second
  EXPECT_FALSE(bar->Enabled(TopUIBase::kTalkBtn));
  run(0.2f);
  EXPECT_TRUE(bar->Enabled(TopUIBase::kTalkBtn));
  // The lock ran once: enabling stays.
  bar->SetTalkBtnEnabled(false);
  run(11);
  EXPECT_FALSE(bar->Enabled(TopUIBase::kTalkBtn));
}

TEST_F(TopUIBaseTest, ThePhraseListLocksTheTalkButtonBeforeItSends) {
  bar->OpenTalk();
  tick();
  bar->GetTalkLayer()->SendTalk(2);
  EXPECT_FALSE(bar->Enabled(TopUIBase::kTalkBtn));
  ASSERT_EQ(view->Requests().size(), 1u);
  EXPECT_EQ(view->Requests()[0][1], 248);
  EXPECT_EQ(view->Requests()[0][8], 2);
  run(10.1f);
  EXPECT_TRUE(bar->Enabled(TopUIBase::kTalkBtn));
}

TEST_F(TopUIBaseTest, OpeningAnotherPopupClosesThePhraseListButOpeningItselfDoesNot) {
  for (int opened : {0, 1, 2, 3}) {
    SCOPED_TRACE(opened);
    bar->OpenTalk();
    tick();
    ASSERT_TRUE(bar->GetTalkLayer()->isRunning());
    bar->CloseOtherWin(opened);
    tick(2);  // the removal is deferred
    EXPECT_EQ(bar->GetTalkLayer()->getParent() == bar, opened == 0);
    if (opened == 0) bar->removeChild(bar->GetTalkLayer());
  }
  // A closed list is left alone.
  bar->CloseOtherWin(1);
  tick(2);
  EXPECT_EQ(bar->GetTalkLayer()->getParent(), nullptr);
}

TEST_F(TopUIBaseTest, LockingTheBarLeavesTheQuitButtonAlone) {
  bar->SetTopBtnsEnabled(false);
  for (int i : {0, 1, 2}) EXPECT_FALSE(bar->Enabled(i)) << i;
  EXPECT_TRUE(bar->Enabled(TopUIBase::kQuitBtn));
  bar->GetTopBtn(TopUIBase::kQuitBtn)->setEnabled(false);
  bar->SetTopBtnsEnabled(true);
  for (int i : {0, 1, 2}) EXPECT_TRUE(bar->Enabled(i)) << i;
  EXPECT_FALSE(bar->Enabled(TopUIBase::kQuitBtn));
}

TEST_F(TopUIBaseTest, ABarThatIsNotRunningIgnoresTheLock) {
  bar->retain();
  view->removeChild(bar);
  bar->SetTopBtnsEnabled(false);
  for (int i : {0, 1, 2}) EXPECT_TRUE(bar->Enabled(i)) << i;
  bar->release();
}

TEST_F(TopUIBaseTest, ThePhraseListOutlivesNoBarAndIsNeverFreedAsAChild) {
  // Open, then the bar goes with the list still a child: the list leaves the
  // bar before its last reference goes (the sanitizers catch the other order).
  bar->OpenTalk();
  tick();
  TalkLayer* list = bar->GetTalkLayer();
  list->retain();
  view->removeChild(bar);
  tick();
  EXPECT_EQ(list->getParent(), nullptr);
  EXPECT_EQ(list->getReferenceCount(), 1u);
  list->release();

  // A close that is still pending when the bar goes.
  auto* other = TestBar::create(view);
  view->addChild(other);
  other->OpenTalk();
  tick();
  other->CloseOtherWin(2);
  view->removeChild(other);
  tick(3);
}

}  // namespace
}  // namespace chattest
