// Reading back what test scripts recorded: a Lua global that holds an array of
// strings is taken out and emptied, so each check sees only the new lines.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"

namespace ddz::test {

// Recording handlers in Lua: the global `seen` (an array of lines) and
// `recorder(name, result)`, which makes a handler that writes
// name(arguments) into `seen` and answers `result`. Strings are written as
// their bytes in hex after "s:", arrays in braces.
inline constexpr const char* kLuaRecorder = R"(
      seen = {}
      local function show(v)
        if type(v) == 'table' then
          local parts = {}
          for i = 1, #v do parts[i] = show(v[i]) end
          return '{' .. table.concat(parts, ',') .. '}'
        elseif type(v) == 'string' then
          return 's:' .. string.gsub(v, '.', function(c) return string.format('%02x', string.byte(c)) end)
        end
        return tostring(v)
      end
      -- A handler that writes name(arguments) and answers `result`.
      function recorder(name, result)
        return function(...)
          local parts = {}
          for i = 1, select('#', ...) do parts[i] = show((select(i, ...))) end
          seen[#seen + 1] = name .. '(' .. table.concat(parts, ' ') .. ')'
          return result
        end
      end
    )";

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
