// The widgets' life cycle in Lua: `new` (the script holds the widget until
// `destroy`), `destroy`, and PlayerGuide's `create`; GameClock's ResetClock.
// The widgets' other members are bound beside them as they are needed.
#include <lua.hpp>
#include <type_traits>

#include "cards/BaseCard.h"
#include "platform/engine/lua/LuaStack.h"
#include "script/BindingTables.h"
#include "table/DDZGameView.h"
#include "widgets/BottomUI.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/TaskUI.h"
#include "widgets/TopUIBase.h"

namespace qorvscript {

namespace {

// Pushes what `new` made (nil for nothing); its creation reference is the script's.
int PushMade(lua_State* L, cocos2d::Ref* made, const char* luaType) {
  luabind::ScriptAdopt(L, made);
  luabind::PushObject(L, made, luaType);
  return 1;
}

// The same for a widget only its factory makes (autoreleased): the script
// takes a reference of its own, which stays when the factory's one goes.
int PushFactoryMade(lua_State* L, cocos2d::Ref* made, const char* luaType) {
  luabind::ScriptRetain(L, made);
  luabind::PushObject(L, made, luaType);
  return 1;
}

int Destroy(lua_State* L, const char* luaType, const char* diag, const char* func) {
  auto* self = luabind::Self<cocos2d::Ref>(L, luaType, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, diag, argc, 0);
  luabind::DestroyFromScript(L, self);
  return luabind::ReturnSelf(L);
}

// `new` of a widget made from one seat number.
template <class T>
int NewForSeat(lua_State* L, const char* luaType, const char* diag, const char* func) {
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, diag, argc, 1);
  int seat = 0;
  if (!luaval_to_int32(L, 2, &seat, diag)) return luabind::ArgError(L, "iTablePos", func);
  return PushMade(L, new T(seat), luaType);
}

// The view a widget is made for (nil gives null); false when the value is no view.
bool ReadView(lua_State* L, int lo, DDZGameView** view) { return luabind::ToObject(L, lo, kDDZGameView, view); }

// `new` of a widget made for a view.
template <class T, bool kNeedsView>
int NewForView(lua_State* L, const char* luaType, const char* diag, const char* func) {
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, diag, argc, 1);
  DDZGameView* view = nullptr;
  if (!ReadView(L, 2, &view)) return luabind::ArgError(L, "pGameView", func);
  if (kNeedsView && view == nullptr) {
    lua_pushnil(L);  // this widget works only for a view
    return 1;
  }
  if constexpr (std::is_constructible_v<T, DDZGameView*>)
    return PushMade(L, new T(view), luaType);
  else
    return PushFactoryMade(L, T::create(view), luaType);
}

// ---- GameClock ----
constexpr const char* kGameClock = "QorvDDZView.GameClock";

int lua_cocos2dx_GameClock_constructor(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_GameClock_constructor";
  constexpr const char* kDiag = "QorvDDZView.GameClock:GameClock";
  const int argc = luabind::ArgCount(L);
  if (argc != 2) return luabind::CountError(L, kDiag, argc, 2);
  Vell_SpriteCardManage* hand = nullptr;
  int gameType = 0;
  if (!luabind::ToObject(L, 2, kSpriteCardManage, &hand)) return luabind::ArgError(L, "pHandCard", kFunc);
  if (!luaval_to_int32(L, 3, &gameType, kDiag)) return luabind::ArgError(L, "iGameType", kFunc);
  return PushMade(L, new GameClock(hand, gameType), kGameClock);
}


int lua_cocos2dx_GameClock_ResetClock(lua_State* L) {
  auto* self = luabind::Self<GameClock>(L, kGameClock, "lua_cocos2dx_GameClock_ResetClock");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "QorvDDZView.GameClock:ResetClock", argc, 0);
  self->ResetClock();
  return luabind::ReturnSelf(L);
}

// ---- ResultLayer ----
constexpr const char* kResultLayer = "QorvDDZView.ResultLayer";
int lua_cocos2dx_ResultLayer_constructor(lua_State* L) {
  return NewForView<ResultLayer, true>(L, kResultLayer, "QorvDDZView.ResultLayer:ResultLayer",
                                       "lua_cocos2dx_ResultLayer_constructor");
}

// ---- PlayerShow ----
constexpr const char* kPlayerShow = "QorvDDZView.PlayerShow";
int lua_cocos2dx_PlayerShow_constructor(lua_State* L) {
  return NewForSeat<PlayerShow>(L, kPlayerShow, "QorvDDZView.PlayerShow:PlayerShow",
                                "lua_cocos2dx_PlayerShow_constructor");
}

// ---- PlayerGameInfo ----
constexpr const char* kPlayerGameInfo = "QorvDDZView.PlayerGameInfo";
int lua_cocos2dx_PlayerGameInfo_constructor(lua_State* L) {
  return NewForSeat<PlayerGameInfo>(L, kPlayerGameInfo, "QorvDDZView.PlayerGameInfo:PlayerGameInfo",
                                    "lua_cocos2dx_PlayerGameInfo_constructor");
}

// ---- TalkTip ----
constexpr const char* kTalkTip = "QorvDDZView.TalkTip";
int lua_cocos2dx_TalkTip_constructor(lua_State* L) {
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "QorvDDZView.TalkTip:TalkTip", argc, 0);
  return PushFactoryMade(L, TalkTip::create(), kTalkTip);
}

// ---- TaskUI ----
constexpr const char* kTaskUI = "QorvDDZView.TaskUI";
int lua_cocos2dx_TaskUI_constructor(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_TaskUI_constructor";
  constexpr const char* kDiag = "QorvDDZView.TaskUI:TaskUI";
  const int argc = luabind::ArgCount(L);
  if (argc != 4) return luabind::CountError(L, kDiag, argc, 4);
  static constexpr const char* kNames[4] = {"iMainType", "iSubType", "iJPNum", "iPrizeType"};
  int v[4] = {};
  for (int i = 0; i < 4; ++i)
    if (!luaval_to_int32(L, i + 2, &v[i], kDiag)) return luabind::ArgError(L, kNames[i], kFunc);
  return PushMade(L, new TaskUI(v[0], v[1], v[2], v[3]), kTaskUI);
}

// ---- OtherPlayerInfo ----
constexpr const char* kOtherPlayerInfo = "QorvDDZView.OtherPlayerInfo";
int lua_cocos2dx_OtherPlayerInfo_constructor(lua_State* L) {
  return NewForSeat<OtherPlayerInfo>(L, kOtherPlayerInfo, "QorvDDZView.OtherPlayerInfo:OtherPlayerInfo",
                                     "lua_cocos2dx_OtherPlayerInfo_constructor");
}

// ---- PlayerGuide ----
int lua_cocos2dx_PlayerGuide_create(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_PlayerGuide_create";
  constexpr const char* kDiag = "QorvDDZView.PlayerGuide:create";
  const int argc = luabind::ArgCount(L);
  if (argc != 2) return luabind::CountError(L, kDiag, argc, 2);
  DDZGameView* view = nullptr;
  int guided = 0;
  if (!ReadView(L, 2, &view)) return luabind::ArgError(L, "pGameView", kFunc);
  if (!luaval_to_int32(L, 3, &guided, kDiag)) return luabind::ArgError(L, "iGuidedNum", kFunc);
  luabind::PushObject(L, PlayerGuide::create(view, guided), "QorvDDZView.PlayerGuide");
  return 1;
}

// ---- BaseCard ----
constexpr const char* kBaseCard = "QorvDDZView.BaseCard";
int lua_cocos2dx_BaseCard_constructor(lua_State* L) {
  return NewForView<BaseCard, true>(L, kBaseCard, "QorvDDZView.BaseCard:BaseCard",
                                    "lua_cocos2dx_BaseCard_constructor");
}

// ---- BottomUI ----
constexpr const char* kBottomUI = "QorvDDZView.BottomUI";
int lua_cocos2dx_BottomUI_constructor(lua_State* L) {
  return NewForView<BottomUI, false>(L, kBottomUI, "QorvDDZView.BottomUI:BottomUI",
                                     "lua_cocos2dx_BottomUI_constructor");
}

// ---- TopUIBase ----
constexpr const char* kTopUIBase = "QorvDDZView.TopUIBase";
int lua_cocos2dx_TopUIBase_constructor(lua_State* L) {
  return NewForView<TopUIBase, false>(L, kTopUIBase, "QorvDDZView.TopUIBase:TopUIBase",
                                      "lua_cocos2dx_TopUIBase_constructor");
}

}  // namespace

// A widget's `destroy` and its member table: `new`, `destroy`, then the rest given.
#define DDZ_WIDGET_MEMBERS(Class, ...)                                                                       \
  namespace {                                                                                                \
  int lua_cocos2dx_##Class##_destroy(lua_State* L) {                                                         \
    return Destroy(L, "QorvDDZView." #Class, "QorvDDZView." #Class ":destroy", "lua_cocos2dx_" #Class "_destroy"); \
  }                                                                                                          \
  constexpr luabind::Member k##Class##Members[] = {                                                          \
      luabind::Method("new", lua_cocos2dx_##Class##_constructor),                                            \
      luabind::Method("destroy", lua_cocos2dx_##Class##_destroy), ##__VA_ARGS__};                            \
  }                                                                                                          \
  std::span<const luabind::Member> Class##Members() { return k##Class##Members; }

DDZ_WIDGET_MEMBERS(GameClock, luabind::Method("ResetClock", lua_cocos2dx_GameClock_ResetClock))
DDZ_WIDGET_MEMBERS(ResultLayer)
DDZ_WIDGET_MEMBERS(PlayerShow)
DDZ_WIDGET_MEMBERS(PlayerGameInfo)
DDZ_WIDGET_MEMBERS(TalkTip)
DDZ_WIDGET_MEMBERS(TaskUI)
DDZ_WIDGET_MEMBERS(OtherPlayerInfo)
DDZ_WIDGET_MEMBERS(BaseCard)
DDZ_WIDGET_MEMBERS(BottomUI)
DDZ_WIDGET_MEMBERS(TopUIBase)

#undef DDZ_WIDGET_MEMBERS

namespace {
constexpr luabind::Member kPlayerGuideMembers[] = {luabind::Method("create", lua_cocos2dx_PlayerGuide_create)};
}  // namespace
std::span<const luabind::Member> PlayerGuideMembers() { return kPlayerGuideMembers; }

}  // namespace qorvscript
