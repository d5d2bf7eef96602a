#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/RoomBtn.h"

namespace {

// A room list that answers a fixed local hour and counts its builds.
class TestList : public RoomListLayer {
 public:
  explicit TestList(int hour) : hour_(hour) {}
  long long GetNowTime() override {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 5;
    local.tm_mday = 10;
    local.tm_hour = hour_;
    local.tm_isdst = -1;
    return static_cast<long long>(std::mktime(&local));
  }
  RoomBtn* CreateRoomBtn(RoomItemInfo* room) override {
    ++made;
    return RoomListLayer::CreateRoomBtn(room);
  }
  int made = 0;

 private:
  int hour_;
};

class RoomList : public gbtest::GamebaseTest {
 protected:
  static RoomItemInfo& AddRoom(int gameId, int serverId, int start, int hours, int minMoney = 0) {
    RoomServerInfo server;
    server.iServerID = serverId;
    server.iStartHour = start;
    server.iHours = hours;
    RoomRuleInfo rule;
    rule.iMinMoney = minMoney;
    rule.iMaxMoney = minMoney + 1000;
    rule.iRoomClass = 1;
    return RoomListLayer::AddRoom(gameId, server, rule);
  }
};

struct HourCase {
  int start;
  int hours;
  int now;
  bool open;
};

class RoomHours : public RoomList, public ::testing::WithParamInterface<HourCase> {};

TEST_P(RoomHours, ARoomIsOpenFromItsStartHourForItsHours) {
  const HourCase& c = GetParam();
  TestList list(c.now);
  RoomItemInfo& room = AddRoom(62, 1, c.start, c.hours);
  EXPECT_EQ(list.CheckRoomTime(&room), c.open);
}

INSTANTIATE_TEST_SUITE_P(RoomList, RoomHours,
                         ::testing::Values(HourCase{8, 4, 8, true}, HourCase{8, 4, 11, true},
                                           HourCase{8, 4, 12, false}, HourCase{8, 4, 7, false},
                                           HourCase{20, 10, 3, true},   // past midnight
                                           HourCase{20, 10, 6, false}, HourCase{0, 24, 23, true},
                                           HourCase{5, 30, 4, true},    // longer than a day: always
                                           HourCase{5, 0, 5, false}));

TEST_F(RoomList, NoRoomIsNeverOpen) {
  TestList list(12);
  EXPECT_FALSE(list.CheckRoomTime(nullptr));
}

TEST_F(RoomList, EnteringTheStageBuildsOneButtonPerRoomInAGrid) {
  for (int i = 0; i < 5; ++i) AddRoom(62, 100 + i, 0, 24);
  auto* list = new TestList(12);
  list->autorelease();
  RoomListLayer::shareRoomListLayer(list);
  scene->addChild(list);
  ASSERT_EQ(list->getRoomBtn().size(), 5u);
  std::vector<RoomBtn*> buttons = list->getRoomBtn();
  for (int i = 0; i < 5; ++i) {
    RoomBtn* b = buttons[static_cast<std::size_t>(i)];
    EXPECT_EQ(b->getTag(), i);
    EXPECT_EQ(b->getParent(), list);
    EXPECT_EQ(b->GetRoomItemInfo()->pServerInfo->iServerID, 100 + i);
  }
  // Four to a row, the second row below the first.
  EXPECT_FLOAT_EQ(buttons[1]->getPositionX() - buttons[0]->getPositionX(), RoomListLayer::kGridStepX);
  EXPECT_FLOAT_EQ(buttons[0]->getPositionY() - buttons[4]->getPositionY(), RoomListLayer::kGridStepY);
  EXPECT_FLOAT_EQ(buttons[4]->getPositionX(), buttons[0]->getPositionX());

  // Entering again builds anew; the old buttons leave and are freed.
  list->removeFromParent();
  list->retain();
  tick();
  scene->addChild(list);
  list->release();
  EXPECT_EQ(list->made, 10);
  EXPECT_EQ(list->getChildrenCount(), 5u);
  tick();
}

TEST_F(RoomList, TappingAButtonEntersItsRoomAndTheTableOnTheNextFrame) {
  // The scene with a table view that is not shown yet.
  auto* gameScene = new GameSceneBase();
  gameScene->autorelease();
  director->replaceScene(gameScene);
  tick(2);  // the scene has started, without a view or a list of its own
  auto* view = new gbtest::RecordingView(gameScene);
  GameSceneBase::m_pGameView = view;
  GameViewBase::m_GlobalInfo.iPlayMode = 1;  // a table that can log in without a server

  AddRoom(62, 7, 0, 24, 500);
  auto* list = new TestList(12);
  GameSceneBase::m_pRoomList = list;
  RoomListLayer::shareRoomListLayer(list);
  gameScene->addChild(list);
  ASSERT_EQ(list->getRoomBtn().size(), 1u);
  list->getRoomBtn()[0]->OnTap();
  EXPECT_EQ(list->m_iCurRoomValue, 62 * 10000 + 100);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 7);
  EXPECT_FALSE(view->isRunning());
  tick();
  EXPECT_TRUE(view->isRunning());
  EXPECT_EQ(view->journal, (std::vector<std::string>{"createServer", "authenInfo.user0.chair1", "authenOK"}));
  tick();
  EXPECT_FALSE(list->isRunning()) << "the room list left the stage";
}

TEST_F(RoomList, ATableLeftAndEnteredAgainInOneFrameLeavesThenEntersAnew) {
  // The table leaves for the list (its removal queued for the frame's end)
  // and the list enters a room at once, as a second sign-up does.
  auto* gameScene = new GameSceneBase();
  gameScene->autorelease();
  director->replaceScene(gameScene);
  tick(2);
  struct CountingView : gbtest::RecordingView {
    using gbtest::RecordingView::RecordingView;
    void onEnter() override {
      ++enters;
      gbtest::RecordingView::onEnter();
    }
    int enters = 0;
  };
  auto* view = new CountingView(gameScene);
  GameSceneBase::m_pGameView = view;
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  AddRoom(62, 7, 0, 24, 500);
  auto* list = new TestList(12);
  GameSceneBase::m_pRoomList = list;
  RoomListLayer::shareRoomListLayer(list);
  gameScene->addChild(view);
  tick();
  gameScene->CallBackQuitGameShowRoomList();
  ASSERT_TRUE(list->isRunning());
  list->getRoomBtn()[0]->OnTap();
  const int entries = view->enters;
  tick(2);
  EXPECT_TRUE(view->isRunning()) << "the table entered again";
  EXPECT_EQ(view->enters, entries + 1) << "after leaving";
  EXPECT_FALSE(list->isRunning());
  // A removal asked for after the entry still takes it off.
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(view, nullptr);
  tick();
  EXPECT_FALSE(view->isRunning());
}

TEST_F(RoomList, TheRoomValueOfAnyRoomStaysInRange) {
  auto* list = new TestList(12);
  list->autorelease();
  RoomItemInfo& huge = AddRoom(INT_MAX, 1, 0, 24);
  list->onBtnEnterGame(&huge);
  EXPECT_EQ(list->m_iCurRoomValue, INT_MAX);
  RoomItemInfo& negative = AddRoom(-300000, 2, 0, 24);
  list->onBtnEnterGame(&negative);
  EXPECT_EQ(list->m_iCurRoomValue, INT_MIN + 100);  // the product stops at INT_MIN, then class 1 adds 100
}

TEST_F(RoomList, TheRoomTablesKeepTheirRecordsInPlace) {
  RoomItemInfo first = AddRoom(62, 1, 0, 24);
  for (int i = 0; i < 100; ++i) AddRoom(62, 2 + i, 0, 24);
  EXPECT_EQ(first.pServerInfo->iServerID, 1) << "adding rooms moves no record";
  RoomListLayer::ClearRoomTables();
  EXPECT_TRUE(RoomListLayer::m_vcRoomInfo.empty());
}

}  // namespace
