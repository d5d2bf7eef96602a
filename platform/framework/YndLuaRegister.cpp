#include "platform/framework/YndLuaRegister.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}
#include <tolua++.h>

#include <string>

#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/PCBaseFrame.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/os/OsApiBase.h"

namespace {

constexpr char kOsApiBase[] = "osapi.OsApiBase";

int lua_cocos2dx_YndGameLayer_AddPlist(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_YndGameLayer_AddPlist";
  constexpr const char* kDiag = "yndcommon.YndGameLayer:AddPlist";
  auto* self = luabind::Self<YndGameLayer>(L, "yndcommon.YndGameLayer", kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, kDiag, argc, 1);
  std::string plist;
  if (!luaval_to_std_string(L, 2, &plist, kDiag)) return luabind::ArgError(L, "plist", kFunc);
  lua_pushboolean(L, self->AddPlist(plist.c_str()));
  return 1;
}

int lua_cocos2dx_YndGameLayer_setTouchEnabled(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_YndGameLayer_setTouchEnabled";
  constexpr const char* kDiag = "yndcommon.YndGameLayer:setTouchEnabled";
  auto* self = luabind::Self<YndGameLayer>(L, "yndcommon.YndGameLayer", kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1 && argc != 2) return luabind::CountError(L, kDiag, argc, 1);
  bool enabled = false, flag = false;
  if (!luaval_to_boolean(L, 2, &enabled, kDiag)) return luabind::ArgError(L, "enabled", kFunc);
  if (argc == 2 && !luaval_to_boolean(L, 3, &flag, kDiag)) return luabind::ArgError(L, "flag", kFunc);
  if (argc == 2)
    self->setTouchEnabled(enabled, flag);
  else
    self->setTouchEnabled(enabled);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_OsApiBase_shareOsApi(lua_State* L) {
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "osapi.OsApiBase:shareOsApi", argc, 0);
  luabind::PushRecord(L, OsApiBase::shareOsApi(), nullptr, kOsApiBase);
  return 1;
}

int lua_cocos2dx_OsApiBase_GetDeviceModel(lua_State* L) {
  auto* self = luabind::Self<OsApiBase>(L, kOsApiBase, "lua_cocos2dx_OsApiBase_GetDeviceModel");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "osapi.OsApiBase:GetDeviceModel", argc, 0);
  lua_pushlstring(L, self->GetDeviceModel().data(), self->GetDeviceModel().size());
  return 1;
}

constexpr luabind::Member kYndGameLayer[] = {
    luabind::Method("AddPlist", lua_cocos2dx_YndGameLayer_AddPlist),
    luabind::Method("setTouchEnabled", lua_cocos2dx_YndGameLayer_setTouchEnabled),
};
constexpr luabind::Member kOsApiBaseMembers[] = {
    luabind::Method("shareOsApi", lua_cocos2dx_OsApiBase_shareOsApi),
    luabind::Method("GetDeviceModel", lua_cocos2dx_OsApiBase_GetDeviceModel),
};

}  // namespace

int register_all_yndcommon(lua_State* L) {
  static const luabind::Class classes[] = {
      luabind::EngineClass<YndGameLayer>("YndGameLayer", "yndcommon.YndGameLayer", "cc.Layer", kYndGameLayer),
      luabind::EngineClass<YndLoadingBase>("YndLoadingBase", "yndcommon.YndLoadingBase", "yndcommon.YndGameLayer"),
  };
  luabind::RegisterModule(L, "yndcommon", classes);
  return 1;
}

int register_all_osapi(lua_State* L) {
  static const luabind::Class classes[] = {
      {"OsApiBase", kOsApiBase, "", nullptr, nullptr, kOsApiBaseMembers},
      {"OsApiCommon", "osapi.OsApiCommon", "", nullptr, nullptr, {}},
      luabind::EngineClass<PCBaseFrame>("PCBaseFrame", "osapi.PCBaseFrame", "cc.Node"),
  };
  luabind::RegisterModule(L, "osapi", classes);
  return 1;
}

int lua_cocos2dx_variable_LuaConstReadOnly(lua_State* L) { return luaL_error(L, "the field is read-only"); }
