#include "platform/engine/lua/LuaStack.h"

#include <algorithm>

#include <tolua++.h>

#include <lua.hpp>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/lua/LuaBinding.h"

std::unordered_map<std::string, std::string> g_luaType;
std::unordered_map<std::string, std::string> g_typeCast;

namespace {

// Registry tables: refid -> object pointer, refid -> type name, refid -> function.
constexpr const char* kRefidPtr = "toluafix_refid_ptr_mapping";
constexpr const char* kRefidType = "toluafix_refid_type_mapping";
constexpr const char* kRefidFunction = "toluafix_refid_function_mapping";
int g_functionRefId = 0;
// Records inside engine objects that were pushed to Lua, by state and owner.
std::map<lua_State*, std::map<cocos2d::Ref*, std::vector<std::pair<void*, std::string>>>> g_ownedRecords;

void PushRegistryTable(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_rawget(L, LUA_REGISTRYINDEX);
}

void ArgError(const char* funcName, int lo, const char* what) {
  cocos2d::log("%s: argument %d is not %s", funcName ? funcName : "", lo, what);
}

}  // namespace

// ---------------------------------------------------------------- tolua fixes

void toluafix_open(lua_State* L) {
  for (const char* name : {kRefidPtr, kRefidType, kRefidFunction}) {
    lua_pushstring(L, name);
    lua_newtable(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
  }
}

int toluafix_pushusertype_ccobject(lua_State* L, int refid, int* p_refid, void* ptr, const char* type) {
  if (!ptr || !p_refid) {
    lua_pushnil(L);
    return -1;
  }
  std::string typeName = type ? type : "";
  auto* object = static_cast<cocos2d::Ref*>(ptr);
  auto found = g_luaType.find(typeid(*object).name());
  if (found != g_luaType.end()) typeName = found->second;

  if (*p_refid == 0) {
    *p_refid = refid;
    PushRegistryTable(L, kRefidPtr);
    lua_pushinteger(L, refid);
    lua_pushlightuserdata(L, ptr);
    lua_rawset(L, -3);
    lua_pop(L, 1);
    PushRegistryTable(L, kRefidType);
    lua_pushinteger(L, refid);
    lua_pushstring(L, typeName.c_str());
    lua_rawset(L, -3);
    lua_pop(L, 1);
  }
  tolua_pushusertype(L, ptr, typeName.c_str());
  return 0;
}

int toluafix_remove_ccobject_by_refid(lua_State* L, int refid) {
  if (refid == 0) return -1;
  PushRegistryTable(L, kRefidPtr);
  lua_pushinteger(L, refid);
  lua_rawget(L, -2);
  void* ptr = lua_touserdata(L, -1);
  lua_pop(L, 1);
  lua_pushinteger(L, refid);
  lua_pushnil(L);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  PushRegistryTable(L, kRefidType);
  lua_pushinteger(L, refid);
  lua_rawget(L, -2);
  const std::string type = lua_isstring(L, -1) ? lua_tostring(L, -1) : "";
  lua_pop(L, 1);
  lua_pushinteger(L, refid);
  lua_pushnil(L);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  if (!ptr) return -2;

  toluafix_clear_userdata(L, ptr, type.c_str());
  return 0;
}

void toluafix_clear_userdata(lua_State* L, void* ptr, const char* type) {
  if (!ptr) return;
  // Lua values that still hold the pointer now hold a null pointer. tolua++
  // keeps the userdata of a pointer in its class's box table when the class
  // has one, else in the registry's.
  auto clearBox = [&] {  // the box table is on top
    if (!lua_istable(L, -1)) return;
    lua_pushlightuserdata(L, ptr);
    lua_rawget(L, -2);
    if (void** box = static_cast<void**>(lua_touserdata(L, -1))) *box = nullptr;
    lua_pop(L, 1);
    lua_pushlightuserdata(L, ptr);
    lua_pushnil(L);
    lua_rawset(L, -3);
  };
  if (type && *type) {
    luaL_getmetatable(L, type);
    if (lua_istable(L, -1)) {
      lua_pushstring(L, "tolua_ubox");
      lua_rawget(L, -2);
      clearBox();
      lua_pop(L, 1);
    }
    lua_pop(L, 1);
  }
  lua_pushstring(L, "tolua_ubox");
  lua_rawget(L, LUA_REGISTRYINDEX);
  clearBox();
  lua_pop(L, 1);
}

void toluafix_add_owned_record(lua_State* L, cocos2d::Ref* owner, void* record, const char* type) {
  if (!owner || !record) return;
  auto& records = g_ownedRecords[L][owner];
  for (const auto& [ptr, t] : records)
    if (ptr == record && t == type) return;
  records.emplace_back(record, type ? type : "");
}

int toluafix_ref_function(lua_State* L, int lo, int) {
  if (!lua_isfunction(L, lo)) return 0;
  const int id = ++g_functionRefId;
  PushRegistryTable(L, kRefidFunction);
  lua_pushinteger(L, id);
  lua_pushvalue(L, lo < 0 ? lo - 2 : lo);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  return id;
}

void toluafix_get_function_by_refid(lua_State* L, int refid) {
  PushRegistryTable(L, kRefidFunction);
  lua_pushinteger(L, refid);
  lua_rawget(L, -2);
  lua_remove(L, -2);
}

void toluafix_remove_function_by_refid(lua_State* L, int refid) {
  PushRegistryTable(L, kRefidFunction);
  lua_pushinteger(L, refid);
  lua_pushnil(L);
  lua_rawset(L, -3);
  lua_pop(L, 1);
}

int toluafix_isfunction(lua_State* L, int lo, const char*, int def, void*) {
  if (def && lua_gettop(L) < std::abs(lo)) return 1;
  return lua_isfunction(L, lo) ? 1 : 0;
}

// ---------------------------------------------------------------- conversions

bool luaval_to_int32(lua_State* L, int lo, int* outValue, const char* funcName) {
  if (!L || !outValue || lua_type(L, lo) != LUA_TNUMBER) {
    ArgError(funcName, lo, "a number");
    return false;
  }
  *outValue = static_cast<int>(lua_tointeger(L, lo));
  return true;
}

bool luaval_to_boolean(lua_State* L, int lo, bool* outValue, const char* funcName) {
  if (!L || !outValue || !(lua_isboolean(L, lo) || lua_isnil(L, lo))) {
    ArgError(funcName, lo, "a boolean");
    return false;
  }
  *outValue = lua_toboolean(L, lo) != 0;
  return true;
}

bool luaval_to_number(lua_State* L, int lo, double* outValue, const char* funcName) {
  if (!L || !outValue || lua_type(L, lo) != LUA_TNUMBER) {
    ArgError(funcName, lo, "a number");
    return false;
  }
  *outValue = lua_tonumber(L, lo);
  return true;
}

bool luaval_to_std_string(lua_State* L, int lo, std::string* outValue, const char* funcName) {
  if (!L || !outValue || !lua_isstring(L, lo)) {
    ArgError(funcName, lo, "a string");
    return false;
  }
  size_t len = 0;
  const char* s = lua_tolstring(L, lo, &len);
  outValue->assign(s, len);
  return true;
}

bool luaval_to_vec2(lua_State* L, int lo, cocos2d::Vec2* outValue, const char* funcName) {
  if (!L || !outValue || !lua_istable(L, lo)) {
    ArgError(funcName, lo, "a table {x, y}");
    return false;
  }
  const int t = lo < 0 ? lua_gettop(L) + lo + 1 : lo;
  lua_getfield(L, t, "x");
  lua_getfield(L, t, "y");
  const bool ok = lua_type(L, -2) == LUA_TNUMBER && lua_type(L, -1) == LUA_TNUMBER;
  if (ok) *outValue = cocos2d::Vec2(static_cast<float>(lua_tonumber(L, -2)), static_cast<float>(lua_tonumber(L, -1)));
  lua_pop(L, 2);
  if (!ok) ArgError(funcName, lo, "a table {x, y}");
  return ok;
}

bool luaval_to_std_vector_int(lua_State* L, int lo, std::vector<int>* ret, const char* funcName) {
  if (!L || !ret || !lua_istable(L, lo)) {
    ArgError(funcName, lo, "an array of numbers");
    return false;
  }
  const int t = lo < 0 ? lua_gettop(L) + lo + 1 : lo;
  std::vector<int> out;
  const size_t n = lua_objlen(L, t);
  for (size_t i = 1; i <= n; ++i) {
    lua_rawgeti(L, t, static_cast<int>(i));
    if (lua_type(L, -1) != LUA_TNUMBER) {
      lua_pop(L, 1);
      ArgError(funcName, lo, "an array of numbers");
      return false;
    }
    out.push_back(static_cast<int>(lua_tointeger(L, -1)));
    lua_pop(L, 1);
  }
  *ret = std::move(out);
  return true;
}

bool luaval_is_usertype(lua_State* L, int lo, const char* type, int def) {
  if (!L) return false;
  if (def && lua_gettop(L) < std::abs(lo)) return true;
  if (lua_isnil(L, lo)) return true;
  if (lo < 0 && lo > LUA_REGISTRYINDEX) lo = lua_gettop(L) + lo + 1;  // tolua++ needs absolute indices
  tolua_Error err;
  return tolua_isusertype(L, lo, type, 0, &err) != 0;
}

// ---------------------------------------------------------------- values

namespace cocos2d {

LuaValue LuaValue::intValue(int v) {
  LuaValue l;
  l._type = Type::INT;
  l._int = v;
  return l;
}

LuaValue LuaValue::floatValue(float v) {
  LuaValue l;
  l._type = Type::FLOAT;
  l._float = v;
  return l;
}

LuaValue LuaValue::booleanValue(bool v) {
  LuaValue l;
  l._type = Type::BOOLEAN;
  l._bool = v;
  return l;
}

LuaValue LuaValue::stringValue(const std::string& v) {
  LuaValue l;
  l._type = Type::STRING;
  l._string = v;
  return l;
}

// ---------------------------------------------------------------- LuaStack

LuaStack* LuaStack::create() {
  auto* s = new LuaStack();
  if (!s->init()) {
    delete s;
    return nullptr;
  }
  s->autorelease();
  return s;
}

bool LuaStack::init() {
  _state = luaL_newstate();
  if (!_state) return false;
  luaL_openlibs(_state);
  tolua_open(_state);
  toluafix_open(_state);
  return true;
}

LuaStack::~LuaStack() {
  g_ownedRecords.erase(_state);
  lua_release_script_timers(_state);
  luabind::ReleaseScriptReferences(_state);
  if (_state) lua_close(_state);
}

void LuaStack::setXXTEAKeyAndSign(const char* key, int keyLen, const char* sign, int signLen) {
  _xxteaKey = key && keyLen > 0 ? std::string(key, static_cast<std::size_t>(keyLen)) : "";
  _xxteaSign = sign && signLen > 0 ? std::string(sign, static_cast<std::size_t>(signLen)) : "";
}

void LuaStack::addSearchPath(const char* path) {
  if (!path) return;
  lua_getglobal(_state, "package");
  lua_getfield(_state, -1, "path");
  std::string p = lua_tostring(_state, -1) ? lua_tostring(_state, -1) : "";
  p.append(";").append(FileUtils::normalizeFolder(path)).append("?.lua");
  lua_pop(_state, 1);
  lua_pushstring(_state, p.c_str());
  lua_setfield(_state, -2, "path");
  lua_pop(_state, 1);
}

int LuaStack::executeString(const char* code) {
  if (!code) return 1;
  if (luaL_loadstring(_state, code) != 0) {
    log("[LUA ERROR] %s", lua_tostring(_state, -1));
    lua_pop(_state, 1);
    return 1;
  }
  int result = 0;
  return callFunction(0, &result) ? 0 : 1;  // an error while it runs is a failure too
}

int LuaStack::executeScriptFile(const char* filename) {
  if (!filename) return 1;
  const std::string text = FileUtils::getInstance()->getStringFromFile(filename);
  if (text.empty()) {
    log("[LUA ERROR] script %s not found", filename);
    return 1;
  }
  if (!_xxteaSign.empty() && text.compare(0, _xxteaSign.size(), _xxteaSign) == 0) {
    log("[LUA ERROR] script %s is encrypted; this build runs plain scripts only", filename);
    return 1;
  }
  if (luaL_loadbuffer(_state, text.data(), text.size(), filename) != 0) {
    log("[LUA ERROR] %s", lua_tostring(_state, -1));
    lua_pop(_state, 1);
    return 1;
  }
  int result = 0;
  return callFunction(0, &result) ? 0 : 1;  // an error while it runs is a failure too
}

void LuaStack::clean() { lua_settop(_state, 0); }
void LuaStack::pushInt(int v) { lua_pushinteger(_state, v); }
void LuaStack::pushFloat(float v) { lua_pushnumber(_state, v); }
void LuaStack::pushBoolean(bool v) { lua_pushboolean(_state, v ? 1 : 0); }
void LuaStack::pushString(const char* v) { lua_pushstring(_state, v ? v : ""); }
void LuaStack::pushString(const char* v, int length) { lua_pushlstring(_state, v ? v : "", v ? length : 0); }
void LuaStack::pushNil() { lua_pushnil(_state); }

void LuaStack::pushLuaValue(const LuaValue& v) {
  switch (v.getType()) {
    case LuaValue::Type::INT: pushInt(v.intValue()); break;
    case LuaValue::Type::FLOAT: pushFloat(v.floatValue()); break;
    case LuaValue::Type::BOOLEAN: pushBoolean(v.booleanValue()); break;
    case LuaValue::Type::STRING: pushString(v.stringValue().c_str(), static_cast<int>(v.stringValue().size())); break;
    case LuaValue::Type::NIL: pushNil(); break;
  }
}

void LuaStack::pushLuaValueArray(const LuaValueArray& values) {
  lua_createtable(_state, static_cast<int>(values.size()), 0);
  int i = 1;
  for (const LuaValue& v : values) {
    pushLuaValue(v);
    lua_rawseti(_state, -2, i++);
  }
}

void LuaStack::pushLuaValueDict(const LuaValueDict& values) {
  lua_createtable(_state, 0, static_cast<int>(values.size()));
  for (const auto& [key, v] : values) {
    lua_pushstring(_state, key.c_str());
    pushLuaValue(v);
    lua_rawset(_state, -3);
  }
}

void LuaStack::pushObject(Ref* object, const char* typeName) {
  if (!object) {
    lua_pushnil(_state);
    return;
  }
  toluafix_pushusertype_ccobject(_state, static_cast<int>(object->_ID), &object->_luaID, object, typeName);
}

int LuaStack::executeFunction(int numArgs) {
  int result = 0;
  callFunction(numArgs, &result);
  return result;
}

bool LuaStack::callFunction(int numArgs, int* result) {
  *result = 0;
  const int functionIndex = -(numArgs + 1);
  if (!lua_isfunction(_state, functionIndex)) {
    log("[LUA ERROR] value at stack [%d] is not a function", functionIndex);
    lua_pop(_state, numArgs + 1);
    return false;
  }
  // debug.traceback as the error handler, placed under the function.
  int traceback = 0;
  lua_getglobal(_state, "debug");
  if (lua_istable(_state, -1)) {
    lua_getfield(_state, -1, "traceback");
    lua_remove(_state, -2);
    if (lua_isfunction(_state, -1)) {
      lua_insert(_state, functionIndex - 1);
      traceback = functionIndex - 1;
    } else {
      lua_pop(_state, 1);
    }
  } else {
    lua_pop(_state, 1);
  }
  const int error = lua_pcall(_state, numArgs, 1, traceback);
  if (error) {
    log("[LUA ERROR] %s", lua_tostring(_state, -1));
    lua_pop(_state, traceback ? 2 : 1);
    return false;
  }
  if (lua_type(_state, -1) == LUA_TNUMBER)
    *result = static_cast<int>(lua_tointeger(_state, -1));
  else if (lua_isboolean(_state, -1))
    *result = lua_toboolean(_state, -1);
  lua_pop(_state, traceback ? 2 : 1);
  return true;
}

bool LuaStack::pushFunctionByHandler(int handler) {
  toluafix_get_function_by_refid(_state, handler);
  if (!lua_isfunction(_state, -1)) {
    if (handler != 0) log("[LUA ERROR] function refid '%d' does not reference a Lua function", handler);
    lua_pop(_state, 1);
    return false;
  }
  return true;
}

int LuaStack::executeFunctionByHandler(int handler, int numArgs) {
  // What lies below the arguments is the caller's (a binding's own slots
  // when the handler runs inside one): it stays.
  const int below = std::max(0, lua_gettop(_state) - std::max(0, numArgs));
  int ret = 0;
  if (pushFunctionByHandler(handler)) {
    if (numArgs > 0) lua_insert(_state, -(numArgs + 1));
    ret = executeFunction(numArgs);
  }
  lua_settop(_state, below);
  return ret;
}

void LuaStack::removeScriptHandler(int handler) {
  if (handler != 0) toluafix_remove_function_by_refid(_state, handler);
}

void LuaStack::removeScriptObjectByObject(Ref* object) {
  auto owned = g_ownedRecords.find(_state);
  if (object && owned != g_ownedRecords.end()) {
    auto records = owned->second.find(object);
    if (records != owned->second.end()) {
      for (const auto& [ptr, type] : records->second) toluafix_clear_userdata(_state, ptr, type.c_str());
      owned->second.erase(records);
    }
  }
  if (object && object->_luaID != 0) {
    toluafix_remove_ccobject_by_refid(_state, object->_luaID);
    object->_luaID = 0;
  }
}

// ---------------------------------------------------------------- LuaEngine

namespace {
LuaEngine* g_luaEngine = nullptr;
int g_nextEntryId = 0;
}  // namespace

LuaEngine* LuaEngine::getInstance() {
  if (!g_luaEngine) g_luaEngine = new LuaEngine();
  return g_luaEngine;
}

void LuaEngine::destroyInstance() {
  if (!g_luaEngine) return;
  if (ScriptEngineManager::getInstance()->getScriptEngine() == g_luaEngine)
    ScriptEngineManager::getInstance()->removeScriptEngine();
  delete g_luaEngine;
  g_luaEngine = nullptr;
}

LuaEngine::LuaEngine() : _stack(LuaStack::create()) { _stack->retain(); }

LuaEngine::~LuaEngine() {
  // The script timers end with the engine, even while the stack waits in the pool.
  if (_stack) lua_release_script_timers(_stack->getLuaState());
  CC_SAFE_RELEASE(_stack);
}

// ---------------------------------------------------------------- ScriptHandlerEntry

ScriptHandlerEntry* ScriptHandlerEntry::create(int handler) {
  auto* e = new ScriptHandlerEntry(handler);
  e->autorelease();
  return e;
}

ScriptHandlerEntry::ScriptHandlerEntry(int handler) : _handler(handler), _entryId(++g_nextEntryId) {}

ScriptHandlerEntry::~ScriptHandlerEntry() {
  if (_handler == 0) return;
  if (ScriptEngineProtocol* engine = ScriptEngineManager::getInstance()->getScriptEngine())
    engine->removeScriptHandler(_handler);
}

}  // namespace cocos2d
