#include "script/QorvDDZView.h"

#include <lua.hpp>

#include "cards/BaseCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteMsg.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "script/BindingTables.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
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

using namespace qorvscript;

int register_all_VellGameBase(lua_State* L) {
  static const luabind::Class classes[] = {
      luabind::EngineClass<Vell_SpriteCardManage>("Vell_SpriteCardManage", kSpriteCardManage, kYndGameLayer),
      // Names only: the tournament bar and promotion screen register their own
      // classes on them in "QorvDDZView".
      {"CompetePromotionLayer", "VellGameBase.CompetePromotionLayer", kYndGameLayer, nullptr, nullptr, {}},
      {"CompeteTableUI", "VellGameBase.CompeteTableUI", kYndGameLayer, nullptr, nullptr, {}},
  };
  luabind::RegisterModule(L, "VellGameBase", classes);
  return 1;
}

// One registration per class, in the module's order. The tournament bar and
// promotion screen take the "VellGameBase" names as their Lua bases, so their
// values fill the tournament view's fields that ask for those names.
int register_all_QorvDDZView(lua_State* L) {
  using luabind::EngineClass;
  static const luabind::Class classes[] = {
      EngineClass<GameClock>("GameClock", "QorvDDZView.GameClock", kYndGameLayer, GameClockMembers()),
      EngineClass<ResultLayer>("ResultLayer", "QorvDDZView.ResultLayer", kYndGameLayer, ResultLayerMembers()),
      EngineClass<PlayerShow>("PlayerShow", "QorvDDZView.PlayerShow", kYndGameLayer, PlayerShowMembers()),
      EngineClass<PlayerGameInfo>("PlayerGameInfo", "QorvDDZView.PlayerGameInfo", kYndGameLayer,
                                  PlayerGameInfoMembers()),
      EngineClass<TalkTip>("TalkTip", "QorvDDZView.TalkTip", kYndGameLayer, TalkTipMembers()),
      EngineClass<TaskUI>("TaskUI", "QorvDDZView.TaskUI", kYndGameLayer, TaskUIMembers()),
      EngineClass<OtherPlayerInfo>("OtherPlayerInfo", "QorvDDZView.OtherPlayerInfo", kYndGameLayer,
                                   OtherPlayerInfoMembers()),
      EngineClass<PlayerGuide>("PlayerGuide", "QorvDDZView.PlayerGuide", kYndGameLayer, PlayerGuideMembers()),
      EngineClass<BaseCard>("BaseCard", "QorvDDZView.BaseCard", kYndGameLayer, BaseCardMembers()),
      {"TableItemDef", kTableItemDef, "", typeid(TableItemDef).name(), nullptr, TableItemDefMembers()},
      EngineClass<BottomUI>("BottomUI", "QorvDDZView.BottomUI", kYndGameLayer, BottomUIMembers()),
      EngineClass<TopUIBase>("TopUIBase", "QorvDDZView.TopUIBase", kYndGameLayer, TopUIBaseMembers()),
      EngineClass<DDZGameView>("DDZGameView", kDDZGameView, "gamebase.GameViewBase", DDZGameViewMembers()),
      {"GameSoundDDZ", "QorvDDZView.GameSoundDDZ", "", typeid(GameSoundDDZ).name(), nullptr, GameSoundDDZMembers()},
      EngineClass<CompeteWaitLayer>("CompeteWaitLayer", "QorvDDZView.CompeteWaitLayer", kYndGameLayer,
                                    CompeteWaitLayerMembers()),
      EngineClass<CompetePromotionLayer>("CompetePromotionLayer", "QorvDDZView.CompetePromotionLayer",
                                         "VellGameBase.CompetePromotionLayer", CompetePromotionLayerMembers()),
      EngineClass<CompeteTableUI>("CompeteTableUI", "QorvDDZView.CompeteTableUI", "VellGameBase.CompeteTableUI",
                                  CompeteTableUIMembers()),
      EngineClass<CompeteMsg>("CompeteMsg", "QorvDDZView.CompeteMsg", kYndGameLayer, CompeteMsgMembers()),
      EngineClass<CompeteGameView>("CompeteGameView", "QorvDDZView.CompeteGameView", kDDZGameView,
                                   CompeteGameViewMembers()),
  };
  luabind::RegisterModule(L, "QorvDDZView", classes);
  return 1;
}
