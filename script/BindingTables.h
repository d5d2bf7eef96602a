// The member tables of the module's classes, one file per group of classes:
// ViewBindings.cpp (DDZGameView), TableItemBindings.cpp (TableItemDef),
// WidgetBindings.cpp (the widgets' life cycle). QorvDDZView.cpp puts them
// together in registration order.
#pragma once

#include <span>

#include "platform/engine/lua/LuaBinding.h"

namespace qorvscript {

// Lua type names the bindings name.
inline constexpr const char* kDDZGameView = "QorvDDZView.DDZGameView";
inline constexpr const char* kTableItemDef = "QorvDDZView.TableItemDef";
inline constexpr const char* kSpriteCardManage = "VellGameBase.Vell_SpriteCardManage";
inline constexpr const char* kYndGameLayer = "yndcommon.YndGameLayer";

std::span<const luabind::Member> DDZGameViewMembers();
std::span<const luabind::Member> TableItemDefMembers();

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

}  // namespace qorvscript
