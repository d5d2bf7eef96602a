#include "platform/framework/YndLuaRegister.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}
#include <tolua++.h>

#include <typeinfo>

#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/framework/YndLoadingBase.h"

namespace {

struct ClassEntry {
  const char* name;      // name inside the module
  const char* luaType;   // full type name
  const char* baseType;  // full type name of the base
  const char* cppType;   // typeid name of an engine object's class, or null
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
  // Objects of these classes are pushed under their own type.
  for (int i = 0; i < count; ++i) {
    if (classes[i].cppType) g_luaType[classes[i].cppType] = classes[i].luaType;
    g_typeCast[classes[i].name] = classes[i].luaType;
  }
}

}  // namespace

int register_all_yndcommon(lua_State* L) {
  static const ClassEntry classes[] = {
      {"YndGameLayer", "yndcommon.YndGameLayer", "cc.Layer", typeid(YndGameLayer).name()},
      {"YndLoadingBase", "yndcommon.YndLoadingBase", "yndcommon.YndGameLayer", typeid(YndLoadingBase).name()},
  };
  RegisterModule(L, "yndcommon", classes, 2);
  return 1;
}

int register_all_osapi(lua_State* L) {
  static const ClassEntry classes[] = {
      {"OsApiBase", "osapi.OsApiBase", "", nullptr},
      {"OsApiCommon", "osapi.OsApiCommon", "", nullptr},
      {"PCBaseFrame", "osapi.PCBaseFrame", "cc.Node", typeid(PCBaseFrame).name()},
  };
  RegisterModule(L, "osapi", classes, 3);
  return 1;
}

int lua_cocos2dx_variable_LuaConstReadOnly(lua_State* L) { return luaL_error(L, "the field is read-only"); }
