// CompeteGameView in Lua: the table view's members (through its Lua base)
// plus its own constructors, the match's three layers and the client
// version. The four tournament layers are registered as classes so their
// values pass into those fields under their own types.
#include <lua.hpp>

#include "compete/CompeteGameView.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/gamebase/GameSceneBase.h"
#include "script/BindingTables.h"

namespace qorvscript {

namespace {

constexpr const char* kCompeteGameView = "QorvDDZView.CompeteGameView";
constexpr int kClientVersion = 200;

CompeteGameView* SelfView(lua_State* L, const char* func) {
  return luabind::Self<CompeteGameView>(L, kCompeteGameView, func);
}

int MakeView(lua_State* L, bool create) {
  const char* diag = create ? "QorvDDZView.CompeteGameView:create" : "QorvDDZView.CompeteGameView:constructor";
  const char* func = create ? "lua_cocos2dx_CompeteGameView_create" : "lua_cocos2dx_CompeteGameView_constructor";
  const int argc = luabind::ArgCount(L);
  if (argc < 1 || argc > 2) return luabind::RangeCountError(L, diag, argc, 1, 2);
  GameSceneBase* scene = nullptr;
  YndLoadingBase* loading = nullptr;
  if (!luabind::ToObject(L, 2, "gamebase.GameSceneBase", &scene)) return luabind::ArgError(L, "pGameScene", func);
  if (argc == 2 && !luabind::ToObject(L, 3, "yndcommon.YndLoadingBase", &loading))
    return luabind::ArgError(L, "pLoadingLayer", func);
  auto* view = new CompeteGameView(scene, loading);
  if (!view->init()) {
    delete view;
    return luaL_error(L, create ? "%s create error\n " : "%s constructor error\n ", diag);
  }
  if (create)
    view->autorelease();
  else
    luabind::ScriptAdopt(L, view);
  luabind::PushObject(L, view, kCompeteGameView);
  return 1;
}

int lua_cocos2dx_CompeteGameView_constructor(lua_State* L) { return MakeView(L, false); }
int lua_cocos2dx_CompeteGameView_create(lua_State* L) { return MakeView(L, true); }

// ---- the match's layers ----

template <class T>
int GetLayer(lua_State* L, T* CompeteGameView::*field, const char* luaType, const char* func) {
  CompeteGameView* view = SelfView(L, func);
  luabind::PushObject(L, view->*field, luaType);
  return 1;
}

// The setter's one value; a wrong count or value raises (the errors do not return).
template <class T>
T* LayerArgument(lua_State* L, const char* luaType, const char* field, const char* diag, const char* func) {
  const int argc = luabind::ArgCount(L);
  if (argc != 1) luabind::CountError(L, diag, argc, 1);
  T* layer = nullptr;
  if (!luabind::ToObject(L, 2, luaType, &layer)) luabind::ArgError(L, field, func);
  return layer;
}

int lua_cocos2dx_CompeteGameView_get_m_pCompeteWaitLayer(lua_State* L) {
  return GetLayer(L, &CompeteGameView::m_pCompeteWaitLayer, "QorvDDZView.CompeteWaitLayer",
                  "lua_cocos2dx_CompeteGameView_get_m_pCompeteWaitLayer");
}
int lua_cocos2dx_CompeteGameView_set_m_pCompeteWaitLayer(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_CompeteGameView_set_m_pCompeteWaitLayer";
  CompeteGameView* view = SelfView(L, kFunc);
  auto* layer = LayerArgument<CompeteWaitLayer>(L, "QorvDDZView.CompeteWaitLayer", "m_pCompeteWaitLayer",
                                                "QorvDDZView.CompeteGameView:set_m_pCompeteWaitLayer", kFunc);
  // The view keeps a reference while the script's layer is in the field.
  view->HoldWidget(view->m_pCompeteWaitLayer, layer);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteGameView_get_m_pCompetePromotionLayer(lua_State* L) {
  return GetLayer(L, &CompeteGameView::m_pCompetePromotionLayer, "VellGameBase.CompetePromotionLayer",
                  "lua_cocos2dx_CompeteGameView_get_m_pCompetePromotionLayer");
}
int lua_cocos2dx_CompeteGameView_set_m_pCompetePromotionLayer(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_CompeteGameView_set_m_pCompetePromotionLayer";
  CompeteGameView* view = SelfView(L, kFunc);
  auto* layer = LayerArgument<CompetePromotionLayer>(L, "VellGameBase.CompetePromotionLayer",
                                                     "m_pCompetePromotionLayer",
                                                     "QorvDDZView.CompeteGameView:set_m_pCompetePromotionLayer", kFunc);
  // The view owns its promotion screen: it takes the new one's reference itself.
  view->SetPromotionLayer(layer);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteGameView_get_m_pCompeteTableUI(lua_State* L) {
  return GetLayer(L, &CompeteGameView::m_pCompeteTableUI, "VellGameBase.CompeteTableUI",
                  "lua_cocos2dx_CompeteGameView_get_m_pCompeteTableUI");
}
int lua_cocos2dx_CompeteGameView_set_m_pCompeteTableUI(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_CompeteGameView_set_m_pCompeteTableUI";
  CompeteGameView* view = SelfView(L, kFunc);
  auto* bar = LayerArgument<CompeteTableUI>(L, "VellGameBase.CompeteTableUI", "m_pCompeteTableUI",
                                            "QorvDDZView.CompeteGameView:set_m_pCompeteTableUI", kFunc);
  view->HoldWidget(view->m_pCompeteTableUI, bar);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteGameView_GetClientVersion(lua_State* L) {
  SelfView(L, "lua_cocos2dx_CompeteGameView_GetClientVersion");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "QorvDDZView.CompeteGameView:GetClientVersion", argc, 0);
  lua_pushnumber(L, kClientVersion);
  return 1;
}

using luabind::Field;
using luabind::Method;

#define COMPETE_LAYER_FIELD(Name) \
  Field(#Name, lua_cocos2dx_CompeteGameView_get_##Name, lua_cocos2dx_CompeteGameView_set_##Name)

constexpr luabind::Member kMembers[] = {
    Method("new", lua_cocos2dx_CompeteGameView_constructor),
    Method("create", lua_cocos2dx_CompeteGameView_create),
    COMPETE_LAYER_FIELD(m_pCompeteWaitLayer),
    COMPETE_LAYER_FIELD(m_pCompetePromotionLayer),
    COMPETE_LAYER_FIELD(m_pCompeteTableUI),
    Method("GetClientVersion", lua_cocos2dx_CompeteGameView_GetClientVersion),
};

#undef COMPETE_LAYER_FIELD

}  // namespace

std::span<const luabind::Member> CompeteGameViewMembers() { return kMembers; }

}  // namespace qorvscript
