#include "platform/gamebase/GamebaseLuaRegister.h"

extern "C" {
#include <lua.h>
}
#include <tolua++.h>


#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndLuaRegister.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameResBase.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "platform/gamebase/RoomBtn.h"
#include "platform/gamebase/RoomListLayer.h"

namespace {

constexpr char kPlayerNodeDef[] = "gamebase.PlayerNodeDef";
constexpr char kRoomItemInfoDef[] = "gamebase.RoomItemInfoDef";
constexpr char kGlobalInfoDef[] = "gamebase.GlobalInfoDef";
constexpr const char* kGameViewBase = "gamebase.GameViewBase";

using luabind::RecordNumber;
using luabind::RecordText;

// ---- GameSceneBase ----

// GameSceneBase.m_pGameView: the scene's current table view, or nil. Read on
// the class table or on a scene alike.
int lua_cocos2dx_GameSceneBase_get_m_pGameView(lua_State* L) {
  luabind::PushObject(L, GameSceneBase::m_pGameView, kGameViewBase);
  return 1;
}

// ---- GameViewBase ----

int lua_cocos2dx_GameViewBase_GetTablePosByTableNumExtra(lua_State* L) {
  int chair = 0;
  auto* self = luabind::SelfWithInt<GameViewBase>(L, kGameViewBase, "gamebase.GameViewBase:GetTablePosByTableNumExtra",
                                                  "lua_cocos2dx_GameViewBase_GetTablePosByTableNumExtra", "tableNum",
                                                  &chair);
  // The chair is a byte on the wire: anything beyond one is no chair.
  lua_pushnumber(L, chair < -128 || chair > 127 ? -1 : self->GetTablePosByTableNumExtra(static_cast<char>(chair)));
  return 1;
}

int lua_cocos2dx_GameViewBase_GetPlayerNode(lua_State* L) {
  int seat = 0;
  auto* self = luabind::SelfWithInt<GameViewBase>(L, kGameViewBase, "gamebase.GameViewBase:GetPlayerNode",
                                                  "lua_cocos2dx_GameViewBase_GetPlayerNode", "seat", &seat);
  luabind::PushOwnedRecord(L, self, self->GetPlayerNode(seat), nullptr, kPlayerNodeDef);
  return 1;
}

int lua_cocos2dx_GameViewBase_GetPlayerCount(lua_State* L) {
  auto* self = luabind::Self<GameViewBase>(L, kGameViewBase, "lua_cocos2dx_GameViewBase_GetPlayerCount");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "gamebase.GameViewBase:GetPlayerCount", argc, 0);
  lua_pushnumber(L, self->GetPlayerCount());
  return 1;
}

// GameViewBase.m_GlobalInfo: the process's login record.
int lua_cocos2dx_GameViewBase_get_m_GlobalInfo(lua_State* L) {
  luabind::PushRecord(L, &GameViewBase::m_GlobalInfo, nullptr, kGlobalInfoDef);
  return 1;
}

constexpr luabind::Member kGameSceneBase[] = {
    luabind::Field("m_pGameView", lua_cocos2dx_GameSceneBase_get_m_pGameView, lua_cocos2dx_variable_LuaConstReadOnly),
};
constexpr luabind::Member kGameViewBaseMembers[] = {
    luabind::Method("GetTablePosByTableNumExtra", lua_cocos2dx_GameViewBase_GetTablePosByTableNumExtra),
    luabind::Method("GetPlayerNode", lua_cocos2dx_GameViewBase_GetPlayerNode),
    luabind::Method("GetPlayerCount", lua_cocos2dx_GameViewBase_GetPlayerCount),
    luabind::Field("m_GlobalInfo", lua_cocos2dx_GameViewBase_get_m_GlobalInfo, lua_cocos2dx_variable_LuaConstReadOnly),
};

// ---- the records: read-only fields ----

#define DDZ_READ_ONLY(name, getter) luabind::Field(name, getter, lua_cocos2dx_variable_LuaConstReadOnly)

constexpr luabind::Member kPlayerNodeMembers[] = {
    DDZ_READ_ONLY("iUserID", (RecordNumber<&PlayerNode::iUserID, kPlayerNodeDef>)),
    DDZ_READ_ONLY("szUserName", (RecordText<&PlayerNode::szUserName, kPlayerNodeDef>)),
    DDZ_READ_ONLY("szNickName", (RecordText<&PlayerNode::szNickName, kPlayerNodeDef>)),
    DDZ_READ_ONLY("iMoney", (RecordNumber<&PlayerNode::iMoney, kPlayerNodeDef>)),
    DDZ_READ_ONLY("iYuanBao", (RecordNumber<&PlayerNode::iYuanBao, kPlayerNodeDef>)),
    DDZ_READ_ONLY("cChairID", (RecordNumber<&PlayerNode::cChairID, kPlayerNodeDef>)),
    DDZ_READ_ONLY("cHeadID", (RecordNumber<&PlayerNode::cHeadID, kPlayerNodeDef>)),
    DDZ_READ_ONLY("bReady", (RecordNumber<&PlayerNode::bReady, kPlayerNodeDef>)),
    DDZ_READ_ONLY("iWinNum", (RecordNumber<&PlayerNode::iWinNum, kPlayerNodeDef>)),
    DDZ_READ_ONLY("iLoseNum", (RecordNumber<&PlayerNode::iLoseNum, kPlayerNodeDef>)),
    DDZ_READ_ONLY("iLevel", (RecordNumber<&PlayerNode::iLevel, kPlayerNodeDef>)),
};
constexpr luabind::Member kRoomItemInfoMembers[] = {
    DDZ_READ_ONLY("iGameID", (RecordNumber<&RoomItemInfo::iGameID, kRoomItemInfoDef>)),
};
constexpr luabind::Member kGlobalInfoMembers[] = {
    DDZ_READ_ONLY("iUserID", (RecordNumber<&GlobalInfo::iUserID, kGlobalInfoDef>)),
    DDZ_READ_ONLY("szNickName", (RecordText<&GlobalInfo::szNickName, kGlobalInfoDef>)),
    DDZ_READ_ONLY("szUserName", (RecordText<&GlobalInfo::szUserName, kGlobalInfoDef>)),
    DDZ_READ_ONLY("iMoney", (RecordNumber<&GlobalInfo::iMoney, kGlobalInfoDef>)),
    DDZ_READ_ONLY("iYuanBao", (RecordNumber<&GlobalInfo::iYuanBao, kGlobalInfoDef>)),
    DDZ_READ_ONLY("iTableNum", (RecordNumber<&GlobalInfo::iTableNum, kGlobalInfoDef>)),
    DDZ_READ_ONLY("iChairID", (RecordNumber<&GlobalInfo::iChairID, kGlobalInfoDef>)),
    DDZ_READ_ONLY("iPlayMode", (RecordNumber<&GlobalInfo::iPlayMode, kGlobalInfoDef>)),
    DDZ_READ_ONLY("bSoundOpen", (RecordNumber<&GlobalInfo::bSoundOpen, kGlobalInfoDef>)),
    DDZ_READ_ONLY("bMusicOpen", (RecordNumber<&GlobalInfo::bMusicOpen, kGlobalInfoDef>)),
    DDZ_READ_ONLY("iCardCounterMode", (RecordNumber<&GlobalInfo::iCardCounterMode, kGlobalInfoDef>)),
};

#undef DDZ_READ_ONLY

}  // namespace

int register_all_gamebase(lua_State* L) {
  static const luabind::Class classes[] = {
      luabind::EngineClass<GameSceneBase>("GameSceneBase", "gamebase.GameSceneBase", "cc.Scene", kGameSceneBase),
      luabind::EngineClass<GameViewBase>("GameViewBase", kGameViewBase, "yndcommon.YndGameLayer", kGameViewBaseMembers),
      luabind::EngineClass<RoomListLayer>("RoomListLayer", "gamebase.RoomListLayer", "yndcommon.YndGameLayer"),
      luabind::EngineClass<RoomBtn>("RoomBtn", "gamebase.RoomBtn", "cc.Node"),
      luabind::EngineClass<GameResBase>("GameResBase", "gamebase.GameResBase", "yndcommon.YndGameLayer"),
      luabind::EngineClass<AniBase>("AniBase", "gamebase.AniBase", "yndcommon.YndGameLayer"),
      luabind::EngineClass<GameMsgBox>("GameMsgBox", "gamebase.GameMsgBox", "yndcommon.YndGameLayer"),
      luabind::EngineClass<NewPlayerHead>("NewPlayerHead", "gamebase.NewPlayerHead", "cc.Node"),
      {"PlayerNodeDef", kPlayerNodeDef, "", nullptr, nullptr, kPlayerNodeMembers},
      {"RoomItemInfoDef", kRoomItemInfoDef, "", nullptr, nullptr, kRoomItemInfoMembers},
      {"GlobalInfoDef", kGlobalInfoDef, "", nullptr, nullptr, kGlobalInfoMembers},
  };
  luabind::RegisterModule(L, "gamebase", classes);
  return 1;
}
