// A script drives a table the way the client's scripts do: it takes the
// running scene, makes a view with a clock on it, handles the view's events
// and runs a timer.
#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "widgets/GameClock.h"

using scripttest::ScriptTest;

namespace {

constexpr const char* kScenario = R"(
  local scene = cc.Director:getInstance():getRunningScene()
  local view = QorvDDZView.DDZGameView:create(scene)
  scene:addChild(view)
  local clock = QorvDDZView.GameClock:new(nil, view:GetPlayerCount())
  view:addChild(clock, 5)
  view.m_pGameClock = clock
  clock:setPosition(640, 360)
  view:RegisterLuaHandlerQorvDDZView(0, function() return 7 end)
  view:RegisterLuaHandlerQorvDDZView(10, function()
    seen[#seen + 1] = 'round ' .. view.m_TableItem.iTimes
    view.m_pGameClock:ResetClock()
  end)
  view:RegisterLuaHandlerQorvDDZView(3, function(a) seen[#seen + 1] = 'out ' .. a[1] .. ' ' .. a[2] end)
  local scheduler = cc.Director:getInstance():getScheduler()
  local ticks = 0
  tickEntry = scheduler:scheduleScriptFunc(function() ticks = ticks + 1 seen[#seen + 1] = 'tick ' .. ticks end,
                                           0.5, false)
  scheduler:scheduleScriptFunc(function() seen[#seen + 1] = 'once' end, 0.25, false, true)
  theView = view
)";

}  // namespace

TEST_F(ScriptTest, AScriptBuildsATableAndHearsItsEvents) {
  ASSERT_EQ(Run(kScenario), "nil");
  lua_getglobal(L, "theView");
  auto* view = static_cast<DDZGameView*>(tolua_tousertype(L, -1, nullptr));
  lua_settop(L, 0);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->getParent(), scene);
  ASSERT_NE(view->m_pGameClock, nullptr);
  EXPECT_EQ(view->m_pGameClock->getParent(), view);
  EXPECT_EQ(view->m_pGameClock->getPosition(), cocos2d::Vec2(640, 360));

  EXPECT_EQ(view->GetGameKind(), 7);
  view->m_TableItem.iTimes = 4;
  view->OnRoundStart();
  view->ShowSelfOutCard("AB", 2);
  EXPECT_EQ(seen(), (std::vector<std::string>{"round 4", "out AB 2"}));

  tick(60);  // one second: the once timer at 0.25 s, the repeating one at 0.5 s and 1 s
  EXPECT_EQ(seen(), (std::vector<std::string>{"once", "tick 1", "tick 2"}));
  ASSERT_EQ(Run("cc.Director:getInstance():getScheduler():unscheduleScriptEntry(tickEntry)"), "nil");
  tick(60);
  EXPECT_TRUE(seen().empty());
}
