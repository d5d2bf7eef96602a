// The tournament's layers in Lua: the waiting room, the promotion screen,
// the competition bar and the match banner. Each is made with `create` (the
// scene graph keeps it) or `new` (the script holds it); none has `destroy`.
#include <cstdio>
#include <lua.hpp>
#include <string>

#include "compete/CompeteMsg.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "platform/framework/YndGameLayer.h"
#include "script/BindingArgs.h"
#include "script/BindingTables.h"

namespace qorvscript {

namespace {

// `create` and `new` of a layer: `make` gives a new layer holding its
// creation reference; create gives that to the autorelease pool.
template <class T>
int Make(lua_State* L, bool create, T* (*make)(), const char* cls, const char* luaType) {
  char diag[80], func[80];
  std::snprintf(diag, sizeof diag, "%s:%s", luaType, create ? "create" : "constructor");
  std::snprintf(func, sizeof func, "lua_cocos2dx_%s_%s", cls, create ? "create" : "constructor");
  const Args a(L, diag, func);
  a.Exactly(0);
  T* layer = make();
  if (!create) return PushMade(L, layer, luaType);
  layer->autorelease();
  luabind::PushObject(L, layer, luaType);
  return 1;
}

template <class T>
T* Construct() {
  return new T();
}

// ---- CompeteWaitLayer ----
constexpr const char* kWaitLayer = "QorvDDZView.CompeteWaitLayer";

// The layer's own factory: autoreleased, and not initialised.
int lua_cocos2dx_CompeteWaitLayer_create(lua_State* L) {
  const Args a(L, "QorvDDZView.CompeteWaitLayer:create", "lua_cocos2dx_CompeteWaitLayer_create");
  a.Exactly(0);
  luabind::PushObject(L, CompeteWaitLayer::create(), kWaitLayer);
  return 1;
}

int lua_cocos2dx_CompeteWaitLayer_constructor(lua_State* L) {
  return Make<CompeteWaitLayer>(L, false, &Construct<CompeteWaitLayer>, "CompeteWaitLayer", kWaitLayer);
}

int lua_cocos2dx_CompeteWaitLayer_SetWaitPlayer(lua_State* L) {
  DDZ_SELF(CompeteWaitLayer, SetWaitPlayer);
  a.Exactly(1);
  self->SetWaitPlayer(a.Int(1, "iNowNum"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteWaitLayer_setNextOpenTime(lua_State* L) {
  DDZ_SELF(CompeteWaitLayer, setNextOpenTime);
  a.Exactly(1);
  self->setNextOpenTime(a.Int(1, "iNextOpenTime"));
  return luabind::ReturnSelf(L);
}

// ---- CompetePromotionLayer ----
constexpr const char* kPromotionLayer = "QorvDDZView.CompetePromotionLayer";

int lua_cocos2dx_CompetePromotionLayer_create(lua_State* L) {
  return Make<CompetePromotionLayer>(L, true, &Construct<CompetePromotionLayer>, "CompetePromotionLayer",
                                     kPromotionLayer);
}

int lua_cocos2dx_CompetePromotionLayer_constructor(lua_State* L) {
  return Make<CompetePromotionLayer>(L, false, &Construct<CompetePromotionLayer>, "CompetePromotionLayer",
                                     kPromotionLayer);
}

int lua_cocos2dx_CompetePromotionLayer_UpdateOrder(lua_State* L) {
  DDZ_SELF(CompetePromotionLayer, UpdateOrder);
  a.Exactly(2);
  const int order = a.Int(1, "iCurOrder");
  self->UpdateOrder(order, a.Int(2, "iAllPlayer"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompetePromotionLayer_UpdateWaitTable(lua_State* L) {
  DDZ_SELF(CompetePromotionLayer, UpdateWaitTable);
  a.Exactly(1);
  self->UpdateWaitTable(a.Int(1, "iWaitTable"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompetePromotionLayer_ShowWeedBrevet(lua_State* L) {
  DDZ_SELF(CompetePromotionLayer, ShowWeedBrevet);
  a.Exactly(1);
  self->ShowWeedBrevet(a.Int(1, "iWeedBrevet"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompetePromotionLayer_SetBrevetTimes(lua_State* L) {
  DDZ_SELF(CompetePromotionLayer, SetBrevetTimes);
  a.Exactly(1);
  self->SetBrevetTimes(a.Int(1, "iBrevetTimes"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompetePromotionLayer_JudgeShow(lua_State* L) {
  DDZ_SELF(CompetePromotionLayer, JudgeShow);
  a.Exactly(0);
  return PushBool(L, self->JudgeShow());
}

// ---- CompeteTableUI ----
constexpr const char* kTableUI = "QorvDDZView.CompeteTableUI";

int lua_cocos2dx_CompeteTableUI_create(lua_State* L) {
  return Make<CompeteTableUI>(L, true, &Construct<CompeteTableUI>, "CompeteTableUI", kTableUI);
}

int lua_cocos2dx_CompeteTableUI_constructor(lua_State* L) {
  return Make<CompeteTableUI>(L, false, &Construct<CompeteTableUI>, "CompeteTableUI", kTableUI);
}

#define DDZ_BAR_BOOL(Name)                            \
  int lua_cocos2dx_CompeteTableUI_##Name(lua_State* L) { \
    DDZ_SELF(CompeteTableUI, Name);                      \
    a.Exactly(1);                                        \
    self->Name(a.Bool(1, "bShow"));                      \
    return luabind::ReturnSelf(L);                       \
  }
DDZ_BAR_BOOL(ShowWaitTable)
DDZ_BAR_BOOL(ShowStatus)
DDZ_BAR_BOOL(ShowRank)
#undef DDZ_BAR_BOOL

int lua_cocos2dx_CompeteTableUI_UpdateTableNum(lua_State* L) {
  DDZ_SELF(CompeteTableUI, UpdateTableNum);
  a.Exactly(1);
  self->UpdateTableNum(a.Int(1, "iTableNum"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteTableUI_UpdateSelfRank(lua_State* L) {
  DDZ_SELF(CompeteTableUI, UpdateSelfRank);
  a.Exactly(2);
  const int order = a.Int(1, "iCurOrder");
  self->UpdateSelfRank(order, a.Int(2, "iAllPlayer"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteTableUI_RemoveRankList(lua_State* L) {
  DDZ_SELF(CompeteTableUI, RemoveRankList);
  a.Exactly(0);
  self->RemoveRankList();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_CompeteTableUI_HideRankList(lua_State* L) {
  DDZ_SELF(CompeteTableUI, HideRankList);
  a.Exactly(0);
  self->HideRankList();
  return luabind::ReturnSelf(L);
}

// ---- CompeteMsg ----
constexpr const char* kCompeteMsg = "QorvDDZView.CompeteMsg";

int lua_cocos2dx_CompeteMsg_create(lua_State* L) {
  return Make<CompeteMsg>(L, true, &Construct<CompeteMsg>, "CompeteMsg", kCompeteMsg);
}

int lua_cocos2dx_CompeteMsg_constructor(lua_State* L) {
  return Make<CompeteMsg>(L, false, &Construct<CompeteMsg>, "CompeteMsg", kCompeteMsg);
}

// A banner of a kind on a layer; on the class table as on a banner. A banner
// needs a layer to stand on: nil is refused like a value of another type.
int lua_cocos2dx_CompeteMsg_ShowMsg(lua_State* L) {
  DDZ_STATIC(CompeteMsg, ShowMsg);
  a.Exactly(3);
  const int type = a.Int(1, "iMsgType");
  auto* parent = a.Object<YndGameLayer>(2, kYndGameLayer, "pParent");
  if (parent == nullptr) return a.Fail("pParent");
  std::string content;
  if (!a.Text(3, &content)) return a.Fail("strContent");
  CompeteMsg::ShowMsg(type, parent, content);
  return luabind::ReturnSelf(L);
}

using luabind::Method;

constexpr luabind::Member kWaitLayerMembers[] = {
    Method("create", lua_cocos2dx_CompeteWaitLayer_create),
    Method("new", lua_cocos2dx_CompeteWaitLayer_constructor),
    Method("SetWaitPlayer", lua_cocos2dx_CompeteWaitLayer_SetWaitPlayer),
    Method("setNextOpenTime", lua_cocos2dx_CompeteWaitLayer_setNextOpenTime),
};
constexpr luabind::Member kPromotionLayerMembers[] = {
    Method("create", lua_cocos2dx_CompetePromotionLayer_create),
    Method("new", lua_cocos2dx_CompetePromotionLayer_constructor),
    Method("UpdateOrder", lua_cocos2dx_CompetePromotionLayer_UpdateOrder),
    Method("UpdateWaitTable", lua_cocos2dx_CompetePromotionLayer_UpdateWaitTable),
    Method("ShowWeedBrevet", lua_cocos2dx_CompetePromotionLayer_ShowWeedBrevet),
    Method("SetBrevetTimes", lua_cocos2dx_CompetePromotionLayer_SetBrevetTimes),
    Method("JudgeShow", lua_cocos2dx_CompetePromotionLayer_JudgeShow),
};
constexpr luabind::Member kTableUIMembers[] = {
    Method("create", lua_cocos2dx_CompeteTableUI_create),
    Method("new", lua_cocos2dx_CompeteTableUI_constructor),
    Method("ShowWaitTable", lua_cocos2dx_CompeteTableUI_ShowWaitTable),
    Method("ShowStatus", lua_cocos2dx_CompeteTableUI_ShowStatus),
    Method("UpdateTableNum", lua_cocos2dx_CompeteTableUI_UpdateTableNum),
    Method("ShowRank", lua_cocos2dx_CompeteTableUI_ShowRank),
    Method("UpdateSelfRank", lua_cocos2dx_CompeteTableUI_UpdateSelfRank),
    Method("RemoveRankList", lua_cocos2dx_CompeteTableUI_RemoveRankList),
    Method("HideRankList", lua_cocos2dx_CompeteTableUI_HideRankList),
};
constexpr luabind::Member kCompeteMsgMembers[] = {
    Method("create", lua_cocos2dx_CompeteMsg_create),
    Method("new", lua_cocos2dx_CompeteMsg_constructor),
    Method("ShowMsg", lua_cocos2dx_CompeteMsg_ShowMsg),
};

}  // namespace

std::span<const luabind::Member> CompeteWaitLayerMembers() { return kWaitLayerMembers; }
std::span<const luabind::Member> CompetePromotionLayerMembers() { return kPromotionLayerMembers; }
std::span<const luabind::Member> CompeteTableUIMembers() { return kTableUIMembers; }
std::span<const luabind::Member> CompeteMsgMembers() { return kCompeteMsgMembers; }

}  // namespace qorvscript
