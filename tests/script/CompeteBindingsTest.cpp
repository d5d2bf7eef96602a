// The tournament view in Lua: the table view's members through its base, its
// own constructors and client version, and the match's three layer fields
// filled with real layers (under AddressSanitizer a layer freed early, twice
// or never fails).
#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "compete/CompeteGameView.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"

using scripttest::ScriptTest;

namespace {

class CompeteBindingsTest : public ScriptTest {
 protected:
  // Pushes an autoreleased layer as global `name`, typed by its class.
  void PushLayer(const char* name, cocos2d::Ref* layer) {
    luabind::PushObject(L, layer, "cc.Node");
    lua_setglobal(L, name);
  }
};

}  // namespace

TEST_F(CompeteBindingsTest, TheTournamentViewHasTheTableViewsMembersAndItsOwn) {
  // Every method of the table view is reached on the tournament view, the same function.
  EXPECT_EQ(Run("local v, missing, n = QorvDDZView.CompeteGameView:create(nil), {}, 0 "
                "for name, f in pairs(QorvDDZView.DDZGameView) do "
                "  if type(f) == 'function' and not name:find('^__') and name ~= 'new' and name ~= 'create' "
                "     then n = n + 1 if v[name] ~= f then missing[#missing + 1] = name end end end "
                "return #missing == 0 and n or table.concat(missing, ' ')"),
            "15");  // the table view's methods but its constructors
  EXPECT_EQ(Run("local v = QorvDDZView.CompeteGameView:create(nil) "
                "v.m_pGameClock = QorvDDZView.GameClock:new(nil, 1) v.m_TableItem.iTimes = 4 "
                "return tostring(v.m_pGameClock ~= nil) .. ' ' .. v.m_TableItem.iTimes .. ' ' .. v:GetPlayerCount()"),
            "true 4 3");
  EXPECT_EQ(Run("local a, b = QorvDDZView.CompeteGameView:create(nil), QorvDDZView.CompeteGameView:new(nil) "
                "local r = a:GetClientVersion() + b:GetClientVersion() b:release() return r"),
            "400");
  // Made with new and create, the view is of its own type, and a table view too.
  lua_settop(L, 0);
  ASSERT_EQ(luaL_dostring(L, "return QorvDDZView.CompeteGameView:create(nil)"), 0);
  EXPECT_TRUE(luaval_is_usertype(L, -1, "QorvDDZView.CompeteGameView", 0));
  EXPECT_TRUE(luaval_is_usertype(L, -1, "QorvDDZView.DDZGameView", 0));
  EXPECT_NE(dynamic_cast<CompeteGameView*>(static_cast<cocos2d::Ref*>(tolua_tousertype(L, -1, nullptr))), nullptr);
  lua_settop(L, 0);
}

TEST_F(CompeteBindingsTest, GetInstanceGivesATournamentViewUnderItsOwnType) {
  auto* view = new CompeteGameView(scene, nullptr);
  scene->addChild(view);
  view->release();
  GameSceneBase::m_pGameView = view;
  lua_settop(L, 0);
  ASSERT_EQ(luaL_dostring(L, "return QorvDDZView.DDZGameView:getInstance()"), 0);
  EXPECT_TRUE(luaval_is_usertype(L, -1, "QorvDDZView.CompeteGameView", 0));
  EXPECT_EQ(tolua_tousertype(L, -1, nullptr), static_cast<void*>(view));
  lua_settop(L, 0);
  EXPECT_EQ(Run("return QorvDDZView.DDZGameView:getInstance():GetClientVersion()"), "200");
}

TEST_F(CompeteBindingsTest, TheTournamentViewsErrors) {
  struct ErrorCase {
    const char* script;
    const char* text;
  };
  const std::vector<ErrorCase> cases = {
      {"QorvDDZView.CompeteGameView:new()",
       "QorvDDZView.CompeteGameView:constructor has wrong number of arguments: 0, was expecting >=1 && <=2\n "},
      {"QorvDDZView.CompeteGameView:create(nil, nil, nil)",
       "QorvDDZView.CompeteGameView:create has wrong number of arguments: 3, was expecting >=1 && <=2\n "},
      {"QorvDDZView.CompeteGameView:new(1)", "invalid pGameScene in function 'lua_cocos2dx_CompeteGameView_constructor'"},
      {"QorvDDZView.CompeteGameView:create(nil, {})",
       "invalid pLoadingLayer in function 'lua_cocos2dx_CompeteGameView_create'"},
      {"QorvDDZView.CompeteGameView:create(nil):GetClientVersion(1)",
       "QorvDDZView.CompeteGameView:GetClientVersion has wrong number of arguments: 1, was expecting 0\n"},
      {"local v = QorvDDZView.CompeteGameView:create(nil) getmetatable(v)['.set'].m_pCompeteTableUI(v)",
       "QorvDDZView.CompeteGameView:set_m_pCompeteTableUI has wrong number of arguments: 0, was expecting 1\n"},
      // a table view is no tournament view
      {"QorvDDZView.CompeteGameView.GetClientVersion(QorvDDZView.DDZGameView:create(nil))",
       "invalid 'cobj' in function 'lua_cocos2dx_CompeteGameView_GetClientVersion'"},
      {"local v = QorvDDZView.DDZGameView:create(nil) "
       "getmetatable(QorvDDZView.CompeteGameView:create(nil))['.set'].m_pCompeteWaitLayer(v, nil)",
       "invalid 'cobj' in function 'lua_cocos2dx_CompeteGameView_set_m_pCompeteWaitLayer'"},
      // a layer of another kind
      {"local v = QorvDDZView.CompeteGameView:create(nil) v.m_pCompeteWaitLayer = v",
       "invalid m_pCompeteWaitLayer in function 'lua_cocos2dx_CompeteGameView_set_m_pCompeteWaitLayer'"},
      {"local v = QorvDDZView.CompeteGameView:create(nil) v.m_pCompetePromotionLayer = QorvDDZView.GameClock:new(nil, 1)",
       "invalid m_pCompetePromotionLayer in function 'lua_cocos2dx_CompeteGameView_set_m_pCompetePromotionLayer'"},
      {"local v = QorvDDZView.CompeteGameView:create(nil) v.m_pCompeteTableUI = 3",
       "invalid m_pCompeteTableUI in function 'lua_cocos2dx_CompeteGameView_set_m_pCompeteTableUI'"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Error(c.script), c.text);
  }
}

TEST_F(CompeteBindingsTest, TheLayerFieldsTakeTheRealLayersAndOnlyThem) {
  PushLayer("wait", CompeteWaitLayer::create());
  PushLayer("promotion", CompetePromotionLayer::create());
  PushLayer("bar", CompeteTableUI::create());
  ASSERT_EQ(Run("v = QorvDDZView.CompeteGameView:create(nil) cc.Director:getInstance():getRunningScene():addChild(v)"),
            "nil");
  // Each layer passes as the type its field asks for, and reads back under its own.
  EXPECT_EQ(Run("v.m_pCompeteWaitLayer = wait v.m_pCompetePromotionLayer = promotion v.m_pCompeteTableUI = bar "
                "return tostring(v.m_pCompeteWaitLayer == wait) .. tostring(v.m_pCompetePromotionLayer == promotion) "
                "  .. tostring(v.m_pCompeteTableUI == bar)"),
            "truetruetrue");
  lua_settop(L, 0);
  struct TypeCase {
    const char* field;
    const char* type;
  };
  for (const TypeCase& c : {TypeCase{"m_pCompeteWaitLayer", "QorvDDZView.CompeteWaitLayer"},
                            TypeCase{"m_pCompetePromotionLayer", "QorvDDZView.CompetePromotionLayer"},
                            TypeCase{"m_pCompeteTableUI", "QorvDDZView.CompeteTableUI"}}) {
    SCOPED_TRACE(c.field);
    ASSERT_EQ(luaL_dostring(L, (std::string("return v.") + c.field).c_str()), 0);
    EXPECT_TRUE(luaval_is_usertype(L, -1, c.type, 0));
    EXPECT_TRUE(luaval_is_usertype(L, -1, "yndcommon.YndGameLayer", 0));
    lua_settop(L, 0);
  }
  EXPECT_EQ(Error("v.m_pCompeteTableUI = promotion"),
            "invalid m_pCompeteTableUI in function 'lua_cocos2dx_CompeteGameView_set_m_pCompeteTableUI'");
  EXPECT_EQ(Error("v.m_pCompetePromotionLayer = wait"),
            "invalid m_pCompetePromotionLayer in function 'lua_cocos2dx_CompeteGameView_set_m_pCompetePromotionLayer'");

  // The view keeps what the fields hold past the factories' references.
  tick(2);
  EXPECT_EQ(Run("return tostring(v.m_pCompeteWaitLayer == wait) .. tostring(v.m_pCompetePromotionLayer == promotion) "
                "  .. tostring(v.m_pCompeteTableUI == bar)"),
            "truetruetrue");
  // The view's own promotion screen replaces the script's, which goes once.
  lua_settop(L, 0);
  ASSERT_EQ(luaL_dostring(L, "return v"), 0);
  auto* view = static_cast<CompeteGameView*>(tolua_tousertype(L, -1, nullptr));
  lua_settop(L, 0);
  view->NewPromotionLayer();
  EXPECT_EQ(Run("return v.m_pCompetePromotionLayer ~= nil and v.m_pCompetePromotionLayer ~= promotion"), "true");
  EXPECT_EQ(Error("return promotion:getParent()"), "invalid 'cobj' in function 'lua_cocos2dx_Node_getParent'");
  EXPECT_EQ(Run("v.m_pCompetePromotionLayer = nil v.m_pCompeteTableUI = nil return v.m_pCompetePromotionLayer"), "nil");
  EXPECT_EQ(Run("v:removeFromParent()"), "nil");  // the view gives back what it held
  tick(2);
}
