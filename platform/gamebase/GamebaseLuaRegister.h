// Script registration of the game-base module "gamebase". Start-up calls it
// with the global table on top of the Lua stack, after the framework and
// platform modules and before the client's own module.
#pragma once

struct lua_State;

// The types "gamebase.GameSceneBase", "gamebase.GameViewBase",
// "gamebase.RoomListLayer", "gamebase.RoomBtn", "gamebase.GameResBase",
// "gamebase.AniBase", "gamebase.GameMsgBox", "gamebase.NewPlayerHead" (engine
// objects, pushed under their own type) and the records
// "gamebase.PlayerNodeDef", "gamebase.RoomItemInfoDef", "gamebase.GlobalInfoDef".
int register_all_gamebase(lua_State* L);
