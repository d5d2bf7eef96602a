// Script handlers kept by number: the hook table of a card row, and the same
// kind of table that the table view keeps for its numbered script events and
// the room list for its own.
//
// A table maps a number to a retained ScriptHandlerEntry, which owns the Lua
// function reference. The first handler registered under a number stays; a
// later one for the same number is refused and its function dropped. Firing a
// number without a handler, or whose handler id is 0, runs nothing and gives 0.
#pragma once

#include <map>

#include "platform/engine/lua/LuaStack.h"

namespace ddz {

using ScriptHandlerMap = std::map<int, cocos2d::ScriptHandlerEntry*>;

// Stores `handler` under `key` when the key is free; true when stored. A refused
// handler is released (its function reference is dropped).
bool RegisterScriptHandler(ScriptHandlerMap& map, int key, int handler);
// Releases the entry of `key` and forgets the key; an unknown key does nothing.
void UnregisterScriptHandler(ScriptHandlerMap& map, int key);
// Releases every entry and empties the table.
void ReleaseScriptHandlers(ScriptHandlerMap& map);
// True when `key` has an entry with a handler id other than 0.
bool HasScriptHandler(const ScriptHandlerMap& map, int key);
// Calls the handler of `key` on the engine's Lua stack with the given argument
// (none when null), puts the stack back to the height it had before (a
// handler run inside a binding leaves the binding's slots alone) and returns
// the handler's result as an int; 0 when there is no handler.
int FireScriptHandler(const ScriptHandlerMap& map, int key, const cocos2d::LuaValue* argument = nullptr);
// The same with one argument: a table holding `values` at 1..n.
int FireScriptHandler(const ScriptHandlerMap& map, int key, const cocos2d::LuaValueArray& values);
// The same with a plain record (not an engine object) as the argument, pushed
// under the script type `luaType` (for example "gamebase.RoomItemInfoDef");
// the handler sees nil when `record` is null.
int FireScriptHandler(const ScriptHandlerMap& map, int key, void* record, const char* luaType);

}  // namespace ddz
