// The script module whose classes are not written yet. It declares its module
// (an empty table) so scripts can test for it; the scripting layer that brings
// the real classes replaces the function here with its own and this file goes.
#pragma once

struct lua_State;

// Module "QorvDDZView": the client's table classes.
int register_all_QorvDDZView(lua_State* L);
