// Script modules whose classes are not written yet. Each declares its module
// (an empty table) so scripts can test for it; the layer that brings the real
// classes replaces the function here with its own and this file goes.
#pragma once

struct lua_State;

// Module "gamebase": the game-base layer's classes.
int register_all_gamebase(lua_State* L);
// Module "QorvDDZView": the client's table classes.
int register_all_QorvDDZView(lua_State* L);
