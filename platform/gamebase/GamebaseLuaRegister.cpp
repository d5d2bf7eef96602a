#include "platform/gamebase/GamebaseLuaRegister.h"

extern "C" {
#include <lua.h>
}
#include <tolua++.h>

#include <typeinfo>

#include "platform/engine/lua/LuaStack.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameResBase.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "platform/gamebase/RoomBtn.h"
#include "platform/gamebase/RoomListLayer.h"

namespace {

struct ClassEntry {
  const char* name;      // name inside the module
  const char* luaType;   // full type name
  const char* baseType;  // full type name of the base ("" for none)
  const char* cppType;   // typeid name of an engine object's class, or null
};

}  // namespace

int register_all_gamebase(lua_State* L) {
  static const ClassEntry classes[] = {
      {"GameSceneBase", "gamebase.GameSceneBase", "cc.Scene", typeid(GameSceneBase).name()},
      {"GameViewBase", "gamebase.GameViewBase", "yndcommon.YndGameLayer", typeid(GameViewBase).name()},
      {"RoomListLayer", "gamebase.RoomListLayer", "yndcommon.YndGameLayer", typeid(RoomListLayer).name()},
      {"RoomBtn", "gamebase.RoomBtn", "cc.Node", typeid(RoomBtn).name()},
      {"GameResBase", "gamebase.GameResBase", "yndcommon.YndGameLayer", typeid(GameResBase).name()},
      {"AniBase", "gamebase.AniBase", "yndcommon.YndGameLayer", typeid(AniBase).name()},
      {"GameMsgBox", "gamebase.GameMsgBox", "yndcommon.YndGameLayer", typeid(GameMsgBox).name()},
      {"NewPlayerHead", "gamebase.NewPlayerHead", "cc.Node", typeid(NewPlayerHead).name()},
      {"PlayerNodeDef", "gamebase.PlayerNodeDef", "", nullptr},
      {"RoomItemInfoDef", "gamebase.RoomItemInfoDef", "", nullptr},
      {"GlobalInfoDef", "gamebase.GlobalInfoDef", "", nullptr},
  };
  constexpr int count = static_cast<int>(sizeof(classes) / sizeof(classes[0]));
  tolua_open(L);
  for (const ClassEntry& c : classes) tolua_usertype(L, c.luaType);
  tolua_module(L, "gamebase", 0);
  tolua_beginmodule(L, "gamebase");
  for (const ClassEntry& c : classes) {
    tolua_cclass(L, c.name, c.luaType, c.baseType, nullptr);
    tolua_beginmodule(L, c.name);
    tolua_endmodule(L);
  }
  tolua_endmodule(L);
  for (int i = 0; i < count; ++i) {
    if (classes[i].cppType) g_luaType[classes[i].cppType] = classes[i].luaType;
    g_typeCast[classes[i].name] = classes[i].luaType;
  }
  return 1;
}
