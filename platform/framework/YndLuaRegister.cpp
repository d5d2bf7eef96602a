#include "platform/framework/YndLuaRegister.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}
#include <tolua++.h>

namespace {

struct ClassEntry {
  const char* name;      // name inside the module
  const char* luaType;   // full type name
  const char* baseType;  // full type name of the base
};

void RegisterModule(lua_State* L, const char* module, const ClassEntry* classes, int count) {
  tolua_open(L);
  for (int i = 0; i < count; ++i) tolua_usertype(L, classes[i].luaType);
  tolua_module(L, module, 0);
  tolua_beginmodule(L, module);
  for (int i = 0; i < count; ++i) {
    tolua_cclass(L, classes[i].name, classes[i].luaType, classes[i].baseType, nullptr);
    tolua_beginmodule(L, classes[i].name);
    tolua_endmodule(L);
  }
  tolua_endmodule(L);
}

}  // namespace

int register_all_yndcommon(lua_State* L) {
  static const ClassEntry classes[] = {
      {"YndGameLayer", "yndcommon.YndGameLayer", "cc.Layer"},
      {"YndLoadingBase", "yndcommon.YndLoadingBase", "yndcommon.YndGameLayer"},
  };
  RegisterModule(L, "yndcommon", classes, 2);
  return 1;
}

int register_all_osapi(lua_State* L) {
  static const ClassEntry classes[] = {
      {"OsApiBase", "osapi.OsApiBase", ""},
      {"OsApiCommon", "osapi.OsApiCommon", ""},
      {"PCBaseFrame", "osapi.PCBaseFrame", "cc.Node"},
  };
  RegisterModule(L, "osapi", classes, 3);
  return 1;
}

int lua_cocos2dx_variable_LuaConstReadOnly(lua_State* L) { return luaL_error(L, "the field is read-only"); }
