// The web replies 20034 (tournament invitation) and 20047 (friends' table)
// on the classic room list: read only with error 0, status 'S' and every
// field there; their invitation buttons, where they stand and what they do;
// and the classic table's answer to the result screen's invitation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RoomListTestSupport.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"

namespace {

using roomtest::Room;

std::string Reply(char status, int len, std::int32_t first, std::int32_t second = 0) {
  std::string reply(static_cast<std::size_t>(len), '\0');
  reply[0] = status;
  if (len >= 65) std::memcpy(reply.data() + 61, &first, 4);
  if (len >= 69) std::memcpy(reply.data() + 65, &second, 4);
  return reply;
}

class RoomListWeb : public roomtest::RoomListTest {
 protected:
  void SetUp() override {
    RoomListTest::SetUp();
    DdzCompete::getInstance()->Reset();
    FdLogicData::shareFdLogicData()->Reset();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("qorvddz_enterCompete_res.plist");
    Add({.server = 1});
  }
  void TearDown() override {
    DdzCompete::getInstance()->Reset();
    FdLogicData::shareFdLogicData()->Reset();
    RoomListTest::TearDown();
  }
  static void Answer(C_RoomListLayer* list, int msgId, const std::string& reply, int error = 0) {
    list->CallBackAsyncHttpRes(reply.data(), static_cast<int>(reply.size()), "", msgId, error);
  }
  static float Right(float fromEdge) { return static_cast<float>(BasePT::g_iWindowWidth) - fromEdge; }
};

TEST_F(RoomListWeb, OnlyWholeSuccessfulRepliesAreTaken) {
  struct Case {
    const char* name;
    int msgId;
    std::string reply;
    int error;
    bool taken;
  };
  const std::vector<Case> cases = {
      {"20034 short", 20034, Reply('S', 64, 1), 0, false},
      {"20034 not 'S'", 20034, Reply('F', 65, 1), 0, false},
      {"20034 with an error", 20034, Reply('S', 65, 1), 7, false},
      {"20047 short", 20047, Reply('S', 68, 1, 2), 0, false},
      {"20047 not 'S'", 20047, Reply('E', 69, 1, 2), 0, false},
      {"20047 with an error", 20047, Reply('S', 69, 1, 2), 3, false},
      {"20034 whole", 20034, Reply('S', 65, 1), 0, true},
      {"20047 whole", 20047, Reply('S', 69, 1, 2), 0, true},
  };
  C_RoomListLayer* list = Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DdzCompete::getInstance()->Reset();
    FdLogicData::shareFdLogicData()->Reset();
    DdzCompete::getInstance()->m_tLastInviteQuery = 5;
    FdLogicData::shareFdLogicData()->m_tLastQuery = 5;
    Answer(list, c.msgId, c.reply, c.error);
    const bool compete = c.msgId == 20034;
    const std::int32_t stamp =
        compete ? DdzCompete::getInstance()->m_tLastInviteQuery : FdLogicData::shareFdLogicData()->m_tLastQuery;
    const std::int32_t flag =
        compete ? DdzCompete::getInstance()->m_iInviteCompete : FdLogicData::shareFdLogicData()->m_iEntryFlag;
    EXPECT_EQ(stamp != 5, c.taken) << "the query time";
    EXPECT_EQ(flag, c.taken ? 1 : 0);
    EXPECT_EQ((compete ? list->GetCompeteButton() : list->GetPYJButton()) != nullptr, c.taken);
    EXPECT_EQ(list->GetQuickStartButton()->isVisible(), !c.taken);
    if (c.taken) {  // the button goes again with a refusing answer
      Answer(list, c.msgId, Reply('S', 69, 0, 1));
      EXPECT_EQ((compete ? list->GetCompeteButton() : list->GetPYJButton()), nullptr);
      EXPECT_TRUE(list->GetQuickStartButton()->isVisible()) << "the quick start is back";
    }
  }
}

TEST_F(RoomListWeb, AFriendsTableKindOutsideOneToThreeIsOne) {
  C_RoomListLayer* list = Show();
  for (const std::int32_t kind : {2, 3, 0, 4, -1}) {
    SCOPED_TRACE(kind);
    FdLogicData::shareFdLogicData()->Reset();
    Answer(list, 20047, Reply('S', 69, 1, kind));
    EXPECT_EQ(FdLogicData::shareFdLogicData()->m_iEntryKind, kind >= 1 && kind <= 3 ? kind : 1);
  }
}

TEST_F(RoomListWeb, TheInvitationButtonsStandSideBySideAtTheRightEdge) {
  C_RoomListLayer* list = Show();
  Answer(list, 20047, Reply('S', 69, 1, 1));
  ASSERT_NE(list->GetPYJButton(), nullptr);
  EXPECT_EQ(list->GetPYJButton()->getPosition(), cocos2d::Vec2(Right(100), 120)) << "alone: at the edge";

  Answer(list, 20034, Reply('S', 65, 1));
  ASSERT_NE(list->GetCompeteButton(), nullptr);
  EXPECT_EQ(list->GetCompeteButton()->getPosition(), cocos2d::Vec2(Right(100), 120));
  EXPECT_EQ(list->GetPYJButton()->getPosition(), cocos2d::Vec2(Right(300), 120)) << "beside the tournament's";
  EXPECT_EQ(list->GetCompeteButton()->getLocalZOrder(), C_RoomListLayer::kZQuickStart);
  EXPECT_FALSE(list->GetQuickStartButton()->isVisible());

  Answer(list, 20034, Reply('S', 65, 0));
  EXPECT_EQ(list->GetCompeteButton(), nullptr);
  EXPECT_EQ(list->GetPYJButton()->getPosition(), cocos2d::Vec2(Right(100), 120)) << "back to the edge";
  EXPECT_FALSE(list->GetQuickStartButton()->isVisible());
  Answer(list, 20047, Reply('S', 69, 0, 1));
  EXPECT_EQ(list->GetPYJButton(), nullptr);
  EXPECT_TRUE(list->GetQuickStartButton()->isVisible());

  // A list entered with both answers standing shows both at once; another
  // game id shows none.
  DdzCompete::getInstance()->m_iInviteCompete = 1;
  FdLogicData::shareFdLogicData()->m_iEntryFlag = 1;
  list->removeFromParent();
  list = Show();
  ASSERT_NE(list->GetCompeteButton(), nullptr);
  ASSERT_NE(list->GetPYJButton(), nullptr);
  EXPECT_EQ(list->GetPYJButton()->getPosition(), cocos2d::Vec2(Right(300), 120));
  list->removeFromParent();
  C_RoomListLayer* super = Show(52);
  EXPECT_EQ(super->GetCompeteButton(), nullptr);
  EXPECT_EQ(super->GetPYJButton(), nullptr);
  EXPECT_TRUE(super->GetQuickStartButton()->isVisible());
}

TEST_F(RoomListWeb, TheInvitationsLeadToTheTournamentAndTheFriendsTable) {
  C_RoomListLayer* list = Show();
  Answer(list, 20034, Reply('S', 65, 1));
  Answer(list, 20047, Reply('S', 69, 1, 1));
  tick();
  tap(list->GetCompeteButton()->convertToWorldSpaceAR(cocos2d::Vec2::ZERO));
  EXPECT_EQ(gameScene->switchedTo, std::vector<int>{237});

  tap(list->GetPYJButton()->convertToWorldSpaceAR(cocos2d::Vec2::ZERO));
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1) << "the list is left";
  EXPECT_EQ(FdLogicData::shareFdLogicData()->m_iEntryClicked, 0) << "the mark is cleared again";
}

TEST_F(RoomListWeb, TheClassicTableOpensTheResultScreensInvitationFromTheRecord) {
  classictest::CountingView* view = Enter();
  EXPECT_FALSE(view->IsCompeteInvitationOpen());
  DdzCompete::getInstance()->m_iInviteCompete = 1;
  EXPECT_TRUE(view->IsCompeteInvitationOpen());
  view->EnterCompeteFromResult();
  EXPECT_EQ(gameScene->switchedTo, std::vector<int>{237});
}

}  // namespace
