// The table's bars in Lua: the bottom bar with the own player's figures and
// the top bar, whose members reach a derived bar's own versions.
#include <lua.hpp>
#include <string>
#include <vector>

#include "platform/gamebase/GameRecords.h"
#include "script/BindingArgs.h"
#include "script/BindingTables.h"
#include "table/DDZGameView.h"
#include "widgets/BottomUI.h"
#include "widgets/TopUIBase.h"

namespace qorvscript {

namespace {

// ---- BottomUI ----
constexpr const char* kBottomUI = "QorvDDZView.BottomUI";
int lua_cocos2dx_BottomUI_constructor(lua_State* L) {
  return NewForView<BottomUI, DDZGameView, false>(L, kBottomUI, "QorvDDZView.BottomUI:BottomUI",
                                                  "lua_cocos2dx_BottomUI_constructor");
}

int lua_cocos2dx_BottomUI_SetUIInfo(lua_State* L) {
  DDZ_SELF(BottomUI, SetUIInfo);
  a.Exactly(1);
  self->SetUIInfo(a.Object<PlayerNode>(1, kPlayerNodeDef, "pNode"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_SetUserName(lua_State* L) {
  DDZ_SELF(BottomUI, SetUserName);
  a.Exactly(1);
  std::string name;
  if (!a.Text(1, &name)) return a.Fail("strUserName");
  self->SetUserName(name);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_SetYBNum(lua_State* L) {
  DDZ_SELF(BottomUI, SetYBNum);
  a.Exactly(1);
  self->SetYBNum(a.Int(1, "iYBNum"));
  return luabind::ReturnSelf(L);
}

// The amount is named iYBNum in its error, as the yuanbao's.
int lua_cocos2dx_BottomUI_SetMoneyNum(lua_State* L) {
  DDZ_SELF(BottomUI, SetMoneyNum);
  a.AtLeast(1);
  const int money = a.Int(1, "iYBNum");
  self->SetMoneyNum(money, a.BoolOr(2, "bPlayAni", false));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_SetExp(lua_State* L) {
  DDZ_SELF(BottomUI, SetExp);
  a.Exactly(1);
  self->SetExp(a.Int(1, "iExp"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_GetYBNum(lua_State* L) {
  DDZ_SELF(BottomUI, GetYBNum);
  a.Exactly(0);
  return PushInt(L, self->GetYBNum());
}

int lua_cocos2dx_BottomUI_GetMoneyNum(lua_State* L) {
  DDZ_SELF(BottomUI, GetMoneyNum);
  a.Exactly(0);
  return PushInt(L, self->GetMoneyNum());
}

int lua_cocos2dx_BottomUI_FreshCmpValue(lua_State* L) {
  DDZ_SELF(BottomUI, FreshCmpValue);
  a.Exactly(1);
  self->FreshCmpValue(a.Object<PlayerNode>(1, kPlayerNodeDef, "pNode"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_ClearCmpSelfInfo(lua_State* L) {
  DDZ_SELF(BottomUI, ClearCmpSelfInfo);
  self->ClearCmpSelfInfo(a.BoolOr(1, "bClearBagInfo", true));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_ShowBottomSelfInfo(lua_State* L) {
  DDZ_SELF(BottomUI, ShowBottomSelfInfo);
  a.Exactly(1);
  self->ShowBottomSelfInfo(a.Bool(1, "bShow"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BottomUI_IsVisible(lua_State* L) {
  DDZ_SELF(BottomUI, IsVisible);
  a.Exactly(0);
  return PushBool(L, self->IsVisible());
}

// ---- TopUIBase: every call goes through the bar's virtual operation ----
constexpr const char* kTopUIBase = "QorvDDZView.TopUIBase";
int lua_cocos2dx_TopUIBase_constructor(lua_State* L) {
  return NewForView<TopUIBase, DDZGameView, false>(L, kTopUIBase, "QorvDDZView.TopUIBase:TopUIBase",
                                                   "lua_cocos2dx_TopUIBase_constructor");
}

int lua_cocos2dx_TopUIBase_SetFinalPoint(lua_State* L) {
  DDZ_SELF(TopUIBase, SetFinalPoint);
  self->SetFinalPoint(a.IntOr(1, "iFinalPoint", -1));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TopUIBase_SetTimes(lua_State* L) {
  DDZ_SELF(TopUIBase, SetTimes);
  const int times = a.IntOr(1, "iTimes", -1);
  self->SetTimes(times, a.BoolOr(2, "bShowAni", false));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TopUIBase_AddJPQCard(lua_State* L) {
  DDZ_SELF(TopUIBase, AddJPQCard);
  a.Exactly(1);
  std::vector<int> cards;
  if (!a.IntList(1, &cards)) return a.Fail("vcSendCard");
  self->AddJPQCard(cards);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TopUIBase_ClearJQPCard(lua_State* L) {
  DDZ_SELF(TopUIBase, ClearJQPCard);
  a.Exactly(0);
  self->ClearJQPCard();
  return luabind::ReturnSelf(L);
}

// The one-value members: (name of the operation, its argument, how it reads).
#define DDZ_TOP_BOOL(Name, Arg)                   \
  int lua_cocos2dx_TopUIBase_##Name(lua_State* L) { \
    DDZ_SELF(TopUIBase, Name);                      \
    a.Exactly(1);                                   \
    self->Name(a.Bool(1, Arg));                     \
    return luabind::ReturnSelf(L);                  \
  }
#define DDZ_TOP_INT(Name, Arg)                    \
  int lua_cocos2dx_TopUIBase_##Name(lua_State* L) { \
    DDZ_SELF(TopUIBase, Name);                      \
    a.Exactly(1);                                   \
    self->Name(a.Int(1, Arg));                      \
    return luabind::ReturnSelf(L);                  \
  }

DDZ_TOP_BOOL(ShowCardCounter, "bShow")
DDZ_TOP_BOOL(SetNumVisible, "bShow")
DDZ_TOP_INT(OnSendTalkMsg, "iTalkIndex")
DDZ_TOP_INT(OnSendFaceMsg, "iFaceIndex")
DDZ_TOP_INT(CloseOtherWin, "iOpenLayer")
DDZ_TOP_BOOL(SetTalkBtnEnabled, "bShow")
DDZ_TOP_BOOL(SetCardCountBtnEnabled, "bShow")
DDZ_TOP_INT(SetBtnOnState, "iState")

#undef DDZ_TOP_BOOL
#undef DDZ_TOP_INT

}  // namespace

using luabind::Method;

DDZ_WIDGET_MEMBERS(BottomUI, Method("SetUIInfo", lua_cocos2dx_BottomUI_SetUIInfo),
                   Method("SetUserName", lua_cocos2dx_BottomUI_SetUserName),
                   Method("SetYBNum", lua_cocos2dx_BottomUI_SetYBNum),
                   Method("SetMoneyNum", lua_cocos2dx_BottomUI_SetMoneyNum),
                   Method("SetExp", lua_cocos2dx_BottomUI_SetExp),
                   Method("GetYBNum", lua_cocos2dx_BottomUI_GetYBNum),
                   Method("GetMoneyNum", lua_cocos2dx_BottomUI_GetMoneyNum),
                   Method("FreshCmpValue", lua_cocos2dx_BottomUI_FreshCmpValue),
                   Method("ClearCmpSelfInfo", lua_cocos2dx_BottomUI_ClearCmpSelfInfo),
                   Method("ShowBottomSelfInfo", lua_cocos2dx_BottomUI_ShowBottomSelfInfo),
                   Method("IsVisible", lua_cocos2dx_BottomUI_IsVisible))
DDZ_WIDGET_MEMBERS(TopUIBase, Method("SetFinalPoint", lua_cocos2dx_TopUIBase_SetFinalPoint),
                   Method("SetTimes", lua_cocos2dx_TopUIBase_SetTimes),
                   Method("AddJPQCard", lua_cocos2dx_TopUIBase_AddJPQCard),
                   Method("ClearJQPCard", lua_cocos2dx_TopUIBase_ClearJQPCard),
                   Method("ShowCardCounter", lua_cocos2dx_TopUIBase_ShowCardCounter),
                   Method("SetNumVisible", lua_cocos2dx_TopUIBase_SetNumVisible),
                   Method("OnSendTalkMsg", lua_cocos2dx_TopUIBase_OnSendTalkMsg),
                   Method("OnSendFaceMsg", lua_cocos2dx_TopUIBase_OnSendFaceMsg),
                   Method("CloseOtherWin", lua_cocos2dx_TopUIBase_CloseOtherWin),
                   Method("SetTalkBtnEnabled", lua_cocos2dx_TopUIBase_SetTalkBtnEnabled),
                   Method("SetCardCountBtnEnabled", lua_cocos2dx_TopUIBase_SetCardCountBtnEnabled),
                   Method("SetBtnOnState", lua_cocos2dx_TopUIBase_SetBtnOnState))

}  // namespace qorvscript
