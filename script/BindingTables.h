// The member tables of the module's classes, one file per group of classes:
// ViewBindings.cpp (DDZGameView), TableItemBindings.cpp (TableItemDef),
// WidgetBindings.cpp (clock, result window, task panel, guide, bottom cards),
// SeatWidgetBindings.cpp (head, status marks, bubbles, info popup),
// BarBindings.cpp (bottom and top bars), SoundBindings.cpp (GameSoundDDZ),
// CompeteBindings.cpp (CompeteGameView), CompeteLayerBindings.cpp (the four
// tournament layers). QorvDDZView.cpp puts them together in registration order.
#pragma once

#include <span>

#include "platform/engine/lua/LuaBinding.h"

class DDZGameView;
class GameSceneBase;
class YndLoadingBase;

namespace qorvscript {

// Lua type names the bindings name.
inline constexpr const char* kDDZGameView = "QorvDDZView.DDZGameView";
inline constexpr const char* kTableItemDef = "QorvDDZView.TableItemDef";
inline constexpr const char* kSpriteCardManage = "VellGameBase.Vell_SpriteCardManage";
inline constexpr const char* kYndGameLayer = "yndcommon.YndGameLayer";
inline constexpr const char* kPlayerNodeDef = "gamebase.PlayerNodeDef";

std::span<const luabind::Member> DDZGameViewMembers();
// `new` (create false) and `create` of a table view class `cls` ("DDZGameView"):
// the counts, the scene and loading layer, `make`, then init.
int MakeView(lua_State* L, bool create, const char* cls, DDZGameView* (*make)(GameSceneBase*, YndLoadingBase*));
std::span<const luabind::Member> TableItemDefMembers();
std::span<const luabind::Member> CompeteGameViewMembers();

std::span<const luabind::Member> GameClockMembers();
std::span<const luabind::Member> ResultLayerMembers();
std::span<const luabind::Member> PlayerShowMembers();
std::span<const luabind::Member> PlayerGameInfoMembers();
std::span<const luabind::Member> TalkTipMembers();
std::span<const luabind::Member> TaskUIMembers();
std::span<const luabind::Member> OtherPlayerInfoMembers();
std::span<const luabind::Member> PlayerGuideMembers();
std::span<const luabind::Member> BaseCardMembers();
std::span<const luabind::Member> BottomUIMembers();
std::span<const luabind::Member> TopUIBaseMembers();
std::span<const luabind::Member> GameSoundDDZMembers();

std::span<const luabind::Member> CompeteWaitLayerMembers();
std::span<const luabind::Member> CompetePromotionLayerMembers();
std::span<const luabind::Member> CompeteTableUIMembers();
std::span<const luabind::Member> CompeteMsgMembers();

}  // namespace qorvscript
