#include "platform/engine/lua/ScriptHooks.h"

extern "C" {
#include <lua.h>
}
#include <tolua++.h>

namespace ddz {

bool RegisterScriptHandler(ScriptHandlerMap& map, int key, int handler) {
  auto it = map.find(key);
  if (it != map.end()) {
    // A refused handler goes with an autoreleased entry, so that its function
    // does not stay in the Lua registry (unless it is the one already kept).
    if (handler != 0 && (it->second == nullptr || it->second->getHandler() != handler))
      cocos2d::ScriptHandlerEntry::create(handler);
    return false;
  }
  cocos2d::ScriptHandlerEntry* entry = cocos2d::ScriptHandlerEntry::create(handler);
  entry->retain();
  map[key] = entry;
  return true;
}

void UnregisterScriptHandler(ScriptHandlerMap& map, int key) {
  auto it = map.find(key);
  if (it == map.end()) return;
  cocos2d::ScriptHandlerEntry* entry = it->second;
  map.erase(it);
  CC_SAFE_RELEASE(entry);
}

void ReleaseScriptHandlers(ScriptHandlerMap& map) {
  ScriptHandlerMap entries;
  entries.swap(map);
  for (auto& [key, entry] : entries) CC_SAFE_RELEASE(entry);
}

bool HasScriptHandler(const ScriptHandlerMap& map, int key) {
  auto it = map.find(key);
  return it != map.end() && it->second != nullptr && it->second->getHandler() != 0;
}

namespace {

// Runs the handler of `key` with the one argument `push` puts on the stack
// (none when it pushes nothing). The stack is put back to the height it had:
// a handler may run inside a binding whose own slots lie below.
template <typename Push>
int RunHandler(const ScriptHandlerMap& map, int key, Push&& push) {
  if (!HasScriptHandler(map, key)) return 0;
  const int handler = map.at(key)->getHandler();
  cocos2d::LuaStack* stack = cocos2d::LuaEngine::getInstance()->getLuaStack();
  lua_State* L = stack->getLuaState();
  const int top = lua_gettop(L);
  push(stack);
  const int result = stack->executeFunctionByHandler(handler, lua_gettop(L) - top);
  lua_settop(L, top);
  return result;
}

}  // namespace

int FireScriptHandler(const ScriptHandlerMap& map, int key, const cocos2d::LuaValue* argument) {
  return RunHandler(map, key, [argument](cocos2d::LuaStack* stack) {
    if (argument != nullptr) stack->pushLuaValue(*argument);
  });
}

int FireScriptHandler(const ScriptHandlerMap& map, int key, const cocos2d::LuaValueArray& values) {
  return RunHandler(map, key, [&values](cocos2d::LuaStack* stack) { stack->pushLuaValueArray(values); });
}

int FireScriptHandler(const ScriptHandlerMap& map, int key, void* record, const char* luaType) {
  return RunHandler(map, key, [record, luaType](cocos2d::LuaStack* stack) {
    lua_State* L = stack->getLuaState();
    const int top = lua_gettop(L);
    tolua_pushusertype(L, record, luaType);
    // A type that no module registered pushes nothing: the handler gets nil.
    if (lua_gettop(L) == top) lua_pushnil(L);
  });
}

}  // namespace ddz
