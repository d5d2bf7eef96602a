// The seat widgets in Lua: the head, the status marks, the speech bubbles
// and another player's info popup.
#include <lua.hpp>
#include <string>

#include "platform/gamebase/GameRecords.h"
#include "script/BindingArgs.h"
#include "script/BindingTables.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/TalkLayer.h"

namespace qorvscript {

namespace {

// ---- PlayerShow ----
constexpr const char* kPlayerShow = "QorvDDZView.PlayerShow";
int lua_cocos2dx_PlayerShow_constructor(lua_State* L) {
  return NewForSeat<PlayerShow>(L, kPlayerShow, "QorvDDZView.PlayerShow:PlayerShow",
                                "lua_cocos2dx_PlayerShow_constructor");
}

// Every argument optional: a random head, at the origin, unscaled.
int lua_cocos2dx_PlayerShow_IniImage(lua_State* L) {
  DDZ_SELF(PlayerShow, IniImage);
  const int image = a.IntOr(1, "iImageIndex", -1);
  const cocos2d::Vec2 pos = a.PointOr(2, "ptPos");
  const float scale = a.FloatOr(3, "fScale", 1.0f);
  self->IniImage(image, pos, scale, cocos2d::Vec2::ZERO);
  return luabind::ReturnSelf(L);
}

// The head id shown (-1 before IniImage and after RemoveImage).
int lua_cocos2dx_PlayerShow_GetImageIndex(lua_State* L) {
  DDZ_SELF(PlayerShow, GetImageIndex);
  a.Exactly(0);
  return PushInt(L, self->GetHeadID());
}

int lua_cocos2dx_PlayerShow_RemoveImage(lua_State* L) {
  DDZ_SELF(PlayerShow, RemoveImage);
  a.Exactly(0);
  self->RemoveImage();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_PlayerShow_ShowPlayerAct(lua_State* L) {
  DDZ_SELF(PlayerShow, ShowPlayerAct);
  a.Exactly(2);
  const int act = a.Int(1, "iAct");
  self->ShowPlayerAct(act, a.Bool(2, "bPlayAni"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_PlayerShow_GetSingleNickNameIndex(lua_State* L) {
  DDZ_SELF(PlayerShow, GetSingleNickNameIndex);
  a.Exactly(0);
  return PushInt(L, self->GetSingleNickNameIndex());
}

// The icon of a head id; on the class table as on a head.
int lua_cocos2dx_PlayerShow_ConvertPlayerIcon(lua_State* L) {
  DDZ_STATIC(PlayerShow, ConvertPlayerIcon);
  a.Exactly(1);
  return PushInt(L, NewPlayerHead::ConvertPlayerIcon(a.Int(1, "iHeadID")));
}

// ---- PlayerGameInfo ----
constexpr const char* kPlayerGameInfo = "QorvDDZView.PlayerGameInfo";
int lua_cocos2dx_PlayerGameInfo_constructor(lua_State* L) {
  return NewForSeat<PlayerGameInfo>(L, kPlayerGameInfo, "QorvDDZView.PlayerGameInfo:PlayerGameInfo",
                                    "lua_cocos2dx_PlayerGameInfo_constructor");
}

// The marks' shapes: (bShow, pt), (bShow, amount, pt), (amount).
using ShowAt = void (PlayerGameInfo::*)(bool, cocos2d::Vec2);
using ShowAmountAt = void (PlayerGameInfo::*)(bool, int, cocos2d::Vec2);
using Amount = void (PlayerGameInfo::*)(int);

int CallShowAt(lua_State* L, ShowAt op, const char* diag, const char* func) {
  auto* self = luabind::Self<PlayerGameInfo>(L, kPlayerGameInfo, func);
  const Args a(L, diag, func);
  a.Exactly(2);
  const bool show = a.Bool(1, "bShow");
  (self->*op)(show, a.Point(2, "pt"));
  return luabind::ReturnSelf(L);
}

int CallShowAmountAt(lua_State* L, ShowAmountAt op, const char* amountName, const char* diag, const char* func) {
  auto* self = luabind::Self<PlayerGameInfo>(L, kPlayerGameInfo, func);
  const Args a(L, diag, func);
  a.Exactly(3);
  const bool show = a.Bool(1, "bShow");
  const int amount = a.Int(2, amountName);
  (self->*op)(show, amount, a.Point(3, "pt"));
  return luabind::ReturnSelf(L);
}

int CallAmount(lua_State* L, Amount op, const char* diag, const char* func) {
  auto* self = luabind::Self<PlayerGameInfo>(L, kPlayerGameInfo, func);
  const Args a(L, diag, func);
  a.Exactly(1);
  (self->*op)(a.Int(1, "iAmount"));
  return luabind::ReturnSelf(L);
}

#define DDZ_INFO_SHOW_AT(Name)                                                                  \
  int lua_cocos2dx_PlayerGameInfo_##Name(lua_State* L) {                                      \
    return CallShowAt(L, &PlayerGameInfo::Name, "QorvDDZView.PlayerGameInfo:" #Name,           \
                      "lua_cocos2dx_PlayerGameInfo_" #Name);                                   \
  }
#define DDZ_INFO_SHOW_AMOUNT_AT(Name, AmountName)                                               \
  int lua_cocos2dx_PlayerGameInfo_##Name(lua_State* L) {                                      \
    return CallShowAmountAt(L, &PlayerGameInfo::Name, AmountName, "QorvDDZView.PlayerGameInfo:" #Name, \
                            "lua_cocos2dx_PlayerGameInfo_" #Name);                             \
  }
#define DDZ_INFO_AMOUNT(Name)                                                                   \
  int lua_cocos2dx_PlayerGameInfo_##Name(lua_State* L) {                                      \
    return CallAmount(L, &PlayerGameInfo::Name, "QorvDDZView.PlayerGameInfo:" #Name,           \
                      "lua_cocos2dx_PlayerGameInfo_" #Name);                                   \
  }

DDZ_INFO_SHOW_AT(ShowCompeteTuoGuan)
DDZ_INFO_SHOW_AT(ShowCompetePass)
DDZ_INFO_SHOW_AT(ShowCompeteReady)
DDZ_INFO_SHOW_AMOUNT_AT(ShowCompetePoint, "iPoint")
DDZ_INFO_SHOW_AMOUNT_AT(ShowCompeteAmount, "iAmount")
DDZ_INFO_AMOUNT(UpdateCompeteAmount)
DDZ_INFO_SHOW_AT(ShowReady)
DDZ_INFO_SHOW_AMOUNT_AT(ShowPoint, "iAmount")
DDZ_INFO_SHOW_AT(ShowPass)
DDZ_INFO_SHOW_AT(ShowOffLine)
DDZ_INFO_SHOW_AT(ShowNetDelay)
DDZ_INFO_SHOW_AT(ShowAddPound)
DDZ_INFO_SHOW_AT(ShowWaitFarmerMul)
DDZ_INFO_SHOW_AT(ShowNoMoneyTips)
DDZ_INFO_SHOW_AMOUNT_AT(ShowFdAmount, "iAmount")
DDZ_INFO_AMOUNT(UpdateFdAmount)

#undef DDZ_INFO_SHOW_AT
#undef DDZ_INFO_SHOW_AMOUNT_AT
#undef DDZ_INFO_AMOUNT

int lua_cocos2dx_PlayerGameInfo_ShowLandOwner(lua_State* L) {
  DDZ_SELF(PlayerGameInfo, ShowLandOwner);
  a.AtLeast(2);
  const bool show = a.Bool(1, "bShow");
  const cocos2d::Vec2 pt = a.Point(2, "pt");
  self->ShowLandOwner(show, pt, a.BoolOr(3, "bLogin", false));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_PlayerGameInfo_ShowPlayerMoneInfo(lua_State* L) {
  DDZ_SELF(PlayerGameInfo, ShowPlayerMoneInfo);
  a.AtLeast(3);
  const bool show = a.Bool(1, "bShow");
  const int money = a.Int(2, "iMoney");
  const cocos2d::Vec2 pt = a.Point(3, "pt");
  self->ShowPlayerMoneInfo(show, money, pt, a.BoolOr(4, "bPlayAni", false));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_PlayerGameInfo_ShowLandOwnerAni(lua_State* L) {
  DDZ_SELF(PlayerGameInfo, ShowLandOwnerAni);
  a.Exactly(0);
  self->ShowLandOwnerAni();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_PlayerGameInfo_ShowFaceSpine(lua_State* L) {
  DDZ_SELF(PlayerGameInfo, ShowFaceSpine);
  a.AtLeast(2);
  const int face = a.Int(1, "iFaceIndex");
  const bool show = a.Bool(2, "bShow");
  self->ShowFaceSpine(face, show, a.FloatOr(3, "fDelay", 50.0f));
  return luabind::ReturnSelf(L);
}

// ---- TalkTip ----
constexpr const char* kTalkTip = "QorvDDZView.TalkTip";
int lua_cocos2dx_TalkTip_constructor(lua_State* L) {
  const Args a(L, "QorvDDZView.TalkTip:TalkTip", "lua_cocos2dx_TalkTip_constructor");
  a.Exactly(0);
  return PushFactoryMade(L, TalkTip::create(), kTalkTip);
}

// (seat, text) or (seat, head, phrase); the values go to the bubbles as they
// are (the bubbles refuse a seat or phrase they do not have).
int lua_cocos2dx_TalkTip_Talk(lua_State* L) {
  DDZ_SELF(TalkTip, Talk);
  if (a.Count() != 2 && a.Count() != 3) a.Exactly(2);
  const int seat = a.Int(1, "iTablePos");
  if (a.Count() == 3) {
    const int head = a.Int(2, "iHeadIndex");
    self->Talk(seat, head, a.Int(3, "iTalkIndex"));
    return luabind::ReturnSelf(L);
  }
  std::string text;
  if (!a.Text(2, &text)) return a.Fail("strText");
  self->Talk(seat, text);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TalkTip_TalkFreeTxt(lua_State* L) {
  DDZ_SELF(TalkTip, TalkFreeTxt);
  a.Exactly(2);
  const int seat = a.Int(1, "iTablePos");
  std::string text;
  if (!a.Text(2, &text)) return a.Fail("strText");
  self->TalkFreeTxt(seat, text);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TalkTip_StartFreeTip(lua_State* L) {
  DDZ_SELF(TalkTip, StartFreeTip);
  a.Exactly(0);
  self->StartFreeTip();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TalkTip_StopFreeTip(lua_State* L) {
  DDZ_SELF(TalkTip, StopFreeTip);
  a.Exactly(0);
  self->StopFreeTip();
  self->RemoveRandomTip();  // a script's stop also takes the tip that is up
  return luabind::ReturnSelf(L);
}

// ---- OtherPlayerInfo ----
constexpr const char* kOtherPlayerInfo = "QorvDDZView.OtherPlayerInfo";
int lua_cocos2dx_OtherPlayerInfo_constructor(lua_State* L) {
  return NewForSeat<OtherPlayerInfo>(L, kOtherPlayerInfo, "QorvDDZView.OtherPlayerInfo:OtherPlayerInfo",
                                     "lua_cocos2dx_OtherPlayerInfo_constructor");
}

int lua_cocos2dx_OtherPlayerInfo_IniPlayerInfo(lua_State* L) {
  DDZ_SELF(OtherPlayerInfo, IniPlayerInfo);
  a.Exactly(1);
  self->IniPlayerInfo(a.Object<PlayerNode>(1, kPlayerNodeDef, "pNode"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_OtherPlayerInfo_ShowInfo(lua_State* L) {
  DDZ_SELF(OtherPlayerInfo, ShowInfo);
  a.Exactly(1);
  self->ShowInfo(a.Bool(1, "bShow"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_OtherPlayerInfo_GetTablePos(lua_State* L) {
  DDZ_SELF(OtherPlayerInfo, GetTablePos);
  a.Exactly(0);
  return PushInt(L, self->GetTablePos());
}

}  // namespace

using luabind::Method;

DDZ_WIDGET_MEMBERS(PlayerShow, Method("IniImage", lua_cocos2dx_PlayerShow_IniImage),
                   Method("GetImageIndex", lua_cocos2dx_PlayerShow_GetImageIndex),
                   Method("RemoveImage", lua_cocos2dx_PlayerShow_RemoveImage),
                   Method("ShowPlayerAct", lua_cocos2dx_PlayerShow_ShowPlayerAct),
                   Method("GetSingleNickNameIndex", lua_cocos2dx_PlayerShow_GetSingleNickNameIndex),
                   Method("ConvertPlayerIcon", lua_cocos2dx_PlayerShow_ConvertPlayerIcon))
DDZ_WIDGET_MEMBERS(PlayerGameInfo, Method("ShowCompeteTuoGuan", lua_cocos2dx_PlayerGameInfo_ShowCompeteTuoGuan),
                   Method("ShowCompetePass", lua_cocos2dx_PlayerGameInfo_ShowCompetePass),
                   Method("ShowCompeteReady", lua_cocos2dx_PlayerGameInfo_ShowCompeteReady),
                   Method("ShowCompetePoint", lua_cocos2dx_PlayerGameInfo_ShowCompetePoint),
                   Method("ShowCompeteAmount", lua_cocos2dx_PlayerGameInfo_ShowCompeteAmount),
                   Method("UpdateCompeteAmount", lua_cocos2dx_PlayerGameInfo_UpdateCompeteAmount),
                   Method("ShowReady", lua_cocos2dx_PlayerGameInfo_ShowReady),
                   Method("ShowPoint", lua_cocos2dx_PlayerGameInfo_ShowPoint),
                   Method("ShowLandOwner", lua_cocos2dx_PlayerGameInfo_ShowLandOwner),
                   Method("ShowPass", lua_cocos2dx_PlayerGameInfo_ShowPass),
                   Method("ShowOffLine", lua_cocos2dx_PlayerGameInfo_ShowOffLine),
                   Method("ShowNetDelay", lua_cocos2dx_PlayerGameInfo_ShowNetDelay),
                   Method("ShowAddPound", lua_cocos2dx_PlayerGameInfo_ShowAddPound),
                   Method("ShowWaitFarmerMul", lua_cocos2dx_PlayerGameInfo_ShowWaitFarmerMul),
                   Method("ShowPlayerMoneInfo", lua_cocos2dx_PlayerGameInfo_ShowPlayerMoneInfo),
                   Method("ShowNoMoneyTips", lua_cocos2dx_PlayerGameInfo_ShowNoMoneyTips),
                   Method("ShowLandOwnerAni", lua_cocos2dx_PlayerGameInfo_ShowLandOwnerAni),
                   Method("ShowFaceSpine", lua_cocos2dx_PlayerGameInfo_ShowFaceSpine),
                   Method("ShowFdAmount", lua_cocos2dx_PlayerGameInfo_ShowFdAmount),
                   Method("UpdateFdAmount", lua_cocos2dx_PlayerGameInfo_UpdateFdAmount))
DDZ_WIDGET_MEMBERS(TalkTip, Method("Talk", lua_cocos2dx_TalkTip_Talk),
                   Method("TalkFreeTxt", lua_cocos2dx_TalkTip_TalkFreeTxt),
                   Method("StartFreeTip", lua_cocos2dx_TalkTip_StartFreeTip),
                   Method("StopFreeTip", lua_cocos2dx_TalkTip_StopFreeTip))
DDZ_WIDGET_MEMBERS(OtherPlayerInfo, Method("IniPlayerInfo", lua_cocos2dx_OtherPlayerInfo_IniPlayerInfo),
                   Method("ShowInfo", lua_cocos2dx_OtherPlayerInfo_ShowInfo),
                   Method("GetTablePos", lua_cocos2dx_OtherPlayerInfo_GetTablePos))

}  // namespace qorvscript
