#include <gtest/gtest.h>

#include <string>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}
#include <tolua++.h>

#include "FrameworkTestSupport.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/framework/YndLuaRegister.h"

namespace {

class LuaModules : public ::testing::Test {
 protected:
  void SetUp() override {
    L = luaL_newstate();
    luaL_openlibs(L);
  }
  void TearDown() override { lua_close(L); }

  // As start-up does it: the modules go into the global table.
  void RegisterBoth() {
    lua_getfield(L, LUA_GLOBALSINDEX, "_G");
    ASSERT_EQ(lua_type(L, -1), LUA_TTABLE);
    register_all_yndcommon(L);
    register_all_osapi(L);
    lua_settop(L, -2);
    ASSERT_EQ(lua_gettop(L), 0);
  }

  // Runs a chunk that returns one string.
  std::string Run(const char* code) {
    if (luaL_dostring(L, code) != 0) {
      std::string error = lua_tostring(L, -1);
      lua_settop(L, 0);
      return "error: " + error;
    }
    std::string result = lua_isstring(L, -1) ? lua_tostring(L, -1) : "(not a string)";
    lua_settop(L, 0);
    return result;
  }

  bool HasMetatable(const char* type) {
    luaL_getmetatable(L, type);
    const bool found = lua_istable(L, -1);
    lua_pop(L, 1);
    return found;
  }

  lua_State* L = nullptr;
};

int GetAnswer(lua_State* L) {
  lua_pushnumber(L, 42);
  return 1;
}

}  // namespace

TEST_F(LuaModules, TypesAndModulesAreRegistered) {
  RegisterBoth();
  for (const char* type : {"yndcommon.YndGameLayer", "yndcommon.YndLoadingBase", "osapi.OsApiBase",
                           "osapi.OsApiCommon", "osapi.PCBaseFrame"}) {
    EXPECT_TRUE(HasMetatable(type)) << type;
  }
  EXPECT_EQ(Run("return type(yndcommon.YndGameLayer) .. ' ' .. type(yndcommon.YndLoadingBase)"), "table table");
  EXPECT_EQ(Run("return type(osapi.OsApiCommon)"), "table");
  // Registering again (a second Lua state start) changes nothing.
  RegisterBoth();
  EXPECT_TRUE(HasMetatable("yndcommon.YndGameLayer"));
}

TEST_F(LuaModules, ReadOnlySetterRefusesAssignment) {
  lua_getfield(L, LUA_GLOBALSINDEX, "_G");
  tolua_open(L);
  tolua_module(L, "probe", 1);
  tolua_beginmodule(L, "probe");
  tolua_variable(L, "answer", GetAnswer, lua_cocos2dx_variable_LuaConstReadOnly);
  tolua_endmodule(L);
  lua_settop(L, 0);
  EXPECT_EQ(Run("return tostring(probe.answer)"), "42");
  const std::string result = Run("probe.answer = 7 return 'assigned'");
  EXPECT_NE(result.find("read-only"), std::string::npos) << result;
  EXPECT_EQ(Run("return tostring(probe.answer)"), "42");
}


using LuaObjects = fwtest::FrameworkTest;

TEST_F(LuaObjects, FrameworkLayersArePushedUnderTheirOwnScriptTypes) {
  cocos2d::LuaStack* stack = cocos2d::LuaStack::create();
  stack->retain();
  lua_State* L = stack->getLuaState();
  lua_getfield(L, LUA_GLOBALSINDEX, "_G");
  register_all_yndcommon(L);
  lua_settop(L, -2);

  auto* loading = new YndLoadingBase();
  stack->pushObject(loading, "cc.Node");
  EXPECT_TRUE(luaval_is_usertype(L, -1, "yndcommon.YndLoadingBase", 0));
  EXPECT_TRUE(luaval_is_usertype(L, -1, "yndcommon.YndGameLayer", 0));  // its base
  EXPECT_EQ(tolua_tousertype(L, -1, nullptr), loading);
  lua_settop(L, 0);
  loading->release();
  stack->release();
}
