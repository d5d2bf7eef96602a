// What the widget, sound and tournament layer bindings share: reading a
// call's arguments by position and name, and the life cycle of the objects
// scripts make (`new`, the factories' `create`, `destroy`).
//
// A raised error leaves the binding without running destructors, so a binding
// raises only while it holds nothing on the heap: scalars are read (and raise)
// at once; texts and lists report failure and are read where nothing raises
// after them, or checked first and read last.
#pragma once

#include <lua.hpp>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"

namespace qorvscript {

class Args {
 public:
  // `diag` names the binding in count errors ("QorvDDZView.GameClock:ShowClock"),
  // `func` in argument errors ("lua_cocos2dx_GameClock_ShowClock").
  Args(lua_State* L, const char* diag, const char* func)
      : L_(L), diag_(diag), func_(func), argc_(luabind::ArgCount(L)) {}

  // The number of arguments after the object.
  int Count() const { return argc_; }
  // The count error unless exactly `n` / at least `n` arguments were given.
  void Exactly(int n) const {
    if (argc_ != n) luabind::CountError(L_, diag_, argc_, n);
  }
  void AtLeast(int n) const {
    if (argc_ < n) luabind::CountError(L_, diag_, argc_, n);
  }
  // The argument error naming `name`.
  int Fail(const char* name) const { return luabind::ArgError(L_, name, func_); }

  // Argument k (from 1), or the argument error naming `name`.
  int Int(int k, const char* name) const {
    int v = 0;
    if (!luaval_to_int32(L_, k + 1, &v, diag_)) Fail(name);
    return v;
  }
  bool Bool(int k, const char* name) const {
    bool v = false;
    if (!luaval_to_boolean(L_, k + 1, &v, diag_)) Fail(name);
    return v;
  }
  float Float(int k, const char* name) const {
    double v = 0;
    if (!luaval_to_number(L_, k + 1, &v, diag_)) Fail(name);
    return static_cast<float>(v);
  }
  cocos2d::Vec2 Point(int k, const char* name) const {
    cocos2d::Vec2 v = cocos2d::Vec2::ZERO;
    if (!luaval_to_vec2(L_, k + 1, &v, diag_)) Fail(name);
    return v;
  }
  // An object of `luaType` (or derived); nil gives null.
  template <class T>
  T* Object(int k, const char* luaType, const char* name) const {
    T* v = nullptr;
    if (!luabind::ToObject(L_, k + 1, luaType, &v)) Fail(name);
    return v;
  }

  // Optional trailing arguments: `def` when fewer than k were given.
  int IntOr(int k, const char* name, int def) const { return argc_ >= k ? Int(k, name) : def; }
  bool BoolOr(int k, const char* name, bool def) const { return argc_ >= k ? Bool(k, name) : def; }
  float FloatOr(int k, const char* name, float def) const { return argc_ >= k ? Float(k, name) : def; }
  cocos2d::Vec2 PointOr(int k, const char* name) const { return argc_ >= k ? Point(k, name) : cocos2d::Vec2::ZERO; }

  // Texts and lists: false (nothing raised) when the value does not convert.
  bool Text(int k, std::string* out) const { return luaval_to_std_string(L_, k + 1, out, diag_); }
  bool IntList(int k, std::vector<int>* out) const { return luaval_to_std_vector_int(L_, k + 1, out, diag_); }
  // Whether argument k reads as a list (checked in a frame of its own).
  bool IsIntList(int k) const {
    std::vector<int> probe;
    return IntList(k, &probe);
  }
  // The first `n` values of a list into `out`, 0 for those the list lacks;
  // false when it is no list.
  bool IntPrefix(int k, int* out, int n) const {
    std::vector<int> list;
    if (!IntList(k, &list)) return false;
    for (int i = 0; i < n; ++i) out[i] = i < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(i)] : 0;
    return true;
  }

  lua_State* L() const { return L_; }

 private:
  lua_State* L_;
  const char* diag_;
  const char* func_;
  int argc_;
};

// Pushes what `new` made (nil for nothing); its creation reference is the script's.
inline int PushMade(lua_State* L, cocos2d::Ref* made, const char* luaType) {
  luabind::ScriptAdopt(L, made);
  luabind::PushObject(L, made, luaType);
  return 1;
}

// The same for an object only its factory makes (autoreleased): the script
// takes a reference of its own, which stays when the factory's one goes.
inline int PushFactoryMade(lua_State* L, cocos2d::Ref* made, const char* luaType) {
  luabind::ScriptRetain(L, made);
  luabind::PushObject(L, made, luaType);
  return 1;
}

// `destroy`: no argument; ends what `new` began (see DestroyFromScript).
inline int Destroy(lua_State* L, const char* luaType, const char* diag, const char* func) {
  auto* self = luabind::Self<cocos2d::Ref>(L, luaType, func);
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, diag, argc, 0);
  luabind::DestroyFromScript(L, self);
  return luabind::ReturnSelf(L);
}

// `new` of a widget made from one seat number.
template <class T>
int NewForSeat(lua_State* L, const char* luaType, const char* diag, const char* func) {
  const Args a(L, diag, func);
  a.Exactly(1);
  // The seat is read before anything is allocated: a wrong argument raises a
  // Lua error, which leaves this function without unwinding it.
  const int seat = a.Int(1, "iTablePos");
  return PushMade(L, new T(seat), luaType);
}

// `new` of a widget made for a view (Lua type "QorvDDZView.DDZGameView"; nil
// gives null). kNeedsView: a widget that works only for a view gives nil
// without one.
template <class T, class View, bool kNeedsView>
int NewForView(lua_State* L, const char* luaType, const char* diag, const char* func) {
  const Args a(L, diag, func);
  a.Exactly(1);
  View* view = a.Object<View>(1, "QorvDDZView.DDZGameView", "pGameView");
  if (kNeedsView && view == nullptr) {
    lua_pushnil(L);
    return 1;
  }
  if constexpr (std::is_constructible_v<T, View*>)
    return PushMade(L, new T(view), luaType);
  else
    return PushFactoryMade(L, T::create(view), luaType);
}

inline int PushInt(lua_State* L, int value) {
  lua_pushnumber(L, value);
  return 1;
}
inline int PushBool(lua_State* L, bool value) {
  lua_pushboolean(L, value);
  return 1;
}

}  // namespace qorvscript

// The opening of a binding lua_cocos2dx_<Class>_<Name>: `self` (the object
// in slot 1, of the class's type, else the object error) and `a`, its
// arguments. DDZ_STATIC: a member that does not read the object.
#define DDZ_SELF(Class, Name)                                                    \
  constexpr const char* kFunc = "lua_cocos2dx_" #Class "_" #Name;                \
  auto* self = luabind::Self<Class>(L, "QorvDDZView." #Class, kFunc);            \
  const ::qorvscript::Args a(L, "QorvDDZView." #Class ":" #Name, kFunc)
#define DDZ_STATIC(Class, Name)                                       \
  constexpr const char* kFunc = "lua_cocos2dx_" #Class "_" #Name;     \
  const ::qorvscript::Args a(L, "QorvDDZView." #Class ":" #Name, kFunc)

// A widget's `destroy` and its member table: `new`, `destroy`, then the
// members given, in their order; defines Class##Members().
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
