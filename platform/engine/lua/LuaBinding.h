// What every script binding shares: the registration of a class from one
// table of members, the object a method is called on, the count and argument
// errors with their fixed texts, and the pushing of objects and records.
//
// A binding is a lua_CFunction. Its arguments follow the object in slot 1
// (Lua's colon call); static members are called on the class table, which
// then stands in slot 1 and is ignored. Errors are raised as Lua errors and
// never return; nothing is called and nothing changes when one is raised.
//
//   int lua_cocos2dx_Foo_Bar(lua_State* L) {
//     auto* self = luabind::Self<Foo>(L, "QorvDDZView.Foo", "lua_cocos2dx_Foo_Bar");
//     const int argc = luabind::ArgCount(L);
//     if (argc != 1) return luabind::CountError(L, "QorvDDZView.Foo:Bar", argc, 1);
//     int v = 0;
//     if (!luaval_to_int32(L, 2, &v, "QorvDDZView.Foo:Bar")) return luabind::ArgError(L, "v", "lua_cocos2dx_Foo_Bar");
//     self->Bar(v);
//     return luabind::ReturnSelf(L);
//   }
#pragma once

#include <span>
#include <typeinfo>
#include <vector>

extern "C" {
#include <lua.h>
}

#include "platform/engine/Ref.h"

namespace luabind {

// One member of a class: a method (setter null, `field` false) or a field
// with its getter and setter.
struct Member {
  const char* name;
  lua_CFunction fn;                 // the method, or the field's getter
  lua_CFunction setter = nullptr;   // fields only
  bool field = false;
};
inline constexpr Member Method(const char* name, lua_CFunction fn) { return {name, fn, nullptr, false}; }
inline constexpr Member Field(const char* name, lua_CFunction get, lua_CFunction set) { return {name, get, set, true}; }

// Whether an engine object is of a class (for objects whose exact class has
// no script type of its own, e.g. a derived view).
using IsA = bool (*)(const cocos2d::Ref*);
template <class T>
bool IsOf(const cocos2d::Ref* object) {
  return dynamic_cast<const T*>(object) != nullptr;
}

// One class of a module. `cppType` is typeid(T).name() of the class (null for
// a type without a class of ours); `isA` lets objects of unregistered derived
// classes be pushed under this type (engine objects only).
struct Class {
  const char* name;      // the name inside the module
  const char* luaType;   // "module.name"
  const char* baseType;  // the Lua base type, "" for none
  const char* cppType = nullptr;
  IsA isA = nullptr;
  std::span<const Member> members = {};
};

template <class T>
constexpr Class EngineClass(const char* name, const char* luaType, const char* baseType,
                            std::span<const Member> members = {}) {
  return {name, luaType, baseType, typeid(T).name(), &IsOf<T>, members};
}

// Registers the classes inside `module` (declared as a plain module) and
// fills g_luaType and g_typeCast. Bases must be registered before the
// classes that derive from them (earlier in the list or in an earlier
// module). Expects the table to register into on top of the stack (the
// global table at start-up) and leaves the stack as it found it.
void RegisterModule(lua_State* L, const char* module, std::span<const Class> classes);

// ---- the object and the arguments ----

// The number of arguments after the object.
inline int ArgCount(lua_State* L) { return lua_gettop(L) - 1; }

// The object in slot 1 when it is a live value of `luaType` (or of a type
// derived from it); else raises "invalid 'cobj' in function '<func>'".
void* SelfPointer(lua_State* L, const char* luaType, const char* func);
template <class T>
T* Self(lua_State* L, const char* luaType, const char* func) {
  return static_cast<T*>(SelfPointer(L, luaType, func));
}

// The record in slot 1 when it is a live value of `luaType`; else null.
void* RecordPointer(lua_State* L, const char* luaType);

// "<diag> has wrong number of arguments: <argc>, was expecting <n>\n";
// `blank` puts a blank before the newline (the record and hook forms).
int CountError(lua_State* L, const char* diag, int argc, int n, bool blank = false);
// "<diag> has wrong number of arguments: <argc>, was expecting >=<lo> && <=<hi>\n "
int RangeCountError(lua_State* L, const char* diag, int argc, int lo, int hi);
// "invalid <arg> in function '<func>'"
int ArgError(lua_State* L, const char* arg, const char* func);
// Any other fixed text (raised as it stands).
int RaiseText(lua_State* L, const char* text);

// The prologue of a binding that takes exactly one int: the object (as
// Self), the count (CountError, `blank` as there) and the int, named `arg`
// in its error.
void* SelfWithIntPointer(lua_State* L, const char* luaType, const char* diag, const char* func, const char* arg,
                         int* value, bool blank = false);
template <class T>
T* SelfWithInt(lua_State* L, const char* luaType, const char* diag, const char* func, const char* arg, int* value,
               bool blank = false) {
  return static_cast<T*>(SelfWithIntPointer(L, luaType, diag, func, arg, value, blank));
}

// An object argument at `lo`: nil gives null; a value of another type fails.
bool ToObjectPointer(lua_State* L, int lo, const char* luaType, void** out);
template <class T>
bool ToObject(lua_State* L, int lo, const char* luaType, T** out) {
  void* p = nullptr;
  if (!ToObjectPointer(L, lo, luaType, &p)) return false;
  *out = static_cast<T*>(p);
  return true;
}

// ---- results ----

// Cuts the stack to the object and returns it.
inline int ReturnSelf(lua_State* L) {
  lua_settop(L, 1);
  return 1;
}

// An engine object (nil for null) under the script type of its class: the
// type registered for its exact class, else the most derived registered type
// it is of that stands at or below `namedType`, else `namedType`.
void PushObject(lua_State* L, cocos2d::Ref* object, const char* namedType);
// A record that lives inside an engine object (nil for null), under the
// type g_luaType gives for its class name `cppType`, else `namedType`. Its
// script values become null objects when the owner is destroyed.
void PushOwnedRecord(lua_State* L, cocos2d::Ref* owner, void* record, const char* cppType, const char* namedType);
// A record that lives as long as the process (nil for null).
void PushRecord(lua_State* L, void* record, const char* cppType, const char* namedType);
// A new table 1..n of the numbers.
void PushIntArray(lua_State* L, const int* values, int n);
inline void PushIntArray(lua_State* L, const std::vector<int>& values) {
  PushIntArray(L, values.data(), static_cast<int>(values.size()));
}

// ---- read-only fields of records ----
// Getters of a record registered as `Type` (a static char array): the
// field's number, or its text up to the first zero byte (the whole array at
// most). A value that is not a live record of that type gives no value.
template <class R, class V>
R RecordOf(V R::*);
template <auto Member, const char* Type>
int RecordNumber(lua_State* L) {
  using R = decltype(RecordOf(Member));
  auto* record = static_cast<R*>(RecordPointer(L, Type));
  if (!record) return 0;
  lua_pushnumber(L, static_cast<lua_Number>(record->*Member));
  return 1;
}
template <auto Member, const char* Type>
int RecordText(lua_State* L) {
  using R = decltype(RecordOf(Member));
  auto* record = static_cast<R*>(RecordPointer(L, Type));
  if (!record) return 0;
  const auto& text = record->*Member;
  std::size_t n = 0;
  while (n < sizeof(text) && text[n] != 0) ++n;
  lua_pushlstring(L, text, n);
  return 1;
}

// Drops the script's values of an object without destroying it: later calls
// through them raise the object error.
void ForgetObject(cocos2d::Ref* object);

// ---- references the scripts hold ----
// A script holds a reference to what it made with `new` and to what it
// retained; it can give back only those, so an unbalanced release in a
// script cannot free an object someone else holds. Closing the Lua state
// gives back whatever its scripts still held.
void ScriptRetain(lua_State* L, cocos2d::Ref* object);
// The creation reference of an object `new` made becomes the script's.
void ScriptAdopt(lua_State* L, cocos2d::Ref* object);
// Gives back one reference; false (nothing happens) when the script holds none.
bool ScriptRelease(lua_State* L, cocos2d::Ref* object);
// The script's references to `object`.
int ScriptReferences(lua_State* L, cocos2d::Ref* object);
// Ends what `new` began: the object leaves its parent when the script holds
// a reference to it, the script's references are given back, and its Lua
// values become null objects. An object the script holds no reference to
// stays where it is (its owner keeps it).
void DestroyFromScript(lua_State* L, cocos2d::Ref* object);
// The state is closing: every reference its scripts held is given back.
void ReleaseScriptReferences(lua_State* L);

}  // namespace luabind
