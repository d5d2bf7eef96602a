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

int FireScriptHandler(const ScriptHandlerMap& map, int key, const cocos2d::LuaValue* argument) {
  if (!HasScriptHandler(map, key)) return 0;
  const int handler = map.at(key)->getHandler();
  cocos2d::LuaStack* stack = cocos2d::LuaEngine::getInstance()->getLuaStack();
  int numArgs = 0;
  if (argument != nullptr) {
    stack->pushLuaValue(*argument);
    numArgs = 1;
  }
  const int result = stack->executeFunctionByHandler(handler, numArgs);
  stack->clean();
  return result;
}

int FireScriptHandler(const ScriptHandlerMap& map, int key, void* record, const char* luaType) {
  if (!HasScriptHandler(map, key)) return 0;
  const int handler = map.at(key)->getHandler();
  cocos2d::LuaStack* stack = cocos2d::LuaEngine::getInstance()->getLuaStack();
  lua_State* L = stack->getLuaState();
  const int top = lua_gettop(L);
  tolua_pushusertype(L, record, luaType);
  // A type that no module registered pushes nothing: the handler gets nil.
  if (lua_gettop(L) == top) lua_pushnil(L);
  const int result = stack->executeFunctionByHandler(handler, 1);
  stack->clean();
  return result;
}

}  // namespace ddz
