#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "support/LuaRecords.h"
#include "cards/Vell_SpriteCardManage.h"
#include "widgets/PlayerShow.h"

using scripttest::ScriptTest;

namespace {

// A script's view on the stage as the global `v`; the handlers record their
// calls (ddz::test::kLuaRecorder).
class ViewHooksTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    ASSERT_EQ(Run(R"(
      v = QorvDDZView.DDZGameView:create(cc.Director:getInstance():getRunningScene())
      cc.Director:getInstance():getRunningScene():addChild(v))"),
              "nil");
    lua_getglobal(L, "v");
    view = static_cast<DDZGameView*>(tolua_tousertype(L, -1, nullptr));
    lua_settop(L, 0);
    ASSERT_NE(view, nullptr);
  }
  DDZGameView* view = nullptr;
};

}  // namespace

TEST_F(ViewHooksTest, HandlersGetTheEventsArguments) {
  ASSERT_EQ(Run("for k = 0, 19 do v:RegisterLuaHandlerQorvDDZView(k, recorder('e' .. k, k + 100)) end"), "nil");
  EXPECT_EQ(view->GetGameKind(), 100);  // key 0's result is the table kind
  view->ShowSelfOutCard("\x21\x83", 2);
  view->SetMoneyInfo(1500, 7);
  int tasks[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  view->UpdateTaskNum(tasks);
  view->OnResultLayerShown(false);
  view->ShowSelfClock(3);
  view->ShowDoubleAni(2, 4);
  EXPECT_EQ(seen(), (std::vector<std::string>{"e0()", "e3({s:2183,2})", "e11({1500,7})", "e12({1,2,3,4,5,6,7})",
                                              "e19(false)", "e13(3)", "e18({2,4})"}));
  EXPECT_EQ(lua_gettop(L), 0);
}

// A script's view keeps the base's background and foreground: the messages
// wait while the window is away and come again once it is back.
TEST_F(ViewHooksTest, AScriptsViewGetsItsMessagesAgainAfterTheBackground) {
  GameSceneBase::m_pGameView = view;
  const std::uint8_t frame[12] = {0, 71, 12, 0};
  scene->GameEnterBackGround();
  scene->GameEnterBackGround();
  view->PostGameMessage(frame, sizeof frame);
  tick(3);
  EXPECT_EQ(view->GetPendingMainMsgCount(), 1u);
  scene->GameEnterForeGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 0);
  tick();
  EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
}

TEST_F(ViewHooksTest, TheFirstHandlerOfAKeyStaysUntilItIsUnregistered) {
  ASSERT_EQ(Run("g = recorder('g', 2) v:RegisterLuaHandlerQorvDDZView(13, recorder('f', 1)) "
                "v:RegisterLuaHandlerQorvDDZView(13, g)"),
            "nil");
  const int second = view->GetLuaHandlers().at(13)->getHandler() + 1;  // the refused one's reference
  view->ShowSelfClock(0);
  tick();  // the refused handler's reference is dropped with its entry
  EXPECT_FALSE(ddz::test::LuaFunctionAlive(engine, second));
  EXPECT_EQ(Run("v:UnRegisterLuaHandlerQorvDDZView(13) v:RegisterLuaHandlerQorvDDZView(13, g)"), "nil");
  view->ShowSelfClock(1);
  EXPECT_EQ(seen(), (std::vector<std::string>{"f(0)", "g(1)"}));
}

TEST_F(ViewHooksTest, AbsentAndEmptyHandlersRunNothing) {
  EXPECT_EQ(Run("return v:UnRegisterLuaHandlerQorvDDZView(5) == v"), "true");
  EXPECT_EQ(view->GetGameKind(), 0);  // no handler
  EXPECT_EQ(Run("return v:RegisterLuaHandlerQorvDDZView(0, 'not a function') == v"), "true");
  EXPECT_EQ(view->GetGameKind(), 0);
  EXPECT_TRUE(seen().empty());
}

TEST_F(ViewHooksTest, SeatGettersLeaveEmptySeatsNil) {
  EXPECT_EQ(Run("a, b = QorvDDZView.PlayerShow:new(1), QorvDDZView.PlayerShow:new(2) "
                "v:SetPlayerShow(a, 1):SetPlayerShow(b, 2) local t = v:GetPlayerShow() "
                "return tostring(t[1]) .. ' ' .. tostring(t[2] == a) .. ' ' .. tostring(t[3] == b) .. ' ' .. tostring(t[4])"),
            "nil true true nil");
  EXPECT_NE(view->m_pPlayerShow[1], nullptr);
  EXPECT_EQ(Run("return v:GetHandCard()"), "{}");
}

TEST_F(ViewHooksTest, CardRowsPassIntoTheCardRowSlots) {
  auto* row = new Vell_SpriteCardManage();
  view->addChild(row);
  row->release();
  view->m_pHandCard[1] = row;  // as the table fills it
  EXPECT_EQ(Run("local row = v:GetHandCard()[2] v.m_pDealCard = row v:SetMingPaiCard(row, 3) "
                "return tostring(v.m_pDealCard == row)"),
            "true");
  EXPECT_EQ(view->m_pDealCard, row);
  EXPECT_EQ(view->m_pMingCard[3], row);
  EXPECT_EQ(Error("v.m_pDealCard = v:GetPlayerShow()"), "invalid m_pDealCard in function 'lua_cocos2dx_DDZGameView_set_m_pDealCard'");
}
