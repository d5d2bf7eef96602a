// The Lua side of the engine: a real Lua 5.1 state with tolua++, the handler
// and object bookkeeping the bindings need, and the values passed to script
// functions.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/engine/Math.h"

#include "platform/engine/Ref.h"
#include "platform/engine/ScriptSupport.h"

struct lua_State;

namespace cocos2d {

class LuaValue {
 public:
  enum class Type { NIL, INT, FLOAT, BOOLEAN, STRING };
  static LuaValue intValue(int v);
  static LuaValue floatValue(float v);
  static LuaValue booleanValue(bool v);
  static LuaValue stringValue(const std::string& v);
  static LuaValue stringValue(const char* v) { return stringValue(std::string(v ? v : "")); }
  LuaValue() = default;
  Type getType() const { return _type; }
  int intValue() const { return _int; }
  float floatValue() const { return _float; }
  bool booleanValue() const { return _bool; }
  const std::string& stringValue() const { return _string; }

 private:
  Type _type = Type::NIL;
  int _int = 0;
  float _float = 0;
  bool _bool = false;
  std::string _string;
};
using LuaValueArray = std::deque<LuaValue>;
using LuaValueDict = std::map<std::string, LuaValue>;

class LuaStack : public Ref {
 public:
  static LuaStack* create();
  ~LuaStack() override;

  lua_State* getLuaState() const { return _state; }

  // The key and sign of encrypted scripts (kept; this program ships none).
  void setXXTEAKeyAndSign(const char* key, int keyLen, const char* sign, int signLen);
  const std::string& getXXTEAKey() const { return _xxteaKey; }
  const std::string& getXXTEASign() const { return _xxteaSign; }

  void addSearchPath(const char* path);
  // Runs a chunk; 0 on success, else 1 with the error in the log.
  int executeString(const char* code);
  // Runs a script file found through the search paths; 0 or 1 as above.
  int executeScriptFile(const char* filename);

  void clean();
  void pushInt(int v);
  void pushFloat(float v);
  void pushBoolean(bool v);
  void pushString(const char* v);
  void pushString(const char* v, int length);
  void pushNil();
  void pushLuaValue(const LuaValue& v);
  // One table holding the values at 1..n.
  void pushLuaValueArray(const LuaValueArray& values);
  void pushLuaValueDict(const LuaValueDict& values);
  // Pushes an engine object under its script type (see toluafix_pushusertype_ccobject).
  void pushObject(Ref* object, const char* typeName);

  // Calls the function on top of the stack with the numArgs values below it;
  // returns its result as an int (a number, or 1/0 for a boolean, else 0).
  int executeFunction(int numArgs);
  // Calls the function kept under `handler` with the numArgs values on top
  // of the stack, then puts the stack back to its height below those values
  // (what the caller had there stays). 0 when there is no such function or
  // it fails (the failure is logged).
  int executeFunctionByHandler(int handler, int numArgs);
  bool pushFunctionByHandler(int handler);
  void removeScriptHandler(int handler);
  void removeScriptObjectByObject(Ref* object);

 private:
  LuaStack() = default;
  bool init();
  // executeFunction's call: false (logged) when there is no function or it
  // raised an error; *result gets the function's result as an int.
  bool callFunction(int numArgs, int* result);

  lua_State* _state = nullptr;
  std::string _xxteaKey, _xxteaSign;
};

class LuaEngine : public ScriptEngineProtocol {
 public:
  static LuaEngine* getInstance();
  // Closes the state (tests and the end of the program).
  static void destroyInstance();
  ~LuaEngine() override;

  LuaStack* getLuaStack() const { return _stack; }
  int executeString(const char* code) { return _stack->executeString(code); }
  void removeScriptObjectByObject(Ref* object) override { _stack->removeScriptObjectByObject(object); }
  void removeScriptHandler(int handler) override { _stack->removeScriptHandler(handler); }

 private:
  LuaEngine();
  LuaStack* _stack = nullptr;
};

class ScriptHandlerEntry : public Ref {
 public:
  static ScriptHandlerEntry* create(int handler);
  ~ScriptHandlerEntry() override;
  int getHandler() const { return _handler; }
  int getEntryId() const { return _entryId; }

 protected:
  explicit ScriptHandlerEntry(int handler);
  int _handler;
  int _entryId;
};

}  // namespace cocos2d

// Lua type names by C++ run-time type name (typeid(T).name()), and by class
// name; the bindings fill them when they register their classes.
extern std::unordered_map<std::string, std::string> g_luaType;
extern std::unordered_map<std::string, std::string> g_typeCast;

// ---- registration helpers of the engine's Lua bindings ----

// Registers the engine's own Lua module "cc" (LuaCcModule.cpp); returns 1.
int lua_module_register(lua_State* L);
// Removes the script timers of a closing state (the Lua stack calls it).
void lua_release_script_timers(lua_State* L);

// Creates the registry tables below (the Lua stack does it for its state).
void toluafix_open(lua_State* L);
// Pushes an engine object. The first push records the object's refid in
// *p_refid and remembers pointer and type; the type is the g_luaType entry of
// the object's run-time class when there is one, else `type`. `ptr` must be
// the object's address as a cocos2d::Ref (single inheritance from Ref).
int toluafix_pushusertype_ccobject(lua_State* L, int refid, int* p_refid, void* ptr, const char* type);
// Forgets a destroyed object: Lua values still holding it see a null object.
int toluafix_remove_ccobject_by_refid(lua_State* L, int refid);
// Keeps the function at `lo` and returns its handler id; 0 when it is not a function.
// Makes the Lua values that hold `ptr` (pushed under `type`) hold null.
void toluafix_clear_userdata(lua_State* L, void* ptr, const char* type);
// Remembers a record that lives inside `owner` and was pushed under `type`:
// when the owner is destroyed or forgotten its values become null too.
void toluafix_add_owned_record(lua_State* L, cocos2d::Ref* owner, void* record, const char* type);
int toluafix_ref_function(lua_State* L, int lo, int def);
void toluafix_get_function_by_refid(lua_State* L, int refid);
void toluafix_remove_function_by_refid(lua_State* L, int refid);
int toluafix_isfunction(lua_State* L, int lo, const char* type, int def, void* err);

// Argument conversions; each logs with the caller's name and fails on a
// value of the wrong kind.
bool luaval_to_int32(lua_State* L, int lo, int* outValue, const char* funcName = "");
bool luaval_to_boolean(lua_State* L, int lo, bool* outValue, const char* funcName = "");
bool luaval_to_number(lua_State* L, int lo, double* outValue, const char* funcName = "");
bool luaval_to_std_string(lua_State* L, int lo, std::string* outValue, const char* funcName = "");
bool luaval_to_vec2(lua_State* L, int lo, cocos2d::Vec2* outValue, const char* funcName = "");
bool luaval_to_std_vector_int(lua_State* L, int lo, std::vector<int>* ret, const char* funcName = "");
// nil is accepted (a null object); a userdata of another type is not.
bool luaval_is_usertype(lua_State* L, int lo, const char* type, int def);
