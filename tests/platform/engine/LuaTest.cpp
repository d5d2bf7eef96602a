#include <gtest/gtest.h>
#include <tolua++.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <lua.hpp>

#include "EngineTestSupport.h"
#include "platform/engine/lua/LuaStack.h"

using namespace cocos2d;
using enginetest::EngineTest;

namespace {

// C++ side of the test module "cpp": scripts register a handler and call back.
std::vector<int> g_notified;
ScriptHandlerEntry* g_entry = nullptr;

int CppRegister(lua_State* L) {
  const int handler = toluafix_ref_function(L, 1, 0);
  if (handler == 0) return luaL_error(L, "cpp.register needs a function");
  CC_SAFE_RELEASE(g_entry);
  g_entry = ScriptHandlerEntry::create(handler);
  g_entry->retain();
  return 0;
}

int CppNotify(lua_State* L) {
  int v = 0;
  if (!luaval_to_int32(L, 1, &v, "cpp.notify")) return 0;
  g_notified.push_back(v);
  return 0;
}

void RegisterCppModule(lua_State* L) {
  // As start-up does: with _G on the stack, register, then pop it.
  lua_getfield(L, LUA_GLOBALSINDEX, "_G");
  ASSERT_EQ(lua_type(L, -1), LUA_TTABLE);
  tolua_open(L);
  tolua_usertype(L, "cc.Node");
  tolua_usertype(L, "cc.Other");
  tolua_module(L, "cpp", 0);
  tolua_beginmodule(L, "cpp");
  tolua_function(L, "register", CppRegister);
  tolua_function(L, "notify", CppNotify);
  tolua_cclass(L, "Node", "cc.Node", "", nullptr);
  tolua_cclass(L, "Other", "cc.Other", "", nullptr);
  tolua_endmodule(L);
  lua_settop(L, -2);
}

class LuaTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    g_notified.clear();
    engine = LuaEngine::getInstance();
    ScriptEngineManager::getInstance()->setScriptEngine(engine);
    stack = engine->getLuaStack();
    L = stack->getLuaState();
    ASSERT_EQ(lua_module_register(L), 1);
    RegisterCppModule(L);
  }
  void TearDown() override {
    CC_SAFE_RELEASE_NULL(g_entry);
    EngineTest::TearDown();
    g_luaType.clear();
    LuaEngine::destroyInstance();
  }
  LuaEngine* engine = nullptr;
  LuaStack* stack = nullptr;
  lua_State* L = nullptr;
};

}  // namespace

TEST_F(LuaTest, ScriptCallsBackIntoCppThroughARegisteredHandler) {
  ASSERT_EQ(stack->executeString(R"(
    cpp.register(function(kind, list)
      cpp.notify(kind * 2)
      return kind + list[2]
    end)
  )"), 0);
  ASSERT_NE(g_entry, nullptr);
  const int handler = g_entry->getHandler();
  EXPECT_GT(handler, 0);

  stack->pushInt(20);
  stack->pushLuaValueArray({LuaValue::intValue(5), LuaValue::intValue(7)});
  EXPECT_EQ(stack->executeFunctionByHandler(handler, 2), 27);
  EXPECT_EQ(g_notified, (std::vector<int>{40}));
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaTest, HandlerResultsAndFailuresBecomeIntegers) {
  struct Case {
    const char* body;
    int expected;
  } cases[] = {
      {"return 41.9", 41},
      {"return true", 1},
      {"return false", 0},
      {"return 'text'", 0},
      {"", 0},
      {"error('boom')", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    std::string code = std::string("cpp.register(function(a) ") + c.body + " end)";
    ASSERT_EQ(stack->executeString(code.c_str()), 0);
    stack->pushLuaValue(LuaValue::booleanValue(true));
    EXPECT_EQ(stack->executeFunctionByHandler(g_entry->getHandler(), 1), c.expected);
    EXPECT_EQ(lua_gettop(L), 0);
  }
  bool sawError = false;
  for (const auto& line : Log::lines()) sawError |= line.find("[LUA ERROR]") == 0 && line.find("boom") != std::string::npos;
  EXPECT_TRUE(sawError);

  // No function under the handler: 0, and the pushed arguments are dropped.
  stack->pushInt(1);
  stack->pushInt(2);
  EXPECT_EQ(stack->executeFunctionByHandler(999999, 2), 0);
  EXPECT_EQ(stack->executeFunctionByHandler(0, 0), 0);
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaTest, AHandlerLeavesWhatLiesBelowItsArgumentsOnTheStack) {
  // A binding's own slots, as when a handler runs inside a native call.
  stack->pushString("self");
  stack->pushInt(9);
  ASSERT_EQ(stack->executeString("cpp.register(function(a) return a * 3 end)"), 0);
  ASSERT_EQ(lua_gettop(L), 2) << "a chunk leaves the caller's slots too";
  stack->pushInt(4);
  EXPECT_EQ(stack->executeFunctionByHandler(g_entry->getHandler(), 1), 12);
  ASSERT_EQ(lua_gettop(L), 2);
  EXPECT_STREQ(lua_tostring(L, 1), "self");
  EXPECT_EQ(lua_tonumber(L, 2), 9);
  // A failing or missing handler alike.
  stack->pushInt(1);
  EXPECT_EQ(stack->executeFunctionByHandler(999999, 1), 0);
  ASSERT_EQ(stack->executeString("cpp.register(function() error('boom') end)"), 0);
  EXPECT_EQ(stack->executeFunctionByHandler(g_entry->getHandler(), 0), 0);
  EXPECT_EQ(lua_gettop(L), 2);
  lua_settop(L, 0);
}

TEST_F(LuaTest, ReleasingTheEntryDropsTheFunction) {
  ASSERT_EQ(stack->executeString("cpp.register(function() return 5 end)"), 0);
  const int handler = g_entry->getHandler();
  EXPECT_EQ(stack->executeFunctionByHandler(handler, 0), 5);
  CC_SAFE_RELEASE_NULL(g_entry);
  tick(0.0f);  // the pool's reference from create()
  EXPECT_EQ(stack->executeFunctionByHandler(handler, 0), 0);
}

TEST_F(LuaTest, PushedObjectsUseTheirRunTimeTypeAndBecomeNullWhenDestroyed) {
  g_luaType[typeid(Node).name()] = "cc.Node";
  Node* node = Node::create();
  node->retain();
  stack->pushObject(node, "cc.Other");  // the run-time type wins
  lua_setglobal(L, "held");
  EXPECT_NE(node->_luaID, 0);

  lua_getglobal(L, "held");
  EXPECT_TRUE(luaval_is_usertype(L, -1, "cc.Node", 0));
  EXPECT_FALSE(luaval_is_usertype(L, -1, "cc.Other", 0));
  EXPECT_EQ(tolua_tousertype(L, -1, nullptr), node);
  lua_pop(L, 1);
  lua_pushnil(L);
  EXPECT_TRUE(luaval_is_usertype(L, -1, "cc.Other", 0));  // nil is a null object
  lua_pop(L, 1);

  node->release();
  tick(0.0f);
  lua_getglobal(L, "held");
  EXPECT_EQ(tolua_tousertype(L, -1, nullptr), nullptr);
  lua_pop(L, 1);
}

TEST_F(LuaTest, ConversionsCheckTheirArguments) {
  ASSERT_EQ(stack->executeString("a = {x = 3, y = 4}; b = {1, 2, 3}; c = '12'; d = {1, 'x'}"), 0);
  lua_getglobal(L, "a");
  lua_getglobal(L, "b");
  lua_getglobal(L, "c");
  lua_getglobal(L, "d");
  Vec2 v;
  std::vector<int> ints;
  std::string s;
  int n = 0;
  EXPECT_TRUE(luaval_to_vec2(L, 1, &v, "t"));
  EXPECT_EQ(v, Vec2(3, 4));
  EXPECT_TRUE(luaval_to_std_vector_int(L, 2, &ints, "t"));
  EXPECT_EQ(ints, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(luaval_to_std_string(L, 3, &s, "t"));
  EXPECT_EQ(s, "12");
  EXPECT_FALSE(luaval_to_int32(L, 3, &n, "SetCardNum"));  // a string is not a number
  EXPECT_TRUE(Log::contains("SetCardNum: argument 3 is not a number"));
  EXPECT_FALSE(luaval_to_std_vector_int(L, 4, &ints, "t"));
  EXPECT_EQ(ints.size(), 3u);  // untouched on failure
  EXPECT_FALSE(luaval_to_vec2(L, 2, &v, "t"));
  bool flag = true;
  lua_pushnil(L);
  EXPECT_TRUE(luaval_to_boolean(L, -1, &flag, "t"));
  EXPECT_FALSE(flag);
  stack->clean();
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaTest, KeyAndSignAreKept) {
  stack->setXXTEAKeyAndSign("k3y-nine!", 9, "s1gn-nine", 9);
  EXPECT_EQ(stack->getXXTEAKey(), "k3y-nine!");
  EXPECT_EQ(stack->getXXTEASign(), "s1gn-nine");
  EXPECT_EQ(ScriptEngineManager::getInstance()->getScriptEngine(), engine);
}

// A chunk that does not compile and one that raises an error while it runs
// are both failures; only a chunk that runs to its end succeeds.
TEST_F(LuaTest, ChunksThatFailWhileRunningAreReportedAsFailures) {
  const struct {
    const char* code;
    int result;
  } cases[] = {
      {"x = 1", 0},
      {"return 7", 0},
      {"this is not lua", 1},
      {"error('stop')", 1},
      {"assert(false)", 1},
      {"local t = nil; return t.field", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stack->executeString(c.code), c.result) << c.code;
    EXPECT_EQ(lua_gettop(L), 0) << c.code;
  }
}

TEST_F(LuaTest, ScriptsAndModulesAreFoundThroughTheSearchPaths) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("engine-lua-" + std::to_string(::getpid()));
  fs::create_directories(dir / "luasrc");
  std::ofstream(dir / "luasrc" / "qorvmod.lua") << "return { v = 17 }\n";
  std::ofstream(dir / "luasrc" / "main.lua") << "local m = require 'qorvmod'\ncpp.notify(m.v + 1)\n";
  std::ofstream(dir / "luasrc" / "bad.lua") << "this is not lua\n";
  std::ofstream(dir / "luasrc" / "fails.lua") << "cpp.notify(1)\nerror('stop')\n";
  FileUtils::getInstance()->addSearchPath((dir / "luasrc").string());
  stack->addSearchPath((dir / "luasrc").string().c_str());

  EXPECT_EQ(stack->executeScriptFile("main.lua"), 0);
  EXPECT_EQ(g_notified, (std::vector<int>{18}));
  EXPECT_EQ(stack->executeScriptFile("bad.lua"), 1);
  EXPECT_EQ(stack->executeScriptFile("fails.lua"), 1);
  EXPECT_EQ(g_notified, (std::vector<int>{18, 1}));
  EXPECT_EQ(stack->executeScriptFile("absent.lua"), 1);
  EXPECT_TRUE(Log::contains("[LUA ERROR] script absent.lua not found"));
  FileUtils::destroyInstance();
  fs::remove_all(dir);
}
