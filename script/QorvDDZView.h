// The client's script module "QorvDDZView": the table view, its record of the
// hand and its widgets as Lua classes, so that scripts can build and drive a
// table and handle the view's numbered events (0-19, see DDZGameView.h).
//
// Start-up registers, after the engine's "cc" and the library modules
// "yndcommon", "osapi" and "gamebase":
//   1. "VellGameBase": the Lua types of the card rows
//      ("VellGameBase.Vell_SpriteCardManage") and the names the tournament
//      bar and promotion screen answer to beside their own
//      ("VellGameBase.CompeteTableUI", "VellGameBase.CompetePromotionLayer");
//      they carry no members of their own;
//   2. "QorvDDZView": the classes of BindingTables.h, in their order.
//
// Every binding checks the object it is called on: nil, a destroyed object
// or an object of another class raises "invalid 'cobj' in function '<f>'".
// Objects a script made with `new` are the script's until `destroy`, which
// takes them from their parent and gives back the script's reference; a
// widget put into a view's slot is kept by the view while it is there.
#pragma once

struct lua_State;

// Both return 1. Expect the table to register into (the global table) on top.
int register_all_VellGameBase(lua_State* L);
int register_all_QorvDDZView(lua_State* L);
