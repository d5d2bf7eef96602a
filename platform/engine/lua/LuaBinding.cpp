#include "platform/engine/lua/LuaBinding.h"

#include <tolua++.h>

#include <lua.hpp>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/engine/Log.h"
#include "platform/engine/Node.h"
#include "platform/engine/ScriptSupport.h"
#include "platform/engine/lua/LuaStack.h"

namespace luabind {

namespace {

// Script types that objects of unregistered derived classes may take, in
// registration order (bases first). Process-wide like g_luaType.
std::vector<std::pair<std::string, IsA>>& Resolvers() {
  static std::vector<std::pair<std::string, IsA>> resolvers;
  return resolvers;
}

void AddResolver(const char* luaType, IsA isA) {
  for (auto& [type, test] : Resolvers()) {
    if (type == luaType) {
      test = isA;
      return;
    }
  }
  Resolvers().emplace_back(luaType, isA);
}

// True when `type` is `base` or registered as derived from it.
bool IsAtOrBelow(lua_State* L, const std::string& type, const char* base) {
  if (!base || !*base || type == base) return true;
  lua_pushstring(L, "tolua_super");
  lua_rawget(L, LUA_REGISTRYINDEX);
  luaL_getmetatable(L, type.c_str());
  lua_rawget(L, -2);
  bool below = false;
  if (lua_istable(L, -1)) {
    lua_getfield(L, -1, base);
    below = lua_toboolean(L, -1) != 0;
    lua_pop(L, 1);
  }
  lua_pop(L, 2);
  return below;
}

std::string TypeOf(lua_State* L, cocos2d::Ref* object, const char* namedType) {
  auto exact = g_luaType.find(typeid(*object).name());
  if (exact != g_luaType.end()) return exact->second;
  const auto& resolvers = Resolvers();
  for (auto it = resolvers.rbegin(); it != resolvers.rend(); ++it) {
    if (it->second(object) && IsAtOrBelow(L, it->first, namedType)) return it->first;
  }
  return namedType ? namedType : "";
}

}  // namespace

void RegisterModule(lua_State* L, const char* module, std::span<const Class> classes) {
  const int top = lua_gettop(L);
  tolua_open(L);
  tolua_module(L, module, 0);
  tolua_beginmodule(L, module);
  for (const Class& c : classes) {
    tolua_usertype(L, c.luaType);
    tolua_cclass(L, c.name, c.luaType, c.baseType, nullptr);
    tolua_beginmodule(L, c.name);
    for (const Member& m : c.members) {
      if (m.field)
        tolua_variable(L, m.name, m.fn, m.setter);
      else
        tolua_function(L, m.name, m.fn);
    }
    tolua_endmodule(L);
    if (c.cppType) g_luaType[c.cppType] = c.luaType;
    g_typeCast[c.name] = c.luaType;
    if (c.isA) AddResolver(c.luaType, c.isA);
  }
  tolua_endmodule(L);
  lua_settop(L, top);
}

void* SelfPointer(lua_State* L, const char* luaType, const char* func) {
  tolua_Error err;
  void* self = nullptr;
  if (lua_type(L, 1) == LUA_TUSERDATA && tolua_isusertype(L, 1, luaType, 0, &err))
    self = tolua_tousertype(L, 1, nullptr);
  if (!self) luaL_error(L, "invalid 'cobj' in function '%s'", func);
  return self;
}

void* RecordPointer(lua_State* L, const char* luaType) {
  tolua_Error err;
  if (lua_type(L, 1) != LUA_TUSERDATA || !tolua_isusertype(L, 1, luaType, 0, &err)) return nullptr;
  return tolua_tousertype(L, 1, nullptr);
}

void* SelfWithIntPointer(lua_State* L, const char* luaType, const char* diag, const char* func, const char* arg,
                         int* value, bool blank) {
  void* self = SelfPointer(L, luaType, func);
  const int argc = ArgCount(L);
  if (argc != 1) CountError(L, diag, argc, 1, blank);
  if (!luaval_to_int32(L, 2, value, diag)) ArgError(L, arg, func);
  return self;
}

int CountError(lua_State* L, const char* diag, int argc, int n, bool blank) {
  return luaL_error(L, blank ? "%s has wrong number of arguments: %d, was expecting %d \n"
                             : "%s has wrong number of arguments: %d, was expecting %d\n",
                    diag, argc, n);
}

int RangeCountError(lua_State* L, const char* diag, int argc, int lo, int hi) {
  return luaL_error(L, "%s has wrong number of arguments: %d, was expecting >=%d && <=%d\n ", diag, argc, lo, hi);
}

int ArgError(lua_State* L, const char* arg, const char* func) {
  return luaL_error(L, "invalid %s in function '%s'", arg, func);
}

int RaiseText(lua_State* L, const char* text) { return luaL_error(L, "%s", text); }

bool ToObjectPointer(lua_State* L, int lo, const char* luaType, void** out) {
  if (lua_gettop(L) < lo) return false;
  if (lua_isnil(L, lo)) {
    *out = nullptr;
    return true;
  }
  if (lua_type(L, lo) != LUA_TUSERDATA || !luaval_is_usertype(L, lo, luaType, 0)) return false;
  *out = tolua_tousertype(L, lo, nullptr);
  return true;
}

void PushObject(lua_State* L, cocos2d::Ref* object, const char* namedType) {
  if (!object) {
    lua_pushnil(L);
    return;
  }
  const std::string type = TypeOf(L, object, namedType);
  toluafix_pushusertype_ccobject(L, static_cast<int>(object->_ID), &object->_luaID, object, type.c_str());
}

void PushOwnedRecord(lua_State* L, cocos2d::Ref* owner, void* record, const char* cppType, const char* namedType) {
  if (!owner || !record) {
    lua_pushnil(L);
    return;
  }
  if (owner->_luaID == 0) {
    // The owner's end must reach the script side even if it was never pushed.
    PushObject(L, owner, "cc.Ref");
    lua_pop(L, 1);
  }
  auto found = cppType ? g_luaType.find(cppType) : g_luaType.end();
  const std::string type = found != g_luaType.end() ? found->second : (namedType ? namedType : "");
  toluafix_add_owned_record(L, owner, record, type.c_str());
  tolua_pushusertype(L, record, type.c_str());
}

void PushRecord(lua_State* L, void* record, const char* cppType, const char* namedType) {
  if (!record) {
    lua_pushnil(L);
    return;
  }
  auto found = cppType ? g_luaType.find(cppType) : g_luaType.end();
  tolua_pushusertype(L, record, found != g_luaType.end() ? found->second.c_str() : namedType);
}

void PushIntArray(lua_State* L, const int* values, int n) {
  lua_createtable(L, n, 0);
  for (int i = 0; i < n; ++i) {
    lua_pushnumber(L, i + 1);
    lua_pushnumber(L, values[i]);
    lua_rawset(L, -3);
  }
}

namespace {
std::map<lua_State*, std::unordered_map<cocos2d::Ref*, int>>& ScriptRefs() {
  static std::map<lua_State*, std::unordered_map<cocos2d::Ref*, int>> refs;
  return refs;
}
}  // namespace

void ScriptRetain(lua_State* L, cocos2d::Ref* object) {
  if (!object) return;
  object->retain();
  ++ScriptRefs()[L][object];
}

void ScriptAdopt(lua_State* L, cocos2d::Ref* object) {
  if (object) ++ScriptRefs()[L][object];
}

bool ScriptRelease(lua_State* L, cocos2d::Ref* object) {
  auto state = ScriptRefs().find(L);
  if (!object || state == ScriptRefs().end()) return false;
  auto held = state->second.find(object);
  if (held == state->second.end()) return false;
  if (--held->second == 0) state->second.erase(held);
  object->release();
  return true;
}

int ScriptReferences(lua_State* L, cocos2d::Ref* object) {
  auto state = ScriptRefs().find(L);
  if (state == ScriptRefs().end()) return 0;
  auto held = state->second.find(object);
  return held == state->second.end() ? 0 : held->second;
}

void DestroyFromScript(lua_State* L, cocos2d::Ref* object) {
  if (!object) return;
  object->retain();  // alive until the steps below are done
  if (ScriptReferences(L, object) > 0) {
    if (auto* node = dynamic_cast<cocos2d::Node*>(object)) node->removeFromParent();
    while (ScriptRelease(L, object)) {
    }
  } else {
    cocos2d::log("destroy: the script holds no reference to this object; it stays with its owner");
  }
  ForgetObject(object);
  object->release();
}

void ReleaseScriptReferences(lua_State* L) {
  auto state = ScriptRefs().find(L);
  if (state == ScriptRefs().end()) return;
  std::unordered_map<cocos2d::Ref*, int> held;
  held.swap(state->second);
  ScriptRefs().erase(state);
  for (auto& [object, count] : held)
    for (int i = 0; i < count; ++i) object->release();
}

void ForgetObject(cocos2d::Ref* object) {
  if (!object) return;
  if (cocos2d::ScriptEngineProtocol* engine = cocos2d::ScriptEngineManager::getInstance()->getScriptEngine())
    engine->removeScriptObjectByObject(object);
}

}  // namespace luabind
