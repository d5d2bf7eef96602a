// The table's own widgets in Lua: the turn clock, the result window, the
// task panel, the new-player guide and the bottom cards. The seat widgets
// are in SeatWidgetBindings.cpp, the bars in BarBindings.cpp.
#include <cstdint>
#include <lua.hpp>
#include <string>
#include <vector>

#include "cards/BaseCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "script/BindingArgs.h"
#include "script/BindingTables.h"
#include "table/DDZGameView.h"
#include "widgets/GameClock.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/ResultLayer.h"
#include "widgets/TaskUI.h"

namespace qorvscript {

namespace {

// ---- GameClock ----
constexpr const char* kGameClock = "QorvDDZView.GameClock";

int lua_cocos2dx_GameClock_constructor(lua_State* L) {
  const Args a(L, "QorvDDZView.GameClock:GameClock", "lua_cocos2dx_GameClock_constructor");
  a.Exactly(2);
  auto* hand = a.Object<Vell_SpriteCardManage>(1, kSpriteCardManage, "pHandCard");
  const int gameType = a.Int(2, "iGameType");
  return PushMade(L, new GameClock(hand, gameType), kGameClock);
}

int lua_cocos2dx_GameClock_ShowClock(lua_State* L) {
  DDZ_SELF(GameClock, ShowClock);
  a.Exactly(4);
  const int time = a.Int(1, "iTime");
  const int seat = a.Int(2, "iTablePos");
  const int type = a.Int(3, "iClockType");
  self->ShowClock(time, seat, type, a.Point(4, "pt"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_GameClock_ResetClock(lua_State* L) {
  DDZ_SELF(GameClock, ResetClock);
  a.Exactly(0);
  self->ResetClock();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_GameClock_getClockTime(lua_State* L) {
  DDZ_SELF(GameClock, getClockTime);
  a.Exactly(0);
  return PushInt(L, self->getClockTime());
}

// ---- ResultLayer ----
constexpr const char* kResultLayer = "QorvDDZView.ResultLayer";
int lua_cocos2dx_ResultLayer_constructor(lua_State* L) {
  return NewForView<ResultLayer, DDZGameView, true>(L, kResultLayer, "QorvDDZView.ResultLayer:ResultLayer",
                                                    "lua_cocos2dx_ResultLayer_constructor");
}

// Seven outcome values, then the base score, the cap flag, the extra game
// kind and the doubling flags, each optional; the two lists are cut or padded
// to the three seats (a flag is the low byte of its value).
int lua_cocos2dx_ResultLayer_IniResultInfo(lua_State* L) {
  DDZ_SELF(ResultLayer, IniResultInfo);
  a.AtLeast(7);
  const int imageIndex = a.Int(1, "iImageIndex");
  const bool landOwner = a.Bool(2, "bLandOwner");
  int result[3] = {};
  if (!a.IntPrefix(3, result, 3)) return a.Fail("vcResult");
  const int bombs = a.Int(4, "iSendBombNum");
  const bool rocket = a.Bool(5, "bSendRocket");
  const bool spring = a.Bool(6, "bSpring");
  const int smallBtnType = a.Int(7, "iSmallBtnType");
  const int baseScore = a.IntOr(8, "iBaseScore", 0);
  const bool fenDing = a.BoolOr(9, "bFenDing", false);
  const int exGameType = a.IntOr(10, "iExGameiType", 0);
  int doubled[3] = {};
  if (a.Count() >= 11 && !a.IntPrefix(11, doubled, 3)) return a.Fail("vcJiaBeiFlag");
  std::uint8_t flags[3];
  for (int i = 0; i < 3; ++i) flags[i] = static_cast<std::uint8_t>(doubled[i] & 0xff);
  self->IniResultInfo(imageIndex, landOwner, result, bombs, rocket, spring, smallBtnType, baseScore, fenDing,
                      exGameType, flags);
  return luabind::ReturnSelf(L);
}

// ---- TaskUI ----
constexpr const char* kTaskUI = "QorvDDZView.TaskUI";
int lua_cocos2dx_TaskUI_constructor(lua_State* L) {
  const Args a(L, "QorvDDZView.TaskUI:TaskUI", "lua_cocos2dx_TaskUI_constructor");
  a.Exactly(4);
  const int mainType = a.Int(1, "iMainType");
  const int subType = a.Int(2, "iSubType");
  const int jpNum = a.Int(3, "iJPNum");
  const int prizeType = a.Int(4, "iPrizeType");
  return PushMade(L, new TaskUI(mainType, subType, jpNum, prizeType), kTaskUI);
}

// Both `TaskUI` and `CheckTaskIsExist`: the task type's place, on the class
// table as on a panel.
int lua_cocos2dx_TaskUI_CheckTaskIsExist(lua_State* L) {
  DDZ_STATIC(TaskUI, CheckTaskIsExist);
  a.Exactly(1);
  return PushInt(L, TaskUI::CheckTaskIsExist(a.Int(1, "iTaskType")));
}

int lua_cocos2dx_TaskUI_StopTaskAni(lua_State* L) {
  DDZ_SELF(TaskUI, StopTaskAni);
  a.Exactly(0);
  self->StopTaskAni();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TaskUI_PlayTaskAni(lua_State* L) {
  DDZ_SELF(TaskUI, PlayTaskAni);
  a.Exactly(0);
  self->PlayTaskAni();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TaskUI_SetTaskNum(lua_State* L) {
  DDZ_SELF(TaskUI, SetTaskNum);
  a.Exactly(1);
  self->SetTaskNum(a.Int(1, "iNum"));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_TaskUI_GetTaskName(lua_State* L) {
  DDZ_SELF(TaskUI, GetTaskName);
  a.Exactly(1);
  const int id = a.Int(1, "iTaskID");
  (void)self;
  char name[TaskUI::kNameCapacity];
  TaskUI::GetTaskName(id, name, sizeof name);
  lua_pushstring(L, name);
  return 1;
}

int lua_cocos2dx_TaskUI_ShowTaskCompete(lua_State* L) {
  DDZ_SELF(TaskUI, ShowTaskCompete);
  a.Exactly(0);
  self->ShowTaskCompete();
  return luabind::ReturnSelf(L);
}

// ---- PlayerGuide ----
int lua_cocos2dx_PlayerGuide_create(lua_State* L) {
  const Args a(L, "QorvDDZView.PlayerGuide:create", "lua_cocos2dx_PlayerGuide_create");
  a.Exactly(2);
  auto* view = a.Object<DDZGameView>(1, kDDZGameView, "pGameView");
  const int guided = a.Int(2, "iGuidedNum");
  luabind::PushObject(L, PlayerGuide::create(view, guided), "QorvDDZView.PlayerGuide");
  return 1;
}

// ---- BaseCard ----
constexpr const char* kBaseCard = "QorvDDZView.BaseCard";
int lua_cocos2dx_BaseCard_constructor(lua_State* L) {
  return NewForView<BaseCard, DDZGameView, true>(L, kBaseCard, "QorvDDZView.BaseCard:BaseCard",
                                                 "lua_cocos2dx_BaseCard_constructor");
}

// The back flag is read from two arguments on, the visible flag only when
// exactly three are given.
int lua_cocos2dx_BaseCard_AddCard(lua_State* L) {
  DDZ_SELF(BaseCard, AddCard);
  a.AtLeast(1);
  const int card = a.Int(1, "iCardIndex");
  const bool back = a.BoolOr(2, "bBack", false);
  const bool visible = a.Count() == 3 ? a.Bool(3, "bVisible") : false;
  self->AddCard(card, back, visible);
  return luabind::ReturnSelf(L);
}

// The delay is read from two arguments on, the sound flag only when exactly
// three are given.
int lua_cocos2dx_BaseCard_ShowBaseCard(lua_State* L) {
  DDZ_SELF(BaseCard, ShowBaseCard);
  a.AtLeast(1);
  if (!a.IsIntList(1)) return a.Fail("vcBaseCardIndex");
  const float delay = a.FloatOr(2, "fAniDelayTime", 0.2f);
  const bool sound = a.Count() == 3 ? a.Bool(3, "bPalySound") : false;
  std::vector<int> cards;
  a.IntList(1, &cards);  // checked above; nothing raises from here on
  self->ShowBaseCard(cards, delay, sound);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BaseCard_RemoveAllCard(lua_State* L) {
  DDZ_SELF(BaseCard, RemoveAllCard);
  a.Exactly(0);
  self->RemoveAllCard();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_BaseCard_GetCardCount(lua_State* L) {
  DDZ_SELF(BaseCard, GetCardCount);
  a.Exactly(0);
  return PushInt(L, self->GetCardCount());
}

int lua_cocos2dx_BaseCard_GetBaseCard(lua_State* L) {
  DDZ_SELF(BaseCard, GetBaseCard);
  a.Exactly(0);
  std::vector<int> cards;
  self->GetBaseCard(cards);
  luabind::PushIntArray(L, cards);
  return 1;
}

}  // namespace

using luabind::Method;

DDZ_WIDGET_MEMBERS(GameClock, Method("ShowClock", lua_cocos2dx_GameClock_ShowClock),
                   Method("ResetClock", lua_cocos2dx_GameClock_ResetClock),
                   Method("getClockTime", lua_cocos2dx_GameClock_getClockTime))
DDZ_WIDGET_MEMBERS(ResultLayer, Method("IniResultInfo", lua_cocos2dx_ResultLayer_IniResultInfo))
DDZ_WIDGET_MEMBERS(TaskUI, Method("TaskUI", lua_cocos2dx_TaskUI_CheckTaskIsExist),
                   Method("StopTaskAni", lua_cocos2dx_TaskUI_StopTaskAni),
                   Method("PlayTaskAni", lua_cocos2dx_TaskUI_PlayTaskAni),
                   Method("SetTaskNum", lua_cocos2dx_TaskUI_SetTaskNum),
                   Method("GetTaskName", lua_cocos2dx_TaskUI_GetTaskName),
                   Method("ShowTaskCompete", lua_cocos2dx_TaskUI_ShowTaskCompete),
                   Method("CheckTaskIsExist", lua_cocos2dx_TaskUI_CheckTaskIsExist))
DDZ_WIDGET_MEMBERS(BaseCard, Method("AddCard", lua_cocos2dx_BaseCard_AddCard),
                   Method("ShowBaseCard", lua_cocos2dx_BaseCard_ShowBaseCard),
                   Method("RemoveAllCard", lua_cocos2dx_BaseCard_RemoveAllCard),
                   Method("GetCardCount", lua_cocos2dx_BaseCard_GetCardCount),
                   Method("GetBaseCard", lua_cocos2dx_BaseCard_GetBaseCard))

namespace {
constexpr luabind::Member kPlayerGuideMembers[] = {Method("create", lua_cocos2dx_PlayerGuide_create)};
}  // namespace
std::span<const luabind::Member> PlayerGuideMembers() { return kPlayerGuideMembers; }

}  // namespace qorvscript
