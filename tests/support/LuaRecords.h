// Reading back what test scripts recorded: a Lua global that holds an array of
// strings is taken out and emptied, so each check sees only the new lines.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"

namespace ddz::test {

inline std::vector<std::string> TakeLuaStrings(cocos2d::LuaEngine* engine, const char* global) {
  lua_State* L = engine->getLuaStack()->getLuaState();
  std::vector<std::string> out;
  lua_getglobal(L, global);
  const int n = static_cast<int>(lua_objlen(L, -1));
  for (int i = 1; i <= n; ++i) {
    lua_rawgeti(L, -1, i);
    out.emplace_back(lua_tostring(L, -1));
    lua_pop(L, 1);
  }
  lua_settop(L, 0);
  engine->executeString((std::string(global) + " = {}").c_str());
  return out;
}

// Whether the function registered under `handler` is still in the registry.
inline bool LuaFunctionAlive(cocos2d::LuaEngine* engine, int handler) {
  const bool alive = engine->getLuaStack()->pushFunctionByHandler(handler);
  lua_settop(engine->getLuaStack()->getLuaState(), 0);
  return alive;
}

}  // namespace ddz::test
