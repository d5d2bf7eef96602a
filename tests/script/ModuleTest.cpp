#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "widgets/GameClock.h"

using scripttest::ScriptTest;

namespace {

// The classes the module registers, in order, with the base scripts see.
struct ClassCase {
  const char* name;
  const char* base;  // a Lua type the class's values pass as ("" for none)
};
const std::vector<ClassCase> kClasses = {
    {"GameClock", "yndcommon.YndGameLayer"},  {"ResultLayer", "yndcommon.YndGameLayer"},
    {"PlayerShow", "yndcommon.YndGameLayer"}, {"PlayerGameInfo", "yndcommon.YndGameLayer"},
    {"TalkTip", "yndcommon.YndGameLayer"},    {"TaskUI", "yndcommon.YndGameLayer"},
    {"OtherPlayerInfo", "yndcommon.YndGameLayer"}, {"PlayerGuide", "yndcommon.YndGameLayer"},
    {"BaseCard", "yndcommon.YndGameLayer"},   {"TableItemDef", ""},
    {"BottomUI", "yndcommon.YndGameLayer"},   {"TopUIBase", "yndcommon.YndGameLayer"},
    {"DDZGameView", "gamebase.GameViewBase"}, {"GameSoundDDZ", ""},
};

}  // namespace

TEST_F(ScriptTest, TheModulesAndTheirClassesAreRegistered) {
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Run(std::string("return type(QorvDDZView.") + c.name + ")"), "table");
    EXPECT_EQ(g_typeCast[c.name], std::string("QorvDDZView.") + c.name);
    luaL_getmetatable(L, (std::string("QorvDDZView.") + c.name).c_str());
    EXPECT_TRUE(lua_istable(L, -1));
    lua_settop(L, 0);
  }
  EXPECT_EQ(Run("return type(cc.Node) .. type(cc.Director) .. type(cc.Label) .. type(cc.Scheduler)"),
            "tabletabletabletable");
  EXPECT_EQ(Run("return type(VellGameBase.Vell_SpriteCardManage) .. type(VellGameBase.CompeteTableUI) .. "
                "type(VellGameBase.CompetePromotionLayer)"),
            "tabletabletable");
  // The view reaches the members of the bases it inherits from.
  EXPECT_EQ(Run("local v, c = QorvDDZView.DDZGameView:create(nil), QorvDDZView.GameClock:new(nil, 1) "
                "return type(v.GetPlayerCount) .. type(c.addChild) .. type(c.AddPlist) .. type(c.retain)"),
            "functionfunctionfunctionfunction");
}

TEST_F(ScriptTest, ValuesPassAsTheirLuaBases) {
  auto* clock = new GameClock(nullptr, 1);
  engine->getLuaStack()->pushObject(clock, "cc.Node");  // the run-time class decides
  for (const char* type : {"QorvDDZView.GameClock", "yndcommon.YndGameLayer", "cc.Layer", "cc.Node", "cc.Ref"})
    EXPECT_TRUE(luaval_is_usertype(L, -1, type, 0)) << type;
  EXPECT_FALSE(luaval_is_usertype(L, -1, "QorvDDZView.DDZGameView", 0));
  lua_settop(L, 0);
  clock->release();
}

// Every error a binding raises, as script -> exact text.
TEST_F(ScriptTest, BindingsRaiseTheirErrorsWithTheirTexts) {
  struct ErrorCase {
    const char* script;
    const char* text;
  };
  const std::vector<ErrorCase> cases = {
      // exactly N
      {"QorvDDZView.GameClock:new(nil)",
       "QorvDDZView.GameClock:GameClock has wrong number of arguments: 1, was expecting 2\n"},
      {"QorvDDZView.TaskUI:new(1, 2, 3)",
       "QorvDDZView.TaskUI:TaskUI has wrong number of arguments: 3, was expecting 4\n"},
      {"local c = QorvDDZView.GameClock:new(nil, 1) c:ResetClock(1)",
       "QorvDDZView.GameClock:ResetClock has wrong number of arguments: 1, was expecting 0\n"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:SetPlayerShow(nil)",
       "QorvDDZView.DDZGameView:SetPlayerShow has wrong number of arguments: 1, was expecting 2\n"},
      {"return QorvDDZView.DDZGameView.getInstance(nil, 1)",
       "QorvDDZView.DDZGameView:getInstance has wrong number of arguments: 1, was expecting 0\n"},
      // the view range form
      {"QorvDDZView.DDZGameView:new()",
       "QorvDDZView.DDZGameView:constructor has wrong number of arguments: 0, was expecting >=1 && <=2\n "},
      {"QorvDDZView.DDZGameView:create(nil, nil, nil)",
       "QorvDDZView.DDZGameView:create has wrong number of arguments: 3, was expecting >=1 && <=2\n "},
      // the forms with a blank before the newline
      {"local v = QorvDDZView.DDZGameView:create(nil) v:RegisterLuaHandlerQorvDDZView(1)",
       "QorvDDZView.DDZGameView:RegisterLuaHandlerQorvDDZView has wrong number of arguments: 1, was expecting 2 \n"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:UnRegisterLuaHandlerQorvDDZView()",
       "QorvDDZView.DDZGameView:UnRegisterLuaHandlerQorvDDZView has wrong number of arguments: 0, was expecting 1 \n"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem getmetatable(r)['.set'].cHappyCard(r, 1, 2)",
       "QorvDDZView.TableItemDef:set_cHappyCard has wrong number of arguments: 2, was expecting 1 \n"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem getmetatable(r)['.set'].iPointDemand(r)",
       "QorvDDZView.TableItemDef:iPointDemand has wrong number of arguments: 0, was expecting 1 \n"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem getmetatable(r)['.set'].vcBaseCardIndex(r, {}, {})",
       "QorvDDZView.TableItemDef:vcBaseCardIndex has wrong number of arguments: 2, was expecting 1 \n"},
      // arguments
      {"QorvDDZView.GameClock:new(nil, 'one')", "invalid iGameType in function 'lua_cocos2dx_GameClock_constructor'"},
      {"QorvDDZView.GameClock:new(QorvDDZView.DDZGameView:create(nil), 1)",
       "invalid pHandCard in function 'lua_cocos2dx_GameClock_constructor'"},
      {"QorvDDZView.DDZGameView:new(QorvDDZView.GameClock:new(nil, 1))",
       "invalid pGameScene in function 'lua_cocos2dx_DDZGameView_constructor'"},
      {"QorvDDZView.DDZGameView:create(nil, 5)", "invalid pLoadingLayer in function 'lua_cocos2dx_DDZGameView_create'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v.m_pGameClock = v",
       "invalid m_pGameClock in function 'lua_cocos2dx_DDZGameView_set_m_pGameClock'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v.m_pDealCard = QorvDDZView.GameClock:new(nil, 1)",
       "invalid m_pDealCard in function 'lua_cocos2dx_DDZGameView_set_m_pDealCard'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:SetOtherPlayerInfo(v, 1)",
       "invalid m_pOtherPlayerInfo in function 'lua_cocos2dx_DDZGameView_SetOtherPlayerInfo'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:SetOtherPlayerInfo(nil, 'x')",
       "invalid iCardPos in function 'lua_cocos2dx_DDZGameView_SetOtherPlayerInfo'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:SetPlayerShow(nil, 4)",
       "invalid iCardPos in function 'lua_cocos2dx_DDZGameView_SetPlayerShow'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:SetHandCard(nil, -1)",
       "invalid iCardPos in function 'lua_cocos2dx_DDZGameView_SetHandCard'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) v:RegisterLuaHandlerQorvDDZView('k', print)",
       "invalid iValue in function 'lua_cocos2dx_DDZGameView_RegisterLuaHandlerQorvDDZView'"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem r.cHappyCard = 'x'",
       "invalid iHappyCard in function 'lua_cocos2dx_TableItemDef_set_cHappyCard'"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem r.iTuoGuan = {1, 'x'}",
       "invalid iTuoGuan in function 'lua_cocos2dx_TableItemDef_set_iTuoGuan'"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem r.vcTableCardIndex = 3",
       "invalid vcTableCardIndex in function 'lua_cocos2dx_TableItemDef_set_vcTableCardIndex'"},
      // the record's scalars: a leading blank, iArg / bArg
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem r.iTimes = 'x'",
       " invalid iArg in function 'lua_cocos2dx_TableItemDef_set_iTimes'"},
      {"local r = QorvDDZView.DDZGameView:create(nil).m_TableItem r.bSendRocket = 1",
       " invalid bArg in function 'lua_cocos2dx_TableItemDef_set_bSendRocket'"},
      // the object in slot 1: nil, a class table, another class's object
      {"QorvDDZView.GameClock.ResetClock(nil)", "invalid 'cobj' in function 'lua_cocos2dx_GameClock_ResetClock'"},
      {"QorvDDZView.GameClock:ResetClock()", "invalid 'cobj' in function 'lua_cocos2dx_GameClock_ResetClock'"},
      {"QorvDDZView.GameClock.ResetClock(QorvDDZView.TaskUI:new(1, 2, 3, 4))",
       "invalid 'cobj' in function 'lua_cocos2dx_GameClock_ResetClock'"},
      {"QorvDDZView.DDZGameView.GetPlayerShow(QorvDDZView.GameClock:new(nil, 1))",
       "invalid 'cobj' in function 'lua_cocos2dx_DDZGameView_GetPlayerShow'"},
      {"QorvDDZView.TableItemDef.Clear(QorvDDZView.DDZGameView:create(nil))",
       "invalid 'cobj' in function 'lua_cocos2dx_TableItemDef_Clear'"},
      {"cc.Node.addChild(QorvDDZView.DDZGameView:create(nil).m_TableItem, nil)",
       "invalid 'cobj' in function 'lua_cocos2dx_Node_addChild'"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Error(c.script), c.text);
  }
}

TEST_F(ScriptTest, MethodsWithoutAResultReturnTheirObjectAndNilObjectsAreNull) {
  EXPECT_EQ(Run("local c = QorvDDZView.GameClock:new(nil, 1) local r = c:ResetClock() "
                "return tostring(r == c) .. ' ' .. tostring(c:isVisible())"),
            "true false");
  EXPECT_EQ(Run("local v = QorvDDZView.DDZGameView:create(nil) "
                "return v:SetPlayerShow(nil, 0) == v and v:UnRegisterLuaHandlerQorvDDZView(5) == v"),
            "true");
  // A nil object argument is a null pointer: the view slot is emptied.
  EXPECT_EQ(Run("local v = QorvDDZView.DDZGameView:create(nil) v.m_pGameClock = nil return v.m_pGameClock"), "nil");
}

TEST_F(ScriptTest, GetInstanceGivesTheCurrentViewUnderItsOwnType) {
  EXPECT_EQ(Run("return QorvDDZView.DDZGameView:getInstance()"), "nil");
  auto* view = new DDZGameView(scene, nullptr);
  scene->addChild(view);
  view->release();
  GameSceneBase::m_pGameView = view;
  EXPECT_EQ(Run("local v = QorvDDZView.DDZGameView:getInstance() "
                "return tostring(v == gamebase.GameSceneBase.m_pGameView) .. ' ' .. v:GetPlayerCount()"),
            "true 3");
  lua_settop(L, 0);
  ASSERT_EQ(luaL_dostring(L, "return QorvDDZView.DDZGameView:getInstance()"), 0);
  EXPECT_TRUE(luaval_is_usertype(L, -1, "QorvDDZView.DDZGameView", 0));
  EXPECT_EQ(tolua_tousertype(L, -1, nullptr), static_cast<void*>(view));
  lua_settop(L, 0);
}

TEST_F(ScriptTest, TheRunningSceneIsTheGameSceneScriptsMakeViewsFor) {
  EXPECT_EQ(Run("local s = cc.Director:getInstance():getRunningScene() "
                "local v = QorvDDZView.DDZGameView:create(s) s:addChild(v) "
                "return tostring(v:getParent() == s) .. ' ' .. tostring(v:isRunning())"),
            "true true");
}

TEST_F(ScriptTest, WidgetsAreMadeAndDestroyedUnderTheirOwnTypes) {
  struct MadeCase {
    const char* make;
    const char* type;  // "" when nothing may be made
  };
  const std::vector<MadeCase> cases = {
      {"QorvDDZView.GameClock:new(nil, 1)", "QorvDDZView.GameClock"},
      {"QorvDDZView.ResultLayer:new(view)", "QorvDDZView.ResultLayer"},
      {"QorvDDZView.ResultLayer:new(nil)", ""},  // a result window needs its view
      {"QorvDDZView.PlayerShow:new(2)", "QorvDDZView.PlayerShow"},
      {"QorvDDZView.PlayerGameInfo:new(0)", "QorvDDZView.PlayerGameInfo"},
      {"QorvDDZView.TalkTip:new()", "QorvDDZView.TalkTip"},
      {"QorvDDZView.TaskUI:new(1, 2, 3, 4)", "QorvDDZView.TaskUI"},
      {"QorvDDZView.OtherPlayerInfo:new(2)", "QorvDDZView.OtherPlayerInfo"},
      {"QorvDDZView.BaseCard:new(view)", "QorvDDZView.BaseCard"},
      {"QorvDDZView.BaseCard:new(nil)", ""},
      {"QorvDDZView.BottomUI:new(nil)", "QorvDDZView.BottomUI"},
      {"QorvDDZView.TopUIBase:new(view)", "QorvDDZView.TopUIBase"},
  };
  ASSERT_EQ(Run("view = QorvDDZView.DDZGameView:create(nil)"), "nil");
  for (const MadeCase& c : cases) {
    SCOPED_TRACE(c.make);
    lua_settop(L, 0);
    ASSERT_EQ(luaL_dostring(L, (std::string("made = ") + c.make + " return made").c_str()), 0);
    if (*c.type == 0) {
      EXPECT_TRUE(lua_isnil(L, -1));
      continue;
    }
    EXPECT_TRUE(luaval_is_usertype(L, -1, c.type, 0));
    EXPECT_NE(tolua_tousertype(L, -1, nullptr), nullptr);
    lua_settop(L, 0);
    EXPECT_EQ(Run("return made:destroy() == made"), "true");
    EXPECT_EQ(Error("made:destroy()").find("invalid 'cobj' in function 'lua_cocos2dx_"), 0u);
  }
  // The guide comes from its factory, for a view only.
  EXPECT_EQ(Run("return QorvDDZView.PlayerGuide:create(nil, 1)"), "nil");
  EXPECT_EQ(Run("local g = QorvDDZView.PlayerGuide:create(view, 1) view:addChild(g) return g:getParent() == view"),
            "true");
}
