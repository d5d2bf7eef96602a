#include <gtest/gtest.h>
#include <tolua++.h>

#include <lua.hpp>
#include <string>

#include "EngineTestSupport.h"
#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"

using namespace cocos2d;
using enginetest::EngineTest;

namespace {

class CcModuleTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    engine = LuaEngine::getInstance();
    ScriptEngineManager::getInstance()->setScriptEngine(engine);
    L = engine->getLuaStack()->getLuaState();
    ASSERT_EQ(lua_module_register(L), 1);
    ASSERT_EQ(engine->executeString("scene = cc.Director:getInstance():getRunningScene()"), 0);
  }
  void TearDown() override {
    EngineTest::TearDown();
    LuaEngine::destroyInstance();
  }
  // The chunk's result as text, or the error it raised.
  std::string Run(const std::string& chunk) {
    std::string out;
    if (luaL_dostring(L, chunk.c_str()) != 0)
      out = std::string("error: ") + lua_tostring(L, -1);
    else
      out = lua_isnil(L, -1) ? "nil" : (lua_tostring(L, -1) ? lua_tostring(L, -1) : "?");
    lua_settop(L, 0);
    return out;
  }
  LuaEngine* engine = nullptr;
  lua_State* L = nullptr;
};

}  // namespace

TEST_F(CcModuleTest, ScriptsPlaceAndReadNodes) {
  EXPECT_EQ(Run("local l = cc.Label:createWithSystemFont('hi', 'Arial', 20) scene:addChild(l, 3, 42) "
                "l:setPosition({x = 10, y = 20}) l:setString('ho') local x, y = l:getPosition() "
                "return x .. ',' .. y .. ' ' .. l:getString() .. ' ' .. scene:getChildByTag(42):getTag() .. ' ' .. "
                "tostring(l:isRunning())"),
            "10,20 ho 42 true");
  EXPECT_EQ(Run("local l = scene:getChildByTag(42) l:setVisible(false) l:setScale(2) l:setAnchorPoint(0, 1) "
                "l:setLocalZOrder(9) return tostring(l:isVisible()) .. ' ' .. type(l:getContentSize().width)"),
            "false number");
  EXPECT_EQ(Run("scene:removeChildByTag(42) return scene:getChildByTag(42)"), "nil");
  EXPECT_EQ(Run("return cc.Sprite:createWithSpriteFrameName('no such frame')"), "nil");
}

TEST_F(CcModuleTest, NodesThatCannotBeAddedAreLeftWhereTheyAre) {
  EXPECT_EQ(Run("a = cc.Layer:create() b = cc.Layer:create() scene:addChild(a) a:addChild(b) "
                "b:addChild(a) b:addChild(b) scene:addChild(b) a:addChild(nil) "
                "return tostring(b:getParent() == a) .. ' ' .. tostring(a:getParent() == scene)"),
            "true true");
}

TEST_F(CcModuleTest, ErrorsNameTheBinding) {
  EXPECT_EQ(Run("cc.Node.getTag(nil)"),
            "error: [string \"cc.Node.getTag(nil)\"]:1: invalid 'cobj' in function 'lua_cocos2dx_Node_getTag'");
  EXPECT_EQ(Run("scene:setTag('x')"),
            "error: [string \"scene:setTag('x')\"]:1: invalid tag in function 'lua_cocos2dx_Node_setTag'");
  EXPECT_EQ(Run("scene:getTag(1)"),
            "error: [string \"scene:getTag(1)\"]:1: cc.Node:getTag has wrong number of arguments: 1, was expecting 0\n");
  // With optional arguments the least number accepted is named.
  EXPECT_EQ(Run("scene:addChild()"),
            "error: [string \"scene:addChild()\"]:1: cc.Node:addChild has wrong number of arguments: 0, was expecting 1\n");
}

TEST_F(CcModuleTest, TimersCanRemoveThemselvesAndGoWithTheState) {
  EXPECT_EQ(Run("n = 0 s = cc.Director:getInstance():getScheduler() "
                "id = s:scheduleScriptFunc(function() n = n + 1 if n == 2 then s:unscheduleScriptEntry(id) end end, "
                "0.1, false) return tostring(id > 0)"),
            "true");
  tick(0.1f, 5);
  EXPECT_EQ(Run("return n"), "2");
  EXPECT_EQ(Run("s:scheduleScriptFunc(function() n = n + 10 end, 0.1, false)"), "nil");
  LuaEngine::destroyInstance();  // the timer goes with its state
  engine = LuaEngine::getInstance();
  ScriptEngineManager::getInstance()->setScriptEngine(engine);
  tick(0.1f, 3);
  EXPECT_EQ(director->getScheduler()->timerCount(), 0u);
}
