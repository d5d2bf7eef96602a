// The room panel and the room buttons' faces: the badge of the login
// record's room value, the reply 41009, the menu's help, settings and quit,
// the room system buttons' place, a panel replaced while running, an award
// that ends away from a table; the faces of classic, rob and Super rooms.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RoomListTestSupport.h"
#include "classic/C_RoomBtn.h"
#include "classic/RoomSysBtn.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/gamebase/BasePT.h"
#include "widgets/AllGameRuleLayer.h"
#include "widgets/AwardDisplays.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/PopBtnList.h"
#include "widgets/SetLayer.h"

namespace {

using roomtest::Room;

class RoomUITest : public roomtest::RoomListTest {
 protected:
  void SetUp() override {
    RoomListTest::SetUp();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("vellddz_res_room.plist");
  }
};

TEST_F(RoomUITest, TheBadgeFollowsTheLoginRecordsRoomValue) {
  struct Case {
    int roomValue;
    bool badge;
    const char* number;  // null: none
  };
  for (const Case& c : {Case{10100, true, "1"}, Case{42300, true, "23"}, Case{50000, true, nullptr},
                        Case{60000, false, nullptr}, Case{620000, false, nullptr}, Case{0, false, nullptr}}) {
    SCOPED_TRACE(c.roomValue);
    RoomUI::destroyInstance();
    gameScene->roomValue = c.roomValue;
    RoomUI* panel = RoomUI::create(RoomUI::kModeRoomList);
    scene->addChild(panel);
    EXPECT_EQ(panel->GetBadge() != nullptr, c.badge);
    if (c.badge) {
      EXPECT_EQ(panel->GetBadge()->getDisplayName(),
                "qorvddz_roomui_lv_" + std::to_string(c.roomValue / 10000) + ".png");
    }
    ASSERT_EQ(panel->GetBadgeNumber() != nullptr, c.number != nullptr);
    if (c.number != nullptr) {
      EXPECT_EQ(panel->GetBadgeNumber()->getString(), c.number);
    }
  }
}

TEST_F(RoomUITest, ShowsTheFiguresAndPlacesTheMenuAndTheSystemButtons) {
  GameViewBase::m_GlobalInfo.iMoney = 1234;
  GameViewBase::m_GlobalInfo.iYuanBao = 56;
  std::strcpy(GameViewBase::m_GlobalInfo.szUserName, "tom");
  RoomUI* panel = RoomUI::create(RoomUI::kModeRoomList);
  scene->addChild(panel);
  EXPECT_EQ(panel->GetMoneyLabel()->getString(), "1234");
  EXPECT_EQ(panel->GetYuanBaoLabel()->getString(), "56");
  EXPECT_EQ(panel->GetNameLabel()->getString(), "tom");
  ASSERT_NE(panel->GetSysBtn(), nullptr);
  EXPECT_EQ(panel->GetSysBtn()->getPosition(), cocos2d::Vec2(66, BasePT::g_iWindowHeight - 46));
  EXPECT_EQ(panel->GetSysBtn()->GetButtonCount(), 0u);
  ASSERT_NE(panel->GetMenu(), nullptr);
  EXPECT_EQ(panel->GetMenu()->GetEntries().size(), 3u);
  EXPECT_TRUE(PCBaseFrame::SharedPCBaseFrame()->OnHelpBtnClick()) << "the frame's help button is the panel's";
}

TEST_F(RoomUITest, ModeThreeBuildsNothingAndOnlyModeTwoQuits) {
  Add({.server = 1});
  Show();  // the shared room list the quit leaves
  RoomUI::destroyInstance();
  RoomUI* panel = RoomUI::create(RoomUI::kModeNothing);
  scene->addChild(panel);
  EXPECT_EQ(panel->GetMenu(), nullptr);
  EXPECT_EQ(panel->GetMoneyLabel(), nullptr);
  panel->OnQuitClick();
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 0);
  panel->removeFromParent();
  ASSERT_EQ(RoomUI::create(RoomUI::kModeRoomList), panel) << "a panel that is not running is kept";
  EXPECT_EQ(panel->GetMode(), RoomUI::kModeRoomList);
  panel->OnQuitClick();
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
}

TEST_F(RoomUITest, APanelReplacedWhileRunningLeavesItsParentAndIsReleasedOnce) {
  RoomUI* old = RoomUI::create(RoomUI::kModeRoomList);
  scene->addChild(old);
  old->retain();
  RoomUI* replacement = RoomUI::create(RoomUI::kModeRoomList);
  EXPECT_NE(replacement, old);
  EXPECT_EQ(old->getParent(), nullptr);
  EXPECT_EQ(RoomUI::create(RoomUI::kModeCurrent), replacement);
  EXPECT_EQ(ShowAward::GetRoomPanel(), replacement);
  tick();  // the autorelease pool drains
  EXPECT_EQ(old->getReferenceCount(), 1u) << "only the test's reference";
  old->release();
  EXPECT_EQ(ShowAward::GetRoomPanel(), replacement);
}

TEST_F(RoomUITest, HelpOpensTheRulesWindowOrOnTheSuperListTheAllRulesDialog) {
  for (const int gameId : {62, 52}) {
    SCOPED_TRACE(gameId);
    RoomListLayer::ClearRoomTables();
    Add({.server = 1, .gameId = gameId});
    C_RoomListLayer* list = Show(gameId);
    RoomUI::create(RoomUI::kModeCurrent)->OnHelpClick();
    GameRuleLayer* rules = GameViewPC::SharedGameRule();
    AllGameRuleLayer* all = RoomUI::SharedAllGameRule();
    EXPECT_EQ(rules->getParent() == list, gameId != 52);
    EXPECT_EQ(all->getParent() == list, gameId == 52);
    EXPECT_EQ((gameId == 52 ? static_cast<cocos2d::Node*>(all) : rules)->getLocalZOrder(), RoomUI::kZRules);
    list->removeFromParent();
  }
}

TEST_F(RoomUITest, BackFromTheTableTheFramesHelpOpensTheRoomListsRules) {
  Add({.server = 1});
  classictest::CountingView* view = Enter();
  C_RoomListLayer* list = Show();
  list->retain();  // the scene's reference
  GameSceneBase::m_pRoomList = list;
  view->removeFromParent();  // the table leaves after the list came back
  EXPECT_TRUE(PCBaseFrame::SharedPCBaseFrame()->OnHelpBtnClick());
  EXPECT_EQ(GameViewPC::SharedGameRule()->getParent(), list);
}

TEST_F(RoomUITest, SettingsToggleOnThePanel) {
  RoomUI* panel = RoomUI::create(RoomUI::kModeRoomList);
  scene->addChild(panel);
  panel->OnSettingClick();
  SetLayer* settings = SetLayer::sharedIfAny();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->getParent(), panel);
  EXPECT_EQ(settings->getLocalZOrder(), RoomUI::kZSettings);
  panel->OnSettingClick();
  tick();
  EXPECT_EQ(settings->getParent(), nullptr);
}

// ---------------------------------------------------------------- the reply 41009

TEST_F(RoomUITest, TheReply41009FillsTheMoneyExchangeSettings) {
  unsigned char reply[20] = {};
  const std::uint32_t bits = 0x07u | 1u << 8 | 1u << 10 | 1u << 12 | 1u << 19;
  std::memcpy(reply, &bits, 4);
  const std::uint16_t fields[] = {300, 40, 5, 600};  // at 4, 6, 8, 10
  std::memcpy(reply + 4, fields, sizeof fields);
  const std::uint16_t limit = 7000, extra = 65535;
  std::memcpy(reply + 16, &limit, 2);
  std::memcpy(reply + 18, &extra, 2);
  const char* bytes = reinterpret_cast<const char*>(reply);
  RoomListLayer::m_defChangeMoneyControlInfo = RoomListLayer::ChangeMoneyControlInfo();
  RoomUI* panel = RoomUI::create(RoomUI::kModeRoomList);

  // Refused: an error, another message, a short reply.
  panel->CallBackAsyncHttpRes(bytes, 20, "", 41009, 3);
  panel->CallBackAsyncHttpRes(bytes, 20, "", 41008, 0);
  panel->CallBackAsyncHttpRes(bytes, 19, "", 41009, 0);
  EXPECT_FALSE(RoomListLayer::m_defChangeMoneyControlInfo.bOpen);
  EXPECT_EQ(RoomListLayer::m_defChangeMoneyControlInfo.iTime, 0);

  panel->CallBackAsyncHttpRes(bytes, 20, "", 41009, 0);
  const RoomListLayer::ChangeMoneyControlInfo& info = RoomListLayer::m_defChangeMoneyControlInfo;
  EXPECT_TRUE(info.bOpen);
  EXPECT_TRUE(info.bFirstVac);
  EXPECT_EQ(info.iKind, 7);
  EXPECT_EQ(info.iRate, 300);
  EXPECT_EQ(info.iMin, 40);
  EXPECT_EQ((std::vector<bool>{info.bSwitch[0], info.bSwitch[1], info.bSwitch[2], info.bSwitch[3]}),
            (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(info.iStep, 5);
  EXPECT_EQ(info.iMax, 600);
  EXPECT_EQ(info.iLimit, 7000);
  EXPECT_EQ(info.iExtra, 65535);
  EXPECT_EQ(info.iTime, static_cast<int>(Now()));

  // A user who has seen the lobby's first shop offer does not get it again.
  Store()->setIntegerForKey("lobby_first_vac2_42", 1);
  panel->CallBackAsyncHttpRes(bytes, 20, "", 41009, 0);
  EXPECT_FALSE(RoomListLayer::m_defChangeMoneyControlInfo.bFirstVac);
  EXPECT_TRUE(RoomListLayer::m_defChangeMoneyControlInfo.bOpen);
}

// ---------------------------------------------------------------- an award away from a table

class TableLessAward : public ShowAward {
 public:
  TableLessAward() : ShowAward(1, 0, 100, 0, nullptr) {}
};

TEST_F(RoomUITest, AnAwardEndingAwayFromATableRedrawsThePanel) {
  RoomUI* panel = RoomUI::create(RoomUI::kModeRoomList);
  scene->addChild(panel);
  GameViewBase::m_GlobalInfo.iMoney = 800;
  auto* award = new TableLessAward();
  award->autorelease();
  scene->addChild(award);
  award->FinishAward();
  EXPECT_EQ(panel->GetMoneyLabel()->getString(), "800");
}

// ---------------------------------------------------------------- the button faces

TEST_F(RoomUITest, RoomButtonFacesShowScoreMarksAndFigures) {
  struct Case {
    const char* name;
    Room room;
    const char* score;
    bool rob;
    bool superWord;
  };
  const Case cases[] = {
      {"classic", {.server = 1, .min = 500, .max = 900, .base = 60}, "60", false, false},
      {"rob room: the mark, the word and the score 36 to the left", {.server = 2, .cls = 1, .base = 20}, "20", true,
       false},
      {"Super room of class 2: its word and Super base score", {.server = 3, .cls = 2, .base = 300, .gameId = 52,
                                                                .superBase = 7}, "7", false, true},
      {"Super room of another class: no word", {.server = 4, .cls = 3, .base = 5, .gameId = 52, .superBase = 9},
       "9", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RoomRuleInfo rule;
    rule.iMinMoney = c.room.min;
    rule.iMaxMoney = c.room.max;
    rule.iRoomClass = c.room.cls;
    rule.iBaseScore = c.room.base;
    rule.iSuperBaseScore = c.room.superBase;
    rule.iSecondFigure = 77;
    RoomServerInfo server;
    RoomItemInfo item{c.room.gameId, 0, 0, &server, &rule, nullptr};
    C_RoomBtn* button = C_RoomBtn::create(&item);
    scene->addChild(button);
    ASSERT_NE(button->GetBaseScore(), nullptr);
    EXPECT_EQ(button->GetBaseScore()->getString(), c.score);
    const float shift = c.rob ? C_RoomBtn::kRobShift : 0;
    EXPECT_EQ(button->GetBaseScore()->getPosition(), g_ptRoomBtnBaseScore - cocos2d::Vec2(shift, 0));
    EXPECT_EQ(button->GetBaseScore()->getAnchorPoint(), cocos2d::Vec2(1.0f, 0.5f));
    ASSERT_NE(button->GetScoreWord(), nullptr);
    EXPECT_EQ(button->GetScoreWord()->getPosition(), c.rob ? cocos2d::Vec2(126, 58) : cocos2d::Vec2(162, 58));
    EXPECT_EQ(button->GetRobMark() != nullptr, c.rob);
    if (c.rob) {
      EXPECT_EQ(button->GetRobMark()->getPosition(), cocos2d::Vec2(192, 58));
    }
    EXPECT_EQ(button->GetSuperWord() != nullptr, c.superWord);
    EXPECT_EQ(button->GetLimitLabel()->getString(), std::to_string(c.room.min));
    EXPECT_EQ(button->GetLimitLabel()->getPosition(), g_ptRoomBtnLimit);
    EXPECT_EQ(button->GetSecondLabel()->getString(), "77");
    EXPECT_EQ(button->GetSecondLabel()->getPosition(), g_ptRoomBtnMax);
    button->removeFromParent();
  }
}

}  // namespace
