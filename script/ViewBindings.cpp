// DDZGameView in Lua: the record of the hand (read-only field), the widget
// slots (fields, and Set/Get pairs for the per-seat ones), the current view,
// the script hooks and the view's constructors.
#include <cstdio>
#include <lua.hpp>

#include "cards/BaseCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/framework/YndLuaRegister.h"
#include "platform/gamebase/GameSceneBase.h"
#include "script/BindingTables.h"
#include "table/DDZGameView.h"
#include "widgets/BottomUI.h"
#include "widgets/GameClock.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUIBase.h"

namespace qorvscript {

namespace {

DDZGameView* SelfView(lua_State* L, const char* func) { return luabind::Self<DDZGameView>(L, kDDZGameView, func); }

// ---- m_TableItem ----

int lua_cocos2dx_DDZGameView_get_m_TableItem(lua_State* L) {
  DDZGameView* view = SelfView(L, "lua_cocos2dx_DDZGameView_get_m_TableItem");
  // The record's value goes with its view.
  luabind::PushOwnedRecord(L, view, &view->m_TableItem, typeid(TableItemDef).name(), kTableItemDef);
  return 1;
}

// ---- single widget slots ----

template <class T>
int GetSlot(lua_State* L, T* DDZGameView::*slot, const char* luaType, const char* func) {
  DDZGameView* view = SelfView(L, func);
  luabind::PushObject(L, view->*slot, luaType);
  return 1;
}

template <class T>
int SetSlot(lua_State* L, T* DDZGameView::*slot, const char* luaType, const char* field, const char* diag,
            const char* func) {
  DDZGameView* view = SelfView(L, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, diag, argc, 1);
  T* widget = nullptr;
  if (!luabind::ToObject(L, 2, luaType, &widget)) return luabind::ArgError(L, field, func);
  view->HoldWidget(view->*slot, widget);
  return luabind::ReturnSelf(L);
}

#define DDZ_VIEW_SLOT(Field, Type, LuaType)                                                                       \
  int lua_cocos2dx_DDZGameView_get_##Field(lua_State* L) {                                                      \
    return GetSlot<Type>(L, &DDZGameView::Field, LuaType, "lua_cocos2dx_DDZGameView_get_" #Field);              \
  }                                                                                                              \
  int lua_cocos2dx_DDZGameView_set_##Field(lua_State* L) {                                                      \
    return SetSlot<Type>(L, &DDZGameView::Field, LuaType, #Field, "QorvDDZView.DDZGameView:set_" #Field,         \
                         "lua_cocos2dx_DDZGameView_set_" #Field);                                                \
  }

DDZ_VIEW_SLOT(m_pBaseCard, BaseCard, "QorvDDZView.BaseCard")
DDZ_VIEW_SLOT(m_pGameClock, GameClock, "QorvDDZView.GameClock")
DDZ_VIEW_SLOT(m_pTalkTip, TalkTip, "QorvDDZView.TalkTip")
DDZ_VIEW_SLOT(m_pTaskUI, TaskUI, "QorvDDZView.TaskUI")
DDZ_VIEW_SLOT(m_pTopUI, TopUIBase, "QorvDDZView.TopUIBase")
DDZ_VIEW_SLOT(m_pBottomUI, BottomUI, "QorvDDZView.BottomUI")
DDZ_VIEW_SLOT(m_pDealCard, Vell_SpriteCardManage, kSpriteCardManage)

#undef DDZ_VIEW_SLOT

// The result window: the view's table decides what it takes (a table with a
// result window of its own takes only that kind, refused like any argument
// that does not fit).
int lua_cocos2dx_DDZGameView_get_m_pResultLayer(lua_State* L) {
  return GetSlot<YndGameLayer>(L, &DDZGameView::m_pResultLayer, kYndGameLayer,
                               "lua_cocos2dx_DDZGameView_get_m_pResultLayer");
}
int lua_cocos2dx_DDZGameView_set_m_pResultLayer(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_DDZGameView_set_m_pResultLayer";
  DDZGameView* view = SelfView(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, "QorvDDZView.DDZGameView:set_m_pResultLayer", argc, 1);
  YndGameLayer* layer = nullptr;
  if (!luabind::ToObject(L, 2, kYndGameLayer, &layer) || !view->SetResultLayerFromScript(layer))
    return luabind::ArgError(L, "m_pResultLayer", kFunc);
  return luabind::ReturnSelf(L);
}

// ---- per-seat slots ----

template <class T>
using SeatSlots = T* (DDZGameView::*)[GameViewBase::kMaxSeats];

template <class T>
int SetSeat(lua_State* L, SeatSlots<T> slots, const char* luaType, const char* field, const char* diag,
            const char* func) {
  DDZGameView* view = SelfView(L, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 2) return luabind::CountError(L, diag, argc, 2);
  T* widget = nullptr;
  int seat = 0;
  if (!luabind::ToObject(L, 2, luaType, &widget)) return luabind::ArgError(L, field, func);
  if (!luaval_to_int32(L, 3, &seat, diag) || seat < 0 || seat >= GameViewBase::kMaxSeats)
    return luabind::ArgError(L, "iCardPos", func);
  view->HoldWidget((view->*slots)[seat], widget);
  return luabind::ReturnSelf(L);
}

template <class T>
int GetSeats(lua_State* L, SeatSlots<T> slots, const char* luaType, const char* diag, const char* func) {
  DDZGameView* view = SelfView(L, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, diag, argc, 0);
  lua_createtable(L, GameViewBase::kMaxSeats, 0);
  for (int seat = 0; seat < GameViewBase::kMaxSeats; ++seat) {
    lua_pushnumber(L, seat + 1);
    luabind::PushObject(L, (view->*slots)[seat], luaType);
    lua_rawset(L, -3);  // nil leaves the seat's key empty
  }
  return 1;
}

#define DDZ_VIEW_SEATS(Name, Field, Type, LuaType)                                                               \
  int lua_cocos2dx_DDZGameView_Set##Name(lua_State* L) {                                                        \
    return SetSeat<Type>(L, &DDZGameView::Field, LuaType, #Field, "QorvDDZView.DDZGameView:Set" #Name,          \
                         "lua_cocos2dx_DDZGameView_Set" #Name);                                                 \
  }                                                                                                              \
  int lua_cocos2dx_DDZGameView_Get##Name(lua_State* L) {                                                        \
    return GetSeats<Type>(L, &DDZGameView::Field, LuaType, "QorvDDZView.DDZGameView:Get" #Name,                 \
                          "lua_cocos2dx_DDZGameView_Get" #Name);                                                \
  }

DDZ_VIEW_SEATS(OtherPlayerInfo, m_pOtherPlayerInfo, OtherPlayerInfo, "QorvDDZView.OtherPlayerInfo")
DDZ_VIEW_SEATS(PlayerGameInfo, m_pPlayerGameInfo, PlayerGameInfo, "QorvDDZView.PlayerGameInfo")
DDZ_VIEW_SEATS(PlayerShow, m_pPlayerShow, PlayerShow, "QorvDDZView.PlayerShow")
DDZ_VIEW_SEATS(HandCard, m_pHandCard, Vell_SpriteCardManage, kSpriteCardManage)
DDZ_VIEW_SEATS(SendCard, m_pSendCard, Vell_SpriteCardManage, kSpriteCardManage)
DDZ_VIEW_SEATS(MingPaiCard, m_pMingCard, Vell_SpriteCardManage, kSpriteCardManage)

#undef DDZ_VIEW_SEATS

// ---- the current view ----

int lua_cocos2dx_DDZGameView_getInstance(lua_State* L) {
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "QorvDDZView.DDZGameView:getInstance", argc, 0);
  luabind::PushObject(L, dynamic_cast<DDZGameView*>(GameSceneBase::m_pGameView), kDDZGameView);
  return 1;
}

// ---- script hooks ----

int lua_cocos2dx_DDZGameView_RegisterLuaHandlerQorvDDZView(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_DDZGameView_RegisterLuaHandlerQorvDDZView";
  constexpr const char* kDiag = "QorvDDZView.DDZGameView:RegisterLuaHandlerQorvDDZView";
  DDZGameView* view = SelfView(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 2) return luabind::CountError(L, kDiag, argc, 2, true);
  int key = 0;
  if (!luaval_to_int32(L, 2, &key, kDiag)) return luabind::ArgError(L, "iValue", kFunc);
  // A value that is no function registers an entry that runs nothing.
  view->RegisterLuaHandlerQorvDDZView(key, toluafix_ref_function(L, 3, 0));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_DDZGameView_UnRegisterLuaHandlerQorvDDZView(lua_State* L) {
  int key = 0;
  auto* view = luabind::SelfWithInt<DDZGameView>(L, kDDZGameView, "QorvDDZView.DDZGameView:UnRegisterLuaHandlerQorvDDZView",
                                                 "lua_cocos2dx_DDZGameView_UnRegisterLuaHandlerQorvDDZView", "iValue",
                                                 &key, true);
  view->UnRegisterLuaHandlerQorvDDZView(key);
  return luabind::ReturnSelf(L);
}

// ---- constructors ----

DDZGameView* NewView(GameSceneBase* scene, YndLoadingBase* loading) { return new DDZGameView(scene, loading); }
int lua_cocos2dx_DDZGameView_constructor(lua_State* L) { return MakeView(L, false, "DDZGameView", &NewView); }
int lua_cocos2dx_DDZGameView_create(lua_State* L) { return MakeView(L, true, "DDZGameView", &NewView); }

using luabind::Field;
using luabind::Method;

#define DDZ_SLOT_FIELD(Name) Field(#Name, lua_cocos2dx_DDZGameView_get_##Name, lua_cocos2dx_DDZGameView_set_##Name)

constexpr luabind::Member kMembers[] = {
    Field("m_TableItem", lua_cocos2dx_DDZGameView_get_m_TableItem, lua_cocos2dx_variable_LuaConstReadOnly),
    DDZ_SLOT_FIELD(m_pBaseCard),
    DDZ_SLOT_FIELD(m_pGameClock),
    DDZ_SLOT_FIELD(m_pTalkTip),
    DDZ_SLOT_FIELD(m_pTaskUI),
    DDZ_SLOT_FIELD(m_pTopUI),
    DDZ_SLOT_FIELD(m_pBottomUI),
    DDZ_SLOT_FIELD(m_pResultLayer),
    DDZ_SLOT_FIELD(m_pDealCard),
    Method("SetOtherPlayerInfo", lua_cocos2dx_DDZGameView_SetOtherPlayerInfo),
    Method("GetOtherPlayerInfo", lua_cocos2dx_DDZGameView_GetOtherPlayerInfo),
    Method("SetPlayerGameInfo", lua_cocos2dx_DDZGameView_SetPlayerGameInfo),
    Method("GetPlayerGameInfo", lua_cocos2dx_DDZGameView_GetPlayerGameInfo),
    Method("SetPlayerShow", lua_cocos2dx_DDZGameView_SetPlayerShow),
    Method("GetPlayerShow", lua_cocos2dx_DDZGameView_GetPlayerShow),
    Method("SetHandCard", lua_cocos2dx_DDZGameView_SetHandCard),
    Method("GetHandCard", lua_cocos2dx_DDZGameView_GetHandCard),
    Method("SetSendCard", lua_cocos2dx_DDZGameView_SetSendCard),
    Method("GetSendCard", lua_cocos2dx_DDZGameView_GetSendCard),
    Method("SetMingPaiCard", lua_cocos2dx_DDZGameView_SetMingPaiCard),
    Method("GetMingPaiCard", lua_cocos2dx_DDZGameView_GetMingPaiCard),
    Method("getInstance", lua_cocos2dx_DDZGameView_getInstance),
    Method("RegisterLuaHandlerQorvDDZView", lua_cocos2dx_DDZGameView_RegisterLuaHandlerQorvDDZView),
    Method("UnRegisterLuaHandlerQorvDDZView", lua_cocos2dx_DDZGameView_UnRegisterLuaHandlerQorvDDZView),
    Method("new", lua_cocos2dx_DDZGameView_constructor),
    Method("create", lua_cocos2dx_DDZGameView_create),
};

#undef DDZ_SLOT_FIELD

}  // namespace

int MakeView(lua_State* L, bool create, const char* cls, DDZGameView* (*make)(GameSceneBase*, YndLoadingBase*)) {
  // Plain buffers: a raised error unwinds this frame without destructors.
  char luaType[64], diag[96], func[96];
  std::snprintf(luaType, sizeof luaType, "QorvDDZView.%s", cls);
  std::snprintf(diag, sizeof diag, "%s:%s", luaType, create ? "create" : "constructor");
  std::snprintf(func, sizeof func, "lua_cocos2dx_%s_%s", cls, create ? "create" : "constructor");
  const int argc = luabind::ArgCount(L);
  if (argc < 1 || argc > 2) return luabind::RangeCountError(L, diag, argc, 1, 2);
  GameSceneBase* scene = nullptr;
  YndLoadingBase* loading = nullptr;
  if (!luabind::ToObject(L, 2, "gamebase.GameSceneBase", &scene)) return luabind::ArgError(L, "pGameScene", func);
  if (argc == 2 && !luabind::ToObject(L, 3, "yndcommon.YndLoadingBase", &loading))
    return luabind::ArgError(L, "pLoadingLayer", func);
  DDZGameView* view = make(scene, loading);
  if (!view->init()) {
    delete view;
    return luaL_error(L, create ? "%s create error\n " : "%s constructor error\n ", diag);
  }
  if (create)
    view->autorelease();
  else
    luabind::ScriptAdopt(L, view);
  luabind::PushObject(L, view, luaType);
  return 1;
}

std::span<const luabind::Member> DDZGameViewMembers() { return kMembers; }

}  // namespace qorvscript
