// The classic room list on the stage: the screen it builds, entering a room
// (quick start, a room click, the questions and their confirm), the stored
// play server and the first entry, rebuilding the buttons, the lobby's
// returns, the change-money question and the hand-over to the lobby.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RoomListTestSupport.h"
#include "classic/C_RoomBtn.h"
#include "gamedata/GameKinds.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndConf.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "widgets/RoomTips.h"

namespace {

using roomtest::Room;

class RoomListLayerTest : public roomtest::RoomListTest {
 protected:
  // The text of a question of the base text file.
  static std::string Question(const char* key) {
    std::string text;
    GetValueStr(text, key, "base_txt.conf", "game coution info", "");
    return text;
  }
};

TEST_F(RoomListLayerTest, EnteringBuildsTheScreenAroundTheButtons) {
  AddAll({{.server = 1}, {.server = 2, .base = 20}, {.server = 3, .base = 30}});
  C_RoomListLayer* list = Show();
  EXPECT_EQ(ButtonServers(list), (std::vector<int>{1, 1, 2, 3}));
  for (RoomBtn* b : list->getRoomBtn()) EXPECT_NE(dynamic_cast<C_RoomBtn*>(b), nullptr);
  EXPECT_EQ(RoomListLayer::shareRoomListLayer(nullptr), list);
  EXPECT_EQ(OsApiBase::shareOsApi()->GetLobbyView(), list);
  ASSERT_NE(list->GetQuickStartButton(), nullptr);
  EXPECT_TRUE(list->GetQuickStartButton()->isVisible());
  RoomUI* panel = RoomUI::create(RoomUI::kModeCurrent);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->getParent(), list);
  EXPECT_EQ(panel->getLocalZOrder(), C_RoomListLayer::kZPanel);
  ASSERT_NE(list->GetTips(), nullptr);
  EXPECT_TRUE(list->GetTips()->isRunning());
  EXPECT_EQ(list->GetTips()->getPosition(), cocos2d::Vec2(640, g_ptTipsBg.y));
  EXPECT_EQ(list->GetTips()->GetLabel()->getColor(), cocos2d::Color3B(136, 234, 255));
  const std::vector<std::string> sounds = SoundManage::shareSoundManage()->GetPlayedSounds();
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "ddzSound/57.mp3"), sounds.end());

  // Leaving takes the screen away; entering again builds it once more.
  list->retain();
  list->removeFromParent();
  EXPECT_EQ(OsApiBase::shareOsApi()->GetLobbyView(), nullptr);
  EXPECT_EQ(panel->getParent(), nullptr);
  scene->addChild(list);
  list->release();
  EXPECT_EQ(panel->getParent(), list);
  int panels = 0;
  for (cocos2d::Node* child : list->getChildren()) panels += dynamic_cast<RoomUI*>(child) != nullptr;
  EXPECT_EQ(panels, 1);
}

TEST_F(RoomListLayerTest, TheBackgroundFollowsTheHour) {
  struct Case {
    int hour;
    const char* image;
  };
  for (const Case& c : {Case{7, "qorvddz_bg_day.jpg"}, Case{17, "qorvddz_bg_day.jpg"}, Case{18, "qorvddz_bg_night.jpg"},
                        Case{6, "qorvddz_bg_night.jpg"}}) {
    SCOPED_TRACE(c.hour);
    SetLocalTime(2026, 3, 14, c.hour, 30);
    Add({.server = 1});
    C_RoomListLayer* list = Show();
    ASSERT_NE(list->GetBackground(), nullptr);
    EXPECT_EQ(list->GetBackground()->getDisplayName(), c.image);
    list->removeFromParent();
  }
}

// ---------------------------------------------------------------- entering a room

enum class Act { QuickStart, Click, ClickAndConfirm };

struct EntryCase {
  const char* name;
  std::vector<Room> rooms;
  int money;
  int hour;
  Act act;
  int button;          // the button clicked
  int entered;         // server id of the room entered, -1 none
  const char* asked;   // the question asked, or null
};

TEST_F(RoomListLayerTest, QuickStartAndRoomClicksEnterARoomOrAsk) {
  const Room a{.server = 1, .min = 0, .max = 1000};
  const Room b{.server = 2, .min = 0, .max = 5000, .base = 50};
  const Room rob{.server = 3, .min = 0, .max = 5000, .cls = 1, .base = 20};
  const Room high{.server = 4, .min = 1000, .max = 10000, .base = 100};
  const Room super{.server = 5, .min = 0, .max = 5000, .cls = 2, .base = 300, .gameId = 52};
  const Room evening{.server = 6, .min = 0, .max = 1000, .start = 20, .hours = 2};
  const char* autoGame = C_RoomListLayer::kAskAutoGame;
  const char* xinDou = C_RoomListLayer::kAskXinDou;
  const std::vector<EntryCase> cases = {
      // buttons [a, a, b, rob]: from the last, rob rooms wait
      {"quick start: the last fitting room that is no rob room", {a, b, rob}, 500, 12, Act::QuickStart, 0, 2, nullptr},
      {"quick start: a rob room when nothing else fits", {rob, high}, 500, 12, Act::QuickStart, 0, 3, nullptr},
      {"quick start: the Super room of class 2 waits", {a, super}, 500, 12, Act::QuickStart, 0, 1, nullptr},
      {"quick start: an open room before one closed now", {evening, b}, 500, 12, Act::QuickStart, 0, 2, nullptr},
      {"quick start: the first room when it fits but is closed", {evening}, 500, 12, Act::QuickStart, 0, 6, nullptr},
      {"quick start: open in the evening", {evening, high}, 500, 21, Act::QuickStart, 0, 6, nullptr},
      {"quick start: richer than every room", {a}, 5000, 12, Act::QuickStart, 0, -1, autoGame},
      {"quick start: poorer than every room", {high}, 10, 12, Act::QuickStart, 0, -1, xinDou},
      {"click: a fitting room is entered", {a, high}, 500, 12, Act::Click, 1, 1, nullptr},
      // with 5000 coins the buttons are [high, high, a]
      {"click: richer than the room", {a, high}, 5000, 12, Act::Click, 2, -1, autoGame},
      {"click: poorer than the room", {a, high}, 500, 12, Act::Click, 2, -1, xinDou},
      {"click: a button that is not there", {a, high}, 500, 12, Act::Click, 7, -1, nullptr},
      {"confirm: a room of the clicked class that fits", {a, high}, 5000, 12, Act::ClickAndConfirm, 2, 4, autoGame},
      {"confirm: none of that class fits", {a, rob}, 9000, 12, Act::ClickAndConfirm, 0, -1, autoGame},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    RoomListLayer::ClearRoomTables();
    GameMsgBox::destroyMessageBox();
    AddAll(c.rooms);
    SetLocalTime(2026, 3, 14, c.hour, 0);
    GameViewBase::m_GlobalInfo.iMoney = c.money;
    C_RoomListLayer* list = Show();
    const std::vector<RoomBtn*> buttons = list->getRoomBtn();
    RoomBtn* clicked = c.button < static_cast<int>(buttons.size()) ? buttons[c.button] : nullptr;
    auto* outside = cocos2d::Node::create();
    outside->setTag(c.button);

    if (c.act == Act::QuickStart) {
      list->OnQuickStart();
    } else {
      list->AskEnterRoom(clicked != nullptr ? static_cast<cocos2d::Ref*>(clicked) : outside);
    }
    GameMsgBox* box = GameMsgBox::shareMessageBox();
    if (c.asked != nullptr) {
      ASSERT_TRUE(box->IsOpen());
      EXPECT_EQ(box->GetText(), Question(c.asked));
      EXPECT_EQ(box->GetType(), 11);
      const auto confirm = c.asked == autoGame
                               ? static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::CallBackAutoGame)
                               : static_cast<cocos2d::SEL_MenuHandler>(&C_RoomListLayer::OnLobbyVacConfirm);
      EXPECT_EQ(box->GetConfirmAction(), confirm);
      EXPECT_EQ(box->GetTarget(), list);
    } else {
      EXPECT_FALSE(box->IsOpen());
    }
    if (c.act == Act::ClickAndConfirm) {
      EXPECT_EQ(list->GetCurRoomClass(), buttons[c.button]->GetRoomItemInfo()->pRuleInfo->iRoomClass);
      ASSERT_TRUE(box->PressConfirm());
    }
    EXPECT_EQ(Entered(list), c.entered);
    list->removeFromParent();
  }
}

TEST_F(RoomListLayerTest, TheShopQuestionsConfirmHandsOverToTheLobbyAndEndsTheClient) {
  Add({.server = 1, .min = 1000, .max = 5000});
  GameViewBase::m_GlobalInfo.iLobbyWnd = 77;
  GameViewBase::m_GlobalInfo.iMoney = 10;
  C_RoomListLayer* list = Show();
  list->OnQuickStart();
  ASSERT_TRUE(GameMsgBox::shareMessageBox()->PressConfirm());
  ASSERT_FALSE(ddz::os::LobbyMessages().empty());
  const ddz::os::LobbyMessage& sent = ddz::os::LobbyMessages().back();
  EXPECT_EQ(sent.window, 77u);
  EXPECT_EQ(sent.message, 0x5FBu);
  EXPECT_EQ(sent.wParam, 0u);
  EXPECT_EQ(sent.lParam, 0);
  EXPECT_TRUE(sent.posted);
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
  EXPECT_EQ(Entered(list), -1);
}

TEST_F(RoomListLayerTest, AStoredPlayServerIsEnteredOnlyWhenListed) {
  AddAll({{.server = 1}, {.server = 2, .base = 20}});
  Store()->setIntegerForKey(C_RoomListLayer::kKeyPlayServer, 9);
  C_RoomListLayer* list = Show();
  tick(2);
  EXPECT_EQ(Entered(list), -1);
  EXPECT_EQ(Store()->getIntegerForKey(C_RoomListLayer::kKeyPlayServer, 0), 9) << "not listed: kept";
  list->removeFromParent();

  Store()->setIntegerForKey(C_RoomListLayer::kKeyPlayServer, 2);
  list = Show();
  EXPECT_EQ(Entered(list), -1) << "on the next frame";
  tick();
  EXPECT_EQ(Entered(list), 2);
  EXPECT_EQ(Store()->getIntegerForKey(C_RoomListLayer::kKeyPlayServer, -1), 0);
}

TEST_F(RoomListLayerTest, AUsersFirstEntryStartsAGameOnceUnderItsOwnKey) {
  Add({.server = 1});
  gameScene->roomValue = 10100;
  GameViewBase::m_GlobalInfo.iFirstIntoKind = 1;
  GameViewBase::m_GlobalInfo.iUserID = 23;
  Store()->setIntegerForKey("key_qorvddz_first_into_12_3", 1);  // (12, 3): another user
  C_RoomListLayer* list = Show();
  tick();
  EXPECT_EQ(Entered(list), 1);
  EXPECT_EQ(Store()->getIntegerForKey("key_qorvddz_first_into_1_23", 0), 1);
  list->removeFromParent();

  list = Show();
  tick();
  EXPECT_EQ(Entered(list), -1) << "only the first time";
}

TEST_F(RoomListLayerTest, RebuildingReleasesExactlyTheReferencesTheBaseTook) {
  AddAll({{.server = 1}, {.server = 2, .base = 20}});
  C_RoomListLayer* list = Show();
  std::vector<RoomBtn*> old = list->getRoomBtn();
  for (RoomBtn* b : old) b->retain();
  list->BuildRoomBtns();
  list->BuildRoomBtns();
  tick();
  for (RoomBtn* b : old) {
    EXPECT_EQ(b->getParent(), nullptr);
    EXPECT_EQ(b->getReferenceCount(), 1u) << "only the test's reference is left";
    b->release();
  }
  EXPECT_EQ(ButtonServers(list), (std::vector<int>{1, 1, 2}));
  for (RoomBtn* b : list->getRoomBtn()) EXPECT_EQ(b->getParent(), list);

  // A build that lists nothing takes the buttons off the layer too.
  old = list->getRoomBtn();
  for (RoomBtn* b : old) b->retain();
  RoomListLayer::ClearRoomTables();
  list->m_vcAllRoomItem.clear();
  list->BuildRoomBtns();
  EXPECT_TRUE(list->getRoomBtn().empty());
  for (RoomBtn* b : old) {
    EXPECT_EQ(b->getParent(), nullptr);
    b->release();
  }
}

TEST_F(RoomListLayerTest, TheBackKeyLeavesTheList) {
  Add({.server = 1});
  C_RoomListLayer* list = Show();
  list->onKeyPressed(cocos2d::EventKeyboard::KeyCode::KEY_SPACE, nullptr);
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 0);
  list->onKeyPressed(cocos2d::EventKeyboard::KeyCode::KEY_BACK, nullptr);
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
}

// ---------------------------------------------------------------- the lobby's returns

TEST_F(RoomListLayerTest, LobbyReturnsSetTheBalancesAndRedrawTheRunningPanel) {
  struct Case {
    const char* text;
    int yuanBao;
    int money;
    bool redrawn;
  };
  const Case cases[] = {
      {"update_yb_3_4", 7, 100, true},
      {"update_money_500_9", 20, 500, true},
      {"update_money_abc_9", 20, 100, false},
      {"update_yb_3", 20, 100, false},
      {"update_yb_3_x", 20, 100, false},
      {"update_money_99999999999_1", 20, 100, false},
      {"result=close", 20, 100, false},
      {"", 20, 100, false},
      {nullptr, 20, 100, false},
  };
  Add({.server = 1});
  C_RoomListLayer* list = Show();
  RoomUI* panel = RoomUI::create(RoomUI::kModeCurrent);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text != nullptr ? c.text : "null");
    GameViewBase::m_GlobalInfo.iYuanBao = 20;
    GameViewBase::m_GlobalInfo.iMoney = 100;
    panel->GetMoneyLabel()->setString("-");
    list->CallbackWebReturnParam(c.text);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.yuanBao);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, c.money);
    EXPECT_EQ(panel->GetMoneyLabel()->getString(), c.redrawn ? std::to_string(c.money) : "-");
  }

  // A panel that is not running is not redrawn.
  list->removeFromParent();
  panel->GetMoneyLabel()->setString("-");
  list->CallbackWebReturnParam("update_money_700_1");
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 700);
  EXPECT_EQ(panel->GetMoneyLabel()->getString(), "-");
}

TEST_F(RoomListLayerTest, TheChangeMoneyTipIsBoundedAndItsConfirmStartsAGame) {
  Add({.server = 1});
  C_RoomListLayer* list = Show();
  list->ShowChangeMoneyTip(0, "你好");
  EXPECT_FALSE(GameMsgBox::shareMessageBox()->IsOpen()) << "on the next frame";
  tick();
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  ASSERT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), "你好!@" + Question("chang_money_txt_6"));
  EXPECT_EQ(box->GetType(), 11);
  ASSERT_TRUE(box->PressConfirm());
  EXPECT_EQ(Entered(list), 1);

  // 100 three-byte characters: cut at a character boundary within 255 bytes.
  std::string longText;
  for (int i = 0; i < 100; ++i) longText += "字";
  list->ShowChangeMoneyTip(0, longText.c_str());
  const std::string kept = list->GetChangeMoneyTip();
  EXPECT_EQ(kept.size(), 255u);
  EXPECT_EQ(kept, longText.substr(0, 255));
}

}  // namespace

namespace {

TEST_F(RoomListLayerTest, TheExchangeBoxSettingLeadsToTheLobby) {
  Add({.server = 1});
  C_RoomListLayer* list = Show();
  for (const int setting : {0, 1, 4}) {
    GameViewBase::m_iRoomShowDuiHuanBox = setting;
    EXPECT_FALSE(list->CheckShowDuiHuanBox());
  }
  GameViewBase::m_iRoomShowDuiHuanBox = 2;
  EXPECT_TRUE(list->CheckShowDuiHuanBox());
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 0) << "the lobby's lead only";
  GameViewBase::m_iRoomShowDuiHuanBox = 3;
  EXPECT_TRUE(list->CheckShowDuiHuanBox());
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1) << "handed to the lobby's shop";
  GameViewBase::m_iRoomShowDuiHuanBox = 0;
}

TEST_F(RoomListLayerTest, TheDailyScreenRecordKeepsTheLatestDayOfTheClassicTable) {
  auto* list = new C_RoomListLayer(62);
  list->autorelease();
  cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
  g_iGameViewType = 1;
  SetLocalTime(2026, 3, 14, 12, 0);
  list->DailyScreenSetRecord();
  EXPECT_EQ(store->getIntegerForKey(C_RoomListLayer::kKeyScreenSetDate, 0), 314);
  store->setIntegerForKey(C_RoomListLayer::kKeyScreenSetDate, 1201);
  list->DailyScreenSetRecord();
  EXPECT_EQ(store->getIntegerForKey(C_RoomListLayer::kKeyScreenSetDate, 0), 1201) << "never back";
  store->setIntegerForKey(C_RoomListLayer::kKeyScreenSetDate, 0);
  g_iGameViewType = 52;
  list->DailyScreenSetRecord();
  EXPECT_EQ(store->getIntegerForKey(C_RoomListLayer::kKeyScreenSetDate, 0), 0) << "another table";
  g_iGameViewType = 1;
}

}  // namespace
