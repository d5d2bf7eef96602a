// Fixtures of the table view tests: a running scene with a table view on it,
// a real Lua 5.1 state whose recording handlers write each call as one line
// into the global table `seen`, the sound recorder and the table's
// process-wide state back at their start.
#pragma once

#include <gtest/gtest.h>

#include <lua.hpp>
#include <memory>
#include <string>
#include <tolua++.h>
#include <array>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "gamedata/GameKinds.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "support/Stage.h"
#include "support/LuaRecords.h"

namespace tabletest {

// A table view with the seats opened up for the tests.
class TestView : public DDZGameView {
 public:
  static TestView* create() {
    auto* view = new TestView();
    view->autorelease();
    return view;
  }
  // Seats `seat` with a player of user id `userId` and `money`.
  PlayerNode* Seat(int seat, int userId, int money) {
    PlayerNode* player = &m_PlayerRecord[seat];
    player->iUserID = userId;
    player->iMoney = money;
    m_pPlayerNode[seat] = player;
    return player;
  }
  void Unseat(int seat) { m_pPlayerNode[seat] = nullptr; }
  using GameViewBase::m_iPlayerCount;

  // Stand-in widgets, as plain nodes: a view answers the base's questions
  // from its widgets, and a hidden widget is left alone.
  struct MoneyBox {
    int slot;
    int money;
    cocos2d::Vec2 pos;
  };
  cocos2d::Node* heads[kMaxSeats] = {};
  cocos2d::Node* infos[kMaxSeats] = {};
  cocos2d::Node* popups[kMaxSeats] = {};
  cocos2d::Node* bar = nullptr;
  std::vector<MoneyBox> moneyBoxes;
  std::vector<PlayerNode*> barRefreshes;
  std::vector<std::array<int, 3>> magicExpresses;  // (prop id, from user, to user)
  void CallBackSendUseMagicExpress(int propId, int fromUserId, int toUserId) override {
    magicExpresses.push_back({propId, fromUserId, toUserId});
  }

 protected:
  void ShowSeatMoneyBox(int slot, int money, cocos2d::Vec2 pos) override {
    if (infos[slot] != nullptr && infos[slot]->isVisible()) moneyBoxes.push_back({slot, money, pos});
  }
  bool GetSeatHeadCenter(int seat, cocos2d::Vec2& center) const override {
    if (heads[seat] == nullptr) return false;
    center = heads[seat]->getPosition();
    return true;
  }
  void RefreshBottomBarInfo(PlayerNode* self) override {
    if (bar != nullptr && bar->isVisible()) barRefreshes.push_back(self);
  }
  void HideSeatInfoPopup(int seat) override {
    if (popups[seat] == nullptr) return;
    popups[seat]->unscheduleUpdate();
    popups[seat]->setVisible(false);
  }

 private:
  TestView() : DDZGameView(nullptr, nullptr) {}
};

class TableViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage();
    director = stage.director;
    scene = stage.scene;
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
    GameSoundDDZ::destroyInstance();
    savedViewType = g_iGameViewType;
    g_iGameViewType = 1;
    for (int& figure : g_iSeatHeadFigure) figure = 5;

    engine = cocos2d::LuaEngine::getInstance();
    cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
    L = engine->getLuaStack()->getLuaState();
    ASSERT_EQ(engine->executeString(ddz::test::kLuaRecorder), 0);

    view = TestView::create();
    scene->addChild(view);
  }

  void TearDown() override {
    GameMsgBox::destroyMessageBox();
    director->reset();  // the view goes first: its entries drop their functions
    cocos2d::LuaEngine::destroyInstance();
    GameSoundDDZ::destroyInstance();
    g_iGameViewType = savedViewType;
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
  }

  void tick(int frames = 1, float dt = 1.0f / 60) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }

  // A handler id for a new recording handler called `name` that answers `result`.
  int handler(const std::string& name, int result = 0) {
    const std::string code = "tmp = recorder('" + name + "', " + std::to_string(result) + ")";
    EXPECT_EQ(engine->executeString(code.c_str()), 0);
    lua_getglobal(L, "tmp");
    const int ref = toluafix_ref_function(L, lua_gettop(L), 0);
    lua_settop(L, 0);
    return ref;
  }
  // The lines the handlers wrote since the last call.
  std::vector<std::string> seen() { return ddz::test::TakeLuaStrings(engine, "seen"); }
  bool functionAlive(int ref) { return ddz::test::LuaFunctionAlive(engine, ref); }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::LuaEngine* engine = nullptr;
  lua_State* L = nullptr;
  TestView* view = nullptr;
  int savedViewType = 0;
};

}  // namespace tabletest
