// TableItemDef in Lua: a view's record of the hand, reached through its
// m_TableItem. Scalars read and write as numbers and booleans (a setter
// without a record, or given other than one value, does nothing);
// cHappyCard keeps the low byte of what it is given; the per-seat arrays take
// the first four values of a table, the card lists the whole table.
#include <cstdint>
#include <lua.hpp>
#include <vector>

#include "platform/engine/lua/LuaStack.h"
#include "script/BindingTables.h"
#include "table/TableItemDef.h"

namespace qorvscript {

namespace {

TableItemDef* Record(lua_State* L) { return static_cast<TableItemDef*>(luabind::RecordPointer(L, kTableItemDef)); }

// ---- scalars ----

template <auto Member>
int GetScalar(lua_State* L) {
  TableItemDef* record = Record(L);
  if (record == nullptr) return 0;
  if constexpr (std::is_same_v<std::remove_reference_t<decltype(record->*Member)>, bool>)
    lua_pushboolean(L, record->*Member);
  else
    lua_pushnumber(L, record->*Member);
  return 1;
}

template <auto Member>
int SetScalar(lua_State* L, const char* diag, const char* func) {
  TableItemDef* record = Record(L);
  if (record == nullptr || luabind::ArgCount(L) != 1) return 0;
  if constexpr (std::is_same_v<std::remove_reference_t<decltype(record->*Member)>, bool>) {
    bool v = false;
    if (!luaval_to_boolean(L, 2, &v, diag)) return luaL_error(L, " invalid bArg in function '%s'", func);
    record->*Member = v;
  } else {
    int v = 0;
    if (!luaval_to_int32(L, 2, &v, diag)) return luaL_error(L, " invalid iArg in function '%s'", func);
    record->*Member = v;
  }
  return 0;
}

#define DDZ_RECORD_SCALAR(Field)                                                                                 \
  int lua_cocos2dx_TableItemDef_get_##Field(lua_State* L) { return GetScalar<&TableItemDef::Field>(L); }        \
  int lua_cocos2dx_TableItemDef_set_##Field(lua_State* L) {                                                     \
    return SetScalar<&TableItemDef::Field>(L, "QorvDDZView.TableItemDef" #Field ".set",                         \
                                           "lua_cocos2dx_TableItemDef_set_" #Field);                            \
  }

DDZ_RECORD_SCALAR(iLandOwnerPos)
DDZ_RECORD_SCALAR(iFinalPoint)
DDZ_RECORD_SCALAR(iBaseScore)
DDZ_RECORD_SCALAR(iTimes)
DDZ_RECORD_SCALAR(iTableCardOwnerPos)
DDZ_RECORD_SCALAR(iSendBombNum)
DDZ_RECORD_SCALAR(iShowCardTable)
DDZ_RECORD_SCALAR(bSendRocket)
DDZ_RECORD_SCALAR(bPlayBombSound)

#undef DDZ_RECORD_SCALAR

// ---- cHappyCard ----

int lua_cocos2dx_TableItemDef_get_cHappyCard(lua_State* L) {
  TableItemDef* record = Record(L);
  if (record == nullptr) return 0;
  lua_pushnumber(L, record->cHappyCard);
  return 1;
}

int lua_cocos2dx_TableItemDef_set_cHappyCard(lua_State* L) {
  int v = 0;
  auto* record = luabind::SelfWithInt<TableItemDef>(L, kTableItemDef, "QorvDDZView.TableItemDef:set_cHappyCard",
                                                    "lua_cocos2dx_TableItemDef_set_cHappyCard", "iHappyCard", &v, true);
  record->cHappyCard = static_cast<std::int8_t>(static_cast<std::uint8_t>(v & 0xFF));
  return 0;
}

// ---- per-seat arrays ----

template <auto Member>
int GetSeats(lua_State* L) {
  TableItemDef* record = Record(L);
  if (record == nullptr) return 0;
  luabind::PushIntArray(L, record->*Member, TableItemDef::kSeats);
  return 1;
}

template <auto Member>
int SetSeats(lua_State* L, const char* field, const char* diag, const char* func) {
  auto* record = luabind::Self<TableItemDef>(L, kTableItemDef, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, diag, argc, 1, true);
  std::vector<int> values;
  if (!luaval_to_std_vector_int(L, 2, &values, diag)) return luabind::ArgError(L, field, func);
  for (std::size_t i = 0; i < values.size() && i < static_cast<std::size_t>(TableItemDef::kSeats); ++i)
    (record->*Member)[i] = values[i];
  return 0;
}

// ---- card lists ----

template <auto Member>
int GetList(lua_State* L) {
  TableItemDef* record = Record(L);
  if (record == nullptr) return 0;
  luabind::PushIntArray(L, record->*Member);
  return 1;
}

template <auto Member>
int SetList(lua_State* L, const char* field, const char* diag, const char* func) {
  auto* record = luabind::Self<TableItemDef>(L, kTableItemDef, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, diag, argc, 1, true);
  std::vector<int> values;
  if (!luaval_to_std_vector_int(L, 2, &values, diag)) return luabind::ArgError(L, field, func);
  record->*Member = std::move(values);
  return 0;
}

#define DDZ_RECORD_ARRAY(Field, Get, Set)                                                                        \
  int lua_cocos2dx_TableItemDef_get_##Field(lua_State* L) { return Get<&TableItemDef::Field>(L); }              \
  int lua_cocos2dx_TableItemDef_set_##Field(lua_State* L) {                                                     \
    return Set<&TableItemDef::Field>(L, #Field, "QorvDDZView.TableItemDef:" #Field,                             \
                                     "lua_cocos2dx_TableItemDef_set_" #Field);                                  \
  }

DDZ_RECORD_ARRAY(iPointDemand, GetSeats, SetSeats)
DDZ_RECORD_ARRAY(iCompeteAmount, GetSeats, SetSeats)
DDZ_RECORD_ARRAY(iTuoGuan, GetSeats, SetSeats)
DDZ_RECORD_ARRAY(vcBaseCardIndex, GetList, SetList)
DDZ_RECORD_ARRAY(vcTableCardIndex, GetList, SetList)

#undef DDZ_RECORD_ARRAY

int lua_cocos2dx_TableItemDef_Clear(lua_State* L) {
  auto* record = luabind::Self<TableItemDef>(L, kTableItemDef, "lua_cocos2dx_TableItemDef_Clear");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "QorvDDZView.TableItemDef:Clear", argc, 0);
  record->Clear();
  return luabind::ReturnSelf(L);
}

#define DDZ_FIELD(Name) luabind::Field(#Name, lua_cocos2dx_TableItemDef_get_##Name, lua_cocos2dx_TableItemDef_set_##Name)

constexpr luabind::Member kMembers[] = {
    DDZ_FIELD(iLandOwnerPos),      DDZ_FIELD(iFinalPoint),     DDZ_FIELD(iBaseScore),
    DDZ_FIELD(iTimes),             DDZ_FIELD(iTableCardOwnerPos), DDZ_FIELD(iSendBombNum),
    DDZ_FIELD(iShowCardTable),     DDZ_FIELD(bSendRocket),     DDZ_FIELD(bPlayBombSound),
    DDZ_FIELD(cHappyCard),         DDZ_FIELD(iPointDemand),    DDZ_FIELD(iCompeteAmount),
    DDZ_FIELD(iTuoGuan),           DDZ_FIELD(vcBaseCardIndex), DDZ_FIELD(vcTableCardIndex),
    luabind::Method("Clear", lua_cocos2dx_TableItemDef_Clear),
};

#undef DDZ_FIELD

}  // namespace

std::span<const luabind::Member> TableItemDefMembers() { return kMembers; }

}  // namespace qorvscript
