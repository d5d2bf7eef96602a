#include <gtest/gtest.h>
#include <tolua++.h>

#include <lua.hpp>
#include <string>
#include <vector>

#include "CardRowTestSupport.h"
#include "platform/engine/lua/ScriptHooks.h"
#include "cards/SpriteCardManage.h"
#include "cards/Vell_SpriteCardManage.h"
#include "support/LuaRecords.h"

using cardtest::Codes;
using cocos2d::LuaEngine;
using cocos2d::LuaValue;

namespace {

// Rows with a real Lua 5.1 state; scripts log their calls into the global
// table `calls`.
class RowHooks : public cardtest::CardRowTest {
 protected:
  void SetUp() override {
    CardRowTest::SetUp();
    engine = LuaEngine::getInstance();
    cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
    L = engine->getLuaStack()->getLuaState();
    ASSERT_EQ(engine->executeString(R"(
      calls = {}
      function note(what) calls[#calls + 1] = what end
      function onLayout() note('layout') return 7 end
      function onSort() note('sort') end
      function onAuto() note('auto') end
      function onMarks(flag) note('marks ' .. type(flag) .. ' ' .. tostring(flag)) end
    )"),
              0);
    row = makeRow<Vell_SpriteCardManage>();
  }
  void TearDown() override {
    CardRowTest::TearDown();  // the rows go first: their entries drop their functions
    LuaEngine::destroyInstance();
  }

  // A handler id for the global function `name`.
  int handlerOf(const char* name) {
    lua_getglobal(L, name);
    const int handler = toluafix_ref_function(L, lua_gettop(L), 0);
    lua_settop(L, 0);
    return handler;
  }
  std::vector<std::string> scriptCalls() { return ddz::test::TakeLuaStrings(engine, "calls"); }
  bool functionAlive(int handler) { return ddz::test::LuaFunctionAlive(engine, handler); }

  LuaEngine* engine = nullptr;
  lua_State* L = nullptr;
  cardtest::Recording<Vell_SpriteCardManage>* row = nullptr;
};

}  // namespace

TEST_F(RowHooks, WithoutHandlersTheDefaultsRun) {
  for (int card : {2, 0, 1}) row->AddCard(card, false, false, false, false);
  row->SortCards();
  row->OnAutoOperate();
  row->RefreshCardMarks(true);
  EXPECT_EQ(Codes(row->GetVellCards()), (std::vector<int>{1, 0, 2}));
  EXPECT_TRUE(scriptCalls().empty());
  EXPECT_EQ(Vell_SpriteCardManage::ExecuteScriptHandler(ddz::ScriptHandlerMap{}, 0), 0);
}

TEST_F(RowHooks, EachHookRunsItsHandlerInPlaceOfTheDefault) {
  ASSERT_TRUE(row->RegisterScriptHook(Vell_SpriteCardManage::kHookLayoutCards, handlerOf("onLayout")));
  ASSERT_TRUE(row->RegisterScriptHook(Vell_SpriteCardManage::kHookSortCards, handlerOf("onSort")));
  ASSERT_TRUE(row->RegisterScriptHook(Vell_SpriteCardManage::kHookAutoOperate, handlerOf("onAuto")));
  ASSERT_TRUE(row->RegisterScriptHook(Vell_SpriteCardManage::kHookRefreshMarks, handlerOf("onMarks")));

  // AddCard: marks with false, then layout; with sort after, the script's sort
  // replaces the default (which would lay out too).
  row->AddCard(2, false, false, false, false);
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"marks boolean false", "layout"}));
  row->AddCard(0, false, false, true, false);
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"marks boolean false", "sort"}));
  EXPECT_EQ(Codes(row->GetVellCards()), (std::vector<int>{2, 0}));  // not sorted by the default

  row->OnAutoOperate();
  row->RefreshCardMarks(true);
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"auto", "marks boolean true"}));
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(RowHooks, TheFirstHandlerOfAHookStaysAndUnregisterBringsTheDefaultBack) {
  const int sort = handlerOf("onSort");
  const int other = handlerOf("onAuto");
  EXPECT_TRUE(row->RegisterScriptHook(1, sort));
  EXPECT_FALSE(row->RegisterScriptHook(1, other));
  EXPECT_FALSE(row->RegisterScriptHook(4, handlerOf("onAuto")));
  EXPECT_FALSE(row->RegisterScriptHook(-1, handlerOf("onAuto")));
  tick();  // the refused handlers' functions are dropped
  EXPECT_FALSE(functionAlive(other));
  EXPECT_TRUE(functionAlive(sort));

  row->AddCard(2, false, false, false, false);
  row->AddCard(0, false, false, false, false);
  scriptCalls();
  row->SortCards();
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"sort"}));
  EXPECT_EQ(Codes(row->GetVellCards()), (std::vector<int>{2, 0}));

  row->UnregisterScriptHook(1);
  row->UnregisterScriptHook(1);  // again: nothing
  tick();
  EXPECT_FALSE(functionAlive(sort));
  row->SortCards();
  EXPECT_TRUE(scriptCalls().empty());
  EXPECT_EQ(Codes(row->GetVellCards()), (std::vector<int>{0, 2}));

  EXPECT_TRUE(row->RegisterScriptHook(1, handlerOf("onSort")));
  row->SortCards();
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"sort"}));
}

TEST_F(RowHooks, AHandlerIdOfZeroCountsAsNoHandler) {
  EXPECT_TRUE(row->RegisterScriptHook(1, 0));
  EXPECT_FALSE(row->HasScriptHook(1));
  row->AddCard(2, false, false, false, false);
  row->AddCard(0, false, false, true, false);
  EXPECT_EQ(Codes(row->GetVellCards()), (std::vector<int>{0, 2}));
}

TEST_F(RowHooks, ExecuteScriptHandlerGivesTheHandlersResult) {
  ddz::ScriptHandlerMap handlers;
  EXPECT_TRUE(ddz::RegisterScriptHandler(handlers, 12, handlerOf("onLayout")));
  EXPECT_EQ(Vell_SpriteCardManage::ExecuteScriptHandler(handlers, 12), 7);
  EXPECT_EQ(Vell_SpriteCardManage::ExecuteScriptHandler(handlers, 11), 0);
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"layout"}));
  EXPECT_EQ(lua_gettop(L), 0);

  const LuaValue flag = LuaValue::booleanValue(true);
  EXPECT_TRUE(ddz::RegisterScriptHandler(handlers, 3, handlerOf("onMarks")));
  ddz::FireScriptHandler(handlers, 3, &flag);
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"marks boolean true"}));
  ddz::ReleaseScriptHandlers(handlers);
  EXPECT_TRUE(handlers.empty());
}

TEST_F(RowHooks, TheRecordRowKeepsTheLayoutAndMarkHooksButSortsByItself) {
  auto* records = makeRow<SpriteCardManage>();
  ASSERT_TRUE(records->RegisterScriptHook(0, handlerOf("onLayout")));
  ASSERT_TRUE(records->RegisterScriptHook(1, handlerOf("onSort")));
  ASSERT_TRUE(records->RegisterScriptHook(3, handlerOf("onMarks")));
  records->AddCard(2, false, false, false, 0, false, false);
  records->AddCard(0, false, false, true, 0, false, false);
  EXPECT_EQ(scriptCalls(), (std::vector<std::string>{"marks boolean false", "layout", "marks boolean false", "layout"}));
  EXPECT_EQ(Codes(records->GetCards()), (std::vector<int>{0, 2}));
}
