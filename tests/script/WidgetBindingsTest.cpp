// The clock, the result window, the task panel, the guide and the bottom
// cards driven from Lua: each call, on a fresh widget, against what the
// widget then shows or holds; and the count and argument errors, after which
// the widget is as it was.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "cards/BaseCard.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/SoundManage.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/ResultLayer.h"
#include "widgets/TaskUI.h"

using scripttest::WidgetScriptTest;

namespace {

using WidgetBindingsTest = WidgetScriptTest;

std::string ClockState(GameClock* c) {
  return "time " + std::to_string(c->getClockTime()) + " seat " + std::to_string(c->GetTablePos()) + " type " +
         std::to_string(c->GetClockType()) + (c->isVisible() ? " shown" : " hidden") +
         (c->GetFace() ? " face at " + scripttest::PointText(c->GetFace()->getPosition()) : std::string());
}

}  // namespace

TEST_F(WidgetBindingsTest, GameClock) {
  const std::string shown = "w:ShowClock(9, 0, 2, {x = 100, y = 200}) ";
  const std::string fresh = "time 0 seat 0 type 0 hidden face at 0,0";
  RunCases<GameClock>("QorvDDZView.GameClock:new(nil, 1) scene:addChild(w)",
                      {
                          {shown + "return w", "w", "time 9 seat 0 type 2 shown face at 100,200"},
                          {shown + "return w:ResetClock()", "w", "time 0 seat 0 type 2 hidden face at 100,200"},
                          {shown + "return w:getClockTime()", "9", "time 9 seat 0 type 2 shown face at 100,200"},
                          {"w:ShowClock(9, 0, 2)",
                           "error: QorvDDZView.GameClock:ShowClock has wrong number of arguments: 3, was expecting 4\n",
                           fresh},
                          {"w:ShowClock(9, 0, 2, {x = 1})", "error: invalid pt in function 'lua_cocos2dx_GameClock_ShowClock'",
                           fresh},
                          {"w:ShowClock('a', 0, 2, {x = 1, y = 2})",
                           "error: invalid iTime in function 'lua_cocos2dx_GameClock_ShowClock'", fresh},
                          {"w:ShowClock(9, 0, true, {x = 1, y = 2})",
                           "error: invalid iClockType in function 'lua_cocos2dx_GameClock_ShowClock'", fresh},
                          {"return w:getClockTime(1)",
                           "error: QorvDDZView.GameClock:getClockTime has wrong number of arguments: 1, was expecting 0\n",
                           fresh},
                      },
                      std::function<std::string(GameClock*)>(ClockState));
  // The clock counts down once a second after ShowClock.
  auto* clock = Global<GameClock>("w", "QorvDDZView.GameClock:new(nil, 1) scene:addChild(w) w:ShowClock(5, 2, 1, {x = 1, y = 1})");
  tick(61);
  EXPECT_EQ(clock->getClockTime(), 4);
  EXPECT_EQ(Run("return w:ResetClock():getClockTime()"), "0");
  tick(120);
  EXPECT_EQ(clock->getClockTime(), 0);  // ResetClock stopped the tick
}

TEST_F(WidgetBindingsTest, ResultLayerTakesTheOutcomeWithItsDefaultsAndFixedLists) {
  const auto describe = [](ResultLayer* r) {
    std::string s = std::to_string(r->iImageIndex) + (r->bLandOwner ? " landlord" : " farmer") + " result";
    for (int v : r->vcResult) s += " " + std::to_string(v);
    s += " bombs " + std::to_string(r->iSendBombNum) + (r->bSendRocket ? " rocket" : "") + (r->bSpring ? " spring" : "") +
         " small " + std::to_string(r->iSmallBtnType) + " base " + std::to_string(r->iBaseScore) +
         (r->bFenDing ? " capped" : "") + " extra " + std::to_string(r->iExGameiType) + " doubled";
    for (std::uint8_t f : r->vcJiaBeiFlag) s += " " + std::to_string(f);
    return s;
  };
  const std::string untouched = "0 farmer result 0 0 0 bombs 0 small 0 base 0 extra 0 doubled 0 0 0";
  RunCases<ResultLayer>(
      "QorvDDZView.ResultLayer:new(v)",
      {
          // seven arguments: the four optional ones at their defaults; a short list padded with 0
          {"return w:IniResultInfo(5, true, {10, -5}, 2, true, false, 3)", "w",
           "5 landlord result 10 -5 0 bombs 2 rocket small 3 base 0 extra 0 doubled 0 0 0"},
          // eleven: a long list cut to three, the flags as low bytes (256 -> 0, 257 -> 1)
          {"return w:IniResultInfo(6, false, {1, 2, 3, 4}, 0, false, true, 1, 8, true, 2, {257, 256, 3, 1})", "w",
           "6 farmer result 1 2 3 bombs 0 spring small 1 base 8 capped extra 2 doubled 1 0 3"},
          // a twelfth argument is not read
          {"return w:IniResultInfo(6, false, {}, 0, false, false, 1, 8, false, 2, {1}, 'not read')", "w",
           "6 farmer result 0 0 0 bombs 0 small 1 base 8 extra 2 doubled 1 0 0"},
          {"w:IniResultInfo(5, true, {10, -5}, 2, true, false)",
           "error: QorvDDZView.ResultLayer:IniResultInfo has wrong number of arguments: 6, was expecting 7\n", untouched},
          {"w:IniResultInfo(5, true, 10, 2, true, false, 3)",
           "error: invalid vcResult in function 'lua_cocos2dx_ResultLayer_IniResultInfo'", untouched},
          {"w:IniResultInfo(5, true, {1, 'x'}, 2, true, false, 3)",
           "error: invalid vcResult in function 'lua_cocos2dx_ResultLayer_IniResultInfo'", untouched},
          {"w:IniResultInfo(5, true, {}, 2, true, false, 3, 'x')",
           "error: invalid iBaseScore in function 'lua_cocos2dx_ResultLayer_IniResultInfo'", untouched},
          {"w:IniResultInfo(5, true, {}, 2, true, false, 3, 1, false, 0, 7)",
           "error: invalid vcJiaBeiFlag in function 'lua_cocos2dx_ResultLayer_IniResultInfo'", untouched},
      },
      std::function<std::string(ResultLayer*)>(describe));
  // The window is made only for a view.
  EXPECT_EQ(Run("return QorvDDZView.ResultLayer:new(nil)"), "nil");
}

TEST_F(WidgetBindingsTest, TaskUI) {
  const auto describe = [](TaskUI* t) {
    return std::string(t->IsTaskAniRunning() ? "blinking" : "still") + " number " +
           (t->GetNumber() ? t->GetNumber()->getString() : "-") + (t->GetCap() ? " capped" : "");
  };
  RunCases<TaskUI>("QorvDDZView.TaskUI:new(0, 51, 500, 0) scene:addChild(w)",
                   {
                       {"return w:PlayTaskAni()", "w", "blinking number 500"},
                       {"w:PlayTaskAni() return w:StopTaskAni()", "w", "still number 500"},
                       {"return w:SetTaskNum(1200)", "w", "still number 1200"},
                       {"return w:ShowTaskCompete()", "w", "still number 500 capped"},
                       {"return w:GetTaskName(51)", "打出王炸", "still number 500"},
                       {"return w:GetTaskName(20)", "", "still number 500"},
                       {"return w:SetTaskNum()",
                        "error: QorvDDZView.TaskUI:SetTaskNum has wrong number of arguments: 0, was expecting 1\n",
                        "still number 500"},
                       {"return w:SetTaskNum('x')", "error: invalid iNum in function 'lua_cocos2dx_TaskUI_SetTaskNum'",
                        "still number 500"},
                       {"return w:GetTaskName(true)",
                        "error: invalid iTaskID in function 'lua_cocos2dx_TaskUI_GetTaskName'", "still number 500"},
                       {"return w:PlayTaskAni(1)",
                        "error: QorvDDZView.TaskUI:PlayTaskAni has wrong number of arguments: 1, was expecting 0\n",
                        "still number 500"},
                   },
                   std::function<std::string(TaskUI*)>(describe));
}

// The task type's place, by both names, on the class table as on a panel.
TEST_F(WidgetBindingsTest, TaskTypesMapWithoutAPanel) {
  ASSERT_NE(Global<TaskUI>("w", "QorvDDZView.TaskUI:new(1, 2, 3, -1)"), nullptr);
  struct MapCase {
    int type;
    const char* place;
  };
  for (const MapCase& c : {MapCase{1, "0"}, MapCase{2, "1"}, MapCase{0, "-1"}, MapCase{3, "-1"}, MapCase{7, "-1"},
                           MapCase{-1, "-1"}}) {
    const std::string n = std::to_string(c.type);
    SCOPED_TRACE(n);
    for (const std::string call : {"QorvDDZView.TaskUI:TaskUI(", "QorvDDZView.TaskUI:CheckTaskIsExist(", "w:TaskUI(",
                                   "w:CheckTaskIsExist(", "QorvDDZView.TaskUI.CheckTaskIsExist(nil, "})
      EXPECT_EQ(Run("return " + call + n + ")"), c.place) << call;
  }
  // One binding behind both names: its errors name CheckTaskIsExist.
  EXPECT_EQ(Error("QorvDDZView.TaskUI:TaskUI()"),
            "QorvDDZView.TaskUI:CheckTaskIsExist has wrong number of arguments: 0, was expecting 1\n");
  EXPECT_EQ(Error("w:TaskUI('2')"), "invalid iTaskType in function 'lua_cocos2dx_TaskUI_CheckTaskIsExist'");
  EXPECT_EQ(Error("w:CheckTaskIsExist(2, 3)"),
            "QorvDDZView.TaskUI:CheckTaskIsExist has wrong number of arguments: 2, was expecting 1\n");
}

TEST_F(WidgetBindingsTest, PlayerGuideIsMadeForAView) {
  auto* guide = Global<PlayerGuide>("g", "QorvDDZView.PlayerGuide:create(v, 2) v:addChild(g)");
  ASSERT_NE(guide, nullptr);
  EXPECT_EQ(Run("return g:getParent() == v"), "true");
  lua_getglobal(L, "g");
  EXPECT_TRUE(luaval_is_usertype(L, -1, "QorvDDZView.PlayerGuide", 0));
  lua_settop(L, 0);
  EXPECT_EQ(Run("return QorvDDZView.PlayerGuide:create(nil, 2)"), "nil");
  EXPECT_EQ(Error("QorvDDZView.PlayerGuide:create(v)"),
            "QorvDDZView.PlayerGuide:create has wrong number of arguments: 1, was expecting 2\n");
  EXPECT_EQ(Error("QorvDDZView.PlayerGuide:create(v, 'x')"),
            "invalid iGuidedNum in function 'lua_cocos2dx_PlayerGuide_create'");
  EXPECT_EQ(Error("QorvDDZView.PlayerGuide:create(1, 2)"),
            "invalid pGameView in function 'lua_cocos2dx_PlayerGuide_create'");
}

TEST_F(WidgetBindingsTest, BaseCard) {
  // Each card as back or face (shown or hidden), and the row's indexes.
  const auto describe = [](BaseCard* row) {
    std::string s = std::to_string(row->GetCardCount()) + ":";
    for (const BaseCardItem* item : row->GetItems()) {
      s += " " + std::to_string(item->iCardIndex);
      if (item->pBackSprite) s += "b";
      if (item->pFaceSprite) s += item->pFaceSprite->isVisible() ? "F" : "f";
    }
    return s;
  };
  RunCases<BaseCard>(
      "QorvDDZView.BaseCard:new(v) scene:addChild(w)",
      {
          {"return w:AddCard(5)", "w", "1: 5f"},
          {"return w:AddCard(5, true)", "w", "1: 5b"},
          {"return w:AddCard(5, false, true)", "w", "1: 5F"},
          // four arguments: the back flag is read, the visible flag is not
          {"w:AddCard(5, true, true, true) return w:AddCard(6, false, true, true)", "w", "2: 5b 6f"},
          {"return w:AddCard(5, false, 'not read', 'x')", "w", "1: 5f"},
          {"w:AddCard(5, true) w:AddCard(7) return w:GetCardCount()", "2", "2: 5b 7f"},
          {"w:AddCard(5, true) w:AddCard(7, false, true) return w:GetBaseCard()", "{1=5,2=7}", "2: 5b 7F"},
          {"w:AddCard(5, true) return w:RemoveAllCard()", "w", "0:"},
          {"return w:GetBaseCard()", "{}", "0:"},
          {"w:AddCard()", "error: QorvDDZView.BaseCard:AddCard has wrong number of arguments: 0, was expecting 1\n", "0:"},
          {"w:AddCard(5, 1)", "error: invalid bBack in function 'lua_cocos2dx_BaseCard_AddCard'", "0:"},
          {"w:AddCard(5, true, 1)", "error: invalid bVisible in function 'lua_cocos2dx_BaseCard_AddCard'", "0:"},
          {"w:ShowBaseCard()",
           "error: QorvDDZView.BaseCard:ShowBaseCard has wrong number of arguments: 0, was expecting 1\n", "0:"},
          {"w:AddCard(5, true) w:ShowBaseCard(3)",
           "error: invalid vcBaseCardIndex in function 'lua_cocos2dx_BaseCard_ShowBaseCard'", "1: 5b"},
          {"w:AddCard(5, true) w:ShowBaseCard({7}, 'x')",
           "error: invalid fAniDelayTime in function 'lua_cocos2dx_BaseCard_ShowBaseCard'", "1: 5b"},
          {"w:AddCard(5, true) w:ShowBaseCard({7}, 0.5, 1)",
           "error: invalid bPalySound in function 'lua_cocos2dx_BaseCard_ShowBaseCard'", "1: 5b"},
          {"return w:GetCardCount(1)",
           "error: QorvDDZView.BaseCard:GetCardCount has wrong number of arguments: 1, was expecting 0\n", "0:"},
      },
      std::function<std::string(BaseCard*)>(describe));
  EXPECT_EQ(Run("return QorvDDZView.BaseCard:new(nil)"), "nil");
}

// ShowBaseCard's delay (0.2 s when left out) and sound flag (read only when
// exactly three arguments are given), as the flip chain shows them: faces up
// and flip sounds half a second after the call.
TEST_F(WidgetBindingsTest, ShowBaseCardDefaultsShowInTheFlipChain) {
  struct ChainCase {
    const char* args;
    int faces;
    bool sound;
  };
  for (const ChainCase& c : {ChainCase{"{7, 8, 9}", 2, false}, ChainCase{"{7, 8, 9}, 1.0", 1, false},
                             ChainCase{"{7, 8, 9}, 0.0, true", 3, true}, ChainCase{"{7, 8, 9}, 0.0, true, 'x'", 3, false}}) {
    SCOPED_TRACE(c.args);
    auto* row = Global<BaseCard>("w", "QorvDDZView.BaseCard:new(v) scene:addChild(w) "
                                      "for i = 1, 3 do w:AddCard(0, true) end");
    ASSERT_NE(row, nullptr);
    SoundManage::shareSoundManage()->ClearCalls();
    ASSERT_EQ(Outcome(std::string("return w:ShowBaseCard(") + c.args + ")"), "w");
    tick(30);
    int faces = 0;
    for (const BaseCardItem* item : row->GetItems()) faces += item->pFaceSprite && item->pFaceSprite->isVisible();
    EXPECT_EQ(faces, c.faces);
    bool sound = false;
    for (const SoundManage::Call& call : SoundManage::shareSoundManage()->GetCalls())
      sound = sound || call.file == BaseCard::kFlipSound;
    EXPECT_EQ(sound, c.sound);
    tick(120);
    ASSERT_EQ(Run("w:removeFromParent()"), "nil");
  }
}
