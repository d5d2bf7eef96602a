#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/gamebase/MainMsgLock.h"

using gbtest::Msg;
using gbtest::RecordingView;

namespace {

using Lines = std::vector<std::string>;

class Pump : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    view = RecordingView::create();
    scene->addChild(view);
  }
  void Post(int type, int tag = 0, int len = 12) {
    const gbtest::Bytes m = Msg(type, tag, len);
    view->PostGameMessage(m.data(), static_cast<int>(m.size()));
  }
  // The main-message deliveries so far, in order.
  Lines Delivered() const {
    Lines out;
    for (const std::string& s : view->journal)
      if (s.rfind("msg", 0) == 0 || s.rfind("result", 0) == 0) out.push_back(s);
    return out;
  }
  RecordingView* view = nullptr;
};

TEST_F(Pump, DeliversOneMessagePerFrameInOrder) {
  Post(71, 1);
  Post(72, 2);
  Post(73, 3);
  EXPECT_TRUE(Delivered().empty()) << "nothing is delivered inside the post";
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg71.1"}));
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg71.1", "msg72.2"}));
  tick(3);
  EXPECT_EQ(Delivered(), (Lines{"msg71.1", "msg72.2", "msg73.3"}));
  EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
}

TEST_F(Pump, LockCountAboveZeroHoldsEveryMessageUntilLowered) {
  GameViewBase::m_iLockMainMsgCount += 2;
  Post(54, 1);
  Post(55, 2);
  tick(5);
  EXPECT_TRUE(Delivered().empty());
  GameViewBase::m_iLockMainMsgCount -= 1;
  tick(5);
  EXPECT_TRUE(Delivered().empty()) << "one raise still stands";
  GameViewBase::m_iLockMainMsgCount -= 1;
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg54.1"}));
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg54.1", "msg55.2"}));
}

TEST_F(Pump, HoldTimeIsADeadlineOnTheVirtualClockAndAddsUp) {
  GameViewBase::m_iLockMainMsgTime += 1000;
  GameViewBase::m_iLockMainMsgTime += 2000;  // from the deadline, not from now
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 3000);
  Post(73, 1);
  tick(29, 0.1f);  // 2.9 s
  EXPECT_TRUE(Delivered().empty());
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 100);
  tick(1, 0.1f);
  EXPECT_EQ(Delivered(), (Lines{"msg73.1"}));
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 0);

  // A hold added once the deadline has passed counts from now.
  tick(10, 0.1f);
  GameViewBase::m_iLockMainMsgTime += 500;
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 500);
}

TEST_F(Pump, AMessageThatAddsHoldTimeHoldsTheNextOne) {
  view->holdOnType = 72;
  view->holdMs = 1000;
  Post(72, 1);
  Post(73, 2);
  tick(1, 0.1f);
  EXPECT_EQ(Delivered(), (Lines{"msg72.1"}));
  tick(9, 0.1f);  // 0.9 s after the first
  EXPECT_EQ(Delivered(), (Lines{"msg72.1"}));
  tick(1, 0.1f);
  EXPECT_EQ(Delivered(), (Lines{"msg72.1", "msg73.2"}));
}

TEST_F(Pump, AMessageThatRaisesTheLockHoldsTheNextOne) {
  view->lockOnType = 71;  // the deal animation starts
  Post(71, 1);
  Post(72, 2);
  tick(10);
  EXPECT_EQ(Delivered(), (Lines{"msg71.1"}));
  GameViewBase::m_iLockMainMsgCount -= 1;  // the animation ends
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg71.1", "msg72.2"}));
}

TEST_F(Pump, ABurstPostedInsideOneSendArrivesInOrderOnLaterFrames) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  view->CallBackLoadingEnd();  // creates the local server
  ASSERT_NE(view->server, nullptr);
  view->server->onRequest = {Msg(54, 1), Msg(72, 2), Msg(54, 3), Msg(55, 4)};
  gbtest::Bytes bid = Msg(0, 3);
  view->SendMsgToMainSocket(bid.data(), 22, static_cast<int>(bid.size()));
  EXPECT_TRUE(Delivered().empty()) << "no answer reaches the view inside the send";
  EXPECT_EQ(view->GetPendingMainMsgCount(), 4u);
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg54.1"}));
  tick(3);
  EXPECT_EQ(Delivered(), (Lines{"msg54.1", "msg72.2", "msg54.3", "msg55.4"}));
}

TEST_F(Pump, HandResultGoesToTheResultCallbackAndEveryOtherTypeToTheMainHandler) {
  Post(237, 0, 288);
  Post(56, 5);
  Post(23, 6);
  tick(3);
  EXPECT_EQ(Delivered(), (Lines{"result237.288", "msg56.5", "msg23.6"}));
  // Every message is offered to the all-messages hook first.
  EXPECT_EQ(view->journal.front(), "all237");
  EXPECT_EQ(view->m_bQuitReport, 1) << "a hand result is reported to the lobby on quitting";
}

TEST_F(Pump, TheFirstChanceHookConsumesAMessage) {
  view->consumeType = 56;
  Post(56, 1);
  Post(73, 2);
  tick(2);
  EXPECT_EQ(Delivered(), (Lines{"msg73.2"}));
}

TEST_F(Pump, BrokenMessagesAreDroppedAndLogged) {
  const gbtest::Bytes shortMsg(7, 0);
  view->PostGameMessage(shortMsg.data(), 7);
  view->PostGameMessage(nullptr, 12);
  const gbtest::Bytes huge(GameViewBase::kMaxGameMessage + 1, 0);
  view->PostGameMessage(huge.data(), static_cast<int>(huge.size()));
  EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
  EXPECT_EQ(cocos2d::Log::count("PostGameMessage: message of length 7 dropped"), 1u);
}

TEST_F(Pump, AViewThatGoesTakesItsPendingMessagesAlong) {
  RecordingView* other = RecordingView::create();
  scene->addChild(other);
  const gbtest::Bytes m = Msg(71, 9);
  other->PostGameMessage(m.data(), 12);
  Post(72, 1);
  other->removeFromParent();
  tick(1);  // the pool lets the other view go
  tick(3);
  EXPECT_EQ(Delivered(), (Lines{"msg72.1"}));
}

TEST_F(Pump, TwoViewsShareTheOneMessageAFrame) {
  RecordingView* other = RecordingView::create();
  scene->addChild(other);
  const gbtest::Bytes m = Msg(71, 9);
  other->PostGameMessage(m.data(), 12);
  Post(72, 1);
  tick();
  EXPECT_EQ(other->journal.size() + view->journal.size(), 2u) << "one delivery: the all-hook and the handler";
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg72.1"}));
}

// ---------------------------------------------------------------- the count

TEST_F(Pump, TheCountNeverGoesBelowZero) {
  GameViewBase::m_iLockMainMsgCount -= 1;  // a foreground without a background
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  EXPECT_TRUE(cocos2d::Log::contains("m_iLockMainMsgCount lowered below 0 (0 -1), kept at 0"));
  GameViewBase::m_iLockMainMsgCount--;
  GameViewBase::m_iLockMainMsgCount = -3;
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);

  // So a raise after the stray lowering still holds the messages.
  GameViewBase::m_iLockMainMsgCount += 1;
  Post(71, 1);
  tick(3);
  EXPECT_TRUE(Delivered().empty());
}

TEST_F(Pump, TheBackgroundHoldsTheMessagesAndTheForegroundLowersOnce) {
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterBackGround();  // a second one holds nothing more
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 1);
  Post(71, 1);
  tick(3);
  EXPECT_TRUE(Delivered().empty());
  // The base gives its own raise back: a view that keeps the base's handlers
  // is not held for good.
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg71.1"}));
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);

  // A reset in between (a re-login) took the raise away: the foreground does
  // not lower what another holder raised since.
  view->CallBackGameEnterBackGround();
  ResetMainMsgLock();
  GameViewBase::m_iLockMainMsgCount += 1;  // a widget's raise after the reset
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 1);
}

// ---------------------------------------------------------------- tokens

TEST_F(Pump, ATokenReleasedTwiceLowersOnce) {
  GameViewBase::m_iLockMainMsgCount += 1;  // another widget's raise
  cocos2d::Node* hat = cocos2d::Node::create();
  view->addChild(hat);
  MsgLockToken* token = MsgLockToken::Raise(hat);
  EXPECT_TRUE(token->IsHeld());
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 2);
  EXPECT_TRUE(token->Release());
  EXPECT_FALSE(token->Release());
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 1) << "the other raise stands";
  hat->removeFromParent();  // leaving after the release lowers nothing
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 1);
}

TEST_F(Pump, ANodeThatLeavesMidAnimationLowersItsRaise) {
  // The landlord hat raises the lock for its entrance; the table is reset
  // before the entrance's end lowers it.
  cocos2d::Node* hat = cocos2d::Node::create();
  view->addChild(hat);
  MsgLockToken* token = MsgLockToken::Raise(hat);
  hat->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(1.0f),
                                           cocos2d::CallFunc::create([token] { token->Release(); })));
  Post(73, 1);
  tick(10);
  EXPECT_TRUE(Delivered().empty());
  hat->retain();  // the seat widget keeps its hat for the next hand
  view->removeAllChildren();  // ResetAll
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg73.1"}));
  hat->release();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
}

// A landlord hat shown on a seat widget that is kept off the table never
// runs its entrance: its token must not hold the messages.
TEST_F(Pump, ATokenWhoseOwnerIsNotOnTheStageHoldsNothing) {
  cocos2d::Node* neverAdded = cocos2d::Node::create();
  cocos2d::Node* parked = cocos2d::Node::create();
  view->addChild(parked);
  parked->retain();
  parked->removeFromParent();
  for (cocos2d::Node* owner : {neverAdded, parked}) {
    MsgLockToken* token = MsgLockToken::Raise(owner);
    EXPECT_FALSE(token->IsHeld());
    EXPECT_FALSE(token->Hold());
    EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  }
  Post(55, 1);
  tick();
  EXPECT_EQ(Delivered(), (Lines{"msg55.1"}));
  // Back on the stage, the kept token holds again; a free token always does.
  MsgLockToken* kept = MsgLockToken::Create(parked);
  view->addChild(parked);
  EXPECT_TRUE(kept->Hold());
  MsgLockToken* free = MsgLockToken::Raise(nullptr);
  free->retain();
  EXPECT_TRUE(free->IsHeld());
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 2);
  parked->removeFromParent();
  EXPECT_TRUE(free->Release());
  free->release();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  parked->release();
}

TEST_F(Pump, AResetForgetsTheTokensRaisedBeforeIt) {
  cocos2d::Node* oldHat = cocos2d::Node::create();
  view->addChild(oldHat);
  MsgLockToken::Raise(oldHat);
  ResetMainMsgLock();  // re-login
  cocos2d::Node* deal = cocos2d::Node::create();
  view->addChild(deal);
  MsgLockToken* dealLock = MsgLockToken::Raise(deal);
  oldHat->removeFromParent();  // the old raise must not end the new one
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 1);
  dealLock->Release();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  // A kept token can hold again.
  EXPECT_TRUE(dealLock->Hold());
  EXPECT_FALSE(dealLock->Hold());
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 1);
}

TEST_F(Pump, ReLoginResetsTheLockAndTheHold) {
  GameViewBase::m_iLockMainMsgCount += 3;
  GameViewBase::m_iLockMainMsgTime += 5000;
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  view->IniMainSocketAuthen();
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgCount), 0);
  EXPECT_EQ(static_cast<int>(GameViewBase::m_iLockMainMsgTime), 0);
}

}  // namespace
