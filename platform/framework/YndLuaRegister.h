// Script registration of the framework and platform modules. Start-up calls
// both with the global table on top of the Lua stack, before the game-base
// module and the client's own module.
#pragma once

struct lua_State;

// Module "yndcommon": the types "yndcommon.YndGameLayer" (on the engine's
// "cc.Layer": AddPlist(plist) -> bool, setTouchEnabled(enabled [, flag])) and
// "yndcommon.YndLoadingBase" (a YndGameLayer).
int register_all_yndcommon(lua_State* L);
// Module "osapi": the types "osapi.OsApiBase" (shareOsApi() -> the
// process's record, GetDeviceModel() -> "pc" or "ipad" ...),
// "osapi.OsApiCommon" and "osapi.PCBaseFrame".
int register_all_osapi(lua_State* L);
// The setter slot of a field that scripts may read but not write: an
// assignment raises a Lua error.
int lua_cocos2dx_variable_LuaConstReadOnly(lua_State* L);
