// Scripts calling the bound classes with whatever they like: the input picks,
// call by call, an object (a view, its record, widgets, the sound player,
// tournament layers, the scene, nil, an object the script destroyed, a class
// table), a member of the bindings and arguments of any kind, then calls it,
// reads it or assigns to it, and steps a few frames. Property: nothing crashes or leaks, and every error a call
// raises is one of the bindings' own texts.
#include <tolua++.h>

#include <cstdint>
#include <lua.hpp>
#include <regex>
#include <string>

#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "fuzz/TableStage.h"
#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/AppDelegate.h"

namespace {

// The objects a call may be made on, as Lua expressions over the pool `o`.
constexpr const char* kSetup = R"(
  o = {}
  local scene = cc.Director:getInstance():getRunningScene()
  o[1] = QorvDDZView.DDZGameView:create(nil)
  scene:addChild(o[1])
  o[2] = o[1].m_TableItem
  o[3] = QorvDDZView.GameClock:new(nil, 1)
  o[4] = QorvDDZView.PlayerShow:new(1)
  o[5] = QorvDDZView.TaskUI:new(1, 2, 3, 4)
  o[6] = scene
  o[7] = QorvDDZView.TalkTip:new()
  o[7]:destroy()
  o[8] = QorvDDZView.BottomUI:new(o[1])
  o[9] = QorvDDZView.DDZGameView
  o[10] = QorvDDZView.GameClock
  o[11] = gamebase.GameViewBase.m_GlobalInfo
  o[12] = cc.Director:getInstance()
  o[13] = cc.Label:createWithSystemFont('a', 'Arial', 12)
  o[14] = QorvDDZView.OtherPlayerInfo:new(0)
  o[15] = QorvDDZView.TopUIBase:new(o[1])
  o[16] = cc.Director:getInstance():getScheduler()
  -- o[17] stays nil
  o[18] = QorvDDZView.CompeteGameView:create(nil)
  scene:addChild(o[18])
  o[19] = QorvDDZView.CompeteGameView
  -- o[20] to o[22]: the tournament layers, from the program's side
  o[23] = QorvDDZView.PlayerGameInfo:new(1)
  o[24] = QorvDDZView.ResultLayer:new(o[1])
  o[25] = QorvDDZView.BaseCard:new(o[1])
  scene:addChild(o[25])
  o[26] = QorvDDZView.GameSoundDDZ:shareGameSoundDDZ()
  o[27] = QorvDDZView.CompeteMsg:create()
  o[28] = QorvDDZView.GameSoundDDZ
  o[29] = QorvDDZView.CompeteMsg
  o[30] = QorvDDZView.TaskUI
  o[31] = QorvDDZView.TalkTip:new()
  scene:addChild(o[31])
  o[32] = QorvDDZView.PlayerShow

  -- Calls member `name` of target `t` with the arguments; `how` picks a
  -- method call, a read or an assignment. Errors come back as text.
  function poke(t, name, how, ...)
    if type(t) ~= 'userdata' and type(t) ~= 'table' then return nil end
    local args = {...}
    local n = select('#', ...)
    local ok, e = pcall(function()
      if how == 0 then
        local f = t[name]
        if type(f) == 'function' then f(t, unpack(args, 1, n)) end
      elseif how == 1 then
        local _ = t[name]
      elseif how == 2 then
        local f = t[name]
        if type(f) == 'function' then f(unpack(args, 1, n)) end
      else
        t[name] = args[1]
      end
    end)
    if ok then return nil end
    return tostring(e)
  end
)";

// Every member name the bindings register, and a few that are none.
const char* const kNames[] = {
    "new", "create", "destroy", "getInstance", "ResetClock", "m_TableItem", "m_pBaseCard", "m_pGameClock",
    "m_pTalkTip", "m_pTaskUI", "m_pTopUI", "m_pBottomUI", "m_pResultLayer", "m_pDealCard", "SetOtherPlayerInfo",
    "GetOtherPlayerInfo", "SetPlayerGameInfo", "GetPlayerGameInfo", "SetPlayerShow", "GetPlayerShow",
    "SetHandCard", "GetHandCard", "SetSendCard", "GetSendCard", "SetMingPaiCard", "GetMingPaiCard",
    "RegisterLuaHandlerQorvDDZView", "UnRegisterLuaHandlerQorvDDZView", "iLandOwnerPos", "iFinalPoint",
    "iBaseScore", "iTimes", "iTableCardOwnerPos", "iSendBombNum", "iShowCardTable", "bSendRocket",
    "bPlayBombSound", "cHappyCard", "iPointDemand", "iCompeteAmount", "iTuoGuan", "vcBaseCardIndex",
    "vcTableCardIndex", "Clear", "retain", "release", "addChild", "removeFromParent", "removeChildByTag",
    "getChildByTag", "getParent", "setPosition", "getPosition", "setVisible", "isVisible", "setLocalZOrder",
    "setTag", "getTag", "setScale", "setAnchorPoint", "getContentSize", "isRunning", "getRunningScene",
    "getScheduler", "scheduleScriptFunc", "unscheduleScriptEntry", "setString", "getString", "AddPlist",
    "setTouchEnabled", "GetTablePosByTableNumExtra", "GetPlayerNode", "GetPlayerCount", "m_GlobalInfo",
    "m_pGameView", "iUserID", "szNickName", "iMoney", "createWithSystemFont", "createWithSpriteFrameName",
    "m_pCompeteWaitLayer", "m_pCompetePromotionLayer", "m_pCompeteTableUI", "GetClientVersion",
    // the widgets, the sound player and the tournament layers
    "ShowClock", "getClockTime", "IniResultInfo", "IniImage", "GetImageIndex", "RemoveImage", "ShowPlayerAct",
    "GetSingleNickNameIndex", "ConvertPlayerIcon", "ShowCompeteTuoGuan", "ShowCompetePass", "ShowCompeteReady",
    "ShowCompetePoint", "ShowCompeteAmount", "UpdateCompeteAmount", "ShowReady", "ShowPoint", "ShowLandOwner",
    "ShowPass", "ShowOffLine", "ShowNetDelay", "ShowAddPound", "ShowWaitFarmerMul", "ShowPlayerMoneInfo",
    "ShowNoMoneyTips", "ShowLandOwnerAni", "ShowFaceSpine", "ShowFdAmount", "UpdateFdAmount", "Talk", "TalkFreeTxt",
    "StartFreeTip", "StopFreeTip", "TaskUI", "StopTaskAni", "PlayTaskAni", "SetTaskNum", "GetTaskName",
    "ShowTaskCompete", "CheckTaskIsExist", "IniPlayerInfo", "ShowInfo", "GetTablePos", "AddCard", "ShowBaseCard",
    "RemoveAllCard", "GetCardCount", "GetBaseCard", "SetUIInfo", "SetUserName", "SetYBNum", "SetMoneyNum", "SetExp",
    "GetYBNum", "GetMoneyNum", "FreshCmpValue", "ClearCmpSelfInfo", "ShowBottomSelfInfo", "IsVisible",
    "SetFinalPoint", "SetTimes", "AddJPQCard", "ClearJQPCard", "ShowCardCounter", "SetNumVisible", "OnSendTalkMsg",
    "OnSendFaceMsg", "CloseOtherWin", "SetTalkBtnEnabled", "SetCardCountBtnEnabled", "SetBtnOnState",
    "shareGameSoundDDZ", "PlayerTalk", "PlayerTalkCard", "PlayBackGroundMusic", "PlayCompeteBackgroundMusic",
    "PlayGameSound", "StopBackgroundMusic", "StopAllSound", "SetWaitPlayer", "setNextOpenTime", "UpdateOrder",
    "UpdateWaitTable", "ShowWeedBrevet", "SetBrevetTimes", "JudgeShow", "ShowWaitTable", "ShowStatus",
    "UpdateTableNum", "ShowRank", "UpdateSelfRank", "RemoveRankList", "HideRankList", "ShowMsg", "noSuchMember"};
constexpr int kNameCount = static_cast<int>(sizeof(kNames) / sizeof(kNames[0]));
constexpr int kPool = 32;

// One argument of any kind, as Lua source.
std::string Argument(ddz::fuzz::Input& in) {
  const std::uint8_t kind = in.Byte();
  switch (kind % 12) {
    case 0: return "nil";
    case 1: return std::to_string(static_cast<int>(in.Byte()) - 20);
    case 2: return std::to_string(static_cast<std::int32_t>(in.U32()));
    case 3: return "1e300";
    case 4: return in.Bool() ? "true" : "false";
    case 5: return "'s" + std::to_string(in.Byte()) + "'";
    case 6: return "{" + std::to_string(in.Byte()) + ", " + std::to_string(in.Byte()) + "}";
    case 7: return "{x = " + std::to_string(in.Byte()) + ", y = 2}";
    case 8: return "{1, 'x'}";
    case 9: return "function() return " + std::to_string(in.Byte()) + " end";
    case 10: return "{}";
    default: return "o[" + std::to_string(in.Byte() % kPool + 1) + "]";
  }
}

// The bindings' own texts (after the position Lua puts before an error
// raised under a script line).
bool IsBindingError(const std::string& raw) {
  static const std::regex kPosition(R"(^\[string "[^\n]*"\]:\d+: )");
  static const std::regex kTexts(
      R"(^(invalid 'cobj' in function '\w+'|)"
      R"([\w.:]+ has wrong number of arguments: -?\d+, was expecting \d+ ?\n|)"
      R"([\w.:]+ has wrong number of arguments: -?\d+, was expecting >=1 && <=2\n |)"
      R"(invalid \w+ in function '\w+'|)"
      R"( invalid [ib]Arg in function '\w+'|)"
      R"(the field is read-only|)"
      // tolua++'s own answer to a new key assigned on a class table: its
      // class events call each other until Lua's bound on nested C calls.
      R"(C stack overflow)$)");
  const std::string text = std::regex_replace(raw, kPosition, "", std::regex_constants::format_first_only);
  return std::regex_match(text, kTexts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::ResetTableStage(stage);
  GameSceneBase::m_pGameView = nullptr;

  cocos2d::LuaEngine* engine = cocos2d::LuaEngine::getInstance();
  cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
  lua_State* L = engine->getLuaStack()->getLuaState();
  lua_module_register(L);
  ddz::RegisterLuaModules(L, ddz::StartupLuaModules());  // as start-up does
  FUZZ_CHECK(engine->executeString(kSetup) == 0);
  // The layers the tournament view's fields take, made as the view makes them.
  lua_getglobal(L, "o");
  cocos2d::Ref* const layers[] = {CompeteWaitLayer::create(), CompetePromotionLayer::create(),
                                  CompeteTableUI::create()};
  for (int i = 0; i < 3; ++i) {
    luabind::PushObject(L, layers[i], "cc.Node");
    lua_rawseti(L, -2, 20 + i);
  }
  lua_settop(L, 0);

  ddz::fuzz::Input in(data, size);
  for (int call = 0; call < 48 && !in.Empty(); ++call) {
    const int target = in.Byte() % kPool + 1;
    const char* name = kNames[in.Byte() % kNameCount];
    const int how = in.Byte() % 4;
    const int argc = in.Byte() % 5;
    std::string code = "return poke(o[" + std::to_string(target) + "], '" + name + "', " + std::to_string(how);
    for (int i = 0; i < argc; ++i) code += ", " + Argument(in);
    code += ")";
    FUZZ_CHECK(luaL_loadstring(L, code.c_str()) == 0);
    FUZZ_CHECK(lua_pcall(L, 0, 1, 0) == 0);
    if (lua_isstring(L, -1)) {
      const std::string error = lua_tostring(L, -1);
      if (!IsBindingError(error)) std::fprintf(stderr, "unexpected error: %s\n", error.c_str());
      FUZZ_CHECK(IsBindingError(error));
    }
    lua_settop(L, 0);
    if (in.Byte() % 4 == 0) stage.director->mainLoop(0.25f);
  }

  // The table goes first (its handlers drop their functions), then the state
  // with whatever the script still held.
  stage.director->reset();
  cocos2d::LuaEngine::destroyInstance();
  cocos2d::AutoreleasePool::current().clear();
  return 0;
}
