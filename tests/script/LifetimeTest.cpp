// Objects scripts make, keep, put into a view and destroy: under
// AddressSanitizer a freed object touched, freed twice or never freed fails.
#include <string>

#include "ScriptTestSupport.h"
#include "widgets/GameClock.h"

using scripttest::ScriptTest;

namespace {

int g_clocksAlive = 0;

// Counts the clocks alive, so a leak or an early end shows.
class CountedClock : public GameClock {
 public:
  CountedClock() : GameClock(nullptr, 1) { ++g_clocksAlive; }
  ~CountedClock() override { --g_clocksAlive; }
};

class LifetimeTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    g_clocksAlive = 0;
    ASSERT_EQ(Run("v = QorvDDZView.DDZGameView:create(nil) cc.Director:getInstance():getRunningScene():addChild(v)"),
              "nil");
  }
  // A counted clock the script holds as `name`, made as `create` makes it
  // (autoreleased) or as `new` does (the script's own reference).
  void MakeClock(const char* name, bool made_with_new) {
    auto* clock = new CountedClock();
    if (made_with_new)
      luabind::ScriptAdopt(L, clock);
    else
      clock->autorelease();
    luabind::PushObject(L, clock, "QorvDDZView.GameClock");
    lua_setglobal(L, name);
  }
};

}  // namespace

TEST_F(LifetimeTest, NilAndDestroyedObjectsRaiseInsteadOfBeingTouched) {
  EXPECT_EQ(Run("c = QorvDDZView.GameClock:new(nil, 1) v:addChild(c) c:destroy()"), "nil");
  EXPECT_EQ(Error("return c:getParent()"), "invalid 'cobj' in function 'lua_cocos2dx_Node_getParent'");
  EXPECT_EQ(Error("c:ResetClock()"), "invalid 'cobj' in function 'lua_cocos2dx_GameClock_ResetClock'");
  EXPECT_EQ(Error("c:destroy()"), "invalid 'cobj' in function 'lua_cocos2dx_GameClock_destroy'");
  // As an argument a destroyed object is a null one.
  EXPECT_EQ(Run("v:addChild(c) v.m_pGameClock = c return v.m_pGameClock"), "nil");
  EXPECT_EQ(Run("return v:getChildByTag(-1)"), "nil");
  tick();
}

TEST_F(LifetimeTest, ACreatedWidgetInAViewSlotOutlivesTheScriptAndGoesWithTheView) {
  MakeClock("clock", false);
  EXPECT_EQ(Run("v.m_pGameClock = clock clock = nil collectgarbage()"), "nil");
  tick(2);  // the factory's reference is gone
  EXPECT_EQ(g_clocksAlive, 1);
  EXPECT_EQ(Run("return v.m_pGameClock:ResetClock() == v.m_pGameClock"), "true");
  EXPECT_EQ(Run("v:removeFromParent()"), "nil");  // onExit: the slot's reference goes
  tick();
  EXPECT_EQ(g_clocksAlive, 0);
}

TEST_F(LifetimeTest, ADestroyedWidgetStaysValidInItsSlotAndAReplacedOneIsFreed) {
  MakeClock("a", true);
  MakeClock("b", true);
  EXPECT_EQ(Run("v:addChild(a) v.m_pGameClock = a a:destroy()"), "nil");
  EXPECT_EQ(g_clocksAlive, 2);  // the slot still holds a; the view no longer has it as child
  EXPECT_EQ(Run("return tostring(v.m_pGameClock:getParent())"), "nil");
  EXPECT_EQ(Run("v.m_pGameClock = b b:destroy()"), "nil");  // a's slot reference goes
  EXPECT_EQ(g_clocksAlive, 1);
  EXPECT_EQ(Run("v:SetPlayerShow(nil, 0) v.m_pGameClock = nil"), "nil");
  EXPECT_EQ(g_clocksAlive, 0);
}

TEST_F(LifetimeTest, ScriptsGiveBackOnlyWhatTheyHold) {
  MakeClock("c", false);
  EXPECT_EQ(Run("v:addChild(c) c:release() c:release()"), "nil");  // not the script's to give back
  tick();
  EXPECT_EQ(g_clocksAlive, 1);
  EXPECT_EQ(Run("c:retain() c:removeFromParent() return c:isRunning()"), "false");
  tick();
  EXPECT_EQ(g_clocksAlive, 1);  // the script's own reference
  EXPECT_EQ(Run("c:release()"), "nil");
  EXPECT_EQ(g_clocksAlive, 0);
  EXPECT_EQ(Error("c:release()"), "invalid 'cobj' in function 'lua_cocos2dx_Ref_release'");
}

TEST_F(LifetimeTest, ClosingTheStateGivesBackWhatScriptsStillHeld) {
  MakeClock("kept", true);
  EXPECT_EQ(Run("kept2 = QorvDDZView.DDZGameView:new(nil)"), "nil");
  cocos2d::LuaEngine::destroyInstance();
  cocos2d::AutoreleasePool::current().clear();  // the stack goes with the frame's pool
  EXPECT_EQ(g_clocksAlive, 0);
  engine = cocos2d::LuaEngine::getInstance();  // for the fixture's tear-down
}
