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
#include "script/BindingTables.h"

namespace qorvscript {

namespace {

constexpr const char* kCompeteGameView = "QorvDDZView.CompeteGameView";
constexpr int kClientVersion = 200;

CompeteGameView* SelfView(lua_State* L, const char* func) {
  return luabind::Self<CompeteGameView>(L, kCompeteGameView, func);
}

DDZGameView* NewView(GameSceneBase* scene, YndLoadingBase* loading) { return new CompeteGameView(scene, loading); }
int lua_cocos2dx_CompeteGameView_constructor(lua_State* L) { return MakeView(L, false, "CompeteGameView", &NewView); }
int lua_cocos2dx_CompeteGameView_create(lua_State* L) { return MakeView(L, true, "CompeteGameView", &NewView); }

// ---- the match's layers ----

template <class T>
int GetLayer(lua_State* L, T* CompeteGameView::*field, const char* luaType, const char* func) {
  CompeteGameView* view = SelfView(L, func);
  luabind::PushObject(L, view->*field, luaType);
  return 1;
}

// A setter: one value of `luaType` (nil empties the field), then `store`.
template <class T>
int SetLayer(lua_State* L, const char* luaType, const char* field, const char* diag, const char* func,
             void (*store)(CompeteGameView*, T*)) {
  CompeteGameView* view = SelfView(L, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, diag, argc, 1);
  T* layer = nullptr;
  if (!luabind::ToObject(L, 2, luaType, &layer)) return luabind::ArgError(L, field, func);
  store(view, layer);
  return luabind::ReturnSelf(L);
}

// The waiting room and the bar are the view's children while shown, not its
// own: the view keeps a reference while a script's layer is in the field.
void HoldWaitLayer(CompeteGameView* view, CompeteWaitLayer* layer) { view->HoldWidget(view->m_pCompeteWaitLayer, layer); }
void HoldTableUI(CompeteGameView* view, CompeteTableUI* bar) { view->HoldWidget(view->m_pCompeteTableUI, bar); }
// The view owns its promotion screen and takes the new one's reference itself.
void StorePromotionLayer(CompeteGameView* view, CompetePromotionLayer* layer) { view->SetPromotionLayer(layer); }

#define COMPETE_LAYER_ACCESSORS(Field, Type, LuaType, Store)                                                 \
  int lua_cocos2dx_CompeteGameView_get_##Field(lua_State* L) {                                             \
    return GetLayer<Type>(L, &CompeteGameView::Field, LuaType, "lua_cocos2dx_CompeteGameView_get_" #Field); \
  }                                                                                                         \
  int lua_cocos2dx_CompeteGameView_set_##Field(lua_State* L) {                                             \
    return SetLayer<Type>(L, LuaType, #Field, "QorvDDZView.CompeteGameView:set_" #Field,                   \
                          "lua_cocos2dx_CompeteGameView_set_" #Field, Store);                              \
  }

COMPETE_LAYER_ACCESSORS(m_pCompeteWaitLayer, CompeteWaitLayer, "QorvDDZView.CompeteWaitLayer", HoldWaitLayer)
COMPETE_LAYER_ACCESSORS(m_pCompetePromotionLayer, CompetePromotionLayer, "VellGameBase.CompetePromotionLayer",
                        StorePromotionLayer)
COMPETE_LAYER_ACCESSORS(m_pCompeteTableUI, CompeteTableUI, "VellGameBase.CompeteTableUI", HoldTableUI)

#undef COMPETE_LAYER_ACCESSORS

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
